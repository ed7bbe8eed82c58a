// The application's profile: the registry after SetRegistryKey, else the INI file.
#include "framework/win/WinApp.h"

#include <vector>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : (LPCTSTR)m_strRegistryKey;
    // In registry mode the profile name is the application's key under the company's.
    m_strProfileName = m_pszAppName;
    m_pszProfileName = m_strProfileName;
}

// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>; NULL when it cannot be opened.
HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection, bool bCreate)
{
    if (lpszSection == nullptr)
        return nullptr;
    HKEY hAppKey = GetAppRegistryKey(bCreate);
    if (hAppKey == nullptr)
        return nullptr;
    HKEY hKey = nullptr;
    LONG lResult = bCreate ? ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
                           : ::RegOpenKeyExA(hAppKey, lpszSection, 0, KEY_READ | KEY_WRITE, &hKey);
    ::RegCloseKey(hAppKey);
    return lResult == ERROR_SUCCESS ? hKey : nullptr;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == nullptr)
        lpszDefault = "";
    if (m_pszRegistryKey != nullptr)
    {
        HKEY hKey = GetSectionKey(lpszSection, false);
        if (hKey == nullptr)
            return lpszDefault;
        DWORD dwType = 0;
        DWORD dwSize = 0;
        CString value = lpszDefault;
        if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, nullptr, &dwSize) == ERROR_SUCCESS &&
            dwType == REG_SZ)
        {
            std::vector<char> buffer(dwSize + 1, '\0');
            if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(buffer.data()),
                                   &dwSize) == ERROR_SUCCESS)
                value = buffer.data();
        }
        ::RegCloseKey(hKey);
        return value;
    }
    // GetPrivateProfileString tells a truncated value only by its length: grow until it fits.
    std::vector<char> buffer(4096);
    for (;;)
    {
        DWORD dwLength = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, buffer.data(),
                                                    (DWORD)buffer.size(), m_pszProfileName);
        if (dwLength + 1 < buffer.size())
            return CString(buffer.data(), (int)dwLength);
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey != nullptr)
    {
        if (lpszEntry == nullptr)
        {
            // A NULL entry deletes the whole section.
            HKEY hAppKey = GetAppRegistryKey(false);
            if (hAppKey == nullptr)
                return FALSE;
            LONG lResult = ::RegDeleteTreeA(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS;
        }
        HKEY hKey = GetSectionKey(lpszSection, true);
        if (hKey == nullptr)
            return FALSE;
        LONG lResult = lpszValue == nullptr
                           ? ::RegDeleteValueA(hKey, lpszEntry)
                           : ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                              (DWORD)lstrlenA(lpszValue) + 1);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != nullptr)
    {
        HKEY hKey = GetSectionKey(lpszSection, false);
        if (hKey == nullptr)
            return (UINT)nDefault;
        DWORD dwValue = 0;
        DWORD dwType = 0;
        DWORD dwSize = sizeof dwValue;
        LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwSize);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS && dwType == REG_DWORD ? (UINT)dwValue : (UINT)nDefault;
    }
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != nullptr)
    {
        HKEY hKey = GetSectionKey(lpszSection, true);
        if (hKey == nullptr)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }
    char text[16];
    wsprintfA(text, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}
