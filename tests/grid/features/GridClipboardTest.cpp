// The grid's clipboard commands, direct copy and move of cells, and clearing, as a user gives them
// through the test host's menus on the real clipboard; checked in the dump and on the clipboard.
#include "tests/grid/features/GridHostTestSupport.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/win/FrameworkIds.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/features/GridClipboardImp.h"
#include "grid/features/StyleSerializeImp.h"
#include "tests/tools/Clipboard.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

// The bytes of a clipboard format up to and with its first NUL (the whole block without one).
std::string ClipboardBytes(UINT nFormat)
{
    std::string bytes;
    if (!::OpenClipboard(nullptr))
        return bytes;
    if (HGLOBAL hData = ::GetClipboardData(nFormat))
    {
        const char* p = static_cast<const char*>(::GlobalLock(hData));
        const SIZE_T nSize = ::GlobalSize(hData);
        if (p != nullptr)
        {
            const void* pNul = std::memchr(p, 0, nSize);
            bytes.assign(p, pNul != nullptr ? static_cast<const char*>(pNul) - p + 1 : nSize);
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return bytes;
}

class GridClipboardTest : public GridHostTest
{
protected:
    void SetUp() override
    {
        AfxSetMessageBoxSeam(&box);
    }
    void TearDown() override
    {
        AfxSetMessageBoxSeam(nullptr);
        GridHostTest::TearDown();
    }

    void Select(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
    {
        Command(ID_GRIDHOST_SELECTRANGE,
                {std::to_string(nTop), std::to_string(nLeft), std::to_string(nBottom), std::to_string(nRight)});
    }
    void AddRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
    {
        Command(ID_GRIDHOST_ADDRANGE,
                {std::to_string(nTop), std::to_string(nLeft), std::to_string(nBottom), std::to_string(nRight)});
    }
    // The cell alone becomes current, nothing selected.
    void GoTo(ROWCOL nRow, ROWCOL nCol)
    {
        Command(ID_GRIDHOST_CLEARSELECTION);
        Command(ID_GRIDHOST_GOTOCELL, {std::to_string(nRow), std::to_string(nCol)});
    }
    std::string Value(ROWCOL nRow, ROWCOL nCol)
    {
        return static_cast<LPCTSTR>(View(0).GetStoredValueRowCol(nRow, nCol));
    }
    void SetText(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText) { View(0).SetValueRange(CGXRange(nRow, nCol), pszText); }
    // A fresh sample of the size, the clipboard options at their defaults and no questions recorded.
    void Reset(ROWCOL nRows, ROWCOL nCols)
    {
        if (app.m_pMainWnd == nullptr)
        {
            ASSERT_NO_FATAL_FAILURE(StartHost(nRows, nCols));
        }
        app.m_nRows = nRows;
        app.m_nCols = nCols;
        Command(ID_GRIDHOST_RESETSAMPLE);
        Command(ID_GRIDHOST_CLIPBOARDOPTIONS, {"38", "", ""});
        box.calls.clear();
        box.answers.clear();
    }
    UINT StylesFormat() { return GXGetAppData()->m_uiStylesClipboardFormat; }

    CRecordingMessageBox box;
};

TEST_F(GridClipboardTest, CopyWritesTheTextFormOfTheSelectedCells)
{
    struct Case
    {
        const char* name;
        std::vector<std::vector<ROWCOL>> ranges;
        std::string expected;
    };
    const Case cases[] = {
        {"one cell: no line end", {{1, 1, 1, 1}}, std::string("abc", 4)},
        {"one row of two cells", {{1, 1, 1, 2}}, std::string("abc\t1:2\r\n", 10)},
        {"two blocks become the rows of both",
         {{1, 1, 2, 2}, {5, 1, 6, 2}},
         std::string("abc\t1:2\r\n2:1\t2:2\r\n5:1\t5:2\r\n6:1\t6:2\r\n", 37)},
    };
    ASSERT_NO_FATAL_FAILURE(Reset(8, 4));
    SetText(1, 1, "abc");
    for (const Case& c : cases)
    {
        Select(c.ranges[0][0], c.ranges[0][1], c.ranges[0][2], c.ranges[0][3]);
        for (size_t i = 1; i < c.ranges.size(); ++i)
            AddRange(c.ranges[i][0], c.ranges[i][1], c.ranges[i][2], c.ranges[i][3]);
        Command(ID_EDIT_COPY);
        EXPECT_EQ(ClipboardBytes(CF_TEXT), c.expected) << c.name;
        EXPECT_TRUE(::IsClipboardFormatAvailable(StylesFormat())) << c.name << ": the default flags put styles too";
    }
}

TEST_F(GridClipboardTest, TabInsideACellTravelsAsBackslashTUnlessEscapesAreOn)
{
    struct Case
    {
        const char* flags;
        std::string pasted;
    };
    // Text only, so that the paste reads the text form.
    const Case cases[] = {{"8", "x\\ty"}, {"1008", "x\ty"}};
    for (const Case& c : cases)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(4, 3));
        Command(ID_GRIDHOST_CLIPBOARDOPTIONS, {c.flags, "", ""});
        EXPECT_EQ(DumpLine("clipboardflags"), std::string("clipboardflags 0x") + c.flags);
        SetText(1, 1, "x\ty");
        Select(1, 1, 1, 1);
        Command(ID_EDIT_COPY);
        EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("x\\ty", 5)) << c.flags;
        GoTo(3, 2);
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(Value(3, 2), c.pasted) << c.flags;
    }
}

