// The roadway geometry page inside the real main dialog on the virtual display: typing, leaving
// edits, compute and geometry buttons, warnings, summary panel, focus request and help.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/Roadway.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

// The roadway page of a running main dialog, driven as the engineer would.
class Page : public PageDriver<CRoadway>
{
public:
    explicit Page(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pRoadwayPage) {}

    // The next message for the page goes through its pre-translation.
    void NextMessage()
    {
        ::PostMessageA(Item(IDC_RW_B), WM_NULL, 0, 0);
        PumpMessages();
    }
    // The sheet shows the page again.
    void Activate()
    {
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
    }
};

class RoadwayPageTest : public MainDialogPageTest
{
protected:
    void Run(const std::function<void(Page&)>& body)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            ASSERT_NE(dlg.m_pRoadwayPage->GetSafeHwnd(), nullptr);
            Page page(dlg);
            body(page);
        });
    }
};

TEST_F(RoadwayPageTest, GeometryWidthSlopeAndLengthThroughThePage)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        page.Click(IDC_RW_GEOMETRY_A);
        page.Type(IDC_RW_B, "10");
        page.Type(IDC_RW_C, "2");
        EXPECT_EQ(page.Text(IDC_RW_B), "10.");
        EXPECT_EQ(data.m_strTransverseCrackLength, "5.");
        ASSERT_TRUE(page.Enabled(IDC_RW_CALC_W));

        page.Click(IDC_RW_CALC_W);
        EXPECT_EQ(page.Text(IDC_RW_W), "7.");
        EXPECT_EQ(page.Summary(IDC_BASE_WIDTH), "7.");

        page.Type(IDC_RW_S, "0.02");
        page.Type(IDC_RW_SX, "0.03");
        EXPECT_EQ(page.Text(IDC_RW_SX), "0.0300");
        page.Click(IDC_RW_CALC_SR);
        EXPECT_EQ(page.Text(IDC_RW_SR), "0.0361");
        EXPECT_EQ(page.Summary(IDC_RESULTANT_SLOPE), "0.0361");
        ASSERT_TRUE(page.Enabled(IDC_RW_CALC_LR));
        page.Click(IDC_RW_CALC_LR);
        EXPECT_EQ(data.m_strResultantLength, "8.41");

        page.Click(IDC_RW_GEOMETRY_B);
        EXPECT_EQ(data.m_strGeometryChoice, "B");
        EXPECT_EQ(page.Text(IDC_RW_W), "");
        EXPECT_EQ(page.Text(IDC_RW_LR), "");
        EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
        EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
        EXPECT_EQ(page.Summary(IDC_BASE_WIDTH), "");
        EXPECT_EQ(page.Summary(IDC_RESULTANT_LENGTH), "");
        EXPECT_EQ(data.m_strTransverseCrackLength, "10.");
        EXPECT_FALSE(page.Visible(IDC_RW_CUTAWAY_A));
        EXPECT_TRUE(page.Visible(IDC_RW_CUTAWAY_B));
        EXPECT_EQ(page.m_page.m_picFormula.GetBitmap(), (HBITMAP)page.m_page.m_bmpFormulaB);

        page.Click(IDC_RW_CALC_W);
        EXPECT_EQ(page.Text(IDC_RW_W), "14.");
        page.Click(IDC_RW_CALC_LR);
        EXPECT_EQ(page.Text(IDC_RW_LR), "16.83");
        EXPECT_EQ(page.Summary(IDC_RESULTANT_LENGTH), "16.83");
        EXPECT_TRUE(m_messages.calls.empty());
        SaveScreenPicture(page.m_dlg.GetSafeHwnd(), "roadway-page.bmp");
    });
}

