// Runs Quarrow's real main dialog on the virtual display for a test: the registry names an
// installation, message boxes, file dialogs, nested dialogs, the shell and HTML Help answer
// through the seams, and the test's body drives the dialog with its own messages.
#pragma once

#include <windows.h>

#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <typeinfo>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/core/AppData.h"

#include "framework/dialogs/FileDialog.h"
#include "framework/win/OutsideCallRecorders.h"
#include "framework/win/SeamRecorders.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "tests/quarrow/QuarrowTestSupport.h"

// What a file dialog was asked, and how the test answers it.
struct FileDialogSeen
{
    bool bOpen;
    std::string title;
    std::string filter;      // the pairs joined with '|'
    std::string defExt;
    std::string fileName;    // the name proposed
    DWORD dwFlags;
};

struct FileDialogAnswer
{
    INT_PTR nResult;
    std::string path;
};

inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline std::string ItemText(CWnd& dlg, int nID)
{
    return WindowText(::GetDlgItem(dlg.GetSafeHwnd(), nID));
}

inline std::string FileBytes(const CString& strPath)
{
    std::ifstream file(static_cast<LPCTSTR>(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool FileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// The value of one key of an INI-style file, "<missing>" when it is not there.
inline std::string IniValue(const CString& strPath, const char* pszSection, const char* pszKey)
{
    char sz[256] = {};
    ::GetPrivateProfileStringA(pszSection, pszKey, "<missing>", sz, sizeof sz, strPath);
    return sz;
}

inline UINT MenuCheck(CWnd& dlg, UINT nID)
{
    return ::GetMenuState(::GetMenu(dlg.GetSafeHwnd()), nID, MF_BYCOMMAND) & MF_CHECKED;
}

class MainDialogFixture : public ::testing::Test
{
protected:
    static constexpr const char* InstallDir = "C:\\Quarrow";
    // What the harness ends a still running dialog with.
    static constexpr int HarnessEnd = 0x4242;

    // Runs the dialog and calls the body once it shows; ends it afterwards unless the body did.
    // Returns what DoModal returned.
    INT_PTR Run(const std::function<void(CQuarrowDlg&)>& body)
    {
        // As the program's start-up does: the pages' tables need the grid library's window classes.
        GXStartLibrary();
        CQuarrowDlg dlg(nullptr);
        m_pDlg = &dlg;
        bool bMainShown = false;
        CFunctionModalHook hook([&](CWnd* pWnd) {
            if (bMainShown) {
                nestedDialogs.push_back(typeid(*pWnd).name());
                auto* pDialog = dynamic_cast<CDialog*>(pWnd);
                ASSERT_NE(pDialog, nullptr);
                pDialog->EndDialog(IDOK);
                return;
            }
            bMainShown = true;
            PumpMessages();
            body(dlg);
            PumpMessages();
            if (dlg.GetSafeHwnd() != nullptr && dlg.ContinueModal())
                dlg.EndDialog(HarnessEnd);
        });
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) { return AnswerFileDialog(pDialog, nResult); };
        CScopedModalHook scopedHook(&hook);
        INT_PTR nResult = dlg.DoModal();
        m_pDlg = nullptr;
        return nResult;
    }

    // Sends a menu command as the menu does.
    static void Command(CQuarrowDlg& dlg, UINT nID) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }

    CQuarrowApp m_app;
    TestInstallation m_install{InstallDir};
    CRecordingMessageBox messages;
    CScopedMessageBoxSeam m_scopedMessages{&messages};
    CRecordingShell shell;
    CScopedShellSeam m_scopedShell{&shell};
    CRecordingHtmlHelp help;
    CScopedHtmlHelpSeam m_scopedHelp{&help};

    std::deque<FileDialogAnswer> fileAnswers;
    std::vector<FileDialogSeen> fileDialogs;
    // The classes of the dialogs run modally from the main dialog (ended at once with IDOK).
    std::vector<std::string> nestedDialogs;

private:
    BOOL AnswerFileDialog(CCommonDialog* pDialog, INT_PTR& nResult)
    {
        auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
        if (pFile == nullptr) {
            ADD_FAILURE() << "a common dialog that is no file dialog";
            nResult = IDCANCEL;
            return TRUE;
        }
        const OPENFILENAMEA& ofn = pFile->m_ofn;
        FileDialogSeen seen{pFile->m_bOpenFileDialog != FALSE, ofn.lpstrTitle ? ofn.lpstrTitle : "", "",
                            ofn.lpstrDefExt ? ofn.lpstrDefExt : "", ofn.lpstrFile ? ofn.lpstrFile : "", ofn.Flags};
        for (const char* p = ofn.lpstrFilter; p != nullptr && *p != '\0'; p += strlen(p) + 1)
            seen.filter += std::string(p) + "|";
        fileDialogs.push_back(seen);

        if (fileAnswers.empty()) {
            ADD_FAILURE() << "an unexpected file dialog: " << seen.title;
            nResult = IDCANCEL;
            return TRUE;
        }
        FileDialogAnswer answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (answer.nResult == IDOK)
            lstrcpynA(pFile->m_ofn.lpstrFile, answer.path.c_str(), static_cast<int>(pFile->m_ofn.nMaxFile));
        nResult = answer.nResult;
        return TRUE;
    }

    CQuarrowDlg* m_pDlg = nullptr;
};
