// Helpers of the renderer tests: a display that records the drawing operations its renderers call (and
// still draws them), charts made from tables of values, and readers of the feedback records.
#pragma once

#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphFeedback.h"

#include "ChartTestSupport.h"

#include <cmath>
#include <string>
#include <vector>

struct RecordedCall
{
    std::string what;           // "line", "marker", "label", "segment", "shape", "fill", "outline", "symbol"
    CPoint from;
    CPoint to;
    int nKind;                  // segment: end kind; shape: shape type; line: line type
    int nSeries;                // the display's current series at the call
    QVGraphData* pItem;
    std::vector<POINT> points;  // fill and outline
};

// Records each operation once, as the renderer called it: operations that the recorded ones call in turn
// (a data segment drawing its line and marker) go to allCalls only.
class CRecordingDisplay : public QVGraphDisplay
{
public:
    std::vector<RecordedCall> calls;
    std::vector<RecordedCall> allCalls;
    int depth = 0;
    bool recording = false;     // only what the renderer draws: not the display's own frame

    void ChooseRenderers() override
    {
        recording = true;
        QVGraphDisplay::ChooseRenderers();
        recording = false;
    }
    void Record(const RecordedCall& call)
    {
        if (!recording)
            return;
        allCalls.push_back(call);
        if (depth == 0)
            calls.push_back(call);
    }
    struct Nested
    {
        explicit Nested(int& d) : depth(d) { ++depth; }
        ~Nested() { --depth; }
        int& depth;
    };

    void DrawNoGraph() override
    {
        Record({"nograph", CPoint(0, 0), CPoint(0, 0), 0, GetCurrentSeries(), nullptr, {}});
        QVGraphDisplay::DrawNoGraph();
    }
    void DrawLine(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nColorCode, int nLineType,
                  QVGraphData* pItem) override
    {
        Record({"line", CPoint(x1, y1), CPoint(x2, y2), nLineType, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawLine(x1, y1, x2, y2, pStyle, nColorCode, nLineType, pItem);
    }
    void DrawMarker(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem) override
    {
        Record({"marker", CPoint(x, y), CPoint(x, y), 0, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawMarker(x, y, pStyle, pItem);
    }
    void DrawSymbol(int x, int y, QVGraphStyle* pStyle, QVGraphData* pItem) override
    {
        Record({"symbol", CPoint(x, y), CPoint(x, y), 0, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawSymbol(x, y, pStyle, pItem);
    }
    void DrawItemLabel(int x, int y, QVGraphData* pItem) override
    {
        Record({"label", CPoint(x, y), CPoint(x, y), 0, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawItemLabel(x, y, pItem);
    }
    void DrawLineItem(int x1, int y1, int x2, int y2, QVGraphStyle* pStyle, int nEndKind, QVGraphData* pItem) override
    {
        Record({"segment", CPoint(x1, y1), CPoint(x2, y2), nEndKind, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawLineItem(x1, y1, x2, y2, pStyle, nEndKind, pItem);
    }
    void DrawShape(int left, int top, int right, int bottom, int nIndex, int nGroup, QVGraphStyle* pStyle,
                   int nShapeType, QVGraphData* pItem) override
    {
        Record({"shape", CPoint(left, top), CPoint(right, bottom), nShapeType, GetCurrentSeries(), pItem, {}});
        Nested nested(depth);
        QVGraphDisplay::DrawShape(left, top, right, bottom, nIndex, nGroup, pStyle, nShapeType, pItem);
    }
    void FillPolygon(const POINT* pPoints, int nCount, QVGraphStyle* pStyle, int nKind) override
    {
        Record({"fill", CPoint(0, 0), CPoint(0, 0), nKind, GetCurrentSeries(), nullptr,
                         std::vector<POINT>(pPoints, pPoints + nCount)});
        Nested nested(depth);
        QVGraphDisplay::FillPolygon(pPoints, nCount, pStyle, nKind);
    }

    std::vector<RecordedCall> Calls(const std::string& what, bool bNestedToo = false) const
    {
        std::vector<RecordedCall> found;
        for (const RecordedCall& call : bNestedToo ? allCalls : calls)
            if (call.what == what)
                found.push_back(call);
        return found;
    }
    // The names of the operations called, in order, blank-separated.
    std::string Sequence() const
    {
        std::string text;
        for (const RecordedCall& call : calls)
            text += (text.empty() ? "" : " ") + call.what;
        return text;
    }
};

// Group g of the table holds the values of row g; NaN leaves an item null.
inline void FillChart(QVGraph& chart, const std::vector<std::vector<double>>& rows)
{
    for (size_t g = 0; g < rows.size(); ++g)
        for (size_t i = 0; i < rows[g].size(); ++i)
        {
            chart.SetValue(int(i), int(g), std::isnan(rows[g][i]) ? 0.0 : rows[g][i]);
            if (std::isnan(rows[g][i]))
                chart.GetItem(int(i), int(g))->SetNull(TRUE);
        }
}

// A display of the graph type and axis style over the whole canvas, added to the chart.
template <class Display = QVGraphDisplay>
Display* AddTypedDisplay(QVGraph& chart, int nGraphType, int nAxisStyle, const CRect& rect)
{
    Display* pDisplay = new Display;
    pDisplay->SetIntRect(rect);
    pDisplay->SetGraphType(nGraphType);
    pDisplay->SetAxisStyle(nAxisStyle);
    pDisplay->GetStyle()->SetFillType(0);
    pDisplay->GetStyle()->SetBorderStyle(0);
    chart.AddComponent(pDisplay);
    return pDisplay;
}

struct FeedbackRecord
{
    int nKind;
    int nIndex;
    int nGroup;
    CPoint point;   // point records
    CRect box;      // region and rectangle records: their bounding box
};

inline std::vector<FeedbackRecord> FeedbackOf(QVGraph& chart)
{
    std::vector<FeedbackRecord> records;
    CObList* pList = chart.GetFeedbackList();
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        QVGraphFeedback* pFeedback = static_cast<QVGraphFeedback*>(pList->GetNext(pos));
        FeedbackRecord record{pFeedback->GetKind(), pFeedback->GetIndex(), pFeedback->GetGroup(),
                              pFeedback->GetPoint(), pFeedback->GetRect()};
        if (pFeedback->GetKind() == QVGraphFeedback::region && pFeedback->m_pRegion != NULL) {
            RECT box;
            ::GetRgnBox(static_cast<HRGN>(pFeedback->m_pRegion->GetSafeHandle()), &box);
            record.box = box;
        }
        records.push_back(record);
    }
    return records;
}

// A style for curves and bars that the tests can find by colour.
inline QVGraphStyle SolidStyle(COLORREF color, int nShape, int nLineType = 2)
{
    QVGraphStyle style;
    style.SetLineType(nLineType);
    style.m_crLineColor = color;
    style.SetShapeType(nShape);
    style.SetMarkerFill(0x20);
    style.m_crFill1 = color;
    return style;
}

// Counts the pixels of a colour in a rectangle of the canvas.
inline int CountPixels(CMemoryCanvas& canvas, const CRect& area, COLORREF color)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += canvas.Pixel(x, y) == color;
    return count;
}
