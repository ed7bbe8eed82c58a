// snapshot TITLE FILE.bmp [SECONDS]: waits until a top-level window with the title shows,
// lets it paint, and saves what the screen shows of it as a 24-bit BMP. For people on
// headless machines who want to see that a program ran; tests never depend on it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool SaveWindowPicture(HWND window, const char* path)
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
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();

    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + stride * height;
    bool written = false;
    if (FILE* file = std::fopen(path, "wb")) {
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: snapshot TITLE FILE.bmp [SECONDS]\n");
        return 2;
    }
    const DWORD limitMs = (argc > 3 ? std::atoi(argv[3]) : 60) * 1000u;
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (!(window = FindWindowA(nullptr, argv[1])) || !IsWindowVisible(window)) {
        if (GetTickCount() - start > limitMs) {
            std::fprintf(stderr, "snapshot: no window \"%s\" within the time limit\n", argv[1]);
            return 1;
        }
        Sleep(200);
    }
    Sleep(1500); // let it finish painting
    if (!SaveWindowPicture(window, argv[2])) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
