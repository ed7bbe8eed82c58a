// Fennick's main window: the MDI frame with a toolbar and a status bar around the chart windows.
#pragma once

#include "framework/docview/ControlBars.h"
#include "framework/docview/MDIFrameWnd.h"

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // A main window of the default size opens over the screen's work area.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

protected:
    // The toolbar docked at the top and the status bar; -1 when either cannot be made.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
