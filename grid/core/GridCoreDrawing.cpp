// Grid engine: the paint path (backgrounds, cells through their controls, grid lines, borders,
// selection, current-cell frame, the area beyond the table).

#include "grid/core/GridCore.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "framework/win/Gdi.h"
#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Flag word of a cell in a paint.
enum : WORD
{
    cellBorderLeft = 0x1,
    cellBorderRight = 0x2,
    cellBorderTop = 0x4,
    cellBorderBottom = 0x8,
    cellSelected = 0x10,
    cellFillBackground = 0x20,
    cellHorzLine = 0x200,
    cellVertLine = 0x400,
    cellLastFrozenCol = 0x800,
    cellLastFrozenRow = 0x1000
};

// Each flag bit with its edge of the style's border array: one table, so that the flags, the
// inner rectangle and the strips drawn always agree on which side an edge is.
struct EdgeInfo
{
    WORD nFlag;
    int nEdge;
};
const EdgeInfo kEdges[4] = {{cellBorderLeft, gxBorderLeft},
                            {cellBorderRight, gxBorderRight},
                            {cellBorderTop, gxBorderTop},
                            {cellBorderBottom, gxBorderBottom}};

void FillSolid(CDC* pDC, const CRect& rect, COLORREF color)
{
    if (rect.IsRectEmpty())
        return;
    const HDC hdc = pDC->GetSafeHdc();
    const COLORREF old = ::SetBkColor(hdc, color);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

// The block of cells one paint covers, with positions and per-cell state.
struct PaintBlock
{
    ROWCOL nRows = 0;
    ROWCOL nCols = 0;
    std::vector<ROWCOL> rows, cols;
    std::vector<int> ys, heights, xs, widths;
    std::vector<const CGXStyle*> styles;
    std::vector<WORD> flags;
    size_t Cell(ROWCOL r, ROWCOL c) const { return static_cast<size_t>(r) * nCols + c; }
    CRect CellRect(ROWCOL r, ROWCOL c) const { return CRect(xs[c], ys[r], xs[c] + widths[c], ys[r] + heights[r]); }
};
}

int CGXGridCore::SetBufferedPaint(int nMode)
{
    const int nOld = m_nBufferedPaint;
    m_nBufferedPaint = nMode;
    return nOld;
}

COLORREF CGXGridCore::GetPropertyColor(int nIndex)
{
    CGXProperties* pProperties = GetProperties();
    if (pProperties == nullptr || nIndex >= pProperties->GetColorCount())
        return ::GetSysColor(COLOR_WINDOWFRAME);
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(pProperties->GetColor(nIndex), nKind, nValue);
    return GXResolveColor(nKind, nValue);
}

// ---- Painting ----

void CGXGridCore::PreloadRowsCols(ROWCOL, ROWCOL)
{
}

BOOL CGXGridCore::DrawGridLinesOldStyle(CDC* pDC)
{
    return m_pOldDrawingImp != nullptr ? m_pOldDrawingImp->DrawGridLinesOldStyle(this, pDC) : FALSE;
}

