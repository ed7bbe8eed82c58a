// Grid engine: the forwarders to the feature components. Each answers 0 (FALSE, NULL) while its
// component is missing; otherwise it hands its arguments, the grid first, to the component and passes
// the component's result on unchanged. A range taken by value goes to the component by address.

#include "grid/core/GridCore.h"

#include "framework/win/CmdTarget.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <mbstring.h>

BOOL CGXGridCore::OnFindNext(CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->OnFindNext(this, pSettings, bNext, bCase) : FALSE;
}

BOOL CGXGridCore::OnReplaceSel(CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase, LPCTSTR pszReplace)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->OnReplaceSel(this, pSettings, bNext, bCase, pszReplace) : FALSE;
}

BOOL CGXGridCore::OnReplaceAll(CGXFindReplaceSettings* pSettings, LPCTSTR pszReplace, BOOL bCase)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->OnReplaceAll(this, pSettings, pszReplace, bCase) : FALSE;
}

BOOL CGXGridCore::OnShowFindReplaceDialog(BOOL bFindOnly)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->OnShowFindReplaceDialog(this, bFindOnly) : FALSE;
}

BOOL CGXGridCore::OnFindReplace(CWnd* pDialog)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->OnFindReplace(this, pDialog) : FALSE;
}

BOOL CGXGridCore::FindTextInCell(CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                                 ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->FindInCell(this, pControl, settings, nRow, nCol, bCurrentPos, bSetCell) : FALSE;
}

BOOL CGXGridCore::ReplaceAllInCell(CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                                   ROWCOL nCol)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->ReplaceInCell(this, pControl, settings, nRow, nCol) : FALSE;
}

BOOL CGXGridCore::FindTextFromCell(ROWCOL nRow, ROWCOL nCol, BOOL bSetCell)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->FindTextFromCell(this, nRow, nCol, bSetCell) : FALSE;
}

BOOL CGXGridCore::FindNextText(BOOL bSetCell)
{
    return m_pFindReplaceImp != nullptr ? m_pFindReplaceImp->FindNextText(this, bSetCell) : FALSE;
}

BOOL CGXGridCore::HideRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide, CByteArray* pabHide, UINT nFlags, int nCommandType)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->HideRows(this, nFromRow, nToRow, bHide, pabHide, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::HideCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide, CByteArray* pabHide, UINT nFlags, int nCommandType)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->HideCols(this, nFromCol, nToCol, bHide, pabHide, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::IsRowHidden(ROWCOL nRow)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->IsRowHidden(this, nRow) : FALSE;
}

BOOL CGXGridCore::IsColHidden(ROWCOL nCol)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->IsColHidden(this, nCol) : FALSE;
}

BOOL CGXGridCore::StoreHideRow(ROWCOL nRow, BOOL bHide)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->StoreHideRow(this, nRow, bHide) : FALSE;
}

BOOL CGXGridCore::StoreHideCol(ROWCOL nCol, BOOL bHide)
{
    return m_pHideCellsImp != nullptr ? m_pHideCellsImp->StoreHideCol(this, nCol, bHide) : FALSE;
}

BOOL CGXGridCore::ResizeRowHeightsToFit(CGXRange range, BOOL bResizeCoveredCells, UINT nFlags)
{
    return m_pResizeToFitImp != nullptr ? m_pResizeToFitImp->ResizeRowHeightsToFit(this, &range, bResizeCoveredCells, nFlags) : FALSE;
}

BOOL CGXGridCore::ResizeColWidthsToFit(CGXRange range, BOOL bResizeCoveredCells, UINT nFlags)
{
    return m_pResizeToFitImp != nullptr ? m_pResizeToFitImp->ResizeColWidthsToFit(this, &range, bResizeCoveredCells, nFlags) : FALSE;
}

BOOL CGXGridCore::Undo()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->Undo(this) : FALSE;
}

BOOL CGXGridCore::Redo()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->Redo(this) : FALSE;
}

BOOL CGXGridCore::BeginTrans(LPCTSTR pszName)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->BeginTrans(this, pszName) : FALSE;
}

BOOL CGXGridCore::CommitTrans()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->CommitTrans(this) : FALSE;
}

BOOL CGXGridCore::Rollback()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->Rollback(this) : FALSE;
}

// Without undo the Undo and Redo items are disabled.
BOOL CGXGridCore::UpdateUndoMenuText(CCmdUI* pCmdUI)
{
    if (m_pUndoImp != nullptr)
        return m_pUndoImp->UpdateUndoMenuText(this, pCmdUI);
    if (pCmdUI != nullptr)
        pCmdUI->Enable(FALSE);
    return FALSE;
}

BOOL CGXGridCore::UpdateRedoMenuText(CCmdUI* pCmdUI)
{
    if (m_pUndoImp != nullptr)
        return m_pUndoImp->UpdateRedoMenuText(this, pCmdUI);
    if (pCmdUI != nullptr)
        pCmdUI->Enable(FALSE);
    return FALSE;
}

BOOL CGXGridCore::AddCommand(CObject* pCommand, int nCommandType)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->AddCommand(this, pCommand, nCommandType) : FALSE;
}

