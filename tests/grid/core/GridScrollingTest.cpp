// Scrolling of a real grid window: the executor's hooks and redraw, held scroll-bar arrows on the
// autoscroll timer and cells kept in view.

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "tests/grid/core/GridEngineTestSupport.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{
// A grid with fixed sizes that records the scroll hooks and can refuse a new edge.
class CScrollGrid : public CGXGridWnd
{
public:
    int GetRowHeight(ROWCOL nRow) override { return m_hiddenRows.count(nRow) != 0 ? 0 : kRowHeight; }
    int GetColWidth(ROWCOL nCol) override { return nCol == 0 ? kHeaderWidth : kColWidth; }

    BOOL CanChangeTopRow(ROWCOL nNewTopRow) override
    {
        m_askedTopRows.push_back(nNewTopRow);
        return m_bAllowTopRow;
    }
    BOOL CanChangeLeftCol(ROWCOL nNewLeftCol) override
    {
        m_askedLeftCols.push_back(nNewLeftCol);
        return m_bAllowLeftCol;
    }
    void OnTopRowChanged() override
    {
        ++m_nTopRowChanged;
        // The drawing code sees the old edge while the scroll runs.
        m_prevTopRows.push_back(IsScrolling() ? GetPreviousTopRow() : 0);
    }
    void OnLeftColChanged() override { ++m_nLeftColChanged; }
    BOOL SpareHookB4(ROWCOL a, ROWCOL b, ROWCOL c, ROWCOL d) override
    {
        m_preScroll.push_back({a, b, c, d});
        return FALSE;
    }
    BOOL GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range) override
    {
        if (m_covered.IsValid() && m_covered.ContainsCell(nRow, nCol))
        {
            range = m_covered;
            return TRUE;
        }
        return FALSE;
    }

    std::set<ROWCOL> m_hiddenRows;
    BOOL m_bAllowTopRow = TRUE;
    BOOL m_bAllowLeftCol = TRUE;
    std::vector<ROWCOL> m_askedTopRows;
    std::vector<ROWCOL> m_askedLeftCols;
    std::vector<ROWCOL> m_prevTopRows;
    int m_nTopRowChanged = 0;
    int m_nLeftColChanged = 0;
    std::vector<std::vector<ROWCOL>> m_preScroll;
    CGXRange m_covered;
};

// The spreadsheet-like frame, recording how the grid locks it.
class CRecordingFrame : public CGXAbstractGridExcelLikeFrameImp
{
public:
    BOOL DrawExcelLikeFrame(CGXGridCore*, CDC*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL, BOOL) override
    {
        return FALSE;
    }
    BOOL RefreshExcelLikeFrame(CGXGridCore*, BOOL, const CGXRange*, BOOL) override { return FALSE; }
    BOOL RedrawExcelLikeFrame(CGXGridCore*) override { return FALSE; }
    BOOL LockExcelLikeFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw) override
    {
        calls.push_back({bLock, bRedraw, static_cast<CScrollGrid*>(pGrid)->GetTopRow()});
        const BOOL bOld = m_bLocked;
        m_bLocked = bLock;
        return bOld;
    }
    struct Call
    {
        BOOL bLock;
        BOOL bRedraw;
        ROWCOL nTopRow;
    };
    std::vector<Call> calls;
    BOOL m_bLocked = FALSE;
};

