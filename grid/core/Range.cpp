#include "grid/core/Range.h"

#include "framework/core/Exceptions.h"
#include "grid/core/GridCollections.h"

#include <algorithm>
#include <vector>

// ---------------------------------------------------------------------------------------------
// CGXRange

CGXRange::CGXRange() : kind(rtCells), top(0), left(0), bottom(0), right(0), valid(FALSE) {}

CGXRange::CGXRange(ROWCOL row, ROWCOL col) : CGXRange() { SetCells(row, col, row, col); }

CGXRange::CGXRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight) : CGXRange()
{
    SetCells(nTop, nLeft, nBottom, nRight);
}

CGXRange::CGXRange(const CGXRange* pOther) : CGXRange()
{
    if (pOther != NULL)
        *this = *pOther;
}

CGXRange& CGXRange::SetCells(ROWCOL row1, ROWCOL col1, ROWCOL row2, ROWCOL col2)
{
    kind = rtCells;
    top = std::min(row1, row2);
    bottom = std::max(row1, row2);
    left = std::min(col1, col2);
    right = std::max(col1, col2);
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetRows(ROWCOL row1, ROWCOL row2)
{
    kind = rtRows;
    top = std::min(row1, row2);
    bottom = std::max(row1, row2);
    left = right = 0;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetCols(ROWCOL col1, ROWCOL col2)
{
    kind = rtCols;
    left = std::min(col1, col2);
    right = std::max(col1, col2);
    top = bottom = 0;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetTable()
{
    kind = rtTable;
    valid = TRUE;
    return *this;
}

CGXRange& CGXRange::ExpandToCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    switch (kind)
    {
    case rtRows:
        left = nLeft;
        right = nRight;
        break;
    case rtCols:
        top = nTop;
        bottom = nBottom;
        break;
    case rtTable:
        top = nTop;
        left = nLeft;
        bottom = nBottom;
        right = nRight;
        break;
    default:
        break;
    }
    kind = rtCells;
    return *this;
}

BOOL CGXRange::ContainsCell(ROWCOL row, ROWCOL col) const
{
    if (!valid)
        return FALSE;
    const bool inRows = top <= row && row <= bottom;
    const bool inCols = left <= col && col <= right;
    switch (kind)
    {
    case rtTable:
        return TRUE;
    case rtRows:
        return inRows;
    case rtCols:
        return inCols;
    default:
        return inRows && inCols;
    }
}

BOOL CGXRange::Intersect(const CGXRange& range1, const CGXRange& range2)
{
    // This range may be one of the operands.
    const CGXRange r1 = range1;
    const CGXRange r2 = range2;

    if (r1.kind == rtTable || r2.kind == rtTable)
    {
        *this = r1.kind == rtTable ? r2 : r1;
        valid = TRUE;
        return valid;
    }
    if (r1.kind == rtRows && r2.kind == rtCols)
    {
        kind = rtCells;
        top = r1.top;
        bottom = r1.bottom;
        left = r2.left;
        right = r2.right;
        valid = TRUE;
        return valid;
    }
    if (r1.kind == rtCols && r2.kind == rtRows)
    {
        kind = rtCells;
        left = r1.left;
        right = r1.right;
        top = r2.top;
        bottom = r2.bottom;
        valid = TRUE;
        return valid;
    }
    if (r1.kind == rtCols || r2.kind == rtCols)
    {
        const CGXRange& other = r2.kind != rtCols ? r2 : r1;  // r2 when both are columns
        left = std::max(r1.left, r2.left);
        right = std::min(r1.right, r2.right);
        top = other.top;
        bottom = other.bottom;
        kind = other.kind;
        valid = right >= left;
        return valid;
    }
    if (r1.kind == rtRows || r2.kind == rtRows)
    {
        const CGXRange& other = r2.kind != rtRows ? r2 : r1;  // r2 when both are rows
        top = std::max(r1.top, r2.top);
        bottom = std::min(r1.bottom, r2.bottom);
        left = other.left;
        right = other.right;
        kind = other.kind;
        valid = bottom >= top;
        return valid;
    }
    kind = rtCells;
    left = std::max(r1.left, r2.left);
    right = std::min(r1.right, r2.right);
    top = std::max(r1.top, r2.top);
    bottom = std::min(r1.bottom, r2.bottom);
    valid = left <= right && top <= bottom;
    return valid;
}

BOOL CGXRange::Union(const CGXRange& range1, const CGXRange& range2)
{
    const CGXRange r1 = range1;
    const CGXRange r2 = range2;

    if (r1.kind == rtTable || r2.kind == rtTable || (r1.kind == rtRows && r2.kind == rtCols) ||
        (r1.kind == rtCols && r2.kind == rtRows))
        SetTable();
    else if (r1.kind == rtCols || r2.kind == rtCols)
        SetCols(std::min(r1.left, r2.left), std::max(r1.right, r2.right));
    else if (r1.kind == rtCells && r2.kind == rtCells)
        SetCells(std::min(r1.top, r2.top), std::min(r1.left, r2.left), std::max(r1.bottom, r2.bottom),
                 std::max(r1.right, r2.right));
    else
        SetRows(std::min(r1.top, r2.top), std::max(r1.bottom, r2.bottom));
    return valid;
}

CArchive& operator<<(CArchive& ar, const CGXRange& range)
{
    ar << static_cast<DWORD>(range.top) << static_cast<DWORD>(range.left) << static_cast<DWORD>(range.bottom)
       << static_cast<DWORD>(range.right);
    ar << static_cast<BYTE>(range.kind) << static_cast<BYTE>(range.valid);
    return ar;
}

CArchive& operator>>(CArchive& ar, CGXRange& range)
{
    DWORD nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    BYTE nKind = 0, bValid = 0;
    ar >> nTop >> nLeft >> nBottom >> nRight >> nKind >> bValid;
    range.top = nTop;
    range.left = nLeft;
    range.bottom = nBottom;
    range.right = nRight;
    range.kind = nKind;
    range.valid = bValid;
    return ar;
}

// ---------------------------------------------------------------------------------------------
// CGXRangeList

IMPLEMENT_SERIAL(CGXRangeList, CPtrList, 1)

namespace
{
// The bounds that a row operation (or a column operation) works on.
struct RowBounds
{
    static ROWCOL& First(CGXRange& r) { return r.top; }
    static ROWCOL& Last(CGXRange& r) { return r.bottom; }
    static ROWCOL First(const CGXRange& r) { return r.top; }
    static ROWCOL Last(const CGXRange& r) { return r.bottom; }
    static const LONG wholeKind = CGXRange::rtRows;  // whole rows
    static const LONG crossKind = CGXRange::rtCols;  // covers every row
};

struct ColBounds
{
    static ROWCOL& First(CGXRange& r) { return r.left; }
    static ROWCOL& Last(CGXRange& r) { return r.right; }
    static ROWCOL First(const CGXRange& r) { return r.left; }
    static ROWCOL Last(const CGXRange& r) { return r.right; }
    static const LONG wholeKind = CGXRange::rtCols;
    static const LONG crossKind = CGXRange::rtRows;
};

template <class Bounds>
void InsertIndexes(CGXRangeList& list, ROWCOL at, ROWCOL count)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CGXRange* pRange = list.GetNext(pos);
        if (Bounds::First(*pRange) >= at)
            Bounds::First(*pRange) += count;
        if (Bounds::Last(*pRange) >= at)
            Bounds::Last(*pRange) += count;
    }
}

template <class Bounds>
void RemoveIndexes(CGXRangeList& list, ROWCOL from, ROWCOL to, ROWCOL lastIndex)
{
    const ROWCOL n = to - from + 1;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CGXRange* pRange = list.GetNext(pos);
        if (!pRange->valid)
            continue;
        ROWCOL& first = Bounds::First(*pRange);
        ROWCOL& last = Bounds::Last(*pRange);
        if (first >= from && last <= to)
        {
            pRange->valid = FALSE;
            last = std::min(last, lastIndex);
            continue;
        }
        if (first >= from)
            first = first > to ? first - n : from;
        if (last >= from)
            last = last > to ? last - n : from - 1;
        pRange->valid = last >= first;
        last = std::min(last, lastIndex);
    }
}

