#include "grid/controls/DIBPool.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/core/DrawingAndFormatting.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXDIB, CObject)
IMPLEMENT_DYNAMIC(CGXDIBPool, CObject)

namespace
{
// Header, colour table (and bit-field masks) before the bits.
size_t BitsOffset(const BITMAPINFOHEADER& header)
{
    size_t nOffset = header.biSize + std::min<UINT>(GXGetDibNumColors(&header), 256) * sizeof(RGBQUAD);
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        nOffset += 3 * sizeof(DWORD);
    return nOffset;
}

// A block that holds a whole header and its colour table; the header is copied out.
bool ReadHeader(HGLOBAL hDIB, BITMAPINFOHEADER& header)
{
    if (hDIB == nullptr || ::GlobalSize(hDIB) < sizeof(BITMAPINFOHEADER))
        return false;
    const void* p = ::GlobalLock(hDIB);
    if (p == nullptr)
        return false;
    std::memcpy(&header, p, sizeof(header));
    ::GlobalUnlock(hDIB);
    return header.biSize >= sizeof(BITMAPINFOHEADER) && BitsOffset(header) <= ::GlobalSize(hDIB);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CGXDIB

CGXDIB::CGXDIB() = default;

CGXDIB::~CGXDIB() { Release(); }

void CGXDIB::Release()
{
    if (m_hDIB != nullptr)
    {
        if (m_bDeleteObject)
            ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hDIB));
        else
            ::GlobalFree(m_hDIB);
    }
    m_hDIB = nullptr;
    m_nColors = 0;
    m_nWidth = m_nHeight = 0;
    m_bDeleteObject = TRUE;
}

BOOL CGXDIB::Attach(HGLOBAL hDIB)
{
    Release();
    if (hDIB == nullptr)
        return TRUE;
    BITMAPINFOHEADER header = {};
    if (!ReadHeader(hDIB, header))
        return FALSE;
    m_hDIB = hDIB;
    m_nColors = GXGetDibNumColors(&header);
    m_nWidth = header.biWidth;
    m_nHeight = header.biHeight;
    // A packed DIB is global memory: it must go back with GlobalFree, not DeleteObject.
    m_bDeleteObject = FALSE;
    return TRUE;
}

HGLOBAL CGXDIB::Detach()
{
    HGLOBAL hDIB = m_hDIB;
    // Without a handle Release only resets the fields.
    m_hDIB = nullptr;
    Release();
    return hDIB;
}

CRect CGXDIB::Draw(CDC* pDC, HGLOBAL hDIB, const RECT& destRect, int nMode, UINT nAlign, const RECT* pSrcRect)
{
    BITMAPINFOHEADER header = {};
    if (!ReadHeader(hDIB, header))
        return CRect(0, 0, 0, 0);
    const int nImageHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    CRect src = pSrcRect != nullptr ? CRect(*pSrcRect) : CRect(0, 0, header.biWidth, nImageHeight);
    CRect dest(destRect);
    if (src.Width() <= 0 || src.Height() <= 0 || dest.Width() <= 0 || dest.Height() <= 0)
        return CRect(0, 0, 0, 0);

    if (nMode == drawNatural)
    {
        if (src.Width() < dest.Width())
        {
            const int nFree = dest.Width() - src.Width();
            if (nAlign & DT_CENTER)
                dest.left += nFree / 2;
            else if (nAlign & DT_RIGHT)
                dest.left += nFree;
            dest.right = dest.left + src.Width();
        }
        else
            src.right = src.left + dest.Width();
        if (src.Height() < dest.Height())
        {
            const int nFree = dest.Height() - src.Height();
            if (nAlign & DT_VCENTER)
                dest.top += nFree / 2;
            else if (nAlign & DT_BOTTOM)
                dest.top += nFree;
            dest.bottom = dest.top + src.Height();
        }
        else
        {
            // Source rows count from the image's bottom: bottom alignment keeps the first of them,
            // every other alignment the last (the image's top).
            if (!(nAlign & DT_BOTTOM))
                src.top += src.Height() - dest.Height();
            src.bottom = src.top + dest.Height();
        }
    }
    else if (nMode == drawScale)
    {
        const long nScaleX = static_cast<long>(dest.Width()) * 1000 / src.Width();
        const long nScaleY = static_cast<long>(dest.Height()) * 1000 / src.Height();
        const long nScale = std::min(nScaleX, nScaleY);
        const int nWidth = static_cast<int>(src.Width() * nScale / 1000);
        const int nHeight = static_cast<int>(src.Height() * nScale / 1000);
        int x = dest.left;
        int y = dest.top;
        if (nAlign & (DT_CENTER | DT_RIGHT))
            x += (nAlign & DT_CENTER) ? (dest.Width() - nWidth) / 2 : dest.Width() - nWidth;
        if (nAlign & (DT_VCENTER | DT_BOTTOM))
            y += (nAlign & DT_VCENTER) ? (dest.Height() - nHeight) / 2 : dest.Height() - nHeight;
        dest.SetRect(x, y, x + nWidth, y + nHeight);
    }

    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(hDIB));
    if (pDIB == nullptr)
        return CRect(0, 0, 0, 0);
    const int nLines = ::StretchDIBits(pDC != nullptr ? pDC->m_hDC : nullptr, dest.left, dest.top, dest.Width(),
                                       dest.Height(), src.left, src.top, src.Width(), src.Height(),
                                       pDIB + BitsOffset(header), reinterpret_cast<const BITMAPINFO*>(pDIB),
                                       DIB_RGB_COLORS, SRCCOPY);
    ::GlobalUnlock(hDIB);
    if (nLines == 0 || nLines == static_cast<int>(GDI_ERROR))
        return CRect(0, 0, 0, 0);
    return dest;
}

