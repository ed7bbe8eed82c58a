// The application object's documents: templates, File New and Open, recent files, the command line
// and the application's printer.
#include "framework/win/WinApp.h"

#include <memory>
#include <vector>

#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/RecentFileList.h"
#include "framework/docview/View.h"
#include "framework/ole/OleAppLock.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Wnd.h"

namespace {

const char kRecentFileSection[] = "Recent File List";
const char kRecentFileEntry[] = "File%d";
const char kSettingsSection[] = "Settings";
const char kPreviewPagesEntry[] = "PreviewPages";

} // namespace

// ---- Templates and documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition));
}

void CWinApp::DeleteDocTemplates()
{
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == '\0')
        return nullptr;
    char fullPath[MAX_PATH] = {};
    CString path = ::GetFullPathNameA(lpszFileName, sizeof fullPath, fullPath, nullptr) != 0 ? fullPath : lpszFileName;

    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
            pOpenDocument = match == CDocTemplate::yesAlreadyOpen ? pMatch : nullptr;
        }
    }
    if (pOpenDocument != nullptr)
    {
        // Open already: its window comes to the front instead.
        POSITION viewPos = pOpenDocument->GetFirstViewPosition();
        if (viewPos != nullptr)
        {
            CView* pView = pOpenDocument->GetNextView(viewPos);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() const
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != nullptr)
        {
            pTemplate->GetNextDoc(docPos);
            ++nCount;
        }
    }
    return nCount;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    // One filter per template (or the one given), then all files.
    CString filter;
    CString defaultExt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
    {
        CDocTemplate* pEach = GetNextDocTemplate(pos);
        if (pTemplate != nullptr && pEach != pTemplate)
            continue;
        CString name;
        CString ext;
        if (!pEach->GetDocString(name, CDocTemplate::filterName) || !pEach->GetDocString(ext, CDocTemplate::filterExt))
            continue;
        CString patterns;
        for (int nStart = 0; nStart < ext.GetLength();)
        {
            int nEnd = ext.Find(';', nStart);
            if (nEnd < 0)
                nEnd = ext.GetLength();
            if (!patterns.IsEmpty())
                patterns += ";";
            patterns += "*" + ext.Mid(nStart, nEnd - nStart);
            nStart = nEnd + 1;
        }
        filter += name + "|" + patterns + "|";
        if (defaultExt.IsEmpty())
            defaultExt = ext.SpanExcluding(";");
    }
    CString allFilter;
    AfxLoadString(AFX_IDS_ALLFILTER, allFilter);
    filter += allFilter + "|*.*||";

    CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : (LPCTSTR)defaultExt, fileName,
                       lFlags | OFN_OVERWRITEPROMPT, filter);
    CString title;
    AfxLoadString(nIDSTitle, title);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    // The first template makes the new document.
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos == nullptr)
        return;
    GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(fileName);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- Recent files ----

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_bStdProfileLoaded = TRUE;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU != 0)
    {
        const UINT nSize = nMaxMRU > ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1 ? ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1
                                                                             : nMaxMRU;
        m_pRecentFileList = new CRecentFileList(0, kRecentFileSection, kRecentFileEntry, (int)nSize);
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt(kSettingsSection, kPreviewPagesEntry, 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(kSettingsSection, kPreviewPagesEntry, (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == nullptr)
        return;
    const int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return;
    // A file that cannot be opened any more leaves the list.
    CString path = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(nIndex);
}

// ---- Command line ----

void CCommandLineInfo::ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
    {
        if (lstrcmpiA(lpszParam, "Embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (lstrcmpiA(lpszParam, "Automation") == 0)
            m_bRunAutomated = TRUE;
    }
    else if (m_strFileName.IsEmpty())
    {
        m_strFileName = lpszParam;
    }
    if (bLast)
    {
        if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
            m_nShellCommand = FileOpen;
        // A program started by COM serves its client: no document of its own, no splash.
        if (m_bRunEmbedded || m_bRunAutomated)
        {
            if (m_nShellCommand == FileNew)
                m_nShellCommand = FileNothing;
            m_bShowSplash = FALSE;
        }
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // Arguments separated by blanks; double quotes keep blanks inside one.
    std::vector<CString> arguments;
    LPCTSTR p = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
    while (*p != '\0')
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        CString argument;
        bool bQuoted = false;
        for (; *p != '\0' && (bQuoted || (*p != ' ' && *p != '\t')); ++p)
        {
            if (*p == '"')
                bQuoted = !bQuoted;
            else
                argument += *p;
        }
        arguments.push_back(argument);
    }
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const CString& argument = arguments[i];
        const bool bFlag = argument.GetLength() > 1 && (argument[0] == '-' || argument[0] == '/');
        rCmdInfo.ParseParam(bFlag ? (LPCTSTR)argument + 1 : (LPCTSTR)argument, bFlag, i + 1 == arguments.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    // Started by COM for a client, not by the user: the program ends when its client lets go.
    if (rCmdInfo.m_bRunEmbedded || rCmdInfo.m_bRunAutomated)
        AfxOleSetUserCtrl(FALSE);
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        // The program's own File New handler, else the framework's. A refused document is no
        // failure; a program without a main window is.
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

// ---- The application's printer ----

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld)
{
    if (m_hDevNames != hDevNames)
    {
        if (m_hDevNames != nullptr && bFreeOld)
            ::GlobalFree(m_hDevNames);
        m_hDevNames = hDevNames;
    }
    if (m_hDevMode != hDevMode)
    {
        if (m_hDevMode != nullptr && bFreeOld)
            ::GlobalFree(m_hDevMode);
        m_hDevMode = hDevMode;
    }
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (!bForceDefaults && m_hDevNames != nullptr)
        return;
    CPrintDialog dialog(TRUE);
    if (dialog.GetDefaults())
        SelectPrinter(dialog.m_pd.hDevNames, dialog.m_pd.hDevMode);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    UpdatePrinterSelection(m_hDevNames == nullptr);
    if (m_hDevNames == nullptr)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const INT_PTR nResponse = pPD->DoModal();
    // The dialog may have replaced the blocks (freeing ours); what it holds now is the printer.
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResponse;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    UpdatePrinterSelection(FALSE);
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (hDC == nullptr)
        return FALSE;
    dc.Attach(hDC);
    dc.m_bPrinting = TRUE;
    return TRUE;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dialog(TRUE);
    DoPrintDialog(&dialog);
}
