#include "grid/features/GridClipboardImp.h"

#include "framework/core/Archive.h"
#include "framework/core/CollectionBase.h"
#include "framework/core/Exceptions.h"
#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/StyleSerializeImp.h"

#include <memory>
#include <new>

namespace
{

const ROWCOL kMaxCopyLines = 0x7FFF;
const unsigned long long kMaxCopyCells = 1073741822ull;

// Points the archive's document at the grid's styles map while it lives.
class StylesMapScope
{
public:
    StylesMapScope(CArchive& ar, const CGXStylesMap* pStylesMap)
        : m_ar(ar), m_pPrevious(GXSetArchiveStylesMap(ar, pStylesMap))
    {
    }
    ~StylesMapScope() { m_ar.m_pDocument = m_pPrevious; }
    StylesMapScope(const StylesMapScope&) = delete;
    StylesMapScope& operator=(const StylesMapScope&) = delete;

private:
    CArchive& m_ar;
    CDocument* m_pPrevious;
};

// Deletes the styles an array holds, and the array.
void DeleteStyleArray(CObArray* pArray)
{
    if (pArray == nullptr)
        return;
    for (INT_PTR i = 0; i < pArray->GetSize(); ++i)
        delete pArray->GetAt(i);
    delete pArray;
}

// The bytes of an object array holding each cell's style (null where a cell gives none), made as
// they are written: each cell's style is taken from the pool, written, and given back, so a copy of
// many cells never holds all their styles at once. Its run-time class is the array's own; an abort
// stops it part way, and the caller throws the archive away.
class CellStylesWriter : public CObArray
{
public:
    CellStylesWriter(CGXGridCore* pGrid, const GXRangeSpans& spans, BOOL bComposed, CGXLongOperation& operation,
                     unsigned long long nCells)
        : m_pGrid(pGrid), m_spans(spans), m_bComposed(bComposed), m_operation(operation), m_nCells(nCells)
    {
    }

    BOOL IsAborted() const { return m_bAborted; }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        AfxWriteCollectionCount(ar, static_cast<INT_PTR>(m_nCells));
        INT_PTR nIndex = 0;
        for (INT_PTR i = 0; i < m_spans.rowStarts.GetSize(); ++i)
            for (ROWCOL nRow = m_spans.rowStarts[i];; ++nRow)
            {
                for (INT_PTR j = 0; j < m_spans.colStarts.GetSize(); ++j)
                    for (ROWCOL nCol = m_spans.colStarts[j];; ++nCol)
                    {
                        WriteCell(ar, nRow, nCol);
                        ++nIndex;
                        if (m_operation.IsTimeElapsed())
                        {
                            CGXLongOperation::SetPercentDone(
                                static_cast<int>(nIndex * 100LL / static_cast<LONGLONG>(m_nCells)));
                            BOOL bAbort = FALSE;
                            m_operation.DoMessagesCheckAbort(bAbort);
                            if (bAbort)
                            {
                                m_bAborted = TRUE;
                                return;
                            }
                        }
                        if (nCol == m_spans.colEnds[j])
                            break;
                    }
                if (nRow == m_spans.rowEnds[i])
                    break;
            }
    }

private:
    void WriteCell(CArchive& ar, ROWCOL nRow, ROWCOL nCol)
    {
        std::unique_ptr<CGXStyle, PoolReturn> pStyle(m_pGrid->NewStyle(), PoolReturn{m_pGrid});
        if (!m_pGrid->GetStyleForCopy(nRow, nCol, *pStyle, m_bComposed))
        {
            ar << static_cast<const CObject*>(nullptr);
            return;
        }
        // The pool hands the same style out again (or the heap its address): the archive must not
        // take the next cell's style, or its font, for this one.
        ar.BeginTemporaryObjects();
        ar << static_cast<const CObject*>(pStyle.get());
        ar.ForgetTemporaryObjects();
    }

    struct PoolReturn
    {
        CGXGridCore* pGrid;
        void operator()(CGXStyle* pStyle) const { pGrid->RecycleStyle(pStyle); }
    };

    CGXGridCore* m_pGrid;
    const GXRangeSpans& m_spans;
    BOOL m_bComposed;
    CGXLongOperation& m_operation;
    unsigned long long m_nCells;
    BOOL m_bAborted = FALSE;
};

void ShowRangeTooBig()
{
    AfxMessageBox("Range too big.", MB_OK);
}

} // namespace

BOOL CGXGridStyleDataExchangeImp::GetStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style,
                                                  BOOL bComposed)
{
    if (bComposed)
    {
        pGrid->BuildEffectiveStyle(nRow, nCol, style, TRUE);
        return TRUE;
    }
    const int nType = (pGrid->m_nClipboardFlags & GX_CLIP_STYLETYPE) != 0 ? pGrid->m_nDefaultStyleType : 0;
    return pGrid->GetStoredStyleRowCol(nRow, nCol, style, gxCopy, nType);
}

