#include "grid/features/GridExcelLikeFillImp.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <new>

namespace
{

BOOL IsAllZero(const CGXRange& range)
{
    return range.top == 0 && range.left == 0 && range.bottom == 0 && range.right == 0;
}

HWND GridHwnd(CGXGridCore* pGrid)
{
    return pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

BOOL FrameEnabled(CGXGridCore* pGrid)
{
    return pGrid->GetParam() != nullptr && pGrid->GetParam()->m_bExcelLikeFrame;
}

// The window area the frame of the range covers, with its handle and outer lines.
CRect FrameArea(CGXGridCore* pGrid, const CGXRange& range)
{
    CRect rect;
    if (!pGrid->CalcRangeRect(rect, range.top, range.left, range.bottom, range.right))
        return CRect();
    rect.InflateRect(4, 4);
    return rect;
}

void InvalidateFrame(CGXGridCore* pGrid, const CGXRange& range)
{
    HWND hWnd = GridHwnd(pGrid);
    const CRect area = FrameArea(pGrid, range);
    if (hWnd != nullptr && !area.IsRectEmpty())
        ::InvalidateRect(hWnd, &area, FALSE);
}

// The selected range that contains the cell; FALSE when none does.
BOOL SelectedRangeAt(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    for (POSITION pos = selection.GetTailPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = selection.GetPrev(pos);
        if (pRange->ContainsCell(nRow, nCol))
        {
            range = *pRange;
            return TRUE;
        }
    }
    return FALSE;
}

// The part of a range's rows (columns) in one pane: the frozen pane or the scrolled one. Its start
// and end are window coordinates; an end of the range that lies in another pane, or scrolled out,
// lies beyond the pane's edge, so that the frame stays open there.
struct PanePart
{
    BOOL bShown = FALSE;
    BOOL bStartHere = FALSE;
    int nStart = 0;
    int nEnd = 0;
    int nPaneStart = 0;
    int nPaneEnd = 0;
};

// Far enough beyond a pane's edge that nothing of the frame drawn there (at most three pixels out)
// falls into the pane.
const int kBeyondPane = 8;

int SumOfSizes(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo)
{
    if (nTo < nFrom || nTo == GX_INVALID)
        return 0;
    return bRows ? pGrid->CalcSumOfRowHeights(nFrom, nTo) : pGrid->CalcSumOfColWidths(nFrom, nTo);
}

// The range's lines nFirst..nLast in the frozen pane (parts[0]) and the scrolled pane (parts[1]),
// between the grid rectangle's edges nGridStart and nGridEnd.
void PaneParts(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, int nGridStart, int nGridEnd,
               PanePart parts[2])
{
    const ROWCOL nFrozenCount = bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
    // The split lies after the last frozen line that has a size: hidden ones at the end are skipped.
    ROWCOL nFrozen = nFrozenCount;
    while (nFrozen > 0 && (bRows ? pGrid->GetRowHeight(nFrozen) : pGrid->GetColWidth(nFrozen)) == 0)
        --nFrozen;
    const int nSplit = std::min(nGridStart + SumOfSizes(pGrid, bRows, 0, nFrozenCount), nGridEnd);
    const ROWCOL nFirstScrolled = bRows ? pGrid->GetTopRow() : pGrid->GetLeftCol();
    const ROWCOL nLastVisible = bRows ? pGrid->GetLastVisibleRow() : pGrid->GetLastVisibleCol();

    PanePart& frozen = parts[0];
    frozen.nPaneStart = nGridStart;
    frozen.nPaneEnd = nSplit;
    if (nFirst <= nFrozen && nSplit > nGridStart)
    {
        frozen.bShown = TRUE;
        frozen.bStartHere = TRUE;
        frozen.nStart = nGridStart + SumOfSizes(pGrid, bRows, 0, nFirst - 1);
        frozen.nEnd = nLast <= nFrozen ? nGridStart + SumOfSizes(pGrid, bRows, 0, nLast) : nSplit + kBeyondPane;
    }

    PanePart& scrolled = parts[1];
    scrolled.nPaneStart = nSplit;
    scrolled.nPaneEnd = nGridEnd;
    const ROWCOL nStartLine = std::max(nFirst, nFirstScrolled);
    if (nLast >= nFirstScrolled && nLast > nFrozen && nStartLine <= nLastVisible && nGridEnd > nSplit)
    {
        scrolled.bShown = TRUE;
        scrolled.bStartHere = nFirst >= nFirstScrolled;
        scrolled.nStart = scrolled.bStartHere ? nSplit + SumOfSizes(pGrid, bRows, nFirstScrolled, nFirst - 1)
                                              : nSplit - kBeyondPane;
        scrolled.nEnd = nLast <= nLastVisible ? nSplit + SumOfSizes(pGrid, bRows, nFirstScrolled, nLast)
                                              : nGridEnd + kBeyondPane;
    }
}

} // namespace

// ---- Frame ----

CGXRange CGXGridExcelLikeFrameImp::FrameRange(CGXGridCore* pGrid, const CGXRange& selected, int& nHandle)
{
    CGXRange range = selected;
    if (range.top == 0 && range.left == 0)
        range.SetTable();
    else if (range.top == 0)
        range.SetCols(range.left, range.right);
    else if (range.left == 0)
        range.SetRows(range.top, range.bottom);
    nHandle = range.IsCols() ? 7 : range.IsRows() ? 2 : 0;
    range.ExpandToCells(pGrid->GetHeaderRows() + 1, pGrid->GetHeaderCols() + 1, pGrid->GetRowCount(),
                        pGrid->GetColCount());
    return range;
}

BOOL CGXGridExcelLikeFrameImp::DrawExcelLikeFrame(CGXGridCore* pGrid, CDC* pDC, ROWCOL nTop, ROWCOL nLeft,
                                                  ROWCOL nBottom, ROWCOL nRight, BOOL, BOOL)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pDC == nullptr || pParam == nullptr || pGrid->IsLockUpdate())
        return FALSE;
    CGXRange range(nTop, nLeft, nBottom, nRight);
    int nHandle = 0;
    if (IsAllZero(range))
    {
        if (!FrameEnabled(pGrid) || pGrid->m_bExcelFrameLocked)
            return FALSE;
        // The paint draws the frame of the selection as it is now.
        RefreshExcelLikeFrame(pGrid, TRUE, nullptr, FALSE);
        if (!pGrid->m_bExcelFrameShown)
            return FALSE;
        range = pGrid->m_rangeExcelFrame;
        nHandle = pGrid->m_nExcelFrameHandle;
    }
    const CRect rectGrid = pGrid->GetGridRect();
    PanePart rowParts[2];
    PanePart colParts[2];
    PaneParts(pGrid, TRUE, range.top, range.bottom, rectGrid.top, rectGrid.bottom, rowParts);
    PaneParts(pGrid, FALSE, range.left, range.right, rectGrid.left, rectGrid.right, colParts);
    // Grid lines on the right and bottom of the cells: the frame sits on them one pixel up and left.
    const int nLineOffset = pParam->m_bLinesRightBottom ? -1 : 0;
    BOOL bDrawn = FALSE;
    for (const PanePart& rows : rowParts)
        for (const PanePart& cols : colParts)
        {
            if (!rows.bShown || !cols.bShown)
                continue;
            CRect frame(cols.nStart, rows.nStart, cols.nEnd, rows.nEnd);
            frame.OffsetRect(nLineOffset, nLineOffset);
            const CRect clip(cols.nPaneStart, rows.nPaneStart, cols.nPaneEnd, rows.nPaneEnd);
            DrawFrame(pGrid, pDC, frame, clip, rows.bStartHere, cols.bStartHere, nHandle, FALSE);
            bDrawn = TRUE;
        }
    return bDrawn;
}

