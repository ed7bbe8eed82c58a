#pragma once
// The rich-edit cell (control id 52534): a cell whose value is Rich Text Format, edited in the
// current cell in a real rich edit window and drawn elsewhere from the RTF into the grid's device
// context. Fonts, text colour and horizontal alignment applied to such a cell become formatting
// inside its RTF instead of style attributes. Four hidden rich edit windows help: one draws inactive
// cells, one converts RTF to plain text and serves find, replace and formatting of inactive cells,
// one measures the height a text needs, one reads the formats of an inactive cell.
//
// A value that is not RTF ("{...}" without "\rtf") is read as the body of an RTF group, so the
// compact values this cell makes of plain text ("{text}") load into any rich edit.

#include "framework/win/RichEditCtrl.h"
#include "grid/core/Control.h"

class CGXRange;

class CGXRichEditCtrl : public CRichEditCtrl, public CGXControl
{
    DECLARE_DYNAMIC(CGXRichEditCtrl)
    GRID_DECLARE_CONTROL(CGXRichEditCtrl)

public:
    explicit CGXRichEditCtrl(CGXGridCore* pGrid);
    ~CGXRichEditCtrl() override;

    using CGXControl::IsKindOf;
    using CObject::IsKindOf;

    // The edit window (a child of the grid window with the id) and its four helpers; TRUE when all
    // five exist.
    virtual BOOL CreateControl(DWORD dwStyle, UINT nID);

    // Plain text as the compact RTF value of a cell: "\", "{" and "}" escaped, paragraph breaks as
    // "\par", in one group.
    static CString WrapPlainText(const CString& text);
    // RTF into a rich edit window (a value that is not RTF as described above; "" empties it).
    static BOOL StreamInRTF(CRichEditCtrl& wnd, const CString& text);
    static CString StreamOutRTF(CRichEditCtrl& wnd);

    // The alignment, font and text colour a style sets, as rich edit formats.
    virtual void StyleToFormats(PARAFORMAT2& pf, CHARFORMAT& cf, const CGXStyle& style);
    // The formats' alignment, font and text colour into a style.
    virtual void FormatsToStyle(const PARAFORMAT2& pf, const CHARFORMAT& cf, CGXStyle& style);

    // ---- Cell-control interface ----
    CRuntimeClass* GetWndRuntimeClass() override;
    CWnd* GetWnd() override;
    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL Store() override;
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) override;
    // The size the cell's text needs in its (covered) cell's width.
    CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                   BOOL bVert) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL GetCurrentText(CString& text) override;
    void SetCurrentText(const CString& text) override;
    // Active: the window's content as RTF, in the compact form when it carries no formatting of its
    // own; else the cell's value.
    BOOL GetValue(CString& value) override;
    void SetValue(LPCTSTR pszValue) override;
    // The plain text of the value.
    BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style) override;
    BOOL SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = 1,
                        const CGXStyle* pOldStyle = nullptr) override;
    // Plain text becomes a compact RTF value, cut to the style's maximum length first.
    BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle) override;
    // Alignment, font and text colour go into the cell's RTF; the rest of the style is stored.
    BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                          const CGXStyle* pComposedStyle) override;
    BOOL GetModifiedValue(CGXStyle& style) override;
    void Hide() override;
    BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags) override;
    BOOL Copy() override;
    BOOL Paste() override;
    BOOL Cut() override;
    BOOL CanPaste() override;
    // Find and replace in the cell's text; an empty search text finds nothing.
    BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                  BOOL bSetCell) override;
    void ReplaceSel(LPCTSTR pszText) override;
    BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol) override;
    BOOL GetSelectedText(CString& text) override;
    BOOL ValidateString(const CString&) override { return TRUE; }
    BOOL ValidatePaste(const CString&) override { return TRUE; }
    BOOL FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell);
    BOOL ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol);

    // ---- Window side ----
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set while an active cell is drawn, a paste runs and after a press in the edit window: the
    // edit window's requests to resize are ignored then. One for all rich-edit cells.
    static BOOL s_bSuppressResize;

    int GetInitialRowHeight() const { return m_nInitialRowHeight; }

protected:
    // A hidden helper window with the text it last received.
    struct CHelperWindow
    {
        CRichEditCtrl wnd;
        CString text;
        CHARFORMAT charFormat = {};
        BOOL valid = FALSE;
    };
    // Streams the text into a helper unless it holds it already.
    static void Load(CHelperWindow& helper, const CString& text);
    // The same with the cell's font as the default of text without a font of its own.
    void Load(CHelperWindow& helper, const CString& text, const CGXStyle& style);
    // The edit window's plain text with "\r" ending each paragraph but the last.
    static CString PlainText(CRichEditCtrl& wnd);
    // The cell's range: its covered range, else the cell alone.
    CGXRange CellRange(ROWCOL nRow, ROWCOL nCol);
    void GrowRow(const RECT& requested);
    // The device a window lays its text out for: wrapping at the window on the screen, else the
    // DC's attribute device at the width.
    void ApplyTargetDevice(CRichEditCtrl& wnd, CDC* pDC, int nWidth);
    int FindIn(CRichEditCtrl& wnd, const CString& find, BOOL bCase, long nFrom, CHARRANGE& found);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    BOOL m_bActive = FALSE;
    DWORD m_dwEventMask = ENM_CHANGE | ENM_UPDATE | ENM_REQUESTRESIZE | ENM_SELCHANGE | ENM_PROTECTED;
    DWORD m_dwOptions = ECO_AUTOWORDSELECTION | ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL | ECO_SAVESEL;
    BOOL m_bKeepRowHeight = TRUE;
    int m_nInitialRowHeight = 0;
    BOOL m_bAutoGrow = FALSE;
    BOOL m_bMeasuring = FALSE;
    RECT m_rectRequested = {0, 0, 0, 0};
    CHelperWindow m_draw;
    CHelperWindow m_convert;
    CHelperWindow m_measure;
    CHelperWindow m_format;
};
