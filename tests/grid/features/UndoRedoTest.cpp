// Undo and redo of a grid: the lists, their limit, transactions and their rollback, the recording
// lock and the block-recording flag, replays of blocks and what a removal keeps.
#include "tests/grid/features/UndoTestSupport.h"

#include "framework/win/CmdTarget.h"
#include "framework/win/Menu.h"
#include "grid/core/Data.h"
#include "grid/core/Style.h"
#include "grid/features/CommandFactory.h"
#include "framework/core/Exceptions.h"

#include <string>
#include <vector>

namespace
{
TEST_F(UndoTest, InsertedRowsGoWithUndoAndComeBackWithRedo)
{
    ASSERT_TRUE(grid.InsertRows(3, 2));
    ASSERT_EQ(grid.GetRowCount(), 12u);

    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetRowCount(), 10u);
    EXPECT_EQ(ValueOf(grid, 3, 1), "3:1");
    EXPECT_EQ(NewestName(RedoList()), "Insert Rows");

    EXPECT_TRUE(grid.Redo());
    EXPECT_EQ(grid.GetRowCount(), 12u);
    EXPECT_EQ(ValueOf(grid, 5, 1), "3:1");
    EXPECT_EQ(ValueOf(grid, 3, 1), "");
    EXPECT_TRUE(RedoList().IsEmpty());
    EXPECT_EQ(NewestName(UndoList()), "Insert Rows");

    // Undo, then a new change: nothing is left to redo.
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(RedoList().GetCount(), 1);
    grid.SetValueRange(CGXRange(1, 1), "new");
    EXPECT_TRUE(RedoList().IsEmpty());
    EXPECT_FALSE(grid.Redo());
}

TEST_F(UndoTest, TheLimitKeepsOneMoreCommandThanItSays)
{
    grid.GetParam()->SetUndoLimit(3);
    for (int i = 1; i <= 6; ++i)
        grid.SetValueRange(CGXRange(1, 1), ("change " + std::to_string(i)).c_str());
    EXPECT_EQ(UndoList().GetCount(), 4);

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "change 2") << "changes 6 to 3 are reverted";
    EXPECT_FALSE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "change 2");
}

TEST_F(UndoTest, ALimitOfZeroStillKeepsOneCommand)
{
    grid.GetParam()->SetUndoLimit(0);
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.SetValueRange(CGXRange(1, 1), "b");
    EXPECT_EQ(UndoList().GetCount(), 1);
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "a");
}

TEST_F(UndoTest, NestedTransactionsMakeOneCommandOfTheOuterName)
{
    ASSERT_TRUE(grid.BeginTrans("Outer"));
    grid.SetValueRange(CGXRange(1, 1), "a");
    ASSERT_TRUE(grid.BeginTrans("Inner"));
    grid.SetValueRange(CGXRange(2, 2), "b");
    grid.SetColWidth(3, 3, 90);
    ASSERT_TRUE(grid.CommitTrans());
    ASSERT_TRUE(grid.CommitTrans());

    EXPECT_EQ(UndoList().GetCount(), 1);
    EXPECT_EQ(NewestName(UndoList()), "Outer");
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "1:1");
    EXPECT_EQ(ValueOf(grid, 2, 2), "2:2");
    EXPECT_NE(grid.GetColWidth(3), 90);
    EXPECT_EQ(NewestName(RedoList()), "Outer");
    EXPECT_TRUE(grid.Redo());
    EXPECT_EQ(ValueOf(grid, 2, 2), "b");
    EXPECT_EQ(grid.GetColWidth(3), 90);
}

TEST_F(UndoTest, ATransactionThatRecordedNothingLeavesNoCommand)
{
    grid.SetValueRange(CGXRange(1, 1), "before");
    ASSERT_TRUE(grid.BeginTrans("Empty"));
    ASSERT_TRUE(grid.CommitTrans());
    EXPECT_EQ(UndoList().GetCount(), 1);
    EXPECT_EQ(NewestName(UndoList()), "Cells");
}

