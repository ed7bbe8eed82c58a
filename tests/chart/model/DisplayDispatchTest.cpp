// The display's dispatch: custom hooks for unknown axis styles and graph types, drawing order, options that
// turn the frame off, equal units, data labels and archives of the display and its parts.
#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GridLines.h"
#include "chart/model/TickMarks.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
// A display that records which of its operations ran, and what it saw when they did.
class CRecordingDisplay : public QVGraphDisplay
{
public:
    std::vector<std::string> calls;
    CRect plotAtAxes;
    CScale xAtAxes;

    void DrawCustomPlotArea() override { calls.push_back("plot area"); }
    void DrawCustomAxes() override
    {
        calls.push_back("axes");
        plotAtAxes = GetPlotRect();
        xAtAxes = GetIndexAxisRange();
    }
    void DrawCustomGraph() override { calls.push_back("custom graph"); }
    void DrawScatterGraph() override
    {
        calls.push_back("scatter");
        QVGraphDisplay::DrawScatterGraph();
    }
    void DrawScatterScales() override { calls.push_back("scatter scales"); }
    void DrawScatterPlotArea() override { calls.push_back("scatter plot area"); }
    void DrawClassicScales() override { calls.push_back("classic scales"); }
    void DrawClassicPlotArea() override { calls.push_back("classic plot area"); }
};

CRecordingDisplay* AddRecordingDisplay(QVGraph& chart, int nGraphType, int nAxisStyle)
{
    CRecordingDisplay* pDisplay = new CRecordingDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 300, 200));
    pDisplay->SetGraphType(nGraphType);
    pDisplay->SetAxisStyle(nAxisStyle);
    chart.AddComponent(pDisplay);
    return pDisplay;
}

void AddPairs(QVGraph& chart)
{
    for (int i = 0; i < 3; ++i) {
        chart.SetValue(i, 0, i * 2.0);
        chart.SetValue(i, 1, i * 3.0);
    }
}
}  // namespace

TEST(DisplayDispatch, UnknownAxisStyleGoesToTheCustomHooksWithRangesAndPlotSet)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    AddPairs(chart);
    CRecordingDisplay* pDisplay = AddRecordingDisplay(chart, 21, 0xC0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ((std::vector<std::string>{"axes", "plot area", "scatter"}), pDisplay->calls);
    EXPECT_FALSE(pDisplay->plotAtAxes.IsRectEmpty());
    EXPECT_FALSE(pDisplay->xAtAxes.IsEmpty());
    EXPECT_EQ(3u, chart.GetFeedbackList()->GetCount());
}

TEST(DisplayDispatch, PlotAreaAfterTheDataAndNoFrame)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    AddPairs(chart);
    CRecordingDisplay* pDisplay = AddRecordingDisplay(chart, 21, 15);
    pDisplay->SetOption(QVGDisplayBase::optionPlotAreaLast, TRUE);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ((std::vector<std::string>{"scatter scales", "scatter", "scatter plot area"}), pDisplay->calls);
    pDisplay->calls.clear();
    pDisplay->SetOption(QVGDisplayBase::optionNoFrame, TRUE);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ((std::vector<std::string>{"scatter"}), pDisplay->calls);
}

struct DispatchCase
{
    int graphType;
    int axisStyle;
    std::vector<std::string> calls;
};

class DisplayDispatchTable : public ::testing::TestWithParam<DispatchCase>
{
};

TEST_P(DisplayDispatchTable, ChoosesTheOperationsOfTheTables)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    AddPairs(chart);
    CRecordingDisplay* pDisplay = AddRecordingDisplay(chart, GetParam().graphType, GetParam().axisStyle);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(GetParam().calls, pDisplay->calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayDispatchTable,
    ::testing::Values(DispatchCase{5, 0, {"custom graph"}}, DispatchCase{8, 0, {"custom graph"}},
                      DispatchCase{22, 0, {"custom graph"}}, DispatchCase{60, 0, {"custom graph"}},
                      DispatchCase{21, 1, {"scatter scales", "scatter plot area", "scatter"}},
                      DispatchCase{34, 15, {"scatter scales", "scatter plot area", "scatter"}},
                      DispatchCase{1, 1, {"classic scales", "classic plot area"}},
                      DispatchCase{1, 2, {"classic scales", "classic plot area"}},
                      DispatchCase{21, 9, {"scatter"}}, DispatchCase{21, 3, {"scatter"}},
                      DispatchCase{0, 1, {"classic scales"}}));

