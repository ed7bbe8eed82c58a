// The bar renderers: vertical and horizontal bars side by side in one slot per index, and stacked
// columns, in two or three dimensions.
#include "chart/model/GraphDisplay.h"

#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <vector>

namespace {
// Plot rectangle of the data: the front plane of a three-dimensional chart.
CRect DataPlane(const CRect& plot, bool bThreeD, const CSize& depth)
{
    CRect plane = plot;
    if (bThreeD) {
        plane.right -= depth.cx;
        plane.top += depth.cy;
    }
    return plane;
}

// Where the bars start, measured from the bottom (or the left edge) along the value axis: the zero line
// when the values run both sides of it, the far edge when they are all 0 or less, else the near edge.
double BaselineOffset(const QVGraphDisplay::ValueAxisMap& map, const CScale& range, int nExtent)
{
    if (map.bLog)
        return 0.0;
    if (range.m_dMin < 0 && range.m_dMax > 0)
        return -map.minimum * map.factor;
    if (range.m_dMax <= 0)
        return nExtent;
    return 0.0;
}
}  // namespace

void QVGraphDisplay::DrawVBarGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool threeD = IsThreeDVertical();
    const CRect plane = DataPlane(m_rectPlot, threeD, DepthOffset());
    const ValueAxisMap map = MakeValueAxisMap(plane.Height(), -3.0);
    const double slot = double(plane.Width()) / m_nIndexCount;
    const double width = BarWidthFor(double(plane.Width()) / (double(m_nGroupCount) * m_nIndexCount), false);
    const double offset = slot / 2 - m_nGroupCount * width / 2;
    const int baseline = ToDevice(plane.bottom - BaselineOffset(map, m_valueDataRange, plane.Height()) + 0.5);
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    const int indexes = IndexesShown(), groups = GroupsShown();
    for (int i = 0; i < indexes; ++i) {
        for (int j = 0; j < groups; ++j) {
            const int index = first + i, group = m_nFirstGroup + j;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            BeginSeries(group);
            const double left = j * width + i * slot + plane.left + offset;
            const int top = ToDevice(plane.bottom - map.Offset(value) + 0.5);
            QVGraphStyle* pStyle = BarStyleOf(pItem, group);
            DrawShape(ToDevice(left), top, ToDevice(left + width), baseline, index, group, pStyle,
                      BarShapeOf(pStyle, threeD), pItem);
        }
    }
}

void QVGraphDisplay::DrawHBarGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool threeD = IsThreeDHorizontal();
    const CRect plane = DataPlane(m_rectPlot, threeD, DepthOffset());
    const ValueAxisMap map = MakeValueAxisMap(plane.Width(), -3.0);
    // The slots run up from the bottom: index 0 lowest, and group 0 lowest within its slot.
    const double slot = double(plane.Height()) / m_nIndexCount;
    const double width = BarWidthFor(double(plane.Height()) / (double(m_nGroupCount) * m_nIndexCount), true);
    const double offset = slot / 2 - m_nGroupCount * width / 2;
    const int baseline = ToDevice(plane.left + BaselineOffset(map, m_valueDataRange, plane.Width()) + 0.5);
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    const int indexes = IndexesShown(), groups = GroupsShown();
    for (int i = 0; i < indexes; ++i) {
        for (int j = 0; j < groups; ++j) {
            const int index = first + i, group = m_nFirstGroup + j;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            BeginSeries(group);
            const double low = j * width + i * slot + offset;
            const int end = ToDevice(plane.left + map.Offset(value) + 0.5);
            QVGraphStyle* pStyle = BarStyleOf(pItem, group);
            DrawShape(baseline, ToDevice(plane.bottom - low - width), end, ToDevice(plane.bottom - low), index, group,
                      pStyle, BarShapeOf(pStyle, threeD), pItem);
        }
    }
}

