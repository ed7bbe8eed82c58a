#pragma once
// The edit cell with a scroll bar (control id 52521): a word-wrapped cell is edited with a vertical
// scroll bar beside its text; a cell without word wrap edits in a single line without one.

#include "grid/controls/EditControl.h"

class CGXVScrollEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXVScrollEdit)
    GRID_DECLARE_CONTROL(CGXVScrollEdit)

public:
    CGXVScrollEdit(CGXGridCore* pGrid, UINT nID);

    CRuntimeClass* GetWndRuntimeClass() override;
    BOOL IsFloatCandidate(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloat) override;
    DWORD ComputeEditStyle(RECT* pRect, int* pLineHeight) override;
    // The text rectangle leaves room for the scroll bar when a style is given.
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
};