BOOL CGXGridCore::RemoveLastCommand(int nCommandType)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->RemoveLastCommand(this, nCommandType) : FALSE;
}

BOOL CGXGridCore::RestoreCurrentCell(ROWCOL nRow, ROWCOL nCol, BOOL bMove)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->RestoreCurrentCell(this, nRow, nCol, bMove) : FALSE;
}

BOOL CGXGridCore::SetDataUndoRecording(BOOL bRecord)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->SetDataUndoRecording(this, bRecord) : FALSE;
}

CObject* CGXGridCore::GetDataUndoRecord()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->GetDataUndoRecord(this) : nullptr;
}

BOOL CGXGridCore::ApplyDataUndoRecord(CObject* pRecord, BOOL bCreateUndo, int nCommandType)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->ApplyDataUndoRecord(this, pRecord, bCreateUndo, nCommandType) : FALSE;
}

BOOL CGXGridCore::DeleteDataUndoRecord()
{
    return m_pUndoImp != nullptr ? m_pUndoImp->DeleteDataUndoRecord(this) : FALSE;
}

BOOL CGXGridCore::SortRows(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT nFlags)
{
    return m_pSortImp != nullptr ? m_pSortImp->SortRows(this, &sortRange, sortInfo, nFlags) : FALSE;
}

BOOL CGXGridCore::MoveDataRows(const CGXRange& sortRange, const CDWordArray& awRowIndex, UINT nFlags, int nCommandType)
{
    return m_pSortImp != nullptr ? m_pSortImp->MoveDataRows(this, sortRange, awRowIndex, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::StoreMoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow)
{
    return m_pSortImp != nullptr ? m_pSortImp->StoreMoveDataRows(this, awRowIndex, nStartRow) : FALSE;
}

BOOL CGXGridCore::UpdateMoveDataRows(const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint)
{
    return m_pSortImp != nullptr ? m_pSortImp->UpdateMoveDataRows(this, sortRange, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::GetSortKeyRow(ROWCOL nRow, const CGXSortInfoArray& sortInfo, CStringArray& keys)
{
    return m_pSortImp != nullptr ? m_pSortImp->GetSortKeyRow(this, nRow, sortInfo, keys) : FALSE;
}

BOOL CGXGridCore::SortCols(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT nFlags)
{
    return m_pSortImp != nullptr ? m_pSortImp->SortCols(this, &sortRange, sortInfo, nFlags) : FALSE;
}

BOOL CGXGridCore::MoveDataCols(const CGXRange& sortRange, const CDWordArray& awColIndex, UINT nFlags, int nCommandType)
{
    return m_pSortImp != nullptr ? m_pSortImp->MoveDataCols(this, sortRange, awColIndex, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::StoreMoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol)
{
    return m_pSortImp != nullptr ? m_pSortImp->StoreMoveDataCols(this, awColIndex, nStartCol) : FALSE;
}

BOOL CGXGridCore::UpdateMoveDataCols(const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint)
{
    return m_pSortImp != nullptr ? m_pSortImp->UpdateMoveDataCols(this, sortRange, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::GetSortKeyCol(ROWCOL nCol, const CGXSortInfoArray& sortInfo, CStringArray& keys)
{
    return m_pSortImp != nullptr ? m_pSortImp->GetSortKeyCol(this, nCol, sortInfo, keys) : FALSE;
}

BOOL CGXGridCore::SortKeys(CPtrArray& keys, const CGXSortInfoArray& sortInfo)
{
    return m_pSortImp != nullptr ? m_pSortImp->SortKeys(this, keys, sortInfo) : FALSE;
}

BOOL CGXGridCore::SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags, int nCommandType)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->SetCoveredCells(this, nRow, nCol, nToRow, nToCol, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->GetCoveredCellsRowCol(this, nRow, nCol, range) : FALSE;
}

BOOL CGXGridCore::StoreCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, BOOL bSet)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->StoreCoveredCells(this, nRow, nCol, nToRow, nToCol, bSet) : FALSE;
}

BOOL CGXGridCore::UpdateCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->UpdateCoveredCellsRowCol(this, nRow, nCol, nToRow, nToCol, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::ExpandToCoveredCells(const CGXRange& range, CGXRange& rangeOut)
{
    return m_pCoveredCellsImp != nullptr ? m_pCoveredCellsImp->ExpandToCoveredCells(this, range, rangeOut) : FALSE;
}

BOOL CGXGridCore::CanMergeCell(const CGXStyle& style, ROWCOL nRow, ROWCOL nCol, ROWCOL nOtherRow, ROWCOL nOtherCol)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->CanMergeCell(this, style, nRow, nCol, nOtherRow, nOtherCol) : FALSE;
}

BOOL CGXGridCore::CanMergeCellsStyles(const CGXStyle& style, const CGXStyle& otherStyle)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->CanMergeCellsStyles(this, style, otherStyle) : FALSE;
}

BOOL CGXGridCore::DelayMergeCells(const CGXRange& range, ROWCOL nRowCount, ROWCOL nColCount)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->DelayMergeCells(this, range, nRowCount, nColCount) : FALSE;
}

BOOL CGXGridCore::EvalMergeCells(const CGXRange& range, BOOL bUpdateLocked, CGXRange* pRangeChanged, BOOL bNoCache)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->EvalMergeCells(this, range, bUpdateLocked, pRangeChanged, bNoCache) : FALSE;
}