// ---------------------------------------------------------------------------------------------
// CGXDIBPool

CGXDIBPool::CGXDIBPool() : m_mapDIBs(10) {}

CGXDIBPool::~CGXDIBPool()
{
    POSITION pos = m_mapDIBs.GetStartPosition();
    while (pos != nullptr)
    {
        CString key;
        void* pValue = nullptr;
        m_mapDIBs.GetNextAssoc(pos, key, pValue);
        if (pValue != nullptr)
            ::GlobalFree(static_cast<HGLOBAL>(pValue));
    }
    m_mapDIBs.RemoveAll();
}

LPCTSTR CGXDIBPool::ParseReference(LPCTSTR pszReference, CString& sKey)
{
    const size_t nPrefix = std::strlen(GX_BMP_PREFIX);
    if (pszReference == nullptr || _strnicmp(pszReference, GX_BMP_PREFIX, nPrefix) != 0)
        return nullptr;
    const char* pszQuote = std::strchr(pszReference, '"');
    if (pszQuote == nullptr)
    {
        // Resource ids are 16-bit and never 0: anything else is no reference.
        const long nId = std::atol(pszReference + nPrefix);
        if (nId <= 0 || nId > 0xFFFF)
            return nullptr;
        sKey.Format("#%u", static_cast<unsigned>(nId));
        return MAKEINTRESOURCEA(nId);
    }
    const char* pszEnd = std::strchr(pszQuote + 1, '"');
    if (pszEnd == nullptr)
        return nullptr;
    sKey = CString(pszQuote + 1, static_cast<int>(pszEnd - pszQuote - 1));
    return sKey;
}

HGLOBAL CGXDIBPool::LookupDIB(LPCTSTR pszReference)
{
    CString key;
    LPCTSTR pszResource = ParseReference(pszReference, key);
    if (pszResource == nullptr)
        return nullptr;
    void* pValue = nullptr;
    if (m_mapDIBs.Lookup(key, pValue))
        return static_cast<HGLOBAL>(pValue);
    HGLOBAL hDIB = LoadDIB(pszReference, pszResource);
    m_mapDIBs.SetAt(key, hDIB);
    return hDIB;
}

HGLOBAL CGXDIBPool::LoadDIB(LPCTSTR, LPCTSTR pszResource)
{
    HGLOBAL hDIB =
        CGXDrawingAndFormatting::CopyBitmapResource(AfxFindResourceHandle(pszResource, RT_BITMAP), pszResource);
    if (hDIB == nullptr)
        hDIB = CGXDrawingAndFormatting::CopyBitmapResource(AfxGetInstanceHandle(), pszResource);
    return hDIB;
}

void CGXDIBPool::FormatNamedReference(LPCTSTR pszResourceName, CString& sReference)
{
    sReference.Format("%s\"%s\")", GX_BMP_PREFIX, pszResourceName != nullptr ? pszResourceName : "");
}

void CGXDIBPool::FormatIdReference(UINT nResourceId, CString& sReference)
{
    sReference.Format("%s%u)", GX_BMP_PREFIX, nResourceId);
}

CGXDIBPool* GXGetDIBPool()
{
    static CGXDIBPool s_pool;
    return &s_pool;
}
