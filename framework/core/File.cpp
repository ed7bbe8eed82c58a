#include "framework/core/File.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
// Start of the name part of a path (after the last slash, backslash or drive colon).
int NameStart(const CString& path)
{
    const char* text = path;
    int start = 0;
    for (int i = 0; text[i] != '\0'; ++i)
    {
        if (text[i] == '\\' || text[i] == '/' || text[i] == ':')
            start = i + 1;
    }
    return start;
}

CTime TimeOf(const FILETIME& time)
{
    return (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) ? CTime() : CTime(time);
}

void FillStatus(CFileStatus& rStatus, const FILETIME& created, const FILETIME& written, const FILETIME& accessed,
                ULONGLONG size, DWORD attributes, const CString& fullName)
{
    rStatus.m_ctime = TimeOf(created);
    rStatus.m_mtime = TimeOf(written);
    rStatus.m_atime = TimeOf(accessed);
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    rStatus.m_size = size;
    // The CFile::Attribute bits are the low byte of the Win32 attributes.
    rStatus.m_attribute = static_cast<BYTE>(attributes & 0xFF);
    rStatus.m_padding = 0;
    lstrcpynA(rStatus.m_szFullName, fullName, MAX_PATH);
}

CString FullPathOf(LPCTSTR lpszFileName)
{
    char fullPath[MAX_PATH];
    LPSTR filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(lpszFileName, MAX_PATH, fullPath, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return CString(lpszFileName);
    return CString(fullPath);
}

// The failed Win32 call's error as a CFileException.
[[noreturn]] void ThrowLastError(LPCTSTR lpszFileName)
{
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
}

// Open reports a failure through its argument, when the caller gave one, instead of throwing.
void ReportOpenError(CFileException* pError, int cause, LONG osError, LPCTSTR lpszFileName)
{
    if (pError == nullptr)
        return;
    pError->m_cause = cause;
    pError->m_lOsError = osError;
    pError->m_strFileName = lpszFileName != nullptr ? lpszFileName : "";
}
}

