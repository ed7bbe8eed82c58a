#pragma once
// A1-style references and their packed form: column letters (bijective base 26, "A" is 0, "FAN" is
// 4095), "$" for absolute parts, ".." between the two cells of a range.

#include <windows.h>

#include <cstdint>

#include "grid/formula/FormulaTypes.h"

// The letters of a column 0-4095 in the engine's shared buffer; null for any other column.
const char* ColumnLetters(int32_t col);
// Writes the letters of a column 0-4095 into buffer (at least 4 bytes); FALSE for any other column.
BOOL ColumnLettersTo(int32_t col, char* buffer);
// The column of the letters at the start of text (followed by a non-letter); -1 when text does not
// start with a letter or the column would exceed 4095.
int32_t ColumnFromLetters(const char* text);

// TRUE and a normalised reference when the whole text is a cell ("$A$1") or a range of two cells
// joined by ":", "." or "..".
BOOL ParseReference(const char* text, GX_CELLREF* ref);
// The text of a valid reference in the engine's shared buffer; null for an invalid one.
const char* ReferenceText(const GX_CELLREF& ref);
// Writes the text of a valid reference into buffer (at least 32 bytes); FALSE for an invalid one.
BOOL ReferenceTextTo(const GX_CELLREF& ref, char* buffer);

// Builders; flags GX_REFF_*. Rows outside 1..8388607 and columns outside 0..4095 are stored as 0.
GX_CELLREF MakeCellReference(int32_t row, int32_t col, uint32_t flags);
GX_CELLREF MakeRangeReference(int32_t firstRow, int32_t firstCol, int32_t lastRow, int32_t lastCol, uint32_t flags);

BOOL IsValidReference(const GX_CELLREF& ref);
// FALSE for an invalid reference; otherwise completes a single cell or orders a range's rows and
// columns, each absolute mark travelling with its row or column.
BOOL NormalizeReference(GX_CELLREF* ref);
BOOL ReferencesIntersect(const GX_CELLREF& a, const GX_CELLREF& b);
// Rows and columns agree; absolute marks do not count.
BOOL ReferencesEqual(const GX_CELLREF& a, const GX_CELLREF& b);
// A block of the same size whose first cell is (row, col); the last row and column are limited to the sheet.
GX_CELLREF BlockAt(const GX_CELLREF& ref, int32_t row, int32_t col);
