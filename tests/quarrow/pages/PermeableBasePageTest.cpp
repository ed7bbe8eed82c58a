// The permeable base page inside the real main dialog on the virtual display: analysis types,
// methods and criteria, typing and leaving edits, compute and plot buttons, the quality table,
// warnings, links, painting and help.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "grid/core/GridParam.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PermeableBase.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/QuarrowTestSupport.h"
#include "tests/quarrow/pages/PlotTestData.h"

namespace {

using TextField = CString CProjectData::*;

// The permeable base page of a running main dialog, driven as the engineer would.
class Page : public PageDriver<CPermeableBase>
{
public:
    explicit Page(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pBasePage) {}

    bool ReadOnly(int nID) const { return (::GetWindowLongA(Item(nID), GWL_STYLE) & ES_READONLY) != 0; }

    // The focus goes into the edit, as a click would put it there.
    void Enter(int nID)
    {
        ::SetFocus(Item(nID));
        PumpMessages();
    }
    // Types text into an edit and leaves it for the hidden edit.
    void Type(int nID, const char* pszText)
    {
        Enter(nID);
        ::SetWindowTextA(Item(nID), pszText);
        ::SetFocus(Item(IDC_PB_FOCUS_SINK));
        PumpMessages();
    }
    void ClickPicture(int nID)
    {
        Notify(nID, STN_CLICKED);
        PumpMessages();
    }
    // The next message for the page goes through its pre-translation.
    void NextMessage()
    {
        ::PostMessageA(Item(IDC_PB_K), WM_NULL, 0, 0);
        PumpMessages();
    }
    // The sheet shows the page (again).
    void Activate()
    {
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PagePermeableBase);
        PumpMessages();
    }
    // The quality table's marked row (the kept selection rectangle), 0 for none.
    int MarkedRow() const
    {
        const CGXRange* pRange = m_page.m_gridQuality.GetParam()->m_SelRects.GetAt(m_page.m_posVerdict);
        if (!pRange->IsValid())
            return 0;
        EXPECT_EQ(pRange->top, pRange->bottom);
        EXPECT_EQ(pRange->left, 1u);
        EXPECT_EQ(pRange->right, 2u);
        return static_cast<int>(pRange->top);
    }
    std::string Cell(ROWCOL nRow, ROWCOL nCol) const
    {
        return std::string(m_page.m_gridQuality.GetValueRowCol(nRow, nCol));
    }
};

class PermeableBasePageTest : public MainDialogPageTest
{
protected:
    void Run(const std::function<void(Page&)>& body)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PagePermeableBase);
            PumpMessages();
            ASSERT_NE(dlg.m_pBasePage->GetSafeHwnd(), nullptr);
            Page page(dlg);
            body(page);
        });
    }
};

// The time-to-drain design of the examples: English, Barber, AASHTO.
void SetTimeToDrainDesign(CProjectData& data)
{
    data.m_strBaseMethod = "TTD";
    data.m_strTimeToDrainMethod = "Barber";
    data.m_strDrainMethod = "AASHTO";
    data.m_strBaseEffectivePorosity = "0.25";
    data.m_strBaseK = "300";
    data.m_strResultantSlope = "0.02";
    data.m_strResultantLength = "30";
    data.m_strBaseThickness = "0.3";
    data.m_strPercentDrained = "90";
}

// The depth-of-flow design of the examples: English, no meltwater.
void SetDepthOfFlowDesign(CProjectData& data)
{
    data.m_strBaseMethod = "DOF";
    data.m_strMeltwater = "no";
    data.m_strInfiltrationRate = "0.92";
    data.m_strBaseK = "1000";
    data.m_strResultantSlope = "0.0361";
    data.m_strResultantLength = "16.83";
}

