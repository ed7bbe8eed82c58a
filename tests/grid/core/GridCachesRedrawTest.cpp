// The grid engine's caches of composed styles and drawing objects, its grid DC, the hooks to the
// data object, CommitDataChanges, and the redraw operations with their update hints.

#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/Gdi.h"
#include "framework/win/SeamRecorders.h"
#include "grid/core/Data.h"
#include "grid/core/Font.h"
#include "grid/core/GridPaintContext.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylePenBrush.h"
#include "tests/grid/core/GridEngineTestResources.h"
#include "tests/grid/core/GridEngineTestSupport.h"
#include "tests/grid/core/GridWindowTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{
class CCacheGrid : public CGXGridCore
{
public:
    void SetPaintDepth(int nDepth) { m_nPaintDepth = nDepth; }
    CGXControl* CurrentCellStyleControl() const { return m_pCurrentCellStyleControl; }
    INT_PTR CachedPens() const { return m_PenCache.GetCount(); }
    INT_PTR CachedStyles() const { return m_StyleCache.GetCount(); }
};

// Stores a value straight into the data object, behind the caches' back.
void StoreValue(CGXGridCore& grid, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
{
    CGXStyle style;
    style.SetValue(pszValue);
    grid.GetParam()->GetData()->StoreStyleRowCol(nRow, nCol, &style, gxOverride);
}

// ---- Composed styles ----

int g_nDeletedStyles = 0;

class CCountedStyle : public CGXStyle
{
public:
    ~CCountedStyle() override { ++g_nDeletedStyles; }
};

TEST(GridStyleCacheTest, TheFiveHundredAndFirstRecycledStyleIsDeleted)
{
    g_nDeletedStyles = 0;
    {
        CCacheGrid grid;
        for (int i = 0; i < 500; ++i)
            grid.RecycleStyle(new CCountedStyle);
        EXPECT_EQ(0, g_nDeletedStyles);
        grid.RecycleStyle(new CCountedStyle);
        EXPECT_EQ(1, g_nDeletedStyles);
    }
    // The kept ones go with the grid.
    EXPECT_EQ(501, g_nDeletedStyles);
}

TEST(GridStyleCacheTest, ACachedStyleIsReturnedAgainUntilTheNextFlush)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    StoreValue(grid, 2, 3, "old");
    const CGXStyle* pFirst = &grid.LookupCellStyle(2, 3);
    StoreValue(grid, 2, 3, "new");
    EXPECT_EQ(pFirst, &grid.LookupCellStyle(2, 3));
    EXPECT_EQ(CString("old"), grid.LookupCellStyle(2, 3).GetValue());
    grid.FlushDrawingCaches();
    EXPECT_EQ(CString("new"), grid.LookupCellStyle(2, 3).GetValue());
}

TEST(GridStyleCacheTest, AReadOnlyGridComposesReadOnlyStyles)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    grid.SetReadOnly(TRUE);
    const CGXStyle& style = grid.LookupCellStyle(1, 1);
    EXPECT_TRUE(style.GetIncludeReadOnly());
    EXPECT_TRUE(style.GetReadOnly());
}

TEST(GridStyleCacheTest, PinnedCellsKeepTheirStylesThroughAFlush)
{
    CCacheGrid grid;
    InitializeEngine(grid, 6, 6);
    for (ROWCOL nRow : {2u, 3u, 4u})
    {
        StoreValue(grid, nRow, 2, "old");
        grid.LookupCellStyle(nRow, 2);
        StoreValue(grid, nRow, 2, "new");
    }
    grid.SetPinnedStyleCells(2, 2, 4, 2);
    grid.FlushDrawingCaches();
    EXPECT_EQ(2, grid.CachedStyles());
    EXPECT_EQ(CString("old"), grid.LookupCellStyle(2, 2).GetValue());
    EXPECT_EQ(CString("new"), grid.LookupCellStyle(3, 2).GetValue());
    EXPECT_EQ(CString("old"), grid.LookupCellStyle(4, 2).GetValue());

    grid.SetPinnedStyleCells(0, 0);
    grid.FlushDrawingCaches();
    EXPECT_EQ(0, grid.CachedStyles());
    EXPECT_EQ(CString("new"), grid.LookupCellStyle(2, 2).GetValue());
}

TEST(GridStyleCacheTest, TheFlushLockKeepsEverything)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    StoreValue(grid, 1, 1, "old");
    grid.LookupCellStyle(1, 1);
    StoreValue(grid, 1, 1, "new");
    grid.m_bLockFlush = TRUE;
    grid.FlushDrawingCaches();
    EXPECT_EQ(CString("old"), grid.LookupCellStyle(1, 1).GetValue());
    grid.m_bLockFlush = FALSE;
    grid.FlushDrawingCaches();
    EXPECT_EQ(CString("new"), grid.LookupCellStyle(1, 1).GetValue());
}