BOOL CGXGridCore::GetMergeRange(ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->GetMergeRange(this, nRow, nCol, range, nDirection) : FALSE;
}

BOOL CGXGridCore::UpdateMergeCellsRowCol(int nDirection, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->UpdateMergeCellsRowCol(this, nDirection, nRow, nCol, nToRow, nToCol, nFlags) : FALSE;
}

BOOL CGXGridCore::RedrawMergeCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->RedrawMergeCellsRowCol(this, nRow, nCol, nToRow, nToCol, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::ExpandToMergedCells(const CGXRange& range, CGXRange& rangeOut)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->ExpandToMergedCells(this, range, rangeOut) : FALSE;
}

BOOL CGXGridCore::CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell, BOOL bCheckMerged)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->CanFloatCell(this, nRow, nCol, style, bFloatCell, bCheckMerged) : FALSE;
}

BOOL CGXGridCore::DelayFloatCells(const CGXRange& range, ROWCOL nColCount)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->DelayFloatCells(this, range, nColCount) : FALSE;
}

BOOL CGXGridCore::EvalFloatCells(const CGXRange& range, BOOL bUpdateLocked, CGXRange* pRangeChanged, BOOL bNoCache)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->EvalFloatCells(this, range, bUpdateLocked, pRangeChanged, bNoCache) : FALSE;
}

BOOL CGXGridCore::GetFloatRange(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->GetFloatRange(this, nRow, nCol, range) : FALSE;
}

BOOL CGXGridCore::UpdateFloatCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->UpdateFloatCellsRowCol(this, nRow, nCol, nToRow, nToCol, nFlags) : FALSE;
}

BOOL CGXGridCore::RedrawFloatCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->RedrawFloatCellsRowCol(this, nRow, nCol, nToRow, nToCol, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::ExpandToFloatCells(const CGXRange& range, CGXRange& rangeOut)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->ExpandToFloatCells(this, range, rangeOut) : FALSE;
}

BOOL CGXGridCore::SetMergeCellsMode(WORD wMode, BOOL bRedraw)
{
    return m_pMergeCellsImp != nullptr ? m_pMergeCellsImp->SetMergeCellsMode(this, wMode, bRedraw) : FALSE;
}

BOOL CGXGridCore::SetFloatCellsMode(WORD wMode, BOOL bRedraw)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->SetFloatCellsMode(this, wMode, bRedraw) : FALSE;
}

BOOL CGXGridCore::CanFloatCellDefault(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell)
{
    return m_pFloatCellsImp != nullptr ? m_pFloatCellsImp->CanFloatCellDefault(this, nRow, nCol, style, bFloatCell) : FALSE;
}

namespace
{
// One step of the span-cell pool component on a pool; FALSE without either.
template <class Step>
BOOL OnSpanCellPool(CObject* pPool, Step step)
{
    CGXAbstractSpanCellPoolImp* pImp = GXGetAppData()->m_pSpanCellPoolImp;
    if (pImp == nullptr || pPool == nullptr)
        return FALSE;
    step(*pImp);
    return TRUE;
}
} // namespace

BOOL CGXGridCore::SpanCellPoolInsertRows(CObject* pPool, ROWCOL nRow, ROWCOL nCount)
{
    return OnSpanCellPool(pPool, [&](CGXAbstractSpanCellPoolImp& imp) { imp.InsertRows(pPool, nRow, nCount); });
}

BOOL CGXGridCore::SpanCellPoolRemoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow)
{
    return OnSpanCellPool(pPool, [&](CGXAbstractSpanCellPoolImp& imp) { imp.RemoveRows(pPool, nFromRow, nToRow); });
}

BOOL CGXGridCore::SpanCellPoolMoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    return OnSpanCellPool(pPool,
                          [&](CGXAbstractSpanCellPoolImp& imp) { imp.MoveRows(pPool, nFromRow, nToRow, nDestRow); });
}

BOOL CGXGridCore::SpanCellPoolInsertCols(CObject* pPool, ROWCOL nCol, ROWCOL nCount)
{
    return OnSpanCellPool(pPool, [&](CGXAbstractSpanCellPoolImp& imp) { imp.InsertCols(pPool, nCol, nCount); });
}

BOOL CGXGridCore::SpanCellPoolRemoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol)
{
    return OnSpanCellPool(pPool, [&](CGXAbstractSpanCellPoolImp& imp) { imp.RemoveCols(pPool, nFromCol, nToCol); });
}

BOOL CGXGridCore::SpanCellPoolMoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    return OnSpanCellPool(pPool,
                          [&](CGXAbstractSpanCellPoolImp& imp) { imp.MoveCols(pPool, nFromCol, nToCol, nDestCol); });
}

