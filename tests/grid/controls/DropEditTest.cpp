// The drop edit: the button's room in the frame, its clicks by mouse and key, and its faces.
#include "grid/controls/DropEdit.h"

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"

#include "CellTestGrid.h"
#include "FakeThemeEngine.h"
#include "PopupTestSupport.h"

#include <gtest/gtest.h>

namespace
{
const UINT kEditId = 77;
// 10 x 8: red with a blue left column.
const UINT kTenPixelImage = 103;

class DropEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 160, 34), &host, kEditId));
    }
    void TearDown() override
    {
        GXUxTheme::Unload();
        GXUxTheme::Load();
    }

    int ClientWidth()
    {
        CRect rect;
        edit.GetClientRect(&rect);
        return rect.Width();
    }
    // A point of the button in screen coordinates, and in the edit's client coordinates.
    CPoint ButtonScreenPoint()
    {
        CPoint point = edit.GetButtonRect().CenterPoint();
        ::ClientToScreen(host.m_hWnd, &point);
        return point;
    }
    CPoint ToEditClient(CPoint screen)
    {
        ::ScreenToClient(edit.m_hWnd, &screen);
        return screen;
    }
    size_t Clicks() { return host.Count(WM_COMMAND); }

    MessageHost host;
    CGXBDropEdit edit;
};
}  // namespace

TEST_F(DropEditTest, TheButtonTakesItsWidthFromTheClientAreaAndGivesItBack)
{
    const int nWithout = ClientWidth();
    EXPECT_TRUE(edit.GetButtonRect().IsRectEmpty());
    EXPECT_EQ(edit.GetBitmapHandle(), nullptr);

    edit.SetBitmap(kTenPixelImage);
    // Margins 1 and 1, two pixels of frame on each side, and the 10-pixel image.
    EXPECT_EQ(edit.GetButtonRect().Width(), 16);
    EXPECT_EQ(ClientWidth(), nWithout - 16);
    CRect client;
    edit.GetClientRect(&client);
    edit.MapWindowPoints(&host, &client);
    EXPECT_EQ(edit.GetButtonRect().left, client.right) << "the button stands right of the client area";
    EXPECT_EQ(edit.GetButtonRect().top, client.top);
    EXPECT_EQ(edit.GetButtonRect().bottom, client.bottom);

    edit.SetBitmap(0u);
    EXPECT_EQ(ClientWidth(), nWithout);
    EXPECT_TRUE(edit.GetButtonRect().IsRectEmpty());
}

TEST_F(DropEditTest, AMissingImageLeavesNoButton)
{
    edit.SetBitmap(9999u);
    EXPECT_EQ(edit.GetBitmapHandle(), nullptr);
    EXPECT_TRUE(edit.GetButtonRect().IsRectEmpty());
}

TEST_F(DropEditTest, F4AndAltDownEachClickOnce)
{
    edit.SetBitmap(kTenPixelImage);
    struct Case
    {
        UINT message;
        UINT key;
        LPARAM lParam;
        size_t clicks;
    } cases[] = {
        {WM_KEYDOWN, VK_F4, 1, 1},
        {WM_SYSKEYDOWN, VK_DOWN, kAltDown, 1},
        {WM_KEYDOWN, VK_DOWN, 1, 0},   // Down alone is the edit's
        {WM_SYSKEYDOWN, VK_F4, kAltDown, 0},
    };
    for (const Case& c : cases)
    {
        host.messages.clear();
        ::SendMessageA(edit.m_hWnd, c.message, c.key, c.lParam);
        EXPECT_EQ(Clicks(), c.clicks) << c.key;
        if (c.clicks == 1)
        {
            EXPECT_EQ(host.messages[0].wParam, MAKEWPARAM(kEditId, 0));
            EXPECT_EQ(host.messages[0].lParam, reinterpret_cast<LPARAM>(edit.m_hWnd));
        }
    }
}

TEST_F(DropEditTest, TheMouseClicksOnlyWhenReleasedOverTheButton)
{
    edit.SetBitmap(kTenPixelImage);
    const CPoint on = ToEditClient(ButtonScreenPoint());
    const CPoint off(3, 3);
    struct Case
    {
        std::vector<CPoint> moves;
        CPoint release;
        size_t clicks;
        WORD pressedAfterMoves;
    } cases[] = {
        {{}, on, 1, CGXBDropEdit::flagPressed},
        {{off}, off, 0, 0},
        {{off, on}, on, 1, CGXBDropEdit::flagPressed},
    };
    for (const Case& c : cases)
    {
        host.messages.clear();
        const CPoint press = ButtonScreenPoint();
        ::SendMessageA(edit.m_hWnd, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(press.x, press.y));
        EXPECT_EQ(edit.GetFlags() & (CGXBDropEdit::flagPressed | CGXBDropEdit::flagTracking),
                  CGXBDropEdit::flagPressed | CGXBDropEdit::flagTracking);
        EXPECT_EQ(::GetCapture(), edit.m_hWnd);
        for (CPoint move : c.moves)
            ::SendMessageA(edit.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(move.x, move.y));
        EXPECT_EQ(edit.GetFlags() & CGXBDropEdit::flagPressed, c.pressedAfterMoves);
        ::SendMessageA(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.release.x, c.release.y));
        EXPECT_EQ(Clicks(), c.clicks);
        EXPECT_EQ(edit.GetFlags() & (CGXBDropEdit::flagPressed | CGXBDropEdit::flagTracking), 0);
        EXPECT_NE(::GetCapture(), edit.m_hWnd);
    }
}

