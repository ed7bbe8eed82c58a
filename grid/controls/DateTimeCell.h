#pragma once
// The date/time cell (control ids 52543 with the pop-up calendar, 52544 without): the current cell
// is edited field by field in a date/time window laid over it; every other cell shows the fields of
// a hidden captive window set to its value. The value is stored as the OLE day count ("%.13g" by
// default) or, when the cell is told so, as a formatted date. User attributes choose the format,
// the range, the validation mode, the fields that cannot be edited and the input rules.

#include "grid/controls/DateTimeCtrl.h"
#include "grid/controls/Static.h"

#include <functional>

class CGXStylesMap;

enum : WORD
{
    GX_IDS_UA_DATENOEDIT = 51034,
    GX_IDS_UA_DATEMIN = 51035,
    GX_IDS_UA_DATEMAX = 51036,
    GX_IDS_UA_DATEVALIDMODE = 51037,
    GX_IDS_UA_DATEFORMATTYPE = 51038,
    GX_IDS_UA_CUSTOMFORMAT = 51039,
    GX_IDS_UA_FASTINPUT = 51044,
    GX_IDS_UA_DATETIMENUMBER = 52571,
    GX_IDS_UA_DATETIMEPRECISION = 52572
};
// The choice lists of the attribute sheet.
const UINT GX_IDS_DATE_NOEDITCHOICES = 20060;
const UINT GX_IDS_DATE_VALIDCHOICES = 20061;
const UINT GX_IDS_DATE_FORMATCHOICES = 20062;

// The hidden windows that convert and draw for other cells; they keep the layout given to them.
class CGXCaptiveDateTimeCtrl : public CGXBDateTimeCtrl
{
    DECLARE_DYNAMIC(CGXCaptiveDateTimeCtrl)

public:
    void LayoutGadgets() override {}
};

class CGXDateTimeCtrl : public CGXBDateTimeCtrl, public CGXStatic
{
    DECLARE_DYNAMIC(CGXDateTimeCtrl)
    GRID_DECLARE_CONTROL(CGXDateTimeCtrl)

public:
    CGXDateTimeCtrl(CGXGridCore* pGrid, UINT nID, DWORD dwWindowStyle);
    ~CGXDateTimeCtrl() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;
    using CGXStatic::GetValue;
    using CGXStatic::SetValue;

    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    // The two captive windows and the cell window, children of the grid.
    virtual BOOL CreateControl();
    virtual void SetStoreAsNumber(BOOL bNumber) { m_bStoreAsNumber = bNumber; }
    // The style's format into a window; TRUE when the format shows a date.
    virtual BOOL ApplyStyleFormat(CGXBDateTimeCtrl* pWnd, const CGXStyle& style);
    // Cuts a text at CR, LF, blanks and the separator text.
    virtual BOOL SplitText(const CString& text, CStringArray& parts);
    // Activates the cell with the field under the point (a grid point) current; a button under it
    // takes the click. Without bForce an empty cell starts at its first field.
    virtual void ActivateAtPoint(UINT nFlags, CPoint point, BOOL bForce);
    // One field of an inactive cell, laid out in the cell's rectangle: the spin pair, a number, a
    // name from a list, literal text, the drop-down button.
    virtual void DrawSpin(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawNumber(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawList(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawStatic(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawButton(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    BOOL OnValidate() override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // The fields of the cell's value side by side in the cell's font: the sum of their widths, the
    // line height or the tallest field.
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    CString GetStyleValue(const CGXStyle& style) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags) override;
    BOOL SysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL GetSelectedText(CString& text) override;
    // Compares the text with the fields in order: a number field by its value, a name field by the
    // beginning of its name; a later search in the same cell goes on behind the last match, or, from
    // the current position, at that match while it is still selected. With bSetCell a match in
    // another cell makes that cell the current one.
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    // ReplaceText: every field that FindText would match takes the replacement (a number field its
    // number, a name field the name it begins), and the date they make becomes the cell's value.
    BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol) override;
    // A single Replace: after a match of FindText in this cell the replacement goes into the field
    // found, as Replace All gives it; otherwise (a paste, a cut) the text replaces the cell's value.
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL Paste() override;
    BOOL Cut() override;
    // The current cell's range through the grid, as its cells show it.
    BOOL Copy() override;

    // ---- Window side ----
    BOOL OnChanging(const COleDateTime& date) override;
    void OnChanged() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A stored value text as a date: a wholly numeric text is a day count (0 included), then the
    // date parser unless bNumberOnly, then any non-zero leading number as a day count.
    static BOOL ParseValue(const CString& text, BOOL bNumberOnly, COleDateTime& date);
    // The stored form of a date: the day count with the precision (that of the current cell when
    // none is given), or the long date and time.
    CString StoredForm(const COleDateTime& date, int nPrecision = 0) const;
    int GetPrecision() const { return m_nPrecision; }
    CGXCaptiveDateTimeCtrl& GetConverter() { return m_converter; }

    BOOL m_bAlwaysShowSpin = FALSE;
    BOOL m_bAlwaysShowButton = FALSE;
    BOOL m_bTabBetweenFields = FALSE;
    CString m_strSeparator = ",";

protected:
    BOOL StartEditing();
    HWND GridHwnd() const;
    // The default of an empty or unusable value: midnight of 30 December 1899 for time-only
    // formats, today at midnight otherwise.
    COleDateTime DefaultValue(const CGXBDateTimeCtrl& wnd) const;
    void ReadSettings(const CGXStyle& style);
    // The converting window set to a cell's format and to its value (the default when the value does
    // not read); FALSE without the window.
    BOOL LoadConverter(const CGXStyle& style);
    // Whether a field matches a search text (upper-cased unless bCase).
    static BOOL FieldMatches(const CGXBDTGadget* pGadget, const CString& find, BOOL bCase);
    // Gives a text to a number or name field of a window; FALSE when the field refuses it.
    static BOOL SetFieldFromText(CGXBDateTimeCtrl& wnd, CGXBDTGadget* pGadget, const CString& text);
    // The replacement into the fields of a cell that choose (field, index) picks -- the active
    // current cell's own, else those of its value in the converting window -- and the date they then
    // make stored as the cell's value. FALSE when no field took it or the cell may not change.
    BOOL ReplaceFields(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, const CString& replacement,
                       const std::function<bool(const CGXBDTGadget*, int)>& choose);
    void ForgetFindMatch();
    // An inactive cell: the fields of the drawing window for the cell's value, the buttons of the
    // current cell at its right edge.
    void DrawInactive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* pStandardStyle);

    DWORD m_dwWindowStyle;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bStoreAsNumber = TRUE;
    BOOL m_bForceNumber = FALSE;
    int m_nPrecision = 13;
    BOOL m_bFormatShowsDate = TRUE;
    UINT m_nID;
    HFONT m_hCellFont = nullptr;
    // The last match of FindText: its cell (none: 0x7fffffff twice), text and the field after it, and
    // the matched field while it is still the selection (-1 once it was replaced).
    ROWCOL m_nFindRow = 0x7fffffff;
    ROWCOL m_nFindCol = 0x7fffffff;
    CString m_strFindText;
    int m_nFindNext = 0;
    int m_nFindMatch = -1;
    CGXCaptiveDateTimeCtrl m_converter;
    CGXCaptiveDateTimeCtrl m_drawer;
};
