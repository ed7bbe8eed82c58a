// The data watcher: conditions and the marks they leave, the display it follows, and the limit lines the
// display draws for it across its plot.
#include "chart/model/DataWatcher.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {
// Counts what the hooks were told.
class CCountingWatcher : public QVGDataWatcher
{
public:
    int holds = 0;
    int broken = 0;
    std::vector<CPoint> marked;   // (index, group)
    void OnConditionHolds() override { ++holds; }
    void OnConditionBroken() override { ++broken; }
    void OnItemMarked(int nIndex, int nGroup) override { marked.push_back(CPoint(nIndex, nGroup)); }
};

int Highlight(QVGraph& chart, int nIndex, int nGroup)
{
    return (chart.FindItem(nIndex, nGroup)->GetStyle()->m_nFlags >> 8) & 0xF;
}

// The indexes of group 0 whose items carry the watcher's mark.
std::set<int> MarkedIndexes(QVGraph& chart)
{
    std::set<int> marked;
    for (int index = 0; index < chart.GetGroupSize(0); ++index)
        if (Highlight(chart, index, 0) == QVGDataWatcher::markHighlight)
            marked.insert(index);
    return marked;
}

// A scatter chart of one series, x 0..4 and y 0..20, in a 400 by 300 chart.
QVGraphDisplay* AddScatter(QVGraph& chart, int nAxisStyle)
{
    for (int i = 0; i < 5; ++i) {
        chart.SetValue(i, 0, i);
        chart.SetValue(i, 1, 5.0 * i);
    }
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 400, 300));
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(nAxisStyle);
    chart.AddComponent(pDisplay);
    return pDisplay;
}
}  // namespace

struct WatcherCase
{
    int condition;
    std::set<int> marked;   // indexes of the values 5, 12, 10
    int result;
};

class WatcherCondition : public ::testing::TestWithParam<WatcherCase>
{
};

TEST_P(WatcherCondition, MarksTheItemsThatBreakItAndTellsWhetherItHolds)
{
    const WatcherCase c = GetParam();
    QVGraph chart;
    const double values[] = {5, 12, 10};
    for (int i = 0; i < 3; ++i)
        chart.SetValue(i, 0, values[i]);
    CCountingWatcher* pWatcher = new CCountingWatcher;
    pWatcher->SetUpperLimit(10);
    pWatcher->SetLowerLimit(0);
    pWatcher->SetCondition(c.condition);
    chart.AddComponent(pWatcher);
    // A mark left by an earlier evaluation goes when the item no longer breaks the condition.
    chart.FindItem(0, 0)->GetStyle()->m_nFlags |= 0x300;

    EXPECT_EQ(c.result, pWatcher->Evaluate());
    const bool itemCondition = c.condition == 0 || c.condition == 1 || c.condition == 4 || c.condition == 5;
    if (itemCondition) {
        EXPECT_EQ(c.marked, MarkedIndexes(chart));
    }
    EXPECT_EQ(c.marked.size(), pWatcher->marked.size());
    EXPECT_EQ(c.result == 1 ? 1 : 0, pWatcher->holds);
    EXPECT_EQ(c.result == 0 ? 1 : 0, pWatcher->broken);
}

// Upper limit 10, lower limit 0, values 5, 12 and 10 (mean 9).
INSTANTIATE_TEST_SUITE_P(Cases, WatcherCondition,
                         ::testing::Values(WatcherCase{0, {1, 2}, 0},   // at or above the upper limit
                                           WatcherCase{1, {}, 1},       // at or below the lower limit
                                           WatcherCase{4, {0}, 0},      // strictly inside the band
                                           WatcherCase{5, {1, 2}, 0},   // on or outside the band
                                           WatcherCase{2, {}, 1},       // the mean is not at the upper limit
                                           WatcherCase{3, {}, 1},
                                           WatcherCase{6, {}, 0},       // the mean is not outside the band
                                           WatcherCase{7, {}, 1},
                                           WatcherCase{9, {}, 1}));     // unknown conditions hold

TEST(DataWatcher, MeanConditionsHoldWhenThereIsNothingToWatch)
{
    QVGraph chart;
    QVGDataWatcher* pWatcher = new QVGDataWatcher;
    pWatcher->SetLowerLimit(1);
    pWatcher->SetUpperLimit(2);
    chart.AddComponent(pWatcher);
    for (int condition : {2, 3, 6, 7}) {
        pWatcher->SetCondition(condition);
        EXPECT_EQ(1, pWatcher->Evaluate()) << condition;
    }
}

TEST(DataWatcher, FollowsTheGroupsOfTheDisplayAfterIt)
{
    QVGraph chart;
    for (int group = 0; group < 3; ++group)
        chart.SetValue(0, group, 50.0);
    QVGDataWatcher* pWatcher = new QVGDataWatcher;
    pWatcher->SetUpperLimit(10);
    pWatcher->SetFollowDisplay(TRUE);
    chart.AddComponent(pWatcher);
    chart.AddComponent(new QVGDataWatcher);     // watchers between do not end the walk
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetDataRange(-1, -1, 1, 1);
    chart.AddComponent(pDisplay);

    EXPECT_EQ(0, pWatcher->Evaluate());
    EXPECT_EQ(0, Highlight(chart, 0, 0));
    EXPECT_EQ(QVGDataWatcher::markHighlight, Highlight(chart, 0, 1));
    EXPECT_EQ(0, Highlight(chart, 0, 2));
    // Not following, it watches every group.
    pWatcher->SetFollowDisplay(FALSE);
    pWatcher->SetDataRange(-1, -1, -1, -1);
    pWatcher->Evaluate();
    EXPECT_EQ(QVGDataWatcher::markHighlight, Highlight(chart, 0, 0));
    EXPECT_EQ(QVGDataWatcher::markHighlight, Highlight(chart, 0, 2));
}

