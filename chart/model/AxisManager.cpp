#include "chart/model/AxisManager.h"

#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/TickMarks.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(QVGAxisManager, QVGCompoundComponent, VERSIONABLE_SCHEMA | 1)

namespace {
// Border, shadow and fill of a component style word.
const int kFrameBits = 0xFFF;
}  // namespace

QVGAxisManager::QVGAxisManager() : m_ptEnd(0, 0), m_ptStart(0, 0), m_nManagerOption(0)
{
    m_nTypeId = IDS_QVG_AXIS_MANAGER;
    // The manager is a container: it paints nothing of its own over the chart.
    m_style.m_nComponentStyle &= ~kFrameBits;
    for (int place = 0; place < placeCount; ++place) {
        m_bPresent[place] = 0;
        AddSubComponent(NewPlaceholder());
    }
}

QVGAxisManager::~QVGAxisManager() {}

QVGraphComponent* QVGAxisManager::NewPlaceholder()
{
    QVGraphComponent* pPlaceholder = new QVGraphComponent;
    pPlaceholder->SetRect(0, 0, 0, 0);
    pPlaceholder->GetStyle()->m_nComponentStyle &= ~kFrameBits;
    return pPlaceholder;
}

QVGraphComponent* QVGAxisManager::PlaceAt(int nPlace)
{
    if (nPlace < 0 || nPlace >= m_children.GetCount())
        return NULL;
    return static_cast<QVGraphComponent*>(m_children.GetAt(m_children.FindIndex(nPlace)));
}

void QVGAxisManager::SetPlace(int nPlace, QVGraphComponent* pComponent)
{
    if (pComponent == NULL || nPlace < 0 || nPlace >= placeCount || nPlace >= m_children.GetCount())
        return;
    POSITION pos = m_children.FindIndex(nPlace);
    QVGraphComponent* pOld = static_cast<QVGraphComponent*>(m_children.GetAt(pos));
    pComponent->SetSubComponent(TRUE);
    m_children.SetAt(pos, pComponent);
    pComponent->SetChart(m_pChart);
    if (pOld != pComponent)
        delete pOld;
    m_bPresent[nPlace] = 1;
}

QVGraphComponent* QVGAxisManager::RemovePlace(int nPlace, BOOL bDelete)
{
    if (!IsPresent(nPlace) || nPlace >= m_children.GetCount())
        return NULL;
    POSITION pos = m_children.FindIndex(nPlace);
    QVGraphComponent* pOld = static_cast<QVGraphComponent*>(m_children.GetAt(pos));
    QVGraphComponent* pPlaceholder = NewPlaceholder();
    pPlaceholder->SetSubComponent(TRUE);
    pPlaceholder->SetChart(m_pChart);
    m_children.SetAt(pos, pPlaceholder);
    m_bPresent[nPlace] = 0;
    // Nothing that stays may point at anchors that leave with the old sub-component, nor the reverse.
    if (nPlace == placeScale) {
        if (QVGTickMarks* pTicks = GetTickMarks())
            pTicks->SetScaleSource(NULL);
        if (QVGGridLines* pGrid = GetGridLines())
            pGrid->SetAnchorList(NULL);
    }
    if (QVGraphLabelBlock* pBlock = dynamic_cast<QVGraphLabelBlock*>(pOld))
        pBlock->SetAnchorList(NULL);
    if (QVGTickMarks* pTicks = dynamic_cast<QVGTickMarks*>(pOld))
        pTicks->SetScaleSource(NULL);
    if (QVGGridLines* pGrid = dynamic_cast<QVGGridLines*>(pOld))
        pGrid->SetAnchorList(NULL);
    if (bDelete) {
        delete pOld;
        return NULL;
    }
    pOld->SetSubComponent(FALSE);
    return pOld;
}

QVGraphComponent* QVGAxisManager::RemoveTickMarks(BOOL bDelete)
{
    return RemovePlace(placeTickMarks, bDelete);
}

QVGraphComponent* QVGAxisManager::RemoveGridLines(BOOL bDelete)
{
    return RemovePlace(placeGridLines, bDelete);
}

QVGraphComponent* QVGAxisManager::RemoveWatcher(BOOL bDelete)
{
    return RemovePlace(placeWatcher, bDelete);
}

QVGraphComponent* QVGAxisManager::RemoveScale(BOOL bDelete)
{
    return RemovePlace(placeScale, bDelete);
}

QVGraphComponent* QVGAxisManager::RemoveDisplay(BOOL bDelete)
{
    return RemovePlace(placeDisplay, bDelete);
}

QVGraphComponent* QVGAxisManager::RemoveAxisLabel(BOOL bDelete)
{
    return RemovePlace(placeAxisLabel, bDelete);
}

// The getters check the class too: an archive can bring any component into a place.
QVGGridLines* QVGAxisManager::GetGridLines()
{
    QVGraphComponent* pPlace = IsPresent(placeGridLines) ? PlaceAt(placeGridLines) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGGridLines)) ? static_cast<QVGGridLines*>(pPlace) : NULL;
}

