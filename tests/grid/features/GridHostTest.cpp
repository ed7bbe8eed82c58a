// The grid test host: its start, its commands, its dump, and the undo a user sees through its menus.
#include "tests/grid/features/GridHostTestSupport.h"
#include "tests/grid/features/GridHostProcess.h"

#include "framework/docview/SplitterWnd.h"
#include "framework/win/FrameworkIds.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "tests/tools/WindowPicture.h"

#include <algorithm>
#include <functional>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
std::string StatusText(CGridHostApp& app)
{
    return WindowText(::GetDlgItem(app.GetMainFrame()->GetSafeHwnd(), AFX_IDW_STATUS_BAR));
}

TEST_F(GridHostTest, StartsWithOneSampleInTwoTiledViewsTheFirstActive)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    EXPECT_EQ(DumpLine("rows"), "rows 20");
    EXPECT_EQ(DumpLine("cols"), "cols 6");
    EXPECT_EQ(DumpLine("cell 3 4"), "cell 3 4 \"3:4\"");
    EXPECT_EQ(DumpLine("cell 20 6"), "cell 20 6 \"20:6\"");
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
    EXPECT_EQ(DumpLine("view 1"), "view 1 pane 0 0 top 1 left 1 current none");
    EXPECT_EQ(DumpLine("view 2"), "view 2 pane 0 0 top 1 left 1 current none");
    EXPECT_EQ(DumpLine("view 3"), "");

    ASSERT_EQ(app.GetViews().size(), 2u);
    EXPECT_EQ(app.GetActiveGridView(), &View(0));
    EXPECT_EQ(View(0).GetParam(), View(1).GetParam()) << "one parameter object";
    EXPECT_EQ(View(0).GetGridId(), 59648);
    EXPECT_EQ(View(1).GetGridId(), 59648);

    // Side by side, neither covering the other.
    CRect first;
    CRect second;
    View(0).GetParentFrame()->GetWindowRect(&first);
    View(1).GetParentFrame()->GetWindowRect(&second);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(&first, &second));
    EXPECT_EQ(WindowText(app.GetMainFrame()->GetSafeHwnd()).rfind("Grid Host", 0), 0u);

    app.GetMainFrame()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPendingMessages();
    SaveWindowPicture(app.GetMainFrame()->GetSafeHwnd(), "gridhost.bmp"); // for a person to look at
}

TEST_F(GridHostTest, OptionsSetTheSampleAndTheDumpFile)
{
    app.ParseOptions("/rows 7 /cols 3 /dump \"C:\\some dir\\out.txt\"");
    EXPECT_EQ(app.m_nRows, 7u);
    EXPECT_EQ(app.m_nCols, 3u);
    EXPECT_EQ(std::string(app.m_strDumpPath), "C:\\some dir\\out.txt");
    CGridHostApp defaults;
    EXPECT_EQ(defaults.m_nRows, 20u);
    EXPECT_EQ(defaults.m_nCols, 6u);
    EXPECT_EQ(std::string(defaults.m_strDumpPath), "gridhost-dump.txt");
}

TEST_F(GridHostTest, DumpWritesTheLinesToItsFile)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 2));
    char szPath[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szPath);
    app.m_strDumpPath = std::string(szPath).append("gridhost-dump-test.txt").c_str();
    Command(ID_GRIDHOST_SETVALUE, {"1", "2", "say \"hi\"\tnow"});
    Command(ID_GRIDHOST_DUMP);
    std::ifstream file(static_cast<LPCTSTR>(app.m_strDumpPath), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("rows 3\r\ncols 2\r\nfrozen 0 0\r\nheaders 0 0\r\nundo 1 \"Cells\"\r\nredo 0 \"\"\r\n", 0), 0u);
    EXPECT_NE(text.find("cell 1 2 \"say \\\"hi\\\"\\tnow\"\r\n"), std::string::npos);
    file.close();
    std::remove(app.m_strDumpPath);
}

