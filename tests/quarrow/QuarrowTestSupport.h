#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

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

// Expected text kept with LF line ends, as Quarrow's files hold it: CR LF.
inline std::string WithCrLf(const std::string& text)
{
    std::string result;
    for (char ch : text) {
        if (ch == '\n')
            result += '\r';
        result += ch;
    }
    return result;
}

// A golden file compiled into the test program as an RCDATA resource nID, with CR LF line ends;
// empty, and a failure, when the program lacks it.
inline std::string GoldenText(int nID)
{
    HRSRC hResource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(10));   // RT_RCDATA
    EXPECT_NE(hResource, nullptr);
    if (hResource == nullptr)
        return {};
    const char* pData = static_cast<const char*>(::LockResource(::LoadResource(nullptr, hResource)));
    return WithCrLf(std::string(pData, ::SizeofResource(nullptr, hResource)));
}

// Sets or removes the installation's registry key for one test, and puts back what was there.
class TestInstallation
{
public:
    static constexpr const char* Key = "Software\\Norrith\\QUARROW";

    explicit TestInstallation(const char* pszPath)
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyA(HKEY_CURRENT_USER, Key, &hKey) == ERROR_SUCCESS) {
            char sz[512] = {};
            DWORD cb = sizeof sz - 1;
            m_bHad = ::RegQueryValueExA(hKey, "ExecutePath", nullptr, nullptr, reinterpret_cast<BYTE*>(sz), &cb) ==
                     ERROR_SUCCESS;
            m_strOld = sz;
            ::RegCloseKey(hKey);
        }
        Apply(pszPath);
    }
    ~TestInstallation() { Apply(m_bHad ? m_strOld.c_str() : nullptr); }

private:
    static void Apply(const char* pszPath)
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, Key);
        if (pszPath == nullptr)
            return;
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, Key, &hKey), ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ExecutePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszPath),
                         static_cast<DWORD>(strlen(pszPath) + 1));
        ::RegCloseKey(hKey);
    }

    bool m_bHad = false;
    std::string m_strOld;
};

inline std::string WindowText(HWND hWnd)
{
    char sz[512] = {};
    ::GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}
