// The sieve analysis page inside the real main dialog on the virtual display: the sieve grid and
// its layout, the table's transfer to the record, the gradation analysis, the layer and mode
// switches, and what the page does when it is shown, left and painted.
#include "tests/quarrow/pages/SievePageTestSupport.h"

#include <functional>

#include "quarrow/app/QuarrowApp.h"
#include "tests/tools/Clipboard.h"
#include "tests/tools/KeyScript.h"

namespace {

const COLORREF Red = RGB(255, 0, 0);
const COLORREF Black = RGB(0, 0, 0);

// ---- Layout ----

TEST_F(SievePageTest, TheGridShowsTheLayerInTheUnitsAndModeOfTheRecord)
{
    Run([](SievePage& page) {
        CSieveGrid& grid = page.Grid();
        EXPECT_EQ(grid.GetRowCount(), 24u);
        EXPECT_EQ(grid.GetColCount(), 1u);
        EXPECT_EQ(page.Cell(0, 0), "Sieve");
        EXPECT_EQ(page.Cell(0, 1), "Percent Passing");
        EXPECT_EQ(page.Cell(1, 0), "0.001mm");
        EXPECT_EQ(page.Cell(4, 0), "#200");
        EXPECT_EQ(page.Cell(24, 0), "3 1/2\"");
        EXPECT_TRUE(page.Checked(IDC_SV_VALUE));
        EXPECT_TRUE(page.Checked(IDC_SV_BASE));
        EXPECT_FALSE(page.Enabled(IDC_SV_SEPARATOR));
        EXPECT_FALSE(page.Enabled(IDC_SV_PLOT));
        EXPECT_EQ(page.Text(IDC_SV_UNIT_D10), "in.");
        EXPECT_EQ(page.Text(IDC_SV_UNIT_K), "ft/d");
        EXPECT_EQ(page.LibrarySelection(), "<user defined>");
        SaveSettledPicture(page.m_dlg.GetSafeHwnd(), "sieve-page-english.bmp");
    });

    Run(
        [](SievePage& page) {
            CSieveGrid& grid = page.Grid();
            EXPECT_EQ(grid.GetColCount(), 2u);
            EXPECT_EQ(page.Cell(0, 0), "Sieve (mm)");
            EXPECT_EQ(page.Cell(0, 1), "Lower Bound");
            EXPECT_EQ(page.Cell(0, 2), "Upper Bound");
            EXPECT_EQ(page.Cell(1, 0), "0.001");
            EXPECT_EQ(page.Cell(13, 0), "2.00");
            EXPECT_EQ(page.Cell(24, 0), "90.0");
            EXPECT_EQ(page.Cell(4, 1), "2.0");
            EXPECT_EQ(page.Cell(4, 2), "8.0");
            EXPECT_TRUE(page.Checked(IDC_SV_RANGE));
            EXPECT_TRUE(page.Checked(IDC_SV_SUBGRADE));
            EXPECT_TRUE(page.Enabled(IDC_SV_SEPARATOR));
            EXPECT_TRUE(page.Checked(IDC_SV_AGGREGATE_SEPARATOR));
            EXPECT_EQ(page.Text(IDC_SV_UNIT_D85), "mm");
            EXPECT_EQ(page.Text(IDC_SV_UNIT_K), "m/d");
            EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(page.Item(IDC_SV_UNIT_UW), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                      static_cast<HBITMAP>(page.m_page.m_bmpUnitWeightMetric.GetSafeHandle()));
            EXPECT_EQ(reinterpret_cast<HBITMAP>(::SendMessageA(page.Item(IDC_SV_PIC_K), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                      static_cast<HBITMAP>(page.m_page.m_bmpPermeabilitySubgrade.GetSafeHandle()));
            SaveSettledPicture(page.m_dlg.GetSafeHwnd(), "sieve-page-metric-range.bmp");
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strSieveType = "range";
            data.m_strSieveLayer = "subgrade";
            data.m_strSeparatorType = "aggregate";
            data.m_strSieve[No200][3 + CProjectData::SieveLower] = "2.0";
            data.m_strSieve[No200][3 + CProjectData::SieveUpper] = "8.0";
        });
}

} // namespace

namespace {

// ---- The table between grid and record ----

TEST_F(SievePageTest, TypedPercentagesAreStoredNormalisedAndShownAsStored)
{
    Run([](SievePage& page) {
        const char* const typed[] = {"150", "45", "37.56", "-5", "abc", "0.96", "0.5", ""};
        const char* const stored[] = {"100.0", "45.0", "37.6", "0.", "0.", "1.0", "0.5", ""};
        for (int i = 0; i < 8; ++i)
            page.SetCell(i + 1, 1, typed[i]);
        page.m_page.StoreSieveTable();
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(SieveText(page.m_data, 0, i, CProjectData::SieveValue), stored[i]) << typed[i];
            EXPECT_EQ(page.Cell(i + 1, 1), stored[i]) << typed[i];
        }
        EXPECT_EQ(SieveNumber(page.m_data, 0, 1, CProjectData::SieveValue), 45.0);
        EXPECT_EQ(SieveNumber(page.m_data, 0, 7, CProjectData::SieveValue), -1.0);
        // The bounds of the value mode are left to the analysis.
        EXPECT_EQ(SieveText(page.m_data, 0, 1, CProjectData::SieveLower), "");
    });
}

TEST_F(SievePageTest, TextTypedIntoACellIsStoredWhenThePageIsLeft)
{
    Run([](SievePage& page) {
        page.TypeIntoCell(4, 1, "12.34");
        EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");
        // Still in the cell editor: leaving the page takes it into the record all the same.
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageInflow);
        PumpMessages();
        EXPECT_EQ(SieveText(page.m_data, 0, No200, CProjectData::SieveValue), "12.3");
        page.m_dlg.m_pSheet->SetActivePage(CQuarrowDlg::PageSieveAnalysis);
        PumpMessages();
        EXPECT_EQ(page.Cell(4, 1), "12.3");
    });
}

TEST_F(SievePageTest, SwitchingModeOrLayerStoresFirstAndShowsTheOtherTexts)
{
    Run([](SievePage& page) {
        CProjectData& data = page.m_data;
        page.Click(IDC_SV_RANGE);
        EXPECT_EQ(data.m_strSieveType, "range");
        page.SetCell(4, 1, "2");
        page.SetCell(4, 2, "8");
        page.SetCell(15, 1, "30");
        page.SetCell(15, 2, "50");
        page.Click(IDC_SV_GRADATION);
        // The analysis of a range table gives the value column the middles of the bounds.
        page.Click(IDC_SV_VALUE);
        EXPECT_EQ(page.Cell(4, 1), "5.0");
        EXPECT_EQ(page.Cell(15, 1), "40.0");
        EXPECT_EQ(SieveText(data, 0, No200, CProjectData::SieveUpper), "8.0");

        page.Click(IDC_SV_SUBGRADE);
        EXPECT_EQ(data.m_strSieveLayer, "subgrade");
        EXPECT_EQ(page.Cell(4, 1), "");
        page.SetCell(24, 1, "100");
        page.Click(IDC_SV_BASE);
        EXPECT_EQ(SieveText(data, 1, ThreeAndHalf, CProjectData::SieveValue), "100.0");
        EXPECT_EQ(page.Cell(4, 1), "5.0");
        EXPECT_EQ(page.Text(IDC_SV_D10), static_cast<LPCTSTR>(data.m_strBaseD10));
    });
}

TEST_F(SievePageTest, ClearingTheAggregateSeparatorLeavesTheSeparatorLayer)
{
    Run(
        [](SievePage& page) {
            CProjectData& data = page.m_data;
            page.Click(IDC_SV_SEPARATOR);
            EXPECT_EQ(data.m_strSieveLayer, "seperator");
            EXPECT_EQ(page.Summary(IDC_SEPARATOR_STATUS), "Separator - Undefined");
            page.SetCell(4, 1, "7");
            page.Click(IDC_SV_AGGREGATE_SEPARATOR);
            EXPECT_EQ(data.m_strSeparatorType, "none");
            EXPECT_EQ(data.m_strSieveLayer, "base");
            EXPECT_TRUE(page.Checked(IDC_SV_BASE));
            EXPECT_FALSE(page.Checked(IDC_SV_SEPARATOR));
            EXPECT_FALSE(page.Enabled(IDC_SV_SEPARATOR));
            EXPECT_EQ(SieveText(data, 2, No200, CProjectData::SieveValue), "7.0");
            EXPECT_EQ(page.Summary(IDC_SEPARATOR_STATUS), "Separator - None");
            page.Click(IDC_SV_AGGREGATE_SEPARATOR);
            EXPECT_EQ(data.m_strSeparatorType, "aggregate");
            EXPECT_TRUE(page.Enabled(IDC_SV_SEPARATOR));
            EXPECT_TRUE(page.Checked(IDC_SV_BASE));
        },
        [](CProjectData& data) { data.m_strSeparatorType = "aggregate"; });
}

TEST_F(SievePageTest, TheStatusLinkSwitchesTheLayerWithoutLosingTheShownTable)
{
    Run([](SievePage& page) {
        CProjectData& data = page.m_data;
        page.SetCell(4, 1, "6");
        // The summary panel's subgrade status, while the page shows the base.
        page.m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SUBGRADE_STATUS, STN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(page.m_dlg.GetSafeHwnd(), IDC_SUBGRADE_STATUS)));
        PumpMessages();
        page.Repaint();
        EXPECT_EQ(data.m_strSieveLayer, "subgrade");
        EXPECT_EQ(SieveText(data, 0, No200, CProjectData::SieveValue), "6.0");
        EXPECT_EQ(SieveText(data, 1, No200, CProjectData::SieveValue), "");
        EXPECT_EQ(page.Cell(4, 1), "");
        EXPECT_TRUE(page.Checked(IDC_SV_SUBGRADE));
    });
}

