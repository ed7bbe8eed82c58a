// The host's grid documents and settings: a grid saved and opened again, settings written to and read
// from the INI file or the registry, and number formats in the cells' display texts.
#include "tests/grid/features/GridHostTestSupport.h"

#include "grid/core/Color.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace
{

std::string TempPath(const char* pszName)
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    CString path;
    path.Format("%s%lu-%s", szFolder, ::GetCurrentProcessId(), pszName);
    ::DeleteFileA(path);
    return static_cast<LPCTSTR>(path);
}

CGXStyle& StandardStyle(CGridHostApp& app)
{
    CGXStylesMap* pStylesMap = app.GetDocument()->GetParam()->GetStylesMap();
    CGXStyle* pStyle = nullptr;
    pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, pStyle);
    return *pStyle;
}

TEST_F(GridHostTest, ACellFormatShowsTheStoredNumberFormatted)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(4, 3));
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "-1234.5"});
    Command(ID_GRIDHOST_SETVALUE, {"1", "2", "-1234.5 m"});
    EXPECT_EQ(DumpLine("text 1 1 "), "text 1 1 \"-1234.5\"") << "code 0 shows the value as stored";
    for (const char* pszCol : {"1", "2"})
        Command(ID_GRIDHOST_CELLFORMAT, {"1", pszCol, "5", "2"});
    EXPECT_EQ(DumpLine("cell 1 1 "), "cell 1 1 \"-1234.5\"");
    EXPECT_EQ(DumpLine("text 1 1 "), "text 1 1 \"(1,234.50)\"");
    EXPECT_EQ(DumpLine("text 1 2 "), "text 1 2 \"-1234.5 m\"") << "a text stays as it is";
    EXPECT_EQ(DumpLine("text 3 2 "), "text 3 2 \"3:2\"");

    Command(ID_GRIDHOST_CELLFORMAT, {"1", "1", "12", "0"});
    EXPECT_EQ(DumpLine("text 1 1 "), "text 1 1 \"\"") << "Hidden";
    EXPECT_EQ(DumpLine("undo "), "undo 5 \"Cells\"");
}

TEST_F(GridHostTest, ASavedGridOpensAgainInEveryView)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(6, 3));
    const std::string path = TempPath("gridhost-saved.grid");
    Command(ID_GRIDHOST_SETVALUE, {"2", "2", "saved"});
    Command(ID_GRIDHOST_COLWIDTH, {"3", "77"});
    Command(ID_GRIDHOST_CELLFORMAT, {"4", "1", "14", "1"});
    Command(ID_GRIDHOST_SETVALUE, {"4", "1", "0.125"});
    Command(ID_GRIDHOST_SAVEGRID, {path});

    Command(ID_GRIDHOST_RESETSAMPLE);
    Command(ID_GRIDHOST_INSERTROWS, {"1", "3"});
    ASSERT_EQ(DumpLine("rows"), "rows 9");
    CGXGridParam* pBefore = app.GetDocument()->GetParam();

    Command(ID_GRIDHOST_OPENGRID, {path});
    CGXGridParam* pLoaded = app.GetDocument()->GetParam();
    EXPECT_NE(pLoaded, pBefore);
    EXPECT_EQ(View(0).GetParam(), pLoaded);
    EXPECT_EQ(View(1).GetParam(), pLoaded);
    EXPECT_EQ(DumpLine("rows"), "rows 6");
    EXPECT_EQ(DumpLine("cell 2 2"), "cell 2 2 \"saved\"");
    EXPECT_EQ(DumpLine("cell 5 3"), "cell 5 3 \"5:3\"");
    EXPECT_EQ(DumpLine("text 4 1 "), "text 4 1 \"12.5%\"");
    EXPECT_EQ(DumpLine("widths").substr(0, 14), "widths 120 120") << DumpLine("widths");
    EXPECT_EQ(DumpLine("widths").substr(DumpLine("widths").rfind(' ')), " 77");

    // The loaded grid is the views' own: it can be edited, and a file that is no grid changes nothing.
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "after"});
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"after\"");
    Command(ID_GRIDHOST_OPENGRID, {path + ".missing"});
    EXPECT_EQ(app.GetDocument()->GetParam(), pLoaded);

    // A grid document cut short is refused as a whole.
    const std::string cutPath = path + ".cut";
    {
        std::ifstream whole(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
        std::ofstream cut(cutPath, std::ios::binary);
        cut.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    }
    Command(ID_GRIDHOST_OPENGRID, {cutPath});
    EXPECT_EQ(app.GetDocument()->GetParam(), pLoaded);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"after\"");
    std::remove(cutPath.c_str());
    std::remove(path.c_str());
}

