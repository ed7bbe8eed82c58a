// The chart wizard's preview in a stand-in sheet: the grid and its snapping, picking a component with a
// Shift-click and moving it with the tracker, the context menu, saving the arrangement as layout lines,
// and printing with a page setup of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphTitle.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/PageSetup.h"
#include "chart/ui/WizView.h"
#include "chart/ui/WizardText.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/Menu.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// The sheet's part: the settings the preview reads and what it hears of picks and moves.
class CPreviewOwner : public CWnd, public QVGWizPreviewOwner
{
public:
    BOOL bEditing = TRUE;
    BOOL bSnap = FALSE;
    int nGridStep = 10;
    BOOL bGrid = FALSE;
    BOOL bLive = TRUE;
    QVGraphComponent* pRefused = nullptr;
    std::vector<QVGraphComponent*> picked;
    std::vector<CRect> moves;   // the moved component's rectangle (pixels) at each move

    BOOL IsEditingAllowed() override { return bEditing; }
    BOOL IsSnapToGrid() override { return bSnap; }
    int GetGridStep() override { return nGridStep; }
    BOOL IsGridShown() override { return bGrid; }
    BOOL IsLiveResult() override { return bLive; }
    CSize GetPreviewSize() override { return CSize(400, 300); }
    CSize GetPreviewRectSize() override { return CSize(380, 280); }
    BOOL CanPickComponent(QVGraphComponent* pComponent) override { return pComponent != pRefused; }
    void OnComponentPicked(QVGraphComponent* pComponent) override { picked.push_back(pComponent); }
    void OnComponentMoved(QVGraphComponent* pComponent) override
    {
        QVGraphRect* pRect = pComponent->GetRectObject();
        moves.emplace_back(int(pRect->m_dLeft), int(pRect->m_dTop), int(pRect->m_dRight), int(pRect->m_dBottom));
    }
};

// A file in the build folder (the tests' working directory), gone before the test.
std::string FreshPath(const char* name)
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof folder, folder);
    const std::string path = std::string(folder) + "\\" + name;
    ::DeleteFileA(path.c_str());
    return path;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class WizViewTest : public ::testing::Test
{
protected:
    CWinApp app{"WizView"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    QVGraph chart;
    CPreviewOwner owner;
    QVGWizView view;
    QVGraphTitle* pTitle = nullptr;

    void SetUp() override
    {
        ::SetCursorPos(1270, 1010);
        hook.onDialog = [](CWnd* pDialog) {
            ADD_FAILURE() << "an unexpected dialog";
            pDialog->SendMessage(WM_COMMAND, IDCANCEL);
        };
        auto* pBackground = new QVGraphBackground;
        pBackground->SetMeasurement(QVGraphRect::pixels);
        pBackground->SetIntRect(CRect(0, 0, 400, 300));
        pBackground->GetStyle()->SetFillType(1);
        pBackground->SetFillColors(RGB(255, 255, 255), RGB(255, 255, 255));
        chart.AddComponent(pBackground);
        pTitle = new QVGraphTitle;
        pTitle->SetMeasurement(QVGraphRect::pixels);
        pTitle->SetIntRect(CRect(40, 40, 140, 100));
        pTitle->GetStyle()->SetFillType(0);
        chart.AddComponent(pTitle);
        chart.SetFixedRect(CRect(0, 0, 400, 300), 0);

        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Wizard", WS_POPUP | WS_VISIBLE, 20, 20, 420, 340,
                                   nullptr, nullptr));
        view.SetGraph(&chart);
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                                CRect(0, 0, 410, 330), &owner, IDC_QVG_WIZARD_VIEW, nullptr));
        view.OnInitialUpdate();
        Paint();
    }
    void TearDown() override
    {
        view.DestroyWindow();
        owner.DestroyWindow();
        PumpPendingMessages();
    }

    void Paint()
    {
        view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpPendingMessages();
    }

    CRect TitleRect() const
    {
        QVGraphRect* pRect = pTitle->GetRectObject();
        return CRect(int(pRect->m_dLeft), int(pRect->m_dTop), int(pRect->m_dRight), int(pRect->m_dBottom));
    }

    // A press with the flags at `from`; the mouse then moves to `to` in two steps and comes up there
    // (the messages wait for the tracker's loop).
    void Drag(UINT nFlags, CPoint from, CPoint to)
    {
        view.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
        view.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        view.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(from.x, from.y));
        PumpPendingMessages();
    }
    // A Shift-click that does not move (the button comes up where it went down).
    void ShiftClick(CPoint point)
    {
        view.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
    }
};

