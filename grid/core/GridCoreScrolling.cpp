// Grid engine: scroll bars and scrolling. Until scrolling is built here, the engine keeps the bar
// modes and leaves scroll messages to the window's default processing.

#include "grid/core/GridCore.h"

void CGXGridCore::SetScrollBarMode(int nBar, int nMode, BOOL)
{
    if (nBar == SB_VERT || nBar == SB_BOTH)
        m_nVScrollMode = nMode;
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        m_nHScrollMode = nMode;
}

int CGXGridCore::GetScrollBarMode(int nBar) const
{
    return nBar == SB_VERT ? m_nVScrollMode : m_nHScrollMode;
}

void CGXGridCore::UpdateScrollbars(BOOL, BOOL)
{
}

BOOL CGXGridCore::OnVScroll(UINT, UINT, CScrollBar*)
{
    return FALSE;
}

BOOL CGXGridCore::OnHScroll(UINT, UINT, CScrollBar*)
{
    return FALSE;
}

CScrollBar* CGXGridCore::GetScrollBarCtrl(int)
{
    return nullptr;
}

BOOL CGXGridCore::HandleTimer(UINT_PTR)
{
    return FALSE;
}
