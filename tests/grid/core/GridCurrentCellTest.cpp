// The current cell of real grid windows: refused values, the focus of the grid and of its cell's
// window, and moves across frozen rows and columns.

#include "framework/win/Dialog.h"
#include "framework/win/SeamRecorders.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
class CWindowedControl;

// The cell's own edit window: passes its loss of the focus on to the grid, as cell editors do.
class CCellEditWnd : public CWnd
{
public:
    explicit CCellEditWnd(CGXControl* pControl) : m_pControl(pControl) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CHAR)
            ++m_nChars;
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_KILLFOCUS)
            m_pControl->NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }

    int m_nChars = 0;

private:
    CGXControl* m_pControl;
};

// A control that edits in a window of its own and refuses "bad" values with a warning text.
class CWindowedControl : public CGXControl
{
public:
    explicit CWindowedControl(CGXGridCore* pGrid) : CGXControl(pGrid), m_edit(this) {}
    ~CWindowedControl() override
    {
        if (m_edit.GetSafeHwnd() != nullptr)
            m_edit.DestroyWindow();
    }
    CWnd* GetWnd() override { return m_edit.GetSafeHwnd() != nullptr ? &m_edit : nullptr; }
    BOOL IsActive() override { return m_bActive; }
    void SetActive(BOOL bActive) override
    {
        m_bActive = bActive;
        if (!bActive)
            Hide();
    }
    BOOL GetModify() override { return m_bModified; }
    void SetModify(BOOL bModified) override { m_bModified = bModified; }
    BOOL OnValidate() override
    {
        if (!m_bBad)
            return TRUE;
        m_pGrid->SetValidationWarning(m_warning);
        return FALSE;
    }
    BOOL Store() override
    {
        ++m_nStores;
        m_bModified = FALSE;
        return TRUE;
    }
    BOOL OnCancelEditing() override { return !m_bKeepEdit; }
    void Init(ROWCOL nRow, ROWCOL nCol) override
    {
        m_movingSeen.push_back(m_pGrid->IsMovingCurrentCell());
        CGXControl::Init(nRow, nCol);
    }
    void Hide() override
    {
        if (m_edit.GetSafeHwnd() == nullptr || !::IsWindowVisible(m_edit.GetSafeHwnd()))
            return;
        const BOOL bOld = m_pGrid->m_bFocusChanging;
        m_pGrid->m_bFocusChanging = TRUE;
        ::ShowWindow(m_edit.GetSafeHwnd(), SW_HIDE);
        m_pGrid->m_bFocusChanging = bOld;
    }

    // Starts editing the current cell with the given value state, the edit window holding the focus.
    void StartEditing(BOOL bBad, const CString& warning)
    {
        if (m_edit.GetSafeHwnd() == nullptr)
        {
            HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 40, 20, 60, 20, GetGridWnd()->GetSafeHwnd(),
                                           nullptr, ::GetModuleHandleA(nullptr), nullptr);
            m_edit.SubclassWindow(hEdit);
        }
        m_bActive = TRUE;
        m_bModified = TRUE;
        m_bBad = bBad;
        m_warning = warning;
        ::ShowWindow(m_edit.GetSafeHwnd(), SW_SHOWNA);
        const BOOL bOld = m_pGrid->m_bFocusChanging;
        m_pGrid->m_bFocusChanging = TRUE;
        ::SetFocus(m_edit.GetSafeHwnd());
        m_pGrid->m_bFocusChanging = bOld;
    }
    HWND EditHwnd() { return m_edit.GetSafeHwnd(); }
    int CharsReceived() const { return m_edit.m_nChars; }

    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bBad = FALSE;
    BOOL m_bKeepEdit = FALSE;
    CString m_warning;
    int m_nStores = 0;
    std::vector<BOOL> m_movingSeen;

private:
    CCellEditWnd m_edit;
};

// A grid that records the focus changes it hears of.
class CFocusGrid : public CGXGridWnd
{
public:
    BOOL OnGridFocusChanged(BOOL bSetFocus) override
    {
        m_focusChanges.push_back(bSetFocus);
        return CGXGridWnd::OnGridFocusChanged(bSetFocus);
    }
    // One covered range, when set, stands for the covered-cells component.
    BOOL GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range) override
    {
        if (!m_bCovered || nRow < m_covered.top || nRow > m_covered.bottom || nCol < m_covered.left ||
            nCol > m_covered.right)
            return FALSE;
        range = m_covered;
        return TRUE;
    }
    std::vector<BOOL> m_focusChanges;
    BOOL m_bCovered = FALSE;
    CGXRange m_covered;
};

