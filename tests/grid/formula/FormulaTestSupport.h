#pragma once
// Fixtures of the formula tests: an engine sheet that lives for one test, a parsed formula that frees
// itself, a compact text of a parsed tree, and a formula cell put straight into a sheet's table.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/core/NumberText.h"
#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/FormulaParser.h"
#include "grid/formula/ParsedFormula.h"

// An engine sheet for the length of a test.
class ScopedSheet
{
public:
    ScopedSheet() : m_handle(CreateSheet()) {}
    ~ScopedSheet() { DestroySheet(m_handle); }
    ScopedSheet(const ScopedSheet&) = delete;
    ScopedSheet& operator=(const ScopedSheet&) = delete;

    int handle() const { return m_handle; }
    GX_SHEET* record() const { return GetSheet(m_handle); }

private:
    int m_handle;
};

// A parse result that frees its nodes.
class ParsedText
{
public:
    ParsedText(int hSheet, const char* text) { m_ok = ParseFormula(hSheet, text, &m_expr); }
    ~ParsedText() { ClearExpression(m_expr); }
    ParsedText(const ParsedText&) = delete;
    ParsedText& operator=(const ParsedText&) = delete;

    bool ok() const { return m_ok != FALSE; }
    const GX_EXPRESSION& expr() const { return m_expr; }
    GX_EXPRESSION& expr() { return m_expr; }
    const GX_NODE& node(uint16_t index) const { return m_expr.nodes[index]; }

private:
    GX_EXPRESSION m_expr{};
    BOOL m_ok = FALSE;
};

// Installs engine-state spelling settings for one test and puts the defaults back after it.
class ScopedSpelling
{
public:
    ScopedSpelling(BOOL alt, BOOL lowerCase, BOOL atSign, BOOL escapeAll)
    {
        GX_ENGINE_STATE* state = GetEngineState();
        state->m_bAltOperators = alt;
        state->m_bLowerCaseFunctions = lowerCase;
        state->m_bAtSignFunctions = atSign;
        state->m_bEscapeAllBytes = escapeAll;
    }
    ~ScopedSpelling()
    {
        GX_ENGINE_STATE* state = GetEngineState();
        state->m_bAltOperators = state->m_bLowerCaseFunctions = FALSE;
        state->m_bAtSignFunctions = state->m_bEscapeAllBytes = FALSE;
    }
};

// A tree in a compact form: OP<code>(operands), numbers as %g ("31h" when written in hex), strings
// in quotes, CELL:/RANGE: with the reference text, NCELL:/NRANGE: with the name, FN:NAME(ARG(..)..),
// REL(column,row), EXT(then,else); a node written in parentheses is wrapped in [ ].
inline std::string TreeText(const GX_EXPRESSION& expr, uint16_t index)
{
    if (index == GX_NO_NODE)
        return "-";
    if (index >= expr.nodeCount)
        return "?";
    const GX_NODE& node = expr.nodes[index];
    std::string text;
    switch (node.kind) {
    case GX_NODE_OPERATOR:
        text = "OP" + std::to_string(node.op) + "(";
        if (node.left != GX_NO_NODE)
            text += TreeText(expr, node.left) + ",";
        if (node.right != GX_NO_NODE)
            text += TreeText(expr, node.right);
        text += ")";
        break;
    case GX_NODE_NUMBER:
        text = NumberText::Format("%g", node.number) + ((node.flags & GX_NF_HEX) != 0 ? "h" : "");
        break;
    case GX_NODE_STRING:
        text = std::string("\"") + node.text + "\"";
        break;
    case GX_NODE_CELL:
    case GX_NODE_RANGE: {
        const char* ref = ReferenceText(node.ref);
        text = std::string(node.kind == GX_NODE_CELL ? "CELL:" : "RANGE:") + (ref != nullptr ? ref : "invalid");
        break;
    }
    case GX_NODE_NAMED_CELL:
    case GX_NODE_NAMED_RANGE:
        text = std::string(node.kind == GX_NODE_NAMED_CELL ? "NCELL:" : "NRANGE:")
               + (node.name != nullptr ? node.name->name : "null");
        break;
    case GX_NODE_FUNCTION:
        text = std::string("FN:") + (node.function != nullptr ? node.function->name : "null") + "(";
        for (uint16_t arg = node.right; arg != GX_NO_NODE; arg = expr.nodes[arg].right)
            text += std::string(arg != node.right ? "," : "") + "ARG(" + TreeText(expr, expr.nodes[arg].left) + ")";
        text += ")";
        break;
    case GX_NODE_RELATIVE:
        text = "REL(" + TreeText(expr, node.relative.colOffset) + "," + TreeText(expr, node.relative.rowOffset) + ")";
        break;
    case GX_NODE_EXTENSION:
        text = "EXT(" + TreeText(expr, node.left) + "," + TreeText(expr, node.right) + ")";
        break;
    default:
        text = GXNodeKindNames[node.kind];
        break;
    }
    return (node.flags & GX_NF_PARENTHESES) != 0 ? "[" + text + "]" : text;
}

