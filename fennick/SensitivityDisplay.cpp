#include "fennick/SensitivityDisplay.h"

#include "chart/model/AxisScale.h"
#include "fennick/DisplayTicks.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

IMPLEMENT_SERIAL(CSensitivityDisplay, QVGraphDisplay, VERSIONABLE_SCHEMA | 1)

CSensitivityDisplay::CSensitivityDisplay() {}

void CSensitivityDisplay::Serialize(CArchive& ar)
{
    QVGraphDisplay::Serialize(ar);
    if (ar.IsStoring())
        ar << m_dXStep << m_dYStep;
    else
        ar >> m_dXStep >> m_dYStep;
}

double CSensitivityDisplay::GetScaleStep(bool bFirst)
{
    return bFirst ? m_dXStep : m_dYStep;
}

void CSensitivityDisplay::DrawCustomAxes()
{
    LayoutScatterScales(RUNTIME_CLASS(QVGDecimalScale));
}

void CSensitivityDisplay::DrawCustomPlotArea()
{
    if (m_pDC == nullptr)
        return;
    const CRect plot = m_rectPlot;
    CPen* pOldPen = m_pDC->GetCurrentPen();

    if (GetOption(optionFillPlotArea))
    {
        CBrush fill;
        fill.CreateSolidBrush(m_style.m_crColor);
        const CRect area(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
        m_pDC->FillRect(&area, &fill);
    }

    DrawScaleTickMarks();

    CPen grid;
    grid.CreatePen(PS_SOLID, 1, GetGridColor());
    m_pDC->SelectObject(&grid);
    if (!GetOption(optionNoValueGrid))
        for (int y : TickPositions(GetSecondScale(), false))
        {
            m_pDC->MoveTo(plot.left, y);
            m_pDC->LineTo(plot.right, y);
        }
    if (!GetOption(optionNoIndexGrid))
        for (int x : TickPositions(GetFirstScale(), true))
        {
            m_pDC->MoveTo(x, plot.bottom);
            m_pDC->LineTo(x, plot.top);
        }

    CPen frame;
    frame.CreatePen(PS_SOLID, m_style.m_nLineWidth, m_style.m_crLineColor);
    m_pDC->SelectObject(&frame);
    const POINT corners[5] = {
        {plot.left, plot.top}, {plot.right, plot.top}, {plot.right, plot.bottom}, {plot.left, plot.bottom},
        {plot.left, plot.top}};
    m_pDC->Polyline(corners, 5);

    m_pDC->SelectObject(pOldPen);
}
