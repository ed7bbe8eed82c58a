#pragma once
// The progress-bar cell (control id 52536): the cell's value (a decimal integer) as a bar filling
// the cell from the left in proportion to the value between a lower and an upper bound (user
// attributes 51025 and 51026), with an optional caption (51027, a format with one integer
// conversion) centred over it. Display only: storing a value outside the bounds stores the bound.

#include "grid/core/Control.h"

class CGXStylesMap;

enum : WORD
{
    GX_IDS_UA_PROGRESS_MIN = 51025,
    GX_IDS_UA_PROGRESS_MAX = 51026,
    GX_IDS_UA_PROGRESS_CAPTIONMASK = 51027
};

// The caption of a value by a format of the progress cell: "%%" and at most one integer
// conversion (flags, a width and an "l" or "h" before d, i, u, o, x or X) are honoured; anything
// else, a second conversion included, stands as it is written. The format never reaches printf
// as it stands, so no caption reads arguments that are not there.
CString GXFormatProgressCaption(LPCTSTR pszFormat, long nValue);

class CGXProgressCtrl : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXProgressCtrl)

public:
    explicit CGXProgressCtrl(CGXGridCore* pGrid);

    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // A value outside the bounds is stored as the nearer bound.
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pComposedStyle) override;

    virtual void GetCaption(CString& caption, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // 1: the bar (the text colour); 0: the background (the interior colour).
    virtual COLORREF GetBarColor(int nWhich, const CGXStyle& style);
    // 1: over the bar (the interior colour); 0: over the background (the text colour).
    virtual COLORREF GetCaptionColor(int nWhich, const CGXStyle& style);

    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    // The width of the bar of a value in a cell that wide; always within 0 .. the width.
    static int BarWidth(long nValue, long nLower, long nUpper, int nCellWidth);

protected:
    double m_dScale = 1.0;
};