TEST(GridStyleCacheTest, AFlushDuringAPaintLeavesThePaintsStylesAndFontsAlone)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    StoreValue(grid, 1, 1, "old");
    const CGXStyle* pStyle = &grid.LookupCellStyle(1, 1);
    CGXFont font;
    font.SetFaceName("Arial").SetSize(10);
    const HGDIOBJ hFont = grid.GetCachedFont(font)->GetSafeHandle();
    StoreValue(grid, 1, 1, "new");
    grid.SetPaintDepth(1);
    grid.FlushDrawingCaches();
    EXPECT_EQ(pStyle, &grid.LookupCellStyle(1, 1));
    EXPECT_EQ(CString("old"), pStyle->GetValue());
    EXPECT_NE(0u, static_cast<unsigned>(::GetObjectType(hFont)));
    grid.SetPaintDepth(0);
    grid.FlushDrawingCaches();
    EXPECT_EQ(CString("new"), grid.LookupCellStyle(1, 1).GetValue());
}

TEST(GridStyleCacheTest, TheCurrentCellIsComposedAfreshAndThenAnsweredFromItsCopy)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    StoreValue(grid, 2, 2, "two");
    StoreValue(grid, 3, 3, "three");
    grid.SetCurrentCellInfo(TRUE, 2, 2);

    const CGXStyle* pComposed = &grid.LookupCellStyle(2, 2);
    EXPECT_EQ(0, grid.CachedStyles());  // never in the cache
    const CGXStyle* pCopy = &grid.LookupCellStyle(2, 2);
    EXPECT_NE(pComposed, pCopy);
    EXPECT_EQ(CString("two"), pCopy->GetValue());
    EXPECT_EQ(pCopy, &grid.LookupCellStyle(2, 2));
    EXPECT_EQ(grid.GetRegisteredControl(pCopy->GetControl()), grid.CurrentCellStyleControl());
    grid.ResetCurrentCellStyle();
    EXPECT_EQ(nullptr, grid.CurrentCellStyleControl());
    EXPECT_NE(pCopy, &grid.LookupCellStyle(2, 2));

    // The copy belongs to its cell: a current cell that moved is composed for itself.
    grid.SetCurrentCellInfo(TRUE, 3, 3);
    EXPECT_EQ(CString("three"), grid.LookupCellStyle(3, 3).GetValue());

    // Without the shortcut every lookup composes again.
    grid.m_bUseCurrentCellStyle = FALSE;
    StoreValue(grid, 3, 3, "changed");
    EXPECT_EQ(CString("changed"), grid.LookupCellStyle(3, 3).GetValue());
}

TEST(GridStyleCacheTest, TheCurrentCellMayUseTheCache)
{
    CCacheGrid grid;
    InitializeEngine(grid, 5, 5);
    grid.m_bCurrentCellUsesCache = TRUE;
    grid.m_bUseCurrentCellStyle = FALSE;
    grid.SetCurrentCellInfo(TRUE, 2, 2);
    const CGXStyle* pFirst = &grid.LookupCellStyle(2, 2);
    EXPECT_EQ(1, grid.CachedStyles());
    EXPECT_EQ(pFirst, &grid.LookupCellStyle(2, 2));
}

// ---- Drawing objects ----

TEST(GridDrawingObjectCacheTest, AFontWhoseHandleIsGoneIsMadeAgainInTheSameObject)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    CGXFont font;
    font.SetFaceName("Arial").SetSize(12).SetBold(TRUE);
    CFont* pFont = grid.GetCachedFont(font);
    ASSERT_NE(nullptr, pFont);
    ::DeleteObject(pFont->GetSafeHandle());

    EXPECT_EQ(pFont, grid.GetCachedFont(font));
    ASSERT_NE(0u, static_cast<unsigned>(::GetObjectType(pFont->GetSafeHandle())));
    LOGFONT lf{};
    ::GetObjectA(pFont->GetSafeHandle(), sizeof(lf), &lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
}

TEST(GridDrawingObjectCacheTest, AFontHoldingSharedDataFindsTheFontOfAnEqualOne)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    CGXFont holding;
    holding.SetFaceName("Arial").SetSize(9);
    holding.AttachFontData();
    CGXFont plain;
    plain.SetFaceName("Arial").SetSize(9);
    ASSERT_TRUE(holding.HoldsFontData());
    ASSERT_FALSE(plain.HoldsFontData());
    EXPECT_EQ(grid.GetCachedFont(holding), grid.GetCachedFont(plain));
}

