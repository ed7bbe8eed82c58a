// The material panel of the sieve analysis page in the real main dialog: porosity, effective
// porosity and permeability commands, the checks when an edit is left with their warnings, the
// water method, the plot, help, and the table across Open and Save.
#include "tests/quarrow/pages/SievePageTestSupport.h"

#include <fstream>
#include <iterator>

#include "framework/dialogs/FileDialog.h"
#include "quarrow/app/QuarrowApp.h"

namespace {

const char PorosityWarning[] =
    "Porosity of the permeable base should be calculated from unit weight and specific gravity.\n"
    "Manually edit at your own risk.";
const char SubgradeEffectiveWarning[] =
    "Effective porosity of the subgrade should be calculated from water loss/content and porosity.\n"
    "Manually edit at your own risk.";

// ---- Compute buttons ----

TEST_F(SievePageTest, PorosityAndEffectivePorosityByWaterContentAndByWaterLoss)
{
    Run([&](SievePage& page) {
        CProjectData& data = page.m_data;
        EXPECT_FALSE(page.Enabled(IDC_SV_CALC_POROSITY));
        page.Type(IDC_SV_UNIT_WEIGHT, "125");
        page.Type(IDC_SV_SPECIFIC_GRAVITY, "2.65");
        ASSERT_TRUE(page.Enabled(IDC_SV_CALC_POROSITY));
        page.Click(IDC_SV_CALC_POROSITY);
        EXPECT_EQ(data.m_strBasePorosity, "0.244");
        EXPECT_EQ(page.Text(IDC_SV_POROSITY), "0.244");

        // Water content: the button also needs the water content.
        EXPECT_TRUE(page.Checked(IDC_SV_WATER_CONTENT));
        EXPECT_EQ(page.Text(IDC_SV_WATER_CAPTION), "Grav. Water Content");
        EXPECT_FALSE(page.Enabled(IDC_SV_CALC_EFFECTIVE));
        page.Type(IDC_SV_WATER, "2");
        EXPECT_EQ(data.m_strBaseWater, "2.00");
        ASSERT_TRUE(page.Enabled(IDC_SV_CALC_EFFECTIVE));
        page.Click(IDC_SV_CALC_EFFECTIVE);
        EXPECT_EQ(data.m_strBaseEffectivePorosity, "0.204");

        // Water loss: the effective porosity goes, the water value stays until the Water Loss
        // dialog or the engineer gives a new one.
        CFunctionModalHook cancelWaterLoss([](CWnd* pWnd) { static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL); });
        {
            CScopedModalHook scopedHook(&cancelWaterLoss);
            page.Click(IDC_SV_WATER_LOSS);
        }
        EXPECT_EQ(data.m_strWaterBase, "loss");
        EXPECT_EQ(page.Text(IDC_SV_WATER_CAPTION), "Water Loss");
        EXPECT_TRUE(data.m_strBaseEffectivePorosity.IsEmpty());
        EXPECT_EQ(data.m_strBaseWater, "2.00");
        page.Type(IDC_SV_WATER, "50");
        page.Click(IDC_SV_CALC_EFFECTIVE);
        EXPECT_EQ(data.m_strBaseEffectivePorosity, "0.122");

        // Water content again: the water value and the effective porosity go.
        page.Click(IDC_SV_WATER_CONTENT);
        EXPECT_EQ(data.m_strWaterBase, "content");
        EXPECT_TRUE(data.m_strBaseWater.IsEmpty());
        EXPECT_TRUE(data.m_strBaseEffectivePorosity.IsEmpty());
        EXPECT_TRUE(m_messages.calls.empty());
    });
}