TEST_F(RoadwayPageTest, TypedWidthWarnsOnceInNormalModeOnly)
{
    for (const char* pszMode : {"normal", "expert"}) {
        m_messages.calls.clear();
        Run([&](Page& page) {
            CProjectData& data = page.m_data;
            data.m_strMode = pszMode;
            page.Type(IDC_RW_B, "10");
            page.Type(IDC_RW_C, "2");
            page.Click(IDC_RW_CALC_W);
            ASSERT_EQ(page.Text(IDC_RW_W), "7.");

            page.Type(IDC_RW_W, "0.5");
            EXPECT_EQ(data.m_strBaseWidth, "0.5");
            EXPECT_TRUE(data.m_strGeometryCoefficientC.IsEmpty());
            EXPECT_EQ(page.Text(IDC_RW_C), "");
            EXPECT_FALSE(page.Enabled(IDC_RW_CALC_W));
            EXPECT_TRUE(m_messages.calls.empty()) << "shown before the next message";

            page.NextMessage();
            page.NextMessage();
        });
        if (std::string(pszMode) == "expert") {
            EXPECT_TRUE(m_messages.calls.empty());
            continue;
        }
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text, CRoadway::WidthWarning);
        EXPECT_EQ(m_messages.calls[0].text,
                  "Width of drainage layer should be calculated from parameter b and c\nManually edit at your own risk.");
        EXPECT_EQ(m_messages.calls[0].caption, "Warning");
        EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(RoadwayPageTest, TypedResultsWarnAndClearAnInput)
{
    struct Case
    {
        int nID;
        const char* pszTyped;
        const char* pszStored;
        CString CProjectData::*pField;
        const char* pszWarning;
    } cases[] = {
        {IDC_RW_SR, "0.05", "0.0500", &CProjectData::m_strResultantSlope,
         "Resultant slope should be calculated from parameter Sx and S.\nManually edit at your own risk."},
        {IDC_RW_LR, "20", "20.", &CProjectData::m_strResultantLength,
         "Resultant drainage length should be calculated from parameter Sx and S and W.\nManually edit at your own risk."},
    };
    for (const Case& c : cases) {
        m_messages.calls.clear();
        Run([&](Page& page) {
            CProjectData& data = page.m_data;
            data.m_strBaseWidth = "14.";
            data.m_strLongitudinalSlope = "0.0200";
            data.m_strCrossSlope = "0.0300";
            data.m_strResultantSlope = "0.0361";
            data.m_strResultantLength = "16.83";
            data.m_strTimeToDrain = "1.23";
            data.m_strBaseMinThickness = "0.55279";
            page.Activate();

            page.Type(c.nID, c.pszTyped);
            EXPECT_EQ(data.*c.pField, c.pszStored);
            EXPECT_TRUE(data.m_strTimeToDrain.IsEmpty());
            EXPECT_TRUE(data.m_strBaseMinThickness.IsEmpty());
            if (c.nID == IDC_RW_SR) {
                EXPECT_TRUE(data.m_strCrossSlope.IsEmpty());
                EXPECT_EQ(data.m_strBaseWidth, "14.");
                EXPECT_FALSE(page.Enabled(IDC_RW_CALC_SR));
            } else {
                EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
                EXPECT_TRUE(data.m_strLongitudinalSlope.IsEmpty());
                EXPECT_EQ(data.m_strCrossSlope, "0.0300");
            }
            EXPECT_FALSE(page.Enabled(IDC_RW_CALC_LR));
            page.NextMessage();
        });
        ASSERT_EQ(m_messages.calls.size(), 1u) << c.nID;
        EXPECT_EQ(m_messages.calls[0].text, c.pszWarning);
    }
}

TEST_F(RoadwayPageTest, ActivatingThePageDropsAQueuedWarning)
{
    Run([&](Page& page) {
        page.Type(IDC_RW_W, "3");
        page.Activate();
        page.NextMessage();
    });
    EXPECT_TRUE(m_messages.calls.empty());
}

// What leaving an edit stores and clears, starting from a complete design.
TEST_F(RoadwayPageTest, LeavingAnEditClearsWhatDependsOnIt)
{
    struct Case
    {
        const char* pszName;
        int nID;
        const char* pszTyped;
        // Fields expected empty afterwards, by letter: b c W S x(Sx) r(Sr) L(Lr) i(infiltration)
        // p(pipe flow) o(outlet spacing) d(discharge) t(time to drain) m(minimum thickness).
        const char* pszCleared;
    } cases[] = {
        // Every result computed from a changed value goes too, on whatever page: the length with the
        // width or a slope, the base's results with the length, the outlet spacing of the
        // infiltration approach with the width, the pipe's flow with the longitudinal slope.
        {"b unchanged", IDC_RW_B, "10.", ""},
        {"b erased", IDC_RW_B, "", "bWLipodtm"},
        {"b changed", IDC_RW_B, "12", "WLiodtm"},
        {"c erased", IDC_RW_C, "", "cWLipodtm"},
        {"c changed", IDC_RW_C, "3", "WLiodtm"},
        {"Sx erased", IDC_RW_SX, "", "xrLdtm"},
        {"Sx changed", IDC_RW_SX, "0.04", "rLmdtpo"},
        {"S erased", IDC_RW_S, "", "SrLmdtpo"},
        {"S changed", IDC_RW_S, "0.01", "rLpodtm"},
        {"W changed", IDC_RW_W, "9", "icLpodtm"},
        // A typed Sr or Lr empties the inputs it would be computed from so that the two cannot
        // disagree; those are forgotten, not changed: Sr keeps b, c, W and S, Lr keeps Sr and q_i.
        // So does an erased Sr or Lr, which takes the same path.
        {"Sr changed", IDC_RW_SR, "0.05", "xLpodtm"},
        {"Sr erased", IDC_RW_SR, "", "rxLpodtm"},
        {"Lr changed", IDC_RW_LR, "9", "WSmdtpo"},
        {"Lr erased", IDC_RW_LR, "", "LWSmdtpo"},
    };
    Run([&](Page& page) {
        for (const Case& c : cases) {
            CProjectData& data = page.m_data;
            data.m_strGeometryCoefficientB = "10.";
            data.m_strGeometryCoefficientC = "2.";
            data.m_strBaseWidth = "7.";
            data.m_strLongitudinalSlope = "0.0200";
            data.m_strCrossSlope = "0.0300";
            data.m_strResultantSlope = "0.0361";
            data.m_strResultantLength = "8.41";
            data.m_strInfiltrationRate = "0.5";
            data.m_strPipeFlow = "3";
            data.m_strOutletSpacing = "250";
            data.m_strBaseDischargeRate = "1.5";
            data.m_strTimeToDrain = "1.23";
            data.m_strBaseMinThickness = "0.55279";
            page.Activate();
            data.m_bModified = 0;

            page.Type(c.nID, c.pszTyped);

            ExpectClearedFields(c.pszName, c.pszCleared, {
                {'b', data.m_strGeometryCoefficientB}, {'c', data.m_strGeometryCoefficientC},
                {'W', data.m_strBaseWidth}, {'S', data.m_strLongitudinalSlope}, {'x', data.m_strCrossSlope},
                {'r', data.m_strResultantSlope}, {'L', data.m_strResultantLength},
                {'i', data.m_strInfiltrationRate}, {'p', data.m_strPipeFlow}, {'o', data.m_strOutletSpacing},
                {'d', data.m_strBaseDischargeRate}, {'t', data.m_strTimeToDrain},
                {'m', data.m_strBaseMinThickness},
            });
            EXPECT_EQ(data.m_bModified, 1) << c.pszName;
            EXPECT_EQ(page.Summary(IDC_INFILTRATION_RATE), std::string(data.m_strInfiltrationRate)) << c.pszName;
            EXPECT_EQ(page.Summary(IDC_BASE_WIDTH), std::string(data.m_strBaseWidth)) << c.pszName;
        }
    });
}

TEST_F(RoadwayPageTest, TypedNumbersAreStoredInTheirFormats)
{
    struct Case
    {
        int nID;
        const char* pszTyped;
        CString CProjectData::*pField;
        const char* pszStored;
    } cases[] = {
        {IDC_RW_B, "abc", &CProjectData::m_strGeometryCoefficientB, "0."},
        {IDC_RW_B, "1e999", &CProjectData::m_strGeometryCoefficientB, "0."},
        {IDC_RW_C, "1.234567", &CProjectData::m_strGeometryCoefficientC, "1.2346"},
        {IDC_RW_S, "0.00005", &CProjectData::m_strLongitudinalSlope, "5.0e-005"},
        {IDC_RW_SX, "0.025", &CProjectData::m_strCrossSlope, "0.0250"},
        {IDC_RW_LR, "123456", &CProjectData::m_strResultantLength, "1.2346e+005"},
        // An emptied width stays empty; it is not a width of 0.
        {IDC_RW_W, "", &CProjectData::m_strBaseWidth, ""},
    };
    Run([&](Page& page) {
        for (const Case& c : cases) {
            page.m_data.m_strBaseWidth = "7.";
            page.Activate();
            page.Type(c.nID, c.pszTyped);
            EXPECT_EQ(page.m_data.*c.pField, c.pszStored) << c.pszTyped;
            EXPECT_EQ(page.Text(c.nID), c.pszStored) << c.pszTyped;
        }
        // The joint length follows b, non-numeric text included.
        page.Type(IDC_RW_B, "xyz");
        EXPECT_EQ(page.m_data.m_strTransverseCrackLength, "0.");
    });
}

TEST_F(RoadwayPageTest, ComputeButtonsFollowTheRecordAndTheEditsBeingTyped)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strGeometryCoefficientB = "10.";
        data.m_strLongitudinalSlope = "0.0200";
        data.m_strBaseWidth = "7.";
        page.Activate();
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_W));
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_SR));
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_LR));

        // Entering the second edit of a pair makes its button ready for the value being typed.
        page.Enter(IDC_RW_C);
        EXPECT_TRUE(page.Enabled(IDC_RW_CALC_W));
        page.Enter(IDC_RW_SX);
        EXPECT_TRUE(page.Enabled(IDC_RW_CALC_SR));

        // Pressed with c still empty, the width button gives up and disables itself.
        page.Click(IDC_RW_CALC_W);
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_W));
        EXPECT_EQ(data.m_strBaseWidth, "7.");

        page.Type(IDC_RW_SX, "0.03");
        page.Click(IDC_RW_CALC_SR);
        EXPECT_TRUE(page.Enabled(IDC_RW_CALC_LR));

        data.m_strCrossSlope.Empty();
        page.Activate();
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_SR));
        EXPECT_FALSE(page.Enabled(IDC_RW_CALC_LR));
    });
}