TEST(GridDrawingObjectCacheTest, AFlushDeletesTheDrawingObjectsUnlessGdiIsLocked)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    CGXFont font;
    font.SetFaceName("Arial").SetSize(11);
    const HGDIOBJ hFont = grid.GetCachedFont(font)->GetSafeHandle();
    const HBRUSH hBrush = grid.GetCachedBrush(CGXStyleBrush(CGXStyleBrush::bsHatched, RGB(1, 2, 3), HS_CROSS));

    grid.m_bLockGDI = TRUE;
    grid.FlushDrawingCaches();
    EXPECT_NE(0u, static_cast<unsigned>(::GetObjectType(hFont)));
    EXPECT_EQ(hBrush, grid.GetCachedBrush(CGXStyleBrush(CGXStyleBrush::bsHatched, RGB(1, 2, 3), HS_CROSS)));

    grid.m_bLockGDI = FALSE;
    grid.FlushDrawingCaches();
    EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(hFont)));
    EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(hBrush)));
}

TEST(GridDrawingObjectCacheTest, BrushesAreKeyedByBothWordsOfTheirRecord)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    CGXStyleBrush onWhite(CGXStyleBrush::bsHatched, RGB(255, 0, 0), HS_DIAGCROSS);
    CGXStyleBrush onBlack(onWhite);
    onBlack.SetBkColor(RGB(0, 0, 0));
    ASSERT_EQ(onWhite.GetWord0(), onBlack.GetWord0());
    const HBRUSH hWhite = grid.GetCachedBrush(onWhite);
    EXPECT_NE(hWhite, grid.GetCachedBrush(onBlack));
    EXPECT_EQ(hWhite, grid.GetCachedBrush(onWhite));

    LOGBRUSH lb{};
    ::GetObjectA(hWhite, sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_HATCHED), lb.lbStyle);
    EXPECT_EQ(static_cast<ULONG_PTR>(HS_DIAGCROSS), lb.lbHatch);
    EXPECT_EQ(RGB(255, 0, 0), lb.lbColor);
}

TEST(GridDrawingObjectCacheTest, BrushStylesFollowTheRecordsPatternGroup)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    struct Case
    {
        CGXStyleBrush brush;
        UINT nExpectedStyle;
    };
    const Case cases[] = {
        {CGXStyleBrush(CGXStyleBrush::bsSolid, RGB(0, 128, 0)), BS_SOLID},
        {CGXStyleBrush(CGXStyleBrush::bsHollow, RGB(0, 128, 0)), BS_HOLLOW},
        {CGXStyleBrush().SetPattern(3), BS_PATTERN},
        // A pattern number the library has no bitmap for draws nothing.
        {CGXStyleBrush().SetPattern(60), BS_HOLLOW},
    };
    for (const Case& c : cases)
    {
        const HBRUSH hBrush = grid.GetCachedBrush(c.brush);
        ASSERT_NE(nullptr, hBrush);
        LOGBRUSH lb{};
        ::GetObjectA(hBrush, sizeof(lb), &lb);
        EXPECT_EQ(c.nExpectedStyle, lb.lbStyle) << c.brush.GetPattern();
    }
}

TEST(GridDrawingObjectCacheTest, ABrushWhoseHandleIsGoneIsMadeAgain)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    const CGXStyleBrush brush(CGXStyleBrush::bsSolid, RGB(10, 20, 30));
    ::DeleteObject(grid.GetCachedBrush(brush));
    const HBRUSH hAgain = grid.GetCachedBrush(brush);
    ASSERT_NE(0u, static_cast<unsigned>(::GetObjectType(hAgain)));
    LOGBRUSH lb{};
    ::GetObjectA(hAgain, sizeof(lb), &lb);
    EXPECT_EQ(RGB(10, 20, 30), lb.lbColor);
}

TEST(GridDrawingObjectCacheTest, PensAreGeometricWithSquareEndsAndCached)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    const CGXStylePen pen(PS_DASH, 3, RGB(0, 0, 255));
    const HPEN hPen = grid.GetCachedPen(pen);
    ASSERT_NE(nullptr, hPen);
    EXPECT_EQ(hPen, grid.GetCachedPen(CGXStylePen(PS_DASH, 3, RGB(0, 0, 255))));
    EXPECT_EQ(static_cast<DWORD>(OBJ_EXTPEN), ::GetObjectType(hPen));
    BYTE buffer[sizeof(EXTLOGPEN) + 64] = {};
    ASSERT_GT(::GetObjectA(hPen, sizeof(buffer), buffer), 0);
    const auto* pLog = reinterpret_cast<const EXTLOGPEN*>(buffer);
    EXPECT_EQ(static_cast<DWORD>(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_DASH), pLog->elpPenStyle);
    EXPECT_EQ(3u, pLog->elpWidth);
    EXPECT_EQ(RGB(0, 0, 255), pLog->elpColor);
}

