// The chart wizard: opening on a chart with components (editing at once, its data or sample data),
// the three steps on an empty chart, the graph types and their questions, the components' names, their
// adding, deleting and moving, the fill and font pages, the caption's turns, closing, and the copy back,
// driven through the modal hook and the pages' controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DynamicData.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/TextPanel.h"
#include "chart/ui/ChartWizardIds.h"
#include "chart/ui/WizSheet.h"
#include "framework/dialogs/ColorDialog.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/FontDialog.h"
#include "framework/win/Dc.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"
#include "tests/tools/WindowPicture.h"

namespace {

std::string ComboText(HWND hPage, int nID)
{
    const int nSel = (int)::SendDlgItemMessageA(hPage, nID, CB_GETCURSEL, 0, 0);
    if (nSel < 0)
        return "";
    char text[256] = "";
    ::SendDlgItemMessageA(hPage, nID, CB_GETLBTEXT, nSel, (LPARAM)text);
    return text;
}

std::vector<std::string> ComboEntries(HWND hPage, int nID)
{
    std::vector<std::string> entries;
    const int nCount = (int)::SendDlgItemMessageA(hPage, nID, CB_GETCOUNT, 0, 0);
    for (int n = 0; n < nCount; ++n) {
        char text[256] = "";
        ::SendDlgItemMessageA(hPage, nID, CB_GETLBTEXT, n, (LPARAM)text);
        entries.emplace_back(text);
    }
    return entries;
}

std::vector<std::string> ListEntries(HWND hPage, int nID)
{
    std::vector<std::string> entries;
    const int nCount = (int)::SendDlgItemMessageA(hPage, nID, LB_GETCOUNT, 0, 0);
    for (int n = 0; n < nCount; ++n) {
        char text[256] = "";
        ::SendDlgItemMessageA(hPage, nID, LB_GETTEXT, n, (LPARAM)text);
        entries.emplace_back(text);
    }
    return entries;
}

// Chooses an entry of a page's combo box by its text, as the user does.
void ChooseEntry(HWND hPage, int nID, const char* text)
{
    const int nIndex = (int)::SendDlgItemMessageA(hPage, nID, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    ASSERT_GE(nIndex, 0) << text;
    ::SendDlgItemMessageA(hPage, nID, CB_SETCURSEL, nIndex, 0);
    ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)::GetDlgItem(hPage, nID));
}

void Click(HWND hPage, int nID)
{
    ::SendMessageA(::GetDlgItem(hPage, nID), BM_CLICK, 0, 0);
}

std::vector<std::string> Tags(QVGraph& chart)
{
    std::vector<std::string> tags;
    CObList* pList = chart.GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        tags.emplace_back(static_cast<QVGraphComponent*>(pList->GetNext(pos))->GetTag());
    return tags;
}