BOOL CGXGridCore::OnGridBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    return m_pPrintImp != nullptr ? m_pPrintImp->OnGridBeginPrinting(this, pDC, pInfo) : FALSE;
}

BOOL CGXGridCore::OnGridEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    return m_pPrintImp != nullptr ? m_pPrintImp->OnGridEndPrinting(this, pDC, pInfo) : FALSE;
}

BOOL CGXGridCore::OnGridPrint(CDC* pDC, CPrintInfo* pInfo)
{
    return m_pPrintImp != nullptr ? m_pPrintImp->OnGridPrint(this, pDC, pInfo) : FALSE;
}

BOOL CGXGridCore::SelectRange(const CGXRange& range, BOOL bSelect, BOOL bStrictly, UINT nFlags, BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->SelectRange(this, range, bSelect, bStrictly, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::SetSelection(POSITION pos, const CGXRange* pRange, BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->SetSelection(this, pos, pRange, bCreateHint) : FALSE;
}

BOOL CGXGridCore::CopyRangeToSelection(const CGXRange& range, CGXRange& rangeOut)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->CopyRangeToSelection(this, range, rangeOut) : FALSE;
}

BOOL CGXGridCore::DrawInvertedSelection(CDC* pDC, const CRect& rect, BOOL bInvert)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->DrawInvertedSelection(this, pDC, rect, bInvert) : FALSE;
}

BOOL CGXGridCore::RedrawSelectionChange(const CGXRange& oldRange, const CGXRange& newRange, BOOL bRowHeaders, BOOL bColHeaders, UINT nFlags, BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->RedrawSelectionChange(this, oldRange, newRange, bRowHeaders, bColHeaders, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::RedrawSelection(UINT nFlags)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->RedrawSelection(this, nFlags) : FALSE;
}

BOOL CGXGridCore::StoreSelectRange(const CGXRange& range, BOOL bSelect)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->StoreSelectRange(this, range, bSelect) : FALSE;
}

BOOL CGXGridCore::UpdateSelectRange(const CGXRange& area, const CGXRangeList* pOldList, BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->UpdateSelectRange(this, area, pOldList, bCreateHint) : FALSE;
}

BOOL CGXGridCore::UpdateSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->UpdateSelection(this, pos, nTop, nLeft, nBottom, nRight, bCreateHint) : FALSE;
}

BOOL CGXGridCore::InvertAllSelectedCells(BOOL bCreateHint)
{
    return m_pUserSelectRangeImp != nullptr ? m_pUserSelectRangeImp->InvertAllSelectedCells(this, bCreateHint) : FALSE;
}

BOOL CGXGridCore::DrawExcelLikeFrame(CDC* pDC, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bErase, BOOL bFocus)
{
    return m_pExcelLikeFrameImp != nullptr ? m_pExcelLikeFrameImp->DrawExcelLikeFrame(this, pDC, nTop, nLeft, nBottom, nRight, bErase, bFocus) : FALSE;
}

BOOL CGXGridCore::RefreshExcelLikeFrame(BOOL bRedraw, const CGXRange* pOldRange, BOOL bErase)
{
    return m_pExcelLikeFrameImp != nullptr ? m_pExcelLikeFrameImp->RefreshExcelLikeFrame(this, bRedraw, pOldRange, bErase) : FALSE;
}

BOOL CGXGridCore::RedrawExcelLikeFrame()
{
    return m_pExcelLikeFrameImp != nullptr ? m_pExcelLikeFrameImp->RedrawExcelLikeFrame(this) : FALSE;
}

BOOL CGXGridCore::LockExcelLikeFrame(BOOL bLock, BOOL bRedraw)
{
    return m_pExcelLikeFrameImp != nullptr ? m_pExcelLikeFrameImp->LockExcelLikeFrame(this, bLock, bRedraw) : FALSE;
}

BOOL CGXGridCore::DoExcelLikeFill(const CGXRange& sourceRange, const CGXRange& fillRange)
{
    return m_pExcelLikeFillImp != nullptr ? m_pExcelLikeFillImp->DoExcelLikeFill(this, sourceRange, fillRange) : FALSE;
}

BOOL CGXGridCore::StartExcelLikeFill(UINT nFlags)
{
    return m_pExcelLikeFillImp != nullptr ? m_pExcelLikeFillImp->StartExcelLikeFill(this, nFlags) : FALSE;
}

BOOL CGXGridCore::CancelFill()
{
    return m_pExcelLikeFillImp != nullptr ? m_pExcelLikeFillImp->CancelFill(this) : FALSE;
}

BOOL CGXGridCore::SelectFilledRange(const CGXRange& range)
{
    return m_pExcelLikeFillImp != nullptr ? m_pExcelLikeFillImp->SelectFilledRange(this, range) : FALSE;
}

BOOL CGXGridCore::CanStartFill(const CGXRange&, CPoint, UINT)
{
    return TRUE;
}

BOOL CGXGridCore::IsValidFillRange(const CGXRange&, const CGXRange&)
{
    return TRUE;
}

