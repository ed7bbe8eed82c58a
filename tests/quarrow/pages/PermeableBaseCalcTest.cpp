#include "quarrow/pages/PermeableBaseCalc.h"

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageNumberText.h"
#include "tests/quarrow/QuarrowTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

// The design of the examples: Ne = 0.3, k = 1000 ft/day, S = 0.02, L = 16.83 ft, H = 0.5 ft.
void SetBaseDesign(CProjectData& data)
{
    data.m_strBaseEffectivePorosity = "0.3";
    data.m_strBaseK = "1000";
    data.m_strResultantSlope = "0.02";
    data.m_strResultantLength = "16.83";
    data.m_strBaseThickness = "0.5";
}

struct BaseDesign : ::testing::Test
{
    BaseDesign() { SetBaseDesign(data); }
    CProjectData data{"english"};
};

void ExpectMessage(const CPageCalcResult& result, const char* text)
{
    EXPECT_FALSE(result.bStored);
    EXPECT_EQ(result.strMessage, text);
}

} // namespace

TEST(PermeableBaseFormulas, TimeToDrainByBothMethods)
{
    struct Case
    {
        double Ufrac;
        int barber;
        double hours;
    };
    const Case cases[] = {
        {0.3, 1, 0.5461097857217411}, {0.3, 0, 0.49425368466082764},
        {0.5, 1, 1.2254344774755235}, {0.5, 0, 1.2114217544223493},
        {0.500001, 1, 1.2254382157406705}, {0.500001, 0, 1.2114258957651},
        {0.9, 1, 4.990908442553097}, {0.9, 0, 6.147503412652416},
    };
    for (const Case& entry : cases)
    {
        double t = CPermeableBaseCalc::CalcTimeToDrain(0.3, 1000.0, 0.02, 16.83, 0.5, entry.Ufrac, entry.barber);
        EXPECT_NEAR(t, entry.hours, 1e-9) << "U " << entry.Ufrac << " barber " << entry.barber;
    }
}

TEST(PermeableBaseFormulas, DepthOfFlow)
{
    EXPECT_NEAR(CPermeableBaseCalc::CalcDepthOfFlow(2.0, 1000.0, 0.02, 16.83), 0.5527938622731369, 1e-12);
    // S^2 = 4q/k: the depth is L * sqrt(q/k) / e.
    EXPECT_NEAR(CPermeableBaseCalc::CalcDepthOfFlow(0.0001, 1.0, 0.02, 10.0), 10.0 * 0.01 / std::numbers::e,
                1e-12);
    EXPECT_EQ(CPermeableBaseCalc::CalcDepthOfFlow(2.0, 0.0, 0.02, 16.83), 0.0);
    EXPECT_EQ(CPermeableBaseCalc::CalcDepthOfFlow(2.0, -5.0, 0.02, 16.83), 0.0);
    EXPECT_EQ(CPermeableBaseCalc::CalcDepthOfFlow(2.0, 1000.0, -0.02, 16.83), 0.0);
    EXPECT_EQ(CPermeableBaseCalc::CalcDepthOfFlow(2.0, 1000.0, 0.02, -1.0), 0.0);
    EXPECT_EQ(CPermeableBaseCalc::CalcDepthOfFlow(0.0, 1000.0, 0.02, 16.83), 0.0);
}

TEST(PermeableBaseFormulas, PageNumberTexts)
{
    EXPECT_EQ(PageFixedOrExponent(0.1, 0.1, "%.2f", "%.2e"), "1.00e-001");
    EXPECT_EQ(PageFixedOrExponent(0.11, 0.1, "%.2f", "%.2e"), "0.11");
    EXPECT_EQ(PageFixedOrExponent(0.0, 0.01, "%.3f", "%.3e"), "0.000e+000");
    EXPECT_EQ(PageDigits5(0.5527938622731369), "0.55279");
    EXPECT_EQ(PageDigits5(14.0), "14.");
}

