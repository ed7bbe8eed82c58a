// Grid settings in the application's profile, in both stores: the styles map with its base styles,
// single styles and the properties, written and read back.
#include "grid/features/GridProfileImp.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{

const char registryKey[] = "QuarrowGridProfileTests";

CString TempIniPath()
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    CString path;
    path.Format("%sgrid-profile-%lu-%lld.ini", szFolder, ::GetCurrentProcessId(), now.QuadPart);
    ::DeleteFileA(path);
    return path;
}

enum class Store
{
    registry,
    iniFile
};

class GridProfileTest : public ::testing::TestWithParam<Store>
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        if (GetParam() == Store::registry)
            app.SetRegistryKey(registryKey);
        else
            app.m_pszProfileName = iniPath;
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + registryKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + registryKey);
        ::DeleteFileA(iniPath);
    }

    // Where a base style's entries are: a subkey of the map's section, or an INI section of its own.
    CString StyleSection(LPCTSTR pszName) const
    {
        return CString("Styles") + (GetParam() == Store::registry ? "\\" : ".") + pszName;
    }

    CString iniPath = TempIniPath();
    CWinApp app{"GridProfileTests"};
};

TEST_P(GridProfileTest, BaseStylesComeBackUnderTheirNamesAndStringTableIds)
{
    CGXStylesMap written;
    written.CreateStandardStyles();
    CGXStyle* pRowHeader = nullptr;
    ASSERT_TRUE(written.LookupStyle(written.m_wStyleRowHeader, pRowHeader));
    pRowHeader->SetInterior(RGB(10, 20, 30));
    // A user attribute registered in the map travels as "UA" and its id; a number text reads back
    // as a number.
    const WORD nAttribute = 51011;
    written.AddUserAttribute(nAttribute);
    CGXStyle choices;
    choices.SetChoiceList("a\\b\r\nc").SetHorizontalAlignment(DT_RIGHT).SetMergeCell(5);
    choices.SetUserAttribute(nAttribute, "2.5");
    choices.SetBaseStyle(written.m_wStyleRowHeader);
    written.RegisterStyle("Choices", choices);
    written.WriteProfile();

    // The choice list stands on one line, its backslash doubled and its line break written out.
    EXPECT_EQ(std::string(app.GetProfileString(StyleSection("Choices"), "ChoicesList")), "a\\\\b\\nc");
    EXPECT_EQ(std::string(app.GetProfileString(StyleSection("Choices"), "BaseStyle")), "#52769");
    EXPECT_EQ(std::string(app.GetProfileString(StyleSection("Choices"), "HorizontalAlignment")), "2");
    EXPECT_EQ(std::string(app.GetProfileString(StyleSection("Choices"), "UA51011")), "2.5");
    if (GetParam() == Store::iniFile)
        EXPECT_EQ(std::string(app.GetProfileString("Styles", "Choices")), "1");
    else
    {
        // One subkey per base style under the map's section, the standard style by its string-table id.
        HKEY hKey = nullptr;
        EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER,
                                  CString("Software\\") + registryKey + "\\GridProfileTests\\Styles\\#52768", 0,
                                  KEY_READ, &hKey),
                  ERROR_SUCCESS);
        if (hKey != nullptr)
            ::RegCloseKey(hKey);
    }

    CGXStylesMap read;
    read.AddUserAttribute(nAttribute);
    ASSERT_TRUE(read.ReadProfile());
    WORD nRowHeader = 0;
    ASSERT_TRUE(read.LookupResourceStyleId(GX_IDS_STYLE_ROWHEADER, nRowHeader));
    EXPECT_EQ(read.m_wStyleRowHeader, nRowHeader);
    const CGXStyle* pReadRowHeader = nullptr;
    ASSERT_TRUE(read.LookupStyle(nRowHeader, pReadRowHeader));
    EXPECT_EQ(pReadRowHeader->GetInterior().GetColor(), RGB(10, 20, 30));

    WORD nChoices = 0;
    ASSERT_TRUE(read.LookupStyleId("Choices", nChoices));
    const CGXStyle* pChoices = nullptr;
    ASSERT_TRUE(read.LookupStyle(nChoices, pChoices));
    EXPECT_EQ(std::string(pChoices->GetChoiceList()), "a\\b\r\nc");
    EXPECT_EQ(pChoices->GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_EQ(pChoices->GetMergeCell(), 5u);
    ASSERT_TRUE(pChoices->GetIncludeBaseStyle());
    EXPECT_EQ(pChoices->GetBaseStyle(), nRowHeader);
    const auto* pAttribute = dynamic_cast<const CGXUserAttribute*>(&pChoices->GetUserAttribute(nAttribute));
    ASSERT_NE(pAttribute, nullptr);
    EXPECT_EQ(pAttribute->GetKind(), CGXUserAttribute::vtDouble);
    EXPECT_DOUBLE_EQ(pAttribute->GetDoubleValue(), 2.5);

    // What the profile left out of the standard style comes from the library's defaults.
    const CGXStyle* pStandard = read.GetStandardStyle();
    ASSERT_NE(pStandard, nullptr);
    EXPECT_TRUE(pStandard->GetIncludeFont());
    EXPECT_TRUE(pStandard->GetIncludeInterior());
}

