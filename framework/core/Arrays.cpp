#include "framework/core/Arrays.h"

#include <algorithm>

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

namespace {
// Elements go out one by one through the archive's operator for their type (integers little-endian
// whatever the host, objects as class and contents). Each stored element takes at least
// nMinBytesPerElement bytes, which bounds the count a damaged archive can claim.
template<class Array>
void SerializeElements(Array& array, CArchive& ar, UINT nMinBytesPerElement)
{
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << array[i];
    } else {
        array.SetSize(AfxReadCollectionCount(ar, nMinBytesPerElement));
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar >> array[i];
    }
}

// Values are read into an array of their own, which replaces this one's elements only once all were
// read: a refused archive leaves the array as it was.
template<class Array>
void SerializeValues(Array& array, CArchive& ar, UINT nMinBytesPerElement)
{
    if (ar.IsStoring()) {
        SerializeElements(array, ar, nMinBytesPerElement);
        return;
    }
    Array loaded;
    SerializeElements(loaded, ar, nMinBytesPerElement);
    array.Copy(loaded);
}
}  // namespace

// The bytes go in pieces, since one archive read or write moves at most a UINT's worth.
void CByteArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    const INT_PTR kPiece = 0x40000000;
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, GetSize());
        for (INT_PTR done = 0; done < GetSize(); done += kPiece)
            ar.Write(GetData() + done, UINT(std::min(kPiece, GetSize() - done)));
    } else {
        // Read into an array of its own: a refused archive leaves this one as it was.
        CByteArray loaded;
        loaded.SetSize(AfxReadCollectionCount(ar, 1));
        for (INT_PTR done = 0; done < loaded.GetSize(); done += kPiece) {
            UINT piece = UINT(std::min(kPiece, loaded.GetSize() - done));
            if (ar.Read(loaded.GetData() + done, piece) != piece)
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
        Copy(loaded);
    }
}

void CWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeValues(*this, ar, sizeof(WORD));
}

void CDWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeValues(*this, ar, sizeof(DWORD));
}

// NULL elements stay NULL; an object takes at least its two-byte tag. A refused archive leaves the
// objects read before it in the array: it holds them without owning them, and only its owner knows
// which ones to delete.
void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements(*this, ar, 2);
}

// A text takes at least its one-byte length.
void CStringArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeValues(*this, ar, 1);
}
