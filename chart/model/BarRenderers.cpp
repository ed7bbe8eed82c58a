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
    DrawBarsSideBySide(false);
}

void QVGraphDisplay::DrawHBarGraph()
{
    DrawBarsSideBySide(true);
}

QVGraphDisplay::BarFrame QVGraphDisplay::MakeBarFrame(bool bHorizontal)
{
    BarFrame frame;
    frame.bHorizontal = bHorizontal;
    frame.bThreeD = bHorizontal ? IsThreeDHorizontal() : IsThreeDVertical();
    frame.plane = DataPlane(m_rectPlot, frame.bThreeD, DepthOffset());
    frame.valueExtent = bHorizontal ? frame.plane.Width() : frame.plane.Height();
    frame.slotExtent = bHorizontal ? frame.plane.Height() : frame.plane.Width();
    frame.map = MakeValueAxisMap(frame.valueExtent, -3.0);
    frame.slot = double(frame.slotExtent) / m_nIndexCount;
    return frame;
}

void QVGraphDisplay::DrawBarsSideBySide(bool bHorizontal)
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const BarFrame frame = MakeBarFrame(bHorizontal);
    const double slot = frame.slot;
    const double width =
        BarWidthFor(double(frame.slotExtent) / (double(m_nGroupCount) * m_nIndexCount), bHorizontal);
    const double offset = slot / 2 - m_nGroupCount * width / 2;
    const double baseline = BaselineOffset(frame.map, m_valueDataRange, frame.valueExtent);
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
            const double start = bHorizontal ? j * width + i * slot + offset
                                             : j * width + i * slot + frame.plane.left + offset;
            DrawBar(frame, start, width, baseline, frame.map.Offset(value), index, group, pItem);
        }
    }
}

void QVGraphDisplay::DrawBar(const BarFrame& frame, double slotStart, double width, double valueFrom, double valueTo,
                             int nIndex, int nGroup, QVGraphData* pItem)
{
    BeginSeries(nGroup);
    QVGraphStyle* pStyle = BarStyleOf(pItem, nGroup);
    const int nShape = BarShapeOf(pStyle, frame.bThreeD);
    const CRect& plane = frame.plane;
    if (frame.bHorizontal) {
        // The slots run up from the bottom: index 0 lowest, and group 0 lowest within its slot.
        DrawShape(ToDevice(plane.left + valueFrom + 0.5), ToDevice(plane.bottom - slotStart - width),
                  ToDevice(plane.left + valueTo + 0.5), ToDevice(plane.bottom - slotStart), nIndex, nGroup, pStyle,
                  nShape, pItem);
    } else {
        DrawShape(ToDevice(slotStart), ToDevice(plane.bottom - valueTo + 0.5), ToDevice(slotStart + width),
                  ToDevice(plane.bottom - valueFrom + 0.5), nIndex, nGroup, pStyle, nShape, pItem);
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
    DrawStackedBars(false);
}

void QVGraphDisplay::DrawStackHBarGraph()
{
    DrawStackedBars(true);
}

void QVGraphDisplay::DrawStackedBars(bool bHorizontal)
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const BarFrame frame = MakeBarFrame(bHorizontal);
    const ValueAxisMap& map = frame.map;
    const double slot = frame.slot;
    const double width = BarWidthFor(slot, bHorizontal);
    const double base = BaselineOffset(map, m_valueDataRange, frame.valueExtent) / map.factor;
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
        const double start =
            bHorizontal ? i * slot + (slot - width) / 2 : i * slot + frame.plane.left + (slot - width) / 2;
        ForEachStackBand(levels, [&](double low, double high, const StackLevel& owner) {
            DrawBar(frame, start, width, low * map.factor, high * map.factor, index, owner.nGroup, owner.pItem);
        });
    }
}
