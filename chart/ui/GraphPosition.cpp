#include "chart/ui/GraphPosition.h"

#include <algorithm>
#include <cmath>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"

IMPLEMENT_DYNAMIC(QVGraphPosition, CObject)

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 57.295780490442965;

// Which procedure resolves the point, by graph type.
enum class Procedure {
    none,
    column,
    columnIndexOnly,
    groupedColumn,
    bar,
    horizontalStacked,
    indexOnlyHorizontal,
    groupOnly,
    groupOnlyHorizontal,
    scatter,
    web,
    polar,
    gantt,
    other
};

Procedure ProcedureOf(int nGraphType)
{
    switch (nGraphType) {
    case 0: case 4: case 5: case 8: case 9: case 10: case 13: case 17: case 22:
        return Procedure::none;
    case 1: case 6: case 7: case 11: case 24: case 25: case 28: case 29: case 31: case 35: case 36: case 46:
        return Procedure::column;
    case 14: case 37: case 47:
        return Procedure::columnIndexOnly;
    case 3: case 15:
        return Procedure::groupedColumn;
    case 2: case 16:
        return Procedure::bar;
    case 12:
        return Procedure::horizontalStacked;
    case 38: case 48:
        return Procedure::indexOnlyHorizontal;
    case 39: case 49:
        return Procedure::groupOnly;
    case 40: case 50:
        return Procedure::groupOnlyHorizontal;
    case 19: case 20: case 21: case 32: case 33: case 34: case 41: case 42: case 43: case 44: case 45:
        return Procedure::scatter;
    case 18: case 23:
        return Procedure::web;
    case 26: case 27:
        return Procedure::polar;
    case 30:
        return Procedure::gantt;
    default:
        return Procedure::other;
    }
}

// The slot (0 .. count - 1) an offset falls in when the extent is cut into count equal steps; a point in
// the margin outside the plot takes the nearest slot. -1 when there is nothing to cut.
int SlotOf(double offset, double extent, int nCount)
{
    if (extent <= 0 || nCount < 1)
        return -1;
    const double step = extent / nCount;
    return std::clamp(int(std::floor(offset / step)), 0, nCount - 1);
}

bool HasWidth(const CScale& range)
{
    return !range.IsEmpty() && range.m_dMax > range.m_dMin;
}

bool IsThreeDimensionalAxisStyle(int nAxisStyle)
{
    switch (nAxisStyle) {
    case 11: case 13: case 16: case 20: case 21: case 22:
        return true;
    default:
        return false;
    }
}

} // namespace

double ValueAlongRange(double offset, double extent, const CScale& range, bool bLog)
{
    if (extent <= 0)
        return range.m_dMin;
    if (bLog) {
        const double low = range.m_dMin > 0 ? range.m_dMin : 0.001;
        const double high = range.m_dMax > low ? range.m_dMax : low * 10;
        return low * std::pow(10.0, offset * (std::log10(high) - std::log10(low)) / extent);
    }
    return range.m_dMin + offset * (range.m_dMax - range.m_dMin) / extent;
}

CScale ShownValueRangeOf(QVGDisplayBase* pDisplay)
{
    CScale range = pDisplay->GetDrawnValueAxisRange();
    return range.IsEmpty() ? pDisplay->ValueDataRange() : range;
}

CScale ShownIndexRangeOf(QVGDisplayBase* pDisplay)
{
    CScale range = pDisplay->GetDrawnIndexAxisRange();
    return range.IsEmpty() ? pDisplay->IndexDataRange() : range;
}

CRect DataRectOf(QVGDisplayBase* pDisplay)
{
    CRect rect = pDisplay->GetPlotRect();
    if (IsThreeDimensionalAxisStyle(pDisplay->GetAxisStyle())) {
        const int depth = int(pDisplay->GetStyle()->GetBarDepthOrDefault() * pDisplay->GetDeviceScaleX(nullptr) + 0.5);
        rect.right -= depth;
        rect.top += depth;
    }
    return rect;
}

