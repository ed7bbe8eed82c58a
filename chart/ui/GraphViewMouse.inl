// The chart view under the pointer: the hover tip, the zoom band and its undoing, and dragged data.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDoc.h"
#include "chart/model/GraphFeedback.h"
#include "chart/ui/GraphPosition.h"
#include "chart/ui/GraphZoom.h"
#include "chart/ui/PageSetup.h"
#include "framework/win/Dc.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 57.29578;

// Two values that differ by no more than rounding.
bool Coincide(double a, double b)
{
    return std::fabs(a - b) <= 50 * DBL_EPSILON * std::max(std::fabs(a), std::fabs(b));
}

// The first and last group and index a display shows, its limits of -1 taken as the chart's ends.
struct Limits
{
    int firstIndex;
    int lastIndex;
    int firstGroup;
    int lastGroup;
};

Limits LimitsOf(QVGraphComponent* pDisplay, QVGraph* pChart)
{
    int minIndex = 0, maxIndex = 0, minGroup = 0, maxGroup = 0;
    pDisplay->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    return {minIndex == -1 ? 0 : minIndex, maxIndex == -1 ? pChart->GetMaxGroupSize() - 1 : maxIndex,
            minGroup == -1 ? 0 : minGroup, maxGroup == -1 ? pChart->GetGroupCount() - 1 : maxGroup};
}

// The group of four a vector's groups are counted in from (the display's first group).
int VectorGroupPlace(const Limits& limits, int nGroup)
{
    return ((nGroup - limits.firstGroup) % 4 + 4) % 4;
}

bool IsNullItem(QVGraph* pChart, int nIndex, int nGroup)
{
    QVGraphData* pItem = pChart->FindItem(nIndex, nGroup);
    return pItem == nullptr || pItem->IsNull();
}

} // namespace

// ---- Hover tip ----

template <class TBase>
void QVGraphViewImpl<TBase>::RestartHoverTimer(CPoint point)
{
    if (m_bHoverTimerRunning)
        this->KillTimer(m_nHoverTimer);
    m_tip.Hide();
    m_nHoverTimer = (int)this->SetTimer(hoverTimerId, hoverDelay);
    m_bHoverTimerRunning = 1;
    m_ptLast = point;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnMouseMove(UINT nFlags, CPoint point)
{
    point = ToChartPoint(point);
    if (point == m_ptLast)
        return;
    RestartHoverTimer(point);
    if (m_bDraggingData)
        DragDataPoint(nFlags, point.x, point.y);
    if (m_bBandActive)
        DrawZoomBand(point.x, point.y);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != hoverTimerId) {
        TBase::OnTimer(nIDEvent);
        return;
    }
    this->KillTimer(m_nHoverTimer);
    m_bHoverTimerRunning = 0;
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return;
    if (QVGraphFeedback* pFeedback = pChart->FindFeedback(m_ptLast.x, m_ptLast.y))
        ShowFeedback(pFeedback);
}

