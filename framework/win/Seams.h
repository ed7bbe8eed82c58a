// Seams between the framework and the desktop that tests replace: message boxes, modal loops, the
// tick-count clock and the beep. Each has the real behaviour by default; installing nullptr restores it.
#pragma once

#include <windows.h>

#include "framework/core/Geometry.h"

#include <functional>

class CWnd;
class CCommonDialog;
class CMenu;

// Every message box of the framework and the programs goes through this.
class CMessageBoxSeam
{
public:
    virtual ~CMessageBoxSeam() = default;
    // hWndOwner may be NULL. Returns the button chosen (IDOK, IDYES, ...).
    virtual int Show(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) = 0;
};

// Told when a modal loop starts, so that a test can drive the window and end it.
class CModalHook
{
public:
    virtual ~CModalHook() = default;
    // A modal dialog's window exists, is initialised and shown; its loop runs after this returns.
    // pWnd is the dialog object itself.
    virtual void OnModalDialog(CWnd* pDialog) = 0;
    // A real message box is on screen (called from inside its loop). pBox is a temporary wrapper.
    virtual void OnMessageBox(CWnd* pBox) { (void)pBox; }
    // A common dialog (file, print, page setup, colour, font) is about to run, or a print dialog
    // is asked for the default printer (PD_RETURNDEFAULT in its m_pd.Flags). To answer it without a
    // window, fill the dialog's structure (m_ofn, m_pd, m_cc, m_cf, ...), set nResult (IDOK,
    // IDCANCEL) and return TRUE. FALSE runs the real dialog; OnModalDialog is then told when its
    // window shows, with the dialog object naming that window.
    virtual BOOL OnCommonDialog(CCommonDialog* pDialog, INT_PTR& nResult)
    {
        (void)pDialog;
        (void)nResult;
        return FALSE;
    }
    // A pop-up menu is about to be tracked (CMenu::TrackPopupMenu) for pWnd at the screen point. To
    // answer it without showing it, set nResult to what TrackPopupMenu returns (the chosen command
    // with TPM_RETURNCMD; a chosen command without it is posted to pWnd by the hook itself) and
    // return TRUE. FALSE shows the real menu.
    virtual BOOL OnPopupMenu(CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pWnd, BOOL& nResult)
    {
        (void)pMenu;
        (void)nFlags;
        (void)point;
        (void)pWnd;
        (void)nResult;
        return FALSE;
    }
};

// The clock that waits on the tick count read.
class CTickClock
{
public:
    virtual ~CTickClock() = default;
    virtual DWORD GetTickCount() = 0;
};

// The system beep that refused input makes (MessageBeep).
class CBeepSeam
{
public:
    virtual ~CBeepSeam() = default;
    virtual BOOL MessageBeep(UINT uType) = 0;
};

// Install a seam; returns the one installed before (nullptr when the default was in use).
CMessageBoxSeam* AfxSetMessageBoxSeam(CMessageBoxSeam* pSeam);
CModalHook* AfxSetModalHook(CModalHook* pHook);
CTickClock* AfxSetTickClock(CTickClock* pClock);
CBeepSeam* AfxSetBeepSeam(CBeepSeam* pSeam);

// The seams as the framework calls them.
int AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
void AfxNotifyModalDialog(CWnd* pDialog);
BOOL AfxAnswerCommonDialog(CCommonDialog* pDialog, INT_PTR& nResult);
BOOL AfxAnswerPopupMenu(CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pWnd, BOOL& nResult);
DWORD AfxGetTickCount();
BOOL AfxMessageBeep(UINT uType);

// Runs a system modal window (message box, common dialog) through runDialog and passes the first
// window of the system's dialog class ("#32770") activated meanwhile on this thread to onActivated:
// the window exists then and its own loop is running or about to. Nested runs keep the outer watch.
INT_PTR AfxRunWatchingDialogActivation(const std::function<INT_PTR()>& runDialog,
                                       const std::function<void(HWND)>& onActivated);

// The framework's message boxes. The caption is the application's name; the owner is the active
// window of the program, or its main window.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Installs a seam for the lifetime of a scope (tests).
template <class Seam, Seam* (*Install)(Seam*)>
class CScopedSeam
{
public:
    explicit CScopedSeam(Seam* pSeam) : m_pPrevious(Install(pSeam)) {}
    ~CScopedSeam() { Install(m_pPrevious); }
    CScopedSeam(const CScopedSeam&) = delete;
    CScopedSeam& operator=(const CScopedSeam&) = delete;
private:
    Seam* m_pPrevious;
};
using CScopedMessageBoxSeam = CScopedSeam<CMessageBoxSeam, AfxSetMessageBoxSeam>;
using CScopedModalHook = CScopedSeam<CModalHook, AfxSetModalHook>;
using CScopedTickClock = CScopedSeam<CTickClock, AfxSetTickClock>;
using CScopedBeepSeam = CScopedSeam<CBeepSeam, AfxSetBeepSeam>;
