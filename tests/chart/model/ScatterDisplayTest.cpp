// The scatter display: ranges, device coordinates of the points, logarithmic axes, errors, the drawn
// frame, and pictures of whole charts for a person to look at.
#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphFeedback.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"

#include "ChartTestSupport.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
struct Series
{
    std::vector<double> x;
    std::vector<double> y;
};

// Each series takes two groups: its X values, then its Y values.
void AddSeries(QVGraph& chart, int nFirstGroup, const Series& series)
{
    for (size_t i = 0; i < series.x.size(); ++i) {
        chart.SetValue(int(i), nFirstGroup, series.x[i]);
        chart.SetValue(int(i), nFirstGroup + 1, series.y[i]);
    }
}

QVGraphDisplay* AddDisplay(QVGraph& chart, int nGraphType, const CRect& rect)
{
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(rect);
    pDisplay->SetGraphType(nGraphType);
    pDisplay->SetAxisStyle(15);
    chart.AddComponent(pDisplay);
    return pDisplay;
}

std::vector<CPoint> FeedbackPoints(QVGraph& chart)
{
    std::vector<CPoint> points;
    CObList* pList = chart.GetFeedbackList();
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        points.push_back(static_cast<QVGraphFeedback*>(pList->GetNext(pos))->GetPoint());
    return points;
}

// Where a value must land: its place between the ends of the axis range the test fixed (in decades on a
// logarithmic axis), across the plot rectangle the test fixed, rounded to the nearest pixel.
struct Axis
{
    double low;
    double high;
    bool bLog;

    double Fraction(double value) const
    {
        if (bLog)
            return (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
        return (value - low) / (high - low);
    }
};

int ExpectedX(const CRect& plot, const Axis& axis, double value)
{
    return int(std::floor(plot.left + axis.Fraction(value) * plot.Width() + 0.5));
}

int ExpectedY(const CRect& plot, const Axis& axis, double value)
{
    return int(std::floor(plot.bottom - axis.Fraction(value) * plot.Height() + 0.5));
}

// The display draws into the rectangle given and over the ranges given, whatever its labels need.
void FixPlot(QVGraphDisplay& display, const CRect& plot, const Axis& x, const Axis& y)
{
    display.SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    display.SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    display.SetFixedIndexMin(x.low);
    display.SetFixedIndexMax(x.high);
    display.SetFixedValueMin(y.low);
    display.SetFixedValueMax(y.high);
}

QVGraphStyle CurveStyle(COLORREF color, int nShape)
{
    QVGraphStyle style;
    style.SetLineType(2);
    style.m_crLineColor = color;
    style.m_nLineWidth = 2;
    style.SetShapeType(nShape);
    style.SetMarkerFill(0x20);
    style.m_crFill1 = color;
    return style;
}

QVGraphLabel* AxisTitle(LPCTSTR text, int x, int y, double angle)
{
    QVGraphLabel* pLabel = new QVGraphLabel;
    pLabel->SetAnnotation(1, text);
    pLabel->SetPosition(x, y);
    pLabel->SetJustification(8);
    pLabel->SetTextAngle(angle);
    pLabel->SetFont(11, QVGraphTitle::fontBold, "Arial");
    pLabel->GetStyle()->SetFillType(0);
    pLabel->GetStyle()->SetBorderStyle(0);
    return pLabel;
}

void AddFrame(QVGraph& chart, const CRect& area, LPCTSTR title)
{
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(area);
    pBackground->GetStyle()->SetFillType(2);
    pBackground->SetFillColors(RGB(255, 255, 255), RGB(225, 235, 250));
    pBackground->GetStyle()->SetBorderStyle(1);
    chart.AddComponent(pBackground);
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(area.left, area.top + 4, area.right, area.top + 40));
    pTitle->SetText(title, QVGraphTitle::alignCentre);
    pTitle->SetFont(16, QVGraphTitle::fontBold, "Arial");
    pTitle->GetStyle()->SetFillType(0);
    pTitle->GetStyle()->SetBorderStyle(0);
    chart.AddComponent(pTitle);
}
}  // namespace