template <class TBase>
void QVGraphViewImpl<TBase>::ShowFeedback(QVGraphFeedback* pFeedback)
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr || pFeedback == nullptr)
        return;
    const int i = pFeedback->GetIndex();
    const int g = pFeedback->GetGroup();
    QVGraphComponent* pDisplay = nullptr;
    for (int n = 0;; ++n) {
        QVGraphComponent* pComponent = pChart->FindComponent(n, IDS_QVG_DISPLAY);
        if (pComponent == nullptr)
            break;
        if (pComponent->InDataRange(i, g)) {
            pDisplay = pComponent;
            break;
        }
    }
    if (pDisplay == nullptr)
        return;

    auto v = [pChart](int nIndex, int nGroup) { return pChart->GetItemValue(nIndex, nGroup); };
    const Limits limits = LimitsOf(pDisplay, pChart);
    CString text;
    // The share of an item in a total; the plain place when there is nothing to share.
    auto showShare = [&](double total, bool bEmpty) {
        if (bEmpty || total < 1.110223e-14)
            text.Format("Index=%d Group=%d ", i, g);
        else
            text.Format("Index=%d Group=%d, %.2f %%", i, g, v(i, g) * 100 / total);
    };
    const int nGraphType = pDisplay->GetStyle()->GetGraphType();
    switch (nGraphType) {
    case 19: case 20: case 32: case 33:
        text.Format(" (%.2f, %.2f) ", v(i, g), v(i + 1, g));
        break;
    case 21: case 34:
        text.Format(" (%.2f, %.4f) ", v(i, g), v(i, g + 1));
        break;
    case 41:
        text.Format(" (%.2f, %.2f), Radius = %.2f ", v(i, g), v(i, g + 1), v(i, g + 2));
        break;
    case 42:
        text.Format(" (%.2f, %.2f), Area = %.2f ", v(i, g), v(i, g + 1), v(i, g + 2));
        break;
    case 43: case 44: case 45:
        if (VectorGroupPlace(limits, g) == 2)
            text = "Drag to change direction";
        else if (nGraphType == 45)
            text.Format(" (%.2f, %.2f), (%.2f, %.2f) ", v(i, g), v(i, g + 1), v(i, g + 2), v(i, g + 3));
        else
            text.Format(" (%.2f, %.2f), Angle = %.2f, Magnitude = %.2f ", v(i, g), v(i, g + 1), v(i, g + 2),
                        v(i, g + 3));
        break;
    case 47: case 48: {
        double total = 0;
        for (int k = limits.firstGroup; k <= limits.lastGroup; ++k)
            if (!IsNullItem(pChart, i, k))
                total += v(i, k);
        showShare(total, limits.firstGroup > limits.lastGroup);
        break;
    }
    case 49: case 50: {
        double total = 0;
        for (int k = limits.firstIndex; k <= limits.lastIndex; ++k)
            if (!IsNullItem(pChart, k, g))
                total += v(k, g);
        showShare(total, limits.firstIndex > limits.lastIndex);
        break;
    }
    default:
        if (i >= 0 && g >= 0)
            text.Format("Index=%d Group=%d Value=%.2f", i, g, v(i, g));
        else
            text.Format("Index=%d Group=%d ", i, g);
        break;
    }
    CPoint screen = ToClientPoint(m_ptLast);
    this->ClientToScreen(&screen);
    m_tip.Show(text, screen.x, screen.y, this);
}

// ---- Zoom band ----

template <class TBase>
void QVGraphViewImpl<TBase>::OnLButtonDown(UINT, CPoint point)
{
    point = ToChartPoint(point);
    this->SetCapture();
    RestartHoverTimer(point);
    QVGraph* pChart = GetGraph();
    QVGraphFeedback* pFeedback = pChart != nullptr ? pChart->FindFeedback(point.x, point.y) : nullptr;
    if (pFeedback == nullptr || !m_bDataDragEnabled) {
        m_ptBandStart = m_ptBandEnd = point;
        if (m_bZoomEnabled)
            m_bBandActive = 1;
        return;
    }
    const int i = pFeedback->GetIndex();
    const int g = pFeedback->GetGroup();
    if (i < 0 || g < 0)
        return;
    m_bDraggingItem = 1;
    m_bDraggingData = 1;
    m_nDragIndex = i;
    m_nDragGroup = g;
    m_pDragTarget = nullptr;
    QVGraphPosition* pPosition = CreatePosition(pChart, point.x, point.y);
    if (pPosition->IsValue1Valid() || pPosition->IsValue2Valid()) {
        if (pPosition->HitKind() == QVGraphPosition::hitOne) {
            m_pDragTarget = pPosition->Display(0);
        } else {
            // The last of the displays hit that shows the item.
            for (int n = pPosition->GetDisplayCount() - 1; n >= 0 && m_pDragTarget == nullptr; --n) {
                QVGDisplayBase* pDisplay = pPosition->Display(n);
                if (pDisplay != nullptr && pDisplay->InDataRange(i, g))
                    m_pDragTarget = pDisplay;
            }
        }
    }
    delete pPosition;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::MakeBandRegion(CRgn& region, const CRect& plot, QVGraphPosition* pPosition, CPoint start,
                                 CPoint end)
{
    switch (pPosition->CoordinateMode()) {
    case QVGraphPosition::modeIndexStrip:
        return region.CreateRectRgn(std::min(start.x, end.x), plot.top, std::max(start.x, end.x), plot.bottom);
    case QVGraphPosition::modeVerticalStrip:
        return region.CreateRectRgn(plot.left, std::min(start.y, end.y), plot.right, std::max(start.y, end.y));
    case QVGraphPosition::modeRectangle:
        return region.CreateRectRgn(std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x),
                                    std::max(start.y, end.y));
    case QVGraphPosition::modeWeb:
    case QVGraphPosition::modePolar: {
        // The ring sector between the two points' distances from the centre and between their angles
        // (the shorter way round), its arcs drawn with points one degree apart.
        const double radius = 0.4 * std::min(plot.Width(), plot.Height());
        if (radius < 1)
            return FALSE;
        const CPoint centre = plot.CenterPoint();
        auto distance = [&](CPoint p) {
            return std::min(radius, std::hypot(double(p.x - centre.x), double(p.y - centre.y)));
        };
        auto angle = [&](CPoint p) { return std::atan2(double(p.y - centre.y), double(p.x - centre.x)); };
        const double inner = std::min(distance(start), distance(end));
        const double outer = std::max(distance(start), distance(end));
        const double from = angle(start);
        double sweep = angle(end) - from;
        if (sweep > kPi)
            sweep -= 2 * kPi;
        else if (sweep <= -kPi)
            sweep += 2 * kPi;
        const int steps = std::max(1, int(std::ceil(std::fabs(sweep) * kDegreesPerRadian)));
        std::vector<POINT> points;
        points.reserve(2 * (steps + 1));
        for (int k = 0; k <= steps; ++k) {
            const double a = from + sweep * k / steps;
            points.push_back({centre.x + int(std::lround(outer * std::cos(a))),
                              centre.y + int(std::lround(outer * std::sin(a)))});
        }
        for (int k = steps; k >= 0; --k) {
            const double a = from + sweep * k / steps;
            points.push_back({centre.x + int(std::lround(inner * std::cos(a))),
                              centre.y + int(std::lround(inner * std::sin(a)))});
        }
        return region.CreatePolygonRgn(points.data(), int(points.size()), ALTERNATE);
    }
    default:
        return FALSE;
    }
}

