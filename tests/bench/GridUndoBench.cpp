// Undo and redo of large changes on a 100,000 x 10 grid: a value over every cell of the table (one
// transaction of four bands, each small enough for its undo record) with its Undo and Redo, and the
// removal of 30,000 rows keeping their cells with its Undo. Prints the milliseconds of each step and
// the process's peak working set.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "tests/bench/BenchSupport.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 10;
// Bands of rows, each below the 32,768 rows of an undo record.
const ROWCOL BandRows = 25000;
const ROWCOL RemovedRows = 30000;

unsigned long long PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024 * 1024);
}
} // namespace

int main()
{
    GXStartLibrary();
    CGXGridCore grid;
    FillGrid(grid, Rows, Cols);
    grid.GetParam()->EnableUndo(TRUE);
    std::printf("grid undo, %lu x %lu cells filled; peak working set %llu MB\n", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols), PeakWorkingSetMb());

    Stopwatch watch;
    grid.BeginTrans("Whole Table");
    for (ROWCOL nTop = 1; nTop <= Rows; nTop += BandRows)
        grid.SetValueRange(CGXRange(nTop, 1, nTop + BandRows - 1, Cols), "2");
    grid.CommitTrans();
    std::printf("change of every cell: %lld ms\n", watch.Milliseconds());
    grid.Undo();
    std::printf("its undo: %lld ms (cell 1,1 \"%s\")\n", watch.Milliseconds(),
                static_cast<LPCTSTR>(grid.GetStoredValueRowCol(1, 1)));
    grid.Redo();
    std::printf("its redo: %lld ms (cell 1,1 \"%s\")\n", watch.Milliseconds(),
                static_cast<LPCTSTR>(grid.GetStoredValueRowCol(1, 1)));

    grid.SetValueRange(CGXRange(15000, 5), "kept");
    watch.Milliseconds();
    grid.RemoveRows(1, RemovedRows);
    std::printf("removal of %lu rows keeping their cells: %lld ms (%lu rows left)\n",
                static_cast<unsigned long>(RemovedRows), watch.Milliseconds(),
                static_cast<unsigned long>(grid.GetRowCount()));
    grid.Undo();
    std::printf("its undo: %lld ms (%lu rows, cell 15000,5 \"%s\")\n", watch.Milliseconds(),
                static_cast<unsigned long>(grid.GetRowCount()), static_cast<LPCTSTR>(grid.GetStoredValueRowCol(15000, 5)));
    std::printf("peak working set %llu MB\n", PeakWorkingSetMb());
    return 0;
}
