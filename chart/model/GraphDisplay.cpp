// The chart display: the tables that tie graph types and axis styles to renderers, plot areas, scale
// frames and range operations, and the default range computation.
#include "chart/model/GraphDisplay.h"

#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GridLines.h"
#include "chart/model/TickMarks.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(QVGraphDisplay, QVGDisplayBase, VERSIONABLE_SCHEMA | 1)

namespace {
bool IsThreeDAxisStyle(int nAxisStyle)
{
    switch (nAxisStyle) {
    case 11: case 13: case 16: case 20: case 21: case 22: return true;
    default: return false;
    }
}
}  // namespace

QVGraphDisplay::QVGraphDisplay() : m_crGrid(RGB(0xA0, 0xA0, 0xA0))
{
    m_nTypeId = IDS_QVG_DISPLAY;
}

QVGraphDisplay::~QVGraphDisplay() {}

void QVGraphDisplay::ComputeDataRanges()
{
    const int type = GetGraphType();
    // The area stock draws the histories too, so they belong in its range as they do in the bars'.
    m_bIncludeHistory = type == 7 || type == 24;
    switch (type) {
    case 0:
        break;
    case 2: case 3: case 11: case 12:
        if (IsThreeDAxisStyle(GetAxisStyle()))
            ComputeStackedRange();
        else
            ComputeValueRange();
        break;
    case 14: ComputeStrataRange(); break;
    case 15: case 16: ComputeStackedRange(); break;
    case 19: case 20: case 21: case 32: case 33: case 34: ComputeScatterRanges(); break;
    case 26: case 27: ComputePolarRange(); break;
    case 37: case 38: case 47: case 48: ComputeStrataBarRange(); break;
    case 39: case 40: case 49: case 50: ComputeGroupStrataRange(); break;
    case 41: case 42: ComputeBubbleRange(); break;
    case 43: case 44: case 45: ComputeVectorRange(); break;
    default: ComputeValueRange(); break;
    }
}

void QVGraphDisplay::ComputeDefaultRanges()
{
    QVGDisplayBase::ComputeDefaultRanges();
    ComputeValueRange();
}

void QVGraphDisplay::DrawGraphOfType(int nGraphType)
{
    switch (nGraphType) {
    case 0: DrawNoGraph(); break;
    case 1: case 31: DrawLineGraph(); break;
    case 2: case 16: DrawHBarGraph(); break;
    case 3: case 15: DrawVBarGraph(); break;
    case 4: case 13: DrawPieGraph(); break;
    case 6: DrawAreaGraph(); break;
    case 7: case 24: DrawStockGraph(); break;
    case 9: DrawIsoBarGraph(); break;
    case 10: case 17: DrawIsoAreaGraph(); break;
    case 11: DrawStackVBarGraph(); break;
    case 12: DrawStackHBarGraph(); break;
    case 14: DrawStrataGraph(); break;
    case 18: case 23: DrawWebGraph(); break;
    case 19: case 20: case 21: case 32: case 33: case 34: DrawScatterGraph(); break;
    case 25: DrawFreeStyleGraph(); break;
    case 26: case 27: DrawPolarGraph(); break;
    case 28: case 29: case 46: DrawCandleGraph(); break;
    case 30: DrawGanttGraph(); break;
    case 35: case 36: DrawStepGraph(); break;
    case 37: case 47: DrawStrataVBarGraph(); break;
    case 38: case 48: DrawStrataHBarGraph(); break;
    case 39: case 49: DrawGroupStrataVBarGraph(); break;
    case 40: case 50: DrawGroupStrataHBarGraph(); break;
    case 41: case 42: DrawBubbleGraph(); break;
    case 43: case 44: case 45: DrawVectorGraph(); break;
    default: DrawCustomGraph(); break;  // 5, 8, 22 and types above 50
    }
}

