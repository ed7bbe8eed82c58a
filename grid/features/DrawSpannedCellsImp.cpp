#include "grid/features/DrawSpannedCellsImp.h"

#include "framework/win/Dc.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/features/SpanEvaluation.h"

#include <algorithm>
#include <new>
#include <vector>

namespace
{
const UINT kNone = 0xFFFFFFFF;

// The span a cell belongs to: its covered range, else its horizontal, then its vertical merged span,
// else its floating span. While the cell is being edited a merged or floating span counts only
// from its first cell, so that the edited cell is not hidden under another's content.
BOOL FindSpan(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& span, BOOL& bCovered)
{
    bCovered = pGrid->GetCoveredCellsRowCol(nRow, nCol, span);
    if (bCovered)
        return TRUE;
    const BOOL bEdited = pGrid->IsCurrentCell(nRow, nCol) && pGrid->IsActiveCurrentCell();
    CGXRange found;
    if (pGrid->GetMergeRange(nRow, nCol, found, 0) && (!bEdited || found.left == nCol))
        span = found;
    else if (pGrid->GetMergeRange(nRow, nCol, found, 1) && (!bEdited || found.top == nRow))
        span = found;
    else if (pGrid->GetFloatRange(nRow, nCol, found) && (!bEdited || found.left == nCol))
        span = found;
    else
        return FALSE;
    return TRUE;
}

BOOL HasBorder(const CGXStyle* pStyle, int nEdge)
{
    return pStyle != nullptr && pStyle->GetIncludeBorders() && pStyle->IsBorderIncluded(nEdge);
}

// The parts of a span's rows (columns) that frozen lines and the scrolled position show: those up
// to the last frozen one, and those from the first scrolled one on.
std::vector<std::pair<ROWCOL, ROWCOL>> VisibleParts(ROWCOL nFirst, ROWCOL nLast, ROWCOL nFrozen, ROWCOL nTop)
{
    std::vector<std::pair<ROWCOL, ROWCOL>> parts;
    if (nFirst <= nFrozen)
        parts.emplace_back(nFirst, std::min(nLast, nFrozen));
    const ROWCOL nScrolledFirst = std::max({nFirst, nTop, nFrozen + 1});
    if (nScrolledFirst <= nLast)
        parts.emplace_back(nScrolledFirst, nLast);
    return parts;
}
} // namespace

