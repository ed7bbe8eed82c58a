// The separator charts (plot types 10 and 11) built from the point lists the reader stored: titles,
// series per list, legends from the captions, the criteria drawn as red-edged white triangles, and
// lists that are short or never end.
#include "ChartInspection.h"

#include "GoldenPlotFiles.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphRect.h"
#include "fennick/GradationDisplay.h"

#include <cmath>

using namespace chart_inspection;

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 128, 0);
const COLORREF White = RGB(255, 255, 255);

double Power(double size)
{
    return std::pow(size, 0.45);
}

class SeparatorPlot : public ::testing::Test
{
protected:
    CFennickApp app;

    // The point lists back to back as the reader stores them, each given without its end mark.
    void SetLists(const std::vector<std::vector<std::pair<double, double>>>& lists,
                  const std::vector<const char*>& captions)
    {
        for (int i = 0; i < CFennickApp::SeparatorEntries; ++i)
            app.m_dSeparatorX[i] = app.m_dSeparatorY[i] = 0.0;
        int nEntry = 0;
        for (const auto& list : lists)
        {
            for (const auto& point : list)
            {
                app.m_dSeparatorX[nEntry] = point.first;
                app.m_dSeparatorY[nEntry++] = point.second;
            }
            ++nEntry;
        }
        for (size_t i = 0; i < captions.size(); ++i)
            app.m_strSeparatorCaptions[i] = captions[i];
    }

    DocPtr Build(int nPlotType, int nAxis = 0, int nUnits = 0)
    {
        app.m_nCurrentPlotType = nPlotType;
        app.m_nAxis = nAxis;
        app.m_nUnits = nUnits;
        DocPtr pDoc(new CFennickDoc);
        EXPECT_TRUE(pDoc->OnNewDocument());
        return pDoc;
    }

    static CGradationDisplay* Display(CFennickDoc& doc)
    {
        return dynamic_cast<CGradationDisplay*>(doc.GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
};

void ExpectPowers(QVGraph& chart, int nGroup, const std::vector<double>& sizes)
{
    const std::vector<double> values = GroupValues(chart, nGroup);
    ASSERT_EQ(values.size(), sizes.size()) << "group " << nGroup;
    for (size_t i = 0; i < sizes.size(); ++i)
        EXPECT_DOUBLE_EQ(values[i], Power(sizes[i])) << "group " << nGroup << " item " << i;
}

TEST_F(SeparatorPlot, NoSeparatorLayerShowsBaseSubgradeAndTheCriterion)
{
    SetLists({{{1, 2}, {3, 4}}, {{5, 6}}, {{7, 8}}}, {"A", "B", "Upper bound"});
    DocPtr pDoc = Build(CFennickApp::NoSeparatorPlot);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(pDoc->GetTitle(), "NoSeparator");
    EXPECT_EQ(pDoc->GetPlotType(), CFennickApp::NoSeparatorPlot);
    EXPECT_EQ(chart.GetManagerText(1), "No Separator Layer");
    EXPECT_EQ(LabelText(chart, 0), "Percent Passing");
    EXPECT_EQ(LabelText(chart, 1), "Sieve Size");
    EXPECT_EQ(Label(chart, 1)->GetY(), 81);
    EXPECT_EQ(LabelText(chart, 2), "No Separator Layer");
    EXPECT_EQ(chart.GetComponentList()->GetCount(), 6);

    ExpectPowers(chart, 0, {1, 3});
    EXPECT_EQ(GroupValues(chart, 1), (std::vector<double>{2, 4}));
    ExpectPowers(chart, 2, {5});
    EXPECT_EQ(GroupValues(chart, 3), (std::vector<double>{6}));
    EXPECT_TRUE(GroupValues(chart, 4).empty());
    ExpectPowers(chart, 6, {7});
    EXPECT_EQ(GroupValues(chart, 7), (std::vector<double>{8}));
    EXPECT_EQ(chart.GetGroupCount(), 8);

    EXPECT_EQ(GroupText(chart, 0), "Base");
    EXPECT_EQ(GroupText(chart, 2), "Subgrade");
    EXPECT_EQ(GroupText(chart, 4), "");
    EXPECT_EQ(GroupText(chart, 6), "Upper bound");

    CGradationDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetGraphType(), 21);
    EXPECT_EQ(pDisplay->GetAxisStyle(), 0xC0);
    EXPECT_EQ(pDisplay->GetRectObject()->m_dTop, 8);
    EXPECT_EQ(pDisplay->GetRectObject()->m_dBottom, 80);
    EXPECT_EQ(pDisplay->m_dYStep, 10.0);
    EXPECT_TRUE(pDisplay->GetOption(QVGDisplayBase::optionFixedRanges));
    EXPECT_EQ(pDisplay->GetFixedValueMax(), 100.0);
    EXPECT_DOUBLE_EQ(pDisplay->GetFixedIndexMax(), Power(37.5));
    EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.0);

