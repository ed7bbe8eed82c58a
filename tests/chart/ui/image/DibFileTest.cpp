// BMP files written and read by BWKDib.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "tests/chart/ui/image/PictureTestSupport.h"

namespace {

struct BmpCase
{
    int bitsPerPixel;
    int width;
    int height;
    uint32_t bitsOffset;
};

class DibRoundTrip : public ::testing::TestWithParam<BmpCase>
{
};

TEST_P(DibRoundTrip, FileLayoutAndReadBack)
{
    const BmpCase& c = GetParam();
    TestDib picture;
    ASSERT_TRUE(picture.Create(c.width, c.height, c.bitsPerPixel));
    FillPattern(picture);
    picture.CreatePalette();
    TempFile file(".bmp");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));

    const UINT stride = BWKPicture::AlignedRowSize(c.width, c.bitsPerPixel);
    const std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    ASSERT_EQ(bytes.size(), c.bitsOffset + stride * c.height);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32At(bytes, 2), bytes.size());
    EXPECT_EQ(U32At(bytes, 10), c.bitsOffset);
    EXPECT_EQ(U32At(bytes, 14), 40u);
    // The last pixel byte sits right before the file's end.
    EXPECT_EQ(0, memcmp(bytes.data() + c.bitsOffset, picture.GetBits(), stride * c.height));

    TestDib loaded;
    ASSERT_TRUE(loaded.LoadFromPath(file.Path()));
    EXPECT_EQ(loaded.GetWidth(), c.width);
    EXPECT_EQ(loaded.GetHeight(), c.height);
    EXPECT_EQ(loaded.GetBitsPerPixel(), c.bitsPerPixel);
    EXPECT_EQ(loaded.GetStride(), stride);
    EXPECT_EQ(BitsOf(loaded), BitsOf(picture));
    ASSERT_EQ(loaded.GetColorCount(), picture.GetColorCount());
    EXPECT_EQ(0, memcmp(loaded.GetColorTable(), picture.GetColorTable(), 4 * picture.GetColorCount()));
    EXPECT_EQ(loaded.GetPalette() != NULL, c.bitsPerPixel <= 8);
}

// A 24-bit picture: 54 + stride x height; 256 colours: the bits follow a 1024-byte colour table at 1078.
INSTANTIATE_TEST_SUITE_P(BitDepths, DibRoundTrip,
                         ::testing::Values(BmpCase{24, 13, 7, 54}, BmpCase{24, 4, 3, 54}, BmpCase{8, 5, 4, 1078},
                                           BmpCase{4, 7, 3, 54 + 64}, BmpCase{1, 13, 5, 54 + 8}));

TestDib* MakeKnownPicture()
{
    TestDib* picture = new TestDib;
    picture->Create(6, 4, 24);
    FillPattern(*picture, 7);
    return picture;
}

TEST(DibFile, FileWithoutSignatureIsRefusedAndKeepsTheImage)
{
    std::unique_ptr<TestDib> picture(MakeKnownPicture());
    const std::vector<BYTE> before = BitsOf(*picture);
    TempFile file(".bmp");
    std::vector<BYTE> bytes(200, 0);
    bytes[0] = 'X';
    bytes[1] = 'M';
    WriteFileBytes(file.Path(), bytes);

    EXPECT_FALSE(picture->LoadFromPath(file.Path()));
    EXPECT_TRUE(picture->HasImage());
    EXPECT_EQ(picture->GetWidth(), 6);
    EXPECT_EQ(BitsOf(*picture), before);
}

TEST(DibFile, MissingFileFailsWithoutThrowingAndKeepsTheImage)
{
    std::unique_ptr<TestDib> picture(MakeKnownPicture());
    const std::vector<BYTE> before = BitsOf(*picture);
    TempFile file(".bmp");
    BOOL loaded = TRUE;
    EXPECT_NO_THROW(loaded = picture->LoadFromPath(file.Path()));
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(picture->GetLastMessage().IsEmpty());
    EXPECT_EQ(BitsOf(*picture), before);
}

// Headers that must not be trusted: each one is a valid 4 x 2 24-bit file with one field spoiled.
struct SpoiledField
{
    const char* name;
    size_t offset;
    uint32_t value;
};

class DibSpoiledHeader : public ::testing::TestWithParam<SpoiledField>
{
};

