// Mouse, focus and window-state handling of a real grid window: the feature components get each
// message first, then the cell's control, then the application's hooks.

#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using Log = std::vector<std::string>;

BOOL Has(const Log& log, const std::string& entry)
{
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// A grid with fixed sizes whose hit test can be forced to one code, recording what its cells get.
class CMouseGrid : public CGXGridWnd
{
public:
    int GetRowHeight(ROWCOL) override { return kRowHeight; }
    int GetColWidth(ROWCOL nCol) override { return nCol == 0 ? kHeaderWidth : kColWidth; }
    int HitTest(CPoint point, ROWCOL* pnRow, ROWCOL* pnCol, CRect* pRect) override
    {
        const int nHit = CGXGridWnd::HitTest(point, pnRow, pnCol, pRect);
        return m_nForcedHit >= 0 ? m_nForcedHit : nHit;
    }
    BOOL DispatchCellLeftButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                UINT nFlags, UINT nHitState) override
    {
        m_pLog->push_back("cell " + std::to_string(nRow) + "," + std::to_string(nCol) + " " +
                          std::to_string(nHitState & (GX_HITBTNDOWN | GX_HITMOVE | GX_HITBTNUP)));
        return CGXGridWnd::DispatchCellLeftButton(nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
    }
    BOOL DispatchCellMiddleButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                  UINT nFlags, UINT nHitState) override
    {
        m_pLog->push_back("middle " + std::to_string(nPressedRow) + "," + std::to_string(nPressedCol) + " " +
                          std::to_string(nRow) + "," + std::to_string(nCol) + " " + std::to_string(nHitState & 0xFC));
        return CGXGridWnd::DispatchCellMiddleButton(nPressedRow, nPressedCol, nRow, nCol, x, y, nFlags, nHitState);
    }
    BOOL OnMouseMoveOver(ROWCOL nRow, ROWCOL nCol, UINT, CPoint) override
    {
        m_pLog->push_back("hook over " + std::to_string(nRow) + "," + std::to_string(nCol));
        return FALSE;
    }
    BOOL SetCursorFromPoint(CPoint point) override
    {
        m_pLog->push_back("cursor");
        return CGXGridWnd::SetCursorFromPoint(point);
    }

    void SetLastFocus(HWND hWnd) { m_hWndLastFocus = hWnd; }
    HWND GetLastFocus() const { return m_hWndLastFocus; }

    int m_nForcedHit = -1;
    Log* m_pLog = nullptr;
};

class CFakeFill : public CGXAbstractGridExcelLikeFillImp
{
public:
    explicit CFakeFill(Log& log) : m_log(log) {}
    BOOL OnLButtonDown(CGXGridCore*, CPoint, UINT, int nHit, ROWCOL nRow, ROWCOL nCol) override
    {
        m_log.push_back("fill down " + std::to_string(nHit) + " " + std::to_string(nRow) + "," + std::to_string(nCol));
        return TRUE;
    }
    BOOL OnMoveTo(CGXGridCore*, CPoint, UINT, ROWCOL nRow, ROWCOL nCol) override
    {
        m_log.push_back("fill move " + std::to_string(nRow) + "," + std::to_string(nCol));
        return TRUE;
    }
    BOOL OnLButtonUp(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("fill up");
        return TRUE;
    }
    void RemoveDragFrame(CGXGridCore*) override {}
    BOOL DoExcelLikeFill(CGXGridCore*, const CGXRange&, const CGXRange&) override { return FALSE; }
    BOOL StartExcelLikeFill(CGXGridCore*, UINT) override { return FALSE; }
    BOOL CancelFill(CGXGridCore*) override { return FALSE; }
    BOOL SelectFilledRange(CGXGridCore*, const CGXRange&) override { return FALSE; }

private:
    Log& m_log;
};

