#include "grid/features/GridFreezeMarkImp.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"

#include <new>

namespace
{

// The one span of selected whole columns (rows); FALSE when there is none or more than one.
BOOL SelectedLineSpan(CGXGridCore* pGrid, BOOL bRows, ROWCOL& nFirst, ROWCOL& nLast)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    CDWordArray starts;
    CDWordArray ends;
    if (bRows)
        pParam->m_SelRects.GetRowArray(pGrid->GetRowCount(), starts, ends, TRUE);
    else
        pParam->m_SelRects.GetColArray(pGrid->GetColCount(), starts, ends, TRUE);
    if (starts.GetSize() != 1)
        return FALSE;
    nFirst = starts[0];
    nLast = ends[0];
    return TRUE;
}

BOOL CanFreeze(CGXGridCore* pGrid, BOOL bRows)
{
    ROWCOL nFirst = 0;
    ROWCOL nLast = 0;
    const ROWCOL nFrozen = bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
    const ROWCOL nHeaders = bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols();
    // Frozen header lines alone are no freeze.
    return pGrid->GetParam() != nullptr && nFrozen <= nHeaders && SelectedLineSpan(pGrid, bRows, nFirst, nLast);
}

BOOL CanUnfreeze(CGXGridCore* pGrid, BOOL bRows)
{
    const ROWCOL nFrozen = bRows ? pGrid->GetFrozenRows() : pGrid->GetFrozenCols();
    const ROWCOL nHeaders = bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols();
    return pGrid->GetParam() != nullptr && nFrozen > nHeaders;
}

void Freeze(CGXGridCore* pGrid, BOOL bRows)
{
    ROWCOL nFirst = 0;
    ROWCOL nLast = 0;
    if (!CanFreeze(pGrid, bRows) || !SelectedLineSpan(pGrid, bRows, nFirst, nLast))
        return;
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nHeaders = bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols();
    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));

    pGrid->BeginTrans(pGrid->GetAppData()->GetOperationText(bRows ? GX_IDS_FREEZEROWS : GX_IDS_FREEZECOLS));
    const BOOL bOldLock = pGrid->SetLockUpdate(TRUE);
    pGrid->SetSelection(nullptr);
    pParam->m_SelRects.DeleteAll();

    if (nFirst < nHeaders + 1)
        nFirst = nHeaders + 1;
    const ROWCOL nCount = nLast >= nFirst ? nLast - nFirst + 1 : 0;
    if (nFirst > nHeaders + 1)
    {
        if (bRows)
            pGrid->MoveRows(nFirst, nLast, nHeaders + 1, GX_SMART, 0);
        else
            pGrid->MoveCols(nFirst, nLast, nHeaders + 1, GX_SMART, 0);
    }
    CGXGridParam::FrozenInfo& info = bRows ? pParam->m_FrozenRowsInfo : pParam->m_FrozenColsInfo;
    info.nFirst = nHeaders + 1;
    info.nCount = nCount;
    info.nOldStart = nFirst;
    // The header lines stay frozen headers in front of the frozen block.
    if (bRows)
        pGrid->SetFrozenRows(nHeaders + nCount, nHeaders, GX_SMART, 0);
    else
        pGrid->SetFrozenCols(nHeaders + nCount, nHeaders, GX_SMART, 0);

    pGrid->SetLockUpdate(bOldLock);
    pGrid->RedrawGrid(GX_SMART, TRUE);
    pGrid->CommitTrans();
    ::SetCursor(hOldCursor);
}

} // namespace

