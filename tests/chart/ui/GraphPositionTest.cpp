// Hit positions: which displays a point hits (with the 20-pixel margin) and what each resolution
// procedure makes of the point, on linear and logarithmic axes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "chart/model/Graph.h"
#include "chart/model/GraphDisplay.h"
#include "chart/ui/GraphPosition.h"

namespace {

// Five indices in four groups; the display's plot rectangle is 200 x 100 at (100, 100).
const CRect kPlot(100, 100, 300, 200);

QVGraphDisplay* AddDisplay(QVGraph& chart, int nGraphType, const CRect& plot = kPlot)
{
    auto* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(nGraphType);
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    chart.AddComponent(pDisplay);
    return pDisplay;
}

void FillChart(QVGraph& chart)
{
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < 5; ++i)
            chart.SetValue(i, g, 1.0 + i + 10 * g);
}

CScale Range(double low, double high)
{
    CScale range;
    range.Include(low);
    range.Include(high);
    return range;
}

// What a position made of a point holds; NaN and -1 stand for "not resolved".
struct Expected
{
    int mode;
    double value1;
    double value2;
    int index;
    int group;
};

std::string Describe(QVGraphPosition& position)
{
    return "mode " + std::to_string(position.CoordinateMode()) + ", value 1 " +
           (position.IsValue1Valid() ? std::to_string(position.GetValue1()) : "-") + ", value 2 " +
           (position.IsValue2Valid() ? std::to_string(position.GetValue2()) : "-") + ", index " +
           (position.IsIndexValid() ? std::to_string(position.GetIndex()) : "-") + ", group " +
           (position.IsGroupValid() ? std::to_string(position.GetGroup()) : "-");
}

void ExpectPosition(QVGraphPosition& position, const Expected& expected)
{
    SCOPED_TRACE(Describe(position));
    EXPECT_EQ(QVGraphPosition::hitOne, position.HitKind());
    EXPECT_EQ(expected.mode, position.CoordinateMode());
    EXPECT_EQ(!std::isnan(expected.value1), bool(position.IsValue1Valid()));
    if (!std::isnan(expected.value1)) {
        EXPECT_NEAR(expected.value1, position.GetValue1(), 1e-9 * std::max(1.0, std::fabs(expected.value1)));
    }
    EXPECT_EQ(!std::isnan(expected.value2), bool(position.IsValue2Valid()));
    if (!std::isnan(expected.value2)) {
        EXPECT_NEAR(expected.value2, position.GetValue2(), 1e-9 * std::max(1.0, std::fabs(expected.value2)));
    }
    EXPECT_EQ(expected.index >= 0, bool(position.IsIndexValid()));
    if (expected.index >= 0) {
        EXPECT_EQ(expected.index, position.GetIndex());
    }
    EXPECT_EQ(expected.group >= 0, bool(position.IsGroupValid()));
    if (expected.group >= 0) {
        EXPECT_EQ(expected.group, position.GetGroup());
    }
}

const double kNone = std::nan("");

} // namespace

TEST(GraphPosition, EveryProcedureResolvesThePointInItsDisplay)
{
    // The value range 0 .. 10 and the index range 0 .. 4 (decades 1 .. 1000 and 1 .. 100 when logarithmic).
    struct Case
    {
        const char* name;
        int nGraphType;
        int nAxisStyle;
        bool bLogValues;      // option bit 27
        bool bLogIndex;       // axis option bit 31 (the "-EX" scatter forms)
        CPoint point;
        Expected expected;
    };
    const Case cases[] = {
        // Index slots of 40 across, value from the bottom.
        {"column", 1, 2, false, false, {150, 150}, {0, 5.0, kNone, 1, -1}},
        {"column at the right edge", 6, 2, false, false, {299, 110}, {0, 9.0, kNone, 4, -1}},
        {"column, index only", 14, 2, false, false, {150, 150}, {0, kNone, kNone, 1, -1}},
        // Slot 1, 10 pixels in: groups are 10 wide within the slot.
        {"grouped column", 3, 2, false, false, {150, 150}, {0, 5.0, kNone, 1, 1}},
        // Slots of 20 from the bottom, groups of 5 within; the value runs across.
        {"bar", 2, 10, false, false, {150, 150}, {1, 2.5, kNone, 2, 2}},
        {"horizontal stacked", 12, 10, false, false, {150, 150}, {1, 2.5, kNone, 2, -1}},
        {"index only, horizontal", 38, 10, false, false, {150, 150}, {1, kNone, kNone, 2, -1}},
        {"group only", 39, 2, false, false, {150, 150}, {0, kNone, kNone, -1, 1}},
        {"group only, horizontal", 40, 10, false, false, {150, 150}, {1, kNone, kNone, -1, 2}},
        {"scatter", 21, 15, false, false, {150, 150}, {2, 5.0, 1.0, -1, -1}},
        {"scatter, both axes logarithmic", 21, 15, true, false, {150, 150}, {2, std::pow(10.0, 1.5), std::pow(10.0, 0.5), -1, -1}},
        {"scatter EX, only X logarithmic", 34, 15, false, true, {150, 150}, {2, 5.0, std::pow(10.0, 0.5), -1, -1}},
        {"bubble", 41, 15, false, false, {250, 125}, {2, 7.5, 3.0, -1, -1}},
        // Centre (200, 150), radius 40: a point 20 above the centre, then 20 right of it.
        {"web, first spoke", 18, 14, false, false, {200, 130}, {3, 5.0, kNone, 0, -1}},
        {"web, right of the centre", 23, 14, false, false, {220, 150}, {3, 5.0, kNone, 1, -1}},
        // Degrees from the top, with the conversion factor the polar charts have always used.
        {"polar, up", 26, 17, false, false, {200, 130}, {4, 5.0, 90 - 1.5707963267948966 * 57.295780490442965, -1, -1}},
        {"polar, right", 27, 17, false, false, {220, 150}, {4, 5.0, 90.0, -1, -1}},
        {"polar, logarithmic", 26, 17, true, false, {220, 150}, {4, std::pow(10.0, 1.5), 90.0, -1, -1}},
        // Two pairs of groups: rows of 50 from the bottom.
        {"Gantt", 30, 24, false, false, {150, 120}, {1, 2.5, kNone, -1, 2}},
        {"none", 4, 9, false, false, {150, 150}, {0, kNone, kNone, -1, -1}},
        {"unknown type", 51, 2, false, false, {150, 150}, {0, kNone, kNone, -1, -1}},
        // Classic 3D: the data plane loses the depth of 10 on the right and at the top (190 x 90).
        {"column on a 3D axis style", 1, 11, false, false, {150, 150}, {0, 50.0 / 9.0, kNone, 1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QVGraph chart;
        FillChart(chart);
        QVGraphDisplay* pDisplay = AddDisplay(chart, c.nGraphType);
        pDisplay->SetAxisStyle(c.nAxisStyle);
        pDisplay->SetOption(QVGDisplayBase::optionLogValues, c.bLogValues);
        pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, c.bLogIndex);
        pDisplay->SetDrawnValueAxisRange(c.bLogValues ? Range(1, 1000) : Range(0, 10));
        pDisplay->SetDrawnIndexAxisRange(c.bLogValues || c.bLogIndex ? Range(1, 100) : Range(0, 4));
        QVGraphPosition position(&chart, c.point.x, c.point.y, nullptr);
        ExpectPosition(position, c.expected);
    }
}

TEST(GraphPosition, DataCoordinatesCountFromTheDisplaysFirstIndexAndGroup)
{
    QVGraph chart;
    FillChart(chart);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 3);
    pDisplay->SetDataRange(1, 4, 2, 3);   // four indices from 1, two groups from 2
    pDisplay->SetDrawnValueAxisRange(Range(0, 10));
    // Slots of 50; the second slot's right half is the second group.
    QVGraphPosition position(&chart, 190, 150, nullptr);
    EXPECT_EQ(2, position.GetIndex());
    EXPECT_EQ(3, position.GetGroup());
}

