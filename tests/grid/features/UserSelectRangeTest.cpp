// User selection: presses, drags, Ctrl and Shift on the host's grid build the shared selection list.
#include "tests/grid/features/GestureTestSupport.h"

namespace
{
using Ranges = std::vector<std::string>;

class UserSelectRangeTest : public GestureTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartGestureHost()); }
};

TEST_F(UserSelectRangeTest, TwoPressesOnTheCornerSelectTheTableAndClearIt)
{
    Click(Center(0, 0));
    EXPECT_EQ(Selection(), Ranges{"range table"});
    Click(Center(0, 0));
    EXPECT_EQ(Selection(), Ranges{});
}

TEST_F(UserSelectRangeTest, APlainClickMovesTheCurrentCellAndSelectsNothing)
{
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "2", "3", "3"});
    Click(Center(4, 3));
    EXPECT_EQ(Selection(), Ranges{});
    EXPECT_EQ(DumpLine("view 1"), "view 1 pane 0 0 top 1 left 1 current 4 3");

    // Kept, the click's range is one cell that the list holds.
    Command(ID_GRIDHOST_CLICKKEEPSRANGE);
    Click(Center(5, 2));
    EXPECT_EQ(DumpLine("selection"), "selection 1");
}

TEST_F(UserSelectRangeTest, CtrlClickWithNothingSelectedSelectsTheFormerCurrentCellAndTheClickedOne)
{
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    Click(Center(4, 3), TRUE);
    EXPECT_EQ(Selection(), (Ranges{"range cells 2 2 2 2", "range cells 4 3 4 3"}));
}

TEST_F(UserSelectRangeTest, ShiftClickWithAnEmptyListSelectsFromTheCurrentCellOrTheFirstCell)
{
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    Click(Center(4, 3), FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 2 2 4 3"});

    Command(ID_GRIDHOST_RESETSAMPLE);
    Click(Center(3, 4), FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 1 1 3 4"});
}

TEST_F(UserSelectRangeTest, ADragIntoTheHeadersNeverSelectsHeaderCells)
{
    const CPoint colHeader(Center(0, 2));
    const CPoint rowHeader(Center(2, 0));
    const CPoint corner(Center(0, 0));
    Drag(Center(3, 3), {Center(4, 4), colHeader}, colHeader);
    EXPECT_EQ(Selection(), Ranges{"range cells 1 2 3 3"});
    Drag(Center(3, 3), {rowHeader}, rowHeader);
    EXPECT_EQ(Selection(), Ranges{"range cells 2 1 3 3"});
    Drag(Center(3, 3), {corner}, corner);
    EXPECT_EQ(Selection(), Ranges{"range cells 1 1 3 3"});
}

TEST_F(UserSelectRangeTest, DraggingInTheHeadersSelectsWholeRowsAndColumns)
{
    Drag(Center(2, 0), {Center(3, 0), Center(5, 0)}, Center(5, 0));
    EXPECT_EQ(Selection(), Ranges{"range rows 2 5"});
    Drag(Center(0, 4), {Center(0, 2)}, Center(0, 2));
    EXPECT_EQ(Selection(), Ranges{"range cols 2 4"});
}

TEST_F(UserSelectRangeTest, DeselectingMiddleRowsOfASelectedTableLeavesTwoRowRanges)
{
    Click(Center(0, 0));
    Grid().SelectRange(CGXRange().SetRows(3, 4), FALSE);
    EXPECT_EQ(Selection(), (Ranges{"range rows 1 2", "range rows 5 10"}));
    // Cut out of cells, the pieces are cells: above, below, left and right of the hole.
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "2", "6", "5"});
    Grid().SelectRange(CGXRange(4, 3), FALSE);
    EXPECT_EQ(Selection(), (Ranges{"range cells 2 2 3 5", "range cells 5 2 6 5", "range cells 2 2 6 2",
                                   "range cells 2 4 6 5"}));
}

TEST_F(UserSelectRangeTest, WithSelectionFlagsZeroNoGestureChangesAnything)
{
    Command(ID_GRIDHOST_SELECTIONFLAGS, {"0"});
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    Click(Center(0, 0));
    Drag(Center(3, 3), {Center(5, 5)}, Center(5, 5));
    Click(Center(4, 4), FALSE, TRUE);
    Click(Center(4, 4), TRUE);
    Drag(Center(2, 0), {Center(4, 0)}, Center(4, 0));
    Key(VK_RIGHT, FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{});
}

TEST_F(UserSelectRangeTest, ShiftWithTheArrowKeysExtendsTheRangeFromTheCurrentCell)
{
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    ::SetFocus(GridHwnd());
    Key(VK_RIGHT, FALSE, TRUE);
    Key(VK_RIGHT, FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 2 2 2 4"});
    Key(VK_DOWN, FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 2 2 3 4"});
    Key(VK_UP, FALSE, TRUE);
    Key(VK_UP, FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 1 2 2 4"});
    // A move without Shift leaves the range and starts the next extension afresh.
    Key(VK_LEFT);
    Key(VK_DOWN, FALSE, TRUE);
    EXPECT_EQ(Selection(), Ranges{"range cells 1 3 2 3"});
}

TEST_F(UserSelectRangeTest, InListBoxModeEveryRangeIsWholeRows)
{
    struct Case
    {
        const char* pszMode;
        BOOL bCtrl;
        Ranges expected;
    };
    const Case cases[] = {
        // Single rows: a press selects its row at once, Ctrl does not add.
        {"1", FALSE, {"range rows 5 5"}},
        {"1", TRUE, {"range rows 5 5"}},
        // Ctrl and Shift count: Ctrl adds the row to the one selected before.
        {"2", TRUE, {"range rows 2 2", "range rows 5 5"}},
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_RESETSAMPLE);
        Command(ID_GRIDHOST_LISTBOXMODE, {c.pszMode});
        Click(Center(2, 3));
        Click(Center(5, 2), c.bCtrl);
        EXPECT_EQ(Selection(), c.expected) << c.pszMode << " " << c.bCtrl;
    }
    // The move keys select the current row.
    Command(ID_GRIDHOST_RESETSAMPLE);
    Command(ID_GRIDHOST_LISTBOXMODE, {"1"});
    Click(Center(5, 2));
    Key(VK_DOWN);
    EXPECT_EQ(Selection(), Ranges{"range rows 6 6"});
}

TEST_F(UserSelectRangeTest, CtrlClickOnTheHeaderOfARowSelectedAmongOthersDeselectsIt)
{
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "0", "5", "0"});
    Command(ID_GRIDHOST_ADDRANGE, {"8", "2", "8", "3"});
    Click(Center(3, 0), TRUE);
    EXPECT_EQ(Selection(), (Ranges{"range cells 8 2 8 3", "range rows 2 2", "range rows 4 5"}));
}
} // namespace
