// The edge drain page inside the real main dialog on the virtual display: drain types, approaches,
// calculate buttons, the flow-factor table driven by mouse and keys, warnings and the summary.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/EdgeDrain.h"
#include "resources/quarrow/resource.h"
#include "tests/quarrow/QuarrowTestSupport.h"

namespace {

class Page : public PageDriver<CEdgeDrain>
{
public:
    explicit Page(CQuarrowDlg& dlg) : PageDriver(dlg, *dlg.m_pEdgeDrainPage) {}

    // Types text into an edit with the real focus, and leaves it for the hidden edit.
    void Type(int nID, const char* pszText)
    {
        ::SetFocus(Item(nID));
        PumpMessages();
        ::SetWindowTextA(Item(nID), pszText);
        ::SetFocus(Item(IDC_ED_FOCUS_SINK));
        PumpMessages();
    }
    void Activate()
    {
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageRoadway);
        m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageEdgeDrain);
        PumpMessages();
    }
    void ClickCell(ROWCOL nRow, ROWCOL nCol)
    {
        CPageTableGrid& grid = m_page.m_gridFactors;
        const CRect rect = grid.CalcCellRect(nRow, nCol);
        const LPARAM point = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, point);
        PumpMessages();
    }
    void Key(UINT nKey)
    {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, nKey, 1);
        PumpMessages();
    }
};

class EdgeDrainPageTest : public MainDialogPageTest
{
protected:
    void Run(const std::function<void(Page&)>& body)
    {
        RunMainDialog([&](CQuarrowDlg& dlg) {
            dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageEdgeDrain);
            PumpMessages();
            ASSERT_NE(dlg.m_pEdgeDrainPage->GetSafeHwnd(), nullptr);
            Page page(dlg);
            body(page);
        });
    }
};

TEST_F(EdgeDrainPageTest, PipeCapacityInBothUnitsAndItsRefusal)
{
    const struct { const char* pszUnits; const char* pszDiameter; const char* pszRoughness; const char* pszFlow; } cases[] = {
        {"english", "6", "0.012", "52510.5"},
        {"metric", "152.4", "0.012", "1.72e-002"},
        {"english", "6", "0", "99.0"},
    };
    for (const auto& c : cases)
    {
        m_messages.calls.clear();
        Run([&](Page& page) {
            CProjectData& data = page.m_data;
            data.m_strUnits = c.pszUnits;
            data.m_strEdgeDrainType = "pipe";
            data.m_strLongitudinalSlope = "0.01";
            data.m_strPipeDiameter = c.pszDiameter;
            data.m_strManningCoefficient = c.pszRoughness;
            data.m_strPipeFlow = "99.0";
            data.m_strOutletSpacing = "10.0";
            page.Activate();
            ASSERT_TRUE(page.Enabled(IDC_ED_CALC_PIPE));
            page.Click(IDC_ED_CALC_PIPE);
            EXPECT_EQ(page.Text(IDC_ED_Q), c.pszFlow) << c.pszUnits;
            // A refused computation refreshes nothing.
            if (std::string(c.pszRoughness) != "0")
            {
                EXPECT_EQ(page.Summary(IDC_PIPE_FLOW), c.pszFlow) << c.pszUnits;
            }
        });
        if (std::string(c.pszRoughness) == "0")
        {
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, "Coefficient of pipe roughness must be a positive value");
            EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
        }
        else
        {
            EXPECT_TRUE(m_messages.calls.empty()) << c.pszUnits;
        }
    }
}

TEST_F(EdgeDrainPageTest, PipeSpacingAndGeocompositeUseThePagesDesignInflow)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strEdgeDrainType = "pipe";
        data.m_strDischarge = "Infiltration";
        data.m_strMeltwater = "no";
        data.m_strInfiltrationRate = "0.92";
        data.m_strBaseWidth = "14";
        data.m_strPipeFlow = "52510.5";
        page.Activate();
        EXPECT_EQ(page.Text(IDC_ED_QI), "0.92");
        page.Click(IDC_ED_CALC_SPACING);
        EXPECT_EQ(page.Text(IDC_ED_LO), "4076.9");
        EXPECT_EQ(page.Summary(IDC_OUTLET_SPACING), "4076.9");

        page.Click(IDC_ED_GEOCOMPOSITE);
        EXPECT_EQ(data.m_strEdgeDrainType, "geocomposite");
        data.m_strLongitudinalSlope = "0.02";
        data.m_strFlowZoneDepth = "4";
        data.m_strOutletDepth = "2";
        data.m_strFinDrainConstant = "1195";
        page.Activate();
        ASSERT_TRUE(page.Enabled(IDC_ED_CALC_GEOCOMPOSITE));
        page.Click(IDC_ED_CALC_GEOCOMPOSITE);
        EXPECT_EQ(page.Text(IDC_ED_Q), "553.7");
        EXPECT_EQ(page.Text(IDC_ED_LO), "43.0");
        SaveScreenPicture(page.m_dlg.GetSafeHwnd(), "edge-drain-geocomposite.bmp");
    });
}

