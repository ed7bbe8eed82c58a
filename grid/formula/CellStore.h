#pragma once
// The cells of one engine sheet: storing constants and formulas, evaluating a formula cell, the
// recalculation of the formula cells that depend on changed ranges (cycles found and flagged,
// bounded iteration), constraint checks and the sheet's one pending message.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "grid/formula/FormulaTypes.h"

struct GX_SHEET;
struct GX_VALUE;

// Where a cell stands in its sheet.
struct GX_CELL_POSITION
{
    int32_t row;
    int32_t col;
};

// FALSE outside the limits or when the text does not parse (the parse error stays the engine's last
// error). A formula that is a plain number becomes a number constant; one that depends on cells,
// names, functions or the cell it stands in is a formula cell (kind 3, recalculated); any other one
// is evaluated once, now. With a value, a kind-3 cell takes it as its evaluated value.
BOOL StoreFormula(int hSheet, int32_t row, int32_t col, const char* text, const GX_VALUE* value = nullptr);
BOOL StoreNumber(int hSheet, int32_t row, int32_t col, double number);
// The text's string escapes are resolved (unless bDecode is FALSE) and it is cut at 511 characters.
BOOL StoreText(int hSheet, int32_t row, int32_t col, const char* text, BOOL bDecode = TRUE);
// A constant that holds #N/A.
BOOL StoreNotAvailable(int hSheet, int32_t row, int32_t col);
// Takes the cell out of the table and frees it.
void DeleteCell(int hSheet, GX_CELL* cell);
// Removes the constant and formula cells of the range (kept for undo while the sheet keeps removed
// cells); the range joins the changed ranges. FALSE when the range misses the sheet's cells.
BOOL ClearRange(int hSheet, const GX_CELLREF& range);

void SetCellNumber(GX_CELL* cell, double number);
// More than 8 characters go to the heap (cut at 511), else inline.
void SetCellString(GX_CELL* cell, const char* text);
// A value type without payload (none, #N/A) or an error with its code and detail.
void SetCellValueType(GX_CELL* cell, uint32_t valueType, int32_t errorCode = 0, const char* detail = nullptr);
// The cell's text value (inline or heap) into a terminated buffer of at least 512 bytes; empty otherwise.
void CellStringValue(const GX_CELL* cell, char* buffer);
// Frees the cell's formula and hangs a copy of the given one on it.
void ReplaceFormula(GX_CELL* cell, const GX_EXPRESSION* formula);

// Appends the range unless every cell of it is listed already (an equal range among them). The places
// listed are indexed as they come: N places cost about N log N, however they lie.
void AddChangedRange(int hSheet, const GX_CELLREF& range);
void EmptyChangedRanges(GX_SHEET* pSheet);

// Runs the cell's formula and stores its result; a new error is reported through the message slot.
// TRUE when the result is a new error.
BOOL EvaluateCell(int hSheet, GX_CELL* cell);
// Reports the error the cell holds through the message slot (nothing for another value).
void ReportCellError(int hSheet, const GX_CELL* cell);
// Brings a formula cell up to date within the current pass, its precedents first.
void RecalcCell(int hSheet, GX_CELL* cell);
// Brings a formula cell up to date for a read while the pass that the changed places ask for is held
// (a command still storing cells): only the formula cells its value depends on are looked at, and
// each is evaluated when it is dirty, when a changed place meets it or a reference of it (every
// cell counts as met with bEverything, or when no place is listed), or when it reads a cell
// evaluated after it. Evaluation errors are not reported; the cells that took a new one while the
// message slot was armed are added to unreported.
void RecalcHeldCell(int hSheet, GX_CELL* cell, BOOL bEverything, std::vector<GX_CELL_POSITION>& unreported);
// One marking and recalculation pass; the number of constraint violations when they were counted.
int RecalcPass(int hSheet);
// FALSE (only the changed ranges forgotten) in manual mode.
BOOL RecalcEngine(int hSheet);
// Recalculates also in manual mode.
BOOL ForceRecalcEngine(int hSheet);
// TRUE when the cell's constraint holds (or it has none); keeps the violated flag.
BOOL CheckConstraint(int hSheet, GX_CELL* cell);
int CountViolations(int hSheet, uint32_t poolMask);

// A formula cell that recalculation follows and that this pass has not brought up to date.
BOOL IsStale(const GX_CELL* cell);

// Writes the message while the slot is armed (at most 255 characters) and disarms it.
void WriteSheetMessage(int hSheet, const char* text);

// TRUE when the formula's kind-3 dependencies include the cell it stands in (a RELATIVE node).
BOOL HasRelativeNodes(const GX_EXPRESSION* expr);
