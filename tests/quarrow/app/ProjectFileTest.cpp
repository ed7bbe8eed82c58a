#include "quarrow/app/ProjectData.h"

#include "framework/core/SafeSave.h"
#include "tests/quarrow/QuarrowTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TextField = CString CProjectData::*;

struct StoredKey
{
    const char* section;
    const char* key;
    TextField field;
};

// The stored fields in the order a new file holds them.
const StoredKey StoredKeys[] = {
    {"Units", "VALUE", &CProjectData::m_strUnits},
    {"Longitudinal slope", "VALUE", &CProjectData::m_strLongitudinalSlope},
    {"Cross slope", "VALUE", &CProjectData::m_strCrossSlope},
    {"Resultant slope", "VALUE", &CProjectData::m_strResultantSlope},
    {"Resultant length of flow through base", "VALUE", &CProjectData::m_strResultantLength},
    {"Width of permeable base", "VALUE", &CProjectData::m_strBaseWidth},
    {"Width of base inflow", "VALUE", &CProjectData::m_strInflowWidth},
    {"Angle between roadway cross slope and resultant slope", "VALUE", &CProjectData::m_strSlopeAngle},
    {"Rate of pavement infiltration", "VALUE", &CProjectData::m_strInfiltrationRate},
    {"Infiltration ratio", "VALUE", &CProjectData::m_strInfiltrationRatio},
    {"Rainfall rate", "VALUE", &CProjectData::m_strRainfallRate},
    {"Crack infiltration rate", "VALUE", &CProjectData::m_strCrackInfiltrationRate},
    {"Number of longitudinal joints or cracks", "VALUE", &CProjectData::m_strLongitudinalCracks},
    {"Length of contributing transverse joints or cracks", "VALUE", &CProjectData::m_strTransverseCrackLength},
    {"Spacing of contributing transverse joints or cracks", "VALUE", &CProjectData::m_strTransverseCrackSpacing},
    {"Number of contributing traffic lanes", "VALUE", &CProjectData::m_strTrafficLanes},
    {"Permeable base discharge rate", "VALUE", &CProjectData::m_strBaseDischargeRate},
    {"Pipe flow", "VALUE", &CProjectData::m_strPipeFlow},
    {"Longitudinal length of contributing roadway", "VALUE", &CProjectData::m_strContributingLength},
    {"Width of contributing roadway", "VALUE", &CProjectData::m_strContributingWidth},
    {"Water content", "VALUE", &CProjectData::m_strWaterContent},
    {"Total inflow into drainage layer", "VALUE", &CProjectData::m_strTotalInflow},
    {"Volume of voids", "VALUE", &CProjectData::m_strVoidVolume},
    {"Volume of water", "VALUE", &CProjectData::m_strWaterVolume},
    {"Total volume", "VALUE", &CProjectData::m_strTotalVolume},
    {"Water loss", "VALUE", &CProjectData::m_strWaterLoss},
    {"Percent drained", "VALUE", &CProjectData::m_strPercentDrained},
    {"Percent saturation", "VALUE", &CProjectData::m_strPercentSaturation},
    {"Hydraulic gradient", "VALUE", &CProjectData::m_strHydraulicGradient},
    {"Cross-sectional area of flow", "VALUE", &CProjectData::m_strFlowArea},
    {"Seepage velocity", "VALUE", &CProjectData::m_strSeepageVelocity},
    {"Discharge velocity", "VALUE", &CProjectData::m_strDischargeVelocity},
    {"Time to drain", "VALUE", &CProjectData::m_strTimeToDrain},
    {"Time factor", "VALUE", &CProjectData::m_strTimeFactor},
    {"m factor", "VALUE", &CProjectData::m_strMFactor},
    {"Slope factor", "VALUE", &CProjectData::m_strSlopeFactor},
    {"Apparent opening size", "VALUE", &CProjectData::m_strApparentOpeningSize},
    {"Pipe diameter", "VALUE", &CProjectData::m_strPipeDiameter},
    {"Manning's coefficient", "VALUE", &CProjectData::m_strManningCoefficient},
    {"Flow area in pipe", "VALUE", &CProjectData::m_strPipeFlowArea},
    {"Wetted perimeter", "VALUE", &CProjectData::m_strWettedPerimeter},
    {"Hydraulic radius", "VALUE", &CProjectData::m_strHydraulicRadius},
    {"Conveyance", "VALUE", &CProjectData::m_strConveyance},
    {"Velocity in pipe", "VALUE", &CProjectData::m_strPipeVelocity},
    {"Geometry coefficient b", "VALUE", &CProjectData::m_strGeometryCoefficientB},
    {"Geometry coefficient c", "VALUE", &CProjectData::m_strGeometryCoefficientC},
    {"Heave rate", "VALUE", &CProjectData::m_strHeaveRate},
    {"Thickness of pavement", "VALUE", &CProjectData::m_strPavementThickness},
    {"Pavement load", "VALUE", &CProjectData::m_strPavementLoad},
    {"Meltwater flow", "VALUE", &CProjectData::m_strMeltwaterFlow},
    {"Geotextile multiplier", "VALUE", &CProjectData::m_strGeotextileMultiplier},
    {"Depth of flow zone", "VALUE", &CProjectData::m_strFlowZoneDepth},
    {"Depth at outlet", "VALUE", &CProjectData::m_strOutletDepth},
    {"Fin-drain flow constant", "VALUE", &CProjectData::m_strFinDrainConstant},
    {"Outlet spacing", "VALUE", &CProjectData::m_strOutletSpacing},
    {"Geotextile", "Permeability", &CProjectData::m_strGeotextilePermeability},
    {"Pavememt", "k", &CProjectData::m_strPavementK},
    {"Pavememt", "UW", &CProjectData::m_strPavementUnitWeight},
    {"Pavememt", "Thickness", &CProjectData::m_strPavementLayerThickness},
    {"Base", "Thickness", &CProjectData::m_strBaseThickness},
    {"Base", "D10", &CProjectData::m_strBaseD10},
    {"Base", "D12", &CProjectData::m_strBaseD12},
    {"Base", "D15", &CProjectData::m_strBaseD15},
    {"Base", "D30", &CProjectData::m_strBaseD30},
    {"Base", "D50", &CProjectData::m_strBaseD50},
    {"Base", "D60", &CProjectData::m_strBaseD60},
    {"Base", "D85", &CProjectData::m_strBaseD85},
    {"Base", "UW", &CProjectData::m_strBaseUnitWeight},
    {"Base", "p200", &CProjectData::m_strBaseP200},
    {"Base", "SG", &CProjectData::m_strBaseSpecificGravity},
    {"Base", "CU", &CProjectData::m_strBaseCu},
    {"Base", "CC", &CProjectData::m_strBaseCc},
    {"Base", "k", &CProjectData::m_strBaseK},
    {"Base", "Porosity", &CProjectData::m_strBasePorosity},
    {"Base", "Effective Porosity", &CProjectData::m_strBaseEffectivePorosity},
    {"Base", "Minimum Thickness", &CProjectData::m_strBaseMinThickness},
    {"Base", "Description", &CProjectData::m_strBaseDescription},
    {"Base", "Water", &CProjectData::m_strBaseWater},
    {"Subgrade", "D10", &CProjectData::m_strSubgradeD10},
    {"Subgrade", "D12", &CProjectData::m_strSubgradeD12},
    {"Subgrade", "D15", &CProjectData::m_strSubgradeD15},
    {"Subgrade", "D30", &CProjectData::m_strSubgradeD30},
    {"Subgrade", "D50", &CProjectData::m_strSubgradeD50},
    {"Subgrade", "D60", &CProjectData::m_strSubgradeD60},
    {"Subgrade", "D85", &CProjectData::m_strSubgradeD85},
    {"Subgrade", "UW", &CProjectData::m_strSubgradeUnitWeight},
    {"Subgrade", "p200", &CProjectData::m_strSubgradeP200},
    {"Subgrade", "SG", &CProjectData::m_strSubgradeSpecificGravity},
    {"Subgrade", "CU", &CProjectData::m_strSubgradeCu},
    {"Subgrade", "CC", &CProjectData::m_strSubgradeCc},
    {"Subgrade", "k", &CProjectData::m_strSubgradeK},
    {"Subgrade", "Porosity", &CProjectData::m_strSubgradePorosity},
    {"Subgrade", "Effective Porosity", &CProjectData::m_strSubgradeEffectivePorosity},
    {"Subgrade", "Description", &CProjectData::m_strSubgradeDescription},
    {"Subgrade", "Water", &CProjectData::m_strSubgradeWater},
    {"Seperator", "D10", &CProjectData::m_strSeparatorD10},
    {"Seperator", "D12", &CProjectData::m_strSeparatorD12},
    {"Seperator", "D15", &CProjectData::m_strSeparatorD15},
    {"Seperator", "D30", &CProjectData::m_strSeparatorD30},
    {"Seperator", "D50", &CProjectData::m_strSeparatorD50},
    {"Seperator", "D60", &CProjectData::m_strSeparatorD60},
    {"Seperator", "D85", &CProjectData::m_strSeparatorD85},
    {"Seperator", "UW", &CProjectData::m_strSeparatorUnitWeight},
    {"Seperator", "p200", &CProjectData::m_strSeparatorP200},
    {"Seperator", "SG", &CProjectData::m_strSeparatorSpecificGravity},
    {"Seperator", "CU", &CProjectData::m_strSeparatorCu},
    {"Seperator", "CC", &CProjectData::m_strSeparatorCc},
    {"Seperator", "k", &CProjectData::m_strSeparatorK},
    {"Seperator", "Porosity", &CProjectData::m_strSeparatorPorosity},
    {"Seperator", "Effective Porosity", &CProjectData::m_strSeparatorEffectivePorosity},
    {"Seperator", "MaxH", &CProjectData::m_strSeparatorMaxH},
    {"Seperator", "Min_k", &CProjectData::m_strSeparatorMinK},
    {"Seperator", "Description", &CProjectData::m_strSeparatorDescription},
    {"Seperator", "Water", &CProjectData::m_strSeparatorWater},
    {"Controls", "Geometry", &CProjectData::m_strGeometryChoice},
    {"Controls", "Expert", &CProjectData::m_strMode},
    {"Controls", "Meltwater", &CProjectData::m_strMeltwater},
    {"Controls", "Infiltration Method", &CProjectData::m_strInfiltrationMethod},
    {"Controls", "Concrete", &CProjectData::m_strConcrete},
    {"Controls", "Rain", &CProjectData::m_strRain},
    {"Controls", "Base", &CProjectData::m_strBaseMethod},
    {"Controls", "Drain", &CProjectData::m_strDrainMethod},
    {"Controls", "TimeToDrain", &CProjectData::m_strTimeToDrainMethod},
    {"Controls", "Edge Drain", &CProjectData::m_strEdgeDrainType},
    {"Controls", "Discharge", &CProjectData::m_strDischarge},
    {"Controls", "Sieve", &CProjectData::m_strSieveSource},
    {"Controls", "Sieve Type", &CProjectData::m_strSieveType},
    {"Controls", "Sieve Layer", &CProjectData::m_strSieveLayer},
    {"Controls", "Seperator", &CProjectData::m_strSeparatorType},
    {"Controls", "WaterBase", &CProjectData::m_strWaterBase},
    {"Controls", "WaterSub", &CProjectData::m_strWaterSub},
    {"Controls", "WaterSep", &CProjectData::m_strWaterSep},
    {"Controls", "FillType", &CProjectData::m_strFillType},
    {"Controls", "Retention", &CProjectData::m_strRetention},
    {"Controls", "Permeability", &CProjectData::m_strPermeabilityChoice},
    {"Controls", "Clogging", &CProjectData::m_strClogging},
    {"Controls", "Geotextile", &CProjectData::m_strGeotextileType},
};

