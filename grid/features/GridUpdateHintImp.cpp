#include "grid/features/GridUpdateHintImp.h"

#include "framework/docview/SplitterWnd.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridHint.h"
#include "grid/core/GridParam.h"

#include <new>

namespace
{
// The child-window id of the splitter pane (row, col) that a pane hint is for; 0 when the grid is no
// pane of a splitter with more than one pane in that direction.
int OtherPaneId(CGXGridCore* pGrid, BOOL bSameRow)
{
    CSplitterWnd* pSplitter = pGrid->GetSplitterWnd();
    if (pSplitter == nullptr)
        return 0;
    if (bSameRow)
        return pSplitter->GetColumnCount() > 1 ? pSplitter->IdFromRowCol(pGrid->m_nPaneRow, 1 - pGrid->m_nPaneCol)
                                               : 0;
    return pSplitter->GetRowCount() > 1 ? pSplitter->IdFromRowCol(1 - pGrid->m_nPaneRow, pGrid->m_nPaneCol) : 0;
}

// Whether a pane hint (25 across the columns of a splitter row, 26 down the rows of a column) is
// addressed to this grid.
BOOL IsPaneAddressed(CGXGridCore* pGrid, const CGXGridHint& hint, BOOL bAcrossColumns)
{
    CSplitterWnd* pSplitter = pGrid->GetSplitterWnd();
    if (pSplitter == nullptr)
        return FALSE;
    if (bAcrossColumns ? pSplitter->GetColumnCount() <= 1 || pGrid->m_nPaneRow >= pSplitter->GetRowCount()
                       : pSplitter->GetRowCount() <= 1 || pGrid->m_nPaneCol >= pSplitter->GetColumnCount())
        return FALSE;
    return reinterpret_cast<INT_PTR>(hint.pData) == pSplitter->IdFromRowCol(pGrid->m_nPaneRow, pGrid->m_nPaneCol);
}

// Hints 19 and 20 reach every view while the parameter object syncs the zoom, else only the panes of
// the sender's splitter.
BOOL IsZoomAddressed(CGXGridCore* pGrid, const CGXGridHint& hint)
{
    return pGrid->GetParam()->m_wZoomSync != 0 ||
           (hint.pData != nullptr && hint.pData == static_cast<void*>(pGrid->GetSplitterWnd()));
}

CGXGridHint MakeHint(CGXGridCore* pGrid, UINT nId)
{
    return CGXGridHint(nId, static_cast<DWORD>(pGrid->GetGridId()));
}
} // namespace

void CGXGridUpdateHintImp::Send(CGXGridCore* pGrid, CGXGridHint& hint)
{
    pGrid->UpdateAllViews(pGrid->GridWnd(), 0, &hint);
}

