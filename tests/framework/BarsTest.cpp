// The toolbar and the status bar of a main frame: layout, the toolbar resource, tips and fly-by
// prompts, indicators, menu prompts, "Ready" and the bar toggles.
#include <gtest/gtest.h>

#include <string>

#include "framework/docview/ControlBars.h"
#include "tests/framework/DocViewTestSupport.h"
#include "tests/framework/WinTestSupport.h"
#include "tests/tools/WindowPicture.h"

namespace {

// The main frame as a program builds it: a flat toolbar with tips and fly-by at the top, a status
// bar with the three key indicators at the bottom.
class CBarsMainFrame : public CTestMainFrame
{
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CTestMainFrame::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                       CBRS_SIZE_DYNAMIC) ||
            !m_wndToolBar.LoadToolBar(IDR_TEST_TOOLBAR))
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
            return -1;
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarsMainFrame, CTestMainFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class Bars : public MdiProgramTest
{
protected:
    CTestMainFrame* NewMainFrame() override { return new CBarsMainFrame; }
    CBarsMainFrame& Frame() { return *static_cast<CBarsMainFrame*>(pMainFrame); }

    CRect ChildRect(HWND hWndChild) const
    {
        CRect rect;
        ::GetWindowRect(hWndChild, &rect);
        pMainFrame->ScreenToClient(&rect);
        return rect;
    }
    std::string ShownPaneText(int nIndex)
    {
        char text[256] = {};
        Frame().m_wndStatusBar.SendMessage(SB_GETTEXTA, (WPARAM)nIndex, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void IdleUpdate()
    {
        app.OnIdle(0);
        PumpPendingMessages();
    }
};

TEST_F(Bars, TheToolbarSitsAtTheTopTheStatusBarAtTheBottomAndTheDocumentsBetween)
{
    CRect client;
    pMainFrame->GetClientRect(&client);
    const CRect toolbar = ChildRect(Frame().m_wndToolBar.m_hWnd);
    const CRect status = ChildRect(Frame().m_wndStatusBar.m_hWnd);
    const CRect documents = ChildRect(pMainFrame->m_hWndMDIClient);
    EXPECT_EQ(toolbar.top, 0);
    EXPECT_EQ(toolbar.Width(), client.Width());
    EXPECT_GE(toolbar.Height(), 15 + 7);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(documents.top, toolbar.bottom);
    EXPECT_EQ(documents.bottom, status.top);
    EXPECT_EQ(documents.Width(), client.Width());
    NewDocument();
    EXPECT_EQ(ShownPaneText(0), "Ready");
    pMainFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPendingMessages();
    SaveWindowPicture(pMainFrame->m_hWnd, "mdi_frame_with_bars.bmp");   // for a person to look at
}

TEST_F(Bars, TheToolbarHasTheButtonsOfItsResource)
{
    CToolBar& toolbar = Frame().m_wndToolBar;
    ASSERT_EQ(toolbar.GetCount(), 4);
    EXPECT_EQ(toolbar.GetItemID(0), (UINT)ID_FILE_NEW);
    EXPECT_EQ(toolbar.GetItemID(1), (UINT)ID_SEPARATOR);
    EXPECT_EQ(toolbar.GetItemID(2), (UINT)ID_TEST_DOC_CMD);
    EXPECT_EQ(toolbar.GetItemID(3), (UINT)ID_TEST_UNHANDLED_CMD);
    EXPECT_EQ(toolbar.CommandToIndex(ID_TEST_DOC_CMD), 2);
    CRect button;
    toolbar.GetItemRect(0, &button);
    EXPECT_EQ(button.Size(), CSize(16 + 7, 15 + 7));
}

TEST_F(Bars, AToolbarResourceThatIsMissingOrMalformedIsRefused)
{
    const struct
    {
        UINT nID;
        const char* what;
    } resources[] = {
        {IDR_TOOLBAR_MISSING, "no such resource"},
        {IDR_TOOLBAR_BAD_VERSION, "version 2"},
        {IDR_TOOLBAR_TRUNCATED, "five items announced, one given"},
        {IDR_TOOLBAR_NO_BITMAP, "no bitmap of the same id"},
    };
    for (const auto& resource : resources)
    {
        CToolBar toolbar;
        ASSERT_TRUE(toolbar.CreateEx(pMainFrame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), 0xE880));
        EXPECT_FALSE(toolbar.LoadToolBar(resource.nID)) << resource.what;
    }
}

TEST_F(Bars, ButtonsAreEnabledByTheCommandRouting)
{
    IdleUpdate();
    CToolBar& toolbar = Frame().m_wndToolBar;
    auto enabled = [&](UINT nID) { return toolbar.SendMessage(TB_ISBUTTONENABLED, nID) != 0; };
    EXPECT_TRUE(enabled(ID_FILE_NEW));            // the application's
    EXPECT_FALSE(enabled(ID_TEST_DOC_CMD));       // no document yet
    EXPECT_FALSE(enabled(ID_TEST_UNHANDLED_CMD));
    NewDocument();
    IdleUpdate();
    EXPECT_TRUE(enabled(ID_TEST_DOC_CMD));
    EXPECT_FALSE(enabled(ID_TEST_UNHANDLED_CMD));
}

TEST_F(Bars, ButtonTipsAreTheTipPartOfTheCommandString)
{
    const struct
    {
        UINT nID;
        const char* tip;
    } cases[] = {{ID_TEST_DOC_CMD, "Document Command"}, {ID_FILE_NEW, "New"}, {ID_TEST_UNHANDLED_CMD, ""}};
    for (const auto& c : cases)
    {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = Frame().m_wndToolBar.m_hWnd;
        info.hdr.idFrom = c.nID;
        info.hdr.code = TTN_GETDISPINFOA;
        pMainFrame->SendMessage(WM_NOTIFY, c.nID, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, c.tip) << c.nID;
    }
}

TEST_F(Bars, TheStatusBarSaysReadyAndShowsPromptsOfButtonsAndMenuItems)
{
    EXPECT_EQ(ShownPaneText(0), "Ready");

    // Fly-by: the mouse on a button shows its prompt, leaving the buttons says "Ready" again.
    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = Frame().m_wndToolBar.m_hWnd;
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_TEST_DOC_CMD;
    hot.dwFlags = HICF_MOUSE | HICF_ENTERING;
    pMainFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(ShownPaneText(0), "Runs the document command");
    hot.idOld = ID_TEST_DOC_CMD;
    hot.idNew = 0;
    hot.dwFlags = HICF_MOUSE | HICF_LEAVING;
    pMainFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(ShownPaneText(0), "Ready");

    // Menu items: the prompt while selected, "Ready" when the menu closes.
    HMENU hMenu = pMainFrame->GetDefaultMenu();
    pMainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ(ShownPaneText(0), "Create a new document");
    pMainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ(ShownPaneText(0), "");
    pMainFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(ShownPaneText(0), "Ready");
}

TEST_F(Bars, SetMessageStringTakesAStringIdOrAText)
{
    pMainFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_DOC_CMD);
    EXPECT_EQ(ShownPaneText(0), "Runs the document command");
    const LRESULT nPrevious =
        pMainFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Processing...  37%. "));
    EXPECT_EQ(nPrevious, ID_TEST_DOC_CMD);
    EXPECT_EQ(ShownPaneText(0), "Processing...  37%. ");
    EXPECT_STREQ(Frame().m_wndStatusBar.GetPaneText(0), "Processing...  37%. ");
}

