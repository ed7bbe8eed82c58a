#include "grid/formula/Evaluator.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/EngineText.h"

namespace
{
constexpr int kWorkBuffer = 512;

// Thrown by RaiseError while an evaluation runs; caught by EvaluateFormula only.
struct EvaluationRaised
{
};

// The state of the running evaluation. Evaluations nest (a worksheet function may start another), so
// EvaluateFormula copies it aside on entry and puts it back on exit.
struct GX_EVAL_STATE
{
    int sheet = 0;
    const GX_FUNCTION_DESC* function = nullptr;
    int32_t row = 0;
    int32_t col = 0;
    int32_t errorCode = 0;
    const char* errorDetail = nullptr;
    GX_ARG_BLOCK* args = nullptr;
    // Texts made during the evaluation; all are freed when it ends, whatever its result.
    std::vector<char*>* scratch = nullptr;
    int raiseMode = 0;  // 255 while an evaluation runs
};

GX_EVAL_STATE g_state;

char* NewText(const char* text, std::size_t length)
{
    char* copy = EngineAllocText(text, length);
    if (g_state.scratch != nullptr)
        g_state.scratch->push_back(copy);
    return copy;
}

GX_VALUE Number(double number)
{
    GX_VALUE value{};
    value.type = GX_VALUE_NUMBER;
    value.number = number;
    return value;
}

GX_VALUE ErrorValue(int32_t code, const char* detail = nullptr)
{
    GX_VALUE value{};
    value.type = GX_VALUE_ERROR;
    value.error.code = code;
    value.error.detail = detail;
    return value;
}

GX_VALUE Reference(int32_t type, const GX_CELLREF& ref)
{
    GX_VALUE value{};
    value.type = type;
    value.ref = ref;
    return value;
}

[[noreturn]] void Raise(int32_t code, const char* detail = nullptr)
{
    g_state.errorCode = code;
    g_state.errorDetail = detail;
    throw EvaluationRaised{};
}

// Reads the cell a cell value names. FALSE for values that name no single value (ranges, unevaluated
// arguments); error values raise their own code.
bool ToValue(GX_VALUE& value)
{
    switch (value.type) {
    case GX_VALUE_NUMBER:
    case GX_VALUE_STRING:
    case GX_VALUE_NA:
        return true;
    case GX_VALUE_ERROR:
        Raise(value.error.code, value.error.detail);
    case GX_VALUE_CELL: {
        GX_CELL* cell = FindCell(g_state.sheet, value.ref.FirstRow(), value.ref.FirstCol());
        switch (cell != nullptr ? cell->ValueType() : GX_CELL_VALUE_NONE) {
        case GX_CELL_VALUE_NUMBER:
            value = Number(cell->value.number);
            return true;
        case GX_CELL_VALUE_HEAP_STRING:
            value.type = GX_VALUE_STRING;
            value.text = NewText(cell->value.heapText, std::strlen(cell->value.heapText));
            return true;
        case GX_CELL_VALUE_INLINE_STRING:
            value.type = GX_VALUE_STRING;
            value.text = NewText(cell->value.inlineText, strnlen(cell->value.inlineText, 8));
            return true;
        case GX_CELL_VALUE_NA:
            value = GX_VALUE{};
            value.type = GX_VALUE_NA;
            return true;
        case GX_CELL_VALUE_ERROR:
            Raise(133);
        default:
            value = GetBlanksAreZero(g_state.sheet) ? Number(0.0) : ErrorValue(60);
            return true;
        }
    }
    default:
        return false;
    }
}

bool BlankIsZero(const char* text)
{
    return text[0] == '\0' && GetBlanksAreZero(g_state.sheet);
}

double ToNumber(GX_VALUE value)
{
    if (value.type == GX_VALUE_CELL)
        ToValue(value);
    else if (value.type == GX_VALUE_ERROR)
        Raise(value.error.code, value.error.detail);
    if (value.type == GX_VALUE_NUMBER)
        return value.number;
    if (value.type == GX_VALUE_STRING && BlankIsZero(value.text))
        return 0.0;
    Raise(128);
}

int32_t CheckedInteger(double number)
{
    if (!(number > -2147483649.0 && number < 4294967296.0))
        Raise(136);
    return int32_t(uint32_t(int64_t(number)));
}

int32_t ToInteger(GX_VALUE value)
{
    switch (value.type) {
    case GX_VALUE_NUMBER:
        return CheckedInteger(value.number);
    case GX_VALUE_CELL:
        ToValue(value);
        return value.type == GX_VALUE_NUMBER ? CheckedInteger(value.number) : 0;
    case GX_VALUE_ERROR:
        Raise(value.error.code, value.error.detail);
    default:
        Raise(128);
    }
}

// Byte comparison of two strings with their trailing white space cut (never the first character).
int CompareStrings(const char* left, const char* right)
{
    char a[kWorkBuffer];
    char b[kWorkBuffer];
    std::strncpy(a, left, kWorkBuffer - 1);
    a[kWorkBuffer - 1] = '\0';
    std::strncpy(b, right, kWorkBuffer - 1);
    b[kWorkBuffer - 1] = '\0';
    TrimTrailingSpaces(a);
    TrimTrailingSpaces(b);
    return std::strcmp(a, b);
}

class Evaluation
{
public:
    explicit Evaluation(const GX_EXPRESSION* expr) : m_nodes(expr->nodes), m_count(expr->nodeCount) {}

