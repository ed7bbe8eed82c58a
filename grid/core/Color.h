#pragma once
// Colours of the grid library are 32-bit values whose top byte says what the low 24 bits are:
// a top byte of 65..254 names system colour (254 - top byte); any other top byte keeps its low two
// bits as the colour kind (plain RGB, palette index, palette-relative RGB). Records keep the kind and
// the 24 bits apart; system colours are resolved right before drawing.

#include <windows.h>

enum GXColorKind
{
    gxColorRGB = 0,
    gxColorPaletteIndex = 1,
    gxColorPaletteRGB = 2,
    gxColorSystem = 3
};

// Splits a colour value into its kind and 24-bit value (the system colour number for kind 3).
inline void GXSplitColor(COLORREF color, unsigned& nKind, DWORD& nValue)
{
    const unsigned nTop = color >> 24;
    if (nTop >= 65 && nTop <= 254)
    {
        nKind = gxColorSystem;
        nValue = 254 - nTop;
    }
    else
    {
        // Only the top bytes above name system colours: any other whose low bits say 3 is plain RGB.
        const unsigned nLow = nTop & 3;
        nKind = nLow == gxColorSystem ? static_cast<unsigned>(gxColorRGB) : nLow;
        nValue = color & 0xFFFFFF;
    }
}

// The system colour's current RGB value, from the library's system-colour cache.
COLORREF GXGetSysColor(int nIndex);

// The value as a caller may store it again: kinds 0-2 with the kind in the top byte, a system colour
// as its current RGB under the top byte 254 - number.
inline COLORREF GXJoinColor(unsigned nKind, DWORD nValue)
{
    if (nKind == gxColorSystem)
        return (GXGetSysColor(static_cast<int>(nValue)) & 0xFFFFFF) | (static_cast<DWORD>(254 - nValue) << 24);
    return (nValue & 0xFFFFFF) | (static_cast<DWORD>(nKind & 3) << 24);
}

// The value to draw with: kinds 0-2 as a Windows colour reference, a system colour as its current RGB.
inline COLORREF GXResolveColor(unsigned nKind, DWORD nValue)
{
    if (nKind == gxColorSystem)
        return GXGetSysColor(static_cast<int>(nValue)) & 0xFFFFFF;
    return (nValue & 0xFFFFFF) | (static_cast<DWORD>(nKind & 3) << 24);
}

// The colour value that names system colour nIndex (0xF9000000 for COLOR_WINDOW).
inline COLORREF GXSysColorValue(int nIndex) { return static_cast<DWORD>(254 - nIndex) << 24; }