BOOL CGXDrawSpannedCellsImp::IsSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow,
                                           UINT nClientCol)
{
    const ROWCOL nRow = context.m_anRows[nClientRow];
    const ROWCOL nCol = context.m_anCols[nClientCol];
    CGXRange span;
    BOOL bCovered = FALSE;
    if (!FindSpan(pGrid, nRow, nCol, span, bCovered))
        return FALSE;
    const CGXStyle*& pFirstStyle = context.Style(nClientRow, nClientCol);
    if (pFirstStyle == nullptr)
        pFirstStyle = &pGrid->LookupCellStyle(span.top, span.left);
    const CGXStyle* pStyle = pFirstStyle;

    // The span's end as far as it is seen: an end scrolled out of view ends the frozen part.
    ROWCOL nBottom = span.bottom;
    ROWCOL nRight = span.right;
    if (nBottom > context.m_nFrozenRows && nBottom < context.m_nTopRow)
        nBottom = context.m_nFrozenRows;
    if (nRight > context.m_nFrozenCols && nRight < context.m_nLeftCol)
        nRight = context.m_nFrozenCols;
    UINT nLastRow = nClientRow;
    while (nLastRow + 1 < context.m_nRows && context.m_anRows[nLastRow + 1] <= nBottom)
        ++nLastRow;
    UINT nLastCol = nClientCol;
    while (nLastCol + 1 < context.m_nCols && context.m_anCols[nLastCol + 1] <= nRight)
        ++nLastCol;

    const BOOL bEdited = pGrid->IsActiveCurrentCell();
    BOOL bAnyMarked = FALSE;
    for (UINT r = nClientRow; r <= nLastRow; ++r)
        for (UINT c = nClientCol; c <= nLastCol; ++c)
        {
            const ROWCOL nCellRow = context.m_anRows[r];
            const ROWCOL nCellCol = context.m_anCols[c];
            // The cell being edited stays out of a merged or floating span: it is drawn on its own.
            if (!bCovered && bEdited && pGrid->IsCurrentCell(nCellRow, nCellCol))
                continue;
            WORD& flags = context.Flags(r, c);
            flags = static_cast<WORD>((flags & GX_PAINT_SELECTED) | GX_PAINT_COVERED |
                                      (bCovered ? GX_PAINT_SPANCOVERED : 0) | (bAnyMarked ? GX_PAINT_SPANLATER : 0));
            bAnyMarked = TRUE;
            context.Style(r, c) = pStyle;
            if (nCellCol == context.m_nFrozenCols && nCellCol > context.m_nHeaderCols)
                flags |= GX_PAINT_LASTFROZENCOL;
            if (nCellRow == context.m_nFrozenRows && nCellRow > context.m_nHeaderRows)
                flags |= GX_PAINT_LASTFROZENROW;
        }

    // Grid lines and the style's borders on the edges where the grid lines lie, and nowhere inside.
    CGXGridParam* pParam = pGrid->GetParam();
    const BOOL bRightBottom = pParam != nullptr && pParam->m_bLinesRightBottom;
    const UINT nVertEdge = bRightBottom ? (context.m_anCols[nLastCol] == span.right ? nLastCol : kNone)
                                        : (context.m_anCols[nClientCol] == span.left ? nClientCol : kNone);
    const UINT nHorzEdge = bRightBottom ? (context.m_anRows[nLastRow] == span.bottom ? nLastRow : kNone)
                                        : (context.m_anRows[nClientRow] == span.top ? nClientRow : kNone);
    const int nVertBorder = bRightBottom ? gxBorderRight : gxBorderLeft;
    const int nHorzBorder = bRightBottom ? gxBorderBottom : gxBorderTop;
    const WORD vertBorderFlag = bRightBottom ? GX_PAINT_BORDERRIGHT : GX_PAINT_BORDERLEFT;
    const WORD horzBorderFlag = bRightBottom ? GX_PAINT_BORDERBOTTOM : GX_PAINT_BORDERTOP;
    auto marked = [&](UINT r, UINT c) { return (context.Flags(r, c) & GX_PAINT_COVERED) != 0; };
    if (nVertEdge != kNone)
        for (UINT r = nClientRow; r <= nLastRow; ++r)
            if (marked(r, nVertEdge))
                context.Flags(r, nVertEdge) |= HasBorder(pStyle, nVertBorder) ? vertBorderFlag : WORD(GX_PAINT_VERTLINE);
    if (nHorzEdge != kNone)
        for (UINT c = nClientCol; c <= nLastCol; ++c)
            if (marked(nHorzEdge, c))
                context.Flags(nHorzEdge, c) |= HasBorder(pStyle, nHorzBorder) ? horzBorderFlag : WORD(GX_PAINT_HORZLINE);

    // The span ends with the block, right of (below) the frozen part.
    const ROWCOL nLastColIndex = context.m_anCols[nLastCol];
    if (nLastCol + 1 == context.m_nCols && nLastColIndex > context.m_nFrozenCols && nLastColIndex == span.right &&
        !HasBorder(pStyle, gxBorderRight))
        for (UINT r = nClientRow; r <= nLastRow; ++r)
            if (marked(r, nLastCol))
                context.Flags(r, nLastCol) |= GX_PAINT_SPANENDCOL;
    const ROWCOL nLastRowIndex = context.m_anRows[nLastRow];
    if (nLastRow + 1 == context.m_nRows && nLastRowIndex > context.m_nFrozenRows && nLastRowIndex == span.bottom &&
        !HasBorder(pStyle, gxBorderBottom))
        for (UINT c = nClientCol; c <= nLastCol; ++c)
            if (marked(nLastRow, c))
                context.Flags(nLastRow, c) |= GX_PAINT_SPANENDROW;

    return marked(nClientRow, nClientCol);
}

