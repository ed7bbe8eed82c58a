// COleObjectFactory: the class factory of an automation server's objects. A factory registers its
// CLSID with COM for other processes (CoRegisterClassObject, CLSCTX_LOCAL_SERVER) and makes one
// object per request (OnCreateObject, by default its run-time class's CreateObject; the object
// lives on the client's reference). Every factory of the program is in one list for RegisterAll,
// RevokeAll and UpdateRegistryAll.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/core/CString.h"
#include "framework/win/CmdTarget.h"

// The kinds of OLE server registration. The framework writes the keys of an automation server
// (OAT_DISPATCH_OBJECT) for each; the embedding and in-place keys of the other kinds are not written.
enum OLE_APPTYPE
{
    OAT_UNKNOWN = -1,
    OAT_INPLACE_SERVER = 0,
    OAT_SERVER = 1,
    OAT_CONTAINER = 2,
    OAT_DISPATCH_OBJECT = 3,
    OAT_DOC_OBJECT_SERVER = 4,
    OAT_DOC_OBJECT_CONTAINER = 5,
};

// Registers this program as the local server of clsid under HKEY_CLASSES_ROOT (where Wine's
// CLSIDFromProgID finds it; HKCU\Software\Classes is not searched there): lpszProgID = the long
// type name, lpszProgID\CLSID = {clsid}, CLSID\{clsid} = the long type name, with ProgID =
// lpszProgID and LocalServer32 = this program's path. FALSE when a key could not be written.
BOOL AfxOleRegisterServerClass(REFCLSID clsid, LPCTSTR lpszProgID, LPCTSTR lpszShortTypeName,
                               LPCTSTR lpszLongTypeName, OLE_APPTYPE nAppType = OAT_SERVER);
// Removes what AfxOleRegisterServerClass wrote (lpszProgID may be NULL).
BOOL AfxOleUnregisterClass(REFCLSID clsid, LPCTSTR lpszProgID);

class COleObjectFactory : public CCmdTarget
{
    DECLARE_DYNAMIC(COleObjectFactory)
public:
    // bMultiInstance: one server process per object (REGCLS_SINGLEUSE); otherwise one process
    // serves every client (REGCLS_MULTIPLEUSE).
    COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance, LPCTSTR lpszProgID);
    // Revokes the registration and leaves the list.
    ~COleObjectFactory() override;

    BOOL IsRegistered() const { return m_dwRegister != 0; }
    REFCLSID GetClassID() const { return m_clsid; }

    // Offers the factory to COM; TRUE when registered (already or now).
    virtual BOOL Register();
    void Revoke();
    // Writes the registration of the class (AfxOleRegisterServerClass) under the ProgID given,
    // else the factory's own, with the factory's type name; nothing without a ProgID.
    virtual void UpdateRegistry(LPCTSTR lpszProgID = nullptr);

    static BOOL PASCAL RegisterAll();
    static void PASCAL RevokeAll();
    // Writes (bRegister) or removes the registration of every factory with a ProgID.
    static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE);

    // The factory is its owner's (a static or a member): a last release does not delete it.
    void OnFinalRelease() override {}

protected:
    // A new object with its creator's reference, or NULL.
    virtual CCmdTarget* OnCreateObject();
    // IClassFactory::CreateInstance.
    HRESULT CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject);

    CLSID m_clsid;
    CRuntimeClass* m_pRuntimeClass;
    BOOL m_bMultiInstance;
    CString m_strProgID;
    CString m_strTypeName;   // the readable name registered for the class (empty: the ProgID)
    DWORD m_dwRegister = 0;

private:
    class CClassFactoryPart;
    friend class CClassFactoryPart;
    CClassFactoryPart* m_pClassFactory;
    COleObjectFactory* m_pNextFactory = nullptr;
};

// A class whose objects COM clients create by its ProgID: the class's own factory.
#define DECLARE_OLECREATE(class_name)       \
public:                                     \
    static COleObjectFactory factory;       \
    static const GUID guid;

#define IMPLEMENT_OLECREATE(class_name, external_name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)         \
    const GUID class_name::guid = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}};                          \
    COleObjectFactory class_name::factory(class_name::guid, RUNTIME_CLASS(class_name), FALSE, external_name);
