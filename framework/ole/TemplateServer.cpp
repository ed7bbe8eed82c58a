#include "framework/ole/TemplateServer.h"

#include "framework/core/Exceptions.h"
#include "framework/docview/DocTemplate.h"
#include "framework/docview/Document.h"

IMPLEMENT_DYNAMIC(COleTemplateServer, COleObjectFactory)

COleTemplateServer::COleTemplateServer() : COleObjectFactory(CLSID_NULL, nullptr, FALSE, nullptr) {}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance)
{
    m_clsid = clsid;
    m_pDocTemplate = pDocTemplate;
    m_bMultiInstance = bMultiInstance;
    m_strProgID.Empty();
    m_strTypeName.Empty();
    if (pDocTemplate != nullptr)
    {
        pDocTemplate->GetDocString(m_strProgID, CDocTemplate::regFileTypeId);
        pDocTemplate->GetDocString(m_strTypeName, CDocTemplate::regFileTypeName);
    }
}

void COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType, LPCTSTR*, LPCTSTR*, BOOL bRegister)
{
    if (m_strProgID.IsEmpty())
        return;
    if (!bRegister)
    {
        AfxOleUnregisterClass(m_clsid, m_strProgID);
        return;
    }
    CString shortName;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->GetDocString(shortName, CDocTemplate::fileNewName);
    AfxOleRegisterServerClass(m_clsid, m_strProgID, shortName.IsEmpty() ? m_strProgID : shortName,
                              m_strTypeName.IsEmpty() ? m_strProgID : m_strTypeName, nAppType);
}

CCmdTarget* COleTemplateServer::OnCreateObject()
{
    if (m_pDocTemplate == nullptr)
        return nullptr;
    CDocument* pDocument = m_pDocTemplate->CreateNewDocument();
    if (pDocument == nullptr)
        return nullptr;
    // The client's document: no frame shows it, and closing the user's documents leaves it alone.
    pDocument->m_bEmbedded = TRUE;
    BOOL bCreated = FALSE;
    try
    {
        bCreated = pDocument->OnNewDocument();
    }
    catch (CException*)
    {
        delete pDocument;
        throw;
    }
    if (!bCreated)
    {
        delete pDocument;
        return nullptr;
    }
    return pDocument;
}
