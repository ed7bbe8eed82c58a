// Drawing of covered, merged and floating spans on real grid windows, read back from the pixels,
// and the size a cell's content measures.
#include "grid/features/DrawSpannedCellsImp.h"

#include "framework/win/Dc.h"
#include "grid/controls/DIBPool.h"
#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "tests/grid/core/GridWindowTestSupport.h"
#include "tests/grid/features/SpanFeaturesTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlack = RGB(0, 0, 0);

// Ten rows of 19 pixels and five columns of 50 right of a row-header column of 40, the first row
// and column frozen, grid lines on the left and top edges of the cells: cell (r, c) with c > 0 lies
// at x 40 + 50 (c - 1) .. + 50, y 19 r .. + 19 while nothing is scrolled.
class SpannedDrawingTest : public GridCanvasTest<CChosenUnitsGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenPaintGrid(10, TRUE));
        InstallSpanFeatures(grid);
        grid.GetParam()->EnableUndo(FALSE);
    }
    static CRect CellRect(ROWCOL nRow, ROWCOL nCol)
    {
        const int x = nCol == 0 ? 0 : 40 + 50 * static_cast<int>(nCol - 1);
        return CRect(x, 19 * static_cast<int>(nRow), x + (nCol == 0 ? 40 : 50), 19 * static_cast<int>(nRow + 1));
    }
    void Clear() { ::PatBlt(hMem, 0, 0, 400, 300, BLACKNESS); }
    std::vector<COLORREF> Pixels(const CRect& rect) const
    {
        std::vector<COLORREF> pixels;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
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

// A recorder of the prepared paint: it sees the flags the marking left and lets the core paint.
class CPaintFlagRecorder : public CGXAbstractGridOldDrawingImp
{
public:
    BOOL PaintGrid(CGXGridCore*, CDC*, CGXGridPaintContext& context) override
    {
        rows = context.m_anRows;
        cols = context.m_anCols;
        flags = context.m_awFlags;
        nCols = context.m_nCols;
        return FALSE;
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
    std::vector<ROWCOL> rows;
    std::vector<ROWCOL> cols;
    std::vector<WORD> flags;
    UINT nCols = 0;
};

TEST_F(SpannedDrawingTest, TheVisibleCornerOfAScrolledCoveredRangeShowsWhatTheWholeRangeShowsThere)
{
    // Enough rows and columns to scroll in the grid's rectangle.
    grid.SetRowCount(40);
    grid.SetColCount(20);
    grid.SetColWidth(1, 20, 50);
    CGXStyle style;
    style.SetValue("ABCDEFGHIJKLMNOP")
        .SetInterior(kYellow)
        .SetTextColor(kBlack)
        .SetVerticalAlignment(DT_VCENTER)
        .SetFont(CGXFont().SetSize(28));
    grid.SetStyleRange(CGXRange(3, 3), style);
    ASSERT_TRUE(grid.SetCoveredCellsRowCol(3, 3, 5, 5));
    Clear();
    Paint();
    const std::vector<COLORREF> whole = Pixels(CellRect(5, 5));
    ASSERT_GT(std::count(whole.begin(), whole.end(), kBlack), 10) << "the text reaches into the corner cell";

    // Rows and columns 2 to 4 scrolled out: the corner cell follows the frozen row and column.
    grid.SetTopRow(5);
    grid.SetLeftCol(5);
    Clear();
    Paint();
    ASSERT_EQ(grid.GetTopRow(), 5u);
    ASSERT_EQ(grid.GetLeftCol(), 5u);
    const CRect corner(90, 38, 140, 57);
    EXPECT_EQ(Pixels(corner), whole);
}

TEST_F(SpannedDrawingTest, ARangeAcrossTheFrozenRowsIsDrawnInTwoPartsEachInItsPane)
{
    grid.SetRowCount(40);
    grid.SetFrozenRows(2);
    // Rows 2 to 5, the first of them frozen, in red.
    grid.SetStyleRange(CGXRange(2, 2), CGXStyle().SetInterior(RGB(255, 0, 0)));
    ASSERT_TRUE(grid.SetCoveredCellsRowCol(2, 2, 5, 3));
    // Rows 3 and 4 scrolled out: row 2 (frozen) is followed by row 5 on the screen.
    grid.SetTopRow(5);
    ASSERT_EQ(grid.GetTopRow(), 5u);
    Clear();
    Paint();
    const CRect frozenPart(91, 39, 189, 56);  // row 2, y 38..57
    const CRect scrolledPart(91, 58, 189, 75);  // row 5 on the screen, y 57..76
    EXPECT_EQ(CountColor(frozenPart, RGB(255, 0, 0)), frozenPart.Width() * frozenPart.Height());
    EXPECT_EQ(CountColor(scrolledPart, RGB(255, 0, 0)), scrolledPart.Width() * scrolledPart.Height());
    // The frozen part's closing line runs between the two parts.
    EXPECT_NE(Pixel(120, 56), RGB(255, 0, 0));
}

TEST_F(SpannedDrawingTest, AMergedRunShowsItsValueOnceInItsMiddle)
{
    for (ROWCOL nRow = 2; nRow <= 6; ++nRow)
        grid.SetStyleRange(CGXRange(nRow, 2),
                           CGXStyle().SetValue("Q").SetMergeCell(2).SetVerticalAlignment(DT_VCENTER).SetTextColor(kBlack));
    auto inkPerRow = [&] {
        std::vector<int> ink;
        for (ROWCOL nRow = 2; nRow <= 6; ++nRow)
        {
            CRect rect = CellRect(nRow, 2);
            rect.DeflateRect(1, 1);
            ink.push_back(CountColor(rect, kBlack));
        }
        return ink;
    };
    Clear();
    Paint();
    for (int nInk : inkPerRow())
        EXPECT_GT(nInk, 0) << "each cell shows its own value";

    grid.SetMergeCellsMode(2);
    Clear();
    Paint();
    const std::vector<int> ink = inkPerRow();
    EXPECT_EQ(ink[0], 0);
    EXPECT_EQ(ink[1], 0);
    EXPECT_GT(ink[2], 0) << "the middle row";
    EXPECT_EQ(ink[3], 0);
    EXPECT_EQ(ink[4], 0);
}

TEST_F(SpannedDrawingTest, GridLinesRunRoundASpanAndNotThroughIt)
{
    grid.SetStyleRange(CGXRange(3, 3), CGXStyle().SetInterior(kYellow));
    grid.SetCoveredCellsRowCol(3, 3, 5, 5);
    Clear();
    Paint();
    const COLORREF line = grid.GetPropertyColor(0);
    struct Probe
    {
        const char* what;
        int x, y;
        COLORREF color;
    };
    const Probe probes[] = {
        {"top edge of the range", 200, 57, line},
        {"left edge of the range", 140, 80, line},
        {"a row line inside", 200, 76, kYellow},
        {"a row line inside", 200, 95, kYellow},
        {"a column line inside", 190, 100, kYellow},
        {"a column line inside", 240, 62, kYellow},
        {"the row line below", 200, 114, line},
        {"a row line beside it", 115, 76, line},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(p.x, p.y), p.color) << p.what << " at " << p.x << "," << p.y;
}

TEST_F(SpannedDrawingTest, FloatingTextIsDrawnOverTheEmptyCellsItFloatsOver)
{
    grid.SetStyleRange(CGXRange(2, 2), CGXStyle().SetValue("WWWWWWWWWWWWWW").SetTextColor(kBlack));
    CRect beside = CellRect(2, 3);
    beside.DeflateRect(1, 1);
    Clear();
    Paint();
    EXPECT_EQ(CountColor(beside, kBlack), 0) << "without floating the text stops at its cell";

    grid.SetFloatCellsMode(2);
    Clear();
    Paint();
    EXPECT_GT(CountColor(beside, kBlack), 0);

    grid.SetValueRange(CGXRange(2, 3), " ");
    Clear();
    Paint();
    EXPECT_EQ(CountColor(beside, kBlack), 0) << "a value in the next cell cuts the text back";
}

TEST_F(SpannedDrawingTest, TheMarkedPaintCarriesSpanBitsAndLinesOnTheOuterEdgesOnly)
{
    CPaintFlagRecorder recorder;
    grid.SetCoveredCellsRowCol(3, 3, 4, 5);
    CGXAbstractGridOldDrawingImp* pOld = grid.m_pOldDrawingImp;
    grid.m_pOldDrawingImp = &recorder;
    Paint();
    grid.m_pOldDrawingImp = pOld;

    const WORD spanBits = GX_PAINT_COVERED | GX_PAINT_SPANCOVERED | GX_PAINT_SPANLATER;
    const WORD lineBits = GX_PAINT_VERTLINE | GX_PAINT_HORZLINE;
    struct Case
    {
        ROWCOL nRow, nCol;
        WORD span, lines;
    };
    const Case cases[] = {
        {3, 3, GX_PAINT_COVERED | GX_PAINT_SPANCOVERED, lineBits},
        {3, 4, spanBits, GX_PAINT_HORZLINE},
        {4, 3, spanBits, GX_PAINT_VERTLINE},
        {4, 5, spanBits, 0},
        {5, 3, 0, lineBits},
    };
    for (const Case& c : cases)
    {
        const WORD flags = recorder.FlagsOf(c.nRow, c.nCol);
        EXPECT_EQ(flags & spanBits, c.span) << c.nRow << "," << c.nCol;
        EXPECT_EQ(flags & lineBits, c.lines) << c.nRow << "," << c.nCol;
    }
}

TEST_F(SpannedDrawingTest, ACellBeingEditedInsideAMergedRunIsDrawnOnItsOwnButNotInsideACoveredRange)
{
    for (ROWCOL nRow = 2; nRow <= 6; ++nRow)
        grid.SetStyleRange(CGXRange(nRow, 2), CGXStyle().SetValue("Q").SetMergeCell(2));
    grid.SetStyleRange(CGXRange(7, 3), CGXStyle().SetValue("C"));
    grid.SetCoveredCellsRowCol(7, 3, 8, 4);
    dlg.ShowWindow(SW_SHOW);
    grid.SetFocus();
    Pump();
    auto editAt = [&](ROWCOL nRow, ROWCOL nCol) {
        grid.MoveCurrentCell(nRow, nCol);
        Pump();
        ::SendMessageA(::GetFocus(), WM_CHAR, 'x', 1);
        Pump();
    };
    CPaintFlagRecorder recorder;
    auto paintFlags = [&] {
        CGXAbstractGridOldDrawingImp* pOld = grid.m_pOldDrawingImp;
        grid.m_pOldDrawingImp = &recorder;
        Paint();
        grid.m_pOldDrawingImp = pOld;
    };
    auto member = [&](ROWCOL nRow, ROWCOL nCol) { return (recorder.FlagsOf(nRow, nCol) & GX_PAINT_COVERED) != 0; };

    // Moving into a merged run goes to its first cell: the cell is edited before the run forms.
    editAt(4, 2);
    ASSERT_TRUE(grid.IsActiveCurrentCell());
    grid.SetMergeCellsMode(2, FALSE);
    paintFlags();
    CGXRange run;
    ASSERT_TRUE(grid.GetMergeRange(4, 2, run, 1));
    ASSERT_EQ(run.top, 2u);
    ASSERT_EQ(run.bottom, 6u);
    EXPECT_FALSE(member(4, 2)) << "the edited cell is not hidden under the run";
    EXPECT_TRUE(member(3, 2));
    EXPECT_TRUE(member(5, 2));
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();

    editAt(7, 3);
    ASSERT_TRUE(grid.IsActiveCurrentCell());
    paintFlags();
    EXPECT_TRUE(member(7, 3)) << "a covered range is edited as the one cell it shows";
    EXPECT_TRUE(member(8, 4));
    ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
}

class CalcSizeTest : public GridWindowTest<CGXGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(4, 4, FALSE));
        InstallSpanFeatures(grid);
    }
    CSize Measure(const CGXStyle& stored, BOOL bVert, CSize* pBorders = nullptr, TEXTMETRIC* pMetrics = nullptr)
    {
        grid.SetStyleRange(CGXRange(2, 2), stored, gxCopy);
        CGXStyle style;
        grid.BuildEffectiveStyle(2, 2, style);
        CGXControl* pControl = grid.GetRegisteredControl(style.GetControl());
        CDC* pDC = grid.GetGridDC();
        const CSize size = pControl->CalcSize(pDC, 2, 2, style, nullptr, bVert);
        if (pBorders != nullptr)
            *pBorders = pControl->GetBorderSize(2, 2, style);
        if (pMetrics != nullptr)
        {
            CFont* pOld = grid.SelectCellFont(pDC, style);
            pDC->GetTextMetrics(pMetrics);
            if (pOld != nullptr)
                pDC->SelectObject(pOld);
        }
        grid.ReleaseGridDC();
        return size;
    }
};

