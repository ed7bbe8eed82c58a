// The number formatting component: display texts of every format code, the reading of typed numbers,
// and its installation at library start-up.
#include "grid/features/NumberFormattingImp.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Style.h"

#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string Formatted(unsigned nFormat, unsigned nPlaces, double v)
{
    CGXStyle style;
    style.SetFormat(nFormat).SetPlaces(nPlaces).SetValue(v);
    CGXNumberFormattingImp imp;
    return static_cast<LPCTSTR>(imp.FormatValue(&style, nullptr, 0, 0, 0));
}

// The library's separators for one test.
class ScopedSeparators
{
public:
    ScopedSeparators(char cDecimal, char cThousand)
        : m_cDecimal(GXGetAppData()->m_cDecimalSeparator), m_cThousand(GXGetAppData()->m_cThousandSeparator)
    {
        GXGetAppData()->m_cDecimalSeparator = cDecimal;
        GXGetAppData()->m_cThousandSeparator = cThousand;
    }
    ~ScopedSeparators()
    {
        GXGetAppData()->m_cDecimalSeparator = m_cDecimal;
        GXGetAppData()->m_cThousandSeparator = m_cThousand;
    }

private:
    char m_cDecimal;
    char m_cThousand;
};

TEST(NumberFormatting, TheNamesOfTheFormatCodesAreTheLinesOfTheirString)
{
    CString names;
    ASSERT_TRUE(AfxLoadString(20066, names));
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = names; *p != '\0'; ++p)
    {
        if (*p == '\n')
        {
            lines.push_back(line);
            line.clear();
        }
        else
            line += *p;
    }
    ASSERT_EQ(lines.size(), 23u) << "codes 0 to 22";
    EXPECT_EQ(lines[GX_FMT_FIXED], "Fixed");
    EXPECT_EQ(lines[12], "Hidden");
    EXPECT_EQ(lines[18], "MM/DD/YY HH:MM");
    EXPECT_EQ(lines[22], "User4");
}

