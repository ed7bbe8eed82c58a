#include "grid/features/GridProfileImp.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/Font.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace
{

BOOL IsRegistryMode(const CWinApp* pApp) { return pApp->m_pszRegistryKey != nullptr; }

void WriteEntry(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileString(pszSection, pszEntry, pszValue);
}

void DeleteEntry(LPCTSTR pszSection, LPCTSTR pszEntry) { WriteEntry(pszSection, pszEntry, nullptr); }

CString ReadEntry(LPCTSTR pszSection, LPCTSTR pszEntry)
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->GetProfileString(pszSection, pszEntry, "") : CString();
}

void WriteNumber(LPCTSTR pszSection, LPCTSTR pszEntry, BOOL bSet, DWORD dwValue)
{
    GXWriteProfileValue(pszSection, pszEntry, bSet, dwValue);
}

// The keys of an INI section as the profile functions know them. The buffer grows until every name
// fits.
std::vector<CString> IniSectionKeys(CWinApp* pApp, LPCTSTR pszSection)
{
    std::vector<char> buffer(1024);
    for (;;)
    {
        const DWORD dwLength = ::GetPrivateProfileStringA(pszSection, nullptr, "", buffer.data(),
                                                          static_cast<DWORD>(buffer.size()), pApp->m_pszProfileName);
        if (dwLength + 2 < buffer.size())
            break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<CString> keys;
    for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1)
        keys.emplace_back(p);
    return keys;
}

// The keys of an INI section; the file's cache is flushed first so that the keys are the file's.
std::vector<CString> IniKeys(CWinApp* pApp, LPCTSTR pszSection)
{
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, pApp->m_pszProfileName);
    return IniSectionKeys(pApp, pszSection);
}

