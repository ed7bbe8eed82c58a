// Fills, frames, edges, pattern bitmaps and resource bitmaps of the drawing toolbox.
#include "grid/core/DrawingAndFormatting.h"

#include "grid/core/Color.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Style.h"

#include "DrawingTestSupport.h"

namespace
{
CGXDrawingAndFormatting& Drawing() { return *CGXDrawingAndFormatting::GetInstance(); }
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

using DrawingFrames = DrawingCanvas;
}  // namespace

TEST_F(DrawingFrames, FillSolidRectResolvesSystemColoursAndKeepsTheBackground)
{
    dc.SetBkColor(RGB(0, 255, 0));
    CGXDrawingAndFormatting::FillSolidRect(&dc, 5, 5, 4, 4, GXSysColorValue(COLOR_BTNSHADOW));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(5, 5));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(8, 8));
    EXPECT_EQ(kWhite, dc.GetPixel(9, 9));
    EXPECT_EQ(RGB(0, 255, 0), dc.GetBkColor());
}

TEST_F(DrawingFrames, Draw3dFrameDrawsOneRingPerLevel)
{
    Drawing().Draw3dFrame(&dc, 10, 10, 30, 30, 2, kRed, kBlue);
    EXPECT_EQ(kRed, dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, dc.GetPixel(10, 28));
    EXPECT_EQ(kRed, dc.GetPixel(28, 10));
    EXPECT_EQ(kBlue, dc.GetPixel(29, 29));
    EXPECT_EQ(kBlue, dc.GetPixel(29, 10));
    EXPECT_EQ(kBlue, dc.GetPixel(10, 29));
    EXPECT_EQ(kRed, dc.GetPixel(11, 11));
    EXPECT_EQ(kBlue, dc.GetPixel(28, 28));
    EXPECT_EQ(kWhite, dc.GetPixel(12, 12)) << "the inside stays";
    EXPECT_EQ(kWhite, dc.GetPixel(30, 30));
}

TEST_F(DrawingFrames, EdgeFrameShrinksTheRectangleByItsEdges)
{
    struct
    {
        BOOL bOuter, bInner;
        int nInset;
    } const cases[] = {{FALSE, FALSE, 0}, {TRUE, FALSE, 1}, {FALSE, TRUE, 2}, {TRUE, TRUE, 3}};
    for (const auto& c : cases)
    {
        CRect rect(10, 10, 50, 50);
        Drawing().DrawEdgeFrame(&dc, rect, c.bOuter, c.bInner);
        EXPECT_EQ(CRect(10 + c.nInset, 10 + c.nInset, 50 - c.nInset, 50 - c.nInset), rect)
            << c.bOuter << c.bInner;
    }
    EXPECT_TRUE(CGXDrawingAndFormatting::DrawEdgeRect(&dc, 60, 10, 90, 40, EDGE_RAISED));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), dc.GetPixel(89, 39));
}

TEST_F(DrawingFrames, InvertRectClippedStaysInsideTheClip)
{
    CGXDrawingAndFormatting::InvertRectClipped(&dc, CRect(0, 0, 20, 20), CRect(10, 10, 30, 30));
    EXPECT_EQ(kWhite, dc.GetPixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(15, 15));
    CGXDrawingAndFormatting::InvertRectClipped(&dc, CRect(40, 40, 50, 50), CRect(0, 0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(45, 45)) << "an empty clip does not clip";
}

TEST_F(DrawingFrames, PatternBitmapsAreBuiltOnceAndDrawTheirBits)
{
    CBitmap* pGrey = Drawing().GetPatternBitmap(5);
    ASSERT_NE(nullptr, pGrey);
    ASSERT_NE(nullptr, pGrey->GetSafeHandle());
    EXPECT_EQ(pGrey, Drawing().GetPatternBitmap(5));
    EXPECT_EQ(nullptr, Drawing().GetPatternBitmap(GX_PATTERN_COUNT));
    EXPECT_EQ(nullptr, Drawing().GetPatternBitmap(-1));

    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    CBitmap* pOld = source.SelectObject(pGrey);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(kWhite);
    dc.BitBlt(0, 0, 8, 8, &source, 0, 0, SRCCOPY);
    source.SelectObject(pOld);
    // Alternating pixels: a 50 % pattern.
    EXPECT_NE(dc.GetPixel(0, 0), dc.GetPixel(1, 0));
    EXPECT_NE(dc.GetPixel(0, 0), dc.GetPixel(0, 1));
    EXPECT_EQ(dc.GetPixel(0, 0), dc.GetPixel(1, 1));
}

TEST(DrawingBitmaps, DibColourCounts)
{
    struct
    {
        WORD nBits;
        DWORD nUsed;
        UINT nExpected;
    } const cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {24, 0, 0}, {8, 20, 20}};
    for (const auto& c : cases)
    {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biBitCount = c.nBits;
        header.biClrUsed = c.nUsed;
        EXPECT_EQ(c.nExpected, GXGetDibNumColors(&header));
    }
}

