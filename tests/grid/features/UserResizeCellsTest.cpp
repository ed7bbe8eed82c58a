// User resizing: dragging and double-clicking the lines in the headers of the host's grid.
#include "tests/grid/features/GestureTestSupport.h"

namespace
{
class UserResizeCellsTest : public GestureTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartGestureHost()); }

    // The point on the line after the column (the first pixel after it) in the column-header row.
    CPoint ColumnLine(ROWCOL nCol)
    {
        const CRect header = Cell(0, nCol);
        return CPoint(header.right, header.CenterPoint().y);
    }
    // The line after the column dragged to x and released there.
    void DragColumnLineTo(ROWCOL nCol, int x)
    {
        const CPoint from = ColumnLine(nCol);
        const CPoint to(x, from.y);
        Drag(from, {CPoint((from.x + x) / 2, from.y), to}, to);
    }
    int Width(ROWCOL nCol) { return Grid().GetColWidth(nCol); }
};

TEST_F(UserResizeCellsTest, DraggingAColumnLineSetsThatColumnsWidthWithUndo)
{
    const int nLeft = Cell(0, 3).left;
    const int nOther = Width(2);
    DragColumnLineTo(3, nLeft + 37);
    EXPECT_EQ(Width(3), 37);
    EXPECT_EQ(Width(2), nOther);
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Change Column Widths\"");
}

TEST_F(UserResizeCellsTest, DraggingAColumnLineLeftOfTheColumnHidesIt)
{
    DragColumnLineTo(3, Cell(0, 3).left - 20);
    EXPECT_EQ(DumpLine("hidden cols"), "hidden cols 3");
    EXPECT_EQ(Width(3), 0);
}

TEST_F(UserResizeCellsTest, TheMinimumWidthIsTheSmallestADragLeaves)
{
    Grid().GetParam()->m_nMinTrackColWidth = 30;
    DragColumnLineTo(3, Cell(0, 3).left + 10);
    EXPECT_EQ(Width(3), 30);
    DragColumnLineTo(3, Cell(0, 3).left - 20);
    EXPECT_EQ(Width(3), 30);
    EXPECT_EQ(DumpLine("hidden cols"), "hidden cols");
}

TEST_F(UserResizeCellsTest, ADragOfOnePixelChangesNothing)
{
    const std::string widths = DumpLine("widths");
    const CPoint line = ColumnLine(3);
    DragColumnLineTo(3, line.x + 1);
    DragColumnLineTo(3, line.x - 1);
    EXPECT_EQ(DumpLine("widths"), widths);
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
}

TEST_F(UserResizeCellsTest, WithWholeColumnsSelectedAllOfThemTakeTheWidthInOneStep)
{
    Command(ID_GRIDHOST_SELECTRANGE, {"0", "2", "0", "4"});
    const int nOther = Width(5);
    DragColumnLineTo(3, Cell(0, 3).left + 50);
    EXPECT_EQ(Width(2), 50);
    EXPECT_EQ(Width(3), 50);
    EXPECT_EQ(Width(4), 50);
    EXPECT_EQ(Width(5), nOther);
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Change Column Widths\"");
}

TEST_F(UserResizeCellsTest, DoubleClickOnTheLineAfterAHiddenColumnShowsIt)
{
    DragColumnLineTo(3, Cell(0, 3).left - 20);
    ASSERT_EQ(DumpLine("hidden cols"), "hidden cols 3");
    // The line after column 2 is the hidden column's too.
    const CRect header = Cell(0, 4);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(header.left + 1, header.CenterPoint().y));
    Post(WM_LBUTTONUP, 0, CPoint(header.left + 1, header.CenterPoint().y));
    EXPECT_EQ(DumpLine("hidden cols"), "hidden cols");
    EXPECT_GT(Width(3), 0);
}

TEST_F(UserResizeCellsTest, DoubleClickOnANormalLineResetsTheDefaultWidth)
{
    const int nDefault = Width(3);
    Command(ID_GRIDHOST_COLWIDTH, {"3", "100"});
    ASSERT_EQ(Width(3), 100);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, ColumnLine(3));
    Post(WM_LBUTTONUP, 0, ColumnLine(3));
    EXPECT_EQ(Width(3), nDefault);
}

TEST_F(UserResizeCellsTest, RowLinesResizeRowsLikeColumns)
{
    const CRect header = Cell(4, 0);
    const CPoint from(header.CenterPoint().x, header.bottom - 1);
    const CPoint to(from.x, header.top + 33);
    Drag(from, {to}, to);
    EXPECT_EQ(Grid().GetRowHeight(4), 33);
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Change Row Heights\"");
}

TEST_F(UserResizeCellsTest, WithFlagEightTheRowHeaderColumnsLineCannotBeGrabbed)
{
    const int nHeader = Width(0);
    Command(ID_GRIDHOST_RESIZEFLAGS, {"B2", "BA"});
    DragColumnLineTo(0, Cell(0, 0).right + 30);
    EXPECT_EQ(Width(0), nHeader);
    // Other columns still can (the press on the corner selected the table, which goes first).
    Command(ID_GRIDHOST_CLEARSELECTION);
    DragColumnLineTo(2, Cell(0, 2).left + 44);
    EXPECT_EQ(Width(2), 44);
}
} // namespace
