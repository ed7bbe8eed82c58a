#include "chart/ui/WizardControls.h"

#include "chart/model/Graph.h"
#include "chart/ui/ChartWizardIds.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"


// ---- QVGStatic ----

IMPLEMENT_DYNAMIC(QVGStatic, CStatic)

BEGIN_MESSAGE_MAP(QVGStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

QVGStatic::QVGStatic() : m_pChart(nullptr), m_bHighlight(FALSE)
{
    m_colors[kindBackground] = RGB(125, 125, 0);
    m_colors[kindTitle] = RGB(255, 128, 64);
    m_colors[kindDisplay] = RGB(235, 237, 211);
    m_colors[kindLegend] = RGB(255, 255, 0);
}

void QVGStatic::SetChart(QVGraph* pChart)
{
    m_pChart = pChart;
    if (m_hWnd != nullptr)
        Invalidate();
}

void QVGStatic::SetHighlight(BOOL bHighlight)
{
    if (m_bHighlight == (bHighlight ? TRUE : FALSE))
        return;
    m_bHighlight = bHighlight ? TRUE : FALSE;
    if (m_hWnd != nullptr)
        Invalidate();
}

void QVGStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    if (m_pChart != nullptr) {
        // A cell is small and drawn often: straight onto its DC.
        m_pChart->SetDoubleBuffering(FALSE);
        m_pChart->Draw(&dc, this);
    }
    if (m_bHighlight) {
        CRect focus = client;
        focus.DeflateRect(5, 5);
        dc.DrawFocusRect(&focus);
    }
}

// ---- QVGToolTipCtrl ----

IMPLEMENT_DYNAMIC(QVGToolTipCtrl, CToolTipCtrl)

BOOL QVGToolTipCtrl::AddWindowTool(CWnd* pWnd, LPCTSTR lpszText)
{
    if (m_hWnd == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = ::GetParent(pWnd->m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL QVGToolTipCtrl::AddWindowTool(CWnd* pWnd, UINT nIDText)
{
    return AddWindowTool(pWnd, MAKEINTRESOURCEA(nIDText));
}

BOOL QVGToolTipCtrl::AddRectTool(CWnd* pWnd, const RECT& rect, UINT_PTR nIDTool, LPCTSTR lpszText)
{
    if (m_hWnd == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.rect = rect;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL QVGToolTipCtrl::AddRectTool(CWnd* pWnd, const RECT& rect, UINT_PTR nIDTool, UINT nIDText)
{
    return AddRectTool(pWnd, rect, nIDTool, MAKEINTRESOURCEA(nIDText));
}

CString QVGToolTipCtrl::GetWindowToolText(CWnd* pWnd)
{
    char text[256] = "";
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = ::GetParent(pWnd->GetSafeHwnd());
    ti.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    ti.lpszText = text;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
}

// ---- QVGDragListBox ----

IMPLEMENT_DYNAMIC(QVGDragListBox, CDragListBox)

BEGIN_MESSAGE_MAP(QVGDragListBox, CDragListBox)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void QVGDragListBox::AskMove(int nFrom, int nBefore)
{
    if (m_pTarget != nullptr && m_pTarget->GetSafeHwnd() != nullptr)
        m_pTarget->SendMessage(WM_QVG_WIZ_MOVE, WPARAM(nFrom), LPARAM(nBefore));
}

BOOL QVGDragListBox::BeginDrag(CPoint pt)
{
    // The blank that stands for the end does not move.
    if (ItemFromPt(pt, FALSE) == GetCount() - 1)
        return FALSE;
    return CDragListBox::BeginDrag(pt);
}

void QVGDragListBox::Dropped(int nSrcIndex, CPoint pt)
{
    DrawInsert(-1);
    AskMove(nSrcIndex, ItemFromPt(pt, FALSE));
}

void QVGDragListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const int nSelected = GetCurSel();
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (bShift && nSelected >= 0 && nSelected < GetCount() - 1 && (nChar == VK_UP || nChar == VK_DOWN)) {
        if (nChar == VK_UP && nSelected > 0)
            AskMove(nSelected, nSelected - 1);
        else if (nChar == VK_DOWN && nSelected < GetCount() - 2)
            AskMove(nSelected, nSelected + 2);
        return;
    }
    CDragListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}