QVGDataWatcher* QVGAxisManager::GetWatcher()
{
    QVGraphComponent* pPlace = IsPresent(placeWatcher) ? PlaceAt(placeWatcher) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGDataWatcher)) ? static_cast<QVGDataWatcher*>(pPlace)
                                                                               : NULL;
}

QVGTickMarks* QVGAxisManager::GetTickMarks()
{
    QVGraphComponent* pPlace = IsPresent(placeTickMarks) ? PlaceAt(placeTickMarks) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGTickMarks)) ? static_cast<QVGTickMarks*>(pPlace) : NULL;
}

QVGDecimalScale* QVGAxisManager::GetScale()
{
    QVGraphComponent* pPlace = IsPresent(placeScale) ? PlaceAt(placeScale) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGDecimalScale)) ? static_cast<QVGDecimalScale*>(pPlace)
                                                                                : NULL;
}

QVGDisplayBase* QVGAxisManager::GetDisplay()
{
    QVGraphComponent* pPlace = IsPresent(placeDisplay) ? PlaceAt(placeDisplay) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGDisplayBase)) ? static_cast<QVGDisplayBase*>(pPlace)
                                                                               : NULL;
}

QVGraphLabel* QVGAxisManager::GetAxisLabel()
{
    QVGraphComponent* pPlace = IsPresent(placeAxisLabel) ? PlaceAt(placeAxisLabel) : NULL;
    return pPlace != NULL && pPlace->IsKindOf(RUNTIME_CLASS(QVGraphLabel)) ? static_cast<QVGraphLabel*>(pPlace) : NULL;
}

void QVGAxisManager::SetGridLines(QVGGridLines* pGridLines)
{
    SetPlace(placeGridLines, pGridLines);
}

void QVGAxisManager::SetTickMarks(QVGTickMarks* pTickMarks)
{
    SetPlace(placeTickMarks, pTickMarks);
}

void QVGAxisManager::SetWatcher(QVGDataWatcher* pWatcher)
{
    SetPlace(placeWatcher, pWatcher);
}

void QVGAxisManager::SetScale(QVGDecimalScale* pScale)
{
    if (pScale != NULL && m_children.GetCount() > placeScale)
        pScale->GetStyle()->m_nComponentStyle &= ~kFrameBits;
    SetPlace(placeScale, pScale);
}

void QVGAxisManager::SetAxisLabel(QVGraphLabel* pLabel)
{
    if (pLabel != NULL && m_children.GetCount() > placeAxisLabel)
        pLabel->GetStyle()->m_nComponentStyle &= ~kFrameBits;
    SetPlace(placeAxisLabel, pLabel);
}

void QVGAxisManager::SetDisplay(QVGDisplayBase* pDisplay)
{
    if (pDisplay == NULL || m_children.GetCount() <= placeDisplay)
        return;
    QVGraphStyle* pStyle = pDisplay->GetStyle();
    pStyle->m_nComponentStyle &= ~kFrameBits;
    pStyle->m_nFlags &= ~0xF0;
    // The manager's own scales, ticks and grid lines stand in for the display's.
    pDisplay->SetScaleFlags(0);
    for (int bit : {QVGDisplayBase::optionNoValueTicks, QVGDisplayBase::optionNoIndexTicks,
                    QVGDisplayBase::optionNoValueGrid, QVGDisplayBase::optionNoIndexGrid})
        pDisplay->SetOption(bit, TRUE);
    SetPlace(placeDisplay, pDisplay);
}

void QVGAxisManager::SetManagerOption(int nOption)
{
    m_nManagerOption = nOption;
}

int QVGAxisManager::GetManagerOption()
{
    return m_nManagerOption;
}

void QVGAxisManager::SetLabelSide(int nSide)
{
    if (QVGDecimalScale* pScale = GetScale())
        pScale->SetLabelSide(nSide);
    if (QVGTickMarks* pTicks = GetTickMarks())
        pTicks->SetSide(nSide);
}

void QVGAxisManager::SetRangeMinimum(double value)
{
    if (QVGDecimalScale* pScale = GetScale())
        pScale->SetMin(value);
}

void QVGAxisManager::SetRangeMaximum(double value)
{
    if (QVGDecimalScale* pScale = GetScale())
        pScale->SetMax(value);
}

void QVGAxisManager::SetAxisStart(int x, int y)
{
    m_ptStart.SetPoint(x, y);
}

void QVGAxisManager::SetAxisEnd(int x, int y)
{
    m_ptEnd.SetPoint(x, y);
}

CPoint QVGAxisManager::GetAxisStart()
{
    return m_ptStart;
}

CPoint QVGAxisManager::GetAxisEnd()
{
    return m_ptEnd;
}

void QVGAxisManager::SetDataRange(int nMinIndex, int nMaxIndex, int nMinGroup, int nMaxGroup)
{
    QVGCompoundComponent::SetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_children.GetNext(pos))->SetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
}

