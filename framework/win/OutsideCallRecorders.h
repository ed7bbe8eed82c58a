// Test doubles for the seams of OutsideCalls.h: processes that exist only in the recorder, a shell
// and an HTML Help that record what they were asked.
#pragma once

#include "framework/win/OutsideCalls.h"

#include <deque>
#include <string>
#include <vector>

// Starts no real process: each start makes a pretend process that runs until End is called.
// Its handles are addresses inside the recorder, never real handles. As on Windows, a process that
// has ended can still be opened by its id while the handle its start gave is not closed.
class CRecordingProcessSeam : public CProcessSeam
{
public:
    struct StartCall
    {
        std::string applicationName;     // "" for NULL
        std::string commandLine;         // "" for NULL
        bool hasCommandLine;
        BOOL bInheritHandles;
        DWORD dwCreationFlags;
        std::string currentDirectory;    // "" for NULL
        DWORD cbStartupInfo;             // the size field of the start-up record
    };
    struct Process
    {
        DWORD processId;
        DWORD threadId;
        bool running;
        DWORD exitCode;
        bool startHandleOpen;            // the process handle of the start is not closed yet
        char processToken;               // its address is the process handle
        char threadToken;                // its address is the thread handle
    };
    struct OpenCall
    {
        DWORD dwDesiredAccess;
        BOOL bInheritHandle;
        DWORD dwProcessId;
        HANDLE hResult;
    };

    std::vector<StartCall> starts;
    std::vector<OpenCall> opens;
    std::vector<HANDLE> closed;
    std::deque<Process> processes;       // a deque keeps the tokens' addresses
    BOOL startSucceeds = TRUE;
    DWORD startError = ERROR_FILE_NOT_FOUND;    // GetLastError after a refused start
    DWORD nextProcessId = 4000;

    BOOL Start(LPCTSTR lpszApplicationName, LPTSTR lpszCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
               BOOL bInheritHandles, DWORD dwCreationFlags, LPVOID, LPCTSTR lpszCurrentDirectory,
               LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) override
    {
        starts.push_back({lpszApplicationName ? lpszApplicationName : "", lpszCommandLine ? lpszCommandLine : "",
                          lpszCommandLine != nullptr, bInheritHandles, dwCreationFlags,
                          lpszCurrentDirectory ? lpszCurrentDirectory : "",
                          lpStartupInfo ? lpStartupInfo->cb : 0});
        if (!startSucceeds)
        {
            ::SetLastError(startError);
            return FALSE;
        }
        processes.push_back({nextProcessId, nextProcessId + 1, true, STILL_ACTIVE, true, 0, 0});
        nextProcessId += 4;
        Process& process = processes.back();
        if (lpProcessInformation != nullptr)
        {
            lpProcessInformation->hProcess = ProcessHandle(process);
            lpProcessInformation->hThread = &process.threadToken;
            lpProcessInformation->dwProcessId = process.processId;
            lpProcessInformation->dwThreadId = process.threadId;
        }
        return TRUE;
    }

    // Fails as OpenProcess does for an unknown id, or one whose process has ended and has no
    // handle left.
    HANDLE Open(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId) override
    {
        HANDLE hResult = nullptr;
        if (Process* process = Find(dwProcessId); process != nullptr && (process->running || process->startHandleOpen))
        {
            m_openTokens.push_back(dwProcessId);
            hResult = &m_openTokens.back();
        }
        opens.push_back({dwDesiredAccess, bInheritHandle, dwProcessId, hResult});
        if (hResult == nullptr)
            ::SetLastError(ERROR_INVALID_PARAMETER);
        return hResult;
    }

    BOOL Close(HANDLE hObject) override
    {
        closed.push_back(hObject);
        for (Process& process : processes)
            if (hObject == ProcessHandle(process))
                process.startHandleOpen = false;
        return hObject != nullptr;
    }

    DWORD Wait(HANDLE hProcess, DWORD) override
    {
        const Process* process = FromHandle(hProcess);
        if (process == nullptr)
            return WAIT_FAILED;
        return process->running ? WAIT_TIMEOUT : WAIT_OBJECT_0;
    }

    BOOL GetExitCode(HANDLE hProcess, LPDWORD lpExitCode) override
    {
        const Process* process = FromHandle(hProcess);
        if (process == nullptr || lpExitCode == nullptr)
            return FALSE;
        *lpExitCode = process->running ? STILL_ACTIVE : process->exitCode;
        return TRUE;
    }

    // Ends a pretend process (the user closed the program).
    void End(DWORD dwProcessId, DWORD dwExitCode = 0)
    {
        if (Process* process = Find(dwProcessId))
        {
            process->running = false;
            process->exitCode = dwExitCode;
        }
    }

    static HANDLE ProcessHandle(Process& process) { return &process.processToken; }

private:
    Process* Find(DWORD dwProcessId)
    {
        for (Process& process : processes)
            if (process.processId == dwProcessId)
                return &process;
        return nullptr;
    }
    const Process* FromHandle(HANDLE hProcess)
    {
        for (Process& process : processes)
            if (hProcess == ProcessHandle(process))
                return &process;
        for (DWORD& token : m_openTokens)
            if (hProcess == &token)
                return Find(token);
        return nullptr;
    }

    std::deque<DWORD> m_openTokens;      // one per Open; its address is the handle
};

class CRecordingShell : public CShellSeam
{
public:
    struct Call
    {
        HWND hWnd;
        std::string operation;       // "" for NULL (the default verb)
        std::string file;
        std::string parameters;
        std::string directory;
        INT nShowCmd;
    };

    std::vector<Call> calls;
    HINSTANCE answer = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));

    HINSTANCE Execute(HWND hWnd, LPCTSTR lpszOperation, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                      LPCTSTR lpszDirectory, INT nShowCmd) override
    {
        calls.push_back({hWnd, lpszOperation ? lpszOperation : "", lpszFile ? lpszFile : "",
                         lpszParameters ? lpszParameters : "", lpszDirectory ? lpszDirectory : "", nShowCmd});
        return answer;
    }
};

class CRecordingHtmlHelp : public CHtmlHelpSeam
{
public:
    struct Call
    {
        HWND hWndCaller;
        std::string file;            // "" for NULL
        UINT uCommand;
        DWORD_PTR dwData;
        // For HH_TP_HELP_CONTEXTMENU and HH_TP_HELP_WM_HELP: the table's control id / topic id
        // pairs, up to the control id 0 that ends it.
        std::vector<DWORD> idPairs;
    };

    std::vector<Call> calls;
    HWND answer = nullptr;

    HWND Invoke(HWND hWndCaller, LPCTSTR lpszFile, UINT uCommand, DWORD_PTR dwData) override
    {
        Call call{hWndCaller, lpszFile ? lpszFile : "", uCommand, dwData, {}};
        if ((uCommand == HH_TP_HELP_CONTEXTMENU || uCommand == HH_TP_HELP_WM_HELP) && dwData != 0)
        {
            // A table without its end would run on; a help table is far shorter than this.
            const DWORD* table = reinterpret_cast<const DWORD*>(dwData);
            for (size_t i = 0; i < 2 * 4096 && table[i] != 0; i += 2)
            {
                call.idPairs.push_back(table[i]);
                call.idPairs.push_back(table[i + 1]);
            }
        }
        calls.push_back(call);
        return answer;
    }
};
