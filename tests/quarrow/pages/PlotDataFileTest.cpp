// The plot data file of every kind, byte for byte, and what its writers refuse.
#include "quarrow/pages/PlotDataFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/quarrow/pages/PlotGolden.h"
#include "tests/quarrow/pages/PlotTestData.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

struct Written
{
    BOOL bWritten;
    CString strError;
    std::string bytes;
};

// Runs a writer on a fresh path and reads back what it left there.
Written Write(PlotDataWriter writer, const CProjectData& data, const char* pszName = "plot.tmp")
{
    const CString strPath = FreshTempPath(pszName);
    Written result{FALSE, CString(), std::string()};
    result.bWritten = writer(data, strPath, result.strError);
    result.bytes = ReadBytes(strPath);
    ::DeleteFileA(strPath);
    return result;
}

} // namespace

TEST(PlotDataFile, GradationOfEachLayerEntryModeScaleAndUnits)
{
    struct Case
    {
        const char* name;
        std::function<void(CProjectData&)> arrange;
        const char* expected;
    };
    const Case cases[] = {
        {"base, values, English, pow45: millimetres", [](CProjectData& data) { SetBaseGradation(data); },
         "0 0 0 0\r\n0.075 5\r\n0.425 15\r\n2.36 30\r\n4.75 45\r\n9.5 60\r\n19 85\r\n25 100\r\n0 0\r\nBase A"},
        {"base, values, English, log: inches",
         [](CProjectData& data) {
             SetBaseGradation(data);
             data.m_strPlotScale = "log";
         },
         "0 0 1 0\r\n0.00295 5\r\n0.0167 15\r\n0.0929 30\r\n0.187 45\r\n0.375 60\r\n0.75 85\r\n1 100\r\n0 0\r\nBase A"},
        {"subgrade, ranges, metric: a row needs both bounds",
         [](CProjectData& data) {
             data.m_strUnits = "metric";
             data.m_strSieveLayer = "subgrade";
             data.m_strSieveType = "range";
             SetSieveColumn(data, CProjectData::LayerSubgrade, CProjectData::SieveLower,
                            {{Sieve200, 2}, {Sieve40, 10}, {Sieve4, 30}});
             SetSieveColumn(data, CProjectData::LayerSubgrade, CProjectData::SieveUpper,
                            {{Sieve200, 8}, {Sieve4, 50}, {Sieve1of2, 70}});
             data.m_strSubgradeDescription = "Subgrade B";
         },
         "1 1 0 1\r\n0.075 2 5 8\r\n4.75 30 40 50\r\n0 0 0 0\r\nSubgrade B"},
        {"separator, metric, log: a value of 0 is written, an empty description ends the file",
         [](CProjectData& data) {
             data.m_strUnits = "metric";
             data.m_strPlotScale = "log";
             data.m_strSieveLayer = "seperator";
             SetSieveColumn(data, CProjectData::LayerSeparator, CProjectData::SieveValue, {{Sieve200, 0}});
             data.m_strSeparatorDescription = "";
         },
         "2 0 1 1\r\n0.075 0\r\n0 0\r\n"},
        {"a layer without values: header, end row and description",
         [](CProjectData& data) { data.m_strSieveType = "range"; }, "0 1 0 0\r\n0 0 0 0\r\n<user defined>"},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        entry.arrange(data);
        const Written written = Write(CPlotDataFile::WriteGradation, data);
        EXPECT_TRUE(written.bWritten) << entry.name;
        EXPECT_EQ(written.bytes, entry.expected) << entry.name;
    }
}