TEST_F(GridHostTest, AColumnWidthChangeNamesTheUndoItemAndATypedEditComesFirst)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_COLWIDTH, {"2", "90"});
    EXPECT_EQ(DumpLine("undomenu"), "undomenu \"&Undo Change Column Widths\\tCtrl+Z\" 1");
    EXPECT_EQ(DumpLine("redomenu"), "redomenu \"&Redo \\tCtrl+R\" 0");
    EXPECT_EQ(DumpLine("enabled 57643"), "enabled 57643 1");
    EXPECT_EQ(DumpLine("widths").substr(0, 18), "widths 120 120 90 ");

    // Typed into the current cell and not stored yet.
    Command(ID_GRIDHOST_GOTOCELL, {"1", "1"});
    View(0).SetFocus();
    View(0).SendMessage(WM_CHAR, 'q', 1);
    PumpPendingMessages();
    ASSERT_TRUE(View(0).IsActiveCurrentCell());
    EXPECT_EQ(DumpLine("undomenu"), "undomenu \"&Undo Current Cell\\tCtrl+Z\" 1");

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"");
    EXPECT_EQ(DumpLine("widths").substr(0, 18), "widths 120 120 90 ") << "only the edit was undone";
    EXPECT_EQ(DumpLine("undomenu"), "undomenu \"&Undo Change Column Widths\\tCtrl+Z\" 1");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("widths").substr(0, 19), "widths 120 120 120 ");
    EXPECT_EQ(DumpLine("redomenu"), "redomenu \"&Redo Change Column Widths\\tCtrl+R\" 1");
}

TEST_F(GridHostTest, RemovingTooManyRowsAsksFirst)
{
    // More rows than an undo step records; few columns and a dump without cells keep a table this
    // large quick to build and read.
    ASSERT_NO_FATAL_FAILURE(StartHost(40000, 2));
    const bool noCells = false;
    Command(ID_GRIDHOST_COLWIDTH, {"2", "90"});
    CRecordingMessageBox box;
    CScopedMessageBoxSeam scopedBox(&box);

    box.answers = {IDCANCEL};
    Command(ID_GRIDHOST_REMOVEROWS, {"1", "40000"});
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Operation is too large for the undo buffer. Do you want to continue?");
    EXPECT_EQ(DumpLine("rows", noCells), "rows 40000");
    EXPECT_EQ(DumpLine("undo ", noCells), "undo 1 \"Change Column Widths\"");

    box.answers = {IDOK};
    Command(ID_GRIDHOST_REMOVEROWS, {"1", "40000"});
    EXPECT_EQ(DumpLine("rows", noCells), "rows 0");
    EXPECT_EQ(DumpLine("undo ", noCells), "undo 0 \"\"");
    EXPECT_EQ(DumpLine("redo ", noCells), "redo 0 \"\"");
    EXPECT_EQ(DumpLine("view 2", noCells), "view 2 pane 0 0 top 1 left 1 current none");
}

TEST_F(GridHostTest, ABatchEditIsOneStepToUndoAndRedo)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_BATCHEDIT);
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Batch Edit\"");
    EXPECT_EQ(DumpLine("cell 2 2"), "cell 2 2 \"y\"");
    EXPECT_EQ(DumpLine("undomenu"), "undomenu \"&Undo Batch Edit\\tCtrl+Z\" 1");

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"");
    EXPECT_EQ(DumpLine("cell 3 3"), "cell 3 3 \"3:3\"");
    EXPECT_EQ(DumpLine("widths").substr(0, 19), "widths 120 120 120 ");
    EXPECT_EQ(DumpLine("redo "), "redo 1 \"Batch Edit\"");
    EXPECT_EQ(DumpLine("redomenu"), "redomenu \"&Redo Batch Edit\\tCtrl+R\" 1");

    Command(ID_EDIT_REDO);
    EXPECT_EQ(DumpLine("cell 3 3"), "cell 3 3 \"z\"");
    EXPECT_EQ(DumpLine("widths").substr(0, 19), "widths 120 120 100 ");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Batch Edit\"");
}

