#include "grid/core/Data.h"

#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"

#include <algorithm>
#include <string>
#include <unordered_map>

// ---- Style pointer arrays ----

template <class TOwned>
void CGXOwningPtrArray<TOwned>::DeleteRange(INT_PTR nFrom, INT_PTR nCount)
{
    if (nFrom < 0 || nCount <= 0 || nFrom >= GetSize())
        return;
    const INT_PTR nExisting = std::min(nCount, GetSize() - nFrom);
    for (INT_PTR i = nFrom; i < nFrom + nExisting; ++i)
        delete GetOwnedAt(i);
    RemoveAt(nFrom, nExisting);
}

template <class TOwned>
void CGXOwningPtrArray<TOwned>::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetOwnedAt(i);
    RemoveAll();
}

// The moved block starts at nDest in the final array; entries beyond the end count as NULL.
template <class TOwned>
void CGXOwningPtrArray<TOwned>::MoveRange(INT_PTR nSrc, INT_PTR nCount, INT_PTR nDest)
{
    const INT_PTR nSize = GetSize();
    if (nDest == nSrc || nCount <= 0 || nSrc < 0 || nDest < 0 || (nSrc >= nSize && nDest >= nSize))
        return;
    INT_PTR nGap;
    if (nDest < nSrc)
    {
        nGap = nDest;
        InsertAt(nGap, static_cast<void*>(nullptr), nCount);
        nSrc += nCount;
    }
    else
    {
        nGap = nDest + nCount;
        InsertAt(nGap, static_cast<void*>(nullptr), nCount);
    }
    const INT_PTR nExisting = std::max<INT_PTR>(0, std::min(nCount, GetSize() - nSrc));
    for (INT_PTR i = 0; i < nExisting; ++i)
        SetAt(nGap + i, GetAt(nSrc + i));
    if (nExisting > 0)
        RemoveAt(nSrc, nExisting);
}

template <class TOwned>
void CGXOwningPtrArray<TOwned>::InsertEmpty(INT_PTR nIndex, INT_PTR nCount)
{
    // Entries past the end already read as NULL: nothing to shift there.
    if (nCount <= 0 || nIndex < 0 || nIndex >= GetSize())
        return;
    InsertAt(nIndex, static_cast<void*>(nullptr), nCount);
}

template <class TOwned>
void CGXOwningPtrArray<TOwned>::EnsureIndex(INT_PTR nIndex)
{
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
}

template class CGXOwningPtrArray<CGXStyle>;
template class CGXOwningPtrArray<CGXStylePtrArray>;

void CGXStylePtrArray::CopyFrom(const CGXStylePtrArray& other)
{
    if (&other == this)
        return;
    DeleteAll();
    SetSize(other.GetSize());
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        if (const CGXStyle* pStyle = other.GetStyleAt(i))
            SetAt(i, pStyle->Clone());
}

void CGXStylePtrArrayPtrArray::CopyFrom(const CGXStylePtrArrayPtrArray& other)
{
    if (&other == this)
        return;
    DeleteAll();
    SetSize(other.GetSize());
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        if (const CGXStylePtrArray* pRow = other.GetRowAt(i))
        {
            CGXStylePtrArray* pCopy = new CGXStylePtrArray;
            SetAt(i, pCopy);
            pCopy->CopyFrom(*pRow);
        }
}

void CGXStylePtrArray::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = GXGetLibraryLinks().pDocSerializeImp)
        pImp->SerializeStyleArray(*this, ar);
}

void CGXStylePtrArrayPtrArray::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = GXGetLibraryLinks().pDocSerializeImp)
        pImp->SerializeStyleRows(*this, ar);
}

// ---- CGXData ----

IMPLEMENT_SERIAL(CGXData, CObject, 0)

CGXData::CGXData() : m_pAppData(GXGetAppData())
{
}

CGXData::~CGXData()
{
    // Members go after this, but a subclass's override must not run from here.
    CGXData::DeleteContents();
}

void CGXData::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = m_pAppData->m_links.pDocSerializeImp)
        pImp->SerializeData(*this, ar);
}

void CGXData::DeleteContents()
{
    m_apRowBaseStyles.DeleteAll();
    m_apColBaseStyles.DeleteAll();
    m_apapCellStyles.DeleteAll();
}

CGXData& CGXData::operator=(const CGXData& other)
{
    if (&other == this)
        return *this;
    m_nRows = other.m_nRows;
    m_nCols = other.m_nCols;
    m_apRowBaseStyles.CopyFrom(other.m_apRowBaseStyles);
    m_apColBaseStyles.CopyFrom(other.m_apColBaseStyles);
    m_apapCellStyles.CopyFrom(other.m_apapCellStyles);
    return *this;
}

void CGXData::InitParam(CGXGridParam*)
{
}

ROWCOL CGXData::GetRowCount()
{
    return m_nRows;
}

ROWCOL CGXData::GetColCount()
{
    return m_nCols;
}

