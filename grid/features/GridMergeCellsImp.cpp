#include "grid/features/GridMergeCellsImp.h"

#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"
#include "grid/features/SpanEvaluation.h"
#include "grid/features/StyleCompareSubsetImp.h"

#include <algorithm>
#include <new>
#include <optional>

namespace
{
enum : WORD
{
    kModeKind = 3,
    kModeDelayed = 1,
    kModeImmediate = 2,
    kNoVertical = 4,
    kNoHorizontal = 8
};

enum : unsigned
{
    kMergeHorizontal = 1,
    kMergeVertical = 2,
    kMergeValuesOnly = 4
};

WORD ModeOf(CGXGridCore* pGrid)
{
    return pGrid->GetMergeCellsMode();
}

CGXSpanCellPool* PoolOf(CGXGridCore* pGrid, int nDirection)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return nullptr;
    return GXAsSpanCellPool(nDirection == 0 ? pParam->m_pHorzMergeCellsPool : pParam->m_pVertMergeCellsPool);
}

// Widens a changed-range record by a cell block (an invalid record takes the block).
void Widen(CGXRange& record, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    if (!record.IsValid())
    {
        record.SetCells(nTop, nLeft, nBottom, nRight);
        return;
    }
    record.SetCells(std::min(record.top, nTop), std::min(record.left, nLeft), std::max(record.bottom, nBottom),
                    std::max(record.right, nRight));
}
} // namespace

BOOL CGXGridMergeCellsImp::CanMergeCell(CGXGridCore* pGrid, const CGXStyle& style, ROWCOL nRow, ROWCOL nCol,
                                        ROWCOL nOtherRow, ROWCOL)
{
    const WORD wMode = ModeOf(pGrid);
    const BOOL bHorizontal = nOtherRow == nRow;
    // Hidden lines are passed over by the delayed evaluation: they never break a run.
    if ((wMode & kModeKind) == kModeDelayed && (pGrid->IsRowHidden(nRow) || pGrid->IsColHidden(nCol)))
        return TRUE;
    if ((wMode & kModeKind) == 0 || !style.GetIncludeMergeCell())
        return FALSE;
    const unsigned nMerge = style.GetMergeCell();
    const BOOL bAllowed = bHorizontal ? (nMerge & kMergeHorizontal) != 0 && (wMode & kNoHorizontal) == 0
                                      : (nMerge & kMergeVertical) != 0 && (wMode & kNoVertical) == 0;
    if (!bAllowed)
        return FALSE;
    CGXRange covered;
    if (pGrid->GetCoveredCellsRowCol(nRow, nCol, covered))
        return FALSE;
    CGXControl* pControl = pGrid->GetRegisteredControl(style.GetControl());
    return pControl != nullptr && pControl->HasValue(style);
}

BOOL CGXGridMergeCellsImp::CanMergeCellsStyles(CGXGridCore*, const CGXStyle& style, const CGXStyle& otherStyle)
{
    if (!style.GetIncludeMergeCell() || !otherStyle.GetIncludeMergeCell())
        return FALSE;
    if ((style.GetMergeCell() & kMergeValuesOnly) != 0 && (otherStyle.GetMergeCell() & kMergeValuesOnly) != 0)
        return style.GetValue() == otherStyle.GetValue();
    return style.CompareSubset(otherStyle) && otherStyle.CompareSubset(style);
}

BOOL CGXGridMergeCellsImp::DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nRowCount,
                                           ROWCOL nColCount)
{
    if ((ModeOf(pGrid) & kModeKind) != kModeDelayed)
        return FALSE;
    CGXDelayedRangePool* pPool = GXAsDelayedRangePool(pGrid->GetParam()->m_pDelayedMergeCellsPool);
    if (pPool == nullptr)
        return FALSE;
    CGXRange block;
    if (GXCellBlockOf(pGrid, range, block))
    {
        // Hidden lines at the block's edges belong to the runs they interrupt.
        const ROWCOL nRows = pGrid->GetRowCount();
        const ROWCOL nCols = pGrid->GetColCount();
        while (block.top > 0 && pGrid->IsRowHidden(block.top))
            --block.top;
        while (block.bottom < nRows && pGrid->IsRowHidden(block.bottom))
            ++block.bottom;
        while (block.left > 0 && pGrid->IsColHidden(block.left))
            --block.left;
        while (block.right < nCols && pGrid->IsColHidden(block.right))
            ++block.right;
        pPool->AddRange(block);
    }
    if (nRowCount != GX_INVALID)
        pPool->LimitRows(nRowCount);
    if (nColCount != GX_INVALID)
        pPool->LimitCols(nColCount);
    return TRUE;
}