TEST_F(UndoTest, OnlyTheOutermostRollbackUndoesTheTransaction)
{
    ASSERT_TRUE(grid.BeginTrans("Outer"));
    grid.SetValueRange(CGXRange(1, 1), "a");
    ASSERT_TRUE(grid.BeginTrans("Inner"));
    grid.SetValueRange(CGXRange(2, 2), "b");
    ASSERT_TRUE(grid.Rollback());
    EXPECT_EQ(ValueOf(grid, 1, 1), "a") << "an inner rollback changes nothing";
    EXPECT_EQ(ValueOf(grid, 2, 2), "b");

    ASSERT_TRUE(grid.Rollback());
    EXPECT_EQ(ValueOf(grid, 1, 1), "1:1");
    EXPECT_EQ(ValueOf(grid, 2, 2), "2:2");
    EXPECT_TRUE(UndoList().IsEmpty());
    EXPECT_TRUE(RedoList().IsEmpty()) << "a rollback records nothing";
    EXPECT_EQ(grid.GetParam()->m_nTransactionLevel, 0);
}

TEST_F(UndoTest, WithUndoOffNothingIsRecordedAndTransactionsDoNothing)
{
    grid.GetParam()->EnableUndo(FALSE);
    EXPECT_FALSE(grid.BeginTrans("Off"));
    grid.SetValueRange(CGXRange(1, 1), "a");
    EXPECT_FALSE(grid.CommitTrans());
    EXPECT_FALSE(grid.Rollback());
    EXPECT_TRUE(UndoList().IsEmpty());
    EXPECT_EQ(ValueOf(grid, 1, 1), "a");
}

TEST_F(UndoTest, CommandsAddedWhileRecordingIsLockedAreDropped)
{
    const BOOL bOld = grid.m_pUndoImp->LockRecording(&grid, TRUE);
    EXPECT_FALSE(grid.AddCommand(new CGXSetDefaultRowHeightCmd(20), gxNewAction));
    EXPECT_TRUE(UndoList().IsEmpty());
    grid.m_pUndoImp->LockRecording(&grid, bOld);
    EXPECT_TRUE(grid.AddCommand(new CGXSetDefaultRowHeightCmd(20), gxNewAction));
    EXPECT_EQ(UndoList().GetCount(), 1);
}

TEST_F(UndoTest, TheBlockRecordingFlagFilesCommandsIntoTheNewestBlock)
{
    UndoList().AddHead(new CGXBlockCmd("Gathered"));
    grid.m_bBlockRecording = TRUE;
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.SetValueRange(CGXRange(2, 1), "b");
    grid.m_bBlockRecording = FALSE;
    ASSERT_EQ(UndoList().GetCount(), 1);
    EXPECT_EQ(static_cast<CGXBlockCmd*>(UndoList().GetHead())->m_CmdList.GetCount(), 2);

    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "1:1");
    EXPECT_EQ(ValueOf(grid, 2, 1), "2:1");
}

TEST_F(UndoTest, RemovingTheLastCommandTakesItFromItsList)
{
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.SetValueRange(CGXRange(1, 1), "b");
    EXPECT_TRUE(grid.RemoveLastCommand(gxNewAction));
    EXPECT_EQ(UndoList().GetCount(), 1);
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "1:1");
    EXPECT_FALSE(grid.RemoveLastCommand(gxRollback));
}

// A command whose replay fails.
class CFailingCmd : public CGXCommand
{
public:
    BOOL Execute(CGXGridCore*, GXCommandType) override { return FALSE; }
    CString GetName() override { return "Failing"; }
};

TEST_F(UndoTest, ABlockThatFailsPartWayTakesBackWhatItReplayedAndStaysToBeUndone)
{
    ASSERT_TRUE(grid.BeginTrans("Mixed"));
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.AddCommand(new CFailingCmd, gxNewAction);
    grid.SetValueRange(CGXRange(2, 2), "b");
    ASSERT_TRUE(grid.CommitTrans());

    // Newest first: (2,2) is replayed, then the failing command stops the block.
    EXPECT_FALSE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 2, 2), "b") << "what the failed block replayed is taken back";
    EXPECT_EQ(ValueOf(grid, 1, 1), "a");
    EXPECT_EQ(NewestName(UndoList()), "Mixed");
    EXPECT_TRUE(RedoList().IsEmpty()) << "no inverse of a failed block is kept";
}

// An engine that tells where the undo put the current cell.
class CMovesGrid : public CGXGridCore
{
public:
    BOOL MoveCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags, BOOL bCreateHint) override
    {
        moves.push_back(std::to_string(nRow) + "," + std::to_string(nCol));
        return CGXGridCore::MoveCurrentCell(nRow, nCol, nFlags, bCreateHint);
    }
    std::vector<std::string> moves;
};

