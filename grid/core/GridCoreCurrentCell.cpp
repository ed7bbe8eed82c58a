#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>

// ---- Current cell ----

BOOL CGXGridCore::GetCurrentCell(ROWCOL& nRow, ROWCOL& nCol, BOOL bIgnorePrinting)
{
    if (!m_bCurrentCell || (m_bPrinting && !bIgnorePrinting))
        return FALSE;
    // A cell left beyond the counts by a removal is no current cell any more.
    if (m_nCurrentRow > GetRowCount() || m_nCurrentCol > GetColCount())
    {
        m_bCurrentCell = FALSE;
        return FALSE;
    }
    nRow = m_nCurrentRow;
    nCol = m_nCurrentCol;
    return TRUE;
}

BOOL CGXGridCore::IsCurrentCell(ROWCOL nRow, ROWCOL nCol, BOOL bIgnorePrinting)
{
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    if (!GetCurrentCell(nCurrentRow, nCurrentCol, bIgnorePrinting))
        return FALSE;
    return (nRow == GX_INVALID || nRow == nCurrentRow) && (nCol == GX_INVALID || nCol == nCurrentCol);
}

void CGXGridCore::SetCurrentCellInfo(BOOL bValid, ROWCOL nRow, ROWCOL nCol)
{
    if (!bValid)
    {
        m_bCurrentCell = FALSE;
        return;
    }
    m_bCurrentCell = TRUE;
    m_nCurrentRow = nRow;
    m_nCurrentCol = nCol;
    m_pCurrentCellControl = nullptr;
    m_pCurrentCellControl = GetControl(nRow, nCol);
    // The parameter object remembers the cell for the next initialisation of a grid.
    if (m_pParam != nullptr)
    {
        m_pParam->m_nSetting81 = static_cast<int>(nRow);
        m_pParam->m_nSetting82 = static_cast<int>(nCol);
    }
}

CGXControl* CGXGridCore::GetCurrentCellControl()
{
    return IsCurrentCell() ? m_pCurrentCellControl : nullptr;
}

BOOL CGXGridCore::IsActiveCurrentCell()
{
    CGXControl* pControl = m_bPrinting ? nullptr : GetCurrentCellControl();
    return pControl != nullptr && pControl->IsActive();
}

// ---- Hooks: the base answers let editing go on ----

BOOL CGXGridCore::OnStartEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

BOOL CGXGridCore::OnCancelEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

void CGXGridCore::OnCanceledEditing(ROWCOL, ROWCOL)
{
}

BOOL CGXGridCore::OnEndEditing(ROWCOL, ROWCOL)
{
    return TRUE;
}

BOOL CGXGridCore::OnLeftCell(ROWCOL, ROWCOL, ROWCOL, ROWCOL)
{
    return TRUE;
}

BOOL CGXGridCore::OnDeleteCell(ROWCOL, ROWCOL)
{
    return TRUE;
}

void CGXGridCore::OnCellModified(ROWCOL, ROWCOL)
{
    m_bCellModified = TRUE;
}

void CGXGridCore::NotifyCellControlInit(ROWCOL nRow, ROWCOL nCol)
{
    if (nRow == m_nLastInitRow && nCol == m_nLastInitCol)
        return;
    m_nLastInitRow = nRow;
    m_nLastInitCol = nCol;
    OnCellControlInit(nRow, nCol);
}

void CGXGridCore::OnCellControlInit(ROWCOL, ROWCOL)
{
}

BOOL CGXGridCore::OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point)
{
    return m_pUserSelectRangeImp != nullptr && m_pUserSelectRangeImp->OnCellLeftClicked(this, nRow, nCol, nFlags, point);
}

BOOL CGXGridCore::OnCellMiddleClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

BOOL CGXGridCore::OnCellRightClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

BOOL CGXGridCore::OnCellLeftDblClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

BOOL CGXGridCore::OnCellMiddleDblClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

BOOL CGXGridCore::OnCellRightDblClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

BOOL CGXGridCore::OnMouseMoveOver(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
}

void CGXGridCore::OnClickedButtonRowCol(ROWCOL, ROWCOL)
{
}

BOOL CGXGridCore::ValidateCellHook(ROWCOL, ROWCOL)
{
    return TRUE;
}

void CGXGridCore::SetValidationWarning(const CString& text)
{
    m_strValidationWarning = text;
}

