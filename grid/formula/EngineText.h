#pragma once
// Small text helpers shared by the scanner, parser, evaluator and cell store.

#include <windows.h>

// A tracked copy of text; null for null.
char* DuplicateText(const char* text);
// Copies eight characters, repeating the source's terminating zero once it is reached; adds a ninth
// zero when terminate is set.
void CopyEightChars(char* destination, const char* source, BOOL terminate);
// A new tracked nine-byte text holding at most the first eight characters of source.
char* DuplicateEightChars(const char* source);
// 0-9 for "0"-"9", 10-15 for "a"-"f" and "A"-"F", -1 otherwise.
int HexDigitValue(int c);
// Converts every lower-case letter of text to upper case in place.
void UpperCaseText(char* text);
// Clears trailing white space in place, never the first character.
void TrimTrailingSpaces(char* text);
