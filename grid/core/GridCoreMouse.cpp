// Grid engine: mouse and window-state messages of the grid window. Until mouse handling is
// built here, the handlers answer "not handled" and the window's default processing follows.

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"

#include <algorithm>

BOOL CGXGridCore::HandleShowWindow(BOOL, UINT) { return FALSE; }
HBRUSH CGXGridCore::OnGridCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
int CGXGridCore::OnGridMouseActivate(CWnd*, UINT, UINT) { return 0; }
BOOL CGXGridCore::OnGridCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CGXGridCore::OnGridSettingChange(LPCTSTR) { return FALSE; }
BOOL CGXGridCore::HandleSetCursor(CWnd*, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::PreTranslateGridMessage(tagMSG*) { return FALSE; }

namespace
{
// The other buttons that cancel a press of a button.
const UINT kOtherThanLeft = MK_RBUTTON | MK_MBUTTON;
const UINT kOtherThanMiddle = MK_LBUTTON | MK_RBUTTON;
const UINT kOtherThanRight = MK_LBUTTON | MK_MBUTTON;

HWND GridHwnd(CWnd* pWnd)
{
    return pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
}
} // namespace

void CGXGridCore::SetCapture()
{
    if (HWND hWnd = GridHwnd(m_pGridWnd))
        ::SetCapture(hWnd);
}

void CGXGridCore::InvalidateGrid(BOOL bErase)
{
    if (HWND hWnd = GridHwnd(m_pGridWnd))
        ::InvalidateRect(hWnd, nullptr, bErase);
}

BOOL CGXGridCore::StartMouseTracking(UINT nFlags, CPoint point, UINT nOtherButtons, int& nHit, ROWCOL& nRow,
                                     ROWCOL& nCol)
{
    m_nButtonFlags = nFlags;
    m_bHasFocus = TRUE;
    HWND hWnd = GridHwnd(m_pGridWnd);
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

namespace
{
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
} // namespace

// ---- Presses ----

BOOL CGXGridCore::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherThanLeft, nHit, nRow, nCol))
        return FALSE;
    if (nHit == GX_SELEDGEHIT)
        nHit = GX_CELLHIT;
    if (nHit != GX_CELLHIT && nHit != GX_HEADERHIT)
        return StartResizeTracking(point, nFlags, nHit);

    if (nRow != 0 || nCol != 0)
    {
        if (m_pUserDragSelectRangeImp != nullptr && OnDragSelectPress(nFlags, point, nRow, nCol))
            return TRUE;
    }
    m_nPressedRow = nRow;
    m_nPressedCol = nCol;
    m_wTrackingState = GX_TRACK_PRESS;
    ROWCOL nTestRow = nRow;
    ROWCOL nTestCol = nCol;
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered))
    {
        nTestRow = covered.top;
        nTestCol = covered.left;
    }
    CGXControl* pControl = GetCurrentCellControl();
    if (IsCurrentCell(nTestRow, nTestCol) && pControl != nullptr && pControl->IsInit())
        m_wTrackingState |= GX_TRACK_CURRENTINIT;
    if ((nFlags & MK_CONTROL) != 0)
        m_wTrackingState |= GX_TRACK_CTRL;
    OnUserSelectPress(nFlags, point, nRow, nCol);
    m_nLastHitRow = nRow;
    m_nLastHitCol = nCol;
    m_ptTrackMouse = point;
    if (!DispatchCellLeftButton(nRow, nCol, nRow, nCol, point.x, point.y, nFlags,
                                m_wTrackingState | GX_HITBTNDOWN | GX_HITINCELL))
    {
        ::SendMessageA(GridHwnd(m_pGridWnd), WM_CANCELMODE, 0, 0);
        return TRUE;
    }
    if (::GetCapture() != GridHwnd(m_pGridWnd) && (m_wTrackingState & GX_TRACK_PRESS) != 0)
    {
        if (m_bAutoScrollCells)
            StartAutoScroll(FALSE, nRow != 0 && !IsFrozenRow(nRow), nCol != 0 && !IsFrozenCol(nCol));
        SetCapture();
    }
    return TRUE;
}

