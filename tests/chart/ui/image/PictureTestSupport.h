// Small fixtures for the picture tests: pictures with known pixels, temporary files, file bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chart/ui/image/Dib.h"
#include "chart/ui/image/Jpeg.h"

// Opens the protected image set-up of a picture class to the tests.
template <class Base>
class Exposed : public Base
{
public:
    BOOL Create(int width, int height, int bitsPerPixel)
    {
        if (!this->AllocateImage(width, height, bitsPerPixel))
            return FALSE;
        this->m_hasImage = TRUE;
        return this->PrepareHeader();
    }
    // Pretends a display with a palette of colorCount entries (0: a true-colour display).
    void SetDisplayColorCount(int colorCount)
    {
        this->m_displayColorCount = colorCount;
        this->m_displayBitsPerPixel = colorCount == 256 ? 8 : 0;
    }
    // y counts from the top, as a person looks at the picture.
    BYTE* PixelAt(int x, int y) const
    {
        return this->RowAt(this->m_height - 1 - y) + static_cast<size_t>(x) * this->m_bitsPerPixel / 8;
    }
    void SetBgr(int x, int y, BYTE blue, BYTE green, BYTE red)
    {
        BYTE* pixel = PixelAt(x, y);
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
    }
    void SetTableEntry(int index, BYTE red, BYTE green, BYTE blue)
    {
        this->m_colorTable[index].rgbRed = red;
        this->m_colorTable[index].rgbGreen = green;
        this->m_colorTable[index].rgbBlue = blue;
        this->CreatePalette();
    }
};

using TestDib = Exposed<BWKDib>;
using TestJpeg = Exposed<BWKJpeg>;

// Fills every pixel byte (never the row padding) with a repeatable pattern.
template <class Picture>
void FillPattern(Picture& picture, unsigned seed = 1)
{
    const UINT used = BWKPicture::PackedRowSize(picture.GetWidth(), picture.GetBitsPerPixel());
    unsigned state = seed * 2654435761u + 12345u;
    for (int row = 0; row < picture.GetHeight(); ++row) {
        BYTE* bytes = picture.GetBits() + static_cast<size_t>(row) * picture.GetStride();
        for (UINT i = 0; i < used; ++i) {
            state = state * 1103515245u + 12345u;
            bytes[i] = static_cast<BYTE>(state >> 16);
        }
        // Bits past the last pixel of a 1- or 4-bit row belong to no pixel.
        const int usedBits = picture.GetWidth() * picture.GetBitsPerPixel() % 8;
        if (usedBits)
            bytes[used - 1] &= static_cast<BYTE>(0xFF << (8 - usedBits));
    }
    for (int i = 0; i < picture.GetColorCount(); ++i) {
        RGBQUAD& entry = picture.GetColorTable()[i];
        entry.rgbRed = static_cast<BYTE>(i * 7);
        entry.rgbGreen = static_cast<BYTE>(255 - i);
        entry.rgbBlue = static_cast<BYTE>(i * 13);
    }
}

inline std::vector<BYTE> BitsOf(const BWKPicture& picture)
{
    const BYTE* bits = picture.GetBits();
    return std::vector<BYTE>(bits, bits + static_cast<size_t>(picture.GetStride()) * picture.GetHeight());
}

// A fresh path in the temporary folder; the file is removed when the object goes.
// Process ids repeat under Wine, so the name carries the run's start time too.
class TempFile
{
public:
    explicit TempFile(const char* extension)
    {
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        static int counter = 0;
        static const long long runStart = [] {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            return now.QuadPart;
        }();
        m_path = std::string(folder) + "picture_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(runStart) + "_" + std::to_string(++counter) + extension;
        ::DeleteFileA(m_path.c_str());
    }
    ~TempFile() { ::DeleteFileA(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

inline std::vector<BYTE> ReadFileBytes(const char* path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(file, NULL));
    DWORD read = 0;
    if (!bytes.empty())
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, NULL);
    bytes.resize(read);
    ::CloseHandle(file);
    return bytes;
}

inline void WriteFileBytes(const char* path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    ::CloseHandle(file);
}

inline uint32_t U32At(const std::vector<BYTE>& bytes, size_t offset)
{
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}
