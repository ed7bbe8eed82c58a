// The HTML summary of the design: every value as the record holds it, with the unit texts of the
// design's units, sections chosen by the pages' choice words, and the separator criteria judged.
#include "quarrow/app/QuarrowDlg.h"

#include <initializer_list>
#include <string>

#include "framework/core/SafeSave.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/OutsideCalls.h"
#include "framework/win/Seams.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/SeparatorCriteria.h"
#include "quarrow/pages/SieveAnalysis.h"

namespace {

const char* const SummaryTitle = "Create QUARROW summary file.";
const char* const SummaryFilter = "QUARROW summary(*.htm)|*.htm|All Files (*.*)|*.*||";
const char* const SummaryExtension = "htm";
// Print Summary without a chosen file prints this one, in the current directory.
const char* const PrintFileName = "temp.html";
const char* const WriteFailedText = "The summary could not be written to this file:\n";

const char* const Paragraph = "<p style=\"line-height: 150%\" >";

enum UnitKind
{
    UnitSlope, UnitLength, UnitSmallLength, UnitRainfallRate, UnitPermeability, UnitHeaveRate,
    UnitPipeCapacity, UnitFlowPerLength, UnitFlowPerArea, UnitUnitWeight, UnitLoad, UnitPercent,
    UnitHours, UnitNone, UnitKindCount
};

// English and metric text of each kind, written right behind the value. The flow units follow
// the record's conversion: per day in English units, per second in metric ones (the pipe
// capacity too: its metric value is m3/s).
const char* const UnitTexts[UnitKindCount][2] = {
    {"   ft/ft<br>", "   m/m<br>"},
    {"   ft<br>", "   m<br>"},
    {"   in<br>", "   mm<br>"},
    {"   in/hr<br>", "   mm/hr<br>"},
    {"   ft/d<br>", "   m/d<br>"},
    {"   in/day<br>", "   mm/day<br>"},
    {"   ft<sup>3</sup>/day<br>", "   m<sup>3</sup>/s<br>"},
    {"   ft<sup>3</sup>/d/ft<br>", "   m<sup>3</sup>/s/m<br>"},
    {"   ft<sup>3</sup>/d/ft<sup>2</sup><br>", "   m<sup>3</sup>/s/m<sup>2</sup><br>"},
    {"   lb/ft<sup>3</sup><br>", "   kg/m<sup>3</sup><br>"},
    {"lb/ft<sup>2</sup><br>", "    kg/m<sup>2</sup><br>"},
    {"   %<br>", "   %<br>"},
    {"   hr<br>", "   hr<br>"},
    {"<br>", "<br>"},
};

// Sieve sizes in millimetres, in the rows of the record's sieve table (#20 is 0.850 mm).
const char* const MetricSieveLabels[CProjectData::SieveCount] = {
    "0.001", "0.002", "0.020", "0.075", "0.150", "0.212", "0.250", "0.300", "0.425", "0.600", "0.850", "1.18",
    "2.00", "2.36", "4.75", "9.5", "12.5", "19.0", "25.0", "37.5", "50.0", "63.0", "75.0", "90.0",
};

// Texts typed by the engineer or chosen in a dialog may hold characters that HTML reads as markup.
std::string HtmlEscaped(LPCTSTR pszText)
{
    std::string result;
    for (LPCTSTR p = pszText; *p != '\0'; ++p) {
        switch (*p) {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '"': result += "&quot;"; break;
        default: result += *p; break;
        }
    }
    return result;
}

bool AnyNonEmpty(std::initializer_list<const CString*> fields)
{
    for (const CString* pField : fields)
        if (!pField->IsEmpty())
            return true;
    return false;
}

// The document as it grows; "\n" becomes CR LF when it is written.
class SummaryText
{
public:
    explicit SummaryText(const CProjectData& data)
        : m_data(data), m_nUnitColumn(data.IsMetric() ? 1 : 0)
    {
    }

    // An item followed by a line end.
    void Line(const std::string& strItem) { m_text += strItem + "\n"; }
    // An item without a line end.
    void Text(const std::string& strItem) { m_text += strItem; }
    // Label, value and unit run together.
    void Value(const char* pszLabel, const CString& strValue, UnitKind unit, bool bLineEnd = true)
    {
        Text(pszLabel + HtmlEscaped(strValue) + UnitTexts[unit][m_nUnitColumn]);
        if (bLineEnd)
            Text("\n");
    }
    void Criterion(const char* pszText, int bPassed) { Line(std::string(pszText) + (bPassed ? " Pass<br>" : " Fail<br>")); }

