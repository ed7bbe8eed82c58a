// The IDispatch of an automation-enabled CCmdTarget (CCmdTarget::EnableAutomation makes it): its
// IUnknown calls go to the object, its GetIDsOfNames and Invoke serve the object's dispatch map.
#pragma once

#include <windows.h>
#include <ole2.h>

class CCmdTarget;

class CCmdTargetDispatch final : public IDispatch
{
public:
    explicit CCmdTargetDispatch(CCmdTarget* pOwner) : m_pOwner(pOwner) {}
    virtual ~CCmdTargetDispatch() = default;
    CCmdTargetDispatch(const CCmdTargetDispatch&) = delete;
    CCmdTargetDispatch& operator=(const CCmdTargetDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    CCmdTarget* m_pOwner;
};
