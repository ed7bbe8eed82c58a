// Device contexts: drawing into a memory DC and reading pixels back, selection, state, mapping,
// clipping, and the split between output and attribute handles.
#include "framework/win/Dc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A 64 x 64 true-colour memory DC painted white.
class Canvas : public ::testing::Test
{
protected:
    static constexpr int kSize = 64;
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(kSize, kSize, 1, 32, nullptr));
        oldBitmap = dc.SelectObject(&bitmap);
        ASSERT_NE(oldBitmap, nullptr);
        dc.FillSolidRect(0, 0, kSize, kSize, kWhite);
    }

    void TearDown() override
    {
        if (oldBitmap != nullptr)
            dc.SelectObject(oldBitmap);
    }

    int CountPixels(const RECT& area, COLORREF color)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += dc.GetPixel(x, y) == color;
        return count;
    }
};

}  // namespace

TEST_F(Canvas, FillSolidRectPaintsAndKeepsTheBackgroundColour)
{
    dc.SetBkColor(kGreen);
    dc.FillSolidRect(10, 10, 5, 5, kRed);
    EXPECT_EQ(dc.GetPixel(10, 10), kRed);
    EXPECT_EQ(dc.GetPixel(14, 14), kRed);
    EXPECT_EQ(dc.GetPixel(15, 15), kWhite);
    EXPECT_EQ(dc.GetPixel(9, 10), kWhite);
    EXPECT_EQ(dc.GetBkColor(), kGreen);
}

TEST_F(Canvas, RectangleUsesThePenForTheBorderAndTheBrushInside)
{
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_TRUE(dc.Rectangle(10, 10, 30, 30));
    EXPECT_EQ(dc.GetPixel(10, 10), kRed);
    EXPECT_EQ(dc.GetPixel(29, 20), kRed);
    EXPECT_EQ(dc.GetPixel(20, 20), kBlue);
    EXPECT_EQ(dc.GetPixel(30, 30), kWhite);  // right and bottom edges are exclusive
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST_F(Canvas, SelectionReturnsTheObjectSelectedBefore)
{
    CPen red(PS_SOLID, 1, kRed);
    CPen blue(PS_SOLID, 1, kBlue);
    CPen* first = dc.SelectObject(&red);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.GetCurrentPen(), &blue);
    EXPECT_EQ(dc.SelectObject(first), &blue);
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, ::GetStockObject(BLACK_PEN));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(oldFont, nullptr);
    CGdiObject* previous = dc.SelectStockObject(SYSTEM_FONT);
    EXPECT_EQ(previous, &font);
    dc.SelectObject(oldFont);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
}

TEST_F(Canvas, SaveAndRestoreBringBackColoursObjectsAndMapping)
{
    CBrush brush(kRed);
    dc.SetTextColor(kBlue);
    int saved = dc.SaveDC();
    ASSERT_NE(saved, 0);

    dc.SetTextColor(kGreen);
    dc.SelectObject(&brush);
    dc.SetViewportOrg(5, 5);
    dc.SetBkMode(TRANSPARENT);

    ASSERT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), kBlue);
    EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, ::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.GetViewportOrg().x, 0);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);

    dc.SaveDC();
    dc.SetTextColor(kRed);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), kBlue);
}

TEST_F(Canvas, TextIsDrawnInTheTextColourWithinItsExtent)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(kBlack);
    dc.SetBkMode(TRANSPARENT);

    CString text("HH");
    CSize extent = dc.GetTextExtent(text);
    EXPECT_GT(extent.cx, 10);
    EXPECT_GE(extent.cy, 18);
    SIZE direct = {};
    ::GetTextExtentPoint32(dc.m_hDC, "HH", 2, &direct);
    EXPECT_EQ(extent.cx, direct.cx);

    ASSERT_TRUE(dc.TextOut(4, 4, text));
    RECT inside = {4, 4, 4 + extent.cx, 4 + extent.cy};
    RECT right = {4 + extent.cx + 1, 0, kSize, kSize};
    EXPECT_GT(CountPixels(inside, kBlack), 20);
    EXPECT_EQ(CountPixels(right, kBlack), 0);

    TEXTMETRIC metrics = {};
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, extent.cy);
    CString face;
    EXPECT_GT(dc.GetTextFace(face), 0);
    dc.SelectObject(oldFont);
}

