#include "grid/core/GridWnd.h"

#include "framework/core/Exceptions.h"
#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridWindowMessages.h"

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

CGXGridCore* Engine(CGXGridWnd* pWnd)
{
    return pWnd;
}
} // namespace

const UINT gxFindReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

// The table is the grid windows' shared one (GridWindowMessages.h).
const AFX_MSGMAP* CGXGridWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CGXGridWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP messageMap = {&CWnd::GetThisMessageMap,
                                          GXGridWindowMessageEntries<CGXGridWnd, CWnd>()};
    return &messageMap;
}

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

void GXGridTakeFocusForClick(CWnd* pWnd)
{
    // A click while the active cell's own window has the focus leaves the focus there.
    HWND hFocus = ::GetFocus();
    if (hFocus != pWnd->m_hWnd && (hFocus == nullptr || !::IsChild(pWnd->m_hWnd, hFocus)))
        ::SetFocus(pWnd->m_hWnd);
}

LRESULT GXGridPaint(CWnd* pWnd, CGXGridCore* pGrid)
{
    CPaintDC dc(pWnd);
    // A grid that is not initialised yet has nothing to draw; the paint still validates the window,
    // or Windows would ask for the same paint again and again.
    if (!pGrid->IsInitialized())
        return 0;
    pGrid->PrepareGridDC(&dc);
    pGrid->DrawGridArea(&dc);
    return 0;
}

LRESULT GXGridNcPaint(CWnd* pWnd, BOOL bDrawFrame)
{
    const LRESULT result = pWnd->Default();
    if (bDrawFrame || (pWnd->GetExStyle() & WS_EX_CLIENTEDGE) != 0)
    {
        // The sunken frame runs along the window's outer edge (window DC coordinates start there).
        CWindowDC dc(pWnd);
        CRect rect;
        pWnd->GetWindowRect(&rect);
        CGXDrawingAndFormatting::GetInstance()->Draw3dFrame(&dc, 0, 0, rect.Width() - 1, rect.Height() - 1, 1,
                                                           ::GetSysColor(COLOR_BTNSHADOW),
                                                           ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    return result;
}

LRESULT GXGridKeyMessage(CWnd* pWnd, CGXGridCore* pGrid, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (pGrid->DispatchKeyMessage(pWnd, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
        return 0;
    return pWnd->Default();
}

LRESULT GXGridFindReplaceMessage(CGXGridCore* pGrid, LPARAM lParam)
{
    // The dialog object keeps itself in the request's custom data.
    const FINDREPLACEA* pRequest = reinterpret_cast<const FINDREPLACEA*>(lParam);
    CWnd* pDialog = pRequest != nullptr ? reinterpret_cast<CWnd*>(pRequest->lCustData) : nullptr;
    return pGrid->OnFindReplace(pDialog);
}
