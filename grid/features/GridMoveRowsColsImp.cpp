#include "grid/features/GridMoveRowsColsImp.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridCollections.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"

#include <algorithm>
#include <new>

namespace {

// A last index that removes the spans from the first one to the end.
const ROWCOL kToTheEnd = 0xFFFFFFFE;

void MovePoolRows(CGXAbstractSpanCellPoolImp* pPools, CObject* pPool, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    if (pPools != nullptr && pPool != nullptr)
        pPools->MoveRows(pPool, nFrom, nTo, nDest);
}

// The covered ranges whose place the move changes: their top line lies in the block that really
// moves, or in the lines the block passes over.
BOOL IsCoveredRangeAffected(ROWCOL nTop, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    const ROWCOL nCount = nLast - nFirst + 1;
    const BOOL bMoves = nDest < nFirst || nDest > nLast;
    if (nTop >= nFirst && nTop <= nLast)
        return bMoves;
    if (nTop < nFirst)
        return nTop >= nDest;
    return nDest > nFirst && nTop < nDest + nCount;
}

// The steps both directions share; bRows chooses rows.
BOOL MoveLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, UINT nFlags,
               int nCommandType)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !pGrid->TransferCurrentCellValue(TRUE, TRUE))
        return FALSE;
    pGrid->ArmRecalcMessage();
    CGXExcelLikeFrameLock frameLock(pGrid);
    const CString& name = pGrid->GetAppData()->GetOperationText(bRows ? GX_IDS_MOVEROWS : GX_IDS_MOVECOLS);
    const BOOL bNewAction = nCommandType == gxNewAction;
    if (bNewAction)
    {
        pGrid->BeginTrans(name);
        // Covered ranges that the move shifts are restored exactly by undo; they need the whole grid
        // redrawn.
        const CGXRangeList& covered = pParam->m_CoveredCellsList;
        for (POSITION pos = covered.GetHeadPosition(); pos != nullptr;)
        {
            const CGXRange* pRange = covered.GetNext(pos);
            if (!IsCoveredRangeAffected(bRows ? pRange->top : pRange->left, nFirst, nLast, nDest))
                continue;
            if (pGrid->IsUndoRecorded(nCommandType))
            {
                pGrid->AddCommand(pGrid->m_pUndoImp->CreateSetCoveredCellsCmd(pGrid, pRange->top, pRange->left,
                                                                              pRange->bottom, pRange->right,
                                                                              nCommandType),
                                  nCommandType);
                pGrid->AddCommand(pGrid->m_pUndoImp->CreateSetCoveredCellsCmd(pGrid, pRange->top, pRange->left,
                                                                              pRange->top, pRange->left,
                                                                              nCommandType),
                                  nCommandType);
            }
            nFlags = (nFlags & ~6u) | 1u;
        }
    }

    const BOOL bOldRecording =
        pGrid->SetDataUndoRecording(pParam->IsEnableUndo() && nCommandType != gxRollback);
    const BOOL bMoved = bRows ? pGrid->StoreMoveRows(nFirst, nLast, nDest, FALSE)
                              : pGrid->StoreMoveCols(nFirst, nLast, nDest, FALSE);
    pGrid->SetDataUndoRecording(bOldRecording);
    if (!bMoved)
    {
        pGrid->DeleteDataUndoRecord();
        if (bNewAction)
            pGrid->Rollback();
        return FALSE;
    }

    if (bRows)
        pGrid->UpdateMoveRows(nFirst, nLast, nDest, nFlags, TRUE);
    else
        pGrid->UpdateMoveCols(nFirst, nLast, nDest, nFlags, TRUE);
    if (pGrid->IsUndoRecorded(nCommandType))
    {
        // The block goes back: from where it landed to where it was.
        const ROWCOL nBackLast = nDest + (nLast - nFirst);
        pGrid->AddCommand(bRows ? pGrid->m_pUndoImp->CreateMoveRowsCmd(pGrid, nDest, nBackLast, nFirst, nCommandType)
                                : pGrid->m_pUndoImp->CreateMoveColsCmd(pGrid, nDest, nBackLast, nFirst, nCommandType),
                          nCommandType);
        if (nCommandType == gxUndo || nCommandType == gxRedo)
        {
            if (bRows)
                pGrid->RestoreCurrentCell(nDest, pGrid->GetLeftCol(), FALSE);
            else
                pGrid->RestoreCurrentCell(pGrid->GetTopRow(), nDest, FALSE);
        }
    }
    if (bNewAction)
        pGrid->CommitTrans();
    pGrid->ReportRecalcMessage();
    return TRUE;
}

