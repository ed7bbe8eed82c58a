#include "quarrow/pages/GradationAnalysis.h"

#include <cmath>
#include <string>

#include "framework/core/NumberText.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/ResultDependencies.h"

namespace {

const double EmptyNumber = -1.0;
const double InchesPerMillimetre = 0.03937007874015748;
// Sizes are interpolated on the 0.45-power scale and brought back with its inverse exponent.
const double PowerScale = 0.45;
const double InversePowerScale = 2.2222222222222223;
// The #200 sieve.
const double No200Millimetres = 0.075;
const double TargetPercents[CMaterialLayer::GrainSizeCount] = {10, 12, 15, 30, 50, 60, 85};

double Scaled(double dSize)
{
    return std::pow(dSize, PowerScale);
}

double SieveMillimetres(int nRow)
{
    return CPlotDataFile::SieveSizes[nRow].dMillimetres;
}

double NumberOf(const CString& strText)
{
    return strText.IsEmpty() ? EmptyNumber : TypedNumber(strText);
}

// The first point from nStart on whose value (of the member) is not below the target; the last
// point when none is.
template <class Member>
size_t FirstNotBelow(const GradationPoints& points, size_t nStart, Member member, double dTarget)
{
    size_t i = nStart;
    while (i < points.size() && points[i].*member < dTarget)
        ++i;
    return i < points.size() ? i : points.size() - 1;
}

} // namespace

CString CGradationAnalysis::PercentText(const CString& strTyped)
{
    if (strTyped.IsEmpty())
        return CString();
    const double value = TypedNumber(strTyped);
    if (value <= 0.0)
        return "0.";
    if (value > 100.0)
        return "100.0";
    int nDecimalPos = 0;
    int bNegative = 0;
    const std::string digits = NumberText::Fcvt(value, 1, &nDecimalPos, &bNegative);
    // Digits of one decimal: below 0.05 there are none, below 1 the point leads, and a value such
    // as 0.96 that rounds up to 1.0 has its point after the first digit.
    if (digits.empty())
        return "0.";
    if (nDecimalPos <= 0)
        return CString(("0." + digits).c_str());
    const size_t nPoint = static_cast<size_t>(nDecimalPos);
    return CString((digits.substr(0, nPoint) + "." + digits.substr(nPoint)).c_str());
}

bool CGradationAnalysis::IsTableEmpty(const CProjectData& data, const CMaterialLayer& layer)
{
    for (int nRow = 0; nRow < SieveCount; ++nRow)
        for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper})
            if (!layer.SieveText(data, nRow, nPart).IsEmpty())
                return false;
    return true;
}

void CGradationAnalysis::ReadTexts(CProjectData& data, const CMaterialLayer& layer, bool bRange)
{
    for (int nRow = 0; nRow < SieveCount; ++nRow)
    {
        if (bRange)
        {
            for (int nPart : {CProjectData::SieveLower, CProjectData::SieveUpper})
                layer.SieveNumber(data, nRow, nPart) = NumberOf(layer.SieveText(data, nRow, nPart));
        }
        else
        {
            layer.SieveNumber(data, nRow, CProjectData::SieveValue) =
                NumberOf(layer.SieveText(data, nRow, CProjectData::SieveValue));
        }
    }
}

CGradationAnalysis::OrderCheck CGradationAnalysis::CheckOrder(const CProjectData& data, const CMaterialLayer& layer,
                                                             bool bRange)
{
    auto number = [&](int nRow, int nPart) { return data.m_dSieve[nRow][layer.nIndex * 3 + nPart]; };
    OrderCheck check;
    check.points.push_back({0.0, 0.0});
    if (bRange)
    {
        double dPreviousLower = number(0, CProjectData::SieveLower);
        double dPreviousUpper = number(0, CProjectData::SieveUpper);
        for (int nRow = 0; nRow < SieveCount; ++nRow)
        {
            const double dLower = number(nRow, CProjectData::SieveLower);
            const double dUpper = number(nRow, CProjectData::SieveUpper);
            // Each row counts its own bounds: only a row with both adds a point.
            int nBounds = 0;
            if (dLower < dPreviousLower)
            {
                check.bBadCell[nRow][0] = dLower != EmptyNumber;
            }
            else if (dLower != EmptyNumber)
            {
                dPreviousLower = dLower;
                nBounds = 1;
            }
            if (dUpper < dPreviousUpper)
            {
                check.bBadCell[nRow][1] = dUpper != EmptyNumber;
            }
            else if (dUpper != EmptyNumber)
            {
                dPreviousUpper = dUpper;
                ++nBounds;
            }
            // An empty upper bound counts as -1.0: a row with a lower bound alone is out of order.
            if (dUpper < dLower)
                check.bBadCell[nRow][0] = check.bBadCell[nRow][1] = true;
            if (nBounds == 2)
                check.points.push_back({SieveMillimetres(nRow), (dLower + dUpper) * 0.5});
        }
    }
    else
    {
        double dPrevious = number(0, CProjectData::SieveValue);
        for (int nRow = 0; nRow < SieveCount; ++nRow)
        {
            const double dValue = number(nRow, CProjectData::SieveValue);
            if (dValue < dPrevious)
            {
                check.bBadCell[nRow][0] = dValue != EmptyNumber;
            }
            else if (dValue != EmptyNumber)
            {
                dPrevious = dValue;
                check.points.push_back({SieveMillimetres(nRow), dValue});
            }
        }
    }
    for (const auto& row : check.bBadCell)
        if (row[0] || row[1])
            check.bValid = false;
    check.points.push_back({100.0, 100.0});
    return check;
}

