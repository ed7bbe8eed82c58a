#include "chart/model/DataManager.h"

#include "chart/model/ChartArchive.h"
#include "chart/model/GraphException.h"
#include "chart/model/ListCursor.h"

#include <algorithm>

IMPLEMENT_SERIAL(QVGDataManager, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
bool IsRangeError(const QVGraphException* e)
{
    return e->m_nErrorCode == 2 || e->m_nErrorCode == 3;
}
}  // namespace

QVGDataManager::QVGDataManager() : m_groups(10), m_posCursor(NULL), m_nCursorIndex(-1), m_nCurrentGroup(0)
{
    QVGraphData::MakeDataStyle(m_defaultStyle);
}

QVGDataManager::~QVGDataManager()
{
    RemoveAll();
}

QVGraphDataList* QVGDataManager::CreateGroup()
{
    return new QVGraphDataList;
}

void QVGDataManager::RemoveAll()
{
    while (!m_groups.IsEmpty())
        delete m_groups.RemoveHead();
    ResetCursor();
}

void QVGDataManager::ResetCursor()
{
    if (m_groups.IsEmpty()) {
        m_posCursor = NULL;
        m_nCursorIndex = -1;
    } else {
        m_posCursor = m_groups.GetHeadPosition();
        m_nCursorIndex = 0;
    }
}

POSITION QVGDataManager::FindGroupPosition(int nGroup)
{
    return FindListPosition(m_groups, nGroup, m_posCursor, m_nCursorIndex);
}

QVGraphDataList* QVGDataManager::GetGroup(int nGroup, BOOL bCreate)
{
    if (nGroup < 0)
        RaiseChartError(2);
    if (nGroup >= int(m_groups.GetCount())) {
        if (!bCreate)
            RaiseChartError(2);
        while (int(m_groups.GetCount()) <= nGroup)
            m_groups.AddTail(CreateGroup());
    }
    QVGraphDataList* pGroup = static_cast<QVGraphDataList*>(m_groups.GetAt(FindGroupPosition(nGroup)));
    if (pGroup->GetStyle()->IsGroupHidden())
        RaiseChartError(2);
    return pGroup;
}

void QVGDataManager::SetValue(int nIndex, int nGroup, double value, BOOL bCopyDefaultStyle)
{
    QVGraphData* pItem = GetGroup(nGroup, TRUE)->GetItem(nIndex, TRUE);
    pItem->SetValue(value);
    if (bCopyDefaultStyle)
        pItem->GetStyle()->CopyFrom(m_defaultStyle);
}

void QVGDataManager::SetItemText(int nIndex, int nGroup, LPCTSTR lpszText)
{
    GetGroup(nGroup, TRUE)->GetItem(nIndex, TRUE)->SetAnnotation(1, lpszText);
}

void QVGDataManager::SetGroupText(int nGroup, LPCTSTR lpszText, BOOL bClearFirst)
{
    GetGroup(nGroup, TRUE)->SetAnnotationText(lpszText, bClearFirst, 1);
}

void QVGDataManager::GetValueRange(CScale& range, BOOL bUseItemRanges)
{
    range.Reset();
    for (POSITION pos = m_groups.GetHeadPosition(); pos != NULL;) {
        CObList& items = static_cast<QVGraphDataList*>(m_groups.GetNext(pos))->GetItemList();
        for (POSITION itemPos = items.GetHeadPosition(); itemPos != NULL;) {
            QVGraphData* pItem = static_cast<QVGraphData*>(items.GetNext(itemPos));
            if (bUseItemRanges) {
                const CScale itemRange = pItem->GetValueRange();
                if (itemRange.IsEmpty())
                    continue;
                range.Include(itemRange.m_dMax);
                range.Include(itemRange.m_dMin);
            } else {
                range.Include(pItem->GetValue());
            }
        }
    }
}

int QVGDataManager::GetMaxGroupSize()
{
    int largest = 0;
    for (POSITION pos = m_groups.GetHeadPosition(); pos != NULL;)
        largest = std::max(largest, static_cast<QVGraphDataList*>(m_groups.GetNext(pos))->GetCount());
    return largest;
}

int QVGDataManager::GetGroupCount()
{
    return int(m_groups.GetCount());
}

