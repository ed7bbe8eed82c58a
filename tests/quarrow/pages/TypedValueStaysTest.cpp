// What the engineer types into an edit stays in the record, whatever the typing clears besides:
// the stored value typed again in another spelling ("12" over "12.") as much as a new one. The
// inputs that a typed value drops so that a typed and a computed value cannot disagree are ones it
// is computed from, and emptying them must not empty it.
#include "tests/quarrow/pages/PageTestSupport.h"

#include <functional>

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "resources/quarrow/resource.h"

namespace {

using TextField = CString CProjectData::*;

class TypedValueStaysTest : public DesignPageTest
{
protected:
    // A whole English design in expert mode: every input and result of the pages filled, the
    // inflow by the crack method with meltwater, the base by the depth of flow, a pipe edge drain
    // by the infiltration approach and a geotextile separator.
    static void WholeDesign(CProjectData& d)
    {
        d.m_strUnits = "english";
        d.m_strMode = "expert";

        d.m_strGeometryChoice = "A";
        d.m_strGeometryCoefficientB = "10.";
        d.m_strGeometryCoefficientC = "2.";
        d.m_strBaseWidth = "12.";
        d.m_strLongitudinalSlope = "0.0200";
        d.m_strCrossSlope = "0.0300";
        d.m_strResultantSlope = "0.0361";
        d.m_strResultantLength = "14.4";

        d.m_strInfiltrationMethod = "crack";
        d.m_strInfiltrationRatio = "0.5";
        d.m_strRainfallRate = "2.";
        d.m_strCrackInfiltrationRate = "2.4";
        d.m_strLongitudinalCracks = "2.";
        d.m_strTransverseCrackLength = "12.";
        d.m_strTransverseCrackSpacing = "40.";
        d.m_strPavementK = "5.e-002";
        d.m_strInfiltrationRate = "0.45";
        d.m_strMeltwater = "yes";
        d.m_strHeaveRate = "0.1";
        d.m_strSubgradeK = "4.0";
        d.m_strPavementUnitWeight = "145.";
        d.m_strBaseUnitWeight = "120.";
        d.m_strPavementLayerThickness = "0.67";
        d.m_strBaseThickness = "0.5";
        d.m_strPavementLoad = "200.";
        d.m_strMeltwaterFlow = "0.20";
        d.m_strTotalInflow = "0.65";

        d.m_strBaseMethod = "DOF";
        d.m_strDrainMethod = "AASHTO";
        d.m_strTimeToDrainMethod = "Barber";
        d.m_strBaseK = "1000.";
        d.m_strBaseEffectivePorosity = "0.25";
        d.m_strBasePorosity = "0.300";
        d.m_strBaseSpecificGravity = "2.65";
        d.m_strBaseWater = "5.00";
        d.m_strPercentDrained = "50.";
        d.m_strPercentSaturation = "60.";
        d.m_strTimeToDrain = "3.2";
        d.m_strBaseMinThickness = "0.3";
        d.m_strBaseDischargeRate = "10.";

        d.m_strEdgeDrainType = "pipe";
        d.m_strDischarge = "Infiltration";
        d.m_strPipeDiameter = "6.";
        d.m_strManningCoefficient = "1.2e-002";
        d.m_strFlowZoneDepth = "1.";
        d.m_strOutletDepth = "1.5";
        d.m_strFinDrainConstant = "2.";
        d.m_strPipeFlow = "1750.";
        d.m_strOutletSpacing = "250.0";

        d.m_strSeparatorType = "geotextile";
        d.m_strSubgradeP200 = "20.0";
        d.m_strSubgradeCu = "3.0000";
        d.m_strSubgradeD15 = "0.0100";
        d.m_strSubgradeD85 = "0.1000";
        d.m_strGeotextilePermeability = "1.0";
        d.m_strApparentOpeningSize = "0.3";
        d.m_strSeparatorMinK = "0.4";
        d.m_strGeotextileLength = "2.";
    }
};

// The case as it was met: W read as "12." and typed again on the inflow page (crack method) and on
// the edge drain page. The input W would be computed from goes, with what hangs on it; W stays.
TEST_F(TypedValueStaysTest, AWidthTypedAgainOverTheStoredOneStaysAndItsRuleStillClears)
{
    const struct
    {
        const char* pszWhere;
        int nPage;
        int nEdit;
        const char* pszTyped;
        const char* pszB;
        const char* pszC;
        const char* pszEmptiedSection;   // besides Lr: q_i on the inflow page, L_o on the edge drain
    } cases[] = {
        {"inflow, 12", CQuarrowDlg::PageInflow, IDC_IN_W, "12", "10.", "", "Rate of pavement infiltration"},
        {"inflow, 12.0", CQuarrowDlg::PageInflow, IDC_IN_W, "12.0", "10.", "", "Rate of pavement infiltration"},
        {"edge drain, 12", CQuarrowDlg::PageEdgeDrain, IDC_ED_W, "12", "", "2.", "Outlet spacing"},
        {"edge drain, 12.0", CQuarrowDlg::PageEdgeDrain, IDC_ED_W, "12.0", "", "2.", "Outlet spacing"},
    };
    for (const auto& c : cases)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            CProjectData& data = *dlg.m_pProjectData;
            ReadDesign(data, [](CProjectData& written) {
                WholeDesign(written);
                written.m_strMeltwater = "no";
            });

            Type(Show(dlg, c.nPage), c.nEdit, c.pszTyped);

            EXPECT_EQ(Saved(data, "Width of permeable base"), "12.") << c.pszWhere;
            EXPECT_EQ(Summary(dlg, IDC_BASE_WIDTH), "12.") << c.pszWhere;
            EXPECT_EQ(Saved(data, "Geometry coefficient b"), c.pszB) << c.pszWhere;
            EXPECT_EQ(Saved(data, "Geometry coefficient c"), c.pszC) << c.pszWhere;
            EXPECT_EQ(Saved(data, "Resultant length of flow through base"), "") << c.pszWhere;
            EXPECT_EQ(Saved(data, c.pszEmptiedSection), "") << c.pszWhere;
        });
    }
}

