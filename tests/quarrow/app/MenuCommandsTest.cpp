// The main dialog's menu commands on the real dialog: project files and the unsaved-data prompt,
// closing, units, mode, plot scale, sensitivity curves, help and the about box.
#include <windows.h>

#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/SafeSave.h"
#include "quarrow/app/AboutBoxDlg.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/Roadway.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/app/MainDialogHarness.h"

namespace {

const char* const SavePrompt = "Unsaved data will be lost. Save now?";
const char* const SaveTitle = "Save generated QUARROW data file.";
const char* const OpenTitle = "Open previously Saved/Generated QUARROW data file.";

std::string Title(CQuarrowDlg& dlg)
{
    return WindowText(dlg.GetSafeHwnd());
}

std::string FileNameOf(const CString& strPath)
{
    std::string path = static_cast<LPCTSTR>(strPath);
    return path.substr(path.find_last_of('\\') + 1);
}

// A project file written beside the test with one value set.
CString ProjectFileWithBaseWidth(const char* pszName, const char* pszBaseWidth, const char* pszUnits = "english")
{
    CString strPath = FreshTempPath(pszName);
    CProjectData data(pszUnits);
    data.m_strBaseWidth = pszBaseWidth;
    data.m_strMode = "expert";
    EXPECT_TRUE(data.WriteFile(strPath));
    return strPath;
}

class MenuCommandsTest : public MainDialogFixture
{
};

// Refuses one key write, as a disk that fills up or a file made read-only half way would; the keys
// before it reach the file.
class RefusedKeyWrite : public CProfileWriteSeam
{
public:
    explicit RefusedKeyWrite(int nRefused) : m_nRefused(nRefused) {}
    BOOL WriteString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszFile) override
    {
        if (m_nWrites++ == m_nRefused)
            return FALSE;
        return ::WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, lpszFile);
    }

private:
    int m_nRefused;
    int m_nWrites = 0;
};

// Every stored field of the record, as a project file holds them.
std::string StoredFields(CProjectData& data)
{
    const CString strPath = FreshTempPath("snapshot.qrw");
    EXPECT_TRUE(data.WriteFile(strPath));
    return FileBytes(strPath);
}

TEST_F(MenuCommandsTest, SaveAsThenOpenThenSaveWritesTheOpenedFileOnly)
{
    const CString strA = FreshTempPath("a.qrw");
    const CString strB = ProjectFileWithBaseWidth("b.qrw", "20");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "12";
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strA)});
        Command(dlg, ID_FILE_SAVE_AS_QRW);
        EXPECT_EQ(IniValue(strA, "Width of permeable base", "VALUE"), "12");
        EXPECT_EQ(Title(dlg), "Quarrow - " + FileNameOf(strA));
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);

        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strB)});
        Command(dlg, ID_FILE_OPEN_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "20");
        EXPECT_EQ(ItemText(dlg, IDC_BASE_WIDTH), "20");
        EXPECT_EQ(Title(dlg), "Quarrow - " + FileNameOf(strB));
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);
        EXPECT_EQ(MenuCheck(dlg, ID_MODE_EXPERT), static_cast<UINT>(MF_CHECKED));
        EXPECT_EQ(MenuCheck(dlg, ID_MODE_NORMAL), 0u);
        EXPECT_EQ(dlg.m_pSievePage->m_bReloadSieveTable, 1);

        dlg.m_pProjectData->m_strBaseWidth = "25";
        dlg.m_pProjectData->m_bModified = 1;
        Command(dlg, ID_FILE_SAVE_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);
    });
    EXPECT_EQ(fileDialogs.size(), 2u) << "Save knew its file";
    EXPECT_EQ(IniValue(strB, "Width of permeable base", "VALUE"), "25");
    EXPECT_EQ(IniValue(strA, "Width of permeable base", "VALUE"), "12");
    EXPECT_TRUE(messages.calls.empty()) << "Open after a save asks nothing";

    ASSERT_EQ(fileDialogs.size(), 2u);
    const FileDialogSeen& save = fileDialogs[0];
    EXPECT_FALSE(save.bOpen);
    EXPECT_EQ(save.title, SaveTitle);
    EXPECT_EQ(save.filter, "QUARROW data (*.qrw)|*.qrw|All Files (*.*)|*.*|");
    EXPECT_EQ(save.defExt, "qrw");
    EXPECT_EQ(save.fileName, "");
    EXPECT_EQ(save.dwFlags & ~static_cast<DWORD>(OFN_EXPLORER), static_cast<DWORD>(OFN_HIDEREADONLY));
    const FileDialogSeen& open = fileDialogs[1];
    EXPECT_TRUE(open.bOpen);
    EXPECT_EQ(open.title, OpenTitle);
    EXPECT_EQ(open.filter, "Quarrow data (*.qrw)|*.qrw|All Files (*.*)|*.*|");
    EXPECT_EQ(open.defExt, "");
    EXPECT_EQ(open.dwFlags & ~static_cast<DWORD>(OFN_EXPLORER), static_cast<DWORD>(OFN_HIDEREADONLY));
}

