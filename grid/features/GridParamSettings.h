#pragma once
// The parameter object's archive form as one table, in its order: every setting with its stored width,
// the schema that first holds it and whether a deep copy takes it, and the places where the objects,
// range lists, size maps and span pools go. The document serializer walks it to store and load; the
// copy component walks it to copy the settings.
//
// Settings that the form names only by a letter (A to Z) are the parameter object's members below,
// chosen in member order where their meaning allowed it.

#include "framework/core/CString.h"

#include <windows.h>

#include <cstddef>

class CGXGridParam;

struct GXParamFormEntry
{
    enum Kind
    {
        settingByte,   // a 32-bit flag stored as its low byte
        settingWord,   // a 16-bit setting (or a 32-bit one stored as 16 bits)
        settingDWord,
        settingText,
        ownedObjects,  // styles map, cell data, properties and print device, each when owned
        rangeLists,    // the selected ranges, then the covered ranges
        sizesAndHidden,  // row heights, column widths, hidden rows, hidden columns
        floatPools,    // the floating cells' delayed-range pool and span-cell pool
        mergePools     // the merged cells' delayed-range pool and horizontal and vertical span-cell pools
    };

    Kind kind;
    WORD nSchema;      // the first schema that stores it
    bool bCopied;      // a deep copy takes it
    const char* pszName;
    DWORD (*get)(const CGXGridParam& param);
    void (*set)(CGXGridParam& param, DWORD dwValue);
    CString& (*text)(CGXGridParam& param);
};

extern const GXParamFormEntry GXParamForm[];
extern const size_t GXParamFormCount;
