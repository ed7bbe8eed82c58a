// A program of the build started as a process of its own, as a person or another program starts it:
// the tests wait for its main frame, talk to it across the process boundary, and close it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/framework/WinTestSupport.h"

// Waits, dispatching this thread's messages and asking again every dwPollMs, until done() or the
// time is up; true when done.
inline bool WaitFor(const std::function<bool()>& done, DWORD dwTimeoutMs, DWORD dwPollMs = 20)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpPendingMessages();
        ::Sleep(dwPollMs);
    }
    return true;
}

// The main frame of a process: its visible or hidden top-level window with a caption and no owner.
inline HWND FindMainFrame(DWORD dwProcessId)
{
    struct Search
    {
        DWORD dwProcessId;
        HWND hFound;
    } search = {dwProcessId, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            DWORD dwOwner = 0;
            ::GetWindowThreadProcessId(hWnd, &dwOwner);
            if (dwOwner != pSearch->dwProcessId || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION ||
                ::GetWindow(hWnd, GW_OWNER) != nullptr)
                return TRUE;
            pSearch->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

struct StartedProgram
{
    PROCESS_INFORMATION process = {};
    HWND hMainFrame = nullptr;

    // Starts the program at strPath without arguments; false when it cannot start.
    bool Start(const std::string& strPath)
    {
        std::string commandLine = '"' + strPath + '"';
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        return ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process) != FALSE;
    }

    // Waits until the main frame shows; a program shows it once it is ready for its callers.
    bool WaitForMainFrame(DWORD dwTimeoutMs)
    {
        return WaitFor(
            [this] {
                hMainFrame = FindMainFrame(process.dwProcessId);
                return hMainFrame != nullptr && ::IsWindowVisible(hMainFrame);
            },
            dwTimeoutMs);
    }

    bool HasEnded() const { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }

    // Asks a program still running to close, ends it when it has not ended in time, and lets the
    // process go. Nothing happens for a program never started.
    void Close(DWORD dwExitTimeoutMs)
    {
        if (process.hProcess == nullptr)
            return;
        if (!HasEnded())
        {
            ::PostMessageA(hMainFrame, WM_CLOSE, 0, 0);
            if (!WaitFor([this] { return HasEnded(); }, dwExitTimeoutMs))
                ::TerminateProcess(process.hProcess, 1);
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        process = {};
    }
};
