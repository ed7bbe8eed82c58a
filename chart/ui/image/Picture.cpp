// BWKPicture: construction, memory, header, palette, copy and row alignment.
#include "chart/ui/image/Picture.h"

#include <cstring>
#include <new>

#include "framework/win/Gdi.h"

IMPLEMENT_DYNAMIC(BWKPicture, CObject)

namespace {

// Larger images are refused rather than allocated: a corrupt file must not ask for gigabytes.
const unsigned long long MaxImageBytes = 1ull << 30;

BYTE* LockNew(HGLOBAL& handle, SIZE_T size)
{
    handle = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    if (!handle)
        return NULL;
    BYTE* data = static_cast<BYTE*>(::GlobalLock(handle));
    if (!data) {
        ::GlobalFree(handle);
        handle = NULL;
    }
    return data;
}

void UnlockFree(HGLOBAL& handle)
{
    if (handle) {
        ::GlobalUnlock(handle);
        ::GlobalFree(handle);
        handle = NULL;
    }
}

} // namespace

BWKPicture::BWKPicture()
    : m_displayBitsPerPixel(0), m_displayPlanes(1), m_displayColorCount(0),
      m_bitsPerPixel(0), m_width(0), m_height(0), m_stride(0), m_colorCount(0),
      m_hasImage(FALSE), m_rowsAligned(TRUE),
      m_hBits(NULL), m_bits(NULL), m_bitsSize(0), m_hHeader(NULL), m_header(NULL), m_colorTable(NULL),
      m_palette(NULL), m_needsHalftone(FALSE),
      m_bitOrder(1),
      m_file(NULL), m_ownFiles(10),
      m_hBuffer(NULL), m_buffer(NULL), m_bufferSize(0), m_bufferHeld(0), m_bufferPosition(0),
      m_bufferForReading(FALSE)
{
    HDC screen = ::GetDC(NULL);
    if (screen) {
        m_displayPlanes = ::GetDeviceCaps(screen, PLANES);
        const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * m_displayPlanes;
        m_displayBitsPerPixel = bits > 8 ? 0 : bits;
        ::ReleaseDC(NULL, screen);
    }
    m_displayColorCount = ColorCountFor(m_displayBitsPerPixel);
    if (m_displayBitsPerPixel == 2)
        m_displayColorCount = 4;
}

BWKPicture::~BWKPicture()
{
    Free();
    FreeBuffer();
    CloseOwnFiles();
}

UINT BWKPicture::PackedRowSize(int width, int bitsPerPixel)
{
    return static_cast<UINT>((static_cast<unsigned long long>(width) * bitsPerPixel + 7) / 8);
}

UINT BWKPicture::AlignedRowSize(int width, int bitsPerPixel)
{
    return static_cast<UINT>((static_cast<unsigned long long>(width) * bitsPerPixel + 31) / 32 * 4);
}

int BWKPicture::ColorCountFor(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

void BWKPicture::FreeBits()
{
    UnlockFree(m_hBits);
    m_bits = NULL;
    m_bitsSize = 0;
}

void BWKPicture::FreeHeader()
{
    UnlockFree(m_hHeader);
    m_header = NULL;
    m_colorTable = NULL;
}

void BWKPicture::FreePalette()
{
    delete m_palette;
    m_palette = NULL;
}

void BWKPicture::Free()
{
    FreeBits();
    FreeHeader();
    FreePalette();
    m_bitsPerPixel = 0;
    m_width = 0;
    m_height = 0;
    m_stride = 0;
    m_colorCount = 0;
    m_hasImage = FALSE;
    m_rowsAligned = TRUE;
    m_needsHalftone = FALSE;
}

BOOL BWKPicture::AllocateHeader()
{
    FreeHeader();
    const SIZE_T size = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * m_colorCount;
    BYTE* block = LockNew(m_hHeader, size);
    if (!block)
        return FALSE;
    m_header = reinterpret_cast<BITMAPINFO*>(block);
    m_colorTable = m_header->bmiColors;
    BITMAPINFOHEADER& info = m_header->bmiHeader;
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = m_width;
    info.biHeight = m_height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(m_bitsPerPixel);
    info.biCompression = BI_RGB;
    info.biSizeImage = AlignedRowSize(m_width, m_bitsPerPixel) * static_cast<DWORD>(m_height);
    return TRUE;
}

BOOL BWKPicture::AllocateImage(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || (ColorCountFor(bitsPerPixel) == 0 && bitsPerPixel != 24))
        return FALSE;
    const unsigned long long rowBytes = (static_cast<unsigned long long>(width) * bitsPerPixel + 31) / 32 * 4;
    const unsigned long long size = rowBytes * static_cast<unsigned long long>(height);
    if (size > MaxImageBytes)
        return FALSE;
    Free();
    BYTE* bits = LockNew(m_hBits, static_cast<SIZE_T>(size));
    if (!bits)
        return FALSE;
    m_bits = bits;
    m_bitsSize = static_cast<SIZE_T>(size);
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_colorCount = ColorCountFor(bitsPerPixel);
    m_stride = AlignedRowSize(width, bitsPerPixel);
    m_rowsAligned = TRUE;
    if (!AllocateHeader()) {
        Free();
        return FALSE;
    }
    return TRUE;
}

