#include "grid/features/GridClipboardImp.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace
{

// The identity the direct-copy format carries: the process and the parameter object's address.
struct DirectCopyIdentity
{
    DWORD nProcessId;
    DWORD nZero;
    ULONGLONG nParamAddress;
};
static_assert(sizeof(DirectCopyIdentity) == 16, "the direct-copy block is 16 bytes");

DirectCopyIdentity IdentityOf(const CGXGridParam* pParam)
{
    return DirectCopyIdentity{::GetCurrentProcessId(), 0,
                              static_cast<ULONGLONG>(reinterpret_cast<UINT_PTR>(pParam))};
}

HWND GridHwnd(CGXGridCore* pGrid)
{
    return pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

// Turns every range into a cell block; the header rows and columns count only when the flags say so.
void ExpandWithHeaderLimits(CGXGridCore* pGrid, CGXRange& range)
{
    const DWORD dwFlags = pGrid->m_nClipboardFlags;
    const ROWCOL nTop = (dwFlags & GX_CLIP_ROWHEADERS) != 0 ? 0 : pGrid->GetHeaderRows() + 1;
    const ROWCOL nLeft = (dwFlags & GX_CLIP_COLHEADERS) != 0 ? 0 : pGrid->GetHeaderCols() + 1;
    range.ExpandToCells(nTop, nLeft, pGrid->GetRowCount(), pGrid->GetColCount());
}

void ExpandAll(CGXGridCore* pGrid, CGXRangeList& ranges)
{
    for (POSITION pos = ranges.GetHeadPosition(); pos != nullptr;)
        ExpandWithHeaderLimits(pGrid, *ranges.GetNext(pos));
}

void CopyList(const CGXRangeList& from, CGXRangeList& to)
{
    to.DeleteAll();
    for (POSITION pos = from.GetHeadPosition(); pos != nullptr;)
        to.AddTail(new CGXRange(*from.GetNext(pos)));
}

// A direct paste is due: the copied ranges wait for a direct cut's or a direct copy's paste.
BOOL IsDirectPasteDue(const CGXGridParam* pParam)
{
    return !pParam->m_MarkedRanges.IsEmpty() && ((pParam->m_bDirectCutPaste && pParam->m_bCutPending) ||
                                                 (pParam->m_bDirectCopyPaste && !pParam->m_bCutPending));
}

// The clipboard holds this grid's direct-copy identity (a block of exactly its size).
BOOL ClipboardHoldsIdentityOf(CGXGridCore* pGrid)
{
    const UINT nFormat = GXGetDirectCopyFormat();
    if (nFormat == 0 || !CClipboard::IsFormatAvailable(nFormat))
        return FALSE;
    CClipboard clipboard(GridHwnd(pGrid));
    if (!clipboard.IsOpen())
        return FALSE;
    HGLOBAL hData = clipboard.GetData(nFormat);
    if (hData == nullptr || ::GlobalSize(hData) != sizeof(DirectCopyIdentity))
        return FALSE;
    const void* pData = ::GlobalLock(hData);
    if (pData == nullptr)
        return FALSE;
    DirectCopyIdentity identity;
    std::memcpy(&identity, pData, sizeof(identity));
    ::GlobalUnlock(hData);
    const DirectCopyIdentity mine = IdentityOf(pGrid->GetParam());
    return std::memcmp(&identity, &mine, sizeof(identity)) == 0;
}

// The selection expands to no cell at all (whole columns of a grid without rows, for example) and
// the current cell's control does not copy for it: there is nothing to copy, which is no error.
BOOL IsNothingToCopy(CGXGridCore* pGrid)
{
    const CGXRangeList& selection = pGrid->GetParam()->m_SelRects;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (selection.IsEmpty() || (pControl != nullptr && pControl->IsActive()))
        return FALSE;
    CGXRangeList ranges;
    CopyList(selection, ranges);
    ExpandAll(pGrid, ranges);
    GXRangeSpans spans;
    spans.Build(pGrid, ranges);
    return spans.nRows == 0 || spans.nCols == 0;
}

// Forgets a pending cut (a new copy or cut replaces it).
void ForgetPendingCut(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam->m_bCutPending)
    {
        pParam->m_bCutPending = FALSE;
        pGrid->RedrawGrid(GX_SMART, TRUE);
    }
}

// One source block of a direct paste and the top-left cell it goes to.
struct DirectPasteBlock
{
    CGXRange source;
    ROWCOL nDestRow;
    ROWCOL nDestCol;
};

// The places of the spans of one direction in the order in which they may be written: a span that
// moves towards the end of the grid goes after the later spans that it lands on, one that moves
// towards the start after the earlier ones. So spans moving forward are taken from the last to the
// first, then the others from the first to the last. A span whose destination covers the source of
// another span then always comes after that span.
std::vector<INT_PTR> SpanWriteRanks(const CDWordArray& starts, const CDWordArray& ends, ROWCOL nTargetStart)
{
    const INT_PTR nCount = starts.GetSize();
    std::vector<ROWCOL> dests(static_cast<size_t>(nCount));
    ROWCOL nDest = nTargetStart;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        dests[static_cast<size_t>(i)] = nDest;
        nDest += ends[i] - starts[i] + 1;
    }
    std::vector<INT_PTR> order;
    for (INT_PTR i = nCount - 1; i >= 0; --i)
        if (dests[static_cast<size_t>(i)] > starts[i])
            order.push_back(i);
    for (INT_PTR i = 0; i < nCount; ++i)
        if (dests[static_cast<size_t>(i)] <= starts[i])
            order.push_back(i);
    std::vector<INT_PTR> ranks(static_cast<size_t>(nCount));
    for (size_t n = 0; n < order.size(); ++n)
        ranks[static_cast<size_t>(order[n])] = static_cast<INT_PTR>(n);
    return ranks;
}