TEST(GridDrawingObjectCacheTest, SystemsThatNeedSimplePensGetThem)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    const BOOL bOldNotNT = GXGetAppData()->m_bNotNT;
    GXGetAppData()->m_bNotNT = TRUE;
    const HPEN hPen = grid.GetCachedPen(CGXStylePen(PS_DOT, 1, RGB(9, 9, 9)));
    const DWORD nType = ::GetObjectType(hPen);
    LOGPEN lp{};
    ::GetObjectA(hPen, sizeof(lp), &lp);
    GXGetAppData()->m_bNotNT = bOldNotNT;
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), nType);
    EXPECT_EQ(static_cast<UINT>(PS_DOT), lp.lopnStyle);
}

TEST(GridDrawingObjectCacheTest, APenThatCannotBeMadeIsNotCached)
{
    CCacheGrid grid;
    InitializeEngine(grid, 2, 2);
    // Style 7 marks a pen as not set; GDI has no such geometric pen without a style table.
    const CGXStylePen unset;
    EXPECT_EQ(nullptr, grid.GetCachedPen(unset));
    EXPECT_EQ(0, grid.CachedPens());
    grid.GetCachedPen(CGXStylePen(PS_SOLID, 1, RGB(0, 0, 0)));
    EXPECT_EQ(1, grid.CachedPens());
}

// ---- The grid DC ----

class CDCGridWnd : public CGXGridWnd
{
public:
    void SetPaintDepth(int nDepth) { m_nPaintDepth = nDepth; }
    void SetPaintContext(CGXGridPaintContext* pContext) { m_pPaintContext = pContext; }
};

class GridDCTest : public GridWindowTest<CDCGridWnd>
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenGrid(5, 3, FALSE)); }
    void TearDown() override
    {
        grid.ReleaseGridDC();
        GridWindowTest<CDCGridWnd>::TearDown();
    }
};

TEST_F(GridDCTest, TheGridDCIsKeptUntilReleasedAndHoldsTheStandardFont)
{
    CDC* pDC = grid.GetGridDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(pDC, grid.GetGridDC());
    const CGXStyle* pStandard = grid.GetStandardStyle();
    ASSERT_NE(nullptr, pStandard);
    CGXFont zoomed(pStandard->GetFont());
    zoomed.SetSize(pStandard->GetFont().GetSize() * grid.GetZoom() / 100);
    EXPECT_EQ(grid.GetCachedFont(zoomed)->GetSafeHandle(), ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));

    const HDC hdc = pDC->GetSafeHdc();
    grid.ReleaseGridDC();
    // The released DC went back to the window with its own font again.
    EXPECT_NE(grid.GetCachedFont(zoomed)->GetSafeHandle(), ::GetCurrentObject(hdc, OBJ_FONT));
}

TEST_F(GridDCTest, TheGridDCStaysWhilePaintingAndDuringALongOperation)
{
    CDC* pDC = grid.GetGridDC();
    ASSERT_NE(nullptr, pDC);
    grid.SetPaintDepth(1);
    grid.ReleaseGridDC();
    EXPECT_EQ(pDC, grid.GetGridDC());
    EXPECT_NE(0u, static_cast<unsigned>(::GetObjectType(pDC->GetSafeHdc())));
    grid.SetPaintDepth(0);

    grid.m_nLongOperation = 1;
    grid.ReleaseGridDC();
    EXPECT_EQ(pDC, grid.GetGridDC());
    grid.m_nLongOperation = 0;
}

TEST_F(GridDCTest, WhilePaintingTheGridDCIsThePaintsDC)
{
    CDC paintDC;
    CGXGridPaintContext context;
    context.m_pDC = &paintDC;
    grid.SetPaintContext(&context);
    EXPECT_EQ(&paintDC, grid.GetGridDC());
    grid.SetPaintContext(nullptr);
    EXPECT_NE(&paintDC, grid.GetGridDC());
}

TEST_F(GridDCTest, AFlushKeepingTheDCGivesItsFontBackAndTheNextUseSelectsItAgain)
{
    CDC* pDC = grid.GetGridDC();
    ASSERT_NE(nullptr, pDC);
    const HGDIOBJ hFont = ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT);
    grid.m_nLongOperation = 1;
    grid.FlushDrawingCaches();
    // The cached font went with the flush; the DC no longer holds it.
    EXPECT_NE(hFont, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
    ASSERT_EQ(pDC, grid.GetGridDC());
    EXPECT_NE(0u, static_cast<unsigned>(::GetObjectType(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT))));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT)));
    grid.m_nLongOperation = 0;
}

