#pragma once
// User resizing: dragging the line after a row or column changes its height or width (or those of
// the selected whole rows or columns, or the default), dragging it to nothing hides it, and a
// double click on a line shows hidden lines again or gives a line back its default size. The
// tracking state lives in the engine.

#include "grid/core/GridComponents.h"

class CGXGridUserResizeCellsImp : public CGXAbstractGridUserResizeCellsImp
{
public:
    BOOL OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    BOOL OnLButtonDblClk(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                         ROWCOL nCol) override;
    // The steps of tracking (start, each size, cancel, end).
    BOOL StartResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode) override;
    BOOL MoveResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) override;
    BOOL CancelResizeTracking(CGXGridCore* pGrid) override;
    BOOL EndResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) override;
};
