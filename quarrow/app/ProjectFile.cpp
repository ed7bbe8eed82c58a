// The project file (*.qrw): an INI file written key by key through the platform's profile
// functions, so sections and keys keep the order of first writing, and read as those functions
// read it.

#include "quarrow/app/ProjectData.h"

#include "framework/core/SafeSave.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using TextField = CString CProjectData::*;

struct FileKey
{
    const char* section;
    const char* key;
    TextField field;
};

struct ChoiceKey
{
    const char* key;
    TextField field;
    const char* missingValue;   // taken when the key is not in the file
};

// The 54 quantities, one section each with the key "VALUE".
const FileKey QuantityKeys[] = {
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
};

// "Pavememt" and "Seperator" are spelt as stored files have them.
const FileKey PropertyKeys[] = {
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
};

const char ControlsSection[] = "Controls";

// The plot scale is not stored.
const ChoiceKey ControlKeys[] = {
    {"Geometry", &CProjectData::m_strGeometryChoice, "A"},
    {"Expert", &CProjectData::m_strMode, "normal"},
    {"Meltwater", &CProjectData::m_strMeltwater, "yes"},
    {"Infiltration Method", &CProjectData::m_strInfiltrationMethod, "ratio"},
    {"Concrete", &CProjectData::m_strConcrete, "PCC"},
    {"Rain", &CProjectData::m_strRain, "one"},
    {"Base", &CProjectData::m_strBaseMethod, "TTD"},
    {"Drain", &CProjectData::m_strDrainMethod, "AASHTO"},
    {"TimeToDrain", &CProjectData::m_strTimeToDrainMethod, "Barber"},
    {"Edge Drain", &CProjectData::m_strEdgeDrainType, "pipe"},
    {"Discharge", &CProjectData::m_strDischarge, "Infiltration"},
    {"Sieve", &CProjectData::m_strSieveSource, "sieve"},
    {"Sieve Type", &CProjectData::m_strSieveType, "value"},
    {"Sieve Layer", &CProjectData::m_strSieveLayer, "base"},
    {"Seperator", &CProjectData::m_strSeparatorType, "none"},
    {"WaterBase", &CProjectData::m_strWaterBase, "content"},
    {"WaterSub", &CProjectData::m_strWaterSub, "content"},
    {"WaterSep", &CProjectData::m_strWaterSep, "content"},
    {"FillType", &CProjectData::m_strFillType, "silt"},
    {"Retention", &CProjectData::m_strRetention, "steady"},
    {"Permeability", &CProjectData::m_strPermeabilityChoice, "normal"},
    {"Clogging", &CProjectData::m_strClogging, "normal"},
    {"Geotextile", &CProjectData::m_strGeotextileType, "nonwoven"},
};

const char* const LayerSections[3] = {"Base", "Subgrade", "Seperator"};
const char* const SieveKeyEndings[3] = {"_0", "_1", "_2"};

CString SieveKey(int row, int part)
{
    CString strKey(CProjectData::SieveLabels[row]);
    strKey += SieveKeyEndings[part];
    return strKey;
}

// Relative names would send the profile functions to the Windows directory.
CString FullPath(const CString& strPath)
{
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(strPath, MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return strPath;
    return CString(buffer);
}

// The profile functions trim blanks around a value and take off one pair of
// enclosing quotes; such a value is written inside double quotes so that it reads
// back as it was. A line break would end the line and start a forged key: it
// becomes a blank.
CString ProfileText(const CString& strValue)
{
    CString strText(strValue);
    strText.Replace('\r', ' ');
    strText.Replace('\n', ' ');
    int length = strText.GetLength();
    if (length == 0)
        return strText;
    char first = strText.GetAt(0);
    char last = strText.GetAt(length - 1);
    bool blankEnds = first == ' ' || first == '\t' || last == ' ' || last == '\t';
    bool quotedEnds = length >= 2 && (first == '"' || first == '\'') && last == first;
    if (blankEnds || quotedEnds)
        return CString("\"") + strText + "\"";
    return strText;
}

bool WriteKey(const char* section, const char* key, const CString& strValue, const CString& strPath)
{
    return AfxWritePrivateProfileString(section, key, ProfileText(strValue), strPath) != FALSE;
}

// Writes the profile functions' copy of a file to the disk and forgets it. Their cache knows a file by
// its name and write time: after a rename onto that name within one tick of the clock it would go on
// answering from the file that was replaced.
void ForgetCachedProfile(const CString& strPath)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, strPath);
}

// A design file is a few kilobytes; anything this large is no design.
const DWORD MaxProjectFileBytes = 16u << 20;

