#include "grid/features/GridCoveredCellsImp.h"

#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/CoveredCellPool.h"

#include <algorithm>
#include <new>
#include <vector>

namespace
{
// Rows and columns of a covered range lie below this limit.
const ROWCOL kLimit = 0x7FFFFFFF;

CGXCoveredCellPool* PoolOf(CGXGridParam* pParam)
{
    if (pParam == nullptr)
        return nullptr;
    pParam->CreateCoveredCellPool();
    return GXAsCoveredCellPool(pParam->m_pCoveredCellPool);
}

// A read-only grid (or one whose standard style is read-only) keeps its covered ranges while the
// parameter object protects read-only grids.
BOOL IsProtected(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (!pParam->IsLockReadOnly())
        return FALSE;
    if (pGrid->IsReadOnly())
        return TRUE;
    const CGXStylesMap* pStylesMap = pGrid->GetStylesMap();
    const CGXStyle* pStandard = pStylesMap != nullptr ? pStylesMap->GetStandardStyle() : nullptr;
    return pStandard != nullptr && pStandard->GetIncludeReadOnly() && pStandard->GetReadOnly();
}
} // namespace

BOOL CGXGridCoveredCellsImp::SetCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                             ROWCOL nToCol, UINT nFlags, int nCommandType)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    // The extent to restore: the range's own when (nRow, nCol) is covered already, else the cell.
    ROWCOL nOldBottom = nRow;
    ROWCOL nOldRight = nCol;
    CGXRange old;
    if (pGrid->GetCoveredCellsRowCol(nRow, nCol, old))
    {
        nOldBottom = old.bottom;
        nOldRight = old.right;
    }
    const BOOL bSet = nToRow != nRow || nToCol != nCol;
    if (!pGrid->StoreCoveredCellsRowCol(nRow, nCol, nToRow, nToCol, bSet))
        return FALSE;

    // Spans in the block (and where it was) are worked out again now, and what they reach is redrawn.
    const CGXRange affected(nRow, nCol, std::max(nToRow, nOldBottom), std::max(nToCol, nOldRight));
    pGrid->DelayFloatCells(affected, GX_INVALID);
    pGrid->DelayMergeCells(affected, GX_INVALID, GX_INVALID);
    CGXRange changed = affected;
    pGrid->EvalMergeCells(affected, FALSE, &changed, FALSE);
    pGrid->EvalFloatCells(affected, FALSE, &changed, FALSE);
    pGrid->UpdateCoveredCellsRowCol(nRow, nCol, std::max(changed.bottom, affected.bottom),
                                    std::max(changed.right, affected.right), nFlags, TRUE);
    if (changed.top < nRow || changed.left < nCol)
        pGrid->RedrawCellRange(changed.top, changed.left, changed.bottom, changed.right, nFlags, FALSE);

    // Undo sets the old extent back ("Cover Cells"); a replay of undo or redo shows the place.
    if (pGrid->IsUndoRecorded(nCommandType))
        pGrid->AddCommand(pGrid->m_pUndoImp->CreateSetCoveredCellsCmd(pGrid, nRow, nCol, nOldBottom, nOldRight,
                                                                      nCommandType),
                          nCommandType);
    if (nCommandType == 2 || nCommandType == 3)
        pGrid->RestoreCurrentCell(nRow, nCol);
    return TRUE;
}

BOOL CGXGridCoveredCellsImp::GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    if (nRow >= kLimit || nCol >= kLimit)
        return FALSE;
    CGXGridParam* pParam = pGrid->GetParam();
    const CGXCoveredCellPool* pPool = pParam != nullptr ? GXAsCoveredCellPool(pParam->m_pCoveredCellPool) : nullptr;
    const POSITION pos = pPool != nullptr ? pPool->GetCoveredCell(nRow, nCol) : nullptr;
    if (pos == nullptr)
        return FALSE;
    range = *pParam->m_CoveredCellsList.GetAt(pos);
    return TRUE;
}

BOOL CGXGridCoveredCellsImp::StoreCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                               ROWCOL nToCol, BOOL bSet)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || nToRow >= kLimit || nToCol >= kLimit || nToRow < nRow || nToCol < nCol ||
        IsProtected(pGrid))
        return FALSE;
    CGXCoveredCellPool* pPool = PoolOf(pParam);
    if (pPool == nullptr)
        return FALSE;
    CGXRangeList& list = pParam->m_CoveredCellsList;
    try
    {
        const POSITION pos = pPool->GetCoveredCell(nRow, nCol);
        CGXRange* pExisting = pos != nullptr ? list.GetAt(pos) : nullptr;
        if (!bSet)
        {
            if (pExisting == nullptr || pExisting->top != nRow || pExisting->left != nCol)
                return FALSE;
            pPool->SetCoveredCell(pExisting->top, pExisting->left, pExisting->bottom, pExisting->right, nullptr);
            list.DeleteAt(pos);
            return TRUE;
        }
        const CGXRange block(nRow, nCol, nToRow, nToCol);
        // A one-cell block is no covered range. A block that reaches into another covered range
        // is refused whole: storing it would leave the other range's cells pointing at this one.
        if ((nRow == nToRow && nCol == nToCol) || pPool->HoldsOtherRange(nRow, nCol, nToRow, nToCol, pos))
            return FALSE;
        if (pExisting == nullptr)
        {
            const POSITION added = list.AddTail(new CGXRange(block));
            pPool->SetCoveredCell(nRow, nCol, nToRow, nToCol, added);
            return TRUE;
        }
        if (pExisting->top != nRow || pExisting->left != nCol ||
            (pExisting->bottom == nToRow && pExisting->right == nToCol))
            return FALSE;
        pPool->SetCoveredCell(pExisting->top, pExisting->left, pExisting->bottom, pExisting->right, nullptr);
        *pExisting = block;
        pPool->SetCoveredCell(nRow, nCol, nToRow, nToCol, pos);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    // The pool may hold part of the change: the list is the truth.
    pParam->SyncCoveredCellPool();
    return FALSE;
}

