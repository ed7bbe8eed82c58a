#include "grid/formula/ParsedFormula.h"

#include <cstring>

#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineText.h"

const char* const GXNodeKindNames[GX_NODE_KIND_COUNT] = {
    "OPERATOR", "NUMBER", "STRING", "CELL", "RANGE", "NAME",
    "NAMED_CELL", "NAMED_RANGE", "FUNCTION", "ARG", "RELATIVE", "EXTENSION",
};

void ClearExpression(GX_EXPRESSION& expr)
{
    if (expr.nodes != nullptr) {
        for (int i = 0; i < expr.nodeCount; ++i) {
            GX_NODE& node = expr.nodes[i];
            if (node.kind == GX_NODE_STRING || node.kind == GX_NODE_NAME) {
                EngineFree(node.text);
                node.text = nullptr;
            }
        }
        EngineFree(expr.nodes);
    }
    EngineFree(expr.comment);
    expr.root = expr.constraintRoot = expr.dependencyRoot = GX_NO_NODE;
    expr.nodeCount = 0;
    expr.nodes = nullptr;
    expr.comment = nullptr;
}

void FreeExpression(GX_EXPRESSION* expr)
{
    if (expr == nullptr)
        return;
    ClearExpression(*expr);
    EngineFree(expr);
}

GX_EXPRESSION* CopyExpression(const GX_EXPRESSION* expr)
{
    if (expr == nullptr)
        return nullptr;
    GX_EXPRESSION* copy = static_cast<GX_EXPRESSION*>(EngineAlloc(sizeof(GX_EXPRESSION)));
    *copy = *expr;
    copy->nodes = nullptr;
    copy->comment = nullptr;
    copy->nodeCount = 0;
    try {
        if (expr->nodes != nullptr && expr->nodeCount > 0) {
            copy->nodes = static_cast<GX_NODE*>(EngineAlloc(sizeof(GX_NODE) * std::size_t(expr->nodeCount)));
            std::memcpy(copy->nodes, expr->nodes, sizeof(GX_NODE) * std::size_t(expr->nodeCount));
            // Texts are duplicated node by node, so a failure leaves only duplicated texts to free.
            for (int i = 0; i < expr->nodeCount; ++i) {
                GX_NODE& node = copy->nodes[i];
                if (node.kind == GX_NODE_STRING || node.kind == GX_NODE_NAME) {
                    char* source = node.text;
                    node.text = nullptr;
                    copy->nodeCount = int16_t(i + 1);
                    node.text = DuplicateText(source);
                }
            }
            copy->nodeCount = expr->nodeCount;
        }
        copy->comment = DuplicateText(expr->comment);
    } catch (...) {
        FreeExpression(copy);
        throw;
    }
    return copy;
}

namespace
{
BOOL HasNodeOf(const GX_EXPRESSION* expr, bool (*matches)(uint8_t kind))
{
    if (expr == nullptr || expr->nodes == nullptr)
        return FALSE;
    for (int i = 0; i < expr->nodeCount; ++i)
        if (matches(expr->nodes[i].kind))
            return TRUE;
    return FALSE;
}
}  // namespace

BOOL HasReferences(const GX_EXPRESSION* expr)
{
    return HasNodeOf(expr, [](uint8_t kind) {
        return kind == GX_NODE_CELL || kind == GX_NODE_RANGE || kind == GX_NODE_NAMED_CELL
               || kind == GX_NODE_NAMED_RANGE;
    });
}

BOOL HasFunctionCalls(const GX_EXPRESSION* expr)
{
    return HasNodeOf(expr, [](uint8_t kind) { return kind == GX_NODE_FUNCTION; });
}

BOOL FitsIn32Bits(double value)
{
    return value > -2147483649.0 && value < 4294967296.0;
}