TEST_F(MenuCommandsTest, SaveWithoutAFileProposesPavement1ThenKeepsThePath)
{
    const CString strPath = FreshTempPath("first.qrw");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "7";
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_SAVE_QRW);
        EXPECT_EQ(Title(dlg), "Quarrow - " + FileNameOf(strPath));
        EXPECT_EQ(dlg.m_strFilePath, strPath);

        dlg.m_pProjectData->m_strBaseWidth = "8";
        Command(dlg, ID_FILE_SAVE_QRW);
    });
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].fileName, "pavement1.qrw");
    EXPECT_EQ(fileDialogs[0].title, SaveTitle);
    EXPECT_EQ(IniValue(strPath, "Width of permeable base", "VALUE"), "8");
}

TEST_F(MenuCommandsTest, NewAfterAChangeAsksAndCancelKeepsEverything)
{
    Run([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        data.m_strBaseWidth = "12";
        data.m_strPlotScale = "log";
        dlg.m_pSievePage->m_bReloadSieveTable = 0;
        const std::string strTitle = Title(dlg);

        messages.answers.push_back(IDCANCEL);
        Command(dlg, ID_FILE_NEW_QRW);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, SavePrompt);
        EXPECT_EQ(messages.calls[0].nType & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(data.m_strBaseWidth, "12");
        EXPECT_EQ(data.m_bModified, 1);
        EXPECT_EQ(Title(dlg), strTitle);
        EXPECT_EQ(dlg.m_pSievePage->m_bReloadSieveTable, 0);

        messages.answers.push_back(IDNO);
        Command(dlg, ID_FILE_NEW_QRW);
        EXPECT_EQ(data.m_strBaseWidth, "");
        EXPECT_EQ(data.m_strMeltwater, "yes");
        EXPECT_EQ(data.m_strPlotScale, "log");
        EXPECT_EQ(data.m_strUnits, "english");
        EXPECT_EQ(data.m_bModified, 1);
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");
        EXPECT_EQ(dlg.m_pSheet->GetActiveIndex(), CQuarrowDlg::PageRoadway);
        EXPECT_EQ(dlg.m_pSievePage->m_bReloadSieveTable, 1);
        EXPECT_EQ(ItemText(dlg, IDC_BASE_WIDTH), "");
    });
    EXPECT_TRUE(fileDialogs.empty());
}

TEST_F(MenuCommandsTest, NewAfterASaveForgetsTheFileAndKeepsMetricUnits)
{
    const CString strPath = FreshTempPath("kept.qrw");
    Run([&](CQuarrowDlg& dlg) {
        Command(dlg, ID_UNITS_METRIC);
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_SAVE_QRW);
        Command(dlg, ID_FILE_NEW_QRW);   // saved: no prompt
        EXPECT_TRUE(messages.calls.empty());
        EXPECT_EQ(dlg.m_pProjectData->m_strUnits, "metric");
        EXPECT_EQ(ItemText(dlg, IDC_UNIT_BASE_WIDTH), "m");
        EXPECT_EQ(dlg.m_strFilePath, "");
        EXPECT_EQ(dlg.m_strFileName, "");

        // The next Save asks for a file again rather than overwriting the old one.
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_FILE_SAVE_QRW);
    });
    EXPECT_EQ(fileDialogs.size(), 2u);
}

