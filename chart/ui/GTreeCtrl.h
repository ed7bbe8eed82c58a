// The component tree of the chart edit dialog: it remembers where the pointer was last seen (screen
// coordinates) and which item the last left or right button press hit, for the dialog's pop-up menus.
#pragma once

#include "framework/win/TreeCtrl.h"

class QVGTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(QVGTreeCtrl)
public:
    QVGTreeCtrl() = default;

    CPoint GetCursorPoint() const { return m_ptCursor; }
    // NULL when the last press hit no item.
    HTREEITEM GetHitItem() const { return m_hHitItem; }

protected:
    // Each records first, then lets the control handle the message as usual.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);

    CPoint m_ptCursor{0, 0};
    HTREEITEM m_hHitItem = nullptr;

    DECLARE_MESSAGE_MAP()
};
