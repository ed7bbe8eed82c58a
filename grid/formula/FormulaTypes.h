#pragma once
// The formula engine's shared records: the packed cell reference, the parsed formula (header and
// nodes), the scanner token, the function descriptor, range-name and range-list entries, and the
// engine cell. Fields with a fixed width keep it on every build; payloads that hold pointers are
// pointer-sized, since the parsed form lives in memory only.

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CGXStyle;

// Engine coordinates: rows 1..8388607, columns 0..4095 ("A" is 0).
constexpr int32_t GX_MAX_ROW = 0x7FFFFF;
constexpr int32_t GX_MAX_COL = 0xFFF;
// Engine strings hold at most this many characters.
constexpr int GX_MAX_STRING = 511;
// A parsed formula has at most this many nodes.
constexpr int GX_MAX_NODES = 200;
// "No node" in links and roots.
constexpr uint16_t GX_NO_NODE = 0xFFFF;

// Packed reference: three 32-bit words.
//   w1: bits 0-23 first row          w2: bits 0-23 last row
//   w3: bits 0-12 first column, 13 first row absolute, 14 first column absolute,
//       bits 15-27 last column, 28 last row absolute, 29 last column absolute, 30 single cell.
enum : uint32_t
{
    GX_REF_ROW_MASK = 0x00FFFFFF,
    GX_REF_COL_MASK = 0x1FFF,
    GX_REF_LAST_COL_SHIFT = 15,
    GX_REF_FIRST_ROW_ABS = 1u << 13,
    GX_REF_FIRST_COL_ABS = 1u << 14,
    GX_REF_LAST_ROW_ABS = 1u << 28,
    GX_REF_LAST_COL_ABS = 1u << 29,
    GX_REF_SINGLE = 1u << 30,
};

struct GX_CELLREF
{
    uint32_t w1;
    uint32_t w2;
    uint32_t w3;

    int32_t FirstRow() const { return int32_t(w1 & GX_REF_ROW_MASK); }
    int32_t LastRow() const { return int32_t(w2 & GX_REF_ROW_MASK); }
    int32_t FirstCol() const { return int32_t(w3 & GX_REF_COL_MASK); }
    int32_t LastCol() const { return int32_t((w3 >> GX_REF_LAST_COL_SHIFT) & GX_REF_COL_MASK); }
    bool IsSingle() const { return (w3 & GX_REF_SINGLE) != 0; }
    bool Has(uint32_t bit) const { return (w3 & bit) != 0; }

    void SetFirstRow(int32_t row) { w1 = (w1 & ~GX_REF_ROW_MASK) | (uint32_t(row) & GX_REF_ROW_MASK); }
    void SetLastRow(int32_t row) { w2 = (w2 & ~GX_REF_ROW_MASK) | (uint32_t(row) & GX_REF_ROW_MASK); }
    void SetFirstCol(int32_t col) { w3 = (w3 & ~GX_REF_COL_MASK) | (uint32_t(col) & GX_REF_COL_MASK); }
    void SetLastCol(int32_t col)
    {
        w3 = (w3 & ~(GX_REF_COL_MASK << GX_REF_LAST_COL_SHIFT))
             | ((uint32_t(col) & GX_REF_COL_MASK) << GX_REF_LAST_COL_SHIFT);
    }
    void Set(uint32_t bit, bool on) { w3 = on ? (w3 | bit) : (w3 & ~bit); }
};
static_assert(sizeof(GX_CELLREF) == 12, "the packed reference is three 32-bit words");

// Flags word of the reference builders.
enum : uint32_t
{
    GX_REFF_SINGLE = 0x01,
    GX_REFF_FIRST_COL_ABS = 0x02,
    GX_REFF_FIRST_ROW_ABS = 0x04,
    GX_REFF_LAST_COL_ABS = 0x08,
    GX_REFF_LAST_ROW_ABS = 0x10,
};

