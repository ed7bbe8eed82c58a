#include "grid/formula/FormulaScanner.h"

#include <cstdlib>
#include <cstring>

#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/ErrorTexts.h"

namespace
{
// The buffer ends with two zero bytes, so every rule may look one character past the text.
constexpr std::size_t kEndBytes = 2;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Rule 1: "$"? 1-3 letters "$"? 1-7 digits.
std::size_t MatchCellReference(const char* s)
{
    std::size_t i = s[0] == '$' ? 1 : 0;
    std::size_t letters = 0;
    while (letters < 3 && IsLetter(s[i + letters]))
        ++letters;
    if (letters == 0)
        return 0;
    i += letters;
    if (s[i] == '$')
        ++i;
    std::size_t digits = 0;
    while (digits < 7 && IsDigit(s[i + digits]))
        ++digits;
    return digits == 0 ? 0 : i + digits;
}

// Rule 2: a letter, "$" or "_", then letters, digits, ".", "$" and "_".
std::size_t MatchIdentifier(const char* s)
{
    if (!(IsLetter(s[0]) || s[0] == '$' || s[0] == '_'))
        return 0;
    std::size_t i = 1;
    while (IsLetter(s[i]) || IsDigit(s[i]) || s[i] == '.' || s[i] == '$' || s[i] == '_')
        ++i;
    return i;
}

// Rule 3: "@" then letters, digits, "@" and "_".
std::size_t MatchFunctionName(const char* s)
{
    if (s[0] != '@')
        return 0;
    std::size_t i = 1;
    while (IsLetter(s[i]) || IsDigit(s[i]) || s[i] == '@' || s[i] == '_')
        ++i;
    return i;
}

// Rule 4: a quoted string. A backslash takes the next character with it, so an escaped quotation
// mark does not end the string and "\\" before the closing mark does not hide it.
std::size_t MatchString(const char* s)
{
    if (s[0] != '"')
        return 0;
    for (std::size_t i = 1;; ++i) {
        if (s[i] == '\0')
            return 0;
        if (s[i] == '\\') {
            if (s[i + 1] == '\0')
                return 0;
            ++i;
        } else if (s[i] == '"') {
            return i + 1;
        }
    }
}

// Rule 5: "0x" or "0X" and hex digits.
std::size_t MatchHex(const char* s)
{
    if (s[0] != '0' || (s[1] != 'x' && s[1] != 'X') || !IsHexDigit(s[2]))
        return 0;
    std::size_t i = 3;
    while (IsHexDigit(s[i]))
        ++i;
    return i;
}

// The optional exponent at i: a lower-case "e", an optional sign, digits.
std::size_t WithExponent(const char* s, std::size_t i)
{
    if (s[i] != 'e')
        return i;
    std::size_t j = i + 1;
    if (s[j] == '+' || s[j] == '-')
        ++j;
    if (!IsDigit(s[j]))
        return i;
    while (IsDigit(s[j]))
        ++j;
    return j;
}

std::size_t Digits(const char* s)
{
    std::size_t i = 0;
    while (IsDigit(s[i]))
        ++i;
    return i;
}

// Rules 6-8: digits; digits "." digits?; "." digits; each with an optional exponent.
std::size_t MatchInteger(const char* s)
{
    std::size_t digits = Digits(s);
    return digits == 0 ? 0 : WithExponent(s, digits);
}

std::size_t MatchDecimal(const char* s)
{
    std::size_t digits = Digits(s);
    if (digits == 0 || s[digits] != '.')
        return 0;
    return WithExponent(s, digits + 1 + Digits(s + digits + 1));
}

std::size_t MatchFraction(const char* s)
{
    if (s[0] != '.' || !IsDigit(s[1]))
        return 0;
    return WithExponent(s, 1 + Digits(s + 1));
}

// Rule 9: "//" and the rest of the line.
std::size_t MatchComment(const char* s)
{
    if (s[0] != '/' || s[1] != '/')
        return 0;
    std::size_t i = 2;
    while (s[i] != '\0' && s[i] != '\n')
        ++i;
    return i;
}

bool KeywordAt(const char* s, const char* keyword)
{
    for (std::size_t i = 0; keyword[i] != '\0'; ++i)
        if (Upper(s[i]) != keyword[i])
            return false;
    return true;
}

// Rules 10-48: the operators and punctuation; the longest one at s.
std::size_t MatchOperator(const char* s, int32_t& code)
{
    if (s[0] == '#') {
        if (KeywordAt(s, "#AND#")) {
            code = GX_TK_AND;
            return 5;
        }
        if (KeywordAt(s, "#NOT#")) {
            code = GX_TK_NOT;
            return 5;
        }
        if (KeywordAt(s, "#OR#")) {
            code = GX_TK_OR;
            return 4;
        }
    }
    if (s[0] == '/' && KeywordAt(s, "/*XOR*/")) {
        code = GX_TK_XOR_WORD;
        return 7;
    }
    struct Pair
    {
        char text[3];
        int32_t code;
    };
    static const Pair pairs[] = {
        {"**", GX_TK_POWER},        {"&&", GX_TK_AND},         {"||", GX_TK_OR},
        {"<<", GX_TK_SHIFT_LEFT},   {">>", GX_TK_SHIFT_RIGHT}, {"<=", GX_TK_LESS_EQUAL},
        {">=", GX_TK_GREATER_EQUAL}, {"!=", GX_TK_NOT_EQUAL},  {"<>", GX_TK_NOT_EQUAL},
        {"==", GX_TK_EQUAL},        {"..", GX_TK_DOTDOT},      {"??", GX_TK_ERROR},
    };
    for (const Pair& pair : pairs) {
        if (s[0] == pair.text[0] && s[1] == pair.text[1]) {
            code = pair.code;
            return 2;
        }
    }
    static const char singles[] = ";:,?#\\+-*/%|^&!~<>(){}=.";
    static const int32_t singleCodes[] = {
        GX_TK_SEMICOLON, GX_TK_COLON, GX_TK_COMMA, GX_TK_QUESTION, GX_TK_HASH, GX_TK_BACKSLASH,
        GX_TK_PLUS, GX_TK_MINUS, GX_TK_STAR, GX_TK_SLASH, GX_TK_PERCENT, GX_TK_BAR,
        GX_TK_CARET, GX_TK_AMPERSAND, GX_TK_NOT, GX_TK_TILDE, GX_TK_LESS, GX_TK_GREATER,
        GX_TK_LPAREN, GX_TK_RPAREN, GX_TK_LBRACE, GX_TK_RBRACE, GX_TK_ASSIGN, GX_TK_DOT,
    };
    static_assert(sizeof singles - 1 == sizeof singleCodes / sizeof singleCodes[0]);
    if (s[0] != '\0') {
        if (const char* found = std::strchr(singles, s[0])) {
            code = singleCodes[found - singles];
            return 1;
        }
    }
    return 0;
}

enum Rule
{
    kCellRule = 1,
    kIdentifierRule,
    kFunctionRule,
    kStringRule,
    kHexRule,
    kIntegerRule,
    kDecimalRule,
    kFractionRule,
    kCommentRule,
    kOperatorRule,
};

char* TokenText(const char* start, std::size_t length)
{
    return EngineAllocText(start, length);
}
}  // namespace

