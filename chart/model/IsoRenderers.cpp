// The isometric charts: "Manhattan" blocks, "Rooftop" areas and ribbons drawn in the projection of the
// platform and stage styles, with their floor, walls and scales.
//
// The projection: the indexes run to the right along the front floor edge, the groups go back in depth
// one row each, the values rise straight up. A row back moves a point along the depth direction, which
// rises at 30 degrees for the platform styles and at 60 degrees for the stage styles, to the right for
// the south-east styles (4, 6, and the automatic selection) and to the left for the south-west ones
// (5, 7); the origin then lies that far in from the left edge. The depth never takes more than half the
// plot height, so the values keep at least the other half.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "chart/model/GridLines.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const double kRadiansPerDegree = 0.017453292222222222;
// A block fills the middle three quarters of its cell, along the index edge and in depth.
const double kBlockMargin = 0.125;

enum { shadeNone = 0, shadeTop = 1, shadeSide = 2 };
}  // namespace

void QVGraphDisplay::ComputeIsoLayout()
{
    const CRect plot = m_rectPlot;
    const double width = plot.Width(), height = plot.Height();
    const int indexes = std::max(m_nIndexCount, 1), rows = std::max(m_nGroupCount, 1);
    const int axisStyle = GetAxisStyle();
    const bool stage = axisStyle == 6 || axisStyle == 7;
    const bool west = axisStyle == 5 || axisStyle == 7;
    double indexStep = 0.6 * width / indexes;
    double depthStep = 0.4 * width / rows;
    if (m_style.HasExplicitSizes()) {
        const double ownWidth = m_style.m_dSymbolWidth * GetDeviceScaleX(m_pDC);
        const double ownDepth = m_style.m_dBarDepth * GetDeviceScaleX(m_pDC);
        if (ownWidth > 0 && ownDepth > 0 && indexes * ownWidth <= 0.6 * width) {
            indexStep = ownWidth;
            depthStep = std::min(ownDepth, 0.4 * width / rows);
        }
    }
    const double angle = (stage ? 60.0 : 30.0) * kRadiansPerDegree;
    double depthX = std::cos(angle) * depthStep * rows;
    double rise = std::sin(angle) * depthStep * rows;
    if (rise > height / 2) {
        depthX *= height / 2 / rise;
        rise = height / 2;
    }
    const int originX = int(plot.left + (west ? depthX : 0.0) + 0.5);
    const int originY = plot.bottom;
    // The front floor edge and the value height at the origin; the whole depth as a vector.
    m_rectWork1.SetRect(originX, int(originY - (height - rise) + 0.5), int(originX + indexStep * indexes + 0.5),
                        originY);
    m_rectWork2.SetRect(0, 0, int((west ? -depthX : depthX) + (west ? -0.5 : 0.5)), -int(rise + 0.5));
}

QVGraphDisplay::IsoFrame QVGraphDisplay::MakeIsoFrame()
{
    ComputeIsoLayout();
    IsoFrame frame;
    frame.nIndexes = std::max(m_nIndexCount, 1);
    frame.nRows = std::max(m_nGroupCount, 1);
    frame.originX = m_rectWork1.left;
    frame.originY = m_rectWork1.bottom;
    frame.indexStep = double(m_rectWork1.Width()) / frame.nIndexes;
    frame.valueHeight = m_rectWork1.Height();
    frame.rowX = double(m_rectWork2.right) / frame.nRows;
    frame.rowY = double(m_rectWork2.bottom) / frame.nRows;
    frame.bWest = m_rectWork2.right < 0;
    const int pixels = m_pDC != NULL ? m_pDC->GetDeviceCaps(LOGPIXELSX) : 96;
    frame.low = pixels / 2 - 32768;
    frame.high = 32767 - pixels / 2;
    return frame;
}

bool QVGraphDisplay::HasNegativeValues()
{
    return !GetOption(optionLogValues) && !m_valueDataRange.IsEmpty() && m_valueDataRange.m_dMin < 0;
}

bool QVGraphDisplay::SwitchIsoToBarsForNegatives()
{
    if (!HasNegativeValues())
        return false;
    SetAxisStyle(2);
    SetGraphType(3);
    SetChanged(TRUE);
    return true;
}

