// Resizing rows and columns to fit their cells in a grid window: shrinking and the no-shrink flag,
// the limit of the grid area, hidden lines, one undo step, the abort, and the edit cell's AutoSize.
#include "grid/features/GridResizeToFitImp.h"

#include "grid/controls/EditControl.h"
#include "grid/controls/Static.h"
#include "tests/grid/features/FeatureGridTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

const WORD kNeedControl = 40001;
const WORD kAutoSizeEdit = 40002;

// A cell that needs as many pixels, either way, as its value says; the row of nAbortRow asks for an
// abort when it is measured.
class CNeedControl : public CGXStatic
{
public:
    explicit CNeedControl(CGXGridCore* pGrid) : CGXStatic(pGrid) {}
    CSize CalcSize(CDC*, ROWCOL nRow, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL) override
    {
        if (nRow == m_nAbortRow)
            ::PostMessageA(m_pGrid->GridWnd()->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        const int nNeed = std::atoi(style.GetValue());
        return CSize(nNeed, nNeed);
    }
    ROWCOL m_nAbortRow = GX_INVALID;
};

// An edit cell that needs 10 pixels per character in width and 20 per 10 characters in height.
class CMeasuredEdit : public CGXEditControl
{
public:
    explicit CMeasuredEdit(CGXGridCore* pGrid) : CGXEditControl(pGrid, kAutoSizeEdit) {}
    CSize CalcSize(CDC*, ROWCOL, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL) override
    {
        const int nLength = style.GetValue().GetLength();
        return CSize(10 * nLength, 20 * ((nLength + 9) / 10));
    }
};

class GridResizeToFitTest : public FeatureGridTest<>
{
protected:
    void Open(ROWCOL nRows, ROWCOL nCols)
    {
        ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(nRows, nCols));
        m_pNeed = new CNeedControl(&grid);
        grid.RegisterControl(kNeedControl, m_pNeed);
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetStyleRange(CGXRange(1, 1, nRows, nCols), CGXStyle().SetControl(kNeedControl));
        grid.GetParam()->EnableUndo(TRUE);
    }
    // Cell needs, stored without undo.
    void Need(ROWCOL nRow, ROWCOL nCol, int nPixels)
    {
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetValueRange(CGXRange(nRow, nCol), std::to_string(nPixels).c_str());
        grid.GetParam()->EnableUndo(TRUE);
    }
    void Heights(ROWCOL nFirst, ROWCOL nLast, int nPixels)
    {
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetRowHeight(nFirst, nLast, nPixels);
        grid.GetParam()->EnableUndo(TRUE);
    }
    std::vector<int> RowHeights(ROWCOL nFirst, ROWCOL nLast)
    {
        std::vector<int> heights;
        for (ROWCOL nRow = nFirst; nRow <= nLast; ++nRow)
            heights.push_back(grid.GetRowHeight(nRow));
        return heights;
    }

    // Characters typed into the current cell, as the keyboard sends them.
    void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != 0; ++p)
            ::PostMessageA(grid.m_hWnd, WM_CHAR, static_cast<unsigned char>(*p), 1);
        Pump();
    }

    CNeedControl* m_pNeed = nullptr;
};

TEST_F(GridResizeToFitTest, ARowGetsWhatItsCellsNeedWithinTheGridArea)
{
    ASSERT_NO_FATAL_FAILURE(Open(3, 2));
    const int nLimit = grid.GetGridRect().Height() - grid.GetRowHeight(0) - 1;
    ASSERT_GT(nLimit, 60);
    struct Case
    {
        const char* pszName;
        int nHeight;
        int nNeedFirst;
        int nNeedSecond;
        UINT nFlags;
        int nFitted;
    } cases[] = {
        {"shrinks to the need", 60, 25, 0, GX_UPDATENOW, 25},
        {"the larger need of two cells", 60, 25, 35, GX_UPDATENOW, 35},
        {"grows to the need", 10, 25, 0, GX_UPDATENOW, 25},
        {"no shrinking asked for", 60, 25, 0, GX_NOSHRINKSIZE, 60},
        {"growing though no shrinking", 10, 25, 0, GX_NOSHRINKSIZE, 25},
        {"cells that need nothing", 30, 0, 0, GX_UPDATENOW, 30},
        {"a need taller than the grid area", 30, 5000, 0, GX_UPDATENOW, nLimit},
    };
    for (const Case& c : cases)
    {
        Heights(2, 2, c.nHeight);
        Need(2, 1, c.nNeedFirst);
        Need(2, 2, c.nNeedSecond);
        EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetRows(2), TRUE, c.nFlags)) << c.pszName;
        EXPECT_EQ(grid.GetRowHeight(2), c.nFitted) << c.pszName;
    }
}

