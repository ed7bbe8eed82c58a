#pragma once
// Where merged and floating spans are kept once worked out: two tables of lines, one indexed
// [row][column] for horizontal spans and one [column][row] for vertical ones, whose entries hold the
// first column (row) of the span that covers the cell. The span's end is not stored: it is where
// the run of equal entries ends. A block of several rows and columns is in both tables, a span one
// row high only in the horizontal one, one column wide only in the vertical one, a single cell in none.

#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/AppComponents.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Range.h"

class CArchive;
class CGXRange;

// An entry of a line that belongs to no span; a missing line or an index past a line's end too.
const DWORD GX_NOSPAN = 0xFFFFFFFF;

// A pointer array of owned lines (NULL or a CDWordArray).
class CGXDWordArrayPtrArray : public CPtrArray
{
    DECLARE_DYNAMIC(CGXDWordArrayPtrArray)

public:
    CGXDWordArrayPtrArray() = default;
    ~CGXDWordArrayPtrArray() override;

    // NULL for a missing line or an index past the end.
    CDWordArray* GetLine(ROWCOL nIndex) const;
    // The line at the index, created (and the table grown) when missing.
    CDWordArray& EnsureLine(ROWCOL nIndex);
    void DeleteAll();
    // Deletes the lines first..last (clamped to the table) and closes the gap.
    void RemoveLines(ROWCOL nFirst, ROWCOL nLast);
    CGXDWordArrayPtrArray& operator=(const CGXDWordArrayPtrArray& other);

    // WORD version 1, DWORD line count, then index and line (a framework count and the DWORDs) of
    // every line that exists, and DWORD 0xFFFFFFFF. A damaged archive (another version, an index at
    // or past the count, a count above 0x80000000) throws CArchiveException cause 7.
    void Serialize(CArchive& ar) override;
};

class CGXSpanCellPool : public CObject
{
    DECLARE_SERIAL(CGXSpanCellPool)

public:
    CGXSpanCellPool() = default;

    // The caller presets the range to the cell; a found span sets its columns (horizontal table)
    // and its rows (vertical table). FALSE, the range untouched, when neither holds the cell.
    virtual BOOL GetSpanCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range) const;
    // Stores (bSet) or clears the span of the block; TRUE when anything changed. FALSE for a block
    // that reaches past 0x7FFFFFFF, and when memory runs out (nothing is reported).
    virtual BOOL SetSpanCellsRowCol(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bSet);
    // Structure steps. None of them renumbers the first rows (columns) stored: the owners evaluate
    // the area again. A last index past the end (0xFFFFFFFE) removes everything from the first on.
    virtual BOOL InsertRows(ROWCOL nRow, ROWCOL nCount);
    virtual void RemoveRows(ROWCOL nFromRow, ROWCOL nToRow);
    virtual void MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    virtual BOOL InsertCols(ROWCOL nCol, ROWCOL nCount);
    virtual void RemoveCols(ROWCOL nFromCol, ROWCOL nToCol);
    virtual void MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);
    virtual CGXSpanCellPool& operator=(const CGXSpanCellPool& other);

    // The horizontal table, then the vertical one.
    void Serialize(CArchive& ar) override;

    // Every run of the tables: the horizontal ones row by row, then the vertical ones column by
    // column (a block stored in both tables shows as the runs of each).
    void GetSpans(CArray<CGXRange, const CGXRange&>& spans) const;

    const CGXDWordArrayPtrArray& GetHorzTable() const { return m_horz; }
    const CGXDWordArrayPtrArray& GetVertTable() const { return m_vert; }

private:
    CGXDWordArrayPtrArray m_horz;  // [row][column] = first column
    CGXDWordArrayPtrArray m_vert;  // [column][row] = first row
};

// The application-wide maker of span-cell pools (CGXAppData::m_pSpanCellPoolImp).
class CGXSpanCellPoolImp : public CGXAbstractSpanCellPoolImp
{
public:
    CObject* CreateCopy(const CObject* pSource) override;
    CObject* CreatePool() override;
    void CopyPool(CObject* pDest, const CObject* pSource) override;
    void InsertRows(CObject* pPool, ROWCOL nRow, ROWCOL nCount) override;
    void RemoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow) override;
    void MoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow) override;
    void InsertCols(CObject* pPool, ROWCOL nCol, ROWCOL nCount) override;
    void RemoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol) override;
    void MoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol) override;
};

// Calls fn(nLine, first, nLast) for each run of equal span entries of lines nFirstLine..nLastLine
// of a table that meets indexes nFirstIndex..nLastIndex: the run's first index, as stored, and its
// last index. The lines are walked rather than the cells, so a run is found once and passed over whole.
template <class TFn>
void GXForEachSpanRun(const CGXDWordArrayPtrArray& table, ROWCOL nFirstLine, ROWCOL nLastLine, ROWCOL nFirstIndex,
                      ROWCOL nLastIndex, TFn fn)
{
    for (ROWCOL nLine = nFirstLine; nLine <= nLastLine && static_cast<INT_PTR>(nLine) < table.GetSize(); ++nLine)
    {
        const CDWordArray* pLine = table.GetLine(nLine);
        if (pLine == nullptr)
            continue;
        const INT_PTR nSize = pLine->GetSize();
        for (INT_PTR i = nFirstIndex; i <= static_cast<INT_PTR>(nLastIndex) && i < nSize;)
        {
            const DWORD first = pLine->GetAt(i);
            if (first == GX_NOSPAN)
            {
                ++i;
                continue;
            }
            INT_PTR nEnd = i;
            while (nEnd + 1 < nSize && pLine->GetAt(nEnd + 1) == first)
                ++nEnd;
            fn(nLine, first, static_cast<ROWCOL>(nEnd));
            i = nEnd + 1;
        }
    }
}

// The pool an object is, or NULL when it is none (or NULL).
CGXSpanCellPool* GXAsSpanCellPool(CObject* pObject);
const CGXSpanCellPool* GXAsSpanCellPool(const CObject* pObject);

// Installs the application-wide maker once.
void InstallSpanCellPoolImp();
