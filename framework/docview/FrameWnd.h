// CFrameWnd: a window with a caption, a menu and (optionally) bars around one pane, normally a view.
//
// Commands arrive at the frame (menus, accelerators, bars) and go to the active view first, which
// passes them to its document and template; then the frame's own map, then the application. Menu
// items that nobody handles are greyed when their menu opens.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Wnd.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;
struct CPrintPreviewState;

// Frame styles (the low word of a frame's window style).
#define FWS_ADDTOTITLE   0x00008000L   // the caption names the active document
#define FWS_PREFIXTITLE  0x00004000L   // the document comes first: "Doc1 - App"
#define FWS_SNAPTOBARS   0x00002000L

// What a frame needs to make its view: the view's class and the document it shows.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;   // the frame a new window copies (Window New)
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // The system's default position and size.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // ---- Creation ----
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // From the resources of nIDResource: the menu, the accelerators, the icon and the title (the
    // string's first part, else the application's name).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Makes the view of the context's class as a pane with the id nID.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // The client area's content: the context's view by default.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    BOOL IsFrameWnd() const override { return TRUE; }

    // ---- Active view and document ----
    virtual CView* GetActiveView() const { return m_pViewActive; }
    // With bNotify the old and new view are told (OnActivateView).
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this one, or an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The first view pane, the active view, WM_INITIALUPDATE to every view, then shown (bMakeVisible)
    // and titled.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // ---- Title and menu ----
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    // With FWS_ADDTOTITLE: "<title> - <active document>" (FWS_PREFIXTITLE turns it round).
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // The menu to show now: hMenuAlt, or the frame's own.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    int m_nWindow = 0;   // this frame's number among its document's frames (0: the only one)
    BOOL m_bAutoMenuEnable = TRUE;   // grey menu items without a handler

    // ---- Layout and bars ----
    // Places the bars (top and bottom, in creation order) and gives the pane what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks the children with ids nIDFirst..nIDLast for their room (WM_SIZEPARENT), then puts the
    // child nIDLeftOver in what is left. With reposQuery only computes that rectangle into lpRectParam.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    // Bars dock at the top or the bottom only; these keep the calls of programs that ask for more.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    DWORD m_dwDockStyle = 0;

    // ---- Status bar messages ----
    // The status bar (AFX_IDW_STATUS_BAR) that shows prompts; NULL when there is none.
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The prompt of a command: its string's first part (before "\n").
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // ---- Print preview ----
    // Hides the bars and the pane while preview shows in the frame, and brings them back.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreview() const { return m_pPreviewState != nullptr; }

    // ---- Routing and messages ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg void OnBarCheck(UINT nID);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

protected:
    CView* m_pViewActive = nullptr;
    HMENU m_hMenuDefault = nullptr;   // owned; destroyed with the window
    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;           // the command whose prompt the status bar shows
    UINT m_nIDLastMessage = 0;
    CPrintPreviewState* m_pPreviewState = nullptr;

    // The title (the string's first part), the help id and a window class with the icon of
    // nIDResource, for LoadFrame.
    LPCTSTR LoadFrameResources(UINT nIDResource);
    // Runs OnCreateClient and places the bars; -1 when the client could not be made.
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The first view among the panes (a splitter's first pane counts), or NULL.
    CView* FindFirstPaneView() const;

    DECLARE_MESSAGE_MAP()
};

// What a frame keeps of itself while print preview takes its place.
struct CPrintPreviewState
{
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    DWORD dwStates = 0;           // bit n: control bar n was visible
    CWnd* pViewActiveOld = nullptr;
    BOOL (CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;
    HACCEL hAccelTable = nullptr;
};

// The bars' request for room in RepositionBars.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;          // deferred positions; NULL to only compute
    RECT rect;          // the room left; each bar takes its part off
    SIZE sizeTotal;     // the total size of the bars
    BOOL bStretch;      // bars stretch to the frame's width
};
