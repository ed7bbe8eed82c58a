// Seams for the calls that reach outside the program: starting and asking after processes, the
// shell, and HTML Help. Each has the real Win32 call by default; a test installs its own
// (OutsideCallRecorders.h) and sees what was asked. Installing nullptr restores the default.
#pragma once

#include "framework/win/Seams.h"

#include <windows.h>
#include <htmlhelp.h>

// Process start and the queries on a started process.
class CProcessSeam
{
public:
    virtual ~CProcessSeam() = default;
    // CreateProcessA.
    virtual BOOL Start(LPCTSTR lpszApplicationName, LPTSTR lpszCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                       LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                       LPVOID lpEnvironment, LPCTSTR lpszCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                       LPPROCESS_INFORMATION lpProcessInformation) = 0;
    // OpenProcess.
    virtual HANDLE Open(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId) = 0;
    // CloseHandle of a process or thread handle given by Start or Open.
    virtual BOOL Close(HANDLE hObject) = 0;
    // WaitForSingleObject on a process handle.
    virtual DWORD Wait(HANDLE hProcess, DWORD dwMilliseconds) = 0;
    // GetExitCodeProcess (STILL_ACTIVE while it runs).
    virtual BOOL GetExitCode(HANDLE hProcess, LPDWORD lpExitCode) = 0;
};

// ShellExecuteA.
class CShellSeam
{
public:
    virtual ~CShellSeam() = default;
    // Above 32 on success, as ShellExecuteA answers.
    virtual HINSTANCE Execute(HWND hWnd, LPCTSTR lpszOperation, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                              LPCTSTR lpszDirectory, INT nShowCmd) = 0;
};

// HtmlHelpA of the HTML Help control.
class CHtmlHelpSeam
{
public:
    virtual ~CHtmlHelpSeam() = default;
    virtual HWND Invoke(HWND hWndCaller, LPCTSTR lpszFile, UINT uCommand, DWORD_PTR dwData) = 0;
};

// Install a seam; returns the one installed before (nullptr when the default was in use).
CProcessSeam* AfxSetProcessSeam(CProcessSeam* pSeam);
CShellSeam* AfxSetShellSeam(CShellSeam* pSeam);
CHtmlHelpSeam* AfxSetHtmlHelpSeam(CHtmlHelpSeam* pSeam);

using CScopedProcessSeam = CScopedSeam<CProcessSeam, AfxSetProcessSeam>;
using CScopedShellSeam = CScopedSeam<CShellSeam, AfxSetShellSeam>;
using CScopedHtmlHelpSeam = CScopedSeam<CHtmlHelpSeam, AfxSetHtmlHelpSeam>;

// The seams as the framework and the programs call them, with the Win32 functions' arguments.
BOOL AfxCreateProcess(LPCTSTR lpszApplicationName, LPTSTR lpszCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                      LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                      LPVOID lpEnvironment, LPCTSTR lpszCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                      LPPROCESS_INFORMATION lpProcessInformation);
HANDLE AfxOpenProcess(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId);
BOOL AfxCloseProcessHandle(HANDLE hObject);
DWORD AfxWaitForProcess(HANDLE hProcess, DWORD dwMilliseconds);
BOOL AfxGetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// TRUE while the process of the handle has not ended (it does not wait).
BOOL AfxIsProcessRunning(HANDLE hProcess);

HINSTANCE AfxShellExecute(HWND hWnd, LPCTSTR lpszOperation, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                          LPCTSTR lpszDirectory, INT nShowCmd);

// hhctrl.ocx is loaded on the first call; without it nothing is shown and the answer is NULL.
HWND AfxHtmlHelp(HWND hWndCaller, LPCTSTR lpszFile, UINT uCommand, DWORD_PTR dwData);
