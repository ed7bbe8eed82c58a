#pragma once
// A cell grid for the drawn cells (check boxes, radio groups, push buttons, progress bars, bitmap and
// OLE cells): its cell rectangles follow its row heights and column widths (60 x 20 unless a test
// changes one), so the mouse hits what the cells show. It records the button hook and every style
// stored, and drives the window with the mouse and keys as a user would.

#include "framework/win/SeamRecorders.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/ControlFactory.h"

#include "CellTestGrid.h"
#include "FakeThemeEngine.h"

#include <utility>
#include <vector>

class DrawnCellGrid : public CellTestGrid
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
    CRect CalcCellRect(ROWCOL nRow, ROWCOL nCol) override { return CGXGridCore::CalcCellRect(nRow, nCol); }
    void OnClickedButtonRowCol(ROWCOL nRow, ROWCOL nCol) override { buttonClicks.emplace_back(nRow, nCol); }
    BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType) override
    {
        ++nStores;
        return CellTestGrid::StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
    }

    // A cell of a control with a value (and more of the style when given).
    void SetControlCell(ROWCOL nRow, ROWCOL nCol, WORD nControl, LPCTSTR pszValue, CGXStyle style = CGXStyle())
    {
        style.SetControl(nControl);
        if (pszValue != nullptr)
            style.SetValue(pszValue);
        SetCell(nRow, nCol, style);
    }

    void Press(CPoint point) { ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
    void MoveHeld(CPoint point) { ::SendMessageA(m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
    void Release(CPoint point) { ::SendMessageA(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }
    void Click(CPoint point)
    {
        Press(point);
        Release(point);
    }
    void Key(UINT nKey)
    {
        ::SendMessageA(m_hWnd, WM_KEYDOWN, nKey, 1);
        ::SendMessageA(m_hWnd, WM_KEYUP, nKey, 0xC0000001);
    }
    void Char(UINT nChar) { ::SendMessageA(m_hWnd, WM_CHAR, nChar, 1); }
    // What the screen shows at a point of the grid window, the windows over the grid included.
    // Wine hands what windows painted to the X server when the thread finds its queue empty, so the
    // queue is run dry before the screen is read.
    COLORREF ScreenPixel(CPoint point)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::ClientToScreen(m_hWnd, &point);
        const HDC hScreen = ::GetDC(nullptr);
        const COLORREF color = ::GetPixel(hScreen, point.x, point.y) & 0xFFFFFF;
        ::ReleaseDC(nullptr, hScreen);
        return color;
    }
    // Frozen rows or columns of one colour right before the cell (nRow, nCol), which covers itself
    // and the next cell down (bRows) or to the right. The grid grows to 30 rows and 20 columns, so
    // that it scrolls.
    BOOL CoverBesideFrozenPane(ROWCOL nRow, ROWCOL nCol, BOOL bRows, COLORREF frozen)
    {
        GetParam()->GetData()->SetRowCount(30);
        GetParam()->GetData()->SetColCount(20);
        InstallCoveredCells();
        InstallDrawSpannedCells();
        CGXStyle pane;
        pane.SetInterior(frozen);
        if (bRows)
        {
            SetFrozenRows(nRow - 1);
            SetStyleRange(CGXRange(nRow - 1, 1, nRow - 1, GetColCount()), pane);
            if (!SetCoveredCellsRowCol(nRow, nCol, nRow + 1, nCol))
                return FALSE;
        }
        else
        {
            SetFrozenCols(nCol - 1);
            SetStyleRange(CGXRange(1, nCol - 1, GetRowCount(), nCol - 1), pane);
            if (!SetCoveredCellsRowCol(nRow, nCol, nRow, nCol + 1))
                return FALSE;
        }
        UpdateWindow();
        return TRUE;
    }
    // Scrolls the cell set up by CoverBesideFrozenPane by one row (column), so that only its second
    // half shows, right beside the frozen pane.
    void ScrollHalfBehindFrozenPane(ROWCOL nRow, ROWCOL nCol, BOOL bRows)
    {
        if (bRows)
            SetTopRow(nRow + 1);
        else
            SetLeftCol(nCol + 1);
        UpdateWindow();
    }

    std::vector<std::pair<ROWCOL, ROWCOL>> buttonClicks;
    int nStores = 0;
};

// A grid that is a database browser grid: it answers the hooks of the bitmap and OLE object cells
// and records what they tell it.
class BrowserGrid : public DrawnCellGrid, public CGXBrowserGridHooks
{
public:
    CGXBrowserGridHooks* GetBrowserGridHooks() override { return this; }
    HGLOBAL GetHeldBitmap(ROWCOL, ROWCOL) override
    {
        ++nHeldAsked;
        return nullptr;
    }
    BOOL OfferBitmap(ROWCOL, ROWCOL, HGLOBAL hDIB) override
    {
        offered.push_back(hDIB);
        return !bKeep;
    }
    void OnViewerCreated(ROWCOL, ROWCOL, long nViewerId, CGXOleViewer*) override { viewerIds.push_back(nViewerId); }
    void OnOleActionBegin(ROWCOL, ROWCOL) override { ++nActionsBegun; }
    void OnOleActionEnd(ROWCOL, ROWCOL) override { ++nActionsEnded; }

    int nHeldAsked = 0;
    BOOL bKeep = FALSE;
    std::vector<HGLOBAL> offered;
    std::vector<long> viewerIds;
    int nActionsBegun = 0;
    int nActionsEnded = 0;
};

// The classic look, whatever theme the system offers, through the stand-in engine; the system's
// engine is back with GXUxTheme::Unload and GXUxTheme::Load.
inline void UseClassicLook()
{
    FakeEngine::Reset();
    FakeEngine::s_bAppThemed = FALSE;
    FakeEngine::Install();
}

inline void UseSystemLook()
{
    GXUxTheme::Unload();
    GXUxTheme::Load();
}
