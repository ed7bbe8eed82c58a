#include "grid/controls/Pushbutton.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/DrawnCell.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

GRID_IMPLEMENT_CONTROL(CGXPushbutton, CGXControl)

CGXPushbutton::CGXPushbutton(CGXGridCore* pGrid) : CGXControl(pGrid), m_pButton(new CGXButton(this))
{
    AddChild(m_pButton);
}

void CGXPushbutton::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (CWnd* pGridWnd = GetGridWnd())
        if (pGridWnd->GetSafeHwnd() != nullptr)
            ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pButton->GetRect(), TRUE);
}

void CGXPushbutton::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect)
{
    const CGXStyle& style = m_pGrid->LookupStyleRowCol(nRow, nCol);
    SetFocusChild(m_pButton);
    m_pButton->SetRect(rect);
    m_pButton->SetText(style.GetIncludeChoiceList() ? static_cast<LPCTSTR>(style.GetChoiceList()) : "");
}

void CGXPushbutton::DrawFrame(CDC*, const CRect&, ROWCOL, ROWCOL, const CGXStyle&)
{
}

void CGXPushbutton::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                         const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr || rect.IsRectEmpty() || rect.Width() < 2 || rect.Height() < 2)
        return;
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    Draw3dFrame(pDC, rect, style);
    const COLORREF oldText =
        ::SetTextColor(pDC->GetSafeHdc(), GXDrawnCell::TextColor(style, GXDrawnCell::IsBlackWhite(m_pGrid)));
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    ::SetTextColor(pDC->GetSafeHdc(), oldText);
}

CSize CGXPushbutton::CalcSize(CDC* pDC, ROWCOL, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL)
{
    SIZE extent = {};
    const CString caption = style.GetIncludeChoiceList() ? style.GetChoiceList() : CString();
    if (pDC != nullptr && !caption.IsEmpty())
    {
        GXDrawnCell::FontScope font(m_pGrid, pDC, style);
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), caption, caption.GetLength(), &extent);
    }
    return m_pGrid->AddBorders(CSize(extent.cx + 8, extent.cy + 4), style);
}
