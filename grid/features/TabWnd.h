#pragma once
// A window of sheets shown one at a time, like the sheets of a workbook: the tab beam at the bottom
// left, the shared horizontal scroll bar at the bottom right with a divider between them that the
// user drags, an optional vertical scroll bar on the right. The tab window switches sheets on the
// beam's messages (a sheet may refuse), keeps each hidden sheet's scroll state, passes its scroll
// bars' messages to the current sheet and renames tabs with a pop-up edit.

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/features/TabBeam.h"

// The tab window's messages to its sheets and from the rename pop-up.
enum : UINT
{
    GX_WM_SHEETADDED = 1935,       // wParam: the sheet's tab index
    GX_WM_SHEETCANRENAME = 1936,   // may tab wParam get a new name? non-zero: yes
    GX_WM_SHEETRENAMED = 1937,     // tab wParam has a new name
    GX_WM_SHEETACTIVATE = 1938,    // wParam 0 leaving, 1 entering; non-zero refuses
    GX_WM_TABEDITOK = 1945,        // the pop-up's Enter: take the edited name
    GX_WM_SHEETRESIZING = 1995     // wParam 1 before, 0 after a resize of the sheet
};

// The edit that lies over a tab while its name is edited.
class CGXEditLabelPopup : public CEdit
{
    DECLARE_DYNAMIC(CGXEditLabelPopup)

public:
    enum
    {
        IDC_EDITLABEL = 23001
    };
    CGXEditLabelPopup(const RECT& rect, CWnd* pParentWnd, UINT nID = IDC_EDITLABEL);

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};

class CGXTabWnd : public CWnd
{
    DECLARE_DYNCREATE(CGXTabWnd)

public:
    explicit CGXTabWnd(CRuntimeClass* pBeamClass = RUNTIME_CLASS(CGXTabBeam));
    ~CGXTabWnd() override;

    // Makes the window (unless it exists) and its children; WS_HSCROLL and WS_VSCROLL in the style
    // ask for the shared scroll bars.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                        UINT nID = AFX_IDW_PANE_FIRST);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Adds the window as a sheet with a tab labelled pszLabel.
    virtual CWnd* AttachSheet(CWnd* pSheetWnd, LPCTSTR pszLabel);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void GetSheetRect(LPRECT lpRect);
    virtual BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
    virtual void SwitchToSheet(CWnd* pSheetWnd);
    virtual void SaveSheetScrollState(CWnd* pSheetWnd);
    virtual void RestoreSheetScrollState(CWnd* pSheetWnd);
    virtual BOOL CanShowSizeGrip();
    void SetTabName(int nTab, LPCTSTR pszText);

    CGXTabBeam& GetBeam() { return *m_pBeam; }
    CWnd* GetActivePane() const { return m_pCurrentSheet; }
    CGXEditLabelPopup* GetRenamePopup() const { return m_pRenamePopup; }
    int GetBeamWidth() const { return m_nBeamWidth; }
    int GetDividerWidth() const { return m_nDividerWidth; }
    int GetStripHeight() const { return m_nStripHeight; }

    // The window class "CGXTabWnd" for dialog templates; throws the resource exception when the
    // registration fails. Returns the class name.
    static LPCTSTR RegisterTabWndClass(HINSTANCE hInstance);
    static void UnregisterTabWndClass(HINSTANCE hInstance);
    static LRESULT CALLBACK TabWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

    // Draws the outer frame even without WS_EX_CLIENTEDGE.
    BOOL m_bFrameAlways = FALSE;

protected:
    LRESULT OnCanTabChange(WPARAM wParam);
    LRESULT OnTabChanged(WPARAM wParam);
    LRESULT OnTabRename(WPARAM wParam);
    LRESULT OnEditLabelOk();
    LRESULT OnEditLabelCancel();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnSysColorChange();
    void OnSettingChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Passes a scroll bar's message to the current sheet.
    void ForwardScroll(UINT nMessage, WPARAM wParam, LPARAM lParam);

    // Asks the current sheet to be left and the new one to be entered; TRUE when both agree.
    BOOL MaySwitchTo(CWnd* pSheetWnd);
    BOOL IsOnDivider(CPoint point) const;
    void MoveDivider(int x);
    void TakeMetrics();

    BOOL m_bHorzScrollBar = TRUE;
    BOOL m_bVertScrollBar = TRUE;
    CGXTabBeam* m_pBeam = nullptr;
    CWnd* m_pCurrentSheet = nullptr;
    int m_nBeamWidth = 0;
    int m_nClientWidth = 0;
    int m_nDividerWidth = 6;
    int m_nScrollBarHeight = 0;
    int m_nStripHeight = 0;
    BOOL m_bDragging = FALSE;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bChildrenMade = FALSE;
    CGXEditLabelPopup* m_pRenamePopup = nullptr;
    CBrush m_brBackground;
    CRuntimeClass* m_pBeamClass;
    // The shared scroll bars and the size box; grids that are sheets find them by their ids.
    CScrollBar m_wndHorzBar;
    CScrollBar m_wndVertBar;
    CScrollBar m_wndSizeBox;
    // The divider's position in hundredths of a pixel (0: none yet).
    int m_nDividerPos = 0;

    DECLARE_MESSAGE_MAP()
};

// The tab window that is the sheet's parent (none while it or an ancestor is minimized, unless
// bAnyState).
CGXTabWnd* GXGetParentTabWnd(const CWnd* pSheetWnd, BOOL bAnyState = FALSE);

// The application-wide access of sheets to their own tab names.
class CGXTabWndInterfaceImp : public CGXTabWndInterface
{
public:
    void SetTabName(CWnd* pSheetWnd, LPCTSTR pszName, BOOL bRedraw) override;
    BOOL GetTabName(CWnd* pSheetWnd, CString& name) override;
    // The label of tab nTab of the sheet's tab window; FALSE when there is none.
    BOOL GetTabNameAt(CWnd* pSheetWnd, int nTab, CString& name);
};
