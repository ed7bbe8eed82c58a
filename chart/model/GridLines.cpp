// Grid lines: major lines across the plot at a scale's anchor points, minor lines between and beyond.
#include "chart/model/GridLines.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

IMPLEMENT_SERIAL(QVGGridLines, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

namespace {
// Three-dimensional kinds of a grid line (high byte of the line-style word).
int ChooseKind(int nGraphType)
{
    switch (nGraphType) {
    case 0x12: case 0x17: case 0x1a: case 0x1b: return 14;
    case 0x0f: case 0x10: return 11;
    case 0x02: case 0x0c: case 0x16: case 0x1e: return 10;
    case 0x04: case 0x0d: return 9;
    case 0x09: case 0x0a: case 0x11: return 6;
    default: return 2;
    }
}
}  // namespace

QVGGridLines::QVGGridLines()
    : m_nMinorCount(0),
      m_nMajorStyle(PS_SOLID),
      m_nMinorStyle(PS_SOLID),
      m_nMajorWidth(1),
      m_nMinorWidth(1),
      m_pAnchors(NULL),
      m_crMajor(0x808000),
      m_crMinor(0x808000),
      m_nOrientation(0),
      m_rectExtent(0, 0, 0, 0),
      m_pMinorPen(NULL),
      m_pMajorPen(NULL),
      m_nDepth(10),
      m_bUseDepth(FALSE)
{
    m_nTypeId = IDS_QVG_GRID_LINES;
    // Lines cross the plot; their rectangle draws no fill, border or shadow of its own.
    m_style.m_nComponentStyle = 0;
    m_valueDataRange.Include(2.0);
    m_valueDataRange.Include(0.0);
}

QVGGridLines::~QVGGridLines() {}

void QVGGridLines::Serialize(CArchive& ar)
{
    QVGraphComponent::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nMajorStyle << m_nMinorStyle << m_nMajorWidth << m_nMinorWidth << int(m_crMajor) << int(m_crMinor);
        ar << m_nOrientation << m_nMinorCount;
        return;
    }
    int major = 0, minor = 0;
    ar >> m_nMajorStyle >> m_nMinorStyle >> m_nMajorWidth >> m_nMinorWidth >> major >> minor;
    // Always written, so always read: skipping it by schema would shift every later field.
    ar >> m_nOrientation >> m_nMinorCount;
    m_crMajor = COLORREF(major);
    m_crMinor = COLORREF(minor);
}

CPen* QVGGridLines::MakePen(CPen* pGiven, int nStyle, int nWidth, COLORREF crColor, const std::vector<DWORD>& dashes,
                            bool& bCreated)
{
    bCreated = false;
    if (pGiven != NULL)
        return pGiven;
    if (nStyle == styleUserDash && !dashes.empty()) {
        LOGBRUSH brush = {BS_SOLID, crColor, 0};
        CPen* pPen = new CPen;
        if (!pPen->CreatePen(PS_GEOMETRIC | PS_USERSTYLE, std::max(nWidth, 1), &brush, int(dashes.size()),
                             dashes.data())) {
            delete pPen;
            return GetPen(PS_SOLID, nWidth, crColor);
        }
        bCreated = true;
        return pPen;
    }
    return GetPen(nStyle == styleUserDash ? PS_SOLID : nStyle, nWidth, crColor);
}

void QVGGridLines::DrawHorizontalGridLine(int x, int y, CPen* pPen)
{
    DrawGridLine(x, y, pPen, true);
}

void QVGGridLines::DrawVerticalGridLine(int x, int y, CPen* pPen)
{
    DrawGridLine(x, y, pPen, false);
}

