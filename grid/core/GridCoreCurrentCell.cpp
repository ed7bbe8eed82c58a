// Grid engine: the current cell, its moves, the end of its editing, and the focus of the grid as
// far as the current cell's editing follows it.

#include "grid/core/GridCore.h"

#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>

namespace
{
// The grid window itself or one of its children (the cell's own window).
BOOL IsGridOrChild(HWND hGrid, HWND hWnd)
{
    return hGrid != nullptr && hWnd != nullptr && (hWnd == hGrid || ::IsChild(hGrid, hWnd));
}

// Set while a grid of this thread gives the focus back to a refused cell. Another grid that loses
// the focus then refuses quietly: posting its own warning would take the focus back again, and the
// two grids would pull it to and fro.
BOOL g_bReturningFocus = FALSE;

// Removes the characters already translated from the key being handled that wait for the focus
// window while it is a child of the grid, so that the key that ended a cell types nothing into the
// next one. Keys typed ahead are not touched: they wait untranslated in the input queue, and each
// reaches the window that has the focus when its turn comes, exactly as a slowly typed key would.
void DropTranslatedChars(CWnd* pGridWnd)
{
    HWND hFocus = ::GetFocus();
    HWND hGrid = pGridWnd->GetSafeHwnd();
    if (hFocus == nullptr || hGrid == nullptr || !::IsChild(hGrid, hFocus))
        return;
    const UINT ranges[][2] = {{WM_CHAR, WM_DEADCHAR}, {WM_SYSCHAR, WM_SYSDEADCHAR}, {WM_UNICHAR, WM_UNICHAR}};
    for (const auto& range : ranges)
    {
        MSG msg;
        while (::PeekMessageA(&msg, hFocus, range[0], range[1], PM_REMOVE | PM_QS_POSTMESSAGE))
        {
        }
    }
}

// The headers mark the current cell's row and column: a move redraws the header cells of the row
// and the column it left and entered (the row headers only when the row changed, the column
// headers only when the column did).
void RedrawMarkedHeaders(CGXGridCore* pGrid, BOOL bOld, ROWCOL nOldRow, ROWCOL nOldCol, BOOL bNew, ROWCOL nRow,
                         ROWCOL nCol)
{
    const CGXProperties* pProperties = pGrid->GetProperties();
    if (pProperties == nullptr)
        return;
    const ROWCOL nHeaderRows = pGrid->GetHeaderRows();
    const ROWCOL nHeaderCols = pGrid->GetHeaderCols();
    const BOOL bRowChanged = bOld != bNew || nOldRow != nRow;
    const BOOL bColChanged = bOld != bNew || nOldCol != nCol;
    // The marking component decides which header cells it invalidates.
    if (pGrid->m_pMarkEditHeaderImp != nullptr)
    {
        const int nWhich = bRowChanged && bColChanged ? 0 : bColChanged ? 1 : 2;
        if (!bRowChanged && !bColChanged)
            return;
        if (bOld)
            pGrid->MarkEditHeader(nOldRow, nOldCol, nWhich, GX_INVALIDATE);
        if (bNew)
            pGrid->MarkEditHeader(nRow, nCol, nWhich, GX_INVALIDATE);
        return;
    }
    if (pProperties->GetMarkRowHeader() && bRowChanged)
    {
        if (bOld)
            pGrid->RedrawCellRange(nOldRow, 0, nOldRow, nHeaderCols);
        if (bNew)
            pGrid->RedrawCellRange(nRow, 0, nRow, nHeaderCols);
    }
    if (pProperties->GetMarkColHeader() && bColChanged)
    {
        if (bOld)
            pGrid->RedrawCellRange(0, nOldCol, nHeaderRows, nOldCol);
        if (bNew)
            pGrid->RedrawCellRange(0, nCol, nHeaderRows, nCol);
    }
}
} // namespace

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
    // The control is looked up before the cell is recorded, so that the previous cell's cached
    // control cannot answer for the new cell.
    m_bCurrentCell = FALSE;
    m_pCurrentCellControl = nullptr;
    m_nCurrentRow = 0;
    m_nCurrentCol = 0;
    m_pCurrentCellControl = GetControl(nRow, nCol);
    ResetCurrentCellStyle();
    m_bCurrentCell = TRUE;
    m_nCurrentRow = nRow;
    m_nCurrentCol = nCol;
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
    SetModifiedFlag(TRUE);
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