class WizSheetTest : public ::testing::Test
{
protected:
    CWinApp app{"ChartWizard"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    QVGraph chart;
    QVGraphDisplay* pDisplay = nullptr;

    void SetUp() override { ::SetCursorPos(1270, 1010); }

    // A chart of a background, a title, a display and a legend over two groups of three values.
    void BuildChart()
    {
        auto place = [this](QVGraphComponent* pComponent, double left, double top, double right, double bottom) {
            pComponent->SetMeasurement(QVGraphRect::percent);
            pComponent->SetRect(left, top, right, bottom);
            chart.AddComponent(pComponent);
        };
        place(new QVGraphBackground, 0, 0, 100, 100);
        place(new QVGraphTitle, 5, 2, 95, 12);
        pDisplay = new QVGraphDisplay;
        pDisplay->SetGraphType(1);
        pDisplay->SetAxisStyle(1);
        place(pDisplay, 5, 15, 95, 80);
        place(new QVGraphLegend, 5, 82, 95, 98);
        chart.SetManagerText("Drainage", 1);
        for (int g = 0; g < 2; ++g)
            for (int i = 0; i < 3; ++i)
                chart.SetValue(i, g, 100.0 * g + i + 0.25);
    }

    // Runs the sheet; drive acts on it with its window up and says how it ends (IDOK, IDCANCEL, or 0
    // when it ended the sheet itself).
    INT_PTR Run(QVGWizSheet& sheet, const std::function<int(QVGWizSheet&)>& drive)
    {
        hook.onDialog = [&](CWnd* pWnd) {
            if (pWnd != &sheet) {
                ADD_FAILURE() << "an unexpected dialog";
                pWnd->SendMessage(WM_COMMAND, IDCANCEL);
                return;
            }
            PumpPendingMessages();
            const int nEnd = drive(sheet);
            if (nEnd == IDOK)
                sheet.SendMessage(WM_COMMAND, IDOK);
            else if (nEnd == IDCANCEL)
                ::PostMessageA(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        };
        return sheet.DoModal();
    }
};

TEST_F(WizSheetTest, AChartWithComponentsOpensInEditingWithItsDataAndNoSampleData)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    bool bSteps = true;
    int nGroups = 0;
    double value = 0;
    int nPages = 0;
    std::vector<std::string> names;
    std::string caption;
    const INT_PTR nResult = Run(sheet, [&](QVGWizSheet& s) {
        bSteps = s.IsInWizardSteps() != FALSE;
        nGroups = s.GetWorkingChart()->GetGroupCount();
        value = s.GetWorkingChart()->GetItemValue(2, 1);
        nPages = s.GetPageCount();
        names = ComboEntries(s.m_mainPage.m_hWnd, IDC_QVG_WIZ_COMPONENT);
        caption = WindowText(s.m_hWnd);
        s.GetPreview()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpPendingMessages();
        SaveWindowPicture(s.m_hWnd, "wizard_editing.bmp");
        return IDCANCEL;
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_FALSE(bSteps);
    EXPECT_TRUE(sheet.GetCopyData());
    EXPECT_EQ(nGroups, 2);
    EXPECT_EQ(value, 102.25);
    EXPECT_EQ(nPages, 4);
    EXPECT_EQ(names, (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Legend_D"}));
    EXPECT_EQ(caption, "Chart Wizard");
}


TEST_F(WizSheetTest, AChartWithADynamicGroupWorksOnFourGroupsOfTenSampleValues)
{
    BuildChart();
    QVGraphDataList* pGroup = chart.GetGroup(2, TRUE);
    pGroup->SetDynamic(TRUE);
    auto* pBuffer = static_cast<QVGraphDynamicData*>(pGroup->GetItemList().GetHead());
    pBuffer->SetCapacity(8);
    pBuffer->SetValue(7.5);
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    int nGroups = 0;
    std::vector<int> sizes;
    bool bBelow150 = true;
    std::string annotation;
    Run(sheet, [&](QVGWizSheet& s) {
        QVGraph* pWorking = s.GetWorkingChart();
        nGroups = pWorking->GetGroupCount();
        for (int g = 0; g < nGroups; ++g) {
            sizes.push_back(pWorking->GetGroupSize(g));
            for (int i = 0; i < pWorking->GetGroupSize(g); ++i) {
                const double value = pWorking->GetItemValue(i, g);
                bBelow150 = bBelow150 && value >= 0 && value < 150 && value == double(int(value));
            }
        }
        annotation = pWorking->FindItem(3, 2)->GetAnnotationText(1);
        return IDCANCEL;
    });
    EXPECT_FALSE(sheet.GetCopyData());
    EXPECT_EQ(nGroups, 4);
    EXPECT_EQ(sizes, (std::vector<int>{10, 10, 10, 10}));
    EXPECT_TRUE(bBelow150);
    EXPECT_EQ(annotation, " (3, 2) ");
    // The caller's chart keeps its own data.
    EXPECT_EQ(chart.GetGroupCount(), 3);
}

TEST_F(WizSheetTest, AfterOkTheCallersChartGetsTheComponentsAndNotTheSampleData)
{
    BuildChart();
    chart.GetGroup(1, FALSE)->SetDynamic(TRUE);   // the data streams in: the wizard works on samples
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    messageBox.answers = {IDYES};   // "Add a component of this kind?"
    const INT_PTR nResult = Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_advancedPage);
        ChooseEntry(s.m_advancedPage.m_hWnd, IDC_QVG_WIZ_KINDS, "Text panel");
        Click(s.m_advancedPage.m_hWnd, IDC_QVG_WIZ_ADD);
        return IDOK;
    });
    ASSERT_EQ(nResult, IDOK);
    sheet.CopyBack(FALSE);
    EXPECT_EQ(Tags(chart), (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Legend_D",
                                                     "Text panel_E"}));
    EXPECT_NE(dynamic_cast<QVGTextPanel*>(chart.FindComponent(0, IDS_QVG_TEXT_PANEL)), nullptr);
    for (QVGraphComponent* pComponent : {chart.FindComponent(0, -1), chart.FindComponent(4, -1)})
        EXPECT_EQ(pComponent->GetChart(), &chart);
    EXPECT_EQ(chart.GetGroupCount(), 2);
    EXPECT_EQ(chart.GetItemValue(2, 0), 2.25);
    // Copying back with the data asked for still leaves the samples out.
    sheet.CopyBack(TRUE);
    EXPECT_EQ(chart.GetGroupCount(), 2);
}

TEST_F(WizSheetTest, TheThreeStepsBuildAChartOfTheChosenTypeWithAxisStyle1)
{
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> captions;
    std::vector<std::string> types;
    bool bBackShown = false;
    std::string nextOnFinish;
    const INT_PTR nResult = Run(sheet, [&](QVGWizSheet& s) {
        EXPECT_TRUE(s.IsInWizardSteps());
        EXPECT_EQ(s.GetPageCount(), 1);
        EXPECT_GE(s.GetLayouts().size(), 12u);
        captions.push_back(WindowText(s.m_hWnd));
        CLayoutPage* pLayouts = s.GetLayoutPage();
        ::SendMessageA(pLayouts->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_CELL_FIRST + 1, STN_CLICKED),
                       (LPARAM)::GetDlgItem(pLayouts->m_hWnd, IDC_QVG_WIZ_CELL_FIRST + 1));
        EXPECT_TRUE(pLayouts->GetCell(1).IsHighlighted());
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        captions.push_back(WindowText(s.m_hWnd));
        bBackShown = ::IsWindowVisible(s.GetBackButton().m_hWnd) != FALSE;
        HWND hTypes = s.GetChartTypePage()->m_hWnd;
        types = ListEntries(hTypes, IDC_QVG_WIZ_CHART_TYPES);
        const int nBars = (int)::SendDlgItemMessageA(hTypes, IDC_QVG_WIZ_CHART_TYPES, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                                     (LPARAM) "Vertical bar chart");
        ::SendDlgItemMessageA(hTypes, IDC_QVG_WIZ_CHART_TYPES, LB_SETCURSEL, nBars, 0);
        ::SendMessageA(hTypes, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_CHART_TYPES, LBN_SELCHANGE),
                       (LPARAM)::GetDlgItem(hTypes, IDC_QVG_WIZ_CHART_TYPES));
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        captions.push_back(WindowText(s.m_hWnd));
        nextOnFinish = WindowText(s.GetNextButton().m_hWnd);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);   // Finish
        return 0;
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(captions, (std::vector<std::string>{"Chart Wizard - Step 1 of 3: Layout",
                                                  "Chart Wizard - Step 2 of 3: Chart type",
                                                  "Chart Wizard - Step 3 of 3: Finish"}));
    EXPECT_TRUE(bBackShown);
    EXPECT_EQ(nextOnFinish, "Finish");
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(std::count(types.begin(), types.end(), "None"), 0);
    EXPECT_EQ(std::count(types.begin(), types.end(), "Freestyle"), 0);
    EXPECT_EQ(std::count(types.begin(), types.end(), "Hi-Lo-Open-Close"), 1);

