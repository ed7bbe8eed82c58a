// The test host's printing, cell tips and tab window as a user reaches them through the menus: jobs
// go to the recorded printer with the grid's own printer settings, preview shows the grid's pages,
// and the dump tells the page count and the tab window's tabs.
#include "tests/grid/features/GridHostTestSupport.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PreviewView.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/PrinterRecorder.h"
#include "grid/core/GridParam.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/Properties.h"
#include "tests/gridhost/GridHostFrames.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
class GridHostPrintTest : public GridHostTest
{
protected:
    void SetUp() override
    {
        // The default printer is the recorded one; a print or setup dialog offers its printer to the
        // test, which may answer with another one.
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            if (pPrint->m_pd.Flags & PD_RETURNDEFAULT)
            {
                pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "FILE:");
                pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_PORTRAIT);
                nResult = IDOK;
                return TRUE;
            }
            offered.push_back(CRecordingPrinter::DevNamesDevice(pPrint->m_pd.hDevNames));
            if (!chosenPrinter.empty())
            {
                pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", chosenPrinter.c_str(), "FILE:");
                pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode(chosenPrinter.c_str(), DMORIENT_PORTRAIT);
            }
            nResult = IDOK;
            return TRUE;
        };
    }

    // A menu command without values, under the fixture's dialog answers.
    void Send(UINT nID)
    {
        app.GetMainFrame()->SendMessage(WM_COMMAND, nID);
        PumpPendingMessages();
    }
    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(printer.calls.begin(), printer.calls.end(), call));
    }

    CRecordingPrinter printer;
    CScopedPrinterSeam printerSeam{&printer};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    std::vector<std::string> offered;
    std::string chosenPrinter;
};

TEST_F(GridHostPrintTest, FilePrintSendsTheGridsPagesWithItsBreaksToThePrinter)
{
    // Four columns of 120 pixels and the row headers fit the width of the recorded printer's page.
    ASSERT_NO_FATAL_FAILURE(StartHost(12, 4));
    EXPECT_EQ(DumpLine("pages"), "") << "nothing printed yet";
    Send(ID_FILE_PRINT);
    EXPECT_EQ(DumpLine("pages"), "pages 1");
    EXPECT_EQ(Count("StartPage"), 1);
    EXPECT_EQ(Count("EndDoc"), 1);

    // Row breaks 5 and 9 and column break 3 cut 3 x 2 pages, in either page order.
    Command(ID_GRIDHOST_PAGEBREAKS, {"5, 9", "3"});
    for (const char* pszOrder : {"0", "1"})
    {
        Command(ID_GRIDHOST_PAGEORDER, {pszOrder});
        printer.calls.clear();
        Send(ID_FILE_PRINT);
        EXPECT_EQ(DumpLine("pages"), "pages 6") << "order " << pszOrder;
        EXPECT_EQ(Count("StartPage"), 6) << "order " << pszOrder;
    }
    EXPECT_EQ(app.GetDocument()->GetParam()->GetProperties()->GetPageOrder(), 1);

    // Empty lists take the breaks away again.
    Command(ID_GRIDHOST_PAGEBREAKS, {"", ""});
    Send(ID_FILE_PRINT);
    EXPECT_EQ(DumpLine("pages"), "pages 1");
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(GridHostPrintTest, PrintSetupChoosesThePrinterOfTheActiveGridWhichLaterJobsUse)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(12, 4));
    chosenPrinter = "Chosen Printer";
    Send(ID_FILE_PRINT_SETUP);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], "Recorded Printer") << "the grid starts with the default printer";
    CGXPrintDevice* pDevice = View(0).GetParam()->GetPrintDevice();
    ASSERT_NE(pDevice, nullptr);
    EXPECT_EQ(CRecordingPrinter::DevNamesDevice(pDevice->m_hDevNames), "Chosen Printer");

    // The application's printer goes back to the default; the grid's print dialog still opens on
    // the grid's choice, and the job goes to it.
    app.m_hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "FILE:");
    chosenPrinter.clear();
    Send(ID_FILE_PRINT);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], "Chosen Printer");
    EXPECT_EQ(Count("CreateDC Chosen Printer"), 1);
    EXPECT_EQ(Count("StartPage"), 1);
}

