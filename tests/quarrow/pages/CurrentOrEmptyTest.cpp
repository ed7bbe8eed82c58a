// A result is current or empty across the pages: a change on one page empties, in the record, the
// saved project file and the summary panel, every result computed from the old value on whatever
// page it lives, and each page shows what the record holds at once.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <functional>

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

class CurrentOrEmptyTest : public MainDialogPageTest
{
protected:
    // The page of that index in front, shown anew from the record.
    CWnd& Show(CQuarrowDlg& dlg, int nPage)
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
    void ComputeDesign(CQuarrowDlg& dlg, const std::function<void(CProjectData&)>& setInflow)
    {
        ComputeRoadway(Show(dlg, CQuarrowDlg::PageRoadway));
        setInflow(*dlg.m_pProjectData);
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
            ComputeDesign(dlg, [](CProjectData& d) { d.m_strInfiltrationRate = "0.5"; });

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
        ComputeDesign(dlg, [](CProjectData& d) {
            d.m_strInfiltrationRate = "2.";
            d.m_strMeltwaterFlow = "0.25";
            d.m_strTotalInflow = "2.25";
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

} // namespace
