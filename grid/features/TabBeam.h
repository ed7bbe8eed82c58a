#pragma once
// The strip of sheet tabs along the bottom of a tab window: one tab per sheet, scroll buttons on
// the left, selection and renaming reported to the owner by window messages. A beam made by a
// dialog template (window class "CGXTabBeam") makes its own object and deletes it with the window.

#include "framework/core/CString.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

#include <vector>

// The beam's messages to its notification window (the parent when none is set).
enum : UINT
{
    GX_WM_TABCHANGED = 1925,     // posted: the current tab (wParam) has changed
    GX_WM_TABRENAME = 1926,      // posted: the user double-clicked the current tab (wParam)
    GX_WM_CANTABCHANGE = 1927,   // sent: may tab wParam become current? non-zero refuses
    GX_WM_CANCELTABEDIT = 1946   // sent to the parent: end a running rename without taking it
};

// One tab of the beam.
class CGXTabInfo : public CObject
{
    DECLARE_DYNAMIC(CGXTabInfo)

public:
    CGXTabInfo() = default;
    // Deletes the object when the tab owns it.
    ~CGXTabInfo() override;
    CGXTabInfo(const CGXTabInfo&) = delete;
    CGXTabInfo& operator=(const CGXTabInfo&) = delete;

    int nWidth = 60;
    CString sLabel;
    int bSelected = 0;
    CObject* pExtra = nullptr;
    int bDeleteExtra = 0;
    int nUserValue = 0;
    // The scroll bars of the tab's sheet while it is hidden; the position is kept in nTrackPos.
    SCROLLINFO siVert = {};
    SCROLLINFO siHorz = {};
    COLORREF clrOwnFill[2] = {0, 0};   // unselected, then selected or current
    CBrush brOwnFill[2];
    int bHot = 0;
    // Bit 0: unselected tabs use clrOwnFill[0]; bit 1: selected or current tabs use clrOwnFill[1].
    int nFlags = 0;
};

class CGXTabBeam : public CWnd
{
    DECLARE_DYNCREATE(CGXTabBeam)

public:
    CGXTabBeam();
    ~CGXTabBeam() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Tabs ----
    virtual void InsertTab(BOOL bBeforeCurrent, LPCTSTR pszLabel, CObject* pExtra = nullptr, BOOL bDeleteExtra = FALSE,
                           int nWidth = -1, int nUserValue = 0);
    virtual void DeleteTab(int nTab);
    virtual void FitTabWidth(int nTab);
    virtual int FindTab(const CObject* pExtra) const;
    CGXTabInfo& GetTabInfo(int nTab) { return *m_tabs[static_cast<size_t>(nTab)]; }
    int GetCount() const { return static_cast<int>(m_tabs.size()); }
    int GetCurSel() const { return m_nCurrent; }
    // Makes the tab current without asking the owner (the owner's own switch).
    void SetCurSel(int nTab);
    // Scrolls so that the tab is visible.
    void MakeTabVisible(int nTab);
    int GetFirstTab() const { return m_nFirstTab; }

    // ---- Geometry and hit tests ----
    virtual int GetTabPosition(int nTab) const;
    virtual int TabFromPosition(int x) const;
    virtual int GetLastVisibleTab() const;
    // The scroll-button code (0 to first, 1 back, 2 forward, 3 to last) at the point, or -1.
    virtual int HitTestScrollButton(int x, int y, int nExpected, BOOL bPerform);
    virtual void ScrollTabs(int nCode);
    virtual void SelectTabAt(int x, int y);
    // Repeats the held button's step until nEndMessage arrives (or the capture is lost).
    virtual void TrackScrollButton(UINT nEndMessage);

    // ---- Drawing ----
    virtual void DrawTab(CDC* pDC, int nTab);
    virtual void DrawScrollButtons(CDC* pDC, int nCode, BOOL bPressed);
    void CreateTabFonts();
    void DeleteTabFonts();
    CFont* GetNormalFont() { return m_pNormalFont; }
    CFont* GetBoldFont() { return m_pBoldFont; }

    int GetBeamHeight() const { return m_nHeight; }
    int GetButtonAreaWidth() const { return m_bShowButtons ? m_nButtonArea : 0; }
    void SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }

    // The window class "CGXTabBeam" for dialog templates; throws the resource exception when the
    // registration fails. Returns the class name.
    static LPCTSTR RegisterTabBeamClass(HINSTANCE hInstance);
    static void UnregisterTabBeamClass(HINSTANCE hInstance);
    static LRESULT CALLBACK TabBeamWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    void PostNcDestroy() override;

    // The slant: the width of a tab's sloped edge, also the gap after every tab.
    int m_nSlant = 7;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    afx_msg void OnSysColorChange();
    void OnSettingChange();

    CWnd* NotifyWnd() const;
    void TakeSysColors();
    int ClientWidth() const;
    void RedrawTabsAndButtons(CDC* pDC);

    std::vector<CGXTabInfo*> m_tabs;
    int m_nCurrent = -1;
    int m_nFirstTab = 0;
    int m_nButtonArea = 0;
    int m_nHeight = 0;
    int m_nButtonWidth = 0;
    BOOL m_bShowButtons = TRUE;
    int m_nButtons = 2;
    CWnd* m_pNotifyWnd = nullptr;
    CFont* m_pBoldFont = nullptr;
    CFont* m_pNormalFont = nullptr;
    BOOL m_abHotButton[4] = {FALSE, FALSE, FALSE, FALSE};
    // The held scroll button (-1 none).
    int m_nHeldButton = -1;
    BOOL m_bTrackingLeave = FALSE;
    COLORREF m_clrCurrentText = 0;
    COLORREF m_clrText = 0;
    COLORREF m_clrFill = 0;
    COLORREF m_clrSelectedFill = 0;
    COLORREF m_clrBackground = 0;
    CBrush m_brFill;
    CBrush m_brSelectedFill;
    CBrush m_brBackground;
    CBrush m_brFrame;
    CPen m_penShadow;

    DECLARE_MESSAGE_MAP()
};
