// The document: its creation by plot type, the automation property, and the chart layout that every
// plot of Fennick shares.
#include "fennick/FennickDoc.h"

#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphRect.h"
#include "fennick/FennickApp.h"
#include "framework/ole/OleAppLock.h"
#include "resources/fennick/resource.h"

IMPLEMENT_DYNCREATE(CFennickDoc, CGraphDoc)

BEGIN_MESSAGE_MAP(CFennickDoc, CGraphDoc)
    ON_COMMAND(ID_RELOAD_PLOT, OnReloadPlot)
    ON_COMMAND(ID_CHART_TITLES, OnTitlesAndLabels)
    ON_COMMAND(ID_CHART_LINES_LEGENDS, OnLinesLegendsScale)
    ON_COMMAND(ID_FILE_PRINT_PAGE_SETUP, OnPrintPageSetup)
END_MESSAGE_MAP()

BEGIN_DISPATCH_MAP(CFennickDoc, CGraphDoc)
    DISP_PROPERTY_EX(CFennickDoc, "SieveSize", GetSieveSize, SetSieveSize, VT_R4)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CFennickDoc, CGraphDoc)
    INTERFACE_PART(CFennickDoc, IID_IFennickDocument, Dispatch)
END_INTERFACE_MAP()

namespace {
const int PercentOfChart = QVGraphRect::percent;
const COLORREF White = RGB(255, 255, 255);
const COLORREF Black = RGB(0, 0, 0);
} // namespace

CFennickDoc::CFennickDoc()
{
    EnableAutomation();
    // Every document keeps the automation server running while it lives.
    AfxOleLockApp();
}

CFennickDoc::~CFennickDoc()
{
    AfxOleUnlockApp();
}

BOOL CFennickDoc::OnNewDocument()
{
    if (!CGraphDoc::OnNewDocument())
        return FALSE;
    // A client's object only carries the reload property: its chart would be built from whatever
    // data the last plot left, and a refusal would fail the client's connection.
    if (m_bEmbedded)
        return TRUE;
    CFennickApp* pApp = FennickApp();
    if (pApp == nullptr)
        return FALSE;
    const CString strPath = pApp->GetPlotFilePath();
    m_nPlotType = pApp->m_nCurrentPlotType;
    switch (m_nPlotType)
    {
    case CFennickApp::NoPlot:
        return FALSE;
    case CFennickApp::NoSeparatorPlot:
    case CFennickApp::SeparatorPlot:
        BuildSeparatorPlot(strPath);
        break;
    case CFennickApp::GradationPlot:
        BuildGradationPlot(strPath);
        break;
    default:
        BuildSensitivityPlot(strPath);
        break;
    }
    return TRUE;
}

float CFennickDoc::GetSieveSize()
{
    return 0.0f;
}

void CFennickDoc::SetSieveSize(float)
{
    if (CFennickApp* pApp = FennickApp())
        pApp->ReloadPlot();
}

void CFennickDoc::OnReloadPlot()
{
    SetSieveSize(1.0f);
}

// ---- The common layout ----

void CFennickDoc::BeginChart()
{
    m_chart.Clear();
    m_chart.SetFeedbackEnabled(TRUE);
}

void CFennickDoc::AddBackgroundAndDisplay(QVGraphDisplay* pDisplay, double top, double bottom)
{
    // The builders clear the chart first, so the background and the display always come first.
    auto* pBackground = new QVGraphBackground;
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(White, pBackground->GetStyle()->m_crFill2);
    m_chart.AddComponent(pBackground);

    // The plot area's colour shows when its fill option is on.
    pDisplay->GetStyle()->m_crColor = White;
    pDisplay->SetGridColor(Black);
    pDisplay->SetMeasurement(PercentOfChart);
    pDisplay->SetRect(-1, top, -1, bottom);
    m_chart.AddComponent(pDisplay);
}

void CFennickDoc::AddAxisLabels(LPCTSTR lpszYLabel, LPCTSTR lpszXLabel, double xLabelY, LPCTSTR lpszTitle)
{
    struct LabelPlace
    {
        LPCTSTR lpszText;
        double x;
        double y;
        double angle;
        int nAnchor;     // 6: bottom centre of the text on the point, 8: its centre
        int nFontSize;
    };
    const LabelPlace places[] = {
        {lpszYLabel, 3, 42, 90, 6, 12},
        {lpszXLabel, 50, xLabelY, 0, 8, 12},
        {lpszTitle, 50, 3, 0, 8, 14},
    };
    for (const LabelPlace& place : places)
    {
        auto* pLabel = new QVGraphLabel;
        pLabel->SetMeasurement(PercentOfChart);
        pLabel->SetPosition(place.x, place.y);
        pLabel->SetTextAngle(place.angle);
        pLabel->SetJustification(place.nAnchor);
        pLabel->SetFontSizeValue(place.nFontSize);
        m_chart.AddComponent(pLabel);
        pLabel->SetAnnotationText(place.lpszText);
    }
}

void CFennickDoc::SetChartTitle(LPCTSTR lpszTitle)
{
    m_chart.SetManagerText(lpszTitle, 1);
    m_chart.SetDoubleBuffering(TRUE);
}

QVGraphLegend* CFennickDoc::NewLegend(double left, double top, double right, double bottom, int nSample)
{
    auto* pLegend = new QVGraphLegend;
    pLegend->SetMeasurement(PercentOfChart);
    pLegend->SetRect(left, top, right, bottom);
    QVGraphStyle* pStyle = pLegend->GetStyle();
    pLegend->SetKeyKind(QVGraphLegend::keyPerGroup);
    pStyle->SetOption(QVGraphLegend::optionKeyBoxLeft, TRUE);
    if (nSample >= 0)
        pLegend->SetSampleStyle(nSample);
    pStyle->SetBorderStyle(7);
    // The keys take as many rows as they need, from the legend's bottom edge up: a short window or
    // wide letters cannot cut the last row off.
    pLegend->SetKeyOptions(QVGraphLegend::keyFitHeight);
    // One key per series: a series is two groups.
    pLegend->SetGroupStride(2);
    pLegend->SetFont(10, pLegend->GetFontStyle(), pLegend->GetFaceName());
    return pLegend;
}

void CFennickDoc::StyleLineSeries(int nEvenGroup, int nLineCode, int nWidth, COLORREF crColor, LPCTSTR lpszLegend)
{
    QVGraphStyle style(*m_chart.FindItem(0, nEvenGroup)->GetStyle());
    style.SetLineType(nLineCode);
    // A line series: the shape byte of the style word says "line".
    style.SetShapeType(4);
    if (nWidth >= 0)
        style.m_nLineWidth = nWidth;
    style.m_crLineColor = crColor;
    m_chart.ApplyStyle(nEvenGroup, nEvenGroup + 1, -1, -1, style, TRUE);
    m_chart.SetGroupText(nEvenGroup, lpszLegend, TRUE);
}
