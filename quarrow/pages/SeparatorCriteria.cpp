#include "quarrow/pages/SeparatorCriteria.h"

#include <cmath>

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageNumberText.h"

namespace {

// Opening of the #200 sieve, in millimetres; grain sizes are inches in any units but metric.
const double No200SieveMm = 0.075;
const double MillimetresPerInch = 25.4;
// Largest apparent opening size of a geotextile under steady flow over a fine subgrade, in mm.
const double OpeningSizeCapMm = 0.3;
// A permeability per day as a velocity per second: m/d to mm/s, ft/d to in/s.
const double MetricPerDayToMmPerSecond = 1000.0 / 86400.0;
const double EnglishPerDayToInPerSecond = 12.0 / 86400.0;

// A grain size bound given in millimetres, in the record's units.
double InRecordUnits(double millimetres, const CProjectData& data)
{
    return data.IsMetric() ? millimetres : millimetres / MillimetresPerInch;
}

// Numbers typed in decimal are not exact in binary (3 x 0.1 is not 0.3), so sides that agree to
// twelve digits count as equal.
bool AtMost(double lhs, double rhs)
{
    return lhs <= rhs || std::fabs(lhs - rhs) <= 1e-12 * std::fmax(std::fabs(lhs), std::fabs(rhs));
}

bool AtLeast(double lhs, double rhs)
{
    return AtMost(rhs, lhs);
}

// Retention factor B of the opening size: how much coarser than the subgrade's D85 the openings
// may be.
double RetentionFactor(const CProjectData& data, double p200, double cu)
{
    if (data.m_strRetention == "dynamic")
        return 0.5;
    if (p200 > 50.0)
        return data.m_strGeotextileType == "woven" ? 1.0 : 1.8;
    if (cu <= 2.0)
        return 1.0;
    if (cu <= 4.0)
        return 0.5 * cu;
    if (cu < 8.0)
        return 8.0 / cu;
    return 1.0;
}

} // namespace

int CSeparatorCriteria::Evaluate(const CProjectData& data, int (&passed)[MaxVerdicts])
{
    const double baseD15 = TypedNumber(data.m_strBaseD15);
    const double baseD50 = TypedNumber(data.m_strBaseD50);
    const double subgradeD15 = TypedNumber(data.m_strSubgradeD15);
    const double subgradeD50 = TypedNumber(data.m_strSubgradeD50);
    const double subgradeD85 = TypedNumber(data.m_strSubgradeD85);
    const double subgradeCu = TypedNumber(data.m_strSubgradeCu);
    const double subgradeK = TypedNumber(data.m_strSubgradeK);
    const double separatorD12 = TypedNumber(data.m_strSeparatorD12);
    const double separatorD15 = TypedNumber(data.m_strSeparatorD15);
    const double separatorD50 = TypedNumber(data.m_strSeparatorD50);
    const double separatorD85 = TypedNumber(data.m_strSeparatorD85);
    const double openingSize = TypedNumber(data.m_strApparentOpeningSize);
    const double geotextileK = TypedNumber(data.m_strGeotextilePermeability);

    if (data.m_strSeparatorType == "none")
    {
        passed[0] = AtMost(baseD15, 5.0 * subgradeD85);
        passed[1] = AtMost(baseD50, 25.0 * subgradeD50);
        return 2;
    }
    if (data.m_strSeparatorType == "aggregate")
    {
        passed[0] = AtMost(baseD15, 5.0 * separatorD85);
        passed[1] = AtMost(baseD50, 25.0 * separatorD50);
        passed[2] = AtMost(separatorD15, 5.0 * subgradeD85);
        passed[3] = AtMost(separatorD50, 25.0 * subgradeD50);
        passed[4] = AtLeast(separatorD12, InRecordUnits(No200SieveMm, data));
        return 5;
    }
    if (data.m_strSeparatorType == "geotextile")
    {
        passed[0] = AtLeast(openingSize, 3.0 * subgradeD15);
        passed[1] = AtLeast(subgradeCu, 3.0);
        const double leastK = data.m_strPermeabilityChoice == "normal" ? subgradeK : 10.0 * subgradeK;
        passed[2] = geotextileK > leastK;
        return 3;
    }
    return 0;
}

void CSeparatorCriteria::CalcOpeningSize(CProjectData& data)
{
    const double subgradeK = TypedNumber(data.m_strSubgradeK);
    const double leastK = data.m_strPermeabilityChoice == "critical" ? 10.0 * subgradeK : subgradeK;
    data.m_strSeparatorMinK = PageFixedOrExponent(leastK, 1.0, "%.1f", "%.2e");

    const double p200 = TypedNumber(data.m_strSubgradeP200);
    const double d85 = TypedNumber(data.m_strSubgradeD85);
    const double cu = TypedNumber(data.m_strSubgradeCu);
    double openingSize = RetentionFactor(data, p200, cu) * d85;
    // The cap is 0.3 mm; English grain sizes are inches, so it is converted like the #200 sieve.
    const double cap = InRecordUnits(OpeningSizeCapMm, data);
    if (data.m_strRetention == "steady" && p200 > 50.0 && openingSize > cap)
        openingSize = cap;
    data.m_strApparentOpeningSize.Format("%.1e", openingSize);
}

void CSeparatorCriteria::CalcMaxThickness(CProjectData& data)
{
    const double perSecond = data.IsMetric() ? MetricPerDayToMmPerSecond : EnglishPerDayToInPerSecond;
    const double geotextileK = TypedNumber(data.m_strGeotextilePermeability) * perSecond;
    const double p200 = TypedNumber(data.m_strSubgradeP200);
    double factor = 2.0;
    if (p200 > 50.0)
        factor = 10.0;
    else if (p200 >= 15.0)
        factor = 5.0;
    data.m_strGeotextileLength = PageFixedOrExponent(factor * geotextileK, 0.01, "%.3f", "%.2e");
}

const char* CSeparatorCriteria::Recommendation(const CProjectData& data)
{
    if (data.m_strClogging != "normal")
        return "The gradient ratio should\nbe equal to or greater than 3.0.";
    if (data.m_strGeotextileType == "nonwoven")
        return "The porosity of the geotextile should\nbe greater than 50%.";
    return "The percent open area of the geotextile\nshould be equal to or greater than 4%.";
}
