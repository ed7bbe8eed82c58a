// The web, polar, Gantt, freestyle, bubble and vector renderers: where their points land, their errors,
// what lies outside the plot, and pictures.
#include "chart/model/AxisScale.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"
#include "framework/win/SeamRecorders.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

namespace {
std::vector<FeedbackRecord> Of(QVGraph& chart, int nKind)
{
    std::vector<FeedbackRecord> records;
    for (const FeedbackRecord& record : FeedbackOf(chart))
        if (record.nKind == nKind)
            records.push_back(record);
    return records;
}

// The message a drawing reported, empty when none.
std::string MessageOfDrawing(QVGraph& chart, CMemoryCanvas& canvas)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    chart.Draw(&canvas.dc, nullptr);
    return box.calls.empty() ? std::string() : box.calls[0].text;
}

const char* const kNotCompatible =
    "A graph type was requested which is not compatible with the type of data or the number of data items available.";
const char* const kNotLogarithmic = "The numeric scale supplied is not suitable for logarithmic display";

template <class Display>
void FixAxes(Display* pDisplay, const CRect& plot, double xLow, double xHigh, double yLow, double yHigh)
{
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedIndexMin(xLow);
    pDisplay->SetFixedIndexMax(xHigh);
    pDisplay->SetFixedValueMin(yLow);
    pDisplay->SetFixedValueMax(yHigh);
}

CPoint OnPlane(const CRect& plot, double xLow, double xHigh, double yLow, double yHigh, double x, double y)
{
    return CPoint(int((x - xLow) * plot.Width() / (xHigh - xLow) + plot.left + 0.5),
                  int(plot.bottom - (y - yLow) * plot.Height() / (yHigh - yLow) + 0.5));
}
}  // namespace

TEST(WebRenderer, ErrorsOfTheRadialCharts)
{
    const struct
    {
        const char* name;
        int nGraphType;
        std::vector<std::vector<double>> rows;
        const char* message;
    } cases[] = {
        {"web of two indexes", 18, {{1.0, 2.0}}, kNotCompatible},
        {"area web of two indexes", 23, {{1.0, 2.0}, {2.0, 1.0}}, kNotCompatible},
        {"web of three indexes", 18, {{1.0, 2.0, 3.0}}, ""},
        {"polar of three groups", 26, {{1.0}, {0.0}, {2.0}}, kNotCompatible},
        {"polar of two groups", 27, {{1.0, 2.0}, {0.0, 90.0}}, ""},
        {"bubble of two groups", 41, {{1.0}, {2.0}}, kNotCompatible},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(300, 300);
        QVGraph chart;
        FillChart(chart, c.rows);
        AddTypedDisplay(chart, c.nGraphType, 1, CRect(0, 0, 300, 300));
        EXPECT_EQ(std::string(c.message), MessageOfDrawing(chart, canvas));
    }
}

TEST(WebRenderer, SpokesTurnClockwiseFromStraightUpAndValuesRunFromTheCentreToTheRim)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{10.0, 10.0, 5.0, 0.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 18, 14, CRect(0, 0, 300, 300));
    pDisplay->SetPlotRect(0, 0, 300, 300, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMin(0.0);
    pDisplay->SetFixedValueMax(10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> points = Of(chart, QVGraphFeedback::point);
    ASSERT_EQ(4u, points.size());
    const CPoint centre(150, 150);
    EXPECT_EQ(CPoint(150, 30), points[0].point);     // up, at the rim (0.4 of 300)
    EXPECT_EQ(CPoint(270, 150), points[1].point);    // then right
    EXPECT_EQ(CPoint(150, 210), points[2].point);    // down, halfway
    EXPECT_EQ(centre, points[3].point);              // the minimum at the centre
    // The spokes carry the index texts, the rings the value scale's ticks.
    ASSERT_NE(nullptr, pDisplay->GetSecondScale());
    EXPECT_GE(pDisplay->GetSecondScale()->GetLabelCount(), 3);
}

TEST(WebRenderer, TheAreaWebFillsOneClosedFigurePerGroup)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{3.0, 4.0, 5.0, 6.0, 7.0}, {7.0, 6.0, 5.0, 4.0, 3.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 23, 1, CRect(0, 0, 300, 300));
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<RecordedCall> fills = pDisplay->Calls("fill");
    ASSERT_EQ(2u, fills.size());
    EXPECT_EQ(6u, fills[0].points.size());
    EXPECT_EQ(fills[0].points.front().x, fills[0].points.back().x);
    EXPECT_EQ(1, fills[1].nSeries);
    EXPECT_EQ(10u, Of(chart, QVGraphFeedback::point).size());
}

