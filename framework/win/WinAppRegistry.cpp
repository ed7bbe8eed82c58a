// The application's registry key of the profile, for callers that work on its subkeys directly.
#include "framework/win/WinApp.h"

HKEY CWinApp::GetAppRegistryKey(bool bCreate)
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    CString path = "Software\\";
    path += m_pszRegistryKey;
    path += "\\";
    path += m_pszProfileName;
    HKEY hKey = nullptr;
    const LONG lResult = bCreate ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                     KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
                                 : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ | KEY_WRITE, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : nullptr;
}