TEST(UndoBlock, ShowsTheLastChangedPlaceOnceAfterAllItsCommands)
{
    GXStartLibrary();
    CMovesGrid grid;
    grid.InitializeGrid();
    FillSample(grid, 10, 4);
    grid.BeginTrans("Three");
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.SetValueRange(CGXRange(2, 2), "b");
    grid.SetValueRange(CGXRange(3, 3), "c");
    grid.CommitTrans();
    grid.moves.clear();

    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(grid.moves, (std::vector<std::string>{"1,1"}));
    grid.moves.clear();
    ASSERT_TRUE(grid.Redo());
    // Redo moves to the last changed place, then to the cell current when the command was filed.
    ASSERT_FALSE(grid.moves.empty());
    EXPECT_EQ(grid.moves.front(), "3,3");
}

TEST_F(UndoTest, AReadOnlyGridIsStillRestored)
{
    grid.SetValueRange(CGXRange(1, 1), "a");
    grid.SetReadOnly(TRUE);
    EXPECT_FALSE(grid.SetValueRange(CGXRange(1, 1), "refused"));
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "1:1");
    EXPECT_TRUE(grid.IsReadOnly());
    EXPECT_TRUE(grid.GetParam()->IsLockReadOnly());
}

TEST_F(UndoTest, RemovedRowsComeBackWithTheirCellsBaseStylesAndHeights)
{
    CGXStyle base;
    base.SetValue("row base");
    grid.SetStyleRange(CGXRange().SetRows(3), base);
    grid.SetRowHeight(2, 2, 31);
    grid.GetParam()->EmptyUndoList();

    ASSERT_TRUE(grid.RemoveRows(2, 3));
    ASSERT_EQ(grid.GetRowCount(), 8u);
    EXPECT_EQ(NewestName(UndoList()), "Removing rows ...");
    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetRowCount(), 10u);
    EXPECT_EQ(ValueOf(grid, 2, 4), "2:4");
    EXPECT_EQ(ValueOf(grid, 3, 1), "3:1");
    EXPECT_EQ(grid.GetRowHeight(2), 31);
    CGXStyle stored;
    EXPECT_TRUE(grid.GetStoredStyleRowCol(3, 0, stored, gxCopy, gxBaseStyleType));
    EXPECT_EQ(std::string(stored.GetValue()), "row base");
    EXPECT_TRUE(grid.Redo());
    EXPECT_EQ(grid.GetRowCount(), 8u);
    EXPECT_EQ(ValueOf(grid, 2, 1), "4:1");
}

TEST_F(UndoTest, RowsRemovedWithoutKeepingCellsComeBackEmpty)
{
    grid.GetParam()->m_nUndoRemoveRowsLimit = 0;
    ASSERT_TRUE(grid.RemoveRows(2, 3));
    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetRowCount(), 10u);
    EXPECT_EQ(ValueOf(grid, 2, 1), "");
    EXPECT_EQ(ValueOf(grid, 4, 1), "4:1");
}

TEST_F(UndoTest, RemovedColumnsComeBackWithTheirCells)
{
    ASSERT_TRUE(grid.RemoveCols(2, 3));
    ASSERT_EQ(grid.GetColCount(), 2u);
    EXPECT_EQ(ValueOf(grid, 5, 2), "5:4");
    ASSERT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetColCount(), 4u);
    EXPECT_EQ(ValueOf(grid, 5, 2), "5:2");
    EXPECT_EQ(ValueOf(grid, 10, 3), "10:3");
    EXPECT_EQ(ValueOf(grid, 10, 4), "10:4");
}

// The question before a removal whose record would be too large, answered by the engineer.
class TooLargeRemoval : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.InitializeGrid();
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetRowCount(40000);
        grid.SetColCount(2);
        grid.GetParam()->EnableUndo(TRUE);
        grid.SetValueRange(CGXRange(1, 1), "kept");
        grid.SetValueRange(CGXRange(1, 1), "changed");
        ASSERT_TRUE(grid.Undo());
        ASSERT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
        ASSERT_EQ(grid.GetParam()->GetRedoList().GetCount(), 1);
    }
    LibraryStarted started;
    CGXGridCore grid;
    CRecordingMessageBox box;
    CScopedMessageBoxSeam scopedBox{&box};
};