TEST(DataWatcher, NewWatcherMarksNothingAndDrawsNoLine)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    QVGDataWatcher* pWatcher = new QVGDataWatcher;
    chart.AddComponent(pWatcher);
    AddScatter(chart, 15);
    chart.Draw(&canvas.dc, nullptr);
    // The limit 1e+80 is never reached and lies far off the scale, without overflowing a coordinate.
    for (int group = 0; group < 2; ++group)
        for (int index = 0; index < 5; ++index)
            EXPECT_EQ(0, Highlight(chart, index, group));
    EXPECT_TRUE(pWatcher->GetLimitPoints().IsEmpty());
    EXPECT_EQ(0, pWatcher->IsDrawContent());   // the display drew it and handed drawing back
}

TEST(DataWatcher, DisplayDrawsTheLimitAcrossItsPlot)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    QVGDataWatcher* pWatcher = new QVGDataWatcher;
    pWatcher->SetUpperLimit(15);
    pWatcher->SetMajorColour(RGB(0xFF, 0, 0xFF));
    chart.AddComponent(pWatcher);
    QVGraphDisplay* pDisplay = AddScatter(chart, 15);
    chart.Draw(&canvas.dc, nullptr);
    canvas.SaveBmp("chart_data_watcher.bmp");

    const CRect plot = pDisplay->GetPlotRect();
    const CScale range = pWatcher->m_valueDataRange;
    EXPECT_DOUBLE_EQ(pDisplay->ValueDataRange().m_dMax, range.m_dMax);
    ASSERT_EQ(1, pWatcher->GetLimitPoints().GetCount());
    const CPoint point = pWatcher->GetLimitPoints().GetHead();
    const int y = plot.bottom - int(double(plot.Height()) / range.GetRange() * (15 - range.m_dMin) + 0.5);
    EXPECT_EQ(CPoint(plot.left, y), point);
    // One line across the plot; the watcher took the display's axis style and graph type.
    EXPECT_EQ(RGB(0xFF, 0, 0xFF), canvas.Pixel(plot.left + 1, y));
    EXPECT_EQ(RGB(0xFF, 0, 0xFF), canvas.Pixel(plot.right - 1, y));
    EXPECT_EQ(15, pWatcher->GetStyle()->GetAxisStyle());
    EXPECT_EQ(21, pWatcher->GetStyle()->GetGraphType());
    // The items at or above 15 are marked.
    EXPECT_EQ(QVGDataWatcher::markHighlight, Highlight(chart, 3, 1));
    EXPECT_EQ(0, Highlight(chart, 2, 1));
}

TEST(DataWatcher, AxisStylesWithoutAValueAxisDrawNoWatchers)
{
    struct Case
    {
        int axisStyle;
        bool drawn;
    };
    for (const Case& c : {Case{0, false}, Case{9, false}, Case{3, true}, Case{8, true}, Case{15, true}}) {
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
        QVGDataWatcher* pWatcher = new QVGDataWatcher;
        pWatcher->SetUpperLimit(15);
        chart.AddComponent(pWatcher);
        AddScatter(chart, c.axisStyle);
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(c.drawn ? 1 : 0, int(pWatcher->GetLimitPoints().GetCount())) << c.axisStyle;
    }
}

TEST(DataWatcher, LimitsFarBeyondTheDataWatchOnlyTheItemsThere)
{
    // Limits an archive brought: the walk ends with the last group that holds data.
    QVGraph chart;
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < 3; ++i)
            chart.SetValue(i, g, 5.0);
    CCountingWatcher* pWatcher = new CCountingWatcher;
    chart.AddComponent(pWatcher);
    pWatcher->SetDataRange(-7, 2000000000, -3, 2000000000);
    pWatcher->SetCondition(QVGDataWatcher::conditionBelowLower);
    pWatcher->SetLowerLimit(10.0);
    EXPECT_EQ(0, pWatcher->Evaluate());
    EXPECT_EQ(6u, pWatcher->marked.size());
}

TEST(DataWatcher, ArchiveKeepsLimitsAndCondition)
{
    QVGDataWatcher source;
    source.SetFollowDisplay(TRUE);
    source.SetUpperLimit(12.5);
    source.SetLowerLimit(-3);
    source.SetCondition(QVGDataWatcher::conditionOutsideBand);
    source.SetMajorColour(RGB(1, 2, 3));
    QVGDataWatcher target;
    RoundTrip(source, target);
    EXPECT_EQ(1, target.GetFollowDisplay());
    EXPECT_DOUBLE_EQ(12.5, target.GetUpperLimit());
    EXPECT_DOUBLE_EQ(-3.0, target.GetLowerLimit());
    EXPECT_EQ(QVGDataWatcher::conditionOutsideBand, target.GetCondition());
    EXPECT_EQ(RGB(1, 2, 3), target.GetMajorColour());
}