// Every row span x column span block with its destination, in an order in which no block is
// written over the source of a block that is still to be read: the row and column ranks both fall
// along every such dependency, so their sum orders the blocks.
std::vector<DirectPasteBlock> DirectPasteBlocks(const GXRangeSpans& spans, const CGXRange& target)
{
    const std::vector<INT_PTR> rowRanks = SpanWriteRanks(spans.rowStarts, spans.rowEnds, target.top);
    const std::vector<INT_PTR> colRanks = SpanWriteRanks(spans.colStarts, spans.colEnds, target.left);
    std::vector<DirectPasteBlock> blocks;
    std::vector<INT_PTR> ranks;
    ROWCOL nDestRow = target.top;
    for (INT_PTR i = 0; i < spans.rowStarts.GetSize(); ++i)
    {
        ROWCOL nDestCol = target.left;
        for (INT_PTR j = 0; j < spans.colStarts.GetSize(); ++j)
        {
            blocks.push_back({CGXRange(spans.rowStarts[i], spans.colStarts[j], spans.rowEnds[i], spans.colEnds[j]),
                              nDestRow, nDestCol});
            ranks.push_back(rowRanks[static_cast<size_t>(i)] + colRanks[static_cast<size_t>(j)]);
            nDestCol += spans.colEnds[j] - spans.colStarts[j] + 1;
        }
        nDestRow += spans.rowEnds[i] - spans.rowStarts[i] + 1;
    }
    std::vector<size_t> order(blocks.size());
    for (size_t n = 0; n < order.size(); ++n)
        order[n] = n;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return ranks[a] < ranks[b]; });
    std::vector<DirectPasteBlock> ordered;
    ordered.reserve(blocks.size());
    for (size_t n : order)
        ordered.push_back(blocks[n]);
    return ordered;
}

} // namespace

UINT GXGetDirectCopyFormat()
{
    static UINT nFormat = CClipboard::RegisterFormat("GX_DIRECTCOPY");
    return nFormat;
}

// ---- Enable tests ----

BOOL CGXGridCutPasteImp::CanCopy(CGXGridCore* pGrid)
{
    if (pGrid->GetParam() == nullptr || CClipboard::GetOpenWindow() != nullptr)
        return FALSE;
    if (!pGrid->GetParam()->m_SelRects.IsEmpty())
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pControl != nullptr && pControl->IsInit();
}

BOOL CGXGridCutPasteImp::CanCut(CGXGridCore* pGrid)
{
    if (pGrid->GetParam() == nullptr || pGrid->IsReadOnly() || CClipboard::GetOpenWindow() != nullptr)
        return FALSE;
    if (!pGrid->GetParam()->m_SelRects.IsEmpty())
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pControl != nullptr && pControl->CanCut();
}

BOOL CGXGridCutPasteImp::CanPaste(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || (pParam->m_bReadOnlyPasteLock && pGrid->IsReadOnly()))
        return FALSE;
    if (IsDirectPasteDue(pParam))
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pControl->CanPaste())
        return TRUE;
    return pGrid->IsPasteFormatAvailable();
}

