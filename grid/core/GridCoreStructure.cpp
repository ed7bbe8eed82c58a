// Grid engine: the shape of the table. Counts live in the data object, frozen and header counts in
// the parameter object. Every change runs as public operation (undo transaction, recording lock,
// frame lock), store operation (changes the data; TRUE when anything changed) and update operation
// (current cell, scroll position, screen).

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>

namespace
{
// Flags that ask for the scroll bars to be updated after a structure change.
const UINT scrollBarUpdateFlags = 2 | 4;

// The recording lock of the command factory for the length of a store: stores nested in a public
// operation record no commands of their own.
class RecordingLock
{
public:
    RecordingLock(CGXGridCore* pGrid, BOOL bLock) : m_pGrid(pGrid)
    {
        if (m_pGrid->m_pUndoImp != nullptr)
            m_bOld = m_pGrid->m_pUndoImp->LockRecording(m_pGrid, bLock);
    }
    ~RecordingLock()
    {
        if (m_pGrid->m_pUndoImp != nullptr)
            m_pGrid->m_pUndoImp->LockRecording(m_pGrid, m_bOld);
    }
    RecordingLock(const RecordingLock&) = delete;
    RecordingLock& operator=(const RecordingLock&) = delete;

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOld = FALSE;
};

// The parameter object's remembered current cell follows the cell; -1 forgets it.
void RememberCurrentCell(CGXGridParam* pParam, int nRow, int nCol)
{
    pParam->m_nSetting81 = nRow;
    pParam->m_nSetting82 = nCol;
}
} // namespace

// ---- Counts ----

BOOL CGXGridCore::SetRowCount(ROWCOL nRows, UINT nFlags)
{
    const ROWCOL nCount = GetRowCount();
    if (nRows < nCount)
        return RemoveRows(nRows + 1, nCount, nFlags, 0);
    if (nRows > nCount)
        return InsertRows(nCount + 1, nRows - nCount, nullptr, nullptr, nullptr, 0, nFlags, 0);
    return TRUE;
}

BOOL CGXGridCore::SetColCount(ROWCOL nCols, UINT nFlags)
{
    const ROWCOL nCount = GetColCount();
    if (nCols < nCount)
        return RemoveCols(nCols + 1, nCount, nFlags, 0);
    if (nCols > nCount)
        return InsertCols(nCount + 1, nCols - nCount, nullptr, nullptr, nullptr, 0, nFlags, 0);
    return TRUE;
}

BOOL CGXGridCore::StoreRowCount(ROWCOL nRows)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    if (pData->SetRowCount(nRows))
        SetModifiedFlag();
    return TRUE;
}

BOOL CGXGridCore::StoreColCount(ROWCOL nCols)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    if (pData->SetColCount(nCols))
        SetModifiedFlag();
    return TRUE;
}

void CGXGridCore::UpdateChangedRowCount(ROWCOL nOldRows, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    GetCurrentCell(nRow, nCol);
    if (!m_bPrinting)
        SetTopRow(m_nTopRow, nFlags, FALSE);
    if (!IsLockUpdate())
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintChangedRowCount(this, nOldRows, nFlags);
}

void CGXGridCore::UpdateChangedColCount(ROWCOL nOldCols, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleCol = GX_INVALID;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    GetCurrentCell(nRow, nCol);
    if (!m_bPrinting)
        SetLeftCol(m_nLeftCol, nFlags, FALSE);
    if (!IsLockUpdate())
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintChangedColCount(this, nOldCols, nFlags);
}

// ---- Insertion ----

BOOL CGXGridCore::InsertRows(ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights, CObArray* pCellStyles,
                             CObArray* pRowStyles, ROWCOL nColCount, UINT nFlags, int nCommandType)
{
    return InsertRowsOrCols(TRUE, nRow, nCount, pHeights, pCellStyles, pRowStyles, nColCount, nFlags, nCommandType);
}

