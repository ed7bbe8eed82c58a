// Radio-button cells on a real grid: the non-empty lines of the choice list are the items, a click
// selects one (the value is its number), a click on the selected one stores nothing but is still a
// button click, Space steps through the items, and the "active state" variant keeps its selection
// until the current cell moves and lays its items out side by side or with the text first.
#include "grid/controls/RadioButton.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
// A DC of the grid window holding the cells' font.
struct GridFontDC : CClientDC
{
    explicit GridFontDC(DrawnCellGrid& grid) : CClientDC(&grid)
    {
        pOld = grid.SelectZoomedFont(this, grid.LookupStyleRowCol(1, 1).GetFont());
    }
    ~GridFontDC()
    {
        if (pOld != nullptr)
            ::SelectObject(GetSafeHdc(), pOld->GetSafeHandle());
    }
    CFont* pOld = nullptr;
};

class RadioButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        UseClassicLook();
        // Room for three lines.
        grid.SetRowHeight(1, 2, 60);
        GridFontDC dc(grid);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
        nLine = std::max<int>(12, tm.tmHeight + tm.tmExternalLeading);
    }
    void TearDown() override { UseSystemLook(); }

    // The point on the button of an item of a vertical group with the text right of the buttons.
    CPoint OnItem(ROWCOL nRow, ROWCOL nCol, int nItem)
    {
        const CRect cell = grid.CalcCellRect(nRow, nCol);
        return CPoint(cell.left + 9, cell.top + nItem * nLine + nLine / 2);
    }

    DrawnCellGrid grid;
    int nLine = 12;
};
}  // namespace

TEST_F(RadioButtonTest, TheNonEmptyLinesAreTheItems)
{
    const struct
    {
        const char* pszList;
        std::vector<const char*> items;
    } cases[] = {
        {"A\n\nB", {"A", "B"}},
        {"One\r\nTwo\rThree\n", {"One", "Two", "Three"}},
        {"", {}},
        {"\n\r\n", {}},
    };
    for (const auto& c : cases)
    {
        const std::vector<CString> items = GXRadioChoiceItems(c.pszList);
        ASSERT_EQ(items.size(), c.items.size()) << c.pszList;
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i], c.items[i]);
    }
}

TEST_F(RadioButtonTest, ClickingAnItemStoresItsNumberAndTheSelectedOneStoresNothing)
{
    CGXStyle style;
    style.SetChoiceList("A\n\nB");
    grid.SetControlCell(1, 1, GX_IDS_CTRL_RADIOBTN, "", style);
    grid.Click(OnItem(1, 1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "1");
    EXPECT_EQ(grid.buttonClicks.size(), 1u);

    const int nStoresBefore = grid.nStores;
    grid.buttonClicks.clear();
    grid.Click(OnItem(1, 1, 1));
    EXPECT_EQ(grid.nStores, nStoresBefore) << "the selected item again: nothing stored";
    EXPECT_EQ(grid.buttonClicks.size(), 1u) << "but the click is reported once";

    // On the first item's text.
    const CRect cell = grid.CalcCellRect(1, 1);
    grid.Click(CPoint(cell.left + 20, cell.top + nLine / 2));
    EXPECT_EQ(grid.Stored(1, 1), "0");
    // Below the last item: nothing is hit.
    grid.buttonClicks.clear();
    grid.Click(CPoint(cell.left + 9, cell.top + 2 * nLine + nLine / 2));
    EXPECT_EQ(grid.Stored(1, 1), "0");
    EXPECT_TRUE(grid.buttonClicks.empty());
}

TEST_F(RadioButtonTest, SpaceStepsThroughTheItemsEvenBeforeTheCellWasDrawn)
{
    CGXStyle style;
    style.SetChoiceList("A\nB\nC");
    grid.SetControlCell(1, 1, GX_IDS_CTRL_RADIOBTN3D, "", style);
    grid.MoveCurrentCell(1, 1);
    std::vector<CString> values;
    for (int i = 0; i < 4; ++i)
    {
        grid.Char(VK_SPACE);
        values.push_back(grid.Stored(1, 1));
    }
    EXPECT_EQ(values, (std::vector<CString>{"0", "1", "2", "0"}));
}

TEST_F(RadioButtonTest, AReadOnlyCellKeepsItsSelection)
{
    CGXStyle style;
    style.SetChoiceList("A\nB").SetReadOnly(TRUE);
    grid.SetControlCell(1, 1, GX_IDS_CTRL_RADIOBTN, "0", style);
    grid.Click(OnItem(1, 1, 1));
    grid.Char(VK_SPACE);
    EXPECT_EQ(grid.Stored(1, 1), "0");
    EXPECT_TRUE(grid.buttonClicks.empty());
}

TEST_F(RadioButtonTest, TheFlatGroupFillsTheSelectedButtonOnly)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_RADIOBTN).SetChoiceList("A\nB").SetValue("1").SetInterior(RGB(255, 255, 255));
    grid.SetCell(1, 1, style);
    CGXRadioButton* pRadio = dynamic_cast<CGXRadioButton*>(grid.GetRegisteredControl(GX_IDS_CTRL_RADIOBTN));
    ASSERT_NE(pRadio, nullptr);
    MemoryCanvas canvas(60, 60);
    pRadio->Draw(&canvas.dc, CRect(0, 0, 60, 60), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    EXPECT_EQ(pRadio->GetItemCount(), 2);
    // Button centres: 3 + 6 across, each line's middle down.
    const int yFirst = (nLine - 12) / 2 + 6;
    EXPECT_EQ(canvas.At(9, yFirst), RGB(255, 255, 255)) << "unselected: white inside";
    EXPECT_EQ(canvas.At(9, nLine + yFirst), RGB(0, 0, 0)) << "selected: black inside";
    EXPECT_EQ(canvas.At(3, nLine + yFirst), RGB(0, 0, 0)) << "the circle's left edge";
}

