#include "quarrow/app/ProjectData.h"

#include "framework/core/SafeSave.h"
#include "tests/quarrow/QuarrowTestSupport.h"
#include "tests/quarrow/app/ProjectFileGolden.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TextField = CString CProjectData::*;

// The text of every stored field of the full design, each its own; golden/project-full.qrw is the file
// Quarrow writes of it.
const struct
{
    TextField field;
    const char* pszText;
} FullDesignFields[] = {
    {&CProjectData::m_strUnits, "metric"}, {&CProjectData::m_strLongitudinalSlope, "2.25"},
    {&CProjectData::m_strCrossSlope, "3.25"}, {&CProjectData::m_strResultantSlope, "4.25"},
    {&CProjectData::m_strResultantLength, "5.25"}, {&CProjectData::m_strBaseWidth, "6.25"},
    {&CProjectData::m_strInflowWidth, "7.25"}, {&CProjectData::m_strSlopeAngle, "8.25"},
    {&CProjectData::m_strInfiltrationRate, "9.25"}, {&CProjectData::m_strInfiltrationRatio, "10.25"},
    {&CProjectData::m_strRainfallRate, "11.25"}, {&CProjectData::m_strCrackInfiltrationRate, "12.25"},
    {&CProjectData::m_strLongitudinalCracks, "13.25"}, {&CProjectData::m_strTransverseCrackLength, "14.25"},
    {&CProjectData::m_strTransverseCrackSpacing, "15.25"}, {&CProjectData::m_strTrafficLanes, "16.25"},
    {&CProjectData::m_strBaseDischargeRate, "17.25"}, {&CProjectData::m_strPipeFlow, "18.25"},
    {&CProjectData::m_strContributingLength, "19.25"}, {&CProjectData::m_strContributingWidth, "20.25"},
    {&CProjectData::m_strWaterContent, "21.25"}, {&CProjectData::m_strTotalInflow, "22.25"},
    {&CProjectData::m_strVoidVolume, "23.25"}, {&CProjectData::m_strWaterVolume, "24.25"},
    {&CProjectData::m_strTotalVolume, "25.25"}, {&CProjectData::m_strWaterLoss, "26.25"},
    {&CProjectData::m_strPercentDrained, "27.25"}, {&CProjectData::m_strPercentSaturation, "28.25"},
    {&CProjectData::m_strHydraulicGradient, "29.25"}, {&CProjectData::m_strFlowArea, "30.25"},
    {&CProjectData::m_strSeepageVelocity, "31.25"}, {&CProjectData::m_strDischargeVelocity, "32.25"},
    {&CProjectData::m_strTimeToDrain, "33.25"}, {&CProjectData::m_strTimeFactor, "34.25"},
    {&CProjectData::m_strMFactor, "35.25"}, {&CProjectData::m_strSlopeFactor, "36.25"},
    {&CProjectData::m_strApparentOpeningSize, "37.25"}, {&CProjectData::m_strPipeDiameter, "38.25"},
    {&CProjectData::m_strManningCoefficient, "39.25"}, {&CProjectData::m_strPipeFlowArea, "40.25"},
    {&CProjectData::m_strWettedPerimeter, "41.25"}, {&CProjectData::m_strHydraulicRadius, "42.25"},
    {&CProjectData::m_strConveyance, "43.25"}, {&CProjectData::m_strPipeVelocity, "44.25"},
    {&CProjectData::m_strGeometryCoefficientB, "45.25"}, {&CProjectData::m_strGeometryCoefficientC, "46.25"},
    {&CProjectData::m_strHeaveRate, "47.25"}, {&CProjectData::m_strPavementThickness, "48.25"},
    {&CProjectData::m_strPavementLoad, "49.25"}, {&CProjectData::m_strMeltwaterFlow, "50.25"},
    {&CProjectData::m_strGeotextileMultiplier, "51.25"}, {&CProjectData::m_strFlowZoneDepth, "52.25"},
    {&CProjectData::m_strOutletDepth, "53.25"}, {&CProjectData::m_strFinDrainConstant, "54.25"},
    {&CProjectData::m_strOutletSpacing, "55.25"}, {&CProjectData::m_strGeotextilePermeability, "56.25"},
    {&CProjectData::m_strPavementK, "57.25"}, {&CProjectData::m_strPavementUnitWeight, "58.25"},
    {&CProjectData::m_strPavementLayerThickness, "59.25"}, {&CProjectData::m_strBaseThickness, "60.25"},
    {&CProjectData::m_strBaseD10, "61.25"}, {&CProjectData::m_strBaseD12, "62.25"},
    {&CProjectData::m_strBaseD15, "63.25"}, {&CProjectData::m_strBaseD30, "64.25"},
    {&CProjectData::m_strBaseD50, "65.25"}, {&CProjectData::m_strBaseD60, "66.25"},
    {&CProjectData::m_strBaseD85, "67.25"}, {&CProjectData::m_strBaseUnitWeight, "68.25"},
    {&CProjectData::m_strBaseP200, "69.25"}, {&CProjectData::m_strBaseSpecificGravity, "70.25"},
    {&CProjectData::m_strBaseCu, "71.25"}, {&CProjectData::m_strBaseCc, "72.25"},
    {&CProjectData::m_strBaseK, "73.25"}, {&CProjectData::m_strBasePorosity, "74.25"},
    {&CProjectData::m_strBaseEffectivePorosity, "75.25"}, {&CProjectData::m_strBaseMinThickness, "76.25"},
    {&CProjectData::m_strBaseDescription, "Open graded \"Type 2\" crushed stone"},
    {&CProjectData::m_strBaseWater, "78.25"}, {&CProjectData::m_strSubgradeD10, "79.25"},
    {&CProjectData::m_strSubgradeD12, "80.25"}, {&CProjectData::m_strSubgradeD15, "81.25"},
    {&CProjectData::m_strSubgradeD30, "82.25"}, {&CProjectData::m_strSubgradeD50, "83.25"},
    {&CProjectData::m_strSubgradeD60, "84.25"}, {&CProjectData::m_strSubgradeD85, "85.25"},
    {&CProjectData::m_strSubgradeUnitWeight, "86.25"}, {&CProjectData::m_strSubgradeP200, "87.25"},
    {&CProjectData::m_strSubgradeSpecificGravity, "88.25"}, {&CProjectData::m_strSubgradeCu, "89.25"},
    {&CProjectData::m_strSubgradeCc, "90.25"}, {&CProjectData::m_strSubgradeK, "91.25"},
    {&CProjectData::m_strSubgradePorosity, "92.25"}, {&CProjectData::m_strSubgradeEffectivePorosity, "93.25"},
    {&CProjectData::m_strSubgradeDescription, "Silty clay"}, {&CProjectData::m_strSubgradeWater, "95.25"},
    {&CProjectData::m_strSeparatorD10, "96.25"}, {&CProjectData::m_strSeparatorD12, "97.25"},
    {&CProjectData::m_strSeparatorD15, "98.25"}, {&CProjectData::m_strSeparatorD30, "99.25"},
    {&CProjectData::m_strSeparatorD50, "100.25"}, {&CProjectData::m_strSeparatorD60, "101.25"},
    {&CProjectData::m_strSeparatorD85, "102.25"}, {&CProjectData::m_strSeparatorUnitWeight, "103.25"},
    {&CProjectData::m_strSeparatorP200, "104.25"}, {&CProjectData::m_strSeparatorSpecificGravity, "105.25"},
    {&CProjectData::m_strSeparatorCu, "106.25"}, {&CProjectData::m_strSeparatorCc, "107.25"},
    {&CProjectData::m_strSeparatorK, "108.25"}, {&CProjectData::m_strSeparatorPorosity, "109.25"},
    {&CProjectData::m_strSeparatorEffectivePorosity, "110.25"}, {&CProjectData::m_strSeparatorMaxH, "111.25"},
    {&CProjectData::m_strSeparatorMinK, "112.25"},
    {&CProjectData::m_strSeparatorDescription, "Dense graded aggregate, 3/4\" max"},
    {&CProjectData::m_strSeparatorWater, "114.25"}, {&CProjectData::m_strGeometryChoice, "115.25"},
    {&CProjectData::m_strMode, "expert"}, {&CProjectData::m_strMeltwater, "no"},
    {&CProjectData::m_strInfiltrationMethod, "ratio"}, {&CProjectData::m_strConcrete, "119.25"},
    {&CProjectData::m_strRain, "120.25"}, {&CProjectData::m_strBaseMethod, "121.25"},
    {&CProjectData::m_strDrainMethod, "122.25"}, {&CProjectData::m_strTimeToDrainMethod, "123.25"},
    {&CProjectData::m_strEdgeDrainType, "124.25"}, {&CProjectData::m_strDischarge, "125.25"},
    {&CProjectData::m_strSieveSource, "126.25"}, {&CProjectData::m_strSieveType, "127.25"},
    {&CProjectData::m_strSieveLayer, "128.25"}, {&CProjectData::m_strSeparatorType, "aggregate"},
    {&CProjectData::m_strWaterBase, "130.25"}, {&CProjectData::m_strWaterSub, "131.25"},
    {&CProjectData::m_strWaterSep, "132.25"}, {&CProjectData::m_strFillType, "133.25"},
    {&CProjectData::m_strRetention, "134.25"}, {&CProjectData::m_strPermeabilityChoice, "135.25"},
    {&CProjectData::m_strClogging, "136.25"}, {&CProjectData::m_strGeotextileType, "137.25"},
};

