#include "framework/core/CollectionBase.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

void AfxThrowCollectionMisuse()
{
    ASSERT(FALSE);
    AfxThrowNotSupportedException();
}

void AfxThrowCollectionMemory()
{
    AfxThrowMemoryException();
}

namespace {
// A count the rest of the file could not hold is refused. The archive's read-ahead buffer is not
// counted in the file's rest, so small collections pass on a fixed allowance (a bogus count then costs
// at most that much memory before the read fails); only larger ones make the archive give its
// read-ahead back to the file, which gives the exact rest.
const ULONGLONG kReadAheadAllowance = 0x10000;

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
    if (count <= (fileRest() + kReadAheadAllowance) / nMinBytesPerElement)
        return true;
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
