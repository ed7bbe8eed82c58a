#include "quarrow/pages/PlotDataFile.h"

#include "framework/core/NumberText.h"
#include "framework/win/Seams.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/PermeableBaseCalc.h"
#include "quarrow/pages/PlotProgram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

const CPlotDataFile::SieveSize CPlotDataFile::SieveSizes[SieveSizeCount] = {
    {"0.001mm", 0.001, 3.9e-05},  {"0.002mm", 0.002, 7.8e-05}, {"0.020mm", 0.02, 0.000787},
    {"#200", 0.075, 0.00295},     {"#100", 0.15, 0.00591},     {"#70", 0.212, 0.00835},
    {"#60", 0.25, 0.00984},       {"#50", 0.3, 0.0118},        {"#40", 0.425, 0.0167},
    {"#30", 0.6, 0.0236},         {"#20", 0.931, 0.03667},     {"#16", 1.18, 0.0465},
    {"#10", 1.888, 0.07433},      {"#8", 2.36, 0.0929},        {"#4", 4.75, 0.187},
    {"3/8\"", 9.5, 0.375},        {"1/2\"", 12.5, 0.5},        {"3/4\"", 19.0, 0.75},
    {"1\"", 25.0, 1.0},           {"1 1/2\"", 37.5, 1.5},      {"2\"", 50.0, 2.0},
    {"2 1/2\"", 63.0, 2.5},       {"3\"", 75.0, 3.0},          {"3 1/2\"", 90.0, 3.5},
    {"4\"", 100.0, 4.0},
};

namespace {

const char PercentDrainedMessage[] = "Percent drained must be at least 0 and less than 100 to plot the time to drain.";
const char NoFiniteResultMessage[] = "These values give no finite result to plot.";
const char NotWrittenMessage[] = "The plot data file could not be written:\n";

// Metric permeabilities are per day, metric inflows per second.
const double PerDayToPerSecond = 1.1574074074074073e-05;
const double MillimetresPerInch = 25.4;
// The finest bound of the separator criteria, the #200 sieve.
const double FinesSizeMillimetres = 0.075;

// The file's text: numbers and words of a line separated by one blank, lines ended by CR LF.
class CPlotText
{
public:
    void Number(double value) { Word(CPlotDataFile::FormatNumber(value)); }
    void Integer(int value) { Word(CString(std::to_string(value).c_str())); }
    void Word(const CString& strWord)
    {
        if (m_bInLine)
            m_text += ' ';
        m_text += static_cast<LPCTSTR>(strWord);
        m_bInLine = true;
    }
    void EndLine()
    {
        m_text += "\r\n";
        m_bInLine = false;
    }
    // One caption: a line of its own for Fennick's line reader, which takes at most 1023 characters.
    void Caption(const CString& strCaption)
    {
        std::string caption(static_cast<LPCTSTR>(strCaption));
        for (char& ch : caption)
            if (ch == '\r' || ch == '\n')
                ch = ' ';
        if (caption.size() > CPlotDataFile::MaxCaptionLength)
            caption.resize(CPlotDataFile::MaxCaptionLength);
        m_text += caption;
        m_bInLine = true;
    }
    void CaptionLine(const CString& strCaption)
    {
        Caption(strCaption);
        EndLine();
    }

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    bool m_bInLine = false;
};

// Creates or replaces the file with the whole text at once.
BOOL WritePlotFile(LPCTSTR pszPath, const CPlotText& text, CString& strError)
{
    const std::string& bytes = text.Text();
    BOOL bWritten = FALSE;
    // Windows refuses to replace a read-only file; Wine run by root would replace it all the same.
    const DWORD dwAttributes = ::GetFileAttributesA(pszPath);
    const bool bReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    HANDLE hFile = bReadOnly ? INVALID_HANDLE_VALUE
                             : ::CreateFileA(pszPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD cbWritten = 0;
        bWritten = ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cbWritten, nullptr) &&
                   cbWritten == bytes.size();
        bWritten = ::CloseHandle(hFile) && bWritten;
    }
    if (!bWritten)
        strError = CString(NotWrittenMessage) + pszPath;
    return bWritten;
}

