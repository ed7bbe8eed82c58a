// Sorting rows and columns: automatic keys resolved to numbers, dates or texts, stable order in both
// directions, undo, header double clicks, the data mover and the failures of key building.
#include "grid/features/GridSortImp.h"

#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/SortInfoArray.h"
#include "tests/grid/features/FeatureGridTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using Texts = std::vector<std::string>;

// One key on a line, ascending unless asked.
void OneKey(CGXSortInfoArray& keys, ROWCOL nLine, int nKind, BOOL bDescending = FALSE, BOOL bCase = FALSE)
{
    keys.SetSize(1);
    keys[0].nRC = nLine;
    keys[0].sortType = nKind;
    keys[0].sortOrder = bDescending ? 1 : 0;
    keys[0].bCase = bCase;
}

class GridSortTest : public FeatureGridTest<>
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(ExpectEnglishUnitedStates()); }

    // The rows of column 1 sorted by column 1 with one key; the resolved kind comes back.
    Texts SortColumnOne(const Texts& texts, int nKind, BOOL bDescending, int* pnResolved = nullptr)
    {
        const ROWCOL nRows = static_cast<ROWCOL>(texts.size());
        grid.SetRowCount(nRows);
        SetColumn(1, 1, texts);
        CGXSortInfoArray keys;
        OneKey(keys, 1, nKind, bDescending);
        grid.SortRows(CGXRange().SetTable(), keys);
        if (pnResolved != nullptr)
            *pnResolved = keys[0].sortType;
        return Column(1, 1, nRows);
    }
};

TEST_F(GridSortTest, AnAutomaticKeyResolvesToNumbersDatesOrTexts)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 2));
    struct Case
    {
        const char* pszName;
        Texts texts;
        Texts sorted;
        int nKind;
    } cases[] = {
        {"numbers", {"3", "10", "2"}, {"2", "3", "10"}, CGXSortInfo::numeric},
        {"one text among numbers", {"3", "x", "10"}, {"10", "3", "x"}, CGXSortInfo::alphanumeric},
        {"dates", {"12/31/2002", "1/5/2003", "6/1/1999"}, {"6/1/1999", "12/31/2002", "1/5/2003"},
         CGXSortInfo::date},
        {"a minus after leading spaces", {"5", " -7", "-10"}, {"-10", " -7", "5"}, CGXSortInfo::numeric},
        {"a minus between digits", {"2", "1-5", "10"}, {"1-5", "10", "2"}, CGXSortInfo::alphanumeric},
        {"a capital E", {"2", "1E5", "10"}, {"10", "1E5", "2"}, CGXSortInfo::alphanumeric},
        {"empty texts decide nothing and count as 0", {"3", "", "1"}, {"", "1", "3"}, CGXSortInfo::numeric},
    };
    for (const Case& c : cases)
    {
        int nResolved = -1;
        EXPECT_EQ(SortColumnOne(c.texts, CGXSortInfo::autodetect, FALSE, &nResolved), c.sorted) << c.pszName;
        EXPECT_EQ(nResolved, c.nKind) << c.pszName;
    }
}

TEST_F(GridSortTest, EqualKeysKeepTheirOrderInBothDirections)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(5, 2));
    SetColumn(1, 1, {"b", "a", "B", "a", "c"});
    SetColumn(2, 1, {"1", "2", "3", "4", "5"});
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::alphanumeric);
    grid.SortRows(CGXRange().SetTable(), keys);
    EXPECT_EQ(Column(2, 1, 5), (Texts{"2", "4", "1", "3", "5"})) << "ascending, case ignored";

    SetColumn(2, 1, {"1", "2", "3", "4", "5"});
    OneKey(keys, 1, CGXSortInfo::alphanumeric, TRUE);
    grid.SortRows(CGXRange().SetTable(), keys);
    EXPECT_EQ(Column(2, 1, 5), (Texts{"5", "3", "4", "1", "2"})) << "descending";
}

TEST_F(GridSortTest, KeysDecideInPriorityOrderAndCaseMattersWhenAsked)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 3));
    SetColumn(1, 1, {"x", "y", "x", "y"});
    SetColumn(2, 1, {"b", "a", "B", "A"});
    SetColumn(3, 1, {"1", "2", "3", "4"});
    CGXSortInfoArray keys;
    keys.SetSize(2);
    keys[0].nRC = 1;
    keys[0].sortType = CGXSortInfo::alphanumeric;
    keys[0].sortOrder = 1;
    keys[1].nRC = 2;
    keys[1].sortType = CGXSortInfo::alphanumeric;
    keys[1].bCase = TRUE;
    grid.SortRows(CGXRange().SetTable(), keys);
    // The C runtime collates in its "C" locale: capitals before small letters.
    EXPECT_EQ(Column(3, 1, 4), (Texts{"4", "2", "3", "1"}));
}

