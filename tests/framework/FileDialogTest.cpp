// CFileDialog: what the system dialog is given (filter, default extension, name, flags, owner),
// answers through the modal hook, the chosen file's parts, and the real dialog under Wine.
#include <gtest/gtest.h>

#include <string>

#include "framework/dialogs/FileDialog.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"

namespace {

// The filter as the system reads it: strings up to the empty one, joined by '|'.
std::string FilterAsSeen(LPCTSTR lpstrFilter)
{
    std::string seen;
    for (LPCTSTR p = lpstrFilter; *p != '\0'; p += lstrlenA(p) + 1)
        seen += std::string(p) + "|";
    return seen;
}

// A hook that answers every file dialog with a path (or Cancel when it is empty) and keeps what
// the dialog looked like.
struct FileDialogAnswer
{
    std::string path;
    OPENFILENAMEA seen = {};
    std::string filter;
    std::string initialFile;
    int nCalls = 0;
    CFunctionModalHook hook;

    explicit FileDialogAnswer(std::string answerPath) : path(std::move(answerPath))
    {
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) {
            auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
            if (pFile == nullptr)
                return FALSE;
            ++nCalls;
            seen = pFile->m_ofn;
            filter = seen.lpstrFilter != nullptr ? FilterAsSeen(seen.lpstrFilter) : "(none)";
            initialFile = seen.lpstrFile;
            if (path.empty())
            {
                nResult = IDCANCEL;
                return TRUE;
            }
            lstrcpynA(pFile->m_ofn.lpstrFile, path.c_str(), (int)pFile->m_ofn.nMaxFile);
            nResult = IDOK;
            return TRUE;
        };
    }
};

TEST(FileDialog, AnsweredThroughTheModalHookGivesThePathAndItsParts)
{
    CWinApp app{"File Test"};
    FileDialogAnswer answer("C:\\designs\\north.road\\pavement1.qrw");
    CScopedModalHook seam(&answer.hook);

    CFileDialog dlg(FALSE, "*.qrw", nullptr, OFN_HIDEREADONLY, "QUARROW data (*.qrw)|*.qrw|All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrTitle = "Save generated QUARROW data file.";
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(answer.nCalls, 1);
    EXPECT_STREQ(answer.seen.lpstrTitle, "Save generated QUARROW data file.");
    EXPECT_EQ(answer.filter, "QUARROW data (*.qrw)|*.qrw|All Files (*.*)|*.*|");
    EXPECT_TRUE(answer.seen.Flags & OFN_HIDEREADONLY);
    EXPECT_FALSE(answer.seen.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(answer.initialFile, "");

    EXPECT_STREQ(dlg.GetPathName(), "C:\\designs\\north.road\\pavement1.qrw");
    EXPECT_STREQ(dlg.GetFileName(), "pavement1.qrw");
    EXPECT_STREQ(dlg.GetFileExt(), "qrw");
    EXPECT_STREQ(dlg.GetFileTitle(), "pavement1");
}

TEST(FileDialog, CancelReturnsIdcancelAndLeavesTheProposedName)
{
    CWinApp app{"File Test"};
    FileDialogAnswer answer("");
    CScopedModalHook seam(&answer.hook);

    CFileDialog dlg(FALSE, "htm", "pavement1.qrw", OFN_HIDEREADONLY, "QUARROW summary(*.htm)|*.htm|All Files (*.*)|*.*||");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(answer.initialFile, "pavement1.qrw");
    EXPECT_STREQ(dlg.GetPathName(), "pavement1.qrw");
}

TEST(FileDialog, FilterPairsBecomeTheSystemsDoubleNulForm)
{
    struct Case
    {
        const char* filter;
        std::string seen;
    };
    const Case cases[] = {
        {"a|b||", "a|b|"},
        {"Polygon file|*.PLY||", "Polygon file|*.PLY|"},
        {"Layout Files(*.txt)|*.txt | All Files(*.*)|*.*||", "Layout Files(*.txt)|*.txt | All Files(*.*)|*.*|"},
        {"Bitmap files(*.bmp)|*.bmp|Dib files(*.dib)|*.dib|Jpeg files(*.jpg)|*.jpg|All files(*.*)|*.*||",
         "Bitmap files(*.bmp)|*.bmp|Dib files(*.dib)|*.dib|Jpeg files(*.jpg)|*.jpg|All files(*.*)|*.*|"},
        // Without its closing bars the filter still ends.
        {"Text|*.txt", "Text|*.txt|"},
    };
    for (const Case& c : cases)
    {
        CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, c.filter);
        ASSERT_NE(dlg.m_ofn.lpstrFilter, nullptr) << c.filter;
        EXPECT_EQ(FilterAsSeen(dlg.m_ofn.lpstrFilter), c.seen) << c.filter;
    }
    CFileDialog noFilter(TRUE);
    EXPECT_EQ(noFilter.m_ofn.lpstrFilter, nullptr);
}

TEST(FileDialog, DefaultExtensionIsGivenToTheSystemWithoutPatternOrPoint)
{
    const std::pair<const char*, const char*> cases[] = {
        {"qrw", "qrw"}, {"*.qrw", "qrw"}, {".PLY", "PLY"}, {"htm", "htm"},
    };
    for (const auto& [given, seen] : cases)
    {
        CFileDialog dlg(FALSE, given);
        ASSERT_NE(dlg.m_ofn.lpstrDefExt, nullptr) << given;
        EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, seen) << given;
    }
    CFileDialog none(TRUE);
    EXPECT_EQ(none.m_ofn.lpstrDefExt, nullptr);
}

