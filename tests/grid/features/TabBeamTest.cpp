// The tab beam: tab geometry, the selection protocol with its owner, scroll buttons, deleting tabs,
// its fonts and the window class for dialog templates, driven by messages on a real window.
#include "grid/features/TabBeam.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
void PumpBeam()
{
    MSG msg;
    for (int i = 0; i < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The beam's parent: records what the beam tells it and answers 1927 as told.
class CBeamOwner : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= GX_WM_TABCHANGED && message <= GX_WM_CANTABCHANGE)
        {
            messages.push_back(std::to_string(message) + " " + std::to_string(wParam));
            return message == GX_WM_CANTABCHANGE ? nAnswerCanChange : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<std::string> messages;
    LRESULT nAnswerCanChange = 0;
};

// An object that tells when it is deleted.
class CCountedObject : public CObject
{
public:
    explicit CCountedObject(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CCountedObject() override { ++m_nDeleted; }

private:
    int& m_nDeleted;
};

class TabBeamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Beam owner", WS_POPUP, 0, 0, 600, 100,
                                   nullptr, nullptr, nullptr));
        ASSERT_TRUE(beam.Create(WS_VISIBLE, CRect(0, 0, 1, 1), &owner, 59905));
        beam.MoveWindow(0, 0, 500, h, FALSE);
    }
    void TearDown() override
    {
        beam.DestroyWindow();
        owner.DestroyWindow();
    }
    void AddTabs(int nCount, int nWidth)
    {
        for (int i = 0; i < nCount; ++i)
            beam.InsertTab(FALSE, ("Sheet" + std::to_string(i + 1)).c_str(), nullptr, FALSE, nWidth);
    }
    void Click(int x, UINT nMsg = WM_LBUTTONDOWN)
    {
        beam.SendMessage(nMsg, MK_LBUTTONDOWN_FLAGS, MAKELPARAM(x, h / 2));
        beam.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, h / 2));
        PumpBeam();
    }
    // The owner's record after the posted messages arrived.
    std::vector<std::string> Told()
    {
        PumpBeam();
        return owner.messages;
    }

    static const WPARAM MK_LBUTTONDOWN_FLAGS = MK_LBUTTON;
    const int h = ::GetSystemMetrics(SM_CYHSCROLL);
    CBeamOwner owner;
    CGXTabBeam beam;
};

TEST_F(TabBeamTest, TabsStartAfterTheButtonsAndFollowEachOtherByWidthAndSlant)
{
    EXPECT_EQ(beam.HitTestScrollButton(h + 1, 2, -1, FALSE), -1) << "no tabs: no scrolling";
    EXPECT_EQ(beam.FindTab(nullptr), -1);
    AddTabs(3, 50);

    EXPECT_EQ(beam.GetTabPosition(0), 2 * h + 1);
    EXPECT_EQ(beam.GetTabPosition(1), 2 * h + 58);
    EXPECT_EQ(beam.GetTabPosition(2), 2 * h + 115);
    EXPECT_EQ(beam.TabFromPosition(2 * h + 60), 1);
    EXPECT_EQ(beam.TabFromPosition(2 * h + 115 + 56), 2);
    EXPECT_EQ(beam.TabFromPosition(2 * h + 115 + 57), -1) << "beyond the last tab";
    EXPECT_EQ(beam.GetCurSel(), 0) << "the first tab inserted becomes current";
    EXPECT_EQ(beam.HitTestScrollButton(h + h / 2, 2, -1, FALSE), -1) << "every tab is visible: nothing to scroll to";
}

TEST_F(TabBeamTest, AClickOnATabAsksTheOwnerAndARefusalChangesAndPostsNothing)
{
    AddTabs(3, 50);
    owner.nAnswerCanChange = 1;
    Click(2 * h + 120);
    EXPECT_EQ(beam.GetCurSel(), 0);
    EXPECT_EQ(Told(), (std::vector<std::string>{"1927 2"}));

    owner.messages.clear();
    owner.nAnswerCanChange = 0;
    Click(2 * h + 120);
    EXPECT_EQ(beam.GetCurSel(), 2);
    EXPECT_EQ(Told(), (std::vector<std::string>{"1927 2", "1925 2"}));
}

TEST_F(TabBeamTest, ADoubleClickOnTheCurrentTabAsksForItsRenaming)
{
    AddTabs(2, 50);
    beam.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2 * h + 10, h / 2));
    EXPECT_EQ(Told(), (std::vector<std::string>{"1926 0"}));
}

