#pragma once
// Dragging selected whole rows or columns by their header and dropping them before another row or
// column moves them there, with undo. The drag's state lives in the engine.

#include "grid/core/GridComponents.h"

class CGXGridUserDragSelectRangeImp : public CGXAbstractGridUserDragSelectRangeImp
{
public:
    BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    BOOL StartDragSelection(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) override;
    // Shows where the block would land (the line before the drop row or column), or the refusing cursor.
    BOOL DoDragSelection(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol) override;
    // Moves the dragged block before the drop row or column; FALSE when nothing moved.
    BOOL DropSelection(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol) override;
    BOOL CancelDragSelection(CGXGridCore* pGrid) override;
};
