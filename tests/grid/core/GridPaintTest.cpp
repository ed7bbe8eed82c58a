// The paint path in detail: the paint context, grid-line and border runs, brushes of every kind,
// the current cell's selection frame, commit redraws and client-cell positions.

#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace
{
using Cell = std::pair<ROWCOL, ROWCOL>;

class CProbeGridWnd : public CChosenUnitsGridWnd
{
public:
    // The scroll bars are brought up to date at the next chance.
    void ForgetScrollCounts()
    {
        m_nLastScrollRows = GX_INVALID;
        m_nLastScrollCols = GX_INVALID;
    }
    // Holds the bars as they are, without the update that unlocking brings.
    void HoldScrollBars(BOOL bHold) { m_bLockScrollbarsFlag = bHold; }
    BOOL DataCellQuery(ROWCOL nRow, ROWCOL nCol) override
    {
        return answering.count({nRow, nCol}) != 0 || CGXGridWnd::DataCellQuery(nRow, nCol);
    }
    void DataCellNotify(ROWCOL nRow, ROWCOL nCol, DWORD dwReason) override
    {
        notified.push_back({nRow, nCol});
        CGXGridWnd::DataCellNotify(nRow, nCol, dwReason);
    }
    const CGXStyle& LookupCellStyle(ROWCOL nRow, ROWCOL nCol) override
    {
        lookups.push_back({nRow, nCol});
        return CGXGridWnd::LookupCellStyle(nRow, nCol);
    }
    std::set<Cell> answering;
    std::vector<Cell> notified;
    std::vector<Cell> lookups;
};

// Sees every paint after the cells are prepared; draws nothing itself unless told to.
class CRecordingOldDrawing : public CGXAbstractGridOldDrawingImp
{
public:
    BOOL PaintGrid(CGXGridCore* pGrid, CDC*, CGXGridPaintContext& context) override
    {
        rows = context.m_anRows;
        cols = context.m_anCols;
        flags = context.m_awFlags;
        nCols = context.m_nCols;
        nSkipped = pGrid->m_SkippedCellRects.GetCount();
        return bTakeOver;
    }
    BOOL DrawGridLinesOldStyle(CGXGridCore*, CDC*) override { return FALSE; }
    WORD FlagsOf(ROWCOL nRow, ROWCOL nCol) const
    {
        for (size_t r = 0; r + 1 < rows.size(); ++r)
            for (size_t c = 0; c + 1 < cols.size(); ++c)
                if (rows[r] == nRow && cols[c] == nCol)
                    return flags[r * nCols + c];
        return 0xFFFF;
    }
    BOOL bTakeOver = FALSE;
    std::vector<ROWCOL> rows;
    std::vector<ROWCOL> cols;
    std::vector<WORD> flags;
    UINT nCols = 0;
    INT_PTR nSkipped = -1;
};

// Rows are 19 pixels high, the row-header column 40 and every other column 50 pixels wide: cell
// (r, c) with c > 0 lies at x 40 + 50 (c - 1) .. + 50, y 19 r .. + 19.
class GridPaintTest : public GridCanvasTest<CProbeGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenPaintGrid(10, TRUE));
        ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    }
    void TearDown() override
    {
        grid.m_pOldDrawingImp = nullptr;
        GridCanvasTest<CProbeGridWnd>::TearDown();
    }
    static CRect CellRect(ROWCOL nRow, ROWCOL nCol)
    {
        const int x = nCol == 0 ? 0 : 40 + 50 * static_cast<int>(nCol - 1);
        return CRect(x, 19 * static_cast<int>(nRow), x + (nCol == 0 ? 40 : 50), 19 * static_cast<int>(nRow + 1));
    }
    void SetStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        grid.SetStyleRange(CGXRange(nRow, nCol), &style, gxOverride);
    }
    int CountColor(const CRect& rect, COLORREF color) const
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                n += Pixel(x, y) == color;
        return n;
    }
};

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

TEST_F(GridPaintTest, EqualBorderPensOfNeighboursMakeOneStripAndADifferentPenEndsIt)
{
    CGXStyle style;
    style.SetBorders(gxBorderBottom, CGXStylePen(PS_SOLID, 2, kRed));
    SetStyle(4, 2, style);
    SetStyle(4, 3, style);
    style.SetBorders(gxBorderBottom, CGXStylePen(PS_SOLID, 2, kBlue));
    SetStyle(4, 4, style);
    Paint();
    // Row 4's bottom strip: y 93..94. The vertical grid lines cross it at x 90, 140, 190.
    for (int x = 91; x < 190; ++x)
    {
        if (x == 140)
            continue;
        EXPECT_EQ(kRed, Pixel(x, 93)) << x;
        EXPECT_EQ(kRed, Pixel(x, 94)) << x;
    }
    EXPECT_EQ(kBlue, Pixel(200, 94));
    EXPECT_NE(kRed, Pixel(60, 94));
}

