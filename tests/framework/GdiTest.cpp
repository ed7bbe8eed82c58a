// GDI object wrappers: creation, read-back, ownership of the handle, and wrappers for foreign handles.
#define OEMRESOURCE  // OBM_ bitmap ids
#include "framework/win/Gdi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "framework/win/Dc.h"
#include "tests/tools/HeapCount.h"

namespace {

bool IsLiveObject(HGDIOBJ hObject)
{
    return ::GetObjectType(hObject) != 0;
}

}  // namespace

TEST(GdiObject, DeletesItsHandleOnDestructionUnlessDetached)
{
    HGDIOBJ kept = nullptr;
    HGDIOBJ deleted = nullptr;
    {
        CPen detachedPen(PS_SOLID, 1, RGB(1, 2, 3));
        CPen ownedPen(PS_SOLID, 1, RGB(4, 5, 6));
        kept = detachedPen.Detach();
        deleted = ownedPen.m_hObject;
        EXPECT_EQ(detachedPen.m_hObject, nullptr);
    }
    EXPECT_TRUE(IsLiveObject(kept));
    EXPECT_FALSE(IsLiveObject(deleted));
    ::DeleteObject(kept);
}

TEST(GdiObject, CreatingAgainReplacesTheOldHandle)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(10, 20, 30)));
    HGDIOBJ first = brush.m_hObject;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(40, 50, 60)));
    EXPECT_NE(brush.m_hObject, first);
    EXPECT_FALSE(IsLiveObject(first));
    LOGBRUSH logBrush = {};
    ASSERT_TRUE(brush.GetLogBrush(&logBrush));
    EXPECT_EQ(logBrush.lbColor, RGB(40, 50, 60));
}

TEST(GdiObject, FromHandleGivesTheAttachedObject)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    EXPECT_EQ(CFont::FromHandle(static_cast<HFONT>(font.m_hObject)), &font);
    EXPECT_EQ(CGdiObject::FromHandle(font.m_hObject), &font);
    font.DeleteObject();
    EXPECT_EQ(font.m_hObject, nullptr);
}

TEST(GdiObject, FromHandleWrapsAForeignHandleInATemporaryOfItsKind)
{
    HPEN hPen = ::CreatePen(PS_DASH, 1, RGB(7, 8, 9));
    CGdiObject* wrapper = CGdiObject::FromHandle(hPen);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hObject, hPen);
    EXPECT_NE(dynamic_cast<CPen*>(wrapper), nullptr);
    EXPECT_EQ(CPen::FromHandle(hPen), wrapper);
    EXPECT_EQ(CGdiObject::FromHandle(hPen), wrapper);

    CGdiObject::DeleteTempMap();
    EXPECT_TRUE(IsLiveObject(hPen));  // a temporary never owns its handle
    ::DeleteObject(hPen);
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
}

// In a process of its own: under Wine, a thread that ends after the process has made windows
// can hang in its exit (outside this code), which would stall the whole test run.
// The worker's maps are seen to end by the heap alone, which touches nothing of the ended thread:
// a worker that maps a hundred handles leaves hundreds of blocks behind if they do not.
TEST(GdiObjectDeathTest, AThreadsHandleMapsEndWithItAndObjectsOutlivingThemStillDeleteTheirHandles)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const int nForeign = 100;
            std::vector<HGDIOBJ> foreignBrushes;
            std::vector<HDC> foreignDCs;
            for (int i = 0; i < nForeign; ++i)
            {
                foreignBrushes.push_back(::CreateSolidBrush(RGB(i, 2, 3)));
                foreignDCs.push_back(::CreateCompatibleDC(nullptr));
            }
            // Made and attached on the worker, destroyed on this thread after the worker's maps ended.
            auto runWorker = [&] {
                CBrush* pLateBrush = nullptr;
                std::thread worker([&] {
                    pLateBrush = new CBrush;
                    pLateBrush->CreateSolidBrush(RGB(1, 2, 3));
                    for (int i = 0; i < nForeign; ++i)
                    {
                        CGdiObject::FromHandle(foreignBrushes[i]);
                        CDC::FromHandle(foreignDCs[i]);
                    }
                });
                worker.join();
                HGDIOBJ handle = pLateBrush->m_hObject;
                delete pLateBrush;
                return handle != nullptr && !IsLiveObject(handle);
            };
            // The first thread also makes what the runtime keeps for every later thread.
            const bool firstDeleted = runWorker();
            const HeapCount before = CountHeap();
            const bool secondDeleted = runWorker();
            const HeapCount after = CountHeap();
            std::fprintf(stderr, "the heap grew by %lld blocks\n", after.blocks - before.blocks);
            if (!firstDeleted || !secondDeleted)
                std::exit(1);
            std::exit(after.blocks - before.blocks < nForeign ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(GdiObject, StockObjectsAreWrappedByKind)
{
    CGdiObject stock;
    ASSERT_TRUE(stock.CreateStockObject(WHITE_BRUSH));
    EXPECT_EQ(stock.GetObjectType(), static_cast<UINT>(OBJ_BRUSH));
    EXPECT_NE(dynamic_cast<CFont*>(CGdiObject::FromHandle(::GetStockObject(DEFAULT_GUI_FONT))), nullptr);
    EXPECT_NE(dynamic_cast<CBrush*>(CGdiObject::FromHandle(::GetStockObject(GRAY_BRUSH))), nullptr);
    stock.Detach();
}

struct PenCase
{
    int style;
    int width;
    COLORREF color;
};

class PenRoundTrip : public ::testing::TestWithParam<PenCase>
{
};

TEST_P(PenRoundTrip, LogPenGivesBackWhatMadeThePen)
{
    const PenCase& c = GetParam();
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(c.style, c.width, c.color));
    LOGPEN logPen = {};
    ASSERT_EQ(pen.GetLogPen(&logPen), static_cast<int>(sizeof logPen));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(c.style));
    EXPECT_EQ(logPen.lopnWidth.x, c.width);
    EXPECT_EQ(logPen.lopnColor, c.color);
}