    const CProjectData& Data() const { return m_data; }
    const char* Unit(UnitKind unit) const { return UnitTexts[unit][m_nUnitColumn]; }
    const std::string& Result() const { return m_text; }

private:
    const CProjectData& m_data;
    int m_nUnitColumn;
    std::string m_text;
};

void WriteHead(SummaryText& out, const CString& strPath, const CString& strFileName)
{
    out.Line("<html>");
    out.Line("<title>QUARROW Summary File - " + HtmlEscaped(strPath) + "</title>");
    out.Line("<body>");
    out.Line("<h2>Summary of QUARROW file - " + HtmlEscaped(strFileName) + "</h2>");
}

void WriteRoadway(SummaryText& out)
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Roadway Geometry</h3>");
    if (!AnyNonEmpty({&d.m_strGeometryCoefficientB, &d.m_strGeometryCoefficientC, &d.m_strBaseWidth,
                      &d.m_strLongitudinalSlope, &d.m_strCrossSlope, &d.m_strResultantSlope,
                      &d.m_strResultantLength}))
        return;
    out.Text(Paragraph);
    out.Value("Width of surface (b) = ", d.m_strGeometryCoefficientB, UnitLength);
    out.Value("Distance from edge of surface to edge of base (c) = ", d.m_strGeometryCoefficientC, UnitLength);
    out.Value("Width of drainage path (W) = ", d.m_strBaseWidth, UnitLength);
    out.Value("Longitudinal slope (S) = ", d.m_strLongitudinalSlope, UnitSlope);
    out.Value("Transverse slope (S<sub>x</sub>) = ", d.m_strCrossSlope, UnitSlope);
    out.Value("Resultant slope of drainage path (S<sub>R</sub>) = ", d.m_strResultantSlope, UnitSlope);
    out.Value("Resultant length of drainage path (L<sub>R</sub>) = ", d.m_strResultantLength, UnitLength, false);
    out.Text("</p>\n");
}

// One material layer's properties as the sieve block lists them.
struct LayerSummary
{
    const char* pszHeading;
    const char* pszPermeabilityRow;
    int nLayer;
    const CString& strP200;
    const CString& strD10;
    const CString& strD12;
    const CString& strD15;
    const CString& strD30;
    const CString& strD50;
    const CString& strD85;
    const CString& strCu;
    const CString& strCc;
    const CString& strUnitWeight;
    const CString& strSpecificGravity;
    const CString& strPorosity;
    const CString& strWater;
    const CString& strEffectivePorosity;
    const CString& strK;
};

