#pragma once
// Small helpers for the grid core tests: archives in memory and a plain number parser.

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "grid/core/LibraryLinks.h"

#include <cstdlib>
#include <functional>
#include <vector>

typedef std::vector<BYTE> Bytes;

// The bytes that a storing archive writes.
inline Bytes StoreToBytes(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void LoadFromBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    read(ar);
    ar.Close();
}

// Runs the action and returns the cause of the archive exception it raises, -1 when none.
inline int ArchiveCauseOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

inline WORD WordAt(const Bytes& bytes, size_t offset)
{
    return static_cast<WORD>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

inline DWORD DWordAt(const Bytes& bytes, size_t offset)
{
    return WordAt(bytes, offset) | (static_cast<DWORD>(WordAt(bytes, offset + 2)) << 16);
}

// A number parser for tests: a text is a number when strtod takes all of it.
class PlainNumberParser : public CGXAbstractNumberFormattingImp
{
public:
    CString FormatValue(const CGXStyle*, LPCTSTR pszValue, unsigned, int, int) override
    {
        return pszValue != nullptr ? CString(pszValue) : CString();
    }
    BOOL ParseValue(LPCTSTR pszText, double& dValue, unsigned*, unsigned*) override
    {
        char* pEnd = nullptr;
        const double d = std::strtod(pszText, &pEnd);
        if (pEnd == pszText || *pEnd != '\0')
            return FALSE;
        dValue = d;
        return TRUE;
    }
};

// A test's library links without any component installed, whatever tests before it installed;
// the links of the process come back at the end.
class ScopedNoLibraryComponents
{
public:
    ScopedNoLibraryComponents() : m_saved(GXGetLibraryLinks()) { GXGetLibraryLinks() = GXLibraryLinks{}; }
    ~ScopedNoLibraryComponents() { GXGetLibraryLinks() = m_saved; }
    ScopedNoLibraryComponents(const ScopedNoLibraryComponents&) = delete;
    ScopedNoLibraryComponents& operator=(const ScopedNoLibraryComponents&) = delete;

private:
    GXLibraryLinks m_saved;
};

// Installs the plain number parser for the life of the object.
class ScopedNumberParser
{
public:
    ScopedNumberParser() : m_pPrevious(GXGetLibraryLinks().pNumberFormattingImp)
    {
        GXGetLibraryLinks().pNumberFormattingImp = &m_parser;
    }
    ~ScopedNumberParser() { GXGetLibraryLinks().pNumberFormattingImp = m_pPrevious; }

private:
    PlainNumberParser m_parser;
    CGXAbstractNumberFormattingImp* m_pPrevious;
};
