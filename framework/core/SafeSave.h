#pragma once
// Saving a file the user chose so that it is never left half written: the whole content goes to a
// temporary file in the target's folder, and only once every write went through does that file
// replace the target (MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). A refused
// write leaves the target as it was, byte for byte, and the temporary file is removed.

#include "framework/core/CString.h"
#include "framework/win/Seams.h"

#include <cstddef>
#include <functional>
#include <windows.h>

enum SafeSaveStart
{
    safeSaveEmpty,          // the temporary file starts empty
    safeSaveFromTarget      // it starts as a copy of the target, when there is one (files updated in place)
};

// writeAll writes the whole content to the temporary file it is given and answers TRUE only when every
// write went through. FALSE when the temporary file cannot be made, writeAll refused, or the target
// cannot be replaced (read-only, locked, a folder); GetLastError then tells why, and the target is as
// it was.
BOOL AfxSaveFileSafely(LPCTSTR lpszPath, const std::function<BOOL(LPCTSTR lpszTempPath)>& writeAll,
                       SafeSaveStart start = safeSaveEmpty);

// The same for content held in memory, written as it is.
BOOL AfxSaveBytesSafely(LPCTSTR lpszPath, const void* pData, std::size_t nBytes);

// Key writes of INI-style files that the programs save (WritePrivateProfileStringA). A test installs its
// own to refuse a write half way, or to lock the file between two keys.
class CProfileWriteSeam
{
public:
    virtual ~CProfileWriteSeam() = default;
    virtual BOOL WriteString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszFile) = 0;
};

// Installs a seam; returns the one installed before (nullptr when the real call was in use).
CProfileWriteSeam* AfxSetProfileWriteSeam(CProfileWriteSeam* pSeam);
using CScopedProfileWriteSeam = CScopedSeam<CProfileWriteSeam, AfxSetProfileWriteSeam>;

// WritePrivateProfileStringA through the seam.
BOOL AfxWritePrivateProfileString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszFile);
