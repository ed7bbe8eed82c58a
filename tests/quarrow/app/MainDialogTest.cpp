// Quarrow's start-up and main dialog on the virtual display, driven through the modal hook.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "framework/ole/OleInit.h"
#include "framework/win/SeamRecorders.h"
#include "tests/quarrow/app/MainDialogHarness.h"
#include "grid/core/AppData.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/app/QuarrowDlg.h"
#include "quarrow/pages/Inflow.h"
#include "quarrow/pages/Roadway.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"

namespace {

void ClickSummary(CQuarrowDlg& dlg, int nID)
{
    HWND hCtrl = ::GetDlgItem(dlg.GetSafeHwnd(), nID);
    ASSERT_NE(hCtrl, nullptr);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, STN_CLICKED), reinterpret_cast<LPARAM>(hCtrl));
}

// Runs the main dialog modally and calls the test's body once it shows; then closes it.
void RunMainDialog(const std::function<void(CQuarrowDlg&)>& body)
{
    // As the program's start-up does: the pages' tables need the grid library's window classes.
    GXStartLibrary();
    CQuarrowDlg dlg(nullptr);
    CFunctionModalHook hook([&](CWnd*) {
        PumpMessages();
        body(dlg);
        dlg.EndDialog(IDCANCEL);
    });
    CScopedModalHook scopedHook(&hook);
    dlg.DoModal();
}

class MainDialogTest : public ::testing::Test
{
protected:
    CQuarrowApp m_app;
    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
};

TEST_F(MainDialogTest, StartsTheGridLibraryBeforeTheSplash)
{
    TestInstallation install("C:\\Quarrow");
    CManualTickClock clock;
    clock.step = 1000;
    CScopedTickClock scopedClock(&clock);
    CFunctionModalHook hook([](CWnd* pWnd) {
        if (auto* pDlg = dynamic_cast<CQuarrowDlg*>(pWnd))
            pDlg->EndDialog(IDOK);
    });
    CScopedModalHook scopedHook(&hook);

    // Whether the library had started when the splash first showed.
    struct SplashWatch : CTickClock
    {
        CManualTickClock& clock;
        CQuarrowApp& app;
        int nStartedAtSplash = -1;
        SplashWatch(CManualTickClock& c, CQuarrowApp& a) : clock(c), app(a) {}
        DWORD GetTickCount() override
        {
            HWND hSplash = app.m_dlgSplash.GetSafeHwnd();
            if (nStartedAtSplash < 0 && hSplash != nullptr && ::IsWindowVisible(hSplash))
                nStartedAtSplash = GXGetAppData()->m_bInitDone ? 1 : 0;
            return clock.GetTickCount();
        }
    } watch(clock, m_app);
    CScopedTickClock scopedWatch(&watch);

    GXGetAppData()->m_bInitDone = FALSE;
    EXPECT_FALSE(m_app.InitInstance());

    EXPECT_EQ(watch.nStartedAtSplash, 1);
    WNDCLASSA wndcls;
    EXPECT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "GXWND", &wndcls));
    EXPECT_NE(GXGetAppData()->m_uiStylesClipboardFormat, 0u);
    EXPECT_EQ(GXGetAppData()->GetOperationText(GX_IDS_INSERTROWS), "Insert Rows");
}

TEST_F(MainDialogTest, InitialisesOleForTheReloadOfFennick)
{
    TestInstallation install("C:\\Quarrow");
    CManualTickClock clock;
    clock.step = 1000;
    CScopedTickClock scopedClock(&clock);
    HRESULT hrWhileRunning = E_FAIL;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        if (auto* pDlg = dynamic_cast<CQuarrowDlg*>(pWnd))
        {
            // S_FALSE: the thread was initialised before; the call still needs its balance.
            hrWhileRunning = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(hrWhileRunning))
                ::CoUninitialize();
            pDlg->EndDialog(IDOK);
        }
    });
    CScopedModalHook scopedHook(&hook);
    AfxOleTerm();   // as a fresh program's thread

    EXPECT_FALSE(m_app.InitInstance());

    EXPECT_EQ(hrWhileRunning, S_FALSE);
}

