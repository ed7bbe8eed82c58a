#include "grid/formula/FormulaParser.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/core/Exceptions.h"
#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/EngineText.h"
#include "grid/formula/ErrorTexts.h"
#include "grid/formula/FormulaScanner.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/RangeNames.h"

namespace
{
constexpr int kMaxArguments = 100;
// Significant digits of a hex number that fit 32 bits.
constexpr std::size_t kMaxHexDigits = 8;

// The two-operand levels, lowest precedence first; each is left-associative.
struct LevelOperator
{
    int32_t token;
    int32_t op;
};
struct Level
{
    LevelOperator operators[4];
    int count;
};
const Level kLevels[] = {
    {{{GX_TK_OR, GX_OP_OR}}, 1},
    {{{GX_TK_AND, GX_OP_AND}}, 1},
    {{{GX_TK_BAR, GX_OP_BITOR}}, 1},
    {{{GX_TK_CARET, GX_OP_XOR}}, 1},
    {{{GX_TK_AMPERSAND, GX_OP_BITAND}}, 1},
    {{{GX_TK_ASSIGN, GX_OP_EQUAL}, {GX_TK_EQUAL, GX_OP_EQUAL}, {GX_TK_NOT_EQUAL, GX_OP_NOT_EQUAL}}, 3},
    {{{GX_TK_LESS, GX_OP_LESS},
      {GX_TK_GREATER, GX_OP_GREATER},
      {GX_TK_LESS_EQUAL, GX_OP_LESS_EQUAL},
      {GX_TK_GREATER_EQUAL, GX_OP_GREATER_EQUAL}},
     4},
    {{{GX_TK_SHIFT_LEFT, GX_OP_SHIFT_LEFT}, {GX_TK_SHIFT_RIGHT, GX_OP_SHIFT_RIGHT}}, 2},
    {{{GX_TK_PLUS, GX_OP_ADD}, {GX_TK_MINUS, GX_OP_SUBTRACT}}, 2},
    {{{GX_TK_STAR, GX_OP_MULTIPLY}, {GX_TK_SLASH, GX_OP_DIVIDE}, {GX_TK_PERCENT, GX_OP_MODULO}}, 3},
};
constexpr int kLevelCount = int(sizeof kLevels / sizeof kLevels[0]);

bool IsRangeSeparator(int32_t code)
{
    return code == GX_TK_COLON || code == GX_TK_DOTDOT || code == GX_TK_DOT;
}

// Tokens that start an operand: a "%" before one of them is modulo, not percent.
bool StartsOperand(int32_t code)
{
    switch (code) {
    case GX_TK_HASH:
    case GX_TK_LPAREN:
    case GX_TK_CELL:
    case GX_TK_NAME:
    case GX_TK_FUNCTION:
    case GX_TK_STRING:
    case GX_TK_NUMBER:
    case GX_TK_HEX:
    case GX_TK_ERROR:
        return true;
    default:
        return false;
    }
}

class Parser
{
public:
    explicit Parser(int hSheet)
        : m_hSheet(hSheet), m_scanner(*GetParseState()), m_altSpelling(GetEngineState()->m_bAltOperators != FALSE)
    {
    }
    ~Parser() { ReleaseTokens(); }

    BOOL Run(const char* text, GX_EXPRESSION* result);

private:
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Token access.
    // The next token as the formula text is spelled: the alternative spelling writes the power as
    // "^" and the exclusive or as "/*XOR*/", so that is how it reads them back.
    GX_TOKEN Scan()
    {
        GX_TOKEN token = m_scanner.NextToken();
        if (token.code == GX_TK_CARET && m_altSpelling)
            token.code = GX_TK_POWER;
        else if (token.code == GX_TK_XOR_WORD)
            token.code = GX_TK_CARET;
        return token;
    }
    int32_t Peek()
    {
        if (!m_present[0]) {
            m_look[0] = Scan();
            m_present[0] = true;
        }
        return m_look[0].code;
    }
    int32_t PeekSecond()
    {
        Peek();
        if (!m_present[1]) {
            m_look[1] = Scan();
            m_present[1] = true;
        }
        return m_look[1].code;
    }
    const GX_TOKEN& Ahead()
    {
        Peek();
        return m_look[0];
    }
    bool Match(int32_t expected);
    char* TakeValue()
    {
        char* value = m_current.value;
        m_current.value = nullptr;
        return value;
    }
    void ReleaseTokens();