// --- CFile ------------------------------------------------------------------------------

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    // A destructor cannot report a failed close; Close() is there for callers who care.
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    if (lpszFileName == nullptr || lpszFileName[0] == '\0')
    {
        ReportOpenError(pError, CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
        return FALSE;
    }

    DWORD access = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }

    DWORD shareMode = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite: shareMode = FILE_SHARE_READ; break;
    case shareDenyRead: shareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: shareMode = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: shareMode = 0; break;    // shareCompat and shareExclusive
    }

    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES security = { sizeof(SECURITY_ATTRIBUTES), nullptr, (nOpenFlags & modeNoInherit) == 0 };

    const HANDLE hFile = ::CreateFileA(lpszFileName, access, shareMode, &security, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        const LONG osError = static_cast<LONG>(::GetLastError());
        ReportOpenError(pError, CFileException::OsErrorToException(osError), osError, lpszFileName);
        return FALSE;
    }

    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullPathOf(lpszFileName);
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD bytesRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &bytesRead, nullptr))
        ThrowLastError(m_strFileName);
    return bytesRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD bytesWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &bytesWritten, nullptr))
        ThrowLastError(m_strFileName);
    if (bytesWritten < nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER newPosition;
    newPosition.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, distance, &newPosition, nFrom))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(newPosition.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    position.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    size.QuadPart = 0;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    BOOL failed = FALSE;
    LONG osError = 0;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        failed = !::CloseHandle(m_hFile);
        osError = static_cast<LONG>(::GetLastError());
    }
    const CString fileName = m_strFileName;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (failed)
        CFileException::ThrowOsError(osError, fileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    BY_HANDLE_FILE_INFORMATION information;
    if (m_hFile == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(m_hFile, &information))
        return FALSE;
    const ULONGLONG size = (static_cast<ULONGLONG>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    FillStatus(rStatus, information.ftCreationTime, information.ftLastWriteTime, information.ftLastAccessTime, size,
               information.dwFileAttributes, m_strFileName);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (lpszFileName == nullptr || !::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &information))
        return FALSE;
    const ULONGLONG size = (static_cast<ULONGLONG>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    FillStatus(rStatus, information.ftCreationTime, information.ftLastWriteTime, information.ftLastAccessTime, size,
               information.dwFileAttributes, FullPathOf(lpszFileName));
    return TRUE;
}

CString CFile::GetFileName() const
{
    const int start = NameStart(m_strFileName);
    return m_strFileName.Mid(start);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName != nullptr ? lpszNewName : "";
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        ThrowLastError(lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        ThrowLastError(lpszFileName);
}

// --- CStdioFile -------------------------------------------------------------------------

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);    // closes the handle too
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != nullptr)
        Abort();
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;

    // The stream mode follows the access the handle was opened with; the handle already
    // did any creation or truncation.
    char mode[4] = {};
    int modeLength = 0;
    if (nOpenFlags & modeCreate)
        mode[modeLength++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
    else if (nOpenFlags & modeWrite)
        mode[modeLength++] = 'a';
    else
        mode[modeLength++] = 'r';
    if ((mode[0] == 'r' && (nOpenFlags & modeReadWrite)) || (mode[0] != 'r' && !(nOpenFlags & modeWrite)))
        mode[modeLength++] = '+';

    int descriptorFlags = (nOpenFlags & (modeWrite | modeReadWrite)) ? 0 : _O_RDONLY;
    if (nOpenFlags & typeBinary)
    {
        mode[modeLength++] = 'b';
        descriptorFlags |= _O_BINARY;
    }
    else
    {
        mode[modeLength++] = 't';
        descriptorFlags |= _O_TEXT;
    }

    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), descriptorFlags);
    if (descriptor != -1)
    {
        m_pStream = _fdopen(descriptor, mode);
        if (m_pStream != nullptr)
            return TRUE;
        _close(descriptor);    // closes the handle as well
        m_hFile = INVALID_HANDLE_VALUE;
    }
    const CString fileName = lpszFileName;
    CFile::Abort();
    ReportOpenError(pError, CFileException::tooManyOpenFiles, -1, fileName);
    return FALSE;
}

void CStdioFile::CheckStream() const
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
}

