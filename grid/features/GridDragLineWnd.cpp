#include "grid/features/GridDragLineWnd.h"

#include "framework/win/Dc.h"
#include "grid/core/GridCore.h"

BEGIN_MESSAGE_MAP(CGXDragLineWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CGXDragLineWnd::CGXDragLineWnd(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
    m_pen.SetWidth(1);
}

CGXDragLineWnd::~CGXDragLineWnd()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CGXDragLineWnd::CreateLine(CWnd* pParentWnd)
{
    return CreateEx(0, "GXWND", "", WS_CHILD, CRect(0, 0, 1, 1), pParentWnd, 0);
}

void CGXDragLineWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    ::GetClientRect(m_hWnd, &rect);
    if (m_adwDrawArgs[2] != 0)
    {
        m_pGrid->DrawLineRect(&dc, rect.left, rect.top, rect.Width(), rect.Height(),
                              static_cast<int>(m_adwDrawArgs[0]), m_adwDrawArgs[1], m_adwDrawArgs[2]);
        return;
    }
    HPEN hPen = ::CreatePen(PS_SOLID, static_cast<int>(m_pen.GetWidth()), m_pen.GetResolvedColor());
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hPen);
    ::MoveToEx(dc.GetSafeHdc(), rect.left, rect.top, nullptr);
    ::LineTo(dc.GetSafeHdc(), rect.right - 1, rect.bottom - 1);
    // A one-pixel line ends before its last point: that point is set too.
    ::SetPixel(dc.GetSafeHdc(), rect.right - 1, rect.bottom - 1, m_pen.GetResolvedColor());
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hPen);
}
