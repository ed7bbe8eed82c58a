// The inflow page inside the real main dialog on the virtual display: both methods, the meltwater
// inputs, the dialogs it runs, warnings, links, units and help.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "grid/core/AppData.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/HeaveDlg.h"
#include "quarrow/pages/Inflow.h"
#include "quarrow/pages/MeltwaterDlg.h"
#include "quarrow/pages/Roadway.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

// The inflow page of a running main dialog, driven as the engineer would.
class Page : public PageDriver<CInflow>
{
public:
    explicit Page(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pInflowPage) {}

    void ClickPicture(int nID) { Notify(nID, STN_CLICKED); }
    // The next message for the page goes through its pre-translation.
    void NextMessage()
    {
        ::PostMessageA(Item(IDC_IN_QI), WM_NULL, 0, 0);
        PumpMessages();
    }
    // The sheet shows the page again.
    void Activate()
    {
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageInflow);
    }
};

class InflowPageTest : public MainDialogPageTest
{
protected:
    InflowPageTest() { GXStartLibrary(); }

    // Runs body on the inflow page of a main dialog whose record prepare has set up.
    void Run(const std::function<void(Page&)>& body, const std::function<void(CProjectData&)>& prepare = {})
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            if (prepare)
                prepare(*dlg.m_pProjectData);
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageInflow);
            ASSERT_NE(dlg.m_pInflowPage->GetSafeHwnd(), nullptr);
            Page page(dlg);
            body(page);
        });
    }
};

void Units(CProjectData& data, const char* pszUnits)
{
    data.m_strUnits = pszUnits;
}

// Meltwater included, with q_i, q_m and their total.
void MeltwaterInflows(CProjectData& data)
{
    data.m_strMeltwater = "yes";
    data.m_strInfiltrationRate = "0.92";
    data.m_strMeltwaterFlow = "0.25";
    data.m_strTotalInflow = "1.17";
}

// ---- Infiltration ratio method ----

TEST_F(InflowPageTest, RatioMethodComputesTheInfiltrationRate)
{
    struct Case
    {
        const char* pszUnits;
        const char* pszRainfall;
        const char* pszInflow;
    } cases[] = {
        {"english", "2", "2."},
        {"metric", "50.8", "7.056e-006"},
    };
    for (const Case& c : cases) {
        Run(
            [&](Page& page) {
                page.Click(IDC_IN_RATIO);
                EXPECT_EQ(page.m_data.m_strInfiltrationMethod, "ratio");
                EXPECT_TRUE(page.Visible(IDC_IN_R));
                EXPECT_FALSE(page.Visible(IDC_IN_IC));
                ::ShowWindow(page.Item(IDC_IN_C), SW_SHOW);
                page.Type(IDC_IN_C, "0.5");
                page.Type(IDC_IN_R, c.pszRainfall);
                ASSERT_TRUE(page.Enabled(IDC_IN_CALC_QI));
                page.Click(IDC_IN_CALC_QI);
                EXPECT_EQ(page.m_data.m_strInfiltrationRate, c.pszInflow) << c.pszUnits;
                EXPECT_EQ(page.Text(IDC_IN_QI), c.pszInflow);
                EXPECT_EQ(page.Summary(IDC_INFILTRATION_RATE), c.pszInflow);
            },
            [&](CProjectData& data) { Units(data, c.pszUnits); });
    }
}

TEST_F(InflowPageTest, TheMeanButtonSetsTheTypicalRatioOfThePavement)
{
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            EXPECT_TRUE(page.Checked(IDC_IN_RATIO));
            page.Click(IDC_IN_ACC);
            EXPECT_EQ(data.m_strConcrete, "ACC");
            EXPECT_EQ(page.Text(IDC_IN_NOTE_C), "Note: Appropriate values for C range from 0.33 to 0.50");
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_QI));
            data.m_strInfiltrationRate = "2.";
            data.m_strRainfallRate = "2.";
            page.Click(IDC_IN_MEAN_C);
            EXPECT_EQ(data.m_strInfiltrationRatio, "0.415");
            EXPECT_EQ(page.Text(IDC_IN_C), "0.415");
            EXPECT_TRUE(data.m_strInfiltrationRate.IsEmpty());
            EXPECT_TRUE(page.Enabled(IDC_IN_CALC_QI));

            page.Click(IDC_IN_PCC);
            EXPECT_EQ(page.Text(IDC_IN_NOTE_C), "Note: Appropriate values for C range from 0.5 to 0.67");
            EXPECT_TRUE(data.m_strInfiltrationRatio.IsEmpty());
            page.Click(IDC_IN_MEAN_C);
            EXPECT_EQ(data.m_strInfiltrationRatio, "0.585");
        },
        [](CProjectData& data) { data.m_strInfiltrationMethod = "ratio"; });
}

