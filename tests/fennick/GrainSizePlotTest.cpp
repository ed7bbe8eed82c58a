// The grain-size chart a new document builds from a gradation file (plot type 12): the layout on the
// logarithmic axis with its sieve names and on the 0.45-power axis, the series and their legends, the
// axis limits, and files that end early or hold something else than numbers.
#include "ChartInspection.h"

#include "chart/model/GraphBackground.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphRect.h"
#include "fennick/GradationDisplay.h"
#include "fennick/SieveSizeScale.h"

#include <cmath>

using namespace chart_inspection;

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 128, 0);

// A subgrade with bounds in millimetres on the logarithmic axis, as the sieve page writes it.
const char SubgradeWithBounds[] = "1 1 1 1\n"
                                  "0.002 5 10 15\n"
                                  "0.075 20 30 40\n"
                                  "4.75 60 70 80\n"
                                  "25 90 95 100\n"
                                  "0 0 0 0\n"
                                  "Silty sand";

class GrainSizePlot : public ::testing::Test
{
protected:
    CFennickApp app;
    std::string folder = FreshFolder("grain");

    void SetUp() override
    {
        app.m_strInstallDir = folder.c_str();
        app.m_nGradationCount = 1;
    }

    // A new document of plot type 12 on the plot file of the text.
    DocPtr Build(const std::string& text)
    {
        WriteFile(folder + "\\plot.tmp", text);
        app.m_nCurrentPlotType = CFennickApp::GradationPlot;
        DocPtr pDoc(new CFennickDoc);
        EXPECT_TRUE(pDoc->OnNewDocument());
        return pDoc;
    }

    static CGradationDisplay* Display(CFennickDoc& doc)
    {
        return dynamic_cast<CGradationDisplay*>(doc.GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
};

TEST_F(GrainSizePlot, ASubgradeWithBoundsInMillimetresOnTheLogarithmicAxis)
{
    DocPtr pDoc = Build(SubgradeWithBounds);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(pDoc->GetTitle(), "Subgrade1");
    EXPECT_EQ(pDoc->GetPlotType(), CFennickApp::GradationPlot);
    EXPECT_EQ(app.m_nGradationUnits, 1);
    EXPECT_EQ(chart.GetManagerText(1), "Grain-size Distribution - Subgrade");
    EXPECT_TRUE(chart.GetFeedbackEnabled());
    EXPECT_TRUE(chart.GetDoubleBuffering());

    // Background, display, the three labels, the eight sieve names, the legend.
    ASSERT_EQ(chart.GetComponentList()->GetCount(), 14);
    ASSERT_NE(ComponentAt<QVGraphBackground>(chart, 0), nullptr);
    auto* pDisplay = ComponentAt<CGradationDisplay>(chart, 1);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetGraphType(), 34);
    EXPECT_EQ(pDisplay->GetAxisStyle(), 0x0F);
    EXPECT_TRUE(pDisplay->GetAxisOption(QVGDisplayBase::axisLogIndex));
    EXPECT_EQ(pDisplay->GetRectObject()->m_dTop, 8);
    EXPECT_EQ(pDisplay->GetRectObject()->m_dBottom, 85);
    EXPECT_TRUE(pDisplay->GetOption(QVGDisplayBase::optionFixedRanges));
    EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.001);
    EXPECT_EQ(pDisplay->GetFixedIndexMax(), 100.0);
    EXPECT_EQ(pDisplay->GetFixedValueMin(), 0.0);
    EXPECT_EQ(pDisplay->GetFixedValueMax(), 100.0);
    EXPECT_EQ(pDisplay->m_dYStep, 10.0);
    EXPECT_EQ(pDisplay->GetIndexScaleStep(), 10.0);

