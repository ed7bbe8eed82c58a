// JPEG files written and read by BWKJpeg, checked against the JPEG library used directly.
#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

#include "framework/core/File.h"
#include "tests/chart/ui/image/PictureTestSupport.h"

#include <jpeglib.h>

namespace {

struct Decoded
{
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<BYTE> pixels; // top row first, red, green, blue
    const BYTE* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * components]; }
};

// Plain library calls with the standard error manager and stdio source: an independent reader.
Decoded DecodeWithLibrary(const char* path)
{
    Decoded result;
    FILE* input = fopen(path, "rb");
    if (!input)
        return result;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, input);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.components = info.output_components;
    result.pixels.resize(static_cast<size_t>(result.width) * result.height * result.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &result.pixels[static_cast<size_t>(info.output_scanline) * result.width * result.components];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    fclose(input);
    return result;
}

void EncodeGreyWithLibrary(const char* path, int width, int height)
{
    FILE* output = fopen(path, "wb");
    ASSERT_NE(output, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, output);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<BYTE> row(width);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<BYTE>(x * 255 / (width - 1));
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    fclose(output);
}

// 64 x 48: red left half, blue right half, a green band over the bottom 16 rows.
std::unique_ptr<TestJpeg> MakeColourBlocks()
{
    auto picture = std::make_unique<TestJpeg>();
    picture->SetDisplayColorCount(0);
    picture->Create(64, 48, 24);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            if (y >= 32)
                picture->SetBgr(x, y, 0, 255, 0);
            else if (x < 32)
                picture->SetBgr(x, y, 0, 0, 255);
            else
                picture->SetBgr(x, y, 255, 0, 0);
        }
    return picture;
}

// 301 x 203 with fine texture: a file of several 4096-byte blocks, rows with padding.
std::unique_ptr<TestJpeg> MakeTexture()
{
    auto picture = std::make_unique<TestJpeg>();
    picture->SetDisplayColorCount(0);
    picture->Create(301, 203, 24);
    unsigned state = 17;
    for (int y = 0; y < 203; ++y)
        for (int x = 0; x < 301; ++x) {
            state = state * 1103515245u + 12345u;
            const BYTE noise = static_cast<BYTE>(state >> 24);
            picture->SetBgr(x, y, static_cast<BYTE>(y), noise, static_cast<BYTE>(x / 2));
        }
    return picture;
}

void ExpectRgbNear(const BYTE* rgb, int red, int green, int blue)
{
    EXPECT_NEAR(rgb[0], red, 24);
    EXPECT_NEAR(rgb[1], green, 24);
    EXPECT_NEAR(rgb[2], blue, 24);
}

TEST(JpegFile, SavedPictureDecodesWithSizeAndColoursKept)
{
    auto picture = MakeColourBlocks();
    TempFile file(".jpg");
    ASSERT_TRUE(picture->SaveToPath(file.Path()));

    const Decoded decoded = DecodeWithLibrary(file.Path());
    ASSERT_EQ(decoded.width, 64);
    ASSERT_EQ(decoded.height, 48);
    ASSERT_EQ(decoded.components, 3);
    ExpectRgbNear(decoded.At(12, 12), 255, 0, 0); // red stays red
    ExpectRgbNear(decoded.At(50, 12), 0, 0, 255);
    ExpectRgbNear(decoded.At(30, 42), 0, 255, 0);
}

TEST(JpegFile, SaveLeavesThePictureAsItWas)
{
    auto picture = MakeColourBlocks();
    const std::vector<BYTE> before = BitsOf(*picture);
    TempFile file(".jpg");
    ASSERT_TRUE(picture->SaveToPath(file.Path()));
    EXPECT_EQ(BitsOf(*picture), before);
    EXPECT_TRUE(picture->AreRowsAligned());
}

TEST(JpegFile, LoadGivesBottomUpBlueGreenRedPixels)
{
    auto picture = MakeColourBlocks();
    TempFile file(".jpg");
    ASSERT_TRUE(picture->SaveToPath(file.Path()));

    TestJpeg loaded;
    loaded.SetDisplayColorCount(0);
    ASSERT_TRUE(loaded.LoadFromPath(file.Path()));
    EXPECT_TRUE(loaded.GetLastMessage().IsEmpty());
    EXPECT_EQ(loaded.GetWidth(), 64);
    EXPECT_EQ(loaded.GetHeight(), 48);
    EXPECT_EQ(loaded.GetBitsPerPixel(), 24);
    EXPECT_EQ(loaded.GetStride(), 192u);
    const BYTE* red = loaded.PixelAt(12, 12);
    ExpectRgbNear(red, 0, 0, 255); // stored blue, green, red
    const BYTE* green = loaded.PixelAt(30, 42);
    ExpectRgbNear(green, 0, 255, 0);
}

