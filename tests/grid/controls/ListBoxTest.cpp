// The list-box cell on a real grid: inactive cells draw their lines with the value's line inverted
// as the last one shown, a click selects the clicked line in the real list window, Left and Right
// move the current cell while the list has the focus, and visiting a cell never rewrites its value.
#include "grid/controls/ListBox.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
class ListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        pList = dynamic_cast<CGXListBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_LISTBOX));
        ASSERT_NE(pList, nullptr);
        // The height of a line in the cells' font.
        CClientDC dc(&grid);
        CFont* pOld = grid.SelectZoomedFont(&dc, grid.LookupStyleRowCol(1, 1).GetFont());
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
        if (pOld != nullptr)
            ::SelectObject(dc.GetSafeHdc(), pOld->GetSafeHandle());
        nLine = tm.tmHeight + tm.tmExternalLeading;
    }

    void ListCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, LPCTSTR pszChoices)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices).SetInterior(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0));
        grid.SetControlCell(nRow, nCol, GX_IDS_CTRL_LISTBOX, pszValue, style);
    }
    ROWCOL CurrentCol()
    {
        ROWCOL nRow = 0, nCol = 0;
        grid.GetCurrentCell(nRow, nCol);
        return nCol;
    }

    DrawnCellGrid grid;
    CGXListBox* pList = nullptr;
    int nLine = 13;
};
}  // namespace

TEST_F(ListBoxTest, TheValuesLineIsTheLastShownAndInverted)
{
    ListCell(1, 1, "Seventh", "First\nSecond\nThird\nFourth\nFifth\nSixth\nSeventh\nEighth\nNinth\nTenth");
    const CGXStyle& style = grid.LookupStyleRowCol(1, 1);
    MemoryCanvas canvas(100, 3 * nLine + 4);
    // A cell three lines high (its text area lies inside the rectangle's grid line).
    const CRect rect(0, 0, 100, 3 * nLine + 1);
    pList->Draw(&canvas.dc, rect, 1, 1, style, nullptr);
    const CRect text = pList->GetCellRect(1, 1, &rect, &style);
    auto inkOfLine = [&](int nIndex, COLORREF color) {
        int nCount = 0;
        for (int y = text.top + nIndex * nLine; y < text.top + (nIndex + 1) * nLine; ++y)
            for (int x = text.left; x < text.right; ++x)
                nCount += canvas.At(x, y) == color;
        return nCount;
    };
    // Lines 5, 6 and 7 show: two on white, the seventh inverted (white ink on black).
    EXPECT_GT(inkOfLine(0, RGB(0, 0, 0)), 5);
    EXPECT_LT(inkOfLine(0, RGB(0, 0, 0)), text.Width() * nLine / 2) << "not inverted";
    EXPECT_GT(inkOfLine(2, RGB(0, 0, 0)), text.Width() * nLine / 2) << "inverted";

    // The same lines drawn by hand: the first line shown is the fifth.
    MemoryCanvas fifth(100, 3 * nLine + 4);
    CFont* pOld = grid.SelectZoomedFont(&fifth.dc, style.GetFont());
    CRect line(text.left + 2, text.top, text.right, text.top + nLine);
    ::DrawTextA(fifth.dc.GetSafeHdc(), "Fifth", 5, &line, DT_SINGLELINE | DT_NOPREFIX);
    if (pOld != nullptr)
        ::SelectObject(fifth.dc.GetSafeHdc(), pOld->GetSafeHandle());
    for (int y = text.top; y < text.top + nLine; ++y)
        for (int x = text.left; x < text.right; ++x)
            ASSERT_EQ(canvas.At(x, y), fifth.At(x, y)) << x << "," << y;
}