BOOL CGXData::SetRowCount(ROWCOL nRows, UINT nFlags)
{
    const ROWCOL nOld = GetRowCount();
    if (nRows < nOld)
        RemoveRows(nRows + 1, nOld, nFlags);
    else if (nRows > nOld)
        return InsertRows(nOld + 1, nRows - nOld, nFlags);
    return TRUE;
}

BOOL CGXData::SetColCount(ROWCOL nCols, UINT nFlags)
{
    const ROWCOL nOld = GetColCount();
    if (nCols < nOld)
        RemoveCols(nCols + 1, nOld, nFlags);
    else if (nCols > nOld)
        return InsertCols(nOld + 1, nCols - nOld, nFlags);
    return TRUE;
}

BOOL CGXData::InsertRows(ROWCOL nRow, ROWCOL nCount, UINT)
{
    // The count must not wrap past the largest index.
    if (nCount > GX_MAXROWCOL - m_nRows)
        return FALSE;
    m_apRowBaseStyles.InsertEmpty(nRow, nCount);
    m_apapCellStyles.InsertEmpty(nRow, nCount);
    m_nRows += nCount;
    return TRUE;
}

BOOL CGXData::InsertCols(ROWCOL nCol, ROWCOL nCount, UINT)
{
    if (nCount > GX_MAXROWCOL - m_nCols)
        return FALSE;
    m_apColBaseStyles.InsertEmpty(nCol, nCount);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyles.GetSize(); ++nRow)
        if (CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow))
            pRow->InsertEmpty(nCol, nCount);
    m_nCols += nCount;
    return TRUE;
}

namespace
{
// How many of the counted rows (or columns) 1..nCount lie in nFrom..nTo. The end may lie beyond
// the count: only the rows that exist are taken off, so the count stays right.
ROWCOL CountedInRange(ROWCOL nFrom, ROWCOL nTo, ROWCOL nCount)
{
    const ROWCOL nFirst = std::max<ROWCOL>(nFrom, 1);
    const ROWCOL nLast = std::min(nTo, nCount);
    return nLast >= nFirst ? nLast - nFirst + 1 : 0;
}
} // namespace

BOOL CGXData::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT)
{
    if (nFromRow > m_nRows || nToRow < nFromRow)
        return TRUE;
    const INT_PTR nEntries = static_cast<INT_PTR>(nToRow) - static_cast<INT_PTR>(nFromRow) + 1;
    m_apRowBaseStyles.DeleteRange(nFromRow, nEntries);
    m_apapCellStyles.DeleteRange(nFromRow, nEntries);
    m_nRows -= CountedInRange(nFromRow, nToRow, m_nRows);
    return TRUE;
}

BOOL CGXData::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT)
{
    if (nFromCol > m_nCols || nToCol < nFromCol)
        return TRUE;
    const INT_PTR nEntries = static_cast<INT_PTR>(nToCol) - static_cast<INT_PTR>(nFromCol) + 1;
    m_apColBaseStyles.DeleteRange(nFromCol, nEntries);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyles.GetSize(); ++nRow)
        if (CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow))
            pRow->DeleteRange(nFromCol, nEntries);
    m_nCols -= CountedInRange(nFromCol, nToCol, m_nCols);
    return TRUE;
}

BOOL CGXData::MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT)
{
    if (nToRow < nFromRow)
        return TRUE;
    const INT_PTR nCount = static_cast<INT_PTR>(nToRow) - static_cast<INT_PTR>(nFromRow) + 1;
    m_apRowBaseStyles.MoveRange(nFromRow, nCount, nDestRow);
    m_apapCellStyles.MoveRange(nFromRow, nCount, nDestRow);
    return TRUE;
}

BOOL CGXData::MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT)
{
    if (nToCol < nFromCol)
        return TRUE;
    const INT_PTR nCount = static_cast<INT_PTR>(nToCol) - static_cast<INT_PTR>(nFromCol) + 1;
    m_apColBaseStyles.MoveRange(nFromCol, nCount, nDestCol);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyles.GetSize(); ++nRow)
        if (CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow))
            pRow->MoveRange(nFromCol, nCount, nDestCol);
    return TRUE;
}

BOOL CGXData::CopyCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT)
{
    CGXAbstractDataCopyMoveCellsImp* pImp = m_pAppData->m_pDataCopyMoveCellsImp;
    return pImp != nullptr ? pImp->CopyCells(*this, range, nToRow, nToCol) : FALSE;
}

BOOL CGXData::MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT)
{
    return MoveCells(range, nToRow, nToCol, static_cast<CObject**>(nullptr), FALSE);
}

BOOL CGXData::MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                        BOOL bCreateUndoInfo)
{
    CGXAbstractDataCopyMoveCellsImp* pImp = m_pAppData->m_pDataCopyMoveCellsImp;
    return pImp != nullptr ? pImp->MoveCells(*this, range, nToRow, nToCol, ppUndoInfo, bCreateUndoInfo) : FALSE;
}

