#include "grid/formula/FormulaParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FormulaTestSupport.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/Evaluator.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/RangeNames.h"

namespace
{
std::string Repeat(const char* text, int count)
{
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

struct ErrorCase
{
    std::string text;
    int code;
    int position;
};

void ExpectErrors(int hSheet, const ErrorCase* cases, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const ErrorCase& c = cases[i];
        ParsedText parsed(hSheet, c.text.c_str());
        if (c.code == 0) {
            EXPECT_TRUE(parsed.ok()) << c.text << ": " << GetLastErrorCode() << " at " << GetLastErrorPosition();
            continue;
        }
        EXPECT_FALSE(parsed.ok()) << c.text;
        EXPECT_EQ(parsed.expr().nodes, nullptr) << c.text;
        EXPECT_EQ(GetLastErrorFlag(), 1) << c.text;
        EXPECT_EQ(GetLastErrorCode(), c.code) << c.text;
        if (c.position >= 0) {
            EXPECT_EQ(GetLastErrorPosition(), c.position) << c.text;
        }
    }
}
}  // namespace

TEST(FormulaParser, ErrorCodesAndPositions)
{
    const ErrorCase cases[] = {
        {"==1", 274, 1},
        {"=1 +", 274, 4},
        {"=--1", 274, 2},
        {"=(1", 250, 3},
        {"=1?2", 232, 4},
        {"=1E5", 271, 2},
        {"=xyz", 281, 1},
        {"=@F(1)", 227, 5},
        {"=F(1)", 227, 4},
        {"=F()", 227, 3},
        {"=@F", 227, 1},
        {"=F(xyz)", 281, 3},
        {"1+1", 253, 0},
        {"", 253, 0},
        {"='1", 223, 1},
        {"=1'", 223, 2},
        {"=\"abc", 223, 1},
        {"=A0", 226, 1},
        {"=A1:", 275, 4},
        {"=A1:1", 275, 4},
        {"=A1..1", 281, 1},
        {"=0x123456789", 88, 1},
        {"=#{1", 252, 4},
        {"=#{1,2", 252, 6},
        {"=1)", 271, 2},
        {"=1 2", 271, 3},
        {"=1..5", 271, 3},
        {"=F(1", 250, 4},
        {"=1;", 274, 3},
        {"=1?2:", 274, 5},
        {"=(", 274, 2},
        {"=1+*2", 274, 3},
        {"=A1%%", 274, 5},
        {"=A1\\1", 271, 4},
        {"=A1\\B1:1", 264, 7},
        {"=A1:B2:C3", 271, 6},
        // After a cell, ":" starts a range, even in the "then" branch of a conditional.
        {"=1?A1:B1", 232, 8},
    };
    ScopedSheet sheet;
    ExpectErrors(sheet.handle(), cases, std::size(cases));
}

