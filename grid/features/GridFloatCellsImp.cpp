#include "grid/features/GridFloatCellsImp.h"

#include "framework/win/Dc.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/DelayedRangePool.h"
#include "grid/features/SpanCellPool.h"
#include "grid/features/SpanEvaluation.h"

#include <algorithm>
#include <new>
#include <optional>

namespace
{
enum : WORD
{
    kModeOff = 0,
    kModeDelayed = 1,
    kModeImmediate = 2
};

CGXSpanCellPool* PoolOf(CGXGridCore* pGrid)
{
    return GXAsSpanCellPool(pGrid->GetFloatCellsPool());
}

// The composed style of a cell as the evaluation sees it: from the pass's row cache, and for the
// current cell with the text being typed, so that it floats as it is typed.
class EvalStyle
{
public:
    EvalStyle(CGXGridCore* pGrid, CGXSpanPassScope& pass, ROWCOL nRow, ROWCOL nCol)
    {
        const BOOL bCurrent = pGrid->IsCurrentCell(nRow, nCol);
        if (!bCurrent)
            m_pStyle = pass.CachedStyle(nRow, nCol);
        if (m_pStyle != nullptr)
            return;
        CGXStyle& style = m_composed.emplace(pGrid, nRow, nCol).Get();
        if (bCurrent)
            if (CGXControl* pControl = pGrid->GetCurrentCellControl())
                pControl->GetModifiedValue(style);
        m_pStyle = &style;
    }
    const CGXStyle& Get() const { return *m_pStyle; }

private:
    const CGXStyle* m_pStyle = nullptr;
    std::optional<CGXComposedStyle> m_composed;
};

// A DC to measure text with: the grid's, or one compatible with the screen while the grid has no window.
class MeasureDC
{
public:
    explicit MeasureDC(CGXGridCore* pGrid) : m_pDC(pGrid->GetGridDC())
    {
        if (m_pDC == nullptr && m_own.CreateCompatibleDC(nullptr))
            m_pDC = &m_own;
    }
    CDC* Get() const { return m_pDC; }

private:
    CDC m_own;
    CDC* m_pDC;
};

const CGXStyle* StandardStyleOf(CGXGridCore* pGrid)
{
    if (const CGXStyle* pStandard = pGrid->GetStandardStyle())
        return pStandard;
    return pGrid->GetStylesMap() != nullptr ? pGrid->GetStylesMap()->GetStandardStyle() : nullptr;
}
} // namespace

BOOL CGXGridFloatCellsImp::CanFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                        BOOL bFloatCell, BOOL bCheckMerged)
{
    if (pGrid->GetFloatCellsMode() == kModeOff)
        return FALSE;
    CGXRange span;
    if (pGrid->GetCoveredCellsRowCol(nRow, nCol, span) || (bCheckMerged && pGrid->GetMergeRange(nRow, nCol, span, -1)))
        return FALSE;
    if (!bFloatCell)
    {
        if (nCol == pGrid->GetFrozenCols() + 1)
            return FALSE;
        if (!style.GetIncludeFloodCell() || !style.GetFloodCell())
            return FALSE;
    }
    else if (!style.GetIncludeFloatCell() || !style.GetFloatCell())
        return FALSE;
    CGXControl* pControl = pGrid->GetRegisteredControl(style.GetControl());
    return pControl != nullptr && pControl->CanFloatCell(nRow, nCol, style, bFloatCell);
}

BOOL CGXGridFloatCellsImp::CanFloatCellDefault(CGXGridCore*, ROWCOL, ROWCOL, const CGXStyle& style, BOOL bFloatCell)
{
    if (!bFloatCell)
        return style.GetValue().IsEmpty();
    // Turned text keeps to its cell.
    if (style.GetIncludeFont() && style.GetFont().GetIncludeOrientation() && style.GetFont().GetOrientation() != 0)
        return FALSE;
    return !style.GetValue().IsEmpty();
}

