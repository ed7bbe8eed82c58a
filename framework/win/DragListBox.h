// CDragListBox: a single-selection list box whose items the user drags to a new place. The common
// controls' drag list (MakeDragList) tracks the mouse and tells the parent; the parent hands the
// notification back to this object, whose virtuals decide: BeginDrag, Dragging, Dropped, CancelDrag.
// By default a dropped item moves, with its item data, in front of the item under the drop point;
// a drop on no item, on itself or just behind itself leaves the list as it was.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/Geometry.h"
#include "framework/win/Controls.h"

class CDragListBox : public CListBox
{
    DECLARE_DYNAMIC(CDragListBox)
public:
    CDragListBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The item at pt (screen coordinates), or -1; with bAutoScroll the list scrolls when pt lies
    // just above or below it.
    int ItemFromPt(CPoint pt, BOOL bAutoScroll = TRUE) const;

    // The drag starts at pt (screen coordinates); FALSE refuses it.
    virtual BOOL BeginDrag(CPoint pt);
    virtual void CancelDrag(CPoint pt);
    // The mouse moved while dragging; answers the cursor: DL_STOPCURSOR, DL_COPYCURSOR or DL_MOVECURSOR.
    virtual UINT Dragging(CPoint pt);
    // The item nSrcIndex was dropped at pt.
    virtual void Dropped(int nSrcIndex, CPoint pt);
    // Shows the insertion mark in front of nItem (-1: none).
    virtual void DrawInsert(int nItem);

    // The registered message the drag list sends to the list box's parent.
    static UINT PASCAL GetDragListMessage();

protected:
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nLast = -1;          // the item the insertion mark stands in front of
    int m_nDragSource = -1;    // the item being dragged
};
