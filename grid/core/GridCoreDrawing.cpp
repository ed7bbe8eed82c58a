// Grid engine: painting and redrawing. Until the paint path is built here, a redraw invalidates the
// whole grid window and a paint draws nothing.

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/GridParam.h"

void CGXGridCore::DrawGridArea(CDC*)
{
}

void CGXGridCore::RedrawGrid(UINT nFlags, BOOL)
{
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || IsLockUpdate())
        return;
    ::InvalidateRect(hWnd, nullptr, FALSE);
    if (nFlags == GX_UPDATENOW)
        ::UpdateWindow(hWnd);
}

void CGXGridCore::RedrawCellRange(ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT nFlags, BOOL bCreateHint)
{
    RedrawGrid(nFlags, bCreateHint);
}

void CGXGridCore::RedrawRange(const CGXRange& range, UINT nFlags, BOOL bCreateHint)
{
    RedrawCellRange(range.top, range.left, range.bottom, range.right, nFlags, bCreateHint);
}

void CGXGridCore::ReleaseGridDC()
{
}

BOOL CGXGridCore::SetLockUpdate(BOOL bLock)
{
    if (m_pParam == nullptr)
        return FALSE;
    const BOOL bOld = m_pParam->m_bLockUpdate;
    m_pParam->m_bLockUpdate = bLock;
    return bOld;
}

BOOL CGXGridCore::IsLockUpdate() const
{
    return m_pParam != nullptr && m_pParam->m_bLockUpdate;
}