TEST_F(GridClipboardTest, PastedTextFillsFromTheTargetAndGrowsTheGridUnlessForbidden)
{
    struct Case
    {
        const char* name;
        const char* flags;
        const char* pasteSeparators;
        ROWCOL nRow, nCol;
        std::string text;
        const char* rows;
        const char* cols;
        std::vector<std::pair<std::pair<ROWCOL, ROWCOL>, std::string>> cells;
    };
    const Case cases[] = {
        {"grows to 6 x 4, no seventh row", "38", "", 5, 3, "1\t2\r\n3\t4\r\n", "rows 6", "cols 4",
         {{{5, 3}, "1"}, {{5, 4}, "2"}, {{6, 3}, "3"}, {{6, 4}, "4"}}},
        {"no rows nor columns added", "638", "", 5, 3, "1\t2\r\n3\t4\r\n", "rows 5", "cols 3",
         {{{5, 3}, "1"}, {{4, 3}, "4:3"}}},
        {"TAB and semicolon end cells", "38", "\t;", 1, 1, "a;b", "rows 5", "cols 3",
         {{{1, 1}, "a"}, {{1, 2}, "b"}, {{1, 3}, "1:3"}}},
    };
    for (const Case& c : cases)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(5, 3));
        Command(ID_GRIDHOST_CLIPBOARDOPTIONS, {c.flags, "", c.pasteSeparators});
        PutText(c.text);
        GoTo(c.nRow, c.nCol);
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(DumpLine("rows"), c.rows) << c.name;
        EXPECT_EQ(DumpLine("cols"), c.cols) << c.name;
        for (const auto& cell : c.cells)
            EXPECT_EQ(Value(cell.first.first, cell.first.second), cell.second)
                << c.name << " at " << cell.first.first << "," << cell.first.second;
    }
}

TEST_F(GridClipboardTest, PasteTakesTheStyleFormatFirstAndTextOnlyWithoutIt)
{
    struct Case
    {
        const char* flags;
        BOOL bAligned;
    };
    const Case cases[] = {{"38", TRUE}, {"8", FALSE}};
    for (const Case& c : cases)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(6, 4));
        Command(ID_GRIDHOST_CLIPBOARDOPTIONS, {c.flags, "", ""});
        View(0).SetStyleRange(CGXRange(1, 1), CGXStyle().SetValue("abc").SetHorizontalAlignment(DT_RIGHT));
        Select(1, 1, 1, 1);
        Command(ID_EDIT_COPY);
        GoTo(4, 3);
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(Value(4, 3), "abc") << c.flags;
        CGXStyle style;
        View(0).GetStoredStyleRowCol(4, 3, style, gxCopy, 0);
        EXPECT_EQ(style.GetIncludeHorizontalAlignment(), c.bAligned) << c.flags;
    }
}