TEST_F(MenuCommandsTest, YesSavesFirstAndACancelledSaveStopsTheCommand)
{
    const CString strPath = FreshTempPath("before-new.qrw");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "12";

        messages.answers.push_back(IDYES);
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_FILE_NEW_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "12") << "nothing saved, nothing thrown away";
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);

        messages.answers.push_back(IDYES);
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_NEW_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "");
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");
    });
    ASSERT_EQ(fileDialogs.size(), 2u);
    EXPECT_EQ(fileDialogs[1].title, SaveTitle);
    EXPECT_EQ(fileDialogs[1].fileName, "") << "Yes runs Save As, which proposes no name";
    EXPECT_EQ(IniValue(strPath, "Width of permeable base", "VALUE"), "12");
}

TEST_F(MenuCommandsTest, CancelledSaveAsAndOpenKeepTheUnsavedFlagAndTitle)
{
    const CString strB = ProjectFileWithBaseWidth("not-opened.qrw", "20");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "12";
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_FILE_SAVE_AS_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");

        // Open asks first, like New; No goes on to the dialog, whose Cancel changes nothing.
        messages.answers.push_back(IDNO);
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_FILE_OPEN_QRW);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, SavePrompt);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "12");
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");

        // Cancel in the prompt: no dialog at all.
        messages.answers.push_back(IDCANCEL);
        Command(dlg, ID_FILE_OPEN_QRW);
    });
    EXPECT_EQ(fileDialogs.size(), 2u);
}

TEST_F(MenuCommandsTest, RefusedWriteAndMissingFileAreReported)
{
    // A folder that does not exist cannot take the file.
    const std::string strNoFolder = std::string(FreshTempPath("no-folder")) + "\\design.qrw";
    const CString strMissing = FreshTempPath("missing.qrw");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "12";
        fileAnswers.push_back({IDOK, strNoFolder});
        Command(dlg, ID_FILE_SAVE_AS_QRW);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_NE(messages.calls[0].text.find(strNoFolder), std::string::npos) << messages.calls[0].text;
        EXPECT_NE(messages.calls[0].text.find("could not be saved"), std::string::npos);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");
        EXPECT_EQ(dlg.m_strFilePath, "");

        messages.answers.push_back(IDNO);
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strMissing)});
        Command(dlg, ID_FILE_OPEN_QRW);
        ASSERT_EQ(messages.calls.size(), 3u);
        EXPECT_NE(messages.calls[2].text.find(static_cast<LPCTSTR>(strMissing)), std::string::npos);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "12");
        EXPECT_EQ(Title(dlg), "Quarrow - Unsaved File");
    });
}

TEST_F(MenuCommandsTest, ASaveRefusedHalfWayKeepsTheOldFileAndSaysSo)
{
    const CString strPath = ProjectFileWithBaseWidth("refused.qrw", "20");
    const std::string oldBytes = FileBytes(strPath);
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_bModified = 0;   // nothing to ask about before the Open
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_OPEN_QRW);
        dlg.m_pProjectData->m_strBaseWidth = "25";
        dlg.m_pProjectData->m_bModified = 1;

        RefusedKeyWrite refused(100);
        {
            CScopedProfileWriteSeam scoped(&refused);
            Command(dlg, ID_FILE_SAVE_QRW);
        }
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, "The design could not be saved to this file:\n" + std::string(strPath));
        EXPECT_EQ(FileBytes(strPath), oldBytes);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1) << "the change is still unsaved";

        Command(dlg, ID_FILE_SAVE_QRW);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);
    });
    EXPECT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(IniValue(strPath, "Width of permeable base", "VALUE"), "25");
    EXPECT_EQ(IniValue(strPath, "Controls", "Expert"), "expert");
}

