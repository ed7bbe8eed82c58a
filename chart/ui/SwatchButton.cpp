#include "chart/ui/SwatchButton.h"

#include "framework/dialogs/ColorDialog.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

IMPLEMENT_DYNAMIC(QVSwatchButton, CButton)

void QVSwatchButton::SetColor(COLORREF color)
{
    m_color = color;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL QVSwatchButton::ChooseColor(CWnd* pParent)
{
    CColorDialog dialog(m_color, CC_RGBINIT, pParent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    SetColor(dialog.GetColor());
    if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
        pParent->Invalidate();
    return TRUE;
}

void QVSwatchButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CBrush brush(m_color);
    pDC->FillRect(&lpDrawItemStruct->rcItem, &brush);
}
