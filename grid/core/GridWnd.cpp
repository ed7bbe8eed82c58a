#include "grid/core/GridWnd.h"

#include "framework/core/Exceptions.h"
#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <commdlg.h>

#include <set>

IMPLEMENT_DYNCREATE(CGXGridWnd, CWnd)

namespace
{
// The grid windows that GridWndProc made; each goes with its window.
std::set<const CGXGridWnd*>& AutoCreatedWindows()
{
    static std::set<const CGXGridWnd*> windows;
    return windows;
}

const UINT findReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

CGXGridCore* Engine(CGXGridWnd* pWnd)
{
    return pWnd;
}

CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
} // namespace

// Each entry hands the message to the engine; unless the engine handled it, the framework's default
// handling follows (pT->CWnd::...).
BEGIN_MESSAGE_MAP(CGXGridWnd, CWnd)
    AFX_MSG_HANDLER(WM_CTLCOLOR, 0, 0, 0, nullptr,
                    c.result = reinterpret_cast<LRESULT>(Engine(pT)->OnGridCtlColor(
                        CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)),
                        CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), static_cast<UINT>(c.nCode)));
                    if (c.result == 0) c.result = pT->Default();
                    return TRUE;)
    AFX_WM(WM_DESTROY,
           Engine(pT)->OnGridBeforeDestroy();
           if (!Engine(pT)->ClosePopupWindow()) pT->CWnd::OnDestroy();
           return TRUE;)
    AFX_WM(WM_ERASEBKGND, c.result = TRUE; return TRUE;)
    AFX_WM(WM_HSCROLL,
           if (!Engine(pT)->OnHScroll(LOWORD(c.wParam), HIWORD(c.wParam),
                                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_KEYDOWN, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_LBUTTONDOWN,
           pT->TakeFocusForClick();
           if (!Engine(pT)->OnLButtonDown(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_LBUTTONUP,
           if (!Engine(pT)->OnLButtonUp(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MOUSEMOVE,
           if (!Engine(pT)->OnMouseMove(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_PAINT, c.result = pT->OnPaintMessage(); return TRUE;)
    AFX_WM(WM_SETCURSOR,
           c.result = Engine(pT)->HandleSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                                                  LOWORD(c.lParam), HIWORD(c.lParam));
           if (!c.result) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SIZE,
           if (!Engine(pT)->OnGridSize(static_cast<UINT>(c.wParam), static_cast<short>(LOWORD(c.lParam)),
                                       static_cast<short>(HIWORD(c.lParam))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_VSCROLL,
           if (!Engine(pT)->OnVScroll(LOWORD(c.wParam), HIWORD(c.wParam),
                                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_GETDLGCODE,
           c.result = static_cast<LRESULT>(Engine(pT)->HandleGetDlgCode(static_cast<UINT>(pT->Default())));
           return TRUE;)
    AFX_WM(WM_SETFOCUS,
           pT->CWnd::OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
           Engine(pT)->OnGridSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
           return TRUE;)
    AFX_WM(WM_GX_DEFERREDCELLUPDATE, c.result = Engine(pT)->OnGridDeferredCellUpdate(c.wParam); return TRUE;)
    AFX_WM(WM_GX_DEFERREDACTIVATE, c.result = Engine(pT)->OnGridDeferredActivate(); return TRUE;)
    AFX_WM(WM_GX_DEFERREDMOUSE, c.result = Engine(pT)->OnGridDeferredMouse(c.wParam) == 0; return TRUE;)
    AFX_WM(WM_GX_MOVECURRENTCELL,
           ::SetFocus(pT->m_hWnd);
           c.result = Engine(pT)->HandleMoveMessage(c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_GX_LOCKUPDATE,
           c.result = Engine(pT)->SetLockUpdate(static_cast<BOOL>(c.wParam));
           if (c.wParam == 0) ::InvalidateRect(pT->m_hWnd, nullptr, FALSE);
           return TRUE;)
    AFX_WM(WM_CHAR, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_SYSKEYDOWN, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_SYSCHAR, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_SYSKEYUP, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_KEYUP, c.result = pT->OnKeyMessage(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_KILLFOCUS,
           if (!Engine(pT)->OnGridKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_CANCELMODE, if (!Engine(pT)->OnGridCancelMode()) c.result = pT->Default(); return TRUE;)
    AFX_WM(WM_LBUTTONDBLCLK,
           if (!Engine(pT)->OnLButtonDblClk(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONDBLCLK,
           if (!Engine(pT)->OnMButtonDblClk(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONDOWN,
           pT->TakeFocusForClick();
           if (!Engine(pT)->OnMButtonDown(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONUP,
           if (!Engine(pT)->OnMButtonUp(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONDBLCLK,
           if (!Engine(pT)->OnRButtonDblClk(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONDOWN,
           pT->TakeFocusForClick();
           if (!Engine(pT)->OnRButtonDown(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONUP,
           if (!Engine(pT)->OnRButtonUp(static_cast<UINT>(c.wParam), PointOf(c.lParam))) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SHOWWINDOW,
           if (!Engine(pT)->HandleShowWindow(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MOUSEACTIVATE,
           c.result = Engine(pT)->OnGridMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                                                      LOWORD(c.lParam), HIWORD(c.lParam));
           if (c.result == 0) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SYSCOLORCHANGE, if (!Engine(pT)->OnGridSysColorChange()) c.result = pT->Default(); return TRUE;)
    AFX_WM(WM_NCPAINT, c.result = pT->OnNcPaintMessage(); return TRUE;)
    AFX_WM(WM_TIMER, if (!Engine(pT)->HandleTimer(static_cast<UINT_PTR>(c.wParam))) c.result = pT->Default(); return TRUE;)
    ON_REGISTERED_MESSAGE(findReplaceMessage, OnFindReplaceMessage)
    AFX_WM(WM_WININICHANGE,
           if (!Engine(pT)->OnGridSettingChange(reinterpret_cast<LPCTSTR>(c.lParam))) c.result = pT->Default();
           return TRUE;)
END_MESSAGE_MAP()

CGXGridWnd::CGXGridWnd() : CWnd(), CGXGridCore(nullptr, nullptr, nullptr)
{
    m_pGridWnd = this;
    m_pScrollWnd = nullptr;
    m_pPrintWnd = nullptr;
    m_bDrawFrame = FALSE;
}

CGXGridWnd::~CGXGridWnd()
{
    AutoCreatedWindows().erase(this);
}

void CGXGridWnd::Initialize()
{
    if (IsInScrollParent())
    {
        SetScrollBarMode(SB_VERT, 12, FALSE);
        SetScrollBarMode(SB_HORZ, 12, FALSE);
    }
    else
    {
        const DWORD dwStyle = GetStyle();
        SetScrollBarMode(SB_VERT, (dwStyle & WS_VSCROLL) != 0 ? 10 : 0, FALSE);
        SetScrollBarMode(SB_HORZ, (dwStyle & WS_HSCROLL) != 0 ? 10 : 0, FALSE);
    }
    OnGridInitialize();
}

void CGXGridWnd::OnGridInitialize()
{
    InitializeGrid();
}

void CGXGridWnd::RegisterClass(HINSTANCE hInstance)
{
    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInstance, "CGXGridWnd", &wndcls))
        return;
    wndcls = {};
    wndcls.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wndcls.lpfnWndProc = &CGXGridWnd::GridWndProc;
    wndcls.hInstance = hInstance;
    wndcls.lpszClassName = "CGXGridWnd";
    if (!::RegisterClassA(&wndcls))
        AfxThrowResourceException();
}

void CGXGridWnd::UnregisterClass(HINSTANCE hInstance)
{
    ::UnregisterClassA("CGXGridWnd", hInstance);
}

LRESULT CALLBACK CGXGridWnd::GridWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd) == nullptr)
    {
        CGXGridWnd* pWnd = new CGXGridWnd;
        pWnd->Attach(hWnd);
        AutoCreatedWindows().insert(pWnd);
    }
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return AfxWndProc(hWnd, nMsg, wParam, lParam);
}

BOOL CGXGridWnd::IsAutoCreated(const CGXGridWnd* pWnd)
{
    return AutoCreatedWindows().count(pWnd) != 0;
}

void CGXGridWnd::PostNcDestroy()
{
    if (AutoCreatedWindows().erase(this) != 0)
        delete this;
}

void CGXGridWnd::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridBeginPrinting(pDC, pInfo);
}

void CGXGridWnd::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridPrint(pDC, pInfo);
}

void CGXGridWnd::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridEndPrinting(pDC, pInfo);
}

CScrollBar* CGXGridWnd::GetScrollBarCtrl(int nBar) const
{
    CGXGridWnd* pSelf = const_cast<CGXGridWnd*>(this);
    if (CScrollBar* pBar = Engine(pSelf)->GetScrollBarCtrl(nBar))
        return pBar;
    return CWnd::GetScrollBarCtrl(nBar);
}

BOOL CGXGridWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!OnGridCommand(wParam, lParam))
        return CWnd::OnCommand(wParam, lParam);
    return TRUE;
}

BOOL CGXGridWnd::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateGridMessage(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CGXGridWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ProcessPluginMessage(message, wParam, lParam, result))
        return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

void CGXGridWnd::TakeFocusForClick()
{
    // A click while the active cell's own window has the focus leaves the focus there.
    HWND hFocus = ::GetFocus();
    if (hFocus != m_hWnd && (hFocus == nullptr || !::IsChild(m_hWnd, hFocus)))
        ::SetFocus(m_hWnd);
}

LRESULT CGXGridWnd::OnPaintMessage()
{
    CPaintDC dc(this);
    // A grid that is not initialised yet has nothing to draw; the paint still validates the window,
    // or Windows would ask for the same paint again and again.
    if (!IsInitialized())
        return 0;
    PrepareGridDC(&dc);
    DrawGridArea(&dc);
    return 0;
}

LRESULT CGXGridWnd::OnNcPaintMessage()
{
    const LRESULT result = Default();
    if (m_bDrawFrame || (GetExStyle() & WS_EX_CLIENTEDGE) != 0)
    {
        // The sunken frame runs along the window's outer edge (window DC coordinates start there).
        CWindowDC dc(this);
        CRect rect;
        GetWindowRect(&rect);
        CGXDrawingAndFormatting::GetInstance()->Draw3dFrame(&dc, 0, 0, rect.Width() - 1, rect.Height() - 1, 1,
                                                           ::GetSysColor(COLOR_BTNSHADOW),
                                                           ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    return result;
}

LRESULT CGXGridWnd::OnKeyMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (DispatchKeyMessage(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
        return 0;
    return Default();
}

LRESULT CGXGridWnd::OnFindReplaceMessage(WPARAM, LPARAM lParam)
{
    // The dialog object keeps itself in the request's custom data.
    const FINDREPLACEA* pRequest = reinterpret_cast<const FINDREPLACEA*>(lParam);
    CWnd* pDialog = pRequest != nullptr ? reinterpret_cast<CWnd*>(pRequest->lCustData) : nullptr;
    return OnFindReplace(pDialog);
}
