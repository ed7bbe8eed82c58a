#include "grid/controls/DaoBitmap.h"

#include "grid/controls/DIBPool.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/OleVarUserAttribute.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>

GRID_IMPLEMENT_CONTROL(CGXDaoBitmap, CGXStatic)

namespace
{
const size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
// A run-length bitmap is expanded to its whole picture, uncompressed at its own depth, at every paint,
// however few pixels its runs paint: 64 MB at most (8,192 x 8,192 pixels of 8 bits), and a mask of a
// bit a pixel beside it.
const unsigned long long kMaxExpandedBytes = 64ull << 20;

BOOL IsRunLength(const BITMAPINFOHEADER& header)
{
    return (header.biCompression == BI_RLE8 && header.biBitCount == 8) ||
           (header.biCompression == BI_RLE4 && header.biBitCount == 4);
}

// Whether a packed DIB of nSize bytes holds its whole header, colour table and bits.
BOOL IsWholeDIB(const BYTE* pDIB, size_t nSize)
{
    if (nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pDIB, sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biPlanes != 1)
        return FALSE;
    switch (header.biBitCount)
    {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return FALSE;
    }
    const BOOL bRle = IsRunLength(header);
    if (!bRle && header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)
        return FALSE;
    const unsigned long long nColors = GXGetDibNumColors(&header);
    if (nColors > 256)
        return FALSE;
    unsigned long long nOffset = header.biSize + nColors * sizeof(RGBQUAD);
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        nOffset += 3 * sizeof(DWORD);
    const long long nHeight = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    const unsigned long long nPictureBytes = GXGetDibStride(header.biWidth, header.biBitCount) * static_cast<unsigned long long>(nHeight);
    // Compressed bits are read no further than the header's image size (run-length bitmaps are
    // stored bottom-up only). Their runs may skip any number of pixels: the bound is the picture they
    // are expanded to.
    if (bRle)
        return header.biHeight > 0 && header.biSizeImage > 0 && nOffset + header.biSizeImage <= nSize &&
               nPictureBytes <= kMaxExpandedBytes;
    return nOffset + nPictureBytes <= nSize;
}

// A new packed DIB, uncompressed, bottom-up and zero-filled, locked while it lives and then freed.
class CNewDIB
{
public:
    CNewDIB(LONG nWidth, LONG nHeight, WORD nBitCount, const RGBQUAD* pColors, UINT nColors)
    {
        const size_t nHeader = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
        m_nStride = static_cast<size_t>(GXGetDibStride(nWidth, nBitCount));
        const size_t nBits = m_nStride * static_cast<size_t>(nHeight);
        m_hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nHeader + nBits);
        BYTE* pDIB = m_hDIB != nullptr ? static_cast<BYTE*>(::GlobalLock(m_hDIB)) : nullptr;
        if (pDIB == nullptr)
            return;
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biWidth = nWidth;
        header.biHeight = nHeight;
        header.biPlanes = 1;
        header.biBitCount = nBitCount;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(nBits);
        header.biClrUsed = nColors;
        std::memcpy(pDIB, &header, sizeof(header));
        std::memcpy(pDIB + sizeof(header), pColors, nColors * sizeof(RGBQUAD));
        m_pBits = pDIB + nHeader;
    }
    ~CNewDIB()
    {
        if (m_pBits != nullptr)
            ::GlobalUnlock(m_hDIB);
        if (m_hDIB != nullptr)
            ::GlobalFree(m_hDIB);
    }
    CNewDIB(const CNewDIB&) = delete;
    CNewDIB& operator=(const CNewDIB&) = delete;

    // The row's bytes, the bottom row first; NULL when the block could not be had.
    BYTE* Row(LONG nRow) const { return m_pBits != nullptr ? m_pBits + static_cast<size_t>(nRow) * m_nStride : nullptr; }
    HGLOBAL Handle() const { return m_hDIB; }

private:
    HGLOBAL m_hDIB = nullptr;
    BYTE* m_pBits = nullptr;
    size_t m_nStride = 0;
};

// A run-length bitmap expanded: its picture uncompressed, and a mask that is white where its runs
// paint and black where they skip.
class CExpandedRuns
{
public:
    CExpandedRuns(const BITMAPINFOHEADER& header, const RGBQUAD* pColors, UINT nColors)
        : m_bFourBits(header.biBitCount == 4), m_nWidth(header.biWidth), m_nHeight(header.biHeight),
          m_picture(header.biWidth, header.biHeight, header.biBitCount, pColors, nColors),
          m_mask(header.biWidth, header.biHeight, 1, kMaskColors, 2)
    {
    }

    BOOL IsAllocated() const { return m_picture.Row(0) != nullptr && m_mask.Row(0) != nullptr; }
    HGLOBAL Picture() const { return m_picture.Handle(); }
    HGLOBAL Mask() const { return m_mask.Handle(); }

