#include "quarrow/pages/RoadwayCalc.h"

#include "quarrow/app/ProjectData.h"
#include "tests/quarrow/QuarrowTestSupport.h"

#include <gtest/gtest.h>

TEST(RoadwayCalc, WidthOfBothGeometries)
{
    CProjectData data("english");
    data.m_strGeometryCoefficientB = "10";
    data.m_strGeometryCoefficientC = "2";
    data.m_strResultantLength = "16.83";
    data.m_strInfiltrationRate = "0.5";
    data.m_strPipeFlow = "3";
    data.m_strOutletSpacing = "250";
    data.m_strTimeToDrain = "1.23";

    EXPECT_TRUE(CRoadwayCalc::CalcWidth(data).bStored);
    EXPECT_EQ(data.m_strBaseWidth, "7.");
    EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
    EXPECT_TRUE(data.m_strInfiltrationRate.IsEmpty());
    EXPECT_TRUE(data.m_strPipeFlow.IsEmpty());
    EXPECT_TRUE(data.m_strOutletSpacing.IsEmpty());
    EXPECT_EQ(data.m_strTimeToDrain, "1.23");

    data.m_strTransverseCrackLength = "5.";
    data.m_strResultantLength = "9.9";
    CRoadwayCalc::SetGeometry(data, "B");
    EXPECT_EQ(data.m_strGeometryChoice, "B");
    EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
    EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
    EXPECT_EQ(data.m_strTransverseCrackLength, "10.");

    CRoadwayCalc::CalcWidth(data);
    EXPECT_EQ(data.m_strBaseWidth, "14.");

    CRoadwayCalc::SetGeometry(data, "A");
    EXPECT_EQ(data.m_strTransverseCrackLength, "5.");
}

TEST(RoadwayCalc, WidthNeedsBothCoefficients)
{
    CProjectData data("english");
    data.m_strGeometryCoefficientB = "10";
    data.m_strBaseWidth = "7.";

    CPageCalcResult result = CRoadwayCalc::CalcWidth(data);

    EXPECT_FALSE(result.bStored);
    EXPECT_TRUE(result.strMessage.IsEmpty());
    EXPECT_EQ(data.m_strBaseWidth, "7.");
}

TEST(RoadwayCalc, GeometryWithoutBLeavesTheJointLength)
{
    CProjectData data("english");
    data.m_strTransverseCrackLength = "12";
    CRoadwayCalc::SetGeometry(data, "B");
    EXPECT_EQ(data.m_strTransverseCrackLength, "12");
}

TEST(RoadwayCalc, ResultantSlopeAndLength)
{
    struct Case
    {
        const char* S;
        const char* Sx;
        const char* W;
        const char* Sr;
        const char* Lr;
    };
    const Case cases[] = {
        {"0.02", "0.03", "14", "0.0361", "16.83"},
        {"0.02", "0.03", "0.05", "0.0361", "6.01e-002"},
        {"0", "0.00005", "1", "5.0e-005", "1.00"},
        {"0.0001", "0", "1", "1.0e-004", ""},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        data.m_strLongitudinalSlope = entry.S;
        data.m_strCrossSlope = entry.Sx;
        data.m_strBaseWidth = entry.W;
        data.m_strResultantLength = "old";

        CRoadwayCalc::CalcResultantSlope(data);
        EXPECT_EQ(data.m_strResultantSlope, entry.Sr) << entry.S << " " << entry.Sx;
        EXPECT_TRUE(data.m_strResultantLength.IsEmpty());

        ASSERT_TRUE(CRoadwayCalc::CanCalcResultantLength(data));
        CRoadwayCalc::CalcResultantLength(data);
        EXPECT_EQ(data.m_strResultantLength, entry.Lr) << entry.S << " " << entry.Sx << " " << entry.W;
    }
}

TEST(RoadwayCalc, AZeroCrossSlopeGivesNoLength)
{
    CProjectData data("english");
    data.m_strLongitudinalSlope = "0.02";
    data.m_strCrossSlope = "0";
    data.m_strBaseWidth = "14";
    data.m_strResultantLength = "16.83";

    CPageCalcResult result = CRoadwayCalc::CalcResultantLength(data);

    EXPECT_FALSE(result.bStored);
    EXPECT_EQ(result.strMessage, "Cross slope, Sx, must not be zero.");
    EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
}

TEST(RoadwayCalc, LengthButtonNeedsWidthAndBothSlopes)
{
    CProjectData data("english");
    data.m_strBaseWidth = "14";
    data.m_strLongitudinalSlope = "0.02";
    EXPECT_FALSE(CRoadwayCalc::CanCalcResultantLength(data));
    data.m_strCrossSlope = "0.03";
    EXPECT_TRUE(CRoadwayCalc::CanCalcResultantLength(data));
}
