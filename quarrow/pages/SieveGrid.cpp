#include "quarrow/pages/SieveGrid.h"

void CSieveGrid::OnCellModified(ROWCOL, ROWCOL)
{
    NotifyParent(CellEditedCode);
}

BOOL CSieveGrid::DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nMessage == WM_KEYDOWN && nChar == VK_TAB)
    {
        NotifyParent(LeaveTableCode);
        return TRUE;
    }
    if (nMessage == WM_KEYDOWN && nChar == VK_HELP)
    {
        if ((::GetKeyState(VK_SHIFT) & 0x8000) != 0)
            MessageBox("Help!");
        else
            NotifyParent(LeaveTableCode);
        return TRUE;
    }
    // What the grid does not handle keeps its default processing: Alt and F10 still reach the menu.
    return CGXGridWnd::DispatchKeyMessage(pSender, nMessage, nChar, nRepCnt, nFlags);
}

void CSieveGrid::NotifyParent(WORD nCode)
{
    const HWND hGrid = GetSafeHwnd();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hGrid), nCode), reinterpret_cast<LPARAM>(hGrid));
}
