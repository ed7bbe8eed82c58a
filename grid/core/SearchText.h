#pragma once
// How the grid's find and replace compares texts: multi-byte aware, so the trail byte of a
// double-byte character is neither upper-cased nor taken for the start of a match.

#include "framework/core/CString.h"

#include <mbstring.h>

// The text upper-cased, in a copy.
inline CString GXUpperCased(const CString& text)
{
    CString upper = text;
    if (!upper.IsEmpty())
    {
        LPTSTR pszBuffer = upper.GetBuffer(upper.GetLength());
        _mbsupr(reinterpret_cast<unsigned char*>(pszBuffer));
        upper.ReleaseBuffer();
    }
    return upper;
}

// Byte offset of the first occurrence of find in text at or after nStart; -1 when none.
inline int GXFindFrom(const CString& text, const CString& find, int nStart)
{
    if (find.IsEmpty() || nStart < 0 || nStart > text.GetLength())
        return -1;
    const unsigned char* pszText = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
    const unsigned char* pHit =
        _mbsstr(pszText + nStart, reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(find)));
    return pHit == nullptr ? -1 : static_cast<int>(pHit - pszText);
}
