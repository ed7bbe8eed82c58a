#pragma once
// What the array, list and map classes share: the opaque iteration position and the handling of misuse.
#include <windows.h>
#include <new>
#include <stdexcept>

#include "framework/core/Debug.h"
#include "framework/core/Object.h"

// An opaque iterator: a list node or a map association, NULL after the last one.
struct __POSITION {};
typedef __POSITION* POSITION;

// The position GetStartPosition hands out before the first association of a non-empty map.
#define BEFORE_START_POSITION ((POSITION)(INT_PTR)-1)

class CArchive;

// Writes a collection's element count in the archive's count form: a WORD, or the WORD 0xFFFF and a DWORD
// when it is 0xFFFF or more.
void AfxWriteCollectionCount(CArchive& ar, INT_PTR nCount);
// Reads a count in that form. A count whose elements (at least nMinBytesPerElement bytes each) could not
// fit in what is left of the archive throws CArchiveException(endOfFile) before the collection is sized
// (give or take a small allowance for the archive's read-ahead).
INT_PTR AfxReadCollectionCount(CArchive& ar, UINT nMinBytesPerElement);

// A bad index or position, or an element taken from an empty list: the caller has a bug (a debug build
// asserts here). Going on would read or write memory the collection does not own, so the release build
// throws CNotSupportedException and leaves the collection as it was.
[[noreturn]] void AfxThrowCollectionMisuse();

// Allocation failures inside the collections surface as the framework's CMemoryException, not std::bad_alloc.
[[noreturn]] void AfxThrowCollectionMemory();

// Runs an allocating step, turning the standard library's allocation errors into CMemoryException.
template<class Step>
inline void AfxCollectionAllocate(Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        AfxThrowCollectionMemory();
    } catch (const std::length_error&) {
        AfxThrowCollectionMemory();
    }
}