    sheet.CopyBack(FALSE);
    // The second layout: background, title, display and legend beside it.
    const std::vector<int> kinds = {IDS_QVG_BACKGROUND, IDS_QVG_TITLE, IDS_QVG_DISPLAY, IDS_QVG_LEGEND};
    std::vector<int> made;
    CObList* pList = chart.GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        made.push_back(static_cast<QVGraphComponent*>(pList->GetNext(pos))->GetTypeId());
    EXPECT_EQ(made, kinds);
    auto* pBuilt = dynamic_cast<QVGDisplayBase*>(chart.FindComponent(0, IDS_QVG_DISPLAY));
    ASSERT_NE(pBuilt, nullptr);
    EXPECT_EQ(pBuilt->GetGraphType(), 3);
    EXPECT_EQ(pBuilt->GetAxisStyle(), 1);
    QVGraphRect* pRect = pBuilt->GetRectObject();
    EXPECT_EQ(pRect->GetMeasurement(), QVGraphRect::percent);
    EXPECT_EQ(CRect(int(pRect->m_dLeft), int(pRect->m_dTop), int(pRect->m_dRight), int(pRect->m_dBottom)),
              CRect(3, 16, 72, 96));
    EXPECT_EQ(chart.FindComponent(0, IDS_QVG_LEGEND)->GetStyle()->m_crFill1, RGB(255, 255, 0));
}

TEST_F(WizSheetTest, TheLayoutPageShowsSixLayoutsAtATimeInTheColoursChosenForTheKinds)
{
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pColor = dynamic_cast<CColorDialog*>(pDialog);
        if (pColor == nullptr)
            return FALSE;
        pColor->m_cc.rgbResult = RGB(1, 2, 3);
        nResult = IDOK;
        return TRUE;
    };
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    struct Shown
    {
        int nFirst;
        bool bPrevious;
        bool bNext;
        int nCharted;
    };
    std::vector<Shown> shown;
    size_t nLayouts = 0;
    COLORREF cellDisplay = 0;
    Run(sheet, [&](QVGWizSheet& s) {
        CLayoutPage* pPage = s.GetLayoutPage();
        HWND hPage = pPage->m_hWnd;
        nLayouts = s.GetLayouts().size();
        auto look = [&] {
            int nCharts = 0;
            for (int n = 0; n < CLayoutPage::cellCount; ++n)
                nCharts += pPage->GetCell(n).GetChart() != nullptr ? 1 : 0;
            shown.push_back({pPage->GetFirstShown(), ::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_WIZ_PREVIOUS_LAYOUTS)) != 0,
                             ::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_WIZ_NEXT_LAYOUTS)) != 0, nCharts});
        };
        look();
        PressButton(hPage, IDC_QVG_WIZ_NEXT_LAYOUTS);
        look();
        PressButton(hPage, IDC_QVG_WIZ_NEXT_LAYOUTS);
        look();
        PressButton(hPage, IDC_QVG_WIZ_PREVIOUS_LAYOUTS);
        look();
        // The display's colour, then the first cell shown (the seventh layout) is chosen.
        PressButton(hPage, IDC_QVG_WIZ_DISPLAY_COLOR);
        cellDisplay = pPage->GetCell(5).GetKindColor(QVGStatic::kindDisplay);
        ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_CELL_FIRST, STN_CLICKED),
                       (LPARAM)::GetDlgItem(hPage, IDC_QVG_WIZ_CELL_FIRST));
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);   // Finish
        return 0;
    });
    // The layouts of the chart library: fourteen, so the third six hold two.
    ASSERT_EQ(nLayouts, 14u);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].nFirst, 0);
    EXPECT_FALSE(shown[0].bPrevious);
    EXPECT_TRUE(shown[0].bNext);
    EXPECT_EQ(shown[0].nCharted, 6);
    EXPECT_EQ(shown[1].nFirst, 6);
    EXPECT_TRUE(shown[1].bPrevious);
    EXPECT_TRUE(shown[1].bNext);   // seven follow the seventh
    EXPECT_EQ(shown[2].nFirst, 12);
    EXPECT_TRUE(shown[2].bPrevious);
    EXPECT_FALSE(shown[2].bNext);
    EXPECT_EQ(shown[2].nCharted, 2);
    EXPECT_EQ(shown[3].nFirst, 6);
    EXPECT_EQ(cellDisplay, RGB(1, 2, 3));
    sheet.CopyBack(FALSE);
    QVGraphComponent* pBuilt = chart.FindComponent(0, IDS_QVG_DISPLAY);
    ASSERT_NE(pBuilt, nullptr);
    EXPECT_EQ(pBuilt->GetStyle()->GetFillType(), 1);
    EXPECT_EQ(pBuilt->GetStyle()->m_crFill1, RGB(1, 2, 3));
    // The other kinds keep their first colours.
    EXPECT_EQ(chart.FindComponent(0, IDS_QVG_BACKGROUND)->GetStyle()->m_crFill1, RGB(125, 125, 0));
}

