// A shown grid window of 20,000 x 4 cells whose data is a formula sheet, as the test host shows it with
// /formula: Edit > Paste of one value per line (CF_TEXT on the clipboard) of 20,000 numbers into
// column A before any formula (then their Clear and the paste again, still without formulas), of
// 20,000 formulas =A1*2 .. =A20000*2 into column B, and of 20,000 new numbers into column A under
// those formulas; then Clear of those numbers, its undo and the undo of their paste. Prints the
// processor and wall-clock milliseconds of each step with a cell that shows its effect, and each
// step's ratio to the first paste; then the 100,000-cell chain recalculation of the recalculation
// benchmark. The messages a step would show are printed with it. Prints figures only; never fails.
// An argument sets the number of rows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Range.h"
#include "grid/formula/FormulaSheet.h"
#include "tests/bench/BenchSupport.h"
#include "tests/bench/RecalcSupport.h"

namespace
{
// The host's case; an argument sets another number of rows (fewer for a profiler).
ROWCOL Rows = 20000;
const ROWCOL Cols = 4;

double ProcessorMs()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

void PutText(const std::string& text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (hData != nullptr)
    {
        std::memcpy(::GlobalLock(hData), text.c_str(), text.size() + 1);
        ::GlobalUnlock(hData);
        if (::SetClipboardData(CF_TEXT, hData) == nullptr)
            ::GlobalFree(hData);
    }
    ::CloseClipboard();
}

// One value per line, row 1 to the last: "=A<row>*2" for formulas, else the row times the factor.
std::string Lines(bool bFormulas, int nFactor)
{
    std::string text;
    char line[32];
    for (ROWCOL nRow = 1; nRow <= Rows; ++nRow)
    {
        if (bFormulas)
            std::snprintf(line, sizeof line, "=A%lu*2\r\n", static_cast<unsigned long>(nRow));
        else
            std::snprintf(line, sizeof line, "%lu\r\n", static_cast<unsigned long>(nRow) * nFactor);
        text += line;
    }
    return text;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The messages of a step (an evaluation error it met) are printed with it, not shown.
class Steps
{
public:
    explicit Steps(CGXGridWnd& grid) : m_grid(grid) { AfxSetMessageBoxSeam(&m_boxes); }
    ~Steps() { AfxSetMessageBoxSeam(nullptr); }

    // The step runs, the window paints what it invalidated, and the times are printed with the
    // value the cell shows then.
    template <class Step>
    void Run(const char* pszName, ROWCOL nRow, ROWCOL nCol, Step step)
    {
        PumpMessages();
        Stopwatch watch;
        const double dStart = ProcessorMs();
        step();
        ::UpdateWindow(m_grid.m_hWnd);
        const double dProcessorMs = ProcessorMs() - dStart;
        const double dWallMs = watch.PreciseMilliseconds();
        if (m_dFirstMs <= 0)
            m_dFirstMs = dProcessorMs;
        std::printf("%-40s processor %9.1f ms  wall %9.1f ms  (%5.1fx)  cell %lu,%lu \"%s\"\n", pszName,
                    dProcessorMs, dWallMs, m_dFirstMs > 0 ? dProcessorMs / m_dFirstMs : 0.0,
                    static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol),
                    static_cast<LPCTSTR>(m_grid.GetValueRowCol(nRow, nCol)));
        for (const CRecordingMessageBox::Call& call : m_boxes.calls)
            std::printf("    message: %s\n", call.text.c_str());
        m_boxes.calls.clear();
        std::fflush(stdout);
    }

private:
    CGXGridWnd& m_grid;
    CRecordingMessageBox m_boxes;
    double m_dFirstMs = 0;
};

// Edit > Paste at the top of the column, with nothing selected.
void PasteInto(CGXGridWnd& grid, ROWCOL nCol, const std::string& text)
{
    PutText(text);
    grid.SetSelection(0);
    grid.MoveCurrentCell(1, nCol);
    grid.Paste();
}
// Edit > Clear of the values of column A, selected.
void ClearColumnA(CGXGridWnd& grid)
{
    grid.SetSelection(0);
    grid.SelectRange(CGXRange(1, 1, Rows, 1));
    grid.Clear(FALSE);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        Rows = static_cast<ROWCOL>(std::atoi(argv[1]));
    GXStartLibrary();
    CGXGridWnd grid;
    grid.m_pDataRuntimeClass = RUNTIME_CLASS(CGXFormulaSheet);
    if (!grid.CreateEx(0, "GXWND", "Formula grid", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0))
    {
        std::printf("the grid window could not be created\n");
        return 1;
    }
    grid.Initialize();
    grid.SetRowCount(Rows);
    grid.SetColCount(Cols);
    grid.GetParam()->EnableUndo(TRUE);
    std::printf("formula grid, %lu x %lu cells, undo on\n", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols));
    std::fflush(stdout);

    const std::string numbers = Lines(false, 1);
    const std::string formulas = Lines(true, 0);
    const std::string newNumbers = Lines(false, 3);
    Steps steps(grid);
    steps.Run("numbers pasted, no formulas", Rows, 1, [&] { PasteInto(grid, 1, numbers); });
    // What a clear and a paste over filled cells cost the grid itself, for the figures below.
    steps.Run("clear of the numbers, no formulas", Rows, 1, [&] { ClearColumnA(grid); });
    steps.Run("numbers pasted again, no formulas", Rows, 1, [&] { PasteInto(grid, 1, numbers); });
    steps.Run("formulas pasted", Rows, 2, [&] { PasteInto(grid, 2, formulas); });
    steps.Run("numbers pasted under the formulas", Rows, 2, [&] { PasteInto(grid, 1, newNumbers); });
    steps.Run("clear of those numbers", Rows, 2, [&] { ClearColumnA(grid); });
    steps.Run("undo of the clear", Rows, 2, [&] { grid.Undo(); });
    steps.Run("undo of the numbers' paste", Rows, 2, [&] { grid.Undo(); });

    PrintRecalculation("chain", true);
    grid.DestroyWindow();
    return 0;
}
