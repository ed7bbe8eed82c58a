// CNoTrackObject: the base of process- and thread-wide state objects that are made on first use
// and live until the program ends. Their memory comes zero-filled from the system heap, outside
// anything the C++ runtime tracks or frees at exit, so such state stays valid for code that runs
// late in shutdown.
#pragma once

#include <cstddef>

class CNoTrackObject
{
public:
    CNoTrackObject() = default;
    virtual ~CNoTrackObject() = default;
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;

    // Throws CMemoryException when the system has no memory left.
    static void* operator new(std::size_t nSize);
    static void operator delete(void* p);
};
