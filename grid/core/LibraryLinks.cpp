#include "grid/core/LibraryLinks.h"

#include "grid/core/AppData.h"
#include "grid/core/Color.h"

GXLibraryLinks& GXGetLibraryLinks()
{
    return GXGetAppData()->m_links;
}

COLORREF GXGetSysColor(int nIndex)
{
    const GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pfnGetSysColor != nullptr)
        return links.pfnGetSysColor(nIndex);
    return ::GetSysColor(nIndex);
}

BOOL GXParseNumber(LPCTSTR pszText, double& dValue)
{
    CGXAbstractNumberFormattingImp* pImp = GXGetLibraryLinks().pNumberFormattingImp;
    if (pImp == nullptr || pszText == nullptr)
        return FALSE;
    return pImp->ParseValue(pszText, dValue, nullptr, nullptr);
}
