// The drawing toolbox's instance, fills, frames, edges, captions, pattern and resource bitmaps.
#include "grid/core/DrawingAndFormatting.h"

#include "framework/win/WinApp.h"
#include "grid/core/Color.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
// Rows of the 8x8 patterns, one word per row (the low byte is the row's pixels).
const WORD kPatternBits[GX_PATTERN_COUNT][8] = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // 0 empty (white)
    {0x7F, 0xFF, 0xFF, 0xFF, 0xF7, 0xFF, 0xFF, 0xFF},  // 1 sparse dots
    {0x77, 0xFF, 0xDD, 0xFF, 0x77, 0xFF, 0xDD, 0xFF},  // 2 light dots
    {0x55, 0xFF, 0x55, 0xFF, 0x55, 0xFF, 0x55, 0xFF},  // 3
    {0x55, 0xBB, 0x55, 0xEE, 0x55, 0xBB, 0x55, 0xEE},  // 4
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},  // 5 50 % grey
    {0x11, 0xAA, 0x44, 0xAA, 0x11, 0xAA, 0x44, 0xAA},  // 6
    {0x00, 0xAA, 0x00, 0xAA, 0x00, 0xAA, 0x00, 0xAA},  // 7
    {0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00, 0x88},  // 8 dark dots
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // 9 solid
    {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF},  // 10 horizontal lines
    {0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0xBB},  // 11 vertical lines
    {0x7E, 0xBD, 0xDB, 0xE7, 0xE7, 0xDB, 0xBD, 0x7E},  // 12 diagonal cross
    {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F},  // 13 rising diagonal
    {0x7F, 0xBF, 0xDF, 0xEF, 0xF7, 0xFB, 0xFD, 0xFE},  // 14 falling diagonal
    {0xEE, 0x00, 0xEE, 0xEE, 0xEE, 0x00, 0xEE, 0xEE},  // 15 grid
    {0xFC, 0xF9, 0xF3, 0xE7, 0xCF, 0x9F, 0x3F, 0x7E},  // 16 thick rising diagonal
    {0xAA, 0xFF, 0xAA, 0xFF, 0xAA, 0xFF, 0xAA, 0xFF},  // 17 marking
    {0x3F, 0x9F, 0xCF, 0xE7, 0xF3, 0xF9, 0xFC, 0x7E},  // 18 thick falling diagonal
    {0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF},  // 19 wide horizontal lines
    {0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77},  // 20 wide vertical lines
    {0x00, 0x7F, 0x7F, 0x7F, 0x00, 0xF7, 0xF7, 0xF7},  // 21 bricks
    {0xFF, 0xAA, 0xFF, 0xAA, 0xFF, 0xAA, 0xFF, 0xAA},  // 22 horizontal dashes
    {0x5F, 0xAF, 0x5F, 0xAF, 0xF5, 0xFA, 0xF5, 0xFA},  // 23 checks
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},  // 24 50 % grey, shifted
};

COLORREF ResolveGridColor(COLORREF color)
{
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(color, nKind, nValue);
    return GXResolveColor(nKind, nValue);
}
}  // namespace

CGXDrawingAndFormatting* CGXDrawingAndFormatting::GetInstance()
{
    // Lives until the program ends, like the pattern bitmaps it hands out.
    static CGXDrawingAndFormatting* s_pInstance = new CGXDrawingAndFormatting;
    return s_pInstance;
}

CBitmap* CGXDrawingAndFormatting::GetPatternBitmap(int nPattern)
{
    static CBitmap* s_bitmaps = new CBitmap[GX_PATTERN_COUNT];
    if (nPattern < 0 || nPattern >= GX_PATTERN_COUNT)
        return nullptr;
    CBitmap& bitmap = s_bitmaps[nPattern];
    if (bitmap.GetSafeHandle() == nullptr)
        bitmap.CreateBitmap(8, 8, 1, 1, kPatternBits[nPattern]);
    return &bitmap;
}

void CGXDrawingAndFormatting::FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF color)
{
    // Reading the colour is far cheaper than setting it, and most fills of a paint find it set already.
    const HDC hdc = pDC->m_hDC;
    const COLORREF wanted = ResolveGridColor(color);
    // A DC that cannot tell its colour (a metafile's) gets it set and the old one back as it answers.
    COLORREF previous = ::GetBkColor(hdc);
    const BOOL bChange = previous != wanted;
    if (bChange)
        previous = ::SetBkColor(hdc, wanted);
    const RECT rect = {x, y, x + cx, y + cy};
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    if (bChange)
        ::SetBkColor(hdc, previous);
}

