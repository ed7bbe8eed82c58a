// Current cell moves, keys, scrolling and mouse tracking of a real grid window driven by posted messages.

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A grid with fixed sizes that records what reaches its hooks.
class CInputGrid : public CGXGridWnd
{
public:
    int GetRowHeight(ROWCOL nRow) override { return nRow == m_nTallRow ? 1000 : kRowHeight; }
    int GetColWidth(ROWCOL nCol) override { return nCol == 0 ? kHeaderWidth : kColWidth; }

    BOOL OnCellLeftDblClicked(ROWCOL nRow, ROWCOL nCol, UINT, CPoint) override
    {
        m_dblClicks.push_back({nRow, nCol, IsCurrentCell(nRow, nCol)});
        return TRUE;
    }
    BOOL DispatchCellLeftButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                UINT nFlags, UINT nHitState) override
    {
        m_events.push_back({nRow, nCol, nHitState});
        return CGXGridWnd::DispatchCellLeftButton(nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
    }

    struct Hit
    {
        ROWCOL row;
        ROWCOL col;
        UINT state;
    };
    struct DblClick
    {
        ROWCOL row;
        ROWCOL col;
        BOOL wasCurrent;
    };
    std::vector<Hit> m_events;
    std::vector<DblClick> m_dblClicks;
    ROWCOL m_nTallRow = GX_INVALID;
};

class GridInputTest : public GridWindowTest<CInputGrid>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(20, 5, TRUE));
        Pump();
    }
    void TearDown() override
    {
        if (::GetCapture() == grid.m_hWnd)
            ::ReleaseCapture();
        GridWindowTest<CInputGrid>::TearDown();
    }
};

using Cell = std::pair<ROWCOL, ROWCOL>;

// ---- Keys ----

TEST_F(GridInputTest, MoveKeysMoveTheCurrentCell)
{
    struct Case
    {
        Cell start;
        UINT key;
        BOOL ctrl;
        BOOL shift;
        Cell expected;
    };
    const Case cases[] = {
        {{5, 3}, VK_DOWN, FALSE, FALSE, {6, 3}},  {{5, 3}, VK_UP, FALSE, FALSE, {4, 3}},
        {{5, 3}, VK_LEFT, FALSE, FALSE, {5, 2}},  {{5, 3}, VK_RIGHT, FALSE, FALSE, {5, 4}},
        {{1, 1}, VK_UP, FALSE, FALSE, {1, 1}},    {{1, 1}, VK_LEFT, FALSE, FALSE, {1, 1}},
        {{5, 3}, VK_TAB, FALSE, FALSE, {5, 4}},   {{5, 3}, VK_TAB, FALSE, TRUE, {5, 2}},
        {{5, 3}, VK_HOME, TRUE, FALSE, {1, 1}},   {{5, 3}, VK_END, TRUE, FALSE, {20, 5}},
        {{5, 3}, VK_DOWN, TRUE, FALSE, {20, 3}},  {{5, 3}, VK_UP, TRUE, FALSE, {1, 3}},
        {{5, 3}, VK_RIGHT, TRUE, FALSE, {5, 5}},  {{5, 3}, VK_LEFT, TRUE, FALSE, {5, 1}},
        {{20, 5}, VK_DOWN, FALSE, FALSE, {20, 5}}, {{5, 5}, VK_TAB, FALSE, FALSE, {5, 5}},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(grid.MoveCurrentCell(c.start.first, c.start.second));
        Key(c.key, c.ctrl, c.shift);
        EXPECT_EQ(Current(), c.expected) << "key " << c.key << " ctrl " << c.ctrl << " shift " << c.shift
                                         << " from " << c.start.first << "," << c.start.second;
    }
}

TEST_F(GridInputTest, HomeAndEndWithoutCtrlAreLeftToTheWindow)
{
    ASSERT_TRUE(grid.MoveCurrentCell(5, 3));
    KeyState keys(FALSE, FALSE);
    // The grid's own key handling leaves them (a cell's control may still take them).
    EXPECT_FALSE(grid.HandleKeyDown(VK_HOME, 1, 0));
    EXPECT_FALSE(grid.HandleKeyDown(VK_END, 1, 0));
    EXPECT_EQ(Current(), Cell(5, 3));
}

TEST_F(GridInputTest, ARepeatCountMovesThatManyCellsAndZeroMovesOne)
{
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    KeyState keys(FALSE, FALSE);
    EXPECT_TRUE(grid.DispatchKeyMessage(&grid, WM_KEYDOWN, VK_DOWN, 3, 0));
    EXPECT_EQ(Current(), Cell(5, 2));
    EXPECT_TRUE(grid.DispatchKeyMessage(&grid, WM_KEYDOWN, VK_DOWN, 0, 0));
    EXPECT_EQ(Current(), Cell(6, 2));
}

