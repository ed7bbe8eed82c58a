#pragma once
// What the grid benchmarks share: a stopwatch read step by step, and a large grid of values.

#include <windows.h>

#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"

// Each reading gives the time since the start or the previous reading.
class Stopwatch
{
public:
    Stopwatch() { ::QueryPerformanceFrequency(&m_frequency); ::QueryPerformanceCounter(&m_start); }
    long long Milliseconds() { return Lap() * 1000 / m_frequency.QuadPart; }
    // Fractions of a millisecond too, for short steps.
    double PreciseMilliseconds()
    {
        return static_cast<double>(Lap()) * 1000.0 / static_cast<double>(m_frequency.QuadPart);
    }

private:
    LONGLONG Lap()
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        const LONGLONG ticks = now.QuadPart - m_start.QuadPart;
        m_start = now;
        return ticks;
    }

    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

// Initialises the grid with nRows x nCols cells, each holding the value; undo stays off.
inline void FillGrid(CGXGridCore& grid, ROWCOL nRows, ROWCOL nCols, const char* pszValue = "1")
{
    grid.InitializeGrid();
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetRowCount(nRows);
    grid.SetColCount(nCols);
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= nCols; ++nCol)
            grid.SetValueRange(CGXRange(nRow, nCol), pszValue);
}
