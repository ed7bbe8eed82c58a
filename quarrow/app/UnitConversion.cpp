// Switching the record between English and metric units, in place, as text.

#include "quarrow/app/ProjectData.h"

#include "framework/core/NumberText.h"

#include <cmath>
#include <cstdlib>

namespace {

using TextField = CString CProjectData::*;

enum class TextForm
{
    Significant5,   // 5 significant digits, _gcvt manner
    GrainSize,      // "%.4f", below 0.01 "%.2e"
    GeotextileLength // "%.3f", below 0.01 "%.2e"
};

struct ConvertedField
{
    TextField field;
    double toMetric;    // English to metric factor; back is its reciprocal
    TextForm form;
};

const double FeetToMetres = 0.3048;
const double InchesToMillimetres = 25.4;
const double FeetPerDayToMetresPerSecond = 3.528e-6;           // inflow rates
const double CrackRateToMetric = 1.075e-6;                      // ft3/ft/day to m3/m/s
const double PipeFlowToMetric = 3.277e-7;
const double SquareFeetToSquareMetres = 0.0929;
const double PoundsPerSquareFootToKilograms = 4.882;            // lb/ft2 to kg/m2
const double FinDrainConstantToMetric = 1.1158;
const double PoundsPerCubicFootToKilograms = 16.018;            // lb/ft3 to kg/m3

const ConvertedField ConvertedFields[] = {
    {&CProjectData::m_strResultantLength, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strBaseWidth, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strInflowWidth, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strTransverseCrackLength, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strTransverseCrackSpacing, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strContributingLength, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strContributingWidth, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strWettedPerimeter, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strHydraulicRadius, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strPipeVelocity, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strGeometryCoefficientB, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strGeometryCoefficientC, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strOutletSpacing, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strPavementK, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strPavementLayerThickness, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strBaseThickness, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strBaseK, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strBaseMinThickness, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strSubgradeK, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strSeparatorK, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strGeotextilePermeability, FeetToMetres, TextForm::Significant5},
    {&CProjectData::m_strSeparatorMinK, FeetToMetres, TextForm::Significant5},

    {&CProjectData::m_strRainfallRate, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strApparentOpeningSize, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strPipeDiameter, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strHeaveRate, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strFlowZoneDepth, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strOutletDepth, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strSeparatorMaxH, InchesToMillimetres, TextForm::Significant5},
    {&CProjectData::m_strGeotextileLength, InchesToMillimetres, TextForm::GeotextileLength},

    {&CProjectData::m_strBaseD10, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD12, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD15, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD30, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD50, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD60, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strBaseD85, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD10, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD12, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD15, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD30, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD50, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD60, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSubgradeD85, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD10, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD12, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD15, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD30, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD50, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD60, InchesToMillimetres, TextForm::GrainSize},
    {&CProjectData::m_strSeparatorD85, InchesToMillimetres, TextForm::GrainSize},

    {&CProjectData::m_strInfiltrationRate, FeetPerDayToMetresPerSecond, TextForm::Significant5},
    {&CProjectData::m_strTotalInflow, FeetPerDayToMetresPerSecond, TextForm::Significant5},
    {&CProjectData::m_strSeepageVelocity, FeetPerDayToMetresPerSecond, TextForm::Significant5},
    {&CProjectData::m_strDischargeVelocity, FeetPerDayToMetresPerSecond, TextForm::Significant5},
    {&CProjectData::m_strMeltwaterFlow, FeetPerDayToMetresPerSecond, TextForm::Significant5},

    {&CProjectData::m_strCrackInfiltrationRate, CrackRateToMetric, TextForm::Significant5},
    {&CProjectData::m_strBaseDischargeRate, CrackRateToMetric, TextForm::Significant5},

    {&CProjectData::m_strPipeFlow, PipeFlowToMetric, TextForm::Significant5},

    {&CProjectData::m_strFlowArea, SquareFeetToSquareMetres, TextForm::Significant5},
    {&CProjectData::m_strPipeFlowArea, SquareFeetToSquareMetres, TextForm::Significant5},

    {&CProjectData::m_strPavementLoad, PoundsPerSquareFootToKilograms, TextForm::Significant5},

    {&CProjectData::m_strFinDrainConstant, FinDrainConstantToMetric, TextForm::Significant5},

    // The separator's unit weight is a unit weight like the other two.
    {&CProjectData::m_strPavementUnitWeight, PoundsPerCubicFootToKilograms, TextForm::Significant5},
    {&CProjectData::m_strBaseUnitWeight, PoundsPerCubicFootToKilograms, TextForm::Significant5},
    {&CProjectData::m_strSubgradeUnitWeight, PoundsPerCubicFootToKilograms, TextForm::Significant5},
    {&CProjectData::m_strSeparatorUnitWeight, PoundsPerCubicFootToKilograms, TextForm::Significant5},
};

// Sizes below 0.01 keep three significant digits in exponent form; zero (also the
// value of a text that is no number) stays in the fixed form, "0.0000".
bool IsSmallSize(double value)
{
    return value != 0.0 && std::fabs(value) < 0.01;
}

CString FormatConverted(double value, TextForm form)
{
    CString strText;
    switch (form)
    {
    case TextForm::Significant5:
        return CString(NumberText::Gcvt(value, 5).c_str());
    case TextForm::GrainSize:
        strText.Format(IsSmallSize(value) ? "%.2e" : "%.4f", value);
        return strText;
    case TextForm::GeotextileLength:
        strText.Format(IsSmallSize(value) ? "%.2e" : "%.3f", value);
        return strText;
    }
    return strText;
}

void ConvertText(CString& strText, double factor, TextForm form)
{
    if (strText.IsEmpty())
        return;
    double value = atof(strText) * factor;
    // A text such as "1e999" has no value that survives conversion: it becomes unset.
    if (!std::isfinite(value))
    {
        strText.Empty();
        return;
    }
    strText = FormatConverted(value, form);
}

} // namespace

void CProjectData::ConvertToMetric()
{
    for (const ConvertedField& entry : ConvertedFields)
        ConvertText(this->*entry.field, entry.toMetric, entry.form);
}

void CProjectData::ConvertToEnglish()
{
    for (const ConvertedField& entry : ConvertedFields)
        ConvertText(this->*entry.field, 1.0 / entry.toMetric, entry.form);
}
