// The 14-byte BMP file header, encoded field by field in little-endian order so that its layout never
// depends on structure packing or on the width of LONG.
#pragma once

#include <cstdint>

namespace BmpFormat {

const uint32_t FileHeaderSize = 14;
const uint32_t InfoHeaderSize = 40;
const uint16_t Signature = 0x4D42; // "BM"

struct FileHeader
{
    uint16_t type = Signature;
    uint32_t fileSize = 0;
    uint16_t reserved1 = 0;
    uint16_t reserved2 = 0;
    uint32_t bitsOffset = 0;
};

inline void PutU16(uint8_t* out, uint16_t value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(uint8_t* out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint16_t GetU16(const uint8_t* in)
{
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

inline uint32_t GetU32(const uint8_t* in)
{
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16 |
           static_cast<uint32_t>(in[3]) << 24;
}

inline void Encode(const FileHeader& header, uint8_t out[FileHeaderSize])
{
    PutU16(out, header.type);
    PutU32(out + 2, header.fileSize);
    PutU16(out + 6, header.reserved1);
    PutU16(out + 8, header.reserved2);
    PutU32(out + 10, header.bitsOffset);
}

inline FileHeader Decode(const uint8_t in[FileHeaderSize])
{
    FileHeader header;
    header.type = GetU16(in);
    header.fileSize = GetU32(in + 2);
    header.reserved1 = GetU16(in + 6);
    header.reserved2 = GetU16(in + 8);
    header.bitsOffset = GetU32(in + 10);
    return header;
}

} // namespace BmpFormat
