// Tick marks: major strokes at a scale's anchor points, minor strokes between and beyond them.
#include "chart/model/TickMarks.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

IMPLEMENT_SERIAL(QVGTickMarks, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

namespace {
const double kQuarterTurn = 1.5707963267948966;
}  // namespace

QVGTickMarks::QVGTickMarks()
    : m_nMinorWidth(1),
      m_nMajorWidth(1),
      m_crMinor(0),
      m_crMajor(0),
      m_nSide(0),
      m_nMajorLength(5),
      m_dMinorRatio(0.75),
      m_pAnchors(NULL),
      m_rectExtent(0, 0, 0, 0),
      m_nMinorCount(0)
{
    m_nTypeId = IDS_QVG_TICK_MARKS;
    // Marks follow the axis; their rectangle draws no fill, border or shadow of its own.
    m_style.m_nComponentStyle = 0;
}

QVGTickMarks::~QVGTickMarks() {}

void QVGTickMarks::Serialize(CArchive& ar)
{
    QVGraphComponent::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nMinorWidth << m_nMajorWidth << int(m_crMinor) << int(m_crMajor) << m_nSide << m_nMajorLength;
        ar << m_dMinorRatio << m_nMinorCount;
        return;
    }
    int minor = 0, major = 0;
    ar >> m_nMinorWidth >> m_nMajorWidth >> minor >> major >> m_nSide >> m_nMajorLength;
    ar >> m_dMinorRatio >> m_nMinorCount;
    m_crMinor = COLORREF(minor);
    m_crMajor = COLORREF(major);
}

CPoint QVGTickMarks::OffsetPoint(int x, int y, int nLength, double angle)
{
    return CPoint(x + int(std::floor(nLength * std::cos(angle) + 0.5)), y + int(std::floor(nLength * std::sin(angle) + 0.5)));
}

void QVGTickMarks::OffsetByTickLength(CPoint& p1, CPoint& p2)
{
    const int length = std::max(m_nMajorLength, GetMinorLength());
    double angle = LineAngle(p1.x, p1.y, p2.x, p2.y) - kQuarterTurn;
    if (m_nSide != 0)
        angle += 2 * kQuarterTurn;
    p1 = OffsetPoint(p1.x, p1.y, length, angle);
    p2 = OffsetPoint(p2.x, p2.y, length, angle);
}

void QVGTickMarks::DrawTick(int x, int y, int nLength, double angle, int nWidth, COLORREF crColor)
{
    if (m_pDC == NULL)
        return;
    // The chart's pens: cached, and no wider than a page (a width read from an archive can be any).
    CPen own;
    CPen* pPen = GetPen(PS_SOLID, nWidth, crColor);
    if (pPen == NULL) {
        own.CreatePen(PS_SOLID, std::clamp(nWidth, 0, 2000), crColor);
        pPen = &own;
    }
    CPen* pOld = m_pDC->SelectObject(pPen);
    const CPoint end = OffsetPoint(x, y, nLength, angle);
    m_pDC->MoveTo(x, y);
    m_pDC->LineTo(end);
    m_pDC->SelectObject(pOld);
}

void QVGTickMarks::Draw(CDC* pDC, CWnd* pView)
{
    if (!m_bVisible)
        return;
    QVGraphComponent::Draw(pDC, pView);
}

