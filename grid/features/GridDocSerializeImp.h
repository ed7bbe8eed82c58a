#pragma once
// The archive forms of a grid's shared objects: the parameter object, the cell data with its style
// arrays, the properties and the styles map. One object serves the process; each of those classes'
// Serialize reaches it through the library links. Styles inside go through the style serializer.

#include "grid/core/LibraryLinks.h"

#include <windows.h>

class CGXGridDocSerializeImp : public CGXAbstractDocSerializeImp
{
public:
    enum
    {
        stylesMapSchema = 2,
        dataSchema = 1,
        arraySchema = 1,
        propertiesSchema = 4,
        paramSchema = 11
    };

    void SerializeStylesMap(CGXStylesMap& stylesMap, CArchive& ar) override;
    void SerializeData(CGXData& data, CArchive& ar) override;
    void SerializeStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar) override;
    void SerializeStyleArray(CGXStylePtrArray& styles, CArchive& ar) override;
    void SerializeProperties(CGXProperties& properties, CArchive& ar) override;
    void SerializeParam(CGXGridParam& param, CArchive& ar) override;
};

// Creates the document serializer once, with the style serializer and the pools' components that its
// forms need, and hands them to the library's application data.
void InstallDocSerializeImp();

// A 32-bit flag as one byte: the low byte is stored, loading zero-extends.
void GXSerializeBYTE(CArchive& ar, BOOL& bFlag);
