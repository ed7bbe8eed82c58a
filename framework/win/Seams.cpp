// Default behaviour of the seams, the framework's message boxes and CException::ReportError.
#include "framework/win/Seams.h"

#include <utility>

#include "framework/core/Exceptions.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

CMessageBoxSeam* g_pMessageBoxSeam = nullptr;
CModalHook* g_pModalHook = nullptr;
CTickClock* g_pTickClock = nullptr;
CBeepSeam* g_pBeepSeam = nullptr;

// The watch of AfxRunWatchingDialogActivation running on this thread.
struct DialogActivationWatch
{
    const std::function<void(HWND)>* pOnActivated = nullptr;
    HHOOK hHook = nullptr;
    bool bReported = false;
};
thread_local DialogActivationWatch t_watch;

LRESULT CALLBACK DialogActivationCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = t_watch.hHook;   // the callback may start a watch of its own
    if (nCode == HCBT_ACTIVATE && !t_watch.bReported && t_watch.pOnActivated != nullptr)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
        {
            t_watch.bReported = true;
            (*t_watch.pOnActivated)(hWnd);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

} // namespace

CMessageBoxSeam* AfxSetMessageBoxSeam(CMessageBoxSeam* pSeam)
{
    return std::exchange(g_pMessageBoxSeam, pSeam);
}

CModalHook* AfxSetModalHook(CModalHook* pHook)
{
    return std::exchange(g_pModalHook, pHook);
}

CTickClock* AfxSetTickClock(CTickClock* pClock)
{
    return std::exchange(g_pTickClock, pClock);
}

CBeepSeam* AfxSetBeepSeam(CBeepSeam* pSeam)
{
    return std::exchange(g_pBeepSeam, pSeam);
}

INT_PTR AfxRunWatchingDialogActivation(const std::function<INT_PTR()>& runDialog,
                                       const std::function<void(HWND)>& onActivated)
{
    DialogActivationWatch outer = t_watch;
    t_watch.pOnActivated = &onActivated;
    t_watch.bReported = false;
    t_watch.hHook = ::SetWindowsHookExA(WH_CBT, DialogActivationCbtHook, nullptr, ::GetCurrentThreadId());
    INT_PTR nResult = runDialog();
    if (t_watch.hHook != nullptr)
        ::UnhookWindowsHookEx(t_watch.hHook);
    t_watch = outer;
    return nResult;
}

int AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (g_pMessageBoxSeam != nullptr)
        return g_pMessageBoxSeam->Show(hWndOwner, lpszText, lpszCaption, nType);
    if (g_pModalHook == nullptr)
        return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
    // The modal hook is told when the box shows, so that a test can answer it.
    return (int)AfxRunWatchingDialogActivation(
        [&]() -> INT_PTR { return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType); },
        [](HWND hWndBox) {
            if (g_pModalHook != nullptr)
                g_pModalHook->OnMessageBox(CWnd::FromHandle(hWndBox));
        });
}

void AfxNotifyModalDialog(CWnd* pDialog)
{
    if (g_pModalHook != nullptr)
        g_pModalHook->OnModalDialog(pDialog);
}

BOOL AfxAnswerCommonDialog(CCommonDialog* pDialog, INT_PTR& nResult)
{
    return g_pModalHook != nullptr && g_pModalHook->OnCommonDialog(pDialog, nResult);
}

BOOL AfxAnswerPopupMenu(CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pWnd, BOOL& nResult)
{
    return g_pModalHook != nullptr && g_pModalHook->OnPopupMenu(pMenu, nFlags, point, pWnd, nResult);
}

DWORD AfxGetTickCount()
{
    return g_pTickClock != nullptr ? g_pTickClock->GetTickCount() : ::GetTickCount();
}

BOOL AfxMessageBeep(UINT uType)
{
    return g_pBeepSeam != nullptr ? g_pBeepSeam->MessageBeep(uType) : ::MessageBeep(uType);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowMessageBox(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(text, nType, nIDHelp);
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR message[512] = {};
    UINT nHelpContext = 0;
    if (GetErrorMessage(message, sizeof message, &nHelpContext))
        return AfxMessageBox(message, nType, nHelpContext);
    if (nMessageID == 0)
        nMessageID = AFX_IDP_NO_ERROR_AVAILABLE;
    return AfxMessageBox(nMessageID, nType, nHelpContext);
}
