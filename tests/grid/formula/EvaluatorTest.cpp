#include "grid/formula/Evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "FormulaTestSupport.h"
#include "grid/formula/CellStore.h"

namespace
{
// What a formula evaluates to at A1 of the sheet: "n:<number>", "s:<text>", "e:<code>" or "na".
std::string Outcome(int hSheet, const char* text, int32_t row = 1, int32_t col = 0)
{
    ParsedText parsed(hSheet, text);
    if (!parsed.ok())
        return "parse error " + std::to_string(GetLastErrorCode());
    GX_VALUE value = EvaluateFormula(hSheet, row, col, &parsed.expr(), parsed.expr().root);
    std::string outcome;
    switch (value.type) {
    case GX_VALUE_NUMBER: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "n:%.14g", value.number);
        outcome = buffer;
        break;
    }
    case GX_VALUE_STRING:
        outcome = std::string("s:") + value.text;
        break;
    case GX_VALUE_ERROR:
        outcome = "e:" + std::to_string(value.error.code);
        break;
    case GX_VALUE_NA:
        outcome = "na";
        break;
    default:
        outcome = "type " + std::to_string(value.type);
        break;
    }
    FreeValue(value);
    return outcome;
}

struct Case
{
    const char* formula;
    const char* outcome;
};
}  // namespace