// Grain sizes are inches only for English units on the logarithmic scale; millimetres otherwise.
bool SizesInInches(const CProjectData& data)
{
    return data.m_strUnits == "english" && data.m_strPlotScale != "pow45";
}

double SieveSizeOf(int nRow, bool bInches)
{
    const CPlotDataFile::SieveSize& sieve = CPlotDataFile::SieveSizes[nRow];
    return bInches ? sieve.dInches : sieve.dMillimetres;
}

bool IsEmptySieveValue(double value)
{
    // A value read from some text too large for a double would be no point Fennick can read.
    return value == -1.0 || !std::isfinite(value);
}

int SieveLayerNumber(const CString& strLayer)
{
    if (strLayer == "subgrade")
        return CProjectData::LayerSubgrade;
    if (strLayer == "seperator")
        return CProjectData::LayerSeparator;
    return CProjectData::LayerBase;
}

const CString& LayerDescription(const CProjectData& data, int nLayer)
{
    switch (nLayer)
    {
    case CProjectData::LayerSubgrade: return data.m_strSubgradeDescription;
    case CProjectData::LayerSeparator: return data.m_strSeparatorDescription;
    default: return data.m_strBaseDescription;
    }
}

// One layer's single values, each row size and percent passing, ended by "0 0".
void WriteLayerValues(CPlotText& text, const CProjectData& data, int nLayer, bool bInches)
{
    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        const double value = data.m_dSieve[row][nLayer * 3 + CProjectData::SieveValue];
        if (IsEmptySieveValue(value))
            continue;
        text.Number(SieveSizeOf(row, bInches));
        text.Number(value);
        text.EndLine();
    }
    text.Integer(0);
    text.Integer(0);
    text.EndLine();
}

struct BoundPoint
{
    double size;
    int percent;
};

// A bound list ended by "0 0". A point without a positive size is left out: a size of 0 would end
// Fennick's list early.
template <size_t N>
void WriteBound(CPlotText& text, const BoundPoint (&points)[N])
{
    for (const BoundPoint& point : points)
    {
        if (!(point.size > 0.0) || !std::isfinite(point.size))
            continue;
        text.Number(point.size);
        text.Integer(point.percent);
        text.EndLine();
    }
    text.Integer(0);
    text.Integer(0);
    text.EndLine();
}

// The quantities the sensitivity curves vary, and the grid of 60 points of each: point 0 is the
// start, each next point adds the step to the one before in double precision.
enum Quantity { QPorosity, QPermeability, QSlope, QLength, QThickness, QDrained, QInflow };

struct CurveGrid
{
    double englishStart, englishStep, metricStart, metricStep;
};

const CurveGrid CurveGrids[] = {
    {0.0, 0.0125, 0.0, 0.0125},        // effective porosity
    {10.0, 16.0, 1.0, 5.0},            // permeability, ft/day or m/day; the step grows with the point
    {0.001, 0.0025, 0.001, 0.0025},    // resultant slope
    {0.5, 5.0, 0.5, 1.5},              // resultant length, ft or m
    {0.025, 0.075, 0.025, 0.025},      // base thickness, ft or m
    {0.0, 0.025, 0.0, 0.025},          // drained fraction
    {0.0, 0.25, 0.0, 2.5e-07},         // inflow rate, ft^3/day/ft^2 or m^3/s/m^2
};

// The drained fraction stops growing at 0.975 in both unit systems: the time-to-drain formulas
// divide by 1 - U.
const double DrainedFractionLimit = 0.975;

void FillCurveGrid(Quantity quantity, bool bMetric, double (&points)[CPlotDataFile::PointsPerCurve])
{
    const CurveGrid& grid = CurveGrids[quantity];
    points[0] = bMetric ? grid.metricStart : grid.englishStart;
    for (int i = 1; i < CPlotDataFile::PointsPerCurve; ++i)
    {
        double step = bMetric ? grid.metricStep : grid.englishStep;
        if (quantity == QPermeability)
            step *= i;
        if (quantity == QDrained && !(points[i - 1] < DrainedFractionLimit))
            step = 0.0;
        points[i] = points[i - 1] + step;
    }
}