BOOL CGXGridCore::StartDragSelection(ROWCOL nRow, ROWCOL nCol)
{
    return m_pUserDragSelectRangeImp != nullptr ? m_pUserDragSelectRangeImp->StartDragSelection(this, nRow, nCol) : FALSE;
}

BOOL CGXGridCore::DoDragSelection(ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol)
{
    return m_pUserDragSelectRangeImp != nullptr ? m_pUserDragSelectRangeImp->DoDragSelection(this, nFromRow, nFromCol, nToRow, nToCol) : FALSE;
}

BOOL CGXGridCore::DropSelection(ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol)
{
    return m_pUserDragSelectRangeImp != nullptr ? m_pUserDragSelectRangeImp->DropSelection(this, nFromRow, nFromCol, nToRow, nToCol) : FALSE;
}

BOOL CGXGridCore::MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags, int nCommandType)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->MoveRows(this, nFromRow, nToRow, nDestRow, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags, int nCommandType)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->MoveCols(this, nFromCol, nToCol, nDestCol, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::StoreMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, BOOL bProcessed)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->StoreMoveRows(this, nFromRow, nToRow, nDestRow, bProcessed) : FALSE;
}

BOOL CGXGridCore::StoreMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, BOOL bProcessed)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->StoreMoveCols(this, nFromCol, nToCol, nDestCol, bProcessed) : FALSE;
}

BOOL CGXGridCore::UpdateMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags, BOOL bCreateHint)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->UpdateMoveRows(this, nFromRow, nToRow, nDestRow, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::UpdateMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags, BOOL bCreateHint)
{
    return m_pMoveRowsColsImp != nullptr ? m_pMoveRowsColsImp->UpdateMoveCols(this, nFromCol, nToCol, nDestCol, nFlags, bCreateHint) : FALSE;
}

BOOL CGXGridCore::StartResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode)
{
    return m_pUserResizeCellsImp != nullptr ? m_pUserResizeCellsImp->StartResizeTracking(this, nRow, nCol, nMode) : FALSE;
}

BOOL CGXGridCore::MoveResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize)
{
    return m_pUserResizeCellsImp != nullptr ? m_pUserResizeCellsImp->MoveResizeTracking(this, nRow, nCol, nMode, nSize) : FALSE;
}

BOOL CGXGridCore::EndResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize)
{
    return m_pUserResizeCellsImp != nullptr ? m_pUserResizeCellsImp->EndResizeTracking(this, nRow, nCol, nMode, nSize) : FALSE;
}

BOOL CGXGridCore::CancelResizeTracking()
{
    return m_pUserResizeCellsImp != nullptr ? m_pUserResizeCellsImp->CancelResizeTracking(this) : FALSE;
}

BOOL CGXGridCore::FreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->FreezeCols(this) : FALSE;
}

BOOL CGXGridCore::CanFreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->CanFreezeCols(this) : FALSE;
}

BOOL CGXGridCore::UnfreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->UnfreezeCols(this) : FALSE;
}

BOOL CGXGridCore::CanUnfreezeCols()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->CanUnfreezeCols(this) : FALSE;
}

BOOL CGXGridCore::FreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->FreezeRows(this) : FALSE;
}

BOOL CGXGridCore::CanFreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->CanFreezeRows(this) : FALSE;
}

BOOL CGXGridCore::UnfreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->UnfreezeRows(this) : FALSE;
}

BOOL CGXGridCore::CanUnfreezeRows()
{
    return m_pFreezeMenuHelperImp != nullptr ? m_pFreezeMenuHelperImp->CanUnfreezeRows(this) : FALSE;
}

BOOL CGXGridCore::CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT nFlags)
{
    return m_pDirectCopyMoveCellsImp != nullptr ? m_pDirectCopyMoveCellsImp->CopyCells(this, range, nDestRow, nDestCol, nFlags) : FALSE;
}

BOOL CGXGridCore::CopyCellsData(const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol)
{
    return m_pDirectCopyMoveCellsImp != nullptr ? m_pDirectCopyMoveCellsImp->CopyCellsData(this, range, nDestRow, nDestCol) : FALSE;
}

BOOL CGXGridCore::MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo, UINT nFlags, int nCommandType)
{
    return m_pDirectCopyMoveCellsImp != nullptr ? m_pDirectCopyMoveCellsImp->MoveCells(this, range, nDestRow, nDestCol, pUndoInfo, nFlags, nCommandType) : FALSE;
}

BOOL CGXGridCore::MoveCellsData(const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol, CObject** ppUndoInfo, BOOL bCreateUndoInfo, int nCommandType)
{
    return m_pDirectCopyMoveCellsImp != nullptr ? m_pDirectCopyMoveCellsImp->MoveCellsData(this, range, nDestRow, nDestCol, ppUndoInfo, bCreateUndoInfo, nCommandType) : FALSE;
}

BOOL CGXGridCore::CopyTextToFile(CFile& file, const CGXRangeList& ranges)
{
    return m_pTextDataExchangeImp != nullptr ? m_pTextDataExchangeImp->CopyTextToFile(this, file, ranges) : FALSE;
}