// ---- Data hooks and CommitDataChanges ----

class CRecordingData : public CGXData
{
public:
    std::vector<std::string> calls;
    std::set<std::pair<ROWCOL, ROWCOL>> answering;
    CString problem;
    BOOL bReadOnly = FALSE;

    BOOL OnCellQuery(ROWCOL nRow, ROWCOL nCol) override
    {
        calls.push_back("query " + Cell(nRow, nCol));
        return answering.count({nRow, nCol}) != 0;
    }
    void OnCellNotify(ROWCOL nRow, ROWCOL nCol, DWORD dwReason) override
    {
        calls.push_back("cell " + Cell(nRow, nCol) + " " + std::to_string(dwReason));
    }
    void OnNotify(DWORD dwReason) override { calls.push_back("notify " + std::to_string(dwReason)); }
    void OnSetState(DWORD dwState) override { calls.push_back("set " + std::to_string(dwState)); }
    void OnResetState() override { calls.push_back("reset"); }
    BOOL OnValidate(CString& message) override
    {
        calls.push_back("validate");
        message = problem;
        return !problem.IsEmpty();
    }
    BOOL IsReadOnlyState() override { return bReadOnly; }

private:
    static std::string Cell(ROWCOL nRow, ROWCOL nCol) { return std::to_string(nRow) + "," + std::to_string(nCol); }
};

class CCoveringImp : public CGXAbstractGridCoveredCellsImp
{
public:
    CGXRange covered{2, 2, 3, 4};
    BOOL SetCoveredCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, int) override { return FALSE; }
    BOOL GetCoveredCellsRowCol(CGXGridCore*, ROWCOL nRow, ROWCOL nCol, CGXRange& range) override
    {
        if (!covered.ContainsCell(nRow, nCol))
            return FALSE;
        range = covered;
        return TRUE;
    }
    BOOL StoreCoveredCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL) override { return FALSE; }
    BOOL UpdateCoveredCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override { return FALSE; }
    BOOL ExpandToCoveredCells(CGXGridCore*, const CGXRange&, CGXRange&) override { return FALSE; }
    BOOL OnRemovingRows(CGXGridCore*, ROWCOL, ROWCOL, int) override { return FALSE; }
    BOOL OnRemovingCols(CGXGridCore*, ROWCOL, ROWCOL, int) override { return FALSE; }
};

// Records the locks and switches a redraw sees.
class CCommitGrid : public CGXGridCore
{
public:
    std::vector<std::string> redraws;
    void RedrawGrid(UINT nFlags, BOOL bCreateHint) override
    {
        redraws.push_back("flags " + std::to_string(nFlags) + " gdi " + std::to_string(m_bLockGDI) + " commit " +
                          std::to_string(m_bCommitRedraw));
        CGXGridCore::RedrawGrid(nFlags, bCreateHint);
    }
};

class GridDataHooksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetParam(nullptr);
        pData = new CRecordingData;
        grid.GetParam()->SetData(pData, TRUE);
        // The structure changes here redraw the whole grid, as they do without the optimized redraw.
        grid.m_pOptimizedUpdateImp = nullptr;
        InitializeEngine(grid, 5, 5);
        pData->calls.clear();
        grid.redraws.clear();
    }
    void Pend(ROWCOL nRow, ROWCOL nCol) { grid.GetParam()->GetPendingCells().AddTail(new CGXRange(nRow, nCol)); }
    CCommitGrid grid;
    CRecordingData* pData = nullptr;
};

TEST_F(GridDataHooksTest, ACellQueryAsksForTheTopLeftCellOfItsCoveredRange)
{
    CCoveringImp covering;
    grid.m_pCoveredCellsImp = &covering;
    pData->answering = {{2, 2}};
    EXPECT_TRUE(grid.DataCellQuery(3, 4));
    EXPECT_FALSE(grid.DataCellQuery(5, 5));
    grid.m_pCoveredCellsImp = nullptr;
    EXPECT_FALSE(grid.DataCellQuery(3, 4));
    EXPECT_EQ((std::vector<std::string>{"query 2,2", "query 5,5", "query 3,4"}), pData->calls);
}

