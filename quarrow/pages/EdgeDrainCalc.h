#pragma once

#include "framework/core/CString.h"
#include "quarrow/pages/PageCalcResult.h"

class CProjectData;

// The computations of the edge drain page, on the project record: the full-flow capacity of a pipe
// by Manning's equation, the spacing of its outlets by the discharge approach ("Infiltration",
// "Permeable" or "TTD"), and the capacity and outlet spacing of a geocomposite fin drain, found by
// fixed-point iteration in English units. Each checks its inputs first: a refused input shows its
// message and leaves the record as it was.
class CEdgeDrainCalc
{
public:
    // "Pipe flow" from S, D and n; empties "Outlet spacing".
    static CPageCalcResult PipeCapacity(CProjectData& data);
    // "Outlet spacing" from "Pipe flow"; qi is the page's design inflow (q_i, or q_i + q_m).
    static CPageCalcResult PipeSpacing(CProjectData& data, double qi);
    // "Pipe flow" and "Outlet spacing" of a fin drain; pnPasses, when given, receives the number of
    // passes the iteration took.
    static CPageCalcResult Geocomposite(CProjectData& data, double qi, int* pnPasses = nullptr);

    // A result as the page stores it: "%.1f" above 0.1, else "%.2e" (0.1 itself, 0, negatives).
    static CString FormatResult(double value);

    // The iteration stops here without a result; converging designs settle within a few passes.
    enum { GeocompositePassLimit = 1000 };
};
