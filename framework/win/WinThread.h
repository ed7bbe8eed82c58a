// CWinThread: a user-interface thread's object: its main window, its message loop and its idle work.
// The program's one thread is the application object (CWinApp derives from it).
#pragma once

#include <windows.h>

#include "framework/win/CmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    DWORD m_nThreadID = 0;   // the thread that made the object
    int m_nExitCode = 0;     // WM_QUIT's code once Run has ended

    virtual BOOL InitInstance();
    // The message loop: idle work while the queue is empty, then one message; ends on WM_QUIT.
    virtual int Run();
    virtual int ExitInstance();
    // Idle work between messages; TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Waits for one message, pre-translates and dispatches it; FALSE on WM_QUIT (which is posted
    // again, so that outer loops end too).
    virtual BOOL PumpMessage();
    // Messages after which idle work starts again (not timers, paints or the idle kick itself).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    BOOL IsRunning() const { return m_bRunning; }

protected:
    BOOL m_bRunning = FALSE;
};

// The thread object of the calling thread: the last one made on it, else the application.
CWinThread* AfxGetThread();