TEST(ScatterDisplay, GroupPairsLandWhereTheirValuesMapIntoThePlotRectangle)
{
    const struct
    {
        const char* name;
        int nGraphType;
        Axis x;
        Axis y;
        bool bLogIndexOption;    // the Ex form's logarithmic X axis
        bool bLogStyle;          // the style's log option: both axes of type 21
        Series series;
    } cases[] = {
        {"linear", 21, {0.0, 5.0, false}, {0.0, 25.0, false}, false, false, {{0.0, 1.0, 2.0, 4.0}, {0.0, 10.0, 20.0, 15.0}}},
        {"Ex form, X in decades", 34, {1.0, 100.0, true}, {0.0, 40.0, false}, true, false,
         {{1.0, 10.0, 100.0, 3.0}, {0.0, 10.0, 40.0, 25.0}}},
        {"log option, both in decades", 21, {1.0, 100.0, true}, {1.0, 1000.0, true}, false, true,
         {{1.0, 10.0, 100.0, 50.0}, {2.0, 20.0, 200.0, 1000.0}}},
    };
    const CRect plot(60, 30, 380, 270);
    const COLORREF marker = RGB(200, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
        AddSeries(chart, 0, c.series);
        chart.ApplyStyle(0, 0, -1, -1, CurveStyle(marker, 12), TRUE);
        QVGraphDisplay* pDisplay = AddDisplay(chart, c.nGraphType, CRect(0, 0, 400, 300));
        FixPlot(*pDisplay, plot, c.x, c.y);
        if (c.bLogIndexOption)
            pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, TRUE);
        if (c.bLogStyle)
            pDisplay->GetStyle()->SetLogScale(TRUE);
        chart.Draw(&canvas.dc, nullptr);

        const std::vector<CPoint> points = FeedbackPoints(chart);
        ASSERT_EQ(c.series.x.size(), points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            const CPoint expected(ExpectedX(plot, c.x, c.series.x[i]), ExpectedY(plot, c.y, c.series.y[i]));
            EXPECT_EQ(expected, points[i]) << i;
            EXPECT_EQ(marker, canvas.Pixel(expected.x, expected.y)) << "the marker of point " << i;
        }
    }
}

TEST(ScatterDisplay, LabelsTakeRoomAndTheAxesStartAtZero)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    const Series series{{0.0, 1.0, 2.0, 4.0}, {0.0, 10.0, 20.0, 15.0}};
    AddSeries(chart, 0, series);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);

    const std::vector<CPoint> points = FeedbackPoints(chart);
    ASSERT_EQ(4u, points.size());
    const CRect plot = pDisplay->GetPlotRect();
    EXPECT_GT(plot.left, 10);            // the labels of the Y scale took room on the left
    EXPECT_LT(plot.bottom, 300 - 10);    // and those of the X scale at the bottom
    EXPECT_EQ(plot.left, points[0].x);   // the axes start at 0
    EXPECT_EQ(plot.bottom, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].x, points[i - 1].x) << i;
        EXPECT_TRUE(plot.PtInRect(points[i]) || points[i].x == plot.right || points[i].y == plot.top) << i;
    }
    EXPECT_LT(points[2].y, points[3].y);   // 20 is drawn above 15
    // The feedback names the X item.
    QVGraphFeedback* pLast = static_cast<QVGraphFeedback*>(chart.GetFeedbackList()->GetTail());
    EXPECT_EQ(3, pLast->GetIndex());
    EXPECT_EQ(0, pLast->GetGroup());
    EXPECT_EQ(pLast, chart.FindFeedback(points[3].x + 2, points[3].y - 2));
}

