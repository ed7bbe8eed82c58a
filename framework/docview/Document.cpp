#include "framework/docview/Document.h"

#include <memory>
#include <new>

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views outliving their document must not reach back into it.
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != nullptr)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

// ---- Title, path and state ----

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    char fullPath[MAX_PATH] = {};
    char* pFileName = nullptr;
    if (lpszPathName == nullptr || ::GetFullPathNameA(lpszPathName, sizeof fullPath, fullPath, &pFileName) == 0)
    {
        m_strPathName = lpszPathName != nullptr ? lpszPathName : "";
        pFileName = nullptr;
    }
    else
    {
        m_strPathName = fullPath;
    }
    // The title is the file's name as the shell shows it.
    char title[MAX_PATH] = {};
    if (::GetFileTitleA(m_strPathName, title, sizeof title) == 0)
        SetTitle(title);
    else
        SetTitle(pFileName != nullptr ? pFileName : (LPCTSTR)m_strPathName);
    if (bAddToMRU)
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

// ---- Views ----

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || m_viewList.Find(pView) != nullptr)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty())
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // The frames in the order of their first view; a frame with two views counts once.
    CPtrList frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
    {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && frames.Find(pFrame) == nullptr)
            frames.AddTail(pFrame);
    }
    const bool bNumbered = frames.GetCount() > 1;
    int nWindow = 0;
    pos = frames.GetHeadPosition();
    while (pos != nullptr)
    {
        auto* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = bNumbered ? ++nWindow : 0;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

// ---- Life cycle ----

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fileException;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fileException);
    if (pFile == nullptr)
    {
        ReportSaveLoadException(lpszPathName, &fileException, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();   // dirty while loading, so a failure never looks like a saved document
    try
    {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(loadArchive);
        loadArchive.Close();
        ReleaseFile(pFile, FALSE);
    }
    catch (CException* e)
    {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fileException;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive,
                           &fileException);
    if (pFile == nullptr)
    {
        ReportSaveLoadException(lpszPathName, &fileException, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try
    {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
        ReleaseFile(pFile, FALSE);
    }
    catch (CException* e)
    {
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The frames go first; the document must outlive them, so it is not deleted on the way.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        auto* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else
        {
            pView->DestroyWindow();
        }
        // A view whose window was gone already is let go of here.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::OnFinalRelease()
{
    OnCloseDocument();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame of this document keeps it open: no need to ask.
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
    {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (!m_strPathName.IsEmpty())
    {
        char title[MAX_PATH] = {};
        if (::GetFileTitleA(m_strPathName, title, sizeof title) == 0)
            name = title;
    }
    CString prompt = AfxFormatString1(AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    // A read-only file, or one that is gone, asks for a name first.
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName.IsEmpty() ? nullptr : (LPCTSTR)m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName != nullptr ? lpszPathName : "";
    if (newName.IsEmpty())
    {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty())
        {
            newName = m_strTitle;
            // The template's extension, without characters a file name cannot take.
            newName.Remove(':');
            newName.Remove('\\');
            newName.Remove('/');
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                ext.Find('.') == 0)
                newName += ext.SpanExcluding(";");
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr ||
            !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
    {
        // A file left half written by a failed save is removed when it did not exist before.
        if (lpszPathName == nullptr)
            ::DeleteFileA(newName);
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR, CException* e, BOOL, UINT nIDPDefault)
{
    // A user exception means the user has been told already.
    if (e != nullptr && dynamic_cast<CUserException*>(e) != nullptr)
        return;
    if (e != nullptr)
    {
        auto* pFileException = dynamic_cast<CFileException*>(e);
        TCHAR message[512] = {};
        if ((pFileException == nullptr || pFileException->m_cause != CFileException::none) &&
            e->GetErrorMessage(message, sizeof message))
        {
            AfxMessageBox(message, MB_ICONEXCLAMATION, nIDPDefault);
            return;
        }
    }
    AfxMessageBox(nIDPDefault, MB_ICONEXCLAMATION);
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    auto pFile = std::make_unique<CFile>();
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
        return nullptr;
    return pFile.release();
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

// ---- Commands ----

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