class CFakeSelect : public CGXAbstractGridUserSelectRangeImp
{
public:
    explicit CFakeSelect(Log& log) : m_log(log) {}
    BOOL SelectRange(CGXGridCore*, const CGXRange&, BOOL, BOOL, UINT, BOOL) override { return FALSE; }
    BOOL SetSelection(CGXGridCore*, POSITION, const CGXRange*, BOOL) override { return FALSE; }
    BOOL CopyRangeToSelection(CGXGridCore*, const CGXRange&, CGXRange&) override { return FALSE; }
    BOOL DrawInvertedSelection(CGXGridCore*, CDC*, const CRect&, BOOL) override { return FALSE; }
    BOOL RedrawSelectionChange(CGXGridCore*, const CGXRange&, const CGXRange&, BOOL, BOOL, UINT, BOOL) override
    {
        return FALSE;
    }
    BOOL RedrawSelection(CGXGridCore*, UINT) override { return FALSE; }
    BOOL OnLButtonDown(CGXGridCore*, CPoint, UINT, int nHit, ROWCOL nRow, ROWCOL nCol) override
    {
        m_log.push_back("select down " + std::to_string(nHit) + " " + std::to_string(nRow) + "," +
                        std::to_string(nCol));
        return TRUE;
    }
    BOOL OnMoveTo(CGXGridCore*, CPoint, UINT, ROWCOL nRow, ROWCOL nCol) override
    {
        m_log.push_back("select move " + std::to_string(nRow) + "," + std::to_string(nCol));
        return TRUE;
    }
    BOOL OnLButtonUp(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("select up");
        return TRUE;
    }
    BOOL OnCellLeftClicked(CGXGridCore*, ROWCOL, ROWCOL, UINT, CPoint) override { return FALSE; }
    BOOL MoveCurrentCellEx(CGXGridCore*, int, UINT) override { return FALSE; }
    BOOL StoreSelectRange(CGXGridCore*, const CGXRange&, BOOL) override { return FALSE; }
    BOOL UpdateSelectRange(CGXGridCore*, const CGXRange&, const CGXRangeList*, BOOL) override { return FALSE; }
    BOOL UpdateSelection(CGXGridCore*, POSITION, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL) override { return FALSE; }
    BOOL InvertAllSelectedCells(CGXGridCore*, BOOL) override { return FALSE; }

private:
    Log& m_log;
};