template <class TBase>
void QVGraphViewImpl<TBase>::DrawOtherBand(CDC*, const CRect&, QVGraphPosition*)
{
}

template <class TBase>
void QVGraphViewImpl<TBase>::DrawZoomBand(int x, int y)
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return;
    const CPoint point(x, y);
    QVGraphPosition* pPosition = CreatePosition(pChart, x, y);
    QVGDisplayBase* pDisplay = pPosition->Display(0);
    if (pDisplay != nullptr) {
        const CRect plot = pDisplay->GetPlotRect();
        auto inside = [&plot](CPoint p) {
            return p.x >= plot.left && p.x <= plot.right && p.y >= plot.top && p.y <= plot.bottom;
        };
        if (inside(m_ptBandStart) && inside(m_ptBandEnd) && inside(point)) {
            CClientDC dc(this);
            // The band is drawn in chart coordinates, as the chart is.
            if constexpr (kScrolls)
                this->OnPrepareDC(&dc);
            auto invert = [&] {
                CRgn region;
                if (MakeBandRegion(region, plot, pPosition, m_ptBandStart, m_ptBandEnd))
                    dc.InvertRgn(&region);
                else if (pPosition->CoordinateMode() > QVGraphPosition::modePolar)
                    DrawOtherBand(&dc, plot, pPosition);
            };
            invert();
            if (point != m_ptBandEnd) {
                m_ptBandEnd = point;
                invert();
            }
        }
    }
    delete pPosition;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnLButtonUp(UINT, CPoint point)
{
    point = ToChartPoint(point);
    m_bDraggingItem = 0;
    m_bDraggingData = 0;
    ::ReleaseCapture();
    if (m_bBandActive) {
        DrawZoomBand(point.x, point.y);
        if (point != m_ptBandStart)
            ApplyZoom(point);
        m_bBandActive = 0;
        this->Invalidate(FALSE);
    }
    m_pDragTarget = nullptr;
}

