#include "quarrow/pages/PermeableBaseCalc.h"

#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowDlg.h"
#include "quarrow/pages/PageNumberText.h"
#include "resources/quarrow/resource.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

const char SlopeMessage[] = "S must be greater than zero.";
const char NegativeSlopeMessage[] = "S must not be negative.";
const char LengthMessage[] = "L must be greater than zero.";
const char PermeabilityMessage[] = "Permeabilility, k, must be greater than zero.";
const char ResultantLengthMessage[] = "The value for Lr must be greater than 0";
const char PorosityMessage[] = "Porosity, N, must be set under Sieve Analysis.";
const char EffectivePorosityMessage[] = "Effective porosity, Ne, must be set under Sieve Analysis.";
const char NoResultMessage[] = "No result can be computed from these values.";
const char NoDischargeMessage[] = "The discharge capacity could not be found for these values.";

// Metric permeabilities are per day, metric inflows per second.
const double PerDayToPerSecond = 1.1574074074074073e-05;

// Depth of flow without the input guards; the discharge search calls it for any q.
double DepthOfFlow(double q, double k, double S, double L)
{
    double r = q / k;
    double d = S * S - 4.0 * r;
    double B;
    double E;
    if (d > 0.0)
    {
        double rootD = std::pow(d, 0.5);
        B = (S - rootD) / (S + rootD);
        E = S / (2.0 * rootD);
    }
    else if (d < 0.0)
    {
        double rootMinusD = std::pow(-d, 0.5);
        B = std::numbers::e;
        E = (S / rootMinusD) * (std::atan(S / rootMinusD) - std::numbers::pi / 2.0);
    }
    else
    {
        B = std::numbers::e;
        E = -1.0;
    }
    return L * std::pow(r, 0.5) * std::pow(B, E);
}

// Time factor T for slope factor S1 and degree of drainage U (a fraction).
double TimeFactor(double S1, double U, bool barber)
{
    if (barber)
    {
        if (U <= 0.5)
            return S1 * U - 0.48 * S1 * S1 * std::log10(1.0 + 4.8 * U / S1);
        return 0.5 * S1 - 0.48 * S1 * S1 * std::log10(1.0 + 2.4 / S1)
            + 1.15 * S1 * std::log10((S1 * (1.0 - U) + 1.2) / ((S1 + 2.4) * (1.0 - U)));
    }
    double c = 2.4 - 0.8 / std::pow(S1, 1.0 / 3.0);
    if (U <= 0.5)
        return 0.5 * c * S1 * (2.0 * U - S1 * std::log((S1 + 2.0 * U) / S1));
    return 0.5 * c * S1
        * (1.0 - S1 * std::log((1.0 + S1) / S1)
           + std::log((2.0 * S1 * (1.0 - U) + 1.0) / ((2.0 - 2.0 * U) * (1.0 + S1))));
}

// The inflow q whose depth of flow is the thickness H: steps of 0.1 up until the depth passes H,
// then back and forth with the step halved at each crossing, until the depth is within 0.0001 of H.
// Two mends keep every finite answer within reach. The depth of no inflow is 0, so a step that
// overshoots below q = 0 turns back instead of ending on the root of a negative number. A thick base
// of a very permeable material needs an inflow far beyond the reach of 0.1 steps: after the passes
// in which the plain search settles every ordinary design (so those keep their digits), the step
// doubles until the depth passes H. FALSE when no finite answer is found.
bool SearchDischarge(double H, double k, double S, double L, double& q)
{
    const int PlainStepPasses = CPermeableBaseCalc::DischargeSearchPassLimit;
    double step = 0.1;
    bool below = true;
    bool crossed = false;
    q = 0.0;
    for (int pass = 0; pass < 4 * PlainStepPasses; ++pass)
    {
        if (!crossed && pass >= PlainStepPasses)
            step = step * 2.0;
        q = q + step;
        double Hc = q > 0.0 ? DepthOfFlow(q, k, S, L) : 0.0;
        if (below && H < Hc)
        {
            below = false;
            crossed = true;
            step = step * -0.5;
        }
        else if (!below && H > Hc)
        {
            below = true;
            step = step * -0.5;
        }
        if (!(std::fabs(H - Hc) > 0.0001))
            return std::isfinite(Hc) && std::isfinite(q);
    }
    return false;
}

