#include "grid/features/SpanCellPool.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCollections.h"
#include "grid/core/Range.h"

#include <algorithm>
#include <new>

namespace
{
// Rows and columns of a span are unsigned 32-bit numbers below this limit.
const ROWCOL kMaxIndex = 0x7FFFFFFF;
// An archive never holds more lines or entries than there are rows or columns.
const DWORD kMaxArchiveCount = 0x80000000;
// The table of lines is dense up to the last line loaded: a line index beyond this (a table of more
// than 128 MB of pointers) is taken as damage, not made.
const DWORD kMaxLoadedLines = 0x01000000;

// Moves the entries first..last so that the first lands at nDest, numbered after the move;
// entries the array does not hold count as empty and are added as such where the move needs them.
// Nothing happens when the array reaches neither the moved block nor the destination.
template <class Array, class Value>
void MoveEntries(Array& array, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, Value empty)
{
    if (nDest == nFirst || nLast < nFirst)
        return;
    const INT_PTR nSize = array.GetSize();
    if (nSize <= static_cast<INT_PTR>(nFirst) && nSize <= static_cast<INT_PTR>(nDest))
        return;
    const INT_PTR nCount = static_cast<INT_PTR>(nLast) - nFirst + 1;
    const INT_PTR nEnd = nDest < nFirst ? static_cast<INT_PTR>(nLast) + 1 : static_cast<INT_PTR>(nDest) + nCount;
    if (nEnd > nSize)
        array.InsertAt(nSize, empty, nEnd - nSize);
    auto* p = array.GetData();
    if (nDest < nFirst)
        std::rotate(p + nDest, p + nFirst, p + nLast + 1);
    else
        std::rotate(p + nFirst, p + nLast + 1, p + nEnd);
}

// Stores or clears the span of lines first..last (outer) from inner index nFirstInner to
// nLastInner in one table.
BOOL SetSpanInTable(CGXDWordArrayPtrArray& table, ROWCOL nFirstOuter, ROWCOL nFirstInner, ROWCOL nLastOuter,
                    ROWCOL nLastInner, BOOL bSet)
{
    // A span one index long has no place in this table.
    if (bSet && nFirstInner == nLastInner)
        return FALSE;
    BOOL bChanged = FALSE;
    for (ROWCOL nOuter = nFirstOuter; nOuter <= nLastOuter; ++nOuter)
    {
        CDWordArray* pLine = table.GetLine(nOuter);
        if (pLine == nullptr)
        {
            if (!bSet)
                continue;
            pLine = &table.EnsureLine(nOuter);
        }
        CDWordArray& line = *pLine;
        const INT_PTR nSize = line.GetSize();
        const DWORD old = static_cast<INT_PTR>(nFirstInner) < nSize ? line[nFirstInner] : GX_NOSPAN;
        if (!bSet)
        {
            if (old == GX_NOSPAN)
                continue;
            for (INT_PTR i = nFirstInner; i < nSize && line[i] == old; ++i)
                line[i] = GX_NOSPAN;
            bChanged = TRUE;
            continue;
        }
        if (nSize <= static_cast<INT_PTR>(nLastInner))
            line.InsertAt(nSize, GX_NOSPAN, static_cast<INT_PTR>(nLastInner) + 1 - nSize);
        for (ROWCOL i = nFirstInner; i <= nLastInner; ++i)
            line[i] = nFirstInner;
        // What is left of an older, longer span that began at the same place goes.
        if (old != GX_NOSPAN)
            for (INT_PTR i = static_cast<INT_PTR>(nLastInner) + 1; i < line.GetSize() && line[i] == old; ++i)
                line[i] = GX_NOSPAN;
        bChanged = TRUE;
    }
    return bChanged;
}

// The span of the cell in one table: its first and last inner index.
BOOL FindSpanInTable(const CGXDWordArrayPtrArray& table, ROWCOL nOuter, ROWCOL nInner, ROWCOL& nFirst,
                     ROWCOL& nLast)
{
    const CDWordArray* pLine = table.GetLine(nOuter);
    if (pLine == nullptr || static_cast<INT_PTR>(nInner) >= pLine->GetSize())
        return FALSE;
    const DWORD first = pLine->GetAt(nInner);
    if (first == GX_NOSPAN)
        return FALSE;
    INT_PTR nEnd = nInner;
    while (nEnd + 1 < pLine->GetSize() && pLine->GetAt(nEnd + 1) == first)
        ++nEnd;
    nFirst = first;
    nLast = static_cast<ROWCOL>(nEnd);
    return TRUE;
}

// Opens nCount lines at nIndex (when it lies inside the table) and nCount empty entries at nIndex
// of every line of the other table that reaches it.
void InsertInTables(CGXDWordArrayPtrArray& lines, CGXDWordArrayPtrArray& entries, ROWCOL nIndex, ROWCOL nCount)
{
    if (static_cast<INT_PTR>(nIndex) < lines.GetSize())
        lines.InsertAt(nIndex, nullptr, nCount);
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        if (CDWordArray* pLine = entries.GetLine(static_cast<ROWCOL>(i)))
            if (static_cast<INT_PTR>(nIndex) < pLine->GetSize())
                pLine->InsertAt(nIndex, GX_NOSPAN, nCount);
}

void RemoveFromTables(CGXDWordArrayPtrArray& lines, CGXDWordArrayPtrArray& entries, ROWCOL nFrom, ROWCOL nTo)
{
    if (nTo < nFrom)
        return;
    lines.RemoveLines(nFrom, nTo);
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        CDWordArray* pLine = entries.GetLine(static_cast<ROWCOL>(i));
        if (pLine == nullptr || pLine->GetSize() <= static_cast<INT_PTR>(nFrom))
            continue;
        const INT_PTR nLast = std::min<INT_PTR>(nTo, pLine->GetSize() - 1);
        pLine->RemoveAt(nFrom, nLast - nFrom + 1);
    }
}

