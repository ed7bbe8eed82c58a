// Bitmap references in cell values: parsing, loading once per process, and drawing into a DC.
#include "grid/controls/DIBPool.h"

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// Counts the loads the pool asks for.
class CountingPool : public CGXDIBPool
{
public:
    HGLOBAL LoadDIB(LPCTSTR pszReference, LPCTSTR pszResource) override
    {
        ++nLoads;
        return CGXDIBPool::LoadDIB(pszReference, pszResource);
    }
    int nLoads = 0;
};

// A packed 24-bit DIB, bottom-up, whose top half is red and bottom half blue.
HGLOBAL MakeDib(int nWidth, int nHeight)
{
    const int nStride = ((nWidth * 24 + 31) / 32) * 4;
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + nStride * nHeight);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDIB));
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(p);
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = nWidth;
    pHeader->biHeight = nHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = 24;
    BYTE* pBits = p + sizeof(BITMAPINFOHEADER);
    for (int row = 0; row < nHeight; ++row)  // row 0 is the image's bottom
        for (int x = 0; x < nWidth; ++x)
        {
            BYTE* px = pBits + row * nStride + x * 3;
            const bool bTopHalf = row >= nHeight / 2;
            px[0] = bTopHalf ? 0 : 255;  // blue
            px[2] = bTopHalf ? 255 : 0;  // red
        }
    ::GlobalUnlock(hDIB);
    return hDIB;
}

class DIBCanvas : public ::testing::Test
{
protected:
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(120, 120, 1, 32, nullptr));
        pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 120, 120, kWhite);
    }
    void TearDown() override { dc.SelectObject(pOld); }
};
}  // namespace

TEST(CGXDIBPool, ParsesReferences)
{
    struct
    {
        LPCTSTR pszText;
        bool bReference;
        LPCTSTR pszKey;
    } const cases[] = {
        {"#BMP(5)", true, "#5"},
        {"#bmp(5)", true, "#5"},
        {"#Bmp(123)", true, "#123"},
        {"#BMP(\"LOGO\")", true, "LOGO"},
        {"#BMP(0)", false, ""},
        {"#BMP(\"LOGO)", false, ""},
        {"BMP(5)", false, ""},
        {"#BMP", false, ""},
        {"#BMP(-3)", false, ""},
        {"#BMP(70000)", false, ""},
        {"plain text", false, ""},
    };
    CGXDIBPool pool;
    for (const auto& c : cases)
    {
        CString key;
        LPCTSTR pszResource = pool.ParseReference(c.pszText, key);
        EXPECT_EQ(c.bReference, pszResource != nullptr) << c.pszText;
        if (c.bReference)
        {
            EXPECT_STREQ(c.pszKey, key) << c.pszText;
        }
    }
    CString key;
    EXPECT_EQ(MAKEINTRESOURCEA(5), pool.ParseReference("#BMP(5)", key));
}

TEST(CGXDIBPool, FormatsReferences)
{
    CGXDIBPool pool;
    CString text;
    pool.FormatIdReference(5, text);
    EXPECT_STREQ("#BMP(5)", text);
    pool.FormatNamedReference("LOGO", text);
    EXPECT_STREQ("#BMP(\"LOGO\")", text);
}

TEST(CGXDIBPool, LoadsEachResourceOnce)
{
    CountingPool pool;
    HGLOBAL hFirst = pool.LookupDIB("#BMP(101)");
    ASSERT_NE(nullptr, hFirst);
    EXPECT_EQ(1, pool.nLoads);
    EXPECT_EQ(hFirst, pool.LookupDIB("#bmp(101)"));
    EXPECT_EQ(1, pool.nLoads) << "a second use loads nothing again";

    EXPECT_NE(nullptr, pool.LookupDIB("#BMP(\"LOGO\")"));
    EXPECT_EQ(2, pool.nLoads);

    EXPECT_EQ(nullptr, pool.LookupDIB("#BMP(999)"));
    EXPECT_EQ(nullptr, pool.LookupDIB("#BMP(999)"));
    EXPECT_EQ(3, pool.nLoads) << "a missing resource is remembered";

    EXPECT_EQ(nullptr, pool.LookupDIB("no reference"));
    EXPECT_EQ(3, pool.nLoads);
}

TEST(CGXDIBPool, ProcessPoolIsOne)
{
    EXPECT_EQ(GXGetDIBPool(), GXGetDIBPool());
}

