// The grain-size chart (plot type 12) and the separator charts (types 10 and 11).
// Not drawn yet: their documents open with an empty chart.
#include "fennick/FennickDoc.h"

BOOL CFennickDoc::BuildGradationPlot(LPCTSTR)
{
    BeginChart();
    return FALSE;
}

BOOL CFennickDoc::BuildSeparatorPlot(LPCTSTR)
{
    BeginChart();
    return FALSE;
}
