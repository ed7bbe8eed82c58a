// The test host's commands of sorting, hidden lines, fitting and the find/replace dialog, as a user
// gives them through the menus, checked in the dump.
#include "tests/grid/features/GridHostTestSupport.h"

#include "framework/dialogs/FindReplaceDialog.h"
#include "framework/win/FrameworkIds.h"
#include "grid/core/GridParam.h"
#include "tests/grid/features/FeatureGridTestSupport.h"

#include <string>

namespace
{

class GridHostFeatureCommandsTest : public GridHostTest
{
protected:
    void TearDown() override
    {
        CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
        if (settings.pFindReplaceDlg != nullptr && settings.pFindReplaceDlg->GetSafeHwnd() != nullptr)
            ::SendMessageA(settings.pFindReplaceDlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
        GridHostTest::TearDown();
    }
};

TEST_F(GridHostFeatureCommandsTest, SortRowsAndColumnsByOneKeyAndDumpTheLastSort)
{
    ASSERT_NO_FATAL_FAILURE(ExpectEnglishUnitedStates());
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 3));
    EXPECT_EQ(DumpLine("lastsort"), "lastsort row -1 col -1 asc 0");
    Command(ID_GRIDHOST_SETVALUE, {"1", "2", "3"});
    Command(ID_GRIDHOST_SETVALUE, {"2", "2", "10"});
    Command(ID_GRIDHOST_SETVALUE, {"3", "2", "2"});

    Command(ID_GRIDHOST_SORTROWS, {"2", "0", "3"});
    EXPECT_EQ(DumpLine("cell 1 2"), "cell 1 2 \"2\"");
    EXPECT_EQ(DumpLine("cell 3 2"), "cell 3 2 \"10\"");
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"3:1\"") << "whole rows move";
    EXPECT_EQ(DumpLine("lastsort"), "lastsort row -1 col 2 asc 1");
    EXPECT_EQ(DumpLine("undo "), "undo 4 \"Sort Rows\"");

    Command(ID_GRIDHOST_SORTROWS, {"2", "1", "1"});
    EXPECT_EQ(DumpLine("cell 1 2"), "cell 1 2 \"3\"") << "descending texts";
    EXPECT_EQ(DumpLine("lastsort"), "lastsort row -1 col 2 asc 0");

    // Row 1 now holds 1:1, 3, 1:3.
    Command(ID_GRIDHOST_SORTCOLS, {"1", "1", "1"});
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"3\"");
    EXPECT_EQ(DumpLine("cell 1 3"), "cell 1 3 \"1:1\"");
    EXPECT_EQ(DumpLine("lastsort"), "lastsort row 1 col -1 asc 0");
    EXPECT_EQ(DumpLine("undo "), "undo 6 \"Sort Columns\"");

    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"3:1\"");
    EXPECT_EQ(DumpLine("cell 1 2"), "cell 1 2 \"2\"");
}

TEST_F(GridHostFeatureCommandsTest, HeaderSortTogglesBothSwitches)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 3));
    CGXGridParam* pParam = app.GetDocument()->GetParam();
    Command(ID_GRIDHOST_HEADERSORT);
    EXPECT_TRUE(pParam->m_bSortRowsOnColHeaderDblClk);
    EXPECT_TRUE(pParam->m_bSortColsOnRowHeaderDblClk);
    Command(ID_GRIDHOST_HEADERSORT);
    EXPECT_FALSE(pParam->m_bSortRowsOnColHeaderDblClk);
    EXPECT_FALSE(pParam->m_bSortColsOnRowHeaderDblClk);
}

TEST_F(GridHostFeatureCommandsTest, HiddenLinesDumpAsZeroSizesUntilShown)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(4, 3));
    Command(ID_GRIDHOST_ROWHEIGHT, {"3", "31"});
    Command(ID_GRIDHOST_HIDEROWS, {"2", "3"});
    const std::string heights = DumpLine("heights");
    Command(ID_GRIDHOST_HIDECOLS, {"1", "1"});
    EXPECT_EQ(DumpLine("widths").substr(0, 13), "widths 120 0 ") << "the row headers, then column 1";
    EXPECT_EQ(DumpLine("undo "), "undo 3 \"Hide Columns\"");
    Command(ID_GRIDHOST_SHOWCOLS, {"1", "1"});
    EXPECT_EQ(DumpLine("widths").substr(0, 15), "widths 120 120 ");

    Command(ID_GRIDHOST_SHOWROWS, {"2", "3"});
    const std::string shown = DumpLine("heights");
    EXPECT_NE(heights, shown);
    EXPECT_NE(shown.find(" 31 "), std::string::npos) << shown;
    EXPECT_EQ(DumpLine("undo "), "undo 5 \"Hide Rows\"");
}

TEST_F(GridHostFeatureCommandsTest, FitRowsAndColumnsAreOneUndoStepEach)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 2));
    Command(ID_GRIDHOST_ROWHEIGHT, {"2", "90"});
    Command(ID_GRIDHOST_FITROWS, {"2", "2", "8"});
    EXPECT_EQ(View(0).GetRowHeight(2), 90) << "flag 8: no shrinking";
    Command(ID_GRIDHOST_FITROWS, {"1", "3", "0"});
    EXPECT_LT(View(0).GetRowHeight(2), 90);
    EXPECT_EQ(DumpLine("undo "), "undo 2 \"Resizing Rows\"");
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "a text much wider than the column it is in"});
    Command(ID_GRIDHOST_FITCOLS, {"1", "1", "0"});
    EXPECT_GT(View(0).GetColWidth(1), View(0).GetColWidth(2));
    EXPECT_EQ(DumpLine("undo "), "undo 4 \"Resizing Columns\"");
}

TEST_F(GridHostFeatureCommandsTest, EditFindAndReplaceOpenTheOneDialog)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(4, 3));
    EXPECT_EQ(DumpLine("enabled 57636"), "enabled 57636 1");
    EXPECT_EQ(DumpLine("enabled 57641"), "enabled 57641 1");
    Command(ID_GRIDHOST_GOTOCELL, {"2", "2"});
    Command(ID_EDIT_FIND);
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    auto* pDialog = dynamic_cast<CFindReplaceDialog*>(settings.pFindReplaceDlg);
    ASSERT_NE(pDialog, nullptr);
    const HWND hFind = pDialog->GetSafeHwnd();
    EXPECT_TRUE(::IsWindow(hFind));
    EXPECT_TRUE(settings.bFindOnly);
    EXPECT_EQ(std::string(pDialog->GetFindString()), "2:2");

    Command(ID_EDIT_REPLACE);
    EXPECT_FALSE(::IsWindow(hFind));
    ASSERT_NE(settings.pFindReplaceDlg, nullptr);
    EXPECT_TRUE(::IsWindow(settings.pFindReplaceDlg->GetSafeHwnd()));
    EXPECT_FALSE(settings.bFindOnly);
}

} // namespace