void CGXGridCore::DrawGridArea(CDC* pDC)
{
    if (pDC == nullptr || IsLockUpdate() || m_pParam == nullptr)
        return;
    CRect rectClip;
    if (::GetClipBox(pDC->GetSafeHdc(), &rectClip) == NULLREGION || rectClip.IsRectEmpty())
        return;
    CRect rectPaint;
    if (!rectPaint.IntersectRect(rectClip, GetGridRect()))
        return;
    LookupBaseStyles();
    FlushDrawingCaches();

    // Client cells under the corners of the painted part; points beyond the table take its last cell.
    auto lastClient = [](ROWCOL nCount, ROWCOL nFrozen, ROWCOL nFirst) {
        return nCount <= nFrozen ? nCount : nFrozen + (nCount - nFirst) + 1;
    };
    const ROWCOL nLastClientRow = lastClient(GetRowCount(), GetFrozenRows(), GetTopRow());
    const ROWCOL nLastClientCol = lastClient(GetColCount(), GetFrozenCols(), GetLeftCol());
    auto clamp = [](ROWCOL n, ROWCOL nLast) { return n == GX_INVALID || n > nLast ? nLast : n; };
    const ROWCOL nTop = clamp(CalcClientRowFromPt(rectPaint.TopLeft()), nLastClientRow);
    const ROWCOL nLeft = clamp(CalcClientColFromPt(rectPaint.TopLeft()), nLastClientCol);
    const CPoint corner(rectPaint.right - 1, rectPaint.bottom - 1);
    const ROWCOL nBottom = clamp(CalcClientRowFromPt(corner), nLastClientRow);
    const ROWCOL nRight = clamp(CalcClientColFromPt(corner), nLastClientCol);

    const CGXStyle* pStandard = GetStandardStyle();
    CFont* pOldFont = pStandard != nullptr && pStandard->GetIncludeFont() ? SelectCellFont(pDC, *pStandard) : nullptr;
    if (m_nBufferedPaint == 1 && !m_bPrinting)
    {
        // An off-screen bitmap the size of the clip box, copied to the window in one piece.
        const HDC hdc = pDC->GetSafeHdc();
        const HDC hMem = ::CreateCompatibleDC(hdc);
        const HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, rectClip.Width(), rectClip.Height());
        if (hMem != nullptr && hBitmap != nullptr)
        {
            const HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
            ::SetViewportOrgEx(hMem, -rectClip.left, -rectClip.top, nullptr);
            ::SetBrushOrgEx(hMem, rectClip.left % 8, rectClip.top % 8, nullptr);
            CDC memDC;
            memDC.Attach(hMem);
            ::IntersectClipRect(hMem, rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
            const HGDIOBJ hOldFont = ::SelectObject(hMem, ::GetCurrentObject(hdc, OBJ_FONT));
            PaintGrid(nTop, nLeft, nBottom, nRight, &memDC);
            ::SelectObject(hMem, hOldFont);
            memDC.Detach();
            ::BitBlt(hdc, rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), hMem, rectClip.left,
                     rectClip.top, SRCCOPY);
            ::SelectObject(hMem, hOldBitmap);
        }
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        if (hMem != nullptr)
            ::DeleteDC(hMem);
    }
    else
        PaintGrid(nTop, nLeft, nBottom, nRight, pDC);

    if (pOldFont != nullptr)
        ::SelectObject(pDC->GetSafeHdc(), pOldFont->GetSafeHandle());
    if (m_bDrawGridFrame)
    {
        const CRect rectGrid = GetGridRect();
        CRect frame(rectGrid.left - 1, rectGrid.top - 1, rectGrid.right, rectGrid.bottom);
        ::FrameRect(pDC->GetSafeHdc(), &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    FlushDrawingCaches();
}

void CGXGridCore::PaintGrid(ROWCOL nTopClientRow, ROWCOL nLeftClientCol, ROWCOL nBottomClientRow,
                            ROWCOL nRightClientCol, CDC* pDC)
{
    if (pDC == nullptr || nBottomClientRow < nTopClientRow || nRightClientCol < nLeftClientCol)
        return;
    ++m_nPaintDepth;
    PaintBlock block;
    block.nRows = nBottomClientRow - nTopClientRow + 1;
    block.nCols = nRightClientCol - nLeftClientCol + 1;
    const CRect rectGrid = GetGridRect();
    const ROWCOL nRowCount = GetRowCount();
    const ROWCOL nColCount = GetColCount();
    const ROWCOL nFrozenRows = GetFrozenRows();
    const ROWCOL nFrozenCols = GetFrozenCols();
    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();

    int y = GetClientRowTop(nTopClientRow);
    for (ROWCOL r = 0; r < block.nRows; ++r)
    {
        const ROWCOL nRow = ClientRowToRow(nTopClientRow + r);
        block.rows.push_back(nRow);
        block.ys.push_back(y);
        block.heights.push_back(nRow <= nRowCount ? GetRowHeight(nRow) : 0);
        y += block.heights.back();
    }
    int x = GetClientColLeft(nLeftClientCol);
    for (ROWCOL c = 0; c < block.nCols; ++c)
    {
        const ROWCOL nCol = ClientColToCol(nLeftClientCol + c);
        block.cols.push_back(nCol);
        block.xs.push_back(x);
        block.widths.push_back(nCol <= nColCount ? GetColWidth(nCol) : 0);
        x += block.widths.back();
    }
    block.styles.assign(static_cast<size_t>(block.nRows) * block.nCols, nullptr);
    block.flags.assign(block.styles.size(), 0);

    CGXProperties* pProperties = GetProperties();
    const BOOL bHorzLines = pProperties == nullptr || pProperties->GetDisplayHorzLines();
    const BOOL bVertLines = pProperties == nullptr || pProperties->GetDisplayVertLines();
    const BOOL bRightBottom = m_pParam->m_bLinesRightBottom;
    const BOOL bSelection = !m_bPrinting && !m_SelectedRanges.IsEmpty();
    const CGXStyle* pStandard = GetStandardStyle();

    // Prepare: styles and flags of every visible cell.
    for (ROWCOL r = 0; r < block.nRows; ++r)
        for (ROWCOL c = 0; c < block.nCols; ++c)
        {
            const ROWCOL nRow = block.rows[r];
            const ROWCOL nCol = block.cols[c];
            if (nRow > nRowCount || nCol > nColCount || block.heights[r] <= 0 || block.widths[c] <= 0)
                continue;
            const CGXStyle& style = LookupCellStyle(nRow, nCol);
            const size_t i = block.Cell(r, c);
            block.styles[i] = &style;
            WORD& flags = block.flags[i];
            if (pStandard == nullptr || style.GetInterior() != pStandard->GetInterior())
                flags |= cellFillBackground;
            if (style.GetIncludeBorders())
                for (const EdgeInfo& edge : kEdges)
                    if (style.IsBorderIncluded(edge.nEdge))
                        flags |= edge.nFlag;
            const WORD vertEdge = bRightBottom ? cellBorderRight : cellBorderLeft;
            const WORD horzEdge = bRightBottom ? cellBorderBottom : cellBorderTop;
            if ((flags & vertEdge) == 0)
                flags |= cellVertLine;
            if ((flags & horzEdge) == 0)
                flags |= cellHorzLine;
            if (nCol == nFrozenCols && nCol > nHeaderCols)
                flags |= cellLastFrozenCol;
            if (nRow == nFrozenRows && nRow > nHeaderRows)
                flags |= cellLastFrozenRow;
            if (bSelection && m_SelectedRanges.IsCellInList(nRow, nCol))
                flags |= cellSelected;
        }

    // Rows: backgrounds in runs of equal interior, then the cells through their controls.
    CGXControl* pFrameControl = nullptr;
    CRect rectFrame;
    ROWCOL nFrameRow = 0;
    ROWCOL nFrameCol = 0;
    for (ROWCOL r = 0; r < block.nRows; ++r)
    {
        for (ROWCOL c = 0; c < block.nCols;)
        {
            const size_t i = block.Cell(r, c);
            if (block.styles[i] == nullptr)
            {
                ++c;
                continue;
            }
            const CGXStyleBrush& brush = block.styles[i]->GetInterior();
            ROWCOL end = c + 1;
            while (end < block.nCols && block.styles[block.Cell(r, end)] != nullptr &&
                   block.styles[block.Cell(r, end)]->GetInterior() == brush)
                ++end;
            CRect run(block.xs[c], block.ys[r], block.xs[end - 1] + block.widths[end - 1],
                      block.ys[r] + block.heights[r]);
            DrawBrushRect(pDC, run, brush);
            c = end;
        }
        for (ROWCOL c = 0; c < block.nCols; ++c)
        {
            const CGXStyle* pStyle = block.styles[block.Cell(r, c)];
            if (pStyle == nullptr)
                continue;
            const CRect rect = block.CellRect(r, c);
            DrawCellControl(pDC, block.rows[r], block.cols[c], rect, *pStyle);
            if (IsCurrentCell(block.rows[r], block.cols[c]))
            {
                pFrameControl = GetRegisteredControl(pStyle->GetControl());
                SubtractBorders(rectFrame, rect, *pStyle, TRUE);
                nFrameRow = block.rows[r];
                nFrameCol = block.cols[c];
            }
        }
    }

    // Grid lines and borders. Lines are 1-pixel fills on the cell's top/left edge (or its
    // bottom/right edge); the last frozen row and column end in the "Fixed Lines" colour.
    const COLORREF gridColor = GetPropertyColor(0);
    const COLORREF fixedColor = GetPropertyColor(1);
    // Solid grid lines are plain fills; dashed or dotted ones are patterned over the cell's interior.
    const UINT nGridPenStyle = m_pParam->m_nGridLinePenStyle;
    CGXStylePen gridPen;
    gridPen.SetStyle(nGridPenStyle).SetWidth(1).SetColor(gridColor);
    auto drawGridLine = [&](const CRect& line, int nEdge, const CGXStyle& style) {
        if (nGridPenStyle == PS_SOLID)
            FillSolid(pDC, line, gridColor);
        else
            DrawBorder(gridPen, line, nEdge, pDC, style.GetInterior());
    };
    for (ROWCOL r = 0; r < block.nRows; ++r)
        for (ROWCOL c = 0; c < block.nCols; ++c)
        {
            const size_t i = block.Cell(r, c);
            const CGXStyle* pStyle = block.styles[i];
            if (pStyle == nullptr)
                continue;
            const WORD flags = block.flags[i];
            const CRect rect = block.CellRect(r, c);
            if (bHorzLines && (flags & cellHorzLine) != 0)
                drawGridLine(CRect(rect.left, bRightBottom ? rect.bottom - 1 : rect.top, rect.right,
                                   bRightBottom ? rect.bottom : rect.top + 1),
                             gxBorderTop, *pStyle);
            if (bVertLines && (flags & cellVertLine) != 0)
                drawGridLine(CRect(bRightBottom ? rect.right - 1 : rect.left, rect.top,
                                   bRightBottom ? rect.right : rect.left + 1, rect.bottom),
                             gxBorderLeft, *pStyle);
            if ((flags & cellLastFrozenRow) != 0 && (flags & cellBorderBottom) == 0)
                FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), fixedColor);
            if ((flags & cellLastFrozenCol) != 0 && (flags & cellBorderRight) == 0)
                FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), fixedColor);
            if ((flags & (cellBorderLeft | cellBorderRight | cellBorderTop | cellBorderBottom)) != 0)
                DrawCellBorders(pDC, rect, *pStyle);
        }

    if (pFrameControl != nullptr && !rectFrame.IsRectEmpty())
        pFrameControl->DrawFrame(pDC, rectFrame, nFrameRow, nFrameCol, LookupCellStyle(nFrameRow, nFrameCol));

    // The area right of and below the table.
    const COLORREF background = m_bPrinting ? RGB(255, 255, 255) : GetPropertyColor(4);
    const ROWCOL nLastCol = block.cols.back();
    const ROWCOL nLastRow = block.rows.back();
    if (nLastCol >= nColCount)
    {
        CRect rect = GetGridRectRightOfCol(nColCount);
        rect.bottom += 5;
        FillSolid(pDC, rect, background);
        if (bVertLines && !bRightBottom)
            FillSolid(pDC, CRect(rect.left, rectGrid.top, rect.left + 1,
                                 std::min<LONG>(rectGrid.bottom, rectGrid.top + CalcSumOfRowHeights(0, nRowCount, rectGrid.Height()) + 1)),
                      gridColor);
    }
    if (nLastRow >= nRowCount)
    {
        const CRect rect = GetGridRectBelowRow(nRowCount);
        FillSolid(pDC, rect, background);
        if (bHorzLines && !bRightBottom)
        {
            CRect rectRight = GetGridRectRightOfCol(nColCount);
            FillSolid(pDC, CRect(rectGrid.left, rect.top, std::min(rectGrid.right, rectRight.left + 1), rect.top + 1),
                      gridColor);
        }
    }

    // The selection, inverted last.
    if (bSelection)
        for (ROWCOL r = 0; r < block.nRows; ++r)
            for (ROWCOL c = 0; c < block.nCols; ++c)
                if ((block.flags[block.Cell(r, c)] & cellSelected) != 0)
                    InvertCellSelection(pDC, block.rows[r], block.cols[c], block.CellRect(r, c));
    --m_nPaintDepth;
}

