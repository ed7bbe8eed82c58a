// The strata renderers: groups stacked on each other as bands over the index (the strata graph) or as
// segments of one column per index (strata bars) or per group (group strata bars), with the
// percentage forms that scale each column to 100.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// A column whose total is no more than this has nothing to divide into percentages.
const double kEmptyColumn = 1.1102230246251565e-14;
}  // namespace

void QVGraphDisplay::ComputeStrataRange()
{
    if (m_pChart == NULL)
        return;
    IncludeIndexRangeShown();
    if (TakeFixedValueRange())
        return;
    const bool log = GetOption(optionLogValues) != 0;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    for (int i = 0; i < indexes; ++i) {
        double total = 0;
        for (int j = 0; j < groups; ++j) {
            double value = 0;
            if (!ValueOfItem(m_pChart->FindItem(first + i, m_nFirstGroup + j), value))
                value = log ? 1.0 : 0.0;
            total += value;
            m_valueDataRange.Include(total);
        }
    }
    CombineFixedValueRange();
}

void QVGraphDisplay::DrawStrataGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), -3.0);
    const bool log = map.bLog;
    // Totals at or below the range minimum lie on the bottom.
    auto yOf = [&](double total) -> int {
        if ((log && total <= 0) || map.Level(total) <= map.minimum)
            return plot.bottom;
        return ToDevice(plot.bottom - map.Offset(total) + 0.5);
    };
    const double step = double(plot.Width()) / std::max(m_nIndexCount - 1, 1);
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    if (indexes <= 0)
        return;
    std::vector<double> totals(size_t(indexes), 0.0);
    // Lines of the bands in the display's border colour, one unit wide.
    QVGraphStyle outline(m_style);
    outline.m_nLineWidth = 1;
    SeriesScope series(*this);
    std::vector<POINT> band;
    for (int j = 0; j < groups; ++j) {
        const int group = m_nFirstGroup + j;
        BeginSeries(group);
        band.clear();
        std::vector<POINT> lower;
        for (int i = 0; i < indexes; ++i) {
            const int x = ToDevice(plot.left + int(i * step + 0.5));
            lower.push_back(POINT{x, yOf(totals[i])});
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double value = 0;
            const bool valid = ValueOfItem(pItem, value) != FALSE;
            totals[i] += valid ? value : (log ? 1.0 : 0.0);
            const POINT upper = {x, yOf(totals[i])};
            band.push_back(upper);
            if (valid)
                m_pChart->AddFeedbackPoint(upper.x, upper.y, group, first + i);
        }
        band.insert(band.end(), lower.rbegin(), lower.rend());
        band.push_back(band.front());
        FillPolygon(band.data(), int(band.size()), GroupStyleOf(group));
        OutlinePolygon(band.data(), int(band.size()), &outline, 4);
    }
}

void QVGraphDisplay::ComputeRunningTotalRange(bool bAlongGroups, bool bPercent)
{
    if (m_pChart == NULL)
        return;
    IncludeIndexRangeShown();
    if (bPercent) {
        // The percentage forms always show the whole column, 0 to 100.
        m_valueDataRange.Include(0.0);
        m_valueDataRange.Include(100.0);
        return;
    }
    if (TakeFixedValueRange())
        return;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    const int columns = bAlongGroups ? groups : indexes, segments = bAlongGroups ? indexes : groups;
    for (int c = 0; c < columns; ++c) {
        double total = 0;
        m_valueDataRange.Include(0.0);
        for (int k = 0; k < segments; ++k) {
            const int index = first + (bAlongGroups ? k : c), group = m_nFirstGroup + (bAlongGroups ? c : k);
            double value = 0;
            if (ValueOfItem(m_pChart->FindItem(index, group), value)) {
                total += value;
                m_valueDataRange.Include(total);
            }
        }
    }
    CombineFixedValueRange();
}

void QVGraphDisplay::ComputeStrataBarRange()
{
    ComputeRunningTotalRange(false, IsPercentageStrata());
}

