#include "grid/controls/DaoBitmap.h"

#include "grid/controls/DIBPool.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/OleVarUserAttribute.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

#include <cstring>

GRID_IMPLEMENT_CONTROL(CGXDaoBitmap, CGXStatic)

namespace
{
const size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
const unsigned long long kMaxPixelsPerRun = 255;

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
    const BOOL bRle = (header.biCompression == BI_RLE8 && header.biBitCount == 8) ||
                      (header.biCompression == BI_RLE4 && header.biBitCount == 4);
    if (!bRle && header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)
        return FALSE;
    const unsigned long long nColors = GXGetDibNumColors(&header);
    if (nColors > 256)
        return FALSE;
    unsigned long long nOffset = header.biSize + nColors * sizeof(RGBQUAD);
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        nOffset += 3 * sizeof(DWORD);
    // Compressed bits are read no further than the header's image size (run-length bitmaps are
    // stored bottom-up only). The platform expands them to the whole picture at every paint, so the
    // picture must be one its bytes can paint, as plain bits must hold every row: a run of two bytes
    // paints at most 255 pixels.
    if (bRle)
        return header.biHeight > 0 && header.biSizeImage > 0 && nOffset + header.biSizeImage <= nSize &&
               static_cast<unsigned long long>(header.biWidth) * static_cast<unsigned long long>(header.biHeight) <=
                   kMaxPixelsPerRun * (header.biSizeImage / 2);
    const unsigned long long nStride = ((static_cast<unsigned long long>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const long long nHeight = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    return nOffset + nStride * static_cast<unsigned long long>(nHeight) <= nSize;
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
    CGXDIB::Draw(pDC, hDIB, rect, nMode, nAlign, pSrcRect);
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
