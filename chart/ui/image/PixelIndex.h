// Colour indices of 1-, 4- and 8-bit pixels inside a row of a device-independent bitmap.
#pragma once

#include <windows.h>

namespace PixelIndex {

// 1-bit pixels: bit 7 of the first byte is pixel 0 when mostSignificantFirst, else bit 0.
inline int Get(const BYTE* row, int x, int bitsPerPixel, bool mostSignificantFirst)
{
    switch (bitsPerPixel) {
    case 1: {
        const int bit = mostSignificantFirst ? 7 - (x & 7) : (x & 7);
        return (row[x >> 3] >> bit) & 1;
    }
    case 4: // high nibble first
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
        return row[x];
    }
}

inline void Set(BYTE* row, int x, int bitsPerPixel, bool mostSignificantFirst, int value)
{
    switch (bitsPerPixel) {
    case 1: {
        const int bit = mostSignificantFirst ? 7 - (x & 7) : (x & 7);
        row[x >> 3] = static_cast<BYTE>((row[x >> 3] & ~(1 << bit)) | ((value & 1) << bit));
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0xF0) | (value & 0x0F));
        else
            row[x >> 1] = static_cast<BYTE>((row[x >> 1] & 0x0F) | ((value & 0x0F) << 4));
        break;
    default:
        row[x] = static_cast<BYTE>(value);
        break;
    }
}

} // namespace PixelIndex