    GX_VALUE Eval(uint16_t index);

private:
    const GX_NODE& Node(uint16_t index) const
    {
        if (index >= m_count)
            Raise(284);
        return m_nodes[index];
    }
    GX_VALUE Operator(const GX_NODE& node);
    GX_VALUE Compare(const GX_NODE& node);
    GX_VALUE Concatenate(const GX_NODE& node);
    GX_VALUE RangeOf(const GX_NODE& node);
    GX_VALUE Relative(const GX_NODE& node);
    GX_VALUE Call(const GX_NODE& node);
    double Num(uint16_t index) { return ToNumber(Eval(index)); }
    int32_t Int(uint16_t index) { return ToInteger(Eval(index)); }

    const GX_NODE* m_nodes;
    int m_count;
};

GX_VALUE Evaluation::Eval(uint16_t index)
{
    const GX_NODE& node = Node(index);
    switch (node.kind) {
    case GX_NODE_OPERATOR:
        return Operator(node);
    case GX_NODE_NUMBER:
        return Number(node.number);
    case GX_NODE_STRING: {
        GX_VALUE value{};
        value.type = GX_VALUE_STRING;
        value.text = NewText(node.text, std::strlen(node.text));
        return value;
    }
    case GX_NODE_CELL:
        return Reference(GX_VALUE_CELL, node.ref);
    case GX_NODE_RANGE:
        return Reference(GX_VALUE_RANGE, node.ref);
    case GX_NODE_NAME:
        Raise(283);
    case GX_NODE_NAMED_CELL:
    case GX_NODE_NAMED_RANGE:
        if (node.name == nullptr)
            Raise(283);
        return Reference(node.name->ref.IsSingle() ? GX_VALUE_CELL : GX_VALUE_RANGE, node.name->ref);
    case GX_NODE_FUNCTION:
        return Call(node);
    case GX_NODE_RELATIVE:
        return Relative(node);
    default:
        Raise(284);
    }
}

GX_VALUE Evaluation::Operator(const GX_NODE& node)
{
    switch (node.op) {
    case GX_OP_ADD:
        return Number(Num(node.left) + Num(node.right));
    case GX_OP_SUBTRACT:
        return Number(Num(node.left) - Num(node.right));
    case GX_OP_PLUS:
        return Number(Num(node.right));
    case GX_OP_NEGATE:
        return Number(-Num(node.right));
    case GX_OP_MULTIPLY:
        return Number(Num(node.left) * Num(node.right));
    case GX_OP_DIVIDE: {
        double left = Num(node.left);
        double right = Num(node.right);
        if (right == 0.0)
            Raise(70);
        return Number(left / right);
    }
    case GX_OP_POWER: {
        double left = Num(node.left);
        double right = Num(node.right);
        errno = 0;
        double result = std::pow(left, right);
        // A result that is no finite number is an error whatever errno says.
        if (errno != 0 || !std::isfinite(result))
            Raise(70);
        return Number(result);
    }
    case GX_OP_MODULO: {
        int32_t left = Int(node.left);
        int32_t right = Int(node.right);
        if (right == 0)
            Raise(122);
        // The one quotient that does not fit: its remainder is 0, not a divide trap.
        if (right == -1)
            return Number(0.0);
        return Number(double(left % right));
    }
    case GX_OP_AND:
        if (Num(node.left) == 0.0)
            return Number(0.0);
        return Number(Num(node.right) != 0.0 ? 1.0 : 0.0);
    case GX_OP_OR:
        if (Num(node.left) != 0.0)
            return Number(1.0);
        return Number(Num(node.right) != 0.0 ? 1.0 : 0.0);
    case GX_OP_NOT:
        return Number(Num(node.right) == 0.0 ? 1.0 : 0.0);
    case GX_OP_BITAND:
        return Concatenate(node);
    case GX_OP_BITOR: {
        int32_t left = Int(node.left);
        return Number(double(left | Int(node.right)));
    }
    case GX_OP_XOR: {
        int32_t left = Int(node.left);
        return Number(double(left ^ Int(node.right)));
    }
    case GX_OP_BITNOT:
        return Number(double(~Int(node.right)));
    case GX_OP_SHIFT_LEFT: {
        // Shifted unsigned, so that no shift overflows a signed value.
        uint32_t left = uint32_t(Int(node.left));
        uint32_t shift = uint32_t(Int(node.right)) & 31;
        return Number(double(int32_t(left << shift)));
    }
    case GX_OP_SHIFT_RIGHT: {
        int32_t left = Int(node.left);
        uint32_t shift = uint32_t(Int(node.right)) & 31;
        // Arithmetic: the sign fills from the left.
        int32_t result = left >= 0 ? int32_t(uint32_t(left) >> shift) : ~int32_t(~uint32_t(left) >> shift);
        return Number(double(result));
    }
    case GX_OP_EQUAL:
    case GX_OP_NOT_EQUAL:
    case GX_OP_LESS:
    case GX_OP_GREATER:
    case GX_OP_LESS_EQUAL:
    case GX_OP_GREATER_EQUAL:
        return Compare(node);
    case GX_OP_CONDITIONAL: {
        double condition = Num(node.left);
        const GX_NODE& branches = Node(node.right);
        if (branches.kind != GX_NODE_EXTENSION)
            Raise(284);
        return Eval(condition != 0.0 ? branches.left : branches.right);
    }
    case GX_OP_RANGE:
        return RangeOf(node);
    case GX_OP_PERCENT:
        return Number(Num(node.right) * 0.01);
    case GX_OP_ERROR:
        return ErrorValue(89);
    default:
        Raise(284);
    }
}

GX_VALUE Evaluation::Concatenate(const GX_NODE& node)
{
    GX_VALUE left = Eval(node.left);
    GX_VALUE right = Eval(node.right);
    if (!ToValue(left) || !ToValue(right))
        Raise(91);
    if (left.type != right.type)
        Raise(140);
    if (left.type != GX_VALUE_STRING)
        return Number(double(ToInteger(left) & ToInteger(right)));
    std::size_t leftLength = std::strlen(left.text);
    std::size_t rightLength = std::strlen(right.text);
    if (leftLength + rightLength >= std::size_t(kWorkBuffer))
        Raise(150);
    char joined[kWorkBuffer];
    std::memcpy(joined, left.text, leftLength);
    std::memcpy(joined + leftLength, right.text, rightLength);
    GX_VALUE value{};
    value.type = GX_VALUE_STRING;
    value.text = NewText(joined, leftLength + rightLength);
    return value;
}

GX_VALUE Evaluation::Compare(const GX_NODE& node)
{
    static const int32_t kIllegal[] = {94, 90, 93, 96, 92, 95};
    const int op = node.op;
    const int32_t illegal = kIllegal[op - GX_OP_EQUAL];
    GX_VALUE left = Eval(node.left);
    if (!ToValue(left) || (left.type != GX_VALUE_NUMBER && left.type != GX_VALUE_STRING))
        Raise(illegal);
    GX_VALUE right = Eval(node.right);
    if (!ToValue(right) || (right.type != GX_VALUE_NUMBER && right.type != GX_VALUE_STRING))
        Raise(illegal);

    bool result = false;
    if (left.type != right.type) {
        // Every number counts as greater than every string.
        const bool leftIsString = left.type == GX_VALUE_STRING;
        switch (op) {
        case GX_OP_EQUAL: result = false; break;
        case GX_OP_NOT_EQUAL: result = true; break;
        case GX_OP_LESS:
        case GX_OP_LESS_EQUAL: result = leftIsString; break;
        default: result = !leftIsString; break;
        }
    } else if (left.type == GX_VALUE_STRING) {
        int order = CompareStrings(left.text, right.text);
        switch (op) {
        case GX_OP_EQUAL: result = order == 0; break;
        case GX_OP_NOT_EQUAL: result = order != 0; break;
        case GX_OP_LESS: result = order < 0; break;
        case GX_OP_GREATER: result = order > 0; break;
        case GX_OP_LESS_EQUAL: result = order <= 0; break;
        default: result = order >= 0; break;
        }
    } else {
        const double a = left.number;
        const double b = right.number;
        switch (op) {
        case GX_OP_EQUAL: result = a == b; break;
        case GX_OP_NOT_EQUAL: result = a != b; break;
        case GX_OP_LESS: result = a < b; break;
        case GX_OP_GREATER: result = a > b; break;
        case GX_OP_LESS_EQUAL: result = a <= b; break;
        default: result = a >= b; break;
        }
    }
    return Number(result ? 1.0 : 0.0);
}

GX_VALUE Evaluation::RangeOf(const GX_NODE& node)
{
    GX_VALUE left = Eval(node.left);
    GX_VALUE right = Eval(node.right);
    if (left.type != GX_VALUE_CELL || right.type != GX_VALUE_CELL)
        Raise(141);
    GX_CELLREF range = left.ref;
    range.SetLastRow(right.ref.FirstRow());
    range.SetLastCol(right.ref.FirstCol());
    range.Set(GX_REF_LAST_ROW_ABS, right.ref.Has(GX_REF_FIRST_ROW_ABS));
    range.Set(GX_REF_LAST_COL_ABS, right.ref.Has(GX_REF_FIRST_COL_ABS));
    range.Set(GX_REF_SINGLE, false);
    if (!NormalizeReference(&range))
        Raise(89);
    return Reference(GX_VALUE_RANGE, range);
}

GX_VALUE Evaluation::Relative(const GX_NODE& node)
{
    int64_t row = g_state.row;
    int64_t col = g_state.col;
    if (node.relative.rowOffset != GX_NO_NODE)
        row += int64_t(std::trunc(std::fmax(std::fmin(Num(node.relative.rowOffset), 1e9), -1e9)));
    if (node.relative.colOffset != GX_NO_NODE)
        col += int64_t(std::trunc(std::fmax(std::fmin(Num(node.relative.colOffset), 1e9), -1e9)));
    if (row < 1 || row > GX_MAX_ROW || col < 0 || col > GX_MAX_COL)
        Raise(110);
    return Reference(GX_VALUE_CELL, MakeCellReference(int32_t(row), int32_t(col), GX_REFF_SINGLE));
}

void ReleaseArguments()
{
    // The block's texts are scratch texts of the evaluation: freed when it ends.
    delete g_state.args;
    g_state.args = nullptr;
}

GX_VALUE Evaluation::Call(const GX_NODE& node)
{
    const GX_FUNCTION_DESC* function = node.function;
    if (function == nullptr || function->notCalled != 0 || function->entry == nullptr)
        Raise(227);

    GX_ARG_BLOCK* block = new GX_ARG_BLOCK{};
    for (uint16_t index = node.right; index != GX_NO_NODE;) {
        const GX_NODE& arg = Node(index);
        if (arg.kind != GX_NODE_ARG || block->count >= GX_MAX_ARGUMENTS) {
            delete block;
            Raise(284);
        }
        GX_VALUE value{};
        if ((arg.flags & GX_NF_UNEVALUATED) != 0) {
            value.type = GX_VALUE_UNEVALUATED;
            value.unevaluated.nodes = m_nodes;
            value.unevaluated.index = arg.left;
        } else {
            try {
                value = Eval(arg.left);
                if (arg.arg.argClass < 3 && value.type != GX_VALUE_NUMBER) {
                    ToValue(value);
                    if (value.type == GX_VALUE_STRING)
                        value = Number(std::atof(value.text));
                    else if (value.type != GX_VALUE_NUMBER)
                        Raise(128);
                }
            } catch (...) {
                delete block;
                throw;
            }
        }
        block->values[block->count++] = value;
        index = arg.right;
    }

    const GX_FUNCTION_DESC* outerFunction = g_state.function;
    GX_ARG_BLOCK* outerArgs = g_state.args;
    g_state.function = function;
    g_state.args = block;
    GX_VALUE result = Number(0.0);
    try {
        function->entry(&result, block);
    } catch (...) {
        ReleaseArguments();
        g_state.function = outerFunction;
        g_state.args = outerArgs;
        throw;
    }
    g_state.errorCode = 0;
    ReleaseArguments();
    g_state.function = outerFunction;
    g_state.args = outerArgs;
    if (result.type == GX_VALUE_STRING && result.text != nullptr)
        result.text = NewText(result.text, strnlen(result.text, GX_MAX_STRING));
    return result;
}

// The value a cell can hold: a reference is read, a range is an error.
GX_VALUE ToCellValue(GX_VALUE value)
{
    if (value.type == GX_VALUE_RANGE)
        return ErrorValue(149);
    if (value.type == GX_VALUE_CELL) {
        ToValue(value);
        if (value.type == GX_VALUE_ERROR)
            Raise(value.error.code, value.error.detail);
    }
    switch (value.type) {
    case GX_VALUE_NUMBER:
    case GX_VALUE_STRING:
    case GX_VALUE_NA:
    case GX_VALUE_ERROR:
        return value;
    default: {
        GX_VALUE none{};
        none.type = -1;
        return none;
    }
    }
}

void FreeScratch(std::vector<char*>& scratch)
{
    for (char* text : scratch)
        EngineFree(text);
    scratch.clear();
}
}  // namespace