TEST_F(GridClipboardTest, StylePasteOfAnotherSizeAsksFirstWhenTheCheckIsOn)
{
    struct Case
    {
        int answer;
        const char* at41;
        const char* at63;
    };
    const Case cases[] = {{IDCANCEL, "4:1", "6:3"}, {IDOK, "1:1", "6:3"}};
    for (const Case& c : cases)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(8, 4));
        Command(ID_GRIDHOST_CLIPBOARDOPTIONS, {"138", "", ""});
        Select(1, 1, 2, 2);
        Command(ID_EDIT_COPY);
        box.answers.push_back(c.answer);
        Select(4, 1, 6, 3);
        Command(ID_EDIT_PASTE);
        ASSERT_EQ(box.calls.size(), 1u);
        EXPECT_EQ(box.calls[0].text, "Clipboard size is different from selected range");
        EXPECT_EQ(box.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(Value(4, 1), c.at41);
        EXPECT_EQ(Value(5, 2), c.answer == IDOK ? "2:2" : "5:2");
        EXPECT_EQ(Value(6, 3), c.at63) << "the clipboard block is 2 x 2";
    }
}

TEST_F(GridClipboardTest, PasteIntoTwoBlocksIsRefusedWithTheMultiAreaText)
{
    ASSERT_NO_FATAL_FAILURE(Reset(8, 4));
    PutText("x");
    Select(1, 1, 1, 1);
    AddRange(3, 1, 3, 1);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Pasting is not possible for multi-area selections.");
    EXPECT_EQ(Value(1, 1), "1:1");
    EXPECT_EQ(Value(3, 1), "3:1");
}

// Style data under the grid's format name that does not make a block of styles.
TEST_F(GridClipboardTest, MalformedStyleDataIsRefusedAndChangesNothing)
{
    struct Case
    {
        const char* name;
        DWORD nRows, nCols;
        int nEntries;
    };
    const Case cases[] = {
        {"3 x 3 with 4 entries", 3, 3, 4},
        {"no rows", 0, 3, 0},
        {"too many rows", 40000, 1, 1},
        {"too many cells", 32767, 32767, 1},
    };
    ASSERT_NO_FATAL_FAILURE(Reset(8, 4));
    for (const Case& c : cases)
    {
        CSharedFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << c.nRows << c.nCols;
            CObArray entries;
            for (int i = 0; i < c.nEntries; ++i)
                entries.Add(new CGXStyle(CGXStyle().SetValue("bad")));
            ar.WriteObject(&entries);
            ar.Close();
            for (int i = 0; i < c.nEntries; ++i)
                delete entries[i];
        }
        const ULONGLONG nLength = file.GetLength();
        HGLOBAL hBlock = file.Detach();
        const void* pBytes = ::GlobalLock(hBlock);
        PutOnClipboard(StylesFormat(), pBytes, static_cast<size_t>(nLength));
        ::GlobalUnlock(hBlock);
        ::GlobalFree(hBlock);

        GoTo(2, 2);
        EXPECT_FALSE(View(0).Paste()) << c.name;
        EXPECT_EQ(Value(2, 2), "2:2") << c.name;
        EXPECT_EQ(DumpLine("rows"), "rows 8") << c.name;
        EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"") << c.name;
    }
}

TEST_F(GridClipboardTest, CopyWithNothingToCopyLeavesTheClipboardAlone)
{
    ASSERT_NO_FATAL_FAILURE(Reset(4, 3));
    PutText("keep");
    Command(ID_GRIDHOST_CLEARSELECTION);
    View(0).MoveCurrentCell(GX_INVALID, GX_INVALID);
    EXPECT_FALSE(View(0).Copy());
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("keep", 5));
}

