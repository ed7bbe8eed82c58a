#pragma once
// Radio-button cells (control ids 52515 and 52524, 20137 and 20136): the non-empty lines of the
// style's choice list as a group of radio buttons; the value is the number ("%d") of the selected
// line counted from 0, empty for none. CGXRadioButton writes a new selection into the cell at once;
// CGXRadioButtonEx keeps it in its own style copy until the grid stores the current cell and lays
// its items out by two user attributes (vertical or horizontal, text before or after the button).

#include "grid/core/Control.h"

#include <vector>

class CGXStylesMap;

enum : WORD
{
    GX_IDS_UA_RADIOBUTTON_ALIGN = 51057,
    GX_IDS_UA_RADIOBUTTON_TEXTALIGN = 52568
};

// The 3-D look's strip: the unchecked image at x 0, the checked one at x 14, each 14 x 13.
const UINT GX_IDB_RADIOBUTTON = 20019;

// One button (12 x 12, 3 pixels in from the rectangle's left, centred in its height): themed when a
// theme applies, else the bitmap (bUseBitmap) or a flat circle. FALSE when the bitmap is missing.
BOOL GXDrawRadioButton(CDC* pDC, const CRect& rect, BOOL bChecked, BOOL bUseBitmap);
// The group, one item per line with its text right of its button: the number of items drawn (0
// when the bitmap look cannot be drawn).
int GXDrawRadioGroup(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszChoiceList, int nSelected,
                     BOOL bDraw3d);
// The index of the item whose button or text lies under the point, -1 when none.
int GXHitTestRadioGroup(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszChoiceList, CPoint point);

// The items of a group laid out in a cell: the column its button is drawn in and its text.
struct GXRadioItemLayout
{
    CString text;
    CRect rectButton;
    CRect rectText;
};
// The non-empty lines of a choice list (CR and LF both end a line).
std::vector<CString> GXRadioChoiceItems(LPCTSTR pszChoiceList);
// The layout of the items in the rectangle with the DC's font.
std::vector<GXRadioItemLayout> GXLayoutRadioGroup(CDC* pDC, const CRect& rect, LPCTSTR pszChoiceList,
                                                  BOOL bHorizontal, BOOL bTextRight);

class CGXRadioButton : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXRadioButton)

public:
    CGXRadioButton(CGXGridCore* pGrid, BOOL bDraw3dFrame = FALSE);

    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL LButtonDown(UINT nFlags, CPoint point, UINT nHitState) override;
    // A release on an item selects it (and reports the click).
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    // Space selects the next item, after the last the first.
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

    int GetItemCount() const { return m_nItemCount; }

protected:
    int m_nItemCount = 0;
    BOOL m_bDraw3dFrame;
};

class CGXRadioButtonEx : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXRadioButtonEx)

public:
    CGXRadioButtonEx(CGXGridCore* pGrid, BOOL bDraw3dFrame = FALSE);

    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL LButtonDown(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    // Space selects the next item, Delete clears the selection (both in the own copy).
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    int GetItemCount() const { return m_nItemCount; }

protected:
    // Starts editing on the own copy when needed; FALSE when refused.
    BOOL StartEdit();
    void ChangeEditedValue(const CString& value);

    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    int m_nItemCount = 0;
    BOOL m_bDraw3dFrame;
};
