// Construction, sizes, data range, highlights and archiving of the component base.
#include "chart/model/GraphComponent.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <climits>
#include <cmath>

IMPLEMENT_SERIAL(QVGraphComponent, CObject, VERSIONABLE_SCHEMA | 1)

const COLORREF g_qvgColorTable[16] = {0xFF,     0x8000,   0xFF0000, 0xFFFF,   0xFFFF00, 0xFF00FF,
                                      0x80,     0x8080,   0x800000, 0x800080, 0x80FF,   0x80FF00,
                                      0xFF0080, 0xFF8000, 0x8000FF, 0xFF80};

namespace {
const double kRadiansPerDegree = 0.017453292222222222;
}  // namespace

QVGraphComponent::QVGraphComponent()
    : m_nBrushCode(-1),
      m_nPenCode(-1),
      m_nPenWidth(0),
      m_bVisible(0),
      m_bChanged(1),
      m_polygons(10),
      m_nAnnotationIndex(1),
      m_nReserved(0),
      m_nMaxIndex(-1),
      m_nMinIndex(-1),
      m_nMaxGroup(-1),
      m_nMinGroup(-1),
      m_nFirstIndex(0),
      m_nLastIndex(0),
      m_nIndexCount(0),
      m_nFirstGroup(0),
      m_nLastGroup(0),
      m_nGroupCount(0),
      m_nIndexStride(1),
      m_nGroupStride(1),
      m_dSize(5.0),
      m_dSizeY(5.0),
      m_dSizeX(5.0),
      m_pPen(NULL),
      m_pBrush(NULL),
      m_nColorCode(0),
      m_bDrawing(0),
      m_pView(NULL),
      m_pDC(NULL),
      m_pChart(NULL),
      m_nTypeId(IDS_QVG_COMPONENT),
      m_pPatternBitmap(NULL),
      m_bImageFile(0),
      m_bTemporary(0),
      m_pImageBitmap(NULL),
      m_nScreenLogPixelsX(0),
      m_nScreenLogPixelsY(0),
      m_pItemPen(NULL),
      m_pLabel(NULL),
      m_bSubComponent(0)
{
    // A component's own style: outlines and fills come from the component style word.
    m_style.m_nFlags = (m_style.m_nFlags & ~0xE) | 0x1;
}

QVGraphComponent::~QVGraphComponent()
{
    while (!m_polygons.IsEmpty())
        delete m_polygons.RemoveHead();
    delete m_pLabel;
    delete m_pPatternBitmap;
    delete m_pImageBitmap;
    delete m_pBrush;
}

BOOL QVGraphComponent::IsPrinting() const
{
    return QVGraph::IsPrinterDC(m_pDC);
}

int QVGraphComponent::ScreenLogPixelsX()
{
    if (m_nScreenLogPixelsX == 0)
        GetChartLogPixels(NULL, m_nScreenLogPixelsX, m_nScreenLogPixelsY);
    return m_nScreenLogPixelsX;
}

int QVGraphComponent::ScreenLogPixelsY()
{
    if (m_nScreenLogPixelsY == 0)
        GetChartLogPixels(NULL, m_nScreenLogPixelsX, m_nScreenLogPixelsY);
    return m_nScreenLogPixelsY;
}

double QVGraphComponent::GetDeviceScaleX(CDC* pDC)
{
    int logX = 0, logY = 0;
    GetChartLogPixels(pDC, logX, logY);
    return double(logX) / ScreenLogPixelsX();
}

double QVGraphComponent::GetDeviceScaleY(CDC* pDC)
{
    int logX = 0, logY = 0;
    GetChartLogPixels(pDC, logX, logY);
    return double(logY) / ScreenLogPixelsY();
}