    auto* pLegend = ComponentAt<QVGraphLegend>(chart, 5);
    ASSERT_NE(pLegend, nullptr);
    const QVGraphRect* pRect = pLegend->GetRectObject();
    EXPECT_EQ(pRect->m_dLeft, 25);
    EXPECT_EQ(pRect->m_dTop, 90);
    EXPECT_EQ(pRect->m_dRight, 75);
    EXPECT_EQ(pRect->m_dBottom, 99);   // the frame's lower line inside the window
    EXPECT_EQ(pLegend->GetKeyOptions(), QVGraphLegend::keyFitHeight);
    EXPECT_EQ(pLegend->m_nMinIndex, 0);
    EXPECT_EQ(pLegend->m_nMaxIndex, 14);
    EXPECT_EQ(pLegend->m_nMinGroup, 0);
    EXPECT_EQ(pLegend->m_nMaxGroup, 8);
    EXPECT_EQ(pLegend->GetStoredFontSize(), 10);
    EXPECT_EQ(pLegend->m_crText, RGB(0, 0, 255));
    EXPECT_EQ(pLegend->GetSampleStyle(), QVGraphLegend::sampleFromItem);
}

TEST_F(SeparatorPlot, TheSeriesStyles)
{
    SetLists({{{1, 2}, {3, 4}, {5, 6}}, {{5, 6}}, {{7, 8}}, {{9, 10}}, {{11, 12}}},
             {"A", "B", "C", "Lower bound", "Upper bound"});
    struct Line
    {
        int nPlotType;
        int nGroup;
        int nCode;
        COLORREF crColor;
    };
    // Line series: a line sample (2) as their legend key.
    for (const Line& line : {Line{10, 0, 5, Black}, Line{10, 2, 7, Black}, Line{10, 4, 0, Green},
                             Line{11, 0, 5, Black}, Line{11, 2, 7, Black}, Line{11, 4, 4, Green}})
    {
        SCOPED_TRACE("type " + std::to_string(line.nPlotType) + " group " + std::to_string(line.nGroup));
        DocPtr pDoc = Build(line.nPlotType);
        for (int nGroup : {line.nGroup, line.nGroup + 1})
        {
            QVGraphStyle* pStyle = pDoc->GetChart().FindItem(0, nGroup)->GetStyle();
            EXPECT_EQ(pStyle->GetLineType(), line.nCode);
            EXPECT_EQ(pStyle->GetShapeType(), 4);
            EXPECT_EQ(pStyle->m_crLineColor, line.crColor);
            EXPECT_EQ(pStyle->m_nFlags & 0xF000, 0x2000);
        }
    }
    struct Marker
    {
        int nPlotType;
        int nGroup;
        const char* shape;
    };
    // Criteria: unjoined stock symbols with a line-and-marker key.
    for (const Marker& marker : {Marker{10, 6, "RIGHT_TRI"}, Marker{11, 6, "LEFT_TRI"}, Marker{11, 8, "RIGHT_TRI"}})
    {
        SCOPED_TRACE("type " + std::to_string(marker.nPlotType) + " group " + std::to_string(marker.nGroup));
        DocPtr pDoc = Build(marker.nPlotType);
        for (int nGroup : {marker.nGroup, marker.nGroup + 1})
        {
            QVGraphStyle* pStyle = pDoc->GetChart().FindItem(0, nGroup)->GetStyle();
            EXPECT_EQ(pStyle->GetLineType(), 0);
            EXPECT_EQ(pStyle->GetShapeType(), 3);
            EXPECT_EQ(pStyle->GetMarkerFill(), 0x20);
            EXPECT_EQ(pStyle->m_strText, marker.shape);
            EXPECT_EQ(pStyle->m_nFlags & 0xF000, 0x4000);
            EXPECT_EQ(pStyle->m_crLineColor, Red);
            EXPECT_EQ(pStyle->m_crFill1, White);
        }
    }
}

