// Long operations: when the status text and the wait cursor show, what the text says, the question
// after Esc, the nesting of levels, and that input waits while nothing is shown.
#include "grid/core/AppData.h"
#include "grid/core/LongOperation.h"
#include "grid/features/LongOperationImp.h"

#include "framework/docview/FrameWnd.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// A main frame that keeps the status texts it is sent, and the keys and closes that reach it.
class CStatusFrame : public CFrameWnd
{
public:
    std::vector<std::string> statusTexts;
    int nKeys = 0;
    int nCloses = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam != 0)
            statusTexts.push_back(reinterpret_cast<LPCTSTR>(lParam));
        if (message == WM_KEYDOWN)
            ++nKeys;
        if (message == WM_CLOSE)
        {
            ++nCloses;
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class LongOperationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_NE(GXGetAppData()->m_pLongOperationImp, nullptr);
        // The record is the process's: each test starts from the defaults and this frame.
        GXGetLongOperationState().hWndFrame = nullptr;
        GXGetLongOperationState().bConfirmAbort = TRUE;
        ASSERT_EQ(CGXLongOperation::GetNestingLevel(), 0);
        frame = new CStatusFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Long operation test"));
        app.m_pMainWnd = frame;
        PumpPendingMessages();
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        frame->DestroyWindow();
        PumpPendingMessages();
        GXGetLongOperationState().hWndFrame = nullptr;
    }

    // The texts the frame got since the last call.
    std::vector<std::string> NewTexts()
    {
        std::vector<std::string> texts;
        texts.swap(frame->statusTexts);
        return texts;
    }

    CWinApp app{"Long operation test"};
    CStatusFrame* frame = nullptr;
    CManualTickClock clock;
    CScopedTickClock scopedClock{&clock};
    CRecordingMessageBox box;
    CScopedMessageBoxSeam scopedBox{&box};
};

TEST_F(LongOperationTest, ShowsNothingBeforeTheWaitThenTheTurningSignAtEachInterval)
{
    clock.now = 10000;
    CGXLongOperation operation;
    clock.now = 10749;
    EXPECT_FALSE(operation.DoMessages());
    EXPECT_TRUE(NewTexts().empty());

    clock.now = 10751;
    EXPECT_TRUE(operation.DoMessages());
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing...  -"}));

    clock.now = 10751 + 1499;
    EXPECT_FALSE(operation.DoMessages());
    clock.now = 10751 + 1500;
    EXPECT_TRUE(operation.DoMessages());
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing...  \\"}));

    for (const char* pszSign : {"  |", "  /", "  -"})
    {
        clock.now += 1500;
        operation.DoMessages();
        EXPECT_EQ(NewTexts(), (std::vector<std::string>{std::string("Processing...") + pszSign}));
    }
}

TEST_F(LongOperationTest, APercentageAboveHundredShowsAsHundredWithTheAbortHint)
{
    CGXLongOperation operation;
    CGXLongOperation::SetPercentDone(150);
    clock.now += 751;
    BOOL bAbort = TRUE;
    EXPECT_TRUE(operation.DoMessagesCheckAbort(bAbort));
    EXPECT_FALSE(bAbort);
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing... 100%.    Press ESC to cancel"}));
}

TEST_F(LongOperationTest, TheEndOfAShownOperationSaysDone)
{
    {
        CGXLongOperation operation;
        operation.SetStatusText("Counting", TRUE);
        clock.now += 800;
        operation.DoMessages();
    }
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Counting  -", "Done."}));
}

TEST_F(LongOperationTest, EscWithRollbackAllowedAsksAbortRetryIgnoreOncePerEsc)
{
    CGXLongOperation operation;
    CGXLongOperation::SetCanRollback(TRUE);
    box.answers = {IDIGNORE, IDRETRY};
    BOOL bAbort = FALSE;

    frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    clock.now += 751;
    EXPECT_TRUE(operation.DoMessagesCheckAbort(bAbort));
    ASSERT_EQ(box.calls.size(), 1u);
    EXPECT_EQ(box.calls[0].text, "Do you want to abort the operation?");
    EXPECT_EQ(box.calls[0].nType & 0xF, static_cast<UINT>(MB_ABORTRETRYIGNORE));
    EXPECT_FALSE(bAbort) << "Ignore goes on";
    EXPECT_EQ(frame->nKeys, 0) << "the key was taken out of the queue, not delivered";

    clock.now += 1500;
    EXPECT_TRUE(operation.DoMessagesCheckAbort(bAbort));
    EXPECT_EQ(box.calls.size(), 1u) << "no question again without a new Esc";
    EXPECT_FALSE(bAbort);

    frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    clock.now += 1500;
    EXPECT_TRUE(operation.DoMessagesCheckAbort(bAbort));
    EXPECT_EQ(box.calls.size(), 2u);
    EXPECT_TRUE(bAbort);
    EXPECT_TRUE(CGXLongOperation::GetRollbackConfirmedState()) << "Retry asks for the rollback";
}

