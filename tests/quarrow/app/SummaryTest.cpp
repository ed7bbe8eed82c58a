// The HTML summary written by Export Summary and Print Summary of the real main dialog.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/app/MainDialogHarness.h"
#include "tests/quarrow/app/SummaryGolden.h"

namespace {

const char* const PathMark = "@PATH@";

// A golden file compiled into the test; "@PATH@" stands for the path the summary was written to.
std::string Golden(int nID, const std::string& strPath)
{
    std::string text = GoldenText(nID);
    for (size_t at = text.find(PathMark); at != std::string::npos; at = text.find(PathMark, at + strPath.size()))
        text.replace(at, strlen(PathMark), strPath);
    return text;
}

// Saves what was written beside the build, so a person can compare it with the golden file.
void KeepForInspection(const std::string& strBytes, const char* pszName)
{
    std::ofstream(pszName, std::ios::binary) << strBytes;
}

class SummaryTest : public MainDialogFixture
{
protected:
    // Export Summary to a fresh file; returns the bytes written.
    std::string Export(const std::function<void(CQuarrowDlg&, CProjectData&)>& arrange, const CString& strPath)
    {
        Run([&](CQuarrowDlg& dlg) {
            arrange(dlg, *dlg.m_pProjectData);
            // The record was arranged behind the pages, as a file opens: the sieve page's grid no
            // longer shows its tables.
            dlg.m_pSievePage->m_bReloadSieveTable = 1;
            fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strPath)});
            Command(dlg, ID_EXPORT_SUMMARY);
        });
        return FileBytes(strPath);
    }
};

// Every quantity empty again (the pavement k "0"), the choice words as after File New.
void ClearQuantities(CProjectData& data)
{
    data.SetDefaults("english");
}

TEST_F(SummaryTest, EmptyDesignIsTheHeadTheSixHeadingsAndTheTail)
{
    const CString strPath = FreshTempPath("empty.htm");
    const std::string strBytes = Export([](CQuarrowDlg&, CProjectData&) {}, strPath);
    const std::string strExpected = WithCrLf(
        "<html>\n"
        "<title>QUARROW Summary File - " + std::string(strPath) + "</title>\n"
        "<body>\n"
        "<h2>Summary of QUARROW file - </h2>\n"
        "<h3>Roadway Geometry</h3>\n"
        "<h3>Sieve Analysis</h3>\n"
        "<h3>Inflow</h3>\n"
        "<h3>Permeable Base</h3>\n"
        "<h3>Separator Layer</h3>\n"
        "<h3>Edge Drain</h3>\n"
        "</body>\n"
        "</html>\n");
    EXPECT_EQ(strBytes, strExpected);

    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_FALSE(fileDialogs[0].bOpen);
    EXPECT_EQ(fileDialogs[0].title, "Create QUARROW summary file.");
    EXPECT_EQ(fileDialogs[0].filter, "QUARROW summary(*.htm)|*.htm|All Files (*.*)|*.*|");
    EXPECT_EQ(fileDialogs[0].defExt, "htm");
    EXPECT_EQ(fileDialogs[0].fileName, "");
    EXPECT_EQ(fileDialogs[0].dwFlags & ~static_cast<DWORD>(OFN_EXPLORER), static_cast<DWORD>(OFN_HIDEREADONLY));

    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].hWnd, nullptr);
    EXPECT_EQ(shell.calls[0].operation, "open");
    EXPECT_EQ(shell.calls[0].file, std::string(strPath));
    EXPECT_EQ(shell.calls[0].parameters, "");
    EXPECT_EQ(shell.calls[0].directory, "");
    EXPECT_EQ(shell.calls[0].nShowCmd, SW_SHOWNORMAL);
}

