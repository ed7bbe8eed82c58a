// The gradation analysis apart from its page: the stored form of a typed percentage, the order
// check with the cells it marks, the grain-size parameters and the completion of the table.
#include "quarrow/pages/GradationAnalysis.h"

#include <gtest/gtest.h>

#include "quarrow/app/ProjectData.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

enum { No200 = 3, No40 = 8, No8 = 13, No4 = 14, ThreeEighths = 15, ThreeQuarters = 17, One = 18 };

const CMaterialLayer& Base = CMaterialLayer::Layers[0];
const CMaterialLayer& Subgrade = CMaterialLayer::Layers[1];

// A layer's table given as texts of one column (value, or both bounds), numbers read from them.
void SetColumn(CProjectData& data, const CMaterialLayer& layer, int nPart,
               std::initializer_list<std::pair<int, const char*>> cells)
{
    for (const auto& cell : cells) {
        layer.SieveText(data, cell.first, nPart) = cell.second;
        layer.SieveNumber(data, cell.first, nPart) = atof(cell.second);
    }
}

TEST(GradationAnalysisTest, ATypedPercentageIsStoredWithOneDecimalBetweenZeroAndHundred)
{
    const struct { const char* pszTyped; const char* pszStored; } cases[] = {
        {"150", "100.0"}, {"100", "100.0"}, {"99.96", "100.0"}, {"45", "45.0"}, {"37.56", "37.6"},
        {"-5", "0."}, {"0", "0."}, {"abc", "0."}, {"1e999", "0."},
        {"0.96", "1.0"}, {"0.5", "0.5"}, {"0.05", "0.1"}, {"0.04", "0."}, {"1", "1.0"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGradationAnalysis::PercentText(c.pszTyped), c.pszStored) << c.pszTyped;
}

TEST(GradationAnalysisTest, ValuesThatFallAreMarkedAndEmptyRowsAreSkipped)
{
    CProjectData data("metric");
    // #200 10, #40 20, #8 empty, #4 15 (falls below 20), 3/8" 20 (equal to the last in order), 1" 100.
    SetColumn(data, Base, CProjectData::SieveValue,
              {{No200, "10.0"}, {No40, "20.0"}, {No4, "15.0"}, {ThreeEighths, "20.0"}, {One, "100.0"}});
    const auto check = CGradationAnalysis::CheckOrder(data, Base, false);
    EXPECT_FALSE(check.bValid);
    for (int nRow = 0; nRow < CProjectData::SieveCount; ++nRow)
        EXPECT_EQ(check.bBadCell[nRow][0], nRow == No4) << "row " << nRow;

    // The curve skips the empty rows and the bad one.
    const std::vector<std::pair<double, double>> expected = {
        {0, 0}, {0.075, 10}, {0.425, 20}, {9.5, 20}, {25, 100}, {100, 100}};
    ASSERT_EQ(check.points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(check.points[i].dSize, expected[i].first) << i;
        EXPECT_DOUBLE_EQ(check.points[i].dPercent, expected[i].second) << i;
    }
}

TEST(GradationAnalysisTest, RangeRowsNeedBothBoundsInOrder)
{
    struct Case
    {
        const char* pszName;
        std::initializer_list<std::pair<int, const char*>> lower, upper;
        bool bValid;
        std::vector<int> badLower, badUpper;
        size_t nPoints;
    } cases[] = {
        {"both bounds in order", {{No200, "2.0"}, {No4, "30.0"}}, {{No200, "8.0"}, {No4, "50.0"}}, true, {}, {}, 4},
        {"an upper bound alone adds no point", {{No4, "30.0"}}, {{No200, "8.0"}, {No4, "50.0"}}, true, {}, {}, 3},
        {"a lower bound alone is out of order", {{No200, "2.0"}, {No4, "30.0"}}, {{No4, "50.0"}}, false,
         {No200}, {No200}, 3},
        {"an upper bound below its lower", {{No200, "20.0"}}, {{No200, "10.0"}}, false, {No200}, {No200}, 3},
        {"a falling upper bound", {{No200, "2.0"}, {No4, "3.0"}}, {{No200, "8.0"}, {No4, "5.0"}}, false, {},
         {No4}, 3},
        // The rows count their bounds afresh: the row after a full one with only its upper bound adds
        // nothing.
        {"a full row then an upper bound", {{No200, "2.0"}}, {{No200, "8.0"}, {No4, "50.0"}}, true, {}, {}, 3},
    };
    for (const Case& c : cases) {
        CProjectData data("english");
        SetColumn(data, Subgrade, CProjectData::SieveLower, c.lower);
        SetColumn(data, Subgrade, CProjectData::SieveUpper, c.upper);
        const auto check = CGradationAnalysis::CheckOrder(data, Subgrade, true);
        EXPECT_EQ(check.bValid, c.bValid) << c.pszName;
        EXPECT_EQ(check.points.size(), c.nPoints) << c.pszName;
        for (int nRow = 0; nRow < CProjectData::SieveCount; ++nRow) {
            const bool bLowerBad = std::find(c.badLower.begin(), c.badLower.end(), nRow) != c.badLower.end();
            const bool bUpperBad = std::find(c.badUpper.begin(), c.badUpper.end(), nRow) != c.badUpper.end();
            EXPECT_EQ(check.bBadCell[nRow][0], bLowerBad) << c.pszName << ", row " << nRow;
            EXPECT_EQ(check.bBadCell[nRow][1], bUpperBad) << c.pszName << ", row " << nRow;
        }
    }
}

TEST(GradationAnalysisTest, ARangeRowAddsTheMiddleOfItsBounds)
{
    CProjectData data("metric");
    SetColumn(data, Base, CProjectData::SieveLower, {{No4, "30.0"}});
    SetColumn(data, Base, CProjectData::SieveUpper, {{No4, "50.0"}});
    const auto check = CGradationAnalysis::CheckOrder(data, Base, true);
    ASSERT_EQ(check.points.size(), 3u);
    EXPECT_DOUBLE_EQ(check.points[1].dSize, 4.75);
    EXPECT_DOUBLE_EQ(check.points[1].dPercent, 40.0);
}

// The curve of a table through the analysis and into the layer's texts.
void Analyse(CProjectData& data, std::initializer_list<std::pair<int, const char*>> values)
{
    SetColumn(data, Base, CProjectData::SieveValue, values);
    const auto check = CGradationAnalysis::CheckOrder(data, Base, false);
    ASSERT_TRUE(check.bValid);
    CGradationAnalysis::StoreParameters(data, Base, CGradationAnalysis::ComputeParameters(check.points));
}

TEST(GradationAnalysisTest, GrainSizesAreInterpolatedOnThePowerScale)
{
    struct Case
    {
        const char* pszUnits;
        std::initializer_list<std::pair<int, const char*>> values;
        const char *pszD10, *pszD12, *pszD15, *pszD50, *pszD60, *pszD85, *pszP200, *pszCu, *pszCc;
    } cases[] = {
        {"metric",
         {{No200, "5.0"}, {No40, "15.0"}, {No8, "30.0"}, {No4, "45.0"}, {ThreeEighths, "60.0"},
          {ThreeQuarters, "85.0"}, {One, "100.0"}},
         "0.2106", "0.2865", "0.4250", "6.1348", "9.5000", "19.0000", "5.00", "45.11", "2.78"},
        {"english",
         {{No200, "5.0"}, {No40, "15.0"}, {No8, "30.0"}, {No4, "45.0"}, {ThreeEighths, "60.0"},
          {ThreeQuarters, "85.0"}, {One, "100.0"}},
         "0.0083", "0.0113", "0.0167", "0.2415", "0.3740", "0.7480", "5.00", "45.11", "2.78"},
        // Nothing finer than #4: D10 lies between 0 mm and the #4 sieve, D85 between 3/4" and 100 mm,
        // and p200 between the origin and #4 on the power scale.
        {"metric", {{No4, "20.0"}, {ThreeEighths, "50.0"}, {ThreeQuarters, "80.0"}},
         "1.0180", nullptr, nullptr, nullptr, nullptr, "32.7617", "3.09", "12.05", "3.01"},
        {"english", {{No4, "20.0"}, {ThreeEighths, "50.0"}, {ThreeQuarters, "80.0"}},
         "0.0401", nullptr, nullptr, nullptr, nullptr, "1.2898", "3.09", "12.05", "3.01"},
    };
    for (const Case& c : cases) {
        CProjectData data(c.pszUnits);
        Analyse(data, c.values);
        const auto expect = [&](const char* pszExpected, const CString& strActual, const char* pszName) {
            if (pszExpected != nullptr) {
                EXPECT_EQ(strActual, pszExpected) << c.pszUnits << " " << pszName;
            }
        };
        expect(c.pszD10, data.m_strBaseD10, "D10");
        expect(c.pszD12, data.m_strBaseD12, "D12");
        expect(c.pszD15, data.m_strBaseD15, "D15");
        expect(c.pszD50, data.m_strBaseD50, "D50");
        expect(c.pszD60, data.m_strBaseD60, "D60");
        expect(c.pszD85, data.m_strBaseD85, "D85");
        expect(c.pszP200, data.m_strBaseP200, "p200");
        expect(c.pszCu, data.m_strBaseCu, "CU");
        expect(c.pszCc, data.m_strBaseCc, "CC");
    }
}

TEST(GradationAnalysisTest, ASieveAtExactlyTheTargetGivesItsOwnSizeAndTinySizesAnExponent)
{
    CProjectData data("english");
    // 10 % passes at #200 exactly, and the finest sieves hold 1 % and 4 %: D10 is the #200 sieve,
    // 0.075 mm = 0.0030 in, p200 is that sieve's own percentage.
    Analyse(data, {{0, "1.0"}, {1, "4.0"}, {No200, "10.0"}, {One, "100.0"}});
    EXPECT_EQ(data.m_strBaseD10, "0.0030");
    EXPECT_EQ(data.m_strBaseP200, "10.00");

    // 12 % at the finest sieve: D10 is 0.0005 in, written with the runtime's three-digit exponent.
    CProjectData fine("english");
    Analyse(fine, {{0, "12.0"}, {One, "100.0"}});
    EXPECT_EQ(fine.m_strBaseD12, "3.94e-005");
    EXPECT_EQ(fine.m_strBaseD10, "2.63e-005");
}

TEST(GradationAnalysisTest, CompletingTheTableFillsTheColumnsTheModeDoesNotEdit)
{
    CProjectData data("metric");
    SetColumn(data, Base, CProjectData::SieveValue, {{No200, "5.0"}});
    CGradationAnalysis::CompleteTable(data, Base, "value");
    EXPECT_EQ(Base.SieveText(data, No200, CProjectData::SieveLower), "5.0");
    EXPECT_EQ(Base.SieveText(data, No200, CProjectData::SieveUpper), "5.0");
    EXPECT_EQ(Base.SieveNumber(data, No200, CProjectData::SieveUpper), 5.0);
    EXPECT_EQ(Base.SieveNumber(data, No40, CProjectData::SieveLower), -1.0);

    CProjectData range("metric");
    SetColumn(range, Base, CProjectData::SieveLower, {{No200, "2.0"}, {No4, "30.0"}});
    SetColumn(range, Base, CProjectData::SieveUpper, {{No200, "7.0"}, {No40, "20.0"}});
    SetColumn(range, Base, CProjectData::SieveValue, {{No40, "99.0"}});
    CGradationAnalysis::CompleteTable(range, Base, "range");
    EXPECT_EQ(Base.SieveText(range, No200, CProjectData::SieveValue), "4.5");
    EXPECT_EQ(Base.SieveNumber(range, No200, CProjectData::SieveValue), 4.5);
    // A row with one bound has no value, whichever bound it is.
    EXPECT_EQ(Base.SieveText(range, No40, CProjectData::SieveValue), "");
    EXPECT_EQ(Base.SieveNumber(range, No40, CProjectData::SieveValue), -1.0);
    EXPECT_EQ(Base.SieveText(range, No4, CProjectData::SieveValue), "");

    CGradationAnalysis::ClearTable(range, Base);
    EXPECT_TRUE(CGradationAnalysis::IsTableEmpty(range, Base));
    EXPECT_EQ(Base.SieveNumber(range, No200, CProjectData::SieveLower), -1.0);
}

} // namespace