TEST(PolarRenderer, PairsGiveRadiusAndAngleFromTheTopClockwise)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{10.0, 10.0, 5.0}, {0.0, 90.0, 180.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 26, 17, CRect(0, 0, 300, 300));
    pDisplay->SetPlotRect(0, 0, 300, 300, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMin(0.0);
    pDisplay->SetFixedValueMax(10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> points = Of(chart, QVGraphFeedback::point);
    ASSERT_EQ(3u, points.size());
    EXPECT_EQ(CPoint(150, 30), points[0].point);
    EXPECT_EQ(CPoint(270, 150), points[1].point);
    EXPECT_EQ(CPoint(150, 210), points[2].point);
    EXPECT_EQ(0, points[0].nGroup);
    // The angles are not part of the value range: it comes from the radius groups alone.
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, FALSE);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_LT(pDisplay->GetDrawnValueAxisRange().m_dMax, 90.0);
}

TEST(GanttRenderer, ATaskRunsFromItsStartToItsEndInTheRowOfItsIndex)
{
    const struct
    {
        double start;
        double end;
        int rightGroup;
    } cases[] = {{2.0, 6.0, 1}, {6.0, 2.0, 0}, {-5.0, 4.0, 1}};
    const CRect plot(20, 20, 320, 220);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        CMemoryCanvas canvas(340, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
        FillChart(chart, {{0.0, c.start}, {0.0, c.end}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 30, 24, CRect(0, 0, 340, 240));
        pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
        pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
        pDisplay->SetFixedValueMin(0.0);
        pDisplay->SetFixedValueMax(10.0);
        chart.Draw(&canvas.dc, nullptr);
        // Two rectangles for the task of index 1 and none for the shape: it drew with feedback off.
        std::vector<FeedbackRecord> halves;
        for (const FeedbackRecord& record : FeedbackOf(chart))
            if (record.nIndex == 1)
                halves.push_back(record);
        ASSERT_EQ(2u, halves.size());
        auto x = [&](double value) { return std::clamp(int(plot.left + value * 30 + 0.5), int(plot.left), int(plot.right)); };
        EXPECT_EQ(std::min(x(c.start), x(c.end)), halves[0].box.left);
        EXPECT_EQ(std::max(x(c.start), x(c.end)), halves[1].box.right);
        EXPECT_EQ(halves[0].box.right, halves[1].box.left);
        EXPECT_EQ(0, halves[0].nGroup);
        EXPECT_EQ(c.rightGroup, halves[1].nGroup);
        // Index 1 is the upper of the two rows.
        EXPECT_LT(halves[0].box.bottom, plot.CenterPoint().y + 1);
    }
}

TEST(FreeStyleRenderer, EachItemIsDrawnAsItsOwnStyleSays)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    FillChart(chart, {{1.0, 2.0, 3.0, 4.0, 5.0}});
    const int modes[5] = {3, 3, 5, 0, 12};
    for (int i = 0; i < 5; ++i)
        chart.ApplyStyle(0, 0, i, i, SolidStyle(RGB(0, 0, 200), modes[i]), FALSE);
    chart.GetItem(1, 0)->SetNull(TRUE);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 25, 0, CRect(0, 0, 300, 240));
    pDisplay->SetPlotRect(20, 20, 270, 220, TRUE);
    chart.Draw(&canvas.dc, nullptr);
    // Item 0: a point; item 1 null; item 2 a bar; item 3 nothing; item 4 (mode 12) nothing.
    EXPECT_EQ("symbol shape", pDisplay->Sequence());
    EXPECT_EQ(1u, Of(chart, QVGraphFeedback::point).size());
}

TEST(FreeStyleRenderer, LineModesJoinAGroupsPointsOverNullItemsAndBars)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    FillChart(chart, {{1.0, 2.0, 3.0, 4.0}});
    chart.ApplyStyle(0, 0, -1, -1, SolidStyle(RGB(0, 0, 200), 2), FALSE);
    chart.ApplyStyle(0, 0, 2, 2, SolidStyle(RGB(0, 0, 200), 5), FALSE);
    chart.GetItem(1, 0)->SetNull(TRUE);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 25, 0, CRect(0, 0, 300, 240));
    pDisplay->SetPlotRect(20, 20, 220, 220, TRUE);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ("symbol shape line symbol", pDisplay->Sequence());
    const std::vector<RecordedCall> lines = pDisplay->Calls("line");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(20 + 25, lines[0].from.x);     // slot middles: the first and the fourth slot of 50
    EXPECT_EQ(20 + 175, lines[0].to.x);
}

