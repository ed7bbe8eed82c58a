// A grid in a dialog edited by keyboard alone: typing replaces a value, moving away stores it, Esc
// cancels, Delete clears, and the whole table can be filled in; a picture of the result goes to
// the build folder.
#include "grid/controls/EditControl.h"

#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "tests/grid/controls/GridControlsTestResources.h"
#include "tests/tools/WindowPicture.h"

#include <gtest/gtest.h>

namespace
{
void Pump()
{
    for (int i = 0; i < 4; ++i)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

CString CellText(ROWCOL nRow, ROWCOL nCol)
{
    CString text;
    text.Format("r%luc%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
    return text;
}

class KeyboardEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(dlg.Create(IDD_CELLS_TEST));
        ASSERT_TRUE(grid.SubclassDlgItem(IDC_CELLS_GRID, &dlg));
        grid.Initialize();
        grid.SetRowCount(10);
        grid.SetColCount(5);
        grid.SetFocus();
        Pump();
    }
    void TearDown() override
    {
        SetKeys({});
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }

    static void SetKeys(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int key : keys)
            state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    // A key press as the keyboard gives it to the window with the focus.
    void Key(UINT nKey, std::initializer_list<int> held = {})
    {
        SetKeys(held);
        const HWND hFocus = ::GetFocus();
        ::SendMessageA(hFocus, WM_KEYDOWN, nKey, 1);
        Pump();
        ::SendMessageA(::GetFocus(), WM_KEYUP, nKey, 0xC0000001);
        SetKeys({});
        Pump();
    }
    void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != 0; ++p)
        {
            ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<BYTE>(*p), 1);
            Pump();
        }
    }
    void GoTo(ROWCOL nRow, ROWCOL nCol)
    {
        Key(VK_HOME, {VK_CONTROL});
        for (ROWCOL r = 1; r < nRow; ++r)
            Key(VK_DOWN);
        for (ROWCOL c = 1; c < nCol; ++c)
            Key(VK_RIGHT);
    }
    CString Value(ROWCOL nRow, ROWCOL nCol) { return grid.GetValueRowCol(nRow, nCol); }

    CDialog dlg;
    CGXGridWnd grid;
};

TEST_F(KeyboardEditingTest, TypingReplacesTheValueAndMovingAwayStoresIt)
{
    grid.SetValueRange(CGXRange(2, 2), "old");
    GoTo(2, 2);
    ASSERT_TRUE(grid.IsCurrentCell(2, 2));
    Type("new");
    EXPECT_EQ(Value(2, 2), "old");
    Key(VK_DOWN);
    EXPECT_TRUE(grid.IsCurrentCell(3, 2));
    EXPECT_EQ(Value(2, 2), "new");
}

TEST_F(KeyboardEditingTest, EscCancelsAndDeleteClears)
{
    grid.SetValueRange(CGXRange(2, 2), "keep");
    grid.SetValueRange(CGXRange(3, 2), "gone");
    grid.GetParam()->m_bGridPastesOwnFormat = FALSE;
    GoTo(2, 2);
    Type("xyz");
    Key(VK_ESCAPE);
    Key(VK_DOWN);
    EXPECT_EQ(Value(2, 2), "keep");
    EXPECT_TRUE(grid.IsCurrentCell(3, 2));
    Key(VK_DELETE);
    Key(VK_UP);
    EXPECT_EQ(Value(3, 2), "");
}

TEST_F(KeyboardEditingTest, HomeAndEndStartEditingAtTheStartOrEnd)
{
    grid.SetValueRange(CGXRange(1, 1), "mid");
    GoTo(1, 1);
    Key(VK_HOME);
    Type("<");
    Key(VK_END);
    Type(">");
    Key(VK_DOWN);
    EXPECT_EQ(Value(1, 1), "<mid>");
}

TEST_F(KeyboardEditingTest, AClickOnTheTextOfACellEditsItWithTheCaretThere)
{
    grid.SetValueRange(CGXRange(3, 2), "WWWWWW");
    const CRect cell = grid.CalcCellRect(3, 2);
    const LPARAM at = MAKELPARAM(cell.left + 4, cell.CenterPoint().y);
    ::SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_TRUE(grid.IsCurrentCell(3, 2));
    CGXControl* pControl = grid.GetCurrentCellControl();
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->IsActive());
    CWnd* pWnd = pControl->GetWnd();
    ASSERT_NE(pWnd, nullptr);
    EXPECT_TRUE(::IsWindowVisible(pWnd->m_hWnd));
    DWORD start = 99, end = 99;
    ::SendMessageA(pWnd->m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, end);
    EXPECT_LE(start, 1u);
    Type("x");
    Key(VK_DOWN);
    EXPECT_EQ(Value(3, 2).GetLength(), 7);
}

TEST_F(KeyboardEditingTest, ATableIsFilledInByKeyboardAlone)
{
    for (ROWCOL nCol = 1; nCol <= 5; ++nCol)
    {
        GoTo(1, nCol);
        for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        {
            ASSERT_TRUE(grid.IsCurrentCell(nRow, nCol)) << nRow << "," << nCol;
            Type(CellText(nRow, nCol));
            Key(VK_DOWN);
        }
    }
    GoTo(1, 1);
    for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 5; ++nCol)
            EXPECT_EQ(Value(nRow, nCol), CellText(nRow, nCol));
    ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(SaveWindowPicture(dlg.m_hWnd, "grid_filled_by_keyboard.bmp"));
}
}  // namespace
