#pragma once
// Mouse and key gestures on the grid test host's first view: real messages posted to its window,
// Ctrl and Shift held in the thread's key state, cell points from the view's own geometry. The
// autoscroll plug-in's clock stands still, so that no step runs unless a test moves it.

#include "tests/grid/features/GridHostTestSupport.h"

#include "grid/core/GridParam.h"

// Holds Ctrl and Shift down (or not) in the thread's key state for one scope.
class HeldKeys
{
public:
    HeldKeys(BOOL bCtrl, BOOL bShift)
    {
        ::GetKeyboardState(m_old);
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = bCtrl ? 0x80 : 0;
        state[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_old); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_old[256];
};

class GestureTest : public GridHostTest
{
protected:
    void StartGestureHost(ROWCOL nRows = 10, ROWCOL nCols = 6)
    {
        ASSERT_NO_FATAL_FAILURE(StartHost(nRows, nCols));
        // The first view fills the frame, wide enough for its first columns, with room on the screen
        // below it for a pointer held outside.
        app.GetMainFrame()->MoveWindow(0, 0, 1270, 880);
        app.GetMainFrame()->MDIMaximize(View(0).GetParentFrame());
        PumpPendingMessages();
    }
    void TearDown() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
        GridHostTest::TearDown();
    }

    CGridHostView& Grid() { return View(0); }
    HWND GridHwnd() { return View(0).GetSafeHwnd(); }

    CRect Cell(ROWCOL nRow, ROWCOL nCol) { return Grid().CalcCellRect(nRow, nCol); }
    CPoint Center(ROWCOL nRow, ROWCOL nCol) { return Cell(nRow, nCol).CenterPoint(); }

    void Post(UINT nMsg, WPARAM wParam, CPoint point)
    {
        ::PostMessageA(GridHwnd(), nMsg, wParam, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
    }
    // A press, the moves and the release, with Ctrl and Shift held as asked.
    void Drag(CPoint from, std::vector<CPoint> moves, CPoint to, BOOL bCtrl = FALSE, BOOL bShift = FALSE)
    {
        HeldKeys keys(bCtrl, bShift);
        const WPARAM nKeys = (bCtrl ? MK_CONTROL : 0) | (bShift ? MK_SHIFT : 0);
        Post(WM_LBUTTONDOWN, MK_LBUTTON | nKeys, from);
        for (CPoint point : moves)
            Post(WM_MOUSEMOVE, MK_LBUTTON | nKeys, point);
        Post(WM_LBUTTONUP, nKeys, to);
    }
    void Click(CPoint point, BOOL bCtrl = FALSE, BOOL bShift = FALSE) { Drag(point, {}, point, bCtrl, bShift); }
    void Key(UINT nKey, BOOL bCtrl = FALSE, BOOL bShift = FALSE)
    {
        HeldKeys keys(bCtrl, bShift);
        ::PostMessageA(GridHwnd(), WM_KEYDOWN, nKey, 1);
        PumpPendingMessages();
    }

    // The selection as the dump lists it.
    std::vector<std::string> Selection()
    {
        const std::vector<std::string> dump = Dump();
        std::vector<std::string> ranges;
        for (const std::string& line : dump)
            if (line.rfind("range ", 0) == 0)
                ranges.push_back(line);
        return ranges;
    }

    CManualTickClock clock;
    CScopedTickClock scopedClock{&clock};
};
