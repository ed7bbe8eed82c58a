#include "framework/core/Geometry.h"

#include <gtest/gtest.h>

namespace {
void ExpectRect(const CRect& r, int l, int t, int rr, int b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}
} // namespace

TEST(Geometry, PointsAndSizesCombine)
{
    CPoint p(10, 20);
    const CSize s(3, 4);
    EXPECT_EQ(p + s, CPoint(13, 24));
    EXPECT_EQ(p - s, CPoint(7, 16));
    EXPECT_EQ(p - CPoint(4, 5), CSize(6, 15));
    EXPECT_EQ(-p, CPoint(-10, -20));
    p += s;
    p.Offset(1, 1);
    EXPECT_EQ(p, CPoint(14, 25));
    EXPECT_EQ(s + CSize(1, 1), CSize(4, 5));
    // Mouse messages pack signed 16-bit coordinates.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-5), 7))), CPoint(-5, 7));
}

TEST(Geometry, RectMeasuresAndCorners)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    r.BottomRight() = CPoint(200, 100);
    ExpectRect(r, 10, 20, 200, 100);
    r.TopLeft() += CSize(5, 5);
    ExpectRect(r, 15, 25, 200, 100);
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

TEST(Geometry, EmptyNullAndHitTesting)
{
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
    const CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
}

TEST(Geometry, RectMovesGrowsAndNormalizes)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    ExpectRect(r, 8, 7, 22, 23);
    r.DeflateRect(1, 2, 3, 4);
    ExpectRect(r, 9, 9, 19, 19);
    r.OffsetRect(CPoint(-9, 1));
    ExpectRect(r, 0, 10, 10, 20);
    r.MoveToXY(100, 200);
    ExpectRect(r, 100, 200, 110, 210);
    CRect inverted(50, 60, 10, 20);
    inverted.NormalizeRect();
    ExpectRect(inverted, 10, 20, 50, 60);
    ExpectRect(CRect(0, 0, 10, 10) + CPoint(1, 2), 1, 2, 11, 12);
    ExpectRect(CRect(0, 0, 10, 10).MulDiv(3, 2), 0, 0, 15, 15);
}

TEST(Geometry, IntersectionAndUnion)
{
    const CRect a(0, 0, 10, 10), b(5, 5, 20, 20), apart(30, 30, 40, 40);
    CRect r;
    EXPECT_TRUE(r.IntersectRect(a, b));
    ExpectRect(r, 5, 5, 10, 10);
    r.SetRect(1, 1, 2, 2);
    EXPECT_FALSE(r.IntersectRect(a, apart));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(a, b));
    ExpectRect(r, 0, 0, 20, 20);
    ExpectRect(a & b, 5, 5, 10, 10);
    ExpectRect(a | apart, 0, 0, 40, 40);
    // The union skips an empty operand.
    ExpectRect(a | CRect(100, 100, 100, 100), 0, 0, 10, 10);
}
