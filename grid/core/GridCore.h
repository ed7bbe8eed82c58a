#pragma once
// The grid engine: rows, columns, current cell, drawing, editing and the hooks an application's
// grid subclass overrides. It is not a window; CGXGridWnd joins it with one.
//
// One class, defined in source files named by concern: construction and initialisation
// (GridCore.cpp, GridCoreInit.cpp), row and column structure (GridCoreStructure.cpp), styles and
// values (GridCoreStyles.cpp), feature forwarders (GridCoreForwarders.cpp), current cell
// (GridCoreCurrentCell.cpp), geometry (GridCoreGeometry.cpp), drawing (GridCoreDrawing.cpp),
// scrolling (GridCoreScrolling.cpp), keyboard (GridCoreKeyboard.cpp) and mouse (GridCoreMouse.cpp).

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/GridCollections.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Range.h"
#include "grid/core/StylePenBrush.h"

class CDC;
class CDocument;
class CFont;
class CGXBrowserGridHooks;
class CGXFont;
class CGXAppData;
class CGXChild;
class CGXControl;
class CGXGridParam;
class CGXProperties;
class CGXRangeList;
class CGXStyle;
class CGXStyleBrush;
class CGXStylePen;
class CGXStylesMap;
class CGXData;
class CFile;
class CArchive;
class CGXGridHint;
class CGXGridPaintContext;
class CGXSortInfoArray;
struct CGXSortInfo;
class CScrollBar;
class CSplitterWnd;
class CWnd;
struct tagMSG;

// The question asked before a change too large for an undo record.
const UINT GX_IDS_UNDOTOOLARGE = 20082;

// Redraw flags.
enum : UINT
{
    GX_UPDATENOW = 0,
    GX_INVALIDATE = 1,
    GX_SMART = 2,
    GX_SCROLLINVIEW = 8
};

// Directions of current-cell moves and scrolling.
enum : int
{
    GX_UP = 1,
    GX_LEFT = 2,
    GX_DOWN = 3,
    GX_RIGHT = 4,
    GX_MOVE_PAGEDOWN = 5,
    GX_MOVE_PAGEUP = 6,
    GX_MOVE_TOP = 7,
    GX_MOVE_BOTTOM = 8,
    GX_MOVE_MOSTLEFT = 9,
    GX_MOVE_MOSTRIGHT = 10,
    GX_MOVE_TOPLEFT = 11,
    GX_MOVE_BOTTOMRIGHT = 12
};

// Hit codes of the hit test.
enum : int
{
    GX_NOHIT = 0,
    GX_VERTLINE = 1,
    GX_HORZLINE = 2,
    GX_CELLHIT = 3,
    GX_HEADERHIT = 4,
    GX_SELEDGEHIT = 5,
    GX_FILLHANDLEHIT = 6
};

// Mouse tracking state bits and the event flags of the cell-button dispatchers.
enum : UINT
{
    GX_TRACK_PRESS = 0x0001,
    // A selection gesture runs.
    GX_TRACK_SELECTING = 0x0002,
    GX_TRACK_CTRL = 0x0080,
    GX_TRACK_CURRENTINIT = 0x0100,
    // Set and read by the fill-handle component while a fill drag runs.
    GX_TRACK_FILLDRAG = 0x0200,
    GX_HITBTNDOWN = 0x04,
    GX_HITMOVE = 0x08,
    GX_HITBTNUP = 0x10,
    GX_HITLEFTCELL = 0x20,
    GX_HITINCELL = 0x40
};

// What user resizing tracks: row heights or column widths.
enum : int
{
    GX_TRACKHEIGHT = 1,
    GX_TRACKWIDTH = 2
};

// The state of user resizing while it tracks a line (window coordinates; one-pixel lines).
struct CGXResizeTrackState
{
    BOOL bMoved = FALSE;
    int nMode = 0;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    CRect rectFixed;
    CRect rectTracked;
    CRect rectLast;
    // The size in pixels at the start and whether the line had a size of its own then; that stored
    // size and the stored hidden flag, which a cancel puts back as they were.
    int nStartSize = 0;
    BOOL bOwnSize = FALSE;
    LONG nStoredSize = 0;
    BOOL bHidden = FALSE;
    // The switches the resize flags give: live redraw, header preview, line window, inverted line,
    // header-cell redraw.
    BOOL bLive = FALSE;
    BOOL bPreview = FALSE;
    BOOL bLineWnd = FALSE;
    BOOL bInvertLine = FALSE;
    BOOL bHeaderRedraw = FALSE;
};

// The autoscroll timer of the grid window.
const UINT_PTR GX_AUTOSCROLL_TIMER = 992;
// The timer that hands a held button of the current cell (a spin arrow) the resting mouse, so that
// it repeats without the mouse moving; started by the button, ended with the press.
const UINT_PTR GX_CHILDREPEAT_TIMER = 993;

