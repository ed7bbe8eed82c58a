// Find and replace in a grid window: the column scan in both directions, what it skips and where it
// stops, Replace All as one undo step, the empty find text, and the one find/replace dialog.
#include "grid/features/GridFindReplaceImp.h"

#include "framework/dialogs/FindReplaceDialog.h"
#include "tests/grid/features/FeatureGridTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using Texts = std::vector<std::string>;

// A search record as a caller fills it.
CGXFindReplaceSettings Search(const char* pszFind)
{
    CGXFindReplaceSettings settings;
    settings.strFind = pszFind;
    return settings;
}

class GridFindReplaceTest : public FeatureGridTest<>
{
protected:
    void TearDown() override
    {
        // The dialog of the process must not outlive the grid it serves.
        CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
        if (settings.pFindReplaceDlg != nullptr && settings.pFindReplaceDlg->GetSafeHwnd() != nullptr)
            ::SendMessageA(settings.pFindReplaceDlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
        Pump();
        FeatureGridTest<>::TearDown();
    }

    BOOL FindNext(const char* pszFind, BOOL bDown, BOOL bCase = FALSE)
    {
        CGXFindReplaceSettings settings = Search(pszFind);
        const BOOL bFound = grid.OnFindNext(&settings, bDown, bCase);
        Pump();
        return bFound;
    }
    BOOL ReplaceAll(const char* pszFind, const char* pszReplace, BOOL bCase = FALSE)
    {
        CGXFindReplaceSettings settings = Search(pszFind);
        const BOOL bReplaced = grid.OnReplaceAll(&settings, pszReplace, bCase);
        Pump();
        return bReplaced;
    }
    void Disable(ROWCOL nRow, ROWCOL nCol)
    {
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetStyleRange(CGXRange(nRow, nCol), CGXStyle().SetEnabled(FALSE));
        grid.GetParam()->EnableUndo(TRUE);
    }
};

TEST_F(GridFindReplaceTest, FindGoesToTheNextCellOfTheColumnThatHoldsTheText)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(6, 2));
    SetColumn(1, 1, {"one", "two", "xABCx", "abc", "", "ABC"});
    SetColumn(2, 1, {"abc", "abc", "abc", "abc", "abc", "abc"});
    struct Case
    {
        const char* pszName;
        ROWCOL nFromRow;
        const char* pszFind;
        BOOL bDown;
        BOOL bCase;
        ROWCOL nFoundRow; // 0: nothing found
    } cases[] = {
        {"down, case ignored", 2, "abc", TRUE, FALSE, 3},
        {"down, case matters", 2, "abc", TRUE, TRUE, 4},
        {"down past an empty cell", 4, "ABC", TRUE, TRUE, 6},
        {"up", 6, "two", FALSE, FALSE, 2},
        {"up, case matters", 5, "ABC", FALSE, TRUE, 3},
        {"the current cell's own text first", 4, "abc", TRUE, FALSE, 4},
        {"a text no cell holds", 1, "zzz", TRUE, FALSE, 0},
    };
    for (const Case& c : cases)
    {
        grid.MoveCurrentCell(c.nFromRow, 1);
        grid.m_nBeeps = 0;
        const BOOL bFound = FindNext(c.pszFind, c.bDown, c.bCase);
        EXPECT_EQ(bFound, c.nFoundRow != 0) << c.pszName;
        const ROWCOL nExpected = c.nFoundRow != 0 ? c.nFoundRow : c.nFromRow;
        EXPECT_EQ(Current(), std::make_pair(nExpected, ROWCOL(1))) << c.pszName << ": the column stays";
        EXPECT_EQ(grid.m_nBeeps, c.nFoundRow != 0 ? 0 : 1) << c.pszName;
    }
}

TEST_F(GridFindReplaceTest, TheScanEndsAtEitherEndWithOneBeepAndNoWrapping)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    SetColumn(1, 1, {"abc", "x", "y", "z"});
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetStyleRange(CGXRange(0, 1), CGXStyle().SetValue("abc header"));

    grid.MoveCurrentCell(4, 1);
    EXPECT_FALSE(FindNext("abc", TRUE)) << "nothing wraps around to row 1";
    EXPECT_EQ(grid.m_nBeeps, 1);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(4), ROWCOL(1)));

    grid.m_nBeeps = 0;
    grid.MoveCurrentCell(2, 1);
    EXPECT_TRUE(FindNext("abc", FALSE));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1)));
    grid.MoveCurrentCell(2, 1);
    EXPECT_FALSE(FindNext("header", FALSE)) << "the header row is never searched";
    EXPECT_EQ(grid.m_nBeeps, 1);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(1)));
}

