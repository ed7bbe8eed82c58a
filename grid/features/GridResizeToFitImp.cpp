#include "grid/features/GridResizeToFitImp.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <new>

namespace
{

// The rectangle a line may fill: the grid rectangle, or, while the window is not laid out, its
// parent's or first child's client area, else a very large one.
CRect FitArea(CGXGridCore* pGrid, BOOL bRows)
{
    CRect rect = pGrid->GetGridRect();
    auto empty = [bRows](const CRect& r) { return bRows ? r.Height() == 0 : r.Width() == 0; };
    if (!empty(rect))
        return rect;
    HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr;
    if (hWnd != nullptr)
    {
        for (HWND hOther : {::GetParent(hWnd), ::GetTopWindow(hWnd)})
        {
            if (hOther == nullptr)
                continue;
            ::GetClientRect(hOther, &rect);
            if (!empty(rect))
                return rect;
        }
    }
    return CRect(0, 0, 0x7FFF, 0x7FFF);
}

// Summed sizes of lines first..last; 0 when last lies before first.
int SumOfLines(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFirst, ROWCOL nLast)
{
    if (nLast < nFirst || nLast == GX_INVALID)
        return 0;
    return bRows ? pGrid->CalcSumOfRowHeights(nFirst, nLast) : pGrid->CalcSumOfColWidths(nFirst, nLast);
}

// The largest size a line may get: the area less the header and frozen lines before it.
int LineLimit(CGXGridCore* pGrid, BOOL bRows, ROWCOL nLine, int nAreaSize)
{
    const ROWCOL nFrozen = bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
    int nLimit = nAreaSize - 1;
    if (nLine > nFrozen)
        nLimit -= SumOfLines(pGrid, bRows, 0, nFrozen);
    else if (nLine > 0)
        nLimit -= SumOfLines(pGrid, bRows, 0, nLine - 1);
    return std::max(nLimit, 0);
}

// ResizeRowHeightsToFit and ResizeColWidthsToFit, which differ only in the axis. Rows are told.
BOOL FitLines(CGXGridCore* pGrid, BOOL bRows, const CGXRange& range, BOOL bResizeCoveredCells, UINT nFlags)
{
    const ROWCOL nRowCount = pGrid->GetRowCount();
    const ROWCOL nColCount = pGrid->GetColCount();
    CGXRange block(range);
    block.ExpandToCells(1, 1, nRowCount, nColCount);
    if (!block.IsValid() || block.top > block.bottom || block.left > block.right)
        return FALSE;
    block.bottom = std::min(block.bottom, nRowCount);
    block.right = std::min(block.right, nColCount);
    if (block.top > block.bottom || block.left > block.right)
        return FALSE;

    // A paint that the long operation lets through must not delete the font this DC holds.
    CGXFlagScope lockGDI(pGrid->m_bLockGDI, TRUE);
    CClientDC dc(pGrid->GridWnd());
    pGrid->PrepareGridDC(&dc);
    const HGDIOBJ hOldFont = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT);
    const CGXStyle* pStandard = pGrid->GetStandardStyle();
    if (pStandard != nullptr)
        pGrid->SelectCellFont(&dc, *pStandard);

    pGrid->EvalMergeCells(block);
    pGrid->EvalFloatCells(block);

    const CString& name = pGrid->GetAppData()->GetOperationText(bRows ? GX_IDS_RESIZINGROWS : GX_IDS_RESIZINGCOLS);
    CGXLongOperation operation;
    operation.SetStatusText(name);
    pGrid->BeginTrans(name);

    const CRect area = FitArea(pGrid, bRows);
    const int nAreaSize = bRows ? area.Height() : area.Width();
    // Lines are the fitted rows (columns); across are the cells of each.
    const ROWCOL nFirstLine = bRows ? block.top : block.left;
    const ROWCOL nLastLine = bRows ? block.bottom : block.right;
    const ROWCOL nFirstAcross = bRows ? block.left : block.top;
    const ROWCOL nLastAcross = bRows ? block.right : block.bottom;

