#pragma once
// The push-button cell (control id 52514): a button over the whole cell, captioned with the style's
// choice-list text. A click changes nothing in the cell; it reaches the grid's button hook like any
// button click of a cell. The button is a CGXButton child, which draws the face and tracks the mouse.

#include "grid/core/Control.h"

class CGXButton;

class CGXPushbutton : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXPushbutton)

public:
    explicit CGXPushbutton(CGXGridCore* pGrid);

    void Init(ROWCOL nRow, ROWCOL nCol) override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    // A push-button cell never shows the current-cell frame.
    void DrawFrame(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The button fills the cell and is the focus child, captioned with the cell's choice list.
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;

    CGXButton* GetButton() const { return m_pButton; }

protected:
    CGXButton* m_pButton;
};
