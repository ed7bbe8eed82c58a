#include "framework/win/WinApp.h"

#include <algorithm>
#include <set>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;

CString ModuleFileName()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

} // namespace

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName()
{
    return g_pApp != nullptr && g_pApp->m_pszAppName != nullptr ? g_pApp->m_pszAppName : "";
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr && g_pApp->m_hInstance != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource != nullptr ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceA(hResource, lpszName, lpszType) != nullptr)
        return hResource;
    return AfxGetInstanceHandle();
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Names live as long as the program (classes stay registered); never destroyed.
    static auto* names = new std::set<std::string>;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    char name[128];
    wsprintfA(name, "Afx:%p:%x:%p:%p:%p", (void*)hInstance, nClassStyle, (void*)hCursor, (void*)hbrBackground,
              (void*)hIcon);
    auto inserted = names->insert(name);
    LPCTSTR lpszName = inserted.first->c_str();

    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInstance, lpszName, &wndcls))
        return lpszName;
    wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;   // the creation hook puts AfxWndProc in front
    wndcls.hInstance = hInstance;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!::RegisterClassA(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr)
        return FALSE;
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

// ---- CWinApp ----

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    g_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);

    CString path = ModuleFileName();
    // The file name starts after the last separator of either kind.
    const int nFileStart = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
    CString exeName = path.Mid(nFileStart);
    const int nDot = exeName.ReverseFind('.');
    if (nDot >= 0)
        exeName = exeName.Left(nDot);
    m_strExeName = exeName;
    m_pszExeName = m_strExeName;

    if (lpszAppName != nullptr)
        m_strAppName = lpszAppName;
    else
    {
        char title[256];
        int nLength = ::LoadStringA(m_hInstance, AFX_IDS_APP_TITLE, title, sizeof title);
        m_strAppName = nLength > 0 ? CString(title, nLength) : m_strExeName;
    }
    m_pszAppName = m_strAppName;

    CString helpPath = path.Left(nFileStart) + (LPCTSTR)m_strExeName;
    helpPath += ".HLP";
    m_strHelpFilePath = helpPath;
    m_pszHelpFilePath = m_strHelpFilePath;
    m_strProfileName = m_strExeName + ".INI";
    m_pszProfileName = m_strProfileName;
}

CWinApp::~CWinApp()
{
    DeleteDocTemplates();
    if (m_hDevMode != nullptr)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != nullptr)
        ::GlobalFree(m_hDevNames);
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_bStdProfileLoaded)
        SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

void CWinApp::HideApplication()
{
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd == nullptr || pMainWnd->GetSafeHwnd() == nullptr)
        return;
    pMainWnd->ShowWindow(SW_HIDE);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrevious = ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514) /* IDC_WAIT */));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrevious;
    }
    else
    {
        // More ends than begins must not leave the count below zero.
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    // Without a main window the box belongs to whatever window of the program is active.
    HWND hWndOwner = CWnd::GetSafeOwner(nullptr)->GetSafeHwnd();
    if (hWndOwner == nullptr)
        hWndOwner = ::GetActiveWindow();
    return AfxShowMessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */),
                         lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    ::WinHelpA(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnHelp()
{
    // The window with the focus, or one of its parents, may know the help context (WM_COMMANDHELP).
    const UINT WM_COMMANDHELP = 0x0365;
    for (HWND hWnd = ::GetFocus(); hWnd != nullptr; hWnd = ::GetParent(hWnd))
        if (::SendMessageA(hWnd, WM_COMMANDHELP, 0, 0))
            return;
    WinHelp(0, HELP_FINDER);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;

    int nReturnCode = -1;
    try
    {
        if (pApp->InitApplication() && pApp->InitInstance())
        {
            nReturnCode = pApp->Run();
        }
        else
        {
            // InitInstance said no (or a dialog-based program is done): end without a loop.
            if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->GetSafeHwnd() != nullptr)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        }
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONSTOP, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    return nReturnCode;
}