// A metric design: aggregate separator with range sieves, ratio and meltwater inflow, depth of
// flow base, geocomposite drain with time-to-drain discharge; every separator criterion sits at
// its boundary (equal sides), where the printed "=<" and ">=" pass.
void ArrangeMetricAggregate(CQuarrowDlg& dlg, CProjectData& d)
{
    ClearQuantities(d);
    dlg.m_strFileName = "site 7.qrw";
    d.m_strUnits = "metric";
    d.m_strGeometryCoefficientB = "7.3152";
    d.m_strGeometryCoefficientC = "0.6096";
    d.m_strBaseWidth = "7.9248";
    d.m_strLongitudinalSlope = "0.02";
    d.m_strCrossSlope = "0.025";
    d.m_strResultantSlope = "0.032016";
    d.m_strResultantLength = "10.149";

    d.m_strSieveType = "range";
    d.m_strSeparatorType = "aggregate";
    d.m_strBaseP200 = "2";
    d.m_strBaseD10 = "2.1000";
    d.m_strBaseD12 = "2.4000";
    d.m_strBaseD15 = "2.5000";
    d.m_strBaseD30 = "4.0000";
    d.m_strBaseD50 = "7.5000";
    d.m_strBaseD85 = "16.000";
    d.m_strBaseCu = "4.1";
    d.m_strBaseCc = "1.2";
    d.m_strBaseUnitWeight = "1922";
    d.m_strBaseSpecificGravity = "2.65";
    d.m_strBasePorosity = "0.32";
    d.m_strBaseWater = "5";
    d.m_strBaseEffectivePorosity = "0.28";
    d.m_strBaseK = "3048";
    d.m_strSubgradeD15 = "0.0300";
    d.m_strSubgradeD50 = "0.0120";
    d.m_strSubgradeD85 = "0.1000";
    d.m_strSubgradeK = "0.003";
    d.m_strSeparatorP200 = "4";
    d.m_strSeparatorD10 = "0.0700";
    d.m_strSeparatorD12 = "0.075";
    d.m_strSeparatorD15 = "0.5000";
    d.m_strSeparatorD30 = "0.9000";
    d.m_strSeparatorD50 = "0.3000";
    d.m_strSeparatorD85 = "0.5000";
    d.m_strSeparatorCu = "25";
    d.m_strSeparatorCc = "1.5";
    d.m_strSeparatorK = "0.3";
    // Base rows 3 (#200) and 14 (#4): one bound each is enough to print the row; row 20 none.
    d.m_strSieve[3][0] = "0";
    d.m_strSieve[3][2] = "5";
    d.m_strSieve[14][0] = "";
    d.m_strSieve[14][2] = "40";
    d.m_strSieve[20][1] = "100";   // a value column, not shown in range mode
    d.m_strSieve[10][6] = "10";
    d.m_strSieve[10][8] = "30";

    d.m_strInfiltrationMethod = "ratio";
    d.m_strConcrete = "ACC";
    d.m_strRain = "two";
    d.m_strInfiltrationRatio = "0.4";
    d.m_strRainfallRate = "50.8";
    d.m_strInfiltrationRate = "2.2e-006";
    d.m_strMeltwater = "yes";
    d.m_strHeaveRate = "1.27";
    d.m_strPavementUnitWeight = "2403";
    d.m_strPavementLayerThickness = "0.2032";
    d.m_strBaseThickness = "0.1524";
    d.m_strPavementLoad = "488.2";
    d.m_strMeltwaterFlow = "1.1e-006";

    d.m_strBaseMethod = "DOF";
    d.m_strBaseMinThickness = "0.1";
    d.m_strBaseDischargeRate = "5.4e-005";

    d.m_strEdgeDrainType = "geocomposite";
    d.m_strSlopeFactor = "0.02";
    d.m_strFlowZoneDepth = "25.4";
    d.m_strOutletDepth = "12.7";
    d.m_strDischarge = "TTD";
    d.m_strPercentDrained = "50";
    d.m_strTimeToDrain = "1.2";
    d.m_strPipeFlow = "0.0021";
    d.m_strOutletSpacing = "76.2";
}

TEST_F(SummaryTest, MetricAggregateDesignMatchesItsGoldenFile)
{
    const CString strPath = FreshTempPath("metric.htm");
    const std::string strBytes = Export(ArrangeMetricAggregate, strPath);
    const std::string strExpected = Golden(IDR_GOLDEN_METRIC_AGGREGATE, std::string(strPath));
    if (strBytes != strExpected)
        KeepForInspection(strBytes, "summary-metric-aggregate.htm");
    EXPECT_EQ(strBytes, strExpected);
}