TEST_F(SeparatorPlot, AggregateSeparatorLayerHasFiveSeries)
{
    SetLists({{{1, 2}}, {{3, 4}}, {{5, 6}, {6, 7}}, {{7, 8}}, {{9, 10}, {11, 12}}},
             {"A", "B", "C", "Lower bound", "Upper bound"});
    DocPtr pDoc = Build(CFennickApp::SeparatorPlot);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(pDoc->GetTitle(), "Separator");
    EXPECT_EQ(chart.GetManagerText(1), "Aggregate Separator Layer");
    EXPECT_EQ(chart.GetGroupCount(), 10);
    const std::vector<std::vector<double>> sizes = {{1}, {3}, {5, 6}, {7}, {9, 11}};
    for (int list = 0; list < 5; ++list)
        ExpectPowers(chart, 2 * list, sizes[list]);
    EXPECT_EQ(GroupValues(chart, 9), (std::vector<double>{10, 12}));
    const std::vector<std::string> legends = {"Base", "Subgrade", "Separator", "Lower bound", "Upper bound"};
    for (int list = 0; list < 5; ++list)
        EXPECT_EQ(GroupText(chart, 2 * list), legends[list]) << list;

    Canvas canvas(800, 600);
    canvas.Draw(chart);
    canvas.SaveBmp("fennick-separator.bmp");

    auto* pLegend = static_cast<QVGraphLegend*>(chart.FindComponent(0, IDS_QVG_LEGEND));
    ASSERT_NE(pLegend, nullptr);
    const QVGraphRect* pRect = pLegend->GetRectObject();
    EXPECT_EQ(pRect->m_dLeft, 10);
    EXPECT_EQ(pRect->m_dTop, 85);
    EXPECT_EQ(pRect->m_dRight, 90);
    EXPECT_EQ(pRect->m_dBottom, 99);
}

class SeparatorWindows : public FennickWindowsTest
{
};

TEST_F(SeparatorWindows, QuarrowsAggregateFileOnTheLogarithmicAxisInInches)
{
    const std::string text = GoldenFile(IDR_PLOT_SEPARATOR_AGGREGATE_ENGLISH_LOG);
    ASSERT_FALSE(text.empty());
    WritePlotFile(text);
    app.ReadPlotData();
    ASSERT_EQ(Documents().size(), 1u);
    CFennickDoc* pDoc = Documents()[0];
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(pDoc->GetTitle(), "Separator");
    EXPECT_EQ(LabelText(chart, 1), "Sieve Size (in)");
    EXPECT_EQ(LabelText(chart, 3), "0.002mm");
    EXPECT_EQ(Label(chart, 3)->GetX(), 22);
    EXPECT_EQ(LabelText(chart, 10), "1\"");
    EXPECT_EQ(Label(chart, 10)->GetStoredFontSize(), 10);
    // On the logarithmic axis the sizes themselves, in inches as the file has them.
    EXPECT_EQ(GroupValues(chart, 0), (std::vector<double>{0.00295, 0.0167, 0.0929, 0.187, 0.375, 0.75, 1}));
    EXPECT_EQ(GroupValues(chart, 8), (std::vector<double>{0.3, 0.075}));
    EXPECT_EQ(GroupText(chart, 6), "Lower bound");
    EXPECT_EQ(GroupText(chart, 8), "Upper bound");
    auto* pDisplay = dynamic_cast<CGradationDisplay*>(chart.FindComponent(0, IDS_QVG_DISPLAY));
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetGraphType(), 34);
    EXPECT_EQ(pDisplay->GetAxisStyle(), 0x0F);
    EXPECT_TRUE(pDisplay->GetAxisOption(QVGDisplayBase::axisLogIndex));
    EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.00001);
    EXPECT_EQ(pDisplay->GetFixedIndexMax(), 10.0);
}

