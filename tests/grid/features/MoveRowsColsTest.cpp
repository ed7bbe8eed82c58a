// Moving rows and columns: dragging selected rows by their headers on the host's grid, and the move
// itself with what travels with the rows, the current cell and undo.
#include "tests/grid/features/GestureTestSupport.h"

#include <algorithm>

namespace
{
using Lines = std::vector<std::string>;

class MoveRowsColsTest : public GestureTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartGestureHost(12, 4)); }

    // The sample's value in the first column of each row 1..8, by the row it came from.
    std::string FirstColumn()
    {
        std::string rows;
        for (ROWCOL nRow = 1; nRow <= 8; ++nRow)
        {
            const CString value = Grid().GetValueRowCol(nRow, 1);
            rows += std::string(value).substr(0, std::string(value).find(':')) + (nRow < 8 ? " " : "");
        }
        return rows;
    }
    // Rows 3-5 selected, their header dragged from row 4 to a point in the given row and dropped.
    void DragRowsThreeToFiveInto(ROWCOL nDropRow, BOOL bCtrl = FALSE)
    {
        Command(ID_GRIDHOST_SELECTRANGE, {"3", "0", "5", "0"});
        const CPoint to = Center(nDropRow, 0);
        Drag(Center(4, 0), {Center(6, 0), to}, to, bCtrl);
    }
};

TEST_F(MoveRowsColsTest, SelectedRowsDroppedBeforeAnotherRowMoveThere)
{
    struct Case
    {
        ROWCOL nDropRow;
        const char* pszRows;
        const char* pszUndo;
    };
    const Case cases[] = {
        {9, "1 2 6 7 8 3 4 5", "undo 1 \"Move Rows\""}, // MoveRows(3, 5, 6)
        {2, "1 3 4 5 2 6 7 8", "undo 1 \"Move Rows\""}, // MoveRows(3, 5, 2)
        {6, "1 2 3 4 5 6 7 8", "undo 0 \"\""},          // just after itself: nothing
        {4, "1 2 3 4 5 6 7 8", "undo 0 \"\""},          // inside itself: nothing
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_RESETSAMPLE);
        DragRowsThreeToFiveInto(c.nDropRow);
        EXPECT_EQ(FirstColumn(), c.pszRows) << c.nDropRow;
        EXPECT_EQ(DumpLine("undo "), c.pszUndo) << c.nDropRow;
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(MoveRowsColsTest, SelectedColumnsDraggedByTheirHeaderMoveToo)
{
    Command(ID_GRIDHOST_SELECTRANGE, {"0", "1", "0", "2"});
    Drag(Center(0, 1), {Center(0, 3), Center(0, 4)}, Center(0, 4));
    // Dropped before column 4: MoveCols(1, 2, 2).
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:3\"");
    EXPECT_EQ(DumpLine("cell 1 2"), "cell 1 2 \"1:1\"");
    EXPECT_EQ(DumpLine("cell 1 3"), "cell 1 3 \"1:2\"");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Move Columns\"");
    // The selection moved with its columns.
    EXPECT_EQ(Selection(), Lines{"range cols 2 3"});
}

TEST_F(MoveRowsColsTest, WithTheTableSelectedOrCtrlHeldNoDragStarts)
{
    DragRowsThreeToFiveInto(9, TRUE);
    EXPECT_EQ(FirstColumn(), "1 2 3 4 5 6 7 8");
    // Ctrl made the press a selection gesture instead: rows 4 to 9 were added.
    EXPECT_EQ(Selection(), (Lines{"range rows 3 5", "range rows 4 9"}));

    Command(ID_GRIDHOST_CLEARSELECTION);
    Click(Center(0, 0));
    Drag(Center(4, 0), {Center(9, 0)}, Center(9, 0));
    EXPECT_EQ(FirstColumn(), "1 2 3 4 5 6 7 8");
    EXPECT_EQ(Selection(), Lines{"range rows 4 9"});
}

