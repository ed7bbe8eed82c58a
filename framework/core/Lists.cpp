#include "framework/core/Lists.h"

#include "framework/core/Archive.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

// Each element goes through the archive's object operators; loading appends at the tail.
void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, GetCount());
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
    } else {
        // An object takes at least its two-byte tag.
        for (INT_PTR n = AfxReadCollectionCount(ar, 2); n > 0; --n) {
            CObject* pObject = nullptr;
            ar >> pObject;
            AddTail(pObject);
        }
    }
}

void CStringList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, GetCount());
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
    } else {
        // A text takes at least its one-byte length.
        for (INT_PTR n = AfxReadCollectionCount(ar, 1); n > 0; --n) {
            CString text;
            ar >> text;
            AddTail(text);
        }
    }
}
