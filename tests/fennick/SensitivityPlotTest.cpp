// The sensitivity charts a new document builds: the shared layout, the titles and labels by plot type
// and units, the series with their styles and legends, and the axis limits and steps.
#include "ChartInspection.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "fennick/SensitivityDisplay.h"

#include <array>
#include <memory>

using namespace chart_inspection;

namespace {

class SensitivityPlot : public ::testing::Test
{
protected:
    CFennickApp app;

    // Rows (x, y, z) of the point table of the plot type; the point count is the number of rows.
    void SetRows(int nPlotType, const std::vector<std::array<double, 3>>& rows)
    {
        app.m_nPointCount = int(rows.size());
        for (size_t i = 0; i < rows.size() && i < CFennickApp::PointRows; ++i)
            for (int j = 0; j < 3; ++j)
                app.m_dPointTables[nPlotType][i][j] = rows[i][j];
    }

    DocPtr Build(int nPlotType, bool bMetric = false)
    {
        app.m_nCurrentPlotType = nPlotType;
        app.m_nUnits = bMetric ? 1 : 0;
        DocPtr pDoc(new CFennickDoc);
        EXPECT_TRUE(pDoc->OnNewDocument());
        return pDoc;
    }

    static CSensitivityDisplay* Display(CFennickDoc& doc)
    {
        return dynamic_cast<CSensitivityDisplay*>(doc.GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
};

TEST_F(SensitivityPlot, TheChartHasTheSharedLayoutInItsOrder)
{
    SetRows(0, {{0.1, 3, 4}, {0.2, 2, 3}});
    DocPtr pDoc = Build(0);
    QVGraph& chart = pDoc->GetChart();
    ASSERT_EQ(chart.GetComponentList()->GetCount(), 6);
    EXPECT_TRUE(chart.GetFeedbackEnabled());
    EXPECT_TRUE(chart.GetDoubleBuffering());
    EXPECT_EQ(chart.GetManagerText(1), "Time to Drain vs. Effective Porosity");

    auto* pBackground = ComponentAt<QVGraphBackground>(chart, 0);
    ASSERT_NE(pBackground, nullptr);
    EXPECT_EQ(pBackground->GetStyle()->GetFillType(), 1);
    EXPECT_EQ(pBackground->GetStyle()->m_crFill1, RGB(255, 255, 255));

    auto* pDisplay = ComponentAt<CSensitivityDisplay>(chart, 1);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetGraphType(), 34);
    EXPECT_EQ(pDisplay->GetAxisStyle(), 0xC0);
    EXPECT_EQ(pDisplay->GetStyle()->m_crColor, RGB(255, 255, 255));
    EXPECT_EQ(pDisplay->GetGridColor(), RGB(0, 0, 0));
    QVGraphRect* pRect = pDisplay->GetRectObject();
    EXPECT_EQ(pRect->GetMeasurement(), QVGraphRect::percent);
    EXPECT_EQ(pRect->m_dLeft, -1);
    EXPECT_EQ(pRect->m_dTop, 5);
    EXPECT_EQ(pRect->m_dRight, -1);
    EXPECT_EQ(pRect->m_dBottom, 85);

    struct LabelPlace
    {
        double x, y, angle;
        int nAnchor, nSize;
        const char* text;
    };
    const LabelPlace places[] = {
        {3, 42, 90, 6, 12, "Time to Drain (hrs)"},
        {50, 87, 0, 8, 12, "Effective Porosity"},
        {50, 3, 0, 8, 14, "Time to Drain vs. Effective Porosity"},
    };
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        auto* pLabel = ComponentAt<QVGraphLabel>(chart, 2 + i);
        ASSERT_NE(pLabel, nullptr);
        EXPECT_EQ(pLabel->GetRectObject()->GetMeasurement(), QVGraphRect::percent);
        EXPECT_EQ(pLabel->GetX(), places[i].x);
        EXPECT_EQ(pLabel->GetY(), places[i].y);
        EXPECT_EQ(pLabel->GetTextAngle(), places[i].angle);
        EXPECT_EQ(pLabel->GetJustification(), places[i].nAnchor);
        EXPECT_EQ(pLabel->GetStoredFontSize(), places[i].nSize);
        EXPECT_EQ(pLabel->GetCurrentText(), places[i].text);
    }