TEST_F(WizViewTest, ARectangleSnapsItsLeftAndTopToTheNearestMultipleOfTheGridStep)
{
    const struct
    {
        int nStep;
        CRect rect;
        CRect snapped;
    } cases[] = {
        {10, {14, 16, 64, 46}, {10, 20, 60, 50}},
        {10, {15, 25, 20, 30}, {10, 20, 15, 25}},   // a remainder of half the step goes down
        {10, {-3, 0, 7, 10}, {0, 0, 10, 10}},
        {8, {13, 3, 33, 23}, {16, 0, 36, 20}},
        {1, {14, 16, 64, 46}, {14, 16, 64, 46}},
    };
    for (const auto& c : cases) {
        owner.nGridStep = c.nStep;
        CRect rect = c.rect;
        view.SnapRect(rect);
        EXPECT_EQ(rect, c.snapped) << c.nStep << " " << c.rect.left << "," << c.rect.top;
    }
}

TEST_F(WizViewTest, AClickWithoutShiftSelectsNothingAndStartsTheChartViewsBand)
{
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
    EXPECT_FALSE(view.IsTracking());
    EXPECT_EQ(view.GetSelectedComponent(), nullptr);
    EXPECT_TRUE(owner.picked.empty());
    EXPECT_TRUE(view.IsBandActive());
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
    EXPECT_FALSE(view.IsBandActive());
}

TEST_F(WizViewTest, AShiftClickPicksTheComponentUnlessTheSheetRefusesOrForbidsEditing)
{
    struct
    {
        const char* name;
        BOOL bEditing;
        bool bRefuse;
        bool bPicked;
    } cases[] = {
        {"picked", TRUE, false, true},
        {"refused by the sheet", TRUE, true, false},
        {"editing not allowed", FALSE, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        owner.bEditing = c.bEditing;
        owner.pRefused = c.bRefuse ? pTitle : nullptr;
        owner.picked.clear();
        ShiftClick(CPoint(60, 60));
        EXPECT_EQ(view.IsTracking(), c.bPicked ? TRUE : FALSE);
        EXPECT_EQ(view.GetSelectedComponent(), c.bPicked ? pTitle : nullptr);
        EXPECT_EQ(owner.picked, c.bPicked ? std::vector<QVGraphComponent*>{pTitle} : std::vector<QVGraphComponent*>{});
        if (c.bPicked) {
            EXPECT_EQ(view.GetTracker().m_rect, CRect(40, 40, 140, 100));
        }
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
        EXPECT_FALSE(view.IsTracking());
    }
}

TEST_F(WizViewTest, ShiftAndADragMoveTheComponentToASnappedPlace)
{
    owner.bSnap = TRUE;
    Drag(MK_SHIFT, CPoint(60, 60), CPoint(83, 78));

    // 63, 58 lies nearest to 60, 60 on the grid of 10; the size stays.
    EXPECT_EQ(TitleRect(), CRect(60, 60, 160, 120));
    EXPECT_EQ(view.GetTracker().m_rect, CRect(60, 60, 160, 120));
    ASSERT_FALSE(owner.moves.empty());
    EXPECT_EQ(owner.moves.back(), CRect(60, 60, 160, 120));
    // The component stays picked until the next click beside it.
    EXPECT_TRUE(view.IsTracking());
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 250));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 250));
    EXPECT_FALSE(view.IsTracking());
}

TEST_F(WizViewTest, WithoutSnappingTheComponentGoesWhereItIsDragged)
{
    Drag(MK_SHIFT, CPoint(60, 60), CPoint(83, 78));
    EXPECT_EQ(TitleRect(), CRect(63, 58, 163, 118));
    // Every step of the drag reached the component.
    EXPECT_GE(owner.moves.size(), 2u);
}

TEST_F(WizViewTest, DraggingACornerSnapsTheSidesItMoves)
{
    owner.bSnap = TRUE;
    Drag(MK_SHIFT, CPoint(138, 98), CPoint(173, 114));   // the bottom-right handle
    // 175 lies half way and goes down to 170; 116 goes up to 120.
    EXPECT_EQ(TitleRect(), CRect(40, 40, 170, 120));
}

