// One hit-test record that a display leaves while drawing: which screen area shows which data item.
#pragma once

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

class CRgn;
class QVGraph;

class QVGraphFeedback : public CObject
{
    DECLARE_DYNAMIC(QVGraphFeedback)
public:
    enum Kind { region = 0, rectangle = 1, point = 2 };

    // A polygon (alternate filling; radius 5).
    QVGraphFeedback(const POINT* pPoints, int nCount, int nIndex, int nGroup, QVGraph* pChart);
    QVGraphFeedback(const RECT& rect, int nIndex, int nGroup, QVGraph* pChart);
    QVGraphFeedback(POINT pt, int nRadius, int nIndex, int nGroup, QVGraph* pChart);
    ~QVGraphFeedback() override;

    virtual CPoint GetPoint();
    virtual int GetRadius();
    virtual CRect GetRect();
    virtual int GetKind();
    // Region: inside it; rectangle: inside it; point: within the radius on both axes (exclusive).
    virtual BOOL HitTest(int x, int y);

    int GetIndex() const { return m_nIndex; }
    int GetGroup() const { return m_nGroup; }

    int m_nIndex;
    int m_nGroup;
    QVGraph* m_pChart;
    CRgn* m_pRegion;
    int m_nRadius;
    CPoint m_point;
    CRect m_rect;
    int m_nKind;
};
