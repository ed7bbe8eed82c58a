#include "grid/features/GridClipboardImp.h"

#include "framework/core/File.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <mbstring.h>

#include <new>
#include <string>

void GXRangeSpans::Build(CGXGridCore* pGrid, const CGXRangeList& ranges)
{
    ranges.GetRowArray(pGrid->GetRowCount(), rowStarts, rowEnds, FALSE);
    ranges.GetColArray(pGrid->GetColCount(), colStarts, colEnds, FALSE);
    nRows = 0;
    for (INT_PTR i = 0; i < rowStarts.GetSize(); ++i)
        nRows += rowEnds[i] - rowStarts[i] + 1;
    nCols = 0;
    for (INT_PTR i = 0; i < colStarts.GetSize(); ++i)
        nCols += colEnds[i] - colStarts[i] + 1;
}

namespace
{

// The cell's text as the text form writes it: line breaks and tabs inside it rewritten.
void AppendCellText(std::string& out, const CString& text, BOOL bEscape)
{
    const char* p = text;
    const int nLength = text.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        const char ch = p[i];
        if (ch == '\t')
            out += "\\t";
        else if (ch == '\r' || ch == '\n')
        {
            if (bEscape)
                out += ch == '\r' ? "\\r" : "\\n";
            else
            {
                // CR LF is one line break; each becomes a space.
                if (ch == '\r' && i + 1 < nLength && p[i + 1] == '\n')
                    ++i;
                out += ' ';
            }
        }
        else
            out += ch;
    }
}

// The bytes of one pasted cell, with the escapes turned back when asked.
CString CellTextFrom(const char* pBegin, const char* pEnd, BOOL bEscape)
{
    if (!bEscape)
        return CString(pBegin, static_cast<int>(pEnd - pBegin));
    std::string text;
    text.reserve(static_cast<size_t>(pEnd - pBegin));
    for (const char* p = pBegin; p < pEnd; ++p)
    {
        if (bEscape && *p == '\\' && p + 1 < pEnd && (p[1] == 'r' || p[1] == 'n' || p[1] == 't'))
        {
            text += p[1] == 'r' ? '\r' : p[1] == 'n' ? '\n' : '\t';
            ++p;
        }
        else
            text += *p;
    }
    return CString(text.c_str());
}

BOOL IsPasteSeparator(CGXGridCore* pGrid, char ch)
{
    if (pGrid->m_sClipboardPasteSeparators.IsEmpty())
        return ch == '\t';
    return ch != '\0' && pGrid->m_sClipboardPasteSeparators.Find(ch) >= 0;
}

// The length of the character at p: two for the lead byte of a double-byte character that is whole.
int CharLength(const char* p, const char* pEnd)
{
    return (_ismbblead(static_cast<unsigned char>(*p)) && p + 1 < pEnd) ? 2 : 1;
}

} // namespace