TEST(PlotDataFile, SensitivityAndSeparatorFilesMatchTheirGoldenFiles)
{
    struct Case
    {
        const char* name;
        PlotDataWriter writer;
        std::function<void(CProjectData&)> arrange;
        int nGolden;
    };
    const Case cases[] = {
        {"time to drain, English", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) {
             SetEnglishBase(data);
             data.m_bSensitivity[CProjectData::SensitivityThickness] = FALSE;
         },
         IDR_GOLDEN_TIME_TO_DRAIN_ENGLISH},
        {"time to drain, metric, nothing selected", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) {
             SetMetricBase(data);
             SetAllSensitivity(data, FALSE);
         },
         IDR_GOLDEN_TIME_TO_DRAIN_METRIC},
        {"depth of flow, English", CPlotDataFile::WriteDepthOfFlow,
         [](CProjectData& data) {
             SetEnglishBase(data);
             data.m_bSensitivity[CProjectData::SensitivityPermeability] = FALSE;
         },
         IDR_GOLDEN_DEPTH_OF_FLOW_ENGLISH},
        {"depth of flow, metric, nothing selected", CPlotDataFile::WriteDepthOfFlow,
         [](CProjectData& data) {
             SetMetricBase(data);
             SetAllSensitivity(data, FALSE);
         },
         IDR_GOLDEN_DEPTH_OF_FLOW_METRIC},
        {"aggregate separator, metric, pow45", CPlotDataFile::WriteSeparatorCriteria,
         [](CProjectData& data) {
             data.m_strUnits = "metric";
             data.m_strSeparatorType = "aggregate";
             SetSeparatorGradations(data);
             data.m_strBaseD15 = "0.4250";
             data.m_strBaseD50 = "6.1348";
             data.m_strSubgradeD50 = "0.0800";
             data.m_strSubgradeD85 = "1.1000";
         },
         IDR_GOLDEN_SEPARATOR_AGGREGATE_METRIC},
        {"no separator, English, pow45: bounds in millimetres", CPlotDataFile::WriteSeparatorCriteria,
         [](CProjectData& data) {
             data.m_strSeparatorType = "none";
             SetSeparatorGradations(data);
             data.m_strBaseD15 = "0.0167";
             data.m_strBaseD50 = "0.2415";
             data.m_strSubgradeD50 = "0.0030";
             data.m_strSubgradeD85 = "0.0600";
         },
         IDR_GOLDEN_SEPARATOR_NONE_ENGLISH},
        {"aggregate separator, English, log: everything in inches", CPlotDataFile::WriteSeparatorCriteria,
         [](CProjectData& data) {
             data.m_strSeparatorType = "aggregate";
             data.m_strPlotScale = "log";
             SetSeparatorGradations(data);
             data.m_strBaseD15 = "0.0167";
             data.m_strBaseD50 = "0.2415";
             data.m_strSubgradeD50 = "0.0030";
             data.m_strSubgradeD85 = "0.0600";
         },
         IDR_GOLDEN_SEPARATOR_AGGREGATE_ENGLISH_LOG},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        entry.arrange(data);
        const Written written = Write(entry.writer, data);
        EXPECT_TRUE(written.bWritten) << entry.name;
        EXPECT_TRUE(written.strError.IsEmpty()) << entry.name;
        const std::string expected = GoldenText(entry.nGolden);
        EXPECT_EQ(written.bytes, expected) << entry.name;
        if (written.bytes != expected)
        {
            const std::string strKept = std::string("plot-") + std::to_string(entry.nGolden) + ".txt";
            WriteBytes(strKept.c_str(), written.bytes);   // beside the build, for a person to compare
        }
    }
}

TEST(PlotDataFile, TimeToDrainRowsWithBarberAndSawyerFirst)
{
    CProjectData data("english");
    SetEnglishBase(data);
    data.m_bSensitivity[CProjectData::SensitivityThickness] = FALSE;
    const std::vector<std::string> lines = Lines(Write(CPlotDataFile::WriteTimeToDrain, data).bytes);

    ASSERT_EQ(lines.size(), 367u);
    EXPECT_EQ(lines[0], "3 60 0 0 6111101");
    // Curve c's row r (1-based) is line 1 + 61 c + r - 1; its caption follows its 60th row.
    EXPECT_EQ(lines[1 + 24], "0.3 1.22543 1.21142");              // effective porosity 0.3
    EXPECT_EQ(lines[61], "U%=50.,S=0.0200,H=0.5ft,L=16.83ft,k=1000.ft/d");
    EXPECT_EQ(lines[62], "10 122.543 121.142");                   // permeability 10 ft/day
    EXPECT_EQ(lines[63], "26 47.1321 46.5931");                   // the step grows: 10 + 16
    EXPECT_EQ(lines[1 + 5 * 61 + 59], "0.975 8.92491 12.3121");   // the drained fraction stops at 0.975
    EXPECT_EQ(lines[366], "S=0.0200,H=0.5ft,L=16.83ft,k=1000.ft/d,Ne=0.300");
}

