#include "grid/controls/VScrollEdit.h"

IMPLEMENT_DYNAMIC(CGXVScrollEdit, CGXEditControl)
GRID_IMPLEMENT_CONTROL(CGXVScrollEdit, CGXEditControl)

CGXVScrollEdit::CGXVScrollEdit(CGXGridCore* pGrid, UINT nID) : CGXEditControl(pGrid, nID)
{
    m_layout.m_bVertScrollBar = TRUE;
}

CRuntimeClass* CGXVScrollEdit::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXVScrollEdit);
}

BOOL CGXVScrollEdit::IsFloatCandidate(ROWCOL, ROWCOL, const CGXStyle&, BOOL)
{
    return FALSE;
}

DWORD CGXVScrollEdit::ComputeEditStyle(RECT* pRect, int* pLineHeight)
{
    m_layout.m_bVertScrollBar = TRUE;
    return CGXEditControl::ComputeEditStyle(pRect, pLineHeight);
}

CRect CGXVScrollEdit::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXStatic::GetCellRect(nRow, nCol, pRectItem, pStyle);
    if (pStyle != nullptr && m_layout.m_bVertScrollBar)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    return rect;
}
