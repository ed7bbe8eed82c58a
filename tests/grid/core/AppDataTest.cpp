#include "grid/core/AppData.h"

#include "framework/core/Exceptions.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/Color.h"
#include "grid/core/ControlFactory.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
struct ClassCase
{
    LPCSTR name;
    UINT style;
};

// The classes start-up registers, with their class styles.
const ClassCase registeredClasses[] = {
    {"GXWND", CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
    {"GXNDBLCLKSWND", CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW},
    {"GxMdiFrame", CS_GLOBALCLASS | CS_DBLCLKS},
    {"CGXGridWnd", CS_GLOBALCLASS | CS_DBLCLKS},
    {"CGXTabBeam", CS_GLOBALCLASS | CS_DBLCLKS},
    {"CGXTabWnd", CS_GLOBALCLASS | CS_DBLCLKS},
};
} // namespace

TEST(GXStartLibrary, RegistersTheWindowClassesWithTheirStyles)
{
    GXStartLibrary(0x700, 0, 0);
    HINSTANCE hInstance = AfxGetInstanceHandle();
    for (const ClassCase& c : registeredClasses)
    {
        WNDCLASSA wndcls;
        ASSERT_TRUE(::GetClassInfoA(hInstance, c.name, &wndcls)) << c.name;
        EXPECT_EQ(wndcls.style, c.style) << c.name;
        EXPECT_EQ(wndcls.cbClsExtra, 0) << c.name;
        EXPECT_EQ(wndcls.hCursor, nullptr) << c.name;
        EXPECT_EQ(wndcls.hbrBackground, nullptr) << c.name;
    }
    WNDCLASSA wndcls;
    ASSERT_TRUE(::GetClassInfoA(hInstance, "GXWND", &wndcls));
    EXPECT_EQ(wndcls.lpfnWndProc, reinterpret_cast<WNDPROC>(::DefWindowProcA));
}

TEST(GXStartLibrary, CopiesTheSystemControlClassesAsGlobalClasses)
{
    GXStartLibrary();
    const ClassCase copies[] = {{"GXEDIT", 0}, {"GXLISTBOX", 0}, {"GXCOMBOBOX", 0}};
    const LPCSTR systemNames[] = {"edit", "listbox", "combobox"};
    for (int i = 0; i < 3; ++i)
    {
        WNDCLASSA copy;
        WNDCLASSA system;
        ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), copies[i].name, &copy)) << copies[i].name;
        ASSERT_TRUE(::GetClassInfoA(nullptr, systemNames[i], &system));
        EXPECT_EQ(copy.style, system.style | CS_GLOBALCLASS) << copies[i].name;
        EXPECT_EQ(copy.cbWndExtra, system.cbWndExtra) << copies[i].name;
    }
    // A window of the copied class behaves as an edit control.
    HWND hEdit = ::CreateWindowA("GXEDIT", "typed", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, AfxGetInstanceHandle(),
                                 nullptr);
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(::SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0) > 0, true);
    ::DestroyWindow(hEdit);
}

TEST(GXStartLibrary, RegistersTheGridStylesClipboardFormatByInstance)
{
    GXStartLibrary();
    const UINT nFormat = GXGetAppData()->m_uiStylesClipboardFormat;
    ASSERT_NE(nFormat, 0u);
    char name[64] = {};
    ASSERT_GT(::GetClipboardFormatNameA(nFormat, name, sizeof name), 0);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Grid Styles %08x",
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(AfxGetInstanceHandle())));
    EXPECT_STREQ(name, expected);
    // Eight lower-case hexadecimal digits after the prefix.
    ASSERT_EQ(std::strlen(name), 12u + 8u);
    for (const char* p = name + 12; *p != '\0'; ++p)
        EXPECT_TRUE((*p >= '0' && *p <= '9') || (*p >= 'a' && *p <= 'f')) << name;
}

