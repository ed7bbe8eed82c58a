#include "tests/framework/DocViewTestSupport.h"

#include "framework/core/Archive.h"
#include "tests/framework/WinTestSupport.h"

std::vector<std::string>& RoutingLog()
{
    static std::vector<std::string> log;
    return log;
}

// ---- CTestDoc ----

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC_CMD, OnDocCommand)
    ON_COMMAND(ID_TEST_DOCFRAME_CMD, OnDocFrameCommand)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCommand)
END_MESSAGE_MAP()

int CTestDoc::s_nAlive = 0;
bool CTestDoc::s_bRefuseNew = false;

CTestDoc::CTestDoc()
{
    ++s_nAlive;
}

CTestDoc::~CTestDoc()
{
    --s_nAlive;
}

BOOL CTestDoc::OnNewDocument()
{
    if (s_bRefuseNew)
        return FALSE;
    return CDocument::OnNewDocument();
}

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strData;
    else
        ar >> m_strData;
}

void CTestDoc::OnDocCommand() { RoutingLog().push_back("doc"); }
void CTestDoc::OnDocFrameCommand() { RoutingLog().push_back("doc"); }
void CTestDoc::OnSharedCommand() { RoutingLog().push_back("doc"); }

// ---- CTestView ----

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnViewCommand)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCommand)
END_MESSAGE_MAP()

void CTestView::OnDraw(CDC*) {}

void CTestView::OnInitialUpdate()
{
    ++initialUpdates;
}

void CTestView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    updates.push_back({pSender, lHint, pHint});
}

void CTestView::OnViewCommand() { RoutingLog().push_back("view"); }
void CTestView::OnSharedCommand() { RoutingLog().push_back("view"); }

// ---- Frames ----

IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_TEST_DOCFRAME_CMD, OnDocFrameCommand)
    ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCommand)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCommand)
END_MESSAGE_MAP()

void CTestChildFrame::OnDocFrameCommand() { RoutingLog().push_back("child"); }
void CTestChildFrame::OnFrameCommand() { RoutingLog().push_back("child"); }
void CTestChildFrame::OnSharedCommand() { RoutingLog().push_back("child"); }

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCommand)
    ON_COMMAND(ID_TEST_MAIN_CMD, OnMainCommand)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCommand)
END_MESSAGE_MAP()

void CTestMainFrame::OnFrameCommand() { RoutingLog().push_back("main"); }
void CTestMainFrame::OnMainCommand() { RoutingLog().push_back("main"); }
void CTestMainFrame::OnSharedCommand() { RoutingLog().push_back("main"); }

// ---- The application ----

BEGIN_MESSAGE_MAP(CTestMdiApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_TEST_MAIN_CMD, OnMainCommand)
    ON_COMMAND(ID_TEST_APP_CMD, OnAppCommand)
    ON_COMMAND(ID_TEST_SHARED_CMD, OnSharedCommand)
END_MESSAGE_MAP()

void CTestMdiApp::OnMainCommand() { RoutingLog().push_back("app"); }
void CTestMdiApp::OnAppCommand() { RoutingLog().push_back("app"); }
void CTestMdiApp::OnSharedCommand() { RoutingLog().push_back("app"); }

// ---- The fixture ----

void MdiProgramTest::SetUp()
{
    RoutingLog().clear();
    CTestDoc::s_bRefuseNew = false;
    pTemplate = new CMultiDocTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                                      RUNTIME_CLASS(CTestView));
    app.AddDocTemplate(pTemplate);
    pMainFrame = NewMainFrame();
    ASSERT_TRUE(pMainFrame->LoadFrame(IDR_TEST_MAINFRAME));
    app.m_pMainWnd = pMainFrame;
    pMainFrame->ShowWindow(SW_SHOW);
    PumpPendingMessages();
}

void MdiProgramTest::TearDown()
{
    if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr)
        app.m_pMainWnd->DestroyWindow();
    PumpPendingMessages();
    EXPECT_EQ(CTestDoc::s_nAlive, 0) << "a document outlived its windows";
    CTestDoc::s_bRefuseNew = false;
}

std::vector<CTestDoc*> MdiProgramTest::Documents() const
{
    std::vector<CTestDoc*> docs;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != nullptr)
        docs.push_back(static_cast<CTestDoc*>(pTemplate->GetNextDoc(pos)));
    return docs;
}

std::vector<CTestView*> MdiProgramTest::Views(CDocument* pDoc)
{
    std::vector<CTestView*> views;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr)
        views.push_back(static_cast<CTestView*>(pDoc->GetNextView(pos)));
    return views;
}

CMDIChildWnd* MdiProgramTest::FrameOf(CView* pView)
{
    return dynamic_cast<CMDIChildWnd*>(pView->GetParentFrame());
}

CTestDoc* MdiProgramTest::NewDocument()
{
    app.OnFileNew();
    PumpPendingMessages();
    std::vector<CTestDoc*> docs = Documents();
    return docs.empty() ? nullptr : docs.back();
}

std::string CaptionOf(const CWnd* pWnd)
{
    return WindowText(pWnd->GetSafeHwnd());
}