TEST_F(WizSheetTest, BackGoesOneStepAndOkBeforeTheLastStepCancels)
{
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> captions;
    std::string nextText;
    bool bBackHidden = false;
    const INT_PTR nResult = Run(sheet, [&](QVGWizSheet& s) {
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_BACK);
        captions.push_back(WindowText(s.m_hWnd));
        nextText = WindowText(s.GetNextButton().m_hWnd);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_BACK);
        captions.push_back(WindowText(s.m_hWnd));
        bBackHidden = !::IsWindowVisible(s.GetBackButton().m_hWnd);
        EXPECT_EQ(s.GetActivePage(), s.GetLayoutPage());
        return IDOK;
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(captions, (std::vector<std::string>{"Chart Wizard - Step 2 of 3: Chart type",
                                                  "Chart Wizard - Step 1 of 3: Layout"}));
    EXPECT_EQ(nextText, "Next >");
    EXPECT_TRUE(bBackHidden);
    EXPECT_TRUE(chart.GetComponentList()->IsEmpty());
}

TEST_F(WizSheetTest, TheFinishPagesOwnButtonGoesOnToTheEditingPages)
{
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> names;
    std::string caption;
    bool bTabShown = false, bNextHidden = false;
    Run(sheet, [&](QVGWizSheet& s) {
        CLayoutPage* pLayouts = s.GetLayoutPage();
        ::SendMessageA(pLayouts->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_CELL_FIRST, STN_CLICKED),
                       (LPARAM)::GetDlgItem(pLayouts->m_hWnd, IDC_QVG_WIZ_CELL_FIRST));
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.m_hWnd, IDC_QVG_WIZ_NEXT);
        PressButton(s.GetFinishPage()->m_hWnd, IDC_QVG_WIZ_EDIT);
        PumpPendingMessages();
        EXPECT_FALSE(s.IsInWizardSteps());
        EXPECT_EQ(s.GetPageCount(), 4);
        EXPECT_EQ(s.GetFinishPage(), nullptr);
        names = ComboEntries(s.m_mainPage.m_hWnd, IDC_QVG_WIZ_COMPONENT);
        caption = WindowText(s.m_hWnd);
        bTabShown = ::IsWindowVisible(s.GetTabControl()->m_hWnd) != FALSE;
        bNextHidden = !::IsWindowVisible(s.GetNextButton().m_hWnd);
        return IDCANCEL;
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Legend_D"}));
    EXPECT_EQ(caption, "Chart Wizard: editing the components");
    EXPECT_TRUE(bTabShown);
    EXPECT_TRUE(bNextHidden);
}

TEST_F(WizSheetTest, ChoosingHiLoOpenCloseAndAnsweringNoLeavesType36)
{
    const struct
    {
        int nAnswer;
        int nType;
        const char* shown;
    } cases[] = {{IDNO, 36, "Step-LineOnly"}, {IDYES, 29, "Hi-Lo-Open-Close"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        chart.DeleteAllComponents();
        BuildChart();
        messageBox.calls.clear();
        messageBox.answers = {c.nAnswer};
        QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
        int nType = -1;
        std::string shown, axis;
        Run(sheet, [&](QVGWizSheet& s) {
            HWND hMain = s.m_mainPage.m_hWnd;
            ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Display_C");
            ChooseEntry(hMain, IDC_QVG_WIZ_GRAPH_TYPE, "Hi-Lo-Open-Close");
            nType = static_cast<QVGDisplayBase*>(s.GetCurrentComponent())->GetGraphType();
            shown = ComboText(hMain, IDC_QVG_WIZ_GRAPH_TYPE);
            axis = ComboText(hMain, IDC_QVG_WIZ_AXIS_STYLE);
            return IDCANCEL;
        });
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].nType & MB_YESNO, (UINT)MB_YESNO);
        EXPECT_EQ(nType, c.nType);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(axis, "Automatic axis selection");
    }
}

TEST_F(WizSheetTest, AGraphTypeBringsItsAxisStylesAndVectorsGetLineEnds)
{
    BuildChart();
    for (int g = 2; g < 4; ++g)
        for (int i = 0; i < 3; ++i)
            chart.SetValue(i, g, 1.0);
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> axes;
    int nAxisStyle = -1;
    std::string lineEnds;
    Run(sheet, [&](QVGWizSheet& s) {
        HWND hMain = s.m_mainPage.m_hWnd;
        ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Display_C");
        ChooseEntry(hMain, IDC_QVG_WIZ_GRAPH_TYPE, "Pie chart");
        axes = ComboEntries(hMain, IDC_QVG_WIZ_AXIS_STYLE);
        ChooseEntry(hMain, IDC_QVG_WIZ_AXIS_STYLE, "Pie chart");
        nAxisStyle = static_cast<QVGDisplayBase*>(s.GetCurrentComponent())->GetAxisStyle();
        ChooseEntry(hMain, IDC_QVG_WIZ_GRAPH_TYPE, "Vector (end)");
        lineEnds = s.GetWorkingChart()->FindItem(1, 3)->GetStyle()->m_strText;
        return IDCANCEL;
    });
    EXPECT_EQ(axes, (std::vector<std::string>{"Automatic axis selection", "Pie chart", "None"}));
    EXPECT_EQ(nAxisStyle, 9);
    EXPECT_EQ(lineEnds, "TAILA|ARROWA");
}