void QVGraphComponent::Recalculate()
{
    switch (m_rect.GetMeasurement()) {
    case QVGraphRect::millimetres:
        m_dSize = 2.5;
        m_dSizeX = m_dSizeY = 5.0;
        break;
    case QVGraphRect::inches:
        m_dSize = 0.1;
        m_dSizeX = m_dSizeY = 0.2;
        break;
    case QVGraphRect::percent:
        m_dSize = 1.25;
        m_dSizeX = m_dSizeY = 2.5;
        break;
    default:
        m_dSize = 5.0;
        m_dSizeX = m_dSizeY = 10.0;
        break;
    }
}

namespace {
// A size in the measurement unit to device units while drawing; nAxis 0 = X, 1 = Y, 2 = either.
double SizeToDevice(QVGraphComponent* pComponent, double size, int nAxis)
{
    CDC* pDC = pComponent->GetDC();
    int logX = 0, logY = 0;
    GetChartLogPixels(pDC, logX, logY);
    const int logPixels = nAxis == 1 ? logY : logX;
    QVGraph* pChart = pComponent->GetChart();
    switch (pComponent->m_rect.GetMeasurement()) {
    case QVGraphRect::millimetres:
        return size * logPixels * kInchesPerMillimetreToDevice;
    case QVGraphRect::inches:
        return size * logPixels;
    case QVGraphRect::percent: {
        const CSize area = pChart != NULL ? pChart->GetDrawingArea().Size() : CSize(0, 0);
        return size * (nAxis == 1 ? area.cy : area.cx) * 0.01;
    }
    default:
        if (!pComponent->IsPrinting())
            return size;
        return size * std::max(pComponent->GetDeviceScaleX(pDC), pComponent->GetDeviceScaleY(pDC));
    }
}
}  // namespace

double QVGraphComponent::GetSizeY()
{
    return m_bDrawing ? SizeToDevice(this, m_dSizeY, 1) : m_dSizeY;
}

double QVGraphComponent::GetSizeX()
{
    return m_bDrawing ? SizeToDevice(this, m_dSizeX, 0) : m_dSizeX;
}

double QVGraphComponent::GetSize()
{
    return m_bDrawing ? SizeToDevice(this, m_dSize, 2) : m_dSize;
}

void QVGraphComponent::SetIndexStride(int nStride)
{
    m_nIndexStride = nStride;
}

int QVGraphComponent::GetIndexStride()
{
    return m_nIndexStride;
}

void QVGraphComponent::SetGroupStride(int nStride)
{
    m_nGroupStride = nStride;
}

int QVGraphComponent::GetGroupStride()
{
    return m_nGroupStride;
}

void QVGraphComponent::SetChart(QVGraph* pChart)
{
    m_pChart = pChart;
    m_rect.SetChart(pChart);
    if (pChart != NULL)
        m_nAnnotationIndex = pChart->GetLabelAnnotation();
}

void QVGraphComponent::SetFillImageName(LPCTSTR lpszName)
{
    m_style.SetImageName(lpszName);
}

void QVGraphComponent::SetFillValue(int nValue)
{
    m_style.m_dFillValue = nValue;
}

void QVGraphComponent::SetFillColors(COLORREF crFill1, COLORREF crFill2)
{
    m_style.m_crFill1 = crFill1;
    m_style.m_crFill2 = crFill2;
}

void QVGraphComponent::SetRectFrom(const QVGraphRect& rect)
{
    m_rect.CopyFrom(rect);
    Recalculate();
}

void QVGraphComponent::SetRect(double left, double top, double right, double bottom)
{
    m_rect.SetValues(left, top, right, bottom);
}

void QVGraphComponent::SetIntRect(const RECT& rect)
{
    m_rect.SetValuesFromRect(rect);
}

QVGraphRect* QVGraphComponent::GetRectObject()
{
    return &m_rect;
}

void QVGraphComponent::CopyRectTo(QVGraphRect& rect)
{
    rect.CopyFrom(m_rect);
}

QVGraphRect QVGraphComponent::GetRectCopy()
{
    QVGraphRect copy;
    copy.CopyFrom(m_rect);
    copy.SetChart(m_pChart);
    return copy;
}

