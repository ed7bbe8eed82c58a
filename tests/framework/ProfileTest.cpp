// The application's profile in its two stores: the registry under
// HKEY_CURRENT_USER\Software\<key>\<app>\<section> and an INI file.
#include "framework/win/WinApp.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kRegistryKey[] = "QuarrowOutsideTests";

CString TempIniPath()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    CString path;
    path.Format("%squarrow-profile-%lu-%lld.ini", folder, GetCurrentProcessId(), now.QuadPart);
    DeleteFileA(path);
    return path;
}

std::string ReadWholeFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

enum class Store { registry, iniFile };

class ProfileTest : public ::testing::TestWithParam<Store>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Store::registry)
            m_app.SetRegistryKey(kRegistryKey);
        else
            m_app.m_pszProfileName = m_iniPath;
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + kRegistryKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + kRegistryKey);
        DeleteFileA(m_iniPath);
    }

    CString m_iniPath = TempIniPath();
    CWinApp m_app{"ProfileApp"};
};

TEST_P(ProfileTest, StringsRoundTrip)
{
    const std::string longText(6000, 'x');
    const struct
    {
        const char* entry;
        std::string value;
    } cases[] = {
        {"Margins", "72,72,72,72"},
        {"Font", "Arial,10,400,0,0,0"},
        {"Empty", ""},
        {"UA51011", "3.5"},
        {"Long", longText},
    };
    for (const auto& c : cases)
        ASSERT_TRUE(m_app.WriteProfileString("Grid", c.entry, c.value.c_str())) << c.entry;
    for (const auto& c : cases)
        EXPECT_STREQ(m_app.GetProfileString("Grid", c.entry, "default"), c.value.c_str()) << c.entry;
    EXPECT_STREQ(m_app.GetProfileString("Grid", "Missing", "default"), "default");
    EXPECT_STREQ(m_app.GetProfileString("No Such Section", "Margins"), "");
}

TEST_P(ProfileTest, IntegersRoundTrip)
{
    const int values[] = {0, 1, -5, 2147483647, -2147483647 - 1};
    int n = 0;
    for (int value : values)
    {
        const CString entry = CString("Value") + CString(static_cast<char>('A' + n++));
        ASSERT_TRUE(m_app.WriteProfileInt("Settings", entry, value));
        EXPECT_EQ(static_cast<int>(m_app.GetProfileInt("Settings", entry, 99)), value) << value;
    }
    EXPECT_EQ(m_app.GetProfileInt("Settings", "Missing", 4), 4u);
}

TEST_P(ProfileTest, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    ASSERT_TRUE(m_app.WriteProfileString("Grid", "Page Order", "1"));
    ASSERT_TRUE(m_app.WriteProfileString("Grid", "Print Frame", "0"));
    ASSERT_TRUE(m_app.WriteProfileString("Other", "Kept", "yes"));

    EXPECT_TRUE(m_app.WriteProfileString("Grid", "Page Order", nullptr));
    EXPECT_STREQ(m_app.GetProfileString("Grid", "Page Order", "gone"), "gone");
    EXPECT_STREQ(m_app.GetProfileString("Grid", "Print Frame"), "0");

    EXPECT_TRUE(m_app.WriteProfileString("Grid", nullptr, nullptr));
    EXPECT_STREQ(m_app.GetProfileString("Grid", "Print Frame", "gone"), "gone");
    EXPECT_STREQ(m_app.GetProfileString("Other", "Kept"), "yes");
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileTest, ::testing::Values(Store::registry, Store::iniFile),
                         [](const ::testing::TestParamInfo<Store>& info) {
                             return info.param == Store::registry ? std::string("Registry") : std::string("IniFile");
                         });

class ProfileStoreTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + kRegistryKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + kRegistryKey);
    }
};

TEST_F(ProfileStoreTest, RegistryHoldsSectionsUnderTheApplicationKey)
{
    CWinApp app("ProfileApp");
    app.SetRegistryKey(kRegistryKey);
    EXPECT_STREQ(app.m_pszRegistryKey, kRegistryKey);
    EXPECT_STREQ(app.m_pszProfileName, "ProfileApp");
    ASSERT_TRUE(app.WriteProfileString("Grid", "Margins", "1,2,3,4"));
    ASSERT_TRUE(app.WriteProfileInt("Grid", "3dHeader", 1));

    const char section[] = "Software\\QuarrowOutsideTests\\ProfileApp\\Grid";
    char text[32] = {};
    DWORD cbText = sizeof text;
    DWORD dwType = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, section, "Margins", RRF_RT_ANY, &dwType, text, &cbText), ERROR_SUCCESS);
    EXPECT_EQ(dwType, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "1,2,3,4");
    DWORD dwValue = 0;
    DWORD cbValue = sizeof dwValue;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, section, "3dHeader", RRF_RT_ANY, &dwType, &dwValue, &cbValue),
              ERROR_SUCCESS);
    EXPECT_EQ(dwType, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(dwValue, 1u);
}

TEST_F(ProfileStoreTest, SubkeysOfASectionCanBeListedAndDeleted)
{
    // The grid keeps one subkey per base style under its styles section.
    CWinApp app("ProfileApp");
    app.SetRegistryKey(kRegistryKey);
    ASSERT_TRUE(app.WriteProfileString("Styles\\#52768", "ReadOnly", "1"));
    ASSERT_TRUE(app.WriteProfileString("Styles\\Totals", "ReadOnly", "0"));

    EXPECT_EQ(app.GetSectionKey("Nowhere", false), nullptr);
    HKEY hStyles = app.GetSectionKey("Styles", false);
    ASSERT_NE(hStyles, nullptr);
    std::string names;
    char name[1024];
    for (DWORD i = 0;; ++i)
    {
        DWORD cchName = sizeof name;
        if (RegEnumKeyExA(hStyles, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names += std::string(name) + ";";
    }
    RegCloseKey(hStyles);
    EXPECT_EQ(names, "#52768;Totals;");

    HKEY hApp = app.GetAppRegistryKey(false);
    ASSERT_NE(hApp, nullptr);
    EXPECT_EQ(RegDeleteKeyA(hApp, "Styles\\#52768"), ERROR_SUCCESS);
    RegCloseKey(hApp);
    EXPECT_STREQ(app.GetProfileString("Styles\\#52768", "ReadOnly", "gone"), "gone");
    EXPECT_STREQ(app.GetProfileString("Styles\\Totals", "ReadOnly"), "0");

    // A whole section goes with its subkeys.
    EXPECT_TRUE(app.WriteProfileString("Styles", nullptr, nullptr));
    EXPECT_STREQ(app.GetProfileString("Styles\\Totals", "ReadOnly", "gone"), "gone");
}

TEST_F(ProfileStoreTest, WithoutRegistryKeyTheProfileIsTheIniFile)
{
    CWinApp app("ProfileApp");
    EXPECT_EQ(app.m_pszRegistryKey, nullptr);
    EXPECT_EQ(app.GetAppRegistryKey(), nullptr);
    EXPECT_EQ(app.GetSectionKey("Grid"), nullptr);

    const CString iniPath = TempIniPath();
    app.m_pszProfileName = iniPath;
    ASSERT_TRUE(app.WriteProfileString("Grid", "Page Order", "1"));
    ASSERT_TRUE(app.WriteProfileInt("Grid", "Start Page Numbering", -2));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath);   // flushes the INI cache
    EXPECT_EQ(ReadWholeFile(iniPath), "[Grid]\r\nPage Order=1\r\nStart Page Numbering=-2\r\n");
    DeleteFileA(iniPath);
}

} // namespace