void QVGraphDisplay::DrawPlotAreaOfStyle(int nAxisStyle, int nGraphType)
{
    switch (nAxisStyle) {
    case 0: case 3: case 8: case 9:
        return;
    case 1:
        switch (nGraphType) {
        case 0: case 4: case 13: return;
        case 2: case 12: case 22: case 30: case 38: case 40: case 48: case 50: DrawHorizontalPlotArea(); return;
        case 9: case 10: case 17: DrawIsoPlotArea(); return;
        case 15: case 16: Draw3DPlotArea(); return;
        case 18: case 23: DrawWebPlotArea(); return;
        case 19: case 20: case 21: case 32: case 33: case 34: case 41: case 42: case 43: case 44: case 45:
            DrawScatterPlotArea();
            return;
        case 26: case 27: DrawPolarPlotArea(); return;
        default: DrawClassicPlotArea(); return;
        }
    case 2: case 12: case 18: case 19: case 24: case 25: DrawClassicPlotArea(); return;
    case 4: case 5: case 6: case 7: DrawIsoPlotArea(); return;
    case 10: case 23: DrawHorizontalPlotArea(); return;
    case 11: case 13: case 16: case 20: case 21: case 22: Draw3DPlotArea(); return;
    case 14: DrawWebPlotArea(); return;
    case 15: case 26: case 27: DrawScatterPlotArea(); return;
    case 17: DrawPolarPlotArea(); return;
    default: DrawCustomPlotArea(); return;
    }
}

void QVGraphDisplay::DrawScalesOfStyle(int nAxisStyle, int nGraphType)
{
    const bool groupStrataV = nGraphType == 39 || nGraphType == 49;
    switch (nAxisStyle) {
    case 0: case 3: case 8:
        return;
    case 1:
        switch (nGraphType) {
        case 4: case 13: DrawPieLabels(); return;
        case 9: case 10: case 17: DrawIsoScales(); return;
        case 2: case 12: case 16: case 22: case 38: case 48: DrawHorizontalScales(); return;
        case 18: case 23: DrawWebScales(); return;
        case 19: case 20: case 21: case 32: case 33: case 34: case 41: case 42: case 43: case 44: case 45:
            DrawScatterScales();
            return;
        case 26: case 27: DrawPolarScales(); return;
        case 30: DrawGanttScales(); return;
        case 39: case 49: DrawGroupStrataVScales(); return;
        case 40: case 50: DrawGroupStrataHScales(); return;
        default: DrawClassicScales(); return;
        }
    case 2: case 11: case 12: case 13: case 18: case 19: case 20: case 21:
        if (groupStrataV)
            DrawGroupStrataVScales();
        else
            DrawClassicScales();
        return;
    case 4: case 5: case 6: case 7: DrawIsoScales(); return;
    case 9: DrawPieLabels(); return;
    case 10: case 16: case 22: case 23:
        if (nGraphType == 40)
            DrawGroupStrataHScales();
        else
            DrawHorizontalScales();
        return;
    case 14: DrawWebScales(); return;
    case 15: case 26: case 27: DrawScatterScales(); return;
    case 17: DrawPolarScales(); return;
    case 24: case 25: DrawGanttScales(); return;
    default: DrawCustomAxes(); return;
    }
}

void QVGraphDisplay::DrawCustomPlotArea() {}

void QVGraphDisplay::DrawCustomAxes() {}

void QVGraphDisplay::DrawCustomGraph() {}

void QVGraphDisplay::ComputeValueRange()
{
    if (m_pChart == NULL)
        return;
    IncludeIndexRangeShown();
    if (TakeFixedValueRange())
        return;
    const int first = FirstIndexShown();
    for (int g = 0; g < GroupsShown(); ++g) {
        const int group = m_nFirstGroup + g;
        const int count = ItemsShownInGroup(group);
        for (int i = 0; i < count; ++i) {
            QVGraphData* pItem = m_pChart->FindItem(first + i, group);
            double value = 0;
            if (!ValueOfItem(pItem, value))
                continue;
            m_valueDataRange.Include(value);
            if (m_bIncludeHistory) {
                const CScale history = pItem->GetValueRange();
                if (!history.IsEmpty() && std::isfinite(history.m_dMin) && std::isfinite(history.m_dMax)) {
                    m_valueDataRange.Include(history.m_dMin);
                    m_valueDataRange.Include(history.m_dMax);
                }
            }
        }
    }
    CombineFixedValueRange();
}

void QVGraphDisplay::ComputeStackedRange()
{
    ComputeValueRange();
}

void QVGraphDisplay::DrawPieLabelsHook()
{
    DrawPieGraph();
}

void QVGraphDisplay::DrawHorizontalPlotArea()
{
    DrawClassicPlotArea();
}