    void SetError(int32_t code, int32_t position)
    {
        m_error = true;
        m_code = code;
        m_position = position;
    }
    // The error a bad token carries (223, or 5 when the scanner ran out of memory), else `code`;
    // at the position of the token ahead.
    void ErrorAhead(int32_t code)
    {
        const GX_TOKEN& token = Ahead();
        SetError(token.code == GX_TK_BAD ? token.error : code, token.position);
    }

    uint16_t NewNode(uint8_t kind);
    GX_NODE& Node(uint16_t index) { return m_nodes[index]; }

    // Grammar.
    uint16_t Expression();
    uint16_t ConditionalTail(uint16_t condition);
    uint16_t Binary(int level);
    uint16_t Unary();
    uint16_t Power();
    uint16_t Postfix();
    uint16_t Primary();
    uint16_t ErrorConstant();
    bool IsErrorWord();
    uint16_t Parenthesised();
    uint16_t Relative();
    uint16_t CellNode();
    uint16_t NamedReference();
    uint16_t Call(bool needsParentheses);
    void BuildCall(uint16_t nameNode, const uint16_t* args, int count);
    bool CheckArguments(const GX_FUNCTION_DESC& desc, uint16_t firstArg, int count);
    uint16_t RangeSuffix(uint16_t left);
    uint16_t Combine(uint16_t left, uint16_t right);
    uint16_t DependencyList();
    bool OpenParenthesis();

    int m_hSheet;
    GX_PARSE_STATE& m_scanner;
    const bool m_altSpelling;

    GX_NODE m_nodes[GX_MAX_NODES];
    int m_count = 0;

    GX_TOKEN m_current{GX_TK_END, nullptr, 0, 0};
    GX_TOKEN m_look[2]{};
    bool m_present[2]{false, false};

    bool m_error = false;
    int32_t m_code = 0;
    int32_t m_expected = 0;
    int32_t m_found = 0;
    int32_t m_position = 0;