// A message box that records its text and, like a real box, takes the focus while it is up.
class CFocusTakingMessageBox : public CRecordingMessageBox
{
public:
    int Show(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        if (m_hTakesFocus != nullptr)
            ::SetFocus(m_hTakesFocus);
        return CRecordingMessageBox::Show(hWndOwner, lpszText, lpszCaption, nType);
    }
    HWND m_hTakesFocus = nullptr;
};

class GridCurrentCellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(dlg.Create(IDD_GRID_TEST));
        dlg.ShowWindow(SW_SHOW);
        ASSERT_TRUE(first.SubclassDlgItem(IDC_GRID_FIRST, &dlg));
        ASSERT_TRUE(second.SubclassDlgItem(IDC_GRID_SECOND, &dlg));
        for (CFocusGrid* pGrid : {&first, &second})
        {
            pGrid->Initialize();
            pGrid->SetRowCount(30);
            pGrid->SetColCount(8);
        }
        pControl = new CWindowedControl(&first);
        first.RegisterControl(first.m_nDefaultControl, pControl);
        // The dialog gave its first grid the focus before it was subclassed.
        ::SetFocus(second.m_hWnd);
        Pump();
        first.m_focusChanges.clear();
        second.m_focusChanges.clear();
    }
    void TearDown() override
    {
        if (dlg.m_hWnd != nullptr)
            dlg.DestroyWindow();
    }

    std::pair<ROWCOL, ROWCOL> Current(CGXGridCore& grid) { return CurrentCellOf(grid); }

    // The first grid edits cell (2, 2) in its own window, which has the focus.
    void EditCell(BOOL bBad, const CString& warning)
    {
        ::SetFocus(first.m_hWnd);
        ASSERT_TRUE(first.MoveCurrentCell(2, 2));
        ASSERT_EQ(first.GetCurrentCellControl(), pControl);
        pControl->StartEditing(bBad, warning);
        Pump();
        ASSERT_EQ(::GetFocus(), pControl->EditHwnd());
        first.m_focusChanges.clear();
    }

    CDialog dlg;
    CFocusGrid first;
    CFocusGrid second;
    CWindowedControl* pControl = nullptr;
};

TEST_F(GridCurrentCellTest, TheFocusRecordFollowsTheGridThatGotTheFocus)
{
    ::SetFocus(first.m_hWnd);
    Pump();
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &first);
    EXPECT_TRUE(first.HasGridFocus());
    EXPECT_EQ(first.m_focusChanges, std::vector<BOOL>{TRUE});

    ::SetFocus(second.m_hWnd);
    Pump();
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &second);
    EXPECT_FALSE(first.HasGridFocus());
    EXPECT_TRUE(second.HasGridFocus());
    EXPECT_EQ(first.m_focusChanges, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_EQ(second.m_focusChanges, (std::vector<BOOL>{FALSE, TRUE}));
}

TEST_F(GridCurrentCellTest, TheFocusGoingToTheCellsWindowAndBackNeverLeavesTheGrid)
{
    EditCell(FALSE, "");
    ::SetFocus(first.m_hWnd);
    Pump();
    ::SetFocus(pControl->EditHwnd());
    Pump();
    EXPECT_TRUE(first.m_focusChanges.empty());
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &first);
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_EQ(pControl->m_nStores, 0);
}

TEST_F(GridCurrentCellTest, AGridThatGoesIsNoLongerTheFocusGrid)
{
    HWND hClassGrid = ::GetDlgItem(dlg.m_hWnd, IDC_GRID_CLASS);
    ASSERT_NE(hClassGrid, nullptr);
    ::SetFocus(hClassGrid);
    Pump();
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), dynamic_cast<CGXGridCore*>(CWnd::FromHandlePermanent(hClassGrid)));
    // A window that is no grid takes the focus: the record still names the grid, until it goes.
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, dlg.m_hWnd, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SetFocus(hEdit);
    Pump();
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), dynamic_cast<CGXGridCore*>(CWnd::FromHandlePermanent(hClassGrid)));
    ::DestroyWindow(hClassGrid);
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), nullptr);
}

TEST_F(GridCurrentCellTest, AValidValueIsStoredWhenTheFocusLeavesTheGrid)
{
    EditCell(FALSE, "");
    ::SetFocus(second.m_hWnd);
    Pump();
    EXPECT_EQ(pControl->m_nStores, 1);
    EXPECT_FALSE(pControl->IsActive());
    EXPECT_EQ(::GetFocus(), second.m_hWnd);
    EXPECT_EQ(first.m_focusChanges, std::vector<BOOL>{FALSE});
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &second);
}