TEST_F(GridHostTest, WithUndoToggledOffNothingIsRecorded)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_TOGGLEUNDO);
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "off"});
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
    EXPECT_EQ(DumpLine("enabled 57643"), "enabled 57643 0");
    Command(ID_GRIDHOST_TOGGLEUNDO);
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "on"});
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Cells\"");
}

TEST_F(GridHostTest, ResetSampleBringsTheSampleBackWithEmptyLists)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(5, 2));
    Command(ID_GRIDHOST_INSERTROWS, {"1", "2"});
    Command(ID_GRIDHOST_SETVALUE, {"1", "1", "x"});
    Command(ID_GRIDHOST_COVERCELLS, {"2", "1", "3", "2"});
    Command(ID_GRIDHOST_RESETSAMPLE);
    EXPECT_EQ(DumpLine("covered"), "");
    CGXRange covered;
    EXPECT_FALSE(View(0).GetCoveredCellsRowCol(2, 1, covered)) << "the pool follows the list";
    EXPECT_EQ(DumpLine("rows"), "rows 5");
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"");
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
}

TEST_F(GridHostTest, SelectionCommandsFillTheSharedSelectionList)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_SELECTRANGE, {"2", "0", "4", "0"});
    Command(ID_GRIDHOST_ADDRANGE, {"0", "3", "0", "5"});
    Command(ID_GRIDHOST_ADDRANGE, {"1", "1", "2", "2"});
    Command(ID_GRIDHOST_ADDRANGE, {"0", "0", "0", "0"});
    const std::vector<std::string> dump = Dump();
    const auto first = std::find(dump.begin(), dump.end(), "selection 4");
    ASSERT_NE(first, dump.end());
    EXPECT_EQ(std::vector<std::string>(first + 1, first + 5),
              (std::vector<std::string>{"range rows 2 4", "range cols 3 5", "range cells 1 1 2 2", "range table"}));

    Command(ID_GRIDHOST_SELECTRANGE, {"3", "3", "3", "3"});
    EXPECT_EQ(DumpLine("selection"), "selection 1");
    Command(ID_GRIDHOST_CLEARSELECTION);
    EXPECT_EQ(DumpLine("selection"), "selection 0");
}

TEST_F(GridHostTest, ViewsAreActivatedByTheirNumbers)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_ACTIVATEVIEW2);
    EXPECT_EQ(app.GetActiveGridView(), &View(1));
    Command(ID_GRIDHOST_GOTOCELL, {"4", "2"});
    EXPECT_EQ(DumpLine("view 2"), "view 2 pane 0 0 top 1 left 1 current 4 2");
    EXPECT_EQ(DumpLine("view 1"), "view 1 pane 0 0 top 1 left 1 current none") << "each view has its own";
    Command(ID_GRIDHOST_ACTIVATEVIEW1);
    EXPECT_EQ(app.GetActiveGridView(), &View(0));
}

TEST_F(GridHostTest, ANewSplitWindowShowsTheGridInTwoPanesOneAboveTheOther)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_NEWSPLITWINDOW);
    ASSERT_EQ(app.GetViews().size(), 4u);
    EXPECT_EQ(DumpLine("view 3"), "view 3 pane 0 0 top 1 left 1 current none");
    EXPECT_EQ(DumpLine("view 4"), "view 4 pane 1 0 top 1 left 1 current none");
    EXPECT_EQ(View(2).GetParentFrame(), View(3).GetParentFrame());
    EXPECT_TRUE(View(3).GetParent()->IsKindOf(RUNTIME_CLASS(CSplitterWnd)));
    EXPECT_EQ(app.GetActiveGridView(), &View(2));

    Command(ID_WINDOW_NEW);
    EXPECT_EQ(app.GetViews().size(), 5u);
}

