#include "framework/core/Lists.h"

#include "framework/core/Archive.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

namespace {
// Elements go out head to tail through the archive's operator for their type; loading appends at the
// tail. Each stored element takes at least nMinBytesPerElement bytes, which bounds the count a damaged
// archive can claim.
template<class List, class Element>
void SerializeElements(List& list, CArchive& ar, UINT nMinBytesPerElement)
{
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, list.GetCount());
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            ar << list.GetNext(pos);
    } else {
        for (INT_PTR n = AfxReadCollectionCount(ar, nMinBytesPerElement); n > 0; --n) {
            Element element{};
            ar >> element;
            list.AddTail(element);
        }
    }
}
}  // namespace

// An object takes at least its two-byte tag. A refused archive leaves the objects read before it in
// the list: it holds them without owning them, and only its owner knows which ones to delete.
void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements<CObList, CObject*>(*this, ar, 2);
}

// A text takes at least its one-byte length. The texts are read into a list of their own and appended
// once all were read: a refused archive leaves the list as it was.
void CStringList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        SerializeElements<CStringList, CString>(*this, ar, 1);
        return;
    }
    CStringList loaded;
    SerializeElements<CStringList, CString>(loaded, ar, 1);
    AddTail(&loaded);
}
