// The pie renderer (flat and tilted) and the pie labels: every item a slice, all groups one pie.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/LabelBlock.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const double kFullCircle = 6.2831852;
const double kRadiansPerDegree = 0.017453292222222222;
// Arcs are stepped in five degrees.
const double kArcStep = 0.08726646111111111;
const double kEmptyTotal = 2.220446049250313e-16;
// Slices of no more than this part of the pie get no label: they are narrower than a line of text.
const double kLabelThreshold = 0.005;

// Points of the pie's rim, within the 16 bits the drawing system keeps (a plot rectangle can lie anywhere).
struct PieEllipse
{
    double cx;
    double cy;
    double rx;
    double ry;
    POINT At(double angle, double dx = 0, double dy = 0) const
    {
        return POINT{Clamped(cx + dx + rx * std::cos(angle)), Clamped(cy + dy - ry * std::sin(angle))};
    }
    static int Clamped(double coordinate) { return int(std::clamp(std::floor(coordinate + 0.5), -32000.0, 32000.0)); }
};

// The arc of a slice from its start to its end, stepped in five degrees, the end point always included.
void AppendArc(std::vector<POINT>& points, const PieEllipse& ellipse, double start, double sweep, double dx, double dy)
{
    const int steps = std::max(1, int(std::ceil(sweep / kArcStep)));
    for (int k = 0; k <= steps; ++k)
        points.push_back(ellipse.At(start + std::min(sweep, k * kArcStep), dx, dy));
}
}  // namespace

double QVGraphDisplay::PieExplosion(int nKind)
{
    switch (nKind) {
    case 1: return 0.1;
    case 2: return 0.05;
    case 3: return 0.1;
    case 4: return 0.2;
    default: return 0.0;
    }
}

double QVGraphDisplay::PieLabelDistance(int nKind)
{
    // The label keeps its distance from an exploded slice.
    switch (nKind) {
    case 1: return 1.1;
    case 2: return 1.05;
    case 3: return 1.1;
    case 4: return 1.2;
    default: return 1.0;
    }
}

BOOL QVGraphDisplay::ComputePieSlices(std::vector<PieSlice>& slices, double& total)
{
    slices.clear();
    total = 0;
    if (m_pChart == NULL || m_nGroupCount <= 0 || m_nIndexCount <= 0)
        return FALSE;
    const int first = FirstIndexShown();
    // A slice cannot be smaller than nothing: values below zero are left out of the pie and its total.
    for (int g = 0; g < GroupsShown(); ++g) {
        const int group = m_nFirstGroup + g;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double value = 0;
            if (!ValueOfItem(pItem, value) || value < 0)
                continue;
            slices.push_back(PieSlice{first + i, group, value, 0.0, 0.0, (pItem->GetStyle()->m_nFlags >> 8) & 0xF, pItem});
            total += value;
        }
    }
    if (!(total > kEmptyTotal) || !std::isfinite(total))
        return FALSE;
    double start = 0;
    for (PieSlice& slice : slices) {
        slice.start = start;
        slice.sweep = slice.value * kFullCircle / total;
        start += slice.sweep;
    }
    return TRUE;
}

double QVGraphDisplay::PieRadius()
{
    const int axisStyle = GetAxisStyle();
    if ((axisStyle == 1 || axisStyle == 9) && !m_rectWork1.IsRectEmpty())
        return m_rectWork1.Width() / 2.0;
    return 0.4 * std::min(m_rectPlot.Width(), m_rectPlot.Height());
}

void QVGraphDisplay::PieGeometry(double radius, double& cx, double& cy, double& semiAxis, double& thickness)
{
    // The tilt of a 3D pie is the first of the style's three further values (30 degrees by default);
    // a pie seen edge-on would show nothing, so it leans at least 10 degrees.
    const double tilt = GetGraphType() == 13 ? std::clamp(m_style.m_dValue1, 10.0, 90.0) * kRadiansPerDegree
                                             : 90.0 * kRadiansPerDegree;
    semiAxis = radius * std::sin(tilt);
    thickness = m_style.HasExplicitSizes() ? m_style.m_dBarDepth * GetDeviceScaleY(m_pDC) : semiAxis / 2;
    thickness = std::clamp(thickness, 0.0, m_rectPlot.Height() / 4.0);
    const CPoint middle = m_rectPlot.CenterPoint();
    cx = middle.x;
    cy = middle.y - std::cos(tilt) * thickness / 2;
}

