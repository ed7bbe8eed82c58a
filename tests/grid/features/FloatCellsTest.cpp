// Floating cells: how far a long text floats, what stops it, the cells that never float, the text
// being typed, and the spans worked out again after columns go.
#include "grid/features/DelayedRangePool.h"
#include "grid/features/GridFloatCellsImp.h"
#include "grid/features/SpanCellPool.h"

#include "framework/win/Dc.h"
#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const char* const kLongText = "A label that is rather long";

class FloatCellsTest : public GridWindowTest<CGXGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(6, 8, FALSE));
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetValueRange(CGXRange(2, 2), kLongText);
        // Columns two and a half of which the text needs.
        const int nTextWidth = MeasuredWidth(2, 2);
        ASSERT_GT(nTextWidth, 20);
        grid.SetColWidth(1, 8, nTextWidth * 2 / 5);
    }

    // The width the cell's control measures for its content.
    int MeasuredWidth(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        grid.BuildEffectiveStyle(nRow, nCol, style);
        CGXControl* pControl = grid.GetRegisteredControl(style.GetControl());
        const int nWidth = pControl->CalcSize(grid.GetGridDC(), nRow, nCol, style, nullptr, FALSE).cx;
        grid.ReleaseGridDC();
        return nWidth;
    }
    void EvaluateAll() { grid.EvalFloatCells(CGXRange().SetTable()); }
    std::string FloatAt(ROWCOL nRow, ROWCOL nCol)
    {
        CGXRange range;
        if (!grid.GetFloatRange(nRow, nCol, range))
            return "-";
        return std::to_string(range.top) + " " + std::to_string(range.left) + " " + std::to_string(range.bottom) +
               " " + std::to_string(range.right);
    }
};

TEST_F(FloatCellsTest, ALongTextFloatsOverAsManyEmptyCellsAsItNeedsAndAValueCutsItBack)
{
    grid.SetFloatCellsMode(2, FALSE);
    EvaluateAll();
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 4");
    EXPECT_EQ(FloatAt(2, 4), "2 2 2 4");
    EXPECT_EQ(FloatAt(2, 5), "-");

    grid.SetValueRange(CGXRange(2, 3), "v");
    EvaluateAll();
    EXPECT_EQ(FloatAt(2, 2), "-");
    EXPECT_EQ(FloatAt(2, 4), "-");
}

TEST_F(FloatCellsTest, WhatKeepsATextFromFloating)
{
    struct Case
    {
        const char* what;
        void (*change)(CGXGridCore&);
        const char* span;
    };
    const Case cases[] = {
        {"nothing", [](CGXGridCore&) {}, "2 2 2 4"},
        {"a neighbour that may not be covered",
         [](CGXGridCore& g) { g.SetStyleRange(CGXRange(2, 4), CGXStyle().SetFloodCell(FALSE)); }, "2 2 2 3"},
        {"the cell may not float", [](CGXGridCore& g) { g.SetStyleRange(CGXRange(2, 2), CGXStyle().SetFloatCell(FALSE)); },
         "-"},
        {"a turned font",
         [](CGXGridCore& g) { g.SetStyleRange(CGXRange(2, 2), CGXStyle().SetFont(CGXFont().SetOrientation(900))); },
         "-"},
        {"the scrolled columns begin right of it", [](CGXGridCore& g) { g.SetFrozenCols(2); }, "-"},
        {"a covered neighbour", [](CGXGridCore& g) { g.SetCoveredCellsRowCol(2, 3, 3, 3); }, "-"},
        {"the text's own cell is covered", [](CGXGridCore& g) { g.SetCoveredCellsRowCol(2, 2, 3, 2); }, "-"},
    };
    for (const Case& c : cases)
    {
        CGXGridParam* pParam = grid.GetParam();
        grid.SetFloatCellsMode(0, FALSE);
        grid.SetFrozenCols(0);
        pParam->m_CoveredCellsList.DeleteAll();
        pParam->SyncCoveredCellPool();
        grid.SetStyleRange(CGXRange(2, 2, 2, 8), CGXStyle(), gxCopy);
        grid.SetValueRange(CGXRange(2, 2), kLongText);
        c.change(grid);
        grid.SetFloatCellsMode(2, FALSE);
        EvaluateAll();
        EXPECT_EQ(FloatAt(2, 2), c.span) << c.what;
    }
}

TEST_F(FloatCellsTest, HeaderCellsNeverFloat)
{
    grid.SetStyleRange(CGXRange(0, 2), CGXStyle().SetValue(kLongText));
    grid.SetStyleRange(CGXRange(4, 0), CGXStyle().SetValue(kLongText));
    grid.SetFloatCellsMode(2, FALSE);
    EvaluateAll();
    EXPECT_EQ(FloatAt(0, 2), "-");
    EXPECT_EQ(FloatAt(4, 0), "-");
    EXPECT_EQ(FloatAt(4, 1), "-");
}

TEST_F(FloatCellsTest, DelayedSpansAreWorkedOutWhenAskedForAndAgainAfterColumnsGo)
{
    grid.SetValueRange(CGXRange(2, 6), "w");
    grid.SetFloatCellsMode(1, FALSE);
    EXPECT_EQ(FloatAt(2, 2), "-") << "nothing is worked out before it is asked for";
    grid.EvalFloatCells(CGXRange(1, 1, 3, 8));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 4");
    // Column 3 goes: "w" comes to column 5, and the text still floats up to it.
    grid.RemoveCols(3, 3);
    grid.EvalFloatCells(CGXRange(1, 1, 3, 7));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 4");
    // Column 4 goes: "w" comes to column 4 and cuts the text back.
    grid.RemoveCols(4, 4);
    grid.EvalFloatCells(CGXRange(1, 1, 3, 6));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 3");
    EXPECT_EQ(FloatAt(2, 4), "-");
}