// A refused value keeps the focus in the cell: with a warning text the text is shown first.
TEST_F(GridCurrentCellTest, ARefusedValueTakesTheFocusBackFromTheWindowItWentTo)
{
    struct Case
    {
        const char* warning;
        size_t boxes;
    };
    for (const Case& c : {Case{"Value too large", 1}, Case{"", 0}})
    {
        CRecordingMessageBox box;
        CScopedMessageBoxSeam seam(&box);
        EditCell(TRUE, c.warning);
        ::SetFocus(second.m_hWnd);
        Pump();
        ASSERT_EQ(box.calls.size(), c.boxes) << c.warning;
        if (c.boxes != 0)
        {
            EXPECT_EQ(box.calls[0].text, c.warning);
            EXPECT_EQ(box.calls[0].nType & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
        }
        EXPECT_EQ(::GetFocus(), pControl->EditHwnd()) << c.warning;
        EXPECT_EQ(CGXGridCore::GetFocusGrid(), &first) << c.warning;
        EXPECT_TRUE(first.HasGridFocus());
        EXPECT_FALSE(second.HasGridFocus());
        EXPECT_EQ(Current(first), std::make_pair(ROWCOL(2), ROWCOL(2)));
        EXPECT_TRUE(pControl->IsActive());
        EXPECT_TRUE(pControl->GetModify());
        EXPECT_EQ(pControl->m_nStores, 0);
        EXPECT_TRUE(first.GetValidationWarning().IsEmpty());
    }
}

TEST_F(GridCurrentCellTest, CanLeaveGridAnswersForTheActiveCellOnly)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    EXPECT_TRUE(first.CanLeaveGrid(FALSE));  // no current cell
    EditCell(TRUE, "Out of range");
    EXPECT_TRUE(first.CanLeaveGrid(TRUE));
    EXPECT_TRUE(box.calls.empty());
    ::SetFocus(second.m_hWnd);
    Pump();
    // Asked directly, the refusal warns at once and keeps the focus in the cell.
    box.calls.clear();
    EXPECT_FALSE(first.CanLeaveGrid(FALSE));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Out of range");
    EXPECT_EQ(::GetFocus(), pControl->EditHwnd());
    pControl->m_bBad = FALSE;
    EXPECT_TRUE(first.CanLeaveGrid(FALSE));
}

TEST_F(GridCurrentCellTest, ARefusedMoveWarnsOnceAndGivesTheFocusBackToTheCellsWindow)
{
    CFocusTakingMessageBox box;
    box.m_hTakesFocus = second.m_hWnd;
    CScopedMessageBoxSeam seam(&box);
    EditCell(TRUE, "Enter a value from 1 to 9");
    EXPECT_FALSE(first.MoveCurrentCell(3, 2));
    Pump();
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Enter a value from 1 to 9");
    EXPECT_EQ(::GetFocus(), pControl->EditHwnd());
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &first);
    EXPECT_EQ(Current(first), std::make_pair(ROWCOL(2), ROWCOL(2)));
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_EQ(pControl->m_nStores, 0);
    // The box taking the focus was no leaving of the grid.
    EXPECT_TRUE(first.m_focusChanges.empty());

    pControl->m_bBad = FALSE;
    EXPECT_TRUE(first.MoveCurrentCell(3, 2));
    EXPECT_EQ(pControl->m_nStores, 1);
    EXPECT_EQ(box.calls.size(), 1u);
    // The hidden cell window handed the focus to the grid, not out of it.
    EXPECT_EQ(::GetFocus(), first.m_hWnd);
    EXPECT_TRUE(first.m_focusChanges.empty());
}

TEST_F(GridCurrentCellTest, EndingTheEditRefusedByValueOrByTheControlKeepsItActive)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    EditCell(TRUE, "No");
    EXPECT_FALSE(first.EndCurrentCellEditing(TRUE));
    EXPECT_EQ(box.calls.size(), 1u);
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_EQ(::GetFocus(), pControl->EditHwnd());

    pControl->m_bKeepEdit = TRUE;
    EXPECT_FALSE(first.EndCurrentCellEditing(FALSE));
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_TRUE(pControl->GetModify());

    pControl->m_bKeepEdit = FALSE;
    EXPECT_TRUE(first.EndCurrentCellEditing(FALSE));
    EXPECT_FALSE(pControl->IsActive());
    EXPECT_FALSE(pControl->GetModify());
    EXPECT_EQ(pControl->m_nStores, 0);
}