// ---- Gradation analysis ----

void EnterReferenceTable(SievePage& page)
{
    page.SetValues({{No200, "5"}, {No40, "15"}, {No8, "30"}, {No4, "45"}, {ThreeEighths, "60"},
                    {ThreeQuarters, "85"}, {One, "100"}});
}

TEST_F(SievePageTest, TheAnalysisShowsTheGrainSizesAndDefinesTheLayer)
{
    struct Case
    {
        const char* pszUnits;
        const char *pszD10, *pszD85;
    } cases[] = {
        {"metric", "0.2106", "19.0000"},
        {"english", "0.0083", "0.7480"},
    };
    for (const Case& c : cases) {
        Run(
            [&](SievePage& page) {
                EXPECT_EQ(page.Summary(IDC_BASE_STATUS), "Base - Undefined");
                page.m_data.m_bSeparatorChecked = 1;
                EnterReferenceTable(page);
                page.Click(IDC_SV_GRADATION);
                const CProjectData& data = page.m_data;
                EXPECT_EQ(data.m_strBaseD10, c.pszD10) << c.pszUnits;
                EXPECT_EQ(data.m_strBaseD85, c.pszD85) << c.pszUnits;
                EXPECT_EQ(page.Text(IDC_SV_D10), c.pszD10);
                EXPECT_EQ(page.Text(IDC_SV_D85), c.pszD85);
                EXPECT_EQ(page.Text(IDC_SV_P200), "5.00");
                EXPECT_EQ(page.Text(IDC_SV_CU), "45.11");
                EXPECT_EQ(page.Text(IDC_SV_CC), "2.78");
                EXPECT_EQ(page.Summary(IDC_BASE_STATUS), "Base - Defined");
                EXPECT_TRUE(page.Enabled(IDC_SV_PLOT));
                EXPECT_EQ(data.m_bSeparatorChecked, 0);
                // Value mode completes the bounds.
                EXPECT_EQ(SieveText(data, 0, No4, CProjectData::SieveUpper), "45.0");
                EXPECT_EQ(page.CellColour(5, 1), Black);
                EXPECT_TRUE(m_messages.calls.empty());
            },
            [&](CProjectData& data) { data.m_strUnits = c.pszUnits; });
    }
    Run(
        [](SievePage& page) {
            page.SetValues({{No4, "20"}, {ThreeEighths, "50"}, {ThreeQuarters, "80"}});
            page.Click(IDC_SV_GRADATION);
            EXPECT_EQ(page.Text(IDC_SV_D10), "1.0180");
            EXPECT_EQ(page.Text(IDC_SV_D85), "32.7617");
            EXPECT_EQ(page.Text(IDC_SV_P200), "3.09");
            EXPECT_EQ(page.Text(IDC_SV_CU), "12.05");
            EXPECT_EQ(page.Text(IDC_SV_CC), "3.01");
            SaveSettledPicture(page.m_dlg.GetSafeHwnd(), "sieve-page-analysed.bmp");
        },
        [](CProjectData& data) { data.m_strUnits = "metric"; });
}

