#include "framework/win/Wnd.h"

#include <new>

#include "framework/core/Exceptions.h"
#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "framework/win/DragListBox.h"
#include "framework/win/Gdi.h"
#include "framework/win/HandleMap.h"
#include "framework/win/ImageList.h"
#include "framework/win/Menu.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace {

// Outlives static destruction: global window objects detach after it began.
CHandleMap<HWND, CWnd, &CWnd::m_hWnd>& Windows()
{
    static auto* map = new CHandleMap<HWND, CWnd, &CWnd::m_hWnd>;
    return *map;
}

// The message AfxCallWndProc is dispatching now (Default() processes it).
thread_local MSG t_currentMessage = {};

// Creation hook state: the object waiting for its window.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCbtHook = nullptr;

// Nesting depth of the framework's message loops; temporaries are deleted only when the
// application's own loop is idle and outermost, because a handler further down the stack may still
// hold one. Modal loops never delete them: dialog code keeps GetDlgItem pointers for the dialog's life.
thread_local int t_nLoopDepth = 0;

} // namespace

// The window whose UpdateData is running: control notifications to it are ignored meanwhile.
thread_local HWND t_hLockoutNotifyWindow = nullptr;

namespace {

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The child control a parent's message is about, for the messages a control may handle itself.
HWND ChildOfMessage(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DRAWITEM:
    {
        auto* pDraw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        return pDraw != nullptr && pDraw->CtlType != ODT_MENU ? pDraw->hwndItem : nullptr;
    }
    case WM_MEASUREITEM:
    {
        auto* pMeasure = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        return pMeasure != nullptr && pMeasure->CtlType != ODT_MENU ? ::GetDlgItem(hWndParent, (int)pMeasure->CtlID) : nullptr;
    }
    case WM_COMPAREITEM:
        return lParam != 0 ? reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return lParam != 0 ? reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem : nullptr;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        return reinterpret_cast<HWND>(lParam);
    default:
        (void)wParam;
        // A drag list names its list box in the notification (CDragListBox handles it itself).
        if (message == CDragListBox::GetDragListMessage())
            return lParam != 0 ? reinterpret_cast<DRAGLISTINFO*>(lParam)->hWnd : nullptr;
        return IsCtlColorMessage(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

// Offers a parent's message to the framework object of the child it is about.
BOOL ReflectMsgToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pChild == nullptr)
        return FALSE;
    LRESULT lResult = 0;
    BOOL bHandled = pChild->OnChildNotify(message, wParam, lParam, &lResult);
    if (bHandled && pResult != nullptr)
        *pResult = lResult;
    return bHandled;
}

// Asks the update handlers whether a menu or accelerator command is enabled before it runs.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

LRESULT DefaultProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_CREATE)
        return -1;   // the creation fails
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);   // otherwise WM_PAINT comes back at once, forever
    // A user exception means the user has been told already.
    if (dynamic_cast<CUserException*>(e) == nullptr)
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    return 0;
}

} // namespace

LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->ProcessWndProcException(e, pMsg) : DefaultProcessWndProcException(e, pMsg);
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return DefaultProcessWndProcException(e, pMsg);
}

LRESULT AfxHandleWndProcException(const MSG* pMsg)
{
    try
    {
        throw;
    }
    catch (CException* e)
    {
        LRESULT lResult = AfxProcessWndProcException(e, pMsg);
        e->Delete();
        return lResult;
    }
    catch (const std::bad_alloc&)
    {
        AfxMessageBox(AFX_IDP_FAILED_MEMORY_ALLOC, MB_ICONEXCLAMATION);
    }
    catch (...)
    {
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONEXCLAMATION);
    }
    return 0;
}