INSTANTIATE_TEST_SUITE_P(Pens, PenRoundTrip,
                         ::testing::Values(PenCase{PS_SOLID, 1, RGB(255, 0, 0)}, PenCase{PS_DOT, 1, RGB(0, 0, 0)},
                                           PenCase{PS_SOLID, 3, RGB(0, 128, 255)},
                                           PenCase{PS_DASHDOT, 1, RGB(9, 8, 7)}));

TEST(Pen, ExtCreatePenWithGeometricWidth)
{
    LOGBRUSH logBrush = {BS_SOLID, RGB(1, 2, 3), 0};
    CPen pen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, &logBrush);
    EXTLOGPEN extPen = {};
    ASSERT_GT(pen.GetExtLogPen(&extPen), 0);
    EXPECT_EQ(extPen.elpWidth, 5u);
    EXPECT_EQ(extPen.elpColor, RGB(1, 2, 3));
}

TEST(Brush, HatchAndSystemColourBrushes)
{
    CBrush hatch(HS_CROSS, RGB(0, 0, 255));
    LOGBRUSH logBrush = {};
    ASSERT_TRUE(hatch.GetLogBrush(&logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(logBrush.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));

    CBrush face;
    ASSERT_TRUE(face.CreateSysColorBrush(COLOR_BTNFACE));
    ASSERT_TRUE(face.GetLogBrush(&logBrush));
    EXPECT_EQ(logBrush.lbColor, ::GetSysColor(COLOR_BTNFACE));
}

TEST(Font, IndirectFontKeepsItsLogFont)
{
    LOGFONT logFont = {};
    logFont.lfHeight = -13;
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = TRUE;
    lstrcpy(logFont.lfFaceName, "Arial");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    LOGFONT back = {};
    ASSERT_TRUE(font.GetLogFont(&back));
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, TRUE);
    EXPECT_STREQ(back.lfFaceName, "Arial");
}

TEST(Font, PointFontHeightFollowsTheScreenResolution)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    LOGFONT logFont = {};
    ASSERT_TRUE(font.GetLogFont(&logFont));
    HDC screen = ::GetDC(nullptr);
    int expected = -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), 120, 720);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(logFont.lfHeight, expected);
    EXPECT_STREQ(logFont.lfFaceName, "Arial");
}

TEST(Font, PointFontHeightIsInTheLogicalUnitsOfTheGivenDC)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SetMapMode(MM_TWIPS);
    int pixels = ::MulDiv(dc.GetDeviceCaps(LOGPIXELSY), 120, 720);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial", &dc));
    LOGFONT logFont = {};
    ASSERT_TRUE(font.GetLogFont(&logFont));
    // 12 points are 240 twips; the pixel rounding allows a twip or two either way.
    EXPECT_NEAR(logFont.lfHeight, -::MulDiv(pixels, 1440, dc.GetDeviceCaps(LOGPIXELSY)), 2);
    EXPECT_NEAR(logFont.lfHeight, -240, 15);
}