GX_PARSE_STATE::GX_PARSE_STATE() : m_pfnRealloc(std::realloc) {}

GX_PARSE_STATE::~GX_PARSE_STATE()
{
    std::free(m_pBuffer);
    m_pBuffer = nullptr;
}

GX_PARSE_STATE* GetParseState()
{
    static GX_PARSE_STATE state;
    return &state;
}

void GX_PARSE_STATE::SetInput(const char* text)
{
    m_nPosition = 0;
    m_nRead = 0;
    m_pText = text != nullptr ? text : "";
    m_nTextLength = std::strlen(m_pText);
    if (!m_bFirstUse) {
        m_nChars = 0;
        m_nScan = 0;
    }
    m_bFirstUse = FALSE;
    m_bOutOfMemory = !Fill();
}

// Reads the whole text into the buffer, growing it by doubling; false when it cannot grow.
bool GX_PARSE_STATE::Fill()
{
    std::size_t size = m_pBuffer != nullptr ? m_nBufferSize : kInitialBufferSize;
    while (size < m_nTextLength)
        size *= 2;
    if (m_pBuffer == nullptr || size != m_nBufferSize) {
        void* grown = m_pfnRealloc(m_pBuffer, size + kEndBytes);
        if (grown == nullptr) {
            m_nChars = m_nScan = 0;
            return false;
        }
        m_pBuffer = static_cast<char*>(grown);
        m_nBufferSize = size;
    }
    std::memcpy(m_pBuffer, m_pText, m_nTextLength);
    std::memset(m_pBuffer + m_nTextLength, 0, kEndBytes);
    m_nChars = m_nTextLength;
    m_nScan = 0;
    m_nRead = m_nTextLength;
    return true;
}