TEST_F(GridDataHooksTest, TheOtherHooksArePassedOnAndNotificationsStopUnderTheirLock)
{
    grid.DataCellNotify(1, 2, 7);
    grid.DataNotify(3);
    grid.m_bLockDataNotify = TRUE;
    grid.DataNotify(4);
    grid.m_bLockDataNotify = FALSE;
    grid.DataSetState(5);
    grid.DataResetState();
    CString message;
    pData->problem = "bad";
    EXPECT_TRUE(grid.DataValidate(message));
    EXPECT_EQ(CString("bad"), message);
    EXPECT_EQ((std::vector<std::string>{"cell 1,2 7", "notify 3", "set 5", "reset", "validate"}), pData->calls);
}

TEST_F(GridDataHooksTest, ACommitRedrawsAtOnceUnderTheGdiLockThenNotifiesAndEmptiesThePendingCells)
{
    Pend(2, 3);
    Pend(4, 1);
    EXPECT_TRUE(grid.CommitDataChanges(TRUE, FALSE, FALSE));
    EXPECT_EQ((std::vector<std::string>{"reset", "set 1", "validate", "cell 2,3 1", "cell 4,1 1"}), pData->calls);
    EXPECT_TRUE(grid.GetParam()->GetPendingCells().IsEmpty());
    ASSERT_EQ(1u, grid.redraws.size());
    EXPECT_EQ("flags 2 gdi 1 commit 1", grid.redraws[0]);
    EXPECT_FALSE(grid.m_bLockGDI);
    EXPECT_FALSE(grid.m_bCommitRedraw);
}

TEST_F(GridDataHooksTest, AFailedValidationShowsItsMessageUnlessQuietAndReturnsFalse)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    pData->problem = "Value out of range";
    Pend(2, 2);

    EXPECT_FALSE(grid.CommitDataChanges(TRUE, FALSE, FALSE));
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("Value out of range", box.calls[0].text);
    EXPECT_EQ((std::vector<std::string>{"reset", "set 1", "validate", "reset"}), pData->calls);
    EXPECT_FALSE(grid.GetParam()->GetPendingCells().IsEmpty());

    pData->calls.clear();
    EXPECT_FALSE(grid.CommitDataChanges(TRUE, TRUE, FALSE));
    EXPECT_EQ(1u, box.calls.size());
    EXPECT_EQ((std::vector<std::string>{"reset", "set 1", "validate", "reset"}), pData->calls);
}

TEST_F(GridDataHooksTest, ACommitWithoutSaveOnlyRedrawsAndNotifies)
{
    pData->problem = "never asked";
    Pend(1, 1);
    EXPECT_TRUE(grid.CommitDataChanges(FALSE, FALSE, FALSE));
    EXPECT_EQ((std::vector<std::string>{"cell 1,1 1"}), pData->calls);
}

TEST_F(GridDataHooksTest, ReadOnlyDataOrAnEmptyTableIsLeftAlone)
{
    Pend(1, 1);
    pData->bReadOnly = TRUE;
    EXPECT_TRUE(grid.CommitDataChanges(TRUE, FALSE, FALSE));
    pData->bReadOnly = FALSE;
    grid.SetRowCount(0);
    EXPECT_TRUE(grid.CommitDataChanges(TRUE, FALSE, FALSE));
    EXPECT_TRUE(pData->calls.empty());
    // Only the row-count change's own redraw.
    EXPECT_EQ(1u, grid.redraws.size());
    EXPECT_FALSE(grid.GetParam()->GetPendingCells().IsEmpty());
}

// ---- Redraw and update hints ----

class CRecordingHintImp : public CNullUpdateHintImp
{
public:
    std::vector<std::string> hints;
    void HintRedrawRange(CGXGridCore*, const CGXRange& range, UINT nFlags) override
    {
        hints.push_back("range " + std::to_string(range.top) + "," + std::to_string(range.left) + "," +
                        std::to_string(range.bottom) + "," + std::to_string(range.right) + " flags " +
                        std::to_string(nFlags));
    }
    void HintRedrawGrid(CGXGridCore*, UINT nFlags) override { hints.push_back("grid flags " + std::to_string(nFlags)); }
    void HintRecalc(CGXGridCore*, CString* pErrorText) override
    {
        hints.push_back(std::string("recalc") + (pErrorText != nullptr ? " with text" : ""));
    }
};

class GridRedrawHintTest : public GridWindowTest<CGXGridWnd>
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenGrid(5, 3, FALSE));
        grid.SetColWidth(0, 3, 30);
        dlg.ShowWindow(SW_SHOW);
        grid.UpdateWindow();
        grid.m_pUpdateHintImp = &hints;
        grid.m_bHintsEnabled = TRUE;
    }
    void TearDown() override
    {
        grid.m_pUpdateHintImp = nullptr;
        GridWindowTest<CGXGridWnd>::TearDown();
    }
    CRect UpdateRect()
    {
        CRect rect;
        ::GetUpdateRect(grid.GetSafeHwnd(), &rect, FALSE);
        return rect;
    }
    CRecordingHintImp hints;
};

