#pragma once
// The pen of a border and the interior brush of a cell style: packed records of two 32-bit words,
// so that thousands of styles stay small. Colours follow the rule of Color.h.

#include "framework/core/CString.h"
#include "grid/core/Color.h"

#include <windows.h>

class CArchive;

class CGXStylePen
{
public:
    enum
    {
        styleNotSet = 7
    };

    // Not set: style 7, width 1, black.
    CGXStylePen();
    CGXStylePen(UINT nStyle, UINT nWidth, COLORREF color);

    UINT GetStyle() const { return m_dwWord0 & 0x7; }
    CGXStylePen& SetStyle(UINT nStyle);
    UINT GetWidth() const { return (m_dwWord0 >> 3) & 0xFFFF; }
    CGXStylePen& SetWidth(UINT nWidth);  // marks the pen set
    // The colour as it can be stored again (system colours with their top byte kept).
    COLORREF GetColor() const { return GXJoinColor(GetColorKind(), GetColorValue()); }
    // The colour to draw with.
    COLORREF GetResolvedColor() const { return GXResolveColor(GetColorKind(), GetColorValue()); }
    CGXStylePen& SetColor(COLORREF color);  // marks the pen set
    unsigned GetColorKind() const { return (m_dwWord0 >> 19) & 0x3; }
    DWORD GetColorValue() const { return m_dwWord1 & 0xFFFFFF; }

    BOOL GetInclude() const { return GetStyle() != styleNotSet; }
    // FALSE makes the pen not set; TRUE turns a not-set pen into a solid one.
    CGXStylePen& SetInclude(BOOL bInclude);

    bool operator==(const CGXStylePen& other) const
    {
        return m_dwWord0 == other.m_dwWord0 && m_dwWord1 == other.m_dwWord1;
    }
    bool operator!=(const CGXStylePen& other) const { return !(*this == other); }

    void GetLogPen(LOGPEN& logPen) const;
    // Fills one library-wide LOGPEN, valid until the next call.
    const LOGPEN* GetLogPen() const;

    // Text form "style width red green blue top-byte".
    CString& GetDescription(CString& text) const;
    CGXStylePen& SetDescription(LPCTSTR pszText);

    DWORD GetWord0() const { return m_dwWord0; }
    DWORD GetWord1() const { return m_dwWord1; }
    void SetWords(DWORD dwWord0, DWORD dwWord1)
    {
        m_dwWord0 = dwWord0;
        m_dwWord1 = dwWord1;
    }

private:
    void StoreColor(COLORREF color);

    // Word 0: bits 0-2 style, 3-18 width, 19-20 colour kind. Word 1: bits 0-23 colour.
    DWORD m_dwWord0;
    DWORD m_dwWord1;
};

class CGXStyleBrush
{
public:
    enum
    {
        bsSolid = 0,
        bsHollow = 1,
        bsHatched = 2,
        bsPattern = 3
    };

    // Solid, black on white, pattern bits all set.
    CGXStyleBrush();
    // The full setter's form: brush style, fore colour, hatch style; back colour white.
    CGXStyleBrush(UINT nStyle, COLORREF color, UINT nHatch = 0);
    CGXStyleBrush& SetBrush(UINT nStyle, COLORREF color, UINT nHatch = 0);

    UINT GetStyle() const { return (m_dwWord1 >> 30) & 0x3; }
    CGXStyleBrush& SetStyle(UINT nStyle);
    UINT GetHatch() const { return m_dwWord0 & 0x7; }
    CGXStyleBrush& SetHatch(UINT nHatch);
    UINT GetPattern() const { return (m_dwWord1 >> 24) & 0x3F; }
    // Makes the brush a pattern brush of pattern number 0-63.
    CGXStyleBrush& SetPattern(UINT nPattern);

    // Fore and back colour to draw with (system colours resolved).
    COLORREF GetColor() const { return GXResolveColor(GetColorKind(), GetColorValue()); }
    COLORREF GetBkColor() const { return GXResolveColor(GetBkColorKind(), GetBkColorValue()); }
    // Fore and back colour as they can be stored again.
    COLORREF GetStoredColor() const { return GXJoinColor(GetColorKind(), GetColorValue()); }
    COLORREF GetStoredBkColor() const { return GXJoinColor(GetBkColorKind(), GetBkColorValue()); }
    CGXStyleBrush& SetColor(COLORREF color);
    CGXStyleBrush& SetBkColor(COLORREF color);
    unsigned GetColorKind() const { return (m_dwWord0 >> 4) & 0x3; }
    unsigned GetBkColorKind() const { return (m_dwWord0 >> 6) & 0x3; }
    DWORD GetColorValue() const { return m_dwWord0 >> 8; }
    DWORD GetBkColorValue() const { return m_dwWord1 & 0xFFFFFF; }

    bool operator==(const CGXStyleBrush& other) const
    {
        return m_dwWord0 == other.m_dwWord0 && m_dwWord1 == other.m_dwWord1;
    }
    bool operator!=(const CGXStyleBrush& other) const { return !(*this == other); }

    // Text form "style hatch-or-pattern fore-r fore-g fore-b back-r back-g back-b fore-top-byte".
    CString& GetDescription(CString& text) const;
    CGXStyleBrush& SetDescription(LPCTSTR pszText);

    DWORD GetWord0() const { return m_dwWord0; }
    DWORD GetWord1() const { return m_dwWord1; }
    void SetWords(DWORD dwWord0, DWORD dwWord1)
    {
        m_dwWord0 = dwWord0;
        m_dwWord1 = dwWord1;
    }

private:
    // Word 0: bits 0-2 hatch, 3 pattern flag, 4-5 fore kind, 6-7 back kind, 8-31 fore colour.
    // Word 1: bits 0-23 back colour, 24-29 pattern number, 30-31 brush style.
    DWORD m_dwWord0;
    DWORD m_dwWord1;
};

// Brushes and pens travel through archives by the application-wide style serializer; nothing is
// read or written while it is not installed.
void GXSerializeBrush(CArchive& ar, CGXStyleBrush& brush);
void GXSerializePen(CArchive& ar, CGXStylePen& pen);
