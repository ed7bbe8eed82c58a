// The X scale of the 0.45-power grain-size axis: its labels are the names of the standard sieves,
// in inches or in millimetres by the units of the last gradation plot, placed at size^0.45.
#pragma once

#include "chart/model/AxisScale.h"

class CSieveSizeScale : public QVGDecimalScale
{
    DECLARE_SERIAL(CSieveSizeScale)
public:
    enum { SieveCount = 22 };

    CSieveSizeScale();

    void GenerateLabels() override;

    // The sieve sizes in millimetres and their names (empty for a sieve shown without one).
    static double SieveSize(int i);
    static LPCTSTR SieveName(int i, bool bMillimetres);
};
