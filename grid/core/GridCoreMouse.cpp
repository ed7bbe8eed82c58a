// Grid engine: mouse and window-state messages of the grid window. Every mouse message goes
// to the feature components first (drag selection, fill handle, user selection, user resizing, cell
// tips), then to the cell's control, which calls the application's hooks.

#include "grid/core/GridCore.h"

#include "framework/dialogs/FindReplaceDialog.h"
#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>

BOOL CGXGridCore::HandleShowWindow(BOOL, UINT) { return FALSE; }
BOOL CGXGridCore::HandleSetCursor(CWnd*, UINT, UINT) { return FALSE; }

namespace
{
// The other buttons that cancel a press of the left (0), middle (1) and right (2) button.
const UINT kOtherButtons[3] = {MK_RBUTTON | MK_MBUTTON, MK_LBUTTON | MK_RBUTTON, MK_LBUTTON | MK_MBUTTON};

BOOL IsCellHit(int nHit)
{
    return nHit == GX_CELLHIT || nHit == GX_HEADERHIT;
}

// A cell of a covered range answers through the range's top-left cell.
void ToCoveringCell(CGXGridCore* pGrid, ROWCOL& nRow, ROWCOL& nCol)
{
    CGXRange covered;
    if (pGrid->GetCoveredCellsRowCol(nRow, nCol, covered))
    {
        nRow = covered.top;
        nCol = covered.left;
    }
}

// The cell is the current cell and its control is laid out for it.
BOOL IsInitCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pGrid->IsCurrentCell(nRow, nCol) && pControl != nullptr && pControl->IsInit();
}

// The event flags of a move or release: in the pressed cell, or just left it.
UINT CellEventFlags(UINT nState, ROWCOL nRow, ROWCOL nCol, ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nLastRow,
                    ROWCOL nLastCol)
{
    if (nRow == nPressedRow && nCol == nPressedCol)
        return nState | GX_HITINCELL;
    if (nLastRow == nPressedRow && nLastCol == nPressedCol)
        return nState | GX_HITLEFTCELL;
    return nState;
}

BOOL DispatchButton(CGXGridCore* pGrid, int nButton, ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow,
                    ROWCOL nCol, CPoint point, UINT nFlags, UINT nHitState)
{
    if (nButton == 0)
        return pGrid->DispatchCellLeftButton(nPressedRow, nPressedCol, nRow, nCol, point.x, point.y, nFlags,
                                             nHitState);
    if (nButton == 1)
        return pGrid->DispatchCellMiddleButton(nPressedRow, nPressedCol, nRow, nCol, point.x, point.y, nFlags,
                                               nHitState);
    return pGrid->DispatchCellRightButton(nPressedRow, nPressedCol, nRow, nCol, point.x, point.y, nFlags,
                                          nHitState);
}
} // namespace

// ---- Helpers ----

void CGXGridCore::SetCapture()
{
    if (HWND hWnd = m_pGridWnd->GetSafeHwnd())
        ::SetCapture(hWnd);
}

void CGXGridCore::InvalidateGrid(BOOL bErase)
{
    if (HWND hWnd = m_pGridWnd->GetSafeHwnd())
        ::InvalidateRect(hWnd, nullptr, bErase);
}

void CGXGridCore::AddPlugin(CGXPluginComponent* pPlugin)
{
    if (pPlugin == nullptr)
        return;
    m_PluginList.AddTail(pPlugin);
    pPlugin->PlugIn(m_pGridWnd);
}

void CGXGridCore::LockResizeRedraw(BOOL bLock)
{
    m_bLockResizeRedraw = bLock;
    if (!bLock)
        InvalidateGrid(FALSE);
}

void CGXGridCore::ExchangeGridText(LPARAM)
{
}

void CGXGridCore::CancelDragSelection()
{
    if (m_pUserDragSelectRangeImp != nullptr)
        m_pUserDragSelectRangeImp->CancelDragSelection(this);
    m_bDragSelectPending = FALSE;
}