const char* const LayerSections[3] = {"Base", "Subgrade", "Seperator"};

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

// Every stored field gets a text of its own; the sieve table is full in both column kinds.
void FillDesign(CProjectData& data)
{
    int index = 0;
    for (const StoredKey& entry : StoredKeys)
    {
        CString strValue;
        strValue.Format("%d.25", ++index);
        data.*entry.field = strValue;
    }
    data.m_strUnits = "metric";
    data.m_strBaseDescription = "Open graded \"Type 2\" crushed stone";
    data.m_strSubgradeDescription = "Silty clay";
    data.m_strSeparatorDescription = "Dense graded aggregate, 3/4\" max";
    data.m_strMode = "expert";
    data.m_strMeltwater = "no";
    data.m_strInfiltrationMethod = "ratio";
    data.m_strSeparatorType = "aggregate";
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
    IniFile ini = ParseIni(path);

    std::vector<std::string> expectedSections = {"Units"};
    for (const StoredKey& entry : StoredKeys)
        if (expectedSections.back() != entry.section)
            expectedSections.push_back(entry.section);
    EXPECT_EQ(ini.sections, expectedSections);
    EXPECT_EQ(ini.sections[56], "Pavememt");

    std::vector<IniLine> expected;
    for (const StoredKey& entry : StoredKeys)
        expected.push_back({entry.section, entry.key, static_cast<LPCTSTR>(data.*entry.field)});
    // The sieve keys follow the property keys of their layer's section.
    std::vector<IniLine> sieveLines[3];
    for (int row = 0; row < CProjectData::SieveCount; ++row)
        for (int layer = 0; layer < 3; ++layer)
            for (int part = 0; part < 3; ++part)
                sieveLines[layer].push_back({LayerSections[layer],
                                             std::string(CProjectData::SieveLabels[row]) + "_" + std::to_string(part),
                                             static_cast<LPCTSTR>(data.m_strSieve[row][layer * 3 + part])});
    for (int layer = 2; layer >= 0; --layer)
    {
        size_t end = 0;
        for (size_t i = 0; i < expected.size(); ++i)
            if (expected[i].section == LayerSections[layer])
                end = i + 1;
        expected.insert(expected.begin() + end, sieveLines[layer].begin(), sieveLines[layer].end());
    }

    ASSERT_EQ(ini.lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(ini.lines[i].section, expected[i].section) << "line " << i;
        EXPECT_EQ(ini.lines[i].key, expected[i].key) << "line " << i;
        EXPECT_EQ(ini.lines[i].value, expected[i].value) << "line " << i;
    }

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

    for (const StoredKey& entry : StoredKeys)
        EXPECT_EQ(read.*entry.field, written.*entry.field) << entry.section << "." << entry.key;
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
        for (const StoredKey& key : StoredKeys)
            EXPECT_EQ(data.*key.field, before.*key.field) << entry.name << " " << key.section << "." << key.key;
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
