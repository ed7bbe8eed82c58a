#include "framework/dialogs/CommonDialog.h"

#include "framework/win/Seams.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

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

    BOOL bConfirmed = (BOOL)AfxRunWatchingDialogActivation([&]() -> INT_PTR { return runDialog(this); },
                                                           [this](HWND hWndDialog) {
                                                               m_hWnd = hWndDialog;
                                                               AfxNotifyModalDialog(this);
                                                           });
    m_hWnd = nullptr;   // the system destroyed its window; it was never ours
    return bConfirmed ? IDOK : IDCANCEL;
}