// An English design: geotextile separator at its boundaries (AOS exactly 3 x D15 in decimal,
// Cu exactly 3, the geotextile's k equal to the subgrade's), value sieves with empty rows
// skipped, crack inflow without meltwater, time-to-drain base, pipe drain with permeable-base
// discharge.
void ArrangeGeotextileBoundary(CQuarrowDlg& dlg, CProjectData& d)
{
    ClearQuantities(d);
    dlg.m_strFileName = "R&D.qrw";
    d.m_strBaseWidth = "26";
    d.m_strResultantSlope = "0.032";

    d.m_strSieveType = "value";
    d.m_strSeparatorType = "geotextile";
    d.m_strPermeabilityChoice = "normal";
    d.m_strBaseD10 = "0.0800";
    d.m_strBaseD15 = "0.1000";
    d.m_strBaseK = "10000";
    d.m_strSubgradeP200 = "12";
    d.m_strSubgradeD10 = "2.00e-003";
    d.m_strSubgradeD15 = "0.1";
    d.m_strSubgradeD85 = "0.0400";
    d.m_strSubgradeCu = "3";
    d.m_strSubgradeK = "0.5";
    d.m_strSeparatorD10 = "0.0100";   // not an aggregate: no separator sieve block
    d.m_strApparentOpeningSize = "0.3";
    d.m_strSeparatorMinK = "0.5";
    d.m_strGeotextilePermeability = "0.5";
    d.m_strGeotextileLength = "0.08";
    d.m_strSieve[3][1] = "4";
    d.m_strSieve[15][1] = "60";        // 3/8"
    d.m_strSieve[23][1] = "100";
    d.m_strSieve[15][4] = "99";
    d.m_strSieve[16][3] = "98";        // a bound only: skipped in value mode

    d.m_strInfiltrationMethod = "crack";
    d.m_strMeltwater = "no";
    d.m_strCrackInfiltrationRate = "2.4";
    d.m_strLongitudinalCracks = "3";
    d.m_strTransverseCrackLength = "12";
    d.m_strTransverseCrackSpacing = "40";
    d.m_strPavementK = "0";
    d.m_strInfiltrationRate = "0.27";

    d.m_strBaseMethod = "TTD";
    d.m_strBaseEffectivePorosity = "0.25";
    d.m_strResultantLength = "33.3";
    d.m_strPercentSaturation = "85";
    d.m_strBaseThickness = "0.33";
    d.m_strPercentDrained = "50";
    d.m_strTimeToDrain = "0.9";

    d.m_strEdgeDrainType = "pipe";
    d.m_strManningCoefficient = "0.012";
    d.m_strPipeDiameter = "4";
    d.m_strDischarge = "Permeable";
    d.m_strBaseDischargeRate = "19.1";
    d.m_strPipeFlow = "15000";
}

TEST_F(SummaryTest, GeotextileDesignAtBoundaryValuesMatchesItsGoldenFile)
{
    const CString strPath = FreshTempPath("R&D geotextile.htm");
    const std::string strBytes = Export(ArrangeGeotextileBoundary, strPath);
    // The path is written as HTML text.
    std::string strEscapedPath = static_cast<LPCTSTR>(strPath);
    strEscapedPath.replace(strEscapedPath.find('&'), 1, "&amp;");
    const std::string strExpected = Golden(IDR_GOLDEN_GEOTEXTILE_BOUNDARY, strEscapedPath);
    if (strBytes != strExpected)
        KeepForInspection(strBytes, "summary-geotextile-boundary.htm");
    EXPECT_EQ(strBytes, strExpected);
}

