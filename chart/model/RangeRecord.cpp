#include "chart/model/RangeRecord.h"

#include "framework/core/Archive.h"

#include <cmath>

IMPLEMENT_SERIAL(CScale, CObject, VERSIONABLE_SCHEMA | 1)

CScale::CScale() : m_dMax(0.0), m_dMin(0.0), m_bEmpty(1) {}

CScale::CScale(const CScale& other) : CObject(), m_dMax(other.m_dMax), m_dMin(other.m_dMin), m_bEmpty(other.m_bEmpty)
{
}

CScale& CScale::operator=(const CScale& other)
{
    m_dMax = other.m_dMax;
    m_dMin = other.m_dMin;
    m_bEmpty = other.m_bEmpty;
    return *this;
}

void CScale::Include(double value)
{
    if (m_bEmpty) {
        m_dMax = m_dMin = value;
        m_bEmpty = 0;
        return;
    }
    if (value > m_dMax)
        m_dMax = value;
    if (value < m_dMin)
        m_dMin = value;
}

void CScale::Reset()
{
    m_dMax = m_dMin = 0.0;
    m_bEmpty = 1;
}

double CScale::GetLogRange() const
{
    if (m_dMin <= 0.0 || m_dMax <= 0.0)
        return 1.0;
    return std::log10(m_dMax / m_dMin);
}

void CScale::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_dMax << m_dMin << m_bEmpty;
    else
        ar >> m_dMax >> m_dMin >> m_bEmpty;
}