TEST_F(GridInputTest, EscWhileDraggingEndsTheDragAndChangesNoCell)
{
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    ASSERT_EQ(Current(), Cell(3, 2));
    Key(VK_ESCAPE);
    EXPECT_NE(::GetCapture(), grid.m_hWnd);
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
    EXPECT_EQ(Current(), Cell(3, 2));
    // Keys after the drag move again.
    Key(VK_DOWN);
    EXPECT_EQ(Current(), Cell(4, 2));
}

TEST_F(GridInputTest, ADialogLeavesCharactersTabAndArrowsToTheGrid)
{
    const LRESULT code = ::SendMessageA(grid.m_hWnd, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code & 0x83, 0x83);
    EXPECT_EQ(grid.HandleGetDlgCode(DLGC_HASSETSEL), static_cast<UINT>(DLGC_HASSETSEL | 0x83));
}

TEST_F(GridInputTest, MoveMessageCodesSelectTheirMoves)
{
    struct Case
    {
        WPARAM code;
        Cell expected;
    };
    const Case cases[] = {{0, {1, 3}}, {1, {4, 3}}, {2, {6, 3}}, {3, {20, 3}}};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(grid.MoveCurrentCell(5, 3));
        ::SendMessageA(grid.m_hWnd, WM_GX_MOVECURRENTCELL, c.code, 1);
        EXPECT_EQ(Current(), c.expected) << "code " << c.code;
    }
    // Code 4 scrolls by the count and places the cell that many rows below the new top row.
    grid.SetRowCount(200);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 3));
    ASSERT_EQ(grid.GetTopRow(), 1u);
    ::SendMessageA(grid.m_hWnd, WM_GX_MOVECURRENTCELL, 4, 10);
    EXPECT_EQ(Current(), Cell(21, 1));
}

// ---- Scrolling ----

TEST_F(GridInputTest, AHundredThousandRowsScaleTheVerticalBarByFour)
{
    grid.SetScrollBarMode(SB_VERT, 1);
    grid.SetRowCount(100000);
    grid.UpdateScrollbars();
    EXPECT_EQ(grid.GetScrollFactor(SB_VERT), 4u);
    int nMin = 0;
    int nMax = 0;
    ::GetScrollRange(grid.m_hWnd, SB_VERT, &nMin, &nMax);
    EXPECT_LE(nMax, 32767);
    // Thumb position p maps to row (p - first) x 4 + first.
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 101), 0);
    EXPECT_EQ(grid.GetTopRow(), 401u);
}

TEST_F(GridInputTest, PageDownScrollsAtLeastOneRowAndPageUpAtTheTopNothing)
{
    grid.SetRowCount(100);
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    const ROWCOL nAfterPage = grid.GetTopRow();
    EXPECT_GT(nAfterPage, 2u);
    // A row taller than the window still moves the page by one row.
    grid.m_nTallRow = nAfterPage;
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), nAfterPage + 1);
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    ::SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), 2u);
}

TEST_F(GridInputTest, AutomaticModeHidesAndShowsTheBarAsRowsAreAdded)
{
    grid.SetScrollBarMode(SB_VERT, 2);
    grid.SetRowCount(2);
    grid.UpdateScrollbars();
    Pump();
    EXPECT_EQ(grid.GetStyle() & WS_VSCROLL, 0u);
    grid.SetRowCount(200);
    grid.UpdateScrollbars();
    Pump();
    EXPECT_NE(grid.GetStyle() & WS_VSCROLL, 0u);
    grid.SetRowCount(2);
    grid.UpdateScrollbars();
    Pump();
    EXPECT_EQ(grid.GetStyle() & WS_VSCROLL, 0u);
}

TEST_F(GridInputTest, ScrollCellInViewOfAFrozenRowScrollsNothing)
{
    grid.SetRowCount(200);
    grid.SetFrozenRows(2);
    grid.SetTopRow(50);
    ASSERT_EQ(grid.GetTopRow(), 50u);
    EXPECT_FALSE(grid.ScrollCellInView(1, 1));
    EXPECT_EQ(grid.GetTopRow(), 50u);
    // A row above the top row becomes the top row; one far below comes into view at the bottom.
    EXPECT_TRUE(grid.ScrollCellInView(10, 1));
    EXPECT_EQ(grid.GetTopRow(), 10u);
    EXPECT_TRUE(grid.ScrollCellInView(150, 1));
    EXPECT_LT(grid.GetTopRow(), 150u);
    EXPECT_GT(grid.GetTopRow(), 140u);
    EXPECT_FALSE(grid.ScrollCellInView(150, 1));
}

