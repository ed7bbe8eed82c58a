#include "grid/features/LongOperationImp.h"

#include "framework/core/CString.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace
{
CGXLongOperationState& State()
{
    return GXGetLongOperationState();
}

// The level's slot in the text table; -1 beyond the table (such a level shows nothing).
int LevelSlot(int nLevel)
{
    return nLevel >= 1 && nLevel <= CGXLongOperationState::maxLevels ? nLevel - 1 : -1;
}

void FreeLevelText(int nSlot)
{
    CGXLongOperationState& state = State();
    if (nSlot < 0)
        return;
    if (state.abLevelTextOwned[nSlot])
        delete[] state.apszLevelText[nSlot];
    state.apszLevelText[nSlot] = nullptr;
    state.abLevelTextOwned[nSlot] = FALSE;
}

// The library's texts, taken once they are loaded.
void TakeLibraryTexts()
{
    CGXLongOperationState& state = State();
    const CGXAppData* pAppData = GXGetAppData();
    if (state.strDefaultText.IsEmpty())
        state.strDefaultText = pAppData->m_strProcessing;
    if (state.strDoneText.IsEmpty())
        state.strDoneText = pAppData->m_strDone;
    if (state.strAbortHint.IsEmpty())
        state.strAbortHint = pAppData->m_strPressEsc;
    if (state.strAbortQuestion.IsEmpty())
        state.strAbortQuestion = pAppData->m_strAbortQuestion;
}

void Append(CString& text, LPCTSTR pszMore)
{
    text += pszMore != nullptr ? pszMore : "";
}

BOOL IsInputMessage(UINT nMessage)
{
    return (nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST) || (nMessage >= 0x200 && nMessage <= 0x209) ||
           (nMessage >= 0xA0 && nMessage <= 0xA9) || nMessage == WM_COMMAND;
}

void ShowWaitCursor(BOOL bShow)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(bShow ? 1 : -1);
    else if (bShow)
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}
} // namespace

void CGXLongOperationImp::Start(CGXLongOperation* pOperation)
{
    CGXLongOperationState& state = State();
    ++state.nLevel;
    const int nSlot = LevelSlot(state.nLevel);
    if (state.nLevel == 1)
    {
        TakeLibraryTexts();
        state.nIgnoreLevel = -1;
        state.nPercentDone = -1;
        state.bShown = FALSE;
        state.bAbortRequested = FALSE;
        state.bCanAbort = TRUE;
        state.bCanRollback = FALSE;
        // Every operation's turning sign starts from its first position.
        state.nSpinnerPhase = 0;
        FreeLevelText(nSlot);
        state.apszLevelText[nSlot] = state.strDefaultText;
        if (state.hWndFrame == nullptr || !::IsWindow(state.hWndFrame))
        {
            CWnd* pMainWnd = AfxGetMainWnd();
            state.hWndFrame = pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && pMainWnd->IsFrameWnd()
                                  ? pMainWnd->GetSafeHwnd()
                                  : nullptr;
        }
    }
    else if (nSlot >= 0)
    {
        FreeLevelText(nSlot);
        state.apszLevelText[nSlot] = state.apszLevelText[nSlot - 1];
    }
    state.bAborted = FALSE;
    state.bRollbackRequested = FALSE;
    pOperation->m_pszStatusText = nSlot >= 0 ? state.apszLevelText[nSlot] : nullptr;
    pOperation->m_dwStartTick = AfxGetTickCount();
    pOperation->m_dwLastUpdateTick = pOperation->m_dwStartTick;
    pOperation->m_bRestoreStatus = TRUE;
    pOperation->m_bShowStatus = TRUE;
}

void CGXLongOperationImp::Finish(CGXLongOperation* pOperation)
{
    CGXLongOperationState& state = State();
    FreeLevelText(LevelSlot(state.nLevel));
    pOperation->m_pszStatusText = nullptr;
    if (state.nLevel > 0)
        --state.nLevel;
    if (state.nLevel != 0)
        return;
    if (state.bShown)
    {
        state.bShown = FALSE;
        ShowWaitCursor(FALSE);
        if (pOperation->m_bRestoreStatus && state.hWndFrame != nullptr && ::IsWindow(state.hWndFrame))
            ::SendMessageA(state.hWndFrame, WM_SETMESSAGESTRING, 0,
                           reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(state.strDoneText)));
    }
    // Closing a window while an operation still worked on it would pull it away beneath the
    // operation; the request is honoured now that the work is done.
    if (state.hWndCloseDeferred != nullptr)
    {
        const HWND hWnd = state.hWndCloseDeferred;
        state.hWndCloseDeferred = nullptr;
        if (::IsWindow(hWnd))
            ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    }
}

void CGXLongOperationImp::FreeStatusText(CGXLongOperation* pOperation)
{
    CGXLongOperationState& state = State();
    const int nSlot = LevelSlot(state.nLevel);
    if (nSlot < 0 || !state.abLevelTextOwned[nSlot])
        return;
    FreeLevelText(nSlot);
    // The level shows the text it started with again.
    state.apszLevelText[nSlot] = nSlot > 0 ? state.apszLevelText[nSlot - 1] : static_cast<LPCTSTR>(state.strDefaultText);
    pOperation->m_pszStatusText = state.apszLevelText[nSlot];
}