BOOL CGXGridTextDataExchangeImp::CopyTextToFile(CGXGridCore* pGrid, CFile& file, const CGXRangeList& ranges)
{
    GXRangeSpans spans;
    spans.Build(pGrid, ranges);
    if (spans.nRows == 0 || spans.nCols == 0)
        return FALSE;
    const unsigned long long nCells = static_cast<unsigned long long>(spans.nRows) * spans.nCols;

    CGXLongOperation operation;
    operation.SetStatusText(pGrid->GetAppData()->GetOperationText(GX_IDS_COPYINGTEXT), FALSE);
    const BOOL bEscape = (pGrid->m_nClipboardFlags & GX_CLIP_ESCAPE) != 0;
    const CString separator = pGrid->m_sClipboardCopySeparator.IsEmpty() ? CString("\t")
                                                                          : pGrid->m_sClipboardCopySeparator;
    const BOOL bSingleCell = spans.nRows == 1 && spans.nCols == 1;

    BOOL bAnyText = FALSE;
    BOOL bAborted = FALSE;
    unsigned long long nIndex = 0;
    ROWCOL nRowsWritten = 0;
    ROWCOL nColsWritten = 0;
    std::string line;
    CString text;
    for (INT_PTR i = 0; i < spans.rowStarts.GetSize() && !bAborted; ++i)
    {
        for (ROWCOL nRow = spans.rowStarts[i]; !bAborted; ++nRow)
        {
            line.clear();
            if (nRowsWritten > 0)
                line += "\r\n";
            nColsWritten = 0;
            for (INT_PTR j = 0; j < spans.colStarts.GetSize() && !bAborted; ++j)
            {
                for (ROWCOL nCol = spans.colStarts[j];; ++nCol)
                {
                    if (nColsWritten > 0)
                        line += static_cast<LPCTSTR>(separator);
                    pGrid->GetCopyTextRowCol(text, nRow, nCol);
                    if (!text.IsEmpty())
                        bAnyText = TRUE;
                    AppendCellText(line, text, bEscape);
                    ++nColsWritten;
                    ++nIndex;
                    if (operation.IsTimeElapsed())
                    {
                        CGXLongOperation::SetPercentDone(static_cast<int>(nIndex * 100 / nCells));
                        BOOL bAbort = FALSE;
                        operation.DoMessagesCheckAbort(bAbort);
                        if (bAbort)
                        {
                            bAborted = TRUE;
                            break;
                        }
                    }
                    if (nCol == spans.colEnds[j])
                        break;
                }
            }
            file.Write(line.data(), static_cast<UINT>(line.size()));
            ++nRowsWritten;
            if (nRow == spans.rowEnds[i])
                break;
        }
    }
    if (!bSingleCell)
        file.Write("\r\n", 2);
    file.Write("", 1);
    pGrid->m_nLastCopyRows = nRowsWritten;
    pGrid->m_nLastCopyCols = nColsWritten;
    return !bAborted && bAnyText;
}

CString CGXGridTextDataExchangeImp::GetCopyTextRowCol(CGXGridCore* pGrid, CString& text, ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle* pStyle = pGrid->NewStyle();
    pGrid->BuildEffectiveStyle(nRow, nCol, *pStyle, TRUE);
    CGXControl* pControl = pGrid->GetRegisteredControl(pStyle->GetIncludeControl() ? pStyle->GetControl() : 0);
    text.Empty();
    if (pControl != nullptr)
        pControl->GetControlText(text, nRow, nCol, nullptr, *pStyle);
    else
        text = pStyle->GetValue();
    pGrid->RecycleStyle(pStyle);
    return text;
}

BOOL CGXGridTextDataExchangeImp::PasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CString& text,
                                                 UINT nFlags, const CGXStyle* pStyle)
{
    return pGrid->SetControlTextRowCol(nRow, nCol, text, nFlags, pStyle);
}