TEST_F(Canvas, DrawTextCalculatesAndAligns)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
    CFont* oldFont = dc.SelectObject(&font);
    CRect calc(0, 0, 0, 0);
    int height = dc.DrawText(CString("Wide"), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Width(), dc.GetTextExtent("Wide", 4).cx);
    EXPECT_EQ(height, calc.Height());

    dc.SetTextColor(kRed);
    CRect box(0, 0, kSize, 20);
    dc.DrawText("I", 1, &box, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    RECT leftHalf = {0, 0, kSize / 2, 20};
    RECT rightHalf = {kSize / 2, 0, kSize, 20};
    EXPECT_EQ(CountPixels(leftHalf, kRed), 0);
    EXPECT_GT(CountPixels(rightHalf, kRed), 0);
    dc.SelectObject(oldFont);
}

TEST_F(Canvas, LinesFollowTheCurrentPosition)
{
    CPen pen(PS_SOLID, 1, kBlue);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(5, 20);
    CPoint previous = dc.MoveTo(5, 10);
    EXPECT_EQ(previous.x, 5);
    EXPECT_EQ(previous.y, 20);
    ASSERT_TRUE(dc.LineTo(40, 10));
    EXPECT_EQ(dc.GetCurrentPosition().x, 40);
    EXPECT_EQ(dc.GetPixel(5, 10), kBlue);
    EXPECT_EQ(dc.GetPixel(39, 10), kBlue);
    EXPECT_EQ(dc.GetPixel(40, 10), kWhite);  // the last point is not drawn

    const POINT zigzag[3] = {{0, 50}, {10, 50}, {10, 60}};
    dc.Polyline(zigzag, 3);
    EXPECT_EQ(dc.GetPixel(5, 50), kBlue);
    EXPECT_EQ(dc.GetPixel(10, 55), kBlue);
    dc.SelectObject(oldPen);
}

TEST_F(Canvas, ShapesFillTheirInsides)
{
    CBrush brush(kGreen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.SelectStockObject(NULL_PEN);

    dc.Ellipse(0, 0, 20, 20);
    EXPECT_EQ(dc.GetPixel(10, 10), kGreen);
    EXPECT_EQ(dc.GetPixel(1, 1), kWhite);  // the corner lies outside the circle

    const POINT triangle[3] = {{30, 0}, {60, 0}, {30, 30}};
    dc.Polygon(triangle, 3);
    EXPECT_EQ(dc.GetPixel(33, 3), kGreen);
    EXPECT_EQ(dc.GetPixel(58, 28), kWhite);

    // Pie from the right (3 o'clock) counter-clockwise to the top (12 o'clock): the upper-right quarter.
    dc.Pie(0, 30, 30, 60, 30, 45, 15, 30);
    EXPECT_EQ(dc.GetPixel(20, 40), kGreen);
    EXPECT_EQ(dc.GetPixel(8, 52), kWhite);

    dc.RoundRect(40, 40, 60, 60, 6, 6);
    EXPECT_EQ(dc.GetPixel(50, 50), kGreen);
    dc.SelectObject(oldBrush);
    dc.SelectStockObject(BLACK_PEN);
}

TEST_F(Canvas, RectangleHelpers)
{
    CBrush red(kRed);
    CRect fill(0, 0, 10, 10);
    dc.FillRect(&fill, &red);
    EXPECT_EQ(dc.GetPixel(9, 9), kRed);

    CRect frame(20, 0, 30, 10);
    dc.FrameRect(&frame, &red);
    EXPECT_EQ(dc.GetPixel(20, 5), kRed);
    EXPECT_EQ(dc.GetPixel(25, 5), kWhite);

    CRect invert(0, 0, 5, 5);
    dc.InvertRect(&invert);
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 255, 255));

    dc.Draw3dRect(40, 0, 10, 10, kBlue, kGreen);
    EXPECT_EQ(dc.GetPixel(40, 0), kBlue);
    EXPECT_EQ(dc.GetPixel(40, 8), kBlue);
    EXPECT_EQ(dc.GetPixel(49, 0), kGreen);
    EXPECT_EQ(dc.GetPixel(40, 9), kGreen);
    EXPECT_EQ(dc.GetPixel(49, 9), kGreen);
    EXPECT_EQ(dc.GetPixel(45, 5), kWhite);
    EXPECT_EQ(dc.GetPixel(50, 5), kWhite);

    dc.PatBlt(0, 20, 4, 4, BLACKNESS);
    EXPECT_EQ(dc.GetPixel(3, 23), kBlack);
    EXPECT_EQ(dc.SetPixel(60, 60, kBlue), kBlue);
    EXPECT_EQ(dc.GetPixel(CPoint(60, 60)), kBlue);
}

