// A small automation server for the framework's automation tests: a program of its own that
// registers its class at every start, serves objects to clients in other processes, hides when its
// main window is closed while objects live, and ends after the last release.
#include "tests/framework/programs/AutomationTestServer.h"

#include "framework/ole/DispatchMap.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleAppLock.h"
#include "framework/ole/OleInit.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

const UINT WM_OPEN_MODAL_LOOP = WM_APP + 1;

int g_nLiveObjects = 0;
bool g_bInModalLoop = false;
CWnd* g_pModalWindow = nullptr;

class CServerObject : public CCmdTarget
{
    DECLARE_DYNCREATE(CServerObject)
public:
    CServerObject()
    {
        EnableAutomation();
        AfxOleLockApp();
        ++g_nLiveObjects;
    }
    ~CServerObject() override
    {
        --g_nLiveObjects;
        AfxOleUnlockApp();
    }

    float GetValue() { return m_fValue; }
    void SetValue(float fValue) { m_fValue = fValue; }
    long GetLiveObjects() { return g_nLiveObjects; }
    void SetLiveObjects(long) {}
    BOOL GetModalLoop() { return g_bInModalLoop; }
    void SetModalLoop(BOOL bOpen)
    {
        if (bOpen)
            AfxGetMainWnd()->PostMessage(WM_OPEN_MODAL_LOOP);
        else if (g_pModalWindow != nullptr)
            g_pModalWindow->EndModalLoop(IDOK);
    }

    DECLARE_OLECREATE(CServerObject)
    DECLARE_DISPATCH_MAP()

private:
    float m_fValue = 0.0f;
};

IMPLEMENT_DYNCREATE(CServerObject, CCmdTarget)

#define IMPLEMENT_OLECREATE_WITH_CLSID(class_name, external_name, ...) \
    IMPLEMENT_OLECREATE(class_name, external_name, __VA_ARGS__)
IMPLEMENT_OLECREATE_WITH_CLSID(CServerObject, AUTOMATION_TEST_SERVER_PROGID, AUTOMATION_TEST_SERVER_CLSID)

BEGIN_DISPATCH_MAP(CServerObject, CCmdTarget)
    DISP_PROPERTY_EX(CServerObject, "Value", GetValue, SetValue, VT_R4)
    DISP_PROPERTY_EX(CServerObject, "LiveObjects", GetLiveObjects, SetLiveObjects, VT_I4)
    DISP_PROPERTY_EX(CServerObject, "ModalLoop", GetModalLoop, SetModalLoop, VT_BOOL)
END_DISPATCH_MAP()

// The main window: a close while objects live only hides it.
class CServerWindow : public CWnd
{
public:
    afx_msg void OnClose()
    {
        if (AfxOleHideMainWindowOnClose(this))
            return;
        DestroyWindow();
    }

    afx_msg LRESULT OnOpenModalLoop(WPARAM, LPARAM)
    {
        CWnd modal;
        if (!modal.CreateEx(0, AfxRegisterWndClass(0), "Modal", WS_POPUP, 0, 0, 10, 10, m_hWnd, nullptr))
            return 0;
        g_pModalWindow = &modal;
        g_bInModalLoop = true;
        modal.RunModalLoop();
        g_bInModalLoop = false;
        g_pModalWindow = nullptr;
        modal.DestroyWindow();
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CServerWindow, CWnd)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_OPEN_MODAL_LOOP, OnOpenModalLoop)
END_MESSAGE_MAP()

class CServerApp : public CWinApp
{
public:
    CServerApp() : CWinApp(AUTOMATION_TEST_SERVER_TITLE) {}

    BOOL InitInstance() override
    {
        if (!AfxOleInit())
            return FALSE;
        // Registered at every start, then offered to clients.
        COleObjectFactory::UpdateRegistryAll();
        if (!COleObjectFactory::RegisterAll())
            return FALSE;
        // Started by COM for a client: the user did not start it and does not see it.
        const CString commandLine(m_lpCmdLine != nullptr ? m_lpCmdLine : "");
        const bool bEmbedded = commandLine.Find("Embedding") >= 0 || commandLine.Find("Automation") >= 0;
        if (bEmbedded)
            AfxOleSetUserCtrl(FALSE);
        if (!m_window.CreateEx(0, AfxRegisterWndClass(0), AUTOMATION_TEST_SERVER_TITLE,
                               WS_OVERLAPPEDWINDOW | (bEmbedded ? 0 : WS_VISIBLE), 40, 40, 300, 120, nullptr, nullptr))
            return FALSE;
        m_pMainWnd = &m_window;
        return TRUE;
    }

    int ExitInstance() override
    {
        COleObjectFactory::RevokeAll();
        return CWinApp::ExitInstance();
    }

private:
    CServerWindow m_window;
};

CServerApp theApp;

} // namespace
