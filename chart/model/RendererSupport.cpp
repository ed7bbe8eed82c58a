// What the renderers of the chart display share: the guard, the walk over groups and items, the value
// mapping with its clamp into the drawing system's range, bar widths, the three-dimensional depth, the
// order of groups by average, the current series and the fixed value range.
#include "chart/model/GraphDisplay.h"

#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphException.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>

namespace {
const double kEmptyWidth = 2.220446049250313e-16;
}  // namespace

double QVGraphDisplay::ValueAxisMap::Level(double value) const
{
    if (!bLog)
        return value;
    return value > 0 ? std::log10(value) : -99.0;
}

QVGraphDisplay::ValueAxisMap QVGraphDisplay::MakeValueAxisMap(int nExtent, double logFloorForNonPositive)
{
    ValueAxisMap map;
    map.bLog = GetOption(optionLogValues) != 0;
    const double minimum = m_valueDataRange.m_dMin;
    if (map.bLog)
        map.minimum = minimum > 0 ? std::log10(minimum) : logFloorForNonPositive;
    else
        map.minimum = minimum;
    // A span of 0 would divide by zero: it becomes 1 and stays so in the display.
    if (m_dValueAxisSpan == 0 || !std::isfinite(m_dValueAxisSpan))
        m_dValueAxisSpan = 1.0;
    map.span = m_dValueAxisSpan;
    map.factor = nExtent / map.span;
    return map;
}

bool QVGraphDisplay::CannotDrawOverIndexes()
{
    return m_pChart == NULL || m_pDC == NULL || m_nGroupCount <= 0 || m_nIndexCount <= 0 ||
           !(m_valueDataRange.GetRange() > kEmptyWidth);
}

int QVGraphDisplay::ToDevice(double coordinate)
{
    // The drawing system keeps coordinates in 16 bits; half an inch of room stays for pens and markers.
    const int pixels = m_pDC != NULL ? m_pDC->GetDeviceCaps(LOGPIXELSX) : 96;
    const double low = pixels / 2 - 32768;
    const double high = 32767 - pixels / 2;
    if (std::isnan(coordinate))
        return 0;
    return static_cast<int>(std::clamp(coordinate, low, high));
}

int QVGraphDisplay::FirstIndexShown()
{
    return std::max(m_nFirstIndex, 0);
}

int QVGraphDisplay::GroupsShown()
{
    if (m_pChart == NULL)
        return 0;
    return std::max(0, std::min(m_nGroupCount, m_pChart->GetGroupCount() - m_nFirstGroup));
}

int QVGraphDisplay::IndexesShown()
{
    if (m_pChart == NULL)
        return 0;
    return std::max(0, std::min(m_nIndexCount, m_pChart->GetMaxGroupSize() - FirstIndexShown()));
}

int QVGraphDisplay::GroupSizeOrZero(int nGroup)
{
    if (m_pChart == NULL || nGroup < 0 || nGroup >= m_pChart->GetGroupCount())
        return 0;
    try {
        return m_pChart->GetGroupSize(nGroup);
    } catch (QVGraphException* e) {
        // A hidden group counts as missing: it has no items to draw.
        const int code = e->GetErrorCode();
        if (code != 2 && code != 3)
            throw;
        e->Delete();
        return 0;
    }
}

int QVGraphDisplay::ItemsShownInGroup(int nGroup)
{
    const int cap = m_nLastIndex - FirstIndexShown() + 1;
    return std::max(0, std::min(GroupSizeOrZero(nGroup), cap));
}

BOOL QVGraphDisplay::ValueOfItem(QVGraphData* pItem, double& value)
{
    if (pItem == NULL || pItem->IsNull())
        return FALSE;
    value = pItem->GetValue();
    return std::isfinite(value);
}

QVGraphStyle* QVGraphDisplay::GroupStyleOf(int nGroup)
{
    if (m_pChart != NULL && nGroup >= 0 && nGroup < m_pChart->GetGroupCount()) {
        try {
            if (QVGraphDataList* pGroup = m_pChart->GetGroup(nGroup, FALSE))
                return pGroup->GetStyle();
        } catch (QVGraphException* e) {
            const int code = e->GetErrorCode();
            if (code != 2 && code != 3)
                throw;
            e->Delete();
        }
    }
    return &m_style;
}

QVGraphStyle* QVGraphDisplay::BarStyleOf(QVGraphData* pItem, int nGroup)
{
    if (pItem != NULL && pItem->GetStyle()->GetShapeType() != 0)
        return pItem->GetStyle();
    return GroupStyleOf(nGroup);
}

