// Picture loads: BMP and JPEG files, and the BMP form that pictures take in archives.
#include "tests/fuzz/Fuzz.h"

#include "chart/ui/image/Dib.h"
#include "chart/ui/image/Jpeg.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <cstring>

namespace
{
// Opens the protected image set-up to make pictures with known pixels.
template <class Base>
class CMadePicture : public Base
{
public:
    CMadePicture(int width, int height, int bitsPerPixel, unsigned seed)
    {
        if (!this->AllocateImage(width, height, bitsPerPixel))
            throw FuzzFault("a seed picture could not be made");
        this->m_hasImage = TRUE;
        unsigned state = seed * 2654435761u + 12345u;
        for (SIZE_T i = 0; i < this->m_bitsSize; ++i)
        {
            state = state * 1103515245u + 12345u;
            this->m_bits[i] = static_cast<BYTE>(state >> 16);
        }
        for (int i = 0; i < this->m_colorCount; ++i)
        {
            this->m_colorTable[i].rgbRed = static_cast<BYTE>(i * 7);
            this->m_colorTable[i].rgbGreen = static_cast<BYTE>(255 - i);
            this->m_colorTable[i].rgbBlue = static_cast<BYTE>(i * 13);
        }
        this->PrepareHeader();
    }
};

std::string SavedBytes(BWKPicture& picture)
{
    CMemFile file;
    if (!picture.Save(&file))
        throw FuzzFault("a seed picture could not be saved");
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

// What a picture held before a load, to see that a refused load kept it.
struct ImageFacts
{
    int width, height, bitsPerPixel;
    std::string bits;

    explicit ImageFacts(const BWKPicture& picture)
        : width(picture.GetWidth()), height(picture.GetHeight()), bitsPerPixel(picture.GetBitsPerPixel()),
          bits(reinterpret_cast<const char*>(picture.GetBits()), static_cast<size_t>(picture.GetStride()) * picture.GetHeight())
    {
    }
    bool operator==(const ImageFacts& other) const
    {
        return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel && bits == other.bits;
    }
};

// A loaded picture is whole: its facts agree with its header, and it draws, turns and mirrors.
void CheckLoadedPicture(BWKPicture& picture)
{
    if (!picture.HasImage() || picture.GetWidth() <= 0 || picture.GetHeight() <= 0 || picture.GetBits() == nullptr)
        throw FuzzFault("a load that answered TRUE left no image");
    const BITMAPINFOHEADER& header = picture.GetHeader()->bmiHeader;
    if (header.biWidth != picture.GetWidth() || std::abs(header.biHeight) != picture.GetHeight() ||
        header.biBitCount != picture.GetBitsPerPixel())
        throw FuzzFault("a loaded picture whose header does not tell its image");
    if (picture.GetStride() < BWKPicture::PackedRowSize(picture.GetWidth(), picture.GetBitsPerPixel()))
        throw FuzzFault("a loaded picture whose rows are shorter than its width");

    // The pixel work on a picture of millions of pixels says nothing more than on a small one, and
    // takes long: a file may claim a large image and hold few of its bytes (the rest are zeros).
    if (static_cast<long long>(picture.GetWidth()) * picture.GetHeight() > 256 * 256)
        return;
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateBitmap(8, 8, 1, 32, nullptr);
    CBitmap* pOld = screen.SelectObject(&target);
    const RECT destination{0, 0, 8, 8};
    const RECT source{0, 0, picture.GetWidth(), picture.GetHeight()};
    picture.Draw(&screen, destination, source);
    screen.SelectObject(pOld);
    picture.Mirror();
    picture.Rotate90(1);
    picture.Flip();
}

template <class Picture>
FuzzOutcome ReadPicture(const std::string& input, bool bMessageOnRefusal)
{
    CMadePicture<Picture> picture(3, 2, 24, 99);
    const ImageFacts before(picture);
    std::string copy = input;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
    if (!picture.Load(&file))
    {
        if (!(ImageFacts(picture) == before))
            throw FuzzFault("a refused load did not keep the picture's image");
        if (bMessageOnRefusal && picture.GetLastMessage().IsEmpty())
            throw FuzzFault("a refused load without the codec's message");
        return FuzzOutcome::Refused;
    }
    CheckLoadedPicture(picture);
    return FuzzOutcome::Accepted;
}

std::vector<std::string> BmpSeeds()
{
    std::vector<std::string> seeds;
    const int shapes[][3] = {{1, 1, 24}, {5, 3, 24}, {17, 9, 8}, {9, 4, 4}, {33, 2, 1}};
    for (const auto& shape : shapes)
    {
        CMadePicture<BWKDib> picture(shape[0], shape[1], shape[2], static_cast<unsigned>(shape[0]));
        seeds.push_back(SavedBytes(picture));
    }
    // Top-down rows: the height is negative.
    std::string topDown = seeds[1];
    const LONG height = -3;
    std::memcpy(&topDown[22], &height, 4);
    seeds.push_back(topDown);
    return seeds;
}

std::vector<std::string> BmpTokens()
{
    return {"BM", FuzzDWord(40), FuzzDWord(0x7FFFFFFF), FuzzDWord(0x80000001), FuzzDWord(0xFFFFFFFF),
            FuzzWord(1), FuzzWord(4), FuzzWord(8), FuzzWord(24), FuzzWord(32), FuzzDWord(1) /* BI_RLE8 */,
            FuzzDWord(256), FuzzDWord(257), FuzzDWord(0x10000), FuzzDWord(54), FuzzDWord(0xFFFF)};
}

std::vector<std::string> JpegSeeds()
{
    std::vector<std::string> seeds;
    const int shapes[][2] = {{8, 8}, {17, 5}, {1, 1}, {40, 24}};
    for (const auto& shape : shapes)
    {
        CMadePicture<BWKJpeg> picture(shape[0], shape[1], 24, static_cast<unsigned>(shape[1]));
        seeds.push_back(SavedBytes(picture));
    }
    CMadePicture<BWKJpeg> grey(12, 7, 8, 5);
    seeds.push_back(SavedBytes(grey));
    return seeds;
}

std::vector<std::string> JpegTokens()
{
    return {
        "\xFF\xD8", "\xFF\xD9", "\xFF\xC0", "\xFF\xC2", "\xFF\xC4", "\xFF\xDA", "\xFF\xDB", "\xFF\xDD",
        "\xFF\xE0", "\xFF\xFE", std::string("\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03", 10),
        std::string("\xFF\xC0\x00\x0B\x08\x7F\xFF\x7F\xFF\x01", 10), FuzzWord(0xFFFF), FuzzWord(0),
    };
}

FuzzOutcome ReadBmp(const std::string& input)
{
    return ReadPicture<BWKDib>(input, false);
}

FuzzOutcome ReadJpeg(const std::string& input)
{
    return ReadPicture<BWKJpeg>(input, true);
}

// The BMP form inside an archive: what a stored picture object holds.
std::vector<std::string> ArchivedPictureSeeds()
{
    std::vector<std::string> seeds;
    for (const std::string& bmp : BmpSeeds())
    {
        BWKDib picture;
        std::string copy = bmp;
        CMemFile in(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
        if (!picture.Load(&in))
            throw FuzzFault("a seed picture could not be read back");
        CMemFile out;
        {
            CArchive ar(&out, CArchive::store);
            picture.Serialize(ar);
            ar.Close();
        }
        std::string bytes(static_cast<size_t>(out.GetLength()), '\0');
        out.SeekToBegin();
        out.Read(&bytes[0], static_cast<UINT>(bytes.size()));
        seeds.push_back(bytes);
    }
    return seeds;
}

FuzzOutcome ReadArchivedPicture(const std::string& input)
{
    BWKDib picture;
    std::string copy = input;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        picture.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        if (picture.HasImage())
            throw FuzzFault("a refused archive left an image in the picture");
        return FuzzOutcome::Refused;
    }
    CheckLoadedPicture(picture);
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("BMP picture", BmpSeeds, BmpTokens, ReadBmp);
REGISTER_FUZZ_READER("JPEG picture", JpegSeeds, JpegTokens, ReadJpeg);
REGISTER_FUZZ_READER("BMP picture in an archive", ArchivedPictureSeeds, BmpTokens, ReadArchivedPicture);
