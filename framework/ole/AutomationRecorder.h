// Test double for the automation seam: connections to a pretend object whose properties live in
// the recorder, and a record of every call in order.
#pragma once

#include "framework/core/Variant.h"
#include "framework/ole/AutomationSeam.h"

#include <map>
#include <string>
#include <vector>

class CRecordingAutomation : public CAutomationSeam
{
public:
    struct Call
    {
        enum Kind { createDispatch, invoke, release };
        Kind kind;
        std::string progID;              // createDispatch by program identifier
        CLSID clsid;                     // createDispatch by class id (CLSID_NULL otherwise)
        DISPID dispID;                   // invoke
        WORD wFlags;                     // invoke: DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYGET, ...
        std::vector<COleVariant> args;   // invoke: the arguments in the caller's order
    };

    std::vector<Call> calls;
    HRESULT createResult = S_OK;         // a failure stands for "no server can be reached"
    // A put stores here; a get or a method answers from here (absent: a get fails with
    // DISP_E_MEMBERNOTFOUND, a method answers nothing).
    std::map<DISPID, COleVariant> properties;
    // When not empty, every invoke raises a server exception with this description.
    std::string exceptionDescription;
    WORD exceptionCode = 1000;

    HRESULT CreateDispatch(LPCTSTR lpszProgID, LPDISPATCH* ppDispatch) override
    {
        calls.push_back({Call::createDispatch, lpszProgID ? lpszProgID : "", CLSID_NULL, 0, 0, {}});
        return Connect(ppDispatch);
    }

    HRESULT CreateDispatch(REFCLSID clsid, LPDISPATCH* ppDispatch) override
    {
        calls.push_back({Call::createDispatch, "", clsid, 0, 0, {}});
        return Connect(ppDispatch);
    }

    HRESULT Invoke(LPDISPATCH, DISPID dispID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                   EXCEPINFO* pExcepInfo, UINT*) override
    {
        Call call{Call::invoke, "", CLSID_NULL, dispID, wFlags, {}};
        if (pParams != nullptr)
            for (UINT i = pParams->cArgs; i > 0; --i)
                call.args.emplace_back(pParams->rgvarg[i - 1]);
        calls.push_back(call);
        if (!exceptionDescription.empty())
        {
            if (pExcepInfo != nullptr)
            {
                *pExcepInfo = {};
                pExcepInfo->wCode = exceptionCode;
                pExcepInfo->bstrDescription = CString(exceptionDescription.c_str()).AllocSysString();
                pExcepInfo->bstrSource = CString("CRecordingAutomation").AllocSysString();
            }
            return DISP_E_EXCEPTION;
        }
        if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0)
        {
            if (pParams == nullptr || pParams->cArgs != 1)
                return DISP_E_BADPARAMCOUNT;
            properties[dispID] = pParams->rgvarg[0];
            return S_OK;
        }
        const auto found = properties.find(dispID);
        if (found == properties.end())
            return (wFlags & DISPATCH_METHOD) != 0 ? S_OK : DISP_E_MEMBERNOTFOUND;
        if (pResult != nullptr)
            return ::VariantCopy(pResult, &found->second);
        return S_OK;
    }

    void Release(LPDISPATCH) override
    {
        calls.push_back({Call::release, "", CLSID_NULL, 0, 0, {}});
        --m_nOpen;
    }

    // Connections handed out and not yet released.
    int OpenConnections() const { return m_nOpen; }

private:
    // The pretend object: only its address is used, the driver's calls all come through the seam.
    class CPretendDispatch : public IDispatch
    {
    public:
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
        {
            if (ppv == nullptr)
                return E_POINTER;
            *ppv = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
            return *ppv != nullptr ? S_OK : E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
        {
            if (pctinfo != nullptr)
                *pctinfo = 0;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
        {
            return DISP_E_UNKNOWNNAME;
        }
        HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                         UINT*) override
        {
            return E_NOTIMPL;
        }
    };

    HRESULT Connect(LPDISPATCH* ppDispatch)
    {
        *ppDispatch = SUCCEEDED(createResult) ? &m_object : nullptr;
        if (*ppDispatch != nullptr)
            ++m_nOpen;
        return createResult;
    }

    CPretendDispatch m_object;
    int m_nOpen = 0;
};
