#pragma once
// The array of sort-key records that a caller fills and the sort component reads, and the key line
// the sort builds for every row (column) it orders.

#include "framework/core/Collections.h"
#include "framework/core/Object.h"

// One sort key, in priority order within its array. Every field is 32-bit.
struct CGXSortInfo
{
    // Kinds of key: how the texts compare. Any other kind compares as text.
    enum SortType : int { numeric = 0, alphanumeric = 1, date = 2, autodetect = 3 };

    DWORD nRC;             // for a row sort the column whose values are the key; for a column sort the row
    int sortType;          // kind; a run replaces autodetect by the kind it resolved
    int sortOrder;         // 0 ascending, non-zero descending
    BOOL bCase;            // texts compare case-sensitively
    int nReserved;         // not read by the sort
    BOOL bNumberCandidate; // work flag of a run: every text seen so far could be a number
    BOOL bDateCandidate;   // work flag of a run: every text seen so far parsed as a date
};
static_assert(sizeof(CGXSortInfo) == 28, "seven 32-bit fields");

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

// The key texts of one line (row or column) of a sort run, and their numbers once a number or date
// key converted them. The run owns its key lines; SortKeys orders pointers to them.
class CGXSortKeyLine
{
public:
    CGXSortKeyLine() = default;
    ~CGXSortKeyLine() { delete[] m_pValues; }
    CGXSortKeyLine(const CGXSortKeyLine&) = delete;
    CGXSortKeyLine& operator=(const CGXSortKeyLine&) = delete;

    // One text per key.
    CStringArray m_texts;
    // One double per key, allocated when the first number or date key is converted.
    double* m_pValues = nullptr;
    // The line's position from the first line of the range before sorting.
    DWORD m_nOffset = 0;
    const CGXSortInfoArray* m_pSortInfo = nullptr;
};