    EXPECT_EQ(LabelText(chart, 0), "Percent Passing");
    EXPECT_EQ(LabelText(chart, 1), "Sieve Size (mm)");
    EXPECT_EQ(Label(chart, 1)->GetY(), 87);
    EXPECT_EQ(LabelText(chart, 2), "Grain-size Distribution - Subgrade");
    struct Name
    {
        const char* text;
        double x;
    };
    const Name names[8] = {{"0.002mm", 13}, {"0.020mm", 32}, {"0.075mm", 42}, {"0.425mm", 55},
                           {"2.36mm", 65},  {"4.75mm", 74},  {"12.5mm", 80},  {"25mm", 85.5}};
    for (int i = 0; i < 8; ++i)
    {
        SCOPED_TRACE(i);
        QVGraphLabel* pLabel = ComponentAt<QVGraphLabel>(chart, 5 + i);
        ASSERT_NE(pLabel, nullptr);
        EXPECT_EQ(pLabel->GetCurrentText(), names[i].text);
        EXPECT_EQ(pLabel->GetX(), names[i].x);
        EXPECT_EQ(pLabel->GetY(), 9);
        EXPECT_EQ(pLabel->GetStoredFontSize(), 8);
        EXPECT_EQ(pLabel->GetJustification(), 8);
        EXPECT_EQ(pLabel->GetTextAngle(), 0);
        EXPECT_EQ(pLabel->GetRectObject()->GetMeasurement(), QVGraphRect::percent);
    }

    // On the logarithmic axis the sizes are the x values themselves.
    EXPECT_EQ(GroupValues(chart, 0), (std::vector<double>{0.002, 0.075, 4.75, 25}));
    EXPECT_EQ(GroupValues(chart, 1), (std::vector<double>{10, 30, 70, 95}));
    EXPECT_EQ(GroupValues(chart, 2), GroupValues(chart, 0));
    EXPECT_EQ(GroupValues(chart, 3), (std::vector<double>{5, 20, 60, 90}));
    EXPECT_EQ(GroupValues(chart, 4), GroupValues(chart, 0));
    EXPECT_EQ(GroupValues(chart, 5), (std::vector<double>{15, 40, 80, 100}));

    struct Series
    {
        int nGroup;
        const char* legend;
        int nCode;
        COLORREF crColor;
    };
    for (const Series& s : {Series{0, "Silty sand", 4, Red}, Series{2, "Lower Bound", 5, Black},
                            Series{4, "Upper Bound", 7, Green}})
    {
        SCOPED_TRACE(s.nGroup);
        EXPECT_EQ(GroupText(chart, s.nGroup), s.legend);
        for (int nGroup : {s.nGroup, s.nGroup + 1})
        {
            QVGraphStyle* pStyle = chart.FindItem(3, nGroup)->GetStyle();
            EXPECT_EQ(pStyle->GetLineType(), s.nCode);
            EXPECT_EQ(pStyle->GetShapeType(), 4);
            EXPECT_EQ(pStyle->m_crLineColor, s.crColor);
            EXPECT_EQ(pStyle->m_nLineWidth, 1);
        }
    }

    Canvas canvas(800, 600);
    canvas.Draw(chart);
    canvas.SaveBmp("fennick-grain-size-log.bmp");
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMin, 0.001);
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMax, 100.0);
    EXPECT_EQ(ScaleLabelTexts(pDisplay->GetSecondScale()),
              (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));

    auto* pLegend = ComponentAt<QVGraphLegend>(chart, 13);
    ASSERT_NE(pLegend, nullptr);
    EXPECT_EQ(pLegend->GetRectObject()->m_dLeft, 5);
    EXPECT_EQ(pLegend->GetRectObject()->m_dTop, 90);
    EXPECT_EQ(pLegend->GetRectObject()->m_dRight, 95);
    EXPECT_EQ(pLegend->GetRectObject()->m_dBottom, 99);   // the frame's lower line inside the window
    EXPECT_EQ(pLegend->GetKeyOptions(), QVGraphLegend::keyFitHeight);
    EXPECT_EQ(pLegend->GetStoredFontSize(), 10);
    EXPECT_EQ(pLegend->GetStyle()->GetBorderStyle(), 7);
    EXPECT_EQ(pLegend->GetGroupStride(), 2);
}