TEST_F(GridPaintTest, ADashedBorderShowsThePenAndTheInteriorAndRunsInPatternAcrossCells)
{
    CGXStyle style;
    style.SetInterior(kYellow);
    style.SetBorders(gxBorderTop, CGXStylePen(PS_DASH, 1, kRed));
    SetStyle(4, 2, style);
    SetStyle(4, 3, style);
    Paint();
    const CRect strip(91, 76, 189, 77);
    EXPECT_GT(CountColor(strip, kRed), 20);
    EXPECT_GT(CountColor(strip, kYellow), 20);
    // Every pixel but the crossing vertical grid line at x 140 is one of the two.
    EXPECT_EQ(strip.Width() - 1, CountColor(strip, kRed) + CountColor(strip, kYellow));
}

TEST_F(GridPaintTest, InteriorsOfEveryBrushKindShowTheirColours)
{
    struct Case
    {
        const char* name;
        CGXStyleBrush brush;
        bool bFore;
        bool bBack;
    };
    CGXStyleBrush hatched(CGXStyleBrush::bsHatched, kRed, HS_CROSS);
    hatched.SetBkColor(kBlue);
    CGXStyleBrush pattern;
    pattern.SetPattern(5).SetColor(kRed).SetBkColor(kBlue);
    CGXStyleBrush hollow(CGXStyleBrush::bsHollow, kRed);
    hollow.SetBkColor(kBlue);
    const Case cases[] = {{"solid", CGXStyleBrush(CGXStyleBrush::bsSolid, kRed), true, false},
                          {"hatched", hatched, true, true},
                          {"pattern", pattern, true, true},
                          {"hollow", hollow, false, true}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetInterior(c.brush);
        SetStyle(5, 3, style);
        Paint();
        CRect inside = CellRect(5, 3);
        inside.DeflateRect(2, 2);
        EXPECT_EQ(c.bFore, CountColor(inside, kRed) > 10) << c.name;
        EXPECT_EQ(c.bBack, CountColor(inside, kBlue) > 10) << c.name;
    }
}

TEST_F(GridPaintTest, APatternInteriorOnAPrinterDCShowsBothColours)
{
    CGXStyleBrush pattern;
    pattern.SetPattern(5).SetColor(kRed).SetBkColor(kBlue);
    CDC dc;
    dc.Attach(hMem);
    dc.m_bPrinting = TRUE;
    grid.DrawBrushRect(&dc, CRect(10, 10, 30, 30), pattern);
    dc.m_bPrinting = FALSE;
    dc.Detach();
    EXPECT_GT(CountColor(CRect(10, 10, 30, 30), kRed), 50);
    EXPECT_GT(CountColor(CRect(10, 10, 30, 30), kBlue), 50);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(30, 30));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(9, 9));
}

TEST_F(GridPaintTest, APatternInteriorFarLargerThanThePrinterDCShowsAsTheCellsOwnPattern)
{
    // A cell of a damaged document can be larger than any bitmap; what the page shows of it is
    // patterned as the cell is, from the cell's own corner.
    CGXStyleBrush pattern;
    pattern.SetPattern(5).SetColor(kRed).SetBkColor(kBlue);
    CDC dc;
    dc.Attach(hMem);
    dc.m_bPrinting = TRUE;
    grid.DrawBrushRect(&dc, CRect(3, 5, 400, 300), pattern);
    std::vector<COLORREF> small;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            small.push_back(Pixel(x, y));
    ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    grid.DrawBrushRect(&dc, CRect(3 - 8 * 10000000, 5 - 8 * 10000000, 80000000, 80000000), pattern);
    dc.m_bPrinting = FALSE;
    dc.Detach();
    int nDiffering = 0;
    for (int y = 5; y < 300; ++y)
        for (int x = 3; x < 400; ++x)
            nDiffering += Pixel(x, y) != small[static_cast<size_t>(y) * 400 + static_cast<size_t>(x)];
    EXPECT_EQ(nDiffering, 0);
    EXPECT_GT(CountColor(CRect(3, 5, 400, 300), kRed), 1000);
}

TEST_F(GridPaintTest, BordersOnAPrinterDCAndInBlackAndWhitePrinting)
{
    CDC dc;
    dc.Attach(hMem);
    dc.m_bPrinting = TRUE;
    const CGXStyleBrush white(CGXStyleBrush::bsSolid, RGB(255, 255, 255));
    grid.DrawBorder(CGXStylePen(PS_SOLID, 3, kRed), CRect(10, 10, 50, 50), gxBorderLeft, &dc, white);
    grid.GetProperties()->SetPrinting(TRUE);
    grid.GetProperties()->SetBlackWhite(TRUE);
    ::PatBlt(hMem, 60, 0, 100, 100, WHITENESS);
    grid.DrawBorder(CGXStylePen(PS_SOLID, 2, kRed), CRect(60, 10, 100, 50), gxBorderTop, &dc, white);
    grid.DrawBorder(CGXStylePen(PS_DOT, 1, kRed), CRect(60, 30, 100, 50), gxBorderBottom, &dc, white);
    grid.GetProperties()->SetPrinting(FALSE);
    dc.m_bPrinting = FALSE;
    dc.Detach();
    EXPECT_EQ(kRed, Pixel(10, 30));
    EXPECT_EQ(kRed, Pixel(12, 30));
    EXPECT_NE(kRed, Pixel(13, 30));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(80, 11));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(80, 12));
    EXPECT_GT(CountColor(CRect(60, 49, 100, 50), RGB(0, 0, 0)), 0);
}