// The current cell's row (column) follows the block: inside it with it, between the block and
// where it lands one block-size toward the block's old place.
void FollowCurrentCell(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!pGrid->GetCurrentCell(nRow, nCol))
        return;
    if (bRows)
        nRow = GXMovedIndex(nRow, nFirst, nLast, nDest);
    else
        nCol = GXMovedIndex(nCol, nFirst, nLast, nDest);
    pGrid->SetCurrentCellInfo(TRUE, nRow, nCol);
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pControl->IsInit())
        pControl->Init(nRow, nCol);
}

void UpdateMovedLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, UINT nFlags,
                      BOOL bCreateHint)
{
    const ROWCOL nCount = nLast - nFirst + 1;
    const ROWCOL nInsert = nDest < nFirst ? nDest : nDest + nCount;
    pGrid->ForgetLastVisibleCache();
    FollowCurrentCell(pGrid, bRows, nFirst, nLast, nDest);
    pGrid->RefreshExcelLikeFrame();

    CGXGridParam* pParam = pGrid->GetParam();
    if (!pParam->m_bLockUpdate)
    {
        auto isFrozen = [&](ROWCOL n) { return bRows ? pGrid->IsFrozenRow(n) : pGrid->IsFrozenCol(n); };
        if ((nFlags & 1) != 0 || isFrozen(nFirst) || isFrozen(nLast) || isFrozen(nInsert) ||
            pGrid->GetFloatCellsMode() != 0 || pGrid->GetMergeCellsMode() != 0)
            pGrid->RedrawGrid(nFlags);
        else
        {
            // Everything from the upper of the block and its new place on changes.
            const ROWCOL nUpper = std::min(nFirst, nInsert);
            HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
            CRect area = pGrid->GetGridRect();
            CRect start;
            if (bRows ? pGrid->CalcRangeRect(start, nUpper, 0, nUpper, 0, TRUE)
                      : pGrid->CalcRangeRect(start, 0, nUpper, 0, nUpper, TRUE))
            {
                if (bRows)
                    area.top = std::max(area.top, start.top);
                else
                    area.left = std::max(area.left, start.left);
            }
            pGrid->InvalidateRect(area);
            if (hWnd != nullptr && ((nFlags & 2) != 0 || nFlags == GX_UPDATENOW))
                ::UpdateWindow(hWnd);
            pGrid->UpdateScrollbars((nFlags & 2) == 0);
            if (bRows && pParam->m_bNumberedRowHeaders)
                pGrid->RedrawCellRange(nUpper, 0, pGrid->GetRowCount(), 0, nFlags);
        }
    }
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
    {
        if (bRows)
            pGrid->m_pUpdateHintImp->HintMoveRows(pGrid, nFirst, nLast, nDest, nFlags);
        else
            pGrid->m_pUpdateHintImp->HintMoveCols(pGrid, nFirst, nLast, nDest, nFlags);
    }
}

} // namespace

BOOL CGXGridMoveRowsColsImp::MoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                                      UINT nFlags, int nCommandType)
{
    return MoveLines(pGrid, TRUE, nFromRow, nToRow, nDestRow, nFlags, nCommandType);
}

BOOL CGXGridMoveRowsColsImp::MoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                                      UINT nFlags, int nCommandType)
{
    return MoveLines(pGrid, FALSE, nFromCol, nToCol, nDestCol, nFlags, nCommandType);
}

BOOL CGXGridMoveRowsColsImp::StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                                           BOOL bProcessed)
{
    CGXGridParam* pParam = pGrid->GetParam();
    CGXData* pData = pGrid->GetData();
    if (pParam == nullptr || nFromRow == nDestRow || nToRow < nFromRow)
        return FALSE;
    const ROWCOL nRows = pGrid->GetRowCount();
    // The block and the place it lands must lie within the rows.
    if (nToRow > nRows || nDestRow < 1 || nDestRow + (nToRow - nFromRow) > nRows)
        return FALSE;
    if (pData != nullptr && pData->MoveRows(nFromRow, nToRow, nDestRow))
        bProcessed = TRUE;
    if (!bProcessed)
        return FALSE;
    pGrid->SetModifiedFlag(TRUE);
    if (pGrid->m_pHideCellsImp != nullptr)
        pGrid->m_pHideCellsImp->MoveRowHiddenFlags(pGrid, nFromRow, nToRow, nDestRow);
    pParam->m_RowHeights.MoveKeys(nFromRow, nToRow, nDestRow);
    pParam->m_SelRects.MoveRows(nFromRow, nToRow, nDestRow, nRows);
    pParam->m_CoveredCellsList.MoveRows(nFromRow, nToRow, nDestRow, nRows);
    pParam->SyncCoveredCellPool();
    const ROWCOL nUpper = std::min(nFromRow, nDestRow);
    CGXAbstractSpanCellPoolImp* pPools = pGrid->GetAppData()->m_pSpanCellPoolImp;
    if (pGrid->GetFloatCellsMode() != 0 && pPools != nullptr)
    {
        MovePoolRows(pPools, pParam->m_pFloatCellsPool, nFromRow, nToRow, nDestRow);
        MovePoolRows(pPools, pParam->m_pPrintFloatCellsPool, nFromRow, nToRow, nDestRow);
    }
    if (pGrid->GetMergeCellsMode() != 0)
    {
        // Vertical merges across the moved rows are found again, from the upper row on.
        if (pPools != nullptr && pParam->m_pVertMergeCellsPool != nullptr)
            pPools->RemoveRows(pParam->m_pVertMergeCellsPool, nUpper, kToTheEnd);
        MovePoolRows(pPools, pParam->m_pHorzMergeCellsPool, nFromRow, nToRow, nDestRow);
        pGrid->DelayMergeCells(CGXRange().SetRows(nUpper, nRows), nRows, pGrid->GetColCount());
    }
    return TRUE;
}