int QVGDataManager::GetGroupSize(int nGroup, BOOL bCreate)
{
    return GetGroup(nGroup, bCreate)->GetCount();
}

double QVGDataManager::GetRangeSum(int nFirstGroup, int nFirstIndex, int nLastGroup, int nLastIndex)
{
    const int groups = GetGroupCount();
    if (nFirstGroup >= groups)
        return 0.0;
    nFirstGroup = std::max(nFirstGroup, 0);
    nFirstIndex = std::max(nFirstIndex, 0);
    nLastGroup = std::min(nLastGroup, groups - 1);
    double sum = 0.0;
    for (int group = nFirstGroup; group <= nLastGroup; ++group) {
        const int size = GetGroupSize(group);
        if (size <= nFirstIndex)
            continue;
        const int last = std::min(nLastIndex, size - 1);
        for (int index = nFirstIndex; index <= last; ++index) {
            QVGraphData* pItem = FindItem(index, group);
            if (!pItem->IsNull())
                sum += pItem->GetValue();
        }
    }
    return sum;
}

double QVGDataManager::GetGroupSum(int nGroup)
{
    if (nGroup == -1)
        nGroup = m_nCurrentGroup;
    if (nGroup < 0 || nGroup >= GetGroupCount())
        return 0.0;
    double sum = 0.0;
    CObList& items = GetGroup(nGroup, FALSE)->GetItemList();
    for (POSITION pos = items.GetHeadPosition(); pos != NULL;) {
        QVGraphData* pItem = static_cast<QVGraphData*>(items.GetNext(pos));
        if (!pItem->IsNull())
            sum += pItem->GetValue();
    }
    return sum;
}

double QVGDataManager::GetGroupAverage(int nGroup)
{
    if (nGroup < 0 || nGroup >= GetGroupCount())
        return 0.0;
    double sum = 0.0;
    int counted = 0;
    CObList& items = GetGroup(nGroup, FALSE)->GetItemList();
    for (POSITION pos = items.GetHeadPosition(); pos != NULL;) {
        QVGraphData* pItem = static_cast<QVGraphData*>(items.GetNext(pos));
        if (!pItem->IsNull()) {
            sum += pItem->GetValue();
            ++counted;
        }
    }
    // A group of null items has no average: 0 rather than a division by zero.
    return counted > 0 ? sum / counted : 0.0;
}

double QVGDataManager::GetIndexAverage(int nFirstIndex, int nLastIndex, int nGroup)
{
    if (nGroup < 0 || nGroup >= GetGroupCount())
        return 0.0;
    const int size = GetGroupSize(nGroup);
    if (nFirstIndex < 0 || nFirstIndex >= size)
        return 0.0;
    nLastIndex = std::min(nLastIndex, size - 1);
    double sum = 0.0;
    int counted = 0;
    for (int index = nFirstIndex; index <= nLastIndex; ++index) {
        QVGraphData* pItem = FindItem(index, nGroup);
        if (!pItem->IsNull()) {
            sum += pItem->GetValue();
            ++counted;
        }
    }
    // No non-null value in range: 0 rather than a division by zero.
    return counted > 0 ? sum / counted : 0.0;
}

double QVGDataManager::GetIndexSum(int nIndex, int nFirstGroup, int nLastGroup)
{
    if (nIndex < 0 || nIndex >= GetMaxGroupSize())
        RaiseChartError(3);
    const int groups = GetGroupCount();
    if (nFirstGroup == 0 && nLastGroup == 0)
        nLastGroup = groups - 1;
    if (nFirstGroup >= groups)
        return 0.0;
    nFirstGroup = std::max(nFirstGroup, 0);
    nLastGroup = std::min(nLastGroup, groups - 1);
    double sum = 0.0;
    for (int group = nFirstGroup; group <= nLastGroup; ++group)
        sum += FindItem(nIndex, group)->GetValue();
    return sum;
}

double QVGDataManager::GetTotal()
{
    double total = 0.0;
    for (POSITION pos = m_groups.GetHeadPosition(); pos != NULL;) {
        CObList& items = static_cast<QVGraphDataList*>(m_groups.GetNext(pos))->GetItemList();
        for (POSITION itemPos = items.GetHeadPosition(); itemPos != NULL;) {
            QVGraphData* pItem = static_cast<QVGraphData*>(items.GetNext(itemPos));
            if (!pItem->IsNull())
                total += pItem->GetValue();
        }
    }
    return total;
}