BOOL CGXGridCore::OnCellLeftDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point)
{
    return m_pSortImp != nullptr && m_pSortImp->OnLButtonDblClkRowCol(this, nRow, nCol, nFlags, point);
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

void CGXGridCore::OnClickInSelection(ROWCOL, ROWCOL)
{
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
    if (m_pGridWnd->GetSafeHwnd() == nullptr || IsLockUpdate())
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
    if (m_pGridWnd->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), &rect, bErase);
}

// ---- Moving the current cell and ending its editing ----

void CGXGridCore::RedrawCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags, BOOL bCreateHint)
{
    RedrawCellRange(nRow, nCol, nRow, nCol, nFlags, bCreateHint);
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
    const CGXStyle& style = LookupStyleRowCol(nNewRow, nNewCol);
    return !style.GetIncludeEnabled() || style.GetEnabled();
}

BOOL CGXGridCore::MoveCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags, BOOL bCreateHint)
{
    const BOOL bNowhere = nRow == GX_INVALID || nCol == GX_INVALID;
    if (!bNowhere)
    {
        if (nRow > GetRowCount() || nCol > GetColCount())
            return FALSE;
        // A cell inside a covered or merged range moves to the range's top-left cell.
        CGXRange span;
        if (GetCoveredCellsRowCol(nRow, nCol, span) || GetMergeRange(nRow, nCol, span))
        {
            nRow = span.top;
            nCol = span.left;
        }
    }

    ROWCOL nOldRow = 0;
    ROWCOL nOldCol = 0;
    const BOOL bOld = GetCurrentCell(nOldRow, nOldCol);
    if (bOld && !bNowhere && nOldRow == nRow && nOldCol == nCol)
        return TRUE;
    // A paint while the cell moves keeps the current cell's style copy.
    CGXFlagScope moving(m_bMovingCurrentCell, TRUE);
    CGXFlagScope refocus(m_bRefocus, TRUE);
    // A current cell among the header rows or columns has no editing to end.
    const BOOL bOldInHeader = bOld && (nOldRow <= GetHeaderRows() || nOldCol <= GetHeaderCols());
    CGXControl* pOld = bOld && !bOldInHeader ? GetCurrentCellControl() : nullptr;

    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    BOOL bFocusInCell = FALSE;
    if (pOld != nullptr && pOld->IsActive())
    {
        bFocusInCell = hGrid != nullptr && ::IsChild(hGrid, ::GetFocus());
        DropTranslatedChars(m_pGridWnd);
    }

    if (pOld != nullptr)
    {
        if (!CanMoveCurrentCell(0, nRow, nCol, nOldRow, nOldCol))
        {
            OnInvalidCellValue(FALSE);
            return FALSE;
        }
        if (pOld->IsActive() && pOld->GetModify() && !StoreTypedValue(pOld))
            return FALSE;
        if (!pOld->IsInitAt(nOldRow, nOldCol))
            pOld->Init(nOldRow, nOldCol);
        if (!pOld->OnLeftCell(nRow, nCol))
            return FALSE;
        pOld->Hide();
        pOld->SetActive(FALSE);
        // The hidden cell window held the focus: the grid keeps it (no leaving of the grid).
        if (bFocusInCell && !IsGridOrChild(hGrid, ::GetFocus()) && ::IsWindowVisible(hGrid))
        {
            CGXFlagScope lock(m_bFocusChanging, TRUE);
            ::SetFocus(hGrid);
        }
    }

    if (bNowhere)
    {
        SetCurrentCellInfo(FALSE);
        if (bOld)
        {
            RedrawCell(nOldRow, nOldCol, GX_INVALIDATE);
            RedrawMarkedHeaders(this, TRUE, nOldRow, nOldCol, FALSE, 0, 0);
        }
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
    RedrawMarkedHeaders(this, bOld, nOldRow, nOldCol, TRUE, nRow, nCol);
    if ((nFlags & GX_SCROLLINVIEW) != 0)
        ScrollCellInView(nRow, nCol, nFlags & ~GX_SCROLLINVIEW);

    if (!m_strBufferedText.IsEmpty())
        FlushBufferedText();
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintMoveCurrentCell(this, nRow, nCol, nFlags);
    return TRUE;
}

BOOL CGXGridCore::TransferCurrentCellValue(BOOL bStore, BOOL bCreateHint)
{
    BOOL bOthers = TRUE;
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        bOthers = m_pUpdateHintImp->HintTransferCurrentCell(this, bStore, 0);
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
        return bOthers;
    // Only an active control holds an edit: an edit control keeps its modified mark after Enter has
    // stored the cell, and storing its text again would put the shown value in place of a formula.
    if (bStore && pControl->IsActive() && pControl->GetModify())
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        GetCurrentCell(nRow, nCol);
        if (!CanMoveCurrentCell(0, nRow, nCol, nRow, nCol))
        {
            // The refused edit stays in the control for the user to mend.
            OnInvalidCellValue(FALSE);
            return FALSE;
        }
        if (!StoreTypedValue(pControl))
            return FALSE;
    }
    pControl->Reset();
    return bOthers;
}

