// Grid engine: keyboard messages of the grid window and of the cell controls' own windows.

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"

namespace
{
BOOL KeyIsDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

void UpdateGridWindow(CWnd* pWnd)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        ::UpdateWindow(pWnd->GetSafeHwnd());
}

// Tab, Enter and Esc that a cell's own window hands to the grid end or leave the cell's editing:
// the character each was already translated into must not reach that window, which may edit the
// next cell by then. Keys typed ahead are not translated yet and stay queued.
void DropCharOfGridKey(CWnd* pSender, UINT nChar)
{
    HWND hSender = pSender != nullptr ? pSender->GetSafeHwnd() : nullptr;
    if (hSender == nullptr || (nChar != VK_TAB && nChar != VK_RETURN && nChar != VK_ESCAPE))
        return;
    MSG msg;
    while (::PeekMessageA(&msg, hSender, WM_CHAR, WM_CHAR, PM_REMOVE | PM_QS_POSTMESSAGE))
    {
    }
}
} // namespace

BOOL CGXGridCore::DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HWND hGrid = m_pGridWnd->GetSafeHwnd();
    // A released key, Esc or another key ends autoscrolling; the repeated key itself keeps it going.
    if (IsAutoScrollActive() && (nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP ||
                          ((nMessage == WM_KEYDOWN || nMessage == WM_SYSKEYDOWN) &&
                           (nChar == VK_ESCAPE || !m_bKeyRepeat || nChar != m_nKeyRepeatChar))))
        StopAutoScroll();
    // While a mouse action runs every key is swallowed; Esc ends the action first.
    if (hGrid != nullptr && ::GetCapture() == hGrid)
    {
        if (nChar == VK_ESCAPE && (nMessage == WM_KEYDOWN || nMessage == WM_CHAR))
            ::SendMessageA(hGrid, WM_CANCELMODE, 0, 0);
        return TRUE;
    }

    if (nMessage == WM_KEYDOWN && pSender != m_pGridWnd)
        DropCharOfGridKey(pSender, nChar);

    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    CGXControl* pControl = GetCurrentCell(nRow, nCol) ? GetCurrentCellControl() : nullptr;
    if (pControl != nullptr && pSender == m_pGridWnd)
    {
        if (!pControl->IsInitAt(nRow, nCol))
            pControl->Init(nRow, nCol);
        if (pControl->DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        {
            ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
            if (hGrid != nullptr)
                ::UpdateWindow(hGrid);
            return TRUE;
        }
    }

    switch (nMessage)
    {
    case WM_KEYDOWN:
        return HandleKeyDown(nChar, nRepCnt, nFlags);
    case WM_KEYUP:
        return HandleKeyUp(nChar, nRepCnt, nFlags);
    case WM_CHAR:
    {
        CString text;
        if (!GXAppendDbcsChar(nChar, text, m_bDbcsLeadPending, m_dbcsLeadByte))
            return HandleChar(nChar, nRepCnt, nFlags);
        if (text.IsEmpty())
            return TRUE;
        return HandleCharDbcs(text, nRepCnt, nFlags);
    }
    case WM_DEADCHAR:
        return HandleDeadChar(nChar, nRepCnt, nFlags);
    case WM_SYSKEYDOWN:
        return HandleSysKeyDown(nChar, nRepCnt, nFlags);
    case WM_SYSKEYUP:
        return HandleSysKeyUp(nChar, nRepCnt, nFlags);
    case WM_SYSCHAR:
        return HandleSysChar(nChar, nRepCnt, nFlags);
    case WM_SYSDEADCHAR:
        return HandleSysDeadChar(nChar, nRepCnt, nFlags);
    default:
        return FALSE;
    }
}

