#include "grid/features/GridUserDragSelectRangeImp.h"

#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/features/GridDragLineWnd.h"

#include <algorithm>
#include <new>

namespace {

const int kDragCols = 1;
const int kDragRows = 2;

HWND GridHwnd(CGXGridCore* pGrid)
{
    return pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

// The dragged range: the range at the selection position.
const CGXRange* DraggedRange(CGXGridCore* pGrid)
{
    POSITION pos = pGrid->ValidateGestureRange();
    return pos != nullptr ? pGrid->GetParam()->m_SelRects.GetAt(pos) : nullptr;
}

// The drop cell under the point: the row (column) there, the count + 1 below (right of) the last
// one, never before the first scrolled one; the other index 0.
void DropCellAt(CGXGridCore* pGrid, CPoint point, ROWCOL& nDropRow, ROWCOL& nDropCol)
{
    nDropRow = 0;
    nDropCol = 0;
    if (pGrid->m_nDragMode == kDragRows)
    {
        const ROWCOL nClient = pGrid->CalcClientRowFromPt(point);
        nDropRow = nClient == GX_INVALID ? pGrid->GetRowCount() + 1 : pGrid->ClientRowToRow(std::max<ROWCOL>(nClient, 1));
    }
    else
    {
        const ROWCOL nClient = pGrid->CalcClientColFromPt(point);
        nDropCol = nClient == GX_INVALID ? pGrid->GetColCount() + 1 : pGrid->ClientColToCol(std::max<ROWCOL>(nClient, 1));
    }
}

void DestroyLineWnd(CGXGridCore* pGrid)
{
    delete pGrid->m_pLineWnd;
    pGrid->m_pLineWnd = nullptr;
}

} // namespace

// ---- Mouse ----

BOOL CGXGridUserDragSelectRangeImp::OnLButtonDown(CGXGridCore* pGrid, CPoint, UINT, int, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const CGXRangeList& selection = pParam->m_SelRects;
    const BOOL bColHeader =
        nRow <= pGrid->GetHeaderRows() && nCol > pGrid->GetHeaderCols() && selection.IsCellInList(0, nCol);
    const BOOL bRowHeader =
        nCol <= pGrid->GetHeaderCols() && nRow > pGrid->GetHeaderRows() && selection.IsCellInList(nRow, 0);
    if (selection.IsCellInList(0, 0) || !selection.IsCellInList(nRow, nCol))
        return FALSE;
    const BOOL bCols = bColHeader && pParam->m_bAllowDragCols;
    const BOOL bRows = !bCols && bRowHeader && pParam->m_bAllowDragRows;
    if (!bCols && !bRows)
        return FALSE;

    pGrid->m_bDragSelectPending = TRUE;
    if (pGrid->StartDragSelection(bCols ? 0 : nRow, bCols ? nCol : 0))
    {
        HWND hWnd = GridHwnd(pGrid);
        if (hWnd != nullptr && ::GetCapture() != hWnd)
        {
            if (pGrid->m_pAutoScrollPlugin != nullptr)
                pGrid->StartAutoScroll(FALSE, bRows && !pGrid->IsFrozenRow(nRow), bCols && !pGrid->IsFrozenCol(nCol));
            ::SetCapture(hWnd);
        }
        return TRUE;
    }
    pGrid->m_nDragMode = 0;
    pGrid->m_bDragSelectPending = FALSE;
    if (HWND hWnd = GridHwnd(pGrid))
        ::SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
    return FALSE;
}

BOOL CGXGridUserDragSelectRangeImp::OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT)
{
    if (!pGrid->m_bDragSelectPending)
        return FALSE;
    ROWCOL nDropRow = 0;
    ROWCOL nDropCol = 0;
    DropCellAt(pGrid, point, nDropRow, nDropCol);
    pGrid->DoDragSelection(pGrid->m_nDropRow, pGrid->m_nDropCol, nDropRow, nDropCol);
    return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT)
{
    if (!pGrid->m_bDragSelectPending)
        return FALSE;
    HWND hWnd = GridHwnd(pGrid);
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    ROWCOL nDropRow = 0;
    ROWCOL nDropCol = 0;
    DropCellAt(pGrid, point, nDropRow, nDropCol);
    const CGXRange* pDragged = DraggedRange(pGrid);
    if (pDragged != nullptr)
        pGrid->DropSelection(pDragged->top, pDragged->left, nDropRow, nDropCol);
    else
        CancelDragSelection(pGrid);
    pGrid->m_bDragSelectPending = FALSE;
    return TRUE;
}

// ---- The drag ----