    int m_nesting = 0;
    char* m_comment = nullptr;
};

bool Parser::Match(int32_t expected)
{
    if (m_error)
        return false;
    EngineFree(m_current.value);
    if (m_present[0]) {
        m_current = m_look[0];
        m_look[0] = m_look[1];
        m_present[0] = m_present[1];
        m_look[1] = GX_TOKEN{};
        m_present[1] = false;
    } else {
        m_current = Scan();
    }
    if (m_current.code == GX_TK_BAD) {
        SetError(m_current.error, m_current.position);
        return false;
    }
    if (m_current.code != expected) {
        SetError(expected <= GX_TK_DOT ? GX_ERR_EXPECTED_TOKEN + expected : GX_ERR_UNEXPECTED, m_current.position);
        m_expected = expected;
        m_found = m_current.code;
        return false;
    }
    return true;
}

void Parser::ReleaseTokens()
{
    EngineFree(m_current.value);
    m_current.value = nullptr;
    for (int i = 0; i < 2; ++i) {
        if (m_present[i])
            EngineFree(m_look[i].value);
        m_look[i] = GX_TOKEN{};
        m_present[i] = false;
    }
}

uint16_t Parser::NewNode(uint8_t kind)
{
    if (m_count >= GX_MAX_NODES) {
        SetError(GX_ERR_TOKEN_BUFFER_OVERFLOW, m_current.position);
        return GX_NO_NODE;
    }
    GX_NODE& node = m_nodes[m_count];
    std::memset(static_cast<void*>(&node), 0, sizeof node);
    node.kind = kind;
    node.left = node.right = GX_NO_NODE;
    return uint16_t(m_count++);
}

BOOL Parser::Run(const char* text, GX_EXPRESSION* result)
{
    *result = GX_EXPRESSION{GX_NO_NODE, GX_NO_NODE, GX_NO_NODE, 0, nullptr, nullptr};
    uint16_t root = GX_NO_NODE, constraint = GX_NO_NODE, dependencies = GX_NO_NODE;
    GX_NODE* nodes = nullptr;
    try {
        m_scanner.SetInput(text);
        if (Peek() == GX_TK_EQUAL) {
            // "==" at the start: the second "=" is where an operand was wanted.
            SetError(GX_ERR_EXPECTED_OPERAND, Ahead().position + 1);
        } else if (Match(GX_TK_ASSIGN)) {
            root = Expression();
            if (!m_error && Peek() == GX_TK_SEMICOLON && Match(GX_TK_SEMICOLON))
                constraint = Expression();
            if (!m_error && Peek() == GX_TK_BACKSLASH && Match(GX_TK_BACKSLASH))
                dependencies = DependencyList();
            if (!m_error && Peek() == GX_TK_COMMENT && Match(GX_TK_COMMENT))
                m_comment = TakeValue();
            Match(GX_TK_END);
        }
        if (!m_error)
            nodes = static_cast<GX_NODE*>(EngineAlloc(sizeof(GX_NODE) * std::size_t(m_count)));
    } catch (CMemoryException* e) {
        e->Delete();
        SetError(GX_ERR_OUT_OF_MEMORY, m_current.position);
    }

    GX_ENGINE_STATE* state = GetEngineState();
    state->m_lastErrorFlag = m_error ? 1 : 0;
    state->m_lastErrorCode = m_error ? m_code : 0;
    state->m_lastErrorPosition = m_error ? m_position : 0;
    ReleaseTokens();

    if (m_error) {
        for (int i = 0; i < m_count; ++i)
            if (m_nodes[i].kind == GX_NODE_STRING || m_nodes[i].kind == GX_NODE_NAME)
                EngineFree(m_nodes[i].text);
        EngineFree(m_comment);
        return FALSE;
    }
    std::memcpy(static_cast<void*>(nodes), m_nodes, sizeof(GX_NODE) * std::size_t(m_count));
    result->root = root;
    result->constraintRoot = constraint;
    result->dependencyRoot = dependencies;
    result->nodeCount = int16_t(m_count);
    result->nodes = nodes;
    result->comment = m_comment;
    return TRUE;
}

uint16_t Parser::Expression()
{
    if (m_error)
        return GX_NO_NODE;
    return ConditionalTail(Binary(0));
}

// "?" expression ":" or-expression and its own tail: conditionals group to the right.
uint16_t Parser::ConditionalTail(uint16_t condition)
{
    if (m_error || Peek() != GX_TK_QUESTION)
        return m_error ? GX_NO_NODE : condition;
    Match(GX_TK_QUESTION);
    uint16_t op = NewNode(GX_NODE_OPERATOR);
    if (m_error)
        return GX_NO_NODE;
    Node(op).op = GX_OP_CONDITIONAL;
    uint16_t thenBranch = Expression();
    if (!Match(GX_TK_COLON))
        return GX_NO_NODE;
    uint16_t extension = NewNode(GX_NODE_EXTENSION);
    if (m_error)
        return GX_NO_NODE;
    uint16_t elseBranch = ConditionalTail(Binary(0));
    if (m_error)
        return GX_NO_NODE;
    Node(op).left = condition;
    Node(op).right = extension;
    Node(extension).left = thenBranch;
    Node(extension).right = elseBranch;
    Node(extension).back = op;
    return op;
}

uint16_t Parser::Binary(int level)
{
    if (level == kLevelCount)
        return Unary();
    uint16_t left = Binary(level + 1);
    while (!m_error) {
        int32_t code = Peek();
        const Level& ops = kLevels[level];
        int found = 0;
        while (found < ops.count && ops.operators[found].token != code)
            ++found;
        if (found == ops.count)
            break;
        Match(code);
        uint16_t op = NewNode(GX_NODE_OPERATOR);
        if (m_error)
            break;
        Node(op).op = ops.operators[found].op;
        uint16_t right = Binary(level + 1);
        if (m_error)
            break;
        Node(op).left = left;
        Node(op).right = right;
        left = op;
    }
    return m_error ? GX_NO_NODE : left;
}

// One prefix operator before a power operand; a second one directly after it is no operand.
uint16_t Parser::Unary()
{
    int32_t op;
    switch (Peek()) {
    case GX_TK_PLUS: op = GX_OP_PLUS; break;
    case GX_TK_MINUS: op = GX_OP_NEGATE; break;
    case GX_TK_NOT: op = GX_OP_NOT; break;
    case GX_TK_TILDE: op = GX_OP_BITNOT; break;
    default: return Power();
    }
    Match(Peek());
    uint16_t node = NewNode(GX_NODE_OPERATOR);
    if (m_error)
        return GX_NO_NODE;
    Node(node).op = op;
    uint16_t operand = Power();
    if (m_error)
        return GX_NO_NODE;
    Node(node).right = operand;
    return node;
}

uint16_t Parser::Power()
{
    uint16_t left = Postfix();
    while (!m_error && Peek() == GX_TK_POWER) {
        Match(GX_TK_POWER);
        uint16_t op = NewNode(GX_NODE_OPERATOR);
        if (m_error)
            break;
        Node(op).op = GX_OP_POWER;
        uint16_t right = Postfix();
        if (m_error)
            break;
        Node(op).left = left;
        Node(op).right = right;
        left = op;
    }
    return m_error ? GX_NO_NODE : left;
}

// A "%" that no operand follows is a percent of the primary before it.
uint16_t Parser::Postfix()
{
    uint16_t primary = Primary();
    if (m_error)
        return GX_NO_NODE;
    if (Peek() == GX_TK_PERCENT && !StartsOperand(PeekSecond())) {
        Match(GX_TK_PERCENT);
        uint16_t op = NewNode(GX_NODE_OPERATOR);
        if (m_error)
            return GX_NO_NODE;
        Node(op).op = GX_OP_PERCENT;
        Node(op).right = primary;
        return op;
    }
    return primary;
}

uint16_t Parser::Primary()
{
    if (m_error)
        return GX_NO_NODE;
    switch (Peek()) {
    case GX_TK_STRING: {
        Match(GX_TK_STRING);
        uint16_t node = NewNode(GX_NODE_STRING);
        if (m_error)
            return GX_NO_NODE;
        char* text = TakeValue();
        UnescapeText(text, text);
        Node(node).text = text;
        return node;
    }
    case GX_TK_NUMBER: {
        Match(GX_TK_NUMBER);
        uint16_t node = NewNode(GX_NODE_NUMBER);
        if (m_error)
            return GX_NO_NODE;
        Node(node).number = std::strtod(m_current.value, nullptr);
        return node;
    }
    case GX_TK_HEX: {
        Match(GX_TK_HEX);
        const char* digits = m_current.value;
        while (digits[0] == '0' && digits[1] != '\0')
            ++digits;
        if (std::strlen(digits) > kMaxHexDigits) {
            SetError(GX_ERR_HEX_TOO_LONG, m_current.position);
            return GX_NO_NODE;
        }
        uint16_t node = NewNode(GX_NODE_NUMBER);
        if (m_error)
            return GX_NO_NODE;
        Node(node).number = double(int32_t(uint32_t(std::strtoul(digits, nullptr, 16))));
        Node(node).flags |= GX_NF_HEX;
        return node;
    }
    case GX_TK_ERROR:
        Match(GX_TK_ERROR);
        return ErrorConstant();
    case GX_TK_LPAREN:
        return Parenthesised();
    case GX_TK_HASH:
        return Relative();
    case GX_TK_FUNCTION:
        Match(GX_TK_FUNCTION);
        return RangeSuffix(Call(false));
    case GX_TK_CELL:
        Match(GX_TK_CELL);
        return RangeSuffix(CellNode());
    case GX_TK_NAME:
        Match(GX_TK_NAME);
        if (Peek() == GX_TK_LPAREN)
            return RangeSuffix(Call(true));
        if (IsErrorWord())
            return ErrorConstant();
        return RangeSuffix(NamedReference());
    default:
        ErrorAhead(GX_ERR_EXPECTED_OPERAND);
        return GX_NO_NODE;
    }
}

uint16_t Parser::ErrorConstant()
{
    uint16_t node = NewNode(GX_NODE_OPERATOR);
    if (m_error)
        return GX_NO_NODE;
    Node(node).op = GX_OP_ERROR;
    return node;
}

// The alternative spelling writes the error constant as "ERR"; a range name of that name, which it
// would write the same, keeps its meaning.
bool Parser::IsErrorWord()
{
    return !m_error && m_altSpelling && m_current.value != nullptr && _stricmp(m_current.value, "ERR") == 0
           && FindRangeName(m_hSheet, m_current.value) == nullptr;
}

// Consumes a "(" unless it would nest deeper than the bound.
bool Parser::OpenParenthesis()
{
    if (m_error)
        return false;
    if (Peek() == GX_TK_LPAREN && m_nesting >= GX_MAX_NESTING) {
        SetError(GX_ERR_RECURSION_TOO_DEEP, Ahead().position);
        return false;
    }
    if (!Match(GX_TK_LPAREN))
        return false;
    ++m_nesting;
    return true;
}

uint16_t Parser::Parenthesised()
{
    if (!OpenParenthesis())
        return GX_NO_NODE;
    uint16_t inner = Expression();
    --m_nesting;
    if (!Match(GX_TK_RPAREN))
        return GX_NO_NODE;
    Node(inner).flags |= GX_NF_PARENTHESES;
    return inner;
}

// "#" alone is the current cell; "#{column}" and "#{column,row}" move it.
uint16_t Parser::Relative()
{
    Match(GX_TK_HASH);
    uint16_t node = NewNode(GX_NODE_RELATIVE);
    if (m_error)
        return GX_NO_NODE;
    Node(node).relative.rowOffset = GX_NO_NODE;
    Node(node).relative.colOffset = GX_NO_NODE;
    if (Peek() != GX_TK_LBRACE)
        return node;
    Match(GX_TK_LBRACE);
    uint16_t col = Expression();
    uint16_t row = GX_NO_NODE;
    if (!m_error && Peek() == GX_TK_COMMA) {
        Match(GX_TK_COMMA);
        row = Expression();
    }
    if (!Match(GX_TK_RBRACE))
        return GX_NO_NODE;
    Node(node).relative.colOffset = col;
    Node(node).relative.rowOffset = row;
    return node;
}

// The cell token just consumed.
uint16_t Parser::CellNode()
{
    if (m_error)
        return GX_NO_NODE;
    GX_CELLREF ref{};
    if (!ParseReference(m_current.value, &ref)) {
        SetError(GX_ERR_CELL_OUT_OF_RANGE, m_current.position);
        return GX_NO_NODE;
    }
    uint16_t node = NewNode(GX_NODE_CELL);
    if (m_error)
        return GX_NO_NODE;
    Node(node).ref = ref;
    return node;
}

// The name token just consumed, looked up among the sheet's range names.
uint16_t Parser::NamedReference()
{
    if (m_error)
        return GX_NO_NODE;
    char* name = TakeValue();
    GX_RANGE_NAME* entry = FindRangeName(m_hSheet, name);
    EngineFree(name);
    uint16_t node = NewNode(entry != nullptr && entry->ref.IsSingle() ? GX_NODE_NAMED_CELL : GX_NODE_NAMED_RANGE);
    if (m_error)
        return GX_NO_NODE;
    Node(node).name = entry;
    if (entry == nullptr) {
        SetError(GX_ERR_UNDEFINED_NAME, m_current.position);
        return GX_NO_NODE;
    }
    return node;
}

// The name or function-name token just consumed, with its argument list ("@F" may go without one).
// The first error found stands: an unknown function is reported once its arguments have parsed.
uint16_t Parser::Call(bool needsParentheses)
{
    if (m_error)
        return GX_NO_NODE;
    uint16_t nameNode = NewNode(GX_NODE_NAME);
    if (m_error)
        return GX_NO_NODE;
    Node(nameNode).text = TakeValue();

    uint16_t args[GX_MAX_NODES];
    int count = 0;
    if (needsParentheses || Peek() == GX_TK_LPAREN) {
        if (OpenParenthesis()) {
            if (Peek() != GX_TK_RPAREN) {
                for (;;) {
                    uint16_t arg = Expression();
                    if (m_error)
                        break;
                    args[count++] = arg;
                    if (Peek() != GX_TK_COMMA)
                        break;
                    Match(GX_TK_COMMA);
                }
            }
            --m_nesting;
            Match(GX_TK_RPAREN);
        }
    }

    if (!m_error)
        BuildCall(nameNode, args, count);
    return m_error ? GX_NO_NODE : nameNode;
}

void Parser::BuildCall(uint16_t nameNode, const uint16_t* args, int count)
{
    uint16_t firstArg = GX_NO_NODE;
    uint16_t previous = nameNode;
    for (int i = 0; i < count; ++i) {
        uint16_t arg = NewNode(GX_NODE_ARG);
        if (m_error)
            return;
        Node(arg).left = args[i];
        Node(arg).arg.back = previous;
        if (previous == nameNode)
            firstArg = arg;
        else
            Node(previous).right = arg;
        previous = arg;
    }

    char* name = Node(nameNode).text;
    UpperCaseText(name);
    const GX_FUNCTION_DESC* desc = GetEngineState()->LookupFunction(name);
    if (desc != nullptr && CheckArguments(*desc, firstArg, count) && count >= 2 && desc->name != nullptr
        && std::strcmp(desc->name, "XVALUE") == 0)
        Node(args[1]).flags |= GX_NF_NOT_FOLLOWED;
    EngineFree(name);
    GX_NODE& node = Node(nameNode);
    node.kind = GX_NODE_FUNCTION;
    node.function = desc;
    node.right = firstArg;
    if (desc == nullptr)
        SetError(GX_ERR_UNDEFINED_FUNCTION, m_current.position);
}

// Matches the arguments (ARG nodes firstArg .. firstArg + count - 1) to the parameter entries and
// checks their number. A repeating entry takes every argument left to it, but for those that the
// entries after it take from the end.
bool Parser::CheckArguments(const GX_FUNCTION_DESC& desc, uint16_t firstArg, int count)
{
    if (count > kMaxArguments) {
        SetError(GX_ERR_TOO_MANY_ARGUMENTS, m_current.position);
        return false;
    }
    const int entries = std::max<int>(desc.paramCount, 0);
    auto assign = [&](int argIndex, const GX_PARAM_ENTRY& param) {
        GX_NODE& arg = Node(uint16_t(firstArg + argIndex));
        arg.arg.argClass = uint16_t(param.argClass);
        if ((param.flags & GX_PARAM_UNEVALUATED) != 0)
            arg.flags |= GX_NF_UNEVALUATED;
    };
    bool repeatingMet = false;
    int next = 0;
    for (int entry = 0; entry < entries && next < count; ++entry) {
        const GX_PARAM_ENTRY& param = desc.params[entry];
        if ((param.flags & GX_PARAM_KIND_MASK) != GX_PARAM_REPEATING) {
            assign(next++, param);
            continue;
        }
        repeatingMet = true;
        int after = entries - 1 - entry;
        int tailStart = std::max(next, count - after);
        for (; next < tailStart; ++next)
            assign(next, param);
        // The entries after the repeating one, counted from the end.
        for (; next < count; ++next)
            assign(next, desc.params[entries - (count - next)]);
        break;
    }

    int optional = 0;
    for (int entry = 0; entry < entries; ++entry)
        if ((desc.params[entry].flags & GX_PARAM_KIND_MASK) == GX_PARAM_OPTIONAL)
            ++optional;
    if (count < entries - optional) {
        SetError(GX_ERR_NOT_ENOUGH_ARGUMENTS, m_current.position);
        return false;
    }
    if (count > entries && !repeatingMet) {
        SetError(GX_ERR_TOO_MANY_ARGUMENTS, m_current.position);
        return false;
    }
    return true;
}

// After a cell, a name or a call: ":", ".." or "." and the right-hand side of a range.
uint16_t Parser::RangeSuffix(uint16_t left)
{
    if (m_error || !IsRangeSeparator(Peek()))
        return m_error ? GX_NO_NODE : left;
    Match(Peek());
    uint16_t right = GX_NO_NODE;
    switch (Peek()) {
    case GX_TK_CELL:
        Match(GX_TK_CELL);
        right = CellNode();
        break;
    case GX_TK_NAME:
        Match(GX_TK_NAME);
        right = Peek() == GX_TK_LPAREN ? Call(true) : NamedReference();
        break;
    case GX_TK_FUNCTION:
        Match(GX_TK_FUNCTION);
        right = Call(true);
        break;
    default:
        ErrorAhead(GX_ERR_EXPECTED_RANGE_END);
        break;
    }
    if (m_error)
        return GX_NO_NODE;
    return Combine(left, right);
}

// Two cells become one RANGE node (the right one, always the last made, is given back); anything
// else is a range operator formed at evaluation.
uint16_t Parser::Combine(uint16_t left, uint16_t right)
{
    GX_NODE& first = Node(left);
    const GX_NODE& second = Node(right);
    if (first.kind == GX_NODE_CELL && second.kind == GX_NODE_CELL) {
        first.ref.SetLastRow(second.ref.FirstRow());
        first.ref.SetLastCol(second.ref.FirstCol());
        first.ref.Set(GX_REF_LAST_ROW_ABS, second.ref.Has(GX_REF_FIRST_ROW_ABS));
        first.ref.Set(GX_REF_LAST_COL_ABS, second.ref.Has(GX_REF_FIRST_COL_ABS));
        first.ref.Set(GX_REF_SINGLE, false);
        NormalizeReference(&first.ref);
        first.kind = GX_NODE_RANGE;
        if (right == m_count - 1)
            --m_count;
        return left;
    }
    uint16_t op = NewNode(GX_NODE_OPERATOR);
    if (m_error)
        return GX_NO_NODE;
    Node(op).op = GX_OP_RANGE;
    Node(op).left = left;
    Node(op).right = right;
    return op;
}

// After "\": cells, ranges of two cells and names, separated by ",", chained through right links.
uint16_t Parser::DependencyList()
{
    uint16_t first = GX_NO_NODE, previous = GX_NO_NODE;
    while (!m_error) {
        uint16_t item = GX_NO_NODE;
        int32_t code = Peek();
        if (code == GX_TK_CELL) {
            Match(GX_TK_CELL);
            item = CellNode();
            if (!m_error && IsRangeSeparator(Peek())) {
                Match(Peek());
                if (Match(GX_TK_CELL)) {
                    uint16_t right = CellNode();
                    if (!m_error)
                        item = Combine(item, right);
                }
            }
        } else if (code == GX_TK_NAME) {
            Match(GX_TK_NAME);
            item = NamedReference();
        } else {
            break;
        }
        if (m_error)
            break;
        if (previous == GX_NO_NODE)
            first = item;
        else
            Node(previous).right = item;
        previous = item;
        if (Peek() != GX_TK_COMMA)
            break;
        Match(GX_TK_COMMA);
    }
    return m_error ? GX_NO_NODE : first;
}
}  // namespace

BOOL ParseFormula(int hSheet, const char* text, GX_EXPRESSION* result)
{
    if (result == nullptr)
        return FALSE;
    Parser parser(hSheet);
    return parser.Run(text, result);
}