TEST_F(Canvas, DrawEdgeAdjustsTheRectangleInward)
{
    CRect edge(10, 10, 40, 40);
    ASSERT_TRUE(dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(edge.left, 12);
    EXPECT_EQ(edge.top, 12);
    EXPECT_EQ(edge.right, 38);
    EXPECT_EQ(edge.bottom, 38);
    EXPECT_NE(dc.GetPixel(10, 20), kWhite);
    EXPECT_EQ(dc.GetPixel(20, 20), kWhite);

    dc.DrawFocusRect(CRect(0, 50, 10, 60));
    RECT topLine = {0, 50, 10, 51};
    RECT inside = {1, 51, 9, 59};
    EXPECT_GT(10 - CountPixels(topLine, kWhite), 2);  // dotted
    EXPECT_EQ(CountPixels(inside, kWhite), 8 * 8);
}

TEST_F(Canvas, MappingMovesDrawingAndConvertsPoints)
{
    CPoint previous = dc.SetWindowOrg(10, 10);
    EXPECT_EQ(previous.x, 0);
    dc.FillSolidRect(10, 10, 2, 2, kRed);
    EXPECT_EQ(dc.GetPixel(10, 10), kRed);  // GetPixel takes logical coordinates too
    POINT device = {10, 10};
    dc.LPtoDP(&device);
    EXPECT_EQ(device.x, 0);
    EXPECT_EQ(device.y, 0);
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);

    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(50, 25);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    CRect rect(0, 0, 100, 100);
    dc.LPtoDP(&rect);
    EXPECT_EQ(rect.right, 50);
    EXPECT_EQ(rect.bottom, 25);
    dc.DPtoLP(&rect);
    EXPECT_EQ(rect.right, 100);
    CSize size(20, 20);
    dc.LPtoDP(&size);
    EXPECT_EQ(size.cx, 10);
    EXPECT_EQ(size.cy, 5);
    EXPECT_EQ(dc.GetWindowExt().cx, 100);
    EXPECT_EQ(dc.GetViewportExt().cy, 25);
}

TEST_F(Canvas, HimetricFollowsTheResolution)
{
    int dpi = dc.GetDeviceCaps(LOGPIXELSX);
    CSize size(dpi, dpi);
    dc.DPtoHIMETRIC(&size);
    EXPECT_EQ(size.cx, 2540);
    dc.HIMETRICtoDP(&size);
    EXPECT_EQ(size.cx, dpi);
}

TEST_F(Canvas, ClippingLimitsDrawing)
{
    EXPECT_NE(dc.IntersectClipRect(10, 10, 20, 20), ERROR);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    EXPECT_TRUE(dc.PtVisible(15, 15));
    EXPECT_FALSE(dc.PtVisible(5, 5));

    dc.FillSolidRect(0, 0, kSize, kSize, kRed);
    EXPECT_EQ(dc.GetPixel(15, 15), kRed);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);

    dc.SelectClipRgn(nullptr);
    dc.ExcludeClipRect(0, 0, 32, 64);
    dc.FillSolidRect(0, 0, kSize, kSize, kBlue);
    EXPECT_EQ(dc.GetPixel(15, 15), kRed);
    EXPECT_EQ(dc.GetPixel(40, 15), kBlue);

    CRgn circle;
    circle.CreateEllipticRgn(0, 0, 64, 64);
    dc.SelectClipRgn(&circle);
    dc.FillSolidRect(0, 0, kSize, kSize, kGreen);
    EXPECT_EQ(dc.GetPixel(32, 32), kGreen);
    EXPECT_EQ(dc.GetPixel(1, 1), kWhite);

    dc.SelectClipRgn(nullptr);
    EXPECT_NE(dc.SelectClipRgn(&circle, RGN_DIFF), ERROR);
    dc.FillSolidRect(0, 0, kSize, kSize, kBlack);
    EXPECT_EQ(dc.GetPixel(1, 1), kBlack);
    EXPECT_EQ(dc.GetPixel(32, 32), kGreen);
}

TEST_F(Canvas, ClipPathFromAPolygon)
{
    const POINT triangle[3] = {{0, 0}, {64, 0}, {0, 64}};
    dc.BeginPath();
    dc.Polygon(triangle, 3);
    dc.EndPath();
    ASSERT_TRUE(dc.SelectClipPath(RGN_AND));
    dc.FillSolidRect(0, 0, kSize, kSize, kRed);
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(60, 60), kWhite);
}