TEST_F(SeparatorWindows, SeparatorFilesOpenTheirChartWindows)
{
    struct Case
    {
        const char* text;
        const char* caption;
        std::vector<std::string> legends;
        std::vector<double> criterionSizes;
    };
    const Case cases[] = {
        {"5 0 0 0 0\n1 2\n3 4\n0 0\n5 6\n0 0\n7 8\n0 0\nA\nB\nUpper bound\n", "NoSeparator",
         {"Base", "Subgrade", "", "Upper bound"}, {7}},
        {"6 0 0 0 0\n1 2\n0 0\n3 4\n0 0\n5 6\n0 0\n7 8\n9 10\n0 0\n11 12\n0 0\nA\nB\nC\nLower bound\n"
         "Upper bound\n",
         "Separator", {"Base", "Subgrade", "Separator", "Lower bound", "Upper bound"}, {7, 9}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.caption);
        WritePlotFile(c.text);
        app.ReadPlotData();
        PumpPendingMessages();
        CFennickDoc* pDoc = Documents().back();
        EXPECT_EQ(FrameCaption(pDoc), c.caption);
        QVGraph& chart = pDoc->GetChart();
        for (size_t i = 0; i < c.legends.size(); ++i)
            EXPECT_EQ(GroupText(chart, int(2 * i)), c.legends[i]) << i;
        ExpectPowers(chart, 6, c.criterionSizes);
    }
    EXPECT_EQ(Documents().size(), 2u);
}

TEST_F(SeparatorPlot, MetricLogarithmicAxisHasTheMillimetreNames)
{
    SetLists({{{0.075, 5}}, {{0.002, 10}}, {{1, 50}}}, {"A", "B", "Upper bound"});
    DocPtr pDoc = Build(CFennickApp::NoSeparatorPlot, 1, 1);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(LabelText(chart, 1), "Sieve Size (mm)");
    EXPECT_EQ(LabelText(chart, 9), "12.5mm");
    EXPECT_EQ(Label(chart, 9)->GetStoredFontSize(), 8);
    EXPECT_EQ(GroupValues(chart, 2), (std::vector<double>{0.002}));
    EXPECT_EQ(Display(*pDoc)->GetFixedIndexMin(), 0.001);
    EXPECT_EQ(Display(*pDoc)->GetFixedIndexMax(), 100.0);
}

TEST_F(SeparatorPlot, OnlyAThirdPointCarriesTheLayersName)
{
    SetLists({{{1, 2}, {3, 4}, {5, 6}}, {{5, 6}, {7, 8}}, {{7, 8}}}, {"A", "B", "Upper bound"});
    DocPtr pDoc = Build(CFennickApp::NoSeparatorPlot);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(chart.FindItem(2, 1)->GetAnnotationText(1), "Base");
    // The subgrade has two points: no third item is made for the text.
    EXPECT_EQ(chart.GetGroupSize(3), 2);
    EXPECT_EQ(chart.GetItemText(3, 2, 1), "");
}

