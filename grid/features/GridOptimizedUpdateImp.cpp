#include "grid/features/GridOptimizedUpdateImp.h"

#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"

#include <algorithm>
#include <new>

namespace
{
BOOL Repaints(UINT nFlags)
{
    return nFlags == 0 || (nFlags & (2 | 4)) != 0;
}

BOOL UpdatesAtOnce(UINT nFlags)
{
    return nFlags == 0 || (nFlags & 2) != 0;
}

// One direction of the grid: rows (heights, the top row, vertical positions) or columns (widths, the
// left column, horizontal positions). The algorithms are written once for both.
class Axis
{
public:
    Axis(CGXGridCore* pGrid, BOOL bRows) : m_pGrid(pGrid), m_bRows(bRows), m_rectGrid(pGrid->GetGridRect()) {}

    ROWCOL Count() const { return m_bRows ? m_pGrid->GetRowCount() : m_pGrid->GetColCount(); }
    ROWCOL First() const { return m_bRows ? m_pGrid->GetTopRow() : m_pGrid->GetLeftCol(); }
    ROWCOL Frozen() const { return m_bRows ? m_pGrid->GetFrozenRows() : m_pGrid->GetFrozenCols(); }
    ROWCOL Headers() const { return m_bRows ? m_pGrid->GetHeaderRows() : m_pGrid->GetHeaderCols(); }
    BOOL IsFrozen(ROWCOL n) const { return m_bRows ? m_pGrid->IsFrozenRow(n) : m_pGrid->IsFrozenCol(n); }
    // Moves the first scrolled line without a redraw or hint of its own.
    void SetFirst(ROWCOL n) const
    {
        if (m_bRows)
            m_pGrid->SetTopRow(n, 0, FALSE, FALSE);
        else
            m_pGrid->SetLeftCol(n, 0, FALSE, FALSE);
    }
    int Size(ROWCOL n) const { return m_bRows ? m_pGrid->GetRowHeight(n) : m_pGrid->GetColWidth(n); }
    int Sum(ROWCOL nFrom, ROWCOL nTo, int nLimit) const
    {
        return m_bRows ? m_pGrid->CalcSumOfRowHeights(nFrom, nTo, nLimit)
                       : m_pGrid->CalcSumOfColWidths(nFrom, nTo, nLimit);
    }
    ROWCOL LastVisible(BOOL* pbEndReached) const
    {
        return m_bRows ? m_pGrid->GetLastVisibleRow(pbEndReached) : m_pGrid->GetLastVisibleCol(pbEndReached);
    }
    int Start() const { return m_bRows ? m_rectGrid.top : m_rectGrid.left; }
    int End() const { return m_bRows ? m_rectGrid.bottom : m_rectGrid.right; }
    int Extent() const { return End() - Start(); }
    // Where a shown line starts on screen.
    int PosOf(ROWCOL n) const
    {
        return m_bRows ? m_pGrid->GetClientRowTop(m_pGrid->RowToClientRow(n))
                       : m_pGrid->GetClientColLeft(m_pGrid->ColToClientCol(n));
    }
    // Where the first scrolled line starts, below the header and the frozen lines.
    int ScrolledStart() const
    {
        return m_bRows ? m_pGrid->GetClientRowTop(Frozen() + 1) : m_pGrid->GetClientColLeft(Frozen() + 1);
    }
    // Where the line that covers a position starts (the position itself past the last line).
    int LineStartAt(int nPos) const
    {
        int nStart = nPos;
        const CPoint point = m_bRows ? CPoint(m_rectGrid.left, nPos) : CPoint(nPos, m_rectGrid.top);
        const ROWCOL nClient = m_bRows ? m_pGrid->CalcClientRowFromPt(point, &nStart)
                                       : m_pGrid->CalcClientColFromPt(point, &nStart);
        return nClient == GX_INVALID ? nPos : std::min(nStart, nPos);
    }
    // The part of the grid between two positions, across the whole grid.
    CRect Strip(int nFrom, int nTo) const
    {
        nFrom = std::max(nFrom, Start());
        nTo = std::min(nTo, End());
        return m_bRows ? CRect(m_rectGrid.left, nFrom, m_rectGrid.right, nTo)
                       : CRect(nFrom, m_rectGrid.top, nTo, m_rectGrid.bottom);
    }
    void Invalidate(int nFrom, int nTo) const
    {
        const CRect rect = Strip(nFrom, nTo);
        if (!rect.IsRectEmpty())
            m_pGrid->InvalidateRect(rect);
    }
    void InvalidateAll() const { m_pGrid->InvalidateRect(m_rectGrid); }
    // Moves what lies between two positions by nDelta; what opens up is invalidated.
    void Move(int nFrom, int nTo, int nDelta) const
    {
        HWND hWnd = m_pGrid->GridWnd() != nullptr ? m_pGrid->GridWnd()->GetSafeHwnd() : nullptr;
        const CRect rect = Strip(nFrom, nTo);
        if (hWnd == nullptr || rect.IsRectEmpty() || nDelta == 0)
            return;
        ::ScrollWindowEx(hWnd, m_bRows ? 0 : nDelta, m_bRows ? nDelta : 0, &rect, &rect, nullptr, nullptr,
                         SW_SCROLLCHILDREN | SW_INVALIDATE);
    }
    BOOL Numbered() const
    {
        const CGXGridParam* pParam = m_pGrid->GetParam();
        return m_bRows ? pParam->m_bNumberedRowHeaders : pParam->m_bNumberedColHeaders;
    }
    // The header cells of lines nFrom..nTo.
    void RedrawHeaders(ROWCOL nFrom, ROWCOL nTo) const
    {
        if (nFrom > nTo)
            return;
        if (m_bRows)
            m_pGrid->RedrawCellRange(nFrom, 0, nTo, 0, GX_INVALIDATE, FALSE);
        else
            m_pGrid->RedrawCellRange(0, nFrom, 0, nTo, GX_INVALIDATE, FALSE);
    }
    // The covered ranges for which pick answers TRUE (their span redrawn).
    template <class Pick>
    void RedrawCovered(Pick pick) const
    {
        CGXRangeList& covered = m_pGrid->GetParam()->m_CoveredCellsList;
        for (POSITION pos = covered.GetHeadPosition(); pos != nullptr;)
        {
            const CGXRange* pRange = covered.GetNext(pos);
            if (pRange == nullptr || !pRange->IsValid())
                continue;
            const ROWCOL nLow = m_bRows ? pRange->top : pRange->left;
            const ROWCOL nHigh = m_bRows ? pRange->bottom : pRange->right;
            if (pick(nLow, nHigh))
                m_pGrid->RedrawCellRange(pRange->top, pRange->left, pRange->bottom, pRange->right, GX_INVALIDATE,
                                         FALSE);
        }
    }
    BOOL TouchesCovered(ROWCOL nFrom, ROWCOL nTo) const
    {
        BOOL bTouches = FALSE;
        CGXRangeList& covered = m_pGrid->GetParam()->m_CoveredCellsList;
        for (POSITION pos = covered.GetHeadPosition(); pos != nullptr && !bTouches;)
        {
            const CGXRange* pRange = covered.GetNext(pos);
            if (pRange != nullptr && pRange->IsValid())
                bTouches = (m_bRows ? pRange->top : pRange->left) <= nTo &&
                           (m_bRows ? pRange->bottom : pRange->right) >= nFrom;
        }
        return bTouches;
    }
    void UpdateNow() const
    {
        if (HWND hWnd = m_pGrid->GridWnd() != nullptr ? m_pGrid->GridWnd()->GetSafeHwnd() : nullptr)
            ::UpdateWindow(hWnd);
    }

private:
    CGXGridCore* m_pGrid;
    BOOL m_bRows;
    CRect m_rectGrid;
};

BOOL HasSpanModes(CGXGridCore* pGrid)
{
    return pGrid->GetFloatCellsMode() != 0 || pGrid->GetMergeCellsMode() != 0;
}

void Insert(CGXGridCore* pGrid, BOOL bRows, ROWCOL nAt, ROWCOL nCount, UINT nFlags)
{
    const Axis axis(pGrid, bRows);
    if (nCount == 0 || axis.IsFrozen(nAt) || HasSpanModes(pGrid))
    {
        pGrid->RedrawGrid(nFlags, FALSE);
        return;
    }
    const ROWCOL nFirst = axis.First();
    if (nAt < nFirst)
    {
        // Above the visible part: the same data stays on screen.
        axis.SetFirst(nFirst + nCount);
    }
    else if (nAt <= axis.LastVisible(nullptr))
    {
        const int nPos = axis.PosOf(nAt);
        const int nInserted = axis.Sum(nAt, nAt + nCount - 1, axis.Extent());
        const BOOL bFollowed = nCount < axis.Count() - nAt + 1;
        if ((nFlags & 1) == 0 && Repaints(nFlags) && bFollowed && nInserted < axis.End() - nPos)
        {
            axis.Move(nPos, axis.End(), nInserted);
            axis.Invalidate(nPos, nPos + nInserted);
            const ROWCOL nLast = nAt + nCount - 1;
            axis.RedrawCovered([&](ROWCOL nLow, ROWCOL nHigh) { return nLow <= nLast && nHigh >= nAt; });
        }
        else
            axis.Invalidate(nPos, axis.End());
    }
    if (axis.Numbered())
        axis.RedrawHeaders(nAt + nCount, axis.Count());
    if (UpdatesAtOnce(nFlags))
        axis.UpdateNow();
}

void Remove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, const CDWordArray* pOldSizes, UINT nFlags)
{
    const Axis axis(pGrid, bRows);
    if (nFlags == 1 || axis.IsFrozen(nFrom) || HasSpanModes(pGrid))
    {
        pGrid->RedrawGrid(nFlags, FALSE);
        return;
    }
    const ROWCOL nRemoved = nTo - nFrom + 1;
    const ROWCOL nCount = axis.Count();
    const ROWCOL nOldFirst = axis.First();
    const BOOL bAnyBit = nFlags == 0 || (nFlags & 7) != 0;
    BOOL bEndReached = FALSE;
    if (nCount == 0)
    {
        axis.SetFirst(1);
        if (bAnyBit)
            axis.InvalidateAll();
    }
    else if (nOldFirst > nCount)
    {
        axis.SetFirst(nCount);
        if (bAnyBit)
            axis.InvalidateAll();
    }
    else if (nTo < nOldFirst)
    {
        // Wholly above the visible part: the same data stays on screen.
        axis.SetFirst(nOldFirst - nRemoved);
    }
    else if (const ROWCOL nLast = axis.LastVisible(&bEndReached); nFrom > nLast)
    {
        // Below the last shown line: only the space the removed lines left after the end.
        if (bEndReached && bAnyBit)
            axis.Invalidate(axis.PosOf(nLast) + axis.Size(nLast), axis.End());
    }
    else
    {
        int nMovingStart = 0;
        ROWCOL nFirstShown = nFrom;
        if (nFrom < nOldFirst)
        {
            // The removal took the first scrolled line: the view starts where the removal did.
            axis.SetFirst(std::max<ROWCOL>(nFrom, 1));
            nMovingStart = axis.ScrolledStart();
            nFirstShown = nOldFirst;
        }
        else
            nMovingStart = axis.PosOf(nFrom);
        const int nMoving = axis.End() - nMovingStart;
        int nGone = 0;
        BOOL bSummed = FALSE;
        if ((nFlags & 1) == 0 && pOldSizes != nullptr && pOldSizes->GetSize() >= static_cast<INT_PTR>(nRemoved))
        {
            bSummed = TRUE;
            for (ROWCOL n = nFirstShown; n <= nTo && nGone < nMoving; ++n)
                nGone += static_cast<int>(pOldSizes->GetAt(static_cast<INT_PTR>(n - nFrom)));
        }
        if (bSummed && nGone <= nMoving)
        {
            if (Repaints(nFlags))
            {
                axis.Move(nMovingStart, axis.End(), -nGone);
                // The line that now reaches into the opened strip is painted whole.
                axis.Invalidate(axis.LineStartAt(axis.End() - nGone), axis.End());
            }
        }
        else
            axis.Invalidate(nMovingStart, axis.End());
    }
    // Covered ranges that reached into the removed lines end above them now.
    axis.RedrawCovered([&](ROWCOL nLow, ROWCOL nHigh) { return nLow < nFrom && nHigh + 1 >= nFrom; });
    if (UpdatesAtOnce(nFlags))
        axis.UpdateNow();
    if (axis.Numbered())
        axis.RedrawHeaders(nFrom, nCount);
}

