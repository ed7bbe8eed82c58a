#include "tests/outside/QuarrowOutside.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace outside {

const std::vector<std::string> PageCaptions = {"Roadway Geometry", "Sieve Analysis", "Inflow",
                                               "Permeable Base", "Separator", "Edge Drain"};

namespace {

const char* const RegistryKey = "Software\\Norrith\\QUARROW";
const char* const RegistryValue = "ExecutePath";
const char* const UnsavedTitle = "Quarrow - Unsaved File";

// The folder of this test program, with its closing backslash.
std::string TestProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.erase(folder.find_last_of('\\') + 1);
}

// A path given relative to this test program's folder, made whole.
std::string BesideTestProgram(std::string relative)
{
    std::replace(relative.begin(), relative.end(), '/', '\\');
    char full[MAX_PATH] = {};
    GetFullPathNameA((TestProgramFolder() + relative).c_str(), MAX_PATH, full, nullptr);
    return full;
}

bool SetInstallPath(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, RegistryValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                    static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

// ---- Installation ----

Installation::Installation()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    // Process ids repeat under Wine; the counter keeps two runs apart.
    m_folder = std::string(temp) + "quarrow-outside-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(now.QuadPart);
    if (!CreateDirectoryA(m_folder.c_str(), nullptr) || !CreateDirectoryA(PathOf("GradFiles").c_str(), nullptr))
        return;
    if (!CopyFileA(BesideTestProgram(OUTSIDE_QUARROW_PROGRAM).c_str(), PathOf("quarrow.exe").c_str(), FALSE) ||
        !CopyFileA(BesideTestProgram(OUTSIDE_FENNICK_STANDIN).c_str(), PathOf("fennick.exe").c_str(), FALSE) ||
        !CopyFileA(BesideTestProgram(OUTSIDE_OPEN_RECORDER).c_str(), PathOf("open_recorder.exe").c_str(), FALSE))
        return;

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RegistryKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char old[512] = {};
        DWORD size = sizeof old - 1;
        m_bHadPath = RegQueryValueExA(key, RegistryValue, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        m_oldPath = old;
        RegCloseKey(key);
    }
    m_bReady = SetInstallPath(m_folder);
}

Installation::~Installation()
{
    for (const char* program : {"fennick.exe", "quarrow.exe", "open_recorder.exe"})
        for (DWORD processId : ProcessesOf(PathOf(program)))
            EndProcess(processId);
    // The stand-in Fennick registered "Fennick.Document" with a class id of this folder's own.
    char clsid[64] = {};
    LONG size = sizeof clsid;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "Fennick.Document\\CLSID", clsid, &size) == ERROR_SUCCESS) {
        const std::string classKey = std::string("CLSID\\") + clsid;
        char server[MAX_PATH] = {};
        size = sizeof server;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, (classKey + "\\LocalServer32").c_str(), server, &size) == ERROR_SUCCESS &&
            lstrcmpiA(server, PathOf("fennick.exe").c_str()) == 0) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey.c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey.c_str());
            RegDeleteTreeA(HKEY_CLASSES_ROOT, "Fennick.Document");
            RegDeleteKeyA(HKEY_CLASSES_ROOT, "Fennick.Document");
        }
    }
    if (m_bHadPath) {
        SetInstallPath(m_oldPath);
    } else {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RegistryKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, RegistryValue);
            RegCloseKey(key);
        }
    }
    RemoveFolder(m_folder);
}

std::vector<std::string> Installation::FileNames() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(PathOf("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// ---- The running program ----

bool Quarrow::Start(const Installation& installation)
{
    if (!installation.IsReady() || !m_process.Start(installation.PathOf("quarrow.exe"), installation.Folder()))
        return false;
    // The splash: a window without a caption, before any window with one.
    HWND splash = nullptr;
    WaitUntil([&] {
        for (HWND window : TopWindows(Id())) {
            if ((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
                splash = window;
                return true;
            }
        }
        return false;
    });
    if (splash == nullptr)
        return false;
    const DWORD splashSeen = GetTickCount();
    RECT rect{};
    GetWindowRect(splash, &rect);
    m_splashSize = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    WaitUntil([&] { return !IsWindow(splash) || !IsWindowVisible(splash); });
    m_splashMs = GetTickCount() - splashSeen;
    m_main = WaitForTopWindow(Id(), UnsavedTitle);
    return m_main != nullptr && WaitUntil([&] { return ActivePage() != nullptr; });
}

HWND Quarrow::Sheet() const
{
    return FindWindowExA(m_main, nullptr, "#32770", nullptr);
}

HWND Quarrow::Tabs() const
{
    return FindWindowExA(Sheet(), nullptr, WC_TABCONTROLA, nullptr);
}

HWND Quarrow::ActivePage() const
{
    for (HWND page = FindWindowExA(Sheet(), nullptr, "#32770", nullptr); page != nullptr;
         page = FindWindowExA(Sheet(), page, "#32770", nullptr))
        if (IsWindowVisible(page))
            return page;
    return nullptr;
}

bool Quarrow::ShowPage(PageIndex page)
{
    HWND tabs = Tabs();
    const auto isShown = [&] {
        DWORD_PTR selected = 0;
        return SendMessageTimeoutA(tabs, TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected) &&
               static_cast<int>(selected) == page && ActivePage() != nullptr &&
               Text(ActivePage()) == PageCaptions[page];
    };
    if (isShown())
        return true;
    const RECT tab = TabRect(tabs, page);
    POINT middle{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ScreenToClient(tabs, &middle);
    // A click that a busy machine loses leaves the tab as it was: a person clicks once more.
    ClickAt(tabs, middle);
    if (WaitUntil(isShown, 3000))
        return true;
    ClickAt(tabs, middle);
    return WaitUntil(isShown, 5000);
}

bool Quarrow::Fill(int editId, const std::string& text)
{
    HWND edit = PageControl(editId);
    return edit != nullptr && FillEdit(edit, text);
}

bool Quarrow::Press(int buttonId)
{
    HWND button = PageControl(buttonId);
    if (button == nullptr || !IsWindowEnabled(button))
        return false;
    Click(button);
    return true;
}

bool Quarrow::AnswerBox(int buttonId, MessageBoxSeen& seen, DWORD timeoutMs)
{
    return WaitForMessageBox(Id(), seen, timeoutMs) && AnswerMessageBox(seen, buttonId);
}

bool Quarrow::NoBoxWithin(DWORD timeoutMs)
{
    MessageBoxSeen seen;
    if (!WaitForMessageBox(Id(), seen, timeoutMs))
        return true;
    // Answered, so that the program goes on for the steps that follow.
    if (!AnswerMessageBox(seen, IDCANCEL))
        AnswerMessageBox(seen, IDOK);
    return false;
}

void Quarrow::SavePicture(const std::string& name) const
{
    if (m_main != nullptr)
        outside::SavePicture(m_main, name + ".bmp");
}

// ---- Files ----

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string IniValue(const std::string& path, const char* section, const char* key)
{
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, path.c_str());
    return value;
}

namespace {

std::vector<std::string> NullSeparated(const std::vector<char>& buffer, DWORD length)
{
    std::vector<std::string> names;
    for (DWORD at = 0; at < length && buffer[at] != '\0'; at += static_cast<DWORD>(names.back().size()) + 1)
        names.emplace_back(&buffer[at]);
    return names;
}

} // namespace

std::vector<std::string> IniSections(const std::string& path)
{
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return NullSeparated(buffer, length);
}

std::vector<std::string> IniKeys(const std::string& path, const char* section)
{
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return NullSeparated(buffer, length);
}

} // namespace outside
