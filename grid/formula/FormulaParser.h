#pragma once
// The formula parser: recursive descent over the scanner's tokens into the parsed form, resolving
// range names against the engine sheet and function names against the engine's function table.

#include <windows.h>

#include "grid/formula/FormulaTypes.h"

// Parentheses nested deeper than this fail with 148 ("recursion too deep") at the offending "(", so
// no formula text can exhaust the stack.
constexpr int GX_MAX_NESTING = 100;

// Parses text (which begins with "=") for the engine sheet hSheet (0 for none: every name is then
// undefined). The result is first emptied (roots GX_NO_NODE, no nodes, no comment); on success it
// receives a node array of exactly the nodes used and TRUE is returned. On failure the result keeps
// no node array. Either way the error flag, code and position become the engine's last parse error.
// With the engine's alternative operator spelling on, the text is read as FormulaText writes it
// then: "^" is the power, "/*XOR*/" the exclusive or and "ERR" the error constant.
BOOL ParseFormula(int hSheet, const char* text, GX_EXPRESSION* result);