// Merged cells: rows 1 to 4 of column 2 form one vertically merged range.
class CMergedColumnTwo : public CGXAbstractGridMergeCellsImp
{
public:
    BOOL CanMergeCell(CGXGridCore*, const CGXStyle&, ROWCOL, ROWCOL, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL CanMergeCellsStyles(CGXGridCore*, const CGXStyle&, const CGXStyle&) override { return FALSE; }
    BOOL DelayMergeCells(CGXGridCore*, const CGXRange&, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL EvalMergeCells(CGXGridCore*, const CGXRange&, BOOL, CGXRange*, BOOL) override { return FALSE; }
    BOOL GetMergeRange(CGXGridCore*, ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection) override
    {
        if (nDirection == 0 || nCol != 2 || nRow < 1 || nRow > 4)
            return FALSE;
        range = CGXRange(1, 2, 4, 2);
        return TRUE;
    }
    BOOL UpdateMergeCellsRowCol(CGXGridCore*, int, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override { return FALSE; }
    BOOL RedrawMergeCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override { return FALSE; }
    BOOL ExpandToMergedCells(CGXGridCore*, const CGXRange&, CGXRange&) override { return FALSE; }
    BOOL SetMergeCellsMode(CGXGridCore*, WORD, BOOL) override { return FALSE; }
};

// Update hints: only the scroll hint is recorded.
class CRecordingHints : public CNullUpdateHintImp
{
public:
    void HintScrollPanes(CGXGridCore*, int nDirection) override { directions.push_back(nDirection); }
    std::vector<int> directions;
};

// A control that is active while the test says so and records when the grid hides it.
class CHidingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsActive() override { return m_bActive; }
    void SetActive(BOOL bActive) override { m_bActive = bActive; }
    void Hide() override { ++m_nHides; }
    BOOL m_bActive = FALSE;
    int m_nHides = 0;
};

class GridScrollingTest : public GridAutoScrollTest<CScrollGrid>
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenShownGrid(1000, 20)); }
    void VScroll(UINT nCode, UINT nPos = 0)
    {
        ::SendMessageA(grid.m_hWnd, WM_VSCROLL, MAKEWPARAM(nCode, nPos), 0);
    }
    void HScroll(UINT nCode, UINT nPos = 0)
    {
        ::SendMessageA(grid.m_hWnd, WM_HSCROLL, MAKEWPARAM(nCode, nPos), 0);
    }
};

// ---- The executor's hooks ----

TEST_F(GridScrollingTest, ARefusedTopRowOrLeftColumnLeavesTheGridWhereItWas)
{
    grid.m_bAllowTopRow = FALSE;
    VScroll(SB_LINEDOWN);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    ASSERT_EQ(grid.m_askedTopRows.size(), 1u);
    EXPECT_EQ(grid.m_askedTopRows[0], 2u);
    EXPECT_EQ(grid.m_nTopRowChanged, 0);
    EXPECT_FALSE(grid.ScrollRowsCols(GX_DOWN, 5));
    EXPECT_EQ(grid.GetTopRow(), 1u);

    grid.m_bAllowLeftCol = FALSE;
    HScroll(SB_PAGEDOWN);
    EXPECT_EQ(grid.GetLeftCol(), 1u);
    EXPECT_EQ(grid.m_askedLeftCols.size(), 1u);
    EXPECT_EQ(grid.m_nLeftColChanged, 0);

    // Allowed again, the same requests scroll.
    grid.m_bAllowTopRow = TRUE;
    grid.m_bAllowLeftCol = TRUE;
    VScroll(SB_LINEDOWN);
    HScroll(SB_LINEDOWN);
    EXPECT_EQ(grid.GetTopRow(), 2u);
    EXPECT_EQ(grid.GetLeftCol(), 2u);
}

struct ScrollCase
{
    UINT nCode;
    UINT nPos;
    int nHookCalls;
};

class ScrollHookCalls : public GridScrollingTest, public ::testing::WithParamInterface<ScrollCase>
{
};