TEST_F(SievePageTest, PermeabilityFromTheGradationAndPorosity)
{
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            ASSERT_TRUE(page.Enabled(IDC_SV_CALC_PERMEABILITY));
            page.Click(IDC_SV_CALC_PERMEABILITY);
            EXPECT_EQ(data.m_strBaseK, "115.851");
            EXPECT_EQ(page.Text(IDC_SV_PERMEABILITY), "115.851");
            EXPECT_TRUE(m_messages.calls.empty());

            data.m_strBaseP200 = "0.00";
            page.Click(IDC_SV_CALC_PERMEABILITY);
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, "The percent passing the #200 sieve must be greater than 0");
            EXPECT_EQ(m_messages.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
            EXPECT_EQ(data.m_strBaseK, "115.851");
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strBaseD10 = "1.0000";
            data.m_strBasePorosity = "0.350";
            data.m_strBaseP200 = "2.00";
        });
}

TEST_F(SievePageTest, ASmallPermeabilityIsWrittenWithAnExponent)
{
    Run(
        [&](SievePage& page) {
            page.Click(IDC_SV_CALC_PERMEABILITY);
            // 621400 * 0.0254^1.478 * 0.15^6.654 / 10^0.597 ft/day.
            EXPECT_EQ(page.m_data.m_strBaseK, "2.272e-003");
        },
        [](CProjectData& data) {
            data.m_strBaseD10 = "0.0010";
            data.m_strBasePorosity = "0.150";
            data.m_strBaseP200 = "10.00";
        });
}

TEST_F(SievePageTest, ImpossibleInputsOfThePorositiesStoreNothing)
{
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            page.Type(IDC_SV_SPECIFIC_GRAVITY, "0");
            page.Click(IDC_SV_CALC_POROSITY);
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, "Specific gravity must be greater than zero.");
            EXPECT_TRUE(data.m_strBasePorosity.IsEmpty());

            page.Type(IDC_SV_POROSITY, "0.1");
            page.Type(IDC_SV_WATER, "20");
            page.Click(IDC_SV_CALC_EFFECTIVE);
            ASSERT_EQ(m_messages.calls.size(), 2u);
            EXPECT_EQ(m_messages.calls[1].text,
                      "The effective porosity computed from these values is negative; check the water content or "
                      "water loss.");
            EXPECT_TRUE(data.m_strBaseEffectivePorosity.IsEmpty());
        },
        [](CProjectData& data) {
            data.m_strMode = "expert";
            data.m_strBaseUnitWeight = "125.";
        });
}

// ---- Leaving the edits ----

TEST_F(SievePageTest, ANewUnitWeightDropsThePorositiesAndTheSameNumberChangesNothing)
{
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            EXPECT_EQ(page.Text(IDC_SV_UNIT_WEIGHT), "125.");
            page.Type(IDC_SV_UNIT_WEIGHT, "125");
            EXPECT_EQ(data.m_strBaseUnitWeight, "125.");
            EXPECT_EQ(data.m_strBasePorosity, "0.244");
            EXPECT_EQ(data.m_strBaseEffectivePorosity, "0.204");

            page.Type(IDC_SV_UNIT_WEIGHT, "120");
            EXPECT_EQ(data.m_strBaseUnitWeight, "120.");
            EXPECT_TRUE(data.m_strBasePorosity.IsEmpty());
            EXPECT_TRUE(data.m_strBaseEffectivePorosity.IsEmpty());
            EXPECT_EQ(page.Text(IDC_SV_POROSITY), "");

            page.Type(IDC_SV_SPECIFIC_GRAVITY, "2.7");
            EXPECT_EQ(data.m_strBaseSpecificGravity, "2.7");
            page.Type(IDC_SV_UNIT_WEIGHT, "");
            EXPECT_TRUE(data.m_strBaseUnitWeight.IsEmpty());
            EXPECT_FALSE(page.Enabled(IDC_SV_CALC_POROSITY));
            page.NextMessage();
            EXPECT_TRUE(m_messages.calls.empty());
        },
        [](CProjectData& data) {
            data.m_strBaseUnitWeight = "125.";
            data.m_strBaseSpecificGravity = "2.65";
            data.m_strBasePorosity = "0.244";
            data.m_strBaseWater = "2.00";
            data.m_strBaseEffectivePorosity = "0.204";
        });
}

