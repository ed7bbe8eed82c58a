// The free-form renderers: Gantt tasks, the freestyle chart whose items choose how they are drawn,
// bubbles and vectors placed by their X and Y values.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const double kEmptyWidth = 2.220446049250313e-16;
const double kRadiansPerDegree = 0.017453292222222222;
const double kDegreesPerRadian = 57.295780490442965;
// The area form of a bubble takes the radius of a circle of that area: sqrt(size / pi).
const double kOneOverPi = 0.31830989161357204;
// The head of a vector without line ends: as long as a bar is deep, 25 degrees either side of the shaft.
const double kArrowHalfAngle = 25.0 * kRadiansPerDegree;
}  // namespace

void QVGraphDisplay::DrawGanttGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Width(), -3.0);
    auto xOf = [&](double value) {
        return std::clamp(plot.left + map.Offset(value) + 0.5, double(plot.left), double(plot.right));
    };
    const int pairs = m_nGroupCount / 2;
    if (pairs <= 0)
        return;
    // One row per index up from the bottom, the tasks of the pairs side by side in it.
    const double row = double(plot.Height()) / m_nIndexCount;
    const double height = BarWidthFor(double(plot.Height()) / (double(pairs) * m_nIndexCount), true);
    const double offset = row / 2 - pairs * height / 2;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown();
    const int shownPairs = std::min(pairs, GroupsShown() / 2);
    SeriesScope series(*this);
    for (int i = 0; i < indexes; ++i) {
        const int index = first + i;
        for (int p = 0; p < shownPairs; ++p) {
            const int startGroup = m_nFirstGroup + 2 * p, endGroup = startGroup + 1;
            QVGraphData* pStart = m_pChart->FindItem(index, startGroup);
            QVGraphData* pEnd = m_pChart->FindItem(index, endGroup);
            double start = 0, end = 0;
            if (!ValueOfItem(pStart, start) || !ValueOfItem(pEnd, end))
                continue;
            BeginSeries((m_nFirstGroup + 2 * p) / 2);
            const double low = p * height + i * row + offset;
            const int top = ToDevice(plot.bottom - low - height), bottom = ToDevice(plot.bottom - low);
            const int xStart = ToDevice(xOf(start)), xEnd = ToDevice(xOf(end));
            const int left = std::min(xStart, xEnd), right = std::max(xStart, xEnd), middle = (left + right) / 2;
            // The left half names the start group; the right half the group whose value lies there.
            m_pChart->AddFeedbackRect(index, startGroup, CRect(left, top, middle, bottom));
            m_pChart->AddFeedbackRect(index, xEnd >= xStart ? endGroup : startGroup, CRect(middle, top, right, bottom));
            QVGraphStyle* pStyle = BarStyleOf(pStart, startGroup);
            const BOOL feedback = m_pChart->GetFeedbackEnabled();
            m_pChart->SetFeedbackEnabled(FALSE);
            try {
                DrawShape(left, top, right, bottom, index, startGroup, pStyle, BarShapeOf(pStyle, false), pStart);
            } catch (...) {
                m_pChart->SetFeedbackEnabled(feedback);
                throw;
            }
            m_pChart->SetFeedbackEnabled(feedback);
        }
    }
}

void QVGraphDisplay::DrawGanttScales()
{
    if (GetScaleFlags() == 0)
        return;
    // Values (numbers, or dates for style 25) along the bottom, the tasks up the left edge.
    QVGIndexScale* pIndex = CategoryScale(false);
    QVGDecimalScale* pValue = ValueScaleFor(GetAxisStyle() == 25);
    pIndex->SetLabelsAtEdges(0);
    LayoutScales(pValue, pIndex, ShownValueRange(), ShownIndexRange(), false);
}

