// The test host with a formula sheet as its document's data (/formula): values typed, pasted,
// replaced, moved and undone through a real grid window carry the formulas that follow them, as the
// dump and the grid's windows show.
#include "tests/grid/features/GestureTestSupport.h"
#include "tests/grid/features/GridHostProcess.h"

#include "framework/dialogs/FindReplaceDialog.h"
#include "framework/win/FrameworkIds.h"
#include "framework/core/Exceptions.h"
#include "grid/controls/EditControl.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/formula/FormulaSheet.h"
#include "tests/tools/Clipboard.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Where a store fails: the cell at which the controls below throw, and how often they did.
struct FailingCell
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    int nThrown = 0;
};

// The default cell control, but for the failing cell, where a store throws as one that runs out of
// memory part-way through a command does: a text through the control, or a style put back by undo.
class CFailingEditControl : public CGXEditControl
{
public:
    CFailingEditControl(CGXGridCore* pGrid, UINT nID, FailingCell& failing) : CGXEditControl(pGrid, nID), m_failing(failing)
    {
    }
    BOOL SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags, const CGXStyle* pOldStyle) override
    {
        FailAt(nRow, nCol);
        return CGXEditControl::SetControlText(nRow, nCol, text, nFlags, pOldStyle);
    }
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pComposedStyle) override
    {
        FailAt(nRow, nCol);
        return CGXEditControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle);
    }

private:
    void FailAt(ROWCOL nRow, ROWCOL nCol)
    {
        if (nRow != m_failing.nRow || nCol != m_failing.nCol)
            return;
        ++m_failing.nThrown;
        AfxThrowUserException();
    }
    FailingCell& m_failing;
};

class GridHostFormulaTest : public GestureTest
{
protected:
    void SetUp() override { AfxSetMessageBoxSeam(&box); }
    void TearDown() override
    {
        CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
        if (settings.pFindReplaceDlg != nullptr && settings.pFindReplaceDlg->GetSafeHwnd() != nullptr)
            ::SendMessageA(settings.pFindReplaceDlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
        AfxSetMessageBoxSeam(nullptr);
        GestureTest::TearDown();
    }

    // Call under ASSERT_NO_FATAL_FAILURE.
    void StartFormulaHost()
    {
        app.ParseOptions("/rows 8 /formula /cols 5");
        ASSERT_NO_FATAL_FAILURE(StartHost(app.m_nRows, app.m_nCols));
        sheet = dynamic_cast<CGXFormulaSheet*>(app.GetDocument()->GetParam()->GetData());
        ASSERT_NE(sheet, nullptr);
    }

    void GoTo(ROWCOL nRow, ROWCOL nCol) { Command(ID_GRIDHOST_GOTOCELL, {std::to_string(nRow), std::to_string(nCol)}); }
    void Select(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
    {
        Command(ID_GRIDHOST_SELECTRANGE,
                {std::to_string(nTop), std::to_string(nLeft), std::to_string(nBottom), std::to_string(nRight)});
    }
    // Keys as the keyboard gives them to the window with the focus.
    void Chars(const std::string& text)
    {
        for (char ch : text)
        {
            ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<BYTE>(ch), 1);
            PumpPendingMessages();
        }
    }
    void Enter()
    {
        ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        PumpPendingMessages();
    }
    // Typed into the cell of the active view and stored with Enter.
    void Type(ROWCOL nRow, ROWCOL nCol, const std::string& text)
    {
        GoTo(nRow, nCol);
        app.GetActiveGridView()->SetFocus();
        Chars(text);
        Enter();
    }
    // What the dump shows for the cell: its value, "" for an empty cell.
    std::string Shown(ROWCOL nRow, ROWCOL nCol)
    {
        const std::string prefix = "cell " + std::to_string(nRow) + " " + std::to_string(nCol) + " ";
        const std::string line = DumpLine(prefix);
        return line.empty() ? "" : line.substr(prefix.size() + 1, line.size() - prefix.size() - 2);
    }
    std::string Formula(ROWCOL nRow, ROWCOL nCol)
    {
        CString text;
        sheet->GetEditTextRowCol(nRow, nCol, text);
        return static_cast<LPCTSTR>(text);
    }
    // A1 holds 5, B1 "=A1*3".
    void TypeSample()
    {
        Type(1, 1, "5");
        Type(1, 2, "=A1*3");
        ASSERT_EQ(Shown(1, 2), "15");
    }
    // The sample moved from A1:B1 to D5:E5, then undone and redone from the Edit menu.
    void ExpectMovedUndoneAndRedone()
    {
        EXPECT_EQ(Shown(5, 4), "5");
        EXPECT_EQ(Shown(5, 5), "15");
        EXPECT_EQ(Formula(5, 5), "=D5*3");
        EXPECT_EQ(Shown(1, 1), "");
        EXPECT_EQ(Shown(1, 2), "");

        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Shown(1, 1), "5");
        EXPECT_EQ(Formula(1, 2), "=A1*3");
        EXPECT_EQ(Shown(1, 2), "15");
        EXPECT_EQ(Shown(5, 4), "5:4") << "what the move overwrote is back";
        EXPECT_EQ(Shown(5, 5), "5:5");

        Command(ID_EDIT_REDO);
        EXPECT_EQ(Formula(5, 5), "=D5*3");
        EXPECT_EQ(Shown(5, 5), "15");
        EXPECT_EQ(Shown(1, 1), "");
    }