BOOL CGXGridMoveRowsColsImp::StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                                           BOOL bProcessed)
{
    CGXGridParam* pParam = pGrid->GetParam();
    CGXData* pData = pGrid->GetData();
    if (pParam == nullptr || nFromCol == nDestCol || nToCol < nFromCol)
        return FALSE;
    const ROWCOL nCols = pGrid->GetColCount();
    if (nToCol > nCols || nDestCol < 1 || nDestCol + (nToCol - nFromCol) > nCols)
        return FALSE;
    if (pData != nullptr && pData->MoveCols(nFromCol, nToCol, nDestCol))
        bProcessed = TRUE;
    if (!bProcessed)
        return FALSE;
    pGrid->SetModifiedFlag(TRUE);
    if (pGrid->m_pHideCellsImp != nullptr)
        pGrid->m_pHideCellsImp->MoveColHiddenFlags(pGrid, nFromCol, nToCol, nDestCol);
    pParam->m_ColWidths.MoveKeys(nFromCol, nToCol, nDestCol);
    pParam->m_SelRects.MoveCols(nFromCol, nToCol, nDestCol, nCols);
    pParam->m_CoveredCellsList.MoveCols(nFromCol, nToCol, nDestCol, nCols);
    pParam->SyncCoveredCellPool();
    const ROWCOL nLeft = std::min(nFromCol, nDestCol);
    CGXAbstractSpanCellPoolImp* pPools = pGrid->GetAppData()->m_pSpanCellPoolImp;
    if (pGrid->GetFloatCellsMode() != 0)
    {
        // Floating spans run along rows: from the left column on they are found again.
        if (pPools != nullptr)
            for (CObject* pPool : {pParam->m_pFloatCellsPool, pParam->m_pPrintFloatCellsPool})
                if (pPool != nullptr)
                    pPools->RemoveCols(pPool, nLeft, kToTheEnd);
        pGrid->DelayFloatCells(CGXRange().SetCols(nLeft, nCols), nCols);
    }
    if (pGrid->GetMergeCellsMode() != 0)
    {
        if (pPools != nullptr && pParam->m_pVertMergeCellsPool != nullptr)
            pPools->MoveCols(pParam->m_pVertMergeCellsPool, nFromCol, nToCol, nDestCol);
        if (pPools != nullptr && pParam->m_pHorzMergeCellsPool != nullptr)
            pPools->RemoveCols(pParam->m_pHorzMergeCellsPool, nLeft, kToTheEnd);
        pGrid->DelayMergeCells(CGXRange().SetCols(nLeft, nCols), pGrid->GetRowCount(), nCols);
    }
    return TRUE;
}

BOOL CGXGridMoveRowsColsImp::UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                                            UINT nFlags, BOOL bCreateHint)
{
    UpdateMovedLines(pGrid, TRUE, nFromRow, nToRow, nDestRow, nFlags, bCreateHint);
    return TRUE;
}

BOOL CGXGridMoveRowsColsImp::UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                                            UINT nFlags, BOOL bCreateHint)
{
    UpdateMovedLines(pGrid, FALSE, nFromCol, nToCol, nDestCol, nFlags, bCreateHint);
    return TRUE;
}

// ---- Installation ----

void CGXGridCore::InstallMoveRowsCols()
{
    if (m_pMoveRowsColsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridMoveRowsColsImp;
    if (pImp == nullptr)
        return;
    m_pMoveRowsColsImp = pImp;
    AddImplementationObject(pImp);
}