template <class Bounds>
void MoveIndexes(CGXRangeList& list, ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL lastIndex)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CGXRange* pRange = list.GetNext(pos);
        ROWCOL& first = Bounds::First(*pRange);
        ROWCOL& last = Bounds::Last(*pRange);
        // A range moves as a whole, judged by its first index (unsigned wrap-around keeps the
        // shift exact in either direction).
        const ROWCOL movedFirst = GXMovedIndex(first, from, to, dest);
        last += movedFirst - first;
        first = movedFirst;
        last = std::min(last, lastIndex);
    }
}

template <class Bounds>
BOOL IsAnyCellAt(const CGXRangeList& list, ROWCOL index)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CGXRange* pRange = list.GetNext(pos);
        if (!pRange->valid)
            continue;
        if (pRange->kind == Bounds::crossKind || pRange->kind == CGXRange::rtTable)
            return TRUE;
        if (Bounds::First(*pRange) <= index && index <= Bounds::Last(*pRange))
            return TRUE;
    }
    return FALSE;
}

bool SpansOverlap(DWORD s1, DWORD e1, DWORD s2, DWORD e2)
{
    return (s1 >= s2 && s1 <= e2) || (e1 >= s2 && e1 <= e2) || (s2 >= s1 && s2 <= e1) || (e2 >= s1 && e2 <= e1);
}

