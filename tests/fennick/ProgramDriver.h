// A small driver of programs in processes of their own: it starts them, finds their windows by
// captions, classes and control ids, sends them commands as their menus and buttons do, answers a
// message box or a file dialog, and lists the chart windows of a running Fennick. Messages cross
// processes only with values, never pointers, except WM_SETTEXT, which the system carries across.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include "tests/framework/WinTestSupport.h"
#include "tests/tools/ProgramProcess.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace program_driver {

// Long enough for a program to start under Wine on a busy machine.
constexpr DWORD DefaultTimeoutMs = 30000;

// A path of the build machine's file system as the programs see it, through Wine's drive Z:.
inline std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
    {
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
    return path;
}

// Asks again and again, letting this thread's own windows run, until the condition holds or the
// time is up; true when it held.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = DefaultTimeoutMs)
{
    return WaitFor(condition, timeoutMs, 50);
}

inline std::string ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// A program started in a process of its own, with a folder as its current directory; ended by its
// own handle when the object goes and it still runs.
class Process
{
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() { End(); }

    bool Start(const std::string& program, const std::string& folder)
    {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        return ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &m_info) != FALSE;
    }
    DWORD Id() const { return m_info.dwProcessId; }
    bool IsRunning() const
    {
        return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
    }
    void End()
    {
        if (m_info.hProcess == nullptr)
            return;
        if (IsRunning())
        {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, 10000);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
        m_info = {};
    }

private:
    PROCESS_INFORMATION m_info = {};
};

// The ids of the running processes of a program file name ("fennick.exe"), compared without case.
inline std::vector<DWORD> ProcessesNamed(const char* pszExeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (::lstrcmpiA(entry.szExeFile, pszExeName) == 0)
            ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return ids;
}

// Ends a process by its id (one the test's programs started) and waits for it to go.
inline void EndProcess(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return;
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 10000);
    ::CloseHandle(process);
}

// The visible top-level windows of a process that the condition accepts.
inline std::vector<HWND> TopWindows(DWORD processId, const std::function<bool(HWND)>& accept = {})
{
    struct Search
    {
        DWORD processId;
        const std::function<bool(HWND)>* accept;
        std::vector<HWND> found;
    } search = {processId, &accept, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == pSearch->processId && ::IsWindowVisible(window) &&
                (!*pSearch->accept || (*pSearch->accept)(window)))
                pSearch->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitForTopWindow(DWORD processId, const std::function<bool(HWND)>& accept,
                             DWORD timeoutMs = DefaultTimeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopWindows(processId, accept);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// The first descendant of the window with the control id (and the class, when one is given).
inline HWND FindControl(HWND root, int id, const char* pszClass = nullptr)
{
    struct Search
    {
        int id;
        const char* pszClass;
        HWND found;
    } search = {id, pszClass, nullptr};
    ::EnumChildWindows(
        root,
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            if (::GetDlgCtrlID(window) != pSearch->id ||
                (pSearch->pszClass != nullptr && ClassOf(window) != pSearch->pszClass))
                return TRUE;
            pSearch->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first descendant of the class.
inline HWND FindChildOfClass(HWND root, const char* pszClass)
{
    struct Search
    {
        const char* pszClass;
        HWND found;
    } search = {pszClass, nullptr};
    ::EnumChildWindows(
        root,
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            if (ClassOf(window) != pSearch->pszClass)
                return TRUE;
            pSearch->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What a click on an enabled button does: its notification to the dialog that holds it. Posted, so
// that a message box or dialog the click opens does not hold the caller.
inline bool ClickButton(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    if (button == nullptr || !::IsWindowEnabled(button))
        return false;
    return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

// A menu command as choosing its item sends it.
inline void ChooseCommand(HWND window, UINT id)
{
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// A message box of the process whose text is the one given.
inline HWND FindMessageBox(DWORD processId, const std::string& text)
{
    struct Search
    {
        const std::string* text;
        bool found;
    };
    const std::vector<HWND> boxes = TopWindows(processId, [&](HWND window) {
        if (ClassOf(window) != "#32770")
            return false;
        Search search = {&text, false};
        ::EnumChildWindows(
            window,
            [](HWND child, LPARAM lParam) -> BOOL {
                auto* pSearch = reinterpret_cast<Search*>(lParam);
                pSearch->found = ClassOf(child) == "Static" && WindowText(child) == *pSearch->text;
                return pSearch->found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    });
    return boxes.empty() ? nullptr : boxes.front();
}

// A file dialog of the process with the title: the path as its file name, then OK. True when the
// dialog closed.
inline bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path)
{
    HWND dialog = WaitForTopWindow(processId, [&](HWND window) { return WindowText(window) == title; });
    if (dialog == nullptr)
        return false;
    // The name field: an edit inside the file name combo box, or a plain edit in the old layout.
    const int FileNameComboId = 0x47C;
    const int FileNameEditId = 0x480;
    HWND field = nullptr;
    if (HWND combo = FindControl(dialog, FileNameComboId))
        field = ClassOf(combo) == "Edit" ? combo : FindChildOfClass(combo, "Edit");
    if (field == nullptr)
        field = FindControl(dialog, FileNameEditId);
    if (field == nullptr)
        return false;
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, 10000);
}

// The main frame of a Fennick: its top-level window with a caption and an MDI client.
inline HWND FennickMainFrame(DWORD processId)
{
    const std::vector<HWND> frames = TopWindows(processId, [](HWND window) {
        return ::FindWindowExA(window, nullptr, "MDIClient", nullptr) != nullptr;
    });
    return frames.empty() ? nullptr : frames.front();
}

// The captions of the chart windows in a Fennick's main frame, sorted.
inline std::vector<std::string> ChartCaptions(HWND mainFrame)
{
    std::vector<std::string> captions;
    HWND client = ::FindWindowExA(mainFrame, nullptr, "MDIClient", nullptr);
    for (HWND child = client != nullptr ? ::GetWindow(client, GW_CHILD) : nullptr; child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        captions.push_back(WindowText(child));
    std::sort(captions.begin(), captions.end());
    return captions;
}

} // namespace program_driver
