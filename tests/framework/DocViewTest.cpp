// Documents, views, templates and MDI frames working together: new documents and their numbers,
// window numbering, updates between views, command routing, menus and closing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/core/File.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/docview/RecentFileList.h"
#include "framework/ole/OleAppLock.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/Menu.h"
#include "framework/win/SeamRecorders.h"
#include "tests/framework/DocViewTestSupport.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// The text of the menu item with the command id, or "" when the menu has none.
std::string MenuItemText(HMENU hMenu, UINT nID)
{
    char text[256] = {};
    return ::GetMenuStringA(hMenu, nID, text, sizeof text, MF_BYCOMMAND) > 0 ? text : "";
}

// The pop-up of a menu bar whose title is given.
HMENU PopupTitled(HMENU hMenuBar, const char* title)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenuBar); ++i)
    {
        char text[64] = {};
        ::GetMenuStringA(hMenuBar, (UINT)i, text, sizeof text, MF_BYPOSITION);
        if (std::string(text) == title)
            return ::GetSubMenu(hMenuBar, i);
    }
    return nullptr;
}

std::vector<std::string> PopupItemTexts(HMENU hPopup)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(hPopup); ++i)
    {
        char text[256] = {};
        ::GetMenuStringA(hPopup, (UINT)i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

bool IsGrayed(HMENU hMenu, UINT nID)
{
    return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

using DocumentsAndViews = MdiProgramTest;

TEST_F(DocumentsAndViews, TwoFileNewGiveDoc1AndDoc2AndTheCaptionNamesTheActiveOne)
{
    NewDocument();
    NewDocument();
    std::vector<CTestDoc*> docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_STREQ(docs[0]->GetTitle(), "Doc1");
    EXPECT_STREQ(docs[1]->GetTitle(), "Doc2");
    EXPECT_EQ(CaptionOf(FrameOf(Views(docs[0])[0])), "Doc1");
    EXPECT_EQ(CaptionOf(FrameOf(Views(docs[1])[0])), "Doc2");
    EXPECT_EQ(pMainFrame->MDIGetActive(), FrameOf(Views(docs[1])[0]));
    EXPECT_EQ(CaptionOf(pMainFrame), "Test - Doc2");
    // Each view was told once that its frame is complete.
    EXPECT_EQ(Views(docs[0])[0]->initialUpdates, 1);
}

TEST_F(DocumentsAndViews, TheDocumentStringsNameNewDocumentsWithoutAFailedOnesNumber)
{
    auto* pFennic = new CMultiDocTemplate(IDR_FENNIC_STRINGS, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                                          RUNTIME_CLASS(CTestView));
    app.AddDocTemplate(pFennic);
    const struct
    {
        CDocTemplate::DocStringIndex index;
        const char* text;
        BOOL bPresent;
    } fields[] = {
        {CDocTemplate::windowTitle, "", FALSE},
        {CDocTemplate::docName, "Fennic", TRUE},
        {CDocTemplate::fileNewName, "Fennic", TRUE},
        {CDocTemplate::filterName, "", FALSE},
        {CDocTemplate::filterExt, "", FALSE},
        {CDocTemplate::regFileTypeId, "Fennick.Document", TRUE},
        {CDocTemplate::regFileTypeName, "Fennic Document", TRUE},
    };
    for (const auto& field : fields)
    {
        CString text("stale");
        EXPECT_EQ(pFennic->GetDocString(text, field.index), field.bPresent) << field.text;
        EXPECT_STREQ(text, field.text);
    }

    CDocument* pFirst = pFennic->OpenDocumentFile(nullptr);
    CTestDoc::s_bRefuseNew = true;
    EXPECT_EQ(pFennic->OpenDocumentFile(nullptr), nullptr);
    CTestDoc::s_bRefuseNew = false;
    CDocument* pSecond = pFennic->OpenDocumentFile(nullptr);
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_STREQ(pFirst->GetTitle(), "Fennic1");
    EXPECT_STREQ(pSecond->GetTitle(), "Fennic2");
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
}

TEST_F(DocumentsAndViews, ARefusedNewDocumentLeavesNoWindowBehind)
{
    CTestDoc::s_bRefuseNew = true;
    app.OnFileNew();
    PumpPendingMessages();
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_EQ(pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(pMainFrame->m_hWnd), pMainFrame->GetDefaultMenu());
    EXPECT_EQ(CaptionOf(pMainFrame), "Test");
}

TEST_F(DocumentsAndViews, NewWindowNumbersTheWindowsOfOneDocument)
{
    CTestDoc* pDoc1 = NewDocument();
    CTestDoc* pDoc2 = NewDocument();
    pMainFrame->MDIActivate(FrameOf(Views(pDoc1)[0]));
    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    PumpPendingMessages();

    std::vector<CTestView*> views = Views(pDoc1);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(CaptionOf(FrameOf(views[0])), "Doc1:1");
    EXPECT_EQ(CaptionOf(FrameOf(views[1])), "Doc1:2");
    EXPECT_EQ(CaptionOf(FrameOf(Views(pDoc2)[0])), "Doc2");
    EXPECT_EQ(pMainFrame->MDIGetActive(), FrameOf(views[1]));
    EXPECT_EQ(CaptionOf(pMainFrame), "Test - Doc1");

    // Closing one of the two leaves the document with one window, no longer numbered.
    FrameOf(views[1])->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    ASSERT_EQ(Views(pDoc1).size(), 1u);
    EXPECT_EQ(CaptionOf(FrameOf(Views(pDoc1)[0])), "Doc1");
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
}

TEST_F(DocumentsAndViews, ClosingTheLastViewClosesTheDocument)
{
    CTestDoc* pDoc = NewDocument();
    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    PumpPendingMessages();
    std::vector<CTestView*> views = Views(pDoc);
    ASSERT_EQ(views.size(), 2u);
    CMDIChildWnd* pFirstFrame = FrameOf(views[0]);
    CMDIChildWnd* pSecondFrame = FrameOf(views[1]);

    pFirstFrame->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(CTestDoc::s_nAlive, 1);
    pSecondFrame->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(CaptionOf(pMainFrame), "Test");
}

TEST_F(DocumentsAndViews, UpdateAllViewsReachesTheOtherViewsButNotTheSender)
{
    CTestDoc* pDoc = NewDocument();
    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    std::vector<CTestView*> views = Views(pDoc);
    ASSERT_EQ(views.size(), 3u);
    CTestDoc hint;   // any object serves as the hint

    pDoc->UpdateAllViews(views[1], 7, &hint);

    EXPECT_TRUE(views[1]->updates.empty());
    for (CTestView* pView : {views[0], views[2]})
    {
        ASSERT_EQ(pView->updates.size(), 1u);
        EXPECT_EQ(pView->updates[0].pSender, views[1]);
        EXPECT_EQ(pView->updates[0].lHint, 7);
        EXPECT_EQ(pView->updates[0].pHint, &hint);
    }
}

TEST_F(DocumentsAndViews, CommandsGoToTheViewThenDocumentThenFramesThenApplication)
{
    NewDocument();
    // Handlers: view (view, shared), document (doc, doc+frame, shared), child frame (doc+frame,
    // frame, shared), main frame (frame, main, shared), application (main, app, shared).
    const struct
    {
        UINT nID;
        const char* handler;
    } commands[] = {
        {ID_TEST_VIEW_CMD, "view"},   {ID_TEST_SHARED_CMD, "view"}, {ID_TEST_DOC_CMD, "doc"},
        {ID_TEST_DOCFRAME_CMD, "doc"}, {ID_TEST_FRAME_CMD, "child"}, {ID_TEST_MAIN_CMD, "main"},
        {ID_TEST_APP_CMD, "app"},
    };
    for (const auto& command : commands)
    {
        RoutingLog().clear();
        pMainFrame->SendMessage(WM_COMMAND, command.nID);
        ASSERT_EQ(RoutingLog().size(), 1u) << command.nID;
        EXPECT_EQ(RoutingLog()[0], command.handler) << command.nID;
    }
}

TEST_F(DocumentsAndViews, ADocumentOnlyCommandRunsFromTheView)
{
    CTestDoc* pDoc = NewDocument();
    CTestView* pView = Views(pDoc)[0];
    pView->SendMessage(WM_COMMAND, ID_TEST_DOC_CMD);
    ASSERT_EQ(RoutingLog().size(), 1u);
    EXPECT_EQ(RoutingLog()[0], "doc");
}

TEST_F(DocumentsAndViews, TheTemplateMenuShowsWhileADocumentIsActiveWithTheWindowList)
{
    EXPECT_EQ(::GetMenu(pMainFrame->m_hWnd), pMainFrame->GetDefaultMenu());
    CTestDoc* pDoc1 = NewDocument();
    NewDocument();
    HMENU hMenu = ::GetMenu(pMainFrame->m_hWnd);
    ASSERT_EQ(hMenu, pTemplate->m_hMenuShared);
    HMENU hWindowMenu = PopupTitled(hMenu, "&Window");
    ASSERT_NE(hWindowMenu, nullptr);
    std::vector<std::string> items = PopupItemTexts(hWindowMenu);
    ASSERT_GE(items.size(), 6u);
    EXPECT_EQ(items[items.size() - 2], "&1 Doc1");
    EXPECT_EQ(items[items.size() - 1], "&2 Doc2");

    // Every document closed: the frame's own menu again.
    for (CTestDoc* pDoc : Documents())
        pDoc->OnCloseDocument();
    PumpPendingMessages();
    (void)pDoc1;
    EXPECT_EQ(::GetMenu(pMainFrame->m_hWnd), pMainFrame->GetDefaultMenu());
}

TEST_F(DocumentsAndViews, TheWindowCommandsCascadeAndTileTheDocumentWindows)
{
    CTestDoc* pDoc1 = NewDocument();
    CTestDoc* pDoc2 = NewDocument();
    auto rectOf = [&](CTestDoc* pDoc) {
        CRect rect;
        FrameOf(Views(pDoc)[0])->GetWindowRect(&rect);
        return rect;
    };
    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    CRect first = rectOf(pDoc1);
    CRect second = rectOf(pDoc2);
    CRect both;
    EXPECT_FALSE(both.IntersectRect(&first, &second)) << "tiled windows do not overlap";

    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    first = rectOf(pDoc1);
    second = rectOf(pDoc2);
    EXPECT_NE(first.TopLeft(), second.TopLeft());
    EXPECT_TRUE(both.IntersectRect(&first, &second)) << "cascaded windows overlap";

    pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_ARRANGE);   // no icons to arrange: nothing moves
    EXPECT_EQ(rectOf(pDoc1), first);
}

TEST_F(DocumentsAndViews, MenuItemsWithoutAHandlerAreGreyedWhenTheirMenuOpens)
{
    NewDocument();
    HMENU hEdit = PopupTitled(pTemplate->m_hMenuShared, "&Edit");
    ASSERT_NE(hEdit, nullptr);
    pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(IsGrayed(hEdit, ID_TEST_UNHANDLED_CMD));
    for (UINT nID : {ID_TEST_VIEW_CMD, ID_TEST_DOC_CMD, ID_TEST_MAIN_CMD, ID_TEST_APP_CMD})
        EXPECT_FALSE(IsGrayed(hEdit, nID)) << nID;

    HMENU hWindow = PopupTitled(pTemplate->m_hMenuShared, "&Window");
    pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hWindow), MAKELPARAM(2, FALSE));
    for (UINT nID : {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE})
        EXPECT_FALSE(IsGrayed(hWindow, nID)) << nID;
    // The list of windows is the system's, never greyed for want of a handler.
    EXPECT_FALSE(IsGrayed(hWindow, AFX_IDM_FIRST_MDICHILD));
}

