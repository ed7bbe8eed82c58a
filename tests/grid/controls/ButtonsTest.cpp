// The buttons drawn inside cells: clicks by mouse and Space, cancelling, the arrow buttons' repeat on
// the clock seam, key dispatch through the owner's focus child, and classic and themed faces.
#include "grid/controls/Buttons.h"
#include "grid/controls/SpinEdit.h"

#include "framework/win/SeamRecorders.h"

#include "CellTestGrid.h"
#include "DrawnCellTestGrid.h"
#include "FakeThemeEngine.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A control that only records the clicks of its children and the keys that reach it.
class ButtonOwner : public CGXControl
{
public:
    explicit ButtonOwner(CGXGridCore* pGrid) : CGXControl(pGrid) {}
    void OnClickedButton(CGXChild* pChild) override { clicks.push_back(pChild); }
    BOOL KeyDown(UINT nChar, UINT, UINT) override
    {
        keys.push_back(nChar);
        return TRUE;
    }
    std::vector<CGXChild*> clicks;
    std::vector<UINT> keys;
};

class ButtonsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }
    void TearDown() override
    {
        GXUxTheme::Unload();
        GXUxTheme::Load();
    }

    // Wine may draw with a theme of its own; the classic look is asked for through the stand-in engine.
    static void ForceClassicLook()
    {
        FakeEngine::Reset();
        FakeEngine::s_bAppThemed = FALSE;
        FakeEngine::Install();
    }
    // Adds a child to the owner at the rectangle; the owner deletes it.
    template <class Button>
    Button* Add(const CRect& rect)
    {
        Button* pButton = new Button(&owner);
        pButton->SetRect(rect);
        owner.AddChild(pButton);
        return pButton;
    }

    CellTestGrid grid;
    ButtonOwner owner{&grid};
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF black = RGB(0, 0, 0);
};
}  // namespace

TEST_F(ButtonsTest, APushButtonClicksOnlyWhenReleasedInside)
{
    CGXButton* pButton = Add<CGXButton>(CRect(10, 10, 40, 30));
    const CPoint inside(20, 20), outside(60, 20);
    struct Case
    {
        std::vector<CPoint> moves;
        CPoint release;
        size_t nClicks;
    } cases[] = {
        {{}, inside, 1},
        {{}, outside, 0},
        {{outside}, outside, 0},
        {{outside, inside}, inside, 1},   // back inside it goes down again
    };
    for (const Case& c : cases)
    {
        owner.clicks.clear();
        ASSERT_TRUE(owner.LButtonDown(0, inside, 0));
        EXPECT_EQ(owner.GetFocusChild(), pButton);
        EXPECT_TRUE(pButton->IsPressed());
        for (CPoint move : c.moves)
        {
            owner.MouseMove(MK_LBUTTON, move);
            EXPECT_EQ(pButton->IsPressed(), move == inside);
        }
        pButton->LButtonUp(0, c.release);
        EXPECT_EQ(owner.clicks.size(), c.nClicks);
        EXPECT_FALSE(pButton->IsPressed());
        EXPECT_FALSE(pButton->IsTracking());
    }
}

TEST_F(ButtonsTest, SpaceOnTheFocusButtonClicksOnceAndOtherKeysReachTheOwner)
{
    CGXButton* pButton = Add<CGXButton>(CRect(10, 10, 40, 30));
    owner.SetFocusChild(pButton);
    EXPECT_TRUE(owner.DispatchKeyMessage(WM_KEYDOWN, VK_SPACE, 1, 0));
    EXPECT_TRUE(pButton->IsPressed());
    EXPECT_TRUE(owner.DispatchKeyMessage(WM_KEYUP, VK_SPACE, 1, 0));
    EXPECT_EQ(owner.clicks, std::vector<CGXChild*>{pButton});
    EXPECT_TRUE(owner.keys.empty());

    EXPECT_TRUE(owner.DispatchKeyMessage(WM_KEYDOWN, VK_RETURN, 1, 0));
    EXPECT_EQ(owner.keys, std::vector<UINT>{VK_RETURN});
    EXPECT_FALSE(pButton->DispatchKeyMessage(WM_KEYUP, VK_SPACE, 1, 0)) << "not pressed: no click";
    EXPECT_EQ(owner.clicks.size(), 1u);
}

