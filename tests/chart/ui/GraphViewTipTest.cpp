// The chart view's hover tip: the timer after a move, the text of the item under the pointer by graph
// type, and moves that change nothing.
#include <gtest/gtest.h>

#include <string>

#include "ChartViewTestSupport.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphFeedback.h"

TEST_F(ChartViewTest, RestingOnAPlottedPointShowsItsValuesWhenTheTimerFires)
{
    QVGraphTip& tip = pView->GetTip();
    const CPoint point = PointOf(2, 0);   // (2.5, 0.125)
    Move(point);
    EXPECT_TRUE(pView->IsHoverTimerRunning());
    EXPECT_FALSE(tip.IsShown());

    pView->SendMessage(WM_TIMER, QVGraphView::hoverTimerId);
    EXPECT_FALSE(pView->IsHoverTimerRunning());
    ASSERT_TRUE(tip.IsShown());
    EXPECT_STREQ(" (2.50, 0.1250) ", tip.GetText());
    CPoint screen = point;
    pView->ClientToScreen(&screen);
    EXPECT_EQ(screen, tip.GetAnchor());

    // The same point again: the timer does not start again and the tip stays.
    Move(point);
    EXPECT_FALSE(pView->IsHoverTimerRunning());
    EXPECT_TRUE(tip.IsShown());

    // Another point hides the tip and starts the timer; away from the curve the timer shows nothing.
    const CPoint away(point.x - 60, point.y - 60);
    Move(away);
    EXPECT_TRUE(pView->IsHoverTimerRunning());
    EXPECT_FALSE(tip.IsShown());
    pView->SendMessage(WM_TIMER, QVGraphView::hoverTimerId);
    EXPECT_FALSE(tip.IsShown());
    EXPECT_EQ(away, pView->GetLastPoint());
}

TEST_F(ChartViewTest, TheTipTextFollowsTheGraphTypeOfTheDisplayThatShowsTheItem)
{
    // Four groups of four items, v(i, g) = 10 g + i + 1.
    QVGraph& chart = Chart();
    chart.RemoveAllData();
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < 4; ++i)
            chart.SetValue(i, g, 10.0 * g + i + 1);
    const struct
    {
        int nGraphType;
        int i;
        int g;
        const char* expected;
    } cases[] = {
        {19, 1, 0, " (2.00, 3.00) "},
        {33, 1, 0, " (2.00, 3.00) "},
        {21, 1, 0, " (2.00, 12.0000) "},
        {41, 1, 0, " (2.00, 12.00), Radius = 22.00 "},
        {42, 1, 0, " (2.00, 12.00), Area = 22.00 "},
        {43, 1, 0, " (2.00, 12.00), Angle = 22.00, Magnitude = 32.00 "},
        {44, 1, 2, "Drag to change direction"},
        {45, 1, 0, " (2.00, 12.00), (22.00, 32.00) "},
        // 12 of 2 + 12 + 22 + 32, and of 11 + 12 + 13 + 14.
        {47, 1, 1, "Index=1 Group=1, 17.65 %"},
        {50, 1, 1, "Index=1 Group=1, 24.00 %"},
        {1, 1, 1, "Index=1 Group=1 Value=12.00"},
        {1, -1, 1, "Index=-1 Group=1 "},
    };
    for (const auto& c : cases) {
        pDisplay->SetGraphType(c.nGraphType);
        QVGraphFeedback record(CPoint(10, 10), 5, c.i, c.g, &chart);
        pView->ShowFeedback(&record);
        EXPECT_STREQ(c.expected, pView->GetTip().GetText()) << c.nGraphType;
    }

    // A share of nothing shows only the place.
    for (int g = 0; g < 4; ++g)
        chart.GetItem(3, g)->SetNull(TRUE);
    pDisplay->SetGraphType(47);
    QVGraphFeedback record(CPoint(10, 10), 5, 3, 0, &chart);
    pView->ShowFeedback(&record);
    EXPECT_STREQ("Index=3 Group=0 ", pView->GetTip().GetText());

    // An item that no display shows gives no tip.
    pView->GetTip().Hide();
    pDisplay->SetDataRange(0, 2, 0, 1);
    QVGraphFeedback outside(CPoint(10, 10), 5, 3, 3, &chart);
    pView->ShowFeedback(&outside);
    EXPECT_FALSE(pView->GetTip().IsShown());
}
