// The chart view: its runtime class and message map. The behaviour it shares with the scrolling chart
// views is defined in the .inl files included here and instantiated for both view bases.
#include "chart/ui/GraphView.h"

#include "chart/ui/ChartViewIds.h"
#include "framework/win/FrameworkIds.h"

#include "chart/ui/GraphViewCore.inl"
#include "chart/ui/GraphViewImage.inl"
#include "chart/ui/GraphViewMouse.inl"
#include "chart/ui/GraphViewPrint.inl"

template class QVGraphViewImpl<CView>;
template class QVGraphViewImpl<CScrollView>;

IMPLEMENT_DYNCREATE(QVGraphView, CView)

BEGIN_MESSAGE_MAP(QVGraphView, CView)
    QVG_GRAPH_VIEW_MESSAGE_ENTRIES()
END_MESSAGE_MAP()

QVGraphView::QVGraphView() = default;

QVGraphView::~QVGraphView() = default;
