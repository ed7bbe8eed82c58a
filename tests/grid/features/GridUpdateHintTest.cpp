// Update hints between the views of the host's document: a change in one view is redrawn in the
// others, hints for another grid change nothing, a grid that is not linked sends none, and the panes
// of a split window follow each other's scroll position where they share it.
#include "tests/grid/features/GridHostTestSupport.h"

#include "grid/core/AppData.h"
#include "grid/core/GridHint.h"
#include "grid/core/GridParam.h"
#include "grid/features/GridUpdateHintImp.h"

#include <string>
#include <utility>
#include <vector>

namespace
{
class GridUpdateHintTest : public GridHostTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartHost(60, 12));
        Command(ID_GRIDHOST_ACTIVATEVIEW2);
        Command(ID_GRIDHOST_SETTOPROW, {"10"});
        Command(ID_GRIDHOST_ACTIVATEVIEW1);
        ASSERT_EQ(View(1).GetTopRow(), 10u);
        ASSERT_EQ(View(0).GetTopRow(), 1u);
    }
};

TEST_F(GridUpdateHintTest, RowsInsertedAboveAnotherViewKeepItsDataOnScreen)
{
    const std::string topCell = static_cast<LPCTSTR>(View(1).GetStoredValueRowCol(10, 1));
    Command(ID_GRIDHOST_INSERTROWS, {"2", "3"});
    EXPECT_EQ(View(1).GetTopRow(), 13u);
    EXPECT_EQ(std::string(View(1).GetStoredValueRowCol(13, 1)), topCell);
    EXPECT_EQ(View(0).GetTopRow(), 1u) << "the sending view stays where it is";
    EXPECT_EQ(View(1).GetRowCount(), 63u);

    // Undone in the first view, the second follows again.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(View(1).GetTopRow(), 10u);
}

TEST_F(GridUpdateHintTest, RemovingEveryRowTakesBothViewsToTheFirstRow)
{
    Command(ID_GRIDHOST_SETTOPROW, {"20"});
    CRecordingMessageBox box;
    CScopedMessageBoxSeam scopedBox(&box);
    Command(ID_GRIDHOST_REMOVEROWS, {"1", "60"});
    EXPECT_EQ(DumpLine("rows"), "rows 0");
    EXPECT_EQ(View(0).GetTopRow(), 1u);
    EXPECT_EQ(View(1).GetTopRow(), 1u);
}

TEST_F(GridUpdateHintTest, AHintForAnotherGridChangesNothingAndOneForAllGridsReachesEveryView)
{
    CGXGridHint other(GX_HINT_INSERTROWS, 4711);
    other.nRow1 = 2;
    other.dwValue2 = 3;
    app.GetDocument()->UpdateAllViews(nullptr, 0, &other);
    EXPECT_EQ(View(1).GetTopRow(), 10u);

    CGXGridHint every(GX_HINT_INSERTROWS, CGXGridHint::GX_ALLGRIDS);
    every.nRow1 = 2;
    every.dwValue2 = 3;
    app.GetDocument()->UpdateAllViews(nullptr, 0, &every);
    EXPECT_EQ(View(1).GetTopRow(), 13u);
}

TEST_F(GridUpdateHintTest, HintsOfUnknownIdsAndOtherObjectsAreIgnored)
{
    CGXGridHint unknown(37, CGXGridHint::GX_ALLGRIDS);
    EXPECT_FALSE(View(1).OnGridUpdate(&unknown));
    EXPECT_FALSE(View(1).OnGridUpdate(nullptr));
    EXPECT_EQ(View(1).GetTopRow(), 10u);
}

TEST_F(GridUpdateHintTest, AGridNotLinkedToItsDocumentSendsNoHints)
{
    View(0).SetDocumentLink(View(0).GetDocument(), FALSE);
    Command(ID_GRIDHOST_INSERTROWS, {"2", "3"});
    EXPECT_EQ(View(1).GetTopRow(), 10u);
    EXPECT_EQ(View(1).GetRowCount(), 63u) << "the data is shared all the same";
}

TEST_F(GridUpdateHintTest, AChangedValueIsRedrawnInTheOtherView)
{
    View(1).UpdateWindow();
    View(1).ValidateRect(nullptr);
    View(0).SetValueRange(CGXRange(11, 2), "seen");
    CRect rect;
    ASSERT_TRUE(::GetUpdateRect(View(1).GetSafeHwnd(), &rect, FALSE)) << "the other view waits for its paint";
    EXPECT_TRUE(rect.PtInRect(View(1).CalcCellRect(11, 2).CenterPoint()));
    EXPECT_FALSE(rect.PtInRect(View(1).CalcCellRect(14, 2).CenterPoint()));
}

