// Merged cells: which neighbours merge, the immediate and the delayed evaluation, hidden lines,
// the mode's switches and its pools, and rows removed under merged spans.
#include "grid/features/GridMergeCellsImp.h"

#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"
#include "tests/grid/core/GridTestSupport.h"
#include "tests/grid/core/GridWindowTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class MergeCellsTest : public GridWindowTest<CGXGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(10, 6, FALSE));
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
    }

    void Cell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, unsigned nMerge)
    {
        CGXStyle style;
        style.SetValue(pszValue).SetMergeCell(nMerge);
        grid.SetStyleRange(CGXRange(nRow, nCol), style);
    }
    void EvaluateAll() { grid.EvalMergeCells(CGXRange().SetTable()); }
    // The merged span of a cell in a direction (-1 both) as "T L B R", or "-".
    std::string MergedAt(ROWCOL nRow, ROWCOL nCol, int nDirection = -1)
    {
        CGXRange range;
        if (!grid.GetMergeRange(nRow, nCol, range, nDirection))
            return "-";
        return std::to_string(range.top) + " " + std::to_string(range.left) + " " + std::to_string(range.bottom) +
               " " + std::to_string(range.right);
    }
};

TEST_F(MergeCellsTest, EqualNeighboursMergeAndANewMiddleValueLeavesNoSpan)
{
    grid.SetMergeCellsMode(2, FALSE);
    for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
        Cell(2, nCol, "x", 1);
    EvaluateAll();
    for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
        EXPECT_EQ(MergedAt(2, nCol), "2 1 2 3") << nCol;
    EXPECT_EQ(MergedAt(2, 4), "-");

    Cell(2, 2, "y", 1);
    EvaluateAll();
    for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
        EXPECT_EQ(MergedAt(2, nCol), "-") << nCol;
}

TEST_F(MergeCellsTest, TheMergeBitsDecideWhatIsCompared)
{
    struct Case
    {
        unsigned nMerge;
        BOOL bOtherFont;
        const char* left;  // the span of the left cell
    };
    const Case cases[] = {
        {5, TRUE, "3 1 3 2"},   // values alone
        {1, TRUE, "-"},         // every attribute: the fonts differ
        {1, FALSE, "3 1 3 2"},
        {2, FALSE, "-"},        // vertical only
    };
    grid.SetMergeCellsMode(2, FALSE);
    for (const Case& c : cases)
    {
        Cell(3, 1, "g", c.nMerge);
        Cell(3, 2, "g", c.nMerge);
        CGXStyle font;
        font.SetFont(CGXFont().SetBold(c.bOtherFont));
        grid.SetStyleRange(CGXRange(3, 2), font);
        EvaluateAll();
        EXPECT_EQ(MergedAt(3, 1), c.left) << c.nMerge << " " << c.bOtherFont;
    }
}

TEST_F(MergeCellsTest, EmptyAndCoveredCellsNeverMerge)
{
    grid.SetMergeCellsMode(2, FALSE);
    Cell(4, 1, "", 3);
    Cell(4, 2, "", 3);
    Cell(5, 1, "z", 3);
    Cell(5, 2, "z", 3);
    Cell(6, 1, "z", 3);
    grid.SetCoveredCellsRowCol(5, 2, 6, 3);
    EvaluateAll();
    EXPECT_EQ(MergedAt(4, 1), "-");
    EXPECT_EQ(MergedAt(5, 1, 0), "-") << "its neighbour is covered";
    EXPECT_EQ(MergedAt(5, 1, 1), "5 1 6 1");
}

TEST_F(MergeCellsTest, ModeBitsTurnOffADirection)
{
    struct Case
    {
        WORD wMode;
        const char* horizontal;
        const char* vertical;
    };
    const Case cases[] = {{9, "-", "1 5 3 5"}, {6, "2 1 2 3", "-"}, {2, "2 1 2 3", "1 5 3 5"}};
    for (const Case& c : cases)
    {
        grid.SetMergeCellsMode(0, FALSE);
        for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
            Cell(2, nCol, "h", 3);
        for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
            Cell(nRow, 5, "v", 3);
        grid.SetMergeCellsMode(c.wMode, FALSE);
        EvaluateAll();
        EXPECT_EQ(MergedAt(2, 2, 0), c.horizontal) << c.wMode;
        EXPECT_EQ(MergedAt(2, 5, 1), c.vertical) << c.wMode;
    }
}

