#include "framework/core/CollectionBase.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

void AfxThrowCollectionMisuse()
{
    AfxThrowInvalidArgException();
}

void AfxThrowCollectionMemory()
{
    AfxThrowMemoryException();
}

namespace {
const WORD kCountEscape = 0xFFFF;

// What the archive can still deliver: the unread rest of its file.
ULONGLONG BytesLeft(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    ULONGLONG length = pFile->GetLength();
    ULONGLONG position = pFile->GetPosition();
    return length > position ? length - position : 0;
}
}  // namespace

void AfxWriteCollectionCount(CArchive& ar, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    if (nCount < 0 || ULONGLONG(nCount) > 0xFFFFFFFFull)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (nCount < kCountEscape) {
        ar << WORD(nCount);
    } else {
        ar << kCountEscape;
        ar << DWORD(nCount);
    }
}

INT_PTR AfxReadCollectionCount(CArchive& ar, UINT nMinBytesPerElement)
{
    WORD wCount = 0;
    ar >> wCount;
    ULONGLONG count = wCount;
    if (wCount == kCountEscape) {
        DWORD dwCount = 0;
        ar >> dwCount;
        count = dwCount;
    }
    if (count * nMinBytesPerElement > BytesLeft(ar))
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return INT_PTR(count);
}