TEST_F(GridPaintTest, TheCurrentCellsSelectionFrameFollowsTheGridLinePosition)
{
    struct Case
    {
        BOOL bRightBottom;
        std::vector<CPoint> inverted;  // offsets from the cell's left-top and right-bottom corners
        std::vector<CPoint> plain;
    };
    // Offsets: positive from (L, T), negative from (R, B).
    const Case cases[] = {
        {FALSE, {{1, 1}, {5, 2}, {1, 10}, {-1, 10}, {10, -1}}, {{5, 4}, {25, 10}, {-3, -4}}},
        {TRUE, {{1, 1}, {1, 10}, {-3, -4}, {10, -1}}, {{5, 2}, {25, 10}, {-4, -5}}},
    };
    grid.SetCurrentCellInfo(TRUE, 5, 3);
    grid.GetParam()->m_SelRects.AddTail(new CGXRange(5, 2, 6, 4));
    grid.GetParam()->m_wHideCurrentCell = 2;
    grid.GetParam()->m_nCurrentCellDisplay = 1;
    const CRect cell = CellRect(5, 3);
    auto at = [&](CPoint offset) {
        return CPoint(offset.x >= 0 ? cell.left + offset.x : cell.right + offset.x,
                      offset.y >= 0 ? cell.top + offset.y : cell.bottom + offset.y);
    };
    for (const Case& c : cases)
    {
        // The same paint without the frame gives the plain pixels (the cell's control draws its own
        // current-cell frame in both).
        grid.GetParam()->m_bLinesRightBottom = c.bRightBottom;
        grid.GetParam()->m_nCurrentCellDisplay = 0;
        Paint();
        std::vector<COLORREF> plainPixels;
        for (const std::vector<CPoint>* pPoints : {&c.inverted, &c.plain})
            for (CPoint offset : *pPoints)
                plainPixels.push_back(Pixel(at(offset).x, at(offset).y));
        grid.GetParam()->m_nCurrentCellDisplay = 1;
        Paint();
        size_t i = 0;
        for (CPoint offset : c.inverted)
            EXPECT_EQ(0xFFFFFF & ~plainPixels[i++], Pixel(at(offset).x, at(offset).y))
                << "lines right/bottom " << c.bRightBottom << " at " << offset.x << "," << offset.y;
        for (CPoint offset : c.plain)
            EXPECT_EQ(plainPixels[i++], Pixel(at(offset).x, at(offset).y))
                << "lines right/bottom " << c.bRightBottom << " at " << offset.x << "," << offset.y;
    }

    // Once asked, the current cell is inverted whole, and the request holds for one call only.
    CDC dc;
    dc.Attach(hMem);
    const COLORREF before = Pixel(165, 104);
    grid.SetInvertCurrentCell(TRUE);
    grid.InvertCellSelection(&dc, 5, 3, cell);
    EXPECT_EQ(0xFFFFFF & ~before, Pixel(165, 104));
    grid.InvertCellSelection(&dc, 5, 3, cell);
    EXPECT_EQ(0xFFFFFF & ~before, Pixel(165, 104));
    dc.Detach();
}

TEST_F(GridPaintTest, ACellOfNoWidthGetsNoFlagsAndTheArraysEndWithTheFollowingRowAndColumn)
{
    CRecordingOldDrawing old;
    grid.m_pOldDrawingImp = &old;
    grid.SetColWidth(3, 3, 0);
    CGXStyle style;
    style.SetInterior(kRed).SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 1, kBlue));
    SetStyle(4, 3, style);
    SetStyle(4, 2, style);
    CRect clip(0, 0, 150, 100);
    ::IntersectClipRect(hMem, clip.left, clip.top, clip.right, clip.bottom);
    Paint();
    EXPECT_EQ(0, old.FlagsOf(4, 3));
    EXPECT_EQ(0, old.FlagsOf(2, 3));
    EXPECT_EQ(GX_PAINT_BORDERTOP, old.FlagsOf(4, 2) & 0xF);
    EXPECT_NE(0, old.FlagsOf(4, 2) & GX_PAINT_BACKGROUND);
    EXPECT_NE(0, old.FlagsOf(1, 1) & GX_PAINT_LASTFROZENROW);
    EXPECT_NE(0, old.FlagsOf(3, 1) & GX_PAINT_LASTFROZENCOL);
    EXPECT_EQ(0, old.FlagsOf(3, 2) & (GX_PAINT_LASTFROZENCOL | GX_PAINT_LASTFROZENROW));
    // The block ends inside the table: the entries after it name the next row and column.
    ASSERT_FALSE(old.rows.empty());
    ASSERT_FALSE(old.cols.empty());
    EXPECT_EQ(old.rows[old.rows.size() - 2] + 1, old.rows.back());
    EXPECT_EQ(old.cols[old.cols.size() - 2] + 1, old.cols.back());

    // A block that reaches the table's last column ends its column entries with 0.
    ::SelectClipRgn(hMem, nullptr);
    Paint();
    EXPECT_EQ(5u, old.cols[old.cols.size() - 2]);
    EXPECT_EQ(0u, old.cols.back());
}

