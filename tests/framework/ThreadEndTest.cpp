// A thread's end: the framework's per-thread data (handle maps, OLE state) is deleted without
// touching memory the runtime has already freed. Under the heap's free checking a write there shows
// as a damaged heap, so the check runs in a program of its own started with that checking on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kProgram[] = "thread_end_program.exe";
const char kImageOptions[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\";

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder.append(kProgram);
}

// The heap flags of one program: tail and free checking (FLG_HEAP_ENABLE_TAIL_CHECK and
// FLG_HEAP_ENABLE_FREE_CHECK), which fill freed blocks and let HeapValidate find writes to them.
class HeapCheckingFor
{
public:
    explicit HeapCheckingFor(const char* pszProgram) : m_key(std::string(kImageOptions) + pszProgram)
    {
        const DWORD flags = 0x10 | 0x20;
        HKEY hKey = nullptr;
        if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                              nullptr) == ERROR_SUCCESS)
        {
            m_bSet = ::RegSetValueExA(hKey, "GlobalFlag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags),
                                      sizeof flags) == ERROR_SUCCESS;
            ::RegCloseKey(hKey);
        }
    }
    ~HeapCheckingFor() { ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_key.c_str()); }
    bool IsSet() const { return m_bSet; }

private:
    std::string m_key;
    bool m_bSet = false;
};

DWORD RunToEnd(const std::string& path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + path + "\"";
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return ~0u;
    DWORD exitCode = ~0u;
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    else
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace

TEST(ThreadEnd, AThreadThatUsedHandleMapsAndOleEndsWithoutWritingFreedMemory)
{
    HeapCheckingFor checking(kProgram);
    ASSERT_TRUE(checking.IsSet());
    EXPECT_EQ(0u, RunToEnd(ProgramPath())) << "2: the heap was damaged at the thread's end";
}