TEST_F(EdgeDrainPageTest, WithMeltwaterTheDesignInflowAddsQm)
{
    Run([&](Page& page) {
        page.m_data.m_strMeltwater = "yes";
        page.m_data.m_strInfiltrationRate = "0.92";
        page.m_data.m_strMeltwaterFlow = "0.25";
        page.Activate();
        EXPECT_EQ(page.Text(IDC_ED_QI), "1.17");
        EXPECT_DOUBLE_EQ(page.m_page.m_dDesignInflow, 1.17);
    });
}

TEST_F(EdgeDrainPageTest, TheFlowFactorTableSetsTheFactorByMouseAndKeys)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strEdgeDrainType = "geocomposite";
        data.m_strPipeFlow = "553.7";
        data.m_strOutletSpacing = "43.0";
        page.Activate();
        page.Repaint();
        CPageTableGrid& grid = page.m_page.m_gridFactors;
        EXPECT_TRUE(grid.IsReadOnly());
        EXPECT_EQ(grid.GetColWidth(0), 0);
        EXPECT_EQ(std::string(grid.GetValueRowCol(0, 1)), "Geocomposite");
        EXPECT_EQ(std::string(grid.GetValueRowCol(1, 1)), "Hydraway");

        page.ClickCell(1, 1);
        EXPECT_EQ(data.m_strFinDrainConstant, "1195");
        EXPECT_EQ(page.Text(IDC_ED_C), "1195");
        EXPECT_TRUE(data.m_strPipeFlow.IsEmpty());
        EXPECT_TRUE(data.m_strOutletSpacing.IsEmpty());
        EXPECT_EQ(page.Text(IDC_ED_Q), "");
        page.Key(VK_DOWN);
        EXPECT_EQ(data.m_strFinDrainConstant, "473");

        data.m_strUnits = "metric";
        page.Repaint();
        const char* const metric[] = {"1333", "528", "584", "2030", "250", "1390"};
        for (ROWCOL nRow = 1; nRow <= 6; ++nRow)
            EXPECT_EQ(std::string(grid.GetValueRowCol(nRow, 2)), metric[nRow - 1]) << nRow;
        EXPECT_TRUE(grid.IsReadOnly());
    });
}

TEST_F(EdgeDrainPageTest, EachDrainTypeAndApproachShowsItsControls)
{
    Run([&](Page& page) {
        page.Click(IDC_ED_PIPE);
        for (int nID : {IDC_ED_D, IDC_ED_N, IDC_ED_CALC_PIPE, IDC_ED_CALC_SPACING, IDC_ED_SMOOTH, IDC_ED_PIPE_CUTAWAY})
            EXPECT_TRUE(page.Visible(nID)) << nID;
        for (int nID : {IDC_ED_FACTORS, IDC_ED_D1, IDC_ED_D2, IDC_ED_C, IDC_ED_CALC_GEOCOMPOSITE, IDC_ED_FIN_SECTION})
            EXPECT_FALSE(page.Visible(nID)) << nID;
        page.Click(IDC_ED_GEOCOMPOSITE);
        for (int nID : {IDC_ED_D, IDC_ED_N, IDC_ED_CALC_PIPE, IDC_ED_CALC_SPACING, IDC_ED_SMOOTH, IDC_ED_PIPE_CUTAWAY})
            EXPECT_FALSE(page.Visible(nID)) << nID;
        for (int nID : {IDC_ED_FACTORS, IDC_ED_D1, IDC_ED_D2, IDC_ED_C, IDC_ED_CALC_GEOCOMPOSITE, IDC_ED_FIN_SECTION})
            EXPECT_TRUE(page.Visible(nID)) << nID;

        const struct { int nRadio; const char* pszWord; std::vector<int> shown; std::vector<int> hidden; } cases[] = {
            {IDC_ED_INFILTRATION, "Infiltration", {IDC_ED_FORMULA_INFILTRATION, IDC_ED_W, IDC_ED_QI},
             {IDC_ED_FORMULA_PERMEABLE, IDC_ED_FORMULA_TTD, IDC_ED_H, IDC_ED_QD, IDC_ED_K, IDC_ED_NE, IDC_ED_U, IDC_ED_T}},
            {IDC_ED_PERMEABLE, "Permeable", {IDC_ED_FORMULA_PERMEABLE, IDC_ED_QD},
             {IDC_ED_FORMULA_INFILTRATION, IDC_ED_FORMULA_TTD, IDC_ED_W, IDC_ED_QI, IDC_ED_H, IDC_ED_NE, IDC_ED_U}},
            {IDC_ED_TTD, "TTD", {IDC_ED_FORMULA_TTD, IDC_ED_W, IDC_ED_H, IDC_ED_NE, IDC_ED_U, IDC_ED_T},
             {IDC_ED_FORMULA_INFILTRATION, IDC_ED_FORMULA_PERMEABLE, IDC_ED_QI, IDC_ED_QD, IDC_ED_K}},
        };
        for (const auto& c : cases)
        {
            page.m_data.m_strPipeFlow = "1.0";
            page.Click(c.nRadio);
            EXPECT_EQ(page.m_data.m_strDischarge, c.pszWord);
            EXPECT_TRUE(page.m_data.m_strPipeFlow.IsEmpty()) << c.pszWord;
            for (int nID : c.shown)
                EXPECT_TRUE(page.Visible(nID)) << c.pszWord << " " << nID;
            for (int nID : c.hidden)
                EXPECT_FALSE(page.Visible(nID)) << c.pszWord << " " << nID;
        }
    });
}