BOOL CGXGridCore::InsertCols(ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths, CObArray* pCellStyles,
                             CObArray* pColStyles, ROWCOL nRowCount, UINT nFlags, int nCommandType)
{
    return InsertRowsOrCols(FALSE, nCol, nCount, pWidths, pCellStyles, pColStyles, nRowCount, nFlags, nCommandType);
}

BOOL CGXGridCore::InsertRowsOrCols(BOOL bRows, ROWCOL nAt, ROWCOL nCount, CDWordArray* pSizes, CObArray* pCellStyles,
                                   CObArray* pBaseStyles, ROWCOL nOtherCount, UINT nFlags, int nCommandType)
{
    // Rows go in before an existing one or after the last; a count that would carry the total past
    // the largest index (GX_INVALID names no cell) would wrap it to a small number.
    const ROWCOL nExisting = bRows ? GetRowCount() : GetColCount();
    if (nCount == 0 || nAt == 0 || nAt > nExisting + 1 || nCount > GX_MAXROWCOL - nExisting)
        return FALSE;
    if (!TransferCurrentCellValue(TRUE))
        return FALSE;
    CGXExcelLikeFrameLock frameLock(this);

    const CString& name = m_pAppData->GetOperationText(bRows ? GX_IDS_INSERTROWS : GX_IDS_INSERTCOLS);
    if (nCommandType == 0)
        BeginTrans(name);

    BOOL bStored = FALSE;
    {
        RecordingLock lock(this, IsUndoRecorded(nCommandType));
        bStored = bRows ? StoreInsertRows(nAt, nCount, FALSE) : StoreInsertCols(nAt, nCount, FALSE);
    }
    if (!bStored)
    {
        if (nCommandType == 0)
            Rollback();
        return FALSE;
    }

    // What a removal saved comes back: sizes in stored units, cell styles row by row, base styles.
    if (pSizes != nullptr)
    {
        CGXMapDWordToLong& sizes = bRows ? m_pParam->m_RowHeights : m_pParam->m_ColWidths;
        for (ROWCOL i = 0; i < nCount && static_cast<INT_PTR>(i) < pSizes->GetSize(); ++i)
            if (pSizes->GetAt(i) != 0)
                sizes.SetAt(nAt + i, static_cast<LONG>(pSizes->GetAt(i)));
    }
    BOOL bCoveredChanged = FALSE;
    if (pCellStyles != nullptr)
    {
        const INT_PTR nCells = static_cast<INT_PTR>(nCount) * static_cast<INT_PTR>(nOtherCount);
        for (ROWCOL i = 0; i < nCount; ++i)
            for (ROWCOL j = 0; j < nOtherCount; ++j)
            {
                const INT_PTR nIndex = bRows ? static_cast<INT_PTR>(i) * nOtherCount + j
                                             : static_cast<INT_PTR>(j) * nCount + i;
                if (nIndex >= pCellStyles->GetSize())
                    continue;
                const CGXStyle* pStyle = static_cast<const CGXStyle*>(pCellStyles->GetAt(nIndex));
                if (pStyle != nullptr)
                    StoreStyleRowCol(bRows ? nAt + i : j, bRows ? j : nAt + i, pStyle, gxCopy, 0);
            }
        if (pCellStyles->GetSize() > nCells && m_pUndoImp != nullptr)
            bCoveredChanged = m_pUndoImp->RestoreCoveredCells(this, pCellStyles->GetAt(nCells), FALSE, FALSE);
    }
    if (pBaseStyles != nullptr)
        for (ROWCOL i = 0; i < nCount && static_cast<INT_PTR>(i) < pBaseStyles->GetSize(); ++i)
            if (const CGXStyle* pStyle = static_cast<const CGXStyle*>(pBaseStyles->GetAt(i)))
                StoreStyleRowCol(bRows ? nAt + i : 0, bRows ? 0 : nAt + i, pStyle, gxCopy, gxBaseStyleType);

    if (bRows)
        UpdateInsertRows(nAt, nCount, nFlags, TRUE);
    else
        UpdateInsertCols(nAt, nCount, nFlags, TRUE);

    if (IsUndoRecorded(nCommandType))
    {
        const ROWCOL nLast = nAt + nCount - 1;
        CObject* pCommand = bRows ? m_pUndoImp->CreateRemoveRowsCmd(this, nAt, nLast, nCommandType)
                                  : m_pUndoImp->CreateRemoveColsCmd(this, nAt, nLast, nCommandType);
        AddCommand(pCommand, nCommandType);
        // After an undo or redo the changed place comes into view (once, after a whole block).
        if (nCommandType == 2 || nCommandType == 3)
        {
            if (bRows)
                RestoreCurrentCell(nAt, GetLeftCol());
            else
                RestoreCurrentCell(GetTopRow(), nAt);
        }
    }
    if (bCoveredChanged)
        RedrawGrid(GX_INVALIDATE, FALSE);

    if (nCommandType == 0)
        CommitTrans();
    return TRUE;
}

