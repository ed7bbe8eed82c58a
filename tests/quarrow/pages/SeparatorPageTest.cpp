// The separator page inside the real main dialog on the virtual display: the layouts of the three
// kinds, the geotextile requirements, the criteria verdicts (the same as the HTML summary's), the
// store and focus handlers, the links, help and the plot.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <vector>

#include "grid/core/AppData.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/Separator.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/pages/PlotGolden.h"
#include "tests/quarrow/pages/PlotTestData.h"

namespace {

using TextField = CString CProjectData::*;

const char* const Pass = "=>  Pass";
const char* const Fail = "=>  Fail";
const int Verdicts[] = {IDC_SP_VERDICT_1, IDC_SP_VERDICT_2, IDC_SP_VERDICT_3, IDC_SP_VERDICT_4, IDC_SP_VERDICT_5};

// The separator page of a running main dialog, driven as the engineer would.
class Page : public PageDriver<CSeparator>
{
public:
    explicit Page(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pSeparatorPage) {}

    // The five verdicts, "P" pass, "F" fail, "-" empty.
    std::string VerdictMarks() const
    {
        std::string marks;
        for (int nID : Verdicts)
        {
            const std::string text = Text(nID);
            marks += text == Pass ? 'P' : text == Fail ? 'F' : text.empty() ? '-' : '?';
        }
        return marks;
    }

    // A button press as the mouse gives it: a disabled button takes no click. (Wine's buttons
    // report a click sent to them even while disabled.)
    void Click(int nID)
    {
        ASSERT_TRUE(Enabled(nID)) << nID;
        ::SendMessageA(Item(nID), BM_CLICK, 0, 0);
        PumpMessages();
    }
    void ClickLabel(int nID) { Notify(nID, STN_CLICKED); }
};

class SeparatorPageTest : public MainDialogPageTest
{
protected:
    SeparatorPageTest() { GXStartLibrary(); }

    // Runs body on the separator page of a main dialog whose record prepare has set up.
    void Run(const std::function<void(Page&)>& body, const std::function<void(CProjectData&)>& prepare = {})
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            if (prepare)
                prepare(*dlg.m_pProjectData);
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSeparator);
            ASSERT_NE(dlg.m_pSeparatorPage->GetSafeHwnd(), nullptr);
            Page page(dlg);
            page.Repaint();
            body(page);
        });
    }
};

void SetFields(CProjectData& data, std::initializer_list<std::pair<TextField, const char*>> values)
{
    for (const auto& [field, text] : values)
        data.*field = text;
}

// The grain sizes of an aggregate separator whose five criteria pass (metric).
void PassingAggregate(CProjectData& data)
{
    data.m_strUnits = "metric";
    data.m_strSeparatorType = "aggregate";
    SetFields(data, {{&CProjectData::m_strBaseD15, "1.0000"}, {&CProjectData::m_strBaseD50, "5.0000"},
                     {&CProjectData::m_strSubgradeD50, "0.1000"}, {&CProjectData::m_strSubgradeD85, "0.4000"},
                     {&CProjectData::m_strSeparatorD12, "0.1000"}, {&CProjectData::m_strSeparatorD15, "0.5000"},
                     {&CProjectData::m_strSeparatorD50, "1.0000"}, {&CProjectData::m_strSeparatorD85, "2.0000"}});
}

// A geotextile over a subgrade with every requirement computed (metric).
void ComputedGeotextile(CProjectData& data)
{
    data.m_strUnits = "metric";
    data.m_strSeparatorType = "geotextile";
    SetFields(data, {{&CProjectData::m_strSubgradeP200, "40.0"}, {&CProjectData::m_strSubgradeK, "0.1"},
                     {&CProjectData::m_strSubgradeCu, "3.0000"}, {&CProjectData::m_strSubgradeD15, "0.0200"},
                     {&CProjectData::m_strSubgradeD85, "0.2000"}, {&CProjectData::m_strApparentOpeningSize, "3.0e-001"},
                     {&CProjectData::m_strSeparatorMinK, "1.00e-001"},
                     {&CProjectData::m_strGeotextilePermeability, "86.4"},
                     {&CProjectData::m_strGeotextileLength, "5.000"}});
}

// ---- Layouts ----