BOOL CGXData::MoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow)
{
    CGXAbstractSortMoveDataImp* pImp = m_pAppData->m_pSortMoveDataImp;
    return pImp != nullptr ? pImp->MoveDataRows(*this, awRowIndex, nStartRow) : FALSE;
}

BOOL CGXData::MoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol)
{
    CGXAbstractSortMoveDataImp* pImp = m_pAppData->m_pSortMoveDataImp;
    return pImp != nullptr ? pImp->MoveDataCols(*this, awColIndex, nStartCol) : FALSE;
}

LPCTSTR CGXData::GetValueRowCol(ROWCOL, ROWCOL)
{
    m_styleScratch1.SetIncludeValue(FALSE);
    return nullptr;
}

BOOL CGXData::DetectDateValue(const CGXStyle& style, GXModifyType mode, int nType) const
{
    CGXAbstractDateTimeImp* pImp = m_pAppData->m_pDateTimeImp;
    if (pImp == nullptr || mode == gxExclude || nType != gxDetectValueType || !style.GetIncludeValue() ||
        style.GetValueType() == GX_VT_NUMERIC)
        return FALSE;
    double dValue = 0;
    std::unordered_map<std::string, bool>* pMemo = m_pAppData->m_pDateTestMemo;
    if (pMemo == nullptr)
        return pImp->ParseDateTime(style.GetValue(), dValue);
    const std::string text(style.GetValue());
    const auto found = pMemo->find(text);
    if (found != pMemo->end())
        return found->second;
    const BOOL bDate = pImp->ParseDateTime(style.GetValue(), dValue);
    if (pMemo->size() < CGXDateTestMemoScope::MaxTexts)
        pMemo->emplace(text, bDate != FALSE);
    return bDate;
}

BOOL CGXData::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType)
{
    // The counts follow every store, also one that then stores nothing.
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);

    if (nType == gxBaseStyleType)
    {
        CGXStylePtrArray& bases = nRow == 0 ? m_apColBaseStyles : m_apRowBaseStyles;
        const INT_PTR nIndex = nRow == 0 ? nCol : nRow;
        CGXStyle* pStored = bases.GetStyleAt(nIndex);
        if (pStyle == nullptr)
        {
            if (pStored != nullptr)
            {
                delete pStored;
                bases.SetAt(nIndex, nullptr);
            }
        }
        else if (pStored != nullptr)
            pStored->ApplyStyle(*pStyle, mode);
        else if (mode != gxExclude)
        {
            bases.EnsureIndex(nIndex);
            bases.SetAt(nIndex, pStyle->Clone());
        }
        return TRUE;
    }

    if (pStyle == nullptr)
    {
        CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow);
        if (pRow != nullptr && static_cast<INT_PTR>(nCol) < pRow->GetSize())
        {
            delete pRow->GetStyleAt(nCol);
            pRow->SetAt(nCol, nullptr);
        }
        return TRUE;
    }

    if (static_cast<INT_PTR>(nRow) >= m_apapCellStyles.GetSize())
        m_apapCellStyles.SetSize(static_cast<INT_PTR>(m_nRows) + 1);
    CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow);
    if (pRow == nullptr)
    {
        pRow = new CGXStylePtrArray;
        m_apapCellStyles.SetAt(nRow, pRow);
    }
    if (static_cast<INT_PTR>(nCol) >= pRow->GetSize())
        pRow->SetSize(static_cast<INT_PTR>(m_nCols) + 1);

    const BOOL bDateValue = DetectDateValue(*pStyle, mode, nType);
    CGXStyle* pStored = pRow->GetStyleAt(nCol);
    if (pStored != nullptr)
        pStored->ApplyStyle(*pStyle, mode);
    else if (mode != gxExclude)
    {
        pStored = pStyle->Clone();
        pRow->SetAt(nCol, pStored);
    }
    if (pStored != nullptr && bDateValue)
        pStored->SetValueType(GX_VT_NUMERIC);
    return TRUE;
}

BOOL CGXData::GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType)
{
    if (nRow > GetRowCount() || nCol > GetColCount())
        return FALSE;
    const CGXStyle* pStored;
    if (nType == gxBaseStyleType)
        pStored = nRow == 0 ? m_apColBaseStyles.GetStyleAt(nCol) : m_apRowBaseStyles.GetStyleAt(nRow);
    else
    {
        const CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow);
        pStored = pRow != nullptr ? pRow->GetStyleAt(nCol) : nullptr;
    }
    if (pStored == nullptr)
        return FALSE;
    if (mode == gxCopy)
        style = *pStored;
    else
        style.ApplyStyle(*pStored, mode);
    return TRUE;
}

CGXGridCore* CGXData::GetGrid() const
{
    return m_pAppData->GetFirstGridUser(this);
}
