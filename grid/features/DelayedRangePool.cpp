#include "grid/features/DelayedRangePool.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCollections.h"

#include <algorithm>
#include <new>

namespace
{
const DWORD kNoColumn = 0xFFFFFFFF;

BOOL IsEmptyBlock(const CGXRange& range)
{
    return range.bottom < range.top || range.right < range.left;
}

// The common cells of two cell blocks; FALSE when they have none.
BOOL IntersectBlocks(const CGXRange& a, const CGXRange& b, CGXRange& result)
{
    result.SetCells(std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
                    std::min(a.right, b.right));
    // SetCells orders the corners: test the unordered ones.
    return std::max(a.top, b.top) <= std::min(a.bottom, b.bottom) &&
           std::max(a.left, b.left) <= std::min(a.right, b.right);
}

BOOL Contains(const CGXRange& outer, const CGXRange& inner)
{
    return outer.top <= inner.top && inner.bottom <= outer.bottom && outer.left <= inner.left &&
           inner.right <= outer.right;
}

BOOL ContainsCell(const CGXRange& block, ROWCOL nRow, ROWCOL nCol)
{
    return block.top <= nRow && nRow <= block.bottom && block.left <= nCol && nCol <= block.right;
}
} // namespace

// ---- CGXDelayedRange ----

IMPLEMENT_SERIAL(CGXDelayedRange, CObject, 1)

CGXDelayedRange& CGXDelayedRange::operator=(const CGXDelayedRange& other)
{
    if (&other != this)
    {
        m_range = other.m_range;
        m_bDone = other.m_bDone;
        m_awStarts.Copy(other.m_awStarts);
        m_awEnds.Copy(other.m_awEnds);
    }
    return *this;
}

void CGXDelayedRange::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_range;
        m_awStarts.Serialize(ar);
        m_awEnds.Serialize(ar);
        return;
    }
    CGXRange range;
    ar >> range;
    CDWordArray starts;
    CDWordArray ends;
    starts.Serialize(ar);
    ends.Serialize(ar);
    // The evaluation walks both arrays by one index.
    if (starts.GetSize() != ends.GetSize())
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_range = range;
    m_awStarts.Copy(starts);
    m_awEnds.Copy(ends);
    m_bDone = 0;
}

void CGXDelayedRange::MarkDone()
{
    m_awStarts.RemoveAll();
    m_awEnds.RemoveAll();
    m_bDone = 1;
}

BOOL CGXDelayedRange::MarkEvaluated(CGXRange& rows)
{
    const INT_PTR nCount = m_awStarts.GetSize();
    INT_PTR i = 0;
    BOOL bChanged = FALSE;
    for (; i < nCount; ++i)
    {
        const DWORD s = m_awStarts[i];
        const DWORD e = m_awEnds[i];
        if (static_cast<ULONGLONG>(e) + 1 < rows.top)
            continue;
        if (s > static_cast<ULONGLONG>(rows.bottom) + 1)
            break;
        if (s <= rows.top && e >= rows.bottom)
            return FALSE;
        if (s <= rows.top)
        {
            m_awEnds[i] = rows.bottom;
            rows.top = e + 1;
        }
        else if (e >= rows.bottom)
        {
            m_awStarts[i] = rows.top;
            rows.bottom = s - 1;
        }
        else
        {
            m_awStarts[i] = rows.top;
            m_awEnds[i] = rows.bottom;
        }
        bChanged = TRUE;
        break;
    }
    if (!bChanged)
    {
        try
        {
            m_awStarts.InsertAt(i, rows.top);
            try
            {
                m_awEnds.InsertAt(i, rows.bottom);
            }
            catch (...)
            {
                m_awStarts.RemoveAt(i);
                throw;
            }
        }
        catch (CException* e)
        {
            // Without memory for the intervals the range is given up.
            e->Delete();
            MarkDone();
            return TRUE;
        }
    }
    // Intervals that now overlap or touch become one.
    for (INT_PTR j = 0; j + 1 < m_awStarts.GetSize();)
    {
        if (static_cast<ULONGLONG>(m_awEnds[j]) + 1 >= m_awStarts[j + 1])
        {
            m_awEnds[j] = std::max(m_awEnds[j], m_awEnds[j + 1]);
            m_awStarts.RemoveAt(j + 1);
            m_awEnds.RemoveAt(j + 1);
        }
        else
            ++j;
    }
    if (m_awStarts.GetSize() == 1 && m_awStarts[0] <= m_range.top && m_awEnds[0] >= m_range.bottom)
        MarkDone();
    return TRUE;
}