// Sends the engineer to the base layer of the sieve analysis page, to the given control; the
// record changes once the message was shown.
CPageCalcResult ToSieveAnalysis(CProjectData& data, const char* text, int focusControl)
{
    CPageCalcResult result = CPageCalcResult::Message(text, CQuarrowDlg::PageSieveAnalysis);
    result.pRecord = &data;
    result.strSieveLayer = "base";
    result.nFocusControl = focusControl;
    return result;
}

} // namespace

double CPermeableBaseCalc::CalcTimeToDrain(double Ne, double k, double S, double L, double H, double Ufrac,
                                           int barber)
{
    double S1 = H / (L * S);
    double m = Ne * L * L / (k * H);
    return 24.0 * TimeFactor(S1, Ufrac, barber != 0) * m;
}

double CPermeableBaseCalc::CalcDepthOfFlow(double q, double k, double S, double L)
{
    if (k == 0.0 || S < 0.0 || L < 0.0 || k < 0.0)
        return 0.0;
    return DepthOfFlow(q, k, S, L);
}

CPageCalcResult CPermeableBaseCalc::TimeToDrain(CProjectData& data)
{
    double U = atof(data.m_strPercentDrained);
    double S = atof(data.m_strResultantSlope);
    double L = atof(data.m_strResultantLength);
    double H = atof(data.m_strBaseThickness);
    double Ne = atof(data.m_strBaseEffectivePorosity);
    double k = atof(data.m_strBaseK);

    if (!(U >= 0.0 && U < 100.0 && H > 0.0 && S != 0.0 && L != 0.0))
        return CPageCalcResult();
    if (S < 0.0)
        return CPageCalcResult::Message(SlopeMessage);
    if (L < 0.0)
        return CPageCalcResult::Message(LengthMessage);

    double Ufrac = U * 0.01;
    double S1 = H / (L * S);
    double T = TimeFactor(S1, Ufrac, data.m_strTimeToDrainMethod == "Barber");
    if (k <= 0.0 || Ne <= 0.0)
        return CPageCalcResult::Message(PermeabilityMessage);

    double t = Ne * L * L / (H * k) * T * 24.0;
    if (!std::isfinite(t))
        return CPageCalcResult::Message(NoResultMessage);
    data.m_strTimeToDrain = PageFixedOrExponent(t, 0.1, "%.2f", "%.2e");
    return CPageCalcResult::Stored();
}

CPageCalcResult CPermeableBaseCalc::PercentDrained(CProjectData& data)
{
    double Psat = atof(data.m_strPercentSaturation);
    double n = atof(data.m_strBasePorosity);
    double Ne = atof(data.m_strBaseEffectivePorosity);

    // Without an effective porosity the ratio n / Ne has no value to store.
    if (!(Ne > 0.0))
        return ToSieveAnalysis(data, EffectivePorosityMessage, IDC_SV_EFFECTIVE_POROSITY);

    double U = (1.0 - Psat * 0.01) * (n / Ne) * 100.0;
    if (!std::isfinite(U))
        return CPageCalcResult::Message(NoResultMessage);
    data.m_strPercentDrained = PageDigits5(U);
    return CPageCalcResult::Stored();
}