TEST(FormulaParser, Trees)
{
    struct Case
    {
        const char* text;
        const char* tree;
    } cases[] = {
        {"=1+2*3", "OP0(1,OP4(2,3))"},
        {"=1-2-3", "OP1(OP1(1,2),3)"},
        {"=8/2", "OP5(8,2)"},
        {"=A1%", "OP25(CELL:A1)"},
        {"=A1%B1", "OP7(CELL:A1,CELL:B1)"},
        {"=A1 % 2", "OP7(CELL:A1,2)"},
        {"=A1%(2)", "OP7(CELL:A1,[2])"},
        {"=A1%-B1", "OP1(OP25(CELL:A1),CELL:B1)"},
        {"=2**3**2", "OP6(OP6(2,3),2)"},
        {"=-2**2", "OP3(OP6(2,2))"},
        {"=+1", "OP2(1)"},
        {"=!1", "OP10(1)"},
        {"=#NOT#1", "OP10(1)"},
        {"=~1", "OP14(1)"},
        {"=1||0&&1", "OP9(1,OP8(0,1))"},
        {"=1 #or# 0 #AND# 1", "OP9(1,OP8(0,1))"},
        {"=1|2^3&4", "OP12(1,OP13(2,OP11(3,4)))"},
        {"=1=2", "OP17(1,2)"},
        {"=1==2", "OP17(1,2)"},
        {"=1<>2", "OP18(1,2)"},
        {"=1!=2", "OP18(1,2)"},
        {"=1<2==1", "OP17(OP19(1,2),1)"},
        {"=1>2", "OP20(1,2)"},
        {"=1<=2", "OP21(1,2)"},
        {"=1>=2", "OP22(1,2)"},
        {"=1<<2+1", "OP15(1,OP0(2,1))"},
        {"=8>>1", "OP16(8,1)"},
        {"=1?2:3?4:5", "OP23(1,EXT(2,OP23(3,EXT(4,5))))"},
        {"=1?(A1):B1", "OP23(1,EXT([CELL:A1],CELL:B1))"},
        {"=A1..B5", "RANGE:A1..B5"},
        {"=A1:B5", "RANGE:A1..B5"},
        {"=A1.B5", "RANGE:A1..B5"},
        {"=B5..A1", "RANGE:A1..B5"},
        {"=$B$5:A1", "RANGE:A1..$B$5"},
        {"=b2", "CELL:B2"},
        {"=#", "REL(-,-)"},
        {"=#{1}", "REL(1,-)"},
        {"=#{1,2}", "REL(1,2)"},
        {"=(1+2)*3", "OP4([OP0(1,2)],3)"},
        {"=((1))", "[1]"},
        {"=\"a\\x41b\"", "\"aAb\""},
        {"=\"a\\x0A\"", "\"a\n\""},
        {"=\"q\\\"q\\\\\"", "\"q\"q\\\""},
        {"=1.5e1", "15"},
        {"=0x1F", "31h"},
        {"=0xFFFFFFFF", "-1h"},
        {"=0x0000000FF", "255h"},
        {"=??", "OP26()"},
    };
    for (const Case& c : cases) {
        ParsedText parsed(0, c.text);
        ASSERT_TRUE(parsed.ok()) << c.text << ": " << GetLastErrorCode() << " at " << GetLastErrorPosition();
        EXPECT_EQ(TreeText(parsed.expr(), parsed.expr().root), c.tree) << c.text;
        EXPECT_EQ(parsed.expr().constraintRoot, GX_NO_NODE) << c.text;
        EXPECT_EQ(parsed.expr().dependencyRoot, GX_NO_NODE) << c.text;
    }
}

// The node array holds exactly the nodes used, in the order they were made: an operator before its
// right operand, and the right cell of a range given back.
TEST(FormulaParser, NodeArrayIsExact)
{
    ParsedText sum(0, "=1+2*3");
    ASSERT_TRUE(sum.ok());
    EXPECT_EQ(sum.expr().nodeCount, 5);
    EXPECT_EQ(sum.expr().root, 1);
    EXPECT_EQ(sum.node(1).kind, GX_NODE_OPERATOR);
    EXPECT_EQ(sum.node(1).left, 0);
    EXPECT_EQ(sum.node(1).right, 3);

    ParsedText range(0, "=A1..B5+1");
    ASSERT_TRUE(range.ok());
    EXPECT_EQ(range.expr().nodeCount, 3);

    ParsedText conditional(0, "=1?2:3");
    ASSERT_TRUE(conditional.ok());
    const GX_NODE& op = conditional.node(conditional.expr().root);
    ASSERT_EQ(conditional.node(op.right).kind, GX_NODE_EXTENSION);
    EXPECT_EQ(conditional.node(op.right).back, conditional.expr().root);
}

TEST(FormulaParser, ConstraintDependenciesAndComment)
{
    ParsedText constraint(0, "=1;A1>0");
    ASSERT_TRUE(constraint.ok());
    EXPECT_EQ(TreeText(constraint.expr(), constraint.expr().root), "1");
    EXPECT_EQ(TreeText(constraint.expr(), constraint.expr().constraintRoot), "OP20(CELL:A1,0)");
    EXPECT_EQ(constraint.expr().comment, nullptr);

    ParsedText list(0, "=A1\\B1,C1..C3//note");
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(TreeText(list.expr(), list.expr().root), "CELL:A1");
    uint16_t first = list.expr().dependencyRoot;
    ASSERT_NE(first, GX_NO_NODE);
    EXPECT_EQ(TreeText(list.expr(), first), "CELL:B1");
    uint16_t second = list.node(first).right;
    ASSERT_NE(second, GX_NO_NODE);
    EXPECT_EQ(TreeText(list.expr(), second), "RANGE:C1..C3");
    EXPECT_EQ(list.node(second).right, GX_NO_NODE);
    ASSERT_NE(list.expr().comment, nullptr);
    EXPECT_STREQ(list.expr().comment, "note");
}