TEST_F(Bars, TheIndicatorsShowTheirTextWhileTheirKeyIsOn)
{
    CStatusBar& status = Frame().m_wndStatusBar;
    ASSERT_EQ(status.GetCount(), 4);
    EXPECT_EQ(status.GetItemID(1), (UINT)ID_INDICATOR_CAPS);
    EXPECT_EQ(status.GetItemID(2), (UINT)ID_INDICATOR_NUM);
    EXPECT_EQ(status.GetItemID(3), (UINT)ID_INDICATOR_SCRL);

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE saved[256];
    memcpy(saved, keys, sizeof keys);
    keys[VK_CAPITAL] = 0x01;   // toggled on
    keys[VK_NUMLOCK] = 0x00;
    keys[VK_SCROLL] = 0x01;
    ::SetKeyboardState(keys);
    IdleUpdate();
    const std::string caps = ShownPaneText(1);
    const std::string num = ShownPaneText(2);
    const std::string scroll = ShownPaneText(3);
    ::SetKeyboardState(saved);

    EXPECT_EQ(caps, "CAP");
    EXPECT_EQ(num, "");
    EXPECT_EQ(scroll, "SCRL");
    EXPECT_STREQ(status.GetPaneText(2), "NUM");   // kept while it is off
}

TEST_F(Bars, TheViewMenuShowsAndHidesTheBars)
{
    const struct
    {
        UINT nID;
        CWnd* pBar;
    } toggles[] = {{ID_VIEW_TOOLBAR, &Frame().m_wndToolBar}, {ID_VIEW_STATUS_BAR, &Frame().m_wndStatusBar}};
    HMENU hView = ::GetSubMenu(pMainFrame->GetDefaultMenu(), 1);
    for (const auto& toggle : toggles)
    {
        pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hView), MAKELPARAM(1, FALSE));
        EXPECT_TRUE(::GetMenuState(hView, toggle.nID, MF_BYCOMMAND) & MF_CHECKED) << toggle.nID;

        pMainFrame->SendMessage(WM_COMMAND, toggle.nID);
        EXPECT_FALSE(toggle.pBar->IsWindowVisible()) << toggle.nID;
        pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hView), MAKELPARAM(1, FALSE));
        EXPECT_FALSE(::GetMenuState(hView, toggle.nID, MF_BYCOMMAND) & MF_CHECKED) << toggle.nID;
    }
    // Without bars the documents take the whole client area.
    CRect client;
    pMainFrame->GetClientRect(&client);
    EXPECT_EQ(ChildRect(pMainFrame->m_hWndMDIClient), client);

    pMainFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Frame().m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(ChildRect(pMainFrame->m_hWndMDIClient).top, ChildRect(Frame().m_wndToolBar.m_hWnd).bottom);
}

} // namespace
