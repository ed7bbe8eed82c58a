// Keys of a real grid window: move keys repeated by the autoscroll timer, Delete, and Tab.

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Range.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class CKeyGrid : public CGXGridWnd
{
public:
    int GetRowHeight(ROWCOL) override { return kRowHeight; }
    int GetColWidth(ROWCOL) override { return kColWidth; }
};

// A control whose active state the test sets and which may refuse the deletion of its cell.
class CDeletingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsActive() override { return m_bActive; }
    void SetActive(BOOL bActive) override { m_bActive = bActive; }
    BOOL OnDeleteCell() override
    {
        ++m_nAsked;
        return m_bAgree;
    }
    BOOL m_bActive = FALSE;
    BOOL m_bAgree = TRUE;
    int m_nAsked = 0;
};

// The clear-cells component, recording what it is asked to clear.
class CRecordingClear : public CGXAbstractGridClearCellsImp
{
public:
    BOOL ClearCells(CGXGridCore*, const CGXRangeList& ranges, BOOL bStyleOrValue) override
    {
        Call call;
        call.bStyles = bStyleOrValue;
        POSITION pos = ranges.GetHeadPosition();
        while (pos != nullptr)
            call.ranges.push_back(*ranges.GetNext(pos));
        calls.push_back(call);
        return TRUE;
    }
    BOOL Clear(CGXGridCore*, BOOL) override { return FALSE; }
    BOOL CanClear(CGXGridCore*) override { return m_bCanClear; }
    struct Call
    {
        BOOL bStyles;
        std::vector<CGXRange> ranges;
    };
    std::vector<Call> calls;
    BOOL m_bCanClear = TRUE;
};

using Cell = std::pair<ROWCOL, ROWCOL>;

class GridKeyboardTest : public GridAutoScrollTest<CKeyGrid>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenShownGrid(500, 5));
        // The keys' own work, without the clipboard components the factory installs.
        grid.m_pClearCellsImp = nullptr;
        grid.m_pCutPasteImp = nullptr;
    }
    // What the grid answers to a key pressed with the given modifiers.
    BOOL Dispatch(UINT nKey, BOOL bCtrl = FALSE, BOOL bShift = FALSE)
    {
        KeyState keys(bCtrl, bShift);
        return grid.DispatchKeyMessage(&grid, WM_KEYDOWN, nKey, 1, 0);
    }
    CDeletingControl* InstallControl()
    {
        auto* pControl = new CDeletingControl(&grid);
        grid.RegisterControl(grid.m_nDefaultControl, pControl);
        return pControl;
    }
};

// ---- A held move key ----

TEST_F(GridKeyboardTest, AHeldArrowKeyMovesOnTimerTicksPastTheWindowEdgeUntilItIsReleased)
{
    grid.m_bAutoScrollKeys = TRUE;
    ::SetFocus(grid.m_hWnd);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Key(VK_DOWN);
    EXPECT_EQ(Current(), Cell(2, 1));
    EXPECT_TRUE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetRepeatedKey(), static_cast<UINT>(VK_DOWN));
    // The repeat waits a while, as a keyboard does.
    for (int i = 0; i < 10; ++i)
        Tick();
    EXPECT_EQ(Current(), Cell(2, 1));
    for (int i = 0; i < 30; ++i)
        Tick();
    const ROWCOL nRow = Current().first;
    EXPECT_GT(nRow, 20u);
    // The cell went beyond the window's bottom edge and the grid scrolled with it.
    EXPECT_GT(grid.GetTopRow(), 1u);
    EXPECT_GE(grid.CalcBottomRowFromRect(grid.GetGridRect()), nRow);

    ::SendMessageA(grid.m_hWnd, WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_FALSE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetRepeatedKey(), 0u);
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(Current().first, nRow);
}

struct StopCase
{
    UINT nMessage;
    UINT nKey;
    BOOL bStops;
    UINT nRepeatedAfter;
};

class HeldKeyStop : public GridKeyboardTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(HeldKeyStop, ARepeatEndsWithAReleaseEscOrAnotherKeyButNotWithTheSameKeyAgain)
{
    const StopCase c = GetParam();
    grid.m_bAutoScrollKeys = TRUE;
    ::SetFocus(grid.m_hWnd);
    ASSERT_TRUE(grid.MoveCurrentCell(3, 3));
    Key(VK_UP);
    ASSERT_TRUE(grid.IsAutoScrollActive());
    ::SendMessageA(grid.m_hWnd, c.nMessage, c.nKey, 1);
    EXPECT_EQ(grid.IsAutoScrollActive(), !c.bStops);
    EXPECT_EQ(grid.GetRepeatedKey(), c.nRepeatedAfter);
}