void ChangeSizes(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, const CDWordArray* pOldSizes, UINT nFlags)
{
    const Axis axis(pGrid, bRows);
    if (nTo == 0)
        nTo = nFrom;
    if (nTo < nFrom)
        return;
    if (HasSpanModes(pGrid) || axis.TouchesCovered(nFrom, nTo))
    {
        pGrid->RedrawGrid(nFlags, FALSE);
        return;
    }
    // Lower (right) panes of a splitter do not show the header lines.
    const int nPane = bRows ? pGrid->m_nPaneRow : pGrid->m_nPaneCol;
    if (pGrid->GetSplitterWnd() != nullptr && nPane > 0 && !pGrid->IsPrinting() && nTo <= axis.Headers())
        return;
    const ROWCOL nFrozen = axis.Frozen();
    const ROWCOL nFirst = axis.First();
    const ROWCOL nLast = axis.LastVisible(nullptr);
    if ((nFrom > nFrozen && nTo < nFirst) || nFrom > nLast)
        return;

    // The current cell's window is placed again by its next paint.
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (pGrid->IsActiveCurrentCell() && pGrid->GetCurrentCell(nCurRow, nCurCol))
    {
        const ROWCOL nCurrent = bRows ? nCurRow : nCurCol;
        if (nCurrent >= nFrom && nCurrent <= nTo)
            pGrid->GetCurrentCellControl()->Hide();
    }

    // The changed lines that show: scrolled-out ones take no room on screen.
    const ROWCOL nShownFrom = nFrom > nFrozen && nFrom < nFirst ? nFirst : nFrom;
    const int nPos = axis.PosOf(nShownFrom);
    const BOOL bAcrossFrozen = nShownFrom <= nFrozen && nTo > nFrozen;
    if ((nFlags & 1) == 0 && pOldSizes != nullptr && !bAcrossFrozen &&
        pOldSizes->GetSize() >= static_cast<INT_PTR>(nTo - nFrom + 1))
    {
        int nOldSum = 0;
        int nNewSum = 0;
        for (ROWCOL n = nShownFrom; n <= nTo && (nPos + nOldSum < axis.End() || nPos + nNewSum < axis.End()); ++n)
        {
            nOldSum += static_cast<int>(pOldSizes->GetAt(static_cast<INT_PTR>(n - nFrom)));
            nNewSum += axis.Size(n);
        }
        if (nPos + nOldSum < axis.End() && nPos + nNewSum < axis.End())
        {
            // What follows the changed lines only moves.
            axis.Move(nPos + nOldSum, axis.End(), nNewSum - nOldSum);
            if (Repaints(nFlags) && nNewSum < nOldSum)
                axis.Invalidate(axis.End() - (nOldSum - nNewSum), axis.End());
            axis.Invalidate(nPos, nPos + std::max(nOldSum, nNewSum));
        }
        else
            axis.Invalidate(nPos, axis.End());
    }
    else
        axis.Invalidate(nPos, axis.End());
    if (UpdatesAtOnce(nFlags))
    {
        axis.UpdateNow();
        pGrid->UpdateScrollbars();
    }
}
} // namespace

