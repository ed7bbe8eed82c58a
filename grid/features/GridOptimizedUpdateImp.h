#pragma once
// The redraw after rows or columns were inserted, removed or resized, done cheaply: window contents
// that only move are moved by the window system (ScrollWindowEx), only what is new is painted, and
// the first scrolled row (column) keeps showing the same data when the change lies above (left of)
// the visible part. One object serves any grid.
//
// Flags: bit value 1 invalidates instead of moving contents; bit values 2 and 4 repaint, 2 at once.
// Flags 0 are the engine's immediate redraw and are served like bit value 2.

#include "grid/core/GridComponents.h"

class CGXGridOptimizedUpdateImp : public CGXAbstractGridOptimizedUpdateImp
{
public:
    // The engine's UpdateChangedRowHeights and UpdateChangedColWidths steps.
    void OnRowHeightsChanged(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                             UINT nFlags) override;
    void OnColWidthsChanged(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                            UINT nFlags) override;
    void UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags) override;
    void UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags) override;
    // The count is already the new one; the old sizes (pixels) may be NULL.
    void UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                          UINT nFlags) override;
    void UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                          UINT nFlags) override;
};
