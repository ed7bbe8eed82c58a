// A result is current or empty across the pages: a change on one page empties, in the record, the
// saved project file and the summary panel, every result computed from the old value on whatever
// page it lives, and each page shows what the record holds at once.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <functional>

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/MeltwaterDlg.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/QuarrowTestSupport.h"
#include "tests/quarrow/pages/PlotTestData.h"

namespace {

class CurrentOrEmptyTest : public DesignPageTest
{
protected:
    // The crack method's inputs for a 14 ft base: q_i = 2.4 (2/14 + 12/(14 40)) + 0.05 = 0.44429.
    static void CrackInputs(CProjectData& data)
    {
        data.m_strInfiltrationMethod = "crack";
        data.m_strCrackInfiltrationRate = "2.4";
        data.m_strLongitudinalCracks = "2.";
        data.m_strBaseWidth = "14.";
        data.m_strTransverseCrackLength = "12.";
        data.m_strTransverseCrackSpacing = "40.";
        data.m_strPavementK = "0.05";
    }

    // An English design of the roadway, the base (k, Ne, n, H; 50 % drained, AASHTO) and a pipe edge
    // drain sized by the time-to-drain approach.
    static void Arrange(CProjectData& data)
    {
        data.m_strUnits = "english";
        data.m_strMode = "expert";
        data.m_strGeometryChoice = "A";
        data.m_strGeometryCoefficientB = "24.";
        data.m_strGeometryCoefficientC = "2.";
        data.m_strLongitudinalSlope = "0.0200";
        data.m_strCrossSlope = "0.0300";
        data.m_strBaseK = "1000.";
        data.m_strBaseEffectivePorosity = "0.25";
        data.m_strBasePorosity = "0.300";
        data.m_strBaseThickness = "0.5";
        data.m_strPercentDrained = "50.";
        data.m_strDrainMethod = "AASHTO";
        data.m_strTimeToDrainMethod = "Barber";
        data.m_strMeltwater = "no";
        data.m_strEdgeDrainType = "pipe";
        data.m_strDischarge = "TTD";
        data.m_strPipeDiameter = "6.";
        data.m_strManningCoefficient = "0.012";
    }

    // W, Sr and Lr by the roadway page's buttons; the width button is ready once b is entered.
    static void ComputeRoadway(CWnd& roadway)
    {
        ::SetFocus(Item(roadway, IDC_RW_B));
        PumpMessages();
        for (int nButton : {IDC_RW_CALC_W, IDC_RW_CALC_SR, IDC_RW_CALC_LR})
            Click(roadway, nButton);
    }