TEST_F(FloatCellsTest, WhilePrintingTheSpansAreWorkedOutInThePrintPools)
{
    CGXGridParam* pParam = grid.GetParam();
    grid.SetFloatCellsMode(1, FALSE);
    // The pair the printing component makes when it first prints; the parameter object deletes them.
    pParam->m_pPrintFloatCellsPool = new CGXSpanCellPool;
    pParam->m_pPrintDelayedFloatCellsPool = new CGXDelayedRangePool;
    grid.SetPrinting(TRUE);
    grid.DelayFloatCells(CGXRange().SetTable());
    EXPECT_EQ(grid.GetFloatCellsPool(), pParam->m_pPrintFloatCellsPool);
    grid.EvalFloatCells(CGXRange(1, 1, 3, 8));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 4");
    grid.SetPrinting(FALSE);
    EXPECT_EQ(FloatAt(2, 2), "-") << "the screen's spans are worked out on their own";
    grid.EvalFloatCells(CGXRange(1, 1, 3, 8));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 4");

    // A value stored while nothing prints marks the cells pending for the print set too.
    grid.SetValueRange(CGXRange(2, 4), "v");
    grid.SetPrinting(TRUE);
    grid.EvalFloatCells(CGXRange(1, 1, 3, 8));
    EXPECT_EQ(FloatAt(2, 2), "2 2 2 3");
    grid.SetPrinting(FALSE);
}

TEST_F(FloatCellsTest, AValueThatCutsATextBackRedrawsTheCellsTheTextLeaves)
{
    // Narrow first columns, so that the whole span lies in the window.
    grid.SetColWidth(0, 0, 20);
    grid.SetColWidth(1, 1, 5);
    dlg.ShowWindow(SW_SHOW);
    grid.SetFloatCellsMode(2);
    Pump();
    ::UpdateWindow(grid.m_hWnd);
    ASSERT_EQ(FloatAt(2, 2), "2 2 2 4");
    const CRect rectFourth = grid.CalcCellRect(2, 4);
    ::ValidateRect(grid.m_hWnd, nullptr);
    // A block of values, not one cell: only the evaluation knows what the text covered.
    grid.SetValueRange(CGXRange(2, 3, 3, 3), "v", gxOverride, GX_INVALIDATE);
    EXPECT_EQ(FloatAt(2, 2), "-");
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(grid.m_hWnd, static_cast<HRGN>(region.GetSafeHandle()), FALSE);
    EXPECT_TRUE(::PtInRegion(static_cast<HRGN>(region.GetSafeHandle()), rectFourth.CenterPoint().x,
                             rectFourth.CenterPoint().y))
        << "the fourth cell showed the text and must be painted again";
}

TEST_F(FloatCellsTest, TheSpanFollowsTheTextBeingTypedBeforeItIsStored)
{
    grid.SetColWidth(0, 0, 20);
    grid.SetColWidth(1, 1, 5);
    dlg.ShowWindow(SW_SHOW);
    grid.SetFloatCellsMode(2);
    grid.SetFocus();
    Pump();
    ::UpdateWindow(grid.m_hWnd);
    ASSERT_EQ(FloatAt(2, 2), "2 2 2 4");
    grid.MoveCurrentCell(2, 3);
    Pump();
    ::SendMessageA(::GetFocus(), WM_CHAR, 'x', 1);
    Pump();
    ASSERT_TRUE(grid.IsActiveCurrentCell());
    EXPECT_EQ(grid.GetValueRowCol(2, 3), "") << "nothing is stored yet";
    EXPECT_EQ(FloatAt(2, 2), "-") << "the typed text keeps its cell from being covered";
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
}

TEST_F(FloatCellsTest, InsertedRowsCarryTheirSpans)
{
    grid.SetFloatCellsMode(2, FALSE);
    EvaluateAll();
    grid.InsertRows(1, 2);
    EXPECT_EQ(FloatAt(4, 3), "4 2 4 4");
    EXPECT_EQ(FloatAt(2, 3), "-");
}

TEST_F(FloatCellsTest, TextCellsAnswerTheRuleAndOtherControlsNeverFloat)
{
    CGXStyle text;
    text.SetValue("t");
    CGXStyle empty;
    CGXStyle turned;
    turned.SetValue("t").SetFont(CGXFont().SetOrientation(450));
    struct Case
    {
        const CGXStyle* pStyle;
        BOOL bFloat;
        BOOL bExpected;
    };
    const Case cases[] = {{&text, TRUE, TRUE},   {&text, FALSE, FALSE}, {&empty, TRUE, FALSE},
                          {&empty, FALSE, TRUE}, {&turned, TRUE, FALSE}};
    CGXControl* pStatic = grid.GetRegisteredControl(GX_IDS_CTRL_STATIC);
    CGXControl base(&grid);
    for (const Case& c : cases)
    {
        EXPECT_EQ(pStatic->CanFloatCell(2, 2, *c.pStyle, c.bFloat), c.bExpected) << c.bFloat;
        EXPECT_FALSE(base.CanFloatCell(2, 2, *c.pStyle, c.bFloat));
    }
}
} // namespace
