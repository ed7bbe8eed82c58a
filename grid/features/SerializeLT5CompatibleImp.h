#pragma once
// Reads the user attributes of styles that version 5 of the library and older stored: a map from
// attribute id to value text, which becomes the style's user-attribute map.

#include "grid/core/LibraryLinks.h"

class CGXSerializeLT5CompatibleImp : public CGXAbstractSerializeLT5CompatibleImp
{
public:
    // Reads a CGXCollMapDWordToString object; when there is one, its texts become the style's
    // attributes (a number text a double, any other text a string).
    void ReadOldUserAttributes(CGXStyle& style, CArchive& ar) override;
};

// Creates the application-wide component once and hands it to the library's application data.
void InstallSerializeLT5CompatibleImp();
