// The application object: the program's entry, its loop, command routing from a dialog to it, and its
// profile.
#include <gtest/gtest.h>

#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinCoreTestResources.h"
#include "tests/framework/WinTestSupport.h"

namespace {

class CRefusingApp : public CWinApp
{
public:
    CRefusingApp() : CWinApp(nullptr) {}
    bool ran = false;
    BOOL InitInstance() override { return FALSE; }
    int Run() override
    {
        ran = true;
        return CWinApp::Run();
    }
    int ExitInstance() override { return 3; }
};

TEST(WinApp, FalseFromInitInstanceEndsTheProgramWithoutALoop)
{
    CRefusingApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW), 3);
    EXPECT_FALSE(app.ran);
    EXPECT_STREQ(app.m_pszAppName, "framework_tests");   // no title string: the executable's name
}

class CSelfDeletingWnd : public CWnd
{
public:
    void PostNcDestroy() override { delete this; }
};

class CLoopApp : public CWinApp
{
public:
    CLoopApp() : CWinApp("Loop") {}
    BOOL InitInstance() override
    {
        auto* pWnd = new CSelfDeletingWnd;
        if (!pWnd->CreateEx(0, AfxRegisterWndClass(0), "Main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr))
            return FALSE;
        m_pMainWnd = pWnd;
        pWnd->PostMessage(WM_CLOSE);
        return TRUE;
    }
};

TEST(WinApp, RunEndsWhenTheMainWindowIsDestroyed)
{
    CLoopApp app;
    EXPECT_EQ(AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

class CHelpApp : public CWinApp
{
public:
    CHelpApp() : CWinApp("Help") {}
    int helpCalls = 0;
    afx_msg void OnTestHelp() { ++helpCalls; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpApp, CWinApp)
    ON_COMMAND(ID_HELP, OnTestHelp)
END_MESSAGE_MAP()

TEST(WinApp, ADialogRoutesCommandsItDoesNotHandleToTheApplication)
{
    CHelpApp app;
    CDialog dlg(IDD_EXCHANGE);   // no handler for ID_HELP of its own
    CFunctionModalHook hook([](CWnd* pWnd) {
        pWnd->SendMessage(WM_COMMAND, ID_HELP);
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED));   // not a command id: stays
        PressButton(pWnd->m_hWnd, IDCANCEL);
    });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(app.helpCalls, 1);
}

TEST(WinApp, RegistryProfileKeepsStringsAndNumbers)
{
    CWinApp app("ProfileTest");
    app.SetRegistryKey("QuarrowFrameworkTests");
    EXPECT_TRUE(app.WriteProfileString("Styles", "Standard", "1"));
    EXPECT_TRUE(app.WriteProfileInt("Styles", "Count", -5));
    EXPECT_STREQ(app.GetProfileString("Styles", "Standard"), "1");
    EXPECT_EQ((int)app.GetProfileInt("Styles", "Count", 0), -5);
    EXPECT_STREQ(app.GetProfileString("Styles", "Missing", "fallback"), "fallback");

    EXPECT_TRUE(app.WriteProfileString("Styles", "Standard", nullptr));   // deletes the entry
    EXPECT_STREQ(app.GetProfileString("Styles", "Standard", "gone"), "gone");
    EXPECT_TRUE(app.WriteProfileString("Styles", nullptr, nullptr));      // deletes the section
    EXPECT_EQ((int)app.GetProfileInt("Styles", "Count", 9), 9);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuarrowFrameworkTests");
}

TEST(WinApp, IniProfileKeepsStrings)
{
    CWinApp app("IniTest");
    EXPECT_TRUE(app.WriteProfileString("Grid", "UA51011", "3.5"));
    EXPECT_STREQ(app.GetProfileString("Grid", "UA51011"), "3.5");
    EXPECT_TRUE(app.WriteProfileString("Grid", nullptr, nullptr));
    EXPECT_STREQ(app.GetProfileString("Grid", "UA51011", "none"), "none");
}

LRESULT CALLBACK FirstProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK SecondProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST(AfxRegisterClass, ASecondRegistrationOfANameKeepsTheFirst)
{
    WNDCLASSA first = {};
    first.lpfnWndProc = FirstProc;
    first.hInstance = AfxGetInstanceHandle();
    first.lpszClassName = "FrameworkTestRegisteredClass";
    ASSERT_TRUE(AfxRegisterClass(&first));
    WNDCLASSA second = first;
    second.lpfnWndProc = SecondProc;
    EXPECT_TRUE(AfxRegisterClass(&second));
    WNDCLASSA found = {};
    ASSERT_TRUE(::GetClassInfoA(first.hInstance, first.lpszClassName, &found));
    EXPECT_EQ(found.lpfnWndProc, &FirstProc);
    ::UnregisterClassA(first.lpszClassName, first.hInstance);

    WNDCLASSA nameless = first;
    nameless.lpszClassName = nullptr;
    EXPECT_FALSE(AfxRegisterClass(&nameless));
}

} // namespace
