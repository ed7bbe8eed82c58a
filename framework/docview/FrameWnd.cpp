#include "framework/docview/FrameWnd.h"

#include <commctrl.h>

#include "framework/docview/ControlBars.h"
#include "framework/docview/Document.h"
#include "framework/docview/View.h"
#include "framework/ole/OleAppLock.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

// ---- CWnd's frame look-ups ----

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame != nullptr)
    {
        CFrameWnd* pAbove = pFrame->GetParentFrame();
        if (pAbove == nullptr)
            break;
        pFrame = pAbove;
    }
    return pFrame;
}

// ---- Creation ----

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // A frame whose window never existed still owns the menu it loaded.
    if (m_hWnd == nullptr && m_hMenuDefault != nullptr && ::IsMenu(m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    // The window destroyed its menu with it.
    m_hMenuDefault = nullptr;
    delete this;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, MAKEINTRESOURCEA(4) /* RT_MENU */), lpszMenuName);
        if (hMenu == nullptr)
        {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_hMenuDefault = hMenu;
    if (m_strTitle.IsEmpty() && lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;

    // CW_USEDEFAULT in the left edge asks the system for position and size.
    const bool bDefault = rect.left == CW_USEDEFAULT;
    const int x = rect.left;
    const int y = rect.top;
    const int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    // On failure the object is gone (PostNcDestroy): only locals from here.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu,
                  pContext))
    {
        if (hMenu != nullptr && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

LPCTSTR CFrameWnd::LoadFrameResources(UINT nIDResource)
{
    m_nIDHelp = nIDResource;
    CString strings;
    if (AfxLoadString(nIDResource, strings))
    {
        int nEnd = strings.Find('\n');
        m_strTitle = nEnd >= 0 ? strings.Left(nEnd) : strings;
    }
    LPCTSTR lpszResource = MAKEINTRESOURCEA(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszResource, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */),
                              lpszResource);
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadFrameResources(nIDResource);
    if (m_strTitle.IsEmpty())
        m_strTitle = AfxGetAppName();
    LPCTSTR lpszResource = MAKEINTRESOURCEA(nIDResource);
    HINSTANCE hMenuModule = AfxFindResourceHandle(lpszResource, MAKEINTRESOURCEA(4) /* RT_MENU */);
    const bool bHasMenu = ::FindResourceA(hMenuModule, lpszResource, MAKEINTRESOURCEA(4)) != nullptr;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResource, MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */),
                                        lpszResource);
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, bHasMenu ? lpszResource : nullptr, 0,
                pContext))
        return FALSE;
    // A frame made without a template still tells its views that they are complete.
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // The status bar is made after this (by the derived frame): "Ready" once the queue gets there.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    auto* pView = pContext != nullptr ? AfxCreateObjectAs<CWnd>(pContext->m_pNewViewClass) : nullptr;
    if (pView == nullptr)
        return nullptr;
    // On failure the view has deleted itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

// ---- Active view and document ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // Neither view is the active one while they are told.
    m_pViewActive = nullptr;
    if (pViewOld != nullptr && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

CView* CFrameWnd::FindFirstPaneView() const
{
    // The pane itself, or the first pane of a window (a splitter) standing in the pane's place.
    HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    for (int depth = 0; hWndPane != nullptr && depth < 4; ++depth)
    {
        if (auto* pView = dynamic_cast<CView*>(FromHandlePermanent(hWndPane)))
            return pView;
        hWndPane = ::GetDlgItem(hWndPane, AFX_IDW_PANE_FIRST);
    }
    return nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
    {
        pView = FindFirstPaneView();
        if (pView != nullptr)
            SetActiveView(pView, FALSE);
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
        if (pView != nullptr)
            pView->OnActivateFrame(WA_INACTIVE, this);
        // The program's first window shows as the program was asked to show.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == nullptr)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    BringWindowToTop();
}

// ---- Title and menu ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc != nullptr ? (LPCTSTR)pDoc->GetTitle() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text = m_strTitle;
    if (lpszDocName != nullptr && *lpszDocName != '\0')
    {
        CString docName = lpszDocName;
        if (m_nWindow > 0)
            docName.AppendFormat(":%d", m_nWindow);
        if (m_strTitle.IsEmpty())
            text = docName;
        else if (GetStyle() & FWS_PREFIXTITLE)
            text = docName + " - " + m_strTitle;
        else
            text = m_strTitle + " - " + docName;
    }
    if (AfxGetWindowText(m_hWnd) != text)
        SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (GetStyle() & WS_CHILD)
        return;
    HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (hMenu != nullptr && ::GetMenu(m_hWnd) != hMenu)
        ::SetMenu(m_hWnd, hMenu);
}

// ---- Layout ----

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposExtra, nullptr);
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = nFlag == reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlag == reposQuery)
    {
        if (lpRectParam != nullptr)
            *lpRectParam = layout.rect;
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != nullptr)
    {
        CRect rect = layout.rect;
        if (nFlag == reposExtra && lpRectParam != nullptr)
        {
            rect.left += lpRectParam->left;
            rect.top += lpRectParam->top;
            rect.right -= lpRectParam->right;
            rect.bottom -= lpRectParam->bottom;
        }
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, rect.left, rect.top, rect.Width(),
                                       rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

// ---- Status bar messages ----

CWnd* CFrameWnd::GetMessageBar()
{
    if (CWnd* pBar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE))
        return pBar;
    // A child frame's prompts go to its main frame's status bar.
    CFrameWnd* pParentFrame = GetParentFrame();
    return pParentFrame != nullptr ? pParentFrame->GetMessageBar() : nullptr;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    AfxLoadString(nID, full);
    const int nEnd = full.Find('\n');
    rMessage = nEnd >= 0 ? full.Left(nEnd) : full;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar == nullptr)
        return nIDLast;
    CString text;
    if (lParam != 0)
        text = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam != 0)
        GetMessageString((UINT)wParam, text);
    pMessageBar->SetWindowText(text);
    return nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CWnd::OnMenuSelect(nItemID, nFlags, hSysMenu);
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;   // the menu closed
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK)) ||
             nItemID >= 0xF000)
        m_nIDTracking = 0;                     // no command: no prompt
    else
        m_nIDTracking = nItemID;
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