TEST(JpegFile, EmptyFileFailsWithTheLibraryMessageAndKeepsTheImage)
{
    auto picture = MakeColourBlocks();
    const std::vector<BYTE> before = BitsOf(*picture);
    TempFile file(".jpg");
    WriteFileBytes(file.Path(), {});

    BOOL loaded = TRUE;
    EXPECT_NO_THROW(loaded = picture->LoadFromPath(file.Path()));
    EXPECT_FALSE(loaded);
    EXPECT_STREQ(picture->GetLastMessage(), "Empty input file");
    EXPECT_TRUE(picture->HasImage());
    EXPECT_EQ(picture->GetWidth(), 64);
    EXPECT_EQ(BitsOf(*picture), before);
}

TEST(JpegFile, TruncatedFileLoadsWithAWarning)
{
    auto picture = MakeTexture();
    TempFile file(".jpg");
    ASSERT_TRUE(picture->SaveToPath(file.Path()));
    TestJpeg whole;
    whole.SetDisplayColorCount(0);
    ASSERT_TRUE(whole.LoadFromPath(file.Path()));
    std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    bytes.resize(bytes.size() / 2);
    WriteFileBytes(file.Path(), bytes);

    TestJpeg loaded;
    loaded.SetDisplayColorCount(0);
    ASSERT_TRUE(loaded.LoadFromPath(file.Path())) << static_cast<LPCTSTR>(loaded.GetLastMessage());
    EXPECT_STREQ(loaded.GetLastMessage(), "Premature end of JPEG file");
    EXPECT_EQ(loaded.GetWidth(), picture->GetWidth());
    EXPECT_EQ(loaded.GetHeight(), picture->GetHeight());
    // The rows that came before the cut are decoded as from the whole file.
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(0, memcmp(loaded.PixelAt(0, y), whole.PixelAt(0, y), 3 * 301)) << y;
}

TEST(JpegFile, DataThatIsNoJpegFailsWithTheLibraryMessage)
{
    TempFile file(".jpg");
    WriteFileBytes(file.Path(), std::vector<BYTE>(100, 'x'));
    TestJpeg picture;
    EXPECT_FALSE(picture.LoadFromPath(file.Path()));
    EXPECT_EQ(picture.GetLastMessage().Find("Not a JPEG file"), 0);
    EXPECT_FALSE(picture.HasImage());
}