CRect QVGraphComponent::GetDeviceRect()
{
    return m_rect.GetDeviceRect();
}

void QVGraphComponent::SetMeasurement(int nMode)
{
    m_rect.SetMeasurement(nMode);
    Recalculate();
}

void QVGraphComponent::OffsetPoints(POINT* pPoints, int nCount, int dx, int dy)
{
    for (int i = 0; i < nCount; ++i) {
        pPoints[i].x += dx;
        pPoints[i].y += dy;
    }
}

void QVGraphComponent::SetAnnotationIndex(int nIndex)
{
    m_nAnnotationIndex = nIndex == -1 ? GetChartAnnotationIndex() : nIndex;
}

int QVGraphComponent::GetInheritedAnnotationIndex()
{
    return m_nAnnotationIndex == -1 ? GetChartAnnotationIndex() : m_nAnnotationIndex;
}

int QVGraphComponent::GetChartAnnotationIndex()
{
    return m_pChart != NULL ? m_pChart->GetLabelAnnotation() : 1;
}

CSize QVGraphComponent::GetPointsExtent(const POINT* pPoints, int nCount)
{
    return BoundsOfPoints(pPoints, nCount).Size();
}

void QVGraphComponent::EndDrawing()
{
    m_bDrawing = 0;
    m_pDC = NULL;
    m_pView = NULL;
}

void QVGraphComponent::SetDrawContext(CDC* pDC, CWnd* pView)
{
    m_pDC = pDC;
    m_pView = pView;
    m_bDrawing = pDC != NULL;
}

BOOL QVGraphComponent::IsDrawing()
{
    return m_bDrawing;
}

CBitmap* QVGraphComponent::GetPatternBitmap()
{
    if (m_pPatternBitmap == NULL) {
        m_pPatternBitmap = new CBitmap;
        if (!LoadChartBitmap(*m_pPatternBitmap, IDB_QVG_PATTERN)) {
            delete m_pPatternBitmap;
            m_pPatternBitmap = NULL;
        }
    }
    return m_pPatternBitmap;
}

QVGraphComponent* QVGraphComponent::CreateLabel()
{
    return NULL;
}

CPen* QVGraphComponent::GetPen(int nStyle, int nWidth, COLORREF crColor)
{
    if (m_pChart != NULL)
        return m_pChart->GetPen(nStyle, nWidth, crColor);
    return NULL;
}

QVGCompiledPolygon* QVGraphComponent::LoadPolygon(LPCTSTR lpszName, LPCTSTR lpszType)
{
    return m_pChart != NULL ? m_pChart->LoadPolygon(lpszName, lpszType) : NULL;
}

BOOL QVGraphComponent::InDataRange(int nIndex, int nGroup)
{
    const bool indexOk =
        (m_nMinIndex == -1 && m_nMaxIndex == -1) || (m_nMinIndex <= nIndex && nIndex <= m_nMaxIndex);
    const bool groupOk = m_nMaxGroup == -1 || (m_nMinGroup <= nGroup && nGroup <= m_nMaxGroup);
    return indexOk && groupOk;
}

CPen* QVGraphComponent::GetDefaultPen()
{
    return GetPen(PS_SOLID, 1, RGB(0, 0, 0));
}

void QVGraphComponent::GetDataRange(int& nMinIndex, int& nMaxIndex, int& nMinGroup, int& nMaxGroup)
{
    nMinIndex = m_nMinIndex;
    nMaxIndex = m_nMaxIndex;
    nMinGroup = m_nMinGroup;
    nMaxGroup = m_nMaxGroup;
}