BOOL CGXDrawSpannedCellsImp::DrawSpannedCell(CGXGridCore* pGrid, CGXGridPaintContext& context, UINT nClientRow,
                                             UINT nClientCol)
{
    const WORD flags = context.Flags(nClientRow, nClientCol);
    if (context.Style(nClientRow, nClientCol) == nullptr || (flags & GX_PAINT_COVERED) == 0)
        return FALSE;
    const ROWCOL nRow = context.m_anRows[nClientRow];
    const ROWCOL nCol = context.m_anCols[nClientCol];
    if ((flags & GX_PAINT_SPANLATER) != 0)
    {
        // A current cell under a merged or floating span keeps its frame (drawn by the paint).
        if ((flags & GX_PAINT_SPANCOVERED) == 0 && pGrid->IsCurrentCell(nRow, nCol) && !context.m_rectCell.IsRectEmpty())
        {
            CGXControl* pControl = pGrid->GetCurrentCellControl();
            if (pControl != nullptr && !pControl->IsActive() && pControl->IsInitAt(nRow, nCol))
            {
                context.m_pCurrentControl = pControl;
                pGrid->SubtractBorders(context.m_rectCurrentInner, context.m_rectCell,
                                       pGrid->LookupCellStyle(nRow, nCol), TRUE);
            }
        }
        return TRUE;
    }

    CGXRange span;
    BOOL bCovered = FALSE;
    if (!FindSpan(pGrid, nRow, nCol, span, bCovered))
        return FALSE;
    const CGXStyle& style = pGrid->LookupCellStyle(span.top, span.left);
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(nCurRow, nCurCol);
    const BOOL bCurrentInSpan = bCurrent && span.ContainsCell(nCurRow, nCurCol);
    CGXControl* pControl = bCurrentInSpan ? pGrid->GetRegisteredControl(style.GetControl()) : nullptr;

    CDC* pDC = context.m_pDC;
    const HDC hDC = pDC->GetSafeHdc();
    for (const auto& rows : VisibleParts(span.top, span.bottom, context.m_nFrozenRows, context.m_nTopRow))
        for (const auto& cols : VisibleParts(span.left, span.right, context.m_nFrozenCols, context.m_nLeftCol))
        {
            CRect rectPart;
            if (!pGrid->CalcRangeRect(rectPart, rows.first, cols.first, rows.second, cols.second, TRUE) ||
                rectPart.IsRectEmpty())
                continue;
            // The content is laid out as if the whole span were visible; only this part shows.
            CRect rect = rectPart;
            if (rows.first > span.top)
                rect.top -= pGrid->CalcSumOfRowHeights(span.top, rows.first - 1);
            if (rows.second < span.bottom)
                rect.bottom += pGrid->CalcSumOfRowHeights(rows.second + 1, span.bottom);
            if (cols.first > span.left)
                rect.left -= pGrid->CalcSumOfColWidths(span.left, cols.first - 1);
            if (cols.second < span.right)
                rect.right += pGrid->CalcSumOfColWidths(cols.second + 1, span.right);

            const int nSaved = ::SaveDC(hDC);
            ::IntersectClipRect(hDC, rectPart.left, rectPart.top, rectPart.right, rectPart.bottom);
            pGrid->DrawCellControl(pDC, span.top, span.left, rect, style);
            pGrid->DrawCellBorders(pDC, rect, style);
            // The current cell's frame goes round the covered range; in a merged or floating span
            // round the current cell, which the paint frames after the row.
            if (pControl != nullptr && !pControl->IsActive() && bCovered)
            {
                CRect inner;
                pGrid->SubtractBorders(inner, rect, style, TRUE);
                if (!inner.IsRectEmpty())
                    pControl->DrawFrame(pDC, inner, nCurRow, nCurCol, style);
            }
            ::RestoreDC(hDC, nSaved);
        }
    if (pControl != nullptr && !pControl->IsActive() && !bCovered && nCurRow == nRow && nCurCol == nCol &&
        !context.m_rectCell.IsRectEmpty())
    {
        context.m_pCurrentControl = pControl;
        pGrid->SubtractBorders(context.m_rectCurrentInner, context.m_rectCell, style, TRUE);
    }
    return TRUE;
}

BOOL CGXDrawSpannedCellsImp::EvalSpannedCellsInPanes(CGXGridCore* pGrid, ROWCOL nTopRow, ROWCOL nLeftCol,
                                                     ROWCOL nFrozenRows, ROWCOL nFrozenCols, ROWCOL nBottomRow,
                                                     ROWCOL nRightCol, BOOL bUpdateLocked, CGXRange* pRangeChanged,
                                                     BOOL bNoCache, UINT)
{
    if (pGrid->GetParam() == nullptr || (pGrid->GetMergeCellsMode() == 0 && pGrid->GetFloatCellsMode() == 0))
        return FALSE;
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    // Frozen and scrolled rows, frozen and scrolled columns, each cut to the table.
    using Lines = std::pair<ROWCOL, ROWCOL>;
    auto cut = [](std::vector<Lines>& lines, ROWCOL nFirst, ROWCOL nLast, ROWCOL nCount) {
        nLast = std::min(nLast, nCount);
        if (nFirst <= nLast)
            lines.emplace_back(nFirst, nLast);
    };
    std::vector<Lines> rows;
    std::vector<Lines> cols;
    cut(rows, 0, nFrozenRows, nRows);
    cut(rows, std::max(nTopRow, nFrozenRows + 1), nBottomRow, nRows);
    cut(cols, 0, nFrozenCols, nCols);
    cut(cols, std::max(nLeftCol, nFrozenCols + 1), nRightCol, nCols);
    std::vector<CGXRange> visible;
    for (const Lines& rowLines : rows)
        for (const Lines& colLines : cols)
            visible.emplace_back(rowLines.first, colLines.first, rowLines.second, colLines.second);
    BOOL bChanged = FALSE;
    for (const CGXRange& pane : visible)
        bChanged |= pGrid->EvalMergeCells(pane, bUpdateLocked, pRangeChanged, bNoCache);
    for (const CGXRange& pane : visible)
        bChanged |= pGrid->EvalFloatCells(pane, bUpdateLocked, pRangeChanged, bNoCache);
    return bChanged;
}

void CGXGridCore::InstallDrawSpannedCells()
{
    if (m_pDrawSpannedCellsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXDrawSpannedCellsImp;
    if (pImp == nullptr)
        return;
    m_pDrawSpannedCellsImp = pImp;
    AddImplementationObject(pImp);
}
