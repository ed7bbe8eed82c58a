// A component's position: four values in one of four measurement modes, and the device rectangle
// they gave last.
#pragma once

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

class CDC;
class CWnd;
class QVGraph;

class QVGraphRect : public CObject
{
    DECLARE_SERIAL(QVGraphRect)
public:
    enum Measurement { pixels = 0, millimetres = 1, inches = 2, percent = 3 };

    QVGraphRect();
    // Copies values, mode and device rectangle; the chart stays this object's own.
    QVGraphRect(const QVGraphRect& other);
    QVGraphRect& operator=(const QVGraphRect& other);

    void Serialize(CArchive& ar) override;

    virtual void SetChart(QVGraph* pChart);
    virtual int GetMeasurement();
    // The device rectangle is zeroed when the mode changes.
    virtual void SetMeasurement(int nMode);
    // In pixel mode the device rectangle follows the values, else it is zeroed.
    virtual void SetValues(double left, double top, double right, double bottom);
    virtual void SetValuesFromRect(const RECT& rect);
    // -1 is the edge of the chart's drawing area; a fixed chart rectangle moves the result by its origin.
    virtual CRect ToDeviceRect(CDC* pDC, CWnd* pView);
    virtual CRect GetDeviceRect();
    virtual void FromDeviceRect(const RECT& rect, CDC* pDC);

    void CopyFrom(const QVGraphRect& other);

    double m_dLeft;
    double m_dTop;
    double m_dRight;
    double m_dBottom;
    QVGraph* m_pChart;
    int m_nMeasurement;
    CRect m_rectDevice;
};

// LOGPIXELSX and LOGPIXELSY of the DC, or of the screen when there is none.
void GetChartLogPixels(CDC* pDC, int& nLogPixelsX, int& nLogPixelsY);

// Millimetres to inches at single precision going to the device, at double precision coming back: the
// two directions have always differed in the last digits (label anchors take the double one).
inline constexpr double kInchesPerMillimetreToDevice = 0.03937007933143675;
inline constexpr double kInchesPerMillimetreFromDevice = 0.03937007874015748;

// Device units per unit of a measurement along x and y: 1 for pixels, the DC's resolution for inches and
// millimetres (at the given inches per millimetre), a hundredth of the area for percent.
void GetMeasurementFactors(int nMeasurement, CDC* pDC, const CSize& area, double inchesPerMillimetre,
                           double& factorX, double& factorY);
