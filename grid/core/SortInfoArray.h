#pragma once
// The array of sort-key records that the sort component fills. The record layout is the sort
// component's: the array only knows the size of one record.

#include "framework/core/Object.h"

// One sort key: the row or column sorted by and how. Filled by the sort component.
struct CGXSortInfo
{
    DWORD nRC;         // row or column of the key
    int sortOrder;     // ascending or descending, the sort component's codes
    int sortType;      // how values compare, the sort component's codes
    BOOL bCase;        // compare case-sensitively
};

class CGXSortInfoArray : public CObject
{
    DECLARE_DYNAMIC(CGXSortInfoArray)

public:
    CGXSortInfoArray() = default;
    ~CGXSortInfoArray() override;

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nCapacity; }
    int GetGrowBy() const { return m_nGrowBy; }
    CGXSortInfo* GetData() { return m_pData; }
    CGXSortInfo& operator[](int nIndex) { return m_pData[nIndex]; }
    const CGXSortInfo& operator[](int nIndex) const { return m_pData[nIndex]; }

    // A grow step other than -1 is kept (0 = automatic). New records are zeroed.
    void SetSize(int nNewSize, int nGrowBy = -1);

private:
    CGXSortInfoArray(const CGXSortInfoArray&) = delete;
    CGXSortInfoArray& operator=(const CGXSortInfoArray&) = delete;

    CGXSortInfo* m_pData = nullptr;
    int m_nSize = 0;
    int m_nCapacity = 0;
    int m_nGrowBy = 0;
};
