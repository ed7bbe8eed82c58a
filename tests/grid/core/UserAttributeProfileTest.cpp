#include "grid/core/UserAttribute.h"

#include "framework/win/WinApp.h"

#include <gtest/gtest.h>

TEST(CGXUserAttributeMap, WritesOneProfileEntryPerAttribute)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    CString iniPath;
    iniPath.Format("%sgrid-user-attributes-%lu-%lld.ini", folder, GetCurrentProcessId(), now.QuadPart);

    CWinApp app("GridCoreTests");
    app.m_pszProfileName = iniPath;
    CGXUserAttributeMap map;
    map.SetAttributePtr(51013, new CGXUserAttribute("Too small"));
    map.SetAttributePtr(51011, new CGXUserAttribute("abc"));
    map.WriteProfile("Style");

    EXPECT_STREQ(app.GetProfileString("Style", "UA51011"), "abc");
    EXPECT_STREQ(app.GetProfileString("Style", "UA51013"), "Too small");
    DeleteFileA(iniPath);
}
