// Property sheets: a two-page sheet as a child of a dialog (attachment, page switching by call, by a
// click on a tab and by the keyboard, the page notifications in order, data exchange on leaving and
// entering a page, pre-translation through the window chain), and a modal sheet.
#include <gtest/gtest.h>

#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/SheetTestPages.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Clicks on a tab of the sheet's tab control, as the mouse does.
void ClickTab(CPropertySheet& sheet, int nTab)
{
    CTabCtrl* pTab = sheet.GetTabControl();
    RECT item = {};
    ASSERT_TRUE(pTab->GetItemRect(nTab, &item));
    LPARAM position = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(pTab->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, position);
    ::SendMessageA(pTab->m_hWnd, WM_LBUTTONUP, 0, position);
}

// Pumps through the framework's pre-translation, as a modal loop does.
void PumpThroughFramework()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        AfxPumpMessage();
}

class ChildSheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        ASSERT_TRUE(host.Create(IDD_SHEET_HOST));
        ASSERT_TRUE(host.m_bSheetCreated);
        host.ShowWindow(SW_SHOW);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        PumpPendingMessages();
    }

    CWinApp app{"Sheet Test"};
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam{&boxes};
    CallLog log;
    CFirstPage first{log};
    CSecondPage second{log};
    CLoggingSheet sheet{log};
    CSheetHostDialog host{sheet, log};
};

TEST_F(ChildSheet, SheetAndShownPageAreChildWindowsAttachedToTheirObjects)
{
    ASSERT_NE(sheet.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
    EXPECT_EQ(::GetParent(sheet.m_hWnd), host.m_hWnd);
    EXPECT_EQ(sheet.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_POPUP | WS_CAPTION), (DWORD)(WS_CHILD | WS_VISIBLE));
    EXPECT_TRUE(sheet.GetExStyle() & WS_EX_CONTROLPARENT);

    ASSERT_NE(first.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(first.m_hWnd), &first);
    EXPECT_EQ(::GetParent(first.m_hWnd), sheet.m_hWnd);
    EXPECT_EQ(second.m_hWnd, nullptr);   // made when first shown

    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 2);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetActivePage(), &first);
    // A sheet inside a dialog shows no buttons of its own.
    for (int nID : {IDOK, IDCANCEL, 0x3021})
    {
        HWND hButton = ::GetDlgItem(sheet.m_hWnd, nID);
        EXPECT_TRUE(hButton == nullptr || !::IsWindowVisible(hButton)) << nID;
    }
    EXPECT_EQ(log, (CallLog{"sheet init", "first init", "first set"}));
}

TEST_F(ChildSheet, SetActivePageLeavesOnePageAndEntersTheOther)
{
    log.clear();
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetActivePage(), &second);
    ASSERT_NE(second.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(second.m_hWnd), &second);
    EXPECT_TRUE(second.m_bSawCreate);   // attached from the window's first message
    EXPECT_TRUE(::IsWindowVisible(second.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(first.m_hWnd));

    EXPECT_TRUE(sheet.SetActivePage(&first));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(log, (CallLog{"first kill", "second init", "second set", "second kill", "first set"}));
}

TEST_F(ChildSheet, AClickOnATabSwitchesPages)
{
    log.clear();
    ClickTab(sheet, 1);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    ClickTab(sheet, 0);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(log, (CallLog{"first kill", "second init", "second set", "second kill", "first set"}));
}

