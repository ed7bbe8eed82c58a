// The tick positions of a display's scales as Fennick's plot areas draw them: the device x of every
// tick of the X (first) scale, the device y of every tick of the Y (second) scale, in scale order.
#pragma once

#include "chart/model/AxisScale.h"

#include <vector>

inline std::vector<int> TickPositions(QVGDecimalScale* pScale, bool bHorizontal)
{
    std::vector<int> positions;
    QVGAnchorList* pAnchors = pScale != nullptr ? pScale->GetAnchorList() : nullptr;
    if (pAnchors == nullptr)
        return positions;
    for (POSITION pos = pAnchors->GetHeadPosition(); pos != nullptr;)
    {
        const CPoint anchor = pAnchors->GetNext(pos);
        positions.push_back(bHorizontal ? anchor.x : anchor.y);
    }
    return positions;
}
