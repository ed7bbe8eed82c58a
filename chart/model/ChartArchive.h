// Checks on what the chart classes read from archives: counts bounded by the archive's rest, and
// loaded objects of the class their container expects.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Lists.h"

// Reads a 32-bit count; a negative count, or one whose elements (nMinBytesPerElement each) cannot fit
// in the rest of the archive, throws CArchiveException before anything is allocated.
int ReadChartCount(CArchive& ar, UINT nMinBytesPerElement);

// Throws CArchiveException(badClass) unless every element of the list is a pClass (the list keeps its
// elements; the caller's clean-up deletes them).
void CheckChartListClass(const CObList& list, const CRuntimeClass* pClass);