TEST_F(RadioButtonTest, TheGroupIsHitOnButtonsAndTexts)
{
    GridFontDC dc(grid);
    const CRect rect(0, 0, 100, 100);
    const struct
    {
        CPoint point;
        int nItem;
    } cases[] = {
        {{2, nLine / 2}, 0},
        {{20, nLine / 2}, 0},
        {{9, nLine + 1}, 1},
        {{95, nLine / 2}, -1},  // right of the short text
        {{9, 2 * nLine + 1}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GXHitTestRadioGroup(&dc, rect.left, rect.top, rect.right, rect.bottom, "A\nB", c.point), c.nItem)
            << c.point.x << "," << c.point.y;
}

TEST_F(RadioButtonTest, TheActiveStateVariantStoresWhenTheCurrentCellMoves)
{
    CGXStyle style;
    style.SetChoiceList("A\nB");
    style.SetUserAttribute(GX_IDS_UA_RADIOBUTTON_TEXTALIGN, "1");
    grid.SetControlCell(1, 1, GX_IDS_CTRL_RADIOBTNEX, "", style);
    grid.Click(OnItem(1, 1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "") << "kept while the cell is edited";
    CGXControl* pControl = grid.GetRegisteredControl(GX_IDS_CTRL_RADIOBTNEX);
    EXPECT_TRUE(pControl->GetModify());
    EXPECT_EQ(grid.buttonClicks.size(), 1u);
    grid.Char(VK_SPACE);  // B -> A
    ASSERT_TRUE(grid.MoveCurrentCell(2, 1));
    EXPECT_EQ(grid.Stored(1, 1), "0");

    // Delete clears the selection of the cell being edited.
    grid.SetControlCell(2, 2, GX_IDS_CTRL_RADIOBTNEX, "1", style);
    ASSERT_TRUE(grid.MoveCurrentCell(2, 2));
    grid.Char(VK_SPACE);
    grid.Key(VK_DELETE);
    ASSERT_TRUE(grid.MoveCurrentCell(3, 2));
    EXPECT_EQ(grid.Stored(2, 2), "");
}

TEST_F(RadioButtonTest, TheActiveStateVariantLaysItsItemsOutByItsAttributes)
{
    GridFontDC dc(grid);
    SIZE a = {};
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), "A", 1, &a);
    const CRect rect(0, 0, 200, 60);
    // Side by side, text right: the second item starts 2 pixels after the first text.
    auto horizontal = GXLayoutRadioGroup(&dc, rect, "A\nB", TRUE, TRUE);
    ASSERT_EQ(horizontal.size(), 2u);
    EXPECT_EQ(horizontal[1].rectButton.left, 18 + a.cx + 2);
    EXPECT_EQ(horizontal[1].rectButton.top, 0);
    // Stacked, text first: the text 3 pixels in, the button's column right after it.
    auto textFirst = GXLayoutRadioGroup(&dc, rect, "A\nB", FALSE, FALSE);
    EXPECT_EQ(textFirst[0].rectText.left, 3);
    EXPECT_EQ(textFirst[0].rectButton.left, 3 + a.cx);
    EXPECT_EQ(textFirst[1].rectButton.top, nLine);

    // A click on the second button of a horizontal cell selects it.
    CGXStyle style;
    style.SetChoiceList("A\nB");
    style.SetUserAttribute(GX_IDS_UA_RADIOBUTTON_ALIGN, "1").SetUserAttribute(GX_IDS_UA_RADIOBUTTON_TEXTALIGN, "1");
    grid.SetColWidth(1, 1, 120);
    grid.SetControlCell(1, 1, GX_IDS_CTRL_RADIOBTN3DEX, "", style);
    const CRect cell = grid.CalcCellRect(1, 1);
    grid.Click(CPoint(cell.left + horizontal[1].rectButton.left + 6, cell.top + nLine / 2));
    ASSERT_TRUE(grid.MoveCurrentCell(2, 1));
    EXPECT_EQ(grid.Stored(1, 1), "1");
}

// The current cell, a group covering two rows, its first row scrolled away behind the frozen row:
// the grid draws the second half beside the frozen row, and a release there picks the item drawn
// under it.
TEST_F(RadioButtonTest, AClickBesideTheFrozenRowsPicksTheItemShownThere)
{
    CGXStyle style;
    style.SetChoiceList("A\nB\nC\nD");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_RADIOBTN, "", style);
    grid.SetRowHeight(2, 3, 2 * nLine);
    ASSERT_TRUE(grid.CoverBesideFrozenPane(2, 1, TRUE, RGB(255, 255, 0)));
    grid.MoveCurrentCell(2, 1);
    grid.ScrollHalfBehindFrozenPane(2, 1, TRUE);
    CGXControl* pRadio = grid.GetCurrentCellControl();
    ASSERT_TRUE(pRadio != nullptr && pRadio->IsInitAt(2, 1));
    // Row 3 shows the items C and D. (The grid hands a press on a covered range's other cells to
    // those cells, so the release is given to the covering cell's control as the grid does for it.)
    const CRect shown = grid.CalcCellRect(3, 1);
    pRadio->LButtonUp(0, CPoint(shown.left + 9, shown.top + nLine + nLine / 2), GX_HITINCELL);
    EXPECT_EQ(grid.Stored(2, 1), "3");
}