void QVGraphDisplay::DrawFreeStyleGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), -3.0);
    auto yOf = [&](double value) { return ToDevice(plot.bottom - map.Offset(value) + 0.5); };
    const double slot = double(plot.Width()) / m_nIndexCount;
    const double width = BarWidthFor(double(plot.Width()) / (double(m_nGroupCount) * m_nIndexCount), false);
    const double offset = slot / 2 - m_nGroupCount * width / 2;
    int baseline = plot.bottom;
    if (!map.bLog && m_valueDataRange.m_dMin < 0 && m_valueDataRange.m_dMax > 0)
        baseline = yOf(0.0);
    else if (!map.bLog && m_valueDataRange.m_dMax <= 0)
        baseline = plot.top;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    SeriesScope series(*this);
    for (int j = 0; j < groups; ++j) {
        const int group = m_nFirstGroup + j;
        BeginSeries(group);
        bool havePrevious = false;
        CPoint previous(0, 0);
        for (int i = 0; i < indexes; ++i) {
            const int index = first + i;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;   // the line goes on over a null item
            QVGraphStyle* pStyle = pItem->GetStyle();
            const int mode = pStyle->GetShapeType();
            switch (mode) {
            case 2: case 3: case 4: case 11: {
                // A point at the middle of its slot, joined to the group's previous point.
                const CPoint point(ToDevice(plot.left + (i + 0.5) * slot), yOf(value));
                if (havePrevious) {
                    const int lineType = pStyle->GetLineType() == 2 ? 1 : pStyle->GetLineType();
                    DrawLine(previous.x, previous.y, point.x, point.y, pStyle, -1, lineType, pItem);
                }
                m_pChart->AddFeedbackPoint(point.x, point.y, group, index);
                DrawSymbol(point.x, point.y, pStyle, pItem);
                previous = point;
                havePrevious = true;
                break;
            }
            case 5: case 6: case 10: {
                const double left = j * width + i * slot + plot.left + offset;
                DrawShape(ToDevice(left), yOf(value), ToDevice(left + width), baseline, index, group, pStyle,
                          mode == 10 ? 10 : (mode == 6 ? 6 : 5), pItem);
                break;
            }
            default:
                break;
            }
        }
    }
}

bool QVGraphDisplay::MakePlaneMap(PlaneMap& map)
{
    const CScale x = m_indexAxisRange.IsEmpty() ? m_indexDataRange : m_indexAxisRange;
    const CScale y = m_valueAxisRange.IsEmpty() ? m_valueDataRange : m_valueAxisRange;
    if (!(x.GetRange() > kEmptyWidth) || !(y.GetRange() > kEmptyWidth))
        return false;
    map.xMin = x.m_dMin;
    map.yMin = y.m_dMin;
    map.fx = m_rectPlot.Width() / x.GetRange();
    map.fy = m_rectPlot.Height() / y.GetRange();
    map.left = m_rectPlot.left;
    map.bottom = m_rectPlot.bottom;
    return true;
}

CPoint QVGraphDisplay::MapToPlane(const PlaneMap& map, double x, double y)
{
    return CPoint(ToDevice((x - map.xMin) * map.fx + map.left + 0.5), ToDevice(map.bottom - (y - map.yMin) * map.fy + 0.5));
}

void QVGraphDisplay::TakeFixedPlaneRanges(bool& bXFromData, bool& bYFromData)
{
    bXFromData = bYFromData = true;
    if (!GetOption(optionFixedRanges))
        return;
    if (m_dFixedValueMin < m_dFixedValueMax) {
        m_valueDataRange.Include(m_dFixedValueMax);
        m_valueDataRange.Include(m_dFixedValueMin);
        bYFromData = false;
    }
    if (m_dFixedIndexMin < m_dFixedIndexMax) {
        m_indexDataRange.Include(m_dFixedIndexMax);
        m_indexDataRange.Include(m_dFixedIndexMin);
        bXFromData = false;
    }
}

namespace {
// The radius of a bubble of the size: both forms take a square root; the area form that of a circle of
// the size as its area. A negative size has no bubble.
bool BubbleRadius(int nGraphType, double size, double& radius)
{
    if (!(size >= 0))
        return false;
    radius = nGraphType == 42 ? std::sqrt(size * kOneOverPi) : std::sqrt(size);
    return std::isfinite(radius);
}
}  // namespace

