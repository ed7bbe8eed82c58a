#include "fennick/SieveSizeScale.h"

#include <cmath>

IMPLEMENT_SERIAL(CSieveSizeScale, QVGDecimalScale, VERSIONABLE_SCHEMA | 1)

namespace {

struct Sieve
{
    double dSize;          // millimetres; 0.931 and 1.888 are the sizes the plots use for #20 and #10
    LPCTSTR lpszInches;
    LPCTSTR lpszMillimetres;
};

const Sieve Sieves[CSieveSizeScale::SieveCount] = {
    {0.075, "#200", "0.075mm"}, {0.15, "", ""},   {0.212, "", ""},          {0.25, "", ""},
    {0.3, "#50", "0.300mm"},    {0.425, "", ""},  {0.6, "", ""},            {0.931, "", ""},
    {1.18, "#16", "1.180mm"},   {1.888, "", ""},  {2.36, "", ""},           {4.75, "#4", "4.75mm"},
    {9.5, "", ""},              {12.5, "1/2\"", "12.5mm"},   {19.0, "3/4\"", "19.0mm"},
    {25.0, "1\"", "25.0mm"},    {37.5, "1 1/2\"", "37.5mm"}, {50.0, "2\"", "50.0mm"},
    {63.0, "2 1/2\"", ""},      {75.0, "3\"", "75.0mm"},     {90.0, "3 1/2\"", ""},
    {100.0, "4\"", "100mm"},
};

// The axis value of a sieve on the 0.45-power scale.
double AxisValue(int i)
{
    return std::pow(Sieves[i].dSize, 0.45);
}

} // namespace

CSieveSizeScale::CSieveSizeScale() {}

double CSieveSizeScale::SieveSize(int i)
{
    return i >= 0 && i < SieveCount ? Sieves[i].dSize : 0.0;
}

LPCTSTR CSieveSizeScale::SieveName(int i, bool bMillimetres)
{
    if (i < 0 || i >= SieveCount)
        return "";
    return bMillimetres ? Sieves[i].lpszMillimetres : Sieves[i].lpszInches;
}

void CSieveSizeScale::GenerateLabels()
{
    Frame frame;
    if (!BeginFrame(m_dMin, m_dMax, true, frame))
        return;
    if (m_strFormat.IsEmpty())
        m_strFormat = " %g ";
    const bool bMillimetres = m_bMillimetres != FALSE;
    const double start = m_bAscending ? m_dMin : m_dMax;
    int nUsed = 0;
    // The sieves from the finest on, up to the first that reaches half a unit below the maximum.
    if (m_dMin < m_dMax - 0.5)
    {
        for (int i = 0; i < SieveCount; ++i)
        {
            QVGraphLabel* pLabel = LabelForGeneration(i);
            pLabel->SetAnnotationText(SieveName(i, bMillimetres));
            const double distance = std::fabs(AxisValue(i) - start);
            PlaceLabel(pLabel, frame, distance * frame.sx, distance * frame.sy);
            nUsed = i + 1;
            if (!(AxisValue(i) < m_dMax - 0.5))
                break;
        }
    }
    EndFrame(frame, nUsed);
}