// The subkeys of a section's key; none when the key cannot be opened.
std::vector<CString> RegistrySubkeys(CWinApp* pApp, LPCTSTR pszSection, bool* pbExists = nullptr)
{
    std::vector<CString> names;
    HKEY hKey = pApp->GetSectionKey(pszSection, false);
    if (pbExists != nullptr)
        *pbExists = hKey != nullptr;
    if (hKey == nullptr)
        return names;
    char szName[1024];
    for (DWORD dwIndex = 0;; ++dwIndex)
    {
        DWORD cchName = sizeof szName;
        if (::RegEnumKeyExA(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(szName);
    }
    ::RegCloseKey(hKey);
    return names;
}

std::string LowerCase(const char* psz)
{
    std::string text(psz);
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The names of the entries a section holds, in lower case: a style reads only those of its
// attributes whose entries are there, instead of asking the profile once for every attribute and
// user attribute (a profile of many styles took seconds).
std::set<std::string> SectionEntries(CWinApp* pApp, LPCTSTR pszSection)
{
    std::set<std::string> entries;
    auto add = [&](const char* pszName) { entries.insert(LowerCase(pszName)); };
    if (IsRegistryMode(pApp))
    {
        HKEY hKey = pApp->GetSectionKey(pszSection, false);
        if (hKey == nullptr)
            return entries;
        char szName[1024];
        for (DWORD dwIndex = 0;; ++dwIndex)
        {
            DWORD cchName = sizeof szName;
            if (::RegEnumValueA(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            add(szName);
        }
        ::RegCloseKey(hKey);
        return entries;
    }
    for (const CString& key : IniSectionKeys(pApp, pszSection))
        add(key);
    return entries;
}

// Where a base style's entries go: the section's subkey of that name (registry) or the section
// named by the map's section, a point and the name (INI).
CString StyleSection(const CWinApp* pApp, const CString& section, const CString& name)
{
    return section + (IsRegistryMode(pApp) ? "\\" : ".") + name;
}

CString StyleName(const CGXStylesMapEntry& entry)
{
    if (entry.nResourceId == 0)
        return entry.sName;
    CString name;
    name.Format("#%u", entry.nResourceId);
    return name;
}

std::vector<const CGXStylesMapEntry*> BaseStylesById(const CGXStylesMap& stylesMap)
{
    std::vector<const CGXStylesMapEntry*> entries;
    for (POSITION pos = stylesMap.GetStartPosition(); pos != nullptr;)
    {
        WORD nStyleId = 0;
        const CGXStylesMapEntry* pEntry = nullptr;
        stylesMap.GetNextStyle(pos, nStyleId, pEntry);
        entries.push_back(pEntry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const CGXStylesMapEntry* a, const CGXStylesMapEntry* b) { return a->nStyleId < b->nStyleId; });
    return entries;
}

// Up to nMax numbers separated by commas (blanks skipped); the count read.
int ReadNumberList(const CString& text, LONG* pValues, int nMax)
{
    int nCount = 0;
    const char* p = text;
    while (nCount < nMax)
    {
        while (*p == ' ')
            ++p;
        if (*p == '\0')
            break;
        pValues[nCount++] = std::atol(p);
        p = std::strchr(p, ',');
        if (p == nullptr)
            break;
        ++p;
    }
    return nCount;
}

// Three numbers separated by blanks (leading blanks skipped); FALSE when fewer are there.
BOOL ReadRgb(const CString& text, COLORREF& color)
{
    int values[3] = {};
    const char* p = text;
    for (int& nValue : values)
    {
        while (*p == ' ')
            ++p;
        if (*p == '\0')
            return FALSE;
        nValue = std::atoi(p);
        while (*p != '\0' && *p != ' ')
            ++p;
    }
    color = RGB(values[0] & 255, values[1] & 255, values[2] & 255);
    return TRUE;
}

const LPCTSTR edgeNames[4] = {"Top", "Left", "Bottom", "Right"};

} // namespace

// ---------------------------------------------------------------------------------------------
// Helpers

void GXWriteProfileLong(LPCTSTR pszSection, LPCTSTR pszEntry, LONG nValue)
{
    CString text;
    text.Format("%ld", static_cast<long>(nValue));
    WriteEntry(pszSection, pszEntry, text);
}

void GXWriteProfileValue(LPCTSTR pszSection, LPCTSTR pszEntry, BOOL bSet, DWORD dwValue)
{
    if (!bSet)
    {
        DeleteEntry(pszSection, pszEntry);
        return;
    }
    CString text;
    text.Format("%lu", static_cast<unsigned long>(dwValue));
    WriteEntry(pszSection, pszEntry, text);
}

LONG GXGetProfileLong(LPCTSTR pszSection, LPCTSTR pszEntry, LONG nDefault)
{
    const CString text = ReadEntry(pszSection, pszEntry);
    return text.IsEmpty() ? nDefault : std::atol(text);
}

void GXSetUserAttributeText(CGXStyle& style, WORD nId, LPCTSTR pszText)
{
    style.SetUserAttributePtr(nId, new CGXUserAttribute(pszText));
}

CString GXEscapeChoiceList(const CString& choices)
{
    CString text;
    for (const char* p = choices; *p != '\0'; ++p)
    {
        if (*p == '\r')
            continue;
        if (*p == '\n')
            text += "\\n";
        else if (*p == '\\')
            text += "\\\\";
        else
            text += *p;
    }
    return text;
}

CString GXUnescapeChoiceList(const CString& text)
{
    CString choices;
    for (const char* p = text; *p != '\0'; ++p)
    {
        if (*p == '\\' && p[1] == '\\')
        {
            choices += '\\';
            ++p;
        }
        else if (*p == '\\' && p[1] == 'n')
        {
            choices += "\r\n";
            ++p;
        }
        else
            choices += *p;
    }
    return choices;
}

// ---------------------------------------------------------------------------------------------
// Styles

void CGXGridProfileImp::WriteStyleProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    if (pszSection == nullptr)
        return;
    WriteNumber(pszSection, "HorizontalAlignment", style.GetIncludeHorizontalAlignment(), style.GetHorizontalAlignment());
    WriteNumber(pszSection, "VerticalAlignment", style.GetIncludeVerticalAlignment(), style.GetVerticalAlignment());
    WriteNumber(pszSection, "ReadOnly", style.GetIncludeReadOnly(), style.GetReadOnly());
    WriteNumber(pszSection, "FloatCell", style.GetIncludeFloatCell(), style.GetFloatCell());
    WriteNumber(pszSection, "FloodCell", style.GetIncludeFloodCell(), style.GetFloodCell());
    WriteNumber(pszSection, "MergeCell", style.GetIncludeMergeCell(), style.GetMergeCell());
    WriteNumber(pszSection, "Draw3dFrame", style.GetIncludeDraw3dFrame(), style.GetDraw3dFrame());
    WriteNumber(pszSection, "ControlId", style.GetIncludeControl(), style.GetControl());
    WriteNumber(pszSection, "MaxLength", style.GetIncludeMaxLength(), style.GetMaxLength());
    WriteNumber(pszSection, "VerticalScrollbar", style.GetIncludeVerticalScrollbar(), style.GetVerticalScrollbar());

    // The base style by its string-table id ("#52769") or its name; without a styles map it cannot
    // be named and the entry goes.
    UINT nResourceId = 0;
    LPCTSTR pszBaseName = style.GetIncludeBaseStyle() && pStylesMap != nullptr
                              ? pStylesMap->GetStyleName(style.GetBaseStyle(), nResourceId)
                              : nullptr;
    if (pszBaseName == nullptr)
        DeleteEntry(pszSection, "BaseStyle");
    else if (nResourceId != 0)
    {
        CString text;
        text.Format("#%lu", static_cast<unsigned long>(nResourceId));
        WriteEntry(pszSection, "BaseStyle", text);
    }
    else
        WriteEntry(pszSection, "BaseStyle", pszBaseName);

    if (style.GetIncludeTextColor())
    {
        const COLORREF color = style.GetResolvedTextColor();
        CString text;
        text.Format("%d %d %d", GetRValue(color), GetGValue(color), GetBValue(color));
        WriteEntry(pszSection, "TextColor", text);
    }
    else
        DeleteEntry(pszSection, "TextColor");

    WriteNumber(pszSection, "WrapText", style.GetIncludeWrapText(), style.GetWrapText());
    WriteNumber(pszSection, "AutoSize", style.GetIncludeAutoSize(), style.GetAutoSize());
    WriteNumber(pszSection, "AllowEnter", style.GetIncludeAllowEnter(), style.GetAllowEnter());
    WriteNumber(pszSection, "Enabled", style.GetIncludeEnabled(), style.GetEnabled());
    WriteNumber(pszSection, "TriState", style.GetIncludeTriState(), style.GetTriState());
    WriteEntry(pszSection, "Value", style.GetIncludeValue() ? static_cast<LPCTSTR>(style.GetValue()) : nullptr);

    if (style.GetIncludeInterior())
    {
        CString text;
        WriteEntry(pszSection, "Interior", style.GetInterior().GetDescription(text));
    }
    else
        DeleteEntry(pszSection, "Interior");

    WriteNumber(pszSection, "Format", style.GetIncludeFormat(), style.GetFormat());
    WriteNumber(pszSection, "Places", style.GetIncludePlaces(), style.GetPlaces());
    WriteEntry(pszSection, "ChoicesList",
               style.GetIncludeChoiceList() ? static_cast<LPCTSTR>(GXEscapeChoiceList(style.GetChoiceList())) : nullptr);

    if (style.GetIncludeFont())
        WriteFontProfile(style.GetFont(), pszSection, "Font");
    else
        DeleteEntry(pszSection, "Font");

    WriteEntry(pszSection, "Borders", style.GetIncludeBorders() ? "1" : nullptr);
    for (int nEdge = 0; nEdge < 4; ++nEdge)
    {
        if (style.GetIncludeBorders() && style.IsBorderIncluded(nEdge))
        {
            CString text;
            WriteEntry(pszSection, edgeNames[nEdge], style.GetBorders(nEdge).GetDescription(text));
        }
        else
            DeleteEntry(pszSection, edgeNames[nEdge]);
    }

    if (const CGXUserAttributeMap* pAttributes = style.GetUserAttributeMap())
        pAttributes->WriteProfile(pszSection);
}

BOOL CGXGridProfileImp::ReadStyleProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    if (pszSection == nullptr)
        return FALSE;
    style.ClearAll();
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return TRUE;
    const std::set<std::string> entries = SectionEntries(pApp, pszSection);
    auto readEntry = [&](LPCTSTR pszEntry) {
        return entries.count(LowerCase(pszEntry)) != 0 ? ReadEntry(pszSection, pszEntry) : CString();
    };
    CString text;
    // Each number is kept in its attribute's own width by its setter.
    auto number = [&](LPCTSTR pszEntry, auto apply) {
        text = readEntry(pszEntry);
        if (!text.IsEmpty())
            apply(std::atol(text));
    };
    number("HorizontalAlignment", [&](long n) { style.SetHorizontalAlignment(static_cast<DWORD>(n)); });
    number("VerticalAlignment", [&](long n) { style.SetVerticalAlignment(static_cast<DWORD>(n)); });
    number("ReadOnly", [&](long n) { style.SetReadOnly(n != 0); });
    number("FloatCell", [&](long n) { style.SetFloatCell(n != 0); });
    number("FloodCell", [&](long n) { style.SetFloodCell(n != 0); });
    number("MergeCell", [&](long n) { style.SetMergeCell(static_cast<unsigned>(n)); });
    number("Draw3dFrame", [&](long n) { style.SetDraw3dFrame(static_cast<unsigned>(n)); });
    number("ControlId", [&](long n) { style.SetControl(static_cast<WORD>(n)); });
    number("MaxLength", [&](long n) { style.SetMaxLength(static_cast<WORD>(n)); });
    number("VerticalScrollbar", [&](long n) { style.SetVerticalScrollbar(n != 0); });

    if (pStylesMap != nullptr)
    {
        text = readEntry("BaseStyle");
        WORD nStyleId = 0;
        if (!text.IsEmpty() &&
            (text[0] == '#' ? pStylesMap->LookupResourceStyleId(static_cast<UINT>(std::atol(static_cast<LPCTSTR>(text) + 1)), nStyleId)
                            : pStylesMap->LookupStyleId(text, nStyleId)))
            style.SetBaseStyle(nStyleId);
    }

    COLORREF color = 0;
    if (ReadRgb(readEntry("TextColor"), color))
        style.SetTextColor(color);

    number("WrapText", [&](long n) { style.SetWrapText(n != 0); });
    number("AutoSize", [&](long n) { style.SetAutoSize(n != 0); });
    number("AllowEnter", [&](long n) { style.SetAllowEnter(n != 0); });
    number("Enabled", [&](long n) { style.SetEnabled(n != 0); });
    number("TriState", [&](long n) { style.SetTriState(n != 0); });

    text = readEntry("Value");
    if (!text.IsEmpty())
        style.SetValue(text);
    text = readEntry("Interior");
    if (!text.IsEmpty())
    {
        CGXStyleBrush brush;
        style.SetInterior(brush.SetDescription(text));
    }
    number("Format", [&](long n) { style.SetFormat(static_cast<unsigned>(n)); });
    number("Places", [&](long n) { style.SetPlaces(static_cast<unsigned>(n)); });
    text = readEntry("ChoicesList");
    if (!text.IsEmpty())
        style.SetChoiceList(GXUnescapeChoiceList(text));

    CGXFont font;
    if (entries.count("font") != 0 && ReadFontProfile(font, pszSection, "Font"))
        style.SetFont(font, gxOverride);

    if (readEntry("Borders") == "1")
    {
        style.SetIncludeBorders(TRUE);
        for (int nEdge = 0; nEdge < 4; ++nEdge)
        {
            text = readEntry(edgeNames[nEdge]);
            if (text.IsEmpty())
                continue;
            CGXStylePen pen;
            style.SetBorders(nEdge, pen.SetDescription(text));
        }
    }

    if (pStylesMap != nullptr)
    {
        // The user attributes the section holds ("UA" and the id) that the map knows.
        const CMapWordToPtr& attributes = pStylesMap->GetUserAttributeInfoMap();
        for (const std::string& name : entries)
        {
            if (name.size() < 3 || name.size() > 7 || name.compare(0, 2, "ua") != 0 ||
                !std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            const unsigned long nNumber = std::strtoul(name.c_str() + 2, nullptr, 10);
            void* pValue = nullptr;
            if (nNumber > 0xFFFF || !attributes.Lookup(static_cast<WORD>(nNumber), pValue))
                continue;
            CString key;
            key.Format("UA%lu", nNumber);
            if (LowerCase(key) != name)
                continue;   // leading zeros: not the attribute's entry
            text = ReadEntry(pszSection, key);
            if (!text.IsEmpty())
                GXSetUserAttributeText(style, static_cast<WORD>(nNumber), text);
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Fonts

void CGXGridProfileImp::WriteFontProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry)
{
    if (pszSection == nullptr || pszEntry == nullptr)
        return;
    CString text;
    WriteEntry(pszSection, pszEntry, font.GetDescription(text));
}

BOOL CGXGridProfileImp::ReadFontProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry)
{
    if (pszSection == nullptr || pszEntry == nullptr)
        return FALSE;
    const CString text = ReadEntry(pszSection, pszEntry);
    if (text.IsEmpty())
        return FALSE;
    font.SetDescription(text);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Styles map

void CGXGridProfileImp::WriteStylesMapProfile(const CGXStylesMap& stylesMap)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString& section = stylesMap.GetSection();
    if (IsRegistryMode(pApp))
    {
        if (HKEY hAppKey = pApp->GetAppRegistryKey(false))
        {
            for (const CString& name : RegistrySubkeys(pApp, section))
                ::RegDeleteTreeA(hAppKey, section + "\\" + name);
            ::RegCloseKey(hAppKey);
        }
    }
    else
        DeleteEntry(section, nullptr);

    for (const CGXStylesMapEntry* pEntry : BaseStylesById(stylesMap))
    {
        const CString name = StyleName(*pEntry);
        if (!IsRegistryMode(pApp))
            WriteEntry(section, name, "1");
        if (pEntry->pStyle != nullptr)
            pEntry->pStyle->WriteProfile(StyleSection(pApp, section, name), &stylesMap);
    }
}

BOOL CGXGridProfileImp::ReadStylesMapProfile(CGXStylesMap& stylesMap)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    const CString section = stylesMap.GetSection();
    std::vector<CString> names = IsRegistryMode(pApp) ? RegistrySubkeys(pApp, section) : IniKeys(pApp, section);
    if (names.empty())
        return FALSE;
    // An INI section can name a style more than once; it is read once.
    {
        std::set<std::string> seen;
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [&](const CString& name) { return !seen.insert(static_cast<LPCTSTR>(name)).second; }),
                    names.end());
    }

    // Every name is registered before any style is read, so that a style can name as its base
    // style one that comes after it.
    auto registerStyle = [&](const CString& name, const CGXStyle& style) {
        if (!name.IsEmpty() && name[0] == '#')
            stylesMap.RegisterStyleName(static_cast<UINT>(std::atol(static_cast<LPCTSTR>(name) + 1)), style);
        else
            stylesMap.RegisterStyle(name, style);
    };
    {
        const std::unique_ptr<CGXStyle> pEmpty(stylesMap.CreateStyle());
        for (const CString& name : names)
        {
            WORD nStyleId = 0;
            const bool bKnown = !name.IsEmpty() && name[0] == '#'
                                    ? stylesMap.LookupResourceStyleId(static_cast<UINT>(std::atol(static_cast<LPCTSTR>(name) + 1)), nStyleId)
                                    : stylesMap.LookupStyleId(name, nStyleId);
            if (!bKnown)
                registerStyle(name, *pEmpty);
        }
    }
    for (const CString& name : names)
    {
        const std::unique_ptr<CGXStyle> pStyle(stylesMap.CreateStyle());
        ReadStyleProfile(*pStyle, StyleSection(pApp, section, name), &stylesMap);
        registerStyle(name, *pStyle);
    }
    // A profile names base styles freely: a circle of them, or a chain deeper than a document's
    // reader takes, loses the links that make it so, and the styles are kept.
    stylesMap.DropUnboundedBaseStyleLinks();
    stylesMap.LookupStandardStyleIds();

    // What the profile leaves out of the standard style comes from the library's defaults.
    WORD nStandardId = 0;
    CGXStyle* pStandard = nullptr;
    if (stylesMap.LookupResourceStyleId(GX_IDS_STYLE_STANDARD, nStandardId) && stylesMap.LookupStyle(nStandardId, pStandard) &&
        pStandard != nullptr)
    {
        const std::unique_ptr<CGXStyle> pDefaults(stylesMap.CreateStyle());
        pDefaults->SetStandardDefaults();
        pStandard->ApplyStyle(*pDefaults, gxApplyNew);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Properties

void CGXGridProfileImp::WritePropertiesProfile(const CGXProperties& properties)
{
    const CString& section = properties.GetSection();
    CGXProperties& source = const_cast<CGXProperties&>(properties);
    const CStringArray& names = properties.GetColorNameArray();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        GXWriteProfileValue(section, names[i], TRUE, properties.GetColor(static_cast<int>(i)));

    // The screen switches, whatever the printing state.
    const BOOL bPrinting = properties.GetPrinting();
    source.SetPrinting(FALSE);
    GXWriteProfileLong(section, "MarkColumnHeader", properties.GetMarkColHeader());
    GXWriteProfileLong(section, "MarkRowHeader", properties.GetMarkRowHeader());
    GXWriteProfileLong(section, "3dHeader", properties.GetDisplay3dHeader());
    GXWriteProfileLong(section, "HorizontalLines", properties.GetDisplayHorzLines());
    GXWriteProfileLong(section, "VerticalLines", properties.GetDisplayVertLines());
    source.SetPrinting(bPrinting);

    CMapWordToPtr& userProperties = source.GetUserPropertyInfoMap();
    for (POSITION pos = userProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        userProperties.GetNextAssoc(pos, nId, pValue);
        const auto* pInfo = static_cast<const CGXPropertiesUserPropertyInfo*>(pValue);
        if (pInfo->pStyle == nullptr || !pInfo->pStyle->GetIncludeValue())
            continue;
        CString key;
        key.Format("UP%u", static_cast<unsigned>(nId));
        WriteEntry(section, key, pInfo->pStyle->GetValue());
    }

    GXWriteProfileLong(section, "Page Order", properties.GetPageOrder());
    GXWriteProfileLong(section, "Print Vertical Lines", properties.GetPrintVertLines());
    GXWriteProfileLong(section, "Print Horizontal Lines", properties.GetPrintHorzLines());
    GXWriteProfileLong(section, "Print Only Black&White", properties.GetPrintBlackWhite());
    GXWriteProfileLong(section, "Print Row Headers", properties.GetPrintRowHeaders());
    GXWriteProfileLong(section, "Print Column Headers", properties.GetPrintColHeaders());
    GXWriteProfileLong(section, "Center Vertical", properties.GetCenterVertical());
    GXWriteProfileLong(section, "Center Horizontal", properties.GetCenterHorizontal());
    GXWriteProfileLong(section, "Print Frame", properties.GetPrintFrame());

    int nTop = 0, nLeft = 0, nBottom = 0, nRight = 0;
    properties.GetMargins(nTop, nLeft, nBottom, nRight);
    CString text;
    text.Format("%ld,%ld,%ld,%ld", static_cast<long>(nTop), static_cast<long>(nLeft), static_cast<long>(nBottom),
                static_cast<long>(nRight));
    WriteEntry(section, "Margins", text);
    GXWriteProfileLong(section, "Start Page Numbering", properties.GetFirstPage());
    int nHeader = 0, nFooter = 0;
    properties.GetDistances(nHeader, nFooter);
    text.Format("%ld,%ld", static_cast<long>(nHeader), static_cast<long>(nFooter));
    WriteEntry(section, "Distances", text);
}

BOOL CGXGridProfileImp::ReadPropertiesProfile(CGXProperties& properties)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    const CString section = properties.GetSection();
    if (IsRegistryMode(pApp))
    {
        HKEY hKey = pApp->GetSectionKey(section, false);
        if (hKey == nullptr)
            return FALSE;
        ::RegCloseKey(hKey);
    }
    else if (IniKeys(pApp, section).empty())
        return FALSE;

    const CStringArray& names = properties.GetColorNameArray();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const int nIndex = static_cast<int>(i);
        // Written with "%lu": a system colour's value lies above the range of a signed long, which
        // only some runtimes' atol wrap into the right bits.
        const CString text = ReadEntry(section, names[i]);
        if (!text.IsEmpty())
            properties.SetColor(nIndex, static_cast<COLORREF>(std::strtoul(text, nullptr, 10)));
    }

    const BOOL bPrinting = properties.GetPrinting();
    properties.SetPrinting(FALSE);
    properties.SetMarkColHeader(GXGetProfileLong(section, "MarkColumnHeader", properties.GetMarkColHeader()));
    properties.SetMarkRowHeader(GXGetProfileLong(section, "MarkRowHeader", properties.GetMarkRowHeader()));
    properties.SetDisplay3dHeader(GXGetProfileLong(section, "3dHeader", properties.GetDisplay3dHeader()));
    properties.SetDisplayHorzLines(GXGetProfileLong(section, "HorizontalLines", properties.GetDisplayHorzLines()));
    properties.SetDisplayVertLines(GXGetProfileLong(section, "VerticalLines", properties.GetDisplayVertLines()));
    properties.SetPrinting(bPrinting);

    // A user property whose entry is missing or empty keeps its value, as every other setting does.
    CMapWordToPtr& userProperties = properties.GetUserPropertyInfoMap();
    for (POSITION pos = userProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        userProperties.GetNextAssoc(pos, nId, pValue);
        auto* pInfo = static_cast<CGXPropertiesUserPropertyInfo*>(pValue);
        CString key;
        key.Format("UP%u", static_cast<unsigned>(nId));
        const CString text = ReadEntry(section, key);
        if (pInfo->pStyle != nullptr && !text.IsEmpty())
            pInfo->pStyle->SetValue(text);
    }

    properties.SetPageOrder(GXGetProfileLong(section, "Page Order", properties.GetPageOrder()));
    properties.SetPrintVertLines(GXGetProfileLong(section, "Print Vertical Lines", properties.GetPrintVertLines()));
    properties.SetPrintHorzLines(GXGetProfileLong(section, "Print Horizontal Lines", properties.GetPrintHorzLines()));
    properties.SetBlackWhite(GXGetProfileLong(section, "Print Only Black&White", properties.GetPrintBlackWhite()));
    properties.SetPrintRowHeaders(GXGetProfileLong(section, "Print Row Headers", properties.GetPrintRowHeaders()));
    properties.SetPrintColHeaders(GXGetProfileLong(section, "Print Column Headers", properties.GetPrintColHeaders()));
    properties.SetCenterVertical(GXGetProfileLong(section, "Center Vertical", properties.GetCenterVertical()));
    properties.SetCenterHorizontal(GXGetProfileLong(section, "Center Horizontal", properties.GetCenterHorizontal()));
    properties.SetPrintFrame(GXGetProfileLong(section, "Print Frame", properties.GetPrintFrame()));

    int margins[4] = {};
    properties.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    LONG values[4] = {};
    const int nMargins = ReadNumberList(ReadEntry(section, "Margins"), values, 4);
    for (int i = 0; i < nMargins; ++i)
        margins[i] = static_cast<int>(values[i]);
    properties.SetMargins(margins[0], margins[1], margins[2], margins[3]);

    properties.SetFirstPage(GXGetProfileLong(section, "Start Page Numbering", properties.GetFirstPage()));

    int distances[2] = {};
    properties.GetDistances(distances[0], distances[1]);
    const int nDistances = ReadNumberList(ReadEntry(section, "Distances"), values, 2);
    for (int i = 0; i < nDistances; ++i)
        distances[i] = static_cast<int>(values[i]);
    properties.SetDistances(distances[0], distances[1]);
    return TRUE;
}

void InstallProfileImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pProfileImp != nullptr)
        return;
    CGXGridProfileImp* pImp = new (std::nothrow) CGXGridProfileImp;
    if (pImp == nullptr)
        return;
    links.pProfileImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
