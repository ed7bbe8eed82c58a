// The data watcher: its data limits, the eight conditions, the marks on the items, and the limit lines.
#include "chart/model/DataWatcher.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DisplayBase.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(QVGDataWatcher, QVGGridLines, VERSIONABLE_SCHEMA | 1)

namespace {
void SetHighlight(QVGraphData* pItem, int nHighlight)
{
    // The dummy item that stands for a missing one is shared: it is never marked.
    if (pItem == NULL || pItem->IsKindOf(RUNTIME_CLASS(QVGraphDummyData)))
        return;
    QVGraphStyle* pStyle = pItem->GetStyle();
    pStyle->m_nFlags = (pStyle->m_nFlags & ~0xF00) | ((nHighlight & 0xF) << 8);
}
}  // namespace

QVGDataWatcher::QVGDataWatcher()
    : m_bDrawContent(1),
      m_bFollowDisplay(0),
      m_dUpperLimit(1e+80),
      m_dLowerLimit(-1e+80),
      m_nCondition(conditionAboveUpper),
      m_limitPoints(10)
{
    m_nTypeId = IDS_QVG_DATA_WATCHER;
    // No value range until a display hands one in: until then no limit can be placed.
    m_valueDataRange.Reset();
}

QVGDataWatcher::~QVGDataWatcher()
{
    SetAnchorList(NULL);
}

void QVGDataWatcher::Serialize(CArchive& ar)
{
    QVGGridLines::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bFollowDisplay << m_dUpperLimit << m_dLowerLimit << m_nCondition;
        return;
    }
    ar >> m_bFollowDisplay >> m_dUpperLimit >> m_dLowerLimit >> m_nCondition;
}

LPCTSTR QVGDataWatcher::GetTemplateKeyword()
{
    return "datawatcher ";
}

void QVGDataWatcher::OnWatchedValue(double) {}

void QVGDataWatcher::OnItemMarked(int, int) {}

void QVGDataWatcher::DrawCustom() {}

void QVGDataWatcher::OnConditionBroken() {}

void QVGDataWatcher::OnConditionHolds() {}

void QVGDataWatcher::SetCondition(int nCondition)
{
    m_nCondition = nCondition;
}

int QVGDataWatcher::GetCondition()
{
    return m_nCondition;
}

void QVGDataWatcher::SetFollowDisplay(int bFollow)
{
    m_bFollowDisplay = bFollow != 0;
}

int QVGDataWatcher::GetFollowDisplay()
{
    return m_bFollowDisplay;
}

void QVGDataWatcher::SetUpperLimit(double limit)
{
    m_dUpperLimit = limit;
}

void QVGDataWatcher::SetLowerLimit(double limit)
{
    m_dLowerLimit = limit;
}

double QVGDataWatcher::GetUpperLimit()
{
    return m_dUpperLimit;
}

double QVGDataWatcher::GetLowerLimit()
{
    return m_dLowerLimit;
}

void QVGDataWatcher::SetDrawContent(int bDraw)
{
    m_bDrawContent = bDraw != 0;
}

int QVGDataWatcher::IsDrawContent()
{
    return m_bDrawContent;
}

QVGDisplayBase* QVGDataWatcher::FindFollowedDisplay()
{
    if (m_pChart == NULL)
        return NULL;
    CObList* pList = m_pChart->GetComponentList();
    POSITION pos = pList->Find(this);
    if (pos == NULL)
        return NULL;
    pList->GetNext(pos);
    while (pos != NULL) {
        CObject* pComponent = pList->GetNext(pos);
        if (pComponent->IsKindOf(RUNTIME_CLASS(QVGDisplayBase)))
            return static_cast<QVGDisplayBase*>(pComponent);
        if (!pComponent->IsKindOf(RUNTIME_CLASS(QVGDataWatcher)))
            return NULL;
    }
    return NULL;
}

int QVGDataWatcher::ComputeDataLimits()
{
    if (QVGDisplayBase* pDisplay = m_bFollowDisplay ? FindFollowedDisplay() : NULL) {
        pDisplay->GetDataRange(m_nMinIndex, m_nMaxIndex, m_nMinGroup, m_nMaxGroup);
        m_nIndexStride = pDisplay->GetIndexStride();
        m_nGroupStride = pDisplay->GetGroupStride();
    }
    return ResolveDataLimits();
}

template <class Visit>
int QVGDataWatcher::ForEachWatchedItem(Visit visit)
{
    ComputeDataLimits();
    if (m_pChart == NULL)
        return 0;
    const int groups = m_pChart->GetGroupCount();
    const int groupStride = std::max(1, m_nGroupStride);
    const int indexStride = std::max(1, m_nIndexStride);
    const int firstIndex = std::max(0, m_nFirstIndex);
    int visited = 0;
    for (int g = 0; g < m_nGroupCount; g += groupStride) {
        const int group = m_nFirstGroup + g;
        // Limits beyond the data (an archive can bring any) end the walk at the last group.
        if (group >= groups)
            break;
        if (group < 0)
            continue;
        const int count = std::min(m_pChart->GetGroupSize(group) - firstIndex, m_nIndexCount);
        for (int i = 0; i < count; i += indexStride) {
            QVGraphData* pItem = m_pChart->FindItem(firstIndex + i, group);
            // A null item has no value to watch.
            if (!pItem->IsNull())
                ++visited;
            visit(firstIndex + i, group, pItem);
        }
    }
    return visited;
}

