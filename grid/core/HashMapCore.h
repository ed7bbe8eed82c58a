#pragma once
// The hashed map under the grid's own collections: chained buckets (the table is allocated on the
// first insertion), nodes taken from blocks through a free list, iteration by an opaque position in
// bucket order, each bucket from its most recently added node. Removing the last node frees the
// table and every block.

#include "framework/core/Collections.h"

#include <cstddef>
#include <new>
#include <utility>

#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))
#endif

template <class TKey, class TValue, class THash>
class GXHashMapCore
{
public:
    struct Assoc
    {
        Assoc* pNext;
        UINT nHashValue;  // the bucket index
        TKey key;
        TValue value;
    };

    explicit GXHashMapCore(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    GXHashMapCore(const GXHashMapCore&) = delete;
    GXHashMapCore& operator=(const GXHashMapCore&) = delete;
    ~GXHashMapCore() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    INT_PTR GetBlockSize() const { return m_nBlockSize; }

    // Sets the bucket count; the entries are discarded.
    void InitHashTable(UINT nHashSize)
    {
        RemoveAll();
        m_nHashTableSize = nHashSize > 0 ? nHashSize : 1;
    }

    UINT BucketOf(const TKey& key) const { return THash()(key) % m_nHashTableSize; }

    Assoc* Find(const TKey& key, UINT& nBucket) const
    {
        nBucket = BucketOf(key);
        if (m_pHashTable == nullptr)
            return nullptr;
        for (Assoc* pAssoc = m_pHashTable[nBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            if (pAssoc->key == key)
                return pAssoc;
        return nullptr;
    }

    bool Lookup(const TKey& key, TValue& value) const
    {
        UINT nBucket = 0;
        const Assoc* pAssoc = Find(key, nBucket);
        if (pAssoc == nullptr)
            return false;
        value = pAssoc->value;
        return true;
    }

    // The value slot of a key; a missing key is added with a value-initialised value.
    TValue& operator[](const TKey& key)
    {
        UINT nBucket = 0;
        Assoc* pAssoc = Find(key, nBucket);
        if (pAssoc != nullptr)
            return pAssoc->value;
        if (m_pHashTable == nullptr)
        {
            m_pHashTable = new Assoc*[m_nHashTableSize];
            for (UINT i = 0; i < m_nHashTableSize; ++i)
                m_pHashTable[i] = nullptr;
        }
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nBucket;
        pAssoc->pNext = m_pHashTable[nBucket];
        m_pHashTable[nBucket] = pAssoc;
        return pAssoc->value;
    }

    bool RemoveKey(const TKey& key)
    {
        if (m_pHashTable == nullptr)
            return false;
        Assoc** ppPrev = &m_pHashTable[BucketOf(key)];
        for (Assoc* pAssoc = *ppPrev; pAssoc != nullptr; pAssoc = pAssoc->pNext)
        {
            if (pAssoc->key == key)
            {
                *ppPrev = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return true;
            }
            ppPrev = &pAssoc->pNext;
        }
        return false;
    }

    void RemoveAll()
    {
        if (m_pHashTable != nullptr)
        {
            for (UINT i = 0; i < m_nHashTableSize; ++i)
                for (Assoc* pAssoc = m_pHashTable[i]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
                    pAssoc->~Assoc();
            delete[] m_pHashTable;
            m_pHashTable = nullptr;
        }
        m_nCount = 0;
        m_pFreeList = nullptr;
        while (m_pBlocks != nullptr)
        {
            Block* pNext = m_pBlocks->pNext;
            ::operator delete(m_pBlocks);
            m_pBlocks = pNext;
        }
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }

    // The association at the position; the position moves to the next one (NULL after the last).
    Assoc* GetNextAssoc(POSITION& rNextPosition) const
    {
        Assoc* pAssoc = reinterpret_cast<Assoc*>(rNextPosition);
        if (pAssoc == reinterpret_cast<Assoc*>(BEFORE_START_POSITION))
        {
            pAssoc = nullptr;
            for (UINT i = 0; m_pHashTable != nullptr && i < m_nHashTableSize && pAssoc == nullptr; ++i)
                pAssoc = m_pHashTable[i];
        }
        if (pAssoc == nullptr)
        {
            rNextPosition = nullptr;
            return nullptr;
        }
        Assoc* pNext = pAssoc->pNext;
        for (UINT i = pAssoc->nHashValue + 1; pNext == nullptr && i < m_nHashTableSize; ++i)
            pNext = m_pHashTable[i];
        rNextPosition = reinterpret_cast<POSITION>(pNext);
        return pAssoc;
    }

    // The same, with the key and value copied out (left as they are past the last association).
    void GetNextAssoc(POSITION& rNextPosition, TKey& rKey, TValue& rValue) const
    {
        if (const Assoc* pAssoc = GetNextAssoc(rNextPosition))
        {
            rKey = pAssoc->key;
            rValue = pAssoc->value;
        }
    }

    // Bucket count, block size and entries of two maps change places.
    void Swap(GXHashMapCore& other)
    {
        std::swap(m_pHashTable, other.m_pHashTable);
        std::swap(m_nHashTableSize, other.m_nHashTableSize);
        std::swap(m_nCount, other.m_nCount);
        std::swap(m_pFreeList, other.m_pFreeList);
        std::swap(m_pBlocks, other.m_pBlocks);
        std::swap(m_nBlockSize, other.m_nBlockSize);
    }

private:
    struct Block
    {
        Block* pNext;
    };

    Assoc* NewAssoc(const TKey& key)
    {
        if (m_pFreeList == nullptr)
        {
            // A block is a header followed by m_nBlockSize raw nodes, chained into the free list.
            const std::size_t nodeOffset = (sizeof(Block) + alignof(Assoc) - 1) / alignof(Assoc) * alignof(Assoc);
            Block* pBlock = static_cast<Block*>(::operator new(nodeOffset + sizeof(Assoc) * m_nBlockSize));
            pBlock->pNext = m_pBlocks;
            m_pBlocks = pBlock;
            Assoc* pNodes = reinterpret_cast<Assoc*>(reinterpret_cast<char*>(pBlock) + nodeOffset);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i)
            {
                Assoc** ppLink = reinterpret_cast<Assoc**>(&pNodes[i]);
                *ppLink = m_pFreeList;
                m_pFreeList = &pNodes[i];
            }
        }
        Assoc* pRaw = m_pFreeList;
        m_pFreeList = *reinterpret_cast<Assoc**>(pRaw);
        Assoc* pAssoc = new (pRaw) Assoc{nullptr, 0, key, TValue()};
        ++m_nCount;
        return pAssoc;
    }

    void FreeAssoc(Assoc* pAssoc)
    {
        pAssoc->~Assoc();
        *reinterpret_cast<Assoc**>(pAssoc) = m_pFreeList;
        m_pFreeList = pAssoc;
        if (--m_nCount == 0)
            RemoveAll();
    }

    Assoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    Assoc* m_pFreeList = nullptr;
    Block* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};
