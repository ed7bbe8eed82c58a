// The line, step and area renderers: where items land, what each graph type draws for them, runs broken
// by null items, thinning of dense lines, the drawing order of areas and where they close, and pictures.
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphTitle.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
const double kNull = std::numeric_limits<double>::quiet_NaN();

// The display maps over the plot rectangle and the value range given, whatever its labels would need.
template <class Display>
void FixPlotAndValues(Display* pDisplay, const CRect& plot, double low, double high)
{
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMin(low);
    pDisplay->SetFixedValueMax(high);
}

int MappedY(const CRect& plot, double low, double high, double value)
{
    return int(plot.bottom - (value - low) * plot.Height() / (high - low) + 0.5);
}

int SpreadX(const CRect& plot, int nCount, int i)
{
    return plot.left + int(i * double(plot.Width()) / std::max(nCount - 1, 1) + 0.5);
}
}  // namespace

TEST(LineRenderer, ItemsSpreadOverTheWidthAndValuesMapUpTheValueAxis)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{0.0, 5.0, 10.0, 2.5}, {7.5, 7.5, 1.0, 0.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 1, 0, CRect(0, 0, 300, 200));
    const CRect plot(20, 10, 260, 170);
    FixPlotAndValues(pDisplay, plot, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);

    const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
    ASSERT_EQ(8u, feedback.size());
    const double values[2][4] = {{0.0, 5.0, 10.0, 2.5}, {7.5, 7.5, 1.0, 0.0}};
    for (size_t k = 0; k < feedback.size(); ++k) {
        const int group = int(k / 4), index = int(k % 4);
        EXPECT_EQ(group, feedback[k].nGroup) << k;
        EXPECT_EQ(index, feedback[k].nIndex) << k;
        EXPECT_EQ(CPoint(SpreadX(plot, 4, index), MappedY(plot, 0.0, 10.0, values[group][index])), feedback[k].point)
            << k;
    }
}

TEST(LineRenderer, AValueSpanOfZeroBecomesOneAndStaysSo)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{0.0, 0.5, 1.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 1, 0, CRect(0, 0, 300, 200));
    pDisplay->SetDrawContext(&canvas.dc, nullptr);
    pDisplay->ResolveDataLimits();
    pDisplay->SetPlotRect(10, 10, 210, 110, TRUE);
    pDisplay->ValueDataRange().Include(0.0);
    pDisplay->ValueDataRange().Include(2.0);
    pDisplay->m_dValueAxisSpan = 0.0;
    pDisplay->DrawLineGraph();

    EXPECT_DOUBLE_EQ(1.0, pDisplay->GetValueAxisSpan());
    const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
    ASSERT_EQ(3u, feedback.size());
    // Mapped over a span of 1, not over the data range's 2.
    EXPECT_EQ(110, feedback[0].point.y);
    EXPECT_EQ(60, feedback[1].point.y);
    EXPECT_EQ(10, feedback[2].point.y);
}

TEST(LineRenderer, ThinningDrawsEveryTenthOfFiveThousandItemsOnFiveHundredUnits)
{
    const struct
    {
        bool bThinning;
        size_t points;
        int indexStep;
    } cases[] = {{true, 500u, 10}, {false, 5000u, 1}};
    std::vector<double> values;
    for (int i = 0; i < 5000; ++i)
        values.push_back(std::sin(i * 0.01) * 100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bThinning);
        CMemoryCanvas canvas(560, 240);
        QVGraph chart;
        FillChart(chart, {values});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 1, 0, CRect(0, 0, 560, 240));
        FixPlotAndValues(pDisplay, CRect(20, 20, 520, 220), -100.0, 100.0);
        pDisplay->SetAxisOption(28, c.bThinning);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
        ASSERT_EQ(c.points, feedback.size());
        for (size_t k = 0; k < feedback.size(); k += 37)
            EXPECT_EQ(int(k) * c.indexStep, feedback[k].nIndex) << k;
    }
}

