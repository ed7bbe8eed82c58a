#pragma once
// Reading back what the grid's serialization components store: one value of an explicit width at a
// time, and objects the reader then owns. A damaged or newer stored form is refused with badSchema.

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <memory>

namespace GXArchiveLoading
{

[[noreturn]] inline void ThrowBadSchema() { AfxThrowArchiveException(CArchiveException::badSchema); }

inline BYTE LoadByte(CArchive& ar)
{
    BYTE by = 0;
    ar >> by;
    return by;
}

inline WORD LoadWord(CArchive& ar)
{
    WORD w = 0;
    ar >> w;
    return w;
}

inline DWORD LoadDWord(CArchive& ar)
{
    DWORD dw = 0;
    ar >> dw;
    return dw;
}

inline CString LoadString(CArchive& ar)
{
    CString text;
    ar >> text;
    return text;
}

// Reads an object of the class that the caller then owns (a reference back to an object read before
// would give it two owners).
template <class T>
std::unique_ptr<T> LoadOwned(CArchive& ar, CRuntimeClass* pClass)
{
    return std::unique_ptr<T>(static_cast<T*>(ar.ReadOwnedObject(pClass)));
}

} // namespace GXArchiveLoading