void QVGraphDisplay::DrawIsoFace(const POINT* pPoints, int nIndex, int nGroup, QVGraphStyle* pStyle, int nShade)
{
    m_pChart->AddFeedbackPolygon(pPoints, 5, nIndex, nGroup);
    FillPolygon(pPoints, 5, pStyle);
    OutlinePolygon(pPoints, 5, pStyle, pStyle->GetLineType() == 1 ? 2 : kindFromStyle);
    if (nShade == shadeNone || !(GetOption(28) || pStyle->GetOption(28)))
        return;
    // Shaded faces: a light overlay on the top, a dark one on the side, as the box shape has.
    CBitmap bitmap;
    CBrush brush;
    if (!LoadChartBitmap(bitmap, nShade == shadeTop ? UINT(IDB_QVG_BOX_TOP) : UINT(IDB_QVG_BOX_SIDE)) ||
        !brush.CreatePatternBrush(&bitmap))
        return;
    CBrush* pOldBrush = m_pDC->SelectObject(&brush);
    CGdiObject* pOldPen = m_pDC->SelectStockObject(NULL_PEN);
    const int oldMode = m_pDC->SetROP2(nShade == shadeTop ? R2_MERGEPEN : R2_MASKPEN);
    m_pDC->Polygon(pPoints, 5);
    m_pDC->SetROP2(oldMode);
    m_pDC->SelectObject(pOldPen);
    m_pDC->SelectObject(pOldBrush);
}

void QVGraphDisplay::DrawIsoBarGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    if (SwitchIsoToBarsForNegatives())
        return;
    const IsoFrame frame = MakeIsoFrame();
    const ValueAxisMap map = MakeValueAxisMap(int(frame.valueHeight), -3.0);
    const std::vector<int> order = GroupsInDrawingOrder();
    const int first = FirstIndexShown();
    const int indexes = IndexesShown();
    SeriesScope series(*this);
    // Back rows first; along a row, the blocks whose sides the next block hides first.
    for (size_t k = 0; k < order.size(); ++k) {
        const int group = order[k];
        const double r0 = frame.nRows - 1 - double(k) + kBlockMargin, r1 = r0 + 1 - 2 * kBlockMargin;
        BeginSeries(group);
        for (int step = 0; step < indexes; ++step) {
            const int i = frame.bWest ? indexes - 1 - step : step;
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            const double h = std::clamp(map.Offset(value), 0.0, 32767.0);
            const double s0 = (i + kBlockMargin) * frame.indexStep, s1 = (i + 1 - kBlockMargin) * frame.indexStep;
            const double side = frame.bWest ? s0 : s1;
            QVGraphStyle* pStyle = BarStyleOf(pItem, group);
            const POINT front[5] = {frame.At(s0, r0, 0), frame.At(s1, r0, 0), frame.At(s1, r0, h), frame.At(s0, r0, h),
                                    frame.At(s0, r0, 0)};
            const POINT top[5] = {frame.At(s0, r0, h), frame.At(s1, r0, h), frame.At(s1, r1, h), frame.At(s0, r1, h),
                                  frame.At(s0, r0, h)};
            const POINT flank[5] = {frame.At(side, r0, 0), frame.At(side, r1, 0), frame.At(side, r1, h),
                                    frame.At(side, r0, h), frame.At(side, r0, 0)};
            DrawIsoFace(flank, first + i, group, pStyle, shadeSide);
            DrawIsoFace(front, first + i, group, pStyle, shadeNone);
            DrawIsoFace(top, first + i, group, pStyle, shadeTop);
        }
    }
}

