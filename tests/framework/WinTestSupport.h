// Small helpers for the window-layer tests.
#pragma once

#include <windows.h>

#include <string>

// Dispatches every message waiting in this thread's queue.
inline void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline std::string WindowText(HWND hWnd)
{
    char text[512] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND hDialog, int nID)
{
    return WindowText(::GetDlgItem(hDialog, nID));
}

// Presses a push button the way a click does (BN_CLICKED to its parent).
inline void PressButton(HWND hDialog, int nID)
{
    ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDialog, nID));
}
