// A colour swatch: an owner-drawn button filled with one colour. Its page's colour command asks for a
// new colour with the colour dialog.
#pragma once

#include "framework/win/Controls.h"

class QVSwatchButton : public CButton
{
    DECLARE_DYNAMIC(QVSwatchButton)
public:
    QVSwatchButton() = default;

    COLORREF GetColor() const { return m_color; }
    // Repaints the swatch when it has a window.
    void SetColor(COLORREF color);
    // The colour dialog with the swatch's colour; on OK the swatch takes the chosen one and pParent
    // repaints. FALSE when cancelled.
    BOOL ChooseColor(CWnd* pParent);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    COLORREF m_color = RGB(0, 0, 0);
};
