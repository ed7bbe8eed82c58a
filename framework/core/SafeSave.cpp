#include "framework/core/SafeSave.h"

#include <utility>

namespace
{
CProfileWriteSeam* g_pProfileWriteSeam = nullptr;

// The full path of the target and its folder; FALSE when the path cannot be resolved.
BOOL SplitTarget(LPCTSTR lpszPath, CString& strFull, CString& strFolder)
{
    char fullPath[MAX_PATH];
    LPSTR filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(lpszPath, MAX_PATH, fullPath, &filePart);
    if (length == 0 || length >= MAX_PATH || filePart == nullptr || *filePart == '\0')
    {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    strFull = fullPath;
    strFolder = CString(fullPath, static_cast<int>(filePart - fullPath));
    return TRUE;
}

// Removes the temporary file and keeps the error that made the save fail.
void DiscardTemporary(const CString& strTemp)
{
    const DWORD error = ::GetLastError();
    ::SetFileAttributesA(strTemp, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(strTemp);
    ::SetLastError(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
}

// The content on the disk before the name points at it: a crash after the move must not find an
// empty file under the target's name.
BOOL FlushToDisk(const CString& strTemp)
{
    HANDLE hFile = ::CreateFileA(strTemp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    const BOOL bFlushed = ::FlushFileBuffers(hFile);
    const DWORD error = ::GetLastError();
    ::CloseHandle(hFile);
    ::SetLastError(error);
    return bFlushed;
}
} // namespace

BOOL AfxSaveFileSafely(LPCTSTR lpszPath, const std::function<BOOL(LPCTSTR lpszTempPath)>& writeAll,
                       SafeSaveStart start)
{
    CString strTarget;
    CString strFolder;
    if (lpszPath == nullptr || !SplitTarget(lpszPath, strTarget, strFolder))
        return FALSE;

    // Windows refuses to replace a read-only file; Wine's rename would not, so it is asked first.
    const DWORD targetAttributes = ::GetFileAttributesA(strTarget);
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY) != 0)
    {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }

    // In the target's folder, so that the final move is a rename on the same volume.
    char tempPath[MAX_PATH];
    if (::GetTempFileNameA(strFolder, "~sv", 0, tempPath) == 0)
        return FALSE;
    const CString strTemp(tempPath);

    if (start == safeSaveFromTarget && targetAttributes != INVALID_FILE_ATTRIBUTES)
    {
        // A target that exists but cannot be read would lose the lines this save does not write.
        if (!::CopyFileA(strTarget, strTemp, FALSE))
        {
            DiscardTemporary(strTemp);
            return FALSE;
        }
        // The copy takes the target's attributes (hidden, system): the writes must still go in.
        ::SetFileAttributesA(strTemp, FILE_ATTRIBUTE_NORMAL);
    }

    BOOL bWritten = FALSE;
    try
    {
        ::SetLastError(ERROR_SUCCESS);
        bWritten = writeAll(strTemp);
    }
    catch (...)
    {
        DiscardTemporary(strTemp);
        throw;
    }
    if (!bWritten || !FlushToDisk(strTemp) ||
        !::MoveFileExA(strTemp, strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DiscardTemporary(strTemp);
        return FALSE;
    }
    return TRUE;
}

BOOL AfxSaveBytesSafely(LPCTSTR lpszPath, const void* pData, std::size_t nBytes)
{
    return AfxSaveFileSafely(lpszPath, [&](LPCTSTR lpszTempPath) -> BOOL {
        HANDLE hFile = ::CreateFileA(lpszTempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return FALSE;
        const BYTE* pBytes = static_cast<const BYTE*>(pData);
        std::size_t nLeft = nBytes;
        BOOL bOk = TRUE;
        while (bOk && nLeft > 0)
        {
            const DWORD nChunk = static_cast<DWORD>(nLeft < 0x40000000 ? nLeft : 0x40000000);
            DWORD nWritten = 0;
            bOk = ::WriteFile(hFile, pBytes, nChunk, &nWritten, nullptr) && nWritten == nChunk;
            pBytes += nWritten;
            nLeft -= nWritten;
        }
        const DWORD error = ::GetLastError();
        ::CloseHandle(hFile);
        ::SetLastError(error);
        return bOk;
    });
}

CProfileWriteSeam* AfxSetProfileWriteSeam(CProfileWriteSeam* pSeam)
{
    return std::exchange(g_pProfileWriteSeam, pSeam);
}

BOOL AfxWritePrivateProfileString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszFile)
{
    if (g_pProfileWriteSeam != nullptr)
        return g_pProfileWriteSeam->WriteString(lpszSection, lpszKey, lpszValue, lpszFile);
    return ::WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, lpszFile);
}
