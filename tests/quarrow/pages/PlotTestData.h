// Designs and file helpers shared by the plot data file and plotting-program tests.
#pragma once

#include <windows.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "quarrow/app/ProjectData.h"
#include "tests/quarrow/QuarrowTestSupport.h"

// Sieve rows of the record's tables.
enum PlotSieveRow
{
    Sieve0001mm = 0, Sieve0020mm = 2, Sieve200 = 3, Sieve40 = 8, Sieve10 = 12, Sieve8 = 13, Sieve4 = 14,
    Sieve3of8 = 15, Sieve1of2 = 16, Sieve3of4 = 17, Sieve1 = 18
};

// Puts percent-passing values into one column of a layer (value, lower or upper bound).
inline void SetSieveColumn(CProjectData& data, int nLayer, int nPart, std::initializer_list<std::pair<int, double>> rows)
{
    for (const auto& [row, value] : rows)
        data.m_dSieve[row][nLayer * 3 + nPart] = value;
}

// The base of the examples: #200 5, #40 15, #8 30, #4 45, 3/8" 60, 3/4" 85, 1" 100, "Base A".
inline void SetBaseGradation(CProjectData& data)
{
    SetSieveColumn(data, CProjectData::LayerBase, CProjectData::SieveValue,
                   {{Sieve200, 5}, {Sieve40, 15}, {Sieve8, 30}, {Sieve4, 45}, {Sieve3of8, 60}, {Sieve3of4, 85},
                    {Sieve1, 100}});
    data.m_strBaseDescription = "Base A";
}

// The three layers of the separator plots, each with its description.
inline void SetSeparatorGradations(CProjectData& data)
{
    SetBaseGradation(data);
    SetSieveColumn(data, CProjectData::LayerSubgrade, CProjectData::SieveValue,
                   {{Sieve0001mm, 2}, {Sieve0020mm, 10}, {Sieve200, 35}, {Sieve40, 70}, {Sieve10, 88}, {Sieve4, 100}});
    data.m_strSubgradeDescription = "Subgrade B";
    SetSieveColumn(data, CProjectData::LayerSeparator, CProjectData::SieveValue,
                   {{Sieve200, 0}, {Sieve40, 12}, {Sieve4, 40}, {Sieve1of2, 75}, {Sieve1, 100}});
    data.m_strSeparatorDescription = "Separator C";
}

// The permeable base of the sensitivity examples, English: Ne 0.300, k 1000 ft/day, S 0.0200,
// L 16.83 ft, H 0.5 ft, 50 % drained, q 2 ft^3/day/ft^2.
inline void SetEnglishBase(CProjectData& data)
{
    data.m_strUnits = "english";
    data.m_strBaseEffectivePorosity = "0.300";
    data.m_strBaseK = "1000.";
    data.m_strResultantSlope = "0.0200";
    data.m_strResultantLength = "16.83";
    data.m_strBaseThickness = "0.5";
    data.m_strPercentDrained = "50.";
    data.m_strInfiltrationRate = "2.";
}

// A metric base: k 304.8 m/day, L 5.1298 m, H 0.15 m, 85 % drained, q 7.056e-006 m^3/s/m^2.
inline void SetMetricBase(CProjectData& data)
{
    data.m_strUnits = "metric";
    data.m_strBaseEffectivePorosity = "0.300";
    data.m_strBaseK = "304.8";
    data.m_strResultantSlope = "0.0200";
    data.m_strResultantLength = "5.1298";
    data.m_strBaseThickness = "0.15";
    data.m_strPercentDrained = "85.";
    data.m_strInfiltrationRate = "7.056e-006";
}

inline void SetAllSensitivity(CProjectData& data, BOOL bOn)
{
    for (BOOL& flag : data.m_bSensitivity)
        flag = bOn;
}

inline std::string ReadBytes(const char* pszPath)
{
    std::ifstream file(pszPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const char* pszPath, const std::string& bytes)
{
    std::ofstream(pszPath, std::ios::binary) << bytes;
}

// The lines of a file's text, without their CR LF.
inline std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start))
    {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}
