// The multi-column combo cell on a real Windows combo box: typing completes from the text column and
// refuses what no item begins with, the key column is stored, a drop-down list shows only the text
// column, and the system's dropped list is widened to the columns, kept on the screen and given its
// titles directly above it.
#include "grid/controls/TabbedComboBoxWnd.h"

#include "grid/controls/GridCombo.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
const char kColours[] = "1\tRed\n2\tBlue";

class TabbedComboBoxWndTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }
    void TearDown() override { PumpMessages(); }

    CGXTabbedComboBoxWnd* Combo(WORD nId)
    {
        return dynamic_cast<CGXTabbedComboBoxWnd*>(grid.GetRegisteredControl(nId));
    }
    static CGXStyle Columns(LPCTSTR pszChoices = kColours)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0");
        style.SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1");
        return style;
    }
    CGXTabbedComboBoxWnd* Cell(WORD nId, LPCTSTR pszValue, const CGXStyle& style = Columns())
    {
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
    void Drop() { GridKey(WM_SYSKEYDOWN, VK_DOWN, 0x20000001); }
    static void KeyTo(HWND hWnd, UINT nKey)
    {
        ::SendMessageA(hWnd, WM_KEYDOWN, nKey, 1);
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_KEYUP, nKey, 0xC0000001);
    }
    static HWND DroppedList(CGXTabbedComboBoxWnd* pCombo)
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ::GetComboBoxInfo(pCombo->m_hWnd, &info);
        return info.hwndList;
    }
    static CRect ScreenRect(HWND hWnd)
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        return rect;
    }
    static CString Text(CGXTabbedComboBoxWnd* pCombo)
    {
        CString text;
        pCombo->GetCurrentText(text);
        return text;
    }
    CString StoredAfterLeaving()
    {
        grid.MoveCurrentCell(5, 3);
        PumpMessages();
        return grid.Stored(1, 1);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(TabbedComboBoxWndTest, TheFactoryMakesTheWindowsComboUnlessTheGridDrawnOneIsAsked)
{
    ASSERT_NE(Combo(GX_IDS_CTRL_CBS_TABBED_DROPDOWN), nullptr);
    ASSERT_NE(Combo(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST), nullptr);
    EXPECT_FALSE(Combo(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)->IsDropDownList());
    EXPECT_TRUE(Combo(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST)->IsDropDownList());
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(Combo(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)->m_hWnd, GWL_STYLE));
    EXPECT_EQ(dwStyle & (CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS), static_cast<DWORD>(CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS));

    CGXAppData* pApp = GXGetAppData();
    const BOOL bOld = pApp->m_bTabbedComboGridDrawn;
    pApp->m_bTabbedComboGridDrawn = TRUE;
    for (const UINT nId : {GX_IDS_CTRL_CBS_TABBED_DROPDOWN, GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST})
    {
        CGXControlFactory factory;
        CGXControl* pControl = factory.CreateControl(nId, &grid);
        EXPECT_NE(dynamic_cast<CGXTabbedComboBox*>(pControl), nullptr) << nId;
        EXPECT_EQ(dynamic_cast<CGXTabbedComboBoxWnd*>(pControl), nullptr) << nId;
        delete pControl;
    }
    pApp->m_bTabbedComboGridDrawn = bOld;
}

TEST_F(TabbedComboBoxWndTest, TypingCompletesRefusesAndStoresTheKey)
{
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWN, "");
    ASSERT_NE(pCombo, nullptr);
    GridKey(WM_KEYDOWN, VK_END);
    const HWND hEdit = pCombo->GetTabbedEdit()->GetSafeHwnd();
    ASSERT_EQ(::GetFocus(), hEdit);
    ::SendMessageA(hEdit, WM_CHAR, 'b', 1);
    EXPECT_EQ(Text(pCombo), "Blue");
    DWORD nStart = 0, nEnd = 0;
    ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(nStart, 1u);
    EXPECT_EQ(nEnd, 4u);
    ::SendMessageA(hEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(Text(pCombo), "Blue") << "no item begins with bx";
    ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(nStart, 1u) << "the selection is put back";
    EXPECT_EQ(nEnd, 4u);
    EXPECT_TRUE(pCombo->GetModify());
    EXPECT_EQ(StoredAfterLeaving(), "2");
}