TEST_F(MainDialogTest, StartsWithSplashThenMainDialogAfterTheWait)
{
    TestInstallation install("C:\\Quarrow");
    CManualTickClock clock;
    clock.now = 0xFFFFF000;   // the wait spans the tick count's wrap
    clock.step = 100;
    CScopedTickClock scopedClock(&clock);

    bool bSplashSeen = false;
    DWORD dwShownAt = 0;
    std::string strTitle;
    int nTabs = 0, nActive = -1;
    bool bSievePageMade = false, bInflowPageMade = true;
    CFunctionModalHook hook([&](CWnd* pWnd) {
        auto* pDlg = dynamic_cast<CQuarrowDlg*>(pWnd);
        ASSERT_NE(pDlg, nullptr);
        dwShownAt = clock.now;
        strTitle = WindowText(pDlg->GetSafeHwnd());
        nTabs = pDlg->m_pSheet->GetPageCount();
        nActive = pDlg->m_pSheet->GetActiveIndex();
        bSievePageMade = pDlg->m_pSievePage->GetSafeHwnd() != nullptr;
        bInflowPageMade = pDlg->m_pInflowPage->GetSafeHwnd() != nullptr;
        pDlg->EndDialog(IDOK);
    });
    CScopedModalHook scopedHook(&hook);

    // The splash must be up while the clock is read.
    struct SplashWatch : CTickClock
    {
        CManualTickClock& clock;
        CQuarrowApp& app;
        bool& bSeen;
        SplashWatch(CManualTickClock& c, CQuarrowApp& a, bool& s) : clock(c), app(a), bSeen(s) {}
        DWORD GetTickCount() override
        {
            HWND hSplash = app.m_dlgSplash.GetSafeHwnd();
            if (hSplash != nullptr && ::IsWindowVisible(hSplash))
                bSeen = true;
            return clock.GetTickCount();
        }
    } watch(clock, m_app, bSplashSeen);
    CScopedTickClock scopedWatch(&watch);

    EXPECT_FALSE(m_app.InitInstance());

    EXPECT_TRUE(bSplashSeen);
    EXPECT_GE(dwShownAt - 0xFFFFF000u, CQuarrowApp::SplashMilliseconds);
    EXPECT_EQ(m_app.m_dlgSplash.GetSafeHwnd(), nullptr);
    EXPECT_EQ(strTitle, "Quarrow - Unsaved File");
    EXPECT_EQ(nTabs, 6);
    EXPECT_EQ(nActive, CQuarrowDlg::PageRoadway);
    EXPECT_TRUE(bSievePageMade);
    EXPECT_FALSE(bInflowPageMade);
    EXPECT_EQ(m_app.m_strInstallDir, "C:\\Quarrow");
    EXPECT_EQ(m_app.m_piFennick.hProcess, nullptr);
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(MainDialogTest, TabsShowThePagesInPageOrder)
{
    TestInstallation install("C:\\Quarrow");
    std::string captions;
    RunMainDialog([&](CQuarrowDlg& dlg) {
        HWND hTab = dlg.m_pSheet->GetTabControl()->GetSafeHwnd();
        for (int i = 0; i < TabCtrl_GetItemCount(hTab); ++i) {
            char sz[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = sz;
            item.cchTextMax = sizeof sz;
            TabCtrl_GetItem(hTab, i, &item);
            captions += std::string(sz) + "|";
        }
    });
    EXPECT_EQ(captions, "Roadway Geometry|Sieve Analysis|Inflow|Permeable Base|Separator|Edge Drain|");
}

TEST_F(MainDialogTest, MaterialStatusTexts)
{
    TestInstallation install("C:\\Quarrow");
    struct Case
    {
        const char* pszSeparatorType;
        const char* pszSeparatorCc;
        const char* pszBaseCc;
        const char* pszExpectedBase;
        const char* pszExpectedSeparator;
    } cases[] = {
        {"none", "", "", "Base - Undefined", "Separator - None"},
        {"aggregate", "", "", "Base - Undefined", "Separator - Undefined"},
        {"aggregate", "1.2", "0.9", "Base - Defined", "Separator - Aggregate"},
        {"geotextile", "", "", "Base - Undefined", "Separator - Geotextile"},
        {"unknown", "1.2", "", "Base - Undefined", "Separator - None"},
    };
    RunMainDialog([&](CQuarrowDlg& dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_BASE_STATUS), "Base - Undefined");
        EXPECT_EQ(ItemText(dlg, IDC_SUBGRADE_STATUS), "Subgrade - Undefined");
        EXPECT_EQ(ItemText(dlg, IDC_SEPARATOR_STATUS), "Separator - None");
        for (const Case& c : cases) {
            dlg.m_pProjectData->m_strSeparatorType = c.pszSeparatorType;
            dlg.m_pProjectData->m_strSeparatorCc = c.pszSeparatorCc;
            dlg.m_pProjectData->m_strBaseCc = c.pszBaseCc;
            dlg.UpdateMaterialStatus();
            EXPECT_EQ(ItemText(dlg, IDC_BASE_STATUS), c.pszExpectedBase) << c.pszSeparatorType;
            EXPECT_EQ(ItemText(dlg, IDC_SEPARATOR_STATUS), c.pszExpectedSeparator) << c.pszSeparatorType;
        }
    });
}