TEST_F(SeparatorPlot, ListsWithoutEndMarksStopAtTheArraysEnd)
{
    for (int i = 0; i < CFennickApp::SeparatorEntries; ++i)
    {
        app.m_dSeparatorX[i] = 1.0 + i;
        app.m_dSeparatorY[i] = i % 100;
    }
    for (int nPlotType : {int(CFennickApp::NoSeparatorPlot), int(CFennickApp::SeparatorPlot)})
    {
        SCOPED_TRACE(nPlotType);
        DocPtr pDoc = Build(nPlotType);
        QVGraph& chart = pDoc->GetChart();
        EXPECT_EQ(GroupValues(chart, 0).size(), 120u);
        EXPECT_TRUE(GroupValues(chart, 2).empty());
        EXPECT_TRUE(GroupValues(chart, 6).empty());
        // The empty criterion still keys with its own symbol.
        EXPECT_EQ(chart.FindItem(0, 6)->GetStyle()->GetShapeType(), 3);
    }
}

TEST_F(SeparatorPlot, CriteriaDrawAsRedEdgedWhiteTrianglesWithoutAJoiningLine)
{
    // Two criterion points apart, between the grid lines (7 mm and 50 percent, 0.5 mm and 55).
    SetLists({{{1, 20}}, {{2, 30}}, {{7, 45}, {0.5, 55}}}, {"A", "B", "Upper bound"});
    DocPtr pDoc = Build(CFennickApp::NoSeparatorPlot);
    QVGraph& chart = pDoc->GetChart();
    Canvas canvas(800, 600);
    canvas.Draw(chart);
    canvas.SaveBmp("fennick-no-separator.bmp");
    CGradationDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);
    const CRect plot = pDisplay->m_rectPlot;
    const CScale xRange = pDisplay->GetDrawnIndexAxisRange();
    const CScale yRange = pDisplay->GetDrawnValueAxisRange();
    EXPECT_DOUBLE_EQ(xRange.m_dMax, Power(37.5));
    EXPECT_EQ(yRange.m_dMax, 100.0);
    ASSERT_GT(plot.Width(), 100);
    auto place = [&](double size, double percent) {
        const double x = (Power(size) - xRange.m_dMin) * plot.Width() / (xRange.m_dMax - xRange.m_dMin) + plot.left;
        const double y = plot.bottom - (percent - yRange.m_dMin) * plot.Height() / (yRange.m_dMax - yRange.m_dMin);
        return CPoint(int(x + 0.5), int(y + 0.5));
    };
    auto hasRed = [&](int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x)
            if (canvas.Pixel(x, y) == Red)
                return true;
        return false;
    };
    for (CPoint point : {place(7, 45), place(0.5, 55)})
    {
        SCOPED_TRACE(std::to_string(point.x) + ", " + std::to_string(point.y));
        // RIGHT_TRI lies right of its point: the edge at x + 8 is red, the inside white.
        EXPECT_TRUE(hasRed(point.x + 7, point.x + 9, point.y));
        EXPECT_EQ(canvas.Pixel(point.x + 5, point.y), White);
        EXPECT_EQ(canvas.Pixel(point.x + 4, point.y - 1), White);
    }
    // Halfway between the two points no line joins them.
    const CPoint a = place(7, 45), b = place(0.5, 55);
    EXPECT_FALSE(hasRed((a.x + b.x) / 2 - 2, (a.x + b.x) / 2 + 2, (a.y + b.y) / 2));
}

} // namespace

TEST_F(SeparatorPlot, ThePowerAxisNamesTheSievesInTheUnitsOfTheSeparatorFile)
{
    SetLists({{{0.075, 10}, {19, 90}}, {{0.075, 5}, {19, 80}}, {{0.3, 50}}}, {"a", "b", "c"});
    for (int nUnits : {0, 1})
    {
        SCOPED_TRACE(nUnits);
        // The last gradation plot was in the other units.
        app.m_nGradationUnits = nUnits != 0 ? 0 : 1;
        DocPtr pDoc = Build(CFennickApp::NoSeparatorPlot, 0, nUnits);
        Canvas canvas(800, 600);
        canvas.Draw(pDoc->GetChart());
        CGradationDisplay* pDisplay = Display(*pDoc);
        ASSERT_NE(pDisplay, nullptr);
        const std::vector<std::string> names = ScaleLabelTexts(pDisplay->GetFirstScale());
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), nUnits != 0 ? "0.075mm" : "#200");
    }
}