TEST_F(SeparatorPageTest, EachKindShowsItsLayoutPicturesAndStatus)
{
    struct Case
    {
        const char* pszKind;
        const char* pszSeparatorCc;
        int nRadio;
        std::vector<int> shown;
        std::vector<int> hidden;
        int nPicture1, nPicture2;   // bitmaps of 1354 and 1356, 0 when they are hidden
        const char* pszStatus;
    } cases[] = {
        {"aggregate", "1.2", IDC_SP_AGGREGATE,
         {IDC_SP_GROUP_BASE, IDC_SP_GROUP_SUBGRADE, IDC_SP_GROUP_AGGREGATE, IDC_SP_GROUP_CRITERIA, IDC_SP_SEP_D12,
          IDC_SP_VERDICT_1, IDC_SP_VERDICT_2, IDC_SP_VERDICT_3, IDC_SP_VERDICT_4, IDC_SP_VERDICT_5, IDC_SP_CRITERION_5,
          IDC_SP_CHECK, IDC_SP_PLOT, IDC_SP_SIEVE_BASE, IDC_SP_SIEVE_SUBGRADE, IDC_SP_SIEVE_SEPARATOR},
         {IDC_SP_GROUP_GEO_SUBGRADE, IDC_SP_GROUP_GEOTEXTILE, IDC_SP_GROUP_CHOICES, IDC_SP_GROUP_CRITERIA_NONE,
          IDC_SP_SIEVE_GEO_SUBGRADE, IDC_SP_P200, IDC_SP_GEO_CRITERION_AOS, IDC_SP_RECOMMENDATION,
          IDC_SP_LABEL_RECOMMENDATION},
         IDB_SP_AGG_BASE_D15, IDB_SP_AGG_BASE_D50, "Separator - Aggregate"},
        {"aggregate", "", IDC_SP_AGGREGATE, {IDC_SP_GROUP_AGGREGATE}, {IDC_SP_GROUP_GEOTEXTILE},
         IDB_SP_AGG_BASE_D15, IDB_SP_AGG_BASE_D50, "Separator - Undefined"},
        {"geotextile", "1.2", IDC_SP_GEOTEXTILE,
         {IDC_SP_GROUP_GEO_SUBGRADE, IDC_SP_GROUP_GEOTEXTILE, IDC_SP_GROUP_CHOICES, IDC_SP_GROUP_CRITERIA,
          IDC_SP_VERDICT_1, IDC_SP_VERDICT_2, IDC_SP_VERDICT_3, IDC_SP_GEO_CRITERION_AOS, IDC_SP_GEO_CRITERION_CU,
          IDC_SP_GEO_CRITERION_K, IDC_SP_CHECK, IDC_SP_SIEVE_GEO_SUBGRADE, IDC_SP_RECOMMENDATION,
          IDC_SP_LABEL_RECOMMENDATION, IDC_SP_CALC_AOS, IDC_SP_CALC_TMAX, IDC_SP_STEADY, IDC_SP_CLOGGING_CRITICAL},
         {IDC_SP_GROUP_BASE, IDC_SP_GROUP_SUBGRADE, IDC_SP_GROUP_AGGREGATE, IDC_SP_VERDICT_4, IDC_SP_VERDICT_5,
          IDC_SP_CRITERION_1, IDC_SP_CRITERION_2, IDC_SP_CRITERION_3, IDC_SP_GEO_CRITERION_K10,
          IDC_SP_GEO_CRITERION_KMIN, IDC_SP_PLOT, IDC_SP_SIEVE_BASE, IDC_SP_SIEVE_SUBGRADE},
         0, 0, "Separator - Geotextile"},
        {"none", "1.2", IDC_SP_NONE,
         {IDC_SP_GROUP_BASE, IDC_SP_GROUP_SUBGRADE, IDC_SP_GROUP_CRITERIA_NONE, IDC_SP_VERDICT_1, IDC_SP_VERDICT_2,
          IDC_SP_CHECK, IDC_SP_PLOT, IDC_SP_SIEVE_BASE, IDC_SP_SIEVE_SUBGRADE},
         {IDC_SP_GROUP_AGGREGATE, IDC_SP_GROUP_CRITERIA, IDC_SP_GROUP_GEOTEXTILE, IDC_SP_VERDICT_3,
          IDC_SP_CRITERION_3, IDC_SP_SIEVE_SEPARATOR, IDC_SP_SIEVE_GEO_SUBGRADE, IDC_SP_RECOMMENDATION},
         IDB_SP_NONE_BASE_D15, IDB_SP_NONE_BASE_D50, "Separator - None"},
        // A word the page never writes shows no separator.
        {"", "", IDC_SP_NONE, {IDC_SP_GROUP_CRITERIA_NONE, IDC_SP_VERDICT_2}, {IDC_SP_GROUP_CRITERIA},
         IDB_SP_NONE_BASE_D15, IDB_SP_NONE_BASE_D50, "Separator - None"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszKind) + " CC " + c.pszSeparatorCc);
        Run(
            [&](Page& page) {
                for (int nRadio : {IDC_SP_AGGREGATE, IDC_SP_GEOTEXTILE, IDC_SP_NONE})
                    EXPECT_EQ(page.Checked(nRadio), nRadio == c.nRadio) << nRadio;
                for (int nID : c.shown)
                    EXPECT_TRUE(page.Visible(nID)) << nID;
                for (int nID : c.hidden)
                    EXPECT_FALSE(page.Visible(nID)) << nID;
                if (c.nPicture1 != 0)
                {
                    const HBITMAP hFirst = page.Picture(IDC_SP_CRITERION_1);
                    const HBITMAP hSecond = page.Picture(IDC_SP_CRITERION_2);
                    EXPECT_NE(hFirst, nullptr);
                    const bool bAggregate = c.nPicture1 == IDB_SP_AGG_BASE_D15;
                    EXPECT_EQ(hFirst, bAggregate ? (HBITMAP)page.m_page.m_bmpAggregateBaseD15
                                                 : (HBITMAP)page.m_page.m_bmpNoneBaseD15);
                    EXPECT_EQ(hSecond, bAggregate ? (HBITMAP)page.m_page.m_bmpAggregateBaseD50
                                                  : (HBITMAP)page.m_page.m_bmpNoneBaseD50);
                }
                EXPECT_EQ(page.Summary(IDC_SEPARATOR_STATUS), c.pszStatus);
            },
            [&](CProjectData& data) {
                data.m_strSeparatorType = c.pszKind;
                data.m_strSeparatorCc = c.pszSeparatorCc;
                data.m_strClogging = "critical";
            });
    }
}

TEST_F(SeparatorPageTest, PicturesOfEachKindForAPerson)
{
    for (const char* pszKind : {"aggregate", "geotextile", "none"})
    {
        Run(
            [&](Page& page) {
                page.Click(IDC_SP_CHECK);
                SaveScreenPicture(page.m_dlg.GetSafeHwnd(), (std::string("separator-page-") + pszKind + ".bmp").c_str());
                EXPECT_TRUE(page.Visible(IDC_SP_CHECK));
            },
            [&](CProjectData& data) {
                if (std::string(pszKind) == "geotextile")
                    ComputedGeotextile(data);
                else
                    PassingAggregate(data);
                data.m_strSeparatorType = pszKind;
            });
    }
}

TEST_F(SeparatorPageTest, GeotextileChoicesSetTheRadiosTheRecommendationAndTheKLabel)
{
    struct Case
    {
        const char *pszRetention, *pszPermeability, *pszClogging, *pszGeotextile;
        std::vector<int> checked;
        bool bTenTimesK;
        const char* pszRecommendation;
    } cases[] = {
        {"steady", "normal", "normal", "nonwoven",
         {IDC_SP_STEADY, IDC_SP_PERMEABILITY_NORMAL, IDC_SP_CLOGGING_NORMAL, IDC_SP_NONWOVEN}, false,
         "The porosity of the geotextile should\nbe greater than 50%."},
        {"dynamic", "critical", "normal", "woven",
         {IDC_SP_DYNAMIC, IDC_SP_PERMEABILITY_CRITICAL, IDC_SP_CLOGGING_NORMAL, IDC_SP_WOVEN}, true,
         "The percent open area of the geotextile\nshould be equal to or greater than 4%."},
        {"steady", "normal", "critical", "nonwoven",
         {IDC_SP_STEADY, IDC_SP_PERMEABILITY_NORMAL, IDC_SP_CLOGGING_CRITICAL, IDC_SP_NONWOVEN}, false,
         "The gradient ratio should\nbe equal to or greater than 3.0."},
        // Any word but the expected one selects the other radio.
        {"", "", "", "", {IDC_SP_DYNAMIC, IDC_SP_PERMEABILITY_CRITICAL, IDC_SP_CLOGGING_CRITICAL, IDC_SP_WOVEN},
         true, "The gradient ratio should\nbe equal to or greater than 3.0."},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                for (int nID : c.checked)
                    EXPECT_TRUE(page.Checked(nID)) << nID;
                EXPECT_EQ(page.Text(IDC_SP_RECOMMENDATION), c.pszRecommendation);
                EXPECT_EQ(page.Visible(IDC_SP_GEO_CRITERION_K10), c.bTenTimesK);
                EXPECT_EQ(page.Visible(IDC_SP_GEO_CRITERION_K), !c.bTenTimesK);
                EXPECT_FALSE(page.Visible(IDC_SP_GEO_CRITERION_KMIN));
            },
            [&](CProjectData& data) {
                data.m_strSeparatorType = "geotextile";
                data.m_strRetention = c.pszRetention;
                data.m_strPermeabilityChoice = c.pszPermeability;
                data.m_strClogging = c.pszClogging;
                data.m_strGeotextileType = c.pszGeotextile;
            });
    }
}

