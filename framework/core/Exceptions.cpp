#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

namespace
{
const char* ArchiveCauseText(int cause)
{
    switch (cause)
    {
    case CArchiveException::none: return "No error occurred.";
    case CArchiveException::readOnly: return "Tried to write to an archive that was opened for loading.";
    case CArchiveException::endOfFile: return "Unexpected end of file while reading an archive.";
    case CArchiveException::writeOnly: return "Tried to read from an archive that was opened for storing.";
    case CArchiveException::badIndex: return "The archive refers to an object or class that it does not hold.";
    case CArchiveException::badClass: return "The archive holds an object of an unexpected or unknown class.";
    case CArchiveException::badSchema: return "The archive holds an object of an unsupported version.";
    default: return "An unexpected error occurred while reading or writing an archive.";
    }
}

const char* FileCauseText(int cause)
{
    switch (cause)
    {
    case CFileException::none: return "No error occurred.";
    case CFileException::fileNotFound: return "The file could not be found.";
    case CFileException::badPath: return "The path of the file is not valid.";
    case CFileException::tooManyOpenFiles: return "Too many files are open.";
    case CFileException::accessDenied: return "Access to the file was denied.";
    case CFileException::invalidFile: return "The file handle is not valid.";
    case CFileException::removeCurrentDir: return "The current folder cannot be removed.";
    case CFileException::directoryFull: return "The folder is full.";
    case CFileException::badSeek: return "The position in the file could not be set.";
    case CFileException::hardIO: return "A hardware error occurred while accessing the file.";
    case CFileException::sharingViolation: return "The file is in use by another program.";
    case CFileException::lockViolation: return "A locked region of the file could not be accessed.";
    case CFileException::diskFull: return "The disk is full.";
    case CFileException::endOfFile: return "Unexpected end of file.";
    default: return "An unexpected error occurred while accessing the file.";
    }
}

// "name: text" when the name is known, else the text alone.
CString WithFileName(const CString& fileName, const char* text)
{
    if (fileName.IsEmpty())
        return CString(text);
    CString message(fileName);
    message += ": ";
    message += text;
    return message;
}

// Preallocated: when memory runs out there may be none left for the exception itself.
// Made on first use, so a throw during another file's static initialisation finds it whole.
CMemoryException* OutOfMemory()
{
    static CMemoryException outOfMemory(FALSE);
    return &outOfMemory;
}
}

// --- CException -------------------------------------------------------------------------

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage(nullptr, lpszError, nMaxError, pnHelpContext);
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return static_cast<const CException*>(this)->GetErrorMessage(lpszError, nMaxError, pnHelpContext);
}

BOOL CException::CopyErrorMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lpszError[0] = '\0';
    if (lpszText == nullptr || lpszText[0] == '\0')
        return FALSE;
    const size_t copied = std::min<size_t>(std::strlen(lpszText), nMaxError - 1);
    std::memcpy(lpszError, lpszText, copied);
    lpszError[copied] = '\0';
    return TRUE;
}

// --- CArchiveException ------------------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName != nullptr ? lpszArchiveName : "")
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    const CString message = WithFileName(m_strFileName, ArchiveCauseText(m_cause));
    return CopyErrorMessage(message, lpszError, nMaxError, pnHelpContext);
}

// --- CFileException ---------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName != nullptr ? lpszArchiveName : "")
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    const CString message = WithFileName(m_strFileName, FileCauseText(m_cause));
    return CopyErrorMessage(message, lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
        return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_DIR_NOT_EMPTY: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

// --- the message-only exceptions --------------------------------------------------------

CMemoryException::CMemoryException() = default;

CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

CResourceException::CResourceException() = default;

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage("A required resource was not available.", lpszError, nMaxError, pnHelpContext);
}

CNotSupportedException::CNotSupportedException() = default;

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage("The operation is not supported.", lpszError, nMaxError, pnHelpContext);
}

CUserException::CUserException() = default;

// --- throwing ---------------------------------------------------------------------------

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowMemoryException()
{
    throw OutOfMemory();
}

void AfxThrowResourceException()
{
    throw new CResourceException();
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

void AfxThrowUserException()
{
    throw new CUserException();
}
