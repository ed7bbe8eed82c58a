#pragma once
// The grid engine: rows, columns, current cell, drawing, editing and the hooks an application's
// grid subclass overrides. It is not a window; CGXGridWnd joins it with one.
//
// So far the engine has what its cell controls and shared objects call: the parameter object,
// the current cell record, the control map, style composition and value stores, and the hooks of
// editing and clicking. Geometry, drawing, scrolling and undo come with their own source files.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Range.h"

class CDC;
class CGXAppData;
class CGXChild;
class CGXControl;
class CGXGridParam;
class CGXProperties;
class CGXRangeList;
class CGXStyle;
class CGXStylesMap;
class CWnd;

// Redraw flags.
enum : UINT
{
    GX_UPDATENOW = 0,
    GX_INVALIDATE = 1,
    GX_SMART = 2
};

class CGXGridCore
{
public:
    // The grid's window (CGXGridWnd passes itself), a window that owns shared scroll bars and
    // a window for printing.
    explicit CGXGridCore(CWnd* pGridWnd = nullptr, CWnd* pScrollWnd = nullptr, CWnd* pPrintWnd = nullptr);
    virtual ~CGXGridCore();
    CGXGridCore(const CGXGridCore&) = delete;
    CGXGridCore& operator=(const CGXGridCore&) = delete;

    // ---- Parameter object and shared objects ----
    // NULL makes a new parameter object. The previous one is deleted when the grid owned it.
    void SetParam(CGXGridParam* pParam, BOOL bMustDelete = TRUE);
    CGXGridParam* GetParam() const { return m_pParam; }
    CGXStylesMap* GetStylesMap() const;
    CGXProperties* GetProperties() const;
    CGXAppData* GetAppData() const { return m_pAppData; }
    CWnd* GridWnd() const { return m_pGridWnd; }

    // ---- Counts and read-only state ----
    virtual ROWCOL GetRowCount();
    virtual ROWCOL GetColCount();
    virtual ROWCOL GetFrozenRows();
    virtual ROWCOL GetFrozenCols();
    virtual ROWCOL GetHeaderRows();
    virtual ROWCOL GetHeaderCols();
    virtual BOOL IsReadOnly();
    virtual BOOL SetReadOnly(BOOL bReadOnly);
    BOOL IsPrinting() const { return m_bPrinting; }

