#include "quarrow/app/ProjectData.h"

const char* const CProjectData::SieveLabels[CProjectData::SieveCount] = {
    "0.001mm", "0.002mm", "0.020mm", "#200", "#100", "#70", "#60", "#50", "#40", "#30", "#20", "#16",
    "#10", "#8", "#4", "3/8\"", "1/2\"", "3/4\"", "1\"", "1 1/2\"", "2\"", "2 1/2\"", "3\"", "3 1/2\"",
};

namespace {

using TextField = CString CProjectData::*;

// Every quantity, single value and layer field: the values that File New resets.
const TextField ValueFields[] = {
    &CProjectData::m_strLongitudinalSlope, &CProjectData::m_strCrossSlope,
    &CProjectData::m_strResultantSlope, &CProjectData::m_strResultantLength,
    &CProjectData::m_strBaseWidth, &CProjectData::m_strInflowWidth, &CProjectData::m_strSlopeAngle,
    &CProjectData::m_strInfiltrationRate, &CProjectData::m_strInfiltrationRatio,
    &CProjectData::m_strRainfallRate, &CProjectData::m_strCrackInfiltrationRate,
    &CProjectData::m_strLongitudinalCracks, &CProjectData::m_strTransverseCrackLength,
    &CProjectData::m_strTransverseCrackSpacing, &CProjectData::m_strTrafficLanes,
    &CProjectData::m_strBaseDischargeRate, &CProjectData::m_strPipeFlow,
    &CProjectData::m_strContributingLength, &CProjectData::m_strContributingWidth,
    &CProjectData::m_strWaterContent, &CProjectData::m_strTotalInflow,
    &CProjectData::m_strVoidVolume, &CProjectData::m_strWaterVolume,
    &CProjectData::m_strTotalVolume, &CProjectData::m_strWaterLoss,
    &CProjectData::m_strPercentDrained, &CProjectData::m_strPercentSaturation,
    &CProjectData::m_strHydraulicGradient, &CProjectData::m_strFlowArea,
    &CProjectData::m_strSeepageVelocity, &CProjectData::m_strDischargeVelocity,
    &CProjectData::m_strTimeToDrain, &CProjectData::m_strTimeFactor, &CProjectData::m_strMFactor,
    &CProjectData::m_strSlopeFactor, &CProjectData::m_strApparentOpeningSize,
    &CProjectData::m_strPipeDiameter, &CProjectData::m_strManningCoefficient,
    &CProjectData::m_strPipeFlowArea, &CProjectData::m_strWettedPerimeter,
    &CProjectData::m_strHydraulicRadius, &CProjectData::m_strConveyance,
    &CProjectData::m_strPipeVelocity, &CProjectData::m_strGeometryCoefficientB,
    &CProjectData::m_strGeometryCoefficientC, &CProjectData::m_strHeaveRate,
    &CProjectData::m_strPavementThickness, &CProjectData::m_strPavementLoad,
    &CProjectData::m_strMeltwaterFlow, &CProjectData::m_strGeotextileMultiplier,
    &CProjectData::m_strFlowZoneDepth, &CProjectData::m_strOutletDepth,
    &CProjectData::m_strFinDrainConstant, &CProjectData::m_strOutletSpacing,

    &CProjectData::m_strGeotextilePermeability, &CProjectData::m_strGeotextileLength,
    &CProjectData::m_strPavementK, &CProjectData::m_strPavementUnitWeight,
    &CProjectData::m_strPavementLayerThickness,

    &CProjectData::m_strBaseThickness, &CProjectData::m_strBaseD10, &CProjectData::m_strBaseD12,
    &CProjectData::m_strBaseD15, &CProjectData::m_strBaseD30, &CProjectData::m_strBaseD50,
    &CProjectData::m_strBaseD60, &CProjectData::m_strBaseD85, &CProjectData::m_strBaseUnitWeight,
    &CProjectData::m_strBaseP200, &CProjectData::m_strBaseSpecificGravity,
    &CProjectData::m_strBaseCu, &CProjectData::m_strBaseCc, &CProjectData::m_strBaseK,
    &CProjectData::m_strBasePorosity, &CProjectData::m_strBaseEffectivePorosity,
    &CProjectData::m_strBaseMinThickness, &CProjectData::m_strBaseDescription,
    &CProjectData::m_strBaseWater,

    &CProjectData::m_strSubgradeD10, &CProjectData::m_strSubgradeD12,
    &CProjectData::m_strSubgradeD15, &CProjectData::m_strSubgradeD30,
    &CProjectData::m_strSubgradeD50, &CProjectData::m_strSubgradeD60,
    &CProjectData::m_strSubgradeD85, &CProjectData::m_strSubgradeUnitWeight,
    &CProjectData::m_strSubgradeP200, &CProjectData::m_strSubgradeSpecificGravity,
    &CProjectData::m_strSubgradeCu, &CProjectData::m_strSubgradeCc, &CProjectData::m_strSubgradeK,
    &CProjectData::m_strSubgradePorosity, &CProjectData::m_strSubgradeEffectivePorosity,
    &CProjectData::m_strSubgradeDescription, &CProjectData::m_strSubgradeWater,

    &CProjectData::m_strSeparatorD10, &CProjectData::m_strSeparatorD12,
    &CProjectData::m_strSeparatorD15, &CProjectData::m_strSeparatorD30,
    &CProjectData::m_strSeparatorD50, &CProjectData::m_strSeparatorD60,
    &CProjectData::m_strSeparatorD85, &CProjectData::m_strSeparatorUnitWeight,
    &CProjectData::m_strSeparatorP200, &CProjectData::m_strSeparatorSpecificGravity,
    &CProjectData::m_strSeparatorCu, &CProjectData::m_strSeparatorCc,
    &CProjectData::m_strSeparatorK, &CProjectData::m_strSeparatorPorosity,
    &CProjectData::m_strSeparatorEffectivePorosity, &CProjectData::m_strSeparatorDescription,
    &CProjectData::m_strSeparatorMaxH, &CProjectData::m_strSeparatorMinK,
    &CProjectData::m_strSeparatorWater,
};

const char UserDefined[] = "<user defined>";

} // namespace