template <class Bounds>
BOOL CollectSpans(const CGXRangeList& list, ROWCOL lastIndex, CDWordArray& starts, CDWordArray& ends, BOOL bWholeOnly)
{
    starts.SetSize(0);
    ends.SetSize(0);
    BOOL bAny = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CGXRange* pRange = list.GetNext(pos);
        if (!pRange->valid)
            continue;
        if (bWholeOnly && pRange->kind != Bounds::wholeKind && pRange->kind != CGXRange::rtTable)
            continue;
        const DWORD start = Bounds::First(*pRange);
        DWORD end = Bounds::Last(*pRange);
        if (pRange->kind == Bounds::crossKind || pRange->kind == CGXRange::rtTable)
            end = lastIndex;
        bAny = TRUE;

        bool bTaken = false;
        for (INT_PTR i = 0; i < starts.GetSize(); ++i)
        {
            if (SpansOverlap(start, end, starts[i], ends[i]))
            {
                starts[i] = std::min(start, starts[i]);
                ends[i] = std::max(end, ends[i]);
                bTaken = true;
                break;
            }
            if (start < starts[i])
            {
                starts.InsertAt(i, start);
                ends.InsertAt(i, end);
                bTaken = true;
                break;
            }
        }
        if (!bTaken)
        {
            starts.Add(start);
            ends.Add(end);
        }
    }
    if (bAny)
    {
        for (INT_PTR i = 0; i + 1 < starts.GetSize();)
        {
            // 64-bit sum: a span ending at the last possible index is neighbour of nothing beyond it.
            if (static_cast<ULONGLONG>(starts[i + 1]) <= static_cast<ULONGLONG>(ends[i]) + 1)
            {
                ends[i] = std::max(ends[i], ends[i + 1]);
                starts.RemoveAt(i + 1);
                ends.RemoveAt(i + 1);
            }
            else
                ++i;
        }
    }
    return bAny;
}
}  // namespace

CGXRangeList::CGXRangeList() : CPtrList(10) {}

CGXRangeList::CGXRangeList(const CGXRangeList& other) : CPtrList(10) { *this = other; }

CGXRangeList::~CGXRangeList() { DeleteAll(); }