struct IniLine
{
    std::string section;
    std::string key;
    std::string value;
};

struct IniFile
{
    std::vector<std::string> sections;  // in file order
    std::vector<IniLine> lines;         // key lines in file order
};

IniFile ParseIni(const CString& path)
{
    std::ifstream stream(static_cast<LPCTSTR>(path), std::ios::binary);
    std::stringstream content;
    content << stream.rdbuf();
    IniFile ini;
    std::string section;
    std::string line;
    while (std::getline(content, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']')
        {
            section = line.substr(1, line.size() - 2);
            ini.sections.push_back(section);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            ini.lines.push_back({section, line, "<no equals sign>"});
        else
            ini.lines.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
    return ini;
}

void WriteText(const CString& path, const char* text)
{
    std::ofstream stream(static_cast<LPCTSTR>(path), std::ios::binary);
    stream << text;
}

// The full design: every stored field gets a text of its own; the sieve table is full in both column kinds.
void FillDesign(CProjectData& data)
{
    for (const auto& entry : FullDesignFields)
        data.*entry.field = entry.pszText;
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        for (int column = 0; column < CProjectData::SieveColumns; ++column)
        {
            double value = 100.0 - row * 4.0 + column * 0.1;
            CString strValue;
            strValue.Format("%.1f", value);
            data.m_strSieve[row][column] = strValue;
            data.m_dSieve[row][column] = value;
        }
    }
}

std::string Bytes(const CString& path)
{
    std::ifstream file(static_cast<LPCTSTR>(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The files of the folder that holds path.
std::vector<std::string> FilesBeside(const CString& path)
{
    std::string folder = static_cast<LPCTSTR>(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Key writes that reach the file until one of them: that one is refused, or before it another program
// opens the saved file without sharing (and holds it until Unlock).
class InterruptedKeyWrites : public CProfileWriteSeam
{
public:
    enum Way { Refuse, Lock };
    InterruptedKeyWrites(Way way, int nStopAt, const CString& strLocked = CString())
        : m_way(way), m_nStopAt(nStopAt), m_strLocked(strLocked) {}
    ~InterruptedKeyWrites() override { Unlock(); }

    BOOL WriteString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszFile) override
    {
        const int nIndex = m_nWrites++;
        if (nIndex == m_nStopAt && m_way == Refuse)
            return FALSE;
        if (nIndex == m_nStopAt && m_way == Lock)
            m_hLock = CreateFileA(m_strLocked, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, lpszFile);
    }
    void Unlock()
    {
        if (m_hLock != INVALID_HANDLE_VALUE)
            CloseHandle(m_hLock);
        m_hLock = INVALID_HANDLE_VALUE;
    }
    int Writes() const { return m_nWrites; }
    bool Locked() const { return m_hLock != INVALID_HANDLE_VALUE; }

private:
    Way m_way;
    int m_nStopAt;
    CString m_strLocked;
    int m_nWrites = 0;
    HANDLE m_hLock = INVALID_HANDLE_VALUE;
};

} // namespace

TEST(ProjectFile, WritesEverySectionAndKeyInTheStoredOrder)
{
    CString path = FreshTempPath("layout.qrw");
    CProjectData data("english");
    FillDesign(data);
    data.m_strSieve[15][CProjectData::LayerBase * 3 + CProjectData::SieveLower].Empty();

    ASSERT_TRUE(data.WriteFile(path));

    const std::string strWritten = Bytes(path);
    const std::string strExpected = GoldenText(IDR_GOLDEN_PROJECT_FULL);
    EXPECT_EQ(strWritten, strExpected);
    if (strWritten != strExpected)
        std::ofstream("project-full.qrw", std::ios::binary) << strWritten;   // beside the build, to compare
    IniFile ini = ParseIni(path);
    ASSERT_GT(ini.sections.size(), 56u);
    EXPECT_EQ(ini.sections[56], "Pavememt");

    // Spot checks of the text as a person reads it.
    auto has = [&](const char* section, const char* key, const char* value) {
        for (const IniLine& line : ini.lines)
            if (line.section == section && line.key == key)
                return line.value == value;
        return false;
    };
    EXPECT_TRUE(has("Base", "3/8\"_0", ""));
    EXPECT_TRUE(has("Base", "3/8\"_1", "40.1"));
    EXPECT_TRUE(has("Seperator", "3 1/2\"_2", "8.8"));
    EXPECT_TRUE(has("Subgrade", "0.001mm_0", "100.3"));
    EXPECT_TRUE(has("Controls", "Seperator", "aggregate"));
    for (const IniLine& line : ini.lines)
        EXPECT_NE(line.value, "pow45") << line.section << "." << line.key;
}

TEST(ProjectFile, ReadingAWrittenFileGivesTheSameRecord)
{
    CString path = FreshTempPath("roundtrip.qrw");
    CProjectData written("english");
    FillDesign(written);
    written.m_strSieve[0][1].Empty();
    written.m_dSieve[0][1] = -1.0;
    written.m_strSieve[1][4] = "0";
    written.m_dSieve[1][4] = 0.0;
    ASSERT_TRUE(written.WriteFile(path));

    CProjectData read("english");
    read.m_strGeotextileLength = "0.25";
    read.m_strPlotScale = "log";
    read.m_nFocusControl = 1184;
    read.m_bSensitivity[CProjectData::SensitivitySlope] = FALSE;
    read.m_bModified = FALSE;
    ASSERT_TRUE(read.ReadFile(path));

    for (const auto& entry : FullDesignFields)
        EXPECT_EQ(read.*entry.field, written.*entry.field) << "the field written as " << entry.pszText;
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        for (int column = 0; column < CProjectData::SieveColumns; ++column)
        {
            EXPECT_EQ(read.m_strSieve[row][column], written.m_strSieve[row][column]) << row << "," << column;
            EXPECT_EQ(read.m_dSieve[row][column], written.m_dSieve[row][column]) << row << "," << column;
        }
    }
    // Fields the file does not hold keep their values.
    EXPECT_EQ(read.m_strGeotextileLength, "0.25");
    EXPECT_EQ(read.m_strPlotScale, "log");
    EXPECT_EQ(read.m_nFocusControl, 1184);
    EXPECT_EQ(read.m_bSensitivity[CProjectData::SensitivitySlope], FALSE);
    EXPECT_EQ(read.m_bModified, FALSE);
}

TEST(ProjectFile, LongValuesComeBackWhole)
{
    CString path = FreshTempPath("long.qrw");
    CProjectData written("english");
    written.m_strBaseDescription = "Twenty characters!!!";
    written.m_strBaseK = "1234.5678901234567890";
    CString strLong('x', 3000);
    written.m_strSubgradeDescription = strLong;
    ASSERT_TRUE(written.WriteFile(path));

    CProjectData read("english");
    ASSERT_TRUE(read.ReadFile(path));
    EXPECT_EQ(read.m_strBaseDescription, "Twenty characters!!!");
    EXPECT_EQ(read.m_strBaseK, "1234.5678901234567890");
    EXPECT_EQ(read.m_strSubgradeDescription, strLong);
}

TEST(ProjectFile, TextsTheProfileFunctionsWouldAlterComeBackAsWritten)
{
    CString path = FreshTempPath("quotes.qrw");
    CProjectData written("english");
    written.m_strBaseDescription = "\"Quoted\"";
    written.m_strSubgradeDescription = "  padded  ";
    written.m_strSeparatorDescription = "'single'";
    ASSERT_TRUE(written.WriteFile(path));

    CProjectData read("english");
    ASSERT_TRUE(read.ReadFile(path));
    EXPECT_EQ(read.m_strBaseDescription, "\"Quoted\"");
    EXPECT_EQ(read.m_strSubgradeDescription, "  padded  ");
    EXPECT_EQ(read.m_strSeparatorDescription, "'single'");
}

TEST(ProjectFile, ALineBreakInAValueCannotForgeAKey)
{
    CString path = FreshTempPath("forged.qrw");
    CProjectData written("english");
    written.m_strBaseDescription = "Gravel\r\n[Units]\r\nVALUE=metric";
    ASSERT_TRUE(written.WriteFile(path));

    CProjectData read("english");
    ASSERT_TRUE(read.ReadFile(path));
    EXPECT_EQ(read.m_strUnits, "english");
    EXPECT_EQ(read.m_strBaseDescription, "Gravel  [Units]  VALUE=metric");
}

TEST(ProjectFile, MissingControlsTakeTheirDefaults)
{
    CString path = FreshTempPath("nocontrols.qrw");
    WriteText(path, "[Units]\r\nVALUE=english\r\n[Width of permeable base]\r\nVALUE=10\r\n");

    CProjectData data("metric");
    data.m_strMeltwater = "no";
    data.m_strBaseK = "99";
    ASSERT_TRUE(data.ReadFile(path));

    EXPECT_EQ(data.m_strUnits, "english");
    EXPECT_EQ(data.m_strBaseWidth, "10");
    EXPECT_TRUE(data.m_strBaseK.IsEmpty());
    EXPECT_TRUE(data.m_strBaseDescription.IsEmpty());
    const struct
    {
        CString CProjectData::*field;
        const char* value;
    } defaults[] = {
        {&CProjectData::m_strGeometryChoice, "A"},       {&CProjectData::m_strMode, "normal"},
        {&CProjectData::m_strMeltwater, "yes"},          {&CProjectData::m_strInfiltrationMethod, "ratio"},
        {&CProjectData::m_strConcrete, "PCC"},           {&CProjectData::m_strRain, "one"},
        {&CProjectData::m_strBaseMethod, "TTD"},         {&CProjectData::m_strDrainMethod, "AASHTO"},
        {&CProjectData::m_strTimeToDrainMethod, "Barber"}, {&CProjectData::m_strEdgeDrainType, "pipe"},
        {&CProjectData::m_strDischarge, "Infiltration"}, {&CProjectData::m_strSieveSource, "sieve"},
        {&CProjectData::m_strSieveType, "value"},        {&CProjectData::m_strSieveLayer, "base"},
        {&CProjectData::m_strSeparatorType, "none"},     {&CProjectData::m_strWaterBase, "content"},
        {&CProjectData::m_strWaterSub, "content"},       {&CProjectData::m_strWaterSep, "content"},
        {&CProjectData::m_strFillType, "silt"},          {&CProjectData::m_strRetention, "steady"},
        {&CProjectData::m_strPermeabilityChoice, "normal"}, {&CProjectData::m_strClogging, "normal"},
        {&CProjectData::m_strGeotextileType, "nonwoven"},
    };
    for (const auto& entry : defaults)
        EXPECT_EQ(data.*entry.field, entry.value);
    EXPECT_EQ(data.m_dSieve[5][1], -1.0);
}

TEST(ProjectFile, SieveTextsGiveTheirNumbers)
{
    CString path = FreshTempPath("sieves.qrw");
    WriteText(path,
              "[Units]\r\nVALUE=english\r\n[Base]\r\n0.001mm_1=\r\n0.002mm_1=0\r\n#200_1=12.5\r\n3/8\"_1=87abc\r\n#4_1=abc\r\n"
              "[Seperator]\r\n3 1/2\"_2=100\r\n#10_0=1e999\r\n");

    CProjectData data("english");
    ASSERT_TRUE(data.ReadFile(path));

    const int value = CProjectData::LayerBase * 3 + CProjectData::SieveValue;
    EXPECT_EQ(data.m_dSieve[0][value], -1.0);
    EXPECT_EQ(data.m_dSieve[1][value], 0.0);
    EXPECT_EQ(data.m_strSieve[1][value], "0");
    EXPECT_EQ(data.m_dSieve[3][value], 12.5);
    EXPECT_EQ(data.m_dSieve[15][value], 87.0);
    EXPECT_EQ(data.m_strSieve[15][value], "87abc");
    EXPECT_EQ(data.m_dSieve[14][value], 0.0);
    EXPECT_EQ(data.m_dSieve[23][CProjectData::LayerSeparator * 3 + CProjectData::SieveUpper], 100.0);
    // A number out of range of any percentage is no sieve value.
    EXPECT_EQ(data.m_dSieve[12][CProjectData::LayerSeparator * 3 + CProjectData::SieveLower], -1.0);
    EXPECT_TRUE(data.m_strSieve[12][CProjectData::LayerSeparator * 3 + CProjectData::SieveLower].IsEmpty());
}

TEST(ProjectFile, AMissingFileIsReportedAndChangesNothing)
{
    CString path = FreshTempPath("missing.qrw");
    CProjectData data("english");
    data.m_strBaseWidth = "10";
    data.m_strMeltwater = "no";

    EXPECT_FALSE(data.ReadFile(path));

    EXPECT_EQ(data.m_strBaseWidth, "10");
    EXPECT_EQ(data.m_strMeltwater, "no");
    EXPECT_EQ(data.m_strBaseDescription, "<user defined>");
}

TEST(ProjectFile, ARefusedWriteIsReported)
{
    CProjectData data("metric");
    CString missingFolder = FreshTempPath("no-such-folder");
    EXPECT_FALSE(data.WriteFile(missingFolder + "\\design.qrw"));

    // A file that another program holds open without sharing.
    CString path = FreshTempPath("locked.qrw");
    WriteText(path, "[Units]\r\nVALUE=english\r\n");
    HANDLE hLock = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    BOOL written = data.WriteFile(path);
    CloseHandle(hLock);
    EXPECT_FALSE(written);

    CProjectData read("english");
    read.m_strUnits = "none";
    ASSERT_TRUE(read.ReadFile(path));
    EXPECT_EQ(read.m_strUnits, "english");
}

TEST(ProjectFile, WritingOverAFileReplacesItsValuesInPlace)
{
    CString path = FreshTempPath("overwrite.qrw");
    WriteText(path, "[Notes]\r\nAuthor=J. Smith\r\n[Units]\r\nVALUE=metric\r\n");
    CProjectData data("english");

    ASSERT_TRUE(data.WriteFile(path));

    IniFile ini = ParseIni(path);
    ASSERT_GE(ini.lines.size(), 2u);
    EXPECT_EQ(ini.sections[0], "Notes");
    EXPECT_EQ(ini.lines[0].key, "Author");
    EXPECT_EQ(ini.lines[0].value, "J. Smith");
    EXPECT_EQ(ini.lines[1].section, "Units");
    EXPECT_EQ(ini.lines[1].value, "english");
}

TEST(ProjectFile, TheUnitsWordIsEnglishOrMetric)
{
    const struct
    {
        const char* text;
        const char* units;
    } cases[] = {
        {"[Units]\r\nVALUE=metric\r\n", "metric"},
        {"[Units]\r\nVALUE=Metric\r\n", "metric"},
        {"[Units]\r\nVALUE=english\r\n", "english"},
        {"[Units]\r\nVALUE=\r\n", "english"},
        {"[Units]\r\nVALUE=feet\r\n[Cross slope]\r\nVALUE=0.02\r\n", "english"},
    };
    for (const auto& entry : cases)
    {
        CString path = FreshTempPath("units.qrw");
        WriteText(path, entry.text);
        CProjectData data("metric");
        ASSERT_TRUE(data.ReadFile(path));
        EXPECT_EQ(data.m_strUnits, entry.units) << entry.text;
    }
}

TEST(ProjectFile, ARelativeNameIsInTheCurrentFolder)
{
    CString folder = FreshTempPath("folder");
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder);

    CProjectData data("english");
    data.m_strBaseWidth = "10";
    BOOL written = data.WriteFile("relative.qrw");
    CProjectData read("english");
    BOOL readBack = read.ReadFile("relative.qrw");
    SetCurrentDirectoryA(previous);

    EXPECT_TRUE(written);
    EXPECT_TRUE(readBack);
    EXPECT_EQ(read.m_strBaseWidth, "10");
    EXPECT_NE(GetFileAttributesA(folder + "\\relative.qrw"), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(folder + "\\relative.qrw");
    RemoveDirectoryA(folder);
}

TEST(ProjectFile, AWriteRefusedHalfWayLeavesTheOldFileByteForByte)
{
    // A folder of its own, so that a temporary file left behind would show.
    CString folder = FreshTempPath("halfway");
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
    CString path = folder + "\\design.qrw";
    CProjectData old("english");
    old.m_strBaseWidth = "14.";
    ASSERT_TRUE(old.WriteFile(path));
    const std::string oldBytes = Bytes(path);

    CProjectData changed("english");
    FillDesign(changed);
    InterruptedKeyWrites counter(InterruptedKeyWrites::Refuse, -1);
    {
        CScopedProfileWriteSeam scoped(&counter);
        ASSERT_TRUE(changed.WriteFile(FreshTempPath("count.qrw")));
    }
    const int nKeys = counter.Writes();
    ASSERT_EQ(nKeys, 353);

    const struct
    {
        const char* name;
        InterruptedKeyWrites::Way way;
        int nStopAt;
    } cases[] = {
        {"first key refused", InterruptedKeyWrites::Refuse, 0},
        {"second key refused", InterruptedKeyWrites::Refuse, 1},
        {"last key refused", InterruptedKeyWrites::Refuse, nKeys - 1},
        {"file locked after the first key", InterruptedKeyWrites::Lock, 1},
        {"file locked before a sieve key", InterruptedKeyWrites::Lock, 200},
    };
    for (const auto& entry : cases)
    {
        InterruptedKeyWrites seam(entry.way, entry.nStopAt, path);
        BOOL bWritten = TRUE;
        {
            CScopedProfileWriteSeam scoped(&seam);
            bWritten = changed.WriteFile(path);
        }
        if (entry.way == InterruptedKeyWrites::Lock)
        {
            EXPECT_TRUE(seam.Locked()) << entry.name;
        }
        seam.Unlock();
        EXPECT_FALSE(bWritten) << entry.name;
        EXPECT_EQ(Bytes(path), oldBytes) << entry.name;
        EXPECT_EQ(FilesBeside(path), std::vector<std::string>{"design.qrw"}) << entry.name << ": no temporary file stays";
    }

    // Without interruption the changed design replaces the file whole.
    ASSERT_TRUE(changed.WriteFile(path));
    CString fresh = FreshTempPath("fresh.qrw");
    ASSERT_TRUE(changed.WriteFile(fresh));
    EXPECT_EQ(Bytes(path), Bytes(fresh));
    CProjectData read("english");
    ASSERT_TRUE(read.ReadFile(path));
    EXPECT_EQ(read.m_strBaseWidth, changed.m_strBaseWidth);
    EXPECT_EQ(read.m_strUnits, "metric");
}

TEST(ProjectFile, FilesThatAreNoProjectFilesAreRefusedAndChangeNothing)
{
    // A 1 x 1 picture, a text, an empty file and an INI file of another program.
    const unsigned char bmp[] = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,
        0,   0,   0,  0, 0, 0, 4, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0,
    };
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"picture.qrw", std::string(reinterpret_cast<const char*>(bmp), sizeof bmp)},
        {"notes.qrw", "Remember to check the edge drain.\r\nBase = 4 in.\r\n"},
        {"empty.qrw", ""},
        {"other.qrw", "[Window]\r\nVALUE=3\r\n[Cross slope]\r\nVALUE=0.02\r\n"},
    };
    for (const auto& entry : cases)
    {
        CString path = FreshTempPath(entry.name);
        {
            std::ofstream file(static_cast<LPCTSTR>(path), std::ios::binary);
            file << entry.bytes;
        }
        CProjectData data("english");
        FillDesign(data);
        CProjectData before("english");
        FillDesign(before);

        EXPECT_EQ(CProjectData::ExamineFile(path), CProjectData::FileForeign) << entry.name;
        EXPECT_FALSE(data.ReadFile(path)) << entry.name;
        for (const auto& field : FullDesignFields)
            EXPECT_EQ(data.*field.field, before.*field.field) << entry.name << " " << field.pszText;
        EXPECT_EQ(data.m_strSieve[5][4], before.m_strSieve[5][4]) << entry.name;
        EXPECT_EQ(Bytes(path), entry.bytes) << entry.name;
    }
    EXPECT_EQ(CProjectData::ExamineFile(FreshTempPath("missing.qrw")), CProjectData::FileUnreadable);
}

