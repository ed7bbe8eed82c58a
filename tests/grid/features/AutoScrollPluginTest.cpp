// The autoscroll plug-in on the host's grid: a press held outside the scrolled area scrolls ever
// sooner and then faster; a held key repeats until another key. The pointer is the real cursor and
// the steps come from a clock the test moves.
#include "tests/grid/features/GestureTestSupport.h"

#include "grid/features/GridAutoScrollPlugin.h"

namespace
{
class AutoScrollPluginTest : public GestureTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartGestureHost(200, 6)); }

    CGXAutoScrollPlugin& Plugin() { return *static_cast<CGXAutoScrollPlugin*>(Grid().m_pAutoScrollPlugin); }

    // The cursor at a point of the grid window, given in its client coordinates.
    void PointerAt(CPoint point)
    {
        ::ClientToScreen(GridHwnd(), &point);
        ::SetCursorPos(point.x, point.y);
    }
    CPoint Below(int nDistance)
    {
        return CPoint(Center(2, 2).x, Grid().GetGridRect().bottom + nDistance);
    }
    void Tick()
    {
        clock.now += 100;
        ::SendMessageA(GridHwnd(), WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    }
};

TEST_F(AutoScrollPluginTest, APointerHeldBelowShortensTheIntervalThenRaisesTheSpeed)
{
    ASSERT_NE(Grid().m_pAutoScrollPlugin, nullptr);
    PointerAt(Below(50));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Center(2, 2));
    ASSERT_TRUE(Grid().IsAutoScrollActive());

    std::vector<int> intervals;
    for (int i = 0; i < 16; ++i)
    {
        Tick();
        intervals.push_back(Plugin().GetInterval());
    }
    EXPECT_EQ(intervals, (std::vector<int>{75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}));
    EXPECT_EQ(Plugin().GetSpeed(), 1);
    EXPECT_GT(Grid().GetTopRow(), 16u);

    std::vector<int> speeds;
    for (int i = 0; i < 40; ++i)
    {
        Tick();
        speeds.push_back(Plugin().GetSpeed());
    }
    std::vector<int> expected;
    for (int nSpeed = 3; nSpeed < 80; nSpeed += 2)
        expected.push_back(nSpeed);
    expected.push_back(80);
    EXPECT_EQ(speeds, expected);
    EXPECT_EQ(Plugin().GetInterval(), 0);

    // Back nearer: slow again.
    PointerAt(Below(30));
    Tick();
    EXPECT_EQ(Plugin().GetInterval(), 80);
    EXPECT_EQ(Plugin().GetSpeed(), 1);

    Post(WM_LBUTTONUP, 0, Below(30));
    EXPECT_FALSE(Grid().IsAutoScrollActive());
}

TEST_F(AutoScrollPluginTest, APressInAFrozenRowScrollsNoRows)
{
    Grid().SetFrozenRows(2);
    const ROWCOL nTop = Grid().GetTopRow();
    PointerAt(Below(50));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Center(1, 2));
    EXPECT_FALSE(Grid().GetAutoScrollRows());
    EXPECT_TRUE(Grid().GetAutoScrollCols());
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(Grid().GetTopRow(), nTop);
    Post(WM_LBUTTONUP, 0, Below(50));

    Post(WM_LBUTTONDOWN, MK_LBUTTON, Center(5, 2));
    EXPECT_TRUE(Grid().GetAutoScrollRows());
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_GT(Grid().GetTopRow(), nTop);
    Post(WM_LBUTTONUP, 0, Below(50));
}

TEST_F(AutoScrollPluginTest, AHeldScrollBarArrowScrollsOnOnceItsStepsAreQuickEnough)
{
    Command(ID_GRIDHOST_SCROLLBARAUTOSCROLL);
    ::SendMessageA(GridHwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(Grid().GetTopRow(), 2u);
    EXPECT_EQ(Grid().GetArrowDirection(), GX_DOWN);
    // Each step is a millisecond sooner; below 40 milliseconds they scroll.
    for (int i = 0; i < 41; ++i)
        Tick();
    EXPECT_EQ(Plugin().GetInterval(), 39);
    EXPECT_EQ(Grid().GetTopRow(), 2u);
    Tick();
    Tick();
    EXPECT_EQ(Grid().GetTopRow(), 4u);
    ::SendMessageA(GridHwnd(), WM_VSCROLL, SB_ENDSCROLL, 0);
    Tick();
    EXPECT_FALSE(Grid().IsAutoScrollActive());
    EXPECT_EQ(Grid().GetTopRow(), 4u);
}

TEST_F(AutoScrollPluginTest, TheRepeatedKeyKeepsItsRepeatAndEscapeStopsIt)
{
    Command(ID_GRIDHOST_KEYAUTOSCROLL);
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    Key(VK_DOWN);
    ASSERT_TRUE(Grid().IsKeyRepeat());
    EXPECT_EQ(Grid().GetRepeatedKey(), static_cast<UINT>(VK_DOWN));
    Key(VK_DOWN);
    EXPECT_TRUE(Grid().IsKeyRepeat());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid().IsKeyRepeat());
    EXPECT_FALSE(Grid().IsAutoScrollActive());

    // Another key stops it too.
    Key(VK_DOWN);
    ASSERT_TRUE(Grid().IsKeyRepeat());
    Key(VK_RIGHT);
    EXPECT_NE(Grid().GetRepeatedKey(), static_cast<UINT>(VK_DOWN));
}
} // namespace
