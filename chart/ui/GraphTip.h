// The small window the chart view shows beside the pointer: a text of one or more lines on a pale yellow
// ground, placed so that it stays on the desktop, hidden after a delay or when the pointer moves over it.
#pragma once

#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

class CDC;

class QVGraphTip : public CWnd
{
    DECLARE_DYNAMIC(QVGraphTip)
public:
    // The tip hides itself on this timer.
    enum { hideTimerId = 2000 };

    QVGraphTip();
    ~QVGraphTip() override;

    // Shows the text (lines split at "\n") with its anchor at the screen point; the window is made on
    // first use, owned by the parent.
    virtual void Show(LPCTSTR lpszText, int x, int y, HWND hWndParent);
    void Show(LPCTSTR lpszText, int x, int y, CWnd* pParent);
    // printf rules; the text is cut at 1023 characters.
    void ShowFormatted(int x, int y, CWnd* pParent, LPCTSTR lpszFormat, ...);
    void ShowFormatted(int x, int y, HWND hWndParent, LPCTSTR lpszFormat, ...);
    void Hide();

    // Milliseconds until the tip hides itself; 0 or less keeps it up until it is hidden.
    void SetDelay(int nMilliseconds) { m_nDelay = nMilliseconds; }
    int GetDelay() const { return m_nDelay; }
    BOOL IsShown() const { return m_bShown; }
    const CString& GetText() const { return m_strText; }
    CPoint GetAnchor() const { return m_anchor; }

    // The size of the window for the text in the default GUI font.
    static CSize MeasureText(LPCTSTR lpszText);
    // Where a tip of that size opens for the anchor: right of and above the point, unless it would reach
    // the right edge of the desktop (then left of it) or leave the top (then below it).
    static CRect PlaceTip(CPoint anchor, CSize size, const CRect& desktop);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

    CBrush m_brush;
    int m_nDelay;
    CString m_strText;
    CPoint m_anchor;
    BOOL m_bCreated;
    BOOL m_bShown;

    DECLARE_MESSAGE_MAP()
};
