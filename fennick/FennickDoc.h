// Fennick's document: one chart, built once when the document is made, from the plot data of the
// application's current plot type. It is also the automation object of the program: setting its
// property "SieveSize" makes Fennick read the plot data file again.
#pragma once

#include "chart/model/GraphDoc.h"
#include "framework/ole/DispatchMap.h"

class QVGraphDisplay;
class QVGraphLabel;
class QVGraphLegend;

class CFennickDoc : public CGraphDoc
{
    DECLARE_DYNCREATE(CFennickDoc)
public:
    // Line style codes of a data style (the low four bits of its line-style word).
    enum { LineNone = 0, LineSolid = 4, LineDashed = 5, LineDotted = 6, LineDashDot = 7 };

    CFennickDoc();
    ~CFennickDoc() override;

    // Builds the chart of the current plot type; refused while there is none (-1). A document made
    // for an automation client builds nothing and is never refused.
    BOOL OnNewDocument() override;

    // Plot types 0 to 9 (the path is not used).
    BOOL BuildSensitivityPlot(LPCTSTR lpszPath);
    // Plot type 12, from the file.
    BOOL BuildGradationPlot(LPCTSTR lpszPath);
    // Plot types 10 and 11 (the path is not used).
    BOOL BuildSeparatorPlot(LPCTSTR lpszPath);

    // The automation property "SieveSize": always 0 to read; any value set reloads the plots.
    float GetSieveSize();
    void SetSieveSize(float fValue);

    afx_msg void OnReloadPlot();

protected:
    // ---- The layout every chart of Fennick shares (positions in percent of the chart) ----
    // Clears the chart and switches its feedback recording on.
    void BeginChart();
    // The white background and the display, with its plot rectangle from top to bottom; the first
    // components of the cleared chart.
    void AddBackgroundAndDisplay(QVGraphDisplay* pDisplay, double top, double bottom);
    // The Y-axis label, the X-axis label at (50, xLabelY) and the title, in this order (the Titles
    // and Labels command finds them as labels 0, 1 and 2).
    void AddAxisLabels(LPCTSTR lpszYLabel, LPCTSTR lpszXLabel, double xLabelY, LPCTSTR lpszTitle);
    // After the labels: the chart title as the chart's data title, and buffered drawing on.
    void SetChartTitle(LPCTSTR lpszTitle);
    // A legend in the rectangle with one key per series; nSample is the key sample style (-1 keeps it).
    // The caller adds it to the chart.
    QVGraphLegend* NewLegend(double left, double top, double right, double bottom, int nSample);
    // The style of the series whose x values are group nEvenGroup (and y values the group after it),
    // for all its items: a line of the code, width (-1 keeps the style's) and colour, and its legend.
    void StyleLineSeries(int nEvenGroup, int nLineCode, int nWidth, COLORREF crColor, LPCTSTR lpszLegend);

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
