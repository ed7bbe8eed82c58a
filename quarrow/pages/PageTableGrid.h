#pragma once

#include "grid/core/GridWnd.h"

class CProjectData;

// The table of a design page (the permeable base's quality of drainage, the edge drain's flow
// factors). It tells its page by WM_COMMAND from its control id that another cell became current
// (code 5; the 1-based row is then in the record's picked row) and that Tab, or Help without
// Shift, was pressed in it (code 8). The page fills, sizes and protects the table.
class CPageTableGrid : public CGXGridWnd
{
public:
    enum : WORD { CurrentCellChanged = 5, TabPressed = 8 };

    CPageTableGrid();
    ~CPageTableGrid() override;

    // Tab and Help never reach the engine; Shift+Help shows "Help!". Every key counts as handled.
    BOOL DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Called by the engine whenever the current cell moves to another cell, by mouse or keyboard.
    void OnCellControlInit(ROWCOL nRow, ROWCOL nCol) override;

    // The page's record, not owned; the page sets it every time it becomes active.
    CProjectData* m_pProjectData = nullptr;

protected:
    void NotifyPage(WORD nCode);

    DECLARE_MESSAGE_MAP()
};