QVGDecimalScale* QVGraphDisplay::GetFirstScale()
{
    return (m_pIndexScale != NULL && m_pIndexScale->IsKindOf(RUNTIME_CLASS(QVGDecimalScale)))
               ? static_cast<QVGDecimalScale*>(m_pIndexScale)
               : NULL;
}

QVGDecimalScale* QVGraphDisplay::GetSecondScale()
{
    return (m_pValueScale != NULL && m_pValueScale->IsKindOf(RUNTIME_CLASS(QVGDecimalScale)))
               ? static_cast<QVGDecimalScale*>(m_pValueScale)
               : NULL;
}

bool QVGraphDisplay::IsScatterXLog()
{
    const int type = GetGraphType();
    if (type >= 32 && type <= 34)
        return GetAxisOption(axisLogIndex) != 0;
    return GetOption(optionLogValues) != 0;
}

CScale QVGraphDisplay::ShownIndexRange()
{
    return m_indexAxisRange.IsEmpty() ? m_indexDataRange : m_indexAxisRange;
}

CScale QVGraphDisplay::ShownValueRange()
{
    return m_valueAxisRange.IsEmpty() ? m_valueDataRange : m_valueAxisRange;
}

void QVGraphDisplay::MakeFrameParts()
{
    if (m_ownedList1.GetCount() == 4)
        return;
    DeleteListObjects(&m_ownedList1);
    QVGTickMarks* pValueTicks = new QVGTickMarks;
    QVGTickMarks* pIndexTicks = new QVGTickMarks;
    QVGGridLines* pValueGrid = new QVGGridLines;
    QVGGridLines* pIndexGrid = new QVGGridLines;
    // Ticks point away from the plot: left of the value axis, below the index axis.
    pValueTicks->SetSide(0);
    pIndexTicks->SetSide(1);
    pValueGrid->SetOrientation(0);
    pIndexGrid->SetOrientation(1);
    for (QVGGridLines* pGrid : {pValueGrid, pIndexGrid}) {
        pGrid->GetStyle()->SetAxisStyle(2);  // straight lines across the plot
        pGrid->SetMajorStyle(PS_DOT);
        pGrid->SetMajorColour(m_crGrid);
        pGrid->SetMinorColour(RGB(0xD0, 0xD0, 0xD0));
    }
    m_ownedList1.AddTail(pValueTicks);
    m_ownedList1.AddTail(pIndexTicks);
    m_ownedList1.AddTail(pValueGrid);
    m_ownedList1.AddTail(pIndexGrid);
}

QVGTickMarks* QVGraphDisplay::GetTickMarks(int nWhich)
{
    MakeFrameParts();
    POSITION pos = m_ownedList1.FindIndex(nWhich == 0 ? 0 : 1);
    return static_cast<QVGTickMarks*>(m_ownedList1.GetAt(pos));
}

QVGGridLines* QVGraphDisplay::GetGridLines(int nWhich)
{
    MakeFrameParts();
    POSITION pos = m_ownedList1.FindIndex(nWhich == 0 ? 2 : 3);
    return static_cast<QVGGridLines*>(m_ownedList1.GetAt(pos));
}

void QVGraphDisplay::DrawClassicPlotArea()
{
    if (m_pDC == NULL)
        return;
    const CRect plot = m_rectPlot;
    if (GetOption(optionFillPlotArea))
        m_pDC->FillSolidRect(plot.left, plot.top, plot.Width() + 1, plot.Height() + 1, m_style.m_crColor);
    DrawTicksAndGrids(plot, 2);
    CPen* pBorder = GetPen(PS_SOLID, std::max(1, m_style.m_nLineWidth), m_style.m_crLineColor);
    CPen* pOldPen = pBorder != NULL ? m_pDC->SelectObject(pBorder) : NULL;
    CGdiObject* pOldBrush = m_pDC->SelectStockObject(NULL_BRUSH);
    m_pDC->Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    m_pDC->SelectObject(pOldBrush);
    if (pOldPen != NULL)
        m_pDC->SelectObject(pOldPen);
}

