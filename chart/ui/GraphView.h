// The chart view: shows the chart of its chart document, with a value tip when the pointer rests on a
// data item, a zoom band dragged over a display (undone step by step or all at once), data points dragged
// to new values, a copy to the clipboard, export as a BMP or JPEG file, a 3-3-2 palette on palette
// devices, and the print layout its page setup dialogs choose.
//
// The behaviour lives in QVGraphViewImpl, once for both view bases: QVGraphView is it on a plain view,
// QVGScrollView (ScrollViews.h) on a scrolling one, where the mouse works in chart coordinates (the
// client point plus the scroll position).
#pragma once

#include "chart/ui/GraphTip.h"
#include "chart/ui/ObStack.h"
#include "framework/docview/ScrollView.h"
#include "framework/docview/View.h"
#include "framework/win/Gdi.h"

#include <cstdint>
#include <type_traits>

class BWKPicture;
class CBitmap;
class CGraphDoc;
class QVGDisplayBase;
class QVGraph;
class QVGraphFeedback;
class QVGraphPosition;
class QVGZoom;

// What a dragged value tells the master document (data command 0x100): the item's one-based index and
// group and its new value.
struct QVGDragRecord
{
    std::int32_t nIndex;
    std::int32_t nGroup;
    double dValue;
};

template <class TBase>
class QVGraphViewImpl : public TBase
{
public:
    // The hover tip's timer and how long the pointer must rest.
    enum { hoverTimerId = 3860, hoverDelay = 1500 };
    // The data command a dragged value sends to the master document.
    enum { dragNotification = 0x100 };
    // The view scrolls: mouse points are taken in chart coordinates.
    static constexpr bool kScrolls = std::is_base_of_v<CScrollView, TBase>;

    QVGraphViewImpl();
    ~QVGraphViewImpl() override;

    // ---- Options and services ----
    virtual void SetShowDragTip(BOOL bShow);
    virtual BOOL GetShowDragTip();
    virtual void SetDataDragEnabled(BOOL bEnabled);
    virtual BOOL IsDataDragEnabled();
    virtual void SetZoomEnabled(BOOL bEnabled);
    virtual BOOL IsZoomEnabled();
    // Moves the zoom band's end to the chart point, inverting the old band and the new one.
    virtual void DrawZoomBand(int x, int y);
    // The band of a coordinate mode the view does not know; nothing here.
    virtual void DrawOtherBand(CDC* pDC, const CRect& plot, QVGraphPosition* pPosition);
    // Stores the value under the chart point into the dragged item (and its partners by graph type).
    virtual void DragDataPoint(UINT nFlags, int x, int y);
    virtual void SetNotifyDocument(BOOL bNotify);
    virtual BOOL GetNotifyDocument();
    // Draws the chart into the bitmap (not selected anywhere) as large as the bitmap, without the tip.
    virtual void DrawToBitmap(CDC* pDC, CBitmap* pBitmap);
    // A new hit position of the chart point; the caller deletes it.
    virtual QVGraphPosition* CreatePosition(QVGraph* pChart, int x, int y);
    // The chart of the document; NULL when the document is not a chart document.
    virtual QVGraph* GetGraph();
    // The value tip of the data item of the record, at the last point seen.
    virtual void ShowFeedback(QVGraphFeedback* pFeedback);
    // Saves the client area's picture; a failure has been reported to the user when FALSE comes back.
    virtual BOOL SaveAsDib(LPCTSTR lpszPath);
    virtual BOOL SaveAsJpeg(LPCTSTR lpszPath);
    // Undoes every zoom step (bAll) or the last one.
    virtual void RestoreZoom(BOOL bAll);

    // Has the chart draw itself into the device context for this view.
    void DrawChart(CDC* pDC);