BOOL CGXGridUpdateHintImp::HintUpdate(CGXGridCore* pGrid, CGXGridHint* pHint)
{
    if (pGrid->GetParam() == nullptr || pHint == nullptr || !pHint->IsKindOf(RUNTIME_CLASS(CGXGridHint)))
        return FALSE;
    CGXGridHint& hint = *pHint;
    if (hint.m_dwSenderId != CGXGridHint::GX_ALLGRIDS && hint.m_dwSenderId != static_cast<DWORD>(pGrid->GetGridId()))
        return FALSE;
    const UINT nFlags = hint.flags;
    switch (hint.m_id)
    {
    case GX_HINT_REDRAWGRID:
        pGrid->RedrawGrid(nFlags, FALSE);
        break;
    case GX_HINT_REDRAWRANGE:
        pGrid->RedrawCellRange(hint.nRow1, hint.nCol1, hint.nRow2, hint.nCol2, nFlags, FALSE);
        break;
    case GX_HINT_ROWCOUNT:
        pGrid->UpdateChangedRowCount(hint.nRow1, nFlags, FALSE);
        break;
    case GX_HINT_COLCOUNT:
        pGrid->UpdateChangedColCount(hint.nCol1, nFlags, FALSE);
        break;
    case GX_HINT_ROWHEIGHTS:
        pGrid->UpdateChangedRowHeights(hint.nRow1, hint.nRow2, static_cast<const CDWordArray*>(hint.pData), nFlags,
                                       FALSE);
        break;
    case GX_HINT_COLWIDTHS:
        pGrid->UpdateChangedColWidths(hint.nCol1, hint.nCol2, static_cast<const CDWordArray*>(hint.pData), nFlags,
                                      FALSE);
        break;
    case GX_HINT_INSERTCOLS:
        pGrid->UpdateInsertCols(hint.nCol1, hint.dwValue2, nFlags, FALSE);
        break;
    case GX_HINT_INSERTROWS:
        pGrid->UpdateInsertRows(hint.nRow1, hint.dwValue2, nFlags, FALSE);
        break;
    case GX_HINT_REMOVECOLS:
        pGrid->UpdateRemoveCols(hint.nCol1, hint.nCol2, static_cast<const CDWordArray*>(hint.pData), nFlags, FALSE);
        break;
    case GX_HINT_REMOVEROWS:
        pGrid->UpdateRemoveRows(hint.nRow1, hint.nRow2, static_cast<const CDWordArray*>(hint.pData), nFlags, FALSE);
        break;
    case GX_HINT_MOVECOLS:
        pGrid->UpdateMoveCols(hint.nCol1, hint.nCol2, hint.nCol3, nFlags, FALSE);
        break;
    case GX_HINT_MOVEROWS:
        pGrid->UpdateMoveRows(hint.nRow1, hint.nRow2, hint.nRow3, nFlags, FALSE);
        break;
    case GX_HINT_UPDATESELECTION:
        // The selection is the parameter object's: the other views redraw where it changed.
        pGrid->RedrawCellRange(hint.nRow1, hint.nCol1, hint.nRow2, hint.nCol2, GX_INVALIDATE, FALSE);
        break;
    case GX_HINT_INVERTSELECTION:
        pGrid->RedrawGrid(GX_INVALIDATE, FALSE);
        break;
    case GX_HINT_FROZENROWS:
        pGrid->UpdateFrozenRows(hint.nRow1, hint.nRow2, nFlags, FALSE);
        break;
    case GX_HINT_FROZENCOLS:
        pGrid->UpdateFrozenCols(hint.nCol1, hint.nCol2, nFlags, FALSE);
        break;
    case GX_HINT_STYLERANGE:
        pGrid->UpdateStyleRange(hint.range, nullptr, static_cast<GXModifyType>(hint.dwWord1),
                                static_cast<int>(hint.dwWord2), nFlags, FALSE);
        break;
    case GX_HINT_COVEREDCELLS:
        pGrid->UpdateCoveredCellsRowCol(hint.nRow1, hint.nCol1, hint.nRow2, hint.nCol2, nFlags, FALSE);
        break;
    case GX_HINT_ZOOM:
        if (IsZoomAddressed(pGrid, hint))
        {
            pGrid->SetZoom(static_cast<int>(hint.dwParam), FALSE);
            // The zoom is already the new one: the redraw must not wait for a change.
            pGrid->OnZoomChanged(0, nFlags, FALSE);
        }
        break;
    case GX_HINT_STOREZOOM:
        if (IsZoomAddressed(pGrid, hint))
            pGrid->SetZoom(static_cast<int>(hint.dwParam), FALSE);
        break;
    case GX_HINT_READONLY:
        pGrid->OnReadOnlyChanged(static_cast<BOOL>(hint.dwParam));
        break;
    case GX_HINT_TABNAME:
        if (CGXTabWndInterface* pTabWnd = GXGetAppData()->m_pTabWndInterface)
            pTabWnd->SetTabName(pGrid->GridWnd(), pGrid->GetParam()->m_sSheetName, TRUE);
        break;
    case GX_HINT_SELECTRANGE:
        pGrid->RedrawRange(hint.range, GX_INVALIDATE, FALSE);
        break;
    case GX_HINT_TRANSFERCURRENTCELL:
        hint.dwValue2 = hint.dwValue2 && pGrid->TransferCurrentCellValue(static_cast<BOOL>(hint.dwParam), FALSE);
        break;
    case GX_HINT_TOPROW:
        if (IsPaneAddressed(pGrid, hint, TRUE))
            pGrid->SetTopRow(hint.nRow1, nFlags, TRUE, FALSE);
        break;
    case GX_HINT_LEFTCOL:
        if (IsPaneAddressed(pGrid, hint, FALSE))
            pGrid->SetLeftCol(hint.nCol1, nFlags, TRUE, FALSE);
        break;
    case GX_HINT_MOVECURRENTCELL:
        pGrid->MoveCurrentCell(hint.nRow1, hint.nCol1, nFlags);
        break;
    case GX_HINT_FLOATCELLS:
        pGrid->RedrawFloatCellsRowCol(hint.nRow1, hint.nCol1, hint.nRow2, hint.nCol2, nFlags, FALSE);
        break;
    case GX_HINT_MERGECELLS:
        pGrid->RedrawMergeCellsRowCol(hint.nRow1, hint.nCol1, hint.nRow2, hint.nCol2, nFlags, FALSE);
        break;
    case GX_HINT_LOCKFRAME:
        pGrid->LockExcelLikeFrame(nFlags != 0, TRUE);
        break;
    case GX_HINT_MOVEDATAROWS:
        pGrid->UpdateMoveDataRows(hint.range, nFlags, FALSE);
        break;
    case GX_HINT_MOVEDATACOLS:
        pGrid->UpdateMoveDataCols(hint.range, nFlags, FALSE);
        break;
    case GX_HINT_PROPERTIES:
        pGrid->UpdateProperties(nFlags, FALSE);
        break;
    case GX_HINT_STYLESMAP:
        pGrid->UpdateStylesMap(nFlags, FALSE);
        break;
    case GX_HINT_BASESTYLE:
        pGrid->UpdateBaseStyle(static_cast<WORD>(hint.dwValue2), nFlags, FALSE);
        break;
    case GX_HINT_RECALC:
        pGrid->Recalc(FALSE, static_cast<CString*>(hint.pData), FALSE);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// ---- Senders ----

void CGXGridUpdateHintImp::HintReadOnlyChanged(CGXGridCore* pGrid, BOOL bOldReadOnly)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_READONLY);
    hint.dwParam = static_cast<DWORD>(bOldReadOnly);
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintMoveCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_MOVECURRENTCELL);
    hint.nRow1 = nRow;
    hint.nCol1 = nCol;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

