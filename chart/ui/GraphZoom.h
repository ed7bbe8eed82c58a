// One zoom step of one display: what the display showed before the step, so that it can be given back.
#pragma once

#include "chart/model/RangeRecord.h"

class QVGDisplayBase;
class QVGraph;

class QVGZoom : public CObject
{
    DECLARE_DYNAMIC(QVGZoom)
public:
    QVGZoom();

    // Takes the display's data limits, axis ranges and fixed axis values. nPlace is the display's place
    // among the chart's displays, or its one's complement for every display after the first of a step.
    void Capture(QVGDisplayBase* pDisplay, int nPlace, QVGraph* pChart);
    // Gives them back: limits, fixed values, axis ranges, then the fixed values once more (setting a range
    // must not leave a fixed value changed), and marks the display changed.
    void Restore(QVGDisplayBase* pDisplay) const;

    // A negative place: more records of the same step lie below this one on the stack.
    BOOL IsFurtherDisplay() const { return m_nPlace < 0; }
    int GetDisplayPlace() const { return m_nPlace < 0 ? ~m_nPlace : m_nPlace; }

    CScale m_valueAxisRange;
    CScale m_indexAxisRange;
    CScale m_spareRange;
    int m_nMinIndex;
    int m_nMaxIndex;
    int m_nMinGroup;
    int m_nMaxGroup;
    double m_dFixedValueMin;
    double m_dFixedValueMax;
    double m_dFixedIndexMin;
    double m_dFixedIndexMax;
    int m_nPlace;
    QVGraph* m_pChart;
};
