// The grain-size chart (plot type 12), read from the gradation file itself, and the separator charts
// (types 10 and 11) from the point lists the plot data reader stored. Both draw percent passing
// against sieve size, on the 0.45-power axis of the sieve-size scale or on a logarithmic axis with
// eight sieve names placed as labels.
#include "fennick/FennickDoc.h"

#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphRect.h"
#include "fennick/FennickApp.h"
#include "fennick/GradationDisplay.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <string>

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 128, 0);
const COLORREF Blue = RGB(0, 0, 255);
const COLORREF White = RGB(255, 255, 255);

// The sieve names of the logarithmic axis, placed above the plot at y = 9 percent of the chart.
struct SieveNameLabel
{
    LPCTSTR lpszName;
    double x;
};
const SieveNameLabel InchSieveNames[8] = {
    {"0.002mm", 22}, {"0.020mm", 36}, {"#200", 44}, {"#40", 55},
    {"#8", 66},      {"#4", 71},      {"1/2\"", 77.5}, {"1\"", 82},
};
const SieveNameLabel MillimetreSieveNames[8] = {
    {"0.002mm", 13}, {"0.020mm", 32}, {"0.075mm", 42}, {"0.425mm", 55},
    {"2.36mm", 65},  {"4.75mm", 74},  {"12.5mm", 80},  {"25mm", 85.5},
};
const double SieveNameY = 9;

// The 0.45-power axis: a size as the axis places it.
double PowerAxisValue(double size)
{
    return std::pow(size, 0.45);
}

// The smallest power axis shows sieves up to 37.5 mm; a larger gradation gets one more millimetre.
double PowerAxisMaximum(double largestSize)
{
    return largestSize < 37.5 ? PowerAxisValue(37.5) : PowerAxisValue(largestSize + 1);
}

// After the numbers of a line, the next line; no carriage return left at its end and cut at the
// longest caption a plot file holds. Empty at the end of the file.
CString ReadLegendLine(std::istream& file)
{
    file.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    std::string line;
    if (!std::getline(file, line))
        return CString();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > CFennickApp::MaxCaptionLength)
        line.resize(CFennickApp::MaxCaptionLength);
    return CString(line.c_str());
}

} // namespace

// ---- Parts both builders share ----

void CFennickDoc::SetUpGradationDisplay(CGradationDisplay* pDisplay, bool bLogAxis)
{
    if (bLogAxis)
    {
        // "Scatter-Group-EX" with its logarithmic X axis; the library draws those axes itself.
        pDisplay->SetGraphType(pDisplay->GetGraphType() | 0x22);
        pDisplay->SetAxisOption(QVGDisplayBase::axisLogIndex, TRUE);
        pDisplay->SetAxisStyle(pDisplay->GetAxisStyle() | 0x0F);
    }
    else
    {
        // "Scatter graph (groups)" with Fennick's own axes: the sieve-size scale.
        pDisplay->SetGraphType(pDisplay->GetGraphType() | 0x15);
        pDisplay->SetAxisStyle(pDisplay->GetAxisStyle() | 0xC0);
    }
}

void CFennickDoc::AddSieveNameLabels(bool bMillimetres)
{
    const SieveNameLabel* names = bMillimetres ? MillimetreSieveNames : InchSieveNames;
    for (int i = 0; i < 8; ++i)
    {
        auto* pLabel = new QVGraphLabel;
        pLabel->SetMeasurement(QVGraphRect::percent);
        pLabel->SetPosition(names[i].x, SieveNameY);
        pLabel->SetTextAngle(0);
        pLabel->SetJustification(8);
        pLabel->SetFontSizeValue(bMillimetres ? 8 : 10);
        m_chart.AddComponent(pLabel);
        pLabel->SetAnnotationText(names[i].lpszName);
    }
}

void CFennickDoc::SetLogAxisLimits(CGradationDisplay* pDisplay, bool bMillimetres)
{
    pDisplay->SetFixedIndexMax(bMillimetres ? 100.0 : 10.0);
    pDisplay->SetFixedIndexMin(bMillimetres ? 0.001 : 0.00001);
}

void CFennickDoc::EnsureSeriesItems(int nEvenGroup)
{
    // A series without points still gets a (null) first item in both its groups: its legend key then
    // shows the series' own style instead of the library's default item, and nothing is plotted.
    for (int nGroup = nEvenGroup; nGroup <= nEvenGroup + 1; ++nGroup)
    {
        QVGraphDataList* pGroup = m_chart.GetGroup(nGroup, TRUE);
        if (pGroup->GetCount() == 0)
            pGroup->GetItem(0, TRUE);
    }
}

void CFennickDoc::StyleSeparatorLine(int nEvenGroup, int nLineCode, COLORREF crColor, LPCTSTR lpszLegend)
{
    EnsureSeriesItems(nEvenGroup);
    QVGraphStyle style(*m_chart.FindItem(0, nEvenGroup)->GetStyle());
    style.SetLineType(nLineCode);
    style.SetShapeType(4);
    style.m_crLineColor = crColor;
    // The legend key of the series: a line sample.
    style.m_nFlags = (style.m_nFlags & ~0xF000) | 0x2000;
    m_chart.ApplyStyle(nEvenGroup, nEvenGroup + 1, -1, -1, style, TRUE);
    m_chart.SetGroupText(nEvenGroup, lpszLegend, TRUE);
}

