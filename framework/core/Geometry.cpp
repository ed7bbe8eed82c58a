#include "framework/core/Geometry.h"

void CRect::CopyRect(LPCRECT source)
{
    if (!source) {
        SetRectEmpty();
        return;
    }
    left = source->left;
    top = source->top;
    right = source->right;
    bottom = source->bottom;
}

BOOL CRect::EqualRect(LPCRECT other) const
{
    return other && left == other->left && top == other->top && right == other->right && bottom == other->bottom;
}

void CRect::InflateRect(int dx, int dy)
{
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
}

void CRect::InflateRect(LPCRECT sides)
{
    if (sides)
        InflateRect(sides->left, sides->top, sides->right, sides->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(LPCRECT sides)
{
    if (sides)
        InflateRect(-sides->left, -sides->top, -sides->right, -sides->bottom);
}

void CRect::OffsetRect(int dx, int dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CRect::NormalizeRect()
{
    if (left > right) {
        const LONG swap = left;
        left = right;
        right = swap;
    }
    if (top > bottom) {
        const LONG swap = top;
        top = bottom;
        bottom = swap;
    }
}

BOOL CRect::IntersectRect(LPCRECT a, LPCRECT b)
{
    return ::IntersectRect(this, a, b);
}

BOOL CRect::UnionRect(LPCRECT a, LPCRECT b)
{
    return ::UnionRect(this, a, b);
}

BOOL CRect::SubtractRect(LPCRECT from, LPCRECT remove)
{
    return ::SubtractRect(this, from, remove);
}

CRect CRect::MulDiv(int multiplier, int divisor) const
{
    return CRect(::MulDiv(left, multiplier, divisor), ::MulDiv(top, multiplier, divisor),
                 ::MulDiv(right, multiplier, divisor), ::MulDiv(bottom, multiplier, divisor));
}
