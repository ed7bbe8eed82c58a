// Styles and values stored through the grid engine and the effective style it composes.

#include "framework/win/SeamRecorders.h"
#include "grid/core/GridParam.h"
#include "grid/core/Data.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "tests/grid/core/GridEngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
TEST(GridStyles, AStoredValueReadsBack)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 5);
    EXPECT_TRUE(grid.SetValueRange(CGXRange(2, 3), "x"));
    EXPECT_EQ(grid.GetValueRowCol(2, 3), "x");
    EXPECT_EQ(grid.GetStoredValueRowCol(2, 3), "x");
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "");
    EXPECT_TRUE(grid.SetValueRange(CGXRange(1, 1, 2, 2), CString("block")));
    EXPECT_EQ(grid.GetValueRowCol(2, 1), "block");
}

struct HeaderCase
{
    ROWCOL nCol;
    const char* letters;
};

class ColumnHeaders : public ::testing::TestWithParam<HeaderCase>
{
};

TEST_P(ColumnHeaders, ReadAsLetters)
{
    CGXGridCore grid;
    InitializeEngine(grid, 2, 703);
    EXPECT_EQ(grid.GetValueRowCol(0, GetParam().nCol), GetParam().letters);
}

INSTANTIATE_TEST_SUITE_P(GridStyles, ColumnHeaders,
                         ::testing::Values(HeaderCase{1, "A"}, HeaderCase{26, "Z"}, HeaderCase{27, "AA"},
                                           HeaderCase{28, "AB"}, HeaderCase{52, "AZ"}, HeaderCase{53, "BA"},
                                           HeaderCase{702, "ZZ"}, HeaderCase{703, "AAA"}));

TEST(GridStyles, RowHeadersAreNumbersAndAHeaderWithItsOwnValueKeepsIt)
{
    CGXGridCore grid;
    InitializeEngine(grid, 12, 4);
    EXPECT_EQ(grid.GetValueRowCol(12, 0), "12");
    EXPECT_EQ(grid.GetValueRowCol(0, 0), "");
    ASSERT_TRUE(grid.SetValueRange(CGXRange(0, 3), "Name"));
    EXPECT_EQ(grid.GetValueRowCol(0, 3), "Name");
    EXPECT_EQ(grid.GetValueRowCol(0, 4), "D");

    grid.GetParam()->m_bNumberedColHeaders = FALSE;
    grid.GetParam()->m_bNumberedRowHeaders = FALSE;
    EXPECT_EQ(grid.GetValueRowCol(0, 4), "");
    EXPECT_EQ(grid.GetValueRowCol(12, 0), "");
}

TEST(GridStyles, AStyleForWholeRowsIsStoredAsRowBaseStyle)
{
    CGXGridCore grid;
    InitializeEngine(grid, 6, 3);
    CGXStyle style;
    style.SetValue("row");
    ASSERT_TRUE(grid.SetStyleRange(CGXRange().SetRows(2, 3), style));
    CGXStyle stored;
    EXPECT_FALSE(grid.GetStoredStyleRowCol(2, 1, stored, gxCopy, 0));
    EXPECT_TRUE(grid.GetStoredStyleRowCol(2, 0, stored, gxCopy, gxBaseStyleType));
    EXPECT_EQ(grid.GetValueRowCol(3, 2), "row");
    EXPECT_EQ(grid.GetValueRowCol(4, 2), "");
}

TEST(GridStyles, NegativeNumbersTakeTheColourOfTheirAttribute)
{
    CGXGridCore grid;
    InitializeEngine(grid, 3, 3);
    CGXStyle style;
    style.SetUserAttribute(CGXGridCore::idNegativeColorAttribute, "255");
    style.SetTextColor(RGB(0, 0, 0));
    grid.SetStyleRange(CGXRange(1, 1, 2, 1), style);
    grid.SetValueRange(CGXRange(1, 1), "-3");
    grid.SetValueRange(CGXRange(2, 1), "3");
    CGXStyle composed;
    grid.BuildEffectiveStyle(1, 1, composed, TRUE);
    EXPECT_EQ(composed.GetTextColor(), RGB(255, 0, 0));
    grid.BuildEffectiveStyle(2, 1, composed, TRUE);
    EXPECT_EQ(composed.GetTextColor(), RGB(0, 0, 0));
}

