#include "quarrow/pages/EdgeDrainCalc.h"

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageNumberText.h"

#include <cmath>

namespace {

// Manning's equation in U.S. units for a full pipe: Q = 53.01 S^1/2 D^8/3 / n, D in inches, Q in
// ft³/day.
const double PipeCapacityCoefficient = 53.01;
const double DiameterExponent = 2.6666666666666665;  // 8/3
const double GradientExponent = 0.5;
const double InchesPerMillimetre = 0.03937007874015748;           // 1/25.4
const double EnglishPerMetricFlowFactor = 0.8962179602079227;      // 1/1.1158
const double FeetPerMetre = 3.280839895013123;                     // 1/0.3048
const double InflowEnglishPerMetric = 283446.7120181406;           // ft³/d/ft² per m³/s/m², 1/3.528e-6
const double DischargeEnglishPerMetric = 930232.5581395348;        // ft³/d/ft per m³/s/m, 1/1.075e-6
const double CubicMetresPerSecondPerCubicFootPerDay = 3.277e-07;
const double MetresPerFoot = 0.3048;
const double DaysPerHour = 0.041666666666666664;                   // 1/24
const double SecondsPerHour = 3600.0;
const double InchesPerFoot = 12.0;
const double GeocompositeStartLength = 300.0;                       // ft
const double GeocompositeTolerance = 1.0;                           // ft

const char RoughnessMessage[] = "Coefficient of pipe roughness must be a positive value";
const char WidthMessage[] = "Pavement width, W, must be a positive value";
const char InflowMessage[] = "Inflow, q_i, must be a positive value";
const char DischargeMessage[] = "Qd must be a positive value";
const char TimeToDrainWidthMessage[] = "W must be a positive value";
const char EffectivePorosityMessage[] = "The effective porosity Ne must be a positive value";
const char ThicknessMessage[] = "The base course thickness must be a positive value";
const char NoResultMessage[] = "No result can be computed from these values.";

double Value(const CString& strField)
{
    return TypedNumber(strField);
}

// The outlet spacing that carries Q by the record's approach, in the units the caller gives (the
// geocomposite converts its inputs to English first). The TTD approach holds the water the base
// drains over the time to drain: Q t per width over the drained volume per length, W H Ne U/100.
// FALSE with the message when an input is refused.
struct SpacingInputs
{
    double W, qi, qd, Ne, t, H, U;
    double secondsOrDaysPerHour;  // converts t into the time unit of Q
};

bool SpacingFromFlow(const CString& strApproach, double Q, const SpacingInputs& in, double& Lo, CString& strMessage)
{
    if (strApproach == "Infiltration")
    {
        if (!(in.W > 0.0))
            strMessage = WidthMessage;
        else if (!(in.qi > 0.0))
            strMessage = InflowMessage;
        else
            Lo = Q / in.W / in.qi;
    }
    else if (strApproach == "Permeable")
    {
        if (!(in.qd > 0.0))
            strMessage = DischargeMessage;
        else
            Lo = Q / in.qd;
    }
    else if (strApproach == "TTD")
    {
        // Zero and negative values alike give no spacing (a negative one would be stored).
        if (!(in.W > 0.0))
            strMessage = TimeToDrainWidthMessage;
        else if (!(in.Ne > 0.0))
            strMessage = EffectivePorosityMessage;
        else if (!(in.H > 0.0) || !(in.U > 0.0))
            strMessage = ThicknessMessage;
        else
            Lo = Q / in.W * in.t * in.secondsOrDaysPerHour / in.Ne / in.H / in.U * 100.0;
    }
    else
    {
        // No approach chosen: the whole flow is one outlet's.
        Lo = Q;
    }
    return strMessage.IsEmpty();
}

} // namespace

CString CEdgeDrainCalc::FormatResult(double value)
{
    return PageFixedOrExponent(value, 0.1, "%.1f", "%.2e");
}

CPageCalcResult CEdgeDrainCalc::PipeCapacity(CProjectData& data)
{
    const double S = Value(data.m_strLongitudinalSlope);
    const double n = Value(data.m_strManningCoefficient);
    const double D = Value(data.m_strPipeDiameter);
    if (!(n > 0.0))
        return CPageCalcResult::Message(RoughnessMessage);

    double Q;
    if (data.m_strUnits == "english")
        Q = std::pow(S, GradientExponent) * (PipeCapacityCoefficient / n) * std::pow(D, DiameterExponent);
    else
        Q = std::pow(D * InchesPerMillimetre, DiameterExponent) * std::pow(S, GradientExponent) *
            (PipeCapacityCoefficient / n) * CubicMetresPerSecondPerCubicFootPerDay;
    if (!std::isfinite(Q))
        return CPageCalcResult::Message(NoResultMessage);

    data.m_strPipeFlow = FormatResult(Q);
    data.m_strOutletSpacing.Empty();
    return CPageCalcResult::Stored();
}

