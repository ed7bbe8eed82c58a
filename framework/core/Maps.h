#pragma once
// Hashed maps with chained buckets: the CMap template and the framework's typed maps.
// The bucket table (17 buckets unless InitHashTable sets another size) is allocated on the first insertion;
// associations come from blocks of nBlockSize. A new association becomes the head of its bucket, and
// iteration visits the buckets in index order, each from its head. Removing the association just returned
// by GetNextAssoc during an iteration is safe. A position of another map or of a removed association is
// caught while the map holds associations: it asserts, then throws CNotSupportedException.
#include <windows.h>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/CollectionBase.h"
#include "framework/core/CString.h"

// Bucket hash of a key before the modulo: integers and pointers drop their low four bits, which are
// mostly alignment; texts use the times-33 string hash.
template<class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer_v<ARG_KEY>)
        return UINT(reinterpret_cast<UINT_PTR>(key) >> 4);
    else
        return UINT(UINT_PTR(key) >> 4);
}

inline UINT HashKey(LPCTSTR key)
{
    UINT nHash = 0;
    for (const char* p = key != nullptr ? key : ""; *p != '\0'; ++p)
        nHash = (nHash << 5) + nHash + UINT(BYTE(*p));
    return nHash;
}

inline UINT HashKey(const CString& key) { return HashKey(LPCTSTR(key)); }

namespace CollectionDetail {
template<class KEY, class ARG_KEY>
inline bool KeysEqual(const KEY& key, ARG_KEY argKey)
{
    return key == argKey;
}
// A NULL text key is the empty text.
inline bool KeysEqual(const CString& key, LPCTSTR argKey)
{
    return std::strcmp(key, argKey != nullptr ? argKey : "") == 0;
}
}  // namespace CollectionDetail

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
    struct CPair
    {
        KEY key;
        VALUE value;
    };
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;     // HashKey of the key, before the modulo
        const CMap* pOwner;  // NULL while the association is free
        alignas(CPair) unsigned char storage[sizeof(CPair)];

        CPair& Pair() { return *std::launder(reinterpret_cast<CPair*>(storage)); }
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_associations(nBlockSize > 0 ? nBlockSize : 1)
    {
        ASSERT(nBlockSize > 0);
    }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        CAssoc* pAssoc = Find(key, HashKey(key));
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->Pair().value;
        return TRUE;
    }

    // The value of key; a missing key is added with a value-initialised value (0, NULL, empty text).
    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash = HashKey(key);
        if (CAssoc* pAssoc = Find(key, nHash))
            return pAssoc->Pair().value;
        if (m_table.empty())
            AllocTable(m_nHashTableSize);
        CAssoc* pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHash;
        pAssoc->pOwner = this;
        CAssoc*& rHead = m_table[nHash % m_nHashTableSize];
        pAssoc->pNext = rHead;
        rHead = pAssoc;
        ++m_nCount;
        return pAssoc->Pair().value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        UINT nHash = HashKey(key);
        for (CAssoc** ppLink = &m_table[nHash % m_nHashTableSize]; *ppLink != nullptr; ppLink = &(*ppLink)->pNext) {
            CAssoc* pAssoc = *ppLink;
            if (pAssoc->nHashValue == nHash && CollectionDetail::KeysEqual(pAssoc->Pair().key, key)) {
                *ppLink = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return TRUE;
            }
        }
        return FALSE;
    }

    // Frees every association, the bucket table and the blocks; the table size stays.
    void RemoveAll()
    {
        for (CAssoc* pHead : m_table)
            for (CAssoc* pAssoc = pHead; pAssoc != nullptr; pAssoc = pAssoc->pNext)
                pAssoc->Pair().~CPair();
        std::vector<CAssoc*>().swap(m_table);
        m_associations.FreeAll();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }

    // The association at rNextPosition; rNextPosition moves to the next one, NULL after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* pAssoc;
        if (rNextPosition == BEFORE_START_POSITION) {
            pAssoc = FirstFrom(0);
            if (pAssoc == nullptr)
                AfxThrowCollectionMisuse();
        } else {
            pAssoc = Valid(rNextPosition);
        }
        CAssoc* pNext = pAssoc->pNext;
        if (pNext == nullptr)
            pNext = FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
        rKey = pAssoc->Pair().key;
        rValue = pAssoc->Pair().value;
        rNextPosition = reinterpret_cast<POSITION>(pNext);
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the number of buckets (a prime suits the hash best). Associations already held are kept and
    // redistributed over the new buckets.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        ASSERT(nHashSize > 0);
        if (nHashSize == 0)
            return;
        if (m_nCount > 0 || bAllocNow)
            AllocTable(nHashSize);
        else
            std::vector<CAssoc*>().swap(m_table);
        m_nHashTableSize = nHashSize;
    }

private:
    CAssoc* Valid(POSITION position) const
    {
        if (position == nullptr)
            AfxThrowCollectionMisuse();
        CAssoc* pAssoc = reinterpret_cast<CAssoc*>(position);
        if (pAssoc->pOwner != this)
            AfxThrowCollectionMisuse();
        return pAssoc;
    }
    CAssoc* FirstFrom(UINT nBucket) const
    {
        for (UINT b = nBucket; b < m_table.size(); ++b)
            if (m_table[b] != nullptr)
                return m_table[b];
        return nullptr;
    }
    CAssoc* Find(ARG_KEY key, UINT nHash) const
    {
        if (m_table.empty())
            return nullptr;
        for (CAssoc* pAssoc = m_table[nHash % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            if (pAssoc->nHashValue == nHash && CollectionDetail::KeysEqual(pAssoc->Pair().key, key))
                return pAssoc;
        return nullptr;
    }

    // A new bucket table of nHashSize buckets holding the current associations.
    void AllocTable(UINT nHashSize)
    {
        std::vector<CAssoc*> table;
        AfxCollectionAllocate([&] { table.assign(nHashSize, nullptr); });
        for (CAssoc* pHead : m_table) {
            for (CAssoc* pAssoc = pHead; pAssoc != nullptr;) {
                CAssoc* pNext = pAssoc->pNext;
                CAssoc*& rHead = table[pAssoc->nHashValue % nHashSize];
                pAssoc->pNext = rHead;
                rHead = pAssoc;
                pAssoc = pNext;
            }
        }
        m_table.swap(table);
    }

    // A free association holding key and a value-initialised value, not yet linked.
    CAssoc* NewAssoc(ARG_KEY key)
    {
        CAssoc* pAssoc = m_associations.NextFree();
        AfxCollectionAllocate([&] { ::new (static_cast<void*>(pAssoc->storage)) CPair{KEY(key), VALUE()}; });
        m_associations.TakeFree();
        return pAssoc;
    }
    // Frees an unlinked association; the last one gone, the bucket table and the blocks are freed too.
    void FreeAssoc(CAssoc* pAssoc)
    {
        pAssoc->Pair().~CPair();
        m_associations.Free(pAssoc);
        if (--m_nCount == 0)
            RemoveAll();
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CNodeBlocks<CAssoc> m_associations;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_DYNAMIC(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
};

// Holds CObject pointers without owning them.
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
};