CPageCalcResult CPermeableBaseCalc::PercentSaturation(CProjectData& data)
{
    double U = atof(data.m_strPercentDrained);
    double n = atof(data.m_strBasePorosity);
    double Ne = atof(data.m_strBaseEffectivePorosity);

    if (n == 0.0)
        return ToSieveAnalysis(data, PorosityMessage, IDC_SV_POROSITY);

    double Psat = ((n - U * 0.01 * Ne) / n) * 100.0;
    if (!std::isfinite(Psat))
        return CPageCalcResult::Message(NoResultMessage);
    data.m_strPercentSaturation = PageDigits5(Psat);
    return CPageCalcResult::Stored();
}

CPageCalcResult CPermeableBaseCalc::MinThickness(CProjectData& data)
{
    double k = atof(data.m_strBaseK);
    double S = atof(data.m_strResultantSlope);
    double L = atof(data.m_strResultantLength);
    if (k == 0.0 || S < 0.0 || L < 0.0 || k < 0.0)
        return CPageCalcResult();

    double q = atof(DesignInflow(data));
    if (data.IsMetric())
        k = k * PerDayToPerSecond;

    double Hmin = DepthOfFlow(q, k, S, L);
    if (!std::isfinite(Hmin))
        return CPageCalcResult::Message(NoResultMessage);
    data.m_strBaseMinThickness = PageDigits5(Hmin);
    // The capacity belonged to the thickness before.
    data.m_strBaseDischargeRate.Empty();
    return CPageCalcResult::Stored();
}

CPageCalcResult CPermeableBaseCalc::DischargeCapacity(CProjectData& data)
{
    double H = atof(data.m_strBaseThickness);
    double k = atof(data.m_strBaseK);
    double S = atof(data.m_strResultantSlope);
    double L = atof(data.m_strResultantLength);

    if (!(L > 0.0))
        return CPageCalcResult::Message(ResultantLengthMessage);

    // A base without thickness carries nothing, whatever k and S are; only a search needs them.
    double q = 0.0;
    if (std::fabs(H) > 0.0001)
    {
        // With k = 0 every depth is infinite and the search would never meet H.
        if (!(k > 0.0))
            return CPageCalcResult::Message(PermeabilityMessage);
        // A level base (S = 0) still drains: its depth of flow is finite.
        if (S < 0.0)
            return CPageCalcResult::Message(NegativeSlopeMessage);
        if (data.IsMetric())
            k = k * PerDayToPerSecond;
        if (!SearchDischarge(H, k, S, L, q))
            return CPageCalcResult::Message(NoDischargeMessage);
    }

    double Q = L * q;
    if (!std::isfinite(Q))
        return CPageCalcResult::Message(NoDischargeMessage);
    data.m_strBaseDischargeRate = PageFixedOrExponent(Q, 0.01, "%.3f", "%.3e");
    return CPageCalcResult::Stored();
}

int CPermeableBaseCalc::DrainageQualityRow(const CProjectData& data)
{
    if (data.m_strTimeToDrain.IsEmpty())
        return 0;
    double t = atof(data.m_strTimeToDrain);
    // Upper limits of rows 1 to 4 in hours: 50 % drainage after the AASHTO Guide,
    // otherwise 85 % saturation after the Pavement Rehabilitation Manual. AASHTO's poor quality is
    // water removed within one month, as the table's "1-Month" says: 30 days, not 30 weeks.
    static const double AashtoLimits[4] = {2.0, 24.0, 168.0, 720.0};
    static const double SaturationLimits[4] = {2.0, 5.0, 10.0, 20.0};
    const double* limits = data.m_strDrainMethod == "AASHTO" ? AashtoLimits : SaturationLimits;
    for (int row = 0; row < 4; ++row)
    {
        if (t < limits[row])
            return row + 1;
    }
    return 5;
}

CString& CPermeableBaseCalc::DesignInflow(CProjectData& data)
{
    return data.m_strMeltwater == "no" ? data.m_strInfiltrationRate : data.m_strTotalInflow;
}

const CString& CPermeableBaseCalc::DesignInflow(const CProjectData& data)
{
    return data.m_strMeltwater == "no" ? data.m_strInfiltrationRate : data.m_strTotalInflow;
}