TEST_F(MainDialogTest, SummaryShowsRecordTextsAsStoredAndUnitsOfThePanel)
{
    TestInstallation install("C:\\Quarrow");
    RunMainDialog([&](CQuarrowDlg& dlg) {
        dlg.m_pProjectData->m_strBaseWidth = "12.";
        dlg.m_pProjectData->m_strPipeFlow = "";
        dlg.UpdateMaterialStatus();
        EXPECT_EQ(ItemText(dlg, IDC_BASE_WIDTH), "12.");
        EXPECT_EQ(ItemText(dlg, IDC_PIPE_FLOW), "");
        EXPECT_EQ(ItemText(dlg, IDC_UNIT_PIPE_DIAMETER), "in");

        dlg.m_bMetricPanel = 1;
        dlg.RefreshSummary();
        EXPECT_EQ(ItemText(dlg, IDC_UNIT_RESULTANT_SLOPE), "m/m");
        // Metric designs keep the pipe diameter in millimetres.
        EXPECT_EQ(ItemText(dlg, IDC_UNIT_PIPE_DIAMETER), "mm");
        HBITMAP hShown = (HBITMAP)dlg.SendDlgItemMessage(IDC_UNIT_PIPE_FLOW, STM_GETIMAGE, IMAGE_BITMAP, 0);
        EXPECT_EQ(hShown, dlg.m_bmpPipeFlowMetric.GetSafeHandle());
    });
}

