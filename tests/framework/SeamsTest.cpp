// The seams: message boxes (framework, window and exception reports), the modal hook over a real
// message box, and the tick-count clock.
#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Menu.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "tests/framework/WinCoreTestResources.h"

namespace {

class Seams : public ::testing::Test
{
protected:
    CWinApp app{"Seam Test"};
    CRecordingMessageBox boxes;
};

TEST_F(Seams, AfxMessageBoxShowsTheTextWithTheApplicationsName)
{
    CScopedMessageBoxSeam seam(&boxes);
    boxes.answers = {IDNO};
    EXPECT_EQ(AfxMessageBox("Unsaved data will be lost. Save now?", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxMessageBox("Second"), IDOK);
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].text, "Unsaved data will be lost. Save now?");
    EXPECT_EQ(boxes.calls[0].caption, "Seam Test");
    EXPECT_EQ(boxes.calls[0].nType, (UINT)MB_YESNOCANCEL);
    EXPECT_EQ(boxes.calls[1].nType, (UINT)MB_OK);
}

TEST_F(Seams, AfxMessageBoxByIdUsesTheProgramsStringsThenTheFrameworks)
{
    CScopedMessageBoxSeam seam(&boxes);
    AfxMessageBox(IDS_TEST_PROMPT, MB_OKCANCEL);
    AfxMessageBox(AFX_IDP_PARSE_REAL);
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].text, "Unsaved data will be lost. Save now?");
    EXPECT_EQ(boxes.calls[0].nType, (UINT)MB_OKCANCEL);
    EXPECT_EQ(boxes.calls[1].text, "Please enter a number.");
}

TEST_F(Seams, WindowMessageBoxIsOwnedByTheWindow)
{
    CScopedMessageBoxSeam seam(&boxes);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.MessageBox("Registry Error. Reinstall the QUARROW application.", nullptr, MB_OKCANCEL);
    wnd.MessageBox("Text", "Caption");
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].hWndOwner, wnd.m_hWnd);
    EXPECT_EQ(boxes.calls[0].caption, "Seam Test");
    EXPECT_EQ(boxes.calls[0].nType, (UINT)MB_OKCANCEL);
    EXPECT_EQ(boxes.calls[1].caption, "Caption");
    wnd.DestroyWindow();
}

class CTextException : public CException
{
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override
    {
        lstrcpynA(lpszError, "Disk full.", (int)nMaxError);
        if (pnHelpContext != nullptr)
            *pnHelpContext = 0;
        return TRUE;
    }
};

class CSilentException : public CException
{
public:
    BOOL GetErrorMessage(LPTSTR, UINT, PUINT = nullptr) override { return FALSE; }
};

TEST_F(Seams, ReportErrorShowsTheExceptionsMessageOrTheGivenOne)
{
    CScopedMessageBoxSeam seam(&boxes);
    CTextException withText;
    CSilentException withoutText;
    withText.ReportError(MB_ICONSTOP);
    withoutText.ReportError(MB_OK, AFX_IDP_PARSE_INT);
    withoutText.ReportError();
    ASSERT_EQ(boxes.calls.size(), 3u);
    EXPECT_EQ(boxes.calls[0].text, "Disk full.");
    EXPECT_EQ(boxes.calls[0].nType, (UINT)MB_ICONSTOP);
    EXPECT_EQ(boxes.calls[1].text, "Please enter an integer.");
    EXPECT_EQ(boxes.calls[2].text, "No error message is available.");
}

TEST_F(Seams, TheModalHookCanAnswerARealMessageBox)
{
    CFunctionModalHook hook({}, [](CWnd* pBox) { pBox->PostMessage(WM_COMMAND, IDNO, 0); });
    CScopedModalHook hookSeam(&hook);
    EXPECT_EQ(AfxMessageBox("Save now?", MB_YESNO), IDNO);
}

TEST_F(Seams, WaitsReadTheReplaceableClock)
{
    CManualTickClock clock;
    clock.now = 0xFFFFFF00u;   // about to wrap
    clock.step = 500;
    CScopedTickClock seam(&clock);
    DWORD start = AfxGetTickCount();
    int reads = 0;
    while (AfxGetTickCount() - start < 2500)
        ++reads;
    EXPECT_EQ(reads, 4);   // 500, 1000, 1500, 2000 elapsed; 2500 ends the wait across the wrap
}

TEST_F(Seams, BeepsGoToTheInstalledSeamUntilItsScopeEnds)
{
    CRecordingBeep outer;
    CScopedBeepSeam outerSeam(&outer);
    {
        CRecordingBeep inner;
        CScopedBeepSeam innerSeam(&inner);
        EXPECT_TRUE(AfxMessageBeep(MB_ICONEXCLAMATION));
        EXPECT_EQ(inner.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
    }
    AfxMessageBeep(MB_OK);
    EXPECT_EQ(outer.beeps, std::vector<UINT>{MB_OK});
}

TEST_F(Seams, APopupMenuIsAnsweredByTheModalHookWithTheMenuItsFlagsAndItsPlace)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "First");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 102, "Second");

    CFunctionModalHook hook;
    CScopedModalHook hookSeam(&hook);
    int nSeen = 0;
    hook.onPopupMenu = [&](CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pWnd, BOOL& nResult) -> BOOL {
        ++nSeen;
        EXPECT_EQ(pMenu->GetSafeHmenu(), menu.GetSafeHmenu());
        EXPECT_EQ(pMenu->GetMenuState(102, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);
        EXPECT_EQ(nFlags, (UINT)(TPM_LEFTALIGN | TPM_RETURNCMD));
        EXPECT_EQ(point, CPoint(40, 50));
        EXPECT_EQ(pWnd, &owner);
        nResult = 101;
        return TRUE;
    };
    EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 40, 50, &owner), 101);
    EXPECT_EQ(nSeen, 1);
    owner.DestroyWindow();
}

TEST(SeamsDefault, TheRealClockIsTheSystems)
{
    DWORD before = ::GetTickCount();
    DWORD now = AfxGetTickCount();
    EXPECT_LE(now - before, 1000u);
}

} // namespace