void CFennickDoc::StyleSeparatorMarkers(int nEvenGroup, LPCTSTR lpszShape, int nFlagsKept, int nFlagsSet,
                                        LPCTSTR lpszLegend)
{
    EnsureSeriesItems(nEvenGroup);
    QVGraphStyle style(*m_chart.FindItem(0, nEvenGroup)->GetStyle());
    // Unjoined points, each the stock symbol of the name, filled solid.
    style.SetLineType(LineNone);
    style.SetMarkerFill(0x20);
    style.SetShapeType(3);
    style.m_strText = lpszShape;
    style.m_nFlags = (style.m_nFlags & nFlagsKept) | nFlagsSet;
    // The library fills and edges a symbol by its line code, which must stay 0 here so that no line
    // joins the points; a style of the component kind takes its fill and edge from the component
    // style word instead: a solid fill of fill colour 1 and a solid edge in the line colour. So the
    // red marker shows as a white triangle with a red edge, on the chart and in the legend.
    style.m_nFlags = (style.m_nFlags & ~0xF) | 1;
    style.SetFillType(1);
    style.SetBorderStyle(4);
    style.m_crFill1 = White;
    style.m_crLineColor = Red;
    m_chart.ApplyStyle(nEvenGroup, nEvenGroup + 1, -1, -1, style, TRUE);
    m_chart.SetGroupText(nEvenGroup, lpszLegend, TRUE);
}

void CFennickDoc::AnnotateSeries(int nOddGroup, LPCTSTR lpszText)
{
    // Only an item that exists: a shorter list would give the text to the data manager's shared item.
    const int nIndex = 2;
    if (nOddGroup < m_chart.GetGroupCount() && m_chart.GetGroupSize(nOddGroup) > nIndex)
        m_chart.FindItem(nIndex, nOddGroup)->SetAnnotationText(lpszText, TRUE, 1);
}

// ---- The grain-size chart ----

BOOL CFennickDoc::BuildGradationPlot(LPCTSTR lpszPath)
{
    CFennickApp* pApp = FennickApp();
    if (pApp == nullptr || lpszPath == nullptr)
        return FALSE;
    std::ifstream file(lpszPath);
    if (!file.is_open())
        return FALSE;
    BeginChart();

    int nLayer = -1;
    int nBounds = 0;
    int nAxis = 0;
    int nUnits = 0;
    file >> nLayer >> nBounds >> nAxis >> nUnits;
    if (!file)
        return FALSE;
    pApp->m_nGradationUnits = nUnits != 0 ? 1 : 0;

    static const LPCTSTR DocumentTitles[3] = {"Base", "Subgrade", "Seperator"};
    static const LPCTSTR ChartTitles[3] = {"Grain-size Distribution - Base Course",
                                           "Grain-size Distribution - Subgrade",
                                           "Grain-size Distribution - Seperator"};
    if (nLayer < 0 || nLayer > 2)
        return FALSE;
    const bool bBounds = nBounds != 0;
    const bool bLogAxis = nAxis != 0;
    const bool bMillimetres = nUnits != 0;

    auto* pDisplay = new CGradationDisplay;
    pDisplay->SetYStep(10);
    pDisplay->SetMillimetres(bMillimetres);
    CString strTitle;
    strTitle.Format("%s%d", DocumentTitles[nLayer], pApp->m_nGradationCount);
    SetTitle(strTitle);
    const LPCTSTR lpszChartTitle = ChartTitles[nLayer];

    AddBackgroundAndDisplay(pDisplay, 8, 85);
    SetUpGradationDisplay(pDisplay, bLogAxis);

    const LPCTSTR lpszXLabel = !bLogAxis ? "Sieve Size" : (bMillimetres ? "Sieve Size (mm)" : "Sieve Size (in)");
    AddAxisLabels("Percent Passing", lpszXLabel, 87, lpszChartTitle);
    if (bLogAxis)
        AddSieveNameLabels(bMillimetres);
    SetChartTitle(lpszChartTitle);

    // Rows up to a size of 0 or the end of the file; a row that does not read whole ends the rows.
    double largestSize = 0.0;
    int i = 0;
    while (!file.eof())
    {
        double size = 0.0, lower = 0.0, value = 0.0, upper = 0.0;
        if (bBounds)
            file >> size >> lower >> value >> upper;
        else
            file >> size >> value;
        if (!file || size == 0.0)
            break;
        if (size > largestSize)
            largestSize = size;
        const double x = bLogAxis ? size : PowerAxisValue(size);
        m_chart.SetValue(i, 0, x);
        m_chart.SetValue(i, 1, value);
        if (bBounds)
        {
            m_chart.SetValue(i, 2, x);
            m_chart.SetValue(i, 3, lower);
            m_chart.SetValue(i, 4, x);
            m_chart.SetValue(i, 5, upper);
        }
        ++i;
    }
    const CString strLegend = file ? ReadLegendLine(file) : CString();

    QVGraphLegend* pLegend = bBounds ? NewLegend(5, 90, 95, 99, -1) : NewLegend(20, 90, 80, 99, -1);
    m_chart.AddComponent(pLegend);

    EnsureSeriesItems(0);
    StyleLineSeries(0, LineSolid, -1, Red, strLegend);
    if (bBounds)
    {
        EnsureSeriesItems(2);
        StyleLineSeries(2, LineDashed, -1, Black, "Lower Bound");
        EnsureSeriesItems(4);
        StyleLineSeries(4, LineDashDot, -1, Green, "Upper Bound");
    }

    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMax(100.0);
    if (bLogAxis)
        SetLogAxisLimits(pDisplay, bMillimetres);
    else
        pDisplay->SetFixedIndexMax(PowerAxisMaximum(largestSize));
    return TRUE;
}