TEST_F(SeparatorPageTest, UnitTextsFollowTheUnitsAndShowingThePageMarksTheDesignChanged)
{
    for (const char* pszUnits : {"metric", "english"})
    {
        Run(
            [&](Page& page) {
                const bool bMetric = std::string(pszUnits) == "metric";
                for (int nID : {IDC_SP_UNIT_BASE_D15, IDC_SP_UNIT_SUB_D85, IDC_SP_UNIT_SEP_D12, IDC_SP_UNIT_SEP_D85,
                                IDC_SP_UNIT_GEO_SUB_D15, IDC_SP_UNIT_GEO_SUB_D85, IDC_SP_UNIT_AOS, IDC_SP_UNIT_TMAX})
                    EXPECT_EQ(page.Text(nID), bMetric ? "mm" : "in") << nID;
                for (int nID : {IDC_SP_UNIT_KSUB, IDC_SP_UNIT_KMIN, IDC_SP_UNIT_KSEP})
                    EXPECT_EQ(page.Text(nID), bMetric ? "m/d" : "ft/d") << nID;
                EXPECT_EQ(page.Text(IDC_SP_UNIT_P200), "%");
                EXPECT_EQ(page.m_data.m_bModified, 1);
            },
            [&](CProjectData& data) {
                data.m_strUnits = pszUnits;
                data.m_bModified = 0;
            });
    }
}

// ---- Geotextile requirements ----

TEST_F(SeparatorPageTest, OpeningSizeAndLeastPermeability)
{
    struct Case
    {
        const char* pszName;
        const char *pszUnits, *pszRetention, *pszGeotextile, *pszPermeability;
        const char *pszP200, *pszCu, *pszD85, *pszK;
        const char *pszOpeningSize, *pszLeastK;
    } cases[] = {
        {"p200 not above 50: B = 0.5 Cu", "metric", "steady", "nonwoven", "normal", "50.0", "3.0000", "0.2000", "0.1",
         "3.0e-001", "1.00e-001"},
        {"p200 above 50, non-woven: B 1.8, capped to 0.3 mm", "metric", "steady", "nonwoven", "normal", "60.0",
         "3.0000", "0.5000", "0.1", "3.0e-001", "1.00e-001"},
        {"woven: B 1.0", "metric", "steady", "woven", "normal", "60.0", "3.0000", "0.2000", "0.1", "2.0e-001",
         "1.00e-001"},
        {"dynamic flow: B 0.5, no cap", "metric", "dynamic", "nonwoven", "normal", "60.0", "3.0000", "0.5000", "0.1",
         "2.5e-001", "1.00e-001"},
        {"Cu 2: B 1.0", "metric", "steady", "nonwoven", "normal", "40.0", "2.0000", "0.1000", "0.1", "1.0e-001",
         "1.00e-001"},
        {"Cu 4: B 2.0", "metric", "steady", "nonwoven", "normal", "40.0", "4.0000", "0.1000", "0.1", "2.0e-001",
         "1.00e-001"},
        {"Cu 6: B 8 / Cu", "metric", "steady", "nonwoven", "normal", "40.0", "6.0000", "0.1500", "0.1", "2.0e-001",
         "1.00e-001"},
        {"Cu 8: B 1.0", "metric", "steady", "nonwoven", "normal", "40.0", "8.0000", "0.1000", "0.1", "1.0e-001",
         "1.00e-001"},
        {"critical: k min 10 k, exactly 1.0 in the exponent form", "metric", "steady", "nonwoven", "critical",
         "40.0", "3.0000", "0.1000", "0.1", "1.5e-001", "1.00e+000"},
        {"k min above 1.0 with one decimal", "metric", "steady", "nonwoven", "critical", "40.0", "3.0000",
         "0.1000", "0.5", "1.5e-001", "5.0"},
        // English grain sizes are inches: the cap is 0.3 mm in inches.
        {"English, capped to 0.3 / 25.4 in", "english", "steady", "nonwoven", "normal", "60.0", "3.0000", "0.0200",
         "2.0", "1.2e-002", "2.0"},
        {"English below the cap", "english", "steady", "nonwoven", "normal", "60.0", "3.0000", "0.0050", "2.0",
         "9.0e-003", "2.0"},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                ASSERT_TRUE(page.Enabled(IDC_SP_CALC_AOS)) << c.pszName;
                page.Click(IDC_SP_CALC_AOS);
                EXPECT_EQ(page.m_data.m_strApparentOpeningSize, c.pszOpeningSize) << c.pszName;
                EXPECT_EQ(page.m_data.m_strSeparatorMinK, c.pszLeastK) << c.pszName;
                EXPECT_EQ(page.Text(IDC_SP_AOS), c.pszOpeningSize) << c.pszName;
                EXPECT_EQ(page.Text(IDC_SP_KMIN), c.pszLeastK) << c.pszName;
            },
            [&](CProjectData& data) {
                data.m_strUnits = c.pszUnits;
                data.m_strSeparatorType = "geotextile";
                data.m_strRetention = c.pszRetention;
                data.m_strGeotextileType = c.pszGeotextile;
                data.m_strPermeabilityChoice = c.pszPermeability;
                SetFields(data, {{&CProjectData::m_strSubgradeP200, c.pszP200}, {&CProjectData::m_strSubgradeCu, c.pszCu},
                                 {&CProjectData::m_strSubgradeD85, c.pszD85}, {&CProjectData::m_strSubgradeK, c.pszK},
                                 {&CProjectData::m_strSubgradeD15, "0.0100"}});
            });
    }
}