BOOL CGXGridCore::StoreTypedValue(CGXControl* pControl)
{
    CGXData* pData = GetData();
    CString message;
    // A message already waiting belongs to a command that reports it itself.
    const BOOL bArmed = pData != nullptr && !pData->GetMessage(message);
    const BOOL bStored = pControl->Store();
    if (bArmed && GetData() == pData)
        ReportRecalcMessage();
    return bStored;
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
    // The cell is composed afresh after its edit ends, stored or not.
    ResetCurrentCellStyle();
    if (!bStore)
    {
        // The control may refuse to give up its edit.
        if (pControl->IsActive() && !pControl->OnCancelEditing())
            return FALSE;
        pControl->Init(nRow, nCol);
        pControl->Refresh();
        pControl->OnCanceledEditing();
        return TRUE;
    }
    if (!pControl->IsActive())
        return TRUE;
    if (pControl->GetModify())
    {
        if (!CanMoveCurrentCell(0, nRow, nCol, nRow, nCol))
        {
            OnInvalidCellValue(FALSE);
            return FALSE;
        }
        if (!StoreTypedValue(pControl))
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
    const ROWCOL nFrozenRows = GetFrozenRows();
    const ROWCOL nFrozenCols = GetFrozenCols();

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
            // Leaving the frozen rows, the move goes on at the first row scrolled into view.
            if (r <= nFrozenRows && t > nFrozenRows && t < GetTopRow())
                t = std::min(GetTopRow(), nRows);
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
            if (c <= nFrozenCols && t > nFrozenCols && t < GetLeftCol())
                t = std::min(GetLeftCol(), nCols);
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
    if (m_pUserSelectRangeImp == nullptr)
        return MoveCurrentCellEx(nDirection, nCount, TRUE);
    if (m_pUserSelectRangeImp->MoveCurrentCellEx(this, nDirection, nCount))
        return TRUE;
    const BOOL bVertical = nDirection == GX_UP || nDirection == GX_DOWN || nDirection == GX_MOVE_PAGEUP ||
                           nDirection == GX_MOVE_PAGEDOWN || nDirection == GX_MOVE_TOP ||
                           nDirection == GX_MOVE_BOTTOM;
    if (bVertical && m_pParam != nullptr && m_pParam->m_wListBoxSelection == 0 &&
        m_pParam->IsSelectionAllowed(0x40) && ::GetKeyState(VK_SHIFT) < 0)
        return ExtendSelectionByKey(nDirection, nCount);
    return FALSE;
}

BOOL CGXGridCore::ExtendSelectionByKey(int nDirection, UINT nCount)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!GetCurrentCell(nRow, nCol))
        return FALSE;
    CGXRangeList& selection = m_pParam->m_SelRects;
    if (ValidateGestureRange() == nullptr)
    {
        if (!OnStartSelection(nRow, nCol, 0, CPoint(0, 0)) || !CanChangeSelection(nullptr, TRUE, FALSE))
            return FALSE;
        SetSelection(nullptr);
        OnChangedSelection(nullptr, TRUE, FALSE);
        m_posGestureRange = selection.AddTail(new CGXRange());
        m_nAnchorRow = nRow;
        m_nAnchorCol = nCol;
    }
    if (!CanChangeSelection(selection.GetAt(m_posGestureRange), FALSE, TRUE) ||
        !MoveCurrentCellEx(nDirection, nCount, FALSE) || !GetCurrentCell(nRow, nCol))
        return FALSE;
    const CGXRange range(m_nAnchorRow, m_nAnchorCol, nRow, nCol);
    SetSelection(m_posGestureRange, &range);
    SetLastHitCell(nRow, nCol);
    OnChangedSelection(selection.GetAt(m_posGestureRange), FALSE, TRUE);
    return TRUE;
}

