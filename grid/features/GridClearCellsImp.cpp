#include "grid/features/GridClipboardImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <new>

namespace
{
// Tells the data object that a block is about to change, unless a caller's lock keeps it quiet,
// and keeps the data-notification lock on while the block changes.
class DataNotifyLock
{
public:
    DataNotifyLock(CGXGridCore* pGrid, const CGXRange& block) : m_pGrid(pGrid), m_bOldLock(pGrid->m_bLockDataNotify)
    {
        pGrid->NotifyDataRange(block);
        pGrid->m_bLockDataNotify = TRUE;
    }
    ~DataNotifyLock() { m_pGrid->m_bLockDataNotify = m_bOldLock; }
    DataNotifyLock(const DataNotifyLock&) = delete;
    DataNotifyLock& operator=(const DataNotifyLock&) = delete;

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOldLock;
};
} // namespace

BOOL CGXGridClearCellsImp::CanClear(CGXGridCore* pGrid)
{
    if (pGrid->GetParam() == nullptr || pGrid->IsReadOnly())
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    return !pGrid->GetParam()->m_SelRects.IsEmpty() || pGrid->GetCurrentCell(nRow, nCol);
}

BOOL CGXGridClearCellsImp::Clear(CGXGridCore* pGrid, BOOL bStyles)
{
    CGXRangeList ranges;
    if (!pGrid->GetSelectedRanges(ranges, TRUE))
        return FALSE;
    return pGrid->ClearCells(ranges, bStyles);
}

BOOL CGXGridClearCellsImp::ClearCells(CGXGridCore* pGrid, const CGXRangeList& rangesIn, BOOL bStyles)
{
    if (pGrid->GetParam() == nullptr || pGrid->IsReadOnly() || rangesIn.IsEmpty())
        return FALSE;
    CGXAppData* pAppData = pGrid->GetAppData();
    const CString& name = pAppData->GetOperationText(GX_IDS_CLEARCELLS);
    CGXTransactionScope transaction(pGrid, name);
    CGXLongOperation operation;
    operation.SetStatusText(name, FALSE);
    const BOOL bOldCanAbort = CGXLongOperation::SetCanAbort(TRUE);
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(TRUE);
    CGXLongOperation::IgnoreNestedLevels(TRUE);

    // Whole rows, columns and the table never reach the headers.
    CGXRangeList ranges;
    for (POSITION pos = rangesIn.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange* pRange = new CGXRange(*rangesIn.GetNext(pos));
        pRange->ExpandToCells(pGrid->GetHeaderRows() + 1, pGrid->GetHeaderCols() + 1, pGrid->GetRowCount(),
                              pGrid->GetColCount());
        ranges.AddTail(pRange);
    }
    GXRangeSpans spans;
    spans.Build(pGrid, ranges);

    BOOL bFailed = FALSE;
    BOOL bAborted = FALSE;
    auto letMessagesThrough = [&]() {
        if (!operation.IsTimeElapsed())
            return;
        BOOL bAbort = FALSE;
        operation.DoMessagesCheckAbort(bAbort);
        if (bAbort)
            bAborted = TRUE;
    };
    CString text;
    // The grid is redrawn once at the end, and what follows the cleared cells is worked out once,
    // when all of them are cleared (the redraw lock holds the recalculation).
    CGXLockUpdateScope lock(pGrid);
    for (INT_PTR i = 0; i < spans.rowStarts.GetSize() && !bFailed && !bAborted; ++i)
        for (INT_PTR j = 0; j < spans.colStarts.GetSize() && !bFailed && !bAborted; ++j)
        {
            const CGXRange block(spans.rowStarts[i], spans.colStarts[j], spans.rowEnds[i], spans.colEnds[j]);
            if (!block.IsValid() || block.bottom < block.top || block.right < block.left)
                continue;
            // The data object hears of the block once; the stores of its cells stay quiet.
            DataNotifyLock notifyLock(pGrid, block);
            if (bStyles)
            {
                // An array of empty entries removes what every cell of the block stores; the store's
                // answer only tells whether anything was there.
                CObArray empty;
                empty.SetSize(static_cast<INT_PTR>(block.bottom - block.top + 1) *
                              static_cast<INT_PTR>(block.right - block.left + 1));
                pGrid->SetStyleRange(block, nullptr, gxCopy, 0, &empty, GX_SMART, 0);
                letMessagesThrough();
                continue;
            }
            for (ROWCOL nRow = block.top; !bFailed && !bAborted; ++nRow)
            {
                for (ROWCOL nCol = block.left;; ++nCol)
                {
                    // The text of the cell's control, a formula's value brought up to date first.
                    const CGXPoolStyle style(pGrid);
                    pGrid->BuildEffectiveStyle(nRow, nCol, *style, TRUE);
                    CGXControl* pControl =
                        pGrid->GetRegisteredControl(style->GetIncludeControl() ? style->GetControl() : 0);
                    text.Empty();
                    if (pControl != nullptr)
                        pControl->GetControlText(text, nRow, nCol, nullptr, *style);
                    // Cells already empty are not touched.
                    const BOOL bCleared =
                        text.IsEmpty() || pGrid->SetControlTextRowCol(nRow, nCol, CString(), GX_INVALIDATE, style.Get());
                    if (!bCleared)
                    {
                        bFailed = TRUE;
                        break;
                    }
                    letMessagesThrough();
                    if (bAborted || nCol == block.right)
                        break;
                }
                if (nRow == block.bottom)
                    break;
            }
        }

    CGXLongOperation::IgnoreNestedLevels(FALSE);
    if ((bFailed || bAborted) && CGXLongOperation::GetRollbackConfirmedState())
        transaction.Rollback();
    else
        transaction.Commit();
    lock.Restore();
    CGXLongOperation::SetCanAbort(bOldCanAbort);
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    pGrid->RedrawGrid(GX_SMART, FALSE);
    pGrid->Recalc(TRUE, nullptr, TRUE);
    return !bFailed && !bAborted;
}

void CGXGridCore::InstallClearCells()
{
    if (m_pClearCellsImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridClearCellsImp;
    if (pImp == nullptr)
        return;
    m_pClearCellsImp = pImp;
    AddImplementationObject(pImp);
}
