// Rows and columns of the grid engine: counts, insertion and removal with the current cell, frozen
// rows and the mapping between absolute and client indexes.

#include "framework/win/SeamRecorders.h"
#include "grid/core/GridParam.h"
#include "tests/grid/core/GridEngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
ROWCOL CurrentRow(CGXGridCore& grid)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    return grid.GetCurrentCell(nRow, nCol) ? nRow : 0;
}

TEST(GridStructure, SetRowCountToTheCurrentCountChangesNothing)
{
    CGXGridCore grid;
    InitializeEngine(grid, 7, 3);
    EXPECT_EQ(grid.GetRowCount(), 7u);
    EXPECT_EQ(grid.GetColCount(), 3u);
    EXPECT_TRUE(grid.SetRowCount(7));
    EXPECT_EQ(grid.GetRowCount(), 7u);
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetRowCount(), 2u);
}

struct InsertCase
{
    ROWCOL nAt;
    ROWCOL nExpectedRow;
};

class InsertRowsMovesTheCurrentCell : public ::testing::TestWithParam<InsertCase>
{
};

TEST_P(InsertRowsMovesTheCurrentCell, OnlyWhenItIsAtOrBelowTheInsertion)
{
    CGXGridCore grid;
    InitializeEngine(grid, 10, 4);
    grid.SetCurrentCellInfo(TRUE, 5, 1);
    ASSERT_TRUE(grid.InsertRows(GetParam().nAt, 3));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(grid.GetCurrentCell(nRow, nCol));
    EXPECT_EQ(nRow, GetParam().nExpectedRow);
    EXPECT_EQ(nCol, 1u);
    EXPECT_EQ(grid.GetRowCount(), 13u);
}

INSTANTIATE_TEST_SUITE_P(GridStructure, InsertRowsMovesTheCurrentCell,
                         ::testing::Values(InsertCase{2, 8}, InsertCase{5, 8}, InsertCase{6, 5}));

TEST(GridStructure, InsertedRowsShiftTheValuesAndTheSelection)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 2);
    grid.SetValueRange(CGXRange(3, 1), "three");
    grid.GetParam()->m_SelRects.AddTail(new CGXRange(3, 1, 4, 2));
    ASSERT_TRUE(grid.InsertRows(2, 2));
    EXPECT_EQ(grid.GetValueRowCol(5, 1), "three");
    EXPECT_EQ(grid.GetValueRowCol(3, 1), "");
    EXPECT_EQ(*grid.GetParam()->m_SelRects.GetHead(), CGXRange(5, 1, 6, 2));
}

TEST(GridStructure, RemovedRowsTakeTheirValuesAndMoveTheCurrentCellUp)
{
    CGXGridCore grid;
    InitializeEngine(grid, 8, 2);
    grid.SetValueRange(CGXRange(6, 2), "six");
    grid.SetCurrentCellInfo(TRUE, 7, 2);
    ASSERT_TRUE(grid.RemoveRows(2, 4));
    EXPECT_EQ(grid.GetRowCount(), 5u);
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "six");
    EXPECT_EQ(CurrentRow(grid), 4u);
}

TEST(GridStructure, ACurrentCellInsideTheRemovedRowsIsDropped)
{
    CGXGridCore grid;
    InitializeEngine(grid, 8, 2);
    grid.SetCurrentCellInfo(TRUE, 3, 1);
    ASSERT_TRUE(grid.RemoveRows(2, 4));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_FALSE(grid.GetCurrentCell(nRow, nCol));
}

TEST(GridStructure, ARemovalBeyondTheLastRowStopsAtTheLastRow)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 2);
    ASSERT_TRUE(grid.RemoveRows(4, 99));
    EXPECT_EQ(grid.GetRowCount(), 3u);
    EXPECT_FALSE(grid.RemoveRows(0, 2));
    EXPECT_EQ(grid.GetRowCount(), 3u);
}

TEST(GridStructure, ColumnsMirrorRows)
{
    CGXGridCore grid;
    InitializeEngine(grid, 3, 6);
    grid.SetValueRange(CGXRange(1, 4), "d");
    grid.SetCurrentCellInfo(TRUE, 1, 5);
    ASSERT_TRUE(grid.InsertCols(2, 2));
    EXPECT_EQ(grid.GetValueRowCol(1, 6), "d");
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(grid.GetCurrentCell(nRow, nCol));
    EXPECT_EQ(nCol, 7u);
    ASSERT_TRUE(grid.RemoveCols(1, 3));
    EXPECT_EQ(grid.GetColCount(), 5u);
    EXPECT_EQ(grid.GetValueRowCol(1, 3), "d");
}