// Back on the ratio method, the rainfall radio buttons show the stored choice, the map it opens.
TEST_F(InflowPageTest, SwitchingToTheRatioMethodShowsTheStoredRainfallChoice)
{
    struct Case
    {
        const char* pszRain;
        int nChecked;
        int nUnchecked;
        const char* pszMap;
    } cases[] = {
        {"one", IDC_IN_RAIN_ONE, IDC_IN_RAIN_TWO, "C:\\Quarrow\\quarrow.chm::/oneyear.htm>MapPopup"},
        {"two", IDC_IN_RAIN_TWO, IDC_IN_RAIN_ONE, "C:\\Quarrow\\quarrow.chm::/twoyear.htm>MapPopup"},
    };
    for (const Case& c : cases) {
        m_help.calls.clear();
        Run(
            [&](Page& page) {
                EXPECT_TRUE(page.Checked(IDC_IN_CRACK));
                page.Click(IDC_IN_RATIO);
                EXPECT_EQ(page.m_data.m_strRain, c.pszRain);
                EXPECT_TRUE(page.Checked(c.nChecked)) << c.pszRain;
                EXPECT_FALSE(page.Checked(c.nUnchecked)) << c.pszRain;
                page.Click(IDC_IN_RAIN_MAP);
            },
            [&](CProjectData& data) {
                data.m_strInfiltrationMethod = "crack";
                data.m_strRain = c.pszRain;
            });
        ASSERT_EQ(m_help.calls.size(), 1u) << c.pszRain;
        EXPECT_EQ(m_help.calls[0].file, c.pszMap);
    }
}

// ---- Crack infiltration method ----

