#include "chart/model/CompiledPolygon.h"

#include "chart/model/ChartArchive.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>
#include <iterator>

IMPLEMENT_SERIAL(QVGCoordinate, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(QVGCompiledPolygon, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
// Degrees to radians as the library has always converted them.
const double kRadiansPerDegree = 0.017453292222222222;

// Half up for either sign: truncating value + 0.5 would pull every negative coordinate one unit
// towards zero and make symmetric shapes lopsided.
int Round(double value)
{
    return int(std::floor(value + 0.5));
}

const double kTriangle[][2] = {{0, -50}, {25, 50}, {-25, 50}, {0, -50}};
// The third corner repeats the first: the shape has always been drawn this way.
const double kDiamond[][2] = {{0, -10}, {10, 0}, {0, -10}, {-10, 0}, {0, -10}};
const double kBox[][2] = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}, {-5, -5}};
}  // namespace

const double QVGCompiledPolygon::s_flashVertices[17][2] = {
    {-25, -10}, {-15, -5}, {0, -10}, {15, -5}, {25, -10},  {20, -3},  {25, 0},   {20, 3},   {25, 10},
    {15, 5},    {0, 10},   {-15, 5}, {-25, 10}, {-20, 3},  {-25, 0},  {-20, -3}, {-25, -10}};

QVGCoordinate::QVGCoordinate() : m_dX(0.0), m_dY(0.0) {}

QVGCoordinate::QVGCoordinate(double x, double y) : m_dX(x), m_dY(y) {}

void QVGCoordinate::SetXInt(int x)
{
    m_dX = x;
}

void QVGCoordinate::SetX(double x)
{
    m_dX = x;
}

double QVGCoordinate::GetX()
{
    return m_dX;
}

void QVGCoordinate::SetYInt(int y)
{
    m_dY = y;
}

void QVGCoordinate::SetY(double y)
{
    m_dY = y;
}

double QVGCoordinate::GetY()
{
    return m_dY;
}

void QVGCoordinate::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_dX << m_dY;
    else
        ar >> m_dX >> m_dY;
}

QVGCompiledPolygon::QVGCompiledPolygon()
    : m_dScaleX(1.0), m_dScaleY(1.0), m_bRotated(0), m_dAngle(0.0), m_nCapacity(0), m_coordinates(10), m_bDirty(1)
{
}

QVGCompiledPolygon::QVGCompiledPolygon(int nStockShape) : QVGCompiledPolygon()
{
    switch (nStockShape) {
    case circle:
        MakeRegular(18);
        break;
    case triangle:
        AddPoints(kTriangle, int(std::size(kTriangle)));
        break;
    case flash:
        AddPoints(s_flashVertices, int(std::size(s_flashVertices)));
        break;
    case hexagon:
        MakeRegular(6);
        break;
    case pentagon:
        MakeRegular(5);
        break;
    case diamond:
        AddPoints(kDiamond, int(std::size(kDiamond)));
        break;
    default:
        AddPoints(kBox, int(std::size(kBox)));
        break;
    }
    EnsureCapacity();
    GetPoints();
}

QVGCompiledPolygon::~QVGCompiledPolygon()
{
    RemoveCoordinates();
}

void QVGCompiledPolygon::RemoveCoordinates()
{
    while (!m_coordinates.IsEmpty())
        delete m_coordinates.RemoveHead();
    m_bDirty = 1;
}

void QVGCompiledPolygon::AddPoints(const double (*points)[2], int nCount)
{
    for (int i = 0; i < nCount; ++i)
        AddPoint(points[i][0], points[i][1]);
}

void QVGCompiledPolygon::EnsureCapacity()
{
    const int count = GetPointCount();
    if (count <= m_nCapacity)
        return;
    m_nCapacity = count <= 128 ? 128 : ((count - 129) / 128 + 2) * 128;
    m_points.assign(size_t(m_nCapacity), POINT{0, 0});
}

void QVGCompiledPolygon::SetScaleX(double scale)
{
    m_dScaleX = scale;
}

double QVGCompiledPolygon::GetScaleX()
{
    return m_dScaleX;
}

void QVGCompiledPolygon::SetScaleY(double scale)
{
    m_dScaleY = scale;
}

double QVGCompiledPolygon::GetScaleY()
{
    return m_dScaleY;
}

void QVGCompiledPolygon::SetRotatedFlag(BOOL bRotated)
{
    m_bRotated = bRotated ? 1 : 0;
}

void QVGCompiledPolygon::SetAngle(double degrees)
{
    m_dAngle = degrees;
}

double QVGCompiledPolygon::GetAngle()
{
    return m_dAngle;
}

void QVGCompiledPolygon::MakeRegular(int n)
{
    if (n <= 0)
        return;
    const int step = 360 / n;
    for (int i = 0; i < n; ++i) {
        const double angle = double(i * step) * kRadiansPerDegree;
        AddPoint(100.0 * std::sin(angle) - 50.0, 100.0 * std::cos(angle) - 50.0);
    }
    const QVGCoordinate* pFirst = static_cast<QVGCoordinate*>(m_coordinates.GetHead());
    AddPoint(pFirst->m_dX, pFirst->m_dY);
}

