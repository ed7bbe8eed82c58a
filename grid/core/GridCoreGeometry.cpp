// Grid engine: row heights, column widths and size units, cell and range rectangles, hit testing,
// mouse cursors, device-context mapping and zoom.

#include "grid/core/GridCore.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/Font.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The factor between pixels and stored sizes. A unit outside 1..1000 would make it 0 (or divide by
// 0): such a unit is clamped.
int SizeFactor(int nUnit)
{
    return 1000 / std::clamp(nUnit, 1, 1000);
}

const int kDefaultRowUnit = 15;
const int kDefaultColUnit = 10;

// The cursor resource loaded last, shared by every grid of the process; the handle is the
// library's own (destroyed when another replaces it) unless it is a system cursor standing in.
UINT g_nLoadedCursorId = 0;
HCURSOR g_hLoadedCursor = nullptr;
BOOL g_bLoadedFromResource = FALSE;

// Maps an inch of extent units onto an inch of the device behind one handle.
void MapExtentInch(HDC hDC, SIZE extent)
{
    if (hDC == nullptr)
        return;
    ::SetMapMode(hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(hDC, extent.cx, extent.cy, nullptr);
    ::SetViewportExtEx(hDC, ::GetDeviceCaps(hDC, LOGPIXELSX), ::GetDeviceCaps(hDC, LOGPIXELSY), nullptr);
}
}

// ---- Size units ----

void CGXGridCore::CalcSizeUnits()
{
    // Measured where the grid draws: the screen, or the printer while its layout is shown (whose DC
    // keeps the printing mapping, the one every use of it sets).
    HDC hScreen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(hScreen);
    PrepareGridDC(&dc, FALSE);
    CalcSizeUnits(&dc, m_nColSizeUnit, m_nRowSizeUnit);
    dc.Detach();
    ::ReleaseDC(nullptr, hScreen);
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
}

void CGXGridCore::CalcSizeUnits(CDC* pDC, int& nColUnit, int& nRowUnit)
{
    nColUnit = kDefaultColUnit;
    nRowUnit = kDefaultRowUnit;
    const CGXStyle* pStandard = GetStandardStyle();
    if (pDC == nullptr || pStandard == nullptr || !pStandard->GetIncludeFont())
        return;
    // Zoomed as drawing zooms it, so rows and columns grow with the text.
    LOGFONT lf = pStandard->GetFont().GetLogFont();
    const int nZoom = GetZoom();
    if (nZoom != 100)
    {
        CGXFont zoomed(pStandard->GetFont());
        zoomed.SetSize(pStandard->GetFont().GetSize() * nZoom / 100);
        lf = zoomed.GetLogFont();
    }
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == nullptr)
        return;
    // Metrics come from the attribute handle (the printer while its layout is shown).
    const HDC hQuery = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->GetSafeHdc();
    HGDIOBJ hOld = ::SelectObject(hQuery, hFont);
    TEXTMETRICA tm{};
    const BOOL bMetrics = ::GetTextMetricsA(hQuery, &tm);
    ::SelectObject(hQuery, hOld);
    ::DeleteObject(hFont);
    if (!bMetrics)
        return;
    nRowUnit = tm.tmHeight + tm.tmExternalLeading;
    // The bit is set for a variable-pitch font, despite its name.
    nColUnit = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0 ? 3 * tm.tmAveCharWidth / 2 : tm.tmAveCharWidth;
}

int CGXGridCore::GetRowSizeUnit()
{
    if (m_bPrinting && m_nPrintRowSizeUnit > 0)
        return m_nPrintRowSizeUnit;
    return m_nRowSizeUnit > 0 ? m_nRowSizeUnit : kDefaultRowUnit;
}

int CGXGridCore::GetColSizeUnit()
{
    if (m_bPrinting && m_nPrintColSizeUnit > 0)
        return m_nPrintColSizeUnit;
    return m_nColSizeUnit > 0 ? m_nColSizeUnit : kDefaultColUnit;
}

int CGXGridCore::RowHeightToStored(int nPixels)
{
    return nPixels * SizeFactor(GetRowSizeUnit());
}

int CGXGridCore::StoredToRowHeight(LONG nStored)
{
    return static_cast<int>(nStored / SizeFactor(GetRowSizeUnit()));
}

int CGXGridCore::ColWidthToStored(int nPixels)
{
    return nPixels * SizeFactor(GetColSizeUnit());
}

int CGXGridCore::StoredToColWidth(LONG nStored)
{
    return static_cast<int>(nStored / SizeFactor(GetColSizeUnit()));
}

// ---- Stored sizes ----

LONG CGXGridCore::StoreRowHeight(ROWCOL nRow, int nHeight)
{
    if (m_pParam == nullptr)
        return FALSE;
    if (nHeight < 0)
        m_pParam->m_RowHeights.RemoveKey(nRow);
    else
        m_pParam->m_RowHeights.SetAt(nRow, RowHeightToStored(nHeight));
    SetModifiedFlag();
    return TRUE;
}