TEST_F(WizViewTest, CancelTrackingLetsTheComponentGo)
{
    ShiftClick(CPoint(60, 60));
    ASSERT_TRUE(view.IsTracking());
    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_CANCEL_TRACKING);
    EXPECT_FALSE(view.IsTracking());
    EXPECT_EQ(view.GetSelectedComponent(), nullptr);
}

TEST_F(WizViewTest, TheContextMenuEnablesCancelTrackingOnlyWhileTrackingAndZoomOutOnlyWithAZoom)
{
    std::vector<std::pair<bool, bool>> shown;   // (zoom out enabled, cancel tracking enabled)
    hook.onPopupMenu = [&](CMenu* pMenu, UINT, CPoint point, CWnd* pWnd, BOOL& nResult) -> BOOL {
        EXPECT_EQ(pWnd, &view);
        EXPECT_EQ(point, CPoint(100, 120));
        auto enabled = [pMenu](UINT nID) { return !(pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED); };
        EXPECT_NE(pMenu->GetMenuState(ID_QVG_WIZ_SAVE_LAYOUT, MF_BYCOMMAND), (UINT)-1);
        shown.emplace_back(enabled(ID_QVG_ZOOM_OUT), enabled(ID_QVG_WIZ_CANCEL_TRACKING));
        nResult = TRUE;
        return TRUE;
    };
    view.SendMessage(WM_CONTEXTMENU, (WPARAM)view.m_hWnd, MAKELPARAM(100, 120));
    ShiftClick(CPoint(60, 60));
    view.SendMessage(WM_CONTEXTMENU, (WPARAM)view.m_hWnd, MAKELPARAM(100, 120));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(false, false));
    EXPECT_EQ(shown[1], std::make_pair(false, true));
}

TEST_F(WizViewTest, TheGridIsADotAtEveryMultipleOfItsStep)
{
    owner.bGrid = TRUE;
    Paint();
    EXPECT_TRUE(view.IsGridDrawn());
    CClientDC dc(&view);
    EXPECT_EQ(dc.GetPixel(200, 200), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(20, 30), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(21, 30), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(25, 35), RGB(255, 255, 255));

    // Drawn once more, the dots go.
    view.DrawGrid(FALSE);
    EXPECT_EQ(dc.GetPixel(20, 30), RGB(255, 255, 255));
    EXPECT_FALSE(view.IsGridDrawn());
}

class WizViewLayoutTest : public WizViewTest
{
protected:
    std::string answer;   // the path the file dialog gives; empty: Cancel
    OPENFILENAMEA seen = {};
    BOOL bOpenDialog = FALSE;

    void SetUp() override
    {
        WizViewTest::SetUp();
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
            if (pFile == nullptr)
                return FALSE;
            seen = pFile->m_ofn;
            bOpenDialog = pFile->m_bOpenFileDialog;
            if (answer.empty()) {
                nResult = IDCANCEL;
                return TRUE;
            }
            lstrcpynA(pFile->m_ofn.lpstrFile, answer.c_str(), (int)pFile->m_ofn.nMaxFile);
            nResult = IDOK;
            return TRUE;
        };
    }
};

TEST_F(WizViewLayoutTest, SavingTheLayoutTwiceLeavesTwoLayoutLinesInTheFile)
{
    answer = FreshPath("wizard_layouts.txt");
    // A display in millimetres and a legend whose right side follows the chart's edge.
    auto* pDisplay = new QVGraphTitle;   // any component of the display's type id
    pDisplay->m_nTypeId = IDS_QVG_DISPLAY;
    pDisplay->SetMeasurement(QVGraphRect::millimetres);
    pDisplay->SetRect(10, 5, 50, 40);
    pDisplay->GetStyle()->SetBorderStyle(2);
    pDisplay->GetStyle()->SetShadowStyle(1);
    chart.AddComponent(pDisplay);
    auto* pLegend = new QVGraphTitle;
    pLegend->m_nTypeId = IDS_QVG_LEGEND;
    pLegend->SetMeasurement(QVGraphRect::percent);
    pLegend->SetRect(5, 80, -1, 95);
    chart.AddComponent(pLegend);

    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_SAVE_LAYOUT);
    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_SAVE_LAYOUT);
    EXPECT_TRUE(bOpenDialog);
    EXPECT_EQ(seen.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), (DWORD)(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_TRUE(messageBox.calls.empty());

    // The scroll area is 400 x 300; 10 mm at the screen's resolution in percent of 400 pixels, and so on.
    CWindowDC screen(nullptr);
    const int nPixelsX = screen.GetDeviceCaps(LOGPIXELSX);
    const int nPixelsY = screen.GetDeviceCaps(LOGPIXELSY);
    auto percent = [](double mm, int nPixels, int nSize) { return int(mm * nPixels / (nSize * 25.4) * 100); };
    CString line;
    line.Format("Background 3 0 0 1 0 0 100 100 Title 3 0 0 0 10 13 35 33 Display 3 2 1 1 %d %d %d %d "
                "Legend 3 0 0 1 5 80 -1 95 ",
                percent(10, nPixelsX, 400), percent(5, nPixelsY, 300), percent(50, nPixelsX, 400),
                percent(40, nPixelsY, 300));
    const std::string once = "\n\n" + std::string(line);
    EXPECT_EQ(FileText(answer), once + once);

    const std::vector<CLayout> layouts = ParseLayouts(FileText(answer).c_str());
    ASSERT_EQ(layouts.size(), 2u);
    ASSERT_EQ(layouts[1].size(), 4u);
    EXPECT_EQ(std::string(layouts[1][3].m_strName), "Legend");
    EXPECT_EQ(layouts[1][3].m_nRight, -1);
}