TEST_F(SeparatorPageTest, LargestGeotextileThickness)
{
    struct Case
    {
        const char *pszUnits, *pszK, *pszP200, *pszThickness;
    } cases[] = {
        {"metric", "86.4", "40.0", "5.000"},     // 1 mm/s, factor 5
        {"metric", "86.4", "15.0", "5.000"},     // both ends of the factor-5 range
        {"metric", "86.4", "50.0", "5.000"},
        {"metric", "86.4", "50.1", "10.000"},
        {"metric", "86.4", "14.9", "2.000"},
        {"english", "100.0", "10.0", "0.028"},   // 100 ft/d is 0.01389 in/s, factor 2
        {"metric", "0.4", "40.0", "0.023"},
        {"metric", "0.2", "10.0", "4.63e-003"},  // at most 0.01: the exponent form
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                ASSERT_TRUE(page.Enabled(IDC_SP_CALC_TMAX));
                page.Click(IDC_SP_CALC_TMAX);
                EXPECT_EQ(page.m_data.m_strGeotextileLength, c.pszThickness) << c.pszUnits << " " << c.pszP200;
                EXPECT_EQ(page.Text(IDC_SP_TMAX), c.pszThickness);
            },
            [&](CProjectData& data) {
                data.m_strUnits = c.pszUnits;
                data.m_strSeparatorType = "geotextile";
                data.m_strGeotextilePermeability = c.pszK;
                data.m_strSubgradeP200 = c.pszP200;
            });
    }
}

// ---- Criteria ----

TEST_F(SeparatorPageTest, CheckWritesTheVerdictsOfTheKind)
{
    struct Case
    {
        const char* pszName;
        std::function<void(CProjectData&)> arrange;
        const char* pszMarks;   // the five verdicts after the check
    } cases[] = {
        {"aggregate, all pass", PassingAggregate, "PPPPP"},
        // Equal sides pass a criterion that reads "<=".
        {"aggregate, base D15 exactly 5 separator D85",
         [](CProjectData& data) {
             PassingAggregate(data);
             SetFields(data, {{&CProjectData::m_strBaseD15, "10.0000"}, {&CProjectData::m_strSeparatorD85, "2.0000"}});
         },
         "PPPPP"},
        {"aggregate, D12 finer than the #200 sieve",
         [](CProjectData& data) {
             PassingAggregate(data);
             data.m_strSeparatorD12 = "0.0700";
         },
         "PPPPF"},
        {"aggregate, D12 exactly the #200 sieve",
         [](CProjectData& data) {
             PassingAggregate(data);
             data.m_strSeparatorD12 = "0.0750";
         },
         "PPPPP"},
        {"aggregate, coarse base and separator",
         [](CProjectData& data) {
             PassingAggregate(data);
             SetFields(data, {{&CProjectData::m_strBaseD15, "10.0100"}, {&CProjectData::m_strSeparatorD50, "3.0000"}});
         },
         "FPPFP"},
        {"aggregate, English D12 0.003 in",
         [](CProjectData& data) {
             PassingAggregate(data);
             data.m_strUnits = "english";
             data.m_strSeparatorD12 = "0.0030";
         },
         "PPPPP"},
        {"aggregate, English D12 0.0029 in",
         [](CProjectData& data) {
             PassingAggregate(data);
             data.m_strUnits = "english";
             data.m_strSeparatorD12 = "0.0029";
         },
         "PPPPF"},
        {"none, two verdicts",
         [](CProjectData& data) {
             PassingAggregate(data);
             data.m_strSeparatorType = "none";
             SetFields(data, {{&CProjectData::m_strBaseD15, "2.0100"}, {&CProjectData::m_strBaseD50, "2.5000"}});
         },
         "FP---"},
        {"geotextile, all pass", ComputedGeotextile, "PPP--"},
        // 3 x 0.1 is not 0.3 in binary; the sides agree to twelve digits.
        {"geotextile, AOS exactly 3 D15",
         [](CProjectData& data) {
             ComputedGeotextile(data);
             data.m_strSubgradeD15 = "0.1000";
         },
         "PPP--"},
        {"geotextile, Cu just below 3, k of the geotextile equal to the subgrade's",
         [](CProjectData& data) {
             ComputedGeotextile(data);
             SetFields(data, {{&CProjectData::m_strSubgradeCu, "2.9900"}, {&CProjectData::m_strGeotextilePermeability, "0.1"}});
         },
         "PFF--"},
        {"geotextile, critical: k above k but not above 10 k",
         [](CProjectData& data) {
             ComputedGeotextile(data);
             data.m_strPermeabilityChoice = "critical";
             data.m_strGeotextilePermeability = "1.0";
         },
         "PPF--"},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                ASSERT_TRUE(page.Enabled(IDC_SP_CHECK)) << c.pszName;
                page.Click(IDC_SP_CHECK);
                EXPECT_EQ(page.VerdictMarks(), c.pszMarks) << c.pszName;
                EXPECT_TRUE(page.m_data.m_bSeparatorChecked) << c.pszName;
                // A repaint keeps verdicts of the current data.
                page.Repaint();
                EXPECT_EQ(page.VerdictMarks(), c.pszMarks) << c.pszName;
            },
            c.arrange);
    }
}

TEST_F(SeparatorPageTest, PageAndSummaryJudgeAlike)
{
    const std::function<void(CProjectData&)> designs[] = {
        PassingAggregate,
        [](CProjectData& data) {
            PassingAggregate(data);
            SetFields(data, {{&CProjectData::m_strBaseD15, "2.5000"}, {&CProjectData::m_strSeparatorD85, "0.5000"},
                             {&CProjectData::m_strSeparatorD15, "2.0001"}, {&CProjectData::m_strSeparatorD12, "0.0749"}});
        },
        [](CProjectData& data) {
            PassingAggregate(data);
            data.m_strSeparatorType = "none";
            SetFields(data, {{&CProjectData::m_strBaseD15, "2.0000"}, {&CProjectData::m_strBaseD50, "2.5001"}});
        },
        ComputedGeotextile,
        [](CProjectData& data) {
            ComputedGeotextile(data);
            SetFields(data, {{&CProjectData::m_strApparentOpeningSize, "5.9e-002"}, {&CProjectData::m_strSubgradeCu, "3.0000"},
                             {&CProjectData::m_strGeotextilePermeability, "0.1"}});
        },
    };
    for (const auto& design : designs)
    {
        Run(
            [&](Page& page) {
                page.Click(IDC_SP_CHECK);
                page.m_dlg.EvaluateSeparatorCriteria();
                for (int i = 0; i < 5; ++i)
                {
                    const std::string strVerdict = page.Text(Verdicts[i]);
                    if (strVerdict.empty())
                        continue;
                    EXPECT_EQ(strVerdict, page.m_dlg.m_bCriterionPassed[i] ? Pass : Fail)
                        << page.m_data.m_strSeparatorType << " verdict " << i + 1;
                }
            },
            design);
    }
}