void QVGGridLines::DrawGridLine(int x, int y, CPen* pPen, bool bHorizontal)
{
    if (m_pDC == NULL || pPen == NULL)
        return;
    int kind = int((unsigned(m_style.m_nLineStyle) >> 24) & 0xFF);
    if (kind == 1) {
        kind = ChooseKind(m_style.GetGraphType());
        m_style.SetAxisStyle(kind);
        m_bChanged = 1;
    }
    CRect extent = m_rectExtent;
    extent.NormalizeRect();
    CPoint from(x, y);
    CPoint to;
    // Away from the edge the point lies on, across the whole rectangle.
    if (bHorizontal) {
        const int width = extent.Width();
        to = std::abs(x - extent.left) <= std::abs(x - extent.right) ? CPoint(x + width, y) : CPoint(x - width, y);
    } else {
        const int height = extent.Height();
        to = std::abs(y - extent.bottom) <= std::abs(y - extent.top) ? CPoint(x, y - height) : CPoint(x, y + height);
    }
    CPen* pOld = m_pDC->SelectObject(pPen);
    switch (kind) {
    case 0: case 4: case 5: case 6: case 7: case 9: case 14: case 17:
        break;
    case 11: case 13: case 16: case 20: case 21: case 22: {
        // On the back wall: into the depth first, then across.
        const int depth = m_bUseDepth ? m_nDepth : 10;
        const CPoint offset(int(std::floor(depth * GetDeviceScaleX(m_pDC) + 0.5)),
                            -int(std::floor(depth * GetDeviceScaleY(m_pDC) + 0.5)));
        m_pDC->MoveTo(from);
        m_pDC->LineTo(from + offset);
        m_pDC->LineTo(to + offset);
        break;
    }
    default:
        m_pDC->MoveTo(from);
        m_pDC->LineTo(to);
        break;
    }
    m_pDC->SelectObject(pOld);
}

void QVGGridLines::DrawContent()
{
    if (!m_bVisible || m_pDC == NULL || m_pAnchors == NULL || m_pAnchors->IsEmpty())
        return;
    bool majorCreated = false, minorCreated = false;
    CPen* pMajor = MakePen(m_pMajorPen, m_nMajorStyle, m_nMajorWidth, m_crMajor, m_majorDashes, majorCreated);
    CPen* pMinor = MakePen(m_pMinorPen, m_nMinorStyle, m_nMinorWidth, m_crMinor, m_minorDashes, minorCreated);
    const int oldMode = m_pDC->SetBkMode(TRANSPARENT);

    std::vector<CPoint> anchors;
    for (POSITION pos = m_pAnchors->GetHeadPosition(); pos != NULL;)
        anchors.push_back(m_pAnchors->GetNext(pos));
    const bool horizontal = m_nOrientation == 0;
    const CPoint p0 = anchors.front();
    const CPoint pn = anchors.back();
    const CPoint p1 = anchors.size() >= 2 ? anchors[1] : pn;
    // Minor lines step along y for horizontal lines, along x for vertical ones.
    const int spacing = horizontal ? p0.y - p1.y : p1.x - p0.x;
    CRect extent = m_rectExtent;
    extent.NormalizeRect();
    // More minor lines than device units between two anchors would only draw over each other (and an
    // archive can ask for billions).
    const int count = std::min(m_nMinorCount, std::abs(spacing));
    auto draw = [&](const CPoint& p, CPen* pPen) {
        if (horizontal)
            DrawHorizontalGridLine(p.x, p.y, pPen);
        else
            DrawVerticalGridLine(p.x, p.y, pPen);
    };
    auto minorAt = [&](const CPoint& from, const CPoint& to, int k) {
        return CPoint(from.x + k * (to.x - from.x) / (count + 1), from.y + k * (to.y - from.y) / (count + 1));
    };
    for (size_t i = 0; i < anchors.size(); ++i) {
        const CPoint& p = anchors[i];
        draw(p, pMajor);
        if (count <= 0)
            continue;
        if (i == 0) {
            const CPoint previous = horizontal ? CPoint(p.x, p.y + spacing) : CPoint(p.x - spacing, p.y);
            for (int k = 1; k <= count; ++k) {
                const CPoint q = minorAt(previous, p, k);
                if (horizontal ? q.y < extent.bottom : q.x > extent.left)
                    draw(q, pMinor);
            }
        } else {
            for (int k = 1; k <= count; ++k)
                draw(minorAt(anchors[i - 1], p, k), pMinor);
        }
    }
    if (count > 0) {
        const CPoint next = horizontal ? CPoint(pn.x, pn.y - spacing) : CPoint(pn.x + spacing, pn.y);
        for (int k = 1; k <= count; ++k) {
            const CPoint q = minorAt(pn, next, k);
            if (horizontal ? q.y > extent.top : q.x < extent.right)
                draw(q, pMinor);
        }
    }
    m_pDC->SetBkMode(oldMode);
    if (majorCreated)
        delete pMajor;
    if (minorCreated)
        delete pMinor;
}

