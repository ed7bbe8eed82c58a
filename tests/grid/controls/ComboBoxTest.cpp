// The grid-drawn combo cell on a real grid, driven by keys: what each flags word shows and stores,
// the list opened with Alt+Down (below the cell, or above it near the bottom of the screen), a
// choice taken with Enter or Tab, Escape keeping the old value, and typed text matched to an entry.
#include "grid/controls/ComboBox.h"

#include "grid/controls/Buttons.h"
#include "grid/controls/GridCombo.h"
#include "grid/core/GridParam.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
const char kFruit[] = "Apple\nBanana\nCherry";

class ComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }
    void TearDown() override
    {
        // A list left open goes with its combo.
        PumpMessages();
    }

    CGXComboBox* Combo(WORD nId) { return dynamic_cast<CGXComboBox*>(grid.GetRegisteredControl(nId)); }

    // A fruit cell of the control at (1, 1), current, with the grid holding the focus.
    CGXComboBox* FruitCell(WORD nId, LPCTSTR pszValue, LPCTSTR pszChoices = kFruit)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices);
        grid.SetControlCell(1, 1, nId, pszValue, style);
        grid.MoveCurrentCell(1, 1);
        ::SetFocus(grid.m_hWnd);
        return Combo(nId);
    }
    // Alt+Down on the grid.
    void AltDown() { ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, 0x20000001); }
    // A key pressed and released in the open list.
    static void ListKey(CGXComboBox* pCombo, UINT nKey)
    {
        ASSERT_NE(pCombo->GetListBox(), nullptr);
        const HWND hList = pCombo->GetListBox()->GetSafeHwnd();
        ::SendMessageA(hList, WM_KEYDOWN, nKey, 1);
        // The key-up of a key that closes the list reaches a window that is gone.
        if (::IsWindow(hList))
            ::SendMessageA(hList, WM_KEYUP, nKey, 0xC0000001);
    }
    // Characters typed where the focus is.
    static void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != '\0'; ++p)
            ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<BYTE>(*p), 1);
    }
    // Ends editing of (1, 1) by moving away; the value the cell holds then.
    CString StoredAfterLeaving()
    {
        grid.MoveCurrentCell(3, 3);
        PumpMessages();
        return grid.Stored(1, 1);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(ComboBoxTest, TheDisplayChoiceCellsShowTheEntryOfTheirIndex)
{
    CGXStyle style;
    style.SetChoiceList(kFruit);
    const struct
    {
        WORD nId;
        const char* pszValue;
        const char* pszShown;
    } cases[] = {
        {52531, "2", "Banana"}, {52531, "1", "Apple"}, {52531, "0", ""},   {52531, "-1", ""},
        {52531, "4", ""},       {52532, "1", "Banana"}, {52532, "0", "Apple"}, {52532, "-1", ""},
        {52532, "65536", ""},   {52532, "", ""},       {52525, "2", "2"},    {52517, "Kiwi", "Kiwi"},
    };
    for (const auto& c : cases)
    {
        style.SetValue(c.pszValue);
        CString shown;
        Combo(c.nId)->GetControlText(shown, 1, 1, nullptr, style);
        EXPECT_EQ(shown, c.pszShown) << c.nId << " value " << c.pszValue;
    }
}

TEST_F(ComboBoxTest, AChoiceTakenFromTheListIsStoredByTheFlags)
{
    const struct
    {
        WORD nId;
        const char* pszStored;
    } cases[] = {{52525, "2"}, {52526, "3"}, {52517, "Cherry"}, {52527, "Cherry"}, {52531, "3"}, {52532, "2"}};
    for (const auto& c : cases)
    {
        CGXComboBox* pCombo = FruitCell(c.nId, "");
        AltDown();
        ASSERT_NE(pCombo->GetListBox(), nullptr) << c.nId;
        ListKey(pCombo, VK_DOWN);
        ListKey(pCombo, VK_DOWN);
        ListKey(pCombo, VK_RETURN);
        EXPECT_EQ(pCombo->GetDropDownWnd(), nullptr) << "Enter takes the choice and closes";
        EXPECT_EQ(StoredAfterLeaving(), c.pszStored) << c.nId;
    }
}

TEST_F(ComboBoxTest, TypedTextIsMatchedToAnEntryOrKept)
{
    const struct
    {
        WORD nId;
        const char* pszTyped;
        const char* pszStored;
    } cases[] = {
        {52527, "ch", "Cherry"}, {52527, "APPLE", "Apple"}, {52517, "ch", "ch"}, {52517, "Kiwi", "Kiwi"},
        {52531, "ban", "2"},
    };
    for (const auto& c : cases)
    {
        FruitCell(c.nId, "");
        Type(c.pszTyped);
        EXPECT_EQ(StoredAfterLeaving(), c.pszStored) << c.nId << " " << c.pszTyped;
    }
    // A text that starts no entry is refused character by character.
    FruitCell(52527, "");
    Type("cx");
    EXPECT_EQ(StoredAfterLeaving(), "Cherry");
}

TEST_F(ComboBoxTest, EscapeInTheListKeepsTheOldValue)
{
    CGXComboBox* pCombo = FruitCell(52527, "Apple");
    AltDown();
    ListKey(pCombo, VK_DOWN);
    ListKey(pCombo, VK_ESCAPE);
    EXPECT_EQ(pCombo->GetDropDownWnd(), nullptr);
    EXPECT_FALSE(pCombo->IsActive());
    EXPECT_EQ(::GetFocus(), grid.m_hWnd) << "the focus comes back to the grid";
    EXPECT_EQ(StoredAfterLeaving(), "Apple");
}

TEST_F(ComboBoxTest, TabInTheListTakesTheChoiceAndMovesTheCurrentCell)
{
    CGXComboBox* pCombo = FruitCell(52527, "Apple");
    AltDown();
    ListKey(pCombo, VK_DOWN);
    ListKey(pCombo, VK_TAB);
    PumpMessages();
    ROWCOL nRow = 0, nCol = 0;
    ASSERT_TRUE(grid.GetCurrentCell(nRow, nCol));
    EXPECT_EQ(nCol, 2u);
    EXPECT_EQ(grid.Stored(1, 1), "Banana");
}

TEST_F(ComboBoxTest, TheDropButtonOpensAndClosesTheList)
{
    CGXComboBox* pCombo = FruitCell(52527, "Banana");
    grid.Click(pCombo->GetButton()->GetRect().CenterPoint());
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    EXPECT_EQ(pCombo->GetListBox()->GetCurSel(), 1) << "the value's entry is selected";
    EXPECT_EQ(::GetFocus(), pCombo->GetListBox()->GetSafeHwnd());
    EXPECT_TRUE(grid.m_bDropDownCell);
    // A click on an entry takes it.
    CRect item;
    pCombo->GetListBox()->GetItemRect(2, &item);
    const HWND hList = pCombo->GetListBox()->GetSafeHwnd();
    ::SendMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
    ::SendMessageA(hList, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 2, item.top + 2));
    EXPECT_EQ(pCombo->GetDropDownWnd(), nullptr);
    EXPECT_FALSE(grid.m_bDropDownCell);
    EXPECT_EQ(StoredAfterLeaving(), "Cherry");
}

