#include "grid/formula/FormulaText.h"

#include <gtest/gtest.h>

#include <string>

#include "FormulaTestSupport.h"
#include "grid/formula/RangeNames.h"

namespace
{
struct TextCase
{
    std::string text;
    std::string regenerated;
};

void ExpectRegenerated(int hSheet, const TextCase* cases, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        ParsedText parsed(hSheet, cases[i].text.c_str());
        ASSERT_TRUE(parsed.ok()) << cases[i].text << ": " << GetLastErrorCode();
        EXPECT_EQ(FormulaText(hSheet, &parsed.expr()), cases[i].regenerated) << cases[i].text;
    }
}

std::string Escaped(const char* source, BOOL escapeQuotes)
{
    std::string text;
    EscapeText(text, source, escapeQuotes);
    return text;
}

std::string Unescaped(const char* text)
{
    char buffer[1024];
    int length = UnescapeText(buffer, text);
    EXPECT_EQ(std::size_t(length), std::strlen(buffer)) << text;
    return buffer;
}
}  // namespace

TEST(FormulaText, RegeneratedText)
{
    const TextCase cases[] = {
        {"=A1 + 1", "=A1+1"},
        {"=(A1+1)*2", "=(A1+1)*2"},
        {"=((1))", "=(1)"},
        {"=0x1F", "=0x1F"},
        {"=0xffffffff", "=0xFFFFFFFF"},
        {"=B5..A1", "=A1..B5"},
        {"=A1:B5", "=A1..B5"},
        {"=$a$1+A$1+$A1", "=$A$1+A$1+$A1"},
        {"=1;A1>0", "=1;A1>0"},
        {"=A1\\B1,C1..C3//note", "=A1\\B1,C1..C3//note"},
        {"=-1", "=-1"},
        {"=+1", "=+1"},
        {"=#NOT#1", "=!1"},
        {"=~1", "=~1"},
        {"=1?2:3?4:5", "=1?2:3?4:5"},
        {"=#", "=#"},
        {"=#{1}", "=#{1}"},
        {"=#{A1+1,-2}", "=#{A1+1,-2}"},
        {"=\"a\\\"b\"", "=\"a\\\"b\""},
        {"=\"a\\x41b\"", "=\"aAb\""},
        {"=\"tab\\there\"", "=\"tab\\there\""},
        {"=\"\\x01\"", "=\"\\1\""},
        {"=1e5", "=100000"},
        {"=1.50", "=1.5"},
        {"=.5", "=0.5"},
        {"=1e20", "=1e+020"},
        {"=1#and#0", "=1&&0"},
        {"=1 #or# 0", "=1||0"},
        {"=1<>2", "=1!=2"},
        {"=1=2", "=1==2"},
        {"=A1%", "=A1%"},
        {"=A1 % 2", "=A1%2"},
        {"=A1%-B1", "=A1%-B1"},
        {"=2**3", "=2**3"},
        {"=1^2&3|4", "=1^2&3|4"},
        {"=1<<2>>3", "=1<<2>>3"},
        {"=1<=2>=3<4>5", "=1<=2>=3<4>5"},
        {"=??", "=??"},
    };
    ExpectRegenerated(0, cases, std::size(cases));

    GX_EXPRESSION empty{GX_NO_NODE, GX_NO_NODE, GX_NO_NODE, 0, nullptr, nullptr};
    EXPECT_EQ(FormulaText(0, &empty), "");
}

// Formulas read in the engine's own spelling, written in the alternative one.
TEST(FormulaText, AlternativeOperatorSpelling)
{
    const TextCase cases[] = {
        {"=2**3", "=2^3"},
        {"=1&&0", "=1#AND#0"},
        {"=1||0", "=1#OR#0"},
        {"=1==2", "=1=2"},
        {"=1!=2", "=1<>2"},
        {"=1^2", "=1/*XOR*/2"},
        {"=!1", "=#NOT#1"},
        {"=??", "=ERR"},
        {"=0x1F", "=31"},
        {"=A1\\B1//c", "=A1"},
        {"=1;2", "=1;2"},
        {"=1+2", "=1+2"},
    };
    for (const TextCase& c : cases) {
        ParsedText parsed(0, c.text.c_str());
        ASSERT_TRUE(parsed.ok()) << c.text << ": " << GetLastErrorCode();
        ScopedSpelling spelling(TRUE, FALSE, FALSE, FALSE);
        EXPECT_EQ(FormulaText(0, &parsed.expr()), c.regenerated) << c.text;
    }
}

