#include "grid/features/GridSortImp.h"

#include "framework/core/Exceptions.h"
#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/SortInfoArray.h"
#include "grid/core/Style.h"

#include <mbstring.h>
#include <oleauto.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace
{

// The characters a number key's text may hold: no plus sign and no capital E.
const char kNumberCharacters[] = "0123456789,.-e ";

// The text as wide characters, whatever its length.
std::wstring ToWide(const CString& text)
{
    const int nLength = text.GetLength();
    if (nLength == 0)
        return std::wstring();
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, text, nLength, nullptr, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, nLength, wide.data(), nWide);
    return wide;
}

// The date the automation parser reads in the text (the user's locale); a failed parse gives 0 for
// a text of another type and -1 for any other failure (a date out of range).
double ParseDateKey(const CString& text, BOOL* pbParsed = nullptr)
{
    const std::wstring wide = ToWide(text);
    BSTR bstr = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    DATE date = 0;
    const HRESULT hr = bstr != nullptr ? ::VarDateFromStr(bstr, LOCALE_USER_DEFAULT, 0, &date) : E_OUTOFMEMORY;
    ::SysFreeString(bstr);
    if (pbParsed != nullptr)
        *pbParsed = SUCCEEDED(hr);
    if (SUCCEEDED(hr))
        return date;
    return hr == DISP_E_TYPEMISMATCH ? 0.0 : -1.0;
}

// A number key's value: an empty text counts as 0, and so does a text that passed the character
// test but that the automation parser refuses (a lone "e"), on its own line.
double ParseNumberKey(const CString& text)
{
    const std::wstring wide = ToWide(text.IsEmpty() ? CString("0") : text);
    BSTR bstr = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    double dValue = 0;
    if (bstr == nullptr || FAILED(::VarR8FromStr(bstr, LOCALE_USER_DEFAULT, 0, &dValue)))
        dValue = 0;
    ::SysFreeString(bstr);
    return dValue;
}

// Whether a text may still be a number key; removes its leading white space when it passed the
// character test.
BOOL KeepsNumberCandidate(CString& text)
{
    if (text.SpanIncluding(kNumberCharacters).GetLength() != text.GetLength())
        return FALSE;
    text.TrimLeft();
    // A minus sign anywhere but first (the last one counts) makes no number.
    const int nMinus = text.ReverseFind('-');
    return nMinus <= 0;
}

// Dates before the epoch carry their time of day with the sign of the day: map them onto one line.
double LinearDate(double date)
{
    return date >= 0 ? date : 2 * std::ceil(date) - date;
}

int CompareTexts(const CString& first, const CString& second, BOOL bCase)
{
    const unsigned char* pFirst = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(first));
    const unsigned char* pSecond = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(second));
    return bCase ? _mbscoll(pFirst, pSecond) : _mbsicoll(pFirst, pSecond);
}

// The key lines of one run, deleted on every path.
struct KeyLines
{
    std::vector<std::unique_ptr<CGXSortKeyLine>> owned;
    CPtrArray pointers;
};

