// The push-button cell on a real grid: a press and release inside is one button click of the cell,
// a release outside is none, Space down and up on the current cell is one; the cell's value never
// changes. Its face shows "--" without a caption and the style's face colour when it has one.
#include "grid/controls/Pushbutton.h"

#include "grid/controls/Buttons.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
class PushbuttonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        UseClassicLook();
        CGXStyle style;
        style.SetChoiceList("Go");
        grid.SetControlCell(1, 1, GX_IDS_CTRL_PUSHBTN, "v", style);
    }
    void TearDown() override { UseSystemLook(); }

    CPoint Middle(ROWCOL nRow, ROWCOL nCol) { return grid.CalcCellRect(nRow, nCol).CenterPoint(); }

    DrawnCellGrid grid;
};

// Dark pixels of the caption area of a drawn button.
int DarkPixels(MemoryCanvas& canvas, const CRect& rect)
{
    int nDark = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            nDark += canvas.At(x, y) == RGB(0, 0, 0);
    return nDark;
}
}  // namespace

TEST_F(PushbuttonTest, APressAndReleaseInsideIsOneClick)
{
    const struct
    {
        std::vector<CPoint> moves;
        CPoint release;
        size_t nClicks;
    } cases[] = {
        {{}, Middle(1, 1), 1},
        {{}, Middle(3, 3), 0},
        {{Middle(3, 3)}, Middle(3, 3), 0},
        {{Middle(3, 3), Middle(1, 1)}, Middle(1, 1), 1},
    };
    for (const auto& c : cases)
    {
        grid.buttonClicks.clear();
        grid.Press(Middle(1, 1));
        for (CPoint move : c.moves)
            grid.MoveHeld(move);
        grid.Release(c.release);
        EXPECT_EQ(grid.buttonClicks.size(), c.nClicks);
    }
    EXPECT_EQ(grid.Stored(1, 1), "v");
    CGXPushbutton* pCell = dynamic_cast<CGXPushbutton*>(grid.GetRegisteredControl(GX_IDS_CTRL_PUSHBTN));
    ASSERT_NE(pCell, nullptr);
    EXPECT_FALSE(pCell->GetButton()->IsPressed());
}

TEST_F(PushbuttonTest, SpaceDownAndUpOnTheCurrentCellIsOneClick)
{
    grid.MoveCurrentCell(1, 1);
    ::SendMessageA(grid.m_hWnd, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(grid.buttonClicks.empty()) << "the press alone clicks nothing";
    ::SendMessageA(grid.m_hWnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    ASSERT_EQ(grid.buttonClicks.size(), 1u);
    EXPECT_EQ(grid.buttonClicks[0], (std::pair<ROWCOL, ROWCOL>(1, 1)));
    EXPECT_EQ(grid.Stored(1, 1), "v");
}

TEST_F(PushbuttonTest, TheFaceShowsTheCaptionOrTwoDashes)
{
    CGXControl* pCell = grid.GetRegisteredControl(GX_IDS_CTRL_PUSHBTN);
    const CRect caption(4, 3, 56, 17);
    MemoryCanvas captioned(60, 20);
    pCell->Draw(&captioned.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);

    grid.SetControlCell(2, 1, GX_IDS_CTRL_PUSHBTN, "");
    MemoryCanvas empty(60, 20);
    pCell->Draw(&empty.dc, CRect(0, 0, 60, 20), 2, 1, grid.LookupStyleRowCol(2, 1), nullptr);
    EXPECT_GT(DarkPixels(empty, caption), 2) << "\"--\"";
    EXPECT_GT(DarkPixels(captioned, caption), DarkPixels(empty, caption)) << "\"Go\" has more ink than \"--\"";
    EXPECT_EQ(empty.At(30, 4), ::GetSysColor(COLOR_BTNFACE));

    // A cell too narrow for a button draws nothing.
    MemoryCanvas narrow(60, 20, RGB(0, 255, 0));
    pCell->Draw(&narrow.dc, CRect(0, 0, 1, 20), 2, 1, grid.LookupStyleRowCol(2, 1), nullptr);
    EXPECT_EQ(narrow.At(0, 10), RGB(0, 255, 0));
}

TEST_F(PushbuttonTest, AFaceColourOf255PaintsARedFaceEvenUnderATheme)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    CGXStyle style;
    style.SetChoiceList("Go").SetUserAttribute(GX_IDS_UA_PUSHBUTTON_FACECOLOR, "255");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_PUSHBTN, "", style);
    CGXControl* pCell = grid.GetRegisteredControl(GX_IDS_CTRL_PUSHBTN);
    MemoryCanvas canvas(60, 20);
    pCell->Draw(&canvas.dc, CRect(0, 0, 60, 20), 2, 1, grid.LookupStyleRowCol(2, 1), nullptr);
    EXPECT_EQ(canvas.At(5, 10), RGB(255, 0, 0));
    EXPECT_EQ(FakeEngine::s_nOpened, 0);
}

TEST_F(PushbuttonTest, ThePushButtonCellShowsNoCurrentCellFrame)
{
    CGXControl* pCell = grid.GetRegisteredControl(GX_IDS_CTRL_PUSHBTN);
    grid.MoveCurrentCell(1, 1);
    // The frame is asked for always, not only while the grid has the focus.
    grid.GetParam()->m_wHideCurrentCell = 0;
    MemoryCanvas canvas(60, 20, RGB(0, 255, 0));
    pCell->DrawFrame(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1));
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(59, 19), RGB(0, 255, 0));
}
