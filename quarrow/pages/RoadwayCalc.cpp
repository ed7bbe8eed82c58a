#include "quarrow/pages/RoadwayCalc.h"

#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PageNumberText.h"

#include <cmath>
#include <cstdlib>

namespace {

const char CrossSlopeMessage[] = "Cross slope, Sx, must not be zero.";

bool IsGeometryA(const CProjectData& data)
{
    return data.m_strGeometryChoice == "A";
}

} // namespace

CPageCalcResult CRoadwayCalc::CalcWidth(CProjectData& data)
{
    if (data.m_strGeometryCoefficientB.IsEmpty() || data.m_strGeometryCoefficientC.IsEmpty())
        return CPageCalcResult();
    double b = atof(data.m_strGeometryCoefficientB);
    double c = atof(data.m_strGeometryCoefficientC);
    double W = IsGeometryA(data) ? 0.5 * b + c : b + 2.0 * c;

    data.m_strBaseWidth = PageDigits5(W);
    data.m_strResultantLength.Empty();
    data.m_strInfiltrationRate.Empty();
    data.m_strPipeFlow.Empty();
    data.m_strOutletSpacing.Empty();
    return CPageCalcResult::Stored();
}

CPageCalcResult CRoadwayCalc::CalcResultantSlope(CProjectData& data)
{
    double Sx = atof(data.m_strCrossSlope);
    double S = atof(data.m_strLongitudinalSlope);
    double Sr = std::sqrt(std::pow(Sx, 2.0) + std::pow(S, 2.0));

    data.m_strResultantSlope = PageFixedOrExponent(Sr, 0.0001, "%.4f", "%.1e");
    data.m_strResultantLength.Empty();
    return CPageCalcResult::Stored();
}

CPageCalcResult CRoadwayCalc::CalcResultantLength(CProjectData& data)
{
    double W = atof(data.m_strBaseWidth);
    double S = atof(data.m_strLongitudinalSlope);
    double Sx = atof(data.m_strCrossSlope);
    double Lr = W * std::sqrt(1.0 + std::pow(S / Sx, 2.0));

    // Water on a pavement without cross slope runs along it: no finite flow length.
    if (!std::isfinite(Lr))
    {
        data.m_strResultantLength.Empty();
        return CPageCalcResult::Message(CrossSlopeMessage);
    }
    data.m_strResultantLength = PageFixedOrExponent(Lr, 0.1, "%.2f", "%.2e");
    return CPageCalcResult::Stored();
}

void CRoadwayCalc::SetGeometry(CProjectData& data, const char* geometry)
{
    data.m_strGeometryChoice = geometry;
    data.m_strBaseWidth.Empty();
    data.m_strResultantLength.Empty();
    if (!data.m_strGeometryCoefficientB.IsEmpty())
        SetTransverseCrackLength(data);
}

void CRoadwayCalc::SetTransverseCrackLength(CProjectData& data)
{
    double b = atof(data.m_strGeometryCoefficientB);
    data.m_strTransverseCrackLength = PageDigits5(IsGeometryA(data) ? b / 2.0 : b);
}

bool CRoadwayCalc::CanCalcResultantLength(const CProjectData& data)
{
    return !data.m_strBaseWidth.IsEmpty() && !data.m_strLongitudinalSlope.IsEmpty() &&
        !data.m_strCrossSlope.IsEmpty();
}
