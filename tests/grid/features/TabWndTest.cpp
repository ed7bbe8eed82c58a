// The tab window: sheets shown one at a time, sheets that refuse a switch, renaming through the
// pop-up edit, the divider and the shared scroll bars that grid sheets use, driven by messages.
#include "grid/features/TabWnd.h"

#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
void PumpTabs()
{
    MSG msg;
    for (int i = 0; i < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A sheet that records what the tab window asks of it and answers as told.
class CRecordingSheet : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case GX_WM_SHEETADDED:
        case GX_WM_SHEETRENAMED:
            messages.push_back(std::to_string(message) + " " + std::to_string(wParam));
            return 0;
        case GX_WM_SHEETCANRENAME:
            messages.push_back(std::to_string(message) + " " + std::to_string(wParam));
            return bMayRename;
        case GX_WM_SHEETACTIVATE:
            messages.push_back(std::to_string(message) + " " + std::to_string(wParam));
            return wParam == 0 ? nRefuseLeaving : 0;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }
    std::vector<std::string> messages;
    LRESULT bMayRename = 1;
    LRESULT nRefuseLeaving = 0;
};

class TabWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Tabs", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                   nullptr, nullptr, nullptr));
        ASSERT_TRUE(tabWnd.Create(&frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, AFX_IDW_PANE_FIRST));
        tabWnd.MoveWindow(0, 0, 600, 400, TRUE);
    }
    void TearDown() override
    {
        tabWnd.DestroyWindow();
        frame.DestroyWindow();
    }
    CRecordingSheet& AddRecordingSheet(LPCTSTR pszLabel)
    {
        sheets.push_back(std::make_unique<CRecordingSheet>());
        CRecordingSheet& sheet = *sheets.back();
        sheet.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, tabWnd.m_hWnd, nullptr,
                       nullptr);
        tabWnd.AttachSheet(&sheet, pszLabel);
        return sheet;
    }
    // A left click on tab nTab of the beam.
    void ClickTab(int nTab)
    {
        CGXTabBeam& beam = tabWnd.GetBeam();
        const LPARAM at = MAKELPARAM(beam.GetTabPosition(nTab) + 12, beam.GetBeamHeight() / 2);
        beam.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        beam.SendMessage(WM_LBUTTONUP, 0, at);
        PumpTabs();
    }
    void DoubleClickCurrentTab()
    {
        CGXTabBeam& beam = tabWnd.GetBeam();
        beam.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(beam.GetTabPosition(beam.GetCurSel()) + 12, beam.GetBeamHeight() / 2));
        PumpTabs();
    }
    void TypeIntoPopup(const char* pszText)
    {
        CGXEditLabelPopup* pPopup = tabWnd.GetRenamePopup();
        ASSERT_NE(pPopup, nullptr);
        for (const char* p = pszText; *p != '\0'; ++p)
            pPopup->SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*p)), 1);
    }
    void PressInPopup(UINT nKey)
    {
        CGXEditLabelPopup* pPopup = tabWnd.GetRenamePopup();
        ASSERT_NE(pPopup, nullptr);
        pPopup->SendMessage(WM_KEYDOWN, nKey, 1);
        PumpTabs();
    }

    CWnd frame;
    CGXTabWnd tabWnd;
    std::vector<std::unique_ptr<CRecordingSheet>> sheets;
};

TEST_F(TabWndTest, TheFirstSheetIsCurrentAndShownTheLaterOnesHidden)
{
    CRecordingSheet& first = AddRecordingSheet("Sheet1");
    CRecordingSheet& second = AddRecordingSheet("Sheet2");
    CRecordingSheet& third = AddRecordingSheet("Sheet3");

    EXPECT_EQ(tabWnd.GetActivePane(), &first);
    EXPECT_TRUE(first.IsWindowVisible());
    EXPECT_FALSE(second.IsWindowVisible());
    EXPECT_FALSE(third.IsWindowVisible());
    EXPECT_EQ(tabWnd.GetBeam().GetCount(), 3);
    EXPECT_EQ(tabWnd.GetBeam().GetTabInfo(2).sLabel, CString("Sheet3"));
    EXPECT_EQ(third.messages, (std::vector<std::string>{"1935 2"})) << "each sheet learns its tab";
    CRect sheetRect;
    tabWnd.GetSheetRect(&sheetRect);
    CRect placed;
    third.GetWindowRect(&placed);
    tabWnd.ScreenToClient(&placed);
    EXPECT_EQ(placed, sheetRect);
}