    // Replace All from the current cell down its column, through the replace dialog's button.
    void ReplaceAll(const char* pszFind, const char* pszReplace)
    {
        Command(ID_EDIT_REPLACE);
        CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
        ASSERT_NE(settings.pFindReplaceDlg, nullptr);
        const HWND hDialog = settings.pFindReplaceDlg->GetSafeHwnd();
        ::SetDlgItemTextA(hDialog, 0x480, pszFind);     // the find text (edt1)
        ::SetDlgItemTextA(hDialog, 0x481, pszReplace);  // the replace text (edt2)
        PressButton(hDialog, 0x401);                    // Replace All (psh2)
        PumpPendingMessages();
    }
    // Column B's first cell filled down to the row, its fill handle dragged with the mouse; the first
    // view fills the frame so that the cells are on screen. The fill flags: 1 fills values, 2 styles.
    void FillDownFromB1(ROWCOL nToRow, const char* pszFillFlags = "1")
    {
        if (!m_bFillReady)
        {
            app.GetMainFrame()->MoveWindow(0, 0, 1270, 880);
            app.GetMainFrame()->MDIMaximize(View(0).GetParentFrame());
            Command(ID_GRIDHOST_SPREADSHEETFRAME);
            m_bFillReady = TRUE;
        }
        Command(ID_GRIDHOST_FILLOPTIONS, {pszFillFlags});
        Select(1, 2, 1, 2);
        const CRect source = Cell(1, 2);
        const CRect target = Cell(nToRow, 2);
        const CPoint to(target.CenterPoint().x, target.bottom - 2);
        Drag(CPoint(source.right - 1, source.bottom - 1), {to}, to);
        Command(ID_GRIDHOST_CLEARSELECTION);
    }
    // A1 10, A2 11; B1 =A1*2+1 (21), B2 =A2*2+1 (23); C1 =60/(B1-B2-28)+B2 (21). C1 follows both
    // cells of B, and divides by zero while B1 shows 51 and B2 still 23: a command that stores B1,
    // then B2, passes through that state on its way.
    void TypeOverFormulasSample()
    {
        Type(1, 1, "10");
        Type(2, 1, "11");
        Type(1, 2, "=A1*2+1");
        Type(2, 2, "=A2*2+1");
        Type(1, 3, "=60/(B1-B2-28)+B2");
        ASSERT_EQ(Shown(1, 3), "21");
    }
    // The commands that store over the formulas of column B, from its top.
    void PasteIntoB(const std::string& text)
    {
        PutText(text);
        Command(ID_GRIDHOST_CLEARSELECTION);
        GoTo(1, 2);
        Command(ID_EDIT_PASTE);
    }
    void ReplaceInB(const char* pszFind, const char* pszReplace)
    {
        Command(ID_GRIDHOST_CLEARSELECTION);
        GoTo(1, 2);
        ReplaceAll(pszFind, pszReplace);
    }
    void ClearB()
    {
        Select(1, 2, 8, 2);
        Command(ID_EDIT_CLEAR);
        Command(ID_GRIDHOST_CLEARSELECTION);
    }

    CGXFormulaSheet* sheet = nullptr;
    CRecordingMessageBox box;
    BOOL m_bFillReady = FALSE;
};