TEST_F(DIBCanvas, CellValueDrawsTheBitmapResource)
{
    HGLOBAL hDIB = GXGetDIBPool()->LookupDIB("#BMP(101)");
    ASSERT_NE(nullptr, hDIB);
    CGXDIB dib;
    ASSERT_TRUE(dib.Attach(hDIB));
    EXPECT_EQ(8, dib.GetWidth());
    EXPECT_EQ(4, dib.GetHeight());
    const CRect drawn = CGXDIB::Draw(&dc, dib.GetHandle(), CRect(10, 10, 50, 50), CGXDIB::drawNatural, 0);
    EXPECT_EQ(hDIB, dib.Detach()) << "the pool keeps the handle";
    EXPECT_EQ(CRect(10, 10, 18, 14), drawn);
    EXPECT_EQ(kRed, dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, dc.GetPixel(16, 11));
    EXPECT_EQ(kBlue, dc.GetPixel(10, 13));
    EXPECT_EQ(kGreen, dc.GetPixel(17, 10));
    EXPECT_EQ(kWhite, dc.GetPixel(18, 10));
    EXPECT_EQ(kWhite, dc.GetPixel(10, 14));
}

TEST_F(DIBCanvas, NaturalSizeIsAlignedInTheCell)
{
    HGLOBAL hDIB = MakeDib(8, 4);
    struct
    {
        UINT nAlign;
        CRect expected;
    } const cases[] = {
        {0, CRect(0, 0, 8, 4)},
        {DT_CENTER | DT_VCENTER, CRect(6, 8, 14, 12)},
        {DT_RIGHT | DT_BOTTOM, CRect(12, 16, 20, 20)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CGXDIB::Draw(&dc, hDIB, CRect(0, 0, 20, 20), CGXDIB::drawNatural, c.nAlign));
    ::GlobalFree(hDIB);
}

TEST_F(DIBCanvas, NaturalSizeCutsTallBitmapsByAlignment)
{
    HGLOBAL hDIB = MakeDib(4, 4);
    // One row of room: the top row unless the cell aligns to the bottom.
    EXPECT_EQ(CRect(0, 0, 4, 1), CGXDIB::Draw(&dc, hDIB, CRect(0, 0, 4, 1), CGXDIB::drawNatural, 0));
    EXPECT_EQ(kRed, dc.GetPixel(0, 0));
    EXPECT_EQ(CRect(10, 0, 14, 1), CGXDIB::Draw(&dc, hDIB, CRect(10, 0, 14, 1), CGXDIB::drawNatural, DT_BOTTOM));
    EXPECT_EQ(kBlue, dc.GetPixel(10, 0));
    // Wider than the cell: cut from the left.
    EXPECT_EQ(CRect(20, 0, 22, 4), CGXDIB::Draw(&dc, hDIB, CRect(20, 0, 22, 10), CGXDIB::drawNatural, 0));
    ::GlobalFree(hDIB);
}

TEST_F(DIBCanvas, StretchAndUniformScale)
{
    HGLOBAL hWide = MakeDib(100, 50);
    EXPECT_EQ(CRect(0, 0, 30, 90), CGXDIB::Draw(&dc, hWide, CRect(0, 0, 30, 90), CGXDIB::drawStretch, 0));
    struct
    {
        UINT nAlign;
        CRect expected;
    } const cases[] = {
        {0, CRect(0, 0, 50, 25)},
        {DT_BOTTOM, CRect(0, 25, 50, 50)},
        {DT_VCENTER, CRect(0, 12, 50, 37)},
        {DT_CENTER | DT_VCENTER, CRect(0, 12, 50, 37)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CGXDIB::Draw(&dc, hWide, CRect(0, 0, 50, 50), CGXDIB::drawScale, c.nAlign))
            << c.nAlign;
    ::GlobalFree(hWide);
}

TEST_F(DIBCanvas, BrokenBlocksDrawNothing)
{
    HGLOBAL hTiny = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    CGXDIB dib;
    EXPECT_FALSE(dib.Attach(hTiny));
    EXPECT_EQ(nullptr, dib.GetHandle());
    EXPECT_TRUE(CGXDIB::Draw(&dc, hTiny, CRect(0, 0, 10, 10), CGXDIB::drawNatural, 0).IsRectEmpty());
    EXPECT_TRUE(CGXDIB::Draw(&dc, nullptr, CRect(0, 0, 10, 10), CGXDIB::drawNatural, 0).IsRectEmpty());
    ::GlobalFree(hTiny);
}

TEST(CGXDIB, AnOwnedDibIsFreedAsGlobalMemory)
{
    HGLOBAL hDIB = MakeDib(2, 2);
    {
        CGXDIB dib;
        ASSERT_TRUE(dib.Attach(hDIB));
    }
    // Freed: the handle no longer names a block.
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), ::GlobalFlags(hDIB));
}