TEST_F(GrainSizePlot, TitlesLabelsAndSieveNamesFollowLayerAxisAndUnits)
{
    struct Case
    {
        const char* header;
        const char* documentTitle;
        const char* chartTitle;
        const char* xLabel;
        int nSieveNames;
        const char* firstName;
        double firstX;
        const char* lastName;
        double lastX;
        int nFontSize;
        double xMin, xMax;
    };
    const double powerMax = std::pow(37.5, 0.45);
    const Case cases[] = {
        {"0 0 1 0", "Base1", "Grain-size Distribution - Base Course", "Sieve Size (in)", 8, "0.002mm", 22, "1\"", 82,
         10, 0.00001, 10},
        {"2 0 1 1", "Seperator1", "Grain-size Distribution - Seperator", "Sieve Size (mm)", 8, "0.002mm", 13, "25mm",
         85.5, 8, 0.001, 100},
        {"0 0 0 1", "Base1", "Grain-size Distribution - Base Course", "Sieve Size", 0, "", 0, "", 0, 0, 0, powerMax},
        {"1 1 0 0", "Subgrade1", "Grain-size Distribution - Subgrade", "Sieve Size", 0, "", 0, "", 0, 0, 0, powerMax},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.header);
        DocPtr pDoc = Build(std::string(c.header) + "\n1 50\n0 0\nlegend");
        QVGraph& chart = pDoc->GetChart();
        EXPECT_EQ(pDoc->GetTitle(), c.documentTitle);
        EXPECT_EQ(LabelText(chart, 1), c.xLabel);
        EXPECT_EQ(LabelText(chart, 2), c.chartTitle);
        EXPECT_EQ(chart.GetManagerText(1), c.chartTitle);
        EXPECT_EQ(LabelText(chart, 3 + c.nSieveNames), "(none)");
        if (c.nSieveNames > 0)
        {
            EXPECT_EQ(LabelText(chart, 3), c.firstName);
            EXPECT_EQ(Label(chart, 3)->GetX(), c.firstX);
            EXPECT_EQ(LabelText(chart, 10), c.lastName);
            EXPECT_EQ(Label(chart, 10)->GetX(), c.lastX);
            EXPECT_EQ(Label(chart, 10)->GetStoredFontSize(), c.nFontSize);
        }
        CGradationDisplay* pDisplay = Display(*pDoc);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_EQ(pDisplay->GetFixedIndexMin(), c.xMin);
        EXPECT_DOUBLE_EQ(pDisplay->GetFixedIndexMax(), c.xMax);
    }
}

TEST_F(GrainSizePlot, ThePowerAxisEndsAboveTheLargestSieve)
{
    struct Case
    {
        const char* rows;
        double xMax;
    };
    const Case cases[] = {
        {"0.075 2\n19 80\n50 100\n", std::pow(51.0, 0.45)},
        {"0.075 2\n19 100\n", std::pow(37.5, 0.45)},
        {"37.5 100\n", std::pow(38.5, 0.45)},
        {"37.4 100\n", std::pow(37.5, 0.45)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.rows);
        DocPtr pDoc = Build(std::string("0 0 0 0\n") + c.rows + "0 0\nCrushed stone");
        CGradationDisplay* pDisplay = Display(*pDoc);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_EQ(pDisplay->GetGraphType(), 21);
        EXPECT_EQ(pDisplay->GetAxisStyle(), 0xC0);
        EXPECT_FALSE(pDisplay->GetAxisOption(QVGDisplayBase::axisLogIndex));
        EXPECT_DOUBLE_EQ(pDisplay->GetFixedIndexMax(), c.xMax);
        EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.0);
        EXPECT_EQ(pDisplay->GetFixedValueMax(), 100.0);
    }
}