BOOL IsInUpdateRegion(CGXGridCore& grid, ROWCOL nRow, ROWCOL nCol)
{
    const CRect rect = grid.CalcRangeRectFromRange(CGXRange(nRow, nCol));
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(grid.GridWnd()->GetSafeHwnd(), hRegion, FALSE);
    const BOOL bIn = ::PtInRegion(hRegion, rect.CenterPoint().x, rect.CenterPoint().y);
    ::DeleteObject(hRegion);
    return bIn;
}

TEST_F(GridHostFormulaTest, TheFormulaOptionGivesTheDocumentAFormulaSheetWithTheSample)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    EXPECT_EQ(DumpLine("rows"), "rows 8");
    EXPECT_EQ(DumpLine("cols"), "cols 5");
    EXPECT_EQ(Shown(3, 4), "3:4");
    EXPECT_EQ(Formula(3, 4), "'3:4") << "the sample cells stay texts";
    // Set Value reads its text as typed.
    Command(ID_GRIDHOST_SETVALUE, {"2", "1", "4"});
    Command(ID_GRIDHOST_SETVALUE, {"2", "2", "=A2*2"});
    EXPECT_EQ(Formula(2, 2), "=A2*2");
    EXPECT_EQ(Shown(2, 2), "8");
    CGridHostApp plain;
    plain.ParseOptions("/rows 8 /cols 5");
    EXPECT_FALSE(plain.m_bFormula);
}

TEST_F(GridHostFormulaTest, ATypedValueUpdatesTheFormulasThatFollowIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    Type(1, 1, "2");
    Type(1, 2, "=A1*3");
    EXPECT_EQ(Shown(1, 2), "6");
    EXPECT_EQ(Formula(1, 2), "=A1*3");

    Type(1, 1, "5");
    EXPECT_EQ(Shown(1, 1), "5");
    EXPECT_EQ(Shown(1, 2), "15");
    // The store a typed value ends in has both views draw B1 again, without any further call.
    View(0).ValidateRect(nullptr);
    View(1).ValidateRect(nullptr);
    ASSERT_TRUE(View(0).StoreCellValueText(1, 1, "4"));
    EXPECT_TRUE(IsInUpdateRegion(View(0), 1, 2));
    EXPECT_TRUE(IsInUpdateRegion(View(1), 1, 2));
    PumpPendingMessages();
    EXPECT_EQ(Shown(1, 2), "12");

    // In manual mode the formulas wait for a forced recalculation.
    Type(1, 1, "5");
    ASSERT_TRUE(sheet->SetManualRecalc(TRUE));
    Type(1, 1, "7");
    EXPECT_EQ(Shown(1, 1), "7");
    EXPECT_EQ(Shown(1, 2), "15");
    sheet->RecalcSheet(TRUE);
    EXPECT_EQ(Shown(1, 2), "21");
}

TEST_F(GridHostFormulaTest, ADirectCutAndPasteMovesTheFormulasAndUndoPutsThemBack)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_NO_FATAL_FAILURE(TypeSample());
    Command(ID_GRIDHOST_DIRECTCUT);
    Select(1, 1, 1, 2);
    Command(ID_EDIT_CUT);
    Command(ID_GRIDHOST_CLEARSELECTION);
    GoTo(5, 4);
    Command(ID_EDIT_PASTE);
    ExpectMovedUndoneAndRedone();
}

TEST_F(GridHostFormulaTest, AMovedBlockTakesItsFormulasAlongAndUndoPutsThemBack)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_NO_FATAL_FAILURE(TypeSample());
    Select(1, 1, 1, 2);
    Command(ID_GRIDHOST_MOVECELLSTO, {"5", "4"});
    ExpectMovedUndoneAndRedone();
}

TEST_F(GridHostFormulaTest, ReplaceAllAPasteAndItsUndoUpdateTheFormulas)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_NO_FATAL_FAILURE(TypeSample());

    // Replace All of "5" by "6" from A1 down its column, through the replace dialog's button.
    GoTo(1, 1);
    ASSERT_NO_FATAL_FAILURE(ReplaceAll("5", "6"));
    EXPECT_EQ(Shown(1, 1), "6");
    EXPECT_EQ(Shown(1, 2), "18");

    // A paste of text that sets A1, and its undo.
    PutText("7");
    GoTo(1, 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shown(1, 1), "7");
    EXPECT_EQ(Shown(1, 2), "21");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Shown(1, 1), "6");
    EXPECT_EQ(Shown(1, 2), "18");
    EXPECT_TRUE(box.calls.empty());
}