// ---- The separator charts ----

BOOL CFennickDoc::BuildSeparatorPlot(LPCTSTR)
{
    CFennickApp* pApp = FennickApp();
    if (pApp == nullptr)
        return FALSE;
    const int t = m_nPlotType;
    if (t != CFennickApp::NoSeparatorPlot && t != CFennickApp::SeparatorPlot)
        return FALSE;
    const bool bAggregate = t == CFennickApp::SeparatorPlot;
    const bool bLogAxis = pApp->m_nAxis != 0;
    const bool bMetric = pApp->m_nUnits != 0;

    BeginChart();
    auto* pDisplay = new CGradationDisplay;
    pDisplay->SetYStep(10);
    pDisplay->SetMillimetres(bMetric);
    const LPCTSTR lpszChartTitle = bAggregate ? "Aggregate Separator Layer" : "No Separator Layer";
    SetTitle(bAggregate ? "Separator" : "NoSeparator");

    AddBackgroundAndDisplay(pDisplay, 8, 80);
    SetUpGradationDisplay(pDisplay, bLogAxis);
    const LPCTSTR lpszXLabel = !bLogAxis ? "Sieve Size" : (bMetric ? "Sieve Size (mm)" : "Sieve Size (in)");
    AddAxisLabels("Percent Passing", lpszXLabel, 81, lpszChartTitle);
    if (bLogAxis)
        AddSieveNameLabels(bMetric);
    SetChartTitle(lpszChartTitle);

    // The lists lie back to back, each ended by an entry whose x is 0; the walk never leaves the arrays.
    static const int NoSeparatorGroups[3] = {0, 2, 6};
    static const int SeparatorGroups[5] = {0, 2, 4, 6, 8};
    const int* pGroups = bAggregate ? SeparatorGroups : NoSeparatorGroups;
    const int nLists = bAggregate ? 5 : 3;
    int nEntry = 0;
    for (int list = 0; list < nLists; ++list)
    {
        const int nGroup = pGroups[list];
        for (int i = 0; nEntry < CFennickApp::SeparatorEntries; ++i)
        {
            const double x = pApp->m_dSeparatorX[nEntry++];
            if (x == 0.0)
                break;
            m_chart.SetValue(i, nGroup, bLogAxis ? x : PowerAxisValue(x));
            m_chart.SetValue(i, nGroup + 1, pApp->m_dSeparatorY[nEntry - 1]);
        }
    }

    QVGraphLegend* pLegend = bAggregate ? NewLegend(10, 85, 90, 99, QVGraphLegend::sampleFromItem)
                                        : NewLegend(25, 90, 75, 99, QVGraphLegend::sampleFromItem);
    pLegend->SetDataRange(0, 14, 0, 8);
    pLegend->SetTextColor(Blue);
    m_chart.AddComponent(pLegend);

    StyleSeparatorLine(0, LineDashed, Black, "Base");
    AnnotateSeries(1, "Base");
    StyleSeparatorLine(2, LineDashDot, Black, "Subgrade");
    AnnotateSeries(3, "Subgrade");
    const CString* captions = pApp->m_strSeparatorCaptions;
    if (bAggregate)
    {
        StyleSeparatorLine(4, LineSolid, Green, "Separator");
        StyleSeparatorMarkers(6, "LEFT_TRI", 0x3F000F0F, 0x40004050, captions[3]);
        StyleSeparatorMarkers(8, "RIGHT_TRI", 0x3F000F0F, 0x40004050, captions[4]);
    }
    else
    {
        // The separator's series holds no data here; its key stays blank.
        StyleSeparatorLine(4, LineNone, Green, "");
        StyleSeparatorMarkers(6, "RIGHT_TRI", 0xFF004F5F, 0x4050, captions[2]);
    }

    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMax(100.0);
    if (bLogAxis)
        SetLogAxisLimits(pDisplay, bMetric);
    else
        pDisplay->SetFixedIndexMax(PowerAxisValue(37.5));
    return TRUE;
}
