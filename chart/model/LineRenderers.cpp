// The line, step and area renderers: each group a curve over the item index, the items spread evenly
// over the plot width and their values up the value axis.
#include "chart/model/GraphDisplay.h"

#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <vector>

namespace {
// Where item i of n lies along the plot width.
struct IndexSpacing
{
    double left;
    double step;
    double X(int i) const { return left + int(i * step + 0.5); }
};

IndexSpacing SpacingOver(const CRect& plot, int nIndexCount)
{
    return IndexSpacing{double(plot.left), double(plot.right - plot.left) / std::max(nIndexCount - 1, 1)};
}
}  // namespace

void QVGraphDisplay::DrawLineGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const int type = GetGraphType();
    CRect plot = m_rectPlot;
    const int axisStyle = GetAxisStyle();
    if (axisStyle == 11 || axisStyle == 13 || axisStyle == 20 || axisStyle == 21) {
        // The classic 3D frames draw the data in their front plane.
        const CSize depth = DepthOffset();
        plot.right -= depth.cx;
        plot.top += depth.cy;
    }
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), 0.0);
    const IndexSpacing spacing = SpacingOver(plot, m_nIndexCount);
    const bool breakAtNull = GetOption(optionBreakAtNull) != 0;
    const bool thinning = GetAxisOption(28) != 0;
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    for (int g = 0; g < GroupsShown(); ++g) {
        const int group = m_nFirstGroup + g;
        BeginSeries(group);
        const int count = ItemsShownInGroup(group);
        // Dense data: no more points than the plot has device units across.
        const int step = thinning && plot.Width() > 0 ? std::max(1, count / plot.Width()) : 1;
        bool newRun = true;
        CPoint previous(0, 0);
        for (int i = 0; i < count; i += step) {
            const int index = first + i;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value)) {
                if (breakAtNull)
                    newRun = true;
                continue;
            }
            const CPoint point(ToDevice(spacing.X(i)), ToDevice(plot.bottom - map.Offset(value) + 0.5));
            m_pChart->AddFeedbackPoint(point.x, point.y, group, index);
            QVGraphStyle* pStyle = pItem->GetStyle();
            if (type == 31) {
                // Lines only: no marker; a solid line in the line colour takes the series' colour.
                if (!newRun) {
                    const int lineType = pStyle->GetLineType() == 2 ? 1 : pStyle->GetLineType();
                    DrawLine(previous.x, previous.y, point.x, point.y, pStyle, -1, lineType, pItem);
                }
                DrawItemLabel(point.x, point.y, pItem);
            } else if (pStyle->GetShapeType() != 0) {
                if (newRun)
                    DrawLineItem(point.x, point.y, point.x, point.y, pStyle, 0, pItem);
                else
                    DrawLineItem(previous.x, previous.y, point.x, point.y, pStyle, 1, pItem);
            }
            previous = point;
            newRun = false;
        }
    }
}

void QVGraphDisplay::DrawStepGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const bool linesOnly = GetGraphType() == 36;
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), 0.0);
    const IndexSpacing spacing = SpacingOver(plot, m_nIndexCount);
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    for (int g = 0; g < GroupsShown(); ++g) {
        const int group = m_nFirstGroup + g;
        BeginSeries(group);
        const int count = ItemsShownInGroup(group);
        bool firstPoint = true;
        CPoint previous(0, 0);
        for (int i = 0; i < count; ++i) {
            const int index = first + i;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;   // the steps go on over a null item
            const CPoint point(ToDevice(spacing.X(i)), ToDevice(plot.bottom - map.Offset(value) + 0.5));
            m_pChart->AddFeedbackPoint(point.x, point.y, group, index);
            QVGraphStyle* pStyle = pItem->GetStyle();
            const int mode = pStyle->GetShapeType();
            if (mode == 2) {
                DrawMarker(point.x, point.y, pStyle, pItem);
            } else if (mode != 0) {
                if (!firstPoint) {
                    // Along at the old level, then up or down to the new one.
                    DrawLine(previous.x, previous.y, point.x, previous.y, pStyle, -1, -1, pItem);
                    DrawLine(point.x, previous.y, point.x, point.y, pStyle, -1, -1, pItem);
                }
                if (mode != 4 && !linesOnly)
                    DrawMarker(point.x, point.y, pStyle, pItem);
            }
            previous = point;
            firstPoint = false;
        }
    }
}

void QVGraphDisplay::DrawAreaGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    // A logarithmic axis whose minimum is 0 or less starts at the thousandth.
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), -3.0);
    const IndexSpacing spacing = SpacingOver(plot, m_nIndexCount);
    // The areas close on the zero line when the values run both sides of it, else on the bottom.
    int closingY = plot.bottom;
    if (!map.bLog && m_valueDataRange.m_dMin < 0 && m_valueDataRange.m_dMax > 0)
        closingY = ToDevice(plot.bottom - map.Offset(0.0) + 0.5);
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    std::vector<POINT> points;
    points.reserve(size_t(m_nIndexCount) + 3);
    for (int group : GroupsInDrawingOrder()) {
        BeginSeries(group);
        points.clear();
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            const int index = first + i;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            const POINT point = {ToDevice(spacing.X(i)), ToDevice(plot.bottom - map.Offset(value) + 0.5)};
            m_pChart->AddFeedbackPoint(point.x, point.y, group, index);
            points.push_back(point);
        }
        if (points.empty())
            continue;
        const POINT firstPoint = points.front();
        points.push_back(POINT{points.back().x, closingY});
        points.push_back(POINT{firstPoint.x, closingY});
        points.push_back(firstPoint);
        QVGraphStyle* pStyle = GroupStyleOf(group);
        FillPolygon(points.data(), int(points.size()), pStyle);
        if (pStyle->GetLineType() != 0)
            OutlinePolygon(points.data(), int(points.size()), pStyle);
    }
}
