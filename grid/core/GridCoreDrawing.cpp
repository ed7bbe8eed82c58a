// Grid engine: the paint path (backgrounds, cells through their controls, grid lines, borders,
// selection, current-cell frame, the area beyond the table).

#include "grid/core/GridCore.h"

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <vector>

namespace
{
// Each flag bit with its edge of the style's border array: one table, so that the flags, the
// inner rectangle and the strips drawn always agree on which side an edge is.
struct EdgeInfo
{
    WORD nFlag;
    int nEdge;
};
const EdgeInfo kEdges[4] = {{GX_PAINT_BORDERLEFT, gxBorderLeft},
                            {GX_PAINT_BORDERRIGHT, gxBorderRight},
                            {GX_PAINT_BORDERTOP, gxBorderTop},
                            {GX_PAINT_BORDERBOTTOM, gxBorderBottom}};

// An opaque fill of a rectangle that may be empty or inverted (then nothing is drawn).
void FillSolid(CDC* pDC, const CRect& rect, COLORREF color)
{
    if (!rect.IsRectEmpty())
        CGXDrawingAndFormatting::FillSolidRect(pDC, rect, color);
}

BOOL IsPatternedPen(UINT nPenStyle)
{
    return nPenStyle == PS_DASH || nPenStyle == PS_DOT || nPenStyle == PS_DASHDOT || nPenStyle == PS_DASHDOTDOT;
}

// The 8x8 brush a dashed or dotted pen style stands for. Each row is the one above shifted by a
// pixel, so that a column of the pattern shows the same dashes as a row: one brush serves
// horizontal and vertical edges. Bits set in the rows are the pen's pixels.
HBRUSH GetPenPatternBrush(UINT nPenStyle)
{
    static HBRUSH s_brushes[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    static const BYTE kRows[5] = {0, 0xF0 /* dash */, 0xAA /* dot */, 0xE4 /* dash dot */, 0xEA /* dash dot dot */};
    if (!IsPatternedPen(nPenStyle))
        return nullptr;
    if (s_brushes[nPenStyle] == nullptr)
    {
        WORD bits[8];
        for (int i = 0; i < 8; ++i)
        {
            const BYTE row = static_cast<BYTE>((kRows[nPenStyle] >> i) | (kRows[nPenStyle] << (8 - i)));
            // A monochrome brush draws its 0 bits in the text colour: the pen's pixels are 0.
            bits[i] = static_cast<WORD>(static_cast<BYTE>(~row));
        }
        const HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, bits);
        s_brushes[nPenStyle] = ::CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
    }
    return s_brushes[nPenStyle];
}

// A solid line or border strip: on a printer through the grid's cached brush, on screen opaque.
void FillSolidStrip(CGXGridCore& grid, CDC* pDC, const CRect& rect, COLORREF color)
{
    if (!pDC->IsPrinting())
    {
        FillSolid(pDC, rect, color);
        return;
    }
    CGXStyleBrush brush;
    brush.SetStyle(CGXStyleBrush::bsSolid).SetColor(color);
    if (const HBRUSH hBrush = grid.GetCachedBrush(brush))
        ::FillRect(pDC->GetSafeHdc(), &rect, hBrush);
}

// The width of a border edge of a style (at least 1 pixel, 0 for a null pen), or nWithout when the
// style has no border on that edge.
int BorderEdgeWidth(const CGXStyle& style, int nEdge, int nWithout)
{
    if (!style.GetIncludeBorders() || !style.IsBorderIncluded(nEdge))
        return nWithout;
    const CGXStylePen& pen = style.GetBorders(nEdge);
    return pen.GetStyle() == PS_NULL ? 0 : std::max(1, static_cast<int>(pen.GetWidth()));
}

// The colour a brush shows where nothing of a pen covers it.
COLORREF InteriorColor(const CGXStyleBrush& interior)
{
    return interior.GetStyle() == CGXStyleBrush::bsSolid ? interior.GetColor() : interior.GetBkColor();
}

// The pattern brush record of a dashed or dotted pen over an interior, for comparing two cells.
void MakePenPatternRecord(CGXStyleBrush& record, const CGXStylePen& pen, const CGXStyleBrush& interior)
{
    record.SetPattern(pen.GetStyle());
    record.SetColor(pen.GetResolvedColor());
    record.SetBkColor(InteriorColor(interior));
}

// One direction of a painted block: the index, start and size of each of nCount client rows
// (columns) from nFirstClient on, and the index after them (0 beyond the count).
template <typename ToIndex, typename SizeOf>
void LayOutBlockAxis(ROWCOL nFirstClient, UINT nCount, int nStart, ROWCOL nIndexCount, ToIndex toIndex,
                     SizeOf sizeOf, std::vector<ROWCOL>& anIndexes, std::vector<int>& anStarts,
                     std::vector<int>& anSizes)
{
    anIndexes.resize(nCount + 1);
    anStarts.resize(nCount);
    anSizes.resize(nCount);
    int pos = nStart;
    for (UINT i = 0; i < nCount; ++i)
    {
        const ROWCOL nIndex = toIndex(nFirstClient + i);
        anIndexes[i] = nIndex;
        anStarts[i] = pos;
        anSizes[i] = nIndex <= nIndexCount ? sizeOf(nIndex) : 0;
        pos += anSizes[i];
    }
    const ROWCOL nAfter = toIndex(nFirstClient + nCount);
    anIndexes[nCount] = nAfter <= nIndexCount ? nAfter : 0;
}

}  // namespace

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
    if (pDC == nullptr || m_pParam == nullptr)
        return;
    // Spans marked for later evaluation are settled before anything is measured. A span that
    // changed beyond this paint's clip box (text that no longer floats there) is painted next.
    CGXRange changed;
    EvalVisibleSpannedCells(FALSE, &changed);
    if (changed.IsValid() && !m_bPrinting && m_pGridWnd->GetSafeHwnd() != nullptr)
    {
        const CRect rectChanged = CalcSpanRect(changed);
        if (!rectChanged.IsRectEmpty())
            ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), &rectChanged, FALSE);
    }
    m_bPrintPaintRequested = FALSE;
    if (IsLockUpdate())
        return;
    CRect rectClip;
    if (::GetClipBox(pDC->GetSafeHdc(), &rectClip) == NULLREGION || rectClip.IsRectEmpty())
        return;

    if (m_bPrinting)
        m_bPrintPaintRequested = TRUE;
    else
    {
        const CRect rectGrid = GetGridRect();
        const int nDefaultHeight = std::max(1, GetDefaultRowHeight());
        const int nDefaultWidth = std::max(1, GetDefaultColWidth());
        PreloadRowsCols(static_cast<ROWCOL>(std::max(0, rectGrid.Height())) / nDefaultHeight + 1,
                        static_cast<ROWCOL>(std::max(0, rectGrid.Width())) / nDefaultWidth + 1);
        // A scroll bar that comes or goes changes the grid rectangle: this paint would be stale.
        const ROWCOL nTopRow = GetTopRow();
        const ROWCOL nLeftCol = GetLeftCol();
        UpdateScrollbars(TRUE, TRUE);
        if (GetGridRect() != rectGrid || GetTopRow() != nTopRow || GetLeftCol() != nLeftCol)
        {
            if (m_pGridWnd->GetSafeHwnd() != nullptr)
                ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), nullptr, FALSE);
            return;
        }
    }

    // Printer pages are never buffered: a bitmap the size of a page would be huge.
    if (m_nBufferedPaint == 1 && !m_bPrinting && !pDC->IsPrinting())
        DrawBuffered(pDC);
    else
        DrawDirect(pDC);
    // Drawn over the finished cells, so a grid without the frame paints exactly as before.
    if (!m_bPrinting && m_pParam->m_bExcelLikeFrame && m_pExcelLikeFrameImp != nullptr)
        DrawExcelLikeFrameOnFocus(pDC, rectClip);
}

