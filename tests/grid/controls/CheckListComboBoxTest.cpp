// The check-list combo cell on a real grid: the cell shows the caption line, the list opens with the
// items checked by the value's bits (all 32 of them, bit 31 included), closing it stores the checks
// as a number (nothing checked: empty), whether by Enter or by the focus going elsewhere.
#include "grid/controls/CheckListComboBox.h"

#include "grid/controls/GridCombo.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
const char kFruit[] = "Fruit\nApple\nBanana\nCherry";

class CheckListComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        pCombo = dynamic_cast<CGXCheckListComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_CHECKLIST_COMBOBOX));
        ASSERT_NE(pCombo, nullptr);
    }

    // The cell at (1, 1), current, its list opened with Alt+Down.
    CCheckListBox* Open(LPCTSTR pszValue, LPCTSTR pszChoices = kFruit)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices);
        grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKLIST_COMBOBOX, pszValue, style);
        grid.MoveCurrentCell(1, 1);
        ::SetFocus(grid.m_hWnd);
        ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
        return dynamic_cast<CCheckListBox*>(pCombo->GetListBox());
    }
    std::vector<int> Checks(CCheckListBox* pList)
    {
        std::vector<int> checks;
        for (int i = 0; i < pList->GetCount(); ++i)
            checks.push_back(pList->GetCheck(i));
        return checks;
    }
    void ToggleWithSpace(CCheckListBox* pList, int nIndex)
    {
        pList->SetCurSel(nIndex);
        ::SendMessageA(pList->m_hWnd, WM_KEYDOWN, VK_SPACE, 1);
        ::SendMessageA(pList->m_hWnd, WM_CHAR, ' ', 1);
        ::SendMessageA(pList->m_hWnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    }
    void Enter(CCheckListBox* pList)
    {
        const HWND hList = pList->m_hWnd;
        ::SendMessageA(hList, WM_KEYDOWN, VK_RETURN, 1);
        ::SendMessageA(hList, WM_KEYUP, VK_RETURN, 0xC0000001);
        PumpMessages();
    }

    DrawnCellGrid grid;
    CGXCheckListComboBox* pCombo = nullptr;
};
}  // namespace

TEST_F(CheckListComboBoxTest, TheValuesBitsCheckTheItemsAndTheCellShowsTheCaption)
{
    CGXStyle style;
    style.SetChoiceList(kFruit).SetValue("5");
    CString shown;
    pCombo->GetControlText(shown, 1, 1, nullptr, style);
    EXPECT_EQ(shown, "Fruit");

    CCheckListBox* pList = Open("5");
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pCombo->GetItemCount(), 3);
    EXPECT_EQ(Checks(pList), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(::GetFocus(), pList->m_hWnd);
    Enter(pList);
    EXPECT_EQ(pCombo->GetDropDownWnd(), nullptr);
    EXPECT_EQ(grid.Stored(1, 1), "5") << "unchanged checks store nothing new";
}

TEST_F(CheckListComboBoxTest, ClosingStoresTheChecksAsANumberOrEmpty)
{
    CCheckListBox* pList = Open("5");
    ASSERT_NE(pList, nullptr);
    ToggleWithSpace(pList, 1);
    EXPECT_EQ(Checks(pList), (std::vector<int>{1, 1, 1}));
    Enter(pList);
    EXPECT_EQ(grid.Stored(1, 1), "7");
    EXPECT_FALSE(pCombo->IsActive());

    pList = Open("7");
    ASSERT_NE(pList, nullptr);
    for (int i = 0; i < 3; ++i)
        ToggleWithSpace(pList, i);
    Enter(pList);
    EXPECT_EQ(grid.Stored(1, 1), "") << "no check: the empty text, not 0";
}

TEST_F(CheckListComboBoxTest, TheFocusGoingElsewhereStoresTheChecks)
{
    CCheckListBox* pList = Open("1");
    ASSERT_NE(pList, nullptr);
    ToggleWithSpace(pList, 2);
    HWND hOther = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 500, 500, 50, 20, nullptr, nullptr, nullptr,
                                    nullptr);
    ::SetFocus(hOther);
    PumpMessages();
    EXPECT_EQ(pCombo->GetDropDownWnd(), nullptr);
    EXPECT_EQ(grid.Stored(1, 1), "5");
    ::DestroyWindow(hOther);
}

TEST_F(CheckListComboBoxTest, All32ItemsHaveTheirBitAndLaterItemsNone)
{
    CString choices = "Caption";
    for (int i = 0; i < 34; ++i)
        choices.AppendFormat("\nItem %d", i);
    CCheckListBox* pList = Open("2147483649", choices);
    ASSERT_NE(pList, nullptr);
    const std::vector<int> checks = Checks(pList);
    ASSERT_EQ(checks.size(), 34u);
    for (int i = 0; i < 34; ++i)
        EXPECT_EQ(checks[static_cast<size_t>(i)], i == 0 || i == 31 ? 1 : 0) << "item " << i;
    // A check beyond the 32nd item has no bit: it changes nothing.
    ToggleWithSpace(pList, 33);
    Enter(pList);
    EXPECT_EQ(grid.Stored(1, 1), "2147483649");

    pList = Open("2147483649", choices);
    ASSERT_NE(pList, nullptr);
    ToggleWithSpace(pList, 1);
    Enter(pList);
    EXPECT_EQ(grid.Stored(1, 1), "2147483651");
}

TEST_F(CheckListComboBoxTest, TheCellTakesNoTyping)
{
    Open("1");
    Enter(dynamic_cast<CCheckListBox*>(pCombo->GetListBox()));
    grid.MoveCurrentCell(1, 1);
    ::SetFocus(grid.m_hWnd);
    grid.Char('x');
    EXPECT_FALSE(pCombo->IsActive());
    EXPECT_EQ(grid.Stored(1, 1), "1");
}