QVGraphPosition::QVGraphPosition(QVGraph* pChart, int x, int y, CWnd* pView)
    : m_nFlags(0),
      m_pDisplay(nullptr),
      m_pDisplays(nullptr),
      m_pChart(pChart),
      m_dValue1(0.0),
      m_dValue2(0.0),
      m_nIndex(-1),
      m_nGroup(-1),
      m_point(x, y),
      m_pView(pView)
{
    if (pChart == nullptr)
        return;
    for (int n = 0;; ++n) {
        QVGraphComponent* pComponent = pChart->FindComponent(n, IDS_QVG_DISPLAY);
        if (pComponent == nullptr)
            break;
        auto* pDisplay = dynamic_cast<QVGDisplayBase*>(pComponent);
        if (pDisplay == nullptr)
            continue;
        CRect area = pDisplay->GetPlotRect();
        // A display that has never been drawn has no place on the screen yet.
        if (area.IsRectEmpty())
            continue;
        area.InflateRect(hitMargin, hitMargin);
        if (!area.PtInRect(m_point))
            continue;
        switch (HitKind()) {
        case hitNothing:
            SetKind(hitOne);
            m_pDisplay = pDisplay;
            ResolveIn(pDisplay);
            break;
        case hitOne:
            SetKind(hitSeveral);
            m_pDisplays = new CObList(10);
            m_pDisplays->AddTail(m_pDisplay);
            m_pDisplays->AddTail(pDisplay);
            m_pDisplay = nullptr;
            break;
        default:
            m_pDisplays->AddTail(pDisplay);
            break;
        }
    }
}

QVGraphPosition::~QVGraphPosition()
{
    delete m_pDisplays;
}

int QVGraphPosition::GetDisplayCount() const
{
    switch (HitKind()) {
    case hitOne:
        return 1;
    case hitSeveral:
        return int(m_pDisplays->GetCount());
    default:
        return 0;
    }
}

QVGDisplayBase* QVGraphPosition::Display(int i)
{
    QVGDisplayBase* pDisplay = nullptr;
    if (HitKind() == hitOne) {
        pDisplay = m_pDisplay;
    } else if (HitKind() == hitSeveral && i >= 0 && i < m_pDisplays->GetCount()) {
        POSITION pos = m_pDisplays->FindIndex(i);
        pDisplay = static_cast<QVGDisplayBase*>(m_pDisplays->GetAt(pos));
    }
    if (pDisplay != nullptr)
        ResolveIn(pDisplay);
    return pDisplay;
}

void QVGraphPosition::ResolveOtherType(QVGDisplayBase*, int)
{
}

