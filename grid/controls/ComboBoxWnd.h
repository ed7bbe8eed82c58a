#pragma once
// The combo cell on a real Windows combo box (control ids 52528, a drop-down, and 52529, a
// drop-down list): a window of the grid's class "GXCOMBOBOX" shown over the current cell while it is
// edited; every other cell draws itself, with a drop button at its right edge. The value is the
// combo's text (or, with an index base, the selected item's position plus that base).

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "grid/controls/Static.h"

class CGXComboBoxWnd;
class CGXComboBoxWndButton;

// WM_KILLFOCUS of a combo's edit field: the field's own handling, then the combo's loss of the
// focus unless the focus stays inside the combo.
LRESULT GXComboEditKillFocus(CEdit& edit, CWnd& combo, WPARAM wParam, LPARAM lParam);

// The combo's edit field, subclassed: its keys go through the combo's routing first, and losing
// the focus to a window outside the combo is the combo's loss.
class CGXComboEditPart : public CEdit
{
    DECLARE_DYNAMIC(CGXComboEditPart)

public:
    explicit CGXComboEditPart(CGXComboBoxWnd* pCombo) : m_pCombo(pCombo) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CGXComboBoxWnd* m_pCombo;
};

class CGXComboBoxWnd : public CComboBox, public CGXStatic
{
    DECLARE_DYNAMIC(CGXComboBoxWnd)
    GRID_DECLARE_CONTROL(CGXComboBoxWnd)

public:
    explicit CGXComboBoxWnd(CGXGridCore* pGrid);
    ~CGXComboBoxWnd() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;

    // Creates the drop button and the "GXCOMBOBOX" window (hidden, a child of the grid window) and
    // subclasses its edit field.
    virtual BOOL CreateControl(DWORD dwStyle, UINT nID);

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    // A read-only cell is put back; a modified one stores its value.
    BOOL Store() override;
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = 1,
                        const CGXStyle* pOldStyle = nullptr) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags) override;
    BOOL SysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // An active editable combo searches its own text; any other cell goes the base control's way.
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL GetSelectedText(CString& text) override;
    void OnClickedButton(CGXChild* pChild) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    BOOL ValidateString(const CString& text) override;
    // The notifications of the combo window (the grid hands its WM_COMMAND over).
    BOOL OnGridCommand(WPARAM wParam, LPARAM lParam) override;

    // ---- Window side ----
    virtual void GetControlRect(CRect& rect, const CRect& rectCell);
    // TRUE when the grid took the key.
    virtual BOOL HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void ShowPendingDropDown();
    // Steps of drawing the active cell: after the window font is made; the room below the field
    // for the dropped list.
    virtual void PrepareActiveDraw(const CGXStyle& style, const TEXTMETRICA& tm);
    virtual int GetDroppedHeight(const TEXTMETRICA& tm);
    void SetBackgroundColor(COLORREF color) { m_rgbBackground = color; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL IsDropDownList() const { return (m_dwComboStyle & 3) == CBS_DROPDOWNLIST; }
    CGXComboBoxWndButton* GetButton() const { return m_pButton; }
    CGXComboEditPart& GetEditPart() { return m_editPart; }

    // Options.
    int m_nFrameSize;
    BOOL m_bFillWithChoiceList = TRUE;
    BOOL m_bWantArrowKeys = FALSE;
    BOOL m_bSizeToContent = FALSE;
    // -1: the value is the text; 0 or 1: the selected position plus this.
    int m_nIndexValue = -1;
    BOOL m_bDispChoice = FALSE;
    BOOL m_bDropDownOnClick = TRUE;
    BOOL m_bDisplayEveryCell = FALSE;
    BOOL m_bDispBtnCurrentCellOnly = TRUE;
    BOOL m_bInactiveDrawFrameInside = FALSE;
    BOOL m_bNotOwnerDrawn = TRUE;
    BOOL m_bOwnerDrawFrame3d = TRUE;

protected:
    // Activates (when OnStartEditing agrees) and, for a closed drop-down list, opens the list by a
    // posted click at the point (client coordinates of the combo).
    BOOL ActivateAndDrop(BOOL bAnyStyle, CPoint pointInCombo);
    // The value of the value model from the window.
    CString WindowValue();
    // The text of the value model: the edit text, else the selected item's.
    CString WindowText();
    // Restores the text or selection saved when the list dropped (read-only cells).
    void RestoreSaved();
    void MeasureTextHeight(const CGXStyle& style);
    HWND GridHwnd() const;

    DWORD m_dwComboStyle = 0;
    CGXComboEditPart m_editPart;
    CGXComboBoxWndButton* m_pButton = nullptr;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    CFont m_font;
    COLORREF m_rgbHighlightText;
    COLORREF m_rgbBackground;
    int m_nEditSelStart = 0;
    int m_nEditSelEnd = -1;
    BOOL m_bDropPending = FALSE;
    int m_nTextHeight = 0;
    CString m_strSavedText;
    int m_nSavedSel = CB_ERR;
};
