#include "framework/ole/ObjectFactory.h"

#include "framework/ole/OleAppLock.h"
#include "framework/ole/OleExceptions.h"

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)

namespace {

// Every factory of the program, most recently made first. Never destroyed: factories are static
// objects whose destructors run in no fixed order.
COleObjectFactory*& FirstFactory()
{
    static COleObjectFactory* pFirst = nullptr;
    return pFirst;
}

CString ClsidText(REFCLSID clsid)
{
    LPOLESTR lpszWide = nullptr;
    if (FAILED(::StringFromCLSID(clsid, &lpszWide)))
        return CString();
    CString text(lpszWide);
    ::CoTaskMemFree(lpszWide);
    return text;
}

BOOL SetClassesKey(const CString& subKey, LPCTSTR lpszValue)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey,
                          nullptr) != ERROR_SUCCESS)
        return FALSE;
    const LONG lResult = ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                          static_cast<DWORD>(lstrlenA(lpszValue) + 1));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

} // namespace

BOOL AfxOleRegisterServerClass(REFCLSID clsid, LPCTSTR lpszProgID, LPCTSTR, LPCTSTR lpszLongTypeName, OLE_APPTYPE)
{
    if (lpszProgID == nullptr || lpszProgID[0] == '\0')
        return FALSE;
    const CString clsidText = ClsidText(clsid);
    if (clsidText.IsEmpty())
        return FALSE;
    char modulePath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    LPCTSTR lpszName = lpszLongTypeName != nullptr && lpszLongTypeName[0] != '\0' ? lpszLongTypeName : lpszProgID;

    const CString progKey(lpszProgID);
    const CString classKey = CString("CLSID\\") + clsidText;
    BOOL bOk = SetClassesKey(progKey, lpszName);
    bOk = SetClassesKey(progKey + "\\CLSID", clsidText) && bOk;
    bOk = SetClassesKey(classKey, lpszName) && bOk;
    bOk = SetClassesKey(classKey + "\\ProgID", lpszProgID) && bOk;
    bOk = SetClassesKey(classKey + "\\LocalServer32", modulePath) && bOk;
    return bOk;
}

BOOL AfxOleUnregisterClass(REFCLSID clsid, LPCTSTR lpszProgID)
{
    BOOL bOk = TRUE;
    const CString clsidText = ClsidText(clsid);
    if (!clsidText.IsEmpty())
    {
        const CString classKey = CString("CLSID\\") + clsidText;
        const LONG lResult = ::RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey);
        bOk = lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    if (lpszProgID != nullptr && lpszProgID[0] != '\0')
    {
        const LONG lResult = ::RegDeleteTreeA(HKEY_CLASSES_ROOT, lpszProgID);
        bOk = (lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND) && bOk;
    }
    return bOk;
}

// ---- The IClassFactory of a factory ----

class COleObjectFactory::CClassFactoryPart final : public IClassFactory
{
public:
    explicit CClassFactoryPart(COleObjectFactory* pOwner) : m_pOwner(pOwner) {}
    virtual ~CClassFactoryPart() = default;
    CClassFactoryPart(const CClassFactoryPart&) = delete;
    CClassFactoryPart& operator=(const CClassFactoryPart&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr)
            return E_POINTER;
        *ppvObject = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        AddRef();
        *ppvObject = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_pOwner->ExternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_pOwner->ExternalRelease(); }
    HRESULT STDMETHODCALLTYPE CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObject) override
    {
        return m_pOwner->CreateInstance(pUnkOuter, riid, ppvObject);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        if (fLock)
            AfxOleLockApp();
        else
            AfxOleUnlockApp();
        return S_OK;
    }

private:
    COleObjectFactory* m_pOwner;
};

// ---- COleObjectFactory ----

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                                     LPCTSTR lpszProgID)
    : m_clsid(clsid), m_pRuntimeClass(pRuntimeClass), m_bMultiInstance(bMultiInstance),
      m_strProgID(lpszProgID != nullptr ? lpszProgID : ""), m_pClassFactory(new CClassFactoryPart(this))
{
    m_pNextFactory = FirstFactory();
    FirstFactory() = this;
}

COleObjectFactory::~COleObjectFactory()
{
    Revoke();
    for (COleObjectFactory** ppLink = &FirstFactory(); *ppLink != nullptr; ppLink = &(*ppLink)->m_pNextFactory)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNextFactory;
            break;
        }
    }
    delete m_pClassFactory;
}

BOOL COleObjectFactory::Register()
{
    if (IsRegistered())
        return TRUE;
    if (m_clsid == CLSID_NULL)
        return FALSE;
    const DWORD dwFlags = m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
    DWORD dwRegister = 0;
    const HRESULT hr = ::CoRegisterClassObject(m_clsid, static_cast<IClassFactory*>(m_pClassFactory),
                                               CLSCTX_LOCAL_SERVER, dwFlags, &dwRegister);
    if (FAILED(hr))
        return FALSE;
    m_dwRegister = dwRegister;
    return TRUE;
}

void COleObjectFactory::Revoke()
{
    if (!IsRegistered())
        return;
    ::CoRevokeClassObject(m_dwRegister);
    m_dwRegister = 0;
}

void COleObjectFactory::UpdateRegistry(LPCTSTR lpszProgID)
{
    const CString progID = lpszProgID != nullptr ? CString(lpszProgID) : m_strProgID;
    if (progID.IsEmpty())
        return;
    const CString typeName = m_strTypeName.IsEmpty() ? progID : m_strTypeName;
    AfxOleRegisterServerClass(m_clsid, progID, progID, typeName, OAT_DISPATCH_OBJECT);
}

BOOL PASCAL COleObjectFactory::RegisterAll()
{
    BOOL bAll = TRUE;
    for (COleObjectFactory* pFactory = FirstFactory(); pFactory != nullptr; pFactory = pFactory->m_pNextFactory)
        if (pFactory->m_clsid != CLSID_NULL && !pFactory->Register())
            bAll = FALSE;
    return bAll;
}

void PASCAL COleObjectFactory::RevokeAll()
{
    for (COleObjectFactory* pFactory = FirstFactory(); pFactory != nullptr; pFactory = pFactory->m_pNextFactory)
        pFactory->Revoke();
}

BOOL PASCAL COleObjectFactory::UpdateRegistryAll(BOOL bRegister)
{
    BOOL bAll = TRUE;
    for (COleObjectFactory* pFactory = FirstFactory(); pFactory != nullptr; pFactory = pFactory->m_pNextFactory)
    {
        if (pFactory->m_strProgID.IsEmpty())
            continue;
        if (bRegister)
            pFactory->UpdateRegistry();
        else if (!AfxOleUnregisterClass(pFactory->m_clsid, pFactory->m_strProgID))
            bAll = FALSE;
    }
    return bAll;
}

CCmdTarget* COleObjectFactory::OnCreateObject()
{
    if (m_pRuntimeClass == nullptr || !m_pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)))
        return nullptr;
    return static_cast<CCmdTarget*>(m_pRuntimeClass->CreateObject());
}

HRESULT COleObjectFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject)
{
    if (ppvObject == nullptr)
        return E_POINTER;
    *ppvObject = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    CCmdTarget* pObject = nullptr;
    try
    {
        pObject = OnCreateObject();
    }
    catch (CException* e)
    {
        const HRESULT hr = COleException::Process(e);
        e->Delete();
        return hr;
    }
    if (pObject == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = pObject->ExternalQueryInterface(riid, ppvObject);
    // From here the object lives on the client's reference (and goes now when it got none).
    pObject->InternalRelease();
    return hr;
}