    auto* pLegend = ComponentAt<QVGraphLegend>(chart, 5);
    ASSERT_NE(pLegend, nullptr);
    EXPECT_EQ(pLegend->GetRectObject()->GetMeasurement(), QVGraphRect::percent);
    EXPECT_EQ(pLegend->GetRectObject()->m_dLeft, 5);
    EXPECT_EQ(pLegend->GetRectObject()->m_dTop, 90);
    EXPECT_EQ(pLegend->GetRectObject()->m_dRight, 95);
    EXPECT_EQ(pLegend->GetRectObject()->m_dBottom, 99);   // the frame's lower line inside the window
    EXPECT_EQ(pLegend->GetKeyOptions(), QVGraphLegend::keyFitHeight);
    EXPECT_EQ(pLegend->GetStoredKeyKind(), QVGraphLegend::keyPerGroup);
    EXPECT_TRUE(pLegend->GetStyle()->GetOption(3));
    EXPECT_EQ(pLegend->GetStyle()->m_nFlags & 0xF000, 0x1000);
    EXPECT_EQ(pLegend->GetStyle()->GetBorderStyle(), 7);
    EXPECT_EQ(pLegend->GetGroupStride(), 2);
    EXPECT_EQ(pLegend->GetStoredFontSize(), 10);
}

TEST_F(SensitivityPlot, TitlesAndLabelsFollowThePlotTypeAndTheUnits)
{
    struct Case
    {
        int t;
        const char* documentTitle;
        const char* chartTitle;
        const char* metricX;
        const char* englishX;
    };
    const Case cases[] = {
        {0, "Porosity", "Time to Drain vs. Effective Porosity", "Effective Porosity", "Effective Porosity"},
        {1, "Permeability", "Time to Drain vs. Base Course  Permeability", "Permeability (m/d)", "Permeability (ft/d)"},
        {2, "Slope", "Time to Drain vs. Resultant Slope", "Resultant Slope (m/m)", "Resultant Slope (ft/ft)"},
        {3, "Length", "Time to Drain vs. Resultant Length Through Base", "Resultant Length (m)",
         "Resultant Length (ft)"},
        {4, "Thickness", "Time to Drain vs. Base Thickness", "Base Thickness (m)", "Base Thickness (ft)"},
        {5, "Drain", "Time to Drain vs. Drainage (U)", "Drainage (U)", "Drainage (U)"},
        {6, "Inflow", "Required Base Thickness vs. Rate of Pavement Infiltration", "Inflow (m^3/s/m^2)",
         "Inflow (ft^3/d/ft^2)"},
        {7, "Permeability", "Required Base Thickness vs. Base Course Permeability", "Permeability (m/d)",
         "Permeability (ft/d)"},
        {8, "Slope", "Required Base Thickness vs. Resultant Slope", "Resultant Slope (m/m)", "Resultant Slope (ft/ft)"},
        {9, "Length", "Required Base Thickness vs. Resultant Length Through Base", "Resultant Length (m)",
         "Resultant Length (ft)"},
    };
    for (const Case& c : cases)
    {
        for (bool bMetric : {false, true})
        {
            SCOPED_TRACE(std::to_string(c.t) + (bMetric ? " metric" : " English"));
            DocPtr pDoc = Build(c.t, bMetric);
            QVGraph& chart = pDoc->GetChart();
            EXPECT_EQ(pDoc->GetTitle(), c.documentTitle);
            const char* yLabel = c.t <= 5 ? "Time to Drain (hrs)" : (bMetric ? "H(m)" : "H(ft)");
            EXPECT_EQ(LabelText(chart, 0), yLabel);
            EXPECT_EQ(LabelText(chart, 1), bMetric ? c.metricX : c.englishX);
            EXPECT_EQ(LabelText(chart, 2), c.chartTitle);
            EXPECT_EQ(chart.GetManagerText(1), c.chartTitle);
        }
    }
}

TEST_F(SensitivityPlot, TheXAxisEndsAtTheQuantitysMaximumWithStepsOfATenth)
{
    struct Case
    {
        int t;
        bool bMetric;
        double xMax;
    };
    const Case cases[] = {
        {0, false, 0.5},  {1, false, 5000}, {1, true, 2000}, {7, false, 5000}, {7, true, 2000},
        {2, false, 0.1},  {8, true, 0.1},   {3, false, 150}, {3, true, 50},    {9, false, 150},
        {9, true, 50},    {4, false, 2.0},  {4, true, 0.75}, {5, true, 1.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.t) + (c.bMetric ? " metric" : " English"));
        DocPtr pDoc = Build(c.t, c.bMetric);
        CSensitivityDisplay* pDisplay = Display(*pDoc);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_TRUE(pDisplay->GetOption(QVGDisplayBase::optionFixedRanges));
        EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.0);
        EXPECT_EQ(pDisplay->GetFixedIndexMax(), c.xMax);
        EXPECT_DOUBLE_EQ(pDisplay->m_dXStep, c.xMax * 0.1);
        EXPECT_EQ(pDisplay->GetFixedValueMin(), 0.0);
        EXPECT_DOUBLE_EQ(pDisplay->m_dYStep, pDisplay->GetFixedValueMax() * 0.1);
    }
}

