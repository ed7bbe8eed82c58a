#include "grid/features/GridDirectCopyMoveCellsImp.h"

#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <new>

IMPLEMENT_DYNAMIC(CGXDataUndoMoveCellsInfo, CObject)

namespace
{

// The block of the source's size whose top-left cell is (nRow, nCol).
CGXRange DestinationOf(const CGXRange& source, ROWCOL nRow, ROWCOL nCol)
{
    return CGXRange(nRow, nCol, nRow + (source.bottom - source.top), nCol + (source.right - source.left));
}

// The row array of a data row, made (and the row array grown) when missing.
CGXStylePtrArray& RowFor(CGXStylePtrArrayPtrArray& rows, ROWCOL nRow)
{
    CGXStylePtrArray* pRow = rows.GetRowAt(static_cast<INT_PTR>(nRow));
    if (pRow == nullptr)
    {
        rows.EnsureIndex(static_cast<INT_PTR>(nRow));
        pRow = new CGXStylePtrArray;
        rows.SetAt(static_cast<INT_PTR>(nRow), pRow);
    }
    return *pRow;
}

// Takes the style out of a cell (NULL when it holds none); the caller owns it.
CGXStyle* TakeCell(CGXStylePtrArrayPtrArray& rows, ROWCOL nRow, ROWCOL nCol)
{
    CGXStylePtrArray* pRow = rows.GetRowAt(static_cast<INT_PTR>(nRow));
    if (pRow == nullptr)
        return nullptr;
    CGXStyle* pStyle = pRow->GetStyleAt(static_cast<INT_PTR>(nCol));
    if (pStyle != nullptr)
        pRow->SetAt(static_cast<INT_PTR>(nCol), nullptr);
    return pStyle;
}

// Puts a style (taken over) into a cell whose former style is deleted.
void PutCell(CGXStylePtrArrayPtrArray& rows, ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle)
{
    CGXStylePtrArray& row = RowFor(rows, nRow);
    delete row.GetStyleAt(static_cast<INT_PTR>(nCol));
    if (pStyle == nullptr && static_cast<INT_PTR>(nCol) >= row.GetSize())
        return;
    row.EnsureIndex(static_cast<INT_PTR>(nCol));
    row.SetAt(static_cast<INT_PTR>(nCol), pStyle);
}

} // namespace

// ---- Data object ----

BOOL CGXDataCopyMoveCellsImp::CopyCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol)
{
    CGXStylePtrArrayPtrArray& rows = data.GetCellStyles();
    const ROWCOL nRows = range.bottom - range.top + 1;
    const ROWCOL nCols = range.right - range.left + 1;
    // The source as it was before the copy, so that an overlapping destination comes out exact.
    std::vector<std::unique_ptr<CGXStyle>> snapshot(static_cast<size_t>(nRows) * nCols);
    std::vector<bool> rowHasCells(nRows, false);
    for (ROWCOL r = 0; r < nRows; ++r)
    {
        const CGXStylePtrArray* pRow = rows.GetRowAt(static_cast<INT_PTR>(range.top + r));
        if (pRow == nullptr)
            continue;
        for (ROWCOL c = 0; c < nCols; ++c)
            if (const CGXStyle* pStyle = pRow->GetStyleAt(static_cast<INT_PTR>(range.left + c)))
            {
                snapshot[static_cast<size_t>(r) * nCols + c].reset(pStyle->Clone());
                rowHasCells[r] = true;
            }
    }
    for (ROWCOL r = 0; r < nRows; ++r)
    {
        const ROWCOL nRow = nToRow + r;
        // A source row without cells leaves a destination row beyond the array untouched.
        if (!rowHasCells[r] && static_cast<INT_PTR>(nRow) >= rows.GetSize())
            continue;
        for (ROWCOL c = 0; c < nCols; ++c)
            PutCell(rows, nRow, nToCol + c, snapshot[static_cast<size_t>(r) * nCols + c].release());
    }
    return TRUE;
}