// Reads the keys of every line first..last (rows or columns). FALSE after an abort, a lack of
// memory or a key provider that refused; nothing is moved then.
BOOL BuildKeyLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast, CGXSortInfoArray& keys,
                   CGXLongOperation& operation, KeyLines& lines)
{
    const int nKeys = keys.GetSize();
    for (int k = 0; k < nKeys; ++k)
    {
        keys[k].bNumberCandidate = TRUE;
        keys[k].bDateCandidate = TRUE;
    }
    try
    {
        lines.owned.reserve(static_cast<size_t>(nLast - nFirst) + 1);
        lines.pointers.SetSize(static_cast<INT_PTR>(nLast - nFirst) + 1);
        for (ROWCOL nLine = nFirst;; ++nLine)
        {
            lines.owned.push_back(std::make_unique<CGXSortKeyLine>());
            CGXSortKeyLine* pLine = lines.owned.back().get();
            pLine->m_texts.SetSize(nKeys);
            lines.pointers[static_cast<INT_PTR>(nLine - nFirst)] = pLine;
            if (bRows)
                pGrid->GetSortKeyRow(nLine, keys, pLine->m_texts);
            else
                pGrid->GetSortKeyCol(nLine, keys, pLine->m_texts);
            pLine->m_nOffset = nLine - nFirst;
            pLine->m_pSortInfo = &keys;

            for (int k = 0; k < nKeys && k < pLine->m_texts.GetSize(); ++k)
            {
                CString& text = pLine->m_texts[k];
                if (text.IsEmpty() || keys[k].sortType != CGXSortInfo::autodetect)
                    continue;
                if (keys[k].bDateCandidate)
                {
                    BOOL bDate = FALSE;
                    ParseDateKey(text, &bDate);
                    keys[k].bDateCandidate = bDate;
                }
                if (keys[k].bNumberCandidate)
                    keys[k].bNumberCandidate = KeepsNumberCandidate(text);
            }

            BOOL bAbort = FALSE;
            operation.DoMessagesCheckAbort(bAbort);
            if (bAbort)
                AfxThrowUserException();
            if (nLine == nLast)
                break;
        }
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        AfxMessageBox(GX_IDS_NOTENOUGHMEMORY, MB_OK);
        return FALSE;
    }
    catch (const std::bad_alloc&)
    {
        AfxMessageBox(GX_IDS_NOTENOUGHMEMORY, MB_OK);
        return FALSE;
    }
    catch (CUserException* e)
    {
        e->Delete();
        operation.SetStatusTextById(GX_IDS_CANCELED);
        return FALSE;
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// Resolves automatic keys and turns number and date keys into doubles; the texts they came from
// are freed, so the comparison touches only numbers.
void ConvertKeys(CGXSortInfoArray& keys, KeyLines& lines)
{
    const int nKeys = keys.GetSize();
    for (int k = 0; k < nKeys; ++k)
    {
        CGXSortInfo& key = keys[k];
        if (key.sortType == CGXSortInfo::autodetect)
        {
            // The date test wins over the number test.
            if (key.bDateCandidate)
                key.sortType = CGXSortInfo::date;
            else if (key.bNumberCandidate)
                key.sortType = CGXSortInfo::numeric;
            else
                key.sortType = CGXSortInfo::alphanumeric;
        }
        if (key.sortType != CGXSortInfo::date && key.sortType != CGXSortInfo::numeric)
            continue;
        for (const std::unique_ptr<CGXSortKeyLine>& pLine : lines.owned)
        {
            if (pLine->m_pValues == nullptr)
                pLine->m_pValues = new double[static_cast<size_t>(nKeys)]();
            CString& text = pLine->m_texts[k];
            pLine->m_pValues[k] = key.sortType == CGXSortInfo::date ? ParseDateKey(text) : ParseNumberKey(text);
            text.Empty();
        }
    }
}

// SortRows and SortCols, which differ only in the axis.
BOOL SortLines(CGXGridCore* pGrid, BOOL bRows, const CGXRange& sortRange, CGXSortInfoArray& keys, UINT nFlags)
{
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nCount = bRows ? pGrid->GetRowCount() : pGrid->GetColCount();
    if (nCount <= 1 || pParam == nullptr)
        return FALSE;

    ROWCOL nFirst = 0;
    ROWCOL nLast = 0;
    if (sortRange.IsTable())
    {
        nFirst = (bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols()) + 1;
        nLast = nCount;
    }
    else
    {
        nFirst = bRows ? sortRange.top : sortRange.left;
        nLast = bRows ? sortRange.bottom : sortRange.right;
    }
    // The header row (column) 0 and lines past the end never take part.
    if (nFirst == 0)
        nFirst = 1;
    if (nLast > nCount)
        nLast = nCount;
    if (nFirst > nLast)
        return FALSE;

    pGrid->MoveCurrentCellEx(bRows ? GX_MOVE_TOP : GX_LEFT, 1, TRUE);
    pGrid->TransferCurrentCellValue(TRUE, TRUE);

    CGXLongOperation operation;
    operation.SetStatusTextById(bRows ? GX_IDS_SORTROWS : GX_IDS_SORTCOLS);
    const BOOL bOldCanAbort = CGXLongOperation::SetCanAbort(TRUE);
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(FALSE);

    KeyLines lines;
    const BOOL bBuilt = BuildKeyLines(pGrid, bRows, nFirst, nLast, keys, operation, lines);
    CGXLongOperation::SetCanAbort(bOldCanAbort);
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    if (!bBuilt)
        return FALSE;

    ConvertKeys(keys, lines);
    pGrid->SortKeys(lines.pointers, keys);

    CDWordArray index;
    index.SetSize(lines.pointers.GetSize());
    for (INT_PTR i = 0; i < lines.pointers.GetSize(); ++i)
        index[i] = static_cast<CGXSortKeyLine*>(lines.pointers[i])->m_nOffset;

    if (keys.GetSize() > 0)
    {
        pParam->m_nLastSortRow = bRows ? GX_INVALID : keys[0].nRC;
        pParam->m_nLastSortCol = bRows ? keys[0].nRC : GX_INVALID;
        pParam->m_bLastSortAscending = keys[0].sortOrder == 0;
    }

    CGXRange lineRange;
    if (bRows)
        lineRange.SetRows(nFirst, nLast);
    else
        lineRange.SetCols(nFirst, nLast);
    return bRows ? pGrid->MoveDataRows(lineRange, index, nFlags, 0) : pGrid->MoveDataCols(lineRange, index, nFlags, 0);
}

// MoveDataRows and MoveDataCols.
BOOL MoveLines(CGXGridCore* pGrid, BOOL bRows, const CGXRange& sortRange, const CDWordArray& awIndex, UINT nFlags,
               int nCommandType)
{
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nStart = bRows ? sortRange.top : sortRange.left;
    if (pParam == nullptr ||
        !(bRows ? pGrid->StoreMoveDataRows(awIndex, nStart) : pGrid->StoreMoveDataCols(awIndex, nStart)))
        return FALSE;

    pParam->m_SelRects.DeleteAll();
    CGXRange table;
    table.SetTable();
    pGrid->DelayFloatCells(table, GX_INVALID);
    pGrid->DelayMergeCells(table, GX_INVALID, GX_INVALID);
    pGrid->SetModifiedFlag(TRUE);
    if (bRows)
        pGrid->UpdateMoveDataRows(sortRange, nFlags, TRUE);
    else
        pGrid->UpdateMoveDataCols(sortRange, nFlags, TRUE);

    if (pGrid->IsUndoRecorded(nCommandType))
    {
        // The command moves the lines back: inverse[index[i]] = i.
        auto* pInverse = new CDWordArray;
        pInverse->SetSize(awIndex.GetSize());
        for (INT_PTR i = 0; i < awIndex.GetSize(); ++i)
            (*pInverse)[static_cast<INT_PTR>(awIndex[i])] = static_cast<DWORD>(i);
        CObject* pCommand = bRows ? pGrid->m_pUndoImp->CreateMoveDataRowsCmd(pGrid, sortRange, pInverse, nCommandType)
                                  : pGrid->m_pUndoImp->CreateMoveDataColsCmd(pGrid, sortRange, pInverse, nCommandType);
        if (pCommand != nullptr)
            pGrid->AddCommand(pCommand, nCommandType);
        else
            delete pInverse;
    }
    return TRUE;
}

void UpdateMovedLines(CGXGridCore* pGrid, BOOL bRows, const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint)
{
    pGrid->TransferCurrentCellValue(FALSE, bCreateHint);
    if (!pGrid->IsLockUpdate())
        pGrid->RedrawGrid(nFlags, FALSE);
    if (pGrid->m_pUpdateHintImp != nullptr && bCreateHint && pGrid->m_bHintsEnabled)
    {
        if (bRows)
            pGrid->m_pUpdateHintImp->HintMoveDataRows(pGrid, sortRange, nFlags);
        else
            pGrid->m_pUpdateHintImp->HintMoveDataCols(pGrid, sortRange, nFlags);
    }
}

BOOL FillKeys(CGXGridCore* pGrid, BOOL bRows, ROWCOL nLine, const CGXSortInfoArray& sortInfo, CStringArray& keys)
{
    if (keys.GetSize() < sortInfo.GetSize())
        keys.SetSize(sortInfo.GetSize());
    CGXStyle* pStyle = pGrid->NewStyle();
    for (int k = 0; k < sortInfo.GetSize(); ++k)
    {
        const ROWCOL nRow = bRows ? nLine : sortInfo[k].nRC;
        const ROWCOL nCol = bRows ? sortInfo[k].nRC : nLine;
        pGrid->BuildEffectiveStyle(nRow, nCol, *pStyle);
        CGXControl* pControl = pGrid->GetRegisteredControl(pStyle->GetIncludeControl() ? pStyle->GetControl() : 0);
        CString text;
        pGrid->GetSortKeyText(pControl, nRow, nCol, sortInfo[k], *pStyle, text);
        keys[k] = text;
    }
    pGrid->RecycleStyle(pStyle);
    return TRUE;
}

// Moves the entries top..top + n - 1 of an array of owned pointers into the index's order. Entries
// past the array's end are NULL; the array grows to hold the range and is cut back to its last
// pointer when the range reached its end.
void PermuteEntries(CPtrArray& entries, ROWCOL nTop, const CDWordArray& awIndex)
{
    const INT_PTR nCount = awIndex.GetSize();
    const INT_PTR nStart = static_cast<INT_PTR>(nTop);
    std::vector<void*> moved(static_cast<size_t>(nCount), nullptr);
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const INT_PTR nFrom = nStart + static_cast<INT_PTR>(awIndex[i]);
        if (nFrom < entries.GetSize())
            moved[static_cast<size_t>(i)] = entries[nFrom];
    }
    if (entries.GetSize() < nStart + nCount)
        entries.SetSize(nStart + nCount);
    for (INT_PTR i = 0; i < nCount; ++i)
        entries[nStart + i] = moved[static_cast<size_t>(i)];
    if (entries.GetSize() == nStart + nCount)
    {
        INT_PTR nKeep = entries.GetSize();
        while (nKeep > 0 && entries[nKeep - 1] == nullptr)
            --nKeep;
        entries.SetSize(nKeep);
    }
}

// Every position 0..count - 1 exactly once: anything else would give one style two owners.
BOOL IsPermutation(const CDWordArray& awIndex)
{
    std::vector<bool> seen(static_cast<size_t>(awIndex.GetSize()), false);
    for (INT_PTR i = 0; i < awIndex.GetSize(); ++i)
    {
        const size_t nPos = awIndex[i];
        if (nPos >= seen.size() || seen[nPos])
            return FALSE;
        seen[nPos] = true;
    }
    return TRUE;
}

} // namespace