TEST_F(MenuCommandsTest, APictureRenamedAsAProjectFileIsRefusedAndNeverWritten)
{
    const CString strPrevious = ProjectFileWithBaseWidth("previous.qrw", "20");
    // A 1 x 1 picture of 24 bits.
    const unsigned char bmp[] = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,
        0,   0,   0,  0, 0, 0, 4, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0,
    };
    const std::string pictureBytes(reinterpret_cast<const char*>(bmp), sizeof bmp);
    const CString strPicture = FreshTempPath("picture.qrw");
    {
        std::ofstream file(static_cast<LPCTSTR>(strPicture), std::ios::binary);
        file << pictureBytes;
    }
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_bModified = 0;
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPrevious)});
        Command(dlg, ID_FILE_OPEN_QRW);
        dlg.m_pProjectData->m_strBaseWidth = "25";
        dlg.m_pProjectData->m_bModified = 1;
        const std::string fieldsBefore = StoredFields(*dlg.m_pProjectData);
        const std::string titleBefore = Title(dlg);

        messages.answers.push_back(IDNO);
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPicture)});
        Command(dlg, ID_FILE_OPEN_QRW);
        ASSERT_EQ(messages.calls.size(), 2u);
        EXPECT_EQ(messages.calls[1].text, "The file is not a QUARROW data file:\n" + std::string(strPicture));
        EXPECT_EQ(Title(dlg), titleBefore);
        EXPECT_EQ(StoredFields(*dlg.m_pProjectData), fieldsBefore);
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);
        EXPECT_EQ(dlg.m_strFilePath, strPrevious);

        Command(dlg, ID_FILE_SAVE_QRW);
    });
    EXPECT_EQ(fileDialogs.size(), 2u) << "Save knew its file";
    EXPECT_EQ(FileBytes(strPicture), pictureBytes);
    EXPECT_EQ(IniValue(strPrevious, "Width of permeable base", "VALUE"), "25");
}

TEST_F(MenuCommandsTest, SwitchingTheGeometryOfAnOpenedDesignAsksBeforeExit)
{
    const CString strPath = FreshTempPath("geometry.qrw");
    {
        CProjectData data("english");
        data.m_strGeometryCoefficientB = "10";
        data.m_strGeometryCoefficientC = "2";
        data.m_strBaseWidth = "7";
        ASSERT_TRUE(data.WriteFile(strPath));
    }
    const std::string bytes = FileBytes(strPath);
    INT_PTR nResult = Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_bModified = 0;
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_OPEN_QRW);
        dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        PumpMessages();
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);

        ::SendMessageA(::GetDlgItem(dlg.m_pRoadwayPage->GetSafeHwnd(), IDC_RW_GEOMETRY_B), BM_CLICK, 0, 0);
        EXPECT_EQ(dlg.m_pProjectData->m_strGeometryChoice, "B");
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "");
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 1);

        messages.answers.push_back(IDNO);
        Command(dlg, ID_FILE_EXIT);
    });
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, SavePrompt);
    EXPECT_NE(nResult, HarnessEnd) << "No ends the program";
    EXPECT_EQ(FileBytes(strPath), bytes) << "No writes nothing";
    EXPECT_EQ(fileDialogs.size(), 1u);
}