void QVGCompiledPolygon::SetRotation(double degrees)
{
    m_dAngle = degrees == 0.0 ? 0.0 : degrees;
    m_bRotated = degrees != 0.0;
    m_bDirty = 1;
}

void QVGCompiledPolygon::FitToRect(const RECT& rect)
{
    EnsureCapacity();
    const int count = GetPointCount();
    if (count == 0)
        return;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool first = true;
    for (POSITION pos = m_coordinates.GetHeadPosition(); pos != NULL;) {
        const QVGCoordinate* p = static_cast<QVGCoordinate*>(m_coordinates.GetNext(pos));
        if (first) {
            minX = maxX = p->m_dX;
            minY = maxY = p->m_dY;
            first = false;
        } else {
            minX = std::min(minX, p->m_dX);
            maxX = std::max(maxX, p->m_dX);
            minY = std::min(minY, p->m_dY);
            maxY = std::max(maxY, p->m_dY);
        }
    }
    // A flat shape keeps its one coordinate at the rectangle's edge instead of dividing by zero.
    const double rangeX = maxX > minX ? maxX - minX : 1.0;
    const double rangeY = maxY > minY ? maxY - minY : 1.0;
    const double width = rect.right - rect.left;
    const double height = rect.bottom - rect.top;
    int i = 0;
    for (POSITION pos = m_coordinates.GetHeadPosition(); pos != NULL; ++i) {
        const QVGCoordinate* p = static_cast<QVGCoordinate*>(m_coordinates.GetNext(pos));
        m_points[size_t(i)].x = Round(rect.left + (p->m_dX - minX) / rangeX * width);
        m_points[size_t(i)].y = Round(rect.bottom - (p->m_dY - minY) / rangeY * height);
    }
    m_bDirty = 0;
}

void QVGCompiledPolygon::Transform(int dx, int dy)
{
    EnsureCapacity();
    const bool rotate = m_bRotated && m_dAngle != 0.0;
    const double radians = m_dAngle * kRadiansPerDegree;
    const double c = std::cos(radians), s = std::sin(radians);
    int i = 0;
    for (POSITION pos = m_coordinates.GetHeadPosition(); pos != NULL; ++i) {
        const QVGCoordinate* p = static_cast<QVGCoordinate*>(m_coordinates.GetNext(pos));
        double x = Round(m_dScaleX * p->m_dX);
        double y = Round(m_dScaleY * p->m_dY);
        if (rotate) {
            const double rx = x * c + y * s;
            const double ry = y * c - x * s;
            x = rx;
            y = ry;
        }
        m_points[size_t(i)].x = Round(x + dx);
        m_points[size_t(i)].y = Round(y + dy);
    }
    m_bDirty = 0;
}

const CString& QVGCompiledPolygon::GetName()
{
    return m_strName;
}

void QVGCompiledPolygon::SetName(LPCTSTR lpszName)
{
    m_strName = lpszName;
}

POINT* QVGCompiledPolygon::GetPoints()
{
    EnsureCapacity();
    if (m_bDirty) {
        int i = 0;
        for (POSITION pos = m_coordinates.GetHeadPosition(); pos != NULL; ++i) {
            const QVGCoordinate* p = static_cast<QVGCoordinate*>(m_coordinates.GetNext(pos));
            m_points[size_t(i)].x = Round(p->m_dX);
            m_points[size_t(i)].y = Round(p->m_dY);
        }
        m_bDirty = 0;
    }
    return m_points.empty() ? NULL : m_points.data();
}

void QVGCompiledPolygon::AddPointInt(int x, int y)
{
    AddPoint(double(x), double(y));
}

void QVGCompiledPolygon::AddPoint(double x, double y)
{
    AddCoordinate(new QVGCoordinate(x, y));
}

void QVGCompiledPolygon::AddCoordinate(QVGCoordinate* pCoordinate)
{
    m_coordinates.AddTail(pCoordinate);
    m_bDirty = 1;
}

int QVGCompiledPolygon::GetPointCount()
{
    return int(m_coordinates.GetCount());
}

void QVGCompiledPolygon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dScaleX << m_dScaleY << m_bRotated << m_dAngle << m_strName << int(m_coordinates.GetCount());
        for (POSITION pos = m_coordinates.GetHeadPosition(); pos != NULL;)
            m_coordinates.GetNext(pos)->Serialize(ar);
        return;
    }
    RemoveCoordinates();
    ar >> m_dScaleX >> m_dScaleY >> m_bRotated >> m_dAngle >> m_strName;
    const int count = ReadChartCount(ar, 16);   // two doubles a coordinate
    for (int i = 0; i < count; ++i) {
        QVGCoordinate* pCoordinate = new QVGCoordinate;
        m_coordinates.AddTail(pCoordinate);
        pCoordinate->Serialize(ar);
    }
    m_bDirty = 1;
}
