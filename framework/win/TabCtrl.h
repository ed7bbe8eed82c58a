// CTabCtrl: the common tab control (the one a property sheet shows its pages with).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/win/Wnd.h"

class CTabCtrl : public CWnd
{
public:
    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0); }
    int SetCurSel(int nItem) { return (int)::SendMessageA(m_hWnd, TCM_SETCURSEL, (WPARAM)nItem, 0); }
    int GetCurFocus() const { return (int)::SendMessageA(m_hWnd, TCM_GETCURFOCUS, 0, 0); }
    void SetCurFocus(int nItem) { ::SendMessageA(m_hWnd, TCM_SETCURFOCUS, (WPARAM)nItem, 0); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
    {
        return (BOOL)::SendMessageA(m_hWnd, TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
    }
    int GetRowCount() const { return (int)::SendMessageA(m_hWnd, TCM_GETROWCOUNT, 0, 0); }
    // The display rectangle for a window rectangle (bLarger FALSE) or the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessageA(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const
    {
        return (int)::SendMessageA(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo);
    }
};
