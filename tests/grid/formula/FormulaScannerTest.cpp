#include "grid/formula/FormulaScanner.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/FormulaParser.h"
#include "grid/formula/ParsedFormula.h"

namespace
{
// Every token up to the end token: code, 'value' when there is one, !error for a bad character,
// @position; separated by blanks.
std::string Tokens(const char* text)
{
    GX_PARSE_STATE* scanner = GetParseState();
    scanner->SetInput(text);
    std::string result;
    for (int guard = 0; guard < 100; ++guard) {
        GX_TOKEN token = scanner->NextToken();
        if (!result.empty())
            result += ' ';
        result += std::to_string(token.code);
        if (token.value != nullptr) {
            result += '\'';
            result += token.value;
            result += '\'';
        }
        if (token.code == GX_TK_BAD) {
            result += '!';
            result += std::to_string(token.error);
        }
        result += '@';
        result += std::to_string(token.position);
        EngineFree(token.value);
        if (token.code == GX_TK_END || token.code == GX_TK_BAD)
            break;
    }
    return result;
}

void* FailingRealloc(void*, std::size_t) { return nullptr; }
}  // namespace

TEST(FormulaScanner, TokensValuesAndPositions)
{
    struct Case
    {
        const char* text;
        const char* tokens;
    } cases[] = {
        {"$A$1", "33'$A$1'@0 40@4"},
        {"ABCD1", "34'ABCD1'@0 40@5"},
        {"ZZZ1", "34'ZZZ1'@0 40@4"},
        {"A12345678", "34'A12345678'@0 40@9"},
        {"A0", "33'A0'@0 40@2"},
        {"A1..B5", "33'A1'@0 32@2 33'B5'@4 40@6"},
        {"$A$1..$B$5", "33'$A$1'@0 32@4 33'$B$5'@6 40@10"},
        {"A1.B5", "33'A1'@0 42@2 33'B5'@3 40@5"},
        {"A1:B5", "33'A1'@0 1@2 33'B5'@3 40@5"},
        {"A1.5", "34'A1.5'@0 40@4"},
        {"Total_2.x", "34'Total_2.x'@0 40@9"},
        {"1..5", "37'1.'@0 37'.5'@2 40@4"},
        {"1.5e-3", "37'1.5e-3'@0 40@6"},
        {"1e5", "37'1e5'@0 40@3"},
        {"1E5", "37'1'@0 33'E5'@1 40@3"},
        {"1e", "37'1'@0 34'e'@1 40@2"},
        {"0x1F", "38'1F'@0 40@4"},
        {"0x", "37'0'@0 34'x'@1 40@2"},
        {"#and#", "24@0 40@5"},
        {"#Or#", "25@0 40@4"},
        {"#not#", "14@0 40@5"},
        {"#AN", "4@0 34'AN'@1 40@3"},
        {"1/*xor*/2", "37'1'@0 44@1 37'2'@8 40@9"},
        {"1/*XOR", "37'1'@0 9@1 8@2 34'XOR'@3 40@6"},
        {"@sum(1)", "35'sum'@0 18@4 37'1'@5 19@6 40@7"},
        {"@", "35''@0 40@1"},
        {"\"a\\\"b\"", "36'a\\\"b'@0 40@6"},
        {"\"a\\\\\"&\"b\"", "36'a\\\\'@0 13@5 36'b'@6 40@9"},
        {"\"x\ny\"", "36'x\ny'@0 40@5"},
        {"\"open", "41!223@0"},
        {"1//note", "37'1'@0 39'note'@1 40@7"},
        {"1//a\n2", "37'1'@0 39'a'@1 37'2'@4 40@5"},
        {"x\ny", "34'x'@0 34'y'@1 40@2"},
        {"  1\t", "37'1'@2 40@4"},
        {"a 'b", "34'a'@0 41!223@2"},
        {"[", "41!223@0"},
        {"\x80", "41!223@0"},
        {"**&&||<<>>", "23@0 24@2 25@4 26@6 27@8 40@10"},
        {"<=>=!=<>==..??", "28@0 29@2 30@4 30@6 31@8 32@10 43@12 40@14"},
        {";:,?#\\+-*/%|^&!~< >(){}=.", "0@0 1@1 2@2 3@3 4@4 5@5 6@6 7@7 8@8 9@9 10@10 11@11 12@12 13@13 "
                                       "14@14 15@15 16@16 17@18 18@19 19@20 20@21 21@22 22@23 42@24 40@25"},
        // The identifier rule takes dots: only a whole reference is cut back before its first ".".
        {"A1..r", "34'A1..r'@0 40@5"},
        {"A1:r", "33'A1'@0 1@2 34'r'@3 40@4"},
        {"", "40@0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
}

// A new text never sees what was buffered from the one before.
TEST(FormulaScanner, EachTextStartsAfresh)
{
    GX_PARSE_STATE* scanner = GetParseState();
    scanner->SetInput("A1+B2");
    GX_TOKEN first = scanner->NextToken();
    EngineFree(first.value);
    EXPECT_EQ(Tokens("7"), "37'7'@0 40@1");
}

TEST(FormulaScanner, LongTextGrowsTheBuffer)
{
    std::string comment(3 * GX_PARSE_STATE::kInitialBufferSize, 'c');
    std::string text = "=1//" + comment;
    GX_EXPRESSION expr{};
    ASSERT_TRUE(ParseFormula(0, text.c_str(), &expr));
    ASSERT_NE(expr.comment, nullptr);
    EXPECT_EQ(std::string(expr.comment), comment);
    ClearExpression(expr);
}

// A buffer that cannot grow is the parse error "out of memory", not the end of the process.
TEST(FormulaScanner, BufferThatCannotGrowIsOutOfMemory)
{
    GX_PARSE_STATE* scanner = GetParseState();
    std::string text = "=1//" + std::string(2 * scanner->m_nBufferSize + 1, 'c');
    auto previous = scanner->m_pfnRealloc;
    scanner->m_pfnRealloc = FailingRealloc;
    GX_EXPRESSION expr{};
    BOOL parsed = ParseFormula(0, text.c_str(), &expr);
    scanner->m_pfnRealloc = previous;

    EXPECT_FALSE(parsed);
    EXPECT_EQ(expr.nodes, nullptr);
    EXPECT_EQ(GetLastErrorCode(), 5);
    EXPECT_EQ(GetLastErrorPosition(), 0);
    // The scanner works again once memory is there.
    GX_EXPRESSION after{};
    EXPECT_TRUE(ParseFormula(0, "=1+2", &after));
    ClearExpression(after);
}
