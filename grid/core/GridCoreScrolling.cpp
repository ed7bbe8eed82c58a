// Grid engine: scroll bars, scrolling by rows and columns, cells kept in view and autoscroll start.

#include "grid/core/GridCore.h"

#include "framework/win/Controls.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"

#include <algorithm>
#include <vector>

namespace
{
// Bit 8 of a mode: the range ends at the last top row (left column) that still fills the window.
const int kModeFillLast = 8;
const ROWCOL kMaxScrollUnits = 32767;

// The window and bar code that carry a grid's scroll bar: a scroll parent's control or the grid's own.
struct ScrollTarget
{
    HWND hWnd;
    int nBar;
};
ScrollTarget TargetOf(CGXGridCore* pGrid, HWND hGrid, int nBar)
{
    if (CScrollBar* pBar = pGrid->GetScrollBarCtrl(nBar))
        return {pBar->m_hWnd, SB_CTL};
    return {hGrid, nBar};
}
// Pace of held arrows and keys: milliseconds between the first steps, the interval below which steps
// scroll (or repeat the key), and the most lines (speed / 10) or keys (speed / 5) one step may take.
const int kAutoScrollStartInterval = 80;
const int kAutoScrollFastInterval = 40;
const int kAutoScrollMaxSpeed = 80;
} // namespace

// ---- Scroll-bar modes, ranges and positions ----

void CGXGridCore::SetScrollBarMode(int nBar, int nMode, BOOL bRedraw)
{
    if (nBar == SB_VERT || nBar == SB_BOTH)
        m_nVScrollMode = nMode;
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        m_nHScrollMode = nMode;
    if (!bRedraw)
        return;
    if (nMode == 0)
        ShowGridScrollBar(nBar, FALSE);
    else if ((nMode & 1) != 0)
        ShowGridScrollBar(nBar, TRUE);
    else if ((nMode & 2) != 0)
        UpdateScrollbars();
}

int CGXGridCore::GetScrollBarMode(int nBar) const
{
    if (nBar == SB_VERT)
        return m_nVScrollMode;
    if (nBar == SB_HORZ)
        return m_nHScrollMode;
    return 0;
}

BOOL CGXGridCore::LockScrollbars(BOOL bLock)
{
    const BOOL bOld = m_bLockScrollbarsFlag;
    m_bLockScrollbarsFlag = bLock;
    if (!bLock)
        UpdateScrollbars();
    return bOld;
}

void CGXGridCore::GetTopLeftRowCol(ROWCOL& nRow, ROWCOL& nCol) const
{
    nRow = GetTopRow();
    nCol = GetLeftCol();
}