void CGXGridExcelLikeFrameImp::DrawFrame(CGXGridCore*, CDC* pDC, const CRect& frame, const CRect& clip,
                                         BOOL bTopHere, BOOL bLeftHere, int nHandle, BOOL bHandleOnly)
{
    const int L = frame.left;
    const int T = frame.top;
    const int R = frame.right;
    const int B = frame.bottom;
    auto invert = [&](int l, int t, int r, int b) {
        const CRect rect(l, t, r, b);
        if (!rect.IsRectEmpty())
            CGXDrawingAndFormatting::InvertRectClipped(pDC, rect, clip);
    };
    if (!bHandleOnly)
    {
        if (bTopHere)
        {
            invert(L - 1, T - 1, R + 2, T);
            invert(L + 2, T + 2, R - 2, T + 3);
        }
        else if (bLeftHere && T < B)
        {
            invert(L + 2, T, L + 3, T + 3);
            invert(R - 2, T, R - 1, T + 1);
        }
        if (bLeftHere)
        {
            invert(L - 1, T, L, B + 2);
            invert(L + 2, T + 3, L + 3, B - 2);
        }
        else if (bTopHere && L < R)
        {
            invert(L, B - 2, L + 2, B - 1);
            invert(L, T + 2, L + 2, T + 3);
        }
        invert(L, B, R, B + 2);
        invert(R, T, R + 2, B + 2);
        invert(L + 2, B - 2, R - 2, B - 1);
        invert(R - 2, bTopHere ? T + 2 : T + 1, R - 1, B - 1);
    }
    switch (nHandle)
    {
    case 0:
        invert(R - 1, B - 2, R + 2, B + 3);
        invert(R - 2, B - 1, R + 3, B + 2);
        invert(R + 2, B + 2, R + 3, B + 3);
        break;
    case 2:
        invert(L + 2, B - 1, L + 7, B + 2);
        invert(L + 3, B - 3, L + 7, B - 2);
        invert(L + 1, B - 2, L + 6, B + 3);
        invert(L + 1, B + 2, L + 2, B + 3);
        break;
    case 7:
        invert(R - 1, T + 2, R + 2, T + 7);
        invert(R - 3, T + 3, R - 2, T + 7);
        invert(R - 2, T + 1, R + 3, T + 6);
        invert(R + 2, T + 1, R + 3, T + 2);
        break;
    default:
        break;
    }
}