// ---- Geometry and redraw ----

void CGXGridCore::RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags)
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr ||
        (m_pParam != nullptr && m_pParam->m_bLockUpdate))
        return;
    const CRect rect = nRow != GX_INVALID && nCol != GX_INVALID ? CalcCellRect(nRow, nCol) : CRect(0, 0, 0, 0);
    if (rect.IsRectEmpty())
        ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), nullptr, FALSE);
    else
        InvalidateRect(rect);
    if (nFlags == GX_UPDATENOW)
        ::UpdateWindow(m_pGridWnd->GetSafeHwnd());
}

void CGXGridCore::InvalidateRect(const CRect& rect, BOOL bErase)
{
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), &rect, bErase);
}

// ---- Moving the current cell and ending its editing ----

namespace
{
// Drops the key messages queued for the focus window while it is a child of the grid, so that keys
// typed ahead never reach the wrong cell.
void DrainFocusKeys(CWnd* pGridWnd)
{
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr ||
        !::IsChild(pGridWnd->GetSafeHwnd(), hFocus))
        return;
    MSG msg;
    while (::PeekMessageA(&msg, hFocus, WM_KEYFIRST, 0x109, PM_REMOVE))
    {
    }
}
} // namespace

void CGXGridCore::RedrawCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags)
{
    RedrawRowCol(nRow, nCol, nFlags);
}

BOOL CGXGridCore::CanMoveCurrentCell(int nMode, ROWCOL nNewRow, ROWCOL nNewCol, ROWCOL, ROWCOL)
{
    if (nMode == 0)
    {
        CGXControl* pControl = GetCurrentCellControl();
        if (pControl != nullptr && pControl->GetModify())
            return pControl->OnValidate();
        return TRUE;
    }
    if (nNewRow > GetRowCount() || nNewCol > GetColCount())
        return FALSE;
    return LookupStyleRowCol(nNewRow, nNewCol).GetIncludeEnabled() ? LookupStyleRowCol(nNewRow, nNewCol).GetEnabled()
                                                                   : TRUE;
}

BOOL CGXGridCore::MoveCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags)
{
    const BOOL bNowhere = nRow == GX_INVALID || nCol == GX_INVALID;
    if (!bNowhere)
    {
        if (nRow > GetRowCount() || nCol > GetColCount())
            return FALSE;
        CGXRange covered;
        if (GetCoveredCellsRowCol(nRow, nCol, covered))
        {
            nRow = covered.top;
            nCol = covered.left;
        }
    }

    ROWCOL nOldRow = 0;
    ROWCOL nOldCol = 0;
    BOOL bOld = GetCurrentCell(nOldRow, nOldCol);
    if (bOld && !bNowhere && nOldRow == nRow && nOldCol == nCol)
        return TRUE;
    CGXControl* pOld = bOld ? GetCurrentCellControl() : nullptr;

    if (pOld != nullptr && pOld->IsActive())
        DrainFocusKeys(m_pGridWnd);

    if (pOld != nullptr)
    {
        if (!CanMoveCurrentCell(0, nRow, nCol, nOldRow, nOldCol))
        {
            CWnd* pWnd = pOld->GetWnd();
            HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
            if (hWnd != nullptr && ::IsWindowEnabled(hWnd) && ::IsWindowVisible(hWnd))
                ::SetFocus(hWnd);
            return FALSE;
        }
        if (pOld->IsActive() && pOld->GetModify() && !pOld->Store())
            return FALSE;
        if (!pOld->IsInitAt(nOldRow, nOldCol))
            pOld->Init(nOldRow, nOldCol);
        if (!pOld->OnLeftCell(nRow, nCol))
            return FALSE;
        pOld->Hide();
        pOld->SetActive(FALSE);
    }

    if (bNowhere)
    {
        SetCurrentCellInfo(FALSE);
        if (bOld)
            RedrawCell(nOldRow, nOldCol, GX_INVALIDATE);
        return TRUE;
    }

    SetCurrentCellInfo(TRUE, nRow, nCol);
    if (CGXControl* pNew = GetCurrentCellControl())
    {
        pNew->Init(nRow, nCol);
        NotifyCellControlInit(nRow, nCol);
    }
    if (bOld)
        RedrawCell(nOldRow, nOldCol, GX_INVALIDATE);
    RedrawCell(nRow, nCol, GX_INVALIDATE);
    if ((nFlags & GX_SCROLLINVIEW) != 0)
        ScrollCellInView(nRow, nCol, nFlags & ~GX_SCROLLINVIEW);

    if (!m_strBufferedText.IsEmpty())
        FlushBufferedText();
    return TRUE;
}

