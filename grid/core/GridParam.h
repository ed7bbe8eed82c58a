#pragma once
// Everything about one table that is not tied to a window: its settings, stored row heights and
// column widths, the selected and covered ranges, the undo and redo lists, and the data object,
// styles map and properties it owns or shares. Several grids may share one parameter object.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/GridCollections.h"
#include "grid/core/Range.h"

#include <map>
#include <memory>

class CGXAppData;
class CGXData;
class CGXPrintDevice;
class CGXProperties;
class CGXStylesMap;

// A byte array whose archive form is the byte count and then the bytes, written in pieces that a
// 32-bit length can carry.
class CByteArray64 : public CByteArray
{
    DECLARE_SERIAL(CByteArray64)

public:
    CByteArray64() = default;
    void Serialize(CArchive& ar) override;
};

// Default stored sizes, in size units (pixels * 1000 / unit).
const LONG GX_DEFAULT_ROW_HEIGHT = 1200;
const LONG GX_DEFAULT_COL_WIDTH = 10000;
const LONG GX_HEADER_ROW_HEIGHT = 1400;
const LONG GX_HEADER_COL_WIDTH = 6000;

class CGXGridParam : public CObject
{
    DECLARE_SERIAL(CGXGridParam)

public:
    CGXGridParam();
    ~CGXGridParam() override;

    // Through the document serializer component; nothing while it is missing.
    void Serialize(CArchive& ar) override;
    // Through the parameter-copy component; nothing while it is missing.
    virtual CGXGridParam& operator=(const CGXGridParam& other);

    // The shared objects. A previous object that was owned is deleted; the flag says whether the
    // new one is.
    void SetProperties(CGXProperties* pProperties, BOOL bMustDelete = TRUE);
    void SetStylesMap(CGXStylesMap* pStylesMap, BOOL bMustDelete = TRUE);
    void SetData(CGXData* pData, BOOL bMustDelete = TRUE);
    CGXProperties* GetProperties() const { return m_pProperties; }
    CGXStylesMap* GetStylesMap() const { return m_pStylesMap; }
    CGXData* GetData() const { return m_pData; }

    CPtrList& GetUndoList() { return m_UndoList; }
    CPtrList& GetRedoList() { return m_RedoList; }
    void EmptyRedoList();
    void EmptyUndoList();
    void EnableUndo(BOOL bEnable) { m_bUndoEnabled = bEnable; }
    void SetUndoLimit(DWORD nLimit) { m_nUndoLimit = nLimit; }
    DWORD GetUndoLimit() const { return m_nUndoLimit; }
    BOOL IsEnableUndo() const { return m_bUndoEnabled; }

    void SetSelectionFlags(WORD wFlags) { m_wAllowSelection = wFlags; }
    void SetRowResizeFlags(WORD wFlags) { m_wAllowTrackRowHeight = wFlags; }
    void SetColResizeFlags(WORD wFlags) { m_wAllowTrackColWidth = wFlags; }
    BOOL IsSelectionAllowed(WORD wMask) const { return (m_wAllowSelection & wMask) != 0; }
    BOOL IsRowResizeAllowed(WORD wMask) const { return (m_wAllowTrackRowHeight & wMask) != 0; }
    BOOL IsColResizeAllowed(WORD wMask) const { return (m_wAllowTrackColWidth & wMask) != 0; }