TEST_F(TooLargeRemoval, CancelKeepsTheRows)
{
    box.answers = {IDCANCEL};
    EXPECT_FALSE(grid.RemoveRows(1, 40000));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Operation is too large for the undo buffer. Do you want to continue?");
    EXPECT_EQ(box.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(grid.GetRowCount(), 40000u);
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
}

TEST_F(TooLargeRemoval, OkRemovesThemAndLeavesNothingOlderToUndo)
{
    box.answers = {IDOK};
    EXPECT_TRUE(grid.RemoveRows(1, 40000));
    EXPECT_EQ(grid.GetRowCount(), 0u);
    // No older command may replay against the rows that went without a record.
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
    EXPECT_TRUE(grid.GetParam()->GetRedoList().IsEmpty());
    EXPECT_FALSE(grid.Undo());
}

// The same question before a change of cells too large for a record.
TEST_F(TooLargeRemoval, AValueOverEveryRowAsksAndOkLeavesNothingOlderToUndo)
{
    const CGXRange column(1, 2, 40000, 2);
    box.answers = {IDCANCEL};
    EXPECT_FALSE(grid.SetValueRange(column, "all"));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Operation is too large for the undo buffer. Do you want to continue?");
    EXPECT_EQ(ValueOf(grid, 40000, 2), "");
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
    EXPECT_EQ(grid.GetParam()->GetRedoList().GetCount(), 1);

    box.answers = {IDOK};
    EXPECT_TRUE(grid.SetValueRange(column, "all"));
    EXPECT_EQ(ValueOf(grid, 40000, 2), "all");
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
    EXPECT_TRUE(grid.GetParam()->GetRedoList().IsEmpty());
    EXPECT_FALSE(grid.Undo());
    EXPECT_FALSE(grid.Redo());
    EXPECT_EQ(ValueOf(grid, 1, 1), "kept");
}

TEST(UndoDataHooks, APlainDataObjectGathersNoUndoOfItsOwn)
{
    CGXData data;
    EXPECT_EQ(data.GetAdvancedUndoInfo(), nullptr);
    EXPECT_FALSE(data.UndoAdvanced(nullptr, TRUE, FALSE));
    EXPECT_FALSE(data.SetAdvancedUndo(TRUE));
    CGXRange range;
    EXPECT_FALSE(data.SetRangeName("Name", CGXRange(1, 1), nullptr));
    EXPECT_FALSE(data.GetRangeName("Name", range));
}

TEST_F(UndoTest, NamingARangeIsRefusedByAPlainDataObjectAndRecordsNothing)
{
    EXPECT_FALSE(grid.SetRangeName("Total", CGXRange(1, 1, 2, 2)));
    EXPECT_FALSE(grid.DeleteRangeName("Total"));
    EXPECT_TRUE(UndoList().IsEmpty());
}
} // namespace

namespace
{
// The text and state a menu item gets from the grid's update of its Undo or Redo item.
struct MenuItem
{
    std::string text;
    BOOL bEnabled;
};

MenuItem UpdatedItem(CGXGridCore& grid, UINT nID, LPCTSTR pszItemText, BOOL bRedo)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, nID, pszItemText);
    CCmdUI ui;
    ui.m_nID = nID;
    ui.m_nIndex = 0;
    ui.m_nIndexMax = 1;
    ui.m_pMenu = &menu;
    const BOOL bResult = bRedo ? grid.UpdateRedoMenuText(&ui) : grid.UpdateUndoMenuText(&ui);
    char szText[256] = {};
    ::GetMenuStringA(menu.GetSafeHmenu(), 0, szText, sizeof szText, MF_BYPOSITION);
    const UINT nState = ::GetMenuState(menu.GetSafeHmenu(), 0, MF_BYPOSITION);
    EXPECT_EQ(bResult, (nState & MF_GRAYED) == 0) << "the result tells the enabling";
    return {szText, (nState & MF_GRAYED) == 0};
}