TEST_F(GridClipboardTest, DirectCutMovesTheCellsAtThePasteAndACopyForgetsIt)
{
    ASSERT_NO_FATAL_FAILURE(Reset(20, 6));
    Command(ID_GRIDHOST_DIRECTCUT);
    Select(1, 1, 2, 2);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Value(1, 1), "1:1") << "a direct cut only marks";
    EXPECT_EQ(DumpLine("cutpending"), "cutpending 1");

    Select(10, 3, 10, 3);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(DumpLine("cutpending"), "cutpending 0");
    EXPECT_EQ(Value(10, 3), "1:1");
    EXPECT_EQ(Value(11, 4), "2:2");
    EXPECT_EQ(Value(1, 1), "");
    EXPECT_EQ(Value(2, 2), "");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Move\"");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Value(1, 1), "1:1");
    EXPECT_EQ(Value(2, 2), "2:2");
    EXPECT_EQ(Value(10, 3), "10:3");

    // A copy between the cut and the paste forgets the cut: the paste copies.
    Select(1, 1, 2, 2);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(DumpLine("cutpending"), "cutpending 1");
    Command(ID_EDIT_COPY);
    EXPECT_EQ(DumpLine("cutpending"), "cutpending 0");
    Select(10, 3, 10, 3);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Value(10, 3), "1:1");
    EXPECT_EQ(Value(1, 1), "1:1") << "copied, not moved";
}

TEST_F(GridClipboardTest, DirectCopyPastesTheSameCellsAgainInTheSameGrid)
{
    ASSERT_NO_FATAL_FAILURE(Reset(20, 6));
    Command(ID_GRIDHOST_DIRECTCOPY);
    Select(1, 1, 1, 2);
    Command(ID_EDIT_COPY);
    for (ROWCOL nRow : {5, 7})
    {
        Select(nRow, 1, nRow, 1);
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(Value(nRow, 1), "1:1");
        EXPECT_EQ(Value(nRow, 2), "1:2");
        EXPECT_EQ(DumpLine("undo "), "undo " + std::to_string(nRow == 5 ? 1 : 2) + " \"Copy\"")
            << "a direct copy is one undo step";
    }
}

TEST_F(GridClipboardTest, MoveAndCopyOfOverlappingBlocksAreExactAndUndoAsOneStep)
{
    ASSERT_NO_FATAL_FAILURE(Reset(6, 4));
    Select(1, 1, 2, 2);
    Command(ID_GRIDHOST_MOVECELLSTO, {"2", "2"});
    EXPECT_EQ(Value(1, 1), "");
    EXPECT_EQ(Value(1, 2), "");
    EXPECT_EQ(Value(2, 1), "");
    EXPECT_EQ(Value(2, 2), "1:1");
    EXPECT_EQ(Value(2, 3), "1:2");
    EXPECT_EQ(Value(3, 2), "2:1");
    EXPECT_EQ(Value(3, 3), "2:2");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Move\"");
    Command(ID_EDIT_UNDO);
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
            EXPECT_EQ(Value(nRow, nCol), std::to_string(nRow) + ":" + std::to_string(nCol));

    // A block copied one row down onto itself.
    Select(1, 1, 2, 3);
    Command(ID_GRIDHOST_COPYCELLSTO, {"2", "1"});
    for (ROWCOL nCol = 1; nCol <= 3; ++nCol)
    {
        EXPECT_EQ(Value(1, nCol), "1:" + std::to_string(nCol));
        EXPECT_EQ(Value(2, nCol), "1:" + std::to_string(nCol));
        EXPECT_EQ(Value(3, nCol), "2:" + std::to_string(nCol));
    }
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Value(2, 1), "2:1");
    EXPECT_EQ(Value(3, 3), "3:3");
}

TEST_F(GridClipboardTest, ClearRemovesValuesOrStylesOfTheSelection)
{
    ASSERT_NO_FATAL_FAILURE(Reset(4, 3));
    View(0).SetStyleRange(CGXRange(1, 1), CGXStyle().SetHorizontalAlignment(DT_RIGHT));
    Select(1, 1, 2, 2);
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Value(1, 1), "");
    EXPECT_EQ(Value(2, 2), "");
    EXPECT_EQ(Value(3, 3), "3:3");
    CGXStyle style;
    ASSERT_TRUE(View(0).GetStoredStyleRowCol(1, 1, style, gxCopy, 0));
    EXPECT_TRUE(style.GetIncludeHorizontalAlignment()) << "clearing values keeps the styles";
    EXPECT_EQ(DumpLine("undo "), "undo 2 \"Clear Cells\"") << "after the alignment's own step";

    Command(ID_GRIDHOST_CLEARSTYLES);
    CGXStyle cleared;
    EXPECT_FALSE(View(0).GetStoredStyleRowCol(1, 1, cleared, gxCopy, 0));
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Value(1, 1), "1:1");
}