int QVGraphDisplay::BarShapeOf(QVGraphStyle* pStyle, bool bThreeD)
{
    if (bThreeD)
        return 6;
    const int shape = pStyle != NULL ? pStyle->GetShapeType() : 0;
    // Polygons, circles and the two lines are shapes of their own; anything else is a plain bar.
    if (shape == 10 || shape == 17 || shape == 19 || shape == 20)
        return shape;
    return 5;
}

double QVGraphDisplay::BarWidthFor(double fitting, bool bHorizontal)
{
    if (m_style.HasExplicitSizes()) {
        const double scale = bHorizontal ? GetDeviceScaleY(m_pDC) : GetDeviceScaleX(m_pDC);
        const double own = m_style.m_dSymbolWidth * scale;
        if (own > 0 && own <= fitting)
            return own;
        return fitting;
    }
    return fitting * 0.9090909090909091;
}

CSize QVGraphDisplay::DepthOffset()
{
    const double depth = m_style.GetBarDepthOrDefault();
    int dx = int(depth * GetDeviceScaleX(m_pDC) + 0.5);
    int dy = int(depth * GetDeviceScaleY(m_pDC) + 0.5);
    // A depth left at its unset default must not push the front plane out of the plot.
    dx = std::clamp(dx, 0, std::max(0, m_rectPlot.Width() / 2));
    dy = std::clamp(dy, 0, std::max(0, m_rectPlot.Height() / 2));
    return CSize(dx, dy);
}

bool QVGraphDisplay::IsThreeDVertical()
{
    const int axisStyle = GetAxisStyle();
    return GetGraphType() == 15 || axisStyle == 11 || axisStyle == 13 || axisStyle == 20 || axisStyle == 21;
}

bool QVGraphDisplay::IsThreeDHorizontal()
{
    const int axisStyle = GetAxisStyle();
    return GetGraphType() == 16 || axisStyle == 16 || axisStyle == 22;
}

std::vector<int> QVGraphDisplay::GroupsInDrawingOrder()
{
    std::vector<int> groups;
    for (int g = 0; g < GroupsShown(); ++g)
        groups.push_back(m_nFirstGroup + g);
    if (GetOption(9) || m_pChart == NULL)
        return groups;
    std::vector<double> averages(groups.size());
    for (size_t i = 0; i < groups.size(); ++i) {
        const double average =
            GroupSizeOrZero(groups[i]) > 0 ? m_pChart->GetIndexAverage(FirstIndexShown(), m_nLastIndex, groups[i]) : 0.0;
        averages[i] = std::isfinite(average) ? average : 0.0;
    }
    std::vector<size_t> order(groups.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Larger values first, so the groups with smaller values are drawn in front of them.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return averages[a] > averages[b]; });
    std::vector<int> sorted;
    for (size_t i : order)
        sorted.push_back(groups[i]);
    return sorted;
}

void QVGraphDisplay::BeginSeries(int nSeries)
{
    m_nCurrentSeries = nSeries;
    // Each series takes its own colour code: its pens, brushes and stock symbol follow from it.
    m_nColorCode = nSeries;
}

BOOL QVGraphDisplay::TakeFixedValueRange()
{
    if (!GetOption(optionFixedRanges) || GetOption(optionCombineRanges) || !(m_dFixedValueMin < m_dFixedValueMax))
        return FALSE;
    m_valueDataRange.Include(m_dFixedValueMax);
    m_valueDataRange.Include(m_dFixedValueMin);
    return TRUE;
}

void QVGraphDisplay::CombineFixedValueRange()
{
    if (!GetOption(optionCombineRanges) || !(m_dFixedValueMin < m_dFixedValueMax))
        return;
    if (GetOption(optionFixedRanges)) {
        m_valueDataRange.Include(m_dFixedValueMax);
        m_valueDataRange.Include(m_dFixedValueMin);
        return;
    }
    if (m_valueDataRange.IsEmpty())
        return;
    const double low = std::max(m_valueDataRange.m_dMin, m_dFixedValueMin);
    const double high = std::min(m_valueDataRange.m_dMax, m_dFixedValueMax);
    m_valueDataRange.Reset();
    m_valueDataRange.Include(low);
    m_valueDataRange.Include(std::max(low, high));
}

void QVGraphDisplay::IncludeIndexRangeShown()
{
    if (m_nIndexCount <= 0)
        return;
    const int first = FirstIndexShown();
    m_indexDataRange.Include(double(first));
    m_indexDataRange.Include(double(first + m_nIndexCount - 1));
}