void WriteSieveBlock(SummaryText& out, const LayerSummary& layer)
{
    const CProjectData& d = out.Data();
    // Every item of the block ends with a line end, also those that carry one of their own.
    auto row = [&out](const char* pszStart, const CString& strValue, const char* pszUnit, const char* pszEnd) {
        out.Line(pszStart + HtmlEscaped(strValue) + pszUnit + pszEnd);
    };

    out.Line(layer.pszHeading);
    out.Line("<TABLE>");
    out.Line("<TR><TD width=50%>");
    out.Line("<TABLE>");
    row("<TR><TD>P<sub>200</sub> = </TD><TD>", layer.strP200, "", " % </TD></TR>\n");
    row("<TR><TD>D<sub>10</sub> = </TD><TD>", layer.strD10, out.Unit(UnitSmallLength), " </TD></TR>\n");
    row("<TR><TD>D<sub>12</sub> = </TD><TD>", layer.strD12, out.Unit(UnitSmallLength), " </TD></TR>\n");
    row("<TR><TD>D<sub>15</sub> = </TD><TD>", layer.strD15, out.Unit(UnitSmallLength), " </TD></TR>\n");
    row("<TR><TD>D<sub>30</sub> = </TD><TD>", layer.strD30, out.Unit(UnitSmallLength), "  </TD></TR>\n");
    row("<TR><TD>D<sub>50</sub> = </TD><TD>", layer.strD50, out.Unit(UnitSmallLength), "  </TD></TR>\n");
    row("<TR><TD>D<sub>85</sub> = </TD><TD>", layer.strD85, out.Unit(UnitSmallLength), "  </TD></TR>\n");
    row("<TR><TD>C<sub>u</sub> = </TD><TD>", layer.strCu, "", "      </TD></TR>\n");
    row("<TR><TD>C<sub>c</sub> = </TD><TD>", layer.strCc, "", "      </TD></TR>\n");
    row("<TR><TD>Unit Weight = </TD><TD>", layer.strUnitWeight, out.Unit(UnitUnitWeight), "      </TD></TR>\n");
    row("<TR><TD>Specific Gravity = </TD><TD>", layer.strSpecificGravity, out.Unit(UnitNone), "      </TD></TR>\n");
    row("<TR><TD>Porosity (n) = </TD><TD>", layer.strPorosity, out.Unit(UnitNone), "      </TD></TR>\n");
    row("<TR><TD>Water loss/content = </TD><TD>", layer.strWater, out.Unit(UnitPercent), "      </TD></TR>\n");
    row("<TR><TD>Effective Porosity (N<sub>e</sub>) = </TD><TD>", layer.strEffectivePorosity, out.Unit(UnitNone),
        " </TD></TR>\n");
    row(layer.pszPermeabilityRow, layer.strK, out.Unit(UnitPermeability), " </TD></TR>\n");
    out.Line("</TABLE>");
    out.Line("</TD><TD>\n");
    out.Line("<TABLE BORDER=1>\n");

    const bool bValues = d.m_strSieveType == "value";
    if (bValues)
        out.Line("<TR><TD>Sieve Size</TD><TD>Percent Passing</TD></TR>\n");
    else
        out.Line("<TR><TD>Sieve Size</TD><TD>Lower Bound</TD><TD>Upper Bound</TD></TR>\n");
    const bool bEnglishLabels = d.m_strUnits == "english";
    for (int nRow = 0; nRow < CProjectData::SieveCount; ++nRow) {
        const std::string strLabel = bEnglishLabels ? CProjectData::SieveLabels[nRow] : MetricSieveLabels[nRow];
        const CString* pCells = d.m_strSieve[nRow] + layer.nLayer * 3;
        const CString& strLower = pCells[CProjectData::SieveLower];
        const CString& strValue = pCells[CProjectData::SieveValue];
        const CString& strUpper = pCells[CProjectData::SieveUpper];
        if (bValues) {
            if (!strValue.IsEmpty())
                out.Line("<TR><TD>" + strLabel + "</TD><TD>" + HtmlEscaped(strValue) + "</TD></TR>\n");
        } else if (!strLower.IsEmpty() || !strUpper.IsEmpty()) {
            out.Line("<TR><TD>" + strLabel + "</TD><TD>" + HtmlEscaped(strLower) + "</TD><TD>" +
                     HtmlEscaped(strUpper) + "</TD></TR>\n");
        }
    }
    out.Line("</TABLE>\n");
    out.Line("</TD></TR></TABLE>\n");
}

void WriteSieveAnalysis(SummaryText& out)
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Sieve Analysis</h3>");
    if (!d.m_strBaseD10.IsEmpty()) {
        WriteSieveBlock(out, {"<u>Sieve Analysis Permeable Base</u></p>",
                              "<TR><TD>Permeability (k<sub>base</sub>) = </TD><TD>", CProjectData::LayerBase,
                              d.m_strBaseP200, d.m_strBaseD10, d.m_strBaseD12, d.m_strBaseD15, d.m_strBaseD30,
                              d.m_strBaseD50, d.m_strBaseD85, d.m_strBaseCu, d.m_strBaseCc, d.m_strBaseUnitWeight,
                              d.m_strBaseSpecificGravity, d.m_strBasePorosity, d.m_strBaseWater,
                              d.m_strBaseEffectivePorosity, d.m_strBaseK});
    }
    if (!d.m_strSubgradeD10.IsEmpty()) {
        WriteSieveBlock(out, {"<u>Sieve Analysis Subgrade</u></p>",
                              "<TR><TD>Permeability (k<sub>subgrade</sub>) = </TD><TD>",
                              CProjectData::LayerSubgrade, d.m_strSubgradeP200, d.m_strSubgradeD10,
                              d.m_strSubgradeD12, d.m_strSubgradeD15, d.m_strSubgradeD30, d.m_strSubgradeD50,
                              d.m_strSubgradeD85, d.m_strSubgradeCu, d.m_strSubgradeCc, d.m_strSubgradeUnitWeight,
                              d.m_strSubgradeSpecificGravity, d.m_strSubgradePorosity, d.m_strSubgradeWater,
                              d.m_strSubgradeEffectivePorosity, d.m_strSubgradeK});
    }
    if (!d.m_strSeparatorD10.IsEmpty() && d.m_strSeparatorType == "aggregate") {
        WriteSieveBlock(out, {"<u>Sieve Analysis Separator</u></p>",
                              "<TR><TD>Permeability (k<sub>seperator</sub>) = </TD><TD>",
                              CProjectData::LayerSeparator, d.m_strSeparatorP200, d.m_strSeparatorD10,
                              d.m_strSeparatorD12, d.m_strSeparatorD15, d.m_strSeparatorD30, d.m_strSeparatorD50,
                              d.m_strSeparatorD85, d.m_strSeparatorCu, d.m_strSeparatorCc,
                              d.m_strSeparatorUnitWeight, d.m_strSeparatorSpecificGravity,
                              d.m_strSeparatorPorosity, d.m_strSeparatorWater, d.m_strSeparatorEffectivePorosity,
                              d.m_strSeparatorK});
    }
}

