#include "chart/ui/GraphZoom.h"

#include "chart/model/DisplayBase.h"

IMPLEMENT_DYNAMIC(QVGZoom, CObject)

QVGZoom::QVGZoom()
    : m_nMinIndex(0),
      m_nMaxIndex(0),
      m_nMinGroup(0),
      m_nMaxGroup(0),
      m_dFixedValueMin(0.0),
      m_dFixedValueMax(0.0),
      m_dFixedIndexMin(0.0),
      m_dFixedIndexMax(0.0),
      m_nPlace(0),
      m_pChart(nullptr)
{
}

void QVGZoom::Capture(QVGDisplayBase* pDisplay, int nPlace, QVGraph* pChart)
{
    pDisplay->GetDataRange(m_nMinIndex, m_nMaxIndex, m_nMinGroup, m_nMaxGroup);
    m_dFixedValueMin = pDisplay->GetFixedValueMin();
    m_dFixedValueMax = pDisplay->GetFixedValueMax();
    m_dFixedIndexMin = pDisplay->GetFixedIndexMin();
    m_dFixedIndexMax = pDisplay->GetFixedIndexMax();
    m_valueAxisRange = pDisplay->GetValueAxisRange();
    m_indexAxisRange = pDisplay->GetIndexAxisRange();
    m_nPlace = nPlace;
    m_pChart = pChart;
}

void QVGZoom::Restore(QVGDisplayBase* pDisplay) const
{
    auto restoreFixed = [&] {
        pDisplay->SetFixedValueMin(m_dFixedValueMin);
        pDisplay->SetFixedValueMax(m_dFixedValueMax);
        pDisplay->SetFixedIndexMin(m_dFixedIndexMin);
        pDisplay->SetFixedIndexMax(m_dFixedIndexMax);
    };
    pDisplay->SetDataRange(m_nMinIndex, m_nMaxIndex, m_nMinGroup, m_nMaxGroup);
    restoreFixed();
    pDisplay->SetValueAxisRange(m_valueAxisRange);
    pDisplay->SetIndexAxisRange(m_indexAxisRange);
    restoreFixed();
    pDisplay->SetChanged(TRUE);
}
