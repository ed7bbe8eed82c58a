#pragma once
// The tip of a cell whose text does not fit (or whose cell lies partly outside the grid window or
// the screen), or whose text names a pool bitmap ("#BMP(...)"): decides whether a tip is needed and
// of which kind, and lays out the tip window over the cell. The control that owns it draws the cell.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/Control.h"

class CGXCellTipStatic : public CGXCellTipBase
{
public:
    explicit CGXCellTipStatic(CGXControl* pControl) : m_pControl(pControl) {}

    UINT GetTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    int GetTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    void InitTipWindow(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CGXCellTipWnd* pTipWnd) override;

    // The parts, in screen coordinates: the cell inside its borders, the control's text rectangle,
    // the size of the whole text in one line, where the text starts, and the flags 4 to 32 of a rectangle.
    CRect GetCellRectInBorders(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    CRect GetClientScreenRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    CSize GetTextSize(const CString& text, const CGXStyle& style);
    CPoint GetTextStart(const CString& text, const CRect& client, const CGXStyle& style);
    UINT GetOutsideFlags(const CRect& rect);

private:
    CString DisplayText(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // The size of a pool bitmap the text names; FALSE when it names none.
    BOOL GetBitmapSize(const CString& text, CSize& size, HGLOBAL* phDIB = nullptr);
    UINT GetTextTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    UINT GetBitmapTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);

    CGXControl* m_pControl;
};
