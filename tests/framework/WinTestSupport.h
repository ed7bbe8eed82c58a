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

// The whole text, also of a window of another process.
inline std::string WindowText(HWND hWnd)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()))));
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