// Metric flows are small numbers, written in exponent form; the panel shows them whole, each value
// between its picture and its unit, and every unit clear of the property sheet.
TEST_F(MainDialogTest, SummaryValuesShowAnExponentFormWholeBesideTheirUnits)
{
    TestInstallation install("C:\\Quarrow");
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        const struct
        {
            int nPictureID;
            CString* pField;
            int nValueID;
            int nUnitID;
        } rows[] = {
            {IDC_PIC_BASE_WIDTH, &data.m_strBaseWidth, IDC_BASE_WIDTH, IDC_UNIT_BASE_WIDTH},
            {IDC_PIC_RESULTANT_SLOPE, &data.m_strResultantSlope, IDC_RESULTANT_SLOPE, IDC_UNIT_RESULTANT_SLOPE},
            {IDC_PIC_RESULTANT_LENGTH, &data.m_strResultantLength, IDC_RESULTANT_LENGTH, IDC_UNIT_RESULTANT_LENGTH},
            {IDC_PIC_INFILTRATION, &data.m_strInfiltrationRate, IDC_INFILTRATION_RATE, IDC_UNIT_INFILTRATION},
            {IDC_PIC_MELTWATER, &data.m_strMeltwaterFlow, IDC_MELTWATER_FLOW, IDC_UNIT_MELTWATER},
            {IDC_PIC_BASE_THICKNESS, &data.m_strBaseThickness, IDC_BASE_THICKNESS, IDC_UNIT_BASE_THICKNESS},
            {IDC_PIC_PERCENT_DRAINED, &data.m_strPercentDrained, IDC_PERCENT_DRAINED, IDC_UNIT_PERCENT_DRAINED},
            {IDC_PIC_TIME_TO_DRAIN, &data.m_strTimeToDrain, IDC_TIME_TO_DRAIN, IDC_UNIT_TIME_TO_DRAIN},
            {IDC_PIC_BASE_DISCHARGE, &data.m_strBaseDischargeRate, IDC_BASE_DISCHARGE, IDC_UNIT_BASE_DISCHARGE},
            {IDC_PIC_PIPE_DIAMETER, &data.m_strPipeDiameter, IDC_PIPE_DIAMETER, IDC_UNIT_PIPE_DIAMETER},
            {IDC_PIC_OUTLET_SPACING, &data.m_strOutletSpacing, IDC_OUTLET_SPACING, IDC_UNIT_OUTLET_SPACING},
            {IDC_PIC_PIPE_FLOW, &data.m_strPipeFlow, IDC_PIPE_FLOW, IDC_UNIT_PIPE_FLOW},
        };
        for (const auto& row : rows)
            *row.pField = "8.8888e-008";
        dlg.m_bMetricPanel = 1;
        dlg.RefreshSummary();
        RECT sheet{};
        ::GetWindowRect(dlg.m_pSheet->GetSafeHwnd(), &sheet);
        for (const auto& row : rows) {
            HWND hValue = ::GetDlgItem(dlg.GetSafeHwnd(), row.nValueID);
            HWND hUnit = ::GetDlgItem(dlg.GetSafeHwnd(), row.nUnitID);
            ASSERT_EQ(WindowText(hValue), "8.8888e-008");
            HDC hDC = ::GetDC(hValue);
            const HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(::SendMessageA(hValue, WM_GETFONT, 0, 0)));
            SIZE text{};
            ::GetTextExtentPoint32A(hDC, "8.8888e-008", 11, &text);
            ::SelectObject(hDC, hOld);
            ::ReleaseDC(hValue, hDC);
            RECT picture{}, value{}, unit{};
            ::GetClientRect(hValue, &value);
            EXPECT_LE(text.cx, value.right) << "value " << row.nValueID;
            ::GetWindowRect(::GetDlgItem(dlg.GetSafeHwnd(), row.nPictureID), &picture);
            ::GetWindowRect(hValue, &value);
            ::GetWindowRect(hUnit, &unit);
            EXPECT_LE(picture.right, value.left) << "value " << row.nValueID;
            EXPECT_LE(value.right, unit.left) << "value " << row.nValueID;
            EXPECT_LE(unit.right, sheet.left) << "unit " << row.nUnitID;
        }
    });
}