TEST(GraphPosition, APointWithinTwentyPixelsOfThePlotStillHitsTheDisplay)
{
    QVGraph chart;
    FillChart(chart);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21);
    pDisplay->SetDrawnValueAxisRange(Range(0, 10));
    pDisplay->SetDrawnIndexAxisRange(Range(0, 4));
    const struct
    {
        CPoint point;
        int kind;
    } cases[] = {
        {{85, 150}, QVGraphPosition::hitOne},     {{81, 150}, QVGraphPosition::hitOne},
        {{79, 150}, QVGraphPosition::hitNothing}, {{200, 219}, QVGraphPosition::hitOne},
        {{200, 221}, QVGraphPosition::hitNothing}, {{319, 81}, QVGraphPosition::hitOne},
    };
    for (const auto& c : cases) {
        QVGraphPosition position(&chart, c.point.x, c.point.y, nullptr);
        EXPECT_EQ(c.kind, position.HitKind()) << c.point.x << ", " << c.point.y;
    }
    // In the margin the values run on beyond the range.
    QVGraphPosition left(&chart, 90, 150, nullptr);
    EXPECT_NEAR(-0.2, left.GetValue2(), 1e-12);
}

TEST(GraphPosition, OverlappingDisplaysMakeAListAndEachResolvesInItsOwn)
{
    QVGraph chart;
    FillChart(chart);
    QVGraphDisplay* pFirst = AddDisplay(chart, 21);
    pFirst->SetDrawnValueAxisRange(Range(0, 10));
    pFirst->SetDrawnIndexAxisRange(Range(0, 4));
    QVGraphDisplay* pSecond = AddDisplay(chart, 21, CRect(150, 100, 350, 300));
    pSecond->SetDrawnValueAxisRange(Range(0, 100));
    pSecond->SetDrawnIndexAxisRange(Range(0, 40));
    QVGraphDisplay* pNeverDrawn = AddDisplay(chart, 21, CRect(0, 0, 0, 0));
    (void)pNeverDrawn;

    QVGraphPosition position(&chart, 200, 200, nullptr);
    ASSERT_EQ(QVGraphPosition::hitSeveral, position.HitKind());
    ASSERT_EQ(2, position.GetDisplayCount());
    // Until a display is asked for, the values are those of the first display hit.
    EXPECT_NEAR(0.0, position.GetValue1(), 1e-12);
    EXPECT_EQ(pSecond, position.Display(1));
    EXPECT_NEAR(50.0, position.GetValue1(), 1e-12);
    EXPECT_NEAR(10.0, position.GetValue2(), 1e-12);
    EXPECT_EQ(pFirst, position.Display(0));
    EXPECT_NEAR(2.0, position.GetValue2(), 1e-12);
    EXPECT_EQ(nullptr, position.Display(2));

    // Setting the kind keeps the other bits of the flags word.
    const int flags = position.GetFlags();
    position.SetKind(QVGraphPosition::hitOne);
    EXPECT_EQ((flags & ~QVGraphPosition::kindMask) | QVGraphPosition::hitOne, position.GetFlags());
}
