#pragma once
// The spin edit cell (control id 52519): an edit cell with up and down arrow buttons that step an
// integer value within optional bounds, with optional wrapping and a start value for an empty
// cell. The bounds are user attributes of the cell, read at every left button press in it.

#include "grid/controls/EditControl.h"

class CGXDownArrowButton;
class CGXUpArrowButton;

// The spin edit's user attributes.
enum : WORD
{
    GX_IDS_UA_SPINBOUND_MIN = 51014,
    GX_IDS_UA_SPINBOUND_MAX = 51015,
    GX_IDS_UA_SPINBOUND_WRAP = 51016,
    GX_IDS_UA_SPINSTART = 51021
};

class CGXSpinEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXSpinEdit)
    GRID_DECLARE_CONTROL(CGXSpinEdit)

public:
    CGXSpinEdit(CGXGridCore* pGrid, UINT nID);

    // The buttons' width and the pixel between them and the cell's edge.
    static const int kButtonSpace = 14;

    CRuntimeClass* GetWndRuntimeClass() override;
    BOOL IsFloatCandidate(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloat) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // Reads the bounds of the cell, then gives the press to the button under it.
    BOOL LButtonDown(UINT nFlags, CPoint point, UINT nHitState) override;
    // Steps the value with the button clicked, then tells the grid as every button click does.
    void OnClickedButton(CGXChild* pChild) override;
    // The two buttons one above the other along the right edge.
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;

    // Registers the bound attributes (edited in spin cells) and the wrap flag (a check box).
    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    CGXUpArrowButton* GetUpButton() const { return m_pUpArrow; }
    CGXDownArrowButton* GetDownButton() const { return m_pDownArrow; }

protected:
    void ReadBounds(const CGXStyle& style);

    CGXUpArrowButton* m_pUpArrow;
    CGXDownArrowButton* m_pDownArrow;
    int m_nWrap = 0;
    long m_nMinBound = 0;
    long m_nMaxBound = 0;
    BOOL m_bMinBound = FALSE;
    BOOL m_bMaxBound = FALSE;
    BOOL m_bStartValue = FALSE;
    long m_nStartValue = 0;
};