int CGXGridSortImp::CompareKeyLines(const void* pFirst, const void* pSecond)
{
    const CGXSortKeyLine* pA = *static_cast<CGXSortKeyLine* const*>(pFirst);
    const CGXSortKeyLine* pB = *static_cast<CGXSortKeyLine* const*>(pSecond);
    const CGXSortInfoArray& keys = *pA->m_pSortInfo;
    for (int k = 0; k < keys.GetSize(); ++k)
    {
        const CGXSortInfo& key = keys[k];
        const int nDirection = key.sortOrder != 0 ? -1 : 1;
        if (key.sortType == CGXSortInfo::numeric || key.sortType == CGXSortInfo::date)
        {
            const double a = pA->m_pValues != nullptr ? pA->m_pValues[k] : 0;
            const double b = pB->m_pValues != nullptr ? pB->m_pValues[k] : 0;
            if (a == b)
                continue;
            const BOOL bALater =
                key.sortType == CGXSortInfo::date ? LinearDate(a) > LinearDate(b) : a > b;
            return bALater ? nDirection : -nDirection;
        }
        const int nResult = CompareTexts(pA->m_texts[k], pB->m_texts[k], key.bCase);
        if (nResult != 0)
            return nResult * nDirection;
    }
    // Equal keys keep the order they had, in both directions.
    return pA->m_nOffset < pB->m_nOffset ? -1 : (pA->m_nOffset > pB->m_nOffset ? 1 : 0);
}