TEST(JpegFile, LoadGivesExactlyWhatTheLibraryDecodes)
{
    // Several 4096-byte blocks each way, and a width whose rows need padding.
    auto picture = MakeTexture();
    TempFile file(".jpg");
    ASSERT_TRUE(picture->SaveToPath(file.Path()));
    ASSERT_GT(ReadFileBytes(file.Path()).size(), 3 * 4096u);

    TestJpeg loaded;
    loaded.SetDisplayColorCount(0);
    ASSERT_TRUE(loaded.LoadFromPath(file.Path()));
    const Decoded decoded = DecodeWithLibrary(file.Path());
    ASSERT_EQ(loaded.GetWidth(), decoded.width);
    ASSERT_EQ(loaded.GetHeight(), decoded.height);
    int mismatches = 0;
    for (int y = 0; y < decoded.height; ++y)
        for (int x = 0; x < decoded.width; ++x) {
            const BYTE* bgr = loaded.PixelAt(x, y);
            const BYTE* rgb = decoded.At(x, y);
            mismatches += bgr[0] != rgb[2] || bgr[1] != rgb[1] || bgr[2] != rgb[0];
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(JpegFile, GreyImageLoadsAsEqualComponents)
{
    TempFile file(".jpg");
    EncodeGreyWithLibrary(file.Path(), 32, 8);
    TestJpeg picture;
    picture.SetDisplayColorCount(0);
    ASSERT_TRUE(picture.LoadFromPath(file.Path()));
    EXPECT_EQ(picture.GetBitsPerPixel(), 24);
    for (int x : {0, 16, 31}) {
        const BYTE* pixel = picture.PixelAt(x, 4);
        EXPECT_EQ(pixel[0], pixel[1]);
        EXPECT_EQ(pixel[1], pixel[2]);
        EXPECT_NEAR(pixel[0], x * 255 / 31, 8);
    }
}

TEST(JpegFile, PaletteDisplayGetsA256ColourPicture)
{
    auto source = MakeColourBlocks();
    TempFile file(".jpg");
    ASSERT_TRUE(source->SaveToPath(file.Path()));

    TestJpeg picture;
    picture.SetDisplayColorCount(256);
    picture.SetQuantize(TRUE);
    ASSERT_TRUE(picture.LoadFromPath(file.Path()));
    EXPECT_EQ(picture.GetBitsPerPixel(), 8);
    EXPECT_EQ(picture.GetColorCount(), 256);
    EXPECT_NE(picture.GetPalette(), nullptr);
    const RGBQUAD& red = picture.GetColorTable()[*picture.PixelAt(12, 12)];
    EXPECT_NEAR(red.rgbRed, 255, 24);
    EXPECT_NEAR(red.rgbGreen, 0, 24);
    EXPECT_NEAR(red.rgbBlue, 0, 24);
    const RGBQUAD& blue = picture.GetColorTable()[*picture.PixelAt(50, 12)];
    EXPECT_NEAR(blue.rgbBlue, 255, 24);
    EXPECT_NEAR(blue.rgbRed, 0, 24);
}

TEST(JpegFile, ColourTablePictureIsWrittenThroughItsTable)
{
    for (int bitsPerPixel : {8, 4, 1}) {
        TestJpeg picture;
        ASSERT_TRUE(picture.Create(16, 16, bitsPerPixel));
        picture.SetTableEntry(0, 255, 0, 0); // red
        picture.SetTableEntry(1, 0, 0, 255); // blue
        // Left half index 0, right half index 1.
        for (int y = 0; y < 16; ++y) {
            BYTE* row = picture.GetBits() + static_cast<size_t>(y) * picture.GetStride();
            for (int x = 8; x < 16; ++x) {
                if (bitsPerPixel == 8)
                    row[x] = 1;
                else if (bitsPerPixel == 4)
                    row[x / 2] = 0x11;
                else
                    row[1] = 0xFF;
            }
        }
        TempFile file(".jpg");
        ASSERT_TRUE(picture.SaveToPath(file.Path())) << bitsPerPixel;
        const Decoded decoded = DecodeWithLibrary(file.Path());
        ASSERT_EQ(decoded.width, 16);
        ExpectRgbNear(decoded.At(2, 8), 255, 0, 0);
        ExpectRgbNear(decoded.At(13, 8), 0, 0, 255);
    }
}

TEST(JpegFile, WriteErrorReportsFailureAndLeavesThePicture)
{
    auto picture = MakeColourBlocks();
    const std::vector<BYTE> before = BitsOf(*picture);
    TempFile path(".jpg");
    WriteFileBytes(path.Path(), std::vector<BYTE>(10, 0));
    CFile readOnly;
    ASSERT_TRUE(readOnly.Open(path.Path(), CFile::modeRead));
    BOOL saved = TRUE;
    EXPECT_NO_THROW(saved = picture->Save(&readOnly));
    EXPECT_FALSE(saved);
    EXPECT_STREQ(picture->GetLastMessage(), "Output file write error --- out of disk space?");
    EXPECT_EQ(BitsOf(*picture), before);
    readOnly.Close();
}

TEST(JpegFile, FailedSaveToPathLeavesNoFileBehind)
{
    TestJpeg empty; // nothing to save
    TempFile file(".jpg");
    EXPECT_FALSE(empty.SaveToPath(file.Path()));
    EXPECT_EQ(::GetFileAttributesA(file.Path()), INVALID_FILE_ATTRIBUTES);
}

} // namespace

namespace {

ULONGLONG SizeOnDisk(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A file object with a buffer of its own has handed the whole image on when Save returns.
TEST(JpegFile, BufferedFileHoldsTheWholeImageWhenSaveReturns)
{
    auto picture = MakeTexture();
    TempFile path(".jpg");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.Path(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    ASSERT_TRUE(picture->Save(&file));
    const ULONGLONG sizeBeforeClose = SizeOnDisk(path.Path());
    file.Close();
    EXPECT_GT(sizeBeforeClose, 4096u);
    EXPECT_EQ(sizeBeforeClose, SizeOnDisk(path.Path()));
    EXPECT_EQ(DecodeWithLibrary(path.Path()).width, 301);
}

TEST(JpegFile, WorksOnAnyFileObject)
{
    auto picture = MakeColourBlocks();
    CMemFile memory;
    ASSERT_TRUE(picture->Save(&memory));
    memory.SeekToBegin();
    TestJpeg loaded;
    loaded.SetDisplayColorCount(0);
    ASSERT_TRUE(loaded.Load(&memory));
    EXPECT_EQ(loaded.GetWidth(), 64);
    ExpectRgbNear(loaded.PixelAt(12, 12), 0, 0, 255);
}

} // namespace