BOOL CGXGridStyleDataExchangeImp::CopyStylesToArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& ranges,
                                                      BOOL bComposed)
{
    GXRangeSpans spans;
    spans.Build(pGrid, ranges);
    const unsigned long long nCells = static_cast<unsigned long long>(spans.nRows) * spans.nCols;

    CGXLongOperation operation;
    operation.SetStatusText(pGrid->GetAppData()->GetOperationText(GX_IDS_COPYINGINTERNAL), FALSE);
    StylesMapScope scope(ar, pGrid->GetStylesMap());

    ar << static_cast<DWORD>(spans.nRows) << static_cast<DWORD>(spans.nCols);
    // No cell is nothing to copy, not a block too big.
    if (nCells == 0)
        return FALSE;
    if (nCells > kMaxCopyCells || spans.nRows > kMaxCopyLines || spans.nCols > kMaxCopyLines)
    {
        ShowRangeTooBig();
        return FALSE;
    }

    CellStylesWriter writer(pGrid, spans, bComposed, operation, nCells);
    ar.WriteObject(&writer);
    const BOOL bAborted = writer.IsAborted();
    pGrid->m_nLastCopyRows = spans.nRows;
    pGrid->m_nLastCopyCols = spans.nCols;
    return !bAborted;
}

BOOL CGXGridStyleDataExchangeImp::PasteStylesFromArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target,
                                                         BOOL bNoSizeCheck)
{
    StylesMapScope scope(ar, pGrid->GetStylesMap());
    DWORD nRows = 0;
    DWORD nCols = 0;
    ar >> nRows >> nCols;
    // Data from the clipboard is anyone's: its sizes must make a block the grid can hold.
    if (nRows < 1 || nCols < 1 || nRows > kMaxCopyLines || nCols > kMaxCopyLines ||
        static_cast<unsigned long long>(nRows) * nCols > kMaxCopyCells || !target.IsValid())
        return FALSE;
    std::unique_ptr<CObArray, void (*)(CObArray*)> pArray(nullptr, DeleteStyleArray);
    {
        CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CObArray));
        if (pObject == nullptr)
            return FALSE;
        pArray.reset(static_cast<CObArray*>(pObject));
    }
    const INT_PTR nCells = static_cast<INT_PTR>(nRows) * static_cast<INT_PTR>(nCols);
    if (pArray->GetSize() != nCells)
        return FALSE;
    for (INT_PTR i = 0; i < nCells; ++i)
    {
        CObject* pEntry = pArray->GetAt(i);
        if (pEntry != nullptr && !pEntry->IsKindOf(RUNTIME_CLASS(CGXStyle)))
            return FALSE;
    }

    CGXRange dest(target.top, target.left, target.top + nRows - 1, target.left + nCols - 1);
    if (!bNoSizeCheck && (dest.bottom != target.bottom || dest.right != target.right) &&
        !pGrid->ConfirmSizeMismatch())
        return FALSE;

    CGXAppData* pAppData = pGrid->GetAppData();
    pGrid->BeginTrans(pAppData->GetOperationText(GX_IDS_PASTE));
    CGXLongOperation operation;
    operation.SetStatusText(pAppData->GetOperationText(GX_IDS_PASTINGDATA), FALSE);
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(TRUE);
    pGrid->TransferCurrentCellValue(TRUE);

    const DWORD dwFlags = pGrid->m_nClipboardFlags;
    if (dest.bottom > pGrid->GetRowCount() && (dwFlags & GX_CLIP_NOADDROWS) == 0)
        pGrid->SetRowCount(dest.bottom, GX_SMART);
    if (dest.bottom > pGrid->GetRowCount())
        dest.bottom = pGrid->GetRowCount();
    if (dest.right > pGrid->GetColCount() && (dwFlags & GX_CLIP_NOADDCOLS) == 0)
        pGrid->SetColCount(dest.right, GX_SMART);
    if (dest.right > pGrid->GetColCount())
    {
        // Keep, row by row, only the entries of the columns the grid has.
        const ROWCOL nKeepCols = pGrid->GetColCount() >= dest.left ? pGrid->GetColCount() - dest.left + 1 : 0;
        std::unique_ptr<CObArray, void (*)(CObArray*)> pKept(new CObArray, DeleteStyleArray);
        for (DWORD r = 0; r < nRows; ++r)
            for (DWORD c = 0; c < nCols; ++c)
            {
                CObject* pEntry = pArray->GetAt(static_cast<INT_PTR>(r) * nCols + c);
                if (c < nKeepCols)
                {
                    pKept->Add(pEntry);
                    pArray->SetAt(static_cast<INT_PTR>(r) * nCols + c, nullptr);
                }
            }
        pArray = std::move(pKept);
        dest.right = pGrid->GetColCount();
    }

    BOOL bResult = FALSE;
    if (dest.top <= pGrid->GetRowCount() && dest.left <= pGrid->GetColCount() && dest.top <= dest.bottom &&
        dest.left <= dest.right)
    {
        // The store answers whether anything changed; a block equal to what the cells hold is no failure.
        pGrid->SetStyleRange(dest, nullptr, gxCopy, pGrid->m_nDefaultStyleType, pArray.get(), GX_SMART, 0);
        bResult = TRUE;
    }
    if (bResult && !(CGXLongOperation::GetAbortState() && CGXLongOperation::GetRollbackConfirmedState()))
        pGrid->CommitTrans();
    else
    {
        pGrid->Rollback();
        bResult = FALSE;
    }
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    pGrid->Recalc(TRUE, nullptr, TRUE);
    return bResult;
}

void CGXGridCore::InstallStyleDataExchange()
{
    if (m_pStyleDataExchangeImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridStyleDataExchangeImp;
    if (pImp == nullptr)
        return;
    m_pStyleDataExchangeImp = pImp;
    AddImplementationObject(pImp);
}
