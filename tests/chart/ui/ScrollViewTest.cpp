// The scrolling chart views: the area a QVGScrollView scrolls over, the chart drawn and pointed at in
// chart coordinates while scrolled, the copy of the whole chart, and the print loop of a QVEScrollView
// that holds its own chart (the job's name, the order of its pages, a printer that fails).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDoc.h"
#include "chart/model/GraphTitle.h"
#include "chart/ui/ScrollViews.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

const COLORREF kPaper = RGB(250, 245, 200);
const COLORREF kMark = RGB(200, 30, 40);

// A background of one colour over the rectangle (pixels).
QVGraphBackground* MakeBackground(const CRect& rect, COLORREF color)
{
    auto* pBackground = new QVGraphBackground;
    pBackground->SetMeasurement(QVGraphRect::pixels);
    pBackground->SetIntRect(rect);
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(color, color);
    return pBackground;
}

// A scroll view in a frame over a chart document.
class ScrollViewTest : public ::testing::Test
{
protected:
    CWinApp app{"ScrollView"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    CFrameWnd* pFrame = nullptr;
    QVGScrollView* pView = nullptr;
    CGraphDoc* pDoc = nullptr;

    void SetUp() override { ::SetCursorPos(1270, 1010); }
    void TearDown() override
    {
        if (pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
            pFrame->DestroyWindow();
        PumpPendingMessages();
    }

    // The frame and view, after the chart has been given its components.
    void Open(const std::function<void(QVGraph&)>& build)
    {
        pDoc = new CGraphDoc;
        build(pDoc->GetChart());
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(QVGScrollView);
        context.m_pCurrentDoc = pDoc;
        pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->Create(nullptr, "Scrolling chart", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 340), nullptr,
                                   nullptr, 0, &context));
        pFrame->InitialUpdateFrame(pDoc, TRUE);
        PumpPendingMessages();
        pView = dynamic_cast<QVGScrollView*>(pFrame->GetActiveView());
        ASSERT_NE(pView, nullptr);
    }

    void Paint()
    {
        pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpPendingMessages();
    }

    COLORREF ClientPixel(int x, int y)
    {
        CClientDC dc(pView);
        return dc.GetPixel(x, y);
    }
};

TEST_F(ScrollViewTest, AChartWithoutAFixedRectangleScrollsOver1024By768AndKeepsThatRectangle)
{
    Open([](QVGraph& chart) { chart.AddComponent(MakeBackground(CRect(0, 0, 1024, 768), kPaper)); });

    EXPECT_EQ(pView->GetTotalSize(), CSize(1024, 768));
    EXPECT_EQ(pView->GetMapMode(), MM_TEXT);
    EXPECT_TRUE(pDoc->GetChart().HasFixedRect());
    EXPECT_EQ(pDoc->GetChart().GetFixedRect(), CRect(0, 0, 1024, 768));

    // Drawing and printing leave it as it is.
    Paint();
    EXPECT_EQ(pDoc->GetChart().GetFixedRect(), CRect(0, 0, 1024, 768));
    EXPECT_TRUE(pDoc->GetChart().HasFixedRect());
}

TEST_F(ScrollViewTest, AChartWithAFixedRectangleScrollsOverItsSize)
{
    Open([](QVGraph& chart) {
        chart.AddComponent(MakeBackground(CRect(0, 0, 600, 500), kPaper));
        chart.SetFixedRect(CRect(50, 40, 650, 540), 0);
    });
    EXPECT_EQ(pView->GetTotalSize(), CSize(600, 500));
    EXPECT_EQ(pDoc->GetChart().GetFixedRect(), CRect(50, 40, 650, 540));
}

TEST_F(ScrollViewTest, AScrolledViewDrawsAndTakesThePointerInChartCoordinates)
{
    Open([](QVGraph& chart) {
        chart.AddComponent(MakeBackground(CRect(0, 0, 1024, 768), kPaper));
        chart.AddComponent(MakeBackground(CRect(600, 400, 700, 500), kMark));
    });
    pView->ScrollToPosition(CPoint(500, 300));
    Paint();
    ASSERT_EQ(pView->GetDeviceScrollPosition(), CPoint(500, 300));

    // The mark at 600-700, 400-500 of the chart shows at 100-200, 100-200 of the window.
    EXPECT_EQ(ClientPixel(150, 150), kMark);
    EXPECT_EQ(ClientPixel(95, 150), kPaper);
    EXPECT_EQ(ClientPixel(150, 205), kPaper);

    // A press starts the zoom band at the chart point under the pointer.
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    EXPECT_EQ(pView->GetBandStart(), CPoint(530, 340));
    EXPECT_EQ(pView->GetLastPoint(), CPoint(530, 340));
    pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
}