TEST_F(SummaryTest, SeparatorParagraphFollowsTheSeparatorKind)
{
    struct Case
    {
        const char* pszKind;
        const char* pszBaseD15;
        const char* pszExpected;
    } cases[] = {
        {"none", "0.5",
         "<h3>Separator Layer</h3>\r\n<p style=\"line-height: 150%\" ><u>Separator - None</u></p>\r\n"
         "<p style=\"line-height: 150%\" >Base D<sub>15</sub> = 0.5   in<br>\r\n"
         "Base D<sub>50</sub> =    in<br>\r\n"
         "Subgrade D<sub>50</sub> =    in<br>\r\n"
         "Subgrade D<sub>85</sub> = 0.1   in<br>\r\n"
         "D<sub>15</sub><sup>Base</sup> =< 5D<sub>85</sub><sup>Subgrade</sup> -------- Pass<br>\r\n"
         "D<sub>50</sub><sup>Base</sup> =< 25D<sub>50</sub><sup>Subgrade</sup> -------- Pass<br>\r\n"
         "</p>\r\n<h3>Edge Drain</h3>"},
        {"none", "0.5001",
         "D<sub>15</sub><sup>Base</sup> =< 5D<sub>85</sub><sup>Subgrade</sup> -------- Fail<br>\r\n"},
        // A word the pages never write: the paragraph is empty.
        {"other", "0.5", "<h3>Separator Layer</h3>\r\n<p style=\"line-height: 150%\" ></p>\r\n<h3>Edge Drain</h3>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pszKind) + " " + c.pszBaseD15);
        const std::string strBytes = Export(
            [&](CQuarrowDlg&, CProjectData& d) {
                d.m_strSeparatorType = c.pszKind;
                d.m_strBaseD15 = c.pszBaseD15;
                d.m_strSubgradeD15 = "0.02";
                d.m_strSubgradeD85 = "0.1";
            },
            FreshTempPath("separator.htm"));
        EXPECT_NE(strBytes.find(c.pszExpected), std::string::npos) << strBytes;
    }
}

// The verdicts test the relation their line prints; entries a kind does not print keep their values.
TEST(SeparatorCriteriaTest, VerdictsFollowThePrintedRelations)
{
    struct Case
    {
        const char* pszKind;
        const char* pszUnits;
        const char* pszPermeability;
        std::vector<std::pair<CString CProjectData::*, const char*>> values;
        const char* pszExpected;   // the five verdicts after the call, starting from "00000"
    } cases[] = {
        {"none", "english", "normal", {{&CProjectData::m_strBaseD15, "0.5"}, {&CProjectData::m_strSubgradeD85, "0.1"},
                                       {&CProjectData::m_strBaseD50, "7.5"}, {&CProjectData::m_strSubgradeD50, "0.3"}},
         "11000"},
        {"none", "english", "normal", {{&CProjectData::m_strBaseD15, "0.51"}, {&CProjectData::m_strSubgradeD85, "0.1"}},
         "01000"},   // empty D50s read as 0: 0 =< 0
        {"geotextile", "english", "normal", {{&CProjectData::m_strSubgradeCu, "3"}, {&CProjectData::m_strSubgradeK, "1"},
                                             {&CProjectData::m_strGeotextilePermeability, "1.0001"}},
         "111" "00"},
        {"geotextile", "english", "normal", {{&CProjectData::m_strSubgradeCu, "2.99"}, {&CProjectData::m_strSubgradeD15, "0.1"},
                                             {&CProjectData::m_strApparentOpeningSize, "0.29"}},
         "00000"},
        {"geotextile", "english", "critical", {{&CProjectData::m_strSubgradeK, "1"},
                                               {&CProjectData::m_strGeotextilePermeability, "10"}},
         "10000"},
        {"geotextile", "english", "critical", {{&CProjectData::m_strSubgradeK, "1"},
                                               {&CProjectData::m_strGeotextilePermeability, "10.01"}},
         "10100"},
        // #200 sieve: 0.075 mm, 0.075 / 25.4 in.
        {"aggregate", "metric", "normal", {{&CProjectData::m_strSeparatorD12, "0.075"}}, "11111"},
        {"aggregate", "metric", "normal", {{&CProjectData::m_strSeparatorD12, "0.0749"}}, "11110"},
        {"aggregate", "english", "normal", {{&CProjectData::m_strSeparatorD12, "2.96e-003"}}, "11111"},
        {"aggregate", "english", "normal", {{&CProjectData::m_strSeparatorD12, "2.95e-003"}}, "11110"},
        {"aggregate", "english", "normal", {{&CProjectData::m_strBaseD15, "1"}, {&CProjectData::m_strSeparatorD85, "0.1"}},
         "01110"},
        {"gravel", "english", "normal", {{&CProjectData::m_strBaseD15, "1"}}, "00000"},
    };
    for (const Case& c : cases) {
        CQuarrowDlg dlg(nullptr);
        dlg.m_pProjectData = new CProjectData(c.pszUnits);
        dlg.m_pProjectData->m_strSeparatorType = c.pszKind;
        dlg.m_pProjectData->m_strPermeabilityChoice = c.pszPermeability;
        for (const auto& value : c.values)
            dlg.m_pProjectData->*value.first = value.second;
        dlg.EvaluateSeparatorCriteria();
        std::string strVerdicts;
        for (int bPassed : dlg.m_bCriterionPassed)
            strVerdicts += bPassed ? '1' : '0';
        EXPECT_EQ(strVerdicts, c.pszExpected) << c.pszKind << " " << c.pszUnits;
    }
}

TEST_F(SummaryTest, PrintSummaryCancelledPrintsTempHtmlInTheCurrentFolder)
{
    char szOldFolder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szOldFolder);
    const CString strFolder = FreshTempPath("print-folder");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    ASSERT_TRUE(::SetCurrentDirectoryA(strFolder));
    const CString strChosen = FreshTempPath("printed.htm");

    int bPrintingAfter = -1;
    Run([&](CQuarrowDlg& dlg) {
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_PRINT_SUMMARY);
        fileAnswers.push_back({IDOK, static_cast<LPCTSTR>(strChosen)});
        Command(dlg, ID_PRINT_SUMMARY);
        bPrintingAfter = dlg.m_bPrintSummary;
    });
    const std::string strTemp = FileBytes(CString((std::string(strFolder) + "\\temp.html").c_str()));
    ::SetCurrentDirectoryA(szOldFolder);

    EXPECT_NE(strTemp.find("<title>QUARROW Summary File - temp.html</title>\r\n"), std::string::npos);
    EXPECT_TRUE(FileExists(strChosen));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].operation, "print");
    EXPECT_EQ(shell.calls[0].file, "temp.html");
    EXPECT_EQ(shell.calls[1].operation, "print");
    EXPECT_EQ(shell.calls[1].file, std::string(strChosen));
    EXPECT_EQ(bPrintingAfter, 0);
}

