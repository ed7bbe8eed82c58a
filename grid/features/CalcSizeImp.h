#pragma once
// The size of a cell's content: the width its text needs (floating cells measure their text with
// it) or the height of its wrapped lines (fitting rows), borders included. One object serves any grid.

#include "grid/core/GridComponents.h"

class CGXCalcSizeImp : public CGXAbstractGridCalcSizeImp
{
public:
    // The text is the control's display text (the stored value when the grid shows stored values);
    // a bitmap reference measures as its bitmap. An empty text measures one widest character by one
    // line. A wrapped text is broken for the width of the cell's whole span, at most 32 lines; its
    // width is that of the widest line, or, when the lines do not fit the cell's height, that of the
    // widest line between explicit line breaks. The dimension not asked for is the cell's inner one.
    CSize CalcCellSize(CGXGridCore* pGrid, CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol,
                       const CGXStyle& style, const CGXStyle* pStandardStyle, BOOL bVert) override;
};
