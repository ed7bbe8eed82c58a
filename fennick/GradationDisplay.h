// The display of the grain-size and separator charts: a scatter display whose plot area and axes
// Fennick draws itself, the X axis labelled with sieve names unless it is logarithmic, and the
// vertical grid lines of the unnamed sieves dotted.
#pragma once

#include "chart/model/GraphDisplay.h"

class CGradationDisplay : public QVGraphDisplay
{
    DECLARE_SERIAL(CGradationDisplay)
public:
    CGradationDisplay();

    void Serialize(CArchive& ar) override;
    // (DrawPlotArea) The plot area filled and framed at once, tick marks outside it, grid lines at
    // the ticks: the vertical ones of the unnamed sieves dotted.
    void DrawCustomPlotArea() override;
    // (DrawAxes) The library's scatter scales, the plain X scale a sieve-size scale, with the Y step
    // of the display, even when both axis ranges are empty.
    void DrawCustomAxes() override;
    // The Y tick step, kept as the display base's second scale step too.
    virtual void SetYStep(double step);
    // The units of the sizes the chart was built from: its sieve names follow them, whatever plots
    // come after it.
    void SetMillimetres(BOOL bMillimetres) { m_bMillimetres = bMillimetres ? 1 : 0; }
    BOOL IsMillimetres() const { return m_bMillimetres; }

    double m_dYStep = 0.0;
    int m_bMillimetres = 0;

protected:
    double GetScaleStep(bool bFirst) override;
};
