#include "grid/core/SortInfoArray.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXSortInfoArray, CObject)

CGXSortInfoArray::~CGXSortInfoArray()
{
    std::free(m_pData);
}

namespace
{
CGXSortInfo* AllocateZeroed(int nCount)
{
    void* pBlock = std::calloc(static_cast<size_t>(nCount), sizeof(CGXSortInfo));
    if (pBlock == nullptr)
        AfxThrowMemoryException();
    return static_cast<CGXSortInfo*>(pBlock);
}
} // namespace

void CGXSortInfoArray::SetSize(int nNewSize, int nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowNotSupportedException();
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0)
    {
        std::free(m_pData);
        m_pData = nullptr;
        m_nSize = m_nCapacity = 0;
        return;
    }
    if (m_pData == nullptr)
    {
        m_pData = AllocateZeroed(nNewSize);
        m_nSize = m_nCapacity = nNewSize;
        return;
    }
    if (nNewSize <= m_nCapacity)
    {
        if (nNewSize > m_nSize)
            std::memset(m_pData + m_nSize, 0, static_cast<size_t>(nNewSize - m_nSize) * sizeof(CGXSortInfo));
        m_nSize = nNewSize;
        return;
    }
    // Automatic growth adds an eighth of the records in use, at least 4 and at most 1024.
    const int nStep = m_nGrowBy != 0 ? m_nGrowBy : std::clamp(m_nSize / 8, 4, 1024);
    const int nCapacity = nNewSize >= m_nCapacity + nStep ? nNewSize : m_nCapacity + nStep;
    CGXSortInfo* pNew = AllocateZeroed(nCapacity);
    std::memcpy(pNew, m_pData, static_cast<size_t>(m_nSize) * sizeof(CGXSortInfo));
    std::free(m_pData);
    m_pData = pNew;
    m_nCapacity = nCapacity;
    m_nSize = nNewSize;
}
