// The row-banded drawing path and rotated text: the path paints what the normal paint paints,
// keeps each row's cells inside their band, and rotated text starts where its angle puts it.
#include "grid/features/DrawRotatedTextImp.h"
#include "grid/features/GridOldDrawingImp.h"

#include "framework/win/Dc.h"
#include "grid/core/Control.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace
{
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(RotatedText, TheAngleAndTheAlignmentPlaceTheStart)
{
    const RECT rect = {10, 20, 110, 70};
    const CSize extent(40, 10);
    struct Case
    {
        LONG nTenths;
        UINT nFormat;
        CPoint start;
    };
    const Case cases[] = {
        {0, 0, CPoint(10, 25)},
        {3600, 0, CPoint(10, 25)},
        {900, 0, CPoint(10, 65)},
        {-900, 0, CPoint(20, 20)},
        {2700, 0, CPoint(20, 20)},
        {-900, DT_VCENTER, CPoint(20, 25)},
        {0, DT_CENTER | DT_VCENTER, CPoint(35, 45)},
        {0, DT_RIGHT | DT_BOTTOM, CPoint(60, 65)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GXRotatedTextOrigin(rect, extent, c.nFormat, c.nTenths), c.start)
            << c.nTenths << " format " << c.nFormat;
}

// A control that paints its cell blue and reaches 6 pixels above it, as a control that does not
// keep to its cell would.
class CReachingControl : public CGXControl
{
public:
    explicit CReachingControl(CGXGridCore* pGrid) : CGXControl(pGrid) {}
    void Draw(CDC* pDC, CRect rect, ROWCOL, ROWCOL, const CGXStyle&, const CGXStyle*) override
    {
        rect.top -= 6;
        CGXDrawingAndFormatting::FillSolidRect(pDC, rect, kBlue);
    }
};
const WORD kReachingControlId = 30001;

// A control that draws nothing and notes, per cell, whether the grid asked it to fill its interior.
class CFillNotingControl : public CGXControl
{
public:
    explicit CFillNotingControl(CGXGridCore* pGrid) : CGXControl(pGrid) {}
    void Draw(CDC*, CRect, ROWCOL nRow, ROWCOL nCol, const CGXStyle&, const CGXStyle*) override
    {
        asked[{nRow, nCol}] = m_pGrid->IsFillInterior();
    }
    std::map<std::pair<ROWCOL, ROWCOL>, BOOL> asked;
};
const WORD kFillNotingControlId = 30002;

class RowBandedDrawingTest : public GridCanvasTest<CChosenUnitsGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenPaintGrid(10, TRUE));
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
    }
    std::vector<COLORREF> PaintAll()
    {
        ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
        Paint();
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
};

TEST_F(RowBandedDrawingTest, TheRowBandedPathPaintsWhatTheNormalPaintPaints)
{
    // The path draws the column lines before the row lines, the normal paint after them: where a
    // frozen part's line in its own colour crosses a grid line they differ by design.
    grid.SetFrozenRows(0);
    grid.SetFrozenCols(0);
    grid.SetStyleRange(CGXRange(2, 1, 3, 2), CGXStyle().SetInterior(kYellow));
    grid.SetStyleRange(CGXRange(4, 3), CGXStyle().SetValue("covered").SetInterior(kRed));
    grid.SetCoveredCellsRowCol(4, 3, 6, 4);
    grid.SetStyleRange(CGXRange(7, 1, 9, 1), CGXStyle().SetValue("M").SetMergeCell(2));
    grid.SetStyleRange(CGXRange(8, 3), CGXStyle().SetValue("a text that floats on"));
    grid.SetMergeCellsMode(2);
    grid.SetFloatCellsMode(2);
    const std::vector<COLORREF> normal = PaintAll();

    grid.GetParam()->m_bRowBandedDrawing = TRUE;
    const std::vector<COLORREF> banded = PaintAll();
    EXPECT_TRUE(grid.m_bOldDrawing) << "the grid keeps to the row-banded path";
    EXPECT_GT(std::count(normal.begin(), normal.end(), kRed), 19 * 50 * 3) << "the covered range is painted whole";
    EXPECT_EQ(std::count(banded.begin(), banded.end(), kRed), std::count(normal.begin(), normal.end(), kRed));
    EXPECT_TRUE(banded == normal);
}

