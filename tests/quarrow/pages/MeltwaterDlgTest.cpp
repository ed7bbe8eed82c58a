// The meltwater dialog on the virtual display, run through the modal seam and driven with mouse
// and key messages over its chart.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/MeltwaterDlg.h"
#include "resources/quarrow/resource.h"

namespace {

// Where the chart's pixels start in the dialog's client area, as the screen has it.
CPoint ChartOrigin(CDialog& dlg)
{
    POINT pt = {0, 0};
    ::ClientToScreen(::GetDlgItem(dlg.GetSafeHwnd(), IDC_MW_CHART), &pt);
    ::ScreenToClient(dlg.GetSafeHwnd(), &pt);
    return CPoint(pt.x, pt.y);
}

// A control's top-left corner relative to the chart's origin.
CPoint PlaceOnChart(CDialog& dlg, int nID)
{
    RECT rc;
    ::GetWindowRect(::GetDlgItem(dlg.GetSafeHwnd(), nID), &rc);
    POINT pt = {rc.left, rc.top};
    ::ScreenToClient(dlg.GetSafeHwnd(), &pt);
    const CPoint origin = ChartOrigin(dlg);
    return CPoint(pt.x - origin.x, pt.y - origin.y);
}

std::string ItemText(CDialog& dlg, int nID)
{
    return WindowText(::GetDlgItem(dlg.GetSafeHwnd(), nID));
}

// Mouse messages at a point of the chart, in its own pixels.
LPARAM ChartPoint(CDialog& dlg, int x, int y)
{
    const CPoint origin = ChartOrigin(dlg);
    return MAKELPARAM(origin.x + x, origin.y + y);
}

void MoveTo(CDialog& dlg, int x, int y)
{
    ::SendMessageA(dlg.GetSafeHwnd(), WM_MOUSEMOVE, 0, ChartPoint(dlg, x, y));
}

void ClickAt(CDialog& dlg, int x, int y)
{
    MoveTo(dlg, x, y);
    ::SendMessageA(dlg.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, ChartPoint(dlg, x, y));
    ::SendMessageA(dlg.GetSafeHwnd(), WM_LBUTTONUP, 0, ChartPoint(dlg, x, y));
}

class MeltwaterDlgTest : public ::testing::Test
{
protected:
    // Runs the dialog modally on the record; drive gets the running dialog and ends it.
    INT_PTR Run(const std::function<void(CMeltwaterDlg&)>& drive)
    {
        CMeltwaterDlg dlg(nullptr);
        dlg.m_pProjectData = &m_data;
        CFunctionModalHook hook([&](CWnd* pWnd) {
            if (pWnd == &dlg)
                drive(dlg);
        });
        CScopedModalHook scopedHook(&hook);
        return dlg.DoModal();
    }

