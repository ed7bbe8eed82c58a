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
// Integer elements go out one by one, so the archive holds them little-endian whatever the host.
template<class Array, class Element>
void SerializeIntegers(Array& array, CArchive& ar)
{
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << Element(array[i]);
    } else {
        array.SetSize(AfxReadCollectionCount(ar, sizeof(Element)));
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar >> array[i];
    }
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
        SetSize(AfxReadCollectionCount(ar, 1));
        for (INT_PTR done = 0; done < GetSize(); done += kPiece) {
            UINT piece = UINT(std::min(kPiece, GetSize() - done));
            if (ar.Read(GetData() + done, piece) != piece)
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
    }
}

void CWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeIntegers<CWordArray, WORD>(*this, ar);
}

void CDWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeIntegers<CDWordArray, DWORD>(*this, ar);
}

// Each element goes through the archive's object operators (class, then contents; NULL stays NULL).
void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << m_elements[size_t(i)];
    } else {
        // An object takes at least its two-byte tag.
        SetSize(AfxReadCollectionCount(ar, 2));
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar >> m_elements[size_t(i)];
    }
}

void CStringArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        AfxWriteCollectionCount(ar, GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar << m_elements[size_t(i)];
    } else {
        // A text takes at least its one-byte length.
        SetSize(AfxReadCollectionCount(ar, 1));
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ar >> m_elements[size_t(i)];
    }
}