TEST_F(MoveRowsColsTest, MovedRowsTakeTheirCellsSizesAndHiddenFlagsAndOneUndoRestoresAll)
{
    Command(ID_GRIDHOST_ROWHEIGHT, {"4", "31"});
    Grid().HideRows(4, 4);
    Command(ID_GRIDHOST_GOTOCELL, {"4", "2"});
    Command(ID_GRIDHOST_MOVEROWS, {"3", "5", "6"});
    EXPECT_EQ(FirstColumn(), "1 2 6 7 8 3 4 5");
    EXPECT_EQ(DumpLine("hidden rows"), "hidden rows 7");
    EXPECT_EQ(DumpLine("view 1"), "view 1 pane 0 0 top 1 left 1 current 7 2");
    EXPECT_EQ(DumpLine("undo "), "undo 3 \"Move Rows\"");
    Grid().HideRows(7, 7, FALSE);
    EXPECT_EQ(Grid().GetRowHeight(7), 31);
    Command(ID_EDIT_UNDO);
    ASSERT_EQ(DumpLine("hidden rows"), "hidden rows 7");

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(FirstColumn(), "1 2 3 4 5 6 7 8");
    EXPECT_EQ(DumpLine("hidden rows"), "hidden rows 4");
    Grid().HideRows(4, 4, FALSE);
    EXPECT_EQ(Grid().GetRowHeight(4), 31);
}

TEST_F(MoveRowsColsTest, TheCurrentCellFollowsTheRowsThatMove)
{
    struct Case
    {
        ROWCOL nRow;
        const char* pszView;
    };
    const Case cases[] = {
        {4, "view 1 pane 0 0 top 1 left 1 current 7 2"}, // in the block: with it
        {7, "view 1 pane 0 0 top 1 left 1 current 4 2"}, // passed over: toward the block's old place
        {2, "view 1 pane 0 0 top 1 left 1 current 2 2"}, // elsewhere: stays
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_RESETSAMPLE);
        Command(ID_GRIDHOST_GOTOCELL, {std::to_string(c.nRow), "2"});
        Command(ID_GRIDHOST_MOVEROWS, {"3", "5", "6"});
        EXPECT_EQ(DumpLine("view 1"), c.pszView) << c.nRow;
    }
}

TEST_F(MoveRowsColsTest, MovingColumnsMovesCellsAndWidthsWithUndo)
{
    Command(ID_GRIDHOST_COLWIDTH, {"1", "77"});
    Command(ID_GRIDHOST_MOVECOLS, {"1", "2", "3"});
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:3\"");
    EXPECT_EQ(DumpLine("cell 1 3"), "cell 1 3 \"1:1\"");
    EXPECT_EQ(Grid().GetColWidth(3), 77);
    EXPECT_EQ(DumpLine("undo "), "undo 2 \"Move Columns\"");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"");
    EXPECT_EQ(Grid().GetColWidth(1), 77);
}

TEST_F(MoveRowsColsTest, CoveredCellsMoveWithTheirRowsAndUndoPutsThemBack)
{
    Command(ID_GRIDHOST_COVERCELLS, {"4", "1", "5", "2"});
    Command(ID_GRIDHOST_COVERCELLS, {"8", "2", "9", "3"});
    Command(ID_GRIDHOST_MOVEROWS, {"3", "5", "6"});
    // The block 3-5 went to 6-8; rows 6-8 came up to 3-5, and 9 stayed.
    const std::vector<std::string> dump = Dump();
    std::vector<std::string> covered;
    for (const std::string& line : dump)
        if (line.rfind("covered ", 0) == 0)
            covered.push_back(line);
    EXPECT_EQ(covered, (Lines{"covered 7 1 8 2", "covered 5 2 6 3"}));
    EXPECT_EQ(DumpLine("undo "), "undo 3 \"Move Rows\"");

    Command(ID_EDIT_UNDO);
    covered.clear();
    for (const std::string& line : Dump())
        if (line.rfind("covered ", 0) == 0)
            covered.push_back(line);
    std::sort(covered.begin(), covered.end());
    EXPECT_EQ(covered, (Lines{"covered 4 1 5 2", "covered 8 2 9 3"}));
    EXPECT_EQ(FirstColumn(), "1 2 3 4 5 6 7 8");
}

TEST_F(MoveRowsColsTest, AMoveOntoItselfOrPastTheEndDoesNothing)
{
    EXPECT_FALSE(Grid().MoveRows(3, 5, 3));
    EXPECT_FALSE(Grid().MoveRows(3, 5, 11));
    EXPECT_FALSE(Grid().MoveRows(5, 3, 1));
    EXPECT_EQ(FirstColumn(), "1 2 3 4 5 6 7 8");
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
}
} // namespace
