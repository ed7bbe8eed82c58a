#include "quarrow/app/ProjectData.h"

#include "tests/quarrow/QuarrowTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct ChoiceDefault
{
    CString CProjectData::*field;
    const char* atCreation;
    const char* afterNew;     // nullptr: File New keeps the word
};

const ChoiceDefault ChoiceDefaults[] = {
    {&CProjectData::m_strGeometryChoice, "A", "A"},
    {&CProjectData::m_strMode, "normal", "normal"},
    {&CProjectData::m_strMeltwater, "no", "yes"},
    {&CProjectData::m_strInfiltrationMethod, "crack", "crack"},
    {&CProjectData::m_strConcrete, "PCC", "PCC"},
    {&CProjectData::m_strRain, "one", "one"},
    {&CProjectData::m_strBaseMethod, "TTD", "TTD"},
    {&CProjectData::m_strDrainMethod, "AASHTO", "AASHTO"},
    {&CProjectData::m_strTimeToDrainMethod, "Barber", "Barber"},
    {&CProjectData::m_strEdgeDrainType, "pipe", "pipe"},
    {&CProjectData::m_strDischarge, "Infiltration", "Infiltration"},
    {&CProjectData::m_strSieveSource, "sieve", "sieve"},
    {&CProjectData::m_strSieveType, "value", "value"},
    {&CProjectData::m_strSieveLayer, "base", "base"},
    {&CProjectData::m_strSeparatorType, "none", "none"},
    {&CProjectData::m_strWaterBase, "content", "content"},
    {&CProjectData::m_strWaterSub, "content", "content"},
    {&CProjectData::m_strWaterSep, "content", "content"},
    {&CProjectData::m_strFillType, "silt", "silt"},
    {&CProjectData::m_strPlotScale, "pow45", nullptr},
    {&CProjectData::m_strRetention, "steady", nullptr},
    {&CProjectData::m_strPermeabilityChoice, "normal", nullptr},
    {&CProjectData::m_strClogging, "normal", nullptr},
    {&CProjectData::m_strGeotextileType, "nonwoven", nullptr},
};

void ExpectEmptyDesign(const CProjectData& data)
{
    EXPECT_EQ(data.m_strPavementK, "0");
    EXPECT_EQ(data.m_strBaseDescription, "<user defined>");
    EXPECT_EQ(data.m_strSubgradeDescription, "<user defined>");
    EXPECT_EQ(data.m_strSeparatorDescription, "<user defined>");
    EXPECT_TRUE(data.m_strLongitudinalSlope.IsEmpty());
    EXPECT_TRUE(data.m_strOutletSpacing.IsEmpty());
    EXPECT_TRUE(data.m_strGeotextileLength.IsEmpty());
    EXPECT_TRUE(data.m_strBaseThickness.IsEmpty());
    EXPECT_TRUE(data.m_strSeparatorMinK.IsEmpty());
    EXPECT_TRUE(data.m_strSeparatorWater.IsEmpty());
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        for (int column = 0; column < CProjectData::SieveColumns; ++column)
        {
            EXPECT_EQ(data.m_dSieve[row][column], -1.0) << row << "," << column;
            EXPECT_TRUE(data.m_strSieve[row][column].IsEmpty()) << row << "," << column;
        }
    }
    EXPECT_EQ(data.m_nFocusControl, 0);
    EXPECT_EQ(data.m_nPickedValue, 0);
    EXPECT_EQ(data.m_bSeparatorChecked, FALSE);
}

} // namespace

TEST(ProjectData, NewRecordHasItsCreationValues)
{
    CProjectData data("english");

    EXPECT_EQ(data.m_strUnits, "english");
    ExpectEmptyDesign(data);
    for (const ChoiceDefault& choice : ChoiceDefaults)
        EXPECT_EQ(data.*choice.field, choice.atCreation);
    for (BOOL bCurve : data.m_bSensitivity)
        EXPECT_EQ(bCurve, TRUE);
    EXPECT_EQ(data.m_bModified, TRUE);
}

TEST(ProjectData, FileNewResetsTheDesignAndKeepsTheEngineersChoices)
{
    CProjectData data("english");
    data.m_strBaseWidth = "10";
    data.m_strGeotextileLength = "0.5";
    data.m_strPavementK = "12";
    data.m_strBaseDescription = "Crushed stone";
    data.m_strSieve[3][4] = "12.5";
    data.m_dSieve[3][4] = 12.5;
    data.m_nFocusControl = 1184;
    data.m_nPickedValue = 3;
    data.m_bSeparatorChecked = TRUE;
    data.m_strMode = "expert";
    data.m_strSeparatorType = "geotextile";
    data.m_strPlotScale = "log";
    data.m_strRetention = "dynamic";
    data.m_strPermeabilityChoice = "critical";
    data.m_strClogging = "critical";
    data.m_strGeotextileType = "woven";
    data.m_bSensitivity[CProjectData::SensitivityDrain] = FALSE;
    data.m_bModified = FALSE;

    data.SetDefaults("metric");

    EXPECT_EQ(data.m_strUnits, "metric");
    EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
    ExpectEmptyDesign(data);
    EXPECT_EQ(data.m_strMode, "normal");
    EXPECT_EQ(data.m_strMeltwater, "yes");
    EXPECT_EQ(data.m_strSeparatorType, "none");
    EXPECT_EQ(data.m_strPlotScale, "log");
    EXPECT_EQ(data.m_strRetention, "dynamic");
    EXPECT_EQ(data.m_strPermeabilityChoice, "critical");
    EXPECT_EQ(data.m_strClogging, "critical");
    EXPECT_EQ(data.m_strGeotextileType, "woven");
    EXPECT_EQ(data.m_bSensitivity[CProjectData::SensitivityDrain], FALSE);
    EXPECT_EQ(data.m_bSensitivity[CProjectData::SensitivityLength], TRUE);
    EXPECT_EQ(data.m_bModified, FALSE);
}

TEST(ProjectData, FileNewSetsEveryChoiceWordOfANewDesign)
{
    CProjectData data("english");
    for (const ChoiceDefault& choice : ChoiceDefaults)
        data.*choice.field = "changed";

    data.SetDefaults("english");

    for (const ChoiceDefault& choice : ChoiceDefaults)
        EXPECT_EQ(data.*choice.field, choice.afterNew ? choice.afterNew : "changed");
}

TEST(ProjectData, SieveLabelsRunFromTheFinestSieveToTheCoarsest)
{
    EXPECT_STREQ(CProjectData::SieveLabels[0], "0.001mm");
    EXPECT_STREQ(CProjectData::SieveLabels[3], "#200");
    EXPECT_STREQ(CProjectData::SieveLabels[14], "#4");
    EXPECT_STREQ(CProjectData::SieveLabels[15], "3/8\"");
    EXPECT_STREQ(CProjectData::SieveLabels[19], "1 1/2\"");
    EXPECT_STREQ(CProjectData::SieveLabels[23], "3 1/2\"");
}