// Another move key that moves ends the repeat of the first and starts its own.
INSTANTIATE_TEST_SUITE_P(Messages, HeldKeyStop,
                         ::testing::Values(StopCase{WM_KEYUP, VK_UP, TRUE, 0}, StopCase{WM_KEYDOWN, VK_ESCAPE, TRUE, 0},
                                           StopCase{WM_KEYDOWN, VK_F5, TRUE, 0},
                                           StopCase{WM_KEYDOWN, VK_RIGHT, FALSE, VK_RIGHT},
                                           StopCase{WM_KEYDOWN, VK_UP, FALSE, VK_UP}));

TEST_F(GridKeyboardTest, TheRepeatEndsWhenTheGridLosesTheFocus)
{
    grid.m_bAutoScrollKeys = TRUE;
    ::SetFocus(grid.m_hWnd);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Key(VK_RIGHT);
    ASSERT_TRUE(grid.IsAutoScrollActive());
    ::SetFocus(nullptr);
    Tick();
    EXPECT_FALSE(grid.IsAutoScrollActive());
}

TEST_F(GridKeyboardTest, WithoutTheSwitchOrWithoutAMoveNoKeyIsRepeated)
{
    ::SetFocus(grid.m_hWnd);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Key(VK_DOWN);
    EXPECT_FALSE(grid.IsAutoScrollActive());
    // At the first row Up moves nothing, so there is nothing to repeat.
    grid.m_bAutoScrollKeys = TRUE;
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Key(VK_UP);
    EXPECT_FALSE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetRepeatedKey(), 0u);
}

// ---- Delete ----

TEST_F(GridKeyboardTest, DeleteWithoutTheClearComponentChangesNothingAndIsStillTheGridsKey)
{
    CDeletingControl* pControl = InstallControl();
    grid.SetValueRange(CGXRange(2, 2), "kept");
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    EXPECT_TRUE(Dispatch(VK_DELETE));
    EXPECT_TRUE(Dispatch(VK_DELETE, TRUE));
    Key(VK_DELETE);
    EXPECT_EQ(grid.GetValueRowCol(2, 2), CString("kept"));
    // Clearing is not allowed, so the cell's control is not even asked.
    EXPECT_EQ(pControl->m_nAsked, 0);
}

TEST_F(GridKeyboardTest, DeleteClearsTheCurrentCellOrTheSelectionAndCtrlAlsoTheStyles)
{
    CDeletingControl* pControl = InstallControl();
    auto* pClear = new CRecordingClear;
    grid.m_pClearCellsImp = pClear;
    grid.AddImplementationObject(pClear);

    // Without a current cell nothing is cleared.
    grid.MoveCurrentCell(GX_INVALID, GX_INVALID);
    ASSERT_FALSE(grid.IsCurrentCell());
    EXPECT_TRUE(Dispatch(VK_DELETE));
    EXPECT_TRUE(pClear->calls.empty());

    ASSERT_TRUE(grid.MoveCurrentCell(2, 3));
    Key(VK_DELETE);
    Key(VK_DELETE, TRUE);
    ASSERT_EQ(pClear->calls.size(), 2u);
    EXPECT_FALSE(pClear->calls[0].bStyles);
    EXPECT_TRUE(pClear->calls[1].bStyles);
    ASSERT_EQ(pClear->calls[0].ranges.size(), 1u);
    EXPECT_EQ(pClear->calls[0].ranges[0], CGXRange(2, 3));

    // An editing control keeps the key's work to itself; a control that refuses keeps its cell.
    pClear->calls.clear();
    pControl->m_bActive = TRUE;
    EXPECT_TRUE(Dispatch(VK_DELETE));
    pControl->m_bActive = FALSE;
    pControl->m_bAgree = FALSE;
    EXPECT_TRUE(Dispatch(VK_DELETE));
    EXPECT_TRUE(pClear->calls.empty());
    // Shift+Delete cuts, and without the cut component does nothing.
    pControl->m_bAgree = TRUE;
    EXPECT_TRUE(Dispatch(VK_DELETE, FALSE, TRUE));
    EXPECT_TRUE(pClear->calls.empty());
}

// ---- Tab ----

TEST_F(GridKeyboardTest, TabMovesRightShiftTabLeftAndCtrlTabIsLeftToTheWindowAround)
{
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    Key(VK_TAB);
    EXPECT_EQ(Current(), Cell(2, 3));
    Key(VK_TAB, FALSE, TRUE);
    EXPECT_EQ(Current(), Cell(2, 2));
    EXPECT_FALSE(Dispatch(VK_TAB, TRUE));
    EXPECT_EQ(Current(), Cell(2, 2));
}
} // namespace
