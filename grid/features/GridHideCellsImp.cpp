#include "grid/features/GridHideCellsImp.h"

#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Properties.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The flags as a list of lines, and back as bytes. The byte array keeps whole bytes: a list is
// written back into as many bytes as its length needs.
std::vector<bool> ReadFlags(const CByteArray& bytes)
{
    std::vector<bool> flags(static_cast<size_t>(bytes.GetSize()) * 8);
    for (size_t n = 0; n < flags.size(); ++n)
        flags[n] = (bytes[static_cast<INT_PTR>(n / 8)] >> (n % 8) & 1) != 0;
    return flags;
}

void WriteFlags(CByteArray& bytes, const std::vector<bool>& flags)
{
    bytes.SetSize(static_cast<INT_PTR>((flags.size() + 7) / 8));
    for (INT_PTR i = 0; i < bytes.GetSize(); ++i)
        bytes[i] = 0;
    for (size_t n = 0; n < flags.size(); ++n)
        if (flags[n])
            bytes[static_cast<INT_PTR>(n / 8)] |= static_cast<BYTE>(1 << (n % 8));
}

BOOL FlagOf(const CByteArray& bytes, ROWCOL nLine)
{
    const INT_PTR nByte = static_cast<INT_PTR>(nLine / 8);
    return nByte < bytes.GetSize() && (bytes[nByte] >> (nLine % 8) & 1) != 0;
}

void StoreFlag(CByteArray& bytes, ROWCOL nLine, BOOL bHide)
{
    const INT_PTR nByte = static_cast<INT_PTR>(nLine / 8);
    if (nByte >= bytes.GetSize())
        bytes.SetSize(nByte + 1);
    const BYTE bit = static_cast<BYTE>(1 << (nLine % 8));
    bytes[nByte] = static_cast<BYTE>(bHide ? bytes[nByte] | bit : bytes[nByte] & ~bit);
}

void RemoveFlags(CByteArray& bytes, ROWCOL nFrom, ROWCOL nTo)
{
    std::vector<bool> flags = ReadFlags(bytes);
    if (nFrom >= flags.size() || nTo < nFrom)
        return;
    const size_t nEnd = nTo >= flags.size() ? flags.size() : static_cast<size_t>(nTo) + 1;
    flags.erase(flags.begin() + nFrom, flags.begin() + static_cast<ptrdiff_t>(nEnd));
    WriteFlags(bytes, flags);
}

void InsertFlags(CByteArray& bytes, ROWCOL nAt, ROWCOL nCount)
{
    std::vector<bool> flags = ReadFlags(bytes);
    if (nAt >= flags.size() || nCount == 0)
        return;
    const size_t nNewBytes = static_cast<size_t>(bytes.GetSize()) + (nCount - 1) / 8 + 1;
    flags.insert(flags.begin() + nAt, nCount, false);
    flags.resize(nNewBytes * 8);
    WriteFlags(bytes, flags);
}

void MoveFlags(CByteArray& bytes, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    if (nTo < nFrom || nDest == nFrom)
        return;
    std::vector<bool> flags = ReadFlags(bytes);
    const size_t nCount = static_cast<size_t>(nTo - nFrom) + 1;
    // Lines past the end are visible; reaching them makes room, so a run at the end moves whole.
    const size_t nNeeded = std::max(static_cast<size_t>(nTo), static_cast<size_t>(nDest) + nCount - 1) + 1;
    const size_t nOldSize = flags.size();
    if (flags.size() < nNeeded)
        flags.resize(nNeeded);
    std::vector<bool> block(flags.begin() + nFrom, flags.begin() + static_cast<ptrdiff_t>(nFrom + nCount));
    flags.erase(flags.begin() + nFrom, flags.begin() + static_cast<ptrdiff_t>(nFrom + nCount));
    flags.insert(flags.begin() + nDest, block.begin(), block.end());
    // Keep no more bytes than the old array and the set flags need.
    size_t nKeep = nOldSize;
    for (size_t n = flags.size(); n > nKeep; --n)
        if (flags[n - 1])
        {
            nKeep = n;
            break;
        }
    flags.resize(nKeep);
    WriteFlags(bytes, flags);
}