TEST_F(ChildSheet, APageThatRefusesToBeLeftKeepsTheSheetOnIt)
{
    first.m_bRefuseLeave = true;
    log.clear();
    EXPECT_FALSE(sheet.SetActivePage(1));
    ClickTab(sheet, 1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
    EXPECT_TRUE(::IsWindowVisible(first.m_hWnd));
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(log, (CallLog{"first kill", "first kill"}));

    first.m_bRefuseLeave = false;
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
}

TEST_F(ChildSheet, DataGoesIntoTheMembersWhenAPageIsLeftAndBackWhenEntered)
{
    EXPECT_EQ(ItemText(first.m_hWnd, IDC_FIRST_COUNT), "5");
    EXPECT_EQ(ItemText(first.m_hWnd, IDC_FIRST_NAME), "alpha");

    ::SetDlgItemTextA(first.m_hWnd, IDC_FIRST_COUNT, "42");
    ::SetDlgItemTextA(first.m_hWnd, IDC_FIRST_NAME, "gamma");
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(first.m_nCount, 42);
    EXPECT_STREQ(first.m_strName, "gamma");

    first.m_nCount = 7;
    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(ItemText(first.m_hWnd, IDC_FIRST_COUNT), "7");
}

TEST_F(ChildSheet, AValueThatFailsValidationKeepsThePageAndTellsTheUser)
{
    ::SetDlgItemTextA(first.m_hWnd, IDC_FIRST_COUNT, "250");
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(first.m_hWnd, IDC_FIRST_COUNT));
}

TEST_F(ChildSheet, PageMessageMapsReceiveTheirControlsNotifications)
{
    log.clear();
    ::SetDlgItemTextA(first.m_hWnd, IDC_FIRST_NAME, "delta");
    EXPECT_EQ(log, (CallLog{"first name changed"}));
}

TEST_F(ChildSheet, ControlTabSwitchesToTheNextPageAndBack)
{
    HWND hEdit = ::GetDlgItem(first.m_hWnd, IDC_FIRST_COUNT);
    ::SetFocus(hEdit);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE savedControl = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);

    ::PostMessageA(hEdit, WM_KEYDOWN, VK_TAB, 0);
    PumpThroughFramework();
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    ::PostMessageA(::GetDlgItem(second.m_hWnd, IDC_SECOND_TEXT), WM_KEYDOWN, VK_PRIOR, 0);
    PumpThroughFramework();
    EXPECT_EQ(sheet.GetActiveIndex(), 0);

    keys[VK_CONTROL] = savedControl;
    ::SetKeyboardState(keys);
}

TEST_F(ChildSheet, TabMovesTheFocusFromTheDialogIntoTheSheet)
{
    // The sheet comes after the dialog's own controls.
    HWND hCancel = ::GetDlgItem(host.m_hWnd, IDCANCEL);
    ::SetFocus(hCancel);
    ::PostMessageA(hCancel, WM_KEYDOWN, VK_TAB, 0);
    PumpThroughFramework();
    HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == first.m_hWnd || ::IsChild(first.m_hWnd, hFocus) ||
                hFocus == sheet.GetTabControl()->m_hWnd);
}

TEST_F(ChildSheet, RemovingAPageTakesItsTabAway)
{
    ASSERT_TRUE(sheet.SetActivePage(1));
    sheet.RemovePage(&first);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 1);
    EXPECT_EQ(first.m_hWnd, nullptr);
    EXPECT_EQ(sheet.GetActivePage(), &second);
}