BOOL CGXGridCore::TransferCurrentCellValue(BOOL bStore)
{
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
        return TRUE;
    BOOL bResult = TRUE;
    if (bStore && pControl->GetModify())
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        GetCurrentCell(nRow, nCol);
        bResult = CanMoveCurrentCell(0, nRow, nCol, nRow, nCol) && pControl->Store();
    }
    if (bResult)
        pControl->Reset();
    return bResult;
}

BOOL CGXGridCore::EndCurrentCellEditing(BOOL bStore, UINT, BOOL)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!GetCurrentCell(nRow, nCol))
        return TRUE;
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
        return TRUE;
    if (!bStore)
    {
        if (pControl->IsActive())
            pControl->OnCancelEditing();
        pControl->Init(nRow, nCol);
        pControl->Refresh();
        pControl->OnCanceledEditing();
        return TRUE;
    }
    if (!pControl->IsActive())
        return TRUE;
    if (pControl->GetModify())
    {
        if (!pControl->OnValidate() || !pControl->Store())
            return FALSE;
    }
    if (!pControl->OnEndEditing())
        return FALSE;
    pControl->SetActive(FALSE);
    pControl->Refresh();
    return TRUE;
}

BOOL CGXGridCore::FindNextEnabledCell(int nDirection, ROWCOL& nRow, ROWCOL& nCol)
{
    ROWCOL r = nRow;
    ROWCOL c = nCol;
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    for (;;)
    {
        if (r > nRows || c > nCols || r == GX_INVALID || c == GX_INVALID)
            return FALSE;
        const BOOL bShown = (nDirection == GX_UP || nDirection == GX_DOWN) ? GetRowHeight(r) > 0 || m_nRowSizeUnit == 0
                                                                            : GetColWidth(c) > 0 || m_nColSizeUnit == 0;
        CGXRange covered;
        const BOOL bInside = GetCoveredCellsRowCol(r, c, covered) && (covered.top != r || covered.left != c);
        if (bShown && !bInside)
        {
            const CGXStyle& style = LookupStyleRowCol(r, c);
            if (!style.GetIncludeEnabled() || style.GetEnabled())
            {
                nRow = r;
                nCol = c;
                return TRUE;
            }
        }
        switch (nDirection)
        {
        case GX_UP:
            if (r <= 1)
                return FALSE;
            --r;
            break;
        case GX_DOWN:
            ++r;
            break;
        case GX_LEFT:
            if (c <= 1)
                return FALSE;
            --c;
            break;
        default:
            ++c;
            break;
        }
    }
}

