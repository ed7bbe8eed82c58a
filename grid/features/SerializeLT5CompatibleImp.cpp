#include "grid/features/SerializeLT5CompatibleImp.h"

#include "framework/core/Archive.h"
#include "grid/core/AppData.h"
#include "grid/core/MapDWordToString.h"
#include "grid/core/Style.h"
#include "grid/core/UserAttribute.h"

#include <memory>
#include <new>

void CGXSerializeLT5CompatibleImp::ReadOldUserAttributes(CGXStyle& style, CArchive& ar)
{
    std::unique_ptr<CGXCollMapDWordToString> pOld(
        static_cast<CGXCollMapDWordToString*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXCollMapDWordToString))));
    if (pOld == nullptr)
        return;
    CGXUserAttributeMap map;
    map.ImportStringMap(*pOld);
    style.SetUserAttributeMap(&map);
}

void InstallSerializeLT5CompatibleImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pSerializeLT5CompatibleImp != nullptr)
        return;
    CGXSerializeLT5CompatibleImp* pImp = new (std::nothrow) CGXSerializeLT5CompatibleImp;
    if (pImp == nullptr)
        return;
    links.pSerializeLT5CompatibleImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
