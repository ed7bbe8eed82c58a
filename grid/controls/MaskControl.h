#pragma once
// The masked edit cell (control id 52535): a text cell whose input follows an input mask of its
// style (user attributes "Maskedit: Input Mask" and "Maskedit: Prompt Char"). The cell stores only
// the characters of the input positions; the display merges them with the literals and, while the
// cell is edited, prompts. Like the edit cell it is at once an edit window ("GXEDIT", laid over the
// current cell as the edit cell lays out its window) and a static-text cell part. It owns two input
// masks: one for editing in the window, one for drawing and converting other cells' values.

#include "framework/win/Controls.h"
#include "grid/controls/EditWindowLayout.h"
#include "grid/controls/Static.h"

class CGXMaskData;

// The masked edit's user attributes.
enum : WORD
{
    GX_IDS_UA_INPUTMASK = 51023,
    GX_IDS_UA_INPUTPROMPT = 51024
};

class CGXMaskControl : public CEdit, public CGXStatic
{
    DECLARE_DYNAMIC(CGXMaskControl)
    GRID_DECLARE_CONTROL(CGXMaskControl)

public:
    // pDataClass: the runtime class of the input masks the control creates.
    CGXMaskControl(CGXGridCore* pGrid, UINT nID, CRuntimeClass* pDataClass);
    ~CGXMaskControl() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;

    // Creates the input masks when missing and the window (hidden) with the style.
    virtual BOOL CreateControl(DWORD dwStyle, const RECT* pRect = nullptr);
    // Sets an input mask up from a style: its mask, its prompt ("_" without one or for a refused
    // one) and the maximum length of plain text.
    void SetupMaskData(CGXMaskData& data, const CGXStyle& style);
    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    // A cell whose entered characters do not fill the mask validly stays current, without a message.
    BOOL OnValidate() override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    // The entered characters without literals, prompts as spaces, trailing blanks dropped.
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    // The value merged into the style's mask; "" for an empty value; FALSE when the mask has no
    // input position.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    // A text to store, taken as a display text or else as entered characters; FALSE when it fits
    // neither (the mask has no input position).
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags) override;
    // The selected entered characters as "GX_MASKDATA" and the selected display text as CF_TEXT.
    BOOL Copy() override;
    BOOL Paste() override;
    BOOL Cut() override { return CGXControl::Cut(); }
    BOOL CanPaste() override;
    // Find and replace in the display text; an empty search text finds nothing.
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol) override;
    BOOL GetSelectedText(CString& text) override;
    // A typed character the mask refused; nothing happens here.
    virtual void OnInvalidKey(LPCTSTR pszKey);
    // Find and replace in any cell.
    BOOL FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell);
    BOOL ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol);

    // ---- Window side ----
    BOOL UpdateEditStyle() { return m_layout.Update(); }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CGXMaskData* GetEditData() const { return m_pEditData; }
    CGXMaskData* GetDisplayData() const { return m_pDisplayData; }
    BOOL IsInsertMode() const { return m_bInsertMode; }

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    BOOL HasWindow() const { return m_layout.HasWindow(); }
    CString WindowText() const { return m_layout.WindowText(); }
    // The selection as data positions.
    void GetDataSelection(int& nStart, int& nEnd) const;
    // The caret (or a selection) at data positions.
    void SetDataSelection(int nStart, int nEnd);
    // The window shows the editing data, modified, the grid told, the caret at nCaret.
    void ShowEditData(int nCaret);
    // The editing data back as the window shows it.
    void RestoreEditData();
    // Input positions of the editing data, plain text counting every position as one: the first at
    // or after nPos, the last before it, the first after it (-1: none).
    int InputAtOrAfter(int nPos) const;
    int InputBefore(int nPos) const;
    int InputAfter(int nPos) const;
    // Where the data's entered characters end.
    int DataEnd() const;
    // A typed character at the caret (a beep when no input position is left for it).
    void TypeChar(CString ch);
    int CharFromPoint(CPoint point);
    BOOL KeyToGrid(UINT nChar, UINT nRepCnt, UINT nFlags);

    CGXMaskData* m_pEditData = nullptr;
    CGXMaskData* m_pDisplayData = nullptr;
    CRuntimeClass* m_pDataClass;
    UINT m_nID;
    BOOL m_bActive = FALSE;
    BOOL m_bInsertMode = TRUE;
    COLORREF m_rgbHighlightText;
    CGXEditWindowLayout m_layout;
    BOOL m_bPastingMaskData = FALSE;
};