TEST_F(InflowPageTest, CrackMethodComputesTheInfiltrationRate)
{
    struct Case
    {
        const char* pszUnits;
        const char *pszIc, *pszNc, *pszW, *pszWc, *pszCs, *pszKp;
        const char* pszInflow;
    } cases[] = {
        {"english", "2.4", "3", "12", "24", "15", "0", "0.92"},
        // kp in m/day is turned into m/s before it joins the crack term.
        {"metric", "2.58e-06", "3", "3.6576", "7.3152", "4.572", "0.0864", "4.2448e-006"},
    };
    for (const Case& c : cases) {
        Run(
            [&](Page& page) {
                EXPECT_TRUE(page.Checked(IDC_IN_CRACK));
                EXPECT_TRUE(page.Visible(IDC_IN_IC));
                EXPECT_FALSE(page.Visible(IDC_IN_R));
                EXPECT_TRUE(page.Visible(IDC_IN_QI));
                const struct { int nID; const char* pszText; } inputs[] = {
                    {IDC_IN_IC, c.pszIc}, {IDC_IN_NC, c.pszNc}, {IDC_IN_W, c.pszW},
                    {IDC_IN_WC, c.pszWc}, {IDC_IN_CS, c.pszCs}, {IDC_IN_KP, c.pszKp},
                };
                for (const auto& input : inputs)
                    page.Type(input.nID, input.pszText);
                ASSERT_TRUE(page.Enabled(IDC_IN_CALC_QI));
                page.Click(IDC_IN_CALC_QI);
                EXPECT_EQ(page.m_data.m_strInfiltrationRate, c.pszInflow) << c.pszUnits;
                EXPECT_EQ(page.Summary(IDC_INFILTRATION_RATE), c.pszInflow);
            },
            [&](CProjectData& data) {
                Units(data, c.pszUnits);
                data.m_strMode = "expert";
            });
    }
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(InflowPageTest, AZeroSpacingIsRefusedAndKeepsTheRate)
{
    Run(
        [&](Page& page) {
            ASSERT_TRUE(page.Enabled(IDC_IN_CALC_QI));
            page.Click(IDC_IN_CALC_QI);
            EXPECT_EQ(page.m_data.m_strInfiltrationRate, "0.92");
        },
        [](CProjectData& data) {
            data.m_strCrackInfiltrationRate = "2.4";
            data.m_strLongitudinalCracks = "3.";
            data.m_strBaseWidth = "12.";
            data.m_strTransverseCrackLength = "24.";
            data.m_strTransverseCrackSpacing = "0.";
            data.m_strPavementK = "0";
            data.m_strInfiltrationRate = "0.92";
        });
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "W or Cs must not be set equal to zero");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(InflowPageTest, ActivationFillsTheDefaultCrackInfiltrationRate)
{
    struct Case
    {
        const char* pszUnits;
        const char* pszRate;
    } cases[] = {{"english", "2.4"}, {"metric", "2.58e-06"}};
    for (const Case& c : cases) {
        Run([&](Page& page) { EXPECT_EQ(page.Text(IDC_IN_IC), c.pszRate); },
            [&](CProjectData& data) {
                Units(data, c.pszUnits);
                data.m_strCrackInfiltrationRate.Empty();
            });
    }
    Run([&](Page& page) { EXPECT_EQ(page.m_data.m_strCrackInfiltrationRate, "1.5"); },
        [](CProjectData& data) { data.m_strCrackInfiltrationRate = "1.5"; });
}

// ---- Typed values, what they clear, and the warnings ----

TEST_F(InflowPageTest, TypedMeltwaterInflowKeepsTwoDecimalsOrAnExponent)
{
    struct Case
    {
        const char* pszTyped;
        const char* pszStored;
    } cases[] = {{"0.005", "5.00e-003"}, {"0.25", "0.25"}, {"0.01", "0.01"}, {"1.234", "1.23"}, {"abc", "0.00e+000"}};
    Run(
        [&](Page& page) {
            for (const Case& c : cases) {
                page.Type(IDC_IN_QM, c.pszTyped);
                EXPECT_EQ(page.m_data.m_strMeltwaterFlow, c.pszStored) << c.pszTyped;
                EXPECT_EQ(page.Text(IDC_IN_QM), c.pszStored) << c.pszTyped;
                EXPECT_EQ(page.Summary(IDC_MELTWATER_FLOW), c.pszStored) << c.pszTyped;
            }
        },
        [](CProjectData& data) { data.m_strMeltwater = "yes"; });
}

TEST_F(InflowPageTest, TheTotalInflowFollowsQiAndQm)
{
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            page.Type(IDC_IN_QM, "0.25");
            EXPECT_TRUE(data.m_strTotalInflow.IsEmpty()) << "q_i is not set yet";
            page.Click(IDC_IN_CALC_QI);
            EXPECT_EQ(data.m_strInfiltrationRate, "0.92");
            EXPECT_EQ(data.m_strTotalInflow, "1.17");
            EXPECT_TRUE(data.m_strBaseMinThickness.IsEmpty());

            data.m_strBaseMinThickness = "0.5";
            page.Type(IDC_IN_QI, "1");
            EXPECT_EQ(data.m_strInfiltrationRate, "1.");
            EXPECT_EQ(data.m_strTotalInflow, "1.25");
            EXPECT_TRUE(data.m_strBaseMinThickness.IsEmpty());

            // A changed input clears q_i, and the total goes with it.
            page.Type(IDC_IN_NC, "4");
            EXPECT_TRUE(data.m_strInfiltrationRate.IsEmpty());
            EXPECT_TRUE(data.m_strTotalInflow.IsEmpty());
        },
        [](CProjectData& data) {
            data.m_strMeltwater = "yes";
            data.m_strCrackInfiltrationRate = "2.4";
            data.m_strLongitudinalCracks = "3.";
            data.m_strBaseWidth = "12.";
            data.m_strTransverseCrackLength = "24.";
            data.m_strTransverseCrackSpacing = "15.";
            data.m_strPavementK = "0";
        });
    // Without meltwater the total is not in use, but no total of an old q_i stays behind for the
    // day meltwater is included again.
    Run(
        [&](Page& page) {
            page.Type(IDC_IN_QI, "1");
            EXPECT_EQ(page.m_data.m_strInfiltrationRate, "1.");
            EXPECT_TRUE(page.m_data.m_strTotalInflow.IsEmpty());
            page.Click(IDC_IN_MELTWATER);
            EXPECT_EQ(page.m_data.m_strTotalInflow, "1.25");
        },
        [](CProjectData& data) {
            data.m_strMeltwater = "no";
            data.m_strTotalInflow = "9.";
            data.m_strMeltwaterFlow = "0.25";
        });
}

