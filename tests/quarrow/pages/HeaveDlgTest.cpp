// The heave determination dialog on the virtual display, run through the modal seam and driven
// with mouse messages on its table.
#include "tests/quarrow/pages/PageTestSupport.h"

#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Style.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/HeaveDlg.h"
#include "resources/quarrow/resource.h"

namespace {

// Mouse messages at the middle of a cell, as the grid window receives them.
void ClickCell(CHeaveGrid& grid, ROWCOL nRow, ROWCOL nCol, bool bDouble = false)
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
}

void PressButton(CDialog& dlg, int nID)
{
    ::SendMessageA(::GetDlgItem(dlg.GetSafeHwnd(), nID), BM_CLICK, 0, 0);
}

// The text a cell shows: its control's display text of its style.
std::string CellText(CHeaveGrid& grid, ROWCOL nRow, ROWCOL nCol)
{
    CString text;
    grid.GetControl(nRow, nCol)->GetControlText(text, nRow, nCol, nullptr, grid.LookupStyleRowCol(nRow, nCol));
    return static_cast<LPCTSTR>(text);
}

class HeaveDlgTest : public ::testing::Test
{
protected:
    HeaveDlgTest() { GXStartLibrary(); }

    // Runs the dialog modally on a record with the units word; drive gets the running dialog.
    INT_PTR Run(const char* pszUnits, const std::function<void(CHeaveDlg&)>& drive)
    {
        m_data.m_strUnits = pszUnits;
        CHeaveDlg dlg(nullptr);
        dlg.m_pProjectData = &m_data;
        return RunDrivenDialog(dlg, drive);
    }

    CProjectData m_data{"english"};
    CRecordingHtmlHelp m_help;
    CScopedHtmlHelpSeam m_scopedHelp{&m_help};
};

TEST_F(HeaveDlgTest, TheTableListsTheClassesInTheRecordsUnits)
{
    Run("english", [&](CHeaveDlg& dlg) {
        CHeaveGrid& grid = dlg.m_grid;
        EXPECT_EQ(grid.GetRowCount(), 26u);
        EXPECT_EQ(grid.GetColCount(), 6u);
        EXPECT_EQ(CellText(grid, 0, 0), "Soil Type");
        EXPECT_EQ(CellText(grid, 0, 4), "Min. Heave in/day");
        EXPECT_EQ(CellText(grid, 0, 5), "Max Heave in/day");
        EXPECT_EQ(CellText(grid, 0, 6), "Frost Susceptibility");
        EXPECT_EQ(CellText(grid, 1, 0), "Gravel and sandy gravel");
        EXPECT_EQ(CellText(grid, 26, 1), "CH");
        // English heave rates are numbers shown with two places: 3 mm/day is 0.1181... in/day.
        EXPECT_EQ(CellText(grid, 1, 4), "0.12");
        EXPECT_EQ(CellText(grid, 1, 5), "0.12");
        EXPECT_EQ(grid.GetValueRowCol(1, 4), "0.1181102362205");
        EXPECT_EQ(CellText(grid, 16, 3), "22");
        EXPECT_TRUE(grid.IsReadOnly());
        EXPECT_EQ(grid.LookupStyleRowCol(3, 2).GetControl(), GX_IDS_CTRL_STATIC);
        SaveScreenPicture(dlg.GetSafeHwnd(), "heave-dialog.bmp");
        PressButton(dlg, IDCANCEL);
    });
    Run("metric", [&](CHeaveDlg& dlg) {
        EXPECT_EQ(CellText(dlg.m_grid, 0, 4), "Min. Heave mm/day");
        EXPECT_EQ(CellText(dlg.m_grid, 2, 4), "0.3");
        EXPECT_EQ(CellText(dlg.m_grid, 19, 5), "14");
        PressButton(dlg, IDCANCEL);
    });
}

TEST_F(HeaveDlgTest, OkTurnsTheClickedRowIntoAHeaveRate)
{
    struct Case
    {
        const char* pszUnits;
        ROWCOL nRow;
        const char* pszRate;
    } cases[] = {
        {"metric", 2, "0.65"},
        {"english", 1, "0.12"},
        {"metric", 21, "25."},
        {"english", 21, "0.98"},
        {"metric", 5, "2."},
        // A header click picks no class.
        {"metric", 0, ""},
    };
    for (const Case& c : cases) {
        m_data.m_strHeaveRate = "9.9";
        m_data.m_nFocusControl = 0;
        const INT_PTR nResult = Run(c.pszUnits, [&](CHeaveDlg& dlg) {
            ClickCell(dlg.m_grid, c.nRow, 1);
            PressButton(dlg, IDOK);
        });
        EXPECT_EQ(nResult, IDOK);
        EXPECT_EQ(m_data.m_strHeaveRate, c.pszRate) << c.pszUnits << " row " << c.nRow;
        EXPECT_EQ(m_data.m_nFocusControl, IDC_IN_HEAVE);
    }
}

TEST_F(HeaveDlgTest, CancelChangesNothing)
{
    m_data.m_strHeaveRate = "1.5";
    const INT_PTR nResult = Run("metric", [&](CHeaveDlg& dlg) {
        ClickCell(dlg.m_grid, 2, 3);
        PressButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_data.m_strHeaveRate, "1.5");
    EXPECT_EQ(m_data.m_nFocusControl, 0);
}

TEST_F(HeaveDlgTest, ADoubleClickAcceptsTheRow)
{
    const INT_PTR nResult = Run("metric", [&](CHeaveDlg& dlg) { ClickCell(dlg.m_grid, 20, 2, true); });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(m_data.m_strHeaveRate, "20.");
}

TEST_F(HeaveDlgTest, HelpOpensTheHeaveTopic)
{
    Run("metric", [&](CHeaveDlg& dlg) {
        EXPECT_TRUE(SendHelpRequest(dlg, dlg.m_grid.GetSafeHwnd()));
        PressButton(dlg, IDCANCEL);
    });
    ASSERT_EQ(m_help.calls.size(), 1u);
    EXPECT_TRUE(m_help.calls[0].file.size() >= 10 &&
                m_help.calls[0].file.substr(m_help.calls[0].file.size() - 10) == "/heave.htm")
        << m_help.calls[0].file;
    EXPECT_EQ(m_help.calls[0].uCommand, static_cast<UINT>(HH_DISPLAY_TOPIC));
}

} // namespace