TEST_F(SievePageTest, ATableOutOfOrderMarksTheCellRedAndKeepsTheResults)
{
    Run(
        [&](SievePage& page) {
            page.SetValues({{No200, "10"}, {No40, "20"}, {No4, "15"}});
            page.Click(IDC_SV_GRADATION);
            EXPECT_EQ(page.CellColour(No4 + 1, 1), Red);
            EXPECT_EQ(page.CellColour(No200 + 1, 1), Black);
            EXPECT_EQ(page.CellColour(No40 + 1, 1), Black);
            EXPECT_EQ(page.CellColour(1, 1), Black);
            EXPECT_EQ(page.m_data.m_strBaseD10, "0.5000");
            EXPECT_EQ(page.Text(IDC_SV_D10), "0.5000");
            EXPECT_FALSE(page.Enabled(IDC_SV_PLOT));
            EXPECT_FALSE(page.m_page.m_bGradationValid);
            EXPECT_TRUE(m_messages.calls.empty());
            // Mended, the table is in order again and black.
            page.SetCell(No4 + 1, 1, "25");
            page.Click(IDC_SV_GRADATION);
            EXPECT_EQ(page.CellColour(No4 + 1, 1), Black);
            EXPECT_TRUE(page.Enabled(IDC_SV_PLOT));
        },
        [](CProjectData& data) {
            data.m_strBaseD10 = "0.5000";
            data.m_strBaseCc = "1.00";
        });
}

