// Fennick's main frame with its toolbar and status bar, its two menus and the about box.
#include "FennickTestSupport.h"

#include "chart/ui/ChartViewIds.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/SeamRecorders.h"

namespace {

struct MenuItem
{
    std::string text;
    UINT nID;   // 0 for a separator
};

// The items of the pop-up of the menu resource, by its title.
std::vector<MenuItem> PopupItems(UINT nMenu, const char* pszPopup)
{
    std::vector<MenuItem> items;
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nMenu));
    for (int i = 0; hMenu != nullptr && i < ::GetMenuItemCount(hMenu); ++i)
    {
        char title[128] = {};
        ::GetMenuStringA(hMenu, i, title, sizeof title, MF_BYPOSITION);
        if (std::string(title) != pszPopup)
            continue;
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        for (int j = 0; j < ::GetMenuItemCount(hPopup); ++j)
        {
            char text[128] = {};
            ::GetMenuStringA(hPopup, j, text, sizeof text, MF_BYPOSITION);
            items.push_back({text, ::GetMenuItemID(hPopup, j)});
        }
    }
    if (hMenu != nullptr)
        ::DestroyMenu(hMenu);
    return items;
}

std::vector<std::string> PopupTitles(UINT nMenu)
{
    std::vector<std::string> titles;
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nMenu));
    for (int i = 0; hMenu != nullptr && i < ::GetMenuItemCount(hMenu); ++i)
    {
        char title[128] = {};
        ::GetMenuStringA(hMenu, i, title, sizeof title, MF_BYPOSITION);
        titles.push_back(title);
    }
    if (hMenu != nullptr)
        ::DestroyMenu(hMenu);
    return titles;
}

// The commands of a pop-up with their texts, separators left out.
std::vector<std::pair<std::string, UINT>> Commands(UINT nMenu, const char* pszPopup)
{
    std::vector<std::pair<std::string, UINT>> commands;
    for (const MenuItem& item : PopupItems(nMenu, pszPopup))
        if (item.nID != 0)
            commands.emplace_back(item.text, item.nID);
    return commands;
}

using Commands_t = std::vector<std::pair<std::string, UINT>>;

TEST(FennickMenus, WithoutAChartTheMainFramesMenu)
{
    EXPECT_EQ(PopupTitles(IDR_MAINFRAME), (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_EQ(Commands(IDR_MAINFRAME, "&File"), (Commands_t{{"&New\tCtrl+N", 57600},
                                                           {"&Open...\tCtrl+O", 57601},
                                                           {"P&rint Setup...", 57606},
                                                           {"Print Page Setup..", 53507},
                                                           {"Recent File", 57616},
                                                           {"E&xit", 57665}}));
    EXPECT_EQ(Commands(IDR_MAINFRAME, "&View"), (Commands_t{{"&Toolbar", 59392}, {"&Status Bar", 59393}}));
    EXPECT_EQ(Commands(IDR_MAINFRAME, "&Help"), (Commands_t{{"&About Fennick...", 57664}}));
}

TEST(FennickMenus, WithAChartTheDocumentsMenu)
{
    EXPECT_EQ(PopupTitles(IDR_FENNICTYPE),
              (std::vector<std::string>{"&File", "&Edit", "&View", "&Window", "Chart", "&Help"}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "&File"), (Commands_t{{"&New\tCtrl+N", 57600},
                                                            {"Save As &Dib File...", 53509},
                                                            {"Save As &Jpeg File..", 53510},
                                                            {"&Print...\tCtrl+P", 57607},
                                                            {"Print Pre&view", 57609},
                                                            {"P&rint Setup...", 57606},
                                                            {"Print Page Set&up", 32774},
                                                            {"E&xit", 57665}}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "&Edit"), (Commands_t{{"&Copy\tCtrl+C", 57634}, {"&Paste\tCtrl+V", 57637}}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "&View"), (Commands_t{{"&Toolbar", 59392}, {"&Status Bar", 59393}}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "&Window"), (Commands_t{{"&New Window", 57648},
                                                              {"&Cascade", 57650},
                                                              {"&Tile", 57651},
                                                              {"&Arrange Icons", 57649}}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "Chart"),
              (Commands_t{{"&Titles and Labels", 32772}, {"&Lines/Legends and Scale", 32773}}));
    EXPECT_EQ(Commands(IDR_FENNICTYPE, "&Help"), (Commands_t{{"&About Fennick...", 57664}}));
}

TEST(FennickStrings, TemplateTitleAndOleMessage)
{
    char text[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), IDR_FENNICTYPE, text, sizeof text);
    EXPECT_STREQ(text, "\nFennic\nFennic\n\n\nFennick.Document\nFennic Document");
    ::LoadStringA(::GetModuleHandleA(nullptr), 57344, text, sizeof text);
    EXPECT_STREQ(text, "Fennick");
    ::LoadStringA(::GetModuleHandleA(nullptr), 100, text, sizeof text);
    EXPECT_STREQ(text, "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
}

using MainFrame = FennickWindowsTest;

TEST_F(MainFrame, HasTheToolbarAtTheTopAndTheStatusBarWithItsIndicators)
{
    CToolBar& toolBar = pMainFrame->m_wndToolBar;
    ASSERT_NE(toolBar.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(toolBar.IsWindowVisible());
    EXPECT_EQ(toolBar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
    const UINT buttons[] = {ID_FILE_NEW, 0, ID_QVG_SAVE_DIB, ID_QVG_SAVE_JPEG, 0, ID_EDIT_COPY, 0, ID_FILE_PRINT, 0,
                            ID_APP_ABOUT};
    ASSERT_EQ(toolBar.GetCount(), int(std::size(buttons)));
    for (int i = 0; i < toolBar.GetCount(); ++i)
        EXPECT_EQ(toolBar.GetItemID(i), buttons[i]) << i;
    EXPECT_NE(toolBar.GetBarStyle() & CBRS_TOOLTIPS, 0u);
    EXPECT_NE(toolBar.GetBarStyle() & CBRS_FLYBY, 0u);

    CRect client;
    pMainFrame->GetClientRect(&client);
    CRect bar;
    toolBar.GetWindowRect(&bar);
    pMainFrame->ScreenToClient(&bar);
    EXPECT_EQ(bar.top, client.top);

    CStatusBar& statusBar = pMainFrame->m_wndStatusBar;
    ASSERT_NE(statusBar.GetSafeHwnd(), nullptr);
    EXPECT_EQ(statusBar.GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
    const UINT panes[] = {ID_SEPARATOR, 59137, 59138, 59139};
    ASSERT_EQ(statusBar.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(statusBar.GetItemID(i), panes[i]) << i;
    CRect status;
    statusBar.GetWindowRect(&status);
    pMainFrame->ScreenToClient(&status);
    EXPECT_EQ(status.bottom, client.bottom);
}

TEST_F(MainFrame, AboutBoxShowsTheProgramAndItsVersion)
{
    std::string name, version;
    bool bHasOk = false;
    CFunctionModalHook hook([&](CWnd* pDialog) {
        const HWND hDialog = pDialog->GetSafeHwnd();
        name = WindowText(::GetDlgItem(hDialog, IDC_ABOUT_NAME));
        version = WindowText(::GetDlgItem(hDialog, IDC_ABOUT_VERSION));
        bHasOk = ::GetDlgItem(hDialog, IDOK) != nullptr;
        ::PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    });
    CScopedModalHook scoped(&hook);
    pMainFrame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    EXPECT_EQ(name, "Fennick");
    EXPECT_EQ(version, "Version 1.01");
    EXPECT_TRUE(bHasOk);
}

} // namespace