TEST(ScatterDisplay, ExFormMapsXByLogarithmsAndYLinearly)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    const Series series{{1.0, 10.0, 100.0}, {0.0, 10.0, 40.0}};
    AddSeries(chart, 0, series);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 34, CRect(0, 0, 400, 300));
    pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, TRUE);
    chart.Draw(&canvas.dc, nullptr);

    const std::vector<CPoint> points = FeedbackPoints(chart);
    ASSERT_EQ(3u, points.size());
    EXPECT_NEAR(points[1].x - points[0].x, points[2].x - points[1].x, 1);          // decades equally wide
    EXPECT_NEAR(3 * (points[0].y - points[1].y), points[1].y - points[2].y, 2);     // 10 and 30 apart
    EXPECT_TRUE(pDisplay->GetFirstScale()->IsKindOf(RUNTIME_CLASS(QVGLogScale)));
    EXPECT_FALSE(pDisplay->GetSecondScale()->IsKindOf(RUNTIME_CLASS(QVGLogScale)));
}

TEST(ScatterDisplay, LogOptionMakesBothAxesOfTypeTwentyOneLogarithmic)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    const Series series{{1.0, 10.0, 100.0}, {2.0, 20.0, 200.0}};
    AddSeries(chart, 0, series);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    pDisplay->GetStyle()->SetLogScale(TRUE);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<CPoint> points = FeedbackPoints(chart);
    ASSERT_EQ(3u, points.size());
    EXPECT_NEAR(points[1].x - points[0].x, points[2].x - points[1].x, 1);
    EXPECT_NEAR(points[0].y - points[1].y, points[1].y - points[2].y, 1);
}

TEST(ScatterDisplay, ThreeGroupsReportErrorTwentyThreeAndTheChartStaysUsable)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, 1.0, 2.0}, {5.0, 6.0, 7.0}});
    chart.SetValue(0, 2, 9.0);
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("An even number of data items is required for this operation.", box.calls[0].text);
    EXPECT_TRUE(FeedbackPoints(chart).empty());
    EXPECT_FALSE(QVGraph::IsAnyDrawPassRunning());

    pDisplay->SetDataRange(-1, -1, 0, 1);   // only the first two groups
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, box.calls.size());
    EXPECT_EQ(3u, FeedbackPoints(chart).size());
}

TEST(ScatterDisplay, OneNullItemOfAPairIsErrorSevenTwoBreakTheCurveOnlyOnRequest)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, 1.0, 2.0}, {5.0, 6.0, 7.0}});
    chart.GetItem(1, 1)->SetNull(TRUE);
    AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("A required data item was found to contain a null value.", box.calls[0].text);

    chart.GetItem(1, 0)->SetNull(TRUE);   // both null: the pair is stepped over
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, box.calls.size());
    EXPECT_EQ(2u, FeedbackPoints(chart).size());
}

TEST(ScatterDisplay, FixedYRangeKeepsOutsidePointsFromWideningX)
{
    QVGraph chart;
    AddSeries(chart, 0, Series{{1.0, 2.0, 50.0}, {10.0, 20.0, 150.0}});
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(21);
    chart.AddComponent(pDisplay);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMin(0.0);
    pDisplay->SetFixedValueMax(100.0);
    pDisplay->PrepareDisplay();
    EXPECT_DOUBLE_EQ(1.0, pDisplay->IndexDataRange().m_dMin);
    EXPECT_DOUBLE_EQ(2.0, pDisplay->IndexDataRange().m_dMax);
    EXPECT_DOUBLE_EQ(0.0, pDisplay->ValueDataRange().m_dMin);
    EXPECT_DOUBLE_EQ(100.0, pDisplay->ValueDataRange().m_dMax);
}

TEST(ScatterDisplay, FarPointsAreClampedToTheSixteenBitRange)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, 1.0, 1e9}, {0.0, 1.0, 1.0}});
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    CScale x;
    x.Include(0.0);
    x.Include(2.0);
    pDisplay->SetIndexAxisRange(x);   // a zoom that leaves the last point far outside
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<CPoint> points = FeedbackPoints(chart);
    ASSERT_EQ(3u, points.size());
    EXPECT_EQ(32767 - canvas.dc.GetDeviceCaps(LOGPIXELSX) / 2, points[2].x);
}