    // The roadway, the inflow (a new width empties q_i), then t, Hmin and the base's Q, then the
    // pipe's Q and its outlet spacing, each by its page's button.
    void ComputeDesign(CQuarrowDlg& dlg, const std::function<void(CQuarrowDlg&)>& setInflow)
    {
        ComputeRoadway(Show(dlg, CQuarrowDlg::PageRoadway));
        setInflow(dlg);
        dlg.m_pProjectData->m_strBaseMethod = "TTD";
        CWnd& base = Show(dlg, CQuarrowDlg::PagePermeableBase);
        Click(base, IDC_PB_CALC_T);
        Click(base, IDC_PB_DOF);
        Click(base, IDC_PB_CALC_HMIN);
        Click(base, IDC_PB_CALC_Q);
        CWnd& edgeDrain = Show(dlg, CQuarrowDlg::PageEdgeDrain);
        Click(edgeDrain, IDC_ED_CALC_PIPE);
        Click(edgeDrain, IDC_ED_CALC_SPACING);
        const CProjectData& data = *dlg.m_pProjectData;
        for (const CString* pResult : {&data.m_strResultantLength, &data.m_strTimeToDrain, &data.m_strBaseMinThickness,
                                       &data.m_strBaseDischargeRate, &data.m_strPipeFlow, &data.m_strOutletSpacing})
            ASSERT_FALSE(pResult->IsEmpty());
    }
};

TEST_F(CurrentOrEmptyTest, ANewSlopeEmptiesWhatWasComputedFromTheOldPathOnEveryPage)
{
    // A slope typed on the roadway page or on the edge drain page, then W, Sr and Lr recomputed.
    const struct
    {
        const char* pszWhere;
        int nPage;
        int nEdit;
        const char* pszSlope;
        const char* pszResultantSlope;
    } changes[] = {
        {"cross slope, roadway", CQuarrowDlg::PageRoadway, IDC_RW_SX, "0.04", "0.0447"},
        {"longitudinal slope, edge drain", CQuarrowDlg::PageEdgeDrain, IDC_ED_S, "0.01", "0.0316"},
    };
    for (const auto& change : changes)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            Arrange(data);
            ComputeDesign(dlg, [](CQuarrowDlg& d) { d.m_pProjectData->m_strInfiltrationRate = "0.5"; });

            Type(Show(dlg, change.nPage), change.nEdit, change.pszSlope);
            ComputeRoadway(Show(dlg, CQuarrowDlg::PageRoadway));
            EXPECT_EQ(data.m_strResultantSlope, change.pszResultantSlope) << change.pszWhere;

            for (const char* pszSection : {"Time to drain", "Permeable base discharge rate", "Outlet spacing"})
                EXPECT_EQ(Saved(data, pszSection), "") << change.pszWhere << ": " << pszSection;
            EXPECT_EQ(Saved(data, "Base", "Minimum Thickness"), "") << change.pszWhere;
            for (int nID : {IDC_TIME_TO_DRAIN, IDC_BASE_DISCHARGE, IDC_OUTLET_SPACING})
                EXPECT_EQ(Summary(dlg, nID), "") << change.pszWhere << ": " << nID;
            // What the path does not enter stays: the base's material and thickness.
            EXPECT_EQ(Saved(data, "Base", "k"), "1000.") << change.pszWhere;
            EXPECT_EQ(Saved(data, "Base", "Effective Porosity"), "0.25") << change.pszWhere;
            EXPECT_EQ(Saved(data, "Base", "Porosity"), "0.300") << change.pszWhere;
            EXPECT_EQ(Saved(data, "Base", "Thickness"), "0.5") << change.pszWhere;
        });
    }
}

TEST_F(CurrentOrEmptyTest, ARecomputedInflowWithMeltwaterTakesTheTotalAlongAndEmptiesWhatCameOfIt)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        Arrange(data);
        data.m_strMeltwater = "yes";
        data.m_strInfiltrationMethod = "ratio";
        data.m_strInfiltrationRatio = "0.5";
        data.m_strRainfallRate = "2.";
        data.m_strDischarge = "Infiltration";
        ComputeDesign(dlg, [](CQuarrowDlg& d) {
            d.m_pProjectData->m_strInfiltrationRate = "2.";
            d.m_pProjectData->m_strMeltwaterFlow = "0.25";
            d.m_pProjectData->m_strTotalInflow = "2.25";
        });

        CWnd& inflow = Show(dlg, CQuarrowDlg::PageInflow);
        Type(inflow, IDC_IN_R, "3");
        Click(inflow, IDC_IN_CALC_QI);
        EXPECT_EQ(data.m_strInfiltrationRate, "3.");
        EXPECT_EQ(Saved(data, "Total inflow into drainage layer"), "3.25");
        EXPECT_EQ(Saved(data, "Base", "Minimum Thickness"), "");
        EXPECT_EQ(Saved(data, "Outlet spacing"), "");
        EXPECT_EQ(Summary(dlg, IDC_OUTLET_SPACING), "");
    });
}

TEST_F(CurrentOrEmptyTest, TheEdgeDrainPageShowsAnOutletSpacingItsRecordNoLongerHoldsEmptyAtOnce)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        Arrange(data);
        data.m_strBaseWidth = "14.";
        data.m_strTimeToDrain = "3.20";
        CWnd& edgeDrain = Show(dlg, CQuarrowDlg::PageEdgeDrain);
        Click(edgeDrain, IDC_ED_CALC_PIPE);
        Click(edgeDrain, IDC_ED_CALC_SPACING);
        ASSERT_NE(WindowText(Item(edgeDrain, IDC_ED_LO)), "");

        Type(edgeDrain, IDC_ED_U, "0");
        EXPECT_EQ(data.m_strOutletSpacing, "");
        EXPECT_EQ(WindowText(Item(edgeDrain, IDC_ED_LO)), "");
        EXPECT_EQ(Summary(dlg, IDC_OUTLET_SPACING), "");
    });
}