BOOL CGXGridCore::StartMouseTracking(UINT nFlags, CPoint point, UINT nOtherButtons, int& nHit, ROWCOL& nRow,
                                     ROWCOL& nCol)
{
    m_nButtonFlags = nFlags;
    m_bHasFocus = TRUE;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd == nullptr)
        return FALSE;
    if (::GetCapture() == hWnd || (nFlags & nOtherButtons) != 0)
    {
        ::SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
        OnGridCancelMode();
        return FALSE;
    }
    ::UpdateWindow(hWnd);
    nRow = 0;
    nCol = 0;
    nHit = HitTest(point, &nRow, &nCol);
    return TRUE;
}

CPoint CGXGridCore::ClampTrackPoint(CPoint point)
{
    const CRect rect = GetGridRect();
    point.x = std::clamp<int>(point.x, rect.left, std::max<int>(rect.left, rect.right - m_nCyFrame));
    point.y = std::clamp<int>(point.y, rect.top, std::max<int>(rect.top, rect.bottom - m_nCyFrame));
    return point;
}

CPoint CGXGridCore::ClampReleasePoint(CPoint point)
{
    const CRect rect = GetGridRect();
    point.x = std::clamp<int>(point.x, 0, std::max<int>(0, rect.right - m_nCyFrame));
    point.y = std::clamp<int>(point.y, 0, std::max<int>(0, rect.bottom - m_nCyFrame));
    return point;
}

void CGXGridCore::LimitTrackCell(ROWCOL& nRow, ROWCOL& nCol)
{
    nRow = std::min(std::max(nRow, ClientRowToRow(GetHeaderRows() + 1)), GetRowCount());
    nCol = std::min(std::max(nCol, ClientColToCol(GetHeaderCols() + 1)), GetColCount());
}

// ---- Feature objects first ----

BOOL CGXGridCore::OnDragSelectPress(UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol)
{
    return m_pUserDragSelectRangeImp != nullptr &&
           m_pUserDragSelectRangeImp->OnLButtonDown(this, point, nFlags, nHit, nRow, nCol);
}

void CGXGridCore::OnUserSelectPress(UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol)
{
    if (m_pUserSelectRangeImp != nullptr)
        m_pUserSelectRangeImp->OnLButtonDown(this, point, nFlags, nHit, nRow, nCol);
}

// ---- Presses ----

void CGXGridCore::RecordPress(ROWCOL nRow, ROWCOL nCol, CPoint point)
{
    m_nPressedRow = nRow;
    m_nPressedCol = nCol;
    m_nLastHitRow = nRow;
    m_nLastHitCol = nCol;
    m_ptTrackMouse = point;
    m_wTrackingState = GX_TRACK_PRESS;
}

// Starts tracking a press on a cell: records it, lets the user-select component see a left press and
// dispatches the press to the cell. nTestRow, nTestCol is the cell asked whether it is current.
BOOL CGXGridCore::TrackCellPress(int nButton, UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol,
                                 ROWCOL nTestRow, ROWCOL nTestCol)
{
    RecordPress(nRow, nCol, point);
    if (IsInitCurrentCell(this, nTestRow, nTestCol))
        m_wTrackingState |= GX_TRACK_CURRENTINIT;
    if ((nFlags & MK_CONTROL) != 0)
        m_wTrackingState |= GX_TRACK_CTRL;
    if (nButton == 0)
    {
        OnUserSelectPress(nFlags, point, nHit, nRow, nCol);
        // The selection's steps may have moved the last cell; the press is where the gesture is.
        m_nLastHitRow = nRow;
        m_nLastHitCol = nCol;
    }
    if (!DispatchButton(this, nButton, nRow, nCol, nRow, nCol, point, nFlags,
                        m_wTrackingState | GX_HITBTNDOWN | GX_HITINCELL))
    {
        ::SendMessageA(m_pGridWnd->GetSafeHwnd(), WM_CANCELMODE, 0, 0);
        return FALSE;
    }
    return TRUE;
}