TEST_P(ScrollHookCalls, TheAfterScrollHookRunsOncePerScrollWithThePreviousTopRowKnown)
{
    const ScrollCase c = GetParam();
    grid.SetTopRow(10);
    grid.m_prevTopRows.clear();
    grid.m_nTopRowChanged = 0;
    grid.m_preScroll.clear();
    VScroll(c.nCode, c.nPos);
    EXPECT_EQ(grid.m_nTopRowChanged, c.nHookCalls);
    EXPECT_EQ(grid.m_nLeftColChanged, 0);
    if (c.nHookCalls == 1)
    {
        ASSERT_EQ(grid.m_prevTopRows.size(), 1u);
        EXPECT_EQ(grid.m_prevTopRows[0], 10u);
        EXPECT_NE(grid.GetTopRow(), 10u);
    }
    // The pre-scroll hook hears of every scroll request that would move, with the fixed arguments.
    EXPECT_EQ(grid.m_preScroll.size(), static_cast<size_t>(c.nHookCalls));
    for (const auto& args : grid.m_preScroll)
        EXPECT_EQ(args, (std::vector<ROWCOL>{0, 0, 1, 0}));
    // Outside the scroll the previous edge is forgotten.
    EXPECT_FALSE(grid.IsScrolling());
    EXPECT_EQ(grid.GetPreviousTopRow(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Codes, ScrollHookCalls,
                         ::testing::Values(ScrollCase{SB_LINEDOWN, 0, 1}, ScrollCase{SB_LINEUP, 0, 1},
                                           ScrollCase{SB_PAGEDOWN, 0, 1}, ScrollCase{SB_PAGEUP, 0, 1},
                                           ScrollCase{SB_THUMBPOSITION, 300, 1}, ScrollCase{SB_TOP, 0, 1},
                                           ScrollCase{SB_BOTTOM, 0, 1}, ScrollCase{SB_THUMBPOSITION, 10, 0},
                                           ScrollCase{SB_ENDSCROLL, 0, 0}));

TEST_F(GridScrollingTest, NothingToScrollCallsNoHook)
{
    VScroll(SB_LINEUP);
    VScroll(SB_TOP);
    EXPECT_EQ(grid.m_nTopRowChanged, 0);
    EXPECT_TRUE(grid.m_askedTopRows.empty());
    EXPECT_TRUE(grid.m_preScroll.empty());
}

TEST_F(GridScrollingTest, ALineScrollPassesOverHiddenRowsSoThatOneShownRowMoves)
{
    grid.m_hiddenRows = {2, 3, 4};
    EXPECT_TRUE(grid.ScrollRowsCols(GX_DOWN, 1));
    EXPECT_EQ(grid.GetTopRow(), 5u);
    EXPECT_TRUE(grid.ScrollRowsCols(GX_DOWN, 1));
    EXPECT_EQ(grid.GetTopRow(), 6u);
    // Up, the hidden rows above the new top row come along: row 5 is still the first one shown.
    EXPECT_TRUE(grid.ScrollRowsCols(GX_UP, 1));
    EXPECT_EQ(grid.GetTopRow(), 2u);
    EXPECT_TRUE(grid.ScrollRowsCols(GX_UP, 1));
    EXPECT_EQ(grid.GetTopRow(), 1u);
    EXPECT_FALSE(grid.ScrollRowsCols(GX_UP, 1));
    // From the row after the hidden ones, one line up shows row 1 at once.
    grid.SetTopRow(5);
    EXPECT_TRUE(grid.ScrollRowsCols(GX_UP, 1));
    EXPECT_EQ(grid.GetTopRow(), 1u);
}

TEST_F(GridScrollingTest, TheTopRowStaysWithinTheScrollableRows)
{
    grid.SetFrozenRows(3);
    EXPECT_TRUE(grid.ScrollRowsCols(GX_DOWN, 5000));
    EXPECT_EQ(grid.GetTopRow(), 1000u);
    EXPECT_TRUE(grid.ScrollRowsCols(GX_UP, 5000));
    EXPECT_EQ(grid.GetTopRow(), 4u);
    EXPECT_FALSE(grid.ScrollRowsCols(GX_UP, 1));
    EXPECT_FALSE(grid.ScrollRowsCols(7, 1));
}

TEST_F(GridScrollingTest, TheSelectionFrameIsTakenOffWhileTheContentMoves)
{
    auto* pFrame = new CRecordingFrame;
    grid.m_pExcelLikeFrameImp = pFrame;
    grid.AddImplementationObject(pFrame);
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 3));
    ASSERT_EQ(pFrame->calls.size(), 2u);
    // Locked with redraw before the top row changes, given back with redraw after.
    EXPECT_TRUE(pFrame->calls[0].bLock);
    EXPECT_TRUE(pFrame->calls[0].bRedraw);
    EXPECT_EQ(pFrame->calls[0].nTopRow, 1u);
    EXPECT_FALSE(pFrame->calls[1].bLock);
    EXPECT_TRUE(pFrame->calls[1].bRedraw);
    EXPECT_EQ(pFrame->calls[1].nTopRow, 4u);
    EXPECT_FALSE(pFrame->m_bLocked);

    // A frame the application locked stays locked.
    pFrame->m_bLocked = TRUE;
    pFrame->calls.clear();
    ASSERT_TRUE(grid.ScrollRowsCols(GX_UP, 1));
    ASSERT_EQ(pFrame->calls.size(), 2u);
    EXPECT_TRUE(pFrame->calls[1].bLock);
    EXPECT_TRUE(pFrame->m_bLocked);
}

