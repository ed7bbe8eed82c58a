#include "grid/core/Data.h"

#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Range.h"

#include <gtest/gtest.h>

namespace
{
// A data object with the value "r<row>" in column 1 of rows 1..nRows and a row base style
// valued "base<row>" on every row.
void FillRows(CGXData& data, ROWCOL nRows)
{
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
    {
        CString value;
        value.Format("r%u", static_cast<unsigned>(nRow));
        CGXStyle style;
        style.SetValue(value);
        data.StoreStyleRowCol(nRow, 1, &style, gxOverride);
        CGXStyle base;
        base.SetValue("base" + value.Mid(1));
        data.StoreStyleRowCol(nRow, 0, &base, gxOverride, gxBaseStyleType);
    }
}

// The value stored in the cell, "-" when nothing is stored.
CString CellValue(CGXData& data, ROWCOL nRow, ROWCOL nCol, int nType = 0)
{
    CGXStyle style;
    if (!data.GetStyleRowCol(nRow, nCol, style, gxCopy, nType))
        return "-";
    return style.GetValue();
}

std::vector<CString> ColumnOne(CGXData& data)
{
    std::vector<CString> values;
    for (ROWCOL nRow = 1; nRow <= data.GetRowCount(); ++nRow)
        values.push_back(CellValue(data, nRow, 1));
    return values;
}
} // namespace

TEST(CGXData, StoreIntoCellGrowsTheCountsAndLeavesOtherCellsEmpty)
{
    CGXData data;
    CGXStyle style;
    style.SetValue("x");
    EXPECT_TRUE(data.StoreStyleRowCol(5, 3, &style, gxOverride));
    EXPECT_EQ(data.GetRowCount(), 5u);
    EXPECT_EQ(data.GetColCount(), 3u);
    EXPECT_EQ(CellValue(data, 5, 3), "x");
    EXPECT_EQ(CellValue(data, 4, 3), "-");
    EXPECT_EQ(CellValue(data, 5, 2), "-");
    EXPECT_EQ(CellValue(data, 1, 1), "-");
}

TEST(CGXData, StoreOfNoStyleStillRaisesTheCounts)
{
    CGXData data;
    data.SetRowCount(2);
    data.SetColCount(2);
    EXPECT_TRUE(data.StoreStyleRowCol(10, 10, nullptr, gxOverride));
    EXPECT_EQ(data.GetRowCount(), 10u);
    EXPECT_EQ(data.GetColCount(), 10u);
}

TEST(CGXData, StoredStylesAreIndependentClones)
{
    CGXData data;
    CGXStyle style;
    style.SetValue("before");
    data.StoreStyleRowCol(1, 1, &style, gxOverride);
    style.SetValue("after");
    EXPECT_EQ(CellValue(data, 1, 1), "before");
}

TEST(CGXData, StoreModesMergeIntoWhatIsStored)
{
    CGXData data;
    CGXStyle first;
    first.SetValue("v").SetHorizontalAlignment(DT_RIGHT);
    data.StoreStyleRowCol(1, 1, &first, gxOverride);

    CGXStyle keepOld;
    keepOld.SetValue("new").SetWrapText(TRUE);
    data.StoreStyleRowCol(1, 1, &keepOld, gxApplyNew);
    CGXStyle stored;
    data.GetStyleRowCol(1, 1, stored, gxCopy);
    EXPECT_EQ(stored.GetValue(), "v");
    EXPECT_TRUE(stored.GetIncludeWrapText());

    CGXStyle removeValue;
    removeValue.SetValue("");
    data.StoreStyleRowCol(1, 1, &removeValue, gxExclude);
    data.GetStyleRowCol(1, 1, stored, gxCopy);
    EXPECT_FALSE(stored.GetIncludeValue());
    EXPECT_TRUE(stored.GetIncludeHorizontalAlignment());

    // Exclude into an empty cell stores nothing.
    data.StoreStyleRowCol(2, 2, &removeValue, gxExclude);
    EXPECT_EQ(CellValue(data, 2, 2), "-");

    data.StoreStyleRowCol(1, 1, nullptr, gxOverride);
    EXPECT_EQ(CellValue(data, 1, 1), "-");
}

TEST(CGXData, BaseStylesOfRowsAndColumns)
{
    CGXData data;
    CGXStyle rowBase;
    rowBase.SetValue("row 2");
    CGXStyle colBase;
    colBase.SetValue("col 3");
    data.StoreStyleRowCol(2, 0, &rowBase, gxOverride, gxBaseStyleType);
    data.StoreStyleRowCol(0, 3, &colBase, gxOverride, gxBaseStyleType);
    EXPECT_EQ(CellValue(data, 2, 0, gxBaseStyleType), "row 2");
    EXPECT_EQ(CellValue(data, 0, 3, gxBaseStyleType), "col 3");
    // Base styles are not cell styles.
    EXPECT_EQ(CellValue(data, 2, 0), "-");
    data.StoreStyleRowCol(2, 0, nullptr, gxOverride, gxBaseStyleType);
    EXPECT_EQ(CellValue(data, 2, 0, gxBaseStyleType), "-");
}

