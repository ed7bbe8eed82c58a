#include "framework/docview/DocTemplate.h"

#include <algorithm>

#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/docview/View.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

// ---- CDocTemplate ----

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        AfxLoadString(m_nIDResource, m_strDocStrings);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < (int)index; ++i)
    {
        const int nNewline = m_strDocStrings.Find('\n', nStart);
        if (nNewline < 0)
            return FALSE;
        nStart = nNewline + 1;
    }
    const int nEnd = m_strDocStrings.Find('\n', nStart);
    rString = nEnd >= 0 ? m_strDocStrings.Mid(nStart, nEnd - nStart) : m_strDocStrings.Mid(nStart);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    // Already open: the same path, compared without regard to case.
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(lpszPathName) == 0)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    // The template's extension (the filter's first one) fits the file's.
    CString filter;
    if (GetDocString(filter, CDocTemplate::filterExt) && filter.Find('.') == 0)
    {
        CString ext = filter.SpanExcluding(";");
        CString path = lpszPathName;
        const int nDot = path.ReverseFind('.');
        const int nSlash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
        if (nDot > nSlash && path.Mid(nDot).CompareNoCase(ext) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    auto* pDocument = AfxCreateObjectAs<CDocument>(m_pDocClass);
    if (pDocument == nullptr)
        return nullptr;
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    auto* pFrame = AfxCreateObjectAs<CFrameWnd>(m_pFrameClass);
    if (pFrame == nullptr)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // The position is past the document before it closes: a deleted document takes only its own
    // place in the list with it.
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
    {
        CDocument* pDoc = GetNextDoc(pos);
        // A document made for an automation client is the client's: its last release closes it.
        if (!pDoc->m_bEmbedded)
            pDoc->OnCloseDocument();
    }
}

// ---- CMultiDocTemplate ----

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open outlive their template without a link back to it.
    POSITION pos = m_docList.GetHeadPosition();
    while (pos != nullptr)
        CDocTemplate::RemoveDocument(static_cast<CDocument*>(m_docList.GetNext(pos)));
    m_docList.RemoveAll();
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    LPCTSTR lpszResource = MAKEINTRESOURCEA(m_nIDResource);
    if (m_hMenuShared == nullptr)
    {
        HINSTANCE hModule = AfxFindResourceHandle(lpszResource, MAKEINTRESOURCEA(4) /* RT_MENU */);
        if (::FindResourceA(hModule, lpszResource, MAKEINTRESOURCEA(4)) != nullptr)
            m_hMenuShared = ::LoadMenuA(hModule, lpszResource);
    }
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(
            AfxFindResourceHandle(lpszResource, MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */), lpszResource);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName))
        title.AppendFormat("%u", m_nUntitledCount + 1);
    else
        AfxLoadString(AFX_IDS_UNTITLED, title);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    // The document must survive its frame's creation even if the view goes again on the way.
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return nullptr;
    }

    BOOL bOpened;
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        bOpened = pDocument->OnNewDocument();
    }
    else
    {
        CWaitCursor wait;
        bOpened = pDocument->OnOpenDocument(lpszPathName);
    }
    if (!bOpened)
    {
        // Its frame goes, and with its last view the document (which never got a number); a
        // document that does not go with its views is deleted here.
        const bool bGoesWithViews = bAutoDelete && pDocument->GetFirstViewPosition() != nullptr;
        pFrame->DestroyWindow();
        if (!bGoesWithViews)
            delete pDocument;
        return nullptr;
    }
    if (lpszPathName == nullptr)
        ++m_nUntitledCount;
    else
        pDocument->SetPathName(lpszPathName);
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