TEST_F(ComboBoxTest, TheListOpensUnderTheCellOrAboveItNearTheBottomOfTheScreen)
{
    CGXComboBox* pCombo = FruitCell(52527, "");
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    CRect cell = grid.CalcCellRect(1, 1);
    grid.ClientToScreen(&cell);
    CRect list;
    pCombo->GetDropDownWnd()->GetWindowRect(&list);
    EXPECT_GE(list.top, cell.bottom - 2);
    EXPECT_LE(list.top, cell.bottom + 1);
    ListKey(pCombo, VK_ESCAPE);

    const int nScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetWindowPos(grid.m_hWnd, nullptr, 10, nScreenHeight - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    grid.MoveCurrentCell(1, 1);
    ::SetFocus(grid.m_hWnd);
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    cell = grid.CalcCellRect(1, 1);
    grid.ClientToScreen(&cell);
    pCombo->GetDropDownWnd()->GetWindowRect(&list);
    EXPECT_LE(list.bottom, cell.top + 1) << "above the cell";
    EXPECT_GT(list.Height(), 10);
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(ComboBoxTest, AnEmptyChoiceListOpensHalfAnItemHigh)
{
    CGXComboBox* pCombo = FruitCell(52517, "", "");
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    const int nItemHeight = static_cast<int>(::SendMessageA(pCombo->GetListBox()->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
    CRect list;
    pCombo->GetDropDownWnd()->GetWindowRect(&list);
    EXPECT_EQ(list.Height(), nItemHeight / 2);
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(ComboBoxTest, TheListIsNeverTallerThanTheDropDownHeight)
{
    grid.GetParam()->m_nDropDownHeight = 40;
    CGXComboBox* pCombo = FruitCell(52517, "", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    CRect list;
    pCombo->GetDropDownWnd()->GetWindowRect(&list);
    EXPECT_EQ(list.Height(), 40);
    ListKey(pCombo, VK_ESCAPE);
}

namespace
{
// Where the first row of the classic arrow (7 x 4, rows of 7, 5, 3 and 1 black pixels) lands in a
// 16 x 20 button: centred in the face less 2 pixels at top and bottom.
const int kArrowX = 4;
const int kArrowY = 8;
}  // namespace

TEST_F(ComboBoxTest, TheDropButtonShowsOutsideTheCurrentCellOnlyWhenEveryCellShowsIt)
{
    UseClassicLook();
    CGXComboBox* pCombo = FruitCell(52527, "Apple");
    CGXComboBoxButton* pButton = pCombo->GetButton();
    const CRect saved = pButton->GetRect();
    pButton->SetRect(CRect(0, 0, 16, 20));
    const COLORREF black = RGB(0, 0, 0);
    const struct
    {
        BOOL bActive;
        BOOL bEveryCell;
        BOOL bDrawn;
    } cases[] = {{FALSE, FALSE, FALSE}, {FALSE, TRUE, TRUE}, {TRUE, FALSE, TRUE}, {TRUE, TRUE, TRUE}};
    for (const auto& c : cases)
    {
        pCombo->m_bDisplayEveryCell = c.bEveryCell;
        MemoryCanvas canvas(16, 20, RGB(0, 255, 0));
        pButton->OnDraw(&canvas.dc, c.bActive);
        if (!c.bDrawn)
        {
            EXPECT_EQ(canvas.At(8, 10), RGB(0, 255, 0)) << "nothing drawn";
            continue;
        }
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(canvas.At(x, kArrowY) == black, x >= kArrowX && x < kArrowX + 7) << x << " active " << c.bActive;
        EXPECT_EQ(canvas.At(kArrowX + 3, kArrowY + 3), black) << "the point of the arrow";
        EXPECT_NE(canvas.At(kArrowX + 2, kArrowY + 3), black);
    }
    pCombo->m_bDisplayEveryCell = FALSE;

    // Themed: the combo's drop part, state 4 in every cell, 1 in the current cell alone.
    FakeEngine::Reset();
    FakeEngine::Install();
    for (const BOOL bEveryCell : {FALSE, TRUE})
    {
        pCombo->m_bDisplayEveryCell = bEveryCell;
        MemoryCanvas canvas(16, 20);
        pButton->OnDraw(&canvas.dc, TRUE);
        EXPECT_EQ(FakeEngine::s_lastClass, L"COMBOBOX");
        EXPECT_EQ(FakeEngine::s_nPart, 1);
        EXPECT_EQ(FakeEngine::s_nState, bEveryCell ? 4 : 1);
        EXPECT_EQ(canvas.At(8, 10), FakeEngine::kThemeRed);
        EXPECT_EQ(FakeEngine::s_nEdges, 1) << "and its edge";
        FakeEngine::s_nEdges = 0;
    }
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);
    pCombo->m_bDisplayEveryCell = FALSE;
    pButton->SetRect(saved);
    UseSystemLook();
}
