// The bytes an archive holds after a writer ran on it: for tests and fuzz seeds that build or pick
// apart archived forms byte by byte.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <string>

template <class Write>
std::string StoredBytes(Write write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}
