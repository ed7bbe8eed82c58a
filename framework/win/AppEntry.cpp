// The program's entry. Alone in its object file so that only programs (which ask for WinMain) pull it
// from the library; test executables have a main of their own.
#include "framework/win/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
