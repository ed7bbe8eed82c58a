// Grid engine: scroll bars, scrolling by rows and columns, cells kept in view and autoscroll start.

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"

#include <algorithm>

namespace
{
// Bit 8 of a mode: the range ends at the last top row (left column) that still fills the window.
const int kModeFillLast = 8;
const ROWCOL kMaxScrollUnits = 32767;
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
    if (GetScrollBarMode(nBar) == 0 || m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    const UINT nFactor = static_cast<UINT>(nMax / kMaxScrollUnits + 1);
    (nBar == SB_VERT ? m_nVScrollFactor : m_nHScrollFactor) = nFactor;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    const BOOL bRead = ::GetScrollInfo(hWnd, nBar, &info);
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
    if (!bRead || ::SetScrollInfo(hWnd, nBar, &info, bRedraw) == 0)
        ::SetScrollRange(hWnd, nBar, static_cast<int>(nMin), static_cast<int>(nScaledMax), bRedraw);
}

ROWCOL CGXGridCore::SetScrollPosScaled(int nBar, ROWCOL nPos, BOOL bRedraw)
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    const UINT nFactor = GetScrollFactor(nBar);
    if (nPos < nFactor)
        nPos = 0;
    const int nOld = ::SetScrollPos(m_pGridWnd->GetSafeHwnd(), nBar, static_cast<int>(nPos / nFactor), bRedraw);
    return static_cast<ROWCOL>(nOld) * nFactor;
}

ROWCOL CGXGridCore::GetScrollPosScaled(int nBar)
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    return static_cast<ROWCOL>(::GetScrollPos(m_pGridWnd->GetSafeHwnd(), nBar)) * GetScrollFactor(nBar);
}

void CGXGridCore::GetScrollRangeScaled(int nBar, ROWCOL& nMin, ROWCOL& nMax)
{
    int nLow = 0;
    int nHigh = 0;
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::GetScrollRange(m_pGridWnd->GetSafeHwnd(), nBar, &nLow, &nHigh);
    nMin = static_cast<ROWCOL>(nLow) * GetScrollFactor(nBar);
    nMax = static_cast<ROWCOL>(nHigh) * GetScrollFactor(nBar);
}