BOOL CGXGridUpdateHintImp::HintTransferCurrentCell(CGXGridCore* pGrid, BOOL bSave, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_TRANSFERCURRENTCELL);
    hint.dwParam = static_cast<DWORD>(bSave);
    hint.flags = nFlags;
    hint.dwValue2 = TRUE;
    Send(pGrid, hint);
    return static_cast<BOOL>(hint.dwValue2);
}

void CGXGridUpdateHintImp::HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_ROWCOUNT);
    hint.nRow1 = nOldCount;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_COLCOUNT);
    hint.nCol1 = nOldCount;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_FROZENCOLS);
    hint.nCol1 = nOldFrozen;
    hint.nCol2 = nOldHeader;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_FROZENROWS);
    hint.nRow1 = nOldFrozen;
    hint.nRow2 = nOldHeader;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintTopRow(CGXGridCore* pGrid, ROWCOL nRow, UINT nFlags)
{
    const int nPaneId = OtherPaneId(pGrid, TRUE);
    if (nPaneId == 0)
        return;
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_TOPROW);
    hint.nRow1 = nRow;
    hint.pData = reinterpret_cast<void*>(static_cast<INT_PTR>(nPaneId));
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintLeftCol(CGXGridCore* pGrid, ROWCOL nCol, UINT nFlags)
{
    const int nPaneId = OtherPaneId(pGrid, FALSE);
    if (nPaneId == 0)
        return;
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_LEFTCOL);
    hint.nCol1 = nCol;
    hint.pData = reinterpret_cast<void*>(static_cast<INT_PTR>(nPaneId));
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_INSERTROWS);
    hint.nRow1 = nRow;
    hint.dwValue2 = nCount;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_INSERTCOLS);
    hint.nCol1 = nCol;
    hint.dwValue2 = nCount;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintRedrawRange(CGXGridCore* pGrid, const CGXRange& range, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_REDRAWRANGE);
    hint.nRow1 = range.top;
    hint.nCol1 = range.left;
    hint.nRow2 = range.bottom;
    hint.nCol2 = range.right;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintRedrawGrid(CGXGridCore* pGrid, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_REDRAWGRID);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintRecalc(CGXGridCore* pGrid, CString* pErrorText)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_RECALC);
    hint.pData = pErrorText;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintTabName(CGXGridCore* pGrid)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_TABNAME);
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintScrollPanes(CGXGridCore* pGrid, int nDirection)
{
    // The pane scroll step asks the other pane for an immediate redraw.
    const UINT nPaneFlags = 2;
    switch (nDirection)
    {
    case 1:
    case 3:
        HintTopRow(pGrid, pGrid->GetTopRow(), nPaneFlags);
        break;
    case 2:
    case 4:
        HintLeftCol(pGrid, pGrid->GetLeftCol(), nPaneFlags);
        break;
    default:
        break;
    }
}