BOOL CGXDataCopyMoveCellsImp::MoveCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol,
                                        CObject** ppUndoInfo, BOOL bCreateUndoInfo)
{
    CGXStylePtrArrayPtrArray& rows = data.GetCellStyles();
    const ROWCOL nRows = range.bottom - range.top + 1;
    const ROWCOL nCols = range.right - range.left + 1;

    // Every source cell out first: overlapping blocks then move correctly.
    std::vector<CGXDataUndoMoveCellsInfo::SavedCell> moved;
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < nCols; ++c)
            if (CGXStyle* pStyle = TakeCell(rows, range.top + r, range.left + c))
                moved.push_back({nToRow + r, nToCol + c, std::unique_ptr<CGXStyle>(pStyle)});

    // The destination emptied; what it held is kept for the undo when asked.
    std::vector<CGXDataUndoMoveCellsInfo::SavedCell> overwritten;
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < nCols; ++c)
            if (CGXStyle* pStyle = TakeCell(rows, nToRow + r, nToCol + c))
            {
                if (bCreateUndoInfo)
                    overwritten.push_back({nToRow + r, nToCol + c, std::unique_ptr<CGXStyle>(pStyle)});
                else
                    delete pStyle;
            }

    for (auto& cell : moved)
        PutCell(rows, cell.nRow, cell.nCol, cell.pStyle.release());

    // Undoing a move puts back what the move had overwritten.
    CGXDataUndoMoveCellsInfo* pInfo = nullptr;
    if (ppUndoInfo != nullptr && *ppUndoInfo != nullptr &&
        (*ppUndoInfo)->IsKindOf(RUNTIME_CLASS(CGXDataUndoMoveCellsInfo)))
    {
        pInfo = static_cast<CGXDataUndoMoveCellsInfo*>(*ppUndoInfo);
        for (auto& cell : pInfo->m_cells)
            PutCell(rows, cell.nRow, cell.nCol, cell.pStyle.release());
        pInfo->m_cells.clear();
    }

    if (bCreateUndoInfo && ppUndoInfo != nullptr)
    {
        if (pInfo == nullptr)
        {
            pInfo = new CGXDataUndoMoveCellsInfo;
            *ppUndoInfo = pInfo;
        }
        pInfo->m_cells = std::move(overwritten);
    }
    return TRUE;
}

void InstallDataCopyMoveCellsImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pDataCopyMoveCellsImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXDataCopyMoveCellsImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pDataCopyMoveCellsImp = pImp;
    pAppData->AddOwnedObject(pImp);
}

// ---- Grid ----

BOOL CGXGridDirectCopyMoveCellsImp::CopyCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol,
                                              UINT nFlags)
{
    if (pGrid->IsReadOnly() || !range.IsValid())
        return FALSE;
    pGrid->ArmRecalcMessage();
    CGXAppData* pAppData = pGrid->GetAppData();
    const CString& name = pAppData->GetOperationText(GX_IDS_COPYCMD);
    pGrid->BeginTrans(name);
    CGXLongOperation operation;
    operation.SetStatusText(name, FALSE);
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(TRUE);

    const CGXRange dest = DestinationOf(range, nDestRow, nDestCol);
    CObArray* pSaved = nullptr;
    if (pGrid->IsUndoRecorded(0))
    {
        const ROWCOL nRows = dest.bottom - dest.top + 1;
        const ROWCOL nCols = dest.right - dest.left + 1;
        const unsigned long long nCells = static_cast<unsigned long long>(nRows) * nCols;
        if (nRows < 0x8000 && nCols < 0x8000 && nCells < 0x7FFFFFFFull)
        {
            if (!pGrid->SaveStylesForUndo(dest, pGrid->m_nDefaultStyleType, pSaved))
                pSaved = nullptr;
        }
        else if (AfxMessageBox(GX_IDS_UNDOTOOLARGE, MB_OKCANCEL) == IDCANCEL)
        {
            pGrid->Rollback();
            CGXLongOperation::SetCanRollback(bOldCanRollback);
            return FALSE;
        }
        else if (pGrid->m_pUndoImp != nullptr)
            // The recorded commands would replay against cells they never saw.
            pGrid->m_pUndoImp->EmptyUndoHistory(pGrid);
    }

    // A data object with an engine of its own (the formula sheet) keeps what the copy overwrites
    // there too, for the undo step.
    const BOOL bOldRecording = pGrid->SetDataUndoRecording(pGrid->GetParam()->IsEnableUndo());
    BOOL bResult = FALSE;
    try
    {
        bResult = pGrid->CopyCellsData(range, nDestRow, nDestCol);
    }
    catch (...)
    {
        // Out of memory: nothing of this copy stays half recorded; the caller hears of it.
        pGrid->SetDataUndoRecording(bOldRecording);
        pGrid->DeleteDataUndoRecord();
        if (pSaved != nullptr && pGrid->m_pUndoImp != nullptr)
            pGrid->m_pUndoImp->FreeSavedData(nullptr, pSaved, nullptr);
        pGrid->Rollback();
        CGXLongOperation::SetCanRollback(bOldCanRollback);
        throw;
    }
    pGrid->SetDataUndoRecording(bOldRecording);
    if (bResult)
    {
        pGrid->DelayFloatCells(dest);
        pGrid->DelayMergeCells(dest);
        pGrid->SetModifiedFlag();
        CObject* pCommand = nullptr;
        if (pSaved != nullptr && pGrid->m_pUndoImp != nullptr)
        {
            pCommand = pGrid->m_pUndoImp->CreateSetStyleRangeCmd(pGrid, dest, pGrid->m_nDefaultStyleType, pSaved, 0);
            pSaved = nullptr;
        }
        // The command takes the engine's record when it is recorded; without one the record goes.
        if (pCommand != nullptr)
            pGrid->AddCommand(pCommand, 0);
        else
            pGrid->DeleteDataUndoRecord();
        pGrid->CommitTrans();
    }
    else
    {
        pGrid->DeleteDataUndoRecord();
        pGrid->Rollback();
    }
    if (pSaved != nullptr && pGrid->m_pUndoImp != nullptr)
        pGrid->m_pUndoImp->FreeSavedData(nullptr, pSaved, nullptr);
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    pGrid->RedrawGrid(nFlags, TRUE);
    pGrid->ReportRecalcMessage();
    return bResult;
}

