#include "grid/features/GridCellTipImp.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/controls/DIBPool.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

#include <new>

namespace
{
const UINT_PTR kTipTimerId = 1;
} // namespace

// ---- CGXCellTipWnd ----

BEGIN_MESSAGE_MAP(CGXCellTipWnd, CWnd)
    ON_WM_PAINT()
    AFX_WM(WM_TIMER,
           if (c.wParam == kTipTimerId && pT->m_pOwner != nullptr) pT->m_pOwner->OnTimer();
           return TRUE;)
    // Mouse input passes through to the grid beneath.
    AFX_WM(WM_NCHITTEST, c.result = HTTRANSPARENT; return TRUE;)
    AFX_WM(WM_MOUSEACTIVATE, c.result = MA_NOACTIVATE; return TRUE;)
END_MESSAGE_MAP()

CGXCellTipWnd::~CGXCellTipWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CGXCellTipWnd::CreateTipWnd()
{
    if (m_hWnd != nullptr)
        return TRUE;
    LPCTSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, pszClass, "", WS_POPUP, 0, 0, 1, 1,
                    nullptr, nullptr, nullptr);
}

void CGXCellTipWnd::PlaceHidden()
{
    if (m_hWnd == nullptr)
        return;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, m_rectWindow.left, m_rectWindow.top, m_rectWindow.Width(),
                   m_rectWindow.Height(), SWP_NOACTIVATE | SWP_NOREDRAW | SWP_HIDEWINDOW);
}

void CGXCellTipWnd::ShowTip()
{
    if (m_hWnd == nullptr)
        return;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, m_rectWindow.left, m_rectWindow.top, m_rectWindow.Width(),
                   m_rectWindow.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CGXCellTipWnd::HideTip()
{
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_HIDE);
}

void CGXCellTipWnd::SetTipFont(const LOGFONT* pLogFont)
{
    m_font.DeleteObject();
    if (pLogFont != nullptr)
        m_font.CreateFontIndirect(pLogFont);
}

void CGXCellTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_INFOBK));
    // The frame is drawn inside, so the client area is the window and the layout's rectangles hold.
    ::FrameRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_INFOTEXT));
    if (m_nKind == GX_TIP_BITMAP)
    {
        if (m_hBitmap != nullptr)
            CGXDIB::Draw(&dc, m_hBitmap, m_rectText, CGXDIB::drawNatural, m_nBitmapAlign);
        return;
    }
    HGDIOBJ hOld = m_font.GetSafeHandle() != nullptr ? ::SelectObject(dc.m_hDC, m_font.GetSafeHandle()) : nullptr;
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_INFOTEXT));
    CRect text = m_rectText;
    ::DrawTextA(dc.m_hDC, m_strText, m_strText.GetLength(), &text, m_nTextFormat | DT_NOCLIP);
    if (hOld != nullptr)
        ::SelectObject(dc.m_hDC, hOld);
}

// ---- CGXGridCellTipImp ----

CGXGridCellTipImp::~CGXGridCellTipImp()
{
    StopTimer();
}

BOOL CGXGridCellTipImp::IsTipShown() const
{
    return m_tipWnd.m_hWnd != nullptr && ::IsWindowVisible(m_tipWnd.m_hWnd);
}

BOOL CGXGridCellTipImp::CellAt(CPoint point, ROWCOL& nRow, ROWCOL& nCol) const
{
    nRow = GX_INVALID;
    nCol = GX_INVALID;
    if (m_pGrid == nullptr)
        return FALSE;
    CRect client;
    m_pGrid->GetGridClientRect(client);
    if (!client.PtInRect(point))
        return FALSE;
    m_pGrid->HitTest(point, &nRow, &nCol);
    return nRow != GX_INVALID && nCol != GX_INVALID && nRow <= m_pGrid->GetRowCount() &&
           nCol <= m_pGrid->GetColCount();
}

BOOL CGXGridCellTipImp::MouseStillOnCell() const
{
    HWND hGrid = m_pGrid != nullptr ? m_pGrid->GridWnd()->GetSafeHwnd() : nullptr;
    if (hGrid == nullptr)
        return FALSE;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(hGrid, &pt);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    return CellAt(CPoint(pt), nRow, nCol) && nRow == m_nRow && nCol == m_nCol;
}

void CGXGridCellTipImp::StopTimer()
{
    if (m_nTimer != 0 && m_tipWnd.m_hWnd != nullptr)
        ::KillTimer(m_tipWnd.m_hWnd, kTipTimerId);
    m_nTimer = 0;
}

void CGXGridCellTipImp::OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT)
{
    m_pGrid = pGrid;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!CellAt(point, nRow, nCol))
    {
        HideTip(pGrid);
        return;
    }
    if (nRow == m_nRow && nCol == m_nCol && (IsTipShown() || m_nTimer != 0))
        return;
    HideTip(pGrid);
    if (!m_tipWnd.CreateTipWnd())
        return;
    m_tipWnd.m_pOwner = this;
    m_nRow = nRow;
    m_nCol = nCol;
    m_nTimer = ::SetTimer(m_tipWnd.m_hWnd, kTipTimerId, kShowDelay, nullptr);
}

void CGXGridCellTipImp::OnTimer()
{
    if (m_pGrid == nullptr || !MouseStillOnCell() || !m_pGrid->IsCellTipsEnabled())
    {
        HideTip(m_pGrid);
        return;
    }
    if (IsTipShown())
        return;   // the watch: the mouse still rests on the cell
    const CGXStyle& style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    CGXControl* pControl = m_pGrid->GetControl(m_nRow, m_nCol);
    UINT nFlags = pControl != nullptr ? pControl->GetCellTipFlags(m_nRow, m_nCol, style) : 0;
    if (nFlags == 0)
    {
        StopTimer();
        return;
    }
    m_tipWnd.m_nKind = pControl->GetCellTipKind(m_nRow, m_nCol, style);
    pControl->InitCellTipWindow(m_nRow, m_nCol, style, &m_tipWnd);
    m_tipWnd.ShowTip();
    // From now on the timer watches for the mouse leaving the cell (or the grid window).
    m_nTimer = ::SetTimer(m_tipWnd.m_hWnd, kTipTimerId, kWatchInterval, nullptr);
}

void CGXGridCellTipImp::RelayMessage(CGXGridCore* pGrid, const MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
        HideTip(pGrid);
        // The same cell shows its tip again only after the mouse moved.
        m_nRow = GX_INVALID;
        m_nCol = GX_INVALID;
        break;
    default:
        break;
    }
}

void CGXGridCellTipImp::HideTip(CGXGridCore*)
{
    StopTimer();
    m_tipWnd.HideTip();
    m_nRow = GX_INVALID;
    m_nCol = GX_INVALID;
}

void CGXGridCore::InstallCellTips()
{
    if (m_pCellTipImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXGridCellTipImp;
    if (pImp == nullptr)
        return;
    m_pCellTipImp = pImp;
    AddImplementationObject(pImp);
}