TEST_F(SeparatorPageTest, StaleVerdictsVanish)
{
    struct Case
    {
        const char* pszName;
        std::function<void(Page&)> act;
        bool bFlagAfter;
    } cases[] = {
        {"another kind", [](Page& page) { page.Click(IDC_SP_GEOTEXTILE); }, false},
        {"the same kind again", [](Page& page) { page.Click(IDC_SP_AGGREGATE); }, false},
        {"base D15 emptied", [](Page& page) { page.Type(IDC_SP_BASE_D15, ""); }, false},
        {"separator D12 changed", [](Page& page) { page.Type(IDC_SP_SEP_D12, "0.2"); }, false},
        {"base D15 left as it was", [](Page& page) { page.Type(IDC_SP_BASE_D15, "1.0000"); }, true},
        {"the same value typed otherwise", [](Page& page) { page.Type(IDC_SP_BASE_D15, "1"); }, true},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                page.Click(IDC_SP_CHECK);
                ASSERT_EQ(page.VerdictMarks(), "PPPPP");
                c.act(page);
                EXPECT_EQ(page.m_data.m_bSeparatorChecked != FALSE, c.bFlagAfter) << c.pszName;
                EXPECT_EQ(page.VerdictMarks(), c.bFlagAfter ? "PPPPP" : "-----") << c.pszName;
            },
            PassingAggregate);
    }
}

TEST_F(SeparatorPageTest, GeotextileChoicesEmptyTheRequirementsAndTheVerdicts)
{
    const int choices[] = {IDC_SP_DYNAMIC, IDC_SP_PERMEABILITY_CRITICAL, IDC_SP_CLOGGING_CRITICAL, IDC_SP_WOVEN,
                           IDC_SP_STEADY, IDC_SP_NONWOVEN, IDC_SP_LABEL_CLOGGING};
    for (int nChoice : choices)
    {
        Run(
            [&](Page& page) {
                page.Click(IDC_SP_CHECK);
                ASSERT_EQ(page.VerdictMarks(), "PPP--");
                if (nChoice == IDC_SP_LABEL_CLOGGING)
                    page.ClickLabel(nChoice);
                else
                    page.Click(nChoice);
                CProjectData& data = page.m_data;
                EXPECT_TRUE(data.m_strApparentOpeningSize.IsEmpty()) << nChoice;
                EXPECT_TRUE(data.m_strSeparatorMinK.IsEmpty()) << nChoice;
                EXPECT_EQ(data.m_strGeotextileLength, "5.000") << nChoice;
                EXPECT_EQ(page.Text(IDC_SP_AOS), "");
                EXPECT_FALSE(data.m_bSeparatorChecked);
                EXPECT_EQ(page.VerdictMarks(), "-----") << nChoice;
                EXPECT_FALSE(page.Enabled(IDC_SP_CHECK)) << nChoice;
                EXPECT_TRUE(page.Enabled(IDC_SP_CALC_AOS)) << nChoice;
            },
            ComputedGeotextile);
    }
    // The words each radio stores; the "Clogging:" label stands for "Normal".
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            page.Click(IDC_SP_DYNAMIC);
            page.Click(IDC_SP_PERMEABILITY_CRITICAL);
            page.Click(IDC_SP_CLOGGING_CRITICAL);
            page.Click(IDC_SP_WOVEN);
            EXPECT_EQ(data.m_strRetention, "dynamic");
            EXPECT_EQ(data.m_strPermeabilityChoice, "critical");
            EXPECT_EQ(data.m_strClogging, "critical");
            EXPECT_EQ(data.m_strGeotextileType, "woven");
            page.ClickLabel(IDC_SP_LABEL_CLOGGING);
            EXPECT_EQ(data.m_strClogging, "normal");
            EXPECT_TRUE(page.Checked(IDC_SP_CLOGGING_NORMAL));
            page.Click(IDC_SP_STEADY);
            page.Click(IDC_SP_PERMEABILITY_NORMAL);
            page.Click(IDC_SP_NONWOVEN);
            EXPECT_EQ(data.m_strRetention, "steady");
            EXPECT_EQ(data.m_strPermeabilityChoice, "normal");
            EXPECT_EQ(data.m_strGeotextileType, "nonwoven");
        },
        ComputedGeotextile);
}

TEST_F(SeparatorPageTest, KindRadiosStoreTheirWord)
{
    Run(
        [&](Page& page) {
            const struct { int nRadio; const char* pszKind; const char* pszStatus; } steps[] = {
                {IDC_SP_GEOTEXTILE, "geotextile", "Separator - Geotextile"},
                {IDC_SP_NONE, "none", "Separator - None"},
                {IDC_SP_AGGREGATE, "aggregate", "Separator - Aggregate"},
            };
            for (const auto& step : steps)
            {
                page.Click(step.nRadio);
                EXPECT_EQ(page.m_data.m_strSeparatorType, step.pszKind);
                EXPECT_TRUE(page.Checked(step.nRadio));
                EXPECT_EQ(page.Summary(IDC_SEPARATOR_STATUS), step.pszStatus);
            }
        },
        [](CProjectData& data) {
            PassingAggregate(data);
            data.m_strSeparatorCc = "1.1";
        });
}

// ---- Buttons ----

TEST_F(SeparatorPageTest, ButtonsNeedEveryValueTheyRead)
{
    struct Case
    {
        const char* pszKind;
        TextField missing;   // emptied from a design that has every value
        bool bCheck, bOpeningSize, bThickness;
    } cases[] = {
        {"aggregate", nullptr, true, true, true},
        {"aggregate", &CProjectData::m_strSeparatorD12, false, true, true},
        {"aggregate", &CProjectData::m_strSubgradeD50, false, true, true},
        {"none", &CProjectData::m_strSeparatorD12, true, true, true},
        {"none", &CProjectData::m_strBaseD50, false, true, true},
        {"geotextile", nullptr, true, true, true},
        {"geotextile", &CProjectData::m_strApparentOpeningSize, false, true, true},
        {"geotextile", &CProjectData::m_strSubgradeK, false, false, true},
        {"geotextile", &CProjectData::m_strSubgradeD15, false, false, true},
        {"geotextile", &CProjectData::m_strGeotextilePermeability, false, true, false},
        {"geotextile", &CProjectData::m_strSubgradeP200, false, false, false},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                EXPECT_EQ(page.Enabled(IDC_SP_CHECK), c.bCheck) << c.pszKind;
                EXPECT_EQ(page.Enabled(IDC_SP_PLOT), c.bCheck) << c.pszKind;
                EXPECT_EQ(page.Enabled(IDC_SP_CALC_AOS), c.bOpeningSize) << c.pszKind;
                EXPECT_EQ(page.Enabled(IDC_SP_CALC_TMAX), c.bThickness) << c.pszKind;
            },
            [&](CProjectData& data) {
                PassingAggregate(data);
                ComputedGeotextile(data);
                data.m_strSeparatorType = c.pszKind;
                if (c.missing != nullptr)
                    (data.*c.missing).Empty();
            });
    }
}

