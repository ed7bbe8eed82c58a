// Rounded axis ranges of the display base: linear, logarithmic and date ranges, and data preparation.
#include "chart/model/Graph.h"
#include "chart/model/GraphDisplay.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {
CScale Range(double low, double high)
{
    CScale range;
    range.Include(low);
    range.Include(high);
    return range;
}

// A date of 1 January 2010 at the given time of day.
double At(int hours, int minutes, int seconds)
{
    return 40179.0 + (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}
}  // namespace

struct LinearCase
{
    double low, high, margin, expectedLow, expectedHigh;
};

class NiceLinearRange : public ::testing::TestWithParam<LinearCase>
{
};

TEST_P(NiceLinearRange, WidensAndRounds)
{
    QVGraphDisplay display;
    CScale range = Range(GetParam().low, GetParam().high);
    display.NiceLinearRange(range, GetParam().margin);
    EXPECT_NEAR(GetParam().expectedLow, range.m_dMin, 1e-12);
    EXPECT_NEAR(GetParam().expectedHigh, range.m_dMax, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, NiceLinearRange,
                         ::testing::Values(LinearCase{0.0, 5.05, 1.1, 0.0, 6.0},    // all values 5.0, zero added
                                           LinearCase{0.0, 1.0, 1.1, 0.0, 1.05},    // three steps of 0.35
                                           LinearCase{0.0, 1.0, 1.0, 0.0, 1.0},
                                           LinearCase{-3.2, 7.9, 1.0, -3.5, 8.0},
                                           LinearCase{2.0, 2.0, 1.1, 2.0, 2.0}));  // no width: unchanged

struct LogCase
{
    double low, high;
    BOOL whole;
    double expectedLow, expectedHigh;
};

class NiceLogRange : public ::testing::TestWithParam<LogCase>
{
};

TEST_P(NiceLogRange, RoundsToDecadesOrLeadingDigits)
{
    QVGraphDisplay display;
    CScale range = Range(GetParam().low, GetParam().high);
    display.NiceLogRange(range, GetParam().whole);
    EXPECT_DOUBLE_EQ(GetParam().expectedLow, range.m_dMin);
    EXPECT_DOUBLE_EQ(GetParam().expectedHigh, range.m_dMax);
}

INSTANTIATE_TEST_SUITE_P(Cases, NiceLogRange,
                         ::testing::Values(LogCase{2.0, 7.0, TRUE, 2.0, 7.0},        // span 0.544 in one decade
                                           LogCase{2.0, 8.0, TRUE, 1.0, 10.0},       // span 0.602
                                           LogCase{1.0, 1000.0, TRUE, 1.0, 1000.0},
                                           LogCase{0.0, 5.0, TRUE, 0.0001, 10.0},   // a minimum of 0
                                           LogCase{0.012, 0.9, FALSE, 0.01, 0.9}));

TEST(NiceDateRange, StartIsTruncatedByTheWidth)
{
    QVGraphDisplay display;
    CScale hours = Range(At(10, 17, 45), At(13, 17, 45));
    display.NiceDateRange(hours, 1.0);
    EXPECT_NEAR(At(10, 17, 0), hours.m_dMin, 1e-9);
    CScale days = Range(At(10, 17, 45), At(10, 17, 45) + 3);
    display.NiceDateRange(days, 1.0);
    EXPECT_NEAR(At(10, 0, 0), days.m_dMin, 1e-9);
    CScale month = Range(At(10, 17, 45), At(10, 17, 45) + 30);
    display.NiceDateRange(month, 1.0);
    EXPECT_NEAR(40179.0, month.m_dMin, 1e-9);
    EXPECT_NEAR(At(10, 17, 45) + 30, month.m_dMax, 1e-9);   // the maximum is not rounded
}

TEST(DisplayBase, ValueUnitOfTheSpan)
{
    QVGraphDisplay display;
    display.m_dValueAxisSpan = 1.5;
    EXPECT_DOUBLE_EQ(0.1, display.GetValueUnit());
    display.m_dValueAxisSpan = 1.0;
    EXPECT_NEAR(0.01, display.GetValueUnit(), 1e-15);
    display.m_dValueAxisSpan = 0.5;
    EXPECT_NEAR(0.001, display.GetValueUnit(), 1e-15);
}

TEST(DisplayBase, LinePlotOfEqualValuesGetsZeroToSix)
{
    QVGraph chart;
    for (int i = 0; i < 4; ++i)
        chart.SetValue(i, 0, 5.0);
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(1);
    chart.AddComponent(pDisplay);
    pDisplay->PrepareDisplay();
    EXPECT_DOUBLE_EQ(0.0, pDisplay->ValueDataRange().m_dMin);
    EXPECT_DOUBLE_EQ(6.0, pDisplay->ValueDataRange().m_dMax);
    EXPECT_TRUE(pDisplay->GetValueAxisRange().IsEmpty());   // a line plot keeps no axis ranges
    EXPECT_EQ(4, pDisplay->m_nIndexCount);
    EXPECT_EQ(1, pDisplay->m_nGroupCount);
}

TEST(DisplayBase, ScatterDataLimitsStridesAndAxisRanges)
{
    QVGraph chart;
    for (int i = 0; i < 3; ++i) {
        chart.SetValue(i, 0, i * 1.0);
        chart.SetValue(i, 1, i * 10.0);
    }
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(21);
    chart.AddComponent(pDisplay);
    pDisplay->PrepareDisplay();
    EXPECT_EQ(2, pDisplay->GetGroupStride());
    EXPECT_EQ(1, pDisplay->GetIndexStride());
    EXPECT_TRUE(pDisplay->IsIndexAxisAutomatic());
    const CScale x = pDisplay->GetIndexAxisRange();
    const CScale y = pDisplay->GetValueAxisRange();
    EXPECT_DOUBLE_EQ(0.0, x.m_dMin);
    EXPECT_NEAR(2.1, x.m_dMax, 1e-12);   // 0..2 with the 1.1 margin: six steps of 0.35
    EXPECT_DOUBLE_EQ(0.0, y.m_dMin);
    EXPECT_DOUBLE_EQ(21.0, y.m_dMax);
}

TEST(DisplayBase, ApplicationAxisRangeStaysAfterDrawingWhileAutomaticOnesAreReset)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    for (int i = 0; i < 3; ++i) {
        chart.SetValue(i, 0, i * 1.0);
        chart.SetValue(i, 1, i * 10.0);
    }
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(15);
    chart.AddComponent(pDisplay);
    pDisplay->SetValueAxisRange(Range(-5.0, 33.0));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_TRUE(pDisplay->GetIndexAxisRange().IsEmpty());
    const CScale y = pDisplay->GetValueAxisRange();
    EXPECT_FALSE(y.IsEmpty());
    EXPECT_DOUBLE_EQ(-5.0, y.m_dMin);   // rounded once more, to whole units
    EXPECT_DOUBLE_EQ(33.0, y.m_dMax);
    EXPECT_NEAR(2.1, pDisplay->GetDrawnIndexAxisRange().m_dMax, 1e-12);
}

TEST(DisplayBase, FillValueLabelsOutsideDrawingRaisesErrorEighteen)
{
    QVGraphDisplay display;
    CStringList labels;
    EXPECT_EQ(18, ChartErrorOf([&] { display.FillValueLabels(1.0, labels); }));
}