void WriteInflow(SummaryText& out)
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Inflow</h3>");
    if (!AnyNonEmpty({&d.m_strInfiltrationRatio, &d.m_strTransverseCrackSpacing, &d.m_strRainfallRate,
                      &d.m_strInfiltrationRate, &d.m_strLongitudinalCracks, &d.m_strTransverseCrackLength,
                      &d.m_strBaseWidth, &d.m_strHeaveRate, &d.m_strSubgradeK, &d.m_strPavementUnitWeight,
                      &d.m_strBaseUnitWeight, &d.m_strPavementLayerThickness, &d.m_strBaseThickness,
                      &d.m_strPavementLoad, &d.m_strMeltwaterFlow}))
        return;
    out.Text(Paragraph);
    if (d.m_strInfiltrationMethod == "crack") {
        out.Line("<u>Crack Infiltration Method</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Infiltration coefficient (I<sub>C</sub>) = ",
                  d.m_strCrackInfiltrationRate, UnitFlowPerLength);
        out.Value("Number of contributing cracks (N<sub>C</sub>) = ", d.m_strLongitudinalCracks, UnitNone);
        out.Value("Length of transverse contributing joints or cracks (W<sub>C</sub>) = ",
                  d.m_strTransverseCrackLength, UnitLength);
        out.Value("Width of drainage path (W) = ", d.m_strBaseWidth, UnitLength);
        out.Value("Spacing of transverse joints or cracks (C<sub>S</sub>) = ", d.m_strTransverseCrackSpacing,
                  UnitLength);
        out.Value("Permeability of the pavement surface (k<sub>p</sub>) = ", d.m_strPavementK, UnitPermeability);
        out.Value("Rate of infiltration through surface (q<sub>i</sub>) = ", d.m_strInfiltrationRate,
                  UnitFlowPerArea);
    } else {
        out.Line("<u>Infiltration Ratio Method</u></p>");
        out.Value(d.m_strConcrete == "PCC"
                      ? "<p style=\"line-height: 150%\" >Portland Cement Concrete Infiltration coefficient (C) = "
                      : "<p style=\"line-height: 150%\" >Asphalt Cement Concrete Infiltration coefficient (C) = ",
                  d.m_strInfiltrationRatio, UnitNone);
        out.Value(d.m_strRain == "one" ? "One year, One Hour, Rainfall rate (R) = "
                                       : "Two year, One Hour, Rainfall rate (R) = ",
                  d.m_strRainfallRate, UnitRainfallRate);
        out.Value("Rate of infiltration through surface (q<sub>i</sub>) = ", d.m_strInfiltrationRate,
                  UnitFlowPerArea);
    }
    if (d.m_strMeltwater == "yes") {
        out.Line("</p><p style=\"line-height: 150%\" ><u>Meltwater Infiltration</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Heave rate of the subgrade (Heave) = ", d.m_strHeaveRate,
                  UnitHeaveRate);
        out.Value("Permeability of the subgrade. (k<sub>sub</sub>) = ", d.m_strSubgradeK, UnitPermeability);
        out.Value("Unit Weight of the surface material (gamma<sub>surface</sub>) = ", d.m_strPavementUnitWeight,
                  UnitUnitWeight);
        out.Value("Unit Weight of the base material (gamma<sub>base</sub>) = ", d.m_strBaseUnitWeight,
                  UnitUnitWeight);
        out.Value("Thickness of the surface (H<sub>surface</sub>) = ", d.m_strPavementLayerThickness, UnitLength);
        out.Value("Thickness of the base (H<sub>base</sub>) = ", d.m_strBaseThickness, UnitLength);
        out.Value("Pavement Load (sigma) = ", d.m_strPavementLoad, UnitLoad);
        out.Value("Rate of infiltration due to meltwater (q<sub>m</sub>) = ", d.m_strMeltwaterFlow, UnitFlowPerArea);
    }
    out.Text("</p>\n");
}

