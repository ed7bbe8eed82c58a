#pragma once

#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"

// The splash picture shown while Quarrow starts.
class CSplashDlg : public CDialog
{
public:
    CSplashDlg();

protected:
    DECLARE_MESSAGE_MAP()
};

// Quarrow's application object: shows the splash, runs the main dialog modally and ends.
// It keeps, for the whole run, the installation directory and the Fennick process.
class CQuarrowApp : public CWinApp
{
public:
    // How long the splash stays up, on the tick count.
    static constexpr DWORD SplashMilliseconds = 2500;

    CQuarrowApp();
    ~CQuarrowApp() override;

    // Always FALSE: the program ends when the main dialog closes.
    BOOL InitInstance() override;

    DWORD m_dwSplashStart = 0;
    CSplashDlg m_dlgSplash;
    PROCESS_INFORMATION m_piFennick{};  // hProcess null: no Fennick started yet
    CString m_strInstallDir;            // read from the registry by the main dialog

protected:
    DECLARE_MESSAGE_MAP()
};

// The application object while Quarrow runs (null in programs that have another one).
CQuarrowApp* QuarrowApp();

// Help from quarrow.chm in the installation directory.

// Opens pszTopic ("roadwaygeometry.htm") of the help file.
void QuarrowShowHelpTopic(HWND hWndCaller, LPCTSTR pszTopic);
// The context-help popup, from the help file's "quarrow.txt", of the control that a right click
// on pWnd at point (screen coordinates; -1, -1 from the keyboard) names. Static texts, group boxes
// and disabled buttons let the mouse through, so a click arriving on pParent itself names the
// visible child with an id under the point. Nothing opens for pParent or a control without an id.
// pHelpIds holds control id and help context id pairs ended by a pair of zeros.
void QuarrowShowContextHelp(CWnd* pParent, CWnd* pWnd, CPoint point, const DWORD* pHelpIds);
