#include "quarrow/app/ProjectData.h"

#include "tests/quarrow/QuarrowTestSupport.h"

#include <gtest/gtest.h>

namespace {

using TextField = CString CProjectData::*;

// The text of 1 converted each way, by factor and text form.
struct OneConverted
{
    const char* toMetric;
    const char* toEnglish;
};

const OneConverted Length = {"0.3048", "3.2808"};
const OneConverted Inches = {"25.4", "3.937e-002"};
const OneConverted GrainSize = {"25.4000", "0.0394"};
const OneConverted GeotextileLength = {"25.400", "0.039"};
const OneConverted InflowRate = {"3.528e-006", "2.8345e+005"};
const OneConverted CrackRate = {"1.075e-006", "9.3023e+005"};
const OneConverted PipeFlow = {"3.277e-007", "3.0516e+006"};
const OneConverted Area = {"9.29e-002", "10.764"};
const OneConverted Load = {"4.882", "0.20483"};
const OneConverted FinDrain = {"1.1158", "0.89622"};
const OneConverted UnitWeight = {"16.018", "6.243e-002"};

struct ConvertedCase
{
    TextField field;
    const OneConverted* one;
};

const ConvertedCase ConvertedCases[] = {
    {&CProjectData::m_strResultantLength, &Length},
    {&CProjectData::m_strBaseWidth, &Length},
    {&CProjectData::m_strInflowWidth, &Length},
    {&CProjectData::m_strTransverseCrackLength, &Length},
    {&CProjectData::m_strTransverseCrackSpacing, &Length},
    {&CProjectData::m_strContributingLength, &Length},
    {&CProjectData::m_strContributingWidth, &Length},
    {&CProjectData::m_strWettedPerimeter, &Length},
    {&CProjectData::m_strHydraulicRadius, &Length},
    {&CProjectData::m_strPipeVelocity, &Length},
    {&CProjectData::m_strGeometryCoefficientB, &Length},
    {&CProjectData::m_strGeometryCoefficientC, &Length},
    {&CProjectData::m_strOutletSpacing, &Length},
    {&CProjectData::m_strPavementK, &Length},
    {&CProjectData::m_strPavementLayerThickness, &Length},
    {&CProjectData::m_strBaseThickness, &Length},
    {&CProjectData::m_strBaseK, &Length},
    {&CProjectData::m_strBaseMinThickness, &Length},
    {&CProjectData::m_strSubgradeK, &Length},
    {&CProjectData::m_strSeparatorK, &Length},
    {&CProjectData::m_strGeotextilePermeability, &Length},
    {&CProjectData::m_strSeparatorMinK, &Length},
    {&CProjectData::m_strRainfallRate, &Inches},
    {&CProjectData::m_strApparentOpeningSize, &Inches},
    {&CProjectData::m_strPipeDiameter, &Inches},
    {&CProjectData::m_strHeaveRate, &Inches},
    {&CProjectData::m_strFlowZoneDepth, &Inches},
    {&CProjectData::m_strOutletDepth, &Inches},
    {&CProjectData::m_strSeparatorMaxH, &Inches},
    {&CProjectData::m_strGeotextileLength, &GeotextileLength},
    {&CProjectData::m_strBaseD10, &GrainSize},
    {&CProjectData::m_strBaseD12, &GrainSize},
    {&CProjectData::m_strBaseD15, &GrainSize},
    {&CProjectData::m_strBaseD30, &GrainSize},
    {&CProjectData::m_strBaseD50, &GrainSize},
    {&CProjectData::m_strBaseD60, &GrainSize},
    {&CProjectData::m_strBaseD85, &GrainSize},
    {&CProjectData::m_strSubgradeD10, &GrainSize},
    {&CProjectData::m_strSubgradeD12, &GrainSize},
    {&CProjectData::m_strSubgradeD15, &GrainSize},
    {&CProjectData::m_strSubgradeD30, &GrainSize},
    {&CProjectData::m_strSubgradeD50, &GrainSize},
    {&CProjectData::m_strSubgradeD60, &GrainSize},
    {&CProjectData::m_strSubgradeD85, &GrainSize},
    {&CProjectData::m_strSeparatorD10, &GrainSize},
    {&CProjectData::m_strSeparatorD12, &GrainSize},
    {&CProjectData::m_strSeparatorD15, &GrainSize},
    {&CProjectData::m_strSeparatorD30, &GrainSize},
    {&CProjectData::m_strSeparatorD50, &GrainSize},
    {&CProjectData::m_strSeparatorD60, &GrainSize},
    {&CProjectData::m_strSeparatorD85, &GrainSize},
    {&CProjectData::m_strInfiltrationRate, &InflowRate},
    {&CProjectData::m_strTotalInflow, &InflowRate},
    {&CProjectData::m_strSeepageVelocity, &InflowRate},
    {&CProjectData::m_strDischargeVelocity, &InflowRate},
    {&CProjectData::m_strMeltwaterFlow, &InflowRate},
    {&CProjectData::m_strCrackInfiltrationRate, &CrackRate},
    {&CProjectData::m_strBaseDischargeRate, &CrackRate},
    {&CProjectData::m_strPipeFlow, &PipeFlow},
    {&CProjectData::m_strFlowArea, &Area},
    {&CProjectData::m_strPipeFlowArea, &Area},
    {&CProjectData::m_strPavementLoad, &Load},
    {&CProjectData::m_strFinDrainConstant, &FinDrain},
    {&CProjectData::m_strPavementUnitWeight, &UnitWeight},
    {&CProjectData::m_strBaseUnitWeight, &UnitWeight},
    {&CProjectData::m_strSubgradeUnitWeight, &UnitWeight},
    {&CProjectData::m_strSeparatorUnitWeight, &UnitWeight},
};

const TextField UnconvertedFields[] = {
    &CProjectData::m_strLongitudinalSlope, &CProjectData::m_strCrossSlope,
    &CProjectData::m_strResultantSlope, &CProjectData::m_strSlopeAngle,
    &CProjectData::m_strInfiltrationRatio, &CProjectData::m_strLongitudinalCracks,
    &CProjectData::m_strTrafficLanes, &CProjectData::m_strWaterContent,
    &CProjectData::m_strVoidVolume, &CProjectData::m_strWaterVolume, &CProjectData::m_strTotalVolume,
    &CProjectData::m_strWaterLoss, &CProjectData::m_strPercentDrained,
    &CProjectData::m_strPercentSaturation, &CProjectData::m_strHydraulicGradient,
    &CProjectData::m_strTimeToDrain, &CProjectData::m_strTimeFactor, &CProjectData::m_strMFactor,
    &CProjectData::m_strSlopeFactor, &CProjectData::m_strManningCoefficient,
    &CProjectData::m_strConveyance, &CProjectData::m_strPavementThickness,
    &CProjectData::m_strGeotextileMultiplier,
    &CProjectData::m_strBaseP200, &CProjectData::m_strBaseSpecificGravity, &CProjectData::m_strBaseCu,
    &CProjectData::m_strBaseCc, &CProjectData::m_strBasePorosity, &CProjectData::m_strBaseEffectivePorosity,
    &CProjectData::m_strBaseDescription, &CProjectData::m_strBaseWater,
    &CProjectData::m_strSubgradeP200, &CProjectData::m_strSubgradeSpecificGravity,
    &CProjectData::m_strSubgradeCu, &CProjectData::m_strSubgradeCc, &CProjectData::m_strSubgradePorosity,
    &CProjectData::m_strSubgradeEffectivePorosity, &CProjectData::m_strSubgradeDescription,
    &CProjectData::m_strSubgradeWater,
    &CProjectData::m_strSeparatorP200, &CProjectData::m_strSeparatorSpecificGravity,
    &CProjectData::m_strSeparatorCu, &CProjectData::m_strSeparatorCc,
    &CProjectData::m_strSeparatorPorosity, &CProjectData::m_strSeparatorEffectivePorosity,
    &CProjectData::m_strSeparatorDescription, &CProjectData::m_strSeparatorWater,
};

void SetEveryTextToOne(CProjectData& data)
{
    for (const ConvertedCase& entry : ConvertedCases)
        data.*entry.field = "1";
    for (TextField field : UnconvertedFields)
        data.*field = "1";
    data.m_strSieve[4][1] = "1";
}

} // namespace