BOOL CGXGridCore::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherThanMiddle, nHit, nRow, nCol))
        return FALSE;
    if (nHit != GX_CELLHIT && nHit != GX_HEADERHIT)
        return FALSE;
    return StartOtherButton(1, nFlags, point, nRow, nCol);
}

BOOL CGXGridCore::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kOtherThanRight, nHit, nRow, nCol))
        return FALSE;
    if (nHit != GX_CELLHIT && nHit != GX_HEADERHIT)
        return FALSE;
    return StartOtherButton(2, nFlags, point, nRow, nCol);
}

BOOL CGXGridCore::StartOtherButton(int nButton, UINT nFlags, CPoint point, ROWCOL nRow, ROWCOL nCol)
{
    m_nPressedRow = nRow;
    m_nPressedCol = nCol;
    m_wTrackingState = GX_TRACK_PRESS;
    CGXControl* pControl = GetCurrentCellControl();
    if (IsCurrentCell(nRow, nCol) && pControl != nullptr && pControl->IsInit())
        m_wTrackingState |= GX_TRACK_CURRENTINIT;
    if ((nFlags & MK_CONTROL) != 0)
        m_wTrackingState |= GX_TRACK_CTRL;
    m_nLastHitRow = nRow;
    m_nLastHitCol = nCol;
    const UINT nState = m_wTrackingState | GX_HITBTNDOWN | GX_HITINCELL;
    const BOOL bOk = nButton == 1 ? DispatchCellMiddleButton(nRow, nCol, nRow, nCol, point.x, point.y, nFlags, nState)
                                  : DispatchCellRightButton(nRow, nCol, nRow, nCol, point.x, point.y, nFlags, nState);
    if (!bOk)
        ::SendMessageA(GridHwnd(m_pGridWnd), WM_CANCELMODE, 0, 0);
    else
        SetCapture();
    return TRUE;
}

// ---- Moves ----

CPoint CGXGridCore::ClampTrackPoint(CPoint point)
{
    const CRect rect = GetGridRect();
    const int nMargin = ::GetSystemMetrics(SM_CYFRAME);
    point.x = std::clamp<int>(point.x, rect.left, std::max<int>(rect.left, rect.right - nMargin));
    point.y = std::clamp<int>(point.y, rect.top, std::max<int>(rect.top, rect.bottom - nMargin));
    return point;
}

void CGXGridCore::LimitTrackCell(ROWCOL& nRow, ROWCOL& nCol)
{
    nRow = std::min(std::max(nRow, ClientRowToRow(GetHeaderRows() + 1)), GetRowCount());
    nCol = std::min(std::max(nCol, ClientColToCol(GetHeaderCols() + 1)), GetColCount());
}

BOOL CGXGridCore::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bInitDone)
        return FALSE;
    HWND hWnd = GridHwnd(m_pGridWnd);
    const CPoint clamped = ClampTrackPoint(point);
    if ((m_wTrackingState & GX_TRACK_PRESS) == 0)
    {
        if (MoveResizeTracking(point, nFlags, 0, 0))
            return TRUE;
        if (GetGridRect().PtInRect(point))
        {
            ROWCOL nRow = 0;
            ROWCOL nCol = 0;
            const int nHit = HitTest(point, &nRow, &nCol);
            if ((nHit == GX_CELLHIT || nHit == GX_HEADERHIT) && nRow <= GetRowCount() && nCol <= GetColCount())
            {
                CGXRange covered;
                if (GetCoveredCellsRowCol(nRow, nCol, covered))
                {
                    nRow = covered.top;
                    nCol = covered.left;
                }
                CGXControl* pControl = GetControl(nRow, nCol);
                if (pControl != nullptr && pControl->MouseMoveOver(nFlags, point))
                    return TRUE;
            }
        }
        return FALSE;
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
        DispatchCellLeftButton(m_nPressedRow, m_nPressedCol, nRow, nCol, clamped.x, clamped.y, nFlags, nState);
    else if ((m_nButtonFlags & MK_MBUTTON) != 0)
        DispatchCellMiddleButton(m_nPressedRow, m_nPressedCol, nRow, nCol, clamped.x, clamped.y, nFlags, nState);
    else if ((m_nButtonFlags & MK_RBUTTON) != 0)
        DispatchCellRightButton(m_nPressedRow, m_nPressedCol, nRow, nCol, clamped.x, clamped.y, nFlags, nState);
    if (nRow != m_nLastHitRow || nCol != m_nLastHitCol)
    {
        OnUserSelectMove(nFlags, clamped, nRow, nCol);
        m_nLastHitRow = nRow;
        m_nLastHitCol = nCol;
    }
    return TRUE;
}