BOOL CGXGridFloatCellsImp::DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nColCount)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pGrid->GetFloatCellsMode() != kModeDelayed)
        return FALSE;
    CGXDelayedRangePool* pScreen = GXAsDelayedRangePool(pParam->m_pDelayedFloatCellsPool);
    CGXDelayedRangePool* pPrint = GXAsDelayedRangePool(pParam->m_pPrintDelayedFloatCellsPool);
    CGXRange block;
    if (GXCellBlockOf(pGrid, range, block))
    {
        // Header cells never float.
        block.top = std::max(block.top, pGrid->GetHeaderRows() + 1);
        block.left = std::max(block.left, pGrid->GetHeaderCols() + 1);
        if (block.top <= block.bottom && block.left <= block.right)
        {
            if (pScreen != nullptr && !pGrid->IsPrinting())
                pScreen->AddRange(block);
            if (pPrint != nullptr)
                pPrint->AddRange(block);
        }
    }
    if (nColCount != GX_INVALID)
        for (CGXDelayedRangePool* pPool : {pScreen, pPrint})
            if (pPool != nullptr)
                pPool->LimitCols(nColCount);
    return TRUE;
}

BOOL CGXGridFloatCellsImp::EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked,
                                          CGXRange* pRangeChanged, BOOL bNoCache)
{
    if (pGrid->m_bSuspendFloatEvaluation)
        return FALSE;
    switch (pGrid->GetFloatCellsMode())
    {
    case kModeDelayed:
        return EvalPass(pGrid, range, bUpdateLocked, pRangeChanged, bNoCache, TRUE);
    case kModeImmediate:
        return EvalPass(pGrid, range, bUpdateLocked, pRangeChanged, bNoCache, FALSE);
    default:
        return FALSE;
    }
}

BOOL CGXGridFloatCellsImp::EvalPass(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked,
                                    CGXRange* pRangeChanged, BOOL bNoCache, BOOL bDelayed)
{
    CGXRange block;
    if (pGrid->GetParam() == nullptr || !GXCellBlockOf(pGrid, range, block))
        return FALSE;
    block.top = std::max(block.top, pGrid->GetHeaderRows() + 1);
    block.left = std::max(block.left, pGrid->GetHeaderCols() + 1);
    if (block.top > block.bottom || block.left > block.right)
        return FALSE;
    CDWordArray awStartCols;
    CDWordArray awEndCols;
    if (bDelayed)
    {
        CGXDelayedRangePool* pPool = GXAsDelayedRangePool(pGrid->GetDelayedFloatCellsPool());
        if (pPool == nullptr || !pPool->GetRowsToEvaluate(block, awStartCols, awEndCols))
            return FALSE;
    }
    BOOL bChanged = FALSE;
    {
        const MeasureDC dc(pGrid);
        CGXSpanPassScope pass(pGrid, pGrid->m_FloatStyleCache, bUpdateLocked, bNoCache, block.left, block.right);
        for (ROWCOL nRow = block.top; nRow <= block.bottom && nRow >= block.top; ++nRow)
        {
            ROWCOL nFirst = block.left;
            ROWCOL nLast = block.right;
            if (bDelayed)
            {
                const INT_PTR nIndex = static_cast<INT_PTR>(nRow - block.top);
                if (awStartCols[nIndex] == 0xFFFFFFFF)
                    continue;
                nFirst = awStartCols[nIndex];
                nLast = awEndCols[nIndex];
            }
            if (pGrid->IsRowHidden(nRow))
                continue;
            for (ROWCOL nCol = nFirst; nCol <= nLast && nCol >= nFirst; ++nCol)
                if (!pGrid->IsColHidden(nCol))
                    bChanged |= EvalFloatCell(pGrid, pass, dc.Get(), nRow, nCol, pRangeChanged);
            pass.EndRow();
        }
    }
    pGrid->ReleaseGridDC();
    return bChanged;
}

