// What a change empties in the record: every result computed from the changed value, on every page
// and through every step, and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/ResultDependencies.h"

namespace {

using P = CProjectData;
using TextField = CString CProjectData::*;

struct NamedField
{
    const char* pszName;
    TextField field;
};

// The results of a whole design, each with the name of its project-file section.
const NamedField Results[] = {
    {"Width of permeable base", &P::m_strBaseWidth},
    {"Resultant slope", &P::m_strResultantSlope},
    {"Resultant length of flow through base", &P::m_strResultantLength},
    {"Rate of pavement infiltration", &P::m_strInfiltrationRate},
    {"Pavement load", &P::m_strPavementLoad},
    {"Meltwater flow", &P::m_strMeltwaterFlow},
    {"Total inflow into drainage layer", &P::m_strTotalInflow},
    {"Base.D10", &P::m_strBaseD10},
    {"Base.Porosity", &P::m_strBasePorosity},
    {"Base.Effective Porosity", &P::m_strBaseEffectivePorosity},
    {"Base.k", &P::m_strBaseK},
    {"Subgrade.D85", &P::m_strSubgradeD85},
    {"Subgrade.k", &P::m_strSubgradeK},
    {"Seperator.D15", &P::m_strSeparatorD15},
    {"Time to drain", &P::m_strTimeToDrain},
    {"Percent drained", &P::m_strPercentDrained},
    {"Percent saturation", &P::m_strPercentSaturation},
    {"Base.Minimum Thickness", &P::m_strBaseMinThickness},
    {"Permeable base discharge rate", &P::m_strBaseDischargeRate},
    {"Apparent opening size", &P::m_strApparentOpeningSize},
    {"Pipe flow", &P::m_strPipeFlow},
    {"Outlet spacing", &P::m_strOutletSpacing},
};

// An English design with every result computed: crack method with meltwater, a pipe drain sized by
// the time-to-drain approach, an aggregate separator checked.
void FillDesign(CProjectData& data)
{
    data.m_strGeometryCoefficientB = "24.";
    data.m_strGeometryCoefficientC = "2.";
    data.m_strLongitudinalSlope = "0.0200";
    data.m_strCrossSlope = "0.0300";
    data.m_strInfiltrationMethod = "crack";
    data.m_strMeltwater = "yes";
    data.m_strHeaveRate = "0.12";
    data.m_strBaseThickness = "0.5";
    data.m_strBaseUnitWeight = "110.";
    data.m_strBaseSpecificGravity = "2.65";
    data.m_strBaseWater = "2.00";
    data.m_strPipeDiameter = "6.";
    data.m_strManningCoefficient = "0.012";
    data.m_strEdgeDrainType = "pipe";
    data.m_strDischarge = "TTD";
    data.m_strDrainMethod = "PRM";
    data.m_strPercentSaturation = "85.";
    data.m_strSeparatorType = "aggregate";
    for (const NamedField& result : Results)
        data.*result.field = "1.5";
    data.m_bSeparatorChecked = TRUE;
}

// The names of the results that a change left empty.
std::vector<std::string> Emptied(const CProjectData& data)
{
    std::vector<std::string> names;
    for (const NamedField& result : Results)
        if ((data.*result.field).IsEmpty())
            names.push_back(result.pszName);
    if (!data.m_bSeparatorChecked)
        names.push_back("verdicts");
    return names;
}

using Names = std::vector<std::string>;

TEST(ResultDependenciesTest, AChangeEmptiesWhatIsComputedFromItThroughEveryPage)
{
    const struct
    {
        const char* pszChange;
        void (*arrange)(CProjectData&);
        CDesignValue changed;
        Names emptied;
    } cases[] = {
        {"cross slope", [](CProjectData&) {}, &P::m_strCrossSlope,
         {"Resultant slope", "Resultant length of flow through base", "Time to drain",
          "Base.Minimum Thickness", "Permeable base discharge rate", "Outlet spacing"}},
        {"base width (crack method)", [](CProjectData&) {}, &P::m_strBaseWidth,
         {"Resultant length of flow through base", "Rate of pavement infiltration",
          "Total inflow into drainage layer", "Time to drain", "Base.Minimum Thickness",
          "Permeable base discharge rate", "Outlet spacing"}},
        {"base width (ratio method, permeable approach)",
         [](CProjectData& data) {
             data.m_strInfiltrationMethod = "ratio";
             data.m_strDischarge = "Permeable";
         },
         &P::m_strBaseWidth,
         {"Resultant length of flow through base", "Time to drain", "Base.Minimum Thickness",
          "Permeable base discharge rate", "Outlet spacing"}},
        {"q_i with meltwater", [](CProjectData&) {}, &P::m_strInfiltrationRate,
         {"Total inflow into drainage layer", "Base.Minimum Thickness"}},
        {"q_i with meltwater, infiltration approach",
         [](CProjectData& data) { data.m_strDischarge = "Infiltration"; }, &P::m_strInfiltrationRate,
         {"Total inflow into drainage layer", "Base.Minimum Thickness", "Outlet spacing"}},
        // Not in use without meltwater, the total still follows q_i: included again, it must not
        // come back with the old value.
        {"q_i without meltwater", [](CProjectData& data) { data.m_strMeltwater = "no"; },
         &P::m_strInfiltrationRate, {"Total inflow into drainage layer", "Base.Minimum Thickness"}},
        {"base thickness", [](CProjectData&) {}, &P::m_strBaseThickness,
         {"Pavement load", "Meltwater flow", "Total inflow into drainage layer", "Time to drain",
          "Base.Minimum Thickness", "Permeable base discharge rate", "Outlet spacing"}},
        {"base sieve table", [](CProjectData&) {}, CDesignValue::SieveTable(P::LayerBase),
         {"Base.D10", "Base.k", "Time to drain", "Base.Minimum Thickness", "Permeable base discharge rate",
          "Outlet spacing", "verdicts"}},
        {"separator sieve table", [](CProjectData&) {}, CDesignValue::SieveTable(P::LayerSeparator),
         {"Seperator.D15", "verdicts"}},
        {"separator sieve table, no separator", [](CProjectData& data) { data.m_strSeparatorType = "none"; },
         CDesignValue::SieveTable(P::LayerSeparator), {"Seperator.D15"}},
        {"subgrade sieve table", [](CProjectData&) {}, CDesignValue::SieveTable(P::LayerSubgrade),
         {"Meltwater flow", "Total inflow into drainage layer", "Subgrade.D85", "Subgrade.k",
          "Base.Minimum Thickness", "Apparent opening size", "verdicts"}},
        {"base unit weight", [](CProjectData&) {}, &P::m_strBaseUnitWeight,
         {"Pavement load", "Meltwater flow", "Total inflow into drainage layer", "Base.Porosity",
          "Base.Effective Porosity", "Base.k", "Time to drain", "Percent drained", "Base.Minimum Thickness",
          "Permeable base discharge rate", "Outlet spacing"}},
        {"percent saturation under the manual's criterion", [](CProjectData&) {}, &P::m_strPercentSaturation,
         {"Time to drain", "Percent drained", "Outlet spacing"}},
        {"percent drained under AASHTO's criterion", [](CProjectData& data) { data.m_strDrainMethod = "AASHTO"; },
         &P::m_strPercentDrained, {"Time to drain", "Percent saturation", "Outlet spacing"}},
        {"meltwater left out", [](CProjectData& data) { data.m_strMeltwater = "no"; }, &P::m_strMeltwater,
         {"Base.Minimum Thickness"}},
        {"drain type", [](CProjectData& data) { data.m_strEdgeDrainType = "geocomposite"; },
         &P::m_strEdgeDrainType, {"Pipe flow", "Outlet spacing"}},
        {"pipe diameter", [](CProjectData&) {}, &P::m_strPipeDiameter, {"Pipe flow", "Outlet spacing"}},
        {"pipe flow", [](CProjectData&) {}, &P::m_strPipeFlow, {"Outlet spacing"}},
        {"discharge approach", [](CProjectData& data) { data.m_strDischarge = "Permeable"; }, &P::m_strDischarge,
         {"Outlet spacing"}},
        {"time-to-drain method", [](CProjectData& data) { data.m_strTimeToDrainMethod = "Cassagrande"; },
         &P::m_strTimeToDrainMethod, {"Time to drain", "Outlet spacing"}},
        {"outlet spacing", [](CProjectData&) {}, &P::m_strOutletSpacing, {}},
    };
    for (const auto& c : cases)
    {
        CProjectData data("english");
        FillDesign(data);
        c.arrange(data);
        CResultDependencies::ClearResultsOf(data, {c.changed});
        EXPECT_EQ(Emptied(data), c.emptied) << c.pszChange;
    }
}

TEST(ResultDependenciesTest, WhatTheChangeItselfSetStays)
{
    // A width typed by hand empties b, its input: the typed width and b are both the change.
    CProjectData data("english");
    FillDesign(data);
    data.m_strBaseWidth = "14.";
    data.m_strGeometryCoefficientB.Empty();
    CResultDependencies::ClearResultsOf(data, {&P::m_strBaseWidth, &P::m_strGeometryCoefficientB});
    EXPECT_EQ(data.m_strBaseWidth, "14.");
    EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
}

TEST(ResultDependenciesTest, ARecordChangeFindsWhatTheCommandChanged)
{
    CProjectData data("english");
    FillDesign(data);
    CRecordChange unchanged(&data);
    EXPECT_FALSE(unchanged.ClearStaleResults());
    EXPECT_TRUE(Emptied(data).empty());

    // A slope recomputed to another value: what hangs on it goes, the slope itself stays.
    CRecordChange change(&data);
    data.m_strResultantSlope = "0.0361";
    EXPECT_TRUE(change.ClearStaleResults());
    EXPECT_EQ(data.m_strResultantSlope, "0.0361");
    EXPECT_EQ(Emptied(data),
              (Names{"Time to drain", "Base.Minimum Thickness", "Permeable base discharge rate", "Outlet spacing"}));
}

TEST(ResultDependenciesTest, AValueThatAppearsIsAChange)
{
    // Each value empty in a design whose other results were computed (or read) meanwhile, then set
    // by one command: the pages read an empty text as 0, so what came of it is stale. A grain size
    // or p200 typed where there was none is no exception: only the gradation analysis shows the
    // sieve table's own values (below).
    const struct
    {
        const char* pszValue;
        void (*arrange)(CProjectData&);
        std::vector<TextField> appearing;
        Names emptied;
    } cases[] = {
        {"a typed D10 and p200", [](CProjectData&) {}, {&P::m_strBaseD10, &P::m_strBaseP200},
         {"Base.k", "Time to drain", "Base.Minimum Thickness", "Permeable base discharge rate", "Outlet spacing"}},
        {"q_m with meltwater, infiltration approach", [](CProjectData& data) { data.m_strDischarge = "Infiltration"; },
         {&P::m_strMeltwaterFlow}, {"Total inflow into drainage layer", "Base.Minimum Thickness", "Outlet spacing"}},
        {"q_i computed", [](CProjectData&) {}, {&P::m_strInfiltrationRate},
         {"Total inflow into drainage layer", "Base.Minimum Thickness"}},
        {"Ne computed", [](CProjectData&) {}, {&P::m_strBaseEffectivePorosity},
         {"Time to drain", "Percent drained", "Outlet spacing"}},
        // A command that computes two values at once keeps both: neither is the other's stale result.
        {"pipe flow and outlet spacing", [](CProjectData&) {}, {&P::m_strPipeFlow, &P::m_strOutletSpacing}, {}},
    };
    for (const auto& c : cases)
    {
        CProjectData data("english");
        FillDesign(data);
        c.arrange(data);
        for (TextField field : c.appearing)
            (data.*field).Empty();
        CRecordChange command(&data);
        for (TextField field : c.appearing)
            data.*field = "0.25";
        EXPECT_TRUE(command.ClearStaleResults()) << c.pszValue;
        EXPECT_EQ(Emptied(data), c.emptied) << c.pszValue;
        for (TextField field : c.appearing)
            EXPECT_EQ(data.*field, "0.25") << c.pszValue;
    }
}

TEST(ResultDependenciesTest, AForgottenInputIsNoChangeForAnyCommandUnderWay)
{
    // A typed length forgets W and S (a command inside another, as a page's edit left by a
    // command of the main dialog): Sr and q_i, computed from them, stay for both.
    CProjectData data("english");
    FillDesign(data);
    CRecordChange outer(&data);
    {
        CRecordChange typedLength(&data);
        data.m_strResultantLength = "9.";
        CRecordChange::Forget(data, &P::m_strBaseWidth);
        CRecordChange::Forget(data, &P::m_strLongitudinalSlope);
        EXPECT_TRUE(typedLength.ClearStaleResults());
    }
    outer.ClearStaleResults();
    EXPECT_TRUE(data.m_strBaseWidth.IsEmpty());
    EXPECT_TRUE(data.m_strLongitudinalSlope.IsEmpty());
    EXPECT_EQ(data.m_strResultantLength, "9.");
    EXPECT_EQ(Emptied(data), (Names{"Width of permeable base", "Time to drain", "Base.Minimum Thickness",
                                    "Permeable base discharge rate", "Outlet spacing"}));

    // A value the command changed before it forgets it stays a change.
    CRecordChange changedFirst(&data);
    data.m_strCrossSlope = "0.0400";
    CRecordChange::Forget(data, &P::m_strCrossSlope);
    EXPECT_TRUE(changedFirst.ClearStaleResults());
    EXPECT_TRUE(data.m_strResultantSlope.IsEmpty());
}

TEST(ResultDependenciesTest, ATypedValueStaysForEveryCommandUnderWayAlsoWhereItsTextIsUnchanged)
{
    // W typed as the text it held, with c emptied beside it (a command inside another, as a page's
    // edit left by a command of the main dialog): W hangs on c, yet stays for both commands, and
    // what hangs on W alone is not taken along, for W did not change.
    CProjectData data("english");
    FillDesign(data);
    const CString strWidth = data.m_strBaseWidth;
    CRecordChange outer(&data);
    {
        CRecordChange typedWidth(&data);
        data.m_strGeometryCoefficientC.Empty();
        CRecordChange::StoreTyped(data, &P::m_strBaseWidth, strWidth);
        EXPECT_TRUE(typedWidth.ClearStaleResults());
    }
    EXPECT_TRUE(outer.ClearStaleResults());
    EXPECT_EQ(data.m_strBaseWidth, strWidth);
    EXPECT_TRUE(data.m_strGeometryCoefficientC.IsEmpty());
    EXPECT_TRUE(Emptied(data).empty());

    // A new value typed is a change as before: what hangs on it goes.
    CRecordChange typedAnew(&data);
    CRecordChange::StoreTyped(data, &P::m_strBaseWidth, "13.");
    EXPECT_TRUE(typedAnew.ClearStaleResults());
    EXPECT_EQ(data.m_strBaseWidth, "13.");
    EXPECT_TRUE(data.m_strResultantLength.IsEmpty());
}

TEST(ResultDependenciesTest, TheSieveTablesOwnValuesShownWhereThereWereNoneKeepWhatLiesBeyondThem)
{
    // A design read with its base permeability but no gradation analysis: the analysis fills the
    // grain sizes from the unchanged sieve table, and k, the time to drain and the rest stay.
    CProjectData data("english");
    FillDesign(data);
    data.m_strBaseD10.Empty();
    data.m_strBaseP200.Empty();
    CRecordChange analysis(&data);
    CRecordChange::ShowFromTable(data, &P::m_strBaseD10, "0.0120");
    CRecordChange::ShowFromTable(data, &P::m_strBaseP200, "5.00");
    EXPECT_TRUE(analysis.ClearStaleResults());
    EXPECT_EQ(data.m_strBaseD10, "0.0120");
    EXPECT_TRUE(Emptied(data).empty());

    // Computed again to other values, they make k and what follows from it stale.
    CRecordChange again(&data);
    CRecordChange::ShowFromTable(data, &P::m_strBaseD10, "0.0150");
    EXPECT_TRUE(again.ClearStaleResults());
    EXPECT_TRUE(data.m_strBaseK.IsEmpty());
    EXPECT_TRUE(data.m_strTimeToDrain.IsEmpty());

    // A value the table does not mark as its own is a change wherever it comes from.
    FillDesign(data);
    data.m_strBaseK.Empty();
    CRecordChange notTheTables(&data);
    CRecordChange::ShowFromTable(data, &P::m_strBaseK, "900.");
    EXPECT_TRUE(notTheTables.ClearStaleResults());
    EXPECT_TRUE(data.m_strTimeToDrain.IsEmpty());
}

} // namespace
