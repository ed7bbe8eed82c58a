// CCheckListBox: an owner-drawn list box with a check box in front of every item. The check
// state (and whether an item can be checked) travels with the item: the list box's item data holds
// it, and LB_GETITEMDATA/LB_SETITEMDATA still give the caller's own item data, whoever sends them.
// A click on an item's box or the space bar changes its check (auto styles) and sends the parent
// WM_COMMAND with CLBN_CHKCHANGE.
#pragma once

#include <windows.h>

#include "framework/core/Geometry.h"
#include "framework/win/Controls.h"

#ifndef CLBN_CHKCHANGE
#define CLBN_CHKCHANGE 40
#endif

class CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;
    ~CCheckListBox() override;

    // Adds LBS_OWNERDRAWFIXED (unless the style is LBS_OWNERDRAWVARIABLE) and LBS_HASSTRINGS.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BS_AUTOCHECKBOX (the default), BS_CHECKBOX, BS_AUTO3STATE or BS_3STATE; the others are
    // ignored. Without AUTO a click only notifies the parent, which sets the check itself.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nCheckStyle; }
    // 0 unchecked, 1 checked, 2 indeterminate; 0 for an index out of range.
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    // A disabled item is drawn grey and keeps its check against clicks and keys.
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    // Height of an item: the font's text or the check box, whichever is taller.
    int CalcMinimumItemHeight();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // The box's own handling, for classes that handle these messages first.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct CItemState
    {
        int nCheck = 0;
        BOOL bEnabled = TRUE;
        DWORD_PTR dwUserData = 0;
    };

    // The state an item carries (NULL: never set, i.e. unchecked, enabled, no data).
    CItemState* FindState(int nIndex) const;
    // The item's state, made when it has none; NULL for an index out of range.
    CItemState* StateOf(int nIndex);
    void FreeState(int nIndex);
    void FreeAllStates();
    // The box's place in an item's rectangle.
    static CRect CheckBoxRect(const CRect& rectItem);
    // The check after a click or space on an item checked nCheck.
    int NextCheck(int nCheck) const;
    // A click at point on an item's box: changes its check and tells the parent.
    void ClickCheckBox(CPoint point);
    void NotifyCheckChange();
    void InvalidateItem(int nIndex);

    UINT m_nCheckStyle = BS_AUTOCHECKBOX;

    DECLARE_MESSAGE_MAP()
};