namespace {
// One level of a stacked column: where a group's value lies above the value axis minimum.
struct StackLevel
{
    double level;
    int nGroup;             // -1 for the baseline
    QVGraphData* pItem;
};

// The bands of one column, each owned by the group whose value bounds it away from the baseline.
template <class Band>
void ForEachStackBand(std::vector<StackLevel>& levels, Band band)
{
    std::stable_sort(levels.begin(), levels.end(),
                     [](const StackLevel& a, const StackLevel& b) { return a.level < b.level; });
    size_t base = 0;
    while (levels[base].nGroup != -1)
        ++base;
    for (size_t k = 0; k + 1 < levels.size(); ++k) {
        if (levels[k + 1].level <= levels[k].level)
            continue;
        const StackLevel& owner = k + 1 <= base ? levels[k] : levels[k + 1];
        band(levels[k].level, levels[k + 1].level, owner);
    }
}
}  // namespace

void QVGraphDisplay::DrawStackVBarGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool threeD = IsThreeDVertical();
    const CRect plane = DataPlane(m_rectPlot, threeD, DepthOffset());
    const ValueAxisMap map = MakeValueAxisMap(plane.Height(), -3.0);
    const double slot = double(plane.Width()) / m_nIndexCount;
    const double width = BarWidthFor(slot, false);
    const double base = BaselineOffset(map, m_valueDataRange, plane.Height()) / map.factor;
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    std::vector<StackLevel> levels;
    const int indexes = IndexesShown(), groups = GroupsShown();
    for (int i = 0; i < indexes; ++i) {
        const int index = first + i;
        levels.assign(1, StackLevel{base, -1, NULL});
        for (int j = 0; j < groups; ++j) {
            QVGraphData* pItem = m_pChart->FindItem(index, m_nFirstGroup + j);
            double value = 0;
            // A null item stands at 0.
            const double level = ValueOfItem(pItem, value) ? map.Level(value) - map.minimum
                                                           : (map.bLog ? base : -map.minimum);
            levels.push_back(StackLevel{level, m_nFirstGroup + j, pItem});
        }
        const double left = i * slot + plane.left + (slot - width) / 2;
        ForEachStackBand(levels, [&](double low, double high, const StackLevel& owner) {
            BeginSeries(owner.nGroup);
            QVGraphStyle* pStyle = BarStyleOf(owner.pItem, owner.nGroup);
            DrawShape(ToDevice(left), ToDevice(plane.bottom - high * map.factor + 0.5), ToDevice(left + width),
                      ToDevice(plane.bottom - low * map.factor + 0.5), index, owner.nGroup, pStyle,
                      BarShapeOf(pStyle, threeD), owner.pItem);
        });
    }
}

void QVGraphDisplay::DrawStackHBarGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool threeD = IsThreeDHorizontal();
    const CRect plane = DataPlane(m_rectPlot, threeD, DepthOffset());
    const ValueAxisMap map = MakeValueAxisMap(plane.Width(), -3.0);
    const double slot = double(plane.Height()) / m_nIndexCount;
    const double width = BarWidthFor(slot, true);
    const double base = BaselineOffset(map, m_valueDataRange, plane.Width()) / map.factor;
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    std::vector<StackLevel> levels;
    const int indexes = IndexesShown(), groups = GroupsShown();
    for (int i = 0; i < indexes; ++i) {
        const int index = first + i;
        levels.assign(1, StackLevel{base, -1, NULL});
        for (int j = 0; j < groups; ++j) {
            QVGraphData* pItem = m_pChart->FindItem(index, m_nFirstGroup + j);
            double value = 0;
            const double level = ValueOfItem(pItem, value) ? map.Level(value) - map.minimum
                                                           : (map.bLog ? base : -map.minimum);
            levels.push_back(StackLevel{level, m_nFirstGroup + j, pItem});
        }
        const double low = i * slot + (slot - width) / 2;
        ForEachStackBand(levels, [&](double from, double to, const StackLevel& owner) {
            BeginSeries(owner.nGroup);
            QVGraphStyle* pStyle = BarStyleOf(owner.pItem, owner.nGroup);
            DrawShape(ToDevice(plane.left + from * map.factor + 0.5), ToDevice(plane.bottom - low - width),
                      ToDevice(plane.left + to * map.factor + 0.5), ToDevice(plane.bottom - low), index, owner.nGroup,
                      pStyle, BarShapeOf(pStyle, threeD), owner.pItem);
        });
    }
}