TEST_F(TabbedComboBoxWndTest, TypingInADropDownListPicksAnItemByItsTextAndKeepsItForAnUnknownLetter)
{
    // No edit field: the typed letter picks the item whose text begins with it.
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "1");
    grid.Char('b');
    EXPECT_EQ(Text(pCombo), "Blue");
    ::SendMessageA(pCombo->m_hWnd, WM_CHAR, 'x', 1);
    EXPECT_EQ(Text(pCombo), "Blue") << "no item begins with x";
    EXPECT_EQ(StoredAfterLeaving(), "2");
}

TEST_F(TabbedComboBoxWndTest, TheEditFieldShowsOnlyTheFirstFieldOfATabbedText)
{
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWN, "1");
    const HWND hEdit = pCombo->GetTabbedEdit()->GetSafeHwnd();
    ::SetWindowTextA(hEdit, "Blue\t2\tBlue");
    char text[32] = {};
    ::GetWindowTextA(hEdit, text, sizeof text);
    EXPECT_STREQ(text, "Blue");
    ::SetWindowTextA(hEdit, "plain");
    ::GetWindowTextA(hEdit, text, sizeof text);
    EXPECT_STREQ(text, "plain");
}

TEST_F(TabbedComboBoxWndTest, ADropDownListShowsTheTextColumnAndStoresTheChosenKey)
{
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "2");
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_EQ(Text(pCombo), "Blue");
    CString item;
    pCombo->GetLBText(0, item);
    EXPECT_EQ(item, "Red\t1\tRed") << "the text field leads the item";
    Drop();
    ASSERT_TRUE(pCombo->GetDroppedState());
    KeyTo(pCombo->m_hWnd, VK_UP);
    KeyTo(pCombo->m_hWnd, VK_RETURN);
    EXPECT_EQ(Text(pCombo), "Red");
    EXPECT_EQ(StoredAfterLeaving(), "1");
}

TEST_F(TabbedComboBoxWndTest, ASortedListSelectsTheValuesLineAmongTheSortedItems)
{
    CGXStyle style = Columns("Key\tName\n3\tcherry\n1\tApple\n2\tbanana");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_SORTCOL, "1");
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "3", style);
    ASSERT_EQ(pCombo->GetCount(), 3) << "the title line is no item";
    EXPECT_EQ(pCombo->ItemText(0), "Apple");
    EXPECT_EQ(pCombo->ItemText(2), "cherry");
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_EQ(pCombo->GetHeader()->m_strTitle, "Name\tKey\tName");
    EXPECT_EQ(grid.LookupStyleRowCol(1, 1).GetChoiceList(), "Key\tName\n3\tcherry\n1\tApple\n2\tbanana")
        << "no style is sorted";
    // A value of no line selects nothing.
    grid.MoveCurrentCell(5, 3);
    pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "9", style);
    EXPECT_EQ(pCombo->GetCurSel(), CB_ERR);
    EXPECT_EQ(Text(pCombo), "");
}

TEST_F(TabbedComboBoxWndTest, TextsAndValuesConvertThroughTheirLines)
{
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWN, "");
    CGXStyle titled = Columns("Id\tName\n1\tRed\n2\tBlue");
    titled.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    const struct
    {
        const char* pszText;
        BOOL bConverts;
        const char* pszValue;
    } conversions[] = {
        {"Blue", TRUE, "2"}, {"blue", FALSE, "blue"}, {"Bl", FALSE, "Bl"}, {"Name", FALSE, "Name"}, {"", TRUE, ""},
    };
    for (const auto& c : conversions)
    {
        CString text = c.pszText;
        EXPECT_EQ(pCombo->ConvertTextToValue(text, 1, 1, &titled), c.bConverts) << c.pszText;
        EXPECT_EQ(text, c.pszValue) << c.pszText;
    }
    const struct
    {
        const char* pszValue;
        BOOL bFound;
        const char* pszShown;
    } shown[] = {{"1", TRUE, "Red"}, {"Id", FALSE, ""}, {"3", FALSE, ""}};
    for (const auto& c : shown)
    {
        CString text;
        EXPECT_EQ(pCombo->GetControlText(text, 1, 1, c.pszValue, titled), c.bFound) << c.pszValue;
        EXPECT_EQ(text, c.pszShown) << c.pszValue;
    }
}