CGradationAnalysis::Parameters CGradationAnalysis::ComputeParameters(const GradationPoints& points)
{
    Parameters result{};
    size_t i = 0;
    for (int nTarget = 0; nTarget < CMaterialLayer::GrainSizeCount; ++nTarget)
    {
        const double dPercent = TargetPercents[nTarget];
        i = FirstNotBelow(points, i, &GradationPoint::dPercent, dPercent);
        if (i == 0)
        {
            result.grainSizes[nTarget] = points[0].dSize;
            continue;
        }
        const GradationPoint& below = points[i - 1];
        const GradationPoint& above = points[i];
        const double dScaled = Scaled(below.dSize) + (Scaled(above.dSize) - Scaled(below.dSize)) *
                                                         (dPercent - below.dPercent) /
                                                         (above.dPercent - below.dPercent);
        result.grainSizes[nTarget] = std::pow(dScaled, InversePowerScale);
    }
    const double dD10 = result.grainSizes[0];
    const double dD30 = result.grainSizes[3];
    const double dD60 = result.grainSizes[5];
    result.dCu = dD60 / dD10;
    result.dCc = dD30 * dD30 / (dD10 * dD60);

    const size_t j = FirstNotBelow(points, 0, &GradationPoint::dSize, No200Millimetres);
    if (j == 0)
    {
        result.dP200 = points[0].dPercent;
    }
    else
    {
        const GradationPoint& finer = points[j - 1];
        const GradationPoint& coarser = points[j];
        result.dP200 = finer.dPercent + (coarser.dPercent - finer.dPercent) *
                                            (Scaled(No200Millimetres) - Scaled(finer.dSize)) /
                                            (Scaled(coarser.dSize) - Scaled(finer.dSize));
    }
    return result;
}

void CGradationAnalysis::StoreParameters(CProjectData& data, const CMaterialLayer& layer,
                                         const Parameters& parameters)
{
    const double dSizeFactor = data.m_strUnits == "english" ? InchesPerMillimetre : 1.0;
    CString strText;
    for (int nSize = 0; nSize < CMaterialLayer::GrainSizeCount; ++nSize)
    {
        const double dSize = parameters.grainSizes[nSize] * dSizeFactor;
        strText.Format(dSize >= 0.001 ? "%.4f" : "%.2e", dSize);
        CRecordChange::ShowFromTable(data, layer.grainSizes[nSize], strText);
    }
    const struct
    {
        CDesignValue::TextField field;
        double dValue;
    } percentages[] = {{layer.p200, parameters.dP200}, {layer.cu, parameters.dCu}, {layer.cc, parameters.dCc}};
    for (const auto& percentage : percentages)
    {
        strText.Format("%.2f", percentage.dValue);
        CRecordChange::ShowFromTable(data, percentage.field, strText);
    }
}

void CGradationAnalysis::CompleteTable(CProjectData& data, const CMaterialLayer& layer, const CString& strMode)
{
    const bool bValues = strMode == "value";
    if (!bValues && strMode != "range")
        return;
    for (int nRow = 0; nRow < SieveCount; ++nRow)
    {
        double& dLower = layer.SieveNumber(data, nRow, CProjectData::SieveLower);
        double& dValue = layer.SieveNumber(data, nRow, CProjectData::SieveValue);
        double& dUpper = layer.SieveNumber(data, nRow, CProjectData::SieveUpper);
        CString& strValue = layer.SieveText(data, nRow, CProjectData::SieveValue);
        if (bValues)
        {
            dLower = dUpper = dValue;
            layer.SieveText(data, nRow, CProjectData::SieveLower) = strValue;
            layer.SieveText(data, nRow, CProjectData::SieveUpper) = strValue;
        }
        else if (dLower == EmptyNumber || dUpper == EmptyNumber)
        {
            // A row with one bound has no middle to show in value mode.
            dValue = EmptyNumber;
            strValue.Empty();
        }
        else
        {
            dValue = (dLower + dUpper) * 0.5;
            strValue.Format("%.1f", dValue);
        }
    }
}

void CGradationAnalysis::ClearTable(CProjectData& data, const CMaterialLayer& layer)
{
    for (int nRow = 0; nRow < SieveCount; ++nRow)
    {
        for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper})
        {
            layer.SieveText(data, nRow, nPart).Empty();
            layer.SieveNumber(data, nRow, nPart) = EmptyNumber;
        }
    }
}

void CGradationAnalysis::ClearResults(CProjectData& data, const CMaterialLayer& layer)
{
    for (CMaterialLayer::TextField field : layer.grainSizes)
        (data.*field).Empty();
    (data.*layer.p200).Empty();
    (data.*layer.cu).Empty();
    (data.*layer.cc).Empty();
}