TEST_F(ScrollViewTest, TheCopyHoldsTheWholeChartAndNotOnlyTheWindow)
{
    Open([](QVGraph& chart) { chart.AddComponent(MakeBackground(CRect(0, 0, 1024, 768), kPaper)); });
    pView->SendMessage(WM_COMMAND, ID_EDIT_COPY);

    CClipboard clipboard(pView->m_hWnd);
    ASSERT_TRUE(clipboard.IsOpen());
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(hBitmap, nullptr);
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 1024);
    EXPECT_EQ(info.bmHeight, 768);
}

// ---- QVEScrollView ----

// Records the page of every OnPrint; deletes itself only when told to.
class CRecordingChartView : public QVEScrollView
{
public:
    std::vector<UINT> printed;
    bool* pDeleted = nullptr;
    ~CRecordingChartView() override
    {
        if (pDeleted != nullptr)
            *pDeleted = true;
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printed.push_back(pInfo->m_nCurPage);
        QVEScrollView::OnPrint(pDC, pInfo);
    }
};

class ChartOfItsOwnTest : public ::testing::Test
{
protected:
    CWinApp app{"ChartOfItsOwn"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    CRecordingPrinter printer;
    CScopedPrinterSeam printerSeam{&printer};
    QVGraph chart;
    CRecordingChartView view;
    CWnd parent;
    // What the print dialog answers: its flags (PD_PAGENUMS for a range) and the range.
    DWORD printFlags = 0;
    WORD nFromPage = 0;
    WORD nToPage = 0;
    int nPrintDialogs = 0;

    void SetUp() override
    {
        // 2000 dots across three pages of 850.
        chart.AddComponent(MakeBackground(CRect(0, 0, 2000, 700), kPaper));
        chart.SetFixedRect(CRect(0, 0, 2000, 700), 0);
        view.SetGraph(&chart);
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
            pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_PORTRAIT);
            if (!(pPrint->m_pd.Flags & PD_RETURNDEFAULT)) {
                ++nPrintDialogs;
                pPrint->m_pd.Flags |= printFlags;
                if (printFlags & PD_PAGENUMS) {
                    pPrint->m_pd.nFromPage = nFromPage;
                    pPrint->m_pd.nToPage = nToPage;
                }
            }
            nResult = IDOK;
            return TRUE;
        };
    }
    void TearDown() override
    {
        if (view.m_hWnd != nullptr)
            view.DestroyWindow();
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
        PumpPendingMessages();
    }

    // The view as a window of its own (no parent), or as a child of a window with the caption.
    void CreateView(const char* lpszParentCaption)
    {
        if (lpszParentCaption == nullptr) {
            ASSERT_TRUE(view.CreateEx(0, nullptr, "Preview", WS_POPUP | WS_HSCROLL | WS_VSCROLL, CRect(10, 10, 310, 210),
                                      nullptr, 0));
        } else {
            ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), lpszParentCaption,
                                        WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr));
            ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                                    CRect(0, 0, 300, 200), &parent, 21700, nullptr));
        }
        view.OnInitialUpdate();
    }

    std::vector<std::string> JobCalls() const
    {
        std::vector<std::string> calls;
        for (const std::string& call : printer.calls)
            if (call.rfind("CreateDC", 0) != 0)
                calls.push_back(call);
        return calls;
    }
};

