// The progress-bar cell: the bar's width between the bounds (never past the cell, never a division
// by zero), storing clamps a value to the bounds a style sets, and the caption format honours one
// integer conversion and draws anything else as written.
#include "grid/controls/ProgressCtrl.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
class ProgressCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        UseClassicLook();
        pProgress = grid.GetRegisteredControl(GX_IDS_CTRL_PROGRESS);
        ASSERT_NE(pProgress, nullptr);
    }
    void TearDown() override { UseSystemLook(); }

    static CGXStyle Bar(LPCTSTR pszValue, LPCTSTR pszLower = "0", LPCTSTR pszUpper = "100")
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_PROGRESS).SetValue(pszValue).SetTextColor(RGB(0, 0, 255)).SetInterior(
            RGB(255, 255, 255));
        style.SetUserAttribute(GX_IDS_UA_PROGRESS_MIN, pszLower).SetUserAttribute(GX_IDS_UA_PROGRESS_MAX, pszUpper);
        return style;
    }
    // The width of the blue bar drawn from the left of a 200-pixel cell.
    int DrawnBarWidth(const CGXStyle& style)
    {
        MemoryCanvas canvas(220, 20, RGB(0, 255, 0));
        pProgress->Draw(&canvas.dc, CRect(0, 0, 200, 20), 1, 1, style, nullptr);
        int nWidth = 0;
        while (nWidth < 220 && canvas.At(nWidth, 18) == RGB(0, 0, 255))
            ++nWidth;
        EXPECT_NE(canvas.At(200, 10), RGB(0, 0, 255)) << "nothing drawn right of the cell";
        return nWidth;
    }

    DrawnCellGrid grid;
    CGXControl* pProgress = nullptr;
};
}  // namespace

TEST_F(ProgressCtrlTest, TheBarFillsTheCellInProportionToTheValue)
{
    const struct
    {
        const char* pszValue;
        const char* pszLower;
        const char* pszUpper;
        int nWidth;
    } cases[] = {
        {"50", "0", "100", 100},
        {"0", "0", "100", 0},
        {"100", "0", "100", 200},
        {"-5", "0", "100", 0},
        {"150", "0", "100", 200},  // past the upper bound: the whole cell, no further
        {"15", "10", "20", 100},
        {"5", "5", "5", 0},         // no range: empty at the bound
        {"6", "5", "5", 200},       // and full past it, without dividing by zero
        {"3", "9", "1", 0},
        {"2147483647", "-2147483647", "2147483647", 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrawnBarWidth(Bar(c.pszValue, c.pszLower, c.pszUpper)), c.nWidth)
            << c.pszValue << " in " << c.pszLower << ".." << c.pszUpper;
}

TEST_F(ProgressCtrlTest, StoringAValueOutsideTheBoundsStoresTheBound)
{
    CGXStyle bounds = Bar("10");
    grid.SetCell(1, 1, bounds);
    const struct
    {
        const char* pszValue;
        const char* pszStored;
    } cases[] = {{"150", "100"}, {"-3", "0"}, {"42", "42"}, {"100", "100"}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(grid.SetValueRange(CGXRange(1, 1), c.pszValue));
        EXPECT_EQ(grid.Stored(1, 1), c.pszStored) << c.pszValue;
    }
    // Bounds given with the stored style itself count, and the lower one wins when they cross.
    CGXStyle crossed;
    crossed.SetValue("7").SetUserAttribute(GX_IDS_UA_PROGRESS_MIN, "20").SetUserAttribute(GX_IDS_UA_PROGRESS_MAX, "10");
    grid.SetStyleRange(CGXRange(1, 1), crossed);
    EXPECT_EQ(grid.Stored(1, 1), "20");
}

TEST_F(ProgressCtrlTest, ACellWithoutAnUpperBoundKeepsItsValues)
{
    grid.SetControlCell(2, 1, GX_IDS_CTRL_PROGRESS, "0");
    ASSERT_TRUE(grid.SetValueRange(CGXRange(2, 1), "75"));
    EXPECT_EQ(grid.Stored(2, 1), "75");
}

TEST_F(ProgressCtrlTest, TheCaptionFormatHonoursOneIntegerConversion)
{
    const struct
    {
        const char* pszFormat;
        long nValue;
        const char* pszCaption;
    } cases[] = {
        {"%d%%", 50, "50%"},
        {"%ld of 100", 7, "7 of 100"},
        {"[%5d]", 42, "[   42]"},
        {"%-4d|", 3, "3   |"},
        {"%x", 255, "ff"},
        {"%n%s", 50, "%n%s"},
        {"%d and %d", 1, "1 and %d"},
        {"%s", 1, "%s"},
        {"%.3f", 1, "%.3f"},
        {"%99999d", 1, "%99999d"},
        {"100%", 5, "100%"},
        {"", 5, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GXFormatProgressCaption(c.pszFormat, c.nValue), c.pszCaption) << c.pszFormat;
}

TEST_F(ProgressCtrlTest, TheCaptionIsDrawnInContrastOverBarAndBackground)
{
    CGXStyle style = Bar("50");
    style.SetUserAttribute(GX_IDS_UA_PROGRESS_CAPTIONMASK, "WWWWWWWWWW");
    style.SetFont(grid.LookupStyleRowCol(1, 1).GetFont());
    MemoryCanvas canvas(200, 20);
    pProgress->Draw(&canvas.dc, CRect(0, 0, 200, 20), 1, 1, style, nullptr);
    int nWhiteOnBar = 0;
    int nBlueOnBack = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
        {
            nWhiteOnBar += x < 100 && canvas.At(x, y) == RGB(255, 255, 255);
            nBlueOnBack += x >= 100 && canvas.At(x, y) == RGB(0, 0, 255);
        }
    EXPECT_GT(nWhiteOnBar, 5) << "the part over the bar in the interior colour";
    EXPECT_GT(nBlueOnBack, 5) << "the part over the background in the text colour";
}

TEST_F(ProgressCtrlTest, AThemedBarDrawsTheBarAndChunkParts)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    MemoryCanvas canvas(200, 20);
    pProgress->Draw(&canvas.dc, CRect(0, 0, 200, 20), 1, 1, Bar("50"), nullptr);
    EXPECT_EQ(FakeEngine::s_lastClass, L"PROGRESS");
    EXPECT_EQ(FakeEngine::s_nPart, 3) << "the chunk last";
    EXPECT_EQ(canvas.At(150, 10), FakeEngine::kThemeRed) << "the bar part over the whole cell";
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);
}
