// The design pages inside the real main dialog on the virtual display: the installation's registry
// value, the application object with the main dialog as its main window, and the seams recorded.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "framework/win/OutsideCallRecorders.h"
#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "tests/quarrow/QuarrowTestSupport.h"
#include "tests/tools/WindowPicture.h"

inline const char* const InstallDir = "C:\\Quarrow";

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

// Saves what the screen shows of the window, repainted, in the current folder (the build folder
// under ctest), for a person to look at. Wine hands what a window painted to the X server from its
// message loop, so the loop runs a moment before the screen is read.
inline void SaveScreenPicture(HWND hWnd, const char* pszPath)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    ::Sleep(100);
    PumpMessages();
    SaveWindowPicture(hWnd, pszPath);
}

// What F1 sends a window: WM_HELP about the item hItem. Returns the window's answer.
inline LRESULT SendHelpRequest(CWnd& wnd, HWND hItem)
{
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = hItem;
    return wnd.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// The help id a context-help popup gives the control nID: the second of its id pair, 0 for none.
inline DWORD PopupHelpId(const CRecordingHtmlHelp::Call& popup, DWORD nID)
{
    for (size_t i = 0; i + 1 < popup.idPairs.size(); i += 2)
        if (popup.idPairs[i] == nID)
            return popup.idPairs[i + 1];
    return 0;
}

// Whether each field is empty exactly when its letter is among the cleared ones, as the tables of
// what leaving an edit clears name the fields. The typed field, when given, is not checked.
struct LetteredField
{
    char cLetter;
    const CString& strField;
};
inline void ExpectClearedFields(const char* pszCase, const char* pszCleared, std::initializer_list<LetteredField> fields,
                                const CString* pTypedField = nullptr)
{
    for (const LetteredField& field : fields) {
        if (&field.strField == pTypedField)
            continue;
        const bool bCleared = std::string(pszCleared).find(field.cLetter) != std::string::npos;
        EXPECT_EQ(field.strField.IsEmpty(), bCleared) << pszCase << ": field " << field.cLetter;
    }
}

// Runs dlg modally; drive gets it once it shows. A dialog that drive did not end is ended with
// IDABORT, so that a test cannot hang.
template <class TDialog>
INT_PTR RunDrivenDialog(TDialog& dlg, const std::function<void(TDialog&)>& drive)
{
    bool bDriven = false;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        if (pWnd != &dlg)
            return;
        bDriven = true;
        drive(dlg);
        if (dlg.m_nFlags & CWnd::WF_CONTINUEMODAL)
            dlg.EndDialog(IDABORT);
    });
    CScopedModalHook scopedHook(&hook);
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(bDriven);
    return nResult;
}

// A design page of a running main dialog, driven as the engineer would: what its controls show,
// and the notifications they send it. Each page's test adds how it is typed into and shown again.
template <class TPage>
class PageDriver
{
public:
    PageDriver(CQuarrowDlg& dlg, TPage& page) : m_dlg(dlg), m_page(page), m_data(*dlg.m_pProjectData) {}

