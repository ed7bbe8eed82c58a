// The Water Loss dialog on the virtual display, run through the modal seam and driven with mouse
// messages on its table; and its run from the sieve page's Water Loss Method radio.
#include "tests/quarrow/pages/SievePageTestSupport.h"

#include "quarrow/pages/WaterLossDlg.h"

namespace {

// Mouse messages at the middle of a cell, as the grid window receives them.
void ClickCell(CWaterLossGrid& grid, ROWCOL nRow, ROWCOL nCol, bool bDouble = false)
{
    grid.ScrollCellInView(nRow, nCol);
    const CRect rect = grid.CalcCellRect(nRow, nCol);
    ASSERT_FALSE(rect.IsRectEmpty()) << nRow << ", " << nCol;
    const LPARAM lPoint = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    const HWND hGrid = grid.GetSafeHwnd();
    ::SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessageA(hGrid, WM_LBUTTONUP, 0, lPoint);
    if (bDouble) {
        ::SendMessageA(hGrid, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
        ::SendMessageA(hGrid, WM_LBUTTONUP, 0, lPoint);
    }
    PumpMessages();
}

void PressButton(CDialog& dlg, int nID)
{
    ::SendMessageA(::GetDlgItem(dlg.GetSafeHwnd(), nID), BM_CLICK, 0, 0);
}

std::string Cell(CWaterLossGrid& grid, ROWCOL nRow, ROWCOL nCol)
{
    return static_cast<LPCTSTR>(grid.GetValueRowCol(nRow, nCol));
}

bool Checked(CDialog& dlg, int nID)
{
    return ::IsDlgButtonChecked(dlg.GetSafeHwnd(), nID) == BST_CHECKED;
}

class WaterLossDlgTest : public ::testing::Test
{
protected:
    WaterLossDlgTest() { GXStartLibrary(); }

    // Runs the dialog modally on the record; drive gets the running dialog.
    INT_PTR Run(const std::function<void(CWaterLossDlg&)>& drive)
    {
        CWaterLossDlg dlg(nullptr);
        dlg.m_pProjectData = &m_data;
        return RunDrivenDialog(dlg, drive);
    }

    CProjectData m_data{"english"};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};

TEST_F(WaterLossDlgTest, TheTableOfTheFinesAndItsInterpolationAtP200)
{
    struct Case
    {
        const char* pszFines;
        const char* pszP200;
        int nRadio;
        const char* row1[4];
        const char* row2[4];
        const char* pszGravel;
        const char* pszSand;
    } cases[] = {
        {"filler", "7.5", IDC_WL_FILLER, {"80", "70", "60", "40"}, {"65", "57", "50", "25"}, "50.00", "37.50"},
        {"filler", "2.5", IDC_WL_FILLER, {"80", "70", "60", "40"}, {"65", "57", "50", "25"}, "70.00", "57.00"},
        {"silt", "20", IDC_WL_SILT, {"80", "60", "40", "30"}, {"65", "50", "35", "18"}, "10.00", "-16.00"},
        {"clay", "", IDC_WL_CLAY, {"80", "40", "20", "10"}, {"65", "35", "15", "8"}, "80.00", "65.00"},
        // Beyond the table's 100 % the loss at 100 %; below 0 the first segment carries on.
        {"filler", "150", IDC_WL_FILLER, {"80", "70", "60", "40"}, {"65", "57", "50", "25"}, "-320.00", "-425.00"},
        {"clay", "-2.5", IDC_WL_CLAY, {"80", "40", "20", "10"}, {"65", "35", "15", "8"}, "120.00", "95.00"},
    };
    for (const Case& c : cases) {
        m_data.m_strFillType = c.pszFines;
        m_data.m_strBaseP200 = c.pszP200;
        Run([&](CWaterLossDlg& dlg) {
            CWaterLossGrid& grid = dlg.m_grid;
            EXPECT_EQ(grid.GetRowCount(), 2u);
            EXPECT_EQ(grid.GetColCount(), 5u);
            EXPECT_EQ(Cell(grid, 0, 0), "Amount of Fines");
            EXPECT_EQ(Cell(grid, 0, 2), "2.5");
            EXPECT_EQ(Cell(grid, 0, 5), std::string("P200%\n") + c.pszP200);
            EXPECT_EQ(Cell(grid, 1, 0), "Gravel");
            EXPECT_EQ(Cell(grid, 2, 0), "Sand");
            for (ROWCOL nCol = 1; nCol <= 4; ++nCol) {
                EXPECT_EQ(Cell(grid, 1, nCol), c.row1[nCol - 1]) << c.pszFines;
                EXPECT_EQ(Cell(grid, 2, nCol), c.row2[nCol - 1]) << c.pszFines;
            }
            EXPECT_EQ(Cell(grid, 1, 5), c.pszGravel) << c.pszFines << " " << c.pszP200;
            EXPECT_EQ(Cell(grid, 2, 5), c.pszSand) << c.pszFines << " " << c.pszP200;
            for (int nRadio : {IDC_WL_FILLER, IDC_WL_SILT, IDC_WL_CLAY})
                EXPECT_EQ(Checked(dlg, nRadio), nRadio == c.nRadio) << c.pszFines;
            EXPECT_TRUE(grid.IsReadOnly());
            if (c.nRadio == IDC_WL_FILLER && std::string(c.pszP200) == "7.5")
                SaveSettledPicture(dlg.GetSafeHwnd(), "water-loss-dialog.bmp");
            PressButton(dlg, IDCANCEL);
        });
    }
}

TEST_F(WaterLossDlgTest, OkStoresTheTextOfTheCellClickedLast)
{
    struct Case
    {
        const char* pszName;
        std::vector<std::pair<ROWCOL, ROWCOL>> clicks;
        const char* pszWater;
    } cases[] = {
        {"at once", {}, "50.00"},
        {"sand at 5 %", {{2, 3}}, "50"},
        {"a later click replaces both", {{2, 3}, {1, 1}}, "80"},
        // Headers count as the gravel row and the interpolated column.
        {"the sand's row header", {{2, 0}}, "37.50"},
        {"a column header", {{2, 2}, {0, 3}}, "60"},
        {"the corner", {{2, 2}, {0, 0}}, "50.00"},
    };
    for (const Case& c : cases) {
        m_data.m_strFillType = "filler";
        m_data.m_strSieveLayer = "subgrade";
        m_data.m_strSubgradeP200 = "7.5";
        m_data.m_strSubgradeWater = "12";
        const INT_PTR nResult = Run([&](CWaterLossDlg& dlg) {
            for (const auto& click : c.clicks)
                ClickCell(dlg.m_grid, click.first, click.second);
            PressButton(dlg, IDOK);
        });
        EXPECT_EQ(nResult, IDOK) << c.pszName;
        EXPECT_EQ(m_data.m_strSubgradeWater, c.pszWater) << c.pszName;
        EXPECT_EQ(m_data.m_strBaseWater, "") << c.pszName;
    }
}

TEST_F(WaterLossDlgTest, ADoubleClickAcceptsAndCancelStoresNothing)
{
    m_data.m_strFillType = "clay";
    m_data.m_strBaseP200 = "5";
    m_data.m_strBaseWater = "12";
    INT_PTR nResult = Run([&](CWaterLossDlg& dlg) {
        ClickCell(dlg.m_grid, 1, 2);
        PressButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_data.m_strBaseWater, "12");

    nResult = Run([&](CWaterLossDlg& dlg) { ClickCell(dlg.m_grid, 2, 4, true); });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(m_data.m_strBaseWater, "8");
}

TEST_F(WaterLossDlgTest, TheRadiosChooseTheFinesAndF1ShowsTheTopic)
{
    m_data.m_strFillType = "filler";
    m_data.m_strBaseP200 = "7.5";
    Run([&](CWaterLossDlg& dlg) {
        PressButton(dlg, IDC_WL_SILT);
        EXPECT_EQ(m_data.m_strFillType, "silt");
        EXPECT_EQ(Cell(dlg.m_grid, 1, 2), "60");
        EXPECT_EQ(Cell(dlg.m_grid, 1, 5), "35.00");
        EXPECT_TRUE(Checked(dlg, IDC_WL_SILT));
        EXPECT_FALSE(Checked(dlg, IDC_WL_FILLER));
        PressButton(dlg, IDC_WL_CLAY);
        EXPECT_EQ(m_data.m_strFillType, "clay");
        EXPECT_EQ(Cell(dlg.m_grid, 2, 5), "11.50");
        PressButton(dlg, IDC_WL_FILLER);
        EXPECT_EQ(m_data.m_strFillType, "filler");
        EXPECT_TRUE(dlg.m_grid.IsReadOnly());

        EXPECT_EQ(SendHelpRequest(dlg, dlg.GetSafeHwnd()), TRUE);
        PressButton(dlg, IDCANCEL);
    });
    ASSERT_EQ(m_help.calls.size(), 1u);
    // No installation directory is known without the main dialog.
    EXPECT_EQ(m_help.calls[0].file, "\\quarrow.chm::/water_loss_method.htm");
    EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
}

TEST_F(WaterLossDlgTest, AnUnknownKindOfFinesLeavesTheTableEmpty)
{
    m_data.m_strFillType = "gravel";
    m_data.m_strBaseP200 = "7.5";
    Run([&](CWaterLossDlg& dlg) {
        EXPECT_EQ(Cell(dlg.m_grid, 1, 1), "");
        EXPECT_EQ(Cell(dlg.m_grid, 1, 5), "");
        EXPECT_FALSE(Checked(dlg, IDC_WL_FILLER));
        PressButton(dlg, IDOK);
    });
    EXPECT_EQ(m_data.m_strBaseWater, "");
}

// ---- Run from the sieve page ----

TEST_F(SievePageTest, TheWaterLossRadioRunsTheDialogOnceAndShowsItsWaterLoss)
{
    int nRuns = 0;
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            CFunctionModalHook hook([&](CWnd* pWnd) {
                auto* pDialog = dynamic_cast<CWaterLossDlg*>(pWnd);
                ASSERT_NE(pDialog, nullptr);
                ++nRuns;
                EXPECT_EQ(pDialog->m_pProjectData, &data);
                EXPECT_EQ(pDialog->m_pParentWnd, nullptr);
                // The radio reports again while the dialog runs: nothing happens.
                page.m_page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SV_WATER_LOSS, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(page.Item(IDC_SV_WATER_LOSS)));
                EXPECT_EQ(data.m_strWaterSub, "loss");
                EXPECT_TRUE(data.m_strSubgradeEffectivePorosity.IsEmpty());
                ::SendMessageA(::GetDlgItem(pDialog->GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
            });
            CScopedModalHook scopedHook(&hook);
            page.Click(IDC_SV_WATER_LOSS);
            EXPECT_EQ(nRuns, 1);
            EXPECT_EQ(data.m_strSubgradeWater, "50.00");
            EXPECT_EQ(page.Text(IDC_SV_WATER), "50.00");
            EXPECT_EQ(page.Text(IDC_SV_WATER_CAPTION), "Water Loss");
            EXPECT_TRUE(page.Checked(IDC_SV_WATER_LOSS));
            EXPECT_FALSE(page.m_page.m_bWaterLossBusy);
        },
        [](CProjectData& data) {
            data.m_strSieveLayer = "subgrade";
            data.m_strFillType = "filler";
            data.m_strSubgradeP200 = "7.5";
            data.m_strSubgradeWater = "3.00";
            data.m_strSubgradeEffectivePorosity = "0.200";
        });
}

} // namespace