// Node kinds of the parsed form.
enum GXNodeKind : uint8_t
{
    GX_NODE_OPERATOR = 0,
    GX_NODE_NUMBER = 1,
    GX_NODE_STRING = 2,
    GX_NODE_CELL = 3,
    GX_NODE_RANGE = 4,
    GX_NODE_NAME = 5,
    GX_NODE_NAMED_CELL = 6,
    GX_NODE_NAMED_RANGE = 7,
    GX_NODE_FUNCTION = 8,
    GX_NODE_ARG = 9,
    GX_NODE_RELATIVE = 10,
    GX_NODE_EXTENSION = 11,
};
constexpr int GX_NODE_KIND_COUNT = 12;
// "OPERATOR", "NUMBER", ... in kind order.
extern const char* const GXNodeKindNames[GX_NODE_KIND_COUNT];

// Operator codes of OPERATOR nodes.
enum GXOperator : int32_t
{
    GX_OP_ADD = 0,
    GX_OP_SUBTRACT = 1,
    GX_OP_PLUS = 2,
    GX_OP_NEGATE = 3,
    GX_OP_MULTIPLY = 4,
    GX_OP_DIVIDE = 5,
    GX_OP_POWER = 6,
    GX_OP_MODULO = 7,
    GX_OP_AND = 8,
    GX_OP_OR = 9,
    GX_OP_NOT = 10,
    GX_OP_BITAND = 11,  // string concatenation too
    GX_OP_BITOR = 12,
    GX_OP_XOR = 13,
    GX_OP_BITNOT = 14,
    GX_OP_SHIFT_LEFT = 15,
    GX_OP_SHIFT_RIGHT = 16,
    GX_OP_EQUAL = 17,
    GX_OP_NOT_EQUAL = 18,
    GX_OP_LESS = 19,
    GX_OP_GREATER = 20,
    GX_OP_LESS_EQUAL = 21,
    GX_OP_GREATER_EQUAL = 22,
    GX_OP_CONDITIONAL = 23,
    GX_OP_RANGE = 24,
    GX_OP_PERCENT = 25,
    GX_OP_ERROR = 26,
};

// Node flag bits.
enum : uint8_t
{
    GX_NF_PARENTHESES = 0x01,  // written in parentheses
    GX_NF_HEX = 0x02,          // number written in hexadecimal
    GX_NF_UNEVALUATED = 0x04,  // ARG passed unevaluated
    GX_NF_NOT_FOLLOWED = 0x10, // not followed by the recalculation
    GX_NF_PARSER_BITS = 0x1F,  // cleared on every new node
};

struct GX_RANGE_NAME;
struct GX_FUNCTION_DESC;

struct GX_ARG_PAYLOAD
{
    uint16_t back;      // the preceding ARG node, or the FUNCTION node for the first argument
    uint16_t argClass;  // from the parameter entry the argument matched
};

struct GX_RELATIVE_PAYLOAD
{
    uint16_t rowOffset;  // expression node, GX_NO_NODE when absent
    uint16_t colOffset;
};

struct GX_NODE
{
    uint8_t kind;
    uint8_t flags;
    uint16_t left;
    uint16_t right;
    union
    {
        int32_t op;                        // OPERATOR
        double number;                     // NUMBER
        char* text;                        // STRING (owned), NAME (while parsing)
        GX_CELLREF ref;                    // CELL, RANGE
        GX_RANGE_NAME* name;               // NAMED_CELL, NAMED_RANGE (not owned; null when undefined)
        const GX_FUNCTION_DESC* function;  // FUNCTION
        GX_ARG_PAYLOAD arg;                // ARG
        GX_RELATIVE_PAYLOAD relative;      // RELATIVE
        uint16_t back;                     // EXTENSION: the conditional OPERATOR node
    };
};

