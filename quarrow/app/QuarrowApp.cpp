#include "quarrow/app/QuarrowApp.h"

#include <commctrl.h>

#include "framework/ole/OleInit.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/OutsideCalls.h"
#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "quarrow/app/QuarrowDlg.h"
#include "resources/quarrow/resource.h"

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg() : CDialog(IDD_SPLASH, nullptr)
{
}

BEGIN_MESSAGE_MAP(CQuarrowApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuarrowApp::CQuarrowApp() : CWinApp(nullptr)
{
}

CQuarrowApp::~CQuarrowApp() = default;

CQuarrowApp* QuarrowApp()
{
    return dynamic_cast<CQuarrowApp*>(AfxGetApp());
}

namespace {

CString HelpPath(LPCTSTR pszTopic)
{
    CString strPath;
    if (CQuarrowApp* pApp = QuarrowApp())
        strPath = pApp->m_strInstallDir;
    return strPath + "\\quarrow.chm::/" + pszTopic;
}

HWND ControlUnderPoint(HWND hParent, POINT point)
{
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        RECT rcChild;
        if (::IsWindowVisible(hChild) && ::GetDlgCtrlID(hChild) > 0 && ::GetWindowRect(hChild, &rcChild) &&
            ::PtInRect(&rcChild, point))
            return hChild;
    }
    return nullptr;
}

} // namespace

void QuarrowShowHelpTopic(HWND hWndCaller, LPCTSTR pszTopic)
{
    AfxHtmlHelp(hWndCaller, HelpPath(pszTopic), HH_DISPLAY_TOPIC, 0);
}

void QuarrowShowContextHelp(CWnd* pParent, CWnd* pWnd, CPoint point, const DWORD* pHelpIds)
{
    const HWND hParent = pParent->GetSafeHwnd();
    HWND hControl = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    if (hControl == hParent && !(point.x == -1 && point.y == -1))
    {
        if (HWND hUnder = ControlUnderPoint(hParent, point))
            hControl = hUnder;
    }
    if (hControl == nullptr || hControl == hParent || ::GetDlgCtrlID(hControl) <= 0)
        return;
    AfxHtmlHelp(hControl, HelpPath("quarrow.txt"), HH_TP_HELP_CONTEXTMENU, reinterpret_cast<DWORD_PTR>(pHelpIds));
}

BOOL CQuarrowApp::InitInstance()
{
    // The grid library first: its window classes must exist before any dialog holds a grid.
    GXStartLibrary(0x700, 0, 0);

    // Common controls for the property sheet and its tabs.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    // The plot commands reach a running Fennick through automation.
    AfxOleInit();

    m_piFennick.hProcess = nullptr;

    CQuarrowDlg dlg(nullptr);
    m_pMainWnd = &dlg;

    if (m_dlgSplash.Create(IDD_SPLASH, &dlg)) {
        m_dlgSplash.ShowWindow(SW_SHOW);
        m_dlgSplash.UpdateWindow();
        m_dlgSplash.SetTimer(1, 500, nullptr);
    }

    // The unsigned difference keeps the wait right when the tick count wraps.
    m_dwSplashStart = AfxGetTickCount();
    while (AfxGetTickCount() - m_dwSplashStart < SplashMilliseconds)
        ::Sleep(10);
    if (m_dlgSplash.GetSafeHwnd() != nullptr)
        m_dlgSplash.DestroyWindow();

    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