TEST_F(PermeableBasePageTest, TimeToDrainByBothMethodsAndItsVerdictUnderBothCriteria)
{
    Run([&](Page& page) {
        SetTimeToDrainDesign(page.m_data);
        page.Activate();
        EXPECT_EQ(page.Cell(0, 1), "Quality of Drainage");
        EXPECT_EQ(page.Cell(0, 2), "Time to Drain");
        EXPECT_EQ(page.Cell(3, 1), "Fair");
        EXPECT_EQ(page.Cell(3, 2), "7-Day");
        EXPECT_EQ(page.MarkedRow(), 0) << "no time to drain yet";
        ASSERT_TRUE(page.Enabled(IDC_PB_CALC_T));

        page.Click(IDC_PB_CALC_T);
        EXPECT_EQ(page.Text(IDC_PB_T), "31.39");
        EXPECT_EQ(page.Summary(IDC_TIME_TO_DRAIN), "31.39");
        page.Repaint();
        EXPECT_EQ(page.MarkedRow(), 3);

        page.Click(IDC_PB_CASAGRANDE);
        EXPECT_EQ(page.m_data.m_strTimeToDrainMethod, "Cassagrande");
        EXPECT_TRUE(page.m_data.m_strTimeToDrain.IsEmpty());
        EXPECT_EQ(page.Text(IDC_PB_T), "");
        page.Repaint();
        EXPECT_EQ(page.MarkedRow(), 0);
        page.Click(IDC_PB_CALC_T);
        EXPECT_EQ(page.Text(IDC_PB_T), "36.54");

        page.Click(IDC_PB_PRM);
        EXPECT_EQ(page.m_data.m_strDrainMethod, "PRM");
        const char* const times[] = {"Less than 2 Hours", "2 to 5 Hours", "5 to 10 Hours", "Greater Than 10 Hours",
                                     "Much Greater than 10 Hours"};
        for (ROWCOL nRow = 1; nRow <= 5; ++nRow)
            EXPECT_EQ(page.Cell(nRow, 2), times[nRow - 1]) << nRow;
        EXPECT_EQ(page.MarkedRow(), 5);
        EXPECT_TRUE(m_messages.calls.empty());
        SaveScreenPicture(page.m_dlg.GetSafeHwnd(), "permeable-base-ttd.bmp");
    });
}

TEST_F(PermeableBasePageTest, TheQualityTableIsReadOnlyWithItsRowHeaderHidden)
{
    Run([&](Page& page) {
        CPageTableGrid& grid = page.m_page.m_gridQuality;
        EXPECT_TRUE(grid.IsReadOnly());
        EXPECT_EQ(grid.GetColWidth(0), 0);
        CRect rcClient;
        grid.GetClientRect(&rcClient);
        EXPECT_EQ(grid.GetColWidth(1), rcClient.Width() / 2);
        EXPECT_EQ(grid.GetColWidth(2), rcClient.Width() / 2 - 1);
        for (ROWCOL nRow = 0; nRow <= 5; ++nRow)
            EXPECT_EQ(grid.GetRowHeight(nRow), rcClient.Height() / 6) << nRow;
        EXPECT_FALSE(grid.SetValueRange(CGXRange(1, 1), "Superb"));
        EXPECT_EQ(page.Cell(1, 1), "Excellent");
    });
}

TEST_F(PermeableBasePageTest, TheRehabilitationManualGivesUFromPsat)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        data.m_strPercentDrained.Empty();
        page.Activate();
        EXPECT_TRUE(page.ReadOnly(IDC_PB_PSAT));
        EXPECT_FALSE(page.ReadOnly(IDC_PB_U));
        EXPECT_TRUE(page.Visible(IDC_PB_CALC_PSAT));
        EXPECT_FALSE(page.Visible(IDC_PB_CALC_U));

        page.Click(IDC_PB_PRM);
        EXPECT_FALSE(page.ReadOnly(IDC_PB_PSAT));
        EXPECT_TRUE(page.ReadOnly(IDC_PB_U));
        EXPECT_TRUE(page.Visible(IDC_PB_CALC_U));
        EXPECT_FALSE(page.Visible(IDC_PB_CALC_PSAT));

        page.Type(IDC_PB_N, "0.35");
        page.Type(IDC_PB_INPUT, "0.3");
        page.Type(IDC_PB_PSAT, "85");
        ASSERT_TRUE(page.Enabled(IDC_PB_CALC_U));
        page.Click(IDC_PB_CALC_U);
        EXPECT_EQ(data.m_strPercentDrained, "17.5");
        EXPECT_EQ(page.Text(IDC_PB_U), "17.5");
        EXPECT_EQ(page.Summary(IDC_PERCENT_DRAINED), "17.5");
    });
}

