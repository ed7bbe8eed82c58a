// The chart view's behaviour: construction, the options, drawing and the palette. Included by
// GraphView.cpp, which instantiates it for both view bases.

#include "chart/model/GraphDoc.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/GraphEditDialog.h"
#include "chart/ui/WizSheet.h"
#include "chart/ui/GraphPosition.h"
#include "chart/ui/GraphZoom.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"

namespace {

// The user's locale measures in US units.
BOOL LocaleMeasuresInInches()
{
    char measure[4] = "";
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof measure) > 0 && measure[0] == '1';
}

} // namespace

template <class TBase>
QVGraphViewImpl<TBase>::QVGraphViewImpl()
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
      m_bSavedChartRect(0),
      m_bPageChartRect(0),
      m_rectPageChart(0, 0, 0, 0),
      m_nPageChartPlacement(0)
{
}

// The palette, the zoom records and the tip go with their members.
template <class TBase>
QVGraphViewImpl<TBase>::~QVGraphViewImpl() = default;

// ---- Options ----

template <class TBase>
void QVGraphViewImpl<TBase>::SetShowDragTip(BOOL bShow)
{
    m_bShowDragTip = bShow ? 1 : 0;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::GetShowDragTip()
{
    return m_bShowDragTip;
}

template <class TBase>
void QVGraphViewImpl<TBase>::SetDataDragEnabled(BOOL bEnabled)
{
    m_bDataDragEnabled = bEnabled ? 1 : 0;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::IsDataDragEnabled()
{
    return m_bDataDragEnabled;
}

template <class TBase>
void QVGraphViewImpl<TBase>::SetZoomEnabled(BOOL bEnabled)
{
    m_bZoomEnabled = bEnabled ? 1 : 0;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::IsZoomEnabled()
{
    return m_bZoomEnabled;
}

template <class TBase>
void QVGraphViewImpl<TBase>::SetNotifyDocument(BOOL bNotify)
{
    m_bNotifyDocument = bNotify ? 1 : 0;
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::GetNotifyDocument()
{
    return m_bNotifyDocument;
}

// ---- Chart and drawing ----

template <class TBase>
QVGraph* QVGraphViewImpl<TBase>::GetGraph()
{
    auto* pDoc = dynamic_cast<CGraphDoc*>(this->GetDocument());
    return pDoc != nullptr ? &pDoc->GetChart() : nullptr;
}

template <class TBase>
QVGraphPosition* QVGraphViewImpl<TBase>::CreatePosition(QVGraph* pChart, int x, int y)
{
    return new QVGraphPosition(pChart, x, y, this);
}

template <class TBase>
void QVGraphViewImpl<TBase>::DrawChart(CDC* pDC)
{
    if (QVGraph* pChart = GetGraph())
        pChart->Draw(pDC, this);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnDraw(CDC* pDC)
{
    QVGraph* pChart = GetGraph();
    if (pChart != nullptr && pDC->IsPrinting() && m_bPageChartRect)
        DrawChartOnPage(pDC);
    else
        DrawChart(pDC);
    if (pChart != nullptr)
        pChart->SetImageCached(FALSE);
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::OnEraseBkgnd(CDC*)
{
    // The chart paints the whole client area.
    return TRUE;
}

template <class TBase>
int QVGraphViewImpl<TBase>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (TBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The scrolling view realizes its palette in a DC of the whole window.
    auto palettize = [this](CDC& dc) {
        if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && CreateViewPalette(m_palette)) {
            dc.SelectPalette(&m_palette, TRUE);
            dc.RealizePalette();
        }
    };
    if constexpr (kScrolls) {
        CWindowDC dc(this);
        palettize(dc);
    } else {
        CClientDC dc(this);
        palettize(dc);
    }
    return 0;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnDestroy()
{
    // The tip is a pop-up of its own: it does not go with the view's window by itself.
    if (m_tip.GetSafeHwnd() != nullptr)
        m_tip.DestroyWindow();
    if (m_bHoverTimerRunning) {
        this->KillTimer(m_nHoverTimer);
        m_bHoverTimerRunning = 0;
    }
    TBase::OnDestroy();
}

template <class TBase>
CPoint QVGraphViewImpl<TBase>::ToChartPoint(CPoint client)
{
    if constexpr (kScrolls)
        return client + this->GetDeviceScrollPosition();
    else
        return client;
}

template <class TBase>
CPoint QVGraphViewImpl<TBase>::ToClientPoint(CPoint chart)
{
    if constexpr (kScrolls)
        return chart - this->GetDeviceScrollPosition();
    else
        return chart;
}

// ---- Palette ----

template <class TBase>
BOOL QVGraphViewImpl<TBase>::CreateViewPalette(CPalette& palette)
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

template <class TBase>
void QVGraphViewImpl<TBase>::RealizePalette()
{
    CClientDC dc(this);
    CPalette* pOld = dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
    dc.SelectPalette(pOld, FALSE);
    // The scrolling view repaints with the colours it has now.
    if constexpr (kScrolls)
        this->Invalidate(FALSE);
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::OnQueryNewPalette()
{
    if (m_palette.GetSafeHandle() == nullptr)
        return TBase::OnQueryNewPalette();
    RealizePalette();
    return TRUE;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (m_palette.GetSafeHandle() == nullptr || pFocusWnd == this)
        return;
    RealizePalette();
}

// ---- Zoom commands ----

template <class TBase>
void QVGraphViewImpl<TBase>::OnZoomReset()
{
    RestoreZoom(TRUE);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnZoomOut()
{
    RestoreZoom(FALSE);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnUpdateZoom(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_zoomStack.IsEmpty());
}

// ---- Editing ----

template <class TBase>
void QVGraphViewImpl<TBase>::OnEditGraph()
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return;
    QVGraphEditDialog dialog(this);
    dialog.m_pGraph = pChart;
    dialog.DoModal();
    pChart->Refresh();
    this->Invalidate(FALSE);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnChartWizard()
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return;
    CString caption;
    caption.LoadString(IDS_QVG_WIZARD_CAPTION);
    QVGWizSheet sheet(pChart, caption, nullptr, 0, 0, 0, TRUE);
    if (sheet.DoModal() != IDOK)
        return;
    sheet.CopyBack(FALSE);
    pChart->Refresh();
    this->Invalidate(FALSE);
}
