#pragma once
// The interface of every cell control: the object that draws the cells of one control id and,
// while a cell is current, edits it. The grid keeps one control per id and attaches it to the cell
// that needs it; a control reports back through the grid's hooks. The base draws its children,
// edits nothing, and gives every edit-type control the default text and value services.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/GridTypes.h"

#include <windows.h>

class CDC;
class CGXControl;
class CGXFindReplaceSettings;
class CGXGridCore;
class CGXStyle;
class CGXStylesMap;
class CRuntimeClass;
class CWnd;

// Run-time type of a control class: its name and its base class's record.
struct CGXControlClassInfo
{
    LPCSTR m_lpszClassName;
    const CGXControlClassInfo* m_pBaseClassInfo;
};

#define GRID_CONTROL_CLASSINFO(class_name) (&class_name::classInfo##class_name)

#define GRID_DECLARE_CONTROL(class_name) \
public: \
    static const CGXControlClassInfo classInfo##class_name; \
    const CGXControlClassInfo* GetClassInfo() const override;

#define GRID_IMPLEMENT_CONTROL(class_name, base_class_name) \
    const CGXControlClassInfo class_name::classInfo##class_name = {#class_name, \
                                                                   GRID_CONTROL_CLASSINFO(base_class_name)}; \
    const CGXControlClassInfo* class_name::GetClassInfo() const { return GRID_CONTROL_CLASSINFO(class_name); }

class CGXCellTipWnd;

// The fit flags of a cell tip: the text (or bitmap) is wider (1) or taller (2) than the visible
// cell, reaches past the grid window's left or right (4) or top or bottom (8) edge, or past the
// screen's (16, 32). 0: no tip.
enum : UINT
{
    GX_TIP_WIDER = 1,
    GX_TIP_TALLER = 2,
    GX_TIP_OUTSIDEGRIDX = 4,
    GX_TIP_OUTSIDEGRIDY = 8,
    GX_TIP_OUTSIDESCREENX = 16,
    GX_TIP_OUTSIDESCREENY = 32
};
// Tip kinds.
enum : int
{
    GX_TIP_TEXT = 1,
    GX_TIP_BITMAP = 2
};

// Decides the tips of the cells of one control; tip classes derive from it and the control owns it.
class CGXCellTipBase
{
public:
    virtual ~CGXCellTipBase() = default;
    virtual UINT GetTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) = 0;
    virtual int GetTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style) = 0;
    // Lays out the hidden tip window for the kind it holds (font, text or bitmap, rectangles).
    virtual void InitTipWindow(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CGXCellTipWnd* pTipWnd) = 0;
};

// A part of a cell control with its own rectangle in grid-window coordinates (a button and the
// like); the control owns it, lays it out for the cell it draws or is clicked in, draws it and passes
// it mouse and keyboard input. One child serves every cell of its control.
class CGXChild
{
public:
    explicit CGXChild(CGXControl* pComposite) : m_pComposite(pComposite) {}
    virtual ~CGXChild() = default;
    CGXChild(const CGXChild&) = delete;
    CGXChild& operator=(const CGXChild&) = delete;

    virtual void SetRect(const RECT& rect) { m_rect = rect; }
    const CRect& GetRect() const { return m_rect; }
    // Copies the rectangle out; returns the pointer given.
    virtual LPRECT GetRect(LPRECT pRect) const
    {
        *pRect = m_rect;
        return pRect;
    }
    // Windows' rule: the right and bottom edges lie outside.
    virtual BOOL PtInRect(CPoint point) const { return m_rect.PtInRect(point); }
    // The owner's focus child is this one.
    virtual BOOL HasFocus() const;
    // The caption; NULL gives an empty one.
    virtual void SetText(LPCTSTR pszText) { m_strText = pszText != nullptr ? pszText : ""; }
    virtual CString GetText() const { return m_strText; }
    // bActive: the owner's cell is the grid's current cell. The base draws through OnDraw.
    virtual void Draw(CDC* pDC, BOOL bActive, const CGXStyle& style);
    virtual void OnDraw(CDC* pDC, BOOL bActive) = 0;
    // Invalidates (erasing) the rectangle in the grid window.
    virtual void Refresh();

