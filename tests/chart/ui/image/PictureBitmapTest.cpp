// Pictures filled from device-dependent bitmaps, turned back into bitmaps and drawn.
#include <memory>

#include <gtest/gtest.h>

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "tests/chart/ui/image/PictureTestSupport.h"

namespace {

const COLORREF Red = RGB(255, 0, 0);
const COLORREF Blue = RGB(0, 0, 255);

// A screen-compatible bitmap: red everywhere, a blue 4 x 3 block in the top-left corner.
void PaintBitmap(CDC& screen, CBitmap& bitmap, int width, int height)
{
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, width, height));
    HDC memory = ::CreateCompatibleDC(screen.GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, bitmap.GetSafeHandle());
    HBRUSH red = ::CreateSolidBrush(Red), blue = ::CreateSolidBrush(Blue);
    RECT all = {0, 0, width, height}, corner = {0, 0, 4, 3};
    ::FillRect(memory, &all, red);
    ::FillRect(memory, &corner, blue);
    ::DeleteObject(red);
    ::DeleteObject(blue);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

class PictureBitmap : public ::testing::Test
{
protected:
    // The screen's own DC: a memory DC would make monochrome compatible bitmaps.
    void SetUp() override { ASSERT_TRUE(screen.Attach(::GetDC(NULL))); }
    void TearDown() override { ::ReleaseDC(NULL, screen.Detach()); }
    CDC screen;
};

TEST_F(PictureBitmap, ScreenBitmapGivesA24BitPictureTheRightWayUp)
{
    CBitmap bitmap;
    PaintBitmap(screen, bitmap, 10, 6);
    TestDib picture;
    ASSERT_TRUE(picture.CreateFromBitmap(&screen, &bitmap));
    EXPECT_EQ(picture.GetBitsPerPixel(), 24);
    EXPECT_EQ(picture.GetWidth(), 10);
    EXPECT_EQ(picture.GetHeight(), 6);
    EXPECT_EQ(picture.GetStride(), 32u);
    EXPECT_TRUE(picture.HasImage());
    const BYTE* corner = picture.PixelAt(1, 1);
    EXPECT_EQ(corner[0], 255); // blue
    EXPECT_EQ(corner[2], 0);
    const BYTE* rest = picture.PixelAt(8, 5);
    EXPECT_EQ(rest[0], 0);
    EXPECT_EQ(rest[2], 255); // red

    TempFile file(".bmp");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));
    EXPECT_EQ(ReadFileBytes(file.Path()).size(), 54u + 32 * 6);
}

TEST_F(PictureBitmap, PaletteBitmapGivesA256ColourBmp)
{
    // An 8-bit device-dependent bitmap, as on a 256-colour display.
    std::vector<BYTE> bits(8 * 4, 3);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 4, 1, 8, bits.data()));
    TestDib picture;
    ASSERT_TRUE(picture.CreateFromBitmap(&screen, &bitmap));
    EXPECT_EQ(picture.GetBitsPerPixel(), 8);
    EXPECT_EQ(picture.GetColorCount(), 256);
    EXPECT_NE(picture.GetPalette(), nullptr);

    TempFile file(".bmp");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));
    const std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    ASSERT_EQ(bytes.size(), 1078u + 8 * 4);
    EXPECT_EQ(U32At(bytes, 10), 1078u);
}

TEST_F(PictureBitmap, CreateBitmapAndDrawGiveThePixelsBack)
{
    CBitmap source;
    PaintBitmap(screen, source, 10, 6);
    TestDib picture;
    ASSERT_TRUE(picture.CreateFromBitmap(&screen, &source));

    std::unique_ptr<CBitmap> made(picture.CreateBitmap(&screen));
    ASSERT_NE(made, nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap* old = memory.SelectObject(made.get());
    EXPECT_EQ(memory.GetPixel(1, 1), Blue);
    EXPECT_EQ(memory.GetPixel(8, 5), Red);

    // Drawn at twice the size into a second bitmap.
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 20, 12));
    memory.SelectObject(&target);
    const RECT destination = {0, 0, 20, 12}, whole = {0, 0, 10, 6};
    EXPECT_EQ(picture.Draw(&memory, destination, whole), 6);
    EXPECT_EQ(memory.GetPixel(3, 3), Blue);
    EXPECT_EQ(memory.GetPixel(18, 10), Red);
    memory.SelectObject(old);
}

TEST_F(PictureBitmap, BitmapFromAFileIsTheRightWayUp)
{
    CBitmap source;
    PaintBitmap(screen, source, 10, 6);
    TestDib picture;
    ASSERT_TRUE(picture.CreateFromBitmap(&screen, &source));
    TempFile file(".bmp");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));

    TestDib reader;
    std::unique_ptr<CBitmap> made(reader.CreateBitmap(file.Path()));
    ASSERT_NE(made, nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap* old = memory.SelectObject(made.get());
    EXPECT_EQ(memory.GetPixel(1, 1), Blue);
    EXPECT_EQ(memory.GetPixel(8, 5), Red);
    memory.SelectObject(old);
}

} // namespace
