// A small MDI program for the document/view tests: an application with one document template, a
// main frame, child frames, a document and a view that record what reaches them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/docview/View.h"
#include "framework/win/WinApp.h"
#include "tests/framework/DocViewTestResources.h"

// Which handler ran for each command, in order ("view", "doc", "child", "main", "app").
std::vector<std::string>& RoutingLog();

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc();
    ~CTestDoc() override;
    static int s_nAlive;           // documents in existence
    static bool s_bRefuseNew;      // OnNewDocument fails while set
    CString m_strData;             // what Serialize stores

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    afx_msg void OnDocCommand();
    afx_msg void OnDocFrameCommand();
    afx_msg void OnSharedCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    struct Update
    {
        CView* pSender;
        LPARAM lHint;
        CObject* pHint;
    };
    std::vector<Update> updates;   // OnUpdate calls after the initial one
    int initialUpdates = 0;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    afx_msg void OnViewCommand();
    afx_msg void OnSharedCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestChildFrame)
public:
    afx_msg void OnDocFrameCommand();
    afx_msg void OnFrameCommand();
    afx_msg void OnSharedCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    afx_msg void OnFrameCommand();
    afx_msg void OnMainCommand();
    afx_msg void OnSharedCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestMdiApp : public CWinApp
{
public:
    CTestMdiApp() : CWinApp("Test") {}
    afx_msg void OnMainCommand();
    afx_msg void OnAppCommand();
    afx_msg void OnSharedCommand();
    DECLARE_MESSAGE_MAP()
};

// The program running: its template and its main frame, shown. Everything goes at the end.
class MdiProgramTest : public ::testing::Test
{
protected:
    CTestMdiApp app;
    CMultiDocTemplate* pTemplate = nullptr;
    CTestMainFrame* pMainFrame = nullptr;

    void SetUp() override;
    void TearDown() override;
    // The main frame's object (loaded from IDR_TEST_MAINFRAME by SetUp).
    virtual CTestMainFrame* NewMainFrame() { return new CTestMainFrame; }

    // The documents of the template, in the order they were made.
    std::vector<CTestDoc*> Documents() const;
    // The views of a document and their child frames, in the document's order.
    static std::vector<CTestView*> Views(CDocument* pDoc);
    static CMDIChildWnd* FrameOf(CView* pView);
    CTestDoc* NewDocument();
};

std::string CaptionOf(const CWnd* pWnd);
