#include "grid/controls/HotSpotEdit.h"

#include "grid/controls/Buttons.h"

IMPLEMENT_DYNAMIC(CGXHotSpotEdit, CGXEditControl)
GRID_IMPLEMENT_CONTROL(CGXHotSpotEdit, CGXEditControl)

CGXHotSpotEdit::CGXHotSpotEdit(CGXGridCore* pGrid, UINT nID)
    : CGXEditControl(pGrid, nID), m_pButton(new CGXHotSpotButton(this))
{
    AddChild(m_pButton);
}

CRuntimeClass* CGXHotSpotEdit::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXHotSpotEdit);
}

BOOL CGXHotSpotEdit::IsFloatCandidate(ROWCOL, ROWCOL, const CGXStyle&, BOOL)
{
    return FALSE;
}

void CGXHotSpotEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    // The button shows only in the current cell: its place is painted anew.
    if (CWnd* pGridWnd = GetGridWnd())
        ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pButton->GetRect(), TRUE);
}

CRect CGXHotSpotEdit::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXStatic::GetCellRect(nRow, nCol, pRectItem, pStyle);
    rect.right -= kButtonSpace;
    return rect;
}

CSize CGXHotSpotEdit::GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return CGXStatic::GetBorderSize(nRow, nCol, style) + CSize(kButtonSpace, 0);
}

void CGXHotSpotEdit::LayoutChildren(ROWCOL, ROWCOL, const CRect& rect)
{
    CRect button(rect.right - 14, rect.top, rect.right - 1, rect.top + 13);
    button.IntersectRect(&button, &rect);
    if (button.Height() < rect.Height() - 1)
        button.OffsetRect(0, 1);
    m_pButton->SetRect(button);
}
