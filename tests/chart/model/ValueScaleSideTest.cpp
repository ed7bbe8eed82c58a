// The side of the classic frame's value scale: the "on the right" axis styles draw the value scale, its
// labels and its ticks right of the plot area, which makes room on the right instead of the left;
// their left-handed twins keep them on the left. Each pair is drawn side by side.
#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

struct Drawn
{
    CRect plot;             // the plot rectangle the frame left
    CRect labels;           // the value scale's labels
    int inkLeft = 0;        // pixels left of the plot area, beside it
    int inkRight = 0;       // pixels right of it
};

// Vertical bars of five values (dates for the date styles) drawn on a 400 x 300 canvas with the axis style.
Drawn DrawWithAxisStyle(int nAxisStyle, const char* lpszPicture, bool bUpright = false)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    const bool dates = nAxisStyle >= 18;
    for (int i = 0; i < 5; ++i)
        chart.SetValue(i, 0, dates ? 36526.0 + 7.0 * i * i : 10.0 + 15.0 * i);
    auto* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 400, 300));
    pDisplay->SetGraphType(3);
    pDisplay->SetAxisStyle(nAxisStyle);
    pDisplay->GetStyle()->SetFillType(0);
    pDisplay->GetStyle()->SetBorderStyle(0);
    // Dates from 1 January 2000 on, without the day 0 of the calendar.
    pDisplay->SetOption(QVGDisplayBase::optionKeepZeroOut, dates);
    pDisplay->SetOption(QVGDisplayBase::optionSecondLabelsTurned, bUpright);
    chart.AddComponent(pDisplay);
    chart.Draw(&canvas.dc, nullptr);
    canvas.SaveBmp(lpszPicture);

    Drawn drawn;
    drawn.plot = pDisplay->GetPlotRect();
    QVGDecimalScale* pValues = pDisplay->GetSecondScale();
    EXPECT_NE(nullptr, pValues);
    if (pValues != nullptr)
        drawn.labels = pValues->GetLabelBounds();
    // Between the plot's top and bottom only the value scale lies beside it; a row of margin keeps the
    // frame's own lines out.
    for (int y = drawn.plot.top + 2; y < drawn.plot.bottom - 2; ++y) {
        for (int x = 0; x < drawn.plot.left - 1; ++x)
            drawn.inkLeft += canvas.Pixel(x, y) != kWhite;
        for (int x = drawn.plot.right + 2; x < canvas.width; ++x)
            drawn.inkRight += canvas.Pixel(x, y) != kWhite;
    }
    return drawn;
}

struct Pair
{
    const char* name;
    int nLeftStyle;
    int nRightStyle;
    bool bUpright = false;      // the value labels turned a quarter turn
};

class ValueScaleSide : public ::testing::TestWithParam<Pair>
{
};

TEST_P(ValueScaleSide, TheRightHandedStyleDrawsItsValueScaleRightOfThePlotArea)
{
    const Pair& pair = GetParam();
    const Drawn left = DrawWithAxisStyle(pair.nLeftStyle, (std::string("value_scale_left_") + pair.name + ".bmp").c_str(),
                                         pair.bUpright);
    const Drawn right = DrawWithAxisStyle(
        pair.nRightStyle, (std::string("value_scale_right_") + pair.name + ".bmp").c_str(), pair.bUpright);

    // Left-handed: labels and ticks left of the plot area, nothing right of it.
    ASSERT_FALSE(left.labels.IsRectEmpty());
    EXPECT_LE(left.labels.right, left.plot.left);
    EXPECT_GT(left.inkLeft, 40);
    EXPECT_EQ(0, left.inkRight);

    // Right-handed: the same right of the plot area, and none left of it.
    ASSERT_FALSE(right.labels.IsRectEmpty());
    EXPECT_GE(right.labels.left, right.plot.right);
    EXPECT_GT(right.inkRight, 40);
    EXPECT_EQ(0, right.inkLeft);

    // The plot makes room on the right instead of the left.
    EXPECT_LT(right.plot.left, left.plot.left);
    EXPECT_LT(right.plot.right, left.plot.right);
    EXPECT_NEAR(left.plot.Width(), right.plot.Width(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    AxisStyles, ValueScaleSide,
    ::testing::Values(Pair{"classic", 2, 12}, Pair{"classic_3d", 11, 13}, Pair{"classic_dates", 18, 19},
                      Pair{"classic_3d_dates", 20, 21}, Pair{"classic_upright", 2, 12, true}),
    [](const ::testing::TestParamInfo<Pair>& info) { return std::string(info.param.name); });

}  // namespace
