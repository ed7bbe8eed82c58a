#pragma once
// What the grid's value types (styles, fonts, pens, brushes, user attributes) reach of the library's
// application data: the system-colour cache, the decimal-point option and four application-wide
// feature components. Every link is empty until the library's start-up (or a test) fills it, and every
// caller checks it and answers neutrally while it is empty.

#include "framework/core/CString.h"

#include <windows.h>

class CArchive;
class CDC;
class CGXData;
class CGXFont;
class CGXGridParam;
class CGXProperties;
class CGXStyle;
class CGXStyleBrush;
class CGXStylePen;
class CGXStylePtrArray;
class CGXStylePtrArrayPtrArray;
class CGXStylesMap;

// Reads and writes styles, fonts, brushes and pens in archives.
class CGXAbstractStyleSerializeImp
{
public:
    virtual ~CGXAbstractStyleSerializeImp() = default;
    virtual void SerializeFont(CGXFont& font, CArchive& ar) = 0;
    virtual COLORREF SerializeBrush(CGXStyleBrush& brush, CArchive& ar) = 0;
    virtual COLORREF SerializePen(CGXStylePen& pen, CArchive& ar) = 0;
    virtual void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap) = 0;
};

// TRUE when every attribute that the subset sets is set equally in the style.
class CGXAbstractStyleCompareSubsetImp
{
public:
    virtual ~CGXAbstractStyleCompareSubsetImp() = default;
    virtual BOOL IsSubset(const CGXStyle& style, const CGXStyle& subset) = 0;
};

// Writes grid settings to the application's profile and reads them back.
class CGXAbstractGridProfileImp
{
public:
    virtual ~CGXAbstractGridProfileImp() = default;
    virtual void WriteStylesMapProfile(const CGXStylesMap& stylesMap) = 0;
    virtual void WriteFontProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) = 0;
    virtual void WriteStyleProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) = 0;
    virtual void WritePropertiesProfile(const CGXProperties& properties) = 0;
    virtual BOOL ReadStylesMapProfile(CGXStylesMap& stylesMap) = 0;
    virtual BOOL ReadFontProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) = 0;
    virtual BOOL ReadStyleProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) = 0;
    virtual BOOL ReadPropertiesProfile(CGXProperties& properties) = 0;
};

// Formats stored values for display and recognises typed numbers.
class CGXAbstractNumberFormattingImp
{
public:
    virtual ~CGXAbstractNumberFormattingImp() = default;
    virtual CString FormatValue(const CGXStyle* pStyle, LPCTSTR pszValue, unsigned nValueType, int nReserved1,
                                int nReserved2) = 0;
    // pnFormat and pnPlaces may be NULL; out values are written only when the text is a number.
    virtual BOOL ParseValue(LPCTSTR pszText, double& dValue, unsigned* pnFormat, unsigned* pnPlaces) = 0;
};

// The archive forms of a grid's shared objects: styles map, cell data with its style arrays,
// properties and parameter object (the grid document serializer).
class CGXAbstractDocSerializeImp
{
public:
    virtual ~CGXAbstractDocSerializeImp() = default;
    virtual void SerializeStylesMap(CGXStylesMap& stylesMap, CArchive& ar) = 0;
    virtual void SerializeData(CGXData&, CArchive&) {}
    virtual void SerializeStyleRows(CGXStylePtrArrayPtrArray&, CArchive&) {}
    virtual void SerializeStyleArray(CGXStylePtrArray&, CArchive&) {}
    virtual void SerializeProperties(CGXProperties& properties, CArchive& ar) = 0;
    virtual void SerializeParam(CGXGridParam&, CArchive&) {}
};

// Reads the user attributes of styles stored by version 5 of the library and older.
class CGXAbstractSerializeLT5CompatibleImp
{
public:
    virtual ~CGXAbstractSerializeLT5CompatibleImp() = default;
    virtual void ReadOldUserAttributes(CGXStyle& style, CArchive& ar) = 0;
};

// Deep copies of the objects a grid parameter object owns.
class CGXAbstractParamCopyOperatorImp
{
public:
    virtual ~CGXAbstractParamCopyOperatorImp() = default;
    virtual void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) = 0;
    virtual void CopyProperties(CGXProperties& dest, const CGXProperties& src) = 0;
    virtual void CopyParam(CGXGridParam&, const CGXGridParam&) {}
};

// Draws text turned by an angle in tenths of a degree; the result is the drawn text's height.
class CGXAbstractDrawRotatedTextImp
{
public:
    virtual ~CGXAbstractDrawRotatedTextImp() = default;
    virtual int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, RECT& rect, UINT nFormat, LONG lfOrientation,
                                const RECT* pClipRect) = 0;
};

struct GXLibraryLinks
{
    CGXAbstractStyleSerializeImp* pStyleSerializeImp = nullptr;
    CGXAbstractStyleCompareSubsetImp* pStyleCompareSubsetImp = nullptr;
    CGXAbstractGridProfileImp* pProfileImp = nullptr;
    CGXAbstractNumberFormattingImp* pNumberFormattingImp = nullptr;
    // The system-colour cache; GetSysColor answers while it is empty.
    COLORREF (*pfnGetSysColor)(int nIndex) = nullptr;
    // Turns the locale's decimal separator of a number text into a point when that option is on.
    void (*pfnNormalizeDecimalSeparator)(CString& text) = nullptr;
    CGXAbstractDocSerializeImp* pDocSerializeImp = nullptr;
    CGXAbstractParamCopyOperatorImp* pParamCopyOperatorImp = nullptr;
    CGXAbstractDrawRotatedTextImp* pDrawRotatedTextImp = nullptr;
    // The flat header look chosen at start-up (header styles get no-line borders).
    BOOL bFlatHeaders = FALSE;
    // Reached by the style serializer for styles of older archives.
    CGXAbstractSerializeLT5CompatibleImp* pSerializeLT5CompatibleImp = nullptr;
};

// The one record of links of this process, held by the library's application data (AppData.h),
// which deletes at clean-up the components handed to it.
GXLibraryLinks& GXGetLibraryLinks();

// The library's number parser: FALSE (not a number) while no number-formatting component is installed.
BOOL GXParseNumber(LPCTSTR pszText, double& dValue);