TEST_F(GridUpdateHintTest, AStoreOfThePendingEditsReachesTheOtherViewsAndAnswersForAllOfThem)
{
    Command(ID_GRIDHOST_ACTIVATEVIEW2);
    Command(ID_GRIDHOST_GOTOCELL, {"12", "1"});
    View(1).SetFocus();
    View(1).SendMessage(WM_CHAR, 'w', 1);
    PumpPendingMessages();
    ASSERT_TRUE(View(1).IsActiveCurrentCell());
    Command(ID_GRIDHOST_ACTIVATEVIEW1);
    EXPECT_TRUE(View(0).TransferCurrentCellValue(TRUE, TRUE));
    EXPECT_EQ(std::string(View(1).GetStoredValueRowCol(12, 1)), "w");
}

// The tab window's interface as the tab window would fill it: it records the names it is given.
class CRecordingTabWnd : public CGXTabWndInterface
{
public:
    void SetTabName(CWnd* pSheetWnd, LPCTSTR pszName, BOOL) override
    {
        names.push_back({pSheetWnd, pszName});
    }
    std::vector<std::pair<CWnd*, std::string>> names;
};

TEST_F(GridUpdateHintTest, ATabNameReachesTheTabWindowOfTheOtherViewsWhenThereIsOne)
{
    View(0).SetTabName("Without a tab window");
    EXPECT_EQ(std::string(View(1).GetParam()->m_sSheetName), "Without a tab window");

    CRecordingTabWnd tabWnd;
    GXGetAppData()->m_pTabWndInterface = &tabWnd;
    View(0).SetTabName("Drains");
    GXGetAppData()->m_pTabWndInterface = nullptr;
    ASSERT_EQ(tabWnd.names.size(), 1u);
    EXPECT_EQ(tabWnd.names[0].first, static_cast<CWnd*>(&View(1)));
    EXPECT_EQ(tabWnd.names[0].second, "Drains");
}

class SplitPaneTest : public GridHostTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartHost(60, 12));
        Command(ID_GRIDHOST_NEWSPLITWINDOW);
        ASSERT_EQ(app.GetViews().size(), 4u);
        ASSERT_EQ(View(3).m_nPaneRow, 1);
    }
    CGridHostView& Upper() { return View(2); }
    CGridHostView& Lower() { return View(3); }
};

TEST_F(SplitPaneTest, TheLowerPaneFollowsTheUpperPanesColumnsButNotItsRows)
{
    Upper().SetLeftCol(3);
    EXPECT_EQ(Lower().GetLeftCol(), 3u);
    Upper().SetTopRow(5);
    EXPECT_EQ(Lower().GetTopRow(), 1u);
    EXPECT_EQ(View(0).GetLeftCol(), 1u) << "views of other windows keep their place";
}

TEST_F(SplitPaneTest, ScrollingTheLowerPaneSidewaysMovesTheUpperPane)
{
    Lower().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    Lower().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(Lower().GetLeftCol(), 3u);
    EXPECT_EQ(Upper().GetLeftCol(), 3u);
    Lower().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Lower().GetTopRow(), 2u);
    EXPECT_EQ(Upper().GetTopRow(), 1u);
}

TEST_F(SplitPaneTest, ShowingTheHiddenHeaderRowFromTheLowerPaneIsAChangeTheUpperPaneHearsOf)
{
    ASSERT_TRUE(Upper().HideRows(0, 0, TRUE));
    PumpPendingMessages();
    ASSERT_TRUE(Upper().IsRowHidden(0));
    ASSERT_TRUE(Lower().IsRowHidden(0)) << "the lower pane shows no header row either way";
    Upper().UpdateWindow();
    Upper().ValidateRect(nullptr);
    const INT_PTR nUndoSteps = Lower().GetParam()->GetUndoList().GetCount();

    EXPECT_TRUE(Lower().HideRows(0, 0, FALSE, nullptr, GX_INVALIDATE)) << "the stored flag changed";
    EXPECT_FALSE(Upper().IsRowHidden(0));
    CRect rect;
    EXPECT_TRUE(::GetUpdateRect(Upper().GetSafeHwnd(), &rect, FALSE)) << "the upper pane redraws";
    EXPECT_EQ(Lower().GetParam()->GetUndoList().GetCount(), nUndoSteps + 1);

    ASSERT_TRUE(Lower().Undo());
    EXPECT_TRUE(Upper().IsRowHidden(0)) << "undone, the header row is hidden again";
}

TEST_F(SplitPaneTest, TheLowerPaneShowsNoColumnHeaders)
{
    EXPECT_TRUE(Lower().IsRowHidden(0));
    EXPECT_FALSE(Upper().IsRowHidden(0));
    EXPECT_EQ(DumpLine("view 4"), "view 4 pane 1 0 top 1 left 1 current none");
}
} // namespace

namespace
{
TEST_F(SplitPaneTest, AZoomReachesThePanesOfItsSplitterAndEveryViewWhenSynced)
{
    Upper().SetZoomAndRedraw(150);
    EXPECT_EQ(Lower().GetZoom(), 150);
    EXPECT_EQ(View(0).GetZoom(), 100) << "another window keeps its zoom";

    Upper().GetParam()->m_wZoomSync = 1;
    Upper().SetZoomAndRedraw(120);
    EXPECT_EQ(Lower().GetZoom(), 120);
    EXPECT_EQ(View(0).GetZoom(), 120);
}
} // namespace