int QVGAxisManager::AxisLabelSpread(bool bHorizontal)
{
    QVGraphLabel* pLabel = GetAxisLabel();
    if (pLabel == NULL)
        return 0;
    pLabel->SetChart(m_pChart);
    pLabel->SetDrawContext(m_pDC, m_pView);
    pLabel->BuildOutline();
    const std::vector<CPoint>& outline = pLabel->GetOutline();
    if (outline.empty())
        return 0;
    int low = bHorizontal ? outline[0].x : outline[0].y, high = low;
    for (const CPoint& point : outline) {
        low = std::min(low, int(bHorizontal ? point.x : point.y));
        high = std::max(high, int(bHorizontal ? point.x : point.y));
    }
    return high - low;
}

int QVGAxisManager::GetRequiredWidth()
{
    int width = 0;
    if (QVGDecimalScale* pScale = GetScale())
        width += pScale->MeasureLabelExtent().Width();
    if (QVGTickMarks* pTicks = GetTickMarks()) {
        const double scale = IsPrinting() ? GetDeviceScaleX(m_pDC) : 1.0;
        width += int(pTicks->GetTickSize() * scale + 0.5);
    }
    // The axis label's breadth and a fifth more as a margin.
    width += AxisLabelSpread(true) * 6 / 5;
    return width;
}

int QVGAxisManager::GetRequiredHeight()
{
    int height = 0;
    if (QVGDecimalScale* pScale = GetScale())
        height += pScale->MeasureLabelExtent().Height();
    if (QVGTickMarks* pTicks = GetTickMarks()) {
        const double scale = IsPrinting() ? GetDeviceScaleY(m_pDC) : 1.0;
        height += int(pTicks->GetTickSize() * scale + 0.5);
    }
    height += AxisLabelSpread(false);
    return height;
}

void QVGAxisManager::LayoutAxis()
{
    QVGDecimalScale* pScale = GetScale();
    if (pScale == NULL)
        return;
    pScale->SetChart(m_pChart);
    pScale->SetVisible(m_bVisible);
    pScale->SetStartPoint(m_ptStart.x, m_ptStart.y);
    pScale->SetEndPoint(m_ptEnd.x, m_ptEnd.y);
    pScale->SetIndexStride(m_nIndexStride);
    pScale->SetGroupStride(m_nGroupStride);
    QVGTickMarks* pTicks = GetTickMarks();
    QVGGridLines* pGrid = GetGridLines();
    if (pTicks != NULL) {
        double gap = pTicks->GetTickSize();
        if (IsPrinting()) {
            const bool upright = std::abs(m_ptEnd.x - m_ptStart.x) < std::abs(m_ptEnd.y - m_ptStart.y);
            gap *= upright ? GetDeviceScaleX(m_pDC) : GetDeviceScaleY(m_pDC);
        }
        // The labels stand clear of the ticks.
        pScale->m_dSizeY = gap * 1.25;
    }
    if (pTicks != NULL || pGrid != NULL)
        pScale->SetRecordAnchors(TRUE);
    pScale->SetDrawContext(m_pDC, m_pView);
    pScale->GenerateLabels();
    if (pTicks != NULL)
        pTicks->SetScaleSource(pScale->GetAnchorList());
    if (pGrid != NULL)
        pGrid->SetAnchorList(pScale->GetAnchorList());
}

void QVGAxisManager::LayoutAxisAgain()
{
    LayoutAxis();
}

void QVGAxisManager::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        // The places of the archive replace the placeholders of the constructor.
        while (!m_children.IsEmpty())
            delete m_children.RemoveHead();
    }
    QVGCompoundComponent::Serialize(ar);
    if (ar.IsStoring()) {
        for (int place = 0; place < placeCount; ++place)
            ar << m_bPresent[place];
        ar << int(m_ptEnd.x) << int(m_ptEnd.y) << int(m_ptStart.x) << int(m_ptStart.y);
        return;
    }
    for (int place = 0; place < placeCount; ++place)
        ar >> m_bPresent[place];
    int endX = 0, endY = 0, startX = 0, startY = 0;
    ar >> endX >> endY >> startX >> startY;
    m_ptEnd.SetPoint(endX, endY);
    m_ptStart.SetPoint(startX, startY);
    // An archive with fewer places than six gets placeholders for the missing ones, and no place
    // counts as present beyond what was read.
    while (m_children.GetCount() < placeCount) {
        QVGraphComponent* pPlaceholder = NewPlaceholder();
        pPlaceholder->SetSubComponent(TRUE);
        pPlaceholder->SetChart(m_pChart);
        m_bPresent[m_children.GetCount()] = 0;
        m_children.AddTail(pPlaceholder);
    }
    for (int place = 0; place < placeCount; ++place)
        m_bPresent[place] = m_bPresent[place] != 0 ? 1 : 0;
}
