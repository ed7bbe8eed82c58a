#include "tests/outside/OutsideDriver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstring>

#include "tests/tools/WindowPicture.h"

namespace outside {

namespace {

// Messages to another process's windows give up rather than hang the test with a program that hangs.
constexpr UINT MessageTimeoutMs = 5000;
// The id of the text of a system message box.
constexpr int MessageBoxTextId = 0xFFFF;
// The file name field of the common file dialog: a combo box with its own edit (Explorer style),
// or a plain edit.
constexpr int FileNameComboId = 0x47C;
constexpr int FileNameEditId = 0x480;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

void SendKey(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    // The arrows and the block above them are extended keys of the keyboard.
    for (WORD extended : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_DELETE, VK_INSERT})
        if (virtualKey == extended)
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    if (up)
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Memory in another process for a control that answers only through pointers of its own process.
class RemoteBuffer
{
public:
    RemoteBuffer(HWND window, SIZE_T size) : m_size(size)
    {
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
        if (m_process != nullptr)
            m_address = static_cast<char*>(VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer()
    {
        if (m_address != nullptr)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process != nullptr)
            CloseHandle(m_process);
    }
    bool IsValid() const { return m_address != nullptr; }
    char* At(SIZE_T offset) const { return m_address + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        SIZE_T written = 0;
        return offset + size <= m_size && WriteProcessMemory(m_process, At(offset), data, size, &written) &&
               written == size;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        SIZE_T read = 0;
        return offset + size <= m_size && ReadProcessMemory(m_process, At(offset), data, size, &read) && read == size;
    }

private:
    HANDLE m_process = nullptr;
    char* m_address = nullptr;
    SIZE_T m_size;
};

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return condition();
        Sleep(20);
    }
    return true;
}

// ---- Processes ----

Process::~Process()
{
    End();
}

bool Process::Start(const std::string& program, const std::string& folder)
{
    End();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &m_info)) {
        m_info = PROCESS_INFORMATION{};
        return false;
    }
    CloseHandle(m_info.hThread);
    m_info.hThread = nullptr;
    return true;
}

