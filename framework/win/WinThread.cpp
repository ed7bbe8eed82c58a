#include "framework/win/WinThread.h"

#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_pThread = nullptr;

} // namespace

CWinThread* AfxGetThread()
{
    return t_pThread != nullptr ? t_pThread : AfxGetApp();
}

CWinThread::CWinThread() : m_nThreadID(::GetCurrentThreadId())
{
    t_pThread = this;
}

CWinThread::~CWinThread()
{
    if (t_pThread == this)
        t_pThread = nullptr;
}

BOOL CWinThread::InitInstance()
{
    return TRUE;
}

int CWinThread::Run()
{
    m_bRunning = TRUE;
    AfxEnterMessageLoop();
    LONG lIdleCount = 0;
    for (;;)
    {
        MSG peek = {};
        while (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(lIdleCount++))
        {
        }
        if (!PumpMessage())
            break;
        if (IsIdleMessage(&peek))
            lIdleCount = 0;
    }
    AfxLeaveMessageLoop();
    m_bRunning = FALSE;
    MSG quit;
    // PumpMessage posted WM_QUIT again for outer loops; this is the outermost.
    if (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        m_nExitCode = (int)quit.wParam;
    return ExitInstance();
}

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && pMainWnd->IsWindowVisible())
        {
            pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
        }
        return TRUE;
    }
    AfxIdleCleanup();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // A message of a window outside the main window's family still passes the main window
    // (its accelerators, for example).
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && pMsg->hwnd != nullptr)
    {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    return AfxPumpMessage();
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return pMsg->message != WM_TIMER && pMsg->message != WM_PAINT && pMsg->message != WM_NULL &&
           pMsg->message != WM_KICKIDLE;
}