    // Runs, ends of rows, moves and pixels taken as they are, up to the end of the bitmap, its last
    // row or the bytes; pixels past a row's end are dropped.
    void Expand(const BYTE* pRuns, size_t nRuns)
    {
        for (size_t i = 0; i + 1 < nRuns && m_nY < m_nHeight;)
        {
            const BYTE nCount = pRuns[i];
            const BYTE nCode = pRuns[i + 1];
            i += 2;
            if (nCount > 0)
            {
                for (UINT n = 0; n < nCount && m_nX < m_nWidth; ++n)
                    Put(m_bFourBits ? Nibble(nCode, n) : nCode);
                continue;
            }
            switch (nCode)
            {
            case 0:
                m_nX = 0;
                ++m_nY;
                break;
            case 1:
                return;
            case 2:
                if (i + 2 > nRuns)
                    return;
                m_nX = std::min<LONG>(m_nX + pRuns[i], m_nWidth);
                m_nY += pRuns[i + 1];
                i += 2;
                break;
            default:
            {
                // nCode pixels as they are, in bytes padded to a word.
                const size_t nBytes = m_bFourBits ? (nCode + 1u) / 2 : nCode;
                if (i + nBytes > nRuns)
                    return;
                for (UINT n = 0; n < nCode && m_nX < m_nWidth; ++n)
                    Put(m_bFourBits ? Nibble(pRuns[i + n / 2], n) : pRuns[i + n]);
                i += (nBytes + 1) & ~size_t(1);
                break;
            }
            }
        }
    }

private:
    static constexpr RGBQUAD kMaskColors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

    // The nth of the 4-bit pixels that alternate through a byte: the high half first.
    static BYTE Nibble(BYTE byte, UINT n) { return static_cast<BYTE>((n & 1) != 0 ? byte & 0x0F : byte >> 4); }

    void Put(BYTE nIndex)
    {
        BYTE* pRow = m_picture.Row(m_nY);
        if (m_bFourBits)
        {
            BYTE& byte = pRow[m_nX / 2];
            byte = (m_nX & 1) != 0 ? static_cast<BYTE>((byte & 0xF0) | nIndex) : static_cast<BYTE>((byte & 0x0F) | (nIndex << 4));
        }
        else
            pRow[m_nX] = nIndex;
        m_mask.Row(m_nY)[m_nX / 8] |= static_cast<BYTE>(0x80 >> (m_nX % 8));
        ++m_nX;
    }

    const BOOL m_bFourBits;
    const LONG m_nWidth;
    const LONG m_nHeight;
    LONG m_nX = 0;
    LONG m_nY = 0;
    CNewDIB m_picture;
    CNewDIB m_mask;
};

// Draws a run-length DIB as CGXDIB::Draw places it, the pixels its runs skip left as the device shows
// them. Nothing is drawn when the expanded picture cannot be had.
void DrawRunLengthDIB(CDC* pDC, const BYTE* pDIB, size_t nSize, const RECT& rect, int nMode, UINT nAlign,
                      const RECT* pSrcRect)
{
    BITMAPINFOHEADER header;
    std::memcpy(&header, pDIB, sizeof(header));
    const UINT nColors = GXGetDibNumColors(&header);
    const size_t nOffset = header.biSize + nColors * sizeof(RGBQUAD);
    CExpandedRuns expanded(header, reinterpret_cast<const RGBQUAD*>(pDIB + header.biSize), nColors);
    if (!expanded.IsAllocated())
        return;
    expanded.Expand(pDIB + nOffset, std::min<size_t>(header.biSizeImage, nSize - nOffset));

    // Picture and mask are placed alike in bitmaps of the destination's size, then copied through the mask.
    const CRect dest(rect);
    CDC pictureDC;
    CDC maskDC;
    CBitmap picture;
    CBitmap mask;
    if (!pictureDC.CreateCompatibleDC(pDC) || !maskDC.CreateCompatibleDC(pDC) ||
        !picture.CreateCompatibleBitmap(pDC, dest.Width(), dest.Height()) ||
        !mask.CreateBitmap(dest.Width(), dest.Height(), 1, 1, nullptr))
        return;
    CBitmap* pOldPicture = pictureDC.SelectObject(&picture);
    CBitmap* pOldMask = maskDC.SelectObject(&mask);
    const CRect local(0, 0, dest.Width(), dest.Height());
    const CRect drawn = CGXDIB::Draw(&pictureDC, expanded.Picture(), local, nMode, nAlign, pSrcRect);
    CGXDIB::Draw(&maskDC, expanded.Mask(), local, nMode, nAlign, pSrcRect);
    maskDC.SelectObject(pOldMask);
    // Where the mask is white the picture is copied; where it is black the destination stays.
    if (!drawn.IsRectEmpty())
        ::MaskBlt(pDC->m_hDC, dest.left + drawn.left, dest.top + drawn.top, drawn.Width(), drawn.Height(),
                  pictureDC.m_hDC, drawn.left, drawn.top, static_cast<HBITMAP>(mask), drawn.left, drawn.top,
                  MAKEROP4(SRCCOPY, 0x00AA0029));
    pictureDC.SelectObject(pOldPicture);
}
}  // namespace