TEST_F(GridFindReplaceTest, FindSkipsADisabledCellThatReplaceAllChanges)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    SetColumn(1, 1, {"start", "abc", "x", "abc"});
    Disable(2, 1);
    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(FindNext("abc", TRUE));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(4), ROWCOL(1)));

    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(ReplaceAll("abc", "Q"));
    EXPECT_EQ(Column(1, 1, 4), (Texts{"start", "Q", "x", "Q"}));
}

TEST_F(GridFindReplaceTest, ReplaceAllReplacesEveryHitBelowAsOneUndoStep)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(5, 2));
    const Texts before{"abc above", "Abc-xABCx", "none", "abcabc", "ABC"};
    SetColumn(1, 1, before);
    SetColumn(2, 1, {"abc", "abc", "abc", "abc", "abc"});
    grid.MoveCurrentCell(2, 1);
    EXPECT_TRUE(ReplaceAll("abc", "Z"));
    EXPECT_EQ(Column(1, 1, 5), (Texts{"abc above", "Z-xZx", "none", "ZZ", "Z"}))
        << "from the current row down; the text around a hit keeps its case";
    EXPECT_EQ(Column(2, 1, 5), (Texts{"abc", "abc", "abc", "abc", "abc"})) << "other columns stay";
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
    EXPECT_EQ(NewestUndoName(), "Replace All");
    EXPECT_EQ(grid.m_nBeeps, 0);

    EXPECT_TRUE(grid.Undo());
    Pump();
    EXPECT_EQ(Column(1, 1, 5), before);
}

TEST_F(GridFindReplaceTest, ReplaceAllWithMatchCaseLeavesOtherCasesAndBeepsWhenNothingMatched)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(2, 1));
    SetColumn(1, 1, {"Abc abc", "ABC"});
    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(ReplaceAll("abc", "z", TRUE));
    EXPECT_EQ(Column(1, 1, 2), (Texts{"Abc z", "ABC"}));
    EXPECT_EQ(grid.m_nBeeps, 0);
    grid.MoveCurrentCell(1, 1);
    EXPECT_FALSE(ReplaceAll("q", "z"));
    EXPECT_EQ(grid.m_nBeeps, 1);
}

TEST_F(GridFindReplaceTest, AnEmptyFindTextFindsAndChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 1));
    SetColumn(1, 1, {"a", "b", "c"});
    grid.MoveCurrentCell(1, 1);
    EXPECT_FALSE(FindNext("", TRUE));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1)));
    EXPECT_FALSE(ReplaceAll("", "x"));
    EXPECT_EQ(Column(1, 1, 3), (Texts{"a", "b", "c"}));
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
}

TEST_F(GridFindReplaceTest, ReplaceTakesTheHitInTheCurrentCellAndMovesToTheNext)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(3, 1));
    SetColumn(1, 1, {"abc", "x", "ABC"});
    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(FindNext("abc", TRUE)) << "the current cell's own text first";
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1)));

    CGXFindReplaceSettings settings = Search("abc");
    EXPECT_TRUE(grid.OnReplaceSel(&settings, TRUE, FALSE, "long replacement"));
    Pump();
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));
    grid.TransferCurrentCellValue(TRUE, TRUE);
    EXPECT_EQ(Column(1, 1, 1), (Texts{"long replacement"}));
}

TEST_F(GridFindReplaceTest, CellsWithoutAnEditorAreSearchedAndReplacedByTheGrid)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    const std::string longText = std::string(1500, 'y') + "abc" + std::string(600, 'y');
    SetColumn(1, 1, {"start", "xABCx", "none", longText});
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetStyleRange(CGXRange(2, 1, 4, 1), CGXStyle().SetControl(GX_IDS_CTRL_STATIC));
    grid.GetParam()->EnableUndo(TRUE);
    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(FindNext("abc", TRUE));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(1)));

    grid.MoveCurrentCell(1, 1);
    EXPECT_TRUE(ReplaceAll("abc", "Z"));
    EXPECT_EQ(Column(1, 1, 3), (Texts{"start", "xZx", "none"}));
    EXPECT_EQ(Column(1, 4, 4), (Texts{std::string(1500, 'y') + "Z" + std::string(600, 'y')})) << "any length";
}

// A grid in which the user presses Esc once Replace All has passed row 2.
class CEscapingGridWnd : public CBeepCountingGridWnd
{
public:
    void EnsureGridDimension(ROWCOL nRows, ROWCOL) override
    {
        if (nRows == 4)
            ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
    }
};

class GridReplaceAllAbortTest : public FeatureGridTest<CEscapingGridWnd>
{
};

