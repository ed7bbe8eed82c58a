// The chart display: draws a chart's data as one of 47 graph types, with the plot area behind it and the
// scales around it. One virtual operation per renderer, per kind of plot area and scale frame and per
// kind of range computation; the tables of the dispatch tie graph types and axis styles to them.
#pragma once

#include "chart/model/DisplayBase.h"

#include <algorithm>
#include <vector>

class QVGDecimalScale;
class QVGIndexScale;
class QVGGridLines;
class QVGTickMarks;
class QVGraphData;
class QVGraphLabelBlock;

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
    // The tick marks of the value (Y) scale and the index (X) scale, unless their option bits suppress
    // them, each only when its scale has produced tick positions.
    void DrawScaleTickMarks();
    // The scales as the scale operations made them (NULL before the first drawing).
    QVGDecimalScale* GetFirstScale();
    QVGDecimalScale* GetSecondScale();
    // The colour of the grid lines across the plot area.
    COLORREF GetGridColor() const { return m_crGrid; }
    void SetGridColor(COLORREF crColor) { m_crGrid = crColor; }

    // Shared by the renderers over the item index (line, step, area, bars, strata, stock, candle, ...).
    // The value axis as those renderers map it: the value data range's minimum (its logarithm on a
    // logarithmic axis) and the value span, device units per value unit along the given extent.
    struct ValueAxisMap
    {
        double minimum;
        double span;
        double factor;
        bool bLog;
        // The value as the axis measures it: its logarithm on a logarithmic axis (-99 for 0 or less).
        double Level(double value) const;
        // Device units from the minimum to the value along the axis.
        double Offset(double value) const { return (Level(value) - minimum) * factor; }
    };

