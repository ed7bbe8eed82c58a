// Hidden rows and columns: sizes, the flags that follow inserted, removed and moved lines, the
// special rules of splitter panes and printing, undo records and the factory's installation.
#include "grid/features/GridHideCellsImp.h"

#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "tests/grid/core/GridEngineTestSupport.h"
#include "tests/grid/features/FeatureGridTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

// The rows (or columns) of 0..nLast that are hidden, as "2 5".
std::string HiddenLines(CGXGridCore& grid, BOOL bRows, ROWCOL nLast)
{
    std::string text;
    for (ROWCOL n = 0; n <= nLast; ++n)
    {
        if (!(bRows ? grid.IsRowHidden(n) : grid.IsColHidden(n)))
            continue;
        if (!text.empty())
            text += ' ';
        text += std::to_string(n);
    }
    return text;
}

class GridHideCellsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        grid.InitializeGrid();
        grid.InstallHideCells();
        grid.SetRowCount(30);
        grid.SetColCount(30);
        grid.GetParam()->EnableUndo(FALSE);
    }

    std::string HiddenRows(ROWCOL nLast) { return HiddenLines(grid, TRUE, nLast); }
    std::string HiddenCols(ROWCOL nLast) { return HiddenLines(grid, FALSE, nLast); }

    CGXGridCore grid;
};

TEST_F(GridHideCellsTest, TheFactoryInstallsHidingOnceInEveryGrid)
{
    CGXGridCore other;
    ASSERT_NE(other.m_pHideCellsImp, nullptr);
    CGXAbstractGridHideCellsImp* pInstalled = other.m_pHideCellsImp;
    other.InstallHideCells();
    EXPECT_EQ(other.m_pHideCellsImp, pInstalled);
    EXPECT_NE(grid.m_pHideCellsImp, pInstalled) << "each grid has its own";
}

TEST_F(GridHideCellsTest, AHiddenColumnTakesNoWidthAndGetsItsStoredWidthBack)
{
    grid.SetColWidth(0, 0, 37);
    grid.SetColWidth(4, 4, 52);
    const int nWidthOfThree = grid.GetColWidth(3);

    EXPECT_TRUE(grid.HideCols(0, 0));
    EXPECT_EQ(grid.GetColWidth(0), 0);
    EXPECT_EQ(grid.GetColWidth(1), nWidthOfThree) << "its neighbour keeps its width";
    EXPECT_TRUE(grid.HideCols(3, 4));
    EXPECT_EQ(grid.CalcSumOfColWidths(3, 4), 0);

    EXPECT_TRUE(grid.HideCols(0, 0, FALSE));
    EXPECT_EQ(grid.GetColWidth(0), 37);
    EXPECT_TRUE(grid.HideCols(3, 4, FALSE));
    EXPECT_EQ(grid.GetColWidth(4), 52);
    EXPECT_EQ(grid.GetColWidth(3), nWidthOfThree);
}

TEST_F(GridHideCellsTest, RowsHiddenAndShownAgainGetTheirHeightsBack)
{
    grid.SetRowHeight(5, 7, 31);
    EXPECT_TRUE(grid.HideRows(5, 7));
    EXPECT_EQ(grid.CalcSumOfRowHeights(5, 7), 0);
    EXPECT_EQ(HiddenRows(10), "5 6 7");
    EXPECT_TRUE(grid.HideRows(5, 7, FALSE));
    EXPECT_EQ(grid.CalcSumOfRowHeights(5, 7), 3 * 31);
}

TEST_F(GridHideCellsTest, EachLineCanTakeItsOwnStateFromAnArray)
{
    CByteArray states;
    states.SetSize(4);
    states[0] = 1;
    states[2] = 1;
    EXPECT_TRUE(grid.HideRows(2, 5, FALSE, &states));
    EXPECT_EQ(HiddenRows(8), "2 4");
}

