#pragma once
// User selection: mouse presses, drags and releases, Shift and Ctrl, Shift with the move keys turn
// into the parameter object's selection list. The object keeps nothing of its own: the list is the
// parameter object's (so the views of one table share it), the gesture's range position, anchor
// and last cell are the engine's.

#include "grid/core/GridComponents.h"

class CGXGridUserSelectRangeImp : public CGXAbstractGridUserSelectRangeImp
{
public:
    BOOL SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL bStrictly, UINT nFlags,
                     BOOL bCreateHint) override;
    BOOL SetSelection(CGXGridCore* pGrid, POSITION pos, const CGXRange* pRange, BOOL bCreateHint) override;
    BOOL CopyRangeToSelection(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) override;
    BOOL DrawInvertedSelection(CGXGridCore* pGrid, CDC* pDC, const CRect& rect, BOOL bInvert) override;
    BOOL RedrawSelectionChange(CGXGridCore* pGrid, const CGXRange& oldRange, const CGXRange& newRange,
                               BOOL bRowHeaders, BOOL bColHeaders, UINT nFlags, BOOL bCreateHint) override;
    BOOL RedrawSelection(CGXGridCore* pGrid, UINT nFlags) override;
    BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    // The pointer reached another cell while the gesture runs (the gesture's mouse move).
    BOOL OnMoveTo(CGXGridCore* pGrid, CPoint point, UINT nFlags, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    // Ctrl+click on the header of a row or column that another range selects: deselects it.
    BOOL OnCellLeftClicked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;
    // Shift extends the gesture range horizontally; Shift with a vertical key outside list-box mode
    // is declined (the engine extends it itself).
    BOOL MoveCurrentCellEx(CGXGridCore* pGrid, int nDirection, UINT nCount) override;
    // Selecting appends a copy; deselecting cuts the range out of every listed range.
    BOOL StoreSelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect) override;
    BOOL UpdateSelectRange(CGXGridCore* pGrid, const CGXRange& area, const CGXRangeList* pOldList,
                           BOOL bCreateHint) override;
    BOOL UpdateSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                         BOOL bCreateHint) override;
    BOOL InvertAllSelectedCells(CGXGridCore* pGrid, BOOL bCreateHint) override;
};
