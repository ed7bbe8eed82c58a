#include "chart/model/DynamicData.h"

#include "chart/model/ChartArchive.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphException.h"
#include "framework/core/Archive.h"
#include "framework/win/Seams.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

IMPLEMENT_SERIAL(QVGraphDynamicData, QVGraphData, VERSIONABLE_SCHEMA | 1)

QVGraphDynamicData::QVGraphDynamicData()
    : m_pSlots(NULL),
      m_pRanges(NULL),
      m_bKeepRanges(0),
      m_nDataType(typeNone),
      m_nGrowSize(0),
      m_bWrap(0),
      m_bAllocated(0),
      m_nCapacity(0),
      m_nWritePosition(0),
      m_nReadPosition(0),
      m_nCount(0)
{
}

QVGraphDynamicData::~QVGraphDynamicData()
{
    FreeBuffers();
}

void QVGraphDynamicData::FreeBuffers()
{
    delete[] m_pSlots;
    delete[] m_pRanges;
    m_pSlots = NULL;
    m_pRanges = NULL;
    m_bAllocated = 0;
    m_nCapacity = 0;
}

BOOL QVGraphDynamicData::SetCapacity(int nCapacity)
{
    if (nCapacity < 0)
        nCapacity = 0;
    const size_t slots = size_t(std::max(nCapacity, 1));
    if (!m_bAllocated) {
        Slot* pSlots = new (std::nothrow) Slot[slots]();
        if (pSlots == NULL) {
            AfxMessageBox(IDS_QVG_BUFFER_ALLOC, MB_ICONSTOP);
            return FALSE;
        }
        CScale* pRanges = NULL;
        if (m_bKeepRanges) {
            pRanges = new (std::nothrow) CScale[slots];
            if (pRanges == NULL) {
                delete[] pSlots;
                AfxMessageBox(IDS_QVG_HILO_ALLOC, MB_ICONSTOP);
                return FALSE;
            }
        }
        m_pSlots = pSlots;
        m_pRanges = pRanges;
    } else {
        Slot* pSlots = new (std::nothrow) Slot[slots]();
        CScale* pRanges = (pSlots != NULL && m_pRanges != NULL) ? new (std::nothrow) CScale[slots] : NULL;
        if (pSlots == NULL || (m_pRanges != NULL && pRanges == NULL)) {
            delete[] pSlots;
            AfxMessageBox(IDS_QVG_BUFFER_REALLOC, MB_ICONEXCLAMATION);
            return FALSE;   // the old buffer stays
        }
        const int kept = std::min(m_nCapacity, nCapacity);
        std::copy(m_pSlots, m_pSlots + kept, pSlots);
        if (pRanges != NULL)
            std::copy(m_pRanges, m_pRanges + kept, pRanges);
        delete[] m_pSlots;
        delete[] m_pRanges;
        m_pSlots = pSlots;
        m_pRanges = pRanges;
        m_nCount = std::min(m_nCount, nCapacity);
        m_nWritePosition = std::min(m_nWritePosition, nCapacity);
        m_nReadPosition = std::min(m_nReadPosition, nCapacity);
    }
    m_nCapacity = nCapacity;
    m_bAllocated = 1;
    return TRUE;
}

void QVGraphDynamicData::SetKeepRanges(BOOL bKeep)
{
    m_bKeepRanges = bKeep ? 1 : 0;
    if (!m_bAllocated)
        return;
    if (m_bKeepRanges && m_pRanges == NULL) {
        m_pRanges = new (std::nothrow) CScale[size_t(std::max(m_nCapacity, 1))];
        if (m_pRanges == NULL) {
            m_bKeepRanges = 0;
            AfxMessageBox(IDS_QVG_HILO_ALLOC, MB_ICONSTOP);
        }
    } else if (!m_bKeepRanges) {
        delete[] m_pRanges;
        m_pRanges = NULL;
    }
}

