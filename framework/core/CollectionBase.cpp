#include "framework/core/CollectionBase.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

void AfxThrowCollectionMisuse()
{
    AfxThrowNotSupportedException();
}

void AfxThrowCollectionMemory()
{
    AfxThrowMemoryException();
}

namespace {
// An upper bound of what the archive can still deliver: the unread rest of its file, plus what the
// archive has read ahead into its buffer.
bool CanHold(CArchive& ar, ULONGLONG count, UINT nMinBytesPerElement)
{
    if (nMinBytesPerElement == 0 || count == 0)
        return true;
    auto fileRest = [&ar] {
        CFile* pFile = ar.GetFile();
        ULONGLONG length = pFile->GetLength();
        ULONGLONG position = pFile->GetPosition();
        return length > position ? length - position : 0;
    };
    if (count <= fileRest() / nMinBytesPerElement)
        return true;
    // Only the read-ahead is unknown: give it back to the file and look again.
    ar.Flush();
    return count <= fileRest() / nMinBytesPerElement;
}
}  // namespace

void AfxWriteCollectionCount(CArchive& ar, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::genericException);
    ar.WriteCount(DWORD_PTR(nCount));
}

INT_PTR AfxReadCollectionCount(CArchive& ar, UINT nMinBytesPerElement)
{
    DWORD_PTR count = ar.ReadCount();
    if (count > DWORD_PTR(INTPTR_MAX) || !CanHold(ar, count, nMinBytesPerElement))
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return INT_PTR(count);
}