// ---- CGXDelayedRangePool ----

IMPLEMENT_SERIAL(CGXDelayedRangePool, CObject, 1)

CGXDelayedRangePool::~CGXDelayedRangePool()
{
    DeleteAll();
}

void CGXDelayedRangePool::DeleteAll()
{
    for (INT_PTR i = 0; i < m_apRanges.GetSize(); ++i)
        delete m_apRanges[i];
    m_apRanges.RemoveAll();
}

void CGXDelayedRangePool::AddRange(const CGXRange& range)
{
    CGXDelayedRange* pReuse = nullptr;
    for (INT_PTR i = 0; i < m_apRanges.GetSize(); ++i)
    {
        CGXDelayedRange* pEntry = GetAt(i);
        if (pEntry->m_bDone)
        {
            pReuse = pEntry;
            continue;
        }
        if (Contains(range, pEntry->m_range))
        {
            pEntry->MarkDone();
            if (pReuse == nullptr)
                pReuse = pEntry;
            continue;
        }
        if (!pEntry->m_awStarts.IsEmpty())
            continue;
        // A pending block without evaluated rows takes what continues it to the right or below.
        CGXRange& pending = pEntry->m_range;
        if (static_cast<ULONGLONG>(pending.right) + 1 == range.left)
            pending.right = range.right;
        if (static_cast<ULONGLONG>(pending.bottom) + 1 == range.top)
            pending.bottom = range.bottom;
        if (ContainsCell(pending, range.top, range.left) && ContainsCell(pending, range.bottom, range.right))
            return;
    }
    if (pReuse == nullptr)
    {
        CGXDelayedRange* pNew = new (std::nothrow) CGXDelayedRange;
        if (pNew == nullptr)
            return;
        try
        {
            m_apRanges.InsertAt(0, pNew);
        }
        catch (CException* e)
        {
            e->Delete();
            delete pNew;
            return;
        }
        pReuse = pNew;
    }
    pReuse->m_range = range;
    pReuse->m_bDone = 0;
}

BOOL CGXDelayedRangePool::GetRowsToEvaluate(const CGXRange& range, CDWordArray& awStartCols,
                                            CDWordArray& awEndCols)
{
    if (IsEmptyBlock(range))
        return FALSE;
    const INT_PTR nRows = static_cast<INT_PTR>(range.bottom) - range.top + 1;
    awStartCols.RemoveAll();
    awEndCols.RemoveAll();
    awStartCols.InsertAt(0, kNoColumn, nRows);
    awEndCols.InsertAt(0, 0, nRows);

    // Parts of pending entries left and right of the block's columns become entries of their own,
    // keeping their evaluated rows.
    const INT_PTR nEntries = m_apRanges.GetSize();
    for (INT_PTR i = 0; i < nEntries; ++i)
    {
        CGXDelayedRange* pEntry = GetAt(i);
        CGXRange common;
        if (pEntry->m_bDone || !IntersectBlocks(pEntry->m_range, range, common))
            continue;
        if (pEntry->m_range.left < range.left)
        {
            AppendPart(*pEntry, pEntry->m_range.left, range.left - 1);
            pEntry->m_range.left = range.left;
        }
        if (pEntry->m_range.right > range.right)
        {
            AppendPart(*pEntry, range.right + 1, pEntry->m_range.right);
            pEntry->m_range.right = range.right;
        }
    }

    BOOL bAny = FALSE;
    for (INT_PTR i = 0; i < m_apRanges.GetSize(); ++i)
    {
        CGXDelayedRange* pEntry = GetAt(i);
        CGXRange rows;
        if (pEntry->m_bDone || !IntersectBlocks(pEntry->m_range, range, rows))
            continue;
        const DWORD nLeft = pEntry->m_range.left;
        const DWORD nRight = pEntry->m_range.right;
        if (!pEntry->MarkEvaluated(rows))
            continue;
        const ROWCOL nFirst = std::max(rows.top, range.top);
        const ROWCOL nLast = std::min(rows.bottom, range.bottom);
        for (ROWCOL nRow = nFirst; nRow <= nLast && nRow >= nFirst; ++nRow)
        {
            const INT_PTR nIndex = static_cast<INT_PTR>(nRow) - range.top;
            if (awStartCols[nIndex] == kNoColumn)
            {
                awStartCols[nIndex] = nLeft;
                awEndCols[nIndex] = nRight;
            }
            else
            {
                awStartCols[nIndex] = std::min(awStartCols[nIndex], nLeft);
                awEndCols[nIndex] = std::max(awEndCols[nIndex], nRight);
            }
        }
        bAny = TRUE;
    }
    if (bAny)
        RemoveDoneRanges();
    return bAny;
}