void QVGraphPosition::ResolveIn(QVGDisplayBase* pDisplay)
{
    m_nFlags &= ~(value1Valid | value2Valid | indexValid | groupValid | modeMask);
    m_dValue1 = m_dValue2 = 0.0;
    m_nIndex = m_nGroup = -1;
    if (pDisplay == nullptr)
        return;

    pDisplay->ResolveDataLimits();
    const int firstIndex = pDisplay->m_nFirstIndex;
    const int indexCount = pDisplay->m_nIndexCount;
    const int firstGroup = pDisplay->m_nFirstGroup;
    const int groupCount = pDisplay->m_nGroupCount;
    const CRect rect = DataRectOf(pDisplay);
    const double width = rect.Width();
    const double height = rect.Height();
    const double fromLeft = m_point.x - rect.left;
    const double fromBottom = rect.bottom - m_point.y;
    const CScale valueRange = ShownValueRangeOf(pDisplay);
    const CScale indexRange = ShownIndexRangeOf(pDisplay);

    auto valueFromVertical = [&] {
        if (HasWidth(valueRange) && height > 0)
            SetValue1(ValueAlongRange(fromBottom, height, valueRange, pDisplay->IsValueLog()));
    };
    auto valueFromHorizontal = [&] {
        if (HasWidth(valueRange) && width > 0)
            SetValue1(ValueAlongRange(fromLeft, width, valueRange, pDisplay->IsValueLog()));
    };
    auto indexFrom = [&](double offset, double extent) {
        const int slot = SlotOf(offset, extent, indexCount);
        if (slot >= 0)
            SetIndex(firstIndex + slot);
    };
    auto groupFrom = [&](double offset, double extent) {
        const int slot = SlotOf(offset, extent, groupCount);
        if (slot >= 0)
            SetGroup(firstGroup + slot);
    };
    // An index slot, then the group's place within it.
    auto indexAndGroupFrom = [&](double offset, double extent) {
        const int slot = SlotOf(offset, extent, indexCount);
        if (slot < 0)
            return;
        SetIndex(firstIndex + slot);
        const double step = extent / indexCount;
        groupFrom(offset - slot * step, step);
    };
    // Distance from the centre of the plot and the radius of the circle the polar and web types draw on.
    const CPoint centre = rect.CenterPoint();
    const double dx = m_point.x - centre.x;
    const double dy = m_point.y - centre.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double radius = 0.4 * std::min(width, height);

    const int nGraphType = pDisplay->GetGraphType();
    switch (ProcedureOf(nGraphType)) {
    case Procedure::none:
        break;
    case Procedure::column:
        indexFrom(fromLeft, width);
        valueFromVertical();
        break;
    case Procedure::columnIndexOnly:
        indexFrom(fromLeft, width);
        break;
    case Procedure::groupedColumn:
        indexAndGroupFrom(fromLeft, width);
        valueFromVertical();
        break;
    case Procedure::bar:
        SetCoordinateMode(modeVerticalStrip);
        indexAndGroupFrom(fromBottom, height);
        valueFromHorizontal();
        break;
    case Procedure::horizontalStacked:
        SetCoordinateMode(modeVerticalStrip);
        indexFrom(fromBottom, height);
        valueFromHorizontal();
        break;
    case Procedure::indexOnlyHorizontal:
        SetCoordinateMode(modeVerticalStrip);
        indexFrom(fromBottom, height);
        break;
    case Procedure::groupOnly:
        groupFrom(fromLeft, width);
        break;
    case Procedure::groupOnlyHorizontal:
        SetCoordinateMode(modeVerticalStrip);
        groupFrom(fromBottom, height);
        break;
    case Procedure::scatter:
        SetCoordinateMode(modeRectangle);
        valueFromVertical();
        if (HasWidth(indexRange) && width > 0)
            SetValue2(ValueAlongRange(fromLeft, width, indexRange, pDisplay->IsIndexLog()));
        break;
    case Procedure::web:
        SetCoordinateMode(modeWeb);
        if (radius < 1)
            break;
        if (HasWidth(valueRange))
            SetValue1(valueRange.m_dMin + distance * (valueRange.m_dMax - valueRange.m_dMin) / radius);
        if (indexCount >= 1) {
            // The first spoke points up, the others follow clockwise.
            const double sector = 2 * kPi / indexCount;
            double angle = std::fmod(std::atan2(dy, dx) + sector / 2 + kPi / 2, 2 * kPi);
            if (angle < 0)
                angle += 2 * kPi;
            SetIndex(firstIndex + std::min(int(angle / sector), indexCount - 1));
        }
        break;
    case Procedure::polar:
        SetCoordinateMode(modePolar);
        if (radius < 1)
            break;
        if (HasWidth(valueRange)) {
            if (pDisplay->IsValueLog()) {
                const double low = valueRange.m_dMin > 0 ? std::log10(valueRange.m_dMin) : -3.0;
                const double high = valueRange.m_dMax > 0 ? std::log10(valueRange.m_dMax) : low + 1;
                SetValue1(std::pow(10.0, low + distance * (high - low) / radius));
            } else {
                SetValue1(valueRange.m_dMin + distance * (valueRange.m_dMax - valueRange.m_dMin) / radius);
            }
        }
        // Degrees clockwise from the top.
        SetValue2(std::atan2(dy, dx) * kDegreesPerRadian + 90);
        break;
    case Procedure::gantt: {
        SetCoordinateMode(modeVerticalStrip);
        // One row per pair of groups (start and end of a task), from the bottom up.
        const int slot = SlotOf(fromBottom, height, std::max(1, groupCount / 2));
        if (slot >= 0)
            SetGroup(2 * slot + firstGroup);
        m_nIndex = -1;
        valueFromHorizontal();
        break;
    }
    case Procedure::other:
        ResolveOtherType(pDisplay, nGraphType);
        break;
    }
}
