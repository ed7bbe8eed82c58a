#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <ostream>
#include <string>

// Lets test failures show a CString as its text.
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<LPCTSTR>(text) << '"';
}

// A path in the temporary folder that no earlier test has used; no file is there.
// Process ids repeat under Wine, so the name carries the run's start time too.
inline CString FreshTempPath(const char* name)
{
    static int counter = 0;
    static LARGE_INTEGER runStart = [] {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now;
    }();
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "quarrow-" + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(runStart.QuadPart) + "-" + std::to_string(++counter) + "-" + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return CString(path.c_str());
}