TEST_F(PermeableBasePageTest, DepthOfFlowGivesTheMinimumThicknessAndTheCapacity)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetDepthOfFlowDesign(data);
        page.Activate();
        EXPECT_EQ(page.Text(IDC_PB_INPUT), "0.92");
        ASSERT_TRUE(page.Enabled(IDC_PB_CALC_HMIN));
        EXPECT_FALSE(page.Enabled(IDC_PB_CALC_Q)) << "no thickness yet";

        page.Click(IDC_PB_CALC_HMIN);
        EXPECT_EQ(page.Text(IDC_PB_HMIN), "0.25574");
        page.Type(IDC_PB_H, "0.5");
        ASSERT_TRUE(page.Enabled(IDC_PB_CALC_Q));
        page.Click(IDC_PB_CALC_Q);
        EXPECT_EQ(page.Text(IDC_PB_Q), "38.840");
        EXPECT_EQ(page.Summary(IDC_BASE_DISCHARGE), "38.840");

        page.Type(IDC_PB_K, "900");
        EXPECT_TRUE(data.m_strBaseMinThickness.IsEmpty());
        EXPECT_TRUE(data.m_strBaseDischargeRate.IsEmpty());
        EXPECT_EQ(page.Text(IDC_PB_HMIN), "");
        EXPECT_EQ(page.Text(IDC_PB_Q), "");
        EXPECT_EQ(page.Summary(IDC_BASE_DISCHARGE), "");
        EXPECT_TRUE(m_messages.calls.empty());
        SaveScreenPicture(page.m_dlg.GetSafeHwnd(), "permeable-base-dof.bmp");
    });
}

TEST_F(PermeableBasePageTest, EachAnalysisShowsItsOwnControls)
{
    const int timeToDrain[] = {IDC_PB_SIEVE_INPUT, IDC_PB_CALC_T, IDC_PB_PLOT_TTD, IDC_PB_BARBER, IDC_PB_CASAGRANDE,
                               IDC_PB_AASHTO, IDC_PB_PRM, IDC_PB_FORMULA_TTD, IDC_PB_PIC_N, IDC_PB_PIC_U,
                               IDC_PB_PIC_T, IDC_PB_PIC_PSAT, IDC_PB_PSAT, IDC_PB_N, IDC_PB_U, IDC_PB_T,
                               IDC_PB_UNIT_PSAT, IDC_PB_UNIT_U, IDC_PB_UNIT_T, IDC_PB_QUALITY};
    const int depthOfFlow[] = {IDC_PB_CALC_HMIN, IDC_PB_PLOT_DOF, IDC_PB_CALC_Q, IDC_PB_PIC_HMIN, IDC_PB_PIC_Q,
                               IDC_PB_HMIN, IDC_PB_Q, IDC_PB_NOTE, IDC_PB_UNIT_HMIN, IDC_PB_UNIT_Q,
                               IDC_PB_UNIT_INPUT};
    const int always[] = {IDC_PB_TTD, IDC_PB_DOF, IDC_PB_PIC_INPUT, IDC_PB_INPUT, IDC_PB_PIC_K, IDC_PB_K,
                          IDC_PB_SIEVE_K, IDC_PB_PIC_S, IDC_PB_S, IDC_PB_PIC_L, IDC_PB_L, IDC_PB_PIC_H, IDC_PB_H};
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strMeltwater = "yes";
        data.m_strBaseEffectivePorosity = "0.25";
        data.m_strTotalInflow = "1.17";
        for (bool bTimeToDrain : {false, true})
        {
            page.Click(bTimeToDrain ? IDC_PB_TTD : IDC_PB_DOF);
            EXPECT_EQ(data.m_strBaseMethod, bTimeToDrain ? "TTD" : "DOF");
            for (int nID : timeToDrain)
                EXPECT_EQ(page.Visible(nID), bTimeToDrain) << nID;
            for (int nID : depthOfFlow)
                EXPECT_EQ(page.Visible(nID), !bTimeToDrain) << nID;
            for (int nID : always)
                EXPECT_TRUE(page.Visible(nID)) << nID;
            EXPECT_EQ(page.Text(IDC_PB_INPUT), bTimeToDrain ? "0.25" : "1.17");
            const HBITMAP hInput =
                reinterpret_cast<HBITMAP>(::SendMessageA(page.Item(IDC_PB_PIC_INPUT), STM_GETIMAGE, IMAGE_BITMAP, 0));
            EXPECT_EQ(hInput, bTimeToDrain ? (HBITMAP)page.m_page.m_bmpPorosity : (HBITMAP)page.m_page.m_bmpTotalInflow);
        }
        EXPECT_FALSE(page.Visible(IDC_PB_FOCUS_SINK));
    });
}