TEST(UndoMenuTexts, TheFormatComesFromTheItemsStringElseFromTheItemElseIsTheLibrarys)
{
    GXStartLibrary();
    // A command id with a string of three lines (the test program has the host's Edit strings) and
    // one without any.
    const UINT nWithString = 57643;
    const UINT nWithout = 40999;
    struct Case
    {
        const char* pszName;
        UINT nID;
        const char* pszItemText;
        BOOL bRedo;
        const char* pszExpected;
    } cases[] = {
        {"the string's third line", nWithString, "ignored", FALSE, "&Undo Cells\tCtrl+Z"},
        {"the item's own text", nWithout, "Take back %1", FALSE, "Take back Cells"},
        {"an empty item", nWithout, "", FALSE, "Undo Cells"},
        {"redo, an empty item", nWithout, "", TRUE, "Redo Cells"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        // Each grid finds its format once.
        CGXGridCore grid;
        grid.InitializeGrid();
        FillSample(grid, 3, 3);
        EXPECT_EQ(UpdatedItem(grid, c.nID, c.pszItemText, c.bRedo).bEnabled, FALSE);
        grid.SetValueRange(CGXRange(1, 1), "x");
        if (c.bRedo)
            grid.Undo();
        const MenuItem item = UpdatedItem(grid, c.nID, c.pszItemText, c.bRedo);
        EXPECT_EQ(item.text, c.pszExpected);
        EXPECT_TRUE(item.bEnabled);
    }
}

TEST(UndoMenuTexts, WithoutACommandFactoryTheItemsAreDisabled)
{
    GXStartLibrary();
    CGXGridCore grid;
    grid.InitializeGrid();
    grid.m_pUndoImp = nullptr;
    const MenuItem item = UpdatedItem(grid, 40999, "Undo", FALSE);
    EXPECT_FALSE(item.bEnabled);
    EXPECT_EQ(item.text, "Undo");
}
// A data object whose recalculation, which runs when the last hold of a command ends, fails once when
// asked to.
class CFailingRecalcData : public CGXData
{
public:
    void HoldRecalc(BOOL bHold) override
    {
        if (bHold)
        {
            ++nHolds;
            return;
        }
        if (nHolds == 0)
            return;
        if (--nHolds == 0 && bFail)
        {
            bFail = FALSE;
            AfxThrowUserException();
        }
    }
    BOOL IsRecalcHeld() const override { return nHolds > 0; }

    int nHolds = 0;
    BOOL bFail = FALSE;
};

class FailingRecalcUndoTest : public UndoTest
{
protected:
    void SetUp() override
    {
        UndoTest::SetUp();
        pData = new CFailingRecalcData;
        static_cast<CGXData&>(*pData) = *grid.GetParam()->GetData();
        grid.GetParam()->SetData(pData, TRUE);
    }
    // TRUE when the step threw (the exception is deleted).
    template <class Step>
    static bool Throws(Step step)
    {
        try
        {
            step();
        }
        catch (CException* e)
        {
            e->Delete();
            return true;
        }
        return false;
    }

    CFailingRecalcData* pData = nullptr;
};

// The recalculation that the end of a store's hold runs may fail: the failure reaches the caller (it
// does not end the program), the hold is over, and the store stands with its undo step.
TEST_F(FailingRecalcUndoTest, ARecalculationThatFailsAsAStoreEndsReachesTheCaller)
{
    pData->bFail = TRUE;
    EXPECT_TRUE(Throws([&] { grid.SetValueRange(CGXRange(2, 2), "x"); }));
    EXPECT_EQ(pData->nHolds, 0);
    EXPECT_EQ(ValueOf(grid, 2, 2), "x");
    // Left by an exception of its own, a hold ends without a second one.
    pData->bFail = TRUE;
    EXPECT_TRUE(Throws([&] {
        const CGXRecalcHold hold(&grid);
        AfxThrowUserException();
    }));
    EXPECT_EQ(pData->nHolds, 0);
    EXPECT_FALSE(pData->bFail) << "the recalculation was tried once";
}

// An undo step that was taken stays taken when the recalculation it owes fails: it is not put back
// on the undo list to be taken again, and redo has it.
TEST_F(FailingRecalcUndoTest, AnUndoStepTakenStaysTakenWhenItsRecalculationFails)
{
    ASSERT_TRUE(grid.SetValueRange(CGXRange(2, 2), "x"));
    ASSERT_EQ(UndoList().GetCount(), 1);
    pData->bFail = TRUE;
    EXPECT_TRUE(Throws([&] { grid.Undo(); }));
    EXPECT_EQ(pData->nHolds, 0);
    EXPECT_EQ(ValueOf(grid, 2, 2), "2:2");
    EXPECT_EQ(UndoList().GetCount(), 0);
    EXPECT_EQ(RedoList().GetCount(), 1);
    EXPECT_TRUE(grid.Redo());
    EXPECT_EQ(ValueOf(grid, 2, 2), "x");
}

} // namespace
