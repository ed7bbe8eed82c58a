#pragma once
// The one table of the engine's error texts. Cells and messages carry only the code; 117 codes have
// no text.

#include <cstdint>

constexpr int GX_ERROR_TEXT_COUNT = 382;

// Codes the engine raises by name.
enum GXErrorCode : int32_t
{
    GX_ERR_UNKNOWN = 0,
    GX_ERR_OUT_OF_MEMORY = 5,
    GX_ERR_HEX_TOO_LONG = 88,
    GX_ERR_RECURSION_TOO_DEEP = 148,
    GX_ERR_BAD_CHARACTER = 223,
    GX_ERR_UNEXPECTED = 225,
    GX_ERR_CELL_OUT_OF_RANGE = 226,
    GX_ERR_UNDEFINED_FUNCTION = 227,
    GX_ERR_TOO_MANY_ARGUMENTS = 229,
    GX_ERR_NOT_ENOUGH_ARGUMENTS = 230,
    GX_ERR_EXPECTED_TOKEN = 231,  // + the expected token code, for codes 0-42
    GX_ERR_EXPECTED_OPERAND = 274,
    GX_ERR_EXPECTED_RANGE_END = 275,
    GX_ERR_TOKEN_BUFFER_OVERFLOW = 280,
    GX_ERR_UNDEFINED_NAME = 281,
};

// The text of a code; codes outside 0..381 give the text of code 0, "unknown error". Never null.
const char* ErrorText(int32_t code);