void QVGraphDisplay::ComputeBubbleRange()
{
    if (m_pChart == NULL)
        return;
    if (m_nGroupCount < 3)
        RaiseChartError(21);
    if (GetOption(optionLogValues))
        RaiseChartError(22);
    bool xFromData = true, yFromData = true;
    TakeFixedPlaneRanges(xFromData, yFromData);
    if (!xFromData && !yFromData)
        return;
    const int type = GetGraphType();
    const int first = FirstIndexShown();
    for (int j = 0; j + 2 < GroupsShown(); j += 3) {
        const int group = m_nFirstGroup + j;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            double x = 0, y = 0, size = 0, radius = 0;
            if (!ValueOfItem(m_pChart->FindItem(first + i, group), x) ||
                !ValueOfItem(m_pChart->FindItem(first + i, group + 1), y) ||
                !ValueOfItem(m_pChart->FindItem(first + i, group + 2), size) || !BubbleRadius(type, size, radius))
                continue;
            if (xFromData) {
                m_indexDataRange.Include(x - radius);
                m_indexDataRange.Include(x + radius);
            }
            if (yFromData) {
                m_valueDataRange.Include(y - radius);
                m_valueDataRange.Include(y + radius);
            }
        }
    }
}

void QVGraphDisplay::DrawBubbleGraph()
{
    if (m_nGroupCount < 3)
        RaiseChartError(21);
    if (GetOption(optionLogValues))
        RaiseChartError(22);
    PlaneMap map;
    if (m_pChart == NULL || m_pDC == NULL || m_nIndexCount <= 0 || !MakePlaneMap(map)) {
        DrawNoGraph();
        return;
    }
    struct Bubble
    {
        double x;
        double y;
        double radius;
        int nIndex;
        int nGroup;
        QVGraphData* pItem;
    };
    std::vector<Bubble> bubbles;
    const int type = GetGraphType();
    const int first = FirstIndexShown();
    for (int j = 0; j + 2 < GroupsShown(); j += 3) {
        const int group = m_nFirstGroup + j;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            QVGraphData* pX = m_pChart->FindItem(first + i, group);
            double x = 0, y = 0, size = 0, radius = 0;
            if (!ValueOfItem(pX, x) || !ValueOfItem(m_pChart->FindItem(first + i, group + 1), y) ||
                !ValueOfItem(m_pChart->FindItem(first + i, group + 2), size) || !BubbleRadius(type, size, radius))
                continue;
            bubbles.push_back(Bubble{x, y, radius, first + i, group, pX});
        }
    }
    // Largest first, so small bubbles are drawn over large ones.
    std::stable_sort(bubbles.begin(), bubbles.end(), [](const Bubble& a, const Bubble& b) { return a.radius > b.radius; });
    SeriesScope series(*this);
    for (const Bubble& bubble : bubbles) {
        const CPoint centre = MapToPlane(map, bubble.x, bubble.y);
        const int rx = ToDevice(bubble.radius * map.fx + 0.5), ry = ToDevice(bubble.radius * map.fy + 0.5);
        const CRect box(ToDevice(double(centre.x) - rx), ToDevice(double(centre.y) - ry), ToDevice(double(centre.x) + rx),
                        ToDevice(double(centre.y) + ry));
        const CRect& plot = m_rectPlot;
        const POINT corners[4] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                                  {box.left, box.bottom}};
        bool inside = false;
        for (const POINT& corner : corners)
            inside = inside || ::PtInRect(&plot, corner);
        if (!inside)
            continue;
        BeginSeries(m_nFirstGroup / 3 + (bubble.nGroup - m_nFirstGroup) / 3);
        DrawShape(box.left, box.top, box.right, box.bottom, bubble.nIndex, bubble.nGroup, bubble.pItem->GetStyle(), 17,
                  bubble.pItem);
    }
}

namespace {
// The two ends of the vector at an index: from the point (43), centred on it (44), or two points (45).
bool VectorEnds(int nGraphType, const double values[4], double& x1, double& y1, double& x2, double& y2)
{
    if (nGraphType == 45) {
        x1 = values[0];
        y1 = values[1];
        x2 = values[2];
        y2 = values[3];
        return true;
    }
    // Compass degrees: 0 points up and the angles turn clockwise.
    const double angle = (90.0 - values[2]) * kRadiansPerDegree;
    const double dx = values[3] * std::cos(angle), dy = values[3] * std::sin(angle);
    if (nGraphType == 44) {
        x1 = values[0] - dx / 2;
        y1 = values[1] - dy / 2;
    } else {
        x1 = values[0];
        y1 = values[1];
    }
    x2 = x1 + dx;
    y2 = y1 + dy;
    return std::isfinite(x2) && std::isfinite(y2);
}
}  // namespace