// Every way of closing the dialog asks while there are unsaved changes, and only then.
TEST_F(MenuCommandsTest, ClosingAsksOnlyWithUnsavedChanges)
{
    struct Way
    {
        const char* pszName;
        UINT message;
        WPARAM wParam;
    } ways[] = {
        {"Exit", WM_COMMAND, ID_FILE_EXIT},
        {"OK", WM_COMMAND, IDOK},
        {"WM_CLOSE", WM_CLOSE, 0},
        {"Esc", WM_COMMAND, IDCANCEL},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.pszName);
        messages.calls.clear();
        bool bStillUp = false;
        INT_PTR nResult = Run([&](CQuarrowDlg& dlg) {
            messages.answers.push_back(IDCANCEL);
            dlg.SendMessage(way.message, way.wParam, 0);
            bStillUp = dlg.GetSafeHwnd() != nullptr && dlg.ContinueModal();
            messages.answers.push_back(IDNO);
            dlg.SendMessage(way.message, way.wParam, 0);
        });
        EXPECT_TRUE(bStillUp) << "Cancel keeps the dialog";
        EXPECT_NE(nResult, HarnessEnd) << "No closes it";
        EXPECT_EQ(messages.calls.size(), 2u);

        messages.calls.clear();
        nResult = Run([&](CQuarrowDlg& dlg) {
            dlg.m_pProjectData->m_bModified = 0;
            dlg.SendMessage(way.message, way.wParam, 0);
        });
        EXPECT_NE(nResult, HarnessEnd);
        EXPECT_TRUE(messages.calls.empty());
    }
}

TEST_F(MenuCommandsTest, UnitsMetricConvertsRelabelsAndKeepsTheConvertedValues)
{
    // From the roadway page and from another one: the page in front is left and entered once more.
    for (int nStartPage : {int(CQuarrowDlg::PageRoadway), int(CQuarrowDlg::PagePermeableBase)}) {
        Run([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            dlg.m_pSheet->SetActivePage(nStartPage);
            data.m_strBaseWidth = "10";
            data.m_strBaseD15 = "0.005";
            dlg.UpdateMaterialStatus();
            EXPECT_EQ(ItemText(dlg, IDC_BASE_WIDTH), "10");
            dlg.m_pSievePage->m_bReloadSieveTable = 0;

            Command(dlg, ID_UNITS_METRIC);
            EXPECT_EQ(ItemText(dlg, IDC_BASE_WIDTH), "3.048");
            EXPECT_EQ(ItemText(dlg, IDC_UNIT_BASE_WIDTH), "m");
            EXPECT_EQ(data.m_strUnits, "metric");
            EXPECT_EQ(data.m_strBaseD15, "0.1270");
            EXPECT_EQ(dlg.m_bMetricPanel, 1);
            EXPECT_EQ(dlg.m_pSievePage->m_bReloadSieveTable, 1);
            EXPECT_EQ(MenuCheck(dlg, ID_UNITS_METRIC), static_cast<UINT>(MF_CHECKED));
            EXPECT_EQ(MenuCheck(dlg, ID_UNITS_ENGLISH), 0u);
            EXPECT_EQ(dlg.m_pSheet->GetActiveIndex(), nStartPage);

            // Every page shown and left again keeps the converted values.
            for (int nPage = 0; nPage < dlg.m_pSheet->GetPageCount(); ++nPage)
                dlg.m_pSheet->SetActivePage(nPage);
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
            EXPECT_EQ(data.m_strBaseWidth, "3.048");

            // Metric again changes nothing.
            Command(dlg, ID_UNITS_METRIC);
            EXPECT_EQ(data.m_strBaseWidth, "3.048");

            Command(dlg, ID_UNITS_ENGLISH);
            EXPECT_EQ(data.m_strBaseWidth, "10.");
            EXPECT_EQ(ItemText(dlg, IDC_UNIT_BASE_WIDTH), "ft");
            EXPECT_EQ(data.m_strUnits, "english");
            EXPECT_EQ(dlg.m_bMetricPanel, 0);
            EXPECT_EQ(MenuCheck(dlg, ID_UNITS_ENGLISH), static_cast<UINT>(MF_CHECKED));
            EXPECT_EQ(MenuCheck(dlg, ID_UNITS_METRIC), 0u);
        });
    }
}

