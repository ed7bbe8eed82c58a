#pragma once
// The multi-column combo cell on a real Windows combo (control ids 52539, a drop-down, and 52540, a
// drop-down list): the column model of the grid-drawn tabbed combo on an owner-drawn combo window.
// Its items are the choice lines (with the text field in front when the text column is not the
// first); the edit field shows only an item's first field; typing completes from the items and a
// character that leaves no item is refused. The system's dropped list is widened and moved when it
// shows, with the titles in a header directly above it.

#include "grid/controls/ComboBoxWnd.h"
#include "grid/controls/TabbedComboBox.h"

class CGXTabbedComboBoxWnd;
class CGXTabbedLBoxHeader;

// The combo's edit field: shows the first field of a text, completes typing.
class CGXTabbedCBEditWnd : public CEdit
{
    DECLARE_DYNAMIC(CGXTabbedCBEditWnd)

public:
    explicit CGXTabbedCBEditWnd(CGXTabbedComboBoxWnd* pCombo) : m_pCombo(pCombo) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnChar(UINT nChar, LPARAM lParam);

    CGXTabbedComboBoxWnd* m_pCombo;
};

class CGXTabbedComboBoxWnd : public CGXComboBoxWnd
{
    DECLARE_DYNAMIC(CGXTabbedComboBoxWnd)
    GRID_DECLARE_CONTROL(CGXTabbedComboBoxWnd)

public:
    explicit CGXTabbedComboBoxWnd(CGXGridCore* pGrid);
    ~CGXTabbedComboBoxWnd() override;

    // An owner-drawn combo of variable item heights with strings, drop-down or drop-down list.
    BOOL CreateControl(DWORD dwStyle, UINT nID) override;

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnValidate() override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pComposedStyle) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    void OnClickedButton(CGXChild* pChild) override;
    BOOL OnGridCommand(WPARAM wParam, LPARAM lParam) override;
    // Places the system's dropped list (and the header) whenever it asks for its colours.
    HBRUSH OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    BOOL ValidateString(const CString& text) override;

    // ---- Window side ----
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    // Escape closes the list and cancels the edit; other keys as the Windows combo cell routes them.
    BOOL HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void PrepareActiveDraw(const CGXStyle& style, const TEXTMETRICA& tm) override;
    int GetDroppedHeight(const TEXTMETRICA& tm) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Rebuilds the items from the cell's choice list and measures the columns.
    virtual void FillListBox();
    // The combo is disabled on a read-only cell; its edit field stays enabled but read-only.
    virtual void SetReadOnly(BOOL bReadOnly);
    virtual void OpenOnClick();
    void SetColumnCount(int nCount);
    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    const GXTabbedColumns& GetColumns() const { return m_columns; }
    int GetTotalListWidth() const { return m_nTotalWidth; }
    CGXTabbedLBoxHeader* GetHeader() const { return m_pHeader; }
    CGXTabbedCBEditWnd* GetTabbedEdit() const { return m_pEditWnd; }
    // The text of an item (the first field; an edit field never shows more).
    CString ItemText(int nIndex);

    COLORREF m_rgbGridLine = RGB(192, 192, 192);
    COLORREF m_rgbListBack;
    COLORREF m_rgbListText;

protected:
    // Places the dropped list (L, screen coordinates) and the header as the titles need.
    void PlaceDroppedList(HWND hList);
    CString ChoiceLines(const CGXStyle& style) const;
    int HeaderHeight();

    GXTabbedColumns m_columns;
    CRect m_rectList;
    int m_nTotalWidth = 0;
    CGXTabbedCBEditWnd* m_pEditWnd = nullptr;
    int m_nTabStops = 0;
    int* m_pTabStops = nullptr;
    CGXTabbedLBoxHeader* m_pHeader;
    BOOL m_bSkipNextDraw = FALSE;
    CString m_strItemText;
};