BOOL CGXGridExcelLikeFrameImp::RefreshExcelLikeFrame(CGXGridCore* pGrid, BOOL bRedraw, const CGXRange*, BOOL)
{
    if (!FrameEnabled(pGrid) || pGrid->m_bExcelFrameLocked)
        return FALSE;
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    BOOL bShown = FALSE;
    int nHandle = 0;
    CGXRange range(0, 0, 0, 0);
    if (!selection.IsEmpty() && selection.GetTail()->IsValid())
    {
        range = FrameRange(pGrid, *selection.GetTail(), nHandle);
        bShown = range.top <= range.bottom && range.left <= range.right;
    }
    if (bShown == pGrid->m_bExcelFrameShown &&
        (!bShown || (range == pGrid->m_rangeExcelFrame && nHandle == pGrid->m_nExcelFrameHandle)))
        return TRUE;
    // The frame is drawn by the paint: its old and new places are repainted.
    if (bRedraw && pGrid->m_bExcelFrameShown)
        InvalidateFrame(pGrid, pGrid->m_rangeExcelFrame);
    pGrid->m_rangeExcelFrame = range;
    pGrid->m_nExcelFrameHandle = nHandle;
    pGrid->m_bExcelFrameShown = bShown;
    if (bRedraw && bShown)
        InvalidateFrame(pGrid, range);
    return TRUE;
}

BOOL CGXGridExcelLikeFrameImp::RedrawExcelLikeFrame(CGXGridCore* pGrid)
{
    if (!FrameEnabled(pGrid) || !pGrid->m_bExcelFrameShown || pGrid->m_nExcelFrameHandle == 0)
        return FALSE;
    InvalidateFrame(pGrid, pGrid->m_rangeExcelFrame);
    return TRUE;
}

BOOL CGXGridExcelLikeFrameImp::LockExcelLikeFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !pParam->m_bExcelLikeFrame)
        return FALSE;
    const BOOL bOld = pGrid->m_bExcelFrameLocked;
    bLock = bLock ? TRUE : FALSE;
    if (bOld == bLock)
        return bOld;
    pGrid->m_bExcelFrameLocked = bLock;
    HWND hWnd = GridHwnd(pGrid);
    if (bRedraw && !pGrid->IsLockUpdate() && hWnd != nullptr && ::IsWindowVisible(hWnd))
    {
        if (pGrid->m_bExcelFrameShown)
            InvalidateFrame(pGrid, pGrid->m_rangeExcelFrame);
        if (!bLock)
            RefreshExcelLikeFrame(pGrid, TRUE, nullptr, FALSE);
    }
    return bOld;
}

