// The combo cell on a real Windows combo box, driven by keys: the window shows over the current
// cell only, its list is made room for 8 rows at most, Left and Right leave the cell at the ends
// of the text, Enter in an open list only closes it, a read-only cell puts a selection back, and
// the chosen item is stored when the cell is left.
#include "grid/controls/ComboBoxWnd.h"

#include "grid/controls/Buttons.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
const char kFruit[] = "Apple\nBanana\nCherry";

class ComboBoxWndTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }

    CGXComboBoxWnd* Combo(WORD nId) { return dynamic_cast<CGXComboBoxWnd*>(grid.GetRegisteredControl(nId)); }

    // A cell of the control at (1, 1), current, with the grid holding the focus.
    CGXComboBoxWnd* Cell(WORD nId, LPCTSTR pszValue, LPCTSTR pszChoices = kFruit, BOOL bReadOnly = FALSE)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices);
        if (bReadOnly)
            style.SetReadOnly(TRUE);
        grid.SetControlCell(1, 1, nId, pszValue, style);
        grid.MoveCurrentCell(1, 1);
        ::SetFocus(grid.m_hWnd);
        return Combo(nId);
    }
    void GridKey(UINT nMessage, UINT nKey, LPARAM lParam = 1)
    {
        ::SendMessageA(grid.m_hWnd, nMessage, nKey, lParam);
        grid.UpdateWindow();
    }
    static void KeyTo(HWND hWnd, UINT nKey)
    {
        ::SendMessageA(hWnd, WM_KEYDOWN, nKey, 1);
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_KEYUP, nKey, 0xC0000001);
    }
    ROWCOL CurrentCol()
    {
        ROWCOL nRow = 0, nCol = 0;
        grid.GetCurrentCell(nRow, nCol);
        return nCol;
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(ComboBoxWndTest, TheWindowShowsOnlyOverTheActiveCurrentCell)
{
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Banana");
    ASSERT_NE(pCombo, nullptr);
    EXPECT_FALSE(::IsWindowVisible(pCombo->m_hWnd));
    GridKey(WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_TRUE(::IsWindowVisible(pCombo->m_hWnd));
    CRect window;
    pCombo->GetWindowRect(&window);
    grid.ScreenToClient(&window);
    const CRect cell = grid.CalcCellRect(1, 1);
    EXPECT_EQ(window.left, cell.left);
    EXPECT_LT(window.top, cell.top + 1);
    EXPECT_EQ(pCombo->GetCurSel(), 1) << "the value's item is selected";
    // The combo draws its own button: the child draws nothing while the window shows.
    CGXComboBoxWndButton* pButton = pCombo->GetButton();
    const CRect saved = pButton->GetRect();
    pButton->SetRect(CRect(0, 0, 16, 16));
    MemoryCanvas canvas(16, 16, RGB(0, 255, 0));
    pButton->Draw(&canvas.dc, TRUE, CGXStyle());
    EXPECT_EQ(canvas.At(8, 8), RGB(0, 255, 0));
    pButton->SetRect(saved);

    pCombo->ShowDropDown(FALSE);
    grid.MoveCurrentCell(2, 1);
    EXPECT_FALSE(::IsWindowVisible(pCombo->m_hWnd));
}

TEST_F(ComboBoxWndTest, TheDroppedListIsMadeRoomForEightRowsAtMost)
{
    CString many;
    for (int i = 1; i <= 20; ++i)
        many.AppendFormat("Item %d\n", i);
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Item 1", many);
    GridKey(WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_TRUE(pCombo->GetDroppedState());
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(pCombo->m_hWnd, &info));
    CRect list;
    ::GetWindowRect(info.hwndList, &list);
    CRect window;
    pCombo->GetWindowRect(&window);

    // The room below the field: the font's height plus 2 and the frame above and below, per row.
    CClientDC dc(&grid);
    const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), pCombo->GetFont()->GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    const int nRow = tm.tmHeight + 2 + 2 * pCombo->m_nFrameSize;
    const int nItemHeight = pCombo->GetItemHeight(0);
    EXPECT_LE(list.Height(), 8 * nRow + 4);
    EXPECT_GT(list.Height(), 8 * nRow - nItemHeight - 4);
    EXPECT_LT(list.Height(), 20 * nItemHeight) << "not all 20 items";
    pCombo->ShowDropDown(FALSE);
}

TEST_F(ComboBoxWndTest, LeftAndRightLeaveTheCellOnlyAtTheEndsOfTheText)
{
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWN, "Banana");
    GridKey(WM_KEYDOWN, VK_END);
    ASSERT_TRUE(::IsWindowVisible(pCombo->m_hWnd));
    const HWND hEdit = pCombo->GetEditPart().GetSafeHwnd();
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(::GetFocus(), hEdit);
    EXPECT_EQ(LOWORD(pCombo->GetEditSel()), 6);

    // In the middle the caret moves.
    pCombo->SetEditSel(2, 2);
    KeyTo(hEdit, VK_RIGHT);
    EXPECT_EQ(CurrentCol(), 1u);
    EXPECT_EQ(LOWORD(pCombo->GetEditSel()), 3);
    KeyTo(hEdit, VK_LEFT);
    EXPECT_EQ(CurrentCol(), 1u);

    // At the end the current cell moves.
    pCombo->SetEditSel(6, 6);
    KeyTo(hEdit, VK_RIGHT);
    EXPECT_EQ(CurrentCol(), 2u);
}