void MoveInTables(CGXDWordArrayPtrArray& lines, CGXDWordArrayPtrArray& entries, ROWCOL nFrom, ROWCOL nTo,
                  ROWCOL nDest)
{
    if (nFrom > kMaxIndex || nTo > kMaxIndex || nDest > kMaxIndex || nTo < nFrom ||
        static_cast<ULONGLONG>(nDest) + (nTo - nFrom) > kMaxIndex)
        return;
    MoveEntries(lines, nFrom, nTo, nDest, static_cast<void*>(nullptr));
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        if (CDWordArray* pLine = entries.GetLine(static_cast<ROWCOL>(i)))
            MoveEntries(*pLine, nFrom, nTo, nDest, GX_NOSPAN);
}
} // namespace

// ---- CGXDWordArrayPtrArray ----

IMPLEMENT_DYNAMIC(CGXDWordArrayPtrArray, CPtrArray)

CGXDWordArrayPtrArray::~CGXDWordArrayPtrArray()
{
    DeleteAll();
}

CDWordArray* CGXDWordArrayPtrArray::GetLine(ROWCOL nIndex) const
{
    if (static_cast<INT_PTR>(nIndex) >= GetSize())
        return nullptr;
    return static_cast<CDWordArray*>(const_cast<void*>(static_cast<const void*>(GetAt(nIndex))));
}

CDWordArray& CGXDWordArrayPtrArray::EnsureLine(ROWCOL nIndex)
{
    if (CDWordArray* pLine = GetLine(nIndex))
        return *pLine;
    CDWordArray* pLine = new CDWordArray;
    try
    {
        SetAtGrow(nIndex, pLine);
    }
    catch (...)
    {
        delete pLine;
        throw;
    }
    return *pLine;
}

void CGXDWordArrayPtrArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete static_cast<CDWordArray*>(GetAt(i));
    RemoveAll();
}

void CGXDWordArrayPtrArray::RemoveLines(ROWCOL nFirst, ROWCOL nLast)
{
    if (static_cast<INT_PTR>(nFirst) >= GetSize() || nLast < nFirst)
        return;
    const INT_PTR nEnd = std::min<INT_PTR>(nLast, GetSize() - 1);
    for (INT_PTR i = nFirst; i <= nEnd; ++i)
        delete static_cast<CDWordArray*>(GetAt(i));
    RemoveAt(nFirst, nEnd - nFirst + 1);
}

CGXDWordArrayPtrArray& CGXDWordArrayPtrArray::operator=(const CGXDWordArrayPtrArray& other)
{
    if (&other == this)
        return *this;
    DeleteAll();
    SetSize(other.GetSize());
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        if (const CDWordArray* pLine = other.GetLine(static_cast<ROWCOL>(i)))
        {
            CDWordArray* pCopy = new CDWordArray;
            SetAt(i, pCopy);
            pCopy->Copy(*pLine);
        }
    return *this;
}

void CGXDWordArrayPtrArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<WORD>(1);
        ar << static_cast<DWORD>(GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const CDWordArray* pLine = GetLine(static_cast<ROWCOL>(i));
            if (pLine == nullptr)
                continue;
            ar << static_cast<DWORD>(i);
            ar.WriteCount(static_cast<DWORD_PTR>(pLine->GetSize()));
            for (INT_PTR j = 0; j < pLine->GetSize(); ++j)
                ar << pLine->GetAt(j);
        }
        ar << static_cast<DWORD>(0xFFFFFFFF);
        return;
    }

    WORD nVersion = 0;
    ar >> nVersion;
    if (nVersion != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD nLines = 0;
    ar >> nLines;
    if (nLines > kMaxArchiveCount)
        AfxThrowArchiveException(CArchiveException::badSchema);
    // Read into a table of its own: a refused archive leaves this one as it was. Lines past the last
    // one stored are not made: a missing line means the same, and a damaged count cannot make the
    // table take gigabytes of empty entries.
    CGXDWordArrayPtrArray loaded;
    for (;;)
    {
        DWORD nIndex = 0;
        ar >> nIndex;
        if (nIndex == 0xFFFFFFFF)
            break;
        if (nIndex >= nLines || nIndex >= kMaxLoadedLines)
            AfxThrowArchiveException(CArchiveException::badSchema);
        const DWORD_PTR nCount = ar.ReadCount();
        if (nCount > kMaxArchiveCount)
            AfxThrowArchiveException(CArchiveException::badSchema);
        GXCheckArchiveCount(ar, nCount, sizeof(DWORD));
        // A line stored twice keeps the later one.
        CDWordArray& line = loaded.EnsureLine(nIndex);
        line.SetSize(static_cast<INT_PTR>(nCount));
        for (INT_PTR j = 0; j < line.GetSize(); ++j)
            ar >> line[j];
    }
    DeleteAll();
    SetSize(loaded.GetSize());
    for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
        SetAt(i, loaded.GetAt(i));
    loaded.RemoveAll();
}

// ---- CGXSpanCellPool ----

IMPLEMENT_SERIAL(CGXSpanCellPool, CObject, 1)

BOOL CGXSpanCellPool::GetSpanCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range) const
{
    if (nRow > kMaxIndex || nCol > kMaxIndex)
        return FALSE;
    BOOL bFound = FALSE;
    ROWCOL nFirst = 0;
    ROWCOL nLast = 0;
    if (FindSpanInTable(m_horz, nRow, nCol, nFirst, nLast))
    {
        range.left = nFirst;
        range.right = nLast;
        bFound = TRUE;
    }
    if (FindSpanInTable(m_vert, nCol, nRow, nFirst, nLast))
    {
        range.top = nFirst;
        range.bottom = nLast;
        bFound = TRUE;
    }
    return bFound;
}

BOOL CGXSpanCellPool::SetSpanCellsRowCol(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bSet)
{
    if (nBottom > kMaxIndex || nRight > kMaxIndex || nBottom < nTop || nRight < nLeft)
        return FALSE;
    try
    {
        const BOOL bHorz = SetSpanInTable(m_horz, nTop, nLeft, nBottom, nRight, bSet);
        const BOOL bVert = SetSpanInTable(m_vert, nLeft, nTop, nRight, nBottom, bSet);
        return bHorz || bVert;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return FALSE;
}

BOOL CGXSpanCellPool::InsertRows(ROWCOL nRow, ROWCOL nCount)
{
    if ((m_horz.IsEmpty() && m_vert.IsEmpty()) || static_cast<ULONGLONG>(nRow) + nCount > kMaxIndex)
        return FALSE;
    InsertInTables(m_horz, m_vert, nRow, nCount);
    return TRUE;
}

void CGXSpanCellPool::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow)
{
    RemoveFromTables(m_horz, m_vert, nFromRow, nToRow);
}

void CGXSpanCellPool::MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    MoveInTables(m_horz, m_vert, nFromRow, nToRow, nDestRow);
}

BOOL CGXSpanCellPool::InsertCols(ROWCOL nCol, ROWCOL nCount)
{
    if ((m_horz.IsEmpty() && m_vert.IsEmpty()) || static_cast<ULONGLONG>(nCol) + nCount > kMaxIndex)
        return FALSE;
    InsertInTables(m_vert, m_horz, nCol, nCount);
    return TRUE;
}