TEST(BubbleRenderer, BubblesLieByTheirValuesLargestFirstAndOnlyWhenTheyReachIntoThePlot)
{
    const CRect plot(20, 20, 320, 220);
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
    // X, Y and size of four bubbles; the last lies far right of the plot; the third has no size.
    FillChart(chart, {{2.0, 5.0, 8.0, 50.0}, {5.0, 5.0, 5.0, 5.0}, {1.0, 4.0, -1.0, 4.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 41, 15, CRect(0, 0, 340, 240));
    FixAxes(pDisplay, plot, 0.0, 10.0, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
    ASSERT_EQ(2u, shapes.size());
    EXPECT_EQ(17, shapes[0].nKind);
    // The bubble of size 4 (radius 2) before the one of size 1 (radius 1), both round in data units.
    const CPoint larger = OnPlane(plot, 0, 10, 0, 10, 5.0, 5.0);
    EXPECT_NEAR(larger.x - 60, shapes[0].from.x, 1);
    EXPECT_NEAR(larger.y - 40, shapes[0].from.y, 1);
    const CPoint smaller = OnPlane(plot, 0, 10, 0, 10, 2.0, 5.0);
    EXPECT_NEAR(smaller.x + 30, shapes[1].to.x, 1);
    EXPECT_EQ(2u, Of(chart, QVGraphFeedback::region).size());
}

TEST(BubbleRenderer, TheAreaFormTakesTheRadiusOfACircleOfThatArea)
{
    const CRect plot(20, 20, 320, 220);
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
    FillChart(chart, {{5.0}, {5.0}, {3.14159265 * 4}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 42, 15, CRect(0, 0, 340, 240));
    FixAxes(pDisplay, plot, 0.0, 10.0, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
    ASSERT_EQ(1u, shapes.size());
    EXPECT_NEAR(2 * 2 * 30, shapes[0].to.x - shapes[0].from.x, 2);   // radius 2 at 30 units per value
}

TEST(BubbleRenderer, TheRangeHoldsEveryBubbleWhole)
{
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    FillChart(chart, {{2.0, 8.0}, {5.0, 1.0}, {9.0, 4.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 41, 15, CRect(0, 0, 340, 240));
    pDisplay->PrepareDisplay();
    EXPECT_DOUBLE_EQ(-1.0, pDisplay->IndexDataRange().m_dMin);    // 2 - 3
    EXPECT_DOUBLE_EQ(10.0, pDisplay->IndexDataRange().m_dMax);    // 8 + 2
    EXPECT_DOUBLE_EQ(-1.0, pDisplay->ValueDataRange().m_dMin);    // 1 - 2
    EXPECT_DOUBLE_EQ(8.0, pDisplay->ValueDataRange().m_dMax);     // 5 + 3
}

TEST(BubbleRenderer, ABubbleWhollyOutsideAZoomedPlotIsNotDrawn)
{
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
    FillChart(chart, {{2.0, 8.0}, {5.0, 5.0}, {1.0, 1.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 41, 15, CRect(0, 0, 340, 240));
    CScale zoom;
    zoom.Include(0.0);
    zoom.Include(4.0);
    pDisplay->SetIndexAxisRange(zoom);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
    ASSERT_EQ(1u, shapes.size());
    EXPECT_EQ(0, FeedbackOf(chart)[0].nIndex);
}

TEST(VectorRenderer, ALogarithmicValueAxisRaisesCodeTwentyTwo)
{
    for (int type : {43, 44, 45, 41}) {
        SCOPED_TRACE(type);
        CMemoryCanvas canvas(300, 300);
        QVGraph chart;
        FillChart(chart, {{1.0}, {1.0}, {1.0}, {1.0}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, type, 1, CRect(0, 0, 300, 300));
        pDisplay->GetStyle()->SetLogScale(TRUE);
        EXPECT_EQ(std::string(kNotLogarithmic), MessageOfDrawing(chart, canvas));
    }
}

TEST(VectorRenderer, ArrowsStartAtTheirPointOrAreCentredOnItOrJoinTwoPoints)
{
    const struct
    {
        int nGraphType;
        std::vector<double> values;
        double x1, y1, x2, y2;
    } cases[] = {
        {43, {5.0, 5.0, 90.0, 2.0}, 5.0, 5.0, 7.0, 5.0},   // pointing east
        {43, {5.0, 5.0, 0.0, 3.0}, 5.0, 5.0, 5.0, 8.0},    // pointing north
        {44, {5.0, 5.0, 90.0, 4.0}, 3.0, 5.0, 7.0, 5.0},   // centred on the point
        {45, {1.0, 2.0, 6.0, 9.0}, 1.0, 2.0, 6.0, 9.0},
    };
    const CRect plot(20, 20, 320, 220);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nGraphType);
        CMemoryCanvas canvas(340, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
        FillChart(chart, {{c.values[0]}, {c.values[1]}, {c.values[2]}, {c.values[3]}});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, c.nGraphType, 15, CRect(0, 0, 340, 240));
        FixAxes(pDisplay, plot, 0.0, 10.0, 0.0, 10.0);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<RecordedCall> lines = pDisplay->Calls("line");
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(OnPlane(plot, 0, 10, 0, 10, c.x1, c.y1), lines[0].from);
        EXPECT_EQ(OnPlane(plot, 0, 10, 0, 10, c.x2, c.y2), lines[0].to);
    }
}

TEST(VectorRenderer, AnArrowWithNeitherEndInThePlotIsNotDrawn)
{
    const CRect plot(20, 20, 320, 220);
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
    FillChart(chart, {{1.0, 20.0}, {1.0, 20.0}, {3.0, 25.0}, {3.0, 25.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 45, 15, CRect(0, 0, 340, 240));
    FixAxes(pDisplay, plot, 0.0, 10.0, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, pDisplay->Calls("line").size());
    EXPECT_EQ(1u, FeedbackOf(chart).size());
}

TEST(RadialFreeFormRenderers, PicturesOfTheFamily)
{
    CMemoryCanvas canvas(900, 600);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 900, 600), 0);
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 900, 600));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    const COLORREF colors[4] = {RGB(200, 60, 60), RGB(60, 150, 60), RGB(60, 60, 200), RGB(200, 160, 40)};
    // Groups 0-3: web and Gantt data; 4-6 bubbles (X, Y, size); 7-8 polar (radius, angle); 9-12 vectors
    // (X, Y, direction, length).
    const char* spokes[6] = {"Flow", "Depth", "Slope", "Width", "Grade", "Cost"};
    for (int i = 0; i < 6; ++i) {
        chart.SetValue(i, 0, 4 + 3 * std::sin(i * 1.3));
        chart.SetValue(i, 1, 6 + 2 * std::cos(i));
        chart.SetValue(i, 2, i * 2.0);
        chart.SetValue(i, 3, i * 2.0 + 3 + (i % 3));
        chart.SetValue(i, 4, 1 + i * 1.6);
        chart.SetValue(i, 5, 2 + 6 * std::fabs(std::sin(i * 0.9)));
        chart.SetValue(i, 6, 0.4 + 0.5 * i);
        chart.SetValue(i, 7, 3 + 2 * std::sin(i * 1.1));
        chart.SetValue(i, 8, i * 60.0);
        chart.SetValue(i, 9, 1.5 + i * 1.4);
        chart.SetValue(i, 10, 2 + i);
        chart.SetValue(i, 11, i * 55.0);
        chart.SetValue(i, 12, 1.0 + i * 0.3);
        chart.SetItemText(i, 0, spokes[i]);
    }
    for (int g = 0; g < 13; ++g) {
        QVGraphStyle style = SolidStyle(colors[g % 4], g < 2 || g == 7 ? 12 : 5);
        style.m_nLineWidth = 2;
        chart.ApplyStyle(g, g, -1, -1, style, TRUE);
    }
    const struct
    {
        int nGraphType;
        int nAxisStyle;
        const char* title;
        int nMinGroup;
        int nMaxGroup;
    } charts[] = {{18, 1, "Web chart", 0, 1},          {23, 1, "Area Web chart", 0, 1},
                  {26, 1, "Polar chart", 7, 8},        {30, 1, "Gantt", 2, 3},
                  {41, 1, "Bubble (radius)", 4, 6},    {43, 1, "Vector (end)", 9, 12}};
    for (int k = 0; k < 6; ++k) {
        const CRect cell(300 * (k % 3), 300 * (k / 3), 300 * (k % 3) + 300, 300 * (k / 3) + 300);
        QVGraphTitle* pTitle = new QVGraphTitle;
        pTitle->SetIntRect(CRect(cell.left, cell.top + 4, cell.right, cell.top + 28));
        pTitle->SetText(charts[k].title, QVGraphTitle::alignCentre);
        pTitle->SetFixedText(TRUE);
        pTitle->SetFont(11, QVGraphTitle::fontBold, "Arial");
        pTitle->GetStyle()->SetFillType(0);
        pTitle->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(pTitle);
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, charts[k].nGraphType, charts[k].nAxisStyle,
                                                   CRect(cell.left + 10, cell.top + 30, cell.right - 10, cell.bottom - 10));
        pDisplay->SetDataRange(-1, -1, charts[k].nMinGroup, charts[k].nMaxGroup);
        pDisplay->SetOption(QVGDisplayBase::optionFillPlotArea, TRUE);
        pDisplay->GetStyle()->m_crColor = RGB(240, 240, 232);
    }
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_GT(FeedbackOf(chart).size(), 40u);
    canvas.SaveBmp("chart_radial_freeform.bmp");
}
