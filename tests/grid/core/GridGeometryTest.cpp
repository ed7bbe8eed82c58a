// Row heights and column widths in size units, cell rectangles, hit testing, mouse cursors, the
// printing mapping and zoom of a grid window.

#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/PrintDevice.h"
#include "tests/grid/core/GridEngineTestSupport.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A grid whose size units a test chooses, which records the mapping its DC hook sees.
class CUnitGridWnd : public CChosenUnitsGridWnd
{
public:
    void SelectForTest(const CGXRange& range) { GetParam()->m_SelRects.AddTail(new CGXRange(range)); }
    void OnGridPrepareDC(CDC* pDC) override
    {
        ++nPrepareHooks;
        hookMapMode = ::GetMapMode(pDC->m_hDC);
    }
    int nPrepareHooks = 0;
    int hookMapMode = 0;
};

class GridGeometryTest : public GridWindowTest<CUnitGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(10, 5, FALSE));
        // Row header 40 px wide, columns 50 px: factor 100 for a column unit of 10.
        LayOutUnitGrid(grid, 0);
    }
};

TEST_F(GridGeometryTest, HeightsAreStoredInRowUnitsAndReadBackInPixels)
{
    // A row unit of 16 gives the factor 1000 / 16 = 62.
    EXPECT_TRUE(grid.SetRowHeight(3, 3, 20));
    LONG nStored = 0;
    ASSERT_TRUE(grid.GetParam()->m_RowHeights.Lookup(3, nStored));
    EXPECT_EQ(1240, nStored);
    EXPECT_EQ(20, grid.GetRowHeight(3));
    EXPECT_EQ(19, grid.GetDefaultRowHeight());
    EXPECT_EQ(19, grid.GetRowHeight(4));

    grid.StoreRowHeight(3, -1);
    EXPECT_EQ(19, grid.GetRowHeight(3));
    EXPECT_FALSE(grid.SetDefaultRowHeight(0));
    EXPECT_EQ(19, grid.GetDefaultRowHeight());
}

TEST_F(GridGeometryTest, AnOutOfRangeSizeUnitIsClampedInsteadOfDividingByZero)
{
    struct Case
    {
        int nUnit;
        int nDefaultPx;
    };
    // Units below 1 fall back to the unit of a grid without a font (15); above 1000 they count as 1000.
    const Case cases[] = {{0, 18}, {-5, 18}, {1000, 1200}, {5000, 1200}};
    for (const Case& c : cases)
    {
        grid.SetUnits(c.nUnit, c.nUnit);
        EXPECT_EQ(c.nDefaultPx, grid.GetDefaultRowHeight()) << c.nUnit;
        EXPECT_TRUE(grid.SetRowHeight(2, 2, 7)) << c.nUnit;
        EXPECT_EQ(7, grid.GetRowHeight(2)) << c.nUnit;
    }
}

TEST_F(GridGeometryTest, StoredDefaultSizesBelowAPixelCountAsOnePixel)
{
    // A stored document can hold any default size; a table of two billion rows and columns must
    // still end its visible rows and columns at the window's edge.
    grid.GetParam()->GetData()->SetRowCount(2000000000);
    grid.GetParam()->GetData()->SetColCount(2000000000);
    const LONG stored[] = {0, -1200, 10};
    for (const LONG nStored : stored)
    {
        grid.GetParam()->m_nDefaultHeight = nStored;
        grid.GetParam()->m_nDefaultWidth = nStored;
        EXPECT_EQ(grid.GetDefaultRowHeight(), 1) << nStored;
        EXPECT_EQ(grid.GetDefaultColWidth(), 1) << nStored;
        BOOL bEnd = TRUE;
        EXPECT_LE(grid.CalcLastVisibleRow(grid.GetGridRect(), &bEnd), 300u) << nStored;
        EXPECT_FALSE(bEnd) << nStored;
        EXPECT_LE(grid.CalcLastVisibleCol(grid.GetGridRect(), &bEnd), 400u) << nStored;
        EXPECT_FALSE(bEnd) << nStored;
    }
}