TEST_F(GridHostFormulaTest, AFormulaJustStoredStaysAFormulaWhenAPasteStoresThePendingEdits)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_NO_FATAL_FAILURE(TypeSample());
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    // Enter stored B1 and left it the current cell.
    ASSERT_TRUE(View(0).GetCurrentCell(nRow, nCol));
    ASSERT_EQ(nRow, 1u);
    ASSERT_EQ(nCol, 2u);
    PutText("7");
    Select(1, 1, 1, 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Formula(1, 2), "=A1*3");
    EXPECT_EQ(Shown(1, 2), "21");
    EXPECT_EQ(DumpLine("undo "), "undo 3 \"Paste.\"") << "the paste and nothing else since the two cells";
}

TEST_F(GridHostFormulaTest, AnEvaluationErrorIsReportedOnceOrHandedToTheCaller)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    Type(1, 1, "5");
    Type(1, 2, "=1/A1");
    ASSERT_EQ(Shown(1, 2), "0.2");

    PutText("0");
    GoTo(1, 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shown(1, 2), "Error!");
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Cell B1: ERROR: divide by zero  ");
    // Later recalculations do not report it again.
    View(0).Recalc();
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Shown(1, 2), "0.2");
    EXPECT_EQ(box.calls.size(), 1u);

    // With the text asked for, no box: the caller gets the text (of a store the program made).
    ASSERT_TRUE(View(0).StoreCellValueText(1, 1, "0"));
    CString text = "before";
    View(0).Recalc(TRUE, &text, TRUE);
    EXPECT_EQ(std::string(text), "Cell B1: ERROR: divide by zero  ");
    EXPECT_EQ(box.calls.size(), 1u);
    View(0).Recalc(TRUE, &text, TRUE);
    EXPECT_EQ(std::string(text), "") << "nothing new since";
}

// The error that a typed value leads to is reported as it is stored, once: not by the paste or the
// undo that comes next.
TEST_F(GridHostFormulaTest, AnErrorOfATypedValueIsReportedAsItIsStored)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    Type(1, 1, "5");
    Type(1, 2, "=1/A1");
    ASSERT_TRUE(box.calls.empty());
    Type(1, 1, "0");
    EXPECT_EQ(Shown(1, 2), "Error!");
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Cell B1: ERROR: divide by zero  ");
    // A formula that does not parse is reported as it is typed; the cell keeps what it held.
    Type(2, 2, "=A1+");
    ASSERT_EQ(box.calls.size(), 2u);
    EXPECT_EQ(box.calls[1].text.rfind("Cell B2: ERROR: ", 0), 0u) << box.calls[1].text;
    EXPECT_EQ(Formula(2, 2), "'2:2");

    PutText("9");
    GoTo(3, 3);
    Command(ID_EDIT_PASTE);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(box.calls.size(), 2u) << box.calls.back().text;
}

// A move of a block evaluates nothing before every cell of it has arrived: no error of the cells as
// they were in between is reported, and an error of the cells where they land names the cell where
// it is now. What the block overwrote and the block come back on undo, also without a report.
TEST_F(GridHostFormulaTest, AMoveReportsOnlyAnErrorOfWhereItsCellsLand)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    Command(ID_GRIDHOST_DIRECTCUT);
    const std::function<void()> directCutAndPaste = [&] {
        Select(1, 1, 1, 2);
        Command(ID_EDIT_CUT);
        Command(ID_GRIDHOST_CLEARSELECTION);
        GoTo(5, 4);
        Command(ID_EDIT_PASTE);
    };
    const std::function<void()> moveCellsTo = [&] {
        Select(1, 1, 1, 2);
        Command(ID_GRIDHOST_MOVECELLSTO, {"5", "4"});
        Command(ID_GRIDHOST_CLEARSELECTION);
    };
    struct Case
    {
        const char* name;
        const std::function<void()>& move;
        const char* a1;
        const char* b1;
        const char* reported;  // "" for none
        const char* e5;
    } const cases[] = {
        {"direct cut and paste", directCutAndPaste, "5", "=A1*3", "", "15"},
        {"move cells to", moveCellsTo, "5", "=A1*3", "", "15"},
        // B1 reads D5, where the move puts a text.
        {"direct cut and paste onto its input", directCutAndPaste, "'x", "=D5*3", "Cell E5: ERROR: non-numeric operand  ",
         "Error!"},
        {"move cells to onto its input", moveCellsTo, "'x", "=D5*3", "Cell E5: ERROR: non-numeric operand  ",
         "Error!"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Type(5, 4, "2");
        Type(1, 1, c.a1);
        Type(1, 2, c.b1);
        box.calls.clear();
        c.move();
        EXPECT_EQ(Shown(5, 5), c.e5);
        EXPECT_EQ(Shown(1, 2), "");
        if (*c.reported == '\0')
        {
            EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
            // The moved formula follows the cell that moved with it.
            Type(5, 4, "7");
            EXPECT_EQ(Shown(5, 5), "21");
            EXPECT_TRUE(box.calls.empty());
            Command(ID_EDIT_UNDO);
        }
        else
        {
            ASSERT_EQ(box.calls.size(), 1u);
            EXPECT_EQ(box.calls[0].text, c.reported);
        }
        box.calls.clear();
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Formula(1, 2), c.b1);
        EXPECT_EQ(Formula(5, 4), "2") << "what the move overwrote is back";
        EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
    }

    // A cut without the direct move clears the block when it is cut: the formula is not evaluated
    // after its input went and before it went itself.
    Command(ID_GRIDHOST_DIRECTCUT);
    Type(1, 1, "5");
    Type(1, 2, "=A1*3");
    box.calls.clear();
    Select(1, 1, 1, 2);
    Command(ID_EDIT_CUT);
    Command(ID_GRIDHOST_CLEARSELECTION);
    GoTo(5, 4);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shown(5, 4), "5");
    EXPECT_EQ(Shown(5, 5), "15");
    EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
}