TEST_F(GridScrollingTest, AScrollOnlyRepaintsTheStripThatEnteredAndMergedCellsReachingIntoIt)
{
    grid.m_bNoUpdateOnScroll = TRUE;
    const CRect area = grid.GetGridRectBelowRow(0);
    const int yTop = area.top + kRowHeight / 2;
    const int xMerged = kHeaderWidth + kColWidth + kColWidth / 2;
    const int xPlain = kHeaderWidth + kColWidth / 2;
    auto invalid = [&](int x, int y) {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(grid.m_hWnd, hRgn, FALSE);
        const BOOL bIn = ::PtInRegion(hRgn, x, y);
        ::DeleteObject(hRgn);
        return bIn;
    };

    // Without merged cells only the strip at the bottom is painted again.
    grid.UpdateWindow();
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 1));
    EXPECT_FALSE(invalid(xMerged, yTop));
    EXPECT_FALSE(invalid(xPlain, yTop));
    EXPECT_TRUE(invalid(xPlain, area.bottom - 2));

    // Rows 1 to 4 of column 2 are merged: with top row 2 the range starts above it and is painted again.
    grid.GetParam()->m_wMergeCellsMode = 1;
    auto* pMerge = new CMergedColumnTwo;
    grid.m_pMergeCellsImp = pMerge;
    grid.AddImplementationObject(pMerge);
    grid.UpdateWindow();
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 1));
    EXPECT_TRUE(invalid(xMerged, yTop));
    EXPECT_FALSE(invalid(xPlain, yTop));

    // A move as large as the area paints the whole area.
    grid.UpdateWindow();
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 100));
    EXPECT_TRUE(invalid(xPlain, yTop));
}

TEST_F(GridScrollingTest, DoScrollSendsAScrollHintOnlyWhenItScrolledAndHintsAreOn)
{
    auto* pHints = new CRecordingHints;
    grid.m_pUpdateHintImp = pHints;
    grid.AddImplementationObject(pHints);
    EXPECT_TRUE(grid.DoScroll(GX_DOWN, 2));
    EXPECT_TRUE(pHints->directions.empty());
    grid.m_bHintsEnabled = TRUE;
    EXPECT_TRUE(grid.DoScroll(GX_RIGHT, 2));
    EXPECT_TRUE(grid.DoScroll(GX_UP, 10));
    EXPECT_FALSE(grid.DoScroll(GX_UP, 1));
    grid.m_bHintsEnabled = FALSE;
    EXPECT_EQ(pHints->directions, (std::vector<int>{GX_RIGHT, GX_UP}));
}

TEST_F(GridScrollingTest, TheActiveControlIsHiddenOnlyWhenItsCellLeavesWhatStaysOnScreen)
{
    auto* pControl = new CHidingControl(&grid);
    grid.RegisterControl(grid.m_nDefaultControl, pControl);
    ASSERT_TRUE(grid.MoveCurrentCell(3, 2));
    pControl->m_bActive = TRUE;
    pControl->m_nHides = 0;
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 1));
    EXPECT_EQ(pControl->m_nHides, 0);
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 2));
    EXPECT_EQ(pControl->m_nHides, 1);
    // An inactive control is left alone.
    pControl->m_bActive = FALSE;
    ASSERT_TRUE(grid.ScrollRowsCols(GX_DOWN, 5));
    EXPECT_EQ(pControl->m_nHides, 1);
}

TEST_F(GridScrollingTest, TheThumbScrollsWhileDraggedOnlyWithTheThumbTrackSwitch)
{
    grid.GetParam()->m_bThumbTrack = FALSE;
    VScroll(SB_THUMBTRACK, 50);
    EXPECT_EQ(grid.GetTopRow(), 1u);
    VScroll(SB_THUMBPOSITION, 50);
    EXPECT_EQ(grid.GetTopRow(), 50u);
    grid.GetParam()->m_bThumbTrack = TRUE;
    VScroll(SB_THUMBTRACK, 20);
    EXPECT_EQ(grid.GetTopRow(), 20u);
}