// What a formula's text is written as reads back as the same formula in either spelling: in the
// alternative one "^" is the power, the exclusive or is "/*XOR*/" and the error constant "ERR". That
// spelling writes no dependency list, no comment and no hex numbers, so those formulas are checked in
// the engine's own spelling only.
TEST_F(WithFunctions, WrittenFormulasReadBackTheSameInEitherSpelling)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetRangeName(h, "Rows", MakeRangeReference(1, 0, 5, 0, 0)));
    ASSERT_TRUE(SetRangeName(h, "Top", MakeCellReference(1, 1, 0)));
    const struct
    {
        const char* text;  // in the engine's own spelling
        bool bothSpellings;
    } cases[] = {
        {"=2**3**2", true},
        {"=-2**2+3", true},
        {"=1^2", true},
        {"=1^2**3", true},
        {"=(1^2)**3", true},
        {"=1|2^3&4", true},
        {"=A1%**2", true},
        {"=A1%^B1", true},
        {"=A1%B1-C1%", true},
        {"=1&&0||!1", true},
        {"=1==2!=3", true},
        {"=1<=2>=3<4>5", true},
        {"=1<<2>>3", true},
        {"=~1+#NOT#A1", true},
        {"=??", true},
        {"=??&1", true},
        {"=1?2?3:4:5?6:7", true},
        {"=#{A1**2,-2}", true},
        {"=Top:B5+A1:Rows", true},
        {"=B5..A1", true},
        {"=ONE(2**2)+MID(1,2^3,A1..B2)", true},
        {"=NONE()**OPT(1)", true},
        {"=\"a\\\"b\"&\"c\"", true},
        {"=1e20*.5", true},
        {"=1;A1**2>0", true},
        {"=0x1F^0xFFFFFFFF", false},
        {"=A1\\B1,C1..C3//note", false},
    };
    for (BOOL alt : {FALSE, TRUE}) {
        for (const auto& c : cases) {
            if (alt && !c.bothSpellings)
                continue;
            ParsedText parsed(h, c.text);
            ASSERT_TRUE(parsed.ok()) << c.text << ": " << GetLastErrorCode();
            ScopedSpelling spelling(alt, FALSE, FALSE, FALSE);
            const std::string written = FormulaText(h, &parsed.expr());
            ParsedText again(h, written.c_str());
            ASSERT_TRUE(again.ok()) << written << ": " << GetLastErrorCode() << " at " << GetLastErrorPosition();
            const GX_EXPRESSION& first = parsed.expr();
            const GX_EXPRESSION& second = again.expr();
            EXPECT_EQ(TreeText(second, second.root), TreeText(first, first.root)) << written;
            EXPECT_EQ(TreeText(second, second.constraintRoot), TreeText(first, first.constraintRoot)) << written;
            EXPECT_EQ(FormulaText(h, &second), written);
        }
    }

    // A range name that the alternative spelling would write as the error constant stays a name.
    ASSERT_TRUE(SetRangeName(h, "Err", MakeCellReference(2, 2, 0)));
    ScopedSpelling spelling(TRUE, FALSE, FALSE, FALSE);
    ParsedText named(h, "=ERR+1");
    ASSERT_TRUE(named.ok());
    EXPECT_EQ(TreeText(named.expr(), named.expr().root), "OP0(NCELL:Err,1)");
}

TEST_F(WithFunctions, FunctionCallsInEachSpelling)
{
    struct Case
    {
        BOOL lowerCase;
        BOOL atSign;
        const char* text;
        const char* regenerated;
    } cases[] = {
        {FALSE, FALSE, "=one(1)", "=ONE(1)"},
        {FALSE, FALSE, "=@NONE", "=NONE()"},
        {FALSE, FALSE, "=MID(1,\"b\",A1..B2)", "=MID(1,\"b\",A1..B2)"},
        {FALSE, TRUE, "=NONE()", "=@NONE"},
        {FALSE, TRUE, "=ONE(1)", "=@ONE(1)"},
        {TRUE, FALSE, "=ONE(1)+NONE()", "=one(1)+none()"},
        {TRUE, TRUE, "=MID(1,2,3)", "=@mid(1,2,3)"},
    };
    for (const Case& c : cases) {
        ScopedSpelling spelling(FALSE, c.lowerCase, c.atSign, FALSE);
        ParsedText parsed(0, c.text);
        ASSERT_TRUE(parsed.ok()) << c.text;
        EXPECT_EQ(FormulaText(0, &parsed.expr()), c.regenerated) << c.text;
        // What is written reads back as the same call.
        ParsedText again(0, c.regenerated);
        EXPECT_TRUE(again.ok()) << c.regenerated;
    }
}

TEST(FormulaText, FunctionNameText)
{
    struct Case
    {
        BOOL lowerCase;
        BOOL atSign;
        const char* name;
        BOOL parentheses;
        const char* text;
    } cases[] = {
        {FALSE, FALSE, "SUM", FALSE, "SUM"},
        {FALSE, FALSE, "SUM", TRUE, "SUM()"},
        {TRUE, FALSE, "SUM", TRUE, "sum()"},
        {FALSE, TRUE, "SUM", TRUE, "@SUM"},
        {TRUE, TRUE, "SUM", FALSE, "@sum"},
        {FALSE, FALSE, "@X", FALSE, "@@X"},
    };
    for (const Case& c : cases) {
        ScopedSpelling spelling(FALSE, c.lowerCase, c.atSign, FALSE);
        std::string text;
        FunctionNameText(text, c.name, c.parentheses);
        EXPECT_EQ(text, c.text) << c.name;
    }
}

