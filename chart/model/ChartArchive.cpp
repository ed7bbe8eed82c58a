#include "chart/model/ChartArchive.h"

#include "framework/core/CollectionBase.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

namespace {
ULONGLONG FileRest(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    const ULONGLONG length = pFile->GetLength();
    const ULONGLONG position = pFile->GetPosition();
    return length > position ? length - position : 0;
}
}  // namespace

int ReadChartCount(CArchive& ar, UINT nMinBytesPerElement)
{
    int count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    if (count == 0 || nMinBytesPerElement == 0)
        return count;
    if (ULONGLONG(count) <= FileRest(ar) / nMinBytesPerElement)
        return count;
    // The archive may have read ahead into its buffer: give that back to the file and look again.
    ar.Flush();
    if (ULONGLONG(count) <= FileRest(ar) / nMinBytesPerElement)
        return count;
    AfxThrowArchiveException(CArchiveException::endOfFile);
}

void SerializeOwnedChartList(CArchive& ar, CObList& list, const CRuntimeClass* pClass)
{
    if (ar.IsStoring()) {
        list.Serialize(ar);
        return;
    }
    // An element takes at least its two-byte tag.
    for (INT_PTR n = AfxReadCollectionCount(ar, 2); n > 0; --n) {
        CObject* pObject = ar.ReadOwnedObject(pClass);
        if (pObject == NULL)
            AfxThrowArchiveException(CArchiveException::badClass);
        list.AddTail(pObject);
    }
}