GX_TOKEN GX_PARSE_STATE::NextToken()
{
    GX_TOKEN token{GX_TK_END, nullptr, 0, m_nPosition};
    if (m_bOutOfMemory) {
        token.code = GX_TK_BAD;
        token.error = GX_ERR_OUT_OF_MEMORY;
        return token;
    }

    for (;;) {
        if (m_nScan >= m_nChars) {
            token.position = m_nPosition;
            return token;
        }
        const char* s = m_pBuffer + m_nScan;
        if (*s == ' ' || *s == '\t') {
            ++m_nScan;
            ++m_nPosition;
            continue;
        }
        // A line feed makes no token and takes no position.
        if (*s == '\n') {
            ++m_nScan;
            continue;
        }
        break;
    }

    token.position = m_nPosition;
    const char* s = m_pBuffer + m_nScan;
    int32_t operatorCode = GX_TK_BAD;
    const std::size_t lengths[] = {
        0,
        MatchCellReference(s),
        MatchIdentifier(s),
        MatchFunctionName(s),
        MatchString(s),
        MatchHex(s),
        MatchInteger(s),
        MatchDecimal(s),
        MatchFraction(s),
        MatchComment(s),
        MatchOperator(s, operatorCode),
    };
    int rule = 0;
    std::size_t length = 0;
    for (int candidate = kCellRule; candidate <= kOperatorRule; ++candidate) {
        if (lengths[candidate] > length) {
            length = lengths[candidate];
            rule = candidate;
        }
    }

    switch (rule) {
    case kCellRule: {
        const char* letters = s[0] == '$' ? s + 1 : s;
        token.code = ColumnFromLetters(letters) >= 0 ? GX_TK_CELL : GX_TK_NAME;
        token.value = TokenText(s, length);
        break;
    }
    case kIdentifierRule: {
        token.code = GX_TK_NAME;
        // Only a short text can be a reference: two cells of "$", three letters, "$" and seven digits.
        char text[32];
        if (length < sizeof text) {
            std::memcpy(text, s, length);
            text[length] = '\0';
            if (ParseReference(text, nullptr)) {
                // The cut-off rest ("..B5") is scanned again.
                if (const char* dot = static_cast<const char*>(std::memchr(s, '.', length)))
                    length = std::size_t(dot - s);
                token.code = GX_TK_CELL;
            }
        }
        token.value = TokenText(s, length);
        break;
    }
    case kFunctionRule:
        token.code = GX_TK_FUNCTION;
        token.value = TokenText(s + 1, length - 1);
        break;
    case kStringRule:
        token.code = GX_TK_STRING;
        token.value = TokenText(s + 1, length - 2);
        break;
    case kHexRule:
        token.code = GX_TK_HEX;
        token.value = TokenText(s + 2, length - 2);
        break;
    case kIntegerRule:
    case kDecimalRule:
    case kFractionRule:
        token.code = GX_TK_NUMBER;
        token.value = TokenText(s, length);
        break;
    case kCommentRule:
        token.code = GX_TK_COMMENT;
        token.value = TokenText(s + 2, length - 2);
        break;
    case kOperatorRule:
        token.code = operatorCode;
        break;
    default:
        token.code = GX_TK_BAD;
        token.error = GX_ERR_BAD_CHARACTER;
        length = 1;
        break;
    }
    m_nScan += length;
    m_nPosition += int32_t(length);
    return token;
}
