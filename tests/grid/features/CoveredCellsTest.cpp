// Covered cells: covering and uncovering blocks, what the pool answers, the current cell, read-only
// grids, ranges that reach into each other, and rows and columns removed under covered ranges.
#include "grid/features/CoveredCellPool.h"
#include "grid/features/GridCommand.h"
#include "grid/features/GridCoveredCellsImp.h"

#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "tests/grid/core/GridWindowTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class CoveredCellsTest : public GridWindowTest<CGXGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(12, 8, FALSE));
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
    }

    // The covered range of a cell as "T L B R", or "-".
    std::string CoveredAt(ROWCOL nRow, ROWCOL nCol)
    {
        CGXRange range;
        if (!grid.GetCoveredCellsRowCol(nRow, nCol, range))
            return "-";
        return std::to_string(range.top) + " " + std::to_string(range.left) + " " + std::to_string(range.bottom) +
               " " + std::to_string(range.right);
    }
    // Every covered range of the list, in order.
    std::string List()
    {
        std::string text;
        const CGXRangeList& list = grid.GetParam()->m_CoveredCellsList;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        {
            const CGXRange* p = list.GetNext(pos);
            text += (text.empty() ? "" : ", ") + std::to_string(p->top) + " " + std::to_string(p->left) + " " +
                    std::to_string(p->bottom) + " " + std::to_string(p->right);
        }
        return text;
    }
};

TEST_F(CoveredCellsTest, EveryCellOfACoveredBlockReportsTheBlockAndTheCurrentCellMovesToItsCorner)
{
    grid.MoveCurrentCell(3, 4, GX_UPDATENOW);
    ASSERT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 4, 5));
    for (ROWCOL nRow = 2; nRow <= 4; ++nRow)
        for (ROWCOL nCol = 2; nCol <= 5; ++nCol)
            EXPECT_EQ(CoveredAt(nRow, nCol), "2 2 4 5") << nRow << "," << nCol;
    EXPECT_EQ(CoveredAt(2, 6), "-");
    EXPECT_EQ(CoveredAt(5, 2), "-");
    EXPECT_EQ(Current(), (std::pair<ROWCOL, ROWCOL>(2, 2)));
}

TEST_F(CoveredCellsTest, AOneCellBlockUncoversOnlyAtTheRangesTopLeftCell)
{
    grid.SetCoveredCellsRowCol(2, 2, 4, 5);
    EXPECT_FALSE(grid.SetCoveredCellsRowCol(3, 3, 3, 3)) << "not the top-left cell";
    EXPECT_EQ(CoveredAt(3, 3), "2 2 4 5");
    EXPECT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 2, 2));
    EXPECT_EQ(CoveredAt(3, 3), "-");
    EXPECT_EQ(List(), "");
    EXPECT_FALSE(grid.SetCoveredCellsRowCol(2, 2, 2, 2)) << "nothing is covered there any more";
}

TEST_F(CoveredCellsTest, ShrinkingARangeFreesTheCellsItLeaves)
{
    grid.SetCoveredCellsRowCol(2, 2, 4, 5);
    EXPECT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 3, 3));
    EXPECT_EQ(CoveredAt(3, 3), "2 2 3 3");
    for (ROWCOL nRow = 2; nRow <= 4; ++nRow)
        for (ROWCOL nCol = 2; nCol <= 5; ++nCol)
        {
            if (nRow > 3 || nCol > 3)
            {
                EXPECT_EQ(CoveredAt(nRow, nCol), "-") << nRow << "," << nCol;
            }
        }
    EXPECT_FALSE(grid.SetCoveredCellsRowCol(2, 2, 3, 3)) << "the same range again changes nothing";
}

TEST_F(CoveredCellsTest, ABlockReachingIntoAnotherRangeIsRefusedWhole)
{
    grid.SetCoveredCellsRowCol(2, 2, 3, 3);
    struct Case
    {
        ROWCOL top, left, bottom, right;
    };
    // Its top-left cell inside the other range, or another of its cells.
    const Case cases[] = {{3, 3, 5, 5}, {3, 1, 4, 2}, {1, 1, 5, 5}};
    for (const Case& c : cases)
    {
        EXPECT_FALSE(grid.SetCoveredCellsRowCol(c.top, c.left, c.bottom, c.right)) << c.top << "," << c.left;
        EXPECT_EQ(List(), "2 2 3 3") << c.top << "," << c.left;
        const std::string expected = c.top == 3 && c.left == 3 ? "2 2 3 3" : "-";
        EXPECT_EQ(CoveredAt(c.top, c.left), expected);
        EXPECT_EQ(CoveredAt(3, 2), "2 2 3 3");
    }
    // Growing a range over its own cells is no overlap.
    EXPECT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 4, 4));
}