TEST_F(GridGeometryTest, CellRectanglesFollowTheSizesAndTheScrolledRows)
{
    EXPECT_EQ(CRect(40, 19, 90, 38), grid.CalcCellRect(1, 1));
    EXPECT_EQ(CRect(90, 38, 190, 76), grid.CalcRangeRectFromRange(CGXRange(2, 2, 3, 3)));
    // Enough rows that the window-filling scroll range does not pull the top row back.
    grid.SetRowCount(40);
    grid.SetTopRow(5);
    EXPECT_TRUE(grid.CalcRangeRectFromRange(CGXRange(2, 1, 3, 2)).IsRectEmpty());
    EXPECT_EQ(CRect(40, 19, 90, 38), grid.CalcCellRect(5, 1));
}

TEST_F(GridGeometryTest, HitTestFindsCellsHeadersAndRowBorders)
{
    struct Case
    {
        CPoint point;
        int nHit;
        ROWCOL nRow;
        ROWCOL nCol;
    } cases[] = {
        {CPoint(60, 3 * 19 + 5), 3, 3, 1},     // inside cell (3,1)
        {CPoint(60, 4 * 19), 3, 4, 1},         // the line between rows 3 and 4 belongs to row 4
        {CPoint(60, 5), 4, 0, 1},              // column header
        {CPoint(20, 4 * 19 - 1), 2, 3, 0},     // row header, just above row 3's bottom edge
        {CPoint(20, 4 * 19 + 2), 2, 3, 0},     // just below it: still row 3's border
        {CPoint(20, 3 * 19 + 9), 4, 3, 0},     // middle of a row header
        {CPoint(60, 11 * 19 + 20), 0, 11, 1},  // below the last row
    };
    for (const Case& c : cases)
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        EXPECT_EQ(c.nHit, grid.HitTest(c.point, &nRow, &nCol)) << c.point.x << "," << c.point.y;
        if (c.nHit != 0)
        {
            EXPECT_EQ(c.nRow, nRow) << c.point.y;
            EXPECT_EQ(c.nCol, nCol) << c.point.x;
        }
    }
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    grid.HitTest(CPoint(60, 11 * 19 + 20), &nRow, &nCol);
    EXPECT_EQ(11u, nRow);
}

TEST_F(GridGeometryTest, ColumnBordersInTheHeaderRowAreResizeHits)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_EQ(1, grid.HitTest(CPoint(89, 5), &nRow, &nCol));
    EXPECT_EQ(1u, nCol);
    EXPECT_EQ(1, grid.HitTest(CPoint(92, 5), &nRow, &nCol));
    EXPECT_EQ(1u, nCol);
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, ACursorThatIsNotAResourceFallsBackToTheSystemCursor)
{
    // 20198 names no cursor resource: the given system cursor stands in.
    ::SetCursor(nullptr);
    grid.SetGridCursor(20198, IDC_SIZEWE);
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZEWE), ::GetCursor());
    grid.SetGridCursor(0);
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_ARROW), ::GetCursor());
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, TheLastVisibleRowIsTheOneAtTheBottomEdgeOrTheLastRow)
{
    BOOL bEnd = FALSE;
    EXPECT_EQ(10u, grid.GetLastVisibleRow(&bEnd));
    EXPECT_TRUE(bEnd);
    grid.SetRowCount(100);
    // 300 px hold the header and rows 1..14 whole; row 15 reaches the bottom edge.
    EXPECT_EQ(15u, grid.GetLastVisibleRow(&bEnd));
    EXPECT_FALSE(bEnd);
}

TEST_F(GridGeometryTest, WithTheLimitOnARowIsNoTallerThanTheSpaceBelowTheFrozenRows)
{
    dlg.ShowWindow(SW_SHOW);
    grid.SetFrozenRows(1);
    grid.SetRowHeight(5, 5, 1000);
    grid.m_bLimitRowsToWindow = TRUE;
    EXPECT_EQ(300 - 2 * 19, grid.GetRowHeight(5));
    EXPECT_EQ(19, grid.GetRowHeight(1));
}
}  // namespace

namespace
{
TEST_F(GridGeometryTest, RowsShownAfterTheGridGrewHaveRectanglesAgain)
{
    grid.SetRowCount(100);
    grid.GetLastVisibleRow();
    EXPECT_TRUE(grid.CalcCellRect(20, 1).IsRectEmpty());
    CRect taller(0, 0, 400, 600);
    grid.SetGridRect(TRUE, &taller);
    EXPECT_EQ(CRect(40, 20 * 19, 90, 21 * 19), grid.CalcCellRect(20, 1));
}
}  // namespace

