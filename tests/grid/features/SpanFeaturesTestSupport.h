#pragma once
// The span features of a test's grid. The control factory installs them in every grid made after
// the library's start-up; a fixture's grid may be made before it, so its set-up installs them too.

#include "grid/core/GridCore.h"

inline void InstallSpanFeatures(CGXGridCore& grid)
{
    grid.InstallOldDrawing();
    grid.InstallCoveredCells();
    grid.InstallMergeCells();
    grid.InstallFloatCells();
}
