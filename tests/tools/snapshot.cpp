// snapshot TITLE FILE.bmp [SECONDS]: waits until a top-level window with the title shows,
// lets it paint, and saves what the screen shows of it as a 24-bit BMP. For people on
// headless machines who want to see that a program ran; tests never depend on it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tests/tools/WindowPicture.h"

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
