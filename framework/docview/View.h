// CView: a child window of a frame that shows (part of) a document, on the screen and on paper.
//
// The same OnDraw paints the window, prints each page and draws print preview; OnPrepareDC sets up
// the device context before each of them. A view is made by its frame (CFrameWnd::CreateView) and
// deletes itself when its window goes; the last view of a document closes it.
#pragma once

#include "framework/win/Wnd.h"

class CDC;
class CDocument;
class CPreviewView;
struct CPrintInfo;
struct CPrintPreviewState;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // ---- Drawing and updates ----
    virtual void OnDraw(CDC* pDC) = 0;
    // Before drawing, printing (pInfo set) or previewing. The default decides, while printing,
    // whether the page exists: a job without a known last page prints page 1 only.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Once, after the frame and all its views exist and before the frame shows; calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed (UpdateAllViews); the default repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // ---- Printing ----
    // Asks for the printer (the print dialog, or the application's printer for Print Direct and
    // preview); the default calls DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Fills pInfo's printer device context; FALSE when the user cancelled or there is no printer
    // ("Could not start print job." is shown for the latter).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // One page; the default draws it with OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Print preview has ended: the view shows again.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    // Shows print preview of pPrintView in the frame, with the preview view class given.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

    // The print job: printer, OnBeginPrinting, every page, OnEndPrinting (ID_FILE_PRINT and,
    // without the dialog, ID_FILE_PRINT_DIRECT).
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // Own commands first, then the document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

protected:
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

// The style of views made by frames.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)