CPageCalcResult CEdgeDrainCalc::PipeSpacing(CProjectData& data, double qi)
{
    const double Q = Value(data.m_strPipeFlow);
    SpacingInputs in{Value(data.m_strBaseWidth), qi, Value(data.m_strBaseDischargeRate),
                     Value(data.m_strBaseEffectivePorosity), Value(data.m_strTimeToDrain),
                     Value(data.m_strBaseThickness), Value(data.m_strPercentDrained), 0.0};
    if (data.m_strDischarge == "TTD")
    {
        // Q is per day in English units and per second in metric ones; another units word gives nothing.
        if (data.m_strUnits == "english")
            in.secondsOrDaysPerHour = DaysPerHour;
        else if (data.IsMetric())
            in.secondsOrDaysPerHour = SecondsPerHour;
        else
            return CPageCalcResult();
    }
    double Lo = 0.0;
    CString strMessage;
    if (!SpacingFromFlow(data.m_strDischarge, Q, in, Lo, strMessage))
        return CPageCalcResult::Message(strMessage);
    if (!std::isfinite(Lo))
        return CPageCalcResult::Message(NoResultMessage);
    data.m_strOutletSpacing = FormatResult(Lo);
    return CPageCalcResult::Stored();
}

CPageCalcResult CEdgeDrainCalc::Geocomposite(CProjectData& data, double qi, int* pnPasses)
{
    const bool bMetric = data.IsMetric();
    // The flow factors and the formula are English: depths in inches, lengths in feet, per day.
    const double lengthToFeet = bMetric ? FeetPerMetre : 1.0;
    double D1 = Value(data.m_strFlowZoneDepth);
    double D2 = Value(data.m_strOutletDepth);
    double C = Value(data.m_strFinDrainConstant);
    if (bMetric)
    {
        D1 *= InchesPerMillimetre;
        D2 *= InchesPerMillimetre;
        C *= EnglishPerMetricFlowFactor;
    }
    const double S = Value(data.m_strLongitudinalSlope);
    const double meanDepth = (D1 + D2) * 0.5;
    const double fall = D1 - D2;
    const SpacingInputs in{Value(data.m_strBaseWidth) * lengthToFeet,
                           qi * (bMetric ? InflowEnglishPerMetric : 1.0),
                           Value(data.m_strBaseDischargeRate) * (bMetric ? DischargeEnglishPerMetric : 1.0),
                           Value(data.m_strBaseEffectivePorosity),
                           Value(data.m_strTimeToDrain),
                           Value(data.m_strBaseThickness) * lengthToFeet,
                           Value(data.m_strPercentDrained),
                           DaysPerHour};

    // The gradient along the drain is the slope plus the fall of the flow zone over the spacing, so
    // capacity and spacing are found together.
    double L = GeocompositeStartLength;
    double Q = 0.0;
    bool bSettled = false;
    int nPass = 0;
    while (nPass < GeocompositePassLimit)
    {
        ++nPass;
        const double previousL = L;
        Q = std::pow(S + fall / (InchesPerFoot * L), GradientExponent) * meanDepth * C;
        CString strMessage;
        if (!SpacingFromFlow(data.m_strDischarge, Q, in, L, strMessage))
            return CPageCalcResult::Message(strMessage);
        const double change = std::fabs(previousL - L);
        if (!(change > GeocompositeTolerance))
        {
            bSettled = true;
            break;
        }
    }
    if (pnPasses != nullptr)
        *pnPasses = nPass;
    if (!bSettled || !std::isfinite(Q) || !std::isfinite(L))
        return CPageCalcResult::Message(NoResultMessage);

    if (bMetric)
    {
        Q *= CubicMetresPerSecondPerCubicFootPerDay;
        L *= MetresPerFoot;
    }
    data.m_strPipeFlow = FormatResult(Q);
    data.m_strOutletSpacing = FormatResult(L);
    return CPageCalcResult::Stored();
}