TEST_F(GridHostTest, ASlowOperationRollsBackWhenTheUserAsks)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    CManualTickClock clock;
    clock.step = 20;
    CScopedTickClock scopedClock(&clock);
    CRecordingMessageBox box;
    std::string statusWhenAsked;
    struct AskingBox : CRecordingMessageBox
    {
        std::function<void()> onShow;
        int Show(HWND hWnd, LPCTSTR pszText, LPCTSTR pszCaption, UINT nType) override
        {
            if (onShow)
                onShow();
            return CRecordingMessageBox::Show(hWnd, pszText, pszCaption, nType);
        }
    } asking;
    asking.onShow = [&] { statusWhenAsked = StatusText(app); };
    asking.answers = {IDRETRY};
    CScopedMessageBoxSeam scopedBox(&asking);

    View(0).PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Command(ID_GRIDHOST_SLOWOPERATION);
    ASSERT_EQ(asking.calls.size(), 1u);
    EXPECT_EQ(asking.calls[0].text, "Do you want to abort the operation?");
    EXPECT_EQ(statusWhenAsked.rfind("Slow operation ... ", 0), 0u) << statusWhenAsked;
    EXPECT_NE(statusWhenAsked.find("%.    Press ESC to cancel"), std::string::npos) << statusWhenAsked;
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"") << "rolled back";
    EXPECT_EQ(DumpLine("undo "), "undo 0 \"\"");
    EXPECT_EQ(StatusText(app), "Done.");
}

TEST_F(GridHostTest, ASlowOperationKeepsWhatItDidWhenAbortedWithoutRollback)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    CManualTickClock clock;
    clock.step = 20;
    CScopedTickClock scopedClock(&clock);
    CRecordingMessageBox box;
    box.answers = {IDABORT};
    CScopedMessageBoxSeam scopedBox(&box);

    View(0).PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Command(ID_GRIDHOST_SLOWOPERATION);
    ASSERT_EQ(box.calls.size(), 1u);
    const std::string cell = DumpLine("cell 1 1");
    EXPECT_EQ(cell.rfind("cell 1 1 \"slow ", 0), 0u) << cell;
    EXPECT_NE(cell, "cell 1 1 \"slow 40\"");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Slow Operation\"");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"1:1\"");
}

TEST_F(GridHostTest, ASlowOperationLeftAloneRunsToItsEnd)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    CManualTickClock clock;
    clock.step = 25;
    CScopedTickClock scopedClock(&clock);
    Command(ID_GRIDHOST_SLOWOPERATION);
    EXPECT_EQ(DumpLine("cell 1 1"), "cell 1 1 \"slow 40\"");
    EXPECT_EQ(DumpLine("undo "), "undo 1 \"Slow Operation\"");
}

TEST_F(GridHostTest, CoveredRangesAreCoveredAndUncoveredFromTheMenuAndListedInTheDump)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    Command(ID_GRIDHOST_GOTOCELL, {"3", "4"});
    Command(ID_GRIDHOST_COVERCELLS, {"2", "2", "4", "5"});
    Command(ID_GRIDHOST_COVERCELLS, {"6", "1", "7", "1"});
    EXPECT_EQ(DumpLine("covered"), "covered 2 2 4 5");
    EXPECT_EQ(DumpLine("covered 6"), "covered 6 1 7 1");
    const std::string view = DumpLine("view 1");
    EXPECT_EQ(view.substr(view.find(" current")), " current 2 2") << view;
    EXPECT_EQ(DumpLine("undomenu"), "undomenu \"&Undo Cover Cells\\tCtrl+Z\" 1");

    Command(ID_GRIDHOST_UNCOVERCELLS, {"2", "2"});
    EXPECT_EQ(DumpLine("covered"), "covered 6 1 7 1");
    Command(ID_GRIDHOST_UNCOVERCELLS, {"7", "1"});
    EXPECT_EQ(DumpLine("covered"), "covered 6 1 7 1") << "only a range's top-left cell uncovers it";
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(DumpLine("covered 2"), "covered 2 2 4 5");
}

// The spans the views worked out while painting, as the dump lists them.
std::vector<std::string> SpanLines(const std::vector<std::string>& dump)
{
    std::vector<std::string> spans;
    for (const std::string& line : dump)
        if (line.rfind("span ", 0) == 0)
            spans.push_back(line);
    return spans;
}

