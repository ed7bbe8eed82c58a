// The plots the reader opens in Fennick's main frame: one chart window per selected curve, in curve
// order, each with its chart; and the documents that a reload adds beside them.
#include "FennickTestSupport.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphLabel.h"
#include "fennick/SensitivityDisplay.h"
#include "framework/ole/DispatchDriver.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

namespace {

CString LabelText(CFennickDoc* pDoc, int n)
{
    auto* pLabel = static_cast<QVGraphLabel*>(pDoc->GetChart().FindComponent(n, IDS_QVG_LABEL));
    return pLabel != nullptr ? pLabel->GetCurrentText() : CString("(none)");
}

CSensitivityDisplay* Display(CFennickDoc* pDoc)
{
    return dynamic_cast<CSensitivityDisplay*>(pDoc->GetChart().FindComponent(0, IDS_QVG_DISPLAY));
}

// A curve of two rows whose largest time is the maximum given (by the second method when bInZ).
std::vector<std::array<double, 3>> Curve(double x0, double maximum, bool bInZ = false)
{
    return {{x0, bInZ ? 1 : maximum, bInZ ? maximum : 1}, {x0 * 2, 0.5, 0.5}};
}

using PlotWindows = FennickWindowsTest;

TEST_F(PlotWindows, TimeToDrainOpensTheSelectedCurvesInOrderWithTheirCharts)
{
    WritePlotFile(TimeToDrainFile(0, "6111111",
                                  {{{0.1, 3, 4}, {0.2, 5.9, 2}}, Curve(1, 10), Curve(0.01, 10.5, true), Curve(5, 1200),
                                   Curve(0.1, 2), Curve(0.1, 2)}));
    app.ReadPlotData();
    PumpPendingMessages();

    EXPECT_EQ(Titles(), (std::vector<std::string>{"Porosity", "Permeability", "Slope", "Length", "Thickness", "Drain"}));
    const std::vector<CFennickDoc*> docs = Documents();
    ASSERT_EQ(docs.size(), 6u);
    const char* const chartTitles[6] = {
        "Time to Drain vs. Effective Porosity", "Time to Drain vs. Base Course  Permeability",
        "Time to Drain vs. Resultant Slope", "Time to Drain vs. Resultant Length Through Base",
        "Time to Drain vs. Base Thickness", "Time to Drain vs. Drainage (U)"};
    const char* const xLabels[6] = {"Effective Porosity", "Permeability (ft/d)", "Resultant Slope (ft/ft)",
                                    "Resultant Length (ft)", "Base Thickness (ft)", "Drainage (U)"};
    const double xMaxima[6] = {0.5, 5000, 0.1, 150, 2.0, 1.0};
    const double yMaxima[6] = {6, 10, 20, 1200, 6, 6};
    for (size_t k = 0; k < docs.size(); ++k)
    {
        SCOPED_TRACE(k);
        CFennickDoc* pDoc = docs[k];
        EXPECT_EQ(FrameCaption(pDoc), std::string(static_cast<LPCTSTR>(pDoc->GetTitle())));
        EXPECT_EQ(LabelText(pDoc, 0), "Time to Drain (hrs)");
        EXPECT_EQ(LabelText(pDoc, 1), xLabels[k]);
        EXPECT_EQ(LabelText(pDoc, 2), chartTitles[k]);
        EXPECT_EQ(pDoc->GetChart().GetGroupText(0, 1), "Barber/Sawyer");
        EXPECT_EQ(pDoc->GetChart().GetGroupText(2, 1), "Casagrande/Shannon");
        CSensitivityDisplay* pDisplay = Display(pDoc);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_EQ(pDisplay->GetFixedIndexMax(), xMaxima[k]);
        EXPECT_DOUBLE_EQ(pDisplay->m_dXStep, xMaxima[k] / 10);
        EXPECT_EQ(pDisplay->GetFixedValueMax(), yMaxima[k]);
        EXPECT_DOUBLE_EQ(pDisplay->m_dYStep, yMaxima[k] / 10);
    }
    // The first row "0.1 3 4": (0.1, 3) of Barber and Sawyer, (0.1, 4) of Casagrande and Shannon.
    QVGraph& porosity = docs[0]->GetChart();
    EXPECT_EQ(porosity.GetItemValue(0, 0), 0.1);
    EXPECT_EQ(porosity.GetItemValue(0, 1), 3.0);
    EXPECT_EQ(porosity.GetItemValue(0, 2), 0.1);
    EXPECT_EQ(porosity.GetItemValue(0, 3), 4.0);
}

TEST_F(PlotWindows, RequiredThicknessOpensOnlyTheSelectedCurves)
{
    const std::vector<std::array<double, 2>> low = {{0, 0.2}, {10, 0.9}};
    WritePlotFile(ThicknessFile(1, "40110", {low, low, low, low},
                                {"inflow caption", "L=5.1298m,S=0.0200,k=304.8m/d", "slope caption", "length"}));
    app.ReadPlotData();
    PumpPendingMessages();

    EXPECT_EQ(Titles(), (std::vector<std::string>{"Permeability", "Slope"}));
    const std::vector<CFennickDoc*> docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    for (CFennickDoc* pDoc : docs)
    {
        SCOPED_TRACE(static_cast<LPCTSTR>(pDoc->GetTitle()));
        EXPECT_EQ(LabelText(pDoc, 0), "H(m)");
        ASSERT_NE(Display(pDoc), nullptr);
        EXPECT_EQ(Display(pDoc)->GetFixedValueMax(), 1.0);
    }
    EXPECT_EQ(LabelText(docs[0], 1), "Permeability (m/d)");
    EXPECT_EQ(docs[0]->GetChart().GetGroupText(0, 1), "L=5.1298m,S=0.0200,k=304.8m/d");
    EXPECT_EQ(docs[1]->GetChart().GetGroupText(0, 1), "slope caption");

    WritePlotFile("7 60 1 0 411111\n");
    app.ReadPlotData();
    PumpPendingMessages();
    EXPECT_EQ(Documents().size(), 2u);
}

TEST_F(PlotWindows, AReloadAddsItsPlotsAndLeavesTheEarlierOnesAsTheyWere)
{
    WritePlotFile(TimeToDrainFile(0, "6100000", {{{0.1, 3, 4}, {0.3, 1, 2}}}));
    app.ReadPlotData();
    PumpPendingMessages();
    ASSERT_EQ(Titles(), (std::vector<std::string>{"Porosity"}));

    // Quarrow's writer starts the inflow curve at 0.
    const std::vector<std::array<double, 2>> inflow = {{0, 0.01}, {2.5e-07, 0.014}, {1.45e-05, 0.26}};
    WritePlotFile(ThicknessFile(1, "41000", {inflow, inflow, inflow, inflow}, {"inflow", "k", "S", "L"}));
    // A client's object, as an automation connection makes it: its property reloads.
    auto* pClientDoc = new CFennickDoc;
    pClientDoc->m_bEmbedded = TRUE;
    ASSERT_TRUE(pClientDoc->OnNewDocument());
    {
        COleDispatchDriver driver(pClientDoc->GetIDispatch(FALSE), TRUE);
        driver.SetProperty(1, VT_R4, 1.0f);
        float fValue = -1.0f;
        driver.GetProperty(1, VT_R4, &fValue);
        EXPECT_EQ(fValue, 0.0f);
    }
    PumpPendingMessages();

    EXPECT_EQ(Titles(), (std::vector<std::string>{"Porosity", "Inflow"}));
    const std::vector<CFennickDoc*> docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    // The earlier chart keeps the values it copied.
    EXPECT_EQ(docs[0]->GetChart().GetItemValue(1, 0), 0.3);
    EXPECT_EQ(docs[0]->GetChart().GetItemValue(1, 3), 2.0);
    EXPECT_EQ(LabelText(docs[0], 0), "Time to Drain (hrs)");
    EXPECT_EQ(docs[1]->GetChart().GetItemValue(2, 0), 1.45e-05);

    // The inflow's X axis runs over its data: from 0 to the largest inflow.
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(640, 480, 1, 32, nullptr));
    CBitmap* pOld = screen.SelectObject(&bitmap);
    QVGraph& chart = docs[1]->GetChart();
    chart.SetFixedRect(CRect(0, 0, 640, 480), 0);
    chart.Draw(&screen, nullptr);
    chart.ClearFixedRect();
    screen.SelectObject(pOld);
    ASSERT_NE(Display(docs[1]), nullptr);
    EXPECT_EQ(Display(docs[1])->GetDrawnIndexAxisRange().m_dMin, 0.0);
    EXPECT_EQ(Display(docs[1])->GetDrawnIndexAxisRange().m_dMax, 1.45e-05);
}

TEST_F(PlotWindows, TheReloadCommandReadsTheFileAgain)
{
    WritePlotFile(TimeToDrainFile(0, "6000001", {}));
    app.ReadPlotData();
    PumpPendingMessages();
    ASSERT_EQ(Titles(), (std::vector<std::string>{"Drain"}));
    pMainFrame->SendMessage(WM_COMMAND, ID_RELOAD_PLOT);
    PumpPendingMessages();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Drain", "Drain"}));
}

} // namespace