void QVGraphDisplay::DrawScaleTickMarks()
{
    if (m_pDC == NULL)
        return;
    const CRect plot = m_rectPlot;
    QVGDecimalScale* pScales[2] = {GetSecondScale(), GetFirstScale()};
    const int suppressed[2] = {optionNoValueTicks, optionNoIndexTicks};
    for (int which = 0; which < 2; ++which) {
        QVGAnchorList* pAnchors = pScales[which] != NULL ? pScales[which]->GetAnchorList() : NULL;
        if (GetOption(suppressed[which]) || pAnchors == NULL || pAnchors->IsEmpty())
            continue;
        QVGTickMarks* pTicks = GetTickMarks(which);
        // On the side of the scale's labels: below a scale along the bottom, left of one up the left
        // edge, right of one up the right edge.
        pTicks->SetSide(pScales[which]->GetLabelSide() != 0 ? 1 : 0);
        pTicks->SetScaleSource(pAnchors);
        pTicks->SetExtentRect(plot);
        pTicks->SetChart(m_pChart);
        pTicks->SetVisible(TRUE);
        pTicks->Draw(m_pDC, m_pView);
    }
}

void QVGraphDisplay::DrawTicksAndGrids(const CRect& extent, int nGridKind)
{
    QVGDecimalScale* pIndexScale = GetFirstScale();
    QVGDecimalScale* pValueScale = GetSecondScale();
    QVGAnchorList* pValueAnchors = pValueScale != NULL ? pValueScale->GetAnchorList() : NULL;
    QVGAnchorList* pIndexAnchors = pIndexScale != NULL ? pIndexScale->GetAnchorList() : NULL;
    const bool valueAnchors = pValueAnchors != NULL && !pValueAnchors->IsEmpty();
    const bool indexAnchors = pIndexAnchors != NULL && !pIndexAnchors->IsEmpty();
    // A scale along the bottom gets ticks below it and grid lines up the plot; one up the left edge
    // ticks to its left and lines across (the horizontal charts put the values along the bottom).
    auto alongBottom = [](QVGDecimalScale* pScale) {
        return pScale->GetStartPoint().y == pScale->GetEndPoint().y;
    };
    auto drawPart = [this](QVGraphComponent* pPart) {
        pPart->SetChart(m_pChart);
        pPart->SetVisible(TRUE);
        pPart->Draw(m_pDC, m_pView);
    };
    DrawScaleTickMarks();
    const CRect plot = m_rectPlot;
    if (m_pChart != NULL)
        m_pChart->SaveClip();
    try {
        if (m_pChart != NULL)
            m_pChart->ClipToRect(plot.left, plot.top, plot.right + 1, plot.bottom + 1, RGN_AND);
        auto drawGrid = [&](QVGGridLines* pGrid, QVGDecimalScale* pScale, QVGAnchorList* pAnchors) {
            int kind = nGridKind;
            CRect gridExtent = extent;
            // A value scale on the right of a three-dimensional frame stands at the back wall's edge:
            // its lines run straight across that wall.
            if (pScale == pValueScale && IsValueScaleOnRight() && kind != 2) {
                const CSize depth = DepthOffset();
                gridExtent.OffsetRect(depth.cx, -depth.cy);
                kind = 2;
            }
            pGrid->SetOrientation(alongBottom(pScale) ? 1 : 0);
            pGrid->GetStyle()->SetAxisStyle(kind);
            pGrid->SetDepth(int(m_style.GetBarDepthOrDefault()), TRUE);
            pGrid->SetMajorColour(m_crGrid);
            pGrid->SetAnchorList(pAnchors);
            pGrid->SetExtentRect(gridExtent);
            drawPart(pGrid);
        };
        if (!GetOption(optionNoValueGrid) && valueAnchors)
            drawGrid(GetGridLines(0), pValueScale, pValueAnchors);
        if (!GetOption(optionNoIndexGrid) && indexAnchors)
            drawGrid(GetGridLines(1), pIndexScale, pIndexAnchors);
    } catch (...) {
        if (m_pChart != NULL)
            m_pChart->RestoreClip();
        throw;
    }
    if (m_pChart != NULL)
        m_pChart->RestoreClip();
}

bool QVGraphDisplay::IsValueScaleOnRight()
{
    const int axisStyle = GetAxisStyle();
    return axisStyle == 12 || axisStyle == 13 || axisStyle == 19 || axisStyle == 21;
}

