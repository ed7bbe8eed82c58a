// The outside-call seams: a real process started and watched through the default, and the
// recorders that stand in for processes, the shell and HTML Help.
#include "framework/win/OutsideCallRecorders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A cmd.exe that runs until its input ends, then exits with 3.
class ProcessWaitingForInput
{
public:
    ProcessWaitingForInput()
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE hRead = nullptr;
        if (!CreatePipe(&hRead, &m_hInput, &inherit, 0))
            return;
        SetHandleInformation(m_hInput, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = hRead;
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        char commandLine[] = "cmd.exe /c \"set /p line= & exit 3\"";
        started = AfxCreateProcess(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                   &startup, &info);
        CloseHandle(hRead);
    }
    ~ProcessWaitingForInput()
    {
        EndInput();
        if (started)
        {
            AfxWaitForProcess(info.hProcess, 10000);
            AfxCloseProcessHandle(info.hThread);
            AfxCloseProcessHandle(info.hProcess);
        }
    }
    void EndInput()
    {
        if (m_hInput != nullptr)
            CloseHandle(m_hInput);
        m_hInput = nullptr;
    }

    BOOL started = FALSE;
    PROCESS_INFORMATION info = {};

private:
    HANDLE m_hInput = nullptr;
};

TEST(ProcessSeam, RealProcessRunsUntilItEnds)
{
    ProcessWaitingForInput process;
    ASSERT_TRUE(process.started);
    EXPECT_NE(process.info.dwProcessId, 0u);
    EXPECT_TRUE(AfxIsProcessRunning(process.info.hProcess));
    DWORD dwExitCode = 0;
    EXPECT_TRUE(AfxGetExitCodeProcess(process.info.hProcess, &dwExitCode));
    EXPECT_EQ(dwExitCode, STILL_ACTIVE);

    HANDLE hOpened = AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, process.info.dwProcessId);
    EXPECT_NE(hOpened, nullptr);
    EXPECT_TRUE(AfxCloseProcessHandle(hOpened));

    process.EndInput();
    EXPECT_EQ(AfxWaitForProcess(process.info.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(AfxIsProcessRunning(process.info.hProcess));
    EXPECT_TRUE(AfxGetExitCodeProcess(process.info.hProcess, &dwExitCode));
    EXPECT_EQ(dwExitCode, 3u);

    // The process is gone, yet its id still opens while this handle holds it: opening by id does
    // not tell whether a started program still runs.
    hOpened = AfxOpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process.info.dwProcessId);
    EXPECT_NE(hOpened, nullptr);
    if (hOpened != nullptr)
        AfxCloseProcessHandle(hOpened);
}

TEST(ProcessSeam, RealStartOfAMissingProgramFailsWithItsError)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    EXPECT_FALSE(AfxCreateProcess("C:\\no such folder\\fennick.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info));
    const DWORD dwError = GetLastError();
    EXPECT_TRUE(dwError == ERROR_PATH_NOT_FOUND || dwError == ERROR_FILE_NOT_FOUND) << dwError;
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_FALSE(AfxIsProcessRunning(nullptr));
}

TEST(ProcessSeam, RecorderStartsPretendProcessesThatRunUntilEnded)
{
    CRecordingProcessSeam recorder;
    CScopedProcessSeam seam(&recorder);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(AfxCreateProcess("C:\\Quarrow\\fennick.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &info));
    ASSERT_EQ(recorder.starts.size(), 1u);
    EXPECT_EQ(recorder.starts[0].applicationName, "C:\\Quarrow\\fennick.exe");
    EXPECT_FALSE(recorder.starts[0].hasCommandLine);
    EXPECT_EQ(recorder.starts[0].cbStartupInfo, sizeof startup);
    EXPECT_NE(info.hProcess, nullptr);
    EXPECT_NE(info.hThread, nullptr);
    EXPECT_TRUE(AfxIsProcessRunning(info.hProcess));

    HANDLE hOpened = AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, info.dwProcessId);
    EXPECT_NE(hOpened, nullptr);
    EXPECT_TRUE(AfxCloseProcessHandle(hOpened));
    ASSERT_EQ(recorder.opens.size(), 1u);
    EXPECT_EQ(recorder.opens[0].dwDesiredAccess, static_cast<DWORD>(PROCESS_ALL_ACCESS));
    EXPECT_EQ(recorder.opens[0].dwProcessId, info.dwProcessId);
    ASSERT_EQ(recorder.closed.size(), 1u);
    EXPECT_EQ(recorder.closed[0], hOpened);

    recorder.End(info.dwProcessId, 5);
    EXPECT_FALSE(AfxIsProcessRunning(info.hProcess));
    DWORD dwExitCode = 0;
    EXPECT_TRUE(AfxGetExitCodeProcess(info.hProcess, &dwExitCode));
    EXPECT_EQ(dwExitCode, 5u);
    // Ended, but the start's handle still holds the process: it can be opened, as on Windows.
    EXPECT_NE(AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, info.dwProcessId), nullptr);
    AfxCloseProcessHandle(info.hProcess);
    EXPECT_EQ(AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, info.dwProcessId), nullptr);
}

