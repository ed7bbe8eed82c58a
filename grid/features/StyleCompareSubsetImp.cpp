#include "grid/features/StyleCompareSubsetImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Style.h"
#include "grid/core/UserAttribute.h"

#include <new>

namespace
{

// The subset's attributes, each with the test of its value; the order is the order of the checks.
struct SubsetCheck
{
    CGXStyle::Attribute attribute;
    bool (*equal)(const CGXStyle& style, const CGXStyle& subset);
};

bool EqualBorders(const CGXStyle& style, const CGXStyle& subset)
{
    for (int nEdge = 0; nEdge < 4; ++nEdge)
    {
        if (!subset.IsBorderIncluded(nEdge))
            continue;
        if (!style.IsBorderIncluded(nEdge) || style.GetBorders(nEdge) != subset.GetBorders(nEdge))
            return false;
    }
    return true;
}

const SubsetCheck subsetChecks[] = {
    {CGXStyle::ibHorizontalAlignment,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetHorizontalAlignment() == b.GetHorizontalAlignment(); }},
    {CGXStyle::ibVerticalAlignment,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetVerticalAlignment() == b.GetVerticalAlignment(); }},
    {CGXStyle::ibReadOnly, [](const CGXStyle& a, const CGXStyle& b) { return a.GetReadOnly() == b.GetReadOnly(); }},
    {CGXStyle::ibFloatCell, [](const CGXStyle& a, const CGXStyle& b) { return a.GetFloatCell() == b.GetFloatCell(); }},
    {CGXStyle::ibFloodCell, [](const CGXStyle& a, const CGXStyle& b) { return a.GetFloodCell() == b.GetFloodCell(); }},
    {CGXStyle::ibMergeCell, [](const CGXStyle& a, const CGXStyle& b) { return a.GetMergeCell() == b.GetMergeCell(); }},
    {CGXStyle::ibDraw3dFrame,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetDraw3dFrame() == b.GetDraw3dFrame(); }},
    {CGXStyle::ibMaxLength, [](const CGXStyle& a, const CGXStyle& b) { return a.GetMaxLength() == b.GetMaxLength(); }},
    {CGXStyle::ibVerticalScrollbar,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetVerticalScrollbar() == b.GetVerticalScrollbar(); }},
    {CGXStyle::ibTextColor,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetResolvedTextColor() == b.GetResolvedTextColor(); }},
    {CGXStyle::ibWrapText, [](const CGXStyle& a, const CGXStyle& b) { return a.GetWrapText() == b.GetWrapText(); }},
    {CGXStyle::ibAutoSize, [](const CGXStyle& a, const CGXStyle& b) { return a.GetAutoSize() == b.GetAutoSize(); }},
    {CGXStyle::ibAllowEnter,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetAllowEnter() == b.GetAllowEnter(); }},
    {CGXStyle::ibEnabled, [](const CGXStyle& a, const CGXStyle& b) { return a.GetEnabled() == b.GetEnabled(); }},
    {CGXStyle::ibTriState, [](const CGXStyle& a, const CGXStyle& b) { return a.GetTriState() == b.GetTriState(); }},
    {CGXStyle::ibControl, [](const CGXStyle& a, const CGXStyle& b) { return a.GetControl() == b.GetControl(); }},
    {CGXStyle::ibInterior, [](const CGXStyle& a, const CGXStyle& b) { return a.GetInterior() == b.GetInterior(); }},
    {CGXStyle::ibBorders, EqualBorders},
    {CGXStyle::ibFont,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetFont().CompareSubset(b.GetFont()) != FALSE; }},
    {CGXStyle::ibValue, [](const CGXStyle& a, const CGXStyle& b) { return a.GetValue() == b.GetValue(); }},
    {CGXStyle::ibFormat, [](const CGXStyle& a, const CGXStyle& b) { return a.GetFormat() == b.GetFormat(); }},
    {CGXStyle::ibPlaces, [](const CGXStyle& a, const CGXStyle& b) { return a.GetPlaces() == b.GetPlaces(); }},
    {CGXStyle::ibBaseStyle, [](const CGXStyle& a, const CGXStyle& b) { return a.GetBaseStyle() == b.GetBaseStyle(); }},
    {CGXStyle::ibChoiceList,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetChoiceList() == b.GetChoiceList(); }},
    {CGXStyle::ibItemDataPtr,
     [](const CGXStyle& a, const CGXStyle& b) { return a.GetItemDataPtr() == b.GetItemDataPtr(); }},
};

// Every attribute of the subset's map must be in the style's with an equal value. Each is found by its
// id, so the style may hold attributes the subset lacks before, between or after the subset's.
bool ContainsUserAttributes(const CGXStyle& style, const CGXStyle& subset)
{
    const CGXUserAttributeMap* pSubsetMap = subset.GetUserAttributeMap();
    if (pSubsetMap == nullptr || pSubsetMap->IsEmpty())
        return true;
    const CGXUserAttributeMap* pMap = style.GetUserAttributeMap();
    if (pMap == nullptr || pMap->GetSize() < pSubsetMap->GetSize())
        return false;
    for (INT_PTR i = 0; i < pSubsetMap->GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pWanted = pSubsetMap->GetAttributeAt(i);
        const CGXAbstractUserAttribute* pHeld = pMap->GetAttribute(pWanted->GetId());
        if (pHeld == nullptr || !pHeld->IsEqual(*pWanted))
            return false;
    }
    return true;
}

} // namespace

BOOL CGXStyleCompareSubsetImp::IsSubset(const CGXStyle& style, const CGXStyle& subset)
{
    for (const SubsetCheck& check : subsetChecks)
    {
        if (!subset.GetInclude(check.attribute))
            continue;
        if (!style.GetInclude(check.attribute) || !check.equal(style, subset))
            return FALSE;
    }
    return ContainsUserAttributes(style, subset);
}

void InstallStyleCompareSubsetImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pStyleCompareSubsetImp != nullptr)
        return;
    CGXStyleCompareSubsetImp* pImp = new (std::nothrow) CGXStyleCompareSubsetImp;
    if (pImp == nullptr)
        return;
    links.pStyleCompareSubsetImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