TEST_F(SievePageTest, AnEmptyTableAsksForSieveData)
{
    Run([&](SievePage& page) {
        page.Click(IDC_SV_GRADATION);
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text, "Enter sieve data before calculating gradation analysis.");
        EXPECT_EQ(m_messages.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_TRUE(page.m_data.m_strBaseD10.IsEmpty());
    });
}

TEST_F(SievePageTest, ARangeTableMarksBothCellsOfARowWithALowerBoundAlone)
{
    Run(
        [](SievePage& page) {
            page.SetCell(4, 1, "2");
            page.SetCell(4, 2, "8");
            page.SetCell(15, 1, "30");
            page.Click(IDC_SV_GRADATION);
            EXPECT_EQ(page.CellColour(15, 1), Red);
            EXPECT_EQ(page.CellColour(15, 2), Red);
            EXPECT_EQ(page.CellColour(4, 1), Black);
            EXPECT_EQ(page.CellColour(4, 2), Black);
        },
        [](CProjectData& data) { data.m_strSieveType = "range"; });
}

// ---- The grid's notifications ----

TEST_F(SievePageTest, TabInTheGridMovesToTheAnalysisButtonAndShiftHelpSaysHelp)
{
    Run([&](SievePage& page) {
        page.Grid().SetFocus();
        page.Grid().MoveCurrentCell(3, 1);
        PumpMessages();
        // The dialog manager leaves Tab to the grid.
        EXPECT_NE(::SendMessageA(page.Grid().GetSafeHwnd(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB, 0);
        page.Key(VK_TAB);
        EXPECT_EQ(::GetFocus(), page.Item(IDC_SV_GRADATION));

        page.TypeIntoCell(5, 1, "3");
        page.Key(VK_TAB, {VK_SHIFT});
        EXPECT_EQ(::GetFocus(), page.Item(IDC_SV_GRADATION));

        page.Grid().SetFocus();
        PumpMessages();
        page.Key(VK_HELP, {VK_SHIFT});
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text, "Help!");
        EXPECT_EQ(::GetFocus(), page.Grid().GetSafeHwnd());
        page.Key(VK_HELP);
        EXPECT_EQ(::GetFocus(), page.Item(IDC_SV_GRADATION));
        EXPECT_EQ(m_messages.calls.size(), 1u);
    });
}

TEST_F(SievePageTest, EditingACellMakesTheMaterialUserDefinedAndDropsWhatCameOfIt)
{
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            page.TypeIntoCell(4, 1, "5");
            EXPECT_EQ(data.m_strBaseDescription, "<user defined>");
            for (const CString* pField : {&data.m_strBaseD10, &data.m_strBaseD85, &data.m_strBaseP200,
                                          &data.m_strBaseCu, &data.m_strBaseCc, &data.m_strBaseUnitWeight,
                                          &data.m_strBaseSpecificGravity, &data.m_strBaseK,
                                          &data.m_strBasePorosity, &data.m_strBaseEffectivePorosity,
                                          &data.m_strBaseWater})
                EXPECT_TRUE(pField->IsEmpty()) << static_cast<LPCTSTR>(*pField);
            EXPECT_EQ(data.m_bSeparatorChecked, 0);
            EXPECT_FALSE(page.m_page.m_bLibraryMaterial);
            EXPECT_EQ(page.Text(IDC_SV_D10), "");
            EXPECT_EQ(page.Text(IDC_SV_UNIT_WEIGHT), "");
            EXPECT_EQ(page.Summary(IDC_BASE_STATUS), "Base - Undefined");
            // The subgrade keeps its own.
            EXPECT_EQ(data.m_strSubgradeD10, "0.1000");
        },
        [](CProjectData& data) {
            for (CString* pField : {&data.m_strBaseD10, &data.m_strBaseD85, &data.m_strBaseP200, &data.m_strBaseCu,
                                    &data.m_strBaseCc, &data.m_strBaseUnitWeight, &data.m_strBaseSpecificGravity,
                                    &data.m_strBaseK, &data.m_strBasePorosity, &data.m_strBaseEffectivePorosity,
                                    &data.m_strBaseWater})
                *pField = "1.0";
            data.m_strSubgradeD10 = "0.1000";
            data.m_bSeparatorChecked = 1;
        });
}