TEST_F(GridClipboardTest, ATextPasteThatAddsRowsReachesEveryViewAndItsScrollRange)
{
    ASSERT_NO_FATAL_FAILURE(Reset(30, 4));
    // 51 lines from row 30 on: 50 rows more.
    std::string text;
    for (int nLine = 1; nLine <= 51; ++nLine)
        text += "p" + std::to_string(nLine) + "\r\n";
    PutText(text);
    GoTo(30, 1);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(DumpLine("rows"), "rows 80");
    EXPECT_EQ(Value(80, 1), "p51");
    for (size_t nView : {0u, 1u})
    {
        const HWND hView = View(nView).GetSafeHwnd();
        SCROLLINFO pasted{sizeof(SCROLLINFO), SIF_RANGE};
        ASSERT_TRUE(::GetScrollInfo(hView, SB_VERT, &pasted)) << "view " << nView + 1;
        // The range the view would take now from its rows is the one it already has.
        View(nView).UpdateScrollbars();
        SCROLLINFO fresh{sizeof(SCROLLINFO), SIF_RANGE};
        ::GetScrollInfo(hView, SB_VERT, &fresh);
        EXPECT_EQ(pasted.nMax, fresh.nMax) << "view " << nView + 1;
        EXPECT_GT(fresh.nMax, 30) << "view " << nView + 1;

        View(nView).SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pasted.nMax), 0);
        PumpPendingMessages();
        EXPECT_GE(View(nView).GetLastVisibleRow(), 80u) << "view " << nView + 1 << " scrolls to the last row";
    }
}

// The data object of the host's grid, which hears what the grid tells it and can run out of memory
// in a direct copy or move.
class CListeningData : public CGXData
{
public:
    void OnRangeChanging(const CGXRange& range) override { changing.push_back(range); }
    void OnUpdateFlag(BOOL bFlag) override { updateFlags.push_back(bFlag); }
    BOOL CopyCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags) override
    {
        if (bOutOfMemory)
            AfxThrowMemoryException();
        return CGXData::CopyCells(range, nToRow, nToCol, nFlags);
    }
    BOOL MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                   BOOL bCreateUndoInfo) override
    {
        if (bOutOfMemory)
            AfxThrowMemoryException();
        return CGXData::MoveCells(range, nToRow, nToCol, ppUndoInfo, bCreateUndoInfo);
    }

    std::vector<CGXRange> changing;
    std::vector<BOOL> updateFlags;
    BOOL bOutOfMemory = FALSE;
};

class GridClipboardDataTest : public GridClipboardTest
{
protected:
    // The sample in a listening data object.
    void ListenTo(ROWCOL nRows, ROWCOL nCols)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(nRows, nCols));
        CGXGridParam* pParam = app.GetDocument()->GetParam();
        data = new CListeningData;
        pParam->SetData(data, TRUE);
        data->InitParam(pParam);
        ASSERT_NO_FATAL_FAILURE(Reset(nRows, nCols));
        data->changing.clear();
        data->updateFlags.clear();
    }
    CListeningData* data = nullptr;
};

TEST_F(GridClipboardDataTest, ClearTellsTheDataObjectOfEachBlockOnceUnlessItsNotificationsAreLocked)
{
    ASSERT_NO_FATAL_FAILURE(ListenTo(8, 4));
    Select(1, 1, 2, 2);
    AddRange(5, 1, 6, 2);
    Command(ID_EDIT_CLEAR);
    ASSERT_EQ(Value(6, 2), "");
    EXPECT_EQ(data->changing, (std::vector<CGXRange>{CGXRange(1, 1, 2, 2), CGXRange(5, 1, 6, 2)}));
    EXPECT_FALSE(View(0).m_bLockDataNotify) << "the lock is back as it was";

    data->changing.clear();
    View(0).m_bLockDataNotify = TRUE;
    Select(3, 3, 4, 4);
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Value(4, 4), "");
    EXPECT_TRUE(data->changing.empty()) << "a caller's lock keeps the data object quiet";
    EXPECT_TRUE(View(0).m_bLockDataNotify);
    View(0).m_bLockDataNotify = FALSE;
}