TEST_F(GridCurrentCellTest, TheMoveFlagIsSetOnlyWhileTheCurrentCellMoves)
{
    EXPECT_FALSE(first.IsMovingCurrentCell());
    pControl->m_movingSeen.clear();
    ASSERT_TRUE(first.MoveCurrentCell(4, 4));
    ASSERT_FALSE(pControl->m_movingSeen.empty());
    EXPECT_TRUE(pControl->m_movingSeen.back());
    EXPECT_FALSE(first.IsMovingCurrentCell());
}

TEST_F(GridCurrentCellTest, GainingTheFocusActivatesTheCellWhenTheGridSaysSo)
{
    ASSERT_TRUE(first.MoveCurrentCell(2, 2));
    ::SetFocus(second.m_hWnd);
    Pump();
    ASSERT_FALSE(pControl->IsActive());
    first.GetParam()->m_wActivateCell |= 4;
    ::SetFocus(first.m_hWnd);
    Pump();
    EXPECT_TRUE(pControl->IsActive());
}

// Moves leaving frozen rows or columns go on at the first row or column scrolled into view; moves
// into frozen cells scroll nothing.
TEST_F(GridCurrentCellTest, MovesIntoAndOutOfFrozenCells)
{
    struct Case
    {
        ROWCOL frozenRows;
        ROWCOL frozenCols;
        ROWCOL topRow;
        ROWCOL leftCol;
        std::pair<ROWCOL, ROWCOL> start;
        int direction;
        std::pair<ROWCOL, ROWCOL> end;
    };
    const Case cases[] = {
        {2, 0, 10, 1, {2, 1}, GX_DOWN, {10, 1}},
        {2, 0, 3, 1, {3, 1}, GX_UP, {2, 1}},
        {2, 0, 10, 1, {10, 1}, GX_UP, {9, 1}},
        {0, 1, 1, 5, {4, 1}, GX_RIGHT, {4, 5}},
        {0, 2, 1, 3, {4, 3}, GX_LEFT, {4, 2}},
        {2, 1, 10, 5, {12, 1}, GX_MOVE_TOP, {1, 1}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "start " << c.start.first << "," << c.start.second << " direction "
                                        << c.direction);
        second.SetFrozenRows(c.frozenRows);
        second.SetFrozenCols(c.frozenCols);
        second.SetTopRow(c.topRow);
        second.SetLeftCol(c.leftCol);
        ASSERT_TRUE(second.MoveCurrentCell(c.start.first, c.start.second, 0));
        ASSERT_EQ(second.GetTopRow(), c.topRow);
        ASSERT_EQ(second.GetLeftCol(), c.leftCol);
        EXPECT_TRUE(second.MoveCurrentCellEx(c.direction, 1));
        EXPECT_EQ(Current(second), c.end);
        // A frozen or visible target scrolls nothing; a row above the top row is scrolled to.
        const ROWCOL nExpectedTop = c.end.first > c.frozenRows && c.end.first < c.topRow ? c.end.first : c.topRow;
        EXPECT_EQ(second.GetTopRow(), nExpectedTop);
        EXPECT_EQ(second.GetLeftCol(), c.leftCol);
    }
}
TEST_F(GridCurrentCellTest, ACoveredRangeIsEnteredAtItsTopLeftCellAndStepsSkipItsInside)
{
    second.m_bCovered = TRUE;
    second.m_covered = CGXRange(4, 3, 5, 4);
    struct Case
    {
        std::pair<ROWCOL, ROWCOL> start;
        int direction;
        std::pair<ROWCOL, ROWCOL> end;
    };
    const Case cases[] = {
        {{3, 4}, GX_DOWN, {6, 4}},
        {{4, 2}, GX_RIGHT, {4, 3}},
        {{4, 3}, GX_RIGHT, {4, 5}},
        {{6, 3}, GX_UP, {4, 3}},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(second.MoveCurrentCell(c.start.first, c.start.second, 0));
        EXPECT_TRUE(second.MoveCurrentCellEx(c.direction, 1));
        EXPECT_EQ(Current(second), c.end) << c.start.first << "," << c.start.second << " " << c.direction;
    }
    EXPECT_TRUE(second.MoveCurrentCell(5, 4, 0));
    EXPECT_EQ(Current(second), std::make_pair(ROWCOL(4), ROWCOL(3)));
}

