#include "framework/dialogs/CommonDialog.h"

#include "framework/win/Seams.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

namespace {

// The common dialog being run on this thread and its hook; nested runs keep the outer ones.
thread_local CCommonDialog* t_pRunningDialog = nullptr;
thread_local HHOOK t_hActivateHook = nullptr;
thread_local bool t_bDialogReported = false;

} // namespace

// Tells the modal hook about the system dialog's window once it is activated: its own loop is about
// to run, so a test may post to it from here.
LRESULT CALLBACK AfxCommonDialogCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = t_hActivateHook;
    if (nCode == HCBT_ACTIVATE && !t_bDialogReported && t_pRunningDialog != nullptr)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
        {
            t_bDialogReported = true;
            t_pRunningDialog->m_hWnd = hWnd;
            AfxNotifyModalDialog(t_pRunningDialog);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

void CCommonDialog::OnOK()
{
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

HWND CCommonDialog::GetOwnerForDialog() const
{
    HWND hWndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    return hWndOwner == ::GetDesktopWindow() ? nullptr : hWndOwner;
}

INT_PTR CCommonDialog::RunCommonDialog(BOOL (*runDialog)(CCommonDialog* pDialog))
{
    INT_PTR nResult = IDCANCEL;
    if (AfxAnswerCommonDialog(this, nResult))
        return nResult;

    CCommonDialog* pOuterDialog = t_pRunningDialog;
    HHOOK hOuterHook = t_hActivateHook;
    bool bOuterReported = t_bDialogReported;
    t_pRunningDialog = this;
    t_bDialogReported = false;
    t_hActivateHook = ::SetWindowsHookExA(WH_CBT, AfxCommonDialogCbtHook, nullptr, ::GetCurrentThreadId());

    BOOL bConfirmed = runDialog(this);

    if (t_hActivateHook != nullptr)
        ::UnhookWindowsHookEx(t_hActivateHook);
    t_pRunningDialog = pOuterDialog;
    t_hActivateHook = hOuterHook;
    t_bDialogReported = bOuterReported;
    m_hWnd = nullptr;   // the system destroyed its window; it was never ours
    return bConfirmed ? IDOK : IDCANCEL;
}