TEST(FormulaText, EscapesOfStringLiterals)
{
    struct Case
    {
        const char* source;
        BOOL quotes;
        const char* escaped;
    } cases[] = {
        {"plain", TRUE, "plain"},
        {"\f\n\r\t\v\a\b", TRUE, "\\f\\n\\r\\t\\v\\a\\b"},
        {"a\"b", TRUE, "a\\\"b"},
        {"a\"b", FALSE, "a\"b"},
        {"back\\slash", TRUE, "back\\\\slash"},
        {"\x01", TRUE, "\\1"},
        {"\x01" "7", TRUE, "\\0017"},
        {"\x01" "8", TRUE, "\\18"},
        {"\x1B", TRUE, "\\33"},
        {"\x1B" "0", TRUE, "\\0330"},
        {"\x7F", TRUE, "\\177"},
        {"\xA0", TRUE, "\\240"},
        {"\xE9t\xE9", TRUE, "\xE9t\xE9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Escaped(c.source, c.quotes), c.escaped) << c.source;

    ScopedSpelling escapeAll(FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(Escaped("\xE9t\xFF", TRUE), "\\351t\\377");
}

TEST(FormulaText, UnescapingStringLiterals)
{
    struct Case
    {
        const char* text;
        const char* resolved;
    } cases[] = {
        {"a\\x41b", "aAb"},
        {"a\\x0A", "a\n"},
        {"\\x4g", "\x04g"},
        {"\\xg", "xg"},
        {"\\101\\60", "A0"},
        {"\\0601", "01"},
        {"\\777", "\xFF"},
        {"\\q\\\"\\\\", "q\"\\"},
        {"\\f\\a\\b\\n\\r\\t\\v", "\f\a\b\n\r\t\v"},
        {"end\\", "end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Unescaped(c.text), c.resolved) << c.text;
    EXPECT_EQ(Unescaped(std::string(600, 'y').c_str()), std::string(511, 'y'));
}

// Every byte but NUL survives writing and reading back.
TEST(FormulaText, StringsRoundTrip)
{
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        bytes += char(c);
    for (BOOL escapeAll : {FALSE, TRUE}) {
        ScopedSpelling spelling(FALSE, FALSE, FALSE, escapeAll);
        for (std::size_t start = 0; start < bytes.size(); start += 200) {
            std::string chunk = bytes.substr(start, 200);
            std::string formula = "=\"" + Escaped(chunk.c_str(), TRUE) + "\"";
            ParsedText parsed(0, formula.c_str());
            ASSERT_TRUE(parsed.ok()) << GetLastErrorCode() << " at " << GetLastErrorPosition();
            ASSERT_EQ(parsed.node(parsed.expr().root).kind, GX_NODE_STRING);
            EXPECT_EQ(std::string(parsed.node(parsed.expr().root).text), chunk);
            EXPECT_EQ(FormulaText(0, &parsed.expr()), formula);
        }
    }
}

// The text is as long as the formula needs: a formula of 200 nodes, 100 of them strings of 511
// characters, comes back whole.
TEST(FormulaText, LongestFormulaRegeneratesWhole)
{
    std::string text = "=+";
    for (int i = 0; i < 100; ++i) {
        if (i != 0)
            text += "&";
        text += "\"" + std::string(511, char('a' + i % 26)) + "\"";
    }
    ParsedText parsed(0, text.c_str());
    ASSERT_TRUE(parsed.ok()) << GetLastErrorCode();
    EXPECT_EQ(parsed.expr().nodeCount, 200);
    std::string regenerated = FormulaText(0, &parsed.expr());
    EXPECT_EQ(regenerated.size(), text.size());
    EXPECT_EQ(regenerated, text);

    ParsedText cut(0, ("=\"" + std::string(600, 'z') + "\"").c_str());
    ASSERT_TRUE(cut.ok());
    EXPECT_EQ(FormulaText(0, &cut.expr()), "=\"" + std::string(511, 'z') + "\"");
}

// A range with a name on either side is written so that it reads back as the same range.
TEST(FormulaText, RangeOperatorReadsBack)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetRangeName(h, "Rows", MakeRangeReference(1, 0, 5, 0, 0)));
    ASSERT_TRUE(SetRangeName(h, "Top", MakeCellReference(1, 1, 0)));
    const TextCase cases[] = {
        {"=A1:rows", "=A1:Rows"},
        {"=Top:B5+1", "=Top:B5+1"},
        {"=Top:Rows", "=Top:Rows"},
    };
    for (const TextCase& c : cases) {
        ParsedText parsed(h, c.text.c_str());
        ASSERT_TRUE(parsed.ok()) << c.text;
        std::string text = FormulaText(h, &parsed.expr());
        EXPECT_EQ(text, c.regenerated);
        ParsedText again(h, text.c_str());
        ASSERT_TRUE(again.ok()) << text;
        EXPECT_EQ(TreeText(again.expr(), again.expr().root), TreeText(parsed.expr(), parsed.expr().root));
    }
    // Joined by dots, two names are one identifier: a name of its own.
    ParsedText dotted(h, "=top..rows");
    EXPECT_FALSE(dotted.ok());
    EXPECT_EQ(GetLastErrorCode(), 281);
}