TEST_F(GridHideCellsTest, CallsThatChangeNoLineAnswerFalse)
{
    grid.HideRows(3, 3);
    struct Case
    {
        const char* pszName;
        ROWCOL nFrom, nTo;
        BOOL bHide;
        BOOL bResult;
        const char* pszHidden;
    } cases[] = {
        {"last before first", 6, 4, TRUE, FALSE, "3"},
        {"already hidden", 3, 3, TRUE, FALSE, "3"},
        {"already shown", 5, 7, FALSE, FALSE, "3"},
        {"last 0 means the first alone", 8, 0, TRUE, TRUE, "3 8"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(grid.HideRows(c.nFrom, c.nTo, c.bHide), c.bResult) << c.pszName;
        EXPECT_EQ(HiddenRows(12), c.pszHidden) << c.pszName;
    }
}

TEST_F(GridHideCellsTest, AFarRowReadsVisibleAndHidingItGrowsTheFlagsToItsByte)
{
    EXPECT_FALSE(grid.IsRowHidden(1000));
    EXPECT_EQ(grid.GetParam()->m_abRowFlags.GetSize(), 0);
    grid.HideRows(27, 27);
    EXPECT_EQ(grid.GetParam()->m_abRowFlags.GetSize(), 27 / 8 + 1);
    EXPECT_TRUE(grid.IsRowHidden(27));
    EXPECT_FALSE(grid.IsRowHidden(26));
    EXPECT_FALSE(grid.IsRowHidden(28));
}

// The flags follow the lines through the engine's own structure changes, on both axes.
TEST_F(GridHideCellsTest, FlagsFollowInsertedAndRemovedLines)
{
    struct Case
    {
        const char* pszName;
        ROWCOL nHidden;
        std::function<void(CGXGridCore&, BOOL bRows)> change;
        const char* pszHidden;
    } cases[] = {
        {"two inserted before", 10,
         [](CGXGridCore& g, BOOL bRows) { bRows ? g.InsertRows(10, 2) : g.InsertCols(10, 2); }, "12"},
        {"inserted after", 10, [](CGXGridCore& g, BOOL bRows) { bRows ? g.InsertRows(11, 3) : g.InsertCols(11, 3); },
         "10"},
        {"removed before", 6, [](CGXGridCore& g, BOOL bRows) { bRows ? g.RemoveRows(3, 4) : g.RemoveCols(3, 4); },
         "4"},
        {"removed itself", 6, [](CGXGridCore& g, BOOL bRows) { bRows ? g.RemoveRows(5, 6) : g.RemoveCols(5, 6); },
         ""},
        {"removed after", 6, [](CGXGridCore& g, BOOL bRows) { bRows ? g.RemoveRows(7, 9) : g.RemoveCols(7, 9); },
         "6"},
    };
    for (BOOL bRows : {TRUE, FALSE})
    {
        for (const Case& c : cases)
        {
            CGXGridCore lines;
            lines.InitializeGrid();
            lines.SetRowCount(20);
            lines.SetColCount(20);
            lines.GetParam()->EnableUndo(FALSE);
            bRows ? lines.HideRows(c.nHidden, c.nHidden) : lines.HideCols(c.nHidden, c.nHidden);
            c.change(lines, bRows);
            EXPECT_EQ(HiddenLines(lines, bRows, 25), c.pszHidden) << c.pszName << (bRows ? " (rows)" : " (columns)");
        }
    }
}

TEST_F(GridHideCellsTest, AMovedBlockTakesItsFlagsAlong)
{
    CGXAbstractGridHideCellsImp* pHide = grid.m_pHideCellsImp;
    struct Case
    {
        const char* pszName;
        const char* pszBefore;
        ROWCOL nFrom, nTo, nDest;
        const char* pszAfter;
    } cases[] = {
        {"one row down", "2", 2, 2, 8, "8"},
        {"a block up over a hidden row", "3 10 11", 10, 11, 2, "2 3 5"},
        {"a visible block down past a hidden row", "5", 2, 3, 6, "3"},
        {"onto itself", "4", 4, 4, 4, "4"},
        {"a block at the end of the flags", "6 7", 6, 7, 20, "20 21"},
    };
    for (const Case& c : cases)
    {
        grid.GetParam()->m_abRowFlags.RemoveAll();
        for (const char* p = c.pszBefore; *p != 0;)
        {
            char* pEnd = nullptr;
            grid.StoreHideRow(std::strtoul(p, &pEnd, 10), TRUE);
            p = *pEnd == ' ' ? pEnd + 1 : pEnd;
        }
        pHide->MoveRowHiddenFlags(&grid, c.nFrom, c.nTo, c.nDest);
        EXPECT_EQ(HiddenRows(25), c.pszAfter) << c.pszName;
    }
    grid.StoreHideCol(1, TRUE);
    pHide->MoveColHiddenFlags(&grid, 1, 1, 9);
    EXPECT_EQ(HiddenCols(12), "9");
}

TEST_F(GridHideCellsTest, LowerAndRightPanesHideTheirHeaders)
{
    grid.SetFrozenRows(1, 1);
    grid.SetFrozenCols(1, 1);
    EXPECT_EQ(HiddenRows(3), "");
    grid.m_nPaneRow = 1;
    EXPECT_EQ(HiddenRows(3), "0 1");
    EXPECT_EQ(HiddenCols(3), "");
    grid.m_nPaneCol = 2;
    EXPECT_EQ(HiddenCols(3), "0 1");
    grid.m_nPaneRow = 0;
    grid.m_nPaneCol = 0;
}

TEST_F(GridHideCellsTest, PrintingWithoutHeadersHidesRowAndColumnZero)
{
    CGXProperties* pProperties = grid.GetProperties();
    pProperties->SetPrintColHeaders(FALSE);
    EXPECT_FALSE(grid.IsRowHidden(0)) << "on screen";
    grid.SetPrinting(TRUE);
    EXPECT_TRUE(grid.IsRowHidden(0));
    EXPECT_FALSE(grid.IsColHidden(0));
    pProperties->SetPrintRowHeaders(FALSE);
    EXPECT_TRUE(grid.IsColHidden(0));
    EXPECT_FALSE(grid.IsRowHidden(1));
    grid.SetPrinting(FALSE);
}

TEST_F(GridHideCellsTest, AChangeIsRecordedForUndoWithThePreviousStates)
{
    CFakeCommandFactory factory;
    grid.m_pUndoImp = &factory;
    grid.GetParam()->EnableUndo(TRUE);
    grid.HideRows(6, 6);
    factory.calls.clear();

    EXPECT_TRUE(grid.HideRows(5, 7));
    EXPECT_TRUE(grid.HideCols(2, 3, TRUE, nullptr, GX_UPDATENOW, 2));
    EXPECT_FALSE(grid.HideCols(2, 3));
    EXPECT_TRUE(grid.HideCols(2, 2, FALSE, nullptr, GX_UPDATENOW, 1));
    grid.GetParam()->EnableUndo(FALSE);
    EXPECT_TRUE(grid.HideCols(4, 4));
    grid.m_pUndoImp = nullptr;

    const std::vector<std::string> expected = {
        "AddCommand HideRows 5..7 010",
        "AddCommand HideCols 2..3 00",
        "RestoreCurrentCell",
    };
    EXPECT_EQ(factory.calls, expected) << "nothing for a no-op, an undo replay or with undo off";
}

} // namespace