TEST_F(GridPaintTest, AnOldStyleDrawingThatTakesThePaintLeavesEverythingToIt)
{
    CRecordingOldDrawing old;
    old.bTakeOver = TRUE;
    grid.m_pOldDrawingImp = &old;
    Paint();
    EXPECT_EQ(0, CountColor(CRect(0, 0, 400, 300), RGB(255, 255, 255)) + CountColor(CRect(0, 0, 400, 300), ::GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(grid.notified.empty());
}

TEST_F(GridPaintTest, TheClosingLineFollowsTheTableOnlyWithLinesOnTheLeftAndTop)
{
    const COLORREF gridLines = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    struct Case
    {
        BOOL bRightBottom;
        COLORREF rightOfTable;  // x 290, the first pixel right of the last column
        COLORREF belowTable;    // y 209, the first pixel below the last row
    } cases[] = {{FALSE, gridLines, gridLines}, {TRUE, background, background}};
    for (const Case& c : cases)
    {
        grid.GetParam()->m_bLinesRightBottom = c.bRightBottom;
        Paint();
        EXPECT_EQ(c.rightOfTable, Pixel(290, 100)) << c.bRightBottom;
        EXPECT_EQ(c.belowTable, Pixel(200, 209)) << c.bRightBottom;
        EXPECT_EQ(background, Pixel(300, 100));
        EXPECT_EQ(background, Pixel(200, 220));
    }
    // A set sixth parameter member leaves the area alone.
    ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    grid.GetParam()->m_nSetting5 = 1;
    Paint();
    EXPECT_EQ(RGB(0, 0, 0), Pixel(300, 100));
}

TEST_F(GridPaintTest, EveryPaintedCellIsNotifiedToTheData)
{
    ::IntersectClipRect(hMem, 45, 20, 135, 56);  // cells (1..2, 1..2)
    Paint();
    std::set<Cell> notified(grid.notified.begin(), grid.notified.end());
    EXPECT_EQ(grid.notified.size(), notified.size());
    EXPECT_EQ((std::set<Cell>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}), notified);
}

TEST_F(GridPaintTest, ACommitRedrawDrawsRowsFromTheFirstAnsweringCellAndRecordsThem)
{
    CRecordingOldDrawing old;
    grid.m_pOldDrawingImp = &old;
    grid.answering = {{5, 3}, {5, 5}};
    grid.GetParam()->GetPendingCells().DeleteAll();
    grid.m_bCommitRedraw = TRUE;
    Paint();
    grid.m_bCommitRedraw = FALSE;
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(black, Pixel(20, 5 * 19 + 9));    // (5, 0): skipped
    EXPECT_EQ(black, Pixel(115, 5 * 19 + 9));   // (5, 2): skipped
    EXPECT_NE(black, Pixel(165, 5 * 19 + 9));   // (5, 3): drawn
    EXPECT_NE(black, Pixel(215, 5 * 19 + 9));   // (5, 4): drawn
    EXPECT_EQ(black, Pixel(165, 4 * 19 + 9));   // row 4: no cell answers
    EXPECT_TRUE(grid.notified.empty());
    // Three cells of row 5 and the six of each of the ten other rows were skipped; the paint freed
    // their rectangles at its end.
    EXPECT_EQ(3 + 10 * 6, old.nSkipped);
    EXPECT_TRUE(grid.m_SkippedCellRects.IsEmpty());
    CGXRangeList& pending = grid.GetParam()->GetPendingCells();
    ASSERT_EQ(1, pending.GetCount());
    const CGXRange* pEntry = static_cast<const CGXRange*>(pending.GetHead());
    EXPECT_EQ(5u, pEntry->top);
    EXPECT_EQ(3u, pEntry->left);
    pending.DeleteAll();
}

TEST_F(GridPaintTest, PaintSetting1ComposesEveryStyleColumnByColumnFirst)
{
    struct Case
    {
        WORD wSetting;
        Cell second;
    } cases[] = {{0, {0, 1}}, {1, {1, 0}}};
    for (const Case& c : cases)
    {
        grid.GetParam()->m_wPaintSetting = c.wSetting;
        grid.lookups.clear();
        Paint();
        ASSERT_GE(grid.lookups.size(), 2u);
        EXPECT_EQ(Cell(0, 0), grid.lookups[0]) << c.wSetting;
        EXPECT_EQ(c.second, grid.lookups[1]) << c.wSetting;
    }
}

TEST_F(GridPaintTest, ABufferedPaintOfAnOddClipBoxMatchesTheDirectPaint)
{
    CGXStyle style;
    style.SetInterior(CGXStyleBrush(CGXStyleBrush::bsHatched, kRed, HS_DIAGCROSS));
    style.SetBorders(gxBorderBottom, CGXStylePen(PS_DOT, 1, kBlue));
    SetStyle(4, 2, style);
    Paint();
    std::vector<COLORREF> direct;
    const CRect probe(93, 77, 140, 95);
    for (int y = probe.top; y < probe.bottom; ++y)
        for (int x = probe.left; x < probe.right; ++x)
            direct.push_back(Pixel(x, y));
    ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    ::IntersectClipRect(hMem, 93, 77, 203, 120);
    grid.SetBufferedPaint(1);
    Paint();
    size_t i = 0;
    for (int y = probe.top; y < probe.bottom; ++y)
        for (int x = probe.left; x < probe.right; ++x)
            ASSERT_EQ(direct[i++], Pixel(x, y)) << x << "," << y;
}

TEST_F(GridPaintTest, ClientCellsFromPointsAndRunningRectangles)
{
    struct PointCase
    {
        CPoint point;
        BOOL bResult;
        ROWCOL nRow;
        ROWCOL nCol;
        CRect rect;
    } points[] = {
        {CPoint(-1, 5), FALSE, 0, 0, CRect()},
        {CPoint(45, 20), TRUE, 1, 1, CRect(40, 19, 90, 38)},
        {CPoint(0, 0), TRUE, 0, 0, CRect(0, 0, 40, 19)},
        {CPoint(289, 208), TRUE, 10, 5, CRect(240, 190, 290, 209)},
        {CPoint(350, 100), FALSE, 5, 5, CRect()},
    };
    for (const PointCase& c : points)
    {
        ROWCOL nRow = 99;
        ROWCOL nCol = 99;
        CRect rect;
        EXPECT_EQ(c.bResult, grid.CalcClientCellFromPt(c.point, nRow, nCol, &rect)) << c.point.x << "," << c.point.y;
        EXPECT_EQ(c.nRow, nRow) << c.point.x << "," << c.point.y;
        EXPECT_EQ(c.nCol, nCol) << c.point.x << "," << c.point.y;
        if (c.bResult)
        {
            EXPECT_EQ(c.rect, rect) << c.point.x << "," << c.point.y;
        }
    }

    CRect rect;
    EXPECT_TRUE(grid.CalcClientCellRectFromStart(3, 2, rect));
    EXPECT_EQ(CellRect(3, 2), rect);
    EXPECT_TRUE(grid.CalcClientCellRectNext(4, 4, rect));
    EXPECT_EQ(CellRect(4, 4), rect);
    EXPECT_TRUE(grid.CalcClientCellRectNext(1, 1, rect));
    EXPECT_EQ(CellRect(1, 1), rect);
    // Far below the window the walk gives up.
    grid.SetRowCount(1000);
    EXPECT_FALSE(grid.CalcClientCellRectFromStart(900, 1, rect));
}
}  // namespace