TEST(NumberFormatting, NumbersUnderEachCode)
{
    struct Case
    {
        unsigned nFormat;
        unsigned nPlaces;
        double v;
        const char* pszText;
    } cases[] = {
        {GX_FMT_FIXED, 2, 3.14159, "3.14"},
        {GX_FMT_SCIENTIFIC, 2, 3.14159, "3.14e+000"},
        {GX_FMT_GEN, 4, 1234567.0, "1.235e+006"},
        {GX_FMT_GEN, 4, 0.5, "0.5"},
        {GX_FMT_COMMA, 2, 1234.5, "1,234.50 "},
        {GX_FMT_COMMA, 2, -1234.5, "(1,234.50)"},
        {GX_FMT_COMMA, 0, 123.0, "123 "},
        {GX_FMT_COMMA, 3, 1234567.891, "1,234,567.891 "},
        {GX_FMT_DOLLARS, 2, 0.0, "$0.00 "},
        {GX_FMT_DOLLARS, 2, -0.0, "$0.00 "},
        {GX_FMT_DOLLARS, 1, -1000000.0, "($1,000,000.0)"},
        {GX_FMT_FIXED_PARENS, 0, 12.0, " 12 "},
        {GX_FMT_FIXED_PARENS, 0, -12.0, "(12)"},
        {GX_FMT_HEX, 0, -255.9, "0xFF"},
        {GX_FMT_HEX, 0, 4294967295.0, "0xFFFFFFFF"},
        // Beyond 32 bits the value is clamped, not wrapped.
        {GX_FMT_HEX, 0, 1e10, "0xFFFFFFFF"},
        {GX_FMT_HEX, 0, -4294967296.0, "0xFFFFFFFF"},
        {GX_FMT_LOGIC, 0, 0.5, "0"},
        {GX_FMT_LOGIC, 0, 1.99, "1"},
        {GX_FMT_LOGIC, 0, 2.0, "?"},
        {GX_FMT_LOGIC, 0, -0.1, "?"},
        {GX_FMT_PERCENT, 2, 0.125, "12.50%"},
        {GX_FMT_PERCENT, 0, 1e307, " Percent! "},
        {GX_FMT_HIDDEN, 2, 5.0, ""},
        {GX_FMT_FRACTION, 3, 2.5, " 2 1/2"},
        {GX_FMT_FRACTION, 3, -0.25, "- 1/4"},
        {GX_FMT_FRACTION, 3, 3.0, " 3 0/100000"},
        {GX_FMT_FRACTION, 1, 0.125, "  1/8"},
        // Places outside 1 to 6 count as 3.
        {GX_FMT_FRACTION, 9, 0.5, "  1/2"},
        {GX_FMT_FRACTION, 0, 1.75, " 1 3/4"},
        // A whole part beyond 2^31 keeps its digits.
        {GX_FMT_FRACTION, 3, 3000000000.5, " 3000000000 1/2"},
        {GX_FMT_DAY_MONTH_YEAR, 0, 36526.0, "01-Jan-00"},
        {GX_FMT_DAY_MONTH, 0, 36526.0, "01-Jan"},
        {GX_FMT_MONTH_YEAR, 0, 36557.0, "Feb-00"},
        {GX_FMT_INTL_DATE, 0, 36526.0, "01.01.2000"},
        {GX_FMT_ISO8061_DATE, 0, 2.0, "1900-01-01"},
        {GX_FMT_HOUR12_MINUTE, 0, 36526.75, "06:00 PM"},
        {GX_FMT_HOUR12_MINUTE_SECOND, 0, 36526.25, "06:00:00 AM"},
        {GX_FMT_HOUR24_MINUTE, 0, 36526.75, "18:00"},
        {GX_FMT_DAY_MONTH_YEAR, 0, 1e10, "Invalid DateTime"},
        {29, 2, 1.0, " Format? "},
        {31, 2, 1.0, " Format? "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Formatted(c.nFormat, c.nPlaces, c.v), c.pszText) << "code " << c.nFormat << ", " << c.v;
}

TEST(NumberFormatting, HugeNumbersPrintWhole)
{
    const std::string fixed = Formatted(GX_FMT_FIXED, 2, 1e300);
    ASSERT_EQ(fixed.size(), 304u);
    // 17 significant digits, then zeros, as the Windows runtime prints.
    EXPECT_EQ(fixed.substr(0, 20), "10000000000000001000");
    EXPECT_EQ(fixed.substr(301), ".00");

    const std::string comma = Formatted(GX_FMT_COMMA, 0, 1e300);
    EXPECT_EQ(comma.size(), 301u + 100u + 1u);
    EXPECT_EQ(comma.substr(0, 8), "1,000,00");
    EXPECT_EQ(comma.back(), ' ');
}

TEST(NumberFormatting, LocaleCodesShowTheDateOrTheTimePart)
{
    // The texts are the user's locale's; what each code leaves out is the same everywhere.
    const std::string date = Formatted(GX_FMT_DATE, 0, 36526.75);
    const std::string time = Formatted(GX_FMT_TIME, 0, 36526.75);
    const std::string both = Formatted(GX_FMT_DATETIME, 0, 36526.75);
    EXPECT_NE(date.find("2000"), std::string::npos) << date;
    EXPECT_EQ(date.find(':'), std::string::npos) << date;
    EXPECT_EQ(time.find("2000"), std::string::npos) << time;
    EXPECT_NE(time.find(':'), std::string::npos) << time;
    EXPECT_NE(both.find("2000"), std::string::npos) << both;
    EXPECT_NE(both.find(':'), std::string::npos) << both;
    EXPECT_EQ(Formatted(GX_FMT_DATE, 0, 36526.75), Formatted(GX_FMT_DATE, 0, 36526.0));
}

TEST(NumberFormatting, LocaleNumberFallsBackToGroupedDigits)
{
    const std::string plain = Formatted(GX_FMT_LOCALE_NUMBER, 2, 1234.5);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.back(), ' ') << plain;
    // "%.14g" writes an exponent here, which the locale formatting refuses.
    const std::string huge = Formatted(GX_FMT_LOCALE_NUMBER, 0, 1e300);
    EXPECT_EQ(huge.substr(0, 8), "1,000,00");
    EXPECT_EQ(huge.back(), ' ');
}

