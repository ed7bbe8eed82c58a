// The automation server side across processes: the test server (tests/framework/programs) is
// started as a program of its own, registers its class under its ProgID in HKEY_CLASSES_ROOT, and
// serves a client that connects with COleDispatchDriver by that ProgID.
#include "tests/framework/programs/AutomationTestServer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/ole/DispatchDriver.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleInit.h"

namespace {

const CLSID CLSID_TestServer = {AUTOMATION_TEST_SERVER_CLSID};
const DWORD kStartTimeoutMs = 30000;
const DWORD kExitTimeoutMs = 20000;

std::string ServerPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/") + 1);
    return folder.append(AUTOMATION_TEST_SERVER_EXE);
}

std::string ClassesRootValue(const std::string& subKey)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, subKey.c_str(), value, &size) != ERROR_SUCCESS)
        return "(missing)";
    return value;
}

// Waits, dispatching this thread's messages, until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    return true;
}

SCODE OleErrorOf(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (COleException* e)
    {
        const SCODE sc = e->m_sc;
        e->Delete();
        return sc;
    }
    return S_OK;
}

class AutomationServer : public ::testing::Test
{
protected:
    PROCESS_INFORMATION m_server = {};
    HWND m_hServerWindow = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        // A registration left by an earlier run must not start a server of its own.
        AfxOleUnregisterClass(CLSID_TestServer, AUTOMATION_TEST_SERVER_PROGID);
        std::string commandLine = ServerPath();
        commandLine.insert(commandLine.begin(), '"');
        commandLine.push_back('"');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &m_server))
            << "cannot start " << commandLine;
        // The main window shows once the class is registered.
        ASSERT_TRUE(WaitFor(
            [this] {
                m_hServerWindow = ::FindWindowA(nullptr, AUTOMATION_TEST_SERVER_TITLE);
                return m_hServerWindow != nullptr && ::IsWindowVisible(m_hServerWindow);
            },
            kStartTimeoutMs))
            << "the server did not start";
    }

    void TearDown() override
    {
        if (m_server.hProcess != nullptr)
        {
            if (!ServerHasEnded())
            {
                ::PostMessageA(m_hServerWindow, WM_CLOSE, 0, 0);
                if (!WaitFor([this] { return ServerHasEnded(); }, kExitTimeoutMs))
                    ::TerminateProcess(m_server.hProcess, 1);
            }
            ::CloseHandle(m_server.hThread);
            ::CloseHandle(m_server.hProcess);
        }
        AfxOleUnregisterClass(CLSID_TestServer, AUTOMATION_TEST_SERVER_PROGID);
    }

    bool ServerHasEnded() { return ::WaitForSingleObject(m_server.hProcess, 0) == WAIT_OBJECT_0; }

    long LiveObjects(COleDispatchDriver& driver)
    {
        long nLive = -1;
        driver.GetProperty(DISPID_TEST_LIVEOBJECTS, VT_I4, &nLive);
        return nLive;
    }
};

TEST_F(AutomationServer, RegistersItsClassUnderItsProgIDInClassesRoot)
{
    LPOLESTR lpszClsid = nullptr;
    ASSERT_EQ(::StringFromCLSID(CLSID_TestServer, &lpszClsid), S_OK);
    const std::string clsid(static_cast<LPCTSTR>(CString(lpszClsid)));
    ::CoTaskMemFree(lpszClsid);

    const std::string classKey = std::string("CLSID\\").append(clsid);
    EXPECT_EQ(ClassesRootValue(AUTOMATION_TEST_SERVER_PROGID "\\CLSID"), clsid);
    EXPECT_EQ(ClassesRootValue(std::string(classKey).append("\\ProgID")), AUTOMATION_TEST_SERVER_PROGID);
    const std::string server = ClassesRootValue(std::string(classKey).append("\\LocalServer32"));
    EXPECT_NE(server.find(AUTOMATION_TEST_SERVER_EXE), std::string::npos) << server;
    CLSID found = CLSID_NULL;
    EXPECT_EQ(::CLSIDFromProgID(L"" AUTOMATION_TEST_SERVER_PROGID, &found), S_OK);
    EXPECT_TRUE(::IsEqualCLSID(found, CLSID_TestServer));
}

TEST_F(AutomationServer, ClientPutsAFloatAtDispatchIdOneAndReadsItBack)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 2.5f);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 2.5f);
}

TEST_F(AutomationServer, TextThatIsNoNumberIsATypeMismatch)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 1.5f);
    EXPECT_EQ(OleErrorOf([&] { driver.SetProperty(DISPID_TEST_VALUE, VT_BSTR, "abc"); }), DISP_E_TYPEMISMATCH);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 1.5f);
}

TEST_F(AutomationServer, EachConnectionHasItsObjectAndTheReleaseDeletesIt)
{
    COleDispatchDriver first;
    ASSERT_TRUE(first.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
    EXPECT_EQ(LiveObjects(first), 1);
    {
        COleDispatchDriver second;
        ASSERT_TRUE(second.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
        second.SetProperty(DISPID_TEST_VALUE, VT_R4, 9.0f);
        EXPECT_EQ(LiveObjects(second), 2);
    }
    EXPECT_EQ(LiveObjects(first), 1);
    float fValue = -1.0f;
    first.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 0.0f);   // the second connection's put went to its own object
}

TEST_F(AutomationServer, ServerClosedDuringAConnectionHidesAndEndsAfterTheRelease)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
    ::PostMessageA(m_hServerWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([this] { return !::IsWindowVisible(m_hServerWindow); }, kExitTimeoutMs));
    EXPECT_FALSE(ServerHasEnded());
    // Still serving its client.
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 3.0f);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 3.0f);

    driver.ReleaseDispatch();
    ASSERT_TRUE(WaitFor([this] { return ServerHasEnded(); }, kExitTimeoutMs)) << "the server did not end";
    DWORD dwExitCode = 1;
    ::GetExitCodeProcess(m_server.hProcess, &dwExitCode);
    EXPECT_EQ(dwExitCode, 0u);
}

TEST_F(AutomationServer, ServerTheUserStartedGoesOnAfterTheLastRelease)
{
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
        driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 1.0f);
    }
    EXPECT_FALSE(WaitFor([this] { return ServerHasEnded(); }, 1000));
    EXPECT_TRUE(::IsWindowVisible(m_hServerWindow));
}

TEST_F(AutomationServer, CallsArriveWhileTheServerRunsAModalLoop)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_SERVER_PROGID));
    BOOL bInModalLoop = TRUE;
    driver.GetProperty(DISPID_TEST_MODALLOOP, VT_BOOL, &bInModalLoop);
    EXPECT_FALSE(bInModalLoop);

    driver.SetProperty(DISPID_TEST_MODALLOOP, VT_BOOL, TRUE);
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 4.5f);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    driver.GetProperty(DISPID_TEST_MODALLOOP, VT_BOOL, &bInModalLoop);
    EXPECT_EQ(fValue, 4.5f);
    EXPECT_TRUE(bInModalLoop);

    driver.SetProperty(DISPID_TEST_MODALLOOP, VT_BOOL, FALSE);
    driver.GetProperty(DISPID_TEST_MODALLOOP, VT_BOOL, &bInModalLoop);
    EXPECT_FALSE(bInModalLoop);
}

} // namespace
