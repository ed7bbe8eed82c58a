#pragma once
// The one-pixel line window that dragging rows or columns (at the drop place) and user resizing
// (at the starting line) lay on a grid line while the mouse drags.

#include "framework/win/Wnd.h"
#include "grid/core/StylePenBrush.h"

class CGXGridCore;

class CGXDragLineWnd : public CWnd
{
public:
    explicit CGXDragLineWnd(CGXGridCore* pGrid);
    ~CGXDragLineWnd() override;

    // A hidden child of the parent at (0, 0), 1 x 1, of the library's window class; TRUE when made.
    BOOL CreateLine(CWnd* pParentWnd);

    CGXGridCore* m_pGrid;
    // The owner sets colour and width.
    CGXStylePen m_pen;
    // Passed to the grid's line drawing; while the third is 0 the window draws with its own pen.
    DWORD m_adwDrawArgs[3] = {0, 0, 0};

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
