// Painting a grid into a memory DC: headers, grid lines, borders, selection and the area beyond the table.

#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include "grid/core/Font.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
class CPaintGridWnd : public CChosenUnitsGridWnd
{
public:
    CGXRangeList& Selection() { return GetParam()->m_SelRects; }
};

class GridDrawingTest : public GridCanvasTest<CPaintGridWnd>
{
protected:
    void SetUp() override
    {
        // Only row 0 has a height of its own; the units give way to the font's at a resize.
        ASSERT_NO_FATAL_FAILURE(OpenPaintGrid(0, FALSE));
    }
    // Pixels of a cell's inside that differ from its background (text, frames).
    int InkIn(ROWCOL nRow, ROWCOL nCol)
    {
        CRect rect = grid.CalcCellRect(nRow, nCol);
        rect.DeflateRect(2, 2);
        const COLORREF background = Pixel(rect.left, rect.top);
        int nInk = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                nInk += Pixel(x, y) != background;
        return nInk;
    }
};

TEST_F(GridDrawingTest, HeadersGridLinesFixedLinesAndBackground)
{
    Paint();
    const COLORREF gridLines = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF fixedLines = ::GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    for (ROWCOL nCol = 1; nCol <= 5; ++nCol)
        EXPECT_GT(InkIn(0, nCol), 0) << "column header " << nCol;
    EXPECT_GT(InkIn(4, 0), 0);
    EXPECT_EQ(0, InkIn(4, 3));

    EXPECT_EQ(fixedLines, Pixel(165, 2 * 19 - 1));  // bottom line of the frozen row
    EXPECT_EQ(fixedLines, Pixel(89, 100));           // right line of the frozen column
    EXPECT_EQ(gridLines, Pixel(165, 3 * 19));        // top line of row 3
    EXPECT_EQ(gridLines, Pixel(140, 100));           // left line of column 3
    EXPECT_EQ(background, Pixel(350, 100));          // right of the last column
    EXPECT_EQ(background, Pixel(150, 250));          // below the last row
}

TEST_F(GridDrawingTest, EachBorderIsDrawnOnItsOwnSide)
{
    // Cell (4,2) lies at x 90..140, y 76..95.
    struct Case
    {
        int nEdge;
        CPoint inside;
    } cases[] = {{gxBorderLeft, CPoint(91, 85)},
                 {gxBorderRight, CPoint(138, 85)},
                 {gxBorderTop, CPoint(115, 77)},
                 {gxBorderBottom, CPoint(115, 93)}};
    const COLORREF red = RGB(255, 0, 0);
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetBorders(c.nEdge, CGXStylePen().SetStyle(PS_SOLID).SetWidth(2).SetColor(red));
        grid.SetStyleRange(CGXRange(4, 2), &style, gxOverride);
        Paint();
        for (const Case& other : cases)
        {
            if (other.nEdge == c.nEdge)
                EXPECT_EQ(red, Pixel(other.inside.x, other.inside.y)) << "edge " << c.nEdge;
            else
                EXPECT_NE(red, Pixel(other.inside.x, other.inside.y)) << "edge " << c.nEdge << " at " << other.nEdge;
        }
        grid.SetStyleRange(CGXRange(4, 2), &style, gxExclude);
    }
}

TEST_F(GridDrawingTest, TheCurrentCellInASelectionIsInvertedOnlyInMode1)
{
    grid.SetCurrentCellInfo(TRUE, 5, 3);
    grid.Selection().AddTail(new CGXRange(5, 2, 6, 4));
    grid.GetParam()->m_wHideCurrentCell = 2;
    Paint();
    const COLORREF plain = Pixel(165, 8 * 19 + 9);  // cell (8,3), unselected
    EXPECT_NE(plain, Pixel(115, 5 * 19 + 9));        // (5,2) selected: inverted
    EXPECT_EQ(plain, Pixel(165, 5 * 19 + 9));        // (5,3) the current cell: not inverted

    grid.GetParam()->m_wHideCurrentCell = 1;
    Paint();
    EXPECT_NE(plain, Pixel(165, 5 * 19 + 9));
}

TEST_F(GridDrawingTest, ABufferedPaintOfTheWindowGivesTheSamePixels)
{
    Paint();
    const COLORREF direct = Pixel(165, 2 * 19 - 1);
    grid.SetBufferedPaint(1);
    ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    Paint();
    EXPECT_EQ(direct, Pixel(165, 2 * 19 - 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(350, 100));
}
}  // namespace

namespace
{
// The grid window paints itself through its paint message.
TEST(GridWindowPaintTest, AShownGridWindowPaintsItsLinesAndBackground)
{
    GXStartLibrary();
    CDialog dlg;
    CGXGridWnd grid;
    ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, FALSE));
    grid.Initialize();
    grid.SetRowCount(2);
    grid.SetColCount(1);
    grid.SetFrozenRows(1);
    grid.SetColWidth(1, 1, 50);
    grid.GetParam()->m_bLinesRightBottom = FALSE;
    dlg.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    grid.RedrawGrid(GX_UPDATENOW);

    CRect rectClient;
    grid.GetClientRect(&rectClient);
    const CRect rectCell = grid.CalcCellRect(1, 1);
    ASSERT_LT(rectCell.right + 10, rectClient.right);
    HDC hdc = ::GetDC(grid.GetSafeHwnd());
    const COLORREF fixedLine = ::GetPixel(hdc, rectCell.CenterPoint().x, rectCell.bottom - 1) & 0xFFFFFF;
    const COLORREF beyond = ::GetPixel(hdc, rectCell.right + 5, rectCell.top + 2) & 0xFFFFFF;
    ::ReleaseDC(grid.GetSafeHwnd(), hdc);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), fixedLine);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), beyond);
    dlg.DestroyWindow();
}
}  // namespace

