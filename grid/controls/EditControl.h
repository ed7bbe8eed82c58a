#pragma once
// The grid's default cell control: draws every cell of its id as static text and edits the
// current cell in a real multi-line edit window of the class "GXEDIT", a child of the grid window
// laid exactly over the cell's text. The one object is both that window and the cell control, and
// moves from cell to cell (Init attaches it, Store writes the edited text back, Reset detaches it).

#include "framework/win/Controls.h"
#include "grid/controls/EditWindowLayout.h"
#include "grid/controls/Static.h"

class CGXEditControl : public CEdit, public CGXStatic
{
    DECLARE_DYNAMIC(CGXEditControl)
    GRID_DECLARE_CONTROL(CGXEditControl)

public:
    CGXEditControl(CGXGridCore* pGrid, UINT nID);
    ~CGXEditControl() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    BOOL OnEndEditing() override;
    // bFloat: may the cell float over empty neighbours (it has text); else may it be flooded (it is empty).
    virtual BOOL IsFloatCandidate(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloat);
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    BOOL FillsBackground(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszRawValue) override;
    // Text that reads as a number goes in as a number value.
    BOOL StoreControlText(ROWCOL nRow, ROWCOL nCol, CString& text, const CGXStyle& style, UINT nFlags) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags) override;
    BOOL Copy() override;
    BOOL Paste() override { return CGXControl::Paste(); }
    BOOL Cut() override { return CGXControl::Cut(); }
    // Searches and replaces in any cell with FindTextRowCol and ReplaceAllRowCol.
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol) override;
    BOOL GetSelectedText(CString& text) override;
    BOOL ValidatePaste(const CString& text) override;
    virtual BOOL OnControlCommand(WPARAM wParam, LPARAM lParam);
    // A typed character or text that the control refused; nothing happens here.
    virtual void OnInvalidKey(LPCTSTR pszKey);

    // Find and replace in any cell. An empty search text finds nothing and replaces nothing.
    BOOL FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell,
                        const CGXStyle* pStyle = nullptr);
    BOOL ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol,
                          const CGXStyle* pStyle = nullptr);

    // ---- Window side ----
    virtual BOOL ParseNumberText(CString& text, const CGXStyle& style, double* pValue);
    virtual BOOL FormatNumberText(CString& text, const CGXStyle& style);
    virtual BOOL IsNumberFormat(const CGXStyle* pStyle);
    // TRUE: the edit window handles the character itself; else the pending text (if any) is inserted.
    virtual BOOL PreprocessChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL CreateEditWindow(DWORD dwStyle, const RECT* pRect);
    virtual DWORD ComputeEditStyle(RECT* pRect, int* pLineHeight);
    // Re-creates the window when the style its text needs changed; TRUE when it did.
    BOOL UpdateEditStyle() { return m_layout.Update(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set while an input-method composition runs in any edit cell; no active edit cell is drawn then.
    static BOOL s_bImeComposing;

    DWORD GetAlignmentStyle() const { return m_layout.m_dwAlignStyle; }
    DWORD GetCurrentWindowStyle() const { return m_layout.m_dwCurrentStyle; }

protected:
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnStyleChanged(int nStyleType, const STYLESTRUCT* pStyles);
    BOOL HasWindow() const { return m_layout.HasWindow(); }
    // Every cell but the active one with its window, and every cell while printing, is drawn as static text.
    BOOL DrawsAsStatic(ROWCOL nRow, ROWCOL nCol) const;
    CString WindowText() const { return m_layout.WindowText(); }
    void SetSelection(int nStart, int nEnd, BOOL bScroll = TRUE) { m_layout.SetSelection(nStart, nEnd, bScroll); }
    void GetSelection(int& nStart, int& nEnd) const { m_layout.GetSelection(nStart, nEnd); }
    BOOL IsRightToLeftWindow() const { return m_layout.IsRightToLeftWindow(); }
    int CharFromPoint(CPoint point);
    void EvalFloat();
    // Stores a text as a number value (bNumber) or as a text value.
    BOOL StoreValueText(ROWCOL nRow, ROWCOL nCol, const CString& text, BOOL bNumber, UINT nFlags);

    BOOL m_bAutoSize = FALSE;
    UINT m_nID;
    BOOL m_bActive = FALSE;
    COLORREF m_rgbHighlightText;
    // The window over the cell: font, metrics, alignment, the style flags it was laid out with.
    CGXEditWindowLayout m_layout;
    CString m_strPending;
    BOOL m_bInserting = FALSE;
    BOOL m_bFloatRefresh = FALSE;
};