void CGXDrawingAndFormatting::FillSolidRect(CDC* pDC, const RECT& rect, COLORREF color)
{
    FillSolidRect(pDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, color);
}

void CGXDrawingAndFormatting::InvertRectClipped(CDC* pDC, const RECT& rect, const RECT& clip)
{
    RECT target = rect;
    if (!::IsRectEmpty(&clip) && !::IntersectRect(&target, &rect, &clip))
        return;
    ::InvertRect(pDC->m_hDC, &target);
}

BOOL CGXDrawingAndFormatting::DrawEdgeRect(CDC* pDC, int left, int top, int right, int bottom, UINT nEdge,
                                           BOOL bAdjust)
{
    RECT rect = {left, top, right, bottom};
    return ::DrawEdge(pDC->m_hDC, &rect, nEdge, bAdjust ? (BF_RECT | BF_ADJUST) : BF_RECT);
}

void CGXDrawingAndFormatting::Draw3dFrame(CDC* pDC, int left, int top, int right, int bottom, int nDepth,
                                          COLORREF rgbTopLeft, COLORREF rgbBottomRight)
{
    for (int nLevel = 0; nLevel < nDepth && right - left > 0 && bottom - top > 0; ++nLevel)
    {
        FillSolidRect(pDC, left, top, right - left - 1, 1, rgbTopLeft);
        FillSolidRect(pDC, left, top, 1, bottom - top - 1, rgbTopLeft);
        FillSolidRect(pDC, left, bottom - 1, right - left, 1, rgbBottomRight);
        FillSolidRect(pDC, right - 1, top, 1, bottom - top, rgbBottomRight);
        ++left;
        ++top;
        --right;
        --bottom;
    }
}

