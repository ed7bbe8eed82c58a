#include "chart/model/GraphDataList.h"

#include "chart/model/ChartArchive.h"
#include "chart/model/DynamicData.h"
#include "chart/model/GraphException.h"
#include "chart/model/ListCursor.h"

IMPLEMENT_SERIAL(QVGraphDataList, CObject, VERSIONABLE_SCHEMA | 1)

QVGraphDataList::QVGraphDataList() : m_items(10), m_nCursorIndex(-1), m_posCursor(NULL), m_bDynamic(0)
{
    QVGraphData::MakeDataStyle(m_style);
}

QVGraphDataList::~QVGraphDataList()
{
    RemoveAll();
}

void QVGraphDataList::RemoveAll()
{
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
    ResetCursor();
}

int QVGraphDataList::GetCount()
{
    if (m_bDynamic) {
        if (m_items.IsEmpty())
            return 0;
        return static_cast<QVGraphDynamicData*>(m_items.GetHead())->GetCount();
    }
    return int(m_items.GetCount());
}

QVGraphData* QVGraphDataList::CreateItem()
{
    return new QVGraphData;
}

void QVGraphDataList::ResetCursor()
{
    if (m_items.IsEmpty()) {
        m_nCursorIndex = -1;
        m_posCursor = NULL;
    } else {
        m_nCursorIndex = 0;
        m_posCursor = m_items.GetHeadPosition();
    }
}

POSITION QVGraphDataList::FindPosition(int nIndex)
{
    return FindListPosition(m_items, nIndex, m_posCursor, m_nCursorIndex);
}

QVGraphData* QVGraphDataList::GetItem(int nIndex, BOOL bCreate)
{
    if (m_bDynamic) {
        if (m_items.IsEmpty())
            RaiseChartError(6);
        QVGraphDynamicData* pData = static_cast<QVGraphDynamicData*>(m_items.GetHead());
        if (!pData->IsAllocated())
            RaiseChartError(6);
        int position = nIndex;
        if (nIndex == -1)
            position = pData->GetCount() - 1;
        else if (nIndex == -2)
            position = 0;
        pData->SetWritePosition(position);
        pData->SetReadPosition(pData->GetWritePosition());
        return pData;
    }
    if (nIndex < 0)
        RaiseChartError(3);
    if (nIndex >= int(m_items.GetCount())) {
        if (!bCreate)
            RaiseChartError(3);
        while (int(m_items.GetCount()) <= nIndex)
            m_items.AddTail(CreateItem());
    }
    return static_cast<QVGraphData*>(m_items.GetAt(FindPosition(nIndex)));
}

void QVGraphDataList::InsertItem(QVGraphData* pItem, int nAt)
{
    if (nAt == -2) {
        m_items.AddHead(pItem);
    } else if (nAt == -1 || nAt >= int(m_items.GetCount())) {
        while (nAt > int(m_items.GetCount()))
            m_items.AddTail(CreateItem());
        m_items.AddTail(pItem);
    } else if (nAt >= 0) {
        POSITION pos = FindPosition(nAt);
        CObject* pOld = m_items.GetAt(pos);
        m_items.SetAt(pos, pItem);
        if (pOld != pItem)
            delete pOld;
    } else {
        RaiseChartError(3);
    }
    ResetCursor();
}

void QVGraphDataList::PushValue(double value, BOOL bAtStart)
{
    if (m_bDynamic) {
        if (m_items.IsEmpty())
            RaiseChartError(6);
        static_cast<QVGraphDynamicData*>(m_items.GetHead())->ScrollValue(value, bAtStart);
        return;
    }
    if (m_items.IsEmpty()) {
        GetItem(0, TRUE)->SetValue(value);
        return;
    }
    if (m_items.GetCount() == 1) {
        static_cast<QVGraphData*>(m_items.GetHead())->SetValue(value);
        return;
    }
    // The values rotate: the item at one end takes the new value and moves to the other end.
    POSITION moved = bAtStart ? m_items.GetTailPosition() : m_items.GetHeadPosition();
    QVGraphData* pItem = static_cast<QVGraphData*>(m_items.GetAt(moved));
    m_items.RemoveAt(moved);
    pItem->SetValue(value);
    if (bAtStart)
        m_items.AddHead(pItem);
    else
        m_items.AddTail(pItem);
    // Every other node's index shifted by one: the cursor starts again from the head.
    ResetCursor();
}

QVGraphAnnotationList* QVGraphDataList::GetAnnotations()
{
    return &m_annotations;
}

QVGraphStyle* QVGraphDataList::GetStyle()
{
    return &m_style;
}

void QVGraphDataList::SetDynamic(BOOL bDynamic)
{
    if ((bDynamic ? 1 : 0) == m_bDynamic)
        return;
    RemoveAll();
    m_bDynamic = bDynamic ? 1 : 0;
    if (m_bDynamic)
        m_items.AddHead(new QVGraphDynamicData);
    ResetCursor();
}

const CString& QVGraphDataList::GetAnnotationText(int nIndex)
{
    return m_annotations.GetText(nIndex);
}

BOOL QVGraphDataList::IsDynamic()
{
    return m_bDynamic;
}

void QVGraphDataList::SetAnnotation(int nIndex, LPCTSTR lpszText)
{
    m_annotations.SetAnnotation(nIndex, lpszText);
}

void QVGraphDataList::SetAnnotationText(LPCTSTR lpszText, BOOL bClearFirst, int nIndex)
{
    if (bClearFirst)
        m_annotations.CleanUp();
    m_annotations.SetAnnotation(nIndex, lpszText);
}

void QVGraphDataList::Serialize(CArchive& ar)
{
    if (!ar.IsStoring())
        RemoveAll();
    SerializeOwnedChartList(ar, m_items, RUNTIME_CLASS(QVGraphData));
    if (!ar.IsStoring())
        ResetCursor();
    m_annotations.Serialize(ar);
    m_style.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bDynamic;
    } else {
        int dynamic = 0;
        ar >> dynamic;
        // A dynamic group is one buffered item; anything else would be read as one.
        if (dynamic && (m_items.GetCount() != 1 || !m_items.GetHead()->IsKindOf(RUNTIME_CLASS(QVGraphDynamicData))))
            AfxThrowArchiveException(CArchiveException::badClass);
        m_bDynamic = dynamic ? 1 : 0;
    }
}