BOOL CGXGridCore::MoveCurrentCellEx(int nDirection, UINT nCount, BOOL)
{
    if (nCount == 0)
        nCount = 1;
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    const ROWCOL nFirstRow = GetHeaderRows() + 1;
    const ROWCOL nFirstCol = GetHeaderCols() + 1;
    if (nRows < nFirstRow || nCols < nFirstCol)
        return FALSE;

    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!GetCurrentCell(nRow, nCol))
    {
        nRow = m_nCurrentRow;
        nCol = m_nCurrentCol;
    }
    nRow = std::clamp<ROWCOL>(nRow, nFirstRow, nRows);
    nCol = std::clamp<ROWCOL>(nCol, nFirstCol, nCols);
    const BOOL bHadCell = IsCurrentCell();

    ROWCOL r = nRow;
    ROWCOL c = nCol;
    switch (nDirection)
    {
    case GX_UP:
    case GX_MOVE_PAGEUP:
    {
        ROWCOL n = nCount;
        if (nDirection == GX_MOVE_PAGEUP)
        {
            const ROWCOL nBottom = CalcBottomRowFromRect(GetGridRect());
            n = nBottom > GetTopRow() ? nBottom - GetTopRow() : 1;
        }
        for (; n > 0 && r > nFirstRow; --n)
        {
            ROWCOL t = r - 1;
            if (!FindNextEnabledCell(GX_UP, t, c) || t < nFirstRow)
                break;
            r = t;
        }
        break;
    }
    case GX_DOWN:
    case GX_MOVE_PAGEDOWN:
    {
        ROWCOL n = nCount;
        if (nDirection == GX_MOVE_PAGEDOWN)
        {
            const ROWCOL nBottom = CalcBottomRowFromRect(GetGridRect());
            n = nBottom > GetTopRow() ? nBottom - GetTopRow() : 1;
        }
        for (; n > 0 && r < nRows; --n)
        {
            ROWCOL t = r + 1;
            if (!FindNextEnabledCell(GX_DOWN, t, c))
                break;
            r = t;
        }
        break;
    }
    case GX_LEFT:
        for (UINT n = nCount; n > 0 && c > nFirstCol; --n)
        {
            ROWCOL t = c - 1;
            if (!FindNextEnabledCell(GX_LEFT, r, t) || t < nFirstCol)
                break;
            c = t;
        }
        break;
    case GX_RIGHT:
        for (UINT n = nCount; n > 0 && c < nCols; --n)
        {
            ROWCOL t = c + 1;
            if (!FindNextEnabledCell(GX_RIGHT, r, t))
                break;
            c = t;
        }
        break;
    case GX_MOVE_TOP:
    case GX_MOVE_TOPLEFT:
    {
        ROWCOL t = nFirstRow;
        if (FindNextEnabledCell(GX_DOWN, t, c))
            r = t;
        if (nDirection == GX_MOVE_TOPLEFT)
        {
            ROWCOL u = nFirstCol;
            if (FindNextEnabledCell(GX_RIGHT, r, u))
                c = u;
        }
        break;
    }
    case GX_MOVE_BOTTOM:
    case GX_MOVE_BOTTOMRIGHT:
    {
        ROWCOL t = nRows;
        if (FindNextEnabledCell(GX_UP, t, c))
            r = t;
        if (nDirection == GX_MOVE_BOTTOMRIGHT)
        {
            ROWCOL u = nCols;
            if (FindNextEnabledCell(GX_LEFT, r, u))
                c = u;
        }
        break;
    }
    case GX_MOVE_MOSTLEFT:
    {
        ROWCOL t = nFirstCol;
        if (FindNextEnabledCell(GX_RIGHT, r, t))
            c = t;
        break;
    }
    case GX_MOVE_MOSTRIGHT:
    {
        ROWCOL t = nCols;
        if (FindNextEnabledCell(GX_LEFT, r, t))
            c = t;
        break;
    }
    default:
        return FALSE;
    }
    if (bHadCell && r == nRow && c == nCol)
        return FALSE;
    return MoveCurrentCell(r, c, GX_SCROLLINVIEW | GX_SMART);
}

BOOL CGXGridCore::ProcessMoveKey(int nDirection, UINT nCount)
{
    return MoveCurrentCellEx(nDirection, nCount, TRUE);
}

void CGXGridCore::HideCurrentCellControl()
{
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->Hide();
}

void CGXGridCore::SetBufferedText(const CString& text)
{
    m_strBufferedText += text;
}

void CGXGridCore::FlushBufferedText()
{
    if (m_strBufferedText.IsEmpty() || m_bFlushingText)
        return;
    m_bFlushingText = TRUE;
    DrainFocusKeys(m_pGridWnd);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (GetCurrentCell(nRow, nCol))
        ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
    const CString text = m_strBufferedText;
    m_strBufferedText.Empty();
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        for (int i = 0; i < text.GetLength(); ++i)
            pControl->Char(static_cast<BYTE>(text[i]), 1, 0);
        m_bControlTookFocus = TRUE;
        CWnd* pWnd = pControl->GetWnd();
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && m_pGridWnd != nullptr &&
            ::IsChild(m_pGridWnd->GetSafeHwnd(), pWnd->GetSafeHwnd()))
            ::SetFocus(pWnd->GetSafeHwnd());
    }
    m_bFlushingText = FALSE;
}

BOOL CGXGridCore::ScrollForCellMove(int nDirection, ROWCOL nCount)
{
    return DoScroll(nDirection, nCount);
}

