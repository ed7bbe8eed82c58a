#pragma once
// Helpers of the tests of the edit-type cells: window texts and selections, keys held for the
// thread's key-state queries, the clipboard, and a test grid that records its button hook.

#include "framework/win/Clipboard.h"

#include "CellTestGrid.h"

#include <initializer_list>
#include <utility>
#include <vector>

inline CString WindowTextOf(HWND hWnd)
{
    char sz[4096] = {};
    ::GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

inline std::pair<int, int> SelectionOf(HWND hWnd)
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return {static_cast<int>(dwStart), static_cast<int>(dwEnd)};
}

// Holds the listed keys down for this thread's key-state queries (none: all up).
inline void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

inline void PutTextOnClipboard(const char* pszText, UINT nFormat = CF_TEXT)
{
    CClipboard clipboard(nullptr);
    clipboard.Empty();
    clipboard.SetText(pszText, nFormat);
}

// The text of a format; "<none>" when the clipboard does not hold it.
inline CString ClipboardText(UINT nFormat = CF_TEXT)
{
    CClipboard clipboard(nullptr);
    CString text;
    if (!clipboard.GetText(text, nFormat))
        return "<none>";
    return text;
}

// A cell grid that records the cells whose buttons were clicked; its rows and columns are as high
// and wide as its cell rectangles, so the mouse hits the cells they show.
class ButtonHookGrid : public CellTestGrid
{
public:
    BOOL Open()
    {
        if (!CellTestGrid::Open())
            return FALSE;
        SetRowHeight(0, GetRowCount(), kCellHeight);
        SetColWidth(0, GetColCount(), kCellWidth);
        return TRUE;
    }
    void OnClickedButtonRowCol(ROWCOL nRow, ROWCOL nCol) override { buttonClicks.emplace_back(nRow, nCol); }
    // A press and a release of the left button at a point of the grid window.
    void Click(CPoint point)
    {
        ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::SendMessageA(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    std::vector<std::pair<ROWCOL, ROWCOL>> buttonClicks;
};