// Clearing, cutting, pasting and undoing change the table as typing does, and drop the same.
TEST_F(SievePageTest, EveryWayOfChangingACellDropsWhatCameOfTheOldGradation)
{
    const struct
    {
        const char* pszWay;
        std::function<void(SievePage&)> change;
        const char* pszCellAfter;
    } cases[] = {
        {"Delete", [](SievePage& page) { page.Key(VK_DELETE); }, ""},
        {"Shift+Delete", [](SievePage& page) { page.Key(VK_DELETE, {VK_SHIFT}); }, ""},
        {"Ctrl+V",
         [&](SievePage&) {
             PutText("7");
             ::SendMessageA(::GetFocus(), WM_CHAR, 22, 1);
             PumpMessages();
         },
         "7"},
        {"Ctrl+Z",
         [](SievePage& page) {
             // The typed 9 is taken into the cell, the results come back, then the typing is undone.
             page.TypeIntoCell(4, 1, "9");
             page.Key(VK_RETURN);
             page.m_data.m_strBaseD10 = "1.0";
             page.m_data.m_strBaseDescription = "Crushed 57";
             page.m_page.m_bLibraryMaterial = TRUE;
             page.Grid().MoveCurrentCell(4, 1);
             ::SendMessageA(::GetFocus(), WM_CHAR, 26, 1);
             PumpMessages();
         },
         "5.0"},
    };
    for (const auto& c : cases)
    {
        Run(
            [&](SievePage& page) {
                CProjectData& data = page.m_data;
                page.Grid().SetFocus();
                page.Grid().SelectRange(CGXRange().SetTable(), FALSE);
                page.Grid().MoveCurrentCell(4, 1);
                PumpMessages();
                c.change(page);
                EXPECT_EQ(page.Cell(4, 1), c.pszCellAfter) << c.pszWay;
                EXPECT_EQ(data.m_strBaseDescription, "<user defined>") << c.pszWay;
                EXPECT_TRUE(data.m_strBaseD10.IsEmpty()) << c.pszWay;
                EXPECT_TRUE(data.m_strBaseK.IsEmpty()) << c.pszWay;
                EXPECT_FALSE(page.m_page.m_bLibraryMaterial) << c.pszWay;
                EXPECT_EQ(page.Text(IDC_SV_D10), "") << c.pszWay;
            },
            [](CProjectData& data) {
                data.m_strSieve[No200][CProjectData::SieveValue] = "5.0";
                data.m_dSieve[No200][CProjectData::SieveValue] = 5.0;
                data.m_strBaseD10 = "1.0";
                data.m_strBaseK = "12.000";
                data.m_strBaseCc = "1.2";
                data.m_strBaseDescription = "Crushed 57";
            });
    }
}

