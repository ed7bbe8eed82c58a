#include "grid/features/GridUserResizeCellsImp.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/features/GridDragLineWnd.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

HWND GridHwnd(CGXGridCore* pGrid)
{
    return pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

WORD ResizeFlags(CGXGridCore* pGrid, BOOL bCols)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    return bCols ? pParam->m_wAllowTrackColWidth : pParam->m_wAllowTrackRowHeight;
}

int SizeOf(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex)
{
    return bCols ? pGrid->GetColWidth(nIndex) : pGrid->GetRowHeight(nIndex);
}

CGXMapDWordToLong& StoredSizes(CGXGridCore* pGrid, BOOL bCols)
{
    CGXGridParam* pParam = pGrid->GetParam();
    return bCols ? pParam->m_ColWidths : pParam->m_RowHeights;
}

void StoreSize(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex, int nSize)
{
    if (bCols)
        pGrid->StoreColWidth(nIndex, nSize);
    else
        pGrid->StoreRowHeight(nIndex, nSize);
}

BOOL IsHidden(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex)
{
    return bCols ? pGrid->IsColHidden(nIndex) : pGrid->IsRowHidden(nIndex);
}

void StoreHidden(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex, BOOL bHide)
{
    if (bCols)
        pGrid->StoreHideCol(nIndex, bHide);
    else
        pGrid->StoreHideRow(nIndex, bHide);
}

BOOL CanResize(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex)
{
    return bCols ? pGrid->CanResizeCol(nIndex) : pGrid->CanResizeRow(nIndex);
}

int LinePos(const CRect& rect, BOOL bCols)
{
    return bCols ? rect.left : rect.top;
}

void InvertLine(CGXGridCore* pGrid, const CRect& rect)
{
    if (CDC* pDC = pGrid->GetGridDC())
        ::InvertRect(pDC->GetSafeHdc(), &rect);
}

// The header band whose preview shows the size under the pointer: the column-header rows from the
// tracked column to the grid's right edge, or the row-header columns from the tracked row down.
void InvalidateHeaderBand(CGXGridCore* pGrid, const CGXResizeTrackState& track)
{
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    CRect cell;
    pGrid->CalcRangeRect(cell, track.nRow, track.nCol, track.nRow, track.nCol, TRUE);
    CRect band = pGrid->GetGridRect();
    if (bCols)
    {
        band.left = cell.left;
        band.bottom = band.top + pGrid->CalcSumOfRowHeights(0, pGrid->GetHeaderRows());
    }
    else
    {
        band.top = cell.top;
        band.right = band.left + pGrid->CalcSumOfColWidths(0, pGrid->GetHeaderCols());
    }
    pGrid->InvalidateRect(band);
}

void RedrawHeaderCell(CGXGridCore* pGrid, const CGXResizeTrackState& track)
{
    pGrid->RedrawRowCol(track.nMode == GX_TRACKWIDTH ? 0 : track.nRow, track.nMode == GX_TRACKWIDTH ? track.nCol : 0,
                        GX_INVALIDATE);
}

// Gives the tracked line back what it stored at the start: its own size (or none) and its hidden
// flag. A hidden line keeps the size it will show again when it is unhidden.
void RestoreStartSize(CGXGridCore* pGrid, const CGXResizeTrackState& track)
{
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    const ROWCOL nIndex = bCols ? track.nCol : track.nRow;
    if (track.bOwnSize)
        StoredSizes(pGrid, bCols).SetAt(nIndex, track.nStoredSize);
    else
        StoredSizes(pGrid, bCols).RemoveKey(nIndex);
    if (track.bHidden && !IsHidden(pGrid, bCols, nIndex))
        StoreHidden(pGrid, bCols, nIndex, TRUE);
}

// A size stored for the moment, without undo: shown first when it is positive.
void StoreTemporarySize(CGXGridCore* pGrid, const CGXResizeTrackState& track, int nSize)
{
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    const ROWCOL nIndex = bCols ? track.nCol : track.nRow;
    if (nSize > 0 && IsHidden(pGrid, bCols, nIndex))
        StoreHidden(pGrid, bCols, nIndex, FALSE);
    StoreSize(pGrid, bCols, nIndex, std::max(nSize, 0));
}

void DestroyLineWnd(CGXGridCore* pGrid)
{
    delete pGrid->m_pLineWnd;
    pGrid->m_pLineWnd = nullptr;
}

