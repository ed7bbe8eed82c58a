#pragma once
// Fitting the heights of a range's rows (the widths of its columns) to what their cells need, never
// beyond the grid area that the header and frozen lines leave. One device context and one font
// selection serve a whole run, a spanned block is measured once, and all new sizes form one undo
// step that an abort rolls back. One stateless object serves any grid.

#include "grid/core/GridComponents.h"

// The flag value by which a fit only ever grows a line.
const UINT GX_NOSHRINKSIZE = 8;

class CGXGridResizeToFitImp : public CGXAbstractGridResizeToFitImp
{
public:
    // With bResizeCoveredCells a spanned block lying wholly in the range counts for its bottom row
    // (right column), less what its other rows (columns) already give; else spanned cells do not
    // count. Lines of zero size elsewhere (hidden) are not measured. FALSE after an abort, with every
    // size changed so far taken back.
    BOOL ResizeRowHeightsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                               UINT nFlags) override;
    BOOL ResizeColWidthsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                              UINT nFlags) override;
};