// A parsed formula. Owned by whoever holds it; freed with FreeExpression (ParsedFormula.h).
struct GX_EXPRESSION
{
    uint16_t root;            // main expression; GX_NO_NODE: no formula
    uint16_t constraintRoot;  // after ";"
    uint16_t dependencyRoot;  // after "\"; the list continues through right links
    int16_t nodeCount;
    GX_NODE* nodes;           // nodeCount nodes, tracked allocation
    char* comment;            // text of a trailing "//" comment, or null
};

// Scanner token codes.
enum GXTokenCode : int32_t
{
    GX_TK_SEMICOLON = 0,
    GX_TK_COLON = 1,
    GX_TK_COMMA = 2,
    GX_TK_QUESTION = 3,
    GX_TK_HASH = 4,
    GX_TK_BACKSLASH = 5,
    GX_TK_PLUS = 6,
    GX_TK_MINUS = 7,
    GX_TK_STAR = 8,
    GX_TK_SLASH = 9,
    GX_TK_PERCENT = 10,
    GX_TK_BAR = 11,
    GX_TK_CARET = 12,
    GX_TK_AMPERSAND = 13,
    GX_TK_NOT = 14,
    GX_TK_TILDE = 15,
    GX_TK_LESS = 16,
    GX_TK_GREATER = 17,
    GX_TK_LPAREN = 18,
    GX_TK_RPAREN = 19,
    GX_TK_LBRACE = 20,
    GX_TK_RBRACE = 21,
    GX_TK_ASSIGN = 22,
    GX_TK_POWER = 23,
    GX_TK_AND = 24,
    GX_TK_OR = 25,
    GX_TK_SHIFT_LEFT = 26,
    GX_TK_SHIFT_RIGHT = 27,
    GX_TK_LESS_EQUAL = 28,
    GX_TK_GREATER_EQUAL = 29,
    GX_TK_NOT_EQUAL = 30,
    GX_TK_EQUAL = 31,
    GX_TK_DOTDOT = 32,
    GX_TK_CELL = 33,
    GX_TK_NAME = 34,
    GX_TK_FUNCTION = 35,
    GX_TK_STRING = 36,
    GX_TK_NUMBER = 37,
    GX_TK_HEX = 38,
    GX_TK_COMMENT = 39,
    GX_TK_END = 40,
    GX_TK_BAD = 41,
    GX_TK_DOT = 42,
    GX_TK_ERROR = 43,  // "??"
    // "/*XOR*/", in any case: the exclusive or as the alternative spelling writes it, where "^" is
    // the power.
    GX_TK_XOR_WORD = 44,
};

struct GX_TOKEN
{
    int32_t code;
    char* value;       // tracked text or null; ownership passes to the parser
    int32_t error;     // the bad-character token's error code
    int32_t position;  // byte offset of the token's first character
};

// Worksheet functions. The system installs no table; the call machinery works with any table
// installed through GX_ENGINE_STATE::SetFunctionTable.
struct GX_VALUE;
struct GX_ARG_BLOCK;
typedef void (*GX_FUNCTION_ENTRY)(GX_VALUE* result, GX_ARG_BLOCK* args);

// Parameter entry flags: bit 0 pass unevaluated; bits 1-2 the parameter's kind.
enum : uint32_t
{
    GX_PARAM_UNEVALUATED = 0x01,
    GX_PARAM_KIND_MASK = 0x06,
    GX_PARAM_REQUIRED = 0x00,
    GX_PARAM_OPTIONAL = 0x02,
    GX_PARAM_REPEATING = 0x04,
};

struct GX_PARAM_ENTRY
{
    int16_t argClass;
    uint32_t flags;
};

struct GX_FUNCTION_DESC
{
    const char* name;         // upper case, as looked up
    GX_FUNCTION_ENTRY entry;
    intptr_t notCalled;       // nonzero: the evaluator does not call the function
    int16_t paramCount;
    const GX_PARAM_ENTRY* params;
};