TEST_F(MenuCommandsTest, OpeningAMetricFileSwitchesMenuAndPanel)
{
    const CString strPath = ProjectFileWithBaseWidth("metric.qrw", "3.048", "metric");
    Run([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_bModified = 0;
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
        Command(dlg, ID_FILE_OPEN_QRW);
        EXPECT_EQ(dlg.m_bMetricPanel, 1);
        EXPECT_EQ(ItemText(dlg, IDC_UNIT_BASE_WIDTH), "m");
        EXPECT_EQ(MenuCheck(dlg, ID_UNITS_METRIC), static_cast<UINT>(MF_CHECKED));
        EXPECT_EQ(MenuCheck(dlg, ID_UNITS_ENGLISH), 0u);
        // Already metric: the values stay as opened.
        Command(dlg, ID_UNITS_METRIC);
        EXPECT_EQ(dlg.m_pProjectData->m_strBaseWidth, "3.048");
    });
}

TEST_F(MenuCommandsTest, ModeAndPlotScaleChecksFollowTheChoice)
{
    struct Case
    {
        UINT nCommand;
        UINT nOther;
        CString CProjectData::*pWord;
        const char* pszWord;
    } cases[] = {
        {ID_MODE_EXPERT, ID_MODE_NORMAL, &CProjectData::m_strMode, "expert"},
        {ID_MODE_NORMAL, ID_MODE_EXPERT, &CProjectData::m_strMode, "normal"},
        {ID_PLOT_SCALE_LOG, ID_PLOT_SCALE_POW45, &CProjectData::m_strPlotScale, "log"},
        {ID_PLOT_SCALE_POW45, ID_PLOT_SCALE_LOG, &CProjectData::m_strPlotScale, "pow45"},
    };
    Run([&](CQuarrowDlg& dlg) {
        EXPECT_EQ(MenuCheck(dlg, ID_MODE_NORMAL), static_cast<UINT>(MF_CHECKED));
        EXPECT_EQ(MenuCheck(dlg, ID_PLOT_SCALE_POW45), static_cast<UINT>(MF_CHECKED));
        dlg.m_pProjectData->m_bModified = 0;
        for (const Case& c : cases) {
            Command(dlg, c.nCommand);
            EXPECT_EQ(dlg.m_pProjectData->*c.pWord, c.pszWord);
            EXPECT_EQ(MenuCheck(dlg, c.nCommand), static_cast<UINT>(MF_CHECKED)) << c.pszWord;
            EXPECT_EQ(MenuCheck(dlg, c.nOther), 0u) << c.pszWord;
        }
        EXPECT_EQ(dlg.m_pProjectData->m_bModified, 0);
    });
}

// The design that New or Open brings shows its own mode, and no separator verdicts or geotextile
// thickness of the design before it.
TEST_F(MenuCommandsTest, NewAndOpenShowNoModeOrVerdictsOfTheDesignBefore)
{
    CString strPath = FreshTempPath("normal-mode.qrw");
    ASSERT_TRUE(CProjectData("english").WriteFile(strPath));
    for (UINT nCommand : {UINT(ID_FILE_NEW_QRW), UINT(ID_FILE_OPEN_QRW)}) {
        SCOPED_TRACE(nCommand == ID_FILE_NEW_QRW ? "New" : "Open");
        Run([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            Command(dlg, ID_MODE_EXPERT);
            data.m_strSeparatorType = "none";
            for (CString CProjectData::*pField : {&CProjectData::m_strBaseD15, &CProjectData::m_strBaseD50,
                                                  &CProjectData::m_strSubgradeD50, &CProjectData::m_strSubgradeD85})
                data.*pField = "1";
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSeparator);
            CWnd& page = *dlg.m_pSheet->GetActivePage();
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SP_CHECK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(::GetDlgItem(page.GetSafeHwnd(), IDC_SP_CHECK)));
            ASSERT_EQ(ItemText(page, IDC_SP_VERDICT_1), "=>  Pass");
            data.m_strGeotextileLength = "0.250";
            data.m_bModified = 0;

            fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
            Command(dlg, nCommand);
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSeparator);
            page.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

            EXPECT_EQ(data.m_strMode, "normal");
            EXPECT_EQ(MenuCheck(dlg, ID_MODE_NORMAL), static_cast<UINT>(MF_CHECKED));
            EXPECT_EQ(MenuCheck(dlg, ID_MODE_EXPERT), 0u);
            EXPECT_EQ(data.m_bSeparatorChecked, 0);
            EXPECT_EQ(ItemText(page, IDC_SP_VERDICT_1), "");
            EXPECT_EQ(data.m_strGeotextileLength, "");
        });
        fileAnswers.clear();
    }
}

