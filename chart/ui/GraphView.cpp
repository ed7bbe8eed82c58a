// The chart view: construction, its message map, the options, drawing and the palette.
#include "chart/ui/GraphView.h"

#include "chart/model/GraphDoc.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/GraphPosition.h"
#include "chart/ui/GraphZoom.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"

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
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    // ID_QVG_EDIT_GRAPH (53505) and ID_QVG_CHART_WIZARD (53508) belong here, with their dialogs.
END_MESSAGE_MAP()

namespace {

// The user's locale measures in US units.
BOOL LocaleMeasuresInInches()
{
    char measure[4] = "";
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof measure) > 0 && measure[0] == '1';
}

} // namespace

QVGraphView::QVGraphView()
    : m_bPrintLayout(0),
      m_nVertical(1),
      m_nHorizontal(1),
      m_nPageSize(0),
      m_bInches(LocaleMeasuresInInches()),
      m_dHorizontalMargin(1.0),
      m_dVerticalMargin(1.0),
      m_dCustomWidth(6.0),
      m_dCustomHeight(9.0),
      m_nPrintColumns(1),
      m_nPrintRows(1),
      m_nHoverTimer(0),
      m_pWorkingDisplay(nullptr),
      m_ptBandStart(0, 0),
      m_ptBandEnd(0, 0),
      m_bBandActive(0),
      m_bDraggingItem(0),
      m_nDragIndex(0),
      m_nDragGroup(0),
      m_bDraggingData(0),
      m_ptLast(0, 0),
      m_bHoverTimerRunning(0),
      m_bZoomEnabled(1),
      m_bDataDragEnabled(1),
      m_bNotifyDocument(1),
      m_pDragTarget(nullptr),
      m_bShowDragTip(0),
      m_nSavedPlacement(0),
      m_rectSavedChart(0, 0, 0, 0),
      m_bSavedChartRect(0)
{
}

// The palette, the zoom records and the tip go with their members.
QVGraphView::~QVGraphView() = default;

// ---- Options ----

void QVGraphView::SetShowDragTip(BOOL bShow)
{
    m_bShowDragTip = bShow ? 1 : 0;
}

BOOL QVGraphView::GetShowDragTip()
{
    return m_bShowDragTip;
}

void QVGraphView::SetDataDragEnabled(BOOL bEnabled)
{
    m_bDataDragEnabled = bEnabled ? 1 : 0;
}

BOOL QVGraphView::IsDataDragEnabled()
{
    return m_bDataDragEnabled;
}

void QVGraphView::SetZoomEnabled(BOOL bEnabled)
{
    m_bZoomEnabled = bEnabled ? 1 : 0;
}

BOOL QVGraphView::IsZoomEnabled()
{
    return m_bZoomEnabled;
}

void QVGraphView::SetNotifyDocument(BOOL bNotify)
{
    m_bNotifyDocument = bNotify ? 1 : 0;
}

BOOL QVGraphView::GetNotifyDocument()
{
    return m_bNotifyDocument;
}

// ---- Chart and drawing ----

QVGraph* QVGraphView::GetGraph()
{
    auto* pDoc = dynamic_cast<CGraphDoc*>(GetDocument());
    return pDoc != nullptr ? &pDoc->GetChart() : nullptr;
}

QVGraphPosition* QVGraphView::CreatePosition(QVGraph* pChart, int x, int y)
{
    return new QVGraphPosition(pChart, x, y, this);
}

void QVGraphView::DrawChart(CDC* pDC)
{
    if (QVGraph* pChart = GetGraph())
        pChart->Draw(pDC, this);
}

void QVGraphView::OnDraw(CDC* pDC)
{
    DrawChart(pDC);
    if (QVGraph* pChart = GetGraph())
        pChart->SetImageCached(FALSE);
}

BOOL QVGraphView::OnEraseBkgnd(CDC*)
{
    // The chart paints the whole client area.
    return TRUE;
}

int QVGraphView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CClientDC dc(this);
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && CreateViewPalette(m_palette)) {
        dc.SelectPalette(&m_palette, TRUE);
        dc.RealizePalette();
    }
    return 0;
}

void QVGraphView::OnDestroy()
{
    // The tip is a pop-up of its own: it does not go with the view's window by itself.
    if (m_tip.GetSafeHwnd() != nullptr)
        m_tip.DestroyWindow();
    if (m_bHoverTimerRunning) {
        KillTimer(m_nHoverTimer);
        m_bHoverTimerRunning = 0;
    }
    CView::OnDestroy();
}

// ---- Palette ----

BOOL QVGraphView::CreateViewPalette(CPalette& palette)
{
    struct
    {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY entries[256];
    } logical = {};
    logical.palVersion = 0x300;
    logical.palNumEntries = 256;
    for (int n = 0; n < 256; ++n) {
        logical.entries[n].peRed = BYTE((n & 7) * 255 / 7);
        logical.entries[n].peGreen = BYTE(((n >> 3) & 7) * 255 / 7);
        logical.entries[n].peBlue = BYTE(((n >> 6) & 3) * 255 / 3);
        logical.entries[n].peFlags = 0;
    }
    palette.DeleteObject();
    return palette.CreatePalette(reinterpret_cast<LPLOGPALETTE>(&logical));
}

BOOL QVGraphView::OnQueryNewPalette()
{
    if (m_palette.GetSafeHandle() == nullptr)
        return CView::OnQueryNewPalette();
    CClientDC dc(this);
    CPalette* pOld = dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
    dc.SelectPalette(pOld, FALSE);
    return TRUE;
}

void QVGraphView::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (m_palette.GetSafeHandle() == nullptr || pFocusWnd == this)
        return;
    CClientDC dc(this);
    CPalette* pOld = dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
    dc.SelectPalette(pOld, FALSE);
}

// ---- Zoom commands ----

void QVGraphView::OnZoomReset()
{
    RestoreZoom(TRUE);
}

void QVGraphView::OnZoomOut()
{
    RestoreZoom(FALSE);
}

void QVGraphView::OnUpdateZoom(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_zoomStack.IsEmpty());
}
