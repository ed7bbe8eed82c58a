// CPoint, CSize and CRect: value types over POINT, SIZE and RECT that can be passed wherever Win32 wants those.
#pragma once

#include <windows.h>

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT point) { x = point.x; y = point.y; }
    CPoint(SIZE size) { x = size.cx; y = size.cy; }
    // A packed point as in a mouse message's LPARAM: signed 16-bit x in the low word, y in the high word.
    explicit CPoint(LPARAM packed)
    {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY) { x = newX; y = newY; }

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const;
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CSize : public SIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE size) { cx = size.cx; cy = size.cy; }
    CSize(POINT point) { cx = point.x; cy = point.y; }
    explicit CSize(DWORD packed)
    {
        cx = static_cast<short>(LOWORD(packed));
        cy = static_cast<short>(HIWORD(packed));
    }

    void SetSize(int newCX, int newCY) { cx = newCX; cy = newCY; }

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
    CPoint operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rect) { CopyRect(&rect); }
    CRect(LPCRECT rect) { CopyRect(rect); }
    CRect(POINT point, SIZE size) { left = point.x; top = point.y; right = point.x + size.cx; bottom = point.y + size.cy; }
    CRect(POINT topLeft, POINT bottomRight) { left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners are the rectangle's own members: writing through them moves the edges.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { const LONG swap = left; left = right; right = swap; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty: no area (width or height not positive). Null: all four edges 0.
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    // The right and bottom edges lie outside, as for every Win32 rectangle.
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void CopyRect(LPCRECT source);
    BOOL EqualRect(LPCRECT other) const;

    void InflateRect(int dx, int dy);
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT sides);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT sides);
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy);
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int newLeft) { right = Width() + newLeft; left = newLeft; }
    void MoveToY(int newTop) { bottom = Height() + newTop; top = newTop; }
    void MoveToXY(int newLeft, int newTop) { MoveToX(newLeft); MoveToY(newTop); }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }
    // Swaps edges so that left <= right and top <= bottom.
    void NormalizeRect();

    // Win32 semantics: an empty result is set to (0,0,0,0) and FALSE returned.
    BOOL IntersectRect(LPCRECT a, LPCRECT b);
    BOOL UnionRect(LPCRECT a, LPCRECT b);
    BOOL SubtractRect(LPCRECT from, LPCRECT remove);

    CRect MulDiv(int multiplier, int divisor) const;

    CRect& operator=(const RECT& other) { CopyRect(&other); return *this; }
    bool operator==(const RECT& other) const { return EqualRect(&other) != FALSE; }
    bool operator!=(const RECT& other) const { return !(*this == other); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT sides) { InflateRect(sides); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT sides) { DeflateRect(sides); }
    void operator&=(const RECT& other) { IntersectRect(this, &other); }
    void operator|=(const RECT& other) { UnionRect(this, &other); }

    CRect operator+(POINT point) const { CRect r(*this); r.OffsetRect(point); return r; }
    CRect operator-(POINT point) const { CRect r(*this); r.OffsetRect(-point.x, -point.y); return r; }
    CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size); return r; }
    CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
    CRect operator+(LPCRECT sides) const { CRect r(*this); r.InflateRect(sides); return r; }
    CRect operator-(LPCRECT sides) const { CRect r(*this); r.DeflateRect(sides); return r; }
    CRect operator&(const RECT& other) const { CRect r; r.IntersectRect(this, &other); return r; }
    CRect operator|(const RECT& other) const { CRect r; r.UnionRect(this, &other); return r; }
};

inline CSize CPoint::operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
inline CRect CPoint::operator+(const RECT* rect) const { CRect r(rect); r.OffsetRect(x, y); return r; }
inline CRect CPoint::operator-(const RECT* rect) const { CRect r(rect); r.OffsetRect(-x, -y); return r; }
inline CRect CSize::operator+(const RECT* rect) const { CRect r(rect); r.OffsetRect(cx, cy); return r; }
inline CRect CSize::operator-(const RECT* rect) const { CRect r(rect); r.OffsetRect(-cx, -cy); return r; }