BOOL CGXGridUserDragSelectRangeImp::StartDragSelection(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    if (nRow == 0 && nCol == 0)
        return FALSE;
    CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    pGrid->m_nDropRow = std::max<ROWCOL>(nRow, 1);
    pGrid->m_nDropCol = std::max<ROWCOL>(nCol, 1);
    const POSITION pos = selection.FindRange(nRow, nCol);
    if (pos == nullptr)
        return FALSE;
    const CGXRange* pRange = selection.GetAt(pos);
    if (nRow == 0)
    {
        pGrid->m_nDragMode = kDragCols;
        if (!pGrid->CanDragSelectCols(pRange->left, pRange->right))
            return FALSE;
    }
    else
    {
        pGrid->m_nDragMode = kDragRows;
        if (!pGrid->CanDragSelectRows(pRange->top, pRange->bottom))
            return FALSE;
    }
    pGrid->m_posGestureRange = pos;
    pGrid->SetCursorOverride(GX_IDC_SELFRAME);
    pGrid->m_bDrawingSelection = TRUE;
    pGrid->m_bLockSelectionFrame = TRUE;
    return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::DoDragSelection(CGXGridCore* pGrid, ROWCOL, ROWCOL, ROWCOL nToRow, ROWCOL nToCol)
{
    const BOOL bRows = pGrid->m_nDragMode == kDragRows;
    nToRow = std::max<ROWCOL>(nToRow, 1);
    nToCol = std::max<ROWCOL>(nToCol, 1);
    if (bRows ? nToRow == pGrid->m_nDropRow : nToCol == pGrid->m_nDropCol)
        return FALSE;
    if (pGrid->m_pLineWnd != nullptr)
        pGrid->m_pLineWnd->ShowWindow(SW_HIDE);
    pGrid->m_nDropRow = nToRow;
    pGrid->m_nDropCol = nToCol;
    const CGXRange* pDragged = DraggedRange(pGrid);
    if (pDragged == nullptr)
        return FALSE;
    const BOOL bCanMove = bRows ? pGrid->CanMoveRows(pDragged->top, pDragged->bottom, nToRow)
                                : pGrid->CanMoveCols(pDragged->left, pDragged->right, nToCol);
    if (!bCanMove)
    {
        pGrid->SetCursorOverride(GX_IDC_NODROP);
        return FALSE;
    }
    pGrid->SetCursorOverride(GX_IDC_SELFRAME);
    HWND hWnd = GridHwnd(pGrid);
    if (hWnd != nullptr)
        ::UpdateWindow(hWnd);
    if (pGrid->m_pLineWnd == nullptr)
    {
        auto* pLine = new (std::nothrow) CGXDragLineWnd(pGrid);
        if (pLine == nullptr || !pLine->CreateLine(pGrid->GridWnd()))
        {
            delete pLine;
            return FALSE;
        }
        pLine->m_pen = CGXStylePen(PS_SOLID, 1, pGrid->GetPropertyColor(3));
        pGrid->m_pLineWnd = pLine;
    }
    // The line before the drop row (column); past the last one, the line after the last.
    const ROWCOL nClient = bRows ? pGrid->RowToClientRow(std::min(nToRow, pGrid->GetRowCount() + 1))
                                 : pGrid->ColToClientCol(std::min(nToCol, pGrid->GetColCount() + 1));
    const CRect line = pGrid->CalcGridLineRect(bRows ? 2 : 1, nClient);
    pGrid->m_pLineWnd->SetWindowPos(nullptr, line.left, line.top, line.Width(), line.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pGrid->m_pLineWnd->UpdateWindow();
    return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::DropSelection(CGXGridCore* pGrid, ROWCOL, ROWCOL, ROWCOL nToRow, ROWCOL nToCol)
{
    const BOOL bRows = pGrid->m_nDragMode == kDragRows;
    pGrid->m_bDrawingSelection = FALSE;
    pGrid->m_bLockSelectionFrame = FALSE;
    pGrid->SetCursorOverride(0);
    if (bRows ? nToRow == 0 : nToCol == 0)
    {
        DestroyLineWnd(pGrid);
        return FALSE;
    }
    nToRow = std::max<ROWCOL>(nToRow, 1);
    nToCol = std::max<ROWCOL>(nToCol, 1);
    DestroyLineWnd(pGrid);
    const CGXRange* pDragged = DraggedRange(pGrid);
    if (pDragged == nullptr)
        return FALSE;
    const ROWCOL nFirst = bRows ? pDragged->top : pDragged->left;
    const ROWCOL nLast = bRows ? pDragged->bottom : pDragged->right;
    const ROWCOL nDrop = bRows ? nToRow : nToCol;
    if (bRows ? !(pGrid->CanMoveRows(nFirst, nLast, nDrop) && pGrid->OnMoveRows(nFirst, nLast, nDrop))
              : !(pGrid->CanMoveCols(nFirst, nLast, nDrop) && pGrid->OnMoveCols(nFirst, nLast, nDrop)))
        return FALSE;
    pGrid->m_nDropRow = nToRow;
    pGrid->m_nDropCol = nToCol;
    // Dropped inside the block or just after it: it would land where it is.
    const ROWCOL nBefore = std::max<ROWCOL>(nDrop - 1, 1);
    if ((nDrop >= nFirst && nDrop <= nLast) || (nBefore >= nFirst && nBefore <= nLast))
        return FALSE;
    const ROWCOL nDest = nFirst < nDrop ? nDrop - (nLast - nFirst + 1) : nDrop;
    return bRows ? pGrid->MoveRows(nFirst, nLast, nDest, GX_SMART) : pGrid->MoveCols(nFirst, nLast, nDest, GX_SMART);
}

BOOL CGXGridUserDragSelectRangeImp::CancelDragSelection(CGXGridCore* pGrid)
{
    pGrid->m_bDrawingSelection = FALSE;
    pGrid->m_bLockSelectionFrame = FALSE;
    DestroyLineWnd(pGrid);
    pGrid->SetCursorOverride(0);
    pGrid->m_bDragSelectPending = FALSE;
    return TRUE;
}

// ---- Installation ----

void CGXGridCore::InstallUserDragSelectRange()
{
    InstallUserSelectRange();
    InstallMoveRowsCols();
    if (m_pUserDragSelectRangeImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridUserDragSelectRangeImp;
    if (pImp == nullptr)
        return;
    m_pUserDragSelectRangeImp = pImp;
    AddImplementationObject(pImp);
}
