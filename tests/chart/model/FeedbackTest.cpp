// Hit-test records and the chart's search among them.
#include "chart/model/Graph.h"
#include "chart/model/GraphFeedback.h"

#include <gtest/gtest.h>

TEST(Feedback, PointIsHitInsideItsRadiusOnly)
{
    QVGraphFeedback feedback(CPoint(100, 100), 5, 3, 1, nullptr);
    EXPECT_TRUE(feedback.HitTest(104, 96));
    EXPECT_TRUE(feedback.HitTest(100, 100));
    EXPECT_FALSE(feedback.HitTest(105, 100));
    EXPECT_FALSE(feedback.HitTest(100, 95));
    EXPECT_EQ(QVGraphFeedback::point, feedback.GetKind());
}

TEST(Feedback, RectangleAndPolygonRegion)
{
    QVGraphFeedback rect(CRect(10, 10, 20, 20), 0, 0, nullptr);
    EXPECT_TRUE(rect.HitTest(10, 10));
    EXPECT_FALSE(rect.HitTest(20, 15));
    const POINT triangle[3] = {{0, 0}, {40, 0}, {0, 40}};
    QVGraphFeedback polygon(triangle, 3, 0, 0, nullptr);
    EXPECT_EQ(QVGraphFeedback::region, polygon.GetKind());
    EXPECT_TRUE(polygon.HitTest(5, 5));
    EXPECT_FALSE(polygon.HitTest(30, 30));
}

TEST(Feedback, ChartFindsTheLastRecordUnderThePoint)
{
    QVGraph chart;
    chart.AddFeedbackRect(1, 0, CRect(20, 20, 0, 0));     // normalised
    chart.AddFeedbackPoint(10, 10, 2, 7);
    QVGraphFeedback* pFound = chart.FindFeedback(10, 10);
    ASSERT_NE(nullptr, pFound);
    EXPECT_EQ(7, pFound->GetIndex());
    EXPECT_EQ(2, pFound->GetGroup());
    pFound = chart.FindFeedback(18, 18);
    ASSERT_NE(nullptr, pFound);
    EXPECT_EQ(1, pFound->GetIndex());
    EXPECT_EQ(nullptr, chart.FindFeedback(30, 30));
}

TEST(Feedback, NoRecordsWhileFeedbackIsOff)
{
    QVGraph chart;
    chart.SetFeedbackEnabled(FALSE);
    chart.AddFeedbackPoint(10, 10, 0, 0);
    const POINT square[4] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
    chart.AddFeedbackPolygon(square, 4, 0, 0);
    EXPECT_EQ(0, chart.GetFeedbackList()->GetCount());
}