TEST_F(InflowPageTest, ATypedInflowWarnsInNormalModeOnly)
{
    for (const char* pszMode : {"normal", "expert"}) {
        m_messages.calls.clear();
        Run(
            [&](Page& page) {
                page.Type(IDC_IN_QI, "0.5");
                EXPECT_EQ(page.m_data.m_strInfiltrationRate, "0.5");
                EXPECT_TRUE(page.m_page.m_warning.IsPending()) << "queued in any mode";
                page.NextMessage();
                page.NextMessage();
                EXPECT_FALSE(page.m_page.m_warning.IsPending());
            },
            [&](CProjectData& data) { data.m_strMode = pszMode; });
        if (std::string(pszMode) == "expert") {
            EXPECT_TRUE(m_messages.calls.empty());
            continue;
        }
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text,
                  "It is recommended that the value for qi be calcultated from using the Crack Infiltration or the "
                  "Infiltration Ratio method.");
        EXPECT_EQ(m_messages.calls[0].caption, "Warning");
        EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(InflowPageTest, TypedWidthAndJointLengthWarnOnceInNormalMode)
{
    struct Case
    {
        int nID;
        const char* pszWarning;
    } cases[] = {
        {IDC_IN_W, "Width of drainage layer should be calculated from parameter b and c\nunder roadway "
                   "geometry.Manually edit at your own risk."},
        {IDC_IN_WC, "The default Wc is determined from parameter b and c\nunder roadway geometry.Manually edit at "
                    "your own risk."},
    };
    for (const Case& c : cases) {
        for (const char* pszMode : {"normal", "expert"}) {
            m_messages.calls.clear();
            Run(
                [&](Page& page) {
                    page.Type(c.nID, "10");
                    page.NextMessage();
                    page.NextMessage();
                    if (c.nID == IDC_IN_W) {
                        EXPECT_TRUE(page.m_data.m_strGeometryCoefficientC.IsEmpty());
                        EXPECT_TRUE(page.m_data.m_strResultantLength.IsEmpty());
                        EXPECT_EQ(page.m_data.m_strBaseWidth, "10.");
                    }
                },
                [&](CProjectData& data) {
                    data.m_strMode = pszMode;
                    data.m_strGeometryCoefficientC = "2.";
                    data.m_strResultantLength = "8.41";
                });
            if (std::string(pszMode) == "expert") {
                EXPECT_TRUE(m_messages.calls.empty()) << c.nID;
                continue;
            }
            ASSERT_EQ(m_messages.calls.size(), 1u) << c.nID;
            EXPECT_EQ(m_messages.calls[0].text, c.pszWarning);
        }
    }
}

TEST_F(InflowPageTest, LeavingAnEditClearsWhatDependsOnIt)
{
    struct Case
    {
        const char* pszName;
        int nID;
        const char* pszTyped;
        // Fields expected empty afterwards, by letter: i(q_i) C R I(Ic) N(Nc) L(Wc) W S(Cs) k(kp) h(heave)
        // u(k_sub) g(gamma_s) b(gamma_b) s(Hs) B(Hb) o(sigma) m(q_m) c(coefficient c) r(Lr).
        const char* pszCleared;
    } cases[] = {
        {"R unchanged", IDC_IN_R, "2.", "i"},
        {"R erased", IDC_IN_R, "", "iR"},
        {"C changed", IDC_IN_C, "0.4", "i"},
        {"C erased", IDC_IN_C, "", "iC"},
        {"Ic changed", IDC_IN_IC, "3", "i"},
        {"Ic unchanged", IDC_IN_IC, "2.4", ""},
        {"Nc erased", IDC_IN_NC, "", "iN"},
        {"Cs changed", IDC_IN_CS, "20", "i"},
        {"kp erased", IDC_IN_KP, "", "ik"},
        {"Wc erased", IDC_IN_WC, "", "iL"},
        {"W changed", IDC_IN_W, "11", "icr"},
        {"W erased", IDC_IN_W, "", "iWcr"},
        {"heave changed", IDC_IN_HEAVE, "3", "m"},
        {"heave erased", IDC_IN_HEAVE, "", "mho"},
        {"k_sub erased", IDC_IN_KSUB, "", "mu"},
        {"gamma_s changed", IDC_IN_GAMMA_S, "140", "om"},
        {"Hb erased", IDC_IN_HB, "", "omB"},
        {"sigma changed", IDC_IN_LOAD, "100", "m"},
        {"sigma erased", IDC_IN_LOAD, "", "mo"},
        {"q_m erased", IDC_IN_QM, "", "m"},
        {"q_m unchanged", IDC_IN_QM, "0.25", ""},
    };
    Run([&](Page& page) {
        for (const Case& c : cases) {
            CProjectData& data = page.m_data;
            data.m_strMeltwater = "yes";
            data.m_strInfiltrationRate = "0.92";
            data.m_strInfiltrationRatio = "0.5";
            data.m_strRainfallRate = "2.";
            data.m_strCrackInfiltrationRate = "2.4";
            data.m_strLongitudinalCracks = "3.";
            data.m_strTransverseCrackLength = "24.";
            data.m_strBaseWidth = "12.";
            data.m_strTransverseCrackSpacing = "15.";
            data.m_strPavementK = "0";
            data.m_strHeaveRate = "2.";
            data.m_strSubgradeK = "4.";
            data.m_strPavementUnitWeight = "150.";
            data.m_strBaseUnitWeight = "120.";
            data.m_strPavementLayerThickness = "0.75";
            data.m_strBaseThickness = "0.5";
            data.m_strPavementLoad = "172.5";
            data.m_strMeltwaterFlow = "0.25";
            data.m_strGeometryCoefficientC = "2.";
            data.m_strResultantLength = "8.41";
            page.Activate();
            data.m_bModified = 0;

            // Both methods' edits are typed into whichever shows.
            ::ShowWindow(page.Item(c.nID), SW_SHOW);
            page.Type(c.nID, c.pszTyped);

            ExpectClearedFields(c.pszName, c.pszCleared, {
                {'i', data.m_strInfiltrationRate}, {'C', data.m_strInfiltrationRatio}, {'R', data.m_strRainfallRate},
                {'I', data.m_strCrackInfiltrationRate}, {'N', data.m_strLongitudinalCracks},
                {'L', data.m_strTransverseCrackLength}, {'W', data.m_strBaseWidth},
                {'S', data.m_strTransverseCrackSpacing}, {'k', data.m_strPavementK}, {'h', data.m_strHeaveRate},
                {'u', data.m_strSubgradeK}, {'g', data.m_strPavementUnitWeight}, {'b', data.m_strBaseUnitWeight},
                {'s', data.m_strPavementLayerThickness}, {'B', data.m_strBaseThickness},
                {'o', data.m_strPavementLoad}, {'m', data.m_strMeltwaterFlow},
                {'c', data.m_strGeometryCoefficientC}, {'r', data.m_strResultantLength},
            });
            if (c.pszCleared[0] != '\0') {
                EXPECT_EQ(data.m_bModified, 1) << c.pszName;
            }
            page.NextMessage();
        }
    });
}

TEST_F(InflowPageTest, EnteringAnEditReadiesItsButton)
{
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_LOAD));
            // gamma_b, Hb and Hs are in the record: entering gamma_s readies the load button.
            page.Enter(IDC_IN_GAMMA_S);
            EXPECT_TRUE(page.Enabled(IDC_IN_CALC_LOAD));
            data.m_strBaseThickness.Empty();
            page.Enter(IDC_IN_GAMMA_S);
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_LOAD));

            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_QM));
            page.Enter(IDC_IN_LOAD);
            EXPECT_TRUE(page.Enabled(IDC_IN_CALC_QM));
            data.m_strHeaveRate.Empty();
            page.Enter(IDC_IN_KSUB);
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_QM));

            page.Enter(IDC_IN_IC);
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_QI)) << "the other crack inputs are missing";
        },
        [](CProjectData& data) {
            data.m_strMeltwater = "yes";
            data.m_strBaseUnitWeight = "120.";
            data.m_strBaseThickness = "0.5";
            data.m_strPavementLayerThickness = "0.75";
            data.m_strHeaveRate = "2.";
            data.m_strSubgradeK = "4.";
        });
}