TEST(GXStartLibrary, ASecondStartUpRegistersNothingTwice)
{
    GXStartLibrary();
    CGXAppData* pAppData = GXGetAppData();
    const UINT nFormat = pAppData->m_uiStylesClipboardFormat;
    const CString popupClass = pAppData->m_strPopupWndClass;
    WNDCLASSA before;
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "GXWND", &before));

    GXStartLibrary(0x700, 0, 0);
    EXPECT_EQ(pAppData->m_uiStylesClipboardFormat, nFormat);
    EXPECT_EQ(pAppData->m_strPopupWndClass, popupClass);
    WNDCLASSA after;
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "GXWND", &after));
    EXPECT_EQ(after.lpfnWndProc, before.lpfnWndProc);
    EXPECT_EQ(after.style, before.style);
    EXPECT_NE(pAppData->m_pControlFactory, nullptr);
    EXPECT_TRUE(pAppData->m_bInitDone);
}

TEST(GXStartLibrary, LoadsTheOperationTextsAndRecordsTheVersion)
{
    GXStartLibrary();
    const CGXAppData* pAppData = GXGetAppData();
    EXPECT_EQ(pAppData->m_astrOperationTexts[0], "Redoing %1 ...");
    EXPECT_EQ(pAppData->GetOperationText(GX_IDS_STORINGCELLS), "Storing cells ....");
    EXPECT_EQ(pAppData->m_astrOperationTexts[GX_OPERATION_TEXT_COUNT - 1], "Move");
    EXPECT_EQ(pAppData->m_strAbortQuestion, "Do you want to abort the operation?");
    EXPECT_EQ(pAppData->m_strPressEsc, "Press ESC to cancel");
    for (const CString& text : pAppData->m_astrOperationTexts)
        EXPECT_FALSE(text.IsEmpty());

    const DWORD dwVersion = ::GetVersion();
    EXPECT_EQ(pAppData->m_nWinVersion, LOBYTE(LOWORD(dwVersion)) * 256 + HIBYTE(LOWORD(dwVersion)));
    EXPECT_EQ(pAppData->m_bNewLook, !pAppData->m_bOldLook);
    EXPECT_FALSE(pAppData->m_bWin32s);
    // The pop-up class saves the bits below it.
    WNDCLASSA wndcls;
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), pAppData->m_strPopupWndClass, &wndcls));
    EXPECT_EQ(wndcls.style, static_cast<UINT>(CS_SAVEBITS));
}