// The header's selection group: the curve count, then 1 or 0 for each curve to be shown.
CString Selection(const CProjectData& data, const int* pFlags, int nCount)
{
    CString strSelection(static_cast<TCHAR>('0' + nCount));
    for (int i = 0; i < nCount; ++i)
        strSelection += data.m_bSensitivity[pFlags[i]] ? '1' : '0';
    return strSelection;
}

void WriteSensitivityHeader(CPlotText& text, int nKind, bool bMetric, const CString& strSelection)
{
    text.Integer(nKind);
    text.Integer(CPlotDataFile::PointsPerCurve);
    text.Integer(bMetric ? 1 : 0);
    text.Integer(0);
    text.Word(strSelection);
    text.EndLine();
}

} // namespace

CString CPlotDataFile::FormatNumber(double value)
{
    // The Windows runtime writes three exponent digits ("3.9e-005"); the file has the stream's two.
    std::string number = NumberText::FormatDouble(value, 'g', 6);
    const size_t exponent = number.find('e');
    if (exponent != std::string::npos)
    {
        const size_t firstDigit = exponent + 2;
        while (number.size() - firstDigit > 2 && number[firstDigit] == '0')
            number.erase(firstDigit, 1);
    }
    return CString(number.c_str());
}

CString CPlotDataFile::FormatCurveLegend(const CProjectData& data, int nCurve, BOOL bMetric)
{
    const CString& U = data.m_strPercentDrained;
    const CString& S = data.m_strResultantSlope;
    const CString& H = data.m_strBaseThickness;
    const CString& L = data.m_strResultantLength;
    const CString& k = data.m_strBaseK;
    const CString& Ne = data.m_strBaseEffectivePorosity;
    const CString& q = data.m_strInfiltrationRate;
    const char* length = bMetric ? "m" : "ft";
    const char* perDay = bMetric ? "m/d" : "ft/d";
    const char* perDayLong = bMetric ? "m/day" : "ft/day";
    const char* inflow = bMetric ? "m^3/s/m^2" : "ft^3/d/ft^2";

    switch (nCurve)
    {
    case CurvePorosity:
        return "U%=" + U + ",S=" + S + ",H=" + H + length + ",L=" + L + length + ",k=" + k + perDay;
    case CurvePermeability:
        return "U%=" + U + ",S=" + S + ",H=" + H + length + ",L=" + L + length + ",Ne=" + Ne;
    case CurveSlope:
        return "U%=" + U + ",H=" + H + length + ",L=" + L + length + ",k=" + k + perDayLong + ",Ne=" + Ne;
    case CurveLength:
        return "U%=" + U + ",S=" + S + ",H=" + H + length + ",k=" + k + perDay + ",Ne=" + Ne;
    case CurveThickness:
        return "U%=" + U + ",S=" + S + ",L=" + L + length + ",k=" + k + perDay + ",Ne=" + Ne;
    case CurveDrained:
        return "S=" + S + ",H=" + H + length + ",L=" + L + length + ",k=" + k + perDay + ",Ne=" + Ne;
    case CurveDepthInflow:
        return "L=" + L + length + ",S=" + S + ",k=" + k + perDay;
    case CurveDepthPermeability:
        return "L=" + L + length + ",S=" + S + ",q=" + q + inflow;
    case CurveDepthSlope:
        return "L=" + L + length + ",q=" + q + inflow + ",k=" + k + perDayLong;
    case CurveDepthLength:
        return "S=" + S + ",q=" + q + inflow + ",k=" + k + perDayLong;
    default:
        return CString();
    }
}

