// The grid's settings in the application's INI file: the styles map with its base styles, the
// properties, a single style and a font, read as the profile component reads them for a new grid;
// then a grid in those styles and properties, painted.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzArchive.h"
#include "tests/fuzz/FuzzGrid.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylePenBrush.h"
#include "grid/core/StylesMap.h"

#include <windows.h>

#include <string>

namespace
{
const WORD UserAttributeId = 51011;

// The maps every read starts from, as a grid makes them.
void StandardMap(CGXStylesMap& map)
{
    map.CreateStandardStyles();
    map.AddUserAttribute(UserAttributeId);
}

void StandardProperties(CGXProperties& properties)
{
    properties.AddDefaultUserProperties();
}

// The application whose profile is the INI file at the path, for one scope.
class CProfileApp : public CWinApp
{
public:
    explicit CProfileApp(const std::string& path) : CWinApp("GridProfileFuzz"), m_strPath(path.c_str())
    {
        m_pszProfileName = m_strPath;
    }
    ~CProfileApp() override
    {
        // The profile functions keep the file in a cache of their own: let go of it before it goes.
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strPath);
        ::DeleteFileA(m_strPath);
        m_pszProfileName = nullptr;
    }

private:
    CString m_strPath;
};

std::vector<std::string> GridProfileSeeds()
{
    FuzzStartGridLibrary();
    const std::string path = FuzzTempPath("ini");
    std::string written;
    {
        CProfileApp app(path);
        CGXStylesMap map;
        StandardMap(map);
        WORD nRowHeader = map.m_wStyleRowHeader;
        CGXStylePen edge;
        edge.SetDescription("1 0 0 255");
        CGXStyle choices;
        choices.SetChoiceList("a\\b\r\nc")
            .SetHorizontalAlignment(DT_RIGHT)
            .SetMergeCell(5)
            .SetBaseStyle(nRowHeader)
            .SetInterior(RGB(10, 20, 30))
            .SetTextColor(RGB(0, 0, 255))
            .SetFont(CGXFont().SetFaceName("Arial").SetSize(12).SetBold(TRUE))
            .SetBorders(gxBorderTop, edge)
            .SetUserAttribute(UserAttributeId, "2.5")
            .SetValue("a value")
            .SetFormat(2)
            .SetPlaces(3)
            .SetMaxLength(40)
            .SetReadOnly(TRUE)
            .SetFloatCell(TRUE);
        const WORD nChoices = map.RegisterStyle("Choices", choices);
        CGXStyle derived;
        derived.SetBaseStyle(nChoices).SetWrapText(TRUE);
        map.RegisterStyle("Derived", derived);
        map.WriteProfile();

        CGXProperties properties;
        StandardProperties(properties);
        properties.SetMargins(11, 22, 33, 44);
        properties.SetDistances(7, 8);
        properties.SetColor(0, RGB(1, 2, 3));
        properties.WriteProfile();

        choices.WriteProfile("Cell", &map);
        CGXFont().SetFaceName("Courier New").SetSize(9).SetItalic(TRUE).WriteProfile("Fonts", "Cell");
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        written = FuzzReadFile(path);
    }
    // Many styles, each named twice: a damaged styles section makes a style of every key it holds.
    std::string many = "[Styles]\r\n";
    for (int nTimes = 0; nTimes < 2; ++nTimes)
        for (int i = 0; i < 60; ++i)
            many += "Style " + std::to_string(i) + "=1\r\n";
    for (int i = 0; i < 60; ++i)
        many += "[Styles.Style " + std::to_string(i) + "]\r\nValue=" + std::to_string(i) + "\r\n";
    // A circle of two styles, and the standard style resting on one of them.
    const std::string circle = "[Styles]\r\nA=1\r\nB=1\r\n#52768=1\r\n[Styles.A]\r\nBaseStyle=B\r\nValue=a\r\n"
                               "[Styles.B]\r\nBaseStyle=A\r\n[Styles.#52768]\r\nBaseStyle=B\r\n";
    return {written, "[Grid]\r\nMargins=5, 6\r\nDistances=\r\n",
            "[Styles]\r\n#52768=1\r\n[Styles.#52768]\r\nTextColor=255 0 0\r\nBaseStyle=#52768\r\n", many, circle};
}

