// Cell tips: which cells need a tip and of which kind, the tip window's layout over the cell, the
// factory's tip objects, and the grid's tip window that shows after a rest and hides on a key.
#include "grid/features/CellTipStatic.h"
#include "grid/features/GridCellTipImp.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/Font.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const char kLongText[] = "A drainage layer text far wider than its column";

// A cell whose text stays on one line (the grid's standard style wraps).
CGXStyle OneLine()
{
    CGXStyle style;
    style.SetWrapText(FALSE);
    return style;
}

class CellTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Tips", WS_POPUP | WS_VISIBLE, 100, 100, 500, 300,
                                    nullptr, nullptr, nullptr));
        ASSERT_TRUE(grid.CreateEx(0, "GXWND", "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 300, parent.m_hWnd, nullptr,
                                  nullptr));
        grid.Initialize();
        grid.SetRowCount(12);
        grid.SetColCount(8);
        grid.SetColWidth(1, 1, 60);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        parent.DestroyWindow();
    }
    void SetCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) { grid.SetStyleRange(CGXRange(nRow, nCol), style); }
    CGXControl* ControlOf(ROWCOL nRow, ROWCOL nCol) { return grid.GetControl(nRow, nCol); }
    UINT FlagsOf(ROWCOL nRow, ROWCOL nCol)
    {
        const CGXStyle& style = grid.LookupStyleRowCol(nRow, nCol);
        return ControlOf(nRow, nCol)->GetCellTipFlags(nRow, nCol, style);
    }
    int KindOf(ROWCOL nRow, ROWCOL nCol)
    {
        const CGXStyle& style = grid.LookupStyleRowCol(nRow, nCol);
        return ControlOf(nRow, nCol)->GetCellTipKind(nRow, nCol, style);
    }
    // The width of a text in the cell's font as the screen shows it.
    int TextWidth(ROWCOL nRow, ROWCOL nCol, const char* pszText)
    {
        CGXCellTipStatic tip(ControlOf(nRow, nCol));
        return tip.GetTextSize(pszText, grid.LookupStyleRowCol(nRow, nCol)).cx;
    }

    CWnd parent;
    CGXGridWnd grid;
};

TEST_F(CellTipTest, ALongLeftAlignedTextGetsATipAtTheCellsLeftAsWideAsItsText)
{
    SetCell(2, 1, OneLine().SetValue(kLongText));
    EXPECT_EQ(FlagsOf(2, 1), static_cast<UINT>(GX_TIP_WIDER));
    EXPECT_EQ(KindOf(2, 1), GX_TIP_TEXT);

    const CGXStyle& style = grid.LookupStyleRowCol(2, 1);
    CGXCellTipStatic tip(ControlOf(2, 1));
    const CRect cell = tip.GetCellRectInBorders(2, 1, style);
    const int nOffset = tip.GetClientScreenRect(2, 1, style).left - cell.left;
    CGXCellTipWnd tipWnd;
    ASSERT_TRUE(tipWnd.CreateTipWnd());
    tipWnd.m_nKind = GX_TIP_TEXT;
    ControlOf(2, 1)->InitCellTipWindow(2, 1, style, &tipWnd);

    EXPECT_EQ(tipWnd.m_rectWindow.left, cell.left);
    EXPECT_EQ(tipWnd.m_rectWindow.top, cell.top);
    EXPECT_EQ(tipWnd.m_rectWindow.Width(), TextWidth(2, 1, kLongText) + 6 + nOffset);
    EXPECT_EQ(tipWnd.m_strText, CString(kLongText));
    EXPECT_FALSE(tipWnd.IsWindowVisible()) << "laid out hidden; the grid shows it";
    CRect placed;
    tipWnd.GetWindowRect(&placed);
    EXPECT_EQ(placed, tipWnd.m_rectWindow);
}