TEST_F(BaseDesign, TimeToDrainFromTheRecord)
{
    data.m_strPercentDrained = "50";

    data.m_strTimeToDrainMethod = "Barber";
    CPageCalcResult barber = CPermeableBaseCalc::TimeToDrain(data);
    EXPECT_TRUE(barber.bStored);
    EXPECT_TRUE(barber.strMessage.IsEmpty());
    EXPECT_EQ(data.m_strTimeToDrain, "1.23");

    data.m_strTimeToDrainMethod = "Cassagrande";
    CPermeableBaseCalc::TimeToDrain(data);
    EXPECT_EQ(data.m_strTimeToDrain, "1.21");
}

TEST(PermeableBaseRecord, TimeToDrainIgnoresIncompleteInputSilently)
{
    const struct
    {
        CString CProjectData::*field;
        const char* value;
    } cases[] = {
        {&CProjectData::m_strPercentDrained, "100"},
        {&CProjectData::m_strPercentDrained, "-1"},
        {&CProjectData::m_strBaseThickness, "0"},
        {&CProjectData::m_strResultantSlope, ""},
        {&CProjectData::m_strResultantLength, "0"},
    };
    for (const auto& entry : cases)
    {
        CProjectData design("english");
        SetBaseDesign(design);
        design.m_strPercentDrained = "50";
        design.m_strTimeToDrain = "old";
        design.*entry.field = entry.value;

        CPageCalcResult result = CPermeableBaseCalc::TimeToDrain(design);

        EXPECT_FALSE(result.bStored) << entry.value;
        EXPECT_TRUE(result.strMessage.IsEmpty()) << entry.value;
        EXPECT_EQ(design.m_strTimeToDrain, "old") << entry.value;
    }
}

TEST(PermeableBaseRecord, TimeToDrainRefusesNegativeAndZeroInputsWithAMessage)
{
    const struct
    {
        CString CProjectData::*field;
        const char* value;
        const char* message;
    } cases[] = {
        {&CProjectData::m_strResultantSlope, "-0.02", "S must be greater than zero."},
        {&CProjectData::m_strResultantLength, "-16.83", "L must be greater than zero."},
        {&CProjectData::m_strBaseK, "0", "Permeabilility, k, must be greater than zero."},
        {&CProjectData::m_strBaseEffectivePorosity, "", "Permeabilility, k, must be greater than zero."},
    };
    for (const auto& entry : cases)
    {
        CProjectData design("english");
        SetBaseDesign(design);
        design.m_strPercentDrained = "50";
        design.*entry.field = entry.value;

        ExpectMessage(CPermeableBaseCalc::TimeToDrain(design), entry.message);
        EXPECT_TRUE(design.m_strTimeToDrain.IsEmpty());
    }
}

TEST_F(BaseDesign, PercentSaturationFromPercentDrained)
{
    data.m_strPercentDrained = "50";
    data.m_strBasePorosity = "0.35";

    CPageCalcResult result = CPermeableBaseCalc::PercentSaturation(data);

    EXPECT_TRUE(result.bStored);
    EXPECT_EQ(result.nShowPage, -1);
    EXPECT_EQ(data.m_strPercentSaturation, "57.143");
}

TEST_F(BaseDesign, PercentSaturationWithoutPorositySendsTheEngineerToTheSieveAnalysis)
{
    data.m_strPercentDrained = "50";
    data.m_strBasePorosity = "";
    data.m_strSieveLayer = "subgrade";

    CPageCalcResult result = CPermeableBaseCalc::PercentSaturation(data);

    ExpectMessage(result, "Porosity, N, must be set under Sieve Analysis.");
    EXPECT_EQ(result.nShowPage, 1);
    // The layer word and the focus request wait for the message (PageShowCalcResult).
    EXPECT_EQ(result.pRecord, &data);
    EXPECT_EQ(result.strSieveLayer, "base");
    EXPECT_EQ(result.nFocusControl, 1151);
    EXPECT_EQ(data.m_strSieveLayer, "subgrade");
    EXPECT_EQ(data.m_nFocusControl, 0);
    EXPECT_TRUE(data.m_strPercentSaturation.IsEmpty());
}