TEST_F(ButtonsTest, CancelModeReleasesAHeldButtonWithoutAClick)
{
    CGXButton* pButton = Add<CGXButton>(CRect(10, 10, 40, 30));
    owner.LButtonDown(0, CPoint(20, 20), 0);
    owner.OnGridCancelMode();
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_FALSE(pButton->IsTracking());
    pButton->LButtonUp(0, CPoint(20, 20));
    EXPECT_TRUE(owner.clicks.empty());
}

TEST_F(ButtonsTest, AHeldArrowRepeatsAfter500Then150AndFiveLessEachTimeDownTo50)
{
    CManualTickClock clock;
    clock.now = 0xFFFFFE00u;   // the waits hold across the tick count's wrap
    CScopedTickClock seam(&clock);
    CGXUpArrowButton* pArrow = Add<CGXUpArrowButton>(CRect(40, 40, 54, 50));
    const CPoint inside(45, 45);

    owner.LButtonDown(0, inside, 0);
    ASSERT_EQ(owner.clicks.size(), 1u) << "the press is the first click";
    std::vector<DWORD> waits;
    DWORD last = clock.now;
    while (waits.size() < 24)
    {
        const DWORD wait = pArrow->GetRepeatDelay();
        clock.now = last + wait - 1;
        const size_t nBefore = owner.clicks.size();
        owner.MouseMove(MK_LBUTTON, inside);
        ASSERT_EQ(owner.clicks.size(), nBefore) << "one tick early";
        clock.now = last + wait;
        owner.MouseMove(MK_LBUTTON, inside);
        ASSERT_EQ(owner.clicks.size(), nBefore + 1);
        waits.push_back(wait);
        last = clock.now;
    }
    std::vector<DWORD> expected = {500, 150};
    for (DWORD wait = 145; wait >= 50; wait -= 5)
        expected.push_back(wait);
    while (expected.size() < 24)
        expected.push_back(50);
    EXPECT_EQ(waits, expected);

    owner.clicks.clear();
    pArrow->LButtonUp(0, inside);
    EXPECT_TRUE(owner.clicks.empty()) << "no click on release";
    EXPECT_FALSE(pArrow->IsPressed());
}

TEST_F(ButtonsTest, DraggingOutOfAHeldArrowPausesItsRepeatUntilItComesBack)
{
    CManualTickClock clock;
    CScopedTickClock seam(&clock);
    CGXDownArrowButton* pArrow = Add<CGXDownArrowButton>(CRect(40, 40, 54, 50));
    owner.LButtonDown(0, CPoint(45, 45), 0);
    clock.now = 600;
    owner.MouseMove(MK_LBUTTON, CPoint(80, 45));
    EXPECT_FALSE(pArrow->IsPressed());
    EXPECT_EQ(owner.clicks.size(), 1u);
    // The wait counts from the last click, so the return repeats at once.
    clock.now = 700;
    owner.MouseMove(MK_LBUTTON, CPoint(45, 45));
    EXPECT_TRUE(pArrow->IsPressed());
    EXPECT_EQ(owner.clicks.size(), 2u);
}

TEST_F(ButtonsTest, ClassicArrowsDrawTrianglesOfOnePixelRowsOnlyInTheCurrentCell)
{
    ForceClassicLook();
    struct Case
    {
        BOOL bUp;
        int nHeight;
        std::vector<std::pair<int, int>> rows;   // per row from the top: first black x, width
        int nTop;
    } cases[] = {
        {TRUE, 10, {{6, 1}, {5, 3}, {4, 5}, {3, 7}}, 2},
        {FALSE, 10, {{3, 7}, {4, 5}, {5, 3}, {6, 1}}, 3},
        {TRUE, 6, {{7, 1}, {6, 3}, {5, 5}, {0, 0}}, 1},   // below 8 pixels only three rows
        {FALSE, 6, {{4, 7}, {5, 5}, {6, 3}, {0, 0}}, 2},
    };
    for (const Case& c : cases)
    {
        CGXArrowButton* pArrow = c.bUp ? static_cast<CGXArrowButton*>(Add<CGXUpArrowButton>(CRect(0, 0, 14, c.nHeight)))
                                       : Add<CGXDownArrowButton>(CRect(0, 0, 14, c.nHeight));
        MemoryCanvas idle(14, 12);
        pArrow->OnDraw(&idle.dc, FALSE);
        EXPECT_EQ(idle.At(7, c.nTop + 1), RGB(255, 255, 255)) << "nothing outside the current cell";

        MemoryCanvas canvas(14, 12);
        pArrow->OnDraw(&canvas.dc, TRUE);
        for (int i = 0; i < 4; ++i)
        {
            const int y = c.nTop + i;
            const int nFirst = c.rows[i].first;
            const int nWidth = c.rows[i].second;
            for (int x = 2; x < 12; ++x)
            {
                const bool bBlack = nWidth > 0 && x >= nFirst && x < nFirst + nWidth;
                EXPECT_EQ(canvas.At(x, y) == black, bBlack) << c.bUp << " h" << c.nHeight << " " << x << "," << y;
            }
        }
        owner.RemoveChild(pArrow);
        delete pArrow;
    }
}