void QVGraphDisplay::ComputeGroupStrataRange()
{
    ComputeRunningTotalRange(true, IsPercentageStrata());
}

void QVGraphDisplay::DrawStrataBars(bool bVertical, bool bAlongGroups)
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool percent = IsPercentageStrata();
    const CRect plot = m_rectPlot;
    const int valueExtent = bVertical ? plot.Height() : plot.Width();
    // The percentage forms map 0 to 100 over the plot, as their scales show it.
    ValueAxisMap map = MakeValueAxisMap(valueExtent, -3.0);
    if (percent)
        map = ValueAxisMap{0.0, 100.0, valueExtent / 100.0, false};
    auto at = [&](double total) {
        const double offset = (map.bLog && total <= 0) ? 0.0 : map.Offset(total);
        return bVertical ? ToDevice(plot.bottom - offset + 0.5) : ToDevice(plot.left + offset + 0.5);
    };
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    const int columns = bAlongGroups ? groups : indexes, segments = bAlongGroups ? indexes : groups;
    const int slots = bAlongGroups ? m_nGroupCount : m_nIndexCount;
    const double slot = double(bVertical ? plot.Width() : plot.Height()) / slots;
    const double width = BarWidthFor(slot, !bVertical);
    SeriesScope series(*this);
    for (int c = 0; c < columns; ++c) {
        double scale = 1.0;
        if (percent) {
            double total = 0;
            for (int k = 0; k < segments; ++k) {
                double value = 0;
                const int index = first + (bAlongGroups ? k : c), group = m_nFirstGroup + (bAlongGroups ? c : k);
                if (ValueOfItem(m_pChart->FindItem(index, group), value))
                    total += value;
            }
            if (total <= kEmptyColumn)
                continue;
            scale = 100.0 / total;
        }
        const double low = c * slot + (slot - width) / 2;
        double total = 0;
        for (int k = 0; k < segments; ++k) {
            const int index = first + (bAlongGroups ? k : c), group = m_nFirstGroup + (bAlongGroups ? c : k);
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                value = 0;
            const double before = total;
            total += value * scale;
            BeginSeries(group);
            QVGraphStyle* pStyle = BarStyleOf(pItem, group);
            const int shape = BarShapeOf(pStyle, false);
            if (bVertical)
                DrawShape(ToDevice(plot.left + low), at(total), ToDevice(plot.left + low + width), at(before), index,
                          group, pStyle, shape, pItem);
            else
                DrawShape(at(before), ToDevice(plot.bottom - low - width), at(total), ToDevice(plot.bottom - low),
                          index, group, pStyle, shape, pItem);
        }
    }
}

void QVGraphDisplay::DrawStrataVBarGraph()
{
    DrawStrataBars(true, false);
}

void QVGraphDisplay::DrawStrataHBarGraph()
{
    DrawStrataBars(false, false);
}

void QVGraphDisplay::DrawGroupStrataVBarGraph()
{
    DrawStrataBars(true, true);
}

void QVGraphDisplay::DrawGroupStrataHBarGraph()
{
    DrawStrataBars(false, true);
}

void QVGraphDisplay::DrawGroupStrataScales(bool bVertical)
{
    if (GetScaleFlags() == 0)
        return;
    QVGIndexScale* pGroups = CategoryScale(true);
    pGroups->SetLabelsAtEdges(0);
    QVGDecimalScale* pValues = ValueScaleFor(false);
    CScale values = ShownValueRange();
    if (IsPercentageStrata()) {
        values.Reset();
        values.Include(0.0);
        values.Include(100.0);
    }
    if (bVertical)
        LayoutScales(pGroups, pValues, ShownIndexRange(), values, false);
    else
        LayoutScales(pValues, pGroups, values, ShownIndexRange(), false);
}

void QVGraphDisplay::DrawGroupStrataVScales()
{
    DrawGroupStrataScales(true);
}

void QVGraphDisplay::DrawGroupStrataHScales()
{
    DrawGroupStrataScales(false);
}