TEST_F(SievePageTest, ASieveTableTypedAheadIsKeptAsTypedSlowly)
{
    // From the first cell: Down to the #200 sieve (row 4), then each percentage and Down, as far as
    // the 1 1/2" sieve (row 20).
    const std::string script = "DDD2DDDDD5DDDD10DD25D45D60D80D95D100D";
    const char* const expected = "4:2 9:5 13:10 15:25 16:45 17:60 18:80 19:95 20:100 at 21 "
                                 "/ 4:2.0 9:5.0 13:10.0 15:25.0 16:45.0 17:60.0 18:80.0 19:95.0 20:100.0";
    Run([&](SievePage& page) {
        CSieveGrid& grid = page.Grid();
        ::SetForegroundWindow(page.m_dlg.GetSafeHwnd());
        auto pumpUntilIdle = [] {
            for (int nQuiet = 0; nQuiet < 4; ++nQuiet) {
                MSG msg;
                if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
                    nQuiet = -1;
                PumpMessages();
                ::Sleep(5);
            }
        };
        // The cells typed into, then the record's texts once the page stored the table.
        auto typed = [&](KeyPace pace) {
            for (ROWCOL nRow = 1; nRow <= grid.GetRowCount(); ++nRow)
                page.SetCell(nRow, 1, "");
            page.m_page.StoreSieveTable();
            grid.SetFocus();
            grid.MoveCurrentCell(1, 1);
            pumpUntilIdle();
            TypeKeyScript(script, pace, pumpUntilIdle);
            std::string text;
            for (ROWCOL nRow = 1; nRow <= grid.GetRowCount(); ++nRow)
                if (!page.Cell(nRow, 1).empty())
                    text += std::to_string(nRow) + ":" + page.Cell(nRow, 1) + " ";
            ROWCOL nRow = 0, nCol = 0;
            grid.GetCurrentCell(nRow, nCol);
            text += "at " + std::to_string(nRow) + " /";
            page.m_page.StoreSieveTable();
            for (int nSieve = 0; nSieve < CProjectData::SieveCount; ++nSieve) {
                const std::string value = SieveText(page.m_data, 0, nSieve, CProjectData::SieveValue);
                if (!value.empty())
                    text += " " + std::to_string(nSieve + 1) + ":" + value;
            }
            return text;
        };
        ASSERT_EQ(::GetForegroundWindow(), page.m_dlg.GetSafeHwnd());
        EXPECT_EQ(typed(KeyPace::Slow), expected);
        for (KeyPace pace : {KeyPace::Burst, KeyPace::TypeAhead, KeyPace::Typist})
            EXPECT_EQ(typed(pace), expected) << KeyPaceName(pace);
    });
}

// ---- The page and the project ----

TEST_F(SievePageTest, PaintingTheShownPageChangesNothingOfTheDesign)
{
    Run([](SievePage& page) {
        page.m_data.m_bModified = 0;
        page.Repaint();
        PumpMessages();
        EXPECT_EQ(page.m_data.m_bModified, 0);
        page.Type(IDC_SV_UNIT_WEIGHT, "120");
        EXPECT_EQ(page.m_data.m_bModified, 1);
    });
}

} // namespace
