// Automation of command targets: reference counting, QueryInterface over the interface maps, and
// IDispatch over the dispatch maps.
#include "framework/ole/CmdTargetDispatch.h"

#include "framework/ole/DispatchMap.h"
#include "framework/ole/OleExceptions.h"
#include "framework/win/WinApp.h"

// ---- The maps of CCmdTarget: empty, the end of every chain ----

const AFX_DISPMAP* PASCAL CCmdTarget::GetThisDispatchMap()
{
    static const AFX_DISPMAP_ENTRY entries[] = {{nullptr, VT_EMPTY, nullptr, nullptr}};
    static const AFX_DISPMAP dispatchMap = {nullptr, &entries[0]};
    return &dispatchMap;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return GetThisDispatchMap();
}

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, 0}};
    static const AFX_INTERFACEMAP interfaceMap = {nullptr, &entries[0]};
    return &interfaceMap;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

const AFX_DISPMAP_ENTRY* AfxFindDispatchEntry(const AFX_DISPMAP* pMap, DISPID dispid)
{
    const int nLevel = HIWORD(static_cast<DWORD>(dispid));
    const int nIndex = static_cast<int>(LOWORD(static_cast<DWORD>(dispid))) - 1;
    if (nIndex < 0)
        return nullptr;
    for (int level = 0; pMap != nullptr; ++level, pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        if (level != nLevel)
            continue;
        for (int i = 0; pMap->lpEntries[i].lpszName != nullptr; ++i)
            if (i == nIndex)
                return &pMap->lpEntries[i];
        return nullptr;
    }
    return nullptr;
}

DISPID AfxFindDispatchID(const AFX_DISPMAP* pMap, LPCSTR lpszName)
{
    for (int level = 0; pMap != nullptr; ++level, pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (int i = 0; pMap->lpEntries[i].lpszName != nullptr; ++i)
        {
            // Automation names are words of the program, compared without the user's locale.
            if (::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, pMap->lpEntries[i].lpszName, -1, lpszName, -1) ==
                CSTR_EQUAL)
                return static_cast<DISPID>(MAKELONG(i + 1, level));
        }
    }
    return DISPID_UNKNOWN;
}

// ---- CCmdTarget: reference count and interfaces ----

void CCmdTarget::EnableAutomation()
{
    if (m_pDispatch == nullptr)
        m_pDispatch = new CCmdTargetDispatch(this);
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (m_pDispatch != nullptr && bAddRef)
        m_pDispatch->AddRef();
    return m_pDispatch;
}

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(++m_dwRef);
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef <= 0)
        return 0;   // the final release is running already
    if (--m_dwRef > 0)
        return static_cast<DWORD>(m_dwRef);
    // A reference taken and given back while the object goes must not start a second final release.
    m_dwRef = 1;
    OnFinalRelease();
    return 0;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

HRESULT CCmdTarget::ExternalQueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (ppvObj == nullptr)
        return E_POINTER;
    *ppvObj = nullptr;
    if (m_pDispatch == nullptr)
        return E_NOINTERFACE;
    bool bFound = iid == IID_IUnknown || iid == IID_IDispatch;
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != nullptr && !bFound;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->piid != nullptr; ++pEntry)
            if (*pEntry->piid == iid && pEntry->nPart == AFX_INTERFACE_PART_Dispatch)
                bFound = true;
    }
    if (!bFound)
        return E_NOINTERFACE;
    m_pDispatch->AddRef();
    *ppvObj = static_cast<IDispatch*>(m_pDispatch);
    return S_OK;
}

// ---- CCmdTargetDispatch ----