protected:
    // The map along nExtent device units; on a logarithmic axis a minimum of 0 or less stands at the
    // logarithm given.
    ValueAxisMap MakeValueAxisMap(int nExtent, double logFloorForNonPositive);
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
    // The scatter scales: made when missing or of another kind (pPlainFirstScale is the class of the X
    // scale when it is neither logarithmic nor of dates), laid out beside the plot rectangle and drawn.
    // DrawScatterScales runs it with the plain decimal scale; displays that draw axes of their own share it.
    void LayoutScatterScales(CRuntimeClass* pPlainFirstScale);
    // Only the making: a display that sets up its own scale class before the labels are generated.
    void MakeScatterScales(CRuntimeClass* pPlainFirstScale);
    // The tick step handed to the first (X) or the second (Y) scale: the display base's steps here.
    virtual double GetScaleStep(bool bFirst);
    // Configures, lays out in two passes and draws the first (X, bottom) and second (Y, left) scales;
    // the value scale as the second goes up the right edge instead when the axis style says so. A
    // three-dimensional frame shortens the lines by the depth (right end of the first, top of the second
    // on the left, bottom of one on the right, which then stands at the back wall's edge).
    void LayoutScales(QVGDecimalScale* pFirst, QVGDecimalScale* pSecond, const CScale& first, const CScale& second,
                      bool bEqualUnits, CSize depth = CSize(0, 0));
    // bOnRight: the second scale runs up the right edge, its labels right of it.
    void ConfigureScale(QVGDecimalScale* pScale, bool bFirst, const CScale& range, bool bOnRight = false);
    // The axis styles "Classic (Y scale on the right)", "Classic 3D (y scale on the right)", "Classic
    // date scale (right handed)" and "Classic 3D Date on right" put the value scale on the right.
    bool IsValueScaleOnRight();
    // A number scale for an axis: logarithmic, of dates, or plain decimal; and whether a scale is that kind.
    static QVGDecimalScale* NewNumberScale(bool bLog, bool bDates);
    static bool IsNumberScaleOf(QVGDecimalScale* pScale, bool bLog, bool bDates);
    void MakeFrameParts();
    // The X and Y ranges the frame shows: the axis ranges, or the data ranges when the type keeps none.
    CScale ShownIndexRange();
    CScale ShownValueRange();

    // The guard of every renderer over the item index: a value range too narrow to map, no groups, no
    // indexes, or no drawing under way.
    bool CannotDrawOverIndexes();
    // A coordinate computed in double, clamped into the range the drawing system keeps, then truncated.
    int ToDevice(double coordinate);
    // The first index walked (-1 counts as 0), the items of a group walked (its size capped by the
    // index limits) and a group's size (0 for a hidden or missing group).
    int FirstIndexShown();
    int ItemsShownInGroup(int nGroup);
    // How many of the groups and indexes in the limits hold data: walks never go past them, whatever
    // limits an archive brought.
    int GroupsShown();
    int IndexesShown();
    int GroupSizeOrZero(int nGroup);
    // The value of a drawable item: FALSE for a null item or one whose value is no finite number.
    BOOL ValueOfItem(QVGraphData* pItem, double& value);
    // The style a bar is drawn with: the item's when it names a drawing mode, else its group's.
    QVGraphStyle* BarStyleOf(QVGraphData* pItem, int nGroup);
    QVGraphStyle* GroupStyleOf(int nGroup);
    // The width of a bar whose even share of the plot is `fitting` device units: eleven twelfths of it,
    // or the display's own bar width under option bit 30 when that fits.
    double BarWidthFor(double fitting, bool bHorizontal);
    // The depth of a three-dimensional chart in device units (x to the right, y upwards).
    CSize DepthOffset();
    bool IsThreeDVertical();
    bool IsThreeDHorizontal();
    // Groups in drawing order: by average value, largest first, unless option bit 9 keeps group order.
    std::vector<int> GroupsInDrawingOrder();
    // The current series: names the styles and colour code the display draws with.
    void BeginSeries(int nSeries);
    // Gives the display its own colour code back when a renderer ends, however it ends.
    struct SeriesScope
    {
        explicit SeriesScope(QVGraphDisplay& display) : m_display(display), m_nSavedCode(display.m_nColorCode) {}
        ~SeriesScope() { m_display.m_nColorCode = m_nSavedCode; }
        SeriesScope(const SeriesScope&) = delete;
        SeriesScope& operator=(const SeriesScope&) = delete;
        QVGraphDisplay& m_display;
        int m_nSavedCode;
    };
    // The shape a bar is drawn as: the box for three-dimensional bars, else the style's shape when it is one.
    static int BarShapeOf(QVGraphStyle* pStyle, bool bThreeD);
    // The bar renderers, once for both orientations: vertical bars stand on the plot's bottom edge in
    // slots along its width; horizontal ones lie from its left edge in slots up its height.
    void DrawBarsSideBySide(bool bHorizontal);
    void DrawStackedBars(bool bHorizontal);
    // Where the bars go: the data plane (the front plane of a three-dimensional chart), its extent
    // along the value axis and across the slots, the value axis map and the slot of one index.
    struct BarFrame
    {
        bool bHorizontal;
        bool bThreeD;
        CRect plane;
        int valueExtent;
        int slotExtent;
        ValueAxisMap map;
        double slot;
    };
    BarFrame MakeBarFrame(bool bHorizontal);
    // One bar, width wide across its slot from slotStart (the left side's x of a vertical bar, the lower
    // side's height above the plane's bottom of a horizontal one), and from valueFrom to valueTo device
    // units off the plane's value edge (its bottom, or its left edge).
    void DrawBar(const BarFrame& frame, double slotStart, double width, double valueFrom, double valueTo, int nIndex,
                 int nGroup, QVGraphData* pItem);
    // The fixed value range of option bit 26 in place of the data (FALSE when the data is to be scanned),
    // and the combine mode of option bit 2 applied after a scan.
    BOOL TakeFixedValueRange();
    void CombineFixedValueRange();
    void IncludeIndexRangeShown();

    // A number scale for the value axis: logarithmic under option bit 27, of dates, or decimal; made
    // anew only when the one the display holds is of another kind.
    QVGDecimalScale* ValueScaleFor(bool bDates);
    // A category scale (index or group scale) in the index scale's place.
    QVGIndexScale* CategoryScale(bool bGroups);
    // The percentage forms of the strata bars show 0 to 100 on their value axis.
    bool IsPercentageStrata();
    // Tick marks and grid lines of a plot area, each following its scale's anchors and told their side
    // and orientation by the scale's line; nGridKind is the grid lines' kind (2 straight across the
    // plot, the 3D axis styles over the back wall).
    void DrawTicksAndGrids(const CRect& extent, int nGridKind);
    // The display's own label block (its label list): made on first use, given the display's font,
    // text colour and the current drawing.
    QVGraphLabelBlock* OwnLabelBlock();
    // Sets label k of the block to the text at (x, y) with the justification; the other drops the labels
    // beyond a count.
    static void PlaceBlockLabel(QVGraphLabelBlock* pBlock, int k, LPCTSTR lpszText, double x, double y,
                                int nJustification);
    static void TrimBlockLabels(QVGraphLabelBlock* pBlock, int nCount);

    // Isometric projection of the platform and stage styles: a point lies s device units along the
    // index edge from the origin, r rows back in depth and h device units up the value axis.
    struct IsoFrame
    {
        double originX;
        double originY;
        double indexStep;
        double rowX;
        double rowY;
        double valueHeight;
        int nIndexes;
        int nRows;
        bool bWest;         // depth runs to the left: the left side faces show
        double low;         // the range of device coordinates the drawing system keeps
        double high;
        POINT At(double s, double r, double h) const
        {
            return POINT{int(std::clamp(originX + s + r * rowX + 0.5, low, high)),
                         int(std::clamp(originY - h + r * rowY + 0.5, low, high))};
        }
    };
    // ComputeIsoLayout, then its layout read back from the work rectangles.
    IsoFrame MakeIsoFrame();
    // An isometric chart cannot show values below zero: it turns itself into vertical bars.
    bool SwitchIsoToBarsForNegatives();
    bool HasNegativeValues();
    // A face of an isometric block: recorded for feedback, filled and outlined, shaded when asked.
    void DrawIsoFace(const POINT* pPoints, int nIndex, int nGroup, QVGraphStyle* pStyle, int nShade);

    // Pie: one slice per item with a value above 0, in group then index order, from angle 0 on.
    struct PieSlice
    {
        int nIndex;
        int nGroup;
        double value;
        double start;
        double sweep;
        int nExplosion;
        QVGraphData* pItem;
        double Middle() const { return start + sweep / 2; }
    };
    // The slices and their total; FALSE when the total is too small to draw.
    BOOL ComputePieSlices(std::vector<PieSlice>& slices, double& total);
    // The radius: the one the labels left room for, else 0.4 of the plot's smaller side.
    double PieRadius();
    // Centre, vertical semi-axis and thickness of a pie of the radius in the plot rectangle.
    void PieGeometry(double radius, double& cx, double& cy, double& semiAxis, double& thickness);
    // How far an exploded slice moves out, as a part of the radius; how far out its label sits.
    static double PieExplosion(int nKind);
    static double PieLabelDistance(int nKind);
    CString PieLabelText(const PieSlice& slice, double total);

    // Strata: the running totals of the groups at each index (bAlongGroups: of the indexes of each group).
    void ComputeRunningTotalRange(bool bAlongGroups, bool bPercent);
    void DrawStrataBars(bool bVertical, bool bAlongGroups);
    // Group strata scales: one label per group along the bottom (or up the left edge), values beside.
    void DrawGroupStrataScales(bool bVertical);

    // Web and polar charts: centre and radius (0.4 of the plot's smaller side); FALSE below one unit.
    bool RadialGeometry(double& cx, double& cy, double& radius);
    // Rings through the value scale's ticks (four even rings without a scale) and spokes, as polylines.
    void DrawRadialFrame(int nSpokes, double firstAngle, bool bPolygonRings);
    // The value scale up the first spoke, and a label at the end of each spoke.
    void DrawRadialScales(const CScale& values, const std::vector<CString>& spokeTexts, double firstAngle);

    // The data units of the X (index) and Y (value) axis ranges mapped onto the plot rectangle, as the
    // bubble and vector charts use them.
    struct PlaneMap
    {
        double xMin;
        double yMin;
        double fx;
        double fy;
        double left;
        double bottom;
    };
    bool MakePlaneMap(PlaneMap& map);
    CPoint MapToPlane(const PlaneMap& map, double x, double y);
    // The fixed ranges of option bit 26 on both axes; the flag of an axis whose fixed range was taken is
    // cleared.
    void TakeFixedPlaneRanges(bool& bXFromData, bool& bYFromData);
    // The arrow head of a vector whose style names no line ends: a filled triangle at the end point.
    void DrawArrowHead(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle);

    COLORREF m_crGrid;
};
