#pragma once
// The grid library's one access to the visual-styles engine (UXTHEME.DLL) and to TransparentBlt
// and TrackMouseEvent, all bound by name at run time. A missing library or entry point makes its
// wrapper answer a fixed failure value, and every caller then draws its classic look. Beside the
// bindings: a table of 33 colours derived from the system colours, for the themed header look.

#include <windows.h>
#include <uxtheme.h>

namespace GXUxTheme
{
// Binds everything once (a second call after a successful one does nothing); TRUE always.
BOOL Load();
// Clears every slot and frees the three modules; TRUE always.
BOOL Unload();

HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList);                   // NULL when missing
HRESULT CloseThemeData(HTHEME hTheme);                                    // E_FAIL when missing
HRESULT DrawThemeBackground(HTHEME hTheme, HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect);                       // E_FAIL when missing
HRESULT DrawThemeEdge(HTHEME hTheme, HDC hDC, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                      UINT uFlags, RECT* pContentRect);                   // E_FAIL when missing
BOOL IsThemeActive();                                                     // FALSE when missing
BOOL IsAppThemed();                                                       // FALSE when missing
BOOL TrackMouseEvent(TRACKMOUSEEVENT* pEventTrack);                       // FALSE when missing

// The usual pattern of a themed caller in one call: when the application is themed and a theme
// is active, opens the theme of the class list for the window, draws the part's background and
// closes the theme. FALSE when any step fails: the caller then draws its classic look.
BOOL DrawThemedBackground(HWND hWnd, LPCWSTR pszClassList, HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                          const RECT* pClipRect = nullptr);

// Colour arithmetic of the derived table.
COLORREF BlendColors(COLORREF a, COLORREF b, BYTE nWeight);
double ColorDistance(COLORREF a, COLORREF b);
COLORREF PushColorAway(COLORREF color, COLORREF reference, double dDistance);
COLORREF EnsureContrast(COLORREF color, COLORREF reference, int nDistance);
// Captures the eight system colours and rebuilds the derived table.
void InitThemeColors();
// Entry 0-32 of the derived table; white for any other index.
COLORREF GetThemeColor(int nIndex);

// Number of bound entry points: 47 of the visual-styles engine, TransparentBlt, TrackMouseEvent.
const int kEntryPointCount = 49;
// The bound address of an entry point by name (NULL when unbound or unknown).
FARPROC GetEntryPoint(LPCSTR pszName);
// Puts another function into an entry point's slot and returns the one it held; tests use it to
// stand in for a theme engine. Unknown names change nothing and answer NULL.
FARPROC SetEntryPoint(LPCSTR pszName, FARPROC pfn);
}  // namespace GXUxTheme