namespace
{

class GridHideCellsWindowTest : public FeatureGridTest<>
{
};

TEST_F(GridHideCellsWindowTest, UndoOfHidingColumnsShowsThemAndBringsTheFirstIntoView)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(5, 40));
    grid.SetColWidth(1, 40, 30);
    grid.GetParam()->EmptyUndoList();
    EXPECT_TRUE(grid.HideCols(2, 3));
    EXPECT_EQ(NewestUndoName(), "Hide Columns");
    grid.SetLeftCol(25);
    Pump();
    ASSERT_EQ(grid.GetLeftCol(), 25u);

    EXPECT_TRUE(grid.Undo());
    Pump();
    EXPECT_FALSE(grid.IsColHidden(2));
    EXPECT_FALSE(grid.IsColHidden(3));
    EXPECT_EQ(grid.GetColWidth(2), 30);
    EXPECT_LE(grid.GetLeftCol(), 2u);
    EXPECT_GE(grid.GetLastVisibleCol(), 2u) << "column 2 is in view";
}

TEST_F(GridHideCellsWindowTest, HiddenRowsFollowInsertedAndRemovedRows)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(20, 2));
    grid.HideRows(10, 10);
    grid.InsertRows(10, 2);
    EXPECT_EQ(HiddenLines(grid, TRUE, 25), "12");
    grid.HideRows(12, 12, FALSE);
    grid.HideRows(6, 6);
    grid.RemoveRows(3, 4);
    EXPECT_EQ(HiddenLines(grid, TRUE, 25), "4");
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(HiddenLines(grid, TRUE, 25), "6") << "undo of the removal";
}

TEST_F(GridHideCellsWindowTest, RowsHiddenAndShownGetTheirHeightsBackAlsoByUndo)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(12, 2));
    grid.SetRowHeight(5, 5, 21);
    grid.SetRowHeight(6, 6, 34);
    grid.SetRowHeight(7, 7, 17);
    grid.GetParam()->EmptyUndoList();
    const std::vector<int> heights{21, 34, 17};
    auto shown = [&] { return std::vector<int>{grid.GetRowHeight(5), grid.GetRowHeight(6), grid.GetRowHeight(7)}; };

    EXPECT_TRUE(grid.HideRows(5, 7));
    EXPECT_EQ(shown(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(grid.HideRows(5, 7, FALSE));
    EXPECT_EQ(shown(), heights);
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(shown(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(shown(), heights);
    EXPECT_FALSE(grid.HideRows(5, 7, FALSE)) << "nothing to show";
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty()) << "and nothing recorded";
}

} // namespace