TEST(ChildSheetCreation, PreTranslateMessageRunsFromThePageUpToTheDialogInItsModalLoop)
{
    CWinApp app{"Sheet Test"};
    CallLog log;
    CFirstPage first{log};
    CSecondPage second{log};
    CLoggingSheet sheet{log};
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    CSheetHostDialog host{sheet, log};
    CFunctionModalHook hook([&](CWnd* pWnd) {
        log.clear();
        ::PostMessageA(::GetDlgItem(first.m_hWnd, IDC_FIRST_NAME), WM_KEYDOWN, 'Q', 0);
        ::PostMessageA(pWnd->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(host.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (CallLog{"first pretranslate", "sheet pretranslate", "dialog pretranslate"}));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(first.m_hWnd, nullptr);
}

TEST(ChildSheetCreation, StartsOnTheChosenPageAndTheSheetCanBeMadeAgain)
{
    CWinApp app{"Sheet Test"};
    CallLog log;
    CFirstPage first{log};
    CSecondPage second{log};
    CLoggingSheet sheet{log, "", 1};
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(sheet.GetActivePage(), &first);
    EXPECT_TRUE(sheet.SetActivePage(1));

    for (int round = 0; round < 2; ++round)
    {
        log.clear();
        CSheetHostDialog host{sheet, log};
        ASSERT_TRUE(host.Create(IDD_SHEET_HOST));
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(log, (CallLog{"sheet init", "second init", "second set"}));
        host.DestroyWindow();
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        EXPECT_EQ(second.m_hWnd, nullptr);
    }
}

TEST(ChildSheetCreation, WithoutAParentWindowTheChildSheetIsNotMade)
{
    CWinApp app{"Sheet Test"};
    CallLog log;
    CFirstPage first{log};
    CLoggingSheet sheet{log};
    sheet.AddPage(&first);
    EXPECT_FALSE(sheet.Create(nullptr, WS_CHILD | WS_VISIBLE, 0));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

class ModalSheet : public ::testing::Test
{
protected:
    ModalSheet()
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
    }

    CWinApp app{"Sheet Test"};
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam{&boxes};
    CallLog log;
    CFirstPage first{log};
    CSecondPage second{log};
    CLoggingSheet sheet{log, MAKEINTRESOURCEA(IDS_SHEET_CAPTION)};
};

TEST_F(ModalSheet, OkAppliesEveryShownPageAndEndsWithIdok)
{
    std::string caption;
    bool bOkVisible = false;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        EXPECT_EQ(pWnd, &sheet);
        caption = WindowText(pWnd->m_hWnd);
        bOkVisible = ::IsWindowVisible(::GetDlgItem(pWnd->m_hWnd, IDOK)) != FALSE;
        sheet.SetActivePage(1);
        ::SetDlgItemTextA(second.m_hWnd, IDC_SECOND_TEXT, "changed");
        sheet.PressButton(PSBTN_OK);
    });
    CScopedModalHook hookSeam(&hook);
    log.clear();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(caption, "Graph Component properties");
    EXPECT_TRUE(bOkVisible);
    EXPECT_STREQ(second.m_strText, "changed");
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(log, (CallLog{"sheet init", "first init", "first set", "first kill", "second init", "second set",
                            "second kill", "first apply", "second apply"}));
}

TEST_F(ModalSheet, CancelResetsThePagesAndEndsWithIdcancel)
{
    CFunctionModalHook hook([&](CWnd* pWnd) { ::PostMessageA(pWnd->m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    CScopedModalHook hookSeam(&hook);
    log.clear();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (CallLog{"sheet init", "first init", "first set", "first reset"}));
}

TEST_F(ModalSheet, OkOnAPageThatRefusesToBeLeftKeepsTheSheetOpen)
{
    first.m_bRefuseLeave = true;
    bool bStillOpen = false;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        sheet.PressButton(PSBTN_OK);
        bStillOpen = ::SendMessageA(pWnd->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
        ::PostMessageA(pWnd->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(bStillOpen);
}

TEST_F(ModalSheet, EscapeInAPageCancelsTheSheet)
{
    CFunctionModalHook hook([&](CWnd*) {
        HWND hEdit = ::GetDlgItem(first.m_hWnd, IDC_FIRST_COUNT);
        ::SetFocus(hEdit);
        ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(ModalSheet, AWizardEndsWithFinish)
{
    sheet.SetWizardMode();
    CFunctionModalHook hook([&](CWnd*) {
        sheet.SetActivePage(1);
        sheet.PressButton(PSBTN_FINISH);
    });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
}

TEST(ModelessSheet, APopUpSheetShowsNoButtonsAndTakesTheDialogKeyboard)
{
    CWinApp app{"Sheet Test"};
    CallLog log;
    CFirstPage first{log};
    CSecondPage second{log};
    CLoggingSheet sheet{log, "Modeless"};
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.GetStyle() & WS_POPUP);
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, IDOK)));
    EXPECT_EQ(WindowText(sheet.m_hWnd), "Modeless");

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE savedControl = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    HWND hEdit = ::GetDlgItem(first.m_hWnd, IDC_FIRST_COUNT);
    ::SetFocus(hEdit);
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_TAB, 0);
    PumpThroughFramework();
    keys[VK_CONTROL] = savedControl;
    ::SetKeyboardState(keys);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);

    sheet.DestroyWindow();
    EXPECT_EQ(first.m_hWnd, nullptr);
}

} // namespace