TEST(LineRenderer, WhatEachPointDrawsByGraphTypeAndNullItems)
{
    // One group: 1, 3, null, 2, 4. Option bit 18 makes the null item end a run.
    const struct
    {
        const char* name;
        int nGraphType;
        bool bBreakAtNull;
        const char* sequence;
        std::vector<int> segmentKinds;
    } cases[] = {
        {"line, null steps over", 1, false, "segment segment segment segment", {0, 1, 1, 1}},
        {"line, null breaks", 1, true, "segment segment segment segment", {0, 1, 0, 1}},
        {"lines only, null steps over", 31, false, "label line label line label line label", {}},
        {"lines only, null breaks", 31, true, "label line label label line label", {}},
    };
    const COLORREF marker = RGB(0, 160, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        FillChart(chart, {{1.0, 3.0, kNull, 2.0, 4.0}});
        QVGraphStyle style = SolidStyle(marker, 12);
        style.m_nFlags = (style.m_nFlags & ~0xF0) | 0x20;   // data labels show the value
        chart.ApplyStyle(0, 0, -1, -1, style, TRUE);
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, c.nGraphType, 0, CRect(0, 0, 300, 200));
        pDisplay->SetOption(QVGDisplayBase::optionBreakAtNull, c.bBreakAtNull);
        FixPlotAndValues(pDisplay, CRect(20, 20, 280, 180), 0.0, 5.0);
        chart.Draw(&canvas.dc, nullptr);

        EXPECT_EQ(c.sequence, pDisplay->Sequence());
        std::vector<int> kinds;
        for (const RecordedCall& call : pDisplay->Calls("segment"))
            kinds.push_back(call.nKind);
        EXPECT_EQ(c.segmentKinds, kinds);
        EXPECT_EQ(4u, FeedbackOf(chart).size());
        if (c.nGraphType == 31) {
            EXPECT_TRUE(pDisplay->Calls("marker", true).empty());
            EXPECT_EQ(0, CountPixels(canvas, CRect(0, 0, 300, 200), marker));
            // A solid line in the line colour is drawn with the series' colour-code pen.
            for (const RecordedCall& call : pDisplay->Calls("line"))
                EXPECT_EQ(1, call.nKind);
        } else {
            EXPECT_EQ(4u, pDisplay->Calls("marker", true).size());
            EXPECT_GT(CountPixels(canvas, CRect(0, 0, 300, 200), marker), 4 * 20);
        }
    }
}

TEST(LineRenderer, AnItemWithoutDrawingModeIsOnlyRecordedForFeedback)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{1.0, 3.0, 2.0}});
    chart.GetItem(1, 0)->GetStyle()->SetShapeType(0);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 1, 0, CRect(0, 0, 300, 200));
    FixPlotAndValues(pDisplay, CRect(20, 20, 280, 180), 0.0, 5.0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(3u, FeedbackOf(chart).size());
    const std::vector<RecordedCall> segments = pDisplay->Calls("segment");
    ASSERT_EQ(2u, segments.size());
    // The run goes on through the item: the third point joins the second.
    EXPECT_EQ(FeedbackOf(chart)[1].point, segments[1].from);
}

TEST(LineRenderer, NonNumbersAreSkippedLikeNullItems)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{1.0, std::numeric_limits<double>::infinity(), 2.0}});
    chart.SetValue(1, 0, std::numeric_limits<double>::infinity());
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 1, 0, CRect(0, 0, 300, 200));
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
    ASSERT_EQ(2u, feedback.size());
    EXPECT_EQ(2, feedback[1].nIndex);
    EXPECT_TRUE(std::isfinite(pDisplay->GetDrawnValueAxisRange().m_dMax));
}

TEST(LineRenderer, ClassicThreeDStylesDrawInTheFrontPlane)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{0.0, 10.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 1, 11, CRect(0, 0, 300, 200));
    const CRect plot(40, 20, 280, 170);
    FixPlotAndValues(pDisplay, plot, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
    ASSERT_EQ(2u, feedback.size());
    EXPECT_EQ(CPoint(plot.left, plot.bottom), feedback[0].point);
    EXPECT_EQ(CPoint(plot.right - 10, plot.top + 10), feedback[1].point);
}

