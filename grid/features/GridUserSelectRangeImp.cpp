#include "grid/features/GridUserSelectRangeImp.h"

#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

const WORD kAnySelection = 0xFF;

BOOL IsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// The bounds of a range as the selection steps take them: zero bounds say whole rows, whole
// columns or the table.
void BoundsOf(const CGXRange& range, ROWCOL& nTop, ROWCOL& nLeft, ROWCOL& nBottom, ROWCOL& nRight)
{
    nTop = range.top;
    nLeft = range.left;
    nBottom = range.bottom;
    nRight = range.right;
    if (range.IsTable())
        nTop = nLeft = nBottom = nRight = 0;
    else if (range.IsRows())
        nLeft = nRight = 0;
    else if (range.IsCols())
        nTop = nBottom = 0;
}

// The range of the bounds: table when top and left are 0, columns when only top is, rows when
// only left is, cells otherwise.
CGXRange RangeOfBounds(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    CGXRange range;
    if (nTop == 0 && nLeft == 0)
        range.SetTable();
    else if (nTop == 0)
        range.SetCols(nLeft, nRight);
    else if (nLeft == 0)
        range.SetRows(nTop, nBottom);
    else
        range.SetCells(nTop, nLeft, nBottom, nRight);
    return range;
}

// A range as cells within the grid's rows and columns (rows 1 .. count, columns 1 .. count).
CGXRange RealBounds(CGXGridCore* pGrid, const CGXRange& range)
{
    CGXRange cells = range;
    cells.ExpandToCells(1, 1, pGrid->GetRowCount(), pGrid->GetColCount());
    return cells;
}

// The window shows the selected state of the area's cells again: the area and the header cells of
// its rows and columns, which a whole-row or whole-column selection marks too, are repainted (the
// paint inverts what is selected then).
void InvalidateArea(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || pGrid->GetParam()->m_bNoSelectionInversion)
        return;
    CGXFlagScope drawing(pGrid->m_bDrawingSelection, TRUE);
    nBottom = std::min(nBottom, pGrid->GetRowCount());
    nRight = std::min(nRight, pGrid->GetColCount());
    if (nTop > nBottom || nLeft > nRight)
        return;
    CRect rect;
    if (pGrid->CalcRangeRect(rect, nTop, nLeft, nBottom, nRight))
        pGrid->InvalidateRect(rect);
    if (pGrid->CalcRangeRect(rect, nTop, 0, nBottom, 0))
        pGrid->InvalidateRect(rect);
    if (pGrid->CalcRangeRect(rect, 0, nLeft, 0, nRight))
        pGrid->InvalidateRect(rect);
}

void InvalidateRange(CGXGridCore* pGrid, const CGXRange& range)
{
    if (!range.IsValid())
        return;
    const CGXRange cells = RealBounds(pGrid, range);
    const BOOL bTable = range.IsTable();
    InvalidateArea(pGrid, bTable ? 0 : cells.top, bTable ? 0 : cells.left, cells.bottom, cells.right);
}

} // namespace

// ---- The list and its drawing ----