// The reader takes a file's text as the platform's GetPrivateProfileStringA does: file by file, every
// field read agrees with what the platform answers for its key.
TEST(ProjectFile, FieldsAreWhatTheProfileFunctionsAnswer)
{
    const std::string units = "[Units]\r\nVALUE=english\r\n";
    const struct
    {
        const char* name;
        std::string text;
    } cases[] = {
        {"plain", units + "[Base]\r\nDescription=Crushed stone\r\nk=1000\r\n"},
        {"blanks around names and values", units + "[Base]\r\n  Description   =   spaced out   \r\n\tk\t=\t12\t\r\n"},
        {"quotes", units + "[Base]\r\nDescription=\"quoted\"\r\nk='single'\r\n[Controls]\r\nGeometry=\"B\r\n"},
        {"a lone quote and empty quotes", units + "[Base]\r\nDescription=\"\r\nk=\"\"\r\n"},
        {"quotes that do not match", units + "[Base]\r\nDescription='mixed\"\r\nk=\"a\" and \"b\"\r\n"},
        {"names in other cases", units + "[base]\r\nDESCRIPTION=upper\r\n[CONTROLS]\r\ngeometry=B\r\n"},
        {"a key twice", units + "[Base]\r\nk=first\r\nk=second\r\n"},
        {"a section twice", units + "[Base]\r\nk=1\r\n[Base]\r\nDescription=in the second\r\n"},
        {"a key without equals sign", units + "[Base]\r\nDescription\r\nk=5\r\n[Controls]\r\nGeometry\r\n"},
        {"comment lines", units + "[Base]\r\n;Description=commented\r\nDescription=real\r\n"},
        {"blanks inside the brackets", units + "[ Base ]\r\nk=spaced\r\n[Base]\r\nk=plain\r\n"},
        {"text behind the header", units + "[Base] behind\r\nk=7\r\n"},
        {"a header without its bracket", units + "[Base]\r\nk=8\r\n[Subgrade\r\nDescription=in base\r\n"},
        {"keys before every section", "k=orphan\r\nDescription=orphan\r\n" + units + "[Base]\r\n"},
        {"line ends of CR, LF and both", units + "[Base]\rDescription=after CR\nk=after LF\r\n"},
        {"a value with equals signs", units + "[Base]\r\nDescription=a=b=c\r\n=no name\r\n"},
        {"a NUL in a value", units + std::string("[Base]\r\nDescription=ab\0cd\r\nk=9\r\n", 33)},
        {"an end-of-file character", units + "[Base]\r\nk=5\x1A\r\nDescription=\x1A" "x\r\n"},
        {"no-break spaces", units + "[Base]\r\nDescription=\xA0nbsp\xA0\r\n"},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBF" + units + "[Base]\r\nDescription=caf\xC3\xA9\r\n"},
        {"tabs and vertical blanks", units + "[Base]\r\n\v\fDescription\f=\v x \t\r\n"},
    };
    const struct
    {
        const char* section;
        const char* key;
        const char* missing;
        TextField field;
    } keys[] = {
        {"Base", "Description", "", &CProjectData::m_strBaseDescription},
        {"Base", "k", "", &CProjectData::m_strBaseK},
        {"Controls", "Geometry", "A", &CProjectData::m_strGeometryChoice},
        {"Subgrade", "Description", "", &CProjectData::m_strSubgradeDescription},
    };
    for (const auto& entry : cases)
    {
        CString path = FreshTempPath("profile.qrw");
        {
            std::ofstream file(static_cast<LPCTSTR>(path), std::ios::binary);
            file << entry.text;
        }
        CProjectData data("english");
        ASSERT_TRUE(data.ReadFile(path)) << entry.name;
        for (const auto& key : keys)
        {
            char answer[512] = {};
            GetPrivateProfileStringA(key.section, key.key, key.missing, answer, sizeof answer, path);
            EXPECT_EQ(std::string(data.*key.field), std::string(answer))
                << entry.name << ": " << key.section << "." << key.key;
        }
    }

    // A file in UTF-16 with its byte order mark is read as text too.
    const std::wstring wide = L"\xFEFF[Units]\r\nVALUE=metric\r\n[Base]\r\nDescription=caf\xE9 wide\r\n";
    CString path = FreshTempPath("unicode.qrw");
    {
        std::ofstream file(static_cast<LPCTSTR>(path), std::ios::binary);
        file.write(reinterpret_cast<const char*>(wide.data()), static_cast<std::streamsize>(wide.size() * 2));
    }
    CProjectData data("english");
    ASSERT_TRUE(data.ReadFile(path));
    char answer[512] = {};
    GetPrivateProfileStringA("Base", "Description", "", answer, sizeof answer, path);
    EXPECT_EQ(std::string(data.m_strBaseDescription), std::string(answer));
    EXPECT_EQ(data.m_strUnits, "metric");
}
