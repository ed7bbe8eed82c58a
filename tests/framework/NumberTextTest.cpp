// Number texts must be those of the Microsoft C runtime: 3-digit exponents, _gcvt's kept decimal point,
// 17 significant digits rounded half up.
#include "framework/core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct DoubleCase {
    const char* format;
    double value;
    const char* expected;
};

class NumberTextFormat : public testing::TestWithParam<DoubleCase> {};

// Calls the formatter through a plain variadic function so that formats outside the
// compiler's printf dialect (%I64d, %S) can be tested as callers write them.
std::string Unchecked(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = NumberText::FormatV(format, args);
    va_end(args);
    return text;
}

} // namespace

TEST_P(NumberTextFormat, WritesTheRuntimeText)
{
    const DoubleCase& c = GetParam();
    EXPECT_EQ(Unchecked(c.format, c.value), c.expected) << c.format << " of " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, NumberTextFormat, testing::Values(
    DoubleCase{"%.2e", 0.0005, "5.00e-004"},
    DoubleCase{"%g", 1e-5, "1e-005"},
    DoubleCase{"%E", 12345.678, "1.234568E+004"},
    DoubleCase{"%G", 1e-10, "1E-010"},
    DoubleCase{"%e", 0.0, "0.000000e+000"},
    DoubleCase{"%e", 1e300, "1.000000e+300"},
    DoubleCase{"%e", -1e-300, "-1.000000e-300"},
    DoubleCase{"%.0e", 12345.0, "1e+004"},
    DoubleCase{"%#.0e", 3.0, "3.e+000"},
    DoubleCase{"%.3e", 9.9996, "1.000e+001"},
    DoubleCase{"% .3e", 1.0, " 1.000e+000"},
    DoubleCase{"%f", 3.14159, "3.141590"},
    DoubleCase{"%.2f", 0.125, "0.13"},
    DoubleCase{"%.1f", 0.25, "0.3"},
    DoubleCase{"%.0f", 2.5, "3"},
    DoubleCase{"%.2f", 2.675, "2.67"},
    DoubleCase{"%.2f", 0.006, "0.01"},
    DoubleCase{"%.2f", -0.001, "-0.00"},
    DoubleCase{"%.20f", 0.1, "0.10000000000000001000"},
    DoubleCase{"%f", 1e20, "100000000000000000000.000000"},
    DoubleCase{"%8.3f", -1.5, "  -1.500"},
    DoubleCase{"%-8.2f|", 1.5, "1.50    |"},
    DoubleCase{"%+.1f", 2.0, "+2.0"},
    DoubleCase{"%08.2f", -3.14159, "-0003.14"},
    DoubleCase{"%#.0f", 3.0, "3."},
    DoubleCase{"%5.1f%%", 12.34, " 12.3%"},
    DoubleCase{"%g", 100000.0, "100000"},
    DoubleCase{"%g", 1000000.0, "1e+006"},
    DoubleCase{"%g", 0.0001, "0.0001"},
    DoubleCase{"%g", 0.0, "0"},
    DoubleCase{"%g", 123456789.0, "1.23457e+008"},
    DoubleCase{"%#g", 1.0, "1.00000"},
    DoubleCase{"%.3g", 9.9996, "10"},
    DoubleCase{"%.13g", 0.1, "0.1"},
    DoubleCase{"%.14g", 1.0 / 3.0, "0.33333333333333"},
    DoubleCase{"%.17g", 0.1, "0.10000000000000001"},
    DoubleCase{"%.14g", 2.675, "2.675"},
    DoubleCase{"%.13g", -2.5e-7, "-2.5e-007"},
    DoubleCase{"%f", std::numeric_limits<double>::infinity(), "1.#INF00"},
    DoubleCase{"%e", -std::numeric_limits<double>::infinity(), "-1.#INF00e+000"},
    DoubleCase{"%g", std::numeric_limits<double>::infinity(), "1.#INF"},
    DoubleCase{"%f", std::numeric_limits<double>::quiet_NaN(), "1.#QNAN0"}));

TEST(NumberTextFormat, DefaultNaNIsIndefinite)
{
    volatile double zero = 0.0;
    EXPECT_EQ(NumberText::Format("%f", zero / zero), "-1.#IND00");
}

TEST(NumberTextFormat, MixesIntegersStringsAndDoubles)
{
    EXPECT_EQ(NumberText::Format("%d items at %.2f", 3, 1.5), "3 items at 1.50");
    EXPECT_EQ(NumberText::Format("%s=%g", "x", 2.5), "x=2.5");
    EXPECT_EQ(NumberText::Format("%5s|%-5s|%.2s", "ab", "cd", "abcdef"), "   ab|cd   |ab");
    EXPECT_EQ(NumberText::Format("%05d %x %X %o %u", 42, 255, 255, 8, 4000000000u), "00042 ff FF 10 4000000000");
    EXPECT_EQ(NumberText::Format("%lld %c%c", 1LL << 40, 'O', 'K'), "1099511627776 OK");
    EXPECT_EQ(NumberText::Format("%*.*f|%-*d|", 8, 2, 3.14159, 4, 7), "    3.14|7   |");
    EXPECT_EQ(NumberText::Format("100%% %ld", 5L), "100% 5");
}

