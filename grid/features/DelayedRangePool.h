#pragma once
// Ranges whose merged or floating spans are out of date. Working spans out for a whole table is
// costly: the grid notes the blocks that changed and evaluates them row by row as those rows come
// into view, remembering per block which rows it has done.

#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/AppComponents.h"
#include "grid/core/Range.h"

class CArchive;

class CGXDelayedRange : public CObject
{
    DECLARE_SERIAL(CGXDelayedRange)

public:
    CGXDelayedRange() = default;

    virtual CGXDelayedRange& operator=(const CGXDelayedRange& other);
    // The range (four DWORDs, kind and valid flag as bytes), then the starts and the ends of the
    // evaluated rows; the done flag is not stored. Starts and ends of unequal length are a damaged
    // archive (CArchiveException cause 7).
    void Serialize(CArchive& ar) override;

    // Records rows of the intersection as evaluated. The intersection is trimmed to the rows that
    // are new; FALSE when all of them were evaluated already. Done once the rows evaluated are all
    // of the range's rows.
    BOOL MarkEvaluated(CGXRange& intersection);
    void MarkDone();

    // The cell block to evaluate.
    CGXRange m_range;
    // Evaluated rows of it: intervals ascending and disjoint, starts and ends of equal length.
    CDWordArray m_awStarts;
    CDWordArray m_awEnds;
    // Set when the whole range was evaluated; a done entry has no intervals and waits for reuse.
    DWORD m_bDone = 0;
};

class CGXDelayedRangePool : public CObject
{
    DECLARE_SERIAL(CGXDelayedRangePool)

public:
    CGXDelayedRangePool() = default;
    ~CGXDelayedRangePool() override;

    // Records a block to be evaluated: done entries are reused, pending ones that lie inside it are
    // dropped, and a pending one without evaluated rows that the block continues to the right or
    // below grows to take it.
    void AddRange(const CGXRange& range);
    // The evaluation step for a block: sizes the arrays to one entry per row of the block and gives
    // every row that must be evaluated its column extent (start 0xFFFFFFFF and end 0 for the rows
    // that need nothing); those rows count as evaluated from now on. TRUE when any row must be.
    BOOL GetRowsToEvaluate(const CGXRange& range, CDWordArray& awStartCols, CDWordArray& awEndCols);
    // Clamp the pending ranges when the table shrank.
    void LimitRows(ROWCOL nLastRow);
    void LimitCols(ROWCOL nLastCol);
    void RemoveDoneRanges();
    void DeleteAll();
    virtual CGXDelayedRangePool& operator=(const CGXDelayedRangePool& other);
    // The entries as a framework object array (each with its class).
    void Serialize(CArchive& ar) override;

    INT_PTR GetCount() const { return m_apRanges.GetSize(); }
    CGXDelayedRange* GetAt(INT_PTR nIndex) const { return static_cast<CGXDelayedRange*>(m_apRanges.GetAt(nIndex)); }

private:
    // A copy of the entry for the columns nLeft..nRight, appended.
    void AppendPart(const CGXDelayedRange& entry, ROWCOL nLeft, ROWCOL nRight);

    CObArray m_apRanges;  // owned CGXDelayedRange*
};

// The application-wide maker of delayed-range pools (CGXAppData::m_pDelayedRangePoolImp).
class CGXDelayedRangePoolImp : public CGXAbstractDelayedRangePoolImp
{
public:
    CObject* CreateCopy(const CObject* pSource) override;
    CObject* CreatePool() override;
    void CopyPool(CObject* pDest, const CObject* pSource) override;
};

// The pool an object is, or NULL when it is none (or NULL).
CGXDelayedRangePool* GXAsDelayedRangePool(CObject* pObject);

void InstallDelayedRangePoolImp();