HGLOBAL GXDIBFromVariantBytes(const VARIANT* pVariant, BOOL bKeepFileHeader)
{
    if (pVariant == nullptr || pVariant->vt != (VT_ARRAY | VT_UI1))
        return nullptr;
    CByteArray bytes;
    if (!GXGetByteArrayVariant(*pVariant, bytes) || bytes.GetSize() < 2)
        return nullptr;
    const BYTE* pData = bytes.GetData();
    const size_t nSize = static_cast<size_t>(bytes.GetSize());
    size_t nStart = 0;
    while (nStart + 1 < nSize && !(pData[nStart] == 'B' && pData[nStart + 1] == 'M'))
        ++nStart;
    if (nStart + 1 >= nSize || nStart + kFileHeaderSize > nSize)
        return nullptr;
    // Nothing past the data is ever read: the bitmap must be whole.
    if (!IsWholeDIB(pData + nStart + kFileHeaderSize, nSize - nStart - kFileHeaderSize))
        return nullptr;
    const size_t nFrom = bKeepFileHeader ? nStart : nStart + kFileHeaderSize;
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nSize - nFrom);
    if (hDIB == nullptr)
        return nullptr;
    void* pDIB = ::GlobalLock(hDIB);
    std::memcpy(pDIB, pData + nFrom, nSize - nFrom);
    ::GlobalUnlock(hDIB);
    return hDIB;
}

HGLOBAL GXDrawVariantBitmap(CDC* pDC, const VARIANT* pVariant, const RECT& rect, int nMode, UINT nAlign,
                            const RECT* pSrcRect, HGLOBAL hDIB, BOOL bFree)
{
    if (hDIB == nullptr)
        hDIB = GXDIBFromVariantBytes(pVariant, FALSE);
    if (hDIB == nullptr)
        return nullptr;
    // The platform would paint what the runs of a run-length bitmap skip.
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(hDIB));
    const size_t nSize = ::GlobalSize(hDIB);
    BITMAPINFOHEADER header = {};
    if (pDIB != nullptr && nSize >= sizeof(header))
        std::memcpy(&header, pDIB, sizeof(header));
    if (pDIB != nullptr && IsRunLength(header) && IsWholeDIB(pDIB, nSize))
    {
        if (pDC != nullptr && rect.right > rect.left && rect.bottom > rect.top)
            DrawRunLengthDIB(pDC, pDIB, nSize, rect, nMode, nAlign, pSrcRect);
    }
    else
        CGXDIB::Draw(pDC, hDIB, rect, nMode, nAlign, pSrcRect);
    if (pDIB != nullptr)
        ::GlobalUnlock(hDIB);
    if (bFree)
    {
        ::GlobalFree(hDIB);
        return nullptr;
    }
    return hDIB;
}

CGXDaoBitmap::CGXDaoBitmap(CGXGridCore* pGrid) : CGXStatic(pGrid)
{
}

BOOL CGXDaoBitmap::DrawsInteriorOnly(ROWCOL, ROWCOL, const CGXStyle&)
{
    return FALSE;
}

void CGXDaoBitmap::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                        const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const CGXOleVarUserAttribute* pAttribute =
        style.HasUserAttribute(GX_IDS_UA_DAOBITMAP)
            ? dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(GX_IDS_UA_DAOBITMAP))
            : nullptr;
    if (pAttribute == nullptr || pAttribute->GetVariant() == nullptr)
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    DrawBackground(pDC, rect, style);
    if (rect.IsRectEmpty() || rect.Width() <= 1 || rect.Height() <= 1)
        return;
    const CRect rectCell = GetCellRect(nRow, nCol, &rect, &style);
    CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks();
    // A browser grid may hold the cell's bitmap already; the cell draws its own bytes all the same.
    if (pHooks != nullptr)
        pHooks->GetHeldBitmap(nRow, nCol);
    HGLOBAL hDIB = GXDrawVariantBitmap(pDC, pAttribute->GetVariant(), rectCell, CGXDIB::drawNatural,
                                       GXDrawnCell::AlignmentFlags(style));
    // Without a browser grid to keep it, the bitmap goes once drawn.
    if (hDIB != nullptr && (pHooks == nullptr || pHooks->OfferBitmap(nRow, nCol, hDIB)))
        ::GlobalFree(hDIB);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}
