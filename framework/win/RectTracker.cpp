#include "framework/win/RectTracker.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"

namespace {

// Six pixels: large enough to grab, small enough for the eight handles of a modest rectangle.
const int kDefaultHandleSize = 6;

// Which sides of the rectangle a handle moves.
struct HandleSides
{
    bool left, top, right, bottom;
};

HandleSides SidesOf(int nHandle)
{
    switch (nHandle)
    {
    case CRectTracker::hitTopLeft: return {true, true, false, false};
    case CRectTracker::hitTopRight: return {false, true, true, false};
    case CRectTracker::hitBottomRight: return {false, false, true, true};
    case CRectTracker::hitBottomLeft: return {true, false, false, true};
    case CRectTracker::hitTop: return {false, true, false, false};
    case CRectTracker::hitRight: return {false, false, true, false};
    case CRectTracker::hitBottom: return {false, false, false, true};
    case CRectTracker::hitLeft: return {true, false, false, false};
    case CRectTracker::hitMiddle: return {true, true, true, true};
    default: return {false, false, false, false};
    }
}

LPCSTR CursorOf(int nHandle)
{
    switch (nHandle)
    {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight: return IDC_SIZENWSE;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft: return IDC_SIZENESW;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom: return IDC_SIZENS;
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight: return IDC_SIZEWE;
    default: return IDC_SIZEALL;
    }
}

// A diagonal hatch of black lines on a transparent background.
void FillHatched(HDC hDC, const RECT& rect)
{
    HBRUSH hHatch = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::FillRect(hDC, &rect, hHatch);
    ::SetBkMode(hDC, nOldMode);
    ::DeleteObject(hHatch);
}

} // namespace

CRectTracker::CRectTracker() : m_sizeMin(kDefaultHandleSize * 2, kDefaultHandleSize * 2), m_nHandleSize(kDefaultHandleSize)
{
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : CRectTracker()
{
    m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

// ---- Geometry ----

UINT CRectTracker::GetHandleMask() const
{
    UINT nMask = 0x0F;   // the corners
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (rect.Width() > 3 * m_nHandleSize)
        nMask |= (1u << hitTop) | (1u << hitBottom);
    if (rect.Height() > 3 * m_nHandleSize)
        nMask |= (1u << hitLeft) | (1u << hitRight);
    return nMask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    // Inside handles lie within the rectangle's corners and edges, outside ones just beyond them.
    const int nSize = m_nHandleSize;
    const bool bOutside = (m_nStyle & resizeOutside) != 0;
    const int left = bOutside ? rect.left - nSize : rect.left;
    const int top = bOutside ? rect.top - nSize : rect.top;
    const int right = bOutside ? rect.right : rect.right - nSize;
    const int bottom = bOutside ? rect.bottom : rect.bottom - nSize;
    const int centreX = rect.left + (rect.Width() - nSize) / 2;
    const int centreY = rect.top + (rect.Height() - nSize) / 2;
    int x = left;
    int y = top;
    switch (NormalizeHit(nHandle))
    {
    case hitTopLeft: x = left; y = top; break;
    case hitTopRight: x = right; y = top; break;
    case hitBottomRight: x = right; y = bottom; break;
    case hitBottomLeft: x = left; y = bottom; break;
    case hitTop: x = centreX; y = top; break;
    case hitRight: x = right; y = centreY; break;
    case hitBottom: x = centreX; y = bottom; break;
    case hitLeft: x = left; y = centreY; break;
    default: break;
    }
    pHandleRect->SetRect(x, y, x + nSize, y + nSize);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    if ((m_nStyle & (resizeOutside | hatchedBorder)) != 0)
        rect.InflateRect(m_nHandleSize, m_nHandleSize);
    *lpTrueRect = rect;
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < hitTopLeft || nHandle >= hitMiddle)
        return nHandle;
    // Mirror the handle across each axis along which the rectangle is inverted.
    static const int flipX[8] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight, hitTop, hitLeft, hitBottom, hitRight};
    static const int flipY[8] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft, hitBottom, hitRight, hitTop, hitLeft};
    if (m_rect.Width() < 0)
        nHandle = flipX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = flipY[nHandle];
    return nHandle;
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    if (!rectTrue.PtInRect(point))
        return hitNothing;
    if ((m_nStyle & (resizeInside | resizeOutside)) != 0)
    {
        const UINT nMask = GetHandleMask();
        for (int nHandle = hitTopLeft; nHandle < hitMiddle; ++nHandle)
        {
            if ((nMask & (1u << nHandle)) == 0)
                continue;
            CRect rectHandle;
            GetHandleRect(nHandle, &rectHandle);
            if (rectHandle.PtInRect(point))
                return nHandle;
        }
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    return HitTestHandles(point);
}