BOOL CGXGridCore::PaintClipBox(CDC* pDC, const CRect& rectClip)
{
    LookupBaseStyles();
    FlushDrawingCaches();
    const CGXStyle* pStandard = GetStandardStyle();
    CFont* pOldFont = pStandard != nullptr && pStandard->GetIncludeFont() ? SelectCellFont(pDC, *pStandard) : nullptr;

    CRect rectPaint;
    const BOOL bPaint = rectPaint.IntersectRect(rectClip, GetGridRect());
    if (bPaint)
    {
        // Client cells under the corners of the painted part; points beyond the table take its last cell.
        ROWCOL nTop = 0;
        ROWCOL nLeft = 0;
        ROWCOL nBottom = 0;
        ROWCOL nRight = 0;
        CalcClientCellFromPt(rectPaint.TopLeft(), nTop, nLeft);
        CalcClientCellFromPt(CPoint(rectPaint.right - 1, rectPaint.bottom - 1), nBottom, nRight);
        const BOOL bRefreshFrame = m_bCommitRedraw;
        if (bRefreshFrame)
            RefreshExcelLikeFrame();
        PaintGrid(nTop, nLeft, nBottom, nRight, pDC);
        if (bRefreshFrame)
            RefreshExcelLikeFrame();
    }

    if (pOldFont != nullptr)
        ::SelectObject(pDC->GetSafeHdc(), pOldFont->GetSafeHandle());
    if (bPaint && m_bDrawGridFrame)
    {
        const CRect rectGrid = GetGridRect();
        CRect frame(rectGrid.left - 1, rectGrid.top - 1, rectGrid.right, rectGrid.bottom);
        ::FrameRect(pDC->GetSafeHdc(), &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    for (POSITION pos = m_SkippedCellRects.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CRect*>(m_SkippedCellRects.GetNext(pos));
    m_SkippedCellRects.RemoveAll();
    ReleaseGridDC();
    return bPaint;
}

void CGXGridCore::DrawDirect(CDC* pDC)
{
    CRect rectClip;
    if (pDC == nullptr || ::GetClipBox(pDC->GetSafeHdc(), &rectClip) == NULLREGION)
        return;
    PaintClipBox(pDC, rectClip);
}

void CGXGridCore::DrawBuffered(CDC* pDC)
{
    CRect rectClip;
    if (pDC == nullptr || ::GetClipBox(pDC->GetSafeHdc(), &rectClip) == NULLREGION || rectClip.IsRectEmpty())
        return;
    const HDC hdc = pDC->GetSafeHdc();
    // The clip box is in logical units; the bitmap holds its device pixels (they differ while the
    // grid shows the printer's layout).
    CRect rectDevice = rectClip;
    ::LPtoDP(hdc, reinterpret_cast<POINT*>(&rectDevice), 2);
    rectDevice.NormalizeRect();
    CDC memDC;
    CBitmap bitmap;
    if (rectDevice.IsRectEmpty() || !memDC.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, rectDevice.Width(), rectDevice.Height()))
    {
        // Without memory for the bitmap the paint still happens, straight into the DC.
        PaintClipBox(pDC, rectClip);
        return;
    }
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    PrepareGridDC(&memDC);
    const HDC hMem = memDC.GetSafeHdc();
    // The clip box's corner is the bitmap's first pixel.
    POINT corner = {rectClip.left, rectClip.top};
    ::SetViewportOrgEx(hMem, 0, 0, nullptr);
    ::LPtoDP(hMem, &corner, 1);
    ::SetViewportOrgEx(hMem, -corner.x, -corner.y, nullptr);
    // Patterns line up with the window's pixels, not the bitmap's: the brush origin is the pixel
    // of the bitmap that lies on a multiple of 8 in the window.
    ::SetBrushOrgEx(hMem, ((-rectDevice.left) % 8 + 8) % 8, ((-rectDevice.top) % 8 + 8) % 8, nullptr);
    ::IntersectClipRect(hMem, rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
    if (PaintClipBox(&memDC, rectClip))
        ::BitBlt(hdc, rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), hMem, rectClip.left,
                 rectClip.top, SRCCOPY);
    memDC.SelectObject(pOldBitmap);
}

// ---- Client cell positions ----

BOOL CGXGridCore::CalcClientCellRectFromStart(ROWCOL nClientRow, ROWCOL nClientCol, CRect& rect)
{
    const CRect rectGrid = GetGridRect();
    m_nCalcClientRow = 0;
    m_nCalcClientCol = 0;
    m_nCalcY = rectGrid.top;
    m_nCalcX = rectGrid.left;
    return CalcClientCellRectNext(nClientRow, nClientCol, rect);
}

BOOL CGXGridCore::CalcClientCellRectNext(ROWCOL nClientRow, ROWCOL nClientCol, CRect& rect)
{
    const CRect rectGrid = GetGridRect();
    if (nClientRow < m_nCalcClientRow)
    {
        m_nCalcClientRow = 0;
        m_nCalcY = rectGrid.top;
    }
    if (nClientCol < m_nCalcClientCol)
    {
        m_nCalcClientCol = 0;
        m_nCalcX = rectGrid.left;
    }
    const ROWCOL nRowCount = GetRowCount();
    const ROWCOL nColCount = GetColCount();
    auto rowHeight = [&](ROWCOL nClient) {
        const ROWCOL nRow = ClientRowToRow(nClient);
        return nRow <= nRowCount ? GetRowHeight(nRow) : 0;
    };
    auto colWidth = [&](ROWCOL nClient) {
        const ROWCOL nCol = ClientColToCol(nClient);
        return nCol <= nColCount ? GetColWidth(nCol) : 0;
    };
    // Far beyond the window nothing can be seen: the walk stops there.
    const int nMaxY = 2 * rectGrid.bottom;
    const int nMaxX = 2 * rectGrid.right;
    while (m_nCalcClientRow < nClientRow && m_nCalcY <= nMaxY)
        m_nCalcY += rowHeight(m_nCalcClientRow++);
    while (m_nCalcClientCol < nClientCol && m_nCalcX <= nMaxX)
        m_nCalcX += colWidth(m_nCalcClientCol++);
    rect.SetRect(m_nCalcX, m_nCalcY, m_nCalcX, m_nCalcY);
    if (m_nCalcClientRow != nClientRow || m_nCalcClientCol != nClientCol)
        return FALSE;
    rect.right += colWidth(nClientCol);
    rect.bottom += rowHeight(nClientRow);
    return TRUE;
}

BOOL CGXGridCore::CalcClientCellFromPt(CPoint point, ROWCOL& nClientRow, ROWCOL& nClientCol, CRect* pRect)
{
    nClientRow = 0;
    nClientCol = 0;
    if (point.x < 0 || point.y < 0)
        return FALSE;
    const CRect rectGrid = GetGridRect();
    const ROWCOL nRowCount = GetRowCount();
    const ROWCOL nColCount = GetColCount();
    BOOL bInside = TRUE;
    // One walk per direction; past the last row (column) the last one is named and the answer is FALSE.
    auto walk = [&](int nStart, int nTarget, ROWCOL nCount, auto toIndex, auto size, ROWCOL& nClient, int& nEdge,
                    int& nSize) {
        int pos = nStart;
        nEdge = nStart;
        nSize = 0;
        for (ROWCOL i = 0;; ++i)
        {
            const ROWCOL nIndex = toIndex(i);
            if (nIndex > nCount || nIndex == GX_INVALID)
            {
                bInside = FALSE;
                return;
            }
            const int n = size(nIndex);
            nClient = i;
            nEdge = pos;
            nSize = n;
            if (nTarget < pos + n)
                return;
            pos += n;
        }
    };
    int nTop = 0;
    int nHeight = 0;
    int nLeft = 0;
    int nWidth = 0;
    walk(rectGrid.top, point.y, nRowCount, [this](ROWCOL i) { return ClientRowToRow(i); },
         [this](ROWCOL n) { return GetRowHeight(n); }, nClientRow, nTop, nHeight);
    walk(rectGrid.left, point.x, nColCount, [this](ROWCOL i) { return ClientColToCol(i); },
         [this](ROWCOL n) { return GetColWidth(n); }, nClientCol, nLeft, nWidth);
    if (pRect != nullptr)
        pRect->SetRect(nLeft, nTop, nLeft + nWidth, nTop + nHeight);
    return bInside && point.x >= rectGrid.left && point.y >= rectGrid.top;
}

// ---- One block of cells ----

void CGXGridCore::PaintGrid(ROWCOL nTopClientRow, ROWCOL nLeftClientCol, ROWCOL nBottomClientRow,
                            ROWCOL nRightClientCol, CDC* pDC)
{
    if (pDC == nullptr || m_pParam == nullptr || nBottomClientRow < nTopClientRow || nRightClientCol < nLeftClientCol)
        return;
    // 1. The context, current for the time of this paint (paints may nest). The guard gives the
    // previous context back however the paint ends, so that no pointer to this stack is left.
    CGXGridPaintContext context;
    struct ContextScope
    {
        CGXGridCore* pGrid;
        CGXGridPaintContext* pPrevious;
        ~ContextScope()
        {
            --pGrid->m_nPaintDepth;
            pGrid->m_pPaintContext = pPrevious;
        }
    } scope{this, m_pPaintContext};
    ++m_nPaintDepth;
    m_pPaintContext = &context;
    context.m_pDC = pDC;
    CRect rectClip;
    ::GetClipBox(pDC->GetSafeHdc(), &rectClip);
    const UINT nRows = static_cast<UINT>(nBottomClientRow - nTopClientRow + 1);
    const UINT nCols = static_cast<UINT>(nRightClientCol - nLeftClientCol + 1);
    context.m_nRows = nRows;
    context.m_nCols = nCols;
    context.m_nTopRow = GetTopRow();
    context.m_nLeftCol = GetLeftCol();
    context.m_nFrozenRows = GetFrozenRows();
    context.m_nFrozenCols = GetFrozenCols();
    context.m_nHeaderRows = GetHeaderRows();
    context.m_nHeaderCols = GetHeaderCols();
    context.m_nTopClientRow = nTopClientRow;
    context.m_nLeftClientCol = nLeftClientCol;
    context.m_nBottomClientRow = nBottomClientRow;
    context.m_nRightClientCol = nRightClientCol;
    CalcClientCellRectFromStart(nTopClientRow, nLeftClientCol, context.m_rectCell);
    context.m_nStartX = context.m_rectCell.left;
    context.m_nStartY = context.m_rectCell.top;

    // 2. Rows and columns of the block, each array with the row (column) after the block.
    const ROWCOL nRowCount = GetRowCount();
    const ROWCOL nColCount = GetColCount();
    LayOutBlockAxis(
        nTopClientRow, nRows, context.m_nStartY, nRowCount, [this](ROWCOL n) { return ClientRowToRow(n); },
        [this](ROWCOL n) { return GetRowHeight(n); }, context.m_anRows, context.m_anRowTops, context.m_anRowHeights);
    LayOutBlockAxis(
        nLeftClientCol, nCols, context.m_nStartX, nColCount, [this](ROWCOL n) { return ClientColToCol(n); },
        [this](ROWCOL n) { return GetColWidth(n); }, context.m_anCols, context.m_anColLefts, context.m_anColWidths);
    context.m_apStyles.assign(static_cast<size_t>(nRows) * nCols, nullptr);
    context.m_awFlags.assign(context.m_apStyles.size(), 0);

    // 3. Selection and background.
    CGXProperties* pProperties = GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->GetBlackWhite();
    context.m_bDrawSelection = !pDC->IsPrinting() && !m_bPrinting && !m_pParam->m_SelRects.IsEmpty();
    context.m_bNotBlackWhite = !bBlackWhite;
    const CGXStyle* pStandard = GetStandardStyle();
    context.m_colorBackground =
        bBlackWhite ? RGB(255, 255, 255) : (pStandard != nullptr ? pStandard->GetInterior().GetColor() : RGB(255, 255, 255));

    // 4. A current cell in the block is composed afresh, unless it is being moved.
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    const BOOL bCurrent = GetCurrentCell(nCurrentRow, nCurrentCol);
    auto inBlock = [&](ROWCOL nRow, ROWCOL nCol) {
        const ROWCOL nClientRow = RowToClientRow(nRow);
        const ROWCOL nClientCol = ColToClientCol(nCol);
        return (nRow == 0 || nClientRow != 0) && (nCol == 0 || nClientCol != 0) && nClientRow >= nTopClientRow &&
               nClientRow <= nBottomClientRow && nClientCol >= nLeftClientCol && nClientCol <= nRightClientCol;
    };
    if (bCurrent && !m_bMovingCurrentCell && inBlock(nCurrentRow, nCurrentCol))
        ResetCurrentCellStyle();

    auto isCell = [&](UINT r, UINT c) {
        return context.m_anRows[r] <= nRowCount && context.m_anCols[c] <= nColCount;
    };
    // 5. Every style up front, column by column, when the parameter object asks for it.
    if (m_pParam->m_wPaintSetting == 1)
        for (UINT c = 0; c < nCols; ++c)
            for (UINT r = 0; r < nRows; ++r)
                if (isCell(r, c))
                    context.Style(r, c) = &LookupCellStyle(context.m_anRows[r], context.m_anCols[c]);

    // 6. Cells the data object answers for have their floating neighbours evaluated later.
    for (UINT r = 0; r < nRows; ++r)
        for (UINT c = 0; c < nCols; ++c)
        {
            const ROWCOL nRow = context.m_anRows[r];
            const ROWCOL nCol = context.m_anCols[c];
            if (nRow > 0 && nCol > 0 && isCell(r, c) && DataCellQuery(nRow, nCol))
                DelayFloatCells(CGXRange(nRow, nCol));
        }
    // The block's scrolled part starts at its first row (column) when that one is scrolled, else at
    // the top row (left column): the rows scrolled out between the frozen ones and it are not painted.
    const ROWCOL nFirstScrolledRow =
        context.m_anRows[0] > context.m_nFrozenRows ? context.m_anRows[0] : context.m_nTopRow;
    const ROWCOL nFirstScrolledCol =
        context.m_anCols[0] > context.m_nFrozenCols ? context.m_anCols[0] : context.m_nLeftCol;
    EvalSpannedCellsInPanes(nFirstScrolledRow, nFirstScrolledCol, context.m_nFrozenRows, context.m_nFrozenCols,
                            context.m_anRows[nRows - 1], context.m_anCols[nCols - 1], FALSE, nullptr, FALSE, 0);

    // 7. Styles and flags. A commit redraw prepares a row only from the first cell the data object
    // answers for, and keeps the rectangles of the cells before it.
    context.m_pCurrentControl = bCurrent ? GetCurrentCellControl() : nullptr;
    std::vector<UINT> firstDataCol;
    if (m_bCommitRedraw)
        firstDataCol.assign(nRows, nCols);
    for (UINT r = 0; r < nRows; ++r)
    {
        UINT nFirst = 0;
        if (m_bCommitRedraw)
        {
            while (nFirst < nCols && !(isCell(r, nFirst) && DataCellQuery(context.m_anRows[r], context.m_anCols[nFirst])))
            {
                const CRect rect = context.CellRect(r, nFirst);
                m_SkippedCellRects.AddTail(new CRect(rect));
                ++nFirst;
            }
            firstDataCol[r] = nFirst;
        }
        for (UINT c = nFirst; c < nCols; ++c)
            PrepareCellInContext(context, r, c);
    }

    // 8. The old-style drawing may take the whole paint.
    context.m_pCurrentControl = nullptr;
    if (m_pOldDrawingImp == nullptr || !m_pOldDrawingImp->PaintGrid(this, pDC, context))
    {
        // 9. Rows: backgrounds, cells, the current cell's frame once, horizontal lines.
        BOOL bFrameDrawn = FALSE;
        for (UINT r = 0; r < nRows; ++r)
        {
            const ROWCOL nRow = context.m_anRows[r];
            if (m_bCommitRedraw)
            {
                if (firstDataCol[r] >= nCols)
                    continue;
                m_pParam->GetPendingCells().AddTail(new CGXRange(nRow, context.m_anCols[firstDataCol[r]]));
                FillRowBackground(context, r);
                const int nSaved = ::SaveDC(pDC->GetSafeHdc());
                ::IntersectClipRect(pDC->GetSafeHdc(), rectClip.left, context.m_anRowTops[r], rectClip.right,
                                    context.m_anRowTops[r] + context.m_anRowHeights[r]);
                for (UINT c = 0; c < nCols; ++c)
                {
                    context.m_rectCell = context.CellRect(r, c);
                    DrawCellInContext(context, r, c);
                }
                ::RestoreDC(pDC->GetSafeHdc(), nSaved);
            }
            else
            {
                FillRowBackground(context, r);
                for (UINT c = 0; c < nCols; ++c)
                {
                    context.m_rectCell = context.CellRect(r, c);
                    DrawCellInContext(context, r, c);
                    if (isCell(r, c))
                        DataCellNotify(nRow, context.m_anCols[c], 0);
                }
            }
            if (!bFrameDrawn && context.m_pCurrentControl != nullptr && !context.m_rectCurrentInner.IsRectEmpty())
            {
                bFrameDrawn = TRUE;
                const CGXStyle& style = LookupCellStyle(nCurrentRow, nCurrentCol);
                context.m_pCurrentControl->DrawFrame(pDC, context.m_rectCurrentInner, nCurrentRow, nCurrentCol, style);
            }
            DrawHorzGridLines(context, r);
        }

        // 10. The area right of and below the table.
        if (m_pParam->m_nSetting5 == 0)
        {
            const COLORREF background = m_bPrinting ? RGB(255, 255, 255) : GetPropertyColor(4);
            const BOOL bRightBottom = m_pParam->m_bLinesRightBottom;
            if (ClientColToCol(nRightClientCol) >= nColCount)
            {
                CRect rect = GetGridRectRightOfCol(nColCount);
                rect.bottom += 5;
                FillSolid(pDC, rect, background);
                if ((pProperties == nullptr || pProperties->GetDisplayVertLines()) && !bRightBottom)
                    DrawGridLine(pDC, 1, nRightClientCol + 1, 0);
            }
            if (ClientRowToRow(nBottomClientRow) >= nRowCount)
            {
                FillSolid(pDC, GetGridRectBelowRow(nRowCount), background);
                if ((pProperties == nullptr || pProperties->GetDisplayHorzLines()) && !bRightBottom)
                    DrawGridLine(pDC, 2, nBottomClientRow + 1, 0);
            }
        }

        // 11. Columns: vertical lines; then the selection.
        for (UINT c = 0; c < nCols; ++c)
            DrawVertGridLines(context, c);
        if (context.m_bDrawSelection)
            DrawInvertSelectedCells(context);
    }
}

void CGXGridCore::PrepareCellInContext(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol)
{
    const ROWCOL nRow = context.m_anRows[nClientRow];
    const ROWCOL nCol = context.m_anCols[nClientCol];
    if (nRow > GetRowCount() || nCol > GetColCount())
        return;
    WORD& flags = context.Flags(nClientRow, nClientCol);
    // Covered cells are inverted like the others, so that a selected span is inverted whole.
    if (context.m_bDrawSelection && m_pParam->m_SelRects.IsCellInList(nRow, nCol))
        flags |= GX_PAINT_SELECTED;
    if ((flags & GX_PAINT_COVERED) != 0)
        return;
    if (m_pDrawSpannedCellsImp != nullptr &&
        m_pDrawSpannedCellsImp->IsSpannedCell(this, context, nClientRow, nClientCol))
    {
        flags |= GX_PAINT_COVERED;
        return;
    }
    const CGXStyle*& pStyle = context.Style(nClientRow, nClientCol);
    if (pStyle == nullptr)
        pStyle = &LookupCellStyle(nRow, nCol);
    if (context.m_anRowHeights[nClientRow] > 0 && context.m_anColWidths[nClientCol] > 0)
    {
        const CGXStyle* pStandard = GetStandardStyle();
        if (pStandard == nullptr || pStyle->GetInterior() != pStandard->GetInterior())
            flags |= GX_PAINT_BACKGROUND;
        if (pStyle->GetIncludeBorders())
            for (const EdgeInfo& edge : kEdges)
                if (pStyle->IsBorderIncluded(edge.nEdge))
                    flags |= edge.nFlag;
        const BOOL bRightBottom = m_pParam->m_bLinesRightBottom;
        const WORD vertMask = bRightBottom ? GX_PAINT_BORDERRIGHT : GX_PAINT_BORDERLEFT;
        const WORD horzMask = bRightBottom ? GX_PAINT_BORDERBOTTOM : GX_PAINT_BORDERTOP;
        if ((flags & vertMask) == 0)
            flags |= GX_PAINT_VERTLINE;
        if ((flags & horzMask) == 0)
            flags |= GX_PAINT_HORZLINE;
        // The closing line of the frozen part, whichever edge the grid lines lie on.
        if (nCol == context.m_nFrozenCols && nCol > context.m_nHeaderCols)
            flags |= GX_PAINT_LASTFROZENCOL;
        if (nRow == context.m_nFrozenRows && nRow > context.m_nHeaderRows)
            flags |= GX_PAINT_LASTFROZENROW;
    }
}

void CGXGridCore::FillRowBackground(CGXGridPaintContext& context, UINT nClientRow)
{
    const UINT nCols = context.m_nCols;
    if (m_pParam->m_nSetting4 == 0)
        for (UINT c = 0; c < nCols; ++c)
            context.Flags(nClientRow, c) |= GX_PAINT_BACKGROUND;
    // Cells that would draw nothing but their interior are filled in runs as they are drawn
    // (PaintInteriorRun), and cells whose control fills their background itself are filled then:
    // the row's fill leaves both out, so that no pixel is filled twice.
    std::vector<bool>& selfFilled = context.m_abSelfFilled;
    selfFilled.assign(nCols, false);
    for (UINT c = 0; c < nCols; ++c)
        if (IsInteriorOnlyCell(context, nClientRow, c))
            context.Flags(nClientRow, c) |= GX_PAINT_INTERIORONLY;
        else if ((context.Flags(nClientRow, c) & (GX_PAINT_BACKGROUND | GX_PAINT_COVERED)) == GX_PAINT_BACKGROUND)
            selfFilled[c] = FillsOwnBackground(context, nClientRow, c) != FALSE;
    auto fillable = [&](UINT c) {
        const WORD flags = context.Flags(nClientRow, c);
        return context.Style(nClientRow, c) != nullptr && (flags & GX_PAINT_BACKGROUND) != 0 &&
               (flags & (GX_PAINT_COVERED | GX_PAINT_INTERIORONLY)) == 0 && !selfFilled[c];
    };
    for (UINT c = 0; c < nCols;)
    {
        if (!fillable(c))
        {
            ++c;
            continue;
        }
        const CGXStyleBrush& brush = context.Style(nClientRow, c)->GetInterior();
        UINT end = c;
        while (end < nCols && fillable(end) && context.Style(nClientRow, end)->GetInterior() == brush)
            context.Flags(nClientRow, end++) &= static_cast<WORD>(~GX_PAINT_BACKGROUND);
        const CRect rect(context.m_anColLefts[c], context.m_anRowTops[nClientRow],
                         context.m_anColLefts[end - 1] + context.m_anColWidths[end - 1],
                         context.m_anRowTops[nClientRow] + context.m_anRowHeights[nClientRow]);
        DrawBrushRect(context.m_pDC, rect, brush);
        c = end;
    }
}

void CGXGridCore::DrawCellInContext(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol)
{
    if (m_pDrawSpannedCellsImp != nullptr &&
        m_pDrawSpannedCellsImp->DrawSpannedCell(this, context, nClientRow, nClientCol))
        return;
    const CGXStyle* pStyle = context.Style(nClientRow, nClientCol);
    if (pStyle == nullptr || context.m_rectCell.IsRectEmpty())
        return;
    const ROWCOL nRow = context.m_anRows[nClientRow];
    const ROWCOL nCol = context.m_anCols[nClientCol];
    const BOOL bCurrent = IsCurrentCell(nRow, nCol);
    CGXControl* pControl = bCurrent ? GetRegisteredControl(pStyle->GetControl()) : nullptr;
    const BOOL bOldFillInterior = m_bFillInterior;
    const BOOL bOldInteriorPainted = m_bInteriorPainted;
    if ((context.Flags(nClientRow, nClientCol) & GX_PAINT_BACKGROUND) != 0)
        m_bFillInterior = TRUE;
    m_bInteriorPainted = PaintInteriorRun(context, nClientRow, nClientCol);
    DrawCellControl(context.m_pDC, nRow, nCol, context.m_rectCell, *pStyle);
    m_bInteriorPainted = bOldInteriorPainted;
    m_bFillInterior = bOldFillInterior;
    if (pControl == nullptr || pControl->IsActive())
        return;
    context.m_pCurrentControl = pControl;
    SubtractBorders(context.m_rectCurrentInner, context.m_rectCell, *pStyle, TRUE);
}

BOOL CGXGridCore::IsInteriorOnlyCell(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol)
{
    CGXControl* pControl = DrawingControl(context, nClientRow, nClientCol, 0);
    return pControl != nullptr && pControl->DrawsInteriorOnly(context.m_anRows[nClientRow],
                                                              context.m_anCols[nClientCol],
                                                              *context.Style(nClientRow, nClientCol));
}

BOOL CGXGridCore::FillsOwnBackground(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol)
{
    // A control draws nothing in a cell of one pixel or less.
    CGXControl* pControl = DrawingControl(context, nClientRow, nClientCol, 1);
    return pControl != nullptr && pControl->FillsBackground(context.m_anRows[nClientRow],
                                                            context.m_anCols[nClientCol],
                                                            *context.Style(nClientRow, nClientCol));
}

CGXControl* CGXGridCore::DrawingControl(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol,
                                        int nMinSize)
{
    // Spanned cells are the spanned-cells drawing's, the current cell may show its control's window.
    const CGXStyle* pStyle = context.Style(nClientRow, nClientCol);
    if (pStyle == nullptr || (context.Flags(nClientRow, nClientCol) & GX_PAINT_COVERED) != 0 ||
        context.m_anRowHeights[nClientRow] <= nMinSize || context.m_anColWidths[nClientCol] <= nMinSize ||
        IsCurrentCell(context.m_anRows[nClientRow], context.m_anCols[nClientCol]))
        return nullptr;
    return GetRegisteredControl(pStyle->GetControl());
}

// A fill costs far more than deciding that a cell needs none, and most cells of a sheet are empty:
// neighbours that would each fill only their interior are filled as one run just before the first
// of them is drawn, and the row's background fill leaves them out. Everything drawn before in the
// row has been drawn by then (text that reaches a little past its cell is covered as each cell's own
// fill would cover it), and the cells of the run draw nothing that the run's fill could cover (a
// grid that draws more over a cell in DrawCellControl keeps within that cell).
BOOL CGXGridCore::PaintInteriorRun(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol)
{
    if (context.m_nInteriorRunRow == nClientRow && nClientCol < context.m_nInteriorRunEnd)
        return TRUE;
    if ((context.Flags(nClientRow, nClientCol) & GX_PAINT_INTERIORONLY) == 0)
        return FALSE;
    const CGXStyleBrush& interior = context.Style(nClientRow, nClientCol)->GetInterior();
    UINT nEnd = nClientCol + 1;
    while (nEnd < context.m_nCols && (context.Flags(nClientRow, nEnd) & GX_PAINT_INTERIORONLY) != 0 &&
           context.Style(nClientRow, nEnd)->GetInterior() == interior)
        ++nEnd;
    CRect rect = context.CellRect(nClientRow, nClientCol);
    rect.right = context.m_anColLefts[nEnd - 1] + context.m_anColWidths[nEnd - 1];
    DrawBrushRect(context.m_pDC, rect, interior);
    context.m_nInteriorRunRow = nClientRow;
    context.m_nInteriorRunEnd = nEnd;
    return TRUE;
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

void CGXGridCore::DrawInvertSelectedCells(CGXGridPaintContext& context)
{
    for (UINT r = 0; r < context.m_nRows; ++r)
        for (UINT c = 0; c < context.m_nCols; ++c)
            if ((context.Flags(r, c) & GX_PAINT_SELECTED) != 0)
                InvertCellSelection(context.m_pDC, context.m_anRows[r], context.m_anCols[c], context.CellRect(r, c));
}

void CGXGridCore::InvertCellSelection(CDC* pDC, ROWCOL nRow, ROWCOL nCol, CRect rect)
{
    const HDC hdc = pDC->GetSafeHdc();
    if (!IsCurrentCell(nRow, nCol) || m_bInvertCurrentCell || m_pParam->m_wHideCurrentCell == 1)
        ::InvertRect(hdc, &rect);
    else if (m_pParam->m_nCurrentCellDisplay != 0)
    {
        // The current cell keeps its face; a frame inside it shows the selection.
        const LONG l = rect.left;
        const LONG t = rect.top;
        const LONG r = rect.right;
        const LONG b = rect.bottom;
        const RECT rightBottom[4] = {{l, t, r, t + 2}, {l, t + 2, l + 2, b}, {r - 3, t + 2, r, b - 3}, {l + 2, b - 3, r, b}};
        const RECT leftTop[4] = {{l, t, r - 2, t + 3}, {l, t + 3, l + 3, b - 2}, {l, b - 2, r - 2, b}, {r - 2, t, r, b}};
        for (const RECT& strip : m_pParam->m_bLinesRightBottom ? rightBottom : leftTop)
            if (strip.right > strip.left && strip.bottom > strip.top)
                ::InvertRect(hdc, &strip);
    }
    m_bInvertCurrentCell = FALSE;
}

// ---- Grid lines and borders ----

// The walk along one row (bHorz) or one column of the block: two passes, one per edge; a cell
// starts a segment with a border on the pass's edge or a grid line there, and the segment runs on
// over the following cells of the same kind and the same pen.
void CGXGridCore::DrawGridLineWalk(CGXGridPaintContext& context, BOOL bHorz, UINT nIndex)
{
    const int nSize = bHorz ? context.m_anRowHeights[nIndex] : context.m_anColWidths[nIndex];
    if (nSize <= 0)
        return;
    CGXProperties* pProperties = GetProperties();
    const BOOL bLines = pProperties == nullptr ||
                        (bHorz ? pProperties->GetDisplayHorzLines() : pProperties->GetDisplayVertLines());
    const ROWCOL nAbsolute = bHorz ? context.m_anRows[nIndex] : context.m_anCols[nIndex];
    BOOL bLastFrozen = FALSE;
    const COLORREF gridColor = GetPropertyColor(0);
    if (bLines)
    {
        m_GridLinePen = CGXStylePen();
        m_GridLinePen.SetStyle(m_pParam->m_nGridLinePenStyle & 0x7).SetWidth(1).SetColor(gridColor);
        bLastFrozen = bHorz ? nAbsolute > context.m_nHeaderRows && nAbsolute == context.m_nFrozenRows
                            : nAbsolute > context.m_nHeaderCols && nAbsolute == context.m_nFrozenCols;
    }
    const BOOL bRightBottom = m_pParam->m_bLinesRightBottom;
    const WORD lineFlag = bHorz ? GX_PAINT_HORZLINE : GX_PAINT_VERTLINE;
    const WORD frozenFlag = bHorz ? GX_PAINT_LASTFROZENROW : GX_PAINT_LASTFROZENCOL;
    const UINT nCount = bHorz ? context.m_nCols : context.m_nRows;
    auto flagsAt = [&](UINT i) -> WORD& { return bHorz ? context.Flags(nIndex, i) : context.Flags(i, nIndex); };
    auto styleAt = [&](UINT i) { return bHorz ? context.Style(nIndex, i) : context.Style(i, nIndex); };
    auto startAt = [&](UINT i) { return bHorz ? context.m_anColLefts[i] : context.m_anRowTops[i]; };
    auto sizeAt = [&](UINT i) { return bHorz ? context.m_anColWidths[i] : context.m_anRowHeights[i]; };
    const int nLineStart = bHorz ? context.m_anRowTops[nIndex] : context.m_anColLefts[nIndex];

    for (int nPass = 0; nPass < 2; ++nPass)
    {
        const BOOL bFarEdge = nPass == 1;  // bottom or right
        const int nEdge = bHorz ? (bFarEdge ? gxBorderBottom : gxBorderTop) : (bFarEdge ? gxBorderRight : gxBorderLeft);
        const WORD borderFlag = bHorz ? (bFarEdge ? GX_PAINT_BORDERBOTTOM : GX_PAINT_BORDERTOP)
                                      : (bFarEdge ? GX_PAINT_BORDERRIGHT : GX_PAINT_BORDERLEFT);
        const BOOL bGridEdge = bFarEdge == bRightBottom;
        // 0 nothing, 1 a border, 2 a grid line.
        auto kindAt = [&](UINT i) {
            const WORD flags = flagsAt(i);
            if (styleAt(i) == nullptr || sizeAt(i) <= 0)
                return 0;
            if ((flags & borderFlag) != 0)
                return 1;
            if (bLines && ((bGridEdge && (flags & lineFlag) != 0) || (bFarEdge && bLastFrozen && (flags & frozenFlag) != 0)))
                return 2;
            return 0;
        };
        for (UINT i = 0; i < nCount;)
        {
            const int nKind = kindAt(i);
            if (nKind == 0)
            {
                ++i;
                continue;
            }
            const CGXStyle* pFirst = styleAt(i);
            const CGXStylePen pen = nKind == 1 ? pFirst->GetBorders(nEdge) : m_GridLinePen;
            const BOOL bPatterned = IsPatternedPen(pen.GetStyle());
            if (bPatterned)
                MakePenPatternRecord(context.m_brushCompare1, pen, pFirst->GetInterior());
            flagsAt(i) &= static_cast<WORD>(~(nKind == 1 ? borderFlag : lineFlag));
            UINT end = i + 1;
            while (end < nCount)
            {
                // Cells of no size (hidden) neither break nor carry a segment.
                if (styleAt(end) != nullptr && sizeAt(end) <= 0)
                {
                    ++end;
                    continue;
                }
                if (kindAt(end) != nKind)
                    break;
                const CGXStyle* pNext = styleAt(end);
                if ((nKind == 1 ? pNext->GetBorders(nEdge) : m_GridLinePen) != pen)
                    break;
                if (bPatterned)
                {
                    MakePenPatternRecord(context.m_brushCompare2, pen, pNext->GetInterior());
                    if (context.m_brushCompare1 != context.m_brushCompare2)
                        break;
                }
                flagsAt(end) &= static_cast<WORD>(~(nKind == 1 ? borderFlag : lineFlag));
                ++end;
            }
            // The last cell with a size ends the run.
            UINT last = end - 1;
            while (last > i && sizeAt(last) <= 0)
                --last;
            const int nRunStart = startAt(i);
            const int nRunEnd = startAt(last) + sizeAt(last);
            const CRect rectRun = bHorz ? CRect(nRunStart, nLineStart, nRunEnd, nLineStart + nSize)
                                        : CRect(nLineStart, nRunStart, nLineStart + nSize, nRunEnd);
            // DrawLineRect draws in the "Grid Lines" colour; the frozen part's line has its own.
            const BOOL bGridColor = nKind == 2 && pen.GetResolvedColor() == gridColor;
            if (nKind == 2 && pen.GetStyle() == PS_SOLID && bGridColor)
            {
                const int nAt = nLineStart + (bFarEdge ? nSize - 1 : 0);
                if (bHorz)
                    DrawLineRect(context.m_pDC, nRunStart, nAt, nRunEnd - nRunStart, 1, 2,
                                 context.m_nTopClientRow + nIndex, 0);
                else
                    DrawLineRect(context.m_pDC, nAt, nRunStart, 1, nRunEnd - nRunStart, 1,
                                 context.m_nLeftClientCol + nIndex, 0);
            }
            else
                DrawBorder(pen, rectRun, nEdge, context.m_pDC, pFirst->GetInterior());
            i = end;
        }
        // The closing line of the frozen part follows in its own colour.
        if (bLastFrozen)
            m_GridLinePen.SetColor(GetPropertyColor(1));
    }
}

void CGXGridCore::DrawHorzGridLines(CGXGridPaintContext& context, UINT nClientRow)
{
    DrawGridLineWalk(context, TRUE, nClientRow);
}

void CGXGridCore::DrawVertGridLines(CGXGridPaintContext& context, UINT nClientCol)
{
    DrawGridLineWalk(context, FALSE, nClientCol);
}

void CGXGridCore::DrawLineRect(CDC* pDC, int x, int y, int cx, int cy, int nDirection, ROWCOL, UINT nFlags)
{
    CRect rect(x, y, x + cx, y + cy);
    const HDC hdc = pDC->GetSafeHdc();
    if ((nFlags & (8 | 4)) != 0)
    {
        ::InvertRect(hdc, &rect);
        return;
    }
    const BOOL bBlack = GetProperties() != nullptr && GetProperties()->GetBlackWhite();
    if ((nFlags & 2) != 0)
    {
        FillSolid(pDC, rect, bBlack ? RGB(0, 0, 0) : GetPropertyColor(0));
        const HPEN hPen = ::CreatePen(m_nDragLinePenStyle, 1, GetPropertyColor(3));
        const HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
        const int nOldMode = ::SetBkMode(hdc, OPAQUE);
        ::MoveToEx(hdc, x, y, nullptr);
        if (nDirection == 2)
            ::LineTo(hdc, x + cx, y);
        else
            ::LineTo(hdc, x, y + cy);
        ::SetBkMode(hdc, nOldMode);
        ::SelectObject(hdc, hOldPen);
        ::DeleteObject(hPen);
        return;
    }
    FillSolidStrip(*this, pDC, rect, bBlack ? RGB(0, 0, 0) : GetPropertyColor((nFlags & 1) != 0 ? 2 : 0));
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
    if (pDC == nullptr || rect.IsRectEmpty())
        return;
    const HDC hdc = pDC->GetSafeHdc();
    switch (brush.GetStyle())
    {
    case CGXStyleBrush::bsHollow:
        // A hollow interior shows the brush's back colour.
        CGXDrawingAndFormatting::FillSolidRect(pDC, rect, brush.GetBkColor());
        return;
    case CGXStyleBrush::bsSolid:
        FillSolid(pDC, rect, brush.GetColor());
        return;
    default:
        break;
    }
    const HBRUSH hBrush = GetCachedBrush(brush);
    if (hBrush == nullptr)
        return;
    if (brush.GetStyle() == CGXStyleBrush::bsPattern && pDC->IsPrinting())
    {
        // Printer drivers render pattern brushes unevenly: the pattern is drawn on a bitmap and copied.
        // The bitmap holds only what the DC can show: a cell can be far larger than the page (a
        // damaged document's sizes), too large for any bitmap. The pattern keeps the cell's phase.
        CRect shown = rect;
        CRect clip;
        if (::GetClipBox(hdc, &clip) != ERROR && !shown.IntersectRect(rect, clip))
            return;
        const HDC hMem = ::CreateCompatibleDC(hdc);
        const HBITMAP hBitmap =
            hMem != nullptr ? ::CreateCompatibleBitmap(hdc, shown.Width(), shown.Height()) : nullptr;
        if (hBitmap != nullptr)
        {
            const HGDIOBJ hOldBitmap = ::SelectObject(hMem, hBitmap);
            ::SetTextColor(hMem, brush.GetColor());
            ::SetBkColor(hMem, brush.GetBkColor());
            ::SetBkMode(hMem, OPAQUE);
            const int nPatternSize = 8;
            ::SetBrushOrgEx(hMem, ((rect.left - shown.left) % nPatternSize + nPatternSize) % nPatternSize,
                            ((rect.top - shown.top) % nPatternSize + nPatternSize) % nPatternSize, nullptr);
            const RECT rectMem = {0, 0, shown.Width(), shown.Height()};
            ::FillRect(hMem, &rectMem, hBrush);
            ::StretchBlt(hdc, shown.left, shown.top, shown.Width(), shown.Height(), hMem, 0, 0, shown.Width(),
                         shown.Height(), SRCCOPY);
            ::SelectObject(hMem, hOldBitmap);
            ::DeleteObject(hBitmap);
        }
        if (hMem != nullptr)
            ::DeleteDC(hMem);
        return;
    }
    // Hatches and patterns show both colours.
    const COLORREF oldBk = ::SetBkColor(hdc, brush.GetBkColor());
    const COLORREF oldText = ::SetTextColor(hdc, brush.GetColor());
    const int oldMode = ::SetBkMode(hdc, OPAQUE);
    ::FillRect(hdc, &rect, hBrush);
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
    if (pDC == nullptr || pen.GetStyle() == PS_NULL || !pen.GetInclude())
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
    if (strip.IsRectEmpty())
        return;
    const HDC hdc = pDC->GetSafeHdc();
    const BOOL bBlack = GetProperties() != nullptr && GetProperties()->GetBlackWhite();
    const COLORREF color = bBlack ? RGB(0, 0, 0) : pen.GetResolvedColor();
    if (!IsPatternedPen(pen.GetStyle()))
    {
        FillSolidStrip(*this, pDC, strip, color);
        return;
    }
    if (!pDC->IsPrinting())
    {
        // On screen the dashes are a pattern of the pen's colour over the interior's.
        const HBRUSH hBrush = GetPenPatternBrush(pen.GetStyle());
        const COLORREF oldBk = ::SetBkColor(hdc, bBlack ? RGB(255, 255, 255) : InteriorColor(interior));
        const COLORREF oldText = ::SetTextColor(hdc, color);
        ::FillRect(hdc, &strip, hBrush);
        ::SetTextColor(hdc, oldText);
        ::SetBkColor(hdc, oldBk);
        return;
    }
    // A printer draws the pen itself, along the middle of the strip.
    CGXStylePen linePen = pen;
    linePen.SetColor(color);
    const HPEN hPen = GetCachedPen(linePen);
    if (hPen == nullptr)
        return;
    const HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    const BOOL bHorizontal = nEdge == gxBorderTop || nEdge == gxBorderBottom;
    const int nMiddle = bHorizontal ? (strip.top + strip.bottom) / 2 : (strip.left + strip.right) / 2;
    if (bHorizontal)
    {
        ::MoveToEx(hdc, strip.left, nMiddle, nullptr);
        ::LineTo(hdc, strip.right, nMiddle);
    }
    else
    {
        ::MoveToEx(hdc, nMiddle, strip.top, nullptr);
        ::LineTo(hdc, nMiddle, strip.bottom);
    }
    ::SelectObject(hdc, hOldPen);
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
        return BorderEdgeWidth(style, nEdge, bGridLines && bLines && bLineHere ? 1 : 0);
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
    // An edge without a border takes its grid line.
    size.cx += BorderEdgeWidth(style, gxBorderLeft, 1) + BorderEdgeWidth(style, gxBorderRight, 1);
    size.cy += BorderEdgeWidth(style, gxBorderTop, 1) + BorderEdgeWidth(style, gxBorderBottom, 1);
    return size;
}
