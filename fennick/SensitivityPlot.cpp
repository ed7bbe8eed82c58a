// The ten sensitivity charts: time to drain (plot types 0 to 5, two methods) and required base
// thickness (types 6 to 9) against one design quantity.
#include "fennick/FennickDoc.h"

#include "chart/model/GraphLegend.h"
#include "fennick/FennickApp.h"
#include "fennick/SensitivityDisplay.h"

#include <algorithm>

namespace {

struct SensitivityTitles
{
    LPCTSTR lpszChartTitle;
    LPCTSTR lpszDocumentTitle;
    LPCTSTR lpszMetricXLabel;
    LPCTSTR lpszEnglishXLabel;
};

const SensitivityTitles Titles[10] = {
    {"Time to Drain vs. Effective Porosity", "Porosity", "Effective Porosity", "Effective Porosity"},
    {"Time to Drain vs. Base Course  Permeability", "Permeability", "Permeability (m/d)", "Permeability (ft/d)"},
    {"Time to Drain vs. Resultant Slope", "Slope", "Resultant Slope (m/m)", "Resultant Slope (ft/ft)"},
    {"Time to Drain vs. Resultant Length Through Base", "Length", "Resultant Length (m)", "Resultant Length (ft)"},
    {"Time to Drain vs. Base Thickness", "Thickness", "Base Thickness (m)", "Base Thickness (ft)"},
    {"Time to Drain vs. Drainage (U)", "Drain", "Drainage (U)", "Drainage (U)"},
    {"Required Base Thickness vs. Rate of Pavement Infiltration", "Inflow", "Inflow (m^3/s/m^2)",
     "Inflow (ft^3/d/ft^2)"},
    {"Required Base Thickness vs. Base Course Permeability", "Permeability", "Permeability (m/d)",
     "Permeability (ft/d)"},
    {"Required Base Thickness vs. Resultant Slope", "Slope", "Resultant Slope (m/m)", "Resultant Slope (ft/ft)"},
    {"Required Base Thickness vs. Resultant Length Through Base", "Length", "Resultant Length (m)",
     "Resultant Length (ft)"},
};

// The time-to-drain axis ends at the first round limit above the data; data exactly at a limit, or
// at 1000 hours and more, keeps its own maximum.
double TimeToDrainMaximum(double m)
{
    if (m < 6)
        return 6;
    static const double Limits[] = {6, 10, 20, 30, 40, 50, 100, 250, 500, 1000};
    for (size_t i = 0; i + 1 < std::size(Limits); ++i)
        if (m > Limits[i] && m < Limits[i + 1])
            return Limits[i + 1];
    return m;
}

// The thickness axis shows at least 1 m or 3 ft.
double ThicknessMaximum(double m, bool bMetric)
{
    if (bMetric && m < 1)
        return 1.0;
    if (!bMetric && m < 3)
        return 3.0;
    return m;
}

// The X axis ends where the design quantity's range ends; plot type 6 (inflow) has none: its X
// range comes from the data. False for that type.
bool SensitivityXMaximum(int nPlotType, bool bMetric, double& xMax)
{
    switch (nPlotType)
    {
    case 0: xMax = 0.5; return true;
    case 1: case 7: xMax = bMetric ? 2000 : 5000; return true;
    case 2: case 8: xMax = 0.1; return true;
    case 3: case 9: xMax = bMetric ? 50 : 150; return true;
    case 4: xMax = bMetric ? 0.75 : 2.0; return true;
    case 5: xMax = 1.0; return true;
    default: return false;
    }
}

} // namespace

BOOL CFennickDoc::BuildSensitivityPlot(LPCTSTR)
{
    CFennickApp* pApp = FennickApp();
    if (pApp == nullptr)
        return FALSE;
    const int t = pApp->m_nCurrentPlotType;
    if (t < 0 || t > 9)
        return FALSE;
    const bool bMetric = pApp->m_nUnits != 0;
    const bool bTimeToDrain = t <= 5;

    BeginChart();
    auto* pDisplay = new CSensitivityDisplay;
    const SensitivityTitles& titles = Titles[t];
    SetTitle(titles.lpszDocumentTitle);

    AddBackgroundAndDisplay(pDisplay, 5, 85);
    // "Scatter-Group-EX": every series is an X group and the Y group after it; the axes are Fennick's.
    pDisplay->SetGraphType(pDisplay->GetGraphType() | 0x22);
    pDisplay->SetAxisStyle(pDisplay->GetAxisStyle() | 0xC0);

    const LPCTSTR lpszYLabel = bTimeToDrain ? "Time to Drain (hrs)" : (bMetric ? "H(m)" : "H(ft)");
    AddAxisLabels(lpszYLabel, bMetric ? titles.lpszMetricXLabel : titles.lpszEnglishXLabel, 87, titles.lpszChartTitle);
    SetChartTitle(titles.lpszChartTitle);

    // Never more rows than a point table holds, whatever the file said.
    const int nRows = std::clamp(pApp->m_nPointCount, 0, int(CFennickApp::PointRows));
    double dataMax = 0.0;
    for (int i = 0; i < nRows; ++i)
    {
        const double* row = pApp->m_dPointTables[t][i];
        m_chart.SetValue(i, 0, row[0]);
        m_chart.SetValue(i, 1, row[1]);
        dataMax = std::max(dataMax, row[1]);
        if (bTimeToDrain)
        {
            m_chart.SetValue(i, 2, row[0]);
            m_chart.SetValue(i, 3, row[2]);
            dataMax = std::max(dataMax, row[2]);
        }
    }

    QVGraphLegend* pLegend = bTimeToDrain ? NewLegend(5, 90, 95, 99, QVGraphLegend::sampleSeries)
                                          : NewLegend(25, 90, 75, 99, QVGraphLegend::sampleSeries);
    m_chart.AddComponent(pLegend);

    StyleLineSeries(0, LineSolid, 2, RGB(0, 128, 0),
                    bTimeToDrain ? CString("Barber/Sawyer") : pApp->m_strCurveCaptions[t]);
    if (bTimeToDrain)
        StyleLineSeries(2, LineDashed, 2, RGB(255, 0, 0), "Casagrande/Shannon");

    // The axes show the limits set here, not limits rounded from the data.
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMax(bTimeToDrain ? TimeToDrainMaximum(dataMax) : ThicknessMaximum(dataMax, bMetric));
    double xMax = 0.0;
    if (SensitivityXMaximum(t, bMetric, xMax))
        pDisplay->SetFixedIndexMax(xMax);
    pDisplay->SetFixedIndexMin(0.0);
    pDisplay->SetFixedValueMin(0.0);

    // Ten intervals on each axis; without an X maximum of its own the step is 0, which is automatic.
    pDisplay->m_dXStep = (pDisplay->GetFixedIndexMax() - pDisplay->GetFixedIndexMin()) * 0.1;
    pDisplay->m_dYStep = (pDisplay->GetFixedValueMax() - pDisplay->GetFixedValueMin()) * 0.1;
    return TRUE;
}