void CGXLongOperationImp::SetStatusText(CGXLongOperation* pOperation, LPCTSTR pszText, BOOL bCopy)
{
    CGXLongOperationState& state = State();
    const int nSlot = LevelSlot(state.nLevel);
    if (nSlot < 0)
        return;
    FreeLevelText(nSlot);
    if (CGXLongOperation::IsLevelIgnored())
        return;
    LPCTSTR pszStored = pszText;
    if (bCopy && pszText != nullptr)
    {
        const size_t nLength = std::strlen(pszText);
        char* pszCopy = new (std::nothrow) char[nLength + 1];
        if (pszCopy == nullptr)
            return;
        std::memcpy(pszCopy, pszText, nLength + 1);
        pszStored = pszCopy;
        state.abLevelTextOwned[nSlot] = TRUE;
    }
    state.apszLevelText[nSlot] = pszStored;
    pOperation->m_pszStatusText = pszStored;
}

BOOL CGXLongOperationImp::IsDue(const CGXLongOperation* pOperation)
{
    const CGXLongOperationState& state = State();
    const DWORD dwNow = AfxGetTickCount();
    if (!state.bShown)
        return dwNow - pOperation->m_dwStartTick >= state.nWaitTime;
    return dwNow - pOperation->m_dwLastUpdateTick >= state.nUpdateInterval;
}

void CGXLongOperationImp::ShowStatus(const CGXLongOperation* pOperation, BOOL bCheckAbort)
{
    CGXLongOperationState& state = State();
    if (!pOperation->m_bShowStatus || CGXLongOperation::IsLevelIgnored() || LevelSlot(state.nLevel) < 0 ||
        state.hWndFrame == nullptr || !::IsWindow(state.hWndFrame))
        return;
    static const char* const spinner[] = {"  -", "  \\", "  |", "  /"};
    CString text = pOperation->m_pszStatusText != nullptr ? pOperation->m_pszStatusText : "";
    const BOOL bPercent = state.nPercentDone >= 0;
    if (bPercent)
    {
        char szPercent[16];
        std::snprintf(szPercent, sizeof szPercent, " %3d%%. ", state.nPercentDone);
        Append(text, szPercent);
    }
    if (bCheckAbort && state.bCanAbort)
    {
        Append(text, "   ");
        Append(text, state.strAbortHint);
    }
    if (!bPercent)
    {
        Append(text, spinner[state.nSpinnerPhase]);
        state.nSpinnerPhase = (state.nSpinnerPhase + 1) % 4;
    }
    // The status buffer holds 127 characters and the end of the text.
    std::snprintf(state.szStatus, sizeof state.szStatus, "%s", static_cast<LPCTSTR>(text));
    ::SendMessageA(state.hWndFrame, WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(state.szStatus));
}

BOOL CGXLongOperationImp::DoMessages(CGXLongOperation* pOperation)
{
    if (!IsDue(pOperation))
        return FALSE;
    ShowStatus(pOperation, FALSE);
    ProcessMessages();
    pOperation->m_dwLastUpdateTick = AfxGetTickCount();
    return TRUE;
}

BOOL CGXLongOperationImp::DoMessagesCheckAbort(CGXLongOperation* pOperation, BOOL& bAbort)
{
    bAbort = FALSE;
    if (!IsDue(pOperation))
        return FALSE;
    ShowStatus(pOperation, TRUE);
    ProcessMessages();
    pOperation->m_dwLastUpdateTick = AfxGetTickCount();

    CGXLongOperationState& state = State();
    if (state.bCanAbort && state.bAbortRequested && !state.bAborted)
    {
        if (!state.bConfirmAbort)
        {
            state.bAborted = TRUE;
            state.bRollbackRequested = state.bCanRollback;
        }
        else if (state.bCanRollback)
        {
            switch (AfxMessageBox(state.strAbortQuestion, MB_ABORTRETRYIGNORE))
            {
            case IDABORT:
                state.bAborted = TRUE;
                break;
            case IDRETRY:
                state.bAborted = TRUE;
                state.bRollbackRequested = TRUE;
                break;
            default:
                break;
            }
        }
        else if (AfxMessageBox(state.strAbortQuestion, MB_YESNO) == IDYES)
            state.bAborted = TRUE;
        state.bAbortRequested = FALSE;
    }
    bAbort = state.bAborted;
    return TRUE;
}

void CGXLongOperationImp::ProcessMessages()
{
    CGXLongOperationState& state = State();
    if (!state.bShown)
    {
        ShowWaitCursor(TRUE);
        state.bShown = TRUE;
    }
    // A nested loop: the idle cleanup of temporary window objects waits for the outermost loop,
    // since the operation's callers may hold such objects.
    AfxEnterMessageLoop();
    // A window that keeps asking for paint without ever validating could hold the loop for good.
    const int nMaxMessages = 10000;
    MSG msg;
    for (int n = 0; n < nMaxMessages && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); ++n)
    {
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL))
            state.bAbortRequested = TRUE;
        if (IsInputMessage(msg.message))
        {
            ::PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            continue;
        }
        if (msg.message == WM_CLOSE)
        {
            ::PeekMessageA(&msg, msg.hwnd, WM_CLOSE, WM_CLOSE, PM_REMOVE);
            state.hWndCloseDeferred = msg.hwnd;
            continue;
        }
        if (!AfxPumpMessage())
            break;
    }
    if (CWinApp* pApp = AfxGetApp())
    {
        LONG lIdleCount = 0;
        while (pApp->OnIdle(lIdleCount++))
        {
        }
    }
    AfxLeaveMessageLoop();
}

void InstallLongOperationImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pLongOperationImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    CGXLongOperationImp* pImp = new (std::nothrow) CGXLongOperationImp;
    if (pImp == nullptr)
        return;
    pAppData->m_pLongOperationImp = pImp;
    pAppData->AddOwnedObject(pImp);
}
