#pragma once
// Whether one style contains another: every attribute that the subset sets is set in the style with
// an equal value. Merged cells compare neighbours with it (each a subset of the other); style
// archives and profiles use it too. Application-wide, without data.

#include "grid/core/LibraryLinks.h"

class CGXStyleCompareSubsetImp : public CGXAbstractStyleCompareSubsetImp
{
public:
    BOOL IsSubset(const CGXStyle& style, const CGXStyle& subset) override;
};

void InstallStyleCompareSubsetImp();
