// Check-box cells on a real grid: clicks in the box and the space bar toggle the value through its
// cycle, read-only cells refuse, the "modify state" variant writes only when the current cell
// moves, and the box's bitmap takes the system colours (the printed one white for the window).
#include "grid/controls/CheckBox.h"

#include "grid/core/AppData.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
class CheckBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        UseClassicLook();
    }
    void TearDown() override
    {
        UseSystemLook();
        GXGetAppData()->m_bColorOverride = FALSE;
    }

    // A point inside the box of a cell with a left-aligned box and no label: 3 pixels in from the
    // cell's top left corner, 13 pixels wide.
    CPoint InBox(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect cell = grid.CalcCellRect(nRow, nCol);
        return CPoint(cell.left + 9, cell.top + 9);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(CheckBoxTest, AClickInTheBoxStepsTheValueThroughItsCycle)
{
    struct Case
    {
        const char* pszValue;
        BOOL bTriState;
        std::vector<const char*> after;  // the value after each click
    } cases[] = {
        {"0", FALSE, {"1", "0", "1"}},
        {"x", FALSE, {"1", "0"}},
        {"", FALSE, {"1", "0"}},
        {"1", TRUE, {"0", "", "1", "0"}},
        {"x", TRUE, {"1", "0", ""}},
    };
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetTriState(c.bTriState);
        grid.SetControlCell(2, 2, GX_IDS_CTRL_CHECKBOX3D, c.pszValue, style);
        for (const char* pszAfter : c.after)
        {
            grid.Click(InBox(2, 2));
            EXPECT_EQ(grid.Stored(2, 2), pszAfter) << c.pszValue << (c.bTriState ? " tri-state" : "");
        }
    }
}

TEST_F(CheckBoxTest, TheTextsOfTheCellsOwnAttributesAreTheValues)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CHECKBOX_CHECKED, "yes").SetUserAttribute(GX_IDS_UA_CHECKBOX_UNCHECKED, "no");
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX, "no", style);
    grid.Click(InBox(1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "yes");
    grid.Click(InBox(1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "no");
    // Each toggle is a button click of the cell for the grid.
    EXPECT_EQ(grid.buttonClicks.size(), 2u);
}

TEST_F(CheckBoxTest, AClickBesideTheBoxChangesNothing)
{
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX, "0");
    const CRect cell = grid.CalcCellRect(1, 1);
    grid.Click(CPoint(cell.right - 10, cell.top + 9));
    EXPECT_EQ(grid.Stored(1, 1), "0");
    // Pressed in the box but released outside it: no toggle either.
    grid.Press(InBox(1, 1));
    grid.Release(CPoint(cell.right - 10, cell.top + 9));
    EXPECT_EQ(grid.Stored(1, 1), "0");
    EXPECT_TRUE(grid.buttonClicks.empty());
}

TEST_F(CheckBoxTest, SpaceTogglesTheCurrentCell)
{
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX, "0");
    grid.MoveCurrentCell(1, 1);
    grid.Char(VK_SPACE);
    EXPECT_EQ(grid.Stored(1, 1), "1");
    grid.Char(VK_SPACE);
    EXPECT_EQ(grid.Stored(1, 1), "0");
}

TEST_F(CheckBoxTest, AReadOnlyCellRefusesClicksAndSpace)
{
    CGXStyle style;
    style.SetReadOnly(TRUE);
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX3D, "0", style);
    grid.Click(InBox(1, 1));
    grid.Char(VK_SPACE);
    EXPECT_EQ(grid.Stored(1, 1), "0");
    CGXCheckBox* pBox = dynamic_cast<CGXCheckBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX3D));
    ASSERT_NE(pBox, nullptr);
    EXPECT_FALSE(pBox->IsPressed());
}

TEST_F(CheckBoxTest, TheBoxLooksPressedOnlyWhileTheHeldMouseIsOverIt)
{
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX, "0");
    CGXCheckBox* pBox = dynamic_cast<CGXCheckBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX));
    ASSERT_NE(pBox, nullptr);
    grid.Press(InBox(1, 1));
    EXPECT_TRUE(pBox->IsPressed());
    grid.MoveHeld(CPoint(grid.CalcCellRect(1, 1).right - 5, InBox(1, 1).y));
    EXPECT_FALSE(pBox->IsPressed());
    grid.MoveHeld(InBox(1, 1));
    EXPECT_TRUE(pBox->IsPressed());
    grid.Release(InBox(1, 1));
    EXPECT_FALSE(pBox->IsPressed());
    EXPECT_EQ(grid.Stored(1, 1), "1");
}

TEST_F(CheckBoxTest, TheModifyStateVariantWritesOnlyWhenTheCurrentCellMoves)
{
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX_EX, "0");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_CHECKBOX_EX, "0");
    grid.Click(InBox(1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "0") << "kept in the control while the cell is edited";
    CGXControl* pControl = grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX_EX);
    CString edited;
    ASSERT_TRUE(pControl->GetValue(edited));
    EXPECT_EQ(edited, "1");
    EXPECT_TRUE(pControl->GetModify());
    grid.Char(VK_SPACE);
    grid.Char(VK_SPACE);
    // Delete clears the edited value.
    grid.Key(VK_DELETE);
    ASSERT_TRUE(pControl->GetValue(edited));
    EXPECT_EQ(edited, "");
    grid.Char(VK_SPACE);
    EXPECT_EQ(grid.Stored(1, 1), "0");

    ASSERT_TRUE(grid.MoveCurrentCell(2, 1));
    EXPECT_EQ(grid.Stored(1, 1), "1");
    EXPECT_EQ(grid.Stored(2, 1), "0");
}

