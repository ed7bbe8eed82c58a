#pragma once
// Range names of an engine sheet: at most 31 characters, compared without regard to case, each
// naming a cell or a range. Formulas point at the entries; deleting a name first turns those
// references back into plain cell and range references.

#include <windows.h>

#include "grid/formula/FormulaTypes.h"

struct GX_SHEET;

// Letters, digits, ".", "_" and "$".
BOOL IsNameChar(int c);
// The first character is a letter, "_" or "$" and every further one a name character.
BOOL IsValidName(const char* text);

// Cuts the name to 31 characters; FALSE for an invalid name or reference. An entry of the same name
// takes the new reference, otherwise a new entry is appended. Marks the sheet modified.
BOOL SetRangeName(int hSheet, const char* name, const GX_CELLREF& ref);
// The entry of that name (its first 31 characters, any case) or null; copies its reference when asked.
GX_RANGE_NAME* FindRangeName(int hSheet, const char* name, GX_CELLREF* ref = nullptr);
// FALSE when there is no such entry. Otherwise every formula node that points at the entry becomes
// a CELL or RANGE node holding its reference (with the sheet keeping removed cells, a copy of each
// such cell as it was joins the removed-cells chain, and the entry becomes the sheet's last removed
// name entry, replacing and freeing an earlier one); the entry leaves the list.
BOOL DeleteRangeName(int hSheet, const char* name);
// Puts an existing entry (from undo) at the head of the list; FALSE for null.
BOOL InsertRangeNameEntry(int hSheet, GX_RANGE_NAME* entry);
// Frees every entry and the last removed one.
void FreeRangeNames(int hSheet);
void FreeRangeNames(GX_SHEET* pSheet);
// Frees one entry and its text.
void FreeRangeNameEntry(GX_RANGE_NAME* entry);