// Captures the mouse for a tracked press, starting autoscroll first when presses in cells do.
BOOL CGXGridCore::CapturePress(ROWCOL nRow, ROWCOL nCol)
{
    if (::GetCapture() != m_pGridWnd->GetSafeHwnd() && (m_wTrackingState & GX_TRACK_PRESS) != 0)
    {
        if (m_bAutoScrollCells)
            StartAutoScroll(FALSE, nRow != 0 && !IsFrozenRow(nRow), nCol != 0 && !IsFrozenCol(nCol));
        SetCapture();
    }
    return TRUE;
}

BOOL CGXGridCore::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherButtons[0], nHit, nRow, nCol))
        return FALSE;

    ROWCOL nTopRow = nRow;
    ROWCOL nTopCol = nCol;
    ToCoveringCell(this, nTopRow, nTopCol);

    if (nHit == GX_SELEDGEHIT)
    {
        // A press on the selection frame drags the selection when the drag component takes it.
        if (m_bDragSelection && OnDragSelectPress(nFlags, point, nHit, nTopRow, nTopCol))
            return TRUE;
        nHit = GX_CELLHIT;
    }

    if (nHit == GX_FILLHANDLEHIT)
    {
        RecordPress(nRow, nCol, point);
        if (m_bFillHandle && m_pExcelLikeFillImp != nullptr)
            m_pExcelLikeFillImp->OnLButtonDown(this, point, nFlags, nHit, nRow, nCol);
        return CapturePress(nRow, nCol);
    }

    if (!IsCellHit(nHit))
        return m_pUserResizeCellsImp != nullptr &&
               m_pUserResizeCellsImp->OnLButtonDown(this, point, nFlags, nHit, nRow, nCol);

    if (nRow == 0 && nCol == 0)
    {
        // The corner header is tracked without asking the drag-select component (and scrolls nothing).
        if (TrackCellPress(0, nFlags, point, nHit, 0, 0, 0, 0) && (m_wTrackingState & GX_TRACK_PRESS) != 0)
            SetCapture();
        return TRUE;
    }

    if (OnDragSelectPress(nFlags, point, nHit, nRow, nCol))
        return TRUE;
    if (!TrackCellPress(0, nFlags, point, nHit, nRow, nCol, nTopRow, nTopCol))
        return TRUE;
    return CapturePress(nRow, nCol);
}

// The middle (1) and right (2) buttons only press cells: no feature component sees them.
BOOL CGXGridCore::HandleOtherButtonDown(int nButton, UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherButtons[nButton], nHit, nRow, nCol) || !IsCellHit(nHit))
        return FALSE;
    if (TrackCellPress(nButton, nFlags, point, nHit, nRow, nCol, nRow, nCol))
        SetCapture();
    return TRUE;
}

BOOL CGXGridCore::OnMButtonDown(UINT nFlags, CPoint point)
{
    return HandleOtherButtonDown(1, nFlags, point);
}

BOOL CGXGridCore::OnRButtonDown(UINT nFlags, CPoint point)
{
    return HandleOtherButtonDown(2, nFlags, point);
}

// ---- Moves ----

// A move over the grid while nothing is tracked: the cell's control sees it unless every move goes
// to the cursor choice; FALSE when the cursor is still to be chosen.
BOOL CGXGridCore::MoveOverCell(UINT nFlags, CPoint point)
{
    if (m_bMoveToCursorOnly)
        return FALSE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(point, &nRow, &nCol);
    nRow = std::min(nRow, GetRowCount());
    nCol = std::min(nCol, GetColCount());
    ToCoveringCell(this, nRow, nCol);
    // A control laid out for another cell would answer for that one (and initialising it here would
    // take the current cell's control away or activate a control): the hook hears of the cell itself.
    CGXControl* pControl = GetControl(nRow, nCol);
    if (pControl != nullptr && pControl->IsInitAt(nRow, nCol))
        return pControl->MouseMoveOver(nFlags, point);
    return OnMouseMoveOver(nRow, nCol, nFlags, point);
}

