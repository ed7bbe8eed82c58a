#include "chart/model/GraphFeedback.h"

#include "framework/win/Gdi.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(QVGraphFeedback, CObject)

QVGraphFeedback::QVGraphFeedback(const POINT* pPoints, int nCount, int nIndex, int nGroup, QVGraph* pChart)
    : m_nIndex(nIndex), m_nGroup(nGroup), m_pChart(pChart), m_pRegion(new CRgn), m_nRadius(5), m_nKind(region)
{
    if (pPoints == NULL || nCount < 3 || !m_pRegion->CreatePolygonRgn(pPoints, nCount, ALTERNATE))
        m_pRegion->CreateRectRgn(0, 0, 0, 0);   // a degenerate polygon covers nothing
}

QVGraphFeedback::QVGraphFeedback(const RECT& rect, int nIndex, int nGroup, QVGraph* pChart)
    : m_nIndex(nIndex), m_nGroup(nGroup), m_pChart(pChart), m_pRegion(NULL), m_nRadius(0), m_rect(rect),
      m_nKind(rectangle)
{
}

QVGraphFeedback::QVGraphFeedback(POINT pt, int nRadius, int nIndex, int nGroup, QVGraph* pChart)
    : m_nIndex(nIndex), m_nGroup(nGroup), m_pChart(pChart), m_pRegion(NULL), m_nRadius(nRadius), m_point(pt),
      m_nKind(point)
{
}

QVGraphFeedback::~QVGraphFeedback()
{
    delete m_pRegion;
}

CPoint QVGraphFeedback::GetPoint()
{
    return m_point;
}

int QVGraphFeedback::GetRadius()
{
    return m_nRadius;
}

CRect QVGraphFeedback::GetRect()
{
    return m_rect;
}

int QVGraphFeedback::GetKind()
{
    return m_nKind;
}

BOOL QVGraphFeedback::HitTest(int x, int y)
{
    switch (m_nKind) {
    case region:
        return m_pRegion != NULL && m_pRegion->PtInRegion(x, y);
    case rectangle:
        return m_rect.PtInRect(CPoint(x, y));
    case point:
        return std::abs(x - m_point.x) < m_nRadius && std::abs(y - m_point.y) < m_nRadius;
    default:
        return FALSE;
    }
}