// Puts a parsed formula cell (kind 3, formula pool) into a sheet; the formula must parse.
inline GX_CELL* PutFormulaCell(int hSheet, int32_t row, int32_t col, const char* text)
{
    GX_EXPRESSION* formula = static_cast<GX_EXPRESSION*>(EngineAlloc(sizeof(GX_EXPRESSION)));
    if (!ParseFormula(hSheet, text, formula)) {
        FreeExpression(formula);
        ADD_FAILURE() << "does not parse: " << text;
        return nullptr;
    }
    GX_CELL* cell = AllocCell(GetPool(GetSheet(hSheet), GX_POOL_FORMULA));
    cell->row = row;
    cell->col = col;
    cell->SetKind(GX_KIND_FORMULA);
    cell->formula = formula;
    EXPECT_TRUE(InsertCell(hSheet, cell));
    return cell;
}

// A number cell (kind 1, constant pool).
inline GX_CELL* PutNumberCell(int hSheet, int32_t row, int32_t col, double value)
{
    GX_CELL* cell = AllocCell(GetPool(GetSheet(hSheet), GX_POOL_CONSTANT));
    cell->row = row;
    cell->col = col;
    cell->SetKind(GX_KIND_NUMBER);
    cell->SetValueType(GX_CELL_VALUE_NUMBER);
    cell->value.number = value;
    EXPECT_TRUE(InsertCell(hSheet, cell));
    return cell;
}

// A small worksheet-function table, installed for the length of a test.
inline const GX_PARAM_ENTRY kOne[] = {{1, GX_PARAM_REQUIRED}};
inline const GX_PARAM_ENTRY kOpt[] = {{1, GX_PARAM_REQUIRED}, {2, GX_PARAM_OPTIONAL}};
inline const GX_PARAM_ENTRY kRep[] = {{3, GX_PARAM_REPEATING}};
inline const GX_PARAM_ENTRY kMid[] = {{1, GX_PARAM_REQUIRED}, {3, GX_PARAM_REPEATING}, {7, GX_PARAM_REQUIRED | GX_PARAM_UNEVALUATED}};
inline const GX_PARAM_ENTRY kXValue[] = {{1, GX_PARAM_REQUIRED}, {1, GX_PARAM_REQUIRED}};
inline const GX_FUNCTION_DESC kFunctions[] = {
    {"ONE", nullptr, 0, 1, kOne},
    {"OPT", nullptr, 0, 2, kOpt},
    {"REP", nullptr, 0, 1, kRep},
    {"MID", nullptr, 0, 3, kMid},
    {"NONE", nullptr, 0, 0, nullptr},
    {"XVALUE", nullptr, 0, 2, kXValue},
};

class TestFunctionTable : public GX_FUNCTION_TABLE
{
public:
    const GX_FUNCTION_DESC* Lookup(const char* name) const override
    {
        for (const GX_FUNCTION_DESC& desc : kFunctions)
            if (std::strcmp(desc.name, name) == 0)
                return &desc;
        return nullptr;
    }
};

class WithFunctions : public ::testing::Test
{
protected:
    void SetUp() override { GetEngineState()->SetFunctionTable(new TestFunctionTable); }
    void TearDown() override { GetEngineState()->SetFunctionTable(nullptr); }
};