void CGXSpanCellPool::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol)
{
    RemoveFromTables(m_vert, m_horz, nFromCol, nToCol);
}

void CGXSpanCellPool::MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    MoveInTables(m_vert, m_horz, nFromCol, nToCol, nDestCol);
}

CGXSpanCellPool& CGXSpanCellPool::operator=(const CGXSpanCellPool& other)
{
    if (&other != this)
    {
        m_horz = other.m_horz;
        m_vert = other.m_vert;
    }
    return *this;
}

void CGXSpanCellPool::GetSpans(CArray<CGXRange, const CGXRange&>& spans) const
{
    spans.RemoveAll();
    auto runs = [&](const CGXDWordArrayPtrArray& table, BOOL bRows) {
        for (INT_PTR nLine = 0; nLine < table.GetSize(); ++nLine)
        {
            const CDWordArray* pLine = table.GetLine(static_cast<ROWCOL>(nLine));
            if (pLine == nullptr)
                continue;
            for (INT_PTR i = 0; i < pLine->GetSize();)
            {
                const DWORD first = pLine->GetAt(i);
                INT_PTR nEnd = i;
                while (nEnd + 1 < pLine->GetSize() && pLine->GetAt(nEnd + 1) == first)
                    ++nEnd;
                if (first != GX_NOSPAN)
                {
                    const ROWCOL nOuter = static_cast<ROWCOL>(nLine);
                    spans.Add(bRows ? CGXRange(nOuter, static_cast<ROWCOL>(i), nOuter, static_cast<ROWCOL>(nEnd))
                                    : CGXRange(static_cast<ROWCOL>(i), nOuter, static_cast<ROWCOL>(nEnd), nOuter));
                }
                i = nEnd + 1;
            }
        }
    };
    runs(m_horz, TRUE);
    runs(m_vert, FALSE);
}

void CGXSpanCellPool::Serialize(CArchive& ar)
{
    m_horz.Serialize(ar);
    m_vert.Serialize(ar);
}

CGXSpanCellPool* GXAsSpanCellPool(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXSpanCellPool))
               ? static_cast<CGXSpanCellPool*>(pObject)
               : nullptr;
}

const CGXSpanCellPool* GXAsSpanCellPool(const CObject* pObject)
{
    return GXAsSpanCellPool(const_cast<CObject*>(pObject));
}

// ---- CGXSpanCellPoolImp ----

CObject* CGXSpanCellPoolImp::CreateCopy(const CObject* pSource)
{
    CGXSpanCellPool* pPool = new CGXSpanCellPool;
    if (const CGXSpanCellPool* pSourcePool = GXAsSpanCellPool(pSource))
    {
        try
        {
            *pPool = *pSourcePool;
        }
        catch (...)
        {
            delete pPool;
            throw;
        }
    }
    return pPool;
}

CObject* CGXSpanCellPoolImp::CreatePool()
{
    return new CGXSpanCellPool;
}

void CGXSpanCellPoolImp::CopyPool(CObject* pDest, const CObject* pSource)
{
    CGXSpanCellPool* pDestPool = GXAsSpanCellPool(pDest);
    const CGXSpanCellPool* pSourcePool = GXAsSpanCellPool(pSource);
    if (pDestPool != nullptr && pSourcePool != nullptr)
        *pDestPool = *pSourcePool;
}

void CGXSpanCellPoolImp::InsertRows(CObject* pPool, ROWCOL nRow, ROWCOL nCount)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->InsertRows(nRow, nCount);
}

void CGXSpanCellPoolImp::RemoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->RemoveRows(nFromRow, nToRow);
}

void CGXSpanCellPoolImp::MoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->MoveRows(nFromRow, nToRow, nDestRow);
}

void CGXSpanCellPoolImp::InsertCols(CObject* pPool, ROWCOL nCol, ROWCOL nCount)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->InsertCols(nCol, nCount);
}

void CGXSpanCellPoolImp::RemoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->RemoveCols(nFromCol, nToCol);
}

void CGXSpanCellPoolImp::MoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    if (CGXSpanCellPool* p = GXAsSpanCellPool(pPool))
        p->MoveCols(nFromCol, nToCol, nDestCol);
}

void InstallSpanCellPoolImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pSpanCellPoolImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXSpanCellPoolImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pSpanCellPoolImp = pImp;
    pAppData->AddOwnedObject(pImp);
}
