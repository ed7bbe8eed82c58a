#pragma once
// The grid's sparse per-row and per-column data: hashed maps in the manner of the framework's
// collections (see HashMapCore.h) and a pointer array of owned pointer arrays.

#include "framework/core/Archive.h"
#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"
#include "grid/core/HashMapCore.h"

struct GXHashDWordShift4
{
    UINT operator()(DWORD key) const { return key >> 4; }
};

// Unsigned 32-bit keys to signed 32-bit values (row heights, column widths).
class CGXCollMapDWordToLong : public CObject
{
    DECLARE_SERIAL(CGXCollMapDWordToLong)

public:
    explicit CGXCollMapDWordToLong(INT_PTR nBlockSize = 10);
    CGXCollMapDWordToLong(const CGXCollMapDWordToLong& other);
    CGXCollMapDWordToLong& operator=(const CGXCollMapDWordToLong& other);
    ~CGXCollMapDWordToLong() override;

    INT_PTR GetCount() const { return m_map.GetCount(); }
    BOOL IsEmpty() const { return m_map.IsEmpty(); }
    BOOL Lookup(DWORD key, LONG& rValue) const { return m_map.Lookup(key, rValue); }
    LONG& operator[](DWORD key) { return m_map[key]; }
    void SetAt(DWORD key, LONG value) { m_map[key] = value; }
    BOOL RemoveKey(DWORD key) { return m_map.RemoveKey(key); }
    void RemoveAll() { m_map.RemoveAll(); }
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, DWORD& rKey, LONG& rValue) const
    {
        m_map.GetNextAssoc(rNextPosition, rKey, rValue);
    }
    // Sets the bucket count; the entries are discarded.
    void InitHashTable(UINT nHashSize) { m_map.InitHashTable(nHashSize); }
    UINT GetHashTableSize() const { return m_map.GetHashTableSize(); }

    // Renumbering when rows or columns are inserted, removed or moved; values travel with their keys.
    void InsertKeys(DWORD at, DWORD count);
    void RemoveKeys(DWORD from, DWORD to);
    void MoveKeys(DWORD from, DWORD to, DWORD dest);

    // A 16-bit count, then key and value of every entry as 32-bit values.
    void Serialize(CArchive& ar) override;

private:
    template <class Renumber>
    void Rebuild(Renumber renumber);

    GXHashMapCore<DWORD, LONG, GXHashDWordShift4> m_map;
};

class CGXMapDWordToLong : public CGXCollMapDWordToLong
{
    DECLARE_SERIAL(CGXMapDWordToLong)

public:
    CGXMapDWordToLong() : CGXCollMapDWordToLong(10) {}
    CGXMapDWordToLong(const CGXMapDWordToLong& other) = default;
    CGXMapDWordToLong& operator=(const CGXMapDWordToLong& other) = default;
};

// A cell (row, column) as a map key.
struct GXCellKey
{
    DWORD row;
    DWORD col;
    bool operator==(const GXCellKey& other) const { return row == other.row && col == other.col; }
};

struct GXHashCellKey
{
    UINT operator()(const GXCellKey& key) const { return (key.row << 8) + key.col; }
};

// Cells to framework objects; the map does not own the objects.
class CMapNdxToOb : public CObject
{
    DECLARE_SERIAL(CMapNdxToOb)

public:
    explicit CMapNdxToOb(INT_PTR nBlockSize = 10);
    ~CMapNdxToOb() override;

    INT_PTR GetCount() const { return m_map.GetCount(); }
    BOOL IsEmpty() const { return m_map.IsEmpty(); }
    BOOL Lookup(ROWCOL row, ROWCOL col, CObject*& rValue) const { return m_map.Lookup(GXCellKey{row, col}, rValue); }
    CObject*& operator()(ROWCOL row, ROWCOL col) { return m_map[GXCellKey{row, col}]; }
    void SetAt(ROWCOL row, ROWCOL col, CObject* pValue) { m_map[GXCellKey{row, col}] = pValue; }
    BOOL RemoveKey(ROWCOL row, ROWCOL col) { return m_map.RemoveKey(GXCellKey{row, col}); }
    void RemoveAll() { m_map.RemoveAll(); }
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, ROWCOL& rRow, ROWCOL& rCol, CObject*& rValue) const;
    void InitHashTable(UINT nHashSize) { m_map.InitHashTable(nHashSize); }
    UINT GetHashTableSize() const { return m_map.GetHashTableSize(); }

    // A 16-bit count, then per entry the row and column as 32-bit values and the object by reference.
    void Serialize(CArchive& ar) override;