// q_m appears where the record held none, typed or read off the meltwater chart: the outlet
// spacing sized with q_i alone and the minimum thickness go, and the total follows.
TEST_F(CurrentOrEmptyTest, AMeltwaterInflowThatAppearsEmptiesWhatWasSizedWithoutIt)
{
    const struct
    {
        const char* pszWay;
        bool bFromChart;
    } ways[] = {{"typed", false}, {"read off the chart", true}};
    for (const auto& way : ways)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            Arrange(data);
            data.m_strMeltwater = "yes";
            data.m_strDischarge = "Infiltration";
            data.m_strBaseWidth = "14.";
            data.m_strInfiltrationRate = "0.5";
            data.m_strHeaveRate = "0.1";
            data.m_strSubgradeK = "4";
            data.m_strPavementLoad = "200.";
            data.m_strBaseMinThickness = "0.3";
            data.m_strPipeFlow = "1750.";
            Click(Show(dlg, CQuarrowDlg::PageEdgeDrain), IDC_ED_CALC_SPACING);
            ASSERT_EQ(Saved(data, "Outlet spacing"), "250.0") << "q_i alone, with an empty q_m";

            CWnd& inflow = Show(dlg, CQuarrowDlg::PageInflow);
            if (way.bFromChart)
            {
                // With k_sub 4 ft/day, the reading 0.10 at the chart's left mark is q_m 0.20.
                CFunctionModalHook hook([&](CWnd* pWnd) {
                    CMeltwaterDlg* pMeltwater = dynamic_cast<CMeltwaterDlg*>(pWnd);
                    ASSERT_NE(pMeltwater, nullptr);
                    const CPoint origin = pMeltwater->m_ptChartOrigin;
                    const LPARAM lPoint = MAKELPARAM(origin.x + 84, origin.y + 300);
                    ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_MOUSEMOVE, 0, lPoint);
                    ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
                    ::SendMessageA(pMeltwater->GetSafeHwnd(), WM_LBUTTONUP, 0, lPoint);
                    ::SendMessageA(::GetDlgItem(pMeltwater->GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
                    if (pMeltwater->m_nFlags & CWnd::WF_CONTINUEMODAL)
                        pMeltwater->EndDialog(IDABORT);
                });
                CScopedModalHook scopedHook(&hook);
                Click(inflow, IDC_IN_CALC_QM);
            }
            else
            {
                Type(inflow, IDC_IN_QM, "0.2");
            }

            EXPECT_EQ(Saved(data, "Meltwater flow"), "0.20") << way.pszWay;
            EXPECT_EQ(Saved(data, "Total inflow into drainage layer"), "0.7") << way.pszWay;
            EXPECT_EQ(Saved(data, "Base", "Minimum Thickness"), "") << way.pszWay;
            EXPECT_EQ(Saved(data, "Outlet spacing"), "") << way.pszWay;
            EXPECT_EQ(Summary(dlg, IDC_OUTLET_SPACING), "") << way.pszWay;
            EXPECT_EQ(Summary(dlg, IDC_MELTWATER_FLOW), "0.20") << way.pszWay;
            // The pipe's capacity does not take the inflow.
            EXPECT_EQ(Saved(data, "Pipe flow"), "1750.") << way.pszWay;
            EXPECT_EQ(Summary(dlg, IDC_PIPE_FLOW), "1750.") << way.pszWay;
        });
    }
}

// A total inflow read from a file beside an empty or an old q_i follows q_i once it is computed,
// with meltwater; without, the total is not in use and goes rather than keep an old q_i.
TEST_F(CurrentOrEmptyTest, ATotalInflowReadFromAFileFollowsTheComputedInflow)
{
    const struct
    {
        const char* pszMeltwater;
        const char* pszInflowRead;
        const char* pszTotal;
    } cases[] = {
        {"yes", "", "0.69429"},
        {"no", "0.3", ""},
    };
    for (const auto& c : cases)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            ReadDesign(data, [&](CProjectData& written) {
                Arrange(written);
                CrackInputs(written);
                written.m_strMeltwater = c.pszMeltwater;
                written.m_strInfiltrationRate = c.pszInflowRead;
                written.m_strMeltwaterFlow = "0.25";
                written.m_strTotalInflow = "9.99";
            });
            ASSERT_EQ(Saved(data, "Total inflow into drainage layer"), "9.99");

            Click(Show(dlg, CQuarrowDlg::PageInflow), IDC_IN_CALC_QI);
            EXPECT_EQ(Saved(data, "Rate of pavement infiltration"), "0.44429") << c.pszMeltwater;
            EXPECT_EQ(Summary(dlg, IDC_INFILTRATION_RATE), "0.44429") << c.pszMeltwater;
            EXPECT_EQ(Saved(data, "Total inflow into drainage layer"), c.pszTotal) << c.pszMeltwater;
        });
    }
}