TEST_F(DocumentsAndViews, TheDocumentsAcceleratorsWorkWhileItIsActive)
{
    CTestDoc* pDoc = NewDocument();
    MSG msg = {};
    msg.hwnd = Views(pDoc)[0]->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'D';
    // Ctrl held: the accelerator table reads the key state.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    BOOL bTranslated = app.PreTranslateMessage(&msg);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(bTranslated);
    ASSERT_EQ(RoutingLog().size(), 1u);
    EXPECT_EQ(RoutingLog()[0], "doc");
}

TEST_F(DocumentsAndViews, ClosingTheMainFrameAsksForUnsavedChangesAndClosesEverything)
{
    CTestDoc* pDoc = NewDocument();
    NewDocument();
    pDoc->SetModifiedFlag();
    CRecordingMessageBox box;
    box.answers = {IDCANCEL, IDNO};
    CScopedMessageBoxSeam seam(&box);

    pMainFrame->SendMessage(WM_CLOSE);   // Cancel: nothing closes
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Save changes to Doc1?");
    EXPECT_EQ(box.calls[0].nType & 0xF, (UINT)MB_YESNOCANCEL);
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
    ASSERT_NE(app.m_pMainWnd, nullptr);

    pMainFrame->SendMessage(WM_CLOSE);   // No: the changes are dropped
    PumpPendingMessages();
    EXPECT_EQ(box.calls.size(), 2u);
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(DocumentsAndViews, AMainFrameClosedWhileAutomationObjectsLiveHidesAndClosesAtTheLastRelease)
{
    NewDocument();
    AfxOleLockApp();   // an object a client holds
    pMainFrame->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(CTestDoc::s_nAlive, 0);   // the user's documents are closed
    ASSERT_EQ(app.m_pMainWnd, pMainFrame);
    EXPECT_TRUE(::IsWindow(pMainFrame->m_hWnd));
    EXPECT_FALSE(pMainFrame->IsWindowVisible());
    EXPECT_FALSE(AfxOleGetUserCtrl());

    AfxOleUnlockApp();   // the client lets go: the program's window closes
    PumpPendingMessages();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    AfxOleSetUserCtrl(TRUE);
}

class DocumentFiles : public MdiProgramTest
{
protected:
    CString path;
    void SetUp() override
    {
        MdiProgramTest::SetUp();
        char folder[MAX_PATH] = {};
        ::GetTempPathA(sizeof folder, folder);
        path = CString(folder) + "docview sample.tdc";
    }
    void TearDown() override
    {
        MdiProgramTest::TearDown();
        ::DeleteFileA(path);
    }
};

TEST_F(DocumentFiles, ASavedDocumentOpensAgainWithItsFileNameAsTitle)
{
    CTestDoc* pDoc = NewDocument();
    pDoc->m_strData = "gradation";
    pDoc->SetModifiedFlag();
    ASSERT_TRUE(pDoc->DoSave(path));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(pDoc->GetTitle(), "docview sample.tdc");
    pDoc->OnCloseDocument();
    PumpPendingMessages();

    auto* pOpened = dynamic_cast<CTestDoc*>(app.OpenDocumentFile(path));
    ASSERT_NE(pOpened, nullptr);
    EXPECT_STREQ(pOpened->m_strData, "gradation");
    EXPECT_STREQ(pOpened->GetTitle(), "docview sample.tdc");
    EXPECT_EQ(pOpened->GetPathName().CompareNoCase(path), 0);
    EXPECT_EQ(CaptionOf(pMainFrame), "Test - docview sample.tdc");
    // The same file again is the document already open.
    EXPECT_EQ(app.OpenDocumentFile(path), pOpened);
    EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(DocumentFiles, SaveAndOpenAskForTheFileWithTheTemplatesFilter)
{
    // The file dialogs answered with the sample's path; what they were shown is kept.
    std::vector<std::string> titles;
    std::vector<std::string> filters;
    std::vector<std::string> proposedNames;
    CFunctionModalHook hook;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
        if (pFile == nullptr)
            return FALSE;
        titles.push_back(pFile->m_ofn.lpstrTitle != nullptr ? pFile->m_ofn.lpstrTitle : "");
        std::string filter;
        for (LPCTSTR p = pFile->m_ofn.lpstrFilter; p != nullptr && *p != '\0'; p += lstrlenA(p) + 1)
            filter += std::string(p) + "|";
        filters.push_back(filter);
        proposedNames.push_back(pFile->m_ofn.lpstrFile);
        lstrcpynA(pFile->m_ofn.lpstrFile, path, (int)pFile->m_ofn.nMaxFile);
        nResult = IDOK;
        return TRUE;
    };
    CScopedModalHook seam(&hook);

    CTestDoc* pDoc = NewDocument();
    pDoc->m_strData = "separator";
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);   // no file yet: Save As
    EXPECT_STREQ(pDoc->GetTitle(), "docview sample.tdc");
    pDoc->OnCloseDocument();
    app.OnFileOpen();
    PumpPendingMessages();

    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "Save As");
    EXPECT_EQ(titles[1], "Open");
    EXPECT_EQ(filters[0], "Test Files (*.tdc)|*.tdc|All Files (*.*)|*.*|");
    EXPECT_EQ(proposedNames[0], "Doc1.tdc");
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_STREQ(Documents()[0]->m_strData, "separator");
}

