#pragma once
// The grid-drawn combo-box cell (control ids 52517, 52525, 52526, 52527, 52531 and 52532): an edit
// cell with a drop-down arrow button at the cell's right edge and a list of its own making, in a
// pop-up window on the desktop, filled with the lines of the style's choice list. The flags word
// decides what is stored: the typed text, the matching entry's text, or the entry's index counted
// from 0 or 1 (and whether the cell then shows the entry's text).
//
// The list talks to the combo's edit window with four private messages: take the selection and
// close, close, the selection moved (take it and stay open), the list lost the focus.

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "grid/controls/EditControl.h"

class CGXComboBoxButton;
class CGXGridCombo;

enum : UINT
{
    WM_GX_LBOXEND = 1965,
    WM_GX_LBOXCANCEL = 1976,
    WM_GX_LBOXCHANGED = 1987,
    WM_GX_LBOXKILLFOCUS = 1988
};

// The flags word of a grid-drawn combo.
enum : UINT
{
    GXCOMBO_TEXTFIT = 1,        // a text becomes the entry it matches; no match is refused
    GXCOMBO_NOTEXTFIT = 2,      // any text is taken as it is
    GXCOMBO_ZEROBASED = 4,      // the value is the entry's index from 0
    GXCOMBO_ONEBASED = 8,       // ... from 1
    GXCOMBO_DISPLAYCHOICE = 16  // with 4 or 8: the cell shows, edits and matches the entry's text
};

class CGXComboBox : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXComboBox)
    GRID_DECLARE_CONTROL(CGXComboBox)

public:
    CGXComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID, UINT nFlags);
    ~CGXComboBox() override;

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    // Deactivating closes an open list (later, through a posted cancel).
    void SetActive(BOOL bActive) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    void Reset() override;
    BOOL Store() override;
    // The static text rectangle less the button's 15 pixels.
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The edit's value, turned into the stored form (the entry, or its index) by the flags.
    BOOL GetValue(CString& value) override;
    // With the display-choice flag: the entry of the index; else the value.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    // A click into the grid while the list is open only closes the list.
    int OnGridMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Alt+Down on the grid opens the list.
    BOOL SysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void ReplaceSel(LPCTSTR pszText) override;
    // The drop button opens or closes the list.
    void OnClickedButton(CGXChild* pChild) override;
    void OnGridScroll(UINT nMessage, UINT nSBCode, UINT nPos) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    // With matching on, only a text that is (the start of) an entry.
    BOOL ValidateString(const CString& text) override;
    BOOL IsDropDownVisible() override;

    // ---- Window side ----
    virtual CGXGridCombo* CreateDropDownWnd(CWnd* pParentWnd, const CRect& rect);
    virtual CListBox* CreateListBox(CWnd* pPopupWnd, UINT nID);
    virtual void ShowDropDown(BOOL bShow);
    // Takes the list's selection into the edit window (nothing without a selection).
    virtual void GetListBoxValue(CListBox* pListBox);
    virtual void FillListBox(CListBox* pListBox);
    // Under the cell, as wide as it, as high as the parameter object's drop-down height.
    virtual void GetDropDownRect(CRect& rect, const CRect& rectCell);
    virtual void DestroyDropDownWnd(CGXGridCombo* pPopupWnd);
    // Steps of opening the list: the height of a row; the list's screen rectangle (as high as its
    // rows need, moved to stay on the desktop, above the cell when there is no room below); and
    // what follows once it shows.
    virtual int GetDropDownRowHeight(CListBox* pListBox);
    virtual void PlaceDropDown(CRect& rect, const CRect& rectScreenCell, const CRect& desktop, CListBox* pListBox);
    virtual void OnDropDownShown(CListBox* pListBox, const CRect& rect);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT GetFlags() const { return m_nFlags; }
    CGXComboBoxButton* GetButton() const { return m_pButton; }
    CGXGridCombo* GetDropDownWnd() const { return m_pDropDownWnd; }
    CListBox* GetListBox() const;

    // Options.
    BOOL m_bFillWithChoiceList = TRUE;
    BOOL m_bDispBtnCurrentCellOnly = FALSE;
    // The button is laid out (and drawn) in every cell, and every cell's text leaves it room.
    BOOL m_bDisplayEveryCell = FALSE;
    DWORD m_dwListBoxStyle = 0;
    // While active, the cell is drawn as static text instead of showing the edit window.
    BOOL m_bStaticDisplay = FALSE;
    BOOL m_bButtonHeightFollowsText = TRUE;

protected:
    // The list's messages to the edit window.
    virtual LRESULT OnListBoxEnd();
    virtual LRESULT OnListBoxCancel(BOOL bKeepFocus);
    virtual LRESULT OnListBoxChanged();
    virtual LRESULT OnListBoxKillFocus();
    // Opens the list when the control may start editing (Alt+Down); TRUE when it may.
    BOOL DropDownFromKey();
    // The matching flags are in force and the style has a choice list.
    BOOL MatchesChoices(const CGXStyle& style) const;
    HWND GridHwnd() const;

    UINT m_nFlags;
    CGXComboBoxButton* m_pButton;
    UINT m_nListBoxID;
    CGXGridCombo* m_pDropDownWnd = nullptr;
    CFont m_font;
    int m_nTextHeight = 0;
    int m_nButtonMargin = 1;
};

// The list of a grid-drawn combo: a system "COMBOLBOX" list in the combo's pop-up. Enter, Tab and
// a click take the choice, Escape and Alt+Down close, other keys that move the selection take it
// and leave the list open.
class CGXComboListBox : public CListBox
{
    DECLARE_DYNAMIC(CGXComboListBox)

public:
    explicit CGXComboListBox(CWnd* pOwner);
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The messages seen since the list opened.
    BOOL m_bKeyDown = FALSE;
    BOOL m_bMouseDown = FALSE;

protected:
    // Fills the background with the brush the pop-up answers; FALSE leaves it to the list.
    BOOL EraseBackground(HDC hDC);
    void SendToOwner(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* m_pOwner;
    int m_nSelAtKeyDown = LB_ERR;
    int m_nKeyRepeat = 0;
};