class CFakeDragSelect : public CGXAbstractGridUserDragSelectRangeImp
{
public:
    explicit CFakeDragSelect(Log& log) : m_log(log) {}
    BOOL OnLButtonDown(CGXGridCore*, CPoint, UINT, int nHit, ROWCOL nRow, ROWCOL nCol) override
    {
        m_log.push_back("drag down " + std::to_string(nHit) + " " + std::to_string(nRow) + "," +
                        std::to_string(nCol));
        return nHit == m_nTakeHit;
    }
    BOOL OnMouseMove(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("drag move");
        return m_bTakeMove;
    }
    BOOL OnLButtonUp(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("drag up");
        return FALSE;
    }
    BOOL StartDragSelection(CGXGridCore*, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL DoDragSelection(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL DropSelection(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL CancelDragSelection(CGXGridCore*) override
    {
        m_log.push_back("drag reset");
        return TRUE;
    }

    // The hit code of the presses it takes over (-1: none).
    int m_nTakeHit = -1;
    BOOL m_bTakeMove = FALSE;

private:
    Log& m_log;
};

class CFakeResize : public CGXAbstractGridUserResizeCellsImp
{
public:
    explicit CFakeResize(Log& log) : m_log(log) {}
    BOOL OnMouseMove(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("resize move");
        return m_bTakeMove;
    }
    BOOL OnLButtonDown(CGXGridCore*, CPoint, UINT, int nHit, ROWCOL, ROWCOL) override
    {
        m_log.push_back("resize down " + std::to_string(nHit));
        return TRUE;
    }
    BOOL OnLButtonUp(CGXGridCore*, CPoint, UINT) override
    {
        m_log.push_back("resize up");
        return TRUE;
    }
    BOOL OnLButtonDblClk(CGXGridCore*, CPoint, UINT, int nHit, ROWCOL, ROWCOL) override
    {
        m_log.push_back("resize dblclk " + std::to_string(nHit));
        return TRUE;
    }
    BOOL StartResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int) override { return FALSE; }
    BOOL MoveResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override { return FALSE; }
    BOOL CancelResizeTracking(CGXGridCore*) override
    {
        m_log.push_back("resize cancel");
        return TRUE;
    }
    BOOL EndResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override { return FALSE; }

    BOOL m_bTakeMove = FALSE;

private:
    Log& m_log;
};

class CFakeCellTip : public CGXAbstractGridCellTipImp
{
public:
    explicit CFakeCellTip(Log& log) : m_log(log) {}
    void OnMouseMove(CGXGridCore*, CPoint point, UINT) override
    {
        m_log.push_back("tip move " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    void RelayMessage(CGXGridCore*, const MSG* pMsg) override
    {
        m_log.push_back("tip relay " + std::to_string(pMsg->message));
    }
    void HideTip(CGXGridCore*) override { m_log.push_back("tip hide"); }

private:
    Log& m_log;
};

class CFakePlugin : public CGXPluginComponent
{
public:
    CFakePlugin(Log& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    void PlugIn(CWnd* pGridWnd) override { m_pWnd = pGridWnd; }
    BOOL HandlePluginMessage(UINT message, WPARAM, LPARAM, LRESULT* pResult) override
    {
        if (message != m_nMessage)
            return FALSE;
        m_log.push_back(m_name);
        m_bHandled = m_bMarkHandled;
        m_bSkipGridHandling = m_bMarkSkip;
        *pResult = 77;
        return TRUE;
    }

    UINT m_nMessage = WM_MOUSEMOVE;
    BOOL m_bMarkHandled = TRUE;
    BOOL m_bMarkSkip = FALSE;
    CWnd* m_pWnd = nullptr;

private:
    Log& m_log;
    std::string m_name;
};

// A control that records what reaches it and can be made active.
class CRecordingControl : public CGXControl
{
public:
    CRecordingControl(CGXGridCore* pGrid, Log& log) : CGXControl(pGrid), m_log(log) {}
    BOOL IsActive() override { return m_bActive; }
    void SetActive(BOOL bActive) override { m_bActive = bActive; }
    BOOL GetModify() override { return m_bModified; }
    void SetModify(BOOL bModified) override { m_bModified = bModified; }
    BOOL Store() override
    {
        m_log.push_back("control store");
        m_bModified = FALSE;
        return TRUE;
    }
    BOOL OnEndEditing() override
    {
        m_log.push_back("control end editing");
        return TRUE;
    }
    BOOL MouseMoveOver(UINT nFlags, CPoint point) override
    {
        m_log.push_back("control over");
        return CGXControl::MouseMoveOver(nFlags, point);
    }
    void OnGridWinIniChange(LPCTSTR pszSection) override
    {
        m_log.push_back(std::string("control setting ") + (pszSection != nullptr ? pszSection : ""));
    }
    void OnGridSysColorChange() override { m_log.push_back("control colours"); }
    BOOL OnGridCommand(WPARAM wParam, LPARAM) override
    {
        m_log.push_back("control command " + std::to_string(wParam));
        return TRUE;
    }

    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;

private:
    Log& m_log;
};

class GridMouseTest : public GridWindowTest<CMouseGrid>
{
protected:
    void SetUp() override
    {
        grid.m_pLog = &log;
        ASSERT_NO_FATAL_FAILURE(OpenGrid(20, 5, TRUE));
        grid.m_pExcelLikeFillImp = &fill;
        grid.m_pUserSelectRangeImp = &select;
        grid.m_pUserDragSelectRangeImp = &dragSelect;
        grid.m_pUserResizeCellsImp = &resize;
        grid.SetCellTipImp(&tip);
        Pump();
        log.clear();
    }
    void TearDown() override
    {
        if (::GetCapture() == grid.m_hWnd)
            ::ReleaseCapture();
        grid.m_pExcelLikeFillImp = nullptr;
        grid.m_pUserSelectRangeImp = nullptr;
        grid.m_pUserDragSelectRangeImp = nullptr;
        grid.m_pUserResizeCellsImp = nullptr;
        grid.SetCellTipImp(nullptr);
        grid.GetPluginList().RemoveAll();
        GridWindowTest<CMouseGrid>::TearDown();
    }

    BOOL HasCurrentCell()
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        return grid.GetCurrentCell(nRow, nCol);
    }
    CRecordingControl* InstallControl()
    {
        CRecordingControl* pControl = new CRecordingControl(&grid, log);
        grid.RegisterControl(grid.m_nDefaultControl, pControl);
        return pControl;
    }

    Log log;
    CFakeFill fill{log};
    CFakeSelect select{log};
    CFakeDragSelect dragSelect{log};
    CFakeResize resize{log};
    CFakeCellTip tip{log};
};

// ---- Presses: feature components first ----

TEST_F(GridMouseTest, AFillHandleDragReachesTheFillObjectAndNotTheSelection)
{
    grid.m_bFillHandle = TRUE;
    grid.m_nForcedHit = GX_FILLHANDLEHIT;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 1));
    EXPECT_EQ(::GetCapture(), grid.m_hWnd);
    EXPECT_NE(grid.GetMouseTrackState() & GX_TRACK_PRESS, 0);
    Post(WM_MOUSEMOVE, MK_LBUTTON, CellCenter(4, 1));
    Post(WM_LBUTTONUP, 0, CellCenter(4, 1));

    EXPECT_TRUE(Has(log, "fill down 6 2,1"));
    EXPECT_TRUE(Has(log, "fill move 4,1"));
    EXPECT_TRUE(Has(log, "fill up"));
    EXPECT_FALSE(Has(log, "select down 6 2,1"));
    EXPECT_FALSE(Has(log, "select move 4,1"));
    EXPECT_FALSE(Has(log, "cell 2,1 4"));  // the press is no click on the cell
    EXPECT_FALSE(HasCurrentCell());
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
    EXPECT_NE(::GetCapture(), grid.m_hWnd);
}

TEST_F(GridMouseTest, WithoutTheFillHandleSwitchTheFillObjectHearsNothing)
{
    grid.m_bFillHandle = FALSE;
    grid.m_nForcedHit = GX_FILLHANDLEHIT;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(2, 1));
    Post(WM_MOUSEMOVE, MK_LBUTTON, CellCenter(4, 1));
    Post(WM_LBUTTONUP, 0, CellCenter(4, 1));
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("fill", 0), std::string::npos) << entry;
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
}