void CGXDelayedRangePool::AppendPart(const CGXDelayedRange& entry, ROWCOL nLeft, ROWCOL nRight)
{
    CGXDelayedRange* pPart = new CGXDelayedRange;
    *pPart = entry;
    pPart->m_range.left = nLeft;
    pPart->m_range.right = nRight;
    try
    {
        m_apRanges.Add(pPart);
    }
    catch (...)
    {
        delete pPart;
        throw;
    }
}

void CGXDelayedRangePool::LimitRows(ROWCOL nLastRow)
{
    for (INT_PTR i = 0; i < m_apRanges.GetSize(); ++i)
    {
        CGXRange& pending = GetAt(i)->m_range;
        pending.top = std::min(pending.top, nLastRow);
        pending.bottom = std::min(pending.bottom, nLastRow);
    }
}

void CGXDelayedRangePool::LimitCols(ROWCOL nLastCol)
{
    for (INT_PTR i = 0; i < m_apRanges.GetSize(); ++i)
    {
        CGXRange& pending = GetAt(i)->m_range;
        pending.left = std::min(pending.left, nLastCol);
        pending.right = std::min(pending.right, nLastCol);
    }
}

void CGXDelayedRangePool::RemoveDoneRanges()
{
    for (INT_PTR i = m_apRanges.GetSize() - 1; i >= 0; --i)
        if (GetAt(i)->m_bDone)
        {
            delete m_apRanges[i];
            m_apRanges.RemoveAt(i);
        }
}

CGXDelayedRangePool& CGXDelayedRangePool::operator=(const CGXDelayedRangePool& other)
{
    if (&other == this)
        return *this;
    DeleteAll();
    for (INT_PTR i = 0; i < other.m_apRanges.GetSize(); ++i)
    {
        CGXDelayedRange* pCopy = new CGXDelayedRange;
        *pCopy = *other.GetAt(i);
        try
        {
            m_apRanges.Add(pCopy);
        }
        catch (...)
        {
            delete pCopy;
            throw;
        }
    }
    return *this;
}

void CGXDelayedRangePool::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        m_apRanges.Serialize(ar);
        return;
    }
    // Read into an array of its own, so that a refused archive leaves the pool as it was and
    // nothing read is leaked. Each entry takes at least its two-byte object tag.
    CObArray loaded;
    try
    {
        const DWORD_PTR nCount = ar.ReadCount();
        GXCheckArchiveCount(ar, nCount, 2);
        for (DWORD_PTR i = 0; i < nCount; ++i)
        {
            CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CGXDelayedRange));
            if (pObject == nullptr)
                AfxThrowArchiveException(CArchiveException::badClass);
            loaded.Add(pObject);
        }
    }
    catch (...)
    {
        for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
            delete loaded[i];
        throw;
    }
    DeleteAll();
    m_apRanges.Copy(loaded);
}

CGXDelayedRangePool* GXAsDelayedRangePool(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXDelayedRangePool))
               ? static_cast<CGXDelayedRangePool*>(pObject)
               : nullptr;
}

// ---- CGXDelayedRangePoolImp ----

CObject* CGXDelayedRangePoolImp::CreateCopy(const CObject* pSource)
{
    CGXDelayedRangePool* pPool = new CGXDelayedRangePool;
    if (CGXDelayedRangePool* pSourcePool = GXAsDelayedRangePool(const_cast<CObject*>(pSource)))
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

CObject* CGXDelayedRangePoolImp::CreatePool()
{
    return new CGXDelayedRangePool;
}

void CGXDelayedRangePoolImp::CopyPool(CObject* pDest, const CObject* pSource)
{
    CGXDelayedRangePool* pDestPool = GXAsDelayedRangePool(pDest);
    CGXDelayedRangePool* pSourcePool = GXAsDelayedRangePool(const_cast<CObject*>(pSource));
    if (pDestPool != nullptr && pSourcePool != nullptr)
        *pDestPool = *pSourcePool;
}

void InstallDelayedRangePoolImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pDelayedRangePoolImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXDelayedRangePoolImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pDelayedRangePoolImp = pImp;
    pAppData->AddOwnedObject(pImp);
}