bool Process::IsRunning() const
{
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess == nullptr || WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void Process::End()
{
    if (m_info.hProcess == nullptr)
        return;
    if (IsRunning()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION{};
}

std::vector<DWORD> ProcessesOf(const std::string& programPath)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process == nullptr)
            continue;
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameA(process, 0, path, &size) && lstrcmpiA(path, programPath.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return ids;
}

bool EndProcess(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return true;
    TerminateProcess(process, 1);
    const bool gone = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

// ---- Windows and controls ----

std::vector<HWND> TopWindows(DWORD processId, const std::string& title)
{
    struct Search
    {
        DWORD processId;
        const std::string* title;
        std::vector<HWND> found;
    } search{processId, &title, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(lParam);
            if (ProcessOf(window) == search.processId && IsWindowVisible(window) &&
                (search.title->empty() || Text(window) == *search.title))
                search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD processId, const std::string& title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopWindows(processId, title);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND FindControl(HWND root, int id)
{
    struct Search
    {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(lParam);
            if (GetDlgCtrlID(window) == search.id && IsWindowVisible(window)) {
                search.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Text(HWND window)
{
    if (window == nullptr)
        return "<no window>";
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsChecked(HWND button)
{
    return Ask(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsShown(HWND window)
{
    return window != nullptr && IsWindowVisible(window);
}

// ---- Mouse and keyboard ----

bool BringForward(HWND topLevel)
{
    if (GetForegroundWindow() == topLevel)
        return true;
    SetForegroundWindow(topLevel);
    return WaitUntil([&] { return GetForegroundWindow() == topLevel; }, 3000);
}

void Click(HWND control)
{
    RECT rect{};
    GetClientRect(control, &rect);
    ClickAt(control, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void ClickAt(HWND window, POINT clientPoint)
{
    BringForward(GetAncestor(window, GA_ROOT));
    POINT screenPoint = clientPoint;
    ClientToScreen(window, &screenPoint);
    SetCursorPos(screenPoint.x, screenPoint.y);
    // The pointer rests a moment on the control, as a person's does, before the button goes down.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((screenPoint.x * 65536LL + width / 2) / width);
    move.mi.dy = static_cast<LONG>((screenPoint.y * 65536LL + height / 2) / height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(30);
}

void Type(const std::string& text)
{
    for (const char c : text) {
        INPUT keys[2]{};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = static_cast<unsigned char>(c);
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof keys[0]);
        Sleep(5);
    }
}

void PressKey(WORD virtualKey, bool withCtrl, bool withShift, DWORD pauseMs)
{
    if (withCtrl)
        SendKey(VK_CONTROL, false);
    if (withShift)
        SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (withShift)
        SendKey(VK_SHIFT, true);
    if (withCtrl)
        SendKey(VK_CONTROL, true);
    // The pause before the next key: keys that come faster than the program handles them wait in its
    // input queue, each for the window that has the focus when the program takes it.
    Sleep(pauseMs);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

bool FillEdit(HWND edit, const std::string& text)
{
    // On a busy machine a click can reach the window before it is in front and be lost: a person
    // clicks once more.
    Click(edit);
    if (!WaitUntil([&] { return FocusOf(edit) == edit; }, 3000)) {
        Click(edit);
        if (!WaitUntil([&] { return FocusOf(edit) == edit; }, 5000))
            return false;
    }
    PressKey(VK_HOME);
    PressKey(VK_END, false, true);
    if (text.empty())
        PressKey(VK_DELETE);
    else
        Type(text);
    if (!WaitUntil([&] { return Text(edit) == text; }, 3000))
        return false;
    PressKey(VK_TAB);
    return WaitUntil([&] { return FocusOf(edit) != edit; }, 3000);
}

// ---- Tabs and menus ----

std::vector<std::string> TabTexts(HWND tabControl)
{
    std::vector<std::string> texts;
    constexpr SIZE_T TextOffset = 256, TextSize = 256;
    RemoteBuffer buffer(tabControl, TextOffset + TextSize);
    if (!buffer.IsValid())
        return texts;
    const LRESULT count = Ask(tabControl, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer.At(TextOffset);
        item.cchTextMax = TextSize;
        char text[TextSize] = {};
        if (!buffer.Write(0, &item, sizeof item) || !buffer.Write(TextOffset, text, sizeof text) ||
            !Ask(tabControl, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At(0))) ||
            !buffer.Read(TextOffset, text, sizeof text))
            break;
        text[TextSize - 1] = '\0';
        texts.emplace_back(text);
    }
    return texts;
}

RECT TabRect(HWND tabControl, int index)
{
    RECT rect{};
    RemoteBuffer buffer(tabControl, sizeof rect);
    if (!buffer.IsValid() ||
        !Ask(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At(0))) ||
        !buffer.Read(0, &rect, sizeof rect))
        return RECT{};
    MapWindowPoints(tabControl, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

namespace {

void AddMenuLines(HMENU menu, const std::string& above, std::vector<std::string>& lines)
{
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        char text[256] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(index), TRUE, &item))
            continue;
        const std::string path = above.empty() ? std::string(text) : above + ">" + text;
        if (item.fType & MFT_SEPARATOR)
            lines.push_back(above + ">-");
        else if (item.hSubMenu != nullptr)
            AddMenuLines(item.hSubMenu, path, lines);
        else
            lines.push_back(path + "=" + std::to_string(item.wID) + ((item.fState & MFS_CHECKED) ? " checked" : ""));
    }
}

} // namespace

std::vector<std::string> ProgramMenu(const std::string& programPath, int menuId)
{
    std::vector<std::string> lines;
    HMODULE program = LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr)
        return lines;
    if (HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(menuId))) {
        AddMenuLines(menu, "", lines);
        DestroyMenu(menu);
    }
    FreeLibrary(program);
    return lines;
}

void ChooseMenuByKeys(const std::string& letters)
{
    if (letters.empty())
        return;
    SendKey(VK_MENU, false);
    SendKey(static_cast<WORD>(letters[0]), false);
    SendKey(static_cast<WORD>(letters[0]), true);
    SendKey(VK_MENU, true);
    Sleep(100);
    for (size_t index = 1; index < letters.size(); ++index) {
        PressKey(static_cast<WORD>(letters[index]));
        Sleep(100);
    }
}

void ChooseMenuCommand(HWND topLevel, UINT commandId)
{
    PostMessageA(topLevel, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

// ---- Message boxes and file dialogs ----

bool WaitForMessageBox(DWORD processId, MessageBoxSeen& seen, DWORD timeoutMs)
{
    seen = MessageBoxSeen{};
    return WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId)) {
                HWND text = GetDlgItem(window, MessageBoxTextId);
                if (ClassOf(window) == "#32770" && text != nullptr) {
                    seen.box = window;
                    seen.caption = Text(window);
                    seen.text = Text(text);
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
}

bool AnswerMessageBox(const MessageBoxSeen& seen, int buttonId)
{
    HWND button = GetDlgItem(seen.box, buttonId);
    if (button == nullptr)
        return false;
    Click(button);
    return WaitUntil([&] { return !IsWindow(seen.box) || !IsWindowVisible(seen.box); }, 5000);
}

bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path)
{
    HWND dialog = WaitForTopWindow(processId, title);
    if (dialog == nullptr)
        return false;
    // The field is an edit inside the name combo box (inside a ComboBoxEx under Wine), or a plain edit.
    HWND field = nullptr;
    if (HWND combo = FindControl(dialog, FileNameComboId)) {
        EnumChildWindows(
            combo,
            [](HWND window, LPARAM lParam) -> BOOL {
                if (ClassOf(window) != "Edit")
                    return TRUE;
                *reinterpret_cast<HWND*>(lParam) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&field));
    }
    if (field == nullptr)
        field = FindControl(dialog, FileNameEditId);
    if (field == nullptr)
        return false;
    Click(field);
    WaitUntil([&] { return FocusOf(dialog) == field; }, 3000);
    PressKey(VK_HOME);
    PressKey(VK_END, false, true);
    Type(path);
    if (!WaitUntil([&] { return Text(field) == path; }, 3000))
        return false;
    PressKey(VK_RETURN);
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000);
}

bool SavePicture(HWND window, const std::string& path)
{
    return SaveWindowPicture(window, path.c_str());
}

} // namespace outside
