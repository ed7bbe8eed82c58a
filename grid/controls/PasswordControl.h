#pragma once
// The password cell (control id 52537): an edit cell that shows one password character per byte of
// its value, edits in a single-line password window and never copies or cuts its text.

#include "grid/controls/EditControl.h"

class CGXPasswordControl : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXPasswordControl)
    GRID_DECLARE_CONTROL(CGXPasswordControl)

public:
    CGXPasswordControl(CGXGridCore* pGrid, UINT nID);

    CRuntimeClass* GetWndRuntimeClass() override;
    BOOL IsFloatCandidate(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloat) override;
    // The display text with every byte turned into the password character.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    // The window holds the real text; it shows the password character.
    void SetValue(LPCTSTR pszRawValue) override;
    BOOL Copy() override { return TRUE; }
    BOOL Cut() override { return TRUE; }
    DWORD ComputeEditStyle(RECT* pRect, int* pLineHeight) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    char GetPasswordChar() const { return m_chPassword; }

protected:
    BOOL m_bPassword = TRUE;
    char m_chPassword = '*';
};