TEST(ScatterDisplay, FrameHasGridLinesTicksAndLabels)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, 10.0}, {0.0, 100.0}});
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    QVGDecimalScale* pX = pDisplay->GetFirstScale();
    QVGDecimalScale* pY = pDisplay->GetSecondScale();
    ASSERT_NE(nullptr, pX);
    ASSERT_NE(nullptr, pY);
    EXPECT_GE(pX->GetLabelCount(), 3);
    EXPECT_GE(pY->GetLabelCount(), 3);
    const CRect plot = pDisplay->GetPlotRect();
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(plot.left, (plot.top + plot.bottom) / 2));   // frame
    const CPoint yTick = pY->GetAnchorList()->GetAt(pY->GetAnchorList()->FindIndex(1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(yTick.x - 3, yTick.y));                   // tick outside
    int grid = 0;
    for (int x = plot.left + 1; x < plot.right; ++x)
        grid += canvas.Pixel(x, yTick.y) != RGB(255, 255, 255);
    EXPECT_GT(grid, plot.Width() / 4);                                               // dotted grid line
    EXPECT_FALSE(pX->GetLabelBounds().IsRectEmpty());
    EXPECT_GT(pX->GetLabelBounds().top, plot.bottom);
    EXPECT_LT(pY->GetLabelBounds().right, plot.left);
}

TEST(ScatterDisplay, PicturesOfWholeCharts)
{
    {
        CMemoryCanvas canvas(640, 480);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 640, 480), 0);
        AddFrame(chart, CRect(0, 0, 640, 480), "Sensitivity of the base");
        Series first, second;
        for (int i = 0; i <= 10; ++i) {
            first.x.push_back(i);
            first.y.push_back(i * i * 0.9);
            second.x.push_back(i + 0.5);
            second.y.push_back(50 + 30 * std::sin(i * 0.7));
        }
        AddSeries(chart, 0, first);
        AddSeries(chart, 2, second);
        chart.ApplyStyle(0, 0, -1, -1, CurveStyle(RGB(200, 0, 0), 12), TRUE);
        chart.ApplyStyle(2, 2, -1, -1, CurveStyle(RGB(0, 0, 200), 13), TRUE);
        QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(40, 40, 630, 440));
        pDisplay->GetStyle()->SetFillType(0);
        pDisplay->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(AxisTitle("Depth of flow (in.)", 335, 458, 0));
        chart.AddComponent(AxisTitle("Time to drain (h)", 20, 240, 90));
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(22u, FeedbackPoints(chart).size());
        canvas.SaveBmp("chart_scatter.bmp");
    }
    {
        CMemoryCanvas canvas(640, 480);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 640, 480), 0);
        AddFrame(chart, CRect(0, 0, 640, 480), "Grain size distribution");
        const Series gradation{{0.075, 0.15, 0.3, 0.6, 1.18, 2.36, 4.75, 9.5, 19.0, 25.0, 37.5},
                               {2.0, 4.0, 7.0, 12.0, 18.0, 27.0, 40.0, 62.0, 85.0, 95.0, 100.0}};
        const Series bound{{0.075, 0.3, 1.18, 4.75, 19.0, 37.5}, {0.0, 5.0, 10.0, 30.0, 70.0, 100.0}};
        AddSeries(chart, 0, gradation);
        AddSeries(chart, 2, bound);
        chart.ApplyStyle(0, 0, -1, -1, CurveStyle(RGB(0, 120, 0), 14), TRUE);
        QVGraphStyle boundStyle = CurveStyle(RGB(220, 0, 0), 3);
        boundStyle.m_strText = "LEFT_TRI";
        boundStyle.m_nLineWidth = 1;
        chart.ApplyStyle(2, 2, -1, -1, boundStyle, TRUE);
        QVGraphDisplay* pDisplay = AddDisplay(chart, 34, CRect(40, 40, 630, 440));
        pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, TRUE);
        pDisplay->GetStyle()->SetFillType(0);
        pDisplay->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(AxisTitle("Sieve size (mm)", 335, 458, 0));
        chart.AddComponent(AxisTitle("Percent passing", 20, 240, 90));
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(17u, FeedbackPoints(chart).size());
        canvas.SaveBmp("chart_scatter_log.bmp");
    }
}