void QVGGridLines::SetMajorDashCount(int nCount)
{
    m_majorDashes.resize(size_t(std::max(nCount, 0)), 1);
}

int QVGGridLines::GetMajorDashCount()
{
    return int(m_majorDashes.size());
}

void QVGGridLines::SetMinorCount(int nCount)
{
    m_nMinorCount = nCount;
}

int QVGGridLines::GetMinorCount()
{
    return m_nMinorCount;
}

void QVGGridLines::SetMinorPen(CPen* pPen)
{
    m_pMinorPen = pPen;
}

void QVGGridLines::SetMajorPen(CPen* pPen)
{
    m_pMajorPen = pPen;
}

void QVGGridLines::SetMajorDashArray(const DWORD* pDashes, int nCount)
{
    m_majorDashes.assign(pDashes, pDashes + std::max(nCount, 0));
}

void QVGGridLines::SetMinorDashArray(const DWORD* pDashes, int nCount)
{
    m_minorDashes.assign(pDashes, pDashes + std::max(nCount, 0));
}

CPen* QVGGridLines::GetMinorPen()
{
    return m_pMinorPen;
}

CPen* QVGGridLines::GetMajorPen()
{
    return m_pMajorPen;
}

const DWORD* QVGGridLines::GetMajorDashArray()
{
    return m_majorDashes.empty() ? NULL : m_majorDashes.data();
}

const DWORD* QVGGridLines::GetMinorDashArray()
{
    return m_minorDashes.empty() ? NULL : m_minorDashes.data();
}

void QVGGridLines::SetExtentRect(const CRect& rect)
{
    m_rectExtent = rect;
}

CRect QVGGridLines::GetExtentRect()
{
    return m_rectExtent;
}

void QVGGridLines::SetOrientation(int nOrientation)
{
    m_nOrientation = nOrientation;
}

int QVGGridLines::GetOrientation()
{
    return m_nOrientation;
}

void QVGGridLines::SetAnchorList(QVGAnchorList* pAnchors)
{
    m_pAnchors = pAnchors;
}

QVGAnchorList* QVGGridLines::GetAnchorList()
{
    return m_pAnchors;
}

void QVGGridLines::SetMajorColour(COLORREF crColor)
{
    m_crMajor = crColor;
}

void QVGGridLines::SetMinorColour(COLORREF crColor)
{
    m_crMinor = crColor;
}

void QVGGridLines::SetMajorWidth(int nWidth)
{
    m_nMajorWidth = nWidth;
}

void QVGGridLines::SetMinorWidth(int nWidth)
{
    m_nMinorWidth = nWidth;
}

void QVGGridLines::SetMajorStyle(int nStyle)
{
    m_nMajorStyle = nStyle;
}

void QVGGridLines::SetMinorStyle(int nStyle)
{
    m_nMinorStyle = nStyle;
}

COLORREF QVGGridLines::GetMajorColour()
{
    return m_crMajor;
}

COLORREF QVGGridLines::GetMinorColour()
{
    return m_crMinor;
}

int QVGGridLines::GetMajorWidth()
{
    return m_nMajorWidth;
}

int QVGGridLines::GetMinorWidth()
{
    return m_nMinorWidth;
}

int QVGGridLines::GetMajorStyle()
{
    return m_nMajorStyle;
}

int QVGGridLines::GetMinorStyle()
{
    return m_nMinorStyle;
}