TEST(DisplayDispatch, EqualUnitsWidenTheShorterAxis)
{
    CMemoryCanvas canvas(500, 300);
    QVGraph chart;
    AddPairs(chart);
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 500, 300));
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(15);
    pDisplay->SetOption(QVGDisplayBase::optionEqualUnits, TRUE);
    chart.AddComponent(pDisplay);
    chart.Draw(&canvas.dc, nullptr);
    const CRect plot = pDisplay->GetPlotRect();
    const CScale x = pDisplay->GetDrawnIndexAxisRange();
    const CScale y = pDisplay->GetDrawnValueAxisRange();
    const double xPerPixel = x.GetRange() / plot.Width();
    const double yPerPixel = y.GetRange() / plot.Height();
    EXPECT_NEAR(1.0, xPerPixel / yPerPixel, 0.05);
}

TEST(DisplayDispatch, ValueLabelsOfItemsAreDrawnBesideTheirPoints)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 200), 0);
    AddPairs(chart);
    QVGraphStyle style;
    style.SetShapeType(12);
    style.m_nFlags = (style.m_nFlags & ~0xF0) | 0x20;   // label kind: the value
    chart.ApplyStyle(0, 0, -1, -1, style, TRUE);
    chart.GetChartStyle()->SetDataLabelMode(2);
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 300, 200));
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(15);
    chart.AddComponent(pDisplay);
    chart.Draw(&canvas.dc, nullptr);
    // Each label became a temporary component of the chart, drawn in the same pass.
    int labels = 0;
    POSITION pos = chart.GetFirstComponentPosition(-1);
    while (pos != NULL) {
        QVGraphComponent* pComponent = chart.GetNextComponent(pos, -1);
        if (pComponent->GetTag() == QVG_TEMPORARY_TAG)
            ++labels;
    }
    EXPECT_EQ(3, labels);
    chart.Draw(&canvas.dc, nullptr);   // the next pass starts by removing them, then makes new ones
    labels = 0;
    pos = chart.GetFirstComponentPosition(-1);
    while (pos != NULL)
        labels += chart.GetNextComponent(pos, -1)->GetTag() == QVG_TEMPORARY_TAG;
    EXPECT_EQ(3, labels);
}

TEST(DisplayArchive, DisplayScaleAndFramePartsRoundTrip)
{
    QVGraphDisplay display;
    display.SetGraphType(34);
    display.SetFixedValueMin(-1.0);
    display.SetFixedValueMax(9.0);
    display.SetPlotRect(5, 6, 70, 80, TRUE);
    display.SetText("Display", QVGraphTitle::alignLeft);
    display.SetFixedText(TRUE);
    QVGraphDisplay loadedDisplay;
    RoundTrip(display, loadedDisplay);
    EXPECT_EQ(34, loadedDisplay.GetGraphType());
    EXPECT_DOUBLE_EQ(9.0, loadedDisplay.GetFixedValueMax());
    EXPECT_DOUBLE_EQ(-1.0, loadedDisplay.GetFixedValueMin());
    EXPECT_EQ(CRect(5, 6, 70, 80), loadedDisplay.GetPlotRect());
    EXPECT_EQ(CString("Display"), loadedDisplay.GetText());
    EXPECT_TRUE(loadedDisplay.IsFixedText());

    QVGIndexScale scale;
    scale.SetMin(2.0);
    scale.SetMax(8.0);
    scale.SetStartPoint(1, 2);
    scale.SetEndPoint(3, 4);
    scale.SetFormat("%.1f");
    scale.SetLabelsAtEdges(1);
    scale.AddTextLabel("first");
    scale.AddTextLabel("second");
    QVGIndexScale loadedScale;
    RoundTrip(scale, loadedScale);
    EXPECT_DOUBLE_EQ(8.0, loadedScale.GetMax());
    EXPECT_EQ(CPoint(3, 4), loadedScale.GetEndPoint());
    EXPECT_EQ(CString("%.1f"), loadedScale.GetFormat());
    EXPECT_EQ(1, loadedScale.GetLabelsAtEdges());
    ASSERT_EQ(2, loadedScale.GetLabelCount());
    EXPECT_EQ(CString("second"), loadedScale.GetLabel(1)->GetAnnotationText(1));
    EXPECT_EQ(&loadedScale, loadedScale.GetLabel(1)->GetBlock());

    QVGGridLines grid;
    grid.SetMinorCount(3);
    grid.SetOrientation(1);
    grid.SetMajorColour(RGB(1, 2, 3));
    QVGGridLines loadedGrid;
    RoundTrip(grid, loadedGrid);
    EXPECT_EQ(3, loadedGrid.GetMinorCount());
    EXPECT_EQ(1, loadedGrid.GetOrientation());
    EXPECT_EQ(RGB(1, 2, 3), loadedGrid.GetMajorColour());

    QVGTickMarks ticks;
    ticks.SetMinorRatio(0.5);
    ticks.SetTickSize(9);
    ticks.SetMinorCount(2);
    QVGTickMarks loadedTicks;
    RoundTrip(ticks, loadedTicks);
    EXPECT_DOUBLE_EQ(0.5, loadedTicks.GetMinorRatio());
    EXPECT_EQ(9, loadedTicks.GetTickSize());
    EXPECT_EQ(2, loadedTicks.GetMinorCount());
}

