#include "framework/dialogs/FindReplaceDialog.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog()
    : CCommonDialog(nullptr), m_fr(), m_szFindWhat(), m_szReplaceWith()
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
    // The notification carries &m_fr; this leads back to the object.
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

UINT PASCAL CFindReplaceDialog::GetFindReplaceMessage()
{
    static const UINT message = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* pFindReplace = reinterpret_cast<FINDREPLACEA*>(lParam);
    if (pFindReplace == nullptr)
        return nullptr;
    return reinterpret_cast<CFindReplaceDialog*>(pFindReplace->lCustData);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return FALSE;
    m_fr.Flags = dwFlags;
    lstrcpynA(m_szFindWhat, lpszFindWhat != nullptr ? lpszFindWhat : "", sizeof m_szFindWhat);
    lstrcpynA(m_szReplaceWith, lpszReplaceWith != nullptr ? lpszReplaceWith : "", sizeof m_szReplaceWith);
    m_pParentWnd = pParentWnd;
    // The notifications go to hwndOwner: a given parent gets them itself, even a child window (the
    // system makes the dialog a popup of the parent's top-level window all the same).
    m_fr.hwndOwner = pParentWnd != nullptr && pParentWnd->GetSafeHwnd() != nullptr ? pParentWnd->GetSafeHwnd()
                                                                                   : GetOwnerForDialog();
    if (m_fr.hwndOwner == nullptr)
        return FALSE;   // the system needs an owner to send its notifications to
    GetFindReplaceMessage();

    // The dialog window is attached to this object, so message maps and PreTranslateMessage (which
    // gives it the dialog keyboard) reach it.
    AfxHookWindowCreate(this);
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
