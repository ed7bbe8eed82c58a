// Pixel operations of BWKPicture.
#include <gtest/gtest.h>

#include "chart/ui/image/PixelIndex.h"
#include "tests/chart/ui/image/PictureTestSupport.h"

namespace {

struct Shape
{
    int bitsPerPixel;
    int width;
    int height;
};

class PixelOperations : public ::testing::TestWithParam<Shape>
{
protected:
    void SetUp() override
    {
        const Shape& shape = GetParam();
        ASSERT_TRUE(picture.Create(shape.width, shape.height, shape.bitsPerPixel));
        FillPattern(picture, 11);
        original = BitsOf(picture);
    }
    // Colour index (or 24-bit value) of pixel x in storage row.
    long Pixel(const BWKPicture& p, int x, int row) const
    {
        const BYTE* bytes = p.GetBits() + static_cast<size_t>(row) * p.GetStride();
        if (p.GetBitsPerPixel() == 24)
            return bytes[3 * x] | bytes[3 * x + 1] << 8 | bytes[3 * x + 2] << 16;
        return PixelIndex::Get(bytes, x, p.GetBitsPerPixel(), true);
    }
    TestDib picture;
    std::vector<BYTE> original;
};

TEST_P(PixelOperations, FlipTwiceGivesTheOriginal)
{
    ASSERT_TRUE(picture.Flip());
    EXPECT_NE(BitsOf(picture), original);
    ASSERT_TRUE(picture.Flip());
    EXPECT_EQ(BitsOf(picture), original);
}

TEST_P(PixelOperations, MirrorTwiceGivesTheOriginal)
{
    ASSERT_TRUE(picture.Mirror());
    EXPECT_NE(BitsOf(picture), original);
    ASSERT_TRUE(picture.Mirror());
    EXPECT_EQ(BitsOf(picture), original);
}

TEST_P(PixelOperations, FlipSwapsRowsAndMirrorReversesThem)
{
    TestDib flipped;
    ASSERT_TRUE(flipped.Copy(picture));
    ASSERT_TRUE(flipped.Flip());
    TestDib mirrored;
    ASSERT_TRUE(mirrored.Copy(picture));
    ASSERT_TRUE(mirrored.Mirror());
    const int width = picture.GetWidth(), height = picture.GetHeight();
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(Pixel(flipped, x, height - 1 - row), Pixel(picture, x, row));
            EXPECT_EQ(Pixel(mirrored, width - 1 - x, row), Pixel(picture, x, row));
        }
}

TEST_P(PixelOperations, QuarterTurnsComeBackRound)
{
    ASSERT_TRUE(picture.Rotate90(1));
    EXPECT_EQ(picture.GetWidth(), GetParam().height);
    EXPECT_EQ(picture.GetHeight(), GetParam().width);
    ASSERT_TRUE(picture.Rotate90(0));
    EXPECT_EQ(BitsOf(picture), original);
    for (int turn = 0; turn < 4; ++turn)
        ASSERT_TRUE(picture.Rotate90(1));
    EXPECT_EQ(BitsOf(picture), original);
}

TEST_P(PixelOperations, PackAndAlignRoundTrip)
{
    ASSERT_TRUE(picture.PackRows());
    EXPECT_EQ(picture.GetStride(), BWKPicture::PackedRowSize(picture.GetWidth(), picture.GetBitsPerPixel()));
    ASSERT_TRUE(picture.AlignRows());
    EXPECT_EQ(BitsOf(picture), original);
}

TEST_P(PixelOperations, CropKeepsTheWindowAsSeenFromTheTop)
{
    TestDib cropped;
    ASSERT_TRUE(cropped.Copy(picture));
    // A window from (1, 1) that reaches past the right and bottom edges is cut there.
    ASSERT_TRUE(cropped.Crop(1, 1, 1000, 2));
    const int width = picture.GetWidth(), height = picture.GetHeight();
    ASSERT_EQ(cropped.GetWidth(), width - 1);
    ASSERT_EQ(cropped.GetHeight(), 2);
    EXPECT_EQ(cropped.GetStride(), BWKPicture::AlignedRowSize(width - 1, picture.GetBitsPerPixel()));
    for (int top = 0; top < 2; ++top)
        for (int x = 0; x < width - 1; ++x)
            EXPECT_EQ(Pixel(cropped, x, 1 - top), Pixel(picture, x + 1, height - 2 - top));
}