TEST_F(RoadwayPageTest, ZeroCrossSlopeGivesNoLengthAndSaysWhy)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strBaseWidth = "14.";
        data.m_strLongitudinalSlope = "0.0200";
        data.m_strCrossSlope = "0.0300";
        page.Activate();
        page.Type(IDC_RW_SX, "0");
        ASSERT_EQ(data.m_strCrossSlope, "0.0e+000");
        page.Enter(IDC_RW_S);
        page.Click(IDC_RW_CALC_SR);
        page.Click(IDC_RW_CALC_LR);
        EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
        EXPECT_EQ(page.Text(IDC_RW_LR), "");
    });
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "Cross slope, Sx, must not be zero.");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(RoadwayPageTest, PaintShowsUnitsAndGeometryAndHonoursTheFocusRequest)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        EXPECT_EQ(page.Text(IDC_RW_UNIT_B), "ft");
        EXPECT_EQ(page.Text(IDC_RW_UNIT_SR), "ft/ft");

        data.m_strUnits = "metric";
        data.m_strGeometryChoice = "B";
        data.m_nFocusControl = IDC_RW_SR;
        page.Repaint();
        EXPECT_EQ(::GetFocus(), page.Item(IDC_RW_SR));
        EXPECT_EQ(data.m_nFocusControl, 0);

        for (int nID : {IDC_RW_UNIT_B, IDC_RW_UNIT_C, IDC_RW_UNIT_W, IDC_RW_UNIT_LR})
            EXPECT_EQ(page.Text(nID), "m") << nID;
        for (int nID : {IDC_RW_UNIT_S, IDC_RW_UNIT_SX, IDC_RW_UNIT_SR})
            EXPECT_EQ(page.Text(nID), "m/m") << nID;
        EXPECT_EQ(page.m_page.m_picFormula.GetBitmap(), (HBITMAP)page.m_page.m_bmpFormulaB);
        EXPECT_FALSE(page.Visible(IDC_RW_CUTAWAY_A));
        EXPECT_TRUE(page.Visible(IDC_RW_CUTAWAY_B));
    });
}

