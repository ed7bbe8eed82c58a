#include "quarrow/pages/ResultDependencies.h"

#include <algorithm>

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/MaterialLayer.h"

namespace {

using P = CProjectData;
using TextField = CDesignValue::TextField;

// A result takes a row's inputs into account while every condition of the row holds: the choice
// words pick the formula that computed it.
struct Condition
{
    TextField choice;
    const char* pszWord;
    bool bIs;
};

Condition Is(TextField choice, const char* pszWord)
{
    return {choice, pszWord, true};
}

Condition IsNot(TextField choice, const char* pszWord)
{
    return {choice, pszWord, false};
}

struct Dependency
{
    CDesignValue result;
    std::initializer_list<CDesignValue> inputs;
    std::initializer_list<Condition> when;
};

// Short names of the quantities that several rows share.
const TextField Width = &P::m_strBaseWidth;                         // W
const TextField LongitudinalSlope = &P::m_strLongitudinalSlope;     // S
const TextField CrossSlope = &P::m_strCrossSlope;                   // Sx
const TextField Slope = &P::m_strResultantSlope;                    // Sr
const TextField Length = &P::m_strResultantLength;                  // Lr
const TextField Inflow = &P::m_strInfiltrationRate;                 // q_i
const TextField Meltwater = &P::m_strMeltwaterFlow;                 // q_m
const TextField TotalInflow = &P::m_strTotalInflow;                 // q_i + q_m
const TextField WithMeltwater = &P::m_strMeltwater;                 // "yes" or "no"
const TextField Thickness = &P::m_strBaseThickness;                 // H
const TextField Permeability = &P::m_strBaseK;                      // k
const TextField Porosity = &P::m_strBasePorosity;                   // n
const TextField EffectivePorosity = &P::m_strBaseEffectivePorosity; // Ne
const TextField Drained = &P::m_strPercentDrained;                  // U
const TextField Saturation = &P::m_strPercentSaturation;            // Psat
const TextField TimeToDrain = &P::m_strTimeToDrain;                 // t
const TextField Discharge = &P::m_strBaseDischargeRate;             // Q of the base, q_d of the edge drain
const TextField PipeFlow = &P::m_strPipeFlow;                       // Q of the edge drain
const TextField DrainType = &P::m_strEdgeDrainType;                 // "pipe" or "geocomposite"
const TextField Approach = &P::m_strDischarge;                      // "Infiltration", "Permeable", "TTD"
const TextField SeparatorKind = &P::m_strSeparatorType;
const CDesignValue Verdicts = CDesignValue::SeparatorVerdicts();

// Every result with what it is computed from. The grain sizes and porosities of the three layers
// follow below, the same for each layer.
const Dependency Dependencies[] = {
    // Roadway geometry: W = b/2 + c or b + 2c, Sr from S and Sx, Lr from W, S and Sx.
    {Width, {&P::m_strGeometryCoefficientB, &P::m_strGeometryCoefficientC, &P::m_strGeometryChoice}, {}},
    {Slope, {LongitudinalSlope, CrossSlope}, {}},
    {Length, {Width, LongitudinalSlope, CrossSlope}, {}},

    // Inflow: the typical C of the pavement kind, q_i by the ratio or the crack method, the pavement
    // load, q_m read off the chart at the heave rate, k_sub and load, and the total inflow.
    {&P::m_strInfiltrationRatio, {&P::m_strConcrete}, {}},
    {Inflow, {&P::m_strInfiltrationMethod}, {}},
    {Inflow, {&P::m_strInfiltrationRatio, &P::m_strRainfallRate}, {Is(&P::m_strInfiltrationMethod, "ratio")}},
    {Inflow,
     {&P::m_strCrackInfiltrationRate, &P::m_strLongitudinalCracks, &P::m_strTransverseCrackLength, Width,
      &P::m_strTransverseCrackSpacing, &P::m_strPavementK},
     {IsNot(&P::m_strInfiltrationMethod, "ratio")}},
    {&P::m_strPavementLoad,
     {&P::m_strPavementUnitWeight, &P::m_strPavementLayerThickness, &P::m_strBaseUnitWeight, Thickness}, {}},
    {Meltwater, {&P::m_strHeaveRate, &P::m_strSubgradeK, &P::m_strPavementLoad}, {}},
    // Followed whatever the meltwater choice, so that including meltwater never brings back a total
    // of an earlier q_i.
    {TotalInflow, {Inflow, Meltwater}, {}},

    // Permeable base: time to drain, percent drained and saturation (one follows from the other by
    // the drainage criterion; a new n or Ne takes both), minimum thickness for the design inflow,
    // discharge capacity of the base as built.
    {TimeToDrain,
     {EffectivePorosity, Permeability, Slope, Length, Thickness, Drained, &P::m_strTimeToDrainMethod}, {}},
    {Drained, {Porosity, EffectivePorosity}, {}},
    {Drained, {Saturation}, {IsNot(&P::m_strDrainMethod, "AASHTO")}},
    {Saturation, {Drained, Porosity, EffectivePorosity}, {Is(&P::m_strDrainMethod, "AASHTO")}},
    {&P::m_strBaseMinThickness, {Permeability, Slope, Length, WithMeltwater}, {}},
    {&P::m_strBaseMinThickness, {Inflow}, {Is(WithMeltwater, "no")}},
    {&P::m_strBaseMinThickness, {TotalInflow}, {IsNot(WithMeltwater, "no")}},
    {Discharge, {Thickness, Permeability, Slope, Length}, {}},

    // Separator: the geotextile requirements from the subgrade, and the verdicts of the criteria of
    // the separator kind.
    {&P::m_strApparentOpeningSize,
     {&P::m_strSubgradeP200, &P::m_strSubgradeCu, &P::m_strSubgradeD85, &P::m_strRetention,
      &P::m_strGeotextileType},
     {}},
    {&P::m_strSeparatorMinK, {&P::m_strSubgradeK, &P::m_strPermeabilityChoice}, {}},
    {&P::m_strGeotextileLength, {&P::m_strGeotextilePermeability, &P::m_strSubgradeP200}, {}},
    {Verdicts, {SeparatorKind}, {}},
    {Verdicts, {&P::m_strBaseD15, &P::m_strBaseD50, &P::m_strSubgradeD50, &P::m_strSubgradeD85},
     {Is(SeparatorKind, "none")}},
    {Verdicts,
     {&P::m_strBaseD15, &P::m_strBaseD50, &P::m_strSubgradeD50, &P::m_strSubgradeD85, &P::m_strSeparatorD12,
      &P::m_strSeparatorD15, &P::m_strSeparatorD50, &P::m_strSeparatorD85},
     {Is(SeparatorKind, "aggregate")}},
    {Verdicts,
     {&P::m_strApparentOpeningSize, &P::m_strSubgradeD15, &P::m_strSubgradeCu, &P::m_strGeotextilePermeability,
      &P::m_strSubgradeK, &P::m_strPermeabilityChoice},
     {Is(SeparatorKind, "geotextile")}},

    // Edge drain: the capacity Q of a pipe (Manning) or of a geocomposite, whose iteration runs
    // through the outlet spacing; the outlet spacing from the pipe's Q, or with the geocomposite's,
    // and the water of the discharge approach (the design inflow is q_i + q_m with meltwater).
    {PipeFlow, {DrainType}, {}},
    {PipeFlow, {LongitudinalSlope, &P::m_strPipeDiameter, &P::m_strManningCoefficient}, {Is(DrainType, "pipe")}},
    {PipeFlow,
     {LongitudinalSlope, &P::m_strFlowZoneDepth, &P::m_strOutletDepth, &P::m_strFinDrainConstant, Approach},
     {IsNot(DrainType, "pipe")}},
    {PipeFlow, {Width, Inflow, WithMeltwater}, {IsNot(DrainType, "pipe"), Is(Approach, "Infiltration")}},
    {PipeFlow, {Meltwater},
     {IsNot(DrainType, "pipe"), Is(Approach, "Infiltration"), IsNot(WithMeltwater, "no")}},
    {PipeFlow, {Discharge}, {IsNot(DrainType, "pipe"), Is(Approach, "Permeable")}},
    {PipeFlow, {Width, EffectivePorosity, TimeToDrain, Thickness, Drained},
     {IsNot(DrainType, "pipe"), Is(Approach, "TTD")}},
    {&P::m_strOutletSpacing, {DrainType, Approach}, {}},
    {&P::m_strOutletSpacing, {PipeFlow}, {Is(DrainType, "pipe")}},
    {&P::m_strOutletSpacing,
     {LongitudinalSlope, &P::m_strFlowZoneDepth, &P::m_strOutletDepth, &P::m_strFinDrainConstant},
     {IsNot(DrainType, "pipe")}},
    {&P::m_strOutletSpacing, {Width, Inflow, WithMeltwater}, {Is(Approach, "Infiltration")}},
    {&P::m_strOutletSpacing, {Meltwater}, {Is(Approach, "Infiltration"), IsNot(WithMeltwater, "no")}},
    {&P::m_strOutletSpacing, {Discharge}, {Is(Approach, "Permeable")}},
    {&P::m_strOutletSpacing, {Width, EffectivePorosity, TimeToDrain, Thickness, Drained}, {Is(Approach, "TTD")}},
};

struct Row
{
    CDesignValue result;
    std::vector<CDesignValue> inputs;
    std::vector<Condition> when;
    // The result is its input table's own values made visible (grain sizes, p200, CU and CC of a
    // layer): appearing where the record held none, it changes nothing that was computed before.
    bool bShownFromTable = false;
};

// The table above, then for each material layer: the gradation analysis from its sieve table, the
// porosity from unit weight and specific gravity, the effective porosity by the water method, and
// the permeability from D10, porosity and p200.
const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = [] {
        std::vector<Row> all;
        for (const Dependency& dependency : Dependencies)
            all.push_back({dependency.result, dependency.inputs, dependency.when});
        for (const CMaterialLayer& layer : CMaterialLayer::Layers)
        {
            const CDesignValue table = CDesignValue::SieveTable(layer.nIndex);
            for (TextField size : layer.grainSizes)
                all.push_back({size, {table}, {}, true});
            for (TextField result : {layer.p200, layer.cu, layer.cc})
                all.push_back({result, {table}, {}, true});
            all.push_back({layer.porosity, {layer.unitWeight, layer.specificGravity}, {}});
            all.push_back(
                {layer.effectivePorosity, {layer.porosity, layer.unitWeight, layer.water, layer.waterMethod}, {}});
            all.push_back({layer.permeability, {layer.grainSizes[0], layer.porosity, layer.p200}, {}});
        }
        return all;
    }();
    return rows;
}

