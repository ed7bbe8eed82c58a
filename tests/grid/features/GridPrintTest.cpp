// Printing a grid: pages into an enhanced-metafile DC marked as printing, whose text and line
// records are read back; page breaks and page order, centring and the frame, header and footer
// tokens.
#include "grid/features/GridPrintImp.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "tests/grid/features/GridHostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace
{
// One text record of a printed page: the text and where it starts.
struct PrintedText
{
    std::string text;
    int x;
    int y;
};

struct PrintedPage
{
    std::vector<PrintedText> texts;
    int nLines = 0;
    bool Has(const std::string& text) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const PrintedText& t) { return t.text == text; });
    }
    const PrintedText* Find(const std::string& text) const
    {
        for (const PrintedText& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    PrintedPage& page = *reinterpret_cast<PrintedPage*>(lParam);
    if (pRecord->iType == EMR_EXTTEXTOUTW)
    {
        const auto* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const auto* pChars = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(pRecord) +
                                                            pText->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < pText->emrtext.nChars; ++i)
            text += static_cast<char>(pChars[i]);
        page.texts.push_back({text, pText->emrtext.ptlReference.x, pText->emrtext.ptlReference.y});
    }
    else if (pRecord->iType == EMR_LINETO)
        ++page.nLines;
    return 1;
}

// Starts a job on a fresh metafile DC and prints page nPage of the grid into it.
PrintedPage PrintGridPage(CGXGridCore& grid, UINT nPage, DWORD dwDialogFlags, UINT& nMaxPage, std::string& strPageDesc)
{
    HDC hEmf = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CDC dc;
    dc.Attach(hEmf);
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_pPD->m_pd.Flags |= dwDialogFlags;
    grid.OnGridBeginPrinting(&dc, &info);
    info.m_nCurPage = nPage;
    grid.OnGridPrint(&dc, &info);
    grid.OnGridEndPrinting(&dc, &info);
    nMaxPage = info.GetMaxPage();
    strPageDesc = static_cast<LPCTSTR>(info.m_strPageDesc);
    dc.Detach();
    HENHMETAFILE hMeta = ::CloseEnhMetaFile(hEmf);
    PrintedPage page;
    ::EnumEnhMetaFile(nullptr, hMeta, &CollectRecord, &page, nullptr);
    ::DeleteEnhMetaFile(hMeta);
    return page;
}

class GridPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        grid.InitializeGrid();
        // The fixture's grid may exist before the library's first start: printing is installed here too.
        grid.InstallPrinting();
        grid.GetParam()->EnableUndo(FALSE);
        grid.SetRowCount(12);
        grid.SetColCount(8);
        for (ROWCOL nRow = 1; nRow <= 12; ++nRow)
            for (ROWCOL nCol = 1; nCol <= 8; ++nCol)
                grid.SetValueRange(CGXRange(nRow, nCol), CString(CellText(nRow, nCol).c_str()));
        properties().SetPrintRowHeaders(TRUE);
        properties().SetPrintColHeaders(TRUE);
    }
    static std::string CellText(ROWCOL nRow, ROWCOL nCol)
    {
        return "R" + std::to_string(nRow) + "C" + std::to_string(nCol);
    }
    CGXProperties& properties() { return *grid.GetParam()->GetProperties(); }

    PrintedPage PrintPage(UINT nPage, DWORD dwDialogFlags = 0)
    {
        return PrintGridPage(grid, nPage, dwDialogFlags, nMaxPage, strPageDesc);
    }

    CGXGridCore grid;
    UINT nMaxPage = 0;
    std::string strPageDesc;
};

TEST_F(GridPrintTest, AGridThatFitsPrintsOnePageWithTheFooterOneOfOne)
{
    const PrintedPage page = PrintPage(1);
    EXPECT_EQ(nMaxPage, 1u);
    EXPECT_NE(strPageDesc.find(" / 1"), std::string::npos);
    EXPECT_TRUE(page.Has("1/1"));
    EXPECT_TRUE(page.Has(CellText(1, 1)));
    EXPECT_TRUE(page.Has(CellText(12, 8)));
}