TEST_F(GridResizeToFitTest, AFrozenRowIsLimitedByTheRowsAboveIt)
{
    ASSERT_NO_FATAL_FAILURE(Open(4, 1));
    grid.SetFrozenRows(2);
    Heights(1, 4, 20);
    Need(2, 1, 5000);
    Need(3, 1, 5000);
    Need(4, 1, 5000);
    const int nArea = grid.GetGridRect().Height();
    grid.ResizeRowHeightsToFit(CGXRange().SetRows(2));
    EXPECT_EQ(grid.GetRowHeight(2), nArea - grid.GetRowHeight(0) - 20 - 1) << "a frozen row: the rows above it";
    Heights(2, 2, 30);
    grid.ResizeRowHeightsToFit(CGXRange().SetRows(4));
    EXPECT_EQ(grid.GetRowHeight(4), nArea - grid.GetRowHeight(0) - 20 - 30 - 1) << "a scrolling row: all frozen rows";
}

TEST_F(GridResizeToFitTest, HiddenColumnsDoNotCountWhenRowsFit)
{
    ASSERT_NO_FATAL_FAILURE(Open(2, 2));
    Heights(1, 1, 60);
    Need(1, 1, 20);
    Need(1, 2, 50);
    grid.GetParam()->EnableUndo(FALSE);
    grid.HideCols(2, 2);
    grid.GetParam()->EnableUndo(TRUE);
    grid.ResizeRowHeightsToFit(CGXRange().SetRows(1));
    EXPECT_EQ(grid.GetRowHeight(1), 20);
}

TEST_F(GridResizeToFitTest, AFitIsOneUndoStepForAllItsLines)
{
    ASSERT_NO_FATAL_FAILURE(Open(3, 3));
    Heights(1, 3, 40);
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
        Need(nRow, 1, static_cast<int>(10 + nRow));
    EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetTable()));
    EXPECT_EQ(RowHeights(1, 3), (std::vector<int>{11, 12, 13}));
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
    EXPECT_EQ(NewestUndoName(), "Resizing Rows");
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(RowHeights(1, 3), (std::vector<int>{40, 40, 40}));

    grid.GetParam()->EnableUndo(FALSE);
    grid.SetColWidth(1, 2, 90);
    grid.GetParam()->EnableUndo(TRUE);
    Need(1, 2, 45);
    EXPECT_TRUE(grid.ResizeColWidthsToFit(CGXRange().SetCols(1, 2)));
    EXPECT_EQ(grid.GetColWidth(1), 13) << "the largest need of the column";
    EXPECT_EQ(grid.GetColWidth(2), 45);
    EXPECT_EQ(NewestUndoName(), "Resizing Columns");
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetColWidth(1), 90);
    EXPECT_EQ(grid.GetColWidth(2), 90);
}

TEST_F(GridResizeToFitTest, AnAbortTakesBackEverySizeChangedSoFar)
{
    ASSERT_NO_FATAL_FAILURE(Open(4, 1));
    Heights(1, 4, 40);
    for (ROWCOL nRow = 1; nRow <= 4; ++nRow)
        Need(nRow, 1, 15);
    AbortWithoutAsking();
    m_pNeed->m_nAbortRow = 3;
    EXPECT_FALSE(grid.ResizeRowHeightsToFit(CGXRange().SetRows(1, 4)));
    Pump();
    EXPECT_EQ(RowHeights(1, 4), (std::vector<int>{40, 40, 40, 40}));
    EXPECT_TRUE(grid.GetParam()->GetUndoList().IsEmpty());
}

