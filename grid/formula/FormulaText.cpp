#include "grid/formula/FormulaText.h"

#include <cstdio>

#include "framework/core/NumberText.h"
#include "grid/formula/CellReference.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/EngineText.h"
#include "grid/formula/ParsedFormula.h"

namespace
{
// Symbols of operator codes 0-25 in the default spelling. The range operator joins operands that are
// not both plain cells, at least one a name or a call: written "..", "A1..Total" would read back as
// one name, so it is written ":".
const char* const kOperatorSymbols[26] = {
    "+", "-", "+", "-", "*", "/", "**", "%", "&&", "||", "!", "&", "|",
    "^", "~", "<<", ">>", "==", "!=", "<", ">", "<=", ">=", "?", ":", "%",
};

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

class TextWriter
{
public:
    TextWriter(const GX_EXPRESSION* expr, std::string& text)
        : m_expr(expr), m_text(text), m_state(*GetEngineState())
    {
    }

    void Node(uint16_t index, int depth)
    {
        // A well-formed tree is no deeper than its node count; anything deeper is a broken array.
        if (m_expr->nodes == nullptr || index >= m_expr->nodeCount || depth > GX_MAX_NODES)
            return;
        const GX_NODE& node = m_expr->nodes[index];
        bool parentheses = (node.flags & GX_NF_PARENTHESES) != 0;
        if (parentheses)
            m_text += '(';
        Body(node, depth + 1);
        if (parentheses)
            m_text += ')';
    }

private:
    void Body(const GX_NODE& node, int depth)
    {
        switch (node.kind) {
        case GX_NODE_OPERATOR:
            Operator(node, depth);
            break;
        case GX_NODE_NUMBER:
            Number(node);
            break;
        case GX_NODE_STRING:
            m_text += '"';
            EscapeText(m_text, node.text, TRUE);
            m_text += '"';
            break;
        case GX_NODE_CELL:
        case GX_NODE_RANGE: {
            char reference[40];
            if (ReferenceTextTo(node.ref, reference))
                m_text += reference;
            break;
        }
        case GX_NODE_NAME:
            if (node.text != nullptr)
                m_text += node.text;
            break;
        case GX_NODE_NAMED_CELL:
        case GX_NODE_NAMED_RANGE:
            if (node.name != nullptr && node.name->name != nullptr)
                m_text += node.name->name;
            break;
        case GX_NODE_FUNCTION:
            Function(node, depth);
            break;
        case GX_NODE_ARG:
            if (node.arg.back < m_expr->nodeCount && m_expr->nodes[node.arg.back].kind == GX_NODE_ARG)
                m_text += ',';
            Node(node.left, depth);
            Node(node.right, depth);
            break;
        case GX_NODE_RELATIVE:
            m_text += '#';
            if (node.relative.colOffset != GX_NO_NODE) {
                m_text += '{';
                Node(node.relative.colOffset, depth);
                if (node.relative.rowOffset != GX_NO_NODE) {
                    m_text += ',';
                    Node(node.relative.rowOffset, depth);
                }
                m_text += '}';
            }
            break;
        case GX_NODE_EXTENSION:
            Node(node.left, depth);
            m_text += ':';
            Node(node.right, depth);
            break;
        default:
            break;
        }
    }

    void Operator(const GX_NODE& node, int depth)
    {
        const bool alt = m_state.m_bAltOperators != FALSE;
        switch (node.op) {
        case GX_OP_PLUS:
        case GX_OP_NEGATE:
        case GX_OP_BITNOT:
            m_text += kOperatorSymbols[node.op];
            Node(node.right, depth);
            return;
        case GX_OP_NOT:
            m_text += alt ? "#NOT#" : "!";
            Node(node.right, depth);
            return;
        case GX_OP_PERCENT:
            Node(node.right, depth);
            m_text += '%';
            return;
        case GX_OP_ERROR:
            m_text += alt ? "ERR" : "??";
            return;
        case GX_OP_CONDITIONAL:
            Node(node.left, depth);
            m_text += '?';
            Node(node.right, depth);
            return;
        default:
            break;
        }
        if (node.op < 0 || node.op > GX_OP_PERCENT)
            return;
        const char* symbol = kOperatorSymbols[node.op];
        if (alt) {
            switch (node.op) {
            case GX_OP_POWER: symbol = "^"; break;
            case GX_OP_AND: symbol = "#AND#"; break;
            case GX_OP_OR: symbol = "#OR#"; break;
            case GX_OP_XOR: symbol = "/*XOR*/"; break;
            case GX_OP_EQUAL: symbol = "="; break;
            case GX_OP_NOT_EQUAL: symbol = "<>"; break;
            default: break;
            }
        }
        Node(node.left, depth);
        m_text += symbol;
        Node(node.right, depth);
    }

    void Number(const GX_NODE& node)
    {
        if ((node.flags & GX_NF_HEX) != 0 && !m_state.m_bAltOperators && FitsIn32Bits(node.number)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", unsigned(uint32_t(int64_t(node.number))));
            m_text += hex;
            return;
        }
        m_text += NumberText::Format("%.14g", node.number);
    }