// ---- Messages ----

void CFrameWnd::OnDestroy()
{
    // The window destroys the menu it shows: that must be the frame's own, never a template's.
    if (m_hMenuDefault != nullptr && !(GetStyle() & WS_CHILD) && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    if (m_pPreviewState != nullptr && m_pPreviewState->lpfnCloseProc != nullptr)
    {
        // Closing the frame ends print preview first.
        m_pPreviewState->lpfnCloseProc(this);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        if (!pApp->SaveAllModified())
            return;
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        // Objects that automation clients still hold keep the program running, hidden, until
        // they are released.
        if (AfxOleHideMainWindowOnClose(this))
            return;
    }
    else
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != nullptr && !pDoc->CanCloseFrame(this))
            return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->GetSafeHwnd() != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The active view paints all of the client area it covers.
    if (m_pViewActive != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

BOOL CFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The wait cursor stays over the whole frame while it is on.
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_nWaitCursorCount > 0)
    {
        pApp->DoWaitCursor(0);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu)
        UpdateMenuCommandUI(pPopupMenu, m_bAutoMenuEnable);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnUpdateFrameTitle(TRUE);
    return 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // The application comes last, asked by the outermost frame only.
    if (GetParentFrame() == nullptr)
    {
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return FALSE;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR != nullptr && pNMHDR->code == TTN_GETDISPINFOA)
    {
        // A bar's tool tip: the tip part of the command's string ("prompt\ntip").
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        UINT nID = (UINT)pNMHDR->idFrom;
        if (pInfo->uFlags & TTF_IDISHWND)
            nID = (UINT)::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom));
        if (nID != 0)
        {
            CString full;
            AfxLoadString(nID, full);
            const int nTip = full.Find('\n');
            CString tip = nTip >= 0 ? full.Mid(nTip + 1) : CString();
            lstrcpynA(pInfo->szText, tip, sizeof pInfo->szText);
            pInfo->lpszText = pInfo->szText;
            pInfo->hinst = nullptr;
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        !(GetStyle() & WS_CHILD))
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

// ---- Bars ----

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CWnd* pBar = GetDescendantWindow((int)pCmdUI->m_nID, TRUE);
    if (pBar == nullptr)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar != nullptr)
        ShowControlBar(pBar, !(pBar->GetStyle() & WS_VISIBLE), FALSE);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = 0;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS:
        nVirtKey = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVirtKey = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVirtKey = VK_SCROLL;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable(::GetKeyState(nVirtKey) & 1);
}

// ---- Print preview ----

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview)
    {
        // The bars and the pane step aside; their visibility is kept to bring them back.
        pState->dwStates = 0;
        for (UINT nID = AFX_IDW_CONTROLBAR_FIRST; nID < AFX_IDW_CONTROLBAR_FIRST + 32; ++nID)
        {
            HWND hWndBar = ::GetDlgItem(m_hWnd, (int)nID);
            // The status bar stays: preview shows the page numbers in it.
            if (nID == AFX_IDW_PREVIEW_BAR || nID == AFX_IDW_STATUS_BAR || hWndBar == nullptr ||
                !(::GetWindowLongPtrA(hWndBar, GWL_STYLE) & WS_VISIBLE))
                continue;
            pState->dwStates |= 1u << (nID - AFX_IDW_CONTROLBAR_FIRST);
            ::ShowWindow(hWndBar, SW_HIDE);
        }
        HWND hWndPane = ::GetDlgItem(m_hWnd, (int)pState->nIDMainPane);
        if (hWndPane != nullptr)
        {
            ::SetWindowLongPtrA(hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
            ::ShowWindow(hWndPane, SW_HIDE);
        }
        m_pPreviewState = pState;
    }
    else
    {
        HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE);
        if (hWndPane != nullptr)
        {
            ::SetWindowLongPtrA(hWndPane, GWLP_ID, (LONG_PTR)pState->nIDMainPane);
            ::ShowWindow(hWndPane, SW_SHOW);
        }
        for (UINT nID = AFX_IDW_CONTROLBAR_FIRST; nID < AFX_IDW_CONTROLBAR_FIRST + 32; ++nID)
        {
            if (!(pState->dwStates & (1u << (nID - AFX_IDW_CONTROLBAR_FIRST))))
                continue;
            if (HWND hWndBar = ::GetDlgItem(m_hWnd, (int)nID))
                ::ShowWindow(hWndBar, SW_SHOWNA);
        }
        m_pPreviewState = nullptr;
    }
    RecalcLayout();
}
