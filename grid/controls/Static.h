#pragma once
// Cells that show their value as text and are not edited in place: the static-text cell and the
// header cell that draws the row numbers, column letters and the corner of every grid. The static
// cell is also the base of the text-editing cells, which take over its margins and sizes.

#include "grid/core/Control.h"
#include "grid/core/Font.h"

class CGXStatic : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXStatic)

public:
    explicit CGXStatic(CGXGridCore* pGrid);

    // Horizontal text margin: half the sizing-frame width, at least 2 pixels.
    static int GetTextMargin();

    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr,
                      const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // The size-calculation component's measure of the content; 0 x 0 without it.
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    // Text floats and is covered by the floating-cells rule for text cells
    // (CGXGridCore::CanFloatCellDefault); FALSE without the component.
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    BOOL FillsBackground(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;

    // The font of the style, completed from the standard style and zoomed; the caller deletes it.
    HFONT CreateStyleFont(const CGXStyle& style, const CGXStyle* pStandardStyle);

protected:
    // The text the cell shows: its stored value when the grid shows stored values, else the control text.
    void GetDrawnText(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // Whether this class's drawing of the cell is its interior alone (not hollow): no text, 3-D
    // frame or children.
    BOOL ShowsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // The font of the style, completed from the standard style.
    CGXFont StyleFont(const CGXStyle& style, const CGXStyle* pStandardStyle);
    // The same font zoomed.
    LOGFONT StyleLogFont(const CGXStyle& style, const CGXStyle* pStandardStyle);
    // DT_ flags of the style's alignment and wrapping, with DT_NOPREFIX.
    static UINT TextFormat(const CGXStyle& style);
    // Draws the text (or the pool picture that the text names) into the text rectangle.
    void DrawCellText(CDC* pDC, const CString& text, CRect rectText, const CRect& rectCell, UINT nFormat,
                      const CGXStyle& style, BOOL bPictures);
};

class CGXHeader : public CGXStatic
{
    GRID_DECLARE_CONTROL(CGXHeader)

public:
    explicit CGXHeader(CGXGridCore* pGrid);

    void DrawFrame(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void OnGridSysColorChange() override;
    BOOL MarkEditHeader(BOOL bEditing, ROWCOL nRow, ROWCOL nCol) override;
    BOOL FillsBackground(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
};
