// Printing and print preview of a view on the recorded printer (850 x 1100 dots at 100 dpi): the
// job's calls in order, the pages' pictures, the print dialog's range, a missing printer, and
// preview with its buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/ControlBars.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "tests/framework/DocViewTestSupport.h"
#include "tests/framework/WinTestSupport.h"
#include "tests/tools/WindowPicture.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A view of two pages; page n shows n black squares of 50 dots, the k-th at (100 k, 100). It writes
// what the framework asks of it into the printer's log, between the printer's own entries.
class CPrintTestView : public CView
{
    DECLARE_DYNCREATE(CPrintTestView)
public:
    static std::vector<std::string>* s_pLog;
    struct PrintCall
    {
        UINT nPage;
        BOOL bPreview;
        BOOL bPrinting;
        CRect rectDraw;
    };
    std::vector<PrintCall> prints;
    UINT m_nDrawingPage = 0;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(2);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { Log("OnBeginPrinting"); }
    void OnEndPrinting(CDC*, CPrintInfo*) override { Log("OnEndPrinting"); }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (pInfo == nullptr)
            return;
        if (!pInfo->m_bPreview)
            Log("OnPrepareDC " + std::to_string(pInfo->m_nCurPage));
        // What OnPrint relies on; a printer that resets its context at StartPage loses it.
        pDC->SelectStockObject(BLACK_BRUSH);
        pDC->SelectStockObject(NULL_PEN);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        prints.push_back({pInfo->m_nCurPage, pInfo->m_bPreview, pDC->IsPrinting(), pInfo->m_rectDraw});
        if (!pInfo->m_bPreview)
            Log("OnPrint " + std::to_string(pInfo->m_nCurPage));
        m_nDrawingPage = pInfo->m_nCurPage;
        CView::OnPrint(pDC, pInfo);
    }
    void OnDraw(CDC* pDC) override
    {
        if (!pDC->IsPrinting())
            return;
        for (UINT k = 1; k <= m_nDrawingPage; ++k)
            pDC->Rectangle(100 * (int)k, 100, 100 * (int)k + 51, 151);
    }

private:
    void Log(const std::string& entry)
    {
        if (s_pLog != nullptr)
            s_pLog->push_back(entry);
    }
    DECLARE_MESSAGE_MAP()
};

std::vector<std::string>* CPrintTestView::s_pLog = nullptr;

IMPLEMENT_DYNCREATE(CPrintTestView, CView)

BEGIN_MESSAGE_MAP(CPrintTestView, CView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

// A main frame with a status bar, where preview shows its page numbers.
class CStatusMainFrame : public CTestMainFrame
{
public:
    CStatusBar m_wndStatusBar;
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CTestMainFrame::OnCreate(lpcs) == -1)
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR};
        return m_wndStatusBar.Create(this) && m_wndStatusBar.SetIndicators(indicators, 1) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusMainFrame, CTestMainFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class Printing : public MdiProgramTest
{
protected:
    CTestMainFrame* NewMainFrame() override { return new CStatusMainFrame; }
    CRecordingPrinter printer;
    CScopedPrinterSeam printerSeam{&printer};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    bool bHasDefaultPrinter = true;
    int nPrintDialogs = 0;
    // The print dialog's answer: the button and, for a page range, its first and last page.
    INT_PTR printDialogAnswer = IDOK;
    WORD nFromPage = 0;
    WORD nToPage = 0;
    CPrintTestView* pView = nullptr;

    void SetUp() override
    {
        MdiProgramTest::SetUp();
        CPrintTestView::s_pLog = &printer.calls;
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            if (pPrint->m_pd.Flags & PD_RETURNDEFAULT)
            {
                if (!bHasDefaultPrinter)
                {
                    nResult = IDCANCEL;
                    return TRUE;
                }
                pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
                pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_PORTRAIT);
                nResult = IDOK;
                return TRUE;
            }
            ++nPrintDialogs;
            if (nFromPage != 0)
            {
                pPrint->m_pd.Flags |= PD_PAGENUMS;
                pPrint->m_pd.nFromPage = nFromPage;
                pPrint->m_pd.nToPage = nToPage;
            }
            nResult = printDialogAnswer;
            return TRUE;
        };
        auto* pPrintTemplate = new CMultiDocTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CTestDoc),
                                                     RUNTIME_CLASS(CTestChildFrame), RUNTIME_CLASS(CPrintTestView));
        app.AddDocTemplate(pPrintTemplate);
        CDocument* pDoc = pPrintTemplate->OpenDocumentFile(nullptr);
        ASSERT_NE(pDoc, nullptr);
        POSITION pos = pDoc->GetFirstViewPosition();
        pView = static_cast<CPrintTestView*>(pDoc->GetNextView(pos));
        PumpPendingMessages();
        printer.calls.clear();
    }
    void TearDown() override
    {
        MdiProgramTest::TearDown();
        CPrintTestView::s_pLog = nullptr;
    }

    std::vector<UINT> PrintedPages() const
    {
        std::vector<UINT> pages;
        for (const auto& call : pView->prints)
            pages.push_back(call.nPage);
        return pages;
    }
    CPreviewView* Preview() const { return dynamic_cast<CPreviewView*>(pMainFrame->GetActiveView()); }
    void Paint(CWnd* pWnd)
    {
        pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpPendingMessages();
    }
    std::string StatusText()
    {
        CWnd* pBar = pMainFrame->GetMessageBar();
        return pBar != nullptr ? WindowText(pBar->m_hWnd) : "";
    }
};