void CGXGridCore::DrawCellControl(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGXStyle& style)
{
    CGXControl* pControl = GetRegisteredControl(style.GetControl());
    if (pControl == nullptr)
        return;
    if (nRow > 0 && nCol > 0 && IsCurrentCell(nRow, nCol) && !pControl->IsInitAt(nRow, nCol))
        pControl->Init(nRow, nCol);
    pControl->Draw(pDC, rect, nRow, nCol, style, GetStandardStyle());
}

void CGXGridCore::InvertCellSelection(CDC* pDC, ROWCOL nRow, ROWCOL nCol, CRect rect)
{
    // The current cell shows its frame instead, unless the frame mode asks to invert it too.
    if (IsCurrentCell(nRow, nCol) && m_pParam->m_wHideCurrentCell != 1)
        return;
    ::InvertRect(pDC->GetSafeHdc(), &rect);
}

void CGXGridCore::DrawLineRect(CDC* pDC, int x, int y, int cx, int cy, int nDirection, ROWCOL, UINT nFlags)
{
    CRect rect(x, y, x + cx, y + cy);
    if ((nFlags & (8 | 4)) != 0)
    {
        ::InvertRect(pDC->GetSafeHdc(), &rect);
        return;
    }
    const BOOL bBlack = GetProperties() != nullptr && GetProperties()->GetBlackWhite();
    if ((nFlags & 2) != 0)
    {
        FillSolid(pDC, rect, bBlack ? RGB(0, 0, 0) : GetPropertyColor(0));
        const CRect line = nDirection == 2 ? CRect(x, y, x + cx, y + 1) : CRect(x, y, x + 1, y + cy);
        FillSolid(pDC, line, GetPropertyColor(3));
        return;
    }
    FillSolid(pDC, rect, bBlack ? RGB(0, 0, 0) : GetPropertyColor((nFlags & 1) != 0 ? 2 : 0));
}