// ---- Drawing ----

void CRectTracker::Draw(CDC* pDC) const
{
    HDC hDC = pDC->GetSafeHdc();
    // The rectangle is in device pixels, whatever mapping the caller prepared.
    const int nSaved = ::SaveDC(hDC);
    ::SetMapMode(hDC, MM_TEXT);
    ::SetViewportOrgEx(hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(hDC, 0, 0, nullptr);

    CRect rect = m_rect;
    rect.NormalizeRect();

    if ((m_nStyle & (solidLine | dottedLine)) != 0)
    {
        HPEN hPen = ::CreatePen((m_nStyle & solidLine) != 0 ? PS_SOLID : PS_DOT, 1, RGB(0, 0, 0));
        HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
        ::SetBkMode(hDC, TRANSPARENT);
        ::Rectangle(hDC, rect.left, rect.top, rect.right, rect.bottom);
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hDC, hOldPen);
        ::DeleteObject(hPen);
    }

    if ((m_nStyle & hatchInside) != 0)
        FillHatched(hDC, rect);

    if ((m_nStyle & hatchedBorder) != 0)
    {
        // A band of the handle size around the outside of the rectangle.
        CRect rectTrue;
        GetTrueRect(&rectTrue);
        const RECT bands[4] = {
            {rectTrue.left, rectTrue.top, rectTrue.right, rect.top},
            {rectTrue.left, rect.bottom, rectTrue.right, rectTrue.bottom},
            {rectTrue.left, rect.top, rect.left, rect.bottom},
            {rect.right, rect.top, rectTrue.right, rect.bottom},
        };
        for (const RECT& band : bands)
            FillHatched(hDC, band);
    }

    if ((m_nStyle & (resizeInside | resizeOutside)) != 0)
    {
        const UINT nMask = GetHandleMask();
        HBRUSH hBlack = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        for (int nHandle = hitTopLeft; nHandle < hitMiddle; ++nHandle)
        {
            if ((nMask & (1u << nHandle)) == 0)
                continue;
            CRect rectHandle;
            GetHandleRect(nHandle, &rectHandle);
            ::FillRect(hDC, &rectHandle, hBlack);
        }
    }

    ::RestoreDC(hDC, nSaved);
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = *lpRect;
    rect.NormalizeRect();
    HDC hDC = pDC->GetSafeHdc();
    if (pWndClipTo != nullptr && pWndClipTo != pWnd)
    {
        CRect rectClip;
        pWndClipTo->GetClientRect(&rectClip);
        pWndClipTo->MapWindowPoints(pWnd, &rectClip);
        ::IntersectClipRect(hDC, rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
    }
    ::DrawFocusRect(hDC, &rect);
}

// ---- Tracking ----

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    const HandleSides sides = SidesOf(nHandle);
    if (nHandle == hitMiddle)
        return;
    // Keep the moving side at least the minimum away from the fixed one; without bAllowInvert
    // it may not pass it either.
    auto keepApart = [this](LONG& moving, LONG fixed, bool bMovingIsLow, int nMinimum) {
        const LONG distance = bMovingIsLow ? fixed - moving : moving - fixed;
        if (!m_bAllowInvert || distance >= 0)
        {
            if (distance < nMinimum)
                moving = bMovingIsLow ? fixed - nMinimum : fixed + nMinimum;
        }
        else if (-distance < nMinimum)
        {
            moving = bMovingIsLow ? fixed + nMinimum : fixed - nMinimum;
        }
    };
    if (sides.left)
        keepApart(lpRect->left, lpRect->right, true, m_sizeMin.cx);
    if (sides.right)
        keepApart(lpRect->right, lpRect->left, false, m_sizeMin.cx);
    if (sides.top)
        keepApart(lpRect->top, lpRect->bottom, true, m_sizeMin.cy);
    if (sides.bottom)
        keepApart(lpRect->bottom, lpRect->top, false, m_sizeMin.cy);
}

