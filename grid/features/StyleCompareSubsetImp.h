#pragma once
// Whether one style is contained in another: every attribute that the subset sets is set equally in
// the style. One object serves the process; CGXStyle::CompareSubset reaches it through the library links.

#include "grid/core/LibraryLinks.h"

class CGXStyleCompareSubsetImp : public CGXAbstractStyleCompareSubsetImp
{
public:
    BOOL IsSubset(const CGXStyle& style, const CGXStyle& subset) override;
};

// Creates the application-wide component once and hands it to the library's application data.
void InstallStyleCompareSubsetImp();
