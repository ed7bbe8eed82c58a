// Drives a program in a process of its own from outside, as a person does: it finds the program's
// windows and controls by their captions and ids, clicks them with the mouse, types with the
// keyboard, reads the texts back and answers message boxes by clicking their buttons. Input goes
// through SendInput, the way the system delivers a person's mouse and keys, to the window in front.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace outside {

// Long enough for a window to appear under Wine on a busy machine.
constexpr DWORD DefaultTimeoutMs = 20000;

// Asks the condition again and again until it holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = DefaultTimeoutMs);

// A program started in a process of its own; ended when the object goes if it still runs.
class Process
{
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts the program with the folder as its current directory; false when it could not start.
    bool Start(const std::string& program, const std::string& folder);
    DWORD Id() const { return m_info.dwProcessId; }
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs);
    // Ends the process by its own handle when it still runs.
    void End();

private:
    PROCESS_INFORMATION m_info{};
};

// The ids of the running processes whose program file is the path (compared without case).
std::vector<DWORD> ProcessesOf(const std::string& programPath);
// Ends the process with the id; true when it is gone.
bool EndProcess(DWORD processId);

// Visible top-level windows of the process; with a title, only those with exactly that title.
std::vector<HWND> TopWindows(DWORD processId, const std::string& title = std::string());
HWND WaitForTopWindow(DWORD processId, const std::string& title, DWORD timeoutMs = DefaultTimeoutMs);

// The first visible descendant of the window that has the control id; null when there is none.
HWND FindControl(HWND root, int id);
std::string Text(HWND window);
std::string ClassOf(HWND window);
bool IsChecked(HWND button);
bool IsShown(HWND window);

// Brings the top-level window to the front so that the mouse and the keys reach it.
bool BringForward(HWND topLevel);
// A press and release of the left button at the middle of the control, or at a point of its client area.
void Click(HWND control);
void ClickAt(HWND window, POINT clientPoint);
// Typed characters, as a keyboard gives them, to the control that has the focus.
void Type(const std::string& text);
// One key pressed and released, with Ctrl or Shift held down when asked, then a pause: a person's
// unhurried pace unless a typist's is asked for.
constexpr DWORD UnhurriedPauseMs = 40;
constexpr DWORD TypistPauseMs = 5;
void PressKey(WORD virtualKey, bool withCtrl = false, bool withShift = false, DWORD pauseMs = UnhurriedPauseMs);
// The control that has the keyboard focus in the thread that owns the window.
HWND FocusOf(HWND window);

// A click into an edit field, its whole text replaced by the typed one, then Tab, as a person
// fills a form; the edit's focus-leave handling runs as it does for a person. False when the edit
// did not take the focus, did not show the text or kept the focus.
bool FillEdit(HWND edit, const std::string& text);

// Texts of the tabs of a tab control, and the screen rectangle of one tab; both read through
// memory of the control's own process, as the control answers only there.
std::vector<std::string> TabTexts(HWND tabControl);
RECT TabRect(HWND tabControl, int index);

// The menu resource of a program file, one line per item: the texts of the menus above it and its
// own joined by ">", then "=" and its command id, and " checked" when the item starts checked. Under
// Wine a menu cannot be read from another process, so the installed program file is read instead.
std::vector<std::string> ProgramMenu(const std::string& programPath, int menuId);
// A command chosen in the real menu with the keyboard: Alt with the first letter opens a menu, the
// other letters choose items by their underlined letters.
void ChooseMenuByKeys(const std::string& letters);
// A menu command, as choosing the item in the window's menu sends it.
void ChooseMenuCommand(HWND topLevel, UINT commandId);

// A message box of the process: its window, caption and text.
struct MessageBoxSeen
{
    HWND box = nullptr;
    std::string caption;
    std::string text;
};

// Waits for a message box of the process; false when none appears in time.
bool WaitForMessageBox(DWORD processId, MessageBoxSeen& seen, DWORD timeoutMs = DefaultTimeoutMs);
// Clicks the box's button with the id (IDOK, IDYES, IDNO, ...) and waits until the box is gone.
bool AnswerMessageBox(const MessageBoxSeen& seen, int buttonId);

// A common file dialog of the process with the title: the path typed into its file name field and
// confirmed with Enter; true when the dialog closed.
bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path);

// Saves what the screen shows of the window as a BMP for a person to look at.
bool SavePicture(HWND window, const std::string& path);

} // namespace outside