TEST(CGXData, GetStyleRowColCopiesOrOnlyFillsWhatIsMissing)
{
    CGXData data;
    CGXStyle stored;
    stored.SetValue("stored").SetHorizontalAlignment(DT_RIGHT);
    data.StoreStyleRowCol(1, 1, &stored, gxOverride);

    CGXStyle mine;
    mine.SetValue("mine").SetWrapText(TRUE);
    ASSERT_TRUE(data.GetStyleRowCol(1, 1, mine, gxApplyNew));
    EXPECT_EQ(mine.GetValue(), "mine");
    EXPECT_EQ(mine.GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_TRUE(mine.GetIncludeWrapText());

    ASSERT_TRUE(data.GetStyleRowCol(1, 1, mine, gxCopy));
    EXPECT_EQ(mine.GetValue(), "stored");
    EXPECT_FALSE(mine.GetIncludeWrapText());

    EXPECT_FALSE(data.GetStyleRowCol(2, 1, mine, gxCopy));
    EXPECT_FALSE(data.GetStyleRowCol(1, 2, mine, gxCopy));
}

TEST(CGXData, RemoveRowsShiftsTheRowsBelow)
{
    CGXData data;
    FillRows(data, 5);
    EXPECT_TRUE(data.RemoveRows(2, 3));
    EXPECT_EQ(data.GetRowCount(), 3u);
    EXPECT_EQ(ColumnOne(data), (std::vector<CString>{"r1", "r4", "r5"}));
    EXPECT_EQ(CellValue(data, 2, 0, gxBaseStyleType), "base4");
}

TEST(CGXData, RemoveRowsBeyondTheCountChangesNothing)
{
    CGXData data;
    FillRows(data, 5);
    EXPECT_TRUE(data.RemoveRows(7, 9));
    EXPECT_EQ(data.GetRowCount(), 5u);
    EXPECT_EQ(ColumnOne(data).size(), 5u);
}

TEST(CGXData, RemoveRowsWithAnEndBeyondTheCountKeepsTheRowsBefore)
{
    CGXData data;
    FillRows(data, 5);
    EXPECT_TRUE(data.RemoveRows(4, 9));
    EXPECT_EQ(data.GetRowCount(), 3u);
    EXPECT_EQ(ColumnOne(data), (std::vector<CString>{"r1", "r2", "r3"}));
}

TEST(CGXData, MoveRowsPutsTheBlockAtTheDestination)
{
    struct Case
    {
        ROWCOL from, to, dest;
        std::vector<CString> expected;
    } cases[] = {
        {2, 3, 6, {"r1", "r4", "r5", "r6", "r7", "r2", "r3", "r8"}},
        {6, 7, 2, {"r1", "r6", "r7", "r2", "r3", "r4", "r5", "r8"}},
        {3, 3, 3, {"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8"}},
        {1, 1, 8, {"r2", "r3", "r4", "r5", "r6", "r7", "r8", "r1"}},
    };
    for (const Case& c : cases)
    {
        CGXData data;
        FillRows(data, 8);
        EXPECT_TRUE(data.MoveRows(c.from, c.to, c.dest));
        EXPECT_EQ(data.GetRowCount(), 8u);
        EXPECT_EQ(ColumnOne(data), c.expected) << c.from << ".." << c.to << " -> " << c.dest;
    }
    CGXData data;
    FillRows(data, 8);
    data.MoveRows(2, 3, 6);
    EXPECT_EQ(CellValue(data, 6, 0, gxBaseStyleType), "base2");
}

TEST(CGXData, MoveRowsOfRowsWithoutStylesLandsOnShorterArrays)
{
    // Only rows 1 and 2 hold styles; moving empty row 5 before them shifts them down.
    CGXData data;
    FillRows(data, 2);
    data.SetRowCount(6);
    data.MoveRows(5, 5, 1);
    EXPECT_EQ(ColumnOne(data), (std::vector<CString>{"-", "r1", "r2", "-", "-", "-"}));
}

TEST(CGXData, InsertAndRemoveColumnsFollowEveryRow)
{
    CGXData data;
    for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
    {
        CGXStyle style;
        style.SetValue(CString('a' + static_cast<char>(nCol - 1), 1));
        data.StoreStyleRowCol(1, nCol, &style, gxOverride);
        data.StoreStyleRowCol(2, nCol, &style, gxOverride);
    }
    data.InsertCols(2, 2);
    EXPECT_EQ(data.GetColCount(), 5u);
    EXPECT_EQ(CellValue(data, 2, 1), "a");
    EXPECT_EQ(CellValue(data, 2, 2), "-");
    EXPECT_EQ(CellValue(data, 2, 4), "b");
    data.RemoveCols(1, 3);
    EXPECT_EQ(data.GetColCount(), 2u);
    EXPECT_EQ(CellValue(data, 1, 1), "b");
    EXPECT_EQ(CellValue(data, 1, 2), "c");
    data.MoveCols(1, 1, 2);
    EXPECT_EQ(CellValue(data, 1, 1), "c");
    EXPECT_EQ(CellValue(data, 1, 2), "b");
}

TEST(CGXData, SetRowCountInsertsOrRemovesAtTheEnd)
{
    CGXData data;
    FillRows(data, 4);
    data.SetRowCount(2);
    EXPECT_EQ(data.GetRowCount(), 2u);
    data.SetRowCount(6);
    EXPECT_EQ(ColumnOne(data), (std::vector<CString>{"r1", "r2", "-", "-", "-", "-"}));
}

TEST(CGXData, AssignmentCopiesDeeply)
{
    CGXData source;
    FillRows(source, 3);
    CGXData copy;
    copy = source;
    source.DeleteContents();
    EXPECT_EQ(source.GetRowCount(), 3u);
    EXPECT_EQ(CellValue(source, 1, 1), "-");
    EXPECT_EQ(ColumnOne(copy), (std::vector<CString>{"r1", "r2", "r3"}));
}

namespace
{
// A date component that takes texts with a '/' as dates.
class SlashDates : public CGXAbstractDateTimeImp
{
public:
    void InitDateTimeFormats() override {}
    BOOL ParseDateTime(LPCTSTR pszText, double& dValue) override
    {
        dValue = 1;
        return std::strchr(pszText, '/') != nullptr;
    }
    void UpdateLocaleFormats() override {}
    int GetDateOrder(BOOL, BOOL&, char&) override { return 3; }
    char GetTimeSeparator(BOOL) override { return ':'; }
    BOOL ParseDateTimeFields(GXDateTimeRecord&, LPCTSTR, int) override { return FALSE; }
    BOOL ParseDateTimeTm(struct tm&, LPCTSTR, int) override { return FALSE; }
    void FormatDateTimeFields(CString& text, const GXDateTimeRecord&) override { text.Empty(); }
    void FormatTimeValue(CString& text, __time64_t) override { text.Empty(); }
};

class ScopedDates
{
public:
    ScopedDates() : m_pPrevious(GXGetAppData()->m_pDateTimeImp) { GXGetAppData()->m_pDateTimeImp = &m_dates; }
    ~ScopedDates() { GXGetAppData()->m_pDateTimeImp = m_pPrevious; }

private:
    SlashDates m_dates;
    CGXAbstractDateTimeImp* m_pPrevious;
};
} // namespace

TEST(CGXData, DateTextsStoredWithDetectionBecomeNumbers)
{
    ScopedDates dates;
    CGXData data;
    CGXStyle style;
    style.SetValue("3/4/2026").SetValueType(GX_VT_TEXT);
    data.StoreStyleRowCol(1, 1, &style, gxOverride, gxDetectValueType);
    data.StoreStyleRowCol(1, 2, &style, gxOverride, 0);
    CGXStyle stored;
    data.GetStyleRowCol(1, 1, stored, gxCopy);
    EXPECT_EQ(stored.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC));
    data.GetStyleRowCol(1, 2, stored, gxCopy);
    EXPECT_EQ(stored.GetValueType(), static_cast<unsigned>(GX_VT_TEXT));
}