TEST_F(SensitivityPlot, InflowLeavesItsXRangeToTheData)
{
    SetRows(6, {{0, 0.5, 0}, {2e-5, 1.5, 0}});
    DocPtr pDoc = Build(6, true);
    CSensitivityDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.0);
    EXPECT_EQ(pDisplay->GetFixedIndexMax(), 0.0);
    // No step of its own: the scale chooses one.
    EXPECT_EQ(pDisplay->m_dXStep, 0.0);
}

TEST_F(SensitivityPlot, TheYAxisEndsAtTheRoundLimitAboveTheData)
{
    struct Case
    {
        int t;
        bool bMetric;
        double y;
        double z;
        double yMax;
    };
    const Case cases[] = {
        {0, false, 0, 0, 6},        {0, false, 5.9, 0, 6},     {0, false, 6, 0, 6},       {0, false, 7, 0, 10},
        {0, false, 10, 0, 10},      {0, false, 10.5, 0, 20},   {1, false, 25, 0, 30},     {2, false, 35, 0, 40},
        {3, false, 45, 0, 50},      {4, false, 50, 0, 50},     {5, false, 99, 0, 100},    {0, false, 100, 0, 100},
        {0, false, 200, 0, 250},    {0, false, 300, 0, 500},   {0, false, 600, 0, 1000},  {0, false, 1000, 0, 1000},
        {0, false, 1200, 0, 1200},  {0, false, 1, 7, 10},      // the second method's time counts too
        {6, true, 0.4, 0, 1.0},     {6, true, 1.5, 0, 1.5},    {7, false, 2, 0, 3.0},     {8, false, 3.5, 0, 3.5},
        {9, false, 0.4, 0, 3.0},    {9, false, 0.4, 9, 3.0},   // types 6 to 9 have no second curve
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.t) + " y " + std::to_string(c.y) + " z " + std::to_string(c.z));
        SetRows(c.t, {{0.1, c.y, c.z}, {0.2, c.y / 2, c.z / 2}});
        DocPtr pDoc = Build(c.t, c.bMetric);
        CSensitivityDisplay* pDisplay = Display(*pDoc);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_EQ(pDisplay->GetFixedValueMax(), c.yMax);
        EXPECT_DOUBLE_EQ(pDisplay->m_dYStep, c.yMax * 0.1);
    }
}

