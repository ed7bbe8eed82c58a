// Archive round trips for the readers of archived forms: the bytes a writer stores (StoredBytes), and a
// load over an input in which the archive's own exception is the reader's clear refusal.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "tests/tools/StoredBytes.h"

#include <string>

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