LONG CGXGridCore::StoreColWidth(ROWCOL nCol, int nWidth)
{
    if (m_pParam == nullptr)
        return FALSE;
    if (nWidth < 0)
        m_pParam->m_ColWidths.RemoveKey(nCol);
    else
        m_pParam->m_ColWidths.SetAt(nCol, ColWidthToStored(nWidth));
    SetModifiedFlag();
    return TRUE;
}

// A default size is a pixel at least, as SetDefaultRowHeight and SetDefaultColWidth allow: a stored
// document can hold less (0, a negative size, less than a size unit), and rows of no height would
// let every walk that fills a window or a page with rows run through the whole table.
int CGXGridCore::GetDefaultRowHeight()
{
    return m_pParam != nullptr ? std::max(1, StoredToRowHeight(m_pParam->m_nDefaultHeight)) : 0;
}

int CGXGridCore::GetDefaultColWidth()
{
    return m_pParam != nullptr ? std::max(1, StoredToColWidth(m_pParam->m_nDefaultWidth)) : 0;
}

BOOL CGXGridCore::SetDefaultRowHeight(int nHeight)
{
    if (m_pParam == nullptr || nHeight < 1)
        return FALSE;
    m_pParam->m_nDefaultHeight = RowHeightToStored(nHeight);
    SetModifiedFlag();
    return TRUE;
}

BOOL CGXGridCore::SetDefaultColWidth(int nWidth)
{
    if (m_pParam == nullptr || nWidth < 1)
        return FALSE;
    m_pParam->m_nDefaultWidth = ColWidthToStored(nWidth);
    SetModifiedFlag();
    return TRUE;
}

int CGXGridCore::GetRowHeight(ROWCOL nRow)
{
    if (m_pParam == nullptr || IsRowHidden(nRow))
        return 0;
    LONG nStored = 0;
    int nHeight = m_pParam->m_RowHeights.Lookup(nRow, nStored) ? StoredToRowHeight(nStored) : GetDefaultRowHeight();
    if (m_bLimitRowsToWindow && nRow > GetFrozenRows() && ::IsWindowVisible(m_pGridWnd->GetSafeHwnd()))
    {
        const int nFree = GetGridRect().Height() - CalcSumOfRowHeights(0, GetFrozenRows());
        if (nFree <= nHeight)
            nHeight = nFree;
    }
    return nHeight;
}

int CGXGridCore::GetColWidth(ROWCOL nCol)
{
    if (m_pParam == nullptr || IsColHidden(nCol))
        return 0;
    LONG nStored = 0;
    int nWidth = m_pParam->m_ColWidths.Lookup(nCol, nStored) ? StoredToColWidth(nStored) : GetDefaultColWidth();
    if (m_bLimitColsToWindow && nCol > GetFrozenCols() && ::IsWindowVisible(m_pGridWnd->GetSafeHwnd()))
    {
        const int nFree = GetGridRect().Width() - CalcSumOfColWidths(0, GetFrozenCols());
        if (nFree <= nWidth)
            nWidth = nFree;
    }
    return nWidth;
}

void CGXGridCore::GetRowHeights(ROWCOL nFromRow, ROWCOL nToRow, CDWordArray& heights)
{
    heights.RemoveAll();
    for (ROWCOL nRow = nFromRow; nRow <= nToRow && nRow != GX_INVALID; ++nRow)
        heights.Add(static_cast<DWORD>(GetRowHeight(nRow)));
}

void CGXGridCore::GetColWidths(ROWCOL nFromCol, ROWCOL nToCol, CDWordArray& widths)
{
    widths.RemoveAll();
    for (ROWCOL nCol = nFromCol; nCol <= nToCol && nCol != GX_INVALID; ++nCol)
        widths.Add(static_cast<DWORD>(GetColWidth(nCol)));
}

BOOL CGXGridCore::SetRowHeight(ROWCOL nFromRow, ROWCOL nToRow, int nHeight, const int* anHeights, UINT nFlags,
                               int nUndoMode)
{
    if (nToRow == 0)
        nToRow = nFromRow;
    if (nToRow < nFromRow)
        std::swap(nFromRow, nToRow);
    CGXLongOperation operation;
    auto* pOldHeights = new CDWordArray;
    GetRowHeights(nFromRow, nToRow, *pOldHeights);
    BOOL bStored = FALSE;
    for (ROWCOL nRow = nFromRow; nRow <= nToRow; ++nRow)
    {
        bStored |= StoreRowHeight(nRow, anHeights != nullptr ? anHeights[nRow - nFromRow] : nHeight) != 0;
        if (nRow == nToRow)
            break;
    }
    if (!bStored)
    {
        delete pOldHeights;
        return FALSE;
    }
    DelayFloatCells(CGXRange().SetRows(nFromRow, nToRow));
    UpdateChangedRowHeights(nFromRow, nToRow, pOldHeights, nFlags, TRUE);
    if (m_pUndoImp != nullptr && nUndoMode != 1 && m_pParam->IsEnableUndo())
    {
        AddCommand(m_pUndoImp->CreateSetRowHeightCmd(this, nFromRow, nToRow, pOldHeights, nUndoMode), nUndoMode);
        if (nUndoMode == 2 || nUndoMode == 3)
            RestoreCurrentCell(nFromRow, GetLeftCol());
    }
    else
        delete pOldHeights;
    return TRUE;
}