TEST(FormulaParser, RangeNamesResolveAgainstTheSheet)
{
    ScopedSheet sheet;
    GX_CELLREF block{}, cell{};
    ASSERT_TRUE(ParseReference("A1..B2", &block));
    ASSERT_TRUE(ParseReference("C3", &cell));
    ASSERT_TRUE(SetRangeName(sheet.handle(), "R", block));
    ASSERT_TRUE(SetRangeName(sheet.handle(), "Total", cell));
    struct Case
    {
        const char* text;
        const char* tree;
    } cases[] = {
        {"=A1:r", "OP24(CELL:A1,NRANGE:R)"},
        {"=total*2", "OP4(NCELL:Total,2)"},
        {"=r:TOTAL", "OP24(NRANGE:R,NCELL:Total)"},
        {"=A1\\r", "CELL:A1"},
    };
    for (const Case& c : cases) {
        ParsedText parsed(sheet.handle(), c.text);
        ASSERT_TRUE(parsed.ok()) << c.text;
        EXPECT_EQ(TreeText(parsed.expr(), parsed.expr().root), c.tree) << c.text;
    }
    ParsedText list(sheet.handle(), "=A1\\r");
    EXPECT_EQ(TreeText(list.expr(), list.expr().dependencyRoot), "NRANGE:R");
    // Another sheet knows no such name.
    ScopedSheet other;
    ParsedText elsewhere(other.handle(), "=r");
    EXPECT_FALSE(elsewhere.ok());
    EXPECT_EQ(GetLastErrorCode(), 281);
}

TEST(FormulaParser, TwoHundredNodesAtMost)
{
    const ErrorCase cases[] = {
        {"=-1" + Repeat("+1", 99), 0, -1},
        {"=-1" + Repeat("+1", 100), 280, 201},
        {"=\"s\"" + Repeat("&\"s\"", 99), 0, -1},
        {"=1" + Repeat("+1", 100), 280, -1},
    };
    ExpectErrors(0, cases, std::size(cases));
    ParsedText full(0, ("=-1" + Repeat("+1", 99)).c_str());
    EXPECT_EQ(full.expr().nodeCount, 200);
}

// No formula text can nest deeper than the bound, so none can exhaust the stack.
TEST(FormulaParser, NestingIsBounded)
{
    const ErrorCase cases[] = {
        {"=" + Repeat("(", 100) + "1" + Repeat(")", 100), 0, -1},
        {"=" + Repeat("(", 101) + "1" + Repeat(")", 101), 148, 101},
        {"=" + Repeat("(", 100) + "@F(1)" + Repeat(")", 100), 148, 103},
        {"=" + Repeat("(", 5000), 148, 101},
        {"=" + Repeat("(", 100) + Repeat("#{", 99) + "1" + Repeat("}", 99) + Repeat(")", 100), 0, -1},
        {"=" + Repeat("(", 99) + Repeat("1?", 49) + "1" + Repeat(":1", 49) + Repeat(")", 99), 0, -1},
        {"=" + Repeat("-(", 300), 148, -1},
        {"=" + Repeat("F(", 100) + "1" + Repeat(")", 100), 227, -1},
        {"=" + Repeat("F(", 101) + "1" + Repeat(")", 101), 148, 202},
        {"=" + Repeat("F(", 50) + "\"text\"," + Repeat("(", 51) + "1" + Repeat(")", 101), 148, -1},
        {"=" + Repeat("#{", 300), 280, -1},
    };
    const INT_PTR blocks = CountEngineBlocks();
    ExpectErrors(0, cases, std::size(cases));
    EXPECT_EQ(CountEngineBlocks(), blocks) << "a refused formula leaves no text behind";
}

namespace
{
// A formula read, evaluated and written again on a thread of its own, whose stack is half of what a
// program's main thread has: a stack overflow ends the test program.
struct DeepFormula
{
    int hSheet = 0;
    std::string text;
    BOOL parsed = FALSE;
    GX_VALUE value{};
    std::string written;
};

DWORD WINAPI ReadEvaluateWrite(void* pParameter)
{
    DeepFormula& formula = *static_cast<DeepFormula*>(pParameter);
    GX_EXPRESSION expr{};
    formula.parsed = ParseFormula(formula.hSheet, formula.text.c_str(), &expr);
    if (formula.parsed) {
        formula.value = EvaluateFormula(formula.hSheet, 1, 0, &expr, expr.root);
        formula.written = FormulaText(formula.hSheet, &expr);
    }
    ClearExpression(expr);
    return 0;
}

void RunOnHalfAStack(DeepFormula& formula)
{
    const SIZE_T kStack = 1 << 20;
    HANDLE hThread = ::CreateThread(nullptr, kStack, ReadEvaluateWrite, &formula, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                    nullptr);
    ASSERT_NE(hThread, nullptr);
    ::WaitForSingleObject(hThread, INFINITE);
    DWORD exitCode = 1;
    ::GetExitCodeThread(hThread, &exitCode);
    ::CloseHandle(hThread);
    EXPECT_EQ(exitCode, 0u);
}
}  // namespace