BOOL CGXGridFloatCellsImp::EvalFloatCell(CGXGridCore* pGrid, CGXSpanPassScope& pass, CDC* pDC, ROWCOL nRow,
                                         ROWCOL nCol, CGXRange* pRangeChanged)
{
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    if (pGrid->GetFloatCellsMode() == kModeOff || nRow <= pGrid->GetHeaderRows() || nCol <= nHeaderCols)
        return FALSE;
    BOOL bMayFloat = FALSE;
    {
        const EvalStyle style(pGrid, pass, nRow, nCol);
        bMayFloat = pGrid->CanFloatCell(nRow, nCol, style.Get(), TRUE);
    }
    // Where the span that ends left of the cell starts; that span may now stop or go on over the cell.
    CGXRange leftSpan;
    const ROWCOL nLeftStart = pGrid->GetFloatRange(nRow, nCol - 1, leftSpan) ? leftSpan.left : nCol - 1;
    const BOOL bLeft = nLeftStart > nHeaderCols;
    BOOL bChanged = FALSE;
    if (!bMayFloat)
    {
        bChanged |= EvalFloatCellsFrom(pGrid, pass, pDC, nRow, nCol, pRangeChanged);
        if (bLeft)
            bChanged |= EvalFloatCellsFrom(pGrid, pass, pDC, nRow, nLeftStart, pRangeChanged);
    }
    else
    {
        if (bLeft)
            bChanged |= EvalFloatCellsFrom(pGrid, pass, pDC, nRow, nLeftStart, pRangeChanged);
        bChanged |= EvalFloatCellsFrom(pGrid, pass, pDC, nRow, nCol, pRangeChanged);
    }
    return bChanged;
}

BOOL CGXGridFloatCellsImp::EvalFloatCellsFrom(CGXGridCore* pGrid, CGXSpanPassScope& pass, CDC* pDC, ROWCOL nRow,
                                              ROWCOL nCol, CGXRange* pRangeChanged)
{
    if (PoolOf(pGrid) == nullptr)
        return FALSE;
    CGXRange span;
    const BOOL bSpan = pGrid->GetFloatRange(nRow, nCol, span);
    const ROWCOL nStart = bSpan ? span.left : nCol;
    const ROWCOL nOldEnd = bSpan ? span.right : nCol;
    const ROWCOL nCols = pGrid->GetColCount();
    ROWCOL k = 0;
    {
        const EvalStyle style(pGrid, pass, nRow, nStart);
        CGXControl* pControl = pGrid->GetRegisteredControl(style.Get().GetControl());
        if (pControl != nullptr && pDC != nullptr && pGrid->CanFloatCell(nRow, nStart, style.Get(), TRUE))
        {
            int nWidth =
                pControl->CalcSize(pDC, nRow, nStart, style.Get(), StandardStyleOf(pGrid), FALSE).cx;
            while (nStart + k < nCols)
            {
                const int nColWidth = pGrid->GetColWidth(nStart + k);
                if (nWidth <= nColWidth)
                    break;
                const EvalStyle next(pGrid, pass, nRow, nStart + k + 1);
                if (!pGrid->CanFloatCell(nRow, nStart + k + 1, next.Get(), FALSE))
                    break;
                nWidth -= nColWidth;
                ++k;
            }
        }
    }
    const ROWCOL nNewEnd = nStart + k;
    if (nNewEnd == nOldEnd)
        return FALSE;
    if (!pGrid->UpdateFloatCellsRowCol(nRow, nStart, nRow, nNewEnd, GX_INVALIDATE))
        return FALSE;
    if (pRangeChanged != nullptr)
    {
        const ROWCOL nEnd = std::max(nOldEnd, nNewEnd);
        if (!pRangeChanged->IsValid())
            pRangeChanged->SetCells(nRow, nStart, nRow, nEnd);
        else
            pRangeChanged->SetCells(std::min(pRangeChanged->top, nRow), std::min(pRangeChanged->left, nStart),
                                    std::max(pRangeChanged->bottom, nRow), std::max(pRangeChanged->right, nEnd));
    }
    return TRUE;
}

BOOL CGXGridFloatCellsImp::GetFloatRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range)
{
    range = CGXRange(nRow, nCol);
    const CGXSpanCellPool* pPool = PoolOf(pGrid);
    return pGrid->GetFloatCellsMode() != kModeOff && pPool != nullptr && pPool->GetSpanCellsRowCol(nRow, nCol, range);
}

BOOL CGXGridFloatCellsImp::StoreFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                 ROWCOL nToCol, BOOL bSet)
{
    CGXSpanCellPool* pPool = PoolOf(pGrid);
    if (pGrid->GetFloatCellsMode() == kModeOff || pPool == nullptr)
        return FALSE;
    return pPool->SetSpanCellsRowCol(nRow, nCol, nToRow, nToCol, bSet);
}

