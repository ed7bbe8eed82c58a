#pragma once
// Covered ranges: blocks of cells that the grid shows and edits as one cell, the top-left cell's
// content drawn over the whole block. They are set by the program or the user and stored with the
// grid as the parameter object's covered-cells list; the covered-cell pool beside it answers which
// range holds a cell. One object serves any grid.

#include "grid/core/GridComponents.h"

class CGXGridCoveredCellsImp : public CGXAbstractGridCoveredCellsImp
{
public:
    // Covers the block, or uncovers the range whose top-left cell is (nRow, nCol) when the block is
    // that one cell. Spans in the block are evaluated again, the block is redrawn and the change
    // recorded for undo (not when nCommandType is 1, the replay of an undo). A block whose top-left
    // cell lies inside another covered range, or that reaches into another range, is refused.
    BOOL SetCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags,
                         int nCommandType) override;
    BOOL GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) override;
    // Adds, changes or removes one range in the list and the pool, without redraw or undo.
    BOOL StoreCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                           BOOL bSet) override;
    // Moves a current cell that the range now hides to its top-left cell and redraws the block
    // widened to the range.
    BOOL UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                  UINT nFlags, BOOL bCreateHint) override;
    // The block grown until no covered range reaches out of it; FALSE (rangeOut the range) while
    // nothing is covered.
    BOOL ExpandToCoveredCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) override;
    BOOL OnRemovingRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, int nCommandType) override;
    BOOL OnRemovingCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, int nCommandType) override;

private:
    BOOL PrepareRemove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int nCommandType);
};