TEST_F(DocumentFiles, AFileThatCannotBeReadIsReportedAndLeavesNoWindow)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    EXPECT_EQ(app.OpenDocumentFile(path), nullptr);   // there is no such file
    PumpPendingMessages();
    EXPECT_EQ(box.calls.size(), 1u);
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(pMainFrame->MDIGetActive(), nullptr);

    // A file that is not one of ours: the archive's complaint, and still nothing left open.
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write("\xff\xff\xff", 3);
    file.Close();
    box.calls.clear();
    EXPECT_EQ(app.OpenDocumentFile(path), nullptr);
    PumpPendingMessages();
    EXPECT_EQ(box.calls.size(), 1u);
    EXPECT_TRUE(Documents().empty());
}

TEST_F(DocumentFiles, OpenedFilesFillTheRecentFileListInTheMenu)
{
    app.SetRegistryKey("QuarrowFrameworkTests");
    app.LoadStdProfileSettings(4);
    HMENU hFile = PopupTitled(pMainFrame->GetDefaultMenu(), "&File");
    ASSERT_NE(hFile, nullptr);
    pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    EXPECT_EQ(MenuItemText(hFile, ID_FILE_MRU_FILE1), "Recent File");
    EXPECT_TRUE(IsGrayed(hFile, ID_FILE_MRU_FILE1));

    app.AddToRecentFileList("C:\\plots\\first.tdc");
    app.AddToRecentFileList("C:\\plots\\second.tdc");
    app.AddToRecentFileList("C:\\plots\\first.tdc");   // again: to the front
    pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    EXPECT_EQ(MenuItemText(hFile, ID_FILE_MRU_FILE1), "&1 C:\\plots\\first.tdc");
    EXPECT_EQ(MenuItemText(hFile, ID_FILE_MRU_FILE1 + 1), "&2 C:\\plots\\second.tdc");
    EXPECT_EQ(MenuItemText(hFile, ID_FILE_MRU_FILE1 + 2), "");
    EXPECT_FALSE(IsGrayed(hFile, ID_FILE_MRU_FILE1));

    // A recent file that is gone leaves the list when chosen.
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    EXPECT_STREQ((*app.m_pRecentFileList)[0], "C:\\plots\\second.tdc");

    app.SaveStdProfileSettings();
    EXPECT_STREQ(app.GetProfileString("Recent File List", "File1"), "C:\\plots\\second.tdc");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuarrowFrameworkTests");
}

