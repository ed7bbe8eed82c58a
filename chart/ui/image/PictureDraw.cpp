// BWKPicture: exchange with device-dependent bitmaps and drawing into a device context.
#include "chart/ui/image/Picture.h"

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

BOOL BWKPicture::CreateFromBitmap(CDC* dc, CBitmap* bitmap)
{
    if (!dc || !bitmap || !bitmap->GetSafeHandle())
        return FALSE;
    BITMAP facts;
    if (!::GetObjectA(bitmap->GetSafeHandle(), sizeof(facts), &facts))
        return FALSE;
    const int deviceBits = facts.bmBitsPixel * facts.bmPlanes;
    int bitsPerPixel = 24;
    if (deviceBits <= 1)
        bitsPerPixel = 1;
    else if (deviceBits <= 4)
        bitsPerPixel = 4;
    else if (deviceBits <= 8)
        bitsPerPixel = 8;
    if (!AllocateImage(facts.bmWidth, facts.bmHeight, bitsPerPixel))
        return FALSE;
    if (::GetDIBits(dc->GetSafeHdc(), static_cast<HBITMAP>(bitmap->GetSafeHandle()), 0,
                    static_cast<UINT>(m_height), m_bits, m_header, DIB_RGB_COLORS) == 0) {
        Free();
        return FALSE;
    }
    // GetDIBits may report a shorter colour table; the block always holds the full one.
    m_header->bmiHeader.biSizeImage = m_stride * static_cast<DWORD>(m_height);
    m_hasImage = TRUE;
    if (!PrepareHeader()) {
        Free();
        return FALSE;
    }
    return TRUE;
}

CBitmap* BWKPicture::CreateBitmap(CDC* dc)
{
    if (!dc || !m_hasImage || !AlignRows())
        return NULL;
    HDC target = dc->GetSafeHdc();
    HBITMAP handle = ::CreateCompatibleBitmap(target, m_width, m_height);
    if (!handle)
        return NULL;
    HDC memory = ::CreateCompatibleDC(target);
    if (!memory) {
        ::DeleteObject(handle);
        return NULL;
    }
    HGDIOBJ old = ::SelectObject(memory, handle);
    const int lines = ::StretchDIBits(memory, 0, 0, m_width, m_height, 0, 0, m_width, m_height, m_bits, m_header,
                                      DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    if (lines == 0) {
        ::DeleteObject(handle);
        return NULL;
    }
    CBitmap* bitmap = new CBitmap;
    bitmap->Attach(handle);
    return bitmap;
}

CBitmap* BWKPicture::CreateBitmap(LPCTSTR path)
{
    if (!LoadFromPath(path))
        return NULL;
    // Through the DIB functions so that the bottom-up, 4-byte-aligned rows land the right way up.
    HDC screen = ::GetDC(NULL);
    if (!screen)
        return NULL;
    HBITMAP handle = ::CreateDIBitmap(screen, &m_header->bmiHeader, CBM_INIT, m_bits, m_header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, screen);
    if (!handle)
        return NULL;
    CBitmap* bitmap = new CBitmap;
    bitmap->Attach(handle);
    return bitmap;
}

int BWKPicture::Draw(CDC* dc, const RECT& destination, const RECT& source, const void* bits,
                     const BITMAPINFO* header, UINT usage, DWORD rasterOperation)
{
    if (!bits)
        bits = m_bits;
    if (!header)
        header = m_header;
    if (!dc || !bits || !header)
        return 0;
    HDC target = dc->GetSafeHdc();
    HPALETTE halftone = NULL;
    HPALETTE oldPalette = NULL;
    int oldMode = 0;
    if (m_needsHalftone) {
        halftone = ::CreateHalftonePalette(target);
        if (halftone) {
            oldPalette = ::SelectPalette(target, halftone, FALSE);
            ::RealizePalette(target);
        }
        if (dc->m_hAttribDC) {
            oldMode = ::SetStretchBltMode(target, HALFTONE);
            ::SetBrushOrgEx(target, 0, 0, NULL);
        }
    }
    const int lines = ::StretchDIBits(target, destination.left, destination.top, destination.right - destination.left,
                                      destination.bottom - destination.top, source.left, source.top,
                                      source.right - source.left, source.bottom - source.top, bits, header, usage,
                                      rasterOperation);
    if (oldMode)
        ::SetStretchBltMode(target, oldMode);
    if (halftone) {
        ::SelectPalette(target, oldPalette, FALSE);
        ::DeleteObject(halftone);
    }
    return lines;
}
