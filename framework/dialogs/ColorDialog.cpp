#include "framework/dialogs/ColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

namespace {

BOOL RunColorDialog(CCommonDialog* pDialog)
{
    return ::ChooseColorA(&static_cast<CColorDialog*>(pDialog)->m_cc);
}

} // namespace

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF customColors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    };
    return customColors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.rgbResult = clrInit;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = GetOwnerForDialog();
    return RunCommonDialog(&RunColorDialog);
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    // While the dialog is up, the system's own message moves its selection.
    static const UINT setRgbMessage = ::RegisterWindowMessageA(SETRGBSTRINGA);
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, setRgbMessage, 0, (LPARAM)clr);
}