// The file as the platform's GetPrivateProfileStringA sees it, read once: asking the platform key by
// key opens the file again for each of the 353 keys, which under Wine takes a good part of a second.
// Lines, sections, keys, blanks and quotes are taken as the profile functions take them
// (ProjectFileTest checks that the two agree, file by file).
class ProfileImage
{
public:
    // False when the file cannot be read (a folder cannot be opened so) or is larger than any design.
    bool Load(const CString& strPath)
    {
        HANDLE hFile = CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER size{};
        std::string bytes;
        bool bRead = GetFileSizeEx(hFile, &size) && size.QuadPart <= MaxProjectFileBytes;
        if (bRead)
        {
            bytes.resize(static_cast<size_t>(size.QuadPart));
            DWORD nRead = 0;
            bRead = bytes.empty() ||
                    (::ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &nRead, nullptr) &&
                     nRead == bytes.size());
        }
        CloseHandle(hFile);
        if (!bRead)
            return false;
        Parse(AnsiText(bytes));
        return true;
    }

    bool HasSection(const char* section) const { return FindSection(section) != nullptr; }

    // Only the first section of a name counts, and in it the first key of a name; a key line without
    // an equals sign has no value. One pair of matching quotes around a value is taken off.
    CString Value(const char* section, const char* key, const char* missingValue) const
    {
        const Section* pSection = FindSection(section);
        if (pSection != nullptr)
        {
            for (const Key& entry : pSection->keys)
            {
                if (SameName(entry.name, key))
                    return entry.hasValue ? Unquoted(entry.value) : CString(missingValue);
            }
        }
        return CString(missingValue);
    }

private:
    struct Key
    {
        std::string name;
        std::string value;
        bool hasValue;
    };
    struct Section
    {
        std::string name;
        std::vector<Key> keys;
    };

    static bool IsBlank(char ch)
    {
        return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r' || ch == '\x1A';
    }

    // Names compare as the text before any NUL, without regard to case. The names asked for are
    // plain ASCII, which no other letter of the code page folds to.
    static bool SameName(const std::string& stored, const char* wanted)
    {
        auto fold = [](unsigned char ch) { return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch; };
        const char* pStored = stored.c_str();
        for (; *pStored != '\0' && *wanted != '\0'; ++pStored, ++wanted)
        {
            if (fold(static_cast<unsigned char>(*pStored)) != fold(static_cast<unsigned char>(*wanted)))
                return false;
        }
        return *pStored == '\0' && *wanted == '\0';
    }

    static CString Unquoted(const std::string& stored)
    {
        const CString value(stored.c_str());
        const int length = value.GetLength();
        if (length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0])
            return value.Mid(1, length - 2);
        return value;
    }

    // The profile functions read a file with a byte order mark as Unicode: its text comes back in the
    // program's code page.
    static std::string AnsiText(const std::string& bytes)
    {
        auto fromWide = [](const std::wstring& wide) {
            if (wide.empty())
                return std::string();
            const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                                   0, nullptr, nullptr);
            std::string text(static_cast<size_t>(length), '\0');
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                                nullptr);
            return text;
        };
        if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        {
            const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3),
                                                   nullptr, 0);
            std::wstring wide(static_cast<size_t>(length), L'\0');
            if (length > 0)
                MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3), &wide[0], length);
            return fromWide(wide);
        }
        const bool littleEndian = bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0;
        const bool bigEndian = bytes.size() >= 2 && bytes.compare(0, 2, "\xFE\xFF") == 0;
        if (littleEndian || bigEndian)
        {
            std::wstring wide;
            for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            {
                const unsigned char first = static_cast<unsigned char>(bytes[i]);
                const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
                wide += static_cast<wchar_t>(littleEndian ? first | second << 8 : second | first << 8);
            }
            return fromWide(wide);
        }
        return bytes;
    }

    void Parse(const std::string& text)
    {
        // Keys before the first section belong to a section without a name.
        m_sections.push_back(Section{"", {}});
        size_t lineStart = 0;
        while (lineStart < text.size())
        {
            size_t lineEnd = text.find_first_of("\r\n", lineStart);
            if (lineEnd == std::string::npos)
                lineEnd = text.size();
            size_t first = lineStart;
            size_t last = lineEnd;
            lineStart = lineEnd + 1;
            while (first < last && IsBlank(text[first]))
                ++first;
            while (last > first && IsBlank(text[last - 1]))
                --last;
            if (first == last)
                continue;
            if (text[first] == '[')
            {
                const size_t close = text.rfind(']', last - 1);
                if (close != std::string::npos && close > first)
                {
                    size_t nameStart = first + 1;
                    size_t nameEnd = close;
                    while (nameStart < nameEnd && IsBlank(text[nameStart]))
                        ++nameStart;
                    while (nameEnd > nameStart && IsBlank(text[nameEnd - 1]))
                        --nameEnd;
                    m_sections.push_back(Section{text.substr(nameStart, nameEnd - nameStart), {}});
                    continue;
                }
            }
            Key key{"", "", false};
            const size_t equals = text.find('=', first);
            if (equals != std::string::npos && equals < last)
            {
                size_t nameEnd = equals;
                while (nameEnd > first && IsBlank(text[nameEnd - 1]))
                    --nameEnd;
                size_t valueStart = equals + 1;
                while (valueStart < last && IsBlank(text[valueStart]))
                    ++valueStart;
                key.name = text.substr(first, nameEnd - first);
                key.value = text.substr(valueStart, last - valueStart);
                key.hasValue = true;
            }
            else
            {
                key.name = text.substr(first, last - first);
            }
            m_sections.back().keys.push_back(std::move(key));
        }
    }

    const Section* FindSection(const char* section) const
    {
        for (const Section& entry : m_sections)
        {
            if (&entry != &m_sections.front() && SameName(entry.name, section))
                return &entry;
        }
        return nullptr;
    }

    std::vector<Section> m_sections;
};