TEST_F(SievePageTest, AHandTypedPorosityIsStoredAndWarnsOnceInNormalMode)
{
    for (const char* pszMode : {"normal", "expert"}) {
        m_messages.calls.clear();
        Run(
            [&](SievePage& page) {
                CProjectData& data = page.m_data;
                page.Type(IDC_SV_POROSITY, "0.3");
                EXPECT_EQ(data.m_strBasePorosity, "0.300");
                EXPECT_EQ(page.Text(IDC_SV_POROSITY), "0.300");
                EXPECT_TRUE(data.m_strBaseSpecificGravity.IsEmpty());
                EXPECT_TRUE(data.m_strBaseEffectivePorosity.IsEmpty());
                EXPECT_EQ(data.m_strBaseUnitWeight, "125.");
                page.NextMessage();
                page.NextMessage();
            },
            [&](CProjectData& data) {
                data.m_strMode = pszMode;
                data.m_strBaseUnitWeight = "125.";
                data.m_strBaseSpecificGravity = "2.65";
                data.m_strBasePorosity = "0.244";
                data.m_strBaseEffectivePorosity = "0.204";
            });
        if (std::string(pszMode) == "normal") {
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, PorosityWarning);
            EXPECT_EQ(m_messages.calls[0].caption, "Warning");
            EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        } else {
            EXPECT_TRUE(m_messages.calls.empty());
        }
    }
}

TEST_F(SievePageTest, TabbingThroughComputedValuesChangesNothing)
{
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            for (int nID : {IDC_SV_UNIT_WEIGHT, IDC_SV_SPECIFIC_GRAVITY, IDC_SV_POROSITY, IDC_SV_WATER,
                            IDC_SV_EFFECTIVE_POROSITY, IDC_SV_PERMEABILITY}) {
                page.Enter(nID);
                page.Leave(nID);
            }
            page.NextMessage();
            EXPECT_EQ(data.m_strSubgradePorosity, "0.244");
            EXPECT_EQ(data.m_strSubgradeSpecificGravity, "2.65");
            EXPECT_EQ(data.m_strSubgradeWater, "57");
            EXPECT_EQ(data.m_strSubgradeEffectivePorosity, "0.204");
            EXPECT_EQ(data.m_strSubgradeK, "115.851");
            EXPECT_EQ(data.m_strBaseMinThickness, "0.5");
            EXPECT_TRUE(m_messages.calls.empty());

            // Typed anew, the effective porosity warns with the subgrade's text.
            page.Type(IDC_SV_EFFECTIVE_POROSITY, "0.25");
            EXPECT_EQ(data.m_strSubgradeEffectivePorosity, "0.25");
            page.NextMessage();
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, SubgradeEffectiveWarning);
        },
        [](CProjectData& data) {
            data.m_strSieveLayer = "subgrade";
            data.m_strWaterSub = "loss";
            data.m_strSubgradeUnitWeight = "125.";
            data.m_strSubgradeSpecificGravity = "2.65";
            data.m_strSubgradePorosity = "0.244";
            data.m_strSubgradeWater = "57";
            data.m_strSubgradeEffectivePorosity = "0.204";
            data.m_strSubgradeK = "115.851";
            data.m_strBaseMinThickness = "0.5";
        });
}