TEST_F(GridClipboardDataTest, ADirectPasteThatRunsOutOfMemorySaysRangeTooBigAndChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(ListenTo(10, 4));
    Command(ID_GRIDHOST_DIRECTCUT);
    Select(1, 1, 2, 2);
    AddRange(5, 1, 6, 2);
    Command(ID_EDIT_CUT);
    data->bOutOfMemory = TRUE;
    Select(8, 3, 8, 3);
    EXPECT_FALSE(View(0).Paste());
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Range too big.");
    EXPECT_EQ(Value(1, 1), "1:1");
    EXPECT_EQ(Value(6, 2), "6:2");
    EXPECT_EQ(Value(8, 3), "8:3");
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"") << "the half-done transaction is rolled back";

    // With memory the paste moves the cells, and the data object hears that the change is over.
    data->bOutOfMemory = FALSE;
    Select(1, 1, 2, 2);
    Command(ID_EDIT_CUT);
    Select(8, 3, 8, 3);
    data->updateFlags.clear();
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Value(8, 3), "1:1");
    EXPECT_EQ(data->updateFlags, std::vector<BOOL>{TRUE});
}

TEST_F(GridClipboardTest, ADirectPasteOfSeveralBlocksReadsThemAllBeforeWritingAny)
{
    struct Case
    {
        const char* name;
        UINT nMode;
        std::vector<std::vector<ROWCOL>> ranges;
        ROWCOL nTargetRow;
        // Rows 1 to 9 of column 1 afterwards ("" for an empty cell); column 2 follows the same rows.
        std::vector<std::string> column;
    };
    const Case cases[] = {
        {"cut rows 1-2 and 5-6 at row 4", ID_GRIDHOST_DIRECTCUT, {{1, 1, 2, 2}, {5, 1, 6, 2}}, 4,
         {"", "", "3", "1", "2", "5", "6", "8", "9"}},
        {"copy rows 1-2 and 5-6 to row 4", ID_GRIDHOST_DIRECTCOPY, {{1, 1, 2, 2}, {5, 1, 6, 2}}, 4,
         {"1", "2", "3", "1", "2", "5", "6", "8", "9"}},
        {"cut rows 3-4 and 7-8 at row 2", ID_GRIDHOST_DIRECTCUT, {{3, 1, 4, 2}, {7, 1, 8, 2}}, 2,
         {"1", "3", "4", "7", "8", "6", "", "", "9"}},
        {"cut rows 1, 3 and 5 at row 2", ID_GRIDHOST_DIRECTCUT, {{1, 1, 1, 2}, {3, 1, 3, 2}, {5, 1, 5, 2}}, 2,
         {"", "1", "3", "5", "", "6", "7", "8", "9"}},
    };
    for (const Case& c : cases)
    {
        ASSERT_NO_FATAL_FAILURE(Reset(10, 4));
        app.GetDocument()->GetParam()->m_bDirectCutPaste = FALSE;
        app.GetDocument()->GetParam()->m_bDirectCopyPaste = FALSE;
        Command(c.nMode);
        Select(c.ranges[0][0], c.ranges[0][1], c.ranges[0][2], c.ranges[0][3]);
        for (size_t i = 1; i < c.ranges.size(); ++i)
            AddRange(c.ranges[i][0], c.ranges[i][1], c.ranges[i][2], c.ranges[i][3]);
        Command(c.nMode == ID_GRIDHOST_DIRECTCUT ? ID_EDIT_CUT : ID_EDIT_COPY);
        Select(c.nTargetRow, 1, c.nTargetRow, 1);
        Command(ID_EDIT_PASTE);
        for (ROWCOL nRow = 1; nRow <= 9; ++nRow)
        {
            const std::string& row = c.column[nRow - 1];
            EXPECT_EQ(Value(nRow, 1), row.empty() ? "" : row + ":1") << c.name << ", row " << nRow;
            EXPECT_EQ(Value(nRow, 2), row.empty() ? "" : row + ":2") << c.name << ", row " << nRow;
        }
        EXPECT_EQ(Value(10, 1), "10:1") << c.name;

        // One step takes it all back.
        Command(ID_EDIT_UNDO);
        for (ROWCOL nRow = 1; nRow <= 10; ++nRow)
            EXPECT_EQ(Value(nRow, 2), std::to_string(nRow) + ":2") << c.name << ", undone, row " << nRow;
    }
}