BOOL CGXGridCore::SetColWidth(ROWCOL nFromCol, ROWCOL nToCol, int nWidth, const int* anWidths, UINT nFlags,
                              int nUndoMode)
{
    if (nToCol == 0)
        nToCol = nFromCol;
    if (nToCol < nFromCol)
        std::swap(nFromCol, nToCol);
    CGXLongOperation operation;
    auto* pOldWidths = new CDWordArray;
    GetColWidths(nFromCol, nToCol, *pOldWidths);
    BOOL bStored = FALSE;
    for (ROWCOL nCol = nFromCol; nCol <= nToCol; ++nCol)
    {
        bStored |= StoreColWidth(nCol, anWidths != nullptr ? anWidths[nCol - nFromCol] : nWidth) != 0;
        if (nCol == nToCol)
            break;
    }
    if (!bStored)
    {
        delete pOldWidths;
        return FALSE;
    }
    DelayFloatCells(CGXRange().SetCols(nFromCol, nToCol));
    UpdateChangedColWidths(nFromCol, nToCol, pOldWidths, nFlags, TRUE);
    if (m_pUndoImp != nullptr && nUndoMode != 1 && m_pParam->IsEnableUndo())
    {
        AddCommand(m_pUndoImp->CreateSetColWidthCmd(this, nFromCol, nToCol, pOldWidths, nUndoMode), nUndoMode);
        if (nUndoMode == 2 || nUndoMode == 3)
            RestoreCurrentCell(GetTopRow(), nFromCol);
    }
    else
        delete pOldWidths;
    return TRUE;
}

BOOL CGXGridCore::ChangeDefaultRowHeight(int nHeight, UINT nFlags, int nUndoMode)
{
    const int nOld = GetDefaultRowHeight();
    if (!SetDefaultRowHeight(nHeight))
        return FALSE;
    DelayFloatCells(CGXRange().SetTable());
    DelayMergeCells(CGXRange().SetTable());
    UpdateChangedRowHeights(1, GetRowCount(), nullptr, nFlags, TRUE);
    if (m_pUndoImp != nullptr && nUndoMode != 1 && m_pParam->IsEnableUndo())
        AddCommand(m_pUndoImp->CreateSetDefaultRowHeightCmd(this, nOld, nUndoMode), nUndoMode);
    return TRUE;
}

BOOL CGXGridCore::ChangeDefaultColWidth(int nWidth, UINT nFlags, int nUndoMode)
{
    const int nOld = GetDefaultColWidth();
    if (!SetDefaultColWidth(nWidth))
        return FALSE;
    DelayFloatCells(CGXRange().SetTable());
    DelayMergeCells(CGXRange().SetTable());
    UpdateChangedColWidths(1, GetColCount(), nullptr, nFlags, TRUE);
    if (m_pUndoImp != nullptr && nUndoMode != 1 && m_pParam->IsEnableUndo())
        AddCommand(m_pUndoImp->CreateSetDefaultColWidthCmd(this, nOld, nUndoMode), nUndoMode);
    return TRUE;
}

void CGXGridCore::UpdateChangedRowHeights(ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                                          UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (GetRowHeight(nFromRow) == 0 && m_bCurrentCell && m_nCurrentRow >= nFromRow && m_nCurrentRow <= nToRow)
        EndCurrentCellEditing(TRUE);
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->OnRowHeightsChanged(this, nFromRow, nToRow, pOldHeights, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & (2 | 4)) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintChangedRowHeights(this, nFromRow, nToRow, pOldHeights, nFlags);
}

void CGXGridCore::UpdateChangedColWidths(ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                                         UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (GetColWidth(nFromCol) == 0 && m_bCurrentCell && m_nCurrentCol >= nFromCol && m_nCurrentCol <= nToCol)
        EndCurrentCellEditing(TRUE);
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->OnColWidthsChanged(this, nFromCol, nToCol, pOldWidths, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & (2 | 4)) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintChangedColWidths(this, nFromCol, nToCol, pOldWidths, nFlags);
}

// ---- Sums ----

int CGXGridCore::CalcSumOfRowHeights(ROWCOL nFromRow, ROWCOL nToRow, int nLimit)
{
    int nSum = 0;
    for (ROWCOL nRow = nFromRow; nRow <= nToRow; ++nRow)
    {
        nSum += GetRowHeight(nRow);
        if ((nLimit != 0 && nSum > nLimit) || nRow == nToRow)
            break;
    }
    return nSum;
}

int CGXGridCore::CalcSumOfColWidths(ROWCOL nFromCol, ROWCOL nToCol, int nLimit)
{
    int nSum = 0;
    for (ROWCOL nCol = nFromCol; nCol <= nToCol; ++nCol)
    {
        nSum += GetColWidth(nCol);
        if ((nLimit != 0 && nSum > nLimit) || nCol == nToCol)
            break;
    }
    return nSum;
}

int CGXGridCore::CalcSumOfClientRowHeights(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    int nSum = 0;
    for (ROWCOL n = nFrom; n <= nTo && n != GX_INVALID; ++n)
    {
        const ROWCOL nRow = ClientRowToRow(n);
        if (nRow > GetRowCount())
            break;
        nSum += GetRowHeight(nRow);
        if (nLimit != 0 && nSum > nLimit)
            break;
    }
    return nSum;
}

