// The host's frames: the main frame (with a status bar whose window text is its message pane) that
// runs the command table, a plain child frame, a child frame split into two grid panes, one
// above the other, and a child frame of a tab window whose sheets are grids of their own.
#pragma once

#include "framework/docview/ControlBars.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/docview/SplitterWnd.h"
#include "grid/core/GridWnd.h"
#include "grid/features/TabWnd.h"

class CGridHostMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CGridHostMainFrame)

public:
    CStatusBar m_wndStatusBar;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    // The commands of the host's table.
    afx_msg void OnHostCommand(UINT nID);
    afx_msg void OnUpdateHostCommand(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

class CGridHostChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CGridHostChildFrame)
};

class CGridHostSplitFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CGridHostSplitFrame)

public:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    CSplitterWnd m_wndSplitter;
};

class CGridHostTabFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CGridHostTabFrame)

public:
    static const int nSheets = 3;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    CGXTabWnd m_wndTabs;
    CGXGridWnd m_sheets[nSheets];
};