// ---- Window procedure ----

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG previous = t_currentMessage;
    t_currentMessage.hwnd = hWnd;
    t_currentMessage.message = nMsg;
    t_currentMessage.wParam = wParam;
    t_currentMessage.lParam = lParam;

    LRESULT lResult = 0;
    // Nothing thrown by a handler may unwind through the system's window procedures.
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (...)
    {
        lResult = AfxHandleWndProcException(&t_currentMessage);
    }

    // A class that handles WM_NCDESTROY itself without the base still lets go of its window.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }

    t_currentMessage = previous;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

// ---- Creation hook ----

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit != nullptr)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        // Wine and Windows create IME windows of their own on the way; they are not ours.
        char className[8] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        if (lstrcmpiA(className, "IME") != 0)
        {
            CWnd* pWnd = t_pWndInit;
            t_pWndInit = nullptr;
            pWnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(t_hCbtHook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (t_hCbtHook == nullptr)
        t_hCbtHook = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (t_hCbtHook != nullptr)
    {
        ::UnhookWindowsHookEx(t_hCbtHook);
        t_hCbtHook = nullptr;
    }
    if (t_pWndInit != nullptr)
    {
        t_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

// ---- Message loops ----

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0))
    {
        ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    if (!AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

int AfxEnterMessageLoop()
{
    return ++t_nLoopDepth;
}

void AfxLeaveMessageLoop()
{
    --t_nLoopDepth;
}

void AfxIdleCleanup()
{
    if (t_nLoopDepth == 1)
    {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CImageList::DeleteTempMap();
    }
}

// ---- CWnd: handle map ----

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    m_hWnd = nullptr;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? Windows().LookupPermanent(hWnd) : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return Windows().FromHandle(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    Windows().DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd != nullptr || !Windows().SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        Windows().RemovePermanent(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto pfnOld = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

// ---- CWnd: creation ----

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // no window was made for this object (unknown class, ...)
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    bool bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window attached without the framework's procedure never saw WM_NCDESTROY here: let go of it
    // (the object is still alive then, since only WM_NCDESTROY leads to PostNcDestroy).
    if (bPermanent && FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd))
        Detach();
    return bResult;
}

// ---- CWnd: message handling ----

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else
    {
        AFX_MSG_CALL call = {message, wParam, lParam, 0, 0, nullptr, 0};
        if (IsCtlColorMessage(message))
        {
            call.message = WM_CTLCOLOR;
            call.nCode = (int)(message - WM_CTLCOLORMSGBOX);
        }
        if (DispatchWindowMessage(call))
        {
            lResult = call.result;
        }
        else
        {
            // No handler here: the control the message is about may handle it itself.
            HWND hWndChild = ChildOfMessage(m_hWnd, message, wParam, lParam);
            if (hWndChild == nullptr || !ReflectMsgToChild(hWndChild, message, wParam, lParam, &lResult))
                return FALSE;
        }
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return &t_currentMessage;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl == nullptr)
    {
        // Menu (code 0) or accelerator (code 1): a command its update handler disables does not run.
        nCode = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
    }
    else
    {
        // UpdateData writes control texts; the notifications that causes are not the user's.
        if (t_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        // The control itself has the first word on its notification.
        if (ReflectMsgToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectMsgToChild(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_MSG_CALL call = {WM_REFLECT_BASE + message, wParam, lParam, 0, 0, nullptr, 0};
    if (message == WM_COMMAND)
    {
        call.nCode = HIWORD(wParam);
        if (!DispatchCommand(WM_REFLECT_BASE + WM_COMMAND, call))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lResult = 0;
        AFX_NOTIFY notify = {&lResult, pNMHDR};
        call.nCode = LOWORD(pNMHDR->code);
        call.pExtra = &notify;
        if (!DispatchCommand(WM_REFLECT_BASE + WM_NOTIFY, call))
            return FALSE;
        if (pResult != nullptr)
            *pResult = lResult;
        return TRUE;
    }
    if (IsCtlColorMessage(message))
    {
        call.message = WM_REFLECT_BASE + WM_CTLCOLOR;
        call.nCode = (int)(message - WM_CTLCOLORMSGBOX);
    }
    if (!DispatchWindowMessage(call))
        return FALSE;
    if (pResult != nullptr)
        *pResult = call.result;
    return TRUE;
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    return ReflectMsgToChild(hWndChild, t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam,
                             pResult);
}

void CWnd::UpdateMenuCommandUI(CMenu* pPopup, BOOL bDisableIfNoHandler)
{
    if (pPopup == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = (UINT)pPopup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = pPopup->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;   // separators and sub-menus
        state.m_pSubMenu = nullptr;
        // System commands (0xF000 and up) are the system's, never disabled for want of a handler.
        state.DoUpdate(this, bDisableIfNoHandler && state.m_nID < 0xF000);
        // A handler may have removed items.
        UINT nCount = (UINT)pPopup->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && pPopup->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = nCount;
    }
}

// ---- CWnd: modal loop ----

int CWnd::RunModalLoop(DWORD dwFlags)
{
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    if ((dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE))
    {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    // A test may drive the window from here and end the loop before it starts.
    AfxNotifyModalDialog(this);
    AfxEnterMessageLoop();
    while (ContinueModal() && m_hWnd != nullptr)
    {
        if (!AfxPumpMessage())
        {
            m_nModalResult = -1;
            break;
        }
    }
    AfxLeaveMessageLoop();
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // wakes the loop if it waits
    }
}

BOOL AfxDisableModalOwner(HWND hWndOwner)
{
    if (hWndOwner == nullptr || hWndOwner == ::GetDesktopWindow() || !::IsWindowEnabled(hWndOwner))
        return FALSE;
    ::EnableWindow(hWndOwner, FALSE);
    return TRUE;
}

void AfxEndModalWindow(CWnd* pWnd, HWND hWndOwner, BOOL bEnableOwner)
{
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && pWnd->m_hWnd != nullptr && ::GetActiveWindow() == pWnd->m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (pWnd->m_hWnd != nullptr)
    {
        // Hidden first so that destroying it does not activate some other program's window.
        ::SetWindowPos(pWnd->m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        pWnd->DestroyWindow();
    }
}

// ---- CWnd: everyday members ----

namespace {

// nStyleIndex is GWL_STYLE or GWL_EXSTYLE; nFlags, when given, makes the frame take the change.
BOOL ModifyStyleBits(HWND hWnd, int nStyleIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, nStyleIndex);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, nStyleIndex, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd(HWND hWndPosition) : m_hWnd(hWndPosition)
{
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd
                      : (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd)
                                                : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcArea;
    RECT rcCenter;
    HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(hMonitor, &info);
    rcArea = info.rcWork;
    if (GetStyle() & WS_CHILD)
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        rcCenter = rcArea;
    }
    else if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
    {
        ::GetWindowRect(hWndCenter, &rcCenter);
    }
    else
    {
        rcCenter = rcArea;
    }
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    int width = rcDlg.right - rcDlg.left;
    int height = rcDlg.bottom - rcDlg.top;
    int left = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int top = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    // Keep the whole window inside the work area.
    if (left + width > rcArea.right)
        left = rcArea.right - width;
    if (left < rcArea.left)
        left = rcArea.left;
    if (top + height > rcArea.bottom)
        top = rcArea.bottom - height;
    if (top < rcArea.top)
        top = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetTopLevelParent() const
{
    // Up through parents and owners to the window that has neither.
    HWND hWnd = m_hWnd;
    for (;;)
    {
        HWND hWndUp = (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
        if (hWndUp == nullptr)
            break;
        hWnd = hWndUp;
    }
    return CWnd::FromHandle(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
    if (hWndChild != nullptr && ::GetParent(hWndChild) == m_hWnd)
    {
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != nullptr)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetTopWindow(hWndChild) == nullptr)
            continue;
        if (CWnd* pWnd = FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm))
            return pWnd;
    }
    return nullptr;
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    while (hWnd != nullptr && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return CWnd::FromHandle(hWnd);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == nullptr)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();
    while (hWnd != nullptr && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pWndTop != nullptr)
        *pWndTop = hWnd;
    if (hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return CWnd::FromHandle(hWnd);
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

namespace
{
// The window and bar code that carry the window's scroll bar nBar.
HWND ScrollTargetOf(const CWnd* pWnd, int& nBar)
{
    if (nBar == SB_HORZ || nBar == SB_VERT)
        if (CWnd* pBar = pWnd->GetScrollBarCtrl(nBar))
        {
            nBar = SB_CTL;
            return pBar->m_hWnd;
        }
    return pWnd->m_hWnd;
}
} // namespace

int CWnd::GetScrollPos(int nBar) const
{
    HWND hWnd = ScrollTargetOf(this, nBar);
    return ::GetScrollPos(hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    HWND hWnd = ScrollTargetOf(this, nBar);
    return ::SetScrollPos(hWnd, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    HWND hWnd = ScrollTargetOf(this, nBar);
    ::GetScrollRange(hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    HWND hWnd = ScrollTargetOf(this, nBar);
    ::SetScrollRange(hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    HWND hWnd = ScrollTargetOf(this, nBar);
    return ::GetScrollInfo(hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    HWND hWnd = ScrollTargetOf(this, nBar);
    ::SetScrollInfo(hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int nBar) const
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, nBar, &info))
        return 0;
    int nLimit = info.nMax - (info.nPage > 0 ? (int)info.nPage - 1 : 0);
    return nLimit > info.nMin ? nLimit : info.nMin;
}

CString AfxGetWindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

void CWnd::GetWindowText(CString& rString) const
{
    rString = AfxGetWindowText(m_hWnd);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (hWndItem == nullptr)
        return 0;
    rString = AfxGetWindowText(hWndItem);
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    return 0;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        ::SendMessageA(hWndChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
            CWnd::FromHandle(hWndChild)->SendMessageToDescendants(message, wParam, lParam, bDeep);
    }
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        pApp->WinHelp(dwData, nCmd);
}

// ---- CWnd: default message handlers ----

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnIconEraseBkgnd(CDC*) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnWinIniChange(LPCTSTR) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }

// Messages about a child control go to the control first when it wants them.
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    LRESULT lResult = 0;
    const MSG* pMsg = GetCurrentMessage();
    if (ReflectMsgToChild(reinterpret_cast<HWND>(pMsg->lParam), pMsg->message, pMsg->wParam, pMsg->lParam, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU && ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    // F1 in a top-level window asks the main window for help (ID_HELP), unless a modifier is held.
    if (!(GetStyle() & WS_CHILD))
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != nullptr && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
            ::GetKeyState(VK_MENU) >= 0)
        {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return (BOOL)Default();
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu)
        UpdateMenuCommandUI(pPopupMenu, FALSE);
}

void CWnd::OnNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        pApp->m_pMainWnd = nullptr;
        // The program's loop ends with its main window; a program without one (run from a modal
        // dialog) ends when its start-up returns.
        if (pApp->IsRunning())
            ::PostQuitMessage(0);
    }
    if (m_nFlags & WF_MODALLOOP)
        m_nFlags &= ~WF_CONTINUEMODAL;

    Default();

    // Hand the window back to the procedure it had before the framework, then let go of it.
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return IsDialogMessage(lpMsg);
}

// ---- CWnd: device contexts, regions and fonts ----

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip != nullptr ? (HRGN)prgnClip->GetSafeHandle() : nullptr, flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != nullptr ? (HRGN)pRgn->GetSafeHandle() : nullptr, bErase);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, pRgn != nullptr ? (HRGN)pRgn->GetSafeHandle() : nullptr);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate != nullptr ? (HRGN)prgnUpdate->GetSafeHandle() : nullptr, lpRectUpdate, flags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(pFont != nullptr ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}
