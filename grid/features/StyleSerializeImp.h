#pragma once
// The archive forms of a cell style and of its font, interior brush and border pens. One object
// serves the process; the style, font and brush classes of the core reach it through the library links.

#include "grid/core/LibraryLinks.h"

class CDocument;

class CGXStyleSerializeImp : public CGXAbstractStyleSerializeImp
{
public:
    enum
    {
        styleSchema = 6,
        fontSchema = 2
    };

    // WORD schema, DWORD mask, then weight, size in tenths of a point, orientation in tenths of a
    // degree and the face (name, character set, pitch and family), each when the font sets it.
    void SerializeFont(CGXFont& font, CArchive& ar) override;
    // Five DWORDs: brush style, fore colour word, hatch, pattern index, back colour word.
    COLORREF SerializeBrush(CGXStyleBrush& brush, CArchive& ar) override;
    // DWORD style, WORD width, WORD set flag, DWORD colour word.
    COLORREF SerializePen(CGXStylePen& pen, CArchive& ar) override;
    // WORD schema, DWORD include mask, the set attributes, the borders, the base style by name or
    // string-table id, the user attributes as an object, and the later attributes of schemas 2 to 6.
    // Without a styles map, one that the archive's document pointer holds is used.
    void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap) override;

private:
    void StoreStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap);
    void LoadStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap);
};

// Creates the application-wide style serializer once and hands it to the library's application data.
void InstallStyleSerializeImp();

// The styles map that an archive's document pointer carries while a parameter object's cell data and
// properties are stored or loaded; NULL when the pointer holds something else.
const CGXStylesMap* GXGetArchiveStylesMap(const CArchive& ar);
// Sets the document pointer to a styles map (NULL clears it) and returns what it held before.
CDocument* GXSetArchiveStylesMap(CArchive& ar, const CGXStylesMap* pStylesMap);
