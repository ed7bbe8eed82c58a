#include "fennick/GradationDisplay.h"

#include "chart/model/TickMarks.h"
#include "fennick/DisplayTicks.h"
#include "fennick/SieveSizeScale.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

IMPLEMENT_SERIAL(CGradationDisplay, QVGraphDisplay, VERSIONABLE_SCHEMA | 2)

namespace {
// Places in the X tick list of the sieves that the 0.45-power axis shows without a name.
bool IsUnnamedSievePlace(size_t nPlace)
{
    switch (nPlace)
    {
    case 1: case 2: case 3: case 5: case 6: case 7: case 9: case 10: case 12: return true;
    default: return false;
    }
}
} // namespace

CGradationDisplay::CGradationDisplay() {}

void CGradationDisplay::Serialize(CArchive& ar)
{
    QVGraphDisplay::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << m_dYStep << m_bMillimetres;
        return;
    }
    const UINT schema = ar.GetObjectSchema();
    ar >> m_dYStep;
    // Displays stored before they kept their units name the sieves in inches.
    m_bMillimetres = 0;
    if (schema > 1)
        ar >> m_bMillimetres;
    m_bMillimetres = m_bMillimetres != 0 ? 1 : 0;
}

void CGradationDisplay::SetYStep(double step)
{
    SetIndexScaleStep(step);
    m_dYStep = step;
}

double CGradationDisplay::GetScaleStep(bool bFirst)
{
    return bFirst ? GetValueScaleStep() : m_dYStep;
}

void CGradationDisplay::DrawCustomAxes()
{
    MakeScatterScales(RUNTIME_CLASS(CSieveSizeScale));
    if (auto* pSieves = dynamic_cast<CSieveSizeScale*>(GetFirstScale()))
        pSieves->SetMillimetres(m_bMillimetres);
    LayoutScatterScales(RUNTIME_CLASS(CSieveSizeScale));
}

void CGradationDisplay::DrawCustomPlotArea()
{
    if (m_pDC == nullptr)
        return;
    const CRect plot = m_rectPlot;
    CPen* pOldPen = m_pDC->GetCurrentPen();
    CBrush* pOldBrush = m_pDC->GetCurrentBrush();

    CBrush fill;
    if (GetOption(optionFillPlotArea))
    {
        fill.CreateSolidBrush(m_style.m_crColor);
        m_pDC->SelectObject(&fill);
    }
    else
    {
        m_pDC->SelectStockObject(NULL_BRUSH);
    }
    CPen frame;
    frame.CreatePen(PS_SOLID, m_style.m_nLineWidth, m_style.m_crLineColor);
    m_pDC->SelectObject(&frame);
    m_pDC->Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);

    const std::vector<int> yTicks = TickPositions(GetSecondScale(), false);
    const std::vector<int> xTicks = TickPositions(GetFirstScale(), true);
    const int tickLength = GetTickMarks(0)->GetTickSize();
    if (!GetOption(optionNoValueTicks))
        for (int y : yTicks)
        {
            m_pDC->MoveTo(plot.left, y);
            m_pDC->LineTo(plot.left - tickLength, y);
        }
    if (!GetOption(optionNoIndexTicks))
        for (int x : xTicks)
        {
            m_pDC->MoveTo(x, plot.bottom);
            m_pDC->LineTo(x, plot.bottom + tickLength);
        }

    CPen grid;
    grid.CreatePen(PS_SOLID, 1, GetGridColor());
    m_pDC->SelectObject(&grid);
    if (!GetOption(optionNoValueGrid))
        for (int y : yTicks)
        {
            m_pDC->MoveTo(plot.left, y);
            m_pDC->LineTo(plot.right, y);
        }
    if (!GetOption(optionNoIndexGrid))
    {
        CPen dotted;
        dotted.CreatePen(PS_DOT, 1, GetGridColor());
        for (size_t place = 0; place < xTicks.size(); ++place)
        {
            m_pDC->SelectObject(IsUnnamedSievePlace(place) ? &dotted : &grid);
            m_pDC->MoveTo(xTicks[place], plot.bottom);
            m_pDC->LineTo(xTicks[place], plot.top);
        }
        m_pDC->SelectObject(&grid);
    }

    m_pDC->SelectObject(pOldPen);
    m_pDC->SelectObject(pOldBrush);
}