TEST_F(GridInputTest, KeysMovingBelowTheWindowScrollTheCellIntoView)
{
    grid.SetRowCount(200);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Key(VK_END, TRUE);
    EXPECT_EQ(Current(), Cell(200, 5));
    EXPECT_GT(grid.GetTopRow(), 190u);
    Key(VK_HOME, TRUE);
    EXPECT_EQ(grid.GetTopRow(), 1u);
}

// ---- Mouse ----

TEST_F(GridInputTest, AClickMakesACellCurrent)
{
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(4, 2));
    Post(WM_LBUTTONUP, 0, CellCenter(4, 2));
    EXPECT_EQ(Current(), Cell(4, 2));
    EXPECT_NE(::GetCapture(), grid.m_hWnd);
    ASSERT_EQ(grid.m_events.size(), 2u);
    EXPECT_EQ(grid.m_events[0].state & (GX_HITBTNDOWN | GX_HITINCELL), GX_HITBTNDOWN | GX_HITINCELL);
    EXPECT_EQ(grid.m_events[1].state & (GX_HITBTNUP | GX_HITINCELL), GX_HITBTNUP | GX_HITINCELL);

}

TEST_F(GridInputTest, ADoubleClickOnAnotherCellFirstMovesThenReachesTheHook)
{
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, CellCenter(3, 2));
    ASSERT_EQ(grid.m_dblClicks.size(), 1u);
    EXPECT_EQ(grid.m_dblClicks[0].row, 3u);
    EXPECT_EQ(grid.m_dblClicks[0].col, 2u);
    EXPECT_TRUE(grid.m_dblClicks[0].wasCurrent);
}

TEST_F(GridInputTest, ARightPressDuringALeftDragCancelsTheTracking)
{
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    ASSERT_NE(grid.GetMouseTrackState(), 0);
    Post(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, CellCenter(3, 3));
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
    EXPECT_NE(::GetCapture(), grid.m_hWnd);
    EXPECT_EQ(Current(), Cell(2, 2));
}

TEST_F(GridInputTest, AReleaseOutsideTheTableIsClampedToTheCounts)
{
    grid.SetRowCount(3);
    grid.SetColCount(2);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    Post(WM_MOUSEMOVE, MK_LBUTTON, CPoint(4000, 3000));
    Post(WM_LBUTTONUP, 0, CPoint(4000, 3000));
    ASSERT_GE(grid.m_events.size(), 3u);
    for (const CInputGrid::Hit& hit : grid.m_events)
    {
        EXPECT_GE(hit.row, 1u);
        EXPECT_LE(hit.row, 3u);
        EXPECT_GE(hit.col, 1u);
        EXPECT_LE(hit.col, 2u);
    }
    EXPECT_NE(grid.m_events.back().state & GX_HITBTNUP, 0u);
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
}

TEST_F(GridInputTest, AClickWhileTheCellsOwnWindowHasTheFocusLeavesTheFocusThere)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 40, 20, 60, 20, grid.m_hWnd, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hEdit, nullptr);
    ::SetFocus(hEdit);
    ASSERT_EQ(::GetFocus(), hEdit);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    Post(WM_LBUTTONUP, 0, CellCenter(3, 2));
    EXPECT_EQ(::GetFocus(), hEdit);
    EXPECT_EQ(Current(), Cell(3, 2));
    ::DestroyWindow(hEdit);
}

// ---- Current cell ----

// A control whose edit refuses to be left while its value is "bad".
class CRefusingControl : public CGXControl
{
public:
    explicit CRefusingControl(CGXGridCore* pGrid) : CGXControl(pGrid) {}
    BOOL IsActive() override { return m_bActive; }
    void SetActive(BOOL bActive) override { m_bActive = bActive; }
    BOOL GetModify() override { return m_bModified; }
    void SetModify(BOOL bModified) override { m_bModified = bModified; }
    BOOL OnValidate() override { return !m_bBad; }
    BOOL Store() override
    {
        ++m_nStores;
        m_bModified = FALSE;
        return TRUE;
    }
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bBad = FALSE;
    int m_nStores = 0;
};

TEST_F(GridInputTest, AModifiedCellIsStoredOnLeavingAndARefusedValueKeepsTheCell)
{
    CRefusingControl* pControl = new CRefusingControl(&grid);
    grid.RegisterControl(grid.m_nDefaultControl, pControl);
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    ASSERT_EQ(grid.GetCurrentCellControl(), pControl);
    pControl->m_bActive = TRUE;
    pControl->m_bModified = TRUE;
    pControl->m_bBad = TRUE;
    Key(VK_DOWN);
    EXPECT_EQ(Current(), Cell(2, 2));
    EXPECT_EQ(pControl->m_nStores, 0);
    pControl->m_bBad = FALSE;
    Key(VK_DOWN);
    EXPECT_EQ(Current(), Cell(3, 2));
    EXPECT_EQ(pControl->m_nStores, 1);
    EXPECT_FALSE(pControl->m_bActive);
}

