// BWKPicture: pixel operations (flip, mirror, contrast, crop, quarter turns).
#include "chart/ui/image/Picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "chart/ui/image/PixelIndex.h"

namespace {

// Copies pixel sourceX of source to targetX of target, for any supported depth.
void CopyPixel(const BYTE* source, int sourceX, BYTE* target, int targetX, int bitsPerPixel, bool msbFirst)
{
    if (bitsPerPixel == 24)
        std::memcpy(target + 3 * static_cast<size_t>(targetX), source + 3 * static_cast<size_t>(sourceX), 3);
    else
        PixelIndex::Set(target, targetX, bitsPerPixel, msbFirst, PixelIndex::Get(source, sourceX, bitsPerPixel, msbFirst));
}

BYTE ToByte(double component)
{
    return static_cast<BYTE>(std::floor(component * 255.0 + 0.5));
}

// Moves the value of a colour along an S-curve (d = +1 more contrast, -1 less), keeping hue and saturation.
void AdjustColor(BYTE& red, BYTE& green, BYTE& blue, int direction)
{
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double value = std::max({r, g, b});
    const double smallest = std::min({r, g, b});
    const double delta = value - smallest;
    const double saturation = value > 0.0 ? delta / value : 0.0;
    double hue = 0.0;
    if (saturation > 0.0) {
        if (r == value)
            hue = (g - b) / delta;
        else if (g == value)
            hue = 2.0 + (b - r) / delta;
        else
            hue = 4.0 + (r - g) / delta;
        hue *= 60.0;
        if (hue < 0.0)
            hue += 360.0;
    }
    const double pi = 3.14159265358979323846;
    double newValue = value + ((std::sin((value - 0.5) * pi) + 1.0) * 0.5 - value) * direction * 0.5;
    newValue = std::clamp(newValue, 0.0, 1.0);

    double outR = newValue, outG = newValue, outB = newValue;
    if (saturation > 0.0) {
        if (hue >= 360.0)
            hue = 0.0;
        const double sector = hue / 60.0;
        const int i = static_cast<int>(std::floor(sector));
        const double f = sector - i;
        const double p = newValue * (1.0 - saturation);
        const double q = newValue * (1.0 - saturation * f);
        const double t = newValue * (1.0 - saturation * (1.0 - f));
        switch (i) {
        case 0: outR = newValue; outG = t; outB = p; break;
        case 1: outR = q; outG = newValue; outB = p; break;
        case 2: outR = p; outG = newValue; outB = t; break;
        case 3: outR = p; outG = q; outB = newValue; break;
        case 4: outR = t; outG = p; outB = newValue; break;
        default: outR = newValue; outG = p; outB = q; break;
        }
    }
    red = ToByte(outR);
    green = ToByte(outG);
    blue = ToByte(outB);
}

} // namespace

BOOL BWKPicture::Flip()
{
    if (!m_hasImage || !m_bits || !AlignRows())
        return FALSE;
    std::vector<BYTE> rowBuffer(m_stride);
    for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
        std::memcpy(rowBuffer.data(), RowAt(top), m_stride);
        std::memcpy(RowAt(top), RowAt(bottom), m_stride);
        std::memcpy(RowAt(bottom), rowBuffer.data(), m_stride);
    }
    return TRUE;
}

BOOL BWKPicture::Mirror()
{
    if (!m_hasImage || !m_bits)
        return FALSE;
    const bool msbFirst = m_bitOrder == 1;
    if (m_bitsPerPixel < 8) {
        std::vector<BYTE> rowBuffer(m_stride);
        const UINT packed = PackedRowSize(m_width, m_bitsPerPixel);
        for (int row = 0; row < m_height; ++row) {
            BYTE* pixels = RowAt(row);
            std::memset(rowBuffer.data(), 0, rowBuffer.size());
            for (int x = 0; x < m_width; ++x)
                CopyPixel(pixels, x, rowBuffer.data(), m_width - 1 - x, m_bitsPerPixel, msbFirst);
            std::memcpy(pixels, rowBuffer.data(), packed);
        }
        return TRUE;
    }
    const int pixelBytes = m_bitsPerPixel / 8;
    for (int row = 0; row < m_height; ++row) {
        BYTE* pixels = RowAt(row);
        for (int left = 0, right = m_width - 1; left < right; ++left, --right)
            std::swap_ranges(pixels + left * pixelBytes, pixels + (left + 1) * pixelBytes, pixels + right * pixelBytes);
    }
    return TRUE;
}

