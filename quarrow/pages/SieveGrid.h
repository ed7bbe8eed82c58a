#pragma once

#include <windows.h>

#include <vector>

#include "grid/core/GridWnd.h"

// The sieve table of the sieve analysis page. It tells the page, with a command from its control
// id, when the engineer changed a cell and when Tab should leave the table; the page lays it out
// and fills it.
class CSieveGrid : public CGXGridWnd
{
public:
    // Notification codes of the commands sent to the parent window.
    enum : WORD { CellEditedCode = 2, LeaveTableCode = 3 };

    // Tells the page at once; the grid's own modified flag is left alone.
    void OnCellModified(ROWCOL nRow, ROWCOL nCol) override;
    // The key handling of the table: Tab, and Help without Shift, leave the table; Shift+Help shows
    // "Help!"; every other key is the grid's.
    BOOL DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

    // Delete, cut, paste, undo and redo change cells without their cell control, so the page would
    // keep the results of the old table: a change of any cell's value is told to it as a typed one.
    BOOL ClearCells(const CGXRangeList& ranges, BOOL bStyles = FALSE) override;
    BOOL Paste() override;
    BOOL Undo() override;
    BOOL Redo() override;

private:
    void NotifyParent(WORD nCode);
    std::vector<CString> CellValues();
    BOOL NotifyIfValuesChanged(const std::vector<CString>& before, BOOL bResult);
};
