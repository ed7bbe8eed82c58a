#pragma once
// What the drawn cells (check boxes, radio groups, push buttons, progress bars) share when they
// draw: the cell's colours (black on white on a black-and-white printout), its font selected for
// the time of the drawing, its alignment as DrawText flags, and the window themes are opened for.

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <windows.h>

namespace GXDrawnCell
{
// The grid prints in black and white right now.
inline BOOL IsBlackWhite(CGXGridCore* pGrid)
{
    CGXProperties* pProperties = pGrid != nullptr ? pGrid->GetProperties() : nullptr;
    return pProperties != nullptr && pGrid->IsPrinting() && pProperties->GetPrintBlackWhite();
}

inline COLORREF TextColor(const CGXStyle& style, BOOL bBlackWhite)
{
    if (bBlackWhite)
        return RGB(0, 0, 0);
    return style.GetIncludeTextColor() ? style.GetResolvedTextColor() : ::GetSysColor(COLOR_WINDOWTEXT);
}

inline COLORREF InteriorColor(const CGXStyle& style, BOOL bBlackWhite)
{
    if (bBlackWhite)
        return RGB(255, 255, 255);
    return style.GetIncludeInterior() ? style.GetInterior().GetColor() : ::GetSysColor(COLOR_WINDOW);
}

// DT_CENTER or DT_RIGHT and DT_VCENTER or DT_BOTTOM where the style sets its alignment.
inline UINT AlignmentFlags(const CGXStyle& style)
{
    UINT nFlags = 0;
    if (style.GetIncludeHorizontalAlignment())
        nFlags |= style.GetHorizontalAlignment();
    if (style.GetIncludeVerticalAlignment())
        nFlags |= style.GetVerticalAlignment();
    return nFlags;
}

inline HWND GridWindow(CGXGridCore* pGrid)
{
    return pGrid != nullptr && pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

// A DC of the grid window (of the screen while there is none) for measuring, held for a scope.
class GridWindowDC
{
public:
    explicit GridWindowDC(CGXGridCore* pGrid) : m_hWnd(GridWindow(pGrid))
    {
        m_dc.Attach(::GetDC(m_hWnd));
    }
    ~GridWindowDC()
    {
        ::ReleaseDC(m_hWnd, m_dc.Detach());
    }
    GridWindowDC(const GridWindowDC&) = delete;
    GridWindowDC& operator=(const GridWindowDC&) = delete;
    CDC* Get() { return &m_dc; }

private:
    HWND m_hWnd;
    CDC m_dc;
};

// The style's font (zoomed) in the DC until the scope ends.
class FontScope
{
public:
    FontScope(CGXGridCore* pGrid, CDC* pDC, const CGXStyle& style) : m_pDC(pDC)
    {
        if (pGrid != nullptr && pDC != nullptr && style.GetIncludeFont())
            m_pOld = pGrid->SelectZoomedFont(pDC, style.GetFont());
    }
    ~FontScope()
    {
        if (m_pOld != nullptr)
            ::SelectObject(m_pDC->GetSafeHdc(), m_pOld->GetSafeHandle());
    }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    CDC* m_pDC;
    CFont* m_pOld = nullptr;
};
}  // namespace GXDrawnCell