// ---- Releases ----

BOOL CGXGridCore::EndButtonTracking(int nButton, UINT nFlags, CPoint point)
{
    HWND hWnd = GridHwnd(m_pGridWnd);
    if (hWnd == nullptr || ::GetCapture() != hWnd)
        return FALSE;
    point = ClampTrackPoint(point);
    if ((m_wTrackingState & GX_TRACK_PRESS) == 0)
    {
        ::ReleaseCapture();
        return nButton == 0 ? EndResizeTracking(point, nFlags, 0, 0) : FALSE;
    }
    const UINT nTracked = m_wTrackingState;
    m_wTrackingState = 0;
    ::ReleaseCapture();
    if (nButton == 0)
        OnUserSelectRelease(nFlags, point);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(point, &nRow, &nCol);
    LimitTrackCell(nRow, nCol);
    const UINT nState = CellEventFlags(nTracked | GX_HITBTNUP, nRow, nCol, m_nPressedRow, m_nPressedCol,
                                       m_nLastHitRow, m_nLastHitCol);
    if (nButton == 0)
        DispatchCellLeftButton(m_nPressedRow, m_nPressedCol, nRow, nCol, point.x, point.y, nFlags, nState);
    else if (nButton == 1)
        DispatchCellMiddleButton(m_nPressedRow, m_nPressedCol, nRow, nCol, point.x, point.y, nFlags, nState);
    else
        DispatchCellRightButton(m_nPressedRow, m_nPressedCol, nRow, nCol, point.x, point.y, nFlags, nState);
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
    static const UINT kMasks[3] = {kOtherThanLeft, kOtherThanMiddle, kOtherThanRight};
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!StartMouseTracking(nFlags, point, kMasks[nButton], nHit, nRow, nCol))
        return FALSE;
    if (nHit != GX_CELLHIT && nHit != GX_HEADERHIT)
        return FALSE;
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered))
    {
        nRow = covered.top;
        nCol = covered.left;
    }
    CGXControl* pControl = GetCurrentCellControl();
    if (!(IsCurrentCell(nRow, nCol) && pControl != nullptr && pControl->IsInit()) && nRow > GetHeaderRows() &&
        nCol > GetHeaderCols())
        MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
    pControl = GetCurrentCellControl();
    BOOL bDone;
    if (IsCurrentCell(nRow, nCol) && pControl != nullptr && pControl->IsInit())
        bDone = nButton == 0   ? pControl->LButtonDblClk(nFlags, point)
                : nButton == 1 ? pControl->MButtonDblClk(nFlags, point)
                               : pControl->RButtonDblClk(nFlags, point);
    else
        bDone = nButton == 0   ? OnCellLeftDblClicked(nRow, nCol, nFlags, point)
                : nButton == 1 ? OnCellMiddleDblClicked(nRow, nCol, nFlags, point)
                               : OnCellRightDblClicked(nRow, nCol, nFlags, point);
    if (!bDone)
    {
        if (nButton == 0)
            return OnLButtonDown(nFlags, point);
        if (nButton == 1)
            return OnMButtonDown(nFlags, point);
        return OnRButtonDown(nFlags, point);
    }
    return TRUE;
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