void WritePermeableBase(SummaryText& out)
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Permeable Base</h3>");
    if (!AnyNonEmpty({&d.m_strBaseK, &d.m_strBaseEffectivePorosity, &d.m_strResultantSlope,
                      &d.m_strResultantLength, &d.m_strPercentSaturation, &d.m_strBasePorosity,
                      &d.m_strBaseMinThickness, &d.m_strTransverseCrackSpacing, &d.m_strBaseThickness,
                      &d.m_strPercentDrained, &d.m_strTimeToDrain}))
        return;
    out.Text(Paragraph);
    if (d.m_strBaseMethod == "TTD") {
        out.Line("<u>Time to Drain Method</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Effective porostity (N<sub>e</sub>) = ",
                  d.m_strBaseEffectivePorosity, UnitNone);
        out.Value("Permeability of base (k<sub>sub</sub>) = ", d.m_strBaseK, UnitPermeability);
        out.Value("Resultant slope of drainage path (S<sub>R</sub>) = ", d.m_strResultantSlope, UnitSlope);
        out.Value("Resultant length of drainage path (L<sub>R</sub>) = ", d.m_strResultantLength, UnitLength, false);
        out.Value("Percent saturation  (S) = ", d.m_strPercentSaturation, UnitPercent, false);
        out.Value("Thickness of the base (H) = ", d.m_strBaseThickness, UnitLength);
        out.Value("Percent drainage  (U) = ", d.m_strPercentDrained, UnitPercent, false);
        out.Value("Time to drain <i>U%</i> of water from base (t) = ", d.m_strTimeToDrain, UnitHours, false);
    } else {
        out.Line("<u>Depth of Flow Method</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Rate of infiltration through surface (q<sub>i</sub>) = ",
                  d.m_strInfiltrationRate, UnitFlowPerArea);
        out.Value("Permeability of base (k<sub>sub</sub>) = ", d.m_strBaseK, UnitPermeability);
        out.Value("Resultant slope of drainage path (S<sub>R</sub>) = ", d.m_strResultantSlope, UnitSlope);
        out.Value("Resultant length of drainage path (L<sub>R</sub>) = ", d.m_strResultantLength, UnitLength, false);
        out.Value("Required thickness of the permeable base (H<sub>min</sub>) = ", d.m_strBaseMinThickness,
                  UnitLength);
        out.Value("Actual thickness of the permeable base (H) = ", d.m_strBaseThickness, UnitLength);
        out.Value("Capacity of permeable base(q<sub>d</sub>) = ", d.m_strBaseDischargeRate, UnitFlowPerLength);
    }
    out.Text("</p>\n");
}