BOOL CGXGridTextDataExchangeImp::PasteTextFromBuffer(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize,
                                                     const CGXRange& target)
{
    if (pszBuffer == nullptr)
        return FALSE;
    CGXAppData* pAppData = pGrid->GetAppData();
    // Pasted blocks repeat their texts: each distinct one goes to the date test once.
    const CGXDateTestMemoScope dateTestMemo(pAppData);
    CGXLongOperation operation;
    operation.SetStatusText(pAppData->GetOperationText(GX_IDS_PASTINGDATA), FALSE);
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(TRUE);
    CGXLongOperation::IgnoreNestedLevels(TRUE);

    pGrid->TransferCurrentCellValue(TRUE);
    CGXTransactionScope transaction(pGrid, pAppData->GetOperationText(GX_IDS_PASTE));
    // The cells are redrawn once at the end, and what follows them is worked out once, when all of
    // them are stored (the redraw lock holds the recalculation).
    CGXLockUpdateScope lock(pGrid);
    const ROWCOL nOldRows = pGrid->GetRowCount();
    const ROWCOL nOldCols = pGrid->GetColCount();

    const DWORD dwFlags = pGrid->m_nClipboardFlags;
    const BOOL bEscape = (dwFlags & GX_CLIP_ESCAPE) != 0;
    ROWCOL nRow = target.top;
    ROWCOL nCol = target.left;
    ROWCOL nMaxCol = nCol;
    BOOL bFailed = FALSE;
    BOOL bAborted = FALSE;
    const CGXPoolStyle style(pGrid);
    const char* const pEnd = pszBuffer + dwSize;
    const char* pCell = pszBuffer;
    const char* p = pszBuffer;
    for (;;)
    {
        const BOOL bAtEnd = p >= pEnd;
        const char ch = bAtEnd ? '\0' : *p;
        const BOOL bLineBreak = ch == '\r' || ch == '\n';
        if (bAtEnd || ch == '\0' || bLineBreak || IsPasteSeparator(pGrid, ch))
        {
            BOOL bStore = TRUE;
            if (nRow > pGrid->GetRowCount())
            {
                if ((dwFlags & GX_CLIP_NOADDROWS) != 0 || !pGrid->SetRowCount(nRow, GX_SMART) ||
                    nRow > pGrid->GetRowCount())
                    break;
            }
            if (nCol > pGrid->GetColCount())
            {
                if ((dwFlags & GX_CLIP_NOADDCOLS) == 0)
                    pGrid->SetColCount(nCol, GX_SMART);
                if (nCol > pGrid->GetColCount())
                    bStore = FALSE;
            }
            if (bStore)
            {
                GXBuildStyleAsItStands(pGrid, nRow, nCol, *style);
                // A FALSE answer only says the cell held that text already.
                pGrid->PasteTextRowCol(nRow, nCol, CellTextFrom(pCell, p, bEscape), GX_INVALIDATE, style.Get());
                nMaxCol = nCol > nMaxCol ? nCol : nMaxCol;
            }
            if (bAtEnd || ch == '\0')
                break;
            if (bLineBreak)
            {
                if (ch == '\r' && p + 1 < pEnd && p[1] == '\n')
                    ++p;
                ++p;
                // A final line break adds no empty row.
                if (p >= pEnd || *p == '\0')
                    break;
                ++nRow;
                nCol = target.left;
            }
            else
            {
                ++p;
                ++nCol;
            }
            pCell = p;
        }
        else
            p += CharLength(p, pEnd);

        if (operation.IsTimeElapsed())
        {
            CGXLongOperation::SetPercentDone(static_cast<int>((p - pszBuffer) * 100LL / (dwSize ? dwSize : 1)));
            BOOL bAbort = FALSE;
            operation.DoMessagesCheckAbort(bAbort);
            if (bAbort)
            {
                bAborted = TRUE;
                break;
            }
        }
    }
    if ((bFailed || bAborted) && CGXLongOperation::GetRollbackConfirmedState())
        transaction.Rollback();
    else
        transaction.Commit();
    lock.Restore();
    CGXLongOperation::IgnoreNestedLevels(FALSE);
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    // Rows, columns and cells were stored under the lock: every view of the grid takes the new
    // counts (its scroll bars brought back in range) and redraws the pasted cells.
    if (pGrid->GetRowCount() != nOldRows)
        pGrid->UpdateChangedRowCount(nOldRows, GX_SMART, TRUE);
    if (pGrid->GetColCount() != nOldCols)
        pGrid->UpdateChangedColCount(nOldCols, GX_SMART, TRUE);
    pGrid->RedrawCellRange(target.top, target.left, nRow, nMaxCol, GX_SMART, TRUE);
    pGrid->Recalc(TRUE, nullptr, TRUE);
    return !bFailed && !bAborted;
}

BOOL CGXGridTextDataExchangeImp::CalcTextSize(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize, ROWCOL& nRows,
                                              ROWCOL& nCols)
{
    nRows = 0;
    nCols = 1;
    if (pszBuffer == nullptr)
        return TRUE;
    const char* const pEnd = pszBuffer + dwSize;
    ROWCOL nCells = 1;
    BOOL bLineHasContent = FALSE;
    for (const char* p = pszBuffer; p < pEnd && *p != '\0';)
    {
        if (*p == '\r' || *p == '\n')
        {
            if (*p == '\r' && p + 1 < pEnd && p[1] == '\n')
                ++p;
            ++p;
            ++nRows;
            nCols = nCells > nCols ? nCells : nCols;
            nCells = 1;
            bLineHasContent = FALSE;
            continue;
        }
        bLineHasContent = TRUE;
        if (IsPasteSeparator(pGrid, *p))
            ++nCells;
        p += CharLength(p, pEnd);
    }
    if (bLineHasContent)
    {
        ++nRows;
        nCols = nCells > nCols ? nCells : nCols;
    }
    return TRUE;
}

void CGXGridCore::InstallTextDataExchange()
{
    if (m_pTextDataExchangeImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridTextDataExchangeImp;
    if (pImp == nullptr)
        return;
    m_pTextDataExchangeImp = pImp;
    AddImplementationObject(pImp);
}
