#pragma once
// Long operations: a grid operation that may take long keeps a CGXLongOperation on its stack for its
// duration. After a short wait the application-wide long-operation component shows the wait cursor
// and a status text with the percentage done (or a turning sign) in the main frame's status bar,
// processes pending messages so that the program stays responsive, and lets the user abort with Esc
// or Ctrl+Break. Long operations nest; the outermost one owns the display. Without the component the
// front end only counts the nesting and every display and abort operation answers 0.

#include "framework/core/CString.h"

#include <windows.h>

class CGXLongOperation;

// The process-wide state of the long operations (one record; the user-interface thread only).
struct CGXLongOperationState
{
    // Levels beyond the table are counted but show nothing.
    static const int maxLevels = 64;
    // The composed status text is cut to fit.
    static const int statusBufferSize = 128;

    DWORD nWaitTime = 750;
    DWORD nUpdateInterval = 1500;
    BOOL bConfirmAbort = TRUE;
    // Empty until the first outermost operation takes them from the library's texts.
    CString strDefaultText;
    CString strDoneText;
    CString strAbortHint;
    CString strAbortQuestion;
    // -1: no percentage; otherwise 0..100.
    int nPercentDone = -1;
    int nLevel = 0;
    // Levels deeper than this plus one show nothing; -1: none.
    int nIgnoreLevel = -1;
    BOOL bShown = FALSE;
    BOOL bAbortRequested = FALSE;
    BOOL bAborted = FALSE;
    BOOL bRollbackRequested = FALSE;
    BOOL bCanAbort = TRUE;
    BOOL bCanRollback = FALSE;
    // The status text of nesting levels 1..maxLevels; owned entries are private copies.
    LPCTSTR apszLevelText[maxLevels] = {};
    BOOL abLevelTextOwned[maxLevels] = {};
    char szStatus[statusBufferSize] = {};
    int nSpinnerPhase = 0;
    // The main frame that receives the status texts.
    HWND hWndFrame = nullptr;
    // A window that was asked to close while an operation processed messages: it is asked again
    // when the outermost operation ends.
    HWND hWndCloseDeferred = nullptr;
};

CGXLongOperationState& GXGetLongOperationState();

// The component behind the front end (application-wide; CGXAppData holds it).
class CGXAbstractLongOperationImp
{
public:
    virtual ~CGXAbstractLongOperationImp() = default;
    virtual void Start(CGXLongOperation* pOperation) = 0;
    virtual void Finish(CGXLongOperation* pOperation) = 0;
    virtual void FreeStatusText(CGXLongOperation* pOperation) = 0;
    virtual void SetStatusText(CGXLongOperation* pOperation, LPCTSTR pszText, BOOL bCopy) = 0;
    virtual BOOL DoMessagesCheckAbort(CGXLongOperation* pOperation, BOOL& bAbort) = 0;
    virtual BOOL DoMessages(CGXLongOperation* pOperation) = 0;
    virtual void ProcessMessages() = 0;
};

class CGXLongOperation
{
public:
    // Starts a level.
    CGXLongOperation();
    // Ends the level.
    ~CGXLongOperation();
    CGXLongOperation(const CGXLongOperation&) = delete;
    CGXLongOperation& operator=(const CGXLongOperation&) = delete;

    void FreeStatusText();
    // The text shown for this level; with bCopy a private copy is kept.
    void SetStatusText(LPCTSTR pszText, BOOL bCopy = TRUE);
    void SetStatusTextById(UINT nID);
    // Once the wait (or the update interval) has passed: shows the status, processes pending
    // messages and answers TRUE.
    BOOL DoMessages();
    // The same, and asks the user whether to abort after Esc or Ctrl+Break; bAbort tells whether
    // the operation was aborted.
    BOOL DoMessagesCheckAbort(BOOL& bAbort);
    void PumpMessages();

    // The time since the last update exceeds the wait (nothing shown yet) or the update interval.
    BOOL IsTimeElapsed() const;
    // Unless the current level is ignored; values above 99 are stored as 100.
    static void SetPercentDone(int nPercent);
    static BOOL IsLevelIgnored();
    // TRUE silences every level below the current one; FALSE speaks again. Nothing while the current
    // level is itself ignored.
    static void IgnoreNestedLevels(BOOL bIgnore = TRUE);
    // Whether the running operation accepts an abort and can roll its work back; each returns the
    // previous setting.
    static BOOL SetCanAbort(BOOL bCanAbort);
    static BOOL SetCanRollback(BOOL bCanRollback);
    // After an abort: whether the user asked for the work done to be rolled back.
    static BOOL GetRollbackConfirmedState();
    static BOOL GetAbortState();
    static int GetNestingLevel();

    // Used by the component.
    DWORD m_dwStartTick = 0;
    DWORD m_dwLastUpdateTick = 0;
    LPCTSTR m_pszStatusText = nullptr;
    BOOL m_bRestoreStatus = TRUE;
    BOOL m_bShowStatus = TRUE;
};