TEST_F(GridResizeToFitTest, AnAutoSizeEditCellGrowsWithTheTextTyped)
{
    ASSERT_NO_FATAL_FAILURE(Open(3, 3));
    grid.RegisterControl(kAutoSizeEdit, new CMeasuredEdit(&grid));
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetStyleRange(CGXRange(1, 1), CGXStyle().SetControl(kAutoSizeEdit).SetAutoSize(TRUE).SetWrapText(FALSE));
    grid.SetStyleRange(CGXRange(2, 2),
                       CGXStyle().SetControl(kAutoSizeEdit).SetAutoSize(TRUE).SetWrapText(TRUE));
    grid.SetColWidth(1, 3, 50);
    Heights(1, 3, 20);
    grid.GetParam()->EnableUndo(TRUE);

    grid.MoveCurrentCell(1, 1);
    Type("twelve chars");
    EXPECT_EQ(grid.GetColWidth(1), 120) << "unwrapped text widens the column";
    grid.MoveCurrentCell(3, 3);
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetStyleRange(CGXRange(3, 3), CGXStyle().SetControl(kAutoSizeEdit).SetAutoSize(TRUE));
    grid.SetColWidth(3, 3, 200);
    grid.GetParam()->EnableUndo(TRUE);
    grid.MoveCurrentCell(3, 3);
    Type("short");
    EXPECT_EQ(grid.GetColWidth(3), 200) << "a wider column stays as wide";

    grid.MoveCurrentCell(2, 2);
    Type("twenty-five characters...");
    EXPECT_EQ(grid.GetRowHeight(2), 60) << "wrapped text heightens the row";
    EXPECT_EQ(grid.GetColWidth(2), 50);
}

// A grid of edit cells, fitted to what their texts need in the grid's font.
class GridResizeToFitTextTest : public FeatureGridTest<>
{
protected:
    // The height one line of a cell's text needs: the line of its font, one pixel, and the borders
    // its control adds.
    int OneLineHeight(ROWCOL nRow, ROWCOL nCol)
    {
        const CGXStyle& style = grid.LookupStyleRowCol(nRow, nCol);
        CClientDC dc(&grid);
        grid.PrepareGridDC(&dc);
        CFont* pOld = grid.SelectCellFont(&dc, style);
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
        const CSize borders = grid.GetControl(nRow, nCol)->GetBorderSize(nRow, nCol, style);
        return tm.tmHeight + tm.tmExternalLeading + 1 + borders.cy;
    }
};

TEST_F(GridResizeToFitTextTest, RowsFitTheLinesOfTheirTextInTheCellsFont)
{
    ASSERT_NO_FATAL_FAILURE(OpenFeatureGrid(4, 2));
    grid.GetParam()->EnableUndo(FALSE);
    grid.SetRowHeight(1, 4, 80);
    std::string manyLines;
    for (int i = 0; i < 60; ++i)
        manyLines += "line\r\n";
    SetColumn(1, 1, {"one line", "one line", "", manyLines});
    grid.SetStyleRange(CGXRange(4, 1), CGXStyle().SetWrapText(TRUE));
    grid.GetParam()->EnableUndo(TRUE);
    const int nLine = OneLineHeight(1, 1);
    ASSERT_GT(nLine, 10);

    EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetRows(1)));
    EXPECT_EQ(grid.GetRowHeight(1), nLine);
    EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetRows(2), TRUE, GX_NOSHRINKSIZE));
    EXPECT_EQ(grid.GetRowHeight(2), 80) << "no shrinking";
    EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetRows(4)));
    EXPECT_EQ(grid.GetRowHeight(4), grid.GetGridRect().Height() - grid.GetRowHeight(0) - 1)
        << "a text taller than the window";

    grid.GetParam()->EmptyUndoList();
    EXPECT_TRUE(grid.ResizeRowHeightsToFit(CGXRange().SetTable()));
    EXPECT_EQ(grid.GetRowHeight(3), nLine) << "an empty cell needs one line";
    EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 1);
    EXPECT_EQ(NewestUndoName(), "Resizing Rows");
    EXPECT_TRUE(grid.Undo());
    EXPECT_EQ(grid.GetRowHeight(2), 80);
    EXPECT_EQ(grid.GetRowHeight(3), 80);
}

TEST(GridResizeToFitInstallation, TheFactoryInstallsResizingOnce)
{
    GXStartLibrary();
    CGXGridCore grid;
    ASSERT_NE(grid.m_pResizeToFitImp, nullptr);
    CGXAbstractGridResizeToFitImp* pInstalled = grid.m_pResizeToFitImp;
    grid.InstallResizeToFit();
    EXPECT_EQ(grid.m_pResizeToFitImp, pInstalled);
    EXPECT_NE(grid.m_pCalcSizeImp, nullptr) << "the cells measure through it";
}

} // namespace