namespace
{
// Claims one cell as part of a span and draws it red in place of the engine.
class CRedSpan : public CGXAbstractDrawSpannedCellsImp
{
public:
    BOOL IsSpannedCell(CGXGridCore*, CGXGridPaintContext& context, UINT r, UINT c) override
    {
        return context.m_anRows[r] == spanned.first && context.m_anCols[c] == spanned.second;
    }
    BOOL DrawSpannedCell(CGXGridCore*, CGXGridPaintContext& context, UINT r, UINT c) override
    {
        ++nOffered;
        if ((context.Flags(r, c) & GX_PAINT_COVERED) == 0)
            return FALSE;
        nCoveredStyles += context.Style(r, c) != nullptr;
        CGXDrawingAndFormatting::FillSolidRect(context.m_pDC, context.m_rectCell, kRed);
        return TRUE;
    }
    BOOL EvalSpannedCellsInPanes(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL, CGXRange*, BOOL,
                                 UINT) override
    {
        ++nEvaluated;
        return TRUE;
    }
    Cell spanned{4, 2};
    int nOffered = 0;
    int nCoveredStyles = 0;
    int nEvaluated = 0;
};

TEST_F(GridPaintTest, TheSpannedCellsDrawingIsOfferedEveryCellAndDrawsTheCoveredOnes)
{
    CRedSpan span;
    grid.m_pDrawSpannedCellsImp = &span;
    CGXStyle style;
    style.SetInterior(kBlue);
    SetStyle(4, 2, style);
    Paint();
    grid.m_pDrawSpannedCellsImp = nullptr;
    EXPECT_EQ(11 * 6, span.nOffered);
    EXPECT_EQ(0, span.nCoveredStyles);
    EXPECT_GE(span.nEvaluated, 2);  // the delayed spans before the paint, and the block's
    // Drawn by the span object alone: no engine background, no grid line at its top.
    EXPECT_EQ(kRed, Pixel(115, 4 * 19 + 9));
    EXPECT_EQ(kRed, Pixel(115, 4 * 19));
}

TEST_F(GridPaintTest, TheFrameSwitchDrawsABlackFrameJustOutsideTheGridRectangle)
{
    CRect rect(10, 10, 390, 290);
    grid.SetGridRect(TRUE, &rect);
    grid.m_bDrawGridFrame = TRUE;
    ::PatBlt(hMem, 0, 0, 400, 300, WHITENESS);
    Paint();
    EXPECT_EQ(RGB(0, 0, 0), Pixel(9, 100));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(100, 9));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(8, 100));
    grid.m_bDrawGridFrame = FALSE;
    ::PatBlt(hMem, 0, 0, 400, 300, WHITENESS);
    Paint();
    EXPECT_EQ(RGB(255, 255, 255), Pixel(9, 100));
}

