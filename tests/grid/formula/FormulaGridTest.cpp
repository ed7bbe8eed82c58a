// A grid whose data object is a formula sheet: what the user types and sees through the grid.
#include <gtest/gtest.h>

#include <string>

#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/SortInfoArray.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/formula/FormulaSheet.h"
#include "tests/grid/core/GridTestSupport.h"

namespace
{
struct LibraryStarted
{
    LibraryStarted() { GXStartLibrary(); }
};

class FormulaGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.m_pDataRuntimeClass = RUNTIME_CLASS(CGXFormulaSheet);
        grid.InitializeGrid();
        grid.SetRowCount(12);
        grid.SetColCount(5);
        sheet = dynamic_cast<CGXFormulaSheet*>(grid.GetParam()->GetData());
        ASSERT_NE(sheet, nullptr);
    }

    // What the user types into a cell, committed as the cell's control commits it.
    bool Type(ROWCOL nRow, ROWCOL nCol, const char* text)
    {
        return grid.SetControlTextRowCol(nRow, nCol, text) != FALSE;
    }
    std::string Shown(ROWCOL nRow, ROWCOL nCol)
    {
        return static_cast<LPCTSTR>(grid.GetValueRowCol(nRow, nCol));
    }
    std::string Edited(ROWCOL nRow, ROWCOL nCol)
    {
        CString text;
        sheet->GetEditTextRowCol(nRow, nCol, text);
        return static_cast<LPCTSTR>(text);
    }

    LibraryStarted started;
    CGXGridCore grid;
    CGXFormulaSheet* sheet = nullptr;
};
}  // namespace

TEST_F(FormulaGrid, ShowsValuesOfTypedFormulas)
{
    ASSERT_TRUE(Type(1, 1, "2"));
    ASSERT_TRUE(Type(1, 2, "=A1*3"));
    ASSERT_TRUE(Type(2, 1, "'abc"));
    ASSERT_TRUE(Type(2, 2, "=A2&\"def\""));
    EXPECT_EQ(Shown(1, 2), "6");
    EXPECT_EQ(grid.LookupStyleRowCol(1, 2).GetValueType(), unsigned(GX_VT_NUMERIC));
    EXPECT_EQ(Shown(2, 1), "abc");
    EXPECT_EQ(Edited(2, 1), "'abc");
    EXPECT_EQ(Shown(2, 2), "abcdef");
    EXPECT_EQ(Edited(1, 2), "=A1*3");

    ASSERT_TRUE(Type(1, 1, "5"));
    sheet->RecalcSheet(FALSE);
    EXPECT_EQ(Shown(1, 2), "15");
    // The headers name the cells as formulas do.
    EXPECT_EQ(Shown(0, 2), "B");
    EXPECT_EQ(Shown(3, 0), "3");
}

TEST_F(FormulaGrid, UndoOfRemovedRowsBringsTheirFormulasBack)
{
    ASSERT_TRUE(Type(1, 1, "2"));
    ASSERT_TRUE(Type(5, 1, "=A1+1"));
    ASSERT_TRUE(Type(6, 1, "=A1*10"));
    ASSERT_TRUE(Type(7, 1, "7"));
    ASSERT_TRUE(Type(1, 2, "=A7"));
    ASSERT_TRUE(Type(9, 1, "=A5"));
    ASSERT_TRUE(Type(11, 1, "11"));
    ASSERT_TRUE(grid.RemoveRows(5, 6));
    EXPECT_EQ(Edited(5, 1), "7");
    EXPECT_EQ(Edited(1, 2), "=A5");
    EXPECT_EQ(Shown(1, 2), "7");

    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(Edited(5, 1), "=A1+1");
    EXPECT_EQ(Edited(6, 1), "=A1*10");
    EXPECT_EQ(Shown(6, 1), "20");
    EXPECT_EQ(Edited(7, 1), "7");
    EXPECT_EQ(Edited(1, 2), "=A7");
    EXPECT_EQ(Shown(1, 2), "7");
    // A cell that moved back down does not land on its neighbour.
    EXPECT_EQ(Edited(11, 1), "11");

    ASSERT_TRUE(grid.Redo());
    EXPECT_EQ(Edited(5, 1), "7");
    EXPECT_EQ(Edited(1, 2), "=A5");
}

