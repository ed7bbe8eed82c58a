// The stock and candle renderers: the range of values an item has held as bars or one closed area, and
// the high, low, open and close of four groups as candles.
#include "chart/model/GraphDisplay.h"

#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphException.h"
#include "framework/win/Dc.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Body colours of the shaded candles (0x00BBGGRR): entry k and entry k + 8 belong to series k.
const COLORREF kCandleColors[16] = {0xFF0000, 0x80FF00, 0xC0C0FF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0x8000FF, 0x00FF80,
                                    0x800000, 0x008000, 0x0000FF, 0x008080, 0xFF8000, 0x800080, 0x000080, 0x0080FF};

// The fill kind of a style as component or data style: 1 solid, 2 two colours, ...
int FillKindOf(const QVGraphStyle& style)
{
    return style.IsComponentStyle() ? style.GetFillType() : (style.GetMarkerFill() >> 4) - 1;
}

// The lowest and highest value an item has held, or its value when it keeps none.
void HistoryOf(QVGraphData* pItem, double value, double& low, double& high)
{
    const CScale history = pItem->GetValueRange();
    low = high = value;
    if (!history.IsEmpty() && std::isfinite(history.m_dMin) && std::isfinite(history.m_dMax)) {
        low = std::min(low, history.m_dMin);
        high = std::max(high, history.m_dMax);
    }
}
}  // namespace

void QVGraphDisplay::DrawStockGraph()
{
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), -3.0);
    auto yOf = [&](double value) { return ToDevice(plot.bottom - map.Offset(value) + 0.5); };
    const int first = FirstIndexShown();
    const int indexes = IndexesShown(), groups = GroupsShown();
    SeriesScope series(*this);
    if (GetGraphType() == 24) {
        // The highs left to right and the lows back, one closed area per group, the current values on it.
        const double step = double(plot.Width()) / std::max(m_nIndexCount - 1, 1);
        auto xOf = [&](int i) { return ToDevice(plot.left + int(i * step + 0.5)); };
        std::vector<POINT> highs, lows;
        for (int j = 0; j < groups; ++j) {
            const int group = m_nFirstGroup + j;
            BeginSeries(group);
            highs.clear();
            lows.clear();
            for (int i = 0; i < indexes; ++i) {
                QVGraphData* pItem = m_pChart->FindItem(first + i, group);
                double value = 0, low = 0, high = 0;
                if (!ValueOfItem(pItem, value))
                    continue;
                HistoryOf(pItem, value, low, high);
                highs.push_back(POINT{xOf(i), yOf(high)});
                lows.push_back(POINT{xOf(i), yOf(low)});
            }
            if (highs.empty())
                continue;
            std::vector<POINT> area(highs);
            area.insert(area.end(), lows.rbegin(), lows.rend());
            area.push_back(area.front());
            QVGraphStyle* pStyle = GroupStyleOf(group);
            FillPolygon(area.data(), int(area.size()), pStyle);
            if (pStyle->GetLineType() != 0)
                OutlinePolygon(area.data(), int(area.size()), pStyle);
            bool firstPoint = true;
            CPoint previous(0, 0);
            for (int i = 0; i < indexes; ++i) {
                QVGraphData* pItem = m_pChart->FindItem(first + i, group);
                double value = 0;
                if (!ValueOfItem(pItem, value))
                    continue;
                const CPoint point(xOf(i), yOf(value));
                m_pChart->AddFeedbackPoint(point.x, point.y, group, first + i);
                if (firstPoint)
                    DrawLineItem(point.x, point.y, point.x, point.y, pItem->GetStyle(), 0, pItem);
                else
                    DrawLineItem(previous.x, previous.y, point.x, point.y, pItem->GetStyle(), 1, pItem);
                previous = point;
                firstPoint = false;
            }
        }
        return;
    }
    // High - low - quotes: from the highest value to the current one and from there to the lowest.
    const double slot = double(plot.Width()) / m_nIndexCount;
    const double width = BarWidthFor(double(plot.Width()) / (double(m_nGroupCount) * m_nIndexCount), false);
    const double offset = slot / 2 - m_nGroupCount * width / 2;
    for (int i = 0; i < indexes; ++i) {
        for (int j = 0; j < groups; ++j) {
            const int index = first + i, group = m_nFirstGroup + j;
            QVGraphData* pItem = m_pChart->FindItem(index, group);
            double value = 0, low = 0, high = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            HistoryOf(pItem, value, low, high);
            const double left = j * width + i * slot + plot.left + offset;
            const int x0 = ToDevice(left), x1 = ToDevice(left + width);
            QVGraphStyle* pGroupStyle = GroupStyleOf(group);
            QVGraphStyle upper(*pGroupStyle), lower(*pGroupStyle);
            if (FillKindOf(*pGroupStyle) == 2) {
                // Two colours: the upper bar in the first, the lower one in the second.
                for (QVGraphStyle* pStyle : {&upper, &lower}) {
                    if (pStyle->IsComponentStyle())
                        pStyle->SetFillType(1);
                    else
                        pStyle->SetMarkerFill(0x20);
                }
                lower.m_crFill1 = pGroupStyle->m_crFill2;
            }
            const int shape = BarShapeOf(pGroupStyle, false);
            BeginSeries(2 * group);
            DrawShape(x0, yOf(high), x1, yOf(value), index, group, &upper, shape, pItem);
            BeginSeries(2 * group + 1);
            DrawShape(x0, yOf(value), x1, yOf(low), index, group, &lower, shape, pItem);
            const int centre = (x0 + x1) / 2;
            m_pChart->AddFeedbackPoint(centre, yOf(value), group, index);
            DrawMarker(centre, yOf(value), pItem->GetStyle(), pItem);
        }
    }
}

