// The edge drain computations on the record: pipe capacity, pipe outlet spacing by approach and the
// geocomposite iteration, with their refusals.
#include "quarrow/pages/EdgeDrainCalc.h"

#include <gtest/gtest.h>

#include "quarrow/app/ProjectData.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

TEST(EdgeDrainCalc, ResultsAboveOneTenthHaveOneDecimalOthersAnExponent)
{
    const struct { double value; const char* pszText; } cases[] = {
        {52510.549, "52510.5"}, {0.11, "0.1"}, {0.1, "1.00e-001"}, {0.0172077, "1.72e-002"}, {0.0, "0.00e+000"},
        {-5.0, "-5.00e+000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CEdgeDrainCalc::FormatResult(c.value), c.pszText) << c.value;
}

TEST(EdgeDrainCalc, PipeCapacityByManningInBothUnits)
{
    const struct { const char* pszUnits; const char* pszDiameter; const char* pszFlow; } cases[] = {
        {"english", "6", "52510.5"},
        {"metric", "152.4", "1.72e-002"},
    };
    for (const auto& c : cases)
    {
        CProjectData data(c.pszUnits);
        data.m_strLongitudinalSlope = "0.01";
        data.m_strPipeDiameter = c.pszDiameter;
        data.m_strManningCoefficient = "0.012";
        data.m_strOutletSpacing = "100";
        const CPageCalcResult result = CEdgeDrainCalc::PipeCapacity(data);
        EXPECT_TRUE(result.bStored) << c.pszUnits;
        EXPECT_TRUE(result.strMessage.IsEmpty()) << c.pszUnits;
        EXPECT_EQ(data.m_strPipeFlow, c.pszFlow) << c.pszUnits;
        EXPECT_TRUE(data.m_strOutletSpacing.IsEmpty()) << c.pszUnits;
    }
}

TEST(EdgeDrainCalc, PipeCapacityRefusesRoughnessAndSlopesThatGiveNoNumber)
{
    const struct { const char* pszSlope; const char* pszRoughness; const char* pszMessage; } cases[] = {
        {"0.01", "0", "Coefficient of pipe roughness must be a positive value"},
        {"0.01", "-0.012", "Coefficient of pipe roughness must be a positive value"},
        {"0.01", "", "Coefficient of pipe roughness must be a positive value"},
        {"-0.01", "0.012", "No result can be computed from these values."},
    };
    for (const auto& c : cases)
    {
        CProjectData data("english");
        data.m_strLongitudinalSlope = c.pszSlope;
        data.m_strPipeDiameter = "6";
        data.m_strManningCoefficient = c.pszRoughness;
        data.m_strPipeFlow = "123.4";
        data.m_strOutletSpacing = "100.0";
        const CPageCalcResult result = CEdgeDrainCalc::PipeCapacity(data);
        EXPECT_FALSE(result.bStored);
        EXPECT_EQ(result.strMessage, c.pszMessage) << c.pszRoughness;
        EXPECT_EQ(data.m_strPipeFlow, "123.4");
        EXPECT_EQ(data.m_strOutletSpacing, "100.0");
    }
}

// A pipe of Q 52510.5 in the English design: W 14, q_i 0.92, t 1.23, Ne 0.3, H 0.5, U 50, q_d 38.84.
void SetSpacingDesign(CProjectData& data, const char* pszApproach)
{
    data.m_strDischarge = pszApproach;
    data.m_strPipeFlow = "52510.5";
    data.m_strBaseWidth = "14";
    data.m_strTimeToDrain = "1.23";
    data.m_strBaseEffectivePorosity = "0.3";
    data.m_strBaseThickness = "0.5";
    data.m_strPercentDrained = "50";
    data.m_strBaseDischargeRate = "38.84";
}

TEST(EdgeDrainCalc, PipeSpacingByEachApproach)
{
    const struct { const char* pszName; const char* pszUnits; const char* pszApproach; const char* pszSpacing; } cases[] = {
        {"infiltration", "english", "Infiltration", "4076.9"},
        {"time to drain", "english", "TTD", "2563.0"},
        {"permeable base", "english", "Permeable", "1352.0"},
        // Metric flows are per second: the hours become seconds.
        {"time to drain, metric", "metric", "TTD", "221444280.0"},
        {"no approach", "english", "", "52510.5"},
    };
    for (const auto& c : cases)
    {
        CProjectData data(c.pszUnits);
        SetSpacingDesign(data, c.pszApproach);
        const CPageCalcResult result = CEdgeDrainCalc::PipeSpacing(data, 0.92);
        EXPECT_TRUE(result.bStored) << c.pszName;
        EXPECT_EQ(data.m_strOutletSpacing, c.pszSpacing) << c.pszName;
        EXPECT_EQ(data.m_strPipeFlow, "52510.5") << c.pszName;
    }
}

TEST(EdgeDrainCalc, PipeSpacingRefusesWhatGivesNoSpacing)
{
    const struct
    {
        const char* pszApproach;
        CString CProjectData::*field;
        const char* pszValue;
        double qi;
        const char* pszMessage;
    } cases[] = {
        {"Infiltration", &CProjectData::m_strBaseWidth, "0", 0.92, "Pavement width, W, must be a positive value"},
        {"Infiltration", &CProjectData::m_strBaseWidth, "14", 0.0, "Inflow, q_i, must be a positive value"},
        {"Permeable", &CProjectData::m_strBaseDischargeRate, "-1", 0.92, "Qd must be a positive value"},
        {"TTD", &CProjectData::m_strBaseWidth, "0", 0.92, "W must be a positive value"},
        {"TTD", &CProjectData::m_strBaseWidth, "-14", 0.92, "W must be a positive value"},
        {"TTD", &CProjectData::m_strBaseEffectivePorosity, "0", 0.92,
         "The effective porosity Ne must be a positive value"},
        {"TTD", &CProjectData::m_strBaseThickness, "-0.5", 0.92, "The base course thickness must be a positive value"},
        {"TTD", &CProjectData::m_strPercentDrained, "0", 0.92, "The base course thickness must be a positive value"},
    };
    for (const auto& c : cases)
    {
        CProjectData data("english");
        SetSpacingDesign(data, c.pszApproach);
        data.*c.field = c.pszValue;
        data.m_strOutletSpacing = "7.0";
        const CPageCalcResult result = CEdgeDrainCalc::PipeSpacing(data, c.qi);
        EXPECT_FALSE(result.bStored) << c.pszMessage;
        EXPECT_EQ(result.strMessage, c.pszMessage);
        EXPECT_EQ(data.m_strOutletSpacing, "7.0");
    }
    // Time to drain with a units word that is neither: nothing at all.
    CProjectData data("imperial");
    SetSpacingDesign(data, "TTD");
    const CPageCalcResult result = CEdgeDrainCalc::PipeSpacing(data, 0.92);
    EXPECT_FALSE(result.bStored);
    EXPECT_TRUE(result.strMessage.IsEmpty());
}

TEST(EdgeDrainCalc, GeocompositeFindsCapacityAndSpacingTogether)
{
    const struct
    {
        const char* pszName;
        const char* pszUnits;
        const char *pszD1, *pszD2, *pszC, *pszW;
        double qi;
        const char *pszFlow, *pszSpacing;
        int nPasses;
    } cases[] = {
        {"falling flow zone", "english", "4", "2", "1195", "14", 0.92, "553.7", "43.0", 3},
        {"level flow zone", "english", "3", "3", "1195", "14", 0.92, "507.0", "39.4", 2},
        {"the first design in metric", "metric", "101.6", "50.8", "1333", "4.2672", 3.2458e-06, "1.81e-004", "13.1", 3},
    };
    for (const auto& c : cases)
    {
        CProjectData data(c.pszUnits);
        data.m_strDischarge = "Infiltration";
        data.m_strLongitudinalSlope = "0.02";
        data.m_strFlowZoneDepth = c.pszD1;
        data.m_strOutletDepth = c.pszD2;
        data.m_strFinDrainConstant = c.pszC;
        data.m_strBaseWidth = c.pszW;
        int nPasses = 0;
        const CPageCalcResult result = CEdgeDrainCalc::Geocomposite(data, c.qi, &nPasses);
        EXPECT_TRUE(result.bStored) << c.pszName;
        EXPECT_EQ(data.m_strPipeFlow, c.pszFlow) << c.pszName;
        EXPECT_EQ(data.m_strOutletSpacing, c.pszSpacing) << c.pszName;
        EXPECT_EQ(nPasses, c.nPasses) << c.pszName;
    }
}

TEST(EdgeDrainCalc, GeocompositeStoresNothingWithoutAFiniteSettledResult)
{
    const struct { const char* pszName; const char* pszSlope; const char* pszApproach; const char* pszMessage; } cases[] = {
        // The gradient S + (D1 - D2)/(12 L) is negative: the square root is no number.
        {"negative gradient", "-0.5", "Infiltration", "No result can be computed from these values."},
        {"refused input in the first pass", "0.02", "Permeable", "Qd must be a positive value"},
    };
    for (const auto& c : cases)
    {
        CProjectData data("english");
        data.m_strDischarge = c.pszApproach;
        data.m_strLongitudinalSlope = c.pszSlope;
        data.m_strFlowZoneDepth = "4";
        data.m_strOutletDepth = "2";
        data.m_strFinDrainConstant = "1195";
        data.m_strBaseWidth = "14";
        data.m_strPipeFlow = "1.0";
        data.m_strOutletSpacing = "2.0";
        int nPasses = 0;
        const CPageCalcResult result = CEdgeDrainCalc::Geocomposite(data, 0.92, &nPasses);
        EXPECT_FALSE(result.bStored) << c.pszName;
        EXPECT_EQ(result.strMessage, c.pszMessage) << c.pszName;
        EXPECT_EQ(data.m_strPipeFlow, "1.0") << c.pszName;
        EXPECT_EQ(data.m_strOutletSpacing, "2.0") << c.pszName;
    }

    // A spacing that swings ever wider never settles; the iteration gives up at its limit.
    CProjectData data("english");
    data.m_strDischarge = "Infiltration";
    data.m_strLongitudinalSlope = "0";
    data.m_strFlowZoneDepth = "4";
    data.m_strOutletDepth = "-8";
    data.m_strFinDrainConstant = "1195";
    data.m_strBaseWidth = "1";
    int nPasses = 0;
    const CPageCalcResult result = CEdgeDrainCalc::Geocomposite(data, 0.001, &nPasses);
    EXPECT_FALSE(result.bStored);
    EXPECT_EQ(result.strMessage, "No result can be computed from these values.");
    EXPECT_TRUE(data.m_strPipeFlow.IsEmpty());
}

} // namespace
