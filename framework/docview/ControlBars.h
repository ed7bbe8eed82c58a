// Control bars of a frame: the toolbar and the status bar, over the system's common controls.
//
// Bars stay where they are made, at the top or the bottom of their frame; the frame lays them out
// (WM_SIZEPARENT) before giving the rest to its pane. Docking calls are accepted and keep a bar on
// its side; nothing floats. At idle time a bar asks its frame's command routing whether each of its
// commands is enabled (as menu items are).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Wnd.h"

class CFrameWnd;

// Bar styles: the low word and one bit of the high word of the style given to a bar's creation.
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_FLYBY          0x0020L   // the status bar shows a button's prompt while the mouse is on it
#define CBRS_TOOLTIPS       0x0010L   // buttons show the tip part of their command's string
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// The sides a bar docks to (DockControlBar).
#define AFX_IDW_DOCKBAR_TOP     0xE81B
#define AFX_IDW_DOCKBAR_LEFT    0xE81C
#define AFX_IDW_DOCKBAR_RIGHT   0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM  0xE81E

// Status bar pane styles.
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000   // the text is hidden (an indicator whose key is off)
#define SBPS_STRETCH    0x08000000   // takes the width the other panes leave

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
    // The sides the bar may dock to; kept, since bars do not move.
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }
    DWORD m_dwDockStyle = 0;
    BOOL IsVisible() const { return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0; }
    CFrameWnd* GetDockingFrame() const { return GetParentFrame(); }

    // The bar's size: as wide as the frame when stretched, as high as its content.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Enables and checks the bar's items from the target's update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    DWORD m_dwStyle = 0;   // CBRS_ styles

    DECLARE_MESSAGE_MAP()
};

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    // dwCtrlStyle: the toolbar control's own styles (TBSTYLE_FLAT); dwStyle: window and bar styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of the toolbar resource nIDResource (type 241: WORD version 1, image width and
    // height, item count, then the items' command ids, 0 for a separator) with the images of the
    // bitmap of the same id. FALSE when either is missing or the resource is malformed.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg BOOL OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    HBITMAP m_hbmImageWell = nullptr;   // the button images, owned
    CSize m_sizeButton;
    CSize m_sizeImage;

    DECLARE_MESSAGE_MAP()
};

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR is the message pane (stretched), any other id shows its string
    // (59137-59139: "CAP", "NUM", "SCRL") while its update handler enables it.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return (int)m_panes.size(); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // The pane's text, also while it is disabled (and shows none).
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The message pane is the bar's window text.
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

protected:
    struct Pane
    {
        UINT nID = 0;
        UINT nStyle = SBPS_NORMAL;
        int cxText = 0;
        CString strText;
    };
    std::vector<Pane> m_panes;

    // The parts' right edges (the stretched pane takes what is left) and their texts.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int TextWidth(LPCTSTR lpszText) const;

    DECLARE_MESSAGE_MAP()
};
