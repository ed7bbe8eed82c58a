#pragma once
// Merged cells: neighbouring cells of a row or a column with equal content are shown as one cell,
// so that a value repeated down a column (a group label) shows once over its run. The cells' styles
// give the permission (MergeCell: 1 horizontally, 2 vertically, 4 compare the values alone) and
// the grid's merge-cells mode switches the feature on; the spans are worked out from the cells and
// kept in the parameter object's horizontal and vertical span-cell pools, either for a whole range
// at once (immediate mode) or lazily for the rows about to be drawn (delayed mode). One object
// serves any grid.

#include "grid/core/GridComponents.h"

class CGXSpanPassScope;

class CGXGridMergeCellsImp : public CGXAbstractGridMergeCellsImp
{
public:
    // In delayed mode a cell of a hidden row or column always may (it is passed over); otherwise the
    // mode and the style's MergeCell bits must allow the direction, the cell must not be covered, and
    // its control must find a value in it.
    BOOL CanMergeCell(CGXGridCore* pGrid, const CGXStyle& style, ROWCOL nRow, ROWCOL nCol, ROWCOL nOtherRow,
                      ROWCOL nOtherCol) override;
    // Both styles set MergeCell; with bit 4 in both the values are compared, else all attributes.
    BOOL CanMergeCellsStyles(CGXGridCore* pGrid, const CGXStyle& style, const CGXStyle& otherStyle) override;
    BOOL DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nRowCount, ROWCOL nColCount) override;
    BOOL EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                        BOOL bNoCache) override;
    BOOL GetMergeRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection) override;
    BOOL UpdateMergeCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                ROWCOL nToCol, UINT nFlags) override;
    BOOL RedrawMergeCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                UINT nFlags, BOOL bCreateHint) override;
    BOOL ExpandToMergedCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) override;
    BOOL SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) override;

private:
    BOOL EvalImmediate(CGXGridCore* pGrid, const CGXRange& block, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                       BOOL bNoCache);
    BOOL EvalDelayed(CGXGridCore* pGrid, const CGXRange& block, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                     BOOL bNoCache);
    // The spans a cell takes part in, with its neighbours.
    BOOL EvalCell(CGXGridCore* pGrid, CGXSpanPassScope& pass, ROWCOL nRow, ROWCOL nCol, CGXRange* pRangeChanged);
    // One pair of neighbours: first and second index along the direction (columns for 0, rows for
    // 1) in line nLine (the row, or the column).
    BOOL EvalPair(CGXGridCore* pGrid, CGXSpanPassScope& pass, int nDirection, ROWCOL nLine, ROWCOL nFirst,
                  ROWCOL nSecond, CGXRange* pRangeChanged);
};
