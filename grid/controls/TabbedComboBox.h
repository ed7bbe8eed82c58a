#pragma once
// The multi-column combo cells. Every line of the style's choice list holds tab-separated fields:
// the key column's field is stored as the value, the text column's is shown, typed and completed.
// The list shows the text column alone or all columns with lines between them, optionally with
// column titles (the first line) in a header above it, sorted by a column, with given or measured
// widths. CGXTabbedComboBox (control id 52541) is grid-drawn; cells that name the same unique
// choice-list id share one prepared list and the lookup tables kept in the parameter object.

#include "grid/controls/ComboBox.h"

class CGXGridParam;
class CGXStylesMap;
class CGXTabbedComboBox;
class CGXTabbedLBoxHeader;
class CMapStringToString;

// The user attributes of the tabbed combos.
enum : WORD
{
    GX_IDS_UA_TABLIST_KEYCOL = 51028,
    GX_IDS_UA_TABLIST_TEXTCOL = 51029,
    GX_IDS_UA_TABLIST_SHOWALLCOLS = 51030,
    GX_IDS_UA_TABLIST_TITLES = 51031,
    GX_IDS_UA_TABLIST_COLWIDTHS = 51032,
    GX_IDS_UA_TABLIST_SORTCOL = 51033,
    GX_IDS_UA_TABLIST_UNIQUEID = 51055
};

// The column model both tabbed combos read from a style.
struct GXTabbedColumns
{
    int nKeyCol = 0;
    int nTextCol = 0;
    BOOL bShowAllCols = TRUE;
    BOOL bTitles = FALSE;
    int nSortCol = -1;
    CString strColWidths;

    void Read(const CGXStyle& style);
};

// Field of a line, cut at 127 characters.
CString GXTabbedField(LPCTSTR pszLine, int nField);
// The item string of a choice line: the line, or with a text column further right the text field,
// a tab and the line, so that the first field of every item is its text.
CString GXTabbedItem(const CString& line, int nTextCol);
// Column widths (at most 10 columns) from the measured widths (-1: no such column) and the widths
// text ("50,0,80": the numbers in order, anything else separates them); returns the column count.
int GXTabbedColumnWidths(const int* pnMeasured, LPCTSTR pszWidths, BOOL bShowAllCols, int nTextCol, int* pnWidths);
// The list's columns from the measured widths: the tab stops (each the sum of the widths before it,
// one fewer than the columns) into pnTabStops and their count returned; the columns' widths and a
// vertical scroll bar's added to nTotalWidth.
int GXTabbedTabStops(const int* pnMeasured, const GXTabbedColumns& columns, int* pnTabStops, int& nTotalWidth);
// Creates the titles header (a child of pParentWnd) when it has no window yet and hands it the
// columns, tab stops and font to draw the titles with.
void GXPrepareTabbedHeader(CGXTabbedLBoxHeader& header, CWnd* pParentWnd, const GXTabbedColumns& columns,
                           int nTabStops, const int* pnTabStops, CFont* pFont);
// An edited value must match a line of the list (GetValue), then the checks every cell makes.
BOOL GXValidateTabbedCombo(CGXControl& combo);
// The user attributes both tabbed combos read (the unique id of the grid-drawn one aside).
void GXAddTabbedUserAttributes(CGXStylesMap* pStylesMap);

// The list of a tabbed combo: owner-drawn rows of tabbed fields.
class CGXTabbedComboLBox : public CGXComboListBox
{
    DECLARE_DYNAMIC(CGXTabbedComboLBox)

public:
    CGXTabbedComboLBox(CWnd* pOwner, CGXTabbedComboBox* pCombo);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;

    // The key-down and mouse-down flags of a list that is kept between drops.
    void ClearSeen()
    {
        m_bKeyDown = FALSE;
        m_bMouseDown = FALSE;
    }

protected:
    CGXTabbedComboBox* m_pCombo;
};