void WriteSeparator(SummaryText& out, const int (&passed)[5])
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Separator Layer</h3>");
    if (!((!d.m_strBaseD15.IsEmpty() && !d.m_strSubgradeD15.IsEmpty()) ||
          (!d.m_strApparentOpeningSize.IsEmpty() && !d.m_strSubgradeP200.IsEmpty())))
        return;
    out.Text(Paragraph);
    if (d.m_strSeparatorType == "none") {
        out.Line("<u>Separator - None</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Base D<sub>15</sub> = ", d.m_strBaseD15, UnitSmallLength);
        out.Value("Base D<sub>50</sub> = ", d.m_strBaseD50, UnitSmallLength);
        out.Value("Subgrade D<sub>50</sub> = ", d.m_strSubgradeD50, UnitSmallLength);
        out.Value("Subgrade D<sub>85</sub> = ", d.m_strSubgradeD85, UnitSmallLength);
        out.Criterion("D<sub>15</sub><sup>Base</sup> =< 5D<sub>85</sub><sup>Subgrade</sup> --------", passed[0]);
        out.Criterion("D<sub>50</sub><sup>Base</sup> =< 25D<sub>50</sub><sup>Subgrade</sup> --------", passed[1]);
    } else if (d.m_strSeparatorType == "geotextile") {
        out.Line("<u>Separator - Geotextile</u></p>");
        out.Value("<p style=\"line-height: 150%\" >P<sub>200</sub> = ", d.m_strSubgradeP200, UnitNone);
        out.Value("k<sub>subgrade</sub> = ", d.m_strSubgradeK, UnitPermeability);
        out.Value("C<sub>u</sub> = ", d.m_strSubgradeCu, UnitNone);
        out.Value("Subgrade D<sub>15</sub> = ", d.m_strSubgradeD15, UnitSmallLength);
        out.Value("Subgrade D<sub>85</sub> = ", d.m_strSubgradeD85, UnitSmallLength);
        out.Value("AOS = ", d.m_strApparentOpeningSize, UnitSmallLength);
        out.Value("k<sub>min</sub> = ", d.m_strSeparatorMinK, UnitPermeability);
        out.Value("k<sub>separator</sub> = ", d.m_strGeotextilePermeability, UnitPermeability);
        out.Value("t<sub>separator</sub> = ", d.m_strGeotextileLength, UnitSmallLength);
        out.Criterion("AOS >= 3D<sub>15</sub><sup>Subgrade</sup> --------", passed[0]);
        out.Criterion("C<sub>u</sub> > 3 --------", passed[1]);
        out.Criterion(d.m_strPermeabilityChoice == "normal"
                          ? "k<sub>separator</sub> > k<sub>subgrade</sub> --------"
                          : "k<sub>separator</sub> > 10k<sub>subgrade</sub> --------",
                      passed[2]);
    } else if (d.m_strSeparatorType == "aggregate") {
        out.Line("<u>Separator - Aggregate</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Base D<sub>15</sub> = ", d.m_strBaseD15, UnitSmallLength);
        out.Value("Base D<sub>50</sub> = ", d.m_strBaseD50, UnitSmallLength);
        out.Value("Subgrade D<sub>50</sub> = ", d.m_strSubgradeD50, UnitSmallLength);
        out.Value("Subgrade D<sub>85</sub> = ", d.m_strSubgradeD85, UnitSmallLength);
        out.Value("Separator D<sub>12</sub> = ", d.m_strSeparatorD12, UnitSmallLength);
        out.Value("Separator D<sub>15</sub> = ", d.m_strSeparatorD15, UnitSmallLength);
        out.Value("Separator D<sub>50</sub> = ", d.m_strSeparatorD50, UnitSmallLength);
        out.Value("Separator D<sub>85</sub> = ", d.m_strSeparatorD85, UnitSmallLength);
        out.Criterion("D<sub>15</sub><sup>Base</sup> =< 5D<sub>85</sub><sup>Separator</sup> --------", passed[0]);
        out.Criterion("D<sub>50</sub><sup>Base</sup> =< 25D<sub>50</sub><sup>Separator</sup> --------", passed[1]);
        out.Criterion("D<sub>15</sub><sup>Separator</sup> =< 5D<sub>85</sub><sup>Subgrade</sup> --------", passed[2]);
        out.Criterion("D<sub>50</sub><sup>Separator</sup> =< 25D<sub>50</sub><sup>Subgrade</sup> --------", passed[3]);
        out.Criterion("D<sub>12</sub><sup>Separator</sup> >= #200  --------", passed[4]);
    }
    out.Text("</p>\n");
}