TEST_F(EdgeDrainPageTest, EditsClearWhatDependsOnThemAndWarnOnceInNormalMode)
{
    Run([&](Page& page) {
        CProjectData& data = page.m_data;
        data.m_strDischarge = "Infiltration";
        data.m_strLongitudinalSlope = "0.0200";
        data.m_strResultantSlope = "0.0361";
        data.m_strResultantLength = "16.83";
        data.m_strPipeFlow = "1.0";
        page.Activate();
        page.Type(IDC_ED_S, "");
        EXPECT_TRUE(data.m_strLongitudinalSlope.IsEmpty());
        EXPECT_TRUE(data.m_strResultantSlope.IsEmpty());
        EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
        EXPECT_TRUE(data.m_strPipeFlow.IsEmpty());

        page.Type(IDC_ED_W, "14");
        EXPECT_EQ(data.m_strBaseWidth, "14.");
        page.Type(IDC_ED_W, "14.");
        page.Type(IDC_ED_W, "");
        EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
    });
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text,
              "W should be calculated on the Roadway Geometry page. Manual edit W at your own risk.");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(EdgeDrainPageTest, RoughnessBoxesSetNAndExcludeEachOther)
{
    Run([&](Page& page) {
        page.Click(IDC_ED_PIPE);
        page.Click(IDC_ED_SMOOTH);
        EXPECT_EQ(page.m_data.m_strManningCoefficient, "0.012");
        EXPECT_EQ(page.Text(IDC_ED_N), "0.012");
        page.Click(IDC_ED_CORRUGATED);
        EXPECT_EQ(page.m_data.m_strManningCoefficient, "0.024");
        EXPECT_EQ(page.m_page.IsDlgButtonChecked(IDC_ED_SMOOTH), static_cast<UINT>(BST_UNCHECKED));
        page.Click(IDC_ED_CORRUGATED);
        EXPECT_TRUE(page.m_data.m_strManningCoefficient.IsEmpty());
        EXPECT_EQ(page.Text(IDC_ED_N), "");
    });
}

TEST_F(EdgeDrainPageTest, MetricLabelsAndHelp)
{
    Run([&](Page& page) {
        page.m_data.m_strUnits = "metric";
        page.Repaint();
        EXPECT_EQ(page.Text(IDC_ED_UNIT_K), "m/d");
        EXPECT_EQ(page.Text(IDC_ED_UNIT_D), "mm");
        page.m_data.m_strUnits = "english";
        page.Repaint();
        EXPECT_EQ(page.Text(IDC_ED_UNIT_K), "ft/d");
        EXPECT_EQ(page.Text(IDC_ED_UNIT_S), "ft/ft");
        SendHelpRequest(page.m_page, page.m_page.GetSafeHwnd());
    });
    // One topic: the request does not go on to the main dialog's contents.
    ASSERT_EQ(m_help.calls.size(), 1u);
    EXPECT_EQ(m_help.calls[0].file, "C:\\Quarrow\\quarrow.chm::/edge_drain.htm");
}

} // namespace
