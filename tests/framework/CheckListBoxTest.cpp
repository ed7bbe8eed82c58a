// CCheckListBox on a framework parent: the check state travels with its item, clicks on the box
// and the space bar change it by the check style and tell the parent, and the caller's item data
// stays the caller's.
#include "framework/win/CheckListBox.h"

#include <gtest/gtest.h>

#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

const UINT kListID = 301;

// Counts the CLBN_CHKCHANGE notifications of its check list.
class CheckParent : public CWnd
{
public:
    int changes = 0;
    void OnCheckChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CheckParent, CWnd)
    ON_CONTROL(CLBN_CHKCHANGE, kListID, OnCheckChange)
END_MESSAGE_MAP()

class CheckListBox : public ::testing::Test
{
protected:
    CheckParent parent;
    CCheckListBox list;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Checks", WS_POPUP | WS_VISIBLE, 40, 40, 300, 240,
                                    nullptr, nullptr));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 210, 200), &parent, kListID));
        for (const char* item : {"Day", "Month", "Year", "Hour"})
            list.AddString(item);
        PumpPendingMessages();
    }

    void TearDown() override
    {
        parent.DestroyWindow();
        PumpPendingMessages();
    }

    // A click at x within item nIndex (x: client coordinates of the list).
    void ClickItem(int nIndex, int x)
    {
        CRect rectItem;
        ASSERT_NE(list.GetItemRect(nIndex, &rectItem), LB_ERR);
        const LPARAM at = MAKELPARAM(x, rectItem.CenterPoint().y);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        list.SendMessage(WM_LBUTTONUP, 0, at);
    }

    void PressSpace()
    {
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        list.SendMessage(WM_CHAR, ' ', 0);
        list.SendMessage(WM_KEYUP, VK_SPACE, 0);
    }
};

TEST_F(CheckListBox, ChecksAreSetAndReadPerItem)
{
    list.SetCheck(1, 1);
    list.SetCheck(3, 2);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(list.GetCheck(3), 2);
    EXPECT_EQ(list.GetCheck(4), 0);   // no such item
}

TEST_F(CheckListBox, CheckMovesWithItsItemWhenAnEarlierItemGoes)
{
    list.SetCheck(2, 1);
    list.DeleteString(0);
    EXPECT_EQ(list.GetCheck(1), 1);
    CString text;
    list.GetText(1, text);
    EXPECT_STREQ(text, "Year");
    list.ResetContent();
    list.AddString("Minute");
    EXPECT_EQ(list.GetCheck(0), 0);
}

TEST_F(CheckListBox, ClickOnTheBoxTogglesAndTellsTheParent)
{
    ClickItem(2, 5);
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(parent.changes, 1);
    EXPECT_EQ(list.GetCurSel(), 2);
    ClickItem(2, 5);
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(parent.changes, 2);
}

TEST_F(CheckListBox, ClickOnTheTextOnlySelects)
{
    ClickItem(1, 100);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(parent.changes, 0);
}

TEST_F(CheckListBox, SpaceTogglesTheCurrentItem)
{
    list.SetCurSel(3);
    PressSpace();
    EXPECT_EQ(list.GetCheck(3), 1);
    EXPECT_EQ(parent.changes, 1);
    // The space was not taken as a search for an item starting with a blank.
    EXPECT_EQ(list.GetCurSel(), 3);
}

TEST_F(CheckListBox, CheckStyleDecidesWhatAClickDoes)
{
    struct Case
    {
        UINT style;
        int after[3];   // the check after one, two and three clicks
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, {1, 0, 1}},
        {BS_AUTO3STATE, {1, 2, 0}},
        {BS_CHECKBOX, {0, 0, 0}},   // the parent sets it on the notification
    };
    for (const Case& c : cases)
    {
        list.SetCheckStyle(c.style);
        list.SetCheck(0, 0);
        parent.changes = 0;
        for (int click = 0; click < 3; ++click)
        {
            ClickItem(0, 5);
            EXPECT_EQ(list.GetCheck(0), c.after[click]) << "style " << c.style << ", click " << click + 1;
        }
        EXPECT_EQ(parent.changes, 3);
    }
}

TEST_F(CheckListBox, DisabledItemKeepsItsCheck)
{
    list.SetCheck(1, 1);
    list.Enable(1, FALSE);
    EXPECT_FALSE(list.IsEnabled(1));
    ClickItem(1, 5);
    list.SetCurSel(1);
    PressSpace();
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(parent.changes, 0);
}

TEST_F(CheckListBox, CallersItemDataIsKeptBesideTheCheck)
{
    list.SetCheck(0, 1);
    list.SetItemData(0, 0xBEEF);
    list.SetItemData(1, 42);
    EXPECT_EQ(list.GetItemData(0), 0xBEEFu);
    EXPECT_EQ(list.GetItemData(1), 42u);
    EXPECT_EQ(list.GetItemData(2), 0u);
    EXPECT_EQ(list.GetCheck(0), 1);
    // The same through the list box message, as any window would send it.
    EXPECT_EQ(::SendMessageA(list.m_hWnd, LB_GETITEMDATA, 0, 0), 0xBEEF);
}

TEST_F(CheckListBox, ItemIsTallEnoughForItsBox)
{
    EXPECT_GE(list.GetItemHeight(0), 15);
}

} // namespace
