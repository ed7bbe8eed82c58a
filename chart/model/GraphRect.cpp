#include "chart/model/GraphRect.h"

#include "chart/model/Graph.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"

IMPLEMENT_SERIAL(QVGraphRect, CObject, VERSIONABLE_SCHEMA | 1)

void GetChartLogPixels(CDC* pDC, int& nLogPixelsX, int& nLogPixelsY)
{
    if (pDC != NULL && pDC->GetSafeHdc() != NULL) {
        nLogPixelsX = pDC->GetDeviceCaps(LOGPIXELSX);
        nLogPixelsY = pDC->GetDeviceCaps(LOGPIXELSY);
        return;
    }
    HDC hScreen = ::GetDC(NULL);
    nLogPixelsX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);
}

void GetMeasurementFactors(int nMeasurement, CDC* pDC, const CSize& area, double inchesPerMillimetre,
                           double& factorX, double& factorY)
{
    factorX = factorY = 1.0;
    switch (nMeasurement) {
    case QVGraphRect::millimetres:
    case QVGraphRect::inches: {
        int logX = 0, logY = 0;
        GetChartLogPixels(pDC, logX, logY);
        if (nMeasurement == QVGraphRect::millimetres) {
            factorX = logX * inchesPerMillimetre;
            factorY = logY * inchesPerMillimetre;
        } else {
            factorX = logX;
            factorY = logY;
        }
        break;
    }
    case QVGraphRect::percent:
        factorX = area.cx * 0.01;
        factorY = area.cy * 0.01;
        break;
    default:
        break;
    }
}

QVGraphRect::QVGraphRect()
    : m_dLeft(-1.0), m_dTop(-1.0), m_dRight(-1.0), m_dBottom(-1.0), m_pChart(NULL), m_nMeasurement(pixels),
      m_rectDevice(0, 0, 0, 0)
{
}

QVGraphRect::QVGraphRect(const QVGraphRect& other) : QVGraphRect()
{
    CopyFrom(other);
    m_pChart = other.m_pChart;
}

QVGraphRect& QVGraphRect::operator=(const QVGraphRect& other)
{
    CopyFrom(other);
    return *this;
}

void QVGraphRect::CopyFrom(const QVGraphRect& other)
{
    m_dLeft = other.m_dLeft;
    m_dTop = other.m_dTop;
    m_dRight = other.m_dRight;
    m_dBottom = other.m_dBottom;
    m_nMeasurement = other.m_nMeasurement;
    m_rectDevice = other.m_rectDevice;
}

void QVGraphRect::SetChart(QVGraph* pChart)
{
    m_pChart = pChart;
}

int QVGraphRect::GetMeasurement()
{
    return m_nMeasurement;
}

void QVGraphRect::SetMeasurement(int nMode)
{
    if (nMode != m_nMeasurement)
        m_rectDevice.SetRectEmpty();
    m_nMeasurement = nMode;
}

void QVGraphRect::SetValues(double left, double top, double right, double bottom)
{
    m_dLeft = left;
    m_dTop = top;
    m_dRight = right;
    m_dBottom = bottom;
    if (m_nMeasurement == pixels)
        m_rectDevice.SetRect(int(left), int(top), int(right), int(bottom));
    else
        m_rectDevice.SetRectEmpty();
}

void QVGraphRect::SetValuesFromRect(const RECT& rect)
{
    SetValues(rect.left, rect.top, rect.right, rect.bottom);
}

CRect QVGraphRect::ToDeviceRect(CDC* pDC, CWnd*)
{
    const CRect area = m_pChart != NULL ? m_pChart->GetDrawingArea() : CRect(0, 0, 0, 0);
    double factorX = 1.0, factorY = 1.0;
    GetMeasurementFactors(m_nMeasurement, pDC, area.Size(), kInchesPerMillimetreToDevice, factorX, factorY);
    CRect device(int(m_dLeft * factorX), int(m_dTop * factorY), int(m_dRight * factorX), int(m_dBottom * factorY));
    if (m_dLeft == -1.0)
        device.left = 0;
    if (m_dTop == -1.0)
        device.top = 0;
    if (m_dRight == -1.0)
        device.right = area.Width();
    if (m_dBottom == -1.0)
        device.bottom = area.Height();
    if (m_pChart != NULL && m_pChart->HasFixedRect())
        device.OffsetRect(area.left, area.top);
    m_rectDevice = device;
    return device;
}

CRect QVGraphRect::GetDeviceRect()
{
    return m_rectDevice;
}

void QVGraphRect::FromDeviceRect(const RECT& rect, CDC* pDC)
{
    CRect device(rect);
    const CRect area = m_pChart != NULL ? m_pChart->GetDrawingArea() : CRect(0, 0, 0, 0);
    if (m_pChart != NULL && m_pChart->HasFixedRect())
        device.OffsetRect(-area.left, -area.top);
    // Coming back, percent is of the chart's drawing size rather than the area of the last drawing.
    const CSize size = m_pChart != NULL && m_nMeasurement == percent ? m_pChart->GetDrawingSize() : CSize(0, 0);
    double factorX = 1.0, factorY = 1.0;
    GetMeasurementFactors(m_nMeasurement, pDC, size, kInchesPerMillimetreFromDevice, factorX, factorY);
    // A zero factor (an empty drawing area) leaves the values as they are rather than dividing by zero.
    if (factorX != 0.0) {
        m_dLeft = device.left / factorX;
        m_dRight = device.right / factorX;
    }
    if (factorY != 0.0) {
        m_dTop = device.top / factorY;
        m_dBottom = device.bottom / factorY;
    }
    m_rectDevice = rect;
}

void QVGraphRect::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_dLeft << m_dTop << m_dRight << m_dBottom << m_nMeasurement;
    else
        ar >> m_dLeft >> m_dTop >> m_dRight >> m_dBottom >> m_nMeasurement;
}