// Every selected run of whole columns (rows), from the last run to the first, the first index at
// least 1.
template <class Step>
void ForSelectedRunsBackwards(CGXGridCore* pGrid, BOOL bCols, Step step)
{
    CDWordArray starts;
    CDWordArray ends;
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    if (bCols)
        selection.GetColArray(pGrid->GetColCount(), starts, ends, TRUE);
    else
        selection.GetRowArray(pGrid->GetRowCount(), starts, ends, TRUE);
    for (INT_PTR i = starts.GetSize() - 1; i >= 0; --i)
        step(std::max<ROWCOL>(starts[i], 1), ends[i]);
}

BOOL IsHeaderSelected(CGXGridCore* pGrid, BOOL bCols, ROWCOL nIndex)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    return bCols ? selection.IsCellInList(0, nIndex) : selection.IsCellInList(nIndex, 0);
}

BOOL IsTableSelectedFirst(CGXGridCore* pGrid)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    return !selection.IsEmpty() && selection.GetHead()->IsTable();
}

BOOL SetSizes(CGXGridCore* pGrid, BOOL bCols, ROWCOL nFrom, ROWCOL nTo, int nSize)
{
    return bCols ? pGrid->SetColWidth(nFrom, nTo, nSize) : pGrid->SetRowHeight(nFrom, nTo, nSize);
}

BOOL Hide(CGXGridCore* pGrid, BOOL bCols, ROWCOL nFrom, ROWCOL nTo, BOOL bHide)
{
    return bCols ? pGrid->HideCols(nFrom, nTo, bHide) : pGrid->HideRows(nFrom, nTo, bHide);
}

BOOL ChangeDefault(CGXGridCore* pGrid, BOOL bCols, int nSize)
{
    return bCols ? pGrid->ChangeDefaultColWidth(nSize) : pGrid->ChangeDefaultRowHeight(nSize);
}

} // namespace

// ---- Mouse ----