void CGXGridCore::UpdateScrollbars(BOOL bKeepWindow, BOOL bOnlyIfCountsChanged)
{
    if (!m_bInitDone || m_bUpdatingScrollbars || m_bLockScrollbarsFlag || m_pGridWnd == nullptr ||
        m_pGridWnd->GetSafeHwnd() == nullptr || (m_pParam != nullptr && m_pParam->m_bLockUpdate))
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
        nLastTopRow = (nSum >= nRowSpace) ? std::min(r + 1, std::max(GetRowCount(), nFirstRow)) : nFirstRow;
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
        nLastLeftCol = (nSum >= nColSpace) ? std::min(c + 1, std::max(GetColCount(), nFirstCol)) : nFirstCol;
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
    apply(SB_HORZ, m_nHScrollMode, nFirstCol, nLastLeftCol, m_nLeftCol, WS_HSCROLL);

    if (!bKeepWindow)
    {
        ::UpdateWindow(hWnd);
        if (bChanged)
            ::InvalidateRect(hWnd, nullptr, FALSE);
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
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    ::ScrollWindowEx(m_pGridWnd->GetSafeHwnd(), dx, dy, &rect, &clip, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

BOOL CGXGridCore::ScrollRowsCols(int nDirection, ROWCOL nCount)
{
    const BOOL bRows = nDirection == GX_UP || nDirection == GX_DOWN;
    const BOOL bBack = nDirection == GX_UP || nDirection == GX_LEFT;
    const ROWCOL nFirst = (bRows ? GetFrozenRows() : GetFrozenCols()) + 1;
    const ROWCOL nCount0 = bRows ? GetRowCount() : GetColCount();
    const ROWCOL nOld = bRows ? m_nTopRow : m_nLeftCol;
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (nCount0 < nFirst)
        return FALSE;

    ROWCOL nTarget;
    if (bBack)
        nTarget = nOld > nFirst + nCount ? nOld - nCount : nFirst;
    else
        nTarget = std::min<ROWCOL>(nOld + nCount, nCount0);
    // Rows (columns) of size 0 at the new edge are passed over in the direction of the move.
    auto size = [&](ROWCOL n) { return bRows ? GetRowHeight(n) : GetColWidth(n); };
    if (bBack)
        while (nTarget > nFirst && size(nTarget - 1) == 0 && size(nTarget) == 0)
            --nTarget;
    else
        while (nTarget < nCount0 && size(nTarget) == 0)
            ++nTarget;
    nTarget = std::max(nTarget, nFirst);
    if (nTarget == nOld)
        return FALSE;

    m_bScrolling = TRUE;
    CGXControl* pControl = GetCurrentCellControl();
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (pControl != nullptr && pControl->IsActive() && GetCurrentCell(nCurRow, nCurCol) &&
        !(bRows ? IsFrozenRow(nCurRow) : IsFrozenCol(nCurCol)))
        pControl->Hide();

    // The pixel distance, measured over the rows that leave or enter.
    int nDelta = 0;
    const ROWCOL nLow = std::min(nOld, nTarget);
    const ROWCOL nHigh = std::max(nOld, nTarget);
    const CRect grid = GetGridRect();
    CRect area = grid;
    if (bRows)
    {
        for (ROWCOL r = 0; r < nFirst; ++r)
            area.top += GetRowHeight(r);
    }
    else
    {
        for (ROWCOL c = 0; c < nFirst; ++c)
            area.left += GetColWidth(c);
    }
    const int nSpan = bRows ? area.Height() : area.Width();
    for (ROWCOL n = nLow; n < nHigh && nDelta < nSpan; ++n)
        nDelta += size(n);

    if (bRows)
        m_nTopRow = nTarget;
    else
        m_nLeftCol = nTarget;

    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr && !area.IsRectEmpty())
    {
        if (nDelta < nSpan)
        {
            const int d = bBack ? nDelta : -nDelta;
            ScrollGridWindow(bRows ? 0 : d, bRows ? d : 0, area, area);
        }
        else
            InvalidateRect(area);
        // Headers of the other direction move with the content.
        if (bRows)
            ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), nullptr, FALSE);
    }
    SetScrollPosScaled(bRows ? SB_VERT : SB_HORZ, nTarget, TRUE);
    const int nMode = bRows ? m_nVScrollMode : m_nHScrollMode;
    if ((nMode & 2) != 0 && nTarget == nFirst)
        UpdateScrollbars(TRUE, FALSE);
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::UpdateWindow(m_pGridWnd->GetSafeHwnd());
    m_bScrolling = FALSE;
    return TRUE;
}

BOOL CGXGridCore::DoScroll(int nDirection, ROWCOL nCount)
{
    return ScrollRowsCols(nDirection, nCount);
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
// The scroll-bar message of one direction; rows when bRows.
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
        pGrid->ScrollRowsCols(nDir, 1);
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
        pGrid->ScrollRowsCols(nBack, k == 0 ? 1 : k);
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
        pGrid->ScrollRowsCols(nFwd, k);
        break;
    }
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (nSBCode == SB_THUMBTRACK && (pGrid->GetParam() == nullptr || !pGrid->GetParam()->IsThumbTrack()))
            break;
        if (nThumb < nTop && AnySized(pGrid, bRows, nThumb, nTop))
            pGrid->ScrollRowsCols(nBack, nTop - nThumb);
        else if (nThumb > nTop && AnySized(pGrid, bRows, nTop, std::min(nThumb, nCount)))
            pGrid->ScrollRowsCols(nFwd, nThumb - nTop);
        break;
    case SB_TOP:
        if (nTop != 1)
            pGrid->ScrollRowsCols(nBack, nTop - 1);
        break;
    case SB_BOTTOM:
        if (nTop != nCount)
            pGrid->ScrollRowsCols(nFwd, nCount - nTop);
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
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridScroll(WM_VSCROLL, nSBCode, nPos);
    return HandleScrollMessage(this, TRUE, nSBCode, nPos, m_nArrowDirection, m_bAutoScrollStop, FALSE);
}