BOOL CGXGridCutPasteImp::IsPasteFormatAvailable(CGXGridCore* pGrid)
{
    const UINT nStyles = pGrid->GetAppData()->m_uiStylesClipboardFormat;
    return CClipboard::IsFormatAvailable(CF_TEXT) || CClipboard::IsFormatAvailable(CF_OEMTEXT) ||
           (nStyles != 0 && CClipboard::IsFormatAvailable(nStyles));
}

// ---- Copy ----

BOOL CGXGridCutPasteImp::Copy(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || CClipboard::GetOpenWindow() != nullptr)
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    // Nothing to copy: the user's clipboard stays as it was.
    if ((pParam->m_SelRects.IsEmpty() && !pGrid->GetCurrentCell(nRow, nCol)) || IsNothingToCopy(pGrid))
        return FALSE;
    {
        CClipboard clipboard(GridHwnd(pGrid));
        if (!clipboard.IsOpen() || !clipboard.Empty())
            return FALSE;
    }

    CGXControl* pControl = pGrid->GetCurrentCellControl();
    const BOOL bActive = pControl != nullptr && pControl->IsActive();
    CGXRangeList& copied = pParam->GetCopiedRanges();
    CopyList(pParam->m_SelRects, copied);
    const BOOL bNothingSelected = copied.IsEmpty();

    BOOL bResult = FALSE;
    if ((bNothingSelected || bActive) && pControl != nullptr && pControl->Copy())
        bResult = TRUE;
    else
    {
        if (copied.IsEmpty() && pGrid->GetCurrentCell(nRow, nCol))
            copied.AddTail(new CGXRange(nRow, nCol));
        if (!copied.IsEmpty())
        {
            CGXLongOperation operation;
            ExpandAll(pGrid, copied);
            bResult = pGrid->CopyRangesToClipboard(copied);
        }
    }
    ForgetPendingCut(pGrid);
    return bResult;
}

BOOL CGXGridCutPasteImp::CopyRangesToClipboard(CGXGridCore* pGrid, const CGXRangeList& ranges)
{
    CGXLongOperation operation;
    const DWORD dwFlags = pGrid->m_nClipboardFlags;
    BOOL bResult = FALSE;
    if ((dwFlags & GX_CLIP_TEXT) != 0)
        bResult |= pGrid->CopyCellsAsText(ranges);
    if ((dwFlags & GX_CLIP_STYLES) != 0)
        bResult |= pGrid->CopyCellsAsStyles(ranges, (dwFlags & GX_CLIP_COMPOSED) != 0);

    CGXGridParam* pParam = pGrid->GetParam();
    const UINT nFormat = GXGetDirectCopyFormat();
    if (pParam != nullptr && (pParam->m_bDirectCopyPaste || pParam->m_bDirectCutPaste) && nFormat != 0)
    {
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, sizeof(DirectCopyIdentity));
        if (hData != nullptr)
        {
            if (void* pData = ::GlobalLock(hData))
            {
                const DirectCopyIdentity identity = IdentityOf(pParam);
                std::memcpy(pData, &identity, sizeof(identity));
                ::GlobalUnlock(hData);
                CClipboard clipboard(GridHwnd(pGrid));
                if (clipboard.IsOpen())
                    clipboard.SetData(nFormat, hData);
                else
                    ::GlobalFree(hData);
            }
            else
                ::GlobalFree(hData);
        }
    }
    return bResult;
}

BOOL CGXGridCutPasteImp::CopyCellsAsText(CGXGridCore* pGrid, const CGXRangeList& ranges)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
    if (!pGrid->CopyTextToFile(file, ranges) || file.GetLength() == 0)
        return FALSE;
    CClipboard clipboard(GridHwnd(pGrid));
    return clipboard.IsOpen() && clipboard.SetFile(CF_TEXT, file);
}

