#include "grid/core/Properties.h"

#include "grid/core/Color.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <ctime>

namespace
{
// A print component whose token services are the library's; it draws nothing.
class TokenPrintImp : public CGXAbstractPropertiesPrintImp
{
public:
    BOOL OnPrintHeaderAndFooter(CGXProperties&, CDC*, CPrintInfo*, CDocument*, CGXGridParam*) override
    {
        return TRUE;
    }
    int CalcHeaderFooterHeight(CGXProperties&, CDC*, CGXData*, const CGXStylesMap*) override { return 42; }
    void PrintHeaderFooterData(CGXProperties&, CDC*, CPrintInfo*, const RECT&, CGXData*,
                               const CGXStylesMap*) override
    {
    }
};

TokenPrintImp g_printImp;
CGXAbstractPropertiesPrintImp* FindTokenPrintImp(const CGXProperties&) { return &g_printImp; }

// Makes the properties reach the token print component for the life of the object.
class ScopedPrintUser
{
public:
    ScopedPrintUser() { CGXProperties::s_pfnFindPrintImp = &FindTokenPrintImp; }
    ~ScopedPrintUser() { CGXProperties::s_pfnFindPrintImp = nullptr; }
};

CString Strftime(const char* pszFormat)
{
    const std::time_t now = std::time(nullptr);
    char buffer[256] = {};
    std::strftime(buffer, sizeof(buffer), pszFormat, std::localtime(&now));
    return buffer;
}

struct ColorCase
{
    int nIndex;
    LPCTSTR pszName;
    COLORREF expected;
};
}  // namespace

TEST(PropertiesTest, ColourTableHasFiveNamedColours)
{
    CGXProperties properties;
    const ColorCase cases[] = {
        {0, "Grid Lines", 0xED000000 | (::GetSysColor(COLOR_GRAYTEXT) & 0xFFFFFF)},
        {1, "Fixed Lines", 0xFC000000 | (::GetSysColor(COLOR_ACTIVECAPTION) & 0xFFFFFF)},
        {2, "Tracking Line", 255},
        {3, "Dragging Line", 255},
        {4, "Background", 0xEF000000 | (::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF)},
    };
    ASSERT_EQ(5, properties.GetColorCount());
    for (const ColorCase& c : cases)
    {
        EXPECT_STREQ(c.pszName, properties.GetColorNameArray()[c.nIndex]);
        EXPECT_EQ(c.expected, properties.GetColor(c.nIndex)) << c.pszName;
    }
    EXPECT_EQ(0u, properties.GetColor(5));
    EXPECT_EQ(0u, properties.GetColor(-1));
}

TEST(PropertiesTest, AddingAKnownColourNameKeepsItsColour)
{
    CGXProperties properties;
    EXPECT_EQ(0, properties.AddColorProperty("Grid Lines", RGB(1, 2, 3)));
    EXPECT_EQ(0xEDu, properties.GetColor(0) >> 24);
    EXPECT_EQ(5, properties.AddColorProperty("grid lines", RGB(1, 2, 3))) << "names compare with case";
    EXPECT_EQ(6, properties.AddColorProperty(static_cast<LPCTSTR>(nullptr), RGB(4, 5, 6)));
    EXPECT_EQ(7, properties.AddColorProperty(static_cast<LPCTSTR>(nullptr), RGB(4, 5, 6)));
    EXPECT_EQ(8, properties.AddColorProperty(7u, RGB(7, 8, 9)));
    EXPECT_STREQ("COLOR7", properties.GetColorNameArray()[8]);
}