TEST_F(TabBeamTest, ScrollButtonsMoveTheFirstVisibleTabOnlyWhereThereIsSomewhereToGo)
{
    beam.MoveWindow(0, 0, 2 * h + 150, h, FALSE);
    AddTabs(6, 50);
    const int xBack = h / 2;
    const int xForward = h + h / 2;
    EXPECT_EQ(beam.HitTestScrollButton(xBack, 2, -1, TRUE), -1) << "already at the first tab";
    EXPECT_EQ(beam.GetFirstTab(), 0);

    EXPECT_EQ(beam.HitTestScrollButton(xForward, 2, -1, TRUE), 2);
    EXPECT_EQ(beam.GetFirstTab(), 1);
    beam.ScrollTabs(3);
    // Tabs 3 to 5 (64 + 57 + 57 pixels) still fill the 149 pixels right of the buttons; 4 and 5 would not.
    const int nLastFirst = beam.GetFirstTab();
    EXPECT_EQ(nLastFirst, 3);
    beam.HitTestScrollButton(xForward, 2, -1, TRUE);
    EXPECT_EQ(beam.GetFirstTab(), nLastFirst) << "no further than the last tabs that fill the beam";
    EXPECT_EQ(beam.HitTestScrollButton(xBack, 2, -1, TRUE), 1);
    EXPECT_EQ(beam.GetFirstTab(), nLastFirst - 1);
}

TEST_F(TabBeamTest, DeletingTheCurrentTabMakesTheFirstTabCurrentAndScrollsToTheStart)
{
    beam.MoveWindow(0, 0, 2 * h + 150, h, FALSE);
    AddTabs(6, 50);
    Click(2 * h + 10);   // tab 0, then scroll and pick the tab at the start of the view
    beam.ScrollTabs(3);
    Click(2 * h + 1 + 10);
    const int nCurrent = beam.GetCurSel();
    ASSERT_GT(nCurrent, 0);
    ASSERT_GT(beam.GetFirstTab(), 0);

    beam.DeleteTab(nCurrent);
    EXPECT_EQ(beam.GetCount(), 5);
    EXPECT_EQ(beam.GetCurSel(), 0);
    EXPECT_EQ(beam.GetFirstTab(), 0);
}

TEST_F(TabBeamTest, ATabDeletesItsObjectOnlyWhenItOwnsIt)
{
    int nDeleted = 0;
    beam.InsertTab(FALSE, "Owned", new CCountedObject(nDeleted), TRUE, 50);
    CCountedObject kept(nDeleted);
    beam.InsertTab(FALSE, "Kept", &kept, FALSE, 50);
    EXPECT_EQ(beam.FindTab(&kept), 1);
    beam.DeleteTab(1);
    EXPECT_EQ(nDeleted, 0);
    beam.DeleteTab(0);
    EXPECT_EQ(nDeleted, 1);
}

TEST_F(TabBeamTest, TheFontsAreTwoPixelsLowerThanTheBeamAndTheCurrentTabsIsBold)
{
    LOGFONTA normal = {};
    LOGFONTA bold = {};
    ASSERT_NE(beam.GetNormalFont(), nullptr);
    ::GetObjectA(beam.GetNormalFont()->GetSafeHandle(), sizeof(normal), &normal);
    ::GetObjectA(beam.GetBoldFont()->GetSafeHandle(), sizeof(bold), &bold);
    EXPECT_EQ(normal.lfHeight, h - 2);
    EXPECT_EQ(normal.lfWeight, FW_NORMAL);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_STREQ(normal.lfFaceName, "Arial");
}

TEST_F(TabBeamTest, AFittedTabIsAsWideAsItsLabelInTheBoldFontPlusTheSlant)
{
    beam.InsertTab(FALSE, "Drainage layer", nullptr, FALSE, -1);
    HDC hDC = ::GetDC(beam.m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, beam.GetBoldFont()->GetSafeHandle());
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, "Drainage layer", 14, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(beam.m_hWnd, hDC);
    EXPECT_EQ(beam.GetTabInfo(0).nWidth, size.cx + beam.m_nSlant);
}

TEST(TabBeamClass, AWindowOfTheClassMakesItsOwnBeamAndDeletesItWithTheWindow)
{
    GXStartLibrary();
    HWND hWnd = ::CreateWindowExA(0, "CGXTabBeam", "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(hWnd, nullptr);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    ASSERT_NE(pWnd, nullptr);
    EXPECT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(CGXTabBeam)));
    EXPECT_NE(static_cast<CGXTabBeam*>(pWnd)->GetNormalFont(), nullptr);
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}
} // namespace