BOOL CGXGridDirectCopyMoveCellsImp::CopyCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow,
                                                  ROWCOL nDestCol)
{
    CGXData* pData = pGrid->GetData();
    return pData == nullptr || pData->CopyCells(range, nDestRow, nDestCol);
}

BOOL CGXGridDirectCopyMoveCellsImp::MoveCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol,
                                              CObject* pUndoInfo, UINT nFlags, int nCommandType)
{
    if (pGrid->IsReadOnly() || pGrid->GetData() == nullptr || !range.IsValid())
    {
        delete pUndoInfo;
        return FALSE;
    }
    pGrid->ArmRecalcMessage();
    CGXLongOperation operation;
    operation.SetStatusText(pGrid->GetAppData()->GetOperationText(GX_IDS_MOVECMD), FALSE);

    const CGXRange dest = DestinationOf(range, nDestRow, nDestCol);
    const BOOL bUndo = pGrid->m_pUndoImp != nullptr && pGrid->GetParam()->IsEnableUndo() && nCommandType != 1;
    BOOL bResult = FALSE;
    try
    {
        bResult = pGrid->MoveCellsData(range, nDestRow, nDestCol, &pUndoInfo, bUndo, nCommandType);
    }
    catch (...)
    {
        delete pUndoInfo;
        throw;
    }
    if (bResult)
    {
        pGrid->DelayFloatCells(dest);
        pGrid->DelayMergeCells(dest);
        pGrid->DelayFloatCells(range);
        pGrid->DelayMergeCells(range);
        pGrid->SetModifiedFlag();
        if (bUndo)
        {
            CObject* pCommand =
                pGrid->m_pUndoImp->CreateMoveCellsCmd(pGrid, range, nDestRow, nDestCol, pUndoInfo, nCommandType);
            pUndoInfo = nullptr;
            if (pCommand != nullptr)
                pGrid->AddCommand(pCommand, nCommandType);
        }
    }
    delete pUndoInfo;
    pGrid->RedrawGrid(nFlags, TRUE);
    pGrid->ReportRecalcMessage();
    return bResult;
}

BOOL CGXGridDirectCopyMoveCellsImp::MoveCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow,
                                                  ROWCOL nDestCol, CObject** ppUndoInfo, BOOL bCreateUndoInfo, int)
{
    CGXData* pData = pGrid->GetData();
    return pData == nullptr || pData->MoveCells(range, nDestRow, nDestCol, ppUndoInfo, bCreateUndoInfo);
}

void CGXGridCore::InstallDirectCopyMoveCells()
{
    InstallDataCopyMoveCellsImp();
    if (m_pDirectCopyMoveCellsImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridDirectCopyMoveCellsImp;
    if (pImp == nullptr)
        return;
    m_pDirectCopyMoveCellsImp = pImp;
    AddImplementationObject(pImp);
}