    // ---- CView ----
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    // ---- The print layout (set by the page setup dialogs, not saved with the document) ----
    // The chart rectangle of a page-size code on a printer page (device units), and whether the code
    // has one (0-13).
    BOOL ComputePrintRect(CDC* pPrinterDC, CRect& rect);
    // (horizontal position + 1) x 16 + (vertical position + 1): the chart's placement word.
    int GetPrintPlacement() const { return (m_nHorizontal + 1) * 16 + (m_nVertical + 1); }
    // The chart's rectangle (printer device units) and placement on the pages of the job: the chart
    // carries them only while it draws a page, so a screen drawing in between shows it as it is.
    void SetPageChartRect(const CRect& rect, int nPlacement);
    BOOL HasPageChartRect() const { return m_bPageChartRect; }
    const CRect& GetPageChartRect() const { return m_rectPageChart; }
    int GetPageChartPlacement() const { return m_nPageChartPlacement; }

    int m_bPrintLayout;         // a layout is in force
    int m_nVertical;            // 0 top, 1 centre, 2 bottom, 3 custom margin
    int m_nHorizontal;          // 0 left, 1 middle, 2 right, 3 custom margin
    int m_nPageSize;            // page-size code 0-13
    int m_bInches;              // the user's locale measures in inches
    double m_dHorizontalMargin; // inches
    double m_dVerticalMargin;
    double m_dCustomWidth;      // inches
    double m_dCustomHeight;
    int m_nPrintColumns;
    int m_nPrintRows;

    // ---- State, for the program and its tests ----
    QVGraphTip& GetTip() { return m_tip; }
    CObStack& GetZoomStack() { return m_zoomStack; }
    BOOL IsHoverTimerRunning() const { return m_bHoverTimerRunning; }
    BOOL IsBandActive() const { return m_bBandActive; }
    CPoint GetBandStart() const { return m_ptBandStart; }
    CPoint GetBandEnd() const { return m_ptBandEnd; }
    BOOL IsDraggingData() const { return m_bDraggingData; }
    QVGDisplayBase* GetDragTarget() const { return m_pDragTarget; }
    CPoint GetLastPoint() const { return m_ptLast; }
    CPalette& GetPalette() { return m_palette; }
    // The 3-3-2 palette of 256 entries the view realizes on palette devices.
    static BOOL CreateViewPalette(CPalette& palette);

protected:
    // ---- Message handlers ----
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnZoomReset();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateZoom(CCmdUI* pCmdUI);
    afx_msg void OnPageSetup();
    afx_msg void OnPrintPageSetup();
    afx_msg void OnSaveAsDib();
    afx_msg void OnSaveAsJpeg();
    afx_msg void OnEditCopy();
    // The chart edit dialog on the chart, then the chart refreshed and repainted.
    afx_msg void OnEditGraph();
    // The chart wizard on the chart; after OK the chart takes the wizard's components.
    afx_msg void OnChartWizard();

    // ---- Helpers ----
    // A client point in chart coordinates and back (the same on a view that does not scroll).
    CPoint ToChartPoint(CPoint client);
    CPoint ToClientPoint(CPoint chart);
    // Restarts the hover timer for a new pointer position, hiding the tip.
    void RestartHoverTimer(CPoint point);
    // The region the zoom band covers in the display's plot for the position's coordinate mode; FALSE
    // when the mode has none.
    BOOL MakeBandRegion(CRgn& region, const CRect& plot, QVGraphPosition* pPosition, CPoint start, CPoint end);
    // Applies the band from the band start to the point (button up); FALSE when nothing was zoomed.
    BOOL ApplyZoom(CPoint point);
    // The display's place among the chart's displays (from 0), -1 when it is not one of them.
    int PlaceOfDisplay(QVGraph* pChart, QVGDisplayBase* pDisplay);
    // Stores one dragged value and tells the master document.
    void StoreDraggedValue(QVGraph* pChart, int nIndex, int nGroup, double value);
    // A bitmap of the size with the chart drawn into it; NULL when none could be made.
    CBitmap* MakeChartBitmap(CDC* pDC, CSize size);
    // The client area's size; what the clipboard copy and the image files show.
    CSize GetClientSize();
    // Puts a bitmap of the size with the chart drawn into it on the clipboard.
    void CopyToClipboard(CSize size);
    // A save dialog for the extension and filter; the chosen path, empty when cancelled.
    CString AskSavePath(LPCTSTR lpszDefExt, LPCTSTR lpszFilter);
    // Fills the picture from a bitmap of the size and writes it; a failure is told to the user.
    BOOL SavePicture(BWKPicture& picture, LPCTSTR lpszPath, LPCTSTR lpszFillFailed, CSize size);
    // Realizes the view's palette in a DC of the client area.
    void RealizePalette();
    // Draws a page: the chart with the job's rectangle and placement, its own given back after.
    void DrawChartOnPage(CDC* pDC);

