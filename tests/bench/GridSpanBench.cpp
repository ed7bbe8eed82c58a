// Paints a 100,000 x 20 grid page by page from top to bottom with merged cells (delayed, mode 1)
// and floating cells (delayed, mode 1): a group label repeated down column 1 over runs of 25 rows,
// and in column 2 a long text on every other row that floats over the empty cells to its right.
// Every page evaluates the spans of its rows as it is painted. Prints the time per page and in
// all, and the same pages painted with both modes off. An argument limits the number of pages.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 20;
const ROWCOL GroupRows = 25;

struct Timing
{
    long long ticks = 0;
    int pages = 0;
};

// Pages from the top down: each step scrolls to the row after the last one fully shown.
Timing PaintPages(CGXGridWnd& grid, CDC& dc, int nMaxPages)
{
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    Timing timing;
    grid.SetTopRow(1, GX_INVALIDATE);
    for (ROWCOL nTop = 1; nTop <= Rows && timing.pages < nMaxPages;)
    {
        ::QueryPerformanceCounter(&start);
        grid.SetTopRow(nTop, GX_INVALIDATE);
        grid.DrawGridArea(&dc);
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        timing.ticks += end.QuadPart - start.QuadPart;
        ++timing.pages;
        const ROWCOL nLast = grid.GetLastVisibleRow();
        nTop = nLast > nTop ? nLast : nTop + 1;
    }
    return timing;
}
}  // namespace

int main(int argc, char** argv)
{
    const int nMaxPages = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 1000000;
    GXStartLibrary();
    CGXGridWnd grid;
    if (!grid.CreateEx(0, "GXWND", "Grid spans", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0))
    {
        std::printf("the grid window could not be created\n");
        return 1;
    }
    grid.Initialize();
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetRowCount(Rows);
    grid.SetColCount(Cols);
    const BOOL bOldLock = grid.SetLockUpdate(TRUE);
    CGXStyle label;
    label.SetMergeCell(2).SetVerticalAlignment(DT_VCENTER);
    for (ROWCOL nRow = 1; nRow <= Rows; ++nRow)
    {
        char text[64];
        std::snprintf(text, sizeof(text), "Group %lu", static_cast<unsigned long>((nRow - 1) / GroupRows + 1));
        label.SetValue(text);
        grid.SetStyleRange(CGXRange(nRow, 1), label);
        if (nRow % 2 == 0)
        {
            std::snprintf(text, sizeof(text), "A long description of item %lu that floats on",
                          static_cast<unsigned long>(nRow));
            grid.SetValueRange(CGXRange(nRow, 2), text);
        }
    }
    grid.SetLockUpdate(bOldLock);

    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    CClientDC dc(&grid);
    auto report = [&](const char* what, const Timing& timing) {
        const long long totalMillis = timing.ticks * 1000 / frequency.QuadPart;
        const long long pageMicros = timing.pages > 0 ? timing.ticks * 1000000 / frequency.QuadPart / timing.pages : 0;
        std::printf("%s: %d pages, %lld us per page, %lld ms in all\n", what, timing.pages, pageMicros, totalMillis);
    };

    report("both modes off        ", PaintPages(grid, dc, nMaxPages));
    grid.SetMergeCellsMode(1, FALSE);
    grid.SetFloatCellsMode(1, FALSE);
    report("merge 1 and float 1   ", PaintPages(grid, dc, nMaxPages));
    // The spans are known now: the same pages again cost only their drawing.
    report("again, spans evaluated", PaintPages(grid, dc, nMaxPages));
    grid.DestroyWindow();
    return 0;
}