TEST_F(LongOperationTest, AbortAnswersAndTheirRollback)
{
    struct Case
    {
        const char* pszName;
        BOOL bCanRollback;
        BOOL bConfirm;
        int nAnswer;
        UINT nButtons;
        BOOL bAborted;
        BOOL bRollback;
    } cases[] = {
        {"Abort", TRUE, TRUE, IDABORT, MB_ABORTRETRYIGNORE, TRUE, FALSE},
        {"Yes without rollback", FALSE, TRUE, IDYES, MB_YESNO, TRUE, FALSE},
        {"No without rollback", FALSE, TRUE, IDNO, MB_YESNO, FALSE, FALSE},
        {"no question, rollback", TRUE, FALSE, 0, 0, TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        box.calls.clear();
        box.answers = {c.nAnswer};
        GXGetLongOperationState().bConfirmAbort = c.bConfirm;
        CGXLongOperation operation;
        CGXLongOperation::SetCanRollback(c.bCanRollback);
        frame->PostMessage(WM_KEYDOWN, VK_CANCEL, 0);
        clock.now += 751;
        BOOL bAbort = FALSE;
        operation.DoMessagesCheckAbort(bAbort);
        EXPECT_EQ(bAbort, c.bAborted);
        EXPECT_EQ(CGXLongOperation::GetRollbackConfirmedState(), c.bRollback);
        if (c.nButtons != 0)
        {
            ASSERT_EQ(box.calls.size(), 1u);
            EXPECT_EQ(box.calls[0].nType & 0xF, c.nButtons);
        }
        else
            EXPECT_TRUE(box.calls.empty());
    }
}

TEST_F(LongOperationTest, AnOperationThatCannotAbortIgnoresEsc)
{
    CGXLongOperation operation;
    CGXLongOperation::SetCanAbort(FALSE);
    frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    clock.now += 751;
    BOOL bAbort = FALSE;
    operation.DoMessagesCheckAbort(bAbort);
    EXPECT_FALSE(bAbort);
    EXPECT_TRUE(box.calls.empty());
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing...  -"})) << "no abort hint";
}

TEST_F(LongOperationTest, ANestedTextShowsAndTheOuterTextComesBackAfterIt)
{
    CGXLongOperation outer;
    outer.SetStatusText("Outer", TRUE);
    clock.now += 751;
    outer.DoMessages();
    {
        CGXLongOperation inner;
        clock.now += 1500;
        inner.DoMessages();
        inner.SetStatusText("Inner", TRUE);
        clock.now += 1500;
        inner.DoMessages();
    }
    clock.now += 1500;
    outer.DoMessages();
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Outer  -", "Outer  \\", "Inner  |", "Outer  /"}));
}

TEST_F(LongOperationTest, IgnoredNestedLevelsShowNothing)
{
    CGXLongOperation outer;
    CGXLongOperation::IgnoreNestedLevels(TRUE);
    {
        CGXLongOperation inner;
        inner.SetStatusText("Inner", TRUE);
        CGXLongOperation::SetPercentDone(50);
        clock.now += 751;
        EXPECT_TRUE(inner.DoMessages()) << "messages are still processed";
        EXPECT_TRUE(CGXLongOperation::IsLevelIgnored());
    }
    EXPECT_TRUE(NewTexts().empty());
    clock.now += 1500;
    outer.DoMessages();
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing...  -"})) << "the ignored level set no percentage";
}

TEST_F(LongOperationTest, LevelsBeyondSixtyFourAreCountedButSilent)
{
    std::vector<std::unique_ptr<CGXLongOperation>> levels;
    for (int i = 0; i < 65; ++i)
        levels.push_back(std::make_unique<CGXLongOperation>());
    EXPECT_EQ(CGXLongOperation::GetNestingLevel(), 65);
    levels.back()->SetStatusText("Too deep", TRUE);
    clock.now += 751;
    EXPECT_TRUE(levels.back()->DoMessages());
    EXPECT_TRUE(NewTexts().empty());
    levels.pop_back();
    clock.now += 1500;
    levels.back()->DoMessages();
    EXPECT_EQ(NewTexts(), (std::vector<std::string>{"Processing...  -"})) << "the 64th level shows";
    while (!levels.empty())
        levels.pop_back();
    EXPECT_EQ(CGXLongOperation::GetNestingLevel(), 0);
}

TEST_F(LongOperationTest, TheStatusTextIsCutAtTheBuffer)
{
    CGXLongOperation operation;
    operation.SetStatusText(std::string(200, 'x').c_str(), TRUE);
    clock.now += 751;
    operation.DoMessages();
    const std::vector<std::string> texts = NewTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], std::string(127, 'x'));
}

TEST_F(LongOperationTest, AShortOperationLeavesInputAlone)
{
    {
        CGXLongOperation operation;
        frame->PostMessage(WM_KEYDOWN, 'A', 0);
        clock.now += 700;
        EXPECT_FALSE(operation.DoMessages());
    }
    EXPECT_TRUE(NewTexts().empty());
    PumpPendingMessages();
    EXPECT_EQ(frame->nKeys, 1);
}

TEST_F(LongOperationTest, ACloseWhileTheOperationWorksWaitsForItsEnd)
{
    {
        CGXLongOperation outer;
        CGXLongOperation inner;
        frame->PostMessage(WM_CLOSE, 0, 0);
        clock.now += 751;
        inner.DoMessages();
        EXPECT_EQ(frame->nCloses, 0);
    }
    PumpPendingMessages();
    EXPECT_EQ(frame->nCloses, 1);
}

TEST(LongOperationWithoutComponent, OnlyCountsTheNesting)
{
    CGXAppData* pAppData = GXGetAppData();
    CGXAbstractLongOperationImp* pInstalled = pAppData->m_pLongOperationImp;
    pAppData->m_pLongOperationImp = nullptr;
    {
        CGXLongOperation operation;
        EXPECT_EQ(CGXLongOperation::GetNestingLevel(), 1);
        BOOL bAbort = TRUE;
        EXPECT_FALSE(operation.DoMessagesCheckAbort(bAbort));
        EXPECT_FALSE(bAbort);
        EXPECT_FALSE(operation.DoMessages());
    }
    EXPECT_EQ(CGXLongOperation::GetNestingLevel(), 0);
    pAppData->m_pLongOperationImp = pInstalled;
}
} // namespace