TEST_F(FormulaGrid, AViolatedConstraintIsReportedAndShownRed)
{
    ASSERT_TRUE(sheet->SetConstraintCheck(TRUE));
    ASSERT_TRUE(Type(1, 1, "0"));
    ASSERT_TRUE(Type(1, 2, "=1;A1>0"));
    sheet->ArmMessage();
    sheet->RecalcSheet(TRUE);
    CString message;
    ASSERT_TRUE(sheet->GetMessage(message));
    EXPECT_EQ(message, "There is 1 constraint violation!");
    const CGXStyle& shown = grid.LookupStyleRowCol(1, 2);
    ASSERT_TRUE(shown.GetIncludeInterior());
    EXPECT_EQ(shown.GetInterior().GetColor(), RGB(255, 0, 0));
    WORD nId = 0;
    EXPECT_TRUE(grid.GetParam()->GetStylesMap()->LookupStyleId("Constraint Violation", nId));

    ASSERT_TRUE(Type(1, 1, "3"));
    sheet->ArmMessage();
    sheet->RecalcSheet(FALSE);
    EXPECT_NE(grid.LookupStyleRowCol(1, 2).GetInterior().GetColor(), RGB(255, 0, 0));
}

TEST_F(FormulaGrid, ACopiedOrStoredFormulaGridKeepsItsFormulaSheet)
{
    ASSERT_TRUE(Type(1, 1, "2"));
    ASSERT_TRUE(Type(1, 2, "=A1*3"));
    ASSERT_TRUE(sheet->DefineRangeName("Base", CGXRange(1, 1), nullptr));
    ASSERT_TRUE(Type(2, 2, "=Base+1"));
    sheet->SetIterationLimit(3);

    auto check = [](CGXGridParam& param, const char* how) {
        CGXFormulaSheet* pSheet = dynamic_cast<CGXFormulaSheet*>(param.GetData());
        ASSERT_NE(pSheet, nullptr) << how;
        CString text;
        pSheet->GetEditTextRowCol(1, 2, text);
        EXPECT_EQ(text, "=A1*3") << how;
        pSheet->GetValueTextRowCol(1, 2, text);
        EXPECT_EQ(text, "6") << how;
        pSheet->GetEditTextRowCol(2, 2, text);
        EXPECT_EQ(text, "=Base+1") << how;
        EXPECT_EQ(pSheet->GetIterationLimit(), 3) << how;
    };

    CGXGridParam copy;
    copy = *grid.GetParam();
    check(copy, "copied");
    EXPECT_NE(copy.GetData(), grid.GetParam()->GetData());

    const Bytes bytes = StoreToBytes([&](CArchive& ar) { grid.GetParam()->Serialize(ar); });
    CGXGridParam loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    check(loaded, "loaded");
}

TEST_F(FormulaGrid, SortingRowsCarriesTheirSingleRowReferences)
{
    ASSERT_TRUE(Type(1, 1, "30"));
    ASSERT_TRUE(Type(2, 1, "10"));
    ASSERT_TRUE(Type(3, 1, "20"));
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow) {
        CString formula;
        formula.Format("=A%lu*2", static_cast<unsigned long>(nRow));
        ASSERT_TRUE(Type(nRow, 2, formula));
    }
    ASSERT_TRUE(Type(5, 4, "=A1"));
    ASSERT_TRUE(Type(6, 4, "=A1..A3"));
    CGXSortInfoArray keys;
    keys.SetSize(1);
    keys[0].nRC = 1;
    keys[0].sortType = CGXSortInfo::numeric;
    keys[0].sortOrder = 0;
    ASSERT_TRUE(grid.SortRows(CGXRange().SetRows(1, 3), keys));
    EXPECT_EQ(Shown(1, 1), "10");
    EXPECT_EQ(Shown(3, 1), "30");
    EXPECT_EQ(Edited(3, 2), "=A3*2");
    EXPECT_EQ(Shown(3, 2), "60");
    EXPECT_EQ(Edited(1, 2), "=A1*2");
    EXPECT_EQ(Shown(1, 2), "20");
    // A reference to one sorted row follows its data; a range over several stays.
    EXPECT_EQ(Edited(5, 4), "=A3");
    EXPECT_EQ(Shown(5, 4), "30");
    EXPECT_EQ(Edited(6, 4), "=A1..A3");
}
