// Multiple-document frames: the main frame (CMDIFrameWnd) holds the system's MDI client window, and
// each document window is a child frame (CMDIChildWnd) inside it.
//
// While a child is active the main frame shows the child's template menu (else its own); the MDI
// client keeps the list of child windows at the end of the menu's "Window" pop-up. Commands go to
// the active child (its view, document, template, the child frame) before the main frame and the
// application.
#pragma once

#include "framework/docview/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient = nullptr;

    // The MDI client, listing its windows in pWindowMenu.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    virtual BOOL CreateClient(LPCREATESTRUCT lpcs, CMenu* pWindowMenu);
    // The pop-up of a menu bar that holds the Window commands (57648-57651), or NULL.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // ---- The MDI client's operations ----
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Shows a menu bar with its Window pop-up; returns the menu shown before.
    HMENU MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The active child's template menu, else the frame's own.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowNew();
    afx_msg void OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // The template's menu, shown by the main frame while this child is active (not owned).
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelShared = nullptr;

    // A child of pParentWnd (the main window when NULL), made through its MDI client.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The icon and title of nIDResource; the menu and accelerators are the template's.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const;

    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // Through the MDI client, which activates the next child.
    BOOL DestroyWindow() override;
    void ActivateFrame(int nCmdShow = -1) override;
    // The document's title, with ":n" when the document has several windows.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