void QVGraphDisplay::ComputeVectorRange()
{
    if (m_pChart == NULL)
        return;
    if (GetOption(optionLogValues))
        RaiseChartError(22);
    bool xFromData = true, yFromData = true;
    TakeFixedPlaneRanges(xFromData, yFromData);
    if (!xFromData && !yFromData)
        return;
    const int type = GetGraphType();
    const int first = FirstIndexShown();
    for (int j = 0; j + 3 < GroupsShown(); j += 4) {
        const int group = m_nFirstGroup + j;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            double values[4], x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            bool complete = true;
            for (int k = 0; k < 4; ++k)
                complete = complete && ValueOfItem(m_pChart->FindItem(first + i, group + k), values[k]);
            if (!complete || !VectorEnds(type, values, x1, y1, x2, y2))
                continue;
            if (xFromData) {
                m_indexDataRange.Include(x1);
                m_indexDataRange.Include(x2);
            }
            if (yFromData) {
                m_valueDataRange.Include(y1);
                m_valueDataRange.Include(y2);
            }
        }
    }
}

void QVGraphDisplay::DrawArrowHead(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle)
{
    if (x1 == x2 && y1 == y2)
        return;
    const double length = pStyle->GetBarDepthOrDefault() * GetDeviceScaleX(m_pDC);
    const double angle = std::atan2(double(y1 - y2), double(x1 - x2));
    const POINT head[4] = {{x2, y2},
                           {ToDevice(x2 + length * std::cos(angle + kArrowHalfAngle)),
                            ToDevice(y2 + length * std::sin(angle + kArrowHalfAngle))},
                           {ToDevice(x2 + length * std::cos(angle - kArrowHalfAngle)),
                            ToDevice(y2 + length * std::sin(angle - kArrowHalfAngle))},
                           {x2, y2}};
    // In the colour of the shaft: the colour code's for line type 1, else the line colour.
    const COLORREF color = pStyle->GetLineType() == 1 ? g_qvgColorTable[m_nColorCode & 15] : pStyle->m_crLineColor;
    CBrush brush;
    brush.CreateSolidBrush(color);
    CPen* pPen = GetPen(PS_SOLID, 1, color);
    CBrush* pOldBrush = m_pDC->SelectObject(&brush);
    CPen* pOldPen = pPen != NULL ? m_pDC->SelectObject(pPen) : NULL;
    m_pDC->Polygon(head, 4);
    if (pOldPen != NULL)
        m_pDC->SelectObject(pOldPen);
    m_pDC->SelectObject(pOldBrush);
}

void QVGraphDisplay::DrawVectorGraph()
{
    PlaneMap map;
    if (m_pChart == NULL || m_pDC == NULL || m_nIndexCount <= 0 || m_nGroupCount < 4 || !MakePlaneMap(map)) {
        DrawNoGraph();
        return;
    }
    const int type = GetGraphType();
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    for (int j = 0; j + 3 < GroupsShown(); j += 4) {
        const int group = m_nFirstGroup + j;
        BeginSeries(m_nFirstGroup / 4 + j / 4);
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double values[4], x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            bool complete = true;
            for (int k = 0; k < 4; ++k)
                complete = complete && ValueOfItem(m_pChart->FindItem(first + i, group + k), values[k]);
            if (!complete || !VectorEnds(type, values, x1, y1, x2, y2))
                continue;
            const CPoint from = MapToPlane(map, x1, y1), to = MapToPlane(map, x2, y2);
            if (!::PtInRect(&m_rectPlot, from) && !::PtInRect(&m_rectPlot, to))
                continue;
            m_pChart->AddFeedbackPoint(from.x, from.y, group, first + i);
            QVGraphStyle* pStyle = pItem->GetStyle();
            DrawLine(from.x, from.y, to.x, to.y, pStyle, -1, -1, pItem);
            if (pStyle->m_strText.Find('|') >= 0) {
                const double angle = -(LineAngle(from.x, from.y, to.x, to.y) * kDegreesPerRadian);
                DrawLineEnd(from.x, from.y, pStyle, 1, angle);
                DrawLineEnd(to.x, to.y, pStyle, 2, angle);
            } else {
                DrawArrowHead(from.x, from.y, to.x, to.y, pStyle);
            }
        }
    }
}
