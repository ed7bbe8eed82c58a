#pragma once
// Formula text regenerated from the parsed form, with the spelling settings of the engine state,
// and the escapes of string literals.

#include <windows.h>

#include <cstdint>
#include <string>

#include "grid/formula/FormulaTypes.h"

// The text of a parsed formula: empty without a root; otherwise "=" and the main expression, ";" and
// the constraint, then (unless the alternative operator spelling is on) "\" and the dependency list
// and "//" and the comment. Only the parentheses that the source had come back.
void FormulaText(int hSheet, const GX_EXPRESSION* expr, std::string& text);
std::string FormulaText(int hSheet, const GX_EXPRESSION* expr);
// Appends the text of one node and its sub-nodes.
void NodeText(int hSheet, const GX_EXPRESSION* expr, uint16_t index, std::string& text);
// Appends a function name: "@" and the name when the at-sign setting is on or the name begins with
// "@"; lower case when that setting is on; "()" when asked for and the at-sign setting is off.
void FunctionNameText(std::string& text, const char* name, BOOL withParentheses);
// Appends text with the escapes of a string literal; quotation marks escaped when asked.
void EscapeText(std::string& text, const char* source, BOOL escapeQuotes);
// Resolves the escapes of a string literal into buffer (which may be text itself) and keeps at most
// 511 characters; returns the length written.
int UnescapeText(char* buffer, const char* text);
