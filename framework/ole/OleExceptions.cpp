#include "framework/ole/OleExceptions.h"

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

// --- COleException ----------------------------------------------------------------------

COleException::COleException() : m_sc(S_OK) {}

COleException::COleException(SCODE sc) : m_sc(sc) {}

SCODE COleException::Process(const CException* pAnyException)
{
    if (pAnyException == nullptr)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleDispatchException)))
        return DISP_E_EXCEPTION;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    char* systemText = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
    CString message;
    if (length > 0 && systemText != nullptr)
    {
        message = systemText;
        message.TrimRight();
    }
    else
    {
        message.Format("OLE error 0x%08lX", static_cast<unsigned long>(m_sc));
    }
    if (systemText != nullptr)
        ::LocalFree(systemText);
    return CopyErrorMessage(message, lpszError, nMaxError, pnHelpContext);
}

// --- COleDispatchException --------------------------------------------------------------

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(wCode != 0 ? DISP_E_EXCEPTION : S_OK), m_dwHelpContext(nHelpID),
      m_strDescription(lpszDescription != nullptr ? lpszDescription : "")
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    const BOOL bCopied = CopyErrorMessage(m_strDescription, lpszError, nMaxError, pnHelpContext);
    if (pnHelpContext != nullptr)
        *pnHelpContext = m_dwHelpContext;
    return bCopied;
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