BOOL CGXGridCore::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (m_bCellTips && m_pCellTipImp != nullptr && (hWnd == nullptr || ::GetCapture() != hWnd))
        m_pCellTipImp->OnMouseMove(this, point, nFlags);

    const CPoint clamped = ClampTrackPoint(point);
    if (m_pUserDragSelectRangeImp != nullptr && m_pUserDragSelectRangeImp->OnMouseMove(this, clamped, nFlags))
        return TRUE;

    if ((m_wTrackingState & GX_TRACK_PRESS) == 0)
    {
        if (m_pUserResizeCellsImp != nullptr && m_pUserResizeCellsImp->OnMouseMove(this, point, nFlags))
            return TRUE;
        const BOOL bInside = GetGridRect().PtInRect(point);
        if (bInside && MoveOverCell(nFlags, point))
            return TRUE;
        SetCursorFromPoint(bInside ? clamped : point);
        return TRUE;
    }

    if (hWnd == nullptr || ::GetCapture() != hWnd)
        return FALSE;
    m_ptTrackMouse = point;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(clamped, &nRow, &nCol);
    LimitTrackCell(nRow, nCol);
    const UINT nState = CellEventFlags(m_wTrackingState | GX_HITMOVE, nRow, nCol, m_nPressedRow, m_nPressedCol,
                                       m_nLastHitRow, m_nLastHitCol);
    if ((m_nButtonFlags & MK_LBUTTON) != 0)
        DispatchButton(this, 0, m_nPressedRow, m_nPressedCol, nRow, nCol, clamped, nFlags, nState);
    else if ((m_nButtonFlags & MK_MBUTTON) != 0)
        DispatchButton(this, 1, m_nPressedRow, m_nPressedCol, nRow, nCol, clamped, nFlags, nState);
    else if ((m_nButtonFlags & MK_RBUTTON) != 0)
        DispatchButton(this, 2, m_nPressedRow, m_nPressedCol, nRow, nCol, clamped, nFlags, nState);
    if (m_bFillHandle && m_pExcelLikeFillImp != nullptr &&
        m_pExcelLikeFillImp->OnMoveTo(this, clamped, nFlags, nRow, nCol))
        return TRUE;
    if (nRow != m_nLastHitRow || nCol != m_nLastHitCol)
    {
        if (m_pUserSelectRangeImp != nullptr)
            m_pUserSelectRangeImp->OnMoveTo(this, clamped, nFlags, nRow, nCol);
        m_nLastHitRow = nRow;
        m_nLastHitCol = nCol;
    }
    return TRUE;
}

// ---- Releases ----

BOOL CGXGridCore::EndButtonTracking(int nButton, UINT nFlags, CPoint point)
{
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd == nullptr || ::GetCapture() != hWnd)
        return FALSE;
    point = ClampReleasePoint(point);
    if (nButton == 0 && m_pUserDragSelectRangeImp != nullptr &&
        m_pUserDragSelectRangeImp->OnLButtonUp(this, point, nFlags))
        return TRUE;
    if ((m_wTrackingState & GX_TRACK_PRESS) == 0)
    {
        BOOL bHandled = FALSE;
        if (nButton == 0 && m_pUserResizeCellsImp != nullptr)
            bHandled = m_pUserResizeCellsImp->OnLButtonUp(this, point, nFlags);
        // Nothing else may keep the mouse once its button is up.
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        return bHandled;
    }
    UINT nTracked = m_wTrackingState;
    // Cleared before the capture goes: losing it must not cancel the release being handled.
    m_wTrackingState = 0;
    ::ReleaseCapture();
    if (nButton == 0)
    {
        if (m_bFillHandle && m_pExcelLikeFillImp != nullptr)
            m_pExcelLikeFillImp->OnLButtonUp(this, point, nFlags);
        if (m_pUserSelectRangeImp != nullptr)
        {
            // The selection reads and ends the gesture's bits; the cell hears of the release with
            // what it left.
            m_wTrackingState = static_cast<WORD>(nTracked);
            m_pUserSelectRangeImp->OnLButtonUp(this, point, nFlags);
            nTracked = m_wTrackingState;
            m_wTrackingState = 0;
        }
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(point, &nRow, &nCol);
    LimitTrackCell(nRow, nCol);
    const UINT nState = CellEventFlags(nTracked | GX_HITBTNUP, nRow, nCol, m_nPressedRow, m_nPressedCol,
                                       m_nLastHitRow, m_nLastHitCol);
    DispatchButton(this, nButton, m_nPressedRow, m_nPressedCol, nRow, nCol, point, nFlags, nState);
    return TRUE;
}

