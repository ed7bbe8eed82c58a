#include "framework/dialogs/FontDialog.h"

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

namespace {

BOOL RunFontDialog(CCommonDialog* pDialog)
{
    return ::ChooseFontA(&static_cast<CFontDialog*>(pDialog)->m_cf);
}

} // namespace

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf(), m_lf(), m_szStyleName()
{
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags;
    if (lplfInitial != nullptr)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != nullptr && pdcPrinter->GetSafeHdc() != nullptr)
    {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = GetOwnerForDialog();
    return RunCommonDialog(&RunFontDialog);
}

void CFontDialog::GetCurrentFont(LPLOGFONTA lplf)
{
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, WM_CHOOSEFONT_GETLOGFONT, 0, (LPARAM)lplf);
    else
        *lplf = m_lf;
}