int CGXGridCore::CalcSumOfClientColWidths(ROWCOL nFrom, ROWCOL nTo, int nLimit)
{
    int nSum = 0;
    for (ROWCOL n = nFrom; n <= nTo && n != GX_INVALID; ++n)
    {
        const ROWCOL nCol = ClientColToCol(n);
        if (nCol > GetColCount())
            break;
        nSum += GetColWidth(nCol);
        if (nLimit != 0 && nSum > nLimit)
            break;
    }
    return nSum;
}

int CGXGridCore::GetClientRowTop(ROWCOL nClientRow)
{
    return GetGridRect().top + (nClientRow == 0 ? 0 : CalcSumOfClientRowHeights(0, nClientRow - 1));
}

int CGXGridCore::GetClientColLeft(ROWCOL nClientCol)
{
    return GetGridRect().left + (nClientCol == 0 ? 0 : CalcSumOfClientColWidths(0, nClientCol - 1));
}

// ---- Points to client cells ----

ROWCOL CGXGridCore::CalcClientRowFromPt(CPoint point, int* pnTop)
{
    const int nTop = GetGridRect().top;
    const ROWCOL nRowCount = GetRowCount();
    int y = nTop;
    int nEdge = y;
    ROWCOL i = 0;
    for (ROWCOL nRow; y <= point.y && (nRow = ClientRowToRow(i)) <= nRowCount; ++i)
    {
        nEdge = y;
        y += GetRowHeight(nRow);
    }
    if (pnTop != nullptr)
        *pnTop = nEdge;
    if (y == nTop && ClientRowToRow(0) <= nRowCount)
        return 0;
    if (y < point.y || i == 0)
        return GX_INVALID;
    return i - 1;
}

ROWCOL CGXGridCore::CalcClientColFromPt(CPoint point, int* pnLeft)
{
    const int nLeft = GetGridRect().left;
    const ROWCOL nColCount = GetColCount();
    int x = nLeft;
    int nEdge = x;
    ROWCOL i = 0;
    for (ROWCOL nCol; x <= point.x && (nCol = ClientColToCol(i)) <= nColCount; ++i)
    {
        nEdge = x;
        x += GetColWidth(nCol);
    }
    if (pnLeft != nullptr)
        *pnLeft = nEdge;
    if (x == nLeft && ClientColToCol(0) <= nColCount)
        return 0;
    if (x < point.x || i == 0)
        return GX_INVALID;
    return i - 1;
}

// ---- Rectangles ----

BOOL CGXGridCore::CalcRangeRect(CRect& rect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                BOOL bNoClip)
{
    rect.SetRectEmpty();
    if (nTop > nBottom)
        std::swap(nTop, nBottom);
    if (nLeft > nRight)
        std::swap(nLeft, nRight);
    const ROWCOL nFrozenRows = GetFrozenRows();
    const ROWCOL nFrozenCols = GetFrozenCols();
    const ROWCOL nTopRow = GetTopRow();
    const ROWCOL nLeftCol = GetLeftCol();
    if (!((nLeft <= nFrozenCols || nLeftCol <= nRight) && (nTop <= nFrozenRows || nTopRow <= nBottom)))
        return FALSE;

    ROWCOL nStartCol = ColToClientCol(nLeft);
    if (nLeft > nFrozenCols && nLeft < nLeftCol)
        nStartCol = ColToClientCol(nLeftCol);
    ROWCOL nStartRow = RowToClientRow(nTop);
    if (nTop > nFrozenRows && nTop < nTopRow)
        nStartRow = RowToClientRow(nTopRow);
    // Cells past the last visible ones are not shown; the cache only counts while it was taken for
    // the same scroll position and grid rectangle.
    if (!m_bPrinting && GetGridRect() == m_rectLastVisibleGrid)
    {
        if (m_nLastVisibleCol != GX_INVALID && m_nLastVisibleColLeft == nLeftCol &&
            nStartCol > ColToClientCol(m_nLastVisibleCol))
            return FALSE;
        if (m_nLastVisibleRow != GX_INVALID && m_nLastVisibleRowTop == nTopRow &&
            nStartRow > RowToClientRow(m_nLastVisibleRow))
            return FALSE;
    }

    const ROWCOL nEndCol = (nRight > nFrozenCols && ColToClientCol(nRight) >= nFrozenCols) ? ColToClientCol(nRight)
                                                                                          : nFrozenCols;
    const ROWCOL nEndRow = (nBottom > nFrozenRows && RowToClientRow(nBottom) >= nFrozenRows) ? RowToClientRow(nBottom)
                                                                                            : nFrozenRows;
    const CRect rectGrid = GetGridRect();
    const ROWCOL nColCount = GetColCount();
    const ROWCOL nRowCount = GetRowCount();

    // Walks stop once past twice the grid's far edge: nothing beyond it can be seen.
    auto walk = [&](int nStart, ROWCOL nFrom, ROWCOL nTo, int nStop, BOOL bCols) {
        int pos = nStart;
        for (ROWCOL n = nFrom; n <= nTo && n != GX_INVALID; ++n)
        {
            if (!bNoClip && pos > nStop)
                break;
            const ROWCOL nAbs = bCols ? ClientColToCol(n) : ClientRowToRow(n);
            if (nAbs > (bCols ? nColCount : nRowCount))
                break;
            pos += bCols ? GetColWidth(nAbs) : GetRowHeight(nAbs);
        }
        return pos;
    };
    const int nStopX = 2 * rectGrid.right;
    const int nStopY = 2 * rectGrid.bottom;
    rect.left = nStartCol == 0 ? rectGrid.left : walk(rectGrid.left, 0, nStartCol - 1, nStopX, TRUE);
    rect.right = walk(rect.left, nStartCol, nEndCol, nStopX, TRUE);
    rect.top = nStartRow == 0 ? rectGrid.top : walk(rectGrid.top, 0, nStartRow - 1, nStopY, FALSE);
    rect.bottom = walk(rect.top, nStartRow, nEndRow, nStopY, FALSE);
    return TRUE;
}