TEST(PlotDataFile, DepthOfFlowRowsAndCaptions)
{
    CProjectData data("english");
    SetEnglishBase(data);
    data.m_bSensitivity[CProjectData::SensitivityPermeability] = FALSE;
    const std::vector<std::string> lines = Lines(Write(CPlotDataFile::WriteDepthOfFlow, data).bytes);

    ASSERT_EQ(lines.size(), 245u);
    EXPECT_EQ(lines[0], "4 60 0 0 41011");
    EXPECT_EQ(lines[9], "2 0.552794");                            // inflow 2 ft^3/day/ft^2, row 9
    EXPECT_EQ(lines[61], "L=16.83ft,S=0.0200,k=1000.ft/d");
    EXPECT_EQ(lines[1 + 2 * 61 + 60], "L=16.83ft,q=2.ft^3/d/ft^2,k=1000.ft/day");
}

TEST(PlotDataFile, SelectionDigitsFollowTheFlagsByName)
{
    struct Case
    {
        PlotDataWriter writer;
        int nFlag;
        const char* header;
    };
    const Case cases[] = {
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityPorosity, "3 60 0 0 6100000"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityPermeability, "3 60 0 0 6010000"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivitySlope, "3 60 0 0 6001000"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityLength, "3 60 0 0 6000100"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityThickness, "3 60 0 0 6000010"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityDrain, "3 60 0 0 6000001"},
        {CPlotDataFile::WriteTimeToDrain, CProjectData::SensitivityInflow, "3 60 0 0 6000000"},
        {CPlotDataFile::WriteDepthOfFlow, CProjectData::SensitivityInflow, "4 60 0 0 41000"},
        {CPlotDataFile::WriteDepthOfFlow, CProjectData::SensitivityPermeability, "4 60 0 0 40100"},
        {CPlotDataFile::WriteDepthOfFlow, CProjectData::SensitivitySlope, "4 60 0 0 40010"},
        {CPlotDataFile::WriteDepthOfFlow, CProjectData::SensitivityLength, "4 60 0 0 40001"},
        {CPlotDataFile::WriteDepthOfFlow, CProjectData::SensitivityDrain, "4 60 0 0 40000"},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        SetEnglishBase(data);
        SetAllSensitivity(data, FALSE);
        data.m_bSensitivity[entry.nFlag] = TRUE;
        const std::vector<std::string> lines = Lines(Write(entry.writer, data).bytes);
        ASSERT_FALSE(lines.empty()) << entry.header;
        EXPECT_EQ(lines[0], entry.header);
    }
}

TEST(PlotDataFile, CurveLegendsInBothUnitSystems)
{
    CProjectData data("english");
    data.m_strPercentDrained = "50.";
    data.m_strResultantSlope = "0.0200";
    data.m_strBaseThickness = "0.5";
    data.m_strResultantLength = "16.83";
    data.m_strBaseK = "1000.";
    data.m_strBaseEffectivePorosity = "0.300";
    data.m_strInfiltrationRate = "2.";
    struct Case
    {
        int nCurve;
        BOOL bMetric;
        const char* legend;
    };
    const Case cases[] = {
        {0, FALSE, "U%=50.,S=0.0200,H=0.5ft,L=16.83ft,k=1000.ft/d"},
        {0, TRUE, "U%=50.,S=0.0200,H=0.5m,L=16.83m,k=1000.m/d"},
        {1, FALSE, "U%=50.,S=0.0200,H=0.5ft,L=16.83ft,Ne=0.300"},
        {1, TRUE, "U%=50.,S=0.0200,H=0.5m,L=16.83m,Ne=0.300"},
        {2, FALSE, "U%=50.,H=0.5ft,L=16.83ft,k=1000.ft/day,Ne=0.300"},
        {2, TRUE, "U%=50.,H=0.5m,L=16.83m,k=1000.m/day,Ne=0.300"},
        {3, FALSE, "U%=50.,S=0.0200,H=0.5ft,k=1000.ft/d,Ne=0.300"},
        {3, TRUE, "U%=50.,S=0.0200,H=0.5m,k=1000.m/d,Ne=0.300"},
        {4, FALSE, "U%=50.,S=0.0200,L=16.83ft,k=1000.ft/d,Ne=0.300"},
        {4, TRUE, "U%=50.,S=0.0200,L=16.83m,k=1000.m/d,Ne=0.300"},
        {5, FALSE, "S=0.0200,H=0.5ft,L=16.83ft,k=1000.ft/d,Ne=0.300"},
        {5, TRUE, "S=0.0200,H=0.5m,L=16.83m,k=1000.m/d,Ne=0.300"},
        {6, FALSE, "L=16.83ft,S=0.0200,k=1000.ft/d"},
        {6, TRUE, "L=16.83m,S=0.0200,k=1000.m/d"},
        {7, FALSE, "L=16.83ft,S=0.0200,q=2.ft^3/d/ft^2"},
        {7, TRUE, "L=16.83m,S=0.0200,q=2.m^3/s/m^2"},
        {8, FALSE, "L=16.83ft,q=2.ft^3/d/ft^2,k=1000.ft/day"},
        {8, TRUE, "L=16.83m,q=2.m^3/s/m^2,k=1000.m/day"},
        {9, FALSE, "S=0.0200,q=2.ft^3/d/ft^2,k=1000.ft/day"},
        {9, TRUE, "S=0.0200,q=2.m^3/s/m^2,k=1000.m/day"},
        {-1, FALSE, ""},
        {10, TRUE, ""},
    };
    for (const Case& entry : cases)
        EXPECT_EQ(CPlotDataFile::FormatCurveLegend(data, entry.nCurve, entry.bMetric), entry.legend)
            << "curve " << entry.nCurve << (entry.bMetric ? " metric" : " English");
}