TEST_F(WizSheetTest, TheMainPageAppliesItsSettingsToTheCurrentComponent)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::string firstGroup, textWidth;
    Run(sheet, [&](QVGWizSheet& s) {
        HWND hMain = s.m_mainPage.m_hWnd;
        ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Display_C");
        EXPECT_EQ(s.m_mainPage.GetShownGroup(), CMainPage::groupDisplay);
        ::SetDlgItemTextA(hMain, IDC_QVG_WIZ_FIRST_GROUP, "-5");
        firstGroup = ItemText(hMain, IDC_QVG_WIZ_FIRST_GROUP);
        ::SetDlgItemTextA(hMain, IDC_QVG_WIZ_LAST_INDEX, "7");
        Click(hMain, IDC_QVG_WIZ_SHOW_ZERO);   // checked while bit 13 was clear: now set
        ChooseEntry(hMain, IDC_QVG_WIZ_SHADOW, "Thick shadow");
        ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Legend_D");
        EXPECT_EQ(s.m_mainPage.GetShownGroup(), CMainPage::groupLegend);
        ::SetDlgItemTextA(hMain, IDC_QVG_WIZ_TEXT_WIDTH, "-2");
        textWidth = ItemText(hMain, IDC_QVG_WIZ_TEXT_WIDTH);
        ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Title_B");
        EXPECT_EQ(s.m_mainPage.GetShownGroup(), CMainPage::groupTitle);
        EXPECT_EQ(ItemText(hMain, IDC_QVG_WIZ_TITLE_TEXT), "Drainage");
        ::SetDlgItemTextA(hMain, IDC_QVG_WIZ_TITLE_TEXT, "Permeable base");
        return IDOK;
    });
    EXPECT_EQ(firstGroup, "-1");
    EXPECT_EQ(textWidth, "5");
    QVGraph* pWorking = sheet.GetWorkingChart();
    QVGraphComponent* pShown = pWorking->FindComponent(0, IDS_QVG_DISPLAY);
    int nMinIndex = 0, nMaxIndex = 0, nMinGroup = 0, nMaxGroup = 0;
    pShown->GetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
    EXPECT_EQ(nMinGroup, -1);
    EXPECT_EQ(nMaxIndex, 7);
    EXPECT_TRUE(pShown->GetStyle()->GetOption(13));
    EXPECT_EQ(pShown->GetStyle()->GetShadowStyle(), 3);
    EXPECT_EQ(static_cast<QVGraphLegend*>(pWorking->FindComponent(0, IDS_QVG_LEGEND))->GetTextWidth(), 5);
    EXPECT_EQ(std::string(pWorking->GetManagerText(1)), "Permeable base");
}

TEST_F(WizSheetTest, ComponentsAreNamedByTheirTagsMadeUnique)
{
    BuildChart();
    std::vector<QVGraphComponent*> listed;
    CObList* pList = chart.GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        listed.push_back(static_cast<QVGraphComponent*>(pList->GetNext(pos)));
    listed[0]->SetTag("Frame");
    listed[1]->SetTag("Frame");
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> names;
    std::vector<std::string> tags;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_fontPage);
        names = ComboEntries(s.m_fontPage.m_hWnd, IDC_QVG_WIZ_COMPONENT);
        // 25 more tags, from D: after Z comes AZ.
        for (int n = 0; n < 25; ++n)
            tags.emplace_back(s.NewTag());
        return IDCANCEL;
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Frame", "Frame_A", "Display_B", "Legend_C"}));
    EXPECT_EQ(tags[0], "D");
    EXPECT_EQ(tags[22], "Z");
    EXPECT_EQ(tags[23], "AZ");
    EXPECT_EQ(tags[24], "BZ");
}

TEST_F(WizSheetTest, TypingInTheComponentChoiceRenamesTheComponentInEveryList)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> fill, advanced;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_fillPage);
        s.SetActivePage(&s.m_advancedPage);
        s.SetActivePage(&s.m_mainPage);
        HWND hMain = s.m_mainPage.m_hWnd;
        ChooseEntry(hMain, IDC_QVG_WIZ_COMPONENT, "Title_B");
        ::SetDlgItemTextA(hMain, IDC_QVG_WIZ_COMPONENT, "Heading");
        ::SendMessageA(hMain, WM_COMMAND, MAKEWPARAM(IDC_QVG_WIZ_COMPONENT, CBN_EDITCHANGE),
                       (LPARAM)::GetDlgItem(hMain, IDC_QVG_WIZ_COMPONENT));
        fill = ComboEntries(s.m_fillPage.m_hWnd, IDC_QVG_WIZ_COMPONENT);
        advanced = ListEntries(s.m_advancedPage.m_hWnd, IDC_QVG_WIZ_COMPONENTS);
        return IDOK;
    });
    EXPECT_EQ(fill, (std::vector<std::string>{"Background_A", "Heading", "Display_C", "Legend_D"}));
    EXPECT_EQ(advanced, (std::vector<std::string>{"Background_A", "Heading", "Display_C", "Legend_D", " "}));
    EXPECT_EQ(std::string(sheet.GetWorkingChart()->FindComponent(0, IDS_QVG_TITLE)->GetTag()), "Heading");
}

