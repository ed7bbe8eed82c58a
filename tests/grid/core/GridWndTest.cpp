// The grid window: dialog controls of the classes "GXWND" and "CGXGridWnd" become grids.

#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/StylesMap.h"
#include "tests/grid/core/GridEngineTestResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The grids of a parameter object's user list.
std::vector<const CGXGridCore*> UsersOf(const void* pShared)
{
    std::vector<const CGXGridCore*> users;
    if (const CPtrList* pList = GXGetAppData()->GetGridUsers(pShared))
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
            users.push_back(static_cast<const CGXGridCore*>(pList->GetNext(pos)));
    return users;
}

// Counts the grid windows alive, so that a test sees one deleted.
class CCountedGridWnd : public CGXGridWnd
{
public:
    CCountedGridWnd() { ++s_nLive; }
    ~CCountedGridWnd() override { --s_nLive; }
    static int s_nLive;
};
int CCountedGridWnd::s_nLive = 0;

// A grid that keeps a record of its own and looks at it when told that it goes.
class CLoggingGridWnd : public CGXGridWnd
{
public:
    explicit CLoggingGridWnd(std::vector<std::string>& log) : m_log(log) {}
    ~CLoggingGridWnd() override { m_log.push_back("destructor"); }
    void OnGridBeforeDestroy() override
    {
        m_log.push_back("before destroy, window " + std::string(::IsWindow(m_hWnd) ? "alive" : "gone") + ", " +
                        std::to_string(GetRowCount()) + " rows");
        CGXGridWnd::OnGridBeforeDestroy();
    }

private:
    std::vector<std::string>& m_log;
};

class GridWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
    }
    void TearDown() override
    {
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }
    CDialog dlg;
};

TEST_F(GridWndTest, AGxwndControlBecomesAGridWithItsOwnObjects)
{
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    EXPECT_FALSE(grid.IsInitialized());
    grid.Initialize();

    EXPECT_TRUE(grid.IsInitialized());
    CGXGridParam* pParam = grid.GetParam();
    ASSERT_NE(pParam, nullptr);
    EXPECT_NE(pParam->GetStylesMap(), nullptr);
    EXPECT_NE(pParam->GetProperties(), nullptr);
    ASSERT_NE(pParam->GetData(), nullptr);
    EXPECT_NE(grid.GetStandardStyle(), nullptr);
    EXPECT_EQ(UsersOf(pParam), std::vector<const CGXGridCore*>{&grid});
    EXPECT_EQ(UsersOf(pParam->GetData()), std::vector<const CGXGridCore*>{&grid});
    // WS_VSCROLL only: the vertical bar gets mode 10, the horizontal one 0.
    EXPECT_EQ(grid.GetScrollBarMode(SB_VERT), 10);
    EXPECT_EQ(grid.GetScrollBarMode(SB_HORZ), 0);
    dlg.DestroyWindow();
}

TEST_F(GridWndTest, AnOverrideOfBeforeDestroyRunsWhenTheWindowGoes)
{
    std::vector<std::string> log;
    {
        CLoggingGridWnd grid(log);
        ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
        grid.Initialize();
        grid.SetRowCount(4);
        dlg.DestroyWindow();
        EXPECT_EQ(log, std::vector<std::string>{"before destroy, window alive, 4 rows"});
    }
    EXPECT_EQ(log, (std::vector<std::string>{"before destroy, window alive, 4 rows", "destructor"}))
        << "once, and never from the destructor";
}

TEST_F(GridWndTest, TwoGridsSharingAParameterObjectAreBothItsUsers)
{
    CGXGridWnd first;
    CGXGridWnd second;
    ASSERT_TRUE(first.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    ASSERT_TRUE(second.SubclassDlgItem(IDC_GRID_SECOND, &dlg));
    first.Initialize();
    second.SetParam(first.GetParam(), FALSE);
    second.Initialize();

    EXPECT_EQ(UsersOf(first.GetParam()), (std::vector<const CGXGridCore*>{&first, &second}));
    EXPECT_EQ(second.GetParam()->GetData(), first.GetParam()->GetData());
    first.SetRowCount(4);
    EXPECT_EQ(second.GetRowCount(), 4u);
    EXPECT_EQ(second.GetScrollBarMode(SB_HORZ), 10);
    dlg.DestroyWindow();
}

TEST(GridWndClass, ADialogControlOfTheGridClassMakesItsOwnObjectThatGoesWithTheWindow)
{
    GXStartLibrary();
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
    HWND hGrid = ::GetDlgItem(dlg.m_hWnd, IDC_GRID_CLASS);
    CGXGridWnd* pGrid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(hGrid));
    ASSERT_NE(pGrid, nullptr);
    EXPECT_TRUE(CGXGridWnd::IsAutoCreated(pGrid));
    pGrid->Initialize();
    pGrid->SetRowCount(3);
    EXPECT_EQ(pGrid->GetRowCount(), 3u);
    CGXGridParam* pParam = pGrid->GetParam();
    EXPECT_EQ(UsersOf(pParam).size(), 1u);

    dlg.DestroyWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(hGrid), nullptr);
    EXPECT_FALSE(CGXGridWnd::IsAutoCreated(pGrid));
    // The engine left every user list when it was deleted.
    EXPECT_TRUE(UsersOf(pParam).empty());
}

