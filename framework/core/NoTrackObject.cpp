#include "framework/core/NoTrackObject.h"

#include <windows.h>

#include "framework/core/Exceptions.h"

void* CNoTrackObject::operator new(std::size_t nSize)
{
    void* p = ::LocalAlloc(LPTR, nSize);
    if (p == nullptr)
        AfxThrowMemoryException();
    return p;
}

void CNoTrackObject::operator delete(void* p)
{
    if (p != nullptr)
        ::LocalFree(p);
}
