#include "grid/controls/DropEdit.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/controls/UxTheme.h"
#include "grid/controls/WindowPainting.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <vssym32.h>
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CGXBDropEdit, CEdit)

namespace
{
const CGXSysColors& SysColors()
{
    return GXGetAppData()->m_sysColors;
}
}  // namespace

CGXBDropEdit::CGXBDropEdit() = default;

CGXBDropEdit::~CGXBDropEdit()
{
    m_bitmap.DeleteObject();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CGXBDropEdit::CreateEditWindow(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CEdit::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CGXBDropEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    GXGetAppData()->m_sysColors.Update();
    if (!CreateEditWindow(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    if (GetBitmapHandle() != nullptr)
        RecalcFrame();
    return TRUE;
}

void CGXBDropEdit::RecalcFrame()
{
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

BOOL CGXBDropEdit::SetBitmap(LPCTSTR lpszResourceName)
{
    m_bitmap.DeleteObject();
    m_rectButton.SetRectEmpty();
    // A resource name (not an id) is kept as a copy of its own.
    m_strImageName = IS_INTRESOURCE(lpszResourceName) ? CString() : CString(lpszResourceName);
    m_lpszImageName = IS_INTRESOURCE(lpszResourceName) ? lpszResourceName : static_cast<LPCTSTR>(m_strImageName);
    if (lpszResourceName != nullptr && !CGXDrawingAndFormatting::LoadBitmapResource(m_bitmap, lpszResourceName))
        m_lpszImageName = nullptr;
    if (m_hWnd != nullptr)
        RecalcFrame();
    return TRUE;
}

int CGXBDropEdit::GetButtonWidth() const
{
    if (GetBitmapHandle() == nullptr)
        return 0;
    BITMAP bm = {};
    ::GetObjectA(GetBitmapHandle(), sizeof bm, &bm);
    return m_nLeftMargin + 4 + bm.bmWidth + m_nRightMargin;
}

BOOL CGXBDropEdit::HitTest(int x, int y, BOOL bClient)
{
    POINT point = {x, y};
    const HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
    {
        if (bClient)
            ::ClientToScreen(m_hWnd, &point);
        ::ScreenToClient(hParent, &point);
    }
    return m_rectButton.PtInRect(point);
}

void CGXBDropEdit::OnClicked()
{
    const HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
        ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBDropEdit::SetFlag(WORD wFlag, BOOL bSet)
{
    m_wFlags = static_cast<WORD>(bSet ? (m_wFlags | wFlag) : (m_wFlags & ~wFlag));
}

void CGXBDropEdit::RedrawButton(BOOL bNow)
{
    if (m_hWnd == nullptr || m_rectButton.IsRectEmpty())
        return;
    // The button lies in this window's frame: invalidating the parent would not reach it.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE | (bNow ? RDW_UPDATENOW : 0));
}

void CGXBDropEdit::OnNcCalcSizeButton(RECT* pRect)
{
    const int nWidth = GetButtonWidth();
    if (nWidth == 0)
    {
        m_rectButton.SetRectEmpty();
        return;
    }
    if ((m_wFlags & flagRightEdge) != 0)
    {
        m_rectButton.SetRect(pRect->right - nWidth, pRect->top, pRect->right, pRect->bottom);
        pRect->right -= nWidth;
    }
    else
    {
        m_rectButton.SetRect(pRect->left, pRect->top, pRect->left + nWidth, pRect->bottom);
        pRect->left += nWidth;
    }
}

void CGXBDropEdit::DrawButton(CDC* pDC, CRect rect)
{
    const HDC hDC = pDC->GetSafeHdc();
    const CGXSysColors& colors = SysColors();
    BOOL bThemed = FALSE;
    if (GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive())
    {
        CWnd* pMain = AfxGetMainWnd();
        const HTHEME hTheme = GXUxTheme::OpenThemeData(pMain != nullptr ? pMain->GetSafeHwnd() : m_hWnd, L"BUTTON");
        if (hTheme != nullptr)
        {
            int nState = PBS_NORMAL;
            if ((m_wFlags & flagPressed) != 0)
                nState = PBS_PRESSED;
            else if ((m_wFlags & flagHot) != 0)
                nState = PBS_HOT;
            GXUxTheme::DrawThemeBackground(hTheme, hDC, BP_PUSHBUTTON, nState, &rect, nullptr);
            GXUxTheme::CloseThemeData(hTheme);
            rect.DeflateRect(2, 2);
            bThemed = TRUE;
        }
    }
    if (!bThemed)
    {
        if ((m_wFlags & flagPressed) == 0)
        {
            GXFrameRect3d(hDC, rect, colors.m_clrBtnFace, colors.m_clrWindowFrame);
            rect.DeflateRect(1, 1);
            GXFrameRect3d(hDC, rect, colors.m_clrBtnHilight, colors.m_clrBtnShadow);
            rect.DeflateRect(1, 1);
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, colors.m_clrBtnFace);
        }
        else
        {
            GXFrameRect3d(hDC, rect, colors.m_clrBtnShadow, colors.m_clrBtnShadow);
            rect.DeflateRect(1, 1);
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, colors.m_clrBtnFace);
            rect.DeflateRect(1, 1);
        }
    }

    const HBITMAP hImage = GetBitmapHandle();
    if (hImage == nullptr)
        return;
    const HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC == nullptr)
        return;
    BITMAP bm = {};
    ::GetObjectA(hImage, sizeof bm, &bm);
    const int nShift = (m_wFlags & flagPressed) != 0 ? 1 : 0;
    const HGDIOBJ hOld = ::SelectObject(hMemDC, hImage);
    ::BitBlt(hDC, rect.left + m_nLeftMargin + nShift, rect.top + (rect.Height() - bm.bmHeight) / 2 + nShift,
             bm.bmWidth, bm.bmHeight, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}

void CGXBDropEdit::DrawDisabledLook(HDC hDC, int x, int y, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return;
    const CGXSysColors& colors = SysColors();
    const HDC hMonoDC = ::CreateCompatibleDC(hDC);
    const HBITMAP hMono = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    if (hMonoDC == nullptr || hMono == nullptr)
    {
        if (hMonoDC != nullptr)
            ::DeleteDC(hMonoDC);
        if (hMono != nullptr)
            ::DeleteObject(hMono);
        return;
    }
    const HGDIOBJ hOldMono = ::SelectObject(hMonoDC, hMono);
    ::PatBlt(hMonoDC, 0, 0, cx, cy, WHITENESS);
    // Face pixels become white in the mask, then highlight pixels too; the rest stays black.
    const COLORREF oldBack = ::SetBkColor(hDC, colors.m_clrBtnFace);
    ::BitBlt(hMonoDC, 0, 0, cx, cy, hDC, x, y, SRCCOPY);
    ::SetBkColor(hDC, colors.m_clrBtnHilight);
    ::BitBlt(hMonoDC, 0, 0, cx, cy, hDC, x, y, SRCPAINT);
    ::SetBkColor(hDC, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    // The brush goes where the mask is black: highlight one pixel down-right, shadow on top.
    const DWORD kPaintWhereBlack = 0x00B8074A;
    const HBRUSH hHilight = ::CreateSolidBrush(colors.m_clrBtnHilight);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hHilight);
    ::BitBlt(hDC, x + 1, y + 1, cx - 1, cy - 1, hMonoDC, 0, 0, kPaintWhereBlack);
    const HBRUSH hShadow = ::CreateSolidBrush(colors.m_clrBtnShadow);
    ::SelectObject(hDC, hShadow);
    ::BitBlt(hDC, x, y, cx, cy, hMonoDC, 0, 0, kPaintWhereBlack);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hHilight);
    ::DeleteObject(hShadow);
    ::SetBkColor(hDC, oldBack);
    ::SetTextColor(hDC, oldText);
    ::SelectObject(hMonoDC, hOldMono);
    ::DeleteObject(hMono);
    ::DeleteDC(hMonoDC);
}

void CGXBDropEdit::PaintButton()
{
    if (GetBitmapHandle() == nullptr || m_rectButton.IsRectEmpty())
        return;
    // From the parent's client coordinates to this window's.
    CRect rect = m_rectButton;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    POINT origin = {window.left, window.top};
    if (const HWND hParent = ::GetParent(m_hWnd))
        ::ScreenToClient(hParent, &origin);
    rect.OffsetRect(-origin.x, -origin.y);

    const HDC hWindowDC = ::GetWindowDC(m_hWnd);
    if (hWindowDC == nullptr)
        return;
    const HDC hMemDC = ::CreateCompatibleDC(hWindowDC);
    const HBITMAP hMem = hMemDC != nullptr ? ::CreateCompatibleBitmap(hWindowDC, rect.Width(), rect.Height()) : nullptr;
    if (hMemDC == nullptr || hMem == nullptr)
    {
        if (hMemDC != nullptr)
            ::DeleteDC(hMemDC);
        DrawButton(CDC::FromHandle(hWindowDC), rect);
        ::ReleaseDC(m_hWnd, hWindowDC);
        return;
    }
    const HGDIOBJ hOld = ::SelectObject(hMemDC, hMem);
    DrawButton(CDC::FromHandle(hMemDC), CRect(0, 0, rect.Width(), rect.Height()));
    if (!::IsWindowEnabled(m_hWnd))
        DrawDisabledLook(hMemDC, 2, 2, rect.Width() - 4, rect.Height() - 4);
    ::BitBlt(hWindowDC, rect.left, rect.top, rect.Width(), rect.Height(), hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteObject(hMem);
    ::DeleteDC(hMemDC);
    ::ReleaseDC(m_hWnd, hWindowDC);
}

LRESULT CGXBDropEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCALCSIZE:
    {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        OnNcCalcSizeButton(reinterpret_cast<RECT*>(lParam));
        return lResult;
    }
    case WM_NCHITTEST:
    {
        const LRESULT lHit = CEdit::WindowProc(message, wParam, lParam);
        if (lHit == HTNOWHERE && HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
            return HTBORDER;
        return lHit;
    }
    case WM_NCPAINT:
    {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        PaintButton();
        return lResult;
    }
    case WM_NCLBUTTONDOWN:
        if ((m_wFlags & flagPressed) == 0 && HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
        {
            SetFlag(flagPressed | flagTracking, TRUE);
            RedrawButton(TRUE);
            ::SetCapture(m_hWnd);
            return 0;
        }
        break;
    case WM_NCMOUSEMOVE:
        if ((m_wFlags & flagHot) == 0 && HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
        {
            SetFlag(flagHot, TRUE);
            RedrawButton(FALSE);
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, m_hWnd, HOVER_DEFAULT};
            GXUxTheme::TrackMouseEvent(&track);
        }
        break;
    case WM_NCMOUSELEAVE:
        if ((m_wFlags & flagHot) != 0)
        {
            SetFlag(flagHot, FALSE);
            RedrawButton(FALSE);
        }
        break;
    case WM_MOUSEMOVE:
        if ((m_wFlags & flagTracking) != 0)
        {
            const BOOL bOver = HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), TRUE);
            if (bOver != ((m_wFlags & flagPressed) != 0))
            {
                SetFlag(flagPressed, bOver);
                RedrawButton(TRUE);
            }
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if ((m_wFlags & flagTracking) != 0)
        {
            SetFlag(flagTracking, FALSE);
            ::ReleaseCapture();
            if ((m_wFlags & flagPressed) != 0)
            {
                SetFlag(flagPressed, FALSE);
                RedrawButton(TRUE);
            }
            if (HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), TRUE))
                OnClicked();
            return 0;
        }
        break;
    case WM_CANCELMODE:
        if ((m_wFlags & flagTracking) != 0)
        {
            SetFlag(flagTracking | flagPressed, FALSE);
            ::ReleaseCapture();
            RedrawButton(TRUE);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_F4)
        {
            OnClicked();
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN)
        {
            OnClicked();
            return 0;
        }
        break;
    case WM_ENABLE:
        RedrawButton(FALSE);
        break;
    case WM_SYSCOLORCHANGE:
        GXGetAppData()->m_sysColors.Update();
        if (GetBitmapHandle() != nullptr)
        {
            m_bitmap.DeleteObject();
            if (!CGXDrawingAndFormatting::LoadBitmapResource(m_bitmap, m_lpszImageName))
                m_lpszImageName = nullptr;
        }
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