namespace {
// A display of a percentage graph type whose own axes hook labels a scale, as an application's would.
class CPercentAxesDisplay : public QVGraphDisplay
{
public:
    std::vector<std::string> texts;

    void DrawCustomAxes() override
    {
        QVGDecimalScale scale;
        scale.SetChart(GetChart());
        scale.SetDrawContext(GetDC(), GetView());
        scale.SetStartPoint(50, 350);
        scale.SetEndPoint(50, 50);
        scale.SetMin(0.0);
        scale.SetMax(100.0);
        scale.GenerateLabels();
        for (int i = 0; i < scale.GetLabelCount(); ++i)
            texts.push_back(static_cast<LPCTSTR>(scale.GetLabel(i)->GetCurrentText()));
    }
};
}  // namespace

TEST(DisplayDispatch, ScalesOfAPercentageGraphLabelWholePercents)
{
    CMemoryCanvas canvas(300, 400);
    QVGraph chart;
    AddPairs(chart);
    CPercentAxesDisplay* pDisplay = new CPercentAxesDisplay;
    pDisplay->SetIntRect(CRect(0, 0, 300, 400));
    pDisplay->SetGraphType(0x30);
    pDisplay->SetAxisStyle(0xC0);
    chart.AddComponent(pDisplay);
    chart.Draw(&canvas.dc, nullptr);
    ASSERT_GE(pDisplay->texts.size(), 5u);
    EXPECT_EQ(std::string(" 0% "), pDisplay->texts[0]);
    const int step = std::atoi(pDisplay->texts[1].c_str());
    EXPECT_GE(step, 5);
    EXPECT_EQ(std::to_string(step * 2), std::to_string(std::atoi(pDisplay->texts[2].c_str())));
}

TEST(DisplayDispatch, GraphTypeNoneShowsThePictureOfNothingToDrawWhenAsked)
{
    for (BOOL bPicture : {FALSE, TRUE}) {
        SCOPED_TRACE(bPicture);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        AddPairs(chart);
        QVGraphDisplay* pDisplay = new QVGraphDisplay;
        pDisplay->SetIntRect(CRect(0, 0, 300, 200));
        pDisplay->SetGraphType(0);
        pDisplay->SetAxisStyle(0);
        pDisplay->GetStyle()->SetFillType(0);
        pDisplay->GetStyle()->SetBorderStyle(0);
        pDisplay->SetOption(QVGDisplayBase::optionNoGraphPicture, bPicture);
        chart.AddComponent(pDisplay);
        chart.Draw(&canvas.dc, nullptr);
        // The picture (a crossed-out pair of axes) lies centred in the plot rectangle.
        const CRect plot = pDisplay->GetPlotRect();
        int coloured = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if (canvas.Pixel(x, y) != RGB(255, 255, 255)) {
                    ++coloured;
                    EXPECT_LE(std::abs(x - plot.CenterPoint().x), 24) << x;
                    EXPECT_LE(std::abs(y - plot.CenterPoint().y), 16) << y;
                }
        if (bPicture)
            EXPECT_GT(coloured, 60);
        else
            EXPECT_EQ(0, coloured);
    }
}