namespace
{
class CFreeListGrid : public CGXGridCore
{
public:
    INT_PTR FreeStyles() const { return m_FreeStyles.GetSize(); }
};

TEST(GridStyleRecyclingTest, RecycledStylesAreKeptEmptyUpToALimit)
{
    GXStartLibrary();
    CFreeListGrid grid;
    CGXStyle* pStyle = grid.NewStyle();
    pStyle->SetValue("x");
    grid.RecycleStyle(pStyle);
    CGXStyle* pAgain = grid.NewStyle();
    EXPECT_EQ(pStyle, pAgain);
    EXPECT_FALSE(pAgain->GetIncludeValue());
    grid.RecycleStyle(pAgain);

    for (int i = 0; i < 510; ++i)
        grid.RecycleStyle(new CGXStyle);
    // At most 500 wait; every further one is deleted.
    EXPECT_EQ(500, grid.FreeStyles());
}
}  // namespace

namespace
{
TEST(GridRedrawTest, RedrawingARangeInvalidatesItsRectangleAndWholeRowsTheirHeaders)
{
    GXStartLibrary();
    CDialog dlg;
    CGXGridWnd grid;
    ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, FALSE));
    grid.Initialize();
    grid.SetRowCount(5);
    grid.SetColCount(2);
    grid.SetColWidth(0, 2, 30);
    dlg.ShowWindow(SW_SHOW);
    grid.UpdateWindow();

    struct Case
    {
        CGXRange range;
        CRect expected;
    } cases[] = {
        {CGXRange(2, 2), grid.CalcCellRect(2, 2)},
        // Whole rows take the row header along.
        {CGXRange().SetRows(3), CRect(0, grid.CalcCellRect(3, 1).top, 90, grid.CalcCellRect(3, 1).bottom)},
    };
    for (const Case& c : cases)
    {
        grid.ValidateRect(nullptr);
        grid.RedrawRange(c.range, GX_INVALIDATE);
        CRect update;
        ::GetUpdateRect(grid.GetSafeHwnd(), &update, FALSE);
        EXPECT_TRUE(update == c.expected) << update.left << "," << update.top << "," << update.right << ","
                                          << update.bottom;
    }
    dlg.DestroyWindow();
}
}  // namespace

namespace
{
TEST(GridFontCacheTest, EqualFontsShareOneObjectAndZoomScalesTheSelectedFont)
{
    GXStartLibrary();
    CGXGridCore grid;
    grid.SetParam(nullptr);  // zoom needs a parameter object
    CGXFont font;
    font.SetFaceName("Arial").SetSize(10);
    CFont* pFirst = grid.GetCachedFont(font);
    EXPECT_EQ(pFirst, grid.GetCachedFont(CGXFont(font)));
    ASSERT_NE(nullptr, pFirst->GetSafeHandle());

    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    CDC dc;
    dc.Attach(hdc);
    auto selectedHeight = [&] {
        LOGFONT lf{};
        ::GetObjectA(::GetCurrentObject(hdc, OBJ_FONT), sizeof(lf), &lf);
        return std::abs(static_cast<int>(lf.lfHeight));
    };
    grid.SelectZoomedFont(&dc, font);
    const int nNormal = selectedHeight();
    grid.SetZoom(200, FALSE);
    grid.SelectZoomedFont(&dc, font);
    const int nZoomed = selectedHeight();
    ::SelectObject(hdc, ::GetStockObject(SYSTEM_FONT));
    dc.Detach();
    ::DeleteDC(hdc);
    EXPECT_GT(nNormal, 0);
    EXPECT_NEAR(2 * nNormal, nZoomed, 2);
    grid.FlushDrawingCaches();
}
}  // namespace

namespace
{
TEST_F(GridDrawingTest, ATrackingLineRunsBeforeItsColumnInTheTrackingColour)
{
    Paint();
    CDC dc;
    dc.Attach(hMem);
    // Client column 3 starts at x 140; the grid has 11 rows of 19 px.
    grid.DrawGridLine(&dc, 1, 3, 1);
    dc.Detach();
    EXPECT_EQ(CRect(140, 0, 141, 11 * 19 + 1), grid.CalcGridLineRect(1, 3));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(140, 100));
    EXPECT_NE(RGB(255, 0, 0), Pixel(140, 11 * 19 + 5));
}
}  // namespace

namespace
{
TEST_F(GridDrawingTest, LinesOnTheRightAndBottomEdgesAndDottedGridLines)
{
    grid.GetParam()->m_bLinesRightBottom = TRUE;
    Paint();
    const COLORREF gridLines = ::GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), Pixel(165, 2 * 19 - 1));  // bottom line of the frozen row
    EXPECT_EQ(gridLines, Pixel(165, 4 * 19 - 1));                           // bottom line of row 3
    EXPECT_NE(gridLines, Pixel(165, 3 * 19));                               // no line on row 3's top

    grid.GetParam()->m_nGridLinePenStyle = PS_DOT;
    Paint();
    int nLinePixels = 0;
    for (int x = 141; x < 189; ++x)
        nLinePixels += Pixel(x, 4 * 19 - 1) == gridLines;
    EXPECT_GT(nLinePixels, 10);
    EXPECT_LT(nLinePixels, 38);
}
}  // namespace