// ---- Fill ----

BOOL CGXGridExcelLikeFillImp::OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int, ROWCOL nRow,
                                            ROWCOL nCol)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    CGXRange range;
    if (!SelectedRangeAt(pGrid, nRow, nCol, range))
        return FALSE;
    if (nRow < pGrid->GetTopRow() || nCol < pGrid->GetLeftCol() || !range.IsCells() ||
        !pGrid->CanStartFill(range, point, nFlags))
        return FALSE;
    pGrid->TransferCurrentCellValue();
    m_bDragging = TRUE;
    pGrid->SetMouseTrackState(static_cast<WORD>(pGrid->GetMouseTrackState() | GX_TRACK_FILLDRAG));
    m_source = range;
    m_rectFeedback.SetRectEmpty();
    m_target = CGXRange(0, 0, 0, 0);
    return TRUE;
}

BOOL CGXGridExcelLikeFillImp::OnMoveTo(CGXGridCore* pGrid, CPoint point, UINT, ROWCOL nRow, ROWCOL nCol)
{
    if (!m_bDragging)
        return FALSE;
    const CGXRange& src = m_source;
    // The whole source block's window rectangle, parts scrolled out counted beyond the edges.
    const ROWCOL nTop = std::max(src.top, pGrid->GetTopRow());
    const ROWCOL nLeft = std::max(src.left, pGrid->GetLeftCol());
    CRect rect;
    pGrid->CalcRangeRect(rect, nTop, nLeft, std::max(src.bottom, nTop), std::max(src.right, nLeft));
    if (src.top < nTop)
        rect.top -= pGrid->CalcSumOfRowHeights(src.top, nTop - 1);
    if (src.left < nLeft)
        rect.left -= pGrid->CalcSumOfColWidths(src.left, nLeft - 1);

    const int nBeyondTop = rect.top - point.y;
    const int nBeyondBottom = point.y - rect.bottom;
    const int nBeyondLeft = rect.left - point.x;
    const int nBeyondRight = point.x - rect.right;
    const int nVertical = std::max(nBeyondTop, nBeyondBottom);
    const int nHorizontal = std::max(nBeyondLeft, nBeyondRight);
    enum { Shrink, Up, Down, Left, Right } direction = Shrink;
    if (nVertical > 0 && (nHorizontal <= 0 || nVertical >= nHorizontal))
        direction = nBeyondTop > 0 ? Up : Down;
    else if (nHorizontal > 0)
        direction = nBeyondLeft > 0 ? Left : Right;

    CRect cell;
    pGrid->CalcRangeRect(cell, nRow, nCol, nRow, nCol);
    const BOOL bUpperHalf = point.y <= cell.bottom - (cell.bottom - cell.top) / 2;
    const BOOL bLeftHalf = point.x <= cell.right - (cell.right - cell.left) / 2;
    CGXRange target = src;
    switch (direction)
    {
    case Down:
        target.bottom = bUpperHalf && nRow > 0 ? nRow - 1 : nRow;
        break;
    case Up:
        target.top = bUpperHalf ? nRow : nRow + 1;
        break;
    case Right:
        target.right = bLeftHalf && nCol > 0 ? nCol - 1 : nCol;
        break;
    case Left:
        target.left = bLeftHalf ? nCol : nCol + 1;
        break;
    case Shrink:
        if (static_cast<long long>(src.right) - nCol < static_cast<long long>(src.bottom) - nRow)
            target.bottom = std::clamp(nRow, src.top, src.bottom);
        else
            target.right = std::clamp(nCol, src.left, src.right);
        break;
    }
    // A target that does not reach past the source on the side it grows is the source.
    target.top = std::min(target.top, src.top);
    target.left = std::min(target.left, src.left);
    target.bottom = std::max(target.bottom, direction == Shrink ? target.top : src.bottom);
    target.right = std::max(target.right, direction == Shrink ? target.left : src.right);
    DrawFillFeedback(pGrid, target, TRUE, TRUE);
    return TRUE;
}