namespace
{
// The picture of a cursor: its mask and colour bits and its hot spot.
std::vector<BYTE> CursorPicture(HCURSOR hCursor)
{
    std::vector<BYTE> picture;
    ICONINFO info{};
    if (hCursor == nullptr || !::GetIconInfo(hCursor, &info))
        return picture;
    for (HBITMAP hBitmap : {info.hbmMask, info.hbmColor})
    {
        if (hBitmap == nullptr)
            continue;
        BITMAP bm{};
        ::GetObjectA(hBitmap, sizeof(bm), &bm);
        std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
        ::GetBitmapBits(hBitmap, static_cast<LONG>(bits.size()), bits.data());
        picture.insert(picture.end(), bits.begin(), bits.end());
        ::DeleteObject(hBitmap);
    }
    picture.push_back(static_cast<BYTE>(info.xHotspot));
    picture.push_back(static_cast<BYTE>(info.yHotspot));
    return picture;
}

std::vector<BYTE> ResourceCursorPicture(UINT nId)
{
    HCURSOR hCursor = static_cast<HCURSOR>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nId), IMAGE_CURSOR,
                                                        0, 0, LR_DEFAULTSIZE));
    std::vector<BYTE> picture = CursorPicture(hCursor);
    if (hCursor != nullptr)
        ::DestroyCursor(hCursor);
    return picture;
}

const UINT kGridCursorIds[] = {GX_IDC_COLRESIZE, GX_IDC_ROWRESIZE, GX_IDC_HIDDENCOL, GX_IDC_HIDDENROW,
                               GX_IDC_SELFRAME,  GX_IDC_SELECTCOL, GX_IDC_SELECTROW, GX_IDC_FILLHANDLE};

TEST(GridCursorResources, EachLoadsFromTheModuleAndIsItsOwnPicture)
{
    const std::vector<BYTE> arrow = CursorPicture(::LoadCursorA(nullptr, IDC_ARROW));
    std::vector<std::vector<BYTE>> pictures;
    for (UINT nId : kGridCursorIds)
    {
        EXPECT_NE(nullptr, ::LoadCursorA(AfxFindResourceHandle(MAKEINTRESOURCEA(nId), RT_GROUP_CURSOR),
                                         MAKEINTRESOURCEA(nId)))
            << nId;
        const std::vector<BYTE> picture = ResourceCursorPicture(nId);
        ASSERT_FALSE(picture.empty()) << nId;
        EXPECT_NE(arrow, picture) << nId;
        for (const std::vector<BYTE>& other : pictures)
            EXPECT_NE(other, picture) << nId;
        pictures.push_back(picture);
    }
}

// Counts what the grid asks of its user-resize component; its presence allows resizing.
class CNoResize : public CGXAbstractGridUserResizeCellsImp
{
public:
    BOOL OnMouseMove(CGXGridCore*, CPoint, UINT) override { return FALSE; }
    BOOL OnLButtonDown(CGXGridCore*, CPoint, UINT, int, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL OnLButtonUp(CGXGridCore*, CPoint, UINT) override { return FALSE; }
    BOOL OnLButtonDblClk(CGXGridCore*, CPoint, UINT, int, ROWCOL, ROWCOL) override { return FALSE; }
    BOOL StartResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int) override { return FALSE; }
    BOOL MoveResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override { return FALSE; }
    BOOL CancelResizeTracking(CGXGridCore*) override { return FALSE; }
    BOOL EndResizeTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override { return FALSE; }
};

// Hides column 2 and row 5.
class CHideTwoAndFive : public CGXAbstractGridHideCellsImp
{
public:
    void RemoveRowHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL) override {}
    void RemoveColHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL) override {}
    void InsertRowHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL) override {}
    void InsertColHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL) override {}
    void MoveRowHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL) override {}
    void MoveColHiddenFlags(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL) override {}
    BOOL HideRows(CGXGridCore*, ROWCOL, ROWCOL, BOOL, CByteArray*, UINT, int) override { return FALSE; }
    BOOL IsRowHidden(CGXGridCore*, ROWCOL nRow) override { return nRow == 5; }
    BOOL StoreHideRow(CGXGridCore*, ROWCOL, BOOL) override { return FALSE; }
    BOOL HideCols(CGXGridCore*, ROWCOL, ROWCOL, BOOL, CByteArray*, UINT, int) override { return FALSE; }
    BOOL IsColHidden(CGXGridCore*, ROWCOL nCol) override { return nCol == 2; }
    BOOL StoreHideCol(CGXGridCore*, ROWCOL, BOOL) override { return FALSE; }
};