TEST_F(GridHostTest, SettingsGoToTheIniFileGivenAndComeBack)
{
    const std::string iniPath = TempPath("gridhost-settings.ini");
    app.ParseOptions(("/ini \"" + iniPath + "\"").c_str());
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 2));
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "-1234.5"});
    StandardStyle(app).SetFormat(5).SetPlaces(2);
    Command(ID_GRIDHOST_WRITESETTINGS);
    char szValue[64] = {};
    ::GetPrivateProfileStringA("Styles.#52768", "Format", "", szValue, sizeof szValue, iniPath.c_str());
    EXPECT_STREQ(szValue, "5");
    ::GetPrivateProfileStringA("Grid", "Margins", "", szValue, sizeof szValue, iniPath.c_str());
    EXPECT_STRNE(szValue, "");

    StandardStyle(app).SetIncludeFormat(FALSE);
    EXPECT_EQ(DumpLine("text 1 1 "), "text 1 1 \"-1234.5\"");
    Command(ID_GRIDHOST_READSETTINGS);
    EXPECT_EQ(DumpLine("text 1 1 "), "text 1 1 \"(1,234.50)\"");
    ::DeleteFileA(iniPath.c_str());
}

TEST_F(GridHostTest, ColoursOfTheSettingsComeBackFromTheIniFileAsTheyWere)
{
    const std::string iniPath = TempPath("gridhost-colours.ini");
    app.ParseOptions(("/ini \"" + iniPath + "\"").c_str());
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 2));
    CGXProperties* pProperties = app.GetDocument()->GetParam()->GetProperties();
    ASSERT_GE(pProperties->GetColorCount(), 2);
    const COLORREF systemColour = GXSysColorValue(5);
    const COLORREF nearlyWhite = RGB(255, 255, 254);
    pProperties->SetColor(0, systemColour);
    pProperties->SetColor(1, nearlyWhite);
    Command(ID_GRIDHOST_WRITESETTINGS);
    char szValue[64] = {};
    ::GetPrivateProfileStringA("Grid", pProperties->GetColorNameArray()[0], "", szValue, sizeof szValue,
                               iniPath.c_str());
    EXPECT_STREQ(szValue, "4177526784") << "written unsigned";

    pProperties->SetColor(0, RGB(1, 2, 3));
    pProperties->SetColor(1, RGB(1, 2, 3));
    Command(ID_GRIDHOST_READSETTINGS);
    EXPECT_EQ(pProperties->GetColor(0), systemColour);
    EXPECT_EQ(pProperties->GetColor(1), nearlyWhite);
    ::DeleteFileA(iniPath.c_str());
}

TEST_F(GridHostTest, WithoutAnIniFileSettingsGoToTheHostsRegistryKey)
{
    const CString hostKey = CString("Software\\") + GRIDHOST_REGISTRY_KEY;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, hostKey);
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 2));
    Command(ID_GRIDHOST_WRITESETTINGS);
    HKEY hKey = nullptr;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, hostKey + "\\Grid Host\\Styles\\#52768", 0, KEY_READ, &hKey),
              ERROR_SUCCESS);
    if (hKey != nullptr)
        ::RegCloseKey(hKey);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, hostKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, hostKey);
}

} // namespace