void QVGraphDisplay::DrawIsoAreaGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    if (SwitchIsoToBarsForNegatives())
        return;
    // The rooftop stands on the floor with a front face, a roof and an end; the ribbon is the roof alone.
    const bool rooftop = GetGraphType() == 10;
    const IsoFrame frame = MakeIsoFrame();
    const ValueAxisMap map = MakeValueAxisMap(int(frame.valueHeight), -3.0);
    const std::vector<int> order = GroupsInDrawingOrder();
    const int first = FirstIndexShown();
    const int indexes = IndexesShown();
    SeriesScope series(*this);
    std::vector<double> heights(size_t(std::max(indexes, 0)));
    std::vector<bool> valid(heights.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const int group = order[k];
        const double r0 = frame.nRows - 1 - double(k) + kBlockMargin, r1 = r0 + 1 - 2 * kBlockMargin;
        BeginSeries(group);
        for (int i = 0; i < indexes; ++i) {
            double value = 0;
            valid[i] = ValueOfItem(m_pChart->FindItem(first + i, group), value) != FALSE;
            heights[i] = valid[i] ? std::clamp(map.Offset(value), 0.0, 32767.0) : 0.0;
        }
        QVGraphStyle* pGroupStyle = GroupStyleOf(group);
        // Each run of valid items is one piece; a null item ends it.
        for (int start = 0; start < indexes;) {
            if (!valid[start]) {
                ++start;
                continue;
            }
            int end = start;
            while (end + 1 < indexes && valid[end + 1])
                ++end;
            auto s = [&](int i) { return (i + 0.5) * frame.indexStep; };
            for (int step = start; step < end; ++step) {
                const int i = frame.bWest ? end - 1 - (step - start) : step;
                QVGraphData* pItem = m_pChart->FindItem(first + i, group);
                const POINT roof[5] = {frame.At(s(i), r0, heights[i]), frame.At(s(i + 1), r0, heights[i + 1]),
                                       frame.At(s(i + 1), r1, heights[i + 1]), frame.At(s(i), r1, heights[i]),
                                       frame.At(s(i), r0, heights[i])};
                DrawIsoFace(roof, first + i, group, BarStyleOf(pItem, group), shadeTop);
            }
            if (rooftop) {
                const int last = frame.bWest ? start : end;
                const POINT flank[5] = {frame.At(s(last), r0, 0), frame.At(s(last), r1, 0),
                                        frame.At(s(last), r1, heights[last]), frame.At(s(last), r0, heights[last]),
                                        frame.At(s(last), r0, 0)};
                DrawIsoFace(flank, first + last, group, pGroupStyle, shadeSide);
                std::vector<POINT> face;
                face.push_back(frame.At(s(start), r0, 0));
                for (int i = start; i <= end; ++i)
                    face.push_back(frame.At(s(i), r0, heights[i]));
                face.push_back(frame.At(s(end), r0, 0));
                face.push_back(face.front());
                m_pChart->AddFeedbackPolygon(face.data(), int(face.size()), first + start, group);
                FillPolygon(face.data(), int(face.size()), pGroupStyle);
                OutlinePolygon(face.data(), int(face.size()), pGroupStyle,
                               pGroupStyle->GetLineType() == 1 ? 2 : kindFromStyle);
            }
            start = end + 1;
        }
    }
}

void QVGraphDisplay::DrawIsoPlotArea()
{
    if (m_pDC == NULL || HasNegativeValues())
        return;
    const IsoFrame frame = MakeIsoFrame();
    const double length = frame.indexStep * frame.nIndexes;
    const double rows = frame.nRows, height = frame.valueHeight;
    // The visible side wall stands at the start of the index edge, or at its end when depth runs left.
    const double wallS = frame.bWest ? length : 0.0;
    const POINT floor[5] = {frame.At(0, 0, 0), frame.At(length, 0, 0), frame.At(length, rows, 0),
                            frame.At(0, rows, 0), frame.At(0, 0, 0)};
    const POINT back[5] = {frame.At(0, rows, 0), frame.At(length, rows, 0), frame.At(length, rows, height),
                           frame.At(0, rows, height), frame.At(0, rows, 0)};
    const POINT side[5] = {frame.At(wallS, 0, 0), frame.At(wallS, rows, 0), frame.At(wallS, rows, height),
                           frame.At(wallS, 0, height), frame.At(wallS, 0, 0)};
    CPen* pBorder = GetPen(PS_SOLID, std::max(1, m_style.m_nLineWidth), m_style.m_crLineColor);
    CPen* pOldPen = pBorder != NULL ? m_pDC->SelectObject(pBorder) : NULL;
    const bool fill = GetOption(optionFillPlotArea) != 0;
    for (const POINT* pWall : {back, side, floor}) {
        CBrush brush;
        if (fill)
            brush.CreateSolidBrush(m_style.m_crColor);
        CBrush* pOldBrush = fill ? m_pDC->SelectObject(&brush) : NULL;
        CGdiObject* pOldStock = fill ? NULL : m_pDC->SelectStockObject(NULL_BRUSH);
        m_pDC->Polygon(pWall, 5);
        if (pOldBrush != NULL)
            m_pDC->SelectObject(pOldBrush);
        if (pOldStock != NULL)
            m_pDC->SelectObject(pOldStock);
    }
    // Grid lines at the value scale's ticks: back along the side wall, then across the back wall.
    QVGDecimalScale* pValues = GetSecondScale();
    if (!GetOption(optionNoValueGrid) && pValues != NULL && pValues->GetAnchorList() != NULL) {
        QVGGridLines* pGrid = GetGridLines(0);
        CPen* pGridPen = GetPen(pGrid->GetMajorStyle(), std::max(1, pGrid->GetMajorWidth()), pGrid->GetMajorColour());
        if (pGridPen != NULL)
            m_pDC->SelectObject(pGridPen);
        const int oldMode = m_pDC->SetBkMode(TRANSPARENT);
        QVGAnchorList* pAnchors = pValues->GetAnchorList();
        for (POSITION pos = pAnchors->GetHeadPosition(); pos != NULL;) {
            const double h = frame.originY - pAnchors->GetNext(pos).y;
            if (h <= 0 || h > height)
                continue;
            const POINT line[3] = {frame.At(wallS, 0, h), frame.At(wallS, rows, h),
                                   frame.At(length - wallS, rows, h)};
            m_pDC->Polyline(line, 3);
        }
        m_pDC->SetBkMode(oldMode);
    }
    if (pOldPen != NULL)
        m_pDC->SelectObject(pOldPen);
}