    CProjectData m_data{"english"};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};

TEST_F(MeltwaterDlgTest, TheHeaveLineSitsAtTheHeaveRateOnTheChart)
{
    struct Case
    {
        const char* pszUnits;
        const char* pszHeave;
        int nTop;  // chart pixels
    } cases[] = {
        {"metric", "2", 305},      // 453 - trunc(396 ln 4 / ln 40)
        {"metric", "0.5", 453},
        {"metric", "20", 57},
        {"english", "1", 57},      // 25.4 mm/day is above the scale
        {"metric", "", 453},       // no heave rate reads as the bottom of the scale
        // A rate that reads as infinite is no rate.
        {"metric", "1e999", 453},
    };
    for (const Case& c : cases) {
        m_data.m_strUnits = c.pszUnits;
        m_data.m_strHeaveRate = c.pszHeave;
        Run([&](CMeltwaterDlg& dlg) {
            EXPECT_EQ(PlaceOnChart(dlg, IDC_MW_HEAVE_LINE), CPoint(63, c.nTop)) << c.pszUnits << " " << c.pszHeave;
            dlg.EndDialog(IDCANCEL);
        });
    }
    // At the nominal origin the dialog's own pixel numbers hold.
    EXPECT_EQ(CMeltwaterDlg::NominalChartOrigin.y + CMeltwaterDlg::HeaveLineTop(2.0), 317);
}

TEST_F(MeltwaterDlgTest, InputsAreShownInChartUnits)
{
    m_data.m_strUnits = "metric";
    m_data.m_strPavementLoad = "976.4";
    m_data.m_strSubgradeK = "0.02";
    m_data.m_strHeaveRate = "2.";
    Run([&](CMeltwaterDlg& dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_MW_LOAD), "200.0");
        // 0.0656 ft/day is not above 0.1: exponent form.
        EXPECT_EQ(ItemText(dlg, IDC_MW_K), "6.56e-002");
        EXPECT_EQ(ItemText(dlg, IDC_MW_HEAVE), "2.");
        dlg.EndDialog(IDCANCEL);
    });
    m_data.m_strUnits = "english";
    m_data.m_strPavementLoad = "200.";
    m_data.m_strSubgradeK = "0.5";
    m_data.m_strHeaveRate = "0.1";
    Run([&](CMeltwaterDlg& dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_MW_LOAD), "200.");
        EXPECT_EQ(ItemText(dlg, IDC_MW_K), "0.5");
        EXPECT_EQ(ItemText(dlg, IDC_MW_HEAVE), "2.5");
        SaveScreenPicture(dlg.GetSafeHwnd(), "meltwater-dialog.bmp");
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MeltwaterDlgTest, TheReadingFollowsTheMouse)
{
    Run([&](CMeltwaterDlg& dlg) {
        struct Reading
        {
            int x;
            const char* pszValue;
        } readings[] = {{267, "0.50"}, {84, "0.10"}, {418, "2.00"}, {163, "0.20"}, {342, "1.00"}};
        for (const Reading& r : readings) {
            MoveTo(dlg, r.x, 200);
            EXPECT_EQ(ItemText(dlg, IDC_MW_READING), r.pszValue) << r.x;
            EXPECT_EQ(PlaceOnChart(dlg, IDC_MW_READING_LINE), CPoint(r.x, 8)) << r.x;
        }
        // Left of the plot the line stays where it was; the reading still follows.
        MoveTo(dlg, 8, 200);
        EXPECT_EQ(ItemText(dlg, IDC_MW_READING), "0.05");
        EXPECT_EQ(PlaceOnChart(dlg, IDC_MW_READING_LINE), CPoint(342, 8));
        MoveTo(dlg, 488, 200);
        EXPECT_EQ(PlaceOnChart(dlg, IDC_MW_READING_LINE), CPoint(342, 8));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(MeltwaterDlgTest, AClickGivesTheInflowAndOkStoresIt)
{
    struct Case
    {
        const char* pszUnits;
        const char* pszK;
        const char* pszShown;
        const char* pszStored;
    } cases[] = {
        {"english", "4", "1.00", "1.00"},
        // 1.2192 m/day is 4 ft/day; the inflow goes back as m/s.
        {"metric", "1.2192", "1.00", "3.53e-006"},
        {"english", "", "0.00", "0.00"},
    };
    for (const Case& c : cases) {
        m_data.m_strUnits = c.pszUnits;
        m_data.m_strSubgradeK = c.pszK;
        m_data.m_strMeltwaterFlow = "old";
        const INT_PTR nResult = Run([&](CMeltwaterDlg& dlg) {
            ClickAt(dlg, 267, 300);
            EXPECT_EQ(ItemText(dlg, IDC_MW_QM), c.pszShown) << c.pszUnits << " " << c.pszK;
            ::SendMessageA(::GetDlgItem(dlg.GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(nResult, IDOK);
        EXPECT_EQ(m_data.m_strMeltwaterFlow, c.pszStored) << c.pszUnits << " " << c.pszK;
    }
}

// OK before any click: no reading, so no meltwater inflow in either unit system (a metric 0 would
// look like a reading of none).
TEST_F(MeltwaterDlgTest, OkWithoutAReadingLeavesNoInflow)
{
    for (const char* pszUnits : {"english", "metric"}) {
        m_data.m_strUnits = pszUnits;
        m_data.m_strSubgradeK = "1.2192";
        m_data.m_strMeltwaterFlow = "old";
        const INT_PTR nResult = Run([&](CMeltwaterDlg& dlg) {
            ::SendMessageA(::GetDlgItem(dlg.GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(nResult, IDOK);
        EXPECT_EQ(m_data.m_strMeltwaterFlow, "") << pszUnits;
    }
}

TEST_F(MeltwaterDlgTest, ADoubleClickAcceptsTheReading)
{
    m_data.m_strSubgradeK = "4";
    const INT_PTR nResult = Run([&](CMeltwaterDlg& dlg) {
        ClickAt(dlg, 418, 100);
        ::SendMessageA(dlg.GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, ChartPoint(dlg, 418, 100));
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(m_data.m_strMeltwaterFlow, "4.00");
}

TEST_F(MeltwaterDlgTest, EscapeStoresNothing)
{
    m_data.m_strSubgradeK = "4";
    m_data.m_strMeltwaterFlow = "0.75";
    bool bEnded = false;
    const INT_PTR nResult = Run([&](CMeltwaterDlg& dlg) {
        ClickAt(dlg, 267, 300);
        HWND hFocus = ::GetFocus();
        ASSERT_TRUE(hFocus == dlg.GetSafeHwnd() || ::IsChild(dlg.GetSafeHwnd(), hFocus));
        ::PostMessageA(hFocus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageA(hFocus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        PumpMessages();
        bEnded = (dlg.m_nFlags & CWnd::WF_CONTINUEMODAL) == 0;
        // Not ended by the key: ended here, so that the test cannot hang.
        if (!bEnded)
            dlg.EndDialog(IDABORT);
    });
    EXPECT_TRUE(bEnded);
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_data.m_strMeltwaterFlow, "0.75");
}

TEST_F(MeltwaterDlgTest, HelpOpensTheMeltwaterTopic)
{
    Run([&](CMeltwaterDlg& dlg) {
        SendHelpRequest(dlg, dlg.GetSafeHwnd());
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(m_help.calls.size(), 1u);
    const std::string& file = m_help.calls[0].file;
    EXPECT_EQ(file.substr(file.find("::")), "::/meltwater_q.htm");
}

} // namespace
