// The radial renderers: web charts (one spoke per index, each group a closed figure) and polar charts
// (pairs of groups giving radius and angle), with their rings, spokes and labels.
//
// Both turn clockwise from straight up, as a compass does: the first spoke and the angle 0 point up.
// The rings lie at the value scale's ticks; its labels run up the first spoke, on its left, drawn with
// the rings so that the plot area's fill does not cover them. The
// label of a spoke (the index text of the first group, or the angle of a polar chart) stands a
// twelfth of the radius beyond the rim, turned away from the centre.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "chart/model/GridLines.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const double kUp = 1.5707963;
const double kFullCircle = 6.2831852;
const double kRadiansPerDegree = 0.017453292222222222;
const double kEmptyWidth = 2.220446049250313e-16;
// Spokes of a polar chart: every 30 degrees.
const int kPolarSpokes = 12;

// A point at the distance from the centre in the direction of the angle, within the 16 bits the drawing
// system keeps.
POINT Polar(double cx, double cy, double distance, double angle)
{
    auto clamp = [](double coordinate) { return int(std::clamp(std::floor(coordinate + 0.5), -32000.0, 32000.0)); };
    return POINT{clamp(cx + distance * std::cos(angle)), clamp(cy - distance * std::sin(angle))};
}

// The justification that puts a label away from the centre in the direction of the angle.
int OutwardJustification(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    if (c > 0.3)
        return 0;
    if (c < -0.3)
        return 4;
    return s > 0 ? 6 : 2;
}
}  // namespace

bool QVGraphDisplay::RadialGeometry(double& cx, double& cy, double& radius)
{
    const CPoint centre = m_rectPlot.CenterPoint();
    cx = centre.x;
    cy = centre.y;
    radius = 0.4 * std::min(m_rectPlot.Width(), m_rectPlot.Height());
    return radius >= 1;
}

void QVGraphDisplay::DrawWebGraph()
{
    if (m_nIndexCount < 3)
        RaiseChartError(21);
    double cx = 0, cy = 0, radius = 0;
    if (CannotDrawOverIndexes() || !RadialGeometry(cx, cy, radius)) {
        DrawNoGraph();
        return;
    }
    const bool area = GetGraphType() == 23;
    const ValueAxisMap map = MakeValueAxisMap(int(radius), -3.0);
    const double spokeAngle = kFullCircle / m_nIndexCount;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    SeriesScope series(*this);
    std::vector<POINT> figure;
    std::vector<QVGraphData*> items;
    for (int j = 0; j < groups; ++j) {
        const int group = m_nFirstGroup + j;
        BeginSeries(group);
        figure.clear();
        items.clear();
        for (int i = 0; i < indexes; ++i) {
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            const double distance = std::clamp(map.Offset(value), 0.0, 32767.0);
            const POINT point = Polar(cx, cy, distance, kUp - i * spokeAngle);
            m_pChart->AddFeedbackPoint(point.x, point.y, group, first + i);
            figure.push_back(point);
            items.push_back(pItem);
        }
        if (figure.empty())
            continue;
        figure.push_back(figure.front());
        if (area) {
            QVGraphStyle* pStyle = GroupStyleOf(group);
            FillPolygon(figure.data(), int(figure.size()), pStyle);
            OutlinePolygon(figure.data(), int(figure.size()), pStyle);
            continue;
        }
        for (size_t k = 0; k < items.size(); ++k) {
            QVGraphStyle* pStyle = items[k]->GetStyle();
            const int mode = pStyle->GetShapeType();
            if (mode != 2 && mode != 0) {
                const int lineType = pStyle->GetLineType() == 2 ? 1 : pStyle->GetLineType();
                DrawLine(figure[k].x, figure[k].y, figure[k + 1].x, figure[k + 1].y, pStyle, -1, lineType, items[k]);
            }
            if (mode != 4 && mode != 0)
                DrawMarker(figure[k].x, figure[k].y, pStyle, items[k]);
        }
    }
}