TEST_F(DropEditTest, CancelModeEndsThePressWithoutAClick)
{
    edit.SetBitmap(kTenPixelImage);
    const CPoint press = ButtonScreenPoint();
    ::SendMessageA(edit.m_hWnd, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(press.x, press.y));
    ::SendMessageA(edit.m_hWnd, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(edit.GetFlags() & (CGXBDropEdit::flagPressed | CGXBDropEdit::flagTracking), 0);
    const CPoint on = ToEditClient(press);
    ::SendMessageA(edit.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
    EXPECT_EQ(Clicks(), 0u);
}

TEST_F(DropEditTest, TheButtonAnswersHitTestsAsBorder)
{
    edit.SetBitmap(kTenPixelImage);
    const CPoint on = ButtonScreenPoint();
    EXPECT_TRUE(edit.HitTest(on.x, on.y, FALSE));
    const CPoint inClient = ToEditClient(on);
    EXPECT_TRUE(edit.HitTest(inClient.x, inClient.y, TRUE));
    EXPECT_FALSE(edit.HitTest(2, 2, TRUE));
    EXPECT_EQ(::SendMessageA(edit.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(on.x, on.y)), HTBORDER);
}

TEST_F(DropEditTest, TheClassicFaceIsRaisedUpAndShiftsTheImageWhenPressed)
{
    FakeEngine::Reset();
    FakeEngine::s_bAppThemed = FALSE;
    FakeEngine::Install();
    edit.SetBitmap(kTenPixelImage);
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    MemoryCanvas canvas(16, 20);
    edit.DrawButton(&canvas.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(canvas.At(0, 0), colors.m_clrBtnFace & 0xFFFFFF);
    EXPECT_EQ(canvas.At(15, 19), colors.m_clrWindowFrame & 0xFFFFFF);
    EXPECT_EQ(canvas.At(1, 1), colors.m_clrBtnHilight & 0xFFFFFF);
    // The image starts at the left margin inside the two frame pixels, centred vertically.
    EXPECT_EQ(canvas.At(3, 10), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(4, 10), RGB(255, 0, 0));

    // Pressed: one shadow frame, and the image one pixel further right and down.
    ::SendMessageA(edit.m_hWnd, WM_NCLBUTTONDOWN, HTBORDER,
                   MAKELPARAM(ButtonScreenPoint().x, ButtonScreenPoint().y));
    MemoryCanvas pressed(16, 20);
    edit.DrawButton(&pressed.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(pressed.At(0, 0), colors.m_clrBtnShadow & 0xFFFFFF);
    EXPECT_EQ(pressed.At(4, 10), RGB(0, 0, 255));
    ::SendMessageA(edit.m_hWnd, WM_CANCELMODE, 0, 0);
}

TEST_F(DropEditTest, TheThemedFaceIsPressedBeforeHot)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    edit.SetBitmap(kTenPixelImage);
    MemoryCanvas canvas(16, 20);
    edit.DrawButton(&canvas.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(FakeEngine::s_lastClass, L"BUTTON");
    EXPECT_EQ(FakeEngine::s_nPart, 1);
    EXPECT_EQ(FakeEngine::s_nState, 1);
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);

    const CPoint on = ButtonScreenPoint();
    ::SendMessageA(edit.m_hWnd, WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(on.x, on.y));
    edit.DrawButton(&canvas.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(FakeEngine::s_nState, 2);
    ::SendMessageA(edit.m_hWnd, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(on.x, on.y));
    edit.DrawButton(&canvas.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(FakeEngine::s_nState, 3);
    ::SendMessageA(edit.m_hWnd, WM_CANCELMODE, 0, 0);
    ::SendMessageA(edit.m_hWnd, WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(edit.GetFlags() & CGXBDropEdit::flagHot, 0);
    // Up again: the image is drawn inside the themed face, two pixels in.
    edit.DrawButton(&canvas.dc, CRect(0, 0, 16, 20));
    EXPECT_EQ(FakeEngine::s_nState, 1);
    EXPECT_EQ(canvas.At(3, 10), RGB(0, 0, 255));
}
