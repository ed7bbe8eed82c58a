#include "tests/gridhost/GridHostApp.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/MDIFrameWnd.h"
#include "grid/core/AppData.h"
#include "tests/gridhost/GridHostCommands.h"
#include "tests/gridhost/GridHostDoc.h"
#include "tests/gridhost/GridHostFrames.h"
#include "tests/gridhost/GridHostResources.h"
#include "tests/gridhost/GridHostView.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

CGridHostApp::CGridHostApp() : CWinApp("Grid Host")
{
}

CGridHostApp::~CGridHostApp()
{
    delete m_pSplitTemplate;
}

void CGridHostApp::ParseOptions(LPCTSTR pszCommandLine)
{
    // Words separated by blanks; a quoted word may hold blanks.
    std::vector<std::string> words;
    std::string word;
    BOOL bQuoted = FALSE;
    BOOL bInWord = FALSE;
    for (LPCTSTR p = pszCommandLine != nullptr ? pszCommandLine : ""; *p != '\0'; ++p)
    {
        if (*p == '"')
        {
            bQuoted = !bQuoted;
            bInWord = TRUE;
        }
        else if ((*p == ' ' || *p == '\t') && !bQuoted)
        {
            if (bInWord)
                words.push_back(word);
            word.clear();
            bInWord = FALSE;
        }
        else
        {
            word += *p;
            bInWord = TRUE;
        }
    }
    if (bInWord)
        words.push_back(word);

    for (size_t i = 0; i < words.size(); ++i)
    {
        const std::string& option = words[i];
        if (_stricmp(option.c_str(), "/formula") == 0)
        {
            m_bFormula = TRUE;
            continue;
        }
        if (i + 1 >= words.size())
            break;
        const std::string& value = words[i + 1];
        if (_stricmp(option.c_str(), "/rows") == 0)
            m_nRows = static_cast<ROWCOL>(std::strtoul(value.c_str(), nullptr, 10));
        else if (_stricmp(option.c_str(), "/cols") == 0)
            m_nCols = static_cast<ROWCOL>(std::strtoul(value.c_str(), nullptr, 10));
        else if (_stricmp(option.c_str(), "/dump") == 0)
            m_strDumpPath = value.c_str();
        else if (_stricmp(option.c_str(), "/ini") == 0)
            m_strIniPath = value.c_str();
        else
            continue;
        ++i;
    }
}

BOOL CGridHostApp::InitInstance()
{
    ParseOptions(m_lpCmdLine);
    if (!m_strIniPath.IsEmpty())
        m_pszProfileName = m_strIniPath;
    else
        SetRegistryKey(GRIDHOST_REGISTRY_KEY);
    GXStartLibrary();

    m_pTemplate = new CMultiDocTemplate(IDR_GRIDHOST_GRIDTYPE, RUNTIME_CLASS(CGridHostDoc),
                                        RUNTIME_CLASS(CGridHostChildFrame), RUNTIME_CLASS(CGridHostView));
    AddDocTemplate(m_pTemplate);
    // Split frames show the same document; File New keeps the one template.
    m_pSplitTemplate = new CMultiDocTemplate(IDR_GRIDHOST_GRIDTYPE, RUNTIME_CLASS(CGridHostDoc),
                                             RUNTIME_CLASS(CGridHostSplitFrame), RUNTIME_CLASS(CGridHostView));
    m_pSplitTemplate->LoadTemplate();
    GridHostAddCommandMenus(m_pTemplate->m_hMenuShared);
    GridHostAddCommandMenus(m_pSplitTemplate->m_hMenuShared);

    auto* pMainFrame = new CGridHostMainFrame;
    if (!pMainFrame->LoadFrame(IDR_GRIDHOST_MAINFRAME))
    {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    // One document in two child frames, tiled, the first one active.
    CGridHostDoc* pDoc = static_cast<CGridHostDoc*>(m_pTemplate->OpenDocumentFile(nullptr));
    if (pDoc == nullptr)
        return FALSE;
    CFrameWnd* pFirst = GetViews().front()->GetParentFrame();
    CFrameWnd* pSecond = m_pTemplate->CreateNewFrame(pDoc, pFirst);
    if (pSecond != nullptr)
        m_pTemplate->InitialUpdateFrame(pSecond, pDoc);
    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->MDITile(MDITILE_VERTICAL);
    pMainFrame->MDIActivate(pFirst);
    pMainFrame->UpdateWindow();
    return TRUE;
}

CGridHostDoc* CGridHostApp::GetDocument() const
{
    if (m_pTemplate == nullptr)
        return nullptr;
    POSITION pos = m_pTemplate->GetFirstDocPosition();
    return pos != nullptr ? static_cast<CGridHostDoc*>(m_pTemplate->GetNextDoc(pos)) : nullptr;
}

std::vector<CGridHostView*> CGridHostApp::GetViews() const
{
    std::vector<CGridHostView*> views;
    CGridHostDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc != nullptr ? pDoc->GetFirstViewPosition() : nullptr; pos != nullptr;)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CGridHostView)))
            views.push_back(static_cast<CGridHostView*>(pView));
    }
    return views;
}

CMDIFrameWnd* CGridHostApp::GetMainFrame() const
{
    return static_cast<CMDIFrameWnd*>(m_pMainWnd);
}

CGridHostView* CGridHostApp::GetActiveGridView() const
{
    CMDIFrameWnd* pFrame = GetMainFrame();
    CMDIChildWnd* pChild = pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr ? pFrame->MDIGetActive() : nullptr;
    CView* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
    return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CGridHostView)) ? static_cast<CGridHostView*>(pView)
                                                                              : nullptr;
}
