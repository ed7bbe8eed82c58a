// CWinApp: the program's application object and its entry into the framework.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "framework/core/CString.h"
#include "framework/core/Lists.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/Seams.h"
#include "framework/win/WinThread.h"

class CWnd;
class CDC;
class CException;
class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CRecentFileList;
class CPrintDialog;

class CWinApp : public CWinThread
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

    // ---- Start-up and the loop (CWinThread has the loop) ----
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    // Saves the recent-file list and the other standard settings.
    int ExitInstance() override;
    // A framework exception thrown by a message handler (reported, then the message returns this).
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    // The application's message boxes: text, type and help id, through the message-box seam.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Hides the main window (a main frame closed while the program must go on serving).
    void HideApplication();

    // ---- Documents (framework/docview) ----
    // The application owns its templates and deletes them with itself.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // Opens the file in the template that fits it best (an open document of that path is activated
    // instead); NULL when it cannot be opened.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Asks every template's documents to save their changes; FALSE when the user cancelled.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount() const;
    // The file dialog of Open and Save As with the templates' filters; FALSE on Cancel.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();

    // ---- Recent files: profile section "Recent File List", entries "File1".. ----
    // Loads the recent-file list (nMaxMRU entries; 0 keeps none) and the preview page count.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    CRecentFileList* m_pRecentFileList = nullptr;
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnOpenRecentFile(UINT nID);

    // ---- Command line ----
    // Reads m_lpCmdLine: flags ("-Embedding", "/Automation", ...) and a file name.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // A new document, a file to open, or nothing (automation starts); FALSE ends the program.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- Printer: the application's printer names and device mode (movable global blocks) ----
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    // Pages shown side by side in print preview (1 or 2), kept in the profile.
    UINT m_nNumPreviewPages = 0;
    // Fills the dialog structure's handles with the application's printer (the default printer
    // the first time); FALSE when there is no printer. The handles stay the application's.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // Runs a print or print setup dialog on the application's printer and keeps the choice.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // Replaces the application's printer (freeing the old blocks when bFreeOld).
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld = TRUE);
    // A device context of the application's printer; FALSE without one.
    BOOL CreatePrinterDC(CDC& dc);
    // Takes the default printer when none is chosen yet (or always with bForceDefaults).
    void UpdatePrinterSelection(BOOL bForceDefaults);
    afx_msg void OnFilePrintSetup();

    // ---- Wait cursor ----
    // nCode 1 begins, -1 ends, 0 restores the wait cursor (after a message box took it away).
    virtual void DoWaitCursor(int nCode);
    int m_nWaitCursorCount = 0;

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
    CPtrList m_templateList;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    BOOL m_bStdProfileLoaded = FALSE;   // LoadStdProfileSettings ran: ExitInstance saves them
    void DeleteDocTemplates();

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

// Shows the wait cursor for the life of the object.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows it again after something (a message box) changed the cursor.
    void Restore();
};

// Kept for dialog-based programs written for the older framework: ActiveX control containment is not
// offered, and the call changes nothing.
class COccManager;
inline void AfxEnableControlContainer(COccManager* = nullptr) {}

// The program's entry (WinMain calls it): InitInstance, then Run unless it returned FALSE.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