TEST(DrawingBitmaps, BitmapResourceIsCopiedIntoGlobalMemory)
{
    HGLOBAL hCopy = CGXDrawingAndFormatting::CopyBitmapResource(::GetModuleHandleA(nullptr), "GRIDTEST_BUTTONCOLORS");
    ASSERT_NE(nullptr, hCopy);
    const BITMAPINFOHEADER* pHeader = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hCopy));
    EXPECT_EQ(5, pHeader->biWidth);
    EXPECT_EQ(4, pHeader->biBitCount);
    ::GlobalUnlock(hCopy);
    ::GlobalFree(hCopy);
    EXPECT_EQ(nullptr, CGXDrawingAndFormatting::CopyBitmapResource(::GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"));
}

TEST_F(DrawingFrames, LoadedBitmapTakesTheButtonColours)
{
    CBitmap loaded;
    ASSERT_TRUE(CGXDrawingAndFormatting::LoadBitmapResource(loaded, "GRIDTEST_BUTTONCOLORS"));
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    CBitmap* pOld = source.SelectObject(&loaded);
    const COLORREF expected[5] = {::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNSHADOW),
                                  ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT), kRed};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(expected[x], source.GetPixel(x, 0)) << x;
    source.SelectObject(pOld);

    CBitmap missing;
    EXPECT_FALSE(CGXDrawingAndFormatting::LoadBitmapResource(missing, "NO_SUCH_BITMAP"));
    EXPECT_EQ(nullptr, missing.GetSafeHandle());
}

namespace
{
class UpperCaseFormatter : public CGXAbstractNumberFormattingImp
{
public:
    CString FormatValue(const CGXStyle* pStyle, LPCTSTR pszValue, unsigned, int, int) override
    {
        // Without a text the style's own value is formatted.
        CString text = pszValue != nullptr ? CString(pszValue) : pStyle->GetValue();
        text.MakeUpper();
        return text;
    }
    BOOL ParseValue(LPCTSTR, double& dValue, unsigned*, unsigned*) override
    {
        dValue = 7.0;
        return TRUE;
    }
};
}  // namespace

TEST(DrawingFormatting, ValueTextGoesThroughTheFormattingComponentWhenInstalled)
{
    // Library start-up in an earlier test installs the real component: this test installs its own.
    CGXAbstractNumberFormattingImp* pInstalled = GXGetLibraryLinks().pNumberFormattingImp;
    GXGetLibraryLinks().pNumberFormattingImp = nullptr;
    CGXStyle style;
    style.SetValue("abc");
    EXPECT_STREQ("abc", Drawing().FormatValueText(style));
    EXPECT_STREQ("xyz", Drawing().FormatValueText(style, "xyz"));
    double dValue = 0.0;
    EXPECT_FALSE(Drawing().ConvertValueText("1", dValue));

    UpperCaseFormatter formatter;
    GXGetLibraryLinks().pNumberFormattingImp = &formatter;
    EXPECT_STREQ("ABC", Drawing().FormatValueText(style));
    EXPECT_TRUE(Drawing().ConvertValueText("1", dValue));
    GXGetLibraryLinks().pNumberFormattingImp = pInstalled;
    EXPECT_EQ(7.0, dValue);
    EXPECT_EQ(0, Drawing().DrawRotatedText(nullptr, "x", 1, CRect(0, 0, 10, 10), 0, 900));
}