void CGXGridCore::HideCurrentCellControl()
{
    CGXFlagScope hiding(m_bHideInProgress, TRUE);
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
    DropTranslatedChars(m_pGridWnd);
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
        CWnd* pWnd = pControl->GetWnd();
        if (pWnd->GetSafeHwnd() != nullptr && ::IsChild(m_pGridWnd->GetSafeHwnd(), pWnd->GetSafeHwnd()))
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
        if (m_pGridWnd->GetSafeHwnd() != nullptr)
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
    if (!m_bInvalidValuePending)
        return 0;
    m_bInvalidValuePending = FALSE;
    // The focus went to another window of the program that is now in front (a box among them):
    // it keeps the focus, and the cell warns again the next time it is left.
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    if (hGrid == nullptr || ::GetAncestor(hGrid, GA_ROOT) != ::GetActiveWindow())
    {
        m_strValidationWarning.Empty();
        return 0;
    }
    OnInvalidCellValue(TRUE);
    return 1;
}


// ---- Focus ----

CGXGridCore* CGXGridCore::GetFocusGrid()
{
    return GXGetAppData()->m_pFocusGrid;
}

BOOL CGXGridCore::OnGridSetFocus(CWnd* pOldWnd)
{
    // A pop-up of the current cell that is opening moves the focus without leaving the grid.
    if (m_bFocusChanging || GXIsPopupOpening())
        return FALSE;
    HWND hOld = pOldWnd->GetSafeHwnd();
    // A focus from outside the grid (or from no window: another program) is gained; one from the
    // cell's own window never left the grid.
    if (!IsGridOrChild(m_pGridWnd->GetSafeHwnd(), hOld))
        OnGridFocusChanged(TRUE);
    m_hWndLastFocus = hOld;
    if (m_bRefreshOnSetFocus)
    {
        m_bRefreshOnSetFocus = FALSE;
        if (CGXControl* pControl = GetCurrentCellControl())
            pControl->Refresh();
    }
    return FALSE;
}

BOOL CGXGridCore::OnGridKillFocus(CWnd* pNewWnd)
{
    if (m_bFocusChanging || GXIsPopupOpening())
        return FALSE;
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    HWND hNew = pNewWnd->GetSafeHwnd();
    if (IsGridOrChild(hGrid, hNew))
        return FALSE;
    OnGridFocusChanged(FALSE);
    return FALSE;
}