TEST_F(CalcSizeTest, AnEmptyCellMeasuresOneWidestCharacterByOneLine)
{
    CSize borders;
    TEXTMETRIC tm = {};
    const CSize size = Measure(CGXStyle(), FALSE, &borders, &tm);
    EXPECT_EQ(size.cx, tm.tmMaxCharWidth + borders.cx);
    EXPECT_EQ(size.cy, tm.tmHeight + tm.tmExternalLeading + 1 + borders.cy);
}

TEST_F(CalcSizeTest, TheWidestLineBetweenLineBreaksIsTheWidth)
{
    CSize borders;
    TEXTMETRIC tm = {};
    Measure(CGXStyle(), FALSE, &borders, &tm);
    CDC* pDC = grid.GetGridDC();
    CGXStyle style;
    grid.BuildEffectiveStyle(2, 2, style);
    CFont* pOld = grid.SelectCellFont(pDC, style);
    const int nWidest = pDC->GetTextExtent("a wider line", 12).cx;
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    grid.ReleaseGridDC();
    EXPECT_EQ(Measure(CGXStyle().SetValue("ab\r\na wider line\nab"), FALSE).cx, nWidest + borders.cx);
}

TEST_F(CalcSizeTest, AWrappedTextIsMeasuredByItsFirstThirtyTwoLines)
{
    CSize borders;
    TEXTMETRIC tm = {};
    Measure(CGXStyle(), FALSE, &borders, &tm);
    const int nLine = tm.tmHeight + tm.tmExternalLeading;
    // A column one "word" fits in, two do not.
    CDC* pDC = grid.GetGridDC();
    CGXStyle style;
    grid.BuildEffectiveStyle(2, 2, style);
    CFont* pOld = grid.SelectCellFont(pDC, style);
    const int nOne = pDC->GetTextExtent("word", 4).cx;
    const int nTwo = pDC->GetTextExtent("word word", 9).cx;
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    grid.ReleaseGridDC();
    grid.SetColWidth(2, 2, (nOne + nTwo) / 2 + borders.cx);
    CString words;
    for (int i = 0; i < 40; ++i)
        words += "word ";
    EXPECT_EQ(Measure(CGXStyle().SetValue(words).SetWrapText(TRUE), TRUE).cy, 32 * nLine + 1 + borders.cy);
    EXPECT_EQ(Measure(CGXStyle().SetValue("word word word").SetWrapText(TRUE), TRUE).cy, 3 * nLine + 1 + borders.cy);
}

TEST_F(CalcSizeTest, ABitmapCellMeasuresItsBitmap)
{
    // A bitmap of the library's own resources.
    HGLOBAL hDIB = GXGetDIBPool()->LookupDIB("#BMP(20024)");
    ASSERT_NE(hDIB, nullptr);
    CGXDIB dib;
    ASSERT_TRUE(dib.Attach(hDIB));
    const CSize bitmap(dib.GetWidth(), dib.GetHeight());
    dib.Detach();
    CSize borders;
    const CSize width = Measure(CGXStyle().SetValue("#BMP(20024)"), FALSE, &borders);
    EXPECT_EQ(width, bitmap + borders);
    EXPECT_EQ(Measure(CGXStyle().SetValue("#BMP(20024)"), TRUE), bitmap + borders);
    EXPECT_NE(Measure(CGXStyle().SetValue("#BMP(99)"), FALSE), bitmap + borders) << "no such bitmap: a text";
}

TEST_F(CalcSizeTest, WithoutTheComponentACellMeasuresNothing)
{
    grid.m_pCalcSizeImp = nullptr;
    EXPECT_EQ(Measure(CGXStyle().SetValue("text"), FALSE), CSize(0, 0));
}
} // namespace
