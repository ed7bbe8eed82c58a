// A direct copy in a grid whose data object is a formula sheet: the copy adjusts the formulas it
// copies, and one undo step puts back what the engine held at the destination.
#include "tests/grid/features/FeatureGridTestSupport.h"

#include "grid/core/Data.h"
#include "grid/formula/FormulaSheet.h"

#include <string>

namespace
{

class DirectCopyFormulaTest : public FeatureGridTest<>
{
protected:
    void SetUp() override
    {
        grid.m_pDataRuntimeClass = RUNTIME_CLASS(CGXFormulaSheet);
        ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(12, 5));
        sheet = dynamic_cast<CGXFormulaSheet*>(grid.GetParam()->GetData());
        ASSERT_NE(sheet, nullptr);
    }
    void Type(ROWCOL nRow, ROWCOL nCol, const char* pszText)
    {
        ASSERT_TRUE(grid.SetControlTextRowCol(nRow, nCol, pszText));
    }
    std::string Shown(ROWCOL nRow, ROWCOL nCol) { return static_cast<LPCTSTR>(grid.GetValueRowCol(nRow, nCol)); }
    std::string Edited(ROWCOL nRow, ROWCOL nCol)
    {
        CString text;
        sheet->GetEditTextRowCol(nRow, nCol, text);
        return static_cast<LPCTSTR>(text);
    }
    CGXFormulaSheet* sheet = nullptr;
};

TEST_F(DirectCopyFormulaTest, UndoOfACopyPutsBackTheFormulasItOverwrote)
{
    Type(1, 1, "2");
    Type(1, 2, "=A1*3");
    Type(3, 1, "=A1+100");
    Type(3, 2, "7");
    Type(4, 3, "=A3+B3");
    grid.GetParam()->EmptyUndoList();

    ASSERT_TRUE(grid.CopyCells(CGXRange(1, 1, 1, 2), 3, 1));
    EXPECT_EQ(Edited(3, 1), "2");
    EXPECT_EQ(Edited(3, 2), "=A3*3") << "the copied formula refers to its new row";
    EXPECT_EQ(Shown(4, 3), "8");
    EXPECT_EQ(NewestUndoName(), "Copy");

    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(Edited(3, 1), "=A1+100") << "the formula, not its value";
    EXPECT_EQ(Shown(3, 1), "102");
    EXPECT_EQ(Edited(3, 2), "7");
    EXPECT_EQ(Shown(4, 3), "109") << "what depends on the cells is worked out again";

    ASSERT_TRUE(grid.Redo());
    EXPECT_EQ(Shown(3, 1), "2");
    EXPECT_EQ(Shown(3, 2), "6");
}

} // namespace
