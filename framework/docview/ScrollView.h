// CScrollView: a view larger than its window, scrolled with the window's own scroll bars.
//
// Sizes are given in the logical units of a mapping mode; the scroll positions are device units.
// OnPrepareDC moves the viewport origin by the scroll position on the screen (not on paper, where
// every page starts at the document's origin).
#pragma once

#include "framework/core/Geometry.h"
#include "framework/docview/View.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    // A page or line size of (0, 0): a tenth of the total, a tenth of the page.
    static const SIZE sizeDefault;

    CScrollView();

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    int GetMapMode() const { return m_nMapMode; }
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    // The top-left corner shown, in logical units and in device units.
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    // Scrolls so that the logical point is the top-left corner (as far as the total allows).
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    // nScrollCode: MAKEWORD(horizontal code, vertical code), 0xFF for a direction not scrolled.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Moves by a device distance, clamped to the scroll range; FALSE when nothing moved.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

protected:
    int m_nMapMode = 0;
    CSize m_totalLog;   // the whole view in logical units
    CSize m_totalDev;   // and in device units
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;

    // Ranges, pages and shown bars for the client area's size now.
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);

    DECLARE_MESSAGE_MAP()
};
