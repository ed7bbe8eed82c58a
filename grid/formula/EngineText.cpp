#include "grid/formula/EngineText.h"

#include <cstring>

#include "grid/formula/EngineMemory.h"

namespace
{
bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
int UpperAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
}  // namespace

char* DuplicateText(const char* text)
{
    if (text == nullptr)
        return nullptr;
    return EngineAllocText(text, std::strlen(text));
}

void CopyEightChars(char* destination, const char* source, BOOL terminate)
{
    bool ended = false;
    for (int i = 0; i < 8; ++i) {
        if (!ended && source[i] == '\0')
            ended = true;
        destination[i] = ended ? '\0' : source[i];
    }
    if (terminate)
        destination[8] = '\0';
}

char* DuplicateEightChars(const char* source)
{
    char* copy = static_cast<char*>(EngineAlloc(9));
    CopyEightChars(copy, source != nullptr ? source : "", TRUE);
    return copy;
}

int HexDigitValue(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void UpperCaseText(char* text)
{
    if (text == nullptr)
        return;
    for (char* p = text; *p != '\0'; ++p)
        *p = char(UpperAscii(static_cast<unsigned char>(*p)));
}

void TrimTrailingSpaces(char* text)
{
    if (text == nullptr || *text == '\0')
        return;
    std::size_t length = std::strlen(text);
    while (length > 1 && IsSpace(static_cast<unsigned char>(text[length - 1])))
        text[--length] = '\0';
}
