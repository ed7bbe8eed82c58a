#pragma once
// A real grid window on the display with fixed 60 x 20 pixel cells, 10 rows and 5 columns,
// recording the keys its cell controls hand back to it.

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "grid/core/AppData.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <vector>

class CellTestGrid : public CGXGridWnd
{
public:
    static const int kCellWidth = 60;
    static const int kCellHeight = 20;

    BOOL Open()
    {
        GXStartLibrary();
        if (!CreateEx(0, "GXWND", "", WS_POPUP | WS_VISIBLE, CRect(10, 10, 6 * kCellWidth + 10, 11 * kCellHeight + 10),
                      nullptr, 0))
            return FALSE;
        Initialize();
        GetParam()->GetData()->SetRowCount(10);
        GetParam()->GetData()->SetColCount(5);
        return TRUE;
    }
    ~CellTestGrid() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    CRect CalcCellRect(ROWCOL nRow, ROWCOL nCol) override
    {
        return CRect(static_cast<int>(nCol) * kCellWidth, static_cast<int>(nRow) * kCellHeight,
                     static_cast<int>(nCol + 1) * kCellWidth, static_cast<int>(nRow + 1) * kCellHeight);
    }
    BOOL DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override
    {
        if (nMessage == WM_KEYDOWN)
            keysToGrid.push_back(nChar);
        // Tests of what a control passes up keep the grid from moving the current cell away.
        if (bKeepKeys && pSender != this)
            return TRUE;
        return CGXGridWnd::DispatchKeyMessage(pSender, nMessage, nChar, nRepCnt, nFlags);
    }

    void SetCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        GetParam()->GetData()->StoreStyleRowCol(nRow, nCol, &style, gxOverride, 0);
    }
    void SetText(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
    {
        CGXStyle style;
        style.SetValue(pszText);
        SetCell(nRow, nCol, style);
    }
    CString Stored(ROWCOL nRow, ROWCOL nCol) { return GetStoredValueRowCol(nRow, nCol); }

    std::vector<UINT> keysToGrid;
    BOOL bKeepKeys = FALSE;
};

// A 32-bit memory bitmap to draw cells into.
struct MemoryCanvas
{
    MemoryCanvas(int cx, int cy, COLORREF fill = RGB(255, 255, 255))
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(cx, cy, 1, 32, nullptr);
        pOld = dc.SelectObject(&bitmap);
        CBrush brush;
        brush.CreateSolidBrush(fill);
        RECT rect = {0, 0, cx, cy};
        ::FillRect(dc.GetSafeHdc(), &rect, static_cast<HBRUSH>(brush.GetSafeHandle()));
    }
    ~MemoryCanvas() { dc.SelectObject(pOld); }
    COLORREF At(int x, int y) { return ::GetPixel(dc.GetSafeHdc(), x, y) & 0xFFFFFF; }

    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld = nullptr;
};

// Pumps the thread's messages until none is waiting.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