TEST_P(DibSpoiledHeader, IsRefused)
{
    TestDib source;
    ASSERT_TRUE(source.Create(4, 2, 24));
    TempFile file(".bmp");
    ASSERT_TRUE(source.SaveToPath(file.Path()));
    std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    const SpoiledField& field = GetParam();
    for (int i = 0; i < 4; ++i)
        bytes[field.offset + i] = static_cast<BYTE>(field.value >> (8 * i));
    WriteFileBytes(file.Path(), bytes);

    TestDib picture;
    EXPECT_FALSE(picture.LoadFromPath(file.Path())) << field.name;
    EXPECT_FALSE(picture.HasImage());
}

INSTANTIATE_TEST_SUITE_P(Fields, DibSpoiledHeader,
                         ::testing::Values(SpoiledField{"offset inside the header", 10, 20},
                                           SpoiledField{"offset far past any header", 10, 0x7FFFFFF0},
                                           SpoiledField{"header size", 14, 12},
                                           SpoiledField{"huge width", 18, 0x7FFFFFFF},
                                           SpoiledField{"zero width", 18, 0},
                                           SpoiledField{"huge height", 22, 0x10000000},
                                           // Rows the file cannot hold: a few bytes must not cost
                                           // a hundred megabytes and seconds of turning rows over.
                                           SpoiledField{"height beyond the file", 22, 0x00800000},
                                           SpoiledField{"top down height beyond the file", 22, 0xFF800000},
                                           SpoiledField{"bit count 32", 26, 1 | 32 << 16},
                                           SpoiledField{"compressed", 30, BI_RLE8}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (ch == ' ')
                                     ch = '_';
                             return name;
                         });

// Some writers leave out the padding of the last row: a file short of exactly that still loads, the
// padding read as zeros, however narrow the picture and whatever its depth.
TEST(DibFile, AFileWithoutThePaddingOfItsLastRowLoads)
{
    const struct
    {
        int bitsPerPixel;
        int width;
    } cases[] = {{1, 1}, {1, 9}, {4, 1}, {4, 3}, {8, 1}, {8, 6}, {24, 1}, {24, 5}};
    for (const auto& c : cases)
    {
        TestDib source;
        ASSERT_TRUE(source.Create(c.width, 3, c.bitsPerPixel));
        FillPattern(source);
        source.CreatePalette();
        TempFile file(".bmp");
        ASSERT_TRUE(source.SaveToPath(file.Path()));
        const UINT padding = source.GetStride() - BWKPicture::PackedRowSize(c.width, c.bitsPerPixel);
        ASSERT_GT(padding, 0u);
        std::vector<BYTE> bytes = ReadFileBytes(file.Path());
        bytes.resize(bytes.size() - padding);
        WriteFileBytes(file.Path(), bytes);

        TestDib picture;
        ASSERT_TRUE(picture.LoadFromPath(file.Path())) << c.bitsPerPixel << " bits, " << c.width << " wide";
        EXPECT_EQ(picture.GetWidth(), c.width);
        EXPECT_EQ(picture.GetHeight(), 3);
        EXPECT_EQ(BitsOf(picture), BitsOf(source)) << c.bitsPerPixel << " bits, " << c.width << " wide";
    }
}

// A file whose rows are not there is refused before the picture is made: a header of a few bytes
// could otherwise claim one row a gigabyte wide.
TEST(DibFile, AFileWithoutMoreThanThePaddingOfItsLastRowIsRefused)
{
    const struct
    {
        int bitsPerPixel;
        int width;
        int height;
        size_t cut;   // bytes cut off the end of the saved file
    } cases[] = {
        {24, 4, 2, 12},            // the whole last row
        {24, 4, 2, 4},             // part of a last row that has no padding
        {24, 8, 1, 13},            // more than half of the only row
        {24, 1000000, 1, 3000000}, // a row of three megabytes, none of it in the file
        {24, 5, 2, 2},             // the padding and one byte of pixels
        {8, 1, 2, 4},
        {4, 1, 2, 4},
        {1, 1, 2, 4},
    };
    for (const auto& c : cases)
    {
        TestDib source;
        ASSERT_TRUE(source.Create(c.width, c.height, c.bitsPerPixel));
        TempFile file(".bmp");
        ASSERT_TRUE(source.SaveToPath(file.Path()));
        std::vector<BYTE> bytes = ReadFileBytes(file.Path());
        bytes.resize(bytes.size() - c.cut);
        WriteFileBytes(file.Path(), bytes);

        TestDib picture;
        EXPECT_FALSE(picture.LoadFromPath(file.Path()))
            << c.bitsPerPixel << " bits, " << c.width << " x " << c.height << ", " << c.cut << " bytes cut";
    }
}