CRect CGXGridCore::CalcGridLineRect(int nDirection, ROWCOL nClientIndex)
{
    const CRect rectGrid = GetGridRect();
    const BOOL bRightBottom = m_pParam != nullptr && m_pParam->m_bLinesRightBottom;
    const int nShift = bRightBottom ? -1 : 0;
    const int nExtra = bRightBottom ? 0 : 1;
    if (nDirection == 1)
    {
        const int x = GetClientColLeft(nClientIndex) + nShift;
        const int nLength = std::min(CalcSumOfClientRowHeights(0, GX_INVALID - 1, rectGrid.Height()) + nExtra,
                                     rectGrid.Height());
        return CRect(x, rectGrid.top, x + 1, rectGrid.top + nLength);
    }
    const int y = GetClientRowTop(nClientIndex) + nShift;
    const int nLength = std::min(CalcSumOfClientColWidths(0, GX_INVALID - 1, rectGrid.Width()) + nExtra,
                                 rectGrid.Width());
    return CRect(rectGrid.left, y, rectGrid.left + nLength, y + 1);
}

void CGXGridCore::DrawGridLine(CDC* pDC, int nDirection, ROWCOL nClientIndex, UINT nFlags)
{
    if (pDC == nullptr)
        return;
    const CRect rect = CalcGridLineRect(nDirection, nClientIndex);
    DrawLineRect(pDC, rect.left, rect.top, rect.Width(), rect.Height(), nDirection, nClientIndex, nFlags);
}