BOOL CGXGridCore::StoreInsertRows(ROWCOL nRow, ROWCOL nCount, BOOL bForce)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    if (!pData->InsertRows(nRow, nCount) && !bForce)
        return FALSE;
    SetModifiedFlag();
    if (m_pHideCellsImp != nullptr)
        m_pHideCellsImp->InsertRowHiddenFlags(this, nRow, nCount);
    m_pParam->m_RowHeights.InsertKeys(nRow, nCount);
    m_pParam->m_SelRects.InsertRows(nRow, nCount);
    m_pParam->m_CoveredCellsList.InsertRows(nRow, nCount);
    m_pParam->SyncCoveredCellPool();
    // Spans move with their rows; a vertical merge may now run on or be cut, so the vertical pool is
    // worked out again from the new rows on. The rows below keep pending float evaluations.
    CGXRange following;
    following.SetRows(nRow, std::max(nRow, GetRowCount()));
    if (GetFloatCellsMode() != 0)
    {
        SpanCellPoolInsertRows(m_pParam->m_pFloatCellsPool, nRow, nCount);
        SpanCellPoolInsertRows(m_pParam->m_pPrintFloatCellsPool, nRow, nCount);
        DelayFloatCells(following);
    }
    if (GetMergeCellsMode() != 0)
    {
        SpanCellPoolInsertRows(m_pParam->m_pHorzMergeCellsPool, nRow, nCount);
        SpanCellPoolRemoveRows(m_pParam->m_pVertMergeCellsPool, nRow, GX_MAXROWCOL);
        DelayMergeCells(following);
    }
    return TRUE;
}

BOOL CGXGridCore::StoreInsertCols(ROWCOL nCol, ROWCOL nCount, BOOL bForce)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    if (!pData->InsertCols(nCol, nCount) && !bForce)
        return FALSE;
    SetModifiedFlag();
    if (m_pHideCellsImp != nullptr)
        m_pHideCellsImp->InsertColHiddenFlags(this, nCol, nCount);
    m_pParam->m_ColWidths.InsertKeys(nCol, nCount);
    m_pParam->m_SelRects.InsertCols(nCol, nCount);
    m_pParam->m_CoveredCellsList.InsertCols(nCol, nCount);
    m_pParam->SyncCoveredCellPool();
    // Floating text may float differently from the new columns on: those spans are worked out again.
    CGXRange following;
    following.SetCols(nCol, std::max(nCol, GetColCount()));
    if (GetFloatCellsMode() != 0)
    {
        SpanCellPoolRemoveCols(m_pParam->m_pFloatCellsPool, nCol, GX_MAXROWCOL);
        SpanCellPoolRemoveCols(m_pParam->m_pPrintFloatCellsPool, nCol, GX_MAXROWCOL);
        DelayFloatCells(following);
    }
    if (GetMergeCellsMode() != 0)
    {
        SpanCellPoolInsertCols(m_pParam->m_pVertMergeCellsPool, nCol, nCount);
        SpanCellPoolRemoveCols(m_pParam->m_pHorzMergeCellsPool, nCol, GX_MAXROWCOL);
        DelayMergeCells(following);
    }
    return TRUE;
}