BOOL CGXGridUserResizeCellsImp::OnLButtonDown(CGXGridCore* pGrid, CPoint, UINT, int nHit, ROWCOL nRow,
                                              ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    BOOL bStarted = FALSE;
    if ((nHit == GX_VERTLINE || nHit == 7) && pParam->IsColResizeAllowed(0x03))
        bStarted = pGrid->StartResizeTracking(0, nCol, GX_TRACKWIDTH);
    else if ((nHit == GX_HORZLINE || nHit == 8) && pParam->IsRowResizeAllowed(0x03))
        bStarted = pGrid->StartResizeTracking(nRow, 0, GX_TRACKHEIGHT);
    else
        return FALSE;
    HWND hWnd = GridHwnd(pGrid);
    if (bStarted && hWnd != nullptr && ::GetCapture() != hWnd)
        ::SetCapture(hWnd);
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT)
{
    if (!pGrid->m_bResizeTracking)
        return FALSE;
    const CGXResizeTrackState& track = pGrid->m_resizeTrack;
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    const int nSize = bCols ? point.x - track.rectFixed.left : point.y - track.rectFixed.top;
    pGrid->MoveResizeTracking(track.nRow, track.nCol, track.nMode, nSize);
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT)
{
    if (!pGrid->m_bResizeTracking)
        return FALSE;
    const CGXResizeTrackState track = pGrid->m_resizeTrack;
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    const int nSize = bCols ? point.x - track.rectFixed.left : point.y - track.rectFixed.top;
    pGrid->EndResizeTracking(track.nRow, track.nCol, track.nMode, nSize);
    HWND hWnd = GridHwnd(pGrid);
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::OnLButtonDblClk(CGXGridCore* pGrid, CPoint, UINT, int nHit, ROWCOL nRow,
                                                ROWCOL nCol)
{
    const BOOL bCols = nHit == GX_VERTLINE || nHit == 7;
    if (!bCols && nHit != GX_HORZLINE && nHit != 8)
        return FALSE;
    const ROWCOL nIndex = bCols ? nCol : nRow;
    const WORD wFlags = ResizeFlags(pGrid, bCols);
    if ((wFlags & 0x03) == 0 || !CanResize(pGrid, bCols, nIndex))
        return FALSE;
    // With one size for all lines only the header line has a double click.
    if ((wFlags & 0x01) != 0 && nIndex != 0)
        return TRUE;

    BOOL bNextHidden = IsHidden(pGrid, bCols, nIndex + 1);
    if (!bCols && bNextHidden)
        bNextHidden = CanResize(pGrid, bCols, nIndex + 1);
    if (!IsHidden(pGrid, bCols, nIndex) && !bNextHidden)
    {
        if (IsHeaderSelected(pGrid, bCols, nIndex))
        {
            if (IsTableSelectedFirst(pGrid))
                return TRUE;
            ForSelectedRunsBackwards(pGrid, bCols, [&](ROWCOL nFrom, ROWCOL nTo) {
                if (IsHidden(pGrid, bCols, nFrom))
                    Hide(pGrid, bCols, nFrom, nTo, FALSE);
                else
                    SetSizes(pGrid, bCols, nFrom, nTo, -1);
            });
        }
        else
            SetSizes(pGrid, bCols, nIndex, nIndex, -1);
        return TRUE;
    }

    // The run of hidden lines beside the line comes back with it.
    ROWCOL nFrom = nIndex;
    ROWCOL nTo = nIndex;
    while (nFrom > 1 && IsHidden(pGrid, bCols, nFrom - 1) && CanResize(pGrid, bCols, nFrom - 1))
        --nFrom;
    const ROWCOL nCount = bCols ? pGrid->GetColCount() : pGrid->GetRowCount();
    while (nTo < nCount && IsHidden(pGrid, bCols, nTo + 1) && CanResize(pGrid, bCols, nTo + 1))
        ++nTo;
    Hide(pGrid, bCols, nFrom, nTo, FALSE);
    return TRUE;
}

// ---- Tracking ----

BOOL CGXGridUserResizeCellsImp::StartResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const BOOL bCols = nMode == GX_TRACKWIDTH;
    const ROWCOL nIndex = bCols ? nCol : nRow;
    const WORD wFlags = ResizeFlags(pGrid, bCols);
    if ((wFlags & 0x08) != 0 && nIndex <= (bCols ? pGrid->GetHeaderCols() : pGrid->GetHeaderRows()))
        return FALSE;
    if (!CanResize(pGrid, bCols, nIndex) || !pGrid->OnStartTracking(nRow, nCol, nMode))
        return FALSE;
    if (bCols)
        nRow = 0;
    else
        nCol = 0;

    CRect cell;
    pGrid->CalcRangeRect(cell, nRow, nCol, nRow, nCol, TRUE);
    if (pParam->m_bTrackLineOffset)
        cell.OffsetRect(-1, -1);
    const CRect grid = pGrid->GetGridRect();
    CGXResizeTrackState& track = pGrid->m_resizeTrack;
    track = CGXResizeTrackState();
    track.nMode = nMode;
    track.nRow = nRow;
    track.nCol = nCol;

    const CGXProperties* pProperties = pGrid->GetProperties();
    track.bLive = (wFlags & 0x100) != 0;
    track.bPreview = !track.bLive && (wFlags & 0x80) != 0;
    track.bLineWnd = !track.bLive && (wFlags & 0x20) == 0 && pProperties != nullptr &&
                     (bCols ? pProperties->GetDisplayVertLines() : pProperties->GetDisplayHorzLines());
    track.bInvertLine = !track.bLive && (wFlags & 0x40) == 0;
    track.bHeaderRedraw = !track.bLive && (wFlags & 0x10) == 0;
    track.nStartSize = SizeOf(pGrid, bCols, nIndex);
    track.bOwnSize = StoredSizes(pGrid, bCols).Lookup(nIndex, track.nStoredSize);
    track.bHidden = IsHidden(pGrid, bCols, nIndex);

    // The lines reach to the end of the last visible row (column), or of the grid when that is nearer.
    if (bCols)
    {
        CRect last;
        const ROWCOL nLastRow = std::min(pGrid->GetLastVisibleRow(), pGrid->GetRowCount());
        pGrid->CalcRangeRect(last, nLastRow, 0, nLastRow, 0, TRUE);
        const int nTop = grid.top + (track.bPreview ? pGrid->CalcSumOfRowHeights(0, pGrid->GetHeaderRows()) : 0);
        const int nBottom = std::min(last.bottom, grid.bottom);
        track.rectFixed.SetRect(cell.left, nTop, cell.left + 1, nBottom);
        track.rectTracked.SetRect(cell.right, nTop, cell.right + 1, nBottom);
    }
    else
    {
        CRect last;
        const ROWCOL nLastCol = std::min(pGrid->GetLastVisibleCol(), pGrid->GetColCount());
        pGrid->CalcRangeRect(last, 0, nLastCol, 0, nLastCol, TRUE);
        const int nLeft = grid.left + (track.bPreview ? pGrid->CalcSumOfColWidths(0, pGrid->GetHeaderCols()) : 0);
        const int nRight = std::min(last.right, grid.right);
        track.rectFixed.SetRect(nLeft, cell.top, nRight, cell.top + 1);
        track.rectTracked.SetRect(nLeft, cell.bottom, nRight, cell.bottom + 1);
    }

    if (track.bLineWnd)
    {
        // The line window marks the starting line while the inverted one moves.
        if (pGrid->m_pLineWnd == nullptr)
        {
            auto* pLine = new (std::nothrow) CGXDragLineWnd(pGrid);
            if (pLine != nullptr && pLine->CreateLine(pGrid->GridWnd()))
            {
                pLine->m_pen.SetColor(pGrid->GetPropertyColor(2));
                pGrid->m_pLineWnd = pLine;
            }
            else
                delete pLine;
        }
        if (pGrid->m_pLineWnd != nullptr)
        {
            const CRect& line = track.rectTracked;
            pGrid->m_pLineWnd->SetWindowPos(nullptr, line.left, line.top, line.Width(), line.Height(),
                                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            pGrid->m_pLineWnd->UpdateWindow();
        }
    }

    track.bMoved = FALSE;
    track.rectLast = track.rectTracked;
    pGrid->m_bResizeTracking = TRUE;
    if (track.bHeaderRedraw)
        RedrawHeaderCell(pGrid, track);
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::MoveResizeTracking(CGXGridCore* pGrid, ROWCOL, ROWCOL, int, int nSize)
{
    if (!pGrid->m_bResizeTracking)
        return FALSE;
    CGXResizeTrackState& track = pGrid->m_resizeTrack;
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    track.bMoved = TRUE;
    CGXGridParam* pParam = pGrid->GetParam();
    nSize = std::max(nSize, bCols ? pParam->m_nMinTrackColWidth : pParam->m_nMinTrackRowHeight);
    if (!(bCols ? pGrid->OnTrackColWidth(track.nCol, nSize) : pGrid->OnTrackRowHeight(track.nRow, nSize)))
        return FALSE;

    // Never before the fixed line; near the grid's far edge the line stays where it started.
    const CRect grid = pGrid->GetGridRect();
    const int nFixed = LinePos(track.rectFixed, bCols);
    const int nFar = bCols ? grid.right : grid.bottom;
    const int nFrame = bCols ? pGrid->GetFrameCx() : pGrid->GetFrameCy();
    int nPos = std::max(nFixed + nSize, nFixed);
    if (nPos >= nFar - (nFrame + 1))
        nPos = LinePos(track.rectTracked, bCols);
    CRect line = track.rectTracked;
    if (bCols)
        line.OffsetRect(nPos - line.left, 0);
    else
        line.OffsetRect(0, nPos - line.top);

    if (line != track.rectLast && track.bInvertLine)
    {
        if (track.rectLast != track.rectTracked)
            InvertLine(pGrid, track.rectLast);
        if (line != track.rectTracked)
            InvertLine(pGrid, line);
    }
    track.rectLast = line;

    const int nShownSize = track.nStartSize + (nPos - LinePos(track.rectTracked, bCols));
    if (track.bLive)
    {
        const BOOL bOldLock = pGrid->SetLockUpdate(TRUE);
        CDWordArray oldSizes;
        oldSizes.Add(static_cast<DWORD>(SizeOf(pGrid, bCols, bCols ? track.nCol : track.nRow)));
        StoreTemporarySize(pGrid, track, nShownSize);
        pGrid->SetLockUpdate(bOldLock);
        if (bCols)
            pGrid->UpdateChangedColWidths(track.nCol, track.nCol, &oldSizes, GX_UPDATENOW, FALSE);
        else
            pGrid->UpdateChangedRowHeights(track.nRow, track.nRow, &oldSizes, GX_UPDATENOW, FALSE);
    }
    else if (track.bPreview)
    {
        StoreTemporarySize(pGrid, track, nShownSize);
        InvalidateHeaderBand(pGrid, track);
        if (HWND hWnd = GridHwnd(pGrid))
            ::UpdateWindow(hWnd);
        RestoreStartSize(pGrid, track);
    }
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::CancelResizeTracking(CGXGridCore* pGrid)
{
    if (!pGrid->m_bResizeTracking)
        return FALSE;
    CGXResizeTrackState& track = pGrid->m_resizeTrack;
    pGrid->m_bResizeTracking = FALSE;
    DestroyLineWnd(pGrid);
    if (track.bInvertLine && track.rectLast != track.rectTracked)
        InvertLine(pGrid, track.rectLast);
    if (track.bLive)
    {
        RestoreStartSize(pGrid, track);
        pGrid->RedrawGrid(GX_INVALIDATE, FALSE);
    }
    else if (track.bPreview)
    {
        RestoreStartSize(pGrid, track);
        InvalidateHeaderBand(pGrid, track);
    }
    else if (track.bHeaderRedraw)
        RedrawHeaderCell(pGrid, track);
    return TRUE;
}

BOOL CGXGridUserResizeCellsImp::EndResizeTracking(CGXGridCore* pGrid, ROWCOL, ROWCOL, int, int nSize)
{
    if (!pGrid->m_bResizeTracking)
        return FALSE;
    CGXResizeTrackState& track = pGrid->m_resizeTrack;
    const BOOL bCols = track.nMode == GX_TRACKWIDTH;
    const ROWCOL nIndex = bCols ? track.nCol : track.nRow;
    if (track.bMoved)
        pGrid->MoveResizeTracking(track.nRow, track.nCol, track.nMode, nSize);
    DestroyLineWnd(pGrid);
    CGXGridParam* pParam = pGrid->GetParam();
    nSize = std::max(nSize, bCols ? pParam->m_nMinTrackColWidth : pParam->m_nMinTrackRowHeight);
    pGrid->m_bResizeTracking = FALSE;
    if (track.bInvertLine && track.rectLast != track.rectTracked)
        InvertLine(pGrid, track.rectLast);
    if (track.bLive)
        RestoreStartSize(pGrid, track);
    else if (track.bPreview)
    {
        RestoreStartSize(pGrid, track);
        InvalidateHeaderBand(pGrid, track);
    }

    const int nMoved = LinePos(track.rectLast, bCols) - LinePos(track.rectTracked, bCols);
    if (!pGrid->OnEndTracking(track.nRow, track.nCol, track.nMode, nSize) || std::abs(nMoved) < 2 || !track.bMoved)
    {
        RedrawHeaderCell(pGrid, track);
        return TRUE;
    }

    const BOOL bOldLock = track.bLive ? pGrid->SetLockUpdate(TRUE) : FALSE;
    const int nNewSize = SizeOf(pGrid, bCols, nIndex) + nMoved;
    if ((ResizeFlags(pGrid, bCols) & 0x01) != 0 && nIndex != 0)
        ChangeDefault(pGrid, bCols, nNewSize);
    else if (IsHeaderSelected(pGrid, bCols, nIndex))
    {
        if (IsTableSelectedFirst(pGrid))
            ChangeDefault(pGrid, bCols, nNewSize);
        else
            ForSelectedRunsBackwards(pGrid, bCols, [&](ROWCOL nFrom, ROWCOL nTo) {
                if (nNewSize < 1)
                    Hide(pGrid, bCols, nFrom, nTo, TRUE);
                else
                    SetSizes(pGrid, bCols, nFrom, nTo, nNewSize);
            });
    }
    else if (nNewSize < 1)
        Hide(pGrid, bCols, nIndex, nIndex, TRUE);
    else
    {
        if (IsHidden(pGrid, bCols, nIndex))
        {
            if (bCols && pGrid->GetMergeCellsMode() != 0)
            {
                StoreSize(pGrid, bCols, nIndex, -1);
                Hide(pGrid, bCols, nIndex, nIndex, FALSE);
            }
            else
            {
                StoreHidden(pGrid, bCols, nIndex, FALSE);
                StoreSize(pGrid, bCols, nIndex, -1);
            }
        }
        SetSizes(pGrid, bCols, nIndex, nIndex, nNewSize);
    }

    HWND hWnd = GridHwnd(pGrid);
    if (hWnd != nullptr)
        ::UpdateWindow(hWnd);
    if (bCols)
        pGrid->ScrollCellInView(pGrid->GetTopRow(), nIndex);
    else
        pGrid->ScrollCellInView(nIndex, pGrid->GetLeftCol());
    pGrid->UpdateScrollbars(FALSE);
    if (track.bLive)
        pGrid->SetLockUpdate(bOldLock);
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (hWnd != nullptr && ::GetFocus() == hWnd && pControl != nullptr && pControl->IsActive())
        pControl->Refresh();
    pGrid->UpdateScrollbars(TRUE);
    return TRUE;
}

// ---- Installation ----

void CGXGridCore::InstallUserResizeCells()
{
    if (m_pUserResizeCellsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridUserResizeCellsImp;
    if (pImp == nullptr)
        return;
    m_pUserResizeCellsImp = pImp;
    AddImplementationObject(pImp);
}
