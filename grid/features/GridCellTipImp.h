#pragma once
// The grid's cell tips: a hidden, non-activating pop-up that shows a cell's whole text (or bitmap)
// over the cell once the mouse has rested on it for a moment, and the grid component that times it
// and hides it again when the mouse leaves the cell, a button or key is pressed, or the grid
// scrolls or changes size. The cell's control decides whether a tip is needed and lays it out.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridTypes.h"

class CGXGridCellTipImp;

class CGXCellTipWnd : public CWnd
{
public:
    CGXCellTipWnd() = default;
    ~CGXCellTipWnd() override;

    // Makes the hidden pop-up once; TRUE when it exists.
    BOOL CreateTipWnd();
    // Moves and sizes the hidden window to m_rectWindow, without activating or showing it.
    void PlaceHidden();
    void ShowTip();
    void HideTip();
    // Takes a copy of the font (NULL: the window's default font).
    void SetTipFont(const LOGFONT* pLogFont);

    int m_nKind = 0;                 // 1 text, 2 bitmap
    CString m_strText;
    HGLOBAL m_hBitmap = nullptr;     // a DIB of the library's bitmap pool (not owned)
    CRect m_rectWindow;              // screen coordinates
    CRect m_rectText;                // the window's client coordinates
    UINT m_nTextFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    UINT m_nBitmapAlign = 0;
    CFont m_font;
    // The component whose timer the window carries.
    CGXGridCellTipImp* m_pOwner = nullptr;

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

class CGXGridCellTipImp : public CGXAbstractGridCellTipImp
{
public:
    ~CGXGridCellTipImp() override;

    void OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    void RelayMessage(CGXGridCore* pGrid, const MSG* pMsg) override;
    void HideTip(CGXGridCore* pGrid) override;

    // The rest before the tip shows, and how often a shown tip checks that the mouse is still there.
    static const UINT kShowDelay = 500;
    static const UINT kWatchInterval = 100;

    // The timer's work: shows the tip of the cell under the mouse, or hides it once the mouse left.
    void OnTimer();
    // The cell under the mouse when it stopped (GX_INVALID: none) and whether its tip shows.
    ROWCOL GetTipRow() const { return m_nRow; }
    ROWCOL GetTipCol() const { return m_nCol; }
    CGXCellTipWnd& GetTipWnd() { return m_tipWnd; }
    BOOL IsTipShown() const;

private:
    // The cell under a client point of the grid, FALSE when none (headers count as cells).
    BOOL CellAt(CPoint point, ROWCOL& nRow, ROWCOL& nCol) const;
    BOOL MouseStillOnCell() const;
    void StopTimer();

    CGXGridCore* m_pGrid = nullptr;
    CGXCellTipWnd m_tipWnd;
    ROWCOL m_nRow = GX_INVALID;
    ROWCOL m_nCol = GX_INVALID;
    UINT_PTR m_nTimer = 0;
};