// ---- Meltwater ----

TEST_F(InflowPageTest, TheLoadButtonComputesSigmaAndClearsQm)
{
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            ASSERT_TRUE(page.Enabled(IDC_IN_CALC_LOAD));
            EXPECT_FALSE(page.Enabled(IDC_IN_CALC_QM));
            page.Click(IDC_IN_CALC_LOAD);
            EXPECT_EQ(data.m_strPavementLoad, "172.5");
            EXPECT_TRUE(data.m_strMeltwaterFlow.IsEmpty());
            EXPECT_TRUE(page.Enabled(IDC_IN_CALC_QM));
        },
        [](CProjectData& data) {
            data.m_strMeltwater = "yes";
            data.m_strPavementUnitWeight = "150";
            data.m_strPavementLayerThickness = "0.75";
            data.m_strBaseUnitWeight = "120";
            data.m_strBaseThickness = "0.5";
            data.m_strHeaveRate = "2.";
            data.m_strSubgradeK = "4.";
            data.m_strMeltwaterFlow = "0.25";
        });
}

TEST_F(InflowPageTest, UntickingMeltwaterDisablesItsControlsAndKeepsQm)
{
    const int edits[] = {IDC_IN_HEAVE, IDC_IN_KSUB, IDC_IN_GAMMA_S, IDC_IN_GAMMA_B,
                         IDC_IN_HS,    IDC_IN_HB,   IDC_IN_LOAD,    IDC_IN_QM};
    const int buttons[] = {IDC_IN_CALC_HEAVE, IDC_IN_SUBGRADE_LINK, IDC_IN_CALC_LOAD, IDC_IN_CALC_QM};
    Run(
        [&](Page& page) {
            CProjectData& data = page.m_data;
            EXPECT_TRUE(page.Checked(IDC_IN_MELTWATER));
            for (int nID : edits)
                EXPECT_TRUE(page.Enabled(nID)) << nID;
            page.Click(IDC_IN_MELTWATER);
            EXPECT_EQ(data.m_strMeltwater, "no");
            for (int nID : edits)
                EXPECT_FALSE(page.Enabled(nID)) << nID;
            for (int nID : buttons)
                EXPECT_FALSE(page.Enabled(nID)) << nID;
            EXPECT_FALSE(page.Enabled(IDC_IN_MELT_GROUP));
            EXPECT_TRUE(data.m_strBaseDischargeRate.IsEmpty());
            EXPECT_TRUE(data.m_strOutletSpacing.IsEmpty());
            EXPECT_EQ(data.m_strMeltwaterFlow, "0.25");
            EXPECT_EQ(data.m_strTotalInflow, "1.17");

            // Ticked again, the total follows q_i and q_m at once.
            data.m_strInfiltrationRate = "1.";
            data.m_strBaseMinThickness = "0.4";
            page.Click(IDC_IN_MELTWATER);
            EXPECT_EQ(data.m_strMeltwater, "yes");
            EXPECT_EQ(data.m_strTotalInflow, "1.25");
            EXPECT_TRUE(data.m_strBaseMinThickness.IsEmpty());
            EXPECT_TRUE(page.Enabled(IDC_IN_CALC_HEAVE));
            EXPECT_TRUE(page.Enabled(IDC_IN_QM));
        },
        [](CProjectData& data) {
            MeltwaterInflows(data);
            data.m_strBaseDischargeRate = "1.5";
            data.m_strOutletSpacing = "250";
        });
}

