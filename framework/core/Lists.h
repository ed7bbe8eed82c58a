#pragma once
// Doubly linked lists iterated by POSITION: the CList template and the framework's typed lists.
// A POSITION stays valid while its element is in the list. Nodes come from blocks of nBlockSize nodes;
// each node knows its list, so a position of another list or of a removed element (while the list still
// holds elements) is caught: it asserts, then throws CNotSupportedException and changes nothing.
#include <windows.h>
#include <new>
#include <utility>
#include <vector>

#include "framework/core/CollectionBase.h"
#include "framework/core/CString.h"

template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        const CList* pOwner;  // NULL while the node is free
        alignas(TYPE) unsigned char storage[sizeof(TYPE)];

        TYPE& Data() { return *std::launder(reinterpret_cast<TYPE*>(storage)); }
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nodes(nBlockSize > 0 ? nBlockSize : 1)
    {
        ASSERT(nBlockSize > 0);
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty(m_pHead)->Data(); }
    const TYPE& GetHead() const { return NonEmpty(m_pHead)->Data(); }
    TYPE& GetTail() { return NonEmpty(m_pTail)->Data(); }
    const TYPE& GetTail() const { return NonEmpty(m_pTail)->Data(); }

    TYPE RemoveHead()
    {
        CNode* pNode = NonEmpty(m_pHead);
        TYPE value(std::move(pNode->Data()));
        Unlink(pNode);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pNode = NonEmpty(m_pTail);
        TYPE value(std::move(pNode->Data()));
        Unlink(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Position(Link(NewNode(newElement), nullptr, m_pHead)); }
    POSITION AddTail(ARG_TYPE newElement) { return Position(Link(NewNode(newElement), m_pTail, nullptr)); }

    // Adds copies of pNewList's elements (may be this list), keeping their order.
    void AddHead(const CList* pNewList)
    {
        std::vector<TYPE> copy = Elements(pNewList);
        for (auto it = copy.rbegin(); it != copy.rend(); ++it)
            AddHead(*it);
    }
    void AddTail(const CList* pNewList)
    {
        std::vector<TYPE> copy = Elements(pNewList);
        for (const TYPE& element : copy)
            AddTail(element);
    }

    void RemoveAll()
    {
        for (CNode* pNode = m_pHead; pNode != nullptr; pNode = pNode->pNext)
            pNode->Data().~TYPE();
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
        m_nodes.FreeAll();
    }

    POSITION GetHeadPosition() const { return Position(m_pHead); }
    POSITION GetTailPosition() const { return Position(m_pTail); }

    // The element at rPosition; rPosition moves to the next (previous) one, NULL past the end.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = Valid(rPosition);
        rPosition = Position(pNode->pNext);
        return pNode->Data();
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = Valid(rPosition);
        rPosition = Position(pNode->pNext);
        return pNode->Data();
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = Valid(rPosition);
        rPosition = Position(pNode->pPrev);
        return pNode->Data();
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = Valid(rPosition);
        rPosition = Position(pNode->pPrev);
        return pNode->Data();
    }

    TYPE& GetAt(POSITION position) { return Valid(position)->Data(); }
    const TYPE& GetAt(POSITION position) const { return Valid(position)->Data(); }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Valid(pos)->Data() = newElement; }
    void RemoveAt(POSITION position) { Unlink(Valid(position)); }

    // A NULL position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        CNode* pOld = Valid(position);
        return Position(Link(NewNode(newElement), pOld->pPrev, pOld));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        CNode* pOld = Valid(position);
        return Position(Link(NewNode(newElement), pOld, pOld->pNext));
    }

    // The first element equal to searchValue after startAfter (from the head when NULL), or NULL.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* pNode = startAfter == nullptr ? m_pHead : Valid(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext)
            if (pNode->Data() == searchValue)
                return Position(pNode);
        return nullptr;
    }

    // The position of the nIndex-th element from the head, or NULL when there is none.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* pNode = m_pHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return Position(pNode);
    }

private:
    static POSITION Position(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    CNode* Valid(POSITION position) const
    {
        if (position == nullptr || position == BEFORE_START_POSITION)
            AfxThrowCollectionMisuse();
        CNode* pNode = reinterpret_cast<CNode*>(position);
        if (pNode->pOwner != this)
            AfxThrowCollectionMisuse();
        return pNode;
    }
    static CNode* NonEmpty(CNode* pEnd)
    {
        if (pEnd == nullptr)
            AfxThrowCollectionMisuse();
        return pEnd;
    }
    static std::vector<TYPE> Elements(const CList* pList)
    {
        if (pList == nullptr)
            AfxThrowCollectionMisuse();
        std::vector<TYPE> copy;
        AfxCollectionAllocate([&] {
            copy.reserve(size_t(pList->m_nCount));
            for (CNode* pNode = pList->m_pHead; pNode != nullptr; pNode = pNode->pNext)
                copy.push_back(pNode->Data());
        });
        return copy;
    }

    // A free node holding a copy of value, not yet linked. value may refer into this list.
    CNode* NewNode(ARG_TYPE value)
    {
        CNode* pNode = m_nodes.NextFree();
        AfxCollectionAllocate([&] { ::new (static_cast<void*>(pNode->storage)) TYPE(value); });
        m_nodes.TakeFree();
        return pNode;
    }
    CNode* Link(CNode* pNode, CNode* pPrev, CNode* pNext)
    {
        pNode->pOwner = this;
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        (pPrev != nullptr ? pPrev->pNext : m_pHead) = pNode;
        (pNext != nullptr ? pNext->pPrev : m_pTail) = pNode;
        ++m_nCount;
        return pNode;
    }
    // Unlinks and frees the node; the last element gone, the node blocks are freed too.
    void Unlink(CNode* pNode)
    {
        (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pTail) = pNode->pPrev;
        pNode->Data().~TYPE();
        m_nodes.Free(pNode);
        if (--m_nCount == 0)
            RemoveAll();
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
    CNodeBlocks<CNode> m_nodes;
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

// Holds CObject pointers without owning them; Serialize writes each through CArchive's object operators.
class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};
