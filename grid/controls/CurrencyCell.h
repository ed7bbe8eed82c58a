#pragma once
// The currency cell (control id 52545): the current cell is edited in a currency edit window laid
// over it; every other cell is drawn as static text formatted by a hidden captive window. The
// stored value is a plain number text ("-1234.50"); what the user sees follows the cell's style and
// its currency user attributes (separators, look, sign patterns, digits, symbol).

#include "grid/controls/CurrencyEdit.h"
#include "grid/controls/Static.h"

class CGXStylesMap;

// User attributes of the currency cell (their names are the strings of the same ids).
enum : WORD
{
    GX_IDS_UA_CURRENCYSEPARATORS = 51045,
    GX_IDS_UA_CURRENCYATTRIBUTES = 51046,
    GX_IDS_UA_CURRENCYPOSFORMAT = 51047,
    GX_IDS_UA_CURRENCYNEGFORMAT = 51048,
    GX_IDS_UA_CURRENCYNUMDIGITS = 51049,
    GX_IDS_UA_CURRENCYNUMFRACT = 51050,
    GX_IDS_UA_CURRENCYCALCBUTTON = 51051,
    GX_IDS_UA_CURRENCYSYMBOL = 51054
};
// The choice lists of the sign patterns.
const UINT GX_IDS_CURRENCY_NEGFORMATS = 20064;
const UINT GX_IDS_CURRENCY_POSFORMATS = 20065;
// The picture on the calculator button.
const UINT GX_IDB_CURRENCY_CALCULATOR = 20036;

// The hidden window that formats and parses the values of the cells that are not being edited.
class CGXCaptiveCurEdit : public CGXBCurrencyEdit
{
    DECLARE_DYNAMIC(CGXCaptiveCurEdit)
};

class CGXCurrencyEdit : public CGXBCurrencyEdit, public CGXStatic
{
    DECLARE_DYNAMIC(CGXCurrencyEdit)
    GRID_DECLARE_CONTROL(CGXCurrencyEdit)

public:
    CGXCurrencyEdit(CGXGridCore* pGrid, UINT nID);
    ~CGXCurrencyEdit() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;
    using CGXStatic::IsReadOnly;
    using CGXStatic::SetValue;
    using CGXStatic::GetValue;

    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    // Creates the edit window (hidden, a child of the grid) and the captive window.
    virtual BOOL CreateControl(DWORD dwStyle = WS_CHILD);
    // The style's format into the window's Format (SetFormat: reformats only on a change).
    virtual void ApplyStyleFormat(CGXBCurrencyEdit* pWnd, const CGXStyle& style);
    // The Format a style gives (locale construction, then the attributes).
    CGXBCurrencyEdit::Format FormatOfStyle(const CGXBCurrencyEdit& wnd, const CGXStyle& style);

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pOldStyle) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL SysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    CString GetStyleValue(const CGXStyle& style) override;
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol) override;
    BOOL GetSelectedText(CString& text) override;
    BOOL OnGridCommand(WPARAM wParam, LPARAM lParam) override;

    // ---- Window side ----
    BOOL HitTest(int x, int y, BOOL bClient) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CGXCaptiveCurEdit& GetCaptive() { return m_captive; }

    BOOL m_bButtonHitEverywhere = FALSE;
    // Whole-number search of FindText.
    BOOL m_bFindWholeNumbers = FALSE;

protected:
    // The normalised number text ("%.<places>f" of the signed value) of a value text; FALSE when
    // the text does not read.
    BOOL NormalisedValue(CString& text, const CGXStyle& style);
    // The captive window's display text of a value text; a value that does not read as it is.
    CString DisplayText(const CString& value, const CGXStyle& style);
    // SetFormat on the edit window, keeping a shown text that does not read.
    void SetEditorFormat(const Format& format);
    // Activates through OnStartEditing when needed; FALSE when editing may not start.
    BOOL StartEditing();
    // Handles a key while active; TRUE when taken.
    BOOL HandleActiveKey(UINT nChar, UINT nRepCnt, UINT nFlags);
    void FlipSign();
    HWND GridHwnd() const;

    UINT m_nID;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bSuppressModify = FALSE;
    ROWCOL m_nLastFoundRow = 0;
    // The font of the active cell's window (owned).
    HFONT m_hCellFont = nullptr;
    CGXCaptiveCurEdit m_captive;
};
