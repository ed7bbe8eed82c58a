#pragma once
// The autoscroll plug-in: it sees the grid window's messages before the grid does and, while a
// press holds the mouse outside the scrolled area, scrolls the grid toward the pointer, each step a
// little sooner and then more lines at a time the longer and the farther the pointer stays out. It
// also repeats a held move key, and a held scroll-bar arrow, when the grid asks for that.

#include "framework/core/Geometry.h"
#include "grid/core/GridComponents.h"

class CGXGridCore;

class CGXAutoScrollPlugin : public CGXPluginComponent
{
public:
    explicit CGXAutoScrollPlugin(CGXGridCore* pGrid);

    // Takes over the grid window; a press in a cell then starts autoscrolling.
    void PlugIn(CWnd* pGridWnd) override;
    // The message map: timer 992 steps; button and key releases, other keys, cancel mode and the
    // focus leaving stop.
    BOOL HandlePluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The pace as the last tick left it (milliseconds between steps, lines per step / 10).
    int GetInterval() const { return m_nInterval; }
    int GetSpeed() const { return m_nSpeed; }

private:
    void OnTimer(UINT_PTR nIDEvent);
    void Stop();
    CPoint CursorInClient() const;
    void SendMouseMove(CPoint point);

    CGXGridCore* m_pGrid;
    CWnd* m_pGridWnd = nullptr;
    BOOL m_bVertical = FALSE;
    BOOL m_bHorizontal = FALSE;
    UINT_PTR m_nTimer = 0;
    CRect m_rectInner;
    DWORD m_dwStartTick = 0;
    DWORD m_dwLastScrollTick = 0;
    int m_nInterval = 80;
    int m_nMoveWait = 80;
    CPoint m_ptStart;
    int m_nSpeed = 1;
    int m_nLastDistance = 0;
    int m_nKeyDirection = -1;
    UINT m_nKeyCode = 0;
    UINT m_nKeyData = 0;
};