TEST_F(Printing, TwoPagesGoToThePrinterPageByPage)
{
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);

    const std::vector<std::string> expected = {
        "CreateDC Recorded Printer", "OnBeginPrinting", "StartDoc Doc1",
        "OnPrepareDC 1", "StartPage", "OnPrepareDC 1", "OnPrint 1", "EndPage",
        "OnPrepareDC 2", "StartPage", "OnPrepareDC 2", "OnPrint 2", "EndPage",
        "EndDoc", "OnEndPrinting",
    };
    EXPECT_EQ(printer.calls, expected);
    EXPECT_EQ(nPrintDialogs, 0);   // Print Direct asks nothing
    ASSERT_EQ(pView->prints.size(), 2u);
    for (UINT i = 0; i < 2; ++i)
    {
        EXPECT_EQ(pView->prints[i].nPage, i + 1);
        EXPECT_EQ(pView->prints[i].rectDraw, CRect(0, 0, 850, 1100));
        EXPECT_TRUE(pView->prints[i].bPrinting);
        EXPECT_FALSE(pView->prints[i].bPreview);
    }
    // Each page's picture shows that page: page 2 has two squares, page 1 one.
    ASSERT_EQ(printer.pages.size(), 2u);
    EXPECT_EQ(printer.pages[0].GetPixel(125, 125), kBlack);
    EXPECT_EQ(printer.pages[0].GetPixel(225, 125), kWhite);
    EXPECT_EQ(printer.pages[1].GetPixel(125, 125), kBlack);
    EXPECT_EQ(printer.pages[1].GetPixel(225, 125), kBlack);
    EXPECT_EQ(printer.pages[1].GetPixel(175, 125), kWhite);
    EXPECT_EQ(printer.pages[1].GetPixel(325, 125), kWhite);
    EXPECT_TRUE(pMainFrame->IsWindowEnabled());
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(Printing, ThePrintDialogChoosesThePagesOrCancels)
{
    const struct
    {
        INT_PTR answer;
        WORD nFrom;
        WORD nTo;
        std::vector<UINT> pages;
    } cases[] = {
        {IDOK, 0, 0, {1, 2}},        // all pages
        {IDOK, 2, 2, {2}},           // page 2 only
        {IDOK, 2, 9, {2}},           // a range beyond the last page stops there
        {IDOK, 2, 1, {2, 1}},        // backwards
        {IDCANCEL, 0, 0, {}},
    };
    for (const auto& c : cases)
    {
        pView->prints.clear();
        printer.calls.clear();
        printDialogAnswer = c.answer;
        nFromPage = c.nFrom;
        nToPage = c.nTo;
        pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        EXPECT_EQ(PrintedPages(), c.pages) << c.nFrom << "-" << c.nTo;
    }
    EXPECT_EQ(nPrintDialogs, 5);
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(Printing, WithoutAPrinterTheJobCouldNotStart)
{
    const struct
    {
        const char* what;
        bool bDefault;
        bool bAvailable;
        bool bStartDocFails;
        UINT nCommand;
    } cases[] = {
        {"no default printer", false, true, false, ID_FILE_PRINT_DIRECT},
        {"no default printer, with the dialog", false, true, false, ID_FILE_PRINT},
        {"the printer cannot be opened", true, false, false, ID_FILE_PRINT_DIRECT},
        {"the printer refuses the job", true, true, true, ID_FILE_PRINT_DIRECT},
    };
    for (const auto& c : cases)
    {
        messageBox.calls.clear();
        printer.calls.clear();
        app.SelectPrinter(nullptr, nullptr);   // the application looks for the default again
        bHasDefaultPrinter = c.bDefault;
        printer.bAvailable = c.bAvailable;
        printer.bStartDocFails = c.bStartDocFails;
        pMainFrame->SendMessage(WM_COMMAND, c.nCommand);
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.what;
        EXPECT_EQ(messageBox.calls[0].text, "Could not start print job.") << c.what;
        EXPECT_TRUE(pView->prints.empty()) << c.what;
        EXPECT_TRUE(printer.pages.empty()) << c.what;
        EXPECT_TRUE(pMainFrame->IsWindowEnabled()) << c.what;
    }
    EXPECT_EQ(nPrintDialogs, 0);
    // A job that could not start still ends the view's printing.
    EXPECT_EQ(printer.calls.back(), "OnEndPrinting");
}

TEST_F(Printing, PreviewDrawsThePagesThroughTheSameOnPrintInsideTheFrame)
{
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    PumpPendingMessages();
    CPreviewView* pPreview = Preview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_FALSE(::IsWindowVisible(pMainFrame->m_hWndMDIClient));
    CWnd* pBar = pMainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->IsWindowVisible());
    Paint(pPreview);

    ASSERT_FALSE(pView->prints.empty());
    EXPECT_EQ(pView->prints.back().nPage, 1u);
    EXPECT_TRUE(pView->prints.back().bPreview);
    EXPECT_TRUE(pView->prints.back().bPrinting);
    EXPECT_EQ(pView->prints.back().rectDraw, CRect(0, 0, 850, 1100));
    EXPECT_EQ(StatusText(), "Page 1");
    // The page on the screen, scaled: the first square black, the place of a second one white.
    const CRect page = pPreview->GetPageRect(0);
    ASSERT_FALSE(page.IsRectEmpty());
    EXPECT_NEAR((double)page.Height() / page.Width(), 1100.0 / 850.0, 0.02);
    CClientDC screen(pPreview);
    auto onPage = [&](int x, int y) {
        return screen.GetPixel(page.left + x * page.Width() / 850, page.top + y * page.Height() / 1100);
    };
    EXPECT_EQ(onPage(125, 125), kBlack);
    EXPECT_EQ(onPage(225, 125), kWhite);
    SaveWindowPicture(pMainFrame->m_hWnd, "print_preview.bmp");   // for a person to look at
    // No printer job for preview.
    for (const std::string& call : printer.calls)
        EXPECT_TRUE(call.rfind("Start", 0) != 0 && call != "EndDoc") << call;

    pView->prints.clear();
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    Paint(pPreview);
    ASSERT_FALSE(pView->prints.empty());
    EXPECT_EQ(pView->prints.back().nPage, 2u);
    EXPECT_TRUE(pView->prints.back().bPreview);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    EXPECT_EQ(StatusText(), "Page 2");
    EXPECT_EQ(onPage(225, 125), kBlack);
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);   // there is no page 3
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pPreview->GetCurrentPage(), 1u);

    // Close: the documents and their view as before.
    printer.calls.clear();
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(pMainFrame->GetActiveView(), nullptr);
    EXPECT_EQ(pMainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
    EXPECT_TRUE(::IsWindowVisible(pMainFrame->m_hWndMDIClient));
    EXPECT_EQ(::GetDlgCtrlID(pMainFrame->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    EXPECT_FALSE(pMainFrame->IsInPreview());
    EXPECT_EQ(pMainFrame->MDIGetActive()->GetActiveView(), pView);
    EXPECT_EQ(printer.calls, std::vector<std::string>{"OnEndPrinting"});
    EXPECT_EQ(StatusText(), "Ready");
}

TEST_F(Printing, PreviewButtonsShowTwoPagesAndZoom)
{
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(pPreview, nullptr);
    const CRect onePage = pPreview->GetPageRect(0);
    EXPECT_TRUE(pPreview->GetPageRect(1).IsRectEmpty());

    // The bar's button is a command to the frame.
    CWnd* pBar = pMainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE);
    ASSERT_NE(pBar, nullptr);
    PressButton(pBar->m_hWnd, AFX_ID_PREVIEW_NUMPAGE);
    PumpPendingMessages();
    EXPECT_EQ(pPreview->GetPageCount(), 2u);
    EXPECT_FALSE(pPreview->GetPageRect(1).IsRectEmpty());
    EXPECT_EQ(StatusText(), "Pages 1-2");
    app.OnIdle(0);
    EXPECT_EQ(ItemText(pBar->m_hWnd, AFX_ID_PREVIEW_NUMPAGE), "&One Page");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_NEXT)));   // both pages shown

    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoomState(), CPreviewView::ZOOM_MIDDLE);
    EXPECT_TRUE(pPreview->GetPageRect(1).IsRectEmpty());   // one page while zoomed
    EXPECT_GT(pPreview->GetPageRect(0).Width(), onePage.Width());
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoomState(), CPreviewView::ZOOM_IN);
    // True size: 8.5 inches of paper are 8.5 inches of screen.
    CClientDC screen(pPreview);
    EXPECT_NEAR(pPreview->GetPageRect(0).Width(), 8.5 * screen.GetDeviceCaps(LOGPIXELSX), 2.0);
    app.OnIdle(0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_ZOOMIN)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_NUMPAGE)));

    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(pPreview->GetZoomState(), CPreviewView::ZOOM_OUT);
    EXPECT_FALSE(pPreview->GetPageRect(1).IsRectEmpty());
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(app.m_nNumPreviewPages, 2u);   // the next preview shows two pages again
}