    // ---- Styles and values ----
    // A new, empty style of the grid's style class, and its return.
    virtual CGXStyle* NewStyle();
    virtual void RecycleStyle(CGXStyle* pStyle);
    virtual BOOL GetStoredStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType);
    virtual BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType);
    // The cell's effective style: its own attributes completed by the row, column and table base
    // styles, the header styles and the base-style chain, and the standard style when asked.
    virtual void BuildEffectiveStyle(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bIncludeStandard = TRUE);
    // The effective style of a cell, composed into a style the grid keeps until the next call.
    const CGXStyle& LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType = 0,
                               UINT nFlags = GX_INVALIDATE);
    BOOL SetValueRange(const CGXRange& range, LPCTSTR pszValue, GXModifyType mode = gxOverride,
                       UINT nFlags = GX_INVALIDATE);
    CString GetValueRowCol(ROWCOL nRow, ROWCOL nCol);
    // The text as the value (value type text) of one cell, through SetValueRange.
    BOOL StoreCellValueText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = GX_INVALIDATE);
    // Hands the text to the cell's own control to store.
    virtual BOOL SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = GX_INVALIDATE,
                                      const CGXStyle* pOldStyle = nullptr);
    BOOL StoreTextThroughControl(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                 const CGXStyle* pOldStyle)
    {
        return SetControlTextRowCol(nRow, nCol, text, nFlags, pOldStyle);
    }
    // The style a control is storing right now (set by the control's SetControlText), or NULL.
    const CGXStyle* m_pStyleBeingStored = nullptr;

    // ---- Controls ----
    // The control for a control id (0 = the default control), created through the factory on first use.
    virtual CGXControl* GetRegisteredControl(WORD nControlId);
    virtual CGXControl* GetControl(ROWCOL nRow, ROWCOL nCol);
    // Registers a control object for an id; the grid owns it from then on.
    void RegisterControl(WORD nControlId, CGXControl* pControl);
    WORD m_nDefaultControl;

    // ---- Current cell ----
    BOOL GetCurrentCell(ROWCOL& nRow, ROWCOL& nCol, BOOL bIgnorePrinting = FALSE);
    // GX_INVALID as row or column matches any.
    BOOL IsCurrentCell(ROWCOL nRow = GX_INVALID, ROWCOL nCol = GX_INVALID, BOOL bIgnorePrinting = FALSE);
    void SetCurrentCellInfo(BOOL bValid, ROWCOL nRow = 0, ROWCOL nCol = 0);
    CGXControl* GetCurrentCellControl();
    BOOL IsActiveCurrentCell();
    virtual BOOL ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT flags = GX_UPDATENOW, BOOL bFloatCell = FALSE);
    // Set while the current cell is not to be scrolled into view when editing starts.
    BOOL m_bNoScrollOnStartEditing = FALSE;
    // Set while the grid changes the focus itself.
    BOOL m_bFocusChanging = FALSE;

    // ---- Hooks of the cell controls ----
    virtual BOOL OnStartEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnCancelEditing(ROWCOL nRow, ROWCOL nCol);
    virtual void OnCanceledEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnEndEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnLeftCell(ROWCOL nRow, ROWCOL nCol, ROWCOL nNewRow, ROWCOL nNewCol);
    virtual BOOL OnDeleteCell(ROWCOL nRow, ROWCOL nCol);
    virtual void OnCellModified(ROWCOL nRow, ROWCOL nCol);
    virtual void NotifyCellControlInit(ROWCOL nRow, ROWCOL nCol);
    virtual void OnCellControlInit(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnCellMiddleClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnCellRightClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnCellLeftDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnCellMiddleDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnCellRightDblClicked(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL OnMouseMoveOver(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual void OnClickedButtonRowCol(ROWCOL nRow, ROWCOL nCol);
    // The last say on whether an edited cell may be stored.
    virtual BOOL ValidateCellHook(ROWCOL nRow, ROWCOL nCol);
    // The text a control hands over when it refuses an edited value.
    virtual void SetValidationWarning(const CString& text);
    const CString& GetValidationWarning() const { return m_strValidationWarning; }
    BOOL m_bCellModified = FALSE;

    // ---- Geometry and redraw ----
    // The cell's rectangle in the window; empty while the grid has no geometry.
    virtual CRect CalcCellRect(ROWCOL nRow, ROWCOL nCol);
    // The cell's inner rectangle: inside its borders and, with bGridLines, its grid lines.
    virtual void SubtractBorders(CRect& rectInner, const CRect& rect, const CGXStyle& style, BOOL bGridLines = TRUE);
    // A size grown by the borders and the 3-D frame of a style.
    virtual CSize AddBorders(CSize size, const CGXStyle& style);
    virtual void RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT nFlags = GX_SMART);
    void InvalidateRect(const CRect& rect, BOOL bErase = FALSE);

    // ---- Features the controls reach (neutral while their components are missing) ----
    virtual BOOL CutRanges(const CGXRangeList& ranges, BOOL bClearStyles = FALSE);
    virtual BOOL DelayFloatCells(const CGXRange& range, ROWCOL nMaxCols = GX_INVALID);
    virtual BOOL EvalFloatCells(const CGXRange& range, BOOL bUpdate = TRUE, CGXRange* pUpdated = nullptr,
                                BOOL bCreateHint = FALSE);
    virtual BOOL FindTextInCell(CGXControl* pControl, LPCTSTR pszFind, BOOL bNext, BOOL bCase, BOOL bSetCell);
    virtual BOOL ReplaceAllInCell(CGXControl* pControl, LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase);
    virtual BOOL MarkEditHeader(CGXControl* pControl, BOOL bEditing, ROWCOL nRow, ROWCOL nCol);
    // The grid's own clipboard format is on the clipboard and the grid pastes it itself.
    virtual BOOL CanPasteGridFormat();

protected:
    CGXAppData* m_pAppData;
    CWnd* m_pGridWnd;
    CWnd* m_pScrollWnd;
    CWnd* m_pPrintWnd;
    CGXGridParam* m_pParam = nullptr;
    BOOL m_bOwnParam = FALSE;
    BOOL m_bPrinting = FALSE;

    BOOL m_bCurrentCell = FALSE;
    ROWCOL m_nCurrentRow = 0;
    ROWCOL m_nCurrentCol = 0;
    CGXControl* m_pCurrentCellControl = nullptr;
    ROWCOL m_nLastInitRow = GX_INVALID;
    ROWCOL m_nLastInitCol = GX_INVALID;

    CMapWordToPtr m_ControlMap{10};  // control id -> CGXControl*
    CString m_strValidationWarning;
    CGXStyle* m_pLookupStyle = nullptr;
};
