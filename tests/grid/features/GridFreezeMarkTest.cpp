// Freezing selected columns and rows through the test host's menu, and the header cells that the
// marking of the current cell invalidates.
#include "tests/grid/features/GridHostTestSupport.h"

#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"

#include <string>

namespace
{

class GridFreezeMarkTest : public GridHostTest
{
protected:
    std::string Enabled(UINT nID) { return DumpLine("enabled " + std::to_string(nID) + " "); }
    std::string Value(ROWCOL nRow, ROWCOL nCol)
    {
        return static_cast<LPCTSTR>(View(0).GetStoredValueRowCol(nRow, nCol));
    }
};

TEST_F(GridFreezeMarkTest, FreezeColumnsFreezesTheSelectedWholeColumnsAndUnfreezeEndsIt)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(10, 8));
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZECOLS), "enabled 32838 0") << "nothing selected";
    Command(ID_GRIDHOST_SELECTRANGE, {"0", "4", "0", "5"});
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZECOLS), "enabled 32838 1");
    EXPECT_EQ(Enabled(ID_GRIDHOST_UNFREEZECOLS), "enabled 32839 0");

    Command(ID_GRIDHOST_FREEZECOLS);
    EXPECT_EQ(DumpLine("frozen"), "frozen 0 2");
    EXPECT_EQ(Value(1, 1), "1:4") << "the columns move next to the header";
    EXPECT_EQ(Value(1, 2), "1:5");
    EXPECT_EQ(Value(1, 3), "1:1");
    EXPECT_EQ(DumpLine("selection"), "selection 0");
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZECOLS), "enabled 32838 0");
    EXPECT_EQ(Enabled(ID_GRIDHOST_UNFREEZECOLS), "enabled 32839 1");

    Command(ID_GRIDHOST_UNFREEZECOLS);
    EXPECT_EQ(DumpLine("frozen"), "frozen 0 0");
    EXPECT_EQ(Enabled(ID_GRIDHOST_UNFREEZECOLS), "enabled 32839 0");
    for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
        EXPECT_EQ(Value(2, nCol), "2:" + std::to_string(nCol)) << "moved back";
}

TEST_F(GridFreezeMarkTest, TwoColumnBlocksOrCellsDoNotFreeze)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(10, 8));
    Command(ID_GRIDHOST_SELECTRANGE, {"0", "2", "0", "2"});
    Command(ID_GRIDHOST_ADDRANGE, {"0", "5", "0", "5"});
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZECOLS), "enabled 32838 0");
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "2", "3", "3"});
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZECOLS), "enabled 32838 0") << "a block of cells is no whole columns";
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "0", "3", "0"});
    EXPECT_EQ(Enabled(ID_GRIDHOST_FREEZEROWS), "enabled 32840 1");
    Command(ID_GRIDHOST_FREEZEROWS);
    EXPECT_EQ(DumpLine("frozen"), "frozen 2 0");
    EXPECT_EQ(Value(1, 1), "2:1");
    EXPECT_EQ(Value(3, 1), "1:1");
    EXPECT_EQ(Enabled(ID_GRIDHOST_UNFREEZEROWS), "enabled 32841 1");
    Command(ID_GRIDHOST_UNFREEZEROWS);
    EXPECT_EQ(DumpLine("frozen"), "frozen 0 0");
    EXPECT_EQ(Value(1, 1), "1:1");
    EXPECT_EQ(Value(3, 1), "3:1");
}

TEST_F(GridFreezeMarkTest, MarkingInvalidatesOnlyTheHeaderCellsOfAVisibleCell)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(200, 60));
    CGridHostView& grid = View(0);
    HWND hWnd = grid.GetSafeHwnd();
    struct Case
    {
        const char* name;
        ROWCOL nRow, nCol;
        BOOL bMarks;
    };
    const Case cases[] = {
        {"visible cell", 3, 2, TRUE},
        {"beyond the last visible row and column", 190, 55, FALSE},
    };
    for (const Case& c : cases)
    {
        ::UpdateWindow(hWnd);
        ::ValidateRect(hWnd, nullptr);
        grid.MarkEditHeader(c.nRow, c.nCol, 0, 0);
        HRGN hUpdate = ::CreateRectRgn(0, 0, 0, 0);
        const int nKind = ::GetUpdateRgn(hWnd, hUpdate, FALSE);
        if (!c.bMarks)
            EXPECT_EQ(nKind, NULLREGION) << c.name;
        else
        {
            const CRect rowHeader = grid.CalcSpanRect(CGXRange(c.nRow, 0, c.nRow, 0));
            const CRect colHeader = grid.CalcSpanRect(CGXRange(0, c.nCol, 0, c.nCol));
            HRGN hExpected = ::CreateRectRgnIndirect(&rowHeader);
            HRGN hCol = ::CreateRectRgnIndirect(&colHeader);
            ::CombineRgn(hExpected, hExpected, hCol, RGN_OR);
            EXPECT_TRUE(::EqualRgn(hUpdate, hExpected)) << c.name;
            ::DeleteObject(hCol);
            ::DeleteObject(hExpected);
        }
        ::DeleteObject(hUpdate);
    }
}

} // namespace