TEST_F(SeparatorPageTest, AnUnknownKindLeavesCheckAndPlotAsTheyWere)
{
    Run(
        [&](Page& page) {
            EXPECT_TRUE(page.Enabled(IDC_SP_CHECK));
            page.m_data.m_strSeparatorType = "gravel";
            page.m_data.m_strBaseD15.Empty();
            page.Repaint();
            EXPECT_TRUE(page.Enabled(IDC_SP_CHECK));
            EXPECT_TRUE(page.Checked(IDC_SP_NONE));
            EXPECT_EQ(page.Summary(IDC_SEPARATOR_STATUS), "Separator - None");
            // Nothing is judged either.
            page.Click(IDC_SP_CHECK);
            EXPECT_EQ(page.VerdictMarks(), "-----");
            EXPECT_FALSE(page.m_data.m_bSeparatorChecked);
        },
        PassingAggregate);
}

TEST_F(SeparatorPageTest, EnteringAnEditReadiesTheButtonsThatReadIt)
{
    struct Case
    {
        const char* pszName;
        const char* pszKind;
        int nEdit;
        TextField emptied;     // empty before the edit is entered
        std::vector<int> buttons;
        bool bReady;
    } cases[] = {
        {"its own field empty", "aggregate", IDC_SP_BASE_D15, &CProjectData::m_strBaseD15,
         {IDC_SP_CHECK, IDC_SP_PLOT}, true},
        {"another field empty", "aggregate", IDC_SP_BASE_D15, &CProjectData::m_strSeparatorD85,
         {IDC_SP_CHECK, IDC_SP_PLOT}, false},
        {"no separator needs no separator sizes", "none", IDC_SP_SUB_D85, &CProjectData::m_strSubgradeD85,
         {IDC_SP_CHECK, IDC_SP_PLOT}, true},
        {"separator sizes by the aggregate rule", "aggregate", IDC_SP_SEP_D12, &CProjectData::m_strSeparatorD12,
         {IDC_SP_CHECK, IDC_SP_PLOT}, true},
        {"p200 readies both geotextile computations", "geotextile", IDC_SP_P200, &CProjectData::m_strSubgradeP200,
         {IDC_SP_CALC_AOS, IDC_SP_CALC_TMAX}, true},
        {"k of the subgrade", "geotextile", IDC_SP_KSUB, &CProjectData::m_strSubgradeK, {IDC_SP_CALC_AOS}, true},
        {"Cu with D15 missing", "geotextile", IDC_SP_CU, &CProjectData::m_strSubgradeD15, {IDC_SP_CALC_AOS}, false},
        {"k of the geotextile", "geotextile", IDC_SP_KSEP, &CProjectData::m_strGeotextilePermeability,
         {IDC_SP_CALC_TMAX}, true},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                for (int nButton : c.buttons)
                    EXPECT_FALSE(page.Enabled(nButton)) << c.pszName;
                page.Enter(c.nEdit);
                for (int nButton : c.buttons)
                    EXPECT_EQ(page.Enabled(nButton), c.bReady) << c.pszName << " " << nButton;
            },
            [&](CProjectData& data) {
                PassingAggregate(data);
                ComputedGeotextile(data);
                data.m_strSeparatorType = c.pszKind;
                (data.*c.emptied).Empty();
                if (c.emptied != &CProjectData::m_strSubgradeP200 && c.emptied != &CProjectData::m_strGeotextilePermeability)
                    data.m_strApparentOpeningSize.Empty();   // the check of a geotextile waits for the computation
            });
    }
}

// ---- Store handlers ----

TEST_F(SeparatorPageTest, TypedValuesAreStoredInTheirFormat)
{
    struct Case
    {
        const char* pszKind;
        int nEdit;
        TextField field;
        const char* pszTyped;
        const char* pszStored;
    } cases[] = {
        {"aggregate", IDC_SP_BASE_D15, &CProjectData::m_strBaseD15, "0.0005", "5.00e-004"},
        {"aggregate", IDC_SP_BASE_D15, &CProjectData::m_strBaseD15, "0.001", "0.0010"},
        {"aggregate", IDC_SP_SEP_D85, &CProjectData::m_strSeparatorD85, "12.34567", "12.3457"},
        {"aggregate", IDC_SP_SUB_D50, &CProjectData::m_strSubgradeD50, "abc", "0.00e+000"},
        {"geotextile", IDC_SP_P200, &CProjectData::m_strSubgradeP200, "12.34", "12.3"},
        {"geotextile", IDC_SP_P200, &CProjectData::m_strSubgradeP200, "0.05", "5.00e-002"},
        {"geotextile", IDC_SP_KSUB, &CProjectData::m_strSubgradeK, "0.1", "0.1"},
        {"geotextile", IDC_SP_KSUB, &CProjectData::m_strSubgradeK, "0.00035", "3.50e-004"},
        {"geotextile", IDC_SP_CU, &CProjectData::m_strSubgradeCu, "3", "3.0000"},
        {"geotextile", IDC_SP_GEO_SUB_D15, &CProjectData::m_strSubgradeD15, "0.0009", "9.00e-004"},
        {"geotextile", IDC_SP_KSEP, &CProjectData::m_strGeotextilePermeability, "0.09", "9.00e-002"},
        {"geotextile", IDC_SP_KSEP, &CProjectData::m_strGeotextilePermeability, "150", "150.0"},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                page.Type(c.nEdit, c.pszTyped);
                EXPECT_EQ(page.m_data.*c.field, c.pszStored) << c.pszTyped;
                EXPECT_EQ(page.Text(c.nEdit), c.pszStored) << c.pszTyped;
            },
            [&](CProjectData& data) {
                data.m_strSeparatorType = c.pszKind;
                data.m_strMode = "expert";
            });
    }
}