void CGXGridCore::UpdateInsertRows(ROWCOL nRow, ROWCOL nCount, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (GetCurrentCell(nCurRow, nCurCol) && nCurRow >= nRow)
    {
        m_nCurrentRow = nCurRow + nCount;
        RememberCurrentCell(m_pParam, static_cast<int>(m_nCurrentRow), static_cast<int>(nCurCol));
        if (IsActiveCurrentCell())
            GetCurrentCellControl()->Init(m_nCurrentRow, nCurCol);
    }
    if (!m_bPrinting && m_nTopRow == GetFrozenRows())
        ++m_nTopRow;
    if (!m_pParam->m_SelRects.IsEmpty())
        RefreshExcelLikeFrame();
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->UpdateInsertRows(this, nRow, nCount, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & scrollBarUpdateFlags) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintInsertRows(this, nRow, nCount, nFlags);
}

void CGXGridCore::UpdateInsertCols(ROWCOL nCol, ROWCOL nCount, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleCol = GX_INVALID;
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (GetCurrentCell(nCurRow, nCurCol) && nCurCol >= nCol)
    {
        m_nCurrentCol = nCurCol + nCount;
        RememberCurrentCell(m_pParam, static_cast<int>(nCurRow), static_cast<int>(m_nCurrentCol));
        if (IsActiveCurrentCell())
            GetCurrentCellControl()->Init(nCurRow, m_nCurrentCol);
    }
    if (!m_bPrinting && m_nLeftCol == GetFrozenCols())
        ++m_nLeftCol;
    if (!m_pParam->m_SelRects.IsEmpty())
        RefreshExcelLikeFrame();
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->UpdateInsertCols(this, nCol, nCount, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & scrollBarUpdateFlags) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintInsertCols(this, nCol, nCount, nFlags);
}

// ---- Removal ----

BOOL CGXGridCore::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT nFlags, int nCommandType)
{
    return RemoveRowsOrCols(TRUE, nFromRow, nToRow, nFlags, nCommandType);
}

BOOL CGXGridCore::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT nFlags, int nCommandType)
{
    return RemoveRowsOrCols(FALSE, nFromCol, nToCol, nFlags, nCommandType);
}

