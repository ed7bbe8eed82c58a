#include "ChartTestSupport.h"

#include <cstdio>
#include <vector>

CMemoryCanvas::CMemoryCanvas(int w, int h) : width(w), height(h), m_pOld(nullptr)
{
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pOld = dc.SelectObject(&m_bitmap);
    dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
}

CMemoryCanvas::~CMemoryCanvas()
{
    dc.SelectObject(m_pOld);
}

void CMemoryCanvas::SaveBmp(const char* fileName)
{
    const int rowBytes = width * 3 + (4 - width * 3 % 4) % 4;
    std::vector<unsigned char> pixels(size_t(rowBytes) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = Pixel(x, height - 1 - y);
            unsigned char* p = &pixels[size_t(y) * rowBytes + size_t(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = DWORD(pixels.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    if (FILE* f = std::fopen(fileName, "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info, sizeof info, 1, f);
        std::fwrite(pixels.data(), 1, pixels.size(), f);
        std::fclose(f);
    }
}
