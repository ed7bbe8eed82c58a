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
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_COMMAND(ID_QVG_ZOOM_RESET, OnZoomReset)
    ON_COMMAND(ID_QVG_ZOOM_OUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(ID_QVG_ZOOM_RESET, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_QVG_ZOOM_OUT, OnUpdateZoom)
    ON_COMMAND(ID_QVG_PAGE_SETUP, OnPageSetup)
    ON_COMMAND(ID_QVG_SAVE_DIB, OnSaveAsDib)
    ON_COMMAND(ID_QVG_SAVE_JPEG, OnSaveAsJpeg)
    ON_COMMAND(ID_QVG_PRINT_PAGE_SETUP, OnPrintPageSetup)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_QVG_EDIT_GRAPH, OnEditGraph)
    ON_COMMAND(ID_QVG_CHART_WIZARD, OnChartWizard)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

QVGraphView::QVGraphView() = default;

QVGraphView::~QVGraphView() = default;