BOOL CGXGridCore::RemoveRowsOrCols(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT nFlags, int nCommandType)
{
    // Headers are no rows or columns of the table, and nothing beyond the count can go.
    const ROWCOL nCount = bRows ? GetRowCount() : GetColCount();
    nTo = std::min(nTo, nCount);
    if (nFrom == 0 || nFrom > nTo)
        return FALSE;
    if (!TransferCurrentCellValue(TRUE))
        return FALSE;
    CGXExcelLikeFrameLock frameLock(this);

    if (nCommandType == 0)
        BeginTrans(m_pAppData->GetOperationText(bRows ? GX_IDS_REMOVINGROWS : GX_IDS_REMOVINGCOLS));
    // Covered ranges that reach into the removed lines are cut first, with undo, so that what the
    // removal saves is the cut state: its undo restores that, and the cuts' own undo the rest.
    if (m_pCoveredCellsImp != nullptr)
    {
        if (bRows)
            m_pCoveredCellsImp->OnRemovingRows(this, nFrom, nTo, nCommandType);
        else
            m_pCoveredCellsImp->OnRemovingCols(this, nFrom, nTo, nCommandType);
    }

    CDWordArray* pSizes = nullptr;
    CObArray* pCellStyles = nullptr;
    CObArray* pBaseStyles = nullptr;
    ROWCOL nOtherCount = 0;
    if (IsUndoRecorded(nCommandType))
    {
        const BOOL bSaved = bRows ? m_pUndoImp->SaveRemovedRows(this, nFrom, nTo, pSizes, pCellStyles, pBaseStyles,
                                                                nOtherCount)
                                  : m_pUndoImp->SaveRemovedCols(this, nFrom, nTo, pSizes, pCellStyles, pBaseStyles,
                                                                nOtherCount);
        if (!bSaved)
        {
            // Nothing is removed: the cuts go back too.
            if (nCommandType == 0)
                Rollback();
            return FALSE;
        }
    }
    const BOOL bHaveSavedData = pSizes != nullptr || pCellStyles != nullptr || pBaseStyles != nullptr;

    // An optimized redraw (here and in the other views) needs the pixel sizes of what goes, taken
    // before it goes.
    CDWordArray oldSizes;
    const CDWordArray* pOldSizes = nullptr;
    if ((nFlags & GX_INVALIDATE) == 0 && !IsLockUpdate() && (m_pOptimizedUpdateImp != nullptr || m_bHintsEnabled))
    {
        for (ROWCOL n = nFrom; n <= nTo; ++n)
            oldSizes.Add(static_cast<DWORD>(bRows ? GetRowHeight(n) : GetColWidth(n)));
        pOldSizes = &oldSizes;
    }

    BOOL bStored = FALSE;
    {
        RecordingLock lock(this, IsUndoRecorded(nCommandType));
        bStored = bRows ? StoreRemoveRows(nFrom, nTo, FALSE) : StoreRemoveCols(nFrom, nTo, FALSE);
    }
    if (!bStored)
    {
        if (nCommandType == 0)
            Rollback();
        if (bHaveSavedData && m_pUndoImp != nullptr)
            m_pUndoImp->FreeSavedData(pSizes, pCellStyles, pBaseStyles);
        return FALSE;
    }

    if (bRows)
        UpdateRemoveRows(nFrom, nTo, pOldSizes, nFlags, TRUE);
    else
        UpdateRemoveCols(nFrom, nTo, pOldSizes, nFlags, TRUE);

    // A removal the engineer let go on without a record (too large for one) has no undo.
    if (IsUndoRecorded(nCommandType) && bHaveSavedData)
    {
        const ROWCOL nRemoved = nTo - nFrom + 1;
        CObject* pCommand =
            bRows ? m_pUndoImp->CreateInsertRowsCmd(this, nFrom, nRemoved, pSizes, pCellStyles, pBaseStyles,
                                                    nOtherCount, nCommandType)
                  : m_pUndoImp->CreateInsertColsCmd(this, nFrom, nRemoved, pSizes, pCellStyles, pBaseStyles,
                                                    nOtherCount, nCommandType);
        AddCommand(pCommand, nCommandType);
    }
    else if (bHaveSavedData && m_pUndoImp != nullptr)
        m_pUndoImp->FreeSavedData(pSizes, pCellStyles, pBaseStyles);

    if (nCommandType == 2 || nCommandType == 3)
    {
        m_pParam->m_SelRects.DeleteAll();
        RedrawGrid(GX_INVALIDATE, FALSE);
        if (bRows && nFrom <= GetRowCount())
            RestoreCurrentCell(nFrom, GetLeftCol());
        else if (!bRows && nFrom <= GetColCount())
            RestoreCurrentCell(GetTopRow(), nFrom);
    }

    if (nCommandType == 0)
        CommitTrans();
    return TRUE;
}

BOOL CGXGridCore::StoreRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bForce)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    const ROWCOL nOldCount = GetRowCount();
    if (!pData->RemoveRows(nFromRow, nToRow) && !bForce)
        return FALSE;
    SetModifiedFlag();
    if (m_pHideCellsImp != nullptr)
        m_pHideCellsImp->RemoveRowHiddenFlags(this, nFromRow, nToRow);
    m_pParam->m_RowHeights.RemoveKeys(nFromRow, nToRow);
    m_pParam->m_SelRects.RemoveRows(nFromRow, nToRow, nOldCount);
    m_pParam->m_CoveredCellsList.RemoveRows(nFromRow, nToRow, nOldCount);
    m_pParam->SyncCoveredCellPool();
    // The pending evaluations shrink with the table (the new counts clamp them).
    const ROWCOL nRowCount = GetRowCount();
    CGXRange following;
    following.SetRows(nFromRow, std::max(nFromRow, nRowCount));
    if (GetFloatCellsMode() != 0)
    {
        SpanCellPoolRemoveRows(m_pParam->m_pFloatCellsPool, nFromRow, nToRow);
        SpanCellPoolRemoveRows(m_pParam->m_pPrintFloatCellsPool, nFromRow, nToRow);
        DelayFloatCells(following);
    }
    if (GetMergeCellsMode() != 0)
    {
        SpanCellPoolRemoveRows(m_pParam->m_pVertMergeCellsPool, nFromRow, GX_MAXROWCOL);
        SpanCellPoolRemoveRows(m_pParam->m_pHorzMergeCellsPool, nFromRow, nToRow);
        DelayMergeCells(following, nRowCount, GetColCount());
    }
    return TRUE;
}