TEST(PropertiesTest, DefaultsOfSwitchesAndPage)
{
    CGXProperties properties;
    EXPECT_TRUE(properties.GetDisplay3dHeader());
    EXPECT_TRUE(properties.GetMarkRowHeader());
    EXPECT_TRUE(properties.GetMarkColHeader());
    EXPECT_STREQ("Grid", properties.GetSection());
    EXPECT_EQ(100, properties.GetZoom());
    int top = 0, left = 0, bottom = 0, right = 0;
    properties.GetMargins(top, left, bottom, right);
    // Inches of the printing mapping's units (the display's logical pixels per inch), 0.51 added and truncated.
    const int e = GXGetPrintUnitsPerInch();
    EXPECT_EQ(static_cast<int>(1.5 * e + 0.51), top);
    EXPECT_EQ(static_cast<int>(e + 0.51), left);
    EXPECT_EQ(static_cast<int>(1.5 * e + 0.51), bottom);
    EXPECT_EQ(static_cast<int>(e + 0.51), right);
    int nHeader = 0, nFooter = 0;
    properties.GetDistances(nHeader, nFooter);
    EXPECT_EQ(static_cast<int>(0.4 * e + 0.51), nHeader);
    EXPECT_EQ(static_cast<int>(0.4 * e + 0.51), nFooter);
    EXPECT_EQ(-1, properties.GetFirstPage());
    EXPECT_STREQ("Invert Thin.", properties.GetFrameName(0));
    EXPECT_STREQ("No Border.", properties.GetFrameName(4));
    ASSERT_EQ(6, properties.GetTokenArray().GetSize());
    EXPECT_STREQ("$D", properties.GetTokenArray()[4]);
}

TEST(PropertiesTest, PrintingSelectsThePrintSettings)
{
    CGXProperties properties;
    properties.SetDisplayHorzLines(FALSE);
    properties.SetPrintVertLines(FALSE);
    EXPECT_FALSE(properties.GetDisplayHorzLines());
    EXPECT_TRUE(properties.GetDisplayVertLines());
    EXPECT_FALSE(properties.GetBlackWhite());
    properties.SetPrinting(TRUE);
    EXPECT_TRUE(properties.GetDisplayHorzLines());
    EXPECT_FALSE(properties.GetDisplayVertLines());
    EXPECT_TRUE(properties.GetBlackWhite());
}

TEST(PropertiesTest, DefaultUserPropertyNamesTheCurrentCellFrame)
{
    CGXProperties properties;
    EXPECT_TRUE(properties.GetUserProperty(GX_IDS_CURRENTCELL).IsEmpty());
    properties.AddDefaultUserProperties();
    const CGXPropertiesUserPropertyInfo* pInfo = properties.LookupUserPropertyInfo(GX_IDS_CURRENTCELL);
    ASSERT_NE(nullptr, pInfo);
    EXPECT_STREQ("Current Cell.", pInfo->sName);
    const CGXStyle& style = properties.GetUserProperty(GX_IDS_CURRENTCELL);
    EXPECT_EQ(52529, style.GetControl());
    EXPECT_STREQ("Invert Thin.\nInvert Thick.\nThin Border.\nThick Border.\nNo Border.", style.GetChoiceList());
    EXPECT_STREQ("Invert Thin.", style.GetValue());

    CGXStyle thick;
    thick.SetValue("Thick Border.");
    properties.AddUserProperty(GX_IDS_CURRENTCELL, thick);
    EXPECT_STREQ("Thick Border.", properties.GetUserProperty(GX_IDS_CURRENTCELL).GetValue());
    EXPECT_FALSE(properties.GetUserProperty(GX_IDS_CURRENTCELL).GetIncludeControl());
    EXPECT_STREQ("Current Cell.", properties.LookupUserPropertyInfo(GX_IDS_CURRENTCELL)->sName);
}

TEST(PropertiesTest, UserPropertyWithoutTextIsNamedUSERPROP)
{
    CGXProperties properties;
    properties.AddUserProperty(9, CGXStyle().SetValue("x"));
    EXPECT_STREQ("USERPROP9", properties.LookupUserPropertyInfo(9)->sName);
    EXPECT_TRUE(properties.GetUserProperty(10).IsEmpty());
    properties.FreeAll();
    EXPECT_EQ(nullptr, properties.LookupUserPropertyInfo(9));
    EXPECT_EQ(0, properties.GetColorCount());
    EXPECT_EQ(6, properties.GetTokenArray().GetSize()) << "tokens stay";
}

