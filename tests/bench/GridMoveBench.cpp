// Moving rows on a 100,000 x 10 grid: a block of 1,000 rows from the top to the end with its Undo,
// and one cell deselected from a whole-table selection. Prints the milliseconds of each step.
#include <windows.h>

#include <cstdio>

#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "tests/bench/BenchSupport.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 10;
const ROWCOL BlockRows = 1000;
} // namespace

int main()
{
    GXStartLibrary();
    CGXGridCore grid;
    FillGrid(grid, Rows, Cols);
    grid.SetValueRange(CGXRange(1, 1), "first");
    grid.GetParam()->EnableUndo(TRUE);
    std::printf("grid move, %lu x %lu cells filled\n", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols));

    Stopwatch watch;
    const ROWCOL nDest = Rows - BlockRows + 1;
    grid.MoveRows(1, BlockRows, nDest);
    std::printf("move of rows 1-%lu to the end: %.3f ms (cell %lu,1 \"%s\")\n", static_cast<unsigned long>(BlockRows),
                watch.PreciseMilliseconds(), static_cast<unsigned long>(nDest),
                static_cast<LPCTSTR>(grid.GetStoredValueRowCol(nDest, 1)));
    grid.Undo();
    std::printf("its undo: %.3f ms (cell 1,1 \"%s\")\n", watch.PreciseMilliseconds(),
                static_cast<LPCTSTR>(grid.GetStoredValueRowCol(1, 1)));

    grid.SelectRange(CGXRange().SetTable());
    watch.PreciseMilliseconds();
    grid.SelectRange(CGXRange(Rows / 2, Cols / 2), FALSE);
    std::printf("one cell deselected from the whole table: %.3f ms (%ld ranges)\n", watch.PreciseMilliseconds(),
                static_cast<long>(grid.GetParam()->m_SelRects.GetCount()));
    return 0;
}