TEST_F(GrainSizePlot, WithoutBoundsOneSeriesOnThePowerAxis)
{
    DocPtr pDoc = Build("0 0 0 0\n0.075 2\n4.75 25\n19 80\n0 0\nCrushed stone 57\n");
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(app.m_nGradationUnits, 0);
    EXPECT_EQ(chart.GetGroupCount(), 2);
    const std::vector<double> x = GroupValues(chart, 0);
    ASSERT_EQ(x.size(), 3u);
    EXPECT_DOUBLE_EQ(x[0], std::pow(0.075, 0.45));
    EXPECT_DOUBLE_EQ(x[1], std::pow(4.75, 0.45));
    EXPECT_DOUBLE_EQ(x[2], std::pow(19.0, 0.45));
    EXPECT_EQ(GroupValues(chart, 1), (std::vector<double>{2, 25, 80}));
    EXPECT_EQ(GroupText(chart, 0), "Crushed stone 57");
    Canvas canvas(800, 600);
    canvas.Draw(chart);
    canvas.SaveBmp("fennick-grain-size-power.bmp");
    // The power axis is labelled with sieve names, in inches for a file in inches.
    CGradationDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_NE(dynamic_cast<CSieveSizeScale*>(pDisplay->GetFirstScale()), nullptr);
    const std::vector<std::string> names = ScaleLabelTexts(pDisplay->GetFirstScale());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "#200");
    EXPECT_EQ(names.back(), "1 1/2\"");
    auto* pLegend = static_cast<QVGraphLegend*>(chart.FindComponent(0, IDS_QVG_LEGEND));
    ASSERT_NE(pLegend, nullptr);
    EXPECT_EQ(pLegend->GetRectObject()->m_dLeft, 20);
    EXPECT_EQ(pLegend->GetRectObject()->m_dRight, 80);
    // Without sieve names the legend follows the title.
    EXPECT_EQ(chart.GetComponentList()->GetCount(), 6);
}

TEST_F(GrainSizePlot, AFirstRowOfSizeZeroGivesTheLegendAndNoPoints)
{
    for (const char* text : {"1 1 0 1\n0 0 0 0\nSilty sand", "0 0 0 0\n0 0\nSilty sand\r\n"})
    {
        SCOPED_TRACE(text);
        DocPtr pDoc = Build(text);
        QVGraph& chart = pDoc->GetChart();
        EXPECT_EQ(GroupText(chart, 0), "Silty sand");
        for (int nGroup = 0; nGroup < chart.GetGroupCount(); ++nGroup)
            EXPECT_TRUE(GroupValues(chart, nGroup).empty()) << nGroup;
        EXPECT_NE(chart.FindComponent(0, IDS_QVG_LEGEND), nullptr);
        // The key shows the series' own line, not the library's default item.
        EXPECT_EQ(chart.FindItem(0, 0)->GetStyle()->m_crLineColor, Red);
        EXPECT_DOUBLE_EQ(Display(*pDoc)->GetFixedIndexMax(), std::pow(37.5, 0.45));
    }
}

TEST_F(GrainSizePlot, RowsEndAtTheFilesEndOrAtAWordAndTheLegendIsOneLine)
{
    struct Case
    {
        const char* text;
        std::vector<double> values;
        const char* legend;
    };
    const Case cases[] = {
        // No end row: the rows run to the end, and there is no legend.
        {"0 0 1 1\n0.075 2\n4.75 25", {2, 25}, ""},
        // A word where a number belongs ends the rows without looping.
        {"0 0 1 1\n0.075 2\n4.75 twenty\n19 80\n0 0\nlegend", {2}, ""},
        // A row cut short by the end of the file is no row.
        {"0 1 1 1\n0.075 1 2 3\n4.75 20 25\n", {2}, ""},
        // Only the rest of the end row's line is skipped; a legend of blanks stays as it is.
        {"0 0 1 1\n0.075 2\n0 0 trailing\n  spaced legend  \nnext line", {2}, "  spaced legend  "},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        DocPtr pDoc = Build(c.text);
        QVGraph& chart = pDoc->GetChart();
        EXPECT_EQ(GroupValues(chart, 1), c.values);
        EXPECT_EQ(GroupText(chart, 0), c.legend);
    }

    // A legend longer than a caption of the plot file is cut at 1023 characters.
    DocPtr pDoc = Build("0 0 1 1\n0.075 2\n0 0\n" + std::string(1500, 'x') + "\n");
    EXPECT_EQ(GroupText(pDoc->GetChart(), 0), std::string(1023, 'x'));
}