// What leaving an edit with a new text stores, clears and warns, from a complete design.
TEST_F(PermeableBasePageTest, LeavingAnEditStoresItAndClearsWhatDependsOnIt)
{
    struct Case
    {
        const char* pszName;
        const char* pszAnalysis;
        const char* pszMeltwater;
        int nID;
        const char* pszTyped;
        TextField field;
        const char* pszStored;
        // Fields expected empty afterwards, by letter: U(drained) t(time) h(Hmin) Q(discharge)
        // P(Psat) m(meltwater) T(total inflow) i(infiltration).
        const char* pszCleared;
        const char* pszWarning;
    } cases[] = {
        // Under AASHTO's criterion Psat is computed from U, n and Ne.
        {"Ne", "TTD", "no", IDC_PB_INPUT, "0.3", &CProjectData::m_strBaseEffectivePorosity, "0.3", "UtP",
         CPermeableBase::PorosityWarning},
        // Without meltwater the total is not in use, but it follows q_i and q_m all the same.
        {"q_i", "DOF", "no", IDC_PB_INPUT, "0.5", &CProjectData::m_strInfiltrationRate, "0.5", "hT",
         CPermeableBase::InflowWarning},
        {"q_i + q_m", "DOF", "yes", IDC_PB_INPUT, "1.5", &CProjectData::m_strTotalInflow, "1.5", "imh",
         CPermeableBase::TotalInflowWarning},
        {"k", "TTD", "no", IDC_PB_K, "250", &CProjectData::m_strBaseK, "250.", "thQ", nullptr},
        {"S", "TTD", "no", IDC_PB_S, "0.025", &CProjectData::m_strResultantSlope, "0.0250", "thQ",
         CPermeableBase::SlopeWarning},
        {"S tiny", "TTD", "no", IDC_PB_S, "0.00005", &CProjectData::m_strResultantSlope, "5.00e-005", "thQ",
         CPermeableBase::SlopeWarning},
        {"L", "DOF", "no", IDC_PB_L, "25.123456", &CProjectData::m_strResultantLength, "25.123", "thQ",
         CPermeableBase::LengthWarning},
        {"H without meltwater", "TTD", "no", IDC_PB_H, "0.4", &CProjectData::m_strBaseThickness, "0.4", "tmQT",
         nullptr},
        {"H with meltwater", "DOF", "yes", IDC_PB_H, "0.4", &CProjectData::m_strBaseThickness, "0.4", "tmQTh",
         CPermeableBase::MeltwaterWarning},
        {"Psat", "TTD", "no", IDC_PB_PSAT, "80", &CProjectData::m_strPercentSaturation, "80.", "Ut", nullptr},
        // The base's k is computed from n too, and what hangs on k goes with it.
        {"n", "TTD", "no", IDC_PB_N, "0.33", &CProjectData::m_strBasePorosity, "0.33", "UPthQ", nullptr},
        {"U", "TTD", "no", IDC_PB_U, "60", &CProjectData::m_strPercentDrained, "60.", "Pt", nullptr},
        {"non-numeric k", "TTD", "no", IDC_PB_K, "abc", &CProjectData::m_strBaseK, "0.", "thQ", nullptr},
        {"emptied k", "TTD", "no", IDC_PB_K, "", &CProjectData::m_strBaseK, "", "thQ", nullptr},
    };
    for (const Case& c : cases)
    {
        m_messages.calls.clear();
        Run([&](Page& page) {
            CProjectData& data = page.m_data;
            SetTimeToDrainDesign(data);
            data.m_strBaseMethod = c.pszAnalysis;
            data.m_strMeltwater = c.pszMeltwater;
            data.m_strInfiltrationRate = "0.92";
            data.m_strMeltwaterFlow = "0.25";
            data.m_strTotalInflow = "1.17";
            data.m_strBasePorosity = "0.35";
            data.m_strPercentSaturation = "85";
            data.m_strTimeToDrain = "31.39";
            data.m_strBaseMinThickness = "0.25574";
            data.m_strBaseDischargeRate = "38.840";
            page.Activate();
            data.m_bModified = 0;

            page.Type(c.nID, c.pszTyped);
            EXPECT_EQ(data.*c.field, c.pszStored) << c.pszName;
            EXPECT_EQ(page.Text(c.nID), c.pszStored) << c.pszName;
            ExpectClearedFields(c.pszName, c.pszCleared, {
                {'U', data.m_strPercentDrained}, {'t', data.m_strTimeToDrain}, {'h', data.m_strBaseMinThickness},
                {'Q', data.m_strBaseDischargeRate}, {'P', data.m_strPercentSaturation},
                {'m', data.m_strMeltwaterFlow}, {'T', data.m_strTotalInflow}, {'i', data.m_strInfiltrationRate},
            }, &(data.*c.field));
            EXPECT_EQ(page.Summary(IDC_BASE_THICKNESS), std::string(data.m_strBaseThickness)) << c.pszName;
            page.NextMessage();
        });
        if (c.pszWarning == nullptr)
        {
            EXPECT_TRUE(m_messages.calls.empty()) << c.pszName;
            continue;
        }
        ASSERT_EQ(m_messages.calls.size(), 1u) << c.pszName;
        EXPECT_EQ(m_messages.calls[0].text, c.pszWarning) << c.pszName;
        EXPECT_EQ(m_messages.calls[0].caption, "Warning");
        EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(PermeableBasePageTest, ThicknessWarningsComeInExpertModeTooAndTheHandEditWarningsDoNot)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        data.m_strMode = "expert";
        data.m_strMeltwater = "yes";
        page.Activate();

        page.Type(IDC_PB_H, "3.5");
        page.NextMessage();
        page.NextMessage();
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text,
                  "Base thickness is measured in terms of ft(or meters).  Is your input value correct.");

        m_messages.calls.clear();
        page.Type(IDC_PB_L, "40");
        page.Type(IDC_PB_S, "0.03");
        page.Type(IDC_PB_INPUT, "0.2");
        page.NextMessage();
        EXPECT_EQ(data.m_strResultantLength, "40.");
        EXPECT_TRUE(m_messages.calls.empty());
    });
}