CRect CGXGridCore::CalcCellRect(ROWCOL nRow, ROWCOL nCol)
{
    CRect rect;
    CalcRangeRect(rect, nRow, nCol, nRow, nCol);
    return rect;
}

CRect CGXGridCore::CalcRangeRectFromRange(const CGXRange& range, BOOL bNoClip)
{
    CGXRange normal = range;
    normal.ExpandToCells(0, 0, GetRowCount(), GetColCount());
    CGXRange covered;
    if (ExpandToCoveredCells(normal, covered))
        normal = covered;
    CRect rect;
    CalcRangeRect(rect, normal.top, normal.left, normal.bottom, normal.right, bNoClip);
    return rect;
}

CRect CGXGridCore::CalcSpanRect(const CGXRange& range)
{
    CGXRange span = range;
    span.ExpandToCells(0, 0, GetRowCount(), GetColCount());
    CGXRange wider;
    if (ExpandToMergedCells(span, wider))
        span = wider;
    if (ExpandToFloatCells(span, wider))
        span = wider;
    CRect rect;
    CalcRangeRect(rect, span.top, span.left, span.bottom, span.right);
    return rect;
}

CRect CGXGridCore::CalcSpanCellRect(ROWCOL nRow, ROWCOL nCol)
{
    return CalcSpanRect(CGXRange(nRow, nCol));
}

ROWCOL CGXGridCore::CalcBottomRowFromRect(const CRect& rect)
{
    BOOL bEnd = FALSE;
    return CalcLastVisibleRow(rect, &bEnd);
}

ROWCOL CGXGridCore::CalcRightColFromRect(const CRect& rect)
{
    BOOL bEnd = FALSE;
    return CalcLastVisibleCol(rect, &bEnd);
}

ROWCOL CGXGridCore::CalcLastVisibleRow(const CRect& rect, BOOL* pbEndReached)
{
    const ROWCOL nClient = CalcClientRowFromPt(CPoint(rect.left, rect.bottom));
    const BOOL bEnd = nClient == GX_INVALID;
    if (pbEndReached != nullptr)
        *pbEndReached = bEnd;
    return bEnd ? GetRowCount() : ClientRowToRow(nClient);
}

ROWCOL CGXGridCore::CalcLastVisibleCol(const CRect& rect, BOOL* pbEndReached)
{
    const ROWCOL nClient = CalcClientColFromPt(CPoint(rect.right, rect.top));
    const BOOL bEnd = nClient == GX_INVALID;
    if (pbEndReached != nullptr)
        *pbEndReached = bEnd;
    return bEnd ? GetColCount() : ClientColToCol(nClient);
}

void CGXGridCore::CalcBottomRightFromRect(const CRect& rect, ROWCOL& nBottomRow, ROWCOL& nRightCol)
{
    nBottomRow = CalcBottomRowFromRect(rect);
    nRightCol = CalcRightColFromRect(rect);
}

ROWCOL CGXGridCore::GetLastVisibleRow(BOOL* pbEndReached)
{
    if (m_nLastVisibleRow == GX_INVALID || m_nLastVisibleRowTop != GetTopRow() ||
        GetGridRect() != m_rectLastVisibleGrid)
    {
        if (GetGridRect() != m_rectLastVisibleGrid)
            m_nLastVisibleCol = GX_INVALID;
        m_rectLastVisibleGrid = GetGridRect();
        m_nLastVisibleRow = CalcLastVisibleRow(GetGridRect(), &m_bLastVisibleRowEnd);
        m_nLastVisibleRowTop = GetTopRow();
    }
    if (pbEndReached != nullptr)
        *pbEndReached = m_bLastVisibleRowEnd;
    return m_nLastVisibleRow;
}

ROWCOL CGXGridCore::GetLastVisibleCol(BOOL* pbEndReached)
{
    if (m_nLastVisibleCol == GX_INVALID || m_nLastVisibleColLeft != GetLeftCol() ||
        GetGridRect() != m_rectLastVisibleGrid)
    {
        if (GetGridRect() != m_rectLastVisibleGrid)
            m_nLastVisibleRow = GX_INVALID;
        m_rectLastVisibleGrid = GetGridRect();
        m_nLastVisibleCol = CalcLastVisibleCol(GetGridRect(), &m_bLastVisibleColEnd);
        m_nLastVisibleColLeft = GetLeftCol();
    }
    if (pbEndReached != nullptr)
        *pbEndReached = m_bLastVisibleColEnd;
    return m_nLastVisibleCol;
}

