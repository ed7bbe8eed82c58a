#pragma once

#include "quarrow/pages/PageCalcResult.h"

class CProjectData;

// The drainage computations of the permeable base (time to drain, percent drained
// and saturation, depth of flow, discharge capacity, quality of drainage), on the
// project record. The permeable base page runs them from its compute buttons.
class CPermeableBaseCalc
{
public:
    // Time to drain in hours; Ufrac is the degree of drainage as a fraction, barber
    // non-zero selects Barber and Sawyer, zero Casagrande and Shannon. No checks.
    static double CalcTimeToDrain(double Ne, double k, double S, double L, double H, double Ufrac, int barber);

    // Depth of flow for inflow q through a base of permeability k (q and k in matching
    // units) on slope S over length L; 0.0 when k <= 0, S < 0 or L < 0.
    static double CalcDepthOfFlow(double q, double k, double S, double L);

    // Each reads its inputs from the record and writes its result into it.
    static CPageCalcResult TimeToDrain(CProjectData& data);         // "Time to drain"
    static CPageCalcResult PercentDrained(CProjectData& data);      // from "Percent saturation"
    static CPageCalcResult PercentSaturation(CProjectData& data);   // from "Percent drained"
    static CPageCalcResult MinThickness(CProjectData& data);        // "Base.Minimum Thickness"
    static CPageCalcResult DischargeCapacity(CProjectData& data);   // "Permeable base discharge rate"

    // Row 1 (Excellent) to 5 (Very Poor) of the quality-of-drainage table for the
    // record's time to drain and drainage criterion; 0 when the time is empty.
    static int DrainageQualityRow(const CProjectData& data);

    // The inflow field q of the depth-of-flow method: infiltration alone, or the total
    // inflow when meltwater is included.
    static CString& DesignInflow(CProjectData& data);
    static const CString& DesignInflow(const CProjectData& data);

    // Passes of the discharge search with its plain step of 0.1; after them the step
    // doubles until the depth passes the thickness, and four times as many passes end a
    // search that cannot settle.
    enum { DischargeSearchPassLimit = 10000 };
};
