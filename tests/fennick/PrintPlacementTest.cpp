// The chart on paper: the view places it by the application's print positions of the page's
// orientation, on the recorded printer and in print preview, and the screen shows the whole chart
// again afterwards.
#include "FennickTestSupport.h"

#include "chart/model/Graph.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"

#include <memory>

namespace {

// Notes the chart's rectangle on every page it prints, and what the screen showed of the chart when the
// window was painted just before the page.
class CPlacementRecordingView : public CFennickView
{
    DECLARE_DYNCREATE(CPlacementRecordingView)
public:
    struct Page
    {
        BOOL bPreview;
        BOOL bFixed;
        CRect chart;
        int nPlacement;
        BOOL bChartFixedAfter;      // whether the chart still carried a rectangle after the page
        CRect screenArea;           // the drawing area of a screen painting before the page
    };
    std::vector<Page> pages;

    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        QVGraph* pChart = GetGraph();
        // A repaint the print loop lets through, as another window on the document would draw.
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const CRect screenArea = pChart->GetDrawingArea();
        CFennickView::OnPrint(pDC, pInfo);
        pages.push_back({pInfo->m_bPreview, HasPageChartRect(), GetPageChartRect(), GetPageChartPlacement(),
                         pChart->HasFixedRect(), screenArea});
    }
};

IMPLEMENT_DYNCREATE(CPlacementRecordingView, CFennickView)

class PrintPlacement : public FennickWindowsTest
{
protected:
    std::unique_ptr<CRecordingPrinter> printer;
    std::unique_ptr<CScopedPrinterSeam> printerSeam;
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    CPlacementRecordingView* pView = nullptr;

    CRuntimeClass* ViewClass() override { return RUNTIME_CLASS(CPlacementRecordingView); }

    // One chart window, printed on a page of the size given.
    void Open(int nPageWidth, int nPageHeight)
    {
        printer = std::make_unique<CRecordingPrinter>(nPageWidth, nPageHeight, 100);
        printerSeam = std::make_unique<CScopedPrinterSeam>(printer.get());
        const short nOrientation = nPageWidth < nPageHeight ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
        hook.onCommonDialog = [nOrientation](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
            pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", nOrientation);
            nResult = IDOK;
            return TRUE;
        };
        WritePlotFile(TimeToDrainFile(0, "6100000", {{{0.1, 3, 4}, {0.3, 1, 2}}}));
        app.ReadPlotData();
        PumpPendingMessages();
        ASSERT_EQ(Documents().size(), 1u);
        POSITION pos = Documents()[0]->GetFirstViewPosition();
        pView = dynamic_cast<CPlacementRecordingView*>(Documents()[0]->GetNextView(pos));
        ASSERT_NE(pView, nullptr);
    }

    void TearDown() override
    {
        FennickWindowsTest::TearDown();
        printerSeam.reset();
        printer.reset();
    }

    // Whether the page has anything but paper in the rectangle (right and bottom excluded).
    static bool HasInk(const CRecordingPrinter::Page& page, const CRect& rect)
    {
        for (int y = rect.top; y < rect.bottom; y += 2)
            for (int x = rect.left; x < rect.right; x += 2)
                if (page.GetPixel(x, y) != RGB(255, 255, 255))
                    return true;
        return false;
    }

    // Prints on a page of the size with the default positions: the chart in the rectangle given and
    // nothing outside it; afterwards the screen shows the whole chart in the window again.
    void CheckDefaultPrint(int nWidth, int nHeight, const CRect& expected)
    {
        ASSERT_NO_FATAL_FAILURE(Open(nWidth, nHeight));
        pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        PumpPendingMessages();

        ASSERT_EQ(pView->pages.size(), 1u);
        EXPECT_TRUE(pView->pages[0].bFixed);
        EXPECT_EQ(pView->pages[0].chart, expected);
        EXPECT_EQ(pView->pages[0].nPlacement, 0);
        EXPECT_EQ(pView->m_rectPrint, CRect(0, 0, nWidth, nHeight));
        // Only the page's drawing carries the rectangle: the window shows the whole chart meanwhile.
        EXPECT_FALSE(pView->pages[0].bChartFixedAfter);
        CRect client;
        pView->GetClientRect(&client);
        EXPECT_EQ(pView->pages[0].screenArea, client);
        ASSERT_EQ(printer->pages.size(), 1u);
        const CRecordingPrinter::Page& page = printer->pages[0];
        EXPECT_TRUE(HasInk(page, expected));
        EXPECT_FALSE(HasInk(page, CRect(0, 0, nWidth, expected.top - 1)));
        EXPECT_FALSE(HasInk(page, CRect(0, expected.bottom + 2, nWidth, nHeight)));
        EXPECT_FALSE(HasInk(page, CRect(0, 0, expected.left - 1, nHeight)));
        EXPECT_FALSE(HasInk(page, CRect(expected.right + 2, 0, nWidth, nHeight)));

        QVGraph* pChart = pView->GetGraph();
        EXPECT_FALSE(pChart->HasFixedRect());
        pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpPendingMessages();
        EXPECT_EQ(pChart->GetDrawingArea(), client);
    }
};

TEST_F(PrintPlacement, PortraitPagePutsTheChartInItsUpperHalf)
{
    CheckDefaultPrint(850, 1100, CRect(85, 110, 765, 660));
}

TEST_F(PrintPlacement, LandscapePageLeavesATenthAtEveryEdge)
{
    CheckDefaultPrint(1100, 850, CRect(110, 85, 990, 765));
}

TEST_F(PrintPlacement, PositionsOfTheWholePageAndASquarePageCountingAsLandscape)
{
    ASSERT_NO_FATAL_FAILURE(Open(1000, 1000));
    app.m_dLandscapePositions[CFennickApp::PositionTop] = 0;
    app.m_dLandscapePositions[CFennickApp::PositionBottom] = 100;
    app.m_dLandscapePositions[CFennickApp::PositionLeft] = 0;
    app.m_dLandscapePositions[CFennickApp::PositionRight] = 100;
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    ASSERT_EQ(pView->pages.size(), 1u);
    EXPECT_EQ(pView->pages[0].chart, CRect(0, 0, 1000, 1000));
}

TEST_F(PrintPlacement, PreviewPlacesTheChartAsPrintingDoes)
{
    ASSERT_NO_FATAL_FAILURE(Open(850, 1100));
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    PumpPendingMessages();
    auto* pPreview = dynamic_cast<CPreviewView*>(pMainFrame->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    pPreview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPendingMessages();
    ASSERT_FALSE(pView->pages.empty());
    EXPECT_TRUE(pView->pages.back().bPreview);
    EXPECT_EQ(pView->pages.back().chart, CRect(85, 110, 765, 660));

    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPendingMessages();
    EXPECT_FALSE(pView->GetGraph()->HasFixedRect());
}

} // namespace