    BOOL IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly) { m_bReadOnly = bReadOnly; }
    BOOL IsLockReadOnly() const { return m_bLockReadOnly; }
    void SetLockReadOnly(BOOL bLock) { m_bLockReadOnly = bLock; }
    BOOL IsThumbTrack() const { return m_bThumbTrack; }

    // The screen shows the printed layout: zoom 100 and the print device's mapping and metrics.
    BOOL IsDisplayPrinterLayout() const { return m_bNoZoom; }
    void SetDisplayPrinterLayout(BOOL bPrinterLayout) { m_bNoZoom = bPrinterLayout; }
    // The print device is the fourth shared object; NULL when none or when that object is another kind.
    CGXPrintDevice* GetPrintDevice() const;
    // A previous device that was owned is deleted; the flag says whether the new one is.
    void SetPrintDevice(CGXPrintDevice* pDevice, BOOL bMustDelete = TRUE);
    // The grid shows its own mouse cursors only while it holds the focus.
    BOOL IsCursorOnlyWhenFocused() const { return m_bCursorOnlyWhenFocused; }
    void SetCursorOnlyWhenFocused(BOOL bOnlyWhenFocused) { m_bCursorOnlyWhenFocused = bOnlyWhenFocused; }

    // Asks the covered-cell pool component for a pool when there is none yet.
    void CreateCoveredCellPool();
    // Rebuilds the pool from the covered ranges.
    void SyncCoveredCellPool();

    // Members in declaration order, with the defaults the constructor gives them.
    CGXAppData* m_pAppData;
    BOOL m_bNumberedRowHeaders = TRUE;
    BOOL m_bNumberedColHeaders = TRUE;
    int m_nSetting3 = 100;
    int m_nSetting4 = 0;
    int m_nSetting5 = 0;
    // What the undo record of a removal of rows (columns) keeps: bit value 1 their base styles,
    // bit value 2 their cells.
    WORD m_nUndoRemoveRowsLimit = 3;
    WORD m_nUndoRemoveColsLimit = 3;
    int m_nSetting8 = 0;
    int m_nSetting9 = 0;
    // Bit 4 (value 4): a cell control becomes active as soon as its cell is current.
    WORD m_wActivateCell = 1;
    WORD m_wAllowSelection = 0xFF;
    BOOL m_bSetting12 = TRUE;
    BOOL m_bSetting13 = TRUE;
    WORD m_wAllowTrackRowHeight = 0xB2;
    WORD m_wAllowTrackColWidth = 0xB2;
    WORD m_wAllowThird = 0;
    BOOL m_bThumbTrack = TRUE;
    // While set, every structure change first asks whether the grid is read-only.
    BOOL m_bLockReadOnly = TRUE;
    BOOL m_bSetting19 = TRUE;
    WORD m_wFloatCellsMode = 0;
    WORD m_wMergeCellsMode = 0;
    // The printer-layout display switch: while set, the zoom is always 100.
    BOOL m_bNoZoom = FALSE;
    // 0 always, 2 only while the grid has the focus, other values never.
    WORD m_wHideCurrentCell = 2;
    WORD m_wPaintSetting = 0;
    ROWCOL m_nHeaderRows = 0;
    ROWCOL m_nHeaderCols = 0;
    BOOL m_bSetting27 = TRUE;
    CString m_sSheetName;
    ROWCOL m_nFrozenRows = 0;
    ROWCOL m_nFrozenCols = 0;
    int m_anSettings31[6] = {0, 0, 0, 0, 0, 0};
    int m_nSetting37 = 0;
    BOOL m_bSetting38 = TRUE;
    BOOL m_bSetting39 = TRUE;
    int m_nSetting40 = 0x200;
    WORD m_wKeyboardSetting = 4;
    CGXRangeList m_SelRects;
    CGXRangeList m_CoveredCellsList;
    CObject* m_pCoveredCellPool = nullptr;
    // The span pools of floating cells (screen, and a second set while the grid prints) and of
    // merged cells, each a span-cell pool with the delayed-range pool of its pending ranges. They
    // exist while their mode asks for them; the parameter object deletes them.
    CObject* m_pFloatCellsPool = nullptr;
    CObject* m_pDelayedFloatCellsPool = nullptr;
    CObject* m_pPrintFloatCellsPool = nullptr;
    CObject* m_pPrintDelayedFloatCellsPool = nullptr;
    CObject* m_pHorzMergeCellsPool = nullptr;
    CObject* m_pVertMergeCellsPool = nullptr;
    CObject* m_pDelayedMergeCellsPool = nullptr;
    BOOL m_bOwnProperties = FALSE;
    CGXProperties* m_pProperties = nullptr;
    BOOL m_bOwnStylesMap = FALSE;
    CGXStylesMap* m_pStylesMap = nullptr;
    BOOL m_bOwnData = FALSE;
    CGXData* m_pData = nullptr;
    BOOL m_bOwnFourth = FALSE;
    CObject* m_pFourth = nullptr;  // the print device
    BOOL m_bReadOnly = FALSE;
    BOOL m_bSetting60 = TRUE;
    CPtrList m_UndoList{10};
    CPtrList m_RedoList{10};
    BOOL m_bUndoRecordingLock = FALSE;
    BOOL m_bUndoEnabled = TRUE;
    // Each list keeps at most this many commands plus one.
    DWORD m_nUndoLimit = 512;
    // Nesting depth of the open undo transactions.
    int m_nTransactionLevel = 0;
    // While set, every view of the parameter object follows a zoom, not only the panes of one splitter.
    WORD m_wZoomSync = 0;
    CByteArray64 m_abRowFlags;
    CByteArray64 m_abColFlags;
    CGXMapDWordToLong m_RowHeights;
    CGXMapDWordToLong m_ColWidths;
    LONG m_nDefaultHeight = GX_DEFAULT_ROW_HEIGHT;
    LONG m_nDefaultWidth = GX_DEFAULT_COL_WIDTH;
    BOOL m_bLockUpdate = FALSE;
    // Where Enter moves the current cell (0 stays), the selection kept on Esc and a redraw owed after a drag.
    int m_nEnterKeyDirection = 0;
    BOOL m_bKeepSelection = FALSE;
    BOOL m_bRedrawPending = FALSE;
    // Grid lines on the right and bottom edge of a cell (else left and top), and their pen style.
    BOOL m_bLinesRightBottom;
    WORD m_nGridLinePenStyle;
    int m_nCurrentCellDisplay = 0;
    int m_anSettings76[5] = {0, 0, 0, 0, 0};
    int m_nSetting81 = -1;
    int m_nSetting82 = -1;
    int m_anSettings83[5] = {0, 0, 0, 0, 0};
    int m_anSettings88[11] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // The ranges of the last copy or cut, expanded to cell blocks; drawn marked while a direct cut waits.
    CGXRangeList m_MarkedRanges;
    CGXRangeList& GetCopiedRanges() { return m_MarkedRanges; }
    // Clipboard: copy (cut) then paste in the same grid copies (moves) the cells directly; a direct
    // cut waits for its paste; a read-only grid refuses pastes while the lock is set.
    BOOL m_bDirectCopyPaste = FALSE;
    BOOL m_bDirectCutPaste = FALSE;
    BOOL m_bCutPending = FALSE;
    BOOL m_bReadOnlyPasteLock = TRUE;
    // Spreadsheet-like fill (bit 1 values, bit 2 styles) and the frame around the selection.
    WORD m_wFillFlags = 0;
    BOOL m_bExcelLikeFrame = FALSE;
    // What a freeze remembers: the first frozen line, how many, and where the block stood before.
    struct FrozenInfo
    {
        DWORD nFirst = 0;
        DWORD nCount = 0;
        DWORD nOldStart = 0;
    };
    FrozenInfo m_FrozenColsInfo;
    FrozenInfo m_FrozenRowsInfo;
    // Bits 0-1 set: the row headers of the current cell are not marked.
    WORD m_wSpecialModeFlags = 0;
    WORD m_wCellSizeSetting = 0;
    // The cells a commit redraw drew (one-cell ranges), which CommitDataChanges notifies to the data
    // object and empties.
    CGXRangeList m_RangeList101;
    CGXRangeList& GetPendingCells() { return m_RangeList101; }
    CObArray m_apOwned102;
    CObArray m_apOwned103;
    int m_nSetting104 = 0;
    CMapPtrToPtr m_mapFreed{10};
    // The grid pastes cells of its own clipboard format itself (cell controls leave them to it).
    BOOL m_bGridPastesOwnFormat = TRUE;
    // Headers in the spreadsheet manner: the current cell's and the selection's headers raised and bold.
    BOOL m_bSpreadsheetHeaders = FALSE;
    // Cells show (and editors edit) the stored value instead of its display text.
    BOOL m_bShowStoredValues = FALSE;
    BOOL m_bCursorOnlyWhenFocused = FALSE;
    // Paints row by row, each row clipped to its band, with cell backgrounds filled in merged
    // rectangles (the row-banded drawing component); the second switch drops that clipping while printing.
    BOOL m_bRowBandedDrawing = FALSE;
    BOOL m_bRowBandedNoClipPrinting = FALSE;
    // The last sort: the row whose values ordered the columns (GX_INVALID after a row sort), the
    // column whose values ordered the rows (GX_INVALID after a column sort), and whether its first
    // key ascended. A double click on a header sorts by it only while its switch is on.
    ROWCOL m_nLastSortRow = GX_INVALID;
    ROWCOL m_nLastSortCol = GX_INVALID;
    BOOL m_bLastSortAscending = FALSE;
    BOOL m_bSortRowsOnColHeaderDblClk = FALSE;
    BOOL m_bSortColsOnRowHeaderDblClk = FALSE;

    // ---- User gestures: selection, resizing and dragging of rows and columns ----
    // List-box mode: bit 0x0001 single whole rows (Ctrl and Shift do not count), bit 0x0002 Ctrl
    // and Shift count whatever the selection flags say; either bit makes every range whole rows.
    WORD m_wListBoxSelection = 0;
    // A plain click keeps the empty range it appended (else it empties the selection).
    BOOL m_bClickKeepsRange = FALSE;
    // The headers are redrawn whenever the selection changed.
    BOOL m_bMarkSelectionHeaders = FALSE;
    // The selection is not shown by inverting cells.
    BOOL m_bNoSelectionInversion = FALSE;
    // Smallest sizes user resizing leaves (pixels); a size below 1 at the end hides the line.
    int m_nMinTrackRowHeight = 0;
    int m_nMinTrackColWidth = 0;
    // User resizing tracks the cell rectangle one pixel up and left.
    BOOL m_bTrackLineOffset = FALSE;
    // Selected whole columns (rows) may be dragged by their header to another place.
    BOOL m_bAllowDragCols = TRUE;
    BOOL m_bAllowDragRows = TRUE;

    // ---- Drop-down lists of the choice cells ----
    // The height in pixels of a grid-drawn combo's list.
    int m_nDropDownHeight = 100;
    // Lookup tables of the tabbed choice lists by unique choice-list id, created by the tabbed combos
    // on demand and owned here. Key maps take a key field to its whole choice line, text maps a text
    // field. The id is any number a user types into the attribute sheet, so the tables are kept by
    // id: an id costs no memory beyond its own tables.
    using TabbedChoiceMaps = std::map<int, std::unique_ptr<CMapStringToString>>;
    TabbedChoiceMaps m_tabbedKeyMaps;
    TabbedChoiceMaps m_tabbedTextMaps;
    // Raised whenever tabbed lookup tables are reset, so that lists filled before are filled again.
    int m_nChoiceListGeneration = 0;
    // Deletes every tabbed lookup table and empties both arrays.
    void DeleteTabbedChoiceMaps();

private:
    CGXGridParam(const CGXGridParam&) = delete;
};
