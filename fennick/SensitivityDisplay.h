// The display of the sensitivity charts: a scatter display whose plot area and axes Fennick draws
// itself (the library calls them for the display's axis style), with fixed tick steps on both axes.
#pragma once

#include "chart/model/GraphDisplay.h"

class CSensitivityDisplay : public QVGraphDisplay
{
    DECLARE_SERIAL(CSensitivityDisplay)
public:
    CSensitivityDisplay();

    void Serialize(CArchive& ar) override;
    // (DrawPlotArea) The filled plot area, tick marks of both scales, solid grid lines at the ticks
    // and the frame.
    void DrawCustomPlotArea() override;
    // (DrawAxes) The library's scatter scales, with the display's own steps, even when both axis
    // ranges are empty.
    void DrawCustomAxes() override;

    // Fixed tick steps of the X and the Y scale; 0 is automatic.
    double m_dXStep = 0.0;
    double m_dYStep = 0.0;

protected:
    double GetScaleStep(bool bFirst) override;
};