BOOL CGXGridCore::OnGridFocusChanged(BOOL bSetFocus)
{
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    if (hGrid != nullptr)
        ::SendMessageA(hGrid, WM_CANCELMODE, 0, 0);
    if (bSetFocus)
        m_pAppData->m_pFocusGrid = this;
    m_bHasFocus = bSetFocus;
    if (m_bEndingEdit || !m_bInitDone || m_pParam == nullptr)
        return FALSE;

    BOOL bResult = TRUE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    CGXControl* pControl = GetCurrentCell(nRow, nCol) ? GetCurrentCellControl() : nullptr;
    if (pControl != nullptr && !bSetFocus)
    {
        if (!pControl->IsInit())
            RedrawCell(nRow, nCol, GX_INVALIDATE);
        else
        {
            CGXFlagScope leaving(m_bLeavingGrid, TRUE);
            if (!CanLeaveGrid(FALSE))
                bResult = FALSE;
            else if (pControl->IsActive())
            {
                if (!pControl->GetModify() || StoreTypedValue(pControl))
                {
                    pControl->OnEndEditing();
                    pControl->SetActive(FALSE);
                    pControl->SetModify(FALSE);
                    pControl->Refresh();
                }
            }
            else
                pControl->Refresh();
        }
    }
    else if (pControl != nullptr)
    {
        if (!pControl->IsActive() && pControl->IsInit() && (m_pParam->m_wActivateCell & 4) != 0 &&
            pControl->OnStartEditing())
            pControl->SetActive(TRUE);
        pControl->Refresh();
    }
    if (bSetFocus)
    {
        CalcSizeUnits();
        UpdateScrollbars();
    }
    // The next size message compares with nothing: the window may have changed while unfocused.
    m_bSizeSeen = FALSE;
    return bResult;
}

BOOL CGXGridCore::CanLeaveGrid(BOOL bFlag)
{
    if (bFlag)
        return TRUE;
    CGXFlagScope ending(m_bEndingEdit, TRUE);
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr || !pControl->IsActive())
        return TRUE;
    DropTranslatedChars(m_pGridWnd);
    if (pControl->OnValidate())
        return TRUE;
    m_bRefreshOnSetFocus = TRUE;
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    if (m_bLeavingGrid && hGrid != nullptr)
    {
        // Inside a focus change a box or a SetFocus would fight the change under way: the warning
        // and the return of the focus follow once it is done.
        if (g_bReturningFocus)
            m_strValidationWarning.Empty();
        else
        {
            if (!m_bInvalidValuePending)
                ::PostMessageA(hGrid, WM_GX_DEFERREDACTIVATE, 0, 0);
            m_bInvalidValuePending = TRUE;
        }
    }
    else
        OnInvalidCellValue(TRUE);
    return FALSE;
}

void CGXGridCore::OnInvalidCellValue(BOOL bFocusGrid)
{
    const CString warning = m_strValidationWarning;
    m_strValidationWarning.Empty();
    // The box takes the focus and the return brings it back: neither leaves the grid.
    CGXFlagScope lock(m_bFocusChanging, TRUE);
    CGXFlagScope returning(g_bReturningFocus, TRUE);
    if (!warning.IsEmpty())
        AfxMessageBox(warning, MB_OK | MB_ICONEXCLAMATION);
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    HWND hTarget = nullptr;
    CGXControl* pControl = GetCurrentCellControl();
    HWND hCell = pControl != nullptr && pControl->IsActive() ? pControl->GetWnd()->GetSafeHwnd() : nullptr;
    if (hCell != nullptr && ::IsWindowVisible(hCell) && ::IsWindowEnabled(hCell))
        hTarget = hCell;
    else if (bFocusGrid && hGrid != nullptr && ::IsWindowVisible(hGrid))
        hTarget = hGrid;
    if (hTarget == nullptr)
        return;
    ::SetFocus(hTarget);
    if (IsGridOrChild(hGrid, ::GetFocus()))
    {
        m_bHasFocus = TRUE;
        m_pAppData->m_pFocusGrid = this;
    }
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