TEST_F(WizViewLayoutTest, ACancelledDialogWritesNothingAndAFileThatCannotBeOpenedIsReported)
{
    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_SAVE_LAYOUT);
    EXPECT_TRUE(messageBox.calls.empty());

    answer = FreshPath("no_such_folder\\layouts.txt");
    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_SAVE_LAYOUT);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "File could not be opened ");
}

TEST_F(WizViewLayoutTest, ThePicturesAreOfTheWholeScrollAreaWithoutADefaultExtension)
{
    answer = FreshPath("wizard_preview.bmp");
    view.SendMessage(WM_COMMAND, ID_QVG_SAVE_DIB);
    EXPECT_EQ(seen.lpstrDefExt, nullptr);
    const std::string text = FileText(answer);
    ASSERT_GE(text.size(), 54u);
    EXPECT_EQ(text.substr(0, 2), "BM");
    int32_t width = 0, height = 0;
    memcpy(&width, text.data() + 18, 4);
    memcpy(&height, text.data() + 22, 4);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
}

TEST_F(WizViewTest, PrintingWithAPageSetupKeepsTheSetupForThatPrintOnly)
{
    CRecordingPrinter printer;
    CScopedPrinterSeam printerSeam{&printer};
    hook.onDialog = [](CWnd* pDialog) {
        auto* pSetup = dynamic_cast<PageSetup*>(pDialog);
        ASSERT_NE(pSetup, nullptr);
        ::CheckDlgButton(pSetup->m_hWnd, IDC_QVG_USE_MAX_SIZE, BST_CHECKED);
        pSetup->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_QVG_USE_MAX_SIZE, BN_CLICKED));
        pSetup->m_sizeList.SetCurSel(1);   // 640 x 480
        pSetup->SendMessage(WM_COMMAND, IDOK);
    };
    const COLORREF kMark = RGB(200, 30, 40);
    chart.FindComponent(0, IDS_QVG_BACKGROUND)->SetFillColors(kMark, kMark);
    hook.onCommonDialog = [](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
        if (pPrint == nullptr)
            return FALSE;
        pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
        pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", DMORIENT_PORTRAIT);
        nResult = IDOK;
        return TRUE;
    };
    view.SendMessage(WM_COMMAND, ID_QVG_WIZ_PRINT);

    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "EndDoc"), 1);
    // The chart was 640 x 480 dots, centred on the 850 x 1100 page: its 400 x 300 background starts at
    // 105, 310.
    const auto& page = printer.pages[0];
    EXPECT_EQ(page.GetPixel(110, 315), kMark);
    EXPECT_EQ(page.GetPixel(500, 605), kMark);
    EXPECT_EQ(page.GetPixel(100, 315), RGB(255, 255, 255));
    EXPECT_EQ(page.GetPixel(110, 305), RGB(255, 255, 255));
    EXPECT_EQ(page.GetPixel(510, 315), RGB(255, 255, 255));
    // Afterwards: the view's own setup, no document, the chart's own rectangle.
    EXPECT_EQ(view.m_nPageSize, 0);
    EXPECT_EQ(view.m_bPrintLayout, 0);
    EXPECT_EQ(view.GetDocument(), nullptr);
    EXPECT_EQ(chart.GetFixedRect(), CRect(0, 0, 400, 300));
}

} // namespace