template <class Test>
int QVGDataWatcher::MarkItemsWhere(Test test)
{
    bool marked = false;
    ForEachWatchedItem([&](int nIndex, int nGroup, QVGraphData* pItem) {
        if (!pItem->IsNull() && test(pItem->GetValue())) {
            MarkItem(nIndex, nGroup);
            marked = true;
        } else {
            UnmarkItem(nIndex, nGroup);
        }
    });
    return marked ? 0 : 1;
}

BOOL QVGDataWatcher::GetMean(double& mean)
{
    double sum = 0;
    const int visited = ForEachWatchedItem([&](int, int, QVGraphData* pItem) {
        if (!pItem->IsNull())
            sum += pItem->GetValue();
    });
    if (visited == 0)
        return FALSE;
    mean = sum / visited;
    return TRUE;
}

void QVGDataWatcher::MarkItem(int nIndex, int nGroup)
{
    OnItemMarked(nIndex, nGroup);
    if (m_pChart != NULL)
        SetHighlight(m_pChart->FindItem(nIndex, nGroup), markHighlight);
}

void QVGDataWatcher::UnmarkItem(int nIndex, int nGroup)
{
    if (m_pChart != NULL)
        SetHighlight(m_pChart->FindItem(nIndex, nGroup), 0);
}

int QVGDataWatcher::CheckAboveUpper()
{
    return MarkItemsWhere([this](double value) { return value >= m_dUpperLimit; });
}

int QVGDataWatcher::CheckBelowLower()
{
    return MarkItemsWhere([this](double value) { return value <= m_dLowerLimit; });
}

int QVGDataWatcher::CheckInsideBand()
{
    return MarkItemsWhere([this](double value) { return m_dLowerLimit < value && value < m_dUpperLimit; });
}

int QVGDataWatcher::CheckOutsideBand()
{
    return MarkItemsWhere([this](double value) { return value <= m_dLowerLimit || value >= m_dUpperLimit; });
}

// The mean conditions hold when nothing was visited: an empty set has no mean to break a limit.
int QVGDataWatcher::CheckMeanAboveUpper()
{
    double mean = 0;
    return !GetMean(mean) || !(mean >= m_dUpperLimit) ? 1 : 0;
}

int QVGDataWatcher::CheckMeanBelowLower()
{
    double mean = 0;
    return !GetMean(mean) || !(mean <= m_dLowerLimit) ? 1 : 0;
}

int QVGDataWatcher::CheckMeanOutsideBand()
{
    double mean = 0;
    return !GetMean(mean) || mean < m_dLowerLimit || mean > m_dUpperLimit ? 1 : 0;
}

int QVGDataWatcher::CheckMeanInsideBand()
{
    double mean = 0;
    return !GetMean(mean) || (m_dLowerLimit < mean && mean < m_dUpperLimit) ? 1 : 0;
}

int QVGDataWatcher::CheckNone()
{
    return 1;
}

int QVGDataWatcher::Evaluate()
{
    int result = 1;
    switch (m_nCondition) {
    case conditionAboveUpper: result = CheckAboveUpper(); break;
    case conditionBelowLower: result = CheckBelowLower(); break;
    case conditionMeanAboveUpper: result = CheckMeanAboveUpper(); break;
    case conditionMeanBelowLower: result = CheckMeanBelowLower(); break;
    case conditionInsideBand: result = CheckInsideBand(); break;
    case conditionOutsideBand: result = CheckOutsideBand(); break;
    case conditionMeanOutsideBand: result = CheckMeanOutsideBand(); break;
    case conditionMeanInsideBand: result = CheckMeanInsideBand(); break;
    default: result = CheckNone(); break;
    }
    if (result == 1)
        OnConditionHolds();
    else if (result == 0)
        OnConditionBroken();
    return result;
}

void QVGDataWatcher::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    if (m_bVisible)
        Evaluate();
    if (m_bDrawContent)
        DrawContent();
    m_bDrawing = 0;
    m_bChanged = 0;
}

BOOL QVGDataWatcher::PlaceLimit(double limit)
{
    const double range = m_valueDataRange.GetRange();
    // No range, no scale to place a limit on.
    if (m_valueDataRange.IsEmpty() || !(range > 0) || !std::isfinite(range) || !std::isfinite(limit))
        return FALSE;
    const CRect& e = m_rectExtent;
    // The offset stays a double until it is known to lie on the rectangle: a limit of 1e+80 must not
    // become a device coordinate.
    if (m_nOrientation != 0) {
        const double offset = std::trunc(double(e.right - e.left) / range * (limit - m_valueDataRange.m_dMin) + 0.5);
        const double x = e.left + offset;
        if (x < e.left || x > e.right)
            return FALSE;
        m_limitPoints.AddTail(CPoint(int(x), e.bottom));
    } else {
        const double offset = std::trunc(double(e.bottom - e.top) / range * (limit - m_valueDataRange.m_dMin) + 0.5);
        const double y = e.bottom - offset;
        if (y < e.top || y > e.bottom)
            return FALSE;
        m_limitPoints.AddTail(CPoint(e.left, int(y)));
    }
    return TRUE;
}

void QVGDataWatcher::DrawContent()
{
    m_limitPoints.RemoveAll();
    SetAnchorList(&m_limitPoints);
    if (m_nCondition < 0) {
        DrawCustom();
        return;
    }
    if (m_nCondition > conditionMeanInsideBand) {
        DrawCustom();
        QVGGridLines::DrawContent();
        return;
    }
    if (m_nCondition >= conditionInsideBand)
        PlaceLimit(m_dLowerLimit);
    PlaceLimit(m_dUpperLimit);
    QVGGridLines::DrawContent();
}