class GridCursorTest : public GridGeometryTest
{
protected:
    void TearDown() override
    {
        grid.m_pUserResizeCellsImp = nullptr;
        grid.m_pHideCellsImp = nullptr;
        GridGeometryTest::TearDown();
    }
    // The cursor the grid sets for a point: 0 for the default arrow, else the id whose picture it shows.
    UINT CursorAt(CPoint point)
    {
        ::SetCursor(nullptr);
        const BOOL bSet = grid.SetCursorFromPoint(point);
        const HCURSOR hShown = ::GetCursor();
        if (!bSet)
            return hShown == ::LoadCursorA(nullptr, IDC_ARROW) ? 0 : 1;  // 1: something else than the arrow
        const std::vector<BYTE> shown = CursorPicture(hShown);
        for (UINT nId : kGridCursorIds)
            if (shown == ResourceCursorPicture(nId))
                return nId;
        return 2;  // some other picture, such as a system cursor
    }
    CNoResize resize;
    CHideTwoAndFive hide;
};

TEST_F(GridCursorTest, EveryHitCodeShowsItsOwnCursor)
{
    grid.m_pUserResizeCellsImp = &resize;
    grid.m_pHideCellsImp = &hide;
    grid.m_bSelectionFrame = TRUE;
    grid.m_bFillHandle = TRUE;
    grid.SelectForTest(CGXRange(2, 1, 3, 3));
    // Columns: header 0..40, 1 40..90, 2 hidden, 3 90..140. Rows of 19 px, row 5 hidden: row 6 starts at 95.
    struct Case
    {
        CPoint point;
        int nHit;
        UINT nCursor;
    } cases[] = {
        {CPoint(89, 5), 1, GX_IDC_COLRESIZE},       // right border of column 1 in the header
        {CPoint(20, 4 * 19 - 1), 2, GX_IDC_ROWRESIZE},  // bottom border of row 3 in the row header
        {CPoint(93, 5), 7, GX_IDC_HIDDENCOL},       // just right of the hidden column 2
        {CPoint(20, 98), 8, GX_IDC_HIDDENROW},      // just below the hidden row 5
        {CPoint(41, 2 * 19 + 9), 5, GX_IDC_SELFRAME},   // inside the left edge of the selection
        {CPoint(139, 75), 6, GX_IDC_FILLHANDLE},    // bottom-right corner of the selection
        {CPoint(60, 5), 4, GX_IDC_SELECTCOL},       // column header
        {CPoint(20, 3 * 19 + 9), 4, GX_IDC_SELECTROW},  // row header
        {CPoint(60, 8 * 19 + 9), 3, 0},             // inside a cell: the arrow
        {CPoint(10, 5), 4, 0},                      // the corner header: none either
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.nHit, grid.HitTest(c.point)) << c.point.x << "," << c.point.y;
        EXPECT_EQ(c.nCursor, CursorAt(c.point)) << c.point.x << "," << c.point.y;
    }
}

TEST_F(GridCursorTest, BordersShowNoResizeCursorWhereResizingIsNotAllowed)
{
    // Without the user-resize component, and with the resize flags cleared.
    EXPECT_EQ(1, grid.HitTest(CPoint(89, 5)));
    EXPECT_EQ(0u, CursorAt(CPoint(89, 5)));
    grid.m_pUserResizeCellsImp = &resize;
    EXPECT_EQ(GX_IDC_COLRESIZE, CursorAt(CPoint(89, 5)));
    grid.m_pUserResizeCellsImp = nullptr;
    EXPECT_EQ(2, grid.HitTest(CPoint(20, 4 * 19 - 1)));
    EXPECT_EQ(0u, CursorAt(CPoint(20, 4 * 19 - 1)));
    // Headers without permission to select whole columns or rows.
    grid.GetParam()->SetSelectionFlags(0);
    EXPECT_EQ(0u, CursorAt(CPoint(60, 5)));
    EXPECT_EQ(0u, CursorAt(CPoint(20, 3 * 19 + 9)));
}

