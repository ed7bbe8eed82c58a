#pragma once
// Files: CFile over a Win32 file handle, CStdioFile for text lines, CMemFile over a
// growing heap block and CSharedFile over global memory for the clipboard.
// Failures throw CFileException, except Open, which reports them through its argument.

#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Time.h"

#include <cstdio>
#include <windows.h>

struct CFileStatus
{
    CTime m_ctime;          // creation, local time; 0 when the file system keeps none
    CTime m_mtime;          // last write
    CTime m_atime;          // last access
    ULONGLONG m_size;
    BYTE m_attribute;       // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[MAX_PATH];
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps a handle that the caller keeps owning.
    explicit CFile(HANDLE hFile);
    // Opens or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    operator HANDLE() const { return m_hFile; }

    // FALSE on failure; pError, when given, receives cause, Win32 error and file name.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors; for clean-up after a failure.
    virtual void Abort();

    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    // FALSE when the file does not exist.
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

    virtual CString GetFileName() const;   // "name.ext"
    virtual CString GetFileTitle() const;  // "name"
    virtual CString GetFilePath() const;   // full path as opened
    virtual void SetFilePath(LPCTSTR lpszNewName);

    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// Text files: in text mode (the default) "\n" is written as CR LF and CR LF is read back as "\n".
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CStdioFile();

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual void WriteString(LPCTSTR lpsz);
    // Up to nMax - 1 characters, the line break kept; NULL at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // One line without its line break; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

    FILE* m_pStream;

private:
    // Throws invalidFile when no stream is open.
    void CheckStream() const;
    [[noreturn]] void ThrowStreamError();
};

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Works on the caller's buffer; it grows only when nGrowBytes is not 0 and is never freed here.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the buffer (the caller frees it) and leaves the file empty.
    BYTE* Detach();

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    void GrowFile(SIZE_T dwNewLen);
    // nBytes rounded up to whole grow steps; 0 when that does not fit in a SIZE_T.
    SIZE_T RoundUpToGrowSteps(SIZE_T nBytes) const;
    // The buffer at the new size with the content kept; NULL when memory is short.
    BYTE* ResizeBuffer(SIZE_T nBytes);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;     // the buffer goes through Free when the file closes
    BOOL m_bAllowGrow;
};

// A memory file in global memory, as the clipboard takes and gives it.
class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    virtual ~CSharedFile();

    // Gives up the block (for SetClipboardData); the file is empty afterwards.
    HGLOBAL Detach();
    // Reads or writes an existing block, e.g. one from GetClipboardData. The block stays the
    // caller's: closing the file never frees it.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bOwnsBlock;      // FALSE for a block given by SetHandle: only unlocked, never freed
};