TEST(Evaluator, OperatorsOnConstants)
{
    ScopedSheet sheet;
    const Case cases[] = {
        {"=2**3**2", "n:64"},
        {"=-2**2", "n:-4"},
        {"=1/3", "n:0.33333333333333"},
        {"=-7%2", "n:-1"},
        {"=50%", "n:0.5"},
        {"=-8>>1", "n:-4"},
        {"=1<<33", "n:2"},
        {"=1<<31", "n:-2147483648"},
        {"=6&3", "n:2"},
        {"=6|3", "n:7"},
        {"=6^3", "n:5"},
        {"=~0", "n:-1"},
        {"=0xFFFFFFFF", "n:-1"},
        {"=\"ab\"&\"cd\"", "s:abcd"},
        {"=\"abc  \"==\"abc\"", "n:1"},
        {"=\"ABC\"==\"abc\"", "n:0"},
        {"=\"a\"<\"b\"", "n:1"},
        {"=1<\"a\"", "n:0"},
        {"=1>\"a\"", "n:1"},
        {"=1!=\"a\"", "n:1"},
        {"=0&&(1/0)", "n:0"},
        {"=1||(1/0)", "n:1"},
        {"=!0", "n:1"},
        {"=0?2:0?4:5", "n:5"},
        {"=1?2:3", "n:2"},
        {"=7%0", "e:122"},
        {"=1/0", "e:70"},
        {"=4294967296&1", "e:136"},
        {"=-2147483648%(0-1)", "n:0"},
        {"=(0-1)**0.5", "e:70"},
        {"=10**400", "e:70"},
        {"=\"ab\"&1", "e:140"},
        {"=\"a\"+1", "e:128"},
        {"=??", "e:89"},
        {"=A1..B2", "e:149"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Outcome(sheet.handle(), c.formula), c.outcome) << c.formula;
}

TEST(Evaluator, ConcatenationStopsShortOfTheWorkBuffer)
{
    ScopedSheet sheet;
    const std::string half(255, 'x');
    const std::string fits = "=\"" + half + "\"&\"" + std::string(256, 'y') + "\"";
    const std::string tooLong = "=\"" + std::string(256, 'x') + "\"&\"" + std::string(256, 'y') + "\"";
    EXPECT_EQ(Outcome(sheet.handle(), fits.c_str()).size(), 2u + 511u);
    EXPECT_EQ(Outcome(sheet.handle(), tooLong.c_str()), "e:150");
}

TEST(Evaluator, CellOperandsAndBlanks)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    StoreNumber(h, 1, 1, 4.0);      // B1
    StoreText(h, 2, 1, "text");     // B2
    StoreText(h, 3, 1, "");         // B3, an empty text
    StoreFormula(h, 4, 1, "=1/0");  // B4 holds an error
    const Case cases[] = {
        {"=B1*2", "n:8"},
        {"=B2", "s:text"},
        {"=B2&\"!\"", "s:text!"},
        {"=B2+1", "e:128"},
        {"=B4+1", "e:133"},
        {"=C9+1", "e:128"},
        {"=C9", "e:60"},
        {"=B3+1", "e:128"},
        {"=B1&1", "n:0"},
        {"=C9&1", "e:140"},
        {"=B1..B2", "e:149"},
        {"=#{1}*3", "n:12"},
        {"=#{1,2}", "s:"},
        {"=#{-1}", "e:110"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Outcome(h, c.formula), c.outcome) << c.formula;

    SetBlanksAreZero(h, 1);
    EXPECT_EQ(Outcome(h, "=C9+1"), "n:1");
    EXPECT_EQ(Outcome(h, "=B3+1"), "n:1");
    EXPECT_EQ(Outcome(h, "=C9&1"), "n:0");
}

TEST(Evaluator, ErrorsAreRecordedAsTheEnginesLastError)
{
    ScopedSheet sheet;
    EXPECT_EQ(Outcome(sheet.handle(), "=1/0"), "e:70");
    EXPECT_EQ(GetLastErrorFlag(), 1);
    EXPECT_EQ(GetLastErrorCode(), 70);
    EXPECT_EQ(Outcome(sheet.handle(), "=1+1"), "n:2");
    EXPECT_EQ(GetLastErrorFlag(), 0);
}

namespace
{
// Worksheet functions of the test table: SUM2 adds its two numbers, LEN counts a text argument's
// characters (passed unevaluated: it evaluates it itself), NESTED evaluates "=1/0" on its own and
// raises what that gave, BIG returns a long text.
void Sum2(GX_VALUE* result, GX_ARG_BLOCK* args)
{
    result->type = GX_VALUE_NUMBER;
    result->number = args->values[0].number + args->values[1].number;
}

void Echo(GX_VALUE* result, GX_ARG_BLOCK* args)
{
    *result = args->values[0];
}

void Nested(GX_VALUE* result, GX_ARG_BLOCK*)
{
    int sheet = GetEvalSheet();
    ParsedText inner(sheet, "=1/0");
    GX_VALUE value = EvaluateFormula(sheet, 5, 5, &inner.expr(), inner.expr().root);
    // The outer evaluation's cell is untouched by the inner one.
    if (GetEvalRow() != 1 || GetEvalCol() != 0)
        RaiseError(1);
    if (value.type == GX_VALUE_ERROR)
        RaiseError(value.error.code + 1000);
    result->type = GX_VALUE_NUMBER;
    result->number = 0;
}

const GX_PARAM_ENTRY kTwoNumbers[] = {{1, GX_PARAM_REQUIRED}, {1, GX_PARAM_REQUIRED}};
const GX_PARAM_ENTRY kOneAny[] = {{3, GX_PARAM_REQUIRED}};
const GX_FUNCTION_DESC kEvalFunctions[] = {
    {"SUM2", Sum2, 0, 2, kTwoNumbers},
    {"ECHO", Echo, 0, 1, kOneAny},
    {"NESTED", Nested, 0, 0, nullptr},
    {"SKIPPED", Sum2, 1, 2, kTwoNumbers},
};

class EvalFunctionTable : public GX_FUNCTION_TABLE
{
public:
    const GX_FUNCTION_DESC* Lookup(const char* name) const override
    {
        for (const GX_FUNCTION_DESC& desc : kEvalFunctions)
            if (std::strcmp(desc.name, name) == 0)
                return &desc;
        return nullptr;
    }
};

class EvaluatorCalls : public ::testing::Test
{
protected:
    void SetUp() override { GetEngineState()->SetFunctionTable(new EvalFunctionTable); }
    void TearDown() override { GetEngineState()->SetFunctionTable(nullptr); }
};
}  // namespace

TEST_F(EvaluatorCalls, ArgumentsAreConvertedByTheirClass)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    StoreNumber(h, 1, 1, 4.0);
    StoreText(h, 2, 1, "2.5");
    const Case cases[] = {
        {"=SUM2(1,2)", "n:3"},
        {"=SUM2(B1,B2)", "n:6.5"},
        {"=SUM2(\"1.5\",1)", "n:2.5"},
        {"=SUM2(1,1/0)", "e:70"},
        {"=ECHO(\"abc\")&\"d\"", "s:abcd"},
        {"=ECHO(B2)", "s:2.5"},
        {"=NESTED()", "e:1070"},
        {"=SKIPPED(1,2)", "e:227"},
    };
    const INT_PTR blocks = CountEngineBlocks();
    for (const Case& c : cases)
        EXPECT_EQ(Outcome(h, c.formula), c.outcome) << c.formula;
    // Texts made by evaluations that raised are freed as well.
    EXPECT_EQ(CountEngineBlocks(), blocks);
}