TEST_F(GridPaintTest, ADraggingLineIsTheGridLineColourWithADottedEdgeInTheDraggingColour)
{
    CDC dc;
    dc.Attach(hMem);
    grid.DrawLineRect(&dc, 20, 30, 60, 3, 2, 0, 2);
    dc.Detach();
    const COLORREF gridLines = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF dragging = grid.GetPropertyColor(3);
    ASSERT_NE(gridLines, dragging);
    EXPECT_GT(CountColor(CRect(20, 30, 80, 31), dragging), 10);
    EXPECT_EQ(60, CountColor(CRect(20, 32, 80, 33), gridLines));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(20, 33));
}

TEST_F(GridPaintTest, ThePaintOfAnEmptyClipBoxOrALockedGridDrawsNothing)
{
    grid.SetLockUpdate(TRUE);
    Paint();
    grid.SetLockUpdate(FALSE);
    EXPECT_TRUE(grid.notified.empty());
    ::IntersectClipRect(hMem, 500, 500, 600, 600);
    Paint();
    EXPECT_TRUE(grid.notified.empty());
    EXPECT_EQ(0, CountColor(CRect(0, 0, 400, 300), ::GetSysColor(COLOR_BTNFACE)));
}
}  // namespace

namespace
{
TEST(GridPaintLayoutTest, APaintThatBringsAScrollBarInvalidatesInsteadOfPainting)
{
    GXStartLibrary();
    CDialog dlg;
    CProbeGridWnd grid;
    ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, FALSE));
    grid.Initialize();
    grid.SetScrollBarMode(SB_VERT, 2, FALSE);
    grid.SetRowCount(2);
    grid.SetColCount(2);
    dlg.ShowWindow(SW_SHOW);
    grid.SetRowCount(1000);
    grid.UpdateWindow();
    // The bar went away behind the grid's back: the next paint brings it again.
    grid.HoldScrollBars(TRUE);
    ::ShowScrollBar(grid.GetSafeHwnd(), SB_VERT, FALSE);
    grid.HoldScrollBars(FALSE);
    ASSERT_EQ(0, grid.GetStyle() & WS_VSCROLL);
    grid.ForgetScrollCounts();
    grid.ValidateRect(nullptr);
    grid.notified.clear();
    {
        CClientDC dc(&grid);
        grid.DrawGridArea(&dc);
    }
    EXPECT_NE(0, grid.GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(grid.notified.empty());
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(grid.GetSafeHwnd(), &update, FALSE));

    // The layout holds now: the next paint paints.
    {
        CClientDC dc(&grid);
        grid.DrawGridArea(&dc);
    }
    EXPECT_FALSE(grid.notified.empty());
    dlg.DestroyWindow();
}
}  // namespace

namespace
{
class CFrameCountingControl : public CGXControl
{
public:
    explicit CFrameCountingControl(CGXGridCore* pGrid) : CGXControl(pGrid) {}
    void DrawFrame(CDC*, const CRect& rect, ROWCOL, ROWCOL, const CGXStyle&) override
    {
        ++nFrames;
        rectFrame = rect;
    }
    int nFrames = 0;
    CRect rectFrame;
};

TEST_F(GridPaintTest, TheCurrentCellsControlDrawsItsFrameOncePerPaintInsideTheLines)
{
    auto* pControl = new CFrameCountingControl(&grid);
    grid.RegisterControl(777, pControl);
    CGXStyle style;
    style.SetControl(777);
    SetStyle(5, 3, style);
    grid.SetCurrentCellInfo(TRUE, 5, 3);
    Paint();
    EXPECT_EQ(1, pControl->nFrames);
    // Lines on the left and top: the inner rectangle starts one pixel in.
    CRect inner = CellRect(5, 3);
    inner.left += 1;
    inner.top += 1;
    EXPECT_EQ(inner, pControl->rectFrame);
    // A paint of rows above the current cell draws no frame.
    ::IntersectClipRect(hMem, 0, 0, 400, 50);
    Paint();
    EXPECT_EQ(1, pControl->nFrames);
}
}  // namespace