namespace {

// The answer to a framework exception thrown by a get or set function.
HRESULT ReportException(CException* e, EXCEPINFO* pExcepInfo)
{
    if (auto* pOle = dynamic_cast<COleException*>(e))
        return pOle->m_sc;
    if (pExcepInfo != nullptr)
    {
        *pExcepInfo = {};
        pExcepInfo->bstrSource = CString(AfxGetAppName()).AllocSysString();
        if (auto* pDispatch = dynamic_cast<COleDispatchException*>(e))
        {
            pExcepInfo->wCode = pDispatch->m_wCode;
            pExcepInfo->scode = pDispatch->m_wCode != 0 ? 0 : pDispatch->m_scError;
            pExcepInfo->bstrDescription = pDispatch->m_strDescription.AllocSysString();
            pExcepInfo->dwHelpContext = pDispatch->m_dwHelpContext;
            if (!pDispatch->m_strHelpFile.IsEmpty())
                pExcepInfo->bstrHelpFile = pDispatch->m_strHelpFile.AllocSysString();
        }
        else
        {
            pExcepInfo->scode = COleException::Process(e);
            char message[512] = {};
            e->GetErrorMessage(message, sizeof message);
            pExcepInfo->bstrDescription = CString(message).AllocSysString();
        }
    }
    return DISP_E_EXCEPTION;
}

} // namespace

HRESULT STDMETHODCALLTYPE CCmdTargetDispatch::QueryInterface(REFIID riid, void** ppvObject)
{
    return m_pOwner->ExternalQueryInterface(riid, ppvObject);
}

ULONG STDMETHODCALLTYPE CCmdTargetDispatch::AddRef()
{
    return m_pOwner->ExternalAddRef();
}

ULONG STDMETHODCALLTYPE CCmdTargetDispatch::Release()
{
    return m_pOwner->ExternalRelease();
}

HRESULT STDMETHODCALLTYPE CCmdTargetDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;   // no type library: names go through GetIDsOfNames
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCmdTargetDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CCmdTargetDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                                            DISPID* rgDispId)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (rgszNames == nullptr || rgDispId == nullptr || cNames == 0)
        return E_INVALIDARG;
    const CString name(rgszNames[0] != nullptr ? rgszNames[0] : L"");
    rgDispId[0] = AfxFindDispatchID(m_pOwner->GetDispatchMap(), name);
    HRESULT hr = rgDispId[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    // Properties have no named parameters.
    for (UINT i = 1; i < cNames; ++i)
    {
        rgDispId[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE CCmdTargetDispatch::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                                     EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    const AFX_DISPMAP_ENTRY* pEntry = AfxFindDispatchEntry(m_pOwner->GetDispatchMap(), dispIdMember);
    if (pEntry == nullptr)
        return DISP_E_MEMBERNOTFOUND;
    const UINT nArgs = pDispParams != nullptr ? pDispParams->cArgs : 0;

    if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0)
    {
        if (nArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        // The new value is the one argument, named DISPID_PROPERTYPUT (or, from some clients, unnamed).
        if (pDispParams->cNamedArgs > 1 ||
            (pDispParams->cNamedArgs == 1 && pDispParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_PARAMNOTFOUND;
        VARIANT value;
        ::VariantInit(&value);
        HRESULT hr = pEntry->vt == VT_VARIANT
                         ? ::VariantCopyInd(&value, &pDispParams->rgvarg[0])
                         : ::VariantChangeTypeEx(&value, &pDispParams->rgvarg[0], lcid, 0, pEntry->vt);
        if (FAILED(hr))
        {
            if (puArgErr != nullptr)
                *puArgErr = 0;
            return hr;
        }
        try
        {
            pEntry->pfnSet(m_pOwner, value);
        }
        catch (CException* e)
        {
            hr = ReportException(e, pExcepInfo);
            e->Delete();
        }
        ::VariantClear(&value);
        return hr;
    }

    if ((wFlags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0)
    {
        if (nArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        VARIANT result;
        ::VariantInit(&result);
        try
        {
            pEntry->pfnGet(m_pOwner, result);
        }
        catch (CException* e)
        {
            const HRESULT hr = ReportException(e, pExcepInfo);
            e->Delete();
            ::VariantClear(&result);
            return hr;
        }
        if (pVarResult != nullptr)
            *pVarResult = result;
        else
            ::VariantClear(&result);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}