TEST_F(Canvas, BlitsCopyAndStretch)
{
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    CBitmap sourceBitmap;
    ASSERT_TRUE(sourceBitmap.CreateCompatibleBitmap(&dc, 4, 4));
    CBitmap* oldSource = source.SelectObject(&sourceBitmap);
    source.FillSolidRect(0, 0, 4, 4, kBlue);
    source.SetPixel(0, 0, kRed);

    ASSERT_TRUE(dc.BitBlt(10, 10, 4, 4, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(dc.GetPixel(10, 10), kRed);
    EXPECT_EQ(dc.GetPixel(13, 13), kBlue);
    EXPECT_EQ(dc.GetPixel(14, 14), kWhite);

    ASSERT_TRUE(dc.StretchBlt(20, 20, 8, 8, &source, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(dc.GetPixel(21, 21), kRed);
    EXPECT_EQ(dc.GetPixel(27, 27), kBlue);

    ASSERT_TRUE(dc.TransparentBlt(40, 40, 4, 4, &source, 0, 0, 4, 4, kBlue));
    EXPECT_EQ(dc.GetPixel(40, 40), kRed);
    EXPECT_EQ(dc.GetPixel(42, 42), kWhite);
    source.SelectObject(oldSource);
}

TEST_F(Canvas, FromHandleGivesTheAttachedDC)
{
    EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
    HDC foreign = ::CreateCompatibleDC(nullptr);
    CDC* wrapper = CDC::FromHandle(foreign);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hDC, foreign);
    EXPECT_EQ(wrapper->m_hAttribDC, foreign);
    EXPECT_EQ(CDC::FromHandle(foreign), wrapper);
    CDC::DeleteTempMap();
    EXPECT_NE(::GetObjectType(foreign), 0u);  // the temporary did not delete the DC
    ::DeleteDC(foreign);
}

TEST_F(Canvas, DeletingTheDCReleasesIt)
{
    CDC other;
    ASSERT_TRUE(other.CreateCompatibleDC(nullptr));
    HDC hDC = other.m_hDC;
    EXPECT_TRUE(other.DeleteDC());
    EXPECT_EQ(other.m_hDC, nullptr);
    EXPECT_EQ(::GetObjectType(hDC), 0u);
    EXPECT_FALSE(other.DeleteDC());
}

// Print preview: drawing goes to one handle, measuring and state to both.
TEST(DcAttribute, SettersReachBothHandlesAndQueriesAskTheAttributeHandle)
{
    HDC output = ::CreateCompatibleDC(nullptr);
    HDC attrib = ::CreateCompatibleDC(nullptr);
    CDC dc;
    dc.SetOutputDC(output);
    dc.SetAttribDC(attrib);

    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetMapMode(MM_LOENGLISH);
    EXPECT_EQ(::GetTextColor(output), RGB(1, 2, 3));
    EXPECT_EQ(::GetTextColor(attrib), RGB(1, 2, 3));
    EXPECT_EQ(::GetMapMode(output), MM_LOENGLISH);

    CFont big;
    CFont small;
    big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    small.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    dc.SetMapMode(MM_TEXT);
    dc.SelectObject(&small);
    HGDIOBJ oldAttribFont = ::SelectObject(attrib, big.m_hObject);
    EXPECT_GT(dc.GetTextExtent("Text", 4).cy, dc.GetOutputTextExtent("Text", 4).cy);
    ::SelectObject(attrib, oldAttribFont);

    int saved = dc.SaveDC();
    EXPECT_NE(saved, 0);
    dc.SetTextColor(RGB(9, 9, 9));
    dc.RestoreDC(saved);
    EXPECT_EQ(::GetTextColor(output), RGB(1, 2, 3));
    EXPECT_EQ(::GetTextColor(attrib), RGB(1, 2, 3));

    dc.MoveTo(3, 4);
    dc.LineTo(7, 8);
    POINT position = {};
    ::GetCurrentPositionEx(attrib, &position);
    EXPECT_EQ(position.x, 7);
    EXPECT_EQ(position.y, 8);

    dc.SelectStockObject(SYSTEM_FONT);
    dc.ReleaseAttribDC();
    dc.ReleaseOutputDC();
    EXPECT_FALSE(dc.IsPrinting());
    ::DeleteDC(output);
    ::DeleteDC(attrib);
}
