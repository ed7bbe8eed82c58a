#pragma once
// Check-box cells (control ids 52516 and 52523, 20130 and 20131): the value as a check box with an
// optional label (the style's choice list), toggled by a click in the box or the space bar. The
// value is the checked text (user attribute 51019, "1" by default) or the unchecked text (51020,
// "0"); a tri-state cell also knows an indeterminate value. CGXCheckBox writes every toggle into
// the cell; CGXCheckBoxEx keeps it in its own style copy until the grid stores the current cell.
// No window: the box is a strip of five 13 x 13 bitmap images (or the system theme's check box).

#include "grid/core/Control.h"

#include <uxtheme.h>

class CGXStylesMap;

enum : WORD
{
    GX_IDS_UA_CHECKBOX_CHECKED = 51019,
    GX_IDS_UA_CHECKBOX_UNCHECKED = 51020
};

// The bitmap strips: 3-D in the newer and the older look, and flat (also the printed one).
enum : UINT
{
    GX_IDB_CHECKBOX_3D = 20024,
    GX_IDB_CHECKBOX_3D_OLD = 20025,
    GX_IDB_CHECKBOX_FLAT = 20026
};

class CGXCheckBox : public CGXControl
{
    GRID_DECLARE_CONTROL(CGXCheckBox)

public:
    // A 0 screen bitmap takes the look of the 3-D flag; a 0 print bitmap the flat strip.
    CGXCheckBox(CGXGridCore* pGrid, BOOL bDraw3dFrame = FALSE, UINT nBitmapResourceId = 0,
                UINT nPrintResourceId = 0);
    ~CGXCheckBox() override;

    // State bits of a cell's box.
    enum
    {
        stateFocus = 1,     // the current cell
        statePressed = 2,   // held down (or disabled: the pressed look)
        stateChecked = 4,
        stateUnchecked = 8  // neither 4 nor 8: indeterminate
    };

    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // Tri-state: a text that is neither value becomes indeterminate ("").
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    BOOL MouseMove(UINT nFlags, CPoint point) override;
    BOOL LButtonDown(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    // The space character toggles.
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Toggles the cell's value and reports the click.
    void OnClickedButton(CGXChild* pChild) override;
    void OnGridSysColorChange() override;
    void OnGridCancelMode() override;

    virtual UINT GetState(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void DrawCheckBox(CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszLabel);
    virtual CRect ComputeCheckBoxRect(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszLabel,
                                      UINT nAlign);
    // The colour a palette entry of the strip is drawn in.
    virtual COLORREF MapBitmapColor(COLORREF color, BOOL bPrint);
    virtual void DrawThemedCheckBox(HTHEME hTheme, CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszLabel);
    // TRUE when the screen strip loaded.
    virtual BOOL LoadBitmaps();

    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    // The value a toggle gives: checked becomes unchecked; with tri-state unchecked becomes
    // indeterminate; everything else becomes checked.
    static CString NextValue(const CString& value, const CGXStyle& style);
    static CString CheckedText(const CGXStyle& style);
    static CString UncheckedText(const CGXStyle& style);
    static BOOL IsTriState(const CGXStyle& style);

    BOOL IsPressed() const { return m_bPressed; }
    const CRect& GetBoxRect() const { return m_rectBox; }

protected:
    // The box laid out in the control's cell (the hit area of the mouse), from the cell's style (the
    // own copy of the "Ex" variant while it edits).
    CRect LayoutBox();
    // The image of the strip for a state: 0 unchecked, 1 checked, 2 and 3 pressed, 4 indeterminate.
    static int ImageIndex(UINT nState);
    void FreeBitmaps();
    HGLOBAL LoadStrip(UINT nResourceId, BOOL bPrint);

    BOOL m_bDraw3dFrame;
    HGLOBAL m_hbmScreen = nullptr;
    HGLOBAL m_hbmPrint = nullptr;
    UINT m_nBitmapResourceId;
    UINT m_nPrintResourceId;
    int m_nCheckBoxSize = 13;
    BOOL m_bPressed = FALSE;
    CRect m_rectBox;
};

// The check box that keeps a toggled value in its own style copy while the cell is edited and
// writes it when the grid stores the current cell.
class CGXCheckBoxEx : public CGXCheckBox
{
    GRID_DECLARE_CONTROL(CGXCheckBoxEx)

public:
    CGXCheckBoxEx(CGXGridCore* pGrid, BOOL bDraw3dFrame = FALSE, UINT nBitmapResourceId = 0,
                  UINT nPrintResourceId = 0);

    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    BOOL GetValue(CString& value) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // Delete clears the value while the cell is edited; Space toggles.
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnClickedButton(CGXChild* pChild) override;

protected:
    // A change of the own copy: redraw, modified, the grid told.
    void ChangeEditedValue(const CString& value);

    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
};