TEST_F(SummaryTest, ExportCancelledWritesAndOpensNothing)
{
    Run([&](CQuarrowDlg& dlg) {
        fileAnswers.push_back({IDCANCEL, ""});
        Command(dlg, ID_EXPORT_SUMMARY);
    });
    EXPECT_EQ(fileDialogs.size(), 1u);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(SummaryTest, UnwritablePathIsReportedAndNotHandedToTheShell)
{
    const std::string strPath = std::string(FreshTempPath("no-folder")) + "\\summary.htm";
    Run([&](CQuarrowDlg& dlg) {
        fileAnswers.push_back({IDOK, strPath});
        Command(dlg, ID_EXPORT_SUMMARY);
    });
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].text.find(strPath), std::string::npos);
    EXPECT_TRUE(shell.calls.empty());
}

// A summary that another program holds open cannot be replaced: the old summary stays whole and the
// folder holds no half-written file.
TEST_F(SummaryTest, ASummaryThatCannotBeReplacedStaysAsItWas)
{
    const CString strFolder = FreshTempPath("summaries");
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    const std::string strPath = std::string(strFolder) + "\\summary.htm";
    const std::string oldBytes = "<html><body>Last week's design</body></html>\r\n";
    std::ofstream(strPath, std::ios::binary) << oldBytes;
    HANDLE hLock = ::CreateFileA(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    Run([&](CQuarrowDlg& dlg) {
        fileAnswers.push_back({IDOK, strPath});
        Command(dlg, ID_EXPORT_SUMMARY);
    });
    ::CloseHandle(hLock);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "The summary could not be written to this file:\n" + strPath);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(FileBytes(strPath.c_str()), oldBytes);
    WIN32_FIND_DATAA found;
    HANDLE hSearch = ::FindFirstFileA((std::string(strFolder) + "\\*.*").c_str(), &found);
    int nFiles = 0;
    if (hSearch != INVALID_HANDLE_VALUE) {
        do
            nFiles += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        while (::FindNextFileA(hSearch, &found));
        ::FindClose(hSearch);
    }
    EXPECT_EQ(nFiles, 1);
}

} // namespace