TEST_F(CoveredCellsTest, AReadOnlyGridKeepsItsRanges)
{
    grid.SetCoveredCellsRowCol(2, 2, 3, 3);
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(grid.SetCoveredCellsRowCol(5, 5, 6, 6));
    EXPECT_FALSE(grid.SetCoveredCellsRowCol(2, 2, 2, 2));
    EXPECT_EQ(List(), "2 2 3 3");
    // Without the protection of read-only grids the change goes through.
    grid.GetParam()->SetLockReadOnly(FALSE);
    EXPECT_TRUE(grid.SetCoveredCellsRowCol(5, 5, 6, 6));
}

TEST_F(CoveredCellsTest, ExpandingABlockTakesInEveryRangeItComesToReach)
{
    grid.SetCoveredCellsRowCol(2, 2, 3, 4);
    grid.SetCoveredCellsRowCol(1, 1, 2, 1);  // met only once the first widened the block
    grid.SetCoveredCellsRowCol(9, 1, 10, 2);
    CGXRange out;
    ASSERT_TRUE(grid.ExpandToCoveredCells(CGXRange(3, 1, 3, 2), out));
    EXPECT_EQ(out, CGXRange(1, 1, 3, 4));
    ASSERT_TRUE(grid.ExpandToCoveredCells(CGXRange(7, 7, 8, 8), out));
    EXPECT_EQ(out, CGXRange(7, 7, 8, 8));
}

TEST_F(CoveredCellsTest, InsertedAndRemovedRowsAndColumnsMoveTheRangesAndThePoolFollows)
{
    grid.SetCoveredCellsRowCol(3, 2, 4, 3);
    grid.InsertRows(1, 2);
    EXPECT_EQ(CoveredAt(6, 3), "5 2 6 3");
    EXPECT_EQ(CoveredAt(3, 2), "-");
    grid.InsertCols(1, 1);
    EXPECT_EQ(CoveredAt(5, 3), "5 3 6 4");
    grid.RemoveCols(1, 1);
    grid.RemoveRows(1, 2);
    EXPECT_EQ(CoveredAt(4, 3), "3 2 4 3");
}

TEST_F(CoveredCellsTest, RemovingRowsCutsRangesThatEndInThemAndDropsThoseThatBeginInThem)
{
    grid.SetCoveredCellsRowCol(1, 1, 4, 2);
    grid.SetCoveredCellsRowCol(5, 1, 8, 1);
    grid.SetCoveredCellsRowCol(2, 4, 9, 5);  // encloses the removed rows: the list's own step shrinks it
    ASSERT_TRUE(grid.RemoveRows(3, 6));
    // The cut range is covered anew: it comes last.
    EXPECT_EQ(List(), "2 4 5 5, 1 1 2 2");
    EXPECT_EQ(CoveredAt(2, 2), "1 1 2 2");
    EXPECT_EQ(CoveredAt(3, 1), "-");
    EXPECT_EQ(CoveredAt(5, 5), "2 4 5 5");
}

TEST_F(CoveredCellsTest, RemovedColumnsCutRangesLikeRows)
{
    grid.SetCoveredCellsRowCol(1, 1, 2, 4);
    grid.SetCoveredCellsRowCol(3, 5, 3, 7);
    ASSERT_TRUE(grid.RemoveCols(3, 6));
    EXPECT_EQ(List(), "1 1 2 2");
}

TEST_F(CoveredCellsTest, AnUndoReplayOfARemovalLeavesTheRangesToItsOwnRecords)
{
    grid.SetCoveredCellsRowCol(1, 1, 4, 2);
    // Command type 1 is the replay of an undo: the covered ranges are not cut beforehand.
    EXPECT_FALSE(grid.m_pCoveredCellsImp->OnRemovingRows(&grid, 3, 6, 1));
    EXPECT_EQ(List(), "1 1 4 2");
    EXPECT_TRUE(grid.m_pCoveredCellsImp->OnRemovingRows(&grid, 3, 6, 0));
    EXPECT_EQ(List(), "1 1 2 2");
}