TEST_F(TabWndTest, ASwitchAsksBothSheetsAndARefusalKeepsTheUserOnTheSheet)
{
    CRecordingSheet& first = AddRecordingSheet("Sheet1");
    CRecordingSheet& second = AddRecordingSheet("Sheet2");
    first.messages.clear();
    second.messages.clear();

    first.nRefuseLeaving = 1;
    ClickTab(1);
    EXPECT_EQ(tabWnd.GetActivePane(), &first);
    EXPECT_EQ(tabWnd.GetBeam().GetCurSel(), 0);
    EXPECT_TRUE(first.IsWindowVisible());
    EXPECT_EQ(first.messages, (std::vector<std::string>{"1938 0"}));

    first.nRefuseLeaving = 0;
    first.messages.clear();
    ClickTab(1);
    EXPECT_EQ(tabWnd.GetActivePane(), &second);
    EXPECT_EQ(tabWnd.GetBeam().GetCurSel(), 1);
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    ASSERT_FALSE(second.messages.empty());
    EXPECT_EQ(second.messages.front(), "1938 1");
}

TEST_F(TabWndTest, ADoubleClickTypingAndEnterRenameTheTabAndTellTheSheet)
{
    CRecordingSheet& sheet = AddRecordingSheet("Sheet1");
    sheet.messages.clear();
    DoubleClickCurrentTab();
    ASSERT_NO_FATAL_FAILURE(TypeIntoPopup("Drains"));
    ASSERT_NO_FATAL_FAILURE(PressInPopup(VK_RETURN));

    EXPECT_EQ(tabWnd.GetRenamePopup(), nullptr);
    EXPECT_EQ(tabWnd.GetBeam().GetTabInfo(0).sLabel, CString("Drains"));
    EXPECT_EQ(sheet.messages, (std::vector<std::string>{"1936 0", "1937 0"}));
}

TEST_F(TabWndTest, EscapeOrARefusingSheetKeepTheName)
{
    CRecordingSheet& sheet = AddRecordingSheet("Sheet1");
    DoubleClickCurrentTab();
    ASSERT_NO_FATAL_FAILURE(TypeIntoPopup("Other"));
    ASSERT_NO_FATAL_FAILURE(PressInPopup(VK_ESCAPE));
    EXPECT_EQ(tabWnd.GetRenamePopup(), nullptr);
    EXPECT_EQ(tabWnd.GetBeam().GetTabInfo(0).sLabel, CString("Sheet1"));

    sheet.bMayRename = 0;
    DoubleClickCurrentTab();
    EXPECT_EQ(tabWnd.GetRenamePopup(), nullptr);
}

TEST_F(TabWndTest, TheDividerFollowsTheMouseButStopsTwentyPixelsRightOfTheButtons)
{
    AddRecordingSheet("Sheet1");
    CRect client;
    tabWnd.GetClientRect(&client);
    const int y = client.bottom - 3;
    const int x = tabWnd.GetBeamWidth() + 3;
    tabWnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    tabWnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, y));
    EXPECT_EQ(tabWnd.GetBeamWidth(), 200);
    CRect beamRect;
    tabWnd.GetBeam().GetWindowRect(&beamRect);
    EXPECT_EQ(beamRect.Width(), 200);

    tabWnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, y));
    tabWnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, y));
    EXPECT_EQ(tabWnd.GetBeamWidth(), tabWnd.GetBeam().GetButtonAreaWidth() + 20);
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Grids as sheets: the shared bars, their scroll positions kept per sheet, and the grid's answers.
class TabWndGridTest : public TabWndTest
{
protected:
    CGXGridWnd& AddGridSheet(LPCTSTR pszLabel, UINT nId)
    {
        grids.push_back(std::make_unique<CGXGridWnd>());
        CGXGridWnd& grid = *grids.back();
        grid.CreateEx(0, "GXWND", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, tabWnd.m_hWnd,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), nullptr);
        tabWnd.AttachSheet(&grid, pszLabel);
        grid.Initialize();
        grid.SetRowCount(200);
        grid.SetColCount(40);
        return grid;
    }
    int VertBarPos() { return ::GetScrollPos(::GetDlgItem(tabWnd.m_hWnd, AFX_IDW_VSCROLL_FIRST), SB_CTL); }
    void TearDown() override
    {
        TabWndTest::TearDown();
        grids.clear();
    }
    std::vector<std::unique_ptr<CGXGridWnd>> grids;
};