TEST_F(TypedValueStaysTest, ATotalInflowTypedAgainInAnotherSpellingStays)
{
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        ReadDesign(data, [](CProjectData& written) {
            WholeDesign(written);
            written.m_strInfiltrationRate = "0.5";
            written.m_strTotalInflow = "0.7";
        });

        Type(Show(dlg, CQuarrowDlg::PagePermeableBase), IDC_PB_INPUT, "0.70");

        EXPECT_EQ(Saved(data, "Total inflow into drainage layer"), "0.7");
        EXPECT_EQ(Saved(data, "Rate of pavement infiltration"), "");
        EXPECT_EQ(Saved(data, "Meltwater flow"), "");
        EXPECT_EQ(Saved(data, "Base", "Minimum Thickness"), "");
    });
}

// Every edit whose leaving clears other fields: its stored value typed again in another spelling,
// then, in the design set afresh, a new value; the typed field holds each.
TEST_F(TypedValueStaysTest, EveryEditThatClearsOtherFieldsKeepsWhatWasTyped)
{
    const std::function<void(CProjectData&)> asIs = [](CProjectData&) {};
    const auto ratioMethod = [](CProjectData& d) { d.m_strInfiltrationMethod = "ratio"; };
    const auto geocomposite = [](CProjectData& d) { d.m_strEdgeDrainType = "geocomposite"; };
    const auto timeToDrainApproach = [](CProjectData& d) { d.m_strDischarge = "TTD"; };
    const auto timeToDrain = [](CProjectData& d) { d.m_strBaseMethod = "TTD"; };
    // Under the rehabilitation manual's criterion Psat is typed and U follows; under AASHTO the reverse.
    const auto timeToDrainByTheManual = [](CProjectData& d) {
        d.m_strBaseMethod = "TTD";
        d.m_strDrainMethod = "PRM";
    };
    const auto withoutMeltwater = [](CProjectData& d) { d.m_strMeltwater = "no"; };
    const struct
    {
        int nPage;
        int nEdit;
        TextField field;
        const char* pszSection;
        const char* pszKey;
        const char* pszStored;
        const char* pszRespelled;
        const char* pszNew;
        const char* pszNewStored;
        std::function<void(CProjectData&)> arrange;
    } cases[] = {
        {CQuarrowDlg::PageRoadway, IDC_RW_B, &CProjectData::m_strGeometryCoefficientB, "Geometry coefficient b",
         "VALUE", "10.", "10", "11", "11.", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_C, &CProjectData::m_strGeometryCoefficientC, "Geometry coefficient c",
         "VALUE", "2.", "2.0", "3", "3.", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_W, &CProjectData::m_strBaseWidth, "Width of permeable base", "VALUE",
         "12.", "12", "13", "13.", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_S, &CProjectData::m_strLongitudinalSlope, "Longitudinal slope", "VALUE",
         "0.0200", "0.02", "0.01", "0.0100", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_SX, &CProjectData::m_strCrossSlope, "Cross slope", "VALUE", "0.0300",
         "0.03", "0.04", "0.0400", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_SR, &CProjectData::m_strResultantSlope, "Resultant slope", "VALUE",
         "0.0361", "0.03610", "0.05", "0.0500", asIs},
        {CQuarrowDlg::PageRoadway, IDC_RW_LR, &CProjectData::m_strResultantLength,
         "Resultant length of flow through base", "VALUE", "14.4", "14.40", "9", "9.", asIs},

        {CQuarrowDlg::PageInflow, IDC_IN_R, &CProjectData::m_strRainfallRate, "Rainfall rate", "VALUE", "2.", "2",
         "3", "3.", ratioMethod},
        {CQuarrowDlg::PageInflow, IDC_IN_C, &CProjectData::m_strInfiltrationRatio, "Infiltration ratio", "VALUE",
         "0.5", "0.50", "0.6", "0.6", ratioMethod},
        {CQuarrowDlg::PageInflow, IDC_IN_IC, &CProjectData::m_strCrackInfiltrationRate, "Crack infiltration rate",
         "VALUE", "2.4", "2.40", "3", "3.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_NC, &CProjectData::m_strLongitudinalCracks,
         "Number of longitudinal joints or cracks", "VALUE", "2.", "2", "3", "3.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_CS, &CProjectData::m_strTransverseCrackSpacing,
         "Spacing of contributing transverse joints or cracks", "VALUE", "40.", "40", "30", "30.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_KP, &CProjectData::m_strPavementK, "Pavememt", "k", "5.e-002", "0.05", "0.1",
         "0.1", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_WC, &CProjectData::m_strTransverseCrackLength,
         "Length of contributing transverse joints or cracks", "VALUE", "12.", "12", "13", "13.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_W, &CProjectData::m_strBaseWidth, "Width of permeable base", "VALUE",
         "12.", "12", "13", "13.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_HEAVE, &CProjectData::m_strHeaveRate, "Heave rate", "VALUE", "0.1", "0.10",
         "0.2", "0.2", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_KSUB, &CProjectData::m_strSubgradeK, "Subgrade", "k", "4.", "4", "5", "5.",
         asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_GAMMA_S, &CProjectData::m_strPavementUnitWeight, "Pavememt", "UW", "145.",
         "145", "150", "150.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_GAMMA_B, &CProjectData::m_strBaseUnitWeight, "Base", "UW", "120.", "120",
         "125", "125.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_HS, &CProjectData::m_strPavementLayerThickness, "Pavememt", "Thickness",
         "0.67", "0.670", "0.8", "0.8", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_HB, &CProjectData::m_strBaseThickness, "Base", "Thickness", "0.5", "0.50",
         "0.6", "0.6", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_LOAD, &CProjectData::m_strPavementLoad, "Pavement load", "VALUE", "200.",
         "200", "210", "210.", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_QM, &CProjectData::m_strMeltwaterFlow, "Meltwater flow", "VALUE", "0.20",
         "0.2", "0.3", "0.30", asIs},
        {CQuarrowDlg::PageInflow, IDC_IN_QI, &CProjectData::m_strInfiltrationRate, "Rate of pavement infiltration",
         "VALUE", "0.45", "0.450", "0.5", "0.5", asIs},

        {CQuarrowDlg::PagePermeableBase, IDC_PB_INPUT, &CProjectData::m_strBaseEffectivePorosity, "Base",
         "Effective Porosity", "0.25", "0.250", "0.3", "0.3", timeToDrain},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_INPUT, &CProjectData::m_strInfiltrationRate,
         "Rate of pavement infiltration", "VALUE", "0.45", "0.450", "0.5", "0.5", withoutMeltwater},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_INPUT, &CProjectData::m_strTotalInflow,
         "Total inflow into drainage layer", "VALUE", "0.65", "0.650", "0.8", "0.8", asIs},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_K, &CProjectData::m_strBaseK, "Base", "k", "1000.", "1000", "900",
         "900.", asIs},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_S, &CProjectData::m_strResultantSlope, "Resultant slope", "VALUE",
         "0.0361", "0.03610", "0.05", "0.0500", asIs},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_L, &CProjectData::m_strResultantLength,
         "Resultant length of flow through base", "VALUE", "14.4", "14.40", "9", "9.", asIs},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_H, &CProjectData::m_strBaseThickness, "Base", "Thickness", "0.5",
         "0.50", "0.6", "0.6", asIs},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_PSAT, &CProjectData::m_strPercentSaturation, "Percent saturation",
         "VALUE", "60.", "60", "70", "70.", timeToDrainByTheManual},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_N, &CProjectData::m_strBasePorosity, "Base", "Porosity", "0.3",
         "0.30", "0.35", "0.35", timeToDrain},
        {CQuarrowDlg::PagePermeableBase, IDC_PB_U, &CProjectData::m_strPercentDrained, "Percent drained", "VALUE",
         "50.", "50", "60", "60.", timeToDrain},

        {CQuarrowDlg::PageEdgeDrain, IDC_ED_S, &CProjectData::m_strLongitudinalSlope, "Longitudinal slope", "VALUE",
         "0.0200", "0.02", "0.01", "0.0100", asIs},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_D, &CProjectData::m_strPipeDiameter, "Pipe diameter", "VALUE", "6.",
         "6", "8", "8.", asIs},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_N, &CProjectData::m_strManningCoefficient, "Manning's coefficient",
         "VALUE", "1.2e-002", "0.012", "0.024", "2.4e-002", asIs},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_D1, &CProjectData::m_strFlowZoneDepth, "Depth of flow zone", "VALUE",
         "1.", "1", "2", "2.", geocomposite},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_C, &CProjectData::m_strFinDrainConstant, "Fin-drain flow constant",
         "VALUE", "2.", "2", "3", "3.", geocomposite},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_D2, &CProjectData::m_strOutletDepth, "Depth at outlet", "VALUE", "1.5",
         "1.50", "2", "2.", geocomposite},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_W, &CProjectData::m_strBaseWidth, "Width of permeable base", "VALUE",
         "12.", "12", "13", "13.", asIs},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_H, &CProjectData::m_strBaseThickness, "Base", "Thickness", "0.5",
         "0.50", "0.6", "0.6", timeToDrainApproach},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_NE, &CProjectData::m_strBaseEffectivePorosity, "Base",
         "Effective Porosity", "0.25", "0.250", "0.3", "0.3", timeToDrainApproach},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_U, &CProjectData::m_strPercentDrained, "Percent drained", "VALUE", "50.",
         "50", "60", "60.", timeToDrainApproach},
        {CQuarrowDlg::PageEdgeDrain, IDC_ED_T, &CProjectData::m_strTimeToDrain, "Time to drain", "VALUE", "3.2",
         "3.20", "4", "4.", timeToDrainApproach},

        {CQuarrowDlg::PageSeparator, IDC_SP_P200, &CProjectData::m_strSubgradeP200, "Subgrade", "p200", "20.0", "20",
         "30", "30.0", asIs},
        {CQuarrowDlg::PageSeparator, IDC_SP_KSUB, &CProjectData::m_strSubgradeK, "Subgrade", "k", "4.0", "4", "5",
         "5.0", asIs},
        {CQuarrowDlg::PageSeparator, IDC_SP_CU, &CProjectData::m_strSubgradeCu, "Subgrade", "CU", "3.0000", "3", "4",
         "4.0000", asIs},
        {CQuarrowDlg::PageSeparator, IDC_SP_GEO_SUB_D15, &CProjectData::m_strSubgradeD15, "Subgrade", "D15",
         "0.0100", "0.01", "0.02", "0.0200", asIs},
        {CQuarrowDlg::PageSeparator, IDC_SP_GEO_SUB_D85, &CProjectData::m_strSubgradeD85, "Subgrade", "D85",
         "0.1000", "0.1", "0.2", "0.2000", asIs},
        {CQuarrowDlg::PageSeparator, IDC_SP_KSEP, &CProjectData::m_strGeotextilePermeability, "Geotextile",
         "Permeability", "1.0", "1", "2", "2.0", asIs},

        {CQuarrowDlg::PageSieveAnalysis, IDC_SV_UNIT_WEIGHT, &CProjectData::m_strBaseUnitWeight, "Base", "UW",
         "120.", "120", "125", "125.", asIs},
        {CQuarrowDlg::PageSieveAnalysis, IDC_SV_SPECIFIC_GRAVITY, &CProjectData::m_strBaseSpecificGravity, "Base",
         "SG", "2.65", "2.650", "2.7", "2.7", asIs},
        {CQuarrowDlg::PageSieveAnalysis, IDC_SV_POROSITY, &CProjectData::m_strBasePorosity, "Base", "Porosity",
         "0.300", "0.3", "0.35", "0.350", asIs},
        {CQuarrowDlg::PageSieveAnalysis, IDC_SV_WATER, &CProjectData::m_strBaseWater, "Base", "Water", "5.00", "5",
         "6", "6.00", asIs},
    };
    // One main dialog for all: each case sets the design afresh and shows its page anew from it.
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        for (const auto& c : cases)
        {
            const std::string strCase = std::string(c.pszSection) + " " + c.pszKey;
            // Set in the record itself: a project file read and written each time would cost a
            // second a case under Wine.
            const auto arrange = [&] {
                data.SetDefaults("english");
                WholeDesign(data);
                c.arrange(data);
                data.*c.field = c.pszStored;
            };
            arrange();
            Type(Show(dlg, c.nPage), c.nEdit, c.pszRespelled);
            EXPECT_EQ(Saved(data, c.pszSection, c.pszKey), c.pszStored) << strCase << ", typed again";

            arrange();
            Type(Show(dlg, c.nPage), c.nEdit, c.pszNew);
            // A new value was kept before as well; the record shows it without a second save.
            EXPECT_EQ(data.*c.field, c.pszNewStored) << strCase << ", typed anew";
        }
    });
}

} // namespace
