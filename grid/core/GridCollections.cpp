#include "grid/core/GridCollections.h"

#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

void GXCheckWordCount(INT_PTR nCount)
{
    // The archive forms keep their entry count in 16 bits; a larger collection would be written
    // with a wrong count and read back as garbage.
    if (nCount < 0 || nCount > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::genericException);
}

void GXCheckArchiveCount(CArchive& ar, ULONGLONG nCount, UINT nMinBytesPerEntry)
{
    if (nCount == 0 || nMinBytesPerEntry == 0)
        return;
    CFile* pFile = ar.GetFile();
    if (pFile == nullptr)
        return;
    auto fileRest = [pFile] {
        const ULONGLONG nLength = pFile->GetLength();
        const ULONGLONG nPosition = pFile->GetPosition();
        return nLength > nPosition ? nLength - nPosition : 0;
    };
    // The archive's read-ahead is not in the file's rest: small counts pass on an allowance larger
    // than that buffer; larger ones make the archive give its read-ahead back for the exact rest.
    const ULONGLONG nReadAheadAllowance = 0x10000;
    if (nCount <= (fileRest() + nReadAheadAllowance) / nMinBytesPerEntry)
        return;
    ar.Flush();
    if (nCount > fileRest() / nMinBytesPerEntry)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

DWORD GXMovedIndex(DWORD index, DWORD from, DWORD to, DWORD dest)
{
    const DWORD n = to - from + 1;
    if (dest > from)
    {
        if (index >= from && index <= to)
            return index + (dest - from);
        if (index > to && index <= dest + n - 1)
            return index - n;
    }
    else if (dest < from)
    {
        if (index >= from && index <= to)
            return index - (from - dest);
        if (index >= dest && index < from)
            return index + n;
    }
    return index;
}

// ---------------------------------------------------------------------------------------------
// CGXCollMapDWordToLong

IMPLEMENT_SERIAL(CGXCollMapDWordToLong, CObject, 0)
IMPLEMENT_SERIAL(CGXMapDWordToLong, CGXCollMapDWordToLong, 0)

CGXCollMapDWordToLong::CGXCollMapDWordToLong(INT_PTR nBlockSize) : m_map(nBlockSize) {}

CGXCollMapDWordToLong::CGXCollMapDWordToLong(const CGXCollMapDWordToLong& other)
    : CObject(), m_map(other.m_map.GetBlockSize())
{
    *this = other;
}

CGXCollMapDWordToLong& CGXCollMapDWordToLong::operator=(const CGXCollMapDWordToLong& other)
{
    if (&other == this)
        return *this;
    m_map.InitHashTable(other.m_map.GetHashTableSize());
    for (POSITION pos = other.GetStartPosition(); pos != NULL;)
    {
        DWORD key = 0;
        LONG value = 0;
        other.GetNextAssoc(pos, key, value);
        m_map[key] = value;
    }
    return *this;
}

CGXCollMapDWordToLong::~CGXCollMapDWordToLong() = default;

template <class Renumber>
void CGXCollMapDWordToLong::Rebuild(Renumber renumber)
{
    GXHashMapCore<DWORD, LONG, GXHashDWordShift4> rebuilt(m_map.GetBlockSize());
    rebuilt.InitHashTable(m_map.GetHashTableSize());
    for (POSITION pos = GetStartPosition(); pos != NULL;)
    {
        const auto* pAssoc = m_map.GetNextAssoc(pos);
        DWORD key = pAssoc->key;
        if (renumber(key))
            rebuilt[key] = pAssoc->value;
    }
    m_map.Swap(rebuilt);
}

void CGXCollMapDWordToLong::InsertKeys(DWORD at, DWORD count)
{
    Rebuild([=](DWORD& key) {
        if (key >= at)
            key += count;
        return true;
    });
}

void CGXCollMapDWordToLong::RemoveKeys(DWORD from, DWORD to)
{
    const DWORD n = to - from + 1;
    Rebuild([=](DWORD& key) {
        if (key >= from && key <= to)
            return false;
        if (key > to)
            key -= n;
        return true;
    });
}

void CGXCollMapDWordToLong::MoveKeys(DWORD from, DWORD to, DWORD dest)
{
    Rebuild([=](DWORD& key) {
        key = GXMovedIndex(key, from, to, dest);
        return true;
    });
}

void CGXCollMapDWordToLong::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        GXCheckWordCount(GetCount());
        ar << static_cast<WORD>(GetCount());
        for (POSITION pos = GetStartPosition(); pos != NULL;)
        {
            DWORD key = 0;
            LONG value = 0;
            GetNextAssoc(pos, key, value);
            ar << key << static_cast<DWORD>(value);
        }
        return;
    }
    // All entries are read before the first goes in: a refused archive leaves the map as it was.
    WORD nCount = 0;
    ar >> nCount;
    std::vector<std::pair<DWORD, DWORD>> entries(nCount);
    for (auto& entry : entries)
        ar >> entry.first >> entry.second;
    for (const auto& entry : entries)
        m_map[entry.first] = static_cast<LONG>(entry.second);
}

// ---------------------------------------------------------------------------------------------
// CMapNdxToOb

IMPLEMENT_SERIAL(CMapNdxToOb, CObject, 0)
IMPLEMENT_SERIAL(CGXMapCellToOb, CMapNdxToOb, 0)

CMapNdxToOb::CMapNdxToOb(INT_PTR nBlockSize) : m_map(nBlockSize) {}

CMapNdxToOb::~CMapNdxToOb() = default;

void CMapNdxToOb::GetNextAssoc(POSITION& rNextPosition, ROWCOL& rRow, ROWCOL& rCol, CObject*& rValue) const
{
    const auto* pAssoc = m_map.GetNextAssoc(rNextPosition);
    if (pAssoc != nullptr)
    {
        rRow = pAssoc->key.row;
        rCol = pAssoc->key.col;
        rValue = pAssoc->value;
    }
}

void CMapNdxToOb::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        GXCheckWordCount(GetCount());
        ar << static_cast<WORD>(GetCount());
        for (POSITION pos = GetStartPosition(); pos != NULL;)
        {
            ROWCOL row = 0, col = 0;
            CObject* pObject = nullptr;
            GetNextAssoc(pos, row, col, pObject);
            ar << static_cast<DWORD>(row) << static_cast<DWORD>(col);
            ar << pObject;
        }
        return;
    }
    WORD nCount = 0;
    ar >> nCount;
    for (WORD i = 0; i < nCount; ++i)
    {
        DWORD row = 0, col = 0;
        ar >> row >> col;
        CObject* pObject = nullptr;
        ar >> pObject;
        m_map[GXCellKey{row, col}] = pObject;
    }
}

// ---------------------------------------------------------------------------------------------
// CGXPtrArrayPtrArray

CGXPtrArrayPtrArray::~CGXPtrArrayPtrArray() { DeleteAll(); }

void CGXPtrArrayPtrArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetLine(i);
    RemoveAll();
}