TEST(Bitmap, BitsRoundTripAndDimensions)
{
    const DWORD pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, pixels));
    BITMAP info = {};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 32);

    DWORD back[4] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof back, back), sizeof back);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back[i] & 0x00FFFFFF, pixels[i]) << i;

    const DWORD replaced[4] = {1, 2, 3, 4};
    EXPECT_EQ(bitmap.SetBitmapBits(sizeof replaced, replaced), sizeof replaced);
    bitmap.GetBitmapBits(sizeof back, back);
    EXPECT_EQ(back[3] & 0x00FFFFFF, 4u);
}

TEST(Bitmap, CompatibleBitmapTakesTheDCsFormat)
{
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 10, 7));
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 7);
    EXPECT_EQ(info.bmBitsPixel, screen.GetDeviceCaps(BITSPIXEL));
    ::ReleaseDC(nullptr, screen.Detach());
}

TEST(Bitmap, LoadsFromTheResourceModule)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(9300));
    BITMAP info = {};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&bitmap);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
    dc.SelectObject(old);

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap("NO_SUCH_BITMAP"));
    EXPECT_EQ(missing.m_hObject, nullptr);
}

TEST(Bitmap, OemBitmapLoads)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadOEMBitmap(OBM_CHECK));
    BITMAP info = {};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_GT(info.bmWidth, 0);
}

struct PointCase
{
    int x;
    int y;
    bool inside;
};

class TriangleRegion : public ::testing::TestWithParam<PointCase>
{
};

TEST_P(TriangleRegion, PtInRegion)
{
    const POINT triangle[3] = {{0, 0}, {40, 0}, {0, 40}};
    CRgn region;
    ASSERT_TRUE(region.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_EQ(region.PtInRegion(GetParam().x, GetParam().y) != FALSE, GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(Points, TriangleRegion,
                         ::testing::Values(PointCase{1, 1, true}, PointCase{10, 10, true}, PointCase{30, 30, false},
                                           PointCase{-1, 5, false}, PointCase{38, 1, true}));

TEST(Rgn, CombineIntoAFreshRegion)
{
    CRgn left;
    CRgn right;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 20, 10));
    ASSERT_TRUE(right.CreateRectRgn(10, 0, 30, 10));

    CRgn both;  // no handle yet: combining makes one
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_AND), SIMPLEREGION);
    RECT box = {};
    EXPECT_EQ(both.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 20);

    CRgn either;
    EXPECT_NE(either.CombineRgn(&left, &right, RGN_OR), ERROR);
    EXPECT_TRUE(either.PtInRegion(25, 5));
    EXPECT_FALSE(either.PtInRegion(31, 5));

    CRgn copy;
    EXPECT_NE(copy.CopyRgn(&both), ERROR);
    EXPECT_TRUE(copy.EqualRgn(&both));
    copy.OffsetRgn(5, 0);
    EXPECT_FALSE(copy.EqualRgn(&both));
    EXPECT_FALSE(copy.PtInRegion(12, 5));
    EXPECT_TRUE(copy.PtInRegion(22, 5));
}

TEST(Rgn, SetRectRgnMovesOrMakesTheRegion)
{
    CRgn region;
    region.SetRectRgn(0, 0, 5, 5);
    ASSERT_NE(region.m_hObject, nullptr);
    RECT rect = {10, 10, 20, 20};
    region.SetRectRgn(&rect);
    EXPECT_TRUE(region.PtInRegion(15, 15));
    EXPECT_FALSE(region.PtInRegion(2, 2));
    EXPECT_TRUE(region.RectInRegion(&rect));
}

TEST(Palette, EntriesRoundTrip)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[3];
    } logPalette = {};
    logPalette.header.palVersion = 0x300;
    logPalette.header.palNumEntries = 4;
    PALETTEENTRY* entries = logPalette.header.palPalEntry;
    entries[0] = {255, 0, 0, 0};
    entries[1] = {0, 255, 0, 0};
    entries[2] = {0, 0, 255, 0};
    entries[3] = {10, 20, 30, 0};

    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&logPalette.header));
    EXPECT_EQ(palette.GetEntryCount(), 4);
    PALETTEENTRY back[4] = {};
    EXPECT_EQ(palette.GetPaletteEntries(0, 4, back), 4u);
    EXPECT_EQ(back[3].peRed, 10);
    EXPECT_EQ(back[3].peGreen, 20);
    EXPECT_EQ(back[3].peBlue, 30);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 250, 5)), 1u);

    EXPECT_TRUE(palette.ResizePalette(6));
    EXPECT_EQ(palette.GetEntryCount(), 6);
    EXPECT_EQ(CPalette().GetEntryCount(), 0);
}