CGXRangeList& CGXRangeList::operator=(const CGXRangeList& other)
{
    if (&other == this)
        return *this;
    DeleteAll();
    for (POSITION pos = other.GetHeadPosition(); pos != NULL;)
    {
        const CGXRange* pRange = other.GetNext(pos);
        if (pRange->valid)
            AddTail(new CGXRange(*pRange));
    }
    return *this;
}

BOOL CGXRangeList::IsCellInList(ROWCOL row, ROWCOL col, POSITION excludePos) const
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        const POSITION here = pos;
        const CGXRange* pRange = GetNext(pos);
        if (here != excludePos && pRange->ContainsCell(row, col))
            return TRUE;
    }
    return FALSE;
}

POSITION CGXRangeList::FindRange(ROWCOL row, ROWCOL col) const
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        const POSITION here = pos;
        if (GetNext(pos)->ContainsCell(row, col))
            return here;
    }
    return NULL;
}

void CGXRangeList::DeleteAll()
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
        delete GetNext(pos);
    RemoveAll();
}

void CGXRangeList::DeleteAt(POSITION pos)
{
    delete GetAt(pos);
    RemoveAt(pos);
}

void CGXRangeList::DeleteInvalidRanges()
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        const POSITION here = pos;
        if (!GetNext(pos)->valid)
            DeleteAt(here);
    }
}

void CGXRangeList::InsertRows(ROWCOL row, ROWCOL count) { InsertIndexes<RowBounds>(*this, row, count); }
void CGXRangeList::InsertCols(ROWCOL col, ROWCOL count) { InsertIndexes<ColBounds>(*this, col, count); }

void CGXRangeList::RemoveRows(ROWCOL from, ROWCOL to, ROWCOL lastRow)
{
    RemoveIndexes<RowBounds>(*this, from, to, lastRow);
}

void CGXRangeList::RemoveCols(ROWCOL from, ROWCOL to, ROWCOL lastCol)
{
    RemoveIndexes<ColBounds>(*this, from, to, lastCol);
}

void CGXRangeList::MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL lastRow)
{
    MoveIndexes<RowBounds>(*this, from, to, dest, lastRow);
}

void CGXRangeList::MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL lastCol)
{
    MoveIndexes<ColBounds>(*this, from, to, dest, lastCol);
}

BOOL CGXRangeList::IsAnyCellInRow(ROWCOL row) const { return IsAnyCellAt<RowBounds>(*this, row); }

BOOL CGXRangeList::IsAnyCellInCol(ROWCOL col) const { return IsAnyCellAt<ColBounds>(*this, col); }

BOOL CGXRangeList::GetRowArray(ROWCOL lastRow, CDWordArray& starts, CDWordArray& ends, BOOL bRowsOnly) const
{
    return CollectSpans<RowBounds>(*this, lastRow, starts, ends, bRowsOnly);
}

BOOL CGXRangeList::GetColArray(ROWCOL lastCol, CDWordArray& starts, CDWordArray& ends, BOOL bColsOnly) const
{
    return CollectSpans<ColBounds>(*this, lastCol, starts, ends, bColsOnly);
}

void CGXRangeList::Serialize(CArchive& ar)
{
    static const WORD wVersion = 1;
    if (ar.IsStoring())
    {
        DeleteInvalidRanges();
        ar << wVersion;
        ar << static_cast<DWORD>(GetCount());
        for (POSITION pos = GetHeadPosition(); pos != NULL;)
            ar << *GetNext(pos);
        return;
    }

    WORD wStoredVersion = 0;
    ar >> wStoredVersion;
    if (wStoredVersion != wVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD nCount = 0;
    ar >> nCount;
    // The count comes from the file: it must fit in what the file still holds, and the list takes
    // the ranges only once all of them were read.
    const UINT nRangeBytes = 18;
    GXCheckArchiveCount(ar, nCount, nRangeBytes);
    std::vector<CGXRange> loaded;
    loaded.reserve(nCount);
    for (DWORD i = 0; i < nCount; ++i)
    {
        CGXRange range;
        ar >> range;
        loaded.push_back(range);
    }
    for (const CGXRange& range : loaded)
        AddTail(new CGXRange(range));
}