CRect CGXGridCore::GetGridRectRightOfCol(ROWCOL nCol)
{
    CRect rect = GetGridRect();
    CRect rectCol;
    CalcRangeRect(rectCol, 0, nCol, 0, nCol, TRUE);
    rect.left = rectCol.right;
    return rect;
}

CRect CGXGridCore::GetGridRectBelowRow(ROWCOL nRow)
{
    CRect rect = GetGridRect();
    CRect rectRow;
    CalcRangeRect(rectRow, nRow, 0, nRow, 0, TRUE);
    rect.top = rectRow.bottom;
    return rect;
}

// ---- Hit testing ----

int CGXGridCore::HitTest(CPoint point, ROWCOL* pnRow, ROWCOL* pnCol, CRect* pRect)
{
    const CRect rectGrid = GetGridRect();
    const CPoint clamped(std::max(point.x, 0L), std::max(point.y, 0L));
    if (!rectGrid.PtInRect(clamped) || !rectGrid.PtInRect(point))
        return 0;
    if (m_pParam == nullptr)
        return 0;

    int nTop = 0;
    int nLeft = 0;
    ROWCOL nClientRow = CalcClientRowFromPt(clamped, &nTop);
    ROWCOL nClientCol = CalcClientColFromPt(clamped, &nLeft);
    const BOOL bInCell = nClientRow != GX_INVALID && nClientCol != GX_INVALID;
    CRect rectCell(0, 0, 0, 0);
    if (bInCell)
        rectCell.SetRect(nLeft, nTop, nLeft + GetColWidth(ClientColToCol(nClientCol)),
                         nTop + GetRowHeight(ClientRowToRow(nClientRow)));

    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();
    const int nHalf = m_nHitMargin / 2;
    const int nQuarter = m_nHitMargin / 4;
    const BOOL bColBorders = m_pParam->IsColResizeAllowed(3) &&
                             (nClientRow <= nHeaderRows || m_pParam->IsColResizeAllowed(4));
    const BOOL bRowBorders = m_pParam->IsRowResizeAllowed(3) &&
                             (nClientCol <= nHeaderCols || m_pParam->IsRowResizeAllowed(4));
    const BOOL bColHeaderExcluded = m_pParam->IsColResizeAllowed(8);
    const BOOL bRowHeaderExcluded = m_pParam->IsRowResizeAllowed(8);

    int nHit = 0;
    BOOL bTestRows = TRUE;
    if (bInCell && bColBorders)
    {
        if (std::abs(rectCell.right - clamped.x) <= nHalf)
        {
            if (nClientCol <= nHeaderCols && bColHeaderExcluded)
                bTestRows = FALSE;
            else
                nHit = 1;
        }
        else if (std::abs(rectCell.left - clamped.x) <= nHalf && nClientCol != 0)
        {
            if (nClientCol > nHeaderCols + 1 || !bColHeaderExcluded)
            {
                if (clamped.x - rectCell.left > nQuarter && GetColWidth(ClientColToCol(nClientCol - 1)) == 0)
                {
                    nHit = 7;
                    --nClientCol;
                }
                else
                {
                    do
                        --nClientCol;
                    while (nClientCol > 0 && GetColWidth(ClientColToCol(nClientCol)) == 0);
                    nHit = 1;
                }
            }
            else
                bTestRows = FALSE;
        }
    }
    if (bInCell && nHit == 0 && bTestRows && bRowBorders)
    {
        if (std::abs(rectCell.bottom - clamped.y) <= nHalf)
        {
            if (!(nClientRow <= nHeaderRows && bRowHeaderExcluded))
                nHit = 2;
        }
        else if (std::abs(rectCell.top - clamped.y) <= nHalf && nClientRow != 0)
        {
            if (nClientRow > nHeaderRows + 1 || !bRowHeaderExcluded)
            {
                if (clamped.y - rectCell.top > nQuarter && GetRowHeight(ClientRowToRow(nClientRow - 1)) == 0)
                {
                    nHit = 8;
                    --nClientRow;
                }
                else
                {
                    do
                        --nClientRow;
                    while (nClientRow > 0 && GetRowHeight(ClientRowToRow(nClientRow)) == 0);
                    nHit = 2;
                }
            }
        }
    }

    const ROWCOL nRow = nClientRow != GX_INVALID ? ClientRowToRow(nClientRow) : GX_INVALID;
    const ROWCOL nCol = nClientCol != GX_INVALID ? ClientColToCol(nClientCol) : GX_INVALID;
    if (bInCell && nHit == 0)
    {
        nHit = HitTestSelectionFrame(nRow, nCol, clamped, rectCell);
        if (nHit == 0)
            nHit = (nCol > nHeaderCols && nRow > nHeaderRows) ? 3 : 4;
    }

    if (pnRow != nullptr)
        *pnRow = nRow != GX_INVALID ? nRow : (clamped.y > nHalf + 1 ? GetRowCount() + 1 : 0);
    if (pnCol != nullptr)
        *pnCol = nCol != GX_INVALID ? nCol : (clamped.x > nHalf + 1 ? GetColCount() + 1 : 0);
    if (pRect != nullptr)
        *pRect = rectCell;
    return nHit;
}