TEST(NumberTextFormat, AcceptsTheRuntimesOwnSizePrefixes)
{
    EXPECT_EQ(Unchecked("%I64d %I64u %Id", -(1LL << 40), 1ULL << 63, static_cast<long long>(-7)),
              "-1099511627776 9223372036854775808 -7");
    EXPECT_EQ(Unchecked("%s|%S", static_cast<const char*>(nullptr), L"wide"), "(null)|wide");
    EXPECT_EQ(Unchecked("%p", reinterpret_cast<void*>(0x12FF7C)), "000000000012FF7C");
}

TEST(NumberTextFormat, LongOutputIsComplete)
{
    const std::string longText(1000, 'x');
    EXPECT_EQ(NumberText::Format("[%s] %.1f", longText.c_str(), 2.0), "[" + longText + "] 2.0");
}

TEST(NumberTextFormat, FormatDoubleTakesFlagsAndWidth)
{
    EXPECT_EQ(NumberText::FormatDouble(0.0005, 'e', 2), "5.00e-004");
    EXPECT_EQ(NumberText::FormatDouble(1.5, 'f', 2, "+0", 8), "+0001.50");
    EXPECT_EQ(NumberText::FormatDouble(0.5, 'G', 6, "-", 5), "0.5  ");
}

namespace {
struct GcvtCase {
    double value;
    int digits;
    const char* expected;
};
class NumberTextGcvt : public testing::TestWithParam<GcvtCase> {};
} // namespace

TEST_P(NumberTextGcvt, WritesTheRuntimeText)
{
    const GcvtCase& c = GetParam();
    EXPECT_EQ(NumberText::Gcvt(c.value, c.digits), c.expected) << c.value << " with " << c.digits << " digits";
}

INSTANTIATE_TEST_SUITE_P(Table, NumberTextGcvt, testing::Values(
    GcvtCase{2.0, 5, "2."},
    GcvtCase{14.0, 5, "14."},
    GcvtCase{0.92, 5, "0.92"},
    GcvtCase{7.056e-06, 5, "7.056e-006"},
    GcvtCase{0.05, 5, "5.e-002"},
    GcvtCase{123456.0, 5, "1.2346e+005"},
    GcvtCase{25.0, 2, "25."},
    GcvtCase{0.0, 5, "0."},
    GcvtCase{-2.5, 5, "-2.5"},
    GcvtCase{0.5, 5, "0.5"},
    GcvtCase{0.123456, 5, "0.12346"},
    GcvtCase{1.23456, 5, "1.2346"},
    GcvtCase{12345.0, 5, "12345."},
    GcvtCase{100000.0, 5, "1.e+005"},
    GcvtCase{1e-300, 5, "1.e-300"},
    GcvtCase{3.14159, 1, "3."},
    GcvtCase{-314150.0, 7, "-314150."}));

TEST(NumberTextGcvt, BufferFormTruncatesAndTerminates)
{
    char buffer[8];
    EXPECT_STREQ(NumberText::Gcvt(123456.0, 5, buffer, sizeof buffer), "1.2346e");
    char wide[16];
    EXPECT_STREQ(NumberText::Gcvt(0.05, 5, wide, sizeof wide), "5.e-002");
}

TEST(NumberTextCvt, FcvtGivesDigitsAndPointPosition)
{
    struct Case { double value; int decimals; const char* digits; int point; int negative; };
    const Case cases[] = {
        {45.0, 1, "450", 2, 0},
        {37.56, 1, "376", 2, 0},
        {0.37, 1, "4", 0, 0},
        {9.96, 1, "100", 2, 0},
        {-1.25, 1, "13", 1, 1},
    };
    for (const Case& c : cases) {
        int point = -99, negative = -1;
        EXPECT_EQ(NumberText::Fcvt(c.value, c.decimals, &point, &negative), c.digits) << c.value;
        EXPECT_EQ(point, c.point) << c.value;
        EXPECT_EQ(negative, c.negative) << c.value;
    }
}

TEST(NumberTextCvt, EcvtGivesSignificantDigits)
{
    int point = 0, negative = 0;
    EXPECT_EQ(NumberText::Ecvt(3.14159, 3, &point, &negative), "314");
    EXPECT_EQ(point, 1);
    EXPECT_EQ(NumberText::Ecvt(-0.000999, 2, &point, &negative), "10");
    EXPECT_EQ(point, -2);
    EXPECT_EQ(negative, 1);
}