TEST_F(TabbedComboBoxWndTest, EscapeCancelsTheEditAndGivesTheFocusBack)
{
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWN, "1");
    GridKey(WM_KEYDOWN, VK_END);
    const HWND hEdit = pCombo->GetTabbedEdit()->GetSafeHwnd();
    ::SetWindowTextA(hEdit, "");
    ::SendMessageA(hEdit, WM_CHAR, 'b', 1);
    ASSERT_EQ(Text(pCombo), "Blue");
    KeyTo(hEdit, VK_ESCAPE);
    EXPECT_EQ(Text(pCombo), "Red");
    EXPECT_FALSE(pCombo->IsActive());
    EXPECT_EQ(::GetFocus(), grid.m_hWnd);
    EXPECT_EQ(StoredAfterLeaving(), "1");
}

TEST_F(TabbedComboBoxWndTest, TheDroppedListIsAsWideAsTheColumnsAndStaysOnTheScreen)
{
    CGXStyle style = Columns("1\tRed\tWarm\n2\tBlue\tCold");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS, "80,90,100");
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "1", style);
    const int nScrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(pCombo->GetTotalListWidth(), 270 + nScrollBar);
    Drop();
    ASSERT_TRUE(pCombo->GetDroppedState());
    PumpMessages();
    CRect list = ScreenRect(DroppedList(pCombo));
    const CRect combo = ScreenRect(pCombo->m_hWnd);
    EXPECT_EQ(list.Width(), 270 + nScrollBar);
    EXPECT_EQ(list.left, combo.left);
    KeyTo(pCombo->m_hWnd, VK_ESCAPE);

    // At the right edge of the screen the list ends where the combo ends.
    const int nScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    ::SetWindowPos(grid.m_hWnd, nullptr, nScreenWidth - 2 * CellTestGrid::kCellWidth - 5, 100, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "1", style);
    Drop();
    ASSERT_TRUE(pCombo->GetDroppedState());
    PumpMessages();
    list = ScreenRect(DroppedList(pCombo));
    EXPECT_LE(list.right, nScreenWidth);
    EXPECT_EQ(list.right, ScreenRect(pCombo->m_hWnd).right);
    EXPECT_EQ(list.Width(), 270 + nScrollBar);
    KeyTo(pCombo->m_hWnd, VK_ESCAPE);
}

TEST_F(TabbedComboBoxWndTest, TheTitlesSitDirectlyAboveTheDroppedList)
{
    CGXStyle style = Columns("Id\tName\n1\tRed\n2\tBlue");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    CGXTabbedComboBoxWnd* pCombo = Cell(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST, "1", style);
    Drop();
    ASSERT_TRUE(pCombo->GetDroppedState());
    PumpMessages();
    CGXTabbedLBoxHeader* pHeader = pCombo->GetHeader();
    ASSERT_NE(pHeader->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(pHeader->GetSafeHwnd()));
    const CRect header = ScreenRect(pHeader->GetSafeHwnd());
    const CRect list = ScreenRect(DroppedList(pCombo));
    CRect field;
    pCombo->GetWindowRect(&field);
    EXPECT_EQ(header.bottom, list.top);
    EXPECT_EQ(header.left, list.left);
    EXPECT_EQ(header.Width(), list.Width());
    EXPECT_GT(header.Height(), 4);
    EXPECT_LT(header.top, list.top) << "the list moved down below its titles";
    EXPECT_GE(header.top, field.top) << "opened downwards";
    KeyTo(pCombo->m_hWnd, VK_ESCAPE);
    PumpMessages();
    EXPECT_FALSE(pCombo->GetDroppedState());
    EXPECT_FALSE(::IsWindowVisible(pHeader->GetSafeHwnd())) << "closing the list hides its titles";

    // Hiding the control hides a header that shows.
    Drop();
    PumpMessages();
    ASSERT_TRUE(::IsWindowVisible(pHeader->GetSafeHwnd()));
    grid.MoveCurrentCell(5, 3);
    PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(pHeader->GetSafeHwnd()));
}