TEST_F(GridCurrentCellTest, ARefusedValueIsNeitherStoredNorDroppedByATransfer)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    EditCell(TRUE, "Too small");
    EXPECT_FALSE(first.TransferCurrentCellValue(TRUE));
    EXPECT_EQ(box.calls.size(), 1u);
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_TRUE(pControl->GetModify());
    EXPECT_EQ(pControl->m_nStores, 0);
    pControl->m_bBad = FALSE;
    EXPECT_TRUE(first.TransferCurrentCellValue(TRUE));
    EXPECT_EQ(pControl->m_nStores, 1);
    EXPECT_FALSE(pControl->IsInit());
}
TEST_F(GridCurrentCellTest, KeysTypedAheadOfAMoveNeverReachTheCellsWindow)
{
    EditCell(FALSE, "");
    ::PostMessageA(pControl->EditHwnd(), WM_CHAR, 'x', 1);
    ::PostMessageA(pControl->EditHwnd(), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(first.MoveCurrentCell(3, 2));
    Pump();
    EXPECT_EQ(pControl->CharsReceived(), 0);
    EXPECT_EQ(Current(first), std::make_pair(ROWCOL(3), ROWCOL(2)));
}
// Two grids each with a refused value: the focus goes back to the first one left and stays there.
TEST_F(GridCurrentCellTest, TwoRefusedCellsNeverPullTheFocusToAndFro)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    CWindowedControl* pOther = new CWindowedControl(&second);
    second.RegisterControl(second.m_nDefaultControl, pOther);
    ASSERT_TRUE(second.MoveCurrentCell(2, 2));
    EditCell(TRUE, "First");
    pOther->StartEditing(TRUE, "Second");
    Pump();
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "First");
    EXPECT_EQ(::GetFocus(), pControl->EditHwnd());
    EXPECT_EQ(CGXGridCore::GetFocusGrid(), &first);
    // The second cell keeps its edit and warns when it is left itself.
    EXPECT_TRUE(pOther->IsActive());
    EXPECT_EQ(pOther->m_nStores, 0);
}
// The headers mark the current cell's row and column: a move repaints those it left and entered.
TEST_F(GridCurrentCellTest, AMoveRepaintsTheHeadersOfTheRowAndColumnItLeftAndEntered)
{
    struct Case
    {
        BOOL markRows;
        BOOL markCols;
        std::pair<ROWCOL, ROWCOL> from;
        std::pair<ROWCOL, ROWCOL> to;
        std::vector<std::pair<ROWCOL, ROWCOL>> repainted;
        std::vector<std::pair<ROWCOL, ROWCOL>> untouched;
    };
    const Case cases[] = {
        {TRUE, TRUE, {2, 2}, {4, 2}, {{2, 0}, {4, 0}}, {{0, 2}, {3, 0}}},
        {TRUE, TRUE, {2, 1}, {2, 2}, {{0, 1}, {0, 2}}, {{2, 0}}},
        {FALSE, FALSE, {2, 1}, {4, 2}, {}, {{2, 0}, {4, 0}, {0, 1}, {0, 2}}},
        {TRUE, TRUE, {3, 1}, {GX_INVALID, GX_INVALID}, {{3, 0}, {0, 1}}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.from.first << "," << c.from.second << " to " << c.to.first << ","
                                        << c.to.second);
        second.GetProperties()->SetMarkRowHeader(c.markRows);
        second.GetProperties()->SetMarkColHeader(c.markCols);
        ASSERT_TRUE(second.MoveCurrentCell(c.from.first, c.from.second, 0));
        ::UpdateWindow(second.m_hWnd);
        ASSERT_TRUE(second.MoveCurrentCell(c.to.first, c.to.second, 0));
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(second.m_hWnd, hRgn, FALSE);
        // A point just inside each cell's top-left corner: wide columns run past the window's edge.
        auto inRegion = [&](const std::pair<ROWCOL, ROWCOL>& cell) {
            const CRect rect = second.CalcCellRect(cell.first, cell.second);
            return ::PtInRegion(hRgn, rect.left + 2, rect.top + 2);
        };
        for (const auto& cell : c.repainted)
            EXPECT_TRUE(inRegion(cell)) << cell.first << "," << cell.second;
        for (const auto& cell : c.untouched)
            EXPECT_FALSE(inRegion(cell)) << cell.first << "," << cell.second;
        ::DeleteObject(hRgn);
        ::UpdateWindow(second.m_hWnd);
    }
}
TEST_F(GridCurrentCellTest, AnEditReportedByTheCellMarksTheGridModified)
{
    EditCell(FALSE, "");
    first.SetModifiedFlag(FALSE);
    pControl->OnModifyCell();
    EXPECT_TRUE(first.GetModifiedFlag());
}
} // namespace