TEST_F(GridRedrawHintTest, RangeAndGridRedrawsAskedForAHintPassItOn)
{
    grid.RedrawRange(CGXRange().SetRows(2, 3), GX_INVALIDATE, TRUE);
    grid.RedrawRange(CGXRange(1, 1), GX_INVALIDATE, FALSE);
    grid.RedrawGrid(GX_INVALIDATE, TRUE);
    grid.RedrawGrid(GX_INVALIDATE, FALSE);
    // Whole rows reach the hint as cells from the row headers on.
    EXPECT_EQ((std::vector<std::string>{"range 2,0,3,3 flags 1", "grid flags 1"}), hints.hints);

    hints.hints.clear();
    grid.m_bHintsEnabled = FALSE;
    grid.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_TRUE(hints.hints.empty());
}

class CRecordingSpansImp : public CGXAbstractDrawSpannedCellsImp
{
public:
    std::vector<std::string> evaluations;
    BOOL IsSpannedCell(CGXGridCore*, CGXGridPaintContext&, UINT, UINT) override { return FALSE; }
    BOOL DrawSpannedCell(CGXGridCore*, CGXGridPaintContext&, UINT, UINT) override { return FALSE; }
    BOOL EvalSpannedCellsInPanes(CGXGridCore*, ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nFrozenRows,
                                 ROWCOL nFrozenCols, ROWCOL nBottomRow, ROWCOL nRightCol, BOOL, CGXRange*, BOOL,
                                 UINT) override
    {
        evaluations.push_back(std::to_string(nTopRow) + "," + std::to_string(nLeftCol) + " frozen " +
                              std::to_string(nFrozenRows) + "," + std::to_string(nFrozenCols) + " last " +
                              std::to_string(nBottomRow) + "," + std::to_string(nRightCol));
        return TRUE;
    }
};

TEST_F(GridRedrawHintTest, AGridRedrawEvaluatesTheSpansOfTheVisibleCells)
{
    CRecordingSpansImp spans;
    grid.m_pDrawSpannedCellsImp = &spans;
    grid.RedrawGrid(GX_INVALIDATE);
    grid.m_pDrawSpannedCellsImp = nullptr;
    const std::string expected = "1,1 frozen 0,0 last " + std::to_string(grid.GetLastVisibleRow()) + "," +
                                 std::to_string(grid.GetLastVisibleCol());
    EXPECT_EQ(std::vector<std::string>{expected}, spans.evaluations);
}

TEST_F(GridRedrawHintTest, ACommitAskedForAHintPassesOneOn)
{
    EXPECT_TRUE(grid.CommitDataChanges(FALSE, TRUE, TRUE));
    EXPECT_EQ((std::vector<std::string>{"recalc"}), hints.hints);
}

TEST_F(GridRedrawHintTest, ImmediateFlagsPaintAtOnceAndInvalidateOnlyWaits)
{
    struct Case
    {
        UINT nFlags;
        BOOL bPending;
    } cases[] = {{GX_INVALIDATE, TRUE}, {GX_UPDATENOW, FALSE}, {GX_SMART, FALSE}};
    for (const Case& c : cases)
    {
        grid.ValidateRect(nullptr);
        grid.RedrawRange(CGXRange(2, 2), c.nFlags);
        EXPECT_EQ(c.bPending, !UpdateRect().IsRectEmpty()) << "range, flags " << c.nFlags;
        grid.ValidateRect(nullptr);
        grid.RedrawGrid(c.nFlags);
        EXPECT_EQ(c.bPending, !UpdateRect().IsRectEmpty()) << "grid, flags " << c.nFlags;
    }
}

TEST_F(GridRedrawHintTest, NothingIsRedrawnUnderTheUpdateLockOrWhileHidden)
{
    grid.ValidateRect(nullptr);
    grid.SetLockUpdate(TRUE);
    grid.RedrawRange(CGXRange(2, 2), GX_INVALIDATE, TRUE);
    grid.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_TRUE(UpdateRect().IsRectEmpty());
    grid.SetLockUpdate(FALSE);

    grid.ShowWindow(SW_HIDE);
    grid.RedrawRange(CGXRange(2, 2), GX_INVALIDATE, TRUE);
    EXPECT_TRUE(hints.hints.empty());
}

TEST_F(GridRedrawHintTest, AGridRedrawPullsTheScrolledPositionBackIntoTheTable)
{
    grid.SetRowCount(40);
    ASSERT_TRUE(grid.SetTopRow(30));
    // The data shrinks behind the engine's back; the next full redraw shows the table from its end.
    grid.GetParam()->GetData()->SetRowCount(10);
    grid.RedrawGrid(GX_INVALIDATE);
    EXPECT_LE(grid.GetTopRow(), 10u);
}

