// Saves what the screen shows of a window as a 24-bit BMP, for a person to look at: used by the
// snapshot tool and by tests that leave a picture in the build folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

inline bool SaveWindowPicture(HWND window, const char* path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Under Wine, PrintWindow leaves out child windows; the screen holds the real picture.
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    GdiFlush();

    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + stride * height;
    bool written = false;
    if (FILE* file = copied ? std::fopen(path, "wb") : nullptr) {
        written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                  std::fwrite(bits, stride * height, 1, file) == 1;
        written = (std::fclose(file) == 0) && written;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}