TEST_F(GridMouseTest, APressOnTheSelectionFrameDragsOnlyWhenSwitchedOnAndTaken)
{
    struct Case
    {
        BOOL bSwitch;
        BOOL bTake;
        BOOL bDragged;
    };
    const Case cases[] = {{TRUE, TRUE, TRUE}, {FALSE, TRUE, FALSE}, {TRUE, FALSE, FALSE}};
    for (const Case& c : cases)
    {
        grid.MoveCurrentCell(GX_INVALID, GX_INVALID);
        log.clear();
        grid.m_bDragSelection = c.bSwitch;
        grid.m_nForcedHit = GX_SELEDGEHIT;
        dragSelect.m_nTakeHit = c.bTake ? GX_SELEDGEHIT : -1;
        Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
        Post(WM_LBUTTONUP, 0, CellCenter(3, 2));
        EXPECT_EQ(Has(log, "drag down 5 3,2"), c.bSwitch) << c.bSwitch << c.bTake;
        // A refused frame press is a press in the cell: the cell becomes current.
        EXPECT_EQ(HasCurrentCell(), !c.bDragged) << c.bSwitch << c.bTake;
        EXPECT_EQ(Has(log, "select down 3 3,2"), !c.bDragged) << c.bSwitch << c.bTake;
    }
}

