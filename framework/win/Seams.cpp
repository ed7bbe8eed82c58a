// Default behaviour of the seams, the framework's message boxes and CException::ReportError.
#include "framework/win/Seams.h"

#include "framework/core/Exceptions.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

CMessageBoxSeam* g_pMessageBoxSeam = nullptr;
CModalHook* g_pModalHook = nullptr;
CTickClock* g_pTickClock = nullptr;

// While a real message box runs with a modal hook installed, this CBT hook tells the modal hook
// when the box is activated (it exists then and its own loop is running or about to).
HHOOK g_hMessageBoxHook = nullptr;
bool g_bMessageBoxReported = false;

LRESULT CALLBACK MessageBoxCbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && !g_bMessageBoxReported && g_pModalHook != nullptr)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
        {
            g_bMessageBoxReported = true;
            g_pModalHook->OnMessageBox(CWnd::FromHandle(hWnd));
        }
    }
    return ::CallNextHookEx(g_hMessageBoxHook, nCode, wParam, lParam);
}

} // namespace

CMessageBoxSeam* AfxSetMessageBoxSeam(CMessageBoxSeam* pSeam)
{
    CMessageBoxSeam* pPrevious = g_pMessageBoxSeam;
    g_pMessageBoxSeam = pSeam;
    return pPrevious;
}

CModalHook* AfxSetModalHook(CModalHook* pHook)
{
    CModalHook* pPrevious = g_pModalHook;
    g_pModalHook = pHook;
    return pPrevious;
}

CTickClock* AfxSetTickClock(CTickClock* pClock)
{
    CTickClock* pPrevious = g_pTickClock;
    g_pTickClock = pClock;
    return pPrevious;
}

int AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (g_pMessageBoxSeam != nullptr)
        return g_pMessageBoxSeam->Show(hWndOwner, lpszText, lpszCaption, nType);

    bool bHooked = false;
    HHOOK hPreviousHook = g_hMessageBoxHook;
    bool bPreviousReported = g_bMessageBoxReported;
    if (g_pModalHook != nullptr)
    {
        g_hMessageBoxHook = ::SetWindowsHookExA(WH_CBT, MessageBoxCbtHook, nullptr, ::GetCurrentThreadId());
        g_bMessageBoxReported = false;
        bHooked = g_hMessageBoxHook != nullptr;
    }
    int nResult = ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
    if (bHooked)
        ::UnhookWindowsHookEx(g_hMessageBoxHook);
    g_hMessageBoxHook = hPreviousHook;
    g_bMessageBoxReported = bPreviousReported;
    return nResult;
}

void AfxNotifyModalDialog(CWnd* pDialog)
{
    if (g_pModalHook != nullptr)
        g_pModalHook->OnModalDialog(pDialog);
}

BOOL AfxAnswerCommonDialog(CCommonDialog* pDialog, INT_PTR& nResult)
{
    return g_pModalHook != nullptr && g_pModalHook->OnCommonDialog(pDialog, nResult);
}

DWORD AfxGetTickCount()
{
    return g_pTickClock != nullptr ? g_pTickClock->GetTickCount() : ::GetTickCount();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowMessageBox(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(text, nType, nIDHelp);
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR message[512] = {};
    UINT nHelpContext = 0;
    if (GetErrorMessage(message, sizeof message, &nHelpContext))
        return AfxMessageBox(message, nType, nHelpContext);
    if (nMessageID == 0)
        nMessageID = AFX_IDP_NO_ERROR_AVAILABLE;
    return AfxMessageBox(nMessageID, nType, nHelpContext);
}