double QVGDataManager::GetItemValue(int nIndex, int nGroup)
{
    return FindItem(nIndex, nGroup)->GetValue();
}

void QVGDataManager::SetManagerText(LPCTSTR lpszText, int nIndex)
{
    m_annotations.SetAnnotation(nIndex, lpszText);
}

CObList* QVGDataManager::GetGroupList()
{
    return &m_groups;
}

POSITION QVGDataManager::GetFirstGroupPosition()
{
    return m_groups.GetHeadPosition();
}

QVGraphDataList* QVGDataManager::GetNextGroup(POSITION& pos)
{
    return static_cast<QVGraphDataList*>(m_groups.GetNext(pos));
}

QVGraphAnnotationList* QVGDataManager::GetManagerAnnotations()
{
    return &m_annotations;
}

void QVGDataManager::ApplyStyle(int nFirstGroup, int nLastGroup, int nFirstIndex, int nLastIndex,
                                const QVGraphStyle& style, BOOL bGroupsToo)
{
    const int groups = GetGroupCount();
    if (nFirstGroup == -1)
        nFirstGroup = 0;
    if (nLastGroup == -1 || nLastGroup >= groups)
        nLastGroup = groups - 1;
    if (nFirstIndex == -1)
        nFirstIndex = 0;
    for (int group = nFirstGroup; group <= nLastGroup; ++group) {
        try {
            QVGraphDataList* pGroup = GetGroup(group, FALSE);
            if (bGroupsToo)
                pGroup->GetStyle()->CopyFrom(style);
            const int size = pGroup->GetCount();
            const int last = (nLastIndex == -1) ? size - 1 : std::min(nLastIndex, size - 1);
            for (int index = nFirstIndex; index <= last; ++index)
                pGroup->GetItem(index, FALSE)->GetStyle()->CopyFrom(style);
        } catch (QVGraphException* e) {
            if (!IsRangeError(e))
                e->ReportError();
            e->Delete();
        }
    }
}

void QVGDataManager::PushValue(int nGroup, double value, BOOL bAtStart)
{
    GetGroup(nGroup, TRUE)->PushValue(value, bAtStart);
}

QVGraphData* QVGDataManager::GetItem(int nIndex, int nGroup)
{
    return GetGroup(nGroup, FALSE)->GetItem(nIndex, FALSE);
}

QVGraphData* QVGDataManager::FindItem(int nIndex, int nGroup)
{
    try {
        return GetItem(nIndex, nGroup);
    } catch (QVGraphException* e) {
        if (!IsRangeError(e))
            throw;
        e->Delete();
        return &m_dummy;
    }
}

void QVGDataManager::SetDefaultStyle(const QVGraphStyle& style)
{
    m_defaultStyle.CopyFrom(style);
}

const CString& QVGDataManager::GetManagerText(int nIndex)
{
    return m_annotations.GetText(nIndex);
}

const CString& QVGDataManager::GetItemText(int nGroup, int nIndex, int nAnnotation)
{
    return FindItem(nIndex, nGroup)->GetAnnotationText(nAnnotation);
}

const CString& QVGDataManager::GetGroupText(int nGroup, int nAnnotation)
{
    try {
        return GetGroup(nGroup, FALSE)->GetAnnotationText(nAnnotation);
    } catch (QVGraphException* e) {
        if (!IsRangeError(e))
            throw;
        e->Delete();
        return m_strEmpty;
    }
}

void QVGDataManager::Serialize(CArchive& ar)
{
    m_annotations.Serialize(ar);
    SerializeGroups(ar);
}

void QVGDataManager::SerializeGroups(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int(m_groups.GetCount());
        for (POSITION pos = m_groups.GetHeadPosition(); pos != NULL;)
            GetNextGroup(pos)->Serialize(ar);
        return;
    }
    // A group takes at least its item count, two annotations, a style and the dynamic flag.
    const int count = ReadChartCount(ar, 4);
    RemoveAll();
    for (int i = 0; i < count; ++i) {
        QVGraphDataList* pGroup = CreateGroup();
        m_groups.AddTail(pGroup);
        pGroup->Serialize(ar);
    }
    ResetCursor();
}