int CGXGridCore::HitTestSelectionFrame(ROWCOL nRow, ROWCOL nCol, CPoint point, const CRect& rect)
{
    if (!m_bSelectionFrame && !m_bFillHandle)
        return 0;
    const int nInside = 4;
    auto nearInside = [](int nDistance) { return nDistance >= 0 && nDistance <= nInside; };

    const CGXRangeList& selection = m_pParam->m_SelRects;
    if (selection.IsCellInList(0, 0))
    {
        if (nRow != 0 || nCol != 0)
            return 0;
        return nearInside(point.x - rect.left) || nearInside(point.y - rect.top) ? 5 : 0;
    }

    CGXRange owner;
    CRect rectFrame = rect;
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered))
    {
        owner = covered;
        rectFrame = CalcRangeRectFromRange(covered);
    }
    else if (POSITION pos = selection.FindRange(nRow, nCol))
        owner = *selection.GetAt(pos);
    else
        return 0;

    if (m_bFillHandle && std::abs(point.x - rectFrame.right) <= nInside && std::abs(point.y - rectFrame.bottom) <= nInside)
        return 6;
    if (!m_bSelectionFrame)
        return 0;
    const BOOL bColEdges = !owner.IsRows();
    const BOOL bRowEdges = !owner.IsCols();
    if (bColEdges && owner.left == nCol && nearInside(point.x - rectFrame.left))
        return 5;
    if (bColEdges && owner.right == nCol && nearInside(rectFrame.right - 1 - point.x))
        return 5;
    if (bRowEdges && owner.top == nRow && nearInside(point.y - rectFrame.top))
        return 5;
    if (bRowEdges && owner.bottom == nRow && nearInside(rectFrame.bottom - 1 - point.y))
        return 5;
    return 0;
}

// ---- Cursor ----

BOOL CGXGridCore::CanResizeCol(ROWCOL)
{
    return m_pUserResizeCellsImp != nullptr;
}

BOOL CGXGridCore::CanResizeRow(ROWCOL)
{
    return m_pUserResizeCellsImp != nullptr;
}

