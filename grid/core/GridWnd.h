#pragma once
// The child window that shows one grid: a framework window and a grid engine in one object, the
// window part first. The window part owns none of the grid's logic: it hands each message to the
// engine and falls back to the framework's default handling when the engine did not handle it.

#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridWindowMessages.h"

class CPrintInfo;

class CGXGridWnd : public CWnd, public CGXGridCore
{
    DECLARE_DYNCREATE(CGXGridWnd)

public:
    CGXGridWnd();
    ~CGXGridWnd() override;

    // Sets the scroll-bar modes from the window's styles (or for a scroll parent) and initialises
    // the engine. Called once the window exists.
    void Initialize();
    virtual void OnGridInitialize();

    // Registers the window class "CGXGridWnd" unless it exists; throws the framework's resource
    // exception when the registration fails.
    static void RegisterClass(HINSTANCE hInstance);
    static void UnregisterClass(HINSTANCE hInstance);
    // The procedure of windows created with the class "CGXGridWnd": the first message makes a grid
    // window object for the window, which is deleted with it.
    static LRESULT CALLBACK GridWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // TRUE while the object was made by GridWndProc (and is deleted with its window).
    static BOOL IsAutoCreated(const CGXGridWnd* pWnd);

    // Printing hooks, passed to the engine's printing forwarders.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // The window part.
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    // Draws the window's own sunken frame in the non-client area (also with WS_EX_CLIENTEDGE).
    BOOL m_bDrawFrame = FALSE;

    // The grid windows' shared table (GridWindowMessages.h).
    DECLARE_MESSAGE_MAP()
};