// The case the gradation analysis is spared for: a design read with its base permeability and time
// to drain but no grain sizes. The analysis fills them from the unchanged sieve table; k and t stay,
// and the time-to-drain plot is drawn.
TEST_F(CurrentOrEmptyTest, TheGradationAnalysisOfADesignReadWithoutGrainSizesKeepsItsPermeability)
{
    const bool bMadeFolder = ::CreateDirectoryA(InstallDir, nullptr) != FALSE;
    const std::string strPlot = std::string(InstallDir) + "\\plot.tmp";
    ::DeleteFileA(strPlot.c_str());
    CRecordingProcessSeam processes;
    CScopedProcessSeam scopedProcesses(&processes);
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        ReadDesign(data, [](CProjectData& written) {
            Arrange(written);
            written.m_strResultantSlope = "0.0361";
            written.m_strResultantLength = "16.83";
            written.m_strTimeToDrain = "1.23";
            // Percent passing by sieve row: #200, #40, #10, #4, 3/8", 1/2", 3/4", 1", 1 1/2".
            const struct { int nRow; const char* pszPassing; } sieves[] = {
                {3, "2.0"}, {8, "5.0"}, {12, "10.0"}, {14, "25.0"}, {15, "45.0"},
                {16, "60.0"}, {17, "80.0"}, {18, "95.0"}, {19, "100.0"},
            };
            for (const auto& sieve : sieves)
            {
                for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper})
                {
                    const int nColumn = CProjectData::LayerBase * 3 + nPart;
                    written.m_strSieve[sieve.nRow][nColumn] = sieve.pszPassing;
                    written.m_dSieve[sieve.nRow][nColumn] = atof(sieve.pszPassing);
                }
            }
        });
        ASSERT_EQ(Saved(data, "Base", "D10"), "");

        Click(Show(dlg, CQuarrowDlg::PageSieveAnalysis), IDC_SV_GRADATION);
        EXPECT_EQ(Saved(data, "Base", "D10"), "0.0743");
        EXPECT_EQ(Saved(data, "Base", "p200"), "2.00");
        EXPECT_EQ(Saved(data, "Base", "k"), "1000.");
        EXPECT_EQ(Saved(data, "Time to drain"), "1.23");

        data.m_strBaseMethod = "TTD";
        Click(Show(dlg, CQuarrowDlg::PagePermeableBase), IDC_PB_PLOT_TTD);
        EXPECT_EQ(ReadBytes(strPlot.c_str()).substr(0, 2), "3 ");
        EXPECT_EQ(Summary(dlg, IDC_TIME_TO_DRAIN), "1.23");
    });
    ::DeleteFileA(strPlot.c_str());
    if (bMadeFolder)
        ::RemoveDirectoryA(InstallDir);
    EXPECT_EQ(processes.starts.size(), 1u);
}

// A grain size or p200 typed where the record held none is not the sieve table's: an opening size
// read with the design was sized from no p200 at all, and goes.
TEST_F(CurrentOrEmptyTest, AGrainSizeTypedWhereThereWasNoneEmptiesWhatWasSizedWithoutIt)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        ReadDesign(data, [](CProjectData& written) {
            Arrange(written);
            written.m_strSeparatorType = "geotextile";
            written.m_strSubgradeCu = "4.00";
            written.m_strSubgradeD15 = "0.0020";
            written.m_strSubgradeD85 = "0.0150";
            written.m_strSubgradeK = "0.01";
            written.m_strApparentOpeningSize = "0.30";
        });
        ASSERT_EQ(Saved(data, "Apparent opening size"), "0.30");

        Type(Show(dlg, CQuarrowDlg::PageSeparator), IDC_SP_P200, "12.");
        EXPECT_EQ(Saved(data, "Subgrade", "p200"), "12.0");
        EXPECT_EQ(Saved(data, "Apparent opening size"), "");
    });
}