TEST_F(GridSortTest, DatesBeforeTheEpochFollowTheirTimeOfDay)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 1));
    int nKind = -1;
    EXPECT_EQ(SortColumnOne({"12/29/1899 6:00 PM", "12/29/1899 6:00 AM", "12/28/1899 11:00 PM"},
                            CGXSortInfo::date, FALSE, &nKind),
              (Texts{"12/28/1899 11:00 PM", "12/29/1899 6:00 AM", "12/29/1899 6:00 PM"}));
}

TEST_F(GridSortTest, ANumberTheParserRefusesCountsAsZeroOnItsOwnLine)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 1));
    // "e" passes the character test of numbers; it must not take the value of the line before it.
    EXPECT_EQ(SortColumnOne({"5", "e", "3"}, CGXSortInfo::numeric, FALSE), (Texts{"e", "3", "5"}));
}

TEST_F(GridSortTest, NumberKeysOfAnyLengthConvert)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 1));
    const std::string longSeven = std::string(600, '0') + "7";
    EXPECT_EQ(SortColumnOne({"9", longSeven, "5"}, CGXSortInfo::numeric, FALSE), (Texts{"5", longSeven, "9"}));
}

TEST_F(GridSortTest, OneUndoStepRestoresTheOrderAndRedoSortsAgain)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 2));
    SetColumn(1, 1, {"d", "b", "a", "c"});
    SetColumn(2, 1, {"1", "2", "3", "4"});
    grid.SetRowHeight(2, 2, 33);
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::autodetect);
    grid.SortRows(CGXRange().SetTable(), keys);
    EXPECT_EQ(Column(1, 1, 4), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(NewestUndoName(), "Sort Rows");
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 2) << "the row height and the sort";
    EXPECT_EQ(grid.GetRowHeight(2), 33) << "sizes stay with the row numbers";

    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(Column(1, 1, 4), (Texts{"d", "b", "a", "c"}));
    EXPECT_EQ(Column(2, 1, 4), (Texts{"1", "2", "3", "4"}));
    EXPECT_TRUE(grid.Redo());
    EXPECT_EQ(Column(2, 1, 4), (Texts{"3", "2", "4", "1"}));
}

TEST_F(GridSortTest, ColumnsSortByAKeyRowAndRecordTheirOwnState)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(2, 4));
    SetColumn(1, 1, {"30", "a"});
    SetColumn(2, 1, {"4", "b"});
    SetColumn(3, 1, {"100", "c"});
    SetColumn(4, 1, {"7", "d"});
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::autodetect, TRUE);
    grid.SortCols(CGXRange().SetTable(), keys);
    EXPECT_EQ(Row(1, 1, 4), (Texts{"100", "30", "7", "4"}));
    EXPECT_EQ(Row(2, 1, 4), (Texts{"c", "a", "d", "b"}));
    EXPECT_EQ(NewestUndoName(), "Sort Columns");
    EXPECT_EQ(grid.GetParam()->m_nLastSortRow, 1u);
    EXPECT_EQ(grid.GetParam()->m_nLastSortCol, GX_INVALID);
    EXPECT_FALSE(grid.GetParam()->m_bLastSortAscending);
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(Row(2, 1, 4), (Texts{"a", "b", "c", "d"}));
}

TEST_F(GridSortTest, ARangeOfRowsSortsOnlyThoseRowsWithTheirBaseStyles)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(5, 1));
    SetColumn(1, 1, {"e", "d", "c", "b", "a"});
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetStyleRange(CGXRange().SetRows(4), CGXStyle().SetUserAttribute(51022, "fourth"));
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::alphanumeric);
    grid.SortRows(CGXRange().SetRows(2, 4), keys);
    EXPECT_EQ(Column(1, 1, 5), (Texts{"e", "b", "c", "d", "a"}));
    CGXStyle style;
    grid.GetStoredStyleRowCol(2, 0, style, gxCopy, gxBaseStyleType);
    CString attribute;
    style.GetUserAttributeText(51022, attribute);
    EXPECT_EQ(std::string(attribute), "fourth") << "the row's base style moved with it";
}

TEST_F(GridSortTest, OneDataRowReturnsAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(1, 2));
    SetColumn(1, 1, {"z"});
    grid.MoveCurrentCell(1, 2);
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::autodetect);
    EXPECT_FALSE(grid.SortRows(CGXRange().SetTable(), keys));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(2)));
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
    EXPECT_EQ(grid.GetParam()->m_nLastSortCol, GX_INVALID);
    EXPECT_EQ(keys[0].sortType, CGXSortInfo::autodetect) << "no run, no resolution";
}