BOOL CGXGridFloatCellsImp::UpdateFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                  ROWCOL nToCol, UINT nFlags)
{
    CGXRange old;
    GetFloatRange(pGrid, nRow, nCol, old);
    const BOOL bSet = nToRow != nRow || nToCol != nCol;
    if (!StoreFloatCellsRowCol(pGrid, nRow, nCol, nToRow, nToCol, bSet))
        return FALSE;
    if (!pGrid->m_bNoSpanRedraw)
        pGrid->RedrawFloatCellsRowCol(nRow, nCol, std::max(nToRow, old.bottom), std::max(nToCol, old.right), nFlags,
                                      TRUE);
    return TRUE;
}

BOOL CGXGridFloatCellsImp::RedrawFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                                  ROWCOL nToCol, UINT nFlags, BOOL bCreateHint)
{
    if (!pGrid->IsLockUpdate())
    {
        CGXRange span;
        if (GetFloatRange(pGrid, nRow, nCol, span))
        {
            nToRow = std::max(nToRow, span.bottom);
            nToCol = std::max(nToCol, span.right);
        }
        pGrid->RedrawCellRange(nRow, nCol, nToRow, nToCol, nFlags, FALSE);
    }
    if (bCreateHint && pGrid->m_bHintsEnabled && pGrid->m_pUpdateHintImp != nullptr)
        pGrid->m_pUpdateHintImp->HintFloatCells(pGrid, nRow, nCol, nToRow, nToCol, nFlags);
    return TRUE;
}

BOOL CGXGridFloatCellsImp::ExpandToFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut)
{
    rangeOut = range;
    const CGXSpanCellPool* pPool = PoolOf(pGrid);
    CGXRange block;
    if (pGrid->GetFloatCellsMode() == kModeOff || pPool == nullptr || !GXCellBlockOf(pGrid, range, block))
        return FALSE;
    CGXRange grown = block;
    GXForEachSpanRun(pPool->GetHorzTable(), block.top, block.bottom, block.left, block.right,
                     [&](ROWCOL nRow, DWORD first, ROWCOL nLast) {
                         grown.SetCells(std::min(grown.top, nRow), std::min<ROWCOL>(grown.left, first),
                                        std::max(grown.bottom, nRow), std::max(grown.right, nLast));
                     });
    rangeOut = grown;
    return TRUE;
}

BOOL CGXGridFloatCellsImp::SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    if (wMode != pParam->m_wFloatCellsMode)
    {
        pParam->m_wFloatCellsMode = wMode;
        // The print pools stay until the printing replaces them.
        delete pParam->m_pFloatCellsPool;
        pParam->m_pFloatCellsPool = nullptr;
        delete pParam->m_pDelayedFloatCellsPool;
        pParam->m_pDelayedFloatCellsPool = nullptr;
        CGXAppData* pAppData = pGrid->GetAppData();
        if ((wMode == kModeDelayed || wMode == kModeImmediate) && pAppData->m_pSpanCellPoolImp != nullptr)
            pParam->m_pFloatCellsPool = pAppData->m_pSpanCellPoolImp->CreatePool();
        if (wMode == kModeDelayed && pAppData->m_pDelayedRangePoolImp != nullptr)
        {
            pParam->m_pDelayedFloatCellsPool = pAppData->m_pDelayedRangePoolImp->CreatePool();
            DelayFloatCells(pGrid, CGXRange().SetTable(), GX_INVALID);
        }
    }
    if (bRedraw)
        pGrid->RedrawGrid(GX_SMART, TRUE);
    return TRUE;
}

void CGXGridCore::InstallFloatCells()
{
    if (m_pFloatCellsImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridFloatCellsImp;
    if (pImp == nullptr)
        return;
    m_pFloatCellsImp = pImp;
    AddImplementationObject(pImp);
    InstallSpanCellPoolImp();
    InstallDelayedRangePoolImp();
    InstallDrawSpannedCells();
    InstallCalcSize();
}