// After a store the grid redraws the cells whose values changed and no others: the stored cell and
// the formulas that follow it, in every view, whatever else the sheet holds (texts, numbers,
// formulas that do not follow it, an error, a violated constraint).
TEST_F(GridHostFormulaTest, ATypedValueRedrawsItsCellAndTheFormulasThatFollowItOnly)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_TRUE(sheet->SetConstraintCheck(TRUE));
    Type(1, 1, "2");
    Type(1, 2, "=A1*2");
    Type(2, 3, "=A1+1");
    Type(3, 1, "7");
    Type(3, 2, "=A3*10");
    Type(4, 1, "=1/0");
    Type(4, 2, "=1;A3>100");
    Type(6, 3, "=C5&\"!\"");
    ASSERT_EQ(Shown(3, 2), "70");
    GoTo(1, 1);
    for (size_t i = 0; i < 2; ++i)
    {
        View(i).UpdateWindow();
        View(i).ValidateRect(nullptr);
    }
    ASSERT_TRUE(View(0).StoreCellValueText(1, 1, "4"));
    for (size_t i = 0; i < 2; ++i)
    {
        CGXGridCore& grid = View(i);
        HRGN hExpected = ::CreateRectRgn(0, 0, 0, 0);
        for (const auto& cell : {std::make_pair(1u, 1u), std::make_pair(1u, 2u), std::make_pair(2u, 3u)})
        {
            const CRect rect = grid.CalcRangeRectFromRange(CGXRange(cell.first, cell.second));
            HRGN hCell = ::CreateRectRgnIndirect(&rect);
            ::CombineRgn(hExpected, hExpected, hCell, RGN_OR);
            ::DeleteObject(hCell);
        }
        // The window shows the part of a cell within it.
        CRect client;
        ::GetClientRect(grid.GridWnd()->GetSafeHwnd(), &client);
        HRGN hClient = ::CreateRectRgnIndirect(&client);
        ::CombineRgn(hExpected, hExpected, hClient, RGN_AND);
        ::DeleteObject(hClient);
        HRGN hUpdate = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(grid.GridWnd()->GetSafeHwnd(), hUpdate, FALSE);
        EXPECT_TRUE(::EqualRgn(hUpdate, hExpected)) << "view " << i;
        ::DeleteObject(hUpdate);
        ::DeleteObject(hExpected);
    }
    PumpPendingMessages();
    EXPECT_EQ(Shown(1, 2), "8");
    EXPECT_EQ(Shown(2, 3), "5");
}