// A typed Sr or Lr empties the inputs it would be computed from, so that the two cannot disagree;
// those are forgotten, not changed, and what else was computed from them stays. An S erased by the
// engineer is a change: everything computed from it goes.
TEST_F(CurrentOrEmptyTest, AResultTypedOnTheRoadwayKeepsWhatItsInputsGaveElsewhere)
{
    // The fields checked, by letter: b c W S x(Sx) r(Sr) L(Lr) i(q_i) t(time to drain)
    // m(minimum thickness) d(base discharge) p(pipe flow) o(outlet spacing); 0 for no summary text.
    const struct
    {
        char cLetter;
        const char* pszSection;
        const char* pszKey;
        int nSummary;
    } fields[] = {
        {'b', "Geometry coefficient b", "VALUE", 0},
        {'c', "Geometry coefficient c", "VALUE", 0},
        {'W', "Width of permeable base", "VALUE", IDC_BASE_WIDTH},
        {'S', "Longitudinal slope", "VALUE", 0},
        {'x', "Cross slope", "VALUE", 0},
        {'r', "Resultant slope", "VALUE", IDC_RESULTANT_SLOPE},
        {'L', "Resultant length of flow through base", "VALUE", IDC_RESULTANT_LENGTH},
        {'i', "Rate of pavement infiltration", "VALUE", IDC_INFILTRATION_RATE},
        {'t', "Time to drain", "VALUE", IDC_TIME_TO_DRAIN},
        {'m', "Base", "Minimum Thickness", 0},
        {'d', "Permeable base discharge rate", "VALUE", IDC_BASE_DISCHARGE},
        {'p', "Pipe flow", "VALUE", IDC_PIPE_FLOW},
        {'o', "Outlet spacing", "VALUE", IDC_OUTLET_SPACING},
    };
    const struct
    {
        const char* pszChange;
        int nEdit;
        const char* pszTyped;
        char cTyped;
        const char* pszStored;
        const char* pszEmptied;
        // Sr and Lr are both left, so the time to drain can be computed again at once.
        bool bDrainsAgain;
    } changes[] = {
        {"Lr typed", IDC_RW_LR, "9", 'L', "9.", "WStmdpo", true},
        {"Sr typed", IDC_RW_SR, "0.05", 'r', "0.0500", "xLtmdpo", false},
        {"S erased", IDC_RW_S, "", 'S', "", "rLtmdpo", false},
    };
    for (const auto& change : changes)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            Arrange(data);
            ComputeDesign(dlg, [this](CQuarrowDlg& d) {
                CrackInputs(*d.m_pProjectData);
                Click(Show(d, CQuarrowDlg::PageInflow), IDC_IN_CALC_QI);
            });
            ASSERT_EQ(Saved(data, "Rate of pavement infiltration"), "0.44429");
            std::string before[std::size(fields)];
            for (size_t n = 0; n < std::size(fields); ++n)
                before[n] = Saved(data, fields[n].pszSection, fields[n].pszKey);

            Type(Show(dlg, CQuarrowDlg::PageRoadway), change.nEdit, change.pszTyped);

            for (size_t n = 0; n < std::size(fields); ++n)
            {
                const auto& field = fields[n];
                const std::string strSaved = Saved(data, field.pszSection, field.pszKey);
                const bool bEmptied = std::string(change.pszEmptied).find(field.cLetter) != std::string::npos;
                const std::string strExpected = field.cLetter == change.cTyped ? change.pszStored
                                                : bEmptied                     ? ""
                                                                               : before[n];
                EXPECT_EQ(strSaved, strExpected) << change.pszChange << ": " << field.pszSection;
                if (field.nSummary != 0)
                {
                    EXPECT_EQ(Summary(dlg, field.nSummary), strSaved) << change.pszChange << ": " << field.pszSection;
                }
            }

            data.m_strBaseMethod = "TTD";
            CWnd& base = Show(dlg, CQuarrowDlg::PagePermeableBase);
            EXPECT_EQ(::IsWindowEnabled(Item(base, IDC_PB_CALC_T)) != FALSE, change.bDrainsAgain) << change.pszChange;
            if (!change.bDrainsAgain)
                return;
            Click(base, IDC_PB_CALC_T);
            EXPECT_NE(Saved(data, "Time to drain"), "") << change.pszChange;
            EXPECT_EQ(Summary(dlg, IDC_TIME_TO_DRAIN), Saved(data, "Time to drain")) << change.pszChange;
        });
    }
}

} // namespace
