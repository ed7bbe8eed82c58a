// Quarrow as a person meets it: a temporary installation folder that the registry names, the
// program started there, its main dialog with the summary panel and the property sheet of pages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/outside/OutsideDriver.h"

namespace outside {

// The captions of the six pages, in page order.
extern const std::vector<std::string> PageCaptions;
enum PageIndex { RoadwayPage, SievePage, InflowPage, BasePage, SeparatorPage, EdgeDrainPage };

// A folder in the temporary folder holding quarrow.exe, the stand-in Fennick as fennick.exe and an
// empty "GradFiles" folder, named by the registry value "ExecutePath" of HKEY_CURRENT_USER
// "Software\Norrith\QUARROW" while the object lives; what the registry held before is put back,
// the programs started from the folder are ended, the stand-in's class registration is removed and
// the folder with them when it goes.
class Installation
{
public:
    Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;
    ~Installation();

    bool IsReady() const { return m_bReady; }
    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const std::string& name) const { return m_folder + "\\" + name; }
    // The names of the files directly in the folder, sorted.
    std::vector<std::string> FileNames() const;

private:
    std::string m_folder;
    bool m_bReady = false;
    bool m_bHadPath = false;
    std::string m_oldPath;
};

// A running Quarrow and the windows of its main dialog.
class Quarrow
{
public:
    // Starts quarrow.exe of the installation. The splash window is seen when it shows (its size is
    // kept), then the main dialog; false when either does not come.
    bool Start(const Installation& installation);
    Process& Program() { return m_process; }
    DWORD Id() const { return m_process.Id(); }
    HWND Main() const { return m_main; }
    SIZE SplashSize() const { return m_splashSize; }
    DWORD SplashMilliseconds() const { return m_splashMs; }

    HWND Sheet() const;
    HWND Tabs() const;
    // The page that the sheet shows.
    HWND ActivePage() const;
    // Clicks the page's tab and waits until the sheet shows the page.
    bool ShowPage(PageIndex page);
    // A control of the page in front, or of the summary panel.
    HWND PageControl(int id) const { return FindControl(ActivePage(), id); }
    HWND SummaryControl(int id) const { return GetDlgItem(m_main, id); }
    std::string PageText(int id) const { return Text(PageControl(id)); }
    std::string SummaryText(int id) const { return Text(SummaryControl(id)); }

    // Types into an edit of the page in front (see FillEdit); false when there is no such edit or
    // the typing did not reach it.
    bool Fill(int editId, const std::string& text);
    // Clicks a button of the page in front; false when there is none or it is disabled.
    bool Press(int buttonId);

    // Waits a moment for a message box; when one shows, returns it answered with the button.
    bool AnswerBox(int buttonId, MessageBoxSeen& seen, DWORD timeoutMs = DefaultTimeoutMs);
    // True when no message box of the program shows within the time.
    bool NoBoxWithin(DWORD timeoutMs);

    // Leaves a picture of the main dialog in the build folder for a person to look at.
    void SavePicture(const std::string& name) const;

private:
    Process m_process;
    HWND m_main = nullptr;
    SIZE m_splashSize{};
    DWORD m_splashMs = 0;
};

// The bytes of a file, empty when it cannot be read.
std::string FileBytes(const std::string& path);
// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);
// A value of an INI-style file, "<missing>" when the key is not there.
std::string IniValue(const std::string& path, const char* section, const char* key);
// The section names of an INI-style file, in file order.
std::vector<std::string> IniSections(const std::string& path);
// The key names of one section, in file order.
std::vector<std::string> IniKeys(const std::string& path, const char* section);

} // namespace outside
