#pragma once
// The list-box cell (control id 52522): the lines of the style's choice list as a list inside the
// cell; the value is the selected line's text. Other cells draw their lines with the value's line
// inverted (scrolled so that it is the last one shown); the active current cell shows a real list
// window of the grid's class "GXLISTBOX" over the cell. Only a real change of the selection marks
// the cell modified: visiting it never rewrites its value.

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "grid/core/Control.h"

class CGXListBox : public CListBox, public CGXControl
{
    DECLARE_DYNAMIC(CGXListBox)
    GRID_DECLARE_CONTROL(CGXListBox)

public:
    CGXListBox(CGXGridCore* pGrid, UINT nID);
    ~CGXListBox() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;

    // Empties the list and adds the cell's choice lines, selecting the one that begins with the
    // cell's display text.
    virtual void FillListBox();
    // The "GXLISTBOX" window (hidden, a child of the grid window).
    virtual BOOL CreateControl();

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    // Selects the line that equals or begins with the text.
    void SetCurrentText(const CString& text) override;
    void Hide() override;
    // A click activates the cell and selects the clicked line.
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    // A key on the grid starts editing.
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // LBN_SELCHANGE of the window marks the cell modified.
    BOOL OnGridCommand(WPARAM wParam, LPARAM lParam) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Activates (when OnStartEditing agrees) and shows the window; a click at the point then
    // selects its line.
    BOOL ActivateWithClick(UINT nFlags, CPoint point);
    CString SelectedText();

    UINT m_nID;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    CFont m_font;
    COLORREF m_rgbHighlightText;
    DWORD m_dwReserved = 0;
    COLORREF m_rgbBackground;
};