TEST(NumberFormatting, TextValuesAndUnformattedStylesStayAsTheyAre)
{
    CGXNumberFormattingImp imp;
    CGXStyle plain;
    plain.SetValue(3.14159);
    EXPECT_STREQ(imp.FormatValue(&plain, nullptr, 0, 0, 0), "3.14159");

    CGXStyle fixed;
    fixed.SetFormat(GX_FMT_FIXED).SetPlaces(2).SetValue("3.14159");
    EXPECT_STREQ(imp.FormatValue(&fixed, nullptr, 0, 0, 0), "3.14159") << "a text value";
    EXPECT_STREQ(imp.FormatValue(&fixed, "2.71828", GX_VT_TEXT, 0, 0), "2.71828");
    EXPECT_STREQ(imp.FormatValue(&fixed, "2.71828", GX_VT_NUMERIC, 0, 0), "2.72");
    EXPECT_STREQ(imp.FormatValue(&fixed, "abc", GX_VT_NUMERIC, 0, 0), "0.00");

    CGXStyle hidden;
    hidden.SetFormat(GX_FMT_HIDDEN).SetValue("secret");
    EXPECT_STREQ(imp.FormatValue(&hidden, nullptr, 0, 0, 0), "");

    for (unsigned nFormat : {unsigned(GX_FMT_DEFAULT), unsigned(GX_FMT_TEXT), unsigned(GX_FMT_USER1), 22u}) {
        CGXStyle style;
        style.SetFormat(nFormat).SetPlaces(2).SetValue(1.23456);
        EXPECT_STREQ(imp.FormatValue(&style, nullptr, 0, 0, 0), "1.23456") << nFormat;
    }
}

TEST(NumberFormatting, OtherSeparatorsAreShownAndRead)
{
    ScopedSeparators separators(',', '.');
    CGXStyle style;
    style.SetFormat(GX_FMT_FIXED).SetPlaces(2).SetValue("2.5");
    style.SetValueType(GX_VT_NUMERIC);
    CGXNumberFormattingImp imp;
    EXPECT_STREQ(imp.FormatValue(&style, nullptr, 0, 0, 0), "2,50");
    style.SetFormat(GX_FMT_COMMA);
    style.SetValue(1234567.5);
    EXPECT_STREQ(imp.FormatValue(&style, nullptr, 0, 0, 0), "1.234.567,50 ");

    double dValue = 0;
    unsigned nFormat = 0, nPlaces = 0;
    ASSERT_TRUE(imp.ParseValue("1.234,5", dValue, &nFormat, &nPlaces));
    EXPECT_EQ(dValue, 1234.5);
    EXPECT_EQ(nFormat, unsigned(GX_FMT_COMMA));
    EXPECT_EQ(nPlaces, 1u);
    EXPECT_FALSE(imp.ParseValue("1,234.5", dValue, nullptr, nullptr));
}

TEST(NumberParsing, WrittenFormsGiveTheirValueCodeAndPlaces)
{
    struct Case
    {
        const char* pszText;
        double dValue;
        unsigned nFormat;
        unsigned nPlaces;
    } cases[] = {
        {"(1,234.50)", -1234.5, GX_FMT_COMMA, 2},
        {"$1,000", 1000.0, GX_FMT_DOLLARS, 0},
        {"($12.00)", -12.0, GX_FMT_DOLLARS, 2},
        {"1.5e3", 1500.0, GX_FMT_SCIENTIFIC, 1},
        {"2.50E-2", 0.025, GX_FMT_SCIENTIFIC, 2},
        {"12.5   ", 12.5, GX_FMT_FIXED, 1},
        {"   42", 42.0, GX_FMT_FIXED, 0},
        {"-3", -3.0, GX_FMT_FIXED, 0},
        {"(7)", -7.0, GX_FMT_COMMA, 0},
        {"1,234,567.5", 1234567.5, GX_FMT_COMMA, 1},
    };
    CGXNumberFormattingImp imp;
    for (const Case& c : cases) {
        double dValue = -99;
        unsigned nFormat = 99, nPlaces = 99;
        ASSERT_TRUE(imp.ParseValue(c.pszText, dValue, &nFormat, &nPlaces)) << c.pszText;
        EXPECT_DOUBLE_EQ(dValue, c.dValue) << c.pszText;
        EXPECT_EQ(nFormat, c.nFormat) << c.pszText;
        EXPECT_EQ(nPlaces, c.nPlaces) << c.pszText;
    }
    // Decimals count up to 15 only.
    double dValue = 0;
    unsigned nFormat = 0, nPlaces = 0;
    ASSERT_TRUE(imp.ParseValue("0.12345678901234567", dValue, &nFormat, &nPlaces));
    EXPECT_EQ(nPlaces, 15u);
    // Without the format pointers only the value is read.
    ASSERT_TRUE(imp.ParseValue("$5", dValue, nullptr, nullptr));
    EXPECT_EQ(dValue, 5.0);
}