    int m_nHoverTimer;
    QVGraphTip m_tip;
    QVGDisplayBase* m_pWorkingDisplay;
    CPoint m_ptBandStart;
    CPoint m_ptBandEnd;
    int m_bBandActive;
    int m_bDraggingItem;
    int m_nDragIndex;
    int m_nDragGroup;
    int m_bDraggingData;
    CPoint m_ptLast;
    int m_bHoverTimerRunning;
    int m_bZoomEnabled;
    int m_bDataDragEnabled;
    int m_bNotifyDocument;
    QVGDisplayBase* m_pDragTarget;
    int m_bShowDragTip;
    CObStack m_zoomStack;       // of QVGZoom
    CPalette m_palette;
    int m_nSavedPlacement;
    CRect m_rectSavedChart;
    int m_bSavedChartRect;
    int m_bPageChartRect;
    CRect m_rectPageChart;
    int m_nPageChartPlacement;
};

// The message map entries of QVGraphViewImpl, written once for the maps of QVGraphView and
// QVGScrollView (a map belongs to a class, and the template is no class of its own).
#define QVG_GRAPH_VIEW_MESSAGE_ENTRIES()                                \
    ON_WM_ERASEBKGND()                                                  \
    ON_WM_CREATE()                                                      \
    ON_WM_DESTROY()                                                     \
    ON_WM_MOUSEMOVE()                                                   \
    ON_WM_LBUTTONDOWN()                                                 \
    ON_WM_LBUTTONUP()                                                   \
    ON_WM_TIMER()                                                       \
    ON_WM_QUERYNEWPALETTE()                                             \
    ON_WM_PALETTECHANGED()                                              \
    ON_COMMAND(ID_QVG_ZOOM_RESET, OnZoomReset)                          \
    ON_COMMAND(ID_QVG_ZOOM_OUT, OnZoomOut)                              \
    ON_UPDATE_COMMAND_UI(ID_QVG_ZOOM_RESET, OnUpdateZoom)               \
    ON_UPDATE_COMMAND_UI(ID_QVG_ZOOM_OUT, OnUpdateZoom)                 \
    ON_COMMAND(ID_QVG_PAGE_SETUP, OnPageSetup)                          \
    ON_COMMAND(ID_QVG_SAVE_DIB, OnSaveAsDib)                            \
    ON_COMMAND(ID_QVG_SAVE_JPEG, OnSaveAsJpeg)                          \
    ON_COMMAND(ID_QVG_PRINT_PAGE_SETUP, OnPrintPageSetup)               \
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)                                \
    ON_COMMAND(ID_QVG_EDIT_GRAPH, OnEditGraph)                          \
    ON_COMMAND(ID_QVG_CHART_WIZARD, OnChartWizard)                      \
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)                       \
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)                \
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)

// The chart view of a chart document.
class QVGraphView : public QVGraphViewImpl<CView>
{
    DECLARE_DYNCREATE(QVGraphView)
public:
    QVGraphView();
    ~QVGraphView() override;

    DECLARE_MESSAGE_MAP()
};

// Instantiated once, in GraphView.cpp, for both view bases.
extern template class QVGraphViewImpl<CView>;
extern template class QVGraphViewImpl<CScrollView>;
