#include "grid/features/CoveredCellPool.h"

#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"

#include <new>

IMPLEMENT_DYNAMIC(CGXCoveredCellPool, CObject)

POSITION CGXCoveredCellPool::GetCoveredCell(ROWCOL nRow, ROWCOL nCol) const
{
    if (static_cast<INT_PTR>(nRow) >= m_lines.GetSize())
        return nullptr;
    const CPtrArray* pLine = m_lines.GetLine(nRow);
    if (pLine == nullptr || static_cast<INT_PTR>(nCol) >= pLine->GetSize())
        return nullptr;
    return static_cast<POSITION>(pLine->GetAt(nCol));
}

BOOL CGXCoveredCellPool::SetCoveredCell(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos)
{
    if (nBottom < nTop || nRight < nLeft)
        return FALSE;
    if (pos != nullptr && nTop == nBottom && nLeft == nRight)
        return FALSE;
    BOOL bChanged = FALSE;
    for (ROWCOL nRow = nTop; nRow <= nBottom && nRow >= nTop; ++nRow)
    {
        CPtrArray* pLine = static_cast<INT_PTR>(nRow) < m_lines.GetSize() ? m_lines.GetLine(nRow) : nullptr;
        if (pLine == nullptr)
        {
            if (pos == nullptr)
                continue;
            pLine = new CPtrArray;
            try
            {
                m_lines.SetAtGrow(nRow, pLine);
            }
            catch (...)
            {
                delete pLine;
                throw;
            }
        }
        CPtrArray& line = *pLine;
        const void* pFirst = static_cast<INT_PTR>(nLeft) < line.GetSize() ? line[nLeft] : nullptr;
        if (pos == nullptr)
        {
            if (pFirst == nullptr)
                continue;
            for (INT_PTR c = nLeft; c < line.GetSize() && line[c] == pFirst; ++c)
                line[c] = nullptr;
            bChanged = TRUE;
            continue;
        }
        // A covered cell belongs to one range only.
        if (pFirst != nullptr && pFirst != pos)
            return FALSE;
        if (line.GetSize() <= static_cast<INT_PTR>(nRight))
            line.SetSize(static_cast<INT_PTR>(nRight) + 1);
        for (ROWCOL c = nLeft; c <= nRight; ++c)
            line[c] = pos;
        // What is left of a wider old extent of the same range goes.
        for (INT_PTR c = static_cast<INT_PTR>(nRight) + 1; c < line.GetSize() && line[c] == pos; ++c)
            line[c] = nullptr;
        bChanged = TRUE;
    }
    return bChanged;
}

BOOL CGXCoveredCellPool::HoldsOtherRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                         POSITION pos) const
{
    for (ROWCOL nRow = nTop; nRow <= nBottom && static_cast<INT_PTR>(nRow) < m_lines.GetSize(); ++nRow)
    {
        const CPtrArray* pLine = m_lines.GetLine(nRow);
        if (pLine == nullptr)
            continue;
        for (INT_PTR c = nLeft; c <= static_cast<INT_PTR>(nRight) && c < pLine->GetSize(); ++c)
            if (pLine->GetAt(c) != nullptr && pLine->GetAt(c) != pos)
                return TRUE;
    }
    return FALSE;
}

void CGXCoveredCellPool::Rebuild(const CGXRangeList& list)
{
    m_lines.DeleteAll();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION here = pos;
        const CGXRange* pRange = list.GetNext(pos);
        // An invalid range covers nothing, and the list deletes it when it is next stored: a
        // position of it kept here would be left dangling by a save.
        if (!pRange->IsValid())
            continue;
        SetCoveredCell(pRange->top, pRange->left, pRange->bottom, pRange->right, here);
    }
}

CGXCoveredCellPool* GXAsCoveredCellPool(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXCoveredCellPool))
               ? static_cast<CGXCoveredCellPool*>(pObject)
               : nullptr;
}

// ---- CGXCoveredCellPoolImp ----

CObject* CGXCoveredCellPoolImp::CreateCoveredCellPool(CGXGridParam&)
{
    return new (std::nothrow) CGXCoveredCellPool;
}

void CGXCoveredCellPoolImp::SyncCoveredCellPool(CGXGridParam& param)
{
    param.CreateCoveredCellPool();
    if (CGXCoveredCellPool* pPool = GXAsCoveredCellPool(param.m_pCoveredCellPool))
        pPool->Rebuild(param.m_CoveredCellsList);
}

void InstallCoveredCellPoolImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pCoveredCellPoolImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXCoveredCellPoolImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pCoveredCellPoolImp = pImp;
    pAppData->AddOwnedObject(pImp);
}
