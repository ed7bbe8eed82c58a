// Fennick's document: one chart, built once when the document is made, from the plot data of the
// application's current plot type. It is also the automation object of the program: setting its
// property "SieveSize" makes Fennick read the plot data file again.
#pragma once

#include "chart/model/GraphDoc.h"
#include "framework/ole/DispatchMap.h"

class CGradationDisplay;
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
    // The Chart menu's Titles and Labels and Lines/Legends and Scale, and the File menu's Print Page
    // Setup: each runs its dialog and, on OK, writes the values back.
    afx_msg void OnTitlesAndLabels();
    afx_msg void OnLinesLegendsScale();
    afx_msg void OnPrintPageSetup();

    // The dialogs' colour and line-type choices against the chart's colour words and line codes.
    static int ColorToIndex(COLORREF crColor);
    static COLORREF IndexToColor(int nIndex);
    static int LineStyleToIndex(int nLineCode);
    static int IndexToLineStyle(int nIndex);

    // The plot type the chart was built for (-1: none, as for an automation client's document). The
    // editing commands go by it, never by the application's current type, which later plots change.
    int GetPlotType() const { return m_nPlotType; }

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
    // The caller adds it to the chart. Its frame lies on the rectangle's last row and column, so the
    // builders end legends at 99 percent of the chart, not 100, where the frame's lower line would fall
    // outside the window.
    QVGraphLegend* NewLegend(double left, double top, double right, double bottom, int nSample);
    // The style of the series whose x values are group nEvenGroup (and y values the group after it),
    // for all its items: a line of the code, width (-1 keeps the style's) and colour, and its legend.
    void StyleLineSeries(int nEvenGroup, int nLineCode, int nWidth, COLORREF crColor, LPCTSTR lpszLegend);

    // ---- The grain-size and separator charts ----
    // The display's chart type and axis bits: the logarithmic axis of "Scatter-Group-EX", or the
    // 0.45-power axis of Fennick's sieve-size scale.
    void SetUpGradationDisplay(CGradationDisplay* pDisplay, bool bLogAxis);
    // The eight sieve names of the logarithmic axis, in millimetres or in inches.
    void AddSieveNameLabels(bool bMillimetres);
    void SetLogAxisLimits(CGradationDisplay* pDisplay, bool bMillimetres);
    // A first item (null) in both groups of a series that has no points.
    void EnsureSeriesItems(int nEvenGroup);
    // A separator chart's line series, with a line sample as its legend key.
    void StyleSeparatorLine(int nEvenGroup, int nLineCode, COLORREF crColor, LPCTSTR lpszLegend);
    // A criterion shown as red-edged white symbols of the stock shape; the item flag word is masked
    // with nFlagsKept and nFlagsSet is added.
    void StyleSeparatorMarkers(int nEvenGroup, LPCTSTR lpszShape, int nFlagsKept, int nFlagsSet, LPCTSTR lpszLegend);
    // The text on the third point of the series whose y values are the group, when it has one.
    void AnnotateSeries(int nOddGroup, LPCTSTR lpszText);

    int m_nPlotType = -1;

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
