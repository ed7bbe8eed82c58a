// The page table grid in a dialog of its own, driven by real mouse and key messages: the row it
// puts into the record and the commands it sends its dialog.
#include "quarrow/pages/PageTableGrid.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "tests/quarrow/pages/PageTableGridTestResources.h"

namespace {

void Pump()
{
    for (int i = 0; i < 3; ++i)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
}

// The dialog records the commands its table sends (control id, code, sender).
class CTableHost : public CDialog
{
public:
    CTableHost() : CDialog(IDD_TABLE_HOST) {}

    struct Command
    {
        int nID;
        int nCode;
        HWND hSender;
        int nPickedRow;  // the record's picked row when the command arrived
    };
    std::vector<Command> commands;
    CProjectData* m_pData = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_TABLE_HOST_GRID)
        {
            commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam),
                                m_pData != nullptr ? m_pData->m_nPickedValue : -1});
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

class PageTableGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Create(IDD_TABLE_HOST));
        host.m_pData = &data;
        ASSERT_TRUE(grid.SubclassDlgItem(IDC_TABLE_HOST_GRID, &host));
        grid.Initialize();
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetRowCount(6);
        grid.SetColCount(2);
        grid.HideCols(0, 0);
        grid.SetReadOnly(TRUE);
        grid.m_pProjectData = &data;
        grid.SetFocus();
        Pump();
        host.commands.clear();
    }
    void TearDown() override
    {
        SetKeys({});
        if (grid.GetSafeHwnd() != nullptr)
            grid.DestroyWindow();
        if (host.GetSafeHwnd() != nullptr)
            host.DestroyWindow();
    }

    static void SetKeys(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int key : keys)
            state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    void Click(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect rect = grid.CalcCellRect(nRow, nCol);
        const LPARAM point = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, point);
        Pump();
    }
    // A key as the keyboard gives it: posted to the window with the focus, through the dialog's
    // message pre-translation.
    void Key(UINT nKey, std::initializer_list<int> held = {})
    {
        SetKeys(held);
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, nKey, 1);
        Pump();
        ::PostMessageA(::GetFocus(), WM_KEYUP, nKey, 0xC0000001);
        Pump();
        SetKeys({});
    }
    std::vector<std::pair<int, int>> Codes() const
    {
        std::vector<std::pair<int, int>> codes;
        for (const CTableHost::Command& command : host.commands)
            codes.emplace_back(command.nCode, command.nPickedRow);
        return codes;
    }

    CQuarrowApp app;
    CProjectData data{"english"};
    CTableHost host;
    CPageTableGrid grid;
    CRecordingMessageBox messages;
    CScopedMessageBoxSeam scopedMessages{&messages};
};

TEST_F(PageTableGridTest, AClickedCellPutsItsRowIntoTheRecordAndTellsTheDialog)
{
    Click(3, 2);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].nID, IDC_TABLE_HOST_GRID);
    EXPECT_EQ(host.commands[0].nCode, CPageTableGrid::CurrentCellChanged);
    EXPECT_EQ(host.commands[0].hSender, grid.GetSafeHwnd());
    EXPECT_EQ(host.commands[0].nPickedRow, 3) << "the row is stored before the dialog hears of it";
    EXPECT_EQ(data.m_nPickedValue, 3);

    // The same cell again is no news.
    Click(3, 2);
    EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(PageTableGridTest, ArrowKeysReportTheNewRowAsAClickDoes)
{
    Click(1, 1);
    Key(VK_DOWN);
    Key(VK_DOWN);
    // Another column of the same row is another cell: reported again with the same row.
    Key(VK_RIGHT);
    Key(VK_UP);
    const std::vector<std::pair<int, int>> expected = {{5, 1}, {5, 2}, {5, 3}, {5, 3}, {5, 2}};
    EXPECT_EQ(Codes(), expected);
    EXPECT_EQ(data.m_nPickedValue, 2);
}

TEST_F(PageTableGridTest, TabAndHelpReachTheDialogInsteadOfTheTable)
{
    Click(2, 1);
    host.commands.clear();
    Key(VK_TAB);
    Key(VK_HELP);
    const std::vector<std::pair<int, int>> expected = {{8, 2}, {8, 2}};
    EXPECT_EQ(Codes(), expected);
    EXPECT_TRUE(grid.IsCurrentCell(2, 1)) << "Tab moved no cell";
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(PageTableGridTest, ShiftHelpSaysHelpAndSendsNothing)
{
    Key(VK_HELP, {VK_SHIFT});
    EXPECT_TRUE(host.commands.empty());
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].text, "Help!");
    EXPECT_EQ(messages.calls[0].caption, AfxGetAppName());
    EXPECT_EQ(messages.calls[0].hWndOwner, grid.GetSafeHwnd());
    EXPECT_EQ(messages.calls[0].nType, static_cast<UINT>(MB_OK));
}

TEST_F(PageTableGridTest, EveryKeyCountsAsHandled)
{
    EXPECT_TRUE(grid.DispatchKeyMessage(&grid, WM_KEYDOWN, VK_F7, 1, 0));
    EXPECT_TRUE(grid.DispatchKeyMessage(&grid, WM_KEYUP, 'Q', 1, 0xC000));
    EXPECT_TRUE(grid.DispatchKeyMessage(&grid, WM_KEYDOWN, VK_TAB, 1, 0));
}

TEST_F(PageTableGridTest, WithoutARecordTheTableReportsNothing)
{
    grid.m_pProjectData = nullptr;
    Click(4, 1);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(data.m_nPickedValue, 0);
}

} // namespace