TEST_F(SensitivityPlot, TimeToDrainHasTheTwoMethodsAsSeries)
{
    SetRows(2, {{0.1, 3, 4}, {0.05, 6, 7}});
    DocPtr pDoc = Build(2);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(chart.GetGroupCount(), 4);
    const double expected[4][2] = {{0.1, 0.05}, {3, 6}, {0.1, 0.05}, {4, 7}};
    for (int group = 0; group < 4; ++group)
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(chart.GetItemValue(i, group), expected[group][i]) << "group " << group << " item " << i;
    EXPECT_EQ(chart.GetGroupText(0, 1), "Barber/Sawyer");
    EXPECT_EQ(chart.GetGroupText(2, 1), "Casagrande/Shannon");

    struct Line
    {
        int nGroup, nCode, nWidth;
        COLORREF crColor;
    };
    for (const Line& line : {Line{0, 4, 2, RGB(0, 128, 0)}, Line{1, 4, 2, RGB(0, 128, 0)},
                             Line{2, 5, 2, RGB(255, 0, 0)}, Line{3, 5, 2, RGB(255, 0, 0)}})
    {
        for (int i = 0; i < 2; ++i)
        {
            SCOPED_TRACE("group " + std::to_string(line.nGroup) + " item " + std::to_string(i));
            QVGraphStyle* pStyle = chart.FindItem(i, line.nGroup)->GetStyle();
            EXPECT_EQ(pStyle->GetLineType(), line.nCode);
            EXPECT_EQ(pStyle->GetShapeType(), 4);
            EXPECT_EQ(pStyle->m_nLineWidth, line.nWidth);
            EXPECT_EQ(pStyle->m_crLineColor, line.crColor);
        }
    }
}

TEST_F(SensitivityPlot, RequiredThicknessHasOneSeriesWithTheFilesCaptionAsLegend)
{
    SetRows(8, {{0.01, 0.4, 99}, {0.02, 0.6, 99}});
    app.m_strCurveCaptions[8] = "L=5.1298m,S=0.0200,k=304.8m/d";
    DocPtr pDoc = Build(8, true);
    QVGraph& chart = pDoc->GetChart();
    EXPECT_EQ(chart.GetGroupCount(), 2);
    EXPECT_EQ(chart.GetItemValue(1, 1), 0.6);
    EXPECT_EQ(chart.GetGroupText(0, 1), "L=5.1298m,S=0.0200,k=304.8m/d");
    EXPECT_EQ(chart.FindItem(0, 0)->GetStyle()->m_crLineColor, RGB(0, 128, 0));
    auto* pLegend = static_cast<QVGraphLegend*>(chart.FindComponent(0, IDS_QVG_LEGEND));
    ASSERT_NE(pLegend, nullptr);
    EXPECT_EQ(pLegend->GetRectObject()->m_dLeft, 25);
    EXPECT_EQ(pLegend->GetRectObject()->m_dRight, 75);
}

TEST_F(SensitivityPlot, NoMoreRowsThanAPointTableHolds)
{
    struct Case
    {
        int nCount;
        int nItems;
    };
    for (const Case& c : {Case{75, 60}, Case{-4, 0}, Case{0, 0}})
    {
        SCOPED_TRACE(c.nCount);
        app.m_nPointCount = c.nCount;
        DocPtr pDoc = Build(0);
        EXPECT_EQ(pDoc->GetChart().GetGroupSize(0), c.nItems);
    }
}

TEST_F(SensitivityPlot, NoPlotTypeRefusesTheNewDocument)
{
    app.m_nCurrentPlotType = CFennickApp::NoPlot;
    DocPtr pDoc(new CFennickDoc);
    EXPECT_FALSE(pDoc->OnNewDocument());
}

TEST_F(SensitivityPlot, AClientsDocumentBuildsNothingAndIsNeverRefused)
{
    SetRows(0, {{0.1, 3, 4}});
    for (int nPlotType : {int(CFennickApp::NoPlot), 0})
    {
        SCOPED_TRACE(nPlotType);
        app.m_nCurrentPlotType = nPlotType;
        DocPtr pDoc(new CFennickDoc);
        pDoc->m_bEmbedded = TRUE;
        EXPECT_TRUE(pDoc->OnNewDocument());
        EXPECT_EQ(pDoc->GetChart().GetComponentList()->GetCount(), 0);
    }
}

} // namespace