// A paste of a block that formulas read: every formula shows what it computes from the new block,
// undo brings back what they showed before, and a constraint that the paste violates is reported once.
TEST_F(GridHostFormulaTest, APastedBlockReachesEveryFormulaThatReadsIt)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    auto pasteAtA1 = [&](const std::string& text) {
        PutText(text);
        Command(ID_GRIDHOST_CLEARSELECTION);
        GoTo(1, 1);
        Command(ID_EDIT_PASTE);
    };
    pasteAtA1("1\t2\r\n3\t4\r\n5\t6\r\n7\t8\r\n");
    for (ROWCOL nRow = 1; nRow <= 4; ++nRow)
        Type(nRow, 3, "=A" + std::to_string(nRow) + "*B" + std::to_string(nRow));
    Type(1, 4, "=A1+B4");
    Type(1, 5, "=C4-C1");
    ASSERT_TRUE(sheet->SetConstraintCheck(TRUE));
    Type(2, 4, "=1;A1<50");
    const std::vector<std::string> before = {"2", "12", "30", "56", "9", "54"};
    auto shownFormulas = [&] {
        return std::vector<std::string>{Shown(1, 3), Shown(2, 3), Shown(3, 3), Shown(4, 3), Shown(1, 4), Shown(1, 5)};
    };
    ASSERT_EQ(shownFormulas(), before);
    ASSERT_TRUE(box.calls.empty()) << box.calls.front().text;

    pasteAtA1("60\t20\r\n30\t40\r\n50\t60\r\n70\t80\r\n");
    EXPECT_EQ(shownFormulas(), (std::vector<std::string>{"1200", "1200", "3000", "5600", "140", "4400"}));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "There is 1 constraint violation!");

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(shownFormulas(), before);
    EXPECT_EQ(box.calls.size(), 1u) << box.calls.back().text;
}

TEST_F(GridHostFormulaTest, ANewFormulaIsComputedFromTheCurrentValuesOfItsInputs)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    ASSERT_EQ(sheet->GetRecalcMethod(), 0) << "values are computed when they are read";
    Type(1, 1, "2");
    Type(1, 2, "=A1*3");
    ASSERT_EQ(Shown(1, 2), "6");
    GoTo(1, 3);
    // A1 changed and recalculated; B1 not read since (nothing is drawn until C1 is stored).
    ASSERT_TRUE(sheet->StoreNumberRowCol(1, 1, 5));
    sheet->RecalcSheet(FALSE);
    View(0).SetFocus();
    Chars("=B1+1");
    Enter();
    EXPECT_EQ(Shown(1, 3), "16");
    EXPECT_EQ(Shown(1, 2), "15");
}

// Each command that stores over the formulas of a column, in a command of its own: every formula shows
// what it computes from the cells the command leaves, undo brings back the formulas and what they
// showed, and an evaluation error is reported once when the state the command leaves has it; the
// states the command passes through on its way report nothing.
TEST_F(GridHostFormulaTest, ACommandOverFormulasLeavesTheirValuesUpToDateAndUndoBringsThemBack)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    struct Case
    {
        const char* name;
        std::function<void()> command;
        const char* b1;
        const char* b2;
        const char* c1;
        const char* reported;  // "" for none
    } const cases[] = {
        {"formulas pasted over formulas", [&] { PasteIntoB("=A1*5+1\r\n=A2\r\n"); }, "51", "11", "16", ""},
        {"numbers pasted over formulas", [&] { PasteIntoB("51\r\n11\r\n"); }, "51", "11", "16", ""},
        {"numbers that leave an error", [&] { PasteIntoB("51\r\n23\r\n"); }, "51", "23", "Error!",
         "Cell C1: ERROR: divide by zero  "},
        {"Replace All in the values of formulas", [&] { ReplaceInB("2", "5"); }, "51", "53", "51", ""},
        {"Clear of a column of formulas", [&] { ClearB(); }, "", "", "Error!", "Cell C1: ERROR: non-numeric operand  "},
        {"a formula filled down over formulas", [&] { FillDownFromB1(3); }, "21", "21", "18.857142857143", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(TypeOverFormulasSample());
        box.calls.clear();
        c.command();
        EXPECT_EQ(Shown(1, 2), c.b1);
        EXPECT_EQ(Shown(2, 2), c.b2);
        EXPECT_EQ(Shown(1, 3), c.c1);
        if (*c.reported == '\0')
        {
            EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
        }
        else
        {
            ASSERT_EQ(box.calls.size(), 1u);
            EXPECT_EQ(box.calls[0].text, c.reported);
        }

        box.calls.clear();
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Formula(1, 2), "=A1*2+1");
        EXPECT_EQ(Formula(2, 2), "=A2*2+1");
        EXPECT_EQ(Formula(3, 2), "'3:2");
        EXPECT_EQ(Shown(1, 2), "21");
        EXPECT_EQ(Shown(2, 2), "23");
        EXPECT_EQ(Shown(1, 3), "21");
        EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
    }
}