// The bounds on nesting and on nodes bound the recursion of reading, evaluating and writing a
// formula: the deepest formulas the parser takes (and the deepest it refuses only once read) all
// fit in half the stack of a program's main thread.
TEST(FormulaParser, TheDeepestFormulasFitInHalfTheStack)
{
    ScopedSheet sheet;
    const struct
    {
        std::string text;
        bool parses;
    } cases[] = {
        {"=" + Repeat("(#{", 100) + "1" + Repeat("})", 100), true},
        {"=" + Repeat("#{", 199) + "1" + Repeat("}", 199), true},
        {"=" + Repeat("-(", 100) + "1" + Repeat(")", 100), true},
        {"=" + Repeat("-(", 99) + Repeat("1?", 50) + "1" + Repeat(":1", 50) + Repeat(")", 99), false},
        {"=" + Repeat("F(", 100) + Repeat("#{", 99) + "1" + Repeat("}", 99) + Repeat(")", 100), false},
    };
    for (const auto& c : cases) {
        DeepFormula formula;
        formula.hSheet = sheet.handle();
        formula.text = c.text;
        RunOnHalfAStack(formula);
        EXPECT_EQ(formula.parsed != FALSE, c.parses) << c.text << ": " << GetLastErrorCode();
        if (formula.parsed) {
            EXPECT_EQ(formula.written, c.text);
        }
        FreeValue(formula.value);
    }
}

TEST_F(WithFunctions, ArgumentCountsAgainstTheParameters)
{
    const ErrorCase cases[] = {
        {"=ONE(1)", 0, -1},
        {"=one(1)", 0, -1},
        {"=@one(1)", 0, -1},
        {"=ONE()", 230, 5},
        {"=@ONE", 230, 1},
        {"=ONE(1,2)", 229, 8},
        {"=OPT(1)", 0, -1},
        {"=OPT(1,2)", 0, -1},
        {"=OPT()", 230, -1},
        {"=OPT(1,2,3)", 229, -1},
        {"=REP()", 230, -1},
        {"=REP(1)", 0, -1},
        {"=REP(1,2,3,4)", 0, -1},
        {"=MID(1,2)", 230, -1},
        {"=MID(1,2,3)", 0, -1},
        {"=MID(1,2,3,4,5)", 0, -1},
        {"=NONE()", 0, -1},
        {"=@NONE", 0, -1},
        {"=NONE(1)", 229, -1},
        {"=OTHER(1)", 227, 8},
        {"=A1:@ONE(B1)", 0, -1},
        {"=A1:@ONE", 249, 8},
        {"=ONE(ONE(ONE(1)))+1", 0, -1},
    };
    ExpectErrors(0, cases, std::size(cases));
}

TEST_F(WithFunctions, CallsAndArgumentNodes)
{
    ParsedText call(0, "=MID(1,2,3,A1)");
    ASSERT_TRUE(call.ok());
    EXPECT_EQ(TreeText(call.expr(), call.expr().root), "FN:MID(ARG(1),ARG(2),ARG(3),ARG(CELL:A1))");
    const GX_NODE& function = call.node(call.expr().root);
    ASSERT_EQ(function.kind, GX_NODE_FUNCTION);
    const uint16_t expectedClass[] = {1, 3, 3, 7};
    uint16_t previous = call.expr().root;
    int index = 0;
    for (uint16_t arg = function.right; arg != GX_NO_NODE; arg = call.node(arg).right, ++index) {
        const GX_NODE& node = call.node(arg);
        ASSERT_EQ(node.kind, GX_NODE_ARG);
        EXPECT_EQ(node.arg.back, previous) << index;
        EXPECT_EQ(node.arg.argClass, expectedClass[index]) << index;
        EXPECT_EQ((node.flags & GX_NF_UNEVALUATED) != 0, index == 3) << index;
        previous = arg;
    }
    EXPECT_EQ(index, 4);
    EXPECT_TRUE(HasFunctionCalls(&call.expr()));

    ParsedText bare(0, "=@NONE+1");
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(TreeText(bare.expr(), bare.expr().root), "OP0(FN:NONE(),1)");

    ParsedText range(0, "=A1:@ONE(B1)");
    ASSERT_TRUE(range.ok());
    EXPECT_EQ(TreeText(range.expr(), range.expr().root), "OP24(CELL:A1,FN:ONE(ARG(CELL:B1)))");
}