    virtual BOOL MouseMove(UINT, CPoint) { return FALSE; }
    // A move over the owner's cell (nRow, nCol) while no button is held.
    virtual BOOL MouseMoveOver(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }
    virtual BOOL LButtonDown(UINT, CPoint) { return FALSE; }
    virtual BOOL LButtonUp(UINT, CPoint) { return FALSE; }
    virtual BOOL LButtonDblClk(UINT, CPoint) { return FALSE; }
    virtual BOOL MButtonDown(UINT, CPoint) { return FALSE; }
    virtual BOOL MButtonUp(UINT, CPoint) { return FALSE; }
    virtual BOOL MButtonDblClk(UINT, CPoint) { return FALSE; }
    virtual BOOL RButtonDown(UINT, CPoint) { return FALSE; }
    virtual BOOL RButtonUp(UINT, CPoint) { return FALSE; }
    virtual BOOL RButtonDblClk(UINT, CPoint) { return FALSE; }

    // WM_KEYDOWN .. WM_SYSDEADCHAR to the key operations below (characters joined to double-byte ones
    // first); TRUE when the child took the message.
    virtual BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL KeyDown(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL KeyUp(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL Char(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL CharDbcs(const CString&, UINT, UINT) { return FALSE; }
    virtual BOOL DeadChar(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL SysKeyDown(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL SysKeyUp(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL SysChar(UINT, UINT, UINT) { return FALSE; }
    virtual BOOL SysDeadChar(UINT, UINT, UINT) { return FALSE; }

    virtual void OnGridWinIniChange(LPCTSTR) {}
    virtual void OnGridSysColorChange() {}
    virtual void OnGridCancelMode() {}

    CGXControl* GetComposite() const { return m_pComposite; }

protected:
    CGXControl* m_pComposite;
    CRect m_rect;
    CString m_strText;
    // A double-byte lead byte of WM_CHAR input waiting for its trail byte.
    BOOL m_bDbcsLeadPending = FALSE;
    BYTE m_dbcsLeadByte = 0;
};

// The user attributes by which the base validates an edited value.
enum : WORD
{
    GX_IDS_UA_VALID_MIN = 51011,
    GX_IDS_UA_VALID_MAX = 51012,
    GX_IDS_UA_VALID_MSG = 51013,
    GX_IDS_UA_RTLREADING = 52570
};

// Collects one byte of WM_CHAR input: TRUE when it belonged to a double-byte character (out then
// holds both bytes once the trail byte came, nothing while the lead byte waits), FALSE for a
// single-byte character (out holds it).
BOOL GXAppendDbcsChar(UINT nChar, CString& out, BOOL& bLeadPending, BYTE& leadByte);

class CGXControl
{
public:
    static const CGXControlClassInfo classInfoCGXControl;

    explicit CGXControl(CGXGridCore* pGrid);
    virtual ~CGXControl();
    CGXControl(const CGXControl&) = delete;
    CGXControl& operator=(const CGXControl&) = delete;

    // TRUE when the control's class is the record's class, or derived from it; records of the same
    // class name count as the same class.
    BOOL IsKindOf(const CGXControlClassInfo* pClassInfo) const;

    // ---- Virtual operations, in the order of the table ----
    virtual const CGXControlClassInfo* GetClassInfo() const;
    virtual CRuntimeClass* GetWndRuntimeClass();
    virtual CWnd* GetWnd();
    virtual void SetActive(BOOL bActive);
    virtual BOOL IsActive();
    virtual BOOL IsDropDownVisible();
    virtual void SetModify(BOOL bModified);
    virtual BOOL GetModify();
    virtual void Init(ROWCOL nRow, ROWCOL nCol);
    virtual void Reset();
    virtual BOOL Store();
    virtual BOOL OnValidate();
    virtual BOOL OnStartEditing();
    virtual void OnModifyCell();
    virtual BOOL OnCancelEditing();
    virtual void OnCanceledEditing();
    virtual BOOL OnEndEditing();
    virtual BOOL OnLeftCell(ROWCOL nNewRow, ROWCOL nNewCol);
    virtual BOOL OnDeleteCell();
    // The cell's rectangle (the given one, else the grid's) inside its borders.
    virtual CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr,
                              const CGXStyle* pStyle = nullptr);
    virtual CSize GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual CSize CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                           BOOL bVert);
    virtual int CalcSizeLimit(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual BOOL HasValue(const CGXStyle& style);
    // May the cell's text float over empty neighbours (bFloatCell), or may the cell be covered by a
    // neighbour's text: the base control does neither; text cells answer the floating-cells rule.
    virtual BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell);
    virtual void DrawFrame(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* pStandardStyle);
    virtual BOOL GetCurrentText(CString& text);
    virtual void SetCurrentText(const CString& text);
    virtual BOOL GetValue(CString& value);
    virtual void SetValue(LPCTSTR pszValue);
    // The display text of a value (the style's value when pszValue is NULL).
    virtual BOOL GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style);
    virtual BOOL SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = 1,
                                const CGXStyle* pOldStyle = nullptr);
    virtual BOOL ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle);
    // The last step of SetControlText: stores a converted text that passed the checks (as the cell's
    // text value here; a control may store it as another kind of value).
    virtual BOOL StoreControlText(ROWCOL nRow, ROWCOL nCol, CString& text, const CGXStyle& style, UINT nFlags);
    virtual BOOL ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                  const CGXStyle* pComposedStyle);
    virtual BOOL GetModifiedValue(CGXStyle& style);
    virtual BOOL GetChoiceListItem(CString& item, LPCTSTR pszChoiceList, int nIndex);
    virtual int FindStringInChoiceList(CString& item, LPCTSTR pszText, LPCTSTR pszChoiceList, BOOL bExact);
    virtual void Hide();
    virtual void Refresh();
    virtual BOOL MouseMove(UINT nFlags, CPoint point);
    virtual BOOL MouseMoveOver(UINT nFlags, CPoint point);
    virtual BOOL LButtonDown(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL LButtonUp(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL LButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL MButtonDown(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL MButtonUp(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL MButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL RButtonDown(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL RButtonUp(UINT nFlags, CPoint point, UINT nHitState);
    virtual BOOL RButtonDblClk(UINT nFlags, CPoint point);
    virtual int GetExtraWidth(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // A message the grid window pre-translates while this control is the current cell's.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL KeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL Char(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL CharDbcs(const CString& text, UINT nRepCnt, UINT nFlags);
    virtual BOOL DeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL SysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL SysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL SysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL SysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL Copy();
    virtual BOOL Paste();
    virtual BOOL Cut();
    virtual BOOL IsInit();
    virtual BOOL CanCut();
    virtual BOOL CanPaste();
    // The value text of a style, unformatted.
    virtual CString GetStyleValue(const CGXStyle& style);
    // Whether the settings' search text occurs in the cell (from the current position of an active
    // editor with bCurrentPos, else just after it); with bSetCell a hit becomes the current cell. The
    // base leaves both to the grid's find/replace component; editors search their own text.
    virtual BOOL FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                          BOOL bSetCell);
    virtual void ReplaceSel(LPCTSTR pszText);
    // Replaces every occurrence in the cell; TRUE when it stored a new text.
    virtual BOOL ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol);
    virtual BOOL GetSelectedText(CString& text);
    virtual void OnClickedButton(CGXChild* pChild);
    virtual int GetHitState(CPoint point, UINT nFlags);
    virtual void OnGridScroll(UINT nMessage, UINT nSBCode, UINT nPos);
    virtual BOOL OnNotifyMessage(MSG* pMsg);
    virtual void OnGridWinIniChange(LPCTSTR pszSection);
    virtual void OnGridSysColorChange();
    virtual BOOL IsReadOnly();
    virtual void OnGridCancelMode();
    // The tip's fit flags (0 without a tip object), its kind (0x7FFFFFFF without one) and its window.
    virtual UINT GetCellTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual int GetCellTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void InitCellTipWindow(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CGXCellTipWnd* pTipWnd);
    virtual int GetDropDownState();
    virtual void AddChild(CGXChild* pChild);
    virtual void RemoveChild(CGXChild* pChild);
    virtual CGXChild* GetChild(int nIndex);
    virtual int GetChildCount();
    virtual CGXChild* GetFocusChild();
    virtual void SetFocusChild(CGXChild* pChild);
    virtual void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect);
    virtual void DrawBackground(CDC* pDC, const CRect& rect, const CGXStyle& style, BOOL bErase = FALSE);
    virtual void Draw3dFrame(CDC* pDC, const CRect& rect, const CGXStyle& style);
    virtual BOOL ValidateString(const CString& text);
    virtual BOOL ValidatePaste(const CString& text);
    virtual void OnInitChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect);
    virtual BOOL MarkEditHeader(BOOL bEditing, ROWCOL nRow, ROWCOL nCol);
    // Messages of the grid window the current cell's control answers first: 0 (or NULL) leaves them
    // to the grid.
    virtual int OnGridMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    virtual BOOL OnGridCommand(WPARAM wParam, LPARAM lParam);
    virtual HBRUSH OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // Whether drawing the cell would only fill its rectangle with the style's interior, exactly as
    // CGXGridCore::DrawBrushRect does, and draw nothing else (an empty text cell). The paint then
    // fills a run of such neighbours at once and tells each through CGXGridCore::IsInteriorPainted.
    // Only a control that knows its whole drawing may answer TRUE; the base answers FALSE.
    virtual BOOL DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // Whether drawing the cell (at least 2 pixels wide and high, not the current cell) starts by
    // filling its whole rectangle with the style's solid interior, before anything else is drawn in
    // it. The paint's row fill then leaves the cell out: it would only be filled twice. Only a control
    // that knows its whole drawing may answer TRUE; the base answers FALSE.
    virtual BOOL FillsBackground(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);

    // ---- Non-virtual operations ----
    BOOL IsInitAt(ROWCOL nRow, ROWCOL nCol) const { return m_bInit && m_nRow == nRow && m_nCol == nCol; }
    CGXGridCore* Grid() const { return m_pGrid; }
    CWnd* GetGridWnd() const;
    // The effective style of the control's cell, composed through the grid on first request.
    CGXStyle& GetCachedStyle();
    // Deletes the cached style; with bTellGrid the grid's style cache hears of it too.
    void FreeStyle(BOOL bTellGrid);
    // WM_KILLFOCUS to the grid window naming the window that gets the focus, unless that is the
    // grid window itself or the grid is changing its own focus.
    void NotifyKillFocus(CWnd* pNewWnd);
    // Attaches a tip object (owned from then on; the previous one is deleted).
    void AttachCellTip(CGXCellTipBase* pTip);
    CGXCellTipBase* GetCellTip() const { return m_pCellTip; }
    // Registers the validation user attributes of the base in a styles map.
    static void AddUserAttributes(CGXStylesMap* pStylesMap);

    ROWCOL m_nRow = GX_INVALID;
    ROWCOL m_nCol = GX_INVALID;

protected:
    CGXGridCore* m_pGrid;
    CGXStyle* m_pStyle = nullptr;
    BOOL m_bInit = FALSE;
    CPtrList* m_pChildList = nullptr;
    CGXChild* m_pFocusChild = nullptr;
    CGXCellTipBase* m_pCellTip = nullptr;
    // A double-byte lead byte of WM_CHAR input waiting for its trail byte.
    BOOL m_bDbcsLeadPending = FALSE;
    BYTE m_dbcsLeadByte = 0;

private:
    using ChildButtonFn = BOOL (CGXChild::*)(UINT, CPoint);
    using GridClickFn = BOOL (CGXGridCore::*)(ROWCOL, ROWCOL, UINT, CPoint);

    CGXChild* ChildFromPt(CPoint point);
    // Lays the children out in the control's own cell again (a drawing of another cell may have
    // moved them); the focus child is the caller's to keep.
    void LayoutChildrenForCell();
    // One routine per kind of button event, for all three buttons.
    BOOL ChildButtonDown(ChildButtonFn pfnChild, UINT nFlags, CPoint point);
    BOOL ChildButtonUp(ChildButtonFn pfnChild, GridClickFn pfnClicked, UINT nFlags, CPoint point);
    BOOL ChildButtonDblClk(ChildButtonFn pfnChild, GridClickFn pfnClicked, UINT nFlags, CPoint point);
};

// The style a control reads a cell's text with: the one the caller gave, or else the cell's effective
// style, composed for as long as this object lives and then handed back to the grid.
class CGXCellStyleScope
{
public:
    CGXCellStyleScope(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pGiven);
    ~CGXCellStyleScope();
    CGXCellStyleScope(const CGXCellStyleScope&) = delete;
    CGXCellStyleScope& operator=(const CGXCellStyleScope&) = delete;

    const CGXStyle* Get() const { return m_pStyle; }

private:
    CGXGridCore* m_pGrid;
    CGXStyle* m_pTaken = nullptr;
    const CGXStyle* m_pStyle;
};