TEST_F(MainDialogTest, SummaryClicksChooseMethodPageAndFocus)
{
    TestInstallation install("C:\\Quarrow");
    struct Case
    {
        int nID;
        int nPage;
        int nFocus;
        const char* pszBaseMethod;
    } cases[] = {
        {IDC_PIC_BASE_DISCHARGE, CQuarrowDlg::PagePermeableBase, 0, "DOF"},
        {IDC_PIC_PERCENT_DRAINED, CQuarrowDlg::PagePermeableBase, 1184, "TTD"},
        {IDC_PIC_BASE_WIDTH, CQuarrowDlg::PageRoadway, 1025, "TTD"},
        {IDC_PIC_MELTWATER, CQuarrowDlg::PageInflow, 0, "TTD"},
        {IDC_SEPARATOR_STATUS, CQuarrowDlg::PageSeparator, 0, "TTD"},
    };
    RunMainDialog([&](CQuarrowDlg& dlg) {
        for (const Case& c : cases) {
            dlg.m_pProjectData->m_nFocusControl = -1;
            ClickSummary(dlg, c.nID);
            EXPECT_EQ(dlg.m_pSheet->GetActiveIndex(), c.nPage) << c.nID;
            EXPECT_EQ(dlg.m_pProjectData->m_nFocusControl, c.nFocus) << c.nID;
            EXPECT_EQ(dlg.m_pProjectData->m_strBaseMethod, c.pszBaseMethod) << c.nID;
        }
        ClickSummary(dlg, IDC_SUBGRADE_STATUS);
        EXPECT_EQ(dlg.m_pProjectData->m_strSieveLayer, "subgrade");
        EXPECT_EQ(dlg.m_pSheet->GetActiveIndex(), CQuarrowDlg::PageSieveAnalysis);
        ClickSummary(dlg, IDC_PIC_PIPE_DIAMETER);
        EXPECT_EQ(dlg.m_pProjectData->m_strEdgeDrainType, "pipe");
        EXPECT_EQ(dlg.m_pProjectData->m_nFocusControl, 1173);
    });
}

// A click that changes a choice word of the project file changes the design: Exit asks about it. A
// click that only shows a page does not.
TEST_F(MainDialogTest, SummaryClicksThatChangeAChoiceMarkTheDesignModified)
{
    TestInstallation install("C:\\Quarrow");
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CProjectData& data = *dlg.m_pProjectData;
        const struct
        {
            int nID;
            bool bModified;
        } clicks[] = {
            // Layer words of the sieve page: showing the permeable base page marks the design
            // modified on its own, whatever the click did.
            {IDC_SUBGRADE_STATUS, true},       // base becomes subgrade
            {IDC_SUBGRADE_STATUS, false},      // subgrade already
            {IDC_PIC_BASE_WIDTH, false},       // no choice word
            {IDC_BASE_STATUS, true},           // back to base
        };
        for (const auto& click : clicks) {
            data.m_bModified = 0;
            ClickSummary(dlg, click.nID);
            EXPECT_EQ(data.m_bModified, click.bModified ? 1 : 0) << click.nID;
        }
    });
}

TEST_F(MainDialogTest, SheetFillsTheFramesPlaceWhereverTheWindowIs)
{
    TestInstallation install("C:\\Quarrow");
    RunMainDialog([&](CQuarrowDlg& dlg) {
        CRect rcFrame, rcSheet;
        dlg.GetDlgItem(IDC_SHEET_FRAME)->GetWindowRect(&rcFrame);
        dlg.ScreenToClient(&rcFrame);
        dlg.m_pSheet->GetWindowRect(&rcSheet);
        dlg.ScreenToClient(&rcSheet);
        EXPECT_EQ(rcSheet.left, 140);
        EXPECT_EQ(rcSheet.top, 0);
        EXPECT_EQ(rcSheet.right, rcFrame.right);
        EXPECT_EQ(rcSheet.bottom, rcFrame.bottom);
    });
}

TEST_F(MainDialogTest, WithoutRegistryKeyReportsAndStaysHarmless)
{
    TestInstallation install(nullptr);
    RunMainDialog([&](CQuarrowDlg& dlg) {
        EXPECT_EQ(dlg.m_pProjectData, nullptr);
        EXPECT_EQ(dlg.m_pSheet, nullptr);
        ClickSummary(dlg, IDC_PIC_BASE_DISCHARGE);
        dlg.UpdateMaterialStatus();
        dlg.RefreshSummary();
        dlg.SendMessage(WM_CLOSE);
        PumpMessages();
    });
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "Registry Error. Reinstall the QUARROW application.");
    EXPECT_EQ(m_messages.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
}

} // namespace