void QVGraphDisplay::DrawPieGraph()
{
    std::vector<PieSlice> slices;
    double total = 0;
    if (m_pDC == NULL || !ComputePieSlices(slices, total)) {
        DrawNoGraph();
        return;
    }
    const double radius = PieRadius();
    double cx = 0, cy = 0, semiAxis = 0, thickness = 0;
    PieGeometry(radius, cx, cy, semiAxis, thickness);
    const PieEllipse top{cx, cy, radius, semiAxis};
    SeriesScope series(*this);
    std::vector<int> order(slices.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = int(k);
    const bool flat = radius - semiAxis < 0.0001;
    if (!flat) {
        // Back to front: the slice whose start lies highest first.
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return top.At(slices[a].start).y < top.At(slices[b].start).y;
        });
    }
    std::vector<POINT> points;
    for (int k : order) {
        const PieSlice& slice = slices[k];
        if (slice.sweep <= 0)
            continue;
        BeginSeries(k);
        QVGraphStyle* pStyle = slice.pItem->GetStyle();
        const double out = PieExplosion(slice.nExplosion) * radius;
        const double dx = out * std::cos(slice.Middle()), dy = -out * semiAxis / radius * std::sin(slice.Middle());
        if (!flat) {
            // The walls that face the viewer: the arc's lower half, dropped by the thickness.
            const double from = slice.start, to = slice.start + slice.sweep;
            for (double a = from; a < to; a += kArcStep) {
                const double b = std::min(a + kArcStep, to);
                if (std::sin((a + b) / 2) >= 0)
                    continue;
                const POINT wall[5] = {top.At(a, dx, dy), top.At(b, dx, dy), top.At(b, dx, dy + thickness),
                                       top.At(a, dx, dy + thickness), top.At(a, dx, dy)};
                m_pChart->AddFeedbackPolygon(wall, 5, slice.nIndex, slice.nGroup);
                FillPolygon(wall, 5, pStyle);
                OutlinePolygon(wall, 5, pStyle);
            }
        }
        points.clear();
        // A slice of the whole pie is its rim alone, without a seam to the centre.
        if (slice.sweep < kFullCircle - kArcStep / 2)
            points.push_back(POINT{PieEllipse::Clamped(cx + dx), PieEllipse::Clamped(cy + dy)});
        AppendArc(points, top, slice.start, slice.sweep, dx, dy);
        points.push_back(points.front());
        m_pChart->AddFeedbackPolygon(points.data(), int(points.size()), slice.nIndex, slice.nGroup);
        FillPolygon(points.data(), int(points.size()), pStyle);
        OutlinePolygon(points.data(), int(points.size()), pStyle);
    }
    // The labels were laid out before the slices (they chose the radius); they go over the walls of a
    // tilted pie and over exploded slices, so they are drawn again on top.
    const int axisStyle = GetAxisStyle();
    if ((axisStyle == 1 || axisStyle == 9) && !m_rectWork1.IsRectEmpty() && !GetOption(optionNoFrame)) {
        if (QVGraphLabelBlock* pBlock = dynamic_cast<QVGraphLabelBlock*>(m_pLabelBlock))
            pBlock->Draw(m_pDC, m_pView);
    }
}

