#include "grid/features/StyleCompareSubsetImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Font.h"
#include "grid/core/Style.h"
#include "grid/core/UserAttribute.h"

#include <new>

BOOL CGXStyleCompareSubsetImp::IsSubset(const CGXStyle& style, const CGXStyle& subset)
{
    // Each attribute the subset includes must be included alike, in this order.
    auto same = [&](BOOL bSubsetHas, BOOL bStyleHas, auto styleValue, auto subsetValue) {
        return !bSubsetHas || (bStyleHas && styleValue == subsetValue);
    };
    if (!same(subset.GetIncludeHorizontalAlignment(), style.GetIncludeHorizontalAlignment(),
              style.GetHorizontalAlignment(), subset.GetHorizontalAlignment()) ||
        !same(subset.GetIncludeVerticalAlignment(), style.GetIncludeVerticalAlignment(), style.GetVerticalAlignment(),
              subset.GetVerticalAlignment()) ||
        !same(subset.GetIncludeReadOnly(), style.GetIncludeReadOnly(), style.GetReadOnly(), subset.GetReadOnly()) ||
        !same(subset.GetIncludeFloatCell(), style.GetIncludeFloatCell(), style.GetFloatCell(), subset.GetFloatCell()) ||
        !same(subset.GetIncludeFloodCell(), style.GetIncludeFloodCell(), style.GetFloodCell(), subset.GetFloodCell()) ||
        !same(subset.GetIncludeMergeCell(), style.GetIncludeMergeCell(), style.GetMergeCell(), subset.GetMergeCell()) ||
        !same(subset.GetIncludeDraw3dFrame(), style.GetIncludeDraw3dFrame(), style.GetDraw3dFrame(),
              subset.GetDraw3dFrame()) ||
        !same(subset.GetIncludeMaxLength(), style.GetIncludeMaxLength(), style.GetMaxLength(), subset.GetMaxLength()) ||
        !same(subset.GetIncludeVerticalScrollbar(), style.GetIncludeVerticalScrollbar(), style.GetVerticalScrollbar(),
              subset.GetVerticalScrollbar()) ||
        !same(subset.GetIncludeTextColor(), style.GetIncludeTextColor(), style.GetResolvedTextColor(),
              subset.GetResolvedTextColor()) ||
        !same(subset.GetIncludeWrapText(), style.GetIncludeWrapText(), style.GetWrapText(), subset.GetWrapText()) ||
        !same(subset.GetIncludeAutoSize(), style.GetIncludeAutoSize(), style.GetAutoSize(), subset.GetAutoSize()) ||
        !same(subset.GetIncludeAllowEnter(), style.GetIncludeAllowEnter(), style.GetAllowEnter(),
              subset.GetAllowEnter()) ||
        !same(subset.GetIncludeEnabled(), style.GetIncludeEnabled(), style.GetEnabled(), subset.GetEnabled()) ||
        !same(subset.GetIncludeTriState(), style.GetIncludeTriState(), style.GetTriState(), subset.GetTriState()) ||
        !same(subset.GetIncludeControl(), style.GetIncludeControl(), style.GetControl(), subset.GetControl()) ||
        !same(subset.GetIncludeInterior(), style.GetIncludeInterior(), style.GetInterior(), subset.GetInterior()))
        return FALSE;
    if (subset.GetIncludeBorders())
    {
        if (!style.GetIncludeBorders())
            return FALSE;
        for (int nEdge : {gxBorderLeft, gxBorderRight, gxBorderTop, gxBorderBottom})
            if (subset.IsBorderIncluded(nEdge) &&
                (!style.IsBorderIncluded(nEdge) || !(style.GetBorders(nEdge) == subset.GetBorders(nEdge))))
                return FALSE;
    }
    if (subset.GetIncludeFont() && (!style.GetIncludeFont() || !style.GetFont().CompareSubset(subset.GetFont())))
        return FALSE;
    if (!same(subset.GetIncludeValue(), style.GetIncludeValue(), style.GetValue(), subset.GetValue()) ||
        !same(subset.GetIncludeFormat(), style.GetIncludeFormat(), style.GetFormat(), subset.GetFormat()) ||
        !same(subset.GetIncludePlaces(), style.GetIncludePlaces(), style.GetPlaces(), subset.GetPlaces()) ||
        !same(subset.GetIncludeBaseStyle(), style.GetIncludeBaseStyle(), style.GetBaseStyle(),
              subset.GetBaseStyle()) ||
        !same(subset.GetIncludeChoiceList(), style.GetIncludeChoiceList(), style.GetChoiceList(),
              subset.GetChoiceList()) ||
        !same(subset.GetIncludeItemDataPtr(), style.GetIncludeItemDataPtr(), style.GetItemDataPtr(),
              subset.GetItemDataPtr()))
        return FALSE;
    // User attributes, position by position (both maps are sorted by id).
    const CGXUserAttributeMap* pSubsetMap = subset.GetUserAttributeMap();
    if (pSubsetMap == nullptr || pSubsetMap->IsEmpty())
        return TRUE;
    const CGXUserAttributeMap* pStyleMap = style.GetUserAttributeMap();
    if (pStyleMap == nullptr || pStyleMap->GetSize() < pSubsetMap->GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < pSubsetMap->GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pOwn = pStyleMap->GetAttributeAt(i);
        const CGXAbstractUserAttribute* pWanted = pSubsetMap->GetAttributeAt(i);
        if (pOwn == nullptr || pWanted == nullptr || !pOwn->IsEqual(*pWanted))
            return FALSE;
    }
    return TRUE;
}

void InstallStyleCompareSubsetImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pStyleCompareSubsetImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXStyleCompareSubsetImp;
    if (pImp == nullptr)
        return;
    links.pStyleCompareSubsetImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