BOOL BWKPicture::AdjustContrast(int amount)
{
    if (!m_hasImage || !m_bits)
        return FALSE;
    const int direction = static_cast<short>(amount) <= 0 ? -1 : 1;
    if (m_bitsPerPixel == 4 || m_bitsPerPixel == 8) {
        for (int i = 0; i < m_colorCount; ++i)
            AdjustColor(m_colorTable[i].rgbRed, m_colorTable[i].rgbGreen, m_colorTable[i].rgbBlue, direction);
        return CreatePalette();
    }
    if (m_bitsPerPixel == 24) {
        for (int row = 0; row < m_height; ++row) {
            BYTE* pixel = RowAt(row);
            for (int column = 0; column < m_width; ++column, pixel += 3)
                AdjustColor(pixel[2], pixel[1], pixel[0], direction);
        }
    }
    return TRUE;
}

BOOL BWKPicture::Crop(int x, int y, int width, int height)
{
    // A window that starts outside the image, or reaches past it, is cut to what the image holds.
    if (!m_hasImage || !m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height || width <= 0 || height <= 0 ||
        !AlignRows())
        return FALSE;
    const int newWidth = std::min(width, m_width - x);
    const int newHeight = std::min(height, m_height - y);
    const UINT newStride = AlignedRowSize(newWidth, m_bitsPerPixel);
    const bool msbFirst = m_bitOrder == 1;
    std::vector<BYTE> rowBuffer(newStride);
    // y counts from the top; rows are stored bottom-up. Target rows are written to the front of the block
    // in ascending order, and every source row lies at or after its target, so nothing is overwritten early.
    const int firstSourceRow = m_height - y - newHeight;
    for (int row = 0; row < newHeight; ++row) {
        const BYTE* source = RowAt(firstSourceRow + row);
        std::memset(rowBuffer.data(), 0, newStride);
        if (m_bitsPerPixel >= 8) {
            const int pixelBytes = m_bitsPerPixel / 8;
            std::memcpy(rowBuffer.data(), source + static_cast<size_t>(x) * pixelBytes,
                        static_cast<size_t>(newWidth) * pixelBytes);
        } else {
            for (int column = 0; column < newWidth; ++column)
                CopyPixel(source, x + column, rowBuffer.data(), column, m_bitsPerPixel, msbFirst);
        }
        std::memcpy(m_bits + static_cast<size_t>(row) * newStride, rowBuffer.data(), newStride);
    }
    SetImageGeometry(newWidth, newHeight, newStride);
    const SIZE_T newSize = static_cast<SIZE_T>(newStride) * newHeight;
    ::GlobalUnlock(m_hBits);
    HGLOBAL shrunk = ::GlobalReAlloc(m_hBits, newSize, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (shrunk) {
        m_hBits = shrunk;
        m_bitsSize = newSize;
    }
    m_bits = static_cast<BYTE*>(::GlobalLock(m_hBits));
    return m_bits != NULL;
}

void BWKPicture::SetImageGeometry(int width, int height, UINT stride)
{
    m_width = width;
    m_height = height;
    m_stride = stride;
    if (m_header) {
        m_header->bmiHeader.biWidth = width;
        m_header->bmiHeader.biHeight = height;
        m_header->bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);
    }
}

BOOL BWKPicture::Rotate90(int direction)
{
    if (!m_hasImage || !m_bits || !AlignRows())
        return FALSE;
    const int newWidth = m_height;
    const int newHeight = m_width;
    const UINT newStride = AlignedRowSize(newWidth, m_bitsPerPixel);
    const SIZE_T newSize = static_cast<SIZE_T>(newStride) * newHeight;
    HGLOBAL hTurned = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, newSize);
    if (!hTurned)
        return FALSE;
    BYTE* turned = static_cast<BYTE*>(::GlobalLock(hTurned));
    if (!turned) {
        ::GlobalFree(hTurned);
        return FALSE;
    }
    const bool msbFirst = m_bitOrder == 1;
    const bool clockwise = direction > 0;
    for (int row = 0; row < m_height; ++row) {
        const BYTE* source = RowAt(row);
        for (int column = 0; column < m_width; ++column) {
            // Rows count upwards, so a clockwise turn sends column c to row width - 1 - c.
            const int targetRow = clockwise ? m_width - 1 - column : column;
            const int targetColumn = clockwise ? row : m_height - 1 - row;
            CopyPixel(source, column, turned + static_cast<size_t>(targetRow) * newStride, targetColumn,
                      m_bitsPerPixel, msbFirst);
        }
    }
    ::GlobalUnlock(m_hBits);
    ::GlobalFree(m_hBits);
    m_hBits = hTurned;
    m_bits = turned;
    m_bitsSize = newSize;
    SetImageGeometry(newWidth, newHeight, newStride);
    return TRUE;
}