// A profile names base styles freely, and an earlier version wrote a circle of them as a program made
// it. Read, the circle loses the link back to the first of its styles read, as a stored map would;
// every style, and every other link, is read.
TEST_P(GridProfileTest, AProfileWithACircleOfBaseStylesLoadsItsOtherStyles)
{
    CGXStylesMap written;
    written.CreateStandardStyles();
    const WORD nA = written.RegisterStyle("A", CGXStyle().SetValue("a"));
    const WORD nB = written.RegisterStyle("B", CGXStyle().SetValue("b").SetBaseStyle(nA));
    written.RegisterStyle("Other", CGXStyle().SetValue("other").SetBaseStyle(written.m_wStyleRowHeader));
    CGXStyle* pA = nullptr;
    ASSERT_TRUE(written.LookupStyle(nA, pA));
    pA->SetBaseStyle(nB);
    written.WriteProfile();

    CGXStylesMap read;
    ASSERT_TRUE(read.ReadProfile());
    EXPECT_TRUE(read.AreBaseStylesBounded());
    WORD nRowHeader = 0;
    ASSERT_TRUE(read.LookupResourceStyleId(GX_IDS_STYLE_ROWHEADER, nRowHeader));
    WORD nOther = 0;
    ASSERT_TRUE(read.LookupStyleId("Other", nOther));
    const CGXStyle* pOther = nullptr;
    ASSERT_TRUE(read.LookupStyle(nOther, pOther));
    EXPECT_STREQ(pOther->GetValue(), "other");
    ASSERT_TRUE(pOther->GetIncludeBaseStyle());
    EXPECT_EQ(pOther->GetBaseStyle(), nRowHeader);

    // Of the circle, the style read first keeps its link and the other loses it; both keep the rest.
    WORD nReadA = 0;
    WORD nReadB = 0;
    ASSERT_TRUE(read.LookupStyleId("A", nReadA));
    ASSERT_TRUE(read.LookupStyleId("B", nReadB));
    const WORD nFirst = std::min(nReadA, nReadB);
    const WORD nSecond = std::max(nReadA, nReadB);
    const CGXStyle* pFirst = nullptr;
    const CGXStyle* pSecond = nullptr;
    ASSERT_TRUE(read.LookupStyle(nFirst, pFirst));
    ASSERT_TRUE(read.LookupStyle(nSecond, pSecond));
    ASSERT_TRUE(pFirst->GetIncludeBaseStyle());
    EXPECT_EQ(pFirst->GetBaseStyle(), nSecond);
    EXPECT_FALSE(pSecond->GetIncludeBaseStyle());
    EXPECT_STREQ(pFirst->GetValue(), nFirst == nReadA ? "a" : "b");
    EXPECT_STREQ(pSecond->GetValue(), nFirst == nReadA ? "b" : "a");
}

TEST_P(GridProfileTest, AStyleWithoutAttributesDeletesItsEntries)
{
    CGXStyle full;
    full.SetValue("x").SetReadOnly(TRUE).SetBorders(gxBorderTop, CGXStylePen().SetWidth(2)).SetFormat(5);
    full.WriteProfile("Cell");
    ASSERT_EQ(std::string(app.GetProfileString("Cell", "Borders")), "1");
    ASSERT_FALSE(app.GetProfileString("Cell", "Top").IsEmpty());
    ASSERT_TRUE(app.GetProfileString("Cell", "Left").IsEmpty()) << "an edge that is not set has no entry";

    CGXStyle empty;
    empty.WriteProfile("Cell");
    for (LPCTSTR pszEntry : {"Value", "ReadOnly", "Borders", "Top", "Format"})
        EXPECT_EQ(std::string(app.GetProfileString("Cell", pszEntry, "gone")), "gone") << pszEntry;

    CGXStyle read;
    read.SetValue("old");
    ASSERT_TRUE(read.ReadProfile("Cell"));
    EXPECT_FALSE(read.GetIncludeValue()) << "reading starts from a cleared style";
    EXPECT_FALSE(read.GetIncludeBorders());
}