bool Holds(const std::vector<Condition>& conditions, const CProjectData& data)
{
    return std::all_of(conditions.begin(), conditions.end(), [&](const Condition& condition) {
        return (data.*condition.choice == condition.pszWord) == condition.bIs;
    });
}

template <class TList>
bool Contains(const TList& list, const CDesignValue& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

void CDesignValue::Clear(CProjectData& data) const
{
    if (m_field != nullptr)
        (data.*m_field).Empty();
    else if (m_bVerdicts)
        data.m_bSeparatorChecked = FALSE;
}

void CResultDependencies::ClearResultsOf(CProjectData& data, std::span<const CDesignValue> changed,
                                         std::span<const CDesignValue> kept)
{
    // Values reached so far: the changed ones first, then each result as it is cleared, whose own
    // results are reached from it in turn.
    std::vector<CDesignValue> reached(changed.begin(), changed.end());
    for (size_t nNext = 0; nNext < reached.size(); ++nNext)
    {
        const CDesignValue value = reached[nNext];
        for (const Row& row : Rows())
        {
            if (Contains(reached, row.result) || Contains(kept, row.result) || !Contains(row.inputs, value) ||
                !Holds(row.when, data))
                continue;
            row.result.Clear(data);
            reached.push_back(row.result);
        }
    }
}

void CResultDependencies::ClearResultsOf(CProjectData& data, std::initializer_list<CDesignValue> changed)
{
    ClearResultsOf(data, std::span<const CDesignValue>(changed.begin(), changed.size()));
}

bool CResultDependencies::IsShownFromTable(TextField field)
{
    const std::vector<Row>& rows = Rows();
    return std::any_of(rows.begin(), rows.end(),
                       [field](const Row& row) { return row.bShownFromTable && row.result.Field() == field; });
}

const std::vector<TextField>& CResultDependencies::TextFields()
{
    static const std::vector<TextField> fields = [] {
        std::vector<TextField> all;
        auto add = [&](const CDesignValue& value) {
            if (value.Field() != nullptr && std::find(all.begin(), all.end(), value.Field()) == all.end())
                all.push_back(value.Field());
        };
        for (const Row& row : Rows())
        {
            add(row.result);
            for (const CDesignValue& input : row.inputs)
                add(input);
            for (const Condition& condition : row.when)
                add(condition.choice);
        }
        return all;
    }();
    return fields;
}

CRecordChange* CRecordChange::s_pInnermost = nullptr;

CRecordChange::CRecordChange(CProjectData* pData) : m_pData(pData), m_pOuter(s_pInnermost)
{
    s_pInnermost = this;
    if (m_pData == nullptr)
        return;
    for (TextField field : CResultDependencies::TextFields())
        m_before.push_back(m_pData->*field);
}

CRecordChange::~CRecordChange()
{
    s_pInnermost = m_pOuter;
}

void CRecordChange::SetUnchanged(CProjectData& data, TextField field, const CString& strValue)
{
    const std::vector<TextField>& fields = CResultDependencies::TextFields();
    const size_t nField = static_cast<size_t>(std::find(fields.begin(), fields.end(), field) - fields.begin());
    for (CRecordChange* pChange = s_pInnermost; pChange != nullptr; pChange = pChange->m_pOuter)
    {
        if (pChange->m_pData != &data)
            continue;
        pChange->m_bSetUnchanged = true;
        // A value that the command under way has already changed stays a change.
        if (nField < fields.size() && pChange->m_before[nField] == data.*field)
            pChange->m_before[nField] = strValue;
    }
    data.*field = strValue;
}

void CRecordChange::StoreTyped(CProjectData& data, TextField field, const CString& strValue)
{
    for (CRecordChange* pChange = s_pInnermost; pChange != nullptr; pChange = pChange->m_pOuter)
        if (pChange->m_pData == &data && !Contains(pChange->m_typed, CDesignValue(field)))
            pChange->m_typed.emplace_back(field);
    data.*field = strValue;
}

void CRecordChange::Forget(CProjectData& data, TextField field)
{
    SetUnchanged(data, field, CString());
}

void CRecordChange::ShowFromTable(CProjectData& data, TextField field, const CString& strValue)
{
    if ((data.*field).IsEmpty() && CResultDependencies::IsShownFromTable(field))
        SetUnchanged(data, field, strValue);
    else
        data.*field = strValue;
}

bool CRecordChange::ClearStaleResults()
{
    if (m_pData == nullptr)
        return false;
    const std::vector<TextField>& fields = CResultDependencies::TextFields();
    bool bAnyChange = m_bSetUnchanged;
    std::vector<CDesignValue> changed;
    for (size_t i = 0; i < fields.size(); ++i)
    {
        // A value that appears where the record held none is a change like any other: the pages
        // compute with an empty text as 0, so what was computed meanwhile came from the wrong value.
        if (m_pData->*fields[i] == m_before[i])
            continue;
        bAnyChange = true;
        changed.emplace_back(fields[i]);
    }
    if (changed.empty())
        return bAnyChange;
    // The changed values themselves stay, even where another change of the same command reaches
    // them (q_i computed, with the total it empties), and so do the typed ones.
    CResultDependencies::ClearResultsOf(*m_pData, changed, m_typed);
    return true;
}