void CGXDrawingAndFormatting::DrawEdgeFrame(CDC* pDC, CRect& rect, BOOL bOuter, BOOL bInner)
{
    if (bOuter)
    {
        if (bInner)
            ::DrawEdge(pDC->m_hDC, rect, BDR_RAISEDINNER | BDR_SUNKENINNER, BF_RECT | BF_ADJUST | BF_FLAT);
        else
            ::DrawEdge(pDC->m_hDC, rect, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
    }
    if (bInner)
        ::DrawEdge(pDC->m_hDC, rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

CRect CGXDrawingAndFormatting::DrawCenteredCaption(CDC* pDC, CRect rect, BOOL bFrame, LPCTSTR pszCaption,
                                                   UINT nFormat)
{
    pDC->SetBkMode(TRANSPARENT);
    const LPCTSTR pszMeasured = (pszCaption == nullptr || *pszCaption == '\0') ? "--" : pszCaption;
    CRect box(0, 0, 0, 0);
    pDC->DrawText(pszMeasured, -1, box, nFormat | DT_CALCRECT);
    box.left -= 3;
    box.right += 3;
    box.OffsetRect(rect.left + (rect.Width() - box.Width()) / 2 - box.left,
                   rect.top + (rect.Height() - box.Height()) / 2 - box.top);
    box.IntersectRect(box, rect);
    if (pszCaption != nullptr)
    {
        CRect textRect = box;
        DrawText(pDC, pszCaption, -1, textRect, nFormat | DT_CENTER);
    }
    if (bFrame)
    {
        // Open corners: each edge stops two pixels short of them.
        const COLORREF shadow = GXSysColorValue(COLOR_BTNSHADOW);
        FillSolidRect(pDC, box.left + 2, box.top, box.Width() - 3, 1, shadow);
        FillSolidRect(pDC, box.left + 2, box.bottom - 1, box.Width() - 3, 1, shadow);
        FillSolidRect(pDC, box.left, box.top + 2, 1, box.Height() - 3, shadow);
        FillSolidRect(pDC, box.right - 1, box.top + 2, 1, box.Height() - 3, shadow);
    }
    return box;
}

CRect GXDrawCenteredCaption(CDC* pDC, CRect rect, BOOL bFrame, LPCTSTR pszCaption, UINT nFormat)
{
    return CGXDrawingAndFormatting::GetInstance()->DrawCenteredCaption(pDC, rect, bFrame, pszCaption, nFormat);
}

// ---------------------------------------------------------------------------------------------
// Resource bitmaps

UINT GXGetDibNumColors(const BITMAPINFOHEADER* pHeader)
{
    if (pHeader == nullptr)
        return 0;
    if (pHeader->biClrUsed != 0)
        return pHeader->biClrUsed;
    switch (pHeader->biBitCount)
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

HGLOBAL CGXDrawingAndFormatting::CopyBitmapResource(HINSTANCE hInstance, LPCTSTR pszResourceName)
{
    HRSRC hResource = ::FindResourceA(hInstance, pszResourceName, RT_BITMAP);
    if (hResource == nullptr)
        return nullptr;
    const DWORD nSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hLoaded = ::LoadResource(hInstance, hResource);
    const void* pBits = hLoaded != nullptr ? ::LockResource(hLoaded) : nullptr;
    if (pBits == nullptr || nSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nSize);
    if (hCopy == nullptr)
        return nullptr;
    void* pCopy = ::GlobalLock(hCopy);
    std::memcpy(pCopy, pBits, nSize);
    ::GlobalUnlock(hCopy);
    return hCopy;
}

BOOL CGXDrawingAndFormatting::LoadBitmapResource(CBitmap& bitmap, LPCTSTR pszResourceName)
{
    HINSTANCE hInstance = AfxFindResourceHandle(pszResourceName, RT_BITMAP);
    HRSRC hResource = ::FindResourceA(hInstance, pszResourceName, RT_BITMAP);
    if (hResource == nullptr)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hLoaded = ::LoadResource(hInstance, hResource);
    const BYTE* pResource = hLoaded != nullptr ? static_cast<const BYTE*>(::LockResource(hLoaded)) : nullptr;
    if (pResource == nullptr || nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(pResource);
    // The colour table's length is the header's own (a short table moves the bits up), and the bits
    // must lie within the resource before anything reads them.
    const UINT nColors = std::min<UINT>(GXGetDibNumColors(pHeader), 256);
    const size_t nHeaderSize = pHeader->biSize + nColors * sizeof(RGBQUAD);
    if (pHeader->biSize < sizeof(BITMAPINFOHEADER) || pHeader->biWidth <= 0 || pHeader->biHeight == 0 ||
        nHeaderSize > nSize)
        return FALSE;
    const size_t nStride = static_cast<size_t>(GXGetDibStride(pHeader->biWidth, pHeader->biBitCount));
    const size_t nRows = static_cast<size_t>(pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight);
    if (pHeader->biCompression == BI_RGB && nHeaderSize + nStride * nRows > nSize)
        return FALSE;
    std::vector<BYTE> info(pResource, pResource + nHeaderSize);
    RGBQUAD* pTable = reinterpret_cast<RGBQUAD*>(info.data() + pHeader->biSize);
    struct
    {
        COLORREF from;
        int nSysColor;
    } const replacements[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
                              {RGB(128, 128, 128), COLOR_BTNSHADOW},
                              {RGB(192, 192, 192), COLOR_BTNFACE},
                              {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    for (UINT i = 0; i < nColors; ++i)
    {
        const COLORREF entry = RGB(pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue);
        for (const auto& replacement : replacements)
            if (entry == replacement.from)
            {
                const COLORREF sys = GXGetSysColor(replacement.nSysColor);
                pTable[i].rgbRed = GetRValue(sys);
                pTable[i].rgbGreen = GetGValue(sys);
                pTable[i].rgbBlue = GetBValue(sys);
                break;
            }
    }
    const int nWidth = pHeader->biWidth;
    const int nHeight = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
    CDC screen;
    if (!screen.Attach(::GetDC(nullptr)))
        return FALSE;
    CDC memory;
    BOOL bOk = memory.CreateCompatibleDC(&screen) && bitmap.CreateCompatibleBitmap(&screen, nWidth, nHeight);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!bOk)
        return FALSE;
    CBitmap* pOld = memory.SelectObject(&bitmap);
    const int nLines = ::StretchDIBits(memory.m_hDC, 0, 0, nWidth, nHeight, 0, 0, nWidth, nHeight,
                                       pResource + nHeaderSize, reinterpret_cast<BITMAPINFO*>(info.data()),
                                       DIB_RGB_COLORS, SRCCOPY);
    memory.SelectObject(pOld);
    if (nLines == 0 || nLines == static_cast<int>(GDI_ERROR))
    {
        bitmap.DeleteObject();
        return FALSE;
    }
    return TRUE;
}

int GridDrawText(CDC* pDC, LPCTSTR pszText, int nLength, LPRECT lpRect, UINT nFormat, LPCRECT lpClipRect)
{
    return CGXDrawingAndFormatting::GetInstance()->DrawText(pDC, pszText, nLength, lpRect, nFormat, lpClipRect);
}
