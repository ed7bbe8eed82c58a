#pragma once
// A stand-in visual-styles engine for drawing tests: every theme draws its part as a solid red fill
// and the engine remembers what it was asked. Install puts it into the theme wrapper's slots; a
// test puts the system's engine back with GXUxTheme::Unload and GXUxTheme::Load.

#include "grid/controls/UxTheme.h"

#include <string>

struct FakeEngine
{
    static constexpr COLORREF kThemeRed = RGB(200, 0, 0);

    static inline BOOL s_bAppThemed = TRUE;
    static inline BOOL s_bActive = TRUE;
    static inline BOOL s_bOpens = TRUE;
    static inline std::wstring s_lastClass;
    static inline int s_nPart = 0, s_nState = 0, s_nOpened = 0, s_nClosed = 0, s_nEdges = 0, s_nDrawn = 0;
    static inline RECT s_lastRect = {};

    static BOOL WINAPI IsAppThemed() { return s_bAppThemed; }
    static BOOL WINAPI IsThemeActive() { return s_bActive; }
    static HTHEME WINAPI OpenThemeData(HWND, LPCWSTR pszClassList)
    {
        s_lastClass = pszClassList;
        ++s_nOpened;
        return s_bOpens ? reinterpret_cast<HTHEME>(0x1234) : nullptr;
    }
    static HRESULT WINAPI CloseThemeData(HTHEME)
    {
        ++s_nClosed;
        return S_OK;
    }
    static HRESULT WINAPI DrawThemeBackground(HTHEME, HDC hDC, int iPart, int iState, const RECT* pRect, const RECT*)
    {
        s_nPart = iPart;
        s_nState = iState;
        s_lastRect = *pRect;
        ++s_nDrawn;
        HBRUSH hBrush = ::CreateSolidBrush(kThemeRed);
        ::FillRect(hDC, pRect, hBrush);
        ::DeleteObject(hBrush);
        return S_OK;
    }
    // An edge is only counted: the fill shows where the part went.
    static HRESULT WINAPI DrawThemeEdge(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT* pContentRect)
    {
        ++s_nEdges;
        if (pContentRect != nullptr)
            ::SetRectEmpty(pContentRect);
        return S_OK;
    }

    // Themed, active and opening themes again, with nothing remembered.
    static void Reset()
    {
        s_bAppThemed = s_bActive = s_bOpens = TRUE;
        s_nOpened = s_nClosed = s_nPart = s_nState = s_nEdges = s_nDrawn = 0;
        s_lastRect = {};
        s_lastClass.clear();
    }
    static void Install()
    {
        GXUxTheme::SetEntryPoint("IsAppThemed", AsProc(reinterpret_cast<void*>(&IsAppThemed)));
        GXUxTheme::SetEntryPoint("IsThemeActive", AsProc(reinterpret_cast<void*>(&IsThemeActive)));
        GXUxTheme::SetEntryPoint("OpenThemeData", AsProc(reinterpret_cast<void*>(&OpenThemeData)));
        GXUxTheme::SetEntryPoint("CloseThemeData", AsProc(reinterpret_cast<void*>(&CloseThemeData)));
        GXUxTheme::SetEntryPoint("DrawThemeBackground", AsProc(reinterpret_cast<void*>(&DrawThemeBackground)));
        GXUxTheme::SetEntryPoint("DrawThemeEdge", AsProc(reinterpret_cast<void*>(&DrawThemeEdge)));
    }
    static FARPROC AsProc(void* pfn) { return reinterpret_cast<FARPROC>(pfn); }
};
