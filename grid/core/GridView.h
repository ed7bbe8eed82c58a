#pragma once
// A view of a document that shows a grid: a framework view and a grid engine in one object, the view
// part first, sharing the grid window's message table. Its document is the grid's document link, so
// that a change made in one view reaches the document's other views as an update hint, and the panes
// of a splitter window follow each other's scroll position. The views of one grid share a grid id.

#include "framework/docview/View.h"
#include "framework/win/FrameworkIds.h"
#include "grid/core/GridCore.h"

class CGXGridView : public CView, public CGXGridCore
{
    DECLARE_DYNCREATE(CGXGridView)

public:
    // The grid id every view starts with.
    static const int defaultGridId = AFX_IDW_PANE_FIRST;

    CGXGridView();
    ~CGXGridView() override;

    // Links the engine to the document, finds its splitter pane and, the first time, initialises it
    // (OnGridInitialize) after setting the scroll-bar modes from the window's styles.
    void OnInitialUpdate() override;
    virtual void OnGridInitialize();
    // A grid hint goes to the engine (OnGridUpdate); any other update repaints the view.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // The grid on paper and in print preview.
    void OnDraw(CDC* pDC) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Both scroll bars.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Where the view lies among the panes of its splitter window (none when its parent is no splitter).
    void UpdatePaneInfo();
    // The splitter may have moved the pane to another row or column.
    BOOL OnGridSize(UINT nType, int cx, int cy) override;

    // The window part, as the grid window has it.
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Draws the window's own sunken frame in the non-client area (also with WS_EX_CLIENTEDGE).
    BOOL m_bDrawFrame = FALSE;

    // The grid windows' shared table (GridWindowMessages.h), before the view's own.
    DECLARE_MESSAGE_MAP()
};
