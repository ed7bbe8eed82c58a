// The span features tell the other views of a grid what changed: covered ranges, merged and
// floating spans, each with the block it reached.
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridEngineTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class CSpanHintRecorder : public CNullUpdateHintImp
{
public:
    void HintCoveredCells(CGXGridCore*, ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r, UINT) override
    {
        Add("covered", t, l, b, r);
    }
    void HintMergeCells(CGXGridCore*, ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r, UINT) override
    {
        Add("merge", t, l, b, r);
    }
    void HintFloatCells(CGXGridCore*, ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r, UINT) override
    {
        Add("float", t, l, b, r);
    }
    void Add(const char* kind, ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r)
    {
        hints.push_back(std::string(kind) + " " + std::to_string(t) + " " + std::to_string(l) + " " +
                        std::to_string(b) + " " + std::to_string(r));
    }
    std::vector<std::string> hints;
};

class SpanHintsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitializeEngine(grid, 8, 8);
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
        pOldHints = grid.m_pUpdateHintImp;
        grid.m_pUpdateHintImp = &recorder;
        grid.m_bHintsEnabled = TRUE;
    }
    void TearDown() override { grid.m_pUpdateHintImp = pOldHints; }

    CGXGridCore grid;
    CSpanHintRecorder recorder;
    CGXAbstractGridUpdateHintImp* pOldHints = nullptr;
};

TEST_F(SpanHintsTest, ACoveringTellsTheBlockItRedrew)
{
    grid.SetCoveredCellsRowCol(2, 2, 3, 4);
    EXPECT_EQ(recorder.hints, (std::vector<std::string>{"covered 2 2 3 4"}));
    recorder.hints.clear();
    // The hint of an uncovering reaches as far as the range reached.
    grid.SetCoveredCellsRowCol(2, 2, 2, 2);
    EXPECT_EQ(recorder.hints, (std::vector<std::string>{"covered 2 2 3 4"}));
}

TEST_F(SpanHintsTest, StoredMergedAndFloatingSpansAreTold)
{
    grid.SetMergeCellsMode(2, FALSE);
    grid.SetFloatCellsMode(2, FALSE);
    grid.SetStyleRange(CGXRange(2, 1, 3, 1), CGXStyle().SetValue("g").SetMergeCell(2));
    grid.SetStyleRange(CGXRange(5, 2), CGXStyle().SetValue("a text far wider than one column of the grid"));
    recorder.hints.clear();
    grid.EvalMergeCells(CGXRange().SetTable());
    grid.EvalFloatCells(CGXRange().SetTable());
    ASSERT_EQ(recorder.hints.size(), 2u);
    EXPECT_EQ(recorder.hints[0], "merge 2 1 3 1");
    EXPECT_EQ(recorder.hints[1].substr(0, 10), "float 5 2 ");

    // Without hints switched on nothing is told.
    grid.m_bHintsEnabled = FALSE;
    recorder.hints.clear();
    grid.SetCoveredCellsRowCol(7, 7, 8, 8);
    EXPECT_TRUE(recorder.hints.empty());
}
} // namespace
