#pragma once
// What a print job tells the view that prints a page: the page being printed, the job's page range
// and the rectangle of the page left for drawing.

#include "framework/core/Geometry.h"

#include <windows.h>

struct CPrintInfo
{
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    // The usable page in logical units of the printing mapping; the view narrows it.
    CRect m_rectDraw;
    LPVOID m_lpUserData = nullptr;

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
