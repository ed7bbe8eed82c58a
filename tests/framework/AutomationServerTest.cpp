// The automation server side across processes: the test server (tests/framework/programs), a
// document/view program with a template server, is started as a program of its own, registers its
// classes under their ProgIDs in HKEY_CLASSES_ROOT, and serves clients that connect with
// COleDispatchDriver by ProgID.
#include "tests/framework/programs/AutomationTestServer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "framework/ole/DispatchDriver.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleInit.h"
#include "tests/tools/ProgramProcess.h"

namespace {

const CLSID CLSID_TestDocument = {AUTOMATION_TEST_DOCUMENT_CLSID};
const CLSID CLSID_TestObject = {AUTOMATION_TEST_OBJECT_CLSID};
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

void Unregister()
{
    AfxOleUnregisterClass(CLSID_TestDocument, AUTOMATION_TEST_DOCUMENT_PROGID);
    AfxOleUnregisterClass(CLSID_TestObject, AUTOMATION_TEST_OBJECT_PROGID);
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
    StartedProgram m_server;

    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        // A registration left by an earlier run must not start a server of its own.
        Unregister();
        ASSERT_TRUE(m_server.Start(ServerPath())) << "cannot start " << ServerPath();
        // The main frame shows once the classes are registered.
        ASSERT_TRUE(m_server.WaitForMainFrame(kStartTimeoutMs)) << "the server did not start";
    }

    void TearDown() override
    {
        m_server.Close(kExitTimeoutMs);
        Unregister();
    }

    long ClientDocuments(COleDispatchDriver& driver)
    {
        long nCount = -1;
        driver.GetProperty(DISPID_TEST_CLIENTDOCUMENTS, VT_I4, &nCount);
        return nCount;
    }
};

TEST_F(AutomationServer, RegistersItsClassesUnderTheirProgIDsInClassesRoot)
{
    struct Case
    {
        CLSID clsid;
        const char* progID;
        const char* name;
    };
    const Case cases[] = {
        {CLSID_TestDocument, AUTOMATION_TEST_DOCUMENT_PROGID, AUTOMATION_TEST_DOCUMENT_NAME},
        {CLSID_TestObject, AUTOMATION_TEST_OBJECT_PROGID, AUTOMATION_TEST_OBJECT_PROGID},
    };
    for (const Case& c : cases)
    {
        LPOLESTR lpszClsid = nullptr;
        ASSERT_EQ(::StringFromCLSID(c.clsid, &lpszClsid), S_OK);
        const std::string clsid(static_cast<LPCTSTR>(CString(lpszClsid)));
        ::CoTaskMemFree(lpszClsid);

        const std::string classKey = std::string("CLSID\\").append(clsid);
        EXPECT_EQ(ClassesRootValue(c.progID), c.name);
        EXPECT_EQ(ClassesRootValue(std::string(c.progID).append("\\CLSID")), clsid);
        EXPECT_EQ(ClassesRootValue(std::string(classKey).append("\\ProgID")), c.progID);
        const std::string server = ClassesRootValue(std::string(classKey).append("\\LocalServer32"));
        EXPECT_NE(server.find(AUTOMATION_TEST_SERVER_EXE), std::string::npos) << server;
        CLSID found = CLSID_NULL;
        const std::wstring wideProgID(c.progID, c.progID + std::strlen(c.progID));
        EXPECT_EQ(::CLSIDFromProgID(wideProgID.c_str(), &found), S_OK);
        EXPECT_TRUE(::IsEqualCLSID(found, c.clsid)) << c.progID;
    }
}

TEST_F(AutomationServer, ClientPutsAFloatAtDispatchIdOneAndReadsItBack)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 2.5f);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 2.5f);
}

TEST_F(AutomationServer, TextThatIsNoNumberIsATypeMismatch)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 1.5f);
    EXPECT_EQ(OleErrorOf([&] { driver.SetProperty(DISPID_TEST_VALUE, VT_BSTR, "abc"); }), DISP_E_TYPEMISMATCH);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 1.5f);
}

TEST_F(AutomationServer, EachConnectionHasADocumentOfItsOwnAndTheReleaseDeletesIt)
{
    COleDispatchDriver first;
    ASSERT_TRUE(first.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
    EXPECT_EQ(ClientDocuments(first), 1);
    {
        COleDispatchDriver second;
        ASSERT_TRUE(second.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
        second.SetProperty(DISPID_TEST_VALUE, VT_R4, 9.0f);
        EXPECT_EQ(ClientDocuments(second), 2);
    }
    EXPECT_EQ(ClientDocuments(first), 1);
    float fValue = -1.0f;
    first.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 0.0f);   // the second connection's put went to its own document
}

TEST_F(AutomationServer, PlainObjectOfAClassFactoryIsServedToo)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_OBJECT_PROGID));
    driver.SetProperty(1, VT_R4, 6.25f);
    float fValue = 0.0f;
    driver.GetProperty(1, VT_R4, &fValue);
    EXPECT_EQ(fValue, 6.25f);
}

TEST_F(AutomationServer, ServerClosedDuringAConnectionHidesAndEndsAfterTheRelease)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
    ::PostMessageA(m_server.hMainFrame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([this] { return !::IsWindowVisible(m_server.hMainFrame); }, kExitTimeoutMs));
    EXPECT_FALSE(m_server.HasEnded());
    // Still serving its client, whose document the close left alone.
    driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 3.0f);
    float fValue = 0.0f;
    driver.GetProperty(DISPID_TEST_VALUE, VT_R4, &fValue);
    EXPECT_EQ(fValue, 3.0f);
    EXPECT_EQ(ClientDocuments(driver), 1);

    driver.ReleaseDispatch();
    ASSERT_TRUE(WaitFor([this] { return m_server.HasEnded(); }, kExitTimeoutMs)) << "the server did not end";
    DWORD dwExitCode = 1;
    ::GetExitCodeProcess(m_server.process.hProcess, &dwExitCode);
    EXPECT_EQ(dwExitCode, 0u);
}

TEST_F(AutomationServer, ServerTheUserStartedGoesOnAfterTheLastRelease)
{
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
        driver.SetProperty(DISPID_TEST_VALUE, VT_R4, 1.0f);
    }
    EXPECT_FALSE(WaitFor([this] { return m_server.HasEnded(); }, 1000));
    EXPECT_TRUE(::IsWindowVisible(m_server.hMainFrame));
}

TEST_F(AutomationServer, CallsArriveWhileTheServerRunsAModalLoop)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(AUTOMATION_TEST_DOCUMENT_PROGID));
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