CString QVGraphDisplay::PieLabelText(const PieSlice& slice, double total)
{
    const int kind = (slice.pItem->GetStyle()->m_nFlags >> 4) & 0xF;
    const CString& own = GetIndexScaleFormat();
    const CString valueFormat = (!own.IsEmpty() && QVGDecimalScale::IsSafeNumberFormat(own)) ? own : CString("%g");
    const CString value = QVGDecimalScale::FormatValue(valueFormat, slice.value);
    const double percent = slice.value / total * 100;
    const CString annotation = slice.pItem->GetAnnotationText(GetChartAnnotationIndex());
    switch (kind) {
    case 0:
        return CString();
    case 2:
        return value;
    case 3:
        return NumberText::Format("%.2f%%", percent).c_str();
    case 5:
        return annotation;
    case 6:
        return annotation + " (" + value + ")";
    case 7:
        return annotation + "=" + value + NumberText::Format(" (%.2g%%)", percent).c_str();
    case 8:
        return annotation + NumberText::Format(" (%.2f%%)", percent).c_str();
    default:    // 1 (automatic), 4, 9 and above: value and percentage
        return value + NumberText::Format(" (%.2g%%)", percent).c_str();
    }
}

void QVGraphDisplay::DrawPieLabels()
{
    if (m_pDC == NULL || m_pChart == NULL)
        return;
    QVGraphLabelBlock* pBlock = OwnLabelBlock();
    std::vector<PieSlice> slices;
    double total = 0;
    if (!ComputePieSlices(slices, total)) {
        TrimBlockLabels(pBlock, 0);
        return;
    }
    bool moveLabels = false;
    for (const PieSlice& slice : slices)
        moveLabels = moveLabels || ((slice.pItem->GetStyle()->m_nFlags >> 4) & 0xF) == 12;
    pBlock->SetOverlapMode(moveLabels ? QVGraphLabelBlock::overlapMove : QVGraphLabelBlock::overlapHide);
    const CRect plot = m_rectPlot;
    double radius = 0.4 * std::min(plot.Width(), plot.Height());
    double cx = 0, cy = 0, semiAxis = 0, thickness = 0;
    for (int pass = 0; pass < 2; ++pass) {
        PieGeometry(radius, cx, cy, semiAxis, thickness);
        for (size_t k = 0; k < slices.size(); ++k) {
            const PieSlice& slice = slices[k];
            const CString text = slice.value / total > kLabelThreshold ? PieLabelText(slice, total) : CString();
            const double middle = slice.Middle();
            const double c = std::cos(middle), s = std::sin(middle);
            const double distance = PieLabelDistance(slice.nExplosion);
            // Away from the pie: right of the point on the right, left of it on the left, above or below
            // it at the top and the bottom.
            const int justification = c > 0.25 ? 0 : (c < -0.25 ? 4 : (s >= 0 ? 6 : 2));
            double x = cx + radius * distance * c, y = cy - semiAxis * distance * s;
            if (radius - semiAxis >= 0.0001) {
                // A tilted pie's rim and wall reach out sideways past the point: the labels on its sides
                // stand beyond the rim, those of its front half lower by about half the wall.
                if (justification == 0 || justification == 4)
                    x = cx + (justification == 0 ? 1 : -1) * radius * std::max(distance, 1.02);
                if (s < 0)
                    y += 0.55 * thickness * (justification == 2 ? 2 : 1);
            }
            PlaceBlockLabel(pBlock, int(k), text, x, y, justification);
        }
        TrimBlockLabels(pBlock, int(slices.size()));
        if (pass == 1)
            break;
        // The pie shrinks until its labels fit the plot rectangle, to no less than half its size.
        const CRect extent = pBlock->MeasureLabelExtent();
        int overhang = 0;
        if (!extent.IsRectEmpty())
            overhang = std::max({int(plot.left - extent.left), int(extent.right - plot.right),
                                 int(plot.top - extent.top), int(extent.bottom - plot.bottom), 0});
        radius = std::max(radius - overhang, radius / 2);
    }
    const int r = int(radius + 0.5);
    m_rectWork1.SetRect(int(cx) - r, int(cy) - r, int(cx) + r, int(cy) + r);
    pBlock->Draw(m_pDC, m_pView);
}