BOOL CGXGridExcelLikeFillImp::OnLButtonUp(CGXGridCore* pGrid, CPoint, UINT)
{
    if (!m_bDragging)
        return FALSE;
    const CGXRange target = m_target;
    DrawFillFeedback(pGrid, target, TRUE, FALSE);
    m_bDragging = FALSE;
    pGrid->SetMouseTrackState(static_cast<WORD>(pGrid->GetMouseTrackState() & ~GX_TRACK_FILLDRAG));
    if (IsAllZero(target))
        return TRUE;
    pGrid->SetSelection(nullptr);
    pGrid->DoExcelLikeFill(m_source, target);
    pGrid->SelectFilledRange(target);
    return TRUE;
}

void CGXGridExcelLikeFillImp::RemoveDragFrame(CGXGridCore* pGrid)
{
    DrawFillFeedback(pGrid, m_target, TRUE, FALSE);
}

BOOL CGXGridExcelLikeFillImp::CancelFill(CGXGridCore* pGrid)
{
    DrawFillFeedback(pGrid, m_target, TRUE, FALSE);
    m_bDragging = FALSE;
    pGrid->SetMouseTrackState(static_cast<WORD>(pGrid->GetMouseTrackState() & ~GX_TRACK_FILLDRAG));
    return TRUE;
}

BOOL CGXGridExcelLikeFillImp::SelectFilledRange(CGXGridCore* pGrid, const CGXRange& range)
{
    CGXGridParam* pParam = pGrid->GetParam();
    CGXRange* pRange = new (std::nothrow) CGXRange(range);
    if (pParam == nullptr || pRange == nullptr)
    {
        delete pRange;
        return FALSE;
    }
    const POSITION pos = pParam->m_SelRects.AddTail(pRange);
    return pGrid->SetSelection(pos, &range);
}

BOOL CGXGridExcelLikeFillImp::StartExcelLikeFill(CGXGridCore*, UINT)
{
    // A fill starts only from a press on the handle.
    return FALSE;
}

void CGXGridExcelLikeFillImp::DrawFillFeedback(CGXGridCore* pGrid, const CGXRange& range, BOOL bErase, BOOL bDraw)
{
    if (bErase && bDraw && !IsAllZero(m_target) && range == m_target)
        return;
    if (bDraw && !pGrid->IsValidFillRange(range, m_source))
        bDraw = FALSE;
    HWND hWnd = GridHwnd(pGrid);
    if (hWnd == nullptr)
        return;
    HDC hDC = ::GetDC(hWnd);
    const CRect rectGrid = pGrid->GetGridRect();
    ::IntersectClipRect(hDC, rectGrid.left, rectGrid.top, rectGrid.right, rectGrid.bottom);
    auto drawPair = [hDC](const CRect& rect) {
        ::DrawFocusRect(hDC, &rect);
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        ::DrawFocusRect(hDC, &inner);
    };
    if ((bErase || !bDraw) && !m_rectFeedback.IsRectEmpty())
    {
        drawPair(m_rectFeedback);
        m_rectFeedback.SetRectEmpty();
        m_target = CGXRange(0, 0, 0, 0);
    }
    if (bDraw)
    {
        m_target = range;
        CRect rect;
        if (pGrid->CalcRangeRect(rect, range.top, range.left, range.bottom, range.right))
        {
            // The feedback stays off the grid lines: on the left and top of the cells, or on their
            // right and bottom.
            CGXProperties* pProperties = pGrid->GetProperties();
            const BOOL bRightBottom = pGrid->GetParam() != nullptr && pGrid->GetParam()->m_bLinesRightBottom;
            if (pProperties != nullptr && pProperties->GetDisplayVertLines())
            {
                if (bRightBottom)
                    rect.right -= 1;
                else
                    rect.left += 1;
            }
            if (pProperties != nullptr && pProperties->GetDisplayHorzLines())
            {
                if (bRightBottom)
                    rect.bottom -= 1;
                else
                    rect.top += 1;
            }
            drawPair(rect);
            m_rectFeedback = rect;
        }
    }
    ::ReleaseDC(hWnd, hDC);
}

