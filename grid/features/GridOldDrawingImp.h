#pragma once
// The row-banded way of painting a prepared paint: backgrounds first, in merged rectangles of equal
// interior, then the cells row by row, each row clipped to its band so that no cell paints into
// the next row, then all grid lines. The grid takes it when its parameter object asks for it (and
// keeps taking it from then on). One object serves any grid.

#include "grid/core/GridPaintContext.h"

class CGXGridOldDrawingImp : public CGXAbstractGridOldDrawingImp
{
public:
    // DrawGridOldStyle: FALSE (the grid paints the normal way) unless the row-banded path is on.
    BOOL PaintGrid(CGXGridCore* pGrid, CDC* pDC, CGXGridPaintContext& context) override;
    // EraseBackgroundOldStyle, for the paint in progress: the area beyond the table, the block in
    // the standard interior, and runs and blocks of cells with another interior of their own.
    BOOL DrawGridLinesOldStyle(CGXGridCore* pGrid, CDC* pDC) override;
};