BOOL BWKPicture::CreatePalette()
{
    if (m_bitsPerPixel > 8 || !m_header) {
        FreePalette();
        return TRUE;
    }
    // A colour table may use fewer entries than the bit depth allows, never more.
    int used = static_cast<int>(m_header->bmiHeader.biClrUsed);
    if (used <= 0 || used > m_colorCount)
        used = m_colorCount;
    const int entries = m_colorCount;
    if (entries <= 0)
        return FALSE;
    const size_t size = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (entries - 1);
    BYTE* block = new (std::nothrow) BYTE[size];
    if (!block)
        return FALSE;
    std::memset(block, 0, size);
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block);
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(entries);
    for (int i = 0; i < used; ++i) {
        logical->palPalEntry[i].peRed = m_colorTable[i].rgbRed;
        logical->palPalEntry[i].peGreen = m_colorTable[i].rgbGreen;
        logical->palPalEntry[i].peBlue = m_colorTable[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    FreePalette();
    CPalette* palette = new CPalette;
    const BOOL created = palette->CreatePalette(logical);
    delete[] block;
    if (!created) {
        delete palette;
        return FALSE;
    }
    m_palette = palette;
    return TRUE;
}

BOOL BWKPicture::PrepareHeader()
{
    if (!m_header && !AllocateHeader())
        return FALSE;
    if (!CreatePalette())
        return FALSE;
    if (!AlignRows())
        return FALSE;
    m_needsHalftone = m_displayBitsPerPixel != 0 && m_displayBitsPerPixel != m_bitsPerPixel;
    return TRUE;
}

BOOL BWKPicture::AlignRows()
{
    if (m_rowsAligned || !m_bits)
        return TRUE;
    const UINT packed = PackedRowSize(m_width, m_bitsPerPixel);
    const UINT aligned = AlignedRowSize(m_width, m_bitsPerPixel);
    if (static_cast<unsigned long long>(aligned) * m_height > m_bitsSize)
        return FALSE;
    // Widening: from the last row backwards so no row is overwritten before it moves.
    for (int row = m_height - 1; row >= 0; --row) {
        BYTE* target = m_bits + static_cast<size_t>(row) * aligned;
        std::memmove(target, m_bits + static_cast<size_t>(row) * packed, packed);
        std::memset(target + packed, 0, aligned - packed);
    }
    m_stride = aligned;
    m_rowsAligned = TRUE;
    return TRUE;
}

BOOL BWKPicture::PackRows()
{
    if (!m_rowsAligned || !m_bits)
        return TRUE;
    const UINT packed = PackedRowSize(m_width, m_bitsPerPixel);
    const UINT aligned = AlignedRowSize(m_width, m_bitsPerPixel);
    for (int row = 0; row < m_height; ++row)
        std::memmove(m_bits + static_cast<size_t>(row) * packed, m_bits + static_cast<size_t>(row) * aligned, packed);
    m_stride = packed;
    m_rowsAligned = FALSE;
    return TRUE;
}

BOOL BWKPicture::Copy(const BWKPicture& other)
{
    if (&other == this)
        return TRUE;
    FreeBuffer();
    Free();
    if (!other.m_header)
        return TRUE;
    const SIZE_T headerSize = ::GlobalSize(other.m_hHeader);
    BYTE* header = LockNew(m_hHeader, headerSize);
    if (!header)
        return FALSE;
    std::memcpy(header, other.m_header, headerSize);
    m_header = reinterpret_cast<BITMAPINFO*>(header);
    m_colorTable = reinterpret_cast<RGBQUAD*>(header + m_header->bmiHeader.biSize);
    if (other.m_bits) {
        BYTE* bits = LockNew(m_hBits, other.m_bitsSize);
        if (!bits) {
            Free();
            return FALSE;
        }
        std::memcpy(bits, other.m_bits, other.m_bitsSize);
        m_bits = bits;
        m_bitsSize = other.m_bitsSize;
    }
    CopyImageFacts(other);
    m_bitOrder = other.m_bitOrder;
    return CreatePalette();
}

void BWKPicture::CopyImageFacts(const BWKPicture& other)
{
    m_bitsPerPixel = other.m_bitsPerPixel;
    m_width = other.m_width;
    m_height = other.m_height;
    m_stride = other.m_stride;
    m_colorCount = other.m_colorCount;
    m_hasImage = other.m_hasImage;
    m_rowsAligned = other.m_rowsAligned;
    m_needsHalftone = other.m_needsHalftone;
}

void BWKPicture::TakeImageFrom(BWKPicture& other)
{
    Free();
    m_hBits = other.m_hBits;
    m_bits = other.m_bits;
    m_bitsSize = other.m_bitsSize;
    m_hHeader = other.m_hHeader;
    m_header = other.m_header;
    m_colorTable = other.m_colorTable;
    m_palette = other.m_palette;
    CopyImageFacts(other);
    other.m_hBits = NULL;
    other.m_bits = NULL;
    other.m_hHeader = NULL;
    other.m_header = NULL;
    other.m_colorTable = NULL;
    other.m_palette = NULL;
    other.Free();
}