TEST(ScatterDisplay, NonNumbersNeitherWidenRangesNorGetDrawn)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, std::nan(""), 2.0}, {1.0, 5.0, 3.0}});
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(2u, FeedbackPoints(chart).size());
    EXPECT_TRUE(std::isfinite(pDisplay->GetDrawnIndexAxisRange().m_dMax));
    EXPECT_TRUE(std::isfinite(pDisplay->GetDrawnValueAxisRange().m_dMax));
}

TEST(ScatterDisplay, GridLinesTakeTheDisplaysGridColour)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    AddSeries(chart, 0, Series{{0.0, 10.0}, {0.0, 100.0}});
    QVGraphDisplay* pDisplay = AddDisplay(chart, 21, CRect(0, 0, 400, 300));
    pDisplay->SetGridColor(RGB(255, 0, 0));
    chart.Draw(&canvas.dc, nullptr);
    QVGDecimalScale* pY = pDisplay->GetSecondScale();
    ASSERT_NE(nullptr, pY);
    const CPoint yTick = pY->GetAnchorList()->GetAt(pY->GetAnchorList()->FindIndex(1));
    const CRect plot = pDisplay->GetPlotRect();
    int red = 0;
    for (int x = plot.left + 1; x < plot.right; ++x)
        red += canvas.Pixel(x, yTick.y) == RGB(255, 0, 0);
    EXPECT_GT(red, plot.Width() / 4);
}

namespace {
// A plain X scale of a class of its own, for a display that draws its axes through the scatter layout.
class CTestPlainScale : public QVGDecimalScale
{
    DECLARE_DYNCREATE(CTestPlainScale)
};
IMPLEMENT_DYNCREATE(CTestPlainScale, QVGDecimalScale)

// A display whose axes (axis style 0xC0 reaches the hook) are the scatter layout with its own steps.
class CStepDisplay : public QVGraphDisplay
{
public:
    void DrawCustomAxes() override { LayoutScatterScales(RUNTIME_CLASS(CTestPlainScale)); }

protected:
    double GetScaleStep(bool bFirst) override { return bFirst ? 2.5 : 25.0; }
};
}  // namespace

TEST(ScatterDisplay, TheScatterLayoutMakesThePlainXScaleOfTheClassAskedWithTheDisplaysSteps)
{
    struct Case
    {
        bool bLogX;
        CRuntimeClass* pFirstClass;
    };
    for (const Case& c : {Case{false, RUNTIME_CLASS(CTestPlainScale)}, Case{true, RUNTIME_CLASS(QVGLogScale)}})
    {
        SCOPED_TRACE(c.bLogX);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
        AddSeries(chart, 0, Series{{1.0, 10.0}, {0.0, 100.0}});
        auto* pDisplay = new CStepDisplay;
        pDisplay->SetIntRect(CRect(0, 0, 400, 300));
        pDisplay->SetGraphType(34);
        pDisplay->SetAxisStyle(0xC0);
        pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, c.bLogX);
        chart.AddComponent(pDisplay);
        chart.Draw(&canvas.dc, nullptr);
        QVGDecimalScale* pX = pDisplay->GetFirstScale();
        QVGDecimalScale* pY = pDisplay->GetSecondScale();
        ASSERT_NE(nullptr, pX);
        ASSERT_NE(nullptr, pY);
        EXPECT_EQ(pX->GetRuntimeClass(), c.pFirstClass);
        EXPECT_EQ(pY->GetRuntimeClass(), RUNTIME_CLASS(QVGDecimalScale));
        EXPECT_EQ(pX->GetStep(), 2.5);
        EXPECT_EQ(pY->GetStep(), 25.0);
        // Drawn again, the scales fit and stay.
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(pDisplay->GetFirstScale(), pX);
    }
}
