// Row heights and column widths in size units, cell rectangles and hit testing of a grid window.

#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "tests/grid/core/GridEngineTestResources.h"

#include <gtest/gtest.h>

namespace
{
// A grid whose size units a test chooses.
class CUnitGridWnd : public CGXGridWnd
{
public:
    void SetUnits(int nColUnit, int nRowUnit)
    {
        m_nColSizeUnit = nColUnit;
        m_nRowSizeUnit = nRowUnit;
    }
};

class GridGeometryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
        ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
        grid.Initialize();
        grid.SetRowCount(10);
        grid.SetColCount(5);
        grid.SetUnits(10, 16);
        // Row header 40 px wide, columns 50 px: factor 100 for a column unit of 10.
        grid.SetColWidth(0, 0, 40);
        grid.SetColWidth(1, 5, 50);
        grid.SetRowHeight(0, 0, 19);
        CRect rect(0, 0, 400, 300);
        grid.SetGridRect(TRUE, &rect);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }
    CDialog dlg;
    CUnitGridWnd grid;
};

TEST_F(GridGeometryTest, HeightsAreStoredInRowUnitsAndReadBackInPixels)
{
    // A row unit of 16 gives the factor 1000 / 16 = 62.
    EXPECT_TRUE(grid.SetRowHeight(3, 3, 20));
    LONG nStored = 0;
    ASSERT_TRUE(grid.GetParam()->m_RowHeights.Lookup(3, nStored));
    EXPECT_EQ(1240, nStored);
    EXPECT_EQ(20, grid.GetRowHeight(3));
    EXPECT_EQ(19, grid.GetDefaultRowHeight());
    EXPECT_EQ(19, grid.GetRowHeight(4));

    grid.StoreRowHeight(3, -1);
    EXPECT_EQ(19, grid.GetRowHeight(3));
    EXPECT_FALSE(grid.SetDefaultRowHeight(0));
    EXPECT_EQ(19, grid.GetDefaultRowHeight());
}

TEST_F(GridGeometryTest, AnOutOfRangeSizeUnitIsClampedInsteadOfDividingByZero)
{
    struct Case
    {
        int nUnit;
        int nDefaultPx;
    };
    // Units below 1 fall back to the unit of a grid without a font (15); above 1000 they count as 1000.
    const Case cases[] = {{0, 18}, {-5, 18}, {1000, 1200}, {5000, 1200}};
    for (const Case& c : cases)
    {
        grid.SetUnits(c.nUnit, c.nUnit);
        EXPECT_EQ(c.nDefaultPx, grid.GetDefaultRowHeight()) << c.nUnit;
        EXPECT_TRUE(grid.SetRowHeight(2, 2, 7)) << c.nUnit;
        EXPECT_EQ(7, grid.GetRowHeight(2)) << c.nUnit;
    }
}

TEST_F(GridGeometryTest, CellRectanglesFollowTheSizesAndTheScrolledRows)
{
    EXPECT_EQ(CRect(40, 19, 90, 38), grid.CalcCellRect(1, 1));
    EXPECT_EQ(CRect(90, 38, 190, 76), grid.CalcRangeRectFromRange(CGXRange(2, 2, 3, 3)));
    // Enough rows that the window-filling scroll range does not pull the top row back.
    grid.SetRowCount(40);
    grid.SetTopRow(5);
    EXPECT_TRUE(grid.CalcRangeRectFromRange(CGXRange(2, 1, 3, 2)).IsRectEmpty());
    EXPECT_EQ(CRect(40, 19, 90, 38), grid.CalcCellRect(5, 1));
}