TEST(GridStructure, AReadOnlyGridRefusesStructureChanges)
{
    CGXGridCore grid;
    InitializeEngine(grid, 4, 4);
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(grid.InsertRows(1, 2));
    EXPECT_FALSE(grid.RemoveRows(1, 2));
    EXPECT_FALSE(grid.SetFrozenRows(2));
    EXPECT_EQ(grid.GetRowCount(), 4u);
    EXPECT_EQ(grid.GetFrozenRows(), 0u);
    // Without the structure guard the read-only state does not stop them.
    grid.GetParam()->SetLockReadOnly(FALSE);
    EXPECT_TRUE(grid.InsertRows(1, 2));
    EXPECT_EQ(grid.GetRowCount(), 6u);
}

struct ClientCase
{
    ROWCOL nFrozen;
    ROWCOL nTopRow;
    ROWCOL nRow;
    ROWCOL nClientRow;
};

class ClientRows : public ::testing::TestWithParam<ClientCase>
{
};

TEST_P(ClientRows, MapBetweenAbsoluteAndClientRows)
{
    const ClientCase& c = GetParam();
    CGXGridCore grid;
    InitializeEngine(grid, 30, 30);
    ASSERT_TRUE(grid.SetFrozenRows(c.nFrozen));
    ASSERT_TRUE(grid.SetFrozenCols(c.nFrozen));
    grid.SetTopRow(c.nTopRow);
    grid.SetLeftCol(c.nTopRow);
    EXPECT_EQ(grid.RowToClientRow(c.nRow), c.nClientRow);
    EXPECT_EQ(grid.ColToClientCol(c.nRow), c.nClientRow);
    if (c.nClientRow != 0 || c.nRow == 0)
    {
        EXPECT_EQ(grid.ClientRowToRow(c.nClientRow), c.nRow);
        EXPECT_EQ(grid.ClientColToCol(c.nClientRow), c.nRow);
    }
}

INSTANTIATE_TEST_SUITE_P(GridStructure, ClientRows,
                         ::testing::Values(ClientCase{2, 10, 5, 0}, ClientCase{2, 10, 12, 5},
                                           ClientCase{2, 10, 10, 3}, ClientCase{2, 10, 2, 2},
                                           ClientCase{2, 10, 0, 0}, ClientCase{2, 3, 7, 7},
                                           ClientCase{0, 1, 4, 4}));

TEST(GridStructure, FrozenRowsKeepTheTopRowBehindThem)
{
    CGXGridCore grid;
    InitializeEngine(grid, 20, 3);
    grid.SetTopRow(2);
    ASSERT_TRUE(grid.SetFrozenRows(4, 1));
    EXPECT_EQ(grid.GetTopRow(), 5u);
    EXPECT_EQ(grid.GetFrozenRows(), 4u);
    EXPECT_EQ(grid.GetHeaderRows(), 1u);
    EXPECT_FALSE(grid.IsFrozenRow(0));
    EXPECT_TRUE(grid.IsFrozenRow(4));
    EXPECT_FALSE(grid.IsFrozenRow(5));
    grid.SetTopRow(99);
    EXPECT_EQ(grid.GetTopRow(), 20u);
}

// Insertions that cannot be made are refused before anything changes: a count that would carry the
// total past the largest index, a position beyond the end.
TEST(GridStructure, ImpossibleInsertionsAreRefusedAndChangeNothing)
{
    const struct
    {
        const char* name;
        BOOL bRows;
        ROWCOL nAt;
        ROWCOL nCount;
    } cases[] = {
        {"rows, count 0xFFFFFFFF", TRUE, 1, 0xFFFFFFFF},
        {"rows, count one past the largest", TRUE, 2, GX_MAXROWCOL - 4},
        {"rows, two beyond the last", TRUE, 7, 1},
        {"rows, far beyond the last", TRUE, 0xFFFFFFFF, 1},
        {"columns, count 0xFFFFFFFF", FALSE, 1, 0xFFFFFFFF},
        {"columns, two beyond the last", FALSE, 7, 3},
    };
    for (const auto& c : cases)
    {
        CGXGridCore grid;
        InitializeEngine(grid, 5, 5);
        grid.SetValueRange(CGXRange(2, 2), "kept");
        grid.SetCurrentCellInfo(TRUE, 3, 3);
        auto* pUndo = new CFakeCommandFactory;
        grid.m_pUndoImp = pUndo;
        grid.AddImplementationObject(pUndo);

        const BOOL bInserted = c.bRows ? grid.InsertRows(c.nAt, c.nCount) : grid.InsertCols(c.nAt, c.nCount);

        EXPECT_FALSE(bInserted) << c.name;
        EXPECT_EQ(grid.GetRowCount(), 5u) << c.name;
        EXPECT_EQ(grid.GetColCount(), 5u) << c.name;
        EXPECT_EQ(grid.GetValueRowCol(2, 2), "kept") << c.name;
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        ASSERT_TRUE(grid.GetCurrentCell(nRow, nCol)) << c.name;
        EXPECT_EQ(nRow, 3u) << c.name;
        EXPECT_EQ(nCol, 3u) << c.name;
        EXPECT_TRUE(pUndo->calls.empty()) << c.name;
    }

    // Right after the last row and column is still a place to insert.
    CGXGridCore grid;
    InitializeEngine(grid, 5, 5);
    EXPECT_TRUE(grid.InsertRows(6, 2));
    EXPECT_TRUE(grid.InsertCols(6, 1));
    EXPECT_EQ(grid.GetRowCount(), 7u);
    EXPECT_EQ(grid.GetColCount(), 6u);
    // A row count that no insertion can reach is refused too.
    EXPECT_FALSE(grid.SetRowCount(GX_INVALID));
    EXPECT_EQ(grid.GetRowCount(), 7u);
}

