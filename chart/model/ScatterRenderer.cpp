// The scatter renderer: curves from pairs of data items (one gives X, its partner Y), their data ranges,
// their scales and their plot area.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>

namespace {
const double kEmptyWidth = 2.220446049250313e-16;
// What a logarithmic axis takes for its minimum when that is 0.
const double kLogFloor = 0.001;

int GroupSizeOf(QVGraph* pChart, int nGroup)
{
    return (nGroup >= 0 && nGroup < pChart->GetGroupCount()) ? pChart->GetGroupSize(nGroup) : 0;
}
}  // namespace

template <class Visit>
void QVGraphDisplay::ForEachScatterPair(Visit visit)
{
    if (m_pChart == NULL)
        return;
    const int type = GetGraphType();
    const int firstIndex = std::max(m_nFirstIndex, 0);
    const int cap = m_nLastIndex - firstIndex + 1;
    ScatterPair pair;
    if (type == 19 || type == 32) {
        for (int g = 0; g < GroupsShown(); ++g) {
            const int group = m_nFirstGroup + g;
            const int count = std::min(GroupSizeOf(m_pChart, group), cap);
            for (int i = 0; i + 1 < count; i += 2) {
                pair = {m_pChart->FindItem(firstIndex + i, group), m_pChart->FindItem(firstIndex + i + 1, group),
                        firstIndex + i, group, m_nFirstGroup + g, i == 0};
                if (!visit(pair))
                    return;
            }
        }
    } else if (type == 20 || type == 33) {
        for (int i = 0; i + 1 < IndexesShown(); i += 2) {
            for (int g = 0; g < GroupsShown(); ++g) {
                const int group = m_nFirstGroup + g;
                pair = {m_pChart->FindItem(firstIndex + i, group), m_pChart->FindItem(firstIndex + i + 1, group),
                        firstIndex + i, group, firstIndex + i / 2, g == 0};
                if (!visit(pair))
                    return;
            }
        }
    } else {
        for (int g = 0; g + 1 < GroupsShown(); g += 2) {
            const int xGroup = m_nFirstGroup + g;
            const int count = std::min(GroupSizeOf(m_pChart, xGroup), cap);
            for (int i = 0; i < count; ++i) {
                pair = {m_pChart->FindItem(firstIndex + i, xGroup), m_pChart->FindItem(firstIndex + i, xGroup + 1),
                        firstIndex + i, xGroup, m_nFirstGroup + g / 2, i == 0};
                if (!visit(pair))
                    return;
            }
        }
    }
}

void QVGraphDisplay::ComputeScatterRanges()
{
    m_indexDataRange.Reset();
    m_valueDataRange.Reset();
    bool xFromData = true;
    bool yFromData = true;
    const bool fixedValid[2] = {m_dFixedIndexMin < m_dFixedIndexMax, m_dFixedValueMin < m_dFixedValueMax};
    if (GetOption(optionFixedRanges) && !GetOption(optionCombineRanges)) {
        if (fixedValid[1]) {
            m_valueDataRange.Include(m_dFixedValueMax);
            m_valueDataRange.Include(m_dFixedValueMin);
            yFromData = false;
        }
        if (fixedValid[0]) {
            m_indexDataRange.Include(m_dFixedIndexMax);
            m_indexDataRange.Include(m_dFixedIndexMin);
            xFromData = false;
        }
        if (!xFromData && !yFromData)
            return;
    }
    const int type = GetGraphType();
    if ((type == 19 || type == 32) && (m_nIndexCount % 2 != 0) && (m_nGroupCount % 2 != 0))
        RaiseChartError(23);
    if ((type == 20 || type == 33) && m_nIndexCount % 2 != 0)
        RaiseChartError(23);
    if ((type == 21 || type == 34) && m_nGroupCount % 2 != 0)
        RaiseChartError(23);

    ForEachScatterPair([&](const ScatterPair& pair) {
        const BOOL xNull = pair.pX->IsNull();
        const BOOL yNull = pair.pY->IsNull();
        if (xNull != yNull)
            RaiseChartError(7);
        if (xNull)
            return true;
        const double x = pair.pX->GetValue();
        const double y = pair.pY->GetValue();
        if (!std::isfinite(x) || !std::isfinite(y))
            return true;   // a value read from outside that is no number widens nothing
        if (xFromData) {
            // A point outside the fixed range of one axis does not widen the other.
            if (!yFromData && (y < m_valueDataRange.m_dMin || y > m_valueDataRange.m_dMax))
                return true;
            m_indexDataRange.Include(x);
        }
        if (yFromData && (xFromData || (x >= m_indexDataRange.m_dMin && x <= m_indexDataRange.m_dMax)))
            m_valueDataRange.Include(y);
        return true;
    });

    if (!GetOption(optionCombineRanges))
        return;
    const bool fromData[2] = {xFromData, yFromData};
    CScale* ranges[2] = {&m_indexDataRange, &m_valueDataRange};
    const double lows[2] = {m_dFixedIndexMin, m_dFixedValueMin};
    const double highs[2] = {m_dFixedIndexMax, m_dFixedValueMax};
    for (int axis = 0; axis < 2; ++axis) {
        if (!fromData[axis] || !fixedValid[axis])
            continue;
        CScale& range = *ranges[axis];
        if (GetOption(optionFixedRanges)) {
            range.Include(highs[axis]);
            range.Include(lows[axis]);
        } else {
            const double low = std::max(range.m_dMin, lows[axis]);
            const double high = std::min(range.m_dMax, highs[axis]);
            range.Reset();
            range.Include(low);
            range.Include(high);
        }
    }
}

