// The real automation calls behind the seam.
#include "framework/ole/AutomationSeam.h"

#include <utility>

#include "framework/core/CString.h"
#include "framework/ole/OleInit.h"

namespace {

CAutomationSeam* g_pAutomationSeam = nullptr;

HRESULT CreateRealDispatch(REFCLSID clsid, LPDISPATCH* ppDispatch)
{
    *ppDispatch = nullptr;
    // A program that never called AfxOleInit would otherwise never reach its server. A thread
    // already in the multithreaded apartment refuses this, and COM works there as it is.
    AfxOleInit();
    LPUNKNOWN lpUnknown = nullptr;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&lpUnknown));
    if (FAILED(hr))
        return hr;
    // A local server's object may exist before it runs; make it run before the first call.
    hr = ::OleRun(lpUnknown);
    if (SUCCEEDED(hr))
        hr = lpUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppDispatch));
    lpUnknown->Release();
    return hr;
}

HRESULT CreateRealDispatch(LPCTSTR lpszProgID, LPDISPATCH* ppDispatch)
{
    *ppDispatch = nullptr;
    if (lpszProgID == nullptr || lpszProgID[0] == '\0')
        return CO_E_CLASSSTRING;
    AfxOleInit();
    BSTR wideProgID = CString(lpszProgID).AllocSysString();
    if (wideProgID == nullptr)
        return E_OUTOFMEMORY;
    CLSID clsid;
    const HRESULT hr = ::CLSIDFromProgID(wideProgID, &clsid);
    ::SysFreeString(wideProgID);
    if (FAILED(hr))
        return hr;
    return CreateRealDispatch(clsid, ppDispatch);
}

} // namespace

CAutomationSeam* AfxSetAutomationSeam(CAutomationSeam* pSeam)
{
    return std::exchange(g_pAutomationSeam, pSeam);
}

HRESULT AfxCreateDispatch(LPCTSTR lpszProgID, LPDISPATCH* ppDispatch)
{
    if (ppDispatch == nullptr)
        return E_POINTER;
    if (g_pAutomationSeam != nullptr)
        return g_pAutomationSeam->CreateDispatch(lpszProgID, ppDispatch);
    return CreateRealDispatch(lpszProgID, ppDispatch);
}

HRESULT AfxCreateDispatch(REFCLSID clsid, LPDISPATCH* ppDispatch)
{
    if (ppDispatch == nullptr)
        return E_POINTER;
    if (g_pAutomationSeam != nullptr)
        return g_pAutomationSeam->CreateDispatch(clsid, ppDispatch);
    return CreateRealDispatch(clsid, ppDispatch);
}

HRESULT AfxInvokeDispatch(LPDISPATCH lpDispatch, DISPID dispID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                          EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (g_pAutomationSeam != nullptr)
        return g_pAutomationSeam->Invoke(lpDispatch, dispID, wFlags, pParams, pResult, pExcepInfo, puArgErr);
    if (lpDispatch == nullptr)
        return E_POINTER;
    return lpDispatch->Invoke(dispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, pParams, pResult, pExcepInfo, puArgErr);
}

void AfxReleaseDispatch(LPDISPATCH lpDispatch)
{
    if (g_pAutomationSeam != nullptr)
    {
        g_pAutomationSeam->Release(lpDispatch);
        return;
    }
    if (lpDispatch != nullptr)
        lpDispatch->Release();
}
