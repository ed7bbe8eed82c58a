// The value tip: its size for one or more lines, where it opens against the desktop's edges, its
// colours, and when it hides.
#include <gtest/gtest.h>

#include "ChartViewTestSupport.h"
#include "chart/ui/GraphTip.h"
#include "framework/win/Dc.h"
#include "tests/framework/WinTestSupport.h"

TEST(GraphTip, OpensRightAndAboveUnlessAnEdgeIsNear)
{
    const CRect desktop(0, 0, 800, 600);
    const CSize size(50, 20);
    const struct
    {
        const char* name;
        CPoint anchor;
        CRect expected;
    } cases[] = {
        {"in the open", {100, 100}, {100, 75, 150, 95}},
        {"reaching the right edge", {750, 100}, {700, 75, 750, 95}},
        {"one short of it", {749, 100}, {749, 75, 799, 95}},
        {"near the top", {100, 25}, {100, 50, 150, 70}},
        {"just low enough", {100, 26}, {100, 1, 150, 21}},
        {"top right corner", {790, 3}, {740, 28, 790, 48}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, QVGraphTip::PlaceTip(c.anchor, size, desktop)) << c.name;
}

TEST(GraphTip, EveryLineTakesOneLineHeightAndTheWidestLineSetsTheWidth)
{
    const CSize one = QVGraphTip::MeasureText("Index=3 Group=1 Value=12.50");
    const CSize two = QVGraphTip::MeasureText("Drag\nIndex=3 Group=1 Value=12.50");
    const CSize three = QVGraphTip::MeasureText("a\nb\nc");
    const int frameHeight = 4 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(one.cx, two.cx);
    EXPECT_EQ(2 * (one.cy - frameHeight) + frameHeight, two.cy);
    EXPECT_EQ(3 * (one.cy - frameHeight) + frameHeight, three.cy);
    // An empty text still has a little room.
    EXPECT_EQ(4 + 4 * ::GetSystemMetrics(SM_CXBORDER), QVGraphTip::MeasureText("").cx);
}

class GraphTipWindow : public ChartViewTest
{
protected:
    QVGraphTip tip;
    CRect desktop;

    void SetUp() override
    {
        ChartViewTest::SetUp();
        ::GetClientRect(::GetDesktopWindow(), &desktop);
    }
    CRect TipRect()
    {
        CRect rect;
        tip.GetWindowRect(&rect);
        return rect;
    }
};

TEST_F(GraphTipWindow, NearTheDesktopsRightEdgeItOpensLeftAndAtTheTopBelow)
{
    const char* text = "Index=3 Group=1 Value=12.50";
    const CSize size = QVGraphTip::MeasureText(text);
    const int x = desktop.right - size.cx / 2;
    tip.Show(text, x, 300, pView);
    ASSERT_TRUE(tip.IsShown());
    EXPECT_EQ(CRect(x - size.cx, 300 - 5 - size.cy, x, 300 - 5), TipRect());

    tip.Show(text, 200, 3, pView);
    EXPECT_EQ(CRect(200, 3 + 5 + size.cy, 200 + size.cx, 3 + 5 + 2 * size.cy), TipRect());
    EXPECT_TRUE(::IsWindowVisible(tip.m_hWnd));
    EXPECT_EQ(pView->GetTopLevelParent()->m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
}

TEST_F(GraphTipWindow, PaintsItsTextOnPaleYellowInABlackFrame)
{
    tip.SetDelay(0);
    tip.Show("W\nW", 300, 300, pView);
    const CRect rect = TipRect();
    CWindowDC dc(&tip);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(rect.Width() - 1, rect.Height() / 2));
    EXPECT_EQ(RGB(255, 255, 223), dc.GetPixel(2, rect.Height() - 2));
    // Each line's text is centred: dark pixels in the middle of both halves.
    auto darkIn = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 1; x < rect.Width() - 1; ++x)
                if (GetRValue(dc.GetPixel(x, y)) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(darkIn(1, rect.Height() / 2));
    EXPECT_TRUE(darkIn(rect.Height() / 2, rect.Height() - 1));
}

TEST_F(GraphTipWindow, HidesOnItsTimerOrAMouseMoveUnlessTheDelayIsNone)
{
    tip.Show("tip", 300, 300, pView);
    EXPECT_EQ(5000, tip.GetDelay());
    tip.SendMessage(WM_TIMER, QVGraphTip::hideTimerId);
    EXPECT_FALSE(tip.IsShown());
    EXPECT_FALSE(::IsWindowVisible(tip.m_hWnd));

    tip.Show("tip", 300, 300, pView);
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(tip.IsShown());

    // Without a delay no timer runs: the tip stays until it is hidden.
    tip.SetDelay(0);
    tip.Show("tip", 300, 300, pView);
    EXPECT_FALSE(::KillTimer(tip.m_hWnd, QVGraphTip::hideTimerId));
    tip.SetDelay(5000);
    tip.Show("tip", 300, 300, pView);
    EXPECT_TRUE(::KillTimer(tip.m_hWnd, QVGraphTip::hideTimerId));
    EXPECT_TRUE(tip.IsShown());
}

TEST_F(GraphTipWindow, FormattedTextsFollowPrintfRules)
{
    tip.ShowFormatted(300, 300, pView, "Index=%d Group=%d Value=%.2f", 3, 1, 12.5);
    EXPECT_STREQ("Index=3 Group=1 Value=12.50", tip.GetText());
    tip.ShowFormatted(300, 300, pView->m_hWnd, "%s", std::string(2000, 'x').c_str());
    EXPECT_EQ(1023, tip.GetText().GetLength());
}
