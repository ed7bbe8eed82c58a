#include "framework/ole/OleAppLock.h"

#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

// One user-interface thread serves every automation call (a single-threaded apartment), so plain
// counters do.
long g_nObjectLocks = 0;
BOOL g_bUserCtrl = TRUE;

// The last object went: a program the user does not control ends now.
void OnReleaseAllObjects()
{
    if (g_bUserCtrl)
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    // Posted: the release that got here may be a COM call that is still on its way back.
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        pMainWnd->PostMessage(WM_CLOSE);
    else
        ::PostQuitMessage(0);
}

} // namespace

void AfxOleLockApp()
{
    ++g_nObjectLocks;
}

void AfxOleUnlockApp()
{
    if (g_nObjectLocks <= 0)
        return;
    if (--g_nObjectLocks == 0)
        OnReleaseAllObjects();
}

BOOL AfxOleCanExitApp()
{
    return g_nObjectLocks == 0;
}

void AfxOleSetUserCtrl(BOOL bUserCtrl)
{
    g_bUserCtrl = bUserCtrl;
}

BOOL AfxOleGetUserCtrl()
{
    return g_bUserCtrl;
}

BOOL AfxOleHideMainWindowOnClose(CWnd* pFrame)
{
    if (AfxOleCanExitApp() || pFrame == nullptr || pFrame != AfxGetMainWnd())
        return FALSE;
    AfxOleSetUserCtrl(FALSE);
    pFrame->ShowWindow(SW_HIDE);
    return TRUE;
}
