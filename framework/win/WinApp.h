// CWinApp: the program's application object and its entry into the framework.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/Seams.h"

class CWnd;
class CException;

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object of the program; a NULL name takes the string AFX_IDS_APP_TITLE,
    // else the executable's name without extension.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;   // executable path with extension ".HLP"
    LPCTSTR m_pszProfileName = nullptr;    // INI file name (executable name + ".INI") or the registry key's app name
    LPCTSTR m_pszRegistryKey = nullptr;    // set by SetRegistryKey; NULL keeps the profile in the INI file
    HINSTANCE m_hInstance = nullptr;
    HINSTANCE m_hPrevInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    int m_nExitCode = 0;

    // ---- Start-up and the loop ----
    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Idle work between messages; TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A framework exception thrown by a message handler (reported, then the message returns this).
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    // The application's message boxes: text, type and help id, through the message-box seam.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    BOOL IsRunning() const { return m_bRunning; }

    // ---- Resources ----
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // ---- Profile: the registry under HKEY_CURRENT_USER\Software\<key>\<app> after SetRegistryKey,
    // else the INI file m_pszProfileName ----
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // The profile's registry keys, HKEY_CURRENT_USER\Software\<key>\<app> and a section under it,
    // for callers that enumerate or delete subkeys; the caller closes them. NULL in INI mode or when
    // the key cannot be opened; created when missing unless bCreate is false.
    HKEY GetAppRegistryKey(bool bCreate = true);
    HKEY GetSectionKey(LPCTSTR lpszSection, bool bCreate = true);

    // ---- Help ----
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    afx_msg void OnHelp();

    // ---- Dialog-based programs ----
    // Kept for programs written for older frameworks: 3-D controls are the system's now.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    void SetDialogBkColor(COLORREF = RGB(192, 192, 192), COLORREF = RGB(0, 0, 0)) {}

protected:
    // Called by the program's entry before InitInstance.
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    BOOL m_bRunning = FALSE;

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strProfileName;
    CString m_strRegistryKey;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding a resource: the resource handle when it has it, else the instance.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// A window class for framework windows: registered once per combination and named by it.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

// Registers a window class unless a class of that name exists already for its instance (then its
// registration stands). FALSE when the class could not be registered.
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// Framework texts: the program's string table first, then the framework's own (FrameworkIds.h).
BOOL AfxLoadString(UINT nID, CString& rString);
// The string nIDS with "%1" and "%2" replaced.
CString AfxFormatString2(UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
inline CString AfxFormatString1(UINT nIDS, LPCTSTR lpsz1) { return AfxFormatString2(nIDS, lpsz1, nullptr); }

// Returned by a handler's exception processing when no application object exists.
LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg);

// Kept for dialog-based programs written for the older framework: ActiveX control containment is not
// offered, and the call changes nothing.
class COccManager;
inline void AfxEnableControlContainer(COccManager* = nullptr) {}

// The program's entry (WinMain calls it): InitInstance, then Run unless it returned FALSE.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