TEST_F(RoadwayPageTest, FocusThatLeavesThePageItselfGoesToTheHiddenEdit)
{
    Run([&](Page& page) {
        ::SetFocus(page.m_page.GetSafeHwnd());
        EXPECT_EQ(::GetFocus(), page.Item(IDC_RW_FOCUS_SINK));
        EXPECT_FALSE(page.Visible(IDC_RW_FOCUS_SINK));
    });
}

TEST_F(RoadwayPageTest, SummaryPictureTakesTheEngineerToTheTypedWidth)
{
    Run([&](Page& page) {
        page.m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PIC_BASE_WIDTH, STN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(page.m_dlg.GetSafeHwnd(), IDC_PIC_BASE_WIDTH)));
        // Painted at once and the focus read at once: with other programs on the display, a
        // pumped message may take the activation (and the focus) away from the dialog.
        ::UpdateWindow(page.m_page.GetSafeHwnd());
        EXPECT_EQ(::GetFocus(), page.Item(IDC_RW_W));
        EXPECT_EQ(page.m_data.m_nFocusControl, 0);
    });
}

TEST_F(RoadwayPageTest, HelpTopicAndContextHelp)
{
    HWND hSlopeButton = nullptr, hUnitLabel = nullptr;
    Run([&](Page& page) {
        hSlopeButton = page.Item(IDC_RW_CALC_SR);
        hUnitLabel = page.Item(IDC_RW_UNIT_SX);
        SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());

        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.Item(IDC_RW_CALC_SR)), MAKELPARAM(10, 10));
        // A unit label lets the click through to the page; the point names it.
        RECT rcUnit;
        ::GetWindowRect(page.Item(IDC_RW_UNIT_SX), &rcUnit);
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.m_page.GetSafeHwnd()),
                                MAKELPARAM(rcUnit.left + 2, rcUnit.top + 2));
        // The page's background and its group boxes (no id) have no context help.
        RECT rcPage;
        ::GetWindowRect(page.m_page.GetSafeHwnd(), &rcPage);
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.m_page.GetSafeHwnd()),
                                MAKELPARAM(rcPage.right - 3, rcPage.bottom - 3));
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.m_page.GetSafeHwnd()),
                                MAKELPARAM(-1, -1));
    });
    ASSERT_EQ(m_help.calls.size(), 3u);
    EXPECT_EQ(m_help.calls[2].hWndCaller, hUnitLabel);
    EXPECT_EQ(m_help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/roadwaygeometry.htm");
    EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));

    const CRecordingHtmlHelp::Call& popup = m_help.calls[1];
    EXPECT_EQ(popup.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_EQ(popup.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(popup.hWndCaller, hSlopeButton);
    ASSERT_EQ(popup.idPairs.size(), 2u * 26);
    auto helpIdOf = [&](DWORD nID) { return PopupHelpId(popup, nID); };
    EXPECT_EQ(helpIdOf(IDC_RW_PIC_B), 1100u);
    EXPECT_EQ(helpIdOf(IDC_RW_UNIT_C), 1101u);
    EXPECT_EQ(helpIdOf(IDC_RW_CALC_SR), 1110u);
    EXPECT_EQ(helpIdOf(IDC_RW_UNIT_LR), 1114u);
    EXPECT_EQ(helpIdOf(IDC_RW_FLOW_PATH), 1118u);
}

} // namespace