// Range name of an engine sheet (one list per sheet).
struct GX_RANGE_NAME
{
    GX_RANGE_NAME* next;
    char* name;  // tracked copy, at most 31 characters
    GX_CELLREF ref;
};
constexpr int GX_MAX_NAME = 31;

// Entry of a sheet's list of changed ranges.
struct GX_RANGE_LIST
{
    GX_RANGE_LIST* next;
    GX_CELLREF ref;
};

// Engine cell: one slot of a pool block.
//
// Flags word: bits 0-3 kind; 4-7 value type; 8 in the cell table; 9-14 slot index in the block;
// 15 dirty; 16 evaluated in this pass; 17 being evaluated; 18 changed; 19 on a cycle;
// 20 constraint violated.
enum GXCellKind : uint32_t
{
    GX_KIND_PLACEHOLDER = 0,
    GX_KIND_NUMBER = 1,
    GX_KIND_TEXT = 2,
    GX_KIND_FORMULA = 3,           // depends on cells, names or functions; formula pool
    GX_KIND_CONSTANT_FORMULA = 4,  // evaluated once when stored; constant pool
};

enum GXValueType : uint32_t
{
    GX_CELL_VALUE_NONE = 0,
    GX_CELL_VALUE_NA = 1,
    GX_CELL_VALUE_ERROR = 2,
    GX_CELL_VALUE_NUMBER = 3,
    GX_CELL_VALUE_HEAP_STRING = 4,    // more than 8 characters, at most 511
    GX_CELL_VALUE_INLINE_STRING = 5,  // at most 8 characters, not terminated when all 8 are used
};

enum : uint32_t
{
    GX_CF_KIND_MASK = 0x0000000F,
    GX_CF_VALUE_TYPE_MASK = 0x000000F0,
    GX_CF_VALUE_TYPE_SHIFT = 4,
    GX_CF_IN_TABLE = 1u << 8,
    GX_CF_SLOT_MASK = 0x00007E00,
    GX_CF_SLOT_SHIFT = 9,
    GX_CF_DIRTY = 1u << 15,
    GX_CF_EVALUATED = 1u << 16,
    GX_CF_EVALUATING = 1u << 17,
    GX_CF_CHANGED = 1u << 18,
    GX_CF_CYCLE = 1u << 19,
    GX_CF_VIOLATED = 1u << 20,
};

struct GX_CELL
{
    GX_CELL* next;  // next cell of the same hash bucket (or of a removed-cells chain)
    int32_t row;
    int32_t col;
    union
    {
        double number;
        char* heapText;        // tracked, owned
        char inlineText[8];
        int32_t errorCode;
    } value;
    const char* errorDetail;   // detail text of an error value, or null; not owned by the cell
    GX_EXPRESSION* formula;    // owned; null for constants
    uint32_t stamp;
    uint32_t flags;
    CGXStyle* style;           // owned; may be null

    uint32_t Kind() const { return flags & GX_CF_KIND_MASK; }
    void SetKind(uint32_t kind) { flags = (flags & ~GX_CF_KIND_MASK) | (kind & GX_CF_KIND_MASK); }
    uint32_t ValueType() const { return (flags & GX_CF_VALUE_TYPE_MASK) >> GX_CF_VALUE_TYPE_SHIFT; }
    void SetValueType(uint32_t type)
    {
        flags = (flags & ~GX_CF_VALUE_TYPE_MASK) | ((type << GX_CF_VALUE_TYPE_SHIFT) & GX_CF_VALUE_TYPE_MASK);
    }
    uint32_t SlotIndex() const { return (flags & GX_CF_SLOT_MASK) >> GX_CF_SLOT_SHIFT; }
    bool Is(uint32_t flag) const { return (flags & flag) != 0; }
    void Set(uint32_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }
};
static_assert(sizeof(GX_CELL::value) == 8, "a cell value is 8 bytes");