void CGXGridOptimizedUpdateImp::OnRowHeightsChanged(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                                    const CDWordArray* pOldHeights, UINT nFlags)
{
    ChangeSizes(pGrid, TRUE, nFromRow, nToRow, pOldHeights, nFlags);
}

void CGXGridOptimizedUpdateImp::OnColWidthsChanged(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                                   const CDWordArray* pOldWidths, UINT nFlags)
{
    ChangeSizes(pGrid, FALSE, nFromCol, nToCol, pOldWidths, nFlags);
}

void CGXGridOptimizedUpdateImp::UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags)
{
    Insert(pGrid, TRUE, nRow, nCount, nFlags);
}

void CGXGridOptimizedUpdateImp::UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags)
{
    Insert(pGrid, FALSE, nCol, nCount, nFlags);
}

void CGXGridOptimizedUpdateImp::UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                                 const CDWordArray* pOldHeights, UINT nFlags)
{
    Remove(pGrid, TRUE, nFromRow, nToRow, pOldHeights, nFlags);
}

void CGXGridOptimizedUpdateImp::UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                                 const CDWordArray* pOldWidths, UINT nFlags)
{
    Remove(pGrid, FALSE, nFromCol, nToCol, pOldWidths, nFlags);
}

void CGXGridCore::InstallOptimizedUpdate()
{
    if (m_pOptimizedUpdateImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridOptimizedUpdateImp;
    if (pImp == nullptr)
        return;
    m_pOptimizedUpdateImp = pImp;
    AddImplementationObject(pImp);
}
