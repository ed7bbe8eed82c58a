#pragma once

#include "quarrow/pages/PageCalcResult.h"

class CProjectData;

// The roadway geometry computations on the project record: the width of the permeable
// base W, the resultant slope Sr and the resultant length Lr. The roadway page runs them
// from its compute buttons and radio buttons, then refreshes its edits, buttons and the
// summary panel.
class CRoadwayCalc
{
public:
    // W = b/2 + c (geometry "A") or b + 2c; stores nothing when b or c is empty (the page
    // then disables its width button). Clears Lr and the results that hang on W.
    static CPageCalcResult CalcWidth(CProjectData& data);

    // Sr = sqrt(Sx^2 + S^2); clears Lr.
    static CPageCalcResult CalcResultantSlope(CProjectData& data);

    // Lr = W * sqrt(1 + (S/Sx)^2); a cross slope of 0 gives no length.
    static CPageCalcResult CalcResultantLength(CProjectData& data);

    // Geometry radio buttons: "A" or "B". Clears W and Lr and sets the transverse-joint
    // length from b.
    static void SetGeometry(CProjectData& data, const char* geometry);

    // Length of contributing transverse joints or cracks: b/2 for geometry "A", else b.
    static void SetTransverseCrackLength(CProjectData& data);

    // True when the record holds what the length button needs (W, S and Sx).
    static bool CanCalcResultantLength(const CProjectData& data);
};
