#pragma once
// A grid engine without a window for the undo tests: the library started (its control factory gives
// the grid its command factory), a table of "r:c" values, and readers of what a user would see.

#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/features/GridCommand.h"

#include <gtest/gtest.h>

#include <string>

// Fills rows x cols cells with "r:c" through the grid, with undo off, and leaves undo on.
inline void FillSample(CGXGridCore& grid, ROWCOL nRows, ROWCOL nCols)
{
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetRowCount(nRows);
    grid.SetColCount(nCols);
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= nCols; ++nCol)
        {
            CString value;
            value.Format("%lu:%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
            grid.SetValueRange(CGXRange(nRow, nCol), value);
        }
    grid.GetParam()->EnableUndo(TRUE);
}

inline std::string ValueOf(CGXGridCore& grid, ROWCOL nRow, ROWCOL nCol)
{
    return static_cast<LPCTSTR>(grid.GetStoredValueRowCol(nRow, nCol));
}

// The name of the newest command of a list, "" when it is empty.
inline std::string NewestName(CPtrList& list)
{
    if (list.IsEmpty())
        return "";
    CObject* pNewest = static_cast<CObject*>(list.GetHead());
    return pNewest->IsKindOf(RUNTIME_CLASS(CGXCommand))
               ? std::string(static_cast<LPCTSTR>(static_cast<CGXCommand*>(pNewest)->GetName()))
               : "?";
}

// The library starts before a grid is made: the grid gets its components at construction.
struct LibraryStarted
{
    LibraryStarted() { GXStartLibrary(); }
};

class UndoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.InitializeGrid();
        FillSample(grid, 10, 4);
    }

    CPtrList& UndoList() { return grid.GetParam()->GetUndoList(); }
    CPtrList& RedoList() { return grid.GetParam()->GetRedoList(); }

    LibraryStarted started;
    CGXGridCore grid;
};
