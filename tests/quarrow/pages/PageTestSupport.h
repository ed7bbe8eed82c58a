// The design pages inside the real main dialog on the virtual display: the installation's registry
// value, the application object with the main dialog as its main window, and the seams recorded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "framework/win/OutsideCallRecorders.h"
#include "framework/win/SeamRecorders.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "tests/tools/WindowPicture.h"

inline const char* const InstallKey = "Software\\Norrith\\QUARROW";
inline const char* const InstallDir = "C:\\Quarrow";

// Points the installation's registry value at InstallDir for one test and puts back what was there.
class RegistryInstall
{
public:
    RegistryInstall()
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyA(HKEY_CURRENT_USER, InstallKey, &hKey) == ERROR_SUCCESS) {
            char sz[512] = {};
            DWORD cb = sizeof sz - 1;
            m_bHad = ::RegQueryValueExA(hKey, "ExecutePath", nullptr, nullptr, (BYTE*)sz, &cb) == ERROR_SUCCESS;
            m_strOld = sz;
            ::RegCloseKey(hKey);
        }
        Apply(InstallDir);
    }
    ~RegistryInstall() { Apply(m_bHad ? m_strOld.c_str() : nullptr); }

private:
    static void Apply(const char* pszPath)
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, InstallKey);
        if (pszPath == nullptr)
            return;
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, InstallKey, &hKey), ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ExecutePath", 0, REG_SZ, (const BYTE*)pszPath, (DWORD)strlen(pszPath) + 1);
        ::RegCloseKey(hKey);
    }

    bool m_bHad = false;
    std::string m_strOld;
};

inline std::string WindowText(HWND hWnd)
{
    char sz[256] = {};
    ::GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

// Saves what the screen shows of the window, repainted, in the current folder (the build folder
// under ctest), for a person to look at.
inline void SaveScreenPicture(HWND hWnd, const char* pszPath)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveWindowPicture(hWnd, pszPath);
}

// Messages as the program's own loop handles them: the framework's pre-translation first.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

class MainDialogPageTest : public ::testing::Test
{
protected:
    // Runs the main dialog modally (the application's main window, the roadway page in front),
    // calls body once it shows, then closes it.
    void RunMainDialog(const std::function<void(CQuarrowDlg&)>& body)
    {
        CQuarrowDlg dlg(nullptr);
        m_app.m_pMainWnd = &dlg;
        CFunctionModalHook hook([&](CWnd*) {
            PumpMessages();
            body(dlg);
            dlg.EndDialog(IDCANCEL);
        });
        CScopedModalHook scopedHook(&hook);
        dlg.DoModal();
        m_app.m_pMainWnd = nullptr;
    }

    RegistryInstall m_install;
    CQuarrowApp m_app;
    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};