BOOL CGXGridCore::StoreRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bForce)
{
    CGXData* pData = GetData();
    if (pData == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    const ROWCOL nOldCount = GetColCount();
    if (!pData->RemoveCols(nFromCol, nToCol) && !bForce)
        return FALSE;
    SetModifiedFlag();
    if (m_pHideCellsImp != nullptr)
        m_pHideCellsImp->RemoveColHiddenFlags(this, nFromCol, nToCol);
    m_pParam->m_ColWidths.RemoveKeys(nFromCol, nToCol);
    m_pParam->m_SelRects.RemoveCols(nFromCol, nToCol, nOldCount);
    m_pParam->m_CoveredCellsList.RemoveCols(nFromCol, nToCol, nOldCount);
    m_pParam->SyncCoveredCellPool();
    const ROWCOL nColCount = GetColCount();
    CGXRange following;
    following.SetCols(nFromCol, std::max(nFromCol, nColCount));
    if (GetFloatCellsMode() != 0)
    {
        SpanCellPoolRemoveCols(m_pParam->m_pFloatCellsPool, nFromCol, GX_MAXROWCOL);
        SpanCellPoolRemoveCols(m_pParam->m_pPrintFloatCellsPool, nFromCol, GX_MAXROWCOL);
        DelayFloatCells(following, nColCount);
    }
    if (GetMergeCellsMode() != 0)
    {
        SpanCellPoolRemoveCols(m_pParam->m_pVertMergeCellsPool, nFromCol, nToCol);
        SpanCellPoolRemoveCols(m_pParam->m_pHorzMergeCellsPool, nFromCol, GX_MAXROWCOL);
        DelayMergeCells(following, GetRowCount(), nColCount);
    }
    return TRUE;
}

void CGXGridCore::FollowRemovedCurrentCell(ROWCOL& nCurrentIndex, ROWCOL nFrom, ROWCOL nTo)
{
    if (!m_bCurrentCell || nCurrentIndex < nFrom)
        return;
    if (nCurrentIndex > nTo)
    {
        nCurrentIndex -= nTo - nFrom + 1;
        RememberCurrentCell(m_pParam, static_cast<int>(m_nCurrentRow), static_cast<int>(m_nCurrentCol));
        if (IsActiveCurrentCell())
            GetCurrentCellControl()->Init(m_nCurrentRow, m_nCurrentCol);
    }
    else
    {
        if (IsActiveCurrentCell())
            GetCurrentCellControl()->SetActive(FALSE);
        SetCurrentCellInfo(FALSE);
        RememberCurrentCell(m_pParam, -1, -1);
    }
}

void CGXGridCore::UpdateRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights, UINT nFlags,
                                   BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    FollowRemovedCurrentCell(m_nCurrentRow, nFromRow, nToRow);
    // The optimized redraw sees where the view was and moves it itself.
    if (!m_bPrinting && (IsLockUpdate() || m_pOptimizedUpdateImp == nullptr))
        SetTopRow(m_nTopRow, nFlags, FALSE);
    if (!m_pParam->m_SelRects.IsEmpty())
        RefreshExcelLikeFrame();
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->UpdateRemoveRows(this, nFromRow, nToRow, pOldHeights, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & scrollBarUpdateFlags) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintRemoveRows(this, nFromRow, nToRow, pOldHeights, nFlags);
}

