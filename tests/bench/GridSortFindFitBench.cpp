// Sorting, finding and fitting on large grids in a grid window: 100,000 rows sorted by a number key
// and by a text key, a text that only the last of 100,000 rows holds found from the first row, and
// the heights of 10,000 rows fitted. Prints the milliseconds of each.
#include <windows.h>

#include <cstdio>
#include <string>

#include "grid/core/AppData.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Range.h"
#include "grid/core/SortInfoArray.h"
#include "tests/bench/BenchSupport.h"

namespace
{
const ROWCOL SortRows = 100000;
const ROWCOL FitRows = 10000;

// A pseudo-random sequence that is the same on every run.
unsigned Next(unsigned& seed)
{
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFFF;
}

// Column 1 numbers, column 2 words, without undo.
void Fill(CGXGridWnd& grid, ROWCOL nRows)
{
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetRowCount(nRows);
    unsigned seed = 7;
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
    {
        const unsigned n = Next(seed);
        grid.SetValueRange(CGXRange(nRow, 1), std::to_string(n % 1000000).c_str());
        grid.SetValueRange(CGXRange(nRow, 2), ("drain " + std::to_string(n % 7919) + " base").c_str());
    }
}

void Sort(CGXGridWnd& grid, ROWCOL nKey, int nKind, const char* pszName)
{
    CGXSortInfoArray keys;
    keys.SetSize(1);
    keys[0].nRC = nKey;
    keys[0].sortType = nKind;
    Stopwatch watch;
    grid.SortRows(CGXRange().SetTable(), keys);
    std::printf("sort of %lu rows by a %s key: %lld ms (first \"%s\")\n", static_cast<unsigned long>(SortRows), pszName,
                watch.Milliseconds(), static_cast<LPCTSTR>(grid.GetValueRowCol(1, nKey)));
}
} // namespace

int main()
{
    GXStartLibrary();
    CGXGridWnd grid;
    if (!grid.CreateEx(0, "GXWND", "Grid features", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0))
    {
        std::printf("the grid window could not be created\n");
        return 1;
    }
    grid.Initialize();
    grid.SetColCount(3);
    Fill(grid, SortRows);
    // Undo stays on: a sort records its one command as a user's would.
    grid.GetParam()->EnableUndo(TRUE);
    Sort(grid, 1, CGXSortInfo::numeric, "number");
    Sort(grid, 2, CGXSortInfo::alphanumeric, "text");

    grid.GetParam()->EnableUndo(FALSE);
    grid.SetValueRange(CGXRange(SortRows, 3), "needle");
    grid.MoveCurrentCell(1, 3);
    CGXFindReplaceSettings settings;
    settings.strFind = "needle";
    Stopwatch watch;
    const BOOL bFound = grid.OnFindNext(&settings, TRUE, FALSE);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    grid.GetCurrentCell(nRow, nCol);
    std::printf("find of a text in the last of %lu rows: %lld ms (%s, row %lu)\n", static_cast<unsigned long>(SortRows),
                watch.Milliseconds(), bFound ? "found" : "not found", static_cast<unsigned long>(nRow));

    grid.SetRowCount(0);
    grid.SetColCount(3);
    Fill(grid, FitRows);
    grid.SetRowHeight(1, FitRows, 40);
    grid.GetParam()->EnableUndo(TRUE);
    watch.Milliseconds();
    const BOOL bFitted = grid.ResizeRowHeightsToFit(CGXRange().SetRows(1, FitRows));
    std::printf("fit of the heights of %lu rows: %lld ms (%s, row 1 now %d pixels)\n",
                static_cast<unsigned long>(FitRows), watch.Milliseconds(), bFitted ? "done" : "not done",
                grid.GetRowHeight(1));
    grid.DestroyWindow();
    return 0;
}