TEST_F(Printing, PrintFromPreviewClosesItAndPrints)
{
    printDialogAnswer = IDOK;
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    pMainFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PRINT);
    PumpPendingMessages();
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(nPrintDialogs, 1);
    EXPECT_EQ(printer.pages.size(), 2u);
}

TEST_F(Printing, ClosingTheFrameDuringPreviewClosesThePreviewOnly)
{
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    pMainFrame->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(app.m_pMainWnd, pMainFrame);
    EXPECT_TRUE(::IsWindowVisible(pMainFrame->m_hWndMDIClient));
    EXPECT_EQ(CTestDoc::s_nAlive, 1);
}

TEST_F(Printing, PreviewWithoutAPrinterDoesNotOpen)
{
    bHasDefaultPrinter = false;
    app.SelectPrinter(nullptr, nullptr);
    pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    PumpPendingMessages();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Could not start print job.");
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_FALSE(pMainFrame->IsInPreview());
    EXPECT_TRUE(::IsWindowVisible(pMainFrame->m_hWndMDIClient));
    EXPECT_EQ(pMainFrame->GetDescendantWindow(AFX_IDW_PREVIEW_BAR, TRUE), nullptr);
}

TEST_F(Printing, TheApplicationKeepsItsPrinterAndTheUsersChoice)
{
    PRINTDLGA pd = {};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    ASSERT_NE(pd.hDevMode, nullptr);
    auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(pd.hDevMode));
    EXPECT_EQ(pMode->dmOrientation, DMORIENT_PORTRAIT);
    ::GlobalUnlock(pd.hDevMode);
    EXPECT_EQ(pd.hDevNames, app.m_hDevNames);

    // Print Setup: the dialog's choice becomes the application's printer.
    HGLOBAL hLandscape = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_LANDSCAPE);
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
        if (pPrint == nullptr || !(pPrint->m_pd.Flags & PD_PRINTSETUP))
            return FALSE;
        EXPECT_EQ(pPrint->m_pd.hDevNames, app.m_hDevNames);   // it opens on the application's printer
        ::GlobalFree(pPrint->m_pd.hDevMode);
        pPrint->m_pd.hDevMode = hLandscape;
        nResult = IDOK;
        return TRUE;
    };
    app.OnFilePrintSetup();
    EXPECT_EQ(app.m_hDevMode, hLandscape);
    PRINTDLGA again = {};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&again));
    pMode = static_cast<DEVMODEA*>(::GlobalLock(again.hDevMode));
    EXPECT_EQ(pMode->dmOrientation, DMORIENT_LANDSCAPE);
    ::GlobalUnlock(again.hDevMode);
}

TEST(PrintInfo, StartsWithTheWholeRangeAndThePageDescription)
{
    CPrintInfo info;
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 0xFFFFu);
    EXPECT_STREQ(info.m_strPageDesc, "Page %u\nPages %u-%u\n");
    EXPECT_FALSE(info.m_bPreview);
    EXPECT_FALSE(info.m_bDirect);
    EXPECT_EQ(info.m_nNumPreviewPages, 0u);
    EXPECT_FALSE(info.m_pPD->m_pd.Flags & (PD_PAGENUMS | PD_SELECTION));   // all pages
    info.SetMaxPage(6);
    EXPECT_EQ(info.GetMaxPage(), 6u);
}

} // namespace