TEST_F(MenuCommandsTest, SensitivityItemsToggleTheirOwnFlag)
{
    struct Case
    {
        UINT nCommand;
        int nFlag;
    } cases[] = {
        {ID_SENSITIVITY_LENGTH, CProjectData::SensitivityLength},
        {ID_SENSITIVITY_SLOPE, CProjectData::SensitivitySlope},
        {ID_SENSITIVITY_PERMEABILITY, CProjectData::SensitivityPermeability},
        {ID_SENSITIVITY_INFLOW, CProjectData::SensitivityInflow},
        {ID_SENSITIVITY_DRAIN, CProjectData::SensitivityDrain},
        {ID_SENSITIVITY_THICKNESS, CProjectData::SensitivityThickness},
        {ID_SENSITIVITY_POROSITY, CProjectData::SensitivityPorosity},
    };
    Run([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        data.m_bModified = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.nCommand);
            EXPECT_EQ(MenuCheck(dlg, c.nCommand), static_cast<UINT>(MF_CHECKED));
            Command(dlg, c.nCommand);
            for (const Case& other : cases)
                EXPECT_EQ(data.m_bSensitivity[other.nFlag], other.nFlag == c.nFlag ? 0 : 1);
            EXPECT_EQ(MenuCheck(dlg, c.nCommand), 0u);
            Command(dlg, c.nCommand);
            EXPECT_EQ(data.m_bSensitivity[c.nFlag], 1);
            EXPECT_EQ(MenuCheck(dlg, c.nCommand), static_cast<UINT>(MF_CHECKED));
        }
        EXPECT_EQ(data.m_bModified, 0);
    });
}

