// COleDispatchDriver: the client side of an automation connection, an IDispatch pointer with typed
// calls. Every call goes through the automation seam (AutomationSeam.h).
#pragma once

#include "framework/core/CString.h"
#include "framework/ole/OleExceptions.h"

#include <windows.h>
#include <ole2.h>

#include <cstdarg>

// Parameter-type codes for InvokeHelper: a string of one code per argument. A code is the VARTYPE;
// 0x40 marks a pointer to it (VT_BYREF). The argument passed for each code:
#define VTS_NONE     ""          // no arguments
#define VTS_I2       "\x02"      // short
#define VTS_I4       "\x03"      // long
#define VTS_R4       "\x04"      // float (passed as double, as varargs promote it)
#define VTS_R8       "\x05"      // double
#define VTS_CY       "\x06"      // const CY*
#define VTS_DATE     "\x07"      // DATE
#define VTS_BSTR     "\x08"      // LPCSTR, sent as a BSTR
#define VTS_DISPATCH "\x09"      // LPDISPATCH
#define VTS_SCODE    "\x0A"      // SCODE
#define VTS_BOOL     "\x0B"      // BOOL
#define VTS_VARIANT  "\x0C"      // const VARIANT*
#define VTS_UNKNOWN  "\x0D"      // LPUNKNOWN
#define VTS_I1       "\x10"      // signed char (passed as int)
#define VTS_UI1      "\x11"      // BYTE
#define VTS_UI2      "\x12"      // WORD
#define VTS_UI4      "\x13"      // DWORD
#define VTS_I8       "\x14"      // LONGLONG
#define VTS_UI8      "\x15"      // ULONGLONG
#define VTS_PI2      "\x42"      // short*
#define VTS_PI4      "\x43"      // long*
#define VTS_PR4      "\x44"      // float*
#define VTS_PR8      "\x45"      // double*
#define VTS_PCY      "\x46"      // CY*
#define VTS_PDATE    "\x47"      // DATE*
#define VTS_PBSTR    "\x48"      // BSTR*
#define VTS_PDISPATCH "\x49"     // LPDISPATCH*
#define VTS_PSCODE   "\x4A"      // SCODE*
#define VTS_PBOOL    "\x4B"      // VARIANT_BOOL*
#define VTS_PVARIANT "\x4C"      // VARIANT*
#define VTS_PUNKNOWN "\x4D"      // LPUNKNOWN*
#define VTS_PUI1     "\x51"      // BYTE*

class COleDispatchDriver
{
public:
    COleDispatchDriver();
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Shares the other's connection with a reference of its own.
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    // Releases the connection (auto-release only).
    ~COleDispatchDriver();

    // Creates the server's object and connects to its IDispatch. A connection held before is
    // released first. FALSE on failure, with the HRESULT in pError when given; nothing is thrown.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);

    // Takes a pointer; with bAutoRelease its reference is the driver's to release.
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Gives up the pointer without releasing it.
    LPDISPATCH DetachDispatch();
    // Releases the connection (when auto-release) and forgets it.
    void ReleaseDispatch();

    // Calls a method or property. vtRet is the result's VARTYPE (VT_EMPTY for none) and pvRet points
    // to a variable of its C type (VT_BSTR: CString, VT_BOOL: BOOL, VT_VARIANT: VARIANT, VT_DISPATCH:
    // LPDISPATCH with its reference); pbParamInfo holds VTS_ codes for the arguments after it.
    // Throws COleDispatchException when the server raises one, COleException for any other failure.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);
    // Puts the one value that follows vtProp, given as the VTS_ code of vtProp asks.
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    // Gets a property into pvProp, typed as for InvokeHelper.
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};