TEST_F(SievePageTest, ANewBasePermeabilityDropsTheMinimumThickness)
{
    struct Case
    {
        const char* pszLayer;
        const char* pszTyped;
        const char* pszStored;
        const char* pszMinThickness;
    } cases[] = {
        {"base", "115.851", "115.851", "0.5"},
        {"base", "20", "20.00", ""},
        {"base", "0.01", "1.000e-002", ""},
        {"subgrade", "20", "20.00", "0.5"},
    };
    for (const Case& c : cases) {
        Run(
            [&](SievePage& page) {
                page.Type(IDC_SV_PERMEABILITY, c.pszTyped);
                const CMaterialLayer* pLayer = CMaterialLayer::Find(c.pszLayer);
                EXPECT_EQ(page.m_data.*pLayer->permeability, c.pszStored) << c.pszLayer << " " << c.pszTyped;
                EXPECT_EQ(page.m_data.m_strBaseMinThickness, c.pszMinThickness) << c.pszLayer << " " << c.pszTyped;
            },
            [&](CProjectData& data) {
                data.m_strSieveLayer = c.pszLayer;
                data.m_strBaseK = "115.851";
                data.m_strSubgradeK = "115.851";
                data.m_strBaseMinThickness = "0.5";
            });
    }
}

TEST_F(SievePageTest, ComputeButtonsFollowTheirInputs)
{
    Run(
        [&](SievePage& page) {
            // Subgrade with a unit weight alone: no porosity yet.
            EXPECT_FALSE(page.Enabled(IDC_SV_CALC_POROSITY));
            EXPECT_FALSE(page.Enabled(IDC_SV_CALC_PERMEABILITY));
            ::SetWindowTextA(page.Item(IDC_SV_SPECIFIC_GRAVITY), "2.6");
            page.Enter(IDC_SV_UNIT_WEIGHT);
            EXPECT_TRUE(page.Enabled(IDC_SV_CALC_POROSITY));
            // Water loss: the effective porosity needs the porosity only.
            page.Type(IDC_SV_POROSITY, "0.3");
            EXPECT_TRUE(page.Enabled(IDC_SV_CALC_EFFECTIVE));
            EXPECT_TRUE(page.Enabled(IDC_SV_CALC_PERMEABILITY));
            EXPECT_EQ(page.m_data.m_strSubgradeSpecificGravity, "");
        },
        [](CProjectData& data) {
            data.m_strSieveLayer = "subgrade";
            data.m_strWaterSub = "loss";
            data.m_strSubgradeUnitWeight = "110.";
            data.m_strSubgradeD10 = "0.0100";
        });
}

TEST_F(SievePageTest, EnteringTheWaterValueLooksAtTheShownLayersMethod)
{
    Run(
        [&](SievePage& page) {
            // Water loss needs the porosity, which is missing; the unit weight and the specific
            // gravity would do for the water content method of the base.
            page.Enter(IDC_SV_WATER);
            EXPECT_FALSE(page.Enabled(IDC_SV_CALC_EFFECTIVE));
            ::SetWindowTextA(page.Item(IDC_SV_POROSITY), "0.3");
            page.Enter(IDC_SV_WATER);
            EXPECT_TRUE(page.Enabled(IDC_SV_CALC_EFFECTIVE));
        },
        [](CProjectData& data) {
            data.m_strSieveLayer = "subgrade";
            data.m_strWaterBase = "content";
            data.m_strWaterSub = "loss";
            data.m_strSubgradeUnitWeight = "110.";
            data.m_strSubgradeSpecificGravity = "2.6";
        });
}

TEST_F(SievePageTest, ShowingThePageAgainDropsAQueuedWarning)
{
    Run([&](SievePage& page) {
        page.Type(IDC_SV_POROSITY, "0.3");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
        page.m_page.OnSetActive();
        page.NextMessage();
        EXPECT_EQ(page.m_data.m_strBasePorosity, "0.300");
    });
    EXPECT_TRUE(m_messages.calls.empty());
}

// ---- Plot, help and the project ----

// A temporary installation with the recorded start of Fennick.
class SievePlotTest : public SievePageTest
{
protected:
    SievePlotTest()
    {
        ::CreateDirectoryA(m_strInstallDir, nullptr);
    }
    ~SievePlotTest() override
    {
        ::DeleteFileA(m_strInstallDir + "\\plot.tmp");
        ::RemoveDirectoryA(m_strInstallDir);
    }

