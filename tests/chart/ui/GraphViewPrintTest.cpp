// Printing the chart on the recorded printer (850 x 1100 dots at 100 dpi): the chart rectangle and
// placement of each page-size code during the job, the pages of a chart larger than the page, and the
// chart as it was afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ChartViewTestSupport.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/PrinterRecorder.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Notes, whenever the chart draws on a printer, the rectangle and placement the chart carries then.
class CPrintPassProbe : public QVGraphComponent
{
public:
    struct Pass
    {
        BOOL bFixed;
        CRect fixed;
        int nPlacement;
    };
    std::vector<Pass> passes;

    CPrintPassProbe() { GetStyle()->SetFillType(0); }
    void DrawContent() override
    {
        QVGraph* pChart = GetChart();
        if (GetDC() != nullptr && GetDC()->IsPrinting())
            passes.push_back({pChart->HasFixedRect(), pChart->GetFixedRect(), pChart->GetPlacement()});
    }
};

// Records each page the view prints, with what the chart carried while that page drew.
class CPrintRecordingView : public QVGraphView
{
    DECLARE_DYNCREATE(CPrintRecordingView)
public:
    struct Page
    {
        UINT nPage;
        BOOL bPreview;
        BOOL bFixed;
        CRect fixed;
        int nPlacement;
        CPoint windowOrigin;
    };
    std::vector<Page> pages;
    CPrintPassProbe* pProbe = nullptr;
    // Runs before each page prints, as a message the print loop pumps would.
    std::function<void()> beforePage;

    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        if (beforePage)
            beforePage();
        const CPoint origin = pDC->GetWindowOrg();
        const size_t passesBefore = pProbe->passes.size();
        QVGraphView::OnPrint(pDC, pInfo);
        Page page = {pInfo->m_nCurPage, pInfo->m_bPreview, FALSE, CRect(0, 0, 0, 0), -1, origin};
        if (pProbe->passes.size() > passesBefore) {
            const CPrintPassProbe::Pass& pass = pProbe->passes.back();
            page.bFixed = pass.bFixed;
            page.fixed = pass.fixed;
            page.nPlacement = pass.nPlacement;
        }
        pages.push_back(page);
    }
};

IMPLEMENT_DYNCREATE(CPrintRecordingView, QVGraphView)

} // namespace

class ChartPrintTest : public ChartViewTest
{
protected:
    CRecordingPrinter printer;
    CScopedPrinterSeam printerSeam{&printer};
    DWORD printDialogFlags = 0;

    CRuntimeClass* ViewClass() override { return RUNTIME_CLASS(CPrintRecordingView); }
    void SetUp() override
    {
        ChartViewTest::SetUp();
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            if (!(pPrint->m_pd.Flags & PD_RETURNDEFAULT))
                printDialogFlags = pPrint->m_pd.Flags;
            pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
            pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_PORTRAIT);
            nResult = IDOK;
            return TRUE;
        };
        auto* pProbe = new CPrintPassProbe;
        Chart().AddComponent(pProbe);
        View()->pProbe = pProbe;
    }
    CPrintRecordingView* View() { return static_cast<CPrintRecordingView*>(pView); }
    void SetLayout(int nPageSize, int nHorizontal, int nVertical)
    {
        pView->m_bPrintLayout = 1;
        pView->m_nPageSize = nPageSize;
        pView->m_nHorizontal = nHorizontal;
        pView->m_nVertical = nVertical;
    }
};

TEST_F(ChartPrintTest, APageSizeGivesTheChartItsRectangleAndPlacementForTheJobOnly)
{
    SetLayout(4, 1, 1);   // A4 portrait, middle and centre
    Chart().SetFixedRect(CRect(0, 0, 300, 200), 0x11);
    Command(ID_FILE_PRINT_DIRECT);

    // 1119 dots are more than one page high: two pages, the second from 1100 down.
    ASSERT_EQ(2u, View()->pages.size());
    for (const auto& page : View()->pages) {
        EXPECT_TRUE(page.bFixed);
        EXPECT_EQ(CRect(0, 0, 776, 1119), page.fixed);
        EXPECT_EQ(0x22, page.nPlacement);
    }
    EXPECT_EQ(CPoint(0, 0), View()->pages[0].windowOrigin);
    EXPECT_EQ(CPoint(0, 1100), View()->pages[1].windowOrigin);
    ASSERT_EQ(2u, printer.pages.size());

    // The chart is centred across the page: its background shows in the middle, the right edge stays white.
    const auto& first = printer.pages[0];
    int background = 0;
    for (int y = 0; y < first.height; y += 4)
        for (int x = 0; x < first.width; x += 4)
            background += first.GetPixel(x, y) == kBackground;
    EXPECT_GT(background, 1000);

    for (int y = 0; y < first.height; y += 4)
        EXPECT_EQ(RGB(255, 255, 255), first.GetPixel(first.width - 30, y)) << y;

    EXPECT_TRUE(Chart().HasFixedRect());
    EXPECT_EQ(CRect(0, 0, 300, 200), Chart().GetFixedRect());
    EXPECT_EQ(0x11, Chart().GetPlacement());
}

