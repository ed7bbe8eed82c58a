// Paints the visible page of a 100,000 x 50 grid 1,000 times while scrolling down and right, through
// the grid's own paint path into its window, and prints the time per paint.
#include <windows.h>

#include <cstdio>

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/GridWnd.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 50;
const int Paints = 1000;
}

int main()
{
    GXStartLibrary();
    CGXGridWnd grid;
    if (!grid.CreateEx(0, "GXWND", "Grid paint", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0))
    {
        std::printf("the grid window could not be created\n");
        return 1;
    }
    grid.Initialize();
    grid.SetRowCount(Rows);
    grid.SetColCount(Cols);
    for (ROWCOL nRow = 1; nRow <= 40; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 10; ++nCol)
            grid.SetValueRange(CGXRange(nRow * 97, nCol), "12345.678");

    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    CClientDC dc(&grid);
    long long paintTicks = 0;
    long long scrollTicks = 0;
    for (int i = 0; i < Paints; ++i)
    {
        LARGE_INTEGER start;
        LARGE_INTEGER scrolled;
        LARGE_INTEGER painted;
        ::QueryPerformanceCounter(&start);
        grid.SetTopRow(1 + static_cast<ROWCOL>(i) * 97 % (Rows - 100), GX_INVALIDATE);
        grid.SetLeftCol(1 + static_cast<ROWCOL>(i) % (Cols - 20), GX_INVALIDATE);
        ::QueryPerformanceCounter(&scrolled);
        grid.DrawGridArea(&dc);
        ::GdiFlush();
        ::QueryPerformanceCounter(&painted);
        scrollTicks += scrolled.QuadPart - start.QuadPart;
        paintTicks += painted.QuadPart - scrolled.QuadPart;
    }
    const long long paintMicros = paintTicks * 1000000 / frequency.QuadPart;
    const long long scrollMicros = scrollTicks * 1000000 / frequency.QuadPart;
    std::printf("grid paint, 100000 x 50, 1024 x 768 window: %lld us per paint, %lld us per scroll step (%d paints)\n",
                paintMicros / Paints, scrollMicros / Paints, Paints);
    grid.DestroyWindow();
    return 0;
}