TEST_F(CoveredCellsTest, ThePoolIsRebuiltFromTheListAfterTheListChangedUnderIt)
{
    CGXGridParam* pParam = grid.GetParam();
    pParam->m_CoveredCellsList.AddTail(new CGXRange(7, 7, 8, 8));
    EXPECT_EQ(CoveredAt(8, 8), "-") << "the pool does not know of it yet";
    pParam->SyncCoveredCellPool();
    EXPECT_EQ(CoveredAt(8, 8), "7 7 8 8");
}

// The same grid with undo.
class CoveredCellsUndoTest : public CoveredCellsTest
{
protected:
    void SetUp() override
    {
        CoveredCellsTest::SetUp();
        grid.GetParam()->EnableUndo(TRUE);
    }
    // The names of the undo list's commands, newest first.
    std::string UndoNames()
    {
        std::string text;
        CPtrList& list = grid.GetParam()->GetUndoList();
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        {
            auto* pCommand = static_cast<CGXCommand*>(list.GetNext(pos));
            text += (text.empty() ? "" : ", ") + std::string(pCommand->GetName());
        }
        return text;
    }
};

TEST_F(CoveredCellsUndoTest, OneUndoOfCoverCellsRestoresTheOldExtentAndRedoCoversAgain)
{
    grid.SetCoveredCellsRowCol(2, 2, 3, 3);
    grid.GetParam()->EmptyUndoList();
    grid.MoveCurrentCell(3, 4, GX_UPDATENOW);
    ASSERT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 4, 5));
    EXPECT_EQ(UndoNames(), "Cover Cells");
    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(List(), "2 2 3 3");
    EXPECT_EQ(CoveredAt(4, 5), "-");
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty()) << "the replay records no new undo command";
    ASSERT_TRUE(grid.Redo());
    EXPECT_EQ(CoveredAt(4, 5), "2 2 4 5");
    EXPECT_EQ(UndoNames(), "Cover Cells");
}

TEST_F(CoveredCellsUndoTest, OneUndoOfARemovalRestoresTheRangesItCutAndDropped)
{
    grid.SetCoveredCellsRowCol(1, 1, 4, 2);
    grid.SetCoveredCellsRowCol(5, 1, 8, 1);
    grid.GetParam()->EmptyUndoList();
    ASSERT_TRUE(grid.RemoveRows(3, 6));
    EXPECT_EQ(List(), "1 1 2 2");
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1) << "one step";
    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(CoveredAt(4, 2), "1 1 4 2");
    EXPECT_EQ(CoveredAt(8, 1), "5 1 8 1");
    EXPECT_EQ(grid.GetParam()->m_CoveredCellsList.GetCount(), 2);
    ASSERT_TRUE(grid.Redo());
    EXPECT_EQ(List(), "1 1 2 2");
}

TEST(CoveredCellPool, AOneCellBlockIsNoRangeAndAnotherRangesCellStopsAStore)
{
    CGXCoveredCellPool pool;
    int a = 0;
    int b = 0;
    const POSITION posA = reinterpret_cast<POSITION>(&a);
    const POSITION posB = reinterpret_cast<POSITION>(&b);
    EXPECT_FALSE(pool.SetCoveredCell(1, 1, 1, 1, posA));
    EXPECT_TRUE(pool.SetCoveredCell(1, 1, 2, 2, posA));
    EXPECT_FALSE(pool.SetCoveredCell(2, 2, 3, 3, posB));
    EXPECT_EQ(pool.GetCoveredCell(2, 2), posA);
    EXPECT_EQ(pool.GetCoveredCell(9, 9), nullptr);
    EXPECT_TRUE(pool.SetCoveredCell(1, 1, 1, 1, nullptr)) << "clearing from a cell clears its row's run";
    EXPECT_EQ(pool.GetCoveredCell(1, 2), nullptr);
    EXPECT_EQ(pool.GetCoveredCell(2, 1), posA);
}
} // namespace