BOOL CGXGridCore::HandleMoveMessage(WPARAM nDirectionCode, LPARAM nCount)
{
    // Code 4 scrolls by the count and places the current cell at the first visible row plus the
    // count itself; the final move key then is a plain one-row move down answered by nothing more
    // (the "last row" move that codes above 3 select would undo the placement), so code 4 ends here.
    if (nDirectionCode == 4)
    {
        const ROWCOL n = nCount > 0 ? static_cast<ROWCOL>(nCount) : 0;
        if (n > 0)
            DoScroll(GX_DOWN, n);
        const ROWCOL nRows = GetRowCount();
        ROWCOL nRow = std::min<ROWCOL>(GetTopRow() + n, nRows);
        const ROWCOL nCol = std::min<ROWCOL>(GetFrozenCols() + 1, GetColCount());
        if (nRow < 1 || nCol < 1)
            return FALSE;
        const BOOL bMoved = MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
        if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
            ::SetFocus(m_pGridWnd->GetSafeHwnd());
        return bMoved;
    }
    int nDirection = GX_MOVE_BOTTOM;
    if (nDirectionCode == 0)
        nDirection = GX_MOVE_TOP;
    else if (nDirectionCode == 1)
        nDirection = GX_UP;
    else if (nDirectionCode == 2)
        nDirection = GX_DOWN;
    return ProcessMoveKey(nDirection, 1);
}

LRESULT CGXGridCore::OnGridDeferredActivate()
{
    return 0;
}

LRESULT CGXGridCore::OnGridDeferredCellUpdate(WPARAM)
{
    return 0;
}

LRESULT CGXGridCore::OnGridDeferredMouse(WPARAM)
{
    return 0;
}

// ---- Cell button events ----

namespace
{
// Readies a control for a cell's button event. The current cell's control object is never taken
// over for another cell (a header sharing it would lose the edit in progress).
BOOL ControlMayServe(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol)
{
    if (pControl == nullptr)
        return FALSE;
    if (pGrid->IsCurrentCell(nRow, nCol))
        return TRUE;
    if (pControl == pGrid->GetCurrentCellControl() && pControl->IsActive())
        return FALSE;
    if (!pControl->IsInitAt(nRow, nCol))
        pControl->Init(nRow, nCol);
    return TRUE;
}

BOOL DispatchCellButton(CGXGridCore* pGrid, int nButton, ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow,
                        ROWCOL nCol, int x, int y, UINT nFlags, UINT nHitState)
{
    const CPoint point(x, y);
    if ((nHitState & GX_HITBTNDOWN) != 0)
    {
        if (nRow > pGrid->GetHeaderRows() && nCol > pGrid->GetHeaderCols() && !pGrid->IsCurrentCell(nRow, nCol))
        {
            if (!pGrid->MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART))
                return FALSE;
        }
        CGXControl* pControl = pGrid->GetControl(nRow, nCol);
        if (!ControlMayServe(pGrid, pControl, nRow, nCol))
            return TRUE;
        switch (nButton)
        {
        case 0:
            pControl->LButtonDown(nFlags, point, nHitState);
            break;
        case 1:
            pControl->MButtonDown(nFlags, point, nHitState);
            break;
        default:
            pControl->RButtonDown(nFlags, point, nHitState);
            break;
        }
        return TRUE;
    }
    if ((nHitState & GX_HITBTNUP) != 0)
    {
        CGXControl* pControl = pGrid->GetControl(nPressedRow, nPressedCol);
        if (!ControlMayServe(pGrid, pControl, nPressedRow, nPressedCol))
            return TRUE;
        // The control reaches the click hooks itself when the release lies in its cell.
        switch (nButton)
        {
        case 0:
            pControl->LButtonUp(nFlags, point, nHitState);
            break;
        case 1:
            pControl->MButtonUp(nFlags, point, nHitState);
            break;
        default:
            pControl->RButtonUp(nFlags, point, nHitState);
            break;
        }
        return TRUE;
    }
    if ((nHitState & GX_HITMOVE) != 0 && pGrid->IsCurrentCell(nPressedRow, nPressedCol))
    {
        if (CGXControl* pControl = pGrid->GetCurrentCellControl())
            pControl->MouseMove(nFlags, point);
    }
    return TRUE;
}
} // namespace

BOOL CGXGridCore::DispatchCellLeftButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                         int y, UINT nFlags, UINT nHitState)
{
    return DispatchCellButton(this, 0, nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
}

BOOL CGXGridCore::DispatchCellMiddleButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                           int y, UINT nFlags, UINT nHitState)
{
    return DispatchCellButton(this, 1, nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
}

BOOL CGXGridCore::DispatchCellRightButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                          int y, UINT nFlags, UINT nHitState)
{
    return DispatchCellButton(this, 2, nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
}
