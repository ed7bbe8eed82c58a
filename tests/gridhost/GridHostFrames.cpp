#include "tests/gridhost/GridHostFrames.h"

#include "framework/win/FrameworkIds.h"
#include "tests/gridhost/GridHostCommands.h"
#include "tests/gridhost/GridHostResources.h"

IMPLEMENT_DYNCREATE(CGridHostMainFrame, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CGridHostChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CGridHostSplitFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CGridHostTabFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CGridHostMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_GRIDHOST_FIRST, ID_GRIDHOST_LAST, OnHostCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_GRIDHOST_FIRST, ID_GRIDHOST_LAST, OnUpdateHostCommand)
    // Edit Find and Replace are lines of the table too.
    ON_COMMAND_RANGE(ID_EDIT_FIND, ID_EDIT_FIND, OnHostCommand)
    ON_COMMAND_RANGE(ID_EDIT_REPLACE, ID_EDIT_REPLACE, OnHostCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateHostCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateHostCommand)
    // So are Edit Clear, Copy, Cut and Paste.
    ON_COMMAND_RANGE(ID_EDIT_CLEAR, ID_EDIT_PASTE, OnHostCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_CLEAR, ID_EDIT_PASTE, OnUpdateHostCommand)
END_MESSAGE_MAP()

int CGridHostMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1))
        return -1;
    return 0;
}

void CGridHostMainFrame::OnHostCommand(UINT nID)
{
    GridHostRunCommand(nID);
}

void CGridHostMainFrame::OnUpdateHostCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GridHostCanRunCommand(pCmdUI->m_nID));
}

BOOL CGridHostSplitFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 1))
        return FALSE;
    const CSize size(100, 100);
    return m_wndSplitter.CreateView(0, 0, pContext->m_pNewViewClass, size, pContext) &&
           m_wndSplitter.CreateView(1, 0, pContext->m_pNewViewClass, size, pContext);
}

// Sheets "Sheet1" to "Sheet3", each a grid of 20 rows and 6 columns.
BOOL CGridHostTabFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    if (!m_wndTabs.Create(this, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, AFX_IDW_PANE_FIRST))
        return FALSE;
    for (int i = 0; i < nSheets; ++i)
    {
        CGXGridWnd& sheet = m_sheets[i];
        if (!sheet.CreateEx(0, "GXWND", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_wndTabs.m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST + i)), nullptr))
            return FALSE;
        CString label;
        label.Format("Sheet%d", i + 1);
        m_wndTabs.AttachSheet(&sheet, label);
        sheet.Initialize();
        sheet.SetRowCount(20);
        sheet.SetColCount(6);
    }
    return TRUE;
}
