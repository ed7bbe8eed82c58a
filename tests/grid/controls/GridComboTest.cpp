// What the combo cells share: rows of tab-separated fields measured, drawn with lines between
// their columns and raised to the tallest bitmap shown, and the header of column titles painted in
// the classic look or through the theme engine.
#include "grid/controls/GridCombo.h"

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"

#include "CellTestGrid.h"
#include "DrawnCellTestGrid.h"
#include "FakeThemeEngine.h"

#include <gtest/gtest.h>

namespace
{
// Resource 102 of the test program: a 6 x 30 blue bitmap.
const char kTall[] = "#BMP(102)";
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

CString Row(const char* pszBefore, const char* pszAfter = "")
{
    return CString(pszBefore) + pszAfter;
}

struct Screen
{
    explicit Screen(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~Screen() { ::ReleaseDC(m_hWnd, m_hDC); }
    COLORREF At(int x, int y) const { return ::GetPixel(m_hDC, x, y) & 0xFFFFFF; }
    HWND m_hWnd;
    HDC m_hDC;
};
}  // namespace

TEST(TabbedRowTest, TheHeightRisesToTheTallestShownBitmap)
{
    const CString tallFirst = Row(kTall, "\ta\tb");
    const CString tallSecond = Row("a\t", kTall);
    const struct
    {
        const char* pszRow;
        BOOL bTextOnly;
        int nTextColumn;
        int nTabStops;
        int nHeight;
        int nExpected;
    } cases[] = {
        {tallFirst, FALSE, 0, 2, 12, 30},
        {tallFirst, TRUE, 0, 2, 12, 30},
        // The copy of the text field in front is not shown in a row of all columns.
        {tallFirst, FALSE, 1, 2, 12, 12},
        {tallSecond, TRUE, 0, 1, 12, 12},
        {tallSecond, FALSE, 0, 1, 12, 30},
        // Fields past the columns do not count.
        {tallSecond, FALSE, 0, 0, 12, 12},
        // Text never lowers the height.
        {tallFirst, FALSE, 0, 2, 50, 50},
        {"a\tb", FALSE, 0, 1, 12, 12},
        {"", FALSE, 0, 3, 12, 12},
    };
    for (const auto& c : cases)
    {
        int nHeight = c.nHeight;
        GXCalcTabbedRowHeight(c.pszRow, nHeight, c.bTextOnly, c.nTextColumn, c.nTabStops);
        EXPECT_EQ(nHeight, c.nExpected) << c.pszRow << " text only " << c.bTextOnly << " text column "
                                        << c.nTextColumn;
    }
}

TEST(TabbedRowTest, ColumnsAreWidenedToTheirFieldsOrBitmaps)
{
    MemoryCanvas canvas(10, 10);
    const int nAb = canvas.dc.GetTextExtent("ab").cx;
    const int nLong = canvas.dc.GetTextExtent("a much longer field").cx;
    int widths[4] = {-1, 500, -1, -1};
    GXMeasureTabbedColumns(&canvas.dc, Row("ab\tc\t", kTall) + "\tpast the columns", 3, widths);
    EXPECT_EQ(widths[0], nAb);
    EXPECT_EQ(widths[1], 500) << "a wider column stays";
    EXPECT_EQ(widths[2], 6) << "a bitmap counts its width";
    EXPECT_EQ(widths[3], -1) << "no more than the given columns";
    GXMeasureTabbedColumns(&canvas.dc, "a much longer field", 3, widths);
    EXPECT_EQ(widths[0], nLong);
    EXPECT_EQ(widths[2], 6) << "a row of fewer fields leaves the others";
}

TEST(TabbedRowTest, LinesAreDrawnLeftOfEveryTabStopUnlessTextOnly)
{
    const int stops[2] = {40, 90};
    for (const BOOL bTextOnly : {FALSE, TRUE})
    {
        MemoryCanvas canvas(150, 20);
        GXDrawTabbedRow(&canvas.dc, CRect(0, 0, 150, 20), "a\tb\tc", bTextOnly, 0, 2, stops, kRed, kWhite, RGB(0, 0, 0));
        std::vector<int> lines;
        for (int x = 0; x < 150; ++x)
            if (canvas.At(x, 0) == kRed && canvas.At(x, 19) == kRed)
                lines.push_back(x);
        EXPECT_EQ(lines, bTextOnly ? std::vector<int>{} : std::vector<int>({38, 88})) << bTextOnly;
    }
}

TEST(TabbedRowTest, BitmapFieldsAreDrawnAtTheLeftOfTheirColumnVerticallyCentred)
{
    const int stops[1] = {40};
    const struct
    {
        CString row;
        BOOL bTextOnly;
        int nTextColumn;
        int x;  // where the bitmap's columns start, -1: not drawn
    } cases[] = {
        {Row("x\t", kTall), FALSE, 0, 40},
        {Row(kTall, "\tx"), FALSE, 0, 0},
        // The first field is the copy of the text field: not shown with all columns...
        {Row(kTall, "\tx"), FALSE, 1, -1},
        {Row("t\tx\t", kTall), FALSE, 1, 40},
        // ...but it is the only field shown in text-only rows, over the whole width.
        {Row(kTall, "\tx"), TRUE, 1, 0},
        {Row("x\t", kTall), TRUE, 0, -1},
    };
    for (const auto& c : cases)
    {
        MemoryCanvas canvas(100, 40);
        GXDrawTabbedRow(&canvas.dc, CRect(0, 0, 100, 40), c.row, c.bTextOnly, c.nTextColumn, 1, stops, kRed, kWhite,
                        RGB(0, 0, 0));
        int nFirst = -1;
        for (int x = 0; x < 100 && nFirst < 0; ++x)
            if (canvas.At(x, 20) == kBlue)
                nFirst = x;
        EXPECT_EQ(nFirst, c.x) << c.row << " text only " << c.bTextOnly << " text column " << c.nTextColumn;
        if (c.x >= 0)
        {
            EXPECT_EQ(canvas.At(c.x + 5, 5), kBlue);
            EXPECT_EQ(canvas.At(c.x + 5, 34), kBlue);
            EXPECT_NE(canvas.At(c.x + 5, 3), kBlue) << "centred: 5 rows free above";
            EXPECT_NE(canvas.At(c.x + 6, 20), kBlue) << "natural width";
        }
    }
}

class TabbedHeaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        UseClassicLook();
        ASSERT_TRUE(header.Create(nullptr));
        header.m_strTitle = "Id\tName\tColour";
        header.m_nTabStops = 2;
        header.m_pTabStops = stops;
    }
    void TearDown() override { UseSystemLook(); }

    COLORREF Face() const { return GXGetAppData()->m_sysColors.GetColor(COLOR_BTNFACE); }

    int stops[2] = {40, 90};
    CGXTabbedLBoxHeader header;
};