BOOL CGXGridSortImp::SortKeys(CGXGridCore*, CPtrArray& keys, const CGXSortInfoArray&)
{
    if (keys.GetSize() > 1)
        std::qsort(keys.GetData(), static_cast<size_t>(keys.GetSize()), sizeof(void*), &CompareKeyLines);
    return TRUE;
}

BOOL CGXGridSortImp::SortRows(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags)
{
    return pSortRange != nullptr && SortLines(pGrid, TRUE, *pSortRange, sortInfo, nFlags);
}

BOOL CGXGridSortImp::SortCols(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags)
{
    return pSortRange != nullptr && SortLines(pGrid, FALSE, *pSortRange, sortInfo, nFlags);
}

BOOL CGXGridSortImp::MoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awRowIndex,
                                  UINT nFlags, int nCommandType)
{
    return MoveLines(pGrid, TRUE, sortRange, awRowIndex, nFlags, nCommandType);
}

BOOL CGXGridSortImp::MoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awColIndex,
                                  UINT nFlags, int nCommandType)
{
    return MoveLines(pGrid, FALSE, sortRange, awColIndex, nFlags, nCommandType);
}

BOOL CGXGridSortImp::StoreMoveDataRows(CGXGridCore* pGrid, const CDWordArray& awRowIndex, ROWCOL nStartRow)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr && pData->MoveDataRows(awRowIndex, nStartRow);
}