TEST_F(GridCursorTest, TheOverrideWinsOverTheHitAndIsDropped)
{
    grid.SetCursorOverride(GX_IDC_SELFRAME);
    EXPECT_EQ(GX_IDC_SELFRAME, CursorAt(CPoint(60, 8 * 19 + 9)));
    grid.SetCursorOverride(0);
    EXPECT_EQ(0u, CursorAt(CPoint(60, 8 * 19 + 9)));
    EXPECT_EQ(GX_IDC_SELECTCOL, CursorAt(CPoint(60, 5)));
}

TEST_F(GridCursorTest, WithTheFocusSwitchOnlyTheFocusedGridShowsItsCursors)
{
    dlg.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dlg.m_hWnd);
    CWnd* pOther = dlg.GetDlgItem(IDC_GRID_SECOND);
    ASSERT_NE(nullptr, pOther);
    ::SetFocus(pOther->m_hWnd);
    ASSERT_EQ(pOther->m_hWnd, ::GetFocus());
    EXPECT_EQ(GX_IDC_SELECTCOL, CursorAt(CPoint(60, 5)));  // the switch is off by default

    grid.GetParam()->SetCursorOnlyWhenFocused(TRUE);
    EXPECT_EQ(0u, CursorAt(CPoint(60, 5)));
    ::SetFocus(grid.m_hWnd);
    ASSERT_EQ(grid.m_hWnd, ::GetFocus());
    EXPECT_EQ(GX_IDC_SELECTCOL, CursorAt(CPoint(60, 5)));
    // The override is the application's own choice and shows regardless.
    ::SetFocus(pOther->m_hWnd);
    grid.SetCursorOverride(GX_IDC_FILLHANDLE);
    EXPECT_EQ(GX_IDC_FILLHANDLE, CursorAt(CPoint(60, 5)));
    grid.SetCursorOverride(0);
}

TEST_F(GridCursorTest, AReplacedCursorIsDestroyedButASystemCursorNever)
{
    grid.SetGridCursor(GX_IDC_SELECTCOL);
    const HCURSOR hFirst = ::GetCursor();
    grid.SetGridCursor(GX_IDC_SELECTROW);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(hFirst, &info));
    EXPECT_EQ(ResourceCursorPicture(GX_IDC_SELECTROW), CursorPicture(::GetCursor()));
    // A missing resource lends the system cursor, which the next cursor leaves alive.
    grid.SetGridCursor(20198, IDC_SIZENS);
    const HCURSOR hSystem = ::GetCursor();
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZENS), hSystem);
    grid.SetGridCursor(GX_IDC_SELECTCOL);
    EXPECT_FALSE(CursorPicture(hSystem).empty());
    EXPECT_EQ(ResourceCursorPicture(GX_IDC_SELECTCOL), CursorPicture(::GetCursor()));
}

TEST_F(GridCursorTest, HiddenRowsAndColumnsTakeNoSpace)
{
    grid.m_pHideCellsImp = &hide;
    EXPECT_EQ(0, grid.GetRowHeight(5));
    EXPECT_EQ(0, grid.GetColWidth(2));
    EXPECT_EQ(CRect(90, 5 * 19, 140, 6 * 19), grid.CalcCellRect(6, 3));
    EXPECT_EQ(3 * 19, grid.CalcSumOfRowHeights(3, 6));
}
}  // namespace

namespace
{
// A DC that stands in for a printer's: an enhanced metafile DC (Wine here has no printer).
struct PrinterLikeDC
{
    PrinterLikeDC() : hDC(::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}
    ~PrinterLikeDC()
    {
        if (hDC != nullptr)
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(hDC));
    }
    HDC hDC;
};

// Where one inch of the grid's logical units lands on the device.
SIZE InchOnDevice(HDC hDC)
{
    const SIZE extent = GXGetFontLogPixels();
    POINT points[2] = {{0, 0}, {extent.cx, extent.cy}};
    ::LPtoDP(hDC, points, 2);
    return SIZE{points[1].x - points[0].x, points[1].y - points[0].y};
}