BOOL CGXGridFreezeMenuHelperImp::CanFreezeCols(CGXGridCore* pGrid)
{
    return CanFreeze(pGrid, FALSE);
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeCols(CGXGridCore* pGrid)
{
    return CanUnfreeze(pGrid, FALSE);
}

BOOL CGXGridFreezeMenuHelperImp::FreezeCols(CGXGridCore* pGrid)
{
    Freeze(pGrid, FALSE);
    return TRUE;
}

BOOL CGXGridFreezeMenuHelperImp::UnfreezeCols(CGXGridCore* pGrid)
{
    if (!CanUnfreeze(pGrid, FALSE))
        return TRUE;
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nHeaders = pGrid->GetHeaderCols();
    const BOOL bOldLock = pGrid->SetLockUpdate(TRUE);
    pGrid->BeginTrans(pGrid->GetAppData()->GetOperationText(GX_IDS_FREEZECOLS));
    const CGXGridParam::FrozenInfo& info = pParam->m_FrozenColsInfo;
    if (info.nCount > 0 && info.nFirst != info.nOldStart)
        pGrid->MoveCols(info.nFirst, info.nFirst + info.nCount - 1, info.nOldStart, GX_SMART, 0);
    pGrid->SetFrozenCols(nHeaders, nHeaders, GX_SMART, 0);
    pGrid->SetLockUpdate(bOldLock);
    pGrid->RedrawGrid(GX_SMART, TRUE);
    pGrid->CommitTrans();
    return TRUE;
}

BOOL CGXGridFreezeMenuHelperImp::CanFreezeRows(CGXGridCore* pGrid)
{
    return CanFreeze(pGrid, TRUE);
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeRows(CGXGridCore* pGrid)
{
    return CanUnfreeze(pGrid, TRUE);
}

BOOL CGXGridFreezeMenuHelperImp::FreezeRows(CGXGridCore* pGrid)
{
    Freeze(pGrid, TRUE);
    return TRUE;
}

BOOL CGXGridFreezeMenuHelperImp::UnfreezeRows(CGXGridCore* pGrid)
{
    if (!CanUnfreeze(pGrid, TRUE))
        return TRUE;
    CGXGridParam* pParam = pGrid->GetParam();
    const ROWCOL nHeaders = pGrid->GetHeaderRows();
    // Two steps that undo one by one.
    pGrid->SetFrozenRows(nHeaders, nHeaders, GX_SMART, 0);
    const CGXGridParam::FrozenInfo& info = pParam->m_FrozenRowsInfo;
    if (info.nCount > 0 && info.nFirst != info.nOldStart)
        pGrid->MoveRows(info.nFirst, info.nFirst + info.nCount - 1, info.nOldStart, GX_SMART, 0);
    return TRUE;
}

void CGXGridCore::InstallFreezeMenuHelper()
{
    if (m_pFreezeMenuHelperImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridFreezeMenuHelperImp;
    if (pImp == nullptr)
        return;
    m_pFreezeMenuHelperImp = pImp;
    AddImplementationObject(pImp);
}

// ---- Marked headers ----

BOOL CGXGridMarkEditHeaderImp::MarkEditHeader(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich,
                                              UINT nFlags)
{
    CGXGridParam* pParam = pGrid->GetParam();
    CGXProperties* pProperties = pGrid->GetProperties();
    if (pParam == nullptr || pProperties == nullptr || pParam->m_bLockUpdate || pGrid->GridWnd() == nullptr ||
        pGrid->GridWnd()->GetSafeHwnd() == nullptr)
        return FALSE;
    const ROWCOL nLastRow = pGrid->GetLastVisibleRow();
    const ROWCOL nLastCol = pGrid->GetLastVisibleCol();
    const BOOL bRowVisible = nRow <= pGrid->GetRowCount() && nRow <= nLastRow &&
                             ((nRow > 0 && nRow <= pGrid->GetFrozenRows()) || nRow >= pGrid->GetTopRow());
    const BOOL bColVisible = nCol <= pGrid->GetColCount() && nCol <= nLastCol &&
                             ((nCol > 0 && nCol <= pGrid->GetFrozenCols()) || nCol >= pGrid->GetLeftCol());
    if (!bRowVisible && !bColVisible)
        return FALSE;

    HWND hWnd = pGrid->GridWnd()->GetSafeHwnd();
    auto invalidate = [&](const CGXRange& headers) {
        const CRect rect = pGrid->CalcSpanRect(headers);
        if (rect.Width() <= 1 || rect.Height() <= 1)
            return;
        ::InvalidateRect(hWnd, &rect, TRUE);
        if ((nFlags & (2 | 4)) != 0)
            ::UpdateWindow(hWnd);
    };
    if ((nWhich == 0 || nWhich == 2) && pProperties->GetMarkRowHeader() && bRowVisible)
        invalidate(CGXRange(nRow, 0, nRow, pGrid->GetHeaderCols()));
    if ((nWhich == 0 || nWhich == 1) && pProperties->GetMarkColHeader() && bColVisible)
        invalidate(CGXRange(0, nCol, pGrid->GetHeaderRows(), nCol));
    return TRUE;
}

BOOL CGXGridMarkEditHeaderImp::IsHeaderMarked(CGXGridCore* pGrid, CGXControl*, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    CGXProperties* pProperties = pGrid->GetProperties();
    if (pParam == nullptr || pProperties == nullptr)
        return FALSE;
    CGXRange cell(nRow, nCol);
    if (!pGrid->GetCoveredCellsRowCol(nRow, nCol, cell))
        cell.SetCells(nRow, nCol, nRow, nCol);
    // The header of a column (row) whose size is tracked shows marked while the header-cell redraw
    // of resizing is on (bit 0x10 of the resize flags clear).
    if (pGrid->m_bResizeTracking)
    {
        const CGXResizeTrackState& track = pGrid->m_resizeTrack;
        if (track.nMode == GX_TRACKWIDTH && (pParam->m_wAllowTrackColWidth & 0x10) == 0 &&
            track.nCol >= cell.left && track.nCol <= cell.right)
            return TRUE;
        if (track.nMode == GX_TRACKHEIGHT && (pParam->m_wAllowTrackRowHeight & 0x10) == 0 &&
            track.nRow >= cell.top && track.nRow <= cell.bottom)
            return TRUE;
    }
    ROWCOL nCurRow = 0;
    ROWCOL nCurCol = 0;
    if (!pGrid->GetCurrentCell(nCurRow, nCurCol) || nCurRow <= pGrid->GetHeaderRows() ||
        nCurCol <= pGrid->GetHeaderCols())
        return FALSE;
    // A row header cell marks the current row, a column header cell the current column.
    if (nRow != 0 && nCol <= pGrid->GetHeaderCols() && (pParam->m_wSpecialModeFlags & 3) == 0 &&
        pProperties->GetMarkRowHeader() && nCurRow >= cell.top && nCurRow <= cell.bottom)
        return TRUE;
    if (nCol != 0 && nRow <= pGrid->GetHeaderRows() && pProperties->GetMarkColHeader() && nCurCol >= cell.left &&
        nCurCol <= cell.right)
        return TRUE;
    return FALSE;
}

void CGXGridCore::InstallMarkEditHeader()
{
    if (m_pMarkEditHeaderImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridMarkEditHeaderImp;
    if (pImp == nullptr)
        return;
    m_pMarkEditHeaderImp = pImp;
    AddImplementationObject(pImp);
}