BOOL CGXGridMergeCellsImp::EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked,
                                          CGXRange* pRangeChanged, BOOL bNoCache)
{
    if (pGrid->m_bSuspendMergeEvaluation || pGrid->GetParam() == nullptr)
        return FALSE;
    CGXRange block;
    if (!GXCellBlockOf(pGrid, range, block))
        return FALSE;
    switch (ModeOf(pGrid) & kModeKind)
    {
    case kModeImmediate:
        return EvalImmediate(pGrid, block, bUpdateLocked, pRangeChanged, bNoCache);
    case kModeDelayed:
        return EvalDelayed(pGrid, block, bUpdateLocked, pRangeChanged, bNoCache);
    default:
        return FALSE;
    }
}

BOOL CGXGridMergeCellsImp::EvalImmediate(CGXGridCore* pGrid, const CGXRange& block, BOOL bUpdateLocked,
                                         CGXRange* pRangeChanged, BOOL bNoCache)
{
    CGXSpanPassScope pass(pGrid, pGrid->m_MergeStyleCache, bUpdateLocked, bNoCache, block.left, block.right);
    BOOL bChanged = FALSE;
    for (ROWCOL nRow = block.top; nRow <= block.bottom && nRow >= block.top; ++nRow)
    {
        if (pGrid->IsRowHidden(nRow))
            continue;
        for (ROWCOL nCol = block.left; nCol <= block.right && nCol >= block.left; ++nCol)
            if (!pGrid->IsColHidden(nCol))
                bChanged |= EvalCell(pGrid, pass, nRow, nCol, pRangeChanged);
        pass.EndRow();
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalDelayed(CGXGridCore* pGrid, const CGXRange& block, BOOL bUpdateLocked,
                                       CGXRange* pRangeChanged, BOOL bNoCache)
{
    CGXDelayedRangePool* pPool = GXAsDelayedRangePool(pGrid->GetParam()->m_pDelayedMergeCellsPool);
    CDWordArray awStartCols;
    CDWordArray awEndCols;
    if (pPool == nullptr || !pPool->GetRowsToEvaluate(block, awStartCols, awEndCols))
        return FALSE;
    CGXSpanPassScope pass(pGrid, pGrid->m_MergeStyleCache, bUpdateLocked, bNoCache, block.left, block.right);
    BOOL bChanged = FALSE;
    for (INT_PTR i = 0; i < awStartCols.GetSize(); ++i)
    {
        if (awStartCols[i] == 0xFFFFFFFF)
            continue;
        const ROWCOL nRow = block.top + static_cast<ROWCOL>(i);
        for (ROWCOL nCol = awStartCols[i]; nCol <= awEndCols[i] && nCol >= awStartCols[i]; ++nCol)
            bChanged |= EvalCell(pGrid, pass, nRow, nCol, pRangeChanged);
        pass.EndRow();
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalCell(CGXGridCore* pGrid, CGXSpanPassScope& pass, ROWCOL nRow, ROWCOL nCol,
                                    CGXRange* pRangeChanged)
{
    const WORD wMode = ModeOf(pGrid);
    const BOOL bDelayed = (wMode & kModeKind) == kModeDelayed;
    CGXRange& last = pGrid->m_rangeLastMergeStored;
    BOOL bChanged = FALSE;
    // Pairs the cell with its neighbour before (after) it, and, when that stored a span, goes on
    // from the span's end while the pairs change something: a run that grew or split may reach
    // past the neighbour.
    auto pairAndFollow = [&](int nDirection, ROWCOL nLine, ROWCOL nFirst, ROWCOL nSecond, BOOL bBackward,
                             BOOL bFollow, ROWCOL nLimit) {
        last = CGXRange();
        if (!EvalPair(pGrid, pass, nDirection, nLine, nFirst, nSecond, pRangeChanged))
            return;
        bChanged = TRUE;
        if (!bFollow || !last.IsValid())
            return;
        const ROWCOL nLastStart = nDirection == 0 ? last.left : last.top;
        const ROWCOL nLastEnd = nDirection == 0 ? last.right : last.bottom;
        ROWCOL n = bBackward ? nLastStart : nLastEnd;
        while (bBackward ? n > 0 : n < nLimit)
        {
            last = CGXRange();
            const BOOL bPairChanged = bBackward ? EvalPair(pGrid, pass, nDirection, nLine, n - 1, n, pRangeChanged)
                                                : EvalPair(pGrid, pass, nDirection, nLine, n, n + 1, pRangeChanged);
            if (!bPairChanged)
                break;
            // Each step moves at least one line on, so the walk ends.
            if (bBackward)
                n = last.IsValid() ? std::min(nDirection == 0 ? last.left : last.top, n - 1) : n - 1;
            else
                n = last.IsValid() ? std::max(nDirection == 0 ? last.right : last.bottom, n + 1) : n + 1;
        }
    };

    if ((wMode & kNoHorizontal) == 0)
    {
        const ROWCOL nCols = pGrid->GetColCount();
        if (nCol > 0 && nCol <= nCols)
        {
            ROWCOL nLeft = nCol - 1;
            while (bDelayed && nLeft > 0 && pGrid->IsColHidden(nLeft))
                --nLeft;
            pairAndFollow(0, nRow, nLeft, nCol, TRUE, TRUE, nCols);
        }
        if (nCol < nCols)
        {
            ROWCOL nRight = nCol + 1;
            while (bDelayed && nRight < nCols && pGrid->IsColHidden(nRight))
                ++nRight;
            pairAndFollow(0, nRow, nCol, nRight, FALSE, TRUE, nCols);
        }
    }
    if ((wMode & kNoVertical) == 0)
    {
        const ROWCOL nRows = pGrid->GetRowCount();
        if (nRow > 0 && nRow <= nRows)
        {
            ROWCOL nUp = nRow - 1;
            while (bDelayed && nUp > 0 && pGrid->IsRowHidden(nUp))
                --nUp;
            pairAndFollow(1, nCol, nUp, nRow, TRUE, TRUE, nRows);
        }
        // Rows below are reached by the pass itself, row by row.
        if (nRow < nRows)
        {
            ROWCOL nDown = nRow + 1;
            while (bDelayed && nDown < nRows && pGrid->IsRowHidden(nDown))
                ++nDown;
            pairAndFollow(1, nCol, nRow, nDown, FALSE, FALSE, nRows);
        }
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::EvalPair(CGXGridCore* pGrid, CGXSpanPassScope& pass, int nDirection, ROWCOL nLine,
                                    ROWCOL nFirst, ROWCOL nSecond, CGXRange* pRangeChanged)
{
    CGXSpanCellPool* pPool = PoolOf(pGrid, nDirection);
    if (pPool == nullptr)
        return FALSE;
    const BOOL bHorizontal = nDirection == 0;
    const ROWCOL nRow1 = bHorizontal ? nLine : nFirst;
    const ROWCOL nCol1 = bHorizontal ? nFirst : nLine;
    const ROWCOL nRow2 = bHorizontal ? nLine : nSecond;
    const ROWCOL nCol2 = bHorizontal ? nSecond : nLine;

    // The current spans of both cells along the direction (the cell itself without one).
    auto spanOf = [&](ROWCOL nRow, ROWCOL nCol, ROWCOL nIndex, ROWCOL& nStart, ROWCOL& nEnd) {
        CGXRange span(nRow, nCol);
        nStart = nEnd = nIndex;
        if (!pPool->GetSpanCellsRowCol(nRow, nCol, span))
            return FALSE;
        nStart = bHorizontal ? span.left : span.top;
        nEnd = bHorizontal ? span.right : span.bottom;
        return TRUE;
    };
    ROWCOL nStart1 = 0;
    ROWCOL nEnd1 = 0;
    ROWCOL nStart2 = 0;
    ROWCOL nEnd2 = 0;
    const BOOL bSpan1 = spanOf(nRow1, nCol1, nFirst, nStart1, nEnd1);
    const BOOL bSpan2 = spanOf(nRow2, nCol2, nSecond, nStart2, nEnd2);

    // Cells of the row being evaluated come from the pass's cache; others are composed here.
    std::optional<CGXComposedStyle> composed1;
    std::optional<CGXComposedStyle> composed2;
    const CGXStyle* pStyle1 = bHorizontal ? pass.CachedStyle(nRow1, nCol1) : nullptr;
    const CGXStyle* pStyle2 = bHorizontal ? pass.CachedStyle(nRow2, nCol2) : nullptr;
    if (pStyle1 == nullptr)
        pStyle1 = &composed1.emplace(pGrid, nRow1, nCol1).Get();
    if (pStyle2 == nullptr)
        pStyle2 = &composed2.emplace(pGrid, nRow2, nCol2).Get();

    if (bHorizontal && (ModeOf(pGrid) & kModeKind) == kModeDelayed &&
        (pGrid->IsRowHidden(nLine) || pGrid->IsColHidden(nSecond)))
        return TRUE;

    auto update = [&](ROWCOL nFrom, ROWCOL nTo) {
        return bHorizontal ? pGrid->UpdateMergeCellsRowCol(0, nLine, nFrom, nLine, nTo, GX_SMART)
                           : pGrid->UpdateMergeCellsRowCol(1, nFrom, nLine, nTo, nLine, GX_SMART);
    };
    BOOL bChanged = FALSE;
    if (pGrid->CanMergeCell(*pStyle1, nRow1, nCol1, nRow2, nCol2) &&
        pGrid->CanMergeCell(*pStyle2, nRow2, nCol2, nRow1, nCol1) && pGrid->CanMergeCellsStyles(*pStyle1, *pStyle2))
    {
        if (nEnd1 != nEnd2)
        {
            if (bSpan2)
                bChanged |= update(nStart2, nStart2);
            bChanged |= update(nStart1, nEnd2);
        }
    }
    else
    {
        // The cells must be apart: a span over both is cut between them.
        if (bSpan1 && nEnd1 >= nSecond)
        {
            bChanged |= update(nStart1, nStart1);
            if (nFirst > nStart1)
                bChanged |= update(nStart1, nFirst);
        }
        if (bSpan2 && nStart2 <= nFirst)
        {
            if (!bSpan1 || nStart2 != nStart1)
                bChanged |= update(nStart2, nStart2);
            if (nEnd2 > nSecond)
                bChanged |= update(nSecond, nEnd2);
        }
    }
    if (bChanged && pRangeChanged != nullptr)
    {
        if (!pRangeChanged->IsValid())
            *pRangeChanged = CGXRange(nRow2, nCol2);
        if (bHorizontal)
        {
            Widen(*pRangeChanged, nLine, nStart1, nLine, nEnd1);
            Widen(*pRangeChanged, nLine, nStart2, nLine, nEnd2);
        }
        else
        {
            Widen(*pRangeChanged, nStart1, nLine, nEnd1, nLine);
            Widen(*pRangeChanged, nStart2, nLine, nEnd2, nLine);
        }
    }
    return bChanged;
}

BOOL CGXGridMergeCellsImp::GetMergeRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range,
                                         int nDirection)
{
    if ((ModeOf(pGrid) & kModeKind) == 0)
        return FALSE;
    range = CGXRange(nRow, nCol);
    BOOL bFound = FALSE;
    if (nDirection != 1)
        if (const CGXSpanCellPool* pPool = PoolOf(pGrid, 0))
            bFound |= pPool->GetSpanCellsRowCol(nRow, nCol, range);
    if (nDirection != 0)
        if (const CGXSpanCellPool* pPool = PoolOf(pGrid, 1))
            bFound |= pPool->GetSpanCellsRowCol(nRow, nCol, range);
    return bFound;
}

BOOL CGXGridMergeCellsImp::UpdateMergeCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol,
                                                  ROWCOL nToRow, ROWCOL nToCol, UINT nFlags)
{
    CGXSpanCellPool* pPool = PoolOf(pGrid, nDirection);
    if (pPool == nullptr)
        return FALSE;
    CGXRange old(nRow, nCol);
    pPool->GetSpanCellsRowCol(nRow, nCol, old);
    const BOOL bSet = nToRow != nRow || nToCol != nCol;
    if (!pPool->SetSpanCellsRowCol(nRow, nCol, nToRow, nToCol, bSet))
        return FALSE;
    pGrid->m_rangeLastMergeStored.SetCells(nRow, nCol, nToRow, nToCol);
    // Floating text next to the span may float differently now, over what the span covered before too.
    const CGXRange widened(nRow, nCol, std::max(nToRow, old.bottom), std::max(nToCol, old.right));
    pGrid->DelayFloatCells(widened, GX_INVALID);
    if (!pGrid->m_bNoSpanRedraw)
        pGrid->RedrawMergeCellsRowCol(widened.top, widened.left, widened.bottom, widened.right, nFlags, TRUE);
    return TRUE;
}

BOOL CGXGridMergeCellsImp::RedrawMergeCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                  ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    if (!pGrid->IsLockUpdate())
    {
        CGXRange span;
        if (GetMergeRange(pGrid, nRow, nCol, span, -1))
        {
            nToRow = std::max(nToRow, span.bottom);
            nToCol = std::max(nToCol, span.right);
        }
        pGrid->RedrawCellRange(nRow, nCol, nToRow, nToCol, nFlags, FALSE);
    }
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintMergeCells(pGrid, nRow, nCol, nToRow, nToCol, nFlags);
    return TRUE;
}

BOOL CGXGridMergeCellsImp::ExpandToMergedCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut)
{
    rangeOut = range;
    if ((ModeOf(pGrid) & kModeKind) == 0)
        return FALSE;
    CGXRange block;
    if (!GXCellBlockOf(pGrid, range, block))
        return FALSE;
    CGXRange grown = block;
    if (const CGXSpanCellPool* pHorz = PoolOf(pGrid, 0))
        GXForEachSpanRun(pHorz->GetHorzTable(), block.top, block.bottom, block.left, block.right,
                         [&](ROWCOL nRow, DWORD first, ROWCOL nLast) { Widen(grown, nRow, first, nRow, nLast); });
    if (const CGXSpanCellPool* pVert = PoolOf(pGrid, 1))
        GXForEachSpanRun(pVert->GetVertTable(), block.left, block.right, block.top, block.bottom,
                         [&](ROWCOL nCol, DWORD first, ROWCOL nLast) { Widen(grown, first, nCol, nLast, nCol); });
    rangeOut = grown;
    return TRUE;
}

BOOL CGXGridMergeCellsImp::SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    if (wMode != pParam->m_wMergeCellsMode)
    {
        pParam->m_wMergeCellsMode = wMode;
        for (CObject** ppPool :
             {&pParam->m_pHorzMergeCellsPool, &pParam->m_pVertMergeCellsPool, &pParam->m_pDelayedMergeCellsPool})
        {
            delete *ppPool;
            *ppPool = nullptr;
        }
        CGXAppData* pAppData = pGrid->GetAppData();
        CGXAbstractSpanCellPoolImp* pSpanImp = pAppData->m_pSpanCellPoolImp;
        CGXAbstractDelayedRangePoolImp* pDelayedImp = pAppData->m_pDelayedRangePoolImp;
        const WORD wKind = wMode & kModeKind;
        if ((wKind == kModeDelayed || wKind == kModeImmediate) && pSpanImp != nullptr)
        {
            pParam->m_pHorzMergeCellsPool = pSpanImp->CreatePool();
            pParam->m_pVertMergeCellsPool = pSpanImp->CreatePool();
        }
        if (wKind == kModeDelayed && pDelayedImp != nullptr)
        {
            pParam->m_pDelayedMergeCellsPool = pDelayedImp->CreatePool();
            DelayMergeCells(pGrid, CGXRange().SetTable(), GX_INVALID, GX_INVALID);
        }
    }
    if (bRedraw)
        pGrid->RedrawGrid(GX_SMART, TRUE);
    return TRUE;
}

void CGXGridCore::InstallMergeCells()
{
    if (m_pMergeCellsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridMergeCellsImp;
    if (pImp == nullptr)
        return;
    m_pMergeCellsImp = pImp;
    AddImplementationObject(pImp);
    InstallDrawSpannedCells();
    InstallSpanCellPoolImp();
    InstallDelayedRangePoolImp();
    InstallStyleCompareSubsetImp();
}