BOOL QVGraphDynamicData::EnsureRoom()
{
    if (m_nWritePosition < m_nCapacity)
        return TRUE;
    if (m_bWrap && m_nCapacity > 0) {
        m_nWritePosition %= m_nCapacity;
        return TRUE;
    }
    if (m_nGrowSize > 0) {
        const int needed = m_nWritePosition + 1;
        int capacity = m_nCapacity;
        while (capacity < needed)
            capacity += m_nGrowSize;
        if (SetCapacity(capacity))
            return TRUE;
        return FALSE;
    }
    AfxMessageBox(IDS_QVG_BUFFER_ACCESS, MB_ICONSTOP);
    return FALSE;
}

void QVGraphDynamicData::WriteSlot(int nSlot, double value)
{
    Slot& slot = m_pSlots[nSlot];
    switch (m_nDataType) {
    case typeInt:
        slot.raw = 0;
        slot.i = INT32(value);
        break;
    case typeByte:
        slot.raw = 0;
        slot.b = BYTE(value);
        break;
    default:
        slot.d = value;
        break;
    }
}

double QVGraphDynamicData::ReadSlot(int nSlot) const
{
    const Slot& slot = m_pSlots[nSlot];
    switch (m_nDataType) {
    case typeDouble:
        return slot.d;
    case typeInt:
        return double(slot.i);
    case typeByte:
        return double(slot.b);
    default:
        return 0.0;
    }
}

void QVGraphDynamicData::Append(double value, int nType)
{
    if (!m_bAllocated)
        RaiseChartError(6);
    if (m_nDataType == typeNone)
        m_nDataType = nType;
    else if (nType != typeDouble && nType != m_nDataType)
        RaiseChartError(15);
    if (nType == typeDouble) {
        // Byte slots are unsigned: 0..255 fit, anything else would come back as another number.
        if (m_nDataType == typeInt && !(value >= -2147483648.0 && value <= 2147483647.0))
            RaiseChartError(5);
        if (m_nDataType == typeByte && !(value >= 0.0 && value <= 255.0))
            RaiseChartError(5);
    }
    if (!EnsureRoom())
        return;
    WriteSlot(m_nWritePosition, value);
    if (m_pRanges != NULL)
        m_pRanges[m_nWritePosition].Include(ReadSlot(m_nWritePosition));
    ++m_nWritePosition;
    m_nCount = std::max(m_nCount, m_nWritePosition);
}

void QVGraphDynamicData::SetValue(double value)
{
    Append(value, typeDouble);
}

void QVGraphDynamicData::AppendInt(int value)
{
    Append(double(value), typeInt);
}

void QVGraphDynamicData::AppendByte(BYTE value)
{
    Append(double(value), typeByte);
}

BOOL QVGraphDynamicData::IsNull()
{
    return m_nReadPosition >= m_nCount;
}

BOOL QVGraphDynamicData::IsDynamic()
{
    return TRUE;
}

double QVGraphDynamicData::GetValue(BOOL bLog)
{
    if (!m_bAllocated || m_nCapacity == 0)
        return 0.0;
    if (m_nReadPosition >= m_nCapacity)
        m_nReadPosition = 0;
    const double value = ReadSlot(m_nReadPosition);
    ++m_nReadPosition;
    if (bLog)
        return value != 0.0 ? std::log10(std::fabs(value)) : -99.0;
    return value;
}

CScale QVGraphDynamicData::GetValueRange()
{
    if (m_pRanges == NULL || m_nCapacity == 0)
        return CScale();
    const int slot = m_nReadPosition >= m_nCapacity ? 0 : m_nReadPosition;
    return m_pRanges[slot];
}