// HideRows and HideCols, which differ only in the axis.
BOOL HideLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pabHide,
               UINT nFlags, int nCommandType)
{
    if (nTo == 0)
        nTo = nFrom;
    if (nTo < nFrom || pGrid->GetParam() == nullptr)
        return FALSE;

    CGXLongOperation operation;
    CDWordArray oldSizes;
    if (bRows)
        pGrid->GetRowHeights(nFrom, nTo, oldSizes);
    else
        pGrid->GetColWidths(nFrom, nTo, oldSizes);

    auto* pabOld = new CByteArray;
    pabOld->SetSize(static_cast<INT_PTR>(nTo - nFrom) + 1);
    // Changed is what is stored, not what this grid shows: a lower pane of a splitter shows no
    // header row either way, and the other panes must still hear of a change there.
    const CByteArray& stored = bRows ? pGrid->GetParam()->m_abRowFlags : pGrid->GetParam()->m_abColFlags;
    BOOL bChanged = FALSE;
    for (ROWCOL nLine = nFrom;; ++nLine)
    {
        const INT_PTR i = static_cast<INT_PTR>(nLine - nFrom);
        const BOOL bWas = FlagOf(stored, nLine);
        BOOL bNew = bHide;
        if (pabHide != nullptr)
            bNew = i < pabHide->GetSize() && pabHide->GetAt(i) != 0;
        (*pabOld)[i] = static_cast<BYTE>(bWas ? 1 : 0);
        if (bRows)
            pGrid->StoreHideRow(nLine, bNew);
        else
            pGrid->StoreHideCol(nLine, bNew);
        bChanged |= FlagOf(stored, nLine) != bWas;
        operation.DoMessages();
        if (nLine == nTo)
            break;
    }
    if (!bChanged)
    {
        delete pabOld;
        return FALSE;
    }

    CGXRange lines;
    if (bRows)
        lines.SetRows(nFrom, nTo);
    else
        lines.SetCols(nFrom, nTo);
    pGrid->DelayMergeCells(lines);
    pGrid->DelayFloatCells(lines);
    if (bRows)
        pGrid->UpdateChangedRowHeights(nFrom, nTo, &oldSizes, nFlags, TRUE);
    else
        pGrid->UpdateChangedColWidths(nFrom, nTo, &oldSizes, nFlags, TRUE);

    if (pGrid->IsUndoRecorded(nCommandType))
    {
        CObject* pCommand = bRows ? pGrid->m_pUndoImp->CreateHideRowsCmd(pGrid, nFrom, nTo, pabOld, nCommandType)
                                  : pGrid->m_pUndoImp->CreateHideColsCmd(pGrid, nFrom, nTo, pabOld, nCommandType);
        pGrid->AddCommand(pCommand, nCommandType);
        // After an undo or redo the changed place comes into view.
        if (nCommandType == 2 || nCommandType == 3)
        {
            if (bRows)
                pGrid->RestoreCurrentCell(nFrom, pGrid->GetLeftCol());
            else
                pGrid->RestoreCurrentCell(pGrid->GetTopRow(), nFrom);
        }
    }
    else
    {
        delete pabOld;
    }
    return TRUE;
}

} // namespace

void CGXGridHideCellsImp::RemoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow)
{
    RemoveFlags(pGrid->GetParam()->m_abRowFlags, nFromRow, nToRow);
}

void CGXGridHideCellsImp::RemoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol)
{
    RemoveFlags(pGrid->GetParam()->m_abColFlags, nFromCol, nToCol);
}

void CGXGridHideCellsImp::InsertRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount)
{
    InsertFlags(pGrid->GetParam()->m_abRowFlags, nRow, nCount);
}

void CGXGridHideCellsImp::InsertColHiddenFlags(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount)
{
    InsertFlags(pGrid->GetParam()->m_abColFlags, nCol, nCount);
}

void CGXGridHideCellsImp::MoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    MoveFlags(pGrid->GetParam()->m_abRowFlags, nFromRow, nToRow, nDestRow);
}

void CGXGridHideCellsImp::MoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    MoveFlags(pGrid->GetParam()->m_abColFlags, nFromCol, nToCol, nDestCol);
}

BOOL CGXGridHideCellsImp::HideRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide,
                                   CByteArray* pabHide, UINT nFlags, int nCommandType)
{
    return HideLines(pGrid, TRUE, nFromRow, nToRow, bHide, pabHide, nFlags, nCommandType);
}

BOOL CGXGridHideCellsImp::HideCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide,
                                   CByteArray* pabHide, UINT nFlags, int nCommandType)
{
    return HideLines(pGrid, FALSE, nFromCol, nToCol, bHide, pabHide, nFlags, nCommandType);
}

BOOL CGXGridHideCellsImp::IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    // Lower panes of a splitter show no column headers.
    if (pGrid->m_nPaneRow > 0 && !pGrid->IsPrinting() && nRow <= pGrid->GetHeaderRows())
        return TRUE;
    if (nRow == 0 && pGrid->IsPrinting())
    {
        const CGXProperties* pProperties = pGrid->GetProperties();
        if (pProperties != nullptr && pProperties->GetPrinting() && !pProperties->GetPrintColHeaders())
            return TRUE;
    }
    return FlagOf(pParam->m_abRowFlags, nRow);
}

BOOL CGXGridHideCellsImp::IsColHidden(CGXGridCore* pGrid, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    // Panes right of the first show no row headers.
    if (pGrid->m_nPaneCol > 0 && !pGrid->IsPrinting() && nCol <= pGrid->GetHeaderCols())
        return TRUE;
    if (nCol == 0 && pGrid->IsPrinting())
    {
        const CGXProperties* pProperties = pGrid->GetProperties();
        if (pProperties != nullptr && pProperties->GetPrinting() && !pProperties->GetPrintRowHeaders())
            return TRUE;
    }
    return FlagOf(pParam->m_abColFlags, nCol);
}

BOOL CGXGridHideCellsImp::StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    StoreFlag(pGrid->GetParam()->m_abRowFlags, nRow, bHide);
    return TRUE;
}

BOOL CGXGridHideCellsImp::StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide)
{
    if (pGrid->GetParam() == nullptr)
        return FALSE;
    StoreFlag(pGrid->GetParam()->m_abColFlags, nCol, bHide);
    return TRUE;
}

void CGXGridCore::InstallHideCells()
{
    if (m_pHideCellsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridHideCellsImp;
    if (pImp == nullptr)
        return;
    m_pHideCellsImp = pImp;
    AddImplementationObject(pImp);
}
