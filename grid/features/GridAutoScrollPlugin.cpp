#include "grid/features/GridAutoScrollPlugin.h"

#include "framework/win/Seams.h"
#include "framework/win/Wnd.h"
#include "grid/core/GridCore.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

const int kStartInterval = 80;
// Below this interval a held key or arrow is repeated; above it the step only speeds up.
const int kRepeatInterval = 40;
const int kMaxSpeed = 80;

} // namespace

CGXAutoScrollPlugin::CGXAutoScrollPlugin(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
}

void CGXAutoScrollPlugin::PlugIn(CWnd* pGridWnd)
{
    m_pGridWnd = pGridWnd;
    m_pGrid->m_bAutoScrollCells = TRUE;
}

BOOL CGXAutoScrollPlugin::HandlePluginMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*)
{
    switch (message)
    {
    case WM_TIMER:
        if (wParam != GX_AUTOSCROLL_TIMER)
            return FALSE;
        OnTimer(wParam);
        return TRUE;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_KEYUP:
    case WM_CANCELMODE:
        Stop();
        return TRUE;
    case WM_KEYDOWN:
        // The key being repeated keeps its repeat; any other key, and Escape always, stops it.
        if (!(m_pGrid->IsKeyRepeat() && wParam == m_pGrid->GetRepeatedKey() && wParam != VK_ESCAPE))
            Stop();
        return TRUE;
    case WM_KILLFOCUS:
        // A cell's edit window shown or hidden takes the focus for a moment: no loss of it.
        if (!m_pGrid->m_bFocusChanging && !m_pGrid->m_bHideInProgress)
            Stop();
        return TRUE;
    default:
        return FALSE;
    }
}

void CGXAutoScrollPlugin::Stop()
{
    m_pGrid->StopAutoScroll();
    m_nTimer = 0;
}

CPoint CGXAutoScrollPlugin::CursorInClient() const
{
    POINT point = {0, 0};
    ::GetCursorPos(&point);
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::ScreenToClient(m_pGridWnd->GetSafeHwnd(), &point);
    return CPoint(point.x, point.y);
}

void CGXAutoScrollPlugin::SendMouseMove(CPoint point)
{
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::SendMessageA(m_pGridWnd->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void CGXAutoScrollPlugin::OnTimer(UINT_PTR)
{
    CGXGridCore* pGrid = m_pGrid;
    if (pGrid->IsAutoScrollStopped())
    {
        Stop();
        return;
    }
    if (pGrid->IsAutoScrollStarting())
    {
        pGrid->AcceptAutoScrollStart();
        m_bVertical = pGrid->GetAutoScrollRows();
        m_bHorizontal = pGrid->GetAutoScrollCols();
        m_nKeyDirection = pGrid->GetArrowDirection();
        m_nKeyCode = pGrid->GetRepeatedKey();
        m_nKeyData = pGrid->GetKeyRepeatFlags();
        m_nTimer = pGrid->GetAutoScrollTimer();
        // The scrolled area: right of the frozen columns and below the frozen rows.
        m_rectInner = pGrid->GetGridRect();
        m_rectInner.top += pGrid->CalcSumOfRowHeights(0, pGrid->GetFrozenRows());
        m_rectInner.left += pGrid->CalcSumOfColWidths(0, pGrid->GetFrozenCols());
        m_dwStartTick = AfxGetTickCount();
        m_dwLastScrollTick = 0;
        m_nLastDistance = 0;
        m_nInterval = kStartInterval;
        m_nMoveWait = kStartInterval;
        m_nSpeed = 1;
        m_ptStart = CursorInClient();
    }

    const DWORD dwNow = AfxGetTickCount();
    const CPoint point = CursorInClient();
    const BOOL bKeyRepeat = pGrid->IsKeyRepeat();
    const BOOL bFixedDirection = m_nKeyDirection != -1;
    if (dwNow - m_dwLastScrollTick > static_cast<DWORD>(m_nInterval))
    {
        m_dwLastScrollTick = dwNow;
        int nDistance = 0;
        int nDivisor = 1;
        BOOL bScrolled = TRUE;
        const ROWCOL nLines = static_cast<ROWCOL>(std::max(m_nSpeed / 10, 1));
        if (bKeyRepeat)
        {
            if (m_nInterval < kRepeatInterval && m_pGridWnd != nullptr)
            {
                const WORD nRepeat = static_cast<WORD>(std::max(m_nSpeed / 5, 1));
                ::SendMessageA(m_pGridWnd->GetSafeHwnd(), WM_KEYDOWN, m_nKeyCode,
                               MAKELPARAM(nRepeat, LOWORD(m_nKeyData)));
            }
            nDistance = 8;
        }
        else if (bFixedDirection)
        {
            if (m_nInterval < kRepeatInterval)
                pGrid->DoScroll(m_nKeyDirection, nLines);
            nDistance = 2;
        }
        else
        {
            bScrolled = FALSE;
            if (m_bVertical)
            {
                int nDirection = 0;
                if (point.y < m_rectInner.top)
                {
                    nDirection = GX_UP;
                    nDistance = m_rectInner.top - point.y;
                }
                else if (point.y > m_rectInner.bottom)
                {
                    nDirection = GX_DOWN;
                    nDistance = point.y - m_rectInner.bottom;
                }
                nDivisor = 5;
                bScrolled = nDirection != 0 && pGrid->DoScroll(nDirection, nLines);
            }
            if (!bScrolled && m_bHorizontal)
            {
                int nDirection = 0;
                nDistance = 0;
                if (point.x < m_rectInner.left)
                {
                    nDirection = GX_LEFT;
                    nDistance = m_rectInner.left - point.x;
                }
                else if (point.x > m_rectInner.right)
                {
                    nDirection = GX_RIGHT;
                    nDistance = point.x - m_rectInner.right;
                }
                nDivisor = 10;
                bScrolled = nDirection != 0 && pGrid->DoScroll(nDirection, nLines);
            }
            if (!bScrolled)
            {
                m_nInterval = kStartInterval;
                m_nSpeed = 1;
            }
        }
        if (bScrolled)
        {
            if (nDistance >= m_nLastDistance && nDistance > 1)
            {
                m_nInterval += (nDistance / nDivisor) / -2;
                if (m_nInterval < 0)
                {
                    m_nInterval = 0;
                    m_nSpeed = std::min(m_nSpeed + 2, kMaxSpeed);
                }
            }
            else if (nDistance < m_nLastDistance)
            {
                m_nInterval = kStartInterval;
                m_nSpeed = 1;
            }
        }
        m_nLastDistance = nDistance;
        // The selection follows the grid that scrolled under the pointer.
        if (!bFixedDirection)
            SendMouseMove(point);
        return;
    }

    // Between steps the pointer's own moves are passed on, and while it rests, now and then again.
    if (bFixedDirection || bKeyRepeat)
        return;
    if (std::abs(point.x - m_ptStart.x) + std::abs(point.y - m_ptStart.y) > 5)
    {
        SendMouseMove(point);
        m_nMoveWait = 100;
    }
    else if (dwNow - m_dwLastScrollTick > static_cast<DWORD>(m_nMoveWait))
    {
        SendMouseMove(point);
        m_nMoveWait -= 3;
    }
}

// ---- Installation ----

void CGXGridCore::InstallAutoScroll()
{
    if (m_pAutoScrollPlugin != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pPlugin = new (std::nothrow) CGXAutoScrollPlugin(this);
    if (pPlugin == nullptr)
        return;
    m_pAutoScrollPlugin = pPlugin;
    AddPlugin(pPlugin);
}