void QVGraphDynamicData::ScrollValue(double value, BOOL bAtStart)
{
    if (!m_bAllocated || m_nCapacity == 0)
        return;
    if (m_nDataType == typeNone)
        m_nDataType = typeDouble;
    if (m_nCount == 0)
        m_nCount = 1;   // scrolling into an empty buffer fills its first slot
    const int last = m_nCount - 1;
    int target;
    if (bAtStart) {
        std::copy_backward(m_pSlots, m_pSlots + last, m_pSlots + m_nCount);
        if (m_pRanges != NULL)
            std::copy_backward(m_pRanges, m_pRanges + last, m_pRanges + m_nCount);
        target = 0;
    } else {
        std::copy(m_pSlots + 1, m_pSlots + m_nCount, m_pSlots);
        if (m_pRanges != NULL)
            std::copy(m_pRanges + 1, m_pRanges + m_nCount, m_pRanges);
        target = last;
    }
    WriteSlot(target, value);
    if (m_pRanges != NULL) {
        m_pRanges[target].Reset();
        m_pRanges[target].Include(ReadSlot(target));
    }
}

void QVGraphDynamicData::SetWrap(BOOL bWrap)
{
    m_bWrap = bWrap ? 1 : 0;
}

BOOL QVGraphDynamicData::SetWritePosition(int nPosition)
{
    m_nWritePosition = std::max(nPosition, 0);
    if (!EnsureRoom()) {
        m_nWritePosition = 0;
        return FALSE;
    }
    return TRUE;
}

void QVGraphDynamicData::ResetWritePosition()
{
    m_nWritePosition = 0;
}

int QVGraphDynamicData::GetWritePosition()
{
    return m_nWritePosition;
}

void QVGraphDynamicData::SetReadPosition(int nPosition)
{
    if (nPosition > m_nCapacity || nPosition < 0)
        RaiseChartError(3);
    m_nReadPosition = nPosition;
}

void QVGraphDynamicData::ResetReadPosition()
{
    m_nReadPosition = 0;
}

int QVGraphDynamicData::GetReadPosition()
{
    return m_nReadPosition;
}

BOOL QVGraphDynamicData::GetKeepRanges()
{
    return m_bKeepRanges;
}

int QVGraphDynamicData::GetCapacity()
{
    return m_nCapacity;
}

int QVGraphDynamicData::GetGrowSize()
{
    return m_nGrowSize;
}

void QVGraphDynamicData::SetGrowSize(int nGrowSize)
{
    m_nGrowSize = std::max(nGrowSize, 0);
}

int QVGraphDynamicData::GetCount()
{
    return m_nCount;
}

void QVGraphDynamicData::Serialize(CArchive& ar)
{
    QVGraphData::Serialize(ar);
    if (ar.IsStoring()) {
        const int count = m_bAllocated ? m_nCount : 0;
        ar << m_bWrap << m_bKeepRanges << m_bAllocated << count << m_nDataType << m_nGrowSize;
        if (m_bAllocated) {
            for (int i = 0; i < count; ++i) {
                double slot;
                static_assert(sizeof slot == sizeof(Slot), "8-byte slots");
                std::memcpy(&slot, &m_pSlots[i], sizeof slot);
                ar << slot;
                if (m_pRanges != NULL)
                    m_pRanges[i].Serialize(ar);
            }
        }
        return;
    }
    int wrap = 0, keepRanges = 0, allocated = 0, dataType = 0, growSize = 0;
    ar >> wrap >> keepRanges >> allocated;
    const int count = ReadChartCount(ar, keepRanges ? 28 : 8);   // a slot, and its range
    ar >> dataType >> growSize;
    if (dataType < typeNone || dataType > typeByte)
        AfxThrowArchiveException(CArchiveException::genericException);
    FreeBuffers();
    m_bWrap = wrap ? 1 : 0;
    m_bKeepRanges = keepRanges ? 1 : 0;
    m_nDataType = dataType;
    m_nGrowSize = std::max(growSize, 0);
    m_nWritePosition = m_nReadPosition = m_nCount = 0;
    if (!allocated)
        return;
    if (!SetCapacity(count))
        AfxThrowArchiveException(CArchiveException::genericException);
    for (int i = 0; i < count; ++i) {
        double slot = 0.0;
        ar >> slot;
        std::memcpy(&m_pSlots[i], &slot, sizeof slot);
        if (m_pRanges != NULL)
            m_pRanges[i].Serialize(ar);
    }
    m_nCount = count;
}