// Values stored over formulas otherwise than by a paste, typing or Clear (through the programming
// interface, or by a fill that copies the styles) are undone to the formulas, not to the values the
// formulas showed.
TEST_F(GridHostFormulaTest, UndoOfValuesStoredOverFormulasBringsTheFormulasBack)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    struct Case
    {
        const char* name;
        std::function<void()> command;
        const char* b2Shown;
        const char* b2Stored;
    } const cases[] = {
        // A string stored through the interface is a text, not a number to compute with.
        {"values through the programming interface", [&] { View(0).SetValueRange(CGXRange(1, 2, 2, 2), "7"); },
         "7", "'7"},
        {"a fill of the styles", [&] { FillDownFromB1(2, "2"); }, "21", "21"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(TypeOverFormulasSample());
        c.command();
        ASSERT_EQ(Shown(2, 2), c.b2Shown);
        ASSERT_EQ(Formula(2, 2), c.b2Stored);

        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Formula(1, 2), "=A1*2+1");
        EXPECT_EQ(Formula(2, 2), "=A2*2+1");
        EXPECT_EQ(Shown(2, 2), "23");
        Type(2, 1, "12");
        EXPECT_EQ(Shown(2, 2), "25") << "B2 follows A2 again";
    }
}

// A command that fails part-way (a store throws) leaves no hold of the recalculation, no redraw lock
// and no open undo step behind: the next value stored updates the formulas that follow it and has
// them redrawn at once, in every view, and undo takes back that value alone, leaving what the command
// stored before it failed.
TEST_F(GridHostFormulaTest, ACommandThatFailsPartWayLeavesTheNextValueUpdatingItsFormulasAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartFormulaHost());
    FailingCell failing;
    const WORD nFailingControl = 0x7F00;
    for (size_t i = 0; i < app.GetViews().size(); ++i)
        View(i).RegisterControl(nFailingControl, new CFailingEditControl(&View(i), 0x7F00 + UINT(i), failing));
    CGXStyle failingControl;
    failingControl.SetControl(nFailingControl);
    ASSERT_TRUE(View(0).SetStyleRange(CGXRange(1, 2, 3, 2), &failingControl, gxOverride));
    Type(6, 1, "5");
    Type(6, 3, "=A6*3");

    struct Case
    {
        const char* name;
        std::function<void()> command;
        ROWCOL nFailingRow;
        ROWCOL nStoredRow;  // a cell of column B stored before the failure, 0 for none to check
        const char* stored;
    } const cases[] = {
        {"formulas pasted", [&] { PasteIntoB("=A1*5+1\r\n=A2\r\n"); }, 2, 1, "51"},
        {"numbers pasted", [&] { PasteIntoB("51\r\n11\r\n"); }, 2, 1, "51"},
        {"Replace All", [&] { ReplaceInB("2", "5"); }, 2, 1, "51"},
        {"Clear", [&] { ClearB(); }, 2, 1, ""},
        {"fill", [&] { FillDownFromB1(3); }, 3, 2, "21"},
        {"undo of a paste",
         [&] {
             const FailingCell later = failing;
             failing = FailingCell{};
             PasteIntoB("51\r\n11\r\n");
             failing = later;
             Command(ID_EDIT_UNDO);
         },
         2, 0, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(TypeOverFormulasSample());
        // Nothing reads column B: what the command leaves there reports no error.
        Type(1, 3, "'none");
        Type(6, 1, "5");
        box.calls.clear();
        failing = FailingCell{c.nFailingRow, 2, 0};
        c.command();
        const int nThrown = failing.nThrown;
        failing = FailingCell{};
        ASSERT_EQ(nThrown, 1) << "the command failed at the cell";
        if (c.nStoredRow != 0)
        {
            EXPECT_EQ(Shown(c.nStoredRow, 2), c.stored);
        }

        for (size_t i = 0; i < 2; ++i)
        {
            View(i).UpdateWindow();
            View(i).ValidateRect(nullptr);
        }
        ASSERT_TRUE(View(0).StoreCellValueText(6, 1, "7"));
        EXPECT_TRUE(IsInUpdateRegion(View(0), 6, 3));
        EXPECT_TRUE(IsInUpdateRegion(View(1), 6, 3));
        PumpPendingMessages();
        EXPECT_EQ(Shown(6, 3), "21");

        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Shown(6, 1), "5");
        EXPECT_EQ(Shown(6, 3), "15");
        if (c.nStoredRow != 0)
        {
            EXPECT_EQ(Shown(c.nStoredRow, 2), c.stored) << "only the value stored after the failure is taken back";
        }
        EXPECT_TRUE(box.calls.empty()) << box.calls.front().text;
    }
}

} // namespace

