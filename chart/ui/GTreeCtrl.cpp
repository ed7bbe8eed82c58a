#include "chart/ui/GTreeCtrl.h"

IMPLEMENT_DYNAMIC(QVGTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(QVGTreeCtrl, CTreeCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void QVGTreeCtrl::OnMouseMove(UINT, CPoint point)
{
    m_ptCursor = point;
    ClientToScreen(&m_ptCursor);
    Default();
}

void QVGTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_hHitItem = HitTest(point);
    Default();
}

void QVGTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    m_hHitItem = HitTest(point);
    Default();
}