TEST_F(BaseDesign, PercentDrainedFromPercentSaturation)
{
    data.m_strPercentSaturation = "57.143";
    data.m_strBasePorosity = "0.35";

    CPageCalcResult result = CPermeableBaseCalc::PercentDrained(data);

    EXPECT_TRUE(result.bStored);
    EXPECT_EQ(data.m_strPercentDrained, "50.");
}

TEST_F(BaseDesign, PercentDrainedWithoutEffectivePorosityStoresNothing)
{
    data.m_strPercentSaturation = "57.143";
    data.m_strBasePorosity = "0.35";
    data.m_strBaseEffectivePorosity = "0";
    data.m_strPercentDrained = "40";

    CPageCalcResult result = CPermeableBaseCalc::PercentDrained(data);

    ExpectMessage(result, "Effective porosity, Ne, must be set under Sieve Analysis.");
    EXPECT_EQ(result.nShowPage, 1);
    EXPECT_EQ(result.strSieveLayer, "base");
    EXPECT_EQ(result.nFocusControl, 1350);
    EXPECT_EQ(data.m_strPercentDrained, "40");
}

TEST_F(BaseDesign, MinimumThicknessFromTheDesignInflow)
{
    data.m_strMeltwater = "no";
    data.m_strInfiltrationRate = "2.0";
    data.m_strTotalInflow = "9.0";
    data.m_strBaseDischargeRate = "28.769";

    CPageCalcResult result = CPermeableBaseCalc::MinThickness(data);

    EXPECT_TRUE(result.bStored);
    EXPECT_EQ(data.m_strBaseMinThickness, "0.55279");
    EXPECT_TRUE(data.m_strBaseDischargeRate.IsEmpty());

    // With meltwater the total inflow is the design inflow.
    data.m_strMeltwater = "yes";
    data.m_strTotalInflow = "2.0";
    data.m_strInfiltrationRate = "9.0";
    CPermeableBaseCalc::MinThickness(data);
    EXPECT_EQ(data.m_strBaseMinThickness, "0.55279");
    EXPECT_EQ(&CPermeableBaseCalc::DesignInflow(data), &data.m_strTotalInflow);
}

TEST_F(BaseDesign, MinimumThicknessOfAMetricDesignTakesThePermeabilityPerSecond)
{
    data.m_strUnits = "metric";
    data.m_strMeltwater = "no";
    data.m_strInfiltrationRate = "1e-5";
    data.m_strBaseK = "300";
    data.m_strResultantLength = "5";

    CPermeableBaseCalc::MinThickness(data);

    EXPECT_EQ(data.m_strBaseMinThickness, "0.20641");
}

TEST_F(BaseDesign, MinimumThicknessIgnoresAMissingPermeability)
{
    data.m_strBaseK = "";
    data.m_strInfiltrationRate = "2.0";
    data.m_strBaseDischargeRate = "28.769";

    CPageCalcResult result = CPermeableBaseCalc::MinThickness(data);

    EXPECT_FALSE(result.bStored);
    EXPECT_TRUE(result.strMessage.IsEmpty());
    EXPECT_EQ(data.m_strBaseDischargeRate, "28.769");
}

TEST_F(BaseDesign, DischargeCapacityIsTheInflowThatFillsTheBase)
{
    CPageCalcResult result = CPermeableBaseCalc::DischargeCapacity(data);

    EXPECT_TRUE(result.bStored);
    EXPECT_EQ(data.m_strBaseDischargeRate, "28.769");
    double q = atof(data.m_strBaseDischargeRate) / 16.83;
    EXPECT_NEAR(CPermeableBaseCalc::CalcDepthOfFlow(q, 1000.0, 0.02, 16.83), 0.5, 0.001);
}