void CGXGridCore::SetGridCursor(UINT nCursorId, LPCTSTR pszSystemCursor)
{
    if (nCursorId == 0)
    {
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        return;
    }
    if (nCursorId == g_nLoadedCursorId && g_hLoadedCursor != nullptr)
    {
        ::SetCursor(g_hLoadedCursor);
        return;
    }
    const HCURSOR hOld = g_hLoadedCursor;
    const BOOL bOldFromResource = g_bLoadedFromResource;
    LPCTSTR pszName = MAKEINTRESOURCEA(nCursorId);
    // A private copy (not the shared one LoadCursorA gives), so that destroying it when another
    // cursor replaces it is allowed.
    HCURSOR hCursor = static_cast<HCURSOR>(
        ::LoadImageA(AfxFindResourceHandle(pszName, RT_GROUP_CURSOR), pszName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    g_bLoadedFromResource = hCursor != nullptr;
    if (hCursor == nullptr)
        hCursor = ::LoadCursorA(nullptr, pszSystemCursor != nullptr ? pszSystemCursor : IDC_ARROW);
    g_nLoadedCursorId = nCursorId;
    g_hLoadedCursor = hCursor;
    ::SetCursor(hCursor);
    // Shared system cursors are never destroyed.
    if (hOld != nullptr && hOld != hCursor && bOldFromResource)
        ::DestroyCursor(hOld);
}

void CGXGridCore::SetCursorOverride(UINT nCursorId)
{
    m_nCursorOverride = nCursorId;
    if (nCursorId != 0)
        SetGridCursor(nCursorId, IDC_ARROW);
}

BOOL CGXGridCore::HoldsFocusInActiveFrame()
{
    const HWND hGrid = m_pGridWnd->GetSafeHwnd();
    if (hGrid == nullptr)
        return FALSE;
    const HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || (hFocus != hGrid && !::IsChild(hGrid, hFocus)))
        return FALSE;
    return ::GetActiveWindow() == ::GetAncestor(hGrid, GA_ROOT);
}

BOOL CGXGridCore::SetCursorFromPoint(CPoint point)
{
    if (m_nCursorOverride != 0)
    {
        SetGridCursor(m_nCursorOverride, IDC_ARROW);
        return TRUE;
    }
    if (m_pParam == nullptr)
        return FALSE;
    // Where the grid shows none of its own cursors the default one shows: the window class has no
    // cursor, so nothing else would replace a resize cursor once the mouse left the border.
    if (m_pParam->IsCursorOnlyWhenFocused() && !HoldsFocusInActiveFrame())
    {
        SetGridCursor(0);
        return FALSE;
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    UINT nCursorId = 0;
    LPCTSTR pszSystemCursor = IDC_ARROW;
    switch (HitTest(point, &nRow, &nCol))
    {
    case 8:
        nCursorId = GX_IDC_HIDDENROW;
        break;
    case 7:
        nCursorId = GX_IDC_HIDDENCOL;
        break;
    case 6:
        nCursorId = GX_IDC_FILLHANDLE;
        break;
    case 5:
        nCursorId = GX_IDC_SELFRAME;
        break;
    case 2:
        if (m_pParam->IsRowResizeAllowed(3) && CanResizeRow(nRow))
        {
            nCursorId = GX_IDC_ROWRESIZE;
            pszSystemCursor = IDC_SIZENS;
        }
        break;
    case 1:
        if (m_pParam->IsColResizeAllowed(3) && CanResizeCol(nCol))
        {
            nCursorId = GX_IDC_COLRESIZE;
            pszSystemCursor = IDC_SIZEWE;
        }
        break;
    case 4:
    {
        // Over a selected block that can be dragged, the header leaves the cursor to the drag.
        auto isDraggable = [&](BOOL bRows) {
            if (m_pUserDragSelectRangeImp == nullptr)
                return FALSE;
            for (POSITION pos = m_pParam->m_SelRects.GetHeadPosition(); pos != nullptr;)
            {
                const CGXRange* pRange = m_pParam->m_SelRects.GetNext(pos);
                const BOOL bHolds = bRows ? (pRange->IsRows() || pRange->IsTable()) && pRange->top <= nRow &&
                                                nRow <= pRange->bottom
                                          : (pRange->IsCols() || pRange->IsTable()) && pRange->left <= nCol &&
                                                nCol <= pRange->right;
                if (bHolds)
                    return bRows ? CanDragSelectRows(pRange->top, pRange->bottom)
                                 : CanDragSelectCols(pRange->left, pRange->right);
            }
            return FALSE;
        };
        if (nRow == 0 && nCol > 0)
        {
            if (m_pParam->IsSelectionAllowed(2) && !isDraggable(FALSE))
                nCursorId = GX_IDC_SELECTCOL;
        }
        else if (nCol == 0 && nRow > 0)
        {
            if (m_pParam->IsSelectionAllowed(1) && !isDraggable(TRUE))
                nCursorId = GX_IDC_SELECTROW;
        }
        break;
    }
    default:
        break;
    }
    SetGridCursor(nCursorId, pszSystemCursor);
    return nCursorId != 0;
}

// ---- Device context ----

void CGXGridCore::PrepareGridDC(CDC* pDC, BOOL bForPrinting)
{
    if (pDC == nullptr)
        return;
    const SIZE extent = GXGetFontLogPixels();
    // A printer DC handed in without the flag still prints at paper size.
    if (bForPrinting || pDC->IsPrinting() || pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER)
    {
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(extent.cx, extent.cy);
        pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    }
    else if (m_pParam != nullptr && m_pParam->IsDisplayPrinterLayout())
    {
        CGXPrintDevice* pDevice = m_pParam->GetPrintDevice();
        HDC hPrinter = nullptr;
        if (pDevice != nullptr)
            hPrinter = pDevice->m_hPrintDC != nullptr ? pDevice->m_hPrintDC : pDevice->CreatePrinterDC();
        if (hPrinter != nullptr)
        {
            pDC->SetAttribDC(hPrinter);
            // Each handle maps an inch of extent units onto an inch of its own device: text is measured
            // on the printer and shown on the screen at its printed size.
            MapExtentInch(pDC->m_hAttribDC, extent);
            if (pDC->m_hDC != pDC->m_hAttribDC)
                MapExtentInch(pDC->m_hDC, extent);
        }
    }
    OnGridPrepareDC(pDC);
}

void CGXGridCore::OnGridPrepareDC(CDC*)
{
}

// ---- Zoom ----

int CGXGridCore::GetZoom()
{
    if (m_bPrinting || m_pParam == nullptr || m_pParam->IsDisplayPrinterLayout())
        return 100;
    return m_nZoom > 0 ? m_nZoom : 100;
}

BOOL CGXGridCore::SetZoom(int nZoom, BOOL bCreateHint)
{
    m_nZoom = nZoom > 0 ? nZoom : 100;
    if (CGXProperties* pProperties = GetProperties())
        pProperties->SetZoom(m_nZoom);
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintStoreZoom(this, m_nZoom);
    return TRUE;
}

void CGXGridCore::OnZoomChanged(int nOldZoom, UINT nFlags, BOOL bCreateHint)
{
    // Fonts of the old zoom are made again at the next paint.
    if (m_nPaintDepth == 0)
        FlushDrawingCaches();
    UpdateSizeUnits();
    DelayFloatCells(CGXRange().SetTable());
    if (!IsLockUpdate() && nOldZoom != GetZoom())
        RedrawGrid(nFlags, FALSE);
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintZoom(this, GetZoom(), nFlags);
}

void CGXGridCore::SetZoomAndRedraw(int nZoom, UINT nFlags)
{
    const int nOld = GetZoom();
    SetZoom(nZoom, TRUE);
    OnZoomChanged(nOld, nFlags, TRUE);
}