void CGXGridUpdateHintImp::HintSelectRange(CGXGridCore* pGrid, const CGXRange& range, void* pValue)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_SELECTRANGE);
    hint.range = range;
    hint.pData = pValue;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintLockFrame(CGXGridCore* pGrid, BOOL bLock)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_LOCKFRAME);
    hint.flags = static_cast<UINT>(bLock);
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintUpdateSelection(CGXGridCore* pGrid, void* pValue, ROWCOL nTop, ROWCOL nLeft,
                                               ROWCOL nBottom, ROWCOL nRight)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_UPDATESELECTION);
    hint.pData = pValue;
    hint.nRow1 = nTop;
    hint.nCol1 = nLeft;
    hint.nRow2 = nBottom;
    hint.nCol2 = nRight;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintInvertAllSelectedCells(CGXGridCore* pGrid)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_INVERTSELECTION);
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintChangedRowHeights(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                                 const CDWordArray* pOldHeights, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_ROWHEIGHTS);
    hint.nRow1 = nFromRow;
    hint.nRow2 = nToRow;
    hint.pData = const_cast<CDWordArray*>(pOldHeights);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintChangedColWidths(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                                const CDWordArray* pOldWidths, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_COLWIDTHS);
    hint.nCol1 = nFromCol;
    hint.nCol2 = nToCol;
    hint.pData = const_cast<CDWordArray*>(pOldWidths);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintStoreZoom(CGXGridCore* pGrid, int nZoom)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_STOREZOOM);
    hint.dwParam = static_cast<DWORD>(nZoom);
    hint.pData = pGrid->GetSplitterWnd();
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintZoom(CGXGridCore* pGrid, int nZoom, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_ZOOM);
    hint.dwParam = static_cast<DWORD>(nZoom);
    hint.pData = pGrid->GetSplitterWnd();
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintStyleRange(CGXGridCore* pGrid, const CGXRange& range, const CGXStyle*,
                                          GXModifyType mode, int nType, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_STYLERANGE);
    hint.range = range;
    hint.dwWord1 = static_cast<DWORD>(mode);
    hint.dwWord2 = static_cast<DWORD>(nType);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintStylesMap(CGXGridCore* pGrid, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_STYLESMAP);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintProperties(CGXGridCore* pGrid, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_PROPERTIES);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintBaseStyle(CGXGridCore* pGrid, WORD nBaseStyleId, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_BASESTYLE);
    hint.dwValue2 = nBaseStyleId;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

namespace
{
void SendCells(CGXGridCore* pGrid, UINT nId, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, nId);
    hint.nRow1 = nTop;
    hint.nCol1 = nLeft;
    hint.nRow2 = nBottom;
    hint.nCol2 = nRight;
    hint.flags = nFlags;
    pGrid->UpdateAllViews(pGrid->GridWnd(), 0, &hint);
}
} // namespace

void CGXGridUpdateHintImp::HintCoveredCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                            ROWCOL nRight, UINT nFlags)
{
    SendCells(pGrid, GX_HINT_COVEREDCELLS, nTop, nLeft, nBottom, nRight, nFlags);
}

void CGXGridUpdateHintImp::HintFloatCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                          ROWCOL nRight, UINT nFlags)
{
    SendCells(pGrid, GX_HINT_FLOATCELLS, nTop, nLeft, nBottom, nRight, nFlags);
}

void CGXGridUpdateHintImp::HintMergeCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                          ROWCOL nRight, UINT nFlags)
{
    SendCells(pGrid, GX_HINT_MERGECELLS, nTop, nLeft, nBottom, nRight, nFlags);
}

void CGXGridUpdateHintImp::HintMoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_MOVEDATAROWS);
    hint.range = sortRange;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintMoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_MOVEDATACOLS);
    hint.range = sortRange;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                          const CDWordArray* pOldHeights, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_REMOVEROWS);
    hint.nRow1 = nFromRow;
    hint.nRow2 = nToRow;
    hint.pData = const_cast<CDWordArray*>(pOldHeights);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                          const CDWordArray* pOldWidths, UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_REMOVECOLS);
    hint.nCol1 = nFromCol;
    hint.nCol2 = nToCol;
    hint.pData = const_cast<CDWordArray*>(pOldWidths);
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                                        UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_MOVEROWS);
    hint.nRow1 = nFromRow;
    hint.nRow2 = nToRow;
    hint.nRow3 = nDestRow;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridUpdateHintImp::HintMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                                        UINT nFlags)
{
    CGXGridHint hint = MakeHint(pGrid, GX_HINT_MOVECOLS);
    hint.nCol1 = nFromCol;
    hint.nCol2 = nToCol;
    hint.nCol3 = nDestCol;
    hint.flags = nFlags;
    Send(pGrid, hint);
}

void CGXGridCore::InstallUpdateHint()
{
    if (m_pUpdateHintImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridUpdateHintImp;
    if (pImp == nullptr)
        return;
    m_pUpdateHintImp = pImp;
    AddImplementationObject(pImp);
}