TEST_F(GridInputTest, RemovedRowsDropTheCurrentCellAndAMoveToItselfDoesNothing)
{
    ASSERT_TRUE(grid.MoveCurrentCell(18, 2));
    EXPECT_TRUE(grid.MoveCurrentCell(18, 2));
    EXPECT_EQ(Current(), Cell(18, 2));
    grid.SetRowCount(10);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_FALSE(grid.GetCurrentCell(nRow, nCol));
    // The next move key starts from the remembered cell clamped to the counts.
    Key(VK_UP);
    EXPECT_EQ(Current(), Cell(9, 2));
}
} // namespace

namespace
{
TEST_F(GridInputTest, APressInACellStartsAutoscrollAndTheReleaseEndsIt)
{
    grid.m_bAutoScrollCells = TRUE;
    grid.SetRowCount(200);
    ::PostMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    MSG msg;
    while (::PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_TRUE(grid.IsAutoScrollActive());
    Post(WM_LBUTTONUP, 0, CPoint(100, 50));
    // The next tick of the timer sees the stop.
    for (int i = 0; i < 50 && grid.IsAutoScrollActive(); ++i)
    {
        ::Sleep(20);
        Pump();
    }
    EXPECT_FALSE(grid.IsAutoScrollActive());
}
} // namespace

namespace
{
TEST_F(GridInputTest, ADragBelowTheWindowScrollsOnEachTickUntilTheRelease)
{
    grid.m_bAutoScrollCells = TRUE;
    grid.SetRowCount(200);
    const CRect rect = grid.GetGridRect();
    const CPoint below(CellCenter(2, 2).x, rect.bottom + 30);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    Post(WM_MOUSEMOVE, MK_LBUTTON, below);
    ASSERT_FALSE(grid.m_events.empty());
    // The timer may already have ticked while the messages were pumped.
    const ROWCOL nTop = grid.GetTopRow();
    const ROWCOL nEdgeRow = grid.m_events.back().row;
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    EXPECT_GT(grid.GetTopRow(), nTop);
    // The drag follows to the row that came into view under the bottom edge.
    EXPECT_EQ(grid.m_events.back().row, nEdgeRow + (grid.GetTopRow() - nTop));

    Post(WM_LBUTTONUP, 0, below);
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    EXPECT_FALSE(grid.IsAutoScrollActive());
    const ROWCOL nTopAfter = grid.GetTopRow();
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    EXPECT_EQ(grid.GetTopRow(), nTopAfter);
}

TEST_F(GridInputTest, AutoscrollMovesNothingInsideTheWindowOrWhenTheTableFits)
{
    grid.m_bAutoScrollCells = TRUE;
    grid.SetRowCount(3);
    const CRect rect = grid.GetGridRect();
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    Post(WM_MOUSEMOVE, MK_LBUTTON, CPoint(CellCenter(2, 2).x, rect.bottom + 30));
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    EXPECT_TRUE(grid.IsAutoScrollActive());
    Post(WM_LBUTTONUP, 0, CellCenter(2, 2));
}
} // namespace

namespace
{
TEST_F(GridInputTest, ResizingTheWindowShowsTheAutomaticBarWhenRowsNoLongerFit)
{
    grid.SetScrollBarMode(SB_VERT, 2);
    grid.SetRowCount(4);
    grid.UpdateScrollbars();
    Pump();
    ASSERT_EQ(grid.GetStyle() & WS_VSCROLL, 0u);
    ::SetWindowPos(grid.m_hWnd, nullptr, 0, 0, 200, 60, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_NE(grid.GetStyle() & WS_VSCROLL, 0u);
}
} // namespace

namespace
{
TEST_F(GridInputTest, AClickOnAHeaderKeepsTheEditOfTheCurrentCell)
{
    CRefusingControl* pControl = new CRefusingControl(&grid);
    grid.RegisterControl(grid.m_nDefaultControl, pControl);
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    // The column header uses the same control object as the cells.
    CGXStyle header;
    header.SetControl(grid.m_nDefaultControl);
    grid.SetStyleRange(CGXRange(0, 2), header, gxOverride);
    ASSERT_EQ(grid.GetControl(0, 2), pControl);
    pControl->m_bActive = TRUE;
    pControl->m_bModified = TRUE;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(kHeaderWidth + kColWidth + 10, kRowHeight / 2));
    Post(WM_LBUTTONUP, 0, CPoint(kHeaderWidth + kColWidth + 10, kRowHeight / 2));
    EXPECT_TRUE(pControl->IsInitAt(2, 2));
    EXPECT_TRUE(pControl->m_bModified);
    EXPECT_EQ(Current(), Cell(2, 2));
}
} // namespace