TEST(PlotDataFile, NumbersInGeneralFormWithTwoExponentDigits)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.075, "0.075"},        {3.9e-05, "3.9e-05"},  {2.5e-07, "2.5e-07"},        {100.0, "100"},
        {37.5, "37.5"},          {0.0, "0"},            {0.002952755905511811, "0.00295276"},
        {123456789.0, "1.23457e+08"}, {1e100, "1e+100"}, {-0.0001, "-0.0001"},     {1234567.0, "1.23457e+06"},
    };
    for (const Case& entry : cases)
        EXPECT_EQ(CPlotDataFile::FormatNumber(entry.value), entry.text);
}

TEST(PlotDataFile, SensitivityPlotsWithoutAResultWriteNothing)
{
    struct Case
    {
        const char* name;
        PlotDataWriter writer;
        std::function<void(CProjectData&)> arrange;
        const char* message;   // "" for silence
    };
    const char* const PercentDrained =
        "Percent drained must be at least 0 and less than 100 to plot the time to drain.";
    const char* const NoFiniteResult = "These values give no finite result to plot.";
    const Case cases[] = {
        {"100 % drained", CPlotDataFile::WriteTimeToDrain, [](CProjectData& data) { data.m_strPercentDrained = "100."; },
         PercentDrained},
        {"negative percent drained", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) { data.m_strPercentDrained = "-1"; }, PercentDrained},
        {"no permeability", CPlotDataFile::WriteTimeToDrain, [](CProjectData& data) { data.m_strBaseK = ""; }, ""},
        {"no thickness", CPlotDataFile::WriteTimeToDrain, [](CProjectData& data) { data.m_strBaseThickness = "0"; },
         ""},
        {"negative slope", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) { data.m_strResultantSlope = "-0.02"; }, ""},
        {"no length", CPlotDataFile::WriteDepthOfFlow, [](CProjectData& data) { data.m_strResultantLength = ""; },
         ""},
        {"the thickness is not needed for the depth", CPlotDataFile::WriteDepthOfFlow,
         [](CProjectData& data) {
             data.m_strBaseThickness = "";
             data.m_strInfiltrationRate = "-2";
         },
         NoFiniteResult},
        {"an effective porosity beyond a double", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) { data.m_strBaseEffectivePorosity = "1e999"; }, NoFiniteResult},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("english");
        SetEnglishBase(data);
        entry.arrange(data);
        const CString strPath = FreshTempPath("plot.tmp");
        WriteBytes(strPath, "0 0 0 0\r\n0 0\r\nearlier plot");
        CString strError;
        EXPECT_FALSE(entry.writer(data, strPath, strError)) << entry.name;
        EXPECT_EQ(strError, entry.message) << entry.name;
        EXPECT_EQ(ReadBytes(strPath), "0 0 0 0\r\n0 0\r\nearlier plot") << entry.name;
        ::DeleteFileA(strPath);
    }
}