TEST_F(GridScrollingTest, TheFillLastModePullsTheTopRowBackWhenTheTableShrinks)
{
    grid.SetScrollBarMode(SB_VERT, 1 | 8);
    grid.SetTopRow(900);
    ASSERT_EQ(grid.GetTopRow(), 900u);
    grid.SetRowCount(100);
    grid.UpdateScrollbars();
    const ROWCOL nTop = grid.GetTopRow();
    const int nSpace = grid.GetGridRectBelowRow(0).Height();
    // Rows from the top row to the last fill the window; one more row above would not fit.
    EXPECT_LE(static_cast<int>(100 - nTop + 1) * kRowHeight, nSpace);
    EXPECT_GT(static_cast<int>(100 - nTop + 2) * kRowHeight, nSpace);
    // The range ends at that row too.
    ROWCOL nMin = 0;
    ROWCOL nMax = 0;
    grid.GetScrollRangeScaled(SB_VERT, nMin, nMax);
    EXPECT_EQ(nMin, 1u);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(grid.m_hWnd, SB_VERT, &info));
    EXPECT_EQ(static_cast<ROWCOL>(info.nMax) - info.nPage + 1, nTop);
}

// The window's client area as pixels.
std::vector<COLORREF> Picture(HWND hWnd)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    HDC hdc = ::GetDC(hWnd);
    HDC hMem = ::CreateCompatibleDC(hdc);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, rect.Width(), rect.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, rect.Width(), rect.Height(), hdc, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            pixels.push_back(::GetPixel(hMem, x, y) & 0xFFFFFF);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(hWnd, hdc);
    return pixels;
}

struct MoveCase
{
    int nDirection;
    ROWCOL nCount;
    ROWCOL nFrozenRows;
};

class ScrolledPicture : public GridScrollingTest, public ::testing::WithParamInterface<MoveCase>
{
};

// Only the strip that entered is painted after a scroll: the picture must equal a full repaint.
TEST_P(ScrolledPicture, EqualsTheWholeGridPaintedAgain)
{
    const MoveCase c = GetParam();
    grid.SetRowCount(60);
    grid.SetColCount(8);
    for (ROWCOL nRow = 1; nRow <= 60; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 8; ++nCol)
        {
            CString text;
            text.Format("%lu.%lu", nRow, nCol);
            grid.SetValueRange(CGXRange(nRow, nCol), text);
        }
    grid.SetFrozenRows(c.nFrozenRows);
    grid.SetTopRow(10);
    grid.SetLeftCol(3);
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ASSERT_TRUE(grid.ScrollRowsCols(c.nDirection, c.nCount));
    Pump();
    const std::vector<COLORREF> scrolled = Picture(grid.m_hWnd);
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    Pump();
    const std::vector<COLORREF> repainted = Picture(grid.m_hWnd);
    ASSERT_EQ(scrolled.size(), repainted.size());
    size_t nDifferent = 0;
    for (size_t i = 0; i < scrolled.size(); ++i)
        nDifferent += scrolled[i] != repainted[i] ? 1 : 0;
    EXPECT_EQ(nDifferent, 0u);
}

INSTANTIATE_TEST_SUITE_P(Moves, ScrolledPicture,
                         ::testing::Values(MoveCase{GX_DOWN, 1, 0}, MoveCase{GX_UP, 1, 0}, MoveCase{GX_DOWN, 3, 0},
                                           MoveCase{GX_UP, 2, 1}, MoveCase{GX_DOWN, 2, 2},
                                           MoveCase{GX_RIGHT, 1, 0}, MoveCase{GX_LEFT, 2, 1}));

// ---- Held scroll-bar arrows ----