BOOL CGXGridExcelLikeFillImp::DoExcelLikeFill(CGXGridCore* pGrid, const CGXRange& src, const CGXRange& target)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || target == src || (pParam->m_wFillFlags & 3) == 0)
        return FALSE;
    const BOOL bStyles = (pParam->m_wFillFlags & 2) != 0;
    // The whole fill undoes in one step; the commands stop joining its block however it ends.
    const CGXFlagScope blockRecording(pGrid->m_bBlockRecording, FALSE);
    if (pGrid->m_pUndoImp != nullptr && pParam->IsEnableUndo())
    {
        CObject* pBlock = pGrid->m_pUndoImp->CreateBlockCmd(nullptr);
        pGrid->m_bBlockRecording = pBlock != nullptr && pGrid->AddCommand(pBlock, 0);
    }
    BOOL bResult = TRUE;
    if (target.GetHeight() < src.GetHeight() || target.GetWidth() < src.GetWidth())
    {
        CGXRangeList cleared;
        CGXRange* pGivenUp = target.GetHeight() < src.GetHeight()
                                 ? new (std::nothrow) CGXRange(target.bottom + 1, target.left, src.bottom, target.right)
                                 : new (std::nothrow) CGXRange(src.top, target.right + 1, src.bottom, src.right);
        if (pGivenUp != nullptr)
        {
            cleared.AddTail(pGivenUp);
            bResult = pGrid->ClearCells(cleared, bStyles);
        }
        else
            bResult = FALSE;
    }
    else
    {
        const BOOL bRows = target.GetWidth() == src.GetWidth();
        // The new cells: below or above the source, else right or left of it.
        CGXRange added = target;
        if (bRows)
        {
            if (target.bottom > src.bottom)
                added.top = src.bottom + 1;
            else
                added.bottom = src.top - 1;
        }
        else if (target.right > src.right)
            added.left = src.right + 1;
        else
            added.right = src.left - 1;
        ROWCOL nStep = 0;
        // The filled cells are drawn once they are all filled, and what follows them is worked out
        // then (the redraw lock holds the recalculation); an evaluation error it meets is reported.
        pGrid->ArmRecalcMessage();
        CGXLockUpdateScope lock(pGrid);
        for (ROWCOL nLine = bRows ? added.top : added.left; nLine <= (bRows ? added.bottom : added.right);
             ++nLine, ++nStep)
        {
            const ROWCOL nSourceLine =
                bRows ? src.top + nStep % src.GetHeight() : src.left + nStep % src.GetWidth();
            const ROWCOL nCount = bRows ? src.GetWidth() : src.GetHeight();
            for (ROWCOL i = 0; i < nCount; ++i)
            {
                const ROWCOL nRow = bRows ? nLine : src.top + i;
                const ROWCOL nCol = bRows ? src.left + i : nLine;
                const ROWCOL nFromRow = bRows ? nSourceLine : nRow;
                const ROWCOL nFromCol = bRows ? nCol : nSourceLine;
                if (bStyles)
                {
                    const CGXPoolStyle style(pGrid);
                    if (style.Get() == nullptr)
                    {
                        bResult = FALSE;
                        continue;
                    }
                    pGrid->BuildEffectiveStyle(nFromRow, nFromCol, *style, FALSE);
                    bResult &= pGrid->SetStyleRange(CGXRange(nRow, nCol), style.Get(), gxOverride, 0, GX_SMART);
                }
                else
                {
                    CString text;
                    pGrid->GetCopyTextRowCol(text, nFromRow, nFromCol);
                    bResult &= pGrid->SetControlTextRowCol(nRow, nCol, text, GX_SMART);
                }
            }
            if (nLine == (bRows ? added.bottom : added.right))
                break;
        }
        lock.Restore();
        pGrid->RedrawCellRange(added.top, added.left, added.bottom, added.right, GX_SMART, TRUE);
        pGrid->RedrawChangedCells(GX_SMART);
        pGrid->ReportRecalcMessage();
    }
    return bResult;
}

// ---- Installation ----

void CGXGridCore::InstallExcelLikeFrame()
{
    if (m_pExcelLikeFrameImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridExcelLikeFrameImp;
    if (pImp == nullptr)
        return;
    m_pExcelLikeFrameImp = pImp;
    AddImplementationObject(pImp);
}

void CGXGridCore::InstallExcelLikeFill()
{
    if (m_pExcelLikeFillImp == nullptr)
    {
        if (auto* pImp = new (std::nothrow) CGXGridExcelLikeFillImp)
            SetExcelLikeFillImp(pImp, TRUE);
    }
    InstallExcelLikeFrame();
}
