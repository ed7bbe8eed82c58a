#pragma once
// The check-list combo cell (control id 52542): a grid-drawn combo whose list is a list of check
// boxes. The first line of the choice list is a caption the cell always shows; the further lines
// are the items. The value is a bit mask of the checked items (item i is bit i, so only the first
// 32 items have one), stored as a number, or empty when none is checked. The cell takes no typing;
// closing the list (by any key, a click elsewhere or the loss of the focus) takes the checks.

#include "framework/win/CheckListBox.h"
#include "grid/controls/ComboBox.h"

class CGXCheckListComboBox : public CGXComboBox
{
    DECLARE_DYNAMIC(CGXCheckListComboBox)
    GRID_DECLARE_CONTROL(CGXCheckListComboBox)

public:
    CGXCheckListComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID);

    // The items that have a bit in the mask.
    static const int kMaskBits = 32;

    CRuntimeClass* GetWndRuntimeClass() override;
    // Always the caption, as static text.
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The choice list's first line, whatever the value.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    // Only Alt+Down (opening the list) is taken: the cell takes no typing.
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

    DWORD ComputeEditStyle(RECT* pRect, int* pLineHeight) override;
    BOOL PreprocessChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    CListBox* CreateListBox(CWnd* pPopupWnd, UINT nID) override;
    // Stores the mask of the checked items when it differs from the cell's.
    void GetListBoxValue(CListBox* pListBox) override;
    // The items after the caption, checked by the cell's mask.
    void FillListBox(CListBox* pListBox) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int GetItemCount() const { return m_nCount; }

    // The mask of a value text: an unsigned 32-bit number (so masks with bit 31 keep their low bits).
    static DWORD ReadMask(const CString& value);

protected:
    // Takes the checks and closes the list.
    LRESULT CloseList();

    int m_nCount = 0;
};

class CGXCheckListComboLBox : public CCheckListBox
{
    DECLARE_DYNAMIC(CGXCheckListComboLBox)

public:
    explicit CGXCheckListComboLBox(CWnd* pOwner);
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL m_bKeyDown = FALSE;
    BOOL m_bMouseDown = FALSE;

protected:
    void SendToOwner(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* m_pOwner;
    DWORD m_dwReserved = 0;
    int m_nSel = LB_ERR;
    BOOL m_bAlnum = FALSE;
};
