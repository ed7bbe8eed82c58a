#pragma once
// Drawing of covered, merged and floating spans: the content of a span's first cell is drawn once
// into the rectangle of the whole span, and the other cells of the span are not drawn on their
// own. Before a paint the spans of the visible panes are worked out, so that delayed evaluation
// only ever does the rows about to be painted. One object serves any grid.

#include "grid/core/GridPaintContext.h"

class CGXDrawSpannedCellsImp : public CGXAbstractDrawSpannedCellsImp
{
public:
    // Marks the span of the client cell in the paint (DrawSpannedCell): every visible cell of it
    // gets the span bits and the first cell's style; grid lines and the style's borders stay on the
    // span's outer edges only. FALSE when the cell belongs to no span, or is the current cell being
    // edited in a merged or floating span (it is drawn on its own then).
    BOOL IsSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol) override;
    // Draws the span from its first visible cell (DrawSpannedCellInContext): the top-left cell's
    // content laid out in the whole span's rectangle, clipped to each visible part (the frozen and
    // the scrolled rows and columns). TRUE for every cell of a span.
    BOOL DrawSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol) override;
    // Merged, then floating cells of the four panes that the frozen rows and columns make
    // (EvalVisibleSpannedCells).
    BOOL EvalSpannedCellsInPanes(CGXGridCore* pGrid, ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nFrozenRows,
                                 ROWCOL nFrozenCols, ROWCOL nBottomRow, ROWCOL nRightCol, BOOL bUpdateLocked,
                                 CGXRange* pRangeChanged, BOOL bNoCache, UINT nFlags) override;
};