int QVGraphComponent::ResolveDataLimits()
{
    const int groups = m_pChart != NULL ? m_pChart->GetGroupCount() : 0;
    const int longest = m_pChart != NULL ? m_pChart->GetMaxGroupSize() : 0;
    // -1 is "no limit"; any other negative limit (an archive can bring one) counts the same, so no walk
    // starts billions of groups before the first.
    m_nFirstGroup = m_nMinGroup < 0 ? 0 : m_nMinGroup;
    m_nLastGroup = m_nMaxGroup < 0 ? groups - 1 : m_nMaxGroup;
    m_nFirstIndex = m_nMinIndex < 0 ? 0 : m_nMinIndex;
    m_nLastIndex = m_nMaxIndex < 0 ? longest - 1 : m_nMaxIndex;
    auto count = [](int first, int last) {
        return int(std::clamp<long long>((long long)last - first + 1, 0, INT_MAX));
    };
    m_nIndexCount = count(m_nFirstIndex, m_nLastIndex);
    m_nGroupCount = count(m_nFirstGroup, m_nLastGroup);
    return m_nIndexCount;
}

void QVGraphComponent::SetDataRange(int nMinIndex, int nMaxIndex, int nMinGroup, int nMaxGroup)
{
    m_nMinIndex = nMinIndex;
    m_nMaxIndex = nMaxIndex;
    m_nMinGroup = nMinGroup;
    m_nMaxGroup = nMaxGroup;
    m_bChanged = 1;
}

CPoint QVGraphComponent::RotatePoint(int x, int y, double angle, BOOL bRadians)
{
    const double radians = bRadians ? angle : angle * kRadiansPerDegree;
    const double c = std::cos(radians), s = std::sin(radians);
    // Half up for either sign, so a turn by a negative angle mirrors a turn by a positive one.
    return CPoint(int(std::floor(s * y + x * c + 0.5)), int(std::floor(y * c - x * s + 0.5)));
}

void QVGraphComponent::HighlightRed(QVGraphStyle& style)
{
    style.m_nLineWidth = 3;
    style.m_nLineStyle = (style.m_nLineStyle & ~0xB) | 0x4;
    style.m_crLineColor = RGB(255, 0, 0);
}

void QVGraphComponent::HighlightInverted(QVGraphStyle& style)
{
    style.m_nLineWidth = 3;
    style.m_nLineStyle = (style.m_nLineStyle & ~0xB) | 0x4;
    style.m_crLineColor ^= 0xFFFFFF;
}

void QVGraphComponent::HighlightSized(QVGraphStyle& style)
{
    style.SetOption(30, TRUE);
    style.m_dSymbolWidth = 3.0;
    style.m_dMarkerSize = 3.0;
}

CScale QVGraphComponent::GetSerialVersion()
{
    // A range whose minimum lies above its maximum cannot be a real range: it marks the version.
    CScale version;
    version.m_dMax = 0.0;
    version.m_dMin = 3.0;
    version.m_bEmpty = 1;
    return version;
}

// Reads the version record of a loading archive.
int QVGraphComponent::GetArchiveVersion(CArchive& ar)
{
    CScale record;
    record.Serialize(ar);
    if (record.m_bEmpty && record.m_dMin > record.m_dMax)
        return int(record.m_dMin);
    return -1;
}

void QVGraphComponent::Serialize(CArchive& ar)
{
    m_style.Serialize(ar);
    m_rect.Serialize(ar);
    if (ar.IsStoring()) {
        CScale version = GetSerialVersion();
        version.Serialize(ar);
        ar << m_nAnnotationIndex << m_nReserved << m_nMaxIndex << m_nMinIndex << m_nMaxGroup << m_nMinGroup;
        ar << m_dSize << m_dSizeY << m_dSizeX << m_nTypeId << m_nIndexStride << m_nGroupStride;
        return;
    }
    const int version = GetArchiveVersion(ar);
    ar >> m_nAnnotationIndex >> m_nReserved >> m_nMaxIndex >> m_nMinIndex >> m_nMaxGroup >> m_nMinGroup;
    ar >> m_dSize >> m_dSizeY >> m_dSizeX >> m_nTypeId;
    if (version > 1)
        ar >> m_nIndexStride >> m_nGroupStride;
    m_bChanged = 1;
}