TEST_F(BaseDesign, DischargeCapacityOfAMetricDesign)
{
    data.m_strUnits = "metric";
    data.m_strBaseK = "300";
    data.m_strResultantLength = "5";
    data.m_strBaseThickness = "0.15";

    CPermeableBaseCalc::DischargeCapacity(data);

    EXPECT_EQ(data.m_strBaseDischargeRate, "3.016e-005");
}

// No search runs for a base of at most 0.0001 thickness, so neither k nor S can stop the zero capacity.
TEST(PermeableBaseRecord, DischargeCapacityOfAThinBaseIsZero)
{
    const struct
    {
        const char* thickness;
        CString CProjectData::*field;
        const char* value;
    } cases[] = {
        {"0", nullptr, nullptr},
        {"0.0001", nullptr, nullptr},
        {"-0.0001", nullptr, nullptr},
        {"0", &CProjectData::m_strBaseK, "0"},
        {"0", &CProjectData::m_strBaseK, ""},
        {"0", &CProjectData::m_strBaseK, "-5"},
        {"0", &CProjectData::m_strResultantSlope, "-0.02"},
    };
    for (const auto& entry : cases)
    {
        CProjectData design("english");
        SetBaseDesign(design);
        design.m_strBaseThickness = entry.thickness;
        if (entry.field != nullptr)
            design.*entry.field = entry.value;
        const std::string name =
            std::string("H ") + entry.thickness + (entry.value ? std::string(" with '") + entry.value + "'" : "");

        CPageCalcResult result = CPermeableBaseCalc::DischargeCapacity(design);

        EXPECT_TRUE(result.bStored) << name;
        EXPECT_TRUE(result.strMessage.IsEmpty()) << name << ": " << result.strMessage;
        EXPECT_EQ(design.m_strBaseDischargeRate, "0.000e+000") << name;
    }
}

TEST(PermeableBaseRecord, DischargeCapacityRefusesInputsWhereTheSearchCannotEnd)
{
    const struct
    {
        CString CProjectData::*field;
        const char* value;
        const char* message;
    } cases[] = {
        {&CProjectData::m_strResultantLength, "0", "The value for Lr must be greater than 0"},
        {&CProjectData::m_strBaseK, "0", "Permeabilility, k, must be greater than zero."},
        {&CProjectData::m_strBaseK, "", "Permeabilility, k, must be greater than zero."},
        {&CProjectData::m_strResultantSlope, "-0.02", "S must not be negative."},
        {&CProjectData::m_strBaseThickness, "-0.5", "The discharge capacity could not be found for these values."},
        {&CProjectData::m_strBaseThickness, "1e300", "The discharge capacity could not be found for these values."},
    };
    for (const auto& entry : cases)
    {
        CProjectData design("english");
        SetBaseDesign(design);
        design.m_strBaseDischargeRate = "old";
        design.*entry.field = entry.value;

        ExpectMessage(CPermeableBaseCalc::DischargeCapacity(design), entry.message);
        EXPECT_EQ(design.m_strBaseDischargeRate, "old");
    }
}

TEST_F(BaseDesign, DischargeCapacityOfAThickVeryPermeableBaseIsFound)
{
    data.m_strBaseThickness = "10";
    data.m_strBaseK = "100000";

    CPageCalcResult result = CPermeableBaseCalc::DischargeCapacity(data);

    ASSERT_TRUE(result.bStored) << result.strMessage;
    const double Q = atof(data.m_strBaseDischargeRate);
    EXPECT_TRUE(std::isfinite(Q));
    EXPECT_NEAR(CPermeableBaseCalc::CalcDepthOfFlow(Q / 16.83, 100000.0, 0.02, 16.83), 10.0, 0.01);
}

TEST_F(BaseDesign, DischargeCapacityOfALevelBaseIsFound)
{
    data.m_strResultantSlope = "0";

    CPageCalcResult result = CPermeableBaseCalc::DischargeCapacity(data);

    ASSERT_TRUE(result.bStored) << result.strMessage;
    // Level: the depth of flow is L * sqrt(q / k), so Q = L * k * (H / L)^2.
    // The search ends within 0.0001 of H, which leaves the capacity within 0.04 %.
    EXPECT_NEAR(atof(data.m_strBaseDischargeRate), 1000.0 * 0.25 / 16.83, 0.01);
}