TEST(StepRenderer, TwoPointsDrawOneHorizontalAndOneVerticalLine)
{
    const struct
    {
        const char* name;
        int nGraphType;
        int nMode;
        size_t lines;
        size_t markers;
    } cases[] = {
        {"step with markers", 35, 12, 2u, 2u},
        {"step, lines only", 36, 12, 2u, 0u},
        {"mode 4: no marker", 35, 4, 2u, 0u},
        {"mode 2: markers only", 35, 2, 0u, 2u},
        {"mode 0: nothing", 35, 0, 0u, 0u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        FillChart(chart, {{2.0, 8.0}});
        chart.ApplyStyle(0, 0, -1, -1, SolidStyle(RGB(0, 0, 200), c.nMode), TRUE);
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, c.nGraphType, 0, CRect(0, 0, 300, 200));
        const CRect plot(20, 20, 280, 180);
        FixPlotAndValues(pDisplay, plot, 0.0, 10.0);
        chart.Draw(&canvas.dc, nullptr);

        const std::vector<RecordedCall> lines = pDisplay->Calls("line");
        ASSERT_EQ(c.lines, lines.size());
        EXPECT_EQ(c.markers, pDisplay->Calls("marker").size());
        EXPECT_EQ(2u, FeedbackOf(chart).size());
        if (c.lines == 2) {
            const CPoint first(plot.left, MappedY(plot, 0, 10, 2.0)), second(plot.right, MappedY(plot, 0, 10, 8.0));
            EXPECT_EQ(first, lines[0].from);
            EXPECT_EQ(CPoint(second.x, first.y), lines[0].to);
            EXPECT_EQ(CPoint(second.x, first.y), lines[1].from);
            EXPECT_EQ(second, lines[1].to);
        }
    }
}

TEST(StepRenderer, NullItemsDoNotBreakTheSteps)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    FillChart(chart, {{2.0, kNull, 8.0}});
    chart.ApplyStyle(0, 0, -1, -1, SolidStyle(RGB(0, 0, 200), 12), TRUE);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 35, 0, CRect(0, 0, 300, 200));
    pDisplay->SetOption(QVGDisplayBase::optionBreakAtNull, TRUE);
    FixPlotAndValues(pDisplay, CRect(20, 20, 280, 180), 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(2u, pDisplay->Calls("line").size());
}

TEST(AreaRenderer, GroupsAreDrawnLargestAverageFirstUnlessOptionNineKeepsTheirOrder)
{
    const struct
    {
        bool bGroupOrder;
        std::vector<int> order;
    } cases[] = {{false, {1, 2, 0}}, {true, {0, 1, 2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bGroupOrder);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        FillChart(chart, {{1.0, 1.0, 1.0}, {3.0, 3.0, 3.0}, {2.0, 1.0, 3.0}});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 6, 0, CRect(0, 0, 300, 200));
        pDisplay->SetOption(9, c.bGroupOrder);
        FixPlotAndValues(pDisplay, CRect(20, 20, 280, 180), 0.0, 5.0);
        chart.Draw(&canvas.dc, nullptr);
        std::vector<int> fills;
        for (const RecordedCall& call : pDisplay->Calls("fill"))
            fills.push_back(call.nSeries);
        EXPECT_EQ(c.order, fills);
        const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
        ASSERT_EQ(9u, feedback.size());
        for (size_t k = 0; k < 3; ++k)
            EXPECT_EQ(c.order[k], feedback[k * 3].nGroup) << k;
    }
}