TEST_F(TabWndGridTest, AGridSheetScrollsTheTabWindowsBarsAndGetsItsPositionBack)
{
    CGXGridWnd& first = AddGridSheet("Sheet1", AFX_IDW_PANE_FIRST);
    CGXGridWnd& second = AddGridSheet("Sheet2", AFX_IDW_PANE_FIRST + 1);
    ASSERT_NE(first.CGXGridCore::GetScrollBarCtrl(SB_VERT), nullptr);
    EXPECT_EQ(first.CGXGridCore::GetScrollBarCtrl(SB_VERT)->m_hWnd, ::GetDlgItem(tabWnd.m_hWnd, 59920));
    EXPECT_EQ(first.CGXGridCore::GetScrollBarCtrl(SB_HORZ)->m_hWnd, ::GetDlgItem(tabWnd.m_hWnd, 59904));

    first.SetTopRow(60);
    PumpTabs();
    const int nFirstPos = VertBarPos();
    EXPECT_GT(nFirstPos, 0) << "the shared bar shows the first sheet's position";

    tabWnd.SwitchToSheet(&second);
    PumpTabs();
    EXPECT_EQ(tabWnd.GetActivePane(), &second);
    EXPECT_NE(VertBarPos(), nFirstPos);

    tabWnd.SwitchToSheet(&first);
    PumpTabs();
    EXPECT_EQ(VertBarPos(), nFirstPos);
    EXPECT_EQ(first.GetTopRow(), 60u);

    // The bar drives the current sheet.
    tabWnd.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(::GetDlgItem(tabWnd.m_hWnd, 59920)));
    PumpTabs();
    EXPECT_EQ(first.GetTopRow(), 61u);
    EXPECT_EQ(second.GetTopRow(), 1u);
}

TEST_F(TabWndGridTest, AGridSheetLetsTheUserSwitchAndRenameAndTakesTheNewName)
{
    CGXGridWnd& first = AddGridSheet("Sheet1", AFX_IDW_PANE_FIRST);
    AddGridSheet("Sheet2", AFX_IDW_PANE_FIRST + 1);

    DoubleClickCurrentTab();
    ASSERT_NE(tabWnd.GetRenamePopup(), nullptr) << "the grid allows the rename";
    ASSERT_NO_FATAL_FAILURE(TypeIntoPopup("Layers"));
    ASSERT_NO_FATAL_FAILURE(PressInPopup(VK_RETURN));
    EXPECT_EQ(tabWnd.GetBeam().GetTabInfo(0).sLabel, CString("Layers"));
    EXPECT_EQ(first.GetParam()->m_sSheetName, CString("Layers"));

    ClickTab(1);
    EXPECT_EQ(tabWnd.GetBeam().GetCurSel(), 1) << "the grid allows the switch";
}

TEST_F(TabWndGridTest, TheTabWindowGivenTheFocusGivesItToTheCurrentSheetsGrid)
{
    AddGridSheet("Sheet1", AFX_IDW_PANE_FIRST);
    CGXGridWnd& second = AddGridSheet("Sheet2", AFX_IDW_PANE_FIRST + 1);
    tabWnd.SwitchToSheet(&second);
    PumpTabs();
    frame.SetFocus();
    ASSERT_EQ(::GetFocus(), frame.m_hWnd);
    tabWnd.SetFocus();
    PumpTabs();
    EXPECT_EQ(::GetFocus(), second.m_hWnd);
}

TEST_F(TabWndTest, TheDividerShowsTheLibrarysSplitCursor)
{
    AddRecordingSheet("Sheet1");
    const HCURSOR hSplit = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(20197));
    ASSERT_NE(hSplit, nullptr) << "the cursor is a resource of the library";
    CRect client;
    tabWnd.GetClientRect(&client);
    CPoint divider(tabWnd.GetBeamWidth() + 3, client.bottom - 3);
    tabWnd.ClientToScreen(&divider);
    ::SetCursorPos(divider.x, divider.y);
    ::SetCursor(nullptr);
    tabWnd.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(tabWnd.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), hSplit);
}

TEST(TabWndClass, AWindowOfTheClassMakesItsOwnTabWindowAndItsChildrenOnFirstLayout)
{
    GXStartLibrary();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Tabs", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               nullptr));
    HWND hWnd = ::CreateWindowExA(0, "CGXTabWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame.m_hWnd,
                                  reinterpret_cast<HMENU>(100), AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(hWnd, nullptr);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    ASSERT_NE(pWnd, nullptr);
    ASSERT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(CGXTabWnd)));
    static_cast<CGXTabWnd*>(pWnd)->RecalcLayout();
    EXPECT_NE(::GetDlgItem(hWnd, 59904), nullptr);
    EXPECT_NE(::GetDlgItem(hWnd, 59905), nullptr) << "the beam";
    frame.DestroyWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}
} // namespace