// Every finite answer is found, for bases up to 10 ft (3 m) thick and k from 0.01 to 100,000 ft/day.
TEST(PermeableBaseRecord, DischargeCapacityIsFoundForEveryRealisticBase)
{
    const double thicknesses[] = {0.001, 0.05, 0.5, 3.0, 10.0};                   // ft
    const double permeabilities[] = {0.01, 1.0, 100.0, 10000.0, 100000.0};       // ft/day
    const double slopes[] = {0.0, 0.005, 0.02, 0.1};
    const double lengths[] = {1.0, 16.83, 200.0};                                // ft
    const double FeetToMetres = 0.3048;
    int nCases = 0;
    for (const char* units : {"english", "metric"})
    {
        const bool metric = std::string(units) == "metric";
        const double toUnits = metric ? FeetToMetres : 1.0;
        for (double H : thicknesses)
            for (double k : permeabilities)
                for (double S : slopes)
                    for (double L : lengths)
                    {
                        CProjectData data(units);
                        data.m_strBaseThickness.Format("%.17g", H * toUnits);
                        data.m_strBaseK.Format("%.17g", k * toUnits);
                        data.m_strResultantSlope.Format("%.17g", S);
                        data.m_strResultantLength.Format("%.17g", L * toUnits);
                        CPageCalcResult result = CPermeableBaseCalc::DischargeCapacity(data);
                        const std::string name = std::string(units) + " H " + std::to_string(H) + " k " +
                                                 std::to_string(k) + " S " + std::to_string(S) + " L " +
                                                 std::to_string(L);
                        ++nCases;
                        ASSERT_TRUE(result.bStored) << name << ": " << result.strMessage;
                        const double Q = atof(data.m_strBaseDischargeRate);
                        ASSERT_TRUE(std::isfinite(Q) && Q > 0.0) << name;
                        // The depth of the stored capacity's inflow is H, within the search's 0.0001
                        // and what the text's last digit leaves of Q (the depth grows at most as q).
                        const double kSearch = metric ? k * toUnits / 86400.0 : k;
                        const double depth =
                            CPermeableBaseCalc::CalcDepthOfFlow(Q / (L * toUnits), kSearch, S, L * toUnits);
                        const bool exponentForm = data.m_strBaseDischargeRate.Find('e') >= 0;
                        const double textResolution = exponentForm ? 0.0005 : 0.0005 / Q;
                        EXPECT_NEAR(depth, H * toUnits, 0.0002 + 1.5 * textResolution * H * toUnits) << name;
                    }
    }
    EXPECT_EQ(nCases, 600);
}

TEST(PermeableBaseQuality, RowOfTheQualityTable)
{
    struct Case
    {
        const char* criterion;
        const char* hours;
        int row;
    };
    const Case cases[] = {
        {"AASHTO", "", 0},        {"AASHTO", "1.99", 1},   {"AASHTO", "2.00", 2},  {"AASHTO", "23.99", 2},
        {"AASHTO", "24", 3},      {"AASHTO", "168", 4},    {"AASHTO", "719.9", 4}, {"AASHTO", "720", 5},
        {"AASHTO", "1000", 5},    {"PRM", "1000", 5},
        {"PRM", "", 0},           {"PRM", "1.5", 1},       {"PRM", "2", 2},        {"PRM", "5", 3},
        {"PRM", "9.99", 3},       {"PRM", "10", 4},        {"PRM", "20", 5},       {"PRM", "168", 5},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        data.m_strDrainMethod = entry.criterion;
        data.m_strTimeToDrain = entry.hours;
        EXPECT_EQ(CPermeableBaseCalc::DrainageQualityRow(data), entry.row) << entry.criterion << " " << entry.hours;
    }
}