TEST_F(PermeableBasePageTest, AnUnchangedTextChangesNothing)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        data.m_strTimeToDrain = "31.39";
        data.m_strBaseDischargeRate = "38.840";
        page.Activate();
        for (int nID : {IDC_PB_INPUT, IDC_PB_K, IDC_PB_S, IDC_PB_L, IDC_PB_H, IDC_PB_U})
        {
            page.Enter(nID);
            page.Type(nID, page.Text(nID).c_str());
        }
        page.NextMessage();
        EXPECT_EQ(data.m_strTimeToDrain, "31.39");
        EXPECT_EQ(data.m_strBaseDischargeRate, "38.840");
        EXPECT_EQ(data.m_strResultantSlope, "0.02") << "stored as it was, not reformatted";
        EXPECT_TRUE(m_messages.calls.empty());
    });
}

TEST_F(PermeableBasePageTest, AButtonIsReadyWhileItsLastValueIsBeingTyped)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetDepthOfFlowDesign(data);
        data.m_strBaseK.Empty();
        page.Activate();
        EXPECT_FALSE(page.Enabled(IDC_PB_CALC_HMIN));
        EXPECT_FALSE(page.Enabled(IDC_PB_PLOT_DOF));
        page.Enter(IDC_PB_K);
        EXPECT_TRUE(page.Enabled(IDC_PB_CALC_HMIN));
        EXPECT_TRUE(page.Enabled(IDC_PB_PLOT_DOF));
        // Left empty, it is not ready after all.
        ::SetFocus(page.Item(IDC_PB_FOCUS_SINK));
        PumpMessages();
        EXPECT_FALSE(page.Enabled(IDC_PB_CALC_HMIN));
    });
}

TEST_F(PermeableBasePageTest, TabInTheQualityTableGoesToTheAnalysisRadio)
{
    Run([&](Page& page) {
        SetTimeToDrainDesign(page.m_data);
        page.Activate();
        HWND hGrid = page.Item(IDC_PB_QUALITY);
        ::SetFocus(hGrid);
        PumpMessages();
        ::PostMessageA(hGrid, WM_KEYDOWN, VK_TAB, 1);
        PumpMessages();
        EXPECT_EQ(::GetFocus(), page.Item(IDC_PB_TTD));

        BYTE keys[256] = {};
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys);
        ::SetFocus(hGrid);
        ::PostMessageA(hGrid, WM_KEYDOWN, VK_HELP, 1);
        PumpMessages();
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text, "Help!");
        EXPECT_EQ(::GetFocus(), hGrid) << "Shift+Help sends the page nothing";
    });
}