TEST(ProcessSeam, RecorderRefusesStartsWhenTold)
{
    CRecordingProcessSeam recorder;
    recorder.startSucceeds = FALSE;
    CScopedProcessSeam seam(&recorder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    char commandLine[] = "fennick.exe /plot";
    EXPECT_FALSE(AfxCreateProcess(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(info.hProcess, nullptr);
    ASSERT_EQ(recorder.starts.size(), 1u);
    EXPECT_EQ(recorder.starts[0].commandLine, "fennick.exe /plot");
    EXPECT_TRUE(recorder.processes.empty());
}

TEST(ProcessSeam, ScopedSeamRestoresThePreviousOne)
{
    CRecordingProcessSeam outer;
    CScopedProcessSeam outerSeam(&outer);
    {
        CRecordingProcessSeam inner;
        CScopedProcessSeam innerSeam(&inner);
        AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, 1);
        EXPECT_EQ(inner.opens.size(), 1u);
    }
    AfxOpenProcess(PROCESS_ALL_ACCESS, FALSE, 1);
    EXPECT_EQ(outer.opens.size(), 1u);
}

TEST(ShellSeam, RecordsVerbFileAndShowCommand)
{
    CRecordingShell shell;
    CScopedShellSeam seam(&shell);
    HINSTANCE hResult = AfxShellExecute(nullptr, "print", "C:\\Quarrow\\summary.htm", nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<INT_PTR>(hResult), 32);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].hWnd, nullptr);
    EXPECT_EQ(shell.calls[0].operation, "print");
    EXPECT_EQ(shell.calls[0].file, "C:\\Quarrow\\summary.htm");
    EXPECT_EQ(shell.calls[0].parameters, "");
    EXPECT_EQ(shell.calls[0].directory, "");
    EXPECT_EQ(shell.calls[0].nShowCmd, SW_SHOWNORMAL);
}

TEST(HtmlHelpSeam, RecordsFileAndTopic)
{
    CRecordingHtmlHelp help;
    CScopedHtmlHelpSeam seam(&help);
    AfxHtmlHelp(nullptr, "C:\\Quarrow\\quarrow.chm::/introduction.html", HH_DISPLAY_TOPIC, 0);
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].hWndCaller, nullptr);
    EXPECT_EQ(help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/introduction.html");
    EXPECT_EQ(help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_TRUE(help.calls[0].idPairs.empty());
}

TEST(HtmlHelpSeam, ContextMenuTableIsCopiedUpToItsEnd)
{
    CRecordingHtmlHelp help;
    CScopedHtmlHelpSeam seam(&help);
    static const DWORD table[] = {1004, 1106, 1005, 1106, 1147, 1200, 0, 0, 999, 999};
    HWND hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    AfxHtmlHelp(hWnd, "C:\\Quarrow\\quarrow.chm::/quarrow.txt", HH_TP_HELP_CONTEXTMENU,
                reinterpret_cast<DWORD_PTR>(table));
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].hWndCaller, hWnd);
    EXPECT_EQ(help.calls[0].uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(help.calls[0].idPairs, (std::vector<DWORD>{1004, 1106, 1005, 1106, 1147, 1200}));
}

TEST(HtmlHelpSeam, RealHelpOfAMissingFileShowsNothing)
{
    EXPECT_EQ(AfxHtmlHelp(nullptr, "C:\\no such folder\\quarrow.chm::/introduction.html", HH_DISPLAY_TOPIC, 0),
              nullptr);
}

} // namespace