void QVGraphDisplay::ConfigureScale(QVGDecimalScale* pScale, bool bFirst, const CScale& range, bool bOnRight)
{
    pScale->SetChart(m_pChart);
    pScale->SetDrawContext(m_pDC, m_pView);
    pScale->SetVisible(TRUE);
    const bool turned = GetOption(bFirst ? optionFirstLabelsTurned : optionSecondLabelsTurned) != 0;
    // Label orientation style in the scale's option word: 0x90 level labels, 0xA0 upright ones; both fix
    // the labels' angle to the scale's own.
    QVGraphStyle* pStyle = pScale->GetStyle();
    pStyle->m_nOptions = int((unsigned(pStyle->m_nOptions) & 0x00FFFFFFu) | ((turned ? 0xA0u : 0x90u) << 24));
    if (pStyle->m_dTextAngle > -360.0)
        pStyle->m_dTextAngle = turned ? 90.0 : 0.0;
    pScale->SetFont(GetFontSize(), m_nFontStyle & ~fontAutoSize, m_strFaceName);
    pScale->SetTextColor(m_crText);
    pScale->SetMin(range.m_dMin);
    pScale->SetMax(range.m_dMax);
    double step = GetScaleStep(bFirst);
    // The percentage strata bars show 0 to 100 in steps of 5 unless told otherwise.
    if (step == 0 && IsPercentageStrata() && pScale == m_pValueScale)
        step = 5.0;
    pScale->SetStep(step);
    const CString& format = bFirst ? GetValueScaleFormat() : GetIndexScaleFormat();
    if (!format.IsEmpty())
        pScale->SetFormat(format);
    pScale->SetRecordAnchors(TRUE);
    pScale->SetOverlapCheck(TRUE);
    pScale->SetOverlapMode(QVGraphLabelBlock::overlapHide);
    if (bFirst) {
        pScale->SetLabelSide(1);
        pScale->SetJustification(turned ? 4 : 2);
    } else if (bOnRight) {
        // Labels right of the line: level text begins at its anchor, upright text has its top there.
        pScale->SetLabelSide(1);
        pScale->SetJustification(turned ? 2 : 0);
    } else {
        pScale->SetLabelSide(0);
        pScale->SetJustification(turned ? 6 : 4);
    }
    pScale->m_dSizeY = 1.25 * GetSize();
    if (GetAxisOption(axisOwnLimits))
        pScale->SetDataRange(m_nMinIndex, m_nMaxIndex, m_nMinGroup, m_nMaxGroup);
    else if (pScale->IsKindOf(RUNTIME_CLASS(QVGGroupScale)))
        pScale->SetDataRange(-1, -1, m_nMinGroup, m_nMaxGroup);   // one label per bar the display draws
    else
        pScale->SetDataRange(-1, -1, -1, -1);
}

double QVGraphDisplay::GetScaleStep(bool bFirst)
{
    return bFirst ? GetValueScaleStep() : GetIndexScaleStep();
}