TEST(GridStructure, FrozenRowsAndColumnsBeyondTheCountAreClampedToIt)
{
    CGXGridCore grid;
    InitializeEngine(grid, 10, 6);
    grid.SetTopRow(4);
    ASSERT_TRUE(grid.SetFrozenRows(20, 25));
    ASSERT_TRUE(grid.SetFrozenCols(9));
    EXPECT_EQ(grid.GetFrozenRows(), 10u);
    EXPECT_EQ(grid.GetHeaderRows(), 10u);
    EXPECT_EQ(grid.GetFrozenCols(), 6u);
    EXPECT_LE(grid.GetTopRow(), 10u);
    EXPECT_GE(grid.GetTopRow(), 1u);
    EXPECT_LE(grid.GetLeftCol(), 6u);
    // Every row frozen: each shows once, at its own place.
    for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        EXPECT_EQ(grid.ClientRowToRow(grid.RowToClientRow(nRow)), nRow);
    EXPECT_EQ(grid.RowToClientRow(10), 10u);
    EXPECT_EQ(grid.ClientRowToRow(11), 11u) << "nothing follows the last row";
    grid.SetTopRow(99);
    EXPECT_LE(grid.GetTopRow(), 10u);

    // Fewer frozen rows again: the top row follows them.
    ASSERT_TRUE(grid.SetFrozenRows(3));
    EXPECT_EQ(grid.GetFrozenRows(), 3u);
    EXPECT_GE(grid.GetTopRow(), 4u);
    EXPECT_LE(grid.GetTopRow(), 10u);
}

TEST(GridStructure, AUsersInsertIsOneTransactionWithItsInverseCommand)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 2);
    auto* pUndo = new CFakeCommandFactory;
    grid.m_pUndoImp = pUndo;
    grid.AddImplementationObject(pUndo);

    ASSERT_TRUE(grid.InsertRows(3, 2));
    EXPECT_EQ(pUndo->calls, (std::vector<std::string>{"BeginTrans Insert Rows", "AddCommand RemoveRows 3..4",
                                                      "CommitTrans"}));
    EXPECT_FALSE(pUndo->bLock);

    pUndo->calls.clear();
    ASSERT_TRUE(grid.RemoveRows(2, 3));
    // The transaction opens first: covered ranges are cut inside it before the removal saves its data.
    EXPECT_EQ(pUndo->calls, (std::vector<std::string>{"BeginTrans Removing rows ...", "SaveRemovedRows 2..3",
                                                      "AddCommand InsertRows 2+2", "CommitTrans"}));

    // An undo replay (command type 1) records nothing.
    pUndo->calls.clear();
    ASSERT_TRUE(grid.InsertRows(1, 1, nullptr, nullptr, nullptr, 0, GX_UPDATENOW, 1));
    EXPECT_TRUE(pUndo->calls.empty());
}

TEST(GridStructure, ARefusedUndoRecordStopsTheRemoval)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 2);
    auto* pUndo = new CFakeCommandFactory;
    pUndo->bRefuseRemoval = TRUE;
    grid.m_pUndoImp = pUndo;
    grid.AddImplementationObject(pUndo);
    EXPECT_FALSE(grid.RemoveRows(1, 2));
    EXPECT_EQ(grid.GetRowCount(), 5u);
}

TEST(GridStructure, ARefusedInsertRollsItsTransactionBack)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 2);
    auto* pUndo = new CFakeCommandFactory;
    grid.m_pUndoImp = pUndo;
    grid.AddImplementationObject(pUndo);
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(grid.InsertRows(1, 1));
    EXPECT_EQ(pUndo->calls, (std::vector<std::string>{"BeginTrans Insert Rows", "Rollback"}));
}
TEST(GridStructure, ALowerSplitterPaneShowsNoFrozenRowsExceptOnAPrintedPage)
{
    CGXGridCore grid;
    InitializeEngine(grid, 10, 10);
    grid.SetFrozenRows(2);
    grid.SetFrozenCols(1);
    grid.m_nPaneRow = 1;
    EXPECT_EQ(grid.GetFrozenRows(), 0u);
    EXPECT_EQ(grid.GetFrozenCols(), 1u);
    grid.SetPrinting(TRUE);
    EXPECT_EQ(grid.GetFrozenRows(), 2u);
    grid.m_bPrintPageFlag = TRUE;
    EXPECT_EQ(grid.GetFrozenRows(), 0u);
    grid.SetPrinting(FALSE);
}
} // namespace