void CGXGridCore::DrawBrushRect(CDC* pDC, const CRect& rect, const CGXStyleBrush& brush)
{
    if (rect.IsRectEmpty())
        return;
    if (brush.GetStyle() == 1)
    {
        FillSolid(pDC, rect, brush.GetBkColor());
        return;
    }
    if (brush.GetStyle() == 0)
    {
        FillSolid(pDC, rect, brush.GetColor());
        return;
    }
    const HDC hdc = pDC->GetSafeHdc();
    const COLORREF oldBk = ::SetBkColor(hdc, brush.GetBkColor());
    const COLORREF oldText = ::SetTextColor(hdc, brush.GetColor());
    const int oldMode = ::SetBkMode(hdc, OPAQUE);
    ::FillRect(hdc, &rect, GetCachedBrush(brush));
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldText);
    ::SetBkColor(hdc, oldBk);
}

void CGXGridCore::DrawCellBorders(CDC* pDC, const CRect& rect, const CGXStyle& style)
{
    if (!style.GetIncludeBorders())
        return;
    for (int nEdge : {gxBorderTop, gxBorderBottom, gxBorderLeft, gxBorderRight})
        if (style.IsBorderIncluded(nEdge))
            DrawBorder(style.GetBorders(nEdge), rect, nEdge, pDC, style.GetInterior());
}