TEST_F(MergeCellsTest, AHiddenColumnKeepsCellsApartImmediatelyButIsPassedOverWhenDelayed)
{
    Cell(2, 1, "h", 1);
    Cell(2, 3, "h", 1);
    grid.HideCols(2, 2);
    grid.SetMergeCellsMode(2, FALSE);
    EvaluateAll();
    EXPECT_EQ(MergedAt(2, 1), "-");
    grid.SetMergeCellsMode(1, FALSE);
    EvaluateAll();
    EXPECT_EQ(MergedAt(2, 1), "2 1 2 3");
}

TEST_F(MergeCellsTest, DelayedEvaluationWorksOutTheRowsAskedForAndFindsWhereTheirRunBegins)
{
    for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        Cell(nRow, 1, "G", 2);
    grid.SetMergeCellsMode(1, FALSE);
    EXPECT_EQ(MergedAt(6, 1), "-") << "nothing is worked out before it is asked for";
    EXPECT_TRUE(grid.EvalMergeCells(CGXRange(6, 1, 7, 1)));
    // Upwards to the run's start; downwards one row past the rows asked for.
    EXPECT_EQ(MergedAt(6, 1), "1 1 8 1");
    EXPECT_FALSE(grid.EvalMergeCells(CGXRange(6, 1, 7, 1))) << "the rows are done";
    grid.EvalMergeCells(CGXRange(8, 1, 10, 1));
    EXPECT_EQ(MergedAt(6, 1), "1 1 10 1");
}

TEST_F(MergeCellsTest, SwitchingTheModeReplacesThePoolsAndOffDropsThem)
{
    Cell(2, 1, "x", 1);
    Cell(2, 2, "x", 1);
    grid.SetMergeCellsMode(2, FALSE);
    EvaluateAll();
    CGXGridParam* pParam = grid.GetParam();
    EXPECT_NE(pParam->m_pHorzMergeCellsPool, nullptr);
    EXPECT_EQ(pParam->m_pDelayedMergeCellsPool, nullptr) << "no pending ranges in immediate mode";
    grid.SetMergeCellsMode(1, FALSE);
    EXPECT_NE(pParam->m_pDelayedMergeCellsPool, nullptr);
    EXPECT_EQ(MergedAt(2, 1), "-") << "a new mode starts with empty pools";
    grid.SetMergeCellsMode(0, FALSE);
    EXPECT_EQ(pParam->m_pHorzMergeCellsPool, nullptr);
    EXPECT_EQ(pParam->m_pVertMergeCellsPool, nullptr);
    EXPECT_EQ(pParam->m_pDelayedMergeCellsPool, nullptr);
    EXPECT_FALSE(grid.EvalMergeCells(CGXRange().SetTable()));
    EXPECT_EQ(MergedAt(2, 1), "-");
}

TEST_F(MergeCellsTest, RemovedRowsBreakVerticalRunsWhichAreWorkedOutAgain)
{
    grid.SetMergeCellsMode(2, FALSE);
    for (ROWCOL nRow = 1; nRow <= 8; ++nRow)
        Cell(nRow, 1, nRow <= 4 ? "A" : "B", 2);
    EvaluateAll();
    ASSERT_EQ(MergedAt(2, 1), "1 1 4 1");
    ASSERT_EQ(MergedAt(6, 1), "5 1 8 1");
    grid.RemoveRows(3, 6);
    EvaluateAll();
    EXPECT_EQ(MergedAt(1, 1), "1 1 2 1");
    EXPECT_EQ(MergedAt(3, 1), "3 1 4 1");
}

