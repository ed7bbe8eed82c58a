#pragma once
// Framework exceptions. They are thrown as pointers (throw new CFileException(...)) and the
// catcher ends their life with Delete(), never with delete: the memory exception is a
// preallocated object that must survive.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <windows.h>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Frees the exception unless it is a preallocated one.
    void Delete();

    // Copies the message, cut to nMaxError - 1 characters, into lpszError. FALSE (and an
    // empty text) when there is no message.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Forwards to the const form, so an override of either form is honoured.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    // Shows the message through the framework's message box; defined next to that seam.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;

protected:
    // Shared by the derived classes: copies text into the caller's buffer.
    static BOOL CopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;

    // Win32 error code (GetLastError) to a cause of this class.
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;            // Win32 error code, -1 when none
    CString m_strFileName;
};

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;
};

class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    using CException::GetErrorMessage;
};

// Thrown after the user has been told (or has cancelled); carries no message of its own.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
};

[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowUserException();
