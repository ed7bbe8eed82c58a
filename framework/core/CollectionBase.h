#pragma once
// What the array, list and map classes share: the opaque iteration position and the handling of misuse.
#include <windows.h>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "framework/core/Debug.h"
#include "framework/core/Object.h"

// An opaque iterator: a list node or a map association, NULL after the last one.
struct __POSITION {};
typedef __POSITION* POSITION;

// The position GetStartPosition hands out before the first association of a non-empty map.
#define BEFORE_START_POSITION ((POSITION)(INT_PTR)-1)

class CArchive;

// Writes a collection's element count in the archive's count form: a WORD, or the WORD 0xFFFF and a DWORD
// when it is 0xFFFF or more.
void AfxWriteCollectionCount(CArchive& ar, INT_PTR nCount);
// Reads a count in that form. A count whose elements (at least nMinBytesPerElement bytes each) could not
// fit in what is left of the archive throws CArchiveException(endOfFile) before the collection is sized
// (give or take a small allowance for the archive's read-ahead).
INT_PTR AfxReadCollectionCount(CArchive& ar, UINT nMinBytesPerElement);

// A bad index or position, or an element taken from an empty list: the caller has a bug (a debug build
// asserts here). Going on would read or write memory the collection does not own, so the release build
// throws CNotSupportedException and leaves the collection as it was.
[[noreturn]] void AfxThrowCollectionMisuse();

// Allocation failures inside the collections surface as the framework's CMemoryException, not std::bad_alloc.
[[noreturn]] void AfxThrowCollectionMemory();

// Runs an allocating step, turning the standard library's allocation errors into CMemoryException.
template<class Step>
inline void AfxCollectionAllocate(Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        AfxThrowCollectionMemory();
    } catch (const std::length_error&) {
        AfxThrowCollectionMemory();
    }
}

// The nodes of a list or the associations of a map: handed out from blocks of nBlockSize nodes, taken back
// onto a free chain, and released all together. A Node has pNext (its link on the free chain) and pOwner
// (NULL while it is free).
template<class Node>
class CNodeBlocks
{
public:
    explicit CNodeBlocks(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize) {}

    // The free node the next TakeFree hands out, allocating a block when none is left. It stays free until
    // TakeFree, so contents whose construction throws leave the chain as it was.
    Node* NextFree()
    {
        if (m_pFree == nullptr) {
            AfxCollectionAllocate([&] {
                std::unique_ptr<Node[]> block(new Node[size_t(m_nBlockSize)]);
                m_blocks.push_back(std::move(block));
            });
            Node* pBlock = m_blocks.back().get();
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                pBlock[i].pOwner = nullptr;
                pBlock[i].pNext = m_pFree;
                m_pFree = &pBlock[i];
            }
        }
        return m_pFree;
    }
    // Takes the node NextFree returned off the free chain.
    void TakeFree() { m_pFree = m_pFree->pNext; }
    // Puts back a node whose contents are already destroyed.
    void Free(Node* pNode)
    {
        pNode->pOwner = nullptr;
        pNode->pNext = m_pFree;
        m_pFree = pNode;
    }
    // Releases every block; the contents of nodes in use must be destroyed first.
    void FreeAll()
    {
        m_blocks.clear();
        m_pFree = nullptr;
    }

private:
    Node* m_pFree = nullptr;
    std::vector<std::unique_ptr<Node[]>> m_blocks;
    INT_PTR m_nBlockSize;
};
