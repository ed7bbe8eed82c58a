// The chart display: draws a chart's data as one of 47 graph types, with the plot area behind it and the
// scales around it. One virtual operation per renderer, per kind of plot area and scale frame and per
// kind of range computation; the tables of the dispatch tie graph types and axis styles to them.
#pragma once

#include "chart/model/DisplayBase.h"

class QVGDecimalScale;
class QVGGridLines;
class QVGTickMarks;
class QVGraphData;

class QVGraphDisplay : public QVGDisplayBase
{
    DECLARE_SERIAL(QVGraphDisplay)
public:
    QVGraphDisplay();
    ~QVGraphDisplay() override;

    void ComputeDataRanges() override;
    // Strides 1 and 1, then the default value range.
    void ComputeDefaultRanges() override;
    void DrawGraphOfType(int nGraphType) override;
    void DrawPlotAreaOfStyle(int nAxisStyle, int nGraphType) override;
    void DrawScalesOfStyle(int nAxisStyle, int nGraphType) override;

    // Hooks for what the library does not draw itself (empty here).
    virtual void DrawCustomPlotArea();
    virtual void DrawCustomAxes();
    virtual void DrawCustomGraph();
    virtual void ComputeValueRange();
    virtual void DrawClassicScales();
    virtual void DrawClassicPlotArea();
    virtual void Draw3DPlotArea();
    virtual void DrawHorizontalScales();
    virtual void DrawHorizontalPlotArea();
    virtual void ComputeIsoLayout();
    virtual void DrawIsoScales();
    virtual void DrawIsoPlotArea();
    virtual void DrawPieLabels();
    virtual void DrawPieLabelsHook();
    virtual void DrawPieGraph();
    virtual void DrawVBarGraph();
    virtual void DrawHBarGraph();
    virtual void DrawStackVBarGraph();
    virtual void DrawStackHBarGraph();
    virtual void ComputeStackedRange();
    virtual void DrawIsoBarGraph();
    virtual void ComputePolarRange();
    virtual void DrawPolarScales();
    virtual void DrawPolarPlotArea();
    virtual void DrawPolarGraph();
    virtual void ComputeStrataRange();
    virtual void DrawStrataGraph();
    virtual void DrawGroupStrataHScales();
    virtual void DrawGroupStrataVScales();
    virtual void DrawGroupStrataHBarGraph();
    virtual void DrawGroupStrataVBarGraph();
    virtual void ComputeGroupStrataRange();
    virtual void ComputeStrataBarRange();
    virtual void DrawStrataHBarGraph();
    virtual void DrawStrataVBarGraph();
    virtual void DrawGanttScales();
    virtual void DrawGanttGraph();
    virtual void DrawWebGraph();
    virtual void DrawWebScales();
    virtual void DrawWebPlotArea();
    virtual void ComputeBubbleRange();
    virtual void DrawBubbleGraph();
    virtual void ComputeVectorRange();
    virtual void DrawVectorGraph();
    virtual void ComputeScatterRanges();
    virtual void DrawScatterGraph();
    virtual void DrawScatterScales();
    virtual void DrawScatterPlotArea();
    virtual void DrawLineGraph();
    virtual void DrawStepGraph();
    virtual void DrawCandleGraph();
    virtual void DrawAreaGraph();
    virtual void DrawFreeStyleGraph();
    virtual void DrawStockGraph();
    virtual void DrawIsoAreaGraph();

    // The tick marks and grid lines of the classic plot area (made on first use, owned by the display):
    // which 0 = value scale (second), 1 = index scale (first).
    QVGTickMarks* GetTickMarks(int nWhich);
    QVGGridLines* GetGridLines(int nWhich);
    // The scales as the scale operations made them (NULL before the first drawing).
    QVGDecimalScale* GetFirstScale();
    QVGDecimalScale* GetSecondScale();

protected:
    // One scatter pair: the X item and the Y item with their places and the series they belong to.
    struct ScatterPair
    {
        QVGraphData* pX;
        QVGraphData* pY;
        int nXIndex;
        int nXGroup;
        int nSeries;
        bool bNewSeries;
    };
    // Walks the pairs of the graph type's pairing in drawing order; stops when visit returns false.
    template <class Visit>
    void ForEachScatterPair(Visit visit);
    bool IsScatterXLog();
    // Configures, lays out in two passes and draws the first (X, bottom) and second (Y, left) scales.
    void LayoutScales(QVGDecimalScale* pFirst, QVGDecimalScale* pSecond, const CScale& first, const CScale& second,
                      bool bEqualUnits);
    void ConfigureScale(QVGDecimalScale* pScale, bool bFirst, const CScale& range);
    // A number scale for an axis: logarithmic, of dates, or plain decimal; and whether a scale is that kind.
    static QVGDecimalScale* NewNumberScale(bool bLog, bool bDates);
    static bool IsNumberScaleOf(QVGDecimalScale* pScale, bool bLog, bool bDates);
    void MakeFrameParts();
    // The X and Y ranges the frame shows: the axis ranges, or the data ranges when the type keeps none.
    CScale ShownIndexRange();
    CScale ShownValueRange();
};
