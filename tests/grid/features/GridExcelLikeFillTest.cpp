// Dragging the spreadsheet-like fill handle of the test host's grid with real mouse messages, and
// where the frame puts its handle.
#include "tests/grid/features/GestureTestSupport.h"

#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <string>

namespace
{

class GridExcelLikeFillTest : public GestureTest
{
protected:
    void StartFillHost(const char* pszFillFlags)
    {
        ASSERT_NO_FATAL_FAILURE(StartGestureHost(12, 6));
        Command(ID_GRIDHOST_FILLOPTIONS, {pszFillFlags});
        Command(ID_GRIDHOST_SPREADSHEETFRAME);
    }
    std::string Value(ROWCOL nRow, ROWCOL nCol)
    {
        return static_cast<LPCTSTR>(Grid().GetStoredValueRowCol(nRow, nCol));
    }
    // The handle sits on the bottom-right corner of the block's last cell.
    CPoint Handle(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect cell = Cell(nRow, nCol);
        return CPoint(cell.right - 1, cell.bottom - 1);
    }
    // A point in the lower half of the cell: the drag reaches that row.
    CPoint LowerHalf(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect cell = Cell(nRow, nCol);
        return CPoint(cell.CenterPoint().x, cell.bottom - 2);
    }
    void DragHandle(ROWCOL nRow, ROWCOL nCol, CPoint to) { Drag(Handle(nRow, nCol), {to}, to); }
};

TEST_F(GridExcelLikeFillTest, DraggingTheHandleDownRepeatsTheBlockAndOneUndoRemovesIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    DragHandle(2, 2, LowerHalf(6, 2));

    for (ROWCOL nRow = 3; nRow <= 6; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 2; ++nCol)
        {
            const ROWCOL nFrom = (nRow - 3) % 2 + 1;
            EXPECT_EQ(Value(nRow, nCol), std::to_string(nFrom) + ":" + std::to_string(nCol)) << nRow << "," << nCol;
        }
    EXPECT_EQ(Value(7, 1), "7:1") << "the fill stops at the pointer's row";
    EXPECT_EQ(Value(3, 3), "3:3") << "only the block's columns are filled";
    EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 1 1 6 2"}) << "the filled block is selected";

    ASSERT_TRUE(Grid().Undo());
    for (ROWCOL nRow = 3; nRow <= 6; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 2; ++nCol)
            EXPECT_EQ(Value(nRow, nCol), std::to_string(nRow) + ":" + std::to_string(nCol)) << "undone " << nRow;
}

TEST_F(GridExcelLikeFillTest, DraggingBackIntoTheBlockClearsTheRowsGivenUp)
{
    struct Case
    {
        const char* pszFlags;
        BOOL bStylesKept;
    };
    // Each case works on its own two columns.
    const Case cases[] = {{"1", TRUE}, {"2", FALSE}, {"3", FALSE}};
    ASSERT_NO_FATAL_FAILURE(StartFillHost("0"));
    ROWCOL nLeft = 1;
    for (const Case& c : cases)
    {
        const ROWCOL nRight = nLeft + 1;
        Command(ID_GRIDHOST_FILLOPTIONS, {c.pszFlags});
        CGXStyle red;
        red.SetInterior(RGB(255, 0, 0));
        Grid().SetStyleRange(CGXRange(3, nLeft, 4, nRight), red, gxApplyNew);
        Command(ID_GRIDHOST_SELECTRANGE, {"1", std::to_string(nLeft), "4", std::to_string(nRight)});
        DragHandle(4, nRight, LowerHalf(2, nRight));

        for (ROWCOL nRow = 3; nRow <= 4; ++nRow)
            EXPECT_EQ(Value(nRow, nLeft), "") << "flags " << c.pszFlags << " row " << nRow;
        EXPECT_EQ(Value(2, nRight), "2:" + std::to_string(nRight)) << "the kept rows stay";
        EXPECT_EQ(Value(5, nLeft), "5:" + std::to_string(nLeft));
        CGXStyle style;
        Grid().GetStoredStyleRowCol(3, nLeft, style, gxCopy, 0);
        EXPECT_EQ(style.GetIncludeInterior(), c.bStylesKept) << "flags " << c.pszFlags;
        EXPECT_EQ(Selection(), std::vector<std::string>{"range cells 1 " + std::to_string(nLeft) + " 2 " +
                                                        std::to_string(nRight)});
        nLeft += 2;
    }
}

TEST_F(GridExcelLikeFillTest, NoFillFlagsOrAPressBesideTheHandleFillNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("0"));
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    DragHandle(2, 2, LowerHalf(5, 2));
    EXPECT_EQ(Value(3, 1), "3:1");
    EXPECT_EQ(Value(5, 2), "5:2");

    Command(ID_GRIDHOST_FILLOPTIONS, {"1"});
    Command(ID_GRIDHOST_SELECTRANGE, {"1", "1", "2", "2"});
    Drag(Center(2, 2), {LowerHalf(5, 2)}, LowerHalf(5, 2));
    EXPECT_EQ(Value(3, 1), "3:1") << "a drag from inside the block selects, it does not fill";
}

TEST_F(GridExcelLikeFillTest, TheFrameHandleSitsWhereTheSelectionShapeAsks)
{
    ASSERT_NO_FATAL_FAILURE(StartFillHost("1"));
    struct Case
    {
        std::vector<std::string> range;
        int nHandle;
        CGXRange frame;
    };
    const Case cases[] = {
        {{"2", "2", "3", "3"}, 0, CGXRange(2, 2, 3, 3)},
        {{"2", "0", "3", "0"}, 2, CGXRange(2, 1, 3, 6)},
        {{"0", "2", "0", "3"}, 7, CGXRange(1, 2, 12, 3)},
    };
    for (const Case& c : cases)
    {
        Command(ID_GRIDHOST_SELECTRANGE, c.range);
        Grid().RefreshExcelLikeFrame();
        EXPECT_TRUE(Grid().m_bExcelFrameShown);
        EXPECT_EQ(Grid().m_nExcelFrameHandle, c.nHandle) << c.range[0] << "," << c.range[1];
        const CGXRange& frame = Grid().m_rangeExcelFrame;
        EXPECT_EQ(CGXRange(frame.top, frame.left, frame.bottom, frame.right), c.frame) << c.nHandle;
    }
}

} // namespace