BOOL CGXGridCutPasteImp::CopyCellsAsStyles(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bComposed)
{
    const UINT nFormat = pGrid->GetAppData()->m_uiStylesClipboardFormat;
    if (nFormat == 0)
        return FALSE;
    CSharedFile file(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
    BOOL bWritten = FALSE;
    try
    {
        CArchive ar(&file, CArchive::store, 4096);
        bWritten = pGrid->CopyStylesToArchive(ar, ranges, bComposed);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        bWritten = FALSE;
    }
    if (!bWritten || file.GetLength() == 0)
        return FALSE;
    CClipboard clipboard(GridHwnd(pGrid));
    return clipboard.IsOpen() && clipboard.SetFile(nFormat, file);
}

// ---- Cut ----

BOOL CGXGridCutPasteImp::Cut(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || CClipboard::GetOpenWindow() != nullptr)
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if ((pParam->m_SelRects.IsEmpty() && !pGrid->GetCurrentCell(nRow, nCol)) || IsNothingToCopy(pGrid))
        return FALSE;
    {
        CClipboard clipboard(GridHwnd(pGrid));
        if (!clipboard.IsOpen() || !clipboard.Empty())
            return FALSE;
    }
    CGXLongOperation operation;

    CGXControl* pControl = pGrid->GetCurrentCellControl();
    const BOOL bActive = pControl != nullptr && pControl->IsActive();
    CGXRangeList& copied = pParam->GetCopiedRanges();
    CopyList(pParam->m_SelRects, copied);
    if ((copied.IsEmpty() || bActive) && pControl != nullptr && pControl->Cut())
        return TRUE;

    if (pParam->m_bDirectCutPaste)
    {
        // Nothing is cleared now: the cells move at the next paste.
        pGrid->Copy();
        pParam->m_bCutPending = TRUE;
        pGrid->RedrawGrid(GX_SMART, TRUE);
        return TRUE;
    }

    if (copied.IsEmpty() && pGrid->GetCurrentCell(nRow, nCol))
        copied.AddTail(new CGXRange(nRow, nCol));
    ExpandAll(pGrid, copied);
    // CutRanges may end with the list emptied by another step: it works on a copy.
    CGXRangeList ranges;
    CopyList(copied, ranges);
    return pGrid->CutRanges(ranges, (pGrid->m_nClipboardFlags & GX_CLIP_STYLES) != 0);
}

BOOL CGXGridCutPasteImp::CutRanges(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bStyles)
{
    pGrid->BeginTrans(pGrid->GetAppData()->GetOperationText(GX_IDS_CUTDATA));
    if (pGrid->CopyRangesToClipboard(ranges) && pGrid->ClearCells(ranges, bStyles))
    {
        pGrid->CommitTrans();
        return TRUE;
    }
    pGrid->Rollback();
    return FALSE;
}

// ---- Paste ----

BOOL CGXGridCutPasteImp::Paste(CGXGridCore* pGrid)
{
    if (!pGrid->CanPaste())
        return FALSE;
    CGXGridParam* pParam = pGrid->GetParam();
    CGXRangeList ranges;
    if (!pGrid->GetSelectedRanges(ranges, TRUE))
        return FALSE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pControl->CanPaste() && pControl->Paste())
        return TRUE;
    pGrid->TransferCurrentCellValue(TRUE);

    if (ranges.GetCount() >= 2)
    {
        AfxMessageBox("Pasting is not possible for multi-area selections.", MB_OK);
        return FALSE;
    }
    CGXRange target(*ranges.GetHead());
    ExpandWithHeaderLimits(pGrid, target);

    if (!pParam->m_MarkedRanges.IsEmpty())
    {
        if (pParam->m_bDirectCutPaste && pParam->m_bCutPending)
            return pGrid->PasteDirect(target);
        if (pParam->m_bDirectCopyPaste && !pParam->m_bCutPending && ClipboardHoldsIdentityOf(pGrid))
            return pGrid->PasteDirect(target);
    }

    CClipboard clipboard(GridHwnd(pGrid));
    if (!clipboard.IsOpen())
        return FALSE;
    return pGrid->PasteFromClipboard(target);
}

BOOL CGXGridCutPasteImp::PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& targetIn)
{
    CGXRange target(targetIn);
    const DWORD dwFlags = pGrid->m_nClipboardFlags;
    if ((dwFlags & GX_CLIP_ROWHEADERS) == 0 && target.top <= pGrid->GetHeaderRows())
        target.top = pGrid->GetHeaderRows() + 1;
    if ((dwFlags & GX_CLIP_COLHEADERS) == 0 && target.left <= pGrid->GetHeaderCols())
        target.left = pGrid->GetHeaderCols() + 1;

    const UINT nStyles = pGrid->GetAppData()->m_uiStylesClipboardFormat;
    HGLOBAL hStyles = (dwFlags & GX_CLIP_STYLES) != 0 && nStyles != 0 ? ::GetClipboardData(nStyles) : nullptr;
    if (hStyles != nullptr)
    {
        CSharedFile file;
        file.SetHandle(hStyles, FALSE);
        BOOL bResult = FALSE;
        try
        {
            CArchive ar(&file, CArchive::load, 4096);
            bResult = pGrid->PasteStylesFromArchive(ar, target, (dwFlags & GX_CLIP_CHECKSIZE) == 0);
            ar.Close();
        }
        catch (CException* e)
        {
            // Data another program put there under the format's name: refused.
            e->Delete();
            bResult = FALSE;
        }
        return bResult;
    }

    if ((dwFlags & GX_CLIP_TEXT) != 0)
    {
        HGLOBAL hText = ::GetClipboardData(CF_TEXT);
        if (hText == nullptr)
            hText = ::GetClipboardData(CF_OEMTEXT);
        if (hText != nullptr)
        {
            const char* pText = static_cast<const char*>(::GlobalLock(hText));
            if (pText == nullptr)
                return FALSE;
            const BOOL bResult =
                pGrid->PasteTextFromBuffer(pText, static_cast<DWORD>(::GlobalSize(hText)), target);
            ::GlobalUnlock(hText);
            return bResult;
        }
    }
    return FALSE;
}

