// Fields that several components' template lines share: a colour as three numbers, and the title's group
// of text colour, face, size, style flags and alignment.
#pragma once

#include "framework/core/CString.h"

class CStdioFile;

// red | green << 8 | blue << 16 from the low bytes of the three numbers.
COLORREF TemplateColor(int red, int green, int blue);

struct QVGTitleFields
{
    COLORREF crText = 0;
    CString strFace;
    int nSize = 10;
    int nStyleFlags = 0;
    int nAlignment = 0;
};

// One group " r g b \"face\" size flags alignment"; fewer than seven values raise chart error 10.
// Returns the characters the group took.
int ReadTitleFields(LPCTSTR lpszText, QVGTitleFields& fields);
// "r g b \"face\" size flags alignment " (ending in a blank).
void WriteTitleFields(CStdioFile* pFile, const QVGTitleFields& fields);