private:
    GXHashMapCore<GXCellKey, CObject*, GXHashCellKey> m_map;
};

class CGXMapCellToOb : public CMapNdxToOb
{
    DECLARE_SERIAL(CGXMapCellToOb)

public:
    explicit CGXMapCellToOb(INT_PTR nBlockSize = 10) : CMapNdxToOb(nBlockSize) {}
};

// An 8-byte key of two 32-bit words.
struct GXByte8Key
{
    DWORD dw1;
    DWORD dw2;
    bool operator==(const GXByte8Key& other) const { return dw1 == other.dw1 && dw2 == other.dw2; }
};

struct GXHashByte8Key
{
    UINT operator()(const GXByte8Key& key) const { return ((key.dw1 & 0xFFFF) >> 4) | ((key.dw2 & 0xFFFF) << 12); }
};

class CGXMapByte8ToPtr : public CObject
{
public:
    explicit CGXMapByte8ToPtr(INT_PTR nBlockSize = 10) : m_map(nBlockSize) {}

    INT_PTR GetCount() const { return m_map.GetCount(); }
    BOOL IsEmpty() const { return m_map.IsEmpty(); }
    BOOL Lookup(const GXByte8Key& key, void*& rValue) const { return m_map.Lookup(key, rValue); }
    void*& operator[](const GXByte8Key& key) { return m_map[key]; }
    void SetAt(const GXByte8Key& key, void* pValue) { m_map[key] = pValue; }
    BOOL RemoveKey(const GXByte8Key& key) { return m_map.RemoveKey(key); }
    void RemoveAll() { m_map.RemoveAll(); }
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, GXByte8Key& rKey, void*& rValue) const
    {
        m_map.GetNextAssoc(rNextPosition, rKey, rValue);
    }
    void InitHashTable(UINT nHashSize) { m_map.InitHashTable(nHashSize); }

private:
    GXHashMapCore<GXByte8Key, void*, GXHashByte8Key> m_map;
};

struct CGXFontData;

struct GXHashFontKey
{
    UINT operator()(ULONGLONG key) const { return static_cast<UINT>(key & 0xFFFFFFFF); }
};

// The 64-bit key of shared font data (its first word in the low half) to the shared record.
class CGXMapFontData : public CObject
{
public:
    explicit CGXMapFontData(INT_PTR nBlockSize = 10) : m_map(nBlockSize) {}

    INT_PTR GetCount() const { return m_map.GetCount(); }
    BOOL IsEmpty() const { return m_map.IsEmpty(); }
    BOOL Lookup(ULONGLONG key, CGXFontData*& rValue) const { return m_map.Lookup(key, rValue); }
    CGXFontData*& operator[](ULONGLONG key) { return m_map[key]; }
    void SetAt(ULONGLONG key, CGXFontData* pValue) { m_map[key] = pValue; }
    BOOL RemoveKey(ULONGLONG key) { return m_map.RemoveKey(key); }
    void RemoveAll() { m_map.RemoveAll(); }
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, ULONGLONG& rKey, CGXFontData*& rValue) const
    {
        m_map.GetNextAssoc(rNextPosition, rKey, rValue);
    }
    void InitHashTable(UINT nHashSize) { m_map.InitHashTable(nHashSize); }

private:
    GXHashMapCore<ULONGLONG, CGXFontData*, GXHashFontKey> m_map;
};

// A pointer array whose elements are owned pointer arrays (lines).
class CGXPtrArrayPtrArray : public CPtrArray
{
public:
    CGXPtrArrayPtrArray() = default;
    ~CGXPtrArrayPtrArray() override;

    CPtrArray* GetLine(INT_PTR nIndex) const
    {
        return static_cast<CPtrArray*>(const_cast<void*>(static_cast<const void*>(GetAt(nIndex))));
    }
    // Deletes every line and empties the array.
    void DeleteAll();
};

// Where index lands when rows (or columns) from..to move so that the first of them becomes dest,
// numbered after the move; indexes outside the moved and the passed-over block stay.
DWORD GXMovedIndex(DWORD index, DWORD from, DWORD to, DWORD dest);

// Refuses to store a count that a 16-bit field cannot hold, before anything is written.
void GXCheckWordCount(INT_PTR nCount);
// Refuses (archive exception, end of file) a count read from an archive whose entries, at least
// nMinBytesPerEntry bytes each, could not fit in the rest of the file; called before anything is
// allocated for the entries.
void GXCheckArchiveCount(CArchive& ar, ULONGLONG nCount, UINT nMinBytesPerEntry);