TEST_F(ListBoxTest, AValueOfNoLineInvertsNothing)
{
    ListCell(1, 1, "apple", "Apple\nBanana");
    MemoryCanvas canvas(100, 40);
    const CRect rect(0, 0, 100, 40);
    pList->Draw(&canvas.dc, rect, 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    int nBlack = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            nBlack += canvas.At(x, y) == RGB(0, 0, 0);
    EXPECT_LT(nBlack, 100 * nLine / 2);
}

TEST_F(ListBoxTest, AClickSelectsTheClickedLineAndLeavingStoresIt)
{
    grid.SetRowHeight(1, 1, 4 * nLine + 4);
    ListCell(1, 1, "Apple", "Apple\nBanana\nCherry");
    const CRect cell = grid.CalcCellRect(1, 1);
    grid.Click(CPoint(cell.left + 10, cell.top + 2 * nLine + nLine / 2));
    PumpMessages();
    ASSERT_TRUE(pList->IsActive());
    EXPECT_TRUE(::IsWindowVisible(pList->m_hWnd));
    EXPECT_EQ(pList->GetCurSel(), 2);
    EXPECT_TRUE(pList->GetModify());
    grid.MoveCurrentCell(2, 2);
    EXPECT_EQ(grid.Stored(1, 1), "Cherry");
    EXPECT_FALSE(::IsWindowVisible(pList->m_hWnd));
}

TEST_F(ListBoxTest, LeftAndRightMoveTheCurrentCellWhileTheListHasTheFocus)
{
    grid.SetRowHeight(1, 1, 4 * nLine + 4);
    ListCell(1, 2, "Banana", "Apple\nBanana\nCherry");
    grid.MoveCurrentCell(1, 2);
    ::SetFocus(grid.m_hWnd);
    // A key on the grid starts editing: the list shows and takes the focus.
    ::SendMessageA(grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    grid.UpdateWindow();
    ASSERT_EQ(::GetFocus(), pList->m_hWnd);
    EXPECT_EQ(pList->GetCurSel(), 1);
    // Up and Down stay in the list.
    ::SendMessageA(pList->m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(pList->GetCurSel(), 2);
    EXPECT_EQ(CurrentCol(), 2u);
    ::SendMessageA(pList->m_hWnd, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(CurrentCol(), 3u);
    EXPECT_EQ(grid.Stored(1, 2), "Cherry");

    grid.MoveCurrentCell(1, 2);
    ::SetFocus(grid.m_hWnd);
    ::SendMessageA(grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    grid.UpdateWindow();
    ASSERT_EQ(::GetFocus(), pList->m_hWnd);
    ::SendMessageA(pList->m_hWnd, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(CurrentCol(), 1u);
}

TEST_F(ListBoxTest, VisitingACellNeverRewritesItsValue)
{
    ListCell(1, 1, "apple", "Apple\nBanana");
    grid.MoveCurrentCell(1, 1);
    ::SetFocus(grid.m_hWnd);
    ::SendMessageA(grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    grid.UpdateWindow();
    ASSERT_TRUE(pList->IsActive());
    EXPECT_EQ(pList->GetCurSel(), 0) << "the line that begins with the value, ignoring case";
    EXPECT_FALSE(pList->GetModify());
    grid.MoveCurrentCell(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "apple");
}

TEST_F(ListBoxTest, AReadOnlyCellKeepsItsValue)
{
    grid.SetRowHeight(1, 1, 4 * nLine + 4);
    CGXStyle style;
    style.SetChoiceList("Apple\nBanana").SetReadOnly(TRUE);
    grid.SetControlCell(1, 1, GX_IDS_CTRL_LISTBOX, "Apple", style);
    const CRect cell = grid.CalcCellRect(1, 1);
    grid.Click(CPoint(cell.left + 10, cell.top + nLine + nLine / 2));
    PumpMessages();
    EXPECT_FALSE(pList->GetModify());
    grid.MoveCurrentCell(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "Apple");
}

// The current cell, a list covering two rows, its first row scrolled away behind the frozen row:
// the list window lies only beside the frozen row, which it would hide if laid over the whole cell.
TEST_F(ListBoxTest, AnActiveCellScrolledPartlyBehindTheFrozenRowsLeavesThemShowing)
{
    const COLORREF kFrozen = RGB(255, 255, 0);
    ListCell(2, 1, "Second", "First\nSecond\nThird\nFourth");
    ASSERT_TRUE(grid.CoverBesideFrozenPane(2, 1, TRUE, kFrozen));
    grid.Click(grid.CalcCellRect(2, 1).CenterPoint());
    grid.UpdateWindow();
    ASSERT_TRUE(pList->IsActive());
    grid.ScrollHalfBehindFrozenPane(2, 1, TRUE);
    ASSERT_TRUE(pList->IsActive());
    const CRect shown = grid.CalcCellRect(3, 1);
    CRect window;
    pList->GetWindowRect(&window);
    grid.ScreenToClient(&window);
    EXPECT_GE(window.top, shown.top) << "the list lies beside the frozen row, not over it";
    EXPECT_GE(window.Height(), nLine) << "a line of the list shows beside it";
    EXPECT_EQ(grid.ScreenPixel(CPoint(shown.left + 10, shown.top - 4)), kFrozen);
}