TEST_F(GridHostPrintTest, PrintPreviewShowsTheGridsPagesAndTheirCount)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(12, 4));
    Command(ID_GRIDHOST_PAGEBREAKS, {"7", ""});
    Send(ID_FILE_PRINT_PREVIEW);
    auto* pPreview = dynamic_cast<CPreviewView*>(app.GetMainFrame()->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(DumpLine("pages"), "pages 2");
    EXPECT_EQ(WindowText(app.GetMainFrame()->GetMessageBar()->m_hWnd), "Page 1 / 2");
    EXPECT_EQ(Count("StartDoc"), 0) << "preview prints nothing";
    pPreview->OnPreviewClose();
    PumpPendingMessages();
    EXPECT_EQ(app.GetActiveGridView(), &View(0));
}

TEST_F(GridHostTest, CellTipsSwitchOnAndOffInEveryView)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 3));
    EXPECT_FALSE(View(0).IsCellTipsEnabled());
    Command(ID_GRIDHOST_CELLTIPS);
    EXPECT_TRUE(View(0).IsCellTipsEnabled());
    EXPECT_TRUE(View(1).IsCellTipsEnabled());
    EXPECT_NE(View(1).GetCellTipImp(), nullptr);
    Command(ID_GRIDHOST_CELLTIPS);
    EXPECT_FALSE(View(0).IsCellTipsEnabled());
    EXPECT_FALSE(View(1).IsCellTipsEnabled());
}

class GridHostTabWindowTest : public GridHostTest
{
protected:
    CGridHostTabFrame* TabFrame()
    {
        return dynamic_cast<CGridHostTabFrame*>(app.GetMainFrame()->MDIGetActive());
    }
    std::vector<std::string> TabLines()
    {
        std::vector<std::string> lines;
        for (const std::string& line : Dump())
            if (line.compare(0, 4, "tab ") == 0 || line.compare(0, 5, "tabs ") == 0)
                lines.push_back(line);
        return lines;
    }
    void ClickTab(int nTab)
    {
        CGXTabBeam& beam = TabFrame()->m_wndTabs.GetBeam();
        const LPARAM at = MAKELPARAM(beam.GetTabPosition(nTab) + 12, beam.GetBeamHeight() / 2);
        beam.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        beam.SendMessage(WM_LBUTTONUP, 0, at);
        PumpPendingMessages();
    }
};

TEST_F(GridHostTabWindowTest, TheTabWindowShowsThreeGridSheetsAndTheDumpFollowsSwitchAndRename)
{
    ASSERT_NO_FATAL_FAILURE(StartHost(3, 3));
    EXPECT_TRUE(TabLines().empty());
    Command(ID_GRIDHOST_TABWINDOW);
    CGridHostTabFrame* pFrame = TabFrame();
    ASSERT_NE(pFrame, nullptr) << "the tab window's child frame is active";
    EXPECT_EQ(TabLines(), (std::vector<std::string>{"tabs 3 current 0", "tab 0 \"Sheet1\"", "tab 1 \"Sheet2\"",
                                                    "tab 2 \"Sheet3\""}));
    EXPECT_TRUE(pFrame->m_sheets[0].IsWindowVisible());
    EXPECT_FALSE(pFrame->m_sheets[1].IsWindowVisible());
    EXPECT_FALSE(GridHostCanRunCommand(ID_GRIDHOST_INSERTROWS)) << "no grid view is active";

    ClickTab(2);
    EXPECT_EQ(TabLines()[0], "tabs 3 current 2");
    EXPECT_TRUE(pFrame->m_sheets[2].IsWindowVisible());
    EXPECT_FALSE(pFrame->m_sheets[0].IsWindowVisible());

    // A double click on the current tab, a new name typed and Enter rename the sheet.
    CGXTabBeam& beam = pFrame->m_wndTabs.GetBeam();
    beam.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(beam.GetTabPosition(2) + 12, beam.GetBeamHeight() / 2));
    PumpPendingMessages();
    CGXEditLabelPopup* pPopup = pFrame->m_wndTabs.GetRenamePopup();
    ASSERT_NE(pPopup, nullptr);
    pPopup->SetWindowText("");
    for (const char* p = "Drains"; *p != '\0'; ++p)
        pPopup->SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*p)), 1);
    pPopup->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    PumpPendingMessages();
    EXPECT_EQ(TabLines()[3], "tab 2 \"Drains\"");
    EXPECT_EQ(pFrame->m_sheets[2].GetParam()->m_sSheetName, CString("Drains"));

    // The document's grids are still there for the rest of the dump.
    EXPECT_EQ(DumpLine("rows"), "rows 3");
}
} // namespace