void CRectTracker::OnChangedRect(const CRect&) {}

CRect CRectTracker::MovedRect(const CRect& rectStart, int nHandle, CSize offset)
{
    const HandleSides sides = SidesOf(nHandle);
    CRect rect = rectStart;
    if (sides.left)
        rect.left += offset.cx;
    if (sides.right)
        rect.right += offset.cx;
    if (sides.top)
        rect.top += offset.cy;
    if (sides.bottom)
        rect.bottom += offset.cy;
    return rect;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    const int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    // Another capture (a drag of someone else's) must not be taken away.
    if (pWnd == nullptr || ::GetCapture() != nullptr)
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    m_rect.NormalizeRect();
    const CRect rectSave = m_rect;
    const CPoint pointStart = point;

    ::SetCapture(hWnd);
    if (::GetCapture() != hWnd)
        return FALSE;
    pWnd->UpdateWindow();

    CClientDC dc(pWnd);
    bool bFeedbackShown = false;
    CRect rectFeedback;
    auto showFeedback = [&](const CRect& rect) {
        if (bFeedbackShown)
            DrawTrackerRect(&rectFeedback, pWndClipTo, &dc, pWnd);
        rectFeedback = rect;
        DrawTrackerRect(&rectFeedback, pWndClipTo, &dc, pWnd);
        bFeedbackShown = true;
    };
    auto hideFeedback = [&]() {
        if (bFeedbackShown)
            DrawTrackerRect(&rectFeedback, pWndClipTo, &dc, pWnd);
        bFeedbackShown = false;
    };
    auto moveTo = [&](CPoint pointMouse) {
        CRect rect = MovedRect(rectSave, nHandle, pointMouse - pointStart);
        AdjustRect(nHandle, &rect);
        if (rect == m_rect)
            return;
        const CRect rectOld = m_rect;
        m_rect = rect;
        showFeedback(m_rect);
        OnChangedRect(rectOld);
    };
    auto cancel = [&]() {
        hideFeedback();
        if (m_rect != rectSave)
        {
            const CRect rectOld = m_rect;
            m_rect = rectSave;
            OnChangedRect(rectOld);
        }
    };

    BOOL bChanged = FALSE;
    for (;;)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            // The program is ending: give the quit back to the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            cancel();
            break;
        }
        if (::GetCapture() != hWnd)
        {
            cancel();
            ::DispatchMessageA(&msg);
            break;
        }
        const CPoint pointMouse(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        if (msg.message == WM_MOUSEMOVE)
        {
            moveTo(pointMouse);
        }
        else if (msg.message == WM_LBUTTONUP)
        {
            moveTo(pointMouse);
            hideFeedback();
            bChanged = m_rect != rectSave;
            break;
        }
        else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN)
        {
            cancel();
            break;
        }
        else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR)
        {
            // Keys belong to the tracking while it lasts; everything else goes on as usual.
            ::DispatchMessageA(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return bChanged;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT)
        return FALSE;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(pWnd->GetSafeHwnd(), &point);
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    nHandle = NormalizeHit(nHandle);
    ::SetCursor(::LoadCursorA(nullptr, CursorOf(nHandle)));
    return TRUE;
}