void QVGraphDisplay::LayoutScales(QVGDecimalScale* pFirst, QVGDecimalScale* pSecond, const CScale& first,
                                  const CScale& second, bool bEqualUnits, CSize depth)
{
    CScale firstRange = first;
    CScale secondRange = second;
    const bool secondOnRight = pSecond != NULL && pSecond == m_pValueScale && IsValueScaleOnRight();
    if (pFirst != NULL)
        ConfigureScale(pFirst, true, firstRange, false);
    if (pSecond != NULL)
        ConfigureScale(pSecond, false, secondRange, secondOnRight);
    const bool fixedRect = GetOption(optionFixedPlotRect) != 0;
    for (int pass = 0; pass < 2; ++pass) {
        CRect& plot = m_rectPlot;
        if (bEqualUnits && plot.Width() > 0 && plot.Height() > 0) {
            int logX = 96, logY = 96;
            GetChartLogPixels(m_pDC, logX, logY);
            const double xPerInch = firstRange.GetRange() / (double(plot.Width()) / logX);
            const double yPerInch = secondRange.GetRange() / (double(plot.Height()) / logY);
            if (xPerInch > 0 && yPerInch > 0 && xPerInch != yPerInch) {
                if (!GetOption(optionFixedRanges)) {
                    // The axis with fewer units per inch is widened by moving its maximum.
                    if (xPerInch < yPerInch) {
                        firstRange.m_dMax = firstRange.m_dMin + yPerInch * plot.Width() / logX;
                        m_indexAxisRange.Include(firstRange.m_dMax);
                    } else {
                        secondRange.m_dMax = secondRange.m_dMin + xPerInch * plot.Height() / logY;
                        m_valueAxisRange.Include(secondRange.m_dMax);
                    }
                } else if (xPerInch < yPerInch) {
                    const int width = int(firstRange.GetRange() / yPerInch * logX);
                    plot.DeflateRect((plot.Width() - width) / 2, 0);
                } else {
                    const int height = int(secondRange.GetRange() / xPerInch * logY);
                    plot.DeflateRect(0, (plot.Height() - height) / 2);
                }
                if (pFirst != NULL)
                    pFirst->SetMax(firstRange.m_dMax);
                if (pSecond != NULL)
                    pSecond->SetMax(secondRange.m_dMax);
            }
        }
        if (pFirst != NULL && !GetOption(optionNoFirstScale)) {
            pFirst->SetStartPoint(plot.left, plot.bottom);
            pFirst->SetEndPoint(plot.right - depth.cx, plot.bottom);
            pFirst->GenerateLabels();
            if (pass == 0 && !fixedRect) {
                const CRect extent = pFirst->MeasureLabelExtent();
                if (!extent.IsRectEmpty()) {
                    const int below = extent.bottom - plot.bottom;
                    if (below > 0 && below < plot.Height())
                        plot.bottom -= below;
                    const int right = extent.right - plot.right;
                    if (right > 0 && right < plot.Width())
                        plot.right -= right;
                    const int left = plot.left - extent.left;
                    if (left > 0 && left < plot.Width())
                        plot.left += left;
                }
            }
        }
        if (pSecond != NULL && !GetOption(optionNoSecondScale)) {
            if (secondOnRight) {
                // Up the right edge; in three dimensions the edge of the back wall.
                pSecond->SetStartPoint(plot.right, plot.bottom - depth.cy);
                pSecond->SetEndPoint(plot.right, plot.top);
            } else {
                pSecond->SetStartPoint(plot.left, plot.bottom);
                pSecond->SetEndPoint(plot.left, plot.top + depth.cy);
            }
            pSecond->GenerateLabels();
            if (pass == 0 && !fixedRect) {
                const CRect extent = pSecond->MeasureLabelExtent();
                if (!extent.IsRectEmpty()) {
                    if (secondOnRight) {
                        const int right = extent.right - plot.right;
                        if (right > 0 && right < plot.Width())
                            plot.right -= right;
                    } else {
                        const int left = plot.left - extent.left;
                        if (left > 0 && left < plot.Width())
                            plot.left += left;
                    }
                    const int above = plot.top - extent.top;
                    if (above > 0 && above < plot.Height())
                        plot.top += above;
                }
            }
        }
    }
    if (pFirst != NULL && !GetOption(optionNoFirstScale))
        pFirst->Draw(m_pDC, m_pView);
    if (pSecond != NULL && !GetOption(optionNoSecondScale))
        pSecond->Draw(m_pDC, m_pView);
}

QVGDecimalScale* QVGraphDisplay::NewNumberScale(bool bLog, bool bDates)
{
    if (bLog)
        return new QVGLogScale;
    if (bDates)
        return new QVGDateScale;
    return new QVGDecimalScale;
}

bool QVGraphDisplay::IsNumberScaleOf(QVGDecimalScale* pScale, bool bLog, bool bDates)
{
    return pScale->IsKindOf(RUNTIME_CLASS(QVGLogScale)) == bLog &&
           pScale->IsKindOf(RUNTIME_CLASS(QVGDateScale)) == (bDates && !bLog);
}

void QVGraphDisplay::DrawClassicScales()
{
    if (GetScaleFlags() == 0)
        return;
    const int type = GetGraphType();
    const int axisStyle = GetAxisStyle();
    QVGIndexScale* pIndex = CategoryScale(false);
    QVGDecimalScale* pValue = ValueScaleFor(axisStyle >= 18 && axisStyle <= 21);
    const bool curve = type == 1 || type == 6 || type == 14 || type == 24 || type == 31 || type == 35 || type == 36;
    pIndex->SetLabelsAtEdges(curve ? 1 : 0);
    CScale valueRange = ShownValueRange();
    if (IsPercentageStrata()) {
        valueRange.Reset();
        valueRange.Include(0.0);
        valueRange.Include(100.0);
    }
    LayoutScales(pIndex, pValue, ShownIndexRange(), valueRange, false, IsThreeDVertical() ? DepthOffset() : CSize(0, 0));
}