// ---- Size and cancel ----

BOOL CGXGridCore::OnGridSize(UINT nType, int, int)
{
    // The bars follow the new size; the window's default processing goes on.
    if (m_bInitDone && nType != SIZE_MINIMIZED)
        UpdateScrollbars(TRUE, FALSE);
    return FALSE;
}

BOOL CGXGridCore::OnGridCancelMode()
{
    if (!m_bInitDone)
        return FALSE;
    if ((m_wTrackingState & GX_TRACK_PRESS) != 0)
    {
        // The drag ends where it stands: the cell under the press stays as it is, and the cell's
        // control hears of the end through an event without flags.
        m_wTrackingState = 0;
        DispatchCellLeftButton(0, 0, 0, 0, 0, 0, 0, 0);
    }
    else
        CancelResizeTracking();
    if (m_pParam != nullptr && m_pParam->m_bRedrawPending)
    {
        m_pParam->m_bRedrawPending = FALSE;
        RedrawGrid(GX_INVALIDATE, TRUE);
    }
    HWND hWnd = GridHwnd(m_pGridWnd);
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bAutoScrollStop = TRUE;
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->OnGridCancelMode();
    return TRUE;
}

BOOL CGXGridCore::OnGridSysColorChange()
{
    m_pAppData->m_sysColors.Update();
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), nullptr, FALSE);
    return TRUE;
}

BOOL CGXGridCore::ClosePopupWindow()
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    if (settings.pFindReplaceDlg != nullptr && m_pGridWnd != nullptr && settings.m_pActiveGridWnd == m_pGridWnd)
    {
        if (settings.pFindReplaceDlg->GetSafeHwnd() != nullptr)
            ::SendMessageA(settings.pFindReplaceDlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
        settings.pFindReplaceDlg = nullptr;
        settings.m_pActiveGridWnd = nullptr;
    }
    return FALSE;
}

BOOL CGXGridCore::ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    POSITION pos = m_PluginList.GetHeadPosition();
    while (pos != nullptr)
    {
        CGXPluginComponent* pPlugin = static_cast<CGXPluginComponent*>(m_PluginList.GetNext(pos));
        pPlugin->m_bHandled = FALSE;
        pPlugin->m_bSkipGridHandling = FALSE;
        LRESULT pluginResult = 0;
        pPlugin->HandlePluginMessage(message, wParam, lParam, &pluginResult);
        if (pPlugin->m_bHandled && pPlugin->m_bSkipGridHandling)
        {
            result = pluginResult;
            return TRUE;
        }
    }
    return FALSE;
}

// ---- Feature objects first ----

BOOL CGXGridCore::OnDragSelectPress(UINT nFlags, CPoint point, ROWCOL nRow, ROWCOL nCol)
{
    return m_pUserDragSelectRangeImp != nullptr &&
           m_pUserDragSelectRangeImp->OnLButtonDown(this, point, nFlags, GX_HEADERHIT, nRow, nCol);
}

void CGXGridCore::OnUserSelectPress(UINT nFlags, CPoint point, ROWCOL nRow, ROWCOL nCol)
{
    if (m_pUserSelectRangeImp != nullptr)
        m_pUserSelectRangeImp->OnLButtonDown(this, point, nFlags, GX_CELLHIT, nRow, nCol);
}

void CGXGridCore::OnUserSelectMove(UINT nFlags, CPoint point, ROWCOL nRow, ROWCOL nCol)
{
    if (m_pUserSelectRangeImp != nullptr)
        m_pUserSelectRangeImp->OnMoveTo(this, point, nFlags, nRow, nCol);
}

void CGXGridCore::OnUserSelectRelease(UINT nFlags, CPoint point)
{
    if (m_pUserSelectRangeImp != nullptr)
        m_pUserSelectRangeImp->OnLButtonUp(this, point, nFlags);
}