// The grid's cursor resources (resources/grid/grid.rc).
enum : UINT
{
    GX_IDC_COLRESIZE = 20190,
    GX_IDC_ROWRESIZE = 20191,
    GX_IDC_HIDDENCOL = 20192,
    GX_IDC_HIDDENROW = 20193,
    GX_IDC_SELFRAME = 20194,
    GX_IDC_SELECTCOL = 20195,
    GX_IDC_SELECTROW = 20196,
    GX_IDC_NODROP = 20208,
    GX_IDC_FILLHANDLE = 20209
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
    // The parameter object's data object; NULL without either.
    CGXData* GetData() const;
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
    // The print state the print component fills: the printed block, the page's first row and
    // column, the page breaks (entry i is the first row or column of page row or column i, the last
    // entry one past the printed range), the page count and the page the preview starts with.
    void SetPrintRect(const CRect& rect) { m_rectPrint = rect; }
    const CRect& GetPrintRect() const { return m_rectPrint; }
    void SetPrintTopLeft(ROWCOL nRow, ROWCOL nCol)
    {
        m_nPrintTopRow = nRow;
        m_nPrintLeftCol = nCol;
    }
    CDWordArray m_awPrintRowBreaks;
    CDWordArray m_awPrintColBreaks;
    UINT m_nPrintPageCount = 0;
    UINT m_nPreviewStartPage = 1;

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
    BOOL SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType = 0,
                       UINT nFlags = GX_INVALIDATE)
    {
        return SetStyleRange(range, pStyle, mode, nType, nullptr, nFlags, 0);
    }
    BOOL SetValueRange(const CGXRange& range, LPCTSTR pszValue, GXModifyType mode = gxOverride,
                       UINT nFlags = GX_INVALIDATE);
    CString GetValueRowCol(ROWCOL nRow, ROWCOL nCol);
    // The text as the value (value type text) of one cell, stored with the value-store setting.
    BOOL StoreCellValueText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags = GX_INVALIDATE);
    // The type that typed values are stored with: value detection (dates, and formulas in a
    // formula sheet) unless set otherwise.
    int m_nValueStoreType = 1;  // gxDetectValueType (Data.h)
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
    // Set while the grid or a cell control changes the focus itself (the focus-change flag: the
    // grid then ignores the focus change).
    BOOL m_bFocusChanging = FALSE;

    // ---- State the drop-down cells share with the grid ----
    // Set while a combo cell's list is open.
    BOOL m_bDropDownCell = FALSE;
    // Set while a combo cell creates its list window.
    BOOL m_bCreatingDropDown = FALSE;
    // Set while the grid moves the current cell: a list that closes meanwhile hands the focus back
    // to its cell's window, so that it stays in the grid.
    BOOL m_bRefocus = FALSE;
    // Set while the current cell's control hides its window.
    BOOL m_bHideInProgress = FALSE;
    // The hooks of a database browser grid; the library has none, so NULL: not a browser grid.
    virtual CGXBrowserGridHooks* GetBrowserGridHooks() { return nullptr; }

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
    // A click fell on the selected text of the active cell's window.
    virtual void OnClickInSelection(ROWCOL nRow, ROWCOL nCol);
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
    // A count of GX_INVALID leaves the pending ranges as they are; another clamps them to it.
    virtual BOOL DelayFloatCells(const CGXRange& range, ROWCOL nColCount = GX_INVALID);
    // bUpdateLocked: the caller holds the update lock (else the pass sets it and changed spans are
    // not redrawn one by one); bNoCache: styles are composed without the per-row cache.
    virtual BOOL EvalFloatCells(const CGXRange& range, BOOL bUpdateLocked = TRUE, CGXRange* pRangeChanged = nullptr,
                                BOOL bNoCache = FALSE);
    // The base cell control's search and replacement in a cell, through the find/replace component.
    virtual BOOL FindTextInCell(CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                                ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell);
    virtual BOOL ReplaceAllInCell(CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                                  ROWCOL nCol);
    // Whether a header cell draws marked (the header control's drawing asks).
    virtual BOOL IsHeaderMarked(CGXControl* pControl, ROWCOL nRow, ROWCOL nCol);
    // Invalidates the header cells that mark a cell the current cell left or entered (nWhich 0 both,
    // 1 the column's, 2 the row's).
    virtual BOOL MarkEditHeader(ROWCOL nRow, ROWCOL nCol, int nWhich = 0, UINT nFlags = GX_INVALIDATE);
    // The grid's own clipboard format is on the clipboard and the grid pastes it itself.
    virtual BOOL CanPasteGridFormat();

    // ==== Construction and initialisation (GridCore.cpp, GridCoreInit.cpp) ====
    // Makes the engine ready: parameter object, properties, styles map and data attached (created
    // when missing), the standard control registered, size units computed. Throws the framework's
    // resource exception when the "GXWND" window class is not registered.
    virtual void InitializeGrid();
    BOOL IsInitialized() const { return m_bInitDone; }
    // Called once a parameter object is attached.
    virtual void OnGridParamAttached();
    // Called when the grid's window is destroyed (WM_DESTROY), while the derived grid and its
    // window still exist, so that an override runs; never from the engine's destructor.
    virtual void OnGridBeforeDestroy();
    virtual void SetPrinting(BOOL bPrinting, BOOL bClientToRect = FALSE);
    virtual void SetModifiedFlag(BOOL bModified = TRUE);
    BOOL GetModifiedFlag() const { return m_bModified; }
    // Prepares a device context for drawing: for printing (and on screen while the printer layout is
    // shown) one logical unit is 1 / GXGetFontLogPixels() inch, so fonts and sizes keep their size on paper.
    virtual void PrepareGridDC(CDC* pDC, BOOL bForPrinting = FALSE);
    // Called last by PrepareGridDC; does nothing.
    virtual void OnGridPrepareDC(CDC* pDC);
    // Passes a hint to the other views of the linked document (UpdateAllViews from the grid window).
    virtual void BroadcastUpdate(LPARAM lHint, CObject* pHint);
    // A hint from another view of the same data: the update-hint component replays it.
    virtual BOOL OnGridUpdate(CGXGridHint* pHint);
    // Hands a hint to the linked document's other views; nothing while the grid is not linked to a
    // document. pSender is the sending view's window (it is not told).
    void UpdateAllViews(CWnd* pSender, LPARAM lHint, CObject* pHint);

    // ---- Views of a document (the grid view sets these) ----
    // The id the hints of this grid carry; the views of one grid share it.
    int GetGridId() const { return m_nGridId; }
    void SetGridId(int nGridId) { m_nGridId = nGridId; }
    // The document whose views the hints reach, while the link is set.
    void SetDocumentLink(CDocument* pDocument, BOOL bLink = TRUE);
    CDocument* GetLinkedDocument() const { return m_bDocLink ? m_pDocument : nullptr; }
    BOOL IsDocumentLinked() const { return m_bDocLink && m_pDocument != nullptr; }
    // The splitter window of which the grid window is a pane (NULL when none); its pane row and
    // column are m_nPaneRow and m_nPaneCol.
    CSplitterWnd* GetSplitterWnd() const { return m_pSplitterWnd; }
    void SetSplitterPane(CSplitterWnd* pSplitterWnd, int nRow, int nCol);

    // ---- Undo state the command factory keeps in the engine ----
    // Set while a block command replays its commands.
    BOOL m_bBlockReplay = FALSE;
    // While set, every recorded command joins the block command at the head of its list.
    BOOL m_bBlockRecording = FALSE;
    // The changed place a block replay will show once it has ended.
    BOOL m_bPendingCell = FALSE;
    ROWCOL m_nPendingRow = 0;
    ROWCOL m_nPendingCol = 0;
    BOOL m_bPendingSetCurrent = FALSE;
    // The formats of the Undo and Redo menu items, found on first use.
    CString m_strUndoMenuFormat;
    CString m_strRedoMenuFormat;
    // The grid gained or lost the focus (not counting moves between the grid window and its cell's
    // window): records the focus grid, ends editing on leaving and resumes it on return. FALSE when
    // the current cell refused to be left.
    virtual BOOL OnGridFocusChanged(BOOL bSetFocus);
    virtual DWORD SetOptionWord(DWORD dwOptions);
    virtual DWORD GetOptionWord();
    virtual BOOL StoreReadOnly(BOOL bReadOnly);
    virtual void OnReadOnlyChanged(BOOL bOldReadOnly);
    virtual void ShowGridScrollBar(int nBar, BOOL bShow);
    void GetGridClientRect(CRect& rect);
    // The print rectangle while printing, else the stored rectangle when one is set, else the client area.
    CRect GetGridRect();
    void SetGridRect(BOOL bSet, const CRect* pRect = nullptr);
    WORD GetMouseTrackState() const { return m_wTrackingState; }
    // The grid window lies inside a window of a class on the library's scroll-parent list.
    BOOL IsInScrollParent();
    // Hands a feature component to the engine, which deletes it with itself.
    void AddImplementationObject(CGXGridComponent* pComponent);
    // Installers of the per-grid feature components, each defined beside its component in
    // grid/features and called by the control factory; installing twice leaves one object.
    void InstallHideCells();
    void InstallFindReplace();
    void InstallResizeToFit();
    void InstallSort();
    void InstallUpdateHint();
    void InstallCommandFactory();
    void InstallOptimizedUpdate();
    void InstallCoveredCells();
    void InstallMergeCells();
    void InstallFloatCells();
    void InstallDrawSpannedCells();
    void InstallCalcSize();
    void InstallOldDrawing();
    void InstallUserSelectRange();
    void InstallUserResizeCells();
    // Installs the selection and the mover of rows and columns too.
    void InstallUserDragSelectRange();
    void InstallMoveRowsCols();
    void InstallAutoScroll();
    void InstallDirectCopyMoveCells();
    void InstallTextDataExchange();
    void InstallStyleDataExchange();
    void InstallCutPaste();
    void InstallClearCells();
    void InstallFreezeMenuHelper();
    void InstallMarkEditHeader();
    void InstallExcelLikeFrame();
    // Installs the frame too.
    void InstallExcelLikeFill();
    // Hands any other object to the engine, which deletes it with itself.
    void AddOwnedObject(CObject* pObject);
    CPtrList& GetPluginList() { return m_PluginList; }
    CWnd* GetScrollBarOwnerWnd() const { return m_pScrollWnd; }
    CWnd* GetPrintWnd() const { return m_pPrintWnd; }
    // The runtime class the engine creates its own data object from (CGXData by default).
    CRuntimeClass* m_pDataRuntimeClass;

    // ==== Row and column structure (GridCoreStructure.cpp) ====
    // nCommandType: 0 a user's change (one undo transaction), 1 an undo replay (nothing recorded),
    // 2 and 3 undo and redo replays recorded the other way.
    virtual BOOL SetRowCount(ROWCOL nRows, UINT nFlags = GX_UPDATENOW);
    virtual BOOL SetColCount(ROWCOL nCols, UINT nFlags = GX_UPDATENOW);
    virtual BOOL StoreRowCount(ROWCOL nRows);
    virtual BOOL StoreColCount(ROWCOL nCols);
    virtual void UpdateChangedRowCount(ROWCOL nOldRows, UINT nFlags, BOOL bCreateHint = TRUE);
    virtual void UpdateChangedColCount(ROWCOL nOldCols, UINT nFlags, BOOL bCreateHint = TRUE);
    virtual BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    // Saved sizes (stored units) and styles restore a removal; pCellStyles holds nCount times
    // nColCount styles row by row, possibly followed by one covered-cells record.
    virtual BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights = nullptr,
                            CObArray* pCellStyles = nullptr, CObArray* pRowStyles = nullptr, ROWCOL nColCount = 0,
                            UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths = nullptr,
                            CObArray* pCellStyles = nullptr, CObArray* pColStyles = nullptr, ROWCOL nRowCount = 0,
                            UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL StoreInsertRows(ROWCOL nRow, ROWCOL nCount, BOOL bForce = FALSE);
    virtual BOOL StoreInsertCols(ROWCOL nCol, ROWCOL nCount, BOOL bForce = FALSE);
    virtual BOOL StoreRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bForce = FALSE);
    virtual BOOL StoreRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bForce = FALSE);
    virtual void UpdateInsertRows(ROWCOL nRow, ROWCOL nCount, UINT nFlags, BOOL bCreateHint);
    virtual void UpdateInsertCols(ROWCOL nCol, ROWCOL nCount, UINT nFlags, BOOL bCreateHint);
    // pOldHeights: the pixel heights of the removed rows for an optimized redraw, or NULL.
    virtual void UpdateRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights, UINT nFlags,
                                  BOOL bCreateHint);
    virtual void UpdateRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths, UINT nFlags,
                                  BOOL bCreateHint);
    virtual BOOL SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows = 0, UINT nFlags = GX_UPDATENOW,
                               int nCommandType = 0);
    virtual BOOL SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols = 0, UINT nFlags = GX_UPDATENOW,
                               int nCommandType = 0);
    virtual BOOL StoreFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows);
    virtual BOOL StoreFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols);
    virtual void UpdateFrozenCols(ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT nFlags, BOOL bCreateHint);
    virtual void UpdateFrozenRows(ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT nFlags, BOOL bCreateHint);
    BOOL IsFrozenRow(ROWCOL nRow);
    BOOL IsFrozenCol(ROWCOL nCol);
    // Absolute index <-> position on screen (frozen rows first, then from the top row on); a row
    // scrolled out of view maps to 0.
    ROWCOL RowToClientRow(ROWCOL nRow);
    ROWCOL ColToClientCol(ROWCOL nCol);
    ROWCOL ClientRowToRow(ROWCOL nClientRow);
    ROWCOL ClientColToCol(ROWCOL nClientCol);
    // With bUpdate the grid is redrawn and, with bCreateHint, the other panes of a splitter follow.
    virtual BOOL SetTopRow(ROWCOL nRow, UINT nFlags = GX_UPDATENOW, BOOL bUpdate = TRUE, BOOL bCreateHint = TRUE);
    virtual BOOL SetLeftCol(ROWCOL nCol, UINT nFlags = GX_UPDATENOW, BOOL bUpdate = TRUE, BOOL bCreateHint = TRUE);
    // The first scrolled row and column on screen, or of the printed page while printing.
    ROWCOL GetTopRow() const { return m_bPrinting ? m_nPrintTopRow : m_nTopRow; }
    ROWCOL GetLeftCol() const { return m_bPrinting ? m_nPrintLeftCol : m_nLeftCol; }
    // The splitter pane of the grid window (0, 0 when it is no pane).
    int m_nPaneRow = 0;
    int m_nPaneCol = 0;
    // Set by the print state while a page is laid out; GetFrozenRows then always counts.
    BOOL m_bPrintPageFlag = FALSE;

    // ==== Styles and values (GridCoreStyles.cpp) ====
    virtual BOOL SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType,
                               const CObArray* pSavedStyles, UINT nFlags = GX_INVALIDATE, int nCommandType = 0);
    BOOL SetStyleRange(const CGXRange& range, const CGXStyle& style, GXModifyType mode = gxOverride, int nType = 0,
                       UINT nFlags = GX_INVALIDATE)
    {
        return SetStyleRange(range, &style, mode, nType, nullptr, nFlags, 0);
    }
    // Collects the stored styles of a range for undo; FALSE when the user aborted.
    virtual BOOL SaveStylesForUndo(const CGXRange& range, int nType, CObArray*& pSavedStyles);
    virtual void UpdateStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                  UINT nFlags, BOOL bCreateHint);
    BOOL SetValueRange(const CGXRange& range, const CString& value, GXModifyType mode = gxOverride,
                       UINT nFlags = GX_INVALIDATE)
    {
        return SetValueRange(range, static_cast<LPCTSTR>(value), mode, nFlags);
    }
    CString GetStoredValueRowCol(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL ChangeStylesMap(CGXStylesMap* pStylesMap, UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual void UpdateStylesMap(UINT nFlags, BOOL bCreateHint = TRUE);
    virtual BOOL ChangeProperties(CGXProperties* pProperties, UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual void UpdateProperties(UINT nFlags, BOOL bCreateHint = TRUE);
    virtual BOOL ChangeBaseStyle(WORD nBaseStyleId, const CGXStyle& style, GXModifyType mode,
                                 UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual void UpdateBaseStyle(WORD nBaseStyleId, UINT nFlags, BOOL bCreateHint = TRUE);
    // The application's hook before a range of cells changes.
    virtual void OnChangingStyleRange(const CGXRange& range);
    // The styles map's standard, row-header and column-header styles, looked up again.
    void LookupBaseStyles();
    const CGXStyle* GetStandardStyle() const { return m_pStyleStandard; }
    // Cell style type the undo record of a cell range takes.
    int m_nDefaultStyleType = 0;
    // Set while only a cell's value is wanted from the style composition.
    BOOL m_bValueOnly = FALSE;
    // No percentage in the long operation of a store.
    BOOL m_bNoProgress = FALSE;
    // The user attribute whose colour negative numbers take.
    static const WORD idNegativeColorAttribute = 52797;

    // ==== Feature forwarders (GridCoreForwarders.cpp): 0 while the component is missing ====
    virtual BOOL OnFindNext(CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase);
    virtual BOOL OnReplaceSel(CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase, LPCTSTR pszReplace);
    virtual BOOL OnReplaceAll(CGXFindReplaceSettings* pSettings, LPCTSTR pszReplace, BOOL bCase);
    virtual BOOL OnShowFindReplaceDialog(BOOL bFindOnly);
    virtual BOOL OnFindReplace(CWnd* pDialog);
    BOOL FindTextFromCell(ROWCOL nRow, ROWCOL nCol, BOOL bSetCell);
    BOOL FindNextText(BOOL bSetCell);
    virtual void Beep();
    // A search ended without a match; the base beeps.
    virtual void SignalTextNotFound(LPCTSTR pszFind);
    // A search or Replace All reached row nRows (column nCols; 0 leaves it): a grid that grows on
    // demand provides the lines there. Empty here.
    virtual void EnsureGridDimension(ROWCOL nRows, ROWCOL nCols);
    // The text by which a cell sorts: the control's value text of the style.
    virtual BOOL GetSortKeyText(CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, const CGXSortInfo& sortInfo,
                                const CGXStyle& style, CString& text);
    // Where the last search started and the abort flag of a search's long operation.
    ROWCOL m_nLastSearchRow = 0;
    BOOL m_bSearchAborted = FALSE;

    virtual BOOL HideRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide = TRUE, CByteArray* pabHide = nullptr,
                          UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL HideCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide = TRUE, CByteArray* pabHide = nullptr,
                          UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL IsRowHidden(ROWCOL nRow);
    virtual BOOL IsColHidden(ROWCOL nCol);
    virtual BOOL StoreHideRow(ROWCOL nRow, BOOL bHide);
    virtual BOOL StoreHideCol(ROWCOL nCol, BOOL bHide);
    virtual BOOL ResizeRowHeightsToFit(CGXRange range, BOOL bResizeCoveredCells = TRUE, UINT nFlags = GX_UPDATENOW);
    virtual BOOL ResizeColWidthsToFit(CGXRange range, BOOL bResizeCoveredCells = TRUE, UINT nFlags = GX_UPDATENOW);

    virtual BOOL Undo();
    virtual BOOL Redo();
    virtual BOOL BeginTrans(LPCTSTR pszName);
    virtual BOOL CommitTrans();
    virtual BOOL Rollback();
    virtual BOOL UpdateUndoMenuText(CCmdUI* pCmdUI);
    virtual BOOL UpdateRedoMenuText(CCmdUI* pCmdUI);
    virtual BOOL AddCommand(CObject* pCommand, int nCommandType);
    // The command factory's RemoveCommand: drops the newest command of the list nCommandType files into.
    virtual BOOL RemoveLastCommand(int nCommandType);
    // The command factory's OnCellUndone: after an undo or redo shows the changed place (bMove: makes
    // it the current cell); during a block replay only remembered until the block has ended.
    virtual BOOL RestoreCurrentCell(ROWCOL nRow, ROWCOL nCol, BOOL bMove = TRUE);
    // The data object's own undo (the command factory's SetAdvancedUndo, GetAdvancedUndoInfo,
    // UndoAdvanced and CleanAdvancedUndo).
    virtual BOOL SetDataUndoRecording(BOOL bRecord);
    virtual CObject* GetDataUndoRecord();
    virtual BOOL ApplyDataUndoRecord(CObject* pRecord, BOOL bCreateUndo, int nCommandType);
    virtual BOOL DeleteDataUndoRecord();
    // The command factory's ExecuteCommand (command, grid, command type): replays a command.
    virtual BOOL ReplayDataUndo(CObject* pCommand, CGXGridCore* pGrid, int nMode);
    // Named ranges of the data object, with undo; FALSE when the data object keeps none.
    virtual BOOL SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject = nullptr,
                              UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL DeleteRangeName(LPCTSTR pszName, UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    // The sheet's name (the parameter object's tab name); the tab window shows it.
    virtual void SetTabName(LPCTSTR pszName, BOOL bCreateHint = TRUE);
    // Undo is recorded: the command factory exists, undo is enabled and the change is no undo replay.
    BOOL IsUndoRecorded(int nCommandType);

    virtual BOOL SortRows(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT nFlags = GX_UPDATENOW);
    virtual BOOL MoveDataRows(const CGXRange& sortRange, const CDWordArray& awRowIndex, UINT nFlags = GX_UPDATENOW,
                              int nCommandType = 0);
    virtual BOOL StoreMoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow);
    virtual BOOL UpdateMoveDataRows(const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint);
    virtual BOOL GetSortKeyRow(ROWCOL nRow, const CGXSortInfoArray& sortInfo, CStringArray& keys);
    virtual BOOL SortCols(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT nFlags = GX_UPDATENOW);
    virtual BOOL MoveDataCols(const CGXRange& sortRange, const CDWordArray& awColIndex, UINT nFlags = GX_UPDATENOW,
                              int nCommandType = 0);
    virtual BOOL StoreMoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol);
    virtual BOOL UpdateMoveDataCols(const CGXRange& sortRange, UINT nFlags, BOOL bCreateHint);
    virtual BOOL GetSortKeyCol(ROWCOL nCol, const CGXSortInfoArray& sortInfo, CStringArray& keys);
    virtual BOOL SortKeys(CPtrArray& keys, const CGXSortInfoArray& sortInfo);
    // Sorts keys with another grid's SortKeys, handing it exactly the two arguments it takes.
    virtual BOOL SortKeysOfGrid(CGXGridCore* pGrid, CPtrArray& keys, const CGXSortInfoArray& sortInfo);

    virtual BOOL SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                       UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    virtual BOOL StoreCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, BOOL bSet);
    virtual BOOL UpdateCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags,
                                          BOOL bCreateHint);
    virtual BOOL ExpandToCoveredCells(const CGXRange& range, CGXRange& rangeOut);
    virtual BOOL CanMergeCell(const CGXStyle& style, ROWCOL nRow, ROWCOL nCol, ROWCOL nOtherRow, ROWCOL nOtherCol);
    virtual BOOL CanMergeCellsStyles(const CGXStyle& style, const CGXStyle& otherStyle);
    BOOL DelayMergeCells(const CGXRange& range, ROWCOL nRowCount = GX_INVALID, ROWCOL nColCount = GX_INVALID);
    BOOL EvalMergeCells(const CGXRange& range, BOOL bUpdateLocked = TRUE, CGXRange* pRangeChanged = nullptr,
                        BOOL bNoCache = FALSE);
    BOOL GetMergeRange(ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection = -1);
    // nDirection 0 horizontal, 1 vertical.
    BOOL UpdateMergeCellsRowCol(int nDirection, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                UINT nFlags);
    BOOL RedrawMergeCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags,
                                BOOL bCreateHint);
    BOOL ExpandToMergedCells(const CGXRange& range, CGXRange& rangeOut);
    virtual BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell,
                              BOOL bCheckMerged = TRUE);
    BOOL GetFloatRange(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    BOOL UpdateFloatCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags);
    BOOL RedrawFloatCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags,
                                BOOL bCreateHint);
    BOOL ExpandToFloatCells(const CGXRange& range, CGXRange& rangeOut);
    // Modes of merged cells (bits 0-1: 0 off, 1 delayed, 2 immediate; 4 no vertical, 8 no
    // horizontal merging) and of floating cells (0 off, 1 delayed, 2 immediate).
    BOOL SetMergeCellsMode(WORD wMode, BOOL bRedraw = TRUE);
    BOOL SetFloatCellsMode(WORD wMode, BOOL bRedraw = TRUE);
    // What text cells answer to the float question (CGXControl::CanFloatCell).
    BOOL CanFloatCellDefault(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell);
    // The span-cell pool component's steps on one of the parameter object's pools (the mover of
    // rows and columns and the structure steps use them); FALSE without the component or the pool.
    BOOL SpanCellPoolInsertRows(CObject* pPool, ROWCOL nRow, ROWCOL nCount);
    BOOL SpanCellPoolRemoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow);
    BOOL SpanCellPoolMoveRows(CObject* pPool, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    BOOL SpanCellPoolInsertCols(CObject* pPool, ROWCOL nCol, ROWCOL nCount);
    BOOL SpanCellPoolRemoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol);
    BOOL SpanCellPoolMoveCols(CObject* pPool, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);
    // The range a cell spans: covered, else merged, else floating; FALSE when none.
    virtual BOOL GetCellRangeRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    WORD GetFloatCellsMode() const;
    WORD GetMergeCellsMode() const;
    // The floating spans and their pending ranges: the print set while printing, else the screen's.
    CObject* GetFloatCellsPool() const;
    CObject* GetDelayedFloatCellsPool() const;

    // State of the merged- and floating-cells evaluation, kept per grid.
    // Composed styles of one row of an evaluation pass, by column minus the origin; the pass hands
    // them back (RecycleCachedStyles) after each row.
    struct RowStyleCache
    {
        ROWCOL nOrigin = 0;
        CPtrArray apStyles;  // CGXStyle*, NULL where not composed yet
        INT_PTR nCount = 0;  // styles held
        // Passes running on it: a pass nested in another (a redraw inside an evaluation) composes
        // its styles without the cache.
        int nDepth = 0;
    };
    RowStyleCache m_MergeStyleCache;
    RowStyleCache m_FloatStyleCache;
    // Hands every style of the cache back to the grid and empties it.
    void RecycleCachedStyles(RowStyleCache& cache);
    // While set, the evaluation of merged (floating) cells does nothing.
    BOOL m_bSuspendMergeEvaluation = FALSE;
    BOOL m_bSuspendFloatEvaluation = FALSE;
    // While set, stored merged and floating spans are not redrawn one by one.
    BOOL m_bNoSpanRedraw = FALSE;
    // The last merged span stored; the per-cell step of the evaluation reads how far a change reached.
    CGXRange m_rangeLastMergeStored;
    // Set once the row-banded drawing has taken a paint: later paints go that way too.
    BOOL m_bOldDrawing = FALSE;

    virtual BOOL OnGridBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual BOOL OnGridEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual BOOL OnGridPrint(CDC* pDC, CPrintInfo* pInfo);

    virtual BOOL SelectRange(const CGXRange& range, BOOL bSelect = TRUE, BOOL bStrictly = TRUE,
                             UINT nFlags = GX_UPDATENOW, BOOL bCreateHint = TRUE);
    virtual BOOL SetSelection(POSITION pos, const CGXRange* pRange = nullptr, BOOL bCreateHint = TRUE);
    virtual BOOL CopyRangeToSelection(const CGXRange& range, CGXRange& rangeOut);
    virtual BOOL DrawInvertedSelection(CDC* pDC, const CRect& rect, BOOL bInvert);
    virtual BOOL RedrawSelectionChange(const CGXRange& oldRange, const CGXRange& newRange, BOOL bRowHeaders,
                                       BOOL bColHeaders, UINT nFlags, BOOL bCreateHint);
    virtual BOOL RedrawSelection(UINT nFlags);
    virtual BOOL StoreSelectRange(const CGXRange& range, BOOL bSelect = TRUE);
    virtual BOOL UpdateSelectRange(const CGXRange& area, const CGXRangeList* pOldList, BOOL bCreateHint = TRUE);
    virtual BOOL UpdateSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                 BOOL bCreateHint = TRUE);
    virtual BOOL InvertAllSelectedCells(BOOL bCreateHint = TRUE);
    // Hooks of the selection gestures: before a gesture starts, before the selection changes (NULL:
    // it is cleared; bIsDragging a mouse gesture, bKey the keyboard) and after it changed.
    virtual BOOL OnStartSelection(ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point);
    virtual BOOL CanChangeSelection(CGXRange* pRange, BOOL bIsDragging, BOOL bKey);
    virtual void OnChangedSelection(const CGXRange* pRange, BOOL bIsDragging, BOOL bKey);
    virtual BOOL GetSelectedRanges(CGXRangeList& ranges, BOOL bWithCurrentCell = FALSE);
    virtual BOOL IsCellInRangeList(ROWCOL nRow, ROWCOL nCol, const CGXRangeList& ranges);
    virtual BOOL GetSelectedRows(CDWordArray& awFirstRows, CDWordArray& awLastRows, BOOL bWholeRowsOnly = FALSE,
                                 BOOL bUseCurrentCell = TRUE);
    virtual BOOL GetSelectedRowList(CDWordArray& awRows, BOOL bWholeRowsOnly = FALSE, BOOL bUseCurrentCell = TRUE);
    virtual BOOL RedrawHeaders(UINT nFlags = GX_INVALIDATE, BOOL bCreateHint = FALSE, BOOL bRows = TRUE);

    virtual BOOL DrawExcelLikeFrame(CDC* pDC, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                    BOOL bErase, BOOL bFocus);
    BOOL RefreshExcelLikeFrame(BOOL bRedraw = TRUE, const CGXRange* pOldRange = nullptr, BOOL bErase = TRUE);
    BOOL RedrawExcelLikeFrame();
    BOOL LockExcelLikeFrame(BOOL bLock, BOOL bRedraw = TRUE);
    // While the window has the focus, invalidates once when the focus was gained since the last call
    // and lets the frame component draw; after the focus was lost, invalidates once more.
    void DrawExcelLikeFrameOnFocus(CDC* pDC, const CRect& rect);
    virtual BOOL DoExcelLikeFill(const CGXRange& sourceRange, const CGXRange& fillRange);
    virtual BOOL StartExcelLikeFill(UINT nFlags);
    void SetExcelLikeFillImp(CGXAbstractGridExcelLikeFillImp* pFillImp, BOOL bAutoDelete);
    BOOL CancelFill();
    BOOL SelectFilledRange(const CGXRange& range);
    // Hooks that let a grid veto a fill drag: its start on the selected range, and each target.
    virtual BOOL CanStartFill(const CGXRange& range, CPoint point, UINT nFlags);
    virtual BOOL IsValidFillRange(const CGXRange& range, const CGXRange& source);
    // The spreadsheet-like frame as last drawn: its cells, whether it shows, where its handle sits
    // (0 bottom-right, 2 bottom-left, 7 top-right) and whether it is locked.
    CGXRange m_rangeExcelFrame;
    BOOL m_bExcelFrameShown = FALSE;
    int m_nExcelFrameHandle = 0;
    BOOL m_bExcelFrameLocked = FALSE;

    // Row 0 drags columns, column 0 rows.
    virtual BOOL StartDragSelection(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL DoDragSelection(ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol);
    virtual BOOL DropSelection(ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow, ROWCOL nToCol);
    // Hooks of the drag of selected rows and columns. Dragging: TRUE only while neither Ctrl nor
    // Shift is held. Moving (asked while dragging and at the drop) and the move itself: TRUE.
    virtual BOOL CanDragSelectRows(ROWCOL nFromRow, ROWCOL nToRow);
    virtual BOOL CanDragSelectCols(ROWCOL nFromCol, ROWCOL nToCol);
    virtual BOOL CanMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    virtual BOOL CanMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);
    virtual BOOL OnMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    virtual BOOL OnMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);

    virtual BOOL MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags = GX_UPDATENOW,
                          int nCommandType = 0);
    virtual BOOL MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags = GX_UPDATENOW,
                          int nCommandType = 0);
    virtual BOOL StoreMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, BOOL bProcessed = FALSE);
    virtual BOOL StoreMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, BOOL bProcessed = FALSE);
    virtual BOOL UpdateMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags = GX_UPDATENOW,
                                BOOL bCreateHint = TRUE);
    virtual BOOL UpdateMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags = GX_UPDATENOW,
                                BOOL bCreateHint = TRUE);

    // Mode GX_TRACKHEIGHT (rows) or GX_TRACKWIDTH (columns); the other index is 0; sizes in pixels.
    virtual BOOL StartResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode);
    virtual BOOL MoveResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize);
    virtual BOOL EndResizeTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize);
    virtual BOOL CancelResizeTracking();
    // Hooks of user resizing: before tracking starts, for each size while dragging and at the end: TRUE.
    virtual BOOL OnStartTracking(ROWCOL nRow, ROWCOL nCol, int nMode);
    virtual BOOL OnTrackColWidth(ROWCOL nCol, int nWidth);
    virtual BOOL OnTrackRowHeight(ROWCOL nRow, int nHeight);
    virtual BOOL OnEndTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize);
    // TRUE when the user-resize component is installed.
    virtual BOOL CanResizeCol(ROWCOL nCol = 0);
    virtual BOOL CanResizeRow(ROWCOL nRow = 0);

    virtual BOOL FreezeCols();
    virtual BOOL CanFreezeCols();
    virtual BOOL UnfreezeCols();
    virtual BOOL CanUnfreezeCols();
    virtual BOOL FreezeRows();
    virtual BOOL CanFreezeRows();
    virtual BOOL UnfreezeRows();
    virtual BOOL CanUnfreezeRows();

    virtual BOOL CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT nFlags = GX_UPDATENOW);
    virtual BOOL CopyCellsData(const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol);
    virtual BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo = nullptr,
                           UINT nFlags = GX_UPDATENOW, int nCommandType = 0);
    virtual BOOL MoveCellsData(const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol, CObject** ppUndoInfo,
                               BOOL bCreateUndoInfo, int nCommandType);

    virtual BOOL CopyTextToFile(CFile& file, const CGXRangeList& ranges);
    // The text the cell's control shows; an empty text without the text-exchange component.
    virtual CString GetCopyTextRowCol(CString& text, ROWCOL nRow, ROWCOL nCol);
    virtual BOOL PasteTextFromBuffer(LPCSTR pszBuffer, DWORD dwSize, const CGXRange& target);
    virtual BOOL PasteTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                 const CGXStyle* pStyle);
    virtual BOOL CalcTextSize(LPCSTR pszBuffer, DWORD dwSize, ROWCOL& nRows, ROWCOL& nCols);
    virtual BOOL CopyStylesToArchive(CArchive& ar, const CGXRangeList& ranges, BOOL bComposed = TRUE);
    virtual BOOL GetStyleForCopy(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed = TRUE);
    virtual BOOL PasteStylesFromArchive(CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck = TRUE);

    virtual BOOL CanCopy();
    virtual BOOL Copy();
    virtual BOOL CopyRangesToClipboard(const CGXRangeList& ranges);
    // The single-range form: a list with one copy of the range.
    virtual BOOL CopyRangeToClipboard(const CGXRange& range);
    virtual BOOL CopyCellsAsText(const CGXRangeList& ranges);
    virtual BOOL CopyCellsAsStyles(const CGXRangeList& ranges, BOOL bComposed = TRUE);
    virtual BOOL CanCut();
    virtual BOOL Cut();
    BOOL CutRange(const CGXRange& range, BOOL bStyles = FALSE);
    virtual BOOL CanPaste();
    virtual BOOL IsPasteFormatAvailable();
    virtual BOOL Paste();
    virtual BOOL PasteDirect(const CGXRange& target);
    virtual BOOL PasteFromClipboard(const CGXRange& target);
    // Asks whether a style block of another size than the selection is pasted all the same.
    virtual BOOL ConfirmSizeMismatch();
    virtual BOOL CanClear();
    virtual BOOL Clear(BOOL bStyles = FALSE);
    virtual BOOL ClearCells(const CGXRangeList& ranges, BOOL bStyles = FALSE);

    // Clipboard settings: the GX_CLIP_ flags, the text written between two cells of a row (empty:
    // TAB), the characters that end a cell on paste (empty: TAB), and the size of the last copy.
    DWORD m_nClipboardFlags = 0x38;
    CString m_sClipboardCopySeparator;
    CString m_sClipboardPasteSeparators;
    ROWCOL m_nLastCopyRows = 0;
    ROWCOL m_nLastCopyCols = 0;

    // The three slots that no installer fills: always 0.
    virtual BOOL SpareHookA1(ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookA2(ROWCOL, ROWCOL);
    virtual BOOL SpareHookA3(ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookC1(ROWCOL, ROWCOL);
    virtual BOOL SpareHookC2(ROWCOL, ROWCOL, ROWCOL, ROWCOL);
    virtual BOOL SpareHookB1(ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookB2(UINT);
    virtual BOOL SpareHookB3(ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookB4(ROWCOL, ROWCOL, ROWCOL, ROWCOL);
    virtual BOOL SpareHookB5(ROWCOL, ROWCOL, ROWCOL, ROWCOL);
    virtual BOOL SpareHookB6();
    virtual BOOL SpareHookB7(ROWCOL, ROWCOL, ROWCOL, ROWCOL);
    virtual BOOL SpareHookB8(ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookB9(ROWCOL, ROWCOL, UINT);
    virtual BOOL SpareHookB10(ROWCOL, ROWCOL, ROWCOL, ROWCOL);

    // The text of the current cell's control; empty without a current cell.
    void GetCurrentCellText(CString& text);

    // The feature components, in the engine's order; NULL until installed.
    CGXAbstractGridPrintImp* m_pPrintImp = nullptr;
    CGXAbstractGridSortImp* m_pSortImp = nullptr;
    CGXAbstractGridOldDrawingImp* m_pOldDrawingImp = nullptr;
    CGXAbstractGridCoveredCellsImp* m_pCoveredCellsImp = nullptr;
    CGXAbstractDrawSpannedCellsImp* m_pDrawSpannedCellsImp = nullptr;
    CGXAbstractGridFloatCellsImp* m_pFloatCellsImp = nullptr;
    CGXAbstractGridMergeCellsImp* m_pMergeCellsImp = nullptr;
    CGXAbstractCommandFactory* m_pUndoImp = nullptr;
    CGXAbstractGridCalcSizeImp* m_pCalcSizeImp = nullptr;
    CGXAbstractGridUpdateHintImp* m_pUpdateHintImp = nullptr;
    CGXAbstractGridResizeToFitImp* m_pResizeToFitImp = nullptr;
    CGXAbstractGridHideCellsImp* m_pHideCellsImp = nullptr;
    CGXAbstractGridFindReplaceImp* m_pFindReplaceImp = nullptr;
    CGXAbstractGridUserSelectRangeImp* m_pUserSelectRangeImp = nullptr;
    CGXAbstractGridExcelLikeFrameImp* m_pExcelLikeFrameImp = nullptr;
    CGXAbstractGridExcelLikeFillImp* m_pExcelLikeFillImp = nullptr;
    CGXAbstractGridUserDragSelectRangeImp* m_pUserDragSelectRangeImp = nullptr;
    CGXAbstractGridMoveRowsColsImp* m_pMoveRowsColsImp = nullptr;
    CGXAbstractGridUserResizeCellsImp* m_pUserResizeCellsImp = nullptr;
    CGXAbstractGridOptimizedUpdateImp* m_pOptimizedUpdateImp = nullptr;
    CGXAbstractGridMarkEditHeaderImp* m_pMarkEditHeaderImp = nullptr;
    CGXAbstractGridFreezeMenuHelperImp* m_pFreezeMenuHelperImp = nullptr;
    CGXAbstractGridDirectCopyMoveCellsImp* m_pDirectCopyMoveCellsImp = nullptr;
    CGXAbstractGridTextDataExchangeImp* m_pTextDataExchangeImp = nullptr;
    CGXAbstractGridStyleDataExchangeImp* m_pStyleDataExchangeImp = nullptr;
    CGXAbstractGridCutPasteImp* m_pCutPasteImp = nullptr;
    CGXAbstractGridClearCellsImp* m_pClearCellsImp = nullptr;
    CGXAbstractGridSpareAImp* m_pSpareAImp = nullptr;
    CGXAbstractGridSpareBImp* m_pSpareBImp = nullptr;
    CGXAbstractGridSpareCImp* m_pSpareCImp = nullptr;
    // Hints go to other views only while this switch is on (and the update-hint component exists).
    BOOL m_bHintsEnabled = FALSE;

    // ==== Caches, grid DC, data hooks and redraw (GridCoreRedraw.cpp) ====
    // A pen for the record (geometric, square ends), kept until the next flush; NULL when none can be made.
    HPEN GetCachedPen(const CGXStylePen& pen);
    // A client DC of the grid window, prepared and holding the standard style's font; while painting,
    // the paint's DC. Kept until ReleaseGridDC outside a paint and a long operation.
    CDC* GetGridDC();
    // Forgets the current cell's style copy and its control, so that the cell is composed afresh.
    void ResetCurrentCellStyle();
    // Cells whose cached styles survive a flush (0, 0 pins none).
    void SetPinnedStyleCells(ROWCOL nRow1, ROWCOL nCol1, ROWCOL nRow2 = 0, ROWCOL nCol2 = 0);
    // Whether the pen cache uses simple (cosmetic) pens: the library's not-NT flag.
    BOOL UseSimplePens() const;
    // Spans of the visible panes (top row, left column, frozen rows and columns, last row and column)
    // through the spanned-cells drawing object; 0 without it.
    virtual BOOL EvalSpannedCellsInPanes(ROWCOL nTopRow, ROWCOL nLeftCol, ROWCOL nFrozenRows, ROWCOL nFrozenCols,
                                         ROWCOL nBottomRow, ROWCOL nRightCol, BOOL bUpdateLocked,
                                         CGXRange* pRangeChanged, BOOL bNoCache, UINT nFlags);
    BOOL EvalVisibleSpannedCells(BOOL bUpdateLocked = FALSE, CGXRange* pRangeChanged = nullptr, BOOL bNoCache = FALSE);
    // Narrows the page's drawing rectangle by the properties' margins.
    virtual void ApplyPrintMargins(CDC* pDC, CPrintInfo* pInfo);
    // The properties' print component draws the page's header and footer (no document: the grid
    // window is no view).
    virtual BOOL PrintHeaderFooter(CDC* pDC, CPrintInfo* pInfo);
    // Hooks to the grid's data object; nothing without one. DataCellQuery asks about the top-left
    // cell of the covered range that holds the cell. DataCellNotify's reason is 0 for a cell a paint
    // drew and 1 for a cell CommitDataChanges committed. DataValidate: TRUE when the data object
    // reports a problem, with its message.
    virtual BOOL DataCellQuery(ROWCOL nRow, ROWCOL nCol);
    virtual void DataCellNotify(ROWCOL nRow, ROWCOL nCol, DWORD dwReason);
    virtual void DataNotify(DWORD dwReason);
    // Tells the data object that the cells of the range are about to change (not while the data
    // notification lock is on), and passes it the flag that a change is pending (TRUE) or over.
    void NotifyDataRange(const CGXRange& range);
    void SetDataUpdateFlag(BOOL bFlag);
    virtual void DataSetState(DWORD dwState);
    virtual void DataResetState();
    virtual BOOL DataValidate(CString& message);
    // Redraws every cell for which the data object answers, with bSave validates the data, and
    // notifies the data object of the cells drawn. FALSE when validation failed.
    virtual BOOL CommitDataChanges(BOOL bSave = TRUE, BOOL bQuiet = FALSE, BOOL bCreateHint = FALSE);
    // After bulk changes: with bRecalc the pending edits of the views are stored and the data object
    // brings the values that depend on changed cells up to date; then the grid is redrawn. An
    // evaluation error found since the last recalculation goes into *pErrorText when given, else into a
    // message box. With bCreateHint the other views redraw too.
    virtual void Recalc(BOOL bRecalc = TRUE, CString* pErrorText = nullptr, BOOL bCreateHint = TRUE);
    // For a command that recalculates as it changes cells (moves and copies of blocks, rows and
    // columns), without a Recalc: arming as it starts, it reports as it ends the evaluation error of
    // the state it leaves, once. The report waits while the recalculation is held: the command that
    // holds it reports then.
    void ArmRecalcMessage();
    void ReportRecalcMessage();
    // The visible cells whose values changed since they were drawn (formulas that follow stored
    // cells), in every view of the data object; this view draws them at once with flags 0 or 2.
    void RedrawChangedCells(UINT nFlags);
    // While set, a flush of the drawing caches does nothing.
    BOOL m_bLockFlush = FALSE;
    // While set, a flush keeps the drawing objects and the grid DC.
    BOOL m_bLockGDI = FALSE;
    // While set, DataNotify and NotifyDataRange are not passed on.
    BOOL m_bLockDataNotify = FALSE;
    // Set only while CommitDataChanges redraws: the paint draws only rows with cells the data object
    // answers for, records them in the parameter object's pending cells and refreshes the
    // spreadsheet-like frame.
    BOOL m_bCommitRedraw = FALSE;
    // A current cell whose style copy is filled answers lookups from that copy.
    BOOL m_bUseCurrentCellStyle = TRUE;
    // The current cell's composed style goes into the style cache like any other cell's.
    BOOL m_bCurrentCellUsesCache = FALSE;
    // Raised while a long operation runs: the grid DC is then kept.
    int m_nLongOperation = 0;

    // ==== Window messages (the grid window passes each here; TRUE or non-zero: handled) ====
    // Current cell (GridCoreCurrentCell.cpp).
    // Makes (nRow, nCol) the current cell; (GX_INVALID, GX_INVALID) leaves the grid without one.
    // With GX_SCROLLINVIEW in the flags the new cell is scrolled into view.
    // With bCreateHint the other views of the grid move their current cell too.
    virtual BOOL MoveCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags = GX_SCROLLINVIEW | GX_SMART,
                                 BOOL bCreateHint = FALSE);
    virtual BOOL EndCurrentCellEditing(BOOL bStore = TRUE, UINT nFlags = GX_INVALIDATE, BOOL bCheck = TRUE);
    // With bCreateHint the other views of the grid do the same; FALSE when any of them failed.
    virtual BOOL TransferCurrentCellValue(BOOL bStore = TRUE, BOOL bCreateHint = FALSE);
    // Stores what was typed into the control (its Store). An evaluation error that the typed value
    // leads to in a data object that evaluates formulas is reported now, once: no later command
    // reports it as its own.
    BOOL StoreTypedValue(CGXControl* pControl);
    virtual BOOL HandleMoveMessage(WPARAM nDirectionCode, LPARAM nCount);
    // The warning about an invalid value, posted to itself while the focus changes.
    virtual LRESULT OnGridDeferredActivate();
    // A grid that is a sheet of a tab window: may its tab be renamed, its tab was renamed (the
    // grid takes the new name), may the user leave it (bEntering FALSE) or enter it. All allow.
    virtual BOOL CanRenameSheet(int nTab);
    virtual void OnSheetRenamed(int nTab);
    virtual BOOL CanSwitchSheet(BOOL bEntering);
    // Keyboard (GridCoreKeyboard.cpp).
    virtual BOOL DispatchKeyMessage(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual UINT HandleGetDlgCode(UINT nDefault);
    // Drawing (GridCoreDrawing.cpp).
    // Paints the part of the grid rectangle inside the DC's clip box.
    virtual void DrawGridArea(CDC* pDC);
    // Paints a block of client rows and columns (inclusive).
    virtual void PaintGrid(ROWCOL nTopClientRow, ROWCOL nLeftClientCol, ROWCOL nBottomClientRow,
                           ROWCOL nRightClientCol, CDC* pDC);
    // The composed style of a cell, kept until the next flush of the drawing caches.
    virtual const CGXStyle& LookupCellStyle(ROWCOL nRow, ROWCOL nCol);
    virtual void DrawCellControl(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGXStyle& style);
    virtual void InvertCellSelection(CDC* pDC, ROWCOL nRow, ROWCOL nCol, CRect rect);
    // Direction 1 a vertical line, 2 a horizontal one. Flags: 8 or 4 invert, 2 dragging line,
    // 1 tracking line, 0 grid line.
    virtual void DrawLineRect(CDC* pDC, int x, int y, int cx, int cy, int nDirection, ROWCOL nIgnored, UINT nFlags);
    virtual void FlushDrawingCaches();
    // The line before a client column (direction 1) or client row (direction 2), across the visible cells.
    CRect CalcGridLineRect(int nDirection, ROWCOL nClientIndex);
    void DrawGridLine(CDC* pDC, int nDirection, ROWCOL nClientIndex, UINT nFlags);
    // Draws the included edges of a style's borders inside the rectangle.
    void DrawCellBorders(CDC* pDC, const CRect& rect, const CGXStyle& style);
    // One edge (gxBorderTop, gxBorderLeft, gxBorderBottom or gxBorderRight) as a strip inside the rectangle.
    void DrawBorder(const CGXStylePen& pen, const CRect& rect, int nEdge, CDC* pDC, const CGXStyleBrush& interior);
    void DrawBrushRect(CDC* pDC, const CRect& rect, const CGXStyleBrush& brush);
    // The two ways of painting the DC's clip box: straight into the DC, or into a bitmap of the
    // clip box's size that is copied to the DC in one piece.
    void DrawDirect(CDC* pDC);
    void DrawBuffered(CDC* pDC);
    // Steps of PaintGrid; rows and columns are indexes of the painted block.
    void PrepareCellInContext(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol);
    void FillRowBackground(CGXGridPaintContext& context, UINT nClientRow);
    void DrawCellInContext(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol);
    // Whether the cell's control would draw nothing but its interior (CGXControl::DrawsInteriorOnly).
    BOOL IsInteriorOnlyCell(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol);
    // Whether the cell's control fills the cell's background itself (CGXControl::FillsBackground).
    BOOL FillsOwnBackground(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol);
    // The control that draws the cell alone: none for a covered cell, the current cell or a cell
    // not more than nMinSize pixels wide or high.
    CGXControl* DrawingControl(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol, int nMinSize);
    // Fills the run of interior-only cells (marked by FillRowBackground) that starts at the cell,
    // unless the cell lies in the run filled last; TRUE when the cell's interior is painted so.
    BOOL PaintInteriorRun(CGXGridPaintContext& context, UINT nClientRow, UINT nClientCol);
    void DrawInvertSelectedCells(CGXGridPaintContext& context);
    // Lines and borders of one row (column) of the block, in runs of equal pens.
    void DrawHorzGridLines(CGXGridPaintContext& context, UINT nClientRow);
    void DrawVertGridLines(CGXGridPaintContext& context, UINT nClientCol);
    // The rectangle of a client cell, summed from the grid rectangle's corner (FromStart) or from
    // the position the previous call reached (Next); FALSE when the sum ran past twice the grid
    // rectangle before reaching the cell.
    BOOL CalcClientCellRectFromStart(ROWCOL nClientRow, ROWCOL nClientCol, CRect& rect);
    BOOL CalcClientCellRectNext(ROWCOL nClientRow, ROWCOL nClientCol, CRect& rect);
    // The client cell under a point; FALSE left of or above the grid, or beyond the last row or
    // column (the out values then name the last client row and column).
    BOOL CalcClientCellFromPt(CPoint point, ROWCOL& nClientRow, ROWCOL& nClientCol, CRect* pRect = nullptr);
    BOOL DrawGridLinesOldStyle(CDC* pDC);
    // Offered an estimate of the rows and columns of default size that fit the grid rectangle
    // before every screen paint; empty here.
    virtual void PreloadRowsCols(ROWCOL nRows, ROWCOL nCols);
    // The paint in progress, NULL outside PaintGrid.
    CGXGridPaintContext* GetPaintContext() const { return m_pPaintContext; }
    // Set while one cell is drawn whose interior the engine did not fill: the cell paints it.
    BOOL IsFillInterior() const { return m_bFillInterior; }
    // Set while one cell is drawn whose control said it draws only its interior, and the paint has
    // just filled that interior with a run of such neighbours: the control skips its own fill.
    BOOL IsInteriorPainted() const { return m_bInteriorPainted; }
    // The next InvertCellSelection inverts the current cell too.
    void SetInvertCurrentCell(BOOL bInvert) { m_bInvertCurrentCell = bInvert; }
    // Rectangles (CRect*) of the cells a commit redraw skipped; every paint frees them at its end.
    CPtrList m_SkippedCellRects{10};
    // Set while the current cell is being moved: a paint keeps the current cell's style copy.
    BOOL m_bMovingCurrentCell = FALSE;
    // The GDI pen style of the "Dragging Line".
    int m_nDragLinePenStyle = PS_DOT;
    HBRUSH GetCachedBrush(const CGXStyleBrush& brush);
    // A font object for the font's LOGFONT, kept until the next flush of the drawing caches.
    CFont* GetCachedFont(const CGXFont& font);
    // Selects the font sized by the zoom; returns the font selected before (NULL when none).
    CFont* SelectZoomedFont(CDC* pDC, const CGXFont& font);
    // Selects the style's font, zoomed; NULL without selecting when the style sets no font or the
    // previous style's font is the same.
    virtual CFont* SelectCellFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pPreviousStyle = nullptr);
    // 1 paints through an off-screen bitmap; returns the previous mode.
    int SetBufferedPaint(int nMode);
    // The grid-line colours of the properties, resolved: 0 "Grid Lines", 1 "Fixed Lines", 2 "Tracking
    // Line", 3 "Dragging Line", 4 "Background".
    COLORREF GetPropertyColor(int nIndex);
    // Draws a 1-pixel black frame round the grid rectangle.
    BOOL m_bDrawGridFrame = FALSE;
    virtual void RedrawGrid(UINT nFlags = GX_INVALIDATE, BOOL bCreateHint = FALSE);
    virtual void RedrawCellRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                 UINT nFlags = GX_INVALIDATE, BOOL bCreateHint = FALSE);
    void RedrawRange(const CGXRange& range, UINT nFlags = GX_INVALIDATE, BOOL bCreateHint = FALSE);
    void ReleaseGridDC();
    // Returns the previous state.
    BOOL SetLockUpdate(BOOL bLock);
    BOOL IsLockUpdate() const;
    // Geometry (GridCoreGeometry.cpp).
    // Sizes are stored in size units (pixels * (1000 / unit)) so that they follow the standard font.
    // The row unit is the standard font's line height, the column unit its average character width.
    virtual void CalcSizeUnits();
    virtual void CalcSizeUnits(CDC* pDC, int& nColUnit, int& nRowUnit);
    void UpdateSizeUnits() { CalcSizeUnits(); }
    virtual int GetRowSizeUnit();
    virtual int GetColSizeUnit();
    // Units while printing (0: the screen units).
    int m_nPrintRowSizeUnit = 0;
    int m_nPrintColSizeUnit = 0;
    int RowHeightToStored(int nPixels);
    int StoredToRowHeight(LONG nStored);
    int ColWidthToStored(int nPixels);
    int StoredToColWidth(LONG nStored);
    // A negative size removes the entry, so the row (column) takes the default again.
    virtual LONG StoreRowHeight(ROWCOL nRow, int nHeight);
    virtual LONG StoreColWidth(ROWCOL nCol, int nWidth);
    virtual int GetRowHeight(ROWCOL nRow);
    virtual int GetColWidth(ROWCOL nCol);
    virtual int GetDefaultRowHeight();
    virtual int GetDefaultColWidth();
    // FALSE and no change below 1 pixel.
    virtual BOOL SetDefaultRowHeight(int nHeight);
    virtual BOOL SetDefaultColWidth(int nWidth);
    virtual BOOL ChangeDefaultRowHeight(int nHeight, UINT nFlags = GX_UPDATENOW, int nUndoMode = 0);
    virtual BOOL ChangeDefaultColWidth(int nWidth, UINT nFlags = GX_UPDATENOW, int nUndoMode = 0);
    // nToRow 0 means nFromRow; with an array each row takes its own entry.
    virtual BOOL SetRowHeight(ROWCOL nFromRow, ROWCOL nToRow, int nHeight, const int* anHeights = nullptr,
                              UINT nFlags = GX_UPDATENOW, int nUndoMode = 0);
    virtual BOOL SetColWidth(ROWCOL nFromCol, ROWCOL nToCol, int nWidth, const int* anWidths = nullptr,
                             UINT nFlags = GX_UPDATENOW, int nUndoMode = 0);
    virtual void UpdateChangedRowHeights(ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                                         UINT nFlags, BOOL bCreateHint);
    virtual void UpdateChangedColWidths(ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                                        UINT nFlags, BOOL bCreateHint);
    void GetRowHeights(ROWCOL nFromRow, ROWCOL nToRow, CDWordArray& heights);
    void GetColWidths(ROWCOL nFromCol, ROWCOL nToCol, CDWordArray& widths);
    // Sums stop before the next row once a non-zero limit is exceeded.
    int CalcSumOfRowHeights(ROWCOL nFromRow, ROWCOL nToRow, int nLimit = 0);
    int CalcSumOfColWidths(ROWCOL nFromCol, ROWCOL nToCol, int nLimit = 0);
    int CalcSumOfClientRowHeights(ROWCOL nFromClientRow, ROWCOL nToClientRow, int nLimit = 0);
    int CalcSumOfClientColWidths(ROWCOL nFromClientCol, ROWCOL nToClientCol, int nLimit = 0);
    // The client row under the point (GX_INVALID below the last row) and its top edge.
    ROWCOL CalcClientRowFromPt(CPoint point, int* pnTop = nullptr);
    ROWCOL CalcClientColFromPt(CPoint point, int* pnLeft = nullptr);
    // Window rectangles of ranges; empty when the range lies wholly in scrolled-out rows or columns.
    BOOL CalcRangeRect(CRect& rect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bNoClip = FALSE);
    CRect CalcRangeRectFromRange(const CGXRange& range, BOOL bNoClip = FALSE);
    CRect CalcSpanRect(const CGXRange& range);
    CRect CalcSpanCellRect(ROWCOL nRow, ROWCOL nCol);
    ROWCOL CalcBottomRowFromRect(const CRect& rect);
    ROWCOL CalcRightColFromRect(const CRect& rect);
    ROWCOL CalcLastVisibleRow(const CRect& rect, BOOL* pbEndReached);
    ROWCOL CalcLastVisibleCol(const CRect& rect, BOOL* pbEndReached);
    void CalcBottomRightFromRect(const CRect& rect, ROWCOL& nBottomRow, ROWCOL& nRightCol);
    int GetClientColLeft(ROWCOL nClientCol);
    int GetClientRowTop(ROWCOL nClientRow);
    CRect GetGridRectRightOfCol(ROWCOL nCol);
    CRect GetGridRectBelowRow(ROWCOL nRow);
    // The last row (column) visible in the grid rectangle; the flag tells that the rows end inside it.
    ROWCOL GetLastVisibleRow(BOOL* pbEndReached = nullptr);
    ROWCOL GetLastVisibleCol(BOOL* pbEndReached = nullptr);
    // Hit codes: 0 outside, 1 column border, 2 row border, 3 cell, 4 header cell, 5 selection frame,
    // 6 fill handle, 7 border of a hidden column, 8 border of a hidden row. The row (column) is
    // count + 1 below (right of) the last one.
    virtual int HitTest(CPoint point, ROWCOL* pnRow = nullptr, ROWCOL* pnCol = nullptr, CRect* pRect = nullptr);
    virtual int HitTestSelectionFrame(ROWCOL nRow, ROWCOL nCol, CPoint point, const CRect& rect);
    // The cursor of a hit: a resource of the module, or the system cursor of the given name when the
    // resource is missing; 0 sets the default cursor.
    virtual void SetGridCursor(UINT nCursorId, LPCTSTR pszSystemCursor = IDC_ARROW);
    // Chooses and sets the cursor for a point; FALSE when none of the grid's own cursors applies there
    // (the default cursor is set then).
    virtual BOOL SetCursorFromPoint(CPoint point);
    // 0: none.
    virtual void SetCursorOverride(UINT nCursorId);
    UINT m_nCursorOverride = 0;
    // The grid window or a window inside it has the focus, and its top-level window is the active one.
    BOOL HoldsFocusInActiveFrame();
    virtual int GetZoom();
    virtual BOOL SetZoom(int nZoom, BOOL bCreateHint = TRUE);
    virtual void OnZoomChanged(int nOldZoom, UINT nFlags, BOOL bCreateHint = TRUE);
    virtual void SetZoomAndRedraw(int nZoom, UINT nFlags = GX_UPDATENOW);
    // Rows (columns) below the frozen ones are never taller (wider) than the space the window leaves them.
    BOOL m_bLimitRowsToWindow = FALSE;
    BOOL m_bLimitColsToWindow = FALSE;
    // Pixels round a border that count as on it.
    int m_nHitMargin = 8;
    BOOL m_bSelectionFrame = FALSE;
    // The spreadsheet-like fill handle answers the hit test.
    BOOL m_bFillHandle = FALSE;
    // The grid rectangle the cached last visible row and column were taken for.
    CRect m_rectLastVisibleGrid;
    // Scrolling (GridCoreScrolling.cpp).
    virtual void SetScrollBarMode(int nBar, int nMode, BOOL bRedraw = TRUE);
    int GetScrollBarMode(int nBar) const;
    virtual void UpdateScrollbars(BOOL bRedraw = TRUE, BOOL bOnlyIfDimensionChanged = FALSE);
    virtual BOOL OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual BOOL OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual CScrollBar* GetScrollBarCtrl(int nBar);
    virtual BOOL HandleTimer(UINT_PTR nIDEvent);
    // Mouse and window state (GridCoreMouse.cpp).
    virtual BOOL OnGridSize(UINT nType, int cx, int cy);
    virtual BOOL OnMouseMove(UINT nFlags, CPoint point);
    virtual BOOL HandleShowWindow(BOOL bShow, UINT nStatus);
    virtual BOOL OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonUp(UINT nFlags, CPoint point);
    // NULL: not handled.
    virtual HBRUSH OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    virtual BOOL ClosePopupWindow();
    virtual BOOL OnGridCancelMode();
    // 0: not handled.
    virtual int OnGridMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    virtual BOOL OnGridCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnGridSettingChange(LPCTSTR pszSection);
    virtual BOOL OnGridSysColorChange();
    virtual BOOL HandleSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual BOOL PreTranslateGridMessage(tagMSG* pMsg);
    // Offers a message to the plug-ins; TRUE with the result when one of them consumed it.
    virtual BOOL ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // ==== Current cell moves, keyboard, scrolling and mouse tracking ====
    // Current cell (GridCoreCurrentCell.cpp).
    virtual BOOL CanMoveCurrentCell(int nMode, ROWCOL nNewRow, ROWCOL nNewCol, ROWCOL nOldRow, ROWCOL nOldCol);
    virtual BOOL MoveCurrentCellEx(int nDirection, UINT nCount = 1, BOOL bFlag = TRUE);
    virtual BOOL FindNextEnabledCell(int nDirection, ROWCOL& nRow, ROWCOL& nCol);
    virtual BOOL ProcessMoveKey(int nDirection, UINT nCount);
    virtual void HideCurrentCellControl();
    // Characters typed before the current cell's control took the focus, handed to it later.
    virtual void SetBufferedText(const CString& text);
    virtual void FlushBufferedText();
    virtual BOOL ScrollForCellMove(int nDirection, ROWCOL nCount);
    // Focus (GridCoreCurrentCell.cpp). WM_SETFOCUS and WM_KILLFOCUS of the grid window, and those
    // the cell's window passes on.
    virtual BOOL OnGridKillFocus(CWnd* pNewWnd);
    virtual BOOL OnGridSetFocus(CWnd* pOldWnd);
    // Validates the current cell's control before the focus leaves the grid; FALSE keeps the
    // focus in the cell (after its warning, if any). bFlag TRUE answers TRUE at once.
    virtual BOOL CanLeaveGrid(BOOL bFlag);
    // A value the current cell refused: shows the warning text the control left (through the
    // message-box seam) and gives the focus back to the control's window, or to the grid.
    // bFocusGrid: without such a window the grid window takes the focus.
    virtual void OnInvalidCellValue(BOOL bFocusGrid = FALSE);
    // The grid of this process that holds the focus; NULL when none does.
    static CGXGridCore* GetFocusGrid();
    BOOL HasGridFocus() const { return m_bHasFocus; }
    // Set while the current cell moves; a paint then keeps the current cell's style copy.
    BOOL IsMovingCurrentCell() const { return m_bMovingCurrentCell; }
    // A button event on a cell: the control gets it (on a press the cell becomes current first).
    virtual BOOL DispatchCellLeftButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                        int y, UINT nFlags, UINT nHitState);
    virtual BOOL DispatchCellMiddleButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                          int y, UINT nFlags, UINT nHitState);
    virtual BOOL DispatchCellRightButton(ROWCOL nPressedRow, ROWCOL nPressedCol, ROWCOL nRow, ROWCOL nCol, int x,
                                         int y, UINT nFlags, UINT nHitState);
    // One cell through the range redraw (a spanned cell with its whole span).
    void RedrawCell(ROWCOL nRow, ROWCOL nCol, UINT nFlags = GX_SMART, BOOL bCreateHint = FALSE);
    // Keyboard (GridCoreKeyboard.cpp).
    virtual BOOL HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleCharDbcs(const CString& text, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL HandleSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Scrolling (GridCoreScrolling.cpp).
    virtual BOOL ScrollRowsCols(int nDirection, ROWCOL nCount);
    virtual BOOL DoScroll(int nDirection, ROWCOL nCount);
    virtual ROWCOL SetScrollPosScaled(int nBar, ROWCOL nPos, BOOL bRedraw = TRUE);
    virtual void SetScrollRangeScaled(int nBar, ROWCOL nMin, ROWCOL nMax, BOOL bRedraw = TRUE);
    virtual ROWCOL GetScrollPosScaled(int nBar);
    virtual void GetScrollRangeScaled(int nBar, ROWCOL& nMin, ROWCOL& nMax);
    BOOL LockScrollbars(BOOL bLock);
    void GetTopLeftRowCol(ROWCOL& nRow, ROWCOL& nCol) const;
    void ScrollGridWindow(int dx, int dy, const CRect& rect, const CRect& clip);
    void StartAutoScroll(BOOL bCapture, BOOL bRows, BOOL bCols);
    // Kills the autoscroll timer and forgets the held arrow and the repeated key.
    void StopAutoScroll();
    // One autoscroll tick of a left drag: scrolls toward a mouse outside the scroll area and follows with the drag.
    void AutoScrollTowards(CPoint point);
    // Scroll units per scroll-bar unit (rows or columns / factor stays within 32767).
    UINT GetScrollFactor(int nBar) const { return nBar == SB_VERT ? m_nVScrollFactor : m_nHScrollFactor; }
    BOOL IsAutoScrollActive() const { return m_nAutoScrollTimer != 0; }
    // Presses in cells start autoscrolling.
    BOOL m_bAutoScrollCells = FALSE;
    // Held scroll-bar arrows scroll on by the autoscroll timer, faster the longer they are held.
    BOOL m_bAutoScrollArrows = FALSE;
    // A move key that moved the current cell is repeated by the autoscroll timer until it is released.
    BOOL m_bAutoScrollKeys = FALSE;
    // Set, the executor leaves the window to be updated later.
    BOOL m_bNoUpdateOnScroll = FALSE;
    // The executor asks before the top row (left column) changes and tells after it changed.
    virtual BOOL CanChangeTopRow(ROWCOL nNewTopRow);
    virtual BOOL CanChangeLeftCol(ROWCOL nNewLeftCol);
    virtual void OnTopRowChanged();
    virtual void OnLeftColChanged();
    // Set while the executor scrolls; the top row and left column before the scroll, 0 outside it.
    BOOL IsScrolling() const { return m_bScrolling; }
    ROWCOL GetPreviousTopRow() const { return m_nPrevTopRow; }
    ROWCOL GetPreviousLeftCol() const { return m_nPrevLeftCol; }
    // The key an autoscroll repeats (0 none) and the held scroll-bar arrow's direction (-1 none).
    UINT GetRepeatedKey() const { return m_bKeyRepeat ? m_nKeyRepeatChar : 0; }
    int GetArrowDirection() const { return m_nArrowDirection; }
    // Mouse (GridCoreMouse.cpp).
    virtual BOOL StartMouseTracking(UINT nFlags, CPoint point, UINT nOtherButtons, int& nHit, ROWCOL& nRow,
                                    ROWCOL& nCol);
    void SetCapture();
    void InvalidateGrid(BOOL bErase = FALSE);
    // Appends a plug-in (the engine does not own it) and hands it the grid window.
    void AddPlugin(CGXPluginComponent* pPlugin);
    // While locked, a resize only validates the window; unlocking invalidates all of it.
    void LockResizeRedraw(BOOL bLock);
    BOOL IsLockResizeRedraw() const { return m_bLockResizeRedraw; }
    // No application-wide text-exchange component exists in this library: does nothing.
    virtual void ExchangeGridText(LPARAM lArgument);
    // Ends a pending drag of selected rows or columns (the cursor goes back to normal).
    virtual void CancelDragSelection();
    // The cell-tip component (not owned; hand it to AddImplementationObject to have it deleted).
    void SetCellTipImp(CGXAbstractGridCellTipImp* pCellTipImp) { m_pCellTipImp = pCellTipImp; }
    // Creates the grid's print component once and lets properties find it.
    void InstallPrinting();
    CGXAbstractGridCellTipImp* GetCellTipImp() const { return m_pCellTipImp; }
    // Creates the grid's tip window component once (the tips still need EnableCellTips).
    void InstallCellTips();
    void EnableCellTips(BOOL bEnable = TRUE) { m_bCellTips = bEnable; }
    BOOL IsCellTipsEnabled() const { return m_bCellTips; }
    // The fill-handle component sets and clears its own state bit through this.
    void SetMouseTrackState(WORD wState) { m_wTrackingState = wState; }
    // Presses on the selection frame start a drag of the selection (through the drag-select component).
    BOOL m_bDragSelection = FALSE;
    // Every move goes straight to the cursor choice; the cells' controls do not see it.
    BOOL m_bMoveToCursorOnly = FALSE;
    // Set by the user-resize component while it tracks a line.
    BOOL m_bResizeTracking = FALSE;
    // Set by the drag-select component while a drag of selected rows or columns waits for its drop.
    BOOL m_bDragSelectPending = FALSE;

    // ---- State of the user gestures (selection, resizing, dragging rows and columns, autoscroll) ----
    // The list position of the range a selection gesture builds or a drag moves (NULL: none), and
    // the cell where the gesture started; the gesture range always spans anchor to pointer.
    POSITION m_posGestureRange = nullptr;
    ROWCOL m_nAnchorRow = 0;
    ROWCOL m_nAnchorCol = 0;
    // The drag of selected rows or columns: mode 1 columns, 2 rows (0 none), and the drop cell.
    int m_nDragMode = 0;
    ROWCOL m_nDropRow = 0;
    ROWCOL m_nDropCol = 0;
    // Set while the selection redraw draws; a drag holds both set until it ends.
    BOOL m_bDrawingSelection = FALSE;
    BOOL m_bLockSelectionFrame = FALSE;
    // The tracked line of user resizing (m_bResizeTracking says whether it runs).
    CGXResizeTrackState m_resizeTrack;
    // The one-pixel line window that resizing and dragging share (deleted with the engine).
    CWnd* m_pLineWnd = nullptr;
    // The autoscroll plug-in once installed (on the plug-in list; deleted with the engine).
    CGXPluginComponent* m_pAutoScrollPlugin = nullptr;
    // The gesture range's position while it is still on the list (a structure change may have
    // taken the range away); NULL, and forgotten, otherwise.
    POSITION ValidateGestureRange();
    // The last visible row and column are found again (rows or columns moved).
    void ForgetLastVisibleCache()
    {
        m_nLastVisibleRow = GX_INVALID;
        m_nLastVisibleCol = GX_INVALID;
        m_rectLastVisibleGrid.SetRectEmpty();
    }
    // The cell the last move of a tracked press reached.
    ROWCOL GetLastHitRow() const { return m_nLastHitRow; }
    ROWCOL GetLastHitCol() const { return m_nLastHitCol; }
    void SetLastHitCell(ROWCOL nRow, ROWCOL nCol)
    {
        m_nLastHitRow = nRow;
        m_nLastHitCol = nCol;
    }
    // The window frame widths that keep tracked points and lines off the grid's far edges.
    int GetFrameCx() const { return m_nCxFrame; }
    int GetFrameCy() const { return m_nCyFrame; }
    // The autoscroll request the plug-in takes over at its next tick, and its stop.
    BOOL IsAutoScrollStarting() const { return m_bAutoScrollStarting; }
    void AcceptAutoScrollStart() { m_bAutoScrollStarting = FALSE; }
    BOOL IsAutoScrollStopped() const { return m_bAutoScrollStop; }
    BOOL GetAutoScrollRows() const { return m_bAutoScrollRows; }
    BOOL GetAutoScrollCols() const { return m_bAutoScrollCols; }
    BOOL IsKeyRepeat() const { return m_bKeyRepeat; }
    UINT GetKeyRepeatFlags() const { return m_nKeyRepeatFlags; }
    UINT_PTR GetAutoScrollTimer() const { return m_nAutoScrollTimer; }

protected:
    // The steps of the button handlers. A press records its cell, point and the press bit first.
    void RecordPress(ROWCOL nRow, ROWCOL nCol, CPoint point);
    BOOL HandleOtherButtonDown(int nButton, UINT nFlags, CPoint point);
    BOOL OnDragSelectPress(UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol);
    void OnUserSelectPress(UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol);
    BOOL TrackCellPress(int nButton, UINT nFlags, CPoint point, int nHit, ROWCOL nRow, ROWCOL nCol,
                        ROWCOL nTestRow, ROWCOL nTestCol);
    BOOL CapturePress(ROWCOL nRow, ROWCOL nCol);
    // A point of a move kept inside the grid rectangle less the frame margin; a release's point
    // inside 0 .. the rectangle's right (bottom) less the margin.
    CPoint ClampTrackPoint(CPoint point);
    CPoint ClampReleasePoint(CPoint point);
    void LimitTrackCell(ROWCOL& nRow, ROWCOL& nCol);
    BOOL EndButtonTracking(int nButton, UINT nFlags, CPoint point);
    BOOL HandleDblClk(int nButton, UINT nFlags, CPoint point);
    BOOL MoveOverCell(UINT nFlags, CPoint point);
    void TellControlsSettingChanged(BOOL bSysColors, LPCTSTR pszSection);
    // Shift with a vertical move key that the selection component declined: extends the gesture
    // range to the new current cell through the same steps as Shift with a horizontal one.
    BOOL ExtendSelectionByKey(int nDirection, UINT nCount);

    CGXAbstractGridCellTipImp* m_pCellTipImp = nullptr;
    BOOL m_bCellTips = FALSE;
    BOOL m_bLockResizeRedraw = FALSE;
    // What the size handler saw last: the client size with the space of shown scroll bars added
    // back, the client size itself, the window rectangle and whether the window was maximised.
    BOOL m_bSizeSeen = FALSE;
    CSize m_sizeLastClient;
    CSize m_sizeLastRawClient;
    CRect m_rectLastWindow;
    BOOL m_bLastMaximized = FALSE;

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

    // Construction and initialisation.
    BOOL m_bInitDone = FALSE;
    BOOL m_bModified = FALSE;
    DWORD m_dwOptions = 0;
    CPtrList m_ImplementationObjects{10};  // CGXGridComponent*, deleted with the engine
    CPtrList m_OwnedObjects{10};           // CObject*, deleted with the engine
    CPtrList m_PluginList{10};             // CGXPluginComponent*
    // Hints and views of a document.
    int m_nGridId = 0;
    BOOL m_bDocLink = FALSE;
    CDocument* m_pDocument = nullptr;
    CSplitterWnd* m_pSplitterWnd = nullptr;
    CGXMapCellToOb m_CellObjects;
    CGXStyle* m_pStyleStandard = nullptr;
    CGXStyle* m_pStyleRowHeader = nullptr;
    CGXStyle* m_pStyleColHeader = nullptr;
    CRuntimeClass* m_pStyleClass = nullptr;
    // Three working styles of the engine (standard and two scratch styles).
    CGXStyle* m_pWorkStyles[3] = {nullptr, nullptr, nullptr};
    int m_nZoom = 100;
    WORD m_wTrackingState = 0;
    // The margin a tracked point keeps from the grid rectangle's right and bottom edges.
    int m_nCyFrame = 0;
    int m_nCxFrame = 0;
    BOOL m_bGridRectSet = FALSE;
    CRect m_rectGrid;
    CRect m_rectPrint;

    // Structure.
    ROWCOL m_nTopRow = 1;
    ROWCOL m_nLeftCol = 1;
    ROWCOL m_nPrintTopRow = 1;
    ROWCOL m_nPrintLeftCol = 1;
    ROWCOL m_nLastVisibleRow = GX_INVALID;
    ROWCOL m_nLastVisibleCol = GX_INVALID;
    ROWCOL m_nLastVisibleRowTop = GX_INVALID;
    ROWCOL m_nLastVisibleColLeft = GX_INVALID;
    BOOL m_bLastVisibleRowEnd = FALSE;
    BOOL m_bLastVisibleColEnd = FALSE;

    // Styles.
    BOOL m_bStoringStyles = FALSE;

    // Size units of rows and columns (pixels * 1000 / unit), 0 until initialisation.
    int m_nRowSizeUnit = 0;
    int m_nColSizeUnit = 0;

    // Scrolling: the modes of the vertical and horizontal bars.
    int m_nVScrollMode = 0;
    int m_nHScrollMode = 0;

    // Frame drawing on focus.
    BOOL m_bFrameFocusSeen = FALSE;

    // Drawing caches, emptied before and after every paint: composed styles per cell; fonts by their
    // packed words (the shared-data bit shifted out), brushes and pens by their records' two words.
    CGXMapCellToOb m_StyleCache;
    // Emptied styles kept for NewStyle, at most this many; any further one is deleted.
    static const INT_PTR kMaxFreeStyles = 500;
    CObArray m_FreeStyles;
    // Composed styles of the current cell, never cached, deleted by the next flush.
    CObArray m_CurrentCellStyles;
    GXHashMapCore<ULONGLONG, CFont*, GXHashFontKey> m_FontCache{10};
    CGXMapByte8ToPtr m_BrushCache{10};  // -> CBrush*
    CGXMapByte8ToPtr m_PenCache{10};    // -> CPen*
    // The current cell's style as last composed, and its cell's control.
    CGXStyle* m_pCurrentCellStyle = nullptr;
    CGXControl* m_pCurrentCellStyleControl = nullptr;
    ROWCOL m_nCurrentStyleRow = 0;
    ROWCOL m_nCurrentStyleCol = 0;
    ROWCOL m_anPinnedRows[2] = {0, 0};
    ROWCOL m_anPinnedCols[2] = {0, 0};
    // The grid DC and the font it held before the standard style's.
    CDC* m_pGridDC = nullptr;
    HGDIOBJ m_hGridDCOldFont = nullptr;
    int m_nBufferedPaint = 1;
    int m_nPaintDepth = 0;
    CGXGridPaintContext* m_pPaintContext = nullptr;
    // The engine's grid-line pen, set at the start of every grid-line walk.
    CGXStylePen m_GridLinePen;
    BOOL m_bFillInterior = FALSE;
    BOOL m_bInteriorPainted = FALSE;
    BOOL m_bInvertCurrentCell = FALSE;
    // Set by a paint while printing instead of the screen's estimate and scroll-bar update.
    BOOL m_bPrintPaintRequested = FALSE;
    // Running position of CalcClientCellRectFromStart and CalcClientCellRectNext.
    ROWCOL m_nCalcClientRow = 0;
    ROWCOL m_nCalcClientCol = 0;
    int m_nCalcY = 0;
    int m_nCalcX = 0;

    // Current cell moves and keyboard.
    CString m_strBufferedText;
    BOOL m_bFlushingText = FALSE;
    BOOL m_bDbcsLeadPending = FALSE;
    BYTE m_dbcsLeadByte = 0;
    // Scrolling.
    UINT m_nVScrollFactor = 1;
    UINT m_nHScrollFactor = 1;
    BOOL m_bLockScrollbarsFlag = FALSE;
    BOOL m_bUpdatingScrollbars = FALSE;
    ROWCOL m_nLastScrollRows = GX_INVALID;
    ROWCOL m_nLastScrollCols = GX_INVALID;
    BOOL m_bScrolling = FALSE;
    BOOL m_bNoScrollInView = FALSE;
    BOOL m_bAutoScrollRows = FALSE;
    BOOL m_bAutoScrollCols = FALSE;
    BOOL m_bAutoScrollStop = FALSE;
    // The autoscroll timer while it runs, 0 otherwise.
    UINT_PTR m_nAutoScrollTimer = 0;
    int m_nArrowDirection = -1;
    ROWCOL m_nPrevTopRow = 0;
    ROWCOL m_nPrevLeftCol = 0;
    // Key repeat of the autoscroll timer: the key, its key data and whether it runs.
    BOOL m_bKeyRepeat = FALSE;
    UINT m_nKeyRepeatChar = 0;
    UINT m_nKeyRepeatFlags = 0;
    // Pace of the autoscroll timer: a new start is pending, the tick of the last step, the milliseconds
    // between steps and the lines per step.
    BOOL m_bAutoScrollStarting = FALSE;
    DWORD m_dwAutoScrollLastTick = 0;
    int m_nAutoScrollInterval = 80;
    int m_nAutoScrollSpeed = 1;
    // Mouse tracking.
    UINT m_nButtonFlags = 0;
    // The last point of a tracked drag, unclamped, for the autoscroll timer.
    CPoint m_ptTrackMouse;
    ROWCOL m_nPressedRow = 0;
    ROWCOL m_nPressedCol = 0;
    ROWCOL m_nLastHitRow = 0;
    ROWCOL m_nLastHitCol = 0;
    BOOL m_bHasFocus = FALSE;
    // Set while CanLeaveGrid validates: the focus changes it causes are no leaving of the grid.
    BOOL m_bEndingEdit = FALSE;
    // CanLeaveGrid refused: the control is refreshed when the focus comes back.
    BOOL m_bRefreshOnSetFocus = FALSE;
    // Set while the focus leaves the grid (OnGridFocusChanged with FALSE runs).
    BOOL m_bLeavingGrid = FALSE;
    // A refused value waits for its warning and the return of the focus (posted out of a focus change).
    BOOL m_bInvalidValuePending = FALSE;
    // The window that held the focus before the grid.
    HWND m_hWndLastFocus = nullptr;

private:
    void DestroyEngineObjects();
    // Frees every cache, the free styles, the current cell's style copy and the grid DC, locks or not.
    void DeleteDrawingCaches();
    void DeleteDrawingObjects();
    void HintRedraw(const CGXRange* pRange, UINT nFlags, BOOL bCreateHint);
    // Invalidates this view's visible cells that the data object marks as changed; TRUE for any.
    BOOL InvalidateChangedCells(CGXData& data);
    // The paint of one clip box into a DC (direct or the buffer's); FALSE when it misses the grid.
    BOOL PaintClipBox(CDC* pDC, const CRect& rectClip);
    // DrawHorzGridLines (bHorz) and DrawVertGridLines in one walk.
    void DrawGridLineWalk(CGXGridPaintContext& context, BOOL bHorz, UINT nIndex);
    BOOL RemoveRowsOrCols(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT nFlags, int nCommandType);
    BOOL InsertRowsOrCols(BOOL bRows, ROWCOL nAt, ROWCOL nCount, CDWordArray* pSizes, CObArray* pCellStyles,
                          CObArray* pBaseStyles, ROWCOL nOtherCount, UINT nFlags, int nCommandType);
    BOOL SetFrozen(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT nFlags, int nCommandType);
    // The current cell after rows or columns nFrom..nTo went: nCurrentIndex (its row or column)
    // moves up past them, or the cell is given up when it was among them.
    void FollowRemovedCurrentCell(ROWCOL& nCurrentIndex, ROWCOL nFrom, ROWCOL nTo);
    void GenerateHeaderText(ROWCOL nRow, ROWCOL nCol, CGXStyle& style);
    static void FreeSavedStyles(CObArray* pSavedStyles);
    // The stores of SetStyleRange, cell by cell; TRUE when any changed the cell.
    BOOL StoreStyleRangeCells(const CGXRange& cells, const CGXStyle* pStyle, GXModifyType mode, int nType,
                              const CObArray* pSavedStyles, ROWCOL nCurRow, ROWCOL nCurCol);
};

// Locks the spreadsheet-like frame for a scope and restores the previous state, with redraw, at its end.
class CGXExcelLikeFrameLock
{
public:
    explicit CGXExcelLikeFrameLock(CGXGridCore* pGrid) : m_pGrid(pGrid)
    {
        m_bOldLock = m_pGrid->LockExcelLikeFrame(TRUE, FALSE);
    }
    ~CGXExcelLikeFrameLock() { m_pGrid->LockExcelLikeFrame(m_bOldLock, TRUE); }
    CGXExcelLikeFrameLock(const CGXExcelLikeFrameLock&) = delete;
    CGXExcelLikeFrameLock& operator=(const CGXExcelLikeFrameLock&) = delete;

    BOOL GetOldLock() const { return m_bOldLock; }

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOldLock;
};

// Holds the data object's recalculation while a command stores many cells (CGXData::HoldRecalc):
// what follows the stored cells is worked out once, when the outermost hold ends, not after each
// cell. The redraw lock holds it too, for as long as it is set.
//
// Release ends the hold where the command is done; the recalculation then owed runs, and what it
// throws reaches the command. A hold not released (the command left by an exception) ends with the
// scope all the same: the recalculation is tried, and if it fails too it stays owed to the next
// store or Recalc, and nothing leaves the destructor.
class CGXRecalcHold
{
public:
    explicit CGXRecalcHold(CGXGridCore* pGrid);
    ~CGXRecalcHold();
    CGXRecalcHold(const CGXRecalcHold&) = delete;
    CGXRecalcHold& operator=(const CGXRecalcHold&) = delete;

    void Release();

private:
    CGXData* m_pData;
};

// Sets the redraw lock (SetLockUpdate), and with it the recalculation hold, for a scope (unless bLock
// is FALSE: then it does nothing). Restore gives the lock its former state where the command is done
// (what the hold owed runs then and may throw); left by an exception, the destructor restores it and
// lets nothing escape.
class CGXLockUpdateScope
{
public:
    explicit CGXLockUpdateScope(CGXGridCore* pGrid, BOOL bLock = TRUE);
    ~CGXLockUpdateScope();
    CGXLockUpdateScope(const CGXLockUpdateScope&) = delete;
    CGXLockUpdateScope& operator=(const CGXLockUpdateScope&) = delete;

    void Restore();
    BOOL GetOldLock() const { return m_bOldLock; }

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOldLock;
};

// The cell's effective style (BuildEffectiveStyle) for a read that wants the cell's attributes, not
// its value: its control, and the style handed to that control while a value is stored. A value that
// waits for a held recalculation is taken as it stands, not worked out (CGXData::ReadValuesAsTheyStand).
void GXBuildStyleAsItStands(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style);

// An undo transaction (BeginTrans) that the command ends itself with Commit or Rollback; one that an
// exception leaves open is committed with the scope, so that what was done can be undone and later
// commands are not recorded into it.
class CGXTransactionScope
{
public:
    CGXTransactionScope(CGXGridCore* pGrid, LPCTSTR pszName, BOOL bBegin = TRUE);
    ~CGXTransactionScope();
    CGXTransactionScope(const CGXTransactionScope&) = delete;
    CGXTransactionScope& operator=(const CGXTransactionScope&) = delete;

    void Commit();
    void Rollback();

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOpen;
};

// A style of the grid's pool (NewStyle) for a scope, handed back (RecycleStyle) at its end.
class CGXPoolStyle
{
public:
    explicit CGXPoolStyle(CGXGridCore* pGrid) : m_pGrid(pGrid), m_pStyle(pGrid->NewStyle()) {}
    ~CGXPoolStyle() { m_pGrid->RecycleStyle(m_pStyle); }
    CGXPoolStyle(const CGXPoolStyle&) = delete;
    CGXPoolStyle& operator=(const CGXPoolStyle&) = delete;

    CGXStyle* Get() const { return m_pStyle; }
    CGXStyle& operator*() const { return *m_pStyle; }
    CGXStyle* operator->() const { return m_pStyle; }

private:
    CGXGridCore* m_pGrid;
    CGXStyle* m_pStyle;
};

// Sets a flag for a scope and gives it back its previous value at the end (the engine's and the
// controls' guards, such as m_bFocusChanging).
class CGXFlagScope
{
public:
    CGXFlagScope(BOOL& flag, BOOL bValue) : m_flag(flag), m_bOld(flag) { m_flag = bValue; }
    ~CGXFlagScope() { m_flag = m_bOld; }
    CGXFlagScope(const CGXFlagScope&) = delete;
    CGXFlagScope& operator=(const CGXFlagScope&) = delete;

private:
    BOOL& m_flag;
    BOOL m_bOld;
};
