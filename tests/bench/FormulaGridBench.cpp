// A shown grid window of 20,000 x 4 cells whose data is a formula sheet, as the test host shows it with
// /formula: Edit > Paste of one value per line (CF_TEXT on the clipboard) of 20,000 numbers into
// column A before any formula (then their Clear and the paste again, still without formulas), of
// 20,000 formulas =A1*2 .. =A20000*2 into column B, and of 20,000 new numbers into column A under
// those formulas; then Clear of those numbers, its undo and the undo of their paste. Then the
// commands that write over formula cells, with a column C of formulas =B1+1 .. that follow column B:
// formulas =A1*3 .. pasted over the formulas of B, numbers pasted over them and undone, Clear of
// column B and its undo, B1 filled down over the rest of B, and Replace All of a text that every
// formula of C shows. Prints the processor and wall-clock milliseconds of each step with a cell that
// shows its effect, and each step's ratio to the first paste; then the 100,000-cell chain
// recalculation of the recalculation benchmark. The messages a step would show are printed with it.
// Prints figures only, and fails (exit code 2) when a cell does not show what a step must leave
// there. An argument sets the number of rows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/GridComponents.h"
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

// One value per line, row 1 to the last: the row times the factor.
std::string Lines(int nFactor)
{
    std::string text;
    char line[32];
    for (ROWCOL nRow = 1; nRow <= Rows; ++nRow)
    {
        std::snprintf(line, sizeof line, "%lu\r\n", static_cast<unsigned long>(nRow) * nFactor);
        text += line;
    }
    return text;
}

// One formula per line, row 1 to the last: "=<column><row><operation>", such as =A1*2.
std::string FormulaLines(char column, const char* pszOperation)
{
    std::string text;
    char line[48];
    for (ROWCOL nRow = 1; nRow <= Rows; ++nRow)
    {
        std::snprintf(line, sizeof line, "=%c%lu%s\r\n", column, static_cast<unsigned long>(nRow), pszOperation);
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
    // value the cell shows then. Each expected value is checked after the step: the cell at (row,
    // column) must show the text of the function of its row.
    struct Expected
    {
        ROWCOL nCol;
        std::string (*value)(ROWCOL nRow);
    };
    template <class Step>
    void Run(const char* pszName, ROWCOL nRow, ROWCOL nCol, Step step, std::initializer_list<Expected> expected = {},
             int nMessages = 0)
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
        if (expected.size() > 0 && static_cast<int>(m_boxes.calls.size()) != nMessages)
            Wrong(pszName, "messages", std::to_string(m_boxes.calls.size()), std::to_string(nMessages));
        m_boxes.calls.clear();
        // A few rows: the first, the second, one in the middle, the last.
        for (const Expected& cell : expected)
            for (ROWCOL nCheckRow : {ROWCOL(1), ROWCOL(2), Rows / 2 + 1, Rows})
            {
                const std::string shown = static_cast<LPCTSTR>(m_grid.GetValueRowCol(nCheckRow, cell.nCol));
                const std::string wanted = cell.value(nCheckRow);
                if (shown != wanted)
                    Wrong(pszName, "cell " + std::to_string(nCheckRow) + "," + std::to_string(cell.nCol), shown, wanted);
            }
        std::fflush(stdout);
    }
    BOOL AllRight() const { return m_bAllRight; }

private:
    void Wrong(const char* pszStep, const std::string& what, const std::string& shown, const std::string& wanted)
    {
        std::printf("    WRONG after \"%s\": %s is \"%s\", must be \"%s\"\n", pszStep, what.c_str(), shown.c_str(),
                    wanted.c_str());
        m_bAllRight = FALSE;
    }

    CGXGridWnd& m_grid;
    CRecordingMessageBox m_boxes;
    double m_dFirstMs = 0;
    BOOL m_bAllRight = TRUE;
};

// The values the steps leave, by row.
std::string Times(ROWCOL nRow, unsigned long nFactor, unsigned long nAdd = 0)
{
    return std::to_string(static_cast<unsigned long>(nRow) * nFactor + nAdd);
}
std::string RowTimesOne(ROWCOL nRow) { return Times(nRow, 1); }
std::string RowTimesTwo(ROWCOL nRow) { return Times(nRow, 2); }
std::string RowTimesTwoPlusOne(ROWCOL nRow) { return Times(nRow, 2, 1); }
std::string RowTimesThree(ROWCOL nRow) { return Times(nRow, 3); }
std::string RowTimesThreePlusOne(ROWCOL nRow) { return Times(nRow, 3, 1); }
std::string RowTimesFive(ROWCOL nRow) { return Times(nRow, 5); }
std::string RowTimesFivePlusOne(ROWCOL nRow) { return Times(nRow, 5, 1); }
std::string Nothing(ROWCOL) { return ""; }
std::string AnError(ROWCOL) { return "Error!"; }
std::string Three(ROWCOL) { return "3"; }
std::string Four(ROWCOL) { return "4"; }
std::string Forty(ROWCOL) { return "40"; }