// Every project file starts with its [Units] section; a file without one was never written here.
CProjectData::FileKind Examine(const CString& strFile, ProfileImage& image)
{
    if (!image.Load(strFile))
        return CProjectData::FileUnreadable;
    return image.HasSection("Units") ? CProjectData::FileProject : CProjectData::FileForeign;
}

} // namespace

BOOL CProjectData::WriteFile(const CString& strPath)
{
    const CString strFile = FullPath(strPath);
    // The keys go into a copy of the file, which replaces it only once every key was written: a
    // refused key leaves the old file as it was. Lines this writer does not know stay in the copy.
    const BOOL bSaved = AfxSaveFileSafely(strFile, [&](LPCTSTR pszTemp) -> BOOL {
        const CString strTemp(pszTemp);
        const BOOL bWritten = WriteKeys(strTemp);
        ForgetCachedProfile(strTemp);
        return bWritten;
    }, safeSaveFromTarget);
    ForgetCachedProfile(strFile);
    return bSaved;
}

BOOL CProjectData::WriteKeys(const CString& strFile) const
{
    if (!WriteKey("Units", "VALUE", m_strUnits, strFile))
        return FALSE;
    for (const FileKey& entry : QuantityKeys)
        if (!WriteKey(entry.section, entry.key, this->*entry.field, strFile))
            return FALSE;
    for (const FileKey& entry : PropertyKeys)
        if (!WriteKey(entry.section, entry.key, this->*entry.field, strFile))
            return FALSE;
    for (const ChoiceKey& entry : ControlKeys)
        if (!WriteKey(ControlsSection, entry.key, this->*entry.field, strFile))
            return FALSE;
    for (int row = 0; row < SieveCount; ++row)
    {
        for (int layer = 0; layer < 3; ++layer)
        {
            for (int part = 0; part < 3; ++part)
            {
                if (!WriteKey(LayerSections[layer], SieveKey(row, part), m_strSieve[row][layer * 3 + part],
                              strFile))
                    return FALSE;
            }
        }
    }
    return TRUE;
}

CProjectData::FileKind CProjectData::ExamineFile(const CString& strPath)
{
    ProfileImage image;
    return Examine(FullPath(strPath), image);
}

BOOL CProjectData::ReadFile(const CString& strPath)
{
    // The profile functions read a missing file as an empty one, and any other file (a picture, a
    // text) as one without keys: neither is a design, and reading one would empty the record.
    ProfileImage file;
    if (Examine(FullPath(strPath), file) != FileProject)
        return FALSE;

    // Only two units words exist; any other would make the next unit switch convert
    // values that are already in the units chosen.
    CString strUnits = file.Value("Units", "VALUE", "");
    m_strUnits = strUnits.CompareNoCase("metric") == 0 ? "metric" : "english";
    for (const FileKey& entry : QuantityKeys)
        this->*entry.field = file.Value(entry.section, entry.key, "");
    for (const FileKey& entry : PropertyKeys)
        this->*entry.field = file.Value(entry.section, entry.key, "");
    for (const ChoiceKey& entry : ControlKeys)
        this->*entry.field = file.Value(ControlsSection, entry.key, entry.missingValue);
    for (int row = 0; row < SieveCount; ++row)
    {
        for (int layer = 0; layer < 3; ++layer)
        {
            for (int part = 0; part < 3; ++part)
            {
                int column = layer * 3 + part;
                CString strText = file.Value(LayerSections[layer], SieveKey(row, part), "");
                double value = strText.IsEmpty() ? -1.0 : atof(strText);
                // A percentage that is no finite number cannot be a sieve value.
                if (!std::isfinite(value))
                {
                    strText.Empty();
                    value = -1.0;
                }
                m_strSieve[row][column] = strText;
                m_dSieve[row][column] = value;
            }
        }
    }
    return TRUE;
}