TEST(UnitConversion, ToMetricConvertsEveryFieldWithItsFactorAndForm)
{
    CProjectData data("english");
    SetEveryTextToOne(data);

    data.ConvertToMetric();

    for (const ConvertedCase& entry : ConvertedCases)
        EXPECT_EQ(data.*entry.field, entry.one->toMetric) << "expected " << entry.one->toMetric;
    for (TextField field : UnconvertedFields)
        EXPECT_EQ(data.*field, "1");
    EXPECT_EQ(data.m_strSieve[4][1], "1");
    EXPECT_EQ(data.m_strUnits, "english");
}

TEST(UnitConversion, ToEnglishUsesTheReciprocalFactors)
{
    CProjectData data("metric");
    SetEveryTextToOne(data);

    data.ConvertToEnglish();

    for (const ConvertedCase& entry : ConvertedCases)
        EXPECT_EQ(data.*entry.field, entry.one->toEnglish) << "expected " << entry.one->toEnglish;
    for (TextField field : UnconvertedFields)
        EXPECT_EQ(data.*field, "1");
    EXPECT_EQ(data.m_strUnits, "metric");
}

TEST(UnitConversion, ValuesTakeTheTextOfTheirConvertedMagnitude)
{
    struct Case
    {
        TextField field;
        bool toMetric;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {&CProjectData::m_strBaseWidth, true, "10", "3.048"},
        {&CProjectData::m_strBaseWidth, false, "3.048", "10."},
        {&CProjectData::m_strBaseD15, true, "0.005", "0.1270"},
        {&CProjectData::m_strBaseD15, false, "0.2", "7.87e-003"},
        {&CProjectData::m_strSubgradeD85, false, "0.254", "0.0100"},
        {&CProjectData::m_strGeotextileLength, true, "0.0003", "7.62e-003"},
        {&CProjectData::m_strGeotextileLength, true, "0.1", "2.540"},
        {&CProjectData::m_strSeparatorUnitWeight, true, "120", "1922.2"},
        {&CProjectData::m_strInfiltrationRate, true, "0.5", "1.764e-006"},
        {&CProjectData::m_strBaseK, true, "-100", "-30.48"},
        {&CProjectData::m_strBaseThickness, true, "", ""},
        {&CProjectData::m_strBaseThickness, false, "", ""},
        {&CProjectData::m_strBaseD10, true, "abc", "0.0000"},
        {&CProjectData::m_strBaseD10, false, "abc", "0.0000"},
        {&CProjectData::m_strPipeDiameter, true, "abc", "0."},
        {&CProjectData::m_strPipeDiameter, true, "1e999", ""},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        data.*entry.field = entry.before;
        if (entry.toMetric)
            data.ConvertToMetric();
        else
            data.ConvertToEnglish();
        EXPECT_EQ(data.*entry.field, entry.after) << entry.before << (entry.toMetric ? " to metric" : " to english");
    }
}

TEST(UnitConversion, MetricAndBackKeepsTheFiveDigitsOfTheText)
{
    const char* texts[] = {"12.345", "10.", "1.23e-003", "1.2345e+007", "0.5"};
    for (const char* text : texts)
    {
        CProjectData data("english");
        data.m_strResultantLength = text;
        data.ConvertToMetric();
        data.ConvertToEnglish();
        EXPECT_EQ(data.m_strResultantLength, text);
    }
}