// Edit > Paste at the top of the column, with nothing selected.
void PasteInto(CGXGridWnd& grid, ROWCOL nCol, const std::string& text)
{
    PutText(text);
    grid.SetSelection(0);
    grid.MoveCurrentCell(1, nCol);
    grid.Paste();
}
// Edit > Clear of the values of a column, selected.
void ClearColumn(CGXGridWnd& grid, ROWCOL nCol)
{
    grid.SetSelection(0);
    grid.SelectRange(CGXRange(1, nCol, Rows, nCol));
    grid.Clear(FALSE);
}
// The fill handle of the first cell of a column dragged down to the last row: its value repeated.
void FillDown(CGXGridWnd& grid, ROWCOL nCol)
{
    grid.SetSelection(0);
    grid.GetParam()->m_wFillFlags = 1;
    grid.DoExcelLikeFill(CGXRange(1, nCol), CGXRange(1, nCol, Rows, nCol));
}
// Replace All from the top of a column, in one undo step, as the replace dialog's button does it.
void ReplaceAllInColumn(CGXGridWnd& grid, ROWCOL nCol, const char* pszFind, const char* pszReplace)
{
    grid.SetSelection(0);
    grid.MoveCurrentCell(1, nCol);
    CGXFindReplaceSettings settings;
    settings.strFind = pszFind;
    settings.bTransaction = TRUE;
    grid.OnReplaceAll(&settings, pszReplace, FALSE);
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

    const std::string numbers = Lines(1);
    const std::string formulas = FormulaLines('A', "*2");
    const std::string newNumbers = Lines(3);
    Steps steps(grid);
    steps.Run("numbers pasted, no formulas", Rows, 1, [&] { PasteInto(grid, 1, numbers); });
    // What a clear and a paste over filled cells cost the grid itself, for the figures below.
    steps.Run("clear of the numbers, no formulas", Rows, 1, [&] { ClearColumn(grid, 1); });
    steps.Run("numbers pasted again, no formulas", Rows, 1, [&] { PasteInto(grid, 1, numbers); });
    steps.Run("formulas pasted", Rows, 2, [&] { PasteInto(grid, 2, formulas); });
    steps.Run("numbers pasted under the formulas", Rows, 2, [&] { PasteInto(grid, 1, newNumbers); });
    steps.Run("clear of those numbers", Rows, 2, [&] { ClearColumn(grid, 1); });
    steps.Run("undo of the clear", Rows, 2, [&] { grid.Undo(); });
    steps.Run("undo of the numbers' paste", Rows, 2, [&] { grid.Undo(); },
              {{1, RowTimesOne}, {2, RowTimesTwo}});

    // Commands that write over formulas, with the formulas of C following those of B.
    const std::string followers = FormulaLines('B', "+1");
    const std::string otherFormulas = FormulaLines('A', "*3");
    const std::string otherNumbers = Lines(5);
    steps.Run("formulas following them pasted", Rows, 3, [&] { PasteInto(grid, 3, followers); },
              {{2, RowTimesTwo}, {3, RowTimesTwoPlusOne}});
    steps.Run("formulas pasted over formulas", Rows, 3, [&] { PasteInto(grid, 2, otherFormulas); },
              {{2, RowTimesThree}, {3, RowTimesThreePlusOne}});
    steps.Run("numbers pasted over formulas", Rows, 3, [&] { PasteInto(grid, 2, otherNumbers); },
              {{2, RowTimesFive}, {3, RowTimesFivePlusOne}});
    steps.Run("undo of those numbers", Rows, 3, [&] { grid.Undo(); },
              {{2, RowTimesThree}, {3, RowTimesThreePlusOne}});
    // Every formula of C then meets an empty cell: one message for the error.
    steps.Run("clear of a column of formulas", Rows, 3, [&] { ClearColumn(grid, 2); },
              {{2, Nothing}, {3, AnError}}, 1);
    steps.Run("undo of the clear", Rows, 3, [&] { grid.Undo(); }, {{2, RowTimesThree}, {3, RowTimesThreePlusOne}});
    steps.Run("a formula filled down over formulas", Rows, 3, [&] { FillDown(grid, 2); }, {{2, Three}, {3, Four}});
    steps.Run("replace all in formula values", Rows, 3, [&] { ReplaceAllInColumn(grid, 3, "4", "40"); },
              {{1, RowTimesOne}, {3, Forty}});

    PrintRecalculation("chain", true);
    grid.DestroyWindow();
    if (!steps.AllRight())
    {
        std::printf("some cells did not show what they must\n");
        return 2;
    }
    return 0;
}