TEST_F(GridGeometryTest, PrintingMapsAnInchOfGridUnitsOntoAnInchOfPaper)
{
    PrinterLikeDC printer;
    ASSERT_NE(nullptr, printer.hDC);
    CDC dc;
    dc.Attach(printer.hDC);
    grid.nPrepareHooks = 0;
    grid.PrepareGridDC(&dc, TRUE);
    EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(printer.hDC));
    const SIZE inch = InchOnDevice(printer.hDC);
    EXPECT_EQ(::GetDeviceCaps(printer.hDC, LOGPIXELSX), inch.cx);
    EXPECT_EQ(::GetDeviceCaps(printer.hDC, LOGPIXELSY), inch.cy);
    // The hook comes last and sees the mapping.
    EXPECT_EQ(1, grid.nPrepareHooks);
    EXPECT_EQ(MM_ANISOTROPIC, grid.hookMapMode);

    // A DC that says it prints is mapped without the flag as well.
    ::SetMapMode(printer.hDC, MM_TEXT);
    dc.m_bPrinting = TRUE;
    grid.PrepareGridDC(&dc);
    EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(printer.hDC));
    dc.Detach();
}

TEST_F(GridGeometryTest, TheScreenKeepsItsMappingUnlessThePrinterLayoutHasAPrinter)
{
    CClientDC screen(&grid);
    grid.nPrepareHooks = 0;
    grid.PrepareGridDC(&screen);
    EXPECT_EQ(MM_TEXT, ::GetMapMode(screen.m_hDC));
    EXPECT_EQ(1, grid.nPrepareHooks);

    // The layout switch alone, without a print device, changes nothing but the zoom.
    grid.SetZoom(150, FALSE);
    EXPECT_EQ(150, grid.GetZoom());
    grid.GetParam()->SetDisplayPrinterLayout(TRUE);
    EXPECT_EQ(100, grid.GetZoom());
    grid.PrepareGridDC(&screen);
    EXPECT_EQ(MM_TEXT, ::GetMapMode(screen.m_hDC));
    EXPECT_EQ(screen.m_hDC, screen.m_hAttribDC);
    EXPECT_EQ(2, grid.nPrepareHooks);
}

TEST_F(GridGeometryTest, ThePrinterLayoutMeasuresOnThePrinterAndShowsPrintedSizes)
{
    PrinterLikeDC printer;
    ASSERT_NE(nullptr, printer.hDC);
    auto* pDevice = new CGXPrintDevice;
    pDevice->m_hPrintDC = printer.hDC;
    grid.GetParam()->SetPrintDevice(pDevice, TRUE);
    grid.GetParam()->SetDisplayPrinterLayout(TRUE);
    EXPECT_EQ(pDevice, grid.GetParam()->GetPrintDevice());

    CClientDC screen(&grid);
    grid.PrepareGridDC(&screen);
    EXPECT_EQ(printer.hDC, screen.m_hAttribDC);
    EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(printer.hDC));
    SIZE inch = InchOnDevice(printer.hDC);
    EXPECT_EQ(::GetDeviceCaps(printer.hDC, LOGPIXELSX), inch.cx);
    EXPECT_EQ(::GetDeviceCaps(printer.hDC, LOGPIXELSY), inch.cy);
    // The screen shows an inch as an inch of its own, not of the printer.
    inch = InchOnDevice(screen.m_hDC);
    EXPECT_EQ(::GetDeviceCaps(screen.m_hDC, LOGPIXELSX), inch.cx);
    EXPECT_EQ(::GetDeviceCaps(screen.m_hDC, LOGPIXELSY), inch.cy);
    screen.SetAttribDC(screen.m_hDC);
    pDevice->m_hPrintDC = nullptr;
}
}  // namespace

