// Plot areas and scale frames of the classic family besides the classic ones themselves: the
// horizontal (Y,X) scales, the three-dimensional plot area with its walls, and the scale objects
// they share.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/Graph.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>

namespace {
COLORREF Darker(COLORREF color, int percent)
{
    auto channel = [&](int value) { return BYTE(value * (100 - percent) / 100); };
    return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}
}  // namespace

bool QVGraphDisplay::IsPercentageStrata()
{
    const int type = GetGraphType();
    return type >= 47 && type <= 50;
}

QVGDecimalScale* QVGraphDisplay::ValueScaleFor(bool bDates)
{
    const bool log = GetOption(optionLogValues) != 0;
    QVGDecimalScale* pValue = GetSecondScale();
    if (pValue == NULL || !IsNumberScaleOf(pValue, log, bDates) || pValue->IsKindOf(RUNTIME_CLASS(QVGIndexScale))) {
        pValue = NewNumberScale(log, bDates);
        SetValueScale(pValue);
    }
    return pValue;
}

QVGIndexScale* QVGraphDisplay::CategoryScale(bool bGroups)
{
    CRuntimeClass* pWanted = bGroups ? RUNTIME_CLASS(QVGGroupScale) : RUNTIME_CLASS(QVGIndexScale);
    if (m_pIndexScale == NULL || m_pIndexScale->GetRuntimeClass() != pWanted)
        SetIndexScale(bGroups ? new QVGGroupScale : new QVGIndexScale);
    return static_cast<QVGIndexScale*>(m_pIndexScale);
}

void QVGraphDisplay::DrawHorizontalScales()
{
    if (GetScaleFlags() == 0)
        return;
    const int axisStyle = GetAxisStyle();
    QVGIndexScale* pIndex = CategoryScale(false);
    QVGDecimalScale* pValue = ValueScaleFor(axisStyle == 22 || axisStyle == 23);
    pIndex->SetLabelsAtEdges(0);
    CScale valueRange = ShownValueRange();
    if (IsPercentageStrata()) {
        valueRange.Reset();
        valueRange.Include(0.0);
        valueRange.Include(100.0);
    }
    // The values run along the bottom, the categories up the left edge.
    LayoutScales(pValue, pIndex, valueRange, ShownIndexRange(), false,
                 IsThreeDHorizontal() ? DepthOffset() : CSize(0, 0));
}

void QVGraphDisplay::Draw3DPlotArea()
{
    if (m_pDC == NULL)
        return;
    const CRect plot = m_rectPlot;
    const CSize depth = DepthOffset();
    // The data stand in the front plane; the walls lie one depth behind it.
    const CRect front(plot.left, plot.top + depth.cy, plot.right - depth.cx, plot.bottom);
    const POINT back[5] = {{front.left + depth.cx, plot.top}, {plot.right, plot.top},
                           {plot.right, front.bottom - depth.cy}, {front.left + depth.cx, front.bottom - depth.cy},
                           {front.left + depth.cx, plot.top}};
    const POINT side[5] = {{front.left, front.top}, {front.left + depth.cx, plot.top},
                           {front.left + depth.cx, front.bottom - depth.cy}, {front.left, front.bottom},
                           {front.left, front.top}};
    const POINT floor[5] = {{front.left, front.bottom}, {front.left + depth.cx, front.bottom - depth.cy},
                            {plot.right, front.bottom - depth.cy}, {front.right, front.bottom},
                            {front.left, front.bottom}};
    CPen* pBorder = GetPen(PS_SOLID, std::max(1, m_style.m_nLineWidth), m_style.m_crLineColor);
    CPen* pOldPen = pBorder != NULL ? m_pDC->SelectObject(pBorder) : NULL;
    auto wall = [&](const POINT* pPoints, COLORREF color, bool bFill) {
        CBrush brush;
        if (bFill)
            brush.CreateSolidBrush(color);
        CBrush* pOldBrush = bFill ? m_pDC->SelectObject(&brush) : NULL;
        CGdiObject* pOldStock = bFill ? NULL : m_pDC->SelectStockObject(NULL_BRUSH);
        m_pDC->Polygon(pPoints, 5);
        if (pOldBrush != NULL)
            m_pDC->SelectObject(pOldBrush);
        if (pOldStock != NULL)
            m_pDC->SelectObject(pOldStock);
    };
    // With the plot-area colour the walls are shaded: the back wall in it, the side and floor darker.
    const bool fill = GetOption(optionFillPlotArea) != 0;
    wall(back, m_style.m_crColor, fill);
    wall(side, Darker(m_style.m_crColor, 15), fill);
    wall(floor, Darker(m_style.m_crColor, 25), fill);
    if (pOldPen != NULL)
        m_pDC->SelectObject(pOldPen);
    const int axisStyle = GetAxisStyle();
    DrawTicksAndGrids(front, (axisStyle == 1 || axisStyle == 0) ? 11 : axisStyle);
}

QVGraphLabelBlock* QVGraphDisplay::OwnLabelBlock()
{
    if (m_pLabelBlock == NULL || m_pLabelBlock->GetRuntimeClass() != RUNTIME_CLASS(QVGraphLabelBlock)) {
        QVGraphLabelBlock* pBlock = new QVGraphLabelBlock;
        pBlock->SetOverlapCheck(TRUE);
        pBlock->SetOverlapMode(QVGraphLabelBlock::overlapHide);
        SetLabelBlock(pBlock);
    }
    QVGraphLabelBlock* pBlock = static_cast<QVGraphLabelBlock*>(m_pLabelBlock);
    pBlock->SetChart(m_pChart);
    pBlock->SetDrawContext(m_pDC, m_pView);
    pBlock->SetVisible(TRUE);
    pBlock->SetFont(GetFontSize(), m_nFontStyle & ~fontAutoSize, m_strFaceName);
    pBlock->SetTextColor(m_crText);
    return pBlock;
}

void QVGraphDisplay::PlaceBlockLabel(QVGraphLabelBlock* pBlock, int k, LPCTSTR lpszText, double x, double y,
                                     int nJustification)
{
    const int number = pBlock->GetChart() != NULL ? pBlock->GetChart()->GetLabelAnnotation() : 1;
    pBlock->SetLabelTextAt(lpszText, k, number);
    if (QVGraphLabel* pLabel = pBlock->GetLabel(k)) {
        pLabel->SetPosition(x, y);
        pLabel->SetJustification(nJustification);
    }
}

void QVGraphDisplay::TrimBlockLabels(QVGraphLabelBlock* pBlock, int nCount)
{
    while (pBlock->GetLabelCount() > nCount)
        pBlock->RemoveLastLabel();
}
