// COleTemplateServer: the class factory of a document template. Each client gets a new document
// of the template (CreateNewDocument and OnNewDocument; no frame, no view), kept while the client
// holds it: the document's last release closes and deletes it. The ProgID and the type name are
// the template's document strings regFileTypeId and regFileTypeName.
#pragma once

#include "framework/ole/ObjectFactory.h"

class CDocTemplate;

class COleTemplateServer : public COleObjectFactory
{
    DECLARE_DYNAMIC(COleTemplateServer)
public:
    COleTemplateServer();

    // Serves pDocTemplate's documents under clsid; bMultiInstance asks for one server process per
    // client. Register (or RegisterAll) offers it to COM afterwards.
    void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
    // Writes the registration under the template's ProgID and type name (HKEY_CLASSES_ROOT,
    // LocalServer32 = this program). rglpszRegister and rglpszOverwrite (extra keys of embedding
    // servers) are not used; bRegister FALSE removes the registration instead.
    void UpdateRegistry(OLE_APPTYPE nAppType = OAT_INPLACE_SERVER, LPCTSTR* rglpszRegister = nullptr,
                        LPCTSTR* rglpszOverwrite = nullptr, BOOL bRegister = TRUE);

protected:
    // A new document of the template for a client, or NULL when it refused (OnNewDocument FALSE).
    CCmdTarget* OnCreateObject() override;

    CDocTemplate* m_pDocTemplate = nullptr;
};
