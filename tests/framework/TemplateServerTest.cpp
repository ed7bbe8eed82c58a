// COleTemplateServer in this process, on the MDI test program: its ProgID and registration come
// from the template's document strings, a client's object is a new document of the template
// without a frame, the main frame's close leaves that document to its client, and the client's
// last release deletes it.
#include "framework/ole/TemplateServer.h"

#include <gtest/gtest.h>

#include "framework/docview/DocTemplate.h"
#include "framework/ole/DispatchDriver.h"
#include "framework/ole/DispatchMap.h"
#include "framework/ole/OleAppLock.h"
#include "framework/ole/OleInit.h"
#include "tests/framework/DocViewTestResources.h"
#include "tests/framework/DocViewTestSupport.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// {C3A5E871-64D2-4F1B-8B07-5E9A2D13C46F}
const CLSID CLSID_ServedDoc = {0xc3a5e871, 0x64d2, 0x4f1b, {0x8b, 0x07, 0x5e, 0x9a, 0x2d, 0x13, 0xc4, 0x6f}};

// A document as the plotting program has it: an automation object that locks the program while
// it lives, with one float property.
class CServedDoc : public CTestDoc
{
    DECLARE_DYNCREATE(CServedDoc)
public:
    CServedDoc()
    {
        EnableAutomation();
        AfxOleLockApp();
    }
    ~CServedDoc() override { AfxOleUnlockApp(); }

    static bool s_bRefuse;
    BOOL OnNewDocument() override { return !s_bRefuse && CTestDoc::OnNewDocument(); }

    float m_fSize = 0.0f;
    float GetSize() { return m_fSize; }
    void SetSize(float fSize) { m_fSize = fSize; }
    DECLARE_DISPATCH_MAP()
};

bool CServedDoc::s_bRefuse = false;

IMPLEMENT_DYNCREATE(CServedDoc, CTestDoc)

BEGIN_DISPATCH_MAP(CServedDoc, CTestDoc)
    DISP_PROPERTY_EX(CServedDoc, "Size", GetSize, SetSize, VT_R4)
END_DISPATCH_MAP()

// Lets the test ask for an object as COM would.
class CTestTemplateServer : public COleTemplateServer
{
public:
    using COleTemplateServer::CreateInstance;
    const CString& ProgID() const { return m_strProgID; }
};

class TemplateServer : public MdiProgramTest
{
protected:
    CMultiDocTemplate* pServedTemplate = nullptr;
    CTestTemplateServer server;

    void SetUp() override
    {
        MdiProgramTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        CServedDoc::s_bRefuse = false;
        pServedTemplate = new CMultiDocTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CServedDoc),
                                                RUNTIME_CLASS(CTestChildFrame), RUNTIME_CLASS(CTestView));
        app.AddDocTemplate(pServedTemplate);
        server.ConnectTemplate(CLSID_ServedDoc, pServedTemplate, FALSE);
    }

    void TearDown() override
    {
        AfxOleUnregisterClass(CLSID_ServedDoc, "Test.Document");
        MdiProgramTest::TearDown();
        AfxOleSetUserCtrl(TRUE);
        ASSERT_TRUE(AfxOleCanExitApp()) << "an object still locks the program";
    }

    int ServedDocuments() const
    {
        int nCount = 0;
        POSITION pos = pServedTemplate->GetFirstDocPosition();
        while (pos != nullptr)
        {
            pServedTemplate->GetNextDoc(pos);
            ++nCount;
        }
        return nCount;
    }

    // A client's connection to a new object of the server.
    HRESULT Connect(COleDispatchDriver& driver)
    {
        LPDISPATCH lpDispatch = nullptr;
        const HRESULT hr = server.CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&lpDispatch));
        if (SUCCEEDED(hr))
            driver.AttachDispatch(lpDispatch, TRUE);
        return hr;
    }
};

TEST_F(TemplateServer, ProgIDAndRegistrationComeFromTheDocumentStrings)
{
    EXPECT_STREQ(server.ProgID(), "Test.Document");
    server.UpdateRegistry(OAT_DISPATCH_OBJECT);
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    ASSERT_EQ(::RegQueryValueA(HKEY_CLASSES_ROOT, "Test.Document", value, &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "Test Document");
    CLSID found = CLSID_NULL;
    EXPECT_EQ(::CLSIDFromProgID(L"Test.Document", &found), S_OK);
    EXPECT_TRUE(::IsEqualCLSID(found, CLSID_ServedDoc));

    server.UpdateRegistry(OAT_DISPATCH_OBJECT, nullptr, nullptr, FALSE);
    size = sizeof value;
    EXPECT_NE(::RegQueryValueA(HKEY_CLASSES_ROOT, "Test.Document", value, &size), ERROR_SUCCESS);
}

TEST_F(TemplateServer, ClientGetsANewDocumentWithoutAFrameThatItsReleaseDeletes)
{
    const int nAliveBefore = CTestDoc::s_nAlive;
    {
        COleDispatchDriver driver;
        ASSERT_EQ(Connect(driver), S_OK);
        ASSERT_EQ(ServedDocuments(), 1);
        POSITION pos = pServedTemplate->GetFirstDocPosition();
        CDocument* pDoc = pServedTemplate->GetNextDoc(pos);
        EXPECT_TRUE(pDoc->m_bEmbedded);
        EXPECT_EQ(pDoc->GetFirstViewPosition(), nullptr);
        EXPECT_FALSE(AfxOleCanExitApp());

        driver.SetProperty(1, VT_R4, 2.5f);
        EXPECT_EQ(static_cast<CServedDoc*>(pDoc)->m_fSize, 2.5f);
        EXPECT_EQ(CTestDoc::s_nAlive, nAliveBefore + 1);
    }
    EXPECT_EQ(ServedDocuments(), 0);
    EXPECT_EQ(CTestDoc::s_nAlive, nAliveBefore);
    EXPECT_TRUE(AfxOleCanExitApp());
}

TEST_F(TemplateServer, RefusedDocumentGivesNoObjectAndLeavesNothingBehind)
{
    CServedDoc::s_bRefuse = true;
    COleDispatchDriver driver;
    EXPECT_TRUE(FAILED(Connect(driver)));
    EXPECT_EQ(driver.m_lpDispatch, nullptr);
    EXPECT_EQ(ServedDocuments(), 0);
    EXPECT_TRUE(AfxOleCanExitApp());
}

TEST_F(TemplateServer, MainFrameClosedWhileAClientHoldsADocumentHidesAndClosesAfterTheRelease)
{
    ASSERT_NE(pTemplate->OpenDocumentFile(nullptr), nullptr);   // the user's document
    PumpPendingMessages();
    COleDispatchDriver driver;
    ASSERT_EQ(Connect(driver), S_OK);

    pMainFrame->SendMessage(WM_CLOSE);
    // The user's document closed; the client's stays, and so does the hidden main frame.
    EXPECT_EQ(Documents().size(), 0u);
    EXPECT_EQ(ServedDocuments(), 1);
    ASSERT_EQ(app.m_pMainWnd, pMainFrame);
    EXPECT_FALSE(pMainFrame->IsWindowVisible());
    driver.SetProperty(1, VT_R4, 1.0f);

    driver.ReleaseDispatch();
    EXPECT_EQ(ServedDocuments(), 0);
    PumpPendingMessages();   // the close posted at the last release
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

} // namespace