template <class TBase>
int QVGraphViewImpl<TBase>::PlaceOfDisplay(QVGraph* pChart, QVGDisplayBase* pDisplay)
{
    for (int n = 0;; ++n) {
        QVGraphComponent* pComponent = pChart->FindComponent(n, IDS_QVG_DISPLAY);
        if (pComponent == nullptr)
            return -1;
        if (pComponent == pDisplay)
            return n;
    }
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::ApplyZoom(CPoint point)
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return FALSE;
    QVGraphPosition* pStart = CreatePosition(pChart, m_ptBandStart.x, m_ptBandStart.y);
    QVGraphPosition* pPoint = CreatePosition(pChart, point.x, point.y);
    QVGraphPosition* pEnd = CreatePosition(pChart, m_ptBandEnd.x, m_ptBandEnd.y);
    BOOL bZoomed = FALSE;

    // A band without height or without width zooms nothing.
    const bool bBothValues = pPoint->IsValue1Valid() && pPoint->IsValue2Valid() && pStart->IsValue1Valid() &&
                             pStart->IsValue2Valid();
    const bool bFlat = bBothValues && (Coincide(pStart->GetValue2(), pPoint->GetValue2()) ||
                                       Coincide(pStart->GetValue1(), pPoint->GetValue1()));
    std::vector<QVGDisplayBase*> displays;
    if (!bFlat) {
        for (int n = 0; n < pPoint->GetDisplayCount(); ++n)
            if (QVGDisplayBase* pDisplay = pPoint->Display(n))
                displays.push_back(pDisplay);
    }
    // Whether the step zooms the indices and the groups; a mixture of both may ask.
    bool bIndices = true;
    bool bGroups = true;
    const bool bAskMixture = pStart->IsIndexValid() && pStart->IsGroupValid();
    for (size_t k = 0; k < displays.size(); ++k) {
        QVGDisplayBase* pDisplay = displays[k];
        const int nPlace = PlaceOfDisplay(pChart, pDisplay);
        if (nPlace < 0)
            continue;
        auto* pZoom = new QVGZoom;
        pZoom->Capture(pDisplay, k == 0 ? nPlace : ~nPlace, pChart);
        m_zoomStack.Push(pZoom);
        if (k == 0 && bAskMixture) {
            CSelectQuery query(this);
            query.m_nChoice = CSelectQuery::indicesOnly;
            if (query.DoModal() != IDOK) {
                delete m_zoomStack.Pop();
                break;
            }
            bIndices = query.m_nChoice != CSelectQuery::groupsOnly;
            bGroups = query.m_nChoice != CSelectQuery::indicesOnly;
        }
        pStart->ResolveIn(pDisplay);
        pEnd->ResolveIn(pDisplay);
        int nMinIndex = 0, nMaxIndex = 0, nMinGroup = 0, nMaxGroup = 0;
        pDisplay->GetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
        if (bIndices && pStart->IsIndexValid() && pEnd->IsIndexValid()) {
            nMinIndex = std::min(pStart->GetIndex(), pEnd->GetIndex());
            nMaxIndex = std::max(pStart->GetIndex(), pEnd->GetIndex());
        }
        if (bGroups && pStart->IsGroupValid() && pEnd->IsGroupValid()) {
            nMinGroup = std::min(pStart->GetGroup(), pEnd->GetGroup());
            nMaxGroup = std::max(pStart->GetGroup(), pEnd->GetGroup());
            if (pDisplay->GetGraphType() == 30) {
                // Gantt tasks are pairs of groups: whole pairs only.
                nMinGroup -= ((nMinGroup % 2) + 2) % 2;
                nMaxGroup |= 1;
            }
        }
        pDisplay->SetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
        pDisplay->SetChanged(TRUE);
        if (pEnd->IsValue1Valid() && pEnd->IsValue2Valid()) {
            CScale valueRange;
            valueRange.Include(pStart->IsValue1Valid() ? pStart->GetValue1() : 0.0);
            valueRange.Include(pEnd->GetValue1());
            CScale indexRange;
            indexRange.Include(pStart->IsValue2Valid() ? pStart->GetValue2() : 0.0);
            indexRange.Include(pEnd->GetValue2());
            pDisplay->SetValueAxisRange(valueRange);
            pDisplay->SetIndexAxisRange(indexRange);
        }
        bZoomed = TRUE;
    }
    delete pStart;
    delete pPoint;
    delete pEnd;
    return bZoomed;
}

template <class TBase>
void QVGraphViewImpl<TBase>::RestoreZoom(BOOL bAll)
{
    while (auto* pZoom = static_cast<QVGZoom*>(m_zoomStack.Pop())) {
        const BOOL bFurther = pZoom->IsFurtherDisplay();
        QVGraph* pChart = pZoom->m_pChart != nullptr ? pZoom->m_pChart : GetGraph();
        m_pWorkingDisplay =
            pChart != nullptr ? dynamic_cast<QVGDisplayBase*>(pChart->FindComponent(pZoom->GetDisplayPlace(), IDS_QVG_DISPLAY))
                              : nullptr;
        if (m_pWorkingDisplay != nullptr)
            pZoom->Restore(m_pWorkingDisplay);
        m_pWorkingDisplay = nullptr;
        delete pZoom;
        if (!bAll && !bFurther)
            break;
    }
    this->Invalidate(FALSE);
}

// ---- Data drag ----