namespace
{
// The host as a program of its own, driven from outside as a person drives it: commands chosen from
// its menu with their values dialog answered, keys into the window that has the focus, and its dump.
class HostProgram
{
public:
    ~HostProgram()
    {
        m_pHost.reset();
        if (!m_dumpPath.empty())
            std::remove(m_dumpPath.c_str());
    }

    // Call under ASSERT_NO_FATAL_FAILURE.
    void Start(const std::string& options)
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_dumpPath = std::string(szTemp) + "gridhost-formula-dump.txt";
        m_pHost = std::make_unique<CGridHostProcess>(options + " /dump \"" + m_dumpPath + "\"");
        ASSERT_NE(m_pHost->Main(), nullptr);
    }

    // The command as its menu item gives it; its values dialog gets the values and OK.
    void Command(UINT nID, LPCTSTR pszDialog, const std::vector<std::string>& values)
    {
        ::PostMessageA(m_pHost->Main(), WM_COMMAND, nID, 0);
        const HWND hDialog = WaitForWindow(pszDialog);
        ASSERT_NE(hDialog, nullptr) << pszDialog;
        for (size_t i = 0; i < values.size(); ++i)
            ::SetDlgItemTextA(hDialog, IDC_GRIDHOST_VALUE1 + static_cast<int>(i), values[i].c_str());
        PressButton(hDialog, IDOK);
        for (int i = 0; i < 400 && ::IsWindow(hDialog); ++i)
            ::Sleep(25);
    }

    // Typed into the focused window of the host and stored with Enter.
    void Type(const std::string& text)
    {
        for (char ch : text)
            ::SendMessageA(Focus(), WM_CHAR, static_cast<BYTE>(ch), 1);
        ::SendMessageA(Focus(), WM_KEYDOWN, VK_RETURN, 1);
    }

    std::string Dump()
    {
        ::SendMessageA(m_pHost->Main(), WM_COMMAND, ID_GRIDHOST_DUMP, 0);
        std::ifstream file(m_dumpPath, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }

private:
    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        for (int i = 0; i < 400; ++i)
        {
            if (::GetGUIThreadInfo(m_pHost->ThreadId(), &info) && info.hwndFocus != nullptr)
                return info.hwndFocus;
            ::Sleep(25);
        }
        return nullptr;
    }

    // A visible top-level window of the host whose title begins with the text.
    HWND WaitForWindow(const std::string& title) const
    {
        HWND hFound = nullptr;
        CGridHostProcess::WaitFor([&] {
            for (HWND hWnd : m_pHost->TopWindows())
                if (WindowText(hWnd).rfind(title, 0) == 0)
                    hFound = hWnd;
            return hFound != nullptr;
        }, 10000);
        return hFound;
    }

    std::unique_ptr<CGridHostProcess> m_pHost;
    std::string m_dumpPath;
};

TEST(GridHostFormulaProgram, KeysTypedIntoTheProgramReachItsFormulaSheet)
{
    HostProgram host;
    ASSERT_NO_FATAL_FAILURE(host.Start("/formula /rows 4 /cols 3"));
    ASSERT_NO_FATAL_FAILURE(host.Command(ID_GRIDHOST_GOTOCELL, "Go To Cell", {"1", "1"}));
    host.Type("2");
    ASSERT_NO_FATAL_FAILURE(host.Command(ID_GRIDHOST_GOTOCELL, "Go To Cell", {"1", "2"}));
    host.Type("=A1*3");
    std::string text = host.Dump();
    EXPECT_NE(text.find("cell 1 2 \"6\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("cell 4 3 \"4:3\"\r\n"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(host.Command(ID_GRIDHOST_GOTOCELL, "Go To Cell", {"1", "1"}));
    host.Type("5");
    text = host.Dump();
    EXPECT_NE(text.find("cell 1 2 \"15\"\r\n"), std::string::npos) << text;
}
} // namespace
