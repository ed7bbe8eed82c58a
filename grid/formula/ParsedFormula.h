#pragma once
// Operations on a parsed formula (GX_EXPRESSION and its node array): free, copy and the questions
// the cell store asks of it.

#include "grid/formula/FormulaTypes.h"

// Frees the text of every STRING node, the node array, the comment and the header; null does nothing.
void FreeExpression(GX_EXPRESSION* expr);
// Frees what a header owns (nodes, their texts, the comment) and leaves it empty, keeping the header.
void ClearExpression(GX_EXPRESSION& expr);
// A new header and node array; the texts of STRING and NAME nodes and the comment are duplicated.
GX_EXPRESSION* CopyExpression(const GX_EXPRESSION* expr);
// TRUE when a node is CELL, RANGE, NAMED_CELL or NAMED_RANGE.
BOOL HasReferences(const GX_EXPRESSION* expr);
// TRUE when a node is FUNCTION.
BOOL HasFunctionCalls(const GX_EXPRESSION* expr);
// TRUE when -2147483649 < value < 4294967296 (the operands of the bitwise operators).
BOOL FitsIn32Bits(double value);
