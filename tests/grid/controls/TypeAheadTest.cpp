// Keys typed ahead into a grid of edit cells: keys queued back to back, as a fast typist or a busy
// program leaves them, fill the cells exactly as the same keys typed one at a time.
#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "tests/grid/controls/GridControlsTestResources.h"
#include "tests/tools/KeyScript.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace
{
// Dispatches the waiting messages until none has come for a while.
void PumpUntilIdle()
{
    for (int nQuiet = 0; nQuiet < 4;)
    {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            nQuiet = 0;
        }
        else
        {
            ::Sleep(5);
            ++nQuiet;
        }
    }
}

struct TypeAheadCase
{
    const char* name;
    const char* script;
    int nEnterDirection;  // where Enter moves (0: it only ends the editing)
    WORD wActivateCell;   // 1: a cell's editing starts with a key; 5: also when the cell becomes current
    const char* table;    // the expected rows, '|' between rows and ',' between the two columns
};

void PrintTo(const TypeAheadCase& test, std::ostream* os)
{
    *os << test.name;
}

const TypeAheadCase TypeAheadCases[] = {
    {"DownEndsEachRow", "12D34D56D78D9.5D0D", 0, 1, "12|34|56|78|9.5|0"},
    {"EnterMovesDown", "12E34E56E78E9.5E0E", GX_DOWN, 1, "12|34|56|78|9.5|0"},
    {"EnterThenDown", "12ED34ED56ED78ED", 0, 1, "12|34|56|78"},
    {"EnterStaysThenRetyped", "12E34D56E", 0, 1, "34|56"},
    {"CaretKeysInsideTheCell", "123BB4D56LL7D8X9D", 0, 1, "14|756|9"},
    {"TabAlongTheRow", "1T2DL3T4DUU5D", 0, 1, "1,5|3,4"},
    // The key that moves on types nothing into the next cell's editor that opens at once.
    {"EnterIntoACellThatEditsAtOnce", "12E34E56E", GX_DOWN, 5, "12|34|56"},
    {"TabIntoACellThatEditsAtOnce", "1T2DL3T4D", 0, 5, "1,2|3,4"},
};

class TypeAheadTest : public ::testing::TestWithParam<TypeAheadCase>
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(dlg.Create(IDD_CELLS_TEST));
        ASSERT_TRUE(grid.SubclassDlgItem(IDC_CELLS_GRID, &dlg));
        grid.Initialize();
        grid.SetRowCount(12);
        grid.SetColCount(2);
        dlg.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(dlg.m_hWnd);
        PumpUntilIdle();
        ASSERT_EQ(::GetForegroundWindow(), dlg.m_hWnd);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }

    // The table typed by the script at the pace, from the first cell of an empty grid: the values
    // in the form of the case's table, then the current cell.
    std::string Typed(const TypeAheadCase& test, KeyPace pace)
    {
        grid.GetParam()->m_nEnterKeyDirection = test.nEnterDirection;
        grid.GetParam()->m_wActivateCell = test.wActivateCell;
        grid.SetValueRange(CGXRange(1, 1, grid.GetRowCount(), grid.GetColCount()), "");
        grid.SetFocus();
        grid.MoveCurrentCell(1, 1);
        PumpUntilIdle();
        TypeKeyScript(test.script, pace, PumpUntilIdle);
        return TableText();
    }

    std::string TableText()
    {
        std::string text;
        ROWCOL nLastRow = 0;
        for (ROWCOL nRow = 1; nRow <= grid.GetRowCount(); ++nRow)
            if (!grid.GetValueRowCol(nRow, 1).IsEmpty() || !grid.GetValueRowCol(nRow, 2).IsEmpty())
                nLastRow = nRow;
        for (ROWCOL nRow = 1; nRow <= nLastRow; ++nRow)
        {
            if (nRow > 1)
                text += '|';
            text += static_cast<LPCTSTR>(grid.GetValueRowCol(nRow, 1));
            if (!grid.GetValueRowCol(nRow, 2).IsEmpty())
                text += std::string(",") + static_cast<LPCTSTR>(grid.GetValueRowCol(nRow, 2));
        }
        ROWCOL nRow = 0, nCol = 0;
        grid.GetCurrentCell(nRow, nCol);
        return text + " at " + std::to_string(nRow) + "," + std::to_string(nCol);
    }

    CDialog dlg;
    CGXGridWnd grid;
};

TEST_P(TypeAheadTest, KeysQueuedBackToBackFillTheTableAsKeysTypedSlowly)
{
    const TypeAheadCase& test = GetParam();
    const std::string slow = Typed(test, KeyPace::Slow);
    EXPECT_EQ(slow.substr(0, slow.find(" at ")), test.table);
    for (KeyPace pace : {KeyPace::Burst, KeyPace::TypeAhead, KeyPace::Typist})
        EXPECT_EQ(Typed(test, pace), slow) << KeyPaceName(pace);
}

INSTANTIATE_TEST_SUITE_P(Scripts, TypeAheadTest, ::testing::ValuesIn(TypeAheadCases),
                         [](const ::testing::TestParamInfo<TypeAheadCase>& info) { return info.param.name; });
}  // namespace
