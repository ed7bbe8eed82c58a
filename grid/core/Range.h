#pragma once
// A rectangle of cells, whole rows, whole columns or the whole table, and an owned list of them
// that follows the grid when rows or columns are inserted, removed or moved.

#include "framework/core/Object.h"
#include "framework/core/Archive.h"
#include "framework/core/Collections.h"
#include "grid/core/GridTypes.h"

class CGXRange
{
public:
    enum Kind
    {
        rtCells = 0,
        rtRows = 1,
        rtCols = 2,
        rtTable = 3
    };

    CGXRange();
    CGXRange(ROWCOL row, ROWCOL col);
    CGXRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right);
    CGXRange(const CGXRange& other) = default;
    explicit CGXRange(const CGXRange* pOther);
    CGXRange& operator=(const CGXRange& other) = default;

    // The corners may be given in any order.
    CGXRange& SetCells(ROWCOL row1, ROWCOL col1, ROWCOL row2, ROWCOL col2);
    CGXRange& SetRows(ROWCOL row1, ROWCOL row2);
    CGXRange& SetRows(ROWCOL row) { return SetRows(row, row); }
    CGXRange& SetCols(ROWCOL col1, ROWCOL col2);
    CGXRange& SetCols(ROWCOL col) { return SetCols(col, col); }
    CGXRange& SetTable();
    // Turns rows, columns or table into a cell rectangle with the given outer bounds.
    CGXRange& ExpandToCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);

    BOOL ContainsCell(ROWCOL row, ROWCOL col) const;
    BOOL Intersect(const CGXRange& r1, const CGXRange& r2);
    BOOL Union(const CGXRange& r1, const CGXRange& r2);

    BOOL IsValid() const { return valid; }
    BOOL IsCells() const { return kind == rtCells; }
    BOOL IsRows() const { return kind == rtRows; }
    BOOL IsCols() const { return kind == rtCols; }
    BOOL IsTable() const { return kind == rtTable; }
    ROWCOL GetHeight() const { return bottom - top + 1; }
    ROWCOL GetWidth() const { return right - left + 1; }

    bool operator==(const CGXRange& other) const
    {
        return kind == other.kind && top == other.top && left == other.left && bottom == other.bottom &&
               right == other.right && valid == other.valid;
    }
    bool operator!=(const CGXRange& other) const { return !(*this == other); }

    // Field order and widths are part of the record: six 32-bit values.
    LONG kind;
    ROWCOL top;
    ROWCOL left;
    ROWCOL bottom;
    ROWCOL right;
    BOOL valid;
};

// Archive form: top, left, bottom, right as 32-bit values, then kind and valid as one byte each.
CArchive& operator<<(CArchive& ar, const CGXRange& range);
CArchive& operator>>(CArchive& ar, CGXRange& range);

class CGXRangeList : public CPtrList
{
    DECLARE_SERIAL(CGXRangeList)

public:
    CGXRangeList();
    CGXRangeList(const CGXRangeList& other);
    ~CGXRangeList() override;

    virtual CGXRangeList& operator=(const CGXRangeList& other);
    void Serialize(CArchive& ar) override;

    // The list owns what it is given.
    POSITION AddTail(CGXRange* pRange) { return CPtrList::AddTail(pRange); }
    POSITION AddHead(CGXRange* pRange) { return CPtrList::AddHead(pRange); }
    CGXRange* GetNext(POSITION& pos) const { return AsRange(CPtrList::GetNext(pos)); }
    CGXRange* GetPrev(POSITION& pos) const { return AsRange(CPtrList::GetPrev(pos)); }
    CGXRange* GetAt(POSITION pos) const { return AsRange(CPtrList::GetAt(pos)); }
    CGXRange* GetHead() const { return AsRange(CPtrList::GetHead()); }
    CGXRange* GetTail() const { return AsRange(CPtrList::GetTail()); }

    BOOL IsCellInList(ROWCOL row, ROWCOL col, POSITION excludePos = NULL) const;
    POSITION FindRange(ROWCOL row, ROWCOL col) const;
    void DeleteAll();
    void DeleteAt(POSITION pos);
    void DeleteInvalidRanges();

    void InsertRows(ROWCOL row, ROWCOL count);
    void InsertCols(ROWCOL col, ROWCOL count);
    void RemoveRows(ROWCOL from, ROWCOL to, ROWCOL lastRow);
    void RemoveCols(ROWCOL from, ROWCOL to, ROWCOL lastCol);
    void MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL lastRow);
    void MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL lastCol);

    BOOL IsAnyCellInRow(ROWCOL row) const;
    BOOL IsAnyCellInCol(ROWCOL col) const;

    // Sorted, disjoint, non-adjacent spans covered by the list.
    BOOL GetRowArray(ROWCOL lastRow, CDWordArray& starts, CDWordArray& ends, BOOL bRowsOnly) const;
    BOOL GetColArray(ROWCOL lastCol, CDWordArray& starts, CDWordArray& ends, BOOL bColsOnly) const;

private:
    static CGXRange* AsRange(const void* p) { return static_cast<CGXRange*>(const_cast<void*>(p)); }
};