BOOL CGXGridCore::HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bCtrl = KeyIsDown(VK_CONTROL);
    const BOOL bShift = KeyIsDown(VK_SHIFT);
    const BOOL bAlt = KeyIsDown(VK_MENU);
    const UINT nCount = nRepCnt > 0 ? nRepCnt : 1;
    int nMove = 0;
    BOOL bHandled = FALSE;

    switch (nChar)
    {
    case VK_UP:
        nMove = bCtrl ? GX_MOVE_TOP : GX_UP;
        break;
    case VK_DOWN:
        nMove = bCtrl ? GX_MOVE_BOTTOM : GX_DOWN;
        break;
    case VK_LEFT:
        nMove = bCtrl ? GX_MOVE_MOSTLEFT : GX_LEFT;
        break;
    case VK_RIGHT:
        nMove = bCtrl ? GX_MOVE_MOSTRIGHT : GX_RIGHT;
        break;
    case VK_PRIOR:
        nMove = GX_MOVE_PAGEUP;
        break;
    case VK_NEXT:
        nMove = GX_MOVE_PAGEDOWN;
        break;
    case VK_HOME:
        if (!bCtrl)
            return FALSE;
        nMove = GX_MOVE_TOPLEFT;
        break;
    case VK_END:
        if (!bCtrl)
            return FALSE;
        nMove = GX_MOVE_BOTTOMRIGHT;
        break;
    case VK_TAB:
        // Ctrl+Tab belongs to the window around the grid (the pages of a property sheet).
        if (bCtrl)
            return FALSE;
        if (EndCurrentCellEditing(TRUE, GX_INVALIDATE, TRUE))
            MoveCurrentCellEx(bShift ? GX_LEFT : GX_RIGHT, 1, TRUE);
        bHandled = TRUE;
        break;
    case VK_RETURN:
    {
        const UINT nArg = bAlt ? 2 : 1;
        if (EndCurrentCellEditing(nArg != 0, nArg, nArg != 0) && m_pParam != nullptr &&
            m_pParam->m_nEnterKeyDirection != 0)
            MoveCurrentCellEx(m_pParam->m_nEnterKeyDirection, 1, TRUE);
        bHandled = TRUE;
        break;
    }
    case VK_ESCAPE:
    {
        if (m_pParam != nullptr && m_pParam->m_bRedrawPending)
        {
            m_pParam->m_bRedrawPending = FALSE;
            RedrawGrid(GX_INVALIDATE);
        }
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        CGXControl* pControl = GetCurrentCell(nRow, nCol) ? GetCurrentCellControl() : nullptr;
        if (pControl != nullptr)
        {
            if (!pControl->OnCancelEditing())
                pControl->Refresh();
            else
            {
                pControl->Init(nRow, nCol);
                pControl->Refresh();
                pControl->OnCanceledEditing();
            }
            ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
        }
        if (m_pParam == nullptr || !m_pParam->m_bKeepSelection)
            SetSelection(nullptr);
        bHandled = TRUE;
        break;
    }
    case VK_F2:
    {
        CGXControl* pControl = GetCurrentCellControl();
        if (pControl == nullptr)
            return HandleKeyDown(VK_RETURN, nRepCnt, 0);
        if (!pControl->IsActive())
        {
            EndCurrentCellEditing(FALSE, GX_SMART, TRUE);
            if (!pControl->IsReadOnly() && pControl->OnStartEditing())
            {
                pControl->SetActive(TRUE);
                pControl->Refresh();
            }
        }
        else
            EndCurrentCellEditing(TRUE, GX_SMART, TRUE);
        bHandled = TRUE;
        break;
    }
    case VK_INSERT:
        if (bCtrl && CanCopy())
            Copy();
        else if (bShift && CanPaste())
            Paste();
        else if (!bCtrl && !bShift)
            return FALSE;
        bHandled = TRUE;
        break;
    case VK_DELETE:
        if (bShift)
        {
            if (CanCut())
                Cut();
        }
        else
        {
            ROWCOL nRow = 0;
            ROWCOL nCol = 0;
            CGXControl* pControl = GetCurrentCell(nRow, nCol) ? GetCurrentCellControl() : nullptr;
            if (pControl != nullptr && !pControl->IsActive() && CanClear() && pControl->OnDeleteCell())
            {
                CGXRangeList ranges;
                if (GetSelectedRanges(ranges, TRUE))
                    ClearCells(ranges, bCtrl);
            }
        }
        bHandled = TRUE;
        break;
    case VK_BACK:
        if (!bCtrl)
            return FALSE;
        Redo();
        bHandled = TRUE;
        break;
    default:
        return FALSE;
    }

    if (nMove != 0)
    {
        const UINT n = (nMove == GX_MOVE_TOPLEFT || nMove == GX_MOVE_BOTTOMRIGHT) ? 1 : nCount;
        const BOOL bMoved = ProcessMoveKey(nMove, n);
        bHandled = TRUE;
        // A held move key goes on by the autoscroll timer, which repeats it ever faster until its release.
        HWND hWnd = m_pGridWnd->GetSafeHwnd();
        if (bMoved && m_bAutoScrollKeys && !m_bKeyRepeat && m_wTrackingState == 0 && hWnd != nullptr &&
            ::GetCapture() != hWnd)
        {
            m_bKeyRepeat = TRUE;
            m_nKeyRepeatChar = nChar;
            m_nKeyRepeatFlags = nFlags;
            StartAutoScroll(FALSE, FALSE, FALSE);
            if (!IsAutoScrollActive())
                m_bKeyRepeat = FALSE;
        }
    }
    if (bHandled && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::UpdateWindow(m_pGridWnd->GetSafeHwnd());
    return bHandled;
}

BOOL CGXGridCore::HandleKeyUp(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXGridCore::HandleChar(UINT nChar, UINT, UINT)
{
    switch (nChar)
    {
    case 3:
        if (CanCopy())
            Copy();
        break;
    case 22:
        if (CanPaste())
            Paste();
        break;
    case 24:
        if (CanCut())
            Cut();
        break;
    case 26:
        Undo();
        break;
    case 18:
        Redo();
        break;
    case 9:
    case 13:
        // Tab and Enter did their work as keys.
        return TRUE;
    default:
        return FALSE;
    }
    UpdateGridWindow(m_pGridWnd);
    return TRUE;
}

BOOL CGXGridCore::HandleCharDbcs(const CString&, UINT, UINT)
{
    return FALSE;
}

BOOL CGXGridCore::HandleDeadChar(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXGridCore::HandleSysKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_BACK)
        return FALSE;
    Undo();
    UpdateGridWindow(m_pGridWnd);
    return TRUE;
}

BOOL CGXGridCore::HandleSysKeyUp(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXGridCore::HandleSysChar(UINT, UINT, UINT)
{
    return FALSE;
}

BOOL CGXGridCore::HandleSysDeadChar(UINT, UINT, UINT)
{
    return FALSE;
}

UINT CGXGridCore::HandleGetDlgCode(UINT nDefault)
{
    return nDefault | DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS;
}