TEST_F(ComboBoxWndTest, EnterWithTheListOpenOnlyClosesIt)
{
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Apple");
    GridKey(WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_TRUE(pCombo->GetDroppedState());
    EXPECT_TRUE(grid.m_bDropDownCell);
    KeyTo(pCombo->m_hWnd, VK_DOWN);
    KeyTo(pCombo->m_hWnd, VK_RETURN);
    EXPECT_FALSE(pCombo->GetDroppedState());
    EXPECT_FALSE(grid.m_bDropDownCell);
    EXPECT_EQ(CurrentCol(), 1u);
    EXPECT_TRUE(pCombo->IsActive());
    EXPECT_TRUE(pCombo->GetModify());
    // The closed list's Enter goes to the grid.
    KeyTo(pCombo->m_hWnd, VK_DOWN);
    EXPECT_EQ(grid.Stored(1, 1), "Banana") << "Down with the list closed left the cell, storing the choice";
}

TEST_F(ComboBoxWndTest, AReadOnlyCellPutsASelectionBack)
{
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Apple", kFruit, TRUE);
    GridKey(WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_TRUE(pCombo->GetDroppedState());
    KeyTo(pCombo->m_hWnd, VK_DOWN);
    EXPECT_EQ(pCombo->GetCurSel(), 0) << "back on the item it was on";
    EXPECT_FALSE(pCombo->GetModify());
    pCombo->ShowDropDown(FALSE);
    grid.MoveCurrentCell(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "Apple");
}

TEST_F(ComboBoxWndTest, TypingOnTheGridStartsEditing)
{
    // A drop-down list picks the next item that begins with the character.
    CGXComboBoxWnd* pList = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Apple", "Apple\nBanana\nBerry\nCherry");
    grid.Char('b');
    EXPECT_EQ(pList->GetCurSel(), 1);
    grid.MoveCurrentCell(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "Banana");

    // A drop-down takes the typed text.
    Cell(GX_IDS_CTRL_CBS_DROPDOWN, "Apple");
    grid.Char('K');
    grid.MoveCurrentCell(2, 1);
    EXPECT_EQ(grid.Stored(1, 1), "K");
}

TEST_F(ComboBoxWndTest, TheDropButtonOfADisabledCellIsTheGreyArrow)
{
    UseClassicLook();
    CGXComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_DROPDOWNLIST, "Apple");
    CGXComboBoxWndButton* pButton = pCombo->GetButton();
    const CRect saved = pButton->GetRect();
    pButton->SetRect(CRect(0, 0, 16, 20));
    const COLORREF face = GXGetAppData()->m_sysColors.GetColor(COLOR_BTNFACE);
    // The arrow's first row: 7 pixels from (4, 8) in a 16 x 20 button.
    CGXStyle enabled;
    MemoryCanvas normal(16, 20);
    pButton->Draw(&normal.dc, TRUE, enabled);
    EXPECT_EQ(normal.At(4, 8), RGB(0, 0, 0));
    CGXStyle disabled;
    disabled.SetEnabled(FALSE);
    MemoryCanvas grey(16, 20);
    pButton->Draw(&grey.dc, TRUE, disabled);
    EXPECT_NE(grey.At(4, 8), RGB(0, 0, 0));
    EXPECT_NE(grey.At(4, 8), face);
    EXPECT_EQ(grey.At(10, 9), RGB(255, 255, 255)) << "the highlight right of the second row";
    // Outside the current cell only when every cell shows the button.
    MemoryCanvas idle(16, 20, RGB(0, 255, 0));
    pButton->Draw(&idle.dc, FALSE, enabled);
    EXPECT_EQ(idle.At(8, 10), RGB(0, 255, 0));
    pCombo->m_bDisplayEveryCell = TRUE;
    pButton->Draw(&idle.dc, FALSE, enabled);
    EXPECT_EQ(idle.At(4, 8), RGB(0, 0, 0));
    pCombo->m_bDisplayEveryCell = FALSE;
    pButton->SetRect(saved);
    UseSystemLook();
}

// The current cell right under a frozen row: the combo's frame would reach above the cell, but the
// frozen row keeps showing there.
TEST_F(ComboBoxWndTest, TheWindowOfACellUnderAFrozenRowLeavesTheFrozenRowShowing)
{
    const COLORREF kFrozen = RGB(255, 255, 0);
    CGXStyle frozen;
    frozen.SetInterior(kFrozen);
    grid.SetStyleRange(CGXRange(1, 1, 1, 5), frozen);
    grid.SetFrozenRows(1);
    CGXStyle style;
    style.SetChoiceList(kFruit);
    grid.SetControlCell(2, 1, GX_IDS_CTRL_CBS_DROPDOWN, "Banana", style);
    grid.MoveCurrentCell(2, 1);
    ::SetFocus(grid.m_hWnd);
    GridKey(WM_KEYDOWN, VK_END);
    CGXComboBoxWnd* pCombo = Combo(GX_IDS_CTRL_CBS_DROPDOWN);
    ASSERT_TRUE(pCombo->IsActive());
    const CRect cell = grid.CalcCellRect(2, 1);
    grid.UpdateWindow();
    EXPECT_EQ(grid.ScreenPixel(CPoint(cell.left + 10, cell.top - 2)), kFrozen);
    EXPECT_NE(grid.ScreenPixel(CPoint(cell.left + 10, cell.top + 1)), kFrozen) << "the combo shows in its cell";
}