BOOL CGXGridCore::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (!m_bInitDone)
        return FALSE;
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridScroll(WM_HSCROLL, nSBCode, nPos);
    return HandleScrollMessage(this, FALSE, nSBCode, nPos, m_nArrowDirection, m_bAutoScrollStop, FALSE);
}

CScrollBar* CGXGridCore::GetScrollBarCtrl(int)
{
    return nullptr;
}

// ---- Cells kept in view ----

BOOL CGXGridCore::ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT nFlags, BOOL)
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
            int y = rect.top;
            for (ROWCOL r = 0; r <= GetFrozenRows(); ++r)
                y += GetRowHeight(r);
            for (ROWCOL r = m_nTopRow; r <= nRow; ++r)
                y += GetRowHeight(r);
            if (nRow >= nBottom && y > rect.bottom)
            {
                int h = GetRowHeight(nRow);
                for (ROWCOL r = 0; r <= GetFrozenRows(); ++r)
                    h += GetRowHeight(r);
                ROWCOL r = nRow;
                while (h < rect.Height() && r > 1)
                {
                    h += GetRowHeight(r - 1);
                    --r;
                }
                if (h > rect.Height() && r < nRow)
                    ++r;
                const ROWCOL nNewTop = std::min(r, nRows);
                if (nNewTop != m_nTopRow)
                {
                    SetTopRow(nNewTop, nFlags, TRUE);
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
            int x = rect.left;
            for (ROWCOL c = 0; c <= GetFrozenCols(); ++c)
                x += GetColWidth(c);
            for (ROWCOL c = m_nLeftCol; c <= nCol; ++c)
                x += GetColWidth(c);
            if (x > rect.right)
            {
                int w = GetColWidth(nCol);
                for (ROWCOL c = 0; c <= GetFrozenCols(); ++c)
                    w += GetColWidth(c);
                ROWCOL c = nCol;
                while (w < rect.Width() && c > 1)
                {
                    w += GetColWidth(c - 1);
                    --c;
                }
                if (w > rect.Width() && c < nCol)
                    ++c;
                const ROWCOL nNewLeft = std::min(c, nCols);
                if (nNewLeft != m_nLeftCol)
                {
                    SetLeftCol(nNewLeft, nFlags, TRUE);
                    bScrolled = TRUE;
                }
            }
        }
    }
    if ((nFlags & 6) != 0 && bScrolled && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::UpdateWindow(m_pGridWnd->GetSafeHwnd());
    return bScrolled;
}

// ---- Autoscroll ----

void CGXGridCore::StartAutoScroll(BOOL bCapture, BOOL bRows, BOOL bCols)
{
    m_bAutoScrollRows = bRows;
    m_bAutoScrollCols = bCols;
    m_bAutoScroll = TRUE;
    m_bAutoScrollStop = FALSE;
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    if (bCapture && hWnd != nullptr)
        ::SetCapture(hWnd);
    m_nAutoScrollTimer = hWnd != nullptr ? ::SetTimer(hWnd, GX_AUTOSCROLL_TIMER, 10, nullptr) : 0;
    if (m_nAutoScrollTimer == 0)
    {
        m_bAutoScroll = FALSE;
        return;
    }
    ::PostMessageA(hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
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
    if (nIDEvent != GX_AUTOSCROLL_TIMER)
        return FALSE;
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    const BOOL bDragging = hWnd != nullptr && ::GetCapture() == hWnd && (m_wTrackingState & GX_TRACK_PRESS) != 0 &&
                           (m_nButtonFlags & MK_LBUTTON) != 0;
    // A drag cancelled without a release ends the timer too; held scroll-bar arrows end it by the stop flag.
    if (m_bAutoScrollStop || !m_bAutoScroll || (!bDragging && m_nArrowDirection == -1))
    {
        if (hWnd != nullptr)
            ::KillTimer(hWnd, GX_AUTOSCROLL_TIMER);
        m_bAutoScroll = FALSE;
        m_nAutoScrollTimer = 0;
        return TRUE;
    }
    if (bDragging)
        AutoScrollTowards(m_ptTrackMouse);
    return TRUE;
}