namespace
{
class CDelayRecordingFloatCells : public CGXAbstractGridFloatCellsImp
{
public:
    BOOL CanFloatCell(CGXGridCore*, ROWCOL, ROWCOL, const CGXStyle&, BOOL, BOOL) override { return FALSE; }
    BOOL DelayFloatCells(CGXGridCore*, const CGXRange& range, ROWCOL) override
    {
        delayed.push_back(range);
        return TRUE;
    }
    BOOL EvalFloatCells(CGXGridCore*, const CGXRange&, BOOL, CGXRange*, BOOL) override { return FALSE; }
    BOOL GetFloatRange(CGXGridCore*, ROWCOL, ROWCOL, CGXRange&) override { return FALSE; }
    BOOL UpdateFloatCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override { return FALSE; }
    BOOL RedrawFloatCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override { return FALSE; }
    BOOL ExpandToFloatCells(CGXGridCore*, const CGXRange&, CGXRange&) override { return FALSE; }
    BOOL SetFloatCellsMode(CGXGridCore*, WORD, BOOL) override { return FALSE; }
    BOOL CanFloatCellDefault(CGXGridCore*, ROWCOL, ROWCOL, const CGXStyle&, BOOL) override { return FALSE; }
    std::vector<CGXRange> delayed;
};

TEST_F(GridPaintTest, CellsTheDataAnswersForAreMarkedForFloatingCellEvaluation)
{
    CDelayRecordingFloatCells floatCells;
    grid.m_pFloatCellsImp = &floatCells;
    grid.answering = {{2, 2}, {0, 3}, {7, 4}};
    Paint();
    grid.m_pFloatCellsImp = nullptr;
    // Headers never float.
    ASSERT_EQ(2u, floatCells.delayed.size());
    EXPECT_EQ(CGXRange(2, 2), floatCells.delayed[0]);
    EXPECT_EQ(CGXRange(7, 4), floatCells.delayed[1]);
}
}  // namespace

namespace
{
class CNotifiedData : public CGXData
{
public:
    BOOL OnCellQuery(ROWCOL nRow, ROWCOL nCol) override { return nRow == 3 && nCol == 2; }
    void OnCellNotify(ROWCOL nRow, ROWCOL nCol, DWORD dwReason) override
    {
        notified.insert({nRow, nCol});
        reasons.insert(dwReason);
    }
    std::set<Cell> notified;
    std::set<DWORD> reasons;
};

TEST_F(GridPaintTest, TheDataObjectHearsOfEveryDrawnCellAndACommitRedrawOfItsOwnOnly)
{
    auto* pData = new CNotifiedData;
    pData->SetRowCount(10);
    pData->SetColCount(5);
    grid.GetParam()->SetData(pData, TRUE);
    ::IntersectClipRect(hMem, 0, 0, 135, 50);  // rows 0..2, columns 0..2
    Paint();
    std::set<Cell> expected;
    for (ROWCOL nRow = 0; nRow <= 2; ++nRow)
        for (ROWCOL nCol = 0; nCol <= 2; ++nCol)
            expected.insert({nRow, nCol});
    EXPECT_EQ(expected, pData->notified);
    EXPECT_EQ(std::set<DWORD>{0}, pData->reasons);

    // A commit redraw draws only the data's own cell, and tells nothing while it draws.
    ::SelectClipRgn(hMem, nullptr);
    ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS);
    pData->notified.clear();
    grid.GetParam()->GetPendingCells().DeleteAll();
    grid.m_bCommitRedraw = TRUE;
    Paint();
    grid.m_bCommitRedraw = FALSE;
    EXPECT_TRUE(pData->notified.empty());
    EXPECT_NE(RGB(0, 0, 0), Pixel(115, 3 * 19 + 9));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(165, 2 * 19 + 9));
    EXPECT_EQ(1, grid.GetParam()->GetPendingCells().GetCount());
    grid.GetParam()->GetPendingCells().DeleteAll();
}
}  // namespace

