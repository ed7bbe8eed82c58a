// The seam every automation call of COleDispatchDriver goes through: creating the server's object,
// IDispatch::Invoke and the release of the connection. The real COM calls are the default; a test
// installs its own (AutomationRecorder.h) and records "CreateDispatch('Fennick.Document'),
// SetProperty(1, VT_R4, 1.0)" without a server.
#pragma once

#include "framework/win/Seams.h"

#include <windows.h>
#include <ole2.h>

class CAutomationSeam
{
public:
    virtual ~CAutomationSeam() = default;
    // The object of a program identifier, as IDispatch with one reference for the caller.
    virtual HRESULT CreateDispatch(LPCTSTR lpszProgID, LPDISPATCH* ppDispatch) = 0;
    virtual HRESULT CreateDispatch(REFCLSID clsid, LPDISPATCH* ppDispatch) = 0;
    // IDispatch::Invoke; arguments in rgvarg are in reverse order, as COM has them.
    virtual HRESULT Invoke(LPDISPATCH lpDispatch, DISPID dispID, WORD wFlags, DISPPARAMS* pParams,
                           VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;
    // Gives up one reference of a connection made by CreateDispatch or attached with auto-release.
    virtual void Release(LPDISPATCH lpDispatch) = 0;
};

// Install a seam; returns the one installed before (nullptr when the default was in use).
CAutomationSeam* AfxSetAutomationSeam(CAutomationSeam* pSeam);
using CScopedAutomationSeam = CScopedSeam<CAutomationSeam, AfxSetAutomationSeam>;

// The seam as the framework calls it.
HRESULT AfxCreateDispatch(LPCTSTR lpszProgID, LPDISPATCH* ppDispatch);
HRESULT AfxCreateDispatch(REFCLSID clsid, LPDISPATCH* ppDispatch);
HRESULT AfxInvokeDispatch(LPDISPATCH lpDispatch, DISPID dispID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                          EXCEPINFO* pExcepInfo, UINT* puArgErr);
void AfxReleaseDispatch(LPDISPATCH lpDispatch);