TEST(PlotDataFile, SeparatorKindAndBoundsThatCannotBeDrawn)
{
    struct Case
    {
        const char* name;
        std::function<void(CProjectData&)> arrange;
        const char* expected;
    };
    const Case cases[] = {
        {"geotextile has no separator list", [](CProjectData& data) { data.m_strSeparatorType = "geotextile"; },
         "5 0 1 0 0\r\n0 0\r\n0 0\r\n5.5 15\r\n2 50\r\n0 0\r\n\r\n\r\nUpper bound\r\n"},
        {"an unknown word neither", [](CProjectData& data) { data.m_strSeparatorType = "gravel"; },
         "5 0 1 0 0\r\n0 0\r\n0 0\r\n5.5 15\r\n2 50\r\n0 0\r\n\r\n\r\nUpper bound\r\n"},
        {"bound points without a positive size are left out",
         [](CProjectData& data) {
             data.m_strSeparatorType = "aggregate";
             data.m_strBaseD15 = "";
             data.m_strSubgradeD50 = "-0.0800";
         },
         "6 0 1 0 0\r\n0 0\r\n0 0\r\n0 0\r\n0.245392 50\r\n0.075 12\r\n0 0\r\n5.5 15\r\n0 0\r\n"
         "\r\n\r\n\r\nLower bound\r\nUpper bound\r\n"},
    };
    for (const Case& entry : cases)
    {
        CProjectData data("metric");
        data.m_strBaseDescription = data.m_strSubgradeDescription = data.m_strSeparatorDescription = "";
        data.m_strBaseD15 = "0.4250";
        data.m_strBaseD50 = "6.1348";
        data.m_strSubgradeD50 = "0.0800";
        data.m_strSubgradeD85 = "1.1000";
        entry.arrange(data);
        const Written written = Write(CPlotDataFile::WriteSeparatorCriteria, data);
        EXPECT_TRUE(written.bWritten) << entry.name;
        EXPECT_EQ(written.bytes, entry.expected) << entry.name;
    }
}

TEST(PlotDataFile, CaptionsAreOneLineOfAtMost1023Characters)
{
    CProjectData data("metric");
    data.m_strBaseDescription = "Crushed\r\nstone\nA";
    data.m_strSubgradeDescription = CString('s', 1500);
    data.m_strSubgradeD85 = "1.1";
    data.m_strSubgradeD50 = "0.08";
    const std::vector<std::string> lines = Lines(Write(CPlotDataFile::WriteSeparatorCriteria, data).bytes);

    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[6], "Crushed  stone A");
    EXPECT_EQ(lines[7], std::string(1023, 's'));
    EXPECT_EQ(lines[8], "Upper bound");

    data.m_strBaseDescription = CString('b', 1024);
    const std::string gradation = Write(CPlotDataFile::WriteGradation, data).bytes;
    EXPECT_EQ(gradation, "0 0 0 1\r\n0 0\r\n" + std::string(1023, 'b'));
}

TEST(PlotDataFile, UnwritableFileIsReportedAndLeftAsItWas)
{
    CProjectData data("english");
    SetBaseGradation(data);

    const CString strReadOnly = FreshTempPath("plot.tmp");
    WriteBytes(strReadOnly, "earlier plot");
    ASSERT_TRUE(::SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_READONLY));
    CString strError;
    EXPECT_FALSE(CPlotDataFile::WriteGradation(data, strReadOnly, strError));
    EXPECT_EQ(strError, "The plot data file could not be written:\n" + strReadOnly);
    EXPECT_EQ(ReadBytes(strReadOnly), "earlier plot");
    ::SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strReadOnly);

    const CString strNoFolder = FreshTempPath("no such folder") + "\\plot.tmp";
    strError.Empty();
    EXPECT_FALSE(CPlotDataFile::WriteSeparatorCriteria(data, strNoFolder, strError));
    EXPECT_EQ(strError, "The plot data file could not be written:\n" + strNoFolder);
}

TEST(PlotDataFile, SieveSizeTable)
{
    // The sizes are the customary ones, not conversions of each other.
    EXPECT_STREQ(CPlotDataFile::SieveSizes[10].pszName, "#20");
    EXPECT_EQ(CPlotDataFile::SieveSizes[10].dMillimetres, 0.931);
    EXPECT_EQ(CPlotDataFile::SieveSizes[10].dInches, 0.03667);
    EXPECT_EQ(CPlotDataFile::SieveSizes[12].dMillimetres, 1.888);
    EXPECT_STREQ(CPlotDataFile::SieveSizes[23].pszName, "3 1/2\"");
    EXPECT_EQ(CPlotDataFile::SieveSizes[24].dMillimetres, 100.0);
    EXPECT_EQ(CPlotDataFile::SieveSizes[24].dInches, 4.0);
    for (int row = 0; row < CProjectData::SieveCount; ++row)
        EXPECT_STREQ(CPlotDataFile::SieveSizes[row].pszName, CProjectData::SieveLabels[row]) << row;
}
