// The optimized redraw after rows are inserted, removed or resized: what only moves is moved, only
// what is new waits for a paint, and the first scrolled row keeps showing the same data when the
// change lies above it. Checked on a grid view of the host, through the window's update region.
#include "tests/grid/features/GridHostTestSupport.h"

#include "framework/win/Gdi.h"
#include "grid/core/GridParam.h"

namespace
{
// Repaint, but not at once: the update region shows what the redraw asked for.
const UINT repaintLater = 4;

class GridOptimizedUpdateTest : public GridHostTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartHost(200, 6));
        // One view on the whole client area, so that many rows show.
        View(1).GetParentFrame()->DestroyWindow();
        PumpPendingMessages();
        app.GetMainFrame()->MDIMaximize(View(0).GetParentFrame());
        PumpPendingMessages();
        ASSERT_GT(Grid().GetLastVisibleRow(), 15u);
    }

    CGridHostView& Grid() { return View(0); }

    // Paints everything that waits, so that the next change starts from a valid window.
    void Settle()
    {
        Grid().UpdateWindow();
        Grid().ValidateRect(nullptr);
    }

    // Whether the middle of a cell waits for a paint.
    BOOL Waits(ROWCOL nRow, ROWCOL nCol)
    {
        HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(Grid().GetSafeHwnd(), hRegion, FALSE);
        const CPoint point = Grid().CalcCellRect(nRow, nCol).CenterPoint();
        const BOOL bWaits = ::PtInRegion(hRegion, point.x, point.y);
        ::DeleteObject(hRegion);
        return bWaits;
    }
};

TEST_F(GridOptimizedUpdateTest, RowsInsertedAboveTheTopRowKeepTheSameDataOnScreen)
{
    Grid().SetTopRow(10);
    Settle();
    ASSERT_TRUE(Grid().InsertRows(3, 2, nullptr, nullptr, nullptr, 0, repaintLater));
    EXPECT_EQ(Grid().GetTopRow(), 12u);
    EXPECT_EQ(std::string(Grid().GetStoredValueRowCol(12, 1)), "10:1");
    EXPECT_FALSE(Waits(12, 1)) << "the data did not move";
    EXPECT_FALSE(Waits(15, 3));
    EXPECT_TRUE(Waits(12, 0)) << "the row numbers did";
}

TEST_F(GridOptimizedUpdateTest, RowsInsertedOnScreenMoveWhatFollowsAndWaitThemselves)
{
    Settle();
    ASSERT_TRUE(Grid().InsertRows(3, 2, nullptr, nullptr, nullptr, 0, repaintLater));
    EXPECT_TRUE(Waits(3, 1));
    EXPECT_TRUE(Waits(4, 2));
    EXPECT_FALSE(Waits(5, 1)) << "the old third row was moved down, not painted again";
    EXPECT_FALSE(Waits(9, 4));
    EXPECT_FALSE(Waits(2, 1));
}

TEST_F(GridOptimizedUpdateTest, FlagOneInvalidatesInsteadOfMoving)
{
    Settle();
    ASSERT_TRUE(Grid().InsertRows(3, 2, nullptr, nullptr, nullptr, 0, 1));
    EXPECT_TRUE(Waits(9, 4));
    EXPECT_FALSE(Waits(2, 1));
}

TEST_F(GridOptimizedUpdateTest, InsertingAmongFrozenRowsOrWithMergedCellsRepaintsEverything)
{
    struct Case
    {
        const char* pszName;
        ROWCOL nFrozen;
        WORD wMergeMode;
    } cases[] = {{"frozen", 4, 0}, {"merged cells", 0, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        Grid().SetFrozenRows(c.nFrozen, 0);
        Grid().GetParam()->m_wMergeCellsMode = c.wMergeMode;
        Settle();
        ASSERT_TRUE(Grid().InsertRows(2, 1, nullptr, nullptr, nullptr, 0, repaintLater));
        EXPECT_TRUE(Waits(12, 4));
        EXPECT_TRUE(Waits(1, 1));
        Grid().GetParam()->m_wMergeCellsMode = 0;
        Grid().SetFrozenRows(0, 0);
    }
}

TEST_F(GridOptimizedUpdateTest, RowsRemovedOnScreenPullWhatFollowsUp)
{
    Settle();
    const ROWCOL nLast = Grid().GetLastVisibleRow();
    ASSERT_TRUE(Grid().RemoveRows(3, 4, repaintLater));
    EXPECT_EQ(std::string(Grid().GetStoredValueRowCol(3, 1)), "5:1");
    EXPECT_FALSE(Waits(3, 1)) << "the old fifth row was moved up";
    EXPECT_FALSE(Waits(2, 1));
    EXPECT_TRUE(Waits(nLast - 1, 2)) << "the rows that came in at the bottom";
}

TEST_F(GridOptimizedUpdateTest, RowsRemovedAboveTheTopRowKeepTheSameDataOnScreen)
{
    Grid().SetTopRow(20);
    Settle();
    ASSERT_TRUE(Grid().RemoveRows(2, 4, repaintLater));
    EXPECT_EQ(Grid().GetTopRow(), 17u);
    EXPECT_EQ(std::string(Grid().GetStoredValueRowCol(17, 1)), "20:1");
    EXPECT_FALSE(Waits(18, 2));
}

TEST_F(GridOptimizedUpdateTest, RemovingTheTopRowStartsTheViewWhereTheRemovalDid)
{
    Grid().SetTopRow(20);
    Settle();
    ASSERT_TRUE(Grid().RemoveRows(15, 25, repaintLater));
    EXPECT_EQ(Grid().GetTopRow(), 15u);
    EXPECT_EQ(std::string(Grid().GetStoredValueRowCol(15, 1)), "26:1");
}

TEST_F(GridOptimizedUpdateTest, RemovingEveryRowTakesTheViewToTheFirstRow)
{
    Grid().SetTopRow(30);
    Settle();
    ASSERT_TRUE(Grid().RemoveRows(1, 200, repaintLater));
    EXPECT_EQ(Grid().GetTopRow(), 1u);
}

TEST_F(GridOptimizedUpdateTest, AChangedRowHeightMovesTheRowsBelowAndWaitsForItself)
{
    Settle();
    ASSERT_TRUE(Grid().SetRowHeight(3, 3, 40, nullptr, repaintLater));
    EXPECT_TRUE(Waits(3, 2));
    EXPECT_FALSE(Waits(6, 2)) << "moved down by the difference";
    EXPECT_FALSE(Waits(2, 2));
    Settle();
    ASSERT_TRUE(Grid().SetRowHeight(3, 3, 10, nullptr, repaintLater));
    EXPECT_TRUE(Waits(3, 2));
    EXPECT_FALSE(Waits(6, 2)) << "moved up by the difference";
}

TEST_F(GridOptimizedUpdateTest, AChangedColumnWidthMovesTheColumnsRightOfIt)
{
    Settle();
    ASSERT_TRUE(Grid().SetColWidth(2, 2, 30, nullptr, repaintLater));
    EXPECT_TRUE(Waits(4, 2));
    EXPECT_FALSE(Waits(4, 1));
    EXPECT_FALSE(Waits(4, 4)) << "moved left by the difference";
}

TEST_F(GridOptimizedUpdateTest, RowsScrolledOutOfViewChangeNothingOnScreen)
{
    Grid().SetTopRow(20);
    Settle();
    ASSERT_TRUE(Grid().SetRowHeight(5, 6, 50, nullptr, repaintLater));
    CRect rect;
    EXPECT_FALSE(::GetUpdateRect(Grid().GetSafeHwnd(), &rect, FALSE));
}
} // namespace