CProjectData::CProjectData(const CString& strUnits)
{
    SetValueDefaults(strUnits);
    SetChoiceDefaults();
    m_strMeltwater = "no";          // a new design starts without meltwater; File New says "yes"
    m_strPlotScale = "pow45";
    m_strRetention = "steady";
    m_strPermeabilityChoice = "normal";
    m_strClogging = "normal";
    m_strGeotextileType = "nonwoven";
    for (BOOL& bCurve : m_bSensitivity)
        bCurve = TRUE;
    m_bModified = TRUE;
}

CProjectData::~CProjectData()
{
}

void CProjectData::SetDefaults(const CString& strUnits)
{
    SetValueDefaults(strUnits);
    SetChoiceDefaults();
}

// Units, values, sieve tables and the page state of a new design.
void CProjectData::SetValueDefaults(const CString& strUnits)
{
    m_strUnits = strUnits;
    for (TextField field : ValueFields)
        (this->*field).Empty();
    m_strPavementK = "0";
    m_strBaseDescription = UserDefined;
    m_strSubgradeDescription = UserDefined;
    m_strSeparatorDescription = UserDefined;

    // An empty sieve text always goes with -1.0, the number that every reader of the
    // table takes as "no value" (a 0.0 would be plotted as nothing passing).
    for (int row = 0; row < SieveCount; ++row)
    {
        for (int column = 0; column < SieveColumns; ++column)
        {
            m_dSieve[row][column] = -1.0;
            m_strSieve[row][column].Empty();
        }
    }

    m_nFocusControl = 0;
    m_nPickedValue = 0;
    m_bSeparatorChecked = FALSE;
}

// Choice words 1 to 19 as File New sets them.
void CProjectData::SetChoiceDefaults()
{
    m_strGeometryChoice = "A";
    m_strMode = "normal";
    m_strMeltwater = "yes";
    m_strInfiltrationMethod = "crack";
    m_strConcrete = "PCC";
    m_strRain = "one";
    m_strBaseMethod = "TTD";
    m_strDrainMethod = "AASHTO";
    m_strTimeToDrainMethod = "Barber";
    m_strEdgeDrainType = "pipe";
    m_strDischarge = "Infiltration";
    m_strSieveSource = "sieve";
    m_strSieveType = "value";
    m_strSieveLayer = "base";
    m_strSeparatorType = "none";
    m_strWaterBase = "content";
    m_strWaterSub = "content";
    m_strWaterSep = "content";
    m_strFillType = "silt";
}