void WriteEdgeDrain(SummaryText& out)
{
    const CProjectData& d = out.Data();
    out.Line("<h3>Edge Drain</h3>");
    if (d.m_strPipeFlow.IsEmpty() && d.m_strOutletSpacing.IsEmpty())
        return;
    out.Text(Paragraph);
    if (d.m_strEdgeDrainType == "pipe") {
        out.Line("<u>Pipe</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Longitudinal slope of the pipe (S) = ", d.m_strSlopeFactor,
                  UnitSlope);
        out.Value("Roughness coefficient of pipe (n) = ", d.m_strManningCoefficient, UnitNone);
        out.Value("Pipe diameter (D) = ", d.m_strPipeDiameter, UnitSmallLength);
    } else {
        out.Line("<u>Geocomposite</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Longitudinal slope of the geocomposite (S) = ",
                  d.m_strSlopeFactor, UnitSlope);
        out.Value("Depth of flow at top of flow zone(D<sub>1</sub>) = ", d.m_strFlowZoneDepth, UnitSmallLength);
        out.Value("Depth of flow at bottom of flow zone(D<sub>2</sub>) = ", d.m_strOutletDepth, UnitSmallLength);
    }
    out.Text("</p>\n");

    if (d.m_strDischarge == "Permeable") {
        out.Line("<u>Discharge Rate Approach - Depth of Flow</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Capacity of permeable base(q<sub>d</sub>) = ",
                  d.m_strBaseDischargeRate, UnitFlowPerLength);
    } else if (d.m_strDischarge == "TTD") {
        out.Line("<u>Discharge Rate Approach - Time to Drain</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Width of drainage path (W) = ", d.m_strBaseWidth, UnitLength);
        out.Value("Thickness of the base (H<sub>base</sub>) = ", d.m_strBaseThickness, UnitLength);
        out.Value("Effective porostity (N<sub>e</sub>) = ", d.m_strBaseEffectivePorosity, UnitNone);
        out.Value("Percent drainage  (U) = ", d.m_strPercentDrained, UnitPercent, false);
        out.Value("Time to drain <i>U%</i> of water from base (t) = ", d.m_strTimeToDrain, UnitHours, false);
    } else if (d.m_strDischarge == "Infiltration") {
        out.Line("<u>Discharge Rate Approach - Pavement Infiltration</u></p>");
        out.Value("<p style=\"line-height: 150%\" >Rate of infiltration through surface (q<sub>i</sub>) = ",
                  d.m_strInfiltrationRate, UnitFlowPerArea);
        out.Value("Width of drainage path (W) = ", d.m_strBaseWidth, UnitLength);
    }
    out.Text("</p>\n");

    out.Line("<p style=\"line-height: 150%\" ><u>Edge Drain Results</u></p>");
    out.Value("<p style=\"line-height: 150%\" >Pipe capacity (Q) = ", d.m_strPipeFlow, UnitPipeCapacity);
    out.Value("Outlet spacing (L<sub>o</sub>) = ", d.m_strOutletSpacing, UnitLength);
    out.Text("</p>\n");
}

void WriteTail(SummaryText& out)
{
    out.Line("</body>");
    out.Line("</html>");
}

// Text mode as the platform knows it: every line feed stored as CR LF. An existing file is replaced
// only once the whole summary was written. FALSE when the file cannot be written.
bool WriteTextFile(const CString& strPath, const std::string& strText)
{
    std::string strBytes;
    strBytes.reserve(strText.size() + strText.size() / 16);
    for (char ch : strText) {
        if (ch == '\n')
            strBytes += '\r';
        strBytes += ch;
    }
    return AfxSaveBytesSafely(strPath, strBytes.data(), strBytes.size()) != FALSE;
}

} // namespace

void CQuarrowDlg::EvaluateSeparatorCriteria()
{
    // The separator page judges with the same evaluation, so page and summary never disagree.
    if (m_pProjectData != nullptr)
        CSeparatorCriteria::Evaluate(*m_pProjectData, m_bCriterionPassed);
}

void CQuarrowDlg::ExportSummary()
{
    if (!HasDesign())
        return;
    m_pSievePage->StoreSieveTable();

    CFileDialog dlg(FALSE, SummaryExtension, nullptr, OFN_HIDEREADONLY, SummaryFilter, this);
    dlg.m_ofn.lpstrTitle = SummaryTitle;
    CString strPath;
    if (dlg.DoModal() == IDOK)
        strPath = dlg.GetPathName();
    else if (m_bPrintSummary)
        strPath = PrintFileName;
    else
        return;

    SummaryText out(*m_pProjectData);
    WriteHead(out, strPath, m_strFileName);
    WriteRoadway(out);
    WriteSieveAnalysis(out);
    WriteInflow(out);
    WritePermeableBase(out);
    EvaluateSeparatorCriteria();
    WriteSeparator(out, m_bCriterionPassed);
    WriteEdgeDrain(out);
    WriteTail(out);

    // Nothing written means nothing to open or print.
    if (!WriteTextFile(strPath, out.Result())) {
        AfxMessageBox(CString(WriteFailedText) + strPath, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    AfxShellExecute(nullptr, m_bPrintSummary ? "print" : "open", strPath, nullptr, nullptr, SW_SHOWNORMAL);
}

void CQuarrowDlg::OnPrintSummary()
{
    m_bPrintSummary = 1;
    ExportSummary();
    m_bPrintSummary = 0;
}