BOOL CGXGridCutPasteImp::PasteDirect(CGXGridCore* pGrid, const CGXRange& target)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !IsDirectPasteDue(pParam))
        return TRUE;
    const BOOL bMove = pParam->m_bDirectCutPaste && pParam->m_bCutPending;

    GXRangeSpans spans;
    spans.Build(pGrid, pParam->m_MarkedRanges);
    const std::vector<DirectPasteBlock> blocks = DirectPasteBlocks(spans, target);
    const BOOL bSeveral = pParam->m_MarkedRanges.GetCount() > 1;
    CGXAppData* pAppData = pGrid->GetAppData();
    const CString& name = pAppData->GetOperationText(bMove ? GX_IDS_MOVECMD : GX_IDS_COPYCMD);
    CGXLongOperation operation;
    operation.SetStatusText(name, FALSE);
    pGrid->ArmRecalcMessage();
    // The blocks arrive before anything is worked out from them: a formula of the first block is not
    // evaluated over what the next one is about to overwrite.
    CGXRecalcHold hold(pGrid);
    CGXTransactionScope transaction(pGrid, name, bSeveral);
    // A move redraws the grid once at its end (a copy redraws the cells it changed).
    CGXLockUpdateScope lock(pGrid, bMove);

    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    const BOOL bCurrent = pGrid->GetCurrentCell(nCurRow, nCurCol);
    BOOL bCurrentInDest = FALSE;
    BOOL bOk = TRUE;
    BOOL bOutOfMemory = FALSE;
    try
    {
        for (size_t i = 0; i < blocks.size() && bOk; ++i)
        {
            const DirectPasteBlock& block = blocks[i];
            bOk = bMove ? pGrid->MoveCells(block.source, block.nDestRow, block.nDestCol, nullptr, GX_SMART, 0)
                        : pGrid->CopyCells(block.source, block.nDestRow, block.nDestCol, GX_SMART);
            const CGXRange dest(block.nDestRow, block.nDestCol,
                                block.nDestRow + (block.source.bottom - block.source.top),
                                block.nDestCol + (block.source.right - block.source.left));
            if (bCurrent && dest.ContainsCell(nCurRow, nCurCol))
                bCurrentInDest = TRUE;
        }
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        bOutOfMemory = TRUE;
    }
    catch (const std::bad_alloc&)
    {
        bOutOfMemory = TRUE;
    }
    if (bOutOfMemory)
    {
        bOk = FALSE;
        AfxMessageBox("Range too big.", MB_OK);
    }
    if (bOk)
        transaction.Commit();
    else
        transaction.Rollback();
    if (bMove)
    {
        pParam->m_bCutPending = FALSE;
        pParam->m_MarkedRanges.DeleteAll();
        lock.Restore();
        hold.Release();
        pGrid->SetDataUpdateFlag(TRUE);
        pGrid->RedrawGrid(GX_SMART, TRUE);
    }
    else
    {
        lock.Restore();
        hold.Release();
        pGrid->RedrawChangedCells(GX_SMART);
    }
    if (bCurrentInDest)
    {
        pGrid->DelayFloatCells(CGXRange(nCurRow, nCurCol));
        pGrid->MoveCurrentCell(nCurRow, nCurCol, 10);
    }
    pGrid->ReportRecalcMessage();
    return bOk;
}

BOOL CGXGridCutPasteImp::ConfirmSizeMismatch(CGXGridCore* pGrid)
{
    return AfxMessageBox(pGrid->GetAppData()->GetOperationText(GX_IDS_CLIPBOARDSIZE), MB_OKCANCEL) == IDOK;
}

void CGXGridCore::InstallCutPaste()
{
    if (m_pCutPasteImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridCutPasteImp;
    if (pImp == nullptr)
        return;
    m_pCutPasteImp = pImp;
    AddImplementationObject(pImp);
    // The format is registered once for the process, before the first copy needs it.
    GXGetDirectCopyFormat();
}