std::vector<std::string> GridProfileTokens()
{
    return {
        "[Styles]\r\n", "[Grid]\r\n", "[Cell]\r\n", "[Fonts]\r\n", "[Styles.#52768]\r\n", "[Styles.#52769]\r\n",
        "[Styles.Choices]\r\n", "#52768=1\r\n", "#52770=1\r\n", "#0=1\r\n", "#4294967295=1\r\n", "Choices=1\r\n",
        "BaseStyle=#52768\r\n", "BaseStyle=#52769\r\n", "BaseStyle=Choices\r\n", "BaseStyle=Derived\r\n",
        "BaseStyle=#99999\r\n", "Font=Arial,12,700,0,0,0,0\r\n", "Interior=1 255 0 0 0 0 0 0 0\r\n",
        "Interior=4294967295 -1 99 99 99 99 99 99 99\r\n", "Borders=1\r\n", "Top=1 0 0 255 0 0\r\n",
        "Left=99999 -99999 -1 -1 -1 -1\r\n", "ChoicesList=a\\\\b\\nc\\n\\\r\n", "TextColor=1 2\r\n",
        "TextColor=  -1 999 4294967296\r\n", "MergeCell=9\r\n", "Format=31\r\n", "Places=4294967295\r\n",
        "ControlId=52512\r\n", "ControlId=65535\r\n", "MaxLength=-1\r\n", "UA51011=2.5\r\n", "UA51011=text\r\n",
        "Value=\r\n", "Margins=1,2,3,4,5,6\r\n", "Margins=-2147483648,2147483647\r\n", "Distances=,,\r\n",
        "Start Page Numbering=-1\r\n", "UP52768=x\r\n", "Grid Lines=4294967295\r\n", "Cell=Arial\r\n",
        "=\r\n", "[\r\n", "]\r\n", "\r\n", "\n", ";\r\n", std::string(1, '\0'), std::string(1100, 'k') + "=1\r\n",
        "HorizontalAlignment=", "VerticalAlignment=8\r\n", "WrapText=1\r\n", "AutoSize=1\r\n", "FloatCell=1\r\n",
        "FloodCell=1\r\n", "Draw3dFrame=3\r\n",
    };
}

// A profile as a program finds it, written in an earlier session: the platform trusts its cache of a
// file only when the file was written more than two seconds before, and parses a newer one again at
// every entry read.
void DateBack(const std::string& path)
{
    HANDLE hFile = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;
    FILETIME earlier;
    earlier.dwLowDateTime = time.LowPart;
    earlier.dwHighDateTime = time.HighPart;
    ::SetFileTime(hFile, nullptr, nullptr, &earlier);
    ::CloseHandle(hFile);
}

FuzzOutcome ReadGridProfile(const std::string& input)
{
    FuzzStartGridLibrary();
    const std::string path = FuzzTempPath("ini");
    FuzzWriteFile(path, input);
    DateBack(path);
    CProfileApp app(path);

    // The styles map and properties as a new grid makes them: the standard ones, then the profile's.
    CGXGridParam param;
    auto* pMap = new CGXStylesMap;
    param.SetStylesMap(pMap, TRUE);
    CGXStylesMap& map = *pMap;
    StandardMap(map);
    const int nStandardStyles = map.GetStyleCount();
    const BOOL bStyles = map.ReadProfile();
    if (!bStyles && map.GetStyleCount() != nStandardStyles)
        throw FuzzFault("a profile without styles changed the styles map");
    // Whatever base styles a profile names, the map read is one a document stores and opens again.
    if (!map.AreBaseStylesBounded())
        throw FuzzFault("a styles map read from a profile rests on a circle of base styles or on too deep a chain");
    CGXStylesMap stored;
    if (!FuzzLoaded(StoredBytes([&](CArchive& ar) { map.Serialize(ar); }), [&](CArchive& ar) { stored.Serialize(ar); }))
        throw FuzzFault("a styles map read from a profile, stored in an archive, is refused");

    auto* pProperties = new CGXProperties;
    param.SetProperties(pProperties, TRUE);
    CGXProperties& properties = *pProperties;
    StandardProperties(properties);
    const BOOL bProperties = properties.ReadProfile();
    if (!bProperties)
    {
        CGXProperties standard;
        StandardProperties(standard);
        int margins[4] = {};
        int standardMargins[4] = {};
        properties.GetMargins(margins[0], margins[1], margins[2], margins[3]);
        standard.GetMargins(standardMargins[0], standardMargins[1], standardMargins[2], standardMargins[3]);
        for (int i = 0; i < 4; ++i)
            if (margins[i] != standardMargins[i])
                throw FuzzFault("a profile without properties changed the properties");
    }

    // A style and a font of their own sections, as a program keeps its choices.
    CGXStyle cell;
    cell.ReadProfile("Cell", &map);
    CGXStyle copy(cell);
    if (!copy.CompareSubset(cell) || !cell.CompareSubset(copy))
        throw FuzzFault("a style read from the profile differs from its own copy");
    CGXFont font;
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        pImp->ReadFontProfile(font, "Fonts", "Cell");
    font.GetLogFont();

    // Every style of the map composes with its base styles.
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        map.GetNextStyle(pos, nStyleId, pEntry);
        if (pEntry != nullptr && pEntry->pStyle != nullptr && pEntry->pStyle->GetIncludeBaseStyle())
            GXLookupBaseStyle(&map, pEntry->pStyle->GetBaseStyle());
    }

    // A grid shows cells in these styles with these properties.
    auto* pData = new CGXData;
    pData->SetRowCount(12);
    pData->SetColCount(6);
    param.SetData(pData, TRUE);
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        map.GetNextStyle(pos, nStyleId, pEntry);
        CGXStyle style;
        style.SetBaseStyle(nStyleId).SetValue("a text in the style");
        pData->StoreStyleRowCol(1 + nStyleId % 12, 1 + nStyleId % 6, &style, gxOverride);
    }
    pData->StoreStyleRowCol(12, 6, &cell, gxOverride);
    FuzzShowGrid(&param, false);
    return bStyles || bProperties ? FuzzOutcome::Accepted : FuzzOutcome::Refused;
}
} // namespace

REGISTER_FUZZ_READER("grid profile", GridProfileSeeds, GridProfileTokens, ReadGridProfile);
