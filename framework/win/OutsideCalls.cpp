// The real calls behind the outside-call seams.
#include "framework/win/OutsideCalls.h"

#include <utility>

#include <shellapi.h>

namespace {

CProcessSeam* g_pProcessSeam = nullptr;
CShellSeam* g_pShellSeam = nullptr;
CHtmlHelpSeam* g_pHtmlHelpSeam = nullptr;

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// HtmlHelpA from hhctrl.ocx, looked up once; NULL when the control is not installed.
HtmlHelpFunction GetHtmlHelpFunction()
{
    static const HtmlHelpFunction s_pfnHtmlHelp = []() -> HtmlHelpFunction {
        HMODULE hControl = ::LoadLibraryA("hhctrl.ocx");
        if (hControl == nullptr)
            return nullptr;
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(::GetProcAddress(hControl, "HtmlHelpA")));
    }();
    return s_pfnHtmlHelp;
}

} // namespace

CProcessSeam* AfxSetProcessSeam(CProcessSeam* pSeam)
{
    return std::exchange(g_pProcessSeam, pSeam);
}

CShellSeam* AfxSetShellSeam(CShellSeam* pSeam)
{
    return std::exchange(g_pShellSeam, pSeam);
}

CHtmlHelpSeam* AfxSetHtmlHelpSeam(CHtmlHelpSeam* pSeam)
{
    return std::exchange(g_pHtmlHelpSeam, pSeam);
}

BOOL AfxCreateProcess(LPCTSTR lpszApplicationName, LPTSTR lpszCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                      LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                      LPVOID lpEnvironment, LPCTSTR lpszCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                      LPPROCESS_INFORMATION lpProcessInformation)
{
    if (g_pProcessSeam != nullptr)
        return g_pProcessSeam->Start(lpszApplicationName, lpszCommandLine, lpProcessAttributes, lpThreadAttributes,
                                     bInheritHandles, dwCreationFlags, lpEnvironment, lpszCurrentDirectory,
                                     lpStartupInfo, lpProcessInformation);
    return ::CreateProcessA(lpszApplicationName, lpszCommandLine, lpProcessAttributes, lpThreadAttributes,
                            bInheritHandles, dwCreationFlags, lpEnvironment, lpszCurrentDirectory, lpStartupInfo,
                            lpProcessInformation);
}

HANDLE AfxOpenProcess(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId)
{
    if (g_pProcessSeam != nullptr)
        return g_pProcessSeam->Open(dwDesiredAccess, bInheritHandle, dwProcessId);
    return ::OpenProcess(dwDesiredAccess, bInheritHandle, dwProcessId);
}

BOOL AfxCloseProcessHandle(HANDLE hObject)
{
    if (g_pProcessSeam != nullptr)
        return g_pProcessSeam->Close(hObject);
    return ::CloseHandle(hObject);
}

DWORD AfxWaitForProcess(HANDLE hProcess, DWORD dwMilliseconds)
{
    if (g_pProcessSeam != nullptr)
        return g_pProcessSeam->Wait(hProcess, dwMilliseconds);
    return ::WaitForSingleObject(hProcess, dwMilliseconds);
}

BOOL AfxGetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    if (g_pProcessSeam != nullptr)
        return g_pProcessSeam->GetExitCode(hProcess, lpExitCode);
    return ::GetExitCodeProcess(hProcess, lpExitCode);
}

BOOL AfxIsProcessRunning(HANDLE hProcess)
{
    // The handle is signalled once the process has ended; an exit code of STILL_ACTIVE (259)
    // would not tell a running process from one that returned 259.
    return hProcess != nullptr && AfxWaitForProcess(hProcess, 0) == WAIT_TIMEOUT;
}

HINSTANCE AfxShellExecute(HWND hWnd, LPCTSTR lpszOperation, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                          LPCTSTR lpszDirectory, INT nShowCmd)
{
    if (g_pShellSeam != nullptr)
        return g_pShellSeam->Execute(hWnd, lpszOperation, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
    return ::ShellExecuteA(hWnd, lpszOperation, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
}

HWND AfxHtmlHelp(HWND hWndCaller, LPCTSTR lpszFile, UINT uCommand, DWORD_PTR dwData)
{
    if (g_pHtmlHelpSeam != nullptr)
        return g_pHtmlHelpSeam->Invoke(hWndCaller, lpszFile, uCommand, dwData);
    const HtmlHelpFunction pfnHtmlHelp = GetHtmlHelpFunction();
    if (pfnHtmlHelp == nullptr)
        return nullptr;
    return pfnHtmlHelp(hWndCaller, lpszFile, uCommand, dwData);
}
