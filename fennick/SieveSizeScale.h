// The X scale of the 0.45-power grain-size axis: its labels are the names of the standard sieves,
// in inches or in millimetres by the units of the chart's data, placed at size^0.45.
#pragma once

#include "chart/model/AxisScale.h"

class CSieveSizeScale : public QVGDecimalScale
{
    DECLARE_SERIAL(CSieveSizeScale)
public:
    enum { SieveCount = 22 };

    CSieveSizeScale();

    void GenerateLabels() override;

    // The names in millimetres rather than inches; the display gives the units of its chart's data.
    void SetMillimetres(BOOL bMillimetres) { m_bMillimetres = bMillimetres; }
    BOOL IsMillimetres() const { return m_bMillimetres; }

    // The sieve sizes in millimetres and their names (empty for a sieve shown without one).
    static double SieveSize(int i);
    static LPCTSTR SieveName(int i, bool bMillimetres);

private:
    BOOL m_bMillimetres = FALSE;
};