TEST(RecentFileList, LongPathsAreShortenedInTheMiddle)
{
    CRecentFileList list(0, "Recent File List", "File%d", 4, 30);
    list.Add("C:\\Program Files\\Norrith\\Quarrow\\GradFiles\\base course.sgd");
    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, nullptr, 0));
    EXPECT_STREQ(name, "C:\\...\\base course.sgd");
    EXPECT_LE(name.GetLength(), 30);
    const char folder[] = "C:\\Program Files\\Norrith\\Quarrow\\GradFiles";
    ASSERT_TRUE(list.GetDisplayName(name, 0, folder, (int)strlen(folder)));
    EXPECT_STREQ(name, "base course.sgd");
    EXPECT_FALSE(list.GetDisplayName(name, 1, nullptr, 0));
}

// ---- The command line ----

TEST(CommandLine, FlagsAndAFileNameChooseTheShellCommand)
{
    const struct
    {
        const char* commandLine;
        int nShellCommand;
        BOOL bEmbedded;
        BOOL bAutomated;
        const char* fileName;
    } cases[] = {
        {"", CCommandLineInfo::FileNew, FALSE, FALSE, ""},
        {"-Embedding", CCommandLineInfo::FileNothing, TRUE, FALSE, ""},
        {"/Automation", CCommandLineInfo::FileNothing, FALSE, TRUE, ""},
        {"-embedding", CCommandLineInfo::FileNothing, TRUE, FALSE, ""},
        {"plot.tdc", CCommandLineInfo::FileOpen, FALSE, FALSE, "plot.tdc"},
        {"  \"C:\\My Plots\\plot one.tdc\"  ", CCommandLineInfo::FileOpen, FALSE, FALSE, "C:\\My Plots\\plot one.tdc"},
        {"-Unknown", CCommandLineInfo::FileNew, FALSE, FALSE, ""},
    };
    for (const auto& c : cases)
    {
        CWinApp app("CommandLine");
        std::string line = c.commandLine;
        app.m_lpCmdLine = line.data();
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.nShellCommand) << c.commandLine;
        EXPECT_EQ(info.m_bRunEmbedded, c.bEmbedded) << c.commandLine;
        EXPECT_EQ(info.m_bRunAutomated, c.bAutomated) << c.commandLine;
        EXPECT_STREQ(info.m_strFileName, c.fileName) << c.commandLine;
    }
}