void CGXGridCore::UpdateRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths, UINT nFlags,
                                   BOOL bCreateHint)
{
    m_nLastVisibleCol = GX_INVALID;
    FollowRemovedCurrentCell(m_nCurrentCol, nFromCol, nToCol);
    // The optimized redraw sees where the view was and moves it itself.
    if (!m_bPrinting && (IsLockUpdate() || m_pOptimizedUpdateImp == nullptr))
        SetLeftCol(m_nLeftCol, nFlags, FALSE);
    if (!m_pParam->m_SelRects.IsEmpty())
        RefreshExcelLikeFrame();
    if (!IsLockUpdate())
    {
        if (m_pOptimizedUpdateImp != nullptr)
            m_pOptimizedUpdateImp->UpdateRemoveCols(this, nFromCol, nToCol, pOldWidths, nFlags);
        else
            RedrawGrid(nFlags, FALSE);
        if ((nFlags & scrollBarUpdateFlags) != 0)
            UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintRemoveCols(this, nFromCol, nToCol, pOldWidths, nFlags);
}

// ---- Frozen and header rows and columns ----

BOOL CGXGridCore::SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT nFlags, int nCommandType)
{
    return SetFrozen(TRUE, nFrozenRows, nHeaderRows, nFlags, nCommandType);
}

BOOL CGXGridCore::SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT nFlags, int nCommandType)
{
    return SetFrozen(FALSE, nFrozenCols, nHeaderCols, nFlags, nCommandType);
}

BOOL CGXGridCore::SetFrozen(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT nFlags, int nCommandType)
{
    if (m_pParam == nullptr)
        return FALSE;
    const ROWCOL nOldFrozen = bRows ? m_pParam->m_nFrozenRows : m_pParam->m_nFrozenCols;
    const ROWCOL nOldHeader = bRows ? m_pParam->m_nHeaderRows : m_pParam->m_nHeaderCols;
    if (!(bRows ? StoreFrozenRows(nFrozen, nHeader) : StoreFrozenCols(nFrozen, nHeader)))
        return FALSE;
    if (bRows)
        UpdateFrozenRows(nOldFrozen, nOldHeader, nFlags, TRUE);
    else
        UpdateFrozenCols(nOldFrozen, nOldHeader, nFlags, TRUE);
    if (IsUndoRecorded(nCommandType))
        AddCommand(bRows ? m_pUndoImp->CreateFrozenRowsCmd(this, nOldFrozen, nOldHeader, nCommandType)
                         : m_pUndoImp->CreateFrozenColsCmd(this, nOldFrozen, nOldHeader, nCommandType),
                   nCommandType);
    return TRUE;
}