// A commit on a grid on screen: the paint records the rows the data answers for, the commit tells
// the data object of them once validation passed.
class CCommitData : public CRecordingData
{
public:
    BOOL OnCellQuery(ROWCOL nRow, ROWCOL nCol) override { return answering.count({nRow, nCol}) != 0; }
};

TEST(GridCommitOnScreenTest, TheRowsACommitRedrawDrewAreNotifiedOnce)
{
    GXStartLibrary();
    CDialog dlg;
    CGXGridWnd grid;
    ASSERT_NO_FATAL_FAILURE(SubclassTestGrid(dlg, grid, FALSE));
    grid.SetParam(nullptr);
    auto* pData = new CCommitData;
    grid.GetParam()->SetData(pData, TRUE);
    grid.Initialize();
    grid.SetRowCount(5);
    grid.SetColCount(3);
    grid.SetColWidth(0, 3, 30);
    grid.SetRowHeight(0, 5, 15);
    dlg.ShowWindow(SW_SHOW);
    grid.UpdateWindow();
    pData->answering = {{2, 3}, {3, 1}};
    pData->calls.clear();

    EXPECT_TRUE(grid.CommitDataChanges(TRUE, TRUE, FALSE));
    std::vector<std::string> notified;
    for (const std::string& call : pData->calls)
        if (call.rfind("cell ", 0) == 0)
            notified.push_back(call);
    EXPECT_EQ((std::vector<std::string>{"cell 2,3 1", "cell 3,1 1"}), notified);
    EXPECT_TRUE(grid.GetParam()->GetPendingCells().IsEmpty());

    // Nothing is left over for the next commit.
    pData->calls.clear();
    pData->answering.clear();
    EXPECT_TRUE(grid.CommitDataChanges(FALSE, TRUE, FALSE));
    EXPECT_TRUE(pData->calls.empty());
    dlg.DestroyWindow();
}

// ---- The printed page ----

TEST(GridPrintPageTest, TheMarginsNarrowThePagesDrawingRectangle)
{
    CGXGridCore grid;
    InitializeEngine(grid, 2, 2);
    grid.GetProperties()->SetMargins(100, 50, 150, 75);
    CPrintInfo info;
    info.m_rectDraw = CRect(0, 0, 2000, 3000);
    grid.ApplyPrintMargins(nullptr, &info);
    EXPECT_EQ(CRect(50, 100, 1925, 2850), info.m_rectDraw);
}

class CRecordingPrintImp : public CGXAbstractPropertiesPrintImp
{
public:
    std::vector<std::string> calls;
    CPrintInfo* pSeenInfo = nullptr;
    CGXGridParam* pSeenParam = nullptr;
    BOOL OnPrintHeaderAndFooter(CGXProperties&, CDC*, CPrintInfo* pInfo, CDocument* pDoc,
                                CGXGridParam* pParam) override
    {
        calls.push_back(pDoc == nullptr ? "header and footer, no document" : "header and footer, document");
        pSeenInfo = pInfo;
        pSeenParam = pParam;
        return TRUE;
    }
    int CalcHeaderFooterHeight(CGXProperties&, CDC*, CGXData*, const CGXStylesMap*) override { return 0; }
    void PrintHeaderFooterData(CGXProperties&, CDC*, CPrintInfo*, const RECT&, CGXData*,
                               const CGXStylesMap*) override
    {
    }
};

CRecordingPrintImp* g_pPrintImp = nullptr;

TEST(GridPrintPageTest, HeaderAndFooterAreLeftToThePropertiesPrintComponent)
{
    CGXGridCore grid;
    InitializeEngine(grid, 2, 2);
    CPrintInfo info;
    EXPECT_FALSE(grid.PrintHeaderFooter(nullptr, &info));

    CRecordingPrintImp imp;
    g_pPrintImp = &imp;
    CGXProperties::s_pfnFindPrintImp = [](const CGXProperties&) -> CGXAbstractPropertiesPrintImp* {
        return g_pPrintImp;
    };
    const BOOL bPrinted = grid.PrintHeaderFooter(nullptr, &info);
    CGXProperties::s_pfnFindPrintImp = nullptr;
    g_pPrintImp = nullptr;
    EXPECT_TRUE(bPrinted);
    EXPECT_EQ(std::vector<std::string>{"header and footer, no document"}, imp.calls);
    EXPECT_EQ(&info, imp.pSeenInfo);
    EXPECT_EQ(grid.GetParam(), imp.pSeenParam);
}
}  // namespace
