#pragma once
// The expression evaluator: runs one parsed formula at one cell of an engine sheet and gives a
// number, a string, #N/A or an error. Every failure inside an evaluation raises an error code that
// ends the evaluation at once (an exception caught in EvaluateFormula, never crossing Windows code)
// and becomes the evaluation's error value.

#include <windows.h>

#include <cstdint>

#include "grid/formula/FormulaTypes.h"

enum GXValueKind : int32_t
{
    GX_VALUE_NUMBER = 0,
    GX_VALUE_STRING = 1,       // text owned by the evaluation, or by the caller once handed out
    GX_VALUE_RANGE = 2,
    GX_VALUE_CELL = 3,
    GX_VALUE_UNEVALUATED = 4,  // an argument passed as its expression
    GX_VALUE_NA = 5,
    GX_VALUE_ERROR = 6,
};

struct GX_VALUE
{
    int32_t type;
    union
    {
        double number;
        char* text;
        GX_CELLREF ref;
        struct
        {
            const GX_NODE* nodes;
            uint16_t index;
        } unevaluated;
        struct
        {
            int32_t code;
            const char* detail;
        } error;
    };
};

// A formula has at most 200 nodes, so a call has at most 99 arguments.
constexpr int GX_MAX_ARGUMENTS = 99;

struct GX_ARG_BLOCK
{
    int32_t count;
    GX_VALUE values[GX_MAX_ARGUMENTS];
};

// Evaluates the node root of expr at (row, col) of the sheet. With bForCell the result is made fit
// for a cell (ToCellValue, inside the evaluation so that its errors are the evaluation's): a cell
// reference is read, a range gives error 149. A string result is a tracked text the caller frees
// (FreeValue).
GX_VALUE EvaluateFormula(int hSheet, int32_t row, int32_t col, const GX_EXPRESSION* expr, uint16_t root,
                         BOOL bForCell = TRUE);

// Frees the text of a string value handed out by EvaluateFormula.
void FreeValue(GX_VALUE& value);

// Ends the running evaluation with the code (and detail text, may be null); outside an evaluation it
// only records them.
void RaiseError(int32_t code, const char* detail = nullptr);

// The evaluation's current cell, for worksheet functions.
int GetEvalSheet();
int32_t GetEvalRow();
int32_t GetEvalCol();
