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

BOOL CSieveGrid::ClearCells(const CGXRangeList& ranges, BOOL bStyles)
{
    const std::vector<CString> before = CellValues();
    return NotifyIfValuesChanged(before, CGXGridWnd::ClearCells(ranges, bStyles));
}

BOOL CSieveGrid::Paste()
{
    const std::vector<CString> before = CellValues();
    return NotifyIfValuesChanged(before, CGXGridWnd::Paste());
}

BOOL CSieveGrid::Undo()
{
    // Undo also takes back the colours of an analysis, which change no percentage.
    const std::vector<CString> before = CellValues();
    return NotifyIfValuesChanged(before, CGXGridWnd::Undo());
}

BOOL CSieveGrid::Redo()
{
    const std::vector<CString> before = CellValues();
    return NotifyIfValuesChanged(before, CGXGridWnd::Redo());
}

void CSieveGrid::NotifyParent(WORD nCode)
{
    const HWND hGrid = GetSafeHwnd();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hGrid), nCode), reinterpret_cast<LPARAM>(hGrid));
}

std::vector<CString> CSieveGrid::CellValues()
{
    std::vector<CString> values;
    const ROWCOL nRows = GetRowCount();
    const ROWCOL nCols = GetColCount();
    values.reserve(static_cast<size_t>(nRows) * nCols);
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= nCols; ++nCol)
            values.emplace_back(GetValueRowCol(nRow, nCol));
    return values;
}

BOOL CSieveGrid::NotifyIfValuesChanged(const std::vector<CString>& before, BOOL bResult)
{
    if (CellValues() != before)
        NotifyParent(CellEditedCode);
    return bResult;
}
