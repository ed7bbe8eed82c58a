#include "chart/model/GraphData.h"

#include "framework/core/Archive.h"

#include <cmath>

IMPLEMENT_SERIAL(QVGraphData, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(QVGraphDummyData, QVGraphData, VERSIONABLE_SCHEMA | 1)

void QVGraphData::MakeDataStyle(QVGraphStyle& style)
{
    style.m_nFlags = (style.m_nFlags & ~0xD) | 0x2;
}

QVGraphData::QVGraphData() : m_dValue(0.0), m_bNull(1)
{
    MakeDataStyle(m_style);
}

QVGraphStyle* QVGraphData::GetStyle()
{
    return &m_style;
}

void QVGraphData::SetNull(BOOL bNull)
{
    m_bNull = bNull ? 1 : 0;
}

BOOL QVGraphData::IsNull()
{
    return m_bNull;
}

double QVGraphData::GetLogValue()
{
    return m_dValue > 0.0 ? std::log10(m_dValue) : -99.0;
}

void QVGraphData::Reset()
{
    m_dValue = 0.0;
    m_range.Reset();
}

CScale QVGraphData::GetValueRange()
{
    return m_range;
}

BOOL QVGraphData::IsDynamic()
{
    return FALSE;
}

const CString& QVGraphData::GetAnnotationText(int nIndex)
{
    return m_annotations.GetText(nIndex);
}

double QVGraphData::GetValue(BOOL bLog)
{
    return bLog ? GetLogValue() : m_dValue;
}

void QVGraphData::SetValue(double value)
{
    m_dValue = value;
    m_range.Include(value);
    m_bNull = 0;
}

void QVGraphData::SetAnnotationText(LPCTSTR lpszText, BOOL bClearFirst, int nIndex)
{
    if (bClearFirst)
        m_annotations.CleanUp();
    m_annotations.SetAnnotation(nIndex, lpszText);
}

void QVGraphData::SetAnnotation(int nIndex, LPCTSTR lpszText)
{
    m_annotations.SetAnnotation(nIndex, lpszText);
}

QVGraphAnnotationList* QVGraphData::GetAnnotations()
{
    return &m_annotations;
}

CScale* QVGraphData::GetRangeRecord()
{
    return &m_range;
}

void QVGraphData::Serialize(CArchive& ar)
{
    m_annotations.Serialize(ar);
    m_style.Serialize(ar);
    m_range.Serialize(ar);
    if (ar.IsStoring())
        ar << m_dValue << m_bNull;
    else
        ar >> m_dValue >> m_bNull;
}

QVGraphDummyData::QVGraphDummyData() {}

void QVGraphDummyData::SetNull(BOOL) {}

void QVGraphDummyData::SetValue(double) {}

void QVGraphDummyData::SetAnnotationText(LPCTSTR, BOOL, int) {}

void QVGraphDummyData::SetAnnotation(int, LPCTSTR) {}
