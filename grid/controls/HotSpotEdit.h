#pragma once
// The hot-spot edit cell (control id 52518): an edit cell with a small button in the top right
// corner of the current cell; a click on it goes to the grid's button hook with the cell.

#include "grid/controls/EditControl.h"

class CGXHotSpotButton;

class CGXHotSpotEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXHotSpotEdit)
    GRID_DECLARE_CONTROL(CGXHotSpotEdit)

public:
    CGXHotSpotEdit(CGXGridCore* pGrid, UINT nID);

    // The button's width and the pixel between it and the cell's edge.
    static const int kButtonSpace = 13;

    CRuntimeClass* GetWndRuntimeClass() override;
    BOOL IsFloatCandidate(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloat) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // A 13-pixel square in the top right corner, one pixel down in a cell taller than it.
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;

    CGXHotSpotButton* GetButton() const { return m_pButton; }

protected:
    CGXHotSpotButton* m_pButton;
};