    CString m_strInstallDir = FreshTempPath("install");
    TestInstallation m_tempInstall{m_strInstallDir};
    CRecordingProcessSeam m_processes;
    CScopedProcessSeam m_scopedProcesses{&m_processes};
};

TEST_F(SievePlotTest, APlotWritesTheLayersGradationAndDisablesTheButton)
{
    std::string plot;
    Run([&](SievePage& page) {
        page.SetValues({{No200, "5"}, {No4, "45"}, {One, "100"}});
        page.Click(IDC_SV_GRADATION);
        ASSERT_TRUE(page.Enabled(IDC_SV_PLOT));
        page.Click(IDC_SV_PLOT);
        EXPECT_FALSE(page.Enabled(IDC_SV_PLOT));
        std::ifstream file(static_cast<LPCTSTR>(m_strInstallDir + "\\plot.tmp"), std::ios::binary);
        plot.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    });
    EXPECT_EQ(plot, "0 0 0 0\r\n0.075 5\r\n4.75 45\r\n25 100\r\n0 0\r\n<user defined>");
    ASSERT_EQ(m_processes.starts.size(), 1u);
    EXPECT_EQ(m_processes.starts[0].applicationName, std::string(m_strInstallDir) + "\\fennick.exe");
}

TEST_F(SievePageTest, HelpTopicAndContextHelp)
{
    HWND hPorosityButton = nullptr;
    Run([&](SievePage& page) {
        hPorosityButton = page.Item(IDC_SV_CALC_POROSITY);
        SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hPorosityButton), MAKELPARAM(10, 10));
    });
    ASSERT_EQ(m_help.calls.size(), 2u);
    EXPECT_EQ(m_help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/Sieve Analysis.htm");
    EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    const CRecordingHtmlHelp::Call& popup = m_help.calls[1];
    EXPECT_EQ(popup.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_EQ(popup.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(popup.hWndCaller, hPorosityButton);
    auto helpIdOf = [&](DWORD nID) { return PopupHelpId(popup, nID); };
    const struct { int nID; DWORD nHelpID; } expected[] = {
        {IDC_SV_RANGE, 1203}, {IDC_SV_GRID, 1205}, {IDC_SV_AGGREGATE_SEPARATOR, 1211}, {IDC_SV_UNIT_P200, 1212},
        {IDC_SV_D10, 1213}, {IDC_SV_D12, 1214}, {IDC_SV_LABEL_D85, 1219}, {IDC_SV_CC, 1221},
        {IDC_SV_PLOT, 1223}, {IDC_SV_UNIT_UW, 1224}, {IDC_SV_LABEL_POROSITY, 1226},
        {IDC_SV_CALC_POROSITY, 1227}, {IDC_SV_UNIT_WATER, 1230}, {IDC_SV_LABEL_EFFECTIVE, 1232},
        {IDC_SV_PIC_K, 1234},
    };
    for (const auto& pair : expected)
        EXPECT_EQ(helpIdOf(pair.nID), pair.nHelpID) << pair.nID;
    EXPECT_EQ(popup.idPairs.size(), 2u * 52u);
}

// Answers the file dialogs of Open and Save with the paths queued.
struct FileAnswers
{
    std::deque<std::string> paths;
    BOOL Answer(CCommonDialog* pDialog, INT_PTR& nResult)
    {
        auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
        if (pFile == nullptr || paths.empty()) {
            nResult = IDCANCEL;
            return TRUE;
        }
        lstrcpynA(pFile->m_ofn.lpstrFile, paths.front().c_str(), static_cast<int>(pFile->m_ofn.nMaxFile));
        paths.pop_front();
        nResult = IDOK;
        return TRUE;
    }
};

std::string IniValue(const CString& strPath, const char* pszSection, const char* pszKey)
{
    char sz[256] = {};
    ::GetPrivateProfileStringA(pszSection, pszKey, "<missing>", sz, sizeof sz, strPath);
    return sz;
}

TEST_F(SievePageTest, OpeningAProjectWhileThePageShowsAnotherSavesTheOpenedTables)
{
    const CString strOpened = FreshTempPath("opened.qrw");
    const CString strSaved = FreshTempPath("saved.qrw");
    {
        CProjectData project("english");
        project.m_strBaseDescription = "Open graded";
        project.m_strSubgradeDescription = "Clay";
        project.m_strSieve[No200][CProjectData::SieveValue] = "3.0";
        project.m_strSieve[No4][3 + CProjectData::SieveValue] = "60.0";
        project.m_strSieveLayer = "subgrade";
        ASSERT_TRUE(project.WriteFile(strOpened));
    }
    FileAnswers answers;
    answers.paths = {static_cast<LPCTSTR>(strOpened), static_cast<LPCTSTR>(strSaved)};
    m_messages.defaultAnswer = IDNO;
    Run([&](SievePage& page) {
        CFunctionModalHook hook;
        hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) { return answers.Answer(pDialog, nResult); };
        CScopedModalHook scopedHook(&hook);
        // The page shows a typed table of its own project, then the engineer goes elsewhere.
        page.SetCell(4, 1, "99");
        page.TypeIntoCell(5, 1, "98");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageInflow);
        page.m_dlg.SendMessage(WM_COMMAND, ID_FILE_OPEN_QRW);
        page.m_dlg.SendMessage(WM_COMMAND, ID_FILE_SAVE_AS_QRW);
    });
    ASSERT_TRUE(answers.paths.empty());
    for (const char* pszSection : {"Base", "Subgrade", "Seperator"})
        for (const char* pszKey : {"#200_1", "#100_1", "#4_1", "Description"})
            EXPECT_EQ(IniValue(strSaved, pszSection, pszKey), IniValue(strOpened, pszSection, pszKey))
                << pszSection << " " << pszKey;
    EXPECT_EQ(IniValue(strSaved, "Base", "#200_1"), "3.0");
    EXPECT_EQ(IniValue(strSaved, "Base", "Description"), "Open graded");
    ::DeleteFileA(strOpened);
    ::DeleteFileA(strSaved);
}

