#pragma once
// Deep copies of parameter objects, styles maps and properties: the destination gets its own copy of
// every object the source points to. One object serves the process; the assignment operators of those
// three classes reach it through the library links.

#include "grid/core/LibraryLinks.h"

class CGXGridParamCopyOperatorImp : public CGXAbstractParamCopyOperatorImp
{
public:
    // Each does nothing when destination and source are one object.
    void CopyParam(CGXGridParam& dest, const CGXGridParam& src) override;
    void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) override;
    void CopyProperties(CGXProperties& dest, const CGXProperties& src) override;
};

// Creates the copy component once and hands it to the library's application data.
void InstallParamCopyOperatorImp();
