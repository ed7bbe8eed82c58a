#include "framework/docview/MDIFrameWnd.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/View.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

namespace {

bool MenuHoldsWindowCommands(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
            return true;
    }
    return false;
}

// The MDI children of a client, without the one being destroyed.
bool HasOtherChild(HWND hWndClient, HWND hWndExcept)
{
    for (HWND hWnd = ::GetTopWindow(hWndClient); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (hWnd != hWndExcept && ::GetWindow(hWnd, GW_OWNER) == nullptr)
            return true;
    return false;
}

} // namespace

// ---- CMDIFrameWnd ----

CMDIFrameWnd::CMDIFrameWnd() = default;

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    // The last pop-up that offers the Window commands.
    for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup != nullptr && MenuHoldsWindowCommands(hPopup))
            return hPopup;
    }
    return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, CMenu::FromHandle(GetWindowMenuPopup(m_hMenuDefault)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpcs, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // The children keep the styles their frames ask for (FWS_ADDTOTITLE among them).
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    dwStyle |= lpcs->style & (WS_HSCROLL | WS_VSCROLL);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

void CMDIFrameWnd::OnDestroy()
{
    // The MDI client frees its data at its own WM_DESTROY, which comes after this one and before
    // the children go. A title set on the frame meanwhile (a document retitles its frames as its
    // views close) would reach that freed data through DefFrameProc: the frame lets go of the
    // client now.
    m_hWndMDIClient = nullptr;
    CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != nullptr
                    ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                            reinterpret_cast<LPARAM>(&bMaximized)))
                    : nullptr;
    auto* pChild = dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(hWnd));
    if (pbMaximized != nullptr)
        *pbMaximized = pChild != nullptr && bMaximized;
    return pChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow)
{
    HMENU hPrevious = ::GetMenu(m_hWnd);
    if (m_hWndMDIClient == nullptr || hMenuFrame == nullptr)
        return hPrevious;
    if (hPrevious != hMenuFrame)
    {
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuFrame),
                       reinterpret_cast<LPARAM>(hMenuWindow));
        ::DrawMenuBar(m_hWnd);
    }
    return hPrevious;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != nullptr ? static_cast<CFrameWnd*>(pActiveChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    // The frame's own view (print preview) first, then the active child's.
    if (CDocument* pDoc = CFrameWnd::GetActiveDocument())
        return pDoc;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // A maximized child's title is added by the system itself.
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    CDocument* pDoc = nullptr;
    if (bAddToTitle && pActiveChild != nullptr && !bMaximized && (pActiveChild->GetStyle() & FWS_ADDTOTITLE))
        pDoc = pActiveChild->GetActiveDocument();
    UpdateFrameTitleForDocument(pDoc != nullptr ? (LPCTSTR)pDoc->GetTitle() : nullptr);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr)
    {
        CMDIChildWnd* pActiveChild = MDIGetActive();
        if (pActiveChild != nullptr && pActiveChild->m_hMenuShared != nullptr)
            hMenuAlt = pActiveChild->m_hMenuShared;
        else
            hMenuAlt = m_hMenuDefault;
    }
    MDISetMenu(hMenuAlt, GetWindowMenuPopup(hMenuAlt));
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // Not the system's frame procedure: it would stretch the MDI client over the bars.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (!IsInPreview())
        OnUpdateFrameMenu(nullptr);
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active document window first (its view, document and template, then the child frame).
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && !IsInPreview() && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    // The active document's accelerators, the frame's, then the MDI keys (Ctrl+F4, Ctrl+F6).
    if (pActiveChild != nullptr && pActiveChild->m_hAccelShared != nullptr &&
        ::TranslateAcceleratorA(m_hWnd, pActiveChild->m_hAccelShared, pMsg))
        return TRUE;
    if (m_hAccelTable != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    if (pActiveChild != nullptr && !IsInPreview() && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return FALSE;
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDoc = pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc != nullptr ? pDoc->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActiveChild);
    if (pFrame == nullptr)
        return;
    pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

void CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        break;
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        break;
    default:
        break;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

// ---- CMDIChildWnd ----

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | WS_CLIPSIBLINGS;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr)
    {
        PostNcDestroy();
        return FALSE;
    }
    if (m_strTitle.IsEmpty() && lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;

    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    const bool bDefault = rect.left == CW_USEDEFAULT;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    // Shown by ActivateFrame once its views are ready.
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // no window was made for this object
    if (hWnd == nullptr)
        return FALSE;
    if (cs.style & WS_VISIBLE)
    {
        ::ShowWindow(hWnd, (cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadFrameResources(nIDResource);
    // The menu and the accelerators are the template's, shown by the main frame.
    if (pContext != nullptr)
    {
        if (auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate))
        {
            m_hMenuShared = pTemplate->m_hMenuShared;
            m_hAccelShared = pTemplate->m_hAccelTable;
        }
    }
    return Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd),
                  pContext);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(::GetParent(hWndClient)));
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // While the main frame goes, the MDI client's data is gone: plain default handling then.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->m_hWndMDIClient == nullptr)
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* pMcs = static_cast<MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    return OnCreateHelper(lpcs, pMcs != nullptr ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : nullptr);
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndFrame = pFrame->GetSafeHwnd();
    // The object is gone after this: only locals from here.
    MDIDestroy();
    if (hWndFrame != nullptr && ::IsWindow(hWndFrame))
    {
        if (auto* pMainFrame = dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(hWndFrame)))
            pMainFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    // A new window opens maximized when the active one is.
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = pFrame != nullptr ? pFrame->MDIGetActive(&bMaximized) : nullptr;
    if (nCmdShow == -1 || nCmdShow == SW_SHOW || nCmdShow == SW_SHOWNORMAL)
    {
        if (!IsWindowVisible())
            nCmdShow = bMaximized && pActiveChild != this ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
        else
            nCmdShow = -1;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (pFrame != nullptr && pActiveChild != this)
        pFrame->MDIActivate(this);
    else
        OnUpdateFrameMenu(TRUE, this, nullptr);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || pDoc == nullptr)
        return;
    CString text = pDoc->GetTitle();
    if (m_nWindow > 0)
        text.AppendFormat(":%d", m_nWindow);
    if (AfxGetWindowText(m_hWnd) != text)
    {
        SetWindowText(text);
        // The Window menu's list shows the new caption too.
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
    }
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr || pFrame->IsInPreview())
        return;
    if (bActivate)
    {
        HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuShared;
        if (hMenu == nullptr)
            hMenu = pFrame->GetDefaultMenu();
        pFrame->MDISetMenu(hMenu, pFrame->GetWindowMenuPopup(hMenu));
    }
    else if (pActivateWnd == nullptr)
    {
        // No document window is left active: the frame's own menu comes back.
        HMENU hMenu = pFrame->GetDefaultMenu();
        pFrame->MDISetMenu(hMenu, pFrame->GetWindowMenuPopup(hMenu));
    }
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam)
{
    Default();
    const BOOL bActivate = reinterpret_cast<HWND>(lParam) == m_hWnd;
    CWnd* pActivateWnd = FromHandle(reinterpret_cast<HWND>(lParam));
    (void)wParam;
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (bActivate)
    {
        if (CView* pView = GetActiveView())
            pView->OnActivateView(TRUE, pView, pView);
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
    return 0;
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->m_hWndMDIClient != nullptr && !HasOtherChild(pFrame->m_hWndMDIClient, m_hWnd))
        OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    CFrameWnd::OnDestroy();
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    // The system's child procedure keeps the maximized state; then the bars and the view.
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult != MA_NOACTIVATE && nResult != MA_NOACTIVATEANDEAT)
        MDIActivate();
    return nResult;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // A child's accelerators are translated by its main frame, which owns the menu.
    return CWnd::PreTranslateMessage(pMsg);
}
