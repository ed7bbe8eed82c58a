// CRectTracker on a real window: Track follows the mouse messages of its capture loop (posted
// before Track runs, so that the loop finds them waiting), moves or resizes m_rect through the
// AdjustRect and OnChangedRect virtuals, and puts the rectangle back when cancelled.
#include "framework/win/RectTracker.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// The wizard preview's tracker style: hatched border, resize handles inside.
const UINT kWizardStyle = CRectTracker::hatchedBorder | CRectTracker::resizeInside;

class RectTracker : public ::testing::Test
{
protected:
    CWnd window;

    void SetUp() override
    {
        ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "Tracker", WS_POPUP | WS_VISIBLE, 30, 30, 320, 320,
                                    nullptr, nullptr));
        PumpPendingMessages();
    }

    void TearDown() override
    {
        window.DestroyWindow();
        PumpPendingMessages();
    }

    void PostMouse(UINT message, int x, int y) { window.PostMessage(message, 0, MAKELPARAM(x, y)); }

    // The left button went down at `from`, the mouse moves to `to` in two steps and comes up there.
    BOOL Drag(CRectTracker& tracker, CPoint from, CPoint to)
    {
        PostMouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2);
        PostMouse(WM_MOUSEMOVE, to.x, to.y);
        PostMouse(WM_LBUTTONUP, to.x, to.y);
        return tracker.Track(&window, from);
    }
};

// Records the virtuals' calls; snaps the rectangle's left side to a grid of 10 when asked.
class RecordingTracker : public CRectTracker
{
public:
    RecordingTracker(LPCRECT lpRect, UINT nStyle) : CRectTracker(lpRect, nStyle) {}

    std::vector<int> adjustedHandles;
    std::vector<CRect> changedFrom;
    std::vector<CRect> changedTo;
    bool snapLeft = false;

    void AdjustRect(int nHandle, LPRECT lpRect) override
    {
        adjustedHandles.push_back(nHandle);
        if (snapLeft)
        {
            const LONG width = lpRect->right - lpRect->left;
            lpRect->left = (lpRect->left + 5) / 10 * 10;
            lpRect->right = lpRect->left + width;
        }
        CRectTracker::AdjustRect(nHandle, lpRect);
    }

    void OnChangedRect(const CRect& rectOld) override
    {
        changedFrom.push_back(rectOld);
        changedTo.push_back(m_rect);
    }
};

TEST_F(RectTracker, DragOfTenPixelsInsideMovesTheRectangleTenPixels)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    EXPECT_TRUE(Drag(tracker, CPoint(100, 90), CPoint(110, 90)));
    EXPECT_EQ(tracker.m_rect, CRect(60, 50, 160, 120));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(RectTracker, HandleMovesOnlyItsOwnSides)
{
    // Handles are 6 pixels inside the corners and in the middle of the sides of (50, 50, 150, 120).
    struct Case
    {
        const char* handle;
        CPoint from;
        CSize move;
        CRect expected;
    };
    const Case cases[] = {
        {"top left", {52, 52}, {10, 5}, {60, 55, 150, 120}},
        {"bottom right", {147, 117}, {-20, 10}, {50, 50, 130, 130}},
        {"right", {147, 85}, {15, 40}, {50, 50, 165, 120}},
        {"top", {100, 52}, {30, -20}, {50, 30, 150, 120}},
        {"bottom left", {52, 117}, {-10, -10}, {40, 50, 150, 110}},
    };
    for (const Case& c : cases)
    {
        CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
        EXPECT_TRUE(Drag(tracker, c.from, c.from + c.move)) << c.handle;
        EXPECT_EQ(tracker.m_rect, c.expected) << c.handle;
    }
}

TEST_F(RectTracker, EscapePutsTheRectangleBackAndAnswersFalse)
{
    RecordingTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    PostMouse(WM_MOUSEMOVE, 130, 100);
    window.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PostMouse(WM_LBUTTONUP, 130, 100);   // after the end of tracking: not the tracker's any more
    EXPECT_FALSE(tracker.Track(&window, CPoint(100, 90)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 150, 120));
    // The moved rectangle was reported, and so was its return.
    ASSERT_EQ(tracker.changedTo.size(), 2u);
    EXPECT_EQ(tracker.changedTo[0], CRect(80, 60, 180, 130));
    EXPECT_EQ(tracker.changedTo[1], CRect(50, 50, 150, 120));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    PumpPendingMessages();
}

TEST_F(RectTracker, ButtonUpWhereItWentDownChangesNothing)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    PostMouse(WM_LBUTTONUP, 100, 90);
    EXPECT_FALSE(tracker.Track(&window, CPoint(100, 90)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 150, 120));
}

TEST_F(RectTracker, AdjustRectShapesEveryRectangleBeforeItIsTaken)
{
    RecordingTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    tracker.snapLeft = true;
    EXPECT_TRUE(Drag(tracker, CPoint(100, 90), CPoint(113, 97)));
    EXPECT_EQ(tracker.m_rect, CRect(60, 57, 160, 127));
    ASSERT_FALSE(tracker.adjustedHandles.empty());
    for (int nHandle : tracker.adjustedHandles)
        EXPECT_EQ(nHandle, CRectTracker::hitMiddle);
    // Each change was reported with the rectangle before it.
    ASSERT_FALSE(tracker.changedFrom.empty());
    EXPECT_EQ(tracker.changedFrom.front(), CRect(50, 50, 150, 120));
    EXPECT_EQ(tracker.changedTo.back(), tracker.m_rect);
}

TEST_F(RectTracker, SideDraggedPastTheOtherStopsAtTheMinimumSize)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    tracker.m_sizeMin = CSize(20, 20);
    EXPECT_TRUE(Drag(tracker, CPoint(147, 85), CPoint(10, 85)));
    EXPECT_EQ(tracker.m_rect, CRect(50, 50, 70, 120));
}

TEST_F(RectTracker, PressOutsideTheTrackerDoesNotTrack)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    EXPECT_FALSE(tracker.Track(&window, CPoint(250, 250)));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(RectTrackerHitTest, HandlesMiddleAndOutside)
{
    CRectTracker tracker(CRect(50, 50, 150, 120), kWizardStyle);
    struct Case
    {
        CPoint point;
        int hit;
    };
    const Case cases[] = {
        {{51, 51}, CRectTracker::hitTopLeft},
        {{149, 51}, CRectTracker::hitTopRight},
        {{149, 119}, CRectTracker::hitBottomRight},
        {{51, 119}, CRectTracker::hitBottomLeft},
        {{100, 51}, CRectTracker::hitTop},
        {{149, 85}, CRectTracker::hitRight},
        {{100, 119}, CRectTracker::hitBottom},
        {{51, 85}, CRectTracker::hitLeft},
        {{100, 85}, CRectTracker::hitMiddle},
        {{47, 85}, CRectTracker::hitMiddle},   // on the hatched border outside the rectangle
        {{30, 85}, CRectTracker::hitNothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << ", " << c.point.y;
}

TEST(RectTrackerHitTest, SmallRectangleKeepsOnlyItsCornerHandles)
{
    CRectTracker tracker(CRect(0, 0, 15, 15), CRectTracker::resizeInside);
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu);
    EXPECT_EQ(tracker.HitTest(CPoint(7, 1)), CRectTracker::hitMiddle);
}

} // namespace