TEST_F(GridScrollingTest, AHeldArrowScrollsOnTimerTicksFasterAndFasterUntilItsRelease)
{
    grid.m_bAutoScrollArrows = TRUE;
    VScroll(SB_LINEDOWN);
    EXPECT_EQ(grid.GetTopRow(), 2u);
    EXPECT_TRUE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetArrowDirection(), GX_DOWN);
    // A tick without time passed does nothing.
    Tick(0);
    EXPECT_EQ(grid.GetTopRow(), 2u);
    // The first steps only wait, each a little shorter.
    for (int i = 0; i < 30; ++i)
        Tick();
    EXPECT_EQ(grid.GetTopRow(), 2u);
    for (int i = 0; i < 30; ++i)
        Tick();
    const ROWCOL nAfterSixty = grid.GetTopRow();
    EXPECT_GT(nAfterSixty, 2u);
    // Later steps scroll more than one row each.
    for (int i = 0; i < 100; ++i)
        Tick();
    const ROWCOL nBefore = grid.GetTopRow();
    Tick();
    EXPECT_GT(grid.GetTopRow(), nBefore + 1);

    VScroll(SB_ENDSCROLL);
    Tick();
    EXPECT_FALSE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetArrowDirection(), -1);
    const ROWCOL nStopped = grid.GetTopRow();
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(grid.GetTopRow(), nStopped);
}

TEST_F(GridScrollingTest, HeldArrowsScrollNothingOnTicksWhileTheSwitchIsOff)
{
    VScroll(SB_LINEDOWN);
    EXPECT_FALSE(grid.IsAutoScrollActive());
    EXPECT_EQ(grid.GetArrowDirection(), -1);
    for (int i = 0; i < 100; ++i)
        Tick();
    EXPECT_EQ(grid.GetTopRow(), 2u);
}

TEST_F(GridScrollingTest, AHeldLeftArrowScrollsLeftAndStopsAtTheFirstColumn)
{
    grid.m_bAutoScrollArrows = TRUE;
    grid.SetLeftCol(6);
    HScroll(SB_LINEUP);
    EXPECT_EQ(grid.GetLeftCol(), 5u);
    EXPECT_EQ(grid.GetArrowDirection(), GX_LEFT);
    for (int i = 0; i < 100; ++i)
        Tick();
    EXPECT_EQ(grid.GetLeftCol(), 1u);
    HScroll(SB_ENDSCROLL);
    Tick();
    EXPECT_FALSE(grid.IsAutoScrollActive());
}

TEST(GridAutoScrollStart, WithoutATimerAutoscrollingIsNotActive)
{
    GXStartLibrary();
    CGXGridCore core;
    core.StartAutoScroll(FALSE, TRUE, TRUE);
    EXPECT_FALSE(core.IsAutoScrollActive());
}

// ---- Cells kept in view ----

TEST_F(GridScrollingTest, ACoveredFrozenCellReachingIntoTheScrolledRowsBringsThemIntoView)
{
    grid.SetFrozenRows(2);
    grid.SetTopRow(50);
    // Row 2 is frozen, but its covered range goes on to row 5.
    grid.m_covered = CGXRange(2, 1, 5, 1);
    EXPECT_TRUE(grid.ScrollCellInView(2, 1));
    EXPECT_EQ(grid.GetTopRow(), 3u);
    // A frozen cell without such a range scrolls nothing.
    grid.SetTopRow(50);
    EXPECT_FALSE(grid.ScrollCellInView(1, 1));
    EXPECT_EQ(grid.GetTopRow(), 50u);
}

TEST_F(GridScrollingTest, ACellFarBelowComesIntoViewAtTheBottomAndAnotherCallScrollsNoMore)
{
    EXPECT_TRUE(grid.ScrollCellInView(500, 1));
    const ROWCOL nTop = grid.GetTopRow();
    EXPECT_LT(nTop, 500u);
    EXPECT_GE(grid.CalcBottomRowFromRect(grid.GetGridRect()), 500u);
    EXPECT_FALSE(grid.ScrollCellInView(500, 1));
    EXPECT_EQ(grid.GetTopRow(), nTop);
    // The last row, once wholly shown, scrolls nothing.
    EXPECT_TRUE(grid.ScrollCellInView(1000, 1));
    EXPECT_FALSE(grid.ScrollCellInView(1000, 1));
}
} // namespace