TEST(CGXData, ForwardersAnswerFalseWithoutTheirComponents)
{
    // Another test of this program may have started the library, which installs the sort's mover
    // and the cell copier.
    CGXAbstractSortMoveDataImp*& pMover = GXGetAppData()->m_pSortMoveDataImp;
    CGXAbstractSortMoveDataImp* pInstalledMover = pMover;
    pMover = nullptr;
    CGXAbstractDataCopyMoveCellsImp*& pCopier = GXGetAppData()->m_pDataCopyMoveCellsImp;
    CGXAbstractDataCopyMoveCellsImp* pInstalledCopier = pCopier;
    pCopier = nullptr;
    CGXData data;
    CDWordArray order;
    EXPECT_FALSE(data.CopyCells(CGXRange(1, 1), 2, 2));
    EXPECT_FALSE(data.MoveCells(CGXRange(1, 1), 2, 2));
    EXPECT_FALSE(data.MoveDataRows(order));
    EXPECT_FALSE(data.MoveDataCols(order));
    EXPECT_EQ(data.GetGrid(), nullptr);
    pMover = pInstalledMover;
    pCopier = pInstalledCopier;
}

namespace
{
// A data object that keeps its own value for every cell, as the formula sheet does.
class ComputedData : public CGXData
{
public:
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType, int) override
    {
        CString value;
        value.Format("%u,%u", static_cast<unsigned>(nRow), static_cast<unsigned>(nCol));
        style.SetValue(value);
        return TRUE;
    }
};
} // namespace

TEST(CGXData, SubclassesReplaceTheOperationsForTheirCallers)
{
    ComputedData computed;
    CGXData& data = computed;
    CGXStyle style;
    ASSERT_TRUE(data.GetStyleRowCol(7, 2, style, gxCopy, 0));
    EXPECT_EQ(style.GetValue(), "7,2");
}