TEST_F(ButtonsTest, APushedArrowMovesItsTriangleByOnePixel)
{
    ForceClassicLook();
    CGXUpArrowButton* pArrow = Add<CGXUpArrowButton>(CRect(0, 0, 14, 10));
    owner.LButtonDown(0, CPoint(5, 5), 0);
    MemoryCanvas canvas(14, 12);
    pArrow->OnDraw(&canvas.dc, TRUE);
    EXPECT_EQ(canvas.At(7, 3), black);
    EXPECT_EQ(canvas.At(6, 2), face);
    // Not the focus child: never pushed.
    owner.SetFocusChild(nullptr);
    MemoryCanvas released(14, 12);
    pArrow->OnDraw(&released.dc, TRUE);
    EXPECT_EQ(released.At(6, 2), black);
}

TEST_F(ButtonsTest, TheHotSpotShowsItsBentArrowInTheCurrentCellWhenTallEnough)
{
    ForceClassicLook();
    CGXHotSpotButton* pButton = Add<CGXHotSpotButton>(CRect(0, 0, 13, 13));
    MemoryCanvas idle(16, 16);
    pButton->OnDraw(&idle.dc, FALSE);
    EXPECT_EQ(idle.At(6, 6), RGB(255, 255, 255));

    MemoryCanvas canvas(16, 16);
    pButton->OnDraw(&canvas.dc, TRUE);
    const struct
    {
        int x, y;
        bool bBlack;
    } pixels[] = {{3, 3, true},  {8, 4, true},  {6, 6, true},  {8, 6, true}, {4, 7, true},
                  {10, 7, true}, {5, 8, true},  {9, 8, true},  {7, 10, true},
                  {2, 3, false}, {9, 3, false}, {5, 6, false}, {3, 7, false}, {6, 10, false}};
    for (const auto& p : pixels)
        EXPECT_EQ(canvas.At(p.x, p.y), p.bBlack ? black : face) << p.x << "," << p.y;

    pButton->SetRect(CRect(0, 0, 13, 11));
    MemoryCanvas low(16, 16);
    pButton->OnDraw(&low.dc, TRUE);
    EXPECT_EQ(low.At(3, 3), face) << "below 12 pixels only the face";
}

TEST_F(ButtonsTest, ThemedButtonsDrawTheirSpinAndButtonParts)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    CGXUpArrowButton* pUp = Add<CGXUpArrowButton>(CRect(0, 0, 14, 10));
    CGXDownArrowButton* pDown = Add<CGXDownArrowButton>(CRect(0, 10, 14, 20));
    CGXHotSpotButton* pHotSpot = Add<CGXHotSpotButton>(CRect(20, 0, 33, 13));
    MemoryCanvas canvas(40, 24);

    owner.LButtonDown(0, CPoint(5, 5), 0);
    pUp->OnDraw(&canvas.dc, TRUE);
    EXPECT_EQ(FakeEngine::s_lastClass, L"SPIN");
    EXPECT_EQ(FakeEngine::s_nPart, 1);
    EXPECT_EQ(FakeEngine::s_nState, 3) << "pushed";
    EXPECT_EQ(canvas.At(7, 4), FakeEngine::kThemeRed) << "no triangle over a themed spin part";

    pDown->OnDraw(&canvas.dc, TRUE);
    EXPECT_EQ(FakeEngine::s_nPart, 2);
    EXPECT_EQ(FakeEngine::s_nState, 1);

    pHotSpot->OnDraw(&canvas.dc, TRUE);
    EXPECT_EQ(FakeEngine::s_lastClass, L"BUTTON");
    EXPECT_EQ(FakeEngine::s_nPart, 1);
    EXPECT_EQ(canvas.At(23, 3), black) << "the glyph over the themed face";
    EXPECT_EQ(canvas.At(22, 3), FakeEngine::kThemeRed);
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);
}