TEST(CGXSysColors, CachesTheFirst24ColoursAndReadsTheOthersDirectly)
{
    CGXSysColors colors;
    colors.Update();
    EXPECT_EQ(colors.m_nCached, 24);
    EXPECT_EQ(colors.GetColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(colors.m_clrBtnShadow, ::GetSysColor(COLOR_BTNSHADOW));
    // Entries of the cache answer from it even when the system changed since.
    colors.m_adwColors[COLOR_WINDOW] = 0x123456;
    EXPECT_EQ(colors.GetColor(COLOR_WINDOW), 0x123456u);
    EXPECT_EQ(colors.GetColor(24), ::GetSysColor(24));
    EXPECT_EQ(colors.GetColor(COLOR_HOTLIGHT), ::GetSysColor(COLOR_HOTLIGHT));
}

TEST(CGXAppData, SystemColoursOfStylesComeFromTheCacheAfterStartUp)
{
    GXStartLibrary();
    CGXAppData* pAppData = GXGetAppData();
    const DWORD saved = pAppData->m_sysColors.m_adwColors[COLOR_WINDOW];
    pAppData->m_sysColors.m_adwColors[COLOR_WINDOW] = 0x00ABCDEF;
    EXPECT_EQ(GXGetSysColor(COLOR_WINDOW), 0x00ABCDEFu);
    pAppData->m_sysColors.m_adwColors[COLOR_WINDOW] = saved;
}

TEST(CGXAppData, NormalizesOnlyTheFirstLocaleDecimalSeparator)
{
    struct Case
    {
        BOOL useLocale;
        char separator;
        LPCSTR text;
        LPCSTR expected;
    } cases[] = {
        {TRUE, ',', "1,5", "1.5"},
        {TRUE, ',', "1,5,6", "1.5,6"},
        {TRUE, '.', "1,5", "1,5"},
        {FALSE, ',', "1,5", "1,5"},
        {TRUE, ',', "15", "15"},
    };
    CGXAppData appData;
    for (const Case& c : cases)
    {
        appData.m_bUseLocaleSeparators = c.useLocale;
        appData.m_cDecimalSeparator = c.separator;
        CString text = c.text;
        appData.NormalizeDecimalSeparator(text);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(CGXAppData, KeepsTheGridsThatShareAnObject)
{
    CGXAppData appData;
    int shared = 0;
    int other = 0;
    CGXGridCore* pGridA = reinterpret_cast<CGXGridCore*>(0x1000);
    CGXGridCore* pGridB = reinterpret_cast<CGXGridCore*>(0x2000);
    EXPECT_EQ(appData.GetFirstGridUser(&shared), nullptr);
    appData.AddGridUser(&shared, pGridA);
    appData.AddGridUser(&shared, pGridB);
    appData.AddGridUser(&other, pGridA);
    EXPECT_EQ(appData.GetFirstGridUser(&shared), pGridA);
    ASSERT_NE(appData.GetGridUsers(&shared), nullptr);
    EXPECT_EQ(appData.GetGridUsers(&shared)->GetCount(), 2);

    appData.RemoveGridUser(pGridA);
    EXPECT_EQ(appData.GetFirstGridUser(&shared), pGridB);
    // The list that became empty went with its key.
    EXPECT_EQ(appData.GetGridUsers(&other), nullptr);
    appData.RemoveGridUser(pGridB);
    EXPECT_EQ(appData.GetGridUsers(&shared), nullptr);
}

TEST(CGXAppData, RegistersAScrollParentClassOnce)
{
    CGXAppData appData;
    appData.RegisterScrollParentClass(RUNTIME_CLASS(CObject));
    appData.RegisterScrollParentClass(RUNTIME_CLASS(CObject));
    EXPECT_EQ(appData.GetScrollParentClasses().GetCount(), 1);
}

namespace
{
struct Counted
{
    explicit Counted(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~Counted() { ++m_nDeleted; }
    int& m_nDeleted;
};

class CountingFactory : public CGXControlFactory
{
public:
    explicit CountingFactory(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CountingFactory() override { ++m_nDeleted; }
    void InstallApplicationComponents() override { ++m_nInstalls; }
    int m_nInstalls = 0;
    int& m_nDeleted;
};
} // namespace

TEST(CGXAppData, DeletesTheFactoryAndItsOwnedObjectsAtCleanUp)
{
    int nDeleted = 0;
    {
        CGXAppData appData;
        CountingFactory* pFirst = new CountingFactory(nDeleted);
        appData.InitInstance(pFirst);
        EXPECT_EQ(pFirst->m_nInstalls, 1);
        // A second start-up replaces the factory.
        appData.InitInstance(new CountingFactory(nDeleted));
        EXPECT_EQ(nDeleted, 1);
        appData.AddOwnedObject(new Counted(nDeleted));
        appData.AddOwnedObject(new Counted(nDeleted));
        EXPECT_EQ(appData.GetOwnedObjectCount(), 2);
    }
    EXPECT_EQ(nDeleted, 4);
}

TEST(GXLoadResourceString, ThrowsTheResourceExceptionForAMissingString)
{
    EXPECT_EQ(GXLoadResourceString(GX_IDS_CUTDATA), "Cut Data.");
    bool bThrown = false;
    try
    {
        GXLoadResourceString(1);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(GXGetParentOfClass, FindsAParentOfTheClassUnlessAnAncestorIsMinimised)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, "STATIC", "top", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
    CWnd middle;
    ASSERT_TRUE(middle.CreateEx(0, "STATIC", "middle", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, "STATIC", "child", WS_CHILD, CRect(0, 0, 10, 10), &middle, 2));

    EXPECT_EQ(GXGetParentOfClass(&child, RUNTIME_CLASS(CWnd)), &middle);
    EXPECT_EQ(GXGetParentOfClass(&child, RUNTIME_CLASS(CWinApp)), nullptr);
    EXPECT_EQ(GXGetParentOfClass(nullptr, RUNTIME_CLASS(CWnd)), nullptr);

    ::ShowWindow(top.GetSafeHwnd(), SW_MINIMIZE);
    if (::IsIconic(top.GetSafeHwnd()))
    {
        EXPECT_EQ(GXGetParentOfClass(&child, RUNTIME_CLASS(CWnd)), nullptr);
        EXPECT_EQ(GXGetParentOfClass(&child, RUNTIME_CLASS(CWnd), TRUE), &middle);
    }
    child.DestroyWindow();
    middle.DestroyWindow();
    top.DestroyWindow();
}