template <class TBase>
void QVGraphViewImpl<TBase>::StoreDraggedValue(QVGraph* pChart, int nIndex, int nGroup, double value)
{
    pChart->SetValue(nIndex, nGroup, value);
    if (!m_bNotifyDocument)
        return;
    if (auto* pDoc = dynamic_cast<CGraphDoc*>(this->GetDocument())) {
        QVGDragRecord record = {nIndex + 1, nGroup + 1, value};
        pDoc->SendToMaster(dragNotification, reinterpret_cast<LPARAM>(&record));
    }
}

template <class TBase>
void QVGraphViewImpl<TBase>::DragDataPoint(UINT, int x, int y)
{
    QVGraph* pChart = GetGraph();
    if (!m_bDraggingData || m_pDragTarget == nullptr || pChart == nullptr)
        return;
    QVGraphPosition* pPosition = CreatePosition(pChart, x, y);
    pPosition->ResolveIn(m_pDragTarget);
    if (!pPosition->IsValue1Valid() && !pPosition->IsValue2Valid()) {
        delete pPosition;
        return;
    }
    const double value1 = pPosition->GetValue1();
    const double value2 = pPosition->GetValue2();
    delete pPosition;

    const int i = m_nDragIndex;
    const int g = m_nDragGroup;
    const Limits limits = LimitsOf(m_pDragTarget, pChart);
    auto v = [pChart](int nIndex, int nGroup) { return pChart->GetItemValue(nIndex, nGroup); };
    CString text;
    const int nGraphType = m_pDragTarget->GetGraphType();
    switch (nGraphType) {
    case 19: case 20: case 32: case 33: {
        // The partner is the next item; for the alternate forms, after the last index the first of the
        // next group.
        int nNextIndex = i + 1;
        int nNextGroup = g;
        if ((nGraphType == 19 || nGraphType == 32) && nNextIndex > limits.lastIndex) {
            nNextIndex = limits.firstIndex;
            ++nNextGroup;
        }
        StoreDraggedValue(pChart, i, g, value2);
        StoreDraggedValue(pChart, nNextIndex, nNextGroup, value1);
        text.Format("(%.2f, %.2f)", value2, value1);
        break;
    }
    case 26: case 27:
        // The first group of a polar pair holds the radius, the second the angle.
        StoreDraggedValue(pChart, i, g, value1);
        StoreDraggedValue(pChart, i, g + 1, value2);
        text.Format("(%.2f, %.2f)", value1, value2);
        break;
    case 21: case 34:
        StoreDraggedValue(pChart, i, g, value2);
        StoreDraggedValue(pChart, i, g + 1, value1);
        text.Format("(%.2f, %.2f)", value2, value1);
        break;
    case 41: case 42:
        StoreDraggedValue(pChart, i, g, value2);
        StoreDraggedValue(pChart, i, g + 1, value1);
        text.Format("(%.2f, %.2f, %.2f)", value2, value1, v(i, g + 2));
        break;
    case 43: case 44: case 45: {
        const int nPlace = VectorGroupPlace(limits, g);
        if (nPlace == 2 && nGraphType == 45) {
            // The second end point of a two-point vector is a point of its own.
            StoreDraggedValue(pChart, i, g, value2);
            StoreDraggedValue(pChart, i, g + 1, value1);
        } else if (nPlace == 2) {
            // The direction handle: the vector from its start (or centre) to the pointer.
            const double d2 = value2 - v(i, g - 2);
            const double d1 = value1 - v(i, g - 1);
            const double magnitude = std::sqrt(d1 * d1 + d2 * d2);
            StoreDraggedValue(pChart, i, g, 90 - std::atan2(d1, d2) * kDegreesPerRadian);
            StoreDraggedValue(pChart, i, g + 1, nGraphType == 44 ? 2 * magnitude : magnitude);
        } else {
            StoreDraggedValue(pChart, i, g, value2);
            StoreDraggedValue(pChart, i, g + 1, value1);
        }
        const int nFirst = g - nPlace;
        text.Format("(%.2f, %.2f, %.2f, %.2f)", v(i, nFirst), v(i, nFirst + 1), v(i, nFirst + 2), v(i, nFirst + 3));
        break;
    }
    default:
        StoreDraggedValue(pChart, i, g, value1);
        text.Format(" %.2f ", value1);
        break;
    }
    this->Invalidate(FALSE);
    if (m_bShowDragTip) {
        CPoint screen = ToClientPoint(CPoint(x, y));
        this->ClientToScreen(&screen);
        m_tip.Show(text, screen.x, screen.y, this);
    }
}
