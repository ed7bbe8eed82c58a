#pragma once
// Floating cells: a text wider than its column goes on over the empty cells to its right, the way a
// spreadsheet shows long labels. The spans are worked out from the cells' values, styles (FloatCell:
// the text may float; FloodCell: the cell may be covered) and text widths, and kept in the
// parameter object's floating span-cell pool: the screen's, or a second one while the grid prints.
// One object serves any grid.

#include "grid/core/GridComponents.h"

class CDC;
class CGXSpanPassScope;

class CGXGridFloatCellsImp : public CGXAbstractGridFloatCellsImp
{
public:
    // Never in a covered range or (with bCheckMerged) a merged span; a cell in the first scrollable
    // column is never covered, so text does not float out of the frozen columns. The style's
    // FloatCell (FloodCell) must be on, and the cell's control has the last word.
    BOOL CanFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell,
                      BOOL bCheckMerged) override;
    BOOL DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nColCount) override;
    BOOL EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                        BOOL bNoCache) override;
    BOOL GetFloatRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) override;
    BOOL UpdateFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                UINT nFlags) override;
    BOOL RedrawFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                UINT nFlags, BOOL bCreateHint) override;
    BOOL ExpandToFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) override;
    BOOL SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) override;
    BOOL CanFloatCellDefault(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                             BOOL bFloatCell) override;

    // The spans a cell takes part in: its own and the one that ends left of it.
    BOOL EvalFloatCell(CGXGridCore* pGrid, CGXSpanPassScope& pass, CDC* pDC, ROWCOL nRow, ROWCOL nCol,
                       CGXRange* pRangeChanged);
    // The span that starts where the cell's span starts, measured again.
    BOOL EvalFloatCellsFrom(CGXGridCore* pGrid, CGXSpanPassScope& pass, CDC* pDC, ROWCOL nRow, ROWCOL nCol,
                            CGXRange* pRangeChanged);
    // Stores (or, for one cell, clears) a span in the floating pool; FALSE while the mode is off.
    BOOL StoreFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                               BOOL bSet);

private:
    BOOL EvalPass(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                  BOOL bNoCache, BOOL bDelayed);
};