BOOL CGXGridUserSelectRangeImp::SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL,
                                            UINT, BOOL bCreateHint)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    CGXRangeList previous;
    pGrid->GetSelectedRanges(previous, FALSE);
    pGrid->StoreSelectRange(range, bSelect);
    pGrid->OnChangedSelection(&range, FALSE, FALSE);
    pGrid->UpdateSelectRange(range, &previous, bCreateHint);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::StoreSelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect)
{
    CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    if (bSelect)
    {
        selection.AddTail(new CGXRange(range));
        return TRUE;
    }
    if (!range.IsValid())
        return TRUE;
    const CGXRange cut = RealBounds(pGrid, range);
    std::vector<CGXRange> pieces;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION here = pos;
        const CGXRange* pListed = selection.GetNext(pos);
        if (!pListed->IsValid())
            continue;
        const CGXRange old = RealBounds(pGrid, *pListed);
        const ROWCOL nTop = std::max(old.top, cut.top);
        const ROWCOL nBottom = std::min(old.bottom, cut.bottom);
        const ROWCOL nLeft = std::max(old.left, cut.left);
        const ROWCOL nRight = std::min(old.right, cut.right);
        if (nTop > nBottom || nLeft > nRight)
            continue;
        // Pieces above and below stay whole rows when rows are cut from rows or the table; pieces
        // left and right stay whole columns when columns are cut from columns or the table.
        const BOOL bRowPieces = range.IsRows() && (pListed->IsRows() || pListed->IsTable());
        const BOOL bColPieces = range.IsCols() && (pListed->IsCols() || pListed->IsTable());
        if (old.top < nTop)
            pieces.push_back(bRowPieces ? CGXRange().SetRows(old.top, nTop - 1)
                                        : CGXRange(old.top, old.left, nTop - 1, old.right));
        if (nBottom < old.bottom)
            pieces.push_back(bRowPieces ? CGXRange().SetRows(nBottom + 1, old.bottom)
                                        : CGXRange(nBottom + 1, old.left, old.bottom, old.right));
        if (old.left < nLeft)
            pieces.push_back(bColPieces ? CGXRange().SetCols(old.left, nLeft - 1)
                                        : CGXRange(old.top, old.left, old.bottom, nLeft - 1));
        if (nRight < old.right)
            pieces.push_back(bColPieces ? CGXRange().SetCols(nRight + 1, old.right)
                                        : CGXRange(old.top, nRight + 1, old.bottom, old.right));
        selection.DeleteAt(here);
    }
    for (const CGXRange& piece : pieces)
        selection.AddTail(new CGXRange(piece));
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::UpdateSelectRange(CGXGridCore* pGrid, const CGXRange& area,
                                                  const CGXRangeList* pOldList, BOOL bCreateHint)
{
    const BOOL bFromCorner = pOldList != nullptr && !pOldList->IsEmpty() && pOldList->GetHead()->IsTable();
    if (area.IsValid())
    {
        const CGXRange cells = RealBounds(pGrid, area);
        const BOOL bTable = area.IsTable() || bFromCorner;
        InvalidateArea(pGrid, bTable ? 0 : cells.top, bTable ? 0 : cells.left, cells.bottom, cells.right);
    }
    if (HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr)
        ::UpdateWindow(hWnd);

    // The next gesture extends the range made last.
    CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    pGrid->m_posGestureRange = selection.GetTailPosition();
    if (pGrid->m_posGestureRange != nullptr)
    {
        const CGXRange* pTail = selection.GetAt(pGrid->m_posGestureRange);
        pGrid->m_nAnchorRow = pTail->top;
        pGrid->m_nAnchorCol = pTail->left;
        pGrid->SetLastHitCell(pTail->top, pTail->left);
    }
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintSelectRange(pGrid, area, const_cast<CGXRangeList*>(pOldList));
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::SetSelection(CGXGridCore* pGrid, POSITION pos, const CGXRange* pRange,
                                             BOOL bCreateHint)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    CGXRangeList& selection = pParam->m_SelRects;
    if (pos == nullptr)
    {
        if (!selection.IsEmpty())
            pGrid->InvertAllSelectedCells(bCreateHint);
        selection.DeleteAll();
        pGrid->m_posGestureRange = nullptr;
        return TRUE;
    }
    ROWCOL nTop = 0;
    ROWCOL nLeft = 0;
    ROWCOL nBottom = 0;
    ROWCOL nRight = 0;
    if (pRange != nullptr)
        BoundsOf(*pRange, nTop, nLeft, nBottom, nRight);
    if (pParam->m_wListBoxSelection != 0)
        nLeft = nRight = 0;
    if (nTop > nBottom)
        std::swap(nTop, nBottom);
    if (nLeft > nRight)
        std::swap(nLeft, nRight);
    HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
    if (hWnd != nullptr)
        ::UpdateWindow(hWnd);
    pGrid->UpdateSelection(pos, nTop, nLeft, nBottom, nRight, bCreateHint);
    *selection.GetAt(pos) = RangeOfBounds(nTop, nLeft, nBottom, nRight);
    if (hWnd != nullptr)
        ::UpdateWindow(hWnd);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::UpdateSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft,
                                                ROWCOL nBottom, ROWCOL nRight, BOOL bCreateHint)
{
    // The range there now and the new bounds (0 reaching to the end) both change their look.
    const CGXRange* pOld = pGrid->GetParam()->m_SelRects.GetAt(pos);
    if (pOld != nullptr)
        InvalidateRange(pGrid, *pOld);
    InvalidateRange(pGrid, RangeOfBounds(nTop, nLeft, nBottom, nRight));
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintUpdateSelection(pGrid, pos, nTop, nLeft, nBottom, nRight);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::InvertAllSelectedCells(CGXGridCore* pGrid, BOOL bCreateHint)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
        InvalidateRange(pGrid, *selection.GetNext(pos));
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintInvertAllSelectedCells(pGrid);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::CopyRangeToSelection(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut)
{
    if (!range.IsValid())
        return FALSE;
    rangeOut = range;
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    if (!rangeOut.IsCols() && !rangeOut.IsTable())
        rangeOut.bottom = std::min(rangeOut.bottom, nRows);
    if (!rangeOut.IsRows() && !rangeOut.IsTable())
        rangeOut.right = std::min(rangeOut.right, nCols);
    return rangeOut.top <= rangeOut.bottom && rangeOut.left <= rangeOut.right;
}

BOOL CGXGridUserSelectRangeImp::DrawInvertedSelection(CGXGridCore* pGrid, CDC* pDC, const CRect& rect, BOOL bInvert)
{
    if (pDC == nullptr || !bInvert)
        return FALSE;
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    const ROWCOL nLastRow = pGrid->GetLastVisibleRow();
    const ROWCOL nLastCol = pGrid->GetLastVisibleCol();
    for (ROWCOL nClientRow = 0; pGrid->ClientRowToRow(nClientRow) <= nLastRow; ++nClientRow)
        for (ROWCOL nClientCol = 0; pGrid->ClientColToCol(nClientCol) <= nLastCol; ++nClientCol)
        {
            const ROWCOL nRow = pGrid->ClientRowToRow(nClientRow);
            const ROWCOL nCol = pGrid->ClientColToCol(nClientCol);
            if (!selection.IsCellInList(nRow, nCol))
                continue;
            CRect cell = pGrid->CalcCellRect(nRow, nCol);
            CRect clipped;
            if (clipped.IntersectRect(&cell, &rect))
                pGrid->InvertCellSelection(pDC, nRow, nCol, clipped);
        }
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::RedrawSelectionChange(CGXGridCore* pGrid, const CGXRange& oldRange,
                                                      const CGXRange& newRange, BOOL, BOOL, UINT, BOOL)
{
    InvalidateRange(pGrid, oldRange);
    InvalidateRange(pGrid, newRange);
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::RedrawSelection(CGXGridCore* pGrid, UINT)
{
    return pGrid->InvertAllSelectedCells(FALSE);
}

// ---- Mouse ----

BOOL CGXGridUserSelectRangeImp::OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int, ROWCOL nRow,
                                              ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    CGXRangeList& selection = pParam->m_SelRects;

    if (nRow == 0 && nCol == 0)
    {
        // The corner toggles the whole table.
        if (!pParam->IsSelectionAllowed(0x04) || !pGrid->OnStartSelection(0, 0, nFlags, point))
            return FALSE;
        const BOOL bSelected = selection.IsCellInList(0, 0);
        if (!bSelected && pGrid->CanChangeSelection(nullptr, TRUE, FALSE))
        {
            pGrid->SetSelection(nullptr);
            pGrid->OnChangedSelection(nullptr, TRUE, FALSE);
        }
        CGXRange table;
        table.SetTable();
        pGrid->SelectRange(table, !bSelected, TRUE);
        return TRUE;
    }

    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const BOOL bColHeader = nRow <= nHeaderRows && nCol > nHeaderCols;
    const BOOL bRowHeader = nCol <= nHeaderCols && nRow > nHeaderRows;
    const BOOL bCell = nRow > nHeaderRows && nCol > nHeaderCols;
    const WORD wListBox = pParam->m_wListBoxSelection;
    BOOL bCtrl = (nFlags & MK_CONTROL) != 0 && pParam->IsSelectionAllowed(0x10);
    BOOL bShift = (nFlags & MK_SHIFT) != 0 && pParam->IsSelectionAllowed(0x20);
    if ((wListBox & 0x0002) != 0)
    {
        bCtrl = (nFlags & MK_CONTROL) != 0;
        bShift = (nFlags & MK_SHIFT) != 0;
    }
    else if ((wListBox & 0x0001) != 0)
        bCtrl = bShift = FALSE;

    if (!pParam->IsSelectionAllowed(kAnySelection) || !pGrid->OnStartSelection(nRow, nCol, nFlags, point))
        return FALSE;

    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(nCurRow, nCurCol);
    if (!bShift)
    {
        if (!bCtrl)
        {
            if (pGrid->CanChangeSelection(nullptr, TRUE, FALSE))
            {
                pGrid->SetSelection(nullptr);
                pGrid->OnChangedSelection(nullptr, TRUE, FALSE);
            }
        }
        else if (selection.IsEmpty() && bCurrent && (nCurRow != nRow || nCurCol != nCol) && wListBox == 0)
        {
            // Ctrl adds a range: the cell that was current is selected first, as a range of its own.
            CGXRange current(nCurRow, nCurCol);
            if (pGrid->CanChangeSelection(&current, TRUE, FALSE))
            {
                pGrid->SelectRange(current, TRUE, TRUE);
                pGrid->OnChangedSelection(&current, TRUE, FALSE);
            }
        }
    }

    if (!((bRowHeader && pParam->IsSelectionAllowed(0x01)) || (bColHeader && pParam->IsSelectionAllowed(0x02)) ||
          (bCell && pParam->IsSelectionAllowed(0x08))))
        return FALSE;

    pGrid->SetMouseTrackState(static_cast<WORD>(pGrid->GetMouseTrackState() | GX_TRACK_SELECTING));
    if (bShift)
    {
        if (selection.IsEmpty())
        {
            pGrid->m_posGestureRange = selection.AddTail(new CGXRange());
            pGrid->m_nAnchorRow = bCurrent ? nCurRow : 1;
            pGrid->m_nAnchorCol = bCurrent ? nCurCol : 1;
        }
        else
            pGrid->m_posGestureRange = selection.GetTailPosition();
        CGXRange range(pGrid->m_nAnchorRow, pGrid->m_nAnchorCol, nRow, nCol);
        if (pGrid->CanChangeSelection(&range, TRUE, FALSE))
        {
            pGrid->SetSelection(pGrid->m_posGestureRange, &range);
            pGrid->OnChangedSelection(selection.GetAt(pGrid->m_posGestureRange), TRUE, FALSE);
        }
        return TRUE;
    }

    pGrid->m_posGestureRange = selection.AddTail(new CGXRange());
    pGrid->m_nAnchorRow = nRow;
    pGrid->m_nAnchorCol = nCol;
    if (bCell && wListBox == 0)
        return TRUE; // the range stays empty until the pointer moves

    CGXRange range;
    if (bRowHeader)
        range.SetRows(nRow);
    else if (bColHeader)
        range.SetCols(nCol);
    else
        range = CGXRange(nRow, nCol); // made whole rows by list-box mode
    if (pGrid->CanChangeSelection(&range, TRUE, FALSE))
    {
        pGrid->SetSelection(pGrid->m_posGestureRange, &range);
        pGrid->OnChangedSelection(selection.GetAt(pGrid->m_posGestureRange), TRUE, FALSE);
    }
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnMoveTo(CGXGridCore* pGrid, CPoint, UINT, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || (pGrid->GetMouseTrackState() & GX_TRACK_SELECTING) == 0 ||
        !pParam->IsSelectionAllowed(kAnySelection))
        return FALSE;
    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    pGrid->ValidateGestureRange();
    const ROWCOL nAnchorRow = pGrid->m_nAnchorRow;
    const ROWCOL nAnchorCol = pGrid->m_nAnchorCol;
    CGXRange range;
    if ((pParam->m_wListBoxSelection & 0x0001) != 0)
        range.SetRows(nRow);
    else if (nAnchorRow <= nHeaderRows && nAnchorCol > nHeaderCols)
        range.SetCols(nAnchorCol, nCol);
    else if (nAnchorRow > nHeaderRows && nAnchorCol > nHeaderCols)
        range.SetCells(nAnchorRow, nAnchorCol, std::max(nRow, nHeaderRows + 1), std::max(nCol, nHeaderCols + 1));
    else if (nAnchorCol <= nHeaderCols && nAnchorRow > nHeaderRows)
        range.SetRows(nAnchorRow, nRow);
    else
        return FALSE;
    if (pGrid->m_posGestureRange != nullptr && pGrid->CanChangeSelection(&range, TRUE, FALSE))
    {
        pGrid->SetSelection(pGrid->m_posGestureRange, &range);
        pGrid->OnChangedSelection(pParam->m_SelRects.GetAt(pGrid->m_posGestureRange), TRUE, FALSE);
    }
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnLButtonUp(CGXGridCore* pGrid, CPoint, UINT)
{
    CGXGridParam* pParam = pGrid->GetParam();
    const WORD wState = pGrid->GetMouseTrackState();
    if (pParam == nullptr || (wState & GX_TRACK_SELECTING) == 0)
        return FALSE;
    pGrid->ValidateGestureRange();
    const ROWCOL nAnchorRow = pGrid->m_nAnchorRow;
    const ROWCOL nAnchorCol = pGrid->m_nAnchorCol;
    if (nAnchorRow == 0 && nAnchorCol == 0)
        return FALSE;
    CGXRangeList& selection = pParam->m_SelRects;
    const BOOL bClick = pGrid->GetLastHitRow() == nAnchorRow && pGrid->GetLastHitCol() == nAnchorCol &&
                        nAnchorRow != 0 && nAnchorCol != 0;
    if (pParam->m_wListBoxSelection == 0 && bClick)
    {
        if ((wState & GX_TRACK_CTRL) != 0)
        {
            // Ctrl+click selects the cell as a range of its own; the gesture stays marked to the cell.
            CGXRange cell(nAnchorRow, nAnchorCol);
            if (pGrid->m_posGestureRange != nullptr && pGrid->CanChangeSelection(&cell, FALSE, FALSE))
            {
                pGrid->SetSelection(pGrid->m_posGestureRange, &cell);
                pGrid->OnChangedSelection(&cell, FALSE, FALSE);
            }
            return TRUE;
        }
        if (!pParam->m_bClickKeepsRange)
            pGrid->SetSelection(nullptr); // a plain click only moves the current cell
    }
    pGrid->OnChangedSelection(pGrid->m_posGestureRange != nullptr ? selection.GetAt(pGrid->m_posGestureRange)
                                                                  : nullptr,
                              FALSE, FALSE);
    pGrid->SetMouseTrackState(static_cast<WORD>(pGrid->GetMouseTrackState() & ~GX_TRACK_SELECTING));
    return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnCellLeftClicked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT, CPoint)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !IsKeyDown(VK_CONTROL))
        return FALSE;
    const CGXRangeList& selection = pParam->m_SelRects;
    const BOOL bInOther = selection.IsCellInList(nRow, nCol, pGrid->ValidateGestureRange());
    CGXRange line;
    if (nCol <= pGrid->GetHeaderCols() && bInOther)
        line.SetRows(nRow);
    else if (nRow <= pGrid->GetHeaderRows() && bInOther)
        line.SetCols(nCol);
    else
        return FALSE;
    pGrid->m_posGestureRange = nullptr;
    pGrid->SelectRange(line, FALSE, TRUE);
    return TRUE;
}

// ---- Keyboard ----

BOOL CGXGridUserSelectRangeImp::MoveCurrentCellEx(CGXGridCore* pGrid, int nDirection, UINT nCount)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    CGXRangeList& selection = pParam->m_SelRects;
    const WORD wListBox = pParam->m_wListBoxSelection;
    const BOOL bShift = IsKeyDown(VK_SHIFT) && pParam->IsSelectionAllowed(0x40);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(nRow, nCol);
    pGrid->ValidateGestureRange();

    if (wListBox == 0 && !bShift)
    {
        const BOOL bMoved = pGrid->MoveCurrentCellEx(nDirection, nCount, TRUE);
        pGrid->m_posGestureRange = nullptr;
        return bMoved;
    }
    if (wListBox == 0)
    {
        const BOOL bVertical = nDirection == GX_UP || nDirection == GX_DOWN || nDirection == GX_MOVE_PAGEUP ||
                               nDirection == GX_MOVE_PAGEDOWN || nDirection == GX_MOVE_TOP ||
                               nDirection == GX_MOVE_BOTTOM;
        if (bVertical || !bCurrent)
            return FALSE;
        if (pGrid->m_posGestureRange == nullptr)
        {
            if (!pGrid->OnStartSelection(nRow, nCol, 0, CPoint(0, 0)) ||
                !pGrid->CanChangeSelection(nullptr, TRUE, FALSE))
                return FALSE;
            pGrid->SetSelection(nullptr);
            pGrid->OnChangedSelection(nullptr, TRUE, FALSE);
            pGrid->m_posGestureRange = selection.AddTail(new CGXRange());
            pGrid->m_nAnchorRow = nRow;
            pGrid->m_nAnchorCol = nCol;
        }
        if (!pGrid->CanChangeSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE) ||
            !pGrid->MoveCurrentCellEx(nDirection, nCount, FALSE) || !pGrid->GetCurrentCell(nRow, nCol))
            return FALSE;
        const CGXRange range(pGrid->m_nAnchorRow, pGrid->m_nAnchorCol, nRow, nCol);
        pGrid->SetSelection(pGrid->m_posGestureRange, &range);
        pGrid->SetLastHitCell(nRow, nCol);
        pGrid->OnChangedSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE);
        return TRUE;
    }
    if (!bCurrent)
        return FALSE;

    if ((wListBox & 0x0002) != 0)
    {
        const BOOL bShiftCounts = IsKeyDown(VK_SHIFT);
        if (pGrid->m_posGestureRange == nullptr || !bShiftCounts)
        {
            if (!pGrid->CanChangeSelection(nullptr, TRUE, FALSE))
                return FALSE;
            pGrid->SetSelection(nullptr);
            pGrid->OnChangedSelection(nullptr, TRUE, FALSE);
            pGrid->m_posGestureRange = selection.AddTail(new CGXRange());
            pGrid->m_nAnchorRow = nRow;
            pGrid->m_nAnchorCol = nCol;
        }
        if (!pGrid->CanChangeSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE))
            return FALSE;
        pGrid->MoveCurrentCellEx(nDirection, nCount, TRUE);
        pGrid->GetCurrentCell(nRow, nCol);
        CGXRange rows;
        rows.SetRows(bShiftCounts ? pGrid->m_nAnchorRow : nRow, nRow);
        pGrid->SetSelection(pGrid->m_posGestureRange, &rows);
        pGrid->SetLastHitCell(nRow, nCol);
        pGrid->OnChangedSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE);
        if (!bShiftCounts)
        {
            pGrid->m_nAnchorRow = nRow;
            pGrid->m_nAnchorCol = nCol;
        }
        return TRUE;
    }

    // Single whole rows: the row of the current cell is the selection.
    if (pGrid->m_posGestureRange == nullptr)
    {
        if (!pGrid->CanChangeSelection(nullptr, TRUE, FALSE))
            return FALSE;
        pGrid->SetSelection(nullptr);
        pGrid->m_posGestureRange = selection.AddTail(new CGXRange());
        pGrid->OnChangedSelection(nullptr, TRUE, FALSE);
    }
    if (!pGrid->CanChangeSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE))
        return FALSE;
    pGrid->MoveCurrentCellEx(nDirection, nCount, TRUE);
    pGrid->GetCurrentCell(nRow, nCol);
    CGXRange row;
    row.SetRows(nRow);
    pGrid->SetSelection(pGrid->m_posGestureRange, &row);
    pGrid->m_nAnchorRow = nRow;
    pGrid->m_nAnchorCol = nCol;
    pGrid->SetLastHitCell(nRow, nCol);
    pGrid->OnChangedSelection(selection.GetAt(pGrid->m_posGestureRange), FALSE, TRUE);
    return TRUE;
}

// ---- Installation ----

void CGXGridCore::InstallUserSelectRange()
{
    if (m_pUserSelectRangeImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridUserSelectRangeImp;
    if (pImp == nullptr)
        return;
    m_pUserSelectRangeImp = pImp;
    AddImplementationObject(pImp);
}