TEST_F(GridGeometryTest, HitTestFindsCellsHeadersAndRowBorders)
{
    struct Case
    {
        CPoint point;
        int nHit;
        ROWCOL nRow;
        ROWCOL nCol;
    } cases[] = {
        {CPoint(60, 3 * 19 + 5), 3, 3, 1},     // inside cell (3,1)
        {CPoint(60, 4 * 19), 3, 4, 1},         // the line between rows 3 and 4 belongs to row 4
        {CPoint(60, 5), 4, 0, 1},              // column header
        {CPoint(20, 4 * 19 - 1), 2, 3, 0},     // row header, just above row 3's bottom edge
        {CPoint(20, 4 * 19 + 2), 2, 3, 0},     // just below it: still row 3's border
        {CPoint(20, 3 * 19 + 9), 4, 3, 0},     // middle of a row header
        {CPoint(60, 11 * 19 + 20), 0, 11, 1},  // below the last row
    };
    for (const Case& c : cases)
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        EXPECT_EQ(c.nHit, grid.HitTest(c.point, &nRow, &nCol)) << c.point.x << "," << c.point.y;
        if (c.nHit != 0)
        {
            EXPECT_EQ(c.nRow, nRow) << c.point.y;
            EXPECT_EQ(c.nCol, nCol) << c.point.x;
        }
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    grid.HitTest(CPoint(60, 11 * 19 + 20), &nRow, &nCol);
    EXPECT_EQ(11u, nRow);
}

TEST_F(GridGeometryTest, ColumnBordersInTheHeaderRowAreResizeHits)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_EQ(1, grid.HitTest(CPoint(89, 5), &nRow, &nCol));
    EXPECT_EQ(1u, nCol);
    EXPECT_EQ(1, grid.HitTest(CPoint(92, 5), &nRow, &nCol));
    EXPECT_EQ(1u, nCol);
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, AHiddenColumnBorderAndAnOverrideChooseTheirCursors)
{
    // Without the cursor resources the system cursors stand in.
    const HCURSOR hArrow = ::LoadCursorA(nullptr, IDC_ARROW);
    ::SetCursor(nullptr);
    EXPECT_FALSE(grid.SetCursorFromPoint(CPoint(60, 3 * 19 + 5)));  // inside a cell: no grid cursor
    EXPECT_EQ(nullptr, ::GetCursor());
    EXPECT_TRUE(grid.SetCursorFromPoint(CPoint(60, 5)));             // column header
    EXPECT_EQ(hArrow, ::GetCursor());

    ::SetCursor(nullptr);
    grid.SetCursorOverride(20194);
    EXPECT_EQ(hArrow, ::GetCursor());
    ::SetCursor(nullptr);
    EXPECT_TRUE(grid.SetCursorFromPoint(CPoint(60, 3 * 19 + 5)));
    EXPECT_EQ(hArrow, ::GetCursor());
    grid.SetCursorOverride(0);
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, TheLastVisibleRowIsTheOneAtTheBottomEdgeOrTheLastRow)
{
    BOOL bEnd = FALSE;
    EXPECT_EQ(10u, grid.GetLastVisibleRow(&bEnd));
    EXPECT_TRUE(bEnd);
    grid.SetRowCount(100);
    // 300 px hold the header and rows 1..14 whole; row 15 reaches the bottom edge.
    EXPECT_EQ(15u, grid.GetLastVisibleRow(&bEnd));
    EXPECT_FALSE(bEnd);
}

TEST_F(GridGeometryTest, WithTheLimitOnARowIsNoTallerThanTheSpaceBelowTheFrozenRows)
{
    dlg.ShowWindow(SW_SHOW);
    grid.SetFrozenRows(1);
    grid.SetRowHeight(5, 5, 1000);
    grid.m_bLimitRowsToWindow = TRUE;
    EXPECT_EQ(300 - 2 * 19, grid.GetRowHeight(5));
    EXPECT_EQ(19, grid.GetRowHeight(1));
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, RowsShownAfterTheGridGrewHaveRectanglesAgain)
{
    grid.SetRowCount(100);
    grid.GetLastVisibleRow();
    EXPECT_TRUE(grid.CalcCellRect(20, 1).IsRectEmpty());
    CRect taller(0, 0, 400, 600);
    grid.SetGridRect(TRUE, &taller);
    EXPECT_EQ(CRect(40, 20 * 19, 90, 21 * 19), grid.CalcCellRect(20, 1));
}
}  // namespace