TEST(DibFile, SaveIntoMissingFolderReportsFailure)
{
    std::unique_ptr<TestDib> picture(MakeKnownPicture());
    BOOL saved = TRUE;
    EXPECT_NO_THROW(saved = picture->SaveToPath("C:\\no such folder\\picture.bmp"));
    EXPECT_FALSE(saved);
    EXPECT_FALSE(picture->GetLastMessage().IsEmpty());
}

// A picture saved over an earlier one replaces it whole or not at all: over a file that another program
// holds open, the save fails with a message and the earlier picture stays byte for byte.
TEST(DibFile, AFailedSaveLeavesAnEarlierPictureOfThatName)
{
    std::unique_ptr<TestDib> picture(MakeKnownPicture());
    TempFile path(".bmp");
    const std::vector<BYTE> earlier = {'B', 'M', 1, 2, 3, 4, 5, 6};
    WriteFileBytes(path.Path(), earlier);
    HANDLE hLock = ::CreateFileA(path.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    const BOOL saved = picture->SaveToPath(path.Path());
    ::CloseHandle(hLock);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(picture->GetLastMessage().IsEmpty());
    EXPECT_EQ(ReadFileBytes(path.Path()), earlier);

    // Once the file is free the save replaces it whole.
    ASSERT_TRUE(picture->SaveToPath(path.Path()));
    const std::vector<BYTE> bytes = ReadFileBytes(path.Path());
    ASSERT_GT(bytes.size(), earlier.size());
    EXPECT_EQ(U32At(bytes, 2), bytes.size());
}

TEST(DibFile, SaveThatCannotWriteReportsFailure)
{
    std::unique_ptr<TestDib> picture(MakeKnownPicture());
    TempFile path(".bmp");
    WriteFileBytes(path.Path(), std::vector<BYTE>(10, 0));
    CFile readOnly;
    ASSERT_TRUE(readOnly.Open(path.Path(), CFile::modeRead));
    BOOL saved = TRUE;
    EXPECT_NO_THROW(saved = picture->Save(&readOnly));
    EXPECT_FALSE(saved);
    readOnly.Close();
}

TEST(DibFile, SerializeStoresTheBmpFormAndLoadsItIntoAnySubclass)
{
    TestDib picture;
    ASSERT_TRUE(picture.Create(5, 3, 8));
    FillPattern(picture, 3);
    CMemFile memory;
    {
        CArchive store(&memory, CArchive::store);
        picture.Serialize(store);
        store.Close();
    }
    const ULONGLONG length = memory.GetLength();
    EXPECT_EQ(length, 1078u + 8 * 3);
    memory.SeekToBegin();
    TestJpeg loaded;
    {
        CArchive load(&memory, CArchive::load);
        loaded.Serialize(load);
        load.Close();
    }
    EXPECT_EQ(loaded.GetBitsPerPixel(), 8);
    EXPECT_EQ(BitsOf(loaded), BitsOf(picture));
    EXPECT_EQ(0, memcmp(loaded.GetColorTable(), picture.GetColorTable(), 1024));
}

TEST(DibFile, TopDownFileIsTurnedBottomUp)
{
    TestDib source;
    ASSERT_TRUE(source.Create(2, 3, 24));
    FillPattern(source, 5);
    TempFile file(".bmp");
    ASSERT_TRUE(source.SaveToPath(file.Path()));
    std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    // Same picture written top row first, with a negative height.
    const UINT stride = source.GetStride();
    for (int row = 0; row < 3; ++row)
        memcpy(bytes.data() + 54 + row * stride, source.GetBits() + (2 - row) * stride, stride);
    const int32_t negative = -3;
    memcpy(bytes.data() + 22, &negative, 4);
    WriteFileBytes(file.Path(), bytes);

    TestDib loaded;
    ASSERT_TRUE(loaded.LoadFromPath(file.Path()));
    EXPECT_EQ(loaded.GetHeight(), 3);
    EXPECT_EQ(BitsOf(loaded), BitsOf(source));
}

} // namespace
