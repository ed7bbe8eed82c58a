#include "framework/docview/ScrollView.h"

#include <algorithm>
#include <cstdlib>

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// Logical sizes to device sizes in a mapping mode (absolute: y grows upwards in some modes).
CSize LogicalToDevice(int nMapMode, SIZE size)
{
    if (nMapMode == MM_TEXT || nMapMode == 0)
        return CSize(size.cx, size.cy);
    CWindowDC dc(nullptr);
    dc.SetMapMode(nMapMode);
    CSize device(size.cx, size.cy);
    dc.LPtoDP(&device);
    return CSize(std::abs(device.cx), std::abs(device.cy));
}

} // namespace

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    const int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal.cx, sizeTotal.cy);
    m_totalDev = LogicalToDevice(nMapMode, sizeTotal);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max(1L, m_pageDev.cx / 10);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max(1L, m_pageDev.cy / 10);
    if (m_hWnd != nullptr)
    {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0)
    {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint ptDev(pt);
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0)
    {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&ptDev);
    }
    ScrollToDevicePosition(ptDev);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    const int xLimit = GetScrollLimit(SB_HORZ);
    const int yLimit = GetScrollLimit(SB_VERT);
    const int x = std::clamp((int)ptDev.x, 0, std::max(0, xLimit));
    const int y = std::clamp((int)ptDev.y, 0, std::max(0, yLimit));
    const CPoint old = GetDeviceScrollPosition();
    SetScrollPos(SB_HORZ, x);
    SetScrollPos(SB_VERT, y);
    const CPoint now = GetDeviceScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode != 0)
        pDC->SetMapMode(m_nMapMode);
    // On paper every page starts at the origin; on the screen the scrolled part is left out.
    CPoint ptViewportOrg(0, 0);
    if (!pDC->IsPrinting())
        ptViewportOrg = -GetDeviceScrollPosition();
    pDC->SetViewportOrg(ptViewportOrg);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr || m_nMapMode == 0)
        return;
    m_bInsideUpdate = TRUE;

    // The client area as it would be without scroll bars.
    CRect client;
    GetClientRect(&client);
    const DWORD dwStyle = GetStyle();
    CSize sizeClient = client.Size();
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += cxBar;
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += cyBar;

    // A bar takes room from the other direction, which may then need its bar too.
    bool bNeedH = m_totalDev.cx > sizeClient.cx;
    bool bNeedV = m_totalDev.cy > sizeClient.cy;
    if (bNeedH && !bNeedV)
        bNeedV = m_totalDev.cy > sizeClient.cy - cyBar;
    if (bNeedV && !bNeedH)
        bNeedH = m_totalDev.cx > sizeClient.cx - cxBar;
    if (bNeedH)
        sizeClient.cy -= cyBar;
    if (bNeedV)
        sizeClient.cx -= cxBar;

    const CPoint old = GetDeviceScrollPosition();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;
    info.nMax = bNeedH ? (int)m_totalDev.cx - 1 : 0;
    info.nPage = bNeedH ? (UINT)std::max(1L, sizeClient.cx) : 0;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.nMax = bNeedV ? (int)m_totalDev.cy - 1 : 0;
    info.nPage = bNeedV ? (UINT)std::max(1L, sizeClient.cy) : 0;
    SetScrollInfo(SB_VERT, &info, TRUE);
    ShowScrollBar(SB_HORZ, bNeedH);
    ShowScrollBar(SB_VERT, bNeedV);

    // A grown window may show more than the rest of the view: the position comes back.
    const CPoint now = GetDeviceScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
    m_bInsideUpdate = FALSE;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT, BOOL bDoScroll)
{
    auto newPosition = [this](int nBar, UINT nCode, int nPage, int nLine) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        ::GetScrollInfo(m_hWnd, nBar, &info);
        const int nLimit = GetScrollLimit(nBar);
        int nPos = info.nPos;
        switch (nCode)
        {
        case SB_TOP: nPos = 0; break;
        case SB_BOTTOM: nPos = nLimit; break;
        case SB_LINEUP: nPos -= nLine; break;
        case SB_LINEDOWN: nPos += nLine; break;
        case SB_PAGEUP: nPos -= nPage; break;
        case SB_PAGEDOWN: nPos += nPage; break;
        // The tracking position has 32 bits; the message's has 16.
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: nPos = info.nTrackPos; break;
        default: break;
        }
        return std::clamp(nPos, 0, std::max(0, nLimit)) - info.nPos;
    };
    CSize scroll(0, 0);
    const UINT nHorzCode = LOBYTE(nScrollCode);
    const UINT nVertCode = HIBYTE(nScrollCode);
    if (nHorzCode != 0xFF)
        scroll.cx = newPosition(SB_HORZ, nHorzCode, m_pageDev.cx, m_lineDev.cx);
    if (nVertCode != 0xFF)
        scroll.cy = newPosition(SB_VERT, nVertCode, m_pageDev.cy, m_lineDev.cy);
    return OnScrollBy(scroll, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    const CPoint old = GetDeviceScrollPosition();
    const int x = std::clamp((int)(old.x + sizeScroll.cx), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    const int y = std::clamp((int)(old.y + sizeScroll.cy), 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (x == old.x && y == old.y)
        return FALSE;
    if (bDoScroll)
    {
        SetScrollPos(SB_HORZ, x);
        SetScrollPos(SB_VERT, y);
        ScrollWindow(old.x - x, old.y - y);
    }
    return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    UINT nLinesPerNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLinesPerNotch, 0);
    const int nNotches = zDelta / WHEEL_DELTA;
    if (nNotches == 0 || m_totalDev.cy == 0)
        return FALSE;
    // The page when the system scrolls a page per notch.
    const int nStep = nLinesPerNotch == WHEEL_PAGESCROLL ? (int)m_pageDev.cy : (int)(nLinesPerNotch * m_lineDev.cy);
    return OnScrollBy(CSize(0, -nNotches * nStep));
}