TEST_F(PermeableBasePageTest, SymbolsLeadToThePagesWhereTheirValuesAreFound)
{
    struct Case
    {
        const char* pszName;
        const char* pszAnalysis;
        int nPicture;
        int nPage;
        int nFocus;
        bool bBaseLayer;
    } cases[] = {
        {"S", "TTD", IDC_PB_PIC_S, CQuarrowDlg::PageRoadway, 1030, false},
        {"L", "TTD", IDC_PB_PIC_L, CQuarrowDlg::PageRoadway, 1037, false},
        {"k", "TTD", IDC_PB_PIC_K, CQuarrowDlg::PageSieveAnalysis, 1158, true},
        {"n", "TTD", IDC_PB_PIC_N, CQuarrowDlg::PageSieveAnalysis, 1151, true},
        {"Ne", "TTD", IDC_PB_PIC_INPUT, CQuarrowDlg::PageSieveAnalysis, 1350, true},
        {"q", "DOF", IDC_PB_PIC_INPUT, CQuarrowDlg::PageInflow, 1097, false},
    };
    for (const Case& c : cases)
    {
        Run([&](Page& page) {
            CProjectData& data = page.m_data;
            data.m_strBaseMethod = c.pszAnalysis;
            data.m_strSieveLayer = "subgrade";
            page.Activate();
            page.ClickPicture(c.nPicture);
            EXPECT_EQ(page.m_dlg.m_pSheet->GetActiveIndex(), c.nPage) << c.pszName;
            EXPECT_EQ(data.m_strSieveLayer, c.bBaseLayer ? "base" : "subgrade") << c.pszName;
            // The page shown takes the focus request when it paints.
            ::UpdateWindow(page.m_dlg.m_pSheet->GetActivePage()->GetSafeHwnd());
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(page.m_dlg.m_pSheet->GetActivePage()->GetSafeHwnd(), c.nFocus))
                << c.pszName;
            EXPECT_EQ(data.m_nFocusControl, 0) << c.pszName;
        });
    }
    Run([&](Page& page) {
        page.m_data.m_nFocusControl = 77;
        page.Click(IDC_PB_SIEVE_K);
        EXPECT_EQ(page.m_dlg.m_pSheet->GetActiveIndex(), CQuarrowDlg::PageSieveAnalysis);
        EXPECT_EQ(page.m_data.m_nFocusControl, 0);
        EXPECT_EQ(page.m_data.m_strSieveLayer, "base");
    });
}

TEST_F(PermeableBasePageTest, PaintShowsTheUnitsAndHonoursTheFocusRequest)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        EXPECT_EQ(page.Text(IDC_PB_UNIT_K), "ft/d");
        EXPECT_EQ(page.Text(IDC_PB_UNIT_S), "ft/ft");
        data.m_strUnits = "metric";
        data.m_nFocusControl = IDC_PB_H;
        page.Repaint();
        EXPECT_EQ(::GetFocus(), page.Item(IDC_PB_H));
        EXPECT_EQ(data.m_nFocusControl, 0);
        EXPECT_EQ(page.Text(IDC_PB_UNIT_K), "m/d");
        EXPECT_EQ(page.Text(IDC_PB_UNIT_S), "m/m");
        for (int nID : {IDC_PB_UNIT_L, IDC_PB_UNIT_H, IDC_PB_UNIT_HMIN})
            EXPECT_EQ(page.Text(nID), "m") << nID;
        EXPECT_EQ(page.m_page.m_picDischargeUnit.GetBitmap(), (HBITMAP)page.m_page.m_bmpDischargeMetric);
    });
}