void QVGTickMarks::DrawContent()
{
    if (!m_bVisible || m_pDC == NULL || m_pAnchors == NULL || m_pAnchors->IsEmpty())
        return;
    std::vector<CPoint> anchors;
    for (POSITION pos = m_pAnchors->GetHeadPosition(); pos != NULL;)
        anchors.push_back(m_pAnchors->GetNext(pos));
    const CPoint p0 = anchors.front();
    const CPoint pn = anchors.back();
    const CPoint p1 = anchors.size() >= 2 ? anchors[1] : pn;
    int spacing = p1.x - p0.x;
    if (spacing == 0)
        spacing = p0.y - p1.y;
    const double angle = LineAngle(p0.x, p0.y, pn.x, pn.y) + (m_nSide != 0 ? kQuarterTurn : -kQuarterTurn);
    int major = m_nMajorLength;
    int minor = GetMinorLength();
    if (IsSubComponent() && IsPrinting()) {
        const double scale = std::abs(pn.y - p0.y) > std::abs(pn.x - p0.x) ? GetDeviceScaleX(m_pDC)
                                                                            : GetDeviceScaleY(m_pDC);
        major = int(major * scale + 0.5);
        minor = int(minor * scale + 0.5);
    }
    const bool rightwards = pn.x - p0.x >= 1;
    const bool vertical = pn.x == p0.x;
    CRect extent = m_rectExtent;
    if (extent.IsRectNull()) {
        extent.SetRect(p0.x, p0.y, pn.x, pn.y);
        extent.NormalizeRect();
    }
    // More minor marks than device units between two anchors would only draw over each other (and an
    // archive can ask for billions).
    const int count = std::min(m_nMinorCount, std::abs(spacing));
    auto minorAt = [&](const CPoint& from, const CPoint& to, int k) {
        return CPoint(from.x + k * (to.x - from.x) / (count + 1), from.y + k * (to.y - from.y) / (count + 1));
    };
    for (size_t i = 0; i < anchors.size(); ++i) {
        const CPoint& p = anchors[i];
        DrawTick(p.x, p.y, major, angle, m_nMajorWidth, m_crMajor);
        if (count <= 0)
            continue;
        if (i == 0) {
            if (!rightwards && !vertical)
                continue;
            const CPoint previous = rightwards ? CPoint(p.x - spacing, p.y) : CPoint(p.x, p.y + spacing);
            for (int k = 1; k <= count; ++k) {
                const CPoint q = minorAt(previous, p, k);
                if (rightwards ? q.x > extent.left : q.y < extent.bottom)
                    DrawTick(q.x, q.y, minor, angle, m_nMinorWidth, m_crMinor);
            }
        } else {
            for (int k = 1; k <= count; ++k) {
                const CPoint q = minorAt(anchors[i - 1], p, k);
                DrawTick(q.x, q.y, minor, angle, m_nMinorWidth, m_crMinor);
            }
        }
    }
    if (count > 0 && (rightwards || vertical)) {
        const CPoint next = rightwards ? CPoint(pn.x + spacing, pn.y) : CPoint(pn.x, pn.y - spacing);
        for (int k = 1; k <= count; ++k) {
            const CPoint q = minorAt(pn, next, k);
            if (rightwards ? q.x < extent.right : q.y > extent.top)
                DrawTick(q.x, q.y, minor, angle, m_nMinorWidth, m_crMinor);
        }
    }
}

void QVGTickMarks::SetMinorCount(int nCount)
{
    m_nMinorCount = nCount;
}

int QVGTickMarks::GetMinorCount()
{
    return m_nMinorCount;
}

void QVGTickMarks::SetMinorColour(COLORREF crColor)
{
    m_crMinor = crColor;
}

COLORREF QVGTickMarks::GetMinorColour()
{
    return m_crMinor;
}

void QVGTickMarks::SetMajorColour(COLORREF crColor)
{
    m_crMajor = crColor;
}

COLORREF QVGTickMarks::GetMajorColour()
{
    return m_crMajor;
}

void QVGTickMarks::SetMajorWidth(int nWidth)
{
    m_nMajorWidth = nWidth;
}

int QVGTickMarks::GetMajorWidth()
{
    return m_nMajorWidth;
}

void QVGTickMarks::SetMinorWidth(int nWidth)
{
    m_nMinorWidth = nWidth;
}

int QVGTickMarks::GetMinorWidth()
{
    return m_nMinorWidth;
}

void QVGTickMarks::SetScaleSource(QVGAnchorList* pAnchors)
{
    m_pAnchors = pAnchors;
}

QVGAnchorList* QVGTickMarks::GetScaleSource()
{
    return m_pAnchors;
}

void QVGTickMarks::SetSide(int nSide)
{
    m_nSide = nSide;
}

int QVGTickMarks::GetSide()
{
    return m_nSide;
}

void QVGTickMarks::SetTickSize(int nLength)
{
    m_nMajorLength = nLength;
}

int QVGTickMarks::GetTickSize()
{
    return m_nMajorLength;
}

void QVGTickMarks::SetMinorRatio(double ratio)
{
    m_dMinorRatio = ratio;
}

double QVGTickMarks::GetMinorRatio()
{
    return m_dMinorRatio;
}

void QVGTickMarks::SetExtentRect(const CRect& rect)
{
    m_rectExtent = rect;
}

CRect QVGTickMarks::GetExtentRect()
{
    return m_rectExtent;
}
