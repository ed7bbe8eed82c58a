// CScrollView in a plain frame: scroll sizes, scrolling by the bars' codes, the viewport origin on
// the screen and on paper.
#include <gtest/gtest.h>

#include "framework/docview/FrameWnd.h"
#include "framework/docview/ScrollView.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

class CTestScrollView : public CScrollView
{
    DECLARE_DYNCREATE(CTestScrollView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(100, 200), CSize(10, 20));
    }
};

IMPLEMENT_DYNCREATE(CTestScrollView, CScrollView)

class ScrollViewTest : public ::testing::Test
{
protected:
    CWinApp app{"Scroll"};
    CFrameWnd* pFrame = nullptr;
    CTestScrollView* pView = nullptr;

    void SetUp() override
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestScrollView);
        pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->Create(nullptr, "Scroll", WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 300), nullptr, nullptr, 0,
                                   &context));
        pFrame->InitialUpdateFrame(nullptr, TRUE);
        PumpPendingMessages();
        pView = dynamic_cast<CTestScrollView*>(pFrame->GetActiveView());
        ASSERT_NE(pView, nullptr);
    }
    void TearDown() override
    {
        if (pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
            pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    CSize ClientSize() const
    {
        CRect client;
        pView->GetClientRect(&client);
        return client.Size();
    }
};

TEST_F(ScrollViewTest, TheBarsScrollByLinesPagesAndToTheEnds)
{
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
    const struct
    {
        UINT nMessage;
        UINT nCode;
        int expected;   // position after the message; -1: the end of the range
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 20}, {WM_VSCROLL, SB_PAGEDOWN, 220}, {WM_VSCROLL, SB_LINEUP, 200},
        {WM_VSCROLL, SB_BOTTOM, -1},   {WM_VSCROLL, SB_LINEDOWN, -1},  {WM_VSCROLL, SB_TOP, 0},
        {WM_VSCROLL, SB_LINEUP, 0},    {WM_HSCROLL, SB_PAGEDOWN, 100}, {WM_HSCROLL, SB_LINEUP, 90},
    };
    for (const auto& step : steps)
    {
        pView->SendMessage(step.nMessage, step.nCode);
        const bool bVertical = step.nMessage == WM_VSCROLL;
        const int nEnd = bVertical ? 2000 - ClientSize().cy : 1000 - ClientSize().cx;
        const CPoint pos = pView->GetScrollPosition();
        EXPECT_EQ(bVertical ? pos.y : pos.x, step.expected == -1 ? nEnd : step.expected)
            << step.nMessage << " " << step.nCode;
    }
}

TEST_F(ScrollViewTest, ThePreparedScreenDCShowsTheScrolledPartButPaperStartsAtTheOrigin)
{
    pView->ScrollToPosition(CPoint(30, 400));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(30, 400));

    CClientDC screen(pView);
    pView->OnPrepareDC(&screen);
    EXPECT_EQ(screen.GetViewportOrg(), CPoint(-30, -400));

    CDC paper;
    ASSERT_TRUE(paper.CreateCompatibleDC(nullptr));
    paper.m_bPrinting = TRUE;
    pView->OnPrepareDC(&paper);
    EXPECT_EQ(paper.GetViewportOrg(), CPoint(0, 0));
}

TEST_F(ScrollViewTest, APositionBeyondTheEndStopsAtTheEnd)
{
    pView->ScrollToPosition(CPoint(5000, -50));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(1000 - ClientSize().cx, 0));
}

TEST_F(ScrollViewTest, SizesInAMappingModeBecomeDeviceSizes)
{
    // A hundredth of an inch per unit: ten inches are about ten times the screen's pixels per inch
    // (the system maps by the screen's physical size, which it rounds to millimetres).
    pView->SetScrollSizes(MM_LOENGLISH, CSize(1000, 500));
    CWindowDC screen(nullptr);
    const int nPixelsX = screen.GetDeviceCaps(LOGPIXELSX);
    const int nPixelsY = screen.GetDeviceCaps(LOGPIXELSY);
    int nMapMode = 0;
    SIZE total = {};
    SIZE page = {};
    SIZE line = {};
    pView->GetDeviceScrollSizes(nMapMode, total, page, line);
    EXPECT_EQ(nMapMode, MM_LOENGLISH);
    EXPECT_NEAR(total.cx, 10 * nPixelsX, nPixelsX / 10);
    EXPECT_NEAR(total.cy, 5 * nPixelsY, nPixelsY / 10);
    EXPECT_EQ(page.cy, total.cy / 10);
    EXPECT_EQ(pView->GetTotalSize(), CSize(1000, 500));
}

TEST_F(ScrollViewTest, AWindowLargerThanTheViewNeedsNoBars)
{
    pView->SetScrollSizes(MM_TEXT, CSize(50, 40));
    EXPECT_FALSE(pView->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(pView->GetStyle() & WS_HSCROLL);
    pView->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
}

} // namespace