TEST_F(InflowPageTest, TheHeaveDialogFillsTheHeaveRateAndTakesTheFocus)
{
    Run(
        [&](Page& page) {
            bool bShown = false;
            CFunctionModalHook hook([&](CWnd* pWnd) {
                CHeaveDlg* pHeave = dynamic_cast<CHeaveDlg*>(pWnd);
                ASSERT_NE(pHeave, nullptr);
                bShown = true;
                CHeaveGrid& grid = pHeave->m_grid;
                grid.ScrollCellInView(20, 2);
                const CPoint ptCell = grid.CalcCellRect(20, 2).CenterPoint();
                const LPARAM lPoint = MAKELPARAM(ptCell.x, ptCell.y);
                ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
                ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, lPoint);
                ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
                ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, lPoint);
                if (pHeave->m_nFlags & CWnd::WF_CONTINUEMODAL)
                    pHeave->EndDialog(IDABORT);
            });
            CScopedModalHook scopedHook(&hook);
            page.m_data.m_bModified = 0;
            page.Click(IDC_IN_CALC_HEAVE);
            ASSERT_TRUE(bShown);
            EXPECT_EQ(page.m_data.m_strHeaveRate, "20.");
            EXPECT_EQ(page.m_data.m_bModified, 1) << "the heave rate read is a change to save";
            EXPECT_EQ(page.Text(IDC_IN_HEAVE), "20.");
            EXPECT_EQ(::GetFocus(), page.Item(IDC_IN_HEAVE));
            EXPECT_EQ(page.m_data.m_nFocusControl, 0);
            EXPECT_TRUE(page.m_data.m_strMeltwaterFlow.IsEmpty()) << "q_m was read at the old heave rate";
            EXPECT_TRUE(page.m_data.m_strTotalInflow.IsEmpty()) << "the total follows q_m";
            EXPECT_EQ(page.Text(IDC_IN_QM), "");
        },
        [](CProjectData& data) {
            Units(data, "metric");
            MeltwaterInflows(data);
        });
}

