// Message maps: the first entry for a message or id wins, base maps are reached, update handlers set
// menu items, controls may handle their own notifications, and exceptions stop at the window procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/win/Menu.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "tests/framework/WinCoreTestResources.h"
#include "tests/framework/WinTestSupport.h"

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
const UINT WM_TEST_THROW_STD = WM_APP + 3;
const UINT s_registeredPing = ::RegisterWindowMessageA("WinCoreTests.RegisteredPing");

class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> calls;

    afx_msg void OnBase100() { calls.push_back("base 100"); }
    afx_msg void OnBase101() { calls.push_back("base 101"); }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM) { return (LRESULT)wParam * 2; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_COMMAND(100, OnBase100)
    ON_COMMAND(101, OnBase101)
    ON_MESSAGE(WM_TEST_PING, OnPing)
END_MESSAGE_MAP()

// A handler's error, with its own text.
class CHandlerException : public CException
{
public:
    static int s_nLive;
    CHandlerException() { ++s_nLive; }
    ~CHandlerException() override { --s_nLive; }
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override
    {
        lstrcpynA(lpszError, "The handler failed.", (int)nMaxError);
        if (pnHelpContext != nullptr)
            *pnHelpContext = 0;
        return TRUE;
    }
};
int CHandlerException::s_nLive = 0;

class CDerivedWnd : public CBaseWnd
{
public:
    afx_msg void OnFirst100() { calls.push_back("first 100"); }
    afx_msg void OnSecond100() { calls.push_back("second 100"); }
    afx_msg void OnRange(UINT nID) { calls.push_back("range " + std::to_string(nID)); }
    afx_msg void OnButton() { calls.push_back("button"); }
    afx_msg void OnEditChange() { calls.push_back("edit change"); }
    afx_msg void OnAlpha() { calls.push_back("alpha"); }
    afx_msg void OnGamma() { calls.push_back("gamma"); }
    afx_msg void OnUpdateAlpha(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateBeta(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateGamma(CCmdUI* pCmdUI) { pCmdUI->SetText("&Gamma Ray"); }
    afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM) { return (LRESULT)wParam + 1000; }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { throw new CHandlerException; }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("unexpected"); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { calls.push_back("timer " + std::to_string(nIDEvent)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(100, OnFirst100)
    ON_COMMAND(100, OnSecond100)
    ON_COMMAND_RANGE(200, 205, OnRange)
    ON_BN_CLICKED(300, OnButton)
    ON_EN_CHANGE(301, OnEditChange)
    ON_COMMAND(ID_TEST_ALPHA, OnAlpha)
    ON_COMMAND(ID_TEST_GAMMA, OnGamma)
    ON_UPDATE_COMMAND_UI(ID_TEST_ALPHA, OnUpdateAlpha)
    ON_UPDATE_COMMAND_UI(ID_TEST_BETA, OnUpdateBeta)
    ON_UPDATE_COMMAND_UI(ID_TEST_GAMMA, OnUpdateGamma)
    ON_REGISTERED_MESSAGE(s_registeredPing, OnRegisteredPing)
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_MESSAGE(WM_TEST_THROW_STD, OnThrowStd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// An edit that handles its own change notification; the parent does not see it.
class CSelfChangingEdit : public CWnd
{
public:
    int changes = 0;
    afx_msg void OnReflectedChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfChangingEdit, CWnd)
    ON_CONTROL_REFLECT(EN_CHANGE, OnReflectedChange)
END_MESSAGE_MAP()

class MessageMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Map", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                 nullptr));
    }
    void TearDown() override { wnd.DestroyWindow(); }

    CDerivedWnd wnd;
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam{&boxes};
};

TEST_F(MessageMap, FirstEntryForAnIdWins)
{
    wnd.SendMessage(WM_COMMAND, 100);
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"first 100"});
}

TEST_F(MessageMap, BaseClassEntriesAreReached)
{
    wnd.SendMessage(WM_COMMAND, 101);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 21), 42);
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"base 101"});
}

TEST_F(MessageMap, RangesRegisteredMessagesAndWindowMessages)
{
    wnd.SendMessage(WM_COMMAND, 203);
    wnd.SendMessage(WM_COMMAND, 206);   // outside the range: nobody
    EXPECT_EQ(wnd.SendMessage(s_registeredPing, 5), 1005);
    wnd.SendMessage(WM_TIMER, 9);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"range 203", "timer 9"}));
}

TEST_F(MessageMap, ControlNotificationsReachTheParentsMap)
{
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20, wnd.m_hWnd,
                                     (HMENU)300, ::GetModuleHandleA(nullptr), nullptr);
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, wnd.m_hWnd, (HMENU)301,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    ::SetWindowTextA(hEdit, "changed");
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"button", "edit change"}));
}

TEST_F(MessageMap, AControlHandlesItsOwnReflectedNotification)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, wnd.m_hWnd, (HMENU)301,
                                   ::GetModuleHandleA(nullptr), nullptr);
    CSelfChangingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    ::SetWindowTextA(hEdit, "changed");
    EXPECT_EQ(edit.changes, 1);
    EXPECT_TRUE(wnd.calls.empty());
    EXPECT_STREQ(WindowText(hEdit).c_str(), "changed");   // the edit's own procedure still ran
}

TEST_F(MessageMap, UpdateHandlersEnableCheckAndRenameMenuItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    ASSERT_TRUE(wnd.SetMenu(&menu));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);

    wnd.SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, 0);

    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_ALPHA, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_BETA, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(pPopup->GetMenuState(ID_TEST_BETA, MF_BYCOMMAND) & MF_GRAYED);
    char text[64] = {};
    pPopup->GetMenuString(ID_TEST_GAMMA, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Gamma Ray");
    wnd.SetMenu(nullptr);
}

TEST_F(MessageMap, AMenuCommandItsUpdateHandlerDisablesDoesNotRun)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ALPHA, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_GAMMA, 1));   // accelerator
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"gamma"});
}

TEST_F(MessageMap, AFrameworkExceptionInAHandlerIsReportedAndDeleted)
{
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW), 0);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "The handler failed.");
    EXPECT_EQ(CHandlerException::s_nLive, 0);
    // The window goes on working.
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 4), 8);
}

TEST_F(MessageMap, AnyOtherExceptionStopsAtTheWindowProcedureToo)
{
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW_STD), 0);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Internal application error.");
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 4), 8);
}

class CQuietWnd : public CWnd
{
public:
    afx_msg LRESULT OnGiveUp(WPARAM, LPARAM) { AfxThrowUserException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CQuietWnd, CWnd)
    ON_MESSAGE(WM_TEST_THROW, OnGiveUp)
END_MESSAGE_MAP()

TEST_F(MessageMap, AUserExceptionIsSilent)
{
    CQuietWnd quiet;
    ASSERT_TRUE(quiet.CreateEx(0, AfxRegisterWndClass(0), "Quiet", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    quiet.SendMessage(WM_TEST_THROW);
    EXPECT_TRUE(boxes.calls.empty());
    quiet.DestroyWindow();
}

} // namespace