TEST_F(GridHostTest, MergedAndFloatingSpansFollowTheModesChosenFromTheMenu)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    CGXStyle mergeable;
    mergeable.SetMergeCell(1).SetValue("x");
    View(0).SetStyleRange(CGXRange(5, 1, 5, 3), mergeable);
    Command(ID_GRIDHOST_SETVALUE, {"9", "2", "a text long enough to float over two more columns"});
    Command(ID_GRIDHOST_SETVALUE, {"9", "3", ""});
    Command(ID_GRIDHOST_SETVALUE, {"9", "4", ""});
    Command(ID_GRIDHOST_SETVALUE, {"9", "5", ""});
    EXPECT_EQ(SpanLines(Dump()), std::vector<std::string>{});

    Command(ID_GRIDHOST_MERGEMODE, {"2"});
    Command(ID_GRIDHOST_FLOATMODE, {"2"});
    const std::vector<std::string> spans = SpanLines(Dump());
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], "span merge 5 1 5 3");
    EXPECT_EQ(spans[1].rfind("span float 9 2 9 ", 0), 0u) << spans[1];
    EXPECT_NE(spans[1], "span float 9 2 9 2");

    Command(ID_GRIDHOST_MERGEMODE, {"8"}); // horizontal merging off
    EXPECT_EQ(SpanLines(Dump()).front().rfind("span float", 0), 0u);

    // A turned font keeps the text in its cell.
    Command(ID_GRIDHOST_GOTOCELL, {"9", "2"});
    Command(ID_GRIDHOST_ROTATEFONT, {"900"});
    EXPECT_EQ(View(0).LookupStyleRowCol(9, 2).GetFont().GetOrientation(), 900);
    EXPECT_EQ(SpanLines(Dump()), std::vector<std::string>{});

    Command(ID_GRIDHOST_FLOATMODE, {"0"});
    Command(ID_GRIDHOST_ROTATEFONT, {"-900"});
    EXPECT_EQ(View(0).LookupStyleRowCol(9, 2).GetFont().GetOrientation(), 2700);
}

TEST_F(GridHostTest, RowBandedDrawingIsSwitchedOnAndOffForEveryView)
{
    ASSERT_NO_FATAL_FAILURE(StartHost());
    CGXGridParam* pParam = View(0).GetParam();
    Command(ID_GRIDHOST_ROWBANDED);
    EXPECT_TRUE(pParam->m_bRowBandedDrawing);
    EXPECT_TRUE(View(0).m_bOldDrawing);
    EXPECT_TRUE(View(1).m_bOldDrawing);
    Command(ID_GRIDHOST_ROWBANDED);
    EXPECT_FALSE(pParam->m_bRowBandedDrawing);
    EXPECT_FALSE(View(0).m_bOldDrawing);
    EXPECT_FALSE(View(1).m_bOldDrawing);
}

TEST_F(GridHostTest, AValueLongerThanFiveHundredCharactersIsStoredWhole)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(4, 2));
    std::string text;
    while (text.size() < 600)
        text += "key ";
    Command(ID_GRIDHOST_SETVALUE, {"2", "1", text});
    EXPECT_EQ(std::string(View(0).GetStoredValueRowCol(2, 1)), text);
}