TEST_F(ChartPrintTest, EveryPageSizeCodeMakesItsRectangle)
{
    const struct
    {
        const char* name;
        int nPageSize;
        int nHorizontal;
        int nVertical;
        CRect rect;
        int nPlacement;
        size_t pages;
    } cases[] = {
        {"320 x 240, top left", 0, 0, 0, {0, 0, 320, 240}, 0x11, 1},
        {"1024 x 768, bottom right", 3, 2, 2, {0, 0, 1024, 768}, 0x33, 2},
        {"A4 landscape", 5, 1, 1, {0, 0, 1119, 776}, 0x22, 2},
        {"A5 portrait", 6, 1, 0, {0, 0, 537, 776}, 0x21, 1},
        {"A5 landscape", 7, 1, 1, {0, 0, 776, 537}, 0x22, 1},
        {"US Letter portrait", 8, 1, 1, {0, 0, 800, 1050}, 0x22, 1},
        {"US Letter landscape", 9, 1, 1, {0, 0, 1050, 800}, 0x22, 2},
        // Quarter-inch margins unless a side's position is the custom margin (1 inch here).
        {"full page, custom margins", 10, 3, 3, {100, 100, 750, 1000}, 0x44, 1},
        {"full width, half height", 11, 0, 0, {25, 25, 825, 525}, 0x11, 1},
        {"half width, full height", 12, 2, 2, {25, 25, 400, 1075}, 0x33, 1},
        {"custom 6 x 9 inches", 13, 1, 3, {25, 100, 625, 1000}, 0x24, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        View()->pages.clear();
        SetLayout(c.nPageSize, c.nHorizontal, c.nVertical);
        Command(ID_FILE_PRINT_DIRECT);
        ASSERT_EQ(c.pages, View()->pages.size());
        EXPECT_EQ(c.rect, View()->pages[0].fixed);
        EXPECT_EQ(c.nPlacement, View()->pages[0].nPlacement);
        EXPECT_FALSE(Chart().HasFixedRect());
    }
}

TEST_F(ChartPrintTest, AChartLargerThanThePageIsSpreadOverPagesTileByTile)
{
    SetLayout(13, 1, 1);
    pView->m_dCustomWidth = 20.0;
    pView->m_dCustomHeight = 30.0;
    Command(ID_FILE_PRINT_DIRECT);
    // (25, 25, 2025, 3025): three pages across and three down.
    ASSERT_EQ(9u, View()->pages.size());
    for (size_t n = 0; n < 9; ++n) {
        EXPECT_EQ(UINT(n + 1), View()->pages[n].nPage);
        EXPECT_EQ(CPoint(int(n % 3) * 850, int(n / 3) * 1100), View()->pages[n].windowOrigin) << n;
    }
    EXPECT_EQ(9u, printer.pages.size());
}

TEST_F(ChartPrintTest, WithoutALayoutOrWithAnUnknownSizeTheChartPrintsAsItIsOnOnePage)
{
    for (int nPageSize : {0, 14, -1}) {
        SCOPED_TRACE(nPageSize);
        View()->pages.clear();
        SetLayout(nPageSize, 1, 1);
        pView->m_bPrintLayout = nPageSize == 0 ? 0 : 1;
        Command(ID_FILE_PRINT_DIRECT);
        ASSERT_EQ(1u, View()->pages.size());
        EXPECT_FALSE(View()->pages[0].bFixed);
        EXPECT_EQ(CPoint(0, 0), View()->pages[0].windowOrigin);
        EXPECT_FALSE(Chart().HasFixedRect());
        EXPECT_EQ(0, Chart().GetPlacement());
    }
}

TEST_F(ChartPrintTest, ThePrintDialogAsksForNoPageRangeAndTurnsTheFileChoiceAround)
{
    CPrintInfo plain;
    const DWORD plainFlags = plain.m_pPD->m_pd.Flags;
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(printDialogFlags & PD_NOPAGENUMS);
    EXPECT_EQ(~plainFlags & PD_HIDEPRINTTOFILE, printDialogFlags & PD_HIDEPRINTTOFILE);
    EXPECT_EQ(1u, View()->pages.size());
}

TEST_F(ChartPrintTest, PreviewShowsThePagesOfTheLayoutAndGivesTheChartBackWhenItCloses)
{
    SetLayout(9, 1, 1);   // US Letter landscape: two pages across
    Command(ID_FILE_PRINT_PREVIEW);
    PumpPendingMessages();
    auto* pPreview = dynamic_cast<CPreviewView*>(pFrame->GetActiveView());
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(1u, pPreview->GetPageCount());
    pPreview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPendingMessages();
    ASSERT_FALSE(View()->pages.empty());
    EXPECT_TRUE(View()->pages.back().bPreview);
    EXPECT_EQ(CRect(0, 0, 1050, 800), View()->pages.back().fixed);
    // Between the pages the chart is as it was: only a page's drawing carries the layout.
    EXPECT_FALSE(Chart().HasFixedRect());

    pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    pPreview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPendingMessages();
    EXPECT_EQ(2u, View()->pages.back().nPage);
    EXPECT_EQ(850, View()->pages.back().windowOrigin.x);

    pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_FALSE(Chart().HasFixedRect());
    EXPECT_TRUE(printer.pages.empty());
}

TEST_F(ChartPrintTest, AScreenDrawingWhileTheJobRunsShowsTheChartInTheWindow)
{
    SetLayout(4, 1, 1);   // A4 portrait: larger than the window
    std::vector<CRect> areas;
    std::vector<BOOL> fixed;
    View()->beforePage = [&] {
        // A repaint the print loop lets through, as another window on the document would draw.
        Paint();
        areas.push_back(Chart().GetDrawingArea());
        fixed.push_back(Chart().HasFixedRect());
    };
    Command(ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(2u, areas.size());
    for (size_t n = 0; n < areas.size(); ++n) {
        EXPECT_EQ(Client(), areas[n]) << n;
        EXPECT_FALSE(fixed[n]) << n;
    }
    // The pages themselves drew with the layout.
    ASSERT_EQ(2u, View()->pages.size());
    EXPECT_EQ(CRect(0, 0, 776, 1119), View()->pages[1].fixed);
}