BOOL CPlotDataFile::WriteGradation(const CProjectData& data, LPCTSTR pszPath, CString& strError)
{
    const int nLayer = SieveLayerNumber(data.m_strSieveLayer);
    const bool bRange = data.m_strSieveType == "range";
    const bool bInches = SizesInInches(data);

    // Layer, entry mode, scale, units: the scale comes before the units here, unlike kinds 5 and 6.
    CPlotText text;
    text.Integer(nLayer);
    text.Integer(bRange ? 1 : 0);
    text.Integer(data.m_strPlotScale == "pow45" ? 0 : 1);
    text.Integer(data.m_strUnits == "english" ? 0 : 1);
    text.EndLine();

    for (int row = 0; row < CProjectData::SieveCount; ++row)
    {
        const double* columns = &data.m_dSieve[row][nLayer * 3];
        if (bRange)
        {
            const double lower = columns[CProjectData::SieveLower];
            const double upper = columns[CProjectData::SieveUpper];
            if (IsEmptySieveValue(lower) || IsEmptySieveValue(upper))
                continue;
            text.Number(SieveSizeOf(row, bInches));
            text.Number(lower);
            text.Number((lower + upper) * 0.5);
            text.Number(upper);
        }
        else
        {
            const double value = columns[CProjectData::SieveValue];
            if (IsEmptySieveValue(value))
                continue;
            text.Number(SieveSizeOf(row, bInches));
            text.Number(value);
        }
        text.EndLine();
    }
    for (int i = 0; i < (bRange ? 4 : 2); ++i)
        text.Integer(0);
    text.EndLine();
    // The description is the last thing in the file, without a line end.
    text.Caption(LayerDescription(data, nLayer));
    return WritePlotFile(pszPath, text, strError);
}

BOOL CPlotDataFile::WriteTimeToDrain(const CProjectData& data, LPCTSTR pszPath, CString& strError)
{
    const bool bMetric = data.IsMetric();
    const double percentDrained = atof(data.m_strPercentDrained);
    // Ne, k, S, L, H and the drained fraction: the arguments of the time to drain, in curve order.
    const double values[6] = {atof(data.m_strBaseEffectivePorosity), atof(data.m_strBaseK),
                              atof(data.m_strResultantSlope),        atof(data.m_strResultantLength),
                              atof(data.m_strBaseThickness),         percentDrained * 0.01};
    if (!(values[1] > 0.0 && values[2] > 0.0 && values[3] > 0.0 && values[4] > 0.0))
        return FALSE;
    // 100 % drained takes forever: the formulas divide by 1 - U.
    if (!(percentDrained >= 0.0 && percentDrained < 100.0))
    {
        strError = PercentDrainedMessage;
        return FALSE;
    }

    static const int Flags[6] = {CProjectData::SensitivityPorosity, CProjectData::SensitivityPermeability,
                                 CProjectData::SensitivitySlope,    CProjectData::SensitivityLength,
                                 CProjectData::SensitivityThickness, CProjectData::SensitivityDrain};
    CPlotText text;
    WriteSensitivityHeader(text, 3, bMetric, Selection(data, Flags, 6));

    for (int curve = CurvePorosity; curve <= CurveDrained; ++curve)
    {
        double grid[PointsPerCurve];
        FillCurveGrid(static_cast<Quantity>(curve), bMetric, grid);
        for (double x : grid)
        {
            double a[6];
            std::copy(values, values + 6, a);
            a[curve] = x;
            // Fennick shows the second number as Barber and Sawyer, the third as Casagrande and Shannon.
            const double barber = CPermeableBaseCalc::CalcTimeToDrain(a[0], a[1], a[2], a[3], a[4], a[5], 1);
            const double casagrande = CPermeableBaseCalc::CalcTimeToDrain(a[0], a[1], a[2], a[3], a[4], a[5], 0);
            if (!std::isfinite(barber) || !std::isfinite(casagrande))
            {
                strError = NoFiniteResultMessage;
                return FALSE;
            }
            text.Number(x);
            text.Number(barber);
            text.Number(casagrande);
            text.EndLine();
        }
        text.CaptionLine(FormatCurveLegend(data, curve, bMetric));
    }
    return WritePlotFile(pszPath, text, strError);
}