BOOL CGXGridSortImp::StoreMoveDataCols(CGXGridCore* pGrid, const CDWordArray& awColIndex, ROWCOL nStartCol)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr && pData->MoveDataCols(awColIndex, nStartCol);
}

BOOL CGXGridSortImp::UpdateMoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint)
{
    UpdateMovedLines(pGrid, TRUE, sortRange, nFlags, bCreateHint);
    return TRUE;
}

BOOL CGXGridSortImp::UpdateMoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint)
{
    UpdateMovedLines(pGrid, FALSE, sortRange, nFlags, bCreateHint);
    return TRUE;
}

BOOL CGXGridSortImp::GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                                   CStringArray& keys)
{
    return FillKeys(pGrid, TRUE, nRow, sortInfo, keys);
}

BOOL CGXGridSortImp::GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                                   CStringArray& keys)
{
    return FillKeys(pGrid, FALSE, nCol, sortInfo, keys);
}

BOOL CGXGridSortImp::OnLButtonDblClkRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT, CPoint)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const BOOL bSortRows = nRow == 0 && nCol > 0 && pParam->m_bSortRowsOnColHeaderDblClk;
    const BOOL bSortCols = nRow > 0 && nCol == 0 && pParam->m_bSortColsOnRowHeaderDblClk;
    if (!bSortRows && !bSortCols)
        return FALSE;

    CGXSortInfoArray sortInfo;
    sortInfo.SetSize(1);
    CGXSortInfo& key = sortInfo[0];
    key.nRC = bSortRows ? nCol : nRow;
    key.sortType = CGXSortInfo::autodetect;
    key.bCase = FALSE;
    // The same header a second time sorts the other way.
    const ROWCOL nLastSorted = bSortRows ? pParam->m_nLastSortCol : pParam->m_nLastSortRow;
    key.sortOrder = nLastSorted == key.nRC && pParam->m_bLastSortAscending ? 1 : 0;

    CGXRange table;
    table.SetTable();
    if (bSortRows)
    {
        pGrid->SortRows(table, sortInfo, GX_SMART);
        pGrid->MoveCurrentCellEx(GX_MOVE_TOP, 1, TRUE);
    }
    else
    {
        pGrid->SortCols(table, sortInfo, GX_SMART);
        pGrid->MoveCurrentCellEx(GX_LEFT, 1, TRUE);
    }
    return TRUE;
}

BOOL CGXGridSortMoveDataImp::MoveDataRows(CGXData& data, const CDWordArray& awRowIndex, ROWCOL nStartRow)
{
    if (!IsPermutation(awRowIndex))
        return FALSE;
    PermuteEntries(data.GetCellStyles(), nStartRow, awRowIndex);
    PermuteEntries(data.GetRowBaseStyles(), nStartRow, awRowIndex);
    return TRUE;
}

BOOL CGXGridSortMoveDataImp::MoveDataCols(CGXData& data, const CDWordArray& awColIndex, ROWCOL nStartCol)
{
    if (!IsPermutation(awColIndex))
        return FALSE;
    CGXStylePtrArrayPtrArray& rows = data.GetCellStyles();
    for (INT_PTR nRow = 0; nRow < rows.GetSize(); ++nRow)
        if (CGXStylePtrArray* pRow = rows.GetRowAt(nRow))
            PermuteEntries(*pRow, nStartCol, awColIndex);
    PermuteEntries(data.GetColBaseStyles(), nStartCol, awColIndex);
    return TRUE;
}

void InstallSortMoveDataImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pSortMoveDataImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridSortMoveDataImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pSortMoveDataImp = pImp;
    pAppData->AddOwnedObject(pImp);
}

void CGXGridCore::InstallSort()
{
    if (m_pSortImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridSortImp;
    if (pImp == nullptr)
        return;
    m_pSortImp = pImp;
    AddImplementationObject(pImp);
    // The sort's last step needs the application-wide data mover.
    InstallSortMoveDataImp();
}