TEST(FileDialog, PartsOfNamesWithoutExtensionOrFolder)
{
    struct Case
    {
        const char* path;
        const char* name;
        const char* ext;
        const char* title;
    };
    const Case cases[] = {
        {"C:\\work\\README", "README", "", "README"},
        {"temp.html", "temp.html", "html", "temp"},
        {"C:/data/plot.v2.txt", "plot.v2.txt", "txt", "plot.v2"},
        {"D:name.qrw", "name.qrw", "qrw", "name"},
    };
    for (const Case& c : cases)
    {
        CFileDialog dlg(TRUE, nullptr, c.path);
        EXPECT_STREQ(dlg.GetFileName(), c.name) << c.path;
        EXPECT_STREQ(dlg.GetFileExt(), c.ext) << c.path;
        EXPECT_STREQ(dlg.GetFileTitle(), c.title) << c.path;
    }
}

TEST(FileDialog, TheDialogIsOwnedByItsParentWindow)
{
    CWinApp app{"File Test"};
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    FileDialogAnswer answer("");
    CScopedModalHook seam(&answer.hook);
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, nullptr, &owner);
    dlg.DoModal();
    EXPECT_EQ(answer.seen.hwndOwner, owner.m_hWnd);
    owner.DestroyWindow();
}

// Without an answer the system's dialog runs; the hook is told when it shows and may drive it.
class RealFileDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char tempPath[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, tempPath);
        folder = std::string(tempPath) + "sheets-file-dialog-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(::GetTickCount());
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override { ::RemoveDirectoryA(folder.c_str()); }

    CWinApp app{"File Test"};
    std::string folder;
};

TEST_F(RealFileDialog, CancelInTheSystemsDialogReturnsIdcancel)
{
    HWND hShown = nullptr;
    CFunctionModalHook hook([&](CWnd* pDialog) {
        hShown = pDialog->m_hWnd;
        ::PostMessageA(pDialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    CScopedModalHook seam(&hook);
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(hShown, nullptr);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(RealFileDialog, ATypedNameWithoutExtensionGetsTheDefaultOne)
{
    CFunctionModalHook hook([&](CWnd* pDialog) {
        // The file name box of the system's Save dialog (cmb13, or edt1 in older layouts).
        HWND hName = ::GetDlgItem(pDialog->m_hWnd, 0x47c);
        if (hName == nullptr)
            hName = ::GetDlgItem(pDialog->m_hWnd, 0x480);
        ::SetWindowTextA(hName, "design");
        ::PostMessageA(pDialog->m_hWnd, WM_COMMAND, IDOK, 0);
    });
    CScopedModalHook seam(&hook);
    CFileDialog dlg(FALSE, "*.qrw", nullptr, OFN_HIDEREADONLY, "All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.GetFileName(), "design.qrw");
    EXPECT_STRCASEEQ(dlg.GetPathName(), (folder + "\\design.qrw").c_str());
}

} // namespace