TEST_F(PermeableBasePageTest, LeavingThePageLeavesTheEditFirstAndComingBackDropsAWarning)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        page.Activate();
        page.Enter(IDC_PB_S);
        ::SetWindowTextA(page.Item(IDC_PB_S), "0.05");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        EXPECT_EQ(data.m_strResultantSlope, "0.0500");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PagePermeableBase);
        page.NextMessage();
    });
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(PermeableBasePageTest, ComputationMessagesAndTheTrailToThePorosity)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        data.m_strResultantSlope = "-0.02";
        page.Activate();
        page.Click(IDC_PB_CALC_T);
        EXPECT_TRUE(data.m_strTimeToDrain.IsEmpty());

        data.m_strResultantSlope = "0.02";
        data.m_strBasePorosity.Empty();
        page.Activate();
        page.Click(IDC_PB_CALC_PSAT);
        EXPECT_EQ(page.m_dlg.m_pSheet->GetActiveIndex(), CQuarrowDlg::PageSieveAnalysis);
        // The sieve page takes the focus request when it paints.
        ::UpdateWindow(page.m_dlg.m_pSheet->GetActivePage()->GetSafeHwnd());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(page.m_dlg.m_pSheet->GetActivePage()->GetSafeHwnd(), 1151));
        EXPECT_EQ(data.m_nFocusControl, 0);
    });
    ASSERT_EQ(m_messages.calls.size(), 2u);
    EXPECT_EQ(m_messages.calls[0].text, "S must be greater than zero.");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(m_messages.calls[1].text, "Porosity, N, must be set under Sieve Analysis.");
}

TEST_F(PermeableBasePageTest, PlotButtonsWriteTheirKindOfPlotAndStartFennick)
{
    const bool bMadeFolder = ::CreateDirectoryA(InstallDir, nullptr) != FALSE;
    const std::string strPlot = std::string(InstallDir) + "\\plot.tmp";
    CRecordingProcessSeam processes;
    CScopedProcessSeam scopedProcesses(&processes);
    std::string firstLines[2];
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        SetTimeToDrainDesign(data);
        page.Activate();
        page.Click(IDC_PB_PLOT_TTD);
        firstLines[0] = ReadBytes(strPlot.c_str()).substr(0, 2);
        SetDepthOfFlowDesign(data);
        page.Activate();
        page.Click(IDC_PB_PLOT_DOF);
        firstLines[1] = ReadBytes(strPlot.c_str()).substr(0, 2);
    });
    ::DeleteFileA(strPlot.c_str());
    if (bMadeFolder)
        ::RemoveDirectoryA(InstallDir);
    EXPECT_EQ(firstLines[0], "3 ");
    EXPECT_EQ(firstLines[1], "4 ");
    ASSERT_GE(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].applicationName, "C:\\Quarrow\\fennick.exe");
}

TEST_F(PermeableBasePageTest, HelpTopicByAnalysisAndContextHelp)
{
    HWND hCalc = nullptr;
    Run([&](Page& page) {
        for (const char* pszAnalysis : {"TTD", "DOF"})
        {
            page.m_data.m_strBaseMethod = pszAnalysis;
            page.Activate();
            SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
        }
        hCalc = page.Item(IDC_PB_CALC_HMIN);
        page.m_page.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hCalc), MAKELPARAM(10, 10));
    });
    ASSERT_EQ(m_help.calls.size(), 3u);
    EXPECT_EQ(m_help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/permeable_base_TTD.htm");
    EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(m_help.calls[1].file, "C:\\Quarrow\\quarrow.chm::/permeable_base_DOF.htm");
    const CRecordingHtmlHelp::Call& popup = m_help.calls[2];
    EXPECT_EQ(popup.file, "C:\\Quarrow\\quarrow.chm::/quarrow.txt");
    EXPECT_EQ(popup.uCommand, static_cast<UINT>(HH_TP_HELP_CONTEXTMENU));
    EXPECT_EQ(popup.hWndCaller, hCalc);
    ASSERT_EQ(popup.idPairs.size(), 2u * 25);
    const DWORD expected[][2] = {{1159, 1404}, {1196, 1409}, {1189, 1410}, {1064, 1400}, {1190, 1403},
                                 {1142, 1401}, {1174, 1420}, {1183, 1424}};
    for (const auto& pair : expected)
    {
        DWORD nHelp = 0;
        for (size_t i = 0; i < popup.idPairs.size(); i += 2)
            if (popup.idPairs[i] == pair[0])
                nHelp = popup.idPairs[i + 1];
        EXPECT_EQ(nHelp, pair[1]) << pair[0];
    }
}

} // namespace
