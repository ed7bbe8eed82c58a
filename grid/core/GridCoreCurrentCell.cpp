#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

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

BOOL CGXGridCore::ScrollCellInView(ROWCOL, ROWCOL, UINT, BOOL)
{
    return FALSE;
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

BOOL CGXGridCore::OnCellLeftClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    return FALSE;
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
// The least the rest of the engine needs until the current cell's moves are built here.

BOOL CGXGridCore::TransferCurrentCellValue(BOOL bStore)
{
    CGXControl* pControl = GetCurrentCellControl();
    if (!bStore || pControl == nullptr || !pControl->IsActive() || !pControl->GetModify())
        return TRUE;
    return pControl->OnValidate() && pControl->Store();
}

BOOL CGXGridCore::EndCurrentCellEditing(BOOL bStore, UINT, BOOL)
{
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr || !pControl->IsActive())
        return TRUE;
    if (bStore && !TransferCurrentCellValue(TRUE))
        return FALSE;
    pControl->SetActive(FALSE);
    return TRUE;
}

BOOL CGXGridCore::MoveCurrentCell(int, UINT, BOOL)
{
    return FALSE;
}

BOOL CGXGridCore::HandleMoveMessage(WPARAM, LPARAM)
{
    return FALSE;
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