TEST_F(SievePageTest, OpeningAProjectWhileThePageIsShownShowsTheOpenedTable)
{
    const CString strOpened = FreshTempPath("shown.qrw");
    const CString strSaved = FreshTempPath("shown-saved.qrw");
    {
        CProjectData project("metric");
        project.m_strSieve[No200][CProjectData::SieveValue] = "3.0";
        ASSERT_TRUE(project.WriteFile(strOpened));
    }
    FileAnswers answers;
    answers.paths = {static_cast<LPCTSTR>(strOpened), static_cast<LPCTSTR>(strSaved)};
    m_messages.defaultAnswer = IDNO;
    Run([&](SievePage& page) {
        CFunctionModalHook hook;
        hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) { return answers.Answer(pDialog, nResult); };
        CScopedModalHook scopedHook(&hook);
        page.SetCell(4, 1, "99");
        // A cell still being typed into belongs to the old project.
        page.TypeIntoCell(5, 1, "98");
        page.m_dlg.SendMessage(WM_COMMAND, ID_FILE_OPEN_QRW);
        PumpMessages();
        page.Repaint();
        EXPECT_EQ(page.Cell(4, 1), "3.0");
        EXPECT_EQ(page.Cell(5, 1), "");
        EXPECT_EQ(page.Cell(0, 0), "Sieve (mm)");
        page.m_dlg.SendMessage(WM_COMMAND, ID_FILE_SAVE_AS_QRW);
    });
    EXPECT_EQ(IniValue(strSaved, "Base", "#200_1"), "3.0");
    EXPECT_EQ(IniValue(strSaved, "Base", "#100_1"), "");
    ::DeleteFileA(strOpened);
    ::DeleteFileA(strSaved);
}

} // namespace