INSTANTIATE_TEST_SUITE_P(BitDepths, PixelOperations,
                         ::testing::Values(Shape{24, 5, 3}, Shape{24, 4, 4}, Shape{8, 7, 5}, Shape{4, 9, 4},
                                           Shape{1, 13, 6}));

TEST(PictureRotate, ClockwiseTurnPutsTheLeftColumnOnTop)
{
    // 3 x 2 (top row a b c, bottom row d e f) turns clockwise into 2 x 3: d a / e b / f c.
    TestDib picture;
    ASSERT_TRUE(picture.Create(3, 2, 8));
    const char top[] = "abc", bottom[] = "def";
    for (int x = 0; x < 3; ++x) {
        *picture.PixelAt(x, 0) = top[x];
        *picture.PixelAt(x, 1) = bottom[x];
    }
    ASSERT_TRUE(picture.Rotate90(1));
    ASSERT_EQ(picture.GetWidth(), 2);
    ASSERT_EQ(picture.GetHeight(), 3);
    const char* expected[] = {"da", "eb", "fc"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(*picture.PixelAt(x, y), expected[y][x]) << x << "," << y;
}

TEST(PictureCrop, WindowOutsideThePictureIsRefused)
{
    TestDib picture;
    ASSERT_TRUE(picture.Create(4, 4, 24));
    EXPECT_FALSE(picture.Crop(4, 0, 1, 1));
    EXPECT_FALSE(picture.Crop(0, -1, 1, 1));
    EXPECT_FALSE(picture.Crop(0, 0, 0, 1));
    EXPECT_EQ(picture.GetWidth(), 4);
}

TEST(PictureContrast, MoreContrastDarkensDarkAndLightensLightKeepingGreyGrey)
{
    struct Case
    {
        int amount;
        BYTE grey;
        int expectedSign; // of the change
    };
    const Case cases[] = {{10, 64, -1}, {10, 192, +1}, {0, 64, +1}, {-5, 192, -1}, {10, 128, 0}, {0x10000, 64, +1}};
    for (const Case& c : cases) {
        TestDib picture;
        ASSERT_TRUE(picture.Create(1, 1, 24));
        picture.SetBgr(0, 0, c.grey, c.grey, c.grey);
        ASSERT_TRUE(picture.AdjustContrast(c.amount));
        const BYTE* pixel = picture.PixelAt(0, 0);
        EXPECT_EQ(pixel[0], pixel[1]);
        EXPECT_EQ(pixel[1], pixel[2]);
        const int change = pixel[0] - c.grey;
        EXPECT_EQ((change > 0) - (change < 0), c.expectedSign) << c.amount << " " << int(c.grey);
    }
}

TEST(PictureContrast, PaletteEntriesChangeAndKeepTheirHue)
{
    TestDib picture;
    ASSERT_TRUE(picture.Create(2, 2, 8));
    picture.SetTableEntry(0, 60, 30, 0);
    ASSERT_TRUE(picture.AdjustContrast(1));
    const RGBQUAD& entry = picture.GetColorTable()[0];
    EXPECT_LT(entry.rgbRed, 60);
    EXPECT_EQ(entry.rgbBlue, 0);
    EXPECT_NEAR(entry.rgbGreen * 2, entry.rgbRed, 2);
}

TEST(PictureCopy, IsDeepAndIndependent)
{
    TestDib picture;
    ASSERT_TRUE(picture.Create(3, 3, 8));
    FillPattern(picture, 2);
    TestJpeg copy;
    ASSERT_TRUE(copy.Copy(picture));
    EXPECT_EQ(BitsOf(copy), BitsOf(picture));
    EXPECT_NE(copy.GetBits(), picture.GetBits());
    EXPECT_EQ(0, memcmp(copy.GetColorTable(), picture.GetColorTable(), 1024));
    EXPECT_NE(copy.GetPalette(), nullptr);
    copy.GetBits()[0] ^= 0xFF;
    EXPECT_NE(BitsOf(copy), BitsOf(picture));
}

TEST(PictureOperations, WithoutAnImageDoNothing)
{
    TestDib picture;
    EXPECT_FALSE(picture.Flip());
    EXPECT_FALSE(picture.Mirror());
    EXPECT_FALSE(picture.Rotate90(1));
    EXPECT_FALSE(picture.Crop(0, 0, 1, 1));
    EXPECT_FALSE(picture.AdjustContrast(1));
}

} // namespace
