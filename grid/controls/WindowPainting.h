#pragma once
// What the drawn windows of the cell controls (calculator, currency edit, drop edit) share when they
// paint themselves.

#include "framework/win/Dc.h"
#include "grid/core/DrawingAndFormatting.h"

#include <windows.h>

// WM_PAINT of a window that draws all of its client area: the drawing goes to a memory bitmap first
// and reaches the screen in one copy, so a repaint does not flicker. Without a memory bitmap it draws
// straight on the screen.
template <class TDraw>
void GXPaintBuffered(HWND hWnd, TDraw draw)
{
    PAINTSTRUCT ps;
    const HDC hDC = ::BeginPaint(hWnd, &ps);
    RECT client;
    ::GetClientRect(hWnd, &client);
    const HDC hMem = ::CreateCompatibleDC(hDC);
    const HBITMAP hBitmap = hMem != nullptr ? ::CreateCompatibleBitmap(hDC, client.right, client.bottom) : nullptr;
    if (hMem != nullptr && hBitmap != nullptr)
    {
        const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        draw(CDC::FromHandle(hMem));
        const RECT& clip = ps.rcPaint;
        ::BitBlt(hDC, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, hMem, clip.left, clip.top,
                 SRCCOPY);
        ::SelectObject(hMem, hOld);
    }
    else
        draw(CDC::FromHandle(hDC));
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hMem != nullptr)
        ::DeleteDC(hMem);
    ::EndPaint(hWnd, &ps);
}

// A one-pixel 3-d frame just inside the rectangle: top and left lines in one colour, bottom and right
// lines in the other.
inline void GXFrameRect3d(HDC hDC, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    CDC* pDC = CDC::FromHandle(hDC);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect.left, rect.top, cx - 1, 1, topLeft);
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect.left, rect.top, 1, cy - 1, topLeft);
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect.left + cx, rect.top, -1, cy, bottomRight);
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect.left, rect.top + cy, cx, -1, bottomRight);
}
