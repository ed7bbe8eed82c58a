// Exceptions of OLE calls: COleException carries the failing HRESULT, COleDispatchException what
// an automation server reported through EXCEPINFO.
#pragma once

#include "framework/core/Exceptions.h"

#include <windows.h>
#include <ole2.h>

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    COleException();
    explicit COleException(SCODE sc);

    // The HRESULT that stands for any framework exception (E_OUTOFMEMORY for a memory exception...).
    static SCODE Process(const CException* pAnyException);

    // The system's text for m_sc.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;

    SCODE m_sc;
};

class COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);

    // The server's description.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;

    WORD m_wCode;              // the server's error code; 0 when it gave an SCODE instead
    SCODE m_scError;           // DISP_E_EXCEPTION's SCODE, or the server's when m_wCode is 0
    DWORD m_dwHelpContext;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