BOOL CGXGridCore::PasteTextFromBuffer(LPCSTR pszBuffer, DWORD dwSize, const CGXRange& target)
{
    return m_pTextDataExchangeImp != nullptr ? m_pTextDataExchangeImp->PasteTextFromBuffer(this, pszBuffer, dwSize, target) : FALSE;
}

BOOL CGXGridCore::PasteTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags, const CGXStyle* pStyle)
{
    return m_pTextDataExchangeImp != nullptr ? m_pTextDataExchangeImp->PasteTextRowCol(this, nRow, nCol, text, nFlags, pStyle) : FALSE;
}

BOOL CGXGridCore::CalcTextSize(LPCSTR pszBuffer, DWORD dwSize, ROWCOL& nRows, ROWCOL& nCols)
{
    return m_pTextDataExchangeImp != nullptr ? m_pTextDataExchangeImp->CalcTextSize(this, pszBuffer, dwSize, nRows, nCols) : FALSE;
}

BOOL CGXGridCore::CopyStylesToArchive(CArchive& ar, const CGXRangeList& ranges, BOOL bComposed)
{
    return m_pStyleDataExchangeImp != nullptr ? m_pStyleDataExchangeImp->CopyStylesToArchive(this, ar, ranges, bComposed) : FALSE;
}

BOOL CGXGridCore::GetStyleForCopy(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed)
{
    return m_pStyleDataExchangeImp != nullptr ? m_pStyleDataExchangeImp->GetStyleForCopy(this, nRow, nCol, style, bComposed) : FALSE;
}

BOOL CGXGridCore::PasteStylesFromArchive(CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck)
{
    return m_pStyleDataExchangeImp != nullptr ? m_pStyleDataExchangeImp->PasteStylesFromArchive(this, ar, target, bNoSizeCheck) : FALSE;
}

BOOL CGXGridCore::CanCopy()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CanCopy(this) : FALSE;
}

BOOL CGXGridCore::Copy()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->Copy(this) : FALSE;
}

BOOL CGXGridCore::CopyRangesToClipboard(const CGXRangeList& ranges)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CopyRangesToClipboard(this, ranges) : FALSE;
}

BOOL CGXGridCore::CopyCellsAsText(const CGXRangeList& ranges)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CopyCellsAsText(this, ranges) : FALSE;
}

BOOL CGXGridCore::CopyCellsAsStyles(const CGXRangeList& ranges, BOOL bComposed)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CopyCellsAsStyles(this, ranges, bComposed) : FALSE;
}

BOOL CGXGridCore::CanCut()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CanCut(this) : FALSE;
}

BOOL CGXGridCore::Cut()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->Cut(this) : FALSE;
}

BOOL CGXGridCore::CutRanges(const CGXRangeList& ranges, BOOL bStyles)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CutRanges(this, ranges, bStyles) : FALSE;
}

BOOL CGXGridCore::CanPaste()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->CanPaste(this) : FALSE;
}

BOOL CGXGridCore::IsPasteFormatAvailable()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->IsPasteFormatAvailable(this) : FALSE;
}

BOOL CGXGridCore::Paste()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->Paste(this) : FALSE;
}

BOOL CGXGridCore::PasteDirect(const CGXRange& target)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->PasteDirect(this, target) : FALSE;
}

BOOL CGXGridCore::PasteFromClipboard(const CGXRange& target)
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->PasteFromClipboard(this, target) : FALSE;
}

BOOL CGXGridCore::ConfirmSizeMismatch()
{
    return m_pCutPasteImp != nullptr ? m_pCutPasteImp->ConfirmSizeMismatch(this) : FALSE;
}

BOOL CGXGridCore::CanClear()
{
    return m_pClearCellsImp != nullptr ? m_pClearCellsImp->CanClear(this) : FALSE;
}

BOOL CGXGridCore::Clear(BOOL bStyles)
{
    return m_pClearCellsImp != nullptr ? m_pClearCellsImp->Clear(this, bStyles) : FALSE;
}

BOOL CGXGridCore::ClearCells(const CGXRangeList& ranges, BOOL bStyles)
{
    return m_pClearCellsImp != nullptr ? m_pClearCellsImp->ClearCells(this, ranges, bStyles) : FALSE;
}

CString CGXGridCore::GetCopyTextRowCol(CString& text, ROWCOL nRow, ROWCOL nCol)
{
    if (m_pTextDataExchangeImp == nullptr)
    {
        text.Empty();
        return text;
    }
    return m_pTextDataExchangeImp->GetCopyTextRowCol(this, text, nRow, nCol);
}

// ---- Forwarders with their own shape ----

BOOL CGXGridCore::ReplayDataUndo(CObject* pCommand, CGXGridCore* pGrid, int nMode)
{
    return m_pUndoImp != nullptr ? m_pUndoImp->ReplayDataUndo(pCommand, pGrid, nMode) : FALSE;
}

BOOL CGXGridCore::SortKeysOfGrid(CGXGridCore* pGrid, CPtrArray& keys, const CGXSortInfoArray& sortInfo)
{
    return pGrid != nullptr ? pGrid->SortKeys(keys, sortInfo) : FALSE;
}