TEST_F(GridPrintTest, CentringMovesTheBlockRightByHalfTheFreeWidthAndTheFrameAddsFourLines)
{
    properties().SetCenterHorizontal(FALSE);
    properties().SetPrintFrame(FALSE);
    const PrintedPage plain = PrintPage(1);
    const int nBlockWidth = grid.GetPrintRect().Width();
    properties().SetCenterHorizontal(TRUE);
    properties().SetPrintFrame(TRUE);
    const PrintedPage centred = PrintPage(1);

    HDC hScreen = ::GetDC(nullptr);
    const int nPageWidth = ::GetDeviceCaps(hScreen, HORZRES);
    ::ReleaseDC(nullptr, hScreen);
    int nTop = 0;
    int nLeft = 0;
    int nBottom = 0;
    int nRight = 0;
    properties().GetMargins(nTop, nLeft, nBottom, nRight);
    const int nFree = nPageWidth - nLeft - nRight - nBlockWidth;
    ASSERT_NE(plain.Find(CellText(1, 1)), nullptr);
    ASSERT_NE(centred.Find(CellText(1, 1)), nullptr);
    EXPECT_EQ(centred.Find(CellText(1, 1))->x - plain.Find(CellText(1, 1))->x, nFree / 2);
    EXPECT_EQ(centred.nLines - plain.nLines, 4);
}

TEST_F(GridPrintTest, UserBreaksCutSixPagesAndThePageOrderChoosesPageTwo)
{
    properties().m_awRowBreaks.Add(5);
    properties().m_awRowBreaks.Add(9);
    properties().m_awColBreaks.Add(4);

    const PrintedPage across = PrintPage(2);
    EXPECT_EQ(nMaxPage, 6u);
    EXPECT_TRUE(across.Has(CellText(1, 4)));
    EXPECT_TRUE(across.Has(CellText(4, 8)));
    EXPECT_FALSE(across.Has(CellText(1, 3)));
    EXPECT_FALSE(across.Has(CellText(5, 4)));
    EXPECT_TRUE(across.Has("D")) << "the column headers of the page";
    EXPECT_TRUE(across.Has("1")) << "the row headers of the page";

    properties().SetPageOrder(1);
    const PrintedPage down = PrintPage(2);
    EXPECT_TRUE(down.Has(CellText(5, 1)));
    EXPECT_TRUE(down.Has(CellText(8, 3)));
    EXPECT_FALSE(down.Has(CellText(5, 4)));
    EXPECT_FALSE(down.Has(CellText(9, 1)));
    EXPECT_TRUE(down.Has("A"));
    EXPECT_TRUE(down.Has("5"));
}

TEST_F(GridPrintTest, TheLastBreakEndsOnePastTheRangeAlsoWithUserBreaksBeyondIt)
{
    properties().m_awColBreaks.Add(20);
    PrintPage(1);
    ASSERT_EQ(grid.m_awPrintColBreaks.GetSize(), 2);
    EXPECT_EQ(grid.m_awPrintColBreaks[1], 9u);
}

TEST_F(GridPrintTest, AllLinesFrozenUpToAndFarBeyondTheTablePrintOnOnePageAtOnce)
{
    // A stored document may freeze more lines than the table has: billions of them must not be
    // measured one by one.
    struct Case
    {
        ROWCOL nFrozenRows;
        ROWCOL nFrozenCols;
    };
    const Case cases[] = {{0, 8}, {0, 0xFF000000}, {12, 0}, {0xFF000000, 0}, {0xFFFFFFFE, 0xFFFFFFFE}};
    for (const Case& c : cases)
    {
        grid.GetParam()->m_nFrozenRows = c.nFrozenRows;
        grid.GetParam()->m_nFrozenCols = c.nFrozenCols;
        const PrintedPage page = PrintPage(1);
        EXPECT_EQ(nMaxPage, 1u) << c.nFrozenRows << " " << c.nFrozenCols;
        EXPECT_TRUE(page.Has(CellText(1, 1))) << c.nFrozenRows << " " << c.nFrozenCols;
        EXPECT_TRUE(page.Has(CellText(12, 8))) << c.nFrozenRows << " " << c.nFrozenCols;
    }
}