TEST_F(MenuCommandsTest, HelpContentsAndF1ShowTheIntroduction)
{
    HWND hValue = nullptr;
    LRESULT nHelpResult = 0;
    Run([&](CQuarrowDlg& dlg) {
        Command(dlg, ID_HELP_CONTENTS);
        hValue = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_BASE_WIDTH);
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_BASE_WIDTH, hValue, 0, {0, 0}};
        nHelpResult = dlg.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
    ASSERT_EQ(help.calls.size(), 2u);
    EXPECT_EQ(help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/introduction.html");
    EXPECT_EQ(help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(help.calls[0].hWndCaller, nullptr);
    EXPECT_EQ(help.calls[0].dwData, 0u);
    EXPECT_EQ(help.calls[1].file, "C:\\Quarrow\\quarrow.chm::/introduction.html");
    EXPECT_EQ(help.calls[1].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(help.calls[1].hWndCaller, hValue);
    EXPECT_EQ(nHelpResult, TRUE);
}

// No help file ships: HTML Help is asked for a file that is not there, answers with no window (and shows
// its own "cannot open" message), and the program goes on as before.
TEST_F(MenuCommandsTest, HelpWithoutTheHelpFileAsksThePlatformAndCarriesOn)
{
    ASSERT_EQ(::GetFileAttributesA("C:\\Quarrow\\quarrow.chm"), INVALID_FILE_ATTRIBUTES);
    help.answer = nullptr;
    Run([&](CQuarrowDlg& dlg) {
        Command(dlg, ID_HELP_CONTENTS);
        HWND hValue = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_BASE_WIDTH);
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_BASE_WIDTH, hValue, 0, {0, 0}};
        EXPECT_EQ(dlg.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
        RECT rcValue;
        ::GetWindowRect(hValue, &rcValue);
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hValue), MAKELPARAM(rcValue.left + 2, rcValue.top + 2));

        // The dialog still answers its commands.
        Command(dlg, ID_MODE_EXPERT);
        EXPECT_EQ(dlg.m_pProjectData->m_strMode, "expert");
        EXPECT_TRUE(dlg.ContinueModal());
    });
    ASSERT_EQ(help.calls.size(), 3u);
    EXPECT_EQ(help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/introduction.html");
    EXPECT_EQ(help.calls[2].file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_TRUE(messages.calls.empty()) << "the program adds no message of its own";
}

TEST_F(MenuCommandsTest, RightClickOnASummaryControlAsksForItsContextHelp)
{
    const std::vector<DWORD> table = {
        1004, 1106, 1005, 1106, 1006, 1111, 1007, 1111, 1009, 1114, 1010, 1114, 1038, 1114,
        1147, 1200, 1148, 1201, 1149, 1202, 1102, 1300, 1012, 1300, 1104, 1300, 1103, 1301,
        1013, 1301, 1105, 1301, 1064, 1400, 1206, 1400, 1008, 1400, 1142, 1401, 1207, 1401,
        1375, 1401, 1143, 1402, 1208, 1402, 1376, 1402, 1144, 1403, 1209, 1403, 1146, 1403,
        1139, 1601, 1240, 1601, 1015, 1601, 1140, 1602, 1241, 1602, 1014, 1602, 1141, 1603,
        1242, 1603, 1145, 1603,
    };
    HWND hValue = nullptr;
    Run([&](CQuarrowDlg& dlg) {
        HWND hDlg = dlg.GetSafeHwnd();
        hValue = ::GetDlgItem(hDlg, IDC_BASE_WIDTH);
        RECT rcValue;
        ::GetWindowRect(hValue, &rcValue);
        const LPARAM atValue = MAKELPARAM((rcValue.left + rcValue.right) / 2, (rcValue.top + rcValue.bottom) / 2);

        // The control itself, as a notifying control reports it.
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hValue), atValue);
        // A plain text lets the click through to the dialog, which reports itself.
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hDlg), atValue);
        // The dialog's own background, and the context-menu key: no control, no help.
        POINT corner{1, 1};
        ::ClientToScreen(hDlg, &corner);
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hDlg), MAKELPARAM(corner.x, corner.y));
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hDlg), MAKELPARAM(-1, -1));
    });
    ASSERT_EQ(help.calls.size(), 2u);
    for (const CRecordingHtmlHelp::Call& call : help.calls) {
        EXPECT_EQ(call.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
        EXPECT_EQ(call.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
        EXPECT_EQ(call.hWndCaller, hValue);
        EXPECT_EQ(call.idPairs, table);
    }
}

TEST_F(MenuCommandsTest, AboutRunsTheAboutBox)
{
    Run([&](CQuarrowDlg& dlg) { Command(dlg, ID_APP_ABOUT_QUARROW); });
    ASSERT_EQ(nestedDialogs.size(), 1u);
    EXPECT_EQ(nestedDialogs[0], typeid(CAboutBoxDlg).name());
}

TEST_F(MenuCommandsTest, WithoutAnInstallationCommandsDoNothingAndClosingAsksNothing)
{
    TestInstallation none(nullptr);
    INT_PTR nResult = Run([&](CQuarrowDlg& dlg) {
        messages.calls.clear();
        for (UINT nID : {ID_FILE_NEW_QRW, ID_FILE_OPEN_QRW, ID_FILE_SAVE_QRW, ID_FILE_SAVE_AS_QRW, ID_UNITS_METRIC,
                         ID_UNITS_ENGLISH, ID_MODE_EXPERT, ID_PLOT_SCALE_LOG, ID_SENSITIVITY_LENGTH,
                         ID_EXPORT_SUMMARY, ID_PRINT_SUMMARY})
            Command(dlg, nID);
        Command(dlg, ID_FILE_EXIT);
    });
    EXPECT_NE(nResult, HarnessEnd);
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(fileDialogs.empty());
    EXPECT_TRUE(shell.calls.empty());
}

} // namespace