BOOL CGXGridCoveredCellsImp::UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                      ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    if (!pGrid->IsLockUpdate())
    {
        CGXRange covered;
        if (pGrid->GetCoveredCellsRowCol(nRow, nCol, covered))
        {
            ROWCOL nCurRow = 0;
            ROWCOL nCurCol = 0;
            if (pGrid->GetCurrentCell(nCurRow, nCurCol) && covered.ContainsCell(nCurRow, nCurCol) &&
                (nCurRow != covered.top || nCurCol != covered.left))
                pGrid->MoveCurrentCell(nRow, nCol, nFlags | GX_SCROLLINVIEW);
            nToRow = std::max(nToRow, covered.bottom);
            nToCol = std::max(nToCol, covered.right);
        }
        pGrid->RedrawCellRange(nRow, nCol, nToRow, nToCol, nFlags, FALSE);
    }
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintCoveredCells(pGrid, nRow, nCol, nToRow, nToCol, nFlags);
    return TRUE;
}

BOOL CGXGridCoveredCellsImp::ExpandToCoveredCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut)
{
    rangeOut = range;
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_CoveredCellsList.IsEmpty())
        return FALSE;
    CGXRange block = range;
    block.ExpandToCells(0, 0, pGrid->GetRowCount(), pGrid->GetColCount());
    // Every range that meets the block widens it, until none reaches out of it any more. Walking
    // the ranges costs far less than walking the cells of a large block.
    const CGXRangeList& list = pParam->m_CoveredCellsList;
    for (BOOL bGrown = TRUE; bGrown;)
    {
        bGrown = FALSE;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        {
            const CGXRange& covered = *list.GetNext(pos);
            const BOOL bMeets = covered.top <= block.bottom && block.top <= covered.bottom &&
                                covered.left <= block.right && block.left <= covered.right;
            if (!bMeets)
                continue;
            const CGXRange grown(std::min(block.top, covered.top), std::min(block.left, covered.left),
                                 std::max(block.bottom, covered.bottom), std::max(block.right, covered.right));
            if (grown != block)
            {
                block = grown;
                bGrown = TRUE;
            }
        }
    }
    rangeOut = block;
    return TRUE;
}

BOOL CGXGridCoveredCellsImp::OnRemovingRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, int nCommandType)
{
    return PrepareRemove(pGrid, TRUE, nFromRow, nToRow, nCommandType);
}

BOOL CGXGridCoveredCellsImp::OnRemovingCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, int nCommandType)
{
    return PrepareRemove(pGrid, FALSE, nFromCol, nToCol, nCommandType);
}

BOOL CGXGridCoveredCellsImp::PrepareRemove(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo,
                                           int nCommandType)
{
    CGXGridParam* pParam = pGrid->GetParam();
    // Undo and redo replay the removal with its own records.
    if (nCommandType != 0 || pParam == nullptr || pParam->m_CoveredCellsList.IsEmpty())
        return FALSE;
    // The ranges change as they are handled: take them first.
    std::vector<CGXRange> ranges;
    for (POSITION pos = pParam->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;)
        ranges.push_back(*pParam->m_CoveredCellsList.GetNext(pos));

    const BOOL bOldLock = pGrid->SetLockUpdate(TRUE);
    pGrid->BeginTrans(pGrid->GetAppData()->GetOperationText(bRows ? GX_IDS_REMOVINGROWS : GX_IDS_REMOVINGCOLS));
    BOOL bChanged = FALSE;
    for (const CGXRange& range : ranges)
    {
        const ROWCOL nStart = bRows ? range.top : range.left;
        const ROWCOL nEnd = bRows ? range.bottom : range.right;
        if (nStart < nFrom && nEnd >= nFrom && nEnd <= nTo)
        {
            // Cut back to end before the removed rows (columns); one uncover and one cover, so that
            // undo restores the old extent.
            bChanged |= pGrid->SetCoveredCellsRowCol(range.top, range.left, range.top, range.left, GX_INVALIDATE, 0);
            bChanged |= pGrid->SetCoveredCellsRowCol(range.top, range.left, bRows ? nFrom - 1 : range.bottom,
                                                     bRows ? range.right : nFrom - 1, GX_INVALIDATE, 0);
        }
        else if (nStart >= nFrom && nStart <= nTo)
            bChanged |= pGrid->SetCoveredCellsRowCol(range.top, range.left, range.top, range.left, GX_INVALIDATE, 0);
    }
    pGrid->CommitTrans();
    pGrid->SetLockUpdate(bOldLock);
    return bChanged;
}

void CGXGridCore::InstallCoveredCells()
{
    if (m_pCoveredCellsImp != nullptr)
        return;
    InstallCoveredCellPoolImp();
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridCoveredCellsImp;
    if (pImp == nullptr)
        return;
    m_pCoveredCellsImp = pImp;
    AddImplementationObject(pImp);
    if (m_pParam != nullptr)
    {
        m_pParam->CreateCoveredCellPool();
        m_pParam->SyncCoveredCellPool();
    }
    InstallDrawSpannedCells();
}