TEST_F(GridPrintTest, ATableOfBillionsOfRowsPrintsAsManyPagesAsAPrintJobHolds)
{
    // The print dialog numbers pages with 16 bits; the pages beyond are not laid out.
    grid.GetParam()->GetData()->SetRowCount(4000000000u);
    const PrintedPage first = PrintPage(1);
    EXPECT_EQ(nMaxPage, 0xFFFFu);
    EXPECT_NE(strPageDesc.find(" / 65535"), std::string::npos);
    EXPECT_TRUE(first.Has(CellText(1, 1)));
    EXPECT_EQ(grid.m_awPrintRowBreaks[grid.m_awPrintRowBreaks.GetSize() - 1], 4000000001u);

    // With several pages across, as many fewer pages down.
    grid.SetColWidth(1, 8, 400);
    PrintPage(1);
    const INT_PTR nColPages = grid.m_awPrintColBreaks.GetSize() - 1;
    ASSERT_GT(nColPages, 1);
    EXPECT_EQ(grid.m_awPrintRowBreaks.GetSize() - 1, 0xFFFF / nColPages);
    EXPECT_EQ(nMaxPage, static_cast<UINT>(0xFFFF / nColPages * nColPages));

    // As many pages across as a job holds: one page down, which runs over all the rows.
    grid.GetParam()->GetData()->SetColCount(100000000u);
    const PrintedPage across = PrintPage(1);
    EXPECT_EQ(nMaxPage, 0xFFFFu);
    EXPECT_EQ(grid.m_awPrintRowBreaks.GetSize(), 2);
    EXPECT_TRUE(across.Has(CellText(1, 1)));
}

TEST_F(GridPrintTest, TheSelectionOptionPrintsTheFirstSelectedRangeOrOnePageFromTheScreensTopLeft)
{
    grid.GetParam()->m_SelRects.AddTail(new CGXRange(2, 2, 3, 3));
    const PrintedPage selected = PrintPage(1, PD_SELECTION);
    EXPECT_EQ(nMaxPage, 1u);
    EXPECT_TRUE(selected.Has(CellText(2, 2)));
    EXPECT_TRUE(selected.Has(CellText(3, 3)));
    EXPECT_FALSE(selected.Has(CellText(1, 1)));
    EXPECT_FALSE(selected.Has(CellText(4, 4)));

    grid.GetParam()->m_SelRects.DeleteAll();
    properties().m_awRowBreaks.Add(5);
    const PrintedPage screen = PrintPage(1, PD_SELECTION);
    EXPECT_EQ(nMaxPage, 1u) << "one page without a selection";
    EXPECT_TRUE(screen.Has(CellText(1, 1)));
    EXPECT_FALSE(screen.Has(CellText(5, 1))) << "the page ends at the user break";
}

TEST_F(GridPrintTest, TokensOfHeaderAndFooterTexts)
{
    CGXAbstractPropertiesPrintImp::FillTokenArguments(properties(), "Drains.qrw", "Quarrow", 3, 1, 6, "Layers");
    char szYear[8];
    const std::time_t now = std::time(nullptr);
    std::strftime(szYear, sizeof(szYear), "%Y", std::localtime(&now));
    const struct
    {
        const char* text;
        std::string expected;
    } cases[] = {
        {"$D{%Y}", szYear}, {"$p of $N", "3 of 6"}, {"$F - $A - $R", "Drains.qrw - Quarrow - Layers"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(properties().SubstTokenText(c.text)), c.expected) << c.text;

    // A format the runtime does not know never reaches it: the date is empty.
    for (const char* pszText : {"[$D{%Q}]", "[$D{%Y%}]", "[$D{%#}]"})
        EXPECT_EQ(std::string(properties().SubstTokenText(pszText)), "[]") << pszText;

    const std::string unclosed = static_cast<LPCTSTR>(properties().SubstTokenText("$D{abc"));
    ASSERT_GT(unclosed.size(), 4u);
    EXPECT_EQ(unclosed.substr(unclosed.size() - 4), "{abc") << "date and time, then the text as it stands";
}
} // namespace

namespace
{
// A view of the grid test host printed: header and footer stand over the centred block.
TEST_F(GridHostTest, HeaderAndFooterSpanTheCentredBlockOfPrintedColumns)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(6, 2));
    CGridHostView& grid = View(0);
    CGXProperties& properties = *grid.GetParam()->GetProperties();
    properties.SetCenterHorizontal(TRUE);
    properties.GetDataHeader().StoreStyleRowCol(1, 1, &CGXStyle().SetValue("header left"), gxOverride);
    properties.GetDataFooter().StoreStyleRowCol(1, 1, &CGXStyle().SetValue("footer left"), gxOverride);
    UINT nMaxPage = 0;
    std::string strPageDesc;
    const PrintedPage page = PrintGridPage(grid, 1, 0, nMaxPage, strPageDesc);
    const CRect block = grid.GetPrintRect();
    ASSERT_GT(block.left, 200) << "two columns leave most of the page free";
    for (const char* pszText : {"header left", "footer left"})
    {
        const PrintedText* pText = page.Find(pszText);
        ASSERT_NE(pText, nullptr) << pszText;
        EXPECT_EQ(pText->x, block.left + 8) << pszText;
    }
}
} // namespace