class TooLargeForUndo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitializeEngine(grid, 40000, 1);
        pUndo = new CFakeCommandFactory;
        grid.m_pUndoImp = pUndo;
        grid.AddImplementationObject(pUndo);
    }
    CGXGridCore grid;
    CFakeCommandFactory* pUndo = nullptr;
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam{&box};
};

TEST_F(TooLargeForUndo, CancelChangesNothing)
{
    box.defaultAnswer = IDCANCEL;
    EXPECT_FALSE(grid.SetValueRange(CGXRange(1, 1, 40000, 1), "v"));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Operation is too large for the undo buffer. Do you want to continue?");
    EXPECT_EQ(box.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "");
    EXPECT_EQ(grid.GetValueRowCol(40000, 1), "");
    EXPECT_TRUE(pUndo->commands.empty());
}

TEST_F(TooLargeForUndo, OkStoresWithoutAnUndoRecord)
{
    box.defaultAnswer = IDOK;
    EXPECT_TRUE(grid.SetValueRange(CGXRange(1, 1, 40000, 1), "v"));
    EXPECT_EQ(grid.GetValueRowCol(40000, 1), "v");
    EXPECT_TRUE(pUndo->commands.empty());
}

TEST_F(TooLargeForUndo, ASmallRangeIsRecordedWithItsPreviousStylesAndNoQuestion)
{
    grid.SetValueRange(CGXRange(2, 1), "old");
    pUndo->calls.clear();
    EXPECT_TRUE(grid.SetValueRange(CGXRange(1, 1, 3, 1), "new"));
    EXPECT_TRUE(box.calls.empty());
    ASSERT_EQ(pUndo->commands.size(), 2u);
    const auto* pCommand = static_cast<const CFakeCommand*>(pUndo->commands.back());
    EXPECT_EQ(pCommand->m_kind, "SetStyleRange 3");
    ASSERT_NE(pCommand->m_pStyles->GetAt(1), nullptr);
    EXPECT_EQ(static_cast<const CGXStyle*>(pCommand->m_pStyles->GetAt(1))->GetValue(), "old");
    EXPECT_EQ(pCommand->m_pStyles->GetAt(0), nullptr);
}

TEST(GridStyles, AReadOnlyGridStoresNothing)
{
    CGXGridCore grid;
    InitializeEngine(grid, 3, 3);
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(grid.SetValueRange(CGXRange(1, 1), "x"));
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "");
}

TEST(GridStyles, SavedStylesOfAnUndoReplayAreStoredCellByCell)
{
    CGXGridCore grid;
    InitializeEngine(grid, 3, 3);
    grid.SetValueRange(CGXRange(1, 2), "gone");
    CObArray saved;
    CGXStyle first;
    first.SetValue("a");
    saved.Add(&first);
    saved.Add(nullptr);
    EXPECT_TRUE(grid.SetStyleRange(CGXRange(1, 1, 1, 2), nullptr, gxCopy, 0, &saved, GX_INVALIDATE, 1));
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "a");
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "");
}
TEST(GridStyles, ANewStylesMapReachesEveryGridOfTheParameterObject)
{
    CGXGridCore first;
    InitializeEngine(first, 3, 3);
    CGXGridCore second;
    second.SetParam(first.GetParam(), FALSE);
    second.InitializeGrid();

    CGXStylesMap* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    ASSERT_TRUE(first.ChangeStylesMap(pStylesMap));
    const CGXStyle* pStandard = nullptr;
    ASSERT_TRUE(pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, pStandard));
    EXPECT_EQ(first.GetStylesMap(), pStylesMap);
    EXPECT_EQ(first.GetStandardStyle(), pStandard);
    EXPECT_EQ(second.GetStandardStyle(), pStandard);
}

TEST(GridStyles, AChangedBaseStyleReachesCellsWithoutTheirOwnValue)
{
    CGXGridCore grid;
    InitializeEngine(grid, 3, 3);
    grid.SetValueRange(CGXRange(2, 2), "own");
    CGXStyle style;
    style.SetValue("standard");
    ASSERT_TRUE(grid.ChangeBaseStyle(grid.GetStylesMap()->m_wStyleStandard, style, gxOverride));
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "standard");
    EXPECT_EQ(grid.GetValueRowCol(2, 2), "own");
}
} // namespace