void QVGraphDisplay::DrawCandleGraph()
{
    if (m_nGroupCount < 4 || m_nGroupCount % 4 != 0)
        RaiseChartError(21);
    if (CannotDrawOverIndexes()) {
        DrawNoGraph();
        return;
    }
    const int type = GetGraphType();
    const CRect plot = m_rectPlot;
    const ValueAxisMap map = MakeValueAxisMap(plot.Height(), -3.0);
    auto yOf = [&](double value) { return ToDevice(plot.bottom - map.Offset(value) + 0.5); };
    const int quadruples = m_nGroupCount / 4;
    const double slot = double(plot.Width()) / m_nIndexCount;
    const double width = BarWidthFor(double(plot.Width()) / (double(quadruples) * m_nIndexCount), false);
    const double offset = slot / 2 - quadruples * width / 2;
    const int first = FirstIndexShown();
    const int indexes = IndexesShown();
    SeriesScope series(*this);
    for (int i = 0; i < indexes; ++i) {
        const int index = first + i;
        for (int q = 0; q < quadruples; ++q) {
            // High and low ends of the line, then the opening and the closing value.
            int groups[4];
            QVGraphData* pItems[4];
            double values[4];
            bool complete = true;
            for (int k = 0; k < 4; ++k) {
                groups[k] = m_nFirstGroup + 4 * q + k;
                pItems[k] = m_pChart->FindItem(index, groups[k]);
                complete = complete && ValueOfItem(pItems[k], values[k]);
            }
            if (!complete)
                continue;
            BeginSeries(m_nFirstGroup / 4 + q);
            const double left = q * width + i * slot + plot.left + offset;
            const int x0 = ToDevice(left), x1 = ToDevice(left + width), centre = (x0 + x1) / 2;
            int ys[4];
            for (int k = 0; k < 4; ++k) {
                ys[k] = yOf(values[k]);
                m_pChart->AddFeedbackPoint(centre, ys[k], groups[k], index);
            }
            QVGraphStyle* pStyle = BarStyleOf(pItems[0], groups[0]);
            DrawLine(centre, ys[0], centre, ys[1], pStyle, -1, -1, pItems[0]);
            if (type == 29) {
                DrawLine(x0, ys[2], centre, ys[2], pStyle, -1, -1, pItems[2]);
                DrawLine(centre, ys[3], x1, ys[3], pStyle, -1, -1, pItems[3]);
                continue;
            }
            QVGraphStyle body(*BarStyleOf(pItems[2], groups[2]));
            if (type == 46 && FillKindOf(body) == 1) {
                // One series keeps its colours at every index: falling and rising candles swap them.
                const int k = ((m_nFirstGroup + q) % 8 + 8) % 8;
                if (values[3] == values[2]) {
                    body.m_crFill1 = kCandleColors[k + 8];
                } else {
                    const bool falling = values[3] < values[2];
                    body.m_crFill1 = kCandleColors[falling ? k : k + 8];
                    body.m_crFill2 = kCandleColors[falling ? k + 8 : k];
                    if (body.IsComponentStyle())
                        body.SetFillType(2);
                    else
                        body.SetMarkerFill(0x30);
                }
            }
            DrawShape(x0, std::min(ys[2], ys[3]), x1, std::max(ys[2], ys[3]), index, groups[2], &body,
                      BarShapeOf(&body, false), pItems[2]);
        }
    }
}