void QVGraphDisplay::DrawRadialFrame(int nSpokes, double firstAngle, bool bPolygonRings)
{
    double cx = 0, cy = 0, radius = 0;
    if (m_pDC == NULL || nSpokes < 1 || !RadialGeometry(cx, cy, radius))
        return;
    // Ring distances: at the value scale's ticks up the first spoke, else four even rings.
    std::vector<double> rings;
    QVGDecimalScale* pValues = GetSecondScale();
    if (pValues != NULL && pValues->GetAnchorList() != NULL) {
        QVGAnchorList* pAnchors = pValues->GetAnchorList();
        for (POSITION pos = pAnchors->GetHeadPosition(); pos != NULL;) {
            const CPoint anchor = pAnchors->GetNext(pos);
            const double distance = std::hypot(anchor.x - cx, anchor.y - cy);
            if (distance > 0.5 && distance <= radius + 0.5)
                rings.push_back(distance);
        }
    }
    if (rings.empty())
        for (int k = 1; k <= 4; ++k)
            rings.push_back(radius * k / 4);
    if (std::find_if(rings.begin(), rings.end(), [&](double d) { return std::fabs(d - radius) < 1; }) == rings.end())
        rings.push_back(radius);
    QVGGridLines* pGrid = GetGridLines(0);
    CPen* pGridPen = GetPen(pGrid->GetMajorStyle(), std::max(1, pGrid->GetMajorWidth()), pGrid->GetMajorColour());
    CPen* pBorder = GetPen(PS_SOLID, std::max(1, m_style.m_nLineWidth), m_style.m_crLineColor);
    CPen* pOldPen = m_pDC->GetCurrentPen();
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
    CGdiObject* pOldBrush = m_pDC->SelectStockObject(NULL_BRUSH);
    if (GetOption(optionFillPlotArea)) {
        CBrush fill;
        fill.CreateSolidBrush(m_style.m_crColor);
        CBrush* pPrevious = m_pDC->SelectObject(&fill);
        CGdiObject* pNullPen = m_pDC->SelectStockObject(NULL_PEN);
        if (bPolygonRings) {
            std::vector<POINT> rim;
            for (int k = 0; k <= nSpokes; ++k)
                rim.push_back(Polar(cx, cy, radius, firstAngle - k * kFullCircle / nSpokes));
            m_pDC->Polygon(rim.data(), int(rim.size()));
        } else {
            m_pDC->Ellipse(int(cx - radius), int(cy - radius), int(cx + radius + 1), int(cy + radius + 1));
        }
        m_pDC->SelectObject(pNullPen);
        m_pDC->SelectObject(pPrevious);
    }
    for (double distance : rings) {
        const bool rim = std::fabs(distance - radius) < 1;
        if (rim && pBorder != NULL)
            m_pDC->SelectObject(pBorder);
        else if (pGridPen != NULL)
            m_pDC->SelectObject(pGridPen);
        if (bPolygonRings) {
            std::vector<POINT> ring;
            for (int k = 0; k <= nSpokes; ++k)
                ring.push_back(Polar(cx, cy, distance, firstAngle - k * kFullCircle / nSpokes));
            m_pDC->Polyline(ring.data(), int(ring.size()));
        } else {
            m_pDC->Ellipse(int(cx - distance), int(cy - distance), int(cx + distance + 1), int(cy + distance + 1));
        }
    }
    if (pBorder != NULL)
        m_pDC->SelectObject(pBorder);
    for (int k = 0; k < nSpokes; ++k) {
        const POINT end = Polar(cx, cy, radius, firstAngle - k * kFullCircle / nSpokes);
        m_pDC->MoveTo(int(cx), int(cy));
        m_pDC->LineTo(end);
    }
    m_pDC->SelectObject(pOldBrush);
    m_pDC->SetBkMode(oldMode);
    m_pDC->SelectObject(pOldPen);
    if (pValues != NULL && pValues->GetLabelCount() > 0 && pValues->GetDC() == m_pDC)
        pValues->Draw(m_pDC, m_pView);
}

void QVGraphDisplay::DrawRadialScales(const CScale& values, const std::vector<CString>& spokeTexts,
                                      double firstAngle)
{
    double cx = 0, cy = 0, radius = 0;
    if (GetScaleFlags() == 0 || m_pDC == NULL || m_pChart == NULL || !RadialGeometry(cx, cy, radius))
        return;
    if (values.GetRange() > kEmptyWidth) {
        QVGDecimalScale* pValues = ValueScaleFor(false);
        ConfigureScale(pValues, false, values);
        pValues->SetStartPoint(int(cx), int(cy));
        pValues->SetEndPoint(int(cx), int(cy - radius));
        // Drawn by the plot area, over its rings and its fill.
        pValues->GenerateLabels();
    }
    QVGraphLabelBlock* pLabels = OwnLabelBlock();
    const int count = int(spokeTexts.size());
    for (int k = 0; k < count; ++k) {
        const double angle = firstAngle - k * kFullCircle / count;
        const POINT at = Polar(cx, cy, radius * 13 / 12, angle);
        PlaceBlockLabel(pLabels, k, spokeTexts[size_t(k)], at.x, at.y, OutwardJustification(angle));
    }
    TrimBlockLabels(pLabels, count);
    pLabels->Draw(m_pDC, m_pView);
}