TEST_F(WizSheetTest, MovingAComponentChangesTheDrawingOrderAndTheLists)
{
    const struct
    {
        const char* name;
        int nFrom;
        int nBefore;
        std::vector<std::string> order;
    } cases[] = {
        {"down one", 0, 2, {"Title_B", "Background_A", "Display_C", "Legend_D"}},
        {"up one", 2, 1, {"Background_A", "Display_C", "Title_B", "Legend_D"}},
        {"to the end", 1, 4, {"Background_A", "Display_C", "Legend_D", "Title_B"}},
        {"to the top", 3, 0, {"Legend_D", "Background_A", "Title_B", "Display_C"}},
        {"onto itself", 1, 1, {"Background_A", "Title_B", "Display_C", "Legend_D"}},
        {"just after itself", 1, 2, {"Background_A", "Title_B", "Display_C", "Legend_D"}},
        {"the blank at the end", 4, 0, {"Background_A", "Title_B", "Display_C", "Legend_D"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chart.DeleteAllComponents();
        BuildChart();
        QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
        std::vector<std::string> listed;
        Run(sheet, [&](QVGWizSheet& s) {
            s.SetActivePage(&s.m_advancedPage);
            s.SendMessage(WM_QVG_WIZ_MOVE, WPARAM(c.nFrom), LPARAM(c.nBefore));
            listed = ListEntries(s.m_advancedPage.m_hWnd, IDC_QVG_WIZ_COMPONENTS);
            return IDOK;
        });
        EXPECT_EQ(Tags(*sheet.GetWorkingChart()), c.order);
        std::vector<std::string> expected = c.order;
        expected.push_back(" ");
        EXPECT_EQ(listed, expected);
    }
}

TEST_F(WizSheetTest, TheMoveButtonsAndShiftWithAnArrowMoveTheSelectedEntry)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::vector<std::string>> orders;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_advancedPage);
        HWND hPage = s.m_advancedPage.m_hWnd;
        HWND hList = ::GetDlgItem(hPage, IDC_QVG_WIZ_COMPONENTS);
        ::SendMessageA(hList, LB_SETCURSEL, 1, 0);
        Click(hPage, IDC_QVG_WIZ_DOWN);
        orders.push_back(Tags(*s.GetWorkingChart()));
        Click(hPage, IDC_QVG_WIZ_TOP_OF_LIST);
        orders.push_back(Tags(*s.GetWorkingChart()));
        // The blank at the end does not move.
        ::SendMessageA(hList, LB_SETCURSEL, 4, 0);
        Click(hPage, IDC_QVG_WIZ_UP);
        orders.push_back(Tags(*s.GetWorkingChart()));
        // Shift and Down move the selected entry.
        ::SendMessageA(hList, LB_SETCURSEL, 0, 0);
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys);
        ::SendMessageA(hList, WM_KEYDOWN, VK_DOWN, 0);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        orders.push_back(Tags(*s.GetWorkingChart()));
        return IDCANCEL;
    });
    EXPECT_EQ(orders[0], (std::vector<std::string>{"Background_A", "Display_C", "Title_B", "Legend_D"}));
    EXPECT_EQ(orders[1], (std::vector<std::string>{"Title_B", "Background_A", "Display_C", "Legend_D"}));
    EXPECT_EQ(orders[2], orders[1]);
    EXPECT_EQ(orders[3], (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Legend_D"}));
}

TEST_F(WizSheetTest, AddingAComponentAsksFirstAndDeletingAsksWithItsName)
{
    BuildChart();
    const std::vector<std::string> callers = Tags(chart);
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    CRect added;
    std::vector<std::vector<std::string>> orders;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_advancedPage);
        HWND hPage = s.m_advancedPage.m_hWnd;
        ChooseEntry(hPage, IDC_QVG_WIZ_KINDS, "Title");
        messageBox.answers = {IDNO};
        Click(hPage, IDC_QVG_WIZ_ADD);
        orders.push_back(Tags(*s.GetWorkingChart()));
        messageBox.answers = {IDYES};
        Click(hPage, IDC_QVG_WIZ_ADD);
        orders.push_back(Tags(*s.GetWorkingChart()));
        QVGraphRect* pRect = s.GetWorkingChart()->FindComponent(1, IDS_QVG_TITLE)->GetRectObject();
        added.SetRect(int(pRect->m_dLeft), int(pRect->m_dTop), int(pRect->m_dRight), int(pRect->m_dBottom));
        // The current component goes after a Yes only.
        ChooseEntry(s.m_mainPage.m_hWnd, IDC_QVG_WIZ_COMPONENT, "Legend_D");
        messageBox.answers = {IDNO, IDYES};
        Click(hPage, IDC_QVG_WIZ_DELETE);
        orders.push_back(Tags(*s.GetWorkingChart()));
        Click(hPage, IDC_QVG_WIZ_DELETE);
        orders.push_back(Tags(*s.GetWorkingChart()));
        EXPECT_EQ(s.GetCurrentIndex(), 0);
        return IDCANCEL;
    });
    const std::vector<std::string> original = {"Background_A", "Title_B", "Display_C", "Legend_D"};
    EXPECT_EQ(orders[0], original);
    EXPECT_EQ(orders[1], (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Legend_D", "Title_E"}));
    EXPECT_EQ(added.left, 10);
    EXPECT_EQ(added.top, 10);
    EXPECT_GT(added.right, 100);
    EXPECT_EQ(orders[2], orders[1]);
    EXPECT_EQ(orders[3], (std::vector<std::string>{"Background_A", "Title_B", "Display_C", "Title_E"}));
    ASSERT_EQ(messageBox.calls.size(), 4u);
    EXPECT_EQ(messageBox.calls[0].text, "Add a component of this kind to the chart?\nTitle");
    EXPECT_EQ(messageBox.calls[2].text, "Remove this component from the chart?\nLegend_D");
    // The caller's chart is as it was: the wizard was cancelled.
    EXPECT_EQ(Tags(chart), callers);
    EXPECT_EQ(chart.GetComponentList()->GetCount(), 4);
}

TEST_F(WizSheetTest, TheFillPageMapsItsChoicesAndStretchSetsBit31)
{
    BuildChart();
    const std::string picture = [] {
        char folder[MAX_PATH] = "";
        ::GetCurrentDirectoryA(sizeof folder, folder);
        return std::string(folder) + "\\wizard_fill.bmp";
    }();
    {
        // A small bitmap file to fill with.
        HDC hScreen = ::GetDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        BYTE pixels[4 * 12] = {};
        BITMAPFILEHEADER header = {0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader + sizeof pixels), 0, 0,
                                   DWORD(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader)};
        FILE* file = std::fopen(picture.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(&header, sizeof header, 1, file);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file);
        std::fwrite(pixels, sizeof pixels, 1, file);
        std::fclose(file);
        ::ReleaseDC(nullptr, hScreen);
    }
    std::string filter;
    std::string answer = picture;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        if (auto* pFile = dynamic_cast<CFileDialog*>(pDialog)) {
            filter.clear();
            for (const char* p = pFile->m_ofn.lpstrFilter; *p != '\0'; p += strlen(p) + 1)
                filter += std::string(p) + "|";
            lstrcpynA(pFile->m_ofn.lpstrFile, answer.c_str(), (int)pFile->m_ofn.nMaxFile);
            nResult = IDOK;
            return TRUE;
        }
        if (auto* pColor = dynamic_cast<CColorDialog*>(pDialog)) {
            pColor->m_cc.rgbResult = RGB(10, 20, 30);
            nResult = IDOK;
            return TRUE;
        }
        return FALSE;
    };
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    struct Seen
    {
        int nFillType;
        COLORREF crFill1;
        BOOL bStretched;
        std::string image;
    };
    std::vector<Seen> seen;
    bool bBrowseEnabled = false;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_fillPage);
        HWND hFill = s.m_fillPage.m_hWnd;
        ChooseEntry(hFill, IDC_QVG_WIZ_COMPONENT, "Display_C");
        auto look = [&] {
            QVGraphStyle* pStyle = s.GetCurrentComponent()->GetStyle();
            seen.push_back({pStyle->GetFillType(), pStyle->m_crFill1, pStyle->IsImageStretched(),
                            std::string(pStyle->m_strFillImage)});
        };
        ChooseEntry(hFill, IDC_QVG_WIZ_FILL_CHOICE, "Solid color");
        Click(hFill, IDC_QVG_WIZ_FILL_COLOR1);
        look();
        ChooseEntry(hFill, IDC_QVG_WIZ_FILL_CHOICE, "Vertical shade");
        look();
        ChooseEntry(hFill, IDC_QVG_WIZ_FILL_CHOICE, "Image file");
        look();   // no name yet: nothing changes
        bBrowseEnabled = ::IsWindowEnabled(::GetDlgItem(hFill, IDC_QVG_WIZ_FILL_BROWSE)) != FALSE;
        Click(hFill, IDC_QVG_WIZ_FILL_STRETCH);
        Click(hFill, IDC_QVG_WIZ_FILL_BROWSE);
        look();
        // A file that is no picture is reported and not taken.
        answer = "C:\\no\\such\\picture.bmp";
        Click(hFill, IDC_QVG_WIZ_FILL_BROWSE);
        look();
        return IDCANCEL;
    });
    EXPECT_EQ(filter, "Bitmap files(*.bmp)|*.bmp|Dib files(*.dib)|*.dib|All files(*.*)|*.*|");
    EXPECT_TRUE(bBrowseEnabled);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].nFillType, 1);
    EXPECT_EQ(seen[0].crFill1, RGB(10, 20, 30));
    EXPECT_EQ(seen[1].nFillType, 2);
    EXPECT_EQ(seen[2].nFillType, 2);
    EXPECT_EQ(seen[3].nFillType, 6);
    EXPECT_TRUE(seen[3].bStretched);
    EXPECT_EQ(seen[3].image, picture);
    EXPECT_EQ(seen[4].image, picture);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.find("C:\\no\\such\\picture.bmp"), std::string::npos);
}

