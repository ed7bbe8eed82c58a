#pragma once
// Grid windows for the grid engine tests: a grid subclassed in the test dialog, its messages pumped,
// keys and mouse messages posted to it, fixed size units and a memory DC to paint it into.

#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/GridWnd.h"
#include "tests/grid/core/GridEngineTestResources.h"

#include <gtest/gtest.h>

#include <utility>

// Dispatches the waiting messages, at most 1000 so a grid that keeps posting cannot hold the test.
inline void Pump()
{
    MSG msg;
    for (int i = 0; i < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Holds Ctrl and Shift down (or not) in the thread's key state for one scope.
class KeyState
{
public:
    KeyState(BOOL bCtrl, BOOL bShift)
    {
        ::GetKeyboardState(m_old);
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = bCtrl ? 0x80 : 0;
        state[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    ~KeyState() { ::SetKeyboardState(m_old); }
    KeyState(const KeyState&) = delete;
    KeyState& operator=(const KeyState&) = delete;

private:
    BYTE m_old[256];
};

// The grid's current cell, (0, 0) when it has none.
inline std::pair<ROWCOL, ROWCOL> CurrentCellOf(CGXGridCore& grid)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!grid.GetCurrentCell(nRow, nCol))
        return {0, 0};
    return {nRow, nCol};
}

// Creates the test dialog, shown or not, and subclasses the grid on its first grid control.
inline void SubclassTestGrid(CDialog& dlg, CWnd& grid, BOOL bShowDialog)
{
    GXStartLibrary();
    ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
    if (bShowDialog)
        dlg.ShowWindow(SW_SHOW);
    ASSERT_TRUE(grid.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
}

// The engine's own handling alone: the user gestures' features that the control factory installs
// (selection, dragging and moving, resizing, the autoscroll plug-in) go again. The components stay on
// the engine's list, which deletes them.
inline void RemoveGestureFeatures(CGXGridCore& grid)
{
    grid.m_pUserSelectRangeImp = nullptr;
    grid.m_pUserDragSelectRangeImp = nullptr;
    grid.m_pMoveRowsColsImp = nullptr;
    grid.m_pUserResizeCellsImp = nullptr;
    if (grid.m_pAutoScrollPlugin != nullptr)
    {
        CPtrList& plugins = grid.GetPluginList();
        if (POSITION pos = plugins.Find(grid.m_pAutoScrollPlugin))
            plugins.RemoveAt(pos);
        delete grid.m_pAutoScrollPlugin;
        grid.m_pAutoScrollPlugin = nullptr;
    }
    grid.m_bAutoScrollCells = FALSE;
}

// A fixture with a grid window of the given class in the test dialog.
template <class TGrid>
class GridWindowTest : public ::testing::Test
{
protected:
    // Subclasses and initializes the grid with the given rows and columns; call it under
    // ASSERT_NO_FATAL_FAILURE.
    void OpenGrid(ROWCOL nRows, ROWCOL nCols, BOOL bShowDialog)
    {
        ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, bShowDialog));
        grid.Initialize();
        RemoveGestureFeatures(grid);
        grid.SetRowCount(nRows);
        grid.SetColCount(nCols);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }

    // A key pressed with the given modifiers, posted to the grid.
    void Key(UINT nKey, BOOL bCtrl = FALSE, BOOL bShift = FALSE)
    {
        KeyState keys(bCtrl, bShift);
        ::PostMessageA(grid.m_hWnd, WM_KEYDOWN, nKey, 1);
        Pump();
    }
    // A mouse message at a client point, posted to the grid.
    void Post(UINT nMsg, WPARAM wParam, CPoint point)
    {
        ::PostMessageA(grid.m_hWnd, nMsg, wParam, MAKELPARAM(point.x, point.y));
        Pump();
    }
    std::pair<ROWCOL, ROWCOL> Current() { return CurrentCellOf(grid); }

    CDialog dlg;
    TGrid grid;
};

// A shown grid window whose autoscroll timer runs on a clock the test moves.
template <class TGrid>
class GridAutoScrollTest : public GridWindowTest<TGrid>
{
protected:
    void OpenShownGrid(ROWCOL nRows, ROWCOL nCols)
    {
        ASSERT_NO_FATAL_FAILURE(this->OpenGrid(nRows, nCols, TRUE));
        Pump();
    }
    void TearDown() override
    {
        this->grid.StopAutoScroll();
        GridWindowTest<TGrid>::TearDown();
    }
    // One tick of the autoscroll timer, the clock moved on by the given milliseconds first.
    void Tick(DWORD nMilliseconds = 100)
    {
        clock.now += nMilliseconds;
        ::SendMessageA(this->grid.m_hWnd, WM_TIMER, GX_AUTOSCROLL_TIMER, 0);
    }

    CManualTickClock clock;
    CScopedTickClock scopedClock{&clock};
};

// Fixed pixel sizes of the input tests' grids: rows 20 high, the row header 40 and columns 60 wide.
const int kRowHeight = 20;
const int kHeaderWidth = 40;
const int kColWidth = 60;

// The centre of a cell of a grid with the fixed sizes while it is not scrolled.
inline CPoint CellCenter(ROWCOL nRow, ROWCOL nCol)
{
    return CPoint(kHeaderWidth + static_cast<int>(nCol - 1) * kColWidth + kColWidth / 2,
                  kRowHeight + static_cast<int>(nRow - 1) * kRowHeight + kRowHeight / 2);
}

// A grid window whose size units the test chooses instead of the font.
class CChosenUnitsGridWnd : public CGXGridWnd
{
public:
    // With bKeepOnResize the units survive the resizes (a scroll bar coming) that reload them from the font.
    void SetUnits(int nColUnit, int nRowUnit, BOOL bKeepOnResize = TRUE)
    {
        m_nColSizeUnit = nColUnit;
        m_nRowSizeUnit = nRowUnit;
        m_bUnitsChosen = bKeepOnResize;
    }
    BOOL OnGridSize(UINT nType, int cx, int cy) override
    {
        const int nColUnit = m_nColSizeUnit;
        const int nRowUnit = m_nRowSizeUnit;
        const BOOL bHandled = CGXGridWnd::OnGridSize(nType, cx, cy);
        if (m_bUnitsChosen)
        {
            m_nColSizeUnit = nColUnit;
            m_nRowSizeUnit = nRowUnit;
        }
        return bHandled;
    }
    BOOL m_bUnitsChosen = FALSE;
};

// Units of 10 and 16; the row-header column 40 px and columns 1..5 50 px wide, rows 0..nLastSizedRow
// given 19 px (the default height at these units is 19 px too), in a grid rectangle of 400 x 300.
inline void LayOutUnitGrid(CChosenUnitsGridWnd& grid, ROWCOL nLastSizedRow, BOOL bKeepUnitsOnResize = TRUE)
{
    grid.SetUnits(10, 16, bKeepUnitsOnResize);
    grid.SetColWidth(0, 0, 40);
    grid.SetColWidth(1, 5, 50);
    grid.SetRowHeight(0, nLastSizedRow, 19);
    CRect rect(0, 0, 400, 300);
    grid.SetGridRect(TRUE, &rect);
}

// A fixture with a grid of chosen units and a 400 x 300 memory DC, compatible with the screen, to
// paint it into.
template <class TGrid>
class GridCanvasTest : public GridWindowTest<TGrid>
{
protected:
    // Ten rows and five columns, the first of each frozen and the sizes of LayOutUnitGrid, grid lines
    // on the left and top of the cells only, painted without a buffer; call it under ASSERT_NO_FATAL_FAILURE.
    void OpenPaintGrid(ROWCOL nLastSizedRow, BOOL bKeepUnitsOnResize)
    {
        ASSERT_NO_FATAL_FAILURE(this->OpenGrid(10, 5, FALSE));
        this->grid.SetFrozenRows(1);
        this->grid.SetFrozenCols(1);
        LayOutUnitGrid(this->grid, nLastSizedRow, bKeepUnitsOnResize);
        this->grid.GetParam()->m_bLinesRightBottom = FALSE;
        this->grid.SetBufferedPaint(0);
        CreateCanvas();
    }
    void CreateCanvas()
    {
        HDC hScreen = ::GetDC(nullptr);
        hMem = ::CreateCompatibleDC(hScreen);
        hBitmap = ::CreateCompatibleBitmap(hScreen, 400, 300);
        ::ReleaseDC(nullptr, hScreen);
        hOld = ::SelectObject(hMem, hBitmap);
    }
    void TearDown() override
    {
        if (hMem != nullptr)
        {
            ::SelectObject(hMem, hOld);
            ::DeleteObject(hBitmap);
            ::DeleteDC(hMem);
        }
        GridWindowTest<TGrid>::TearDown();
    }
    void Paint()
    {
        CDC dc;
        dc.Attach(hMem);
        this->grid.DrawGridArea(&dc);
        dc.Detach();
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(hMem, x, y) & 0xFFFFFF; }

    HDC hMem = nullptr;
    HBITMAP hBitmap = nullptr;
    HGDIOBJ hOld = nullptr;
};