TEST_F(GridReplaceAllAbortTest, AnAbortRollsBackWhenAskedElseKeepsOneStep)
{
    struct Case
    {
        const char* pszName;
        BOOL bConfirm;
        int nAnswer; // to the abort question
        Texts after;
        const char* pszUndo;
    } cases[] = {
        {"rolled back", FALSE, 0, {"abc", "abc", "abc", "abc"}, ""},
        {"abort without rollback", TRUE, IDABORT, {"Z", "Z", "abc", "abc"}, "Replace All"},
    };
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    for (const Case& c : cases)
    {
        SetColumn(1, 1, {"abc", "abc", "abc", "abc"});
        grid.GetParam()->EmptyUndoList();
        AbortWithoutAsking();
        GXGetLongOperationState().bConfirmAbort = c.bConfirm;
        CRecordingMessageBox box;
        box.answers = {c.nAnswer};
        CScopedMessageBoxSeam scopedBox(&box);
        grid.MoveCurrentCell(1, 1);
        CGXFindReplaceSettings settings = Search("abc");
        grid.OnReplaceAll(&settings, "Z", FALSE);
        Pump();
        EXPECT_EQ(Column(1, 1, 4), c.after) << c.pszName;
        EXPECT_EQ(NewestUndoName(), c.pszUndo) << c.pszName;
        EXPECT_EQ(box.calls.size(), c.bConfirm ? 1u : 0u) << c.pszName;
    }
}

// A notification of the dialog as the system sends it to the window that owns the dialog.
void Notify(CFindReplaceDialog& dialog, DWORD dwFlags)
{
    dialog.m_fr.Flags = dwFlags;
    ::SendMessageA(dialog.m_fr.hwndOwner, CFindReplaceDialog::GetFindReplaceMessage(), 0,
                   reinterpret_cast<LPARAM>(&dialog.m_fr));
    Pump();
}

TEST_F(GridFindReplaceTest, TheDialogProposesTheCellTextAndItsButtonsReachTheGrid)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 1));
    SetColumn(1, 1, {"pipe", "x", "pipe 2", "pipe 3"});
    grid.MoveCurrentCell(1, 1);
    ASSERT_TRUE(grid.OnShowFindReplaceDialog(FALSE));
    Pump();
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    auto* pDialog = dynamic_cast<CFindReplaceDialog*>(settings.pFindReplaceDlg);
    ASSERT_NE(pDialog, nullptr);
    ASSERT_TRUE(::IsWindow(pDialog->GetSafeHwnd()));
    EXPECT_FALSE(settings.bFindOnly);
    EXPECT_EQ(std::string(pDialog->GetFindString()), "pipe") << "the current cell's text";
    EXPECT_EQ(pDialog->m_fr.hwndOwner, grid.GetSafeHwnd());

    Notify(*pDialog, FR_FINDNEXT | FR_DOWN);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1))) << "the hit in the current cell's own text";
    Notify(*pDialog, FR_FINDNEXT | FR_DOWN);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));

    ::lstrcpynA(pDialog->m_fr.lpstrReplaceWith, "tube", pDialog->m_fr.wReplaceWithLen);
    Notify(*pDialog, FR_REPLACEALL | FR_DOWN);
    EXPECT_EQ(Column(1, 1, 4), (Texts{"pipe", "x", "tube 2", "tube 3"})) << "from the current row down";
    EXPECT_EQ(NewestUndoName(), "Replace All");

    // Asking for the find dialog replaces the replace dialog: one dialog per process.
    const HWND hReplaceDialog = pDialog->GetSafeHwnd();
    ASSERT_TRUE(grid.OnShowFindReplaceDialog(TRUE));
    Pump();
    EXPECT_FALSE(::IsWindow(hReplaceDialog));
    ASSERT_NE(settings.pFindReplaceDlg, nullptr);
    EXPECT_TRUE(settings.bFindOnly);
    Notify(*static_cast<CFindReplaceDialog*>(settings.pFindReplaceDlg), FR_DIALOGTERM);
    EXPECT_EQ(settings.pFindReplaceDlg, nullptr);
}

TEST(GridFindReplaceInstallation, TheFactoryInstallsFindAndReplaceOnce)
{
    GXStartLibrary();
    CGXGridCore grid;
    ASSERT_NE(grid.m_pFindReplaceImp, nullptr);
    CGXAbstractGridFindReplaceImp* pInstalled = grid.m_pFindReplaceImp;
    grid.InstallFindReplace();
    EXPECT_EQ(grid.m_pFindReplaceImp, pInstalled);
}

} // namespace