class CGXTabbedComboBox : public CGXComboBox
{
    DECLARE_DYNAMIC(CGXTabbedComboBox)
    GRID_DECLARE_CONTROL(CGXTabbedComboBox)

public:
    CGXTabbedComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID);
    ~CGXTabbedComboBox() override;

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL OnValidate() override;
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // The key field of the line whose text field is the edit text; FALSE when none is.
    BOOL GetValue(CString& value) override;
    // The edit text becomes the text field of the key's line (empty for none).
    void SetValue(LPCTSTR pszValue) override;
    // The text field of the value's line.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    // A change of the choice list or a column attribute resets the lookup tables of its id.
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pComposedStyle) override;
    BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // TRUE when some line's text field starts with the text.
    BOOL ValidateString(const CString& text) override;

    // ---- Window side ----
    CGXGridCombo* CreateDropDownWnd(CWnd* pParentWnd, const CRect& rect) override;
    CListBox* CreateListBox(CWnd* pPopupWnd, UINT nID) override;
    void ShowDropDown(BOOL bShow) override;
    void GetListBoxValue(CListBox* pListBox) override;
    void FillListBox(CListBox* pListBox) override;
    void GetDropDownRect(CRect& rect, const CRect& rectCell) override;
    // The list and its header are kept: closing only hides them.
    void DestroyDropDownWnd(CGXGridCombo* pPopupWnd) override;
    int GetDropDownRowHeight(CListBox* pListBox) override;
    void PlaceDropDown(CRect& rect, const CRect& rectScreenCell, const CRect& desktop, CListBox* pListBox) override;
    void OnDropDownShown(CListBox* pListBox, const CRect& rect) override;
    // Completes the edit text from the text column and selects the completion.
    virtual void AutoComplete();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The lookup tables of a style's unique choice-list id (made on demand), NULL without an id.
    CMapStringToString* GetKeyMap(const CGXStyle& style);
    CMapStringToString* GetTextMap(const CGXStyle& style);
    // Deletes the tables of an id (-1: of every id) and raises the choice-list generation.
    static void ResetChoiceListMaps(CGXGridParam* pParam, int nId);
    void SetColumnCount(int nCount);
    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    const GXTabbedColumns& GetColumns() const { return m_columns; }
    int GetTabStopCount() const { return m_nTabStops; }
    const int* GetTabStops() const { return m_pTabStops; }
    int GetTotalListWidth() const { return m_nTotalWidth; }
    CGXTabbedLBoxHeader* GetHeader() const { return m_pHeader; }
    CListBox* GetKeptListBox() const;

    COLORREF m_rgbGridLine = RGB(192, 192, 192);
    COLORREF m_rgbListBack;
    COLORREF m_rgbListText;
    BOOL m_bAutoComplete = TRUE;
    int m_nRowHeight = 10;
    // The item string being added (MeasureItem reads it before the list holds it).
    CString m_strItemText;

protected:
    CMapStringToString* GetMap(const CGXStyle& style, BOOL bKeys);
    // The line of a key, or of a text (exact), in the style's choice list or maps; FALSE without one.
    BOOL FindLineByKey(const CGXStyle& style, const CString& key, CString& line, int* pIndex = nullptr);
    BOOL FindLineByText(const CGXStyle& style, const CString& text, CString& line);
    int UniqueId(const CGXStyle& style) const;
    // Puts a text into the edit window as the edit's own text change.
    void SetEditText(const CString& text);

    GXTabbedColumns m_columns;
    int m_nFilledForId = 0;
    int m_nFillGeneration = -1;
    int m_nTotalWidth = 0;
    int m_nTabStops = 0;
    int* m_pTabStops = nullptr;
    CGXTabbedLBoxHeader* m_pHeader;
    BOOL m_bListFilled = FALSE;
    CGXTabbedComboLBox* m_pTabbedListBox = nullptr;
    CGXGridCombo* m_pTabbedDropDown = nullptr;
};