TEST_F(SeparatorPageTest, TypedSubgradeAndGeotextileValuesEmptyWhatHangsOnThem)
{
    using Fields = std::vector<TextField>;
    const TextField AOS = &CProjectData::m_strApparentOpeningSize;
    const TextField KMin = &CProjectData::m_strSeparatorMinK;
    const TextField TMax = &CProjectData::m_strGeotextileLength;
    const TextField KSep = &CProjectData::m_strGeotextilePermeability;
    struct Case
    {
        int nEdit;
        const char* pszTyped;
        Fields emptied;
        Fields kept;
    } cases[] = {
        {IDC_SP_P200, "60", {AOS, KMin, TMax}, {KSep}},
        {IDC_SP_P200, "", {AOS, KMin, TMax, &CProjectData::m_strSubgradeP200}, {KSep}},
        {IDC_SP_KSUB, "0.2", {AOS, KMin, TMax, KSep}, {}},
        {IDC_SP_KSUB, "", {AOS, KMin, TMax}, {KSep}},
        {IDC_SP_CU, "5", {AOS, KMin, TMax, KSep}, {}},
        {IDC_SP_GEO_SUB_D15, "0.03", {AOS, KMin, TMax, KSep}, {}},
        {IDC_SP_GEO_SUB_D85, "0.3", {AOS, KMin, TMax, KSep}, {}},
        {IDC_SP_GEO_SUB_D85, "", {AOS, KMin, TMax}, {KSep}},
        {IDC_SP_KSEP, "100", {TMax}, {AOS, KMin}},
        {IDC_SP_KSEP, "", {TMax, KSep}, {AOS, KMin}},
        // The subgrade's D85 typed on the aggregate layout: the opening size computed from it goes.
        {IDC_SP_SUB_D85, "0.3", {AOS}, {KMin, TMax, KSep}},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                page.Click(IDC_SP_CHECK);
                ASSERT_TRUE(page.m_data.m_bSeparatorChecked);
                page.Type(c.nEdit, c.pszTyped);
                for (TextField field : c.emptied)
                    EXPECT_TRUE((page.m_data.*field).IsEmpty()) << c.nEdit << " '" << c.pszTyped << "'";
                for (TextField field : c.kept)
                    EXPECT_FALSE((page.m_data.*field).IsEmpty()) << c.nEdit << " '" << c.pszTyped << "'";
                EXPECT_FALSE(page.m_data.m_bSeparatorChecked) << c.nEdit;
                EXPECT_EQ(page.VerdictMarks(), "-----") << c.nEdit;
            },
            [](CProjectData& data) {
                PassingAggregate(data);
                ComputedGeotextile(data);
                data.m_strMode = "expert";
            });
    }
}

TEST_F(SeparatorPageTest, SieveAnalysisAdviceForTypedSubgradeValuesInNormalMode)
{
    struct Case
    {
        const char* pszMode;
        int nEdit;
        std::vector<const char*> typed;   // one after the other
        size_t nAdvice;
    } cases[] = {
        {"normal", IDC_SP_CU, {"3", "3.0000", "3", "4"}, 2},
        {"normal", IDC_SP_P200, {"45"}, 1},
        {"normal", IDC_SP_GEO_SUB_D15, {"0.03"}, 1},
        {"normal", IDC_SP_GEO_SUB_D85, {"0.25"}, 1},
        {"normal", IDC_SP_CU, {""}, 0},
        {"normal", IDC_SP_KSUB, {"0.5"}, 0},
        {"normal", IDC_SP_KSEP, {"50"}, 0},
        {"expert", IDC_SP_CU, {"3", "4"}, 0},
    };
    for (const Case& c : cases)
    {
        m_messages.calls.clear();
        Run(
            [&](Page& page) {
                for (const char* pszTyped : c.typed)
                    page.Type(c.nEdit, pszTyped);
            },
            [&](CProjectData& data) {
                ComputedGeotextile(data);
                data.m_strSubgradeCu = "2.0000";
                data.m_strMode = c.pszMode;
            });
        ASSERT_EQ(m_messages.calls.size(), c.nAdvice) << c.pszMode << " " << c.nEdit;
        for (const auto& call : m_messages.calls)
        {
            EXPECT_EQ(call.text, "Consider setting grain size distribution parameters with Sieve Analysis.");
            EXPECT_EQ(call.nType, static_cast<UINT>(MB_OKCANCEL));
        }
    }
}

TEST_F(SeparatorPageTest, ARepaintKeepsTheTextBeingTypedAndLeavingTheEditOrThePageStoresIt)
{
    Run(
        [&](Page& page) {
            const HWND hEdit = page.Item(IDC_SP_BASE_D15);
            ::SetFocus(hEdit);
            ASSERT_EQ(::GetFocus(), hEdit);
            ::SetWindowTextA(hEdit, "0.75");
            ::SendMessageA(hEdit, EM_SETMODIFY, TRUE, 0);
            page.Repaint();
            EXPECT_EQ(page.Text(IDC_SP_BASE_D15), "0.75");
            EXPECT_EQ(page.m_data.m_strBaseD15, "1.0000");

            // Tabbing on stores it and shows its stored form.
            ::SetFocus(page.Item(IDC_SP_BASE_D50));
            EXPECT_EQ(page.m_data.m_strBaseD15, "0.7500");
            EXPECT_EQ(page.Text(IDC_SP_BASE_D15), "0.7500");

            const HWND hOther = page.Item(IDC_SP_BASE_D50);
            ::SetWindowTextA(hOther, "6");
            ::SendMessageA(hOther, EM_SETMODIFY, TRUE, 0);
            page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
            EXPECT_EQ(page.m_data.m_strBaseD50, "6.0000");
        },
        PassingAggregate);
}

TEST_F(SeparatorPageTest, AChangeOfUnitsShowsTheConvertedValuesAndLeavesThemAsConverted)
{
    Run(
        [&](Page& page) {
            page.m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_UNITS_METRIC, 0), 0);
            PumpMessages();
            const CProjectData& data = page.m_data;
            ASSERT_EQ(data.m_strUnits, "metric");
            EXPECT_NE(data.m_strBaseD15, "1.0000");
            EXPECT_EQ(page.Text(IDC_SP_BASE_D15), static_cast<LPCTSTR>(data.m_strBaseD15));
            EXPECT_EQ(page.Text(IDC_SP_SEP_D85), static_cast<LPCTSTR>(data.m_strSeparatorD85));
            EXPECT_EQ(page.Text(IDC_SP_UNIT_BASE_D15), "mm");
            // Leaving an edit stores nothing of the old units.
            const CString strConverted = data.m_strBaseD15;
            page.Leave(IDC_SP_BASE_D15);
            EXPECT_EQ(data.m_strBaseD15, strConverted);
        },
        [](CProjectData& data) {
            PassingAggregate(data);
            data.m_strUnits = "english";
        });
}

// ---- Links, help ----

