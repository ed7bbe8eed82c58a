#pragma once
// The message table of a window that carries a grid engine. The grid window (CGXGridWnd: CWnd and
// engine) and the grid view (CGXGridView: CView and engine) share it: each entry hands the message to
// the engine and, unless the engine handled it, the window base's default handling follows.

#include "framework/win/CmdTarget.h"
#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"

// Private messages of the grid windows.
enum : UINT
{
    // What a tab window asks of its sheets: may the tab be renamed (non-zero yes), the tab was
    // renamed, may the sheet be left (0) or entered (1) (non-zero refuses).
    WM_GX_SHEETCANRENAME = 0x790,
    WM_GX_SHEETRENAMED = 0x791,
    WM_GX_SHEETACTIVATE = 0x792,
    WM_GX_MOVECURRENTCELL = 0x7A3,
    // Posted by the engine to itself; kept clear of the tab window's numbers above.
    WM_GX_DEFERREDACTIVATE = 0x7A4,
    WM_GX_LOCKUPDATE = 0x7CB
};

// The registered message of the find and replace dialog.
extern const UINT gxFindReplaceMessage;

// The handlers that need more than a call into the engine.
LRESULT GXGridPaint(CWnd* pWnd, CGXGridCore* pGrid);
// Default painting, then the window's own sunken frame when asked for (or with WS_EX_CLIENTEDGE).
LRESULT GXGridNcPaint(CWnd* pWnd, BOOL bDrawFrame);
LRESULT GXGridKeyMessage(CWnd* pWnd, CGXGridCore* pGrid, UINT nMessage, WPARAM wParam, LPARAM lParam);
// A click takes the focus, unless the active cell's own window (a child of the grid) has it.
void GXGridTakeFocusForClick(CWnd* pWnd);
LRESULT GXGridFindReplaceMessage(CGXGridCore* pGrid, LPARAM lParam);

// The engine part of a grid window.
inline CGXGridCore* GXGridEngine(CGXGridCore* pGrid)
{
    return pGrid;
}