TEST(PropertiesTest, TokensAnswerEmptyWhenNoGridUsesTheProperties)
{
    CGXProperties properties;
    CString rest = "{%Y}";
    EXPECT_STREQ("", properties.SubstTokenText("Page $P"));
    EXPECT_STREQ("", properties.GetTokenValue(GX_TOKEN_DATE, rest));
    EXPECT_STREQ("", properties.ExtractTokenArgument(rest));
    EXPECT_STREQ("{%Y}", rest);
    EXPECT_EQ(0, properties.CalcHeaderFooterHeight(nullptr, nullptr, nullptr));
    EXPECT_FALSE(properties.OnPrintHeaderAndFooter(nullptr, nullptr, nullptr, nullptr));
}

namespace
{
struct PageCase
{
    int nFirstPage;
    UINT nCurPage, nMinPage, nMaxPage;
    LPCTSTR pszText;
    LPCTSTR pszExpected;
};
}  // namespace

TEST(PropertiesTest, PageTokensAreSubstituted)
{
    const ScopedPrintUser user;
    const PageCase cases[] = {
        {-1, 2, 1, 5, "$P/$N", "2/5"},
        {-1, 2, 1, 5, "Page $p of $n", "Page 2 of 5"},
        {10, 1, 1, 3, "$P", "10"},
        {10, 3, 2, 3, "$P", "11"},
        {-1, 1, 1, 1, "$F - $A - $R", "Report.qrw - Quarrow - Sieve table"},
        {-1, 1, 1, 1, "100$ and $X", "100$ and $X"},
    };
    for (const PageCase& c : cases)
    {
        CGXProperties properties;
        properties.SetFirstPage(c.nFirstPage);
        CGXAbstractPropertiesPrintImp::FillTokenArguments(properties, "Report.qrw", "Quarrow", c.nCurPage,
                                                          c.nMinPage, c.nMaxPage, "Sieve table");
        EXPECT_STREQ(c.pszExpected, properties.SubstTokenText(c.pszText)) << c.pszText;
    }
}

TEST(PropertiesTest, DateTokenTakesItsBracedFormat)
{
    const ScopedPrintUser user;
    CGXProperties properties;
    EXPECT_STREQ(CString("Year ") + Strftime("%Y") + "!", properties.SubstTokenText("Year $D{%Y}!"));
    EXPECT_STREQ(Strftime("%c"), properties.SubstTokenText("$D"));
    // An unclosed brace is no argument: the date in "%c" form, and the brace stays text.
    EXPECT_STREQ(Strftime("%c") + "{%Y", properties.SubstTokenText("$D{%Y"));
    // A result longer than the buffer gives an empty value.
    CString longFormat;
    for (int i = 0; i < 70; ++i)
        longFormat += "%Y";
    EXPECT_STREQ("<>", properties.SubstTokenText("<$D{" + longFormat + "}>"));
}

TEST(PropertiesTest, BracedArgumentIsCutOffTheRest)
{
    const ScopedPrintUser user;
    CGXProperties properties;
    CString rest = "{%d.%m.}tail";
    EXPECT_STREQ("%d.%m.", properties.ExtractTokenArgument(rest));
    EXPECT_STREQ("tail", rest);
    rest = "tail{x}";
    EXPECT_STREQ("", properties.ExtractTokenArgument(rest));
    EXPECT_STREQ("tail{x}", rest);
    EXPECT_EQ(42, properties.CalcHeaderFooterHeight(nullptr, nullptr, nullptr));
}

TEST(PropertiesTest, CopyWithoutCopyComponentKeepsDefaults)
{
    const ScopedNoLibraryComponents noComponents;
    CGXProperties original;
    original.SetZoom(150);
    const CGXProperties copy(original);
    EXPECT_EQ(100, copy.GetZoom());
    EXPECT_EQ(5, copy.GetColorCount());
    EXPECT_STREQ("Invert Thin.", copy.GetFrameName(0));
}