TEST_F(SeparatorPageTest, SieveButtonsShowTheSieveAnalysisOfTheirLayer)
{
    struct Case
    {
        const char* pszKind;
        int nButton;
        const char* pszLayer;
    } cases[] = {
        {"aggregate", IDC_SP_SIEVE_BASE, "base"},
        {"aggregate", IDC_SP_SIEVE_SUBGRADE, "subgrade"},
        {"aggregate", IDC_SP_SIEVE_SEPARATOR, "seperator"},
        {"geotextile", IDC_SP_SIEVE_GEO_SUBGRADE, "subgrade"},
    };
    for (const Case& c : cases)
    {
        Run(
            [&](Page& page) {
                page.Click(c.nButton);
                EXPECT_EQ(page.m_data.m_strSieveLayer, c.pszLayer);
                EXPECT_EQ(page.m_dlg.m_pSheet->GetActiveIndex(), CQuarrowDlg::PageSieveAnalysis);
                EXPECT_EQ(page.m_data.m_nFocusControl, 0);
            },
            [&](CProjectData& data) {
                data.m_strSeparatorType = c.pszKind;
                data.m_nFocusControl = 1151;
            });
    }
}

TEST_F(SeparatorPageTest, HelpTopicByKindAndContextHelp)
{
    const struct { const char* pszKind; const char* pszTopic; } topics[] = {
        {"none", "separator_none.htm"},
        {"aggregate", "separator_aggregate.htm"},
        {"geotextile", "separator_geotextile.htm"},
        {"", "separator_geotextile.htm"},
    };
    for (const auto& topic : topics)
    {
        m_help.calls.clear();
        Run(
            [&](Page& page) {
                SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
            },
            [&](CProjectData& data) { data.m_strSeparatorType = topic.pszKind; });
        ASSERT_EQ(m_help.calls.size(), 1u);
        EXPECT_EQ(m_help.calls[0].file, std::string("C:\\Quarrow\\quarrow.chm::/") + topic.pszTopic);
        EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    }

    m_help.calls.clear();
    HWND hCheck = nullptr;
    Run([&](Page& page) {
        hCheck = page.Item(IDC_SP_CHECK);
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hCheck), MAKELPARAM(10, 10));
    });
    ASSERT_EQ(m_help.calls.size(), 1u);
    const CRecordingHtmlHelp::Call& popup = m_help.calls[0];
    EXPECT_EQ(popup.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_EQ(popup.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(popup.hWndCaller, hCheck);
    ASSERT_EQ(popup.idPairs.size(), 2u * 51);
    auto helpIdOf = [&](DWORD nID) { return PopupHelpId(popup, nID); };
    const std::pair<DWORD, DWORD> expected[] = {
        {1295, 1500}, {1319, 1504}, {1336, 1516}, {1343, 1521}, {1163, 1525}, {1288, 1534},
        {1366, 1538}, {1362, 1543}, {1387, 1545}, {1355, 1355}, {1363, 1363},
    };
    for (const auto& [nControl, nTopic] : expected)
        EXPECT_EQ(helpIdOf(nControl), nTopic) << nControl;
}

// ---- Plot ----

class SeparatorPlotTest : public SeparatorPageTest
{
protected:
    SeparatorPlotTest() { m_bMadeFolder = ::CreateDirectoryA(InstallDir, nullptr) != FALSE; }
    ~SeparatorPlotTest() override
    {
        ::DeleteFileA(PlotPath);
        if (m_bMadeFolder)
            ::RemoveDirectoryA(InstallDir);
    }

    static constexpr const char* PlotPath = "C:\\Quarrow\\plot.tmp";
    bool m_bMadeFolder = false;
    CRecordingProcessSeam m_processes;
    CScopedProcessSeam m_scopedProcesses{&m_processes};
};

TEST_F(SeparatorPlotTest, AggregateMetricPlotWritesFiveListsAndStartsFennick)
{
    Run(
        [&](Page& page) {
            ASSERT_TRUE(page.Visible(IDC_SP_PLOT));
            ASSERT_TRUE(page.Enabled(IDC_SP_PLOT));
            page.Click(IDC_SP_PLOT);
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strSeparatorType = "aggregate";
            SetSeparatorGradations(data);
            SetFields(data, {{&CProjectData::m_strBaseD15, "0.4250"}, {&CProjectData::m_strBaseD50, "6.1348"},
                             {&CProjectData::m_strSubgradeD50, "0.0800"}, {&CProjectData::m_strSubgradeD85, "1.1000"},
                             {&CProjectData::m_strSeparatorD12, "0.0750"}, {&CProjectData::m_strSeparatorD15, "0.3000"},
                             {&CProjectData::m_strSeparatorD50, "3.0000"}, {&CProjectData::m_strSeparatorD85, "9.0000"}});
        });
    const std::string bytes = ReadBytes(PlotPath);
    EXPECT_EQ(bytes, GoldenText(IDR_GOLDEN_SEPARATOR_AGGREGATE_METRIC));
    // Header, the lower bound from 0.2 x base D15, the captions.
    const std::vector<std::string> lines = Lines(bytes);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "6 0 1 0 0");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"Base A", "Subgrade B", "Separator C", "Lower bound", "Upper bound"}));
    ASSERT_EQ(m_processes.starts.size(), 1u);
    EXPECT_EQ(m_processes.starts[0].applicationName, "C:\\Quarrow\\fennick.exe");
}

TEST_F(SeparatorPlotTest, NoSeparatorOnTheLogScaleInInches)
{
    Run(
        [&](Page& page) {
            ASSERT_TRUE(page.Enabled(IDC_SP_PLOT));
            page.Click(IDC_SP_PLOT);
        },
        [](CProjectData& data) {
            data.m_strSeparatorType = "none";
            data.m_strPlotScale = "log";
            SetSeparatorGradations(data);
            SetFields(data, {{&CProjectData::m_strBaseD15, "0.0167"}, {&CProjectData::m_strBaseD50, "0.2415"},
                             {&CProjectData::m_strSubgradeD50, "0.0030"}, {&CProjectData::m_strSubgradeD85, "0.0600"}});
        });
    EXPECT_EQ(ReadBytes(PlotPath), "5 0 0 1 0\r\n"
                                   "0.00295 5\r\n0.0167 15\r\n0.0929 30\r\n0.187 45\r\n0.375 60\r\n0.75 85\r\n1 100\r\n"
                                   "0 0\r\n"
                                   "3.9e-05 2\r\n0.000787 10\r\n0.00295 35\r\n0.0167 70\r\n0.07433 88\r\n0.187 100\r\n"
                                   "0 0\r\n"
                                   "0.3 15\r\n0.075 50\r\n"
                                   "0 0\r\n"
                                   "Base A\r\nSubgrade B\r\nUpper bound\r\n");
    EXPECT_EQ(m_processes.starts.size(), 1u);
}

} // namespace