BOOL CGXGridCore::IsHeaderMarked(CGXControl* pControl, ROWCOL nRow, ROWCOL nCol)
{
    return m_pMarkEditHeaderImp != nullptr ? m_pMarkEditHeaderImp->IsHeaderMarked(this, pControl, nRow, nCol)
                                           : FALSE;
}

BOOL CGXGridCore::MarkEditHeader(ROWCOL nRow, ROWCOL nCol, int nWhich, UINT nFlags)
{
    return m_pMarkEditHeaderImp != nullptr ? m_pMarkEditHeaderImp->MarkEditHeader(this, nRow, nCol, nWhich, nFlags)
                                           : FALSE;
}

BOOL CGXGridCore::CanDragSelectRows(ROWCOL, ROWCOL)
{
    return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
}

BOOL CGXGridCore::CanDragSelectCols(ROWCOL nFromCol, ROWCOL nToCol)
{
    return CanDragSelectRows(nFromCol, nToCol);
}

BOOL CGXGridCore::CanMoveRows(ROWCOL, ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::CanMoveCols(ROWCOL, ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnMoveRows(ROWCOL, ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnMoveCols(ROWCOL, ROWCOL, ROWCOL) { return TRUE; }

BOOL CGXGridCore::OnStartTracking(ROWCOL, ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnTrackColWidth(ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnTrackRowHeight(ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnEndTracking(ROWCOL, ROWCOL, int, int) { return TRUE; }

BOOL CGXGridCore::OnStartSelection(ROWCOL, ROWCOL, UINT, CPoint) { return TRUE; }
BOOL CGXGridCore::CanChangeSelection(CGXRange*, BOOL, BOOL) { return TRUE; }

void CGXGridCore::OnChangedSelection(const CGXRange*, BOOL, BOOL)
{
    // Headers marked for the selection follow it.
    if (m_pParam != nullptr && m_pParam->m_bMarkSelectionHeaders)
        RedrawHeaders(GX_INVALIDATE, FALSE);
}

void CGXGridCore::Beep()
{
    ::MessageBeep(MB_OK);
}

void CGXGridCore::SignalTextNotFound(LPCTSTR)
{
    Beep();
}

void CGXGridCore::EnsureGridDimension(ROWCOL, ROWCOL)
{
}

BOOL CGXGridCore::GetSortKeyText(CGXControl* pControl, ROWCOL, ROWCOL, const CGXSortInfo&, const CGXStyle& style,
                                 CString& text)
{
    text = pControl != nullptr ? pControl->GetStyleValue(style) : style.GetValue();
    return TRUE;
}

BOOL CGXGridCore::GetCellRangeRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    return GetCoveredCellsRowCol(nRow, nCol, range) || GetMergeRange(nRow, nCol, range, -1) ||
           GetFloatRange(nRow, nCol, range);
}

WORD CGXGridCore::GetFloatCellsMode() const
{
    return m_pParam != nullptr ? m_pParam->m_wFloatCellsMode : 0;
}

WORD CGXGridCore::GetMergeCellsMode() const
{
    return m_pParam != nullptr ? m_pParam->m_wMergeCellsMode : 0;
}

CObject* CGXGridCore::GetFloatCellsPool() const
{
    if (m_pParam == nullptr)
        return nullptr;
    return m_bPrinting ? m_pParam->m_pPrintFloatCellsPool : m_pParam->m_pFloatCellsPool;
}

CObject* CGXGridCore::GetDelayedFloatCellsPool() const
{
    if (m_pParam == nullptr)
        return nullptr;
    return m_bPrinting ? m_pParam->m_pPrintDelayedFloatCellsPool : m_pParam->m_pDelayedFloatCellsPool;
}

void CGXGridCore::RecycleCachedStyles(RowStyleCache& cache)
{
    for (INT_PTR i = 0; i < cache.apStyles.GetSize(); ++i)
        if (void*& pStyle = cache.apStyles[i])
        {
            RecycleStyle(static_cast<CGXStyle*>(pStyle));
            pStyle = nullptr;
        }
    cache.nCount = 0;
}

void CGXGridCore::SetExcelLikeFillImp(CGXAbstractGridExcelLikeFillImp* pFillImp, BOOL bAutoDelete)
{
    m_pExcelLikeFillImp = pFillImp;
    if (bAutoDelete)
        AddImplementationObject(pFillImp);
}

void CGXGridCore::DrawExcelLikeFrameOnFocus(CDC* pDC, const CRect& rect)
{
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd == nullptr)
        return;
    if (::GetFocus() == hWnd)
    {
        if (!m_bFrameFocusSeen)
        {
            m_bFrameFocusSeen = TRUE;
            ::InvalidateRect(hWnd, nullptr, FALSE);
        }
        if (m_pExcelLikeFrameImp != nullptr)
            m_pExcelLikeFrameImp->DrawExcelLikeFrame(this, pDC, 0, 0, 0, 0, FALSE, TRUE);
    }
    else if (m_bFrameFocusSeen)
    {
        m_bFrameFocusSeen = FALSE;
        ::InvalidateRect(hWnd, &rect, FALSE);
    }
}

// ---- Selection queries ----

POSITION CGXGridCore::ValidateGestureRange()
{
    if (m_posGestureRange == nullptr || m_pParam == nullptr)
        return m_posGestureRange = nullptr;
    for (POSITION pos = m_pParam->m_SelRects.GetHeadPosition(); pos != nullptr; m_pParam->m_SelRects.GetNext(pos))
        if (pos == m_posGestureRange)
            return pos;
    return m_posGestureRange = nullptr;
}

BOOL CGXGridCore::GetSelectedRanges(CGXRangeList& ranges, BOOL bWithCurrentCell)
{
    ranges.DeleteAll();
    if (m_pParam != nullptr)
    {
        POSITION pos = m_pParam->m_SelRects.GetHeadPosition();
        while (pos != nullptr)
            ranges.AddTail(new CGXRange(*m_pParam->m_SelRects.GetNext(pos)));
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (ranges.IsEmpty() && bWithCurrentCell && GetCurrentCell(nRow, nCol))
        ranges.AddTail(new CGXRange(nRow, nCol));
    return !ranges.IsEmpty();
}

BOOL CGXGridCore::IsCellInRangeList(ROWCOL nRow, ROWCOL nCol, const CGXRangeList& ranges)
{
    return ranges.IsCellInList(nRow, nCol);
}

BOOL CGXGridCore::GetSelectedRows(CDWordArray& awFirstRows, CDWordArray& awLastRows, BOOL bWholeRowsOnly,
                                  BOOL bUseCurrentCell)
{
    awFirstRows.RemoveAll();
    awLastRows.RemoveAll();
    if (m_pParam != nullptr && !m_pParam->m_SelRects.IsEmpty())
        m_pParam->m_SelRects.GetRowArray(GetRowCount(), awFirstRows, awLastRows, bWholeRowsOnly);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (awFirstRows.GetSize() == 0 && bUseCurrentCell && GetCurrentCell(nRow, nCol))
    {
        awFirstRows.Add(nRow);
        awLastRows.Add(nRow);
    }
    return awFirstRows.GetSize() > 0;
}

BOOL CGXGridCore::GetSelectedRowList(CDWordArray& awRows, BOOL bWholeRowsOnly, BOOL bUseCurrentCell)
{
    awRows.RemoveAll();
    CDWordArray awFirst;
    CDWordArray awLast;
    if (!GetSelectedRows(awFirst, awLast, bWholeRowsOnly, bUseCurrentCell))
        return FALSE;
    for (INT_PTR i = 0; i < awFirst.GetSize(); ++i)
        for (DWORD nRow = awFirst[i]; nRow <= awLast[i]; ++nRow)
        {
            awRows.Add(nRow);
            if (nRow == GX_INVALID)
                break;
        }
    return awRows.GetSize() > 0;
}

BOOL CGXGridCore::RedrawHeaders(UINT nFlags, BOOL bCreateHint, BOOL)
{
    const ROWCOL nHeaderCols = GetHeaderCols();
    const ROWCOL nHeaderRows = GetHeaderRows();
    RedrawCellRange(0, 0, GetRowCount(), nHeaderCols, nFlags, bCreateHint);
    RedrawCellRange(0, 0, nHeaderRows, GetColCount(), nFlags, bCreateHint);
    return TRUE;
}

// ---- Single-range forms ----

BOOL CGXGridCore::CopyRangeToClipboard(const CGXRange& range)
{
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(range));
    return CopyRangesToClipboard(ranges);
}

BOOL CGXGridCore::CutRange(const CGXRange& range, BOOL bStyles)
{
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(range));
    return CutRanges(ranges, bStyles);
}

void CGXGridCore::GetCurrentCellText(CString& text)
{
    text.Empty();
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->GetCurrentText(text);
}

// ---- Slots that no installer fills ----

BOOL CGXGridCore::SpareHookA1(ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookA2(ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookA3(ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookC1(ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookC2(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookB1(ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookB2(UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookB3(ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookB4(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookB5(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookB6() { return FALSE; }
BOOL CGXGridCore::SpareHookB7(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::SpareHookB8(ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookB9(ROWCOL, ROWCOL, UINT) { return FALSE; }
BOOL CGXGridCore::SpareHookB10(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return FALSE; }

// ---- The library's search record ----

void CGXFindReplaceSettings::PrepareSearchText()
{
    strFindUpper = strFind;
    if (!bCase && !strFindUpper.IsEmpty())
    {
        // Multi-byte aware: the trail byte of a double-byte character stays as it is.
        LPTSTR pszBuffer = strFindUpper.GetBuffer(strFindUpper.GetLength());
        _mbsupr(reinterpret_cast<unsigned char*>(pszBuffer));
        strFindUpper.ReleaseBuffer();
    }
}

CGXFindReplaceSettings& GXGetFindReplaceSettings()
{
    static CGXFindReplaceSettings settings;
    return settings;
}