TEST_F(TabbedHeaderTest, EveryColumnIsARaisedFrameEndingLeftOfItsTabStop)
{
    header.ShowAt(CRect(100, 100, 250, 120));
    ASSERT_TRUE(::IsWindowVisible(header.GetSafeHwnd()));
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    Screen screen(header.GetSafeHwnd());
    EXPECT_EQ(screen.At(0, 10), highlight);
    EXPECT_EQ(screen.At(38, 10), shadow) << "the first column ends one pixel left of its tab stop";
    EXPECT_EQ(screen.At(40, 10), highlight) << "the next starts a pixel further right";
    EXPECT_EQ(screen.At(88, 10), shadow);
    EXPECT_EQ(screen.At(90, 10), highlight);
    EXPECT_EQ(screen.At(149, 10), shadow) << "the last column ends at the right edge";
    EXPECT_EQ(screen.At(2, 2), Face());

    // Only the text column: one frame over the whole width.
    header.m_bShowAllColumns = FALSE;
    header.ShowAt(CRect(100, 100, 250, 120));
    Screen again(header.GetSafeHwnd());
    EXPECT_EQ(again.At(38, 10), Face());
    EXPECT_EQ(again.At(40, 10), Face());
    EXPECT_EQ(again.At(149, 10), shadow);
    header.HideHeader();
    EXPECT_FALSE(::IsWindowVisible(header.GetSafeHwnd()));
}

TEST_F(TabbedHeaderTest, ThemedColumnsShowTheTextColumnHot)
{
    FakeEngine::Reset();
    FakeEngine::Install();
    const struct
    {
        int nTextColumn;
        int nLastState;
    } cases[] = {{2, 2}, {1, 1}, {0, 1}};
    for (const auto& c : cases)
    {
        header.m_strTitle = "Name\tId\tName\tColour";
        header.m_nTextColumn = c.nTextColumn;
        FakeEngine::s_nOpened = FakeEngine::s_nClosed = 0;
        header.ShowAt(CRect(100, 100, 250, 120));
        EXPECT_EQ(FakeEngine::s_lastClass, L"HEADER");
        EXPECT_EQ(FakeEngine::s_nPart, 1);
        EXPECT_EQ(FakeEngine::s_nState, c.nLastState) << "text column " << c.nTextColumn;
        EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed) << "the theme is closed again";
    }
    Screen screen(header.GetSafeHwnd());
    EXPECT_EQ(screen.At(39, 10), FakeEngine::kThemeRed) << "the theme draws the background too";
}