TEST_F(GridMouseTest, TheDragSelectObjectTakingACellPressEndsIt)
{
    dragSelect.m_nTakeHit = GX_CELLHIT;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    EXPECT_TRUE(Has(log, "drag down 3 3,2"));
    EXPECT_FALSE(Has(log, "select down 3 3,2"));
    EXPECT_FALSE(HasCurrentCell());
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
}

TEST_F(GridMouseTest, APressOnTheCornerTracksItWithoutAskingTheDragSelectObject)
{
    dragSelect.m_nTakeHit = GX_HEADERHIT;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(kHeaderWidth / 2, kRowHeight / 2));
    EXPECT_TRUE(Has(log, "select down 4 0,0"));
    EXPECT_TRUE(Has(log, "cell 0,0 4"));
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("drag down", 0), std::string::npos) << entry;
    EXPECT_EQ(::GetCapture(), grid.m_hWnd);
    Post(WM_LBUTTONUP, 0, CPoint(kHeaderWidth / 2, kRowHeight / 2));
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
}

TEST_F(GridMouseTest, ACellPressGoesToTheSelectionBeforeTheCell)
{
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    Post(WM_MOUSEMOVE, MK_LBUTTON, CellCenter(4, 2));
    Post(WM_LBUTTONUP, 0, CellCenter(4, 2));
    const Log expected = {"drag down 3 3,2", "select down 3 3,2", "cell 3,2 4", "drag move", "cell 4,2 8",
                          "select move 4,2", "drag up", "select up", "cell 4,2 16"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, BorderPressesAndDoubleClicksGoToTheResizeObjectOnly)
{
    grid.m_nForcedHit = GX_VERTLINE;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, CellCenter(3, 2));
    const Log expected = {"resize down 1", "resize dblclk 1"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(HasCurrentCell());
}

TEST_F(GridMouseTest, AMiddleClickIsTrackedAndReleasedOnItsCell)
{
    Post(WM_MBUTTONDOWN, MK_MBUTTON, CellCenter(3, 2));
    EXPECT_EQ(::GetCapture(), grid.m_hWnd);
    Post(WM_MOUSEMOVE, MK_MBUTTON, CellCenter(4, 2));
    Post(WM_MBUTTONUP, 0, CellCenter(4, 2));
    // Down in the cell (0x44), the move off it (0x08 | 0x20: it just left the pressed cell), the
    // release elsewhere (0x10).
    const Log expected = {"middle 3,2 3,2 " + std::to_string(GX_HITBTNDOWN | GX_HITINCELL),
                          "middle 3,2 4,2 " + std::to_string(GX_HITMOVE | GX_HITLEFTCELL),
                          "middle 3,2 4,2 " + std::to_string(GX_HITBTNUP)};
    Log middle;
    for (const std::string& entry : log)
        if (entry.rfind("middle", 0) == 0)
            middle.push_back(entry);
    EXPECT_EQ(middle, expected);
    EXPECT_NE(::GetCapture(), grid.m_hWnd);
    EXPECT_EQ(grid.GetMouseTrackState(), 0);
    // The selection component sees left presses and releases only.
    EXPECT_FALSE(Has(log, "select down 3 3,2"));
    EXPECT_FALSE(Has(log, "select up"));
}

// ---- Moves ----

TEST_F(GridMouseTest, AHoverGoesToTheTipThenTheResizeObjectThenTheCellsControl)
{
    CRecordingControl* pControl = InstallControl();
    ASSERT_TRUE(grid.MoveCurrentCell(3, 2));
    ASSERT_TRUE(pControl->IsInitAt(3, 2));
    grid.EnableCellTips(TRUE);
    log.clear();
    const CPoint point = CellCenter(3, 2);
    Post(WM_MOUSEMOVE, 0, point);
    const Log expected = {"tip move " + std::to_string(point.x) + "," + std::to_string(point.y), "drag move",
                          "resize move", "control over", "hook over 3,2", "cursor"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, AHoverMoveTakenByTheResizeObjectReachesNoCell)
{
    resize.m_bTakeMove = TRUE;
    Post(WM_MOUSEMOVE, 0, CellCenter(3, 2));
    const Log expected = {"drag move", "resize move"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, MovesStraightToTheCursorSkipTheCells)
{
    grid.m_bMoveToCursorOnly = TRUE;
    Post(WM_MOUSEMOVE, 0, CellCenter(3, 2));
    const Log expected = {"drag move", "resize move", "cursor"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, AHoverOverACellWhoseControlServesAnotherCellReachesTheHookWithThatCell)
{
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    log.clear();
    Post(WM_MOUSEMOVE, 0, CellCenter(4, 2));
    EXPECT_TRUE(Has(log, "hook over 4,2"));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(grid.GetCurrentCell(nRow, nCol));
    EXPECT_TRUE(grid.GetCurrentCellControl()->IsInitAt(1, 1));
}

TEST_F(GridMouseTest, AHoverBelowTheLastRowIsTheLastRowsCell)
{
    grid.SetRowCount(3);
    ASSERT_TRUE(grid.MoveCurrentCell(1, 1));
    log.clear();
    Post(WM_MOUSEMOVE, 0, CellCenter(5, 2));
    EXPECT_TRUE(Has(log, "hook over 3,2"));
}

TEST_F(GridMouseTest, CellTipsHearMovesOnlyWhenEnabledAndNotDuringADrag)
{
    Post(WM_MOUSEMOVE, 0, CellCenter(3, 2));
    EXPECT_FALSE(Has(log, "tip move " + std::to_string(CellCenter(3, 2).x) + "," + std::to_string(CellCenter(3, 2).y)));
    grid.EnableCellTips(TRUE);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(3, 2));
    ASSERT_EQ(::GetCapture(), grid.m_hWnd);
    log.clear();
    Post(WM_MOUSEMOVE, MK_LBUTTON, CellCenter(4, 2));
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("tip", 0), std::string::npos) << entry;
    Post(WM_LBUTTONUP, 0, CellCenter(4, 2));
    log.clear();
    Post(WM_MOUSEMOVE, 0, CellCenter(4, 2));
    EXPECT_EQ(log.front().rfind("tip move", 0), 0u);
}

TEST_F(GridMouseTest, APreTranslatedMessageIsShownToTheCellTips)
{
    grid.EnableCellTips(TRUE);
    MSG msg = {};
    msg.hwnd = grid.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(grid.PreTranslateMessage(&msg));
    EXPECT_TRUE(Has(log, "tip relay " + std::to_string(WM_MOUSEMOVE)));
}

TEST_F(GridMouseTest, ResizingTheWindowHidesTheTip)
{
    CRect rect;
    grid.GetWindowRect(&rect);
    grid.SetWindowPos(nullptr, 0, 0, rect.Width() + 10, rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(Has(log, "tip hide"));
}

TEST_F(GridMouseTest, WhileResizeRedrawIsLockedASizeOnlyValidatesAndUnlockingRepaintsAll)
{
    grid.LockResizeRedraw(TRUE);
    ::InvalidateRect(grid.m_hWnd, nullptr, FALSE);
    EXPECT_TRUE(grid.OnGridSize(SIZE_RESTORED, 100, 80));
    CRect update;
    EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    EXPECT_FALSE(Has(log, "tip hide"));
    grid.LockResizeRedraw(FALSE);
    CRect client;
    grid.GetClientRect(&client);
    ASSERT_TRUE(::GetUpdateRect(grid.m_hWnd, &update, FALSE));
    EXPECT_EQ(update, client);
}

TEST_F(GridMouseTest, SettingAndColourChangesReachEveryRegisteredControl)
{
    InstallControl();
    ::SendMessageA(grid.m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    ::SendMessageA(grid.m_hWnd, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_TRUE(Has(log, "control colours"));
    EXPECT_TRUE(Has(log, "control setting intl"));
}

// ---- Plug-ins ----

TEST_F(GridMouseTest, APlugInThatSkipsTheGridsHandlingStopsTheMove)
{
    CFakePlugin plugin(log, "plugin");
    plugin.m_bMarkSkip = TRUE;
    grid.AddPlugin(&plugin);
    EXPECT_EQ(plugin.m_pWnd, &grid);
    const LRESULT result =
        ::SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(CellCenter(3, 2).x, CellCenter(3, 2).y));
    EXPECT_EQ(result, 77);
    const Log expected = {"plugin"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, TheFirstPlugInThatHandlesAMessageEndsTheOfferButNotTheGridsHandling)
{
    CFakePlugin first(log, "first");
    CFakePlugin second(log, "second");
    grid.AddPlugin(&first);
    grid.AddPlugin(&second);
    Post(WM_MOUSEMOVE, 0, CellCenter(3, 2));
    EXPECT_TRUE(Has(log, "first"));
    EXPECT_FALSE(Has(log, "second"));
    EXPECT_TRUE(Has(log, "resize move"));
}

TEST_F(GridMouseTest, AnUnhandledOfferGoesToEveryPlugIn)
{
    CFakePlugin first(log, "first");
    CFakePlugin second(log, "second");
    first.m_bMarkHandled = FALSE;
    grid.AddPlugin(&first);
    grid.AddPlugin(&second);
    Post(WM_MOUSEMOVE, 0, CellCenter(3, 2));
    EXPECT_TRUE(Has(log, "first"));
    EXPECT_TRUE(Has(log, "second"));
}

// ---- Cancel ----

TEST_F(GridMouseTest, CancelEndsAResizeThroughTheResizeObjectAndNotTheCell)
{
    grid.m_bResizeTracking = TRUE;
    ::SendMessageA(grid.m_hWnd, WM_CANCELMODE, 0, 0);
    grid.m_bResizeTracking = FALSE;
    const Log expected = {"resize cancel"};
    EXPECT_EQ(log, expected);
}

TEST_F(GridMouseTest, CancelEndsAPendingDragOfSelectedRows)
{
    grid.m_bDragSelectPending = TRUE;
    ::SendMessageA(grid.m_hWnd, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(grid.m_bDragSelectPending);
    EXPECT_TRUE(Has(log, "drag reset"));
}

// ---- Focus ----

TEST_F(GridMouseTest, ActivationOptionFourActivatesTheCurrentCellWhenTheGridGetsTheFocus)
{
    CRecordingControl* pControl = InstallControl();
    for (WORD wActivate : {WORD(1), WORD(1 | 4)})
    {
        ::SetFocus(dlg.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd());
        grid.GetParam()->m_wActivateCell = 1;
        ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
        ASSERT_FALSE(pControl->IsActive());
        grid.GetParam()->m_wActivateCell = wActivate;
        ::SetFocus(grid.m_hWnd);
        Pump();
        EXPECT_EQ(pControl->IsActive(), (wActivate & 4) != 0) << wActivate;
        grid.MoveCurrentCell(GX_INVALID, GX_INVALID);
    }
}

TEST_F(GridMouseTest, LosingTheFocusStoresAndEndsTheEdit)
{
    CRecordingControl* pControl = InstallControl();
    ::SetFocus(grid.m_hWnd);
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    pControl->m_bActive = TRUE;
    pControl->m_bModified = TRUE;
    log.clear();
    ::SetFocus(dlg.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd());
    Pump();
    EXPECT_TRUE(Has(log, "control store"));
    EXPECT_TRUE(Has(log, "control end editing"));
    EXPECT_FALSE(pControl->IsActive());
}

// ---- Messages the current cell's control answers ----

TEST_F(GridMouseTest, CommandsAndColoursAreNotHandledWithoutACurrentCell)
{
    EXPECT_FALSE(grid.OnGridCommand(1234, 0));
    EXPECT_EQ(grid.OnGridCtlColor(nullptr, nullptr, CTLCOLOR_EDIT), nullptr);
    EXPECT_EQ(grid.OnGridMouseActivate(nullptr, HTCLIENT, WM_LBUTTONDOWN), 0);
    EXPECT_FALSE(grid.OnGridCommand(1234, 0));
}

TEST_F(GridMouseTest, ACommandGoesToTheCurrentCellsControl)
{
    InstallControl();
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    log.clear();
    EXPECT_TRUE(grid.OnGridCommand(1234, 0));
    EXPECT_TRUE(Has(log, "control command 1234"));
}

TEST_F(GridMouseTest, TheCellsWindowIsColouredFromTheCurrentCellsStyle)
{
    grid.SetStyleRange(CGXRange(2, 2), CGXStyle().SetTextColor(RGB(200, 10, 20)).SetInterior(RGB(1, 2, 3)));
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "x", WS_CHILD, 0, 0, 10, 10, grid.m_hWnd, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hEdit, nullptr);
    HDC hDC = ::GetDC(hEdit);
    const LRESULT hBrush = ::SendMessageA(grid.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                                          reinterpret_cast<LPARAM>(hEdit));
    EXPECT_NE(hBrush, 0);
    EXPECT_EQ(::GetTextColor(hDC), RGB(200, 10, 20));
    EXPECT_EQ(::GetBkColor(hDC), RGB(1, 2, 3));
    LOGBRUSH logBrush = {};
    ASSERT_NE(::GetObjectA(reinterpret_cast<HBRUSH>(hBrush), sizeof(logBrush), &logBrush), 0);
    EXPECT_EQ(logBrush.lbColor, RGB(1, 2, 3));
    ::ReleaseDC(hEdit, hDC);
    ::DestroyWindow(hEdit);
}

TEST_F(GridMouseTest, AClickAfterTheFocusWasInAnotherFrameTakesTheFocusAndIsEaten)
{
    CDialog other;
    ASSERT_TRUE(other.Create(IDD_GRID_TEST));
    HWND hOtherGrid = other.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd();
    ::SetActiveWindow(dlg.m_hWnd);
    ::SetFocus(dlg.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd());
    if (::GetActiveWindow() != dlg.m_hWnd)
        GTEST_SKIP() << "the dialog could not be activated";
    grid.SetLastFocus(hOtherGrid);
    const LRESULT result = ::SendMessageA(grid.m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(dlg.m_hWnd),
                                          MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(result, MA_ACTIVATEANDEAT);
    EXPECT_EQ(::GetFocus(), grid.m_hWnd);
    EXPECT_EQ(grid.GetLastFocus(), grid.m_hWnd);

    // Remembered in the same frame: the click goes through.
    grid.SetLastFocus(dlg.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd());
    EXPECT_NE(::SendMessageA(grid.m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(dlg.m_hWnd),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_ACTIVATEANDEAT);
    other.DestroyWindow();
}

// A table in a dialog opened from another window holds the focus from the start and remembers the
// opener's button: its first click picks a cell, it is not eaten.
TEST_F(GridMouseTest, AClickOnAGridThatHoldsTheFocusIsNeverEaten)
{
    CDialog other;
    ASSERT_TRUE(other.Create(IDD_GRID_TEST));
    ::SetActiveWindow(dlg.m_hWnd);
    ::SetFocus(grid.m_hWnd);
    if (::GetActiveWindow() != dlg.m_hWnd || ::GetFocus() != grid.m_hWnd)
        GTEST_SKIP() << "the dialog could not be activated";
    grid.SetLastFocus(other.GetDlgItem(IDC_GRID_SECOND)->GetSafeHwnd());
    EXPECT_NE(::SendMessageA(grid.m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(dlg.m_hWnd),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_ACTIVATEANDEAT);
    other.DestroyWindow();
}

TEST_F(GridMouseTest, PluginsHearNothingBeforeTheGridIsInitialised)
{
    CGXGridCore engine;
    CFakePlugin plugin(log, "plugin");
    plugin.m_bMarkSkip = TRUE;
    engine.AddPlugin(&plugin);
    LRESULT result = 0;
    EXPECT_FALSE(engine.ProcessPluginMessage(WM_MOUSEMOVE, 0, 0, result));
    EXPECT_TRUE(log.empty());
    engine.GetPluginList().RemoveAll();
}
} // namespace
