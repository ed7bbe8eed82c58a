#pragma once
// The grid test host as a program of its own, started from a test.

#include "tests/framework/WinTestSupport.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The host program started in a process of its own, found by its main window.
class CGridHostProcess
{
public:
    CGridHostProcess(const std::string& options)
    {
        char szModule[MAX_PATH];
        ::GetModuleFileNameA(nullptr, szModule, MAX_PATH);
        std::string folder(szModule);
        folder.erase(folder.find_last_of('\\') + 1);
        std::string commandLine = "\"" + folder + "gridhost.exe\" " + options;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &m_process))
            return;
        ::WaitForInputIdle(m_process.hProcess, 20000);
        // The main window shows once the program has its document.
        WaitFor([&] {
            for (HWND hWnd : TopWindows())
                if (WindowText(hWnd).rfind("Grid Host", 0) == 0)
                    m_hMain = hWnd;
            return m_hMain != nullptr;
        });
    }
    ~CGridHostProcess()
    {
        if (m_process.hProcess == nullptr)
            return;
        if (m_hMain != nullptr)
            ::PostMessageA(m_hMain, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    CGridHostProcess(const CGridHostProcess&) = delete;
    CGridHostProcess& operator=(const CGridHostProcess&) = delete;

    HWND Main() const { return m_hMain; }
    DWORD ThreadId() const { return m_process.dwThreadId; }
    // The visible top-level windows of the process.
    std::vector<HWND> TopWindows() const
    {
        std::vector<HWND> windows;
        for (HWND hWnd = ::GetTopWindow(nullptr); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            DWORD dwProcess = 0;
            ::GetWindowThreadProcessId(hWnd, &dwProcess);
            if (dwProcess == m_process.dwProcessId && ::IsWindowVisible(hWnd))
                windows.push_back(hWnd);
        }
        return windows;
    }
    // A message box of the program, or null.
    HWND Question() const
    {
        for (HWND hWnd : TopWindows())
        {
            char szClass[64] = {};
            ::GetClassNameA(hWnd, szClass, sizeof szClass);
            if (std::string(szClass) == "#32770")
                return hWnd;
        }
        return nullptr;
    }
    static bool WaitFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = 20000)
    {
        for (DWORD dwWaited = 0; dwWaited < dwTimeoutMs; dwWaited += 25)
        {
            if (condition())
                return true;
            ::Sleep(25);
        }
        return condition();
    }

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_hMain = nullptr;
};
