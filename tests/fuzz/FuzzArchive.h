// Archive round trips for the readers of archived forms: the bytes a writer stores, and a load over
// an input in which the archive's own exception is the reader's clear refusal.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <string>

template <class Write>
std::string FuzzStored(Write write)
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

// FALSE when the archive refused the input with its own exception.
template <class Load>
bool FuzzLoaded(const std::string& input, Load load)
{
    std::string copy = input;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        load(ar);
        ar.Close();
        return true;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return false;
    }
}