TEST_F(InflowPageTest, TheHeaveDialogClosedWithoutAReadingKeepsQm)
{
    Run(
        [&](Page& page) {
            CFunctionModalHook hook([&](CWnd* pWnd) {
                ASSERT_NE(dynamic_cast<CHeaveDlg*>(pWnd), nullptr);
                if (pWnd->m_nFlags & CWnd::WF_CONTINUEMODAL)
                    static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL);
            });
            CScopedModalHook scopedHook(&hook);
            page.Click(IDC_IN_CALC_HEAVE);
            EXPECT_EQ(page.m_data.m_strHeaveRate, "12.");
            EXPECT_EQ(page.m_data.m_strMeltwaterFlow, "0.25");
            EXPECT_EQ(page.m_data.m_strTotalInflow, "1.17");
        },
        [](CProjectData& data) {
            MeltwaterInflows(data);
            data.m_strHeaveRate = "12.";
        });
}

TEST_F(InflowPageTest, TheMeltwaterDialogsReadingBecomesQmAndTheTotal)
{
    Run(
        [&](Page& page) {
            CFunctionModalHook hook([&](CWnd* pWnd) {
                CMeltwaterDlg* pMeltwater = dynamic_cast<CMeltwaterDlg*>(pWnd);
                ASSERT_NE(pMeltwater, nullptr);
                const CPoint origin = pMeltwater->m_ptChartOrigin;
                const LPARAM lPoint = MAKELPARAM(origin.x + 267, origin.y + 300);
                ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_MOUSEMOVE, 0, lPoint);
                ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
                ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_LBUTTONUP, 0, lPoint);
                ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
                if (pMeltwater->m_nFlags & CWnd::WF_CONTINUEMODAL)
                    pMeltwater->EndDialog(IDABORT);
            });
            CScopedModalHook scopedHook(&hook);
            ASSERT_TRUE(page.Enabled(IDC_IN_CALC_QM));
            page.Click(IDC_IN_CALC_QM);
            EXPECT_EQ(page.m_data.m_strMeltwaterFlow, "1.00");
            EXPECT_EQ(page.Text(IDC_IN_QM), "1.00");
            EXPECT_EQ(page.Summary(IDC_MELTWATER_FLOW), "1.00");
            EXPECT_EQ(page.m_data.m_strTotalInflow, "1.92");
            EXPECT_TRUE(page.m_data.m_strBaseMinThickness.IsEmpty());
        },
        [](CProjectData& data) {
            data.m_strMeltwater = "yes";
            data.m_strInfiltrationRate = "0.92";
            data.m_strHeaveRate = "0.1";
            data.m_strSubgradeK = "4";
            data.m_strPavementLoad = "200.";
            data.m_strBaseMinThickness = "0.5";
        });
}

// ---- Painting, links and help ----

TEST_F(InflowPageTest, PaintShowsTheUnitsOfTheRecord)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        EXPECT_EQ(page.Text(IDC_IN_UNIT_HEAVE), "in/day");
        EXPECT_EQ(page.Text(IDC_IN_UNIT_KP), "ft/d");
        const HBITMAP hEnglishLoad = reinterpret_cast<HBITMAP>(
            ::SendMessageA(page.Item(IDC_IN_UNIT_LOAD), STM_GETIMAGE, IMAGE_BITMAP, 0));

        data.m_strUnits = "metric";
        page.Repaint();
        const struct { int nID; const char* pszUnit; } texts[] = {
            {IDC_IN_UNIT_HEAVE, "mm/day"}, {IDC_IN_UNIT_KSUB, "m/day"}, {IDC_IN_UNIT_HS, "m"},
            {IDC_IN_UNIT_HB, "m"}, {IDC_IN_UNIT_R, "mm/hr"}, {IDC_IN_UNIT_WC, "m"}, {IDC_IN_UNIT_W, "m"},
            {IDC_IN_UNIT_CS, "m"}, {IDC_IN_UNIT_KP, "m/d"},
        };
        for (const auto& text : texts)
            EXPECT_EQ(page.Text(text.nID), text.pszUnit) << text.nID;
        const struct { int nID; const CBitmap& bitmap; } pictures[] = {
            {IDC_IN_UNIT_GAMMA_S, page.m_page.m_bmpDensityMetric}, {IDC_IN_UNIT_GAMMA_B, page.m_page.m_bmpDensityMetric},
            {IDC_IN_UNIT_LOAD, page.m_page.m_bmpLoadMetric}, {IDC_IN_UNIT_QM, page.m_page.m_bmpInflowMetric},
            {IDC_IN_UNIT_QI, page.m_page.m_bmpInflowMetric}, {IDC_IN_UNIT_IC, page.m_page.m_bmpCrackMetric},
        };
        for (const auto& picture : pictures)
            EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(page.Item(picture.nID), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                      (HBITMAP)picture.bitmap)
                << picture.nID;
        EXPECT_NE(hEnglishLoad, (HBITMAP)page.m_page.m_bmpLoadMetric);
        SaveScreenPicture(page.m_dlg.GetSafeHwnd(), "inflow-page.bmp");
    });
}

