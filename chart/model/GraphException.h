// The one exception of the chart library: a numeric error code whose message lies in the string table.
#pragma once

#include "framework/core/Exceptions.h"

class QVGraphException : public CException
{
    DECLARE_DYNCREATE(QVGraphException)
public:
    explicit QVGraphException(int nErrorCode = 0);

    // Empty text and FALSE for code 0 or when the string table has no text for the code.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    using CException::GetErrorMessage;
    // The message in a message box with the exclamation icon.
    int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) override;

    virtual UINT GetDefaultMessageId() const;
    virtual UINT GetMessageId() const;

    int GetErrorCode() const { return m_nErrorCode; }

    int m_nErrorCode;
};

// Throws a QVGraphException carrying nErrorCode (as a pointer; the catcher calls Delete()).
[[noreturn]] void RaiseChartError(int nErrorCode);
