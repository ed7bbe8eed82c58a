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