TEST_P(GridProfileTest, AMissingSectionChangesNothing)
{
    CGXStylesMap map;
    map.RegisterStyle("Kept", CGXStyle().SetValue("k"));
    EXPECT_FALSE(map.ReadProfile());
    EXPECT_EQ(map.GetStyleCount(), 1);

    CGXProperties properties;
    properties.SetMargins(1, 2, 3, 4);
    EXPECT_FALSE(properties.ReadProfile());
    int margins[4] = {};
    properties.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[3], 4);
}

TEST_P(GridProfileTest, EntriesWrittenByHandInAnyCaseAreRead)
{
    // Entry names of a profile compare without case, in the INI file and in the registry alike.
    const WORD nAttribute = 51011;
    CGXStylesMap map;
    map.AddUserAttribute(nAttribute);
    app.WriteProfileString("Cell", "horizontalalignment", "2");
    app.WriteProfileString("Cell", "TEXTCOLOR", "1 2 3");
    app.WriteProfileString("Cell", "font", "Arial,12,700,0,0,0,0");
    app.WriteProfileString("Cell", "borders", "1");
    app.WriteProfileString("Cell", "top", "0 2 0 0 255 0");
    app.WriteProfileString("Cell", "ua51011", "text");

    CGXStyle read;
    ASSERT_TRUE(read.ReadProfile("Cell", &map));
    EXPECT_EQ(read.GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_EQ(read.GetTextColor(), RGB(1, 2, 3));
    ASSERT_TRUE(read.GetIncludeFont());
    EXPECT_DOUBLE_EQ(read.GetFont().GetSize(), 12.0);
    ASSERT_TRUE(read.GetIncludeBorders());
    EXPECT_TRUE(read.IsBorderIncluded(gxBorderTop));
    EXPECT_EQ(std::string(read.GetUserAttribute(nAttribute).GetValue()), "text");
}

TEST_P(GridProfileTest, PropertiesComeBackAndAPartialMarginsEntrySetsOnlyItsNumbers)
{
    CGXProperties written;
    written.SetMargins(11, 22, 33, 44);
    written.SetDistances(7, 8);
    written.SetPageOrder(1);
    written.SetFirstPage(3);
    written.SetDisplayVertLines(FALSE);
    written.WriteProfile();
    EXPECT_EQ(std::string(app.GetProfileString("Grid", "Margins")), "11,22,33,44");
    EXPECT_EQ(std::string(app.GetProfileString("Grid", "Distances")), "7,8");

    CGXProperties read;
    ASSERT_TRUE(read.ReadProfile());
    int margins[4] = {};
    read.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[0], 11);
    EXPECT_EQ(margins[3], 44);
    EXPECT_EQ(read.GetPageOrder(), 1);
    EXPECT_EQ(read.GetFirstPage(), 3);
    EXPECT_FALSE(read.GetDisplayVertLines());

    app.WriteProfileString("Grid", "Margins", "5, 6");
    app.WriteProfileString("Grid", "Distances", "");
    CGXProperties partial;
    partial.SetMargins(1, 2, 3, 4);
    partial.SetDistances(9, 10);
    ASSERT_TRUE(partial.ReadProfile());
    partial.GetMargins(margins[0], margins[1], margins[2], margins[3]);
    EXPECT_EQ(margins[0], 5);
    EXPECT_EQ(margins[1], 6);
    EXPECT_EQ(margins[2], 3);
    EXPECT_EQ(margins[3], 4);
    int nHeader = 0;
    int nFooter = 0;
    partial.GetDistances(nHeader, nFooter);
    EXPECT_EQ(nHeader, 9) << "an empty entry keeps the value";
    EXPECT_EQ(nFooter, 10);
}

INSTANTIATE_TEST_SUITE_P(Stores, GridProfileTest, ::testing::Values(Store::registry, Store::iniFile),
                         [](const ::testing::TestParamInfo<Store>& info) {
                             return info.param == Store::registry ? "Registry" : "IniFile";
                         });

TEST(GridProfileText, ChoiceListsTravelOnOneLine)
{
    const struct
    {
        const char* pszChoices;
        const char* pszLine;
    } cases[] = {
        {"a\\b\r\nc", "a\\\\b\\nc"},
        {"one\ntwo\r\n", "one\\ntwo\\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(GXEscapeChoiceList(c.pszChoices)), c.pszLine) << c.pszChoices;
    EXPECT_EQ(std::string(GXUnescapeChoiceList("a\\\\b\\nc")), "a\\b\r\nc");
    EXPECT_EQ(std::string(GXUnescapeChoiceList("x\\y")), "x\\y") << "a lone backslash stays";
}

} // namespace