// The second argument of XVALUE is not followed by the recalculation.
TEST_F(WithFunctions, XValueSecondArgumentIsNotFollowed)
{
    ParsedText call(0, "=xvalue(A1,B1+1)");
    ASSERT_TRUE(call.ok());
    const GX_NODE& function = call.node(call.expr().root);
    const GX_NODE& firstArg = call.node(function.right);
    const GX_NODE& secondArg = call.node(firstArg.right);
    EXPECT_EQ(call.node(firstArg.left).flags & GX_NF_NOT_FOLLOWED, 0);
    EXPECT_NE(call.node(secondArg.left).flags & GX_NF_NOT_FOLLOWED, 0);

    ParsedText other(0, "=MID(A1,B1+1,C1)");
    ASSERT_TRUE(other.ok());
    for (int i = 0; i < other.expr().nodeCount; ++i)
        EXPECT_EQ(other.node(uint16_t(i)).flags & GX_NF_NOT_FOLLOWED, 0);
}

TEST(FormulaParser, LastErrorOfEveryParse)
{
    ParsedText failed(0, "=(1");
    EXPECT_EQ(GetLastErrorFlag(), 1);
    EXPECT_EQ(GetLastErrorCode(), 250);
    EXPECT_EQ(GetLastErrorPosition(), 3);
    ParsedText parsed(0, "=1");
    EXPECT_EQ(GetLastErrorFlag(), 0);
    EXPECT_EQ(GetLastErrorCode(), 0);
    EXPECT_EQ(GetLastErrorPosition(), 0);
}

// Token texts, node texts and comments of both good and failed parses all come back.
TEST(FormulaParser, ParsingLeavesNoBlocksBehind)
{
    const char* texts[] = {
        "=\"abc\"&\"def\"//c",
        "=\"abc\"&\"def\"+//c",
        "=F(\"x\",\"y\"",
        "=\"a\"+",
        "=1+\"b\"'x",
        "=A1..B2+xyz",
        "=@G(\"long text beyond eight\")",
        "=1;2\\A1,B1..B2//comment",
    };
    for (const char* text : texts) {
        INT_PTR before = CountEngineBlocks();
        {
            ParsedText parsed(0, text);
        }
        EXPECT_EQ(CountEngineBlocks(), before) << text;
    }
}

TEST(ParsedFormula, CopyOutlivesItsSource)
{
    GX_EXPRESSION* source = static_cast<GX_EXPRESSION*>(EngineAlloc(sizeof(GX_EXPRESSION)));
    ASSERT_TRUE(ParseFormula(0, "=\"abc\"&A1;1\\B2//kept", source));
    GX_EXPRESSION* copy = CopyExpression(source);
    FreeExpression(source);

    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(TreeText(*copy, copy->root), "OP11(\"abc\",CELL:A1)");
    EXPECT_EQ(TreeText(*copy, copy->constraintRoot), "1");
    EXPECT_EQ(TreeText(*copy, copy->dependencyRoot), "CELL:B2");
    ASSERT_NE(copy->comment, nullptr);
    EXPECT_STREQ(copy->comment, "kept");
    EXPECT_TRUE(HasReferences(copy));
    EXPECT_FALSE(HasFunctionCalls(copy));
    FreeExpression(copy);

    ParsedText constant(0, "=1+\"x\"");
    EXPECT_FALSE(HasReferences(&constant.expr()));
    FreeExpression(nullptr);
    EXPECT_EQ(CopyExpression(nullptr), nullptr);
}

TEST(ParsedFormula, FitsIn32Bits)
{
    struct Case
    {
        double value;
        bool fits;
    } cases[] = {
        {-2147483649.0, false}, {-2147483648.5, true}, {0.0, true}, {4294967295.9, true}, {4294967296.0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitsIn32Bits(c.value) != FALSE, c.fits) << c.value;
}