TEST_F(GrainSizePlot, AFileThatIsNoGradationLeavesTheChartEmpty)
{
    for (const char* text : {"3 1 1 1\n0.075 1 2 3\n0 0 0 0\nx", "-1 0 0 0\n1 2\n0 0\nx", "", "base 0 0 0\n"})
    {
        SCOPED_TRACE(text);
        WriteFile(folder + "\\plot.tmp", text);
        app.m_nCurrentPlotType = CFennickApp::GradationPlot;
        DocPtr pDoc(new CFennickDoc);
        // The document opens, with an empty chart and the framework's title.
        EXPECT_TRUE(pDoc->OnNewDocument());
        EXPECT_EQ(pDoc->GetChart().GetComponentList()->GetCount(), 0);
        EXPECT_EQ(pDoc->GetChart().GetGroupCount(), 0);
        EXPECT_FALSE(pDoc->BuildGradationPlot(app.GetPlotFilePath()));
    }

    ::DeleteFileA((folder + "\\plot.tmp").c_str());
    DocPtr pDoc(new CFennickDoc);
    EXPECT_FALSE(pDoc->BuildGradationPlot(app.GetPlotFilePath()));
    EXPECT_EQ(pDoc->GetChart().GetComponentList()->GetCount(), 0);
}

// ---- Through the reader and the reload, in Fennick's windows ----

class GrainSizeWindows : public FennickWindowsTest
{
};

TEST_F(GrainSizeWindows, GradationPlotsAreNumberedByTheCounter)
{
    WritePlotFile("0 0 0 0\n0.075 2\n19 80\n0 0\nCrushed stone");
    app.ReadPlotData();
    app.ReloadPlot();
    WritePlotFile("1 0 0 1\n0.075 2\n0 0\nClay");
    app.ReloadPlot();
    // A separator layer's gradation does not advance the counter.
    WritePlotFile("2 0 0 1\n0.075 2\n0 0\nSand");
    app.ReloadPlot();
    PumpPendingMessages();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Base1", "Base2", "Subgrade3", "Seperator3"}));
    const std::vector<CFennickDoc*> docs = Documents();
    ASSERT_EQ(docs.size(), 4u);
    EXPECT_EQ(FrameCaption(docs[2]), "Subgrade3");
    for (CFennickDoc* pDoc : docs)
        EXPECT_EQ(pDoc->GetPlotType(), CFennickApp::GradationPlot);
}

} // namespace

namespace {

// The sieve names a chart's power axis shows when it is drawn now.
std::vector<std::string> SieveNamesDrawn(CFennickDoc& doc)
{
    Canvas canvas(800, 600);
    canvas.Draw(doc.GetChart());
    auto* pDisplay = dynamic_cast<CGradationDisplay*>(doc.GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    return pDisplay != nullptr ? ScaleLabelTexts(pDisplay->GetFirstScale()) : std::vector<std::string>();
}

} // namespace

TEST_F(GrainSizePlot, EachChartKeepsTheUnitsOfItsOwnGradation)
{
    DocPtr pEnglish = Build("0 0 0 0\n0.075 2\n4.75 25\n19 80\n0 0\nEnglish base\n");
    ASSERT_FALSE(SieveNamesDrawn(*pEnglish).empty());
    EXPECT_EQ(SieveNamesDrawn(*pEnglish).front(), "#200");

    // A metric gradation opened beside it names its own sieves in millimetres ...
    DocPtr pMetric = Build("0 0 0 1\n0.075 2\n4.75 25\n19 80\n0 0\nMetric base\n");
    ASSERT_FALSE(SieveNamesDrawn(*pMetric).empty());
    EXPECT_EQ(SieveNamesDrawn(*pMetric).front(), "0.075mm");

    // ... and the English chart, drawn again, still shows the English names.
    const std::vector<std::string> names = SieveNamesDrawn(*pEnglish);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "#200");
    EXPECT_EQ(names.back(), "1 1/2\"");
}