    BOOL bAborted = FALSE;
    CGXStyle* pStyle = pGrid->NewStyle();
    for (ROWCOL nLine = nFirstLine; !bAborted; ++nLine)
    {
        const int nLimit = LineLimit(pGrid, bRows, nLine, nAreaSize);
        int nNeeded = 0;
        for (ROWCOL nAcross = nFirstAcross; nAcross <= nLastAcross; ++nAcross)
        {
            const ROWCOL nRow = bRows ? nLine : nAcross;
            const ROWCOL nCol = bRows ? nAcross : nLine;
            CGXRange span;
            const BOOL bSpanned = pGrid->GetCellRangeRowCol(nRow, nCol, span);
            BOOL bMeasure = FALSE;
            if (bSpanned)
            {
                // A block counts once: at its last line, from its first cell across, lying in the range.
                const ROWCOL nSpanEnd = bRows ? span.bottom : span.right;
                const ROWCOL nSpanStart = bRows ? span.top : span.left;
                const ROWCOL nSpanAcross = bRows ? span.left : span.top;
                const ROWCOL nSpanAcrossEnd = bRows ? span.right : span.bottom;
                bMeasure = bResizeCoveredCells && nLine == nSpanEnd && nAcross == nSpanAcross &&
                           nSpanStart >= nFirstLine && nSpanAcrossEnd <= nLastAcross;
            }
            else
                bMeasure = (bRows ? pGrid->GetColWidth(nCol) : pGrid->GetRowHeight(nRow)) > 0;

            if (bMeasure)
            {
                const ROWCOL nCellRow = bSpanned ? span.top : nRow;
                const ROWCOL nCellCol = bSpanned ? span.left : nCol;
                pGrid->BuildEffectiveStyle(nCellRow, nCellCol, *pStyle);
                CGXControl* pControl = pGrid->IsCurrentCell(nCellRow, nCellCol)
                                           ? pGrid->GetCurrentCellControl()
                                           : pGrid->GetRegisteredControl(
                                                 pStyle->GetIncludeControl() ? pStyle->GetControl() : 0);
                if (pControl != nullptr)
                {
                    // What is being typed counts, not what is stored.
                    if (pControl->IsInitAt(nCellRow, nCellCol))
                        pControl->GetModifiedValue(*pStyle);
                    const CSize size = pControl->CalcSize(&dc, nCellRow, nCellCol, *pStyle, pStandard, bRows);
                    int nSize = bRows ? size.cy : size.cx;
                    if (bSpanned)
                        nSize -= SumOfLines(pGrid, bRows, bRows ? span.top : span.left, nLine - 1);
                    nNeeded = std::max(nNeeded, nSize);
                }
            }

            BOOL bAbort = FALSE;
            operation.DoMessagesCheckAbort(bAbort);
            if (bAbort)
            {
                bAborted = TRUE;
                break;
            }
            if (bSpanned)
                nAcross = std::max(nAcross, bRows ? span.right : span.bottom);
            if (nAcross == GX_MAXROWCOL)
                break;
        }
        if (bAborted)
            break;

        nNeeded = std::min(nNeeded, nLimit);
        const int nCurrent = bRows ? pGrid->GetRowHeight(nLine) : pGrid->GetColWidth(nLine);
        const BOOL bSet = (nFlags & GX_NOSHRINKSIZE) != 0 ? nNeeded > nCurrent : nNeeded != nCurrent && nNeeded > 0;
        if (bSet)
        {
            if (bRows)
                pGrid->SetRowHeight(nLine, nLine, nNeeded, nullptr, nFlags);
            else
                pGrid->SetColWidth(nLine, nLine, nNeeded, nullptr, nFlags);
        }
        if (nLine == nLastLine)
            break;
    }
    pGrid->RecycleStyle(pStyle);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);

    if (bAborted)
    {
        pGrid->Rollback();
        return FALSE;
    }
    pGrid->CommitTrans();
    return TRUE;
}

} // namespace

BOOL CGXGridResizeToFitImp::ResizeRowHeightsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                                                  UINT nFlags)
{
    return pRange != nullptr && FitLines(pGrid, TRUE, *pRange, bResizeCoveredCells, nFlags);
}

BOOL CGXGridResizeToFitImp::ResizeColWidthsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                                                 UINT nFlags)
{
    return pRange != nullptr && FitLines(pGrid, FALSE, *pRange, bResizeCoveredCells, nFlags);
}

void CGXGridCore::InstallResizeToFit()
{
    if (m_pResizeToFitImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridResizeToFitImp;
    if (pImp == nullptr)
        return;
    m_pResizeToFitImp = pImp;
    AddImplementationObject(pImp);
    // The cells' controls measure through the size calculation.
    InstallCalcSize();
}