TEST_F(ChartOfItsOwnTest, TheViewShowsTheChartItHoldsWithoutADocument)
{
    CreateView("Holder");
    EXPECT_EQ(view.GetDocument(), nullptr);
    EXPECT_EQ(view.GetGraph(), &chart);
    EXPECT_EQ(view.GetTotalSize(), CSize(2000, 700));
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CClientDC dc(&view);
    EXPECT_EQ(dc.GetPixel(40, 40), kPaper);
    // A click activates it without a frame to look for.
    EXPECT_EQ(view.SendMessage(WM_MOUSEACTIVATE, (WPARAM)parent.m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_ACTIVATE);
}

TEST_F(ChartOfItsOwnTest, AViewWithoutAParentPrintsAJobNamedNoNameDocument)
{
    CreateView(nullptr);
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(nPrintDialogs, 1);
    const std::vector<std::string> expected = {"StartDoc No name document", "StartPage", "EndPage", "StartPage",
                                               "EndPage", "StartPage", "EndPage", "EndDoc"};
    EXPECT_EQ(JobCalls(), expected);
    EXPECT_EQ(view.printed, (std::vector<UINT>{1, 2, 3}));
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(ChartOfItsOwnTest, AViewInAWindowPrintsAJobNamedByItsTitle)
{
    CreateView("Wizard preview");
    view.PrintChart(FALSE);
    ASSERT_FALSE(JobCalls().empty());
    EXPECT_EQ(JobCalls().front(), "StartDoc Wizard preview");
    // The chart is as it was.
    EXPECT_EQ(chart.GetFixedRect(), CRect(0, 0, 2000, 700));
}

TEST_F(ChartOfItsOwnTest, PagesThreeToOnePrintBackwards)
{
    CreateView(nullptr);
    printFlags = PD_PAGENUMS;
    nFromPage = 3;
    nToPage = 1;
    view.PrintChart(FALSE);
    EXPECT_EQ(view.printed, (std::vector<UINT>{3, 2, 1}));
    ASSERT_EQ(printer.pages.size(), 3u);
    // Page 3 shows the chart's third tile, from 1700 on: its paper ends 300 dots in.
    EXPECT_EQ(printer.pages[0].GetPixel(200, 300), kPaper);
    EXPECT_EQ(printer.pages[0].GetPixel(400, 300), RGB(255, 255, 255));
}

TEST_F(ChartOfItsOwnTest, ARangeBeyondThePagesIsKeptToThem)
{
    CreateView(nullptr);
    printFlags = PD_PAGENUMS;
    nFromPage = 9;
    nToPage = 2;
    view.PrintChart(FALSE);
    EXPECT_EQ(view.printed, (std::vector<UINT>{3, 2}));
}

TEST_F(ChartOfItsOwnTest, AJobThatCannotStartIsReportedAndPrintsNothing)
{
    CreateView(nullptr);
    printer.bStartDocFails = true;
    view.PrintChart(FALSE);
    EXPECT_TRUE(view.printed.empty());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Could not start print job.");
    EXPECT_EQ(chart.GetFixedRect(), CRect(0, 0, 2000, 700));
}

TEST_F(ChartOfItsOwnTest, APageThatCannotStartBreaksTheJobOff)
{
    CreateView(nullptr);
    printer.bStartPageFails = true;
    view.PrintChart(FALSE);
    EXPECT_TRUE(view.printed.empty());
    EXPECT_EQ(JobCalls(), (std::vector<std::string>{"StartDoc No name document", "StartPage", "AbortDoc"}));
}

TEST_F(ChartOfItsOwnTest, PrintDirectUsesTheApplicationsPrinterAndReportsOneThatCannotBeMade)
{
    CreateView(nullptr);
    app.m_hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Office Printer", "LPT2:");
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(nPrintDialogs, 0);
    ASSERT_FALSE(printer.calls.empty());
    EXPECT_EQ(printer.calls.front(), "CreateDC Office Printer");
    EXPECT_EQ(view.printed.size(), 3u);

    printer.bAvailable = false;
    view.printed.clear();
    view.PrintChart(TRUE);
    EXPECT_TRUE(view.printed.empty());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Could not start print job.");
    ::GlobalFree(app.m_hDevNames);
    app.m_hDevNames = nullptr;
}

TEST_F(ChartOfItsOwnTest, ThePointFindsTheLastComponentThatHoldsIt)
{
    auto* pTitle = new QVGraphTitle;
    pTitle->SetMeasurement(QVGraphRect::pixels);
    pTitle->SetIntRect(CRect(100, 100, 300, 200));
    chart.AddComponent(pTitle);
    CreateView("Holder");
    view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    EXPECT_EQ(view.ComponentAt(150, 150), pTitle);
    EXPECT_EQ(view.ComponentAt(50, 50), chart.FindComponent(0, -1));
    EXPECT_EQ(view.ComponentAt(2500, 50), nullptr);
}

TEST(ChartOfItsOwn, AViewTakesItselfAwayWithItsWindowOnlyWhenAsked)
{
    CWinApp app{"ChartOfItsOwn"};
    for (const bool bDelete : {false, true}) {
        SCOPED_TRACE(bDelete ? "deletes itself" : "stays");
        bool bDeleted = false;
        auto* pView = new CRecordingChartView;
        pView->pDeleted = &bDeleted;
        pView->SetDeleteOnDestroy(bDelete);
        ASSERT_TRUE(pView->CreateEx(0, nullptr, "Preview", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
        pView->DestroyWindow();
        EXPECT_EQ(bDeleted, bDelete);
        if (!bDelete)
            delete pView;
    }
}

} // namespace