// A grid whose key texts come from an abort request after the second row.
class CAbortingGridWnd : public CBeepCountingGridWnd
{
public:
    BOOL GetSortKeyRow(ROWCOL nRow, const CGXSortInfoArray& sortInfo, CStringArray& keys) override
    {
        if (nRow == 2)
            ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
        return CBeepCountingGridWnd::GetSortKeyRow(nRow, sortInfo, keys);
    }
};

class GridSortAbortTest : public FeatureGridTest<CAbortingGridWnd>
{
};

TEST_F(GridSortAbortTest, AnAbortWhileReadingKeysMovesNothing)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    SetColumn(1, 1, {"d", "c", "b", "a"});
    AbortWithoutAsking();
    CGXSortInfoArray keys;
    OneKey(keys, 1, CGXSortInfo::autodetect);
    EXPECT_FALSE(grid.SortRows(CGXRange().SetTable(), keys));
    EXPECT_EQ(Column(1, 1, 4), (Texts{"d", "c", "b", "a"}));
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
    EXPECT_EQ(grid.GetParam()->m_nLastSortCol, GX_INVALID);
}

class GridHeaderSortTest : public FeatureGridTest<>
{
protected:
    void DoubleClickHeader(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect rect = grid.CalcCellRect(nRow, nCol);
        Post(WM_LBUTTONDBLCLK, MK_LBUTTON, rect.CenterPoint());
        Post(WM_LBUTTONUP, 0, rect.CenterPoint());
    }
};

TEST_F(GridHeaderSortTest, DoubleClicksOnAColumnHeaderSortAscendingThenDescending)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 4));
    grid.SetColWidth(1, 4, 30);
    SetColumn(3, 1, {"2", "10", "1"});
    SetColumn(4, 1, {"b", "c", "a"});

    DoubleClickHeader(0, 3);
    EXPECT_EQ(Column(3, 1, 3), (Texts{"2", "10", "1"})) << "the switch is off";

    grid.GetParam()->m_bSortRowsOnColHeaderDblClk = TRUE;
    DoubleClickHeader(0, 3);
    EXPECT_EQ(Column(3, 1, 3), (Texts{"1", "2", "10"}));
    DoubleClickHeader(0, 3);
    EXPECT_EQ(Column(3, 1, 3), (Texts{"10", "2", "1"}));
    DoubleClickHeader(0, 4);
    EXPECT_EQ(Column(4, 1, 3), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), grid.GetLeftCol())) << "the first data row is current";
}

TEST_F(GridHeaderSortTest, ADoubleClickOnARowHeaderSortsTheColumnsWhenAllowed)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(2, 3));
    grid.SetColWidth(1, 3, 30);
    SetColumn(1, 1, {"c", "1"});
    SetColumn(2, 1, {"a", "2"});
    SetColumn(3, 1, {"b", "3"});
    grid.GetParam()->m_bSortColsOnRowHeaderDblClk = TRUE;
    DoubleClickHeader(1, 0);
    EXPECT_EQ(Row(2, 1, 3), (Texts{"2", "3", "1"}));
    DoubleClickHeader(1, 0);
    EXPECT_EQ(Row(2, 1, 3), (Texts{"1", "3", "2"}));
}

TEST(GridSortMoveData, AnIndexThatIsNoPermutationMovesNothing)
{
    GXStartLibrary();
    CGXData data;
    CGXStyle style;
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
        data.StoreStyleRowCol(nRow, 1, &style.SetValue(std::to_string(nRow).c_str()), gxOverride);
    CGXGridSortMoveDataImp mover;
    CDWordArray index;
    index.Add(1);
    index.Add(1);
    index.Add(0);
    EXPECT_FALSE(mover.MoveDataRows(data, index, 1)) << "row 2 twice would have two owners";
    index[1] = 2;
    EXPECT_TRUE(mover.MoveDataRows(data, index, 1));
    CGXStyle stored;
    data.GetStyleRowCol(1, 1, stored, gxCopy);
    EXPECT_EQ(std::string(stored.GetValue()), "2");
    data.GetStyleRowCol(3, 1, stored, gxCopy);
    EXPECT_EQ(std::string(stored.GetValue()), "1");
}

TEST(GridSortInstallation, TheFactoryInstallsTheSortAndTheDataMover)
{
    GXStartLibrary();
    CGXGridCore grid;
    EXPECT_NE(grid.m_pSortImp, nullptr);
    CGXAbstractGridSortImp* pInstalled = grid.m_pSortImp;
    grid.InstallSort();
    EXPECT_EQ(grid.m_pSortImp, pInstalled);
    EXPECT_NE(GXGetAppData()->m_pSortMoveDataImp, nullptr);
}

} // namespace
