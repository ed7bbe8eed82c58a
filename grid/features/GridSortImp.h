#pragma once
// Sorting the rows of a grid by one or more key columns, or its columns by key rows. A run reads the
// key texts of every line once, resolves automatic keys into number, date or text keys, converts
// number and date keys into doubles, orders pointers to the lines' keys and hands the permutation
// to the data object, which moves row (column) pointers, never cell contents. Every stage goes
// through the grid's own virtual operation, so a grid subclass can read, compare or move otherwise.
// One stateless object serves any grid; the data mover is application-wide.

#include "grid/core/AppComponents.h"
#include "grid/core/GridComponents.h"

class CGXSortKeyLine;

class CGXGridSortImp : public CGXAbstractGridSortImp
{
public:
    // Orders the key-line pointers (stable: equal keys keep their order in both directions).
    BOOL SortKeys(CGXGridCore* pGrid, CPtrArray& keys, const CGXSortInfoArray& sortInfo) override;
    // A whole-table range sorts the rows after the header rows; any other range its top..bottom
    // rows (whole rows move). Automatic keys come back holding the kind they resolved to.
    BOOL SortRows(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags) override;
    // Puts the rows of the range in the order of the index array, redraws and records the inverse.
    BOOL MoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awRowIndex, UINT nFlags,
                      int nCommandType) override;
    // The data object's MoveDataRows.
    BOOL StoreMoveDataRows(CGXGridCore* pGrid, const CDWordArray& awRowIndex, ROWCOL nStartRow) override;
    BOOL UpdateMoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint) override;
    // The key texts of a row, one per key, through the grid's GetSortKeyText.
    BOOL GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                       CStringArray& keys) override;
    BOOL SortCols(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags) override;
    BOOL MoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awColIndex, UINT nFlags,
                      int nCommandType) override;
    BOOL StoreMoveDataCols(CGXGridCore* pGrid, const CDWordArray& awColIndex, ROWCOL nStartCol) override;
    BOOL UpdateMoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint) override;
    BOOL GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                       CStringArray& keys) override;
    // A double click on a column header sorts the rows by that column, a double click on a row header
    // the columns by that row, each only while the parameter object's switch allows it; a second
    // double click on the same header sorts the other way. TRUE when it sorted.
    BOOL OnLButtonDblClkRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) override;

    // The comparison of two key-line pointers for qsort.
    static int CompareKeyLines(const void* pFirst, const void* pSecond);
};

// Reorders the rows (columns) of a data object: the lines from nStart take the order of the index
// array (entry i: the offset from nStart of the line that comes to position i). FALSE, with nothing
// moved, when the index is no permutation of 0..count - 1.
class CGXGridSortMoveDataImp : public CGXAbstractSortMoveDataImp
{
public:
    BOOL MoveDataRows(CGXData& data, const CDWordArray& awRowIndex, ROWCOL nStartRow) override;
    BOOL MoveDataCols(CGXData& data, const CDWordArray& awColIndex, ROWCOL nStartCol) override;
};

// Installs the application-wide data mover once.
void InstallSortMoveDataImp();