void CGXGridCore::DrawBorder(const CGXStylePen& pen, const CRect& rect, int nEdge, CDC* pDC,
                             const CGXStyleBrush& interior)
{
    if (pen.GetStyle() == PS_NULL || !pen.GetInclude())
        return;
    const int nWidth = std::max(1, static_cast<int>(pen.GetWidth()));
    CRect strip = rect;
    switch (nEdge)
    {
    case gxBorderTop:
        strip.bottom = std::min(rect.bottom, rect.top + nWidth);
        break;
    case gxBorderBottom:
        strip.top = std::max(rect.top, rect.bottom - nWidth);
        break;
    case gxBorderLeft:
        strip.right = std::min(rect.right, rect.left + nWidth);
        break;
    case gxBorderRight:
        strip.left = std::max(rect.left, rect.right - nWidth);
        break;
    default:
        return;
    }
    const BOOL bBlack = GetProperties() != nullptr && GetProperties()->GetBlackWhite();
    const COLORREF color = bBlack ? RGB(0, 0, 0) : pen.GetResolvedColor();
    if (pen.GetStyle() == PS_SOLID || pen.GetStyle() == PS_INSIDEFRAME)
    {
        FillSolid(pDC, strip, color);
        return;
    }
    // Dashed and dotted edges: every other pixel (dots) or runs of three (dashes) over the interior.
    FillSolid(pDC, strip, bBlack ? RGB(255, 255, 255) : interior.GetColor());
    const int nRun = pen.GetStyle() == PS_DOT ? 1 : 3;
    const BOOL bHorizontal = nEdge == gxBorderTop || nEdge == gxBorderBottom;
    const int nLength = bHorizontal ? strip.Width() : strip.Height();
    for (int pos = 0; pos < nLength; pos += 2 * nRun)
    {
        const int nEnd = std::min(nLength, pos + nRun);
        const CRect dash = bHorizontal ? CRect(strip.left + pos, strip.top, strip.left + nEnd, strip.bottom)
                                       : CRect(strip.left, strip.top + pos, strip.right, strip.top + nEnd);
        FillSolid(pDC, dash, color);
    }
}

// ---- Inner and outer sizes of cells ----

void CGXGridCore::SubtractBorders(CRect& rectInner, const CRect& rect, const CGXStyle& style, BOOL bGridLines)
{
    rectInner = rect;
    if (bGridLines && style.GetIncludeDraw3dFrame() && style.GetDraw3dFrame() != 0)
        rectInner.DeflateRect(1, 1);
    CGXProperties* pProperties = GetProperties();
    const BOOL bHorzLines = pProperties == nullptr || pProperties->GetDisplayHorzLines();
    const BOOL bVertLines = pProperties == nullptr || pProperties->GetDisplayVertLines();
    const BOOL bRightBottom = m_pParam != nullptr && m_pParam->m_bLinesRightBottom;
    auto edgeWidth = [&](int nEdge, BOOL bLines, BOOL bLineHere) {
        if (style.GetIncludeBorders() && style.IsBorderIncluded(nEdge))
        {
            const CGXStylePen& pen = style.GetBorders(nEdge);
            return pen.GetStyle() == PS_NULL ? 0 : std::max(1, static_cast<int>(pen.GetWidth()));
        }
        return bGridLines && bLines && bLineHere ? 1 : 0;
    };
    rectInner.left += edgeWidth(gxBorderLeft, bVertLines, !bRightBottom);
    rectInner.right -= edgeWidth(gxBorderRight, bVertLines, bRightBottom);
    rectInner.top += edgeWidth(gxBorderTop, bHorzLines, !bRightBottom);
    rectInner.bottom -= edgeWidth(gxBorderBottom, bHorzLines, bRightBottom);
}

CSize CGXGridCore::AddBorders(CSize size, const CGXStyle& style)
{
    if (style.GetIncludeDraw3dFrame() && style.GetDraw3dFrame() != 0)
    {
        size.cx += 2;
        size.cy += 2;
    }
    auto edgeWidth = [&](int nEdge) {
        if (style.GetIncludeBorders() && style.IsBorderIncluded(nEdge))
        {
            const CGXStylePen& pen = style.GetBorders(nEdge);
            return pen.GetStyle() == PS_NULL ? 0 : std::max(1, static_cast<int>(pen.GetWidth()));
        }
        return 1;
    };
    size.cx += edgeWidth(gxBorderLeft) + edgeWidth(gxBorderRight);
    size.cy += edgeWidth(gxBorderTop) + edgeWidth(gxBorderBottom);
    return size;
}
