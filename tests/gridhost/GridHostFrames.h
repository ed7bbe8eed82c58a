// The host's frames: the main frame (with a status bar whose window text is its message pane) that
// runs the command table, a plain child frame, and a child frame split into two grid panes, one
// above the other.
#pragma once

#include "framework/docview/ControlBars.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/docview/SplitterWnd.h"

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
