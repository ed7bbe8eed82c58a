#pragma once
// Find and replace in a grid, driven by the one modeless find/replace dialog of the process or by
// direct calls. A search asks the current cell's control first (an active editor searches its own
// text), then scans the current cell's column, one row after the other, without wrapping around;
// Replace All changes every occurrence in that column from the current row down as one undo step.
// Cell controls take part: the base control hands its cell back to FindInCell and ReplaceInCell.
// The texts and flags live in the library's one settings record; one stateless object serves any grid.

#include "grid/core/GridComponents.h"

class CGXGridFindReplaceImp : public CGXAbstractGridFindReplaceImp
{
public:
    // FindWithSettings: searches on from the current cell (bNext: down) and makes a hit the current
    // cell; beeps (SignalTextNotFound) when none is left. An empty find text finds nothing.
    BOOL OnFindNext(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase) override;
    // ReplaceAndFindNext: replaces the hit in the current cell and goes to the next one.
    BOOL OnReplaceSel(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase,
                      LPCTSTR pszReplace) override;
    // ReplaceAllInColumn: every occurrence in the current cell's column from the current row down,
    // disabled cells included; one undo step "Replace All". TRUE when anything was replaced.
    BOOL OnReplaceAll(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, LPCTSTR pszReplace,
                      BOOL bCase) override;
    // ShowFindDialog: opens the find (bFindOnly) or replace dialog for the grid, proposing the
    // current cell's text.
    BOOL OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly) override;
    // HandleFindDialogMessage: the dialog's notifications, for the grid that opened it.
    BOOL OnFindReplace(CGXGridCore* pGrid, CWnd* pDialog) override;
    // Scans the column from the row after (before, searching up) the given one; row 0 is never
    // searched and nothing wraps around. Disabled cells are skipped.
    BOOL FindTextFromCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bSetCell) override;
    BOOL FindNextText(CGXGridCore* pGrid, BOOL bSetCell) override;
    BOOL FindInCell(CGXGridCore* pGrid, CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                    ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell) override;
    BOOL ReplaceInCell(CGXGridCore* pGrid, CGXControl* pControl, const CGXFindReplaceSettings& settings,
                       ROWCOL nRow, ROWCOL nCol) override;

    // Opens the dialog (or brings the open one of the same kind forward) owned by pParentWnd.
    virtual BOOL CreateFindDialog(CGXGridCore* pGrid, BOOL bFindOnly, const CString& findText, CWnd* pParentWnd);
};
