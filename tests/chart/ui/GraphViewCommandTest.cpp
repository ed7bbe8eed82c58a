// The chart view's command strings, its defaults, and a background that it never erases.
#include <gtest/gtest.h>

#include <string>

#include "ChartViewTestSupport.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/ui/ChartWizardIds.h"
#include "chart/ui/GraphEditDialog.h"
#include "chart/ui/WizSheet.h"
#include "tests/framework/WinTestSupport.h"
#include "framework/win/Dc.h"

TEST(GraphViewStrings, TheCommandsCarryTheirPromptsAndTooltips)
{
    const struct
    {
        UINT nID;
        const char* text;
    } cases[] = {
        {ID_QVG_EDIT_GRAPH, "Chart explorer\nEdit Grpah"},
        {ID_QVG_ZOOM_OUT, "Chart zooming\nZoom Out"},
        {ID_QVG_PAGE_SETUP, "Select the page size for printing\nPage Setup"},
        {ID_QVG_CHART_WIZARD, "Interactive edit chart\nChart Wizard"},
        {ID_QVG_SAVE_DIB, "Save the chart as a Dib Bitmap file\nSave As Dib File"},
        {ID_QVG_SAVE_JPEG, "Save the chart as a Jpeg image file\nSave As Jpeg File"},
        {IDS_QVG_WIZARD_CAPTION, "Chart Wizard"},
    };
    for (const auto& c : cases) {
        char text[256] = "";
        ::LoadStringA(::GetModuleHandleA(nullptr), c.nID, text, sizeof text);
        EXPECT_STREQ(c.text, text) << c.nID;
    }
    char none[16] = "";
    EXPECT_EQ(0, ::LoadStringA(::GetModuleHandleA(nullptr), ID_QVG_ZOOM_RESET, none, sizeof none));
    EXPECT_EQ(0, ::LoadStringA(::GetModuleHandleA(nullptr), ID_QVG_PRINT_PAGE_SETUP, none, sizeof none));
}

TEST_F(ChartViewTest, ANewViewZoomsAndDragsAndTellsItsDocumentButShowsNoDragTip)
{
    QVGraphView view;
    EXPECT_TRUE(view.IsZoomEnabled());
    EXPECT_TRUE(view.IsDataDragEnabled());
    EXPECT_TRUE(view.GetNotifyDocument());
    EXPECT_FALSE(view.GetShowDragTip());
    EXPECT_EQ(0, view.m_bPrintLayout);
    EXPECT_EQ(1, view.m_nVertical);
    EXPECT_EQ(1, view.m_nHorizontal);
    EXPECT_EQ(0, view.m_nPageSize);
    EXPECT_DOUBLE_EQ(1.0, view.m_dHorizontalMargin);
    EXPECT_DOUBLE_EQ(6.0, view.m_dCustomWidth);
    EXPECT_DOUBLE_EQ(9.0, view.m_dCustomHeight);
    // The chart is the document's.
    EXPECT_EQ(&pDoc->GetChart(), pView->GetGraph());
    EXPECT_EQ(nullptr, view.GetGraph());
}

TEST_F(ChartViewTest, TheBackgroundIsNeverErasedTheChartPaintsItAll)
{
    CClientDC dc(pView);
    const CPoint corner(Client().right - 4, 3);   // no scale reaches the top right
    const COLORREF before = dc.GetPixel(corner.x, corner.y);
    EXPECT_EQ(kBackground, before);
    EXPECT_NE(0, pView->SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC));
    EXPECT_EQ(before, dc.GetPixel(corner.x, corner.y));
}

TEST_F(ChartViewTest, EditGraphRunsTheChartExplorerOnTheChartThenRefreshesIt)
{
    QVGraph* pEdited = nullptr;
    std::string caption;
    hook.onDialog = [&](CWnd* pDialog) {
        auto* pExplorer = dynamic_cast<QVGraphEditDialog*>(pDialog);
        ASSERT_NE(pExplorer, nullptr);
        pEdited = pExplorer->m_pGraph;
        caption = WindowText(pDialog->m_hWnd);
        // A change in the dialog: the display goes.
        Chart().GetComponentList()->RemoveTail();
        pDialog->SendMessage(WM_COMMAND, IDOK);
    };
    QVGraphDisplay* pRemoved = pDisplay;
    Command(ID_QVG_EDIT_GRAPH);
    delete pRemoved;
    pDisplay = nullptr;
    EXPECT_EQ(pEdited, &Chart());
    EXPECT_EQ(caption, "Chart Explorer");
    // Refreshed and waiting to be painted anew.
    EXPECT_TRUE(Chart().IsChanged());
    EXPECT_TRUE(::GetUpdateRect(pView->m_hWnd, nullptr, FALSE));
}

TEST_F(ChartViewTest, ChartWizardRunsTheWizardOnTheChartAndTakesItsComponentsAfterOk)
{
    const int nGroups = Chart().GetGroupCount();
    const double value = Chart().GetItemValue(1, 1);
    QVGraph* pEdited = nullptr;
    std::string caption;
    messageBox.answers = {IDYES};   // "Add a component of this kind?"
    hook.onDialog = [&](CWnd* pDialog) {
        auto* pSheet = dynamic_cast<QVGWizSheet*>(pDialog);
        ASSERT_NE(pSheet, nullptr);
        pEdited = pSheet->GetChart();
        caption = WindowText(pDialog->m_hWnd);
        pSheet->SetActivePage(&pSheet->m_advancedPage);
        HWND hPage = pSheet->m_advancedPage.m_hWnd;
        HWND hKinds = ::GetDlgItem(hPage, IDC_QVG_WIZ_KINDS);
        ::SendMessageA(hKinds, CB_SETCURSEL, ::SendMessageA(hKinds, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("Title")), 0);
        ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_KINDS, CBN_SELCHANGE), LPARAM(hKinds));
        ::SendMessageA(::GetDlgItem(hPage, IDC_QVG_WIZ_ADD), BM_CLICK, 0, 0);
        pDialog->SendMessage(WM_COMMAND, IDOK);
    };
    ::ValidateRect(pView->m_hWnd, nullptr);
    Command(ID_QVG_CHART_WIZARD);
    pDisplay = nullptr;   // the chart's components are the wizard's copies now
    EXPECT_EQ(pEdited, &Chart());
    EXPECT_EQ(caption, "Chart Wizard");
    ASSERT_EQ(Chart().GetComponentList()->GetCount(), 3);
    QVGraphComponent* pTitle = Chart().FindComponent(0, IDS_QVG_TITLE);
    ASSERT_NE(pTitle, nullptr);
    EXPECT_EQ(pTitle->GetChart(), &Chart());
    // Components only: the chart keeps its own data.
    EXPECT_EQ(Chart().GetGroupCount(), nGroups);
    EXPECT_EQ(Chart().GetItemValue(1, 1), value);
    EXPECT_TRUE(::GetUpdateRect(pView->m_hWnd, nullptr, FALSE));
}
