#include "fennick/MainFrm.h"

#include "framework/win/FrameworkIds.h"
#include "resources/fennick/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
// The message pane, then the Caps Lock, Num Lock and Scroll Lock indicators.
const UINT Indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The system's default main window is three quarters of the screen, and its chart windows two
    // thirds of that: on a 1024 x 768 screen too low for a chart's title, plot, axis title and legend.
    // Over the whole work area the chart windows get the room, and still cascade inside it.
    RECT work;
    if (cs.cx == CW_USEDEFAULT && ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left &&
        work.bottom > work.top)
    {
        cs.x = work.left;
        cs.y = work.top;
        cs.cx = work.right - work.left;
        cs.cy = work.bottom - work.top;
    }
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(Indicators, sizeof Indicators / sizeof Indicators[0]))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}
