// Buffered file access of BWKPicture, used by a picture format that stores its bits raw.
#include <cstdint>

#include <gtest/gtest.h>

#include "tests/chart/ui/image/PictureTestSupport.h"

namespace {

class RawPicture : public Exposed<BWKDib>
{
public:
    explicit RawPicture(UINT bufferSize) : m_bufferSizeToUse(bufferSize) {}

    BOOL WriteImage(CFile*) override
    {
        if (!AttachBuffer(m_bufferSizeToUse, FALSE))
            return FALSE;
        const int32_t size[2] = {m_width, m_height};
        const BOOL written = BufferedWrite(size, sizeof(size)) && BufferedWrite(m_bits, m_stride * m_height) &&
                             FlushBuffer();
        FreeBuffer();
        return written;
    }

    BOOL ReadImage(CFile*) override
    {
        if (!AttachBuffer(m_bufferSizeToUse, TRUE))
            return FALSE;
        int32_t size[2] = {0, 0};
        BOOL read = BufferedRead(size, sizeof(size)) == sizeof(size) && AllocateImage(size[0], size[1], 24);
        if (read) {
            read = BufferedRead(m_bits, m_stride * m_height) == m_stride * m_height;
            m_hasImage = read;
        }
        FreeBuffer();
        return read;
    }

private:
    UINT m_bufferSizeToUse;
};

class PictureBuffer : public ::testing::TestWithParam<UINT>
{
};

TEST_P(PictureBuffer, WritesAndReadsThroughBuffersOfAnySize)
{
    RawPicture picture(GetParam());
    ASSERT_TRUE(picture.Create(9, 5, 24));
    FillPattern(picture, 4);
    TempFile file(".raw");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));
    EXPECT_EQ(ReadFileBytes(file.Path()).size(), 8u + 28 * 5);

    RawPicture loaded(GetParam());
    ASSERT_TRUE(loaded.LoadFromPath(file.Path()));
    EXPECT_EQ(loaded.GetWidth(), 9);
    EXPECT_EQ(BitsOf(loaded), BitsOf(picture));
}

TEST_P(PictureBuffer, ReadPastTheEndGivesWhatThereIs)
{
    RawPicture picture(GetParam());
    ASSERT_TRUE(picture.Create(9, 5, 24));
    TempFile file(".raw");
    ASSERT_TRUE(picture.SaveToPath(file.Path()));
    std::vector<BYTE> bytes = ReadFileBytes(file.Path());
    bytes.resize(bytes.size() - 3);
    WriteFileBytes(file.Path(), bytes);

    RawPicture loaded(GetParam());
    EXPECT_FALSE(loaded.LoadFromPath(file.Path()));
    EXPECT_FALSE(loaded.HasImage());
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureBuffer, ::testing::Values(1u, 7u, 4096u, 100000u));

} // namespace