namespace
{
// Records the size and zoom hints a grid sends.
class CRecordingHints : public CNullUpdateHintImp
{
public:
    void HintChangedRowHeights(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, const CDWordArray* pOld, UINT) override
    {
        hints.push_back("rows" + Span(nFrom, nTo, pOld));
    }
    void HintChangedColWidths(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, const CDWordArray* pOld, UINT) override
    {
        hints.push_back("cols" + Span(nFrom, nTo, pOld));
    }
    void HintStoreZoom(CGXGridCore*, int nZoom) override { hints.push_back("store zoom " + std::to_string(nZoom)); }
    void HintZoom(CGXGridCore*, int nZoom, UINT) override { hints.push_back("zoom " + std::to_string(nZoom)); }
    std::vector<std::string> hints;

private:
    static std::string Span(ROWCOL nFrom, ROWCOL nTo, const CDWordArray* pOld)
    {
        std::string text = " ";
        text += std::to_string(nFrom);
        text += "..";
        text += std::to_string(nTo);
        if (pOld == nullptr)
            return text + " default";
        for (INT_PTR i = 0; i < pOld->GetSize(); ++i)
        {
            text += ' ';
            text += std::to_string(pOld->GetAt(i));
        }
        return text;
    }
};

class GridSizeHintTest : public GridGeometryTest
{
protected:
    void SetUp() override
    {
        GridGeometryTest::SetUp();
        grid.m_pUpdateHintImp = &recorder;
        grid.m_bHintsEnabled = TRUE;
    }
    void TearDown() override
    {
        grid.m_pUpdateHintImp = nullptr;
        GridGeometryTest::TearDown();
    }
    CRecordingHints recorder;
};

TEST_F(GridSizeHintTest, SizeAndZoomChangesReachTheLinkedViews)
{
    grid.SetRowHeight(2, 3, 25);
    grid.SetColWidth(4, 0, 70);
    grid.ChangeDefaultRowHeight(21);
    grid.SetZoomAndRedraw(150);
    const std::vector<std::string> expected = {"rows 2..3 19 19", "cols 4..4 50", "rows 1..10 default",
                                               "store zoom 150", "zoom 150"};
    EXPECT_EQ(expected, recorder.hints);
}

TEST_F(GridSizeHintTest, NoHintsLeaveAGridThatIsNotLinked)
{
    grid.m_bHintsEnabled = FALSE;
    grid.SetRowHeight(2, 3, 25);
    grid.SetColWidth(4, 0, 70);
    grid.SetZoomAndRedraw(150);
    EXPECT_TRUE(recorder.hints.empty());
    // Without the component the changes still take effect.
    grid.m_pUpdateHintImp = nullptr;
    grid.m_bHintsEnabled = TRUE;
    EXPECT_TRUE(grid.SetRowHeight(2, 0, 30));
    EXPECT_EQ(30, grid.GetRowHeight(2));
}

TEST_F(GridGeometryTest, WhilePrintingSizesFollowThePrintUnits)
{
    // A print unit of 32 gives the factor 31: the default 1200 prints 38 units high, a stored 20 px row 40.
    grid.SetRowHeight(3, 3, 20);
    grid.m_nPrintRowSizeUnit = 32;
    grid.m_nPrintColSizeUnit = 20;
    grid.SetPrinting(TRUE);
    EXPECT_EQ(32, grid.GetRowSizeUnit());
    EXPECT_EQ(38, grid.GetRowHeight(4));
    EXPECT_EQ(40, grid.GetRowHeight(3));
    EXPECT_EQ(100, grid.GetColWidth(1));  // 5000 stored at the factor 50
    EXPECT_EQ(100, grid.GetZoom());
    grid.SetPrinting(FALSE);
    EXPECT_EQ(19, grid.GetRowHeight(4));
    EXPECT_EQ(20, grid.GetRowHeight(3));
}

// Units as the grid measures them from its standard font, no chosen ones.
TEST(GridZoomTest, SizeUnitsGrowWithTheZoomSoRowsFitTheZoomedText)
{
    GXStartLibrary();
    CDialog dlg;
    CGXGridWnd grid;
    ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, FALSE));
    grid.Initialize();
    grid.UpdateSizeUnits();
    const int nRowUnit = grid.GetRowSizeUnit();
    const int nHeight = grid.GetDefaultRowHeight();
    grid.SetZoomAndRedraw(200);
    EXPECT_NEAR(2 * nRowUnit, grid.GetRowSizeUnit(), 3);
    EXPECT_NEAR(2 * nHeight, grid.GetDefaultRowHeight(), 6);
    // The printer layout shows the grid unzoomed.
    grid.GetParam()->SetDisplayPrinterLayout(TRUE);
    grid.UpdateSizeUnits();
    EXPECT_EQ(nRowUnit, grid.GetRowSizeUnit());
    grid.GetParam()->SetDisplayPrinterLayout(FALSE);
    grid.SetZoomAndRedraw(100);
    EXPECT_EQ(nRowUnit, grid.GetRowSizeUnit());
    dlg.DestroyWindow();
}
}  // namespace