TEST(GridWndClass, AGridWindowMadeByTheApplicationIsDeletedByTheApplication)
{
    GXStartLibrary();
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
    auto* pGrid = new CCountedGridWnd;
    ASSERT_TRUE(pGrid->SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    pGrid->Initialize();
    dlg.DestroyWindow();
    EXPECT_EQ(CCountedGridWnd::s_nLive, 1);
    delete pGrid;
    EXPECT_EQ(CCountedGridWnd::s_nLive, 0);
}

// A dialog class on the library's scroll-parent list (only this test's dialogs are of it).
class CScrollParentDialog : public CDialog
{
    DECLARE_DYNAMIC(CScrollParentDialog)
};
IMPLEMENT_DYNAMIC(CScrollParentDialog, CDialog)

TEST(GridWndClass, InsideAScrollParentBothBarsGetMode12WhateverTheStyle)
{
    GXStartLibrary();
    GXGetAppData()->RegisterScrollParentClass(RUNTIME_CLASS(CScrollParentDialog));
    CScrollParentDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    EXPECT_TRUE(grid.IsInScrollParent());
    grid.Initialize();
    EXPECT_EQ(grid.GetScrollBarMode(SB_VERT), 12);
    EXPECT_EQ(grid.GetScrollBarMode(SB_HORZ), 12);
    dlg.DestroyWindow();
}

TEST_F(GridWndTest, UnlockingUpdatesThroughThePrivateMessageRedrawsTheGrid)
{
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    grid.Initialize();
    dlg.ShowWindow(SW_SHOW);
    ::UpdateWindow(dlg.m_hWnd);

    EXPECT_FALSE(grid.SendMessage(WM_GX_LOCKUPDATE, TRUE));
    EXPECT_TRUE(grid.IsLockUpdate());
    EXPECT_TRUE(grid.SendMessage(WM_GX_LOCKUPDATE, FALSE));
    EXPECT_FALSE(grid.IsLockUpdate());
    RECT update;
    EXPECT_TRUE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    dlg.DestroyWindow();
}

TEST_F(GridWndTest, AClickLeavesTheFocusWithTheActiveCellsOwnWindow)
{
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    grid.Initialize();
    dlg.ShowWindow(SW_SHOW);
    HWND hChild = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 16, grid.m_hWnd, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    ::SetFocus(hChild);
    ASSERT_EQ(::GetFocus(), hChild);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 60));
    EXPECT_EQ(::GetFocus(), hChild);

    ::SetFocus(dlg.m_hWnd);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 60));
    EXPECT_EQ(::GetFocus(), grid.m_hWnd);
    dlg.DestroyWindow();
}

TEST_F(GridWndTest, TheDialogCodeIsTheEnginesAnswer)
{
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    grid.Initialize();
    // The window's default code with characters, Tab and the arrows added.
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), ::DefWindowProcA(grid.m_hWnd, WM_GETDLGCODE, 0, 0) | 0x83);
    dlg.DestroyWindow();
}

TEST(GridCoreInit, WithoutTheGxwndClassInitialisationThrowsTheResourceException)
{
    GXStartLibrary();
    WNDCLASSA wndcls;
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), "GXWND", &wndcls));
    ASSERT_TRUE(::UnregisterClassA("GXWND", ::GetModuleHandleA(nullptr)));
    CGXGridCore grid;
    bool bThrown = false;
    try
    {
        grid.InitializeGrid();
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    wndcls.hInstance = ::GetModuleHandleA(nullptr);
    wndcls.lpszClassName = "GXWND";
    ASSERT_NE(::RegisterClassA(&wndcls), 0);
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(grid.IsInitialized());
}

TEST(GridCoreInit, TheTopRowIsNeverInsideTheFrozenRows)
{
    GXStartLibrary();
    CGXGridParam* pParam = new CGXGridParam;
    pParam->m_nFrozenRows = 3;
    pParam->m_nFrozenCols = 2;
    CGXGridCore grid;
    grid.SetParam(pParam, TRUE);
    grid.InitializeGrid();
    EXPECT_EQ(grid.GetTopRow(), 4u);
    EXPECT_EQ(grid.GetLeftCol(), 3u);
}

TEST(GridCoreInit, ARememberedCurrentCellOutsideTheTableIsNotRestored)
{
    GXStartLibrary();
    CGXData* pData = new CGXData;
    pData->SetRowCount(4);
    pData->SetColCount(5);
    CGXGridParam* pParam = new CGXGridParam;
    pParam->SetData(pData, TRUE);
    pParam->m_nSetting81 = 5;
    pParam->m_nSetting82 = 3;
    CGXGridCore grid;
    grid.SetParam(pParam, TRUE);
    grid.InitializeGrid();
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_FALSE(grid.GetCurrentCell(nRow, nCol));
}

TEST(GridCoreInit, ARememberedCurrentCellInsideTheTableComesBack)
{
    GXStartLibrary();
    CGXGridCore first;
    first.InitializeGrid();
    first.SetRowCount(10);
    first.SetColCount(4);
    first.SetCurrentCellInfo(TRUE, 5, 3);

    CGXGridCore second;
    second.SetParam(first.GetParam(), FALSE);
    second.InitializeGrid();
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(second.GetCurrentCell(nRow, nCol));
    EXPECT_EQ(nRow, 5u);
    EXPECT_EQ(nCol, 3u);
}

TEST_F(GridWndTest, APaintBeforeInitialisationValidatesTheWindow)
{
    CGXGridWnd grid;
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
    dlg.ShowWindow(SW_SHOW);
    ::InvalidateRect(grid.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(grid.m_hWnd);
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    EXPECT_FALSE(grid.IsInitialized());
    dlg.DestroyWindow();
}
} // namespace