GX_VALUE EvaluateFormula(int hSheet, int32_t row, int32_t col, const GX_EXPRESSION* expr, uint16_t root, BOOL bForCell)
{
    const GX_EVAL_STATE saved = g_state;
    std::vector<char*> scratch;
    g_state = GX_EVAL_STATE{};
    g_state.sheet = hSheet;
    g_state.row = row;
    g_state.col = col;
    g_state.scratch = &scratch;
    g_state.raiseMode = 255;
    SetLastErrorFlag(0);

    GX_VALUE result{};
    try {
        if (expr == nullptr || expr->nodes == nullptr || root == GX_NO_NODE)
            Raise(284);
        Evaluation evaluation(expr);
        result = evaluation.Eval(root);
        if (bForCell)
            result = ToCellValue(result);
        // The result's text outlives the scratch texts.
        if (result.type == GX_VALUE_STRING)
            result.text = EngineAllocText(result.text, std::strlen(result.text));
        SetLastErrorCode(g_state.errorCode);
    } catch (const EvaluationRaised&) {
        SetLastErrorFlag(1);
        result = ErrorValue(g_state.errorCode, g_state.errorDetail);
        SetLastErrorCode(g_state.errorCode);
    } catch (...) {
        FreeScratch(scratch);
        g_state = saved;
        throw;
    }
    FreeScratch(scratch);
    g_state = saved;
    return result;
}

void FreeValue(GX_VALUE& value)
{
    if (value.type == GX_VALUE_STRING) {
        EngineFree(value.text);
        value.text = nullptr;
    }
}

void RaiseError(int32_t code, const char* detail)
{
    g_state.errorCode = code;
    g_state.errorDetail = detail;
    if (g_state.raiseMode == 255)
        throw EvaluationRaised{};
}

int GetEvalSheet() { return g_state.sheet; }
int32_t GetEvalRow() { return g_state.row; }
int32_t GetEvalCol() { return g_state.col; }