TEST_F(DocumentsAndViews, ARefusedNewDocumentAtStartIsNoFailure)
{
    CTestDoc::s_bRefuseNew = true;
    CCommandLineInfo info;
    EXPECT_TRUE(app.ProcessShellCommand(info));
    EXPECT_TRUE(Documents().empty());

    CTestDoc::s_bRefuseNew = false;
    EXPECT_TRUE(app.ProcessShellCommand(info));
    EXPECT_EQ(Documents().size(), 1u);

    CCommandLineInfo automation;
    automation.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(automation));
    EXPECT_EQ(Documents().size(), 1u);
}

// ---- The thread and the wait cursor ----

TEST(WinThread, TheApplicationIsTheThreadAndPumpsItsMessages)
{
    CWinApp app("Thread");
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_EQ(AfxGetThread()->m_nThreadID, ::GetCurrentThreadId());

    PumpPendingMessages();
    static int s_nDispatched = 0;
    s_nDispatched = 0;
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    auto pfnOld = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_APP + 5)
                ++s_nDispatched;
            return ::DefWindowProcA(h, m, w, l);
        })));
    (void)pfnOld;
    ::PostMessageA(hWnd, WM_APP + 5, 0, 0);
    EXPECT_TRUE(AfxGetThread()->PumpMessage());
    EXPECT_EQ(s_nDispatched, 1);
    ::DestroyWindow(hWnd);
}

TEST(WaitCursor, NestedBeginsNeedAsManyEnds)
{
    CWinApp app("Wait");
    HCURSOR hArrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    HCURSOR hWait = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
    ::SetCursor(hArrow);
    app.BeginWaitCursor();
    {
        CWaitCursor wait;
        EXPECT_EQ(app.m_nWaitCursorCount, 2);
        EXPECT_EQ(::GetCursor(), hWait);
    }
    EXPECT_EQ(::GetCursor(), hWait);
    app.EndWaitCursor();
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
    EXPECT_EQ(::GetCursor(), hArrow);
    app.EndWaitCursor();   // one end too many changes nothing
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
}

} // namespace