TEST(AreaRenderer, AnAreaClosesOnTheZeroLineWhenTheValuesCrossIt)
{
    const struct
    {
        const char* name;
        double low;
        double high;
        std::vector<double> values;
        double closingValue;
    } cases[] = {
        {"crossing zero", -10.0, 10.0, {-5.0, 10.0, 5.0}, 0.0},
        {"all positive", 0.0, 10.0, {2.0, 8.0, 5.0}, 0.0},
        {"all positive above a minimum", 2.0, 10.0, {4.0, 8.0, 5.0}, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(300, 240);
        QVGraph chart;
        FillChart(chart, {c.values});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 6, 0, CRect(0, 0, 300, 240));
        pDisplay->SetOption(QVGDisplayBase::optionKeepZeroOut, TRUE);
        const CRect plot(20, 20, 280, 220);
        FixPlotAndValues(pDisplay, plot, c.low, c.high);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<RecordedCall> fills = pDisplay->Calls("fill");
        ASSERT_EQ(1u, fills.size());
        const std::vector<POINT>& points = fills[0].points;
        ASSERT_EQ(6u, points.size());   // three items, two closing points, the first point again
        const int closing = MappedY(plot, c.low, c.high, c.closingValue);
        EXPECT_EQ(plot.right, points[3].x);
        EXPECT_EQ(closing, points[3].y);
        EXPECT_EQ(plot.left, points[4].x);
        EXPECT_EQ(closing, points[4].y);
        EXPECT_EQ(points[0].x, points[5].x);
        EXPECT_EQ(points[0].y, points[5].y);
    }
}

TEST(LineRenderers, PicturesOfTheFamily)
{
    const struct
    {
        int nGraphType;
        const char* title;
    } charts[] = {{1, "Line plot"}, {31, "LineOnly"}, {35, "Step"}, {6, "Area under curve"}};
    CMemoryCanvas canvas(800, 600);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 800, 600), 0);
    std::vector<std::vector<double>> rows(3);
    for (int i = 0; i < 12; ++i) {
        rows[0].push_back(20 + 15 * std::sin(i * 0.6));
        rows[1].push_back(10 + i * 2.5);
        rows[2].push_back(35 - i * 1.5 + (i % 3) * 4);
    }
    FillChart(chart, rows);
    const COLORREF colors[3] = {RGB(200, 30, 30), RGB(30, 120, 30), RGB(30, 30, 200)};
    const int shapes[3] = {12, 13, 14};
    for (int g = 0; g < 3; ++g) {
        QVGraphStyle style = SolidStyle(colors[g], shapes[g]);
        style.m_nLineWidth = 2;
        chart.ApplyStyle(g, g, -1, -1, style, TRUE);
    }
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 800, 600));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    for (int k = 0; k < 4; ++k) {
        const CRect cell(400 * (k % 2), 300 * (k / 2), 400 * (k % 2) + 400, 300 * (k / 2) + 300);
        QVGraphTitle* pTitle = new QVGraphTitle;
        pTitle->SetIntRect(CRect(cell.left, cell.top + 4, cell.right, cell.top + 30));
        pTitle->SetText(charts[k].title, QVGraphTitle::alignCentre);
        pTitle->SetFixedText(TRUE);
        pTitle->SetFont(12, QVGraphTitle::fontBold, "Arial");
        pTitle->GetStyle()->SetFillType(0);
        pTitle->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(pTitle);
        AddTypedDisplay(chart, charts[k].nGraphType, 2, CRect(cell.left + 10, cell.top + 30, cell.right - 10, cell.bottom - 10));
    }
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_GT(FeedbackOf(chart).size(), 100u);
    canvas.SaveBmp("chart_lines.bmp");
}

TEST(LineRenderers, FarValuesAreClampedIntoTheDrawingRangeNeverWrapped)
{
    // A fixed value range of 0 to 1 and values a billion times beyond it.
    for (int type : {1, 35, 6}) {
        SCOPED_TRACE(type);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        FillChart(chart, {{1e12, -1e12, 0.5}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, type, 0, CRect(0, 0, 300, 200));
        FixPlotAndValues(pDisplay, CRect(20, 20, 280, 180), 0.0, 1.0);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<FeedbackRecord> feedback = FeedbackOf(chart);
        ASSERT_EQ(3u, feedback.size());
        const int half = canvas.dc.GetDeviceCaps(LOGPIXELSX) / 2;
        EXPECT_EQ(half - 32768, feedback[0].point.y);
        EXPECT_EQ(32767 - half, feedback[1].point.y);
        EXPECT_EQ(100, feedback[2].point.y);
    }
}