TEST_F(CellTipTest, TextThatFitsWrapsOrTurnsGetsNoTip)
{
    CGXFont turned;
    turned.SetOrientation(900);
    const struct
    {
        const char* name;
        CGXStyle style;
    } cases[] = {
        {"fits", OneLine().SetValue("Short")},
        {"word wrap", CGXStyle().SetValue(kLongText).SetWrapText(TRUE)},
        {"rotated font", OneLine().SetValue(kLongText).SetFont(turned, gxApplyNew)},
        {"empty", OneLine().SetValue("")},
    };
    ROWCOL nRow = 3;
    for (const auto& c : cases)
    {
        SetCell(nRow, 1, c.style);
        EXPECT_EQ(FlagsOf(nRow, 1), 0u) << c.name;
        ++nRow;
    }
}

TEST_F(CellTipTest, AStaticCellNamingAPoolBitmapGetsABitmapTipAndAnUnknownNameNone)
{
    grid.SetColWidth(2, 2, 5);
    SetCell(2, 2, CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetValue("#BMP(20024)"));
    SetCell(3, 2, CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetValue("#BMP(\"NO_SUCH_BITMAP\")"));
    EXPECT_EQ(KindOf(2, 2), GX_TIP_BITMAP);
    EXPECT_NE(FlagsOf(2, 2) & GX_TIP_WIDER, 0u) << "the bitmap is wider than a 5-pixel column";
    EXPECT_EQ(FlagsOf(3, 2), 0u);

    CGXCellTipWnd tipWnd;
    ASSERT_TRUE(tipWnd.CreateTipWnd());
    tipWnd.m_nKind = GX_TIP_BITMAP;
    ControlOf(2, 2)->InitCellTipWindow(2, 2, grid.LookupStyleRowCol(2, 2), &tipWnd);
    EXPECT_NE(tipWnd.m_hBitmap, nullptr);
    EXPECT_GT(tipWnd.m_rectWindow.Width(), 5);

    SetCell(4, 2, CGXStyle().SetValue("#BMP(20024)"));
    EXPECT_EQ(KindOf(4, 2), GX_TIP_TEXT) << "an edit cell shows its text";
}

TEST_F(CellTipTest, TheFactoryGivesTipsToTextCellsButNotToCheckBoxes)
{
    CGXAbstractControlFactory* pFactory = GXGetAppData()->m_pControlFactory;
    const struct
    {
        UINT nId;
        bool bTip;
    } cases[] = {
        {GX_IDS_CTRL_EDIT, true},       {GX_IDS_CTRL_STATIC, true},    {GX_IDS_CTRL_CHECKBOX3D, false},
        {GX_IDS_CTRL_RADIOBTN, false},  {GX_IDS_CTRL_PROGRESS, false}, {GX_IDS_CTRL_CBS_DROPDOWNLIST, false},
    };
    for (const auto& c : cases)
    {
        CGXControl* pControl = pFactory->CreateControl(c.nId, &grid);
        ASSERT_NE(pControl, nullptr) << c.nId;
        EXPECT_EQ(dynamic_cast<CGXCellTipStatic*>(pControl->GetCellTip()) != nullptr, c.bTip) << c.nId;
        delete pControl;
    }
}

TEST_F(CellTipTest, TheTipShowsAfterTheMouseRestsOnTheCellAndAKeyHidesIt)
{
    SetCell(2, 1, OneLine().SetValue(kLongText));
    grid.EnableCellTips(TRUE);
    auto* pImp = dynamic_cast<CGXGridCellTipImp*>(grid.GetCellTipImp());
    ASSERT_NE(pImp, nullptr);
    const CRect cell = grid.CalcCellRect(2, 1);
    CPoint inCell = cell.CenterPoint();
    CPoint onScreen = inCell;
    grid.ClientToScreen(&onScreen);
    ::SetCursorPos(onScreen.x, onScreen.y);
    grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inCell.x, inCell.y));
    EXPECT_FALSE(pImp->IsTipShown()) << "not before the rest";
    pImp->OnTimer();
    EXPECT_TRUE(pImp->IsTipShown());
    EXPECT_EQ(pImp->GetTipWnd().m_strText, CString(kLongText));

    MSG key = {grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    grid.PreTranslateMessage(&key);
    EXPECT_FALSE(pImp->IsTipShown());
}
} // namespace