TEST(GridHostProgram, RunsAsAProgramOfItsOwnAndDumpsOnCommand)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const std::string dumpPath = std::string(szTemp) + "gridhost-program-dump.txt";
    std::remove(dumpPath.c_str());
    std::string text;
    {
        CGridHostProcess host("/rows 4 /cols 2 /dump \"" + dumpPath + "\"");
        ASSERT_NE(host.Main(), nullptr);
        ::SendMessageA(host.Main(), WM_COMMAND, ID_GRIDHOST_DUMP, 0);
        std::ifstream file(dumpPath, std::ios::binary);
        text.assign((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
    std::remove(dumpPath.c_str());
    EXPECT_EQ(text.rfind("rows 4\r\ncols 2\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("cell 4 2 \"4:2\"\r\n"), std::string::npos);
}

// Keys and clicks as the system delivers a person's: to the window in front.
void PressKey(WORD nKey)
{
    INPUT keys[2] = {};
    for (INPUT& key : keys)
    {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = nKey;
        key.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(nKey, MAPVK_VK_TO_VSC));
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof keys[0]);
}

void ClickOn(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    ::SetCursorPos(x, y);
    INPUT mouse = {};
    mouse.type = INPUT_MOUSE;
    const int nWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int nHeight = ::GetSystemMetrics(SM_CYSCREEN);
    mouse.mi.dx = static_cast<LONG>((x * 65536LL + nWidth / 2) / nWidth);
    mouse.mi.dy = static_cast<LONG>((y * 65536LL + nHeight / 2) / nHeight);
    mouse.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &mouse, sizeof mouse);
    ::Sleep(30);
    mouse.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &mouse, sizeof mouse);
    ::Sleep(30);
    mouse.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &mouse, sizeof mouse);
}

// The slow operation tried as a person would: Esc asks, Ignore goes on, and the program has the
// keys again, so that the next Esc asks again.
TEST(GridHostProgram, AfterIgnoreInTheAbortQuestionTheNextEscAsksAgain)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const std::string dumpPath = std::string(szTemp) + "gridhost-program-abort.txt";
    std::remove(dumpPath.c_str());
    CGridHostProcess host("/rows 4 /cols 2 /dump \"" + dumpPath + "\"");
    const HWND hMain = host.Main();
    ASSERT_NE(hMain, nullptr);
    ::SetForegroundWindow(hMain);
    ASSERT_TRUE(CGridHostProcess::WaitFor([&] { return ::GetForegroundWindow() == hMain; }));
    const DWORD dwThread = ::GetWindowThreadProcessId(hMain, nullptr);

    ::PostMessageA(hMain, WM_COMMAND, ID_GRIDHOST_SLOWOPERATION, 0);
    ::Sleep(200);
    PressKey(VK_ESCAPE);
    HWND hQuestion = nullptr;
    ASSERT_TRUE(CGridHostProcess::WaitFor([&] { return (hQuestion = host.Question()) != nullptr; }));
    EXPECT_EQ(::GetWindow(hQuestion, GW_OWNER), hMain) << "the main frame owns the question";
    EXPECT_FALSE(::IsWindowEnabled(hMain)) << "and waits while it is asked";

    const HWND hIgnore = ::GetDlgItem(hQuestion, IDIGNORE);
    ASSERT_NE(hIgnore, nullptr);
    ClickOn(hIgnore);
    ASSERT_TRUE(CGridHostProcess::WaitFor([&] { return !::IsWindow(hQuestion); }));
    EXPECT_TRUE(::IsWindowEnabled(hMain));
    GUITHREADINFO threadInfo = {};
    threadInfo.cbSize = sizeof threadInfo;
    EXPECT_TRUE(CGridHostProcess::WaitFor([&] {
        return ::GetGUIThreadInfo(dwThread, &threadInfo) && threadInfo.hwndActive == hMain &&
               threadInfo.hwndFocus != nullptr && ::IsChild(hMain, threadInfo.hwndFocus);
    })) << "the frame is active again and a window of it has the keys";

    PressKey(VK_ESCAPE);
    HWND hSecond = nullptr;
    ASSERT_TRUE(CGridHostProcess::WaitFor([&] { return (hSecond = host.Question()) != nullptr; }, 10000))
        << "the second Esc asks again";
    ClickOn(::GetDlgItem(hSecond, IDABORT));
    ASSERT_TRUE(CGridHostProcess::WaitFor([&] { return !::IsWindow(hSecond); }));

    ::SendMessageA(hMain, WM_COMMAND, ID_GRIDHOST_DUMP, 0);
    std::ifstream file(dumpPath, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    std::remove(dumpPath.c_str());
    EXPECT_NE(text.find("cell 1 1 \"slow "), std::string::npos) << text;
    EXPECT_EQ(text.find("cell 1 1 \"slow 40\""), std::string::npos) << "aborted before its end";
}
} // namespace