void CGXGridCore::SetScrollRangeScaled(int nBar, ROWCOL nMin, ROWCOL nMax, BOOL bRedraw)
{
    if (GetScrollBarMode(nBar) == 0 || m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    const ScrollTarget target = TargetOf(this, m_pGridWnd->GetSafeHwnd(), nBar);
    const UINT nFactor = static_cast<UINT>(nMax / kMaxScrollUnits + 1);
    (nBar == SB_VERT ? m_nVScrollFactor : m_nHScrollFactor) = nFactor;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    const BOOL bRead = ::GetScrollInfo(target.hWnd, target.nBar, &info);
    UINT nPage = 0;
    ROWCOL nScaledMax = nMax;
    if ((GetScrollBarMode(nBar) & kModeFillLast) != 0 && bRead)
    {
        const ROWCOL nCount = nBar == SB_VERT ? GetRowCount() : GetColCount();
        nPage = static_cast<UINT>((nCount + 1 - nMax) / nFactor);
        nScaledMax = nCount;
    }
    nScaledMax /= nFactor;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (nScaledMax < nMin)
    {
        info.nMin = static_cast<int>(nScaledMax);
        info.nMax = static_cast<int>(nScaledMax);
        info.nPage = 1;
    }
    else
    {
        info.nMin = static_cast<int>(nMin);
        info.nMax = static_cast<int>(nScaledMax);
        info.nPage = nPage;
    }
    if (!bRead || ::SetScrollInfo(target.hWnd, target.nBar, &info, bRedraw) == 0)
        ::SetScrollRange(target.hWnd, target.nBar, static_cast<int>(nMin), static_cast<int>(nScaledMax), bRedraw);
}

ROWCOL CGXGridCore::SetScrollPosScaled(int nBar, ROWCOL nPos, BOOL bRedraw)
{
    if (m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    const UINT nFactor = GetScrollFactor(nBar);
    if (nPos < nFactor)
        nPos = 0;
    const ScrollTarget target = TargetOf(this, m_pGridWnd->GetSafeHwnd(), nBar);
    const int nOld = ::SetScrollPos(target.hWnd, target.nBar, static_cast<int>(nPos / nFactor), bRedraw);
    return static_cast<ROWCOL>(nOld) * nFactor;
}

ROWCOL CGXGridCore::GetScrollPosScaled(int nBar)
{
    if (m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    const ScrollTarget target = TargetOf(this, m_pGridWnd->GetSafeHwnd(), nBar);
    return static_cast<ROWCOL>(::GetScrollPos(target.hWnd, target.nBar)) * GetScrollFactor(nBar);
}

void CGXGridCore::GetScrollRangeScaled(int nBar, ROWCOL& nMin, ROWCOL& nMax)
{
    int nLow = 0;
    int nHigh = 0;
    if (m_pGridWnd->GetSafeHwnd() != nullptr)
        ::GetScrollRange(m_pGridWnd->GetSafeHwnd(), nBar, &nLow, &nHigh);
    nMin = static_cast<ROWCOL>(nLow) * GetScrollFactor(nBar);
    nMax = static_cast<ROWCOL>(nHigh) * GetScrollFactor(nBar);
}

void CGXGridCore::UpdateScrollbars(BOOL bKeepWindow, BOOL bOnlyIfCountsChanged)
{
    if (!m_bInitDone || m_bUpdatingScrollbars || m_bLockScrollbarsFlag || m_pGridWnd->GetSafeHwnd() == nullptr ||
        IsLockUpdate())
        return;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (IsInScrollParent() && !::IsWindowVisible(hWnd) && !m_bHasFocus)
        return;
    if (m_bPrinting)
    {
        ShowGridScrollBar(SB_BOTH, FALSE);
        return;
    }
    CRect client;
    GetGridClientRect(client);
    if ((m_nVScrollMode == 0 && m_nHScrollMode == 0) || client.IsRectEmpty())
        return;

    const ROWCOL nRows = m_nVScrollMode != 0 ? GetRowCount() : 0;
    const ROWCOL nCols = m_nHScrollMode != 0 ? GetColCount() : 0;
    if (bOnlyIfCountsChanged && nRows == m_nLastScrollRows && nCols == m_nLastScrollCols)
        return;
    m_bUpdatingScrollbars = TRUE;

    const CRect rect = GetGridRect();
    const ROWCOL nFirstRow = GetFrozenRows() + 1;
    const ROWCOL nFirstCol = GetFrozenCols() + 1;
    // The last top row that still fills the window.
    int nFrozenHeight = 0;
    for (ROWCOL r = 0; r < nFirstRow && r <= GetRowCount(); ++r)
        nFrozenHeight += GetRowHeight(r);
    const int nRowSpace = rect.Height() - nFrozenHeight;
    ROWCOL nLastTopRow = std::max(GetRowCount(), nFirstRow);
    {
        int nSum = 0;
        ROWCOL r = GetRowCount();
        while (r >= nFirstRow && r > 0)
        {
            nSum += GetRowHeight(r);
            if (nSum >= nRowSpace)
                break;
            --r;
        }
        // A row that fills the window exactly is still wholly shown.
        if (nSum > nRowSpace)
            ++r;
        nLastTopRow = (nSum >= nRowSpace) ? std::min(r, std::max(GetRowCount(), nFirstRow)) : nFirstRow;
        nLastTopRow = std::max(nLastTopRow, nFirstRow);
    }
    int nFrozenWidth = 0;
    for (ROWCOL c = 0; c < nFirstCol && c <= GetColCount(); ++c)
        nFrozenWidth += GetColWidth(c);
    const int nColSpace = rect.Width() - nFrozenWidth;
    ROWCOL nLastLeftCol = nFirstCol;
    {
        int nSum = 0;
        ROWCOL c = GetColCount();
        while (c >= nFirstCol && c > 0)
        {
            nSum += GetColWidth(c);
            if (nSum >= nColSpace)
                break;
            --c;
        }
        if (nSum > nColSpace)
            ++c;
        nLastLeftCol = (nSum >= nColSpace) ? std::min(c, std::max(GetColCount(), nFirstCol)) : nFirstCol;
        nLastLeftCol = std::max(nLastLeftCol, nFirstCol);
    }

    if ((m_nVScrollMode & kModeFillLast) != 0 && m_nTopRow > nFirstRow && m_nTopRow > nLastTopRow)
    {
        SetTopRow(nLastTopRow, GX_SMART, TRUE);
        ::UpdateWindow(hWnd);
    }
    if ((m_nHScrollMode & kModeFillLast) != 0 && m_nLeftCol > nFirstCol && m_nLeftCol > nLastLeftCol)
    {
        SetLeftCol(nLastLeftCol, GX_SMART, TRUE);
        ::UpdateWindow(hWnd);
    }

    const LONG_PTR style = ::GetWindowLongPtrA(hWnd, GWL_STYLE);
    BOOL bChanged = FALSE;
    auto apply = [&](int nBar, int nMode, ROWCOL nFirst, ROWCOL nLast, ROWCOL nTop, LONG_PTR wsBit) {
        bChanged = FALSE;
        const BOOL bShown = (style & wsBit) != 0;
        switch (nMode & ~kModeFillLast)
        {
        case 0:
            if (bShown)
            {
                ShowGridScrollBar(nBar, FALSE);
                bChanged = TRUE;
            }
            break;
        case 2:
            if (nTop <= nFirst && nLast <= nFirst)
            {
                if (bShown)
                {
                    ShowGridScrollBar(nBar, FALSE);
                    bChanged = TRUE;
                }
                break;
            }
            [[fallthrough]];
        case 1:
            SetScrollRangeScaled(nBar, nFirst, nLast, FALSE);
            SetScrollPosScaled(nBar, nTop, FALSE);
            if (!bShown)
            {
                ShowGridScrollBar(nBar, TRUE);
                bChanged = TRUE;
            }
            break;
        default:
            SetScrollRangeScaled(nBar, nFirst, nLast, FALSE);
            SetScrollPosScaled(nBar, nTop, TRUE);
            break;
        }
    };
    apply(SB_VERT, m_nVScrollMode, nFirstRow, nLastTopRow, m_nTopRow, WS_VSCROLL);
    const BOOL bVChanged = bChanged;
    apply(SB_HORZ, m_nHScrollMode, nFirstCol, nLastLeftCol, m_nLeftCol, WS_HSCROLL);
    const BOOL bHChanged = bChanged;

    if (!bKeepWindow)
    {
        ::UpdateWindow(hWnd);
        // A bar that came or went moved the client edge: the cells along it are painted again.
        if (bVChanged || bHChanged)
        {
            CRect rectClient;
            ::GetClientRect(hWnd, &rectClient);
            if (bHChanged)
            {
                CRect strip = rectClient;
                strip.top = std::max(strip.top, strip.bottom - 2 * ::GetSystemMetrics(SM_CYHSCROLL));
                ::InvalidateRect(hWnd, &strip, FALSE);
            }
            if (bVChanged)
            {
                CRect strip = rectClient;
                strip.left = std::max(strip.left, strip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL));
                ::InvalidateRect(hWnd, &strip, FALSE);
            }
            ::UpdateWindow(hWnd);
        }
    }
    if (m_nVScrollMode != 0)
        SetScrollPosScaled(SB_VERT, m_nTopRow, TRUE);
    if (m_nHScrollMode != 0)
        SetScrollPosScaled(SB_HORZ, m_nLeftCol, TRUE);
    m_nLastScrollRows = nRows;
    m_nLastScrollCols = nCols;
    m_bUpdatingScrollbars = FALSE;
}

// ---- Scrolling ----

void CGXGridCore::ScrollGridWindow(int dx, int dy, const CRect& rect, const CRect& clip)
{
    if (m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    // The fill handle's drag frame is drawn inverted; moved with the content it could not be erased.
    if ((dx != 0 || dy != 0) && (m_wTrackingState & GX_TRACK_FILLDRAG) != 0 && m_bFillHandle &&
        m_pExcelLikeFillImp != nullptr)
        m_pExcelLikeFillImp->RemoveDragFrame(this);
    ::ScrollWindowEx(m_pGridWnd->GetSafeHwnd(), dx, dy, &rect, &clip, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

BOOL CGXGridCore::CanChangeTopRow(ROWCOL)
{
    return TRUE;
}

BOOL CGXGridCore::CanChangeLeftCol(ROWCOL)
{
    return TRUE;
}

void CGXGridCore::OnTopRowChanged()
{
}

void CGXGridCore::OnLeftColChanged()
{
}

namespace
{
// Merged cells that reach into the scrolled area from before its old first row (column) are drawn
// over their visible part only, so they must be painted again once the content moved by nDelta.
void CollectMergedSpans(CGXGridCore* pGrid, BOOL bRows, BOOL bBack, ROWCOL nOld, int nDelta, const CRect& area,
                        std::vector<CRect>& rects)
{
    if ((pGrid->GetMergeCellsMode() & 3) == 0)
        return;
    const CRect grid = pGrid->GetGridRect();
    const ROWCOL nLast = bRows ? pGrid->CalcRightColFromRect(area) : pGrid->CalcBottomRowFromRect(area);
    const ROWCOL nLastClient = bRows ? pGrid->ColToClientCol(nLast) : pGrid->RowToClientRow(nLast);
    for (ROWCOL n = 1; n <= nLastClient; ++n)
    {
        const ROWCOL nIndex = bRows ? pGrid->ClientColToCol(n) : pGrid->ClientRowToRow(n);
        CGXRange range;
        if (!pGrid->GetMergeRange(bRows ? nOld : nIndex, bRows ? nIndex : nOld, range, bRows ? 1 : 0))
            continue;
        if (bRows ? !(range.top < nOld && range.bottom >= nOld) : !(range.left < nOld && range.right >= nOld))
            continue;
        CRect rect;
        if (bRows)
        {
            pGrid->CalcRangeRect(rect, nOld, range.left, range.bottom, range.right, TRUE);
            rect.top = grid.top;
            if (bBack)
                rect.bottom += nDelta;
        }
        else
        {
            pGrid->CalcRangeRect(rect, range.top, nOld, range.bottom, range.right, TRUE);
            rect.left = grid.left;
            if (bBack)
                rect.right += nDelta;
        }
        if (!rect.IsRectEmpty())
            rects.push_back(rect);
        const ROWCOL nEnd = bRows ? pGrid->ColToClientCol(range.right) : pGrid->RowToClientRow(range.bottom);
        if (nEnd > n)
            n = nEnd;
    }
}
} // namespace

BOOL CGXGridCore::ScrollRowsCols(int nDirection, ROWCOL nCount)
{
    const BOOL bRows = nDirection == GX_UP || nDirection == GX_DOWN;
    const BOOL bBack = nDirection == GX_UP || nDirection == GX_LEFT;
    if (!bRows && nDirection != GX_LEFT && nDirection != GX_RIGHT)
        return FALSE;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();

    // 1. The cached last visible row and column no longer hold; note the current cell.
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    CGXControl* pControl = GetCurrentCellControl();
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    const BOOL bCurrent = GetCurrentCell(nCurRow, nCurCol);
    const CRect rectCell = bCurrent ? CalcCellRect(nCurRow, nCurCol) : CRect();
    m_bScrolling = TRUE;

    const ROWCOL nFirst = (bRows ? GetFrozenRows() : GetFrozenCols()) + 1;
    const ROWCOL nTotal = bRows ? GetRowCount() : GetColCount();
    const ROWCOL nOld = bRows ? m_nTopRow : m_nLeftCol;
    auto size = [&](ROWCOL n) { return bRows ? GetRowHeight(n) : GetColWidth(n); };

    // 2. The target, kept within the scrollable rows (columns).
    ROWCOL nTarget = nOld;
    if (nTotal >= nFirst)
    {
        if (bBack)
            nTarget = (nOld > nFirst && nOld - nFirst > nCount) ? nOld - nCount : nFirst;
        else
            nTarget = (nOld < nTotal && nTotal - nOld > nCount) ? nOld + nCount : nTotal;
    }
    const CRect area = bRows ? GetGridRectBelowRow(GetFrozenRows()) : GetGridRectRightOfCol(GetFrozenCols());
    const int nSpan = bRows ? area.Height() : area.Width();

    BOOL bScrolled = FALSE;
    std::vector<CRect> spans;
    if (nTarget != nOld)
    {
        // 3. The distance over the rows that leave or enter; rows of size 0 next to the new edge go with them,
        // and a walk over hidden rows only goes on until one row with a size left or entered.
        int nDelta = 0;
        ROWCOL r = nTarget;
        if (nSpan > 0)
        {
            r = nOld;
            if (bBack)
            {
                while (nDelta < nSpan && (r > nTarget || (r > nFirst && (size(r - 1) == 0 || nDelta == 0))))
                {
                    --r;
                    nDelta += size(r);
                }
                if (r > nTarget)
                    r = nTarget;
            }
            else
            {
                while (nDelta < nSpan && (r < nTarget || (r < nTotal && (size(r) == 0 || nDelta == 0))))
                {
                    nDelta += size(r);
                    ++r;
                }
                if (r < nTarget)
                    r = nTarget;
            }
        }
        if (r < nFirst)
            r = nFirst;

        // 4. Feature objects hear of the scroll first; the application may refuse the new edge.
        SpareHookB4(0, 0, 1, 0);
        if (r != nOld && (bRows ? CanChangeTopRow(r) : CanChangeLeftCol(r)))
        {
            // 5.
            CollectMergedSpans(this, bRows, bBack, nOld, nDelta, area, spans);

            // 6. The inverted selection frame would move with the content: it is taken off meanwhile.
            const BOOL bOldFrameLock = LockExcelLikeFrame(TRUE, TRUE);
            m_nPrevTopRow = m_nTopRow;
            m_nPrevLeftCol = m_nLeftCol;
            if (bRows)
                m_nTopRow = r;
            else
                m_nLeftCol = r;
            if (pControl != nullptr && bCurrent && pControl->IsActive() &&
                !(bRows ? IsFrozenRow(nCurRow) : IsFrozenCol(nCurCol)))
            {
                // The part of the area whose content stays on screen, in the old coordinates.
                CRect stays = area;
                if (bRows)
                    (bBack ? stays.bottom : stays.top) += bBack ? -nDelta : nDelta;
                else
                    (bBack ? stays.right : stays.left) += bBack ? -nDelta : nDelta;
                if (nDelta >= nSpan || !stays.PtInRect(rectCell.TopLeft()))
                    pControl->Hide();
            }

            // 7. Move what stays visible and paint only the strip that entered.
            if (hWnd != nullptr && nSpan > 0)
            {
                if (nDelta < nSpan)
                {
                    const int d = bBack ? nDelta : -nDelta;
                    ScrollGridWindow(bRows ? 0 : d, bRows ? d : 0, area, area);
                    CGXProperties* pProps = GetProperties();
                    const BOOL bLines = pProps != nullptr &&
                                        (bRows ? pProps->GetDisplayHorzLines() : pProps->GetDisplayVertLines());
                    if (bLines && m_pParam != nullptr && !m_pParam->m_bLinesRightBottom && nDelta > 0)
                    {
                        // Lines on the top (left) edges: the line of the first row that moved is drawn again.
                        CRect strip = area;
                        if (bRows)
                        {
                            if (bBack)
                                strip.bottom = strip.top + nDelta;
                            else
                                strip.top = strip.bottom - nDelta;
                        }
                        else if (bBack)
                            strip.right = strip.left + nDelta;
                        else
                            strip.left = strip.right - nDelta;
                        InvalidateRect(strip);
                    }
                }
                else
                {
                    InvalidateRect(area);
                    spans.clear();
                }
            }

            // 8.
            SetScrollPosScaled(bRows ? SB_VERT : SB_HORZ, r, TRUE);
            const int nMode = bRows ? m_nVScrollMode : m_nHScrollMode;
            if ((nMode & 2) != 0 && r == nFirst)
                UpdateScrollbars(TRUE, FALSE);
            LockExcelLikeFrame(bOldFrameLock, TRUE);
            if (bRows)
                OnTopRowChanged();
            else
                OnLeftColChanged();
            bScrolled = TRUE;
        }
    }

    // 9.
    if (hWnd != nullptr)
    {
        if (!m_bNoUpdateOnScroll)
            ::UpdateWindow(hWnd);
        for (const CRect& rect : spans)
        {
            InvalidateRect(rect);
            if (!m_bNoUpdateOnScroll)
                ::UpdateWindow(hWnd);
        }
    }
    m_bScrolling = FALSE;
    m_nPrevTopRow = 0;
    m_nPrevLeftCol = 0;
    return bScrolled;
}

BOOL CGXGridCore::DoScroll(int nDirection, ROWCOL nCount)
{
    const BOOL bScrolled = ScrollRowsCols(nDirection, nCount);
    if (bScrolled && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintScrollPanes(this, nDirection);
    return bScrolled;
}

namespace
{
BOOL AnySized(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo)
{
    for (ROWCOL n = nFrom; n <= nTo; ++n)
        if ((bRows ? pGrid->GetRowHeight(n) : pGrid->GetColWidth(n)) > 0)
            return TRUE;
    return FALSE;
}
} // namespace

namespace
{
// The scroll-bar message of one direction; rows when bRows. It scrolls as DoScroll does, so that the
// other panes of a splitter follow.
BOOL HandleScrollMessage(CGXGridCore* pGrid, BOOL bRows, UINT nSBCode, UINT nPos, int& nArrowDirection,
                         BOOL& bStop, BOOL bArrowAutoScroll)
{
    const ROWCOL nCount = bRows ? pGrid->GetRowCount() : pGrid->GetColCount();
    const ROWCOL nFirst = (bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols()) + 1;
    if (nCount == 0 || nCount <= nFirst)
        return FALSE;
    const int nBack = bRows ? GX_UP : GX_LEFT;
    const int nFwd = bRows ? GX_DOWN : GX_RIGHT;
    const ROWCOL nTop = bRows ? pGrid->GetTopRow() : pGrid->GetLeftCol();
    const UINT nFactor = pGrid->GetScrollFactor(bRows ? SB_VERT : SB_HORZ);
    const ROWCOL nThumb = (std::max<ROWCOL>(nPos, nFirst) - nFirst) * nFactor + nFirst;
    auto size = [&](ROWCOL n) { return bRows ? pGrid->GetRowHeight(n) : pGrid->GetColWidth(n); };

    switch (nSBCode)
    {
    case SB_LINEUP:
    case SB_LINEDOWN:
    {
        const int nDir = nSBCode == SB_LINEUP ? nBack : nFwd;
        pGrid->DoScroll(nDir, 1);
        if (bArrowAutoScroll && nArrowDirection != nDir)
        {
            pGrid->StartAutoScroll(FALSE, FALSE, FALSE);
            nArrowDirection = nDir;
        }
        break;
    }
    case SB_PAGEUP:
    {
        if (nTop < 2)
            break;
        const CRect rect = pGrid->GetGridRect();
        int nFree = bRows ? rect.Height() : rect.Width();
        for (ROWCOL n = 0; n < nFirst; ++n)
            nFree -= size(n);
        int h = size(nTop);
        ROWCOL k = 0;
        while (h < nFree && nTop - k >= 2)
        {
            ++k;
            h += size(nTop - k);
        }
        pGrid->DoScroll(nBack, k == 0 ? 1 : k);
        break;
    }
    case SB_PAGEDOWN:
    {
        const ROWCOL nEdge = bRows ? pGrid->CalcBottomRowFromRect(pGrid->GetGridRect()) : pGrid->CalcRightColFromRect(pGrid->GetGridRect());
        if (nTop >= nCount || nEdge < nTop)
            break;
        ROWCOL k = nEdge - nTop;
        if (k < 1)
            k = 1;
        pGrid->DoScroll(nFwd, k);
        break;
    }
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (nSBCode == SB_THUMBTRACK && (pGrid->GetParam() == nullptr || !pGrid->GetParam()->IsThumbTrack()))
            break;
        if (nThumb < nTop && AnySized(pGrid, bRows, nThumb, nTop))
            pGrid->DoScroll(nBack, nTop - nThumb);
        else if (nThumb > nTop && AnySized(pGrid, bRows, nTop, std::min(nThumb, nCount)))
            pGrid->DoScroll(nFwd, nThumb - nTop);
        break;
    case SB_TOP:
        if (nTop != 1)
            pGrid->DoScroll(nBack, nTop - 1);
        break;
    case SB_BOTTOM:
        if (nTop != nCount)
            pGrid->DoScroll(nFwd, nCount - nTop);
        break;
    case SB_ENDSCROLL:
        if (nArrowDirection != -1)
        {
            bStop = TRUE;
            nArrowDirection = -1;
        }
        break;
    default:
        break;
    }
    return TRUE;
}
} // namespace

BOOL CGXGridCore::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (!m_bInitDone)
        return FALSE;
    if (m_pCellTipImp != nullptr)
        m_pCellTipImp->HideTip(this);
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridScroll(WM_VSCROLL, nSBCode, nPos);
    return HandleScrollMessage(this, TRUE, nSBCode, nPos, m_nArrowDirection, m_bAutoScrollStop, m_bAutoScrollArrows);
}

BOOL CGXGridCore::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (!m_bInitDone)
        return FALSE;
    if (m_pCellTipImp != nullptr)
        m_pCellTipImp->HideTip(this);
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridScroll(WM_HSCROLL, nSBCode, nPos);
    return HandleScrollMessage(this, FALSE, nSBCode, nPos, m_nArrowDirection, m_bAutoScrollStop, m_bAutoScrollArrows);
}

CScrollBar* CGXGridCore::GetScrollBarCtrl(int nBar)
{
    // A sheet of a scroll parent (a tab window) uses the parent's bars in place of its own.
    if (m_pGridWnd->GetSafeHwnd() == nullptr || (nBar != SB_HORZ && nBar != SB_VERT))
        return nullptr;
    const CPtrList& classes = m_pAppData->GetScrollParentClasses();
    for (POSITION pos = classes.GetHeadPosition(); pos != nullptr;)
    {
        CRuntimeClass* pClass = static_cast<CRuntimeClass*>(classes.GetNext(pos));
        if (CWnd* pParent = GXGetParentOfClass(m_pGridWnd, pClass, TRUE))
        {
            HWND hBar = ::GetDlgItem(pParent->m_hWnd, nBar == SB_VERT ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST);
            CWnd* pBar = hBar != nullptr ? CWnd::FromHandlePermanent(hBar) : nullptr;
            return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CScrollBar)) ? static_cast<CScrollBar*>(pBar)
                                                                                 : nullptr;
        }
    }
    return nullptr;
}

// ---- Cells kept in view ----

BOOL CGXGridCore::ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT nFlags, BOOL bFloatCell)
{
    if (m_bNoScrollInView)
    {
        m_bNoScrollInView = FALSE;
        return FALSE;
    }
    if (m_bPrinting || !m_bInitDone)
        return FALSE;
    BOOL bScrolled = FALSE;
    const CRect rect = GetGridRect();
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    // A frozen cell whose span reaches into the scrolled part is brought into view by its first scrolled row.
    auto reachIntoScrolled = [&](const CGXRange& range) {
        if (nRow != GX_INVALID && nRow <= GetFrozenRows() && range.bottom > GetFrozenRows())
            nRow = GetFrozenRows() + 1;
        if (nCol != GX_INVALID && nCol <= GetFrozenCols() && range.right > GetFrozenCols())
            nCol = GetFrozenCols() + 1;
    };
    CGXRange span;
    if (GetCoveredCellsRowCol(nRow, nCol, span))
        reachIntoScrolled(span);
    if (bFloatCell && GetFloatRange(nRow, nCol, span))
        reachIntoScrolled(span);

    if (nRow != GX_INVALID && nRow > GetFrozenRows() && nRow <= nRows)
    {
        if (nRow < m_nTopRow)
        {
            SetTopRow(nRow, nFlags, TRUE);
            bScrolled = TRUE;
        }
        else if (nRow > m_nTopRow)
        {
            const ROWCOL nBottom = CalcBottomRowFromRect(rect);
            // The bottom row is cut by the grid's edge or lies beyond it: the row must move up.
            int y = rect.top + CalcSumOfRowHeights(0, GetFrozenRows());
            for (ROWCOL r = m_nTopRow; r <= nRow && y <= rect.bottom; ++r)
                y += GetRowHeight(r);
            if (nRow >= nBottom && y > rect.bottom)
            {
                int h = GetRowHeight(nRow) + CalcSumOfRowHeights(0, GetFrozenRows());
                ROWCOL r = nRow;
                while (h < rect.Height() && r > 1)
                {
                    h += GetRowHeight(r - 1);
                    --r;
                }
                if (h > rect.Height() && r < nRow)
                    ++r;
                const ROWCOL nNewTop = std::clamp(r, GetFrozenRows() + 1, nRows);
                if (nNewTop != m_nTopRow)
                {
                    SetTopRow(nNewTop, nFlags, TRUE);
                    if ((nFlags & 6) != 0 && hWnd != nullptr)
                        ::UpdateWindow(hWnd);
                    bScrolled = TRUE;
                }
            }
        }
    }
    if (nCol != GX_INVALID && nCol > GetFrozenCols() && nCol <= nCols)
    {
        if (nCol < m_nLeftCol)
        {
            SetLeftCol(nCol, nFlags, TRUE);
            bScrolled = TRUE;
        }
        else if (nCol > m_nLeftCol)
        {
            int x = rect.left + CalcSumOfColWidths(0, GetFrozenCols());
            for (ROWCOL c = m_nLeftCol; c <= nCol && x <= rect.right; ++c)
                x += GetColWidth(c);
            if (x > rect.right)
            {
                int w = GetColWidth(nCol) + CalcSumOfColWidths(0, GetFrozenCols());
                ROWCOL c = nCol;
                while (w < rect.Width() && c > 1)
                {
                    w += GetColWidth(c - 1);
                    --c;
                }
                if (w > rect.Width() && c < nCol)
                    ++c;
                const ROWCOL nNewLeft = std::clamp(c, GetFrozenCols() + 1, nCols);
                if (nNewLeft != m_nLeftCol)
                {
                    SetLeftCol(nNewLeft, nFlags, TRUE);
                    if ((nFlags & 6) != 0 && hWnd != nullptr)
                        ::UpdateWindow(hWnd);
                    bScrolled = TRUE;
                }
            }
        }
    }
    if ((nFlags & 6) != 0 && hWnd != nullptr)
        ::UpdateWindow(hWnd);
    return bScrolled;
}

// ---- Autoscroll ----

void CGXGridCore::StartAutoScroll(BOOL bCapture, BOOL bRows, BOOL bCols)
{
    m_bAutoScrollRows = bRows;
    m_bAutoScrollCols = bCols;
    m_bAutoScrollStop = FALSE;
    m_bAutoScrollStarting = TRUE;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (bCapture && hWnd != nullptr)
        ::SetCapture(hWnd);
    m_nAutoScrollTimer = hWnd != nullptr ? ::SetTimer(hWnd, GX_AUTOSCROLL_TIMER, 10, nullptr) : 0;
    if (m_nAutoScrollTimer == 0)
        return;
    ::PostMessageA(hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
}

void CGXGridCore::StopAutoScroll()
{
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (m_nAutoScrollTimer != 0 && hWnd != nullptr)
        ::KillTimer(hWnd, GX_AUTOSCROLL_TIMER);
    m_nAutoScrollTimer = 0;
    m_nArrowDirection = -1;
    m_bKeyRepeat = FALSE;
    m_bAutoScrollStop = TRUE;
}

void CGXGridCore::AutoScrollTowards(CPoint point)
{
    BOOL bScrolled = FALSE;
    BOOL bEnd = FALSE;
    if (m_bAutoScrollRows)
    {
        const CRect area = GetGridRectBelowRow(GetFrozenRows());
        if (point.y < area.top)
            bScrolled |= DoScroll(GX_UP, 1);
        else if (point.y >= area.bottom)
        {
            // Nothing more to show once the last row ends inside the window.
            CalcLastVisibleRow(GetGridRect(), &bEnd);
            if (!bEnd)
                bScrolled |= DoScroll(GX_DOWN, 1);
        }
    }
    if (m_bAutoScrollCols)
    {
        const CRect area = GetGridRectRightOfCol(GetFrozenCols());
        if (point.x < area.left)
            bScrolled |= DoScroll(GX_LEFT, 1);
        else if (point.x >= area.right)
        {
            CalcLastVisibleCol(GetGridRect(), &bEnd);
            if (!bEnd)
                bScrolled |= DoScroll(GX_RIGHT, 1);
        }
    }
    // The drag follows to the cell that came into view under the mouse.
    if (bScrolled)
        OnMouseMove(m_nButtonFlags, point);
}

BOOL CGXGridCore::HandleTimer(UINT_PTR nIDEvent)
{
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (nIDEvent == GX_CHILDREPEAT_TIMER)
    {
        // The press of the current cell still runs: its control hears the mouse where it rests.
        CGXControl* pControl = GetCurrentCellControl();
        if (hWnd != nullptr && ::GetCapture() == hWnd && (m_wTrackingState & GX_TRACK_PRESS) != 0 &&
            (m_nButtonFlags & MK_LBUTTON) != 0 && pControl != nullptr &&
            IsCurrentCell(m_nPressedRow, m_nPressedCol))
            pControl->MouseMove(MK_LBUTTON, ClampTrackPoint(m_ptTrackMouse));
        else if (hWnd != nullptr)
            ::KillTimer(hWnd, GX_CHILDREPEAT_TIMER);
        return TRUE;
    }
    if (nIDEvent != GX_AUTOSCROLL_TIMER)
        return FALSE;
    // The plug-in saw the tick first and took the step.
    if (m_pAutoScrollPlugin != nullptr)
        return TRUE;
    const BOOL bDragging = hWnd != nullptr && ::GetCapture() == hWnd && (m_wTrackingState & GX_TRACK_PRESS) != 0 &&
                           (m_nButtonFlags & MK_LBUTTON) != 0;
    // A repeated key whose release went to another window ends with the focus.
    if (m_bKeyRepeat && hWnd != nullptr)
    {
        HWND hFocus = ::GetFocus();
        if (hFocus != hWnd && (hFocus == nullptr || !::IsChild(hWnd, hFocus)))
            m_bAutoScrollStop = TRUE;
    }
    // A drag cancelled without a release ends the timer too; held arrows and keys end it by the stop flag.
    if (m_bAutoScrollStop || !IsAutoScrollActive() || (!bDragging && m_nArrowDirection == -1 && !m_bKeyRepeat))
    {
        StopAutoScroll();
        return TRUE;
    }
    if (bDragging)
    {
        AutoScrollTowards(m_ptTrackMouse);
        return TRUE;
    }

    // A held arrow or key: slow at first, each step a little sooner, then more lines per step.
    const DWORD dwNow = AfxGetTickCount();
    if (m_bAutoScrollStarting)
    {
        m_bAutoScrollStarting = FALSE;
        m_dwAutoScrollLastTick = 0;
        m_nAutoScrollInterval = kAutoScrollStartInterval;
        m_nAutoScrollSpeed = 1;
    }
    if (dwNow - m_dwAutoScrollLastTick <= static_cast<DWORD>(m_nAutoScrollInterval))
        return TRUE;
    m_dwAutoScrollLastTick = dwNow;
    int nDistance = 0;
    if (m_bKeyRepeat)
    {
        if (m_nAutoScrollInterval < kAutoScrollFastInterval)
        {
            const WORD nRepeat = static_cast<WORD>(std::max(m_nAutoScrollSpeed / 5, 1));
            ::SendMessageA(hWnd, WM_KEYDOWN, m_nKeyRepeatChar, MAKELPARAM(nRepeat, LOWORD(m_nKeyRepeatFlags)));
        }
        nDistance = 8;
    }
    else
    {
        if (m_nAutoScrollInterval < kAutoScrollFastInterval)
            DoScroll(m_nArrowDirection, static_cast<ROWCOL>(std::max(m_nAutoScrollSpeed / 10, 1)));
        nDistance = 2;
    }
    m_nAutoScrollInterval -= nDistance / 2;
    if (m_nAutoScrollInterval < 0)
    {
        m_nAutoScrollInterval = 0;
        m_nAutoScrollSpeed = std::min(m_nAutoScrollSpeed + 2, kAutoScrollMaxSpeed);
    }
    return TRUE;
}