    HWND Item(int nID) const { return ::GetDlgItem(m_page.GetSafeHwnd(), nID); }
    std::string Text(int nID) const { return WindowText(Item(nID)); }
    // A text of the main dialog's summary panel.
    std::string Summary(int nID) const { return WindowText(::GetDlgItem(m_dlg.GetSafeHwnd(), nID)); }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    bool Visible(int nID) const { return ::IsWindowVisible(Item(nID)) != FALSE; }
    bool Checked(int nID) const { return ::SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    HBITMAP Picture(int nID) const
    {
        return reinterpret_cast<HBITMAP>(::SendMessageA(Item(nID), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    // Focus notifications as an edit sends them, without moving the focus.
    void Enter(int nID) { Notify(nID, EN_SETFOCUS); }
    void Leave(int nID) { Notify(nID, EN_KILLFOCUS); }
    // Types text into an edit and leaves it.
    void Type(int nID, const char* pszText)
    {
        Enter(nID);
        ::SetWindowTextA(Item(nID), pszText);
        Leave(nID);
    }
    // A button press as the mouse gives it: nothing happens on a disabled button.
    void Click(int nID)
    {
        ::SendMessageA(Item(nID), BM_CLICK, 0, 0);
        PumpMessages();
    }
    void Repaint()
    {
        ::RedrawWindow(m_page.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    }

    CQuarrowDlg& m_dlg;
    TPage& m_page;
    CProjectData& m_data;

protected:
    void Notify(int nID, int nCode)
    {
        m_page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(Item(nID)));
    }
};

class MainDialogPageTest : public ::testing::Test
{
protected:
    // Runs the main dialog modally (the application's main window, the roadway page in front),
    // calls body once it shows, then closes it.
    void RunMainDialog(const std::function<void(CQuarrowDlg&)>& body)
    {
        // As the program's start-up does: the pages' tables need the grid library's window classes.
        GXStartLibrary();
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

    TestInstallation m_install{InstallDir};
    CQuarrowApp m_app;
    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};

// The pages as the engineer meets them in the main dialog: each shown anew from the record, typed
// into with the focus and Tab, and the record read back as Save writes it.
class DesignPageTest : public MainDialogPageTest
{
protected:
    // The page of that index in front, shown anew from the record.
    static CWnd& Show(CQuarrowDlg& dlg, int nPage)
    {
        dlg.m_pSheet->SetActivePage(nPage == CQuarrowDlg::PageRoadway ? CQuarrowDlg::PageInflow
                                                                      : CQuarrowDlg::PageRoadway);
        dlg.m_pSheet->SetActivePage(nPage);
        PumpMessages();
        return *dlg.m_pSheet->GetActivePage();
    }
    static HWND Item(CWnd& page, int nID) { return ::GetDlgItem(page.GetSafeHwnd(), nID); }
    static void Click(CWnd& page, int nID)
    {
        ASSERT_TRUE(::IsWindowEnabled(Item(page, nID))) << "button " << nID;
        ::SendMessageA(Item(page, nID), BM_CLICK, 0, 0);
        PumpMessages();
    }
    // Typed as the engineer types: into the edit with the focus, then Tab to the next control.
    static void Type(CWnd& page, int nID, const char* pszText)
    {
        ::SetFocus(Item(page, nID));
        PumpMessages();
        ASSERT_EQ(::GetFocus(), Item(page, nID)) << "edit " << nID << " takes no focus";
        ASSERT_FALSE(::GetWindowLongA(Item(page, nID), GWL_STYLE) & ES_READONLY) << "edit " << nID << " is read-only";
        ::SetWindowTextA(Item(page, nID), pszText);
        ::SetFocus(::GetNextDlgTabItem(page.GetSafeHwnd(), Item(page, nID), FALSE));
        PumpMessages();
    }
    static std::string Summary(CQuarrowDlg& dlg, int nID) { return WindowText(::GetDlgItem(dlg.GetSafeHwnd(), nID)); }

    // The record as Save writes it: one value of the project file.
    static std::string Saved(const CProjectData& data, const char* pszSection, const char* pszKey = "VALUE")
    {
        const CString strPath = FreshTempPath("design.qrw");
        EXPECT_TRUE(const_cast<CProjectData&>(data).WriteFile(strPath));
        char sz[256] = {};
        ::GetPrivateProfileStringA(pszSection, pszKey, "<missing>", sz, sizeof sz, strPath);
        ::DeleteFileA(strPath);
        return sz;
    }

    // The design as the project file gives it back: arrange fills a new record, which is saved and
    // read into the running one.
    static void ReadDesign(CProjectData& data, const std::function<void(CProjectData&)>& arrange)
    {
        CProjectData written("english");
        arrange(written);
        const CString strPath = FreshTempPath("read.qrw");
        ASSERT_TRUE(written.WriteFile(strPath));
        ASSERT_TRUE(data.ReadFile(strPath));
        ::DeleteFileA(strPath);
    }
};