inline CPoint GXGridPointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// The entries for TGridWindow, which derives from TWindowBase (a CWnd) and CGXGridCore and has the
// frame flag m_bDrawFrame.
template <class TGridWindow, class TWindowBase>
const AFX_MSGMAP_ENTRY* GXGridWindowMessageEntries()
{
    using ThisClass = TGridWindow;
    static const AFX_MSGMAP_ENTRY entries[] = {
    AFX_MSG_HANDLER(WM_CTLCOLOR, 0, 0, 0, nullptr,
                    c.result = reinterpret_cast<LRESULT>(GXGridEngine(pT)->OnGridCtlColor(
                        CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)),
                        CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), static_cast<UINT>(c.nCode)));
                    if (c.result == 0) c.result = pT->Default();
                    return TRUE;)
    AFX_WM(WM_DESTROY,
           GXGridEngine(pT)->OnGridBeforeDestroy();
           if (!GXGridEngine(pT)->ClosePopupWindow()) pT->TWindowBase::OnDestroy();
           return TRUE;)
    AFX_WM(WM_ERASEBKGND, c.result = TRUE; return TRUE;)
    AFX_WM(WM_HSCROLL,
           if (!GXGridEngine(pT)->OnHScroll(LOWORD(c.wParam), HIWORD(c.wParam),
                                            reinterpret_cast<CScrollBar*>(
                                                CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_KEYDOWN, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_LBUTTONDOWN,
           GXGridTakeFocusForClick(pT);
           if (!GXGridEngine(pT)->OnLButtonDown(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_LBUTTONUP,
           if (!GXGridEngine(pT)->OnLButtonUp(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MOUSEMOVE,
           if (!GXGridEngine(pT)->OnMouseMove(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_PAINT, c.result = GXGridPaint(pT, GXGridEngine(pT)); return TRUE;)
    AFX_WM(WM_SETCURSOR,
           c.result = GXGridEngine(pT)->HandleSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                                                  LOWORD(c.lParam), HIWORD(c.lParam));
           if (!c.result) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SIZE,
           if (!GXGridEngine(pT)->OnGridSize(static_cast<UINT>(c.wParam), static_cast<short>(LOWORD(c.lParam)),
                                       static_cast<short>(HIWORD(c.lParam))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_VSCROLL,
           if (!GXGridEngine(pT)->OnVScroll(LOWORD(c.wParam), HIWORD(c.wParam),
                                            reinterpret_cast<CScrollBar*>(
                                                CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_GETDLGCODE,
           c.result = static_cast<LRESULT>(GXGridEngine(pT)->HandleGetDlgCode(static_cast<UINT>(pT->Default())));
           return TRUE;)
    AFX_WM(WM_SETFOCUS,
           pT->TWindowBase::OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
           GXGridEngine(pT)->OnGridSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
           return TRUE;)
    AFX_WM(WM_GX_DEFERREDACTIVATE, c.result = GXGridEngine(pT)->OnGridDeferredActivate(); return TRUE;)
    AFX_WM(WM_GX_SHEETCANRENAME, c.result = GXGridEngine(pT)->CanRenameSheet(static_cast<int>(c.wParam)); return TRUE;)
    AFX_WM(WM_GX_SHEETRENAMED, GXGridEngine(pT)->OnSheetRenamed(static_cast<int>(c.wParam)); return TRUE;)
    AFX_WM(WM_GX_SHEETACTIVATE, c.result = !GXGridEngine(pT)->CanSwitchSheet(c.wParam != 0); return TRUE;)
    AFX_WM(WM_GX_MOVECURRENTCELL,
           ::SetFocus(pT->m_hWnd);
           c.result = GXGridEngine(pT)->HandleMoveMessage(c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_GX_LOCKUPDATE,
           c.result = GXGridEngine(pT)->SetLockUpdate(static_cast<BOOL>(c.wParam));
           if (c.wParam == 0) ::InvalidateRect(pT->m_hWnd, nullptr, FALSE);
           return TRUE;)
    AFX_WM(WM_CHAR, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_SYSKEYDOWN, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_SYSCHAR, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_SYSKEYUP, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_KEYUP, c.result = GXGridKeyMessage(pT, GXGridEngine(pT), c.message, c.wParam, c.lParam);
           return TRUE;)
    AFX_WM(WM_KILLFOCUS,
           if (!GXGridEngine(pT)->OnGridKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_CANCELMODE, if (!GXGridEngine(pT)->OnGridCancelMode()) c.result = pT->Default(); return TRUE;)
    AFX_WM(WM_LBUTTONDBLCLK,
           if (!GXGridEngine(pT)->OnLButtonDblClk(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONDBLCLK,
           if (!GXGridEngine(pT)->OnMButtonDblClk(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONDOWN,
           GXGridTakeFocusForClick(pT);
           if (!GXGridEngine(pT)->OnMButtonDown(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MBUTTONUP,
           if (!GXGridEngine(pT)->OnMButtonUp(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONDBLCLK,
           if (!GXGridEngine(pT)->OnRButtonDblClk(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONDOWN,
           GXGridTakeFocusForClick(pT);
           if (!GXGridEngine(pT)->OnRButtonDown(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_RBUTTONUP,
           if (!GXGridEngine(pT)->OnRButtonUp(static_cast<UINT>(c.wParam), GXGridPointOf(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SHOWWINDOW,
           if (!GXGridEngine(pT)->HandleShowWindow(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_MOUSEACTIVATE,
           c.result = GXGridEngine(pT)->OnGridMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                                                      LOWORD(c.lParam), HIWORD(c.lParam));
           if (c.result == 0)
               c.result = pT->TWindowBase::OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                                                            LOWORD(c.lParam), HIWORD(c.lParam));
           return TRUE;)
    AFX_WM(WM_SYSCOLORCHANGE, if (!GXGridEngine(pT)->OnGridSysColorChange()) c.result = pT->Default(); return TRUE;)
    AFX_WM(WM_NCPAINT, c.result = GXGridNcPaint(pT, pT->m_bDrawFrame); return TRUE;)
    AFX_WM(WM_TIMER,
           if (!GXGridEngine(pT)->HandleTimer(static_cast<UINT_PTR>(c.wParam)))
               c.result = pT->Default();
           return TRUE;)
    AFX_MSG_HANDLER(AFX_MSG_REGISTERED, 0, 0, 0, &gxFindReplaceMessage,
                    c.result = GXGridFindReplaceMessage(GXGridEngine(pT), c.lParam); return TRUE;)
    AFX_WM(WM_WININICHANGE,
           if (!GXGridEngine(pT)->OnGridSettingChange(reinterpret_cast<LPCTSTR>(c.lParam))) c.result = pT->Default();
           return TRUE;)
        {0, 0, 0, 0, nullptr, nullptr}};
    return entries;
}