TEST_F(InflowPageTest, LinksTakeTheEngineerToWhereTheValueIsComputed)
{
    Run([&](Page& page) {
        CDlgPropSheet& sheet = *page.m_dlg.m_pSheet;
        page.ClickPicture(IDC_IN_PIC_W);
        EXPECT_EQ(sheet.GetActiveIndex(), CQuarrowDlg::PageRoadway);
        ::UpdateWindow(page.m_dlg.m_pRoadwayPage->GetSafeHwnd());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(page.m_dlg.m_pRoadwayPage->GetSafeHwnd(), IDC_RW_W));

        sheet.SetActivePage(CQuarrowDlg::PageInflow);
        page.ClickPicture(IDC_IN_PIC_WC);
        EXPECT_EQ(sheet.GetActiveIndex(), CQuarrowDlg::PageRoadway);

        sheet.SetActivePage(CQuarrowDlg::PageInflow);
        page.Click(IDC_IN_SUBGRADE_LINK);
        EXPECT_EQ(sheet.GetActiveIndex(), CQuarrowDlg::PageSieveAnalysis);
        EXPECT_EQ(page.m_data.m_strSieveLayer, "subgrade");

        sheet.SetActivePage(CQuarrowDlg::PageInflow);
        page.ClickPicture(IDC_IN_PIC_HB);
        EXPECT_EQ(sheet.GetActiveIndex(), CQuarrowDlg::PagePermeableBase);
    },
    [](CProjectData& data) { data.m_strMeltwater = "yes"; });
}

TEST_F(InflowPageTest, HelpByMethodRainfallMapsAndContextHelp)
{
    HWND hRatioRadio = nullptr;
    Run([&](Page& page) {
        hRatioRadio = page.Item(IDC_IN_RATIO);
        SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
        page.Click(IDC_IN_RATIO);
        SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
        page.Click(IDC_IN_RAIN_MAP);
        EXPECT_EQ(::GetFocus(), page.Item(IDC_IN_R));
        page.Click(IDC_IN_RAIN_TWO);
        EXPECT_EQ(page.m_data.m_strRain, "two");
        page.Click(IDC_IN_RAIN_MAP);
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hRatioRadio), MAKELPARAM(10, 10));
    });
    ASSERT_EQ(m_help.calls.size(), 5u);
    EXPECT_EQ(m_help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/inflow_crack.htm");
    EXPECT_EQ(m_help.calls[1].file, "C:\\Quarrow\\quarrow.chm::/inflow_ratio.htm");
    EXPECT_EQ(m_help.calls[2].file, "C:\\Quarrow\\quarrow.chm::/oneyear.htm>MapPopup");
    EXPECT_EQ(m_help.calls[2].hWndCaller, nullptr);
    EXPECT_EQ(m_help.calls[2].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(m_help.calls[3].file, "C:\\Quarrow\\quarrow.chm::/twoyear.htm>MapPopup");
    const CRecordingHtmlHelp::Call& popup = m_help.calls[4];
    EXPECT_EQ(popup.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_EQ(popup.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(popup.hWndCaller, hRatioRadio);
    auto helpIdOf = [&](DWORD nID) { return PopupHelpId(popup, nID); };
    EXPECT_EQ(helpIdOf(IDC_IN_RATIO), 1302u);
    EXPECT_EQ(helpIdOf(IDC_IN_FORMULA_LOAD), 1310u);
    EXPECT_EQ(helpIdOf(IDC_IN_PIC_QI), 1300u);
    EXPECT_EQ(helpIdOf(IDC_IN_PIC_HS), 1324u);
}

TEST_F(InflowPageTest, LeavingThePageStoresTheEditBeingTyped)
{
    Run([&](Page& page) {
        ::SetFocus(page.Item(IDC_IN_NC));
        ::SetWindowTextA(page.Item(IDC_IN_NC), "5");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        EXPECT_EQ(page.m_data.m_strLongitudinalCracks, "5.");
    });
}

} // namespace