// More frozen rows than the table has would put the first scrolled row past its end.
BOOL CGXGridCore::StoreFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows)
{
    if (m_pParam == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    m_pParam->m_nFrozenRows = std::min(nFrozenRows, GetRowCount());
    m_pParam->m_nHeaderRows = std::min(nHeaderRows, GetRowCount());
    SetModifiedFlag();
    return TRUE;
}

BOOL CGXGridCore::StoreFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols)
{
    if (m_pParam == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    m_pParam->m_nFrozenCols = std::min(nFrozenCols, GetColCount());
    m_pParam->m_nHeaderCols = std::min(nHeaderCols, GetColCount());
    SetModifiedFlag();
    return TRUE;
}

namespace
{
// The first scrolled row (column) after the frozen ones, but never past the last one: when every
// row is frozen, the last row, which the index mapping then shows once, as a frozen row.
ROWCOL FirstScrolled(ROWCOL nCurrent, ROWCOL nFrozen, ROWCOL nCount)
{
    return std::min(std::max(nCurrent, nFrozen + 1), std::max<ROWCOL>(nCount, 1));
}
} // namespace

void CGXGridCore::UpdateFrozenRows(ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nTopRow = FirstScrolled(m_nTopRow, GetFrozenRows(), GetRowCount());
    if (!IsLockUpdate())
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintFrozenRows(this, nOldFrozenRows, nOldHeaderRows, nFlags);
}

void CGXGridCore::UpdateFrozenCols(ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT nFlags, BOOL bCreateHint)
{
    m_nLastVisibleCol = GX_INVALID;
    m_nLeftCol = FirstScrolled(m_nLeftCol, GetFrozenCols(), GetColCount());
    if (!IsLockUpdate())
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintFrozenCols(this, nOldFrozenCols, nOldHeaderCols, nFlags);
}

BOOL CGXGridCore::IsFrozenRow(ROWCOL nRow)
{
    return nRow != 0 && nRow <= GetFrozenRows();
}

BOOL CGXGridCore::IsFrozenCol(ROWCOL nCol)
{
    return nCol != 0 && nCol <= GetFrozenCols();
}

// ---- Absolute and client indexes ----

namespace
{
ROWCOL ToClient(ROWCOL nIndex, ROWCOL nFrozen, ROWCOL nFirstScrolled)
{
    if (nIndex == GX_INVALID || nIndex <= nFrozen)
        return nIndex;
    if (nIndex < nFirstScrolled)
        return 0;
    return nFirstScrolled > nFrozen + 1 ? nIndex - (nFirstScrolled - nFrozen) + 1 : nIndex;
}

ROWCOL FromClient(ROWCOL nClient, ROWCOL nFrozen, ROWCOL nFirstScrolled)
{
    if (nClient == GX_INVALID || nClient <= nFrozen)
        return nClient;
    return nFirstScrolled > nFrozen + 1 ? nClient + (nFirstScrolled - nFrozen) - 1 : nClient;
}
} // namespace

ROWCOL CGXGridCore::RowToClientRow(ROWCOL nRow)
{
    return ToClient(nRow, GetFrozenRows(), GetTopRow());
}

ROWCOL CGXGridCore::ColToClientCol(ROWCOL nCol)
{
    return ToClient(nCol, GetFrozenCols(), GetLeftCol());
}

ROWCOL CGXGridCore::ClientRowToRow(ROWCOL nClientRow)
{
    return FromClient(nClientRow, GetFrozenRows(), GetTopRow());
}

ROWCOL CGXGridCore::ClientColToCol(ROWCOL nClientCol)
{
    return FromClient(nClientCol, GetFrozenCols(), GetLeftCol());
}

// ---- First scrolled row and column ----

BOOL CGXGridCore::SetTopRow(ROWCOL nRow, UINT nFlags, BOOL bUpdate, BOOL bCreateHint)
{
    nRow = std::max<ROWCOL>(1, std::min(nRow, std::max<ROWCOL>(1, GetRowCount())));
    if (m_bPrinting)
    {
        m_nPrintTopRow = nRow;
        return TRUE;
    }
    nRow = FirstScrolled(nRow, GetFrozenRows(), GetRowCount());
    if (nRow == m_nTopRow)
        return TRUE;
    m_nTopRow = nRow;
    m_nLastVisibleRow = GX_INVALID;
    if (bUpdate && m_bInitDone)
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bUpdate && bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintTopRow(this, m_nTopRow, nFlags);
    return TRUE;
}

BOOL CGXGridCore::SetLeftCol(ROWCOL nCol, UINT nFlags, BOOL bUpdate, BOOL bCreateHint)
{
    nCol = std::max<ROWCOL>(1, std::min(nCol, std::max<ROWCOL>(1, GetColCount())));
    if (m_bPrinting)
    {
        m_nPrintLeftCol = nCol;
        return TRUE;
    }
    nCol = FirstScrolled(nCol, GetFrozenCols(), GetColCount());
    if (nCol == m_nLeftCol)
        return TRUE;
    m_nLeftCol = nCol;
    m_nLastVisibleCol = GX_INVALID;
    if (bUpdate && m_bInitDone)
    {
        RedrawGrid(nFlags, FALSE);
        UpdateScrollbars();
    }
    if (bUpdate && bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintLeftCol(this, m_nLeftCol, nFlags);
    return TRUE;
}

BOOL CGXGridCore::IsUndoRecorded(int nCommandType)
{
    return m_pUndoImp != nullptr && nCommandType != 1 && m_pParam != nullptr && m_pParam->IsEnableUndo();
}