BOOL CGXGridCore::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    m_bAutoScrollStop = TRUE;
    return EndButtonTracking(0, nFlags, point);
}

BOOL CGXGridCore::OnMButtonUp(UINT nFlags, CPoint point)
{
    return m_bInitDone && EndButtonTracking(1, nFlags, point);
}

BOOL CGXGridCore::OnRButtonUp(UINT nFlags, CPoint point)
{
    return m_bInitDone && EndButtonTracking(2, nFlags, point);
}

// ---- Double clicks ----

BOOL CGXGridCore::HandleDblClk(int nButton, UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherButtons[nButton], nHit, nRow, nCol))
        return FALSE;
    if (!IsCellHit(nHit))
        return nButton == 0 && m_pUserResizeCellsImp != nullptr &&
               m_pUserResizeCellsImp->OnLButtonDblClk(this, point, nFlags, nHit, nRow, nCol);
    ToCoveringCell(this, nRow, nCol);
    // Headers never become the current cell.
    if (!IsInitCurrentCell(this, nRow, nCol) && nRow > GetHeaderRows() && nCol > GetHeaderCols())
        MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
    CGXControl* pControl = IsInitCurrentCell(this, nRow, nCol) ? GetCurrentCellControl() : nullptr;
    BOOL bDone;
    if (pControl != nullptr)
        bDone = nButton == 0   ? pControl->LButtonDblClk(nFlags, point)
                : nButton == 1 ? pControl->MButtonDblClk(nFlags, point)
                               : pControl->RButtonDblClk(nFlags, point);
    else
        bDone = nButton == 0   ? OnCellLeftDblClicked(nRow, nCol, nFlags, point)
                : nButton == 1 ? OnCellMiddleDblClicked(nRow, nCol, nFlags, point)
                               : OnCellRightDblClicked(nRow, nCol, nFlags, point);
    if (bDone)
        return TRUE;
    if (nButton == 0)
        return OnLButtonDown(nFlags, point);
    if (nButton == 1)
        return OnMButtonDown(nFlags, point);
    return OnRButtonDown(nFlags, point);
}

BOOL CGXGridCore::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    return HandleDblClk(0, nFlags, point);
}

BOOL CGXGridCore::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    return HandleDblClk(1, nFlags, point);
}

BOOL CGXGridCore::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    return HandleDblClk(2, nFlags, point);
}

// ---- Cancel ----

BOOL CGXGridCore::OnGridCancelMode()
{
    if (!m_bInitDone)
        return FALSE;
    if (m_bResizeTracking)
        CancelResizeTracking();
    if (m_bDragSelectPending)
        CancelDragSelection();
    if ((m_wTrackingState & GX_TRACK_FILLDRAG) != 0)
        CancelFill();
    if ((m_wTrackingState & GX_TRACK_PRESS) != 0)
    {
        // The cell's control hears of the end through an event without flags. The current cell
        // stays where the press put it unless the third permission flags ask for none.
        m_wTrackingState = 0;
        DispatchCellLeftButton(0, 0, 0, 0, 0, 0, 0, 0);
        if (m_pParam != nullptr && m_pParam->m_wAllowThird != 0)
            MoveCurrentCell(GX_INVALID, GX_INVALID, GX_SCROLLINVIEW | GX_SMART);
    }
    m_wTrackingState = 0;
    if (m_pParam != nullptr && m_pParam->m_bRedrawPending)
    {
        m_pParam->m_bRedrawPending = FALSE;
        RedrawGrid(GX_INVALIDATE, TRUE);
    }
    if (m_nCursorOverride != 0)
        SetCursorOverride(0);
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bAutoScrollStop = TRUE;
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridCancelMode();
    return TRUE;
}

// ---- Window state ----