namespace
{
TEST_F(GridPaintTest, InnerRectanglesLoseBordersAndTheLinesOfTheirEdges)
{
    struct Case
    {
        const char* name;
        BOOL bRightBottom;
        BOOL bHorzLines;
        int nBorderEdge;  // -1 none
        CGXStylePen pen;
        BOOL b3dFrame;
        CRect inner;
        CSize outer;  // AddBorders of (10, 10)
    } cases[] = {
        {"lines left/top", FALSE, TRUE, -1, CGXStylePen(), FALSE, CRect(1, 1, 60, 20), CSize(12, 12)},
        {"lines right/bottom", TRUE, TRUE, -1, CGXStylePen(), FALSE, CRect(0, 0, 59, 19), CSize(12, 12)},
        {"no horizontal lines", FALSE, FALSE, -1, CGXStylePen(), FALSE, CRect(1, 0, 60, 20), CSize(12, 12)},
        {"wide left border", FALSE, TRUE, gxBorderLeft, CGXStylePen(PS_SOLID, 3, kRed), FALSE, CRect(3, 1, 60, 20),
         CSize(14, 12)},
        {"null left border", FALSE, TRUE, gxBorderLeft, CGXStylePen(PS_NULL, 3, kRed), FALSE, CRect(0, 1, 60, 20),
         CSize(11, 12)},
        {"bottom border, lines right/bottom", TRUE, TRUE, gxBorderBottom, CGXStylePen(PS_DOT, 0, kRed), FALSE,
         CRect(0, 0, 59, 19), CSize(12, 12)},
        {"3d frame", FALSE, TRUE, -1, CGXStylePen(), TRUE, CRect(2, 2, 59, 19), CSize(14, 14)},
    };
    for (const Case& c : cases)
    {
        grid.GetParam()->m_bLinesRightBottom = c.bRightBottom;
        grid.GetProperties()->SetDisplayHorzLines(c.bHorzLines);
        CGXStyle style;
        if (c.nBorderEdge >= 0)
            style.SetBorders(c.nBorderEdge, c.pen);
        if (c.b3dFrame)
            style.SetDraw3dFrame(1);
        CRect inner;
        grid.SubtractBorders(inner, CRect(0, 0, 60, 20), style, TRUE);
        EXPECT_EQ(c.inner, inner) << c.name;
        EXPECT_EQ(c.outer, grid.AddBorders(CSize(10, 10), style)) << c.name;
    }
    grid.GetProperties()->SetDisplayHorzLines(TRUE);
}
// Text as wide as its cell starts after the margin and so reaches a little into the next cell when
// drawn on its own; in a paint the empty cells after it, filled in one run, cover that part as each
// cell's own fill did, each in its own interior.
TEST_F(GridPaintTest, EmptyCellsAfterAWideTextCoverWhatReachesIntoThem)
{
    grid.GetParam()->m_bLinesRightBottom = TRUE;
    Paint();
    const char* const text = "0000000";
    LOGFONT lf = grid.GetStandardStyle()->GetFont().GetLogFont();
    const HFONT hFont = ::CreateFontIndirectA(&lf);
    const HGDIOBJ hOldFont = ::SelectObject(hMem, hFont);
    SIZE extent;
    ::GetTextExtentPoint32A(hMem, text, 7, &extent);
    ::SelectObject(hMem, hOldFont);
    ::DeleteObject(hFont);
    grid.SetColWidth(2, 2, extent.cx);
    const CRect cell(90, 2 * 19, 90 + extent.cx, 3 * 19);
    SetStyle(2, 2, CGXStyle().SetValue(text));
    CGXStyle yellow;
    yellow.SetInterior(kYellow);
    SetStyle(2, 4, yellow);

    // The cell drawn on its own: ink right of the cell.
    CGXControl* pControl = grid.GetRegisteredControl(grid.LookupStyleRowCol(2, 2).GetControl());
    ASSERT_NE(pControl, nullptr);
    ::PatBlt(hMem, 0, 0, 400, 300, WHITENESS);
    CDC dc;
    dc.Attach(hMem);
    pControl->Draw(&dc, cell, 2, 2, grid.LookupStyleRowCol(2, 2), grid.GetStandardStyle());
    dc.Detach();
    const CRect past(cell.right, cell.top, cell.right + 3, cell.bottom - 1);
    const int nPast = past.Width() * past.Height();
    ASSERT_LT(CountColor(past, RGB(255, 255, 255)), nPast) << "the text does not reach past its cell";

    Paint();
    EXPECT_EQ(CountColor(past, RGB(255, 255, 255)), nPast);
    CRect inside(cell.right + 50, cell.top, cell.right + 99, cell.bottom - 1);
    EXPECT_EQ(CountColor(inside, kYellow), inside.Width() * inside.Height());
    inside.OffsetRect(50, 0);
    EXPECT_EQ(CountColor(inside, RGB(255, 255, 255)), inside.Width() * inside.Height());
}

// A cell in a font of its own draws in it, and the standard cells after it in the standard font again.
TEST_F(GridPaintTest, EachTextCellDrawsInItsOwnFont)
{
    grid.SetStyleRange(CGXRange(2, 1, 4, 3), CGXStyle().SetValue("WWW").SetTextColor(RGB(0, 0, 0)));
    SetStyle(3, 2, CGXStyle().SetFont(CGXFont().SetBold(TRUE).SetSize(12)));
    Paint();
    auto ink = [&](ROWCOL nRow, ROWCOL nCol) { return CountColor(CellRect(nRow, nCol), RGB(0, 0, 0)); };
    const int nStandard = ink(2, 2);
    ASSERT_GT(nStandard, 10);
    EXPECT_GT(ink(3, 2), nStandard * 3 / 2);
    for (const Cell& cell : {Cell{2, 1}, Cell{2, 3}, Cell{3, 1}, Cell{3, 3}, Cell{4, 2}})
        EXPECT_EQ(ink(cell.first, cell.second), nStandard) << cell.first << "," << cell.second;
}
}  // namespace