void QVGraphDisplay::DrawIsoScales()
{
    if (GetScaleFlags() == 0 || m_pDC == NULL || m_pChart == NULL || HasNegativeValues())
        return;
    try {
        QVGDecimalScale* pValues = ValueScaleFor(false);
        QVGIndexScale* pIndexes = CategoryScale(false);
        pIndexes->SetLabelsAtEdges(0);
        QVGraphLabelBlock* pGroups = OwnLabelBlock();
        // Rows lie closer than a line of text on a shallow projection: every group keeps its label.
        pGroups->SetOverlapCheck(FALSE);
        const bool fixedRect = GetOption(optionFixedPlotRect) != 0;
        for (int pass = 0; pass < 2; ++pass) {
            const IsoFrame frame = MakeIsoFrame();
            const double length = frame.indexStep * frame.nIndexes;
            const double wallS = frame.bWest ? length : 0.0;
            ConfigureScale(pValues, false, m_valueDataRange);
            ConfigureScale(pIndexes, true, m_indexDataRange);
            // Values up the front edge of the side wall, outside it; indexes along the front floor edge.
            pValues->SetLabelSide(frame.bWest ? 1 : 0);
            const POINT valueFrom = frame.At(wallS, 0, 0), valueTo = frame.At(wallS, 0, frame.valueHeight);
            pValues->SetStartPoint(valueFrom.x, valueFrom.y);
            pValues->SetEndPoint(valueTo.x, valueTo.y);
            pValues->GenerateLabels();
            const POINT indexFrom = frame.At(0, 0, 0), indexTo = frame.At(length, 0, 0);
            pIndexes->SetStartPoint(indexFrom.x, indexFrom.y);
            pIndexes->SetEndPoint(indexTo.x, indexTo.y);
            pIndexes->GenerateLabels();
            // The group of each row beside the floor's side edge opposite the wall, in drawing order.
            const std::vector<int> order = GroupsInDrawingOrder();
            const double edgeS = length - wallS;
            const int gap = int(GetSize() * 1.25);
            for (size_t k = 0; k < order.size(); ++k) {
                const POINT at = frame.At(edgeS, frame.nRows - 1 - double(k) + 0.5, 0);
                const CString text = m_pChart->GetGroupText(order[k], 1);
                PlaceBlockLabel(pGroups, int(k), text, at.x + (frame.bWest ? -gap : gap), at.y, frame.bWest ? 4 : 0);
            }
            TrimBlockLabels(pGroups, int(order.size()));
            if (pass == 0 && !fixedRect) {
                CRect extent = pValues->MeasureLabelExtent();
                const CRect indexExtent = pIndexes->MeasureLabelExtent();
                const CRect groupExtent = pGroups->MeasureLabelExtent();
                extent.UnionRect(&extent, &indexExtent);
                extent.UnionRect(&extent, &groupExtent);
                CRect& plot = m_rectPlot;
                const int left = plot.left - extent.left, right = extent.right - plot.right;
                const int top = plot.top - extent.top, bottom = extent.bottom - plot.bottom;
                if (left > 0 && left < plot.Width())
                    plot.left += left;
                if (right > 0 && right < plot.Width())
                    plot.right -= right;
                if (top > 0 && top < plot.Height())
                    plot.top += top;
                if (bottom > 0 && bottom < plot.Height())
                    plot.bottom -= bottom;
            }
        }
        pValues->Draw(m_pDC, m_pView);
        pIndexes->Draw(m_pDC, m_pView);
        pGroups->Draw(m_pDC, m_pView);
    } catch (QVGraphException* e) {
        // Labels that leave no room for the chart end the scales quietly; the chart still draws.
        if (e->GetErrorCode() != 17)
            throw;
        e->Delete();
    }
}