void CStdioFile::ThrowStreamError()
{
    const int error = errno;
    if (m_pStream != nullptr)
        std::clearerr(m_pStream);
    AfxThrowFileException(error == ENOSPC ? CFileException::diskFull : CFileException::genericException,
                          static_cast<LONG>(_doserrno), m_strFileName);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    CheckStream();
    if (std::fputs(lpsz, m_pStream) == EOF)
        ThrowStreamError();
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckStream();
    if (nMax == 0)
        return nullptr;
    const int limit = static_cast<int>(std::min<UINT>(nMax, 0x7FFFFFFF));
    LPTSTR result = std::fgets(lpsz, limit, m_pStream);
    if (result == nullptr)
    {
        lpsz[0] = '\0';
        if (std::ferror(m_pStream))
            ThrowStreamError();
    }
    return result;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    CheckStream();
    rString.Empty();
    BOOL readAnything = FALSE;
    char chunk[256];
    for (;;)
    {
        if (std::fgets(chunk, sizeof chunk, m_pStream) == nullptr)
        {
            if (std::ferror(m_pStream))
                ThrowStreamError();
            break;
        }
        readAnything = TRUE;
        size_t length = std::strlen(chunk);
        const bool endOfLine = length > 0 && chunk[length - 1] == '\n';
        if (endOfLine)
            chunk[--length] = '\0';
        rString += chunk;
        if (endOfLine)
            break;
    }
    // A CR left over means a CR LF line in a binary-mode file.
    const int length = rString.GetLength();
    if (length > 0 && rString.GetAt(length - 1) == '\r')
        rString = rString.Left(length - 1);
    return readAnything;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    CheckStream();
    if (nCount == 0)
        return 0;
    const size_t bytesRead = std::fread(lpBuf, 1, nCount, m_pStream);
    if (bytesRead == 0 && std::ferror(m_pStream))
        ThrowStreamError();
    return static_cast<UINT>(bytesRead);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    CheckStream();
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError();
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckStream();
    static const int origins[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (nFrom > end || _fseeki64(m_pStream, lOff, origins[nFrom]) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(_doserrno), m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    CheckStream();
    const long long position = _ftelli64(m_pStream);
    if (position < 0)
        AfxThrowFileException(CFileException::invalidFile, static_cast<LONG>(_doserrno), m_strFileName);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const
{
    CheckStream();
    const long long position = _ftelli64(m_pStream);
    if (position < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(_doserrno), m_strFileName);
    const long long length = _ftelli64(m_pStream);
    if (length < 0 || _fseeki64(m_pStream, position, SEEK_SET) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(_doserrno), m_strFileName);
    return static_cast<ULONGLONG>(length);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(_doserrno), m_strFileName);
}

void CStdioFile::Close()
{
    int result = 0;
    if (m_pStream != nullptr)
        result = std::fclose(m_pStream);
    const CString fileName = m_strFileName;
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (result != 0)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(_doserrno), fileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

// --- CMemFile ---------------------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(nullptr), m_bAutoDelete(TRUE), m_bAllowGrow(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(nullptr), m_bAutoDelete(TRUE), m_bAllowGrow(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    // Only the plain buffer is released here: a derived class's Free is gone by now, so
    // CSharedFile releases its block in its own destructor.
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        CMemFile::Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    // With a grow step the buffer is only room to write into; without one it is the content.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
    m_bAllowGrow = nGrowBytes != 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    m_bAllowGrow = TRUE;
    return buffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

namespace
{
const SIZE_T kQuadrupleBelow = 16 * 1024 * 1024;
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (!m_bAllowGrow || m_nGrowBytes == 0)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);

    const SIZE_T neededSize = RoundUpToGrowSteps(dwNewLen);
    if (neededSize == 0)
        AfxThrowMemoryException();
    // The buffer at least doubles: a reallocation may copy the whole buffer, and growing by one step
    // at a time would copy a file written in small pieces over and over (a clipboard block of many
    // megabytes took seconds). Below 16 MB it quadruples: each move touches fresh memory, and a
    // clipboard block of megabytes moved through every doubling cost more than writing it. When
    // memory is short, the size the write needs is still tried.
    const SIZE_T nFactor = m_nBufferSize < kQuadrupleBelow ? 4 : 2;
    const SIZE_T doubledSize =
        m_nBufferSize <= SIZE_MAX / nFactor ? RoundUpToGrowSteps(m_nBufferSize * nFactor) : 0;
    BYTE* newBuffer = nullptr;
    SIZE_T newBufferSize = 0;
    for (const SIZE_T trySize : {std::max(neededSize, doubledSize), neededSize})
    {
        newBufferSize = trySize;
        newBuffer = ResizeBuffer(trySize);
        if (newBuffer != nullptr || trySize == neededSize)
            break;
    }
    if (newBuffer == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = newBuffer;
    m_nBufferSize = newBufferSize;
}

SIZE_T CMemFile::RoundUpToGrowSteps(SIZE_T nBytes) const
{
    const SIZE_T steps = nBytes / m_nGrowBytes + (nBytes % m_nGrowBytes != 0 ? 1 : 0);
    return steps <= SIZE_MAX / m_nGrowBytes ? steps * m_nGrowBytes : 0;
}

BYTE* CMemFile::ResizeBuffer(SIZE_T nBytes)
{
    if (m_lpBuffer == nullptr)
        return Alloc(nBytes);
    if (m_bAutoDelete)
        return Realloc(m_lpBuffer, nBytes);
    // A caller's buffer is never reallocated behind its back: move the data to our own.
    BYTE* newBuffer = Alloc(nBytes);
    if (newBuffer != nullptr)
    {
        std::memcpy(newBuffer, m_lpBuffer, m_nFileSize);
        m_bAutoDelete = TRUE;
    }
    return newBuffer;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    const SIZE_T available = m_nFileSize - m_nPosition;
    const UINT bytesRead = static_cast<UINT>(std::min<SIZE_T>(available, nCount));
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, bytesRead);
    m_nPosition += bytesRead;
    return bytesRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const SIZE_T newEnd = m_nPosition + nCount;
    if (newEnd > m_nBufferSize)
        GrowFile(newEnd);
    // A write after a seek beyond the end leaves zeros in the gap, not old heap bytes.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = newEnd;
    m_nFileSize = std::max(m_nFileSize, newEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    switch (nFrom)
    {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    const LONGLONG newPosition = base + lOff;
    if (newPosition < 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(newPosition);
    return static_cast<ULONGLONG>(m_nPosition);
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    const SIZE_T newLength = static_cast<SIZE_T>(dwNewLen);
    if (newLength > m_nBufferSize)
        GrowFile(newLength);
    if (newLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, newLength - m_nFileSize);
    if (newLength < m_nPosition)
        m_nPosition = newLength;
    m_nFileSize = newLength;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    CMemFile::Detach();    // forgets the buffer, now freed or the caller's, and empties the file
}

void CMemFile::Abort()
{
    Close();
}

// --- CSharedFile ------------------------------------------------------------------------

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bOwnsBlock(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    const HGLOBAL hMemory = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMemory == nullptr)
        return nullptr;
    BYTE* buffer = static_cast<BYTE*>(::GlobalLock(hMemory));
    if (buffer == nullptr)
    {
        ::GlobalFree(hMemory);
        return nullptr;
    }
    m_hGlobalMemory = hMemory;
    m_bOwnsBlock = TRUE;
    return buffer;
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    ::GlobalUnlock(m_hGlobalMemory);
    const HGLOBAL hResized = ::GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE | (m_nAllocFlags & GMEM_ZEROINIT));
    if (hResized == nullptr)
    {
        // The old block is intact; lock it again so the file keeps working.
        BYTE* old = static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
        m_lpBuffer = old;
        return nullptr;
    }
    m_hGlobalMemory = hResized;
    return static_cast<BYTE*>(::GlobalLock(hResized));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory == nullptr)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    if (m_bOwnsBlock)
        ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
    m_bOwnsBlock = TRUE;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMemory = m_hGlobalMemory;
    if (hMemory != nullptr)
    {
        ::GlobalUnlock(hMemory);
        // The buffer grows ahead of the writes; the block handed on keeps only the content in
        // whole grow steps, the size it would have had growing step by step.
        const SIZE_T fittedSize = m_nGrowBytes != 0 ? RoundUpToGrowSteps(m_nFileSize) : 0;
        if (m_bOwnsBlock && fittedSize != 0 && fittedSize < ::GlobalSize(hMemory))
            if (const HGLOBAL hFitted = ::GlobalReAlloc(hMemory, fittedSize, GMEM_MOVEABLE))
                hMemory = hFitted;
    }
    m_hGlobalMemory = nullptr;
    m_bOwnsBlock = TRUE;
    CMemFile::Detach();
    return hMemory;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    BYTE* buffer = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
    if (buffer == nullptr)
        AfxThrowFileException(CFileException::invalidFile, static_cast<LONG>(::GetLastError()), m_strFileName);
    m_hGlobalMemory = hGlobalMemory;
    m_bOwnsBlock = FALSE;
    m_lpBuffer = buffer;
    m_nBufferSize = ::GlobalSize(hGlobalMemory);
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;     // through Free, which only unlocks a block it does not own
    m_bAllowGrow = bAllowGrow;
}