TEST(NumberParsing, MalformedTextsAreNoNumbers)
{
    const std::string tooLong(300, '1');
    const char* texts[] = {
        "(1e5)", "1..2", "12,34", "abc", ".", "+", "", "   ", "1 2", "(-5)", "(12", "12)", "1e", "e5",
        "1,2345", "1.234,5", "12$", "1e5e2", "1e999", tooLong.c_str(),
    };
    CGXNumberFormattingImp imp;
    for (const char* pszText : texts) {
        double dValue = -99;
        unsigned nFormat = 99, nPlaces = 99;
        EXPECT_FALSE(imp.ParseValue(pszText, dValue, &nFormat, &nPlaces)) << pszText;
        EXPECT_EQ(dValue, -99) << pszText;
        EXPECT_EQ(nFormat, 99u) << pszText;
        EXPECT_EQ(nPlaces, 99u) << pszText;
    }
}

TEST(NumberFormattingHelpers, DigitGroupingAndFractionReduction)
{
    EXPECT_EQ(GXGroupDigits("1234567.891", '.', ','), "1,234,567.891");
    EXPECT_EQ(GXGroupDigits("123", '.', ','), "123");
    EXPECT_EQ(GXGroupDigits("1234", '.', ','), "1,234");
    EXPECT_EQ(GXGroupDigits("123456", ',', '.'), "123.456");

    long long n = 75000, d = 100000;
    GXReduceFraction(n, d);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(d, 4);
    // 41 is beyond the table of primes: 41/82 stays.
    n = 41;
    d = 82;
    GXReduceFraction(n, d);
    EXPECT_EQ(n, 41);
    EXPECT_EQ(d, 82);
}

TEST(NumberFormattingInstall, StartUpInstallsOneObjectThatTheLibraryUses)
{
    GXStartLibrary();
    GXLibraryLinks& links = GXGetLibraryLinks();
    CGXAbstractNumberFormattingImp* pImp = links.pNumberFormattingImp;
    ASSERT_NE(dynamic_cast<CGXNumberFormattingImp*>(pImp), nullptr);
    const INT_PTR nOwned = GXGetAppData()->GetOwnedObjectCount();
    InstallNumberFormattingImp();
    EXPECT_EQ(links.pNumberFormattingImp, pImp);
    EXPECT_EQ(GXGetAppData()->GetOwnedObjectCount(), nOwned);

    // The drawing service and the library's parser reach it.
    CGXStyle style;
    style.SetFormat(GX_FMT_FIXED).SetPlaces(2).SetValue(0.1181);
    EXPECT_STREQ(CGXDrawingAndFormatting::GetInstance()->FormatValueText(style), "0.12");
    double dValue = 0;
    EXPECT_TRUE(GXParseNumber("1,000", dValue));
    EXPECT_EQ(dValue, 1000.0);
    unsigned nFormat = 0, nPlaces = 0;
    EXPECT_TRUE(CGXDrawingAndFormatting::GetInstance()->ConvertValueText("(2.5)", dValue, &nFormat, &nPlaces));
    EXPECT_EQ(dValue, -2.5);
    EXPECT_EQ(nFormat, unsigned(GX_FMT_COMMA));
}

} // namespace
