// The linked document: pseudo paths, command dispatch, master and dependents.
#include "chart/model/ComDoc.h"

#include "framework/docview/DocTemplate.h"

#include <cstdio>
#include <cstring>

IMPLEMENT_DYNCREATE(BWKComDoc, CDocument)

namespace {
const char kPseudoPrefix[] = "BWK++ ";
const size_t kPseudoPrefixLength = sizeof kPseudoPrefix - 1;

BWKComDoc* AsComDoc(CDocument* pDocument)
{
    return pDocument != NULL && pDocument->IsKindOf(RUNTIME_CLASS(BWKComDoc)) ? static_cast<BWKComDoc*>(pDocument)
                                                                              : NULL;
}
}  // namespace

BWKComDoc::BWKComDoc() : m_dependents(10), m_pMaster(NULL), m_bBusy(0) {}

BWKComDoc::~BWKComDoc()
{
    // Neither the master nor a dependent may keep a pointer to a document that is gone.
    if (BWKComDoc* pMaster = AsComDoc(m_pMaster))
        pMaster->RemoveDependent(this);
    m_pMaster = NULL;
    while (!m_dependents.IsEmpty()) {
        CDocument* pDependent = static_cast<CDocument*>(m_dependents.RemoveHead());
        if (BWKComDoc* pComDoc = AsComDoc(pDependent))
            pComDoc->ReleaseMaster(this);
    }
}

BOOL BWKComDoc::IsPseudoPath(LPCTSTR lpszPathName)
{
    return lpszPathName != NULL && std::strlen(lpszPathName) > 5 &&
           std::strncmp(lpszPathName, kPseudoPrefix, kPseudoPrefixLength) == 0;
}

void BWKComDoc::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    if (!IsPseudoPath(lpszPathName)) {
        CDocument::SetPathName(lpszPathName, bAddToMRU);
        return;
    }
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->SetDefaultTitle(this);
}

BOOL BWKComDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

BOOL BWKComDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (!IsPseudoPath(lpszPathName))
        return CDocument::OnOpenDocument(lpszPathName);
    OnNewDocument();
    int command = 0, consumed = 0;
    if (std::sscanf(lpszPathName + kPseudoPrefixLength, "%d %n", &command, &consumed) >= 1 && command == 1)
        OnCommandOne();
    return TRUE;
}

int BWKComDoc::OnDataCommand(WPARAM, LPARAM)
{
    return 0;
}

int BWKComDoc::OnUserCommand(UINT, WPARAM, LPARAM)
{
    return 0;
}

int BWKComDoc::OnCommandOne()
{
    return 0;
}

int BWKComDoc::OnDataBlock(LPCTSTR, HGLOBAL hBlock)
{
    if (hBlock != NULL)
        ::GlobalFree(hBlock);
    return 0;
}

int BWKComDoc::SendToMaster(WPARAM wParam, LPARAM lParam)
{
    BWKComDoc* pMaster = AsComDoc(m_pMaster);
    if (pMaster == NULL)
        return 0;
    m_bBusy = 1;
    int result = 0;
    try {
        result = pMaster->DispatchCommand(commandData, wParam, lParam);
    } catch (...) {
        m_bBusy = 0;
        throw;
    }
    m_bBusy = 0;
    return result;
}

CDocument* BWKComDoc::GetNextDependent(POSITION& rPosition)
{
    return static_cast<CDocument*>(m_dependents.GetNext(rPosition));
}

CDocument* BWKComDoc::GetPrevDependent(POSITION& rPosition)
{
    return static_cast<CDocument*>(m_dependents.GetPrev(rPosition));
}

POSITION BWKComDoc::GetFirstDependentPosition()
{
    return m_dependents.GetHeadPosition();
}

int BWKComDoc::GetDependentCount()
{
    return int(m_dependents.GetCount());
}

int BWKComDoc::DispatchCommand(UINT nType, WPARAM wParam, LPARAM lParam)
{
    if (nType > 0x7FFF)
        return OnUserCommand(nType, wParam, lParam);
    // A command that comes back while one is forwarded to the master goes no further.
    if (m_bBusy)
        return 1;
    switch (nType) {
    case commandNothing:
        return 1;
    case commandOne:
        return OnCommandOne();
    case commandDataBlock:
        return OnDataBlock(reinterpret_cast<LPCTSTR>(wParam), reinterpret_cast<HGLOBAL>(lParam));
    case commandData:
        return OnDataCommand(wParam, lParam);
    default:
        return 0;
    }
}

int BWKComDoc::NewAndDispatch(UINT nType, WPARAM wParam, LPARAM lParam)
{
    OnNewDocument();
    return DispatchCommand(nType, wParam, lParam);
}

int BWKComDoc::RemoveDependent(CDocument* pDocument)
{
    if (POSITION pos = m_dependents.Find(pDocument))
        m_dependents.RemoveAt(pos);
    return 0;
}

void BWKComDoc::ReleaseMaster(CDocument* pDocument)
{
    if (m_pMaster == pDocument)
        m_pMaster = NULL;
}

void BWKComDoc::AddDependent(CDocument* pDocument)
{
    m_dependents.AddTail(pDocument);
}

void BWKComDoc::SetMaster(CDocument* pDocument)
{
    m_pMaster = pDocument;
}

int BWKComDoc::BroadcastCommand(WPARAM wParam, LPARAM lParam)
{
    int result = 0;
    for (POSITION pos = m_dependents.GetHeadPosition(); pos != NULL;) {
        if (BWKComDoc* pDependent = AsComDoc(static_cast<CDocument*>(m_dependents.GetNext(pos))))
            result |= pDependent->DispatchCommand(commandData, wParam, lParam);
    }
    return result;
}
