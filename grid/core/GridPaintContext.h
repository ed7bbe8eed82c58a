#pragma once
// The state of one paint of the grid engine (a block of client rows and columns with their
// positions, composed styles and per-cell flags), and the two painting components that see it:
// the spanned-cells drawing and the old-style drawing.

#include "framework/core/Geometry.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridTypes.h"
#include "grid/core/StylePenBrush.h"

#include <climits>
#include <vector>

class CDC;
class CGXControl;
class CGXGridCore;
class CGXStyle;

// Flag word of a cell in a paint.
enum : WORD
{
    GX_PAINT_BORDERLEFT = 0x1,
    GX_PAINT_BORDERRIGHT = 0x2,
    GX_PAINT_BORDERTOP = 0x4,
    GX_PAINT_BORDERBOTTOM = 0x8,
    GX_PAINT_SELECTED = 0x10,
    GX_PAINT_BACKGROUND = 0x20,
    // Part of a covered, merged or floating span: the spanned-cells drawing paints it.
    GX_PAINT_COVERED = 0x40,
    // The span is a covered range (not a merged or floating span).
    GX_PAINT_SPANCOVERED = 0x80,
    // The cell's control would draw nothing but its interior: the cell is filled with a run of such
    // neighbours as it is drawn, not with the row's background.
    GX_PAINT_INTERIORONLY = 0x100,
    GX_PAINT_HORZLINE = 0x200,
    GX_PAINT_VERTLINE = 0x400,
    // The right line of the last frozen column and the bottom line of the last frozen row take
    // the "Fixed Lines" colour.
    GX_PAINT_LASTFROZENCOL = 0x800,
    GX_PAINT_LASTFROZENROW = 0x1000,
    // A cell of a span after the first one marked: the first draws the span.
    GX_PAINT_SPANLATER = 0x2000,
    // The span ends at the block's last column (row), right of the frozen ones, and the cell's style
    // has no right (bottom) border there.
    GX_PAINT_SPANENDCOL = 0x4000,
    GX_PAINT_SPANENDROW = 0x8000
};

// Lives on the stack of CGXGridCore::PaintGrid; the engine points at it while the paint runs.
class CGXGridPaintContext
{
public:
    UINT m_nRows = 0;
    UINT m_nCols = 0;
    ROWCOL m_nTopRow = 0;
    ROWCOL m_nLeftCol = 0;
    ROWCOL m_nFrozenRows = 0;
    ROWCOL m_nFrozenCols = 0;
    ROWCOL m_nHeaderRows = 0;
    ROWCOL m_nHeaderCols = 0;

    // The current cell's inner rectangle and control, once the cell was drawn.
    CRect m_rectCurrentInner;
    CGXControl* m_pCurrentControl = nullptr;

    // The cell being drawn, and the top-left corner of the block.
    CRect m_rectCell;
    int m_nStartX = 0;
    int m_nStartY = 0;

    // Per client row and column of the block. The number arrays hold one entry more: the row
    // (column) after the block, 0 when that is beyond the row (column) count.
    std::vector<int> m_anRowHeights;
    std::vector<int> m_anRowTops;
    std::vector<ROWCOL> m_anRows;
    std::vector<int> m_anColWidths;
    std::vector<int> m_anColLefts;
    std::vector<ROWCOL> m_anCols;

    // Per cell, row by row.
    std::vector<const CGXStyle*> m_apStyles;
    std::vector<WORD> m_awFlags;

    // The run of interior-only cells filled last: its row and the column after it.
    UINT m_nInteriorRunRow = UINT_MAX;
    UINT m_nInteriorRunEnd = 0;
    // The cells of the row being filled whose control fills their background itself.
    std::vector<bool> m_abSelfFilled;

    BOOL m_bDrawSelection = FALSE;
    BOOL m_bNotBlackWhite = TRUE;
    COLORREF m_colorBackground = RGB(255, 255, 255);

    // The block in client rows and columns (inclusive).
    ROWCOL m_nTopClientRow = 0;
    ROWCOL m_nLeftClientCol = 0;
    ROWCOL m_nBottomClientRow = 0;
    ROWCOL m_nRightClientCol = 0;

    CDC* m_pDC = nullptr;

    // The pattern brushes that a dashed or dotted pen yields over two cells, for comparing them.
    CGXStyleBrush m_brushCompare1;
    CGXStyleBrush m_brushCompare2;

    size_t CellIndex(UINT nRow, UINT nCol) const { return static_cast<size_t>(nRow) * m_nCols + nCol; }
    WORD& Flags(UINT nRow, UINT nCol) { return m_awFlags[CellIndex(nRow, nCol)]; }
    const CGXStyle*& Style(UINT nRow, UINT nCol) { return m_apStyles[CellIndex(nRow, nCol)]; }
    CRect CellRect(UINT nRow, UINT nCol) const
    {
        return CRect(m_anColLefts[nCol], m_anRowTops[nRow], m_anColLefts[nCol] + m_anColWidths[nCol],
                     m_anRowTops[nRow] + m_anRowHeights[nRow]);
    }
};

// Covered, merged and floating cells in a paint. Client row and column are indexes of the block.
class CGXAbstractDrawSpannedCellsImp : public CGXGridComponent
{
public:
    // Non-zero: the cell belongs to a span and the engine does not prepare it.
    virtual BOOL IsSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow,
                               UINT nClientCol) = 0;
    // Draws a cell of a span; non-zero when it did.
    virtual BOOL DrawSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow,
                                 UINT nClientCol) = 0;
    // Evaluates the merged and floating spans of the four panes that frozen rows and columns make
    // (EvalVisibleSpannedCells): rows 0..nFrozenRows and nTopRow..nBottomRow, columns alike.
    virtual BOOL EvalSpannedCellsInPanes(CGXGridCore* pGrid, ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nFrozenRows,
                                         ROWCOL nFrozenCols, ROWCOL nBottomRow, ROWCOL nRightCol, BOOL bUpdateLocked,
                                         CGXRange* pRangeChanged, BOOL bNoCache, UINT nFlags) = 0;
};

class CGXAbstractGridOldDrawingImp : public CGXGridComponent
{
public:
    // Offered every paint after the cells are prepared; non-zero when it drew the whole block.
    virtual BOOL PaintGrid(CGXGridCore* pGrid, CDC* pDC, CGXGridPaintContext& context) = 0;
    // Grid lines and frames the older way.
    virtual BOOL DrawGridLinesOldStyle(CGXGridCore* pGrid, CDC* pDC) = 0;
};