TEST_F(RowBandedDrawingTest, EachRowsCellsKeepToTheirBand)
{
    grid.RegisterControl(kReachingControlId, new CReachingControl(&grid));
    grid.SetStyleRange(CGXRange(3, 2), CGXStyle().SetControl(kReachingControlId));
    // Cell (3, 2) lies at x 90..140, y 57..76; the control reaches up to 51, into row 2.
    const CRect rowAbove(91, 50, 139, 56);
    auto blueAbove = [&] {
        int n = 0;
        for (int y = rowAbove.top; y < rowAbove.bottom; ++y)
            for (int x = rowAbove.left; x < rowAbove.right; ++x)
                n += Pixel(x, y) == kBlue;
        return n;
    };
    PaintAll();
    EXPECT_GT(blueAbove(), 0) << "the normal paint lets the control reach out";

    grid.GetParam()->m_bRowBandedDrawing = TRUE;
    PaintAll();
    EXPECT_EQ(blueAbove(), 0);
    EXPECT_EQ(Pixel(110, 60), kBlue) << "inside its own band it draws";

    // A printout may drop the bands.
    grid.GetParam()->m_bRowBandedNoClipPrinting = TRUE;
    PaintAll();
    EXPECT_EQ(blueAbove(), 0) << "the switch is for printing only";
}

TEST_F(RowBandedDrawingTest, NeighboursOfOneInteriorAreFilledAsOneRectangle)
{
    auto* pControl = new CFillNotingControl(&grid);
    grid.RegisterControl(kFillNotingControlId, pControl);
    const CGXStyle yellow = CGXStyle().SetInterior(kYellow).SetControl(kFillNotingControlId);
    grid.SetStyleRange(CGXRange(2, 2, 3, 3), yellow);  // four neighbours
    grid.SetStyleRange(CGXRange(6, 4), yellow);        // a cell on its own
    grid.SetStyleRange(CGXRange(6, 5), CGXStyle().SetInterior(kBlue).SetControl(kFillNotingControlId));
    grid.GetParam()->m_bRowBandedDrawing = TRUE;
    PaintAll();
    for (ROWCOL nRow = 2; nRow <= 3; ++nRow)
        for (ROWCOL nCol = 2; nCol <= 3; ++nCol)
        {
            ASSERT_EQ(pControl->asked.count(std::make_pair(nRow, nCol)), 1u) << nRow << "," << nCol;
            EXPECT_FALSE(pControl->asked[std::make_pair(nRow, nCol)])
                << nRow << "," << nCol << " is filled with the block";
        }
    // Cell (2, 2) lies at x 90..140, y 38..57 and (3, 3) at x 140..190, y 57..76: filled, lines aside.
    EXPECT_EQ(Pixel(100, 45), kYellow);
    EXPECT_EQ(Pixel(180, 70), kYellow);
    EXPECT_TRUE(pControl->asked[std::make_pair(ROWCOL(6), ROWCOL(4))]) << "a rectangle of one cell is left to the cell";
    EXPECT_TRUE(pControl->asked[std::make_pair(ROWCOL(6), ROWCOL(5))]) << "another interior starts another rectangle";
}

TEST_F(RowBandedDrawingTest, WithoutTheSwitchTheNormalPaintRuns)
{
    PaintAll();
    EXPECT_FALSE(grid.m_bOldDrawing);
}

TEST_F(RowBandedDrawingTest, TurnedTextRunsUpTheCell)
{
    grid.SetRowHeight(3, 3, 120);
    grid.SetStyleRange(CGXRange(3, 2), CGXStyle()
                                           .SetValue("HHHHHHHH")
                                           .SetTextColor(kBlack)
                                           .SetFont(CGXFont().SetOrientation(900))
                                           .SetVerticalAlignment(DT_BOTTOM));
    PaintAll();
    // The ink's bounding box in the cell (x 90..140, y 57..177) is taller than wide.
    int nLeft = 400, nRight = -1, nTop = 300, nBottom = -1;
    for (int y = 58; y < 177; ++y)
        for (int x = 91; x < 140; ++x)
            if (Pixel(x, y) == kBlack)
            {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
                nTop = std::min(nTop, y);
                nBottom = std::max(nBottom, y);
            }
    ASSERT_GE(nRight, nLeft) << "the text is drawn";
    EXPECT_GT(nBottom - nTop, 2 * (nRight - nLeft));
}
} // namespace
