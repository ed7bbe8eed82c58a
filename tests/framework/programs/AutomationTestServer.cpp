// A small document/view automation server for the framework's automation tests, started as a
// program of its own. It starts as the plotting program does: a document template connected to a
// template server, class factories registered and written to the registry at every start, an MDI
// main frame and a new document of the user's. A client gets a document of its own (no frame),
// which the client's last release deletes; the main frame closed while a client holds a document
// hides, and the program ends after the release. A plain command target with a factory of its own
// is served besides.
#include "tests/framework/programs/AutomationTestServer.h"
#include "tests/framework/programs/AutomationTestServerResources.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/docview/View.h"
#include "framework/ole/DispatchMap.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleAppLock.h"
#include "framework/ole/OleInit.h"
#include "framework/ole/TemplateServer.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/WinApp.h"

namespace {

const CLSID CLSID_TestDocument = {AUTOMATION_TEST_DOCUMENT_CLSID};
// {2F6B9C14-7E3A-4D85-9A61-0B4C8E5D3A72}
const IID IID_ITestDocument = {0x2f6b9c14, 0x7e3a, 0x4d85, {0x9a, 0x61, 0x0b, 0x4c, 0x8e, 0x5d, 0x3a, 0x72}};

const UINT WM_OPEN_MODAL_LOOP = WM_APP + 1;

bool g_bInModalLoop = false;
CWnd* g_pModalWindow = nullptr;

// ---- The document ----

class CServerDoc : public CDocument
{
    DECLARE_DYNCREATE(CServerDoc)
public:
    // As the plotting program's document: an automation object that keeps the program running.
    CServerDoc()
    {
        EnableAutomation();
        AfxOleLockApp();
    }
    ~CServerDoc() override { AfxOleUnlockApp(); }

    float GetValue() { return m_fValue; }
    void SetValue(float fValue) { m_fValue = fValue; }
    long GetClientDocuments()
    {
        long nCount = 0;
        CDocTemplate* pTemplate = GetDocTemplate();
        POSITION pos = pTemplate != nullptr ? pTemplate->GetFirstDocPosition() : nullptr;
        while (pos != nullptr)
            if (pTemplate->GetNextDoc(pos)->m_bEmbedded)
                ++nCount;
        return nCount;
    }
    void SetClientDocuments(long) {}
    BOOL GetModalLoop() { return g_bInModalLoop; }
    void SetModalLoop(BOOL bOpen)
    {
        if (bOpen)
            AfxGetMainWnd()->PostMessage(WM_OPEN_MODAL_LOOP);
        else if (g_pModalWindow != nullptr)
            g_pModalWindow->EndModalLoop(IDOK);
    }

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()

private:
    float m_fValue = 0.0f;
};

IMPLEMENT_DYNCREATE(CServerDoc, CDocument)

BEGIN_DISPATCH_MAP(CServerDoc, CDocument)
    DISP_PROPERTY_EX(CServerDoc, "Value", GetValue, SetValue, VT_R4)
    DISP_PROPERTY_EX(CServerDoc, "ClientDocuments", GetClientDocuments, SetClientDocuments, VT_I4)
    DISP_PROPERTY_EX(CServerDoc, "ModalLoop", GetModalLoop, SetModalLoop, VT_BOOL)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CServerDoc, CDocument)
    INTERFACE_PART(CServerDoc, IID_ITestDocument, Dispatch)
END_INTERFACE_MAP()

class CServerView : public CView
{
    DECLARE_DYNCREATE(CServerView)
public:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(CServerView, CView)

// ---- A plain automation object ----

class CServerObject : public CCmdTarget
{
    DECLARE_DYNCREATE(CServerObject)
public:
    CServerObject()
    {
        EnableAutomation();
        AfxOleLockApp();
    }
    ~CServerObject() override { AfxOleUnlockApp(); }

    float GetValue() { return m_fValue; }
    void SetValue(float fValue) { m_fValue = fValue; }

    DECLARE_OLECREATE(CServerObject)
    DECLARE_DISPATCH_MAP()

private:
    float m_fValue = 0.0f;
};

IMPLEMENT_DYNCREATE(CServerObject, CCmdTarget)

#define IMPLEMENT_OLECREATE_WITH_CLSID(class_name, external_name, ...) \
    IMPLEMENT_OLECREATE(class_name, external_name, __VA_ARGS__)
IMPLEMENT_OLECREATE_WITH_CLSID(CServerObject, AUTOMATION_TEST_OBJECT_PROGID, AUTOMATION_TEST_OBJECT_CLSID)

BEGIN_DISPATCH_MAP(CServerObject, CCmdTarget)
    DISP_PROPERTY_EX(CServerObject, "Value", GetValue, SetValue, VT_R4)
END_DISPATCH_MAP()

// ---- The main frame ----

class CServerFrame : public CMDIFrameWnd
{
public:
    // A modal loop of the framework, to show that client calls arrive in it.
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

BEGIN_MESSAGE_MAP(CServerFrame, CMDIFrameWnd)
    ON_MESSAGE(WM_OPEN_MODAL_LOOP, OnOpenModalLoop)
END_MESSAGE_MAP()

// ---- The program ----

class CServerApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        if (!AfxOleInit())
            return FALSE;
        auto* pTemplate = new CMultiDocTemplate(IDR_SERVERDOC, RUNTIME_CLASS(CServerDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                RUNTIME_CLASS(CServerView));
        AddDocTemplate(pTemplate);
        m_server.ConnectTemplate(CLSID_TestDocument, pTemplate, FALSE);
        COleTemplateServer::RegisterAll();

        auto* pMainFrame = new CServerFrame;
        if (!pMainFrame->LoadFrame(IDR_MAINFRAME))
        {
            delete pMainFrame;
            return FALSE;
        }
        m_pMainWnd = pMainFrame;

        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        // Registered at every start.
        m_server.UpdateRegistry(OAT_DISPATCH_OBJECT);
        COleObjectFactory::UpdateRegistryAll();
        if (!ProcessShellCommand(cmdInfo))
            return FALSE;
        if (!cmdInfo.m_bRunEmbedded && !cmdInfo.m_bRunAutomated)
        {
            pMainFrame->ShowWindow(m_nCmdShow);
            pMainFrame->UpdateWindow();
        }
        return TRUE;
    }

    int ExitInstance() override
    {
        COleObjectFactory::RevokeAll();
        return CWinApp::ExitInstance();
    }

private:
    COleTemplateServer m_server;
};

CServerApp theApp;

} // namespace
