// Checks on what the chart classes read from archives: counts bounded by the archive's rest, and
// loaded objects of the class their container expects.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Lists.h"

// Reads a 32-bit count; a negative count, or one whose elements (nMinBytesPerElement each) cannot fit
// in the rest of the archive, throws CArchiveException before anything is allocated.
int ReadChartCount(CArchive& ar, UINT nMinBytesPerElement);

// A list that owns its elements, in the form CObList::Serialize writes. Loading appends the elements
// read: each must be a pClass object of its own. Null throws CArchiveException(badClass), another class
// badClass, and a reference back to an object read before (which its first reader owns) badIndex: two
// owners would delete it twice. The list keeps what was read before a refusal; the caller's clean-up
// deletes it.
void SerializeOwnedChartList(CArchive& ar, CObList& list, const CRuntimeClass* pClass);
