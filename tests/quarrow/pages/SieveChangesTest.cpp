// What the sieve page's changes take with them on the other pages, and what its undo and its
// permeability button refuse.
#include "tests/quarrow/pages/SievePageTestSupport.h"

#include "tests/tools/Clipboard.h"

namespace {

// A base whose material and gradation gave every result of the permeable base and the edge drain.
void BaseWithResults(CProjectData& data)
{
    data.m_strSieve[No200][CProjectData::SieveValue] = "5.0";
    data.m_dSieve[No200][CProjectData::SieveValue] = 5.0;
    data.m_strBaseD10 = "0.0100";
    data.m_strBaseP200 = "5.00";
    data.m_strBaseCc = "1.20";
    data.m_strBaseK = "1000.";
    data.m_strBasePorosity = "0.300";
    data.m_strBaseEffectivePorosity = "0.25";
    data.m_strBaseThickness = "0.5";
    data.m_strResultantSlope = "0.0361";
    data.m_strResultantLength = "16.83";
    data.m_strPercentDrained = "50.";
    data.m_strDrainMethod = "AASHTO";
    data.m_strPercentSaturation = "58.3";
    data.m_strTimeToDrain = "3.20";
    data.m_strBaseMinThickness = "0.2";
    data.m_strBaseDischargeRate = "120.500";
    data.m_strDischarge = "TTD";
    data.m_strPipeFlow = "52510.5";
    data.m_strOutletSpacing = "2346.8";
}

using SieveChangesTest = SievePageTest;

TEST_F(SieveChangesTest, EveryWayOfChangingABaseCellEmptiesItsMaterialAndEveryResultAbove)
{
    const struct
    {
        const char* pszWay;
        std::function<void(SievePage&)> change;
    } ways[] = {
        {"typing",
         [](SievePage& page) {
             page.TypeIntoCell(4, 1, "9");
             page.Key(VK_RETURN);
         }},
        {"Delete", [](SievePage& page) { page.Key(VK_DELETE); }},
        {"paste",
         [](SievePage&) {
             PutText("7");
             ::SendMessageA(::GetFocus(), WM_CHAR, 22, 1);
             PumpMessages();
         }},
    };
    for (const auto& way : ways)
    {
        Run(
            [&](SievePage& page) {
                page.Grid().SetFocus();
                page.Grid().MoveCurrentCell(4, 1);
                PumpMessages();
                way.change(page);
                const CProjectData& data = page.m_data;
                for (const CString* pEmptied : {&data.m_strBaseK, &data.m_strBasePorosity,
                                                &data.m_strBaseEffectivePorosity, &data.m_strTimeToDrain,
                                                &data.m_strPercentDrained, &data.m_strPercentSaturation,
                                                &data.m_strBaseMinThickness, &data.m_strBaseDischargeRate,
                                                &data.m_strOutletSpacing})
                    EXPECT_EQ(*pEmptied, "") << way.pszWay;
                EXPECT_EQ(page.Summary(IDC_TIME_TO_DRAIN), "") << way.pszWay;
                EXPECT_EQ(page.Summary(IDC_BASE_DISCHARGE), "") << way.pszWay;
                EXPECT_EQ(page.Summary(IDC_OUTLET_SPACING), "") << way.pszWay;
                // The pipe's capacity and the base's thickness are not computed from the gradation.
                EXPECT_EQ(data.m_strPipeFlow, "52510.5") << way.pszWay;
                EXPECT_EQ(data.m_strBaseThickness, "0.5") << way.pszWay;
            },
            BaseWithResults);
    }
}

TEST_F(SieveChangesTest, ASeparatorCellChangedLeavesTheBasesResults)
{
    Run(
        [&](SievePage& page) {
            page.TypeIntoCell(4, 1, "9");
            page.Key(VK_RETURN);
            const CProjectData& data = page.m_data;
            EXPECT_EQ(data.m_strSeparatorD10, "");
            EXPECT_EQ(data.m_strTimeToDrain, "3.20");
            EXPECT_EQ(data.m_strBaseMinThickness, "0.2");
            EXPECT_EQ(data.m_strBaseDischargeRate, "120.500");
            EXPECT_EQ(data.m_strBaseK, "1000.");
        },
        [](CProjectData& data) {
            BaseWithResults(data);
            data.m_strSeparatorType = "aggregate";
            data.m_strSieveLayer = "seperator";
            data.m_strSeparatorD10 = "0.0100";
            data.m_strSeparatorCc = "1.10";
        });
}

TEST_F(SieveChangesTest, UndoAfterAnotherLayerIsShownChangesNothingOfIt)
{
    Run(
        [&](SievePage& page) {
            page.TypeIntoCell(4, 1, "9");
            page.Key(VK_RETURN);
            page.Click(IDC_SV_SUBGRADE);
            page.Grid().SetFocus();
            page.Grid().MoveCurrentCell(4, 1);
            PumpMessages();
            ::SendMessageA(::GetFocus(), WM_CHAR, 26, 1);
            PumpMessages();
            const CProjectData& data = page.m_data;
            EXPECT_EQ(page.Cell(4, 1), "20.0");
            EXPECT_EQ(SieveText(data, CProjectData::LayerSubgrade, No200, CProjectData::SieveValue), "20.0");
            EXPECT_EQ(data.m_strSubgradeD10, "0.0020");
            EXPECT_EQ(data.m_strSubgradeK, "0.500");
            EXPECT_EQ(data.m_strSubgradeDescription, "Silty clay");
        },
        [](CProjectData& data) {
            data.m_strSieve[No200][3 + CProjectData::SieveValue] = "20.0";
            data.m_dSieve[No200][3 + CProjectData::SieveValue] = 20.0;
            data.m_strSubgradeD10 = "0.0020";
            data.m_strSubgradeK = "0.500";
            data.m_strSubgradeDescription = "Silty clay";
        });
}

TEST_F(SieveChangesTest, ThePermeabilityOfANegativePorosityIsRefused)
{
    for (const char* pszPorosity : {"-0.1", "0"})
    {
        m_messages.calls.clear();
        Run(
            [&](SievePage& page) {
                page.Click(IDC_SV_CALC_PERMEABILITY);
                ASSERT_EQ(m_messages.calls.size(), 1u) << pszPorosity;
                EXPECT_EQ(m_messages.calls[0].text, "The porosity must be greater than 0");
                EXPECT_EQ(m_messages.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
                EXPECT_EQ(page.m_data.m_strBaseK, "12.000") << pszPorosity;
            },
            [&](CProjectData& data) {
                data.m_strBaseD10 = "0.0100";
                data.m_strBaseP200 = "5.00";
                data.m_strBasePorosity = pszPorosity;
                data.m_strBaseK = "12.000";
            });
    }
}

} // namespace