BOOL CPlotDataFile::WriteDepthOfFlow(const CProjectData& data, LPCTSTR pszPath, CString& strError)
{
    const bool bMetric = data.IsMetric();
    // q, k, S, L: the arguments of the depth of flow, in curve order. q is the infiltration alone.
    const double values[4] = {atof(data.m_strInfiltrationRate), atof(data.m_strBaseK),
                              atof(data.m_strResultantSlope), atof(data.m_strResultantLength)};
    if (!(values[1] > 0.0 && values[2] > 0.0 && values[3] > 0.0))
        return FALSE;
    // A metric k is per day and a metric q per second; the permeability curve still shows m/day.
    const double permeabilityFactor = bMetric ? PerDayToPerSecond : 1.0;

    static const int Flags[4] = {CProjectData::SensitivityInflow, CProjectData::SensitivityPermeability,
                                 CProjectData::SensitivitySlope, CProjectData::SensitivityLength};
    static const Quantity Quantities[4] = {QInflow, QPermeability, QSlope, QLength};
    CPlotText text;
    WriteSensitivityHeader(text, 4, bMetric, Selection(data, Flags, 4));

    for (int curve = 0; curve < 4; ++curve)
    {
        double grid[PointsPerCurve];
        FillCurveGrid(Quantities[curve], bMetric, grid);
        for (double x : grid)
        {
            double a[4];
            std::copy(values, values + 4, a);
            a[curve] = x;
            const double depth = CPermeableBaseCalc::CalcDepthOfFlow(a[0], a[1] * permeabilityFactor, a[2], a[3]);
            if (!std::isfinite(depth))
            {
                strError = NoFiniteResultMessage;
                return FALSE;
            }
            text.Number(x);
            text.Number(depth);
            text.EndLine();
        }
        text.CaptionLine(FormatCurveLegend(data, CurveDepthInflow + curve, bMetric));
    }
    return WritePlotFile(pszPath, text, strError);
}

BOOL CPlotDataFile::WriteSeparatorCriteria(const CProjectData& data, LPCTSTR pszPath, CString& strError)
{
    // The page hides its plot button for a geotextile; any word but "aggregate" has no separator list.
    const bool bAggregate = data.m_strSeparatorType == "aggregate";
    const bool bInches = SizesInInches(data);
    // Grain sizes of the record are inches in English units; the file wants millimetres unless its
    // sizes are inches.
    const double boundFactor = data.m_strUnits == "english" && !bInches ? MillimetresPerInch : 1.0;

    // Kind, 0, units, scale, 0: the units come before the scale here, unlike kinds 0 to 2.
    CPlotText text;
    text.Integer(bAggregate ? 6 : 5);
    text.Integer(0);
    text.Integer(data.IsMetric() ? 1 : 0);
    text.Integer(data.m_strPlotScale == "pow45" ? 0 : 1);
    text.Integer(0);
    text.EndLine();

    WriteLayerValues(text, data, CProjectData::LayerBase, bInches);
    WriteLayerValues(text, data, CProjectData::LayerSubgrade, bInches);
    if (bAggregate)
    {
        WriteLayerValues(text, data, CProjectData::LayerSeparator, bInches);
        const BoundPoint lower[] = {
            {0.2 * atof(data.m_strBaseD15) * boundFactor, 85},
            {0.04 * atof(data.m_strBaseD50) * boundFactor, 50},
            {bInches ? FinesSizeMillimetres / MillimetresPerInch : FinesSizeMillimetres, 12},
        };
        WriteBound(text, lower);
    }
    const BoundPoint upper[] = {
        {5.0 * atof(data.m_strSubgradeD85) * boundFactor, 15},
        {25.0 * atof(data.m_strSubgradeD50) * boundFactor, 50},
    };
    WriteBound(text, upper);

    text.CaptionLine(data.m_strBaseDescription);
    text.CaptionLine(data.m_strSubgradeDescription);
    if (bAggregate)
    {
        text.CaptionLine(data.m_strSeparatorDescription);
        text.CaptionLine("Lower bound");
    }
    text.CaptionLine("Upper bound");
    return WritePlotFile(pszPath, text, strError);
}

BOOL PlotToFennick(PlotDataWriter writer, const CProjectData& data)
{
    CString strPath;
    if (CQuarrowApp* pApp = QuarrowApp())
        strPath = pApp->m_strInstallDir;
    strPath += "\\plot.tmp";

    CString strError;
    if (!writer(data, strPath, strError))
    {
        if (!strError.IsEmpty())
            AfxMessageBox(strError, MB_OKCANCEL);
        return FALSE;
    }
    return LaunchPlotProgram();
}
