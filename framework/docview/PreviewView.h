// Print preview: the view's pages drawn on the screen inside its frame, through the same OnPrepareDC
// and OnPrint as on paper.
//
// CPreviewDC answers every question with the printer (its attribute handle) and draws on the screen
// (its output handle), scaled: whatever mapping the view sets on the printer is set on the screen
// with extents multiplied by the preview's ratio of screen pixels to printer dots, and its origin
// moved to the page's place in the preview window.
#pragma once

#include "framework/docview/ControlBars.h"
#include "framework/docview/ScrollView.h"
#include "framework/win/Controls.h"
#include "framework/win/Dc.h"

struct CPrintInfo;
struct CPrintPreviewState;

class CPreviewDC : public CDC
{
    DECLARE_DYNAMIC(CPreviewDC)
public:
    CPreviewDC();

    // Screen pixels per printer dot as nNum / nDen, and where the printer's device origin lies on
    // the screen (output device units).
    void SetScaleRatio(int nNum, int nDen);
    void SetTopLeftOffset(CPoint ptOffset);
    // Puts the output's mapping in step with the printer's.
    void MirrorMappingMode();

    void SetOutputDC(HDC hDC) override;
    void ReleaseOutputDC() override;
    BOOL RestoreDC(int nSavedDC) override;
    int SetMapMode(int nMapMode) override;
    CPoint SetViewportOrg(int x, int y) override;
    CPoint OffsetViewportOrg(int nWidth, int nHeight) override;
    CSize SetViewportExt(int cx, int cy) override;
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override;
    CSize SetWindowExt(int cx, int cy) override;
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) override;

protected:
    int m_nScaleNum = 1;
    int m_nScaleDen = 1;
    CPoint m_ptTopLeft;
};

// The bar of preview buttons: Print, Next Page, Prev Page, One/Two Page, Zoom In, Zoom Out, Close.
class CPreviewBar : public CControlBar
{
    DECLARE_DYNAMIC(CPreviewBar)
public:
    BOOL Create(CFrameWnd* pParentFrame);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // A button pressed is a command to the frame.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

protected:
    CButton m_buttons[7];
};

class CPreviewView : public CScrollView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    enum ZoomState
    {
        ZOOM_OUT,      // the pages fit in the window
        ZOOM_MIDDLE,
        ZOOM_IN,       // the page at its true size
    };

    CPreviewView();
    ~CPreviewView() override;

    // The view to preview: asks it for the printer (OnPreparePrinting) and starts the job
    // (OnBeginPrinting) on the preview DC. FALSE when the view refused or there is no printer.
    virtual BOOL SetPrintView(CView* pPrintView);
    // The first page shown; clamped to the pages that exist.
    void SetCurrentPage(UINT nPage, BOOL bClearRatios = TRUE);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // Pages shown side by side (1 or 2).
    UINT GetPageCount() const { return m_nPages; }
    int GetZoomState() const { return m_nZoomState; }
    void SetZoomState(int nNewState);
    // Where page nIndex (0 or 1 of those shown) lies in the window's client area; empty when not shown.
    CRect GetPageRect(int nIndex) const;
    // Writes "Page n" (or "Pages n-m") to the frame's status bar.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    CView* GetPrintView() const { return m_pPrintView; }

    void OnDraw(CDC* pDC) override;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
    CView* m_pPrintView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CPreviewDC* m_pPreviewDC = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;   // owned once preview runs
    HWND m_hWndToolBar = nullptr;   // the preview bar (it deletes itself with its window)
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;
    int m_nZoomState = ZOOM_OUT;
    int m_nScaleNum = 1;    // screen pixels per printer dot
    int m_nScaleDen = 1;
    CRect m_rectPages[2];   // in the scrolled area

    // The printer's page (physical size and the printable part's offset) in dots.
    CSize PaperSize() const;
    CPoint PrintableOffset() const;
    // The scale and the places of the pages for the window's size and the zoom.
    void PositionPages();
    // The pages side by side now: m_nPages when zoomed out, else the one page.
    UINT PagesShown() const { return m_nZoomState == ZOOM_OUT ? m_nPages : 1; }
    // Whether page nPage exists: in the range, and (while the last page is unknown) wanted by the view.
    BOOL PageExists(UINT nPage);

    friend class CView;

    DECLARE_MESSAGE_MAP()
};