void QVGraphDisplay::DrawWebPlotArea()
{
    DrawRadialFrame(std::max(m_nIndexCount, 0), kUp, true);
}

void QVGraphDisplay::DrawWebScales()
{
    if (m_pChart == NULL || m_nIndexCount < 3)
        return;
    std::vector<CString> texts;
    const int first = FirstIndexShown(), group = m_nFirstGroup;
    const int annotation = GetChartAnnotationIndex();
    for (int i = 0; i < m_nIndexCount && i < IndexesShown(); ++i)
        texts.push_back(m_pChart->FindItem(first + i, group)->GetAnnotationText(annotation));
    CScale values = m_valueDataRange;
    DrawRadialScales(values, texts, kUp);
}

void QVGraphDisplay::ComputePolarRange()
{
    if (m_pChart == NULL)
        return;
    IncludeIndexRangeShown();
    if (TakeFixedValueRange())
        return;
    const int first = FirstIndexShown();
    // The radius groups alone: every other group from the first.
    for (int j = 0; j + 1 < GroupsShown(); j += 2) {
        const int group = m_nFirstGroup + j;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            double value = 0;
            if (ValueOfItem(m_pChart->FindItem(first + i, group), value))
                m_valueDataRange.Include(value);
        }
    }
    CombineFixedValueRange();
}

void QVGraphDisplay::DrawPolarGraph()
{
    if (m_nGroupCount % 2 != 0)
        RaiseChartError(21);
    double cx = 0, cy = 0, radius = 0;
    const CScale range = m_valueAxisRange.IsEmpty() ? m_valueDataRange : m_valueAxisRange;
    if (m_pChart == NULL || m_pDC == NULL || m_nGroupCount <= 0 || m_nIndexCount <= 0 ||
        !(range.GetRange() > kEmptyWidth) || !RadialGeometry(cx, cy, radius)) {
        DrawNoGraph();
        return;
    }
    const bool area = GetGraphType() == 27;
    const double factor = radius / range.GetRange();
    const int first = FirstIndexShown();
    SeriesScope series(*this);
    std::vector<POINT> curve;
    for (int j = 0; j + 1 < GroupsShown(); j += 2) {
        const int radiusGroup = m_nFirstGroup + j;
        BeginSeries(radiusGroup / 2);
        curve.clear();
        const int count = ItemsShownInGroup(radiusGroup);
        bool firstPoint = true;
        POINT previous = {0, 0};
        for (int i = 0; i < count; ++i) {
            QVGraphData* pRadius = m_pChart->FindItem(first + i, radiusGroup);
            QVGraphData* pAngle = m_pChart->FindItem(first + i, radiusGroup + 1);
            double r = 0, degrees = 0;
            if (!ValueOfItem(pRadius, r) || !ValueOfItem(pAngle, degrees))
                continue;
            const double distance = std::clamp((r - range.m_dMin) * factor, 0.0, 32767.0);
            const POINT point = Polar(cx, cy, distance, kUp - degrees * kRadiansPerDegree);
            m_pChart->AddFeedbackPoint(point.x, point.y, radiusGroup, first + i);
            curve.push_back(point);
            if (area)
                continue;
            QVGraphStyle* pStyle = pRadius->GetStyle();
            if (firstPoint)
                DrawLineItem(point.x, point.y, point.x, point.y, pStyle, 0, pRadius);
            else
                DrawLineItem(previous.x, previous.y, point.x, point.y, pStyle, 1, pRadius);
            previous = point;
            firstPoint = false;
        }
        if (area && !curve.empty()) {
            curve.push_back(curve.front());
            QVGraphStyle* pStyle = GroupStyleOf(radiusGroup);
            FillPolygon(curve.data(), int(curve.size()), pStyle);
            OutlinePolygon(curve.data(), int(curve.size()), pStyle);
        }
    }
}

void QVGraphDisplay::DrawPolarPlotArea()
{
    DrawRadialFrame(kPolarSpokes, kUp, false);
}

void QVGraphDisplay::DrawPolarScales()
{
    std::vector<CString> texts;
    for (int k = 0; k < kPolarSpokes; ++k)
        texts.push_back(NumberText::Format("%d", k * 360 / kPolarSpokes).c_str());
    DrawRadialScales(m_valueAxisRange.IsEmpty() ? m_valueDataRange : m_valueAxisRange, texts, kUp);
}
