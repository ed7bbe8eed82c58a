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
TEST_F(UserResizeCellsTest, AResizeOfAHiddenColumnThatChangesNothingLeavesItsStoredWidth)
{
    struct Case
    {
        const char* name;
        int nMove;
        BOOL bCancel;
    };
    const Case cases[] = {
        {"a drag cancelled", 30, TRUE},
        {"a release one pixel from the line", 1, FALSE},
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_COLWIDTH, {"3", "77"});
        Command(ID_GRIDHOST_HIDECOLS, {"3", "3"});
        ASSERT_EQ(DumpLine("hidden cols"), "hidden cols 3");
        // Three pixels right of the line behind which the hidden column lies grab that column.
        const int nLine = Cell(0, 4).left;
        const int y = Cell(0, 4).CenterPoint().y;
        Post(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(nLine + 3, y));
        ASSERT_TRUE(Grid().m_bResizeTracking) << c.name;
        ASSERT_EQ(Grid().m_resizeTrack.nCol, 3u) << c.name;
        Post(WM_MOUSEMOVE, MK_LBUTTON, CPoint(nLine + c.nMove, y));
        if (c.bCancel)
            Grid().SendMessage(WM_CANCELMODE);
        else
            Post(WM_LBUTTONUP, 0, CPoint(nLine + c.nMove, y));
        PumpPendingMessages();
        EXPECT_FALSE(Grid().m_bResizeTracking) << c.name;
        EXPECT_EQ(DumpLine("hidden cols"), "hidden cols 3") << c.name;
        Command(ID_GRIDHOST_SHOWCOLS, {"3", "3"});
        EXPECT_EQ(Width(3), 77) << c.name << ": shown again with the width it had";
    }
}

TEST_F(UserResizeCellsTest, TheHeaderOfTheTrackedLineShowsMarkedWhenTheHeaderCellIsRedrawn)
{
    struct Case
    {
        const char* name;
        const char* rowFlags;
        const char* colFlags;
        BOOL bColumn;
        BOOL bMarked;
    };
    const Case cases[] = {
        {"a column, header-cell redraw on", "B2", "A2", TRUE, TRUE},
        {"a column, the default flags", "B2", "B2", TRUE, FALSE},
        {"a row, header-cell redraw on", "A2", "B2", FALSE, TRUE},
    };
    // No current cell: the marking is the tracking's alone.
    Grid().MoveCurrentCell(GX_INVALID, GX_INVALID);
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_RESIZEFLAGS, {c.rowFlags, c.colFlags});
        const CRect rowHeader = Cell(4, 0);
        const CPoint press = c.bColumn ? ColumnLine(3) : CPoint(rowHeader.CenterPoint().x, rowHeader.bottom - 1);
        Post(WM_LBUTTONDOWN, MK_LBUTTON, press);
        ASSERT_TRUE(Grid().m_bResizeTracking) << c.name;
        const ROWCOL nRow = c.bColumn ? 0 : 4;
        const ROWCOL nCol = c.bColumn ? 3 : 0;
        EXPECT_EQ(Grid().IsHeaderMarked(nullptr, nRow, nCol), c.bMarked) << c.name;
        EXPECT_FALSE(Grid().IsHeaderMarked(nullptr, c.bColumn ? 0 : 5, c.bColumn ? 4 : 0)) << c.name << ": its neighbour";
        Post(WM_LBUTTONUP, 0, press);
        EXPECT_FALSE(Grid().IsHeaderMarked(nullptr, nRow, nCol)) << c.name << ": after the release";
    }
}
} // namespace