BOOL CGXGridCore::OnGridSize(UINT nType, int cx, int cy)
{
    if (!m_bInitDone)
        return FALSE;
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    m_rectLastVisibleGrid.SetRectEmpty();
    const BOOL bMaximized = nType == SIZE_MAXIMIZED;
    if (bMaximized)
        UpdateScrollbars(TRUE, FALSE);
    if (m_bLockResizeRedraw)
    {
        if (hWnd != nullptr && bMaximized == m_bLastMaximized)
            ::ValidateRect(hWnd, nullptr);
        return TRUE;
    }
    if (nType == SIZE_MINIMIZED || hWnd == nullptr)
        return FALSE;

    const LONG_PTR dwStyle = ::GetWindowLongPtrA(hWnd, GWL_STYLE);
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    // The client size as if neither bar were shown, so that a bar coming or going reads as no change.
    const CSize sizeClient(cx + ((dwStyle & WS_VSCROLL) != 0 ? cxBar : 0),
                           cy + ((dwStyle & WS_HSCROLL) != 0 ? cyBar : 0));
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    if (m_bSizeSeen)
    {
        if (bMaximized != m_bLastMaximized)
            InvalidateGrid(FALSE);
        else if (sizeClient == m_sizeLastClient && rectWindow.TopLeft() == m_rectLastWindow.TopLeft() &&
                 (m_sizeLastRawClient.cx != cx || m_sizeLastRawClient.cy != cy))
        {
            // Only a scroll bar came or went: the strip it uncovered is all that needs painting.
            if (cx > m_sizeLastRawClient.cx)
            {
                const CRect strip(m_sizeLastRawClient.cx, 0, cx, cy);
                ::InvalidateRect(hWnd, &strip, FALSE);
                ::UpdateWindow(hWnd);
            }
            if (cy > m_sizeLastRawClient.cy)
            {
                const CRect strip(0, m_sizeLastRawClient.cy, cx, cy);
                ::InvalidateRect(hWnd, &strip, FALSE);
                ::UpdateWindow(hWnd);
            }
        }
    }
    if (m_pCellTipImp != nullptr)
        m_pCellTipImp->HideTip(this);
    CalcSizeUnits();
    UpdateScrollbars(TRUE, FALSE);
    m_bSizeSeen = TRUE;
    m_sizeLastClient = sizeClient;
    m_sizeLastRawClient = CSize(cx, cy);
    m_rectLastWindow = rectWindow;
    m_bLastMaximized = bMaximized;
    return FALSE;
}

int CGXGridCore::OnGridMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    // m_bSetting19 is the parameter object's switch that lets a click take the focus back from
    // another frame; the click that does so is eaten. A grid that holds the focus already has nothing
    // to take back: eating its click lost the first pick in a table of a dialog opened from another
    // window (the grid remembers the opener's button).
    HWND hFocus = ::GetFocus();
    if (m_bInitDone && hGrid != nullptr && m_pParam != nullptr && m_pParam->m_bSetting19 && nHitTest == HTCLIENT &&
        hFocus != hGrid && (hFocus == nullptr || !::IsChild(hGrid, hFocus)))
    {
        HWND hFrame = ::GetAncestor(hGrid, GA_ROOT);
        HWND hFocusFrame = hFocus != nullptr ? ::GetAncestor(hFocus, GA_ROOT) : nullptr;
        HWND hPrev = m_hWndLastFocus;
        if (hFrame == ::GetActiveWindow() && hPrev != nullptr && hPrev != hGrid && ::IsWindow(hPrev) &&
            ::GetAncestor(hPrev, GA_ROOT) != hFocusFrame)
        {
            ::SetFocus(hGrid);
            m_hWndLastFocus = hGrid;
            return MA_ACTIVATEANDEAT;
        }
    }
    CGXControl* pControl = GetCurrentCellControl();
    return pControl != nullptr ? pControl->OnGridMouseActivate(pDesktopWnd, nHitTest, message) : 0;
}

BOOL CGXGridCore::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    CGXControl* pControl = GetCurrentCellControl();
    return pControl != nullptr && pControl->OnGridCommand(wParam, lParam);
}