TEST_F(WizSheetTest, TheFontPageTakesTheFontDialogsChoice)
{
    BuildChart();
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pFont = dynamic_cast<CFontDialog*>(pDialog);
        if (pFont == nullptr)
            return FALSE;
        EXPECT_EQ(pFont->m_cf.Flags & (CF_SCREENFONTS | CF_EFFECTS), (DWORD)(CF_SCREENFONTS | CF_EFFECTS));
        lstrcpynA(pFont->m_lf.lfFaceName, "Courier New", LF_FACESIZE);
        pFont->m_lf.lfWeight = 700;
        pFont->m_lf.lfItalic = 1;
        pFont->m_cf.iPointSize = 140;
        pFont->m_cf.rgbColors = RGB(200, 0, 0);
        nResult = IDOK;
        return TRUE;
    };
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::string sample;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_fontPage);
        HWND hFont = s.m_fontPage.m_hWnd;
        ChooseEntry(hFont, IDC_QVG_WIZ_COMPONENT, "Title_B");
        EXPECT_EQ(ItemText(hFont, IDC_QVG_WIZ_FONT_SAMPLE), "Arial, 10 pt");
        Click(hFont, IDC_QVG_WIZ_FONT);
        sample = ItemText(hFont, IDC_QVG_WIZ_FONT_SAMPLE);
        return IDOK;
    });
    EXPECT_EQ(sample, "Courier New, 14 pt, bold, italic");
    auto* pTitle = static_cast<QVGraphTitle*>(sheet.GetWorkingChart()->FindComponent(0, IDS_QVG_TITLE));
    EXPECT_EQ(std::string(pTitle->GetFaceName()), "Courier New");
    EXPECT_EQ(pTitle->GetStoredFontSize(), 14);
    EXPECT_EQ(pTitle->GetFontStyle(), QVGraphTitle::fontBold | QVGraphTitle::fontItalic);
    EXPECT_EQ(pTitle->GetTextColor(), RGB(200, 0, 0));
}