TEST_F(ButtonsTest, AFaceColourFromTheStyleIsDrawnClassicEvenUnderATheme)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 40, 20));
    pButton->SetText("Go");
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_PUSHBUTTON_FACECOLOR, "255");
    MemoryCanvas canvas(40, 20);
    pButton->Draw(&canvas.dc, FALSE, style);
    EXPECT_EQ(canvas.At(4, 10), RGB(255, 0, 0));
    EXPECT_EQ(FakeEngine::s_nOpened, 0);

    const CGXStyle plain;
    pButton->Draw(&canvas.dc, FALSE, plain);
    EXPECT_EQ(canvas.At(4, 10), FakeEngine::kThemeRed);
    EXPECT_EQ(FakeEngine::s_lastClass, L"BUTTON");
}

TEST_F(ButtonsTest, AButtonWithoutACaptionShowsTwoDashes)
{
    ForceClassicLook();
    CGXButton* pButton = Add<CGXButton>(CRect(0, 0, 40, 20));
    MemoryCanvas canvas(40, 20);
    pButton->OnDraw(&canvas.dc, FALSE);
    int nDark = 0;
    for (int y = 3; y < 17; ++y)
        for (int x = 3; x < 37; ++x)
            nDark += canvas.At(x, y) == black;
    EXPECT_GT(nDark, 2);
    EXPECT_EQ(pButton->GetText(), "");
}

namespace
{
// A spin cell on a real grid whose button clicks are stamped with the test clock.
class SpinClockGrid : public DrawnCellGrid
{
public:
    void OnClickedButtonRowCol(ROWCOL, ROWCOL) override { clickTimes.push_back(pClock->now); }
    CManualTickClock* pClock = nullptr;
    std::vector<DWORD> clickTimes;
};

class HeldArrowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        grid.pClock = &clock;
        grid.SetControlCell(1, 1, GX_IDS_CTRL_SPINEDIT, "0");
        grid.MoveCurrentCell(1, 1);
        CGXSpinEdit* pSpin = dynamic_cast<CGXSpinEdit*>(grid.GetRegisteredControl(GX_IDS_CTRL_SPINEDIT));
        ASSERT_NE(pSpin, nullptr);
        up = pSpin->GetUpButton()->GetRect().CenterPoint();
        ASSERT_TRUE(grid.CalcCellRect(1, 1).PtInRect(up));
    }
    void TearDown() override { grid.Release(up); }
    // Moves the clock and the held mouse there.
    void MoveAt(DWORD dwTime, CPoint point)
    {
        clock.now = dwTime;
        grid.MoveHeld(point);
    }

    CManualTickClock clock;
    CScopedTickClock seam{&clock};
    SpinClockGrid grid;
    CPoint up;
};
}  // namespace

TEST_F(HeldArrowTest, APressedArrowClicksWhenTheMovesOfTheHeldMouseArriveInTime)
{
    grid.Press(up);
    for (DWORD dwTime : {100u, 499u, 500u, 649u, 650u, 794u, 795u, 934u, 935u})
        MoveAt(dwTime, up);
    EXPECT_EQ(grid.clickTimes, (std::vector<DWORD>{0, 500, 650, 795, 935}));
    grid.Release(up);
    EXPECT_EQ(grid.clickTimes.size(), 5u) << "no click on release";
}

TEST_F(HeldArrowTest, DraggingOutAndBackResumesWithoutANewLongWait)
{
    grid.Press(up);
    MoveAt(500, up);
    const CPoint outside(up.x, up.y + 60);
    MoveAt(600, outside);
    MoveAt(700, outside);
    EXPECT_EQ(grid.clickTimes, (std::vector<DWORD>{0, 500})) << "no repeat outside the arrow";
    MoveAt(710, up);
    EXPECT_EQ(grid.clickTimes, (std::vector<DWORD>{0, 500, 710}));
}

TEST_F(HeldArrowTest, TheGridsTimerRepeatsForARestingMouse)
{
    grid.Press(up);
    for (DWORD dwTime : {250u, 500u, 600u, 650u})
    {
        clock.now = dwTime;
        ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_CHILDREPEAT_TIMER, 0);
    }
    EXPECT_EQ(grid.clickTimes, (std::vector<DWORD>{0, 500, 650}));
    grid.Release(up);
    clock.now = 2000;
    ::SendMessageA(grid.m_hWnd, WM_TIMER, GX_CHILDREPEAT_TIMER, 0);
    EXPECT_EQ(grid.clickTimes.size(), 3u) << "the released arrow is not fed";
}