TEST_F(CheckBoxTest, TheStripsColoursAreTheSystemsOrTheOverride)
{
    CGXCheckBox box(&grid, FALSE);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    const struct
    {
        COLORREF palette, screen, print;
    } cases[] = {
        {RGB(255, 0, 0), window, RGB(255, 255, 255)},
        {RGB(0, 255, 0), frame, frame},
        {RGB(0, 0, 0), ::GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0)},
        {RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE)},
        {RGB(128, 128, 128), RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(box.MapBitmapColor(c.palette, FALSE), c.screen) << std::hex << c.palette;
        EXPECT_EQ(box.MapBitmapColor(c.palette, TRUE), c.print) << std::hex << c.palette;
    }
    CGXAppData* pAppData = GXGetAppData();
    pAppData->m_bColorOverride = TRUE;
    pAppData->m_clrOverrideWindow = RGB(1, 2, 3);
    pAppData->m_clrOverrideFrame = RGB(4, 5, 6);
    EXPECT_EQ(box.MapBitmapColor(RGB(255, 0, 0), FALSE), RGB(1, 2, 3));
    EXPECT_EQ(box.MapBitmapColor(RGB(255, 0, 0), TRUE), RGB(255, 255, 255));
    EXPECT_EQ(box.MapBitmapColor(RGB(0, 255, 0), FALSE), RGB(4, 5, 6));
}

TEST_F(CheckBoxTest, AFlatBoxIsDrawnInTheMappedColours)
{
    CGXAppData* pAppData = GXGetAppData();
    pAppData->m_bColorOverride = TRUE;
    pAppData->m_clrOverrideWindow = RGB(0, 128, 255);
    pAppData->m_clrOverrideFrame = RGB(200, 0, 200);
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_CHECKBOX).SetValue("1").SetInterior(RGB(255, 255, 255));
    grid.SetCell(1, 1, style);
    CGXControl* pBox = grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX);
    MemoryCanvas canvas(60, 20);
    pBox->Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    // The box at (3, 3): its frame, its interior and the check mark's first pixel (4 right, 5 down).
    EXPECT_EQ(canvas.At(3, 8), RGB(200, 0, 200));
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 128, 255));
    EXPECT_EQ(canvas.At(6, 8), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(canvas.At(20, 8), RGB(255, 255, 255)) << "the cell's interior right of the box";
}

TEST_F(CheckBoxTest, ALowCellShowsTheBoxTopClippedNotSqueezed)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_CHECKBOX).SetValue("0");
    grid.SetCell(1, 1, style);
    CGXControl* pBox = grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX);
    MemoryCanvas canvas(60, 20);
    pBox->Draw(&canvas.dc, CRect(0, 0, 60, 10), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    // The box starts at the top: its top frame row is row 0, and the cell clips it at row 9.
    EXPECT_EQ(canvas.At(6, 0), frame);
    EXPECT_EQ(canvas.At(3, 8), frame);
    EXPECT_NE(canvas.At(6, 8), frame) << "no bottom frame row squeezed into the cell";
}

TEST_F(CheckBoxTest, AThemedBoxAsksForTheCheckBoxPartInItsState)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    CGXControl* pBox = grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX3D);
    const struct
    {
        const char* pszValue;
        BOOL bTriState;
        int nState;
    } cases[] = {{"1", FALSE, 5}, {"0", FALSE, 1}, {"", FALSE, 1}, {"", TRUE, 8}};
    for (const auto& c : cases)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_CHECKBOX3D).SetValue(c.pszValue).SetTriState(c.bTriState);
        MemoryCanvas canvas(60, 20);
        pBox->Draw(&canvas.dc, CRect(0, 0, 60, 20), 3, 3, style, nullptr);
        EXPECT_EQ(FakeEngine::s_lastClass, L"Button");
        EXPECT_EQ(FakeEngine::s_nPart, 3);
        EXPECT_EQ(FakeEngine::s_nState, c.nState) << c.pszValue;
        EXPECT_EQ(canvas.At(9, 9), FakeEngine::kThemeRed);
    }
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);
}

TEST_F(CheckBoxTest, WhilePrintingTheFlatPrintBitmapIsUsedWithoutThePressedLook)
{
    CGXAppData* pAppData = GXGetAppData();
    pAppData->m_bColorOverride = TRUE;
    pAppData->m_clrOverrideWindow = RGB(0, 128, 255);
    pAppData->m_clrOverrideFrame = RGB(200, 0, 200);
    grid.SetControlCell(1, 1, GX_IDS_CTRL_CHECKBOX3D, "0");
    CGXControl* pBox = grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX3D);
    // Held down in the current cell: the screen shows the pressed image.
    grid.Press(InBox(1, 1));
    MemoryCanvas screen(60, 20);
    pBox->Draw(&screen.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    EXPECT_EQ(screen.At(9, 9), ::GetSysColor(COLOR_BTNFACE));

    grid.SetPrinting(TRUE);
    MemoryCanvas paper(60, 20);
    pBox->Draw(&paper.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    grid.SetPrinting(FALSE);
    EXPECT_EQ(paper.At(9, 9), RGB(255, 255, 255)) << "white, not the window colour, and not pressed";
    EXPECT_EQ(paper.At(3, 9), RGB(200, 0, 200)) << "the flat strip's frame";
    grid.Release(InBox(1, 1));
}