TEST_F(WizSheetTest, ATextPanelsFontIsEditedForItsTitleOrItsBodyAsChosen)
{
    BuildChart();
    auto* pPanel = new QVGTextPanel;
    pPanel->SetMeasurement(QVGraphRect::percent);
    pPanel->SetRect(60, 20, 95, 60);
    chart.AddComponent(pPanel);
    const std::string titleFace(pPanel->GetTitleFace());
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pFont = dynamic_cast<CFontDialog*>(pDialog);
        if (pFont == nullptr)
            return FALSE;
        lstrcpynA(pFont->m_lf.lfFaceName, "Courier New", LF_FACESIZE);
        pFont->m_lf.lfWeight = 400;
        pFont->m_cf.iPointSize = 110;
        nResult = IDOK;
        return TRUE;
    };
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::string bodySample, titleSample;
    bool bChoiceForOthers = true;
    Run(sheet, [&](QVGWizSheet& s) {
        s.SetActivePage(&s.m_fontPage);
        HWND hFont = s.m_fontPage.m_hWnd;
        ChooseEntry(hFont, IDC_QVG_WIZ_COMPONENT, "Title_B");
        bChoiceForOthers = ::IsWindowEnabled(::GetDlgItem(hFont, IDC_QVG_WIZ_FONT_BODY)) != FALSE;
        ChooseEntry(hFont, IDC_QVG_WIZ_COMPONENT, "Text panel_E");
        Click(hFont, IDC_QVG_WIZ_FONT_BODY);
        Click(hFont, IDC_QVG_WIZ_FONT);
        bodySample = ItemText(hFont, IDC_QVG_WIZ_FONT_SAMPLE);
        Click(hFont, IDC_QVG_WIZ_FONT_TITLE);
        titleSample = ItemText(hFont, IDC_QVG_WIZ_FONT_SAMPLE);
        return IDOK;
    });
    EXPECT_FALSE(bChoiceForOthers);
    EXPECT_EQ(bodySample, "Courier New, 11 pt");
    EXPECT_EQ(titleSample.rfind(titleFace + ",", 0), 0u) << titleSample;
    auto* pEdited = static_cast<QVGTextPanel*>(sheet.GetWorkingChart()->FindComponent(0, IDS_QVG_TEXT_PANEL));
    EXPECT_EQ(std::string(pEdited->GetBodyFace()), "Courier New");
    EXPECT_EQ(pEdited->GetBodyFontSize(), 11);
    EXPECT_EQ(std::string(pEdited->GetTitleFace()), titleFace);
}

TEST_F(WizSheetTest, TheCaptionTurnsThroughItsFiveTextsAndTheToolTipsAreRegistered)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    std::vector<std::string> captions;
    std::string tip;
    std::vector<UINT_PTR> tools;
    Run(sheet, [&](QVGWizSheet& s) {
        for (int n = 0; n < 6; ++n) {
            s.SendMessage(WM_TIMER, QVGWizSheet::captionTimerId);
            captions.push_back(WindowText(s.m_hWnd));
        }
        tip = s.GetToolTip().GetWindowToolText(s.m_mainPage.GetDlgItem(IDC_QVG_WIZ_MEASUREMENT));
        // Every page made registers the tips again: each control still has one tool.
        for (CPropertyPage* pPage : std::vector<CPropertyPage*>{&s.m_fillPage, &s.m_fontPage, &s.m_advancedPage})
            s.SetActivePage(pPage);
        const HWND hTips = s.GetToolTip().m_hWnd;
        const int nTools = (int)::SendMessageA(hTips, TTM_GETTOOLCOUNT, 0, 0);
        for (int n = 0; n < nTools; ++n) {
            TTTOOLINFOA ti = {};
            ti.cbSize = sizeof ti;
            if (::SendMessageA(hTips, TTM_ENUMTOOLSA, n, (LPARAM)&ti))
                tools.push_back(ti.uId);
        }
        return IDCANCEL;
    });
    ASSERT_GT(tools.size(), 20u);
    std::sort(tools.begin(), tools.end());
    EXPECT_EQ(std::adjacent_find(tools.begin(), tools.end()), tools.end());
    EXPECT_EQ(captions[0], "Chart Wizard: shift-click a component to move it");
    EXPECT_EQ(captions[4], "Chart Wizard: OK keeps the changes");
    EXPECT_EQ(captions[5], captions[0]);
    EXPECT_EQ(tip, "How the component's rectangle is measured");
}

TEST_F(WizSheetTest, TheCloseBoxAsksAndYesKeepsTheSheetOpen)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    bool bOpenAfterYes = false;
    messageBox.answers = {IDYES, IDNO};
    const INT_PTR nResult = Run(sheet, [&](QVGWizSheet& s) {
        s.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        bOpenAfterYes = ::IsWindow(s.m_hWnd) && (s.GetStyle() & WS_VISIBLE);
        s.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return 0;
    });
    EXPECT_TRUE(bOpenAfterYes);
    EXPECT_EQ(nResult, IDCANCEL);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].nType & MB_YESNO, (UINT)MB_YESNO);
}

TEST_F(WizSheetTest, TheWidenedSheetShowsThePreviewOfTheWorkingChart)
{
    BuildChart();
    QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    CSize previewSize, total;
    CRect fixed;
    bool bPicked = false;
    Run(sheet, [&](QVGWizSheet& s) {
        QVGWizView* pPreview = s.GetPreview();
        previewSize = s.GetPreviewSize();
        total = pPreview->GetTotalSize();
        fixed = s.GetWorkingChart()->GetFixedRect();
        pPreview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        // A Shift-click on the display picks it and the pages show it.
        const CRect display = s.GetWorkingChart()->FindComponent(0, IDS_QVG_DISPLAY)->GetDeviceRect();
        const CPoint point = display.CenterPoint();
        pPreview->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        pPreview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
        bPicked = ComboText(s.m_mainPage.m_hWnd, IDC_QVG_WIZ_COMPONENT) == "Display_C" &&
                  s.m_mainPage.GetShownGroup() == CMainPage::groupDisplay;
        SaveWindowPicture(s.m_hWnd, "wizard_picked.bmp");
        return IDCANCEL;
    });
    EXPECT_GT(previewSize.cx, 300);
    EXPECT_GT(previewSize.cy, 200);
    EXPECT_EQ(total, previewSize);
    EXPECT_EQ(fixed, CRect(CPoint(0, 0), previewSize));
    EXPECT_TRUE(bPicked);
}

} // namespace