    void Function(const GX_NODE& node, int depth)
    {
        const char* name = node.function != nullptr ? node.function->name : nullptr;
        FunctionNameText(m_text, name != nullptr ? name : "", FALSE);
        if (node.right != GX_NO_NODE) {
            m_text += '(';
            Node(node.right, depth);
            m_text += ')';
        } else if (!m_state.m_bAtSignFunctions) {
            m_text += "()";
        }
    }

    const GX_EXPRESSION* m_expr;
    std::string& m_text;
    const GX_ENGINE_STATE& m_state;
};
}  // namespace

void NodeText(int /*hSheet*/, const GX_EXPRESSION* expr, uint16_t index, std::string& text)
{
    if (expr == nullptr)
        return;
    TextWriter(expr, text).Node(index, 0);
}

void FormulaText(int hSheet, const GX_EXPRESSION* expr, std::string& text)
{
    text.clear();
    if (expr == nullptr || expr->root == GX_NO_NODE)
        return;
    const bool alt = GetEngineState()->m_bAltOperators != FALSE;
    text += '=';
    NodeText(hSheet, expr, expr->root, text);
    if (expr->constraintRoot != GX_NO_NODE) {
        text += ';';
        NodeText(hSheet, expr, expr->constraintRoot, text);
    }
    if (!alt && expr->dependencyRoot != GX_NO_NODE && expr->nodes != nullptr) {
        text += '\\';
        int items = 0;
        for (uint16_t item = expr->dependencyRoot; item < expr->nodeCount && items <= GX_MAX_NODES;
             item = expr->nodes[item].right, ++items) {
            if (items != 0)
                text += ',';
            // A list item's right link chains the list; the item itself writes no sub-node.
            NodeText(hSheet, expr, item, text);
        }
    }
    if (!alt && expr->comment != nullptr) {
        text += "//";
        text += expr->comment;
    }
}

std::string FormulaText(int hSheet, const GX_EXPRESSION* expr)
{
    std::string text;
    FormulaText(hSheet, expr, text);
    return text;
}

void FunctionNameText(std::string& text, const char* name, BOOL withParentheses)
{
    const GX_ENGINE_STATE& state = *GetEngineState();
    std::string written;
    if (state.m_bAtSignFunctions || name[0] == '@')
        written += '@';
    written += name;
    if (state.m_bLowerCaseFunctions)
        for (char& c : written)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
    if (withParentheses && !state.m_bAtSignFunctions)
        written += "()";
    text += written;
}

void EscapeText(std::string& text, const char* source, BOOL escapeQuotes)
{
    if (source == nullptr)
        return;
    const bool escapeAll = GetEngineState()->m_bEscapeAllBytes != FALSE;
    for (const char* p = source; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        switch (c) {
        case '\f': text += "\\f"; continue;
        case '\n': text += "\\n"; continue;
        case '\r': text += "\\r"; continue;
        case '\t': text += "\\t"; continue;
        case '\v': text += "\\v"; continue;
        case '\a': text += "\\a"; continue;
        case '\b': text += "\\b"; continue;
        case '\\': text += "\\\\"; continue;
        default: break;
        }
        if (c == '"' && escapeQuotes) {
            text += "\\\"";
        } else if (c >= 0x20 && c <= 0x7E) {
            text += char(c);
        } else if (c >= 0xA1 && !escapeAll) {
            text += char(c);
        } else {
            // As few octal digits as read back the same byte.
            char octal[8];
            if (c >= 0x40 || IsOctalDigit(p[1]))
                std::snprintf(octal, sizeof octal, "\\%03o", unsigned(c));
            else
                std::snprintf(octal, sizeof octal, "\\%o", unsigned(c));
            text += octal;
        }
    }
}

int UnescapeText(char* buffer, const char* text)
{
    int length = 0;
    const char* p = text;
    while (*p != '\0' && length < GX_MAX_STRING) {
        if (*p != '\\') {
            buffer[length++] = *p++;
            continue;
        }
        ++p;
        char c = *p;
        if (c == '\0')
            break;
        switch (c) {
        case 'f': buffer[length++] = '\f'; ++p; continue;
        case '"': buffer[length++] = '"'; ++p; continue;
        case '\\': buffer[length++] = '\\'; ++p; continue;
        case 'a': buffer[length++] = '\a'; ++p; continue;
        case 'b': buffer[length++] = '\b'; ++p; continue;
        case 'n': buffer[length++] = '\n'; ++p; continue;
        case 'r': buffer[length++] = '\r'; ++p; continue;
        case 't': buffer[length++] = '\t'; ++p; continue;
        case 'v': buffer[length++] = '\v'; ++p; continue;
        default: break;
        }
        if (c == 'x') {
            int high = HexDigitValue(static_cast<unsigned char>(p[1]));
            if (high < 0) {
                buffer[length++] = 'x';
                ++p;
                continue;
            }
            int low = HexDigitValue(static_cast<unsigned char>(p[2]));
            if (low < 0) {
                buffer[length++] = char(high);
                p += 2;
            } else {
                buffer[length++] = char(high * 16 + low);
                p += 3;
            }
            continue;
        }
        if (IsOctalDigit(c)) {
            int value = 0;
            for (int digits = 0; digits < 3 && IsOctalDigit(*p); ++digits, ++p)
                value = value * 8 + (*p - '0');
            buffer[length++] = char(value & 0xFF);
            continue;
        }
        buffer[length++] = c;
        ++p;
    }
    buffer[length] = '\0';
    return length;
}