void QVGraphDisplay::DrawScatterGraph()
{
    CScale xRange = m_indexAxisRange;
    CScale yRange = m_valueAxisRange;
    if (xRange.GetRange() <= kEmptyWidth || yRange.GetRange() <= kEmptyWidth || m_nGroupCount <= 0 ||
        m_nIndexCount <= 0 || m_pChart == NULL || m_pDC == NULL) {
        DrawNoGraph();
        return;
    }
    const bool xLog = IsScatterXLog();
    const bool yLog = GetOption(optionLogValues) != 0;
    if (xLog && xRange.m_dMin <= 0)
        xRange.m_dMin = kLogFloor;
    if (yLog && yRange.m_dMin <= 0)
        yRange.m_dMin = kLogFloor;
    if ((xLog && xRange.m_dMax <= xRange.m_dMin) || (yLog && yRange.m_dMax <= yRange.m_dMin)) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    const double xMin = xLog ? std::log10(xRange.m_dMin) : xRange.m_dMin;
    const double yMin = yLog ? std::log10(yRange.m_dMin) : yRange.m_dMin;
    const double fx = (plot.right - plot.left) / (xLog ? std::log10(xRange.m_dMax) - xMin : xRange.m_dMax - xMin);
    const double fy = (plot.bottom - plot.top) / (yLog ? std::log10(yRange.m_dMax) - yMin : yRange.m_dMax - yMin);
    // Coordinates stay inside the 16-bit range the drawing system keeps.
    const int pixels = m_pDC->GetDeviceCaps(LOGPIXELSX);
    const double low = pixels / 2 - 32768;
    const double high = 32767 - pixels / 2;
    const bool breakAtNull = GetOption(optionBreakAtNull) != 0;

    bool newRun = true;
    CPoint previous(0, 0);
    SeriesScope series(*this);
    ForEachScatterPair([&](const ScatterPair& pair) {
        if (pair.bNewSeries) {
            BeginSeries(pair.nSeries);
            newRun = true;
        }
        const BOOL xNull = pair.pX->IsNull();
        const BOOL yNull = pair.pY->IsNull();
        if (xNull && yNull) {
            if (breakAtNull)
                newRun = true;
            return true;
        }
        if (xNull != yNull)
            RaiseChartError(7);
        const double vx = xLog ? pair.pX->GetLogValue() : pair.pX->GetValue();
        const double vy = yLog ? pair.pY->GetLogValue() : pair.pY->GetValue();
        if (std::isnan(vx) || std::isnan(vy))
            return true;
        const double x = std::clamp((vx - xMin) * fx + plot.left + 0.5, low, high);
        const double y = std::clamp(plot.bottom - (vy - yMin) * fy + 0.5, low, high);
        const CPoint point(static_cast<int>(x), static_cast<int>(y));
        m_pChart->AddFeedbackPoint(point.x, point.y, pair.nXGroup, pair.nXIndex);
        QVGraphStyle* pStyle = pair.pX->GetStyle();
        if (newRun)
            DrawLineItem(point.x, point.y, point.x, point.y, pStyle, 0, pair.pX);
        else
            DrawLineItem(previous.x, previous.y, point.x, point.y, pStyle, 1, pair.pX);
        previous = point;
        newRun = false;
        return true;
    });
}

void QVGraphDisplay::DrawScatterScales()
{
    if ((m_indexAxisRange.GetRange() <= kEmptyWidth && m_valueAxisRange.GetRange() <= kEmptyWidth) ||
        GetScaleFlags() == 0)
        return;
    LayoutScatterScales(RUNTIME_CLASS(QVGDecimalScale));
}

void QVGraphDisplay::MakeScatterScales(CRuntimeClass* pPlainFirstScale)
{
    const bool xLog = IsScatterXLog();
    const bool yLog = GetOption(optionLogValues) != 0;
    const int axisStyle = GetAxisStyle();
    // Both axes carry numbers here: an index scale from a classic drawing does not fit either, nor a plain
    // scale of another class than the one asked for.
    auto fits = [](QVGDecimalScale* pScale, bool bLog, bool bDate, CRuntimeClass* pPlain) {
        if (pScale == NULL || pScale->IsKindOf(RUNTIME_CLASS(QVGIndexScale)) || !IsNumberScaleOf(pScale, bLog, bDate))
            return false;
        return bLog || bDate || pScale->GetRuntimeClass() == pPlain;
    };
    const bool xDate = axisStyle == 26;
    if (!fits(GetFirstScale(), xLog, xDate, pPlainFirstScale)) {
        QVGDecimalScale* pFirst = (xLog || xDate) ? NewNumberScale(xLog, xDate)
                                                  : static_cast<QVGDecimalScale*>(pPlainFirstScale->CreateObject());
        SetIndexScale(pFirst);
    }
    if (!fits(GetSecondScale(), yLog, axisStyle == 27, RUNTIME_CLASS(QVGDecimalScale)))
        SetValueScale(NewNumberScale(yLog, axisStyle == 27));
}

void QVGraphDisplay::LayoutScatterScales(CRuntimeClass* pPlainFirstScale)
{
    MakeScatterScales(pPlainFirstScale);
    const bool equalUnits = GetOption(optionEqualUnits) && !IsScatterXLog() && !GetOption(optionLogValues);
    LayoutScales(GetFirstScale(), GetSecondScale(), m_indexAxisRange, m_valueAxisRange, equalUnits);
}

void QVGraphDisplay::DrawScatterPlotArea()
{
    if (m_valueAxisRange.GetRange() > kEmptyWidth && m_indexAxisRange.GetRange() > kEmptyWidth)
        DrawClassicPlotArea();
}
