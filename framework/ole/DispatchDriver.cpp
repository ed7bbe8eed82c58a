#include "framework/ole/DispatchDriver.h"

#include "framework/ole/AutomationSeam.h"

#include <cstring>
#include <vector>

namespace {

// The arguments of one call in COM's order (last argument first); frees the BSTRs made for them.
class CInvokeArguments
{
public:
    explicit CInvokeArguments(size_t nCount) : m_args(nCount), m_owned(nCount, false)
    {
        for (VARIANT& arg : m_args)
            ::VariantInit(&arg);
    }
    ~CInvokeArguments()
    {
        for (size_t i = 0; i < m_args.size(); ++i)
            if (m_owned[i])
                ::VariantClear(&m_args[i]);
    }
    CInvokeArguments(const CInvokeArguments&) = delete;
    CInvokeArguments& operator=(const CInvokeArguments&) = delete;

    // The argument at a caller's position (0 = first given).
    VARIANT& At(size_t nPosition) { return m_args[m_args.size() - 1 - nPosition]; }
    void Own(size_t nPosition) { m_owned[m_args.size() - 1 - nPosition] = true; }
    VARIANT* Data() { return m_args.empty() ? nullptr : m_args.data(); }

private:
    std::vector<VARIANT> m_args;
    std::vector<bool> m_owned;
};

BSTR AllocBstr(LPCSTR lpszText)
{
    return CString(lpszText != nullptr ? lpszText : "").AllocSysString();
}

// Reads the argument of one VTS_ code from the list.
void ReadArgument(BYTE code, va_list& argList, CInvokeArguments& args, size_t nPosition)
{
    VARIANT& arg = args.At(nPosition);
    if ((code & 0x40) != 0)
    {
        arg.vt = static_cast<VARTYPE>((code & ~0x40) | VT_BYREF);
        arg.byref = va_arg(argList, void*);
        if (arg.byref == nullptr)
            AfxThrowOleException(E_POINTER);
        return;
    }
    arg.vt = code;
    switch (code)
    {
    case VT_I1: arg.cVal = static_cast<CHAR>(va_arg(argList, int)); break;
    case VT_UI1: arg.bVal = static_cast<BYTE>(va_arg(argList, int)); break;
    case VT_I2: arg.iVal = static_cast<SHORT>(va_arg(argList, int)); break;
    case VT_UI2: arg.uiVal = static_cast<USHORT>(va_arg(argList, int)); break;
    case VT_I4: arg.lVal = va_arg(argList, long); break;
    case VT_UI4: arg.ulVal = va_arg(argList, unsigned long); break;
    case VT_I8: arg.llVal = va_arg(argList, LONGLONG); break;
    case VT_UI8: arg.ullVal = va_arg(argList, ULONGLONG); break;
    case VT_R4: arg.fltVal = static_cast<float>(va_arg(argList, double)); break;
    case VT_R8: arg.dblVal = va_arg(argList, double); break;
    case VT_DATE: arg.date = va_arg(argList, DATE); break;
    case VT_ERROR: arg.scode = va_arg(argList, SCODE); break;
    case VT_BOOL: arg.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_DISPATCH: arg.pdispVal = va_arg(argList, LPDISPATCH); break;
    case VT_UNKNOWN: arg.punkVal = va_arg(argList, LPUNKNOWN); break;
    case VT_CY:
    {
        const CY* pcy = va_arg(argList, const CY*);
        if (pcy == nullptr)
            AfxThrowOleException(E_POINTER);
        arg.cyVal = *pcy;
        break;
    }
    case VT_BSTR:
        arg.bstrVal = AllocBstr(va_arg(argList, LPCSTR));
        if (arg.bstrVal == nullptr)
            AfxThrowOleException(E_OUTOFMEMORY);
        args.Own(nPosition);
        break;
    case VT_VARIANT:
    {
        // The caller's variant is sent as it is (its contents stay the caller's).
        const VARIANT* pvar = va_arg(argList, const VARIANT*);
        if (pvar == nullptr)
            AfxThrowOleException(E_POINTER);
        arg = *pvar;
        break;
    }
    default:
        arg.vt = VT_EMPTY;
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

[[noreturn]] void ThrowDispatchException(EXCEPINFO& excepInfo)
{
    if (excepInfo.pfnDeferredFillIn != nullptr)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    auto* pException = new COleDispatchException(
        excepInfo.bstrDescription != nullptr ? CString(excepInfo.bstrDescription) : CString(),
        excepInfo.dwHelpContext, excepInfo.wCode);
    if (excepInfo.bstrSource != nullptr)
        pException->m_strSource = CString(excepInfo.bstrSource);
    if (excepInfo.bstrHelpFile != nullptr)
        pException->m_strHelpFile = CString(excepInfo.bstrHelpFile);
    pException->m_scError = excepInfo.wCode != 0 || excepInfo.scode == S_OK ? DISP_E_EXCEPTION : excepInfo.scode;
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrHelpFile);
    throw pException;
}

// Stores a result of type vtRet (already converted) into the caller's variable; the result's
// contents pass to the caller where the type holds a reference.
void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    switch (vtRet)
    {
    case VT_I1: *static_cast<CHAR*>(pvRet) = result.cVal; break;
    case VT_UI1: *static_cast<BYTE*>(pvRet) = result.bVal; break;
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_UI2: *static_cast<USHORT*>(pvRet) = result.uiVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_UI4: *static_cast<ULONG*>(pvRet) = result.ulVal; break;
    case VT_I8: *static_cast<LONGLONG*>(pvRet) = result.llVal; break;
    case VT_UI8: *static_cast<ULONGLONG*>(pvRet) = result.ullVal; break;
    case VT_INT: *static_cast<INT*>(pvRet) = result.intVal; break;
    case VT_UINT: *static_cast<UINT*>(pvRet) = result.uintVal; break;
    case VT_R4: *static_cast<float*>(pvRet) = result.fltVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_DATE: *static_cast<DATE*>(pvRet) = result.date; break;
    case VT_CY: *static_cast<CY*>(pvRet) = result.cyVal; break;
    case VT_ERROR: *static_cast<SCODE*>(pvRet) = result.scode; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = result.bstrVal != nullptr ? CString(result.bstrVal) : CString();
        ::VariantClear(&result);
        break;
    case VT_DISPATCH: *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal; break;
    case VT_UNKNOWN: *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal; break;
    case VT_VARIANT: *static_cast<VARIANT*>(pvRet) = result; break;
    default:
        ::VariantClear(&result);
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

// The object named by a CLSID or a ProgID, attached for release; the failure goes into pError.
template <class ClassName>
BOOL CreateAndAttach(COleDispatchDriver& driver, const ClassName& className, COleException* pError)
{
    driver.ReleaseDispatch();
    LPDISPATCH lpDispatch = nullptr;
    const HRESULT hr = AfxCreateDispatch(className, &lpDispatch);
    if (FAILED(hr) || lpDispatch == nullptr)
    {
        if (pError != nullptr)
            pError->m_sc = FAILED(hr) ? hr : E_NOINTERFACE;
        return FALSE;
    }
    driver.AttachDispatch(lpDispatch, TRUE);
    return TRUE;
}

} // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(nullptr), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != nullptr)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc)
    {
        LPDISPATCH lpDispatch = dispatchSrc.m_lpDispatch;
        if (lpDispatch != nullptr)
            lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    return CreateAndAttach(*this, clsid, pError);
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    return CreateAndAttach(*this, lpszProgID, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    if (lpDispatch != m_lpDispatch)
        ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    if (lpDispatch != nullptr && m_bAutoRelease)
        AfxReleaseDispatch(lpDispatch);
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try
    {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(CO_E_OBJNOTCONNECTED);

    const size_t nCount = pbParamInfo != nullptr ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    CInvokeArguments args(nCount);
    va_list argCursor;
    va_copy(argCursor, argList);
    try
    {
        for (size_t i = 0; i < nCount; ++i)
            ReadArgument(pbParamInfo[i], argCursor, args, i);
    }
    catch (...)
    {
        va_end(argCursor);
        throw;
    }
    va_end(argCursor);

    DISPPARAMS params = {};
    params.cArgs = static_cast<UINT>(nCount);
    params.rgvarg = args.Data();
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0)
    {
        // A property's new value is its one named argument.
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &dispidNamed;
    }

    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO excepInfo = {};
    UINT uArgErr = 0;
    const HRESULT hr = AfxInvokeDispatch(m_lpDispatch, dwDispID, wFlags, &params,
                                         vtRet != VT_EMPTY ? &result : nullptr, &excepInfo, &uArgErr);
    if (FAILED(hr))
    {
        ::VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
            ThrowDispatchException(excepInfo);
        AfxThrowOleException(hr);
    }
    if (vtRet == VT_EMPTY)
        return;
    if (pvRet == nullptr)
    {
        ::VariantClear(&result);
        return;
    }
    if (vtRet != VT_VARIANT && result.vt != vtRet)
    {
        const HRESULT hrChange = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hrChange))
        {
            ::VariantClear(&result);
            AfxThrowOleException(hrChange);
        }
    }
    StoreResult(result, vtRet, pvRet);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    // One plain type: a code of its own for each, as InvokeHelper reads them.
    if (vtProp == VT_EMPTY || vtProp >= 0x40)
        AfxThrowOleException(DISP_E_BADVARTYPE);
    const BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    const WORD wFlags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    va_list argList;
    va_start(argList, vtProp);
    try
    {
        InvokeHelperV(dwDispID, wFlags, VT_EMPTY, nullptr, paramInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}