HBRUSH CGXGridCore::OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!m_bInitDone || !GetCurrentCell(nRow, nCol))
        return nullptr;
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
        return nullptr;
    if (HBRUSH hBrush = pControl->OnGridCtlColor(pDC, pWnd, nCtlColor))
        return hBrush;
    const CGXStyle& style = LookupStyleRowCol(nRow, nCol);
    const CGXStyleBrush& interior = style.GetInterior();
    if (pDC != nullptr)
    {
        pDC->SetTextColor(style.GetResolvedTextColor());
        pDC->SetBkColor(interior.GetColor());
    }
    return GetCachedBrush(interior);
}

BOOL CGXGridCore::PreTranslateGridMessage(tagMSG* pMsg)
{
    HWND hWnd = m_pGridWnd->GetSafeHwnd();
    if (!m_bInitDone || pMsg == nullptr || hWnd == nullptr || !::IsWindowVisible(hWnd))
        return FALSE;
    if (m_bCellTips && m_pCellTipImp != nullptr)
        m_pCellTipImp->RelayMessage(this, pMsg);
    CGXControl* pControl = GetCurrentCellControl();
    return pControl != nullptr && pControl->PreTranslateMessage(pMsg);
}

void CGXGridCore::TellControlsSettingChanged(BOOL bSysColors, LPCTSTR pszSection)
{
    if (m_pAppData != nullptr)
        m_pAppData->m_sysColors.Update();
    POSITION pos = m_ControlMap.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        m_ControlMap.GetNextAssoc(pos, nId, pValue);
        if (CGXControl* pControl = static_cast<CGXControl*>(pValue))
        {
            if (bSysColors)
                pControl->OnGridSysColorChange();
            else
                pControl->OnGridWinIniChange(pszSection);
        }
    }
    InvalidateGrid(FALSE);
}

BOOL CGXGridCore::OnGridSettingChange(LPCTSTR pszSection)
{
    // The locale's date order and separators may have changed with the settings.
    if (m_pAppData != nullptr && m_pAppData->m_pDateTimeImp != nullptr)
        m_pAppData->m_pDateTimeImp->InitDateTimeFormats();
    if (m_pAppData != nullptr && m_pAppData->m_pDateTestMemo != nullptr)
        m_pAppData->m_pDateTestMemo->clear();
    TellControlsSettingChanged(FALSE, pszSection);
    return TRUE;
}

BOOL CGXGridCore::OnGridSysColorChange()
{
    TellControlsSettingChanged(TRUE, nullptr);
    return TRUE;
}

BOOL CGXGridCore::ClosePopupWindow()
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    // The find/replace dialog this grid opened, or whose notifications come to its window, goes with
    // the window: its notifications would reach a window that is gone.
    auto* pDialog = dynamic_cast<CFindReplaceDialog*>(settings.pFindReplaceDlg);
    const BOOL bNotifiesThis = pDialog != nullptr && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr &&
                               pDialog->m_fr.hwndOwner == m_pGridWnd->GetSafeHwnd();
    if (settings.m_pGrid == this || bNotifiesThis)
    {
        if (pDialog != nullptr && pDialog->GetSafeHwnd() != nullptr)
            ::SendMessageA(pDialog->GetSafeHwnd(), WM_CLOSE, 0, 0);
        settings.pFindReplaceDlg = nullptr;
    }
    if (settings.m_pGrid == this)
    {
        settings.m_pGrid = nullptr;
        settings.m_pParentWnd = nullptr;
    }
    return FALSE;
}

BOOL CGXGridCore::ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!m_bInitDone)
        return FALSE;
    POSITION pos = m_PluginList.GetHeadPosition();
    while (pos != nullptr)
    {
        CGXPluginComponent* pPlugin = static_cast<CGXPluginComponent*>(m_PluginList.GetNext(pos));
        pPlugin->m_bHandled = FALSE;
        pPlugin->m_bSkipGridHandling = FALSE;
        LRESULT pluginResult = 0;
        pPlugin->HandlePluginMessage(message, wParam, lParam, &pluginResult);
        if (pPlugin->m_bSkipGridHandling)
        {
            result = pluginResult;
            return TRUE;
        }
        // The first plug-in that handled the message ends the offer; the grid still handles it.
        if (pPlugin->m_bHandled)
            return FALSE;
    }
    return FALSE;
}