TEST_F(GridClipboardTest, CopyingWholeColumnsOfAGridWithoutRowsIsNoErrorAndLeavesTheClipboardAlone)
{
    ASSERT_NO_FATAL_FAILURE(Reset(0, 3));
    PutText("keep");
    Select(0, 1, 0, 2);
    for (UINT nCommand : {ID_EDIT_COPY, ID_EDIT_CUT})
    {
        Command(nCommand);
        EXPECT_TRUE(box.calls.empty()) << nCommand << ": " << (box.calls.empty() ? "" : box.calls[0].text);
        EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("keep", 5)) << nCommand;
    }
}

// The style copy writes each cell's style as it goes (one pool style refilled): the bytes must
// still be those of one object array of distinct styles, null where a cell gives none.
TEST_F(GridClipboardTest, AStyleCopyWritesTheBytesOfAnArrayOfEachCellsOwnStyle)
{
    ASSERT_NO_FATAL_FAILURE(Reset(8, 4));
    CGXGridCore& grid = View(0);
    grid.SetStyleRange(CGXRange(1, 1, 2, 2), CGXStyle().SetFont(CGXFont().SetBold(TRUE).SetSize(11)));
    grid.SetStyleRange(CGXRange(2, 2), CGXStyle().SetFont(CGXFont().SetItalic(TRUE)).SetInterior(RGB(1, 2, 3)));
    grid.SetStyleRange(CGXRange(3, 1, 3, 4), CGXStyle().SetUserAttribute(1001, "first"));
    grid.SetStyleRange(CGXRange(3, 3), CGXStyle().SetUserAttribute(1002, "second").SetValue(2.5));
    CGXRangeList cleared;
    cleared.AddTail(new CGXRange(7, 4));
    grid.ClearCells(cleared, TRUE);
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(1, 1, 3, 4));
    ranges.AddTail(new CGXRange(6, 3, 7, 4));

    for (const BOOL bComposed : {TRUE, FALSE})
    {
        CMemFile copied;
        {
            CArchive ar(&copied, CArchive::store);
            ASSERT_TRUE(grid.CopyStylesToArchive(ar, ranges, bComposed));
            ar.Close();
        }
        CMemFile expected;
        {
            CArchive ar(&expected, CArchive::store);
            GXSetArchiveStylesMap(ar, grid.GetStylesMap());
            CObArray styles;
            int nNull = 0;
            // The rows and the columns of either block: 1-3 and 6-7 by 1-4.
            for (const ROWCOL nRow : {1u, 2u, 3u, 6u, 7u})
                for (ROWCOL nCol = 1; nCol <= 4; ++nCol)
                {
                    CGXStyle* pStyle = grid.NewStyle();
                    if (grid.GetStyleForCopy(nRow, nCol, *pStyle, bComposed))
                        styles.Add(pStyle);
                    else
                    {
                        delete pStyle;
                        styles.Add(nullptr);
                        ++nNull;
                    }
                }
            if (!bComposed)
                EXPECT_GT(nNull, 0) << "a cell without a stored style gives a null entry";
            ar << static_cast<DWORD>(5) << static_cast<DWORD>(4);
            ar.WriteObject(&styles);
            ar.Close();
            for (INT_PTR i = 0; i < styles.GetSize(); ++i)
                delete styles[i];
        }
        ASSERT_EQ(copied.GetLength(), expected.GetLength()) << bComposed;
        const ULONGLONG nLength = copied.GetLength();
        BYTE* pCopied = copied.Detach();
        BYTE* pExpected = expected.Detach();
        EXPECT_EQ(std::memcmp(pCopied, pExpected, static_cast<size_t>(nLength)), 0) << bComposed;
        std::free(pCopied);
        std::free(pExpected);
    }
}

} // namespace