// A pool's spans as "T L B R; ...", "none" without a pool.
std::string Spans(const CObject* pObject)
{
    const CGXSpanCellPool* pPool = GXAsSpanCellPool(pObject);
    if (pPool == nullptr)
        return "none";
    CArray<CGXRange, const CGXRange&> spans;
    pPool->GetSpans(spans);
    std::string text;
    for (INT_PTR i = 0; i < spans.GetSize(); ++i)
        text += std::to_string(spans[i].top) + " " + std::to_string(spans[i].left) + " " +
                std::to_string(spans[i].bottom) + " " + std::to_string(spans[i].right) + "; ";
    return text;
}

// The rows a delayed-range pool still hands out for the block, as "row:first-last ...".
std::string Pending(CObject* pObject, const CGXRange& block)
{
    CGXDelayedRangePool* pPool = GXAsDelayedRangePool(pObject);
    if (pPool == nullptr)
        return "none";
    CDWordArray starts;
    CDWordArray ends;
    std::string text;
    if (pPool->GetRowsToEvaluate(block, starts, ends))
        for (INT_PTR i = 0; i < starts.GetSize(); ++i)
            if (starts[i] <= ends[i])
                text += std::to_string(block.top + i) + ":" + std::to_string(starts[i]) + "-" +
                        std::to_string(ends[i]) + " ";
    return text;
}

TEST_F(MergeCellsTest, TheSpansAndPendingRowsGoWithTheDocumentAndWithACopyOfTheParameterObject)
{
    for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        Cell(nRow, 1, "G", 2);
    Cell(2, 3, "h", 1);
    Cell(2, 4, "h", 1);
    grid.SetMergeCellsMode(1, FALSE);
    grid.EvalMergeCells(CGXRange(1, 1, 4, 6));
    CGXGridParam* pParam = grid.GetParam();
    const std::string horz = Spans(pParam->m_pHorzMergeCellsPool);
    const std::string vert = Spans(pParam->m_pVertMergeCellsPool);
    ASSERT_EQ(horz, "2 3 2 4; ");
    ASSERT_EQ(vert.rfind("1 1 ", 0), 0u) << vert;

    CGXGridParam loaded;
    LoadFromBytes(StoreToBytes([&](CArchive& ar) { pParam->Serialize(ar); }),
                  [&](CArchive& ar) { loaded.Serialize(ar); });
    CGXGridParam copy;
    copy = *pParam;
    for (CGXGridParam* pOther : {&loaded, &copy})
    {
        const char* what = pOther == &loaded ? "loaded" : "copied";
        EXPECT_EQ(pOther->m_wMergeCellsMode, 1) << what;
        EXPECT_EQ(Spans(pOther->m_pHorzMergeCellsPool), horz) << what;
        EXPECT_EQ(Spans(pOther->m_pVertMergeCellsPool), vert) << what;
        EXPECT_NE(pOther->m_pVertMergeCellsPool, pParam->m_pVertMergeCellsPool) << what;
        EXPECT_EQ(Pending(pOther->m_pDelayedMergeCellsPool, CGXRange(1, 1, 10, 6)),
                  "5:1-6 6:1-6 7:1-6 8:1-6 9:1-6 10:1-6 ")
            << what << ": the rows not worked out yet stay pending";
    }
}

TEST_F(MergeCellsTest, ExpandingABlockTakesInTheSpansOfItsCells)
{
    grid.SetMergeCellsMode(2, FALSE);
    for (ROWCOL nCol = 2; nCol <= 5; ++nCol)
        Cell(3, nCol, "m", 1);
    for (ROWCOL nRow = 6; nRow <= 9; ++nRow)
        Cell(nRow, 1, "n", 2);
    EvaluateAll();
    CGXRange out;
    ASSERT_TRUE(grid.ExpandToMergedCells(CGXRange(3, 4, 7, 4), out));
    EXPECT_EQ(out, CGXRange(3, 2, 7, 5));
    ASSERT_TRUE(grid.ExpandToMergedCells(CGXRange(7, 1, 7, 1), out));
    EXPECT_EQ(out, CGXRange(6, 1, 9, 1));
}
} // namespace
